#include "calendar/ui/formeditciselnikkalendarkategorie.h"

#include "common/messages.h"
#include "common/ui/dialogs.h"
#include "fixtures/editor_fixture.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

namespace
{

class KategorieEditor : public EditorFixture
{
protected:
    static void SetUpTestSuite()
    {
        EditorFixture::SetUpTestSuite();
        exec(QStringLiteral("insert into ku_c_kat (ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva, "
                            "ku_c_kat_poradi) values (11, \"Práce\", 255, 4)"));
        exec(QStringLiteral("insert into ku_c_kat (ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva, "
                            "ku_c_kat_poradi) values (12, \"Úkoly\", 0, 5)"));
        exec(QStringLiteral("insert into ku (ku_id, datum, nazev) values (1, \"1.5.2004\", \"Porada\")"));
        exec(QStringLiteral("insert into ku_kat (ku_id, ku_c_kat_id, hlavni) values (1, 11, 1)"));
        exec(QStringLiteral("insert into ukoly (ukoly_id, datum, nazev) values (1, \"1.5.2004\", \"Úkol\")"));
        exec(QStringLiteral("insert into ukoly_kat (ukoly_id, ku_c_kat_id, hlavni) values (1, 12, 1)"));
        // An event deleted long ago: its link went with it.
        exec(QStringLiteral("insert into ku (ku_id, datum, nazev) values (99, \"1.5.2004\", \"Stará\")"));
        exec(QStringLiteral("insert into ku_kat (ku_id, ku_c_kat_id, hlavni) values (99, 12, 1)"));
        exec(QStringLiteral("delete from ku where ku_id=99"));
    }
    void SetUp() override
    {
        EditorFixture::SetUp();
        m_ed.setNactiKategorie([this](const QString& druh) { m_bar << druh; });
    }

    TFormEditCiselnikKalendarKategorie m_ed;
    QStringList m_bar; // kinds the category bar was asked to load
};

TEST_F(KategorieEditor, NewCategoryWithColourThenChange)
{
    m_ed.Napln(0);
    m_ed.show();
    EXPECT_EQ(m_ed.windowTitle(), QStringLiteral("Orvan - Editace kategorií v kalendáři"));
    EXPECT_EQ(m_ed.JvColorSquare_BARVA->barva(), QColor(Qt::black));
    m_ed.Edit_NAZEV->setText(QStringLiteral("Školení"));
    m_ed.JvIntegerEdit_PORADI->setValue(7);
    EXPECT_EQ(m_ed.JvIntegerEdit_PORADI->minimum(), 0);

    // Cancelled colour dialog keeps the colour; a chosen one replaces it.
    QTest::mouseDClick(m_ed.JvColorSquare_BARVA, Qt::LeftButton);
    EXPECT_EQ(m_ed.JvColorSquare_BARVA->barva(), QColor(Qt::black));
    dialogs::queueColor(QColor(10, 20, 30));
    QTest::mouseDClick(m_ed.JvColorSquare_BARVA, Qt::LeftButton);
    EXPECT_EQ(dialogs::takeAsked(), (QStringList{"color", "color"}));

    QTest::mouseClick(m_ed.SB_SAVE, Qt::LeftButton);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_FALSE(m_ed.isVisible());
    EXPECT_EQ(m_bar, QStringList{"KU"});
    const TKTDATASET t = rows(QStringLiteral(
        "select ku_c_kat_id,ku_c_kat_barva,ku_c_kat_poradi from ku_c_kat where ku_c_kat_nazev=\"Školení\""));
    ASSERT_EQ(t.PocetRadku(), 1);
    EXPECT_EQ(t.HodnotaInt(1, QStringLiteral("KU_C_KAT_BARVA")), 10 | 20 << 8 | 30 << 16); // 0x00BBGGRR
    EXPECT_EQ(t.HodnotaInt(1, QStringLiteral("KU_C_KAT_PORADI")), 7);
    const int id = t.HodnotaInt(1, QStringLiteral("KU_C_KAT_ID"));

    m_ed.Napln(id);
    m_ed.show();
    EXPECT_EQ(m_ed.Edit_NAZEV->text(), QStringLiteral("Školení"));
    EXPECT_EQ(m_ed.JvColorSquare_BARVA->barva(), QColor(10, 20, 30));
    EXPECT_EQ(m_ed.JvIntegerEdit_PORADI->value(), 7);
    m_ed.Edit_NAZEV->clear(); // nothing is validated
    QTest::mouseClick(m_ed.SB_SAVE, Qt::LeftButton);
    EXPECT_EQ(rows(QStringLiteral("select ku_c_kat_nazev,ku_c_kat_poradi from ku_c_kat where ku_c_kat_id=%1")
                       .arg(id))
                  .Radek(1),
              QStringLiteral(",7"));
}

TEST_F(KategorieEditor, RefusedSaveKeepsInput)
{
    m_ed.Napln(11);
    m_ed.show();
    m_ed.Edit_NAZEV->setText(QStringLiteral("Práce \u0007")); // a control character
    QTest::mouseClick(m_ed.SB_SAVE, Qt::LeftButton);
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(
        QStringLiteral("update ku_c_kat set ku_c_kat_nazev=\"Práce "
                       "\u0007\",ku_c_kat_barva=ku_c_kat_barva,ku_c_kat_poradi=ku_c_kat_poradi where "
                       "ku_c_kat_id=11 and REVIZE=0;\r\n")))
        << shown[0].toStdString();
    EXPECT_TRUE(m_ed.isVisible());
    EXPECT_EQ(m_ed.Edit_NAZEV->text(), QStringLiteral("Práce \u0007"));
}

TEST_F(KategorieEditor, DeleteRefusedWhileEventsUseIt)
{
    m_ed.Napln(11);
    m_ed.show();
    messages::queueAnswer(true);
    QTest::mouseClick(m_ed.SB_delete, Qt::LeftButton);
    EXPECT_EQ(messages::takeShown(),
              (QStringList{"Opravdu chcete smazat zobrazený záznam ?",
                           "Záznam je již použit v systému a není možné ho smazat !"}));
    EXPECT_TRUE(m_ed.isVisible());
    EXPECT_EQ(rows(QStringLiteral("select count(*) from ku_c_kat where ku_c_kat_id=11")).Hodnota(1, 1),
              QStringLiteral("1"));

    // Used by tasks and by a deleted event only: only links of existing
    // events count. "No" first keeps it.
    m_ed.Napln(12);
    QTest::mouseClick(m_ed.SB_delete, Qt::LeftButton);
    EXPECT_TRUE(m_ed.isVisible());
    messages::queueAnswer(true);
    QTest::mouseClick(m_ed.SB_delete, Qt::LeftButton);
    EXPECT_EQ(messages::takeShown(), (QStringList{"Opravdu chcete smazat zobrazený záznam ?",
                                                  "Opravdu chcete smazat zobrazený záznam ?"}));
    EXPECT_FALSE(m_ed.isVisible());
    EXPECT_EQ(rows(QStringLiteral("select count(*) from ku_c_kat where ku_c_kat_id=12")).Hodnota(1, 1),
              QStringLiteral("0"));
    EXPECT_EQ(rows(QStringLiteral("select count(*) from ku_kat where ku_c_kat_id=12")).Hodnota(1, 1),
              QStringLiteral("0"));
    EXPECT_EQ(m_bar, QStringList{"KU"}); // the bar loses the deleted category
}

} // namespace
