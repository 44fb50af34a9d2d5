#include "kjauto.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"

const QString SqlNactiAuto =
    QStringLiteral("Select SPZ,POPIS,F_CIST,F_EDITOVAT,F_SMAZAT,F_ALARM,F_ADMINISTROVAT,PALIVO,SPOTREBA,"
                   "TACHOMETR_START,REVIZE from kj_auto where (kj_auto.kj_auto_id=%d);");

const CiselnePole PoleSpotreba = PoleNumeric(QStringLiteral("Spotřeba"), 9, 2);
const CiselnePole PoleTachometrStart = PoleInteger(QStringLiteral("Tachometr"));

namespace
{

const QString kUpdate =
    QStringLiteral("update kj_auto set spz=%s,popis=%s,editoval_kdo=%d,editoval_kdy=%s,") +
    QStringLiteral("F_CIST=%d,F_EDITOVAT=%d,F_SMAZAT=%d,F_ALARM=%d,F_ADMINISTROVAT=%d,palivo=%s,spotreba=%s,"
                   "tachometr_start=%s where KJ_AUTO_ID=%d");
const QString kInsert =
    QStringLiteral(
        "insert into "
        "kj_auto(kj_auto_id,spz,popis,vytvoril_kdo,vytvoril_kdy,editoval_kdo,editoval_kdy,F_CIST,F_"
        "EDITOVAT,F_SMAZAT,F_ALARM,F_ADMINISTROVAT,palivo,spotreba,tachometr_start) ") +
    QStringLiteral(" values(%d,%s,%s,%d,%s,%d,%s,%d,%d,%d,%d,%d,%s,%s,%s);");
// The in-use test is part of the delete itself.
const QString kSmazat = QStringLiteral("delete from kj_auto where KJ_AUTO_ID=%d and not exists (select 1 "
                                       "from kj where kj.kj_auto_id=kj_auto.kj_auto_id)");
const QString kExistuje = QStringLiteral("select count(*) from kj_auto where kj_auto_id=%d");

QString n(int v)
{
    return QString::number(v);
}

} // namespace

AutoPole AutoZRadku(const TKTDATASET& t, int r)
{
    AutoPole a;
    a.Spz = t.HodnotaJmeno(r, QStringLiteral("SPZ"));
    a.Popis = t.HodnotaJmeno(r, QStringLiteral("POPIS"));
    a.Prava = PravaZRadku(t, r);
    a.Palivo = t.HodnotaJmeno(r, QStringLiteral("PALIVO"));
    a.Spotreba = t.HodnotaJmeno(r, QStringLiteral("SPOTREBA"));
    if (const auto v = HodnotaPole(a.Spotreba, PoleSpotreba))
        a.Spotreba = QString::number(*v, 'g', 9).replace(QLatin1Char('.'), QLatin1Char(','));
    a.TachometrStart = t.HodnotaJmeno(r, QStringLiteral("TACHOMETR_START"));
    return a;
}

QStringList DruhyPaliva()
{
    return {QStringLiteral("Benzin 95"), QStringLiteral("Benzin 98"), QStringLiteral("Nafta"),
            QStringLiteral("LPG"), QStringLiteral("Elektřina")};
}

QString ChybaAuta(const AutoPole& a)
{
    if (QString chyba = ChybaCisla(a.Spotreba, PoleSpotreba); !chyba.isEmpty()) return chyba;
    return ChybaCisla(a.TachometrStart, PoleTachometrStart);
}

QStringList PrikazyUlozeniAuta(const AutoPole& a, int zaznamId, int noveId, int uzivatel,
                               const std::optional<PrectenyZaznam<AutoPole>>& precteny)
{
    const QStringList nazev = {TextSQL(a.Spz), TextSQL(a.Popis)};
    const QStringList vuz = {TextSQL(a.Palivo), CisloSQL(a.Spotreba, PoleSpotreba),
                             CisloSQL(a.TachometrStart, PoleTachometrStart)};
    if (zaznamId != 0)
        return {PrikazUpravy(kUpdate, a, precteny, [&](const AutoPole& x) {
            return QStringList{TextSQL(x.Spz), TextSQL(x.Popis)} + UpravaSPravySQL(uzivatel, x.Prava) +
                       QStringList{TextSQL(x.Palivo), CisloSQL(x.Spotreba, PoleSpotreba),
                                   CisloSQL(x.TachometrStart, PoleTachometrStart)}
                   << n(zaznamId);
        })};
    return {
        VyplnSablonu(kInsert, QStringList{n(noveId)} + nazev + VlozeniSPravySQL(uzivatel, a.Prava) + vuz)};
}

VysledekZapisu UlozAuto(TDataModuleIb& db, const AutoPole& a, int zaznamId, int uzivatel,
                        const std::optional<PrectenyZaznam<AutoPole>>& precteny)
{
    return ZapisZaznam(
        db, zaznamId, QStringLiteral("KJ_AUTO_ID"),
        [&](int id) { return PrikazyUlozeniAuta(a, zaznamId, zaznamId == 0 ? id : 0, uzivatel, precteny); },
        std::nullopt, true, Hlidani(precteny, QStringLiteral("KJ_AUTO"), QStringLiteral("KJ_AUTO_ID")));
}

VysledekZapisu SmazAuto(TDataModuleIb& db, int zaznamId)
{
    if (VysledekZapisu v = db.ProvedSQL(VyplnSablonu(kSmazat, {n(zaznamId)})); !v.ok) {
        // A ride saved meanwhile by another workstation holds the car.
        if (v.chyba.contains(QLatin1String("KJ_KJ_AUTO_FK"), Qt::CaseInsensitive)) v.chyba = TextZaznamPouzit;
        return v;
    }
    // The write ended the shared read snapshot: this read sees the outcome.
    if (db.VratInt(VyplnSablonu(kExistuje, {n(zaznamId)})) != 0)
        return VysledekZapisu::Odmitnuto(TextZaznamPouzit);
    db.UdelejRefresh();
    return VysledekZapisu::Zapsano(zaznamId);
}
