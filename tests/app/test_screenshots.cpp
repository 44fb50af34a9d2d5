// Offscreen pictures of the main window for a person to look at:
// ORVAN_SCREENSHOT_DIR=/tmp/shots ./test_app --gtest_filter='Screenshots*'
#include "app/fmain.h"
#include "common/session.h"
#include "fixtures/testdb.h"
#include "tools/demodata.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTest>

namespace {

class Screenshots : public DbTest {};

TEST_F(Screenshots, MainWindowWithDemoData)
{
    const QString out = qEnvironmentVariable("ORVAN_SCREENSHOT_DIR");
    if (out.isEmpty())
        GTEST_SKIP() << "set ORVAN_SCREENSHOT_DIR to save the pictures";
    QDir().mkpath(out);
    const int admin = testdb::addUser(db(), QStringLiteral("admin"), QString(), true, true, QStringLiteral("Správce"));
    ASSERT_EQ(demodata::fill(db(), admin, QDate::currentDate()), QString());
    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("orvan.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[DB-IB]\r\npathname=%1\r\n[KJ]\r\nvisible=1\r\n").arg(dbPath()).toLocal8Bit());
    ini.close();
    session() = Session();
    Tmainform w(dir.filePath(QStringLiteral("orvan")), {});
    ASSERT_TRUE(w.Prihlaseno());
    // The first size, as the program chooses it for the screen.
    w.show();
    QTest::qWait(200);
    w.grab().save(QDir(out).filePath(QStringLiteral("main-first-size.png")));
    w.resize(1000, 640);
    QTest::qWait(200);
    for (const char* panel : {"MonthPanel", "BrowseAdresarZakladni", "BrowseUkoly", "Uzivatel", "CiselnikKalendarKategorie"}) {
        w.ZobrazPanel(QString::fromLatin1(panel));
        QTest::qWait(100);
        w.grab().save(QDir(out).filePath(QStringLiteral("main-%1.png").arg(QString::fromLatin1(panel))));
    }
    setSQLDATA(s_db.get());
}

} // namespace
