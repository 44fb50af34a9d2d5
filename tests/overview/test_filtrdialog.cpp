#include "overview/ui/formstringgridfilter.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

TEST(FiltrDialog, PresetAndEnabling)
{
    TFormStringGridFilter d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Orvan - Filtr"));
    const QRadioButton* rb[] = {d.RB0, d.RB1, d.RB2, d.RB3, d.RB4, d.RB5, d.RB6, d.RB7, d.RB8};
    const char* captions[] = {
        "Vše - žádný filtr", "=", "<>", ">=", ">", "<", "<=", "Obsahuje", "Je v rozsahu"};
    for (int op = 0; op <= 8; ++op) {
        EXPECT_EQ(rb[op]->text(), QString::fromUtf8(captions[op]));
        EXPECT_EQ(d.findChild<QRadioButton*>(QStringLiteral("RB%1").arg(op)), rb[op]);
        d.NastavFiltr(op, QStringLiteral("1"), QStringLiteral("5"));
        EXPECT_EQ(d.VratOperator(), op);
        EXPECT_EQ(d.CB_1->isEnabled(), op >= 1) << op;
        EXPECT_EQ(d.CB_2->isEnabled(), op == 8) << op;
        // Without a filter both values are emptied.
        EXPECT_EQ(d.CB_1->text(), op == 0 ? QString() : QStringLiteral("1")) << op;
        EXPECT_EQ(d.CB_2->text(), op == 0 ? QString() : QStringLiteral("5")) << op;
    }

    // Clicking a narrower operator disables the second value but keeps its text.
    d.show();
    QTest::mouseClick(d.RB1, Qt::LeftButton, {}, QPoint(5, d.RB1->height() / 2));
    EXPECT_EQ(d.VratOperator(), 1);
    EXPECT_FALSE(d.CB_2->isEnabled());
    EXPECT_EQ(d.CB_2->text(), QStringLiteral("5"));
}

TEST(FiltrDialog, OnlyOkAccepts)
{
    TFormStringGridFilter d;
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_TRUE(d.Prijato()); // showing sets it
    // Neither Escape nor Enter closes the window.
    QTest::keyClick(d.CB_1, Qt::Key_Escape);
    QTest::keyClick(d.CB_1, Qt::Key_Return);
    EXPECT_TRUE(d.isVisible());

    d.close(); // the title bar's close box
    EXPECT_FALSE(d.isVisible());
    EXPECT_FALSE(d.Prijato());

    d.show();
    d.Button_Cancel->click();
    EXPECT_FALSE(d.Prijato());
    d.show();
    d.Button_OK->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(d.Prijato());
}

} // namespace
