#include "calendar/editor_fixture.h"
#include "calendar/polozkasoubor.h"

#include "common/clock.h"
#include "common/inifile.h"
#include "common/messages.h"

#include <QFile>
#include <QTemporaryDir>

namespace
{

class ItemFile : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        Clock::setCurrent(&m_clock);
    }
    void TearDown() override
    {
        Clock::setCurrent(nullptr);
        EditorTest::TearDown();
    }

    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

    // A file written key by key; sections in the order given.
    QString write(const char* name, const QList<std::array<QString, 3>>& keys)
    {
        IniFile ini(path(name));
        ini.Clear();
        for (const auto& k : keys)
            ini.WriteString(k[0], k[1], k[2]);
        EXPECT_TRUE(ini.UpdateFile());
        return path(name);
    }

    QStringList noteLines() { return note()->toPlainText().split(QLatin1Char('\n')); }

    QTemporaryDir m_dir;
    TestClock m_clock{QDateTime(QDate(2004, 5, 1), QTime(9, 7, 5))};
};

TEST_F(ItemFile, RefusedVersionsAndTypes)
{
    struct Case {
        const char* name;
        QList<std::array<QString, 3>> keys;
        const char* message; // nullptr = accepted
    };
    const QString F = QStringLiteral("FILE"), T = QStringLiteral("type"), D = QStringLiteral("DATATYPE");
    const std::array<QString, 3> nazev{QStringLiteral("DATA"), QStringLiteral("nazev"),
                                       QStringLiteral("Z souboru")};
    const Case cases[] = {
        {"v0.orvan", {{F, T, "0"}, nazev}, nullptr},
        {"v1.orvan", {{F, T, "1"}, {D, T, "KU"}, nazev}, nullptr},
        {"v2.orvan",
         {{F, T, "2"}, nazev},
         "Soubor této verze nelze zpracovat, zřejmě máte zastaralou verzi programu ! "},
        {"bez.orvan",
         {{D, T, "KU"}, nazev},
         "Soubor této verze nelze zpracovat, zřejmě máte zastaralou verzi programu ! "},
        {"ukol.orvan", {{F, T, "1"}, {D, T, "UKOLY"}, nazev}, "Soubor není odpovídajícího typu !"},
    };
    for (const Case& c : cases) {
        // Each import starts from an unchanged editor (an accepted file leaves it changed).
        ed().SB_ZnovuNacist->click();
        ed().ImportujSoubor(write(c.name, c.keys));
        const QStringList shown = messages::takeShown();
        if (c.message) {
            EXPECT_EQ(shown, QStringList{QString::fromUtf8(c.message)}) << c.name;
            EXPECT_EQ(ed().Edit_NAZEV->text(), QString()) << c.name;
            EXPECT_FALSE(ed().Zmeneno()) << c.name;
        } else {
            EXPECT_TRUE(shown.isEmpty()) << c.name;
            EXPECT_EQ(ed().Edit_NAZEV->text(), QStringLiteral("Z souboru")) << c.name;
            EXPECT_TRUE(ed().Zmeneno()) << c.name;
            EXPECT_EQ(ed().ZaznamID(), 0);
        }
    }
    // A file that does not exist reads as a later format.
    ed().ImportujSoubor(path("chybi.orvan"));
    EXPECT_EQ(messages::takeShown().size(), 1);
}

TEST_F(ItemFile, ReadingActsLikeClicks)
{
    const QString D = QStringLiteral("DATA"), M = QStringLiteral("DATAMEMO");
    const QString f = write("a.orvan", {{"FILE", "type", "1"},
                                        {D, "datum", "3.6.2004"},
                                        {D, "cas_od", "10:00:00"},
                                        {D, "cely_den", "1"},
                                        {D, "alarm", "1"},
                                        {M, "Count", "2"},
                                        {M, "0", "první"},
                                        {M, "1", "druhá"},
                                        {M, "2", "třetí"}});
    ed().ImportujSoubor(f);
    ed().show();
    EXPECT_TRUE(ed().ChB_CELY_DEN->isChecked());
    EXPECT_FALSE(ed().KTEDITDC_CAS_OD->isEnabled());
    EXPECT_EQ(ed().KTEDITDC_CAS_OD->text(), QStringLiteral("10:00:00"));
    EXPECT_TRUE(ed().GroupBox_ALARM->ChB_ALARM->isChecked());
    EXPECT_TRUE(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM->isEnabled());
    EXPECT_EQ(ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->currentText(), QStringLiteral("Dialog"));
    // The file's (missing) alarm date and time win over the copied ones.
    EXPECT_EQ(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM->text(), QString());
    EXPECT_EQ(ed().GroupBox_ALARM->KTEDITDC_ALARM_CAS->text(), QString());
    EXPECT_EQ(noteLines(), (QStringList{"první", "druhá"}));
    // No categories in the file: no main one either.
    EXPECT_EQ(ed().FRAME_JvxCheckListBox_KUC1->HlavniIndex(), -1);

    // Closing the imported event asks.
    ed().close();
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
}

TEST_F(ItemFile, RoundTripIntoDatabaseWithOtherIds)
{
    // The event as the user leaves it in the editor.
    open(20040501, 80000);
    ed().KTEDITDC_CAS_DO->setText(QStringLiteral("9:30:00"));
    ed().Edit_NAZEV->setText(QStringLiteral("  \"Porada\" = vedení; 100 % "));
    click(ed().GroupBox_ALARM->ChB_ALARM);
    ed().GroupBox_ALARM->Edit_ALARM_AKCE->setText(QStringLiteral("'/tmp/zvuk.wav'"));
    doubleClickCategory(kSport);
    clickCategoryBox(kRodina);
    ed().Frame_Prava1->NactiPrava(kVedeni, kObchod, kVedeni, kObchod,
                                  kVedeni); // read, edit, alarm, admin, delete
    const QStringList lines = {QStringLiteral("  odsazený řádek"), QStringLiteral("\"v uvozovkách\""),
                               QString(), QStringLiteral("'apostrofy'"), QStringLiteral("konec s mezerou ")};
    note()->setPlainText(lines.join(QLatin1Char('\n')));

    // An older export with more categories is in the way.
    const QString file = write("udalost.orvan", {{"CATEGORY", "c003", "Práce"}, {"STARE", "klic", "x"}});
    dialogs::queueFileName(file);
    click(ed().SB_SAVE_ORVAN);
    EXPECT_EQ(dialogs::takeAsked(), QStringList{"save|*.orvan|*.orvan|*.orv|*.orv|orvan"});
    EXPECT_TRUE(messages::takeShown().isEmpty());

    {
        const IniFile ini(file);
        struct K {
            const char *s, *k, *v;
        };
        const K expected[] = {{"USER", "sign", "0"},
                              {"USER", "number", "00000"},
                              {"FILE", "date", "01.05.2004"},
                              {"FILE", "time", "9:07:05"},
                              {"FILE", "type", "1"},
                              {"FILE", "code", "0"},
                              {"DATATYPE", "type", "KU"},
                              {"DATA", "datum", "1.5.2004"},
                              {"DATA", "cely_den", "0"},
                              {"DATA", "alarm", "1"},
                              {"DATA", "alarm_datum", "1.5.2004"},
                              {"DATA", "alarm_cas", "8:00:00"},
                              {"DATAMEMO", "Count", "5"},
                              {"RIGHT", "read", "Vedení"},
                              {"RIGHT", "edit", "Obchod"},
                              {"RIGHT", "admin", "Obchod"},
                              {"CATEGORY", "main", "Sport"},
                              {"CATEGORY", "c001", "Rodina"},
                              {"CATEGORY", "c002", "Sport"}};
        for (const K& k : expected)
            EXPECT_EQ(ini.ReadString(QLatin1String(k.s), QLatin1String(k.k), QStringLiteral("?")),
                      QString::fromUtf8(k.v))
                << k.s << "/" << k.k;
        // A fresh file: nothing of the older export is left.
        EXPECT_FALSE(ini.SectionExists(QStringLiteral("STARE")));
        EXPECT_EQ(ini.ReadString(QStringLiteral("CATEGORY"), QStringLiteral("c003"), QStringLiteral("-")),
                  QStringLiteral("-"));
        QFile raw(file);
        ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
        const QByteArray text = raw.readAll();
        const QList<QByteArray> order = {"[USER]",     "[FILE]",  "[DATATYPE]", "[DATA]",
                                         "[DATAMEMO]", "[RIGHT]", "[CATEGORY]"};
        qsizetype last = -1;
        for (const QByteArray& s : order) {
            const qsizetype at = text.indexOf(s);
            EXPECT_GT(at, last) << s.constData();
            last = at;
        }
    }

    // Another database: the same names under other ids, in another order.
    exec(QStringLiteral("delete from ku_c_kat"));
    exec(QStringLiteral("delete from uzivskupina"));
    exec(QStringLiteral("insert into ku_c_kat (ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva, ku_c_kat_poradi) "
                        "values (31, \"Sport\", 0, 1)"));
    exec(QStringLiteral("insert into ku_c_kat (ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva, ku_c_kat_poradi) "
                        "values (32, \"Kultura\", 0, 2)"));
    exec(QStringLiteral("insert into ku_c_kat (ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva, ku_c_kat_poradi) "
                        "values (33, \"Rodina\", 0, 3)"));
    exec(QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (50, \"Obchod\")"));
    exec(QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (40, \"Vedení\")"));
    m_groups = std::make_unique<SessionGroups>(std::initializer_list<int>{40}, 40);
    session().UzivatelID = s_user;

    Teditudalost other;
    other.ImportujSoubor(file);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(other.KTEDITDC_DATUM->text(), QStringLiteral("1.5.2004"));
    EXPECT_EQ(other.KTEDITDC_CAS_OD->text(), QStringLiteral("8:00:00"));
    EXPECT_EQ(other.KTEDITDC_CAS_DO->text(), QStringLiteral("9:30:00"));
    EXPECT_EQ(other.Edit_NAZEV->text(), QStringLiteral("  \"Porada\" = vedení; 100 % "));
    EXPECT_EQ(other.GroupBox_ALARM->Edit_ALARM_AKCE->text(), QStringLiteral("'/tmp/zvuk.wav'"));
    EXPECT_TRUE(other.GroupBox_ALARM->ChB_ALARM->isChecked());
    EXPECT_EQ(other.GroupBox_ALARM->KTEDITDC_ALARM_CAS->text(), QStringLiteral("8:00:00"));
    EXPECT_EQ(other.Frame_Richedit1->JvxRichEdit1->toPlainText().split(QLatin1Char('\n')), lines);
    EXPECT_EQ(other.Frame_Prava1->Prava(), (PravaZaznamu{40, 50, 40, 40, 50}));
    const TFRAME_JvxCheckListBox_KUC* kat = other.FRAME_JvxCheckListBox_KUC1;
    // The database lists them in its own order: compare by name.
    QStringList checkedNames;
    for (int i = 0; i < kat->Pocet(); ++i)
        if (kat->Zaskrtnuto(i)) checkedNames << kat->data().polozka(i).Nazev;
    checkedNames.sort();
    EXPECT_EQ(checkedNames, (QStringList{"Rodina", "Sport"}));
    ASSERT_GE(kat->HlavniIndex(), 0);
    EXPECT_EQ(kat->data().polozka(kat->HlavniIndex()).Nazev, QStringLiteral("Sport"));
    EXPECT_TRUE(other.Zmeneno());

    // Saved as usual, with the receiving database's ids.
    other.show();
    click(other.SB_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    const int id = other.ZaznamID();
    ASSERT_NE(id, 0);
    const TKTDATASET links = rows(
        QStringLiteral("select ku_c_kat_id,hlavni from ku_kat where ku_id=%1 order by ku_c_kat_id").arg(id));
    ASSERT_EQ(links.PocetRadku(), 2);
    EXPECT_EQ(links.Radek(1), QStringLiteral("31,1"));
    EXPECT_EQ(links.Radek(2), QStringLiteral("33,0"));
    EXPECT_EQ(rows(QStringLiteral("select f_cist,f_editovat,alarm_typ_akce from ku where ku_id=%1").arg(id))
                  .Radek(1),
              QStringLiteral("40,50,0"));
}

} // namespace
