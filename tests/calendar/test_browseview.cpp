#include "calendar/slunce.h"
#include "calendar/ui/browsepanel.h"
#include "calendar/ui/frame_info_lista.h"
#include "common/clock.h"
#include "kalendar_db.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

using kalendar::KalendarDb;

struct Prijemce : CommandTarget {
    void command(int message, std::intptr_t w, std::intptr_t l) override
    {
        zpravy.push_back({message, qint64(w), qint64(l)});
    }
    std::vector<std::tuple<int, qint64, qint64>> zpravy;
};

class BrowseViewTest : public KalendarDb
{
protected:
    static void SetUpTestSuite() { KalendarDb::SetUpTestSuite(); }

    void SetUp() override
    {
        KalendarDb::SetUp();
        Clock::setCurrent(&m_clock);
        m_panel = std::make_unique<TBrowsePanel>();
        m_panel->setCommandTarget(&m_hlavni);
        m_panel->resize(700, 500);
        m_panel->show();
    }
    void TearDown() override
    {
        m_panel.reset();
        Clock::setCurrent(nullptr);
    }

    QStringList sloupec(int c) const
    {
        QStringList out;
        const auto* m = m_panel->BrowseGrid1->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, c).data().toString();
        return out;
    }

    void dvojklik(int row, int column)
    {
        // What a mouse delivers: press, release, double click, release.
        auto* g = m_panel->BrowseGrid1;
        const QModelIndex i = g->model()->index(row, column);
        g->scrollTo(i);
        const QPoint p = g->visualRect(i).center();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, p);
    }

    TestClock m_clock{QDateTime(QDate(2004, 5, 4), QTime(10, 0))};
    Prijemce m_hlavni;
    std::unique_ptr<TBrowsePanel> m_panel;
};

TEST_F(BrowseViewTest, ListsTheRangeWithAndWithoutFreeTimes)
{
    QAbstractItemModelTester tester(m_panel->BrowseGrid1->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(m_panel->od(), ZakodujDatum(2004, 5, 4)); // both pickers start at today
    m_panel->NastavFiltrKategorii(QStringLiteral("1,2"));
    m_panel->NastavVsechnyKategorie(true);
    m_panel->NastavRozsah(ZakodujDatum(2004, 5, 3), ZakodujDatum(2004, 5, 3));
    EXPECT_EQ(sloupec(0), (QStringList{QStringLiteral("3.5.2004"), QStringLiteral("3.5.2004 8:00:00"),
                                       QStringLiteral("3.5.2004 9:30:00")}));
    EXPECT_EQ(sloupec(1), (QStringList{QStringLiteral("Celý den"), QStringLiteral("Porada"),
                                       QStringLiteral("Oběd s klientem")}));
    EXPECT_EQ(m_panel->BrowseGrid1->model()->headerData(1, Qt::Horizontal).toString(),
              QStringLiteral("Název"));
    EXPECT_EQ(m_panel->BrowseGrid1->columnWidth(0), 150);
    EXPECT_EQ(m_panel->BrowseGrid1->columnWidth(1), 300);
    EXPECT_EQ(m_panel->Frame_INFO_LISTA1->Label_Aktualni_Datum->text(), QStringLiteral("3.5.2004"));

    // With every category the comma name of category 3 comes whole.
    m_panel->NastavFiltrKategorii(QStringLiteral("1,2,3"));
    m_panel->ChB_NEPOUZITE->click();
    const QStringList datum = sloupec(0), nazev = sloupec(1);
    ASSERT_EQ(datum.size(), 4 + 36 - 3); // 8:00, 9:30 and 10:00 replace their free times
    EXPECT_EQ(datum.at(0), QStringLiteral("3.5.2004"));
    const qsizetype i = datum.indexOf(QStringLiteral("3.5.2004 8:00:00"));
    EXPECT_EQ(datum.at(i - 1), QStringLiteral("03.05.2004 07:30:00"));
    EXPECT_EQ(datum.at(i + 1), QStringLiteral("03.05.2004 08:30:00"));
    EXPECT_EQ(nazev.at(datum.indexOf(QStringLiteral("3.5.2004 10:00:00"))), QStringLiteral("Servis, STK"));
    EXPECT_EQ(datum.last(), QStringLiteral("03.05.2004 23:00:00"));

    // A reversed range lists nothing.
    m_panel->NastavRozsah(ZakodujDatum(2004, 5, 4), ZakodujDatum(2004, 5, 3));
    EXPECT_EQ(m_panel->BrowseGrid1->model()->rowCount(), 0);

    // Changing a picker loads at once: two days, 37 + 36 free times and the events.
    m_panel->DateEdit_OD->setDate(QDate(2004, 5, 3));
    m_panel->DateEdit_DO->setDate(QDate(2004, 5, 4));
    EXPECT_EQ(sloupec(0).size(), 4 + 2 + 37 + 36 - 3);
}

TEST_F(BrowseViewTest, RefreshKeepsTheTopRowAndTheColumnWidths)
{
    m_panel->NastavFiltrKategorii(QStringLiteral("1,2,3"));
    m_panel->ChB_NEPOUZITE->setChecked(true);
    m_panel->NastavRozsah(ZakodujDatum(2004, 5, 3), ZakodujDatum(2004, 5, 3));
    auto* g = m_panel->BrowseGrid1;
    const auto horni = [&] { return sloupec(0).at(m_panel->HorniRadek()); };
    const int servis = int(sloupec(0).indexOf(QStringLiteral("3.5.2004 10:00:00")));
    QCoreApplication::processEvents();
    g->scrollTo(g->model()->index(servis, 0), QAbstractItemView::PositionAtTop);
    ASSERT_EQ(horni(), QStringLiteral("3.5.2004 10:00:00"));
    g->setColumnWidth(1, 420);

    // Another workstation adds an event above it: the same event stays on top.
    exec(QStringLiteral("insert into KU (KU_ID, DATUM, CAS_OD, NAZEV) values (90, \"3.5.2004\", "
                        "\"3.5.2004 6:00\", \"Brzy\")"));
    m_panel->Obnov();
    EXPECT_EQ(horni(), QStringLiteral("3.5.2004 10:00:00"));
    EXPECT_EQ(sloupec(1).at(m_panel->HorniRadek()), QStringLiteral("Servis, STK"));
    EXPECT_EQ(g->columnWidth(1), 420);

    // The event moved to a later time: still the same event on top.
    exec(QStringLiteral("update KU set CAS_OD=\"3.5.2004 15:00\" where KU_ID=90"));
    m_panel->Obnov();
    EXPECT_EQ(horni(), QStringLiteral("3.5.2004 10:00:00"));
    exec(QStringLiteral("delete from KU where KU_ID=90"));
    s_db->ObnovTransakci();

    // A range chosen anew starts at the top with the usual widths.
    m_panel->NastavRozsah(ZakodujDatum(2004, 5, 3), ZakodujDatum(2004, 5, 4));
    EXPECT_EQ(m_panel->HorniRadek(), 0);
    EXPECT_EQ(g->columnWidth(1), 300);
}

TEST(NajdiRadekZnovu, EventThenSameRowNumber)
{
    const auto r = [](const char* id, const char* zacatek) {
        return RadekSeznamu{QLatin1String(id), QString(), QLatin1String(zacatek), QString(), QString()};
    };
    const QList<RadekSeznamu> radky{r("0", "8:00"), r("5", "8:30"), r("0", "9:00"), r("7", "9:30")};
    EXPECT_EQ(NajdiRadekZnovu(radky, r("5", "8:30"), 3), 1);
    EXPECT_EQ(NajdiRadekZnovu(radky, r("7", "7:00"), 0), 3); // moved: found by the event
    EXPECT_EQ(NajdiRadekZnovu(radky, r("0", "9:00"), 0), 2); // a free time by its time
    EXPECT_EQ(NajdiRadekZnovu(radky, r("0", "7:30"), 2), 2); // gone: the same row number
    EXPECT_EQ(NajdiRadekZnovu(radky, r("9", "7:30"), 10), 3);
    EXPECT_EQ(NajdiRadekZnovu({}, r("5", "8:30"), 1), -1);
}

TEST_F(BrowseViewTest, DoubleClicksPostTheEditor)
{
    m_panel->NastavFiltrKategorii(QStringLiteral("1,2"));
    m_panel->ChB_NEPOUZITE->setChecked(true);
    m_panel->NastavRozsah(ZakodujDatum(2004, 5, 3), ZakodujDatum(2004, 5, 3));
    const QStringList datum = sloupec(0);
    const int porada = int(datum.indexOf(QStringLiteral("3.5.2004 8:00:00")));
    const int volny = int(datum.indexOf(QStringLiteral("03.05.2004 08:30:00")));
    dvojklik(0, 0);      // midnight event: the day without a time
    dvojklik(porada, 1); // the event
    dvojklik(porada, 0); // new event at its time
    dvojklik(volny, 1);  // a free time's name: a new, empty event
    dvojklik(volny, 0);  // a free time's date: a new event then
    using Z = std::tuple<int, qint64, qint64>;
    EXPECT_EQ(m_hlavni.zpravy, (std::vector<Z>{{WM_EDIT_EVENT, 20040503, -1},
                                               {WM_EDIT_EVENT, 1, -11},
                                               {WM_EDIT_EVENT, 20040503, 80000},
                                               {WM_EDIT_EVENT, 0, -11},
                                               {WM_EDIT_EVENT, 20040503, 83000}}));
}

TEST_F(BrowseViewTest, InfoBar)
{
    TFrame_INFO_LISTA bar;
    EXPECT_EQ(bar.Label_Jmeniny->pos(), QPoint(128, 8));
    EXPECT_EQ(bar.Label_ZAPAD_SLUNCE->pos(), QPoint(340, 4));
    EXPECT_TRUE(bar.Moon1->isHidden());
    EXPECT_TRUE(bar.Image_VYCHOD_SLUNCE->isHidden());

    struct Case {
        QDate date;
        const char* cas;
        int zona;
    } cases[] = {
        {QDate(2004, 10, 31), "Letní ma zimní čas", 1},
        {QDate(2004, 3, 28), "Zimní ma letní čas", 2},
        {QDate(2004, 7, 1), "Letní čas (GMT+2)", 2},
        {QDate(2004, 1, 5), "Zimní čas (GMT+1)", 1},
    };
    for (const Case& c : cases) {
        const DatumCas d = ZakodujDatum(c.date.year(), c.date.month(), c.date.day());
        bar.ZobrazDen(true, d);
        EXPECT_EQ(bar.Label_JAKYJECAS->text(), QString::fromUtf8(c.cas));
        EXPECT_FALSE(bar.Label_JAKYJECAS->isHidden());
        const CasySlunce s = VychodZapadSlunce(c.zona, d);
        EXPECT_EQ(bar.Label_VYCHOD_SLUNCE->text(), s.vychod);
        EXPECT_EQ(bar.Label_ZAPAD_SLUNCE->text(), s.zapad);
        EXPECT_FALSE(bar.Image_ZAPAD_SLUNCE->isHidden());
        EXPECT_FALSE(bar.Moon1->isHidden());
    }
    bar.ZobrazDen(true, ZakodujDatum(2004, 10, 31));
    EXPECT_EQ(bar.Label_Aktualni_Datum->text(), QStringLiteral("31.10.2004"));
    EXPECT_EQ(bar.Label_Jmeniny->text(), SvatkyDne(ZakodujDatum(2004, 10, 31)));
    EXPECT_NE(bar.Label_Jmeniny->text(), QStringLiteral("-"));
    EXPECT_EQ(bar.Label_Jmeniny->palette().color(QPalette::WindowText), QColor(Qt::red));

    bar.ZobrazDen(true, ZakodujDatum(2004, 5, 1));
    EXPECT_EQ(bar.Label_Svatek->text(), QStringLiteral("Svátek práce"));
    EXPECT_EQ(bar.Label_Svatek->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(bar.Label_Jmeniny->text(), SvatkyDne(ZakodujDatum(2004, 5, 1)));

    bar.ZobrazDen(true, ZakodujDatum(1995, 6, 1));
    EXPECT_TRUE(bar.Label_JAKYJECAS->isHidden());
    EXPECT_TRUE(bar.Label_VYCHOD_SLUNCE->text().isEmpty());
    EXPECT_TRUE(bar.Image_VYCHOD_SLUNCE->isHidden());
    EXPECT_FALSE(bar.Moon1->isHidden());

    bar.ZobrazDen(false, 0);
    EXPECT_TRUE(bar.Label_Aktualni_Datum->text().isEmpty());
    EXPECT_TRUE(bar.Label_Jmeniny->text().isEmpty());
    EXPECT_TRUE(bar.Moon1->isHidden());
    EXPECT_TRUE(bar.Label_JAKYJECAS->isHidden());
}

} // namespace
