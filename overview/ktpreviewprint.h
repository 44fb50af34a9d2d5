#pragma once

#include "gridquery.h"

#include <QFont>
#include <QObject>
#include <QPicture>
#include <memory>
#include <vector>

class GridText;
class QPagedPaintDevice;
class QPainter;

// Page geometry of printed lists: units of 0.1 mm on A4 portrait, origin at the
// top left corner of the paper, y downward.
namespace tisk
{

constexpr int kSirkaPapiru = 2100;
constexpr int kVyskaPapiru = 2970;
constexpr int kOkraj = 60;

// Edges in page units; right and bottom are exclusive, as the layouts count them.
struct Obdelnik {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The page rectangle the layouts receive: the paper less the margins.
constexpr Obdelnik kStrana{kOkraj, kOkraj, kSirkaPapiru - kOkraj, kVyskaPapiru - kOkraj};
// Where the first line of a page starts, and the lowest bottom a line may reach.
constexpr int kPrvniRadek = kStrana.top - 60;
constexpr int kSpodniMez = kStrana.bottom - 60;

// Character height in page units of a font of `velikost` points: the size
// times the screen's pixels per inch / 72 (27 for size 20 on a 96 ppi screen).
int vyskaPisma(int velikost);
// Style bits: 1 bold, 2 italic, 4 underline, 8 strike-out.
QFont pismo(int velikost, int styl);

} // namespace tisk

// The pages of one printed document, each recorded once as a drawing in page
// units and replayed for the preview, the printer and PDF files.
class TPreviewDocument : public QObject
{
    Q_OBJECT

public:
    explicit TPreviewDocument(QObject* parent = nullptr);
    ~TPreviewDocument() override;

    // Drops every page and opens page 1; ignored while a document is open.
    void Zacni();
    // Finishes the open page and opens the next.
    void NovaStrana();
    // Finishes the open page; the first page becomes the current one.
    void Konec();

    bool Otevreny() const { return m_painter != nullptr; }
    int PocetStran() const { return int(m_pages.size()); }
    // 1-based; 0 when there is no page.
    int AktualniStrana() const { return m_current; }
    void JdiNaStranu(int strana);
    const QPicture& Strana(int strana) const { return *m_pages.at(size_t(strana - 1)); }

    // The painter of the open page; nullptr when no page is open.
    QPainter* painter() const { return m_painter.get(); }
    // Measures text as the pages record it.
    const QPaintDevice* mericiZarizeni() const { return &m_metrics; }

    // Draws pages od..po (1-based) on a paged device whose painter is active,
    // each scaled to the device's page.
    void Vykresli(QPainter& painter, QPagedPaintDevice& device, int od, int po) const;
    // Writes every page to a PDF file. Throws ActionError when it cannot be written.
    void UlozPdf(const QString& soubor) const;

signals:
    void zmeneno();

private:
    void ukonciStranu();
    void otevriStranu();

    std::vector<std::unique_ptr<QPicture>> m_pages;
    std::unique_ptr<QPainter> m_painter;
    QPicture m_metrics;
    int m_current = 0;
};

// Replays a page with `jednotka` device pixels per page unit. A picture replays
// scaled by the device's resolution against its own; that is undone here.
void PrehrajStranu(QPainter& painter, const QPicture& strana, double jednotka);

// Draws a text piece the way the layouts do: the rectangle is filled white
// (covering what an earlier piece left in it), the text starts at x on the
// rectangle's top and is clipped to it.
void KresliText(TPreviewDocument& doc, const QFont& font, ColourValue barva, double x,
                const tisk::Obdelnik& r, const QString& text);
double SirkaTextu(const TPreviewDocument& doc, const QFont& font, const QString& text);

// The line-by-line layout engine: pieces of text with positions, field widths,
// styles and a running line repeated at the top of every page. The caller
// begins and ends the document and shows the preview.
class TKTPreviewPrint
{
public:
    explicit TKTPreviewPrint(TPreviewDocument& doc);

    void Zacni();
    void NastavZahlavi(int top, int left, int styl, ColourValue barva, int velikost, const QString& text);
    void TiskZahlavi();
    // top > 0 places the line there, 0 continues on the current line and then
    // moves down, -1 stays on the current line. left != 0 sets the x cursor.
    // sirkaPole: right-aligns the text in a field of that many "0" widths.
    void TiskTextu(int top, int left, int sirkaPole, int styl, ColourValue barva, int velikost,
                   const QString& text);
    void KontrolaStrany();

    int Odsazeni = 0; // extra x offset of every text
    const tisk::Obdelnik& Radek() const { return m_radek; }

private:
    QFont font() const { return tisk::pismo(m_velikost, m_styl); }

    TPreviewDocument& m_doc;
    tisk::Obdelnik m_radek;
    bool m_maZahlavi = false;
    struct {
        int top = 0, left = 0, styl = 0;
        ColourValue barva = 0;
        int velikost = 0;
        QString text;
    } m_zahlavi;
    int m_velikost = 10;
    int m_styl = 0;
    ColourValue m_barva = 0;
};

// The overview print: every grid row on the pages, each page starting with the
// title and the caption row, and a totals row at the end for the columns whose
// mask character is "+". Column positions follow the on-screen widths
// (sirkySloupcu, pixels) in widths of "0" (sirkaNuly, pixels of the grid font).
// Throws ActionError before drawing anything when a totals column holds a cell
// that is not an integer.
void RozvrhniMrizku(TPreviewDocument& doc, const GridText& grid, const std::vector<int>& sirkySloupcu,
                    int sirkaNuly, const QString& titulek, const QString& maska);
