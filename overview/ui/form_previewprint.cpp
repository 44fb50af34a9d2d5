#include "overview/ui/form_previewprint.h"

#include "common/action.h"
#include "common/ui/dialogs.h"
#include "common/ui/toolbutton.h"
#include "ikony.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

// The current page of the document, drawn at the window's scale.
class TPageView : public QWidget
{
public:
    static constexpr int kOkraj = 8;

    TPageView(TPreviewDocument& doc, QWidget* parent) : QWidget(parent), m_doc(doc)
    {
        setObjectName(QStringLiteral("PageView"));
        setFocusPolicy(Qt::StrongFocus);
    }

    void setScale(double scale)
    {
        m_scale = scale;
        resize(int(std::ceil(tisk::kSirkaPapiru * scale)) + 2 * kOkraj,
               int(std::ceil(tisk::kVyskaPapiru * scale)) + 2 * kOkraj);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(128, 128, 128));
        if (m_doc.AktualniStrana() < 1) return;
        const QRectF page(kOkraj, kOkraj, tisk::kSirkaPapiru * m_scale, tisk::kVyskaPapiru * m_scale);
        p.fillRect(page.translated(3, 3), QColor(60, 60, 60));
        p.fillRect(page, Qt::white);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setClipRect(page);
        p.translate(page.topLeft());
        PrehrajStranu(p, m_doc.Strana(m_doc.AktualniStrana()), m_scale);
    }

private:
    TPreviewDocument& m_doc;
    double m_scale = 0.25;
};

namespace
{

QToolButton* tlacitko(QWidget* parent, const char* name, const QString& tip, const QIcon& icon)
{
    return ::tlacitko(parent, name, tip, icon, QSize(25, 25));
}

} // namespace

TForm_PreviewPrint::TForm_PreviewPrint(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_PreviewPrint"));
    setWindowTitle(QStringLiteral("Orvan - Náhled před tiskem"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);
    buildToolBar();
    buildPageArea();
    layOut();
    resize(546, 349);
    wire();
    nastavZoom();
    aktualizuj();
}

void TForm_PreviewPrint::buildToolBar()
{
    SB_PRINT_SETUP =
        tlacitko(this, "SB_PRINT_SETUP", QStringLiteral("Nastavení tiskárny"), ikony::nastaveniTiskarny());
    SpeedButton1 =
        tlacitko(this, "SpeedButton1", QStringLiteral("Tisk všech stran na tiskárnu"), ikony::tisk());
    SB_PDF = tlacitko(this, "SB_PDF", QStringLiteral("Uloží všechny strany do souboru PDF"), ikony::pdf());
    Label1 = new QLabel(QStringLiteral("Zoom:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("%50"), QStringLiteral("%100"), QStringLiteral("%150"),
                         QStringLiteral("%200"), QStringLiteral("Page Width"), QStringLiteral("Whole Page")});
    ComboBox1->setCurrentIndex(5);
    Label1->setBuddy(ComboBox1);
    SB_Prev = tlacitko(this, "SB_Prev", QStringLiteral("Předchozí strana"), ikony::predchozi());
    SB_Next = tlacitko(this, "SB_Next", QStringLiteral("Následující strana"), ikony::dalsi());
    Label3 = new QLabel(QStringLiteral("Nic"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
}

void TForm_PreviewPrint::buildPageArea()
{
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setAlignment(Qt::AlignCenter);
    ScrollBox1->setBackgroundRole(QPalette::Dark);
    m_view = new TPageView(m_doc, ScrollBox1);
    ScrollBox1->setWidget(m_view);
    ScrollBox1->viewport()->installEventFilter(this);
    m_view->installEventFilter(this);
}

void TForm_PreviewPrint::layOut()
{
    auto* bar = new QHBoxLayout;
    bar->setSpacing(2);
    bar->addWidget(SB_PRINT_SETUP);
    bar->addWidget(SpeedButton1);
    bar->addWidget(SB_PDF);
    bar->addSpacing(8);
    bar->addWidget(Label1);
    bar->addWidget(ComboBox1);
    bar->addSpacing(8);
    bar->addWidget(SB_Prev);
    bar->addWidget(Label3);
    bar->addWidget(SB_Next);
    bar->addStretch(1);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(2, 2, 2, 2);
    main->setSpacing(2);
    main->addLayout(bar);
    main->addWidget(ScrollBox1, 1);
}

void TForm_PreviewPrint::wire()
{
    connect(SB_PRINT_SETUP, &QToolButton::clicked, this,
            [this] { runAction([this] { NastaveniTiskarny(); }); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { runAction([this] { TiskniVse(); }); });
    connect(SB_PDF, &QToolButton::clicked, this, [this] { runAction([this] { UlozPdf(); }); });
    connect(SB_Prev, &QToolButton::clicked, this, [this] { m_doc.JdiNaStranu(m_doc.AktualniStrana() - 1); });
    connect(SB_Next, &QToolButton::clicked, this, [this] { m_doc.JdiNaStranu(m_doc.AktualniStrana() + 1); });
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] {
        nastavZoom();
        m_view->setFocus();
    });
    connect(&m_doc, &TPreviewDocument::zmeneno, this, &TForm_PreviewPrint::aktualizuj);
}

TForm_PreviewPrint::~TForm_PreviewPrint() = default;

TForm_PreviewPrint* TForm_PreviewPrint::Instance(QWidget* owner)
{
    static QPointer<TForm_PreviewPrint> instance;
    if (!instance) instance = new TForm_PreviewPrint(owner);
    return instance;
}

void TForm_PreviewPrint::nastavZoom()
{
    const QSize area = ScrollBox1->viewport()->size() - QSize(2 * TPageView::kOkraj, 2 * TPageView::kOkraj);
    const double widthFit = std::max(1, area.width()) / double(tisk::kSirkaPapiru);
    const double heightFit = std::max(1, area.height()) / double(tisk::kVyskaPapiru);
    const int index = ComboBox1->currentIndex();
    static const int kPercent[] = {50, 100, 150, 200};
    if (index >= 0 && index < 4)
        m_scale = kPercent[index] / 100.0 * logicalDpiX() / 254.0; // 254 page units per inch
    else if (index == 4)
        m_scale = widthFit;
    else
        m_scale = std::min(widthFit, heightFit);
    m_view->setScale(m_scale);
}

void TForm_PreviewPrint::aktualizuj()
{
    const int count = m_doc.PocetStran();
    Label3->setText(count == 0 || m_doc.AktualniStrana() < 1
                        ? QStringLiteral("Nic")
                        : QStringLiteral("Strana %1 z %2").arg(m_doc.AktualniStrana()).arg(count));
    SB_Prev->setEnabled(m_doc.AktualniStrana() > 1);
    SB_Next->setEnabled(m_doc.AktualniStrana() < count);
    ScrollBox1->verticalScrollBar()->setValue(0);
    m_view->update();
}

bool TForm_PreviewPrint::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ScrollBox1->viewport() && event->type() == QEvent::Resize &&
        ComboBox1->currentIndex() >= 4)
        nastavZoom();
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_PageDown || key == Qt::Key_PageUp) {
            m_doc.JdiNaStranu(m_doc.AktualniStrana() + (key == Qt::Key_PageDown ? 1 : -1));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QPrinter* TForm_PreviewPrint::tiskarna()
{
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
        if (all.isEmpty())
            throw ActionError(QStringLiteral("Není nainstalována žádná tiskárna, strany nelze vytisknout.\n"
                                             "Strany můžete uložit do souboru PDF."));
        info = all.constFirst();
    }
    if (!m_printer) m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    return m_printer.get();
}

void TForm_PreviewPrint::NastaveniTiskarny()
{
    dialogs::printer(this, *tiskarna());
}

void TForm_PreviewPrint::TiskniVse()
{
    if (m_doc.Otevreny() || m_doc.PocetStran() == 0) return;
    QPrinter* printer = tiskarna();
    printer->setFullPage(true);
    printer->setDocName(QStringLiteral("Orvan"));
    QPainter painter;
    if (!painter.begin(printer))
        throw ActionError(
            QStringLiteral("Tiskárnu \"%1\" nelze použít, tisk se nezdařil.").arg(printer->printerName()));
    try {
        m_doc.Vykresli(painter, *printer, 1, m_doc.PocetStran());
    } catch (...) {
        printer->abort();
        throw;
    }
    if (!painter.end()) throw ActionError(QStringLiteral("Tisk se nezdařil."));
}

void TForm_PreviewPrint::UlozPdf()
{
    if (m_doc.Otevreny() || m_doc.PocetStran() == 0) return;
    const QString name = dialogs::saveFileName(this, QStringLiteral("*.pdf|*.pdf"), QStringLiteral(".pdf"));
    if (!name.isEmpty()) m_doc.UlozPdf(name);
}

void TiskMrizky(QWidget* owner, const GridText& grid, const std::vector<int>& sirkySloupcu, int sirkaNuly,
                const QString& titulek, const QString& maska)
{
    TForm_PreviewPrint* preview = TForm_PreviewPrint::Instance(owner);
    RozvrhniMrizku(preview->Dokument(), grid, sirkySloupcu, sirkaNuly, titulek, maska);
    preview->show();
    preview->raise();
    preview->activateWindow();
}
