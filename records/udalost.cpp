#include "udalost.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/kategoriekuc.h"

const QString kNacti = QStringLiteral(
    "Select DATUM,CAS_OD,CAS_DO,CELY_DEN,NAZEV,ALARM,ALARM_DATUM,ALARM_CAS,ALARM_TYP_AKCE,ALARM_AKCE,F_CIST,"
    "F_EDITOVAT,F_SMAZAT,F_ALARM,F_ADMINISTROVAT from ku where (ku.ku_id=%d);");
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
    return u;
}

bool UdalostMaPlatnaData(const UdalostPole& u)
{
    return MaDatum(u) && PlatneDatum(u.Datum) && PlatnyCas(u.CasOd) && PlatnyCas(u.CasDo) &&
           AlarmMaPlatnaData(u);
}

VysledekZapisu UlozUdalost(TDataModuleIb& db, const UdalostPole& u, int zaznamId, int uzivatel,
                           const TKategorieKUC& kategorie, const QByteArray& poznamka)
{
    return ZapisZaznam(
        db, zaznamId, QStringLiteral("KU_ID"),
        [&](int id) {
            return PrikazyUlozeniUdalosti(u, zaznamId, zaznamId == 0 ? id : 0, uzivatel, kategorie);
        },
        PoznamkaZapisu{QStringLiteral("UPDATE_KU_POZNAMKA"), 0, poznamka});
}

VysledekZapisu SmazUdalost(TDataModuleIb& db, int zaznamId)
{
    const QString id = QString::number(zaznamId);
    return SmazZaznam(
        db, {VyplnSablonu(SqlSmazatKuKat, {id}), QStringLiteral("delete from ku where ku_id=") + id});
}

QStringList PrikazyUlozeniUdalosti(const UdalostPole& u, int zaznamId, int noveId, int uzivatel,
                                   const TKategorieKUC& kategorie)
{
    const QStringList pole =
        QStringList{DatumSQL(u.Datum), DatumCasSQL(u.Datum, u.CasOd), DatumCasSQL(u.Datum, u.CasDo),
                    LogikaSQL(u.CelyDen), TextSQL(u.Nazev)} +
        AlarmSQL(u);
    QStringList out;
    if (zaznamId != 0) {
        out << VyplnSablonu(kUpdate, pole + UpravaSPravySQL(uzivatel, u.Prava) << n(zaznamId));
        out << kategorie.PrikazyOdkazu(zaznamId, SqlSmazatKuKat, SqlVlozitKuKat);
    } else {
        out << VyplnSablonu(kInsert, QStringList{n(noveId)} + pole + VlozeniSPravySQL(uzivatel, u.Prava));
        out << kategorie.PrikazyOdkazu(noveId, QString(), SqlVlozitKuKatNovy);
    }
    return out;
}
