// Lists read block by block: the rows, their order and colours match a full
// read of the same statement at every block boundary; whatever needs all rows
// reads the rest; a refresh keeps the shown rows until it swaps, then keeps the
// selected record and the top row by key.
#include "data/commatext.h"
#include "fixtures/testdb.h"
#include "overview/ui/framestringgrid.h"

#include <QFile>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace
{

const int kAdres = 61;

class LazyList : public DbTest
{
protected:
    static void SetUpTestSuite()
    {
        DbTest::SetUpTestSuite();
        for (int k = 1; k <= 3; ++k)
            exec(QStringLiteral("insert into ADRESAR_C_KAT (ADRESAR_C_KAT_ID, ADRESAR_C_KAT_NAZEV, "
                                "ADRESAR_C_KAT_BARVA) values (%1, 'K%1', %2)")
                     .arg(k)
                     .arg(k == 3 ? 0 : k * 1000));
        // Names repeat (ties in the sort), rights vary, a third has no main category.
        exec(QStringLiteral(
                 "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= %1) DO BEGIN "
                 "INSERT INTO ADRESAR_ZAKL (ADRESAR_ZAKL_ID, NAZEV, PRIJMENI, MESTO, F_CIST) VALUES (:I, "
                 "'Firma ' || MOD(:I * 7, 13), 'Příjmení ' || :I, IIF(MOD(:I, 5) = 0, NULL, 'Brno'), "
                 "DECODE(MOD(:I, 4), 0, NULL, 1, 1, 2, 2, 9)); "
                 "IF (MOD(:I, 3) > 0) THEN INSERT INTO ADRESAR_ZAKL_KAT (ADRESAR_ZAKL_KAT_ID, "
                 "ADRESAR_ZAKL_ID, "
                 "ADRESAR_C_KAT_ID, HLAVNI) VALUES (:I, :I, 1 + MOD(:I, 3), 1); "
                 "I = I + 1; END END")
                 .arg(kAdres));
    }

    void SetUp() override
    {
        DbTest::SetUp();
        m_frame = std::make_unique<TFrameStringGrid>();
        m_frame->resize(700, 400);
        m_frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    }
    void TearDown() override { m_frame.reset(); }

    // The address overview as an office defines it: rights, the main
    // category's colour, and an id column to sum.
    void define(int razeni, int filtr = 0, const QString& hodnota = QString())
    {
        TFrameStringGrid& f = *m_frame;
        f.ZrusDefinici();
        f.Tabulka = QStringLiteral("ADRESAR_ZAKL");
        f.KlicovySloupec = QStringLiteral("ADRESAR_ZAKL_ID");
        f.SloupecBarvyPisma = QStringLiteral("ADRESAR_C_KAT_BARVA");
        f.Podminka = QStringLiteral(
            "left join adresar_zakl_kat on (adresar_zakl.adresar_zakl_id=adresar_zakl_kat.adresar_zakl_id) "
            "and (adresar_zakl_kat.hlavni=1) left join adresar_c_kat on "
            "(adresar_zakl_kat.adresar_c_kat_id=adresar_c_kat.adresar_c_kat_id) where ((adresar_zakl.f_cist "
            "is null) or (adresar_zakl.f_cist=0) or (adresar_zakl.f_cist in (1,2)))");
        f.PridejSloupec(QStringLiteral("NAZEV"), QStringLiteral("Název"));
        f.PridejSloupec(QStringLiteral("PRIJMENI"), QStringLiteral("Příjmení"));
        f.PridejSloupec(QStringLiteral("MESTO"), QStringLiteral("Město"));
        f.PridejSloupec(QStringLiteral("ADRESAR_ZAKL.ADRESAR_ZAKL_ID"), QStringLiteral("Číslo"), true,
                        QStringLiteral("integer"));
        if (filtr != 0) {
            f.Sloupce[2].FiltrOperator = filtr;
            f.Sloupce[2].FiltrHodnota1 = hodnota;
        }
        f.Razeni = razeni;
        f.NactiData(0);
    }

    // The statement read whole, as lines of values: key, colour, cells.
    QList<QStringList> fullRead() const
    {
        QStringList lines;
        db().NactiDotaz(m_frame->Dotaz(), false, lines, QString());
        QList<QStringList> rows;
        for (const QString& l : lines)
            rows << commatext::decode(l);
        return rows;
    }

    // The frame's rows in the same form, with the text colour of each row.
    QList<QStringList> shown() const
    {
        QList<QStringList> rows;
        GridModel* m = m_frame->Model();
        for (int r = 1; r < m_frame->PocetRadku(); ++r) {
            QStringList v{m_frame->Klic(r)};
            v << QString::number(m->textColour(r));
            for (int c = 0; c < m->gridColumnCount(); ++c)
                v << m_frame->Bunka(c, r);
            rows << v;
        }
        return rows;
    }

    static QList<QStringList> withDefaultColours(QList<QStringList> rows)
    {
        // A colour of 0 or none shows the default text colour (black, 0).
        for (QStringList& r : rows)
            r[1] = QString::number(r[1].trimmed().toInt());
        return rows;
    }

    std::unique_ptr<TFrameStringGrid> m_frame;
};

TEST_F(LazyList, BlockByBlockGivesTheRowsOfAFullRead)
{
    struct Case {
        int razeni, filtr;
        const char* hodnota;
        int prvni, dalsi;
    };
    const Case cases[] = {
        {1, 0, "", 1, 1},      // every row its own block
        {1, 0, "", 7, 7},      // ties of the sorted column across boundaries
        {-2, 0, "", 5, 3},     // descending
        {4, 1, "Brno", 10, 4}, // a filter
        {3, 0, "", 100, 100},  // all in the first block (NULLs in the sort column)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.razeni << " " << c.filtr << " " << c.prvni << "/" << c.dalsi);
        m_frame->Model()->nastavBloky(c.prvni, c.dalsi);
        define(c.razeni, c.filtr, QString::fromUtf8(c.hodnota));
        const QList<QStringList> full = withDefaultColours(fullRead());
        ASSERT_GT(full.size(), 10);
        GridModel* m = m_frame->Model();
        EXPECT_EQ(m->dataRowCount(), std::min<int>(c.prvni, int(full.size())));
        int reads = 0;
        while (m->canFetchMore(QModelIndex())) {
            const int before = m->dataRowCount();
            m->fetchMore(QModelIndex());
            EXPECT_LE(m->dataRowCount() - before, c.dalsi);
            ++reads;
        }
        EXPECT_GE(reads, (int(full.size()) - c.prvni) / c.dalsi);
        EXPECT_EQ(shown(), full);
    }
}

TEST_F(LazyList, ScrollingTheGridReadsOnToTheEnd)
{
    m_frame->Model()->nastavBloky(20, 9);
    define(1);
    const QList<QStringList> full = withDefaultColours(fullRead());
    QScrollBar* bar = m_frame->StringGrid1->verticalScrollBar();
    for (int i = 0; i < 20 && m_frame->Model()->zbyva(); ++i) {
        bar->setValue(bar->maximum());
        QCoreApplication::processEvents();
    }
    EXPECT_FALSE(m_frame->Model()->zbyva());
    EXPECT_EQ(shown(), full);
}

TEST_F(LazyList, PrintExportSumAndColouringSeeEveryRow)
{
    m_frame->Model()->nastavBloky(5, 5);
    define(1);
    const QList<QStringList> full = fullRead();
    double sum = 0;
    for (const QStringList& r : full)
        sum += r.last().toDouble();

    EXPECT_DOUBLE_EQ(m_frame->SumaSloupce(3), sum);
    EXPECT_EQ(m_frame->PocetRadku(), full.size() + 1);

    define(1);
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("a.csv"));
    m_frame->ExportCSV(csv);
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().count("\r\n"), full.size() + 1);

    define(1);
    m_frame->NastavBarvyRadku(true, false, 0x123456);
    EXPECT_EQ(m_frame->Model()->textColour(int(full.size())), 0x123456);
}

TEST_F(LazyList, RefreshKeepsTheRowsUntilItSwapsThenTheSelectedRecordAndTopRow)
{
    m_frame->Model()->nastavBloky(4, 6);
    define(-4); // newest first: new records go in front
    GridModel* m = m_frame->Model();
    while (m->dataRowCount() < 30)
        m->fetchMore(QModelIndex());
    QTableView* grid = m_frame->StringGrid1;
    const int selected = 25;
    const QString key = m_frame->Klic(selected);
    grid->setCurrentIndex(m->index(selected - 1, 1));
    grid->scrollTo(m->index(19, 0), QAbstractItemView::PositionAtTop);
    const int top = grid->rowAt(0);
    ASSERT_GT(top, 0);
    const QString topKey = m_frame->Klic(top + 1);

    for (int id = 1001; id <= 1003; ++id)
        exec(QStringLiteral("insert into ADRESAR_ZAKL (ADRESAR_ZAKL_ID, NAZEV) values (%1, 'Nová')").arg(id));
    m_frame->Obnov();
    // Still the old rows: the new result is read from the event loop.
    EXPECT_TRUE(m->obnovuje());
    EXPECT_EQ(m_frame->Klic(selected), key);
    QTRY_VERIFY(!m->obnovuje());

    EXPECT_EQ(m_frame->Klic(1), QStringLiteral("1003"));
    ASSERT_TRUE(grid->currentIndex().isValid());
    EXPECT_EQ(m_frame->Klic(grid->currentIndex().row() + 1), key);
    EXPECT_EQ(grid->currentIndex().row() + 1, selected + 3);
    EXPECT_EQ(grid->currentIndex().column(), 1);
    EXPECT_EQ(m_frame->Klic(grid->rowAt(0) + 1), topKey);

    // The selected record deleted: nothing is selected, the top row stays put.
    exec(QStringLiteral("delete from ADRESAR_ZAKL where ADRESAR_ZAKL_ID in (1001, 1002, 1003, %1)").arg(key));
    m_frame->Obnov();
    m_frame->DokonciObnovu();
    EXPECT_FALSE(m->obnovuje());
    EXPECT_EQ(m->radekKlice(key), 0);
    EXPECT_FALSE(grid->currentIndex().isValid());
    EXPECT_EQ(m_frame->Klic(grid->rowAt(0) + 1), topKey);
}

TEST_F(LazyList, DisconnectingClosesTheRowsStillToBeRead)
{
    TSQLDATA other;
    ASSERT_TRUE(other.PripojDatabazi(dbPath(), QStringLiteral("orvan"), QStringLiteral("qelmo.")));
    GridDefinition def;
    GridModel m(&def);
    m.nastavBloky(3, 3);
    m.load(other, QStringLiteral("select ADRESAR_ZAKL_ID, NAZEV from ADRESAR_ZAKL order by 1"));
    ASSERT_TRUE(m.zbyva());
    other.Odpoj(); // the open snapshot does not keep the connection
    EXPECT_FALSE(m.zbyva());
    EXPECT_EQ(m.dataRowCount(), 3);
    EXPECT_EQ(m.key(3), QStringLiteral("3"));
}

} // namespace
