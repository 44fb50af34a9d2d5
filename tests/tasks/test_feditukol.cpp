#include "tasks/task_fixture.h"

#include "fixtures/fake_shell.h"

#include "common/commandtarget.h"
#include "records/ui/skupinaopakovani.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

#include <QFile>
#include <QTemporaryDir>

namespace
{

using EditUkol = TaskTest;

TEST_F(EditUkol, NewTaskStartsEmptyAndAlarmTakesTheDeadline)
{
    open(0);
    EXPECT_EQ(ed().windowTitle(), QStringLiteral("Orvan - Editace úkolu"));
    EXPECT_FALSE(ed().SB_delete->isVisible());
    EXPECT_EQ(ed().Frame_Prava1->Prava(), PravaZaznamu::Vse(kVedeni));
    EXPECT_TRUE(ed().ChB_AKTIVNI->isChecked());
    EXPECT_EQ(ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->currentIndex(), -1);
    EXPECT_FALSE(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM->isEnabled());
    EXPECT_FALSE(ed().Zmeneno());
    EXPECT_EQ(ed().KTEDITDC_DATUM->maxLength(), 10);
    EXPECT_EQ(ed().KTEDITDC_CAS_DO->maxLength(), 8);
    EXPECT_EQ(ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->count(), 4);

    type(ed().KTEDITDC_DATUM, QStringLiteral("24.12.2004"));
    type(ed().KTEDITDC_CAS_DO, QStringLiteral("10:00"));
    click(ed().GroupBox_ALARM->ChB_ALARM);
    EXPECT_EQ(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM->text(), QStringLiteral("24.12.2004"));
    EXPECT_EQ(ed().GroupBox_ALARM->KTEDITDC_ALARM_CAS->text(), QStringLiteral("10:00"));
    EXPECT_EQ(ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->currentText(), QStringLiteral("Dialog"));
    for (QWidget* w : std::initializer_list<QWidget*>{
             ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM, ed().GroupBox_ALARM->KTEDITDC_ALARM_CAS,
             ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE, ed().GroupBox_ALARM->Edit_ALARM_AKCE,
             ed().GroupBox_ALARM->SB_RUN, ed().GroupBox_ALARM->SB_ALARM_AKCE})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();

    // Unchecking disables the group and keeps what it holds; "Dialog" needs no file.
    click(ed().GroupBox_ALARM->ChB_ALARM);
    EXPECT_FALSE(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM->isEnabled());
    EXPECT_EQ(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM->text(), QStringLiteral("24.12.2004"));
    click(ed().GroupBox_ALARM->ChB_ALARM);
    chooseType(0);
    EXPECT_FALSE(ed().GroupBox_ALARM->Edit_ALARM_AKCE->isEnabled() ||
                 ed().GroupBox_ALARM->SB_RUN->isEnabled() || ed().GroupBox_ALARM->SB_ALARM_AKCE->isEnabled());
    chooseType(3);
    EXPECT_TRUE(ed().GroupBox_ALARM->Edit_ALARM_AKCE->isEnabled() &&
                ed().GroupBox_ALARM->SB_RUN->isEnabled() && ed().GroupBox_ALARM->SB_ALARM_AKCE->isEnabled());
}

TEST_F(EditUkol, SaveNewThenStoredTaskLeavesRows)
{
    exec(QStringLiteral("delete from ukoly_kat"));
    exec(QStringLiteral("delete from ukoly"));
    open(0);
    type(ed().KTEDITDC_DATUM, QStringLiteral("24.12.2004"));
    type(ed().KTEDITDC_CAS_DO, QStringLiteral("10:00"));
    type(ed().Edit_NAZEV, QStringLiteral("Koupit \"dárky\""));
    clickCategoryBox(kPrace);
    doubleClickCategory(kSport); // the second one is the main one
    typeNote(QStringLiteral("Seznam"));
    click(ed().SB_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_FALSE(ed().isVisible());

    const QString cols = QStringLiteral(
        "select ukoly_id,datum,cas_do,aktivni,nazev,alarm,alarm_datum,alarm_cas,alarm_typ_akce,alarm_akce,"
        "vytvoril_kdo,editoval_kdo,f_cist,f_editovat,f_smazat,f_alarm,f_administrovat from ukoly");
    TKTDATASET t = rows(cols);
    ASSERT_EQ(t.PocetRadku(), 1);
    const int id = t.HodnotaInt(1, QStringLiteral("UKOLY_ID"));
    const struct {
        const char* column;
        QString value;
    } stored[] = {{"DATUM", "24.12.2004"},
                  {"CAS_DO", "24.12.2004 10:00:00"},
                  {"AKTIVNI", "1"},
                  {"NAZEV", "Koupit \"dárky\""},
                  {"ALARM", "0"},
                  {"ALARM_DATUM", ""},
                  {"ALARM_CAS", ""},
                  {"ALARM_TYP_AKCE", "-1"},
                  {"ALARM_AKCE", ""},
                  {"VYTVORIL_KDO", QString::number(s_user)},
                  {"EDITOVAL_KDO", QString::number(s_user)},
                  {"F_CIST", "10"},
                  {"F_ADMINISTROVAT", "10"}};
    for (const auto& s : stored)
        EXPECT_EQ(t.HodnotaJmeno(1, QLatin1String(s.column)), s.value) << s.column;
    EXPECT_EQ(linksOf(id), (QStringList{"11/0", "13/1"}));
    EXPECT_EQ(noteOf(id), QStringLiteral("Seznam"));

    // The stored task: an alarm, another main category, the rights changed.
    open(id);
    EXPECT_TRUE(ed().SB_delete->isVisible());
    EXPECT_EQ(ed().Edit_NAZEV->text(), QStringLiteral("Koupit \"dárky\""));
    EXPECT_EQ(ed().KTEDITDC_CAS_DO->text(), QStringLiteral("10:00:00"));
    click(ed().GroupBox_ALARM->ChB_ALARM);
    type(ed().GroupBox_ALARM->KTEDITDC_ALARM_CAS, QStringLiteral("8:30"));
    chooseType(2);
    type(ed().GroupBox_ALARM->Edit_ALARM_AKCE, QStringLiteral("/tmp/zvuk.wav"));
    clickCategoryBox(kPrace);                 // unchecked
    click(ed().Frame_Prava1->ChB_VSE_STEJNE); // the rights one by one
    ed().Frame_Prava1->CB_SMAZAT->setCurrentIndex(
        ed().Frame_Prava1->CB_SMAZAT->findText(QStringLiteral("Obchod"), Qt::MatchStartsWith));
    click(ed().SB_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    t = rows(cols);
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("ALARM")), QStringLiteral("1"));
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("ALARM_DATUM")), QStringLiteral("24.12.2004"));
    // The alarm's time carries the alarm date: the scheduler compares it whole.
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("ALARM_CAS")), QStringLiteral("24.12.2004 8:30:00"));
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("ALARM_TYP_AKCE")), QStringLiteral("2"));
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("ALARM_AKCE")), QStringLiteral("/tmp/zvuk.wav"));
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("F_SMAZAT")), QStringLiteral("20"));
    EXPECT_EQ(linksOf(id), QStringList{"13/1"});
    EXPECT_EQ(noteOf(id), QStringLiteral("Seznam"));
}

// Everything refused before a statement is built keeps the window open with
// the input, and writes nothing.
TEST_F(EditUkol, RefusedSavesKeepTheInput)
{
    const int id = addTask(kVedeni, kVedeni);
    const struct {
        const char* what;
        std::function<void()> edit;
    } cases[] = {
        {"deadline cleared", [this] { type(ed().KTEDITDC_DATUM, QString()); }},
        {"impossible deadline", [this] { type(ed().KTEDITDC_DATUM, QStringLiteral("31.2.2004")); }},
        {"zero deadline", [this] { type(ed().KTEDITDC_DATUM, QStringLiteral("0.0.0")); }},
        {"zero deadline in full", [this] { type(ed().KTEDITDC_DATUM, QStringLiteral("00.00.0000")); }},
        {"time out of range", [this] { type(ed().KTEDITDC_CAS_DO, QStringLiteral("25:00")); }},
        {"alarm ticked, its date cleared",
         [this] { type(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM, QString()); }},
        {"alarm date malformed",
         [this] { type(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM, QStringLiteral("1.13.2004")); }},
    };
    for (const auto& c : cases) {
        const QStringList before = testdb::snapshot(db());
        open(id);
        type(ed().Edit_NAZEV, QStringLiteral("Změněno"));
        c.edit();
        click(ed().SB_SAVE);
        EXPECT_EQ(messages::takeShown(), QStringList{"Data obsahují nepovolené údaje !"}) << c.what;
        EXPECT_TRUE(ed().isVisible()) << c.what;
        EXPECT_EQ(ed().Edit_NAZEV->text(), QStringLiteral("Změněno")) << c.what;
        EXPECT_TRUE(ed().Zmeneno()) << c.what;
        EXPECT_EQ(testdb::snapshot(db()), before) << c.what;
        // Closing asks, Yes is refused the same way and the window stays.
        messages::queueAnswer(true);
        ed().close();
        EXPECT_EQ(messages::takeShown(),
                  (QStringList{"Chcete data uložit ?", "Data obsahují nepovolené údaje !"}))
            << c.what;
        EXPECT_TRUE(ed().isVisible()) << c.what;
        click(ed().SB_ZnovuNacist); // reload drops the input without asking
        EXPECT_FALSE(ed().Zmeneno()) << c.what;
        EXPECT_EQ(ed().Edit_NAZEV->text(), QStringLiteral("Dárky")) << c.what;
    }
    EXPECT_TRUE(messages::takeShown().isEmpty());

    // A character no stored text may hold is refused: the statement and its
    // error are shown, nothing is written and the window keeps the input.
    const QStringList before = testdb::snapshot(db());
    open(id);
    ed().Edit_NAZEV->setText(QStringLiteral("Úkol \u0007"));
    click(ed().SB_SAVE);
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QLatin1String("update ukoly set datum="))) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains(QLatin1String("\r\n")));
    EXPECT_TRUE(ed().isVisible());
    EXPECT_EQ(ed().Edit_NAZEV->text(), QStringLiteral("Úkol \u0007"));
    EXPECT_EQ(testdb::snapshot(db()), before);
}

TEST_F(EditUkol, ReadOnlyTaskLocksEverythingThenANewTaskIsEditable)
{
    const int id = addTask(kObchod, kObchod); // the user is not in Obchod
    open(id);
    EXPECT_TRUE(ed().JenCteni());
    EXPECT_EQ(ed().Edit_NAZEV->text(), QStringLiteral("Dárky"));
    EXPECT_TRUE(ed().GroupBox_ALARM->ChB_ALARM->isChecked());
    EXPECT_EQ(ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->currentText(), QStringLiteral("Pouze zvuk"));
    // The alarm group too: nothing can be typed that a save would refuse.
    for (QWidget* w : std::initializer_list<QWidget*>{
             ed().KTEDITDC_DATUM, ed().KTEDITDC_CAS_DO, ed().ChB_AKTIVNI, ed().Edit_NAZEV,
             ed().GroupBox_ALARM->ChB_ALARM, ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM,
             ed().GroupBox_ALARM->KTEDITDC_ALARM_CAS, ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE,
             ed().GroupBox_ALARM->Edit_ALARM_AKCE, ed().GroupBox_ALARM->SB_RUN,
             ed().GroupBox_ALARM->SB_ALARM_AKCE, ed().SB_SAVE, ed().FRAME_JvxCheckListBox_KUC1})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    // The note stays selectable, so its text can be copied.
    EXPECT_TRUE(note()->isReadOnly());
    EXPECT_TRUE(ed().Frame_Prava1->JenCteni());
    EXPECT_EQ(ed().Uloz_zaznam(), Teditukol::Ulozeni::JenCteni);
    EXPECT_EQ(messages::takeShown(), QStringList{"Nemáte právo měnit záznam !"});
    click(ed().SB_delete);
    EXPECT_EQ(messages::takeShown(), QStringList{"Nemáte právo smazat záznam !"});
    ed().close();
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(value(QStringLiteral("select count(*) from ukoly where ukoly_id=%1").arg(id)),
              QStringLiteral("1"));

    // A new task after a read-only one is editable, its rights too.
    open(0);
    EXPECT_FALSE(ed().JenCteni());
    for (QWidget* w : std::initializer_list<QWidget*>{
             ed().KTEDITDC_DATUM, ed().ChB_AKTIVNI, ed().Edit_NAZEV, ed().GroupBox_ALARM->ChB_ALARM, note(),
             ed().SB_SAVE, ed().FRAME_JvxCheckListBox_KUC1, ed().Frame_Prava1->CB_CIST})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(ed().KTEDITDC_DATUM->isReadOnly());
    EXPECT_FALSE(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM->isEnabled()); // until Alarm is ticked
    click(ed().GroupBox_ALARM->ChB_ALARM);
    EXPECT_TRUE(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM->isEnabled() &&
                !ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM->isReadOnly());
}

TEST_F(EditUkol, DeleteNeedsTheRightAndTakesTheLinks)
{
    const int kept = addTask(kVedeni, kObchod); // editable, not deletable
    open(kept);
    EXPECT_FALSE(ed().JenCteni());
    click(ed().SB_delete);
    EXPECT_EQ(messages::takeShown(), QStringList{"Nemáte právo smazat záznam !"});

    const int id = addTask(0, kVedeni, kObchod);
    open(id);
    EXPECT_TRUE(ed().Frame_Prava1->JenCteni()); // editable, rights locked
    const QStringList before = testdb::snapshot(db());
    click(ed().SB_delete); // answered No
    EXPECT_EQ(messages::takeShown(), QStringList{"Opravdu chcete smazat zobrazený záznam ?"});
    EXPECT_TRUE(ed().isVisible());
    EXPECT_EQ(testdb::snapshot(db()), before);
    messages::queueAnswer(true);
    click(ed().SB_delete);
    EXPECT_EQ(messages::takeShown(), QStringList{"Opravdu chcete smazat zobrazený záznam ?"});
    EXPECT_FALSE(ed().isVisible());
    const QHash<QString, QString> deleted = {
        {QStringLiteral("UKOLY"), QStringLiteral("ukoly_id=%1").arg(id)},
        {QStringLiteral("UKOLY_KAT"), QStringLiteral("ukoly_id=%1").arg(id)}};
    EXPECT_EQ(testdb::snapshot(db()), testdb::snapshot(db(), deleted));
    EXPECT_EQ(testdb::snapshot(db(), deleted).size(), before.size() - 2);
}

TEST_F(EditUkol, TryingTheActionOpensOnlyPlainFiles)
{
    FakeShell desktop;
    QStringList& played = desktop.played;
    QList<QUrl>& opened = desktop.opened;
    QTemporaryDir dir;
    auto make = [&](const char* name, bool exec) {
        const QString p = dir.filePath(QLatin1String(name));
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.close();
        if (exec) f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return p;
    };
    const QString wav = make("zvuk.wav", false);
    const QString pdf = make("zprava.pdf", false);
    const QString sh = make("skript.sh", true);
    const QString launcher = make("spoust.desktop", false);

    open(0);
    type(ed().KTEDITDC_DATUM, QStringLiteral("1.5.2004"));
    click(ed().GroupBox_ALARM->ChB_ALARM);
    dialogs::queueFileName(wav);
    chooseType(2);
    click(ed().GroupBox_ALARM->SB_ALARM_AKCE);
    EXPECT_EQ(dialogs::takeAsked(), QStringList{"open|*.waw|*.wav|*.*|*.*|wav"});
    EXPECT_EQ(ed().GroupBox_ALARM->Edit_ALARM_AKCE->text(), wav);

    const struct {
        int type;
        QString action;
        int sounds, opens, boxes;
    } cases[] = {{0, wav, 0, 0, 0},
                 {1, QStringLiteral("  ") + wav + QStringLiteral(" "), 1, 0, 0},
                 {2, wav, 1, 0, 0},
                 {2, dir.filePath(QStringLiteral("chybi.wav")), 0, 0, 0},
                 {3, pdf, 0, 1, 0},
                 {3, sh, 0, 0, 1},
                 {3, launcher, 0, 0, 1},
                 {3, QStringLiteral("www.orvan.cz"), 0, 0, 1},
                 {3, QStringLiteral("  "), 0, 0, 0}};
    for (const auto& c : cases) {
        played.clear();
        opened.clear();
        ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->setCurrentIndex(c.type);
        ed().GroupBox_ALARM->Edit_ALARM_AKCE->setText(c.action);
        QTest::mouseClick(ed().GroupBox_ALARM->SB_RUN, Qt::LeftButton);
        const std::string what = std::to_string(c.type) + " " + c.action.toStdString();
        EXPECT_EQ(played.size(), c.sounds) << what;
        EXPECT_EQ(opened.size(), c.opens) << what;
        EXPECT_EQ(messages::takeShown().size(), c.boxes) << what;
        if (c.opens) {
            EXPECT_EQ(opened.value(0), QUrl::fromLocalFile(pdf)) << what;
        }
    }
}

} // namespace

// A recurring task made in the "Opakování" group and marked done: each done
// occurrence stays as a done row of the series, the deadline and its alarm
// move to the next occurrence, and the last one leaves the series done.
TEST_F(EditUkol, DoneRecurringTaskAdvancesToTheNextOccurrence)
{
    exec(QStringLiteral("delete from ukoly"));
    const int id = addTask(0, 0);
    open(id);
    ed().GroupBox_OPAKOVANI->ComboBox_OPAKOVANI->setCurrentIndex(3); // Měsíčně
    ed().GroupBox_OPAKOVANI->ComboBox_MESICNE->setCurrentIndex(2);   // the last day
    ed().GroupBox_OPAKOVANI->ComboBox_KONEC->setCurrentIndex(2);
    ed().GroupBox_OPAKOVANI->SpinBox_POCET->setValue(3);
    click(ed().SB_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    const QString radky = QStringLiteral(
        "select datum, aktivni, alarm_datum, opakovani, konec_opakovani, serie_id, puvodni_vyskyt from ukoly "
        "order by ukoly_id");
    // 24.12.2004 is not the last day: the rule gives 31.12., 31.1., 28.2.
    EXPECT_EQ(rows(radky).Radek(1),
              QStringLiteral("24.12.2004,1,23.12.2004,FREQ=MONTHLY;BYMONTHDAY=-1;COUNT=3,28.2.2005,,"));

    QStringList stav;
    for (int i = 0; i < 4; ++i) {
        open(id);
        if (!ed().ChB_AKTIVNI->isChecked()) break;
        click(ed().ChB_AKTIVNI);
        click(ed().SB_SAVE);
        EXPECT_TRUE(messages::takeShown().isEmpty());
        stav << rows(
                    QStringLiteral("select datum, aktivni, alarm_datum from ukoly where ukoly_id=%1").arg(id))
                    .Radek(1);
    }
    EXPECT_EQ(stav, (QStringList{"31.12.2004,1,30.12.2004", "31.1.2005,1,30.1.2005", "28.2.2005,1,27.2.2005",
                                 "28.2.2005,0,27.2.2005"}));
    const TKTDATASET t = rows(radky);
    ASSERT_EQ(t.PocetRadku(), 4);
    EXPECT_EQ(t.Radek(2), QStringLiteral("24.12.2004,0,23.12.2004,,,%1,\"24.12.2004 10:00:00\"").arg(id));
    EXPECT_EQ(t.Radek(4), QStringLiteral("31.1.2005,0,30.1.2005,,,%1,\"31.1.2005 10:00:00\"").arg(id));
    // The count became the end it gave, so the later start keeps it.
    EXPECT_TRUE(t.Radek(1).contains(QLatin1String("UNTIL=20050228"))) << t.Radek(1).toStdString();
}
