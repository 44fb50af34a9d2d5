#include "logbook/ui/form_mesicnivykaz.h"

#include "logbook/jizda.h"

#include "common/action.h"
#include "common/modal.h"
#include "common/ui/dialogs.h"
#include "common/ui/ktcombobox.h"
#include "data/sqldata.h"
#include "overview/ui/form_previewprint.h"

#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

TForm_MesicniVykaz::TForm_MesicniVykaz(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_MesicniVykaz"));
    setWindowTitle(QStringLiteral("Orvan - Měsíční výkaz jízd"));
    SE_ROK = new QSpinBox(this);
    SE_ROK->setObjectName(QStringLiteral("SE_ROK"));
    SE_ROK->setRange(2000, 2100);
    SE_MESIC = new QSpinBox(this);
    SE_MESIC->setObjectName(QStringLiteral("SE_MESIC"));
    SE_MESIC->setRange(1, 12);
    KTCB_AUTO = new TKTComboBox(this);
    KTCB_AUTO->setObjectName(QStringLiteral("KTCB_AUTO"));
    Button_NAHLED = new QPushButton(QStringLiteral("Náhled a tisk"), this);
    Button_NAHLED->setObjectName(QStringLiteral("Button_NAHLED"));
    Button_CSV = new QPushButton(QStringLiteral("Uložit CSV"), this);
    Button_CSV->setObjectName(QStringLiteral("Button_CSV"));
    Button_ZAVRIT = new QPushButton(QStringLiteral("Zavřít"), this);
    Button_ZAVRIT->setObjectName(QStringLiteral("Button_ZAVRIT"));

    auto* g = new QGridLayout(this);
    g->addWidget(new QLabel(QStringLiteral("Měsíc"), this), 0, 0);
    g->addWidget(SE_MESIC, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Rok"), this), 0, 2);
    g->addWidget(SE_ROK, 0, 3);
    g->addWidget(new QLabel(QStringLiteral("Auto"), this), 1, 0);
    g->addWidget(KTCB_AUTO, 1, 1, 1, 3);
    auto* h = new QHBoxLayout;
    h->addWidget(Button_NAHLED);
    h->addWidget(Button_CSV);
    h->addStretch(1);
    h->addWidget(Button_ZAVRIT);
    g->addLayout(h, 2, 0, 1, 4);
    g->setColumnStretch(3, 1);
    resize(420, 120);

    connect(Button_NAHLED, &QPushButton::clicked, this, akce(this, &TForm_MesicniVykaz::NahledClick));
    connect(Button_CSV, &QPushButton::clicked, this, akce(this, &TForm_MesicniVykaz::CsvClick));
    connect(Button_ZAVRIT, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm_MesicniVykaz::Priprav(int rok, int mesic)
{
    SE_ROK->setValue(rok);
    SE_MESIC->setValue(mesic);
    const int predtim = KTCB_AUTO->count() > 0 ? KTCB_AUTO->VratZvoleneID() : 0;
    TKTDATASET t;
    SQLDATA().NactiTabulku(SqlAuta(), t);
    KTCB_AUTO->KTCLEAR();
    KTCB_AUTO->Pridej(0, QStringLiteral("Všechna auta"));
    for (int r = 1; r <= t.PocetRadku(); ++r)
        KTCB_AUTO->Pridej(t.HodnotaInt(r, QStringLiteral("ID")), t.HodnotaJmeno(r, QStringLiteral("POPIS")));
    KTCB_AUTO->VyberID(predtim);
}

MesicniVykaz TForm_MesicniVykaz::Vykaz() const
{
    return SestavMesicniVykaz(SQLDATA(), SE_ROK->value(), SE_MESIC->value(), KTCB_AUTO->VratZvoleneID());
}

void TForm_MesicniVykaz::UlozCsv(const QString& soubor) const
{
    QFile f(soubor);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(VykazCsv(Vykaz())) < 0 || !f.flush())
        throw ActionError(QStringLiteral("Soubor %1 nelze zapsat: %2").arg(soubor, f.errorString()));
}

void TForm_MesicniVykaz::NahledClick()
{
    TForm_PreviewPrint* nahled = TForm_PreviewPrint::Instance(parentWidget());
    {
        const Presypaci hodiny;
        RozvrhniVykaz(nahled->Dokument(), Vykaz());
    }
    const modal::Scope otevreno;
    nahled->exec();
}

void TForm_MesicniVykaz::CsvClick()
{
    const QString soubor = dialogs::saveFileName(this, QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"));
    if (soubor.isEmpty()) return;
    UlozCsv(soubor);
}
