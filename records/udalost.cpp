#include "udalost.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/kategoriekuc.h"

const QString kNacti = QStringLiteral(
    "Select DATUM,CAS_OD,CAS_DO,CELY_DEN,NAZEV,ALARM,ALARM_DATUM,ALARM_CAS,ALARM_TYP_AKCE,ALARM_AKCE,F_CIST,"
    "F_EDITOVAT,F_SMAZAT,F_ALARM,F_ADMINISTROVAT,REVIZE,OPAKOVANI from ku where (ku.ku_id=%d);");
const QString SqlPoznamkaUdalosti = QStringLiteral("Select poznamka from ku where (ku.ku_id=%d);");

namespace
{

const QString kUpdate =
    QStringLiteral("update ku set "
                   "datum=%s,cas_od=%s,cas_do=%s,cely_den=%s,NAZEV=%s,ALARM=%s,ALARM_DATUM=%s,ALARM_CAS=%s,"
                   "ALARM_TYP_AKCE=%d,ALARM_AKCE=%s,editoval_kdo=%d,editoval_kdy=%s,") +
    QStringLiteral("F_CIST=%d,F_EDITOVAT=%d,F_SMAZAT=%d,F_ALARM=%d,F_ADMINISTROVAT=%d where "
                   "KU_ID=%d");
const QString kInsert =
    QStringLiteral(
        "insert into ku(ku_id,datum,cas_od,cas_do,CELY_DEN,NAZEV,ALARM,ALARM_DATUM,ALARM_CAS,"
        "ALARM_TYP_AKCE,ALARM_AKCE,vytvoril_kdo,vytvoril_kdy,editoval_kdo,editoval_kdy,F_CIST,F_EDITOVAT,"
        "F_SMAZAT,F_ALARM,F_ADMINISTROVAT) ") +
    QStringLiteral(" values(%d,%s,%s,%s,%s,%s,%s,%s,%s,%d,%s,%d,%s,%d,%s,%d,%d,%d,%d,%d);");

QString n(int v)
{
    return QString::number(v);
}

} // namespace

std::optional<UdalostPole> NactiUdalost(TSQLDATA& db, int id)
{
    TKTDATASET t;
    db.NactiTabulku(VyplnSablonu(kNacti, {QString::number(id)}), t);
    if (t.PocetRadku() < 1) return std::nullopt;
    UdalostPole u;
    PolozkaZRadku(u, t, 1, -1);
    u.CasOd = CasCast(t.HodnotaJmeno(1, QStringLiteral("CAS_OD")));
    u.CelyDen = t.HodnotaBool(1, QStringLiteral("CELY_DEN"));
    u.Revize = t.HodnotaInt(1, QStringLiteral("REVIZE"));
    u.Opakovani = t.HodnotaJmeno(1, QStringLiteral("OPAKOVANI")).trimmed();
    return u;
}

bool UdalostMaPlatnaData(const UdalostPole& u)
{
    return MaDatum(u) && PlatneDatum(u.Datum) && PlatnyCas(u.CasOd) && PlatnyCas(u.CasDo) &&
           AlarmMaPlatnaData(u);
}

VysledekZapisu UlozUdalost(TDataModuleIb& db, const UdalostPole& u, int zaznamId, int uzivatel,
                           const TKategorieKUC& kategorie, const std::optional<QByteArray>& poznamka,
                           const std::optional<PrectenyZaznam<UdalostPole>>& precteny)
{
    std::optional<PoznamkaZapisu> p;
    if (poznamka) p = PoznamkaZapisu{QStringLiteral("UPDATE_KU_POZNAMKA"), 0, *poznamka};
    return ZapisZaznam(
        db, zaznamId, QStringLiteral("KU_ID"),
        [&](int id) {
            return PrikazyUlozeniUdalosti(u, zaznamId, zaznamId == 0 ? id : 0, uzivatel, kategorie, precteny);
        },
        p, true, Hlidani(precteny, QStringLiteral("KU"), QStringLiteral("KU_ID")));
}

VysledekZapisu SmazUdalost(TDataModuleIb& db, int zaznamId)
{
    const QString id = QString::number(zaznamId);
    return SmazZaznam(
        db, {VyplnSablonu(SqlSmazatKuKat, {id}), QStringLiteral("delete from ku where ku_id=") + id});
}

QStringList PrikazyUlozeniUdalosti(const UdalostPole& u, int zaznamId, int noveId, int uzivatel,
                                   const TKategorieKUC& kategorie,
                                   const std::optional<PrectenyZaznam<UdalostPole>>& precteny)
{
    const auto hodnoty = [](const UdalostPole& x) {
        return QStringList{DatumSQL(x.Datum), DatumCasSQL(x.Datum, x.CasOd), DatumCasSQL(x.Datum, x.CasDo),
                           LogikaSQL(x.CelyDen), TextSQL(x.Nazev)} +
               AlarmSQL(x);
    };
    const QStringList pole = hodnoty(u);
    QStringList out;
    if (zaznamId != 0) {
        out << PrikazUpravy(kUpdate, u, precteny, [&](const UdalostPole& x) {
            return hodnoty(x) + UpravaSPravySQL(uzivatel, x.Prava) << n(zaznamId);
        });
        // Links the user left alone keep what others stored.
        if (!precteny || kategorie.Zmeneno())
            out << kategorie.PrikazyOdkazu(zaznamId, SqlSmazatKuKat, SqlVlozitKuKat);
    } else {
        out << VyplnSablonu(kInsert, QStringList{n(noveId)} + pole + VlozeniSPravySQL(uzivatel, u.Prava));
        out << kategorie.PrikazyOdkazu(noveId, QString(), SqlVlozitKuKatNovy);
    }
    return out;
}
