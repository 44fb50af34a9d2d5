#include "logbook/ui/edit_kj_auto.h"

#include "common/session.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "data/tablecolumns.h"
#include "records/ui/frame_prava.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

Tedit_KJ_AUTO::Tedit_KJ_AUTO(QWidget* parent)
    : TEditorZaznamu(parent, QStringLiteral("edit_KJ_AUTO"), QStringLiteral("Orvan - Editace Auta "), {})
{
    GroupBox_AUTO = new QGroupBox(QStringLiteral("Auto"), this);
    GroupBox_AUTO->setObjectName(QStringLiteral("GroupBox_AUTO"));
    Edit_SPZ = new QLineEdit(GroupBox_AUTO);
    Edit_SPZ->setObjectName(QStringLiteral("Edit_SPZ"));
    Edit_POPIS = new QLineEdit(GroupBox_AUTO);
    Edit_POPIS->setObjectName(QStringLiteral("Edit_POPIS"));
    CB_PALIVO = new QComboBox(GroupBox_AUTO);
    CB_PALIVO->setObjectName(QStringLiteral("CB_PALIVO"));
    CB_PALIVO->setEditable(true);
    CB_PALIVO->addItems(DruhyPaliva());
    Edit_SPOTREBA = new QLineEdit(GroupBox_AUTO);
    Edit_SPOTREBA->setObjectName(QStringLiteral("Edit_SPOTREBA"));
    Edit_SPOTREBA->setPlaceholderText(QStringLiteral("l/100 km podle technického průkazu"));
    Edit_TACHOMETR_START = new QLineEdit(GroupBox_AUTO);
    Edit_TACHOMETR_START->setObjectName(QStringLiteral("Edit_TACHOMETR_START"));
    Edit_TACHOMETR_START->setPlaceholderText(QStringLiteral("km při začátku používání"));
    auto* f = new QFormLayout(GroupBox_AUTO);
    f->addRow(QStringLiteral("SPZ"), Edit_SPZ);
    f->addRow(QStringLiteral("Popis"), Edit_POPIS);
    f->addRow(QStringLiteral("Palivo"), CB_PALIVO);
    f->addRow(PoleSpotreba.popisek, Edit_SPOTREBA);
    f->addRow(PoleTachometrStart.popisek, Edit_TACHOMETR_START);

    obsah()->addWidget(GroupBox_AUTO);
    obsah()->addWidget(sestavPrava(this, Frame_Prava1));
    obsah()->addStretch(1);
    resize(420, 320);

    // Typing in the plate or the description is a change like any other.
    sledujZmeny({Edit_SPZ, Edit_POPIS, CB_PALIVO, Edit_SPOTREBA, Edit_TACHOMETR_START});
    editor::nastavDelkyPoli(this, DelkySloupcu(SQLDATA(), QStringLiteral("KJ_AUTO")));
}

void Tedit_KJ_AUTO::vyprazdni()
{
    Edit_SPZ->clear();
    Edit_POPIS->clear();
    CB_PALIVO->setEditText(QString());
    Edit_SPOTREBA->clear();
    Edit_TACHOMETR_START->clear();
}

bool Tedit_KJ_AUTO::nactiZaznam(int id)
{
    TKTDATASET t;
    SQLDATA().NactiTabulku(VyplnSablonu(SqlNactiAuto, {QString::number(id)}), t);
    if (t.PocetRadku() < 1) return false;
    const AutoPole a = AutoZRadku(t, 1);
    Edit_SPZ->setText(a.Spz);
    Edit_POPIS->setText(a.Popis);
    CB_PALIVO->setEditText(a.Palivo);
    Edit_SPOTREBA->setText(a.Spotreba);
    Edit_TACHOMETR_START->setText(a.TachometrStart);
    nastavPravaZaznamu(a.Prava);
    zapamatujPrecteny(a, t.HodnotaInt(1, QStringLiteral("REVIZE")));
    return true;
}

void Tedit_KJ_AUTO::zamkniPole(bool jenCteni)
{
    for (QWidget* w : std::initializer_list<QWidget*>{Edit_SPZ, Edit_POPIS, CB_PALIVO, Edit_SPOTREBA,
                                                      Edit_TACHOMETR_START})
        w->setEnabled(!jenCteni);
}

AutoPole Tedit_KJ_AUTO::pole() const
{
    AutoPole a;
    a.Spz = Edit_SPZ->text();
    a.Popis = Edit_POPIS->text();
    a.Prava = Frame_Prava1->Prava();
    a.Palivo = CB_PALIVO->currentText();
    a.Spotreba = Edit_SPOTREBA->text();
    a.TachometrStart = Edit_TACHOMETR_START->text();
    return a;
}

QString Tedit_KJ_AUTO::chybaPoli()
{
    return ChybaAuta(pole());
}

VysledekZapisu Tedit_KJ_AUTO::zapis()
{
    return UlozAuto(SQLDATA(), pole(), ZaznamID(), session().UzivatelID, precteny<AutoPole>());
}

VysledekZapisu Tedit_KJ_AUTO::smaz()
{
    return SmazAuto(SQLDATA(), ZaznamID());
}
