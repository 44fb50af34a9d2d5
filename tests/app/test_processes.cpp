// The real program as a separate process on an embedded demo database: ending
// it by a signal and starting it a second time on the same file.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace
{

class RealProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        // The program reads the INI beside its binary, so it runs from a folder of its own.
        m_program = m_dir.filePath(QStringLiteral("orvan"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORVAN_BIN_DIR "/orvan"), m_program));
        QFile::setPermissions(m_program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_database = m_dir.filePath(QStringLiteral("orvan.gdb"));
        QProcess create;
        create.setProcessEnvironment(environment());
        create.start(QStringLiteral(ORVAN_BIN_DIR "/orvan-db"),
                     {QStringLiteral("create"), m_database, QStringLiteral("--demo")});
        ASSERT_TRUE(create.waitForFinished(120000));
        ASSERT_EQ(create.exitCode(), 0) << create.readAllStandardError().toStdString();
    }

    static QProcessEnvironment environment()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (!env.contains(QStringLiteral("FIREBIRD_LOCK")))
            env.insert(QStringLiteral("FIREBIRD_LOCK"), QStringLiteral("/tmp/firebird"));
        return env;
    }

    void start(QProcess& p)
    {
        p.setProcessEnvironment(environment());
        p.start(m_program, {});
        ASSERT_TRUE(p.waitForStarted());
    }

    // The program catches SIGHUP only once its main window runs with a logged-in user.
    static bool catchesHangup(const QProcess& p)
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(p.processId()));
        if (!status.open(QIODevice::ReadOnly)) return false;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("SigCgt:"))
                return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGHUP - 1)) & 1;
        return false;
    }

    // Logged in, the window shown and the main thread waiting in its event loop,
    // with the database engine's threads running beside it.
    static bool runsIdle(const QProcess& p)
    {
        QFile wchan(QStringLiteral("/proc/%1/wchan").arg(p.processId()));
        return catchesHangup(p) && wchan.open(QIODevice::ReadOnly) && wchan.readAll().contains("poll");
    }

    void startAndWaitUntilIdle(QProcess& p)
    {
        start(p);
        ASSERT_TRUE(QTest::qWaitFor([&] { return runsIdle(p) || p.state() == QProcess::NotRunning; }, 60000));
        ASSERT_EQ(p.state(), QProcess::Running) << p.readAllStandardError().toStdString();
    }

    static void endProcess(QProcess& p)
    {
        if (p.state() != QProcess::NotRunning) {
            p.kill(); // by its own PID
            p.waitForFinished(10000);
        }
    }

    // What isql-fb reads from the database file: the number of users marked present.
    QString presentUsers()
    {
        QProcess isql;
        isql.setProcessEnvironment(environment());
        isql.start(QStringLiteral("isql-fb"),
                   {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA"), m_database});
        isql.write("set heading off;\nselect count(*) from uzivatel where prihlasen<>0;\nquit;\n");
        isql.closeWriteChannel();
        if (!isql.waitForFinished(30000)) {
            endProcess(isql);
            return QStringLiteral("isql-fb did not end");
        }
        return QString::fromLocal8Bit(isql.readAllStandardOutput() + isql.readAllStandardError())
            .simplified();
    }

    QTemporaryDir m_dir;
    QString m_program;
    QString m_database;
};

// A desktop logout (SIGTERM), Ctrl+C (SIGINT) or a closed terminal (SIGHUP)
// ends the program as closing its window does: presence cleared, the file closed.
TEST_F(RealProgram, TerminationSignalsEndItCleanly)
{
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(sig);
        QProcess p;
        startAndWaitUntilIdle(p);
        ::kill(pid_t(p.processId()), sig);
        const bool ended = p.waitForFinished(10000);
        EXPECT_TRUE(ended) << "the program still runs after the signal";
        endProcess(p);
        if (!ended) return;
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0);
        EXPECT_EQ(presentUsers(), QStringLiteral("0"));
    }
}

// A second program on the same embedded file says at once, in Czech, which file
// is in use and how workstations share a database; the first goes on.
TEST_F(RealProgram, SecondStartOnTheSameFileSaysItIsInUse)
{
    QProcess first;
    startAndWaitUntilIdle(first);

    QProcess second;
    start(second);
    QString errors;
    const QString expected =
        QStringLiteral("Soubor databáze %1 právě používá jiný spuštěný program Orvan.").arg(m_database);
    const bool told = QTest::qWaitFor(
        [&] {
            errors += QString::fromUtf8(second.readAllStandardError());
            return errors.contains(expected) || second.state() == QProcess::NotRunning;
        },
        30000);
    errors += QString::fromUtf8(second.readAllStandardError());
    EXPECT_TRUE(told);
    EXPECT_TRUE(errors.contains(expected)) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("server Firebird"))) << errors.toStdString();
    EXPECT_FALSE(errors.contains(QStringLiteral("místní server"))) << errors.toStdString();
    endProcess(second);

    EXPECT_EQ(first.state(), QProcess::Running);
    ::kill(pid_t(first.processId()), SIGTERM);
    EXPECT_TRUE(first.waitForFinished(10000));
    endProcess(first);
}

} // namespace
