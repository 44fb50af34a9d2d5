#include "records/ui/frame_jvxchecklistbox_kuc.h"

#include <QApplication>
#include <QListView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

// The list model over the frame's data; checking goes through the data so
// the main mark follows at once.
class KategorieModel : public QAbstractListModel
{
public:
    explicit KategorieModel(TFRAME_JvxCheckListBox_KUC* frame) : QAbstractListModel(frame), m_frame(frame) {}

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : m_frame->m_data.Pocet();
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid()) return {};
        const TKategorieKUC& d = m_frame->m_data;
        switch (role) {
        case Qt::DisplayRole:
            return d.TextPolozky(index.row());
        case Qt::CheckStateRole:
            return d.Zaskrtnuto(index.row()) ? Qt::Checked : Qt::Unchecked;
        case Qt::BackgroundRole:
            return d.Barva(index.row());
        case Qt::ForegroundRole:
            return QColor(Qt::white);
        case Qt::ToolTipRole:
            return d.polozka(index.row()).Nazev;
        default:
            return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return QAbstractListModel::flags(index) | Qt::ItemIsUserCheckable;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (role != Qt::CheckStateRole || !index.isValid()) return false;
        m_frame->m_data.Zaskrtni(index.row(), value.toInt() == Qt::Checked);
        m_frame->obnov();
        emit m_frame->zmeneno();
        return true;
    }

    void reset()
    {
        beginResetModel();
        endResetModel();
    }

    void allChanged()
    {
        if (rowCount({}) > 0) emit dataChanged(index(0), index(rowCount({}) - 1));
    }

private:
    TFRAME_JvxCheckListBox_KUC* m_frame;
};

namespace
{

// The check box as usual, then the name in white on the category colour.
class KategorieDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const QWidget* w = option.widget;
        QStyle* style = w ? w->style() : QApplication::style();
        const QRect check = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &o, w);
        const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &o, w);

        // The indicator in the list's own colours: the item's white text colour
        // would draw the mark white on white.
        QStyleOptionViewItem ch = o;
        ch.palette = w ? w->palette() : QApplication::palette();
        ch.backgroundBrush = QBrush();
        ch.rect = check;
        ch.state = ch.state & ~QStyle::State_HasFocus;
        ch.state |= o.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
        if (w && w->isEnabled()) ch.state |= QStyle::State_Enabled;
        style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &ch, p, w);

        const QRect fill(text.left(), option.rect.top(), option.rect.right() - text.left() + 1,
                         option.rect.height());
        p->fillRect(fill, index.data(Qt::BackgroundRole).value<QColor>());
        p->setPen(Qt::white);
        p->drawText(fill.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect f;
            f.QStyleOption::operator=(option);
            f.rect = fill;
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &f, p, w);
        }
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(16);
        return s;
    }
};

} // namespace

TFRAME_JvxCheckListBox_KUC::TFRAME_JvxCheckListBox_KUC(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FRAME_JvxCheckListBox_KUC"));
    JvxCheckListBox1 = new QListView(this);
    JvxCheckListBox1->setObjectName(QStringLiteral("JvxCheckListBox1"));
    m_model = new KategorieModel(this);
    JvxCheckListBox1->setModel(m_model);
    JvxCheckListBox1->setItemDelegate(new KategorieDelegate(JvxCheckListBox1));
    JvxCheckListBox1->setUniformItemSizes(true);
    JvxCheckListBox1->setSelectionMode(QAbstractItemView::NoSelection);
    JvxCheckListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(JvxCheckListBox1);

    connect(JvxCheckListBox1, &QListView::clicked, this, [this] {
        m_data.Klik();
        obnov();
        emit zmeneno();
    });
    connect(JvxCheckListBox1, &QListView::doubleClicked, this, [this](const QModelIndex& i) {
        // The focused item, as the double click makes it current.
        const QModelIndex cur = JvxCheckListBox1->currentIndex();
        m_data.DvojKlik(cur.isValid() ? cur.row() : i.row());
        obnov();
        emit zmeneno();
    });
}

void TFRAME_JvxCheckListBox_KUC::obnov()
{
    m_model->allChanged();
    JvxCheckListBox1->viewport()->update();
}

void TFRAME_JvxCheckListBox_KUC::NastavDruh(bool hlavniRezim, const QString& druh)
{
    m_data.NastavDruh(hlavniRezim, druh);
    m_model->reset();
}

void TFRAME_JvxCheckListBox_KUC::NactiKategorie(int zaznamId, const QString& druh)
{
    m_data.NactiKategorie(zaznamId, druh);
    m_model->reset();
}

void TFRAME_JvxCheckListBox_KUC::OverHlavni()
{
    m_data.OverHlavni();
    obnov();
}

void TFRAME_JvxCheckListBox_KUC::NactiKategorieZeSouboru(const IniFile& soubor)
{
    m_data.NactiKategorieZeSouboru(soubor);
    obnov();
}

QRect TFRAME_JvxCheckListBox_KUC::rectZaskrtnuti(int i) const
{
    QStyleOptionViewItem o;
    o.initFrom(JvxCheckListBox1);
    o.rect = JvxCheckListBox1->visualRect(m_model->index(i));
    o.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    o.widget = JvxCheckListBox1;
    return JvxCheckListBox1->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &o,
                                                     JvxCheckListBox1);
}

QRect TFRAME_JvxCheckListBox_KUC::rectNazvu(int i) const
{
    const QRect r = JvxCheckListBox1->visualRect(m_model->index(i));
    return QRect(r.left() + r.width() / 2, r.top(), r.width() / 2, r.height());
}
