#include "common/session.h"
#include "fixtures/testdb.h"

#include <QProcess>

namespace
{

// What a second workstation answers when it starts with the given user.
int secondWorkstation(const QString& path, int userId)
{
    QProcess p;
    p.start(QStringLiteral(ORVAN_TEST_BIN_DIR "/presence_probe"), {path, QString::number(userId)});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return -1;
    return p.readAllStandardOutput().trimmed().toInt();
}

TEST(ServerPresence, SecondWorkstationOfTheSameUser)
{
    testdb::ServerDatabase database;
    ORVAN_REQUIRE_SERVER_OR_SKIP(database);
    TSQLDATA first;
    setSQLDATA(&first);
    ASSERT_TRUE(first.PripojDatabazi(database.path(), QStringLiteral("orvan"), QStringLiteral("qelmo.")));
    const int user = testdb::addUser(first, QStringLiteral("jana"), QStringLiteral("x"));
    session().UzivatelID = user;
    ASSERT_TRUE(first.Prihlas());

    auto heartbeatMinutesAgo = [&](int minutes) {
        QString error;
        ASSERT_TRUE(ok(first.ProvedSQL(QStringLiteral("update uzivatel set prihlasen=1, zivot_timestamp="
                                                      "CURRENT_TIMESTAMP - %1.0/1440 where uzivatel_id=%2")
                                           .arg(minutes)
                                           .arg(user)),
                       error))
            << error.toStdString();
    };
    heartbeatMinutesAgo(2);
    EXPECT_EQ(secondWorkstation(database.path(), user), 0) << "a fresh heartbeat refuses";
    heartbeatMinutesAgo(4);
    EXPECT_EQ(secondWorkstation(database.path(), user), 1) << "a lapsed heartbeat is cleared";
    first.ObnovTransakci();
    EXPECT_EQ(first.VratInt(QStringLiteral("select prihlasen from uzivatel where uzivatel_id=%1").arg(user)),
              1);

    // A row marked present without any heartbeat is not refused for ever.
    QString error;
    ASSERT_TRUE(
        ok(first.ProvedSQL(
               QStringLiteral("update uzivatel set prihlasen=1, zivot_timestamp=NULL where uzivatel_id=%1")
                   .arg(user)),
           error));
    EXPECT_EQ(secondWorkstation(database.path(), user), 1);

    // Ending the program clears the presence.
    first.Odhlas();
    EXPECT_EQ(first.VratInt(QStringLiteral("select prihlasen from uzivatel where uzivatel_id=%1").arg(user)),
              0);
    session().UzivatelID = 0;
    setSQLDATA(nullptr);
}

} // namespace
