#include "overview/ktpreviewprint.h"

#include "common/action.h"
#include "gridmodel.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QScreen>
#include <cmath>

namespace tisk
{

int vyskaPisma(int velikost)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double ppi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return int(std::lround(velikost * ppi / 72.0));
}

QFont pismo(int velikost, int styl)
{
    QFont f(QStringLiteral("Times New Roman"));
    f.setStyleHint(QFont::Times);
    f.setPixelSize(std::max(1, vyskaPisma(velikost)));
    f.setBold(styl & 1);
    f.setItalic(styl & 2);
    f.setUnderline(styl & 4);
    f.setStrikeOut(styl & 8);
    // Unhinted metrics scale the same on screen, paper and PDF.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

} // namespace tisk

using tisk::Obdelnik;

// ---- TPreviewDocument ------------------------------------------------------

TPreviewDocument::TPreviewDocument(QObject* parent) : QObject(parent) {}

TPreviewDocument::~TPreviewDocument()
{
    if (m_painter) m_painter->end();
}

void TPreviewDocument::otevriStranu()
{
    m_pages.push_back(std::make_unique<QPicture>());
    m_painter = std::make_unique<QPainter>(m_pages.back().get());
}

void TPreviewDocument::ukonciStranu()
{
    if (!m_painter) return;
    m_painter->end();
    m_painter.reset();
    // Replays map the whole sheet, whatever was drawn on it.
    m_pages.back()->setBoundingRect(QRect(0, 0, tisk::kSirkaPapiru, tisk::kVyskaPapiru));
}

void TPreviewDocument::Zacni()
{
    if (Otevreny()) return;
    m_pages.clear();
    m_current = 0;
    otevriStranu();
    emit zmeneno();
}

void TPreviewDocument::NovaStrana()
{
    if (!Otevreny()) return;
    ukonciStranu();
    otevriStranu();
}

void TPreviewDocument::Konec()
{
    if (!Otevreny()) return;
    ukonciStranu();
    m_current = m_pages.empty() ? 0 : 1;
    emit zmeneno();
}

void TPreviewDocument::JdiNaStranu(int strana)
{
    if (strana < 1 || strana > PocetStran() || strana == m_current) return;
    m_current = strana;
    emit zmeneno();
}

void TPreviewDocument::Vykresli(QPainter& painter, QPagedPaintDevice& device, int od, int po) const
{
    od = std::max(od, 1);
    po = std::min(po, PocetStran());
    const double scale =
        std::min(double(device.width()) / tisk::kSirkaPapiru, double(device.height()) / tisk::kVyskaPapiru);
    for (int i = od; i <= po; ++i) {
        if (i > od && !device.newPage())
            throw ActionError(QStringLiteral("Tisk strany %1 se nezdařil.").arg(i));
        PrehrajStranu(painter, Strana(i), scale);
    }
}

void PrehrajStranu(QPainter& painter, const QPicture& strana, double jednotka)
{
    const QPaintDevice* device = painter.device();
    const double sx = device ? double(strana.logicalDpiX()) / device->logicalDpiX() : 1.0;
    const double sy = device ? double(strana.logicalDpiY()) / device->logicalDpiY() : 1.0;
    painter.save();
    painter.scale(jednotka * sx, jednotka * sy);
    painter.drawPicture(0, 0, strana);
    painter.restore();
}

void TPreviewDocument::UlozPdf(const QString& soubor) const
{
    QPdfWriter writer(soubor);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setCreator(QStringLiteral("Orvan"));
    writer.setTitle(QStringLiteral("Orvan"));
    QPainter painter;
    if (!painter.begin(&writer))
        throw ActionError(QStringLiteral("Soubor \"%1\" nelze vytvořit.").arg(soubor));
    Vykresli(painter, writer, 1, PocetStran());
    if (!painter.end()) throw ActionError(QStringLiteral("Do souboru \"%1\" nelze zapisovat.").arg(soubor));
}

// ---- Drawing ----------------------------------------------------------------

double SirkaTextu(const TPreviewDocument& doc, const QFont& font, const QString& text)
{
    return QFontMetricsF(font, doc.mericiZarizeni()).horizontalAdvance(text);
}

void KresliText(TPreviewDocument& doc, const QFont& font, ColourValue barva, double x, const Obdelnik& r,
                const QString& text)
{
    QPainter* p = doc.painter();
    if (!p || r.right <= r.left || r.bottom <= r.top) return;
    const QRectF rect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    p->save();
    p->setClipRect(rect);
    p->fillRect(rect, Qt::white);
    p->setFont(font);
    p->setPen(GridModel::toQColor(barva));
    p->drawText(QPointF(x, r.top + QFontMetricsF(font, doc.mericiZarizeni()).ascent()), text);
    p->restore();
}

// ---- TKTPreviewPrint ----------------------------------------------------------

TKTPreviewPrint::TKTPreviewPrint(TPreviewDocument& doc) : m_doc(doc)
{
    Zacni();
}

void TKTPreviewPrint::Zacni()
{
    m_maZahlavi = false;
    m_zahlavi = {};
    Odsazeni = 0;
    m_radek = tisk::kStrana;
    m_radek.top = tisk::kPrvniRadek;
    m_styl = 0;
    m_barva = 0;
}

void TKTPreviewPrint::NastavZahlavi(int top, int left, int styl, ColourValue barva, int velikost,
                                    const QString& text)
{
    m_maZahlavi = true;
    m_zahlavi.top = top;
    m_zahlavi.left = left;
    m_zahlavi.styl = styl;
    m_zahlavi.barva = barva;
    m_zahlavi.velikost = velikost;
    m_zahlavi.text = text;
}

void TKTPreviewPrint::TiskZahlavi()
{
    if (m_maZahlavi)
        TiskTextu(m_zahlavi.top, m_zahlavi.left, 0, m_zahlavi.styl, m_zahlavi.barva, m_zahlavi.velikost,
                  m_zahlavi.text);
}

void TKTPreviewPrint::KontrolaStrany()
{
    if (m_radek.top + tisk::vyskaPisma(m_velikost) + 5 <= tisk::kSpodniMez) return;
    m_doc.NovaStrana();
    m_radek = tisk::kStrana;
    m_radek.top = tisk::kPrvniRadek;
    TiskZahlavi();
}

void TKTPreviewPrint::TiskTextu(int top, int left, int sirkaPole, int styl, ColourValue barva, int velikost,
                                const QString& text)
{
    const ColourValue predchoziBarva = m_barva;
    m_velikost = velikost;
    KontrolaStrany();
    const int predchoziStyl = m_styl;
    m_styl = styl;
    m_velikost = velikost; // the running line of a new page may have changed it
    m_barva = barva;

    const int predchoziHorni = m_radek.top;
    if (top > 0) m_radek.top = top;
    m_radek.bottom = m_radek.top + tisk::vyskaPisma(m_velikost) + 5;
    if (left != 0) m_radek.left = left;
    const QFont f = font();
    if (sirkaPole != 0 && sirkaPole > text.size())
        m_radek.left +=
            int(std::lround(SirkaTextu(m_doc, f, QString(sirkaPole - text.size(), QLatin1Char('0')))));

    KresliText(m_doc, f, m_barva, m_radek.left + Odsazeni, m_radek, text);
    m_radek.left += int(std::lround(SirkaTextu(m_doc, f, text)));

    m_radek.top = top == -1 ? predchoziHorni : m_radek.bottom;
    m_barva = predchoziBarva;
    m_styl = predchoziStyl;
}

// ---- Overview print ---------------------------------------------------------

namespace
{

qint64 integerCell(const QString& text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok) throw ActionError(QStringLiteral("\"%1\" není platné celé číslo.").arg(text));
    return v;
}

class GridLayout
{
public:
    GridLayout(TPreviewDocument& doc, const GridText& grid, const std::vector<int>& widths, int zeroWidth,
               const QString& title, const QString& mask)
        : m_doc(doc), m_grid(grid), m_title(title), m_mask(mask)
    {
        const int columns = grid.gridColumnCount();
        if (!mask.isEmpty()) {
            for (int c = 0; c < columns; ++c) {
                QString total;
                if (c < mask.size() && mask[c] == QLatin1Char('+')) {
                    qint64 sum = 0;
                    for (int r = 1; r < grid.gridRowCount(); ++r)
                        sum += integerCell(grid.cellText(c, r));
                    total = QString::number(sum);
                }
                m_totals << total;
            }
        }
        // Columns start where the previous one started plus its screen width in "0"s.
        const double printZero = SirkaTextu(doc, tisk::pismo(kSize, 0), QStringLiteral("0"));
        double x = 0;
        for (int c = 0; c < columns; ++c) {
            m_starts.push_back(x);
            const int w = c < int(widths.size()) ? widths[size_t(c)] : 64;
            x += zeroWidth > 0 ? (w / zeroWidth) * printZero : 0;
        }
    }

    void run()
    {
        m_top = tisk::kPrvniRadek;
        m_doc.Zacni();
        printTitle();
        for (int r = 0; r < m_grid.gridRowCount(); ++r)
            printRow(r);
        printRow(-1);
        m_doc.Konec();
    }

private:
    static constexpr int kSize = 20;

    void printTitle()
    {
        if (m_title.isEmpty()) return;
        const int top = 10;
        const Obdelnik r{0, top, tisk::kStrana.right, top + tisk::vyskaPisma(36) + 5};
        KresliText(m_doc, tisk::pismo(36, 1), 0, 0, r, m_title);
        m_top = r.bottom;
    }

    void printRow(int row)
    {
        if (row == -1 && m_mask.isEmpty()) return;
        const int height = tisk::vyskaPisma(kSize) + 5;
        if (m_top + height > tisk::kSpodniMez) {
            m_doc.NovaStrana();
            m_top = tisk::kPrvniRadek;
            printTitle();
            printRow(0);
        }
        const QFont font = tisk::pismo(kSize, row <= 0 ? 1 : 0);
        const int bottom = m_top + height;
        for (int c = 0; c < int(m_starts.size()); ++c) {
            const QString text = row == -1 ? m_totals.value(c) : m_grid.cellText(c, row);
            const int left = int(std::lround(m_starts[size_t(c)]));
            KresliText(m_doc, font, 0, left, Obdelnik{left, m_top, tisk::kStrana.right, bottom}, text);
        }
        m_top = bottom;
    }

    TPreviewDocument& m_doc;
    const GridText& m_grid;
    QString m_title;
    QString m_mask;
    QStringList m_totals;
    std::vector<double> m_starts;
    int m_top = 0;
};

} // namespace

void RozvrhniMrizku(TPreviewDocument& doc, const GridText& grid, const std::vector<int>& sirkySloupcu,
                    int sirkaNuly, const QString& titulek, const QString& maska)
{
    GridLayout layout(doc, grid, sirkySloupcu, sirkaNuly, titulek, maska);
    layout.run();
}
