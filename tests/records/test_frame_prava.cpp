#include "records/ui/frame_prava.h"

#include "common/inifile.h"
#include "common/messages.h"
#include "fixtures/session_groups.h"
#include "fixtures/testdb.h"
#include "records/printers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace
{

// Groups in the order the lists show them: sorted by name, "Ú" among the U's.
constexpr int kObchod = 30, kSklad = 40, kUcetni = 20, kVedeni = 10;
constexpr int kSmazana = 99; // a group id that no longer exists

class FramePrava : public DbTest
{
protected:
    static void SetUpTestSuite()
    {
        DbTest::SetUpTestSuite();
        exec(QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (10, \"Vedení\")"));
        exec(QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (20, \"Účetní\")"));
        exec(QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (30, \"Obchod\")"));
        exec(QStringLiteral(
            "insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (40, \"Sklad, expedice\")"));
    }

    void SetUp() override
    {
        DbTest::SetUp();
        m_frame.show();
    }

    QComboBox* list(const char* name) { return m_frame.findChild<QComboBox*>(QLatin1String(name)); }
    QCheckBox* vseStejne() { return m_frame.findChild<QCheckBox*>(QStringLiteral("ChB_VSE_STEJNE")); }
    bool visible(const char* name)
    {
        QWidget* w = m_frame.findChild<QWidget*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w && w->isVisible();
    }

    // The user opens a list and picks an entry with the keyboard.
    void choose(const char* listName, int index)
    {
        QComboBox* c = list(listName);
        ASSERT_TRUE(c->isEnabled() && c->isVisible()) << listName;
        QTest::keyClick(c, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(c, Qt::Key_Down);
        ASSERT_EQ(c->currentIndex(), index) << listName;
    }

    TFrame_Prava m_frame;
};

const char* const kLists[] = {"CB_CIST", "CB_EDITOVAT", "CB_SMAZAT", "CB_ALARM", "CB_ADMINISTROVAT"};

TEST_F(FramePrava, LoadsAllGroupsAndChoosesEachRight)
{
    m_frame.NactiPrava(kVedeni, kUcetni, kObchod, kSklad, 0); // read, edit, alarm, admin, delete

    EXPECT_EQ(m_frame.SkupinyID(), (QList<int>{kObchod, kSklad, kUcetni, kVedeni}));
    for (const char* name : kLists) {
        QComboBox* c = list(name);
        ASSERT_NE(c, nullptr) << name;
        // No entry for "every user": just the groups.
        ASSERT_EQ(c->count(), 4) << name;
        EXPECT_EQ(c->itemText(1), QStringLiteral("Sklad, expedice"));
        EXPECT_EQ(c->itemText(2), QStringLiteral("Účetní"));
        EXPECT_TRUE(c->isVisible() && c->isEnabled()) << name;
    }
    EXPECT_EQ(list("CB_CIST")->currentText(), QStringLiteral("Vedení"));
    EXPECT_EQ(list("CB_EDITOVAT")->currentText(), QStringLiteral("Účetní"));
    EXPECT_EQ(list("CB_ALARM")->currentText(), QStringLiteral("Obchod"));
    EXPECT_EQ(list("CB_ADMINISTROVAT")->currentText(), QStringLiteral("Sklad, expedice"));
    EXPECT_EQ(list("CB_SMAZAT")->currentIndex(), -1);
    EXPECT_EQ(m_frame.Prava(), (PravaZaznamu{kVedeni, kUcetni, 0, kObchod, kSklad}));

    EXPECT_FALSE(vseStejne()->isEnabled());
    EXPECT_FALSE(vseStejne()->isChecked());
    EXPECT_FALSE(m_frame.Zmeneno());
    const std::pair<const char*, const char*> labels[] = {
        {"Label_CIST", "Číst"},   {"Label_EDIT", "Měnit"},          {"Label_SMAZAT", "Smazat"},
        {"Label_ALARM", "Alarm"}, {"Label_ADMINISTRATOR", "Admin"}, {"Label6", "Všechna práva stejná"}};
    for (const auto& [name, text] : labels) {
        QLabel* l = m_frame.findChild<QLabel*>(QLatin1String(name));
        ASSERT_NE(l, nullptr) << name;
        EXPECT_EQ(l->text(), QString::fromUtf8(text));
        EXPECT_TRUE(l->isVisible()) << name;
    }

    // Reloading rebuilds the lists instead of appending and clears the flag.
    choose("CB_SMAZAT", 0);
    EXPECT_TRUE(m_frame.Zmeneno());
    m_frame.NactiPrava(kVedeni, kUcetni, kObchod, kSklad, 0);
    EXPECT_EQ(list("CB_CIST")->count(), 4);
    EXPECT_EQ(list("CB_SMAZAT")->currentIndex(), -1);
    EXPECT_FALSE(m_frame.Zmeneno());
}

TEST_F(FramePrava, AllRightsSameOneListSetsThemAll)
{
    // All rights 0: no choices, which count as the same, so the box is ticked
    // and only the read list remains.
    m_frame.NactiPrava(0, 0, 0, 0, 0);
    EXPECT_TRUE(vseStejne()->isEnabled());
    EXPECT_TRUE(vseStejne()->isChecked());
    EXPECT_TRUE(visible("CB_CIST"));
    EXPECT_TRUE(visible("Label6"));
    for (const char* name : {"CB_EDITOVAT", "CB_SMAZAT", "CB_ALARM", "CB_ADMINISTROVAT", "Label_CIST",
                             "Label_EDIT", "Label_SMAZAT", "Label_ALARM", "Label_ADMINISTRATOR"})
        EXPECT_FALSE(visible(name)) << name;
    EXPECT_EQ(m_frame.Prava(), PravaZaznamu{});

    QSignalSpy changed(&m_frame, &TFrame_Prava::zmenaVyberu);
    choose("CB_CIST", 2); // Účetní
    EXPECT_EQ(m_frame.Prava(), PravaZaznamu::Vse(kUcetni));
    EXPECT_TRUE(m_frame.Zmeneno());
    EXPECT_GE(changed.count(), 1);
    EXPECT_TRUE(vseStejne()->isChecked());

    // Unticking shows every list again; each can then differ.
    vseStejne()->click();
    EXPECT_FALSE(vseStejne()->isChecked());
    for (const char* name : kLists)
        EXPECT_TRUE(visible(name)) << name;
    choose("CB_SMAZAT", 3); // Vedení
    EXPECT_EQ(m_frame.Prava(), (PravaZaznamu{kUcetni, kUcetni, kVedeni, kUcetni, kUcetni}));
    EXPECT_FALSE(vseStejne()->isEnabled());
    // Equal again: the box may be ticked but is not ticked for the user.
    choose("CB_SMAZAT", 2);
    EXPECT_TRUE(vseStejne()->isEnabled());
    EXPECT_FALSE(vseStejne()->isChecked());
}

TEST_F(FramePrava, RecordWithoutAlarmRight)
{
    // The hidden alarm list does not take part in "all the same".
    m_frame.NactiPravaBezAlarmu(kObchod, kObchod, kObchod, kObchod); // read, edit, admin, delete
    EXPECT_FALSE(m_frame.MaAlarm());
    EXPECT_TRUE(vseStejne()->isChecked());
    EXPECT_EQ(m_frame.PravoAlarm(), 0);

    vseStejne()->click();
    EXPECT_FALSE(visible("CB_ALARM"));
    EXPECT_FALSE(visible("Label_ALARM"));
    EXPECT_TRUE(visible("CB_ADMINISTROVAT"));

    // A later load keeps the alarm list away.
    m_frame.NactiPravaBezAlarmu(kObchod, kSklad, kVedeni, kUcetni);
    EXPECT_FALSE(visible("CB_ALARM"));
    EXPECT_EQ(m_frame.Prava(), (PravaZaznamu{kObchod, kSklad, kUcetni, 0, kVedeni}));
}

TEST_F(FramePrava, LockedFrameDisablesTheLists)
{
    m_frame.setJenCteni(true);
    m_frame.NactiPrava(kVedeni, kVedeni, kVedeni, kVedeni, kObchod);
    for (const char* name : kLists)
        EXPECT_FALSE(list(name)->isEnabled()) << name;
    EXPECT_TRUE(m_frame.JenCteni());

    m_frame.setJenCteni(false);
    m_frame.NactiPrava(kVedeni, kVedeni, kVedeni, kVedeni, kObchod);
    for (const char* name : kLists)
        EXPECT_TRUE(list(name)->isEnabled()) << name;
}

// A right naming a deleted group shows no choice. Saving it back must not
// turn it into 0, which would open the record to every user.
TEST_F(FramePrava, DeletedGroupStaysClosedWhenSaved)
{
    exec(QStringLiteral(
        "insert into KU (KU_ID, DATUM, F_CIST, F_EDITOVAT, F_SMAZAT, F_ALARM, F_ADMINISTROVAT) "
        "values (500, \"3.5.2004\", 99, 10, 99, 99, 10)"));
    SessionGroups user({kVedeni});

    TKTDATASET row;
    db().NactiTabulku(QStringLiteral("Select F_CIST,F_EDITOVAT,F_SMAZAT,F_ALARM,F_ADMINISTROVAT from ku "
                                     "where (ku.ku_id=500);"),
                      row);
    const PravidloEditoru rule = PravidloZaznamu(PravaZRadku(row, 1));
    ASSERT_EQ(rule, (PravidloEditoru{false, false, false}));
    m_frame.setJenCteni(rule.PravaZamcena);
    m_frame.NactiPrava(PravaZRadku(row, 1));
    EXPECT_EQ(list("CB_CIST")->currentIndex(), -1);
    EXPECT_EQ(list("CB_SMAZAT")->currentIndex(), -1);

    // The user changes only the edit right, then the editor saves.
    choose("CB_EDITOVAT", 1); // Sklad, expedice
    const PravaZaznamu p = m_frame.Prava();
    exec(QStringLiteral("update ku set F_CIST=%1,F_EDITOVAT=%2,F_SMAZAT=%3,F_ALARM=%4,F_ADMINISTROVAT=%5 "
                        "where KU_ID=500")
             .arg(p.Cist)
             .arg(p.Editovat)
             .arg(p.Smazat)
             .arg(p.Alarm)
             .arg(p.Administrovat));
    EXPECT_EQ(
        db().VratRadek(QStringLiteral("Select F_CIST,F_EDITOVAT,F_SMAZAT,F_ALARM,F_ADMINISTROVAT from ku "
                                      "where ku_id=500")),
        QStringLiteral("99,40,99,99,10"));
    EXPECT_EQ(
        db().VratInt(QStringLiteral("Select count(*) from KU where ku_id=500 ") + FiltrCteni("ku", false)),
        0);

    // A group the user does choose replaces the stored one.
    choose("CB_CIST", 3); // Vedení
    EXPECT_EQ(m_frame.PravoCist(), kVedeni);
    EXPECT_EQ(m_frame.PravoSmazat(), kSmazana);
    exec(QStringLiteral("delete from KU where KU_ID=500"));
}

class FramePravaIni : public FramePrava
{
protected:
    QString file() const { return m_dir.filePath(QStringLiteral("udalost.orvan")); }
    QTemporaryDir m_dir;
};

TEST_F(FramePravaIni, RoundTripByGroupName)
{
    m_frame.NactiPrava(kVedeni, kUcetni, kObchod, kSklad, kVedeni); // read, edit, alarm, admin, delete
    {
        IniFile out(file());
        ASSERT_TRUE(m_frame.UlozPravaIni(out));
        ASSERT_TRUE(out.UpdateFile()) << out.ErrorString().toStdString();
    }
    const IniFile in(file());
    QStringList keys;
    in.ReadSection(QStringLiteral("RIGHT"), keys);
    EXPECT_EQ(keys, (QStringList{"read", "edit", "delete", "admin", "alarm"}));
    EXPECT_EQ(in.ReadString("RIGHT", "edit", "?"), QStringLiteral("Účetní"));
    EXPECT_EQ(in.ReadString("RIGHT", "admin", "?"), QStringLiteral("Sklad, expedice"));

    // Another editor (a new record with the user's default group) imports it.
    SessionGroups user({kObchod}, kObchod);
    TFrame_Prava other;
    other.NactiPrava(PravaZaznamu::Vse(kObchod));
    other.NactiPravaIni(in);
    EXPECT_EQ(other.Prava(), m_frame.Prava());
    EXPECT_FALSE(other.ChB_VSE_STEJNE->isEnabled());
    EXPECT_FALSE(other.ChB_VSE_STEJNE->isChecked());
}

TEST_F(FramePravaIni, UnknownNamesFallBackToTheDefaultGroup)
{
    {
        IniFile out(file());
        out.WriteString("RIGHT", "read", "VEDENÍ");     // other case: still found
        out.WriteString("RIGHT", "edit", "Neexistuje"); // no such group here
        out.WriteString("RIGHT", "delete", "");         // exported without a choice
        out.WriteString("RIGHT", "admin", "obchod");
        ASSERT_TRUE(out.UpdateFile()); // "alarm" missing
    }
    const IniFile in(file());
    struct Case {
        const char* name;
        int defaultGroup;
        int fallback; // what unknown names choose
    };
    const Case cases[] = {
        {"default group exists", kUcetni, kUcetni},
        {"default group deleted: first entry", kSmazana, kObchod},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SessionGroups user({kVedeni}, c.defaultGroup);
        m_frame.NactiPrava(PravaZaznamu::Vse(kVedeni));
        m_frame.NactiPravaIni(in);
        EXPECT_EQ(m_frame.PravoCist(), kVedeni);
        EXPECT_EQ(m_frame.PravoEditovat(), c.fallback);
        EXPECT_EQ(m_frame.PravoSmazat(), c.fallback);
        EXPECT_EQ(m_frame.PravoAdministrovat(), kObchod);
        EXPECT_EQ(m_frame.PravoAlarm(), c.fallback);
        for (const char* name : kLists)
            EXPECT_TRUE(visible(name)) << name;
    }
}

TEST_F(FramePravaIni, NoChoiceAndNoAlarmRight)
{
    m_frame.NactiPravaBezAlarmu(0, kSklad, kSklad, kSklad);
    IniFile out(file());
    ASSERT_TRUE(m_frame.UlozPravaIni(out));
    ASSERT_TRUE(out.UpdateFile());
    const IniFile in(file());
    QStringList keys;
    in.ReadSection(QStringLiteral("RIGHT"), keys);
    EXPECT_EQ(keys, (QStringList{"read", "edit", "delete", "admin"}));
    EXPECT_EQ(in.ReadString("RIGHT", "read", "?"), QString());
    EXPECT_EQ(in.ReadString("RIGHT", "delete", "?"), QStringLiteral("Sklad, expedice"));
}

} // namespace
