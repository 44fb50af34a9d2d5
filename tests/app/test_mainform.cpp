#include "app/ui/mainform.h"
#include "app/ui/startup.h"
#include "calendar/ui/editudalost.h"
#include "calendar/ui/frame_montview.h"
#include "common/chybyserveru.h"
#include "common/clock.h"
#include "common/inifile.h"
#include "common/ktwinsys.h"
#include "common/messages.h"
#include "common/session.h"
#include "common/ui/dialogs.h"
#include "common/ui/kteditdc.h"
#include "data/sqlvalues.h"
#include "fixtures/fake_shell.h"
#include "fixtures/testdb.h"
#include "overview/ui/framestringgrid.h"
#include "tasks/ui/editukol.h"
#include "tasks/ui/form_alarm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBox>
#include <csignal>

namespace
{

class MainForm : public DbTest
{
protected:
    static void SetUpTestSuite()
    {
        DbTest::SetUpTestSuite();
        s_admin = testdb::addUser(db(), QStringLiteral("admin"), QString(), true, true);
        exec(QStringLiteral("insert into KU_C_KAT (KU_C_KAT_ID, KU_C_KAT_NAZEV, KU_C_KAT_BARVA) values (3, "
                            "\"Porady\", 255)"));
        exec(QStringLiteral("insert into KU_C_KAT (KU_C_KAT_ID, KU_C_KAT_NAZEV, KU_C_KAT_BARVA) values (8, "
                            "\"Klienti\", 65280)"));
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
        return db().VratInt(
            QStringLiteral("select prihlasen from uzivatel where uzivatel_id=%1").arg(s_admin));
    }

    QTemporaryDir m_dir;
    static inline int s_admin = 0;
};

TEST_F(MainForm, StartsLogsInAutomaticallyAndClearsPresenceAtTheEnd)
{
    {
        const std::unique_ptr<Tmainform> okno = SpustOrvan(program(), {});
        Tmainform& w = *okno;
        ASSERT_TRUE(w.Prihlaseno()) << messages::takeShown().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(session().UzivatelID, s_admin);
        EXPECT_EQ(present(), 1);
        EXPECT_TRUE(w.heartbeat().isActive());
        EXPECT_EQ(w.heartbeat().interval(), 60000);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("ORVAN"));
        EXPECT_EQ(w.AktualniPanel(), QStringLiteral("MonthPanel"));
        // Shown, and the change event's first delivery handled: the month
        // has been read once, and the logon's own change brings no second read.
        w.show();
        auto* month = w.findChild<TFrame_MontView*>();
        ASSERT_TRUE(month);
        ASSERT_TRUE(QTest::qWaitFor([] { return SQLDATA().DoruceniUdalosti() >= 1; }, 5000));
        EXPECT_FALSE(QTest::qWaitFor([&] { return month->pocetCteni() > 1; }, 300));
        EXPECT_EQ(month->pocetCteni(), 1);
        // Another workstation's change still comes through.
        db().UdelejRefresh();
        EXPECT_TRUE(QTest::qWaitFor([&] { return month->pocetCteni() == 2; }, 5000));

        // Logbook page hidden by default; the code-list page shown after an automatic login.
        auto* bar = w.findChild<QToolBox*>(QStringLiteral("PageBar"));
        ASSERT_TRUE(bar);
        QStringList pages;
        for (int i = 0; i < bar->count(); ++i)
            pages << bar->itemText(i);
        EXPECT_EQ(pages, (QStringList{QStringLiteral("Kalendář"), QStringLiteral("Alarmy"),
                                      QStringLiteral("Adresář"), QStringLiteral("Číselníky"),
                                      QStringLiteral("Úkoly")}));
        EXPECT_TRUE(messages::takeShown().isEmpty());
    }
    EXPECT_EQ(present(), 0);
}

TEST_F(MainForm, CategoryBarBuildsTheFilter)
{
    const std::unique_ptr<Tmainform> okno = SpustOrvan(program(), {});
    Tmainform& w = *okno;
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

// After a category is edited the bar is rebuilt with the user's ticks; a new
// category comes ticked.
TEST_F(MainForm, RebuiltCategoryBarKeepsTheTicks)
{
    const std::unique_ptr<Tmainform> okno = SpustOrvan(program(), {});
    Tmainform& w = *okno;
    ASSERT_TRUE(w.Prihlaseno());
    QList<QCheckBox*> boxes = w.KategorieBoxy();
    ASSERT_EQ(boxes.size(), 3);
    boxes[0]->click();
    boxes[2]->click();
    ASSERT_EQ(w.FiltrKalendare(), QStringLiteral("3"));

    exec(QStringLiteral("update KU_C_KAT set KU_C_KAT_NAZEV=\"Porady a schůze\" where KU_C_KAT_ID=3"));
    exec(QStringLiteral(
        "insert into KU_C_KAT (KU_C_KAT_ID, KU_C_KAT_NAZEV, KU_C_KAT_BARVA) values (9, \"Nová\", 0)"));
    w.data().ObnovTransakci(); // the editor's save ends the window's read transaction
    w.ZnovuNactiKategorie(QStringLiteral("KU"));
    boxes = w.KategorieBoxy();
    ASSERT_EQ(boxes.size(), 4);
    QList<bool> ticks;
    for (QCheckBox* b : boxes)
        ticks << b->isChecked();
    EXPECT_EQ(ticks, (QList<bool>{false, true, false, true}));
    EXPECT_EQ(boxes[1]->toolTip(), QStringLiteral("Porady a schůze"));
    EXPECT_EQ(w.FiltrKalendare(), QStringLiteral("3,9"));
    EXPECT_FALSE(w.Box0());
    exec(QStringLiteral("delete from KU_C_KAT where KU_C_KAT_ID=9"));
    exec(QStringLiteral("update KU_C_KAT set KU_C_KAT_NAZEV=\"Porady\" where KU_C_KAT_ID=3"));
}

// A failed read of the categories keeps the bar it had and says why; the
// same kind is read again on the next request.
TEST_F(MainForm, FailedCategoryReadKeepsTheBar)
{
    const std::unique_ptr<Tmainform> okno = SpustOrvan(program(), {});
    Tmainform& w = *okno;
    ASSERT_TRUE(w.Prihlaseno());
    const QList<QCheckBox*> boxes = w.KategorieBoxy();
    ASSERT_EQ(boxes.size(), 3);
    boxes[2]->click();
    ASSERT_EQ(w.FiltrKalendare(), QStringLiteral("3"));

    w.data().Odpoj(); // the connection is lost
    w.NaplnKategorie(QStringLiteral("ADRESAR"));
    EXPECT_EQ(messages::takeShown(), QStringList{QStringLiteral("Databáze není připojena.")});
    EXPECT_EQ(w.DruhKategorii(), QStringLiteral("KU"));
    EXPECT_EQ(w.KategorieBoxy(), boxes);
    EXPECT_EQ(w.FiltrKalendare(), QStringLiteral("3"));
    EXPECT_FALSE(boxes[2]->isChecked());

    // A failed reload after an edit keeps the ticks too.
    w.ZnovuNactiKategorie(QStringLiteral("KU"));
    EXPECT_EQ(messages::takeShown().size(), 1);
    EXPECT_EQ(w.KategorieBoxy(), boxes);

    ASSERT_TRUE(w.data().PripojDatabazi(dbPath(), w.config().username, w.config().password));
    w.NaplnKategorie(QStringLiteral("ADRESAR"));
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(w.DruhKategorii(), QStringLiteral("ADRESAR"));
    EXPECT_EQ(w.KategorieBoxy().size(), 1);
    EXPECT_EQ(w.KategorieAdresar(), QStringLiteral("0"));
}

TEST_F(MainForm, CommandMessagesReachTheirOpeners)
{
    const std::unique_ptr<Tmainform> okno = SpustOrvan(program(), {});
    Tmainform& w = *okno;
    ASSERT_TRUE(w.Prihlaseno());
    QList<std::pair<std::intptr_t, std::intptr_t>> tasks;
    w.RegistrujEditor(WM_EDIT_TASK, [&](std::intptr_t id, std::intptr_t l) { tasks.append({id, l}); });
    w.command(WM_EDIT_TASK, 5, 0);
    w.command(WM_EDIT_TASK, 7, 99);
    EXPECT_EQ(tasks, (QList<std::pair<std::intptr_t, std::intptr_t>>{{5, 0}, {7, 99}}));
    w.command(1231, 1, 2);        // accepted and ignored
    w.command(WM_EDIT_CAR, 0, 0); // the car editor opens on a new car
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(w.AktualniPanel(), QStringLiteral("MonthPanel"));

    int refreshed = 0;
    w.PreplanujAlarmy = [&] { ++refreshed; };
    w.command(WM_DATA_CHANGED, 0, 0);
    EXPECT_EQ(refreshed, 1);
}

// The item-file import of the "Special" menu, and an event editor that
// keeps unsaved changes until the user answers.
TEST_F(MainForm, ImportMenuItemAndEditorMessages)
{
    const std::unique_ptr<Tmainform> okno = SpustOrvan(program(), {});
    Tmainform& w = *okno;
    ASSERT_TRUE(w.Prihlaseno());
    dialogs::startRecording();
    const QString file = m_dir.filePath(QStringLiteral("porada.orvan"));
    {
        IniFile ini(file);
        ini.WriteString(QStringLiteral("FILE"), QStringLiteral("type"), QStringLiteral("1"));
        ini.WriteString(QStringLiteral("DATATYPE"), QStringLiteral("type"), QStringLiteral("KU"));
        ini.WriteString(QStringLiteral("DATA"), QStringLiteral("nazev"), QStringLiteral("Porada ze souboru"));
        ASSERT_TRUE(ini.UpdateFile());
    }
    auto* menu = w.findChild<QMenu*>(QStringLiteral("MenuSpecial"));
    ASSERT_TRUE(menu);
    QAction* import = nullptr;
    for (QAction* a : menu->actions())
        if (a->objectName() == QLatin1String("ActionImportPolozky")) import = a;
    ASSERT_TRUE(import);
    dialogs::queueFileName(file);
    import->trigger();
    auto* ed = w.findChild<Teditudalost*>();
    ASSERT_TRUE(ed);
    EXPECT_TRUE(ed->isVisible());
    EXPECT_EQ(ed->Edit_NAZEV->text(), QStringLiteral("Porada ze souboru"));
    EXPECT_TRUE(ed->Zmeneno());

    // A second message over the unsaved import asks; No drops it.
    w.command(WM_EDIT_EVENT, 20040501, LP_NEW_ON_DATE);
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
    EXPECT_EQ(ed->Edit_NAZEV->text(), QString());
    EXPECT_EQ(ed->KTEDITDC_DATUM->text(), QStringLiteral("1.5.2004"));
    dialogs::stopRecording();
}

// The logbook buttons whose windows live in the views' wiring: each click
// opens its own window (closed again here as soon as it is up).
TEST_F(MainForm, LogbookButtonsOpenTheirWindows)
{
    const std::unique_ptr<Tmainform> okno = SpustOrvan(program(QStringLiteral("[KJ]\r\nvisible=1\r\n")), {});
    Tmainform& w = *okno;
    ASSERT_TRUE(w.Prihlaseno());
    w.show();
    auto* pages = w.findChild<QToolBox*>(QStringLiteral("PageBar"));
    ASSERT_TRUE(pages);
    const struct {
        QPushButton* button;
        const char* window;
    } cases[] = {{w.Button_TiskJizd, "TForm_DialogKJTisk"},
                 {w.Button_MesicniVykaz, "TForm_MesicniVykaz"},
                 {w.Button_SazbyNahrad, "TForm_EditSazby"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(c.button) << c.window;
        EXPECT_GE(pages->indexOf(c.button->parentWidget()), 0) << c.window;
        QString opened;
        QTimer::singleShot(0, [&] {
            if (QWidget* m = QApplication::activeModalWidget()) {
                opened = QString::fromLatin1(m->metaObject()->className());
                m->close();
            }
        });
        c.button->click();
        EXPECT_EQ(opened, QLatin1String(c.window));
    }
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

// The task editor: one instance, opened by the page bar's new-record button
// and by WM_EDIT_TASK with a task id.
TEST_F(MainForm, TaskMessagesOpenTheTaskEditor)
{
    exec(QStringLiteral("insert into ukoly (ukoly_id, datum, nazev) values (41, \"2.3.2004\", \"Faktury\")"));
    const std::unique_ptr<Tmainform> okno = SpustOrvan(program(), {});
    Tmainform& w = *okno;
    ASSERT_TRUE(w.Prihlaseno());
    EXPECT_FALSE(w.findChild<Teditukol*>());
    auto* nova = w.findChild<QPushButton*>(QStringLiteral("Button_NovyUkol"));
    ASSERT_TRUE(nova);
    nova->click();
    auto* ed = w.findChild<Teditukol*>();
    ASSERT_TRUE(ed);
    EXPECT_TRUE(ed->isVisible());
    EXPECT_EQ(ed->ZaznamID(), 0);
    EXPECT_TRUE(ed->Edit_NAZEV->isEnabled());

    // Over unsaved input the stored task waits for the answer; No opens it.
    ed->Edit_NAZEV->setText(QStringLiteral("Rozepsaný"));
    w.command(WM_EDIT_TASK, 41, 0);
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
    EXPECT_EQ(w.findChildren<Teditukol*>().size(), 1);
    EXPECT_EQ(ed->ZaznamID(), 41);
    EXPECT_EQ(ed->Edit_NAZEV->text(), QStringLiteral("Faktury"));
    EXPECT_EQ(ed->KTEDITDC_DATUM->text(), QStringLiteral("2.3.2004"));
    ed->close();
    exec(QStringLiteral("delete from ukoly where ukoly_id=41"));
}

// A task saved with an alarm on any workstation reaches the scheduler through
// the change event; its window and sound come at the time, and after OK the
// next start does not bring it again.
TEST_F(MainForm, TaskAlarmComesAtItsTimeAndNotAgainAfterOk)
{
    TestClock clock(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    Clock::setCurrent(&clock);
    FakeShell desktop;
    QFile(m_dir.filePath(QStringLiteral("orvan.wav"))).open(QIODevice::WriteOnly);
    exec(QStringLiteral("update uzivatel set alarm_posl_datum=null, alarm_posl_cas=null"));
    {
        const std::unique_ptr<Tmainform> okno = SpustOrvan(program(), {});
        Tmainform& w = *okno;
        ASSERT_TRUE(w.Prihlaseno());
        w.show();
        EXPECT_FALSE(w.alarmTimer().isActive());
        exec(QStringLiteral("insert into ukoly (ukoly_id, datum, cas_do, aktivni, nazev, alarm, alarm_datum, "
                            "alarm_cas, alarm_typ_akce) values (42, \"10.12.2026\", \"10.12.2026 12:00\", 1, "
                            "\"Zavolat do banky\", 1, \"10.12.2026\", \"10.12.2026 9:30\", 1)"));
        w.command(WM_DATA_CHANGED, 0, 0);
        EXPECT_TRUE(w.alarmTimer().isActive());
        EXPECT_EQ(w.alarmTimer().interval(), 2000);
        clock.set(QDateTime(QDate(2026, 12, 10), QTime(9, 30, 1)));
        ASSERT_TRUE(QTest::qWaitFor([] { return !TForm_ALARM::Okna().isEmpty(); }, 5000));
        QPointer<TForm_ALARM> a = TForm_ALARM::Okna().first();
        EXPECT_TRUE(a->isVisible());
        EXPECT_EQ(a->Label_UDALOST->text(), QStringLiteral("Zavolat do banky"));
        EXPECT_EQ(desktop.played, QStringList{m_dir.filePath(QStringLiteral("orvan.wav"))});
        QTest::mouseClick(a->OKBtn, Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return a.isNull(); }));
    }
    {
        const std::unique_ptr<Tmainform> okno = SpustOrvan(program(), {});
        Tmainform& w = *okno;
        ASSERT_TRUE(w.Prihlaseno());
        w.command(WM_DATA_CHANGED, 0, 0);
        EXPECT_FALSE(w.alarmTimer().isActive()) << "nothing left to remind of";
    }
    exec(QStringLiteral("delete from ukoly where ukoly_id=42"));
    Clock::setCurrent(nullptr);
}

// The alarms are armed by the login itself: a due alarm comes although the
// main window is never shown or activated and no change event arrives (a
// desktop may keep the window from being activated).
TEST_F(MainForm, DueAlarmComesWithoutActivatingTheWindow)
{
    TestClock clock(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    Clock::setCurrent(&clock);
    const auto restoreClock = qScopeGuard([] { Clock::setCurrent(nullptr); });
    FakeShell desktop;
    exec(QStringLiteral("update uzivatel set alarm_posl_datum=\"10.12.2026\", alarm_posl_cas=\"8:00:00\""));
    exec(QStringLiteral("insert into ukoly (ukoly_id, datum, cas_do, aktivni, nazev, alarm, alarm_datum, "
                        "alarm_cas, alarm_typ_akce) values (43, \"10.12.2026\", \"10.12.2026 12:00\", 1, "
                        "\"Poslat nabídku\", 1, \"10.12.2026\", \"10.12.2026 9:30\", 0)"));
    const auto cleanUp = qScopeGuard([] { exec(QStringLiteral("delete from ukoly where ukoly_id=43")); });
    {
        const std::unique_ptr<Tmainform> okno = SpustOrvan(program(), {});
        Tmainform& w = *okno;
        ASSERT_TRUE(w.Prihlaseno());
        int rearmed = 0;
        const std::function<void()> arm = w.PreplanujAlarmy;
        ASSERT_TRUE(arm);
        w.PreplanujAlarmy = [&] {
            ++rearmed;
            arm();
        };
        EXPECT_TRUE(w.alarmTimer().isActive());
        clock.set(QDateTime(QDate(2026, 12, 10), QTime(9, 30, 1)));
        ASSERT_TRUE(QTest::qWaitFor([] { return !TForm_ALARM::Okna().isEmpty(); }, 10000));
        EXPECT_EQ(TForm_ALARM::Okna().first()->Label_UDALOST->text(), QStringLiteral("Poslat nabídku"));
        EXPECT_EQ(rearmed, 0) << "armed by nothing but the login";
        EXPECT_FALSE(w.isVisible());
        EXPECT_FALSE(w.isActiveWindow());
    }
    EXPECT_TRUE(QTest::qWaitFor([] { return TForm_ALARM::Okna().isEmpty(); })) << "closed with the program";
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

// A change announced while a confirmation is open waits for the box: the user
// deletes the row he was asked about, and the views refresh once afterwards.
TEST_F(MainForm, ChangeEventWaitsUntilTheConfirmationCloses)
{
    exec(QStringLiteral("insert into KJ_AUTO (KJ_AUTO_ID, SPZ, POPIS) values (1, \"1B\", \"Auto B\")"));
    exec(QStringLiteral("insert into KJ (KJ_ID, KJ_AUTO_ID, DUVOD) values (20, 1, \"porada\")"));
    const std::unique_ptr<Tmainform> okno = SpustOrvan(program(), {});
    Tmainform& w = *okno;
    ASSERT_TRUE(w.Prihlaseno());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.ZobrazPanel(QStringLiteral("KJPrehledJizd"));
    auto* grid = qobject_cast<TFrameStringGrid*>(w.Pohled(QStringLiteral("overview")));
    ASSERT_TRUE(grid && grid->isVisible());
    ASSERT_EQ(grid->PocetRadku(), 2);

    QWidget* viewport = grid->StringGrid1->viewport();
    const QPointF p = grid->StringGrid1->visualRect(grid->Model()->index(0, 0)).center();
    QMouseEvent move(QEvent::MouseMove, p, viewport->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    ASSERT_EQ(grid->MysRadek(), 1);

    QCoreApplication::processEvents();
    int refreshed = 0;
    w.PreplanujAlarmy = [&] { ++refreshed; };
    messages::queueAnswer(true, [&] {
        exec(QStringLiteral("insert into KJ_AUTO (KJ_AUTO_ID, SPZ, POPIS) values (2, \"2A\", \"Auto A\")"));
        exec(QStringLiteral("insert into KJ (KJ_ID, KJ_AUTO_ID, DUVOD) values (21, 2, \"novy\")"));
        w.command(WM_DATA_CHANGED, 0, 0);
        w.command(WM_DATA_CHANGED, 0, 0);
        EXPECT_EQ(refreshed, 0);
        EXPECT_EQ(grid->Klic(1), QStringLiteral("20")) << "the grid reloaded under the box";
    });
    grid->DeleteZaznam->trigger();
    EXPECT_EQ(messages::takeShown().size(), 1);
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from KJ where KJ_ID=20")), 0);
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from KJ where KJ_ID=21")), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return refreshed > 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(refreshed, 1) << "both announcements are handled by one refresh";
    EXPECT_EQ(grid->Klic(1), QStringLiteral("21"));
}

// A fresh presence of another workstation, or of the user's program still
// running on this one, refuses the start and stays; the presence of a program
// of this workstation that has ended (a crash) is taken over at once.
TEST_F(MainForm, UserPresentElsewhereIsRefused)
{
    QProcess ended;
    ended.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    ASSERT_TRUE(ended.waitForStarted());
    const QString endedMark = OznaceniProcesu(ended.processId());
    ended.kill(); // by its own id
    ASSERT_TRUE(ended.waitForFinished());
    ASSERT_FALSE(endedMark.isEmpty());

    const QString elsewhere =
        QStringLiteral("Tento uživatel je již přihlášen !\rZkuste program spustit za 3 minuty.");
    const QString runsHere = QStringLiteral(
        "Tento uživatel je již přihlášen !\rProgram Orvan tohoto uživatele na tomto počítači už běží.");
    const struct {
        const char* label;
        QString workstation;
        QString process;
        QStringList shown; // empty: logged in
    } cases[] = {
        {"another workstation", QStringLiteral("ivan@kancelar-2"), endedMark, {elsewhere}},
        {"an older program that names none", QString(), QString(), {elsewhere}},
        {"another system user of this computer",
         QStringLiteral("ivan@") + JmenoPocitace(),
         endedMark,
         {elsewhere}},
        {"this workstation, its program runs", OznaceniStanice(), OznaceniProcesu(), {runsHere}},
        {"this workstation, its program ended", OznaceniStanice(), endedMark, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        exec(QStringLiteral("update uzivatel set prihlasen=1, zivot_timestamp=CURRENT_TIMESTAMP, "
                            "prihlasen_stanice=%1, prihlasen_proces=%2 where uzivatel_id=%3")
                 .arg(TextSQL(c.workstation), TextSQL(c.process))
                 .arg(s_admin));
        const std::unique_ptr<Tmainform> okno = SpustOrvan(program(), {});
        Tmainform& w = *okno;
        EXPECT_EQ(messages::takeShown(), c.shown);
        EXPECT_EQ(w.Prihlaseno(), c.shown.isEmpty());
        EXPECT_EQ(present(), 1) << "a refused start leaves the presence as it was";
        const QString holder = db().VratRadek(
            QStringLiteral("select prihlasen_stanice, prihlasen_proces from uzivatel where uzivatel_id=%1")
                .arg(s_admin));
        if (c.shown.isEmpty())
            EXPECT_EQ(holder, OznaceniStanice() + u',' + OznaceniProcesu()) << "taken over by this program";
        else
            EXPECT_EQ(holder, c.workstation + u',' + c.process);
    }
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
    gfix.start(QStringLiteral("gfix"), {QStringLiteral("-mode"), QStringLiteral("read_only"),
                                        QStringLiteral("-user"), QStringLiteral("SYSDBA"), ro.path()});
    ASSERT_TRUE(gfix.waitForFinished(30000));
    ASSERT_EQ(gfix.exitCode(), 0) << gfix.readAllStandardError().toStdString();

    QFile ini(m_dir.filePath(QStringLiteral("orvan.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[DB-IB]\r\npathname=%1\r\n").arg(ro.path()).toLocal8Bit());
    ini.close();
    const std::unique_ptr<Tmainform> okno = SpustOrvan(m_dir.filePath(QStringLiteral("orvan")), {});
    Tmainform& w = *okno;
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
    const std::unique_ptr<Tmainform> okno = SpustOrvan(m_dir.filePath(QStringLiteral("orvan")), {});
    Tmainform& w = *okno;
    EXPECT_FALSE(w.Prihlaseno());
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Chyba připojení k databázi:/nonexistent/folder/x.gdb")));
    EXPECT_EQ(shown[1], QStringLiteral("Chyba připojení k databázi."));
}

TEST_F(MainForm, TerminationSignalEndsLikeClosingTheWindow)
{
    const std::unique_ptr<Tmainform> okno = SpustOrvan(program(), {});
    Tmainform& w = *okno;
    ASSERT_TRUE(w.Prihlaseno());
    w.show();
    ASSERT_EQ(present(), 1);
    std::raise(SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 5000));
    EXPECT_EQ(present(), 0);
}

} // namespace
