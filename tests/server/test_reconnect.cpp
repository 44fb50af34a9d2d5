// A workstation whose network to the server is cut and restored: one message
// for the loss, no box for every later failure, writes refused with the input
// kept, and a working connection again without a restart.
#include "common/action.h"
#include "common/commandtarget.h"
#include "common/messages.h"
#include "fixtures/relay.h"
#include "fixtures/testdb.h"

#include <QTest>

namespace
{

class Recorder : public CommandTarget
{
public:
    void command(int message, std::intptr_t, std::intptr_t) override { received << message; }
    QList<int> received;
};

TEST(ServerReconnect, ACutWorkstationWorksAgainWithoutARestart)
{
    testdb::ServerDatabase database;
    ORVAN_REQUIRE_SERVER_OR_SKIP(database);
    testdb::Relay relay;
    ASSERT_GT(relay.port, 0);
    const QString path = relay.path(database.path());

    TSQLDATA db;
    db.setIntervalObnovy(200);
    Recorder target;
    db.NotifyWindow = &target;
    QList<bool> states;
    db.ZmenaSpojeni = [&](bool pripojeno) { states << pripojeno; };
    ASSERT_TRUE(db.PripojDatabazi(path, QStringLiteral("orvan"), QStringLiteral("qelmo.")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return db.DoruceniUdalosti() >= 1; }, 10000));
    messages::startRecording();
    ASSERT_TRUE(
        db.ProvedSQL(QStringLiteral("insert into uzivskupina (uzivskupina_id, popis) values (1, 'A')")).ok);

    ASSERT_TRUE(relay.cut());
    const auto read = [&] {
        return runAction([&] { db.VratInt(QStringLiteral("select count(*) from uzivskupina")); });
    };
    EXPECT_FALSE(read());
    EXPECT_EQ(messages::takeShown(), QStringList{TextSpojeniPreruseno});
    EXPECT_TRUE(db.SpojeniPreruseno());
    EXPECT_EQ(states, QList<bool>{false});
    // Later failures of the same loss: no box from a read, a plain refusal of a save.
    EXPECT_FALSE(read());
    const VysledekZapisu refused =
        db.ProvedSQL(QStringLiteral("insert into uzivskupina (uzivskupina_id, popis) values (2, 'B')"));
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.chyba, TextBezSpojeni);
    EXPECT_EQ(messages::takeShown(), QStringList());

    ASSERT_TRUE(relay.restore());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !db.SpojeniPreruseno(); }, 20000));
    EXPECT_EQ(states, (QList<bool>{false, true}));
    EXPECT_TRUE(target.received.contains(WM_DATA_CHANGED)) << "the views read again";

    // The refused save goes through now, and changes of others arrive again.
    ASSERT_TRUE(
        db.ProvedSQL(QStringLiteral("insert into uzivskupina (uzivskupina_id, popis) values (2, 'B')")).ok);
    EXPECT_EQ(db.VratInt(QStringLiteral("select count(*) from uzivskupina")), 2);
    target.received.clear();
    TSQLDATA other;
    ASSERT_TRUE(other.PripojDatabazi(database.path(), QStringLiteral("orvan"), QStringLiteral("qelmo.")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return db.DoruceniUdalosti() >= 1; }, 10000));
    other.UdelejRefresh();
    EXPECT_TRUE(QTest::qWaitFor([&] { return target.received.contains(WM_DATA_CHANGED); }, 10000));
    EXPECT_EQ(messages::takeShown(), QStringList());
    messages::stopRecording();
    db.NotifyWindow = nullptr;
}

} // namespace
