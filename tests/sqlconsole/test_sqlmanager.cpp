// The SQL console against a real embedded database: statements, scripts,
// SELECT results, browsing, the table list, and the refusal for anybody who
// is not a logged-in administrator.
#include "common/messages.h"
#include "common/session.h"
#include "common/ui/dialogs.h"
#include "fixtures/testdb.h"
#include "overview/ui/framestringgrid.h"
#include "sqlconsole/sqlmanager.h"
#include "sqlconsole/ui/pagesdlgsqlmanager.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

namespace
{

class Konzole : public DbTest
{
protected:
    static void SetUpTestSuite()
    {
        DbTest::SetUpTestSuite();
        s_admin = testdb::addUser(db(), QStringLiteral("spravce"), QStringLiteral("x"), true);
        s_user = testdb::addUser(db(), QStringLiteral("jana"), QStringLiteral("x"));
    }
    void SetUp() override
    {
        DbTest::SetUp();
        m_saved = session();
        prihlas(s_admin, true);
        exec(QStringLiteral("delete from ku_c_kat"));
        exec(QStringLiteral("insert into ku_c_kat (ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva, "
                            "ku_c_kat_poradi) values (12, \"Rodina\", 65280, 2)"));
        exec(QStringLiteral("insert into ku_c_kat (ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva, "
                            "ku_c_kat_poradi) values (11, \"Práce\", 255, 1)"));
        dialogs::startRecording();
    }
    void TearDown() override
    {
        m_w.reset();
        dialogs::stopRecording();
        session() = m_saved;
    }
    static void prihlas(int id, bool admin)
    {
        session().UzivatelID = id;
        session().Administrator = admin;
    }
    TPagesDlgSQLMANAGER& w()
    {
        if (!m_w) m_w = std::make_unique<TPagesDlgSQLMANAGER>();
        return *m_w;
    }
    static void type(QComboBox* cb, const QString& text)
    {
        cb->clearEditText();
        QTest::keyClicks(cb->lineEdit(), text);
    }
    static QStringList kategorie()
    {
        db().ObnovTransakci();
        QStringList lines;
        db().NactiDotaz(
            QStringLiteral("select ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_poradi from ku_c_kat order by 1"),
            false, lines, QStringLiteral("|"));
        return lines;
    }
    QString skript(const QByteArray& text)
    {
        const QString f = m_dir.filePath(QStringLiteral("skript.sql"));
        QFile file(f);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        return f;
    }
    static QStringList radek(const QStandardItemModel* m, int row)
    {
        QStringList r;
        r << m->headerData(row, Qt::Vertical).toString();
        for (int c = 0; c < m->columnCount(); ++c)
            r << m->index(row, c).data().toString();
        return r;
    }

    static inline int s_admin = 0, s_user = 0;
    Session m_saved;
    QTemporaryDir m_dir;
    std::unique_ptr<TPagesDlgSQLMANAGER> m_w;
};

TEST_F(Konzole, OnlyALoggedInAdministratorGetsIn)
{
    const struct {
        int id;
        bool admin;
        bool smi;
    } cases[] = {{s_admin, true, true}, {s_user, false, false}, {0, true, false}, {0, false, false}};
    for (const auto& c : cases) {
        prihlas(c.id, c.admin);
        EXPECT_EQ(sqlmanager::SmiPouzitKonzoli(session()), c.smi) << c.id << c.admin;
    }

    // The menu's door: a refusal box and no window.
    prihlas(s_user, false);
    QWidget hlavni;
    UkazSQLKonzoli(&hlavni);
    EXPECT_EQ(messages::takeShown(), QStringList{sqlmanager::ZpravaBezPrava()});
    EXPECT_EQ(sqlmanager::ZpravaBezPrava(),
              QStringLiteral("Přímou práci s databází smí používat jen administrátor !"));
    EXPECT_FALSE(hlavni.findChild<TPagesDlgSQLMANAGER*>());

    // A window that exists anyway runs nothing for him.
    prihlas(s_admin, true);
    w();
    prihlas(s_user, false);
    const QStringList before = kategorie();
    type(w().CB_QUERY, QStringLiteral("update ku_c_kat set ku_c_kat_nazev=\"X\""));
    QTest::mouseClick(w().SB_QUERY, Qt::LeftButton);
    dialogs::queueFileName(skript("update ku_c_kat set ku_c_kat_nazev=\"Y\";\n"));
    QTest::mouseClick(w().ButtonNACTI_SOUBOR, Qt::LeftButton);
    type(w().CB_SELECT, QStringLiteral("select * from uzivatel"));
    QTest::mouseClick(w().SB_SELECT, Qt::LeftButton);
    type(w().CB_TABULKA, QStringLiteral("UZIVATEL"));
    QTest::mouseClick(w().Button_BROWSE, Qt::LeftButton);
    QTest::mouseClick(w().Button_TABULKY, Qt::LeftButton);
    EXPECT_EQ(messages::takeShown(), QStringList(5, sqlmanager::ZpravaBezPrava()));
    EXPECT_TRUE(dialogs::takeAsked().isEmpty()); // not even the file dialog
    EXPECT_EQ(kategorie(), before);
    EXPECT_EQ(w().Vysledek()->rowCount(), 0);
    EXPECT_FALSE(w().Frame_BROWSE->isVisibleTo(&w()));
    EXPECT_TRUE(w().Memo1->toPlainText().isEmpty());
}

TEST_F(Konzole, WindowOpensOnTheSelectPageWithTheTables)
{
    EXPECT_EQ(w().windowTitle(), QStringLiteral("Orvan - Přímá práce s SQL"));
    ASSERT_EQ(w().PageControl1->count(), 4);
    EXPECT_EQ(w().PageControl1->tabText(0), QStringLiteral("Browse tabulky"));
    EXPECT_EQ(w().PageControl1->tabText(1), QStringLiteral("Query SQL"));
    EXPECT_EQ(w().PageControl1->tabText(2), QStringLiteral("Select SQL"));
    EXPECT_EQ(w().PageControl1->tabText(3), QStringLiteral("Struktura"));
    EXPECT_EQ(w().PageControl1->currentIndex(), 2);
    EXPECT_GE(w().CB_TABULKA->findText(QStringLiteral("KU_C_KAT")), 0);
    EXPECT_GE(w().CB_TABULKA->findText(QStringLiteral("UZIVATEL")), 0);
    EXPECT_EQ(w().CB_TABULKA->findText(QStringLiteral("RDB$RELATIONS")), -1);
    EXPECT_EQ(w().CB_QUERY->count(), 0);
    EXPECT_EQ(w().CB_SELECT->count(), 0);

    QTest::mouseClick(w().Button_TABULKY, Qt::LeftButton);
    const QStringList tabulky = w().Memo1->toPlainText().split(QLatin1Char('\n'));
    EXPECT_TRUE(tabulky.contains(QStringLiteral("KU_C_KAT")));
    EXPECT_TRUE(tabulky.contains(QStringLiteral("UZIVATEL")));
    QTest::mouseClick(w().Button_STRUKTURA, Qt::LeftButton);
    EXPECT_EQ(w().Memo1->toPlainText(), QStringLiteral("Není implentováno"));
    QTest::mouseClick(w().Button_SQL, Qt::LeftButton);
    EXPECT_EQ(w().Memo1->toPlainText(), QStringLiteral("Není implentováno"));
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

TEST_F(Konzole, StatementIsCommittedAndAnErrorChangesNothing)
{
    type(w().CB_QUERY, QStringLiteral("update ku_c_kat set ku_c_kat_poradi=7 where ku_c_kat_id=11"));
    QTest::mouseClick(w().SB_QUERY, Qt::LeftButton);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(kategorie(), (QStringList{"11|Práce|7", "12|Rodina|2"}));
    EXPECT_EQ(w().CB_QUERY->count(), 0); // typed text is not added to the list

    type(w().CB_QUERY, QStringLiteral("update ku_c_kat set ku_c_kat_poradi=8 wher ku_c_kat_id=11"));
    QTest::mouseClick(w().SB_QUERY, Qt::LeftButton);
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front().contains(QStringLiteral("WHER"), Qt::CaseInsensitive))
        << shown.front().toStdString();
    EXPECT_EQ(kategorie(), (QStringList{"11|Práce|7", "12|Rodina|2"}));
}

TEST_F(Konzole, ScriptRunsWholeOrNotAtAll)
{
    // Statements over several lines, and a comment line before one: the lines keep their breaks.
    dialogs::queueFileName(
        skript("-- poradi\r\nupdate ku_c_kat\r\nset ku_c_kat_poradi=5\r\nwhere ku_c_kat_id=11;\r\n"
               "\r\nupdate ku_c_kat set ku_c_kat_nazev=\"Doma\"\nwhere ku_c_kat_id=12;\n"));
    QTest::mouseClick(w().ButtonNACTI_SOUBOR, Qt::LeftButton);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(kategorie(), (QStringList{"11|Práce|5", "12|Doma|2"}));
    EXPECT_EQ(dialogs::takeAsked().size(), 1);

    // The second statement fails: neither is committed; the box shows the line count and the server's text.
    dialogs::queueFileName(skript("update ku_c_kat set ku_c_kat_poradi=9;\nupdate neni_tabulka set x=1;\n"));
    QTest::mouseClick(w().ButtonNACTI_SOUBOR, Qt::LeftButton);
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front().startsWith(QStringLiteral("2  "))) << shown.front().toStdString();
    EXPECT_TRUE(shown.front().contains(QStringLiteral("NENI_TABULKA"))) << shown.front().toStdString();
    EXPECT_EQ(kategorie(), (QStringList{"11|Práce|5", "12|Doma|2"}));

    // Cancelling the dialog runs nothing.
    QTest::mouseClick(w().ButtonNACTI_SOUBOR, Qt::LeftButton);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(kategorie(), (QStringList{"11|Práce|5", "12|Doma|2"}));
}

TEST_F(Konzole, SelectResultInTheGrid)
{
    type(w().CB_SELECT,
         QStringLiteral("select ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva from ku_c_kat order by 1"));
    QTest::mouseClick(w().SB_SELECT, Qt::LeftButton);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    QStandardItemModel* m = w().Vysledek();
    EXPECT_EQ(w().StringGrid1->model(), m);
    // The first column is the row header, its name in the corner.
    EXPECT_EQ(w().PrvniSloupec(), QStringLiteral("KU_C_KAT_ID"));
    ASSERT_EQ(m->columnCount(), 2);
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("KU_C_KAT_NAZEV"));
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("KU_C_KAT_BARVA"));
    ASSERT_EQ(m->rowCount(), 2);
    EXPECT_EQ(radek(m, 0), (QStringList{"11", "Práce", "255"}));
    EXPECT_EQ(radek(m, 1), (QStringList{"12", "Rodina", "65280"}));
    EXPECT_TRUE(w().StringGrid1->verticalHeader()->isVisibleTo(&w()));

    // A failing SELECT shows the server's words and keeps the grid.
    type(w().CB_SELECT, QStringLiteral("select nic from ku_c_kat"));
    QTest::mouseClick(w().SB_SELECT, Qt::LeftButton);
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front().contains(QStringLiteral("NIC"))) << shown.front().toStdString();
    EXPECT_EQ(w().Vysledek(), m);
    EXPECT_EQ(m->rowCount(), 2);

    // One column stays an ordinary column; no rows keep every name in the header.
    type(w().CB_SELECT, QStringLiteral("select ku_c_kat_nazev from ku_c_kat order by 1"));
    QTest::mouseClick(w().SB_SELECT, Qt::LeftButton);
    m = w().Vysledek();
    EXPECT_TRUE(w().PrvniSloupec().isEmpty());
    ASSERT_EQ(m->columnCount(), 1);
    EXPECT_EQ(m->rowCount(), 2);
    EXPECT_EQ(m->index(0, 0).data().toString(), QStringLiteral("Práce"));
    EXPECT_FALSE(w().StringGrid1->verticalHeader()->isVisibleTo(&w()));

    // Enter in the field runs it too.
    type(w().CB_SELECT,
         QStringLiteral("select ku_c_kat_id, ku_c_kat_nazev from ku_c_kat where ku_c_kat_id=0"));
    QTest::keyClick(w().CB_SELECT->lineEdit(), Qt::Key_Return);
    m = w().Vysledek();
    EXPECT_EQ(m->rowCount(), 0);
    ASSERT_EQ(m->columnCount(), 2);
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("KU_C_KAT_ID"));
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

TEST_F(Konzole, SelectPageRunsNoWrite)
{
    type(w().CB_SELECT, QStringLiteral("delete from ku_c_kat"));
    QTest::mouseClick(w().SB_SELECT, Qt::LeftButton);
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front().contains(QStringLiteral("non-SELECT"))) << shown.front().toStdString();
    // A later write of the program must not carry it into the database either.
    exec(QStringLiteral("update ku_c_kat set ku_c_kat_poradi=ku_c_kat_poradi"));
    EXPECT_EQ(kategorie(), (QStringList{"11|Práce|1", "12|Rodina|2"}));
}

TEST_F(Konzole, BrowseListsATableAndRefusesOtherNames)
{
    w().PageControl1->setCurrentIndex(0);
    EXPECT_FALSE(w().Frame_BROWSE->isVisibleTo(&w()));
    type(w().CB_TABULKA, QStringLiteral(" ku_c_kat "));
    QTest::mouseClick(w().Button_BROWSE, Qt::LeftButton);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    TFrameStringGrid* f = w().Frame_BROWSE;
    EXPECT_TRUE(f->isVisibleTo(&w()));
    EXPECT_EQ(f->Tabulka, QStringLiteral("KU_C_KAT"));
    EXPECT_EQ(f->KlicovySloupec, QStringLiteral("KU_C_KAT_ID"));
    EXPECT_TRUE(f->MazaniPovoleno);
    EXPECT_EQ(f->OknoZprav, nullptr);
    // Every column of the table, sorted by the first.
    ASSERT_EQ(f->PocetRadku(), 3);
    EXPECT_EQ(f->Bunka(0, 0), QStringLiteral("KU_C_KAT_ID"));
    EXPECT_EQ(f->Bunka(3, 0), QStringLiteral("KU_C_KAT_PORADI"));
    EXPECT_EQ(f->Bunka(0, 1), QStringLiteral("11"));
    EXPECT_EQ(f->Bunka(1, 2), QStringLiteral("Rodina"));

    for (const QString& bad : {QStringLiteral("ku_c_kat; delete from ku_c_kat"),
                               QStringLiteral("RDB$RELATIONS"), QStringLiteral("neni"), QString()}) {
        type(w().CB_TABULKA, bad);
        QTest::mouseClick(w().Button_BROWSE, Qt::LeftButton);
        EXPECT_EQ(messages::takeShown(),
                  QStringList{QStringLiteral("Tabulka \"%1\" v databázi není.").arg(bad.trimmed())});
        EXPECT_EQ(f->Tabulka, QStringLiteral("KU_C_KAT"));
        EXPECT_EQ(f->PocetRadku(), 3);
    }
    EXPECT_EQ(kategorie().size(), 2);
}

TEST_F(Konzole, TableNamesMatchWithoutCase)
{
    const QStringList tabulky{"KU", "KU_C_KAT", "Mixed", "MIXED"};
    EXPECT_EQ(sqlmanager::NajdiTabulku(tabulky, QStringLiteral("ku_c_kat")), QStringLiteral("KU_C_KAT"));
    EXPECT_EQ(sqlmanager::NajdiTabulku(tabulky, QStringLiteral(" KU ")), QStringLiteral("KU"));
    EXPECT_EQ(sqlmanager::NajdiTabulku(tabulky, QStringLiteral("Mixed")), QStringLiteral("Mixed"));
    EXPECT_EQ(sqlmanager::NajdiTabulku(tabulky, QStringLiteral("mixed")), QString()); // ambiguous
    EXPECT_EQ(sqlmanager::NajdiTabulku(tabulky, QStringLiteral("K")), QString());
}

TEST_F(Konzole, OneWindowForTheAdministrator)
{
    QWidget hlavni;
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, &hlavni, [&hlavni] {
            auto* o = hlavni.findChild<TPagesDlgSQLMANAGER*>();
            ASSERT_TRUE(o);
            if (o->CB_SELECT->currentText().isEmpty())
                o->CB_SELECT->setEditText(QStringLiteral("select 1 from rdb$database"));
            o->reject();
        });
        UkazSQLKonzoli(&hlavni);
    }
    EXPECT_EQ(hlavni.findChildren<TPagesDlgSQLMANAGER*>().size(), 1);
    EXPECT_EQ(hlavni.findChild<TPagesDlgSQLMANAGER*>()->CB_SELECT->currentText(),
              QStringLiteral("select 1 from rdb$database"));
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

} // namespace
