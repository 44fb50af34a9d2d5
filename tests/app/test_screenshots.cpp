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

namespace
{

class Screenshots : public DbTest
{
};

TEST_F(Screenshots, MainWindowWithDemoData)
{
    const QString out = qEnvironmentVariable("ORVAN_SCREENSHOT_DIR");
    if (out.isEmpty()) GTEST_SKIP() << "set ORVAN_SCREENSHOT_DIR to save the pictures";
    QDir().mkpath(out);
    const int admin =
        testdb::addUser(db(), QStringLiteral("admin"), QString(), true, true, QStringLiteral("Správce"));
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
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.grab().save(QDir(out).filePath(QStringLiteral("main-first-size.png")));
    w.resize(1000, 640);
    QCoreApplication::processEvents();
    for (const char* panel :
         {"MonthPanel", "BrowseAdresarZakladni", "BrowseUkoly", "Uzivatel", "CiselnikKalendarKategorie"}) {
        w.ZobrazPanel(QString::fromLatin1(panel));
        QCoreApplication::processEvents();
        w.grab().save(QDir(out).filePath(QStringLiteral("main-%1.png").arg(QString::fromLatin1(panel))));
    }
    // The editors as they open on a stored record.
    w.command(WM_EDIT_EVENT, db().VratInt(QStringLiteral("select min(ku_id) from ku where alarm=1")),
              LP_EDIT_RECORD);
    w.command(WM_EDIT_CALENDAR_CATEGORY,
              db().VratInt(QStringLiteral("select min(ku_c_kat_id) from ku_c_kat")), 0);
    for (const char* name : {"editudalost", "FormEditCiselnikKalendarKategorie"}) {
        auto* e = w.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_TRUE(e) << name;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(e));
        e->grab().save(QDir(out).filePath(QStringLiteral("editor-%1.png").arg(QString::fromLatin1(name))));
    }
    setSQLDATA(s_db.get());
}

} // namespace
