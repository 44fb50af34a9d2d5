#include "common/ktwinsys.h"
#include "common/session.h"
#include "data/sqlvalues.h"
#include "fixtures/testdb.h"

#include <QProcess>
#include <QTest>

namespace
{

const QString kProbe = QStringLiteral(ORVAN_TEST_BIN_DIR "/presence_probe");

// What another start of the program on this workstation answers for the user
// (see presence_probe); -1 when it did not answer.
int anotherStart(const QString& path, int userId)
{
    QProcess p;
    p.start(kProbe, {path, QString::number(userId)});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return -1;
    return p.readAllStandardOutput().trimmed().toInt();
}

class ServerPresence : public ::testing::Test
{
protected:
    void TearDown() override
    {
        session().UzivatelID = 0;
        setSQLDATA(nullptr);
    }
    // The test's own connection; false without a server.
    bool connect()
    {
        if (!m_database.valid()) return false;
        setSQLDATA(&m_db);
        if (!m_db.PripojDatabazi(m_database.path(), QStringLiteral("orvan"), QStringLiteral("qelmo.")))
            return false;
        m_user = testdb::addUser(m_db, QStringLiteral("jana"), QStringLiteral("x"), false, true);
        return true;
    }
    QString holder()
    {
        m_db.ObnovTransakci();
        return m_db.VratRadek(
            QStringLiteral("select prihlasen, prihlasen_stanice, prihlasen_proces from uzivatel where "
                           "uzivatel_id=%1")
                .arg(m_user));
    }

    testdb::ServerDatabase m_database;
    TSQLDATA m_db;
    int m_user = 0;
};

// Another workstation's presence refuses a start until its heartbeat has
// lapsed for three minutes; so does the user's program still running on this
// workstation. A row marked present without any heartbeat is not refused for ever.
TEST_F(ServerPresence, SecondStartOfTheSameUser)
{
    ORVAN_REQUIRE_SERVER_OR_SKIP(m_database);
    ASSERT_TRUE(connect());
    const QString here = OznaceniStanice(), thisProcess = OznaceniProcesu();
    ASSERT_FALSE(thisProcess.isEmpty());
    const struct {
        const char* label;
        const char* heartbeat; // minutes ago, or NULL
        QString workstation;
        QString process;
        int answer;
    } cases[] = {
        {"another workstation, fresh heartbeat", "2", QStringLiteral("ivan@kancelar-2"), QString(), 0},
        {"another workstation, lapsed heartbeat", "4", QStringLiteral("ivan@kancelar-2"), QString(), 1},
        {"another workstation, no heartbeat", "NULL", QStringLiteral("ivan@kancelar-2"), QString(), 1},
        {"this workstation, its program runs", "2", here, thisProcess, 2},
        {"this workstation, its program runs, lapsed heartbeat", "4", here, thisProcess, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        QString error;
        const QString beat =
            QLatin1String(c.heartbeat) == QLatin1String("NULL")
                ? QStringLiteral("NULL")
                : QStringLiteral("CURRENT_TIMESTAMP - %1.0/1440").arg(QLatin1String(c.heartbeat));
        ASSERT_TRUE(ok(m_db.ProvedSQL(QStringLiteral("update uzivatel set prihlasen=1, zivot_timestamp=%1, "
                                                     "prihlasen_stanice=%2, prihlasen_proces=%3 where "
                                                     "uzivatel_id=%4")
                                          .arg(beat, TextSQL(c.workstation), TextSQL(c.process))
                                          .arg(m_user)),
                       error))
            << error.toStdString();
        const QString before = holder();
        const int answer = anotherStart(m_database.path(), m_user);
        EXPECT_EQ(answer, c.answer);
        if (answer == 1)
            EXPECT_TRUE(holder().startsWith(QStringLiteral("1,") + here + u',')) << holder().toStdString();
        else
            EXPECT_EQ(holder(), before) << "a refused start leaves the presence alone";
    }

    // Ending the program clears the presence.
    session().UzivatelID = m_user;
    m_db.Odhlas();
    EXPECT_TRUE(holder().startsWith(QStringLiteral("0,")));
}

// A program ended by a crash leaves its presence with a fresh heartbeat: the
// next start on the same workstation takes it over at once, while the program
// that holds it still running is refused.
TEST_F(ServerPresence, AStartAfterACrashTakesThePresenceOver)
{
    ORVAN_REQUIRE_SERVER_OR_SKIP(m_database);
    ASSERT_TRUE(connect());
    QProcess first;
    first.start(kProbe, {m_database.path(), QString::number(m_user), QStringLiteral("hold")});
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return first.canReadLine() || first.state() != QProcess::Running; }, 30000));
    ASSERT_EQ(first.readLine().trimmed(), QByteArray("1"));
    const QString held = holder();
    EXPECT_EQ(held, QStringLiteral("1,") + OznaceniStanice() + u',' + OznaceniProcesu(first.processId()));

    EXPECT_EQ(anotherStart(m_database.path(), m_user), 2) << "its program still runs";
    EXPECT_EQ(holder(), held);

    first.kill(); // the crash: by its own id, no logout
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(holder(), held) << "a crash leaves the presence";
    EXPECT_EQ(anotherStart(m_database.path(), m_user), 1) << "taken over at once";
    EXPECT_NE(holder(), held);
    EXPECT_TRUE(holder().startsWith(QStringLiteral("1,") + OznaceniStanice() + u','));
}

} // namespace
