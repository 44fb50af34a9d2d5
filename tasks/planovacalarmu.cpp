#include "tasks/planovacalarmu.h"

#include "common/action.h"
#include "common/session.h"
#include "data/fb.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/opakovani.h"
#include "records/vyskyty.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

Q_LOGGING_CATEGORY(orvanAlarmy, "orvan.alarms", QtWarningMsg)

// Series alarm per occurrence through their own search below; a cancelled
// occurrence does not alarm at all.
const QString SqlDalsiAlarmKU =
    QStringLiteral("Select FIRST 1 alarm_datum,alarm_cas from ku where (alarm=1) and ((alarm_datum>%s) or "
                   "((alarm_datum=%s) and (alarm_cas>%s)))") +
    QStringLiteral(" and (opakovani is null) and (zruseno is null or zruseno=0)");
const QString SqlDalsiAlarmUkoly =
    QStringLiteral("Select FIRST 1 alarm_datum,alarm_cas from ukoly where (aktivni=1) and (alarm=1) and "
                   "((alarm_datum>%s) or ((alarm_datum=%s) and (alarm_cas>%s)))") +
    QStringLiteral(" and (opakovani is null) and (zruseno is null or zruseno=0)");
const QString SqlAlarmyKU =
    QStringLiteral("Select ku_id as id,%s as tabulka,alarm_typ_akce,alarm_akce from ku where (alarm=1) and "
                   "((alarm_datum=%s) and (alarm_cas=%s))") +
    QStringLiteral(" and (opakovani is null) and (zruseno is null or zruseno=0)");
const QString SqlAlarmyUkoly =
    QStringLiteral(
        "Select ukoly_id as id,%s as tabulka,alarm_typ_akce,alarm_akce from ukoly where (aktivni=1) "
        "and (alarm=1) and ((alarm_datum=%s) and (alarm_cas=%s))") +
    QStringLiteral(" and (opakovani is null) and (zruseno is null or zruseno=0)");
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

constexpr qint64 kMsDne = 86400000;

// Wall-clock instants as milliseconds on one line: day numbers before 1900
// (the handled instant of a user who never had an alarm) do not order as numbers.
qint64 klic(DatumCas d)
{
    const RozlozenyCas r = RozlozDatum(d);
    return QDate(r.rok, r.mesic, r.den).toJulianDay() * kMsDne +
           qint64(((r.hodina * 60 + r.minuta) * 60 + r.sekunda) * 1000 + r.ms);
}

// The instant of a stored date and timestamp (its time part; none is midnight).
qint64 klicTextu(const QString& datum, const QString& cas)
{
    static const qint64 k30121899 = QDate(1899, 12, 30).toJulianDay();
    return (k30121899 + qint64(DatumZTextu(datum))) * kMsDne + std::llround(CasZTextu(cas) * double(kMsDne));
}

qint64 klic(const QDateTime& t)
{
    return t.date().toJulianDay() * kMsDne + t.time().msecsSinceStartOfDay();
}

QDateTime naStenu(qint64 k)
{
    return QDateTime(QDate::fromJulianDay(k / kMsDne), QTime::fromMSecsSinceStartOfDay(int(k % kMsDne)));
}

DatumCas naDatum(qint64 k)
{
    const QDate d = QDate::fromJulianDay(k / kMsDne);
    const QTime t = QTime::fromMSecsSinceStartOfDay(int(k % kMsDne));
    return ZakodujDatumCas(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
}

// The instant as the database writes a timestamp: "d.m.yyyy", " h:mm:ss" unless midnight.
QString jakoVDatabazi(qint64 k)
{
    const QDateTime t = naStenu(k);
    const QString d = t.date().toString(QStringLiteral("d.M.yyyy"));
    return t.time() == QTime(0, 0) ? d : d + t.time().toString(QStringLiteral(" H:mm:ss"));
}

// A row's first start and how long before it its alarm comes. An event's start
// is DATUM with the time of CAS_OD (midnight for a whole day), a task's its
// deadline, DATUM with the time of CAS_DO. Throws ActionError on a malformed value.
struct CasyRadku {
    qint64 zacatek = 0;
    qint64 predstih = 0;
};

CasyRadku casyRadku(const QString& datum, const QString& cas, bool celyDen, const QString& alarmDatum,
                    const QString& alarmCas)
{
    CasyRadku c;
    c.zacatek = klicTextu(datum, celyDen ? QString() : cas);
    c.predstih = c.zacatek - klicTextu(alarmDatum, alarmCas);
    return c;
}

// What the search walks, in the order of its kinds: the series of events a
// user may receive alarms of, from the last handled day on (0), the rows
// replacing or cancelling their occurrences from that day on (1), and the
// same of tasks (2, 3). "+0": the index on the last occurrence finds the few
// series, not the one on ALARM that every row with an alarm shares nor the
// one on SERIE_ID that every single row's NULL shares; the replacing rows
// alone are walked on SERIE_ID from 1 on.
const QString kSerieKU = QStringLiteral("from ku where (konec_opakovani>=%s) and (opakovani is not null) and "
                                        "(serie_id+0 is null) and (alarm+0=1)");
const QString kZmenyKU = QStringLiteral("from ku where (serie_id>0) and (puvodni_vyskyt>=%s)");
const QString kSerieUkoly = QStringLiteral(
    "from ukoly where (konec_opakovani>=%s) and (opakovani is not null) and (serie_id+0 is null) "
    "and (alarm+0=1) and (aktivni+0=1)");
const QString kZmenyUkoly = QStringLiteral("from ukoly where (serie_id>0) and (puvodni_vyskyt>=%s)");

QStringList zdrojeSerii(const QString& den, const QString& skupiny)
{
    return {VyplnSablonu(kSerieKU, {den}) + FragmentPravAlarmu(QStringLiteral("ku"), skupiny),
            VyplnSablonu(kZmenyKU, {den}),
            VyplnSablonu(kSerieUkoly, {den}) + FragmentPravAlarmu(QStringLiteral("ukoly"), skupiny),
            VyplnSablonu(kZmenyUkoly, {den})};
}

const QString kDetailyKU =
    QStringLiteral("select ku_id as id,datum,cas_od as cas,cely_den,alarm_datum,alarm_cas,alarm_typ_akce,"
                   "alarm_akce,opakovani,vynechane from ku where ku_id in (%1)");
const QString kDetailyUkoly =
    QStringLiteral("select ukoly_id as id,datum,cas_do as cas,0 as cely_den,alarm_datum,alarm_cas,"
                   "alarm_typ_akce,alarm_akce,opakovani,vynechane from ukoly where ukoly_id in (%1)");
const QString kNahradyKU = QStringLiteral("select serie_id,puvodni_vyskyt from ku where serie_id in (%1)");
const QString kNahradyUkoly =
    QStringLiteral("select serie_id,puvodni_vyskyt from ukoly where serie_id in (%1)");

// Ids in one "in (...)" list: a long list costs more to prepare than it saves.
constexpr int kIdDavky = 100;

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
    const Okamzik posledni = klic(PosledniPotvrzeny(m_s, 0));
    std::optional<Okamzik> nejdriv;
    const auto zvaz = [&](std::optional<Okamzik> k) {
        if (k && (!nejdriv || *k < *nejdriv)) nejdriv = k;
    };
    if (tKu) zvaz(klic(*tKu));
    if (tUk) zvaz(klic(*tUk));
    nactiSerie();
    for (const bool ukoly : {false, true}) {
        rozvinSerie(ukoly, posledni);
        for (const AlarmSerie& a : std::as_const(m_serie[ukoly]))
            zvaz(a.alarm);
    }
    if (!nejdriv) {
        // Rows without an instant: no alarm rather than a box on every search.
        if (!ku.isEmpty() || !uk.isEmpty())
            qCWarning(orvanAlarmy) << "alarm row without an instant:" << ku << uk;
        m_ceka = false;
        return false;
    }
    m_dalsi = naDatum(*nejdriv);
    m_ceka = true;
    return true;
}

void PlanovacAlarmu::nactiSerie()
{
    const QStringList z = zdrojeSerii(DatumSQL(m_s.AlarmPoslDatum), m_s.SkupinyText);
    const QString dotaz = z.join(QLatin1Char('|'));
    // The shared read transaction is a snapshot, renewed on change events and
    // after writes: while it is the same one of the same database, nothing it
    // reads can have changed, unless a batch of writes (an import) runs in it.
    const QString transakce = m_db.VratRadek(
        QStringLiteral("select rdb$get_context('SYSTEM','DB_NAME'),current_connection,current_transaction,"
                       "rdb$get_context('SYSTEM','ISOLATION_LEVEL') from rdb$database"));
    const bool snimek = !transakce.contains(QLatin1String("READ COMMITTED"));
    if (snimek && !m_db.Davka() && transakce == m_transakceSerii && dotaz == m_dotazSerii) return;
    // Then the rows are read only when their sums changed: each row fetched
    // costs more than the server's walk over them all. An edit raises a
    // revision, a row that comes or goes moves the count and the sums of ids.
    QString soucty = QStringLiteral("select * from ");
    for (int druh = 0; druh < 4; ++druh)
        soucty += QStringLiteral("%1(select count(*) n%2,sum(%3) s%2,sum(revize) r%2 %4) a%2")
                      .arg(druh ? QStringLiteral(",") : QString())
                      .arg(druh)
                      .arg(druh < 2 ? QStringLiteral("ku_id") : QStringLiteral("ukoly_id"), z[druh]);
    const QString otisk = dotaz + QLatin1Char('|') + m_db.VratRadek(soucty);
    if (otisk != m_otiskSerii) nactiRadkySerii(z);
    m_otiskSerii = otisk;
    m_dotazSerii = dotaz;
    m_transakceSerii = snimek ? transakce : QString();
}

void PlanovacAlarmu::nactiRadkySerii(const QStringList& z)
{
    QList<std::pair<int, int>> serie[2];
    QHash<int, QList<std::pair<int, int>>> zmeny[2];
    m_db.OtevriDotaz(
        QStringLiteral("select 0,ku_id,revize,0 %1 union all select 1,serie_id,ku_id,revize %2 union "
                       "all select 2,ukoly_id,revize,0 %3 union all select 3,serie_id,ukoly_id,"
                       "revize %4")
            .arg(z[0], z[1], z[2], z[3]));
    fb::Cursor& c = m_db.cursor();
    while (c.next()) {
        const int druh = c.text(0).toInt();
        if (druh % 2 == 0)
            serie[druh / 2].append({c.text(1).toInt(), c.text(2).toInt()});
        else
            zmeny[druh / 2][c.text(1).toInt()].append({c.text(2).toInt(), c.text(3).toInt()});
    }
    c.close();
    for (const bool ukoly : {false, true}) {
        // What is not read any more (deleted, ended, no alarm, no right) goes;
        // a series unchanged keeps its next alarm.
        SerieTabulky stare;
        stare.swap(m_serie[ukoly]);
        for (const auto& [id, revize] : std::as_const(serie[ukoly])) {
            QList<std::pair<int, int>> zmenene = zmeny[ukoly].value(id);
            std::sort(zmenene.begin(), zmenene.end());
            const auto it = stare.constFind(id);
            if (it != stare.cend() && it->revize == revize && it->zmeny == zmenene) {
                m_serie[ukoly].insert(id, *it);
                continue;
            }
            AlarmSerie a;
            a.revize = revize;
            a.zmeny = zmenene;
            m_serie[ukoly].insert(id, a);
        }
    }
}

void PlanovacAlarmu::rozvinSerie(bool ukoly, Okamzik posledni)
{
    const QString tabulka = ukoly ? QStringLiteral("ukoly") : QStringLiteral("ku");
    QList<int> nove;
    for (auto it = m_serie[ukoly].cbegin(); it != m_serie[ukoly].cend(); ++it) {
        const AlarmSerie& a = it.value();
        if (a.po && *a.po <= posledni && (!a.alarm || posledni < *a.alarm)) continue;
        nove << it.key();
    }
    for (qsizetype od = 0; od < nove.size(); od += kIdDavky) {
        const QList<int> davka = nove.mid(od, kIdDavky);
        QStringList ids;
        for (const int id : davka)
            ids << QString::number(id);
        const QString seznam = ids.join(QLatin1Char(','));
        QHash<int, QList<QDateTime>> nahrazene;
        TKTDATASET z;
        m_db.NactiTabulku((ukoly ? kNahradyUkoly : kNahradyKU).arg(seznam), z);
        for (int r = 1; r <= z.PocetRadku(); ++r) {
            const QString puvodni = z.HodnotaJmeno(r, QStringLiteral("PUVODNI_VYSKYT"));
            try {
                nahrazene[z.HodnotaInt(r, QStringLiteral("SERIE_ID"))]
                    << naStenu(klicTextu(puvodni, puvodni));
            } catch (const ActionError&) {
                qCWarning(orvanAlarmy) << "replaced occurrence without a start:" << tabulka << puvodni;
            }
        }
        TKTDATASET d;
        m_db.NactiTabulku((ukoly ? kDetailyUkoly : kDetailyKU).arg(seznam), d);
        // Without an alarm until its row says otherwise: a row read wrongly or
        // deleted meanwhile is not read again on every search. A failed read
        // leaves them to the next search.
        for (const int id : davka) {
            AlarmSerie& a = m_serie[ukoly][id];
            a.po = posledni;
            a.alarm.reset();
        }
        for (int r = 1; r <= d.PocetRadku(); ++r) {
            const int id = d.HodnotaInt(r, QStringLiteral("ID"));
            const auto it = m_serie[ukoly].find(id);
            if (it == m_serie[ukoly].end()) continue;
            it->typ = d.HodnotaInt(r, QStringLiteral("ALARM_TYP_AKCE"));
            it->akce = d.HodnotaJmeno(r, QStringLiteral("ALARM_AKCE"));
            CasyRadku c;
            try {
                c = casyRadku(d.HodnotaJmeno(r, QStringLiteral("DATUM")),
                              d.HodnotaJmeno(r, QStringLiteral("CAS")),
                              d.HodnotaBool(r, QStringLiteral("CELY_DEN")),
                              d.HodnotaJmeno(r, QStringLiteral("ALARM_DATUM")),
                              d.HodnotaJmeno(r, QStringLiteral("ALARM_CAS")));
            } catch (const ActionError& e) {
                // Kept without an alarm until the row changes: no warning on every search.
                qCWarning(orvanAlarmy) << "series without an alarm instant:" << tabulka << id << e.text();
                continue;
            }
            const QString pravidlo = d.HodnotaJmeno(r, QStringLiteral("OPAKOVANI"));
            QList<QDateTime> vynechane = VynechaneZTextu(d.HodnotaJmeno(r, QStringLiteral("VYNECHANE")));
            vynechane << nahrazene.value(id);
            const QDateTime zacatek = naStenu(c.zacatek);
            // The first occurrence whose alarm comes after the handled instant.
            // Wall-clock times in a clock change's gap or repeated hour may
            // compare otherwise than their readings: those are stepped over.
            QDateTime po = naStenu(posledni + c.predstih);
            for (int krok = 0; krok < 4; ++krok) {
                const std::optional<QDateTime> v = opakovani::DalsiVyskyt(pravidlo, zacatek, vynechane, po);
                if (!v) break;
                if (klic(*v) - c.predstih > posledni) {
                    it->vyskyt = klic(*v);
                    it->alarm = it->vyskyt - c.predstih;
                    break;
                }
                po = *v;
            }
        }
    }
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
    QList<AlarmRadek> serie[2];
    const Okamzik ted = klic(m_dalsi);
    for (const bool ukoly : {false, true})
        for (auto it = m_serie[ukoly].cbegin(); it != m_serie[ukoly].cend(); ++it)
            if (it->alarm == ted)
                serie[ukoly] << AlarmRadek{ukoly ? QStringLiteral("ukoly") : QStringLiteral("ku"), it.key(),
                                           it->typ, it->akce, naDatum(it->vyskyt)};
    for (int r = 1; r <= tab.PocetRadku(); ++r) {
        AlarmRadek a;
        a.id = tab.HodnotaInt(r, QStringLiteral("ID"));
        a.tabulka = tab.HodnotaJmeno(r, QStringLiteral("TABULKA")).trimmed();
        a.typ = tab.HodnotaInt(r, QStringLiteral("ALARM_TYP_AKCE"));
        a.akce = tab.HodnotaJmeno(r, QStringLiteral("ALARM_AKCE"));
        // Events first: the series' events before the first task.
        if (a.tabulka == QLatin1String("ukoly") && !serie[0].isEmpty()) radky << std::exchange(serie[0], {});
        radky << a;
    }
    radky << serie[0] << serie[1];
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

AlarmInfo NactiAlarmInfo(TSQLDATA& db, const QString& tabulka, int id, DatumCas vyskyt)
{
    AlarmInfo info;
    // The table name comes from the scheduler's own query; nothing else is read.
    const bool ku = tabulka == QLatin1String("ku");
    if (!ku && tabulka != QLatin1String("ukoly")) return info;
    TKTDATASET t;
    db.NactiTabulku(QStringLiteral("Select * from %1 where %1_id=%2").arg(tabulka).arg(id), t);
    if (t.PocetRadku() < 1) return info;
    info.nalezen = true;
    const QString datum = t.HodnotaJmeno(1, QStringLiteral("DATUM"));
    const QString cas = t.HodnotaJmeno(1, ku ? QStringLiteral("CAS_OD") : QStringLiteral("CAS_DO"));
    const QString alarmDatum = t.HodnotaJmeno(1, QStringLiteral("ALARM_DATUM"));
    const QString alarmCas = t.HodnotaJmeno(1, QStringLiteral("ALARM_CAS"));
    info.datum = DatumCast(datum);
    info.cas = CasCast(cas);
    info.nazev = t.HodnotaJmeno(1, QStringLiteral("NAZEV"));
    info.alarm = DatumCast(alarmDatum) + QLatin1Char(' ') + CasCast(alarmCas);
    if (vyskyt == 0) return info;
    // An occurrence of a series: its own day and time, its alarm as long before it as the series'.
    try {
        const CasyRadku c =
            casyRadku(datum, cas, ku && t.HodnotaBool(1, QStringLiteral("CELY_DEN")), alarmDatum, alarmCas);
        const QString zacatek = jakoVDatabazi(klic(vyskyt));
        const QString alarm = jakoVDatabazi(klic(vyskyt) - c.predstih);
        info.datum = DatumCast(zacatek);
        info.cas = CasCast(zacatek);
        info.alarm = DatumCast(alarm) + QLatin1Char(' ') + CasCast(alarm);
    } catch (const ActionError& e) {
        qCWarning(orvanAlarmy) << "occurrence's alarm not formed:" << tabulka << id << e.text();
    }
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
