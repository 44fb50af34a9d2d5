#include "logbook/ui/form_editsazby.h"

#include "common/action.h"
#include "common/messages.h"
#include "common/session.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/pravazaznamu.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

TForm_EditSazby::TForm_EditSazby(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_EditSazby"));
    setWindowTitle(QStringLiteral("Orvan - Sazby náhrad za použití vozidla"));
    SE_ROK = new QSpinBox(this);
    SE_ROK->setObjectName(QStringLiteral("SE_ROK"));
    SE_ROK->setRange(1990, 2200);
    Edit_ZAKLADNI = new QLineEdit(this);
    Edit_ZAKLADNI->setObjectName(QStringLiteral("Edit_ZAKLADNI"));
    Grid_CENY = new QTableWidget(0, 2, this);
    Grid_CENY->setObjectName(QStringLiteral("Grid_CENY"));
    Grid_CENY->setHorizontalHeaderLabels(
        {QStringLiteral("Palivo"), QStringLiteral("Průměrná cena Kč/l (kWh)")});
    Grid_CENY->horizontalHeader()->setStretchLastSection(true);
    Grid_CENY->verticalHeader()->hide();
    Button_ULOZIT = new QPushButton(QStringLiteral("Uložit"), this);
    Button_ULOZIT->setObjectName(QStringLiteral("Button_ULOZIT"));
    Button_ZAVRIT = new QPushButton(QStringLiteral("Zavřít"), this);
    Button_ZAVRIT->setObjectName(QStringLiteral("Button_ZAVRIT"));

    auto* f = new QFormLayout;
    f->addRow(QStringLiteral("Rok"), SE_ROK);
    f->addRow(QStringLiteral("Základní sazba Kč/km"), Edit_ZAKLADNI);
    auto* h = new QHBoxLayout;
    h->addStretch(1);
    h->addWidget(Button_ULOZIT);
    h->addWidget(Button_ZAVRIT);
    auto* v = new QVBoxLayout(this);
    v->addLayout(f);
    v->addWidget(new QLabel(QStringLiteral("Průměrné ceny pohonných hmot podle vyhlášky"), this));
    v->addWidget(Grid_CENY, 1);
    v->addLayout(h);
    resize(420, 360);

    connect(SE_ROK, &QSpinBox::valueChanged, this, [this](int rok) {
        if (!m_nacita) runAction([this, rok] { Nacti(rok); });
    });
    connect(Button_ULOZIT, &QPushButton::clicked, this, [this] { runAction([this] { Uloz(); }); });
    connect(Button_ZAVRIT, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm_EditSazby::Nacti(int rok)
{
    m_nacita = true;
    const SazbyRoku s = NactiSazby(SQLDATA(), rok);
    SE_ROK->setValue(rok);
    Edit_ZAKLADNI->setText(s.Zakladni);
    Grid_CENY->setRowCount(int(s.Ceny.size()));
    for (int r = 0; r < s.Ceny.size(); ++r) {
        auto* druh = new QTableWidgetItem(s.Ceny[r].first);
        druh->setFlags(druh->flags() & ~Qt::ItemIsEditable);
        Grid_CENY->setItem(r, 0, druh);
        Grid_CENY->setItem(r, 1, new QTableWidgetItem(s.Ceny[r].second));
    }
    m_jenCteni = !SmiSpravovatUzivatele();
    Edit_ZAKLADNI->setReadOnly(m_jenCteni);
    Grid_CENY->setEditTriggers(m_jenCteni ? QAbstractItemView::NoEditTriggers
                                          : QAbstractItemView::AllEditTriggers);
    Button_ULOZIT->setEnabled(!m_jenCteni);
    m_nacita = false;
}

SazbyRoku TForm_EditSazby::pole() const
{
    SazbyRoku s;
    s.Rok = SE_ROK->value();
    s.Zakladni = Edit_ZAKLADNI->text();
    for (int r = 0; r < Grid_CENY->rowCount(); ++r)
        s.Ceny.append({Grid_CENY->item(r, 0)->text(),
                       Grid_CENY->item(r, 1) ? Grid_CENY->item(r, 1)->text() : QString()});
    return s;
}

bool TForm_EditSazby::Uloz()
{
    // The flag is read again: a demoted administrator stores nothing.
    if (m_jenCteni || !JeStaleAdministratorem(SQLDATA())) {
        messages::error(TextNemateMenit);
        return false;
    }
    const SazbyRoku s = pole();
    if (!SazbyMajiPlatnaData(s)) {
        messages::error(TextChybnaData);
        return false;
    }
    const VysledekZapisu v = UlozSazby(SQLDATA(), s);
    if (!v.ok) {
        messages::error(v.chyba);
        return false;
    }
    return true;
}
