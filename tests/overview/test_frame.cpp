#include "app/prehledy.h"
#include "common/commandtarget.h"
#include "common/cp1250.h"
#include "common/messages.h"
#include "common/platnytext.h"
#include "common/ui/dialogs.h"
#include "data/sqlvalues.h"
#include "fixtures/hostile.h"
#include "fixtures/testdb.h"
#include "overview/ui/form_previewprint.h"
#include "overview/ui/formstringgridfilter.h"
#include "overview/ui/framestringgrid.h"
#include "pagetext.h"
#include <QApplication>
#include <QMouseEvent>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace
{

struct Zpravy : CommandTarget {
    struct Zprava {
        int message;
        std::intptr_t wParam, lParam;
        bool operator==(const Zprava&) const = default;
    };
    QList<Zprava> sent;
    void command(int message, std::intptr_t wParam, std::intptr_t lParam) override
    {
        sent.append({message, wParam, lParam});
    }
};

// Drives a shown frame the way the user does: the pointer over a cell,
// double-clicks, tool buttons and popup items.
class FrameTest : public DbTest
{
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        dialogs::startRecording();
        m_frame = std::make_unique<TFrameStringGrid>();
        m_frame->OknoZprav = &m_zpravy;
        m_frame->resize(900, 600);
        m_frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    }

    void TearDown() override
    {
        m_frame.reset();
        dialogs::stopRecording();
    }

    QHeaderView* header() const { return m_frame->StringGrid1->horizontalHeader(); }
    QWidget* area(int row) const
    {
        return row == 0 ? header()->viewport() : m_frame->StringGrid1->viewport();
    }
    QPoint point(int column, int row) const
    {
        if (row == 0)
            return {header()->sectionViewportPosition(column) + header()->sectionSize(column) / 2,
                    header()->height() / 2};
        return m_frame->StringGrid1->visualRect(m_frame->Model()->index(row - 1, column)).center();
    }
    void hover(int column, int row)
    {
        // A synthetic move: the offscreen platform does not always deliver QTest::mouseMove.
        const QPointF p = point(column, row);
        QMouseEvent move(QEvent::MouseMove, p, area(row)->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(area(row), &move);
        EXPECT_EQ(m_frame->MysSloupec(), column);
        EXPECT_EQ(m_frame->MysRadek(), row);
    }
    void doubleClick(int column, int row)
    {
        QTest::mouseDClick(area(row), Qt::LeftButton, {}, point(column, row));
    }
    QStringList column(int c) const
    {
        QStringList out;
        for (int r = 1; r < m_frame->PocetRadku(); ++r)
            out << m_frame->Bunka(c, r);
        return out;
    }

    std::unique_ptr<TFrameStringGrid> m_frame;
    Zpravy m_zpravy;
};

// ---- Overviews of code lists, users and special addresses ----------------------------

class Prehled : public FrameTest
{
protected:
    static void SetUpTestSuite()
    {
        FrameTest::SetUpTestSuite();
        exec(QStringLiteral("insert into KU_C_KAT (KU_C_KAT_id, KU_C_KAT_nazev, KU_C_KAT_barva, "
                            "KU_C_KAT_poradi) values (1, \"Práce\", 255, 1)"));
        exec(QStringLiteral("insert into KU_C_KAT (KU_C_KAT_id, KU_C_KAT_nazev, KU_C_KAT_barva, "
                            "KU_C_KAT_poradi) values (2, \"Doma\", 0, 3)"));
        exec(QStringLiteral("insert into KU_C_KAT (KU_C_KAT_id, KU_C_KAT_nazev, KU_C_KAT_barva, "
                            "KU_C_KAT_poradi) values (3, \"Volno\", NULL, 2)"));
        exec(QStringLiteral("insert into UZIVATEL (UZIVATEL_ID, LOGIN, POPIS, ADMINISTRATOR, PRIHLASEN) "
                            "values (1, \"ana\", \"Anna Malá\", 1, 1)"));
        exec(QStringLiteral("insert into UZIVATEL (UZIVATEL_ID, LOGIN, POPIS, ADMINISTRATOR, PRIHLASEN) "
                            "values (2, \"bob\", \"Bohumil Veselý\", NULL, 0)"));
        exec(QStringLiteral(
            "insert into ADRESAR_SPEC (ADRESAR_SPEC_ID, NAZEV, JMENO, POZNAMKA, TELEFON1) "
            "values (1, 'Alfa Čížek, Řehoř & syn', 'a;b', '<b>\"Ú\"</b>\r\ndruhý řádek', NULL)"));
        exec(QStringLiteral("insert into ADRESAR_SPEC (ADRESAR_SPEC_ID, NAZEV, JMENO, POZNAMKA, TELEFON1) "
                            "values (2, 'Beta Žabka', ' ', 'x>y', '+420 1')"));
    }

    void defineCategories()
    {
        m_frame->ZrusDefinici();
        ASSERT_TRUE(prehledy::Definuj(QStringLiteral("CiselnikKalendarKategorie"), *m_frame, {}));
        m_frame->NactiData(1);
    }

    // Opens the filter dialog from the popup and lets `answer` work it.
    void filterThroughPopup(int c, const std::function<void(TFormStringGridFilter*)>& answer)
    {
        hover(c, 1);
        QTimer::singleShot(0, m_frame.get(), [this, answer] {
            auto* d = m_frame->findChild<TFormStringGridFilter*>();
            ASSERT_NE(d, nullptr);
            ASSERT_TRUE(d->isVisible());
            answer(d);
        });
        m_frame->Nastavenfiltruprotentosloupec1->trigger();
    }
};

TEST_F(Prehled, ColourColumnsDefaultsOverridesAndBooleans)
{
    QAbstractItemModelTester tester(m_frame->Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    defineCategories();
    GridModel* m = m_frame->Model();
    EXPECT_EQ(column(0), (QStringList{"Doma", "Práce", "Volno"}));
    // A colour of 0 or NULL leaves the default; the colour column paints its row.
    EXPECT_EQ(m->backgroundColour(1), 0xFFFFFF);
    EXPECT_EQ(m->backgroundColour(2), 0x0000FF);
    EXPECT_EQ(m->backgroundColour(3), 0xFFFFFF);
    EXPECT_EQ(m->data(m->index(1, 0), Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(m->data(m->index(1, 0), Qt::ForegroundRole).value<QColor>(), QColor(255, 255, 255));
    // An override colour of 0 is black, whatever the row had.
    m_frame->NastavBarvyRadku(false, true, 0);
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(m->backgroundColour(r), 0) << r;
    EXPECT_EQ(header()->sectionSize(0), 40 * m_frame->SirkaNuly());
    // A column without a width of its own fits its caption and the values on screen.
    const QFontMetrics fm = header()->fontMetrics();
    EXPECT_GE(header()->sectionSize(1), fm.horizontalAdvance(m->headerData(1, Qt::Horizontal).toString()));
    for (int r = 0; r < m->rowCount(); ++r)
        EXPECT_GE(header()->sectionSize(1), fm.horizontalAdvance(m->data(m->index(r, 1)).toString())) << r;

    TFrameStringGrid& f = *m_frame;
    header()->resizeSection(1, 333); // a width this list had, set by hand
    f.ZrusDefinici();
    EXPECT_EQ(m->backgroundColour(1), 0xFFFFFF); // the override lists went with the definition
    ASSERT_TRUE(prehledy::Definuj(QStringLiteral("Uzivatel"), f, {}));
    f.Sloupce[3].Typ = QStringLiteral("Boolean"); // the type is matched without case
    f.NactiData(1);
    // The next list sizes its own columns: nothing of the previous list's widths.
    EXPECT_NE(header()->sectionSize(1), 333);
    EXPECT_GE(header()->sectionSize(3),
              header()->fontMetrics().horizontalAdvance(QStringLiteral("Přihlášen")));
    EXPECT_EQ(column(2), (QStringList{"Ano", "Ne"})); // NULL shows "Ne"
    EXPECT_EQ(column(3), (QStringList{"Ano", "Ne"}));
    EXPECT_EQ(m->textColour(1), 0x0000FF); // logged in: red
    EXPECT_EQ(m->textColour(2), 0xFF0000); // the others: blue
    EXPECT_EQ(m->backgroundColour(1), 0xFFFFFF);
    EXPECT_EQ(m->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Přihlášen"));
}

TEST_F(Prehled, HeaderDoubleClickSortsOnTheServer)
{
    defineCategories();
    const QString select =
        QStringLiteral("Select KU_C_KAT.KU_C_KAT_ID,KU_C_KAT_BARVA,KU_C_KAT_NAZEV,KU_C_KAT_PORADI from "
                       "KU_C_KAT   order by ");
    EXPECT_EQ(m_frame->Dotaz(), select + QStringLiteral("KU_C_KAT_NAZEV;"));
    struct Step {
        int column;
        const char* order;
        int razeni;
        QStringList names;
    } const steps[] = {
        {0, "KU_C_KAT_NAZEV desc;", -1, {"Volno", "Práce", "Doma"}},
        {0, "KU_C_KAT_NAZEV;", 1, {"Doma", "Práce", "Volno"}},
        {1, "KU_C_KAT_PORADI;", 2, {"Práce", "Volno", "Doma"}},
        {0, "KU_C_KAT_NAZEV;", 1, {"Doma", "Práce", "Volno"}},
    };
    for (const Step& s : steps) {
        doubleClick(s.column, 0);
        EXPECT_EQ(m_frame->Dotaz(), select + QLatin1String(s.order));
        EXPECT_EQ(m_frame->Razeni, s.razeni);
        EXPECT_EQ(column(0), s.names);
    }
    // A fixed order ignores the header.
    m_frame->PevneRazeni = QStringLiteral("KU_C_KAT_PORADI desc");
    m_frame->Obnov();
    doubleClick(1, 0);
    EXPECT_EQ(m_frame->Razeni, 1);
    EXPECT_EQ(m_frame->Dotaz(), select + QStringLiteral("KU_C_KAT_PORADI desc;"));
    EXPECT_EQ(column(0), (QStringList{"Doma", "Volno", "Práce"}));
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

TEST_F(Prehled, DoubleClickAndNewRecordSendTheEditMessage)
{
    defineCategories();
    m_frame->ParametrEditace = -11;
    ASSERT_TRUE(m_frame->SBNewRecord->isVisible());
    doubleClick(1, 2); // Práce
    m_frame->SBNewRecord->click();
    // Below the last row nothing is hit.
    QTest::mouseDClick(m_frame->StringGrid1->viewport(), Qt::LeftButton, {}, QPoint(5, 500));
    EXPECT_EQ(m_zpravy.sent, (QList<Zpravy::Zprava>{{WM_EDIT_CALENDAR_CATEGORY, 1, -11},
                                                    {WM_EDIT_CALENDAR_CATEGORY, 0, 0}}));

    m_zpravy.sent.clear();
    m_frame->ZpravaEditace = 0;
    m_frame->NactiData(0);
    EXPECT_FALSE(m_frame->SBNewRecord->isVisible());
    doubleClick(0, 1);
    EXPECT_TRUE(m_zpravy.sent.isEmpty());
}

TEST_F(Prehled, FiltersThroughThePopupDialog)
{
    defineCategories();
    filterThroughPopup(0, [](TFormStringGridFilter* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Orvan - Filtr - Sloupec: Název"));
        EXPECT_TRUE(d->RB0->isChecked());
        d->RB7->click();
        d->CB_1->setText(QStringLiteral("rá"));
        d->Button_OK->click();
    });
    EXPECT_EQ(m_frame->Dotaz(),
              QStringLiteral(
                  "Select KU_C_KAT.KU_C_KAT_ID,KU_C_KAT_BARVA,KU_C_KAT_NAZEV,KU_C_KAT_PORADI from KU_C_KAT  "
                  "where  (KU_C_KAT.KU_C_KAT_NAZEV containing \"rá\")  order by KU_C_KAT_NAZEV;"));
    EXPECT_EQ(column(0), QStringList{"Práce"});

    // The close box cancels: the filter stays as it was.
    filterThroughPopup(0, [](TFormStringGridFilter* d) {
        EXPECT_TRUE(d->RB7->isChecked());
        EXPECT_EQ(d->CB_1->text(), QStringLiteral("rá"));
        d->RB1->click();
        d->CB_1->setText(QStringLiteral("Doma"));
        d->close();
    });
    EXPECT_EQ(m_frame->Sloupce[0].FiltrOperator, 7);
    EXPECT_EQ(column(0), QStringList{"Práce"});

    // A value the column cannot be compared with is refused; the load goes on without it.
    for (const char* value : {"jedna", ""}) {
        filterThroughPopup(1, [value](TFormStringGridFilter* d) {
            d->RB1->click();
            d->CB_1->setText(QString::fromUtf8(value));
            d->Button_OK->click();
        });
        const QStringList shown = messages::takeShown();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown[0].contains(QStringLiteral("celé číslo")) &&
                    shown[0].endsWith(QStringLiteral("Filtr nebyl nastaven.")))
            << shown[0].toStdString();
        EXPECT_EQ(m_frame->Sloupce[1].FiltrOperator, 0);
        EXPECT_EQ(column(0), QStringList{"Práce"});
    }

    m_frame->SB_FilterOFF->click();
    EXPECT_EQ(column(0), (QStringList{"Doma", "Práce", "Volno"}));
    EXPECT_FALSE(m_frame->Dotaz().contains(QStringLiteral("where")));
}

TEST_F(Prehled, BooleanColumnsFilterByAnoAndNe)
{
    TFrameStringGrid& f = *m_frame;
    f.ZrusDefinici();
    f.Tabulka = QStringLiteral("UZIVATEL");
    f.KlicovySloupec = QStringLiteral("UZIVATEL_ID");
    f.PridejSloupec(QStringLiteral("LOGIN"), QStringLiteral("Login"));
    f.PridejSloupec(QStringLiteral("ADMINISTRATOR"), QStringLiteral("Administrátor"), false,
                    QStringLiteral("boolean"));
    f.NactiData(1);
    ASSERT_EQ(column(1), (QStringList{"Ano", "Ne"}));
    const struct {
        QRadioButton* TFormStringGridFilter::*op;
        const char* value;
        QStringList logins;
    } cases[] = {
        {&TFormStringGridFilter::RB1, "Ano", {"ana"}},
        {&TFormStringGridFilter::RB1, "ne", {"bob"}}, // NULL is shown as Ne
        {&TFormStringGridFilter::RB2, "Ne", {"ana"}},
    };
    for (const auto& c : cases) {
        filterThroughPopup(1, [&c](TFormStringGridFilter* d) {
            (d->*c.op)->click();
            d->CB_1->setText(QString::fromUtf8(c.value));
            d->Button_OK->click();
        });
        EXPECT_TRUE(messages::takeShown().isEmpty()) << c.value;
        EXPECT_EQ(column(0), c.logins) << c.value;
    }
}

TEST_F(Prehled, SumAndColumnToClipboard)
{
    defineCategories();
    m_frame->Sloupce[1].Scitat = true; // the order numbers stand in for a summed column
    doubleClick(1, 0);                 // by order number
    hover(1, 2);
    m_frame->Souethodnotvesloupci1->trigger();
    hover(0, 2);
    m_frame->Souethodnotvesloupci1->trigger();
    hover(1, 1);
    m_frame->Exportsloupcedoschrnky1->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1;2;3;"));
    EXPECT_EQ(messages::takeShown(),
              (QStringList{QStringLiteral("Součet hodnot ve sloupci je:         6.0000000000"),
                           QStringLiteral("Toto pole nelze sečíst !"),
                           QStringLiteral("Údaje byly uloženy do schránky")}));
}

TEST_F(Prehled, ExportsEscapeHtmlAndWriteUtf8)
{
    TFrameStringGrid& f = *m_frame;
    f.ZrusDefinici();
    f.ZpravaEditace = WM_EDIT_SPECIAL_ADDRESS;
    f.Tabulka = QStringLiteral("ADRESAR_SPEC");
    f.KlicovySloupec = QStringLiteral("ADRESAR_SPEC_ID");
    f.PridejSloupec(QStringLiteral("NAZEV"), QStringLiteral("Název"));
    f.PridejSloupec(QStringLiteral("JMENO"), QStringLiteral("Jméno"));
    f.PridejSloupec(QStringLiteral("POZNAMKA"), QStringLiteral("Poznámka"));
    f.PridejSloupec(QStringLiteral("TELEFON1"), QStringLiteral("Telefon1"));
    f.NactiData(1);

    QTemporaryDir dir;
    auto read = [&dir](const char* name) {
        QFile file(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        return file.readAll();
    };
    dialogs::queueFileName(dir.filePath(QStringLiteral("adresy.csv")));
    f.SB_EXPORT_CSV->click();
    dialogs::queueFileName(dir.filePath(QStringLiteral("adresy.html")));
    f.SB_EXPORT_HTML->click();
    dialogs::queueFileName(QString()); // cancelled: nothing written
    f.SB_EXPORT_CSV->click();
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(dialogs::takeAsked(),
              (QStringList{"save|*.csv|*.csv|.csv", "save|*.html|*.html|.html", "save|*.csv|*.csv|.csv"}));

    const QByteArray csv = read("adresy.csv");
    // UTF-8 with the byte-order mark that spreadsheets and browsers go by.
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"
                               "N\xC3\xA1zev;"))
        << csv.left(20).toStdString();
    const auto utf8 = [](const QByteArray& b) { return QString::fromUtf8(b.mid(3)); };
    EXPECT_EQ(utf8(csv), QStringLiteral("Název;Jméno;Poznámka;Telefon1\r\n"
                                        "Alfa Čížek, Řehoř & syn;a,b;<b>\"Ú\"</b> druhý řádek;\r\n"
                                        "Beta Žabka; ;x>y;+420 1\r\n"));
    EXPECT_EQ(
        utf8(read("adresy.html")),
        QStringLiteral("<META charset=\"utf-8\">\r\n<TABLE border=1>\r\n<TR>\r\n"
                       "<TD><b>Název</b></TD>\r\n<TD><b>Jméno</b></TD>\r\n"
                       "<TD><b>Poznámka</b></TD>\r\n<TD><b>Telefon1</b></TD>\r\n</TR>\r\n<TR>\r\n"
                       "<TD>Alfa Čížek, Řehoř &amp; syn</TD>\r\n<TD>a;b</TD>\r\n"
                       "<TD>&lt;b&gt;&quot;Ú&quot;&lt;/b&gt;\r\ndruhý řádek</TD>\r\n<TD>&nbsp;</TD>\r\n"
                       "</TR>\r\n<TR>\r\n"
                       "<TD>Beta Žabka</TD>\r\n<TD>&nbsp;</TD>\r\n<TD>x&gt;y</TD>\r\n<TD>+420 1</TD>\r\n"
                       "</TR>\r\n</TABLE>\r\n"));

    // Any script the database holds goes out as it is.
    f.Sloupce[0].Titulek = QStringLiteral("Název ✓ Олена 😀");
    f.NactiData(0);
    dialogs::queueFileName(dir.filePath(QStringLiteral("adresy.csv")));
    f.SB_EXPORT_CSV->click();
    EXPECT_EQ(messages::takeShown(), QStringList());
    EXPECT_TRUE(utf8(read("adresy.csv")).startsWith(QStringLiteral("Název ✓ Олена 😀;")));
}

TEST_F(Prehled, WithoutColumnsShowsEveryColumnOfTheTable)
{
    TFrameStringGrid& f = *m_frame;
    f.OknoZprav = nullptr;
    f.ZrusDefinici();
    f.ZpravaEditace = 0;
    f.MazaniPovoleno = true;
    f.Tabulka = QStringLiteral("KU_C_KAT");
    f.KlicovySloupec = QStringLiteral("KU_C_KAT_ID");
    f.NactiData(1);
    EXPECT_EQ(f.Dotaz(),
              QStringLiteral("Select KU_C_KAT.KU_C_KAT_ID,KU_C_KAT_ID,KU_C_KAT_NAZEV,KU_C_KAT_BARVA,"
                             "KU_C_KAT_PORADI,REVIZE from KU_C_KAT   order by KU_C_KAT.KU_C_KAT_ID;"));
    EXPECT_EQ(f.PocetRadku(), 4);
    EXPECT_EQ(f.Bunka(1, 0), QStringLiteral("KU_C_KAT_NAZEV"));
    EXPECT_EQ(f.Bunka(2, 1), QStringLiteral("255"));
    EXPECT_EQ(f.Bunka(2, 3), QString()); // NULL
    EXPECT_TRUE(f.DeleteZaznam->isEnabled());
    doubleClick(0, 1); // no receiving window: nothing happens
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

// ---- Rides: printing, colouring, deleting ---------------------------------------------

// Filters typed through the dialog of a real grid: the load shows exactly the
// matching rows or the filter is refused with a message, and the database
// stays as it was.
class FiltrHodnoty : public FrameTest
{
protected:
    static inline const QStringList s_nazvy = {
        QStringLiteral("Práce"),     QStringLiteral("a\"b"), QStringLiteral("x'y"),
        QStringLiteral("50% sleva"), QStringLiteral("a_b"),  QStringLiteral("ab"),
        QStringLiteral("c;d"),       QStringLiteral("\"--"), QStringLiteral("konec"),
    };

    static void SetUpTestSuite()
    {
        FrameTest::SetUpTestSuite();
        for (int i = 0; i < s_nazvy.size(); ++i)
            exec(QStringLiteral("insert into KU_C_KAT (KU_C_KAT_id, KU_C_KAT_nazev, KU_C_KAT_barva, "
                                "KU_C_KAT_poradi) values (%1, \"%2\", 0, %1)")
                     .arg(i + 1)
                     .arg(QString(s_nazvy[i]).replace(QLatin1Char('"'), QStringLiteral("\"\""))));
        exec(QStringLiteral(
            "insert into KU (KU_ID, NAZEV, CAS_OD) values (1, \"ráno\", \"5.3.2004 8:00:00\")"));
        exec(QStringLiteral(
            "insert into KU (KU_ID, NAZEV, CAS_OD) values (2, \"večer\", \"5.3.2004 23:30:00\")"));
        exec(QStringLiteral("insert into KU (KU_ID, NAZEV, CAS_OD) values (3, \"zítra\", \"6.3.2004\")"));
    }

    static QStringList obsah()
    {
        QStringList out;
        for (const char* table : {"KU_C_KAT", "KU", "UZIVATEL"}) {
            QStringList lines;
            db().NactiDotaz(QStringLiteral("select * from %1 order by 1").arg(QLatin1String(table)), true,
                            lines, QStringLiteral(","));
            out << lines;
        }
        return out;
    }

    void define(const QString& table, const QString& key, const QString& name, const QString& second,
                const QString& secondType)
    {
        TFrameStringGrid& f = *m_frame;
        f.ZrusDefinici();
        f.Tabulka = table;
        f.KlicovySloupec = key;
        f.PridejSloupec(name, QStringLiteral("Název"));
        f.PridejSloupec(second, QStringLiteral("Druhý"), false, secondType);
        f.NactiData(1);
    }

    void filterThroughPopup(int c, const std::function<void(TFormStringGridFilter*)>& answer)
    {
        hover(c, 1);
        QTimer::singleShot(0, m_frame.get(), [this, answer] {
            auto* d = m_frame->findChild<TFormStringGridFilter*>();
            ASSERT_TRUE(d && d->isVisible());
            answer(d);
        });
        m_frame->Nastavenfiltruprotentosloupec1->trigger();
    }

    // Key presses carrying each character (a surrogate pair in one press), as a
    // keyboard or input method delivers them; QTest's key helpers take ASCII only.
    static void type(QWidget* w, const QString& text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            QString ch = text.mid(i, text[i].isHighSurrogate() ? 2 : 1);
            i += ch.size() - 1;
            const int key = ch == u"\n" || ch == u"\r" ? Qt::Key_Return : Qt::Key_unknown;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, ch);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, ch);
            QApplication::sendEvent(w, &press);
            QApplication::sendEvent(w, &release);
        }
    }

    static QStringList sorted(QStringList l)
    {
        l.sort();
        return l;
    }
};

TEST_F(FiltrHodnoty, HostileValuesMatchExactlyOrAreRefused)
{
    define(QStringLiteral("KU_C_KAT"), QStringLiteral("KU_C_KAT_ID"), QStringLiteral("KU_C_KAT_NAZEV"),
           QStringLiteral("KU_C_KAT_PORADI"), QStringLiteral("integer"));
    const QStringList before = obsah();
    const QStringList& values = hostileTexts();
    enum Cesta { Psani, Vlozeni };
    struct Filtr {
        int column;
        QRadioButton* TFormStringGridFilter::*op;
    } const filters[] = {
        {0, &TFormStringGridFilter::RB1}, // =
        {0, &TFormStringGridFilter::RB7}, // Obsahuje
        {1, &TFormStringGridFilter::RB1}, // = on an integer column
    };
    for (const QString& value : values)
        for (const Filtr& flt : filters)
            for (Cesta cesta : {Psani, Vlozeni}) {
                QString typed;
                filterThroughPopup(flt.column, [&](TFormStringGridFilter* d) {
                    (d->*flt.op)->click();
                    d->CB_1->clear();
                    if (cesta == Psani) {
                        type(d->CB_1, value);
                    } else {
                        QGuiApplication::clipboard()->setText(value);
                        d->CB_1->paste();
                    }
                    typed = d->CB_1->text();
                    d->Button_OK->click();
                });
                const std::string label = QStringLiteral("%1 | %2 | column %3 op %4")
                                              .arg(value.left(20), typed.left(20))
                                              .arg(flt.column)
                                              .arg(flt.op == &TFormStringGridFilter::RB1 ? "=" : "Obsahuje")
                                              .toStdString();
                const bool refusable =
                    flt.column == 1 || platnytext::NeplatnyZnak(typed) ||
                    std::any_of(typed.begin(), typed.end(), [](QChar ch) { return ch < u' '; });
                const QStringList shown = messages::takeShown();
                if (refusable) {
                    ASSERT_EQ(shown.size(), 1) << label;
                    EXPECT_TRUE(shown[0].endsWith(QStringLiteral("Filtr nebyl nastaven."))) << label;
                    EXPECT_EQ(m_frame->Sloupce[size_t(flt.column)].FiltrOperator, 0) << label;
                    EXPECT_EQ(sorted(column(0)), sorted(s_nazvy)) << label;
                } else {
                    EXPECT_TRUE(shown.isEmpty()) << label << " " << shown.join('|').toStdString();
                    QStringList expected;
                    for (const QString& n : s_nazvy)
                        // "Obsahuje" ignores case.
                        if (flt.op == &TFormStringGridFilter::RB1 ? n == typed
                                                                  : n.contains(typed, Qt::CaseInsensitive))
                            expected << n;
                    EXPECT_EQ(sorted(column(0)), sorted(expected)) << label;
                }
                m_frame->SB_FilterOFF->click();
            }
    EXPECT_EQ(obsah(), before);
}

// Names in every script: the list sorts them the Czech way (other scripts
// after the Latin ones) and "Obsahuje" finds them whatever their case.
TEST_F(FiltrHodnoty, NamesInEveryScriptSortAndFilter)
{
    int id = 100;
    for (const QString& n : worldNames())
        exec(QStringLiteral("insert into KU (KU_ID, NAZEV, CAS_OD) values (%1, %2, \"7.3.2004\")")
                 .arg(++id)
                 .arg(TextSQL(n)));
    define(QStringLiteral("KU"), QStringLiteral("KU_ID"), QStringLiteral("NAZEV"), QStringLiteral("CAS_OD"),
           QString());
    const QStringList expected = {
        QStringLiteral("Jürgen Großmann"),
        QStringLiteral("Ľubomír Ďurovič"),
        QStringLiteral("Łukasz Żółkiewski"),
        QStringLiteral("Nguyễn Thị Hương"),
        QStringLiteral("Novak"),
        QStringLiteral("ráno"),
        QStringLiteral("Řehoř Čížek"),
        QStringLiteral("večer"),
        QStringLiteral("zítra"),
        worldNames().last(),
        QStringLiteral("Σωκράτης Παπαδόπουλος"),
        QStringLiteral("Олена Коваленко"),
        QStringLiteral("محمد العلي"),
    };
    EXPECT_EQ(column(0), expected);
    const struct {
        QString typed;
        QStringList found;
    } cases[] = {
        {QStringLiteral("олена"), {QStringLiteral("Олена Коваленко")}},
        {QStringLiteral("NGUYỄN"), {QStringLiteral("Nguyễn Thị Hương")}},
        {QStringLiteral("żół"), {QStringLiteral("Łukasz Żółkiewski")}},
        {QStringLiteral("ŘEHOŘ"), {QStringLiteral("Řehoř Čížek")}},
        {QStringLiteral("\U0001F600"), {worldNames().last()}},
    };
    for (const auto& c : cases) {
        filterThroughPopup(0, [&c](TFormStringGridFilter* d) {
            d->RB7->click();
            d->CB_1->setText(c.typed);
            d->Button_OK->click();
        });
        EXPECT_TRUE(messages::takeShown().isEmpty()) << c.typed.toStdString();
        EXPECT_EQ(column(0), c.found) << c.typed.toStdString();
        m_frame->SB_FilterOFF->click();
    }
    exec(QStringLiteral("delete from KU where KU_ID>100"));
}

TEST_F(FiltrHodnoty, DateRangeTakesInTheWholeLastDay)
{
    define(QStringLiteral("KU"), QStringLiteral("KU_ID"), QStringLiteral("NAZEV"), QStringLiteral("CAS_OD"),
           QString());
    const struct {
        QRadioButton* TFormStringGridFilter::*op;
        const char* od;
        const char* to;
        QStringList nazvy;
    } cases[] = {
        {&TFormStringGridFilter::RB8, "5.3.2004", "5.3.2004", {"ráno", "večer"}},
        {&TFormStringGridFilter::RB8, "05.03.2004 12:00", "6.3.2004", {"večer", "zítra"}},
        {&TFormStringGridFilter::RB6, "5.3.2004", "", {"ráno", "večer"}},
        {&TFormStringGridFilter::RB1, "6.3.2004", "", {"zítra"}},
    };
    for (const auto& c : cases) {
        filterThroughPopup(1, [&c](TFormStringGridFilter* d) {
            (d->*c.op)->click();
            d->CB_1->setText(QString::fromUtf8(c.od));
            d->CB_2->setText(QString::fromUtf8(c.to));
            d->Button_OK->click();
        });
        EXPECT_TRUE(messages::takeShown().isEmpty()) << c.od;
        EXPECT_EQ(sorted(column(0)), c.nazvy) << c.od << ".." << c.to;
    }
    filterThroughPopup(1, [](TFormStringGridFilter* d) {
        d->RB8->click();
        d->CB_1->setText(QStringLiteral("5.3.2004"));
        d->CB_2->setText(QStringLiteral("5.3.2004\"--"));
        d->Button_OK->click();
    });
    EXPECT_EQ(messages::takeShown().size(), 1);
    EXPECT_EQ(sorted(column(0)), QStringList{"zítra"}) << "the previous filter stays";
}

class PrehledJizd : public FrameTest
{
protected:
    static void SetUpTestSuite()
    {
        FrameTest::SetUpTestSuite();
        exec(QStringLiteral(
            "insert into KJ_AUTO (KJ_AUTO_ID, SPZ, POPIS) values (1, \"1A2 3456\", \"Octavia\")"));
        exec(QStringLiteral(
            "insert into KJ_AUTO (KJ_AUTO_ID, SPZ, POPIS) values (2, \"2B3 4567\", \"Fabia\")"));
        exec(QStringLiteral(
            "insert into KJ_AUTO (KJ_AUTO_ID, SPZ, POPIS) values (3, \"3C4 5678\", \"Felicia\")"));
        exec(QStringLiteral("EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= 200) DO BEGIN "
                            "INSERT INTO KJ (KJ_ID, KJ_AUTO_ID, DATUM, PORADI, OD_NAZEV, VZDALENOST, DUVOD) "
                            "VALUES (:I, 1, '1.3.2004', :I, 'Brno', :I, 'Služebně'); I = I + 1; END END"));
        const char* rides[][7] = {
            // Another year than the Octavia's: a date and order number are unique across cars.
            {"501", "1.3.2005", "1", "A", "a", "B", "b"}, {"502", "1.3.2005", "2", "B", "b", "C", "c"},
            {"503", "2.3.2005", "1", "X", "c", "D", "d"}, {"504", "2.3.2005", "2", "Q", "q", "E", "e"},
            {"505", "3.3.2005", "1", "E", "e", "A", "a"},
        };
        for (const auto& r : rides)
            exec(QStringLiteral(
                     "insert into KJ (KJ_ID, KJ_AUTO_ID, DATUM, PORADI, OD_NAZEV, OD_PRIJMENI, DO_NAZEV, "
                     "DO_PRIJMENI) values (%1, 2, \"%2\", %3, \"%4\", \"%5\", \"%6\", \"%7\")")
                     .arg(r[0], r[1], r[2], r[3], r[4], r[5], r[6]));
        exec(QStringLiteral(
            "insert into KJ (KJ_ID, KJ_AUTO_ID, DUVOD, VZDALENOST) values (901, 3, \"uzavreno\", 5)"));
        exec(QStringLiteral(
            "insert into KJ (KJ_ID, KJ_AUTO_ID, DUVOD, VZDALENOST) values (902, 3, \"volno\", 7)"));
        exec(QStringLiteral("CREATE EXCEPTION E_JIZDA_UZAVRENA 'Jizda je uzavrena'"));
        exec(QStringLiteral("CREATE TRIGGER KJ_UZAVRENA FOR KJ BEFORE DELETE AS BEGIN "
                            "IF (OLD.DUVOD = 'uzavreno') THEN EXCEPTION E_JIZDA_UZAVRENA; END"));
    }

    void defineRides(int car)
    {
        TFrameStringGrid& f = *m_frame;
        f.ZrusDefinici();
        f.ZpravaEditace = 0;
        f.MazaniPovoleno = true;
        f.Tabulka = QStringLiteral("KJ");
        f.KlicovySloupec = QStringLiteral("KJ_ID");
        f.DalsiTabulky = QStringLiteral("KJ_AUTO");
        f.Podminka =
            QStringLiteral("where (KJ.KJ_AUTO_ID=KJ_AUTO.KJ_AUTO_ID)  and (KJ.KJ_AUTO_ID=%1)").arg(car);
    }
};

TEST_F(PrehledJizd, PrintsEveryPageWithTitleCaptionsAndTotals)
{
    defineRides(1);
    TFrameStringGrid& f = *m_frame;
    f.PevneRazeni = QStringLiteral("PORADI");
    f.PridejSloupec(QStringLiteral("KJ_AUTO.POPIS"), QStringLiteral("Auto"), false, QString(), 12);
    f.PridejSloupec(QStringLiteral("DATUM"), QStringLiteral("Datum"), false, QString(), 10);
    f.PridejSloupec(QStringLiteral("PORADI"), QStringLiteral("Pořadí"), false, QStringLiteral("integer"), 2);
    f.PridejSloupec(QStringLiteral("OD_NAZEV"), QStringLiteral("OD Název"));
    f.PridejSloupec(QStringLiteral("VZDALENOST"), QStringLiteral("Vzdálenost"), true,
                    QStringLiteral("integer"), 10);
    f.NactiData(1);
    ASSERT_EQ(f.PocetRadku(), 201);
    header()->resizeSection(3, 5 * f.SirkaNuly() + 3); // narrowed by the user: prints 5 zeros wide

    f.SB_TISK->click();
    ASSERT_TRUE(messages::takeShown().isEmpty());
    TForm_PreviewPrint* preview = f.findChild<TForm_PreviewPrint*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    TPreviewDocument& doc = preview->Dokument();
    ASSERT_GE(doc.PocetStran(), 3);

    const QStringList captions{"Auto", "Datum", "Pořadí", "OD Název", "Vzdálenost"};
    const double zero = SirkaTextu(doc, tisk::pismo(20, 0), QStringLiteral("0"));
    const int zeros[] = {12, 10, 2, 5};
    int next = 1;
    QList<PageText::Text> lastLine;
    for (int page = 1; page <= doc.PocetStran(); ++page) {
        const auto lines = PageText(doc.Strana(page)).lines();
        ASSERT_GE(lines.size(), 3) << page;
        EXPECT_EQ(PageText::words(lines[0]), QStringList{"Orvan"}) << page;
        EXPECT_TRUE(lines[0][0].bold);
        EXPECT_EQ(PageText::words(lines[1]), captions) << page;
        double x = 0;
        for (int c = 0; c < captions.size(); ++c) {
            EXPECT_NEAR(lines[1][c].x, x, 1) << c;
            x += c < 4 ? zeros[c] * zero : 0;
        }
        for (int l = 2; l < lines.size(); ++l) {
            if (page == doc.PocetStran() && l == lines.size() - 1) break;
            EXPECT_EQ(PageText::words(lines[l]), (QStringList{"Octavia", "1.3.2004", QString::number(next),
                                                              "Brno", QString::number(next)}))
                << page;
            EXPECT_FALSE(lines[l][0].bold);
            ++next;
        }
        lastLine = lines.last();
    }
    EXPECT_EQ(next, 201);
    // The totals row: the sum under its column, nothing elsewhere.
    ASSERT_EQ(PageText::words(lastLine), QStringList{"20100"});
    EXPECT_NEAR(lastLine[0].x, (12 + 10 + 2 + 5) * zero, 2);
    EXPECT_TRUE(lastLine[0].bold);
}

TEST_F(PrehledJizd, ColoursRidesByDayAndContinuity)
{
    defineRides(2);
    TFrameStringGrid& f = *m_frame;
    f.PevneRazeni = QStringLiteral("DATUM, PORADI");
    f.PridejSloupec(QStringLiteral("DATUM"), QStringLiteral("Datum"), false, QString(), 10);
    f.PridejSloupec(QStringLiteral("PORADI"), QStringLiteral("Pořadí"), false, QStringLiteral("integer"), 10);
    for (const char* c : {"OD_NAZEV", "OD_PRIJMENI", "DO_NAZEV", "DO_PRIJMENI"})
        f.PridejSloupec(QLatin1String(c), QLatin1String(c));
    f.NactiData(1);
    f.ObarviSkupiny(0, false, true, 0xFFFFFF, 0xDBDBDB);
    f.NastavBarvyRadku(true, false, 0);
    f.ObarviNavaznost(2, 3, 4, 5, true, false, 0x0000FF, 0x008000);

    const ColourValue texts[] = {0, 0x008000, 0x0000FF, 0x0000FF, 0};
    const ColourValue backgrounds[] = {0xFFFFFF, 0xFFFFFF, 0xDBDBDB, 0xDBDBDB, 0xFFFFFF};
    for (int pass = 0; pass < 2; ++pass) {
        for (int r = 1; r <= 5; ++r) {
            EXPECT_EQ(f.Model()->textColour(r), texts[r - 1]) << r;
            EXPECT_EQ(f.Model()->backgroundColour(r), backgrounds[r - 1]) << r;
        }
        f.Obnov(); // reloading keeps the override colours
    }
}

TEST_F(PrehledJizd, DeleteShowsTheServersRefusal)
{
    defineRides(3);
    TFrameStringGrid& f = *m_frame;
    f.PridejSloupec(QStringLiteral("DUVOD"), QStringLiteral("Důvod"));
    f.PridejSloupec(QStringLiteral("VZDALENOST"), QStringLiteral("Vzdálenost"), true,
                    QStringLiteral("integer"));
    f.NactiData(1);
    ASSERT_TRUE(f.DeleteZaznam->isEnabled());
    ASSERT_FALSE(f.SBNewRecord->isVisible());
    auto stored = [this](int id) {
        return db().VratInt(QStringLiteral("select count(*) from KJ where KJ_ID=%1").arg(id));
    };

    hover(0, 1);
    messages::queueAnswer(true);
    f.DeleteZaznam->trigger();
    QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], QStringLiteral("Opravdu chcete vymazat tento řádek ?\nřádek:1 uzavreno"));
    EXPECT_TRUE(shown[1].contains(QStringLiteral("Jizda je uzavrena"))) << shown[1].toStdString();
    EXPECT_EQ(stored(901), 1);
    EXPECT_EQ(f.PocetRadku(), 3);

    hover(1, 2);
    messages::queueAnswer(false);
    f.DeleteZaznam->trigger();
    EXPECT_EQ(messages::takeShown(),
              QStringList{QStringLiteral("Opravdu chcete vymazat tento řádek ?\nřádek:2 7")});
    EXPECT_EQ(stored(902), 1);

    hover(1, 2);
    messages::queueAnswer(true);
    f.DeleteZaznam->trigger();
    EXPECT_EQ(messages::takeShown().size(), 1);
    EXPECT_EQ(stored(902), 0);
    EXPECT_EQ(column(0), QStringList{"uzavreno"});
}

TEST_F(PrehledJizd, DeleteRemovesTheRowAskedAboutEvenIfTheGridReloadsMeanwhile)
{
    exec(QStringLiteral("insert into KJ_AUTO (KJ_AUTO_ID, SPZ, POPIS) values (4, \"4D5 6789\", \"Superb\")"));
    exec(QStringLiteral("insert into KJ (KJ_ID, KJ_AUTO_ID, DUVOD) values (601, 4, \"b-porada\")"));
    defineRides(4);
    TFrameStringGrid& f = *m_frame;
    f.PridejSloupec(QStringLiteral("DUVOD"), QStringLiteral("Důvod"));
    f.NactiData(1);
    ASSERT_EQ(column(0), QStringList{"b-porada"});

    hover(0, 1);
    // Another workstation adds a ride that sorts first, and the grid reloads under the box.
    messages::queueAnswer(true, [&] {
        exec(QStringLiteral("insert into KJ (KJ_ID, KJ_AUTO_ID, DUVOD) values (602, 4, \"a-novy\")"));
        f.Obnov();
    });
    f.DeleteZaznam->trigger();
    EXPECT_EQ(messages::takeShown(),
              QStringList{QStringLiteral("Opravdu chcete vymazat tento řádek ?\nřádek:1 b-porada")});
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from KJ where KJ_ID=601")), 0);
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from KJ where KJ_ID=602")), 1);
    EXPECT_EQ(column(0), QStringList{"a-novy"});
}

} // namespace
