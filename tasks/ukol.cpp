#include "ukol.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/kategoriekuc.h"

const QString kNacti = QStringLiteral(
    "Select DATUM,CAS_DO,AKTIVNI,NAZEV,ALARM,ALARM_DATUM,ALARM_CAS,ALARM_TYP_AKCE,ALARM_AKCE,F_CIST,"
    "F_EDITOVAT,F_SMAZAT,F_ALARM,F_ADMINISTROVAT,REVIZE from ukoly where (ukoly.UKOLY_ID=%d);");
const QString SqlPoznamkaUkolu = QStringLiteral("Select poznamka from ukoly where (ukoly.UKOLY_ID=%d);");

namespace
{

const QString kUpdate =
    QStringLiteral("update ukoly set "
                   "datum=%s,cas_do=%s,aktivni=%s,NAZEV=%s,ALARM=%s,ALARM_DATUM=%s,ALARM_CAS=%s,"
                   "ALARM_TYP_AKCE=%d,ALARM_AKCE=%s,editoval_kdo=%d,editoval_kdy=%s,") +
    QStringLiteral("F_CIST=%d,F_EDITOVAT=%d,F_SMAZAT=%d,F_ALARM=%d,F_ADMINISTROVAT=%d where UKOLY_ID=%d");
const QString kInsert =
    QStringLiteral("insert into "
                   "ukoly(UKOLY_ID,datum,cas_do,AKTIVNI,NAZEV,ALARM,ALARM_DATUM,ALARM_CAS,ALARM_TYP_AKCE,"
                   "ALARM_AKCE,vytvoril_kdo,vytvoril_kdy,editoval_kdo,editoval_kdy,F_CIST,F_EDITOVAT,F_"
                   "SMAZAT,F_ALARM,F_ADMINISTROVAT) ") +
    QStringLiteral(" values(%d,%s,%s,%s,%s,%s,%s,%s,%d,%s,%d,%s,%d,%s,%d,%d,%d,%d,%d);");
// A new task's links end with ";", a stored task's do not.
const QString kVlozitKatNovy =
    QStringLiteral("Insert into ukoly_kat(UKOLY_ID,KU_C_KAT_ID,HLAVNI) values(%d,%d,%d);");
const QString kSmazat = QStringLiteral("delete from ukoly where UKOLY_ID=%d");

QString n(int v)
{
    return QString::number(v);
}

} // namespace

std::optional<UkolPole> NactiUkol(TSQLDATA& db, int id)
{
    TKTDATASET t;
    db.NactiTabulku(VyplnSablonu(kNacti, {QString::number(id)}), t);
    if (t.PocetRadku() < 1) return std::nullopt;
    UkolPole u;
    PolozkaZRadku(u, t, 1, 0);
    u.Aktivni = t.HodnotaBool(1, QStringLiteral("AKTIVNI"));
    u.Revize = t.HodnotaInt(1, QStringLiteral("REVIZE"));
    return u;
}

bool UkolMaPlatnaData(const UkolPole& u)
{
    if (!MaDatum(u) || !PlatneDatum(u.Datum) || !PlatnyCas(u.CasDo) || !AlarmMaPlatnaData(u)) return false;
    return !u.Alarm || !JePrazdneDatum(u.AlarmDatum);
}

QStringList PrikazyUlozeniUkolu(const UkolPole& u, int zaznamId, int noveId, int uzivatel,
                                const TKategorieKUC& kategorie,
                                const std::optional<PrectenyZaznam<UkolPole>>& precteny)
{
    const auto hodnoty = [](const UkolPole& x) {
        return QStringList{DatumSQL(x.Datum), DatumCasSQL(x.Datum, x.CasDo), LogikaSQL(x.Aktivni),
                           TextSQL(x.Nazev)} +
               AlarmSQL(x);
    };
    const QStringList pole = hodnoty(u);
    QStringList out;
    if (zaznamId != 0) {
        out << PrikazUpravy(kUpdate, u, precteny, [&](const UkolPole& x) {
            return hodnoty(x) + UpravaSPravySQL(uzivatel, x.Prava) << n(zaznamId);
        });
        if (!precteny || kategorie.Zmeneno())
            out << kategorie.PrikazyOdkazu(zaznamId, SqlSmazatUkolyKat, SqlVlozitUkolyKat);
    } else {
        out << VyplnSablonu(kInsert, QStringList{n(noveId)} + pole + VlozeniSPravySQL(uzivatel, u.Prava));
        out << kategorie.PrikazyOdkazu(noveId, QString(), kVlozitKatNovy);
    }
    return out;
}

VysledekZapisu UlozUkol(TDataModuleIb& db, const UkolPole& u, int zaznamId, int uzivatel,
                        const TKategorieKUC& kategorie, const std::optional<QByteArray>& poznamka,
                        const std::optional<PrectenyZaznam<UkolPole>>& precteny)
{
    std::optional<PoznamkaZapisu> p;
    if (poznamka) p = PoznamkaZapisu{QStringLiteral("UPDATE_UKOLY_POZNAMKA"), 0, *poznamka};
    return ZapisZaznam(
        db, zaznamId, QStringLiteral("UKOLY_ID"),
        [&](int id) {
            return PrikazyUlozeniUkolu(u, zaznamId, zaznamId == 0 ? id : 0, uzivatel, kategorie, precteny);
        },
        p, true, Hlidani(precteny, QStringLiteral("UKOLY"), QStringLiteral("UKOLY_ID")));
}

VysledekZapisu SmazUkol(TDataModuleIb& db, int zaznamId)
{
    const QString id = QString::number(zaznamId);
    return SmazZaznam(db, {VyplnSablonu(SqlSmazatUkolyKat, {id}), VyplnSablonu(kSmazat, {id})});
}
