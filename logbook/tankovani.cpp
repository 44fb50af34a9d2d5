#include "tankovani.h"

#include "jizda.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"

const QString SqlNactiTankovani = QStringLiteral(
    "Select KJ_AUTO_ID,DATUM,LITRY,CENA,TACHOMETR,REVIZE from kj_tankovani where (kj_tankovani_id=%d);");

const CiselnePole PoleLitry = PoleNumeric(QStringLiteral("Litry"), 9, 2, false);
const CiselnePole PoleCena = PoleNumeric(QStringLiteral("Cena Kč s DPH"), 15, 2);
const CiselnePole PoleTachometrTankovani = PoleInteger(QStringLiteral("Tachometr km"));

namespace
{

const QString kTed = QStringLiteral("CURRENT_TIMESTAMP");

// A stored amount with a decimal comma, as typed.
QString zobraz(const QString& ulozeno, const CiselnePole& pole)
{
    const auto v = HodnotaPole(ulozeno, pole);
    return v ? QString::number(*v, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(',')) : QString();
}

QString n(int v)
{
    return QString::number(v);
}

} // namespace

TankovaniPole TankovaniZRadku(const TKTDATASET& t, int r)
{
    TankovaniPole p;
    p.AutoId = t.HodnotaInt(r, QStringLiteral("KJ_AUTO_ID"));
    p.Datum = DatumCast(t.HodnotaJmeno(r, QStringLiteral("DATUM")));
    p.Litry = zobraz(t.HodnotaJmeno(r, QStringLiteral("LITRY")), PoleLitry);
    p.Cena = zobraz(t.HodnotaJmeno(r, QStringLiteral("CENA")), PoleCena);
    p.Tachometr = t.HodnotaJmeno(r, QStringLiteral("TACHOMETR"));
    return p;
}

QString ChybaTankovani(const TankovaniPole& t)
{
    if (t.AutoId <= 0 || t.Datum.trimmed().isEmpty() || t.Litry.trimmed().isEmpty() ||
        t.Cena.trimmed().isEmpty())
        return TextNeniVyplneno;
    if (!PlatneDatum(t.Datum)) return TextChybnaData;
    for (const auto& [text, pole] : {std::pair{&t.Litry, &PoleLitry}, std::pair{&t.Cena, &PoleCena},
                                     std::pair{&t.Tachometr, &PoleTachometrTankovani}})
        if (const QString chyba = ChybaCisla(*text, *pole); !chyba.isEmpty()) return chyba;
    return QString();
}

QStringList PrikazyUlozeniTankovani(const TankovaniPole& t, int zaznamId, int noveId, int uzivatel,
                                    const std::optional<PrectenyZaznam<TankovaniPole>>& precteny)
{
    const auto hodnoty = [&](const TankovaniPole& x) {
        return QStringList{n(x.AutoId),
                           DatumSQL(x.Datum),
                           CisloSQL(x.Litry, PoleLitry),
                           CisloSQL(x.Cena, PoleCena),
                           CisloSQL(x.Tachometr, PoleTachometrTankovani),
                           n(uzivatel),
                           kTed,
                           n(zaznamId)};
    };
    const QString km = CisloSQL(t.Tachometr, PoleTachometrTankovani);
    const QString litry = CisloSQL(t.Litry, PoleLitry), cena = CisloSQL(t.Cena, PoleCena);
    if (zaznamId != 0)
        return {PrikazUpravy(
            QStringLiteral("update kj_tankovani set kj_auto_id=%d,datum=%s,litry=%s,cena=%s,"
                           "tachometr=%s,editoval_kdo=%d,editoval_kdy=%s where kj_tankovani_id=%d"),
            t, precteny, hodnoty)};
    return {VyplnSablonu(
        QStringLiteral("insert into kj_tankovani(kj_tankovani_id,kj_auto_id,datum,litry,cena,"
                       "tachometr,vytvoril_kdo,vytvoril_kdy,editoval_kdo,editoval_kdy) "
                       "values(%d,%d,%s,%s,%s,%s,%d,%s,%d,%s)"),
        {n(noveId), n(t.AutoId), DatumSQL(t.Datum), litry, cena, km, n(uzivatel), kTed, n(uzivatel), kTed})};
}

VysledekZapisu UlozTankovani(TDataModuleIb& db, const TankovaniPole& t, int zaznamId, int uzivatel,
                             const std::optional<PrectenyZaznam<TankovaniPole>>& precteny)
{
    return ZapisZaznam(
        db, zaznamId, QStringLiteral("KJ_TANKOVANI_ID"),
        [&](int id) {
            return PrikazyUlozeniTankovani(t, zaznamId, zaznamId == 0 ? id : 0, uzivatel, precteny);
        },
        std::nullopt, true,
        Hlidani(precteny, QStringLiteral("KJ_TANKOVANI"), QStringLiteral("KJ_TANKOVANI_ID")));
}

VysledekZapisu SmazTankovani(TDataModuleIb& db, int zaznamId)
{
    return SmazZaznam(db,
                      {QStringLiteral("delete from kj_tankovani where kj_tankovani_id=%1").arg(zaznamId)});
}
