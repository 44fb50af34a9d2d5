#include "ukol.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/kategoriekuc.h"
#include "records/opakovani.h"

const QString kNacti = QStringLiteral(
    "Select DATUM,CAS_DO,AKTIVNI,NAZEV,ALARM,ALARM_DATUM,ALARM_CAS,ALARM_TYP_AKCE,ALARM_AKCE,F_CIST,"
    "F_EDITOVAT,F_SMAZAT,F_ALARM,F_ADMINISTROVAT,REVIZE,OPAKOVANI from ukoly where (ukoly.UKOLY_ID=%d);");
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
    u.Opakovani = t.HodnotaJmeno(1, QStringLiteral("OPAKOVANI")).trimmed();
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
    // The rule's columns follow the rule and the deadline (a counted series ends by it).
    const bool zmenaPravidla =
        zaznamId == 0 || !precteny
            ? !u.Opakovani.isEmpty()
            : precteny->pole.Opakovani != u.Opakovani ||
                  (!u.Opakovani.isEmpty() && TerminUkolu(precteny->pole) != TerminUkolu(u));
    if (zmenaPravidla)
        out << PrikazPravidla(QStringLiteral("ukoly"), u.Opakovani, TerminUkolu(u),
                              zaznamId != 0 ? zaznamId : noveId);
    return out;
}

QDateTime TerminUkolu(const UkolPole& u)
{
    const std::optional<QString> d = KanonickeDatum(u.Datum);
    if (!d) return QDateTime();
    const std::optional<QString> c = KanonickyCas(u.CasDo);
    return QDateTime(QDate::fromString(*d, QStringLiteral("d.M.yyyy")),
                     c ? QTime::fromString(*c, QStringLiteral("H:mm:ss")) : QTime(0, 0));
}

std::optional<UkolPole> DalsiTerminSerie(const UkolPole& u)
{
    const QDateTime termin = TerminUkolu(u);
    if (u.Opakovani.isEmpty() || !termin.isValid()) return std::nullopt;
    const std::optional<QDateTime> dalsi = opakovani::DalsiVyskyt(u.Opakovani, termin, {}, termin);
    if (!dalsi) return std::nullopt;
    UkolPole s = u;
    s.Aktivni = true;
    // The series now starts later: a count becomes the end it gave.
    s.Opakovani = PravidloSKoncem(u.Opakovani, termin);
    s.Datum = dalsi->date().toString(QStringLiteral("d.M.yyyy"));
    if (!u.CasDo.trimmed().isEmpty()) s.CasDo = dalsi->time().toString(QStringLiteral("H:mm:ss"));
    if (const std::optional<QString> a = KanonickeDatum(u.AlarmDatum))
        s.AlarmDatum = QDate::fromString(*a, QStringLiteral("d.M.yyyy"))
                           .addDays(termin.date().daysTo(dalsi->date()))
                           .toString(QStringLiteral("d.M.yyyy"));
    return s;
}

VysledekZapisu UlozUkol(TDataModuleIb& db, const UkolPole& u, int zaznamId, int uzivatel,
                        const TKategorieKUC& kategorie, const std::optional<QByteArray>& poznamka,
                        const std::optional<PrectenyZaznam<UkolPole>>& precteny)
{
    std::optional<PoznamkaZapisu> p;
    if (poznamka) p = PoznamkaZapisu{QStringLiteral("UPDATE_UKOLY_POZNAMKA"), 0, *poznamka};
    // A recurring task marked done: the occurrence stays done as a row of
    // its own, the series goes on with its next deadline.
    const bool splneno = zaznamId != 0 && !u.Aktivni && (!precteny || precteny->pole.Aktivni);
    if (const std::optional<UkolPole> dalsi = splneno ? DalsiTerminSerie(u) : std::nullopt) {
        const int hotovyId = db.NoveID(QStringLiteral("UKOLY_ID"));
        UkolPole hotovy = u;
        hotovy.Opakovani.clear();
        const QString serie = n(zaznamId), hotovyText = n(hotovyId);
        return ZapisZaznam(
            db, zaznamId, QStringLiteral("UKOLY_ID"),
            [&](int) {
                QStringList out = PrikazyUlozeniUkolu(*dalsi, zaznamId, 0, uzivatel, kategorie, precteny);
                out << PrikazyUlozeniUkolu(hotovy, 0, hotovyId, uzivatel, kategorie);
                out << QStringLiteral("update ukoly set serie_id=%1, puvodni_vyskyt=%2, poznamka=(select "
                                      "s.poznamka from ukoly s where s.ukoly_id=%1) where ukoly_id=%3")
                           .arg(serie,
                                DatumCasSQL(TerminUkolu(u).toString(QStringLiteral("d.M.yyyy")),
                                            TerminUkolu(u).toString(QStringLiteral("H:mm:ss"))),
                                hotovyText);
                return out;
            },
            p, true, Hlidani(precteny, QStringLiteral("UKOLY"), QStringLiteral("UKOLY_ID")));
    }
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
