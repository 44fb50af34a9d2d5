#include "common/commandtarget.h"
#include "fixtures/testdb.h"

#include <QFile>
#include <QProcess>
#include <QTest>

namespace
{

class Recorder : public CommandTarget
{
public:
    void command(int message, std::intptr_t, std::intptr_t) override { received << message; }
    QList<int> received;
};

// A change announced by another process reaches this one as WM_DATA_CHANGED.
TEST(ServerChangeEvent, CrossesFromAnotherProcess)
{
    testdb::ServerDatabase database;
    ORVAN_REQUIRE_SERVER_OR_SKIP(database);

    TSQLDATA db;
    ASSERT_TRUE(db.PripojDatabazi(database.path(), QStringLiteral("orvan"), QStringLiteral("qelmo.")));
    Recorder target;
    db.NotifyWindow = &target;
    ASSERT_TRUE(QTest::qWaitFor([&] { return db.DoruceniUdalosti() >= 1; }, 10000));
    ASSERT_TRUE(target.received.isEmpty()) << "registering is not a change";

    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("refresh.sql"));
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (1, \"Kancelář\");\n"
            "EXECUTE PROCEDURE PROC_UDELEJTE_REFRESH;\n");
    f.close();

    QProcess other;
    other.start(QStringLiteral(ORVAN_BIN_DIR "/orvan-db"),
                {QStringLiteral("script"), database.path(), script});
    ASSERT_TRUE(other.waitForFinished(30000));
    ASSERT_EQ(other.exitCode(), 0) << other.readAllStandardError().toStdString();

    EXPECT_TRUE(QTest::qWaitFor([&] { return !target.received.isEmpty(); }, 10000));
    EXPECT_EQ(target.received, QList<int>{WM_DATA_CHANGED});
    // The handler's restart of the snapshot sees the other process's row.
    db.ObnovTransakci();
    EXPECT_EQ(db.VratInt(QStringLiteral("select count(*) from UZIVSKUPINA")), 1);
    db.NotifyWindow = nullptr;
}

} // namespace
