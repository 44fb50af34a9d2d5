#include "overview/ui/framestringgrid.h"

#include "common/action.h"
#include "common/commandtarget.h"
#include "common/kttext.h"
#include "common/modal.h"
#include "common/ui/dialogs.h"
#include "common/ui/toolbutton.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "ikony.h"
#include "overview/gridexport.h"
#include "overview/ui/form_previewprint.h"
#include "overview/ui/formstringgridfilter.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressDialog>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdlib>

// ---- Header: grey captions with sort and filter marks -------------------------

class TGridHeader : public QHeaderView
{
    Q_OBJECT

public:
    TGridHeader(const GridDefinition* def, QWidget* parent) : QHeaderView(Qt::Horizontal, parent), m_def(def)
    {
        setObjectName(QStringLiteral("StringGrid1Header"));
        setSectionsClickable(false);
        setHighlightSections(false);
        setStretchLastSection(false);
        setSectionResizeMode(QHeaderView::Interactive);
        setDefaultSectionSize(64);
        setMinimumSectionSize(4);
        setMouseTracking(true);
        viewport()->setMouseTracking(true);
    }

signals:
    void dvojklik(int sloupec);

protected:
    void paintSection(QPainter* p, const QRect& rect, int logicalIndex) const override
    {
        if (!rect.isValid()) return;
        p->save();
        p->fillRect(rect, QColor(0x80, 0x80, 0x80));
        p->setPen(QColor(0x40, 0x40, 0x40));
        p->drawLine(rect.topRight(), rect.bottomRight());
        p->drawLine(rect.bottomLeft(), rect.bottomRight());
        QFont f = font();
        f.setBold(true);
        p->setFont(f);
        p->setPen(Qt::black);
        p->setClipRect(rect);

        const int iconTop = rect.top() + std::max(0, (rect.height() - 16) / 2);
        int x = rect.left();
        const size_t column = size_t(logicalIndex);
        if (column < m_def->Sloupce.size() && m_def->Sloupce[column].FiltrOperator != 0) {
            p->drawPixmap(x, iconTop, ikony::trychtyr());
            x += 16 + 2;
        }
        if (std::abs(m_def->Razeni) == logicalIndex + 1) {
            p->drawPixmap(x, iconTop, m_def->Razeni < 0 ? ikony::sipkaDolu() : ikony::sipkaNahoru());
            x += 16 + 2;
        } else {
            x += 2;
        }
        const QString text =
            model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
        p->drawText(QPoint(x, rect.top() + 2 + QFontMetrics(f).ascent()), text);
        p->restore();
    }

    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        // Handled here, not by the base: its double-click on a border would size the column to its contents.
        emit dvojklik(logicalIndexAt(e->position().toPoint()));
    }

private:
    const GridDefinition* m_def;
};

// ---- Cells: colours of the row, no selection highlight ----------------------------

namespace
{

class GridDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const auto* model = static_cast<const GridModel*>(index.model());
        const int row = index.row() + 1;
        const QRect& r = option.rect;
        p->fillRect(r, GridModel::toQColor(model->backgroundColour(row)));
        QString text = model->cell(index.column(), row).toString();
        if (text.isEmpty()) return;
        text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
        const QFontMetrics fm(option.font);
        const int x = model->rightAligned(index.column())
                          ? r.left() + r.width() - fm.horizontalAdvance(text) - 2
                          : r.left() + 2;
        p->save();
        p->setClipRect(r);
        p->setFont(option.font);
        p->setPen(GridModel::toQColor(model->textColour(row)));
        p->drawText(QPoint(x, r.top() + 2 + fm.ascent()), text);
        p->restore();
    }
};

QToolButton* tlacitko(QWidget* parent, const char* name, const QString& tip, const QIcon& icon)
{
    QToolButton* b = ::tlacitko(parent, name, tip, icon, QSize(23, 22));
    b->setIconSize(QSize(16, 16));
    return b;
}

QAction* polozka(QMenu* menu, const char* name, const QString& text)
{
    auto* a = menu->addAction(text);
    a->setObjectName(QLatin1String(name));
    return a;
}

} // namespace

// ---- Frame ----------------------------------------------------------------------

TFrameStringGrid::TFrameStringGrid(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrameStringGrid"));
    buildToolPanel();
    buildGrid();
    buildPopupMenu();
    layOut();
    wireActions();
    wireMouse();
}

void TFrameStringGrid::buildToolPanel()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(41);
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedWidth(26);

    SBRefresh = tlacitko(Panel2, "SBRefresh", QStringLiteral("Refresh"), ikony::obnovit());
    SBNewRecord = tlacitko(Panel2, "SBNewRecord", QStringLiteral("Nový záznam"), ikony::novyZaznam());
    SB_TISK = tlacitko(Panel2, "SB_TISK", QStringLiteral("Vytiskne položky"), ikony::tisk());
    SB_FilterOFF =
        tlacitko(Panel2, "SB_FilterOFF", QStringLiteral("Zruší všechny filtry pokud jsou definovány"),
                 ikony::zrusitFiltry());
    SB_EXPORT_CSV = tlacitko(Panel2, "SB_EXPORT_CSV",
                             QStringLiteral("Exportuje data do tvaru CSV (Hodnoty oddělené středníkem)"),
                             ikony::exportCsv());
    SB_EXPORT_HTML = tlacitko(Panel2, "SB_EXPORT_HTML", QStringLiteral("Exportuje data do tvaru HTML"),
                              ikony::exportHtml());
    SBNewRecord->setVisible(false);
    auto* tools = new QVBoxLayout(Panel2);
    tools->setContentsMargins(1, 0, 2, 0);
    tools->setSpacing(1);
    for (QToolButton* b : {SBRefresh, SBNewRecord, SB_TISK, SB_FilterOFF, SB_EXPORT_CSV, SB_EXPORT_HTML})
        tools->addWidget(b);
    tools->addStretch(1);
}

void TFrameStringGrid::buildGrid()
{
    m_model = new GridModel(this, this);
    connect(m_model, &GridModel::predObnovenim, this, &TFrameStringGrid::zapamatujPolohu);
    connect(m_model, &GridModel::obnoveno, this, &TFrameStringGrid::obnovPolohu);
    connect(m_model, &GridModel::chybaCteni, this, [](const QString& text) { messages::error(text); });
    StringGrid1 = new QTableView(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    m_header = new TGridHeader(this, StringGrid1);
    StringGrid1->setHorizontalHeader(m_header);
    StringGrid1->setModel(m_model);
    StringGrid1->setItemDelegate(new GridDelegate(StringGrid1));
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    StringGrid1->setShowGrid(true);
    StringGrid1->setWordWrap(false);
    StringGrid1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    m_header->setContextMenuPolicy(Qt::CustomContextMenu);
    // Fixed row height: nothing is measured per row, however many rows are loaded.
    const int rowHeight = std::max(fontMetrics().height() + 6, 20);
    QHeaderView* rows = StringGrid1->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(rowHeight);
    rows->setDefaultSectionSize(rowHeight);
    rows->hide();
    m_header->setFixedHeight(rowHeight);
    StringGrid1->viewport()->setMouseTracking(true);
    StringGrid1->viewport()->installEventFilter(this);
    m_header->viewport()->installEventFilter(this);
}

void TFrameStringGrid::buildPopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Souethodnotvesloupci1 =
        polozka(PopupMenu1, "Souethodnotvesloupci1", QStringLiteral("&Součet hodnot ve sloupci"));
    Nastavenfiltruprotentosloupec1 = polozka(PopupMenu1, "Nastavenfiltruprotentosloupec1",
                                             QStringLiteral("&Nastavení filtru pro tento sloupec"));
    DeleteZaznam = polozka(PopupMenu1, "DeleteZaznam", QStringLiteral("&Vymazání řádku"));
    Exportsloupcedoschrnky1 =
        polozka(PopupMenu1, "Exportsloupcedoschrnky1", QStringLiteral("&Export sloupce do schránky"));
    DeleteZaznam->setEnabled(false);
}

void TFrameStringGrid::layOut()
{
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(Panel2);
    body->addWidget(StringGrid1, 1);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(0);
    main->addWidget(Panel1);
    main->addLayout(body, 1);
}

void TFrameStringGrid::wireActions()
{
    auto action = [this](void (TFrameStringGrid::*f)()) { return akce(this, f); };
    connect(SBRefresh, &QToolButton::clicked, this, action(&TFrameStringGrid::Obnov));
    connect(SBNewRecord, &QToolButton::clicked, this, action(&TFrameStringGrid::NovyZaznam));
    connect(SB_TISK, &QToolButton::clicked, this, action(&TFrameStringGrid::Tisk));
    connect(SB_FilterOFF, &QToolButton::clicked, this, action(&TFrameStringGrid::ZrusFiltry));
    connect(SB_EXPORT_CSV, &QToolButton::clicked, this, action(&TFrameStringGrid::ExportCSVDialog));
    connect(SB_EXPORT_HTML, &QToolButton::clicked, this, action(&TFrameStringGrid::ExportHTMLDialog));
    connect(Souethodnotvesloupci1, &QAction::triggered, this, action(&TFrameStringGrid::SoucetSloupce));
    connect(Nastavenfiltruprotentosloupec1, &QAction::triggered, this,
            action(&TFrameStringGrid::FiltrSloupce));
    connect(DeleteZaznam, &QAction::triggered, this, action(&TFrameStringGrid::SmazRadek));
    connect(Exportsloupcedoschrnky1, &QAction::triggered, this, action(&TFrameStringGrid::SloupecDoSchranky));
}

void TFrameStringGrid::wireMouse()
{
    connect(m_header, &TGridHeader::dvojklik, this, [this](int sloupec) {
        nastavMys(sloupec, sloupec < 0 ? -1 : 0);
        runAction([this] { DvojklikNaBunku(); });
    });
    auto popup = [this](QWidget* viewport) {
        return [this, viewport](const QPoint& pos) {
            mysZPozice(viewport, pos);
            PopupMenu1->popup(viewport->mapToGlobal(pos));
        };
    };
    connect(StringGrid1, &QWidget::customContextMenuRequested, this, popup(StringGrid1->viewport()));
    connect(m_header, &QWidget::customContextMenuRequested, this, popup(m_header->viewport()));
}

TFrameStringGrid::~TFrameStringGrid() = default;

// ---- Mouse cell -------------------------------------------------------------

void TFrameStringGrid::nastavMys(int sloupec, int radek)
{
    if (sloupec < 0 || radek < 0) sloupec = radek = -1;
    m_mysSloupec = sloupec;
    m_mysRadek = radek;
}

void TFrameStringGrid::mysZPozice(QObject* watched, const QPoint& pos)
{
    if (watched == m_header->viewport()) {
        nastavMys(m_header->logicalIndexAt(pos.x()), 0);
        return;
    }
    const int row = StringGrid1->rowAt(pos.y());
    nastavMys(StringGrid1->columnAt(pos.x()), row < 0 ? -1 : row + 1);
}

bool TFrameStringGrid::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
        mysZPozice(watched, static_cast<QMouseEvent*>(event)->position().toPoint());
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == StringGrid1->viewport()) {
            mysZPozice(watched, static_cast<QMouseEvent*>(event)->position().toPoint());
            runAction([this] { DvojklikNaBunku(); });
            return true;
        }
        break;
    case QEvent::Leave:
        // Opening the popup menu takes the pointer away; its items still act on the cell.
        if (!PopupMenu1->isVisible()) nastavMys(-1, -1);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Definition and loading ------------------------------------------------------

void TFrameStringGrid::zapamatujSirky()
{
    const int n = m_header->count();
    if (int(m_sirky.size()) < n) m_sirky.resize(size_t(n), m_header->defaultSectionSize());
    for (int i = 0; i < n; ++i)
        m_sirky[size_t(i)] = m_header->sectionSize(i);
}

// A column without a width of its own, when its list is first shown, gets the
// width of its caption or of the widest value on the first screen of rows.
int TFrameStringGrid::sirkaPodleObsahu(int sloupec) const
{
    const QFontMetrics fm = StringGrid1->fontMetrics();
    int w = m_header->fontMetrics().horizontalAdvance(
        m_model->headerData(sloupec, Qt::Horizontal, Qt::DisplayRole).toString());
    const int radek = std::max(1, StringGrid1->verticalHeader()->defaultSectionSize());
    const int radku =
        std::min(m_model->rowCount(), std::max(StringGrid1->viewport()->height(), 600) / radek + 1);
    for (int r = 0; r < radku; ++r)
        w = std::max(
            w, fm.horizontalAdvance(m_model->data(m_model->index(r, sloupec), Qt::DisplayRole).toString()));
    // Room for the cell margins and the sort mark; never wider than half the screen of the grid.
    return std::clamp(w + 4 * SirkaNuly(), m_header->minimumSectionSize(),
                      std::max(StringGrid1->width(), 640) / 2);
}

void TFrameStringGrid::obnovSirky()
{
    const int zero = SirkaNuly();
    for (int i = 0; i < m_header->count(); ++i) {
        int w = i < int(m_sirky.size()) ? m_sirky[size_t(i)] : sirkaPodleObsahu(i);
        if (i < int(Sloupce.size()) && Sloupce[size_t(i)].Sirka > 0) w = Sloupce[size_t(i)].Sirka * zero;
        m_header->resizeSection(i, w);
    }
    zapamatujSirky();
}

void TFrameStringGrid::ZrusDefinici()
{
    resetDefinition();
    nastavMys(0, 0);
    // The next list sizes its own columns instead of inheriting these widths.
    m_sirky.clear();
    m_model->clear();
    m_model->resetOverrides();
    obnovSirky();
}

QString TFrameStringGrid::pripravDotaz(int razeni)
{
    if (Sloupce.empty()) {
        // Without columns the table's own columns are shown (the SQL console).
        TSQLDATA& db = SQLDATA();
        db.OtevriDotaz(gridquery::columnsQuery(*this));
        QStringList names;
        for (int i = 0; i < db.cursor().columnCount(); ++i)
            names << db.cursor().columnName(i);
        db.cursor().close();
        for (const QString& name : names)
            PridejSloupec(name, name);
    }
    DeleteZaznam->setEnabled(MazaniPovoleno);
    SBNewRecord->setVisible(ZpravaEditace != 0);
    Razeni = gridquery::nextSort(Razeni, razeni);
    DalsiTabulky = gridquery::normalizedTables(DalsiTabulky);
    return gridquery::selectStatement(*this);
}

void TFrameStringGrid::NactiData(int razeni)
{
    Presypaci hodiny;
    zapamatujSirky();
    try {
        m_dotaz = pripravDotaz(razeni);
        m_model->load(SQLDATA(), m_dotaz);
    } catch (...) {
        m_model->clear();
        obnovSirky();
        throw;
    }
    obnovSirky();
    m_header->viewport()->update();
}

void TFrameStringGrid::Obnov()
{
    TSQLDATA& db = SQLDATA();
    db.ObnovTransakci();
    if (m_model->dataRowCount() == 0 && !m_model->obnovuje()) {
        NactiData(0);
        return;
    }
    // The rows stay on screen until the new result has caught up with them;
    // a failure keeps them.
    m_dotaz = pripravDotaz(0);
    m_model->obnov(db, m_dotaz);
    m_header->viewport()->update();
}

void TFrameStringGrid::DokonciObnovu()
{
    m_model->dokonciObnovu();
}

void TFrameStringGrid::zapamatujPolohu()
{
    zapamatujSirky();
    m_poloha = {};
    const QModelIndex current = StringGrid1->currentIndex();
    if (current.isValid()) {
        m_poloha.vybrany = Klic(current.row() + 1);
        m_poloha.sloupec = current.column();
    }
    const int horni = StringGrid1->rowAt(0);
    if (horni >= 0) {
        m_poloha.horni = Klic(horni + 1);
        m_poloha.horniRadek = horni;
    }
    m_poloha.vodorovne = StringGrid1->horizontalScrollBar()->value();
}

void TFrameStringGrid::obnovPolohu()
{
    obnovSirky();
    const int radku = m_model->rowCount();
    if (radku > 0 && !m_poloha.horni.isNull()) {
        int horni = m_model->radekKlice(m_poloha.horni) - 1;
        if (horni < 0) horni = std::min(m_poloha.horniRadek, radku - 1);
        StringGrid1->scrollTo(m_model->index(horni, 0), QAbstractItemView::PositionAtTop);
    }
    if (!m_poloha.vybrany.isNull()) {
        if (const int r = m_model->radekKlice(m_poloha.vybrany); r > 0)
            StringGrid1->selectionModel()->setCurrentIndex(
                m_model->index(r - 1, std::max(0, m_poloha.sloupec)), QItemSelectionModel::ClearAndSelect);
    }
    StringGrid1->horizontalScrollBar()->setValue(m_poloha.vodorovne);
    m_header->viewport()->update();
}

bool TFrameStringGrid::NactiVse() const
{
    if (!m_model->zbyva()) return true;
    auto* self = const_cast<TFrameStringGrid*>(this);
    Presypaci hodiny;
    QProgressDialog prubeh(QStringLiteral("Načítají se všechny řádky přehledu..."),
                           QStringLiteral("Přerušit"), 0, 0, self->window());
    prubeh.setObjectName(QStringLiteral("NactiVseProgress"));
    prubeh.setWindowTitle(QStringLiteral("Orvan"));
    prubeh.setWindowModality(Qt::WindowModal);
    prubeh.setMinimumDuration(300);
    return m_model->nactiZbytek([&prubeh](int radku) {
        prubeh.setLabelText(QStringLiteral("Načteno řádků: %1").arg(radku));
        prubeh.setValue(0);
        QCoreApplication::processEvents();
        return !prubeh.wasCanceled();
    });
}

// ---- Colours and sums -----------------------------------------------------------

void TFrameStringGrid::NastavBarvyRadku(bool pismo, bool pozadi, ColourValue barva)
{
    if (!NactiVse()) return;
    m_model->NastavBarvyRadku(pismo, pozadi, barva);
}

void TFrameStringGrid::ObarviSkupiny(int sloupec, bool pismo, bool pozadi, ColourValue barva1,
                                     ColourValue barva2)
{
    if (!NactiVse()) return;
    m_model->ObarviSkupiny(sloupec, pismo, pozadi, barva1, barva2);
}

void TFrameStringGrid::ObarviNavaznost(int od1, int od2, int do1, int do2, bool pismo, bool pozadi,
                                       ColourValue barvaPrechodu, ColourValue barvaCastecna)
{
    if (!NactiVse()) return;
    m_model->ObarviNavaznost(od1, od2, do1, do2, pismo, pozadi, barvaPrechodu, barvaCastecna);
}

double TFrameStringGrid::SumaSloupce(int sloupec) const
{
    NactiVse();
    return m_model->SumaSloupce(sloupec);
}

std::vector<int> TFrameStringGrid::SirkySloupcu() const
{
    std::vector<int> widths;
    for (int i = 0; i < m_header->count(); ++i)
        widths.push_back(m_header->sectionSize(i));
    return widths;
}

int TFrameStringGrid::SirkaNuly() const
{
    return StringGrid1->fontMetrics().horizontalAdvance(QLatin1Char('0'));
}

// ---- Exports ----------------------------------------------------------------------

void TFrameStringGrid::ExportCSV(const QString& soubor) const
{
    if (!NactiVse()) return;
    gridexport::writeExportFile(soubor, gridexport::csvText(*m_model));
}

void TFrameStringGrid::ExportHTML(const QString& soubor) const
{
    if (!NactiVse()) return;
    gridexport::writeExportFile(soubor, gridexport::htmlText(*m_model));
}

void TFrameStringGrid::ExportCSVDialog()
{
    const QString name = dialogs::saveFileName(this, QStringLiteral("*.csv|*.csv"), QStringLiteral(".csv"));
    if (!name.isEmpty()) ExportCSV(name);
}

void TFrameStringGrid::ExportHTMLDialog()
{
    const QString name =
        dialogs::saveFileName(this, QStringLiteral("*.html|*.html"), QStringLiteral(".html"));
    if (!name.isEmpty()) ExportHTML(name);
}

// ---- Actions ----------------------------------------------------------------------

void TFrameStringGrid::DvojklikNaBunku()
{
    if (m_mysRadek == 0 && m_mysSloupec >= 0) {
        if (PevneRazeni.isEmpty()) NactiData(m_mysSloupec + 1);
        return;
    }
    if (m_mysRadek < 1 || m_mysRadek > m_model->dataRowCount() || m_mysSloupec < 0) return;
    if (ZpravaEditace == 0 || !OknoZprav) return;
    OknoZprav->command(int(ZpravaEditace), CisloZTextu(Klic(m_mysRadek)), ParametrEditace);
}

void TFrameStringGrid::NovyZaznam()
{
    if (ZpravaEditace != 0 && OknoZprav) OknoZprav->command(int(ZpravaEditace), 0, 0);
}

void TFrameStringGrid::Tisk()
{
    QString mask;
    for (int c = 0; c < m_model->gridColumnCount(); ++c)
        mask += c < int(Sloupce.size()) && Sloupce[size_t(c)].Scitat ? QLatin1Char('+') : QLatin1Char(' ');
    ::TiskMrizky(*this, QStringLiteral("Orvan"), mask);
}

void TiskMrizky(TFrameStringGrid& mrizka, const QString& titulek, const QString& maska)
{
    if (!mrizka.NactiVse()) return;
    TiskMrizky(mrizka.window(), *mrizka.Model(), mrizka.SirkySloupcu(), mrizka.SirkaNuly(), titulek, maska);
}

void TFrameStringGrid::ZrusFiltry()
{
    for (GridColumn& c : Sloupce) {
        c.FiltrOperator = 0;
        c.FiltrHodnota1.clear();
        c.FiltrHodnota2.clear();
    }
    Obnov();
}

void TFrameStringGrid::SoucetSloupce()
{
    const int c = m_mysSloupec;
    if (c < 0) return;
    if (c < int(Sloupce.size()) && Sloupce[size_t(c)].Scitat) {
        if (!NactiVse()) return;
        messages::error(QStringLiteral("Součet hodnot ve sloupci je: ") +
                        CisloNaText(20, 10, SumaSloupce(c)));
    } else {
        messages::error(QStringLiteral("Toto pole nelze sečíst !"));
    }
}

void TFrameStringGrid::FiltrSloupce()
{
    const int c = m_mysSloupec;
    if (c < 0 || c >= int(Sloupce.size())) return;
    TFormStringGridFilter* dialog = TFormStringGridFilter::Instance(window());
    const GridColumn& column = Sloupce[size_t(c)];
    dialog->setWindowTitle(QStringLiteral("Orvan - Filtr - Sloupec: ") + column.caption());
    dialog->NastavFiltr(column.FiltrOperator, column.FiltrHodnota1, column.FiltrHodnota2);
    {
        const modal::Scope open;
        dialog->exec();
    }
    if (dialog->Prijato() && c < int(Sloupce.size())) {
        GridColumn changed = Sloupce[size_t(c)];
        changed.FiltrOperator = dialog->VratOperator();
        changed.FiltrHodnota1 = dialog->CB_1->text();
        changed.FiltrHodnota2 = dialog->CB_2->text();
        changed.FiltrDruh = gridquery::filterKind(SQLDATA(), *this, changed);
        // A value that cannot be compared with the column keeps the filter as it was.
        if (const QString problem = gridquery::filterProblem(changed); !problem.isEmpty())
            messages::error(problem);
        else
            Sloupce[size_t(c)] = changed;
    }
    Obnov();
}

void TFrameStringGrid::SmazRadek()
{
    const int r = m_mysRadek;
    if (!MazaniPovoleno || r < 1 || r > m_model->dataRowCount()) return;
    // The key of the row the user is asked about: the grid may be reloaded
    // while the box is open.
    const QString klic = Klic(r);
    if (!messages::confirm(QStringLiteral("Opravdu chcete vymazat tento řádek ?\nřádek:") +
                           QString::number(r) + QLatin1Char(' ') + Bunka(m_mysSloupec, r)))
        return;
    TSQLDATA& db = SQLDATA();
    if (const VysledekZapisu v = db.ProvedSQL(gridquery::deleteStatement(*this, klic)); !v.ok)
        messages::error(v.chyba);
    db.ObnovTransakci();
    NactiData(0);
}

void TFrameStringGrid::SloupecDoSchranky()
{
    const int c = m_mysSloupec;
    if (c < 0 || !NactiVse()) return;
    {
        Presypaci hodiny;
        QGuiApplication::clipboard()->setText(gridexport::columnText(*m_model, c));
    }
    messages::error(QStringLiteral("Údaje byly uloženy do schránky"));
}

#include "framestringgrid.moc"
