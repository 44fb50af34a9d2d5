#include "calendar/ui/browsepanel.h"

#include "calendar/datamesice.h"
#include "calendar/ui/frame_info_lista.h"
#include "common/action.h"
#include "data/sqldata.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

namespace
{

// The hourglass while a list loads, restored however the loading ends.
QDate naQDate(DatumCas d)
{
    const RozlozenyCas r = RozlozDatum(d);
    return QDate(r.rok, r.mesic, r.den);
}

DatumCas zQDate(const QDate& d)
{
    return ZakodujDatum(d.year(), d.month(), d.day());
}

// Column "Datum" and the header in bold black on the fixed-cell background,
// column "Název" white for a free time and light blue for an event, its text
// in the event's category colour.
class BrowseDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const auto* model = static_cast<const TBrowseModel*>(index.model());
        const RadekSeznamu& r = model->radky().at(index.row());
        QFont f = option.font;
        QColor text = Qt::black;
        if (index.column() == 0) {
            p->fillRect(option.rect, option.palette.color(QPalette::Button));
            f.setBold(true);
        } else {
            p->fillRect(option.rect, r.volnyCas() ? QColor(Qt::white) : QColor(194, 247, 252));
            const QColor c = BarvaZHodnoty(r.barva);
            if (!r.volnyCas() && c.isValid()) text = c;
        }
        p->save();
        p->setClipRect(option.rect);
        p->setFont(f);
        p->setPen(text);
        p->drawText(option.rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    index.data().toString());
        p->restore();
    }
};

} // namespace

void TBrowseModel::setRadky(QList<RadekSeznamu> radky)
{
    beginResetModel();
    m_radky = std::move(radky);
    endResetModel();
}

int TBrowseModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_radky.size());
}

int TBrowseModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant TBrowseModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole || index.row() >= m_radky.size()) return {};
    const RadekSeznamu& r = m_radky.at(index.row());
    if (index.column() == 0) return r.zacatek;
    return r.vyskyt.isEmpty() ? r.nazev : QStringLiteral("\u21bb ") + r.nazev;
}

QVariant TBrowseModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section == 0) return QStringLiteral("Datum");
    if (section == 1) return QStringLiteral("Název");
    return {};
}

TBrowseGrid::TBrowseGrid(QWidget* parent) : QTableView(parent), m_model(new TBrowseModel(this))
{
    setObjectName(QStringLiteral("BrowseGrid1"));
    setModel(m_model);
    setItemDelegate(new BrowseDelegate(this));
    setShowGrid(true);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(NoSelection);
    setMouseTracking(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(false);
    QFont bold = horizontalHeader()->font();
    bold.setBold(true);
    horizontalHeader()->setFont(bold);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    setPalette(pal);
    setColumnWidth(0, 150);
    setColumnWidth(1, 300);
}

TBrowsePanel::TBrowsePanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BrowsePanel"));
    Frame_INFO_LISTA1 = new TFrame_INFO_LISTA(this);
    Frame_INFO_LISTA1->setObjectName(QStringLiteral("Frame_INFO_LISTA1"));

    auto* filtr = new QWidget(this);
    filtr->setFixedHeight(32);
    QFont f = filtr->font(); // the fixed positions leave room for 8-point text
    f.setPointSize(8);
    filtr->setFont(f);
    const auto label = [&](const char* name, const char* text, int x, int y) {
        auto* l = new QLabel(QString::fromUtf8(text), filtr);
        l->setObjectName(QLatin1String(name));
        l->move(x, y);
        return l;
    };
    const auto picker = [&](const char* name, int x) {
        auto* d = new QDateEdit(filtr);
        d->setObjectName(QLatin1String(name));
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("d.M.yyyy"));
        d->setDate(naQDate(Dnes()));
        d->setGeometry(x, 4, 150, 24);
        return d;
    };
    Label_OD = label("Label_OD", "Od", 4, 10);
    DateEdit_OD = picker("DateEdit_OD", 30);
    Label_DO = label("Label_DO", "Do", 230, 10);
    DateEdit_DO = picker("DateEdit_DO", 250);
    Label_Nepouzite = label("Label_Nepouzite", "Zobrazovat nepoužité", 400, 10);
    ChB_NEPOUZITE = new QCheckBox(filtr);
    ChB_NEPOUZITE->setObjectName(QStringLiteral("ChB_NEPOUZITE"));
    // At 510 unless the label's text is wider than the room left for it.
    Label_Nepouzite->adjustSize();
    ChB_NEPOUZITE->move(std::max(510, Label_Nepouzite->geometry().right() + 4), 8);
    Label_Nepouzite->setBuddy(ChB_NEPOUZITE);
    filtr->setMinimumWidth(540);

    BrowseGrid1 = new TBrowseGrid(this);

    auto* dole = new QHBoxLayout;
    dole->setContentsMargins(0, 0, 0, 0);
    dole->setSpacing(0);
    dole->addSpacing(25);
    dole->addWidget(BrowseGrid1, 1);
    auto* hlavni = new QVBoxLayout(this);
    hlavni->setContentsMargins(0, 0, 0, 0);
    hlavni->setSpacing(0);
    hlavni->addWidget(Frame_INFO_LISTA1);
    hlavni->addWidget(filtr);
    hlavni->addLayout(dole, 1);

    const auto nacti = [this] { runAction([this] { Nacti(); }); };
    connect(DateEdit_OD, &QDateEdit::dateChanged, this, nacti);
    connect(DateEdit_DO, &QDateEdit::dateChanged, this, nacti);
    connect(ChB_NEPOUZITE, &QCheckBox::clicked, this, nacti);
    connect(BrowseGrid1, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) { runAction([&] { dvojklik(i); }); });
}

DatumCas TBrowsePanel::od() const
{
    return zQDate(DateEdit_OD->date());
}

DatumCas TBrowsePanel::doDatum() const
{
    return zQDate(DateEdit_DO->date());
}

void TBrowsePanel::NastavRozsah(DatumCas od, DatumCas doDatum)
{
    {
        const QSignalBlocker a(DateEdit_OD), b(DateEdit_DO);
        DateEdit_OD->setDate(naQDate(od));
        DateEdit_DO->setDate(naQDate(doDatum));
    }
    Nacti();
}

int TBrowsePanel::HorniRadek() const
{
    return BrowseGrid1->model()->rowCount() == 0 ? -1 : std::max(0, BrowseGrid1->rowAt(0));
}

void TBrowsePanel::Obnov()
{
    SQLDATA().ObnovTransakci();
    const int horni = HorniRadek();
    const RadekSeznamu drive = horni >= 0 ? BrowseGrid1->model()->radky().at(horni) : RadekSeznamu{};
    nacti();
    const int r = horni >= 0 ? NajdiRadekZnovu(BrowseGrid1->model()->radky(), drive, horni) : -1;
    if (r < 0) return;
    BrowseGrid1->doItemsLayout(); // the scroll range of the new rows, now rather than later
    BrowseGrid1->scrollTo(BrowseGrid1->model()->index(r, 0), QAbstractItemView::PositionAtTop);
}

void TBrowsePanel::Nacti()
{
    nacti();
    BrowseGrid1->scrollToTop();
    BrowseGrid1->setColumnWidth(0, 150);
    BrowseGrid1->setColumnWidth(1, 300);
}

void TBrowsePanel::nacti()
{
    const Presypaci presypaci;
    QList<RadekSeznamu> radky;
    try {
        radky =
            NactiSeznam(SQLDATA(), m_filtr, m_vsechnyKategorie, od(), doDatum(), ChB_NEPOUZITE->isChecked());
    } catch (...) {
        // A failed read leaves the list empty rather than stale.
        BrowseGrid1->model()->setRadky({});
        throw;
    }
    BrowseGrid1->model()->setRadky(std::move(radky));
    Frame_INFO_LISTA1->ZobrazDen(true, od());
}

void TBrowsePanel::dvojklik(const QModelIndex& index)
{
    if (!index.isValid() || !m_cil) return;
    const RadekSeznamu& r = BrowseGrid1->model()->radky().at(index.row());
    if (index.column() == 1 && !r.vyskyt.isEmpty())
        m_cil->command(WM_EDIT_OCCURRENCE, r.id.toInt(), std::intptr_t(r.vyskyt.toLongLong()));
    else if (index.column() == 1)
        m_cil->command(WM_EDIT_EVENT, r.id.toInt(), LP_EDIT_RECORD);
    else
        m_cil->command(WM_EDIT_EVENT, TextNaKlic(1, r.zacatek), TextNaKlic(2, r.zacatek));
}
