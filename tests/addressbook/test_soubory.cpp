#include "addressbook/address_fixture.h"

#include "addressbook/soubory.h"
#include "fixtures/hostile.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTemporaryDir>

namespace
{

// An office suite that writes a small file and remembers whether the row was
// already there when it was asked.
class FakeSuite : public kancelar::Balik
{
public:
    bool installed = true;
    QString failure;
    QStringList made;
    std::function<void()> whileMaking;

    bool nainstalovan(kancelar::Druh) const override { return installed; }
    QString vytvor(kancelar::Druh druh, const QString& cesta) override
    {
        if (whileMaking) whileMaking();
        if (!failure.isEmpty()) return failure;
        QFile f(cesta);
        if (!f.open(QIODevice::WriteOnly)) return f.errorString();
        f.write(druh == kancelar::Druh::Text ? "text" : "sheet");
        made << QFileInfo(cesta).fileName();
        return QString();
    }
};

class Soubory : public AddressTest
{
protected:
    void SetUp() override
    {
        AddressTest::SetUp();
        m_id = addAddress(kVedeni, kVedeni);
        kancelar::setBalik(&m_suite);
    }

    QString makeFile(const QString& name, const QByteArray& content = "x")
    {
        const QString p = m_dir.filePath(name);
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << p.toStdString();
        f.write(content);
        return p;
    }
    // A path of exactly n characters under the temporary folder (the file
    // need not exist).
    QString pathOfLength(int n) const
    {
        const QString base = m_dir.path() + QStringLiteral("/");
        return base + QString(n - base.size() - 4, QLatin1Char('d')) + QStringLiteral(".txt");
    }

    // Drops local files onto the frame as the desktop delivers them.
    bool drop(const QStringList& paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& p : paths)
            urls << QUrl::fromLocalFile(p);
        data.setUrls(urls);
        const QPoint at = files().ListBox1->geometry().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&files(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&files(), &dropped);
        return dropped.isAccepted();
    }
    void select(int row)
    {
        files().ListBox1->setCurrentRow(row);
        files().ListBox1->item(row)->setSelected(true);
    }

    QTemporaryDir m_dir;
    FakeSuite m_suite;
    int m_id = 0;
};

TEST_F(Soubory, AttachedByDialogDescribedOpenedAndDetached)
{
    open(m_id);
    EXPECT_EQ(files().ListBox1->count(), 0);
    const QString smlouva = makeFile(QStringLiteral("smlouva \"2004\".txt"));
    const QString faktura = makeFile(QStringLiteral("faktura.txt"));

    // Cancelled file dialog: nothing.
    click(files().SB_NEW_SOUBOR);
    EXPECT_EQ(dialogs::takeAsked(), QStringList{"open|*.*|*.*|*.doc|*.doc|*.xls|*.xls|*.eml|*.eml|"});

    // Described in the box; a cancelled box keeps the path as the description.
    dialogs::queueFileName(smlouva);
    dialogs::queueText(QStringLiteral("Smlouva \"2004\""));
    click(files().SB_NEW_SOUBOR);
    dialogs::queueFileName(faktura);
    click(files().SB_NEW_SOUBOR);
    EXPECT_EQ(dialogs::takeAsked(), (QStringList{"open|*.*|*.*|*.doc|*.doc|*.xls|*.xls|*.eml|*.eml|",
                                                 "text|Orvan - Změna popisu|Popis|" + smlouva,
                                                 "open|*.*|*.*|*.doc|*.doc|*.xls|*.xls|*.eml|*.eml|",
                                                 "text|Orvan - Změna popisu|Popis|" + faktura}));
    EXPECT_EQ(filesOf(m_id), (QStringList{faktura + "|" + faktura, smlouva + "|Smlouva \"2004\""}));
    ASSERT_EQ(files().ListBox1->count(), 2);
    EXPECT_EQ(files().ListBox1->item(1)->text(), QStringLiteral("Smlouva \"2004\""));
    EXPECT_EQ(files().ListBox1->item(1)->toolTip(), smlouva);

    // Nothing selected: the message.
    files().ListBox1->clearSelection();
    files().ListBox1->setCurrentRow(-1);
    for (QToolButton* b : {files().SB_OTEVRIT, files().SB_EDITACE, files().SB_Vymazat}) {
        click(b);
        EXPECT_EQ(messages::takeShown(), QStringList{"Není vybrána žádná položka !"});
    }

    // Opened through the desktop, by the button and by a double click.
    select(1);
    click(files().SB_OTEVRIT);
    EXPECT_EQ(m_opened, QStringList{QUrl::fromLocalFile(smlouva).toString()});
    m_opened.clear();
    const QRect r = files().ListBox1->visualItemRect(files().ListBox1->item(0));
    doubleClickAt(files().ListBox1->viewport(), r.center());
    EXPECT_EQ(m_opened, QStringList{QUrl::fromLocalFile(faktura).toString()});

    // A new description.
    select(0);
    dialogs::queueText(QStringLiteral("Faktura"));
    click(files().SB_EDITACE);
    EXPECT_EQ(dialogs::takeAsked(), QStringList{"text|Orvan - Změna popisu|Popis|" + faktura});
    EXPECT_EQ(filesOf(m_id), (QStringList{faktura + "|Faktura", smlouva + "|Smlouva \"2004\""}));

    // Detached: the row goes, the file stays.
    select(0);
    click(files().SB_Vymazat); // No
    EXPECT_EQ(messages::takeShown(), QStringList{"Opravdu chcete vymazat odkaz na soubor ?"});
    EXPECT_EQ(filesOf(m_id).size(), 2);
    messages::queueAnswer(true);
    select(0);
    click(files().SB_Vymazat);
    EXPECT_EQ(messages::takeShown(), QStringList{"Opravdu chcete vymazat odkaz na soubor ?"});
    EXPECT_EQ(filesOf(m_id), QStringList{smlouva + "|Smlouva \"2004\""});
    EXPECT_TRUE(QFile::exists(faktura));
    EXPECT_FALSE(ed().Zmeneno()); // files are stored at once, not with the entry
}

// A file that may not be handed to the desktop is refused with a message.
TEST_F(Soubory, OnlyDocumentsAreOpened)
{
    const QString script = makeFile(QStringLiteral("spust.sh"), "#!/bin/sh\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString missing = m_dir.filePath(QStringLiteral("neni.txt"));
    exec(QStringLiteral("insert into soubor (jmeno, popis, cil, cil_id) values (\"%1\", \"A\", 1, %2)")
             .arg(script)
             .arg(m_id));
    exec(QStringLiteral("insert into soubor (jmeno, popis, cil, cil_id) values (\"%1\", \"B\", 1, %2)")
             .arg(missing)
             .arg(m_id));
    open(m_id);
    for (int row : {0, 1}) {
        select(row);
        click(files().SB_OTEVRIT);
        const QStringList shown = messages::takeShown();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown[0].contains(QStringLiteral("nelze otevřít"))) << shown[0].toStdString();
    }
    EXPECT_TRUE(m_opened.isEmpty());
}

// Dropped files are attached with their whole paths up to the column's
// length; a longer one is refused with a message and the rest still attach.
TEST_F(Soubory, DroppedFilesAttachWholePathsAndLongerOnesAreRefused)
{
    open(m_id);
    const DelkySouboru delky = DelkySouboru::Z(db());
    ASSERT_EQ(delky.Jmeno, 500);
    ASSERT_EQ(delky.Popis, 200);
    const QString kratka = makeFile(QStringLiteral("a.txt"));
    const QString dlouha = pathOfLength(300); // longer than a description, within the path's column
    const QString nejdelsi = pathOfLength(500);
    const QString prilis = pathOfLength(501);

    ASSERT_TRUE(drop({kratka, dlouha, prilis, nejdelsi}));
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains(QStringLiteral("delší než 500 znaků"))) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains(prilis));

    const TKTDATASET t = rows(
        QStringLiteral("select jmeno, popis from soubor where cil=1 and cil_id=%1 order by jmeno").arg(m_id));
    ASSERT_EQ(t.PocetRadku(), 3);
    QStringList stored;
    for (int r = 1; r <= 3; ++r) {
        stored << t.Hodnota(r, 1);
        const QString popis = t.Hodnota(r, 2);
        EXPECT_LE(popis.size(), 200);
        EXPECT_TRUE(t.Hodnota(r, 1).endsWith(popis.startsWith(QStringLiteral("…")) ? popis.mid(1) : popis));
    }
    QStringList expected{kratka, dlouha, nejdelsi};
    expected.sort();
    EXPECT_EQ(stored, expected);
    EXPECT_EQ(files().ListBox1->count(), 3);

    // Anything but local files is not taken.
    QMimeData text;
    text.setText(QStringLiteral("ahoj"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&files(), &enter);
    EXPECT_FALSE(enter.isAccepted());

    // By the dialog too: refused with the message, nothing stored.
    dialogs::queueFileName(prilis);
    click(files().SB_NEW_SOUBOR);
    dialogs::takeAsked();
    const QStringList refused = messages::takeShown();
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(refused[0].startsWith(QStringLiteral("Cesta k souboru je delší než 500 znaků")));
    EXPECT_EQ(filesOf(m_id).size(), 3);
}

// A new entry (not stored yet) and a read-only one take no files at all.
TEST_F(Soubory, NothingAttachesBeforeTheEntryIsStored)
{
    const QString a = makeFile(QStringLiteral("a.txt"));
    const QString before = value(QStringLiteral("select count(*) from soubor"));
    open(0);
    for (QToolButton* b : {files().SB_NEW_SOUBOR, files().SB_Vymazat, files().SB_EDITACE, files().SB_OTEVRIT,
                           files().SB_NEWWORD, files().SB_NEWWXCEL})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_FALSE(drop({a}));
    EXPECT_FALSE(files().PridejSoubor(a, a));
    EXPECT_EQ(messages::takeShown(), QStringList{"Soubory lze připojit až k uloženému záznamu."});
    EXPECT_EQ(value(QStringLiteral("select count(*) from soubor")), before);

    const int cizi = addAddress(kObchod, kObchod);
    open(cizi);
    EXPECT_FALSE(drop({a}));
    EXPECT_EQ(value(QStringLiteral("select count(*) from soubor")), before);

    // Saved: the entry reopened takes files.
    open(0);
    type(ed().Edit_NAZEV, QStringLiteral("Nový"));
    click(ed().SB_SAVE);
    open(ed().ZaznamID());
    EXPECT_TRUE(drop({a}));
    EXPECT_EQ(filesOf(ed().ZaznamID()), QStringList{a + "|" + a});
}

// A new office document: the file is made first, then attached and opened.
TEST_F(Soubory, NewOfficeDocumentIsMadeBeforeItsRow)
{
    open(m_id);
    const QString doc = m_dir.filePath(QStringLiteral("dopis.doc"));
    bool rowBefore = true;
    m_suite.whileMaking = [&] { rowBefore = !filesOf(m_id).isEmpty(); };
    dialogs::queueFileName(doc);
    dialogs::queueText(QStringLiteral("Dopis"));
    click(files().SB_NEWWORD);
    EXPECT_EQ(dialogs::takeAsked(), (QStringList{"save|*.*|*.*|*.doc|*.doc|*.xls|*.xls|*.eml|*.eml|doc",
                                                 "text|Orvan - Změna popisu|Popis|" + doc}));
    EXPECT_FALSE(rowBefore);
    EXPECT_EQ(m_suite.made, QStringList{"dopis.doc"});
    EXPECT_EQ(filesOf(m_id), QStringList{doc + "|Dopis"});
    EXPECT_EQ(m_opened, QStringList{QUrl::fromLocalFile(doc).toString()});
    m_opened.clear();

    // The suite fails: its text is shown, no row.
    m_suite.failure = QStringLiteral("Nelze.");
    dialogs::queueFileName(m_dir.filePath(QStringLiteral("tabulka.xls")));
    click(files().SB_NEWWXCEL);
    EXPECT_EQ(dialogs::takeAsked().constFirst(),
              QStringLiteral("save|*.*|*.*|*.doc|*.doc|*.xls|*.xls|*.eml|*.eml|xls"));
    EXPECT_EQ(messages::takeShown(), QStringList{"Nelze."});
    EXPECT_EQ(filesOf(m_id).size(), 1);

    // The server refuses the row: the empty document made for it goes again.
    m_suite.failure.clear();
    const QString cizi = m_dir.filePath(QStringLiteral("zvonek\u0007.xls"));
    dialogs::queueFileName(cizi);
    click(files().SB_NEWWXCEL);
    dialogs::takeAsked();
    EXPECT_EQ(messages::takeShown().size(), 1);
    EXPECT_FALSE(QFile::exists(cizi));
    EXPECT_EQ(filesOf(m_id).size(), 1);
    EXPECT_TRUE(m_opened.isEmpty());

    // Without a suite: the message and no dialog.
    m_suite.installed = false;
    click(files().SB_NEWWORD);
    click(files().SB_NEWWXCEL);
    EXPECT_EQ(messages::takeShown(),
              (QStringList{"Není nainstalován MS Word !", "Není nainstalován MS Excel !"}));
    EXPECT_TRUE(dialogs::takeAsked().isEmpty());
}

// Every hostile text as a description: stored exactly or refused with a
// message, and nothing else changes.
TEST_F(Soubory, HostileDescriptions)
{
    const QString a = makeFile(QStringLiteral("a.txt"));
    exec(QStringLiteral("insert into soubor (jmeno, popis, cil, cil_id) values (\"%1\", \"A\", 1, %2)")
             .arg(a)
             .arg(m_id));
    const int row = value(QStringLiteral("select max(soubor_id) from soubor")).toInt();
    const QHash<QString, QString> edited = {
        {QStringLiteral("SOUBOR"), QStringLiteral("soubor_id=%1").arg(row)}};
    open(m_id);
    for (const QString& text : hostileTexts()) {
        const QStringList before = testdb::snapshot(db(), edited);
        select(0);
        dialogs::queueText(text);
        click(files().SB_EDITACE);
        dialogs::takeAsked();
        const QStringList shown = messages::takeShown();
        EXPECT_EQ(testdb::snapshot(db(), edited), before) << text.toStdString();
        const QString stored = value(QStringLiteral("select popis from soubor where soubor_id=%1").arg(row));
        if (shown.isEmpty())
            EXPECT_EQ(stored, text) << text.toStdString();
        else
            EXPECT_EQ(stored, QStringLiteral("A")) << text.toStdString();
        exec(QStringLiteral("update soubor set popis=\"A\" where soubor_id=%1").arg(row));
        files().NactiSoubory();
    }
}

TEST(SouboryLogika, DescriptionOfALongPathKeepsItsEnd)
{
    EXPECT_EQ(PopisZCesty(QStringLiteral("/a/b.txt"), 200), QStringLiteral("/a/b.txt"));
    const QString p = QStringLiteral("/") + QString(300, QLatin1Char('x')) + QStringLiteral("/konec.txt");
    const QString d = PopisZCesty(p, 200);
    EXPECT_EQ(d.size(), 200);
    EXPECT_TRUE(d.startsWith(QStringLiteral("…")));
    EXPECT_TRUE(d.endsWith(QStringLiteral("/konec.txt")));
}

} // namespace
