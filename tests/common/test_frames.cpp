#include "common/ui/dialogs.h"
#include "common/ui/frame_richedit.h"
#include "common/ui/framecheckbox.h"
#include "common/ui/shell.h"
#include "fixtures/testdb.h"

#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>

namespace
{

class FrameCheckBox : public DbTest
{
protected:
    static QList<bool> stav(const TFrameCheckBox& f)
    {
        QList<bool> out;
        for (int i = 0; i < f.Pocet(); ++i)
            out << f.Zaskrtnuto(i);
        return out;
    }
};

TEST_F(FrameCheckBox, LoadsCheckedFromValueAndButtonsSetTheFlag)
{
    TFrameCheckBox f;
    f.show();
    EXPECT_EQ(f.SB_OznacVse->toolTip(), QStringLiteral("Označ vše"));
    EXPECT_EQ(f.SB_OdoznacVse->toolTip(), QStringLiteral("Odoznač vše"));
    EXPECT_EQ(f.SB_ObratOznaceni->toolTip(), QStringLiteral("Obrať označení"));

    const QString sql = QStringLiteral(
        "select 7 as ID, \"Vedení\" as POPIS, cast(\"12\" as varchar(10)) as HODNOTA from rdb$database "
        "union all select 8, \"Obchod\", cast(\"0\" as varchar(10)) from rdb$database "
        "union all select 9, \"Sklad\", cast(null as varchar(10)) from rdb$database "
        "union all select 10, \"Účetní\", cast(\"x\" as varchar(10)) from rdb$database");
    f.NactiSeznam(sql);
    ASSERT_EQ(f.Pocet(), 4);
    EXPECT_EQ(f.JvCheckListBox1->item(3)->text(), QStringLiteral("Účetní"));
    EXPECT_EQ(f.SeznamID(), (QStringList{"7", "8", "9", "10"}));
    EXPECT_EQ(stav(f), (QList<bool>{true, false, false, true}));
    EXPECT_FALSE(f.Zmeneno());

    // checked, unchecked, checked -> the opposite
    f.setZaskrtnuto(3, false);
    f.setZaskrtnuto(2, true);
    EXPECT_FALSE(f.Zmeneno());
    QTest::mouseClick(f.SB_ObratOznaceni, Qt::LeftButton);
    EXPECT_EQ(stav(f), (QList<bool>{false, true, false, true}));
    EXPECT_TRUE(f.Zmeneno());

    const std::pair<QToolButton*, QList<bool>> buttons[] = {{f.SB_OznacVse, {true, true, true, true}},
                                                            {f.SB_OdoznacVse, {false, false, false, false}}};
    for (const auto& [button, expected] : buttons) {
        f.NactiSeznam(sql);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(stav(f), expected);
        EXPECT_TRUE(f.Zmeneno());
    }

    // A click in the list counts too; loading clears the flag.
    f.NactiSeznam(sql);
    EXPECT_FALSE(f.Zmeneno());
    QListWidget* list = f.JvCheckListBox1;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_TRUE(f.Zmeneno());
    EXPECT_EQ(f.ID(1), 8);
}

class FrameRichedit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialogs::startRecording();
        m_frame.resize(500, 300);
        m_frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_frame));
    }
    void TearDown() override
    {
        dialogs::stopRecording();
        shell::setOpener(nullptr);
    }

    QTextEdit* edit() { return m_frame.JvxRichEdit1; }
    QFont fontAt(int pos)
    {
        QTextCursor c(edit()->document());
        c.setPosition(pos);
        c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        return c.charFormat().font();
    }

    TFrame_Richedit m_frame;
};

TEST_F(FrameRichedit, FontGoesToSelectionOrWholeText)
{
    EXPECT_EQ(m_frame.SB_PRINT->toolTip(), QStringLiteral("Tiskne"));
    EXPECT_EQ(m_frame.SpeedButton1->toolTip(),
              QStringLiteral(
                  "Změní typ fontu. (Pokud je nějaký text označen mění jen tento, jinak mění celý text)"));
    edit()->setPlainText(QStringLiteral("první druhý"));
    QFont big(QStringLiteral("Serif"), 20, QFont::Bold);

    // Cancelled: nothing changes.
    QTest::mouseClick(m_frame.SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(dialogs::takeAsked(), QStringList{"font"});
    EXPECT_NE(fontAt(0).pointSize(), 20);

    // A selection: only the selection.
    QTextCursor c(edit()->document());
    c.setPosition(6);
    c.setPosition(11, QTextCursor::KeepAnchor);
    edit()->setTextCursor(c);
    dialogs::queueFont(big);
    QTest::mouseClick(m_frame.SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(fontAt(7).pointSize(), 20);
    EXPECT_TRUE(fontAt(7).bold());
    EXPECT_NE(fontAt(1).pointSize(), 20);

    // No selection: the whole text.
    c.clearSelection();
    edit()->setTextCursor(c);
    dialogs::queueFont(QFont(QStringLiteral("Monospace"), 9));
    QTest::mouseClick(m_frame.SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(fontAt(1).pointSize(), 9);
    EXPECT_EQ(fontAt(8).pointSize(), 9);
}

TEST_F(FrameRichedit, PrintsOnlyWhenConfirmed)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("note.pdf"));
    edit()->setPlainText(QStringLiteral("Poznámka k tisku"));
    QTest::mouseClick(m_frame.SB_PRINT, Qt::LeftButton);
    EXPECT_FALSE(QFileInfo::exists(pdf));
    dialogs::queuePrintFile(pdf);
    QTest::mouseClick(m_frame.SB_PRINT, Qt::LeftButton);
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    EXPECT_EQ(dialogs::takeAsked(), (QStringList{"print", "print"}));
}

TEST_F(FrameRichedit, ClickOnWebAddressOpensIt)
{
    QList<QUrl> opened;
    shell::setOpener([&](const QUrl& u) {
        opened << u;
        return true;
    });
    edit()->setPlainText(QStringLiteral("Viz www.orvan.cz, jinak https://example.org/a?b=1 nic"));
    auto clickAt = [&](int pos) {
        QTextCursor c(edit()->document());
        c.setPosition(pos);
        QTest::mouseClick(edit()->viewport(), Qt::LeftButton, {},
                          edit()->cursorRect(c).center() + QPoint(2, 0));
    };
    clickAt(1);
    EXPECT_TRUE(opened.isEmpty());
    clickAt(6);
    clickAt(27);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://www.orvan.cz")));
    EXPECT_EQ(opened[1], QUrl(QStringLiteral("https://example.org/a?b=1")));
    // The recognised address is not stored as formatting.
    EXPECT_FALSE(edit()->toHtml().contains(QLatin1String("underline")));
}

} // namespace
