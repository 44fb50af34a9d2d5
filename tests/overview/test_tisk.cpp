#include "common/action.h"
#include "common/messages.h"
#include "common/ui/dialogs.h"
#include "fixtures/hostile.h"
#include "overview/gridmodel.h"
#include "overview/ktpreviewprint.h"
#include "overview/ui/form_previewprint.h"
#include "pagetext.h"

#include <QComboBox>
#include <QFile>
#include <QGlyphRun>
#include <QLabel>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QToolButton>
#include <gtest/gtest.h>

namespace
{

double width(const TPreviewDocument& doc, int size, const QString& text)
{
    return SirkaTextu(doc, tisk::pismo(size, 0), text);
}

TEST(KTPreviewPrint, PiecesStayOnTheLineOnlyWithTopMinusOne)
{
    TPreviewDocument doc;
    TKTPreviewPrint tisk(doc);
    tisk.Zacni();
    doc.Zacni();
    tisk.TiskTextu(-1, 50, 0, 0, 0, 14, QStringLiteral("Datum"));
    tisk.TiskTextu(-1, 0, 0, 0, 0, 14, QStringLiteral(" km"));
    tisk.TiskTextu(0, 0, 0, 0, 0, 14, QStringLiteral(" Účel"));
    // The x cursor continues on the next line; only a non-zero left resets it.
    tisk.TiskTextu(0, 0, 0, 0, 0, 14, QStringLiteral("dál"));
    tisk.TiskTextu(0, 50, 5, 0, 0, 14, QStringLiteral("12"));
    doc.Konec();

    const auto lines = PageText(doc.Strana(1)).lines();
    ASSERT_EQ(lines.size(), 3);
    ASSERT_EQ(PageText::words(lines[0]), (QStringList{"Datum", " km", " Účel"}));
    const double w1 = width(doc, 14, QStringLiteral("Datum")), w2 = width(doc, 14, QStringLiteral(" km"));
    const double w3 = width(doc, 14, QStringLiteral(" Účel"));
    EXPECT_NEAR(lines[0][0].x, 50, 1);
    EXPECT_NEAR(lines[0][1].x, 50 + w1, 1.5);
    EXPECT_NEAR(lines[0][2].x, 50 + w1 + w2, 2);
    EXPECT_NEAR(lines[1][0].x, 50 + w1 + w2 + w3, 2.5);
    // Field width 5 right-aligns "12" by the width of "000".
    EXPECT_NEAR(lines[2][0].x, 50 + width(doc, 14, QStringLiteral("000")), 1);
    const int lineHeight = tisk::vyskaPisma(14) + 5;
    EXPECT_NEAR(lines[1][0].baseline - lines[0][0].baseline, lineHeight, 0.5);
    EXPECT_NEAR(lines[2][0].baseline - lines[1][0].baseline, lineHeight, 0.5);
}

TEST(KTPreviewPrint, EveryPageStartsWithTheRunningLine)
{
    TPreviewDocument doc;
    TKTPreviewPrint tisk(doc);
    tisk.Zacni();
    tisk.NastavZahlavi(1, 1, 2, 0x808080, 12, QStringLiteral("Vytištěno programem Orvan"));
    doc.Zacni();
    tisk.TiskZahlavi();
    for (int i = 1; i <= 200; ++i)
        tisk.TiskTextu(0, 1, 0, 0, 0, 14, QStringLiteral("Jízda %1").arg(i));
    doc.Konec();

    const int perPage = (tisk::kSpodniMez - (tisk::vyskaPisma(12) + 5 + 1)) / (tisk::vyskaPisma(14) + 5);
    ASSERT_EQ(doc.PocetStran(), (200 + perPage - 1) / perPage);
    int next = 1;
    for (int page = 1; page <= doc.PocetStran(); ++page) {
        const auto lines = PageText(doc.Strana(page)).lines();
        ASSERT_GE(lines.size(), 2) << page;
        EXPECT_EQ(lines[0][0].text, QStringLiteral("Vytištěno programem Orvan")) << page;
        for (int l = 1; l < lines.size(); ++l)
            EXPECT_EQ(lines[l][0].text, QStringLiteral("Jízda %1").arg(next++)) << page;
        // No line reaches below the last allowed bottom.
        EXPECT_LE(lines.last()[0].baseline, tisk::kSpodniMez);
    }
    EXPECT_EQ(next, 201);
}

// A small grid without a database.
struct Mrizka : GridText {
    QList<QStringList> rows;
    int gridRowCount() const override { return int(rows.size()); }
    int gridColumnCount() const override { return rows.isEmpty() ? 0 : int(rows[0].size()); }
    QString cellText(int c, int r) const override { return rows[r].value(c); }
};

class Preview : public ::testing::Test
{
protected:
    void SetUp() override
    {
        messages::takeShown();
        dialogs::startRecording();
        m_grid.rows << QStringList{"Název", "Km"};
        for (int i = 1; i <= 200; ++i)
            m_grid.rows << QStringList{QStringLiteral("Řádek %1").arg(i), QString::number(i)};
    }
    void TearDown() override { dialogs::stopRecording(); }

    Mrizka m_grid;
};

TEST_F(Preview, PagesCanBeTurnedPrintedAndSavedAsPdf)
{
    TiskMrizky(nullptr, m_grid, {120, 64}, 8, QStringLiteral("Orvan"), QStringLiteral(" +"));
    TForm_PreviewPrint* w = TForm_PreviewPrint::Instance();
    ASSERT_TRUE(w->isVisible());
    const int pages = w->Dokument().PocetStran();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(w->Label3->text(), QStringLiteral("Strana 1 z %1").arg(pages));
    EXPECT_FALSE(w->SB_Prev->isEnabled());
    w->SB_Next->click();
    EXPECT_EQ(w->Label3->text(), QStringLiteral("Strana 2 z %1").arg(pages));
    w->SB_Prev->click();
    EXPECT_EQ(w->Dokument().AktualniStrana(), 1);

    w->ComboBox1->setCurrentIndex(1); // "%100": the page at its real size
    EXPECT_NEAR(w->Meritko() * tisk::kSirkaPapiru, 210 / 25.4 * w->logicalDpiX(), 1);

    if (QPrinterInfo::availablePrinters().isEmpty()) {
        w->SpeedButton1->click();
        EXPECT_EQ(messages::takeShown(),
                  QStringList{QStringLiteral("Není nainstalována žádná tiskárna, strany nelze vytisknout.\n"
                                             "Strany můžete uložit do souboru PDF.")});
    }

    QTemporaryDir dir;
    dialogs::queueFileName(dir.filePath(QStringLiteral("seznam.pdf")));
    w->SB_PDF->click();
    EXPECT_TRUE(messages::takeShown().isEmpty());
    QFile pdf(dir.filePath(QStringLiteral("seznam.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))),
              pages);

    // A folder that does not exist cannot take the file: the user is told.
    dialogs::queueFileName(dir.filePath(QStringLiteral("chybi/seznam.pdf")));
    w->SB_PDF->click();
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains(QStringLiteral("nelze vytvořit"))) << shown[0].toStdString();
    delete w; // the next user of the preview gets its own
}

TEST_F(Preview, TotalsOfANonIntegerColumnStopTheLayout)
{
    m_grid.rows[7][1] = QString(); // an empty cell is not a number either
    TPreviewDocument doc;
    EXPECT_THROW(RozvrhniMrizku(doc, m_grid, {120, 64}, 8, QStringLiteral("Orvan"), QStringLiteral(" +")),
                 ActionError);
    EXPECT_EQ(doc.PocetStran(), 0);
    EXPECT_FALSE(doc.Otevreny());
}

} // namespace

namespace
{

// Glyph 0 is a font's "missing character" box.
QStringList missingGlyphs(const QFont& font, const QString& text)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList out;
    for (const QGlyphRun& run : layout.glyphRuns())
        for (quint32 g : run.glyphIndexes())
            if (g == 0) out << run.rawFont().familyName();
    return out;
}

} // namespace

// The fonts the print uses (with the system's fallback) have a glyph for
// every character of every name of the world, bold too, and the PDF carries them.
TEST_F(Preview, EveryScriptPrintsWithItsGlyphs)
{
    for (const QString& name : worldNames())
        for (int styl : {0, 1})
            EXPECT_EQ(missingGlyphs(tisk::pismo(10, styl), name), QStringList()) << name.toStdString();

    m_grid.rows.clear();
    for (const QString& name : worldNames())
        m_grid.rows << QStringList{name, QStringLiteral("1")};
    TiskMrizky(nullptr, m_grid, {120, 64}, 8, QStringLiteral("Orvan"), QStringLiteral(" +"));
    TForm_PreviewPrint* w = TForm_PreviewPrint::Instance();
    QTemporaryDir dir;
    dialogs::queueFileName(dir.filePath(QStringLiteral("jmena.pdf")));
    w->SB_PDF->click();
    EXPECT_TRUE(messages::takeShown().isEmpty());
    QFile pdf(dir.filePath(QStringLiteral("jmena.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.contains("FontFile2")) << "fonts embedded";
    EXPECT_TRUE(bytes.contains("Symbola")) << "the emoji's font";
    delete w;
}
