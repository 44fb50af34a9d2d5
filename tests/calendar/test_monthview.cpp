#include "calendar/monthhtml.h"
#include "calendar/slunce.h"
#include "calendar/ui/frame_info_lista.h"
#include "calendar/ui/frame_montview.h"
#include "common/clock.h"
#include "common/cp1250.h"
#include "common/messages.h"
#include "common/ui/dialogs.h"
#include "common/ui/shell.h"
#include "kalendar_db.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace
{

using kalendar::KalendarDb;

struct Zprava {
    int message;
    qint64 w, l;
    bool operator==(const Zprava&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Zprava& z)
{
    return os << "{" << z.message << ", " << z.w << ", " << z.l << "}";
}

struct Prijemce : CommandTarget {
    void command(int message, std::intptr_t w, std::intptr_t l) override
    {
        zpravy.push_back({message, qint64(w), qint64(l)});
    }
    std::vector<Zprava> take() { return std::exchange(zpravy, {}); }
    std::vector<Zprava> zpravy;
};

class MonthViewTest : public KalendarDb
{
protected:
    static void SetUpTestSuite() { KalendarDb::SetUpTestSuite(); }

    void SetUp() override
    {
        KalendarDb::SetUp();
        Clock::setCurrent(&m_clock);
        m_view = std::make_unique<TFrame_MontView>();
        m_view->setCommandTarget(&m_hlavni);
        m_view->NastavFiltrKategorii(QStringLiteral("1,2"));
        m_view->NastavVsechnyKategorie(false);
        // 6 week rows 40 pixels high: the grid gets 267 pixels.
        m_view->resize(900, 41 + 267);
        m_view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
        m_view->SB_PLUS->click();
        ASSERT_EQ(m_view->mrizka().tydny(), 6);
        ASSERT_EQ(m_view->JvDrawGrid1->height(), 267);
        ASSERT_EQ(m_view->mrizka().vyskaRadku(), 40);
    }

    void TearDown() override
    {
        m_view.reset();
        Clock::setCurrent(nullptr);
    }

    QRect bunka(int den) const // a day of May 2004 in the first weeks
    {
        const DatumCas d = ZakodujDatum(2004, 5, den);
        const MesicniMrizka& m = m_view->mrizka();
        const int i = int(d - m.prvniDen());
        return m.bunka(i % 7 + 1, i / 7 + 1);
    }

    void klik(QPoint p) { QTest::mouseClick(m_view->JvDrawGrid1, Qt::LeftButton, {}, p); }

    TestClock m_clock{QDateTime(QDate(2004, 5, 4), QTime(10, 0))};
    Prijemce m_hlavni;
    std::unique_ptr<TFrame_MontView> m_view;
};

TEST_F(MonthViewTest, ClicksPostTheMessagesOfTheirPlace)
{
    const QRect c3 = bunka(3); // Porada (1), Oběd (2, main 2), Celý den (3), Servis (4) hidden by category 3
    const QRect c1 = bunka(1);
    const QRect c7 = bunka(7); // one event, all of whose categories are unticked
    struct Case {
        QPoint p;
        Zprava z;
    };
    const Case cases[] = {
        {c3.topLeft() + QPoint(5, 3), {WM_SHOW_DAY_LIST, 20040503, 20040503}},
        {c3.topLeft() + QPoint(5, 14), {WM_EDIT_EVENT, 3, -11}}, // first line: Celý den
        {c3.topLeft() + QPoint(5, 30), {WM_EDIT_EVENT, 1, -11}}, // second line: Porada
        {c3.topLeft() + QPoint(5, 39), {WM_EDIT_EVENT, 1, -11}},
        // Line 3 (Oběd) is hidden at this height but still where it would be.
        {c3.topLeft() + QPoint(5, 39 + 1), {WM_EDIT_EVENT, 2, -11}},
        {c1.topLeft() + QPoint(5, 20), {WM_EDIT_EVENT, 9, -11}},             // Průvod, no category
        {c1.topLeft() + QPoint(5, 38), {WM_EDIT_EVENT, 20040501, -12}},      // below the last line
        {bunka(8).topLeft() + QPoint(5, 3), {WM_EDIT_EVENT, 20040508, -12}}, // no events, date band
    };
    for (const Case& c : cases) {
        klik(c.p);
        EXPECT_EQ(m_hlavni.take(), std::vector<Zprava>{c.z}) << c.p.x() << "," << c.p.y();
    }
    // Boundary below the last line of 1 May, the week column, the header and a
    // day whose events the filter hides: nothing.
    klik(c1.topLeft() + QPoint(5, 27));
    klik(QPoint(5, 30));
    klik(QPoint(200, 5));
    klik(c7.topLeft() + QPoint(5, 3));
    klik(c7.topLeft() + QPoint(5, 30));
    EXPECT_TRUE(m_hlavni.take().empty());

    // A double click on a week cell lists the week.
    QTest::mouseDClick(m_view->JvDrawGrid1, Qt::LeftButton, {}, m_view->mrizka().bunka(0, 2).center());
    EXPECT_EQ(m_hlavni.take(), (std::vector<Zprava>{{WM_SHOW_WEEK_LIST, 20040503, 20040509}}));
}

TEST_F(MonthViewTest, HoverShowsTheDayOncePerCell)
{
    Prijemce info;
    m_view->setDayInfoTarget(&info);
    const QRect c = bunka(4);
    QTest::mouseMove(m_view->JvDrawGrid1, c.topLeft() + QPoint(3, 3));
    QTest::mouseMove(m_view->JvDrawGrid1, c.topLeft() + QPoint(20, 20));
    QTest::mouseMove(m_view->JvDrawGrid1, m_view->mrizka().bunka(0, 2).center());
    EXPECT_EQ(info.take(),
              (std::vector<Zprava>{{WM_SHOW_DAY_INFO, 20040504, 2 * 100 + 2}, {WM_SHOW_DAY_INFO, 0, 2}}));

    // The view's own handler fills and empties the info bar.
    m_view->setDayInfoTarget(nullptr);
    QTest::mouseMove(m_view->JvDrawGrid1, bunka(1).center());
    EXPECT_EQ(m_view->Frame_INFO_LISTA1->Label_Aktualni_Datum->text(), QStringLiteral("1.5.2004"));
    EXPECT_EQ(m_view->Frame_INFO_LISTA1->Label_Svatek->text(), QStringLiteral("Svátek práce"));
    QTest::mouseMove(m_view->JvDrawGrid1, QPoint(200, 5));
    EXPECT_TRUE(m_view->Frame_INFO_LISTA1->Label_Aktualni_Datum->text().isEmpty());
    EXPECT_TRUE(m_view->Frame_INFO_LISTA1->Moon1->isHidden());

    // Name days never change: hovering every day reads them at most once.
    const int cteni = CteniSvatku();
    for (int den = 1; den <= 30; ++den)
        QTest::mouseMove(m_view->JvDrawGrid1, bunka(den).center());
    EXPECT_LE(CteniSvatku() - cteni, 1);
    EXPECT_EQ(m_view->Frame_INFO_LISTA1->Label_Jmeniny->text(), SvatkyDne(ZakodujDatum(2004, 5, 30)));
    EXPECT_NE(m_view->Frame_INFO_LISTA1->Label_Jmeniny->text(), QStringLiteral("-"));
}

TEST_F(MonthViewTest, SlowReadsGoInPartsAndTheShownDaysStayUntilTheyAreComplete)
{
    const DatumCas den = ZakodujDatum(2004, 5, 20);
    ASSERT_EQ(m_view->data().den(den).pocet, 0);
    exec(QStringLiteral("insert into KU (KU_ID, DATUM, CAS_OD, NAZEV) values (500, \"20.5.2004\", "
                        "\"20.5.2004 9:00\", \"Nová\")"));
    db().ObnovTransakci();
    m_view->NastavTrvaniCteni(10 * TFrame_MontView::kCastCteni); // about a tenth of the weeks a part
    m_view->Obnov();
    EXPECT_TRUE(m_view->Obnovuje());
    EXPECT_EQ(m_view->data().den(den).pocet, 0); // the old days are shown meanwhile
    QTRY_VERIFY(!m_view->Obnovuje());

    const MesicniMrizka& m = m_view->mrizka();
    DataMesice ref;
    ref.nacti(db(), QStringLiteral("1,2"), true, m.prvniDen(), m.posledniDen(), m.radkuNaDen());
    EXPECT_EQ(m_view->data().den(den).pocet, 1);
    for (DatumCas d = m.prvniDen(); d <= m.posledniDen(); d += 1)
        EXPECT_EQ(m_view->data().den(d), ref.den(d)) << DatumNaText(4, d).toStdString();
    EXPECT_TRUE(m_view->data().nacteno(m.prvniDen()));
    EXPECT_TRUE(m_view->data().nacteno(m.posledniDen()));
    exec(QStringLiteral("delete from KU where KU_ID = 500"));
}

TEST_F(MonthViewTest, TallerRowsReadTheFurtherLines)
{
    // At least the lines of rows filling the screen are read, so laying the
    // window out reads nothing again; rows dragged taller read more.
    const int limit = m_view->data().limit();
    EXPECT_GE(limit, 3);
    EXPECT_EQ(m_view->data().den(ZakodujDatum(2004, 5, 3)).udalosti.size(), 3);
    EXPECT_EQ(m_view->data().den(ZakodujDatum(2004, 5, 3)).radku, 3);
    const QPoint hrana(5, m_view->mrizka().bunka(0, 1).bottom() + 1);
    QTest::mousePress(m_view->JvDrawGrid1, Qt::LeftButton, {}, hrana);
    QTest::mouseMove(m_view->JvDrawGrid1, hrana + QPoint(0, 2000));
    QTest::mouseRelease(m_view->JvDrawGrid1, Qt::LeftButton, {}, hrana + QPoint(0, 2000));
    EXPECT_GT(m_view->mrizka().bunka(1, 1).height(), 1500);
    EXPECT_GT(m_view->data().limit(), limit);
    EXPECT_EQ(m_view->data().den(ZakodujDatum(2004, 5, 6)).udalosti.size(), 3);
}

TEST_F(MonthViewTest, ContextMenuOnDayCellsOnly)
{
    m_view->JvDrawGrid1->setFocus();
    QContextMenuEvent header(QContextMenuEvent::Mouse, QPoint(200, 5),
                             m_view->JvDrawGrid1->mapToGlobal(QPoint(200, 5)));
    QApplication::sendEvent(m_view->JvDrawGrid1, &header);
    EXPECT_FALSE(m_view->PopupMenu1->isVisible());

    const QPoint p = bunka(12).center();
    QContextMenuEvent day(QContextMenuEvent::Mouse, p, m_view->JvDrawGrid1->mapToGlobal(p));
    QApplication::sendEvent(m_view->JvDrawGrid1, &day);
    EXPECT_TRUE(m_view->PopupMenu1->isVisible());
    m_view->PopupMenu1->hide();
    EXPECT_EQ(m_view->Novapolozkavtomtodni->text(), QStringLiteral("&Nová položka v tomto dni"));
    m_view->Novapolozkavtomtodni->trigger();
    m_view->Pehledpoloekvtomtodni1->trigger();
    EXPECT_EQ(m_hlavni.take(),
              (std::vector<Zprava>{{WM_EDIT_EVENT, 20040512, -12}, {WM_SHOW_DAY_LIST, 20040512, 20040512}}));

    // Narrower last column and lower last row leave a blank strip beside and
    // below the cells: no day there, so no menu of the day hovered last.
    auto* grid = m_view->JvDrawGrid1;
    auto drag = [grid](QPoint from, QPoint to) {
        QTest::mousePress(grid, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), grid->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(grid, &move);
        QTest::mouseRelease(grid, Qt::LeftButton, {}, to);
    };
    const MesicniMrizka& m = m_view->mrizka();
    const QPoint columnBorder(m.bunka(7, 0).right() + 1, 10);
    drag(columnBorder, columnBorder - QPoint(40, 0));
    const QPoint rowBorder(10, m.bunka(0, m.tydny()).bottom() + 1);
    drag(rowBorder, rowBorder - QPoint(0, 15));
    const QRect last = m.bunka(7, m.tydny());
    for (const QPoint blank : {QPoint(last.right() + 10, bunka(12).center().y()),
                               QPoint(bunka(12).center().x(), last.bottom() + 8)}) {
        ASSERT_TRUE(grid->rect().contains(blank));
        int s = 0, r = 0;
        ASSERT_FALSE(m.bunkaNaBode(blank, s, r) && s >= 1 && r >= 1);
        QContextMenuEvent outside(QContextMenuEvent::Mouse, blank, grid->mapToGlobal(blank));
        QApplication::sendEvent(grid, &outside);
        EXPECT_FALSE(m_view->PopupMenu1->isVisible()) << blank.x() << "," << blank.y();
        m_view->PopupMenu1->hide();
    }
    EXPECT_TRUE(m_hlavni.take().empty());
}

TEST_F(MonthViewTest, DraggingABorderResizesUntilRefresh)
{
    auto* grid = m_view->JvDrawGrid1;
    const QRect c = m_view->mrizka().bunka(2, 0);
    const QPoint border(c.right() + 1, 10);
    QTest::mousePress(grid, Qt::LeftButton, {}, border);
    QMouseEvent move(QEvent::MouseMove, QPointF(border + QPoint(25, 0)),
                     grid->mapToGlobal(QPointF(border + QPoint(25, 0))), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(grid, &move);
    QTest::mouseRelease(grid, Qt::LeftButton, {}, border + QPoint(25, 0));
    EXPECT_EQ(m_view->mrizka().bunka(2, 0).width(), c.width() + 25);
    EXPECT_TRUE(m_hlavni.take().empty()); // a drag is no click
    m_view->SB_REFRESH->click();
    EXPECT_EQ(m_view->mrizka().bunka(2, 0).width(), c.width());
}

TEST_F(MonthViewTest, ButtonsMoveAndReload)
{
    EXPECT_EQ(m_view->SB_PrevWeek->toolTip(),
              QStringLiteral("Posune zobrazení na předchozí týdny o jeden řádek"));
    EXPECT_EQ(m_view->SB_PLUS->toolTip(), QStringLiteral("Zvetší počet zobrazovaných týdnů o jeden"));
    for (int i = 0; i < 4; ++i)
        m_view->SB_PrevWeek->click();
    EXPECT_EQ(m_view->mrizka().kotva(), ZakodujDatum(2004, 4, 3));
    m_view->SB_NextMonth->click();
    EXPECT_EQ(m_view->mrizka().kotva(), ZakodujDatum(2004, 5, 3));
    // The data follows the shown weeks.
    EXPECT_TRUE(m_view->data().nacteno(m_view->mrizka().posledniDen()));
    EXPECT_EQ(m_view->data().den(ZakodujDatum(2004, 5, 31)).pocet, 1);
    for (int i = 0; i < 8; ++i)
        m_view->SB_MINUS->click();
    EXPECT_EQ(m_view->mrizka().tydny(), 1);
    m_view->SB_AktualDate->click();
    EXPECT_EQ(m_view->mrizka().kotva(), ZakodujDatum(2004, 5, 1));
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

QColor pixel(const QImage& img, QPoint p)
{
    return img.pixelColor(p);
}

TEST_F(MonthViewTest, PaintsColoursLinesAndTheBar)
{
    // Painting reads what Obnov loaded: with no database behind it the
    // picture is the same and nothing fails.
    TSQLDATA odpojeno;
    setSQLDATA(&odpojeno);
    const QImage img = m_view->JvDrawGrid1->grab().toImage();
    setSQLDATA(&db());
    EXPECT_TRUE(messages::takeShown().isEmpty());
    const QPoint inside(m_view->mrizka().sirkaSloupce() - 4, 4); // right of the date text
    EXPECT_EQ(pixel(img, QPoint(3, 3)), QColor(128, 128, 128));
    EXPECT_EQ(pixel(img, bunka(4).topLeft() + inside), QColor(194, 247, 252)); // today with an event
    EXPECT_EQ(pixel(img, bunka(1).topLeft() + inside), QColor(194, 247, 252)); // holiday with an event
    EXPECT_EQ(pixel(img, bunka(8).topLeft() + inside), QColor(250, 164, 122)); // holiday
    EXPECT_EQ(pixel(img, bunka(9).topLeft() + inside), QColor(Qt::white));

    m_clock.set(QDateTime(QDate(2004, 5, 12), QTime(9, 0)));
    const QImage dnes = m_view->JvDrawGrid1->grab().toImage();
    EXPECT_EQ(pixel(dnes, bunka(12).topLeft() + inside), QColor(252, 167, 131));

    // 6 May has three lines: two fit in 40 pixels, the bar shows the third.
    const auto bar = [&](const QRect& c) {
        const int x = c.left() + int(std::lround(m_view->mrizka().sirkaSloupce() / 2.0));
        return pixel(img, QPoint(x, c.top() + 40 - 3 - 3));
    };
    EXPECT_EQ(bar(bunka(6)), QColor(Qt::black));
    EXPECT_EQ(bar(bunka(1)), QColor(194, 247, 252));
    // Line colours: the category colour appears in the cell of 3 May (Porada, red).
    const QRect c3 = bunka(3);
    bool cervena = false;
    for (int y = c3.top() + 27; y < c3.top() + 40; ++y)
        for (int x = c3.left(); x < c3.right(); ++x)
            cervena = cervena || pixel(img, QPoint(x, y)) == QColor(255, 0, 0);
    EXPECT_TRUE(cervena);
}

TEST_F(MonthViewTest, HtmlExport)
{
    for (int i = 0; i < 5; ++i)
        m_view->SB_MINUS->click();
    ASSERT_EQ(m_view->mrizka().tydny(), 1);
    m_view->SB_NextWeek->click(); // anchor 8 May: the week of 3 May

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("mesic.html"));
    QStringList opened;
    shell::setOpener([&](const QUrl& u) {
        opened << u.toLocalFile();
        return true;
    });
    dialogs::startRecording();
    dialogs::queueFileName(file);
    m_view->SB_ExportDoHtml->click();
    EXPECT_EQ(dialogs::takeAsked(), QStringList{QStringLiteral("save|*.html|*.html|html")});

    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    // UTF-8 with its mark, which browsers go by.
    const QByteArray bytes = f.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(bytes.mid(3));
    const QStringList expected = {
        QStringLiteral("<META charset=\"utf-8\">"),
        QStringLiteral("<TABLE border=1>"),
        QStringLiteral(
            "<TR><TD>&nbsp;</TD><TD><b>Pondělí</b></TD><TD><b>Úterý</b></TD><TD><b>Středa</b></TD>"
            "<TD><b>Čtvrtek</b></TD><TD><b>Pátek</b></TD><TD><b>Sobota</b></TD><TD><b>Neděle</b></TD></TR>"),
        QStringLiteral("<TR>"),
        QStringLiteral("<TD VALIGN=\"TOP\"><b>19.&nbsp;týden</b></TD>"),
        QStringLiteral("<TD VALIGN=\"TOP\"><font color=\"#0000ff\"><b>3.5.2004</b></font><br>"),
        QStringLiteral("&nbsp;Celý&nbsp;den<br>"),
        QStringLiteral("<font color=\"#ff0000\">8:00&nbsp;Porada</font><br>"),
        QStringLiteral("<font color=\"#00c000\">9:30&nbsp;Oběd&nbsp;s&nbsp;klientem</font><br>"),
        QStringLiteral("</TD>"),
        QStringLiteral("<TD VALIGN=\"TOP\"><font color=\"#ff0000\"><b>4.5.2004</b></font><br>"),
        QStringLiteral("<font color=\"#ff0000\">7:15&nbsp;Tajné</font><br>"),
        QStringLiteral("7:20&nbsp;Veřejné<br>"), // no main category: no font element
        QStringLiteral("</TD>"),
        QStringLiteral("<TD VALIGN=\"TOP\"><font color=\"#0000ff\"><b>5.5.2004</b></font><br>"),
        QStringLiteral("<font color=\"#00c000\">12:00&nbsp;Schůzka,&nbsp;porada,&nbsp;oběd</font><br>"),
        QStringLiteral("</TD>"),
        QStringLiteral("<TD VALIGN=\"TOP\"><font color=\"#0000ff\"><b>6.5.2004</b></font><br>"),
        QStringLiteral("<font color=\"#00c000\">8:00&nbsp;A</font><br>"),
        QStringLiteral("<font color=\"#00c000\">9:00&nbsp;B</font><br>"),
        QStringLiteral("<font color=\"#00c000\">10:00&nbsp;C</font><br>"),
        QStringLiteral("</TD>"),
        QStringLiteral("<TD VALIGN=\"TOP\"><font color=\"#0000ff\"><b>7.5.2004</b></font><br>"),
        QStringLiteral("</TD>"),
        QStringLiteral("<TD VALIGN=\"TOP\"><font color=\"#008000\"><b>8.5.2004</b></font><br>"),
        QStringLiteral("</TD>"),
        QStringLiteral("<TD VALIGN=\"TOP\"><font color=\"#0000ff\"><b>9.5.2004</b></font><br>"),
        QStringLiteral("</TD>"),
        QStringLiteral("</TR>"),
        QStringLiteral("</TABLE>"),
    };
    EXPECT_EQ(text, expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    EXPECT_EQ(opened, QStringList{file});

    // Names are escaped; the week before holds 1 May with "Průvod <b>".
    m_view->SB_PrevWeek->click();
    const QStringList lines = HtmlMesice(m_view->mrizka(), m_view->data(), Dnes());
    EXPECT_TRUE(lines.contains(QStringLiteral("14:00&nbsp;Průvod&nbsp;&lt;b&gt;<br>")));

    // Cancel writes nothing and opens nothing.
    opened.clear();
    dialogs::queueFileName(QString());
    m_view->SB_ExportDoHtml->click();
    EXPECT_TRUE(opened.isEmpty());
    dialogs::stopRecording();
    shell::setOpener(nullptr);
}

TEST_F(MonthViewTest, HtmlExportFailureIsReportedAndNothingOpens)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("chybi/mesic.html"));
    QStringList opened;
    shell::setOpener([&](const QUrl& u) {
        opened << u.toLocalFile();
        return true;
    });
    dialogs::startRecording();
    dialogs::queueFileName(file);
    m_view->SB_ExportDoHtml->click();
    dialogs::stopRecording();
    shell::setOpener(nullptr);
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().contains(file)) << shown.first().toStdString();
    EXPECT_TRUE(opened.isEmpty());
}

// Any script the calendar holds goes into the file as it is.
TEST(UlozHtml, WritesUtf8WithItsMark)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("mesic.html"));
    QString chyba;
    EXPECT_TRUE(UlozHtml(file, {QStringLiteral("<TABLE border=1>"), QStringLiteral("Čtvrtek Жук 😀")}, chyba));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "\xEF\xBB\xBF" + QStringLiteral("<TABLE border=1>\r\nČtvrtek Жук 😀\r\n").toUtf8());
}

} // namespace
