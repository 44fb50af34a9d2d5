#include "users/ui/edit_uzivskupina.h"

#include "common/ui/framecheckbox.h"
#include "data/sqldata.h"
#include "data/tablecolumns.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>

Tedit_UZIVSKUPINA::Tedit_UZIVSKUPINA(QWidget* parent)
    : TEditorSpravy(parent, QStringLiteral("edit_UZIVSKUPINA"),
                    QStringLiteral("Orvan - Editace uživatelské skupiny"), {.znovu = "SB_ZnovuNacist"})
{
    resize(754, 337);
    GroupBox_SKUPINA = new QGroupBox(QStringLiteral("Skupina"), this);
    GroupBox_SKUPINA->setObjectName(QStringLiteral("GroupBox_SKUPINA"));
    Edit_POPIS = new QLineEdit(GroupBox_SKUPINA);
    Edit_POPIS->setObjectName(QStringLiteral("Edit_POPIS"));
    auto* f = new QFormLayout(GroupBox_SKUPINA);
    f->addRow(QStringLiteral("Popis"), Edit_POPIS);
    FrameCheckBox1 = sestavObsah(GroupBox_SKUPINA, QStringLiteral("Uživatelé"), "GroupBox_UZIVATELE");
    GroupBox_UZIVATELE = static_cast<QGroupBox*>(FrameCheckBox1->parentWidget());

    // A changed name counts too: closing never drops it unasked.
    sledujZmeny({Edit_POPIS});
    editor::nastavDelkyPoli(this, DelkySloupcu(SQLDATA(), QStringLiteral("UZIVSKUPINA")));
}

void Tedit_UZIVSKUPINA::vyprazdni()
{
    Edit_POPIS->clear();
    FrameCheckBox1->NactiSeznam(SqlClenoveSkupiny(0));
}

bool Tedit_UZIVSKUPINA::nactiZaznam(int id)
{
    TKTDATASET t;
    SQLDATA().NactiTabulku(SqlNactiSkupinu.arg(id), t);
    if (t.PocetRadku() < 1) return false;
    Edit_POPIS->setText(t.HodnotaJmeno(1, QStringLiteral("POPIS")));
    FrameCheckBox1->NactiSeznam(SqlClenoveSkupiny(id));
    zapamatujPrecteny(id, t.HodnotaInt(1, QStringLiteral("REVIZE")));
    return true;
}

SkupinaPole Tedit_UZIVSKUPINA::pole() const
{
    SkupinaPole s;
    s.Popis = Edit_POPIS->text();
    for (int i = 0; i < FrameCheckBox1->Pocet(); ++i)
        if (FrameCheckBox1->Zaskrtnuto(i)) s.Clenove << FrameCheckBox1->ID(i);
    return s;
}

QString Tedit_UZIVSKUPINA::chybaPoli()
{
    return ChybaSkupiny(SQLDATA(), pole(), ZaznamID());
}

VysledekZapisu Tedit_UZIVSKUPINA::zapis()
{
    return UlozSkupinu(SQLDATA(), pole(), ZaznamID(), prectenaRevize());
}

QString Tedit_UZIVSKUPINA::chybaSmazani()
{
    return ChybaSmazaniSkupiny(SQLDATA(), ZaznamID());
}

VysledekZapisu Tedit_UZIVSKUPINA::smaz()
{
    return SmazSkupinu(SQLDATA(), ZaznamID());
}
