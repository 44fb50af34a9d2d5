#include "tasks/planovacalarmu.h"

#include "common/action.h"
#include "common/session.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"

#include <cmath>
#include <optional>

Q_LOGGING_CATEGORY(orvanAlarmy, "orvan.alarms", QtWarningMsg)

const QString SqlDalsiAlarmKU = QStringLiteral(
    "Select FIRST 1 alarm_datum,alarm_cas from ku where (alarm=1) and ((alarm_datum>%s) or ((alarm_datum=%s) "
    "and (alarm_cas>%s)))");
const QString SqlDalsiAlarmUkoly =
    QStringLiteral("Select FIRST 1 alarm_datum,alarm_cas from ukoly where (aktivni=1) and (alarm=1) and "
                   "((alarm_datum>%s) or ((alarm_datum=%s) and (alarm_cas>%s)))");
const QString SqlAlarmyKU =
    QStringLiteral("Select ku_id as id,%s as tabulka,alarm_typ_akce,alarm_akce from ku where (alarm=1) and "
                   "((alarm_datum=%s) and (alarm_cas=%s))");
const QString SqlAlarmyUkoly = QStringLiteral(
    "Select ukoly_id as id,%s as tabulka,alarm_typ_akce,alarm_akce from ukoly where (aktivni=1) "
    "and (alarm=1) and ((alarm_datum=%s) and (alarm_cas=%s))");
const QString SqlPotvrzeniAlarmu =
    QStringLiteral("update uzivatel set ALARM_POSL_CAS=%s, ALARM_POSL_DATUM=%s where uzivatel_id=%d");

namespace
{

const QString kPoradiHledani = QStringLiteral(" order by alarm_datum,alarm_cas ");
const QString kPoradiAlarmu = QStringLiteral(" order by alarm_datum,alarm_cas");

// Instants compare to the millisecond; day fractions are not exact.
qint64 ms(DatumCas d)
{
    return std::llround(d * 86400000.0);
}

// The instant of "date,timestamp" as the search reads it; nothing when none can be formed.
std::optional<DatumCas> okamzik(const QString& radek)
{
    if (radek.isEmpty()) return std::nullopt;
    const qsizetype carka = radek.indexOf(QLatin1Char(','));
    const QString datum = carka < 0 ? radek : radek.left(carka);
    const QString cas = carka < 0 ? QString() : radek.mid(carka + 1);
    try {
        return DatumZTextu(datum) + CasZTextu(cas);
    } catch (const ActionError&) {
        return std::nullopt;
    }
}

QString casNebo0(const QString& t)
{
    const QString c = CasCast(t).trimmed();
    return c.isEmpty() ? QStringLiteral("00:00:00") : c;
}

} // namespace

QString FragmentPravAlarmu(const QString& tabulka, const QString& skupinyText)
{
    if (skupinyText.isEmpty()) return QString();
    return QStringLiteral(" and ((%1.f_alarm is null) or (%1.f_alarm=0) or (%1.f_alarm in (%2)))")
        .arg(tabulka, skupinyText);
}

PlanovacAlarmu::PlanovacAlarmu(TSQLDATA& db, Session& s) : m_db(db), m_s(s) {}

bool PlanovacAlarmu::NajdiDalsiAlarm()
{
    const QString d = DatumSQL(m_s.AlarmPoslDatum);
    const QString dc = DatumCasSQL(m_s.AlarmPoslDatum, m_s.AlarmPoslCas);
    const QString ku =
        m_db.VratRadek(VyplnSablonu(SqlDalsiAlarmKU, {d, d, dc}) +
                       FragmentPravAlarmu(QStringLiteral("ku"), m_s.SkupinyText) + kPoradiHledani);
    const QString uk =
        m_db.VratRadek(VyplnSablonu(SqlDalsiAlarmUkoly, {d, d, dc}) +
                       FragmentPravAlarmu(QStringLiteral("ukoly"), m_s.SkupinyText) + kPoradiHledani);
    const std::optional<DatumCas> tKu = okamzik(ku);
    const std::optional<DatumCas> tUk = okamzik(uk);
    if (!tKu && !tUk) {
        // Nothing, or rows without an instant: no alarm rather than a box on every search.
        if (!ku.isEmpty() || !uk.isEmpty())
            qCWarning(orvanAlarmy) << "alarm row without an instant:" << ku << uk;
        m_ceka = false;
        return false;
    }
    const QString& zvoleny = (!tUk || (tKu && *tKu < *tUk)) ? ku : uk;
    const qsizetype carka = zvoleny.indexOf(QLatin1Char(','));
    const QString datum = DatumCast(zvoleny.left(carka));
    const QString cas = casNebo0(zvoleny.mid(carka + 1));
    m_dalsi = TextNaDatum(2, datum + QLatin1Char(' ') + cas);
    m_ceka = true;
    return true;
}

bool PlanovacAlarmu::SpustAlarmy(QList<AlarmRadek>& radky)
{
    radky.clear();
    if (!NajdiDalsiAlarm()) return false;
    if (ms(Ted()) < ms(m_dalsi)) return false;
    const QString d = DatumNaText(4, m_dalsi);
    const QString t = DatumNaText(3, m_dalsi);
    TKTDATASET tab;
    m_db.NactiTabulku(
        VyplnSablonu(SqlAlarmyKU, {TextSQL(QStringLiteral("ku")), DatumSQL(d), DatumCasSQL(d, t)}) +
            FragmentPravAlarmu(QStringLiteral("ku"), m_s.SkupinyText) + kPoradiAlarmu,
        tab);
    m_db.PridejDotaz(
        VyplnSablonu(SqlAlarmyUkoly, {TextSQL(QStringLiteral("ukoly")), DatumSQL(d), DatumCasSQL(d, t)}) +
            FragmentPravAlarmu(QStringLiteral("ukoly"), m_s.SkupinyText) + kPoradiAlarmu,
        tab);
    for (int r = 1; r <= tab.PocetRadku(); ++r) {
        AlarmRadek a;
        a.id = tab.HodnotaInt(r, QStringLiteral("ID"));
        a.tabulka = tab.HodnotaJmeno(r, QStringLiteral("TABULKA")).trimmed();
        a.typ = tab.HodnotaInt(r, QStringLiteral("ALARM_TYP_AKCE"));
        a.akce = tab.HodnotaJmeno(r, QStringLiteral("ALARM_AKCE"));
        radky << a;
    }
    m_s.AlarmPoslCas = t;
    m_s.AlarmPoslDatum = d;
    return true;
}

void PlanovacAlarmu::Tik(const std::function<void(const QList<AlarmRadek>&)>& proved)
{
    QList<AlarmRadek> radky;
    while (m_ceka && ms(Ted()) >= ms(m_dalsi)) {
        if (SpustAlarmy(radky)) proved(radky);
    }
}

AlarmInfo NactiAlarmInfo(TSQLDATA& db, const QString& tabulka, int id)
{
    AlarmInfo info;
    // The table name comes from the scheduler's own query; nothing else is read.
    const bool ku = tabulka == QLatin1String("ku");
    if (!ku && tabulka != QLatin1String("ukoly")) return info;
    TKTDATASET t;
    db.NactiTabulku(QStringLiteral("Select * from %1 where %1_id=%2").arg(tabulka).arg(id), t);
    if (t.PocetRadku() < 1) return info;
    info.nalezen = true;
    info.datum = DatumCast(t.HodnotaJmeno(1, QStringLiteral("DATUM")));
    info.cas = CasCast(t.HodnotaJmeno(1, ku ? QStringLiteral("CAS_OD") : QStringLiteral("CAS_DO")));
    info.nazev = t.HodnotaJmeno(1, QStringLiteral("NAZEV"));
    info.alarm = DatumCast(t.HodnotaJmeno(1, QStringLiteral("ALARM_DATUM"))) + QLatin1Char(' ') +
                 CasCast(t.HodnotaJmeno(1, QStringLiteral("ALARM_CAS")));
    return info;
}

DatumCas PosledniPotvrzeny(const Session& s, DatumCas odlozeny)
{
    const DatumCas posl = TextNaDatum(2, s.AlarmPoslDatum + QLatin1Char(' ') + s.AlarmPoslCas);
    if (odlozeny == 0) return posl;
    const DatumCas tesnePred = odlozeny - 1.0 / 86400.0;
    return ms(tesnePred) < ms(posl) ? tesnePred : posl;
}

VysledekZapisu PotvrdAlarmy(TSQLDATA& db, const Session& s, DatumCas odlozeny)
{
    const DatumCas t = PosledniPotvrzeny(s, odlozeny);
    return db.ProvedSQL(
        VyplnSablonu(SqlPotvrzeniAlarmu, {TextSQL(DatumNaText(3, t)), TextSQL(DatumNaText(4, t)),
                                          QString::number(s.UzivatelID)}));
}

void ZacniAlarmyOdTed(TSQLDATA& db, Session& s)
{
    const QString ulozeno = db.VratRadek(
        QStringLiteral("select alarm_posl_datum from uzivatel where uzivatel_id=%1").arg(s.UzivatelID));
    if (!ulozeno.trimmed().isEmpty()) return;
    const DatumCas ted = Ted();
    s.AlarmPoslDatum = DatumNaText(4, ted);
    s.AlarmPoslCas = DatumNaText(3, ted);
    const VysledekZapisu v =
        db.ProvedSQL(VyplnSablonu(SqlPotvrzeniAlarmu, {TextSQL(s.AlarmPoslCas), TextSQL(s.AlarmPoslDatum),
                                                       QString::number(s.UzivatelID)}) +
                     QStringLiteral(" and (alarm_posl_datum is null or alarm_posl_datum=\"\")"));
    // A read-only database keeps the start in this run only.
    if (!v.ok) qCWarning(orvanAlarmy) << "alarm start not stored:" << v.chyba;
}
