#include "common/clock.h"
#include "common/messages.h"
#include "common/polepickeru.h"
#include "common/ui/formkteditdat.h"
#include "common/ui/kteditdc.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace
{

struct MaskCase {
    int typ;
    const char* mask;
};

TEST(KtEditLogic, KindsGiveMasksAndLengths)
{
    const MaskCase cases[] = {{0, ""},
                              {1, "DD.MM.RRRR hh:mm:ss"},
                              {2, "DD.MM.RRRR hh:mm"},
                              {3, "DD.MM.RRRR"},
                              {4, "hh:mm:ss"},
                              {5, "hh:mm"},
                              {6, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(MaskaKTEDITDC(c.typ), QLatin1String(c.mask)) << c.typ;
        TKTEDITDC edit(nullptr, c.typ);
        const int len = int(qstrlen(c.mask));
        EXPECT_EQ(edit.maxLength(), len ? len : 32767) << c.typ;
        EXPECT_EQ(edit.button()->isVisibleTo(&edit), len > 0) << c.typ;
    }
}

struct PadCase {
    int typ;
    const char* text;
    const char* working; // after NastavVnitrky
    PolePickeru fields;  // after NastavVnitrky
    const char* result;  // VratVysledek
};

TEST(KtEditLogic, PaddingAndResults)
{
    const PadCase cases[] = {
        {3, "5.3.2004", "05.03.2004", {"05", "03", "2004", "", "", ""}, "05.03.2004"},
        {3, "15.11.2004", "15.11.2004", {"15", "11", "2004", "", "", ""}, "15.11.2004"},
        {4, "", "00:00:00", {"", "", "", "00", "00", "00"}, "00:00:00"},
        {4, "9:5:7", "09:05:7", {"", "", "", "09", "05", "7"}, "09:05:07"},
        {5, "9:05", "09:05", {"", "", "", "09", "05", ""}, "09:05"},
        {1,
         "1.12.2004 8:00:00",
         "01.12.2004 08:00:00",
         {"01", "12", "2004", "08", "00", "00"},
         "01.12.2004 08:00:00"},
        {2, "", "00.00.0000 00:00", {"00", "00", "0000", "00", "00", ""}, "00.00.0000 00:00"},
        // Values outside the calendar pass through.
        {4, "24:60:100", "24:60:100", {"", "", "", "24", "60", "10"}, "24:60:10"},
    };
    for (const auto& c : cases) {
        const QString mask = MaskaKTEDITDC(c.typ);
        PolePickeru p;
        EXPECT_EQ(NastavVnitrky(mask, QLatin1String(c.text), p), QLatin1String(c.working)) << c.text;
        EXPECT_EQ(p, c.fields) << c.text;
        EXPECT_EQ(VratVysledek(mask, p), QLatin1String(c.result)) << c.text;
    }
    // The result pads the fields themselves, not the year.
    PolePickeru p{"1", "2", "4", "3", "4", "5"};
    EXPECT_EQ(VratVysledek(MaskaKTEDITDC(1), p), QStringLiteral("01.02.4 03:04:05"));
    EXPECT_EQ(p, (PolePickeru{"01", "02", "4", "03", "04", "05"}));
}

class Picker : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::setCurrent(&m_clock);
        messages::takeShown();
    }
    void TearDown() override { Clock::setCurrent(nullptr); }

    QPushButton* button(TFORMKTEDITDAT& f, const char* name)
    {
        auto* b = f.findChild<QPushButton*>(QLatin1String(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }

    TestClock m_clock{QDateTime(QDate(2004, 5, 1), QTime(8, 5, 3))};
};

TEST_F(Picker, DateTextOpensOnItsDay)
{
    TFORMKTEDITDAT f;
    f.Otevri(QStringLiteral("5.3.2004"), 3);
    f.show();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("FORMKTEDITDAT"));
    EXPECT_EQ(f.Edit_DEN->text(), QStringLiteral("05"));
    EXPECT_EQ(f.Edit_MESIC->text(), QStringLiteral("03"));
    EXPECT_EQ(f.Edit_ROK->text(), QStringLiteral("2004"));
    EXPECT_EQ(f.MonthCalendar1->selectedDate(), QDate(2004, 3, 5));
    EXPECT_TRUE(f.GroupBox_DATUM->isVisible());
    for (QWidget* w : {static_cast<QWidget*>(f.GroupBox_HODINY), static_cast<QWidget*>(f.GroupBox_MINUTY),
                       static_cast<QWidget*>(f.GroupBox_SEKUNDY), static_cast<QWidget*>(f.GroupBox_AKT_CAS)})
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(f.Label_DATUM->text(), QStringLiteral("05.03.2004"));

    // A double click on the calendar takes its day.
    emit f.MonthCalendar1->activated(QDate(2004, 12, 24));
    EXPECT_EQ(f.Edit_DEN->text(), QStringLiteral("24"));
    EXPECT_EQ(f.Edit_MESIC->text(), QStringLiteral("12"));
    QTest::mouseClick(f.BitBtn_OK, Qt::LeftButton);
    EXPECT_EQ(f.Odpoved(), QStringLiteral("24.12.2004"));
    EXPECT_EQ(f.result(), QDialog::Accepted);
}

// A single click on a day highlights it, and OK returns that day with the time kept.
TEST_F(Picker, SingleClickedDayIsTheAnswer)
{
    TFORMKTEDITDAT f;
    f.Otevri(QStringLiteral("5.3.2004 14:30:00"), 1);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    auto* view = f.MonthCalendar1->findChild<QTableView*>();
    ASSERT_NE(view, nullptr);
    QModelIndex day17;
    for (int r = 0; r < view->model()->rowCount() && !day17.isValid(); ++r)
        for (int c = 0; c < view->model()->columnCount(); ++c) {
            const QModelIndex i = view->model()->index(r, c);
            if (i.data().toString() == QLatin1String("17")) {
                day17 = i;
                break;
            }
        }
    ASSERT_TRUE(day17.isValid());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(day17).center());
    ASSERT_EQ(f.MonthCalendar1->selectedDate(), QDate(2004, 3, 17));
    EXPECT_EQ(f.Edit_DEN->text(), QStringLiteral("17"));
    QTest::mouseClick(f.BitBtn_OK, Qt::LeftButton);
    EXPECT_EQ(f.Odpoved(), QStringLiteral("17.03.2004 14:30:00"));
}

TEST_F(Picker, EmptyTimeStartsAtZeroWithoutDate)
{
    TFORMKTEDITDAT f;
    f.Otevri(QString(), 4);
    f.show();
    EXPECT_EQ(f.Odpoved(), QStringLiteral("00:00:00"));
    EXPECT_EQ(f.Edit_HODINY->text(), QStringLiteral("00"));
    EXPECT_EQ(f.EDIT_MINUTY->text(), QStringLiteral("00"));
    EXPECT_EQ(f.Edit_SEKUNDY->text(), QStringLiteral("00"));
    EXPECT_FALSE(f.GroupBox_DATUM->isVisible());
    EXPECT_TRUE(f.GroupBox_AKT_CAS->isVisible());
    // Without the date the groups start at the left edge, 4 pixels apart.
    const QPoint h = f.GroupBox_HODINY->mapTo(&f, QPoint(0, 0));
    const QPoint m = f.GroupBox_MINUTY->mapTo(&f, QPoint(0, 0));
    const QPoint s = f.GroupBox_SEKUNDY->mapTo(&f, QPoint(0, 0));
    EXPECT_EQ(h.x(), 8);
    EXPECT_EQ(m.x(), h.x() + f.GroupBox_HODINY->width() + 4);
    EXPECT_EQ(s.x(), m.x() + f.GroupBox_MINUTY->width() + 4);

    QTest::mouseClick(button(f, "Button_H14"), Qt::LeftButton);
    QTest::mouseClick(button(f, "Button_M23"), Qt::LeftButton);
    EXPECT_EQ(f.EDIT_MINUTY->text(), QStringLiteral("23"));
    QTest::mouseClick(button(f, "Button_M30"), Qt::LeftButton);
    QTest::mouseClick(button(f, "Button_S55"), Qt::LeftButton);
    QTest::mouseClick(button(f, "Button_S00"), Qt::LeftButton);
    QTest::mouseClick(f.BitBtn_OK, Qt::LeftButton);
    EXPECT_EQ(f.Odpoved(), QStringLiteral("14:30:00"));
}

TEST_F(Picker, TypedDigitIsPaddedWithinATenth)
{
    TFORMKTEDITDAT f;
    f.Otevri(QStringLiteral("10:20:30"), 4);
    f.show();
    f.Edit_HODINY->clear();
    QTest::keyClicks(f.Edit_HODINY, QStringLiteral("7"));
    EXPECT_EQ(f.Edit_HODINY->text(), QStringLiteral("7"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.Edit_HODINY->text() == QLatin1String("07"); }, 5000));
    EXPECT_EQ(f.Label_DATUM->text(), QStringLiteral("07:20:30"));
    EXPECT_EQ(f.Label_AKTUAL_CAS->text(), QStringLiteral("8:05:03"));

    // The day and hour arrows pad as well.
    f.Edit_HODINY->setText(QStringLiteral("5"));
    QTest::mouseClick(f.UpDown_HODINY->up(), Qt::LeftButton);
    EXPECT_EQ(f.Edit_HODINY->text(), QStringLiteral("06"));
}

TEST_F(Picker, CurrentTimeDoubleClickKeepsTheDate)
{
    TFORMKTEDITDAT f;
    f.Otevri(QStringLiteral("24.12.2004 23:59:59"), 1);
    f.show();
    QTest::mouseDClick(f.Label_AKTUAL_CAS, Qt::LeftButton);
    EXPECT_EQ(f.Odpoved(), QStringLiteral("24.12.2004 08:05:03"));
    EXPECT_EQ(f.Edit_HODINY->text(), QStringLiteral("08"));
    EXPECT_EQ(f.Edit_DEN->text(), QStringLiteral("24"));

    TFORMKTEDITDAT t;
    t.Otevri(QString(), 4);
    QTest::mouseDClick(t.Label_AKTUAL_CAS, Qt::LeftButton);
    EXPECT_EQ(t.VRAT_VYSLEDEK(), QStringLiteral("08:05:03"));
}

// Closes the picker that the edit's button opens, the way the test wants.
void zavriPicker(std::function<void(TFORMKTEDITDAT*)> how)
{
    QTimer::singleShot(0, [how] {
        auto* f = qobject_cast<TFORMKTEDITDAT*>(QApplication::activeModalWidget());
        ASSERT_NE(f, nullptr);
        how(f);
    });
}

TEST_F(Picker, EditButtonTakesTheAnswer)
{
    TKTEDITDC edit(nullptr, 3);
    edit.show();
    // Storno leaves an empty edit empty.
    zavriPicker([](TFORMKTEDITDAT* f) { QTest::mouseClick(f->BitBtn_STORNO, Qt::LeftButton); });
    QTest::mouseClick(edit.button(), Qt::LeftButton);
    EXPECT_EQ(edit.text(), QString());
    // The title bar's close button leaves today's date.
    zavriPicker([](TFORMKTEDITDAT* f) { f->close(); });
    QTest::mouseClick(edit.button(), Qt::LeftButton);
    EXPECT_EQ(edit.text(), QStringLiteral("01.05.2004"));
    // OK of a padded date.
    edit.setText(QStringLiteral("5.3.2004"));
    zavriPicker([](TFORMKTEDITDAT* f) { QTest::mouseClick(f->BitBtn_OK, Qt::LeftButton); });
    QTest::mouseClick(edit.button(), Qt::LeftButton);
    EXPECT_EQ(edit.text(), QStringLiteral("05.03.2004"));
    EXPECT_TRUE(messages::takeShown().isEmpty());

    // A read-only edit opens nothing.
    edit.setReadOnly(true);
    bool opened = false;
    QTimer::singleShot(0, [&opened] {
        if (auto* f = qobject_cast<TFORMKTEDITDAT*>(QApplication::activeModalWidget())) {
            opened = true;
            f->close();
        }
    });
    QTest::mouseClick(edit.button(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_FALSE(opened);
    EXPECT_EQ(edit.text(), QStringLiteral("05.03.2004"));
    edit.setReadOnly(false);

    // A text that is no date: the error of the conversion, no picker.
    edit.setText(QStringLiteral("abc"));
    QTest::mouseClick(edit.button(), Qt::LeftButton);
    EXPECT_EQ(messages::takeShown().size(), 1);
    EXPECT_EQ(edit.text(), QStringLiteral("abc"));
}

} // namespace
