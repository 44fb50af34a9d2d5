#include "common/ui/ktcombobox.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace
{

TEST(KeyedComboBox, IdsTravelWithTheirEntries)
{
    TKTComboBox cb;
    EXPECT_EQ(cb.VratZvoleneID(), 0) << "an empty box answers 0, no index error";
    cb.Pridej(7, QStringLiteral("Octavia"));
    cb.Pridej(3, QStringLiteral("Fabia"));
    cb.Pridej(0, QStringLiteral("Žádné"));
    EXPECT_EQ(cb.currentText(), QStringLiteral("Octavia")) << "the first entry shows, not the last";
    EXPECT_EQ(cb.VratZvoleneID(), 7);
    EXPECT_EQ(cb.VratID(1), 3);
    EXPECT_EQ(cb.VratID(2), 0);
    EXPECT_EQ(cb.VratID(9), 0);
    // Sorting the model moves the ids with the texts.
    cb.model()->sort(0);
    for (int i = 0; i < cb.count(); ++i)
        EXPECT_EQ(cb.VratID(i), cb.itemText(i) == QStringLiteral("Octavia") ? 7
                                : cb.itemText(i) == QStringLiteral("Fabia") ? 3
                                                                            : 0);
    ASSERT_TRUE(cb.VyberID(3));
    EXPECT_EQ(cb.VratZvolenyItems(), QStringLiteral("Fabia"));
    EXPECT_FALSE(cb.VyberID(42));
    EXPECT_EQ(cb.VratZvoleneID(), 3);

    cb.KTCLEAR();
    EXPECT_EQ(cb.VratZvoleneID(), 0);
    cb.Pridej(5, QStringLiteral("Superb"));
    EXPECT_EQ(cb.currentIndex(), 0);
    EXPECT_EQ(cb.VratZvoleneID(), 5);
}

// In an editable box the id always belongs to the text shown, and adding
// entries keeps what the user typed.
TEST(KeyedComboBox, TypedTextHasNoForeignId)
{
    TKTComboBox cb;
    cb.setEditable(true);
    cb.Pridej(1, QStringLiteral("Obchodní jednání"));
    cb.Pridej(2, QStringLiteral("Servis"));
    cb.lineEdit()->setText(QStringLiteral("Školení"));
    EXPECT_EQ(cb.VratZvoleneID(), 0);
    cb.Pridej(3, QStringLiteral("Školení, Brno"));
    EXPECT_EQ(cb.VratZvolenyItems(), QStringLiteral("Školení"));
    cb.lineEdit()->setText(QStringLiteral("Servis"));
    EXPECT_EQ(cb.VratZvoleneID(), 2);
}

TEST(KeyedListBox, SelectedIdOrZero)
{
    TKTListBox lb;
    EXPECT_EQ(lb.VratZvoleneID(), 0);
    lb.Pridej(11, QStringLiteral("Alfa"));
    lb.Pridej(12, QStringLiteral("Beta"));
    EXPECT_EQ(lb.VratZvoleneID(), 0) << "nothing selected";
    ASSERT_TRUE(lb.VyberID(12));
    EXPECT_EQ(lb.VratZvoleneID(), 12);
    EXPECT_EQ(lb.VratID(0), 11);
    lb.KTCLEAR();
    lb.Pridej(4, QStringLiteral("Gama"));
    EXPECT_EQ(lb.VratID(0), 4);
    EXPECT_EQ(lb.count(), 1);
}

} // namespace
