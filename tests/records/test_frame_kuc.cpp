#include "common/inifile.h"
#include "fixtures/clicks.h"
#include "fixtures/testdb.h"
#include "records/ui/frame_jvxchecklistbox_kuc.h"

#include <QImage>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

namespace
{

// Categories in the order the database returns them.
enum { kPrace, kRodina, kSport, kUrad };

class FrameKuc : public DbTest
{
protected:
    static void SetUpTestSuite()
    {
        DbTest::SetUpTestSuite();
        exec(QStringLiteral("insert into ku_c_kat (ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva, "
                            "ku_c_kat_poradi) values (11, \"Práce\", 255, 1)"));
        exec(QStringLiteral("insert into ku_c_kat (ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva, "
                            "ku_c_kat_poradi) values (12, \"Rodina\", 65280, 2)"));
        exec(QStringLiteral("insert into ku_c_kat (ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva, "
                            "ku_c_kat_poradi) values (13, \"Sport\", 16711680, 3)"));
        exec(QStringLiteral("insert into ku_c_kat (ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva, "
                            "ku_c_kat_poradi) values (14, \"Úřad\", 8421504, 4)"));
        // Links name existing records.
        exec(QStringLiteral("insert into ku (ku_id, datum) values (500, \"1.5.2004\")"));
        exec(QStringLiteral("insert into ku (ku_id, datum) values (501, \"1.5.2004\")"));
        exec(QStringLiteral("insert into ukoly (ukoly_id, datum) values (700, \"1.5.2004\")"));
        exec(QStringLiteral("insert into adresar_zakl (adresar_zakl_id, nazev) values (600, \"Firma\")"));
        // Event 500: linked without a main category; 501: Rodina is the main one.
        exec(QStringLiteral("insert into ku_kat (ku_id, ku_c_kat_id, hlavni) values (500, 12, 0)"));
        exec(QStringLiteral("insert into ku_kat (ku_id, ku_c_kat_id, hlavni) values (500, 13, 0)"));
        exec(QStringLiteral("insert into ku_kat (ku_id, ku_c_kat_id, hlavni) values (501, 11, 0)"));
        exec(QStringLiteral("insert into ku_kat (ku_id, ku_c_kat_id, hlavni) values (501, 12, 1)"));
        exec(QStringLiteral("insert into ukoly_kat (ukoly_id, ku_c_kat_id, hlavni) values (700, 14, 1)"));
        exec(QStringLiteral("insert into adresar_c_kat (adresar_c_kat_id, adresar_c_kat_nazev, "
                            "adresar_c_kat_barva, adresar_c_kat_poradi) values (21, \"  Klienti  \", 0, 1)"));
        exec(QStringLiteral("insert into adresar_c_kat (adresar_c_kat_id, adresar_c_kat_nazev, "
                            "adresar_c_kat_barva, adresar_c_kat_poradi) values (22, \"Dodavatelé\", 0, 2)"));
        exec(QStringLiteral("insert into adresar_zakl_kat (adresar_zakl_id, adresar_c_kat_id, hlavni) "
                            "values (600, 22, 1)"));
    }

    void SetUp() override
    {
        DbTest::SetUp();
        m_frame.resize(213, 200);
        m_frame.show();
        m_frame.NastavDruh(true, QStringLiteral("KU"));
    }

    QList<bool> checked() const
    {
        QList<bool> out;
        for (int i = 0; i < m_frame.Pocet(); ++i)
            out << m_frame.Zaskrtnuto(i);
        return out;
    }

    // The texts as painted: ">" marks the main category.
    QStringList texts() const
    {
        QStringList out;
        for (int i = 0; i < m_frame.Pocet(); ++i)
            out << m_frame.data().TextPolozky(i);
        return out;
    }

    void clickBox(int i)
    {
        QTest::mouseClick(m_frame.JvxCheckListBox1->viewport(), Qt::LeftButton, {},
                          m_frame.rectZaskrtnuti(i).center());
    }
    void clickName(int i)
    {
        QTest::mouseClick(m_frame.JvxCheckListBox1->viewport(), Qt::LeftButton, {},
                          m_frame.rectNazvu(i).center());
    }
    void doubleClickName(int i)
    {
        doubleClickAt(m_frame.JvxCheckListBox1->viewport(), m_frame.rectNazvu(i).center());
    }

    TFRAME_JvxCheckListBox_KUC m_frame;
};

TEST_F(FrameKuc, MainMarkFollowsClicksAndDoubleClicks)
{
    ASSERT_EQ(m_frame.Pocet(), 4);
    EXPECT_EQ(texts(), (QStringList{" Práce", " Rodina", " Sport", " Úřad"}));
    EXPECT_EQ(m_frame.HlavniIndex(), -1);
    EXPECT_FALSE(m_frame.Zmeneno());
    EXPECT_EQ(m_frame.Id(kSport), 13);
    EXPECT_EQ(m_frame.data().Barva(kPrace), QColor(255, 0, 0)); // 0x00BBGGRR

    enum Act { Box, DoubleName };
    struct Step {
        Act act;
        int item;
        QList<bool> checked;
        int main;
    };
    const Step steps[] = {
        {Box, kRodina, {false, true, false, false}, kRodina}, // first checked becomes main
        {Box, kSport, {false, true, true, false}, kRodina},   // the mark stays
        {Box, kPrace, {true, true, true, false}, kRodina},
        {Box, kRodina, {true, false, true, false}, kPrace}, // unchecking the main: topmost checked
        {Box, kPrace, {false, false, true, false}, kSport},
        {Box, kSport, {false, false, false, false}, -1},         // nothing checked, no main
        {DoubleName, kUrad, {false, false, false, true}, kUrad}, // checks and marks
        {Box, kPrace, {true, false, false, true}, kUrad},
        {DoubleName, kPrace, {true, false, false, true}, kPrace}, // moves the mark to a checked one
    };
    for (const Step& s : steps) {
        if (s.act == Box)
            clickBox(s.item);
        else
            doubleClickName(s.item);
        const int n = int(&s - steps);
        EXPECT_EQ(checked(), s.checked) << "step " << n;
        EXPECT_EQ(m_frame.HlavniIndex(), s.main) << "step " << n;
        for (int i = 0; i < m_frame.Pocet(); ++i)
            EXPECT_EQ(texts()[i].startsWith(QLatin1Char('>')), i == s.main) << "step " << n;
    }
    EXPECT_TRUE(m_frame.Zmeneno());

    // Loading a record clears the flag.
    m_frame.NactiKategorie(0, QStringLiteral("KU"));
    EXPECT_FALSE(m_frame.Zmeneno());
    EXPECT_EQ(checked(), (QList<bool>{false, false, false, false}));
}

TEST_F(FrameKuc, LinksWithoutMainGetOneOnFirstClick)
{
    m_frame.NactiKategorie(500, QStringLiteral("KU"));
    EXPECT_EQ(checked(), (QList<bool>{false, true, true, false}));
    EXPECT_EQ(m_frame.HlavniIndex(), -1);
    EXPECT_FALSE(texts().join(QString()).contains(QLatin1Char('>')));
    clickName(kUrad); // a click anywhere in the list
    EXPECT_EQ(checked(), (QList<bool>{false, true, true, false}));
    EXPECT_EQ(m_frame.HlavniIndex(), kRodina);
    EXPECT_TRUE(m_frame.Zmeneno());

    m_frame.NactiKategorie(501, QStringLiteral("KU"));
    EXPECT_EQ(checked(), (QList<bool>{true, true, false, false}));
    EXPECT_EQ(m_frame.HlavniIndex(), kRodina);
}

// A checked box shows its check mark: the item's white text colour must not
// reach the indicator, whose inside would then be white on white.
TEST_F(FrameKuc, CheckedBoxesShowTheirMark)
{
    m_frame.NactiKategorie(500, QStringLiteral("KU"));
    ASSERT_EQ(checked(), (QList<bool>{false, true, true, false}));
    // The list lays its items out from the event loop.
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_frame.rectZaskrtnuti(kUrad).isValid(); }));
    const QImage image = m_frame.JvxCheckListBox1->viewport()->grab().toImage();
    if (const QByteArray dir = qgetenv("ORVAN_GRAB_DIR"); !dir.isEmpty())
        image.save(QString::fromLocal8Bit(dir) + QStringLiteral("/kategorie.png"));
    // Dark pixels inside an indicator: the mark (and the box outline) as the style draws them.
    auto darkPixels = [&](int i) {
        const QRect r = m_frame.rectZaskrtnuti(i).adjusted(2, 2, -2, -2);
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += QColor(image.pixel(x * image.devicePixelRatio(), y * image.devicePixelRatio()))
                         .lightness() < 128;
        return n;
    };
    const int unchecked = darkPixels(kPrace);
    EXPECT_GT(darkPixels(kRodina), unchecked + 4) << "no check mark in a checked box";
    EXPECT_GT(darkPixels(kSport), unchecked + 4);
}

TEST_F(FrameKuc, KindsReadTheirOwnTables)
{
    m_frame.NactiKategorie(700, QStringLiteral("UKOLY"));
    EXPECT_EQ(checked(), (QList<bool>{false, false, false, true}));
    EXPECT_EQ(m_frame.HlavniIndex(), kUrad);

    m_frame.NactiKategorie(600, QStringLiteral("ADRESAR"));
    ASSERT_EQ(m_frame.Pocet(), 2);
    EXPECT_EQ(m_frame.data().polozka(0).Nazev, QStringLiteral("Klienti")); // trimmed for addresses
    EXPECT_EQ(m_frame.Id(1), 22);
    EXPECT_EQ(checked(), (QList<bool>{false, true}));
    EXPECT_EQ(m_frame.HlavniIndex(), 1);

    EXPECT_EQ(
        TKategorieKUC::SqlKategorii(QStringLiteral("KU"), 5),
        QStringLiteral("select KU_C_KAT_NAZEV,KU_C_KAT_BARVA,ku_c_kat.KU_C_KAT_ID as KU_C_KAT_ID,KU_KAT_ID,"
                       "HLAVNI from ku_c_kat LEFT JOIN ku_kat on (ku_kat.ku_id=5) and "
                       "(ku_kat.ku_c_kat_id=ku_c_kat.ku_c_kat_id);"));
    EXPECT_EQ(TKategorieKUC::SqlKategorii(QStringLiteral("UKOLY"), 0),
              QStringLiteral("select KU_C_KAT_NAZEV,KU_C_KAT_BARVA,KU_C_KAT_ID from ku_c_kat;"));
}

TEST_F(FrameKuc, SectionCategoryByName)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.orvan"));
    clickBox(kRodina);
    clickBox(kSport);
    doubleClickName(kSport);
    {
        IniFile ini(path);
        ASSERT_TRUE(m_frame.UlozKategorieDoSouboru(ini));
        ASSERT_TRUE(ini.UpdateFile());
    }
    IniFile ini(path);
    QStringList keys;
    ini.ReadSection(QStringLiteral("CATEGORY"), keys);
    EXPECT_EQ(keys, (QStringList{"main", "c001", "c002"}));
    EXPECT_EQ(ini.ReadString(QStringLiteral("CATEGORY"), QStringLiteral("main"), {}),
              QStringLiteral("Sport"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("CATEGORY"), QStringLiteral("c001"), {}),
              QStringLiteral("Rodina"));

    // Reading stops at the first empty key and skips unknown names.
    ini.Clear();
    ini.WriteString(QStringLiteral("CATEGORY"), QStringLiteral("main"), QStringLiteral("Úřad"));
    ini.WriteString(QStringLiteral("CATEGORY"), QStringLiteral("c001"), QStringLiteral("Neznámá"));
    ini.WriteString(QStringLiteral("CATEGORY"), QStringLiteral("c002"), QStringLiteral("Úřad"));
    ini.WriteString(QStringLiteral("CATEGORY"), QStringLiteral("c003"), QString());
    ini.WriteString(QStringLiteral("CATEGORY"), QStringLiteral("c004"), QStringLiteral("Práce"));
    m_frame.NactiKategorie(0, QStringLiteral("KU"));
    m_frame.NactiKategorieZeSouboru(ini);
    EXPECT_EQ(checked(), (QList<bool>{false, false, false, true}));
    EXPECT_EQ(m_frame.HlavniIndex(), kUrad);

    // A main name that is not among the c-keys: the first checked one.
    ini.Clear();
    ini.WriteString(QStringLiteral("CATEGORY"), QStringLiteral("main"), QStringLiteral("Práce"));
    ini.WriteString(QStringLiteral("CATEGORY"), QStringLiteral("c001"), QStringLiteral("Sport"));
    m_frame.NactiKategorie(0, QStringLiteral("KU"));
    m_frame.NactiKategorieZeSouboru(ini);
    EXPECT_EQ(checked(), (QList<bool>{false, false, true, false}));
    EXPECT_EQ(m_frame.HlavniIndex(), kSport);
}

TEST_F(FrameKuc, LinkStatements)
{
    clickBox(kSport);
    clickBox(kPrace);
    const TKategorieKUC& d = m_frame.data();
    EXPECT_EQ(d.PrikazyOdkazu(9, SqlSmazatKuKat, SqlVlozitKuKat),
              (QStringList{"Delete from KU_KAT where KU_ID=9",
                           "Insert into ku_kat(KU_ID,KU_C_KAT_ID,HLAVNI) values(9,11,0)",
                           "Insert into ku_kat(KU_ID,KU_C_KAT_ID,HLAVNI) values(9,13,1)"}));
    EXPECT_EQ(d.PrikazyOdkazu(9, QString(), SqlVlozitAdresarKat).constFirst(),
              QStringLiteral(
                  "Insert into adresar_zakl_kat(adresar_zakl_ID,adresar_C_KAT_ID,HLAVNI) values(9,11,0);"));
}

} // namespace
