// Offscreen pictures of the main window for a person to look at:
// ORVAN_SCREENSHOT_DIR=/tmp/shots ./test_app --gtest_filter='Screenshots*'
#include "app/ui/mainform.h"
#include "app/ui/startup.h"
#include "common/ktdatumj.h"
#include "common/session.h"
#include "data/sqlvalues.h"
#include "fixtures/hostile.h"
#include "fixtures/testdb.h"
#include "logbook/mesicnivykaz.h"
#include "logbook/tiskjizd.h"
#include "outlook/ui/importku.h"
#include "overview/ktpreviewprint.h"
#include "overview/ui/form_previewprint.h"
#include "records/vyskyty.h"
#include "tasks/ui/form_alarm.h"
#include "tools/demodata.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

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
    ASSERT_EQ(demodata::fill(db(), admin, QDate::currentDate()).chyba, QString());
    // A task the user may only read, for the task editor.
    exec(QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (999, \"Jiní\")"));
    exec(QStringLiteral(
        "insert into ukoly (ukoly_id, datum, cas_do, aktivni, nazev, alarm, alarm_datum, alarm_cas, "
        "alarm_typ_akce, alarm_akce, f_cist, f_editovat, f_smazat, f_alarm, f_administrovat) "
        "values (9999, \"24.12.2004\", \"24.12.2004 10:00:00\", 1, \"Cizí úkol\", 1, "
        "\"23.12.2004\", \"23.12.2004 9:00:00\", 2, \"/tmp/zvuk.wav\", 0, 999, 999, 0, 999)"));
    // An address the user may only read, with a category, a file and a note.
    exec(QStringLiteral(
        "insert into adresar_zakl (adresar_zakl_id, nazev, titul, jmeno, prijmeni, za_prijmenim, ulice, psc, "
        "mesto, stat, email1, telefon1, mobil1, www1, ico, dic, bu_ucet, bu_banka, nazev_zkraceny, f_cist, "
        "f_editovat, f_smazat, f_administrovat) values (9999, \"Stavební firma Novák s.r.o.\", \"Ing.\", "
        "\"Petr\", \"Novák\", \"CSc.\", \"Dlouhá 12\", \"602 00\", \"Brno\", \"Česká republika\", "
        "\"novak@stavby.cz\", \"+420 543 210 987\", \"+420 777 123 456\", \"www.stavby.cz\", "
        "\"12345678\", \"CZ12345678\", \"123456789\", \"0100\", \"NOVÁK\", 0, 999, 999, 999)"));
    exec(QStringLiteral(
        "insert into adresar_zakl_kat (adresar_zakl_id, adresar_c_kat_id, hlavni) select 9999, "
        "min(adresar_c_kat_id), 1 from adresar_c_kat"));
    exec(QStringLiteral(
        "insert into soubor (jmeno, popis, cil, cil_id) values (\"/srv/dokumenty/smlouva.odt\", "
        "\"Smlouva o dílo\", 1, 9999)"));
    // Clients in other scripts, in the address list and in today's cell.
    int klient = 9000;
    for (const QString& n : worldNames()) {
        ++klient;
        exec(QStringLiteral(
                 "insert into adresar_zakl (adresar_zakl_id, nazev, prijmeni, mesto) values (%1, %2, %2, "
                 "%3)")
                 .arg(klient)
                 .arg(TextSQL(n), TextSQL(n.section(QLatin1Char(' '), 0, 0))));
        exec(QStringLiteral(
                 "insert into ku (ku_id, datum, cas_od, cas_do, nazev) values (%1, cast('today' as date), "
                 "cast('today' as date) + 0.5, cast('today' as date) + 0.55, %2)")
                 .arg(klient)
                 .arg(TextSQL(n)));
    }
    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("orvan.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[DB-IB]\r\npathname=%1\r\n[KJ]\r\nvisible=1\r\n").arg(dbPath()).toLocal8Bit());
    ini.close();
    session() = Session();
    const std::unique_ptr<Tmainform> okno = SpustOrvan(dir.filePath(QStringLiteral("orvan")), {});
    Tmainform& w = *okno;
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
    w.command(WM_EDIT_USER,
              db().VratInt(QStringLiteral("select uzivatel_id from uzivatel where login=\"pdvorak\"")), 0);
    w.command(WM_EDIT_USER_GROUP, db().VratInt(QStringLiteral("select min(uzivskupina_id) from uzivskupina")),
              0);
    for (const char* name :
         {"editudalost", "FormEditCiselnikKalendarKategorie", "edit_UZIVATEL", "edit_UZIVSKUPINA"}) {
        auto* e = w.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_TRUE(e) << name;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(e));
        e->grab().save(QDir(out).filePath(QStringLiteral("editor-%1.png").arg(QString::fromLatin1(name))));
    }
    // An occurrence of the weekly meeting, with its repetition group.
    {
        const int serie =
            db().VratInt(QStringLiteral("select min(ku_id) from ku where opakovani is not null"));
        const QDateTime prvni = DatumNaQDateTime(TextNaDatum(
            2, db().VratRadek(QStringLiteral("select cas_od from ku where ku_id=%1").arg(serie))));
        w.command(WM_EDIT_OCCURRENCE, serie, std::intptr_t(KlicVyskytu(prvni.addDays(7)).toLongLong()));
        auto* e = w.findChild<QWidget*>(QStringLiteral("editudalost"));
        ASSERT_TRUE(e);
        e->grab().save(QDir(out).filePath(QStringLiteral("editor-editudalost-vyskyt.png")));
    }
    // The task editor: a new task, and the task above.
    const std::pair<int, const char*> tasks[] = {{0, "editukol-new"}, {9999, "editukol-readonly"}};
    for (const auto& [id, name] : tasks) {
        w.command(WM_EDIT_TASK, id, 0);
        auto* e = w.findChild<QWidget*>(QStringLiteral("editukol"));
        ASSERT_TRUE(e);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(e));
        e->grab().save(QDir(out).filePath(QStringLiteral("%1.png").arg(QString::fromLatin1(name))));
    }
    // An alarm window of the event above.
    auto* alarm = new TForm_ALARM;
    alarm->NastavOknoAlarmu(QStringLiteral("ku"),
                            db().VratInt(QStringLiteral("select min(ku_id) from ku where alarm=1")));
    alarm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(alarm));
    alarm->grab().save(QDir(out).filePath(QStringLiteral("alarm.png")));
    alarm->close();
    // The address editor: a new entry and the one above; the categories editor.
    const std::pair<int, const char*> addresses[] = {{0, "editadresa-new"}, {9999, "editadresa-readonly"}};
    for (const auto& [id, name] : addresses) {
        w.command(WM_EDIT_ADDRESS, id, 0);
        auto* e = w.findChild<QWidget*>(QStringLiteral("edit_UZIVATEL_ZAKL"));
        ASSERT_TRUE(e);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(e));
        e->grab().save(QDir(out).filePath(QStringLiteral("%1.png").arg(QString::fromLatin1(name))));
    }
    w.command(WM_EDIT_ADDRESS_CATEGORY,
              db().VratInt(QStringLiteral("select coalesce(min(adresar_c_kat_id), 0) from adresar_c_kat")),
              0);
    w.command(WM_EDIT_SPECIAL_ADDRESS, 0, 0);
    for (const char* name : {"FormEditCiselnikAdresarKategorie", "Editadresar"}) {
        auto* e = w.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_TRUE(e) << name;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(e));
        e->grab().save(QDir(out).filePath(QStringLiteral("editor-%1.png").arg(QString::fromLatin1(name))));
    }
    // The import window as it opens.
    TImportKU import(&w);
    QTimer::singleShot(0, &import, [&] {
        if (QTest::qWaitForWindowExposed(&import))
            import.grab().save(QDir(out).filePath(QStringLiteral("import.png")));
        import.reject();
    });
    import.Otevri();
    // The logbook: the ride entry with a chosen pair, and the car editor.
    w.ZobrazPanel(QStringLiteral("ZadavaniJizd"));
    QCoreApplication::processEvents();
    w.grab().save(QDir(out).filePath(QStringLiteral("main-ZadavaniJizd.png")));
    w.command(WM_EDIT_CAR, db().VratInt(QStringLiteral("select coalesce(min(kj_auto_id), 0) from kj_auto")),
              0);
    auto* car = w.findChild<QWidget*>(QStringLiteral("edit_KJ_AUTO"));
    ASSERT_TRUE(car);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(car));
    car->grab().save(QDir(out).filePath(QStringLiteral("editor-edit_KJ_AUTO.png")));
    // The printed logbook of that car in the preview.
    TForm_PreviewPrint* nahled = TForm_PreviewPrint::Instance(&w);
    RozvrhniKnihuJizd(db(), nahled->Dokument(),
                      {db().VratInt(QStringLiteral("select coalesce(min(kj_auto_id), 0) from kj_auto")),
                       {},
                       {},
                       QStringLiteral("Kniha jízd firmy"),
                       {}});
    nahled->resize(800, 900);
    nahled->ComboBox1->setCurrentIndex(4);
    nahled->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(nahled));
    nahled->grab().save(QDir(out).filePath(QStringLiteral("preview-kniha-jizd.png")));
    nahled->hide();
    // The monthly report of the demo office's current month.
    const QDate dnes = QDate::currentDate();
    RozvrhniVykaz(nahled->Dokument(), SestavMesicniVykaz(db(), dnes.year(), dnes.month()));
    nahled->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(nahled));
    nahled->grab().save(QDir(out).filePath(QStringLiteral("preview-mesicni-vykaz.png")));
    nahled->hide();
    setSQLDATA(s_db.get());
}

} // namespace
