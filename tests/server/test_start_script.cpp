#include "fixtures/testdb.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

namespace
{

// Runs tests/start-server.sh for the given port with stand-ins for the commands
// that stop processes by name; returns the exit code and what the stand-ins saw.
struct ScriptRun {
    int exitCode = -1;
    QString errors;
    QString stopCommands;
};

ScriptRun runScript(quint16 port)
{
    QTemporaryDir stubs;
    const QString log = stubs.filePath(QStringLiteral("stopped.log"));
    for (const char* name : {"pkill", "killall", "fbguard"}) {
        QFile f(stubs.filePath(QString::fromLatin1(name)));
        f.open(QIODevice::WriteOnly);
        f.write(QStringLiteral("#!/bin/sh\necho \"%1 $*\" >> '%2'\n")
                    .arg(QString::fromLatin1(name), log)
                    .toUtf8());
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORVAN_FB_PORT"), QString::number(port));
    env.insert(QStringLiteral("PATH"), stubs.path() + u':' + env.value(QStringLiteral("PATH")));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("bash"), {QStringLiteral(ORVAN_TESTS_DIR "/start-server.sh")});
    ScriptRun r;
    // The event loop keeps running, so a listener in this process can answer.
    if (!QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 120000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitCode();
    r.errors = QString::fromLocal8Bit(p.readAllStandardError());
    QFile f(log);
    if (f.open(QIODevice::ReadOnly)) r.stopCommands = QString::fromLocal8Bit(f.readAll());
    return r;
}

// Something else listens on the port (an office's server the test user has no
// account on): the script must leave it alone and say why it stops.
TEST(StartServerScript, LeavesAServerItCannotUseRunning)
{
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost));
    QObject::connect(&other, &QTcpServer::newConnection, &other, [&] {
        while (QTcpSocket* s = other.nextPendingConnection()) {
            s->close();
            s->deleteLater();
        }
    });
    const ScriptRun r = runScript(other.serverPort());
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.errors.contains(QStringLiteral("left running"))) << r.errors.toStdString();
    EXPECT_EQ(r.stopCommands, QString());
    EXPECT_TRUE(other.isListening());
}

// The tests' own server (or any server the test user works with) is used as it is.
TEST(StartServerScript, UsesARunningServerWithTheTestUser)
{
    testdb::ServerDatabase database;
    ORVAN_REQUIRE_SERVER_OR_SKIP(database);
    const ScriptRun r = runScript(3050);
    EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
    EXPECT_EQ(r.stopCommands, QString());
    EXPECT_FALSE(testdb::serverPrefix().isEmpty());
}

} // namespace
