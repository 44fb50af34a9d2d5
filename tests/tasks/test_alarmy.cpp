#include "common/clock.h"
#include "common/ktdatumj.h"
#include "common/messages.h"
#include "common/session.h"
#include "fixtures/fake_shell.h"
#include "fixtures/session_groups.h"
#include "fixtures/testdb.h"
#include "tasks/planovacalarmu.h"
#include "tasks/ui/alarmy.h"
#include "tasks/ui/form_alarm.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace
{

// Series keep their wall-clock times across the Czech clock changes.
const bool kPasmo = [] {
    qputenv("TZ", "Europe/Prague");
    return true;
}();

QDateTime at(const char* text)
{
    return QDateTime::fromString(QLatin1String(text), QStringLiteral("d.M.yyyy H:mm:ss"));
}

QString dbText(const QDateTime& t)
{
    return t.toString(QStringLiteral("d.M.yyyy H:mm:ss"));
}

// Alarms of a fresh database seen by user "jana" of group 10 with a test
// clock; every test starts with no events, no tasks and nothing handled.
class Alarmy : public DbTest
{
protected:
    static constexpr int kVedeni = 10, kObchod = 20;

    static void SetUpTestSuite()
    {
        DbTest::SetUpTestSuite();
        s_user = testdb::addOffice(db());
    }

    void SetUp() override
    {
        DbTest::SetUp();
        exec(QStringLiteral("delete from ku"));
        exec(QStringLiteral("delete from ukoly"));
        exec(QStringLiteral("update uzivatel set alarm_posl_datum=null, alarm_posl_cas=null"));
        m_groups = std::make_unique<SessionGroups>(std::initializer_list<int>{kVedeni}, kVedeni);
        session().UzivatelID = s_user;
        session().AlarmPoslDatum = QStringLiteral("01.01.0001");
        session().AlarmPoslCas = QStringLiteral("00:00");
        m_clock.set(at("10.12.2026 9:00:00"));
        Clock::setCurrent(&m_clock);
    }

    void TearDown() override
    {
        for (TForm_ALARM* w : TForm_ALARM::Okna())
            delete w;
        Clock::setCurrent(nullptr);
        m_groups.reset();
    }

    // An event at the alarm's date with its start 30 minutes after the alarm;
    // `alarm` is "d.m.yyyy h:mm:ss" or a date alone (midnight). fAlarm -1 = NULL.
    static void ku(int id, const QString& alarm, int typ = 0, int fAlarm = -1,
                   const QString& akce = QString(),
                   const QString& nazev = QStringLiteral("Porada s klientem"))
    {
        const QString datum = alarm.section(QLatin1Char(' '), 0, 0);
        exec(QStringLiteral(
                 "insert into ku (ku_id, datum, cas_od, nazev, alarm, alarm_datum, alarm_cas, "
                 "alarm_typ_akce, alarm_akce, f_alarm) values (%1, \"%2\", \"%2 10:30\", \"%3\", 1, "
                 "\"%2\", \"%4\", %5, \"%6\", %7)")
                 .arg(id)
                 .arg(datum, nazev, alarm)
                 .arg(typ)
                 .arg(akce, fAlarm < 0 ? QStringLiteral("null") : QString::number(fAlarm)));
    }
    static void ukol(int id, const QString& alarm, int typ = 0, int fAlarm = -1, int aktivni = 1)
    {
        const QString datum = alarm.section(QLatin1Char(' '), 0, 0);
        exec(QStringLiteral("insert into ukoly (ukoly_id, datum, cas_do, aktivni, nazev, alarm, alarm_datum, "
                            "alarm_cas, alarm_typ_akce, f_alarm) values (%1, \"%2\", \"%2 16:45\", %3, "
                            "\"Odevzdat výkaz\", 1, \"%2\", \"%4\", %5, %6)")
                 .arg(id)
                 .arg(datum)
                 .arg(aktivni)
                 .arg(alarm)
                 .arg(typ)
                 .arg(fAlarm < 0 ? QStringLiteral("null") : QString::number(fAlarm)));
    }

    // A series from `start` ("d.M.yyyy H:mm:ss": an event's start, a task's
    // deadline) by `rule`, its alarm `minutes` before each occurrence.
    static void series(const QString& table, int id, const char* start, const QString& rule, int minutes,
                       int fAlarm = -1)
    {
        const bool task = table == QLatin1String("ukoly");
        const QDateTime from = at(start);
        const QDateTime alarm = from.addSecs(-60 * minutes);
        exec(
            QStringLiteral("insert into %1 (%1_id, datum, %2, nazev, alarm, alarm_datum, alarm_cas, f_alarm, "
                           "opakovani, konec_opakovani) values (%3, \"%4\", \"%5\", \"%6\", 1, \"%7\", "
                           "\"%8\", %9, '%10', '31.12.9999')")
                .arg(table, task ? QStringLiteral("cas_do") : QStringLiteral("cas_od"))
                .arg(id)
                .arg(from.date().toString(QStringLiteral("d.M.yyyy")), dbText(from),
                     task ? QStringLiteral("Odevzdat výkaz") : QStringLiteral("Porada týmu"),
                     alarm.date().toString(QStringLiteral("d.M.yyyy")), dbText(alarm),
                     fAlarm < 0 ? QStringLiteral("null") : QString::number(fAlarm), rule));
    }
    // A row of its own for the occurrence of series 1 at `original`: moved to
    // `start` with its alarm `minutes` before, or cancelled (its alarm columns
    // still filled, as a cancelled copy keeps them).
    static void occurrence(int id, const char* original, const char* start, int minutes, bool cancelled)
    {
        const QDateTime from = at(start);
        const QDateTime alarm = from.addSecs(-60 * minutes);
        exec(QStringLiteral(
                 "insert into ku (ku_id, datum, cas_od, nazev, alarm, alarm_datum, alarm_cas, serie_id, "
                 "puvodni_vyskyt, zruseno) values (%1, \"%2\", \"%3\", 'Porada týmu', 1, \"%4\", "
                 "\"%5\", 1, \"%6\", %7)")
                 .arg(id)
                 .arg(from.date().toString(QStringLiteral("d.M.yyyy")), dbText(from),
                      alarm.date().toString(QStringLiteral("d.M.yyyy")), dbText(alarm), dbText(at(original)),
                      cancelled ? QStringLiteral("1") : QStringLiteral("null")));
    }

    // Each performed instant as "ku 1, ukoly 2"; events come first, rows of one
    // table at one instant in no particular order (sorted here). A series'
    // row names the occurrence it alarms for: "ku 1 @30.3.2026 9:00:00".
    QStringList tick(PlanovacAlarmu& p)
    {
        QStringList instants;
        p.Tik([&](const QList<AlarmRadek>& rows) {
            QStringList r;
            for (const AlarmRadek& a : rows)
                r << QStringLiteral("%1 %2").arg(a.tabulka).arg(a.id) +
                         (a.vyskyt != 0 ? QStringLiteral(" @") + dbText(DatumNaQDateTime(a.vyskyt))
                                        : QString());
            QStringList sorted = r;
            sorted.sort();
            EXPECT_EQ(sorted.join(QString()).indexOf(QLatin1String("ukoly")),
                      r.join(QString()).indexOf(QLatin1String("ukoly")))
                << "events first";
            r = sorted;
            instants << r.join(QStringLiteral(", "));
        });
        return instants;
    }

    QString stored()
    {
        return db().VratRadek(
            QStringLiteral("select alarm_posl_datum, alarm_posl_cas from uzivatel where uzivatel_id=%1")
                .arg(s_user));
    }

    static inline int s_user = 0;
    TestClock m_clock;
    std::unique_ptr<SessionGroups> m_groups;
};

TEST_F(Alarmy, FiresOnTheFirstTickAtOrAfterItsInstant)
{
    ku(1, QStringLiteral("10.12.2026 10:00:00"));
    ukol(2, QStringLiteral("11.12.2026")); // midnight
    PlanovacAlarmu p(db(), session());
    ASSERT_TRUE(p.NajdiDalsiAlarm());

    m_clock.set(at("10.12.2026 9:59:59"));
    EXPECT_TRUE(tick(p).isEmpty());
    m_clock.set(at("10.12.2026 10:00:00"));
    EXPECT_EQ(tick(p), QStringList{"ku 1"});
    EXPECT_EQ(session().AlarmPoslDatum, QStringLiteral("10.12.2026"));
    EXPECT_EQ(session().AlarmPoslCas, QStringLiteral("10:00:00"));
    m_clock.set(at("10.12.2026 23:59:59"));
    EXPECT_TRUE(tick(p).isEmpty());
    m_clock.set(at("11.12.2026 0:00:01"));
    EXPECT_EQ(tick(p), QStringList{"ukoly 2"});
    EXPECT_TRUE(tick(p).isEmpty());
    EXPECT_FALSE(p.AlarmCeka());
    // Only the alarm window's OK stores the instant.
    EXPECT_EQ(stored(), QStringLiteral(","));
}

TEST_F(Alarmy, MissedInstantsFireInOrderWithEventsFirst)
{
    ku(1, QStringLiteral("10.12.2026 11:00:00"));
    ukol(2, QStringLiteral("10.12.2026 10:00:00"));
    ku(3, QStringLiteral("10.12.2026 10:00:00"));
    ku(4, QStringLiteral("10.12.2026 8:00:00")); // handled before the program was closed
    ku(5, QStringLiteral("10.12.2026 13:00:00"));
    session().AlarmPoslDatum = QStringLiteral("10.12.2026");
    session().AlarmPoslCas = QStringLiteral("9:00:00");
    m_clock.set(at("10.12.2026 12:00:00"));
    PlanovacAlarmu p(db(), session());
    ASSERT_TRUE(p.NajdiDalsiAlarm());
    EXPECT_EQ(tick(p), (QStringList{"ku 3, ukoly 2", "ku 1"}));
    EXPECT_TRUE(p.AlarmCeka()); // 13:00 is next
}

TEST_F(Alarmy, OnlyRowsTheUserMayReceive)
{
    ku(1, QStringLiteral("10.12.2026 10:00:00"), 0, -1);
    ku(2, QStringLiteral("10.12.2026 10:00:00"), 0, 0);
    ku(3, QStringLiteral("10.12.2026 10:00:00"), 0, kVedeni);
    ku(4, QStringLiteral("10.12.2026 10:00:00"), 0, kObchod);
    ukol(5, QStringLiteral("10.12.2026 10:00:00"), 0, kObchod);
    ukol(6, QStringLiteral("10.12.2026 10:00:00"), 0, -1, 0); // inactive
    ukol(7, QStringLiteral("10.12.2026 10:00:00"), 0, kVedeni, 1);
    exec(QStringLiteral("update ku set alarm=0 where ku_id=2"));
    m_clock.set(at("10.12.2026 10:00:00"));
    {
        PlanovacAlarmu p(db(), session());
        EXPECT_EQ(tick(p), QStringList{"ku 1, ku 3, ukoly 7"});
    }
    // A user without groups receives every alarm of active rows.
    SessionGroups none{std::initializer_list<int>{}};
    session().AlarmPoslDatum = QStringLiteral("01.01.0001");
    session().AlarmPoslCas = QStringLiteral("00:00");
    PlanovacAlarmu p(db(), session());
    EXPECT_EQ(tick(p), QStringList{"ku 1, ku 3, ku 4, ukoly 5, ukoly 7"});
}

// One scheduler over seven weeks of a weekly series: each occurrence alarms
// 15 minutes before its wall-clock start, also after the spring clock change
// (29.3.2026); an excluded, a moved and a cancelled occurrence do not, the
// moved one alarms by its own row. Rows added and the series changed while
// the scheduler runs count from the next search on.
TEST_F(Alarmy, WeeklySeriesAlarmsBeforeEachOccurrence)
{
    series(QStringLiteral("ku"), 1, "16.3.2026 9:00:00", QStringLiteral("FREQ=WEEKLY;BYDAY=MO"), 15);
    exec(QStringLiteral("update ku set vynechane='20260323T090000' where ku_id=1"));
    occurrence(2, "6.4.2026 9:00:00", "7.4.2026 10:00:00", 30, false);
    session().AlarmPoslDatum = QStringLiteral("16.3.2026");
    session().AlarmPoslCas = QStringLiteral("8:00:00");
    PlanovacAlarmu p(db(), session());
    const struct {
        const char* now;
        QStringList fired;
        std::function<void()> then; // a change after this tick, and its change event
    } steps[] = {
        {"16.3.2026 8:44:59", {}, {}},
        {"16.3.2026 8:45:00", {"ku 1 @16.3.2026 9:00:00"}, {}},
        {"23.3.2026 12:00:00", {}, {}}, // excluded
        {"30.3.2026 8:44:59", {}, {}},
        {"30.3.2026 8:45:00",
         {"ku 1 @30.3.2026 9:00:00"},
         [] { occurrence(3, "13.4.2026 9:00:00", "13.4.2026 9:00:00", 15, true); }},
        {"6.4.2026 12:00:00", {}, {}}, // moved to the 7th
        {"7.4.2026 9:30:00", {"ku 2"}, {}},
        {"13.4.2026 12:00:00", {}, {}}, // cancelled
        {"20.4.2026 8:45:00",
         {"ku 1 @20.4.2026 9:00:00"},
         [] { exec(QStringLiteral("update ku set alarm_cas=alarm_cas-15/1440.0 where ku_id=1")); }},
        {"27.4.2026 8:29:59", {}, {}}, // its alarm now 30 minutes before
        {"27.4.2026 8:30:00", {"ku 1 @27.4.2026 9:00:00"}, {}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.now);
        m_clock.set(at(step.now));
        EXPECT_EQ(tick(p), step.fired);
        if (step.then) {
            step.then();
            p.NajdiDalsiAlarm(); // as the change event has it
        }
    }
    EXPECT_EQ(session().AlarmPoslDatum, QStringLiteral("27.04.2026"));
    EXPECT_EQ(session().AlarmPoslCas, QStringLiteral("8:30:00"));
}

// Days the program was not running: every occurrence's alarm comes in order,
// events before tasks at one instant, series beside single rows; a task
// series alarms before each deadline while it is active, a whole-day series
// before its day's midnight, a series that ended or whose alarm belongs to
// another group not at all.
TEST_F(Alarmy, MissedOccurrencesReplayInOrder)
{
    const QString daily = QStringLiteral("FREQ=DAILY");
    series(QStringLiteral("ku"), 1, "9.12.2026 9:00:00", daily, 15);
    series(QStringLiteral("ukoly"), 2, "9.12.2026 16:45:00", daily, 8 * 60); // 8:45, with the event
    series(QStringLiteral("ukoly"), 3, "9.12.2026 12:00:00", daily, 60);
    exec(QStringLiteral("update ukoly set aktivni=0 where ukoly_id=3"));
    series(QStringLiteral("ku"), 4, "1.12.2026 8:00:00", QStringLiteral("FREQ=DAILY;UNTIL=20261211"), 60);
    exec(QStringLiteral("update ku set konec_opakovani='11.12.2026' where ku_id=4"));
    series(QStringLiteral("ku"), 5, "9.12.2026 8:00:00", daily, 60, kObchod);
    ku(6, QStringLiteral("11.12.2026 8:45:00"));
    series(QStringLiteral("ku"), 7, "9.12.2026 0:00:00", daily, 4 * 60); // 20:00 the evening before
    exec(QStringLiteral("update ku set cely_den=1, cas_od=datum+10/24.0 where ku_id=7"));
    session().AlarmPoslDatum = QStringLiteral("10.12.2026");
    session().AlarmPoslCas = QStringLiteral("9:00:00");
    m_clock.set(at("13.12.2026 8:50:00"));
    PlanovacAlarmu p(db(), session());
    ASSERT_TRUE(p.NajdiDalsiAlarm());
    EXPECT_EQ(tick(p), (QStringList{
                           "ku 7 @11.12.2026 0:00:00",
                           "ku 4 @11.12.2026 8:00:00",
                           "ku 1 @11.12.2026 9:00:00, ku 6, ukoly 2 @11.12.2026 16:45:00",
                           "ku 7 @12.12.2026 0:00:00",
                           "ku 1 @12.12.2026 9:00:00, ukoly 2 @12.12.2026 16:45:00",
                           "ku 7 @13.12.2026 0:00:00",
                           "ku 1 @13.12.2026 9:00:00, ukoly 2 @13.12.2026 16:45:00",
                       }));
    EXPECT_TRUE(p.AlarmCeka());
    EXPECT_EQ(p.DalsiAlarm(), DatumZQDateTime(at("13.12.2026 20:00:00")));

    // The task's occurrence done: its row moves on to the next deadline.
    exec(QStringLiteral("update ukoly set datum='15.12.2026', cas_do='15.12.2026 16:45', "
                        "alarm_datum='15.12.2026', alarm_cas='15.12.2026 8:45' where ukoly_id=2"));
    m_clock.set(at("15.12.2026 8:45:00"));
    EXPECT_EQ(tick(p),
              (QStringList{"ku 7 @14.12.2026 0:00:00", "ku 1 @14.12.2026 9:00:00", "ku 7 @15.12.2026 0:00:00",
                           "ku 1 @15.12.2026 9:00:00, ukoly 2 @15.12.2026 16:45:00"}));
}

// A user who never pressed OK starts from his first login, not from the
// first alarm ever stored; the start is kept for the next run.
TEST_F(Alarmy, FirstLoginStartsNow)
{
    ku(1, QStringLiteral("1.1.2020 8:00:00"));
    ku(2, QStringLiteral("10.12.2026 8:59:59"));
    ku(3, QStringLiteral("10.12.2026 9:30:00"));
    ZacniAlarmyOdTed(db(), session());
    EXPECT_EQ(stored(), QStringLiteral("10.12.2026,9:00:00"));
    m_clock.set(at("10.12.2026 10:00:00"));
    PlanovacAlarmu p(db(), session());
    EXPECT_EQ(tick(p), QStringList{"ku 3"});

    // A stored instant is kept as it is.
    session().AlarmPoslDatum = QStringLiteral("01.01.0001");
    ZacniAlarmyOdTed(db(), session());
    EXPECT_EQ(session().AlarmPoslDatum, QStringLiteral("01.01.0001"));
    EXPECT_EQ(stored(), QStringLiteral("10.12.2026,9:00:00"));
}

// The actions as the main window performs them, through a real timer owner.
class AlarmyOkna : public Alarmy
{
protected:
    void SetUp() override
    {
        Alarmy::SetUp();
        m_dir = std::make_unique<QTemporaryDir>();
        m_programWav = m_dir->filePath(QStringLiteral("orvan.wav"));
        QFile(m_programWav).open(QIODevice::WriteOnly);
    }
    void TearDown() override
    {
        m_alarmy.reset();
        Alarmy::TearDown();
    }
    TAlarmy& alarmy()
    {
        if (!m_alarmy) m_alarmy = std::make_unique<TAlarmy>(m_timer, m_programWav);
        return *m_alarmy;
    }
    QString file(const QString& name, bool executable = false)
    {
        const QString f = m_dir->filePath(name);
        QFile out(f);
        out.open(QIODevice::WriteOnly);
        if (executable) out.setPermissions(out.permissions() | QFileDevice::ExeOwner);
        return f;
    }
    static QList<TForm_ALARM*> visible()
    {
        QList<TForm_ALARM*> out;
        for (TForm_ALARM* w : TForm_ALARM::Okna())
            if (w->isVisible()) out << w;
        return out;
    }

    FakeShell m_desktop;
    QTimer m_timer;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_programWav;
    std::unique_ptr<TAlarmy> m_alarmy;
};

TEST_F(AlarmyOkna, ActionTypes)
{
    const QString pdf = file(QStringLiteral("smlouva.pdf"));
    const QString wav = file(QStringLiteral("gong.wav"));
    const QString script = file(QStringLiteral("spust.sh"), true);
    const QString launcher = file(QStringLiteral("app.desktop"));
    const QString missing = m_dir->filePath(QStringLiteral("chybi.wav"));
    struct Case {
        int typ;
        QString akce;
        int windows;
        QStringList sounds;
        QList<QUrl> opened;
    } cases[] = {
        {0, QString(), 1, {}, {}},
        {1, wav, 1, {wav}, {}},
        {2, QStringLiteral(" ") + wav, 0, {wav}, {}},
        {2, missing, 0, {m_programWav}, {}},
        {3, pdf, 0, {}, {QUrl::fromLocalFile(pdf)}},
        // Anything but a plain document reminds by the window instead.
        {3, script, 1, {}, {}},
        {3, launcher, 1, {}, {}},
        {3, QStringLiteral("https://orvan.cz/x"), 1, {}, {}},
        {3, QString(), 0, {}, {}},
        {-1, pdf, 0, {}, {}},
    };
    alarmy().NastavAlarm();
    int minute = 1;
    for (const Case& c : cases) {
        const QString when = QStringLiteral("10.12.2026 10:%1:00").arg(minute, 2, 10, QLatin1Char('0'));
        ku(minute, when, c.typ, -1, c.akce);
        alarmy().NastavAlarm();
        ASSERT_TRUE(m_timer.isActive()) << c.typ;
        m_clock.set(QDateTime::fromString(when, QStringLiteral("d.M.yyyy H:mm:ss")));
        m_desktop.clear();
        alarmy().Timer1Timer();
        const std::string what = std::to_string(c.typ) + " " + c.akce.toStdString();
        EXPECT_EQ(visible().size(), c.windows) << what;
        EXPECT_EQ(m_desktop.played, c.sounds) << what;
        EXPECT_EQ(m_desktop.opened, c.opened) << what;
        EXPECT_EQ(session().AlarmPoslCas, when.section(QLatin1Char(' '), 1))
            << what; // advanced, even silently
        for (TForm_ALARM* w : TForm_ALARM::Okna())
            delete w;
        ++minute;
    }
    // Without the program's own sound a sound alarm is silent.
    QFile::remove(m_programWav);
    ku(99, QStringLiteral("10.12.2026 11:00:00"), 2, -1, missing);
    alarmy().NastavAlarm();
    m_clock.set(at("10.12.2026 11:00:00"));
    m_desktop.clear();
    alarmy().Timer1Timer();
    EXPECT_TRUE(m_desktop.played.isEmpty());
    EXPECT_TRUE(m_timer.isActive());
}

TEST_F(AlarmyOkna, WindowShowsTheRecordAndOkStoresTheInstant)
{
    ku(1, QStringLiteral("10.12.2026 10:00:00"));
    ukol(2, QStringLiteral("10.12.2026 10:00:00"), 1);
    alarmy().NastavAlarm();
    m_clock.set(at("10.12.2026 10:00:01"));
    alarmy().Timer1Timer();
    const QList<TForm_ALARM*> w = visible();
    ASSERT_EQ(w.size(), 2);
    EXPECT_EQ(w[0]->windowTitle(), QStringLiteral("Orvan - Alarm"));
    EXPECT_TRUE(w[0]->isWindow());
    EXPECT_EQ(w[0]->parentWidget(), nullptr);
    const auto labels = [](TForm_ALARM* f) {
        return QStringList{f->Label1->text(), f->Label_ALARM->text(), f->Label_DATUM->text(),
                           f->Label_CAS->text(), f->Label_UDALOST->text()};
    };
    EXPECT_EQ(labels(w[0]),
              (QStringList{"1", "10.12.2026 10:00:00", "10.12.2026", "10:30:00", "Porada s klientem"}));
    // A task shows its deadline time.
    EXPECT_EQ(labels(w[1]),
              (QStringList{"2", "10.12.2026 10:00:00", "10.12.2026", "16:45:00", "Odevzdat výkaz"}));

    m_clock.set(at("10.12.2026 10:05:00"));
    QTest::mouseClick(w[0]->OKBtn, Qt::LeftButton);
    EXPECT_EQ(stored(), QStringLiteral("10.12.2026,10:00:00"));
    EXPECT_EQ(visible().size(), 1);
    // Enter presses OK.
    QTest::keyClick(w[1], Qt::Key_Return);
    EXPECT_TRUE(visible().isEmpty());
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

// A series' window and tray notice show the occurrence and its alarm, not
// the series' first date; OK acknowledges that occurrence and the next one
// comes a week later.
TEST_F(AlarmyOkna, SeriesWindowShowsTheOccurrence)
{
    series(QStringLiteral("ku"), 1, "3.12.2026 10:30:00", QStringLiteral("FREQ=WEEKLY"), 30);
    series(QStringLiteral("ukoly"), 2, "3.12.2026 16:45:00", QStringLiteral("FREQ=WEEKLY"), 6 * 60 + 45);
    QStringList announced;
    alarmy().JeSkryto = [] { return true; };
    alarmy().Upozorneni = [&](const QString& nazev, const QString& cas) { announced << nazev + u'|' + cas; };
    alarmy().NastavAlarm();
    for (const char* day : {"10.12.2026", "17.12.2026"}) {
        SCOPED_TRACE(day);
        const QString d = QLatin1String(day);
        m_clock.set(at((d + QStringLiteral(" 10:00:01")).toLatin1().constData()));
        announced.clear();
        alarmy().Timer1Timer();
        const QList<TForm_ALARM*> w = visible();
        ASSERT_EQ(w.size(), 2);
        const auto labels = [](TForm_ALARM* f) {
            return QStringList{f->Label1->text(), f->Label_ALARM->text(), f->Label_DATUM->text(),
                               f->Label_CAS->text(), f->Label_UDALOST->text()};
        };
        const QString alarm = d + QStringLiteral(" 10:00:00");
        EXPECT_EQ(labels(w[0]), (QStringList{"1", alarm, d, "10:30:00", "Porada týmu"}));
        EXPECT_EQ(labels(w[1]), (QStringList{"2", alarm, d, "16:45:00", "Odevzdat výkaz"}));
        EXPECT_EQ(announced, (QStringList{"Porada týmu|" + alarm, "Odevzdat výkaz|" + alarm}));
        for (TForm_ALARM* f : w)
            QTest::mouseClick(f->OKBtn, Qt::LeftButton);
        EXPECT_EQ(stored(), d + QStringLiteral(",10:00:00"));
    }
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

TEST_F(AlarmyOkna, DeletedRecordAndFailedAcknowledgement)
{
    ku(1, QStringLiteral("10.12.2026 10:00:00"));
    alarmy().NastavAlarm();
    exec(QStringLiteral("delete from ku"));
    m_clock.set(at("10.12.2026 10:00:00"));
    // The search found it before the delete; the window opens with empty labels and no boxes.
    alarmy().Timer1Timer();
    ASSERT_EQ(visible().size(), 0); // the due rows are read again: nothing left
    TForm_ALARM* w = new TForm_ALARM;
    w->NastavOknoAlarmu(QStringLiteral("ku"), 1);
    w->show();
    EXPECT_EQ(w->Label1->text(), QStringLiteral("1"));
    EXPECT_TRUE(w->Label_UDALOST->text().isEmpty() && w->Label_DATUM->text().isEmpty());
    EXPECT_TRUE(messages::takeShown().isEmpty());

    exec(QStringLiteral("create exception e_zamceno 'zamceno'"));
    exec(QStringLiteral(
        "create trigger t_zamceno for uzivatel before update as begin exception e_zamceno; end"));
    QTest::mouseClick(w->OKBtn, Qt::LeftButton);
    exec(QStringLiteral("drop trigger t_zamceno"));
    exec(QStringLiteral("drop exception e_zamceno"));
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Potvrzení alarmu se nepodařilo uložit")))
        << shown[0].toStdString();
    EXPECT_TRUE(visible().isEmpty()); // closed anyway
}

TEST_F(AlarmyOkna, SnoozeBringsTheWindowBackAndIsNotAcknowledged)
{
    ku(1, QStringLiteral("10.12.2026 10:00:00"));
    ku(2, QStringLiteral("10.12.2026 10:20:00"));
    alarmy().NastavAlarm();
    m_clock.set(at("10.12.2026 10:00:00"));
    alarmy().Timer1Timer();
    ASSERT_EQ(visible().size(), 1);
    TForm_ALARM* first = visible()[0];
    first->ComboBox_ODLOZIT->setCurrentIndex(1); // 10 minutes
    QTest::mouseClick(first->OdlozitBtn, Qt::LeftButton);
    EXPECT_TRUE(visible().isEmpty());

    m_clock.set(at("10.12.2026 10:09:58"));
    alarmy().Timer1Timer();
    EXPECT_TRUE(visible().isEmpty());
    m_clock.set(at("10.12.2026 10:10:00"));
    alarmy().Timer1Timer();
    EXPECT_EQ(visible(), QList<TForm_ALARM*>{first});
    QTest::mouseClick(first->OdlozitBtn, Qt::LeftButton); // 10 more minutes

    // OK of a later alarm keeps the snoozed one for the next start.
    m_clock.set(at("10.12.2026 10:20:00"));
    alarmy().Timer1Timer(); // 10:20 fires; the snooze ends at the same tick
    ASSERT_EQ(visible().size(), 2);
    first->ComboBox_ODLOZIT->setCurrentIndex(0);
    QTest::mouseClick(first->OdlozitBtn, Qt::LeftButton);
    TForm_ALARM* second = visible().value(0);
    ASSERT_NE(second, first);
    QTest::mouseClick(second->OKBtn, Qt::LeftButton);
    EXPECT_EQ(stored(), QStringLiteral("10.12.2026,9:59:59"));
    // The timer keeps running for the snoozed window although no alarm is left.
    alarmy().NastavAlarm();
    EXPECT_TRUE(m_timer.isActive());
    m_clock.set(at("10.12.2026 10:25:00"));
    alarmy().Timer1Timer();
    ASSERT_EQ(visible(), QList<TForm_ALARM*>{first});
    QTest::mouseClick(first->OKBtn, Qt::LeftButton);
    EXPECT_EQ(stored(), QStringLiteral("10.12.2026,10:20:00"));
}

// A file alarm that cannot run as a document reminds by the window instead,
// which says why; a document the desktop opens shows nothing else.
TEST_F(AlarmyOkna, FileAlarmThatCannotBeOpenedShowsTheWindowWithTheReason)
{
    const QString pdf = file(QStringLiteral("smlouva.pdf"));
    const QString script = file(QStringLiteral("spust.sh"), true);
    const QString missing = m_dir->filePath(QStringLiteral("chybi.pdf"));
    const struct {
        QString akce;
        bool desktopOpens;
        QList<QUrl> opened;
        QString reason; // empty: no window
    } cases[] = {
        {pdf, true, {QUrl::fromLocalFile(pdf)}, QString()},
        {pdf,
         false,
         {QUrl::fromLocalFile(pdf)},
         QStringLiteral("Soubor \"%1\" se nepodařilo otevřít žádným programem.").arg(pdf)},
        {script,
         true,
         {},
         QStringLiteral("Soubor \"%1\" je spustitelný, otevírají se jen dokumenty.").arg(script)},
        {missing, true, {}, QStringLiteral("Soubor \"%1\" neexistuje.").arg(missing)},
    };
    int minute = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.akce.toStdString() + (c.desktopOpens ? " opens" : " no program"));
        const QString when = QStringLiteral("10.12.2026 10:%1:00").arg(minute, 2, 10, QLatin1Char('0'));
        ku(minute++, when, 3, -1, c.akce);
        alarmy().NastavAlarm();
        m_clock.set(QDateTime::fromString(when, QStringLiteral("d.M.yyyy H:mm:ss")));
        m_desktop.clear();
        m_desktop.opens = c.desktopOpens;
        alarmy().Timer1Timer();
        EXPECT_EQ(m_desktop.opened, c.opened);
        const QList<TForm_ALARM*> w = visible();
        if (c.reason.isEmpty()) {
            EXPECT_TRUE(w.isEmpty());
            continue;
        }
        ASSERT_EQ(w.size(), 1);
        EXPECT_EQ(w[0]->Label_UDALOST->text(), QStringLiteral("Porada s klientem"));
        EXPECT_TRUE(w[0]->Label_DUVOD->isVisible());
        EXPECT_EQ(w[0]->Label_DUVOD->text(), c.reason);
        // The whole reason fits: nothing of the window is cut off.
        EXPECT_GE(w[0]->height(), w[0]->layout()->totalHeightForWidth(w[0]->width()));
        delete w[0];
    }
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

// After "Odložit" the window comes back with the focus on OK, and Enter means
// OK whatever control has the focus: Enter never snoozes an alarm for ever.
// Keys go to the window, which hands them to its focus widget.
TEST_F(AlarmyOkna, EnterAcknowledgesWhateverHasTheFocus)
{
    ku(1, QStringLiteral("10.12.2026 10:00:00"));
    alarmy(); // started at 9:00
    // Fires the alarm again as a new window, nothing acknowledged yet.
    const auto fire = [&] {
        exec(QStringLiteral("update uzivatel set alarm_posl_datum=null, alarm_posl_cas=null"));
        session().AlarmPoslDatum = QStringLiteral("01.01.0001");
        session().AlarmPoslCas = QStringLiteral("00:00");
        m_clock.set(at("10.12.2026 10:00:00"));
        alarmy().NastavAlarm();
        alarmy().Timer1Timer();
        return visible().value(0);
    };
    const auto enter = [](TForm_ALARM* w) {
        QPointer<TForm_ALARM> alive(w);
        QTest::keyClick(w->windowHandle(), Qt::Key_Return);
        // Closed for good, never snoozed.
        EXPECT_TRUE(alive.isNull() || (!alive->isVisible() && alive->OdlozenoDo() == 0));
        EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }));
    };

    TForm_ALARM* w = fire();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->focusWidget(), w->OKBtn) << "the first show";
    EXPECT_FALSE(w->Label_DUVOD->isVisible());
    // Snoozed with the keyboard: Tab to "Odložit", Space presses it.
    QTest::keyClick(w->focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(w->focusWidget(), w->OdlozitBtn);
    QTest::keyClick(w->focusWidget(), Qt::Key_Space);
    ASSERT_TRUE(visible().isEmpty());
    m_clock.set(at("10.12.2026 10:05:00"));
    alarmy().Timer1Timer();
    ASSERT_EQ(visible(), QList<TForm_ALARM*>{w});
    EXPECT_EQ(w->focusWidget(), w->OKBtn) << "back after the snooze";
    enter(w);
    EXPECT_EQ(stored(), QStringLiteral("10.12.2026,10:00:00")) << "acknowledged";

    const struct {
        const char* what;
        QWidget* (*focus)(TForm_ALARM*);
    } focused[] = {
        {"Odložit", [](TForm_ALARM* f) -> QWidget* { return f->OdlozitBtn; }},
        {"minutes", [](TForm_ALARM* f) -> QWidget* { return f->ComboBox_ODLOZIT; }},
        {"record name", [](TForm_ALARM* f) -> QWidget* { return f->Label_UDALOST; }},
    };
    for (const auto& f : focused) {
        SCOPED_TRACE(f.what);
        w = fire();
        ASSERT_TRUE(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        f.focus(w)->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), f.focus(w));
        enter(w);
        EXPECT_EQ(stored(), QStringLiteral("10.12.2026,10:00:00")) << "acknowledged";
    }
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

// While the main window is hidden in the tray, every performed alarm is also
// announced with its name and time; a visible window announces nothing.
TEST_F(AlarmyOkna, HiddenMainWindowAnnouncesThroughTheTray)
{
    bool hidden = false;
    QStringList announced;
    alarmy().JeSkryto = [&] { return hidden; };
    alarmy().Upozorneni = [&](const QString& nazev, const QString& cas) { announced << nazev + u'|' + cas; };
    ku(1, QStringLiteral("10.12.2026 10:00:00"));
    ukol(2, QStringLiteral("10.12.2026 11:00:00"), 2);
    alarmy().NastavAlarm();
    m_clock.set(at("10.12.2026 10:00:00"));
    alarmy().Timer1Timer();
    EXPECT_TRUE(announced.isEmpty());
    hidden = true;
    m_clock.set(at("10.12.2026 11:00:00"));
    alarmy().Timer1Timer();
    EXPECT_EQ(announced, QStringList{"Odevzdat výkaz|10.12.2026 11:00:00"});
}

// Setting the clock forward past an alarm fires it on the next tick.
TEST_F(AlarmyOkna, ClockSetForward)
{
    ku(1, QStringLiteral("10.12.2026 15:00:00"));
    alarmy().NastavAlarm();
    alarmy().Timer1Timer();
    EXPECT_TRUE(visible().isEmpty());
    m_clock.set(at("10.12.2026 16:00:00"));
    alarmy().NastavAlarm(); // the time-change notification
    alarmy().Timer1Timer();
    EXPECT_EQ(visible().size(), 1);
}

} // namespace
