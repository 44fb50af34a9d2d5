#include "addressbook/ui/editadresar.h"
#include "addressbook/ui/formeditciselnikadresarkategorie.h"

#include "common/messages.h"
#include "common/ui/dialogs.h"
#include "common/ui/shell.h"
#include "fixtures/editor_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QUrl>

namespace
{

class SpecialniAdresa : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        shell::setOpener([this](const QUrl& u) {
            m_opened << u.toString();
            return true;
        });
    }

    TEditadresar m_ed;
    QStringList m_opened;
};

TEST_F(SpecialniAdresa, EveryColumnWrittenAndReadBack)
{
    exec(QStringLiteral("delete from adresar_spec"));
    m_ed.OtevriZpravou(0);
    m_ed.show();
    EXPECT_EQ(m_ed.windowTitle(), QStringLiteral("Edit Adresáře"));
    EXPECT_EQ(m_ed.CB_TYP->currentText(), QStringLiteral("Osoba"));
    EXPECT_EQ(m_ed.CB_TYP->count(), 5);
    const struct {
        QLineEdit* edit;
        const char* column;
    } fields[] = {
        {m_ed.Edit_NAZEV, "NAZEV"}, {m_ed.Edit_JMENO, "JMENO"},       {m_ed.Edit_PRIJMENI, "PRIJMENI"},
        {m_ed.Edit_EMAIL, "EMAIL"}, {m_ed.Edit_TELEFON1, "TELEFON1"}, {m_ed.Edit_TELEFON2, "TELEFON2"},
        {m_ed.Edit_ULICE, "ULICE"}, {m_ed.Edit_MESTO, "MESTO"},       {m_ed.Edit_PSC, "PSC"},
        {m_ed.Edit_STAT, "STAT"},   {m_ed.Edit_POZNAMKA, "POZNAMKA"}};
    // A new row without a picked type stores TYP 0.
    type(m_ed.Edit_NAZEV, QStringLiteral("Agentura \"Sever\""));
    QTest::mouseClick(m_ed.SB_SAVE, Qt::LeftButton);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_FALSE(m_ed.isVisible());
    const TKTDATASET novy = rows(QStringLiteral("select nazev, typ, zasilat_informace from adresar_spec"));
    EXPECT_EQ(novy.Hodnota(1, 1), QStringLiteral("Agentura \"Sever\""));
    EXPECT_EQ(novy.Hodnota(1, 2), QStringLiteral("0"));
    EXPECT_EQ(novy.Hodnota(1, 3), QStringLiteral("0"));
    const int id = value(QStringLiteral("select adresar_spec_id from adresar_spec")).toInt();

    m_ed.OtevriZpravou(id);
    m_ed.show();
    EXPECT_EQ(m_ed.Edit_NAZEV->text(), QStringLiteral("Agentura \"Sever\""));
    for (const auto& f : fields)
        type(f.edit, QStringLiteral("%1 ř").arg(QString::fromLatin1(f.column).toLower()));
    m_ed.CB_TYP->setCurrentIndex(3);
    m_ed.ChB_ZASILAT_INFORMACE->setChecked(true);
    QTest::mouseClick(m_ed.SB_SAVE, Qt::LeftButton);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    const TKTDATASET t = rows(QStringLiteral("select * from adresar_spec where adresar_spec_id=%1").arg(id));
    for (const auto& f : fields)
        EXPECT_EQ(t.HodnotaJmeno(1, QLatin1String(f.column)),
                  QStringLiteral("%1 ř").arg(QString::fromLatin1(f.column).toLower()))
            << f.column;
    EXPECT_EQ(t.HodnotaInt(1, QStringLiteral("TYP")), 3);
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("ZASILAT_INFORMACE")), QStringLiteral("1"));

    m_ed.OtevriZpravou(id);
    EXPECT_EQ(m_ed.CB_TYP->currentText(), QStringLiteral("Obchodní partneři"));
    EXPECT_TRUE(m_ed.ChB_ZASILAT_INFORMACE->isChecked());
    EXPECT_EQ(m_ed.Edit_POZNAMKA->text(), QStringLiteral("poznamka ř"));

    // The mail button: the trimmed address, and the client also without one.
    type(m_ed.Edit_EMAIL, QStringLiteral(" info@sever.cz "));
    QTest::mouseClick(m_ed.SB_SendMail, Qt::LeftButton);
    type(m_ed.Edit_EMAIL, QString());
    QTest::mouseClick(m_ed.SB_SendMail, Qt::LeftButton);
    EXPECT_EQ(m_opened, (QStringList{"mailto:info@sever.cz", "mailto:"}));
    m_ed.Nacti_zaznam(id);
}

// A refused save keeps the window with the input; closing a changed row asks.
TEST_F(SpecialniAdresa, RefusedSaveKeepsInputAndClosingAsks)
{
    exec(QStringLiteral("insert into adresar_spec (adresar_spec_id, nazev) values (501, \"Firma\")"));
    m_ed.OtevriZpravou(501);
    m_ed.show();
    type(m_ed.Edit_MESTO, QStringLiteral("zvonek\u0007"));
    QTest::mouseClick(m_ed.SB_SAVE, Qt::LeftButton);
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    // Only the changed field is written; the others keep what is stored.
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("update adresar_spec set nazev=nazev,")));
    EXPECT_TRUE(shown[0].contains(QStringLiteral("mesto=\"zvonek\u0007\"")));
    EXPECT_TRUE(m_ed.isVisible());
    EXPECT_EQ(m_ed.Edit_MESTO->text(), QStringLiteral("zvonek\u0007"));

    type(m_ed.Edit_MESTO, QStringLiteral("Brno"));
    m_ed.close(); // No
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
    EXPECT_FALSE(m_ed.isVisible());
    EXPECT_EQ(value(QStringLiteral("select mesto from adresar_spec where adresar_spec_id=501")), QString());

    m_ed.OtevriZpravou(501);
    m_ed.show();
    m_ed.ChB_ZASILAT_INFORMACE->setChecked(true);
    messages::queueAnswer(true);
    m_ed.close();
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
    EXPECT_EQ(value(QStringLiteral("select zasilat_informace from adresar_spec where adresar_spec_id=501")),
              QStringLiteral("1"));
}

TEST_F(SpecialniAdresa, RowNamedByAnEventIsNotDeleted)
{
    exec(QStringLiteral("insert into adresar_spec (adresar_spec_id, nazev) values (601, \"Objednal\")"));
    exec(QStringLiteral("insert into adresar_spec (adresar_spec_id, nazev) values (602, \"Účastník\")"));
    exec(QStringLiteral("insert into adresar_spec (adresar_spec_id, nazev) values (603, \"Nikde\")"));
    exec(QStringLiteral("insert into ku (ku_id, datum, nazev) values (601, \"1.5.2004\", \"Porada\")"));
    exec(QStringLiteral("insert into ku_spec (ku_id, objednal_id, ucastnik_id) values (601, 601, 0)"));
    exec(QStringLiteral("insert into ku_spec (ku_id, objednal_id, ucastnik_id) values (601, 0, 602)"));
    for (int id : {601, 602}) {
        m_ed.OtevriZpravou(id);
        m_ed.show();
        messages::queueAnswer(true);
        QTest::mouseClick(m_ed.SB_delete, Qt::LeftButton);
        EXPECT_EQ(messages::takeShown(),
                  (QStringList{"Opravdu chcete smazat zobrazený záznam ?",
                               "Záznam je již použit v systému a není možné ho smazat !"}));
        EXPECT_TRUE(m_ed.isVisible());
    }
    m_ed.OtevriZpravou(603);
    messages::queueAnswer(true);
    QTest::mouseClick(m_ed.SB_delete, Qt::LeftButton);
    EXPECT_EQ(messages::takeShown(), QStringList{"Opravdu chcete smazat zobrazený záznam ?"});
    EXPECT_FALSE(m_ed.isVisible());
    EXPECT_EQ(
        value(QStringLiteral("select count(*) from adresar_spec where adresar_spec_id between 601 and 603")),
        QStringLiteral("2"));
}

TEST_F(SpecialniAdresa, HostileInputInEveryField)
{
    exec(QStringLiteral("insert into adresar_spec (adresar_spec_id, nazev) values (701, \"Upravovaná\")"));
    exec(QStringLiteral("insert into adresar_spec (adresar_spec_id, nazev) values (702, \"Jiná\")"));
    std::vector<HostileField> fields;
    for (QLineEdit* e : m_ed.findChildren<QLineEdit*>())
        if (e->objectName().startsWith(QLatin1String("Edit_")))
            fields.push_back(
                {.edit = [e] { return e; },
                 .readBack = QStringLiteral("select %1 from adresar_spec where adresar_spec_id=701")
                                 .arg(e->objectName().mid(5)),
                 .name = e->objectName().toStdString()});
    hostileInput({.open = [&]() -> TEditorZaznamu& {
                      m_ed.OtevriZpravou(701);
                      m_ed.show();
                      return m_ed;
                  },
                  .edited = {{QStringLiteral("ADRESAR_SPEC"), QStringLiteral("adresar_spec_id=701")}},
                  .row = QStringLiteral("select * from adresar_spec where adresar_spec_id=701"),
                  .reset =
                      [] {
                          exec(QStringLiteral(
                              "update adresar_spec set nazev=\"Upravovaná\", jmeno=NULL, prijmeni=NULL, "
                              "email=NULL, telefon1=NULL, telefon2=NULL, ulice=NULL, mesto=NULL, psc=NULL, "
                              "stat=NULL, poznamka=NULL where adresar_spec_id=701"));
                      }},
                 fields);
}

class KategorieAdres : public EditorFixture
{
protected:
    static void SetUpTestSuite()
    {
        EditorFixture::SetUpTestSuite();
        exec(QStringLiteral("insert into adresar_c_kat (adresar_c_kat_id, adresar_c_kat_nazev, "
                            "adresar_c_kat_barva, adresar_c_kat_poradi) values (11, \"Firmy\", 255, 4)"));
        exec(QStringLiteral("insert into adresar_c_kat (adresar_c_kat_id, adresar_c_kat_nazev, "
                            "adresar_c_kat_barva, adresar_c_kat_poradi) values (12, \"Staré\", 0, 5)"));
        exec(QStringLiteral("insert into adresar_zakl (adresar_zakl_id, nazev) values (1, \"Firma\")"));
        exec(QStringLiteral("insert into adresar_zakl_kat (adresar_zakl_id, adresar_c_kat_id, hlavni) values "
                            "(1, 11, 1)"));
        // An entry deleted long ago: its link went with it.
        exec(QStringLiteral("insert into adresar_zakl (adresar_zakl_id, nazev) values (99, \"Stará\")"));
        exec(QStringLiteral("insert into adresar_zakl_kat (adresar_zakl_id, adresar_c_kat_id, hlavni) values "
                            "(99, 12, 1)"));
        exec(QStringLiteral("delete from adresar_zakl where adresar_zakl_id=99"));
    }
    void SetUp() override
    {
        EditorFixture::SetUp();
        m_ed.setNactiKategorie([this](const QString& druh) { m_bar << druh; });
    }

    TFormEditCiselnikAdresarKategorie m_ed;
    QStringList m_bar; // kinds the category bar was asked to load
};

TEST_F(KategorieAdres, NewCategoryWithColourRebuildsTheBar)
{
    m_ed.Napln(0);
    m_ed.show();
    EXPECT_EQ(m_ed.windowTitle(), QStringLiteral("Orvan - Editace kategorií v adresáři"));
    EXPECT_EQ(m_ed.Edit_NAZEV->maxLength(), 100);
    m_ed.Edit_NAZEV->setText(QStringLiteral("Dodavatelé \"A\""));
    dialogs::queueColor(QColor(10, 20, 30));
    QTest::mouseDClick(m_ed.JvColorSquare_BARVA, Qt::LeftButton);
    EXPECT_EQ(dialogs::takeAsked(), QStringList{"color"});
    QTest::mouseClick(m_ed.SB_SAVE, Qt::LeftButton);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_FALSE(m_ed.isVisible());
    EXPECT_EQ(m_bar, QStringList{"ADRESAR"});
    const TKTDATASET t =
        rows(QStringLiteral("select adresar_c_kat_id, adresar_c_kat_barva, adresar_c_kat_poradi "
                            "from adresar_c_kat where adresar_c_kat_nazev=\"Dodavatelé \"\"A\"\"\""));
    ASSERT_EQ(t.PocetRadku(), 1);
    EXPECT_EQ(t.Hodnota(1, 2).toInt(), 10 | 20 << 8 | 30 << 16);
    EXPECT_EQ(t.Hodnota(1, 3).toInt(), 0);

    // Changed and closed without saving: the question.
    m_ed.Napln(t.Hodnota(1, 1).toInt());
    m_ed.show();
    EXPECT_EQ(m_ed.JvColorSquare_BARVA->barva(), QColor(10, 20, 30));
    m_ed.JvIntegerEdit_PORADI->setValue(9);
    m_ed.close();
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
    EXPECT_EQ(rows(QStringLiteral("select adresar_c_kat_poradi from adresar_c_kat where adresar_c_kat_id=%1")
                       .arg(t.Hodnota(1, 1)))
                  .Hodnota(1, 1),
              QStringLiteral("0"));

    // Refused save keeps the window.
    m_ed.Napln(11);
    m_ed.show();
    m_ed.Edit_NAZEV->setText(QStringLiteral("firma\u0007"));
    QTest::mouseClick(m_ed.SB_SAVE, Qt::LeftButton);
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("update ADRESAR_c_kat set ADRESAR_c_kat_nazev=")));
    EXPECT_TRUE(m_ed.isVisible());
    m_ed.Napln(11); // No
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
}

TEST_F(KategorieAdres, CategoryOfAnEntryIsNotDeleted)
{
    m_ed.Napln(11);
    m_ed.show();
    messages::queueAnswer(true);
    QTest::mouseClick(m_ed.SB_delete, Qt::LeftButton);
    EXPECT_EQ(messages::takeShown(),
              (QStringList{"Opravdu chcete smazat zobrazený záznam ?",
                           "Záznam je již použit v systému a není možné ho smazat !"}));
    EXPECT_TRUE(m_ed.isVisible());

    // Named only by a deleted entry's link: deleted with that link.
    m_ed.Napln(12);
    messages::queueAnswer(true);
    QTest::mouseClick(m_ed.SB_delete, Qt::LeftButton);
    EXPECT_EQ(messages::takeShown(), QStringList{"Opravdu chcete smazat zobrazený záznam ?"});
    EXPECT_FALSE(m_ed.isVisible());
    EXPECT_EQ(
        rows(QStringLiteral("select count(*) from adresar_zakl_kat where adresar_c_kat_id=12")).Hodnota(1, 1),
        QStringLiteral("0"));
    EXPECT_EQ(
        rows(QStringLiteral("select count(*) from adresar_c_kat where adresar_c_kat_id=12")).Hodnota(1, 1),
        QStringLiteral("0"));
    EXPECT_EQ(m_bar, QStringList{"ADRESAR"});
}

TEST_F(KategorieAdres, HostileInputInTheName)
{
    exec(QStringLiteral("insert into adresar_c_kat (adresar_c_kat_id, adresar_c_kat_nazev, "
                        "adresar_c_kat_barva, adresar_c_kat_poradi) values (22, \"Upravovaná\", 0, 2)"));
    hostileInput({.open = [&]() -> TEditorZaznamu& {
                      m_ed.Napln(22);
                      m_ed.show();
                      return m_ed;
                  },
                  .edited = {{QStringLiteral("ADRESAR_C_KAT"), QStringLiteral("adresar_c_kat_id=22")}},
                  .row = QStringLiteral("select * from adresar_c_kat where adresar_c_kat_id=22"),
                  .reset =
                      [] {
                          exec(QStringLiteral("update adresar_c_kat set adresar_c_kat_nazev=\"Upravovaná\" "
                                              "where adresar_c_kat_id=22"));
                      }},
                 {{.edit = [this] { return m_ed.Edit_NAZEV; },
                   .readBack = QStringLiteral(
                       "select adresar_c_kat_nazev from adresar_c_kat where adresar_c_kat_id=22"),
                   .name = "ADRESAR_C_KAT_NAZEV"}});
}

} // namespace
