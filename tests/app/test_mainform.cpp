#include "app/fmain.h"
#include "common/chybyserveru.h"
#include "common/messages.h"
#include "common/session.h"
#include "fixtures/testdb.h"

#include <QCheckBox>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QToolBox>
#include <csignal>

namespace {

class MainForm : public DbTest {
protected:
    static void SetUpTestSuite()
    {
        DbTest::SetUpTestSuite();
        s_admin = testdb::addUser(db(), QStringLiteral("admin"), QString(), true, true);
        exec(QStringLiteral("insert into KU_C_KAT (KU_C_KAT_ID, KU_C_KAT_NAZEV, KU_C_KAT_BARVA) values (3, \"Porady\", 255)"));
        exec(QStringLiteral("insert into KU_C_KAT (KU_C_KAT_ID, KU_C_KAT_NAZEV, KU_C_KAT_BARVA) values (8, \"Klienti\", 65280)"));
    }
    void SetUp() override
    {
        DbTest::SetUp();
        session() = Session();
        exec(QStringLiteral("update uzivatel set prihlasen=0, zivot_timestamp=NULL"));
    }
    void TearDown() override { setSQLDATA(s_db.get()); }

    // A program folder whose INI points at the test database.
    QString program(const QString& extra = QString())
    {
        QFile ini(m_dir.filePath(QStringLiteral("orvan.ini")));
        EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[DB-IB]\r\npathname=%1\r\n%2").arg(dbPath(), extra).toLocal8Bit());
        return m_dir.filePath(QStringLiteral("orvan"));
    }
    int present()
    {
        db().ObnovTransakci();
        return db().VratInt(QStringLiteral("select prihlasen from uzivatel where uzivatel_id=%1").arg(s_admin));
    }

    QTemporaryDir m_dir;
    static inline int s_admin = 0;
};

TEST_F(MainForm, StartsLogsInAutomaticallyAndClearsPresenceAtTheEnd)
{
    {
        Tmainform w(program(), {});
        ASSERT_TRUE(w.Prihlaseno()) << messages::takeShown().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(session().UzivatelID, s_admin);
        EXPECT_EQ(present(), 1);
        EXPECT_TRUE(w.heartbeat().isActive());
        EXPECT_EQ(w.heartbeat().interval(), 60000);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("ORVAN"));
        EXPECT_EQ(w.AktualniPanel(), QStringLiteral("MonthPanel"));

        // Logbook page hidden by default; the code-list page shown after an automatic login.
        auto* bar = w.findChild<QToolBox*>(QStringLiteral("PageBar"));
        ASSERT_TRUE(bar);
        QStringList pages;
        for (int i = 0; i < bar->count(); ++i)
            pages << bar->itemText(i);
        EXPECT_EQ(pages, (QStringList{QStringLiteral("Kalendář"), QStringLiteral("Alarmy"), QStringLiteral("Adresář"),
                                      QStringLiteral("Číselníky"), QStringLiteral("Úkoly")}));
        EXPECT_TRUE(messages::takeShown().isEmpty());
    }
    EXPECT_EQ(present(), 0);
}

TEST_F(MainForm, CategoryBarBuildsTheFilter)
{
    Tmainform w(program(), {});
    ASSERT_TRUE(w.Prihlaseno());
    EXPECT_EQ(w.DruhKategorii(), QStringLiteral("KU"));
    QList<QCheckBox*> boxes = w.KategorieBoxy();
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_EQ(boxes[1]->toolTip(), QStringLiteral("Porady"));
    EXPECT_EQ(boxes[2]->geometry().left(), 35 * 2 + 25);
    EXPECT_EQ(w.FiltrKalendare(), QStringLiteral("3,8"));

    QString filtr;
    bool box0 = true;
    w.NastavFiltrKalendare = [&](const QString& f, bool b) {
        filtr = f;
        box0 = b;
    };
    boxes[1]->click();
    EXPECT_EQ(filtr, QStringLiteral("8"));
    boxes[0]->click();
    EXPECT_FALSE(box0);
    w.OznacitVse(0);
    EXPECT_EQ(filtr, QStringLiteral("0"));
    EXPECT_FALSE(boxes[0]->isChecked()) << "box 0 is not touched by the popup";
    w.OznacitVse(2);
    EXPECT_EQ(filtr, QStringLiteral("3,8"));

    // Switching kinds reloads the calendar categories all ticked again.
    boxes[2]->click();
    w.NaplnKategorie(QStringLiteral("ADRESAR"));
    EXPECT_EQ(w.KategorieAdresar(), QStringLiteral("0"));
    w.ZobrazPanel(QStringLiteral("MonthPanel"));
    EXPECT_EQ(w.FiltrKalendare(), QStringLiteral("3,8"));
}

TEST_F(MainForm, CommandMessagesReachTheirOpeners)
{
    Tmainform w(program(), {});
    ASSERT_TRUE(w.Prihlaseno());
    QList<std::pair<std::intptr_t, std::intptr_t>> tasks;
    w.RegistrujEditor(WM_EDIT_TASK, [&](std::intptr_t id, std::intptr_t l) { tasks.append({id, l}); });
    w.command(WM_EDIT_TASK, 5, 0);
    w.command(WM_EDIT_TASK, 7, 99);
    EXPECT_EQ(tasks, (QList<std::pair<std::intptr_t, std::intptr_t>>{{5, 0}, {7, 99}}));
    w.command(1231, 1, 2); // accepted and ignored
    w.command(WM_EDIT_CAR, 1, 0); // no editor yet: nothing happens
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(w.AktualniPanel(), QStringLiteral("MonthPanel"));

    int refreshed = 0;
    w.PreplanujAlarmy = [&] { ++refreshed; };
    w.command(WM_DATA_CHANGED, 0, 0);
    EXPECT_EQ(refreshed, 1);
}

TEST_F(MainForm, UserPresentElsewhereIsRefused)
{
    exec(QStringLiteral("update uzivatel set prihlasen=1, zivot_timestamp=CURRENT_TIMESTAMP where uzivatel_id=%1")
             .arg(s_admin));
    Tmainform w(program(), {});
    EXPECT_FALSE(w.Prihlaseno());
    EXPECT_EQ(messages::takeShown(),
              QStringList{QStringLiteral("Tento uživatel je již přihlášen !\rZkuste program spustit za 3 minuty.")});
    EXPECT_EQ(present(), 1) << "the other workstation's presence stays";
}

// A database set read-only cannot take the user's presence: the program says
// so instead of claiming that the user is logged in elsewhere.
TEST_F(MainForm, ReadOnlyDatabaseSaysItIsReadOnly)
{
    testdb::FreshDatabase ro;
    {
        TSQLDATA setup;
        ASSERT_TRUE(setup.PripojDatabazi(ro.path(), QStringLiteral("orvan"), QStringLiteral("qelmo.")));
        testdb::addUser(setup, QStringLiteral("admin"), QString(), true, true);
    }
    QProcess gfix;
    gfix.start(QStringLiteral("gfix"), {QStringLiteral("-mode"), QStringLiteral("read_only"), QStringLiteral("-user"),
                                        QStringLiteral("SYSDBA"), ro.path()});
    ASSERT_TRUE(gfix.waitForFinished(30000));
    ASSERT_EQ(gfix.exitCode(), 0) << gfix.readAllStandardError().toStdString();

    QFile ini(m_dir.filePath(QStringLiteral("orvan.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[DB-IB]\r\npathname=%1\r\n").arg(ro.path()).toLocal8Bit());
    ini.close();
    Tmainform w(m_dir.filePath(QStringLiteral("orvan")), {});
    EXPECT_FALSE(w.Prihlaseno());
    const QStringList shown = messages::takeShown();
    ASSERT_FALSE(shown.isEmpty());
    for (const QString& m : shown) {
        EXPECT_FALSE(m.startsWith(QStringLiteral("Tento uživatel je již přihlášen"))) << m.toStdString();
        EXPECT_TRUE(chybyserveru::veta(m).startsWith(QStringLiteral("Databáze je otevřena jen pro čtení")))
            << m.toStdString();
    }
}

TEST_F(MainForm, UnreachableDatabaseEndsWithTheMessages)
{
    QFile ini(m_dir.filePath(QStringLiteral("orvan.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[DB-IB]\r\npathname=/nonexistent/folder/x.gdb\r\n");
    ini.close();
    Tmainform w(m_dir.filePath(QStringLiteral("orvan")), {});
    EXPECT_FALSE(w.Prihlaseno());
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Chyba připojení k databázi:/nonexistent/folder/x.gdb")));
    EXPECT_EQ(shown[1], QStringLiteral("Chyba připojení k databázi."));
}

TEST_F(MainForm, TerminationSignalEndsLikeClosingTheWindow)
{
    Tmainform w(program(), {});
    ASSERT_TRUE(w.Prihlaseno());
    w.show();
    ASSERT_EQ(present(), 1);
    std::raise(SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 5000));
    EXPECT_EQ(present(), 0);
}

} // namespace
