#include "addressbook/address_fixture.h"

#include "addressbook/adresa.h"
#include "data/sqlvalues.h"
#include "data/tablecolumns.h"
#include "data/zapiszaznam.h"
#include "fixtures/hostile.h"
#include "records/kategoriekuc.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

namespace
{

using EditAdresa = AddressTest;

// A distinct text for every column, as a user types it.
QString sample(const QString& column, int round)
{
    if (column == QLatin1String("NAZEV_ZKRACENY")) return QStringLiteral("Zk%1č").arg(round);
    return QStringLiteral("%1 \"ř\" %2").arg(column.toLower()).arg(round);
}

// Every field goes to its own column and comes back into its own field, for
// a new entry and for a stored one; categories and the note go along, and a
// save of the stored entry replaces its category links.
TEST_F(EditAdresa, EveryColumnWrittenAndReadBack)
{
    exec(QStringLiteral("delete from adresar_zakl_kat"));
    exec(QStringLiteral("delete from adresar_zakl"));
    open(0);
    EXPECT_EQ(ed().windowTitle(), QStringLiteral("Orvan - Editace adresy"));
    EXPECT_FALSE(ed().SB_delete->isVisible());
    EXPECT_EQ(ed().Frame_Prava1->Prava(), (PravaZaznamu{kVedeni, kVedeni, kVedeni, 0, kVedeni}));
    EXPECT_FALSE(ed().Frame_Prava1->CB_ALARM->isVisible());
    EXPECT_FALSE(files().SB_NEW_SOUBOR->isEnabled()); // nothing attaches to an unsaved entry
    EXPECT_EQ(ed().CB_TITUL->count(), 14);
    EXPECT_EQ(ed().CB_STAT->itemText(0), QStringLiteral("Česká republika"));

    for (const QString& c : SloupceAdresy())
        type(field(c), sample(c, 1));
    clickCategoryBox(kFirmy);
    doubleClickCategory(kUrady); // the main one
    typeNote(QStringLiteral("Poznámka"));
    click(ed().Frame_Prava1->ChB_VSE_STEJNE); // the rights one by one
    ed().Frame_Prava1->CB_SMAZAT->setCurrentIndex(
        ed().Frame_Prava1->CB_SMAZAT->findText(QStringLiteral("Obchod")));
    click(ed().SB_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_FALSE(ed().isVisible());

    TKTDATASET t = rows(QStringLiteral("select * from adresar_zakl"));
    ASSERT_EQ(t.PocetRadku(), 1);
    const int id = t.HodnotaInt(1, QStringLiteral("ADRESAR_ZAKL_ID"));
    EXPECT_EQ(ed().ZaznamID(), id);
    for (const QString& c : SloupceAdresy())
        EXPECT_EQ(t.HodnotaJmeno(1, c), sample(c, 1)) << c.toStdString();
    EXPECT_EQ(t.HodnotaInt(1, QStringLiteral("F_CIST")), kVedeni);
    EXPECT_EQ(t.HodnotaInt(1, QStringLiteral("F_EDITOVAT")), kVedeni);
    EXPECT_EQ(t.HodnotaInt(1, QStringLiteral("F_SMAZAT")), kObchod);
    EXPECT_EQ(t.HodnotaInt(1, QStringLiteral("F_ADMINISTROVAT")), kVedeni);
    EXPECT_EQ(t.HodnotaInt(1, QStringLiteral("VYTVORIL_KDO")), s_user);
    EXPECT_EQ(t.HodnotaInt(1, QStringLiteral("EDITOVAL_KDO")), s_user);
    EXPECT_FALSE(t.HodnotaJmeno(1, QStringLiteral("VYTVORIL_KDY")).isEmpty());
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("CESTA_K_SOUBORUM")), QString());
    EXPECT_EQ(linksOf(id), (QStringList{"11/0", "13/1"}));
    EXPECT_EQ(noteOf(id), QStringLiteral("Poznámka"));

    // Stored: the fields come back, every one changes, the links are replaced.
    open(id);
    EXPECT_TRUE(ed().SB_delete->isVisible());
    EXPECT_TRUE(files().SB_NEW_SOUBOR->isEnabled());
    for (const QString& c : SloupceAdresy())
        EXPECT_EQ(field(c)->text(), sample(c, 1)) << c.toStdString();
    EXPECT_EQ(note()->toPlainText(), QStringLiteral("Poznámka"));
    EXPECT_EQ(ed().Frame_Prava1->PravoSmazat(), kObchod);
    for (const QString& c : SloupceAdresy())
        type(field(c), sample(c, 2));
    clickCategoryBox(kFirmy);
    clickCategoryBox(kUrady);
    clickCategoryBox(kPratele);
    click(ed().SB_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    t = rows(QStringLiteral("select * from adresar_zakl"));
    ASSERT_EQ(t.PocetRadku(), 1);
    for (const QString& c : SloupceAdresy())
        EXPECT_EQ(t.HodnotaJmeno(1, c), sample(c, 2)) << c.toStdString();
    EXPECT_EQ(linksOf(id), QStringList{"12/1"});
    EXPECT_EQ(noteOf(id), QStringLiteral("Poznámka"));

    // All categories unchecked: the entry loses them.
    open(id);
    clickCategoryBox(kPratele);
    click(ed().SB_SAVE);
    EXPECT_TRUE(linksOf(id).isEmpty());
}

// The short name is cut to its column when a new entry is inserted and when a
// stored one is updated; the field takes no more either.
TEST_F(EditAdresa, ShortNameCutOnInsertAndUpdate)
{
    open(0);
    EXPECT_EQ(ed().Edit_NAZEV_ZKRACENY->maxLength(), DelkaZkratky);
    EXPECT_EQ(DelkySloupcu(db(), QStringLiteral("ADRESAR_ZAKL")).value(QStringLiteral("NAZEV_ZKRACENY")),
              DelkaZkratky);

    AdresaPole a;
    a.Nazev = QStringLiteral("Dlouhá zkratka");
    a.NazevZkraceny = QStringLiteral("Příliš\"dlouhá zkratka");
    const TKategorieKUC zadne;
    const VysledekZapisu v = UlozAdresu(db(), a, 0, s_user, zadne);
    ASSERT_TRUE(v.ok) << v.chyba.toStdString();
    const QString stored = QStringLiteral("select nazev_zkraceny from adresar_zakl where adresar_zakl_id=%1");
    EXPECT_EQ(value(stored.arg(v.id)), QStringLiteral("Příliš\"dlo"));

    a.NazevZkraceny = QStringLiteral("Jiná příliš dlouhá");
    ASSERT_TRUE(UlozAdresu(db(), a, v.id, s_user, zadne).ok);
    EXPECT_EQ(value(stored.arg(v.id)), QStringLiteral("Jiná příli"));
    EXPECT_TRUE(PrikazyUlozeniAdresy(a, v.id, 0, s_user, zadne)
                    .constFirst()
                    .contains(QStringLiteral("NAZEV_ZKRACENY=\"Jiná příli\",")));
}

TEST_F(EditAdresa, RightsDecideWhatTheEditorAllows)
{
    // Without the edit right: read-only, nothing can be saved or deleted.
    const int ciziId = addAddress(kObchod, kVedeni);
    exec(
        QStringLiteral("insert into soubor (jmeno, popis, cil, cil_id) values (\"/tmp/a.txt\", \"A\", 1, %1)")
            .arg(ciziId));
    open(ciziId);
    EXPECT_TRUE(ed().JenCteni());
    EXPECT_TRUE(ed().Edit_NAZEV->isReadOnly());
    EXPECT_FALSE(ed().CB_TITUL->isEnabled());
    EXPECT_TRUE(note()->isReadOnly());
    EXPECT_FALSE(ed().SB_SAVE->isEnabled());
    EXPECT_FALSE(ed().SB_delete->isEnabled());
    EXPECT_FALSE(ed().FRAME_JvxCheckListBox_KUC1->isEnabled());
    EXPECT_TRUE(ed().Frame_Prava1->JenCteni());
    EXPECT_FALSE(files().SB_NEW_SOUBOR->isEnabled() || files().SB_Vymazat->isEnabled() ||
                 files().SB_EDITACE->isEnabled() || files().SB_NEWWORD->isEnabled());
    EXPECT_TRUE(files().SB_OTEVRIT->isEnabled()); // reading a file changes nothing
    EXPECT_EQ(files().ListBox1->count(), 1);
    EXPECT_EQ(ed().Uloz_zaznam(), Tedit_UZIVATEL_ZAKL::Ulozeni::JenCteni);
    EXPECT_EQ(messages::takeShown(), QStringList{"Nemáte právo měnit záznam !"});
    ed().close();
    EXPECT_TRUE(messages::takeShown().isEmpty());

    // A new entry after it is editable again.
    open(0);
    EXPECT_FALSE(ed().Edit_NAZEV->isReadOnly());
    EXPECT_TRUE(ed().SB_SAVE->isEnabled());
    EXPECT_TRUE(ed().FRAME_JvxCheckListBox_KUC1->isEnabled());

    // Edit but not delete: the delete button answers with the message.
    const int bezMazani = addAddress(kVedeni, kObchod);
    open(bezMazani);
    EXPECT_FALSE(ed().JenCteni());
    EXPECT_FALSE(ed().Frame_Prava1->JenCteni()); // administer 0: everybody
    click(ed().SB_delete);
    EXPECT_EQ(messages::takeShown(), QStringList{"Nemáte právo smazat záznam !"});
    EXPECT_EQ(
        value(QStringLiteral("select count(*) from adresar_zakl where adresar_zakl_id=%1").arg(bezMazani)),
        QStringLiteral("1"));

    // Edit without administer: the rights are locked, the rest is editable.
    const int bezAdmin = addAddress(kVedeni, kVedeni, kObchod);
    open(bezAdmin);
    EXPECT_FALSE(ed().JenCteni());
    EXPECT_TRUE(ed().Frame_Prava1->JenCteni());
    EXPECT_FALSE(ed().Frame_Prava1->CB_CIST->isEnabled());
}

// Deleting removes the entry with its category and file links; the files on
// disk and other entries stay.
TEST_F(EditAdresa, DeleteRemovesLinksButNotFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("smlouva.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("smlouva");
    f.close();
    const int id = addAddress(kVedeni, kVedeni);
    const int other = addAddress(kVedeni, kVedeni, 0, QStringLiteral("Jiný"));
    for (int target : {id, other})
        exec(QStringLiteral(
                 "insert into soubor (jmeno, popis, cil, cil_id) values (\"%1\", \"Smlouva\", 1, %2)")
                 .arg(path)
                 .arg(target));
    const QStringList otherBefore = filesOf(other) + linksOf(other);

    open(id);
    click(ed().SB_delete); // No
    EXPECT_EQ(messages::takeShown(), QStringList{"Opravdu chcete smazat zobrazený záznam ?"});
    EXPECT_TRUE(ed().isVisible());
    messages::queueAnswer(true);
    click(ed().SB_delete);
    EXPECT_EQ(messages::takeShown(), QStringList{"Opravdu chcete smazat zobrazený záznam ?"});
    EXPECT_FALSE(ed().isVisible());
    EXPECT_EQ(value(QStringLiteral("select count(*) from adresar_zakl where adresar_zakl_id=%1").arg(id)),
              QStringLiteral("0"));
    EXPECT_TRUE(linksOf(id).isEmpty());
    EXPECT_TRUE(filesOf(id).isEmpty());
    EXPECT_EQ(filesOf(other) + linksOf(other), otherBefore);
    EXPECT_TRUE(QFile::exists(path));
}

// Each kind of change marks the entry modified; closing then asks, and a
// refused save keeps the window with the input.
TEST_F(EditAdresa, EveryChangeMarksTheEntryModified)
{
    const int id = addAddress(kVedeni, kVedeni);
    std::vector<std::pair<QString, std::function<void()>>> changes;
    for (const QString& c : SloupceAdresy())
        changes.emplace_back(c, [this, c] { type(field(c), QStringLiteral("x")); });
    changes.emplace_back(QStringLiteral("title list"), [this] { ed().CB_TITUL->setCurrentIndex(2); });
    changes.emplace_back(QStringLiteral("category"), [this] { clickCategoryBox(kFirmy); });
    changes.emplace_back(QStringLiteral("main category"), [this] { doubleClickCategory(kPratele); });
    changes.emplace_back(QStringLiteral("rights"), [this] {
        ed().Frame_Prava1->CB_CIST->setCurrentIndex(ed().Frame_Prava1->CB_CIST->count() - 1);
    });
    changes.emplace_back(QStringLiteral("note"), [this] { typeNote(QStringLiteral("p")); });
    for (const auto& [what, change] : changes) {
        open(id);
        ASSERT_FALSE(ed().Zmeneno()) << what.toStdString();
        change();
        EXPECT_TRUE(ed().Zmeneno()) << what.toStdString();
        click(ed().SB_ZnovuNacist);
        EXPECT_FALSE(ed().Zmeneno()) << what.toStdString();
    }
    EXPECT_TRUE(messages::takeShown().isEmpty());

    // A changed street answered No closes without saving; Yes saves.
    open(id);
    type(ed().Edit_ULICE, QStringLiteral("Zahozená 1"));
    ed().close();
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
    EXPECT_FALSE(ed().isVisible());
    open(id);
    type(ed().Edit_ULICE, QStringLiteral("Uložená 2"));
    messages::queueAnswer(true);
    ed().close();
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
    EXPECT_EQ(value(QStringLiteral("select ulice from adresar_zakl where adresar_zakl_id=%1").arg(id)),
              QStringLiteral("Uložená 2"));

    // Text the database cannot hold: the save is refused and the window keeps it.
    open(id);
    type(ed().Edit_MESTO, QStringLiteral("zvonek\u0007"));
    click(ed().SB_SAVE);
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("update adresar_zakl set "))) << shown[0].toStdString();
    EXPECT_TRUE(ed().isVisible());
    EXPECT_EQ(ed().Edit_MESTO->text(), QStringLiteral("zvonek\u0007"));
    EXPECT_TRUE(ed().Zmeneno());
    messages::queueAnswer(false);
    ed().close();
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
}

TEST_F(EditAdresa, MailAndWebButtonsOpenOnlyWhatTheyShould)
{
    open(0);
    struct Case {
        QLineEdit* edit;
        QToolButton* button;
        QString text;
        QString opened; // empty: nothing is opened
        bool refused;   // a message says why
    };
    const Case cases[] = {
        {ed().Edit_EMAIL1, ed().SB_SENDMAIL1, "  jana@firma.cz ", "mailto:jana@firma.cz", false},
        {ed().Edit_EMAIL2, ed().SB_SENDMAIL2, "   ", "", false},
        {ed().Edit_WWW1, ed().SB_WWW1, " www.firma.cz ", "http://www.firma.cz", false},
        {ed().Edit_WWW2, ed().SB_WWW2, "https://firma.cz/cesta?a=1", "https://firma.cz/cesta?a=1", false},
        {ed().Edit_WWW1, ed().SB_WWW1, "HTTP://Firma.cz", "http://firma.cz", false},
        {ed().Edit_WWW1, ed().SB_WWW1, "firma.cz:8080/x", "http://firma.cz:8080/x", false},
        {ed().Edit_WWW1, ed().SB_WWW1, "", "", false},
        {ed().Edit_WWW1, ed().SB_WWW1, "file:///etc/passwd", "", true},
        {ed().Edit_WWW1, ed().SB_WWW1, "/usr/bin/xterm", "", true},
        {ed().Edit_WWW1, ed().SB_WWW1, "javascript:alert(1)", "", true},
        {ed().Edit_WWW1, ed().SB_WWW1, "C:\\Windows\\calc.exe", "", true},
        {ed().Edit_WWW1, ed().SB_WWW1, "ftp://firma.cz", "", true},
    };
    for (const Case& c : cases) {
        type(c.edit, c.text);
        click(c.button);
        const QStringList opened = std::exchange(m_opened, {});
        EXPECT_EQ(opened, c.opened.isEmpty() ? QStringList() : QStringList{c.opened}) << c.text.toStdString();
        EXPECT_EQ(messages::takeShown().size(), c.refused ? 1 : 0) << c.text.toStdString();
    }
    ed().Nacti_zaznam(0);
}

// The ride entry's way in: a modal window for a new entry that answers with
// the stored entry's id.
TEST_F(EditAdresa, NewAddressModallyReturnsItsId)
{
    QTimer::singleShot(0, this->m_ed.get(), [this] {
        EXPECT_TRUE(ed().isModal());
        type(ed().Edit_NAZEV, QStringLiteral("Čerpací stanice"));
        click(ed().SB_SAVE);
    });
    const int id = ed().NovaAdresaModalne();
    ASSERT_NE(id, 0);
    EXPECT_EQ(value(QStringLiteral("select nazev from adresar_zakl where adresar_zakl_id=%1").arg(id)),
              QStringLiteral("Čerpací stanice"));
    EXPECT_FALSE(ed().isModal());

    // Closed without saving: 0.
    QTimer::singleShot(0, this->m_ed.get(), [this] { ed().close(); });
    EXPECT_EQ(ed().NovaAdresaModalne(), 0);
}

// Every field takes every hostile text: afterwards only the edited entry may
// have changed, and the value reads back exactly or the save was refused with
// a message and the input kept.
TEST_F(EditAdresa, HostileInputInEveryField)
{
    const int id = addAddress(kVedeni, kVedeni);
    addAddress(kObchod, kObchod, 0, QStringLiteral("Cizí")); // others, one not editable by the user
    addAddress(0, 0, 0, QStringLiteral("Společná"));
    const QString row = QStringLiteral("select * from adresar_zakl where adresar_zakl_id=%1").arg(id);
    const TKTDATASET original = rows(row);
    std::vector<HostileField> fields;
    for (const QString& column : SloupceAdresy())
        fields.push_back(
            {.edit = [this, column] { return field(column); },
             .readBack =
                 QStringLiteral("select %1 from adresar_zakl where adresar_zakl_id=%2").arg(column).arg(id),
             .name = column.toStdString()});
    hostileInput(
        {.open = [&]() -> TEditorZaznamu& {
             open(id);
             return ed();
         },
         .edited = {{QStringLiteral("ADRESAR_ZAKL"), QStringLiteral("adresar_zakl_id=%1").arg(id)},
                    {QStringLiteral("ADRESAR_ZAKL_KAT"), QStringLiteral("adresar_zakl_id=%1").arg(id)}},
         .row = row,
         .reset =
             [&] {
                 QStringList sloupce;
                 for (const QString& c : SloupceAdresy())
                     sloupce << c + QLatin1Char('=') + TextSQL(original.HodnotaJmeno(1, c));
                 exec(QStringLiteral("update adresar_zakl set %1 where adresar_zakl_id=%2")
                          .arg(sloupce.join(QLatin1Char(',')))
                          .arg(id));
             }},
        fields);
}

} // namespace
