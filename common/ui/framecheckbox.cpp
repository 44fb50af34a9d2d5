#include "common/ui/framecheckbox.h"

#include "common/ui/toolbutton.h"

#include "data/sqldata.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QToolButton>
#include <QVBoxLayout>

TFrameCheckBox::TFrameCheckBox(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrameCheckBox"));
    JvCheckListBox1 = new QListWidget(this);
    JvCheckListBox1->setObjectName(QStringLiteral("JvCheckListBox1"));

    auto* pruh = new QWidget(this);
    pruh->setFixedHeight(28);
    SB_OznacVse = tlacitko(pruh, "SB_OznacVse", QStringLiteral("✓"), QStringLiteral("Označ vše"));
    SB_OdoznacVse = tlacitko(pruh, "SB_OdoznacVse", QStringLiteral("☐"), QStringLiteral("Odoznač vše"));
    SB_ObratOznaceni =
        tlacitko(pruh, "SB_ObratOznaceni", QStringLiteral("⇄"), QStringLiteral("Obrať označení"));
    auto* h = new QHBoxLayout(pruh);
    h->setContentsMargins(2, 2, 2, 2);
    h->addWidget(SB_OznacVse);
    h->addWidget(SB_OdoznacVse);
    h->addWidget(SB_ObratOznaceni);
    h->addStretch(1);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(JvCheckListBox1, 1);
    v->addWidget(pruh);

    connect(SB_OznacVse, &QToolButton::clicked, this, [this] { nastavVse(1); });
    connect(SB_OdoznacVse, &QToolButton::clicked, this, [this] { nastavVse(0); });
    connect(SB_ObratOznaceni, &QToolButton::clicked, this, [this] { nastavVse(2); });
    connect(JvCheckListBox1, &QListWidget::itemChanged, this, [this] {
        if (!m_plneni) oznacZmenu();
    });
    connect(JvCheckListBox1, &QListWidget::itemClicked, this, [this] { oznacZmenu(); });
}

void TFrameCheckBox::oznacZmenu()
{
    m_zmeneno = true;
    emit zmeneno();
}

void TFrameCheckBox::NactiSeznam(const QString& sql)
{
    {
        QScopedValueRollback guard(m_plneni, true);
        JvCheckListBox1->clear();
        m_ids.clear();
    }
    m_zmeneno = false;
    TKTDATASET t;
    SQLDATA().NactiTabulku(sql, t);
    QScopedValueRollback guard(m_plneni, true);
    for (int r = 1; r <= t.PocetRadku(); ++r) {
        m_ids << t.HodnotaJmeno(r, QStringLiteral("ID"));
        auto* item = new QListWidgetItem(t.HodnotaJmeno(r, QStringLiteral("POPIS")), JvCheckListBox1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        const QString h = t.HodnotaJmeno(r, QStringLiteral("HODNOTA"));
        item->setCheckState(!h.isEmpty() && h != QLatin1String("0") ? Qt::Checked : Qt::Unchecked);
    }
}

int TFrameCheckBox::Pocet() const
{
    return JvCheckListBox1->count();
}

bool TFrameCheckBox::Zaskrtnuto(int i) const
{
    const QListWidgetItem* item = JvCheckListBox1->item(i);
    return item && item->checkState() == Qt::Checked;
}

void TFrameCheckBox::setZaskrtnuto(int i, bool checked)
{
    if (QListWidgetItem* item = JvCheckListBox1->item(i)) {
        QScopedValueRollback guard(m_plneni, true);
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

void TFrameCheckBox::nastavVse(int rezim)
{
    {
        QScopedValueRollback guard(m_plneni, true);
        for (int i = 0; i < JvCheckListBox1->count(); ++i) {
            QListWidgetItem* item = JvCheckListBox1->item(i);
            const bool zaskrtnout = rezim == 2 ? item->checkState() != Qt::Checked : rezim == 1;
            item->setCheckState(zaskrtnout ? Qt::Checked : Qt::Unchecked);
        }
    }
    oznacZmenu();
}
