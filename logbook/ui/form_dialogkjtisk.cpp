#include "logbook/ui/form_dialogkjtisk.h"

#include "logbook/jizda.h"
#include "logbook/tiskjizd.h"

#include "common/messages.h"
#include "common/modal.h"
#include "common/ui/ktcombobox.h"
#include "common/ui/kteditdc.h"
#include "data/sqldata.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForm_DialogKJTisk::TForm_DialogKJTisk(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_DialogKJTisk"));
    setWindowTitle(QStringLiteral("Orvan - Rozsah přehledu"));
    KTCB_AUTO = new TKTComboBox(this);
    KTCB_AUTO->setObjectName(QStringLiteral("KTCB_AUTO"));
    KTEDITDC_OD = new TKTEDITDC(this, 3);
    KTEDITDC_OD->setObjectName(QStringLiteral("KTEDITDC_OD"));
    KTEDITDC_DO = new TKTEDITDC(this, 3);
    KTEDITDC_DO->setObjectName(QStringLiteral("KTEDITDC_DO"));
    Edit_Titulek_1 = new QLineEdit(this);
    Edit_Titulek_1->setObjectName(QStringLiteral("Edit_Titulek_1"));
    Edit_Titulek_2 = new QLineEdit(this);
    Edit_Titulek_2->setObjectName(QStringLiteral("Edit_Titulek_2"));
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* g = new QGridLayout(this);
    g->addWidget(new QLabel(QStringLiteral("Auto"), this), 0, 0);
    g->addWidget(KTCB_AUTO, 0, 1, 1, 3);
    auto* lOd = new QLabel(QStringLiteral("Od"), this);
    auto* lDo = new QLabel(QStringLiteral("Do"), this);
    auto* lTitulek = new QLabel(QStringLiteral("Titulek"), this);
    g->addWidget(lOd, 1, 0);
    g->addWidget(KTEDITDC_OD, 1, 1);
    g->addWidget(lDo, 1, 2);
    g->addWidget(KTEDITDC_DO, 1, 3);
    g->addWidget(lTitulek, 2, 0);
    g->addWidget(Edit_Titulek_1, 2, 1, 1, 3);
    g->addWidget(Edit_Titulek_2, 3, 1, 1, 3);
    auto* tlacitka = new QHBoxLayout;
    tlacitka->addStretch(1);
    tlacitka->addWidget(OKBtn);
    tlacitka->addWidget(CancelBtn);
    g->addLayout(tlacitka, 4, 0, 1, 4);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    m_rozsah = {lOd, lDo, lTitulek, KTEDITDC_OD, KTEDITDC_DO, Edit_Titulek_1, Edit_Titulek_2};
    setFixedSize(420, 170);

    connect(OKBtn, &QPushButton::clicked, this, [this] {
        m_potvrzeno = true;
        accept();
    });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm_DialogKJTisk::NastavRezim(bool jenAuto)
{
    m_jenAuto = jenAuto;
    for (QWidget* w : m_rozsah)
        w->setVisible(!jenAuto);
}

void TForm_DialogKJTisk::NactiAuta()
{
    const int predtim = KTCB_AUTO->VratZvoleneID();
    TKTDATASET t;
    SQLDATA().NactiTabulku(SqlAuta(), t);
    KTCB_AUTO->KTCLEAR();
    for (int r = 1; r <= t.PocetRadku(); ++r)
        KTCB_AUTO->Pridej(t.HodnotaInt(r, QStringLiteral("ID")), t.HodnotaJmeno(r, QStringLiteral("POPIS")));
    if (predtim > 0) KTCB_AUTO->VyberID(predtim);
}

void TForm_DialogKJTisk::showEvent(QShowEvent* event)
{
    m_potvrzeno = false;
    QDialog::showEvent(event);
}

bool TForm_DialogKJTisk::Zeptej()
{
    NactiAuta();
    m_potvrzeno = false;
    {
        const modal::Scope otevreno;
        exec();
    }
    if (!m_potvrzeno) return false;
    if (VybraneAuto() <= 0) {
        messages::error(TextZadneAuto);
        return false;
    }
    return true;
}

int TForm_DialogKJTisk::VybraneAuto() const
{
    return KTCB_AUTO->VratZvoleneID();
}

QString TForm_DialogKJTisk::Od() const
{
    return m_jenAuto ? QString() : KTEDITDC_OD->text();
}

QString TForm_DialogKJTisk::Do() const
{
    return m_jenAuto ? QString() : KTEDITDC_DO->text();
}
