#include "calendar/editor_fixture.h"

#include "common/messages.h"
#include "fixtures/fake_shell.h"
#include "records/ui/skupinaopakovani.h"
#include "records/vyskyty.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

namespace
{

using EditUdalost = EditorTest;

TEST_F(EditUdalost, NewEventFromKeysAndAlarmDefaults)
{
    open(20040501, -12);
    EXPECT_EQ(ed().windowTitle(), QStringLiteral("Orvan - Editace události"));
    EXPECT_EQ(ed().KTEDITDC_DATUM->text(), QStringLiteral("1.5.2004"));
    EXPECT_EQ(ed().KTEDITDC_CAS_OD->text(), QString());
    EXPECT_EQ(ed().KTEDITDC_CAS_DO->text(), QString());
    EXPECT_FALSE(ed().SB_delete->isVisible());
    EXPECT_TRUE(ed().SB_SAVE_ORVAN->isVisible());
    EXPECT_EQ(ed().Frame_Prava1->Prava(), PravaZaznamu::Vse(kVedeni));
    EXPECT_FALSE(ed().Zmeneno());
    EXPECT_FALSE(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM->isEnabled());

    open(20040501, 80000);
    EXPECT_EQ(ed().KTEDITDC_CAS_OD->text(), QStringLiteral("8:00:00"));
    EXPECT_EQ(ed().KTEDITDC_DATUM->maxLength(), 10);
    EXPECT_EQ(ed().KTEDITDC_CAS_OD->maxLength(), 8);

    // Alarm: copies the date and the start and chooses "Dialog".
    click(ed().GroupBox_ALARM->ChB_ALARM);
    EXPECT_EQ(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM->text(), QStringLiteral("1.5.2004"));
    EXPECT_EQ(ed().GroupBox_ALARM->KTEDITDC_ALARM_CAS->text(), QStringLiteral("8:00:00"));
    EXPECT_EQ(ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->currentText(), QStringLiteral("Dialog"));
    for (QWidget* w : {static_cast<QWidget*>(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM),
                       static_cast<QWidget*>(ed().GroupBox_ALARM->KTEDITDC_ALARM_CAS),
                       static_cast<QWidget*>(ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE),
                       static_cast<QWidget*>(ed().GroupBox_ALARM->Edit_ALARM_AKCE)})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(ed().Zmeneno());
    // Unchecking and checking again keeps what the fields hold.
    click(ed().GroupBox_ALARM->ChB_ALARM);
    EXPECT_FALSE(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM->isEnabled());
    ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM->setText(QStringLiteral("30.4.2004"));
    click(ed().GroupBox_ALARM->ChB_ALARM);
    EXPECT_EQ(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM->text(), QStringLiteral("30.4.2004"));

    // "Dialog" needs no action; the other types do.
    ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->setCurrentIndex(0);
    emit ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->activated(0);
    EXPECT_FALSE(ed().GroupBox_ALARM->Edit_ALARM_AKCE->isEnabled());
    ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->setCurrentIndex(3);
    emit ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->activated(3);
    EXPECT_TRUE(ed().GroupBox_ALARM->Edit_ALARM_AKCE->isEnabled() &&
                ed().GroupBox_ALARM->SB_RUN->isEnabled());

    // Whole day disables the times and keeps their texts.
    click(ed().ChB_CELY_DEN);
    EXPECT_FALSE(ed().KTEDITDC_CAS_OD->isEnabled());
    EXPECT_FALSE(ed().KTEDITDC_CAS_DO->isEnabled());
    EXPECT_EQ(ed().KTEDITDC_CAS_OD->text(), QStringLiteral("8:00:00"));
}

TEST_F(EditUdalost, SaveNewThenStoredEventLeavesRows)
{
    open(20040501, 80000);
    type(ed().Edit_NAZEV, QStringLiteral("Porada vedení"));
    type(ed().KTEDITDC_CAS_DO, QStringLiteral("9:30:00"));
    doubleClickCategory(kRodina); // checked and main
    clickCategoryBox(kSport);
    note()->setFocus();
    keys(note(), QStringLiteral("Zápis z porady"));
    click(ed().SB_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_FALSE(ed().isVisible());

    const TKTDATASET ku = rows(QStringLiteral(
        "select "
        "ku_id,datum,cas_od,cas_do,cely_den,nazev,alarm,alarm_datum,alarm_cas,alarm_typ_akce,alarm_akce,"
        "vytvoril_kdo,vytvoril_kdy,editoval_kdo,editoval_kdy,f_cist,f_editovat,f_smazat,f_alarm,f_"
        "administrovat "
        "from ku"));
    ASSERT_EQ(ku.PocetRadku(), 1);
    const int id = ku.HodnotaInt(1, QStringLiteral("KU_ID"));
    EXPECT_EQ(id, ed().ZaznamID());
    const std::pair<const char*, const char*> expected[] = {{"DATUM", "1.5.2004"},
                                                            {"CAS_OD", "1.5.2004 8:00:00"},
                                                            {"CAS_DO", "1.5.2004 9:30:00"},
                                                            {"CELY_DEN", "0"},
                                                            {"NAZEV", "Porada vedení"},
                                                            {"ALARM", "0"},
                                                            {"ALARM_DATUM", ""},
                                                            {"ALARM_CAS", ""},
                                                            {"ALARM_TYP_AKCE", "-1"},
                                                            {"ALARM_AKCE", ""},
                                                            {"F_CIST", "10"},
                                                            {"F_EDITOVAT", "10"},
                                                            {"F_SMAZAT", "10"},
                                                            {"F_ALARM", "10"},
                                                            {"F_ADMINISTROVAT", "10"}};
    for (const auto& [col, value] : expected)
        EXPECT_EQ(ku.HodnotaJmeno(1, QLatin1String(col)), QString::fromUtf8(value)) << col;
    EXPECT_EQ(ku.HodnotaInt(1, QStringLiteral("VYTVORIL_KDO")), s_user);
    EXPECT_EQ(ku.HodnotaInt(1, QStringLiteral("EDITOVAL_KDO")), s_user);
    EXPECT_FALSE(ku.HodnotaJmeno(1, QStringLiteral("VYTVORIL_KDY")).isEmpty());
    EXPECT_FALSE(ku.HodnotaJmeno(1, QStringLiteral("EDITOVAL_KDY")).isEmpty());
    const QString links =
        QStringLiteral("select ku_c_kat_id,hlavni from ku_kat where ku_id=%1 order by ku_c_kat_id").arg(id);
    TKTDATASET kat = rows(links);
    ASSERT_EQ(kat.PocetRadku(), 2);
    EXPECT_EQ(kat.Radek(1), QStringLiteral("12,1"));
    EXPECT_EQ(kat.Radek(2), QStringLiteral("13,0"));
    EXPECT_EQ(noteOf(id), QStringLiteral("Zápis z porady"));

    // Reopen: the type chosen never reads back empty; change and save again.
    open(id, -11);
    EXPECT_TRUE(ed().SB_delete->isVisible());
    EXPECT_EQ(ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->currentIndex(), -1);
    EXPECT_EQ(ed().KTEDITDC_CAS_DO->text(), QStringLiteral("9:30:00"));
    EXPECT_EQ(note()->toPlainText(), QStringLiteral("Zápis z porady"));
    EXPECT_EQ(ed().FRAME_JvxCheckListBox_KUC1->HlavniIndex(), int(kRodina));
    EXPECT_FALSE(ed().Zmeneno());
    type(ed().Edit_NAZEV, QStringLiteral("Porada"));
    clickCategoryBox(kRodina); // the main one goes: Sport becomes main
    click(ed().SB_SAVE);
    kat = rows(links);
    ASSERT_EQ(kat.PocetRadku(), 1);
    EXPECT_EQ(kat.Radek(1), QStringLiteral("13,1"));
    EXPECT_EQ(rows(QStringLiteral("select nazev from ku")).Hodnota(1, 1), QStringLiteral("Porada"));
    EXPECT_EQ(noteOf(id), QStringLiteral("Zápis z porady"));
}

TEST_F(EditUdalost, SaveStatementsAreExact)
{
    TKategorieKUC kat;
    kat.NastavDruh(true, QStringLiteral("KU"));
    kat.Zaskrtni(kSport, true);
    kat.Zaskrtni(kPrace, true);
    UdalostPole u;
    u.Datum = QStringLiteral("1.5.2004");
    u.CasOd = QStringLiteral("8:00:00");
    u.Nazev = QStringLiteral("Řekl \"ano\"");
    u.Alarm = true;
    u.AlarmDatum = QStringLiteral("30.4.2004");
    u.AlarmCas = QStringLiteral("7:00:00");
    u.TypAkce = 2;
    u.Akce = QStringLiteral("/tmp/a.wav");
    u.Prava = {10, 20, 30, 40, 50};
    EXPECT_EQ(
        PrikazyUlozeniUdalosti(u, 0, 77, 5, kat),
        (QStringList{
            "insert into "
            "ku(ku_id,datum,cas_od,cas_do,CELY_DEN,NAZEV,ALARM,ALARM_DATUM,ALARM_CAS,ALARM_TYP_AKCE,"
            "ALARM_AKCE,vytvoril_kdo,vytvoril_kdy,editoval_kdo,editoval_kdy,F_CIST,F_EDITOVAT,F_SMAZAT,F_"
            "ALARM,"
            "F_ADMINISTROVAT)  values(77,\"1.5.2004\",\"1.5.2004 8:00:00\",\"1.5.2004\",\"0\",\"Řekl "
            "\"\"ano\"\"\","
            "\"1\",\"30.4.2004\",\"30.4.2004 "
            "7:00:00\",2,\"/tmp/a.wav\",5,CURRENT_TIMESTAMP,5,CURRENT_TIMESTAMP,"
            "10,20,30,40,50);",
            "Insert into ku_kat(KU_ID,KU_C_KAT_ID,HLAVNI) values(77,11,0);",
            "Insert into ku_kat(KU_ID,KU_C_KAT_ID,HLAVNI) values(77,13,1);"}));
    u.CelyDen = true;
    u.Alarm = false;
    u.AlarmDatum.clear();
    u.AlarmCas.clear();
    EXPECT_EQ(
        PrikazyUlozeniUdalosti(u, 9, 0, 5, kat),
        (QStringList{
            "update ku set datum=\"1.5.2004\",cas_od=\"1.5.2004 8:00:00\",cas_do=\"1.5.2004\","
            "cely_den=\"1\",NAZEV=\"Řekl \"\"ano\"\"\",ALARM=\"0\",ALARM_DATUM=NULL,ALARM_CAS=NULL,"
            "ALARM_TYP_AKCE=2,ALARM_AKCE=\"/tmp/a.wav\",editoval_kdo=5,editoval_kdy=CURRENT_TIMESTAMP,"
            "F_CIST=10,F_EDITOVAT=20,F_SMAZAT=30,F_ALARM=40,F_ADMINISTROVAT=50 where KU_ID=9",
            "Delete from KU_KAT where KU_ID=9", "Insert into ku_kat(KU_ID,KU_C_KAT_ID,HLAVNI) values(9,11,0)",
            "Insert into ku_kat(KU_ID,KU_C_KAT_ID,HLAVNI) values(9,13,1)"}));
}

TEST_F(EditUdalost, MissingDateRefusedAndRefusedSaveKeepsInput)
{
    exec(QStringLiteral("delete from ku"));
    // No date: refused before anything is written, the input stays.
    open(0, -11);
    type(ed().Edit_NAZEV, QStringLiteral("Bez data"));
    type(ed().KTEDITDC_CAS_OD, QStringLiteral("8:00:00"));
    click(ed().SB_SAVE);
    EXPECT_EQ(messages::takeShown(), QStringList{"Data obsahují nepovolené údaje !"});
    EXPECT_TRUE(ed().isVisible());
    EXPECT_EQ(ed().Edit_NAZEV->text(), QStringLiteral("Bez data"));

    // A date that does not exist is refused the same way.
    type(ed().KTEDITDC_DATUM, QStringLiteral("31.2.2004"));
    click(ed().SB_SAVE);
    EXPECT_EQ(messages::takeShown(), QStringList{"Data obsahují nepovolené údaje !"});
    EXPECT_TRUE(ed().isVisible());

    // A character no stored text may hold is refused: statement and
    // error, the window stays open with everything typed.
    type(ed().KTEDITDC_DATUM, QStringLiteral("28.2.2004"));
    ed().Edit_NAZEV->setText(QStringLiteral("Bez data \u0007"));
    click(ed().SB_SAVE);
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QLatin1String("insert into ku(ku_id,datum,"))) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains(QLatin1String("\r\n")));
    EXPECT_TRUE(ed().isVisible());
    EXPECT_EQ(ed().Edit_NAZEV->text(), QStringLiteral("Bez data \u0007"));
    EXPECT_EQ(ed().KTEDITDC_DATUM->text(), QStringLiteral("28.2.2004"));
    EXPECT_EQ(rows(QStringLiteral("select count(*) from ku")).Hodnota(1, 1), QStringLiteral("0"));
    type(ed().Edit_NAZEV, QStringLiteral("Bez data"));

    // Correct it: a missing start time is stored as the date at midnight.
    type(ed().KTEDITDC_DATUM, QStringLiteral("28.2.2004"));
    ed().KTEDITDC_CAS_OD->clear();
    click(ed().SB_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_FALSE(ed().isVisible());
    EXPECT_EQ(rows(QStringLiteral("select cas_od from ku")).Hodnota(1, 1), QStringLiteral("28.2.2004"));
}

TEST_F(EditUdalost, ReadOnlyUserThenNewEventIsEditable)
{
    const int id = addEvent(kObchod, kObchod); // the user is not in Obchod
    open(id, -11);
    EXPECT_EQ(ed().Edit_NAZEV->text(), QStringLiteral("Schůzka"));
    EXPECT_EQ(ed().KTEDITDC_CAS_OD->text(), QStringLiteral("10:15:00"));
    EXPECT_EQ(ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->currentText(), QStringLiteral("Pouze zvuk"));
    EXPECT_TRUE(ed().JenCteni());
    EXPECT_TRUE(ed().KTEDITDC_DATUM->isReadOnly());
    EXPECT_FALSE(ed().KTEDITDC_DATUM->isEnabled());
    // The times are enabled again (not whole day) but stay read-only.
    EXPECT_TRUE(ed().KTEDITDC_CAS_OD->isEnabled());
    EXPECT_TRUE(ed().KTEDITDC_CAS_OD->isReadOnly());
    for (QWidget* w :
         {static_cast<QWidget*>(ed().Edit_NAZEV), static_cast<QWidget*>(ed().GroupBox_ALARM->ChB_ALARM),
          static_cast<QWidget*>(ed().ChB_CELY_DEN), static_cast<QWidget*>(ed().SB_SAVE),
          static_cast<QWidget*>(ed().FRAME_JvxCheckListBox_KUC1), static_cast<QWidget*>(ed().GroupBox_ALARM)})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    // The note stays selectable, so its text can be copied.
    EXPECT_TRUE(note()->isReadOnly());
    EXPECT_TRUE(ed().Frame_Prava1->JenCteni());

    EXPECT_EQ(ed().Uloz_zaznam(), Teditudalost::Ulozeni::JenCteni);
    EXPECT_EQ(messages::takeShown(), QStringList{"Nemáte právo měnit záznam !"});
    click(ed().SB_delete);
    EXPECT_EQ(messages::takeShown(), QStringList{"Nemáte právo smazat záznam !"});
    EXPECT_EQ(rows(QStringLiteral("select count(*) from ku where ku_id=%1").arg(id)).Hodnota(1, 1),
              QStringLiteral("1"));

    // A new event after a read-only one is editable.
    open(20040501, -12);
    EXPECT_FALSE(ed().JenCteni());
    for (QWidget* w :
         {static_cast<QWidget*>(ed().KTEDITDC_DATUM), static_cast<QWidget*>(ed().Edit_NAZEV),
          static_cast<QWidget*>(ed().GroupBox_ALARM->ChB_ALARM), static_cast<QWidget*>(ed().SB_SAVE),
          static_cast<QWidget*>(note()), static_cast<QWidget*>(ed().FRAME_JvxCheckListBox_KUC1),
          static_cast<QWidget*>(ed().GroupBox_ALARM), static_cast<QWidget*>(ed().Frame_Prava1->CB_CIST)})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(ed().KTEDITDC_DATUM->isReadOnly());
    EXPECT_FALSE(note()->isReadOnly());
}

TEST_F(EditUdalost, DeleteNeedsTheRightAndTakesTheLinks)
{
    // Edit right without the delete right.
    const int kept = addEvent(kVedeni, kObchod);
    open(kept, -11);
    EXPECT_FALSE(ed().JenCteni());
    click(ed().SB_delete);
    EXPECT_EQ(messages::takeShown(), QStringList{"Nemáte právo smazat záznam !"});

    const int id = addEvent(0, kVedeni, kObchod);
    open(id, -11);
    EXPECT_TRUE(ed().Frame_Prava1->JenCteni()); // editable, rights locked
    click(ed().SB_delete);                      // answered No
    EXPECT_EQ(messages::takeShown(), QStringList{"Opravdu chcete smazat zobrazený záznam ?"});
    EXPECT_TRUE(ed().isVisible());
    messages::queueAnswer(true);
    click(ed().SB_delete);
    EXPECT_EQ(messages::takeShown(), QStringList{"Opravdu chcete smazat zobrazený záznam ?"});
    EXPECT_FALSE(ed().isVisible());
    EXPECT_EQ(rows(QStringLiteral("select count(*) from ku where ku_id=%1").arg(id)).Hodnota(1, 1),
              QStringLiteral("0"));
    EXPECT_EQ(rows(QStringLiteral("select count(*) from ku_kat where ku_id=%1").arg(id)).Hodnota(1, 1),
              QStringLiteral("0"));
    EXPECT_EQ(rows(QStringLiteral("select count(*) from ku_kat where ku_id=%1").arg(kept)).Hodnota(1, 1),
              QStringLiteral("1"));
}

TEST_F(EditUdalost, ClosingAsksOnlyWhenSomethingChanged)
{
    const int id = addEvent(0, 0);
    open(id, -11);
    ed().close();
    EXPECT_TRUE(messages::takeShown().isEmpty());

    // The note alone counts as a change.
    open(id, -11);
    note()->setFocus();
    keys(note(), QStringLiteral("Nová poznámka"));
    messages::queueAnswer(true);
    ed().close();
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
    EXPECT_FALSE(ed().isVisible());
    EXPECT_EQ(noteOf(id), QStringLiteral("Nová poznámka"));

    // So does a click in the category list; No closes without saving.
    open(id, -11);
    clickCategoryBox(kPrace);
    ed().close();
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
    EXPECT_FALSE(ed().isVisible());
    EXPECT_EQ(rows(QStringLiteral("select count(*) from ku_kat where ku_id=%1").arg(id)).Hodnota(1, 1),
              QStringLiteral("1"));

    // Yes with a missing date keeps the window open.
    open(id, -11);
    ed().KTEDITDC_DATUM->clear();
    messages::queueAnswer(true);
    ed().close();
    EXPECT_EQ(messages::takeShown(),
              (QStringList{"Chcete data uložit ?", "Data obsahují nepovolené údaje !"}));
    EXPECT_TRUE(ed().isVisible());

    // Reload throws the change away.
    click(ed().SB_ZnovuNacist);
    EXPECT_EQ(ed().KTEDITDC_DATUM->text(), QStringLiteral("3.6.2004"));
    EXPECT_FALSE(ed().Zmeneno());
}

TEST_F(EditUdalost, TryingTheActionAndChoosingAFile)
{
    FakeShell desktop;
    QStringList& played = desktop.played;
    QList<QUrl>& opened = desktop.opened;
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("zvuk.wav"));
    QFile(wav).open(QIODevice::WriteOnly);

    open(20040501, -12);
    click(ed().GroupBox_ALARM->ChB_ALARM);
    dialogs::queueFileName(wav);
    click(ed().GroupBox_ALARM->SB_ALARM_AKCE);
    EXPECT_EQ(dialogs::takeAsked(), QStringList{"open|*.waw|*.wav|*.*|*.*|wav"});
    EXPECT_EQ(ed().GroupBox_ALARM->Edit_ALARM_AKCE->text(), wav);

    struct Case {
        int type;
        QString action;
        int sounds, opens, boxes;
    };
    // The file action opens what the alarm itself would open: a plain file, no address.
    const Case cases[] = {{0, wav, 0, 0, 0},
                          {1, QStringLiteral("  ") + wav + QStringLiteral(" "), 1, 0, 0},
                          {2, wav, 1, 0, 0},
                          {2, dir.filePath(QStringLiteral("chybi.wav")), 0, 0, 0},
                          {3, wav, 0, 1, 0},
                          {3, QStringLiteral("www.orvan.cz"), 0, 0, 1},
                          {3, QStringLiteral("  "), 0, 0, 0}};
    for (const Case& c : cases) {
        played.clear();
        opened.clear();
        ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->setCurrentIndex(c.type);
        ed().GroupBox_ALARM->Edit_ALARM_AKCE->setText(c.action);
        QTest::mouseClick(ed().GroupBox_ALARM->SB_RUN, Qt::LeftButton);
        EXPECT_EQ(played.size(), c.sounds) << c.type << " " << c.action.toStdString();
        EXPECT_EQ(opened.size(), c.opens) << c.type << " " << c.action.toStdString();
        EXPECT_EQ(messages::takeShown().size(), c.boxes) << c.type << " " << c.action.toStdString();
    }
    EXPECT_EQ(opened.value(0), QUrl()); // the last case opened nothing
}

} // namespace

// A series shows its rule in the "Opakování" group; deleting the series says
// that every occurrence goes, and a save leaves the rule as it was.
TEST_F(EditUdalost, SeriesShowsItsRuleAndDeletingNamesEveryOccurrence)
{
    const int id = addSeries(QStringLiteral("FREQ=WEEKLY;BYDAY=MO"));
    open(id, -11);
    EXPECT_EQ(ed().GroupBox_OPAKOVANI->ComboBox_OPAKOVANI->currentText(), QStringLiteral("Týdně"));
    EXPECT_TRUE(ed().GroupBox_OPAKOVANI->ChB_DNY[0]->isChecked());
    EXPECT_EQ(ed().GroupBox_OPAKOVANI->Label_POPIS->text(), QStringLiteral("Každé pondělí"));
    EXPECT_FALSE(ed().Zmeneno());
    type(ed().Edit_NAZEV, QStringLiteral("Porada týmu"));
    click(ed().SB_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(rows(QStringLiteral("select nazev, opakovani from ku where ku_id=%1").arg(id)).Radek(1),
              QStringLiteral("\"Porada týmu\",FREQ=WEEKLY;BYDAY=MO"));

    open(id, -11);
    click(ed().SB_delete); // answered No
    EXPECT_EQ(
        messages::takeShown(),
        QStringList{"Událost se opakuje (Každé pondělí).\nOpravdu chcete smazat všechny její výskyty ?"});
    EXPECT_TRUE(ed().isVisible());
    // A single event shows no rule.
    open(addEvent(0, 0), -11);
    EXPECT_EQ(ed().GroupBox_OPAKOVANI->ComboBox_OPAKOVANI->currentIndex(), 0);
    EXPECT_FALSE(ed().GroupBox_OPAKOVANI->Label_POPIS->isVisible());
}

// A new event made a series through the group: the rule, its summary and the
// last occurrence's day are stored; a rule the group cannot show is kept.
TEST_F(EditUdalost, TheGroupMakesASeries)
{
    open(20261201, 90000); // a Tuesday
    type(ed().Edit_NAZEV, QStringLiteral("Kontrola"));
    TSkupinaOpakovani& g = *ed().GroupBox_OPAKOVANI;
    g.ComboBox_OPAKOVANI->setCurrentIndex(3); // Měsíčně
    EXPECT_EQ(g.ComboBox_MESICNE->itemText(1), QStringLiteral("1. úterý v měsíci"));
    g.ComboBox_MESICNE->setCurrentIndex(1);
    g.ComboBox_KONEC->setCurrentIndex(2);
    g.SpinBox_POCET->setValue(3);
    EXPECT_EQ(g.Label_POPIS->text(), QStringLiteral("Každý měsíc 1. úterý, 3krát"));
    click(ed().SB_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(
        rows(QStringLiteral("select opakovani, konec_opakovani from ku where nazev='Kontrola'")).Radek(1),
        QStringLiteral("FREQ=MONTHLY;BYDAY=1TU;COUNT=3,2.2.2027"));

    // Weekly without a day, or an end before the start, is refused with a reason.
    open(20261201, 90000);
    type(ed().Edit_NAZEV, QStringLiteral("Nic"));
    g.ComboBox_OPAKOVANI->setCurrentIndex(2);
    g.ChB_DNY[1]->setChecked(false);
    click(ed().SB_SAVE);
    EXPECT_EQ(messages::takeShown(), QStringList{"Zvolte dny v týdnu, kdy se má událost opakovat."});
    g.ChB_DNY[1]->setChecked(true);
    g.ComboBox_KONEC->setCurrentIndex(1);
    g.KTEDITDC_KONEC->setText(QStringLiteral("30.11.2026"));
    click(ed().SB_SAVE);
    EXPECT_EQ(messages::takeShown(), QStringList{"Konec opakování je dříve než první výskyt."});

    // Another program's rule shows as "Jiné" and survives a save untouched.
    const int id = addSeries(QStringLiteral("FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1"));
    messages::queueAnswer(false); // the unsaved new event
    open(id, -11);
    EXPECT_EQ(g.ComboBox_OPAKOVANI->currentText(), QStringLiteral("Jiné"));
    type(ed().Edit_NAZEV, QStringLiteral("Výplaty"));
    click(ed().SB_SAVE);
    EXPECT_EQ(value(QStringLiteral("select opakovani from ku where ku_id=%1").arg(id)),
              QStringLiteral("FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1"));
}

// An occurrence opened from the month: its own day and alarm, and a save or a
// delete that reaches only it, it and the following ones, or every one.
TEST_F(EditUdalost, OccurrenceThisFollowingOrAll)
{
    struct Pripad {
        const char* nazev;
        bool smazat;
        int volba; // Jen tento, Tento a následující, Všechny
        QStringList cerven;
    };
    const QString s = QStringLiteral("Schůzka");
    const Pripad pripady[] = {
        {"save only this",
         false,
         0,
         {"3 10:15 Schůzka", "10 10:15 Schůzka", "17 12:00 Jiná", "24 10:15 Schůzka"}},
        {"save this and following",
         false,
         1,
         {"3 10:15 Schůzka", "10 10:15 Schůzka", "17 12:00 Jiná", "24 12:00 Jiná"}},
        {"save all", false, 2, {"3 12:00 Jiná", "10 12:00 Jiná", "17 12:00 Jiná", "24 12:00 Jiná"}},
        {"delete only this", true, 0, {"3 10:15 Schůzka", "10 10:15 Schůzka", "24 10:15 Schůzka"}},
        {"delete this and following", true, 1, {"3 10:15 Schůzka", "10 10:15 Schůzka"}},
        {"delete all", true, 2, {}},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.nazev);
        exec(QStringLiteral("delete from ku"));
        const int id = addSeries(QStringLiteral("FREQ=WEEKLY;BYDAY=TH"));
        ASSERT_TRUE(ed().OtevriVyskyt(id, QDateTime(QDate(2004, 6, 17), QTime(10, 15))));
        ed().show();
        EXPECT_EQ(ed().KTEDITDC_DATUM->text(), QStringLiteral("17.6.2004"));
        EXPECT_EQ(ed().KTEDITDC_CAS_DO->text(), QStringLiteral("11:00:00"));
        EXPECT_EQ(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM->text(), QStringLiteral("16.6.2004"));
        if (p.smazat) {
            messages::queueChoice(p.volba);
            click(ed().SB_delete);
        } else {
            type(ed().Edit_NAZEV, QStringLiteral("Jiná"));
            type(ed().KTEDITDC_CAS_OD, QStringLiteral("12:00:00"));
            type(ed().KTEDITDC_CAS_DO, QStringLiteral("12:45:00"));
            messages::queueChoice(p.volba);
            click(ed().SB_SAVE);
        }
        EXPECT_EQ(messages::takeShown().size(), 1); // the question only
        EXPECT_FALSE(ed().isVisible());
        QStringList cerven;
        for (const VyskytUdalosti& v : NactiVyskyty(db(), QDate(2004, 6, 1), QDate(2004, 6, 30)))
            cerven << v.zacatek.toString(QStringLiteral("d H:mm ")) + v.nazev;
        EXPECT_EQ(cerven, p.cerven);
    }
    // A counted series split by "Tento a následující" keeps its last occurrence.
    {
        exec(QStringLiteral("delete from ku"));
        const int id = addSeries(QStringLiteral("FREQ=WEEKLY;BYDAY=TH;COUNT=4"), QStringLiteral("24.6.2004"));
        ASSERT_TRUE(ed().OtevriVyskyt(id, QDateTime(QDate(2004, 6, 17), QTime(10, 15))));
        ed().show();
        type(ed().Edit_NAZEV, QStringLiteral("Jiná"));
        messages::queueChoice(1);
        click(ed().SB_SAVE);
        EXPECT_EQ(messages::takeShown().size(), 1);
        QStringList leto;
        for (const VyskytUdalosti& v : NactiVyskyty(db(), QDate(2004, 6, 1), QDate(2004, 8, 31)))
            leto << v.zacatek.toString(QStringLiteral("d.M. ")) + v.nazev;
        EXPECT_EQ(leto, (QStringList{"3.6. Schůzka", "10.6. Schůzka", "17.6. Jiná", "24.6. Jiná"}));
    }
    // "Zpět do editoru" keeps everything as typed.
    exec(QStringLiteral("delete from ku"));
    const int id = addSeries(QStringLiteral("FREQ=WEEKLY;BYDAY=TH"));
    ASSERT_TRUE(ed().OtevriVyskyt(id, QDateTime(QDate(2004, 6, 17), QTime(10, 15))));
    ed().show();
    type(ed().Edit_NAZEV, QStringLiteral("Jiná"));
    messages::queueChoice(3);
    click(ed().SB_SAVE);
    EXPECT_EQ(messages::takeShown(),
              QStringList{"Událost se opakuje (Každý čtvrtek).\nKterých výskytů se změna "
                          "týká ?"});
    EXPECT_TRUE(ed().Zmeneno());
    EXPECT_EQ(value(QStringLiteral("select count(*) from ku")), QStringLiteral("1"));
    ed().OtevriZpravou(0, -11); // leaves without saving after the question
}

// The last day of an event: a night shift keeps its end's day through a save
// that changes only its name, and a whole-day holiday over three days stores
// its last day and shows on each of them; a last day before the first is refused.
TEST_F(EditUdalost, LastDayOfEventsOverMidnightAndOverSeveralDays)
{
    const int id = addEvent(0, 0);
    exec(QStringLiteral("update ku set cas_od='3.6.2004 22:00', cas_do='4.6.2004 6:00' where ku_id=%1")
             .arg(id));
    open(id, -11);
    EXPECT_EQ(ed().KTEDITDC_DATUM_DO->text(), QStringLiteral("4.6.2004"));
    type(ed().Edit_NAZEV, QStringLiteral("Noční směna"));
    click(ed().SB_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(value(QStringLiteral("select cas_do from ku where ku_id=%1").arg(id)),
              QStringLiteral("4.6.2004 6:00:00"));

    open(20040607, -12);
    type(ed().Edit_NAZEV, QStringLiteral("Dovolená"));
    click(ed().ChB_CELY_DEN);
    type(ed().KTEDITDC_DATUM_DO, QStringLiteral("5.6.2004"));
    click(ed().SB_SAVE);
    EXPECT_EQ(messages::takeShown(), QStringList{TextChybnaData});
    type(ed().KTEDITDC_DATUM_DO, QStringLiteral("9.6.2004"));
    click(ed().SB_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(value(QStringLiteral("select datum_do from ku where nazev='Dovolená'")),
              QStringLiteral("9.6.2004"));
    // Its first day is its row; the month and the date-range list add the further days.
    QStringList dny;
    for (const VyskytUdalosti& v : NactiVyskyty(db(), QDate(2004, 6, 6), QDate(2004, 6, 10)))
        if (v.nazev == QStringLiteral("Dovolená")) dny << v.zacatek.toString(QStringLiteral("d.M."));
    for (const VyskytUdalosti& v :
         VyskytySerii(db(), QDate(2004, 6, 6), QDate(2004, 6, 10), {}, true, nullptr, true))
        if (v.nazev == QStringLiteral("Dovolená")) dny << v.zacatek.toString(QStringLiteral("d.M."));
    EXPECT_EQ(dny, (QStringList{"7.6.", "8.6.", "9.6."}));
}
