#include "tankovani.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"

#include <cmath>
#include <optional>

const QString SqlNactiTankovani = QStringLiteral(
    "Select KJ_AUTO_ID,DATUM,LITRY,CENA,TACHOMETR,REVIZE from kj_tankovani where (kj_tankovani_id=%d);");

namespace
{

const QString kTed = QStringLiteral("CURRENT_TIMESTAMP");

std::optional<double> cislo(const QString& text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || v < 0 || !std::isfinite(v) || v > 1e9) return std::nullopt;
    return v;
}

QString desetinneSQL(const QString& text)
{
    return QString::number(cislo(text).value_or(0), 'f', 2);
}

QString zobraz(const QString& ulozeno)
{
    const auto v = cislo(ulozeno);
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
    p.Litry = zobraz(t.HodnotaJmeno(r, QStringLiteral("LITRY")));
    p.Cena = zobraz(t.HodnotaJmeno(r, QStringLiteral("CENA")));
    p.Tachometr = t.HodnotaJmeno(r, QStringLiteral("TACHOMETR"));
    return p;
}

bool TankovaniMaPlatnaData(const TankovaniPole& t)
{
    if (t.AutoId <= 0 || JePrazdneDatum(t.Datum) || !PlatneDatum(t.Datum)) return false;
    const auto litry = cislo(t.Litry);
    if (!litry || *litry <= 0 || !cislo(t.Cena)) return false;
    const QString km = t.Tachometr.trimmed();
    if (km.isEmpty()) return true;
    bool ok = false;
    return km.toInt(&ok) >= 0 && ok;
}

QStringList PrikazyUlozeniTankovani(const TankovaniPole& t, int zaznamId, int noveId, int uzivatel,
                                    const std::optional<PrectenyZaznam<TankovaniPole>>& precteny)
{
    const auto kmSQL = [](const TankovaniPole& x) {
        return x.Tachometr.trimmed().isEmpty() ? QStringLiteral("NULL") : n(CisloZTextu(x.Tachometr));
    };
    const QString km = kmSQL(t);
    if (zaznamId != 0)
        return {PrikazUpravy(
            QStringLiteral("update kj_tankovani set kj_auto_id=%d,datum=%s,litry=%s,cena=%s,"
                           "tachometr=%s,editoval_kdo=%d,editoval_kdy=%s where kj_tankovani_id=%d"),
            t, precteny, [&](const TankovaniPole& x) {
                return QStringList{n(x.AutoId),
                                   DatumSQL(x.Datum),
                                   desetinneSQL(x.Litry),
                                   desetinneSQL(x.Cena),
                                   kmSQL(x),
                                   n(uzivatel),
                                   kTed,
                                   n(zaznamId)};
            })};
    return {
        VyplnSablonu(QStringLiteral("insert into kj_tankovani(kj_tankovani_id,kj_auto_id,datum,litry,cena,"
                                    "tachometr,vytvoril_kdo,vytvoril_kdy,editoval_kdo,editoval_kdy) "
                                    "values(%d,%d,%s,%s,%s,%s,%d,%s,%d,%s)"),
                     {n(noveId), n(t.AutoId), DatumSQL(t.Datum), desetinneSQL(t.Litry), desetinneSQL(t.Cena),
                      km, n(uzivatel), kTed, n(uzivatel), kTed})};
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
