// Setting the clock: through a fake setter for the query paths and the window,
// and the real helper program run as a process that lacks the capability.
#include "timesync/nosystime.h"
#include "timesync/responder.h"

#include "common/messages.h"
#include "timesync/clocksetter.h"
#include "timesync/nastavcas.h"
#include "timesync/settime.h"
#include "timesync/ui/synchronizacecasu.h"

#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{

constexpr quint32 k2020 = 3786825600u;
constexpr qint64 k2020Ms = 1577836800000LL;

const QString& helper()
{
    static const QString path = QStringLiteral(ORVAN_BIN_DIR "/orvan-settime");
    return path;
}

// Records what would have been set; answers with the failure the test chose.
class FakeSetter : public ClockSetter
{
public:
    QString set(qint64 utcMs) override
    {
        set_ << utcMs;
        return failure;
    }
    QList<qint64> set_;
    QString failure;
};

class SetClock : public ::testing::Test
{
protected:
    void SetUp() override { ClockSetter::setCurrent(&m_fake); }
    void TearDown() override { ClockSetter::setCurrent(nullptr); }
    FakeSetter m_fake;
};

TEST_F(SetClock, OnlyAGoodReplySetsTheClock)
{
    {
        SntpResponder server({serverReply(k2020, 0x40000000u)}); // .25 s
        const nastavcas::Nastaveni n = nastavcas::NastavCas(server.address(), 1000);
        EXPECT_TRUE(n.ok()) << n.dotaz.popis.toStdString();
        EXPECT_EQ(m_fake.set_, QList<qint64>{k2020Ms + 250});
    }
    {
        // 1.1.2040: past the wrap of the 32-bit seconds, not back in 1904.
        SntpResponder server({serverReply(quint32(4417977600LL - (qint64(1) << 32)), 0)});
        EXPECT_TRUE(nastavcas::NastavCas(server.address(), 1000).ok());
        EXPECT_EQ(m_fake.set_.value(1), 2208988800000LL);
    }
    m_fake.set_.clear();
    const SntpResponder::Reply bad[] = {
        {serverReply(0, 0)},              // zero time
        {serverReply(k2020, 0, 0x23)},    // client mode
        {serverReply(k2020, 0).left(47)}, // truncated
        {serverReply(k2020, 0), 900},     // late
    };
    for (const SntpResponder::Reply& r : bad) {
        SntpResponder server(r);
        const nastavcas::Nastaveni n = nastavcas::NastavCas(server.address(), 300);
        EXPECT_FALSE(n.ok());
        EXPECT_FALSE(n.dotaz.ok());
    }
    EXPECT_TRUE(m_fake.set_.isEmpty()); // the clock never goes to 1900 or anywhere else

    // A refused setting is a failure, not a success.
    m_fake.failure = QStringLiteral("bez práva");
    SntpResponder server({serverReply(k2020, 0)});
    const nastavcas::Nastaveni n = nastavcas::NastavCas(server.address(), 1000);
    EXPECT_TRUE(n.dotaz.ok());
    EXPECT_FALSE(n.ok());
    EXPECT_EQ(n.chybaNastaveni, QStringLiteral("bez práva"));
}

TEST_F(SetClock, StartUpBoxNamesTheServerAndTheReason)
{
    SntpResponder server({serverReply(k2020, 0)});
    nastavcas::NastavCasSNTP(server.address());
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(m_fake.set_.size(), 1);

    m_fake.failure = QStringLiteral("Program nemá právo nastavit systémový čas.");
    nastavcas::NastavCasSNTP(server.address());
    EXPECT_EQ(messages::takeShown(),
              QStringList{QStringLiteral("Čas ze nepodařilo ze SNTP serveru %1 nastavit!\nProgram nemá právo "
                                         "nastavit systémový čas.")
                              .arg(server.address())});

    SntpResponder zero({serverReply(0, 0)});
    nastavcas::NastavCasSNTP(zero.address());
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front().startsWith(
        QStringLiteral("Čas ze nepodařilo ze SNTP serveru %1 nastavit!\n").arg(zero.address())));
    EXPECT_EQ(m_fake.set_.size(), 2);
}

TEST(StartUp, SetsTheClockOnlyWhenAskedAndNeeded)
{
    const QString s = QStringLiteral("tik.cesnet.cz");
    const struct {
        bool prihlasen;
        int autom;
        QString server;
        bool synchronizovano;
        bool nastavit;
    } cases[] = {
        {true, 1, s, false, true},          {false, 1, s, false, false},
        {true, 0, s, false, false},         {true, 2, s, false, false},
        {true, 1, QString(), false, false}, {true, 1, QStringLiteral(" "), false, false},
        {true, 1, s, true, false}, // a time service keeps the clock: no five-second wait at start
    };
    for (const auto& c : cases)
        EXPECT_EQ(nastavcas::NastavitPriStartu(c.prihlasen, c.autom, c.server, c.synchronizovano), c.nastavit)
            << c.prihlasen << c.autom << c.server.toStdString() << c.synchronizovano;
}

// The helper as a real process; this test program holds no right to set the clock.
class Helper : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo(helper()).isExecutable()) << helper().toStdString();
        if (muzeNastavitCas(helper().toLocal8Bit().constData()))
            GTEST_SKIP() << "this process could set the clock; the helper is not run";
    }
    static std::pair<int, QString> run(const QStringList& args)
    {
        QProcess p;
        p.start(helper(), args);
        EXPECT_TRUE(p.waitForFinished(5000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
    }
};

TEST_F(Helper, RefusesAnythingButOneUtcTime)
{
    const QStringList bad[] = {
        {},
        {QStringLiteral("2026-12-10T15:55:05Z"), QStringLiteral("x")},
        {QStringLiteral("2026-12-10 15:55:05")},
        {QStringLiteral("2026-12-10T15:55:05")},
        {QStringLiteral("2026-12-10T15:55:05+01:00")},
        {QStringLiteral("2026-12-10T15:55:05.5Z")},
        {QStringLiteral("2026-02-29T10:00:00Z")},
        {QStringLiteral("2026-13-01T10:00:00Z")},
        {QStringLiteral("2026-12-10T24:00:00Z")},
        {QStringLiteral("2026-12-10T23:60:00Z")},
        {QStringLiteral("1900-01-01T00:00:00Z")},
        {QStringLiteral("1999-12-31T23:59:59Z")},
        {QStringLiteral("2200-01-01T00:00:00Z")},
        {QStringLiteral("+026-12-10T15:55:05Z")},
        {QStringLiteral("--version")},
        {QString()},
    };
    for (const QStringList& args : bad) {
        const auto [code, err] = run(args);
        EXPECT_EQ(code, settime::kSpatnyCas) << args.join(u' ').toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("očekává jediný údaj"))) << err.toStdString();
    }
}

TEST_F(Helper, WithoutTheCapabilityItFailsCleanly)
{
    // The present moment, so that even a wrongly granted right would move nothing.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const auto [code, err] = run({HelperClockSetter::argument(now)});
    EXPECT_EQ(code, settime::kBezOpravneni) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("cap_sys_time"))) << err.toStdString();
    // A leap day is a valid time: it gets as far as the system call.
    EXPECT_EQ(run({QStringLiteral("2028-02-29T12:00:00Z")}).first, settime::kBezOpravneni);

    HelperClockSetter setter(helper());
    const QString reason = setter.set(QDateTime::currentMSecsSinceEpoch());
    EXPECT_TRUE(reason.startsWith(QStringLiteral("Program nemá právo nastavit systémový čas.")))
        << reason.toStdString();
    EXPECT_TRUE(reason.contains(QStringLiteral("setcap cap_sys_time+ep ") + helper()))
        << reason.toStdString();

    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("orvan-settime"));
    EXPECT_EQ(HelperClockSetter(missing).set(now),
              QStringLiteral("Pomocný program pro nastavení času %1 nebyl nalezen.").arg(missing));
    // Present but not for this user (the group of the helper, as the README suggests).
    ASSERT_TRUE(QFile::copy(helper(), missing));
    ASSERT_TRUE(QFile::setPermissions(missing, QFile::ReadOwner));
    EXPECT_TRUE(HelperClockSetter(missing).set(now).contains(QStringLiteral("nesmíte spustit")));
    EXPECT_EQ(HelperClockSetter::argument(k2020Ms + 250), QStringLiteral("2020-01-01T00:00:00.250Z"));
}

// The window through its controls.
class Okno : public SetClock
{
protected:
    void SetUp() override
    {
        SetClock::SetUp();
        m_okno = std::make_unique<TSynchronizacecasu>(QStringLiteral("tik.cesnet.cz"));
    }
    TSynchronizacecasu& w() { return *m_okno; }
    void server(const QString& s)
    {
        w().Edit_IPAdresa->clear();
        QTest::keyClicks(w().Edit_IPAdresa, s);
    }
    std::unique_ptr<TSynchronizacecasu> m_okno;
};

TEST_F(Okno, ShowsTimeSetsClockAndTellsFailures)
{
    EXPECT_EQ(w().windowTitle(), QStringLiteral("Synchronizace času"));
    EXPECT_EQ(w().Edit_IPAdresa->text(), QStringLiteral("tik.cesnet.cz"));
    EXPECT_EQ(w().Label3->text(), QStringLiteral("IP adresa  SNTP serveru"));
    EXPECT_EQ(w().Button_ZjistiCas->toolTip(), QStringLiteral("Zjistí a zobrazí čas z internetu"));
    EXPECT_EQ(w().Button_NastavCas->toolTip(), QStringLiteral("Zjistí, nastaví a zobrazí čas z internetu"));

    SntpResponder good({serverReply(k2020, 0)});
    server(good.address());
    QTest::mouseClick(w().Button_ZjistiCas, Qt::LeftButton);
    EXPECT_EQ(w().Label1->text(), QStringLiteral("01.01.2020 00:00:00 UTC"));
    EXPECT_EQ(w().Label2->text(), QStringLiteral("01.01.2020 01:00:00 Lokální čas"));
    EXPECT_TRUE(m_fake.set_.isEmpty());

    QTest::mouseClick(w().Button_NastavCas, Qt::LeftButton);
    EXPECT_EQ(m_fake.set_, QList<qint64>{k2020Ms});
    EXPECT_EQ(w().Label1->text(), QStringLiteral("01.01.2020 00:00:00 UTC"));

    // The clock setting fails: its failure, never the success labels.
    m_fake.failure = QStringLiteral("Program nemá právo nastavit systémový čas.");
    QTest::mouseClick(w().Button_NastavCas, Qt::LeftButton);
    EXPECT_EQ(w().Label1->text(),
              QStringLiteral("Čas ze nepodařilo ze SNTP serveru %1 nastavit!").arg(good.address()));
    EXPECT_EQ(w().Label2->text(), m_fake.failure);

    SntpResponder zero({serverReply(0, 0)});
    server(zero.address());
    for (QPushButton* b : {w().Button_ZjistiCas, w().Button_NastavCas}) {
        QTest::mouseClick(b, Qt::LeftButton);
        EXPECT_EQ(w().Label1->text(), QStringLiteral("Nepodařilo se navázat spojení !"));
        EXPECT_EQ(w().Label2->text(), QString());
    }
    server(QString());
    QTest::mouseClick(w().Button_ZjistiCas, Qt::LeftButton);
    EXPECT_EQ(w().Label1->text(), QStringLiteral("Nepodařilo se navázat spojení !"));
    EXPECT_EQ(m_fake.set_.size(), 2);
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

TEST_F(Okno, OneWindowKeepsTheTypedServer)
{
    QWidget hlavni;
    // The window is modal: close it as soon as it shows, twice.
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, &hlavni, [&hlavni] {
            auto* o = hlavni.findChild<TSynchronizacecasu*>();
            ASSERT_TRUE(o);
            if (o->Edit_IPAdresa->text() == QLatin1String("tik.cesnet.cz"))
                o->Edit_IPAdresa->setText(QStringLiteral("ntp.example"));
            o->reject();
        });
        UkazSynchronizaciCasu(&hlavni, QStringLiteral("tik.cesnet.cz"));
    }
    EXPECT_EQ(hlavni.findChildren<TSynchronizacecasu*>().size(), 1);
    EXPECT_EQ(hlavni.findChild<TSynchronizacecasu*>()->Edit_IPAdresa->text(), QStringLiteral("ntp.example"));
}

} // namespace
