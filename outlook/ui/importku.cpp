#include "outlook/ui/importku.h"

#include "outlook/zaznamyvymeny.h"

#include "common/action.h"
#include "common/messages.h"
#include "common/modal.h"
#include "common/session.h"
#include "common/ui/dialogs.h"
#include "data/sqldata.h"
#include "records/ui/frame_jvxchecklistbox_kuc.h"
#include "records/ui/frame_prava.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QVBoxLayout>

TImportKU::TImportKU(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ImportKU"));
    setWindowTitle(QStringLiteral("Orvan Import"));

    Frame_Prava1 = new TFrame_Prava(this);
    Frame_Prava1->setObjectName(QStringLiteral("Frame_Prava1"));
    FRAME_JvxCheckListBox_KUC1 = new TFRAME_JvxCheckListBox_KUC(this);
    FRAME_JvxCheckListBox_KUC1->setObjectName(QStringLiteral("FRAME_JvxCheckListBox_KUC1"));
    FRAME_JvxCheckListBox_KUC2 = new TFRAME_JvxCheckListBox_KUC(this);
    FRAME_JvxCheckListBox_KUC2->setObjectName(QStringLiteral("FRAME_JvxCheckListBox_KUC2"));

    auto* radio = new QGroupBox(QStringLiteral("Pokud cílový záznam existuje tak:"), this);
    radio->setObjectName(QStringLiteral("RadioGroup1"));
    RB_1 = new QRadioButton(QStringLiteral("přidat jako další"), radio);
    RB_2 = new QRadioButton(QStringLiteral("přepsat"), radio);
    RB_3 = new QRadioButton(QStringLiteral("nepřepisovat, neimportovat"), radio);
    RB_1->setObjectName(QStringLiteral("RB_1"));
    RB_2->setObjectName(QStringLiteral("RB_2"));
    RB_3->setObjectName(QStringLiteral("RB_3"));
    auto* rv = new QVBoxLayout(radio);
    for (QRadioButton* b : {RB_1, RB_2, RB_3})
        rv->addWidget(b);

    Button_Import_Kalendar = new QPushButton(QStringLiteral("Import kalendáře"), this);
    Button_Import_Kalendar->setObjectName(QStringLiteral("Button_Import_Kalendar"));
    Button_Import_Kalendar->setToolTip(QStringLiteral("Události ze souborů iCalendar (.ics)"));
    Button_Import_Adresar = new QPushButton(QStringLiteral("Import adresáře"), this);
    Button_Import_Adresar->setObjectName(QStringLiteral("Button_Import_Adresar"));
    Button_Import_Adresar->setToolTip(QStringLiteral("Kontakty ze souborů vCard (.vcf)"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->hide();

    auto* g = new QGridLayout(this);
    auto* prava = new QGroupBox(QStringLiteral("Práva importovaných záznamů"), this);
    (new QVBoxLayout(prava))->addWidget(Frame_Prava1);
    g->addWidget(prava, 0, 0);
    g->addWidget(radio, 1, 0);
    auto* k1 = new QGroupBox(QStringLiteral("Kategorie událostí"), this);
    (new QVBoxLayout(k1))->addWidget(FRAME_JvxCheckListBox_KUC1);
    auto* k2 = new QGroupBox(QStringLiteral("Kategorie adres"), this);
    (new QVBoxLayout(k2))->addWidget(FRAME_JvxCheckListBox_KUC2);
    g->addWidget(k1, 0, 1, 2, 1);
    g->addWidget(k2, 0, 2, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button_Import_Kalendar);
    buttons->addWidget(Button_Import_Adresar);
    buttons->addWidget(ProgressBar1, 1);
    g->addLayout(buttons, 2, 0, 1, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(2, 1);
    resize(760, 380);

    connect(Button_Import_Kalendar, &QPushButton::clicked, this,
            akce(this, &TImportKU::Button_Import_KalendarClick));
    connect(Button_Import_Adresar, &QPushButton::clicked, this,
            akce(this, &TImportKU::Button_Import_AdresarClick));
}

void TImportKU::nastavVychozi()
{
    const int s = session().VychoziSkupina;
    Frame_Prava1->NactiPrava(s, s, s, s, s);
    FRAME_JvxCheckListBox_KUC1->NastavDruh(true, QStringLiteral("KU"));
    FRAME_JvxCheckListBox_KUC1->NactiKategorie(0, QStringLiteral("KU"));
    FRAME_JvxCheckListBox_KUC2->NastavDruh(true, QStringLiteral("ADRESAR"));
    FRAME_JvxCheckListBox_KUC2->NactiKategorie(0, QStringLiteral("ADRESAR"));
    RB_1->setChecked(true);
}

int TImportKU::Otevri()
{
    // Only opening resets the choices: a box shown during an import must not.
    runAction([this] { nastavVychozi(); });
    const modal::Scope open;
    return exec();
}

template <typename F>
void TImportKU::importuj(QPushButton* tlacitko, const QString& filtr, const QString& pripona, F run)
{
    const QStringList soubory = dialogs::openFileNames(this, filtr, pripona);
    if (soubory.isEmpty()) return;
    tlacitko->setEnabled(false);
    const auto obnov = qScopeGuard([&] {
        tlacitko->setEnabled(true);
        ProgressBar1->hide();
    });
    NastaveniImportu n;
    n.prava = Frame_Prava1->Prava();
    n.duplicita = RB_2->isChecked()   ? Duplicita::Prepsat
                  : RB_3->isChecked() ? Duplicita::Preskocit
                                      : Duplicita::Pridat;
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    const auto prubeh = [this](int i, int pocet) {
        ProgressBar1->setRange(0, pocet);
        ProgressBar1->setValue(i);
    };
    SouboroveUloziste uloziste(soubory, QString(), QDateTime::currentDateTimeUtc());
    const PocitadlaImportu p = run(uloziste, n, prubeh);
    messages::info(p.Text(), p.Podrobnosti());
    accept();
}

void TImportKU::Button_Import_KalendarClick()
{
    importuj(Button_Import_Kalendar, QStringLiteral("Kalendář iCalendar|*.ics"), QStringLiteral("ics"),
             [this](UlozisteVymeny& u, NastaveniImportu& n, const PrubehImportu& prubeh) {
                 const QList<Schuzka> polozky = u.NactiKalendar();
                 n.kategorie = &FRAME_JvxCheckListBox_KUC1->data();
                 // Asked once for the whole file; nothing cancelled is ever added.
                 if (const int zrusene = PocetZrusenych(SQLDATA(), polozky); zrusene > 0)
                     n.smazatZrusene = messages::confirm(
                         QStringLiteral("Soubor ruší události, které smíte smazat (%1). Chcete je smazat ?")
                             .arg(zrusene));
                 return ImportujKalendar(SQLDATA(), polozky, n, prubeh);
             });
}

void TImportKU::Button_Import_AdresarClick()
{
    importuj(Button_Import_Adresar, QStringLiteral("Kontakty vCard|*.vcf"), QStringLiteral("vcf"),
             [this](UlozisteVymeny& u, NastaveniImportu& n, const PrubehImportu& prubeh) {
                 const QList<Kontakt> polozky = u.NactiKontakty();
                 n.kategorie = &FRAME_JvxCheckListBox_KUC2->data();
                 return ImportujKontakty(SQLDATA(), polozky, n, prubeh);
             });
}
