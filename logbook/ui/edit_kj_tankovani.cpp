#include "logbook/ui/edit_kj_tankovani.h"

#include "common/session.h"
#include "common/ui/ktcombobox.h"
#include "common/ui/kteditdc.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "logbook/jizda.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

Tedit_KJ_TANKOVANI::Tedit_KJ_TANKOVANI(QWidget* parent)
    : TEditorZaznamu(parent, QStringLiteral("edit_KJ_TANKOVANI"), QStringLiteral("Orvan - Tankování"), {})
{
    KTCB_AUTO = new TKTComboBox(this);
    KTCB_AUTO->setObjectName(QStringLiteral("KTCB_AUTO"));
    KTEDITDC_DATUM = new TKTEDITDC(this, 3);
    KTEDITDC_DATUM->setObjectName(QStringLiteral("KTEDITDC_DATUM"));
    Edit_LITRY = new QLineEdit(this);
    Edit_LITRY->setObjectName(QStringLiteral("Edit_LITRY"));
    Edit_CENA = new QLineEdit(this);
    Edit_CENA->setObjectName(QStringLiteral("Edit_CENA"));
    Edit_TACHOMETR = new QLineEdit(this);
    Edit_TACHOMETR->setObjectName(QStringLiteral("Edit_TACHOMETR"));
    auto* f = new QFormLayout;
    f->addRow(QStringLiteral("Auto"), KTCB_AUTO);
    f->addRow(QStringLiteral("Datum"), KTEDITDC_DATUM);
    f->addRow(PoleLitry.popisek, Edit_LITRY);
    f->addRow(PoleCena.popisek, Edit_CENA);
    f->addRow(PoleTachometrTankovani.popisek, Edit_TACHOMETR);
    obsah()->addLayout(f);
    obsah()->addStretch(1);
    resize(380, 220);

    sledujZmeny({KTCB_AUTO, KTEDITDC_DATUM, Edit_LITRY, Edit_CENA, Edit_TACHOMETR});
}

void Tedit_KJ_TANKOVANI::vyprazdni()
{
    TKTDATASET auta;
    SQLDATA().NactiTabulku(SqlAuta(), auta);
    KTCB_AUTO->KTCLEAR();
    for (int r = 1; r <= auta.PocetRadku(); ++r)
        KTCB_AUTO->Pridej(auta.HodnotaInt(r, QStringLiteral("ID")),
                          auta.HodnotaJmeno(r, QStringLiteral("POPIS")));
    KTEDITDC_DATUM->clear();
    Edit_LITRY->clear();
    Edit_CENA->clear();
    Edit_TACHOMETR->clear();
}

bool Tedit_KJ_TANKOVANI::nactiZaznam(int id)
{
    TKTDATASET t;
    SQLDATA().NactiTabulku(VyplnSablonu(SqlNactiTankovani, {QString::number(id)}), t);
    if (t.PocetRadku() < 1) return false;
    const TankovaniPole p = TankovaniZRadku(t, 1);
    KTCB_AUTO->VyberID(p.AutoId);
    KTEDITDC_DATUM->setText(p.Datum);
    Edit_LITRY->setText(p.Litry);
    Edit_CENA->setText(p.Cena);
    Edit_TACHOMETR->setText(p.Tachometr);
    zapamatujPrecteny(p, t.HodnotaInt(1, QStringLiteral("REVIZE")));
    return true;
}

PravidloEditoru Tedit_KJ_TANKOVANI::pravidloAuta(int autoId) const
{
    TKTDATASET t;
    SQLDATA().NactiTabulku(
        QStringLiteral("select F_CIST,F_EDITOVAT,F_SMAZAT,F_ALARM,F_ADMINISTROVAT from kj_auto "
                       "where kj_auto_id=%1")
            .arg(autoId),
        t);
    return t.PocetRadku() < 1 ? PravidloNovehoZaznamu() : PravidloZaznamu(PravaZRadku(t, 1));
}

bool Tedit_KJ_TANKOVANI::smiMenit()
{
    return !pravidloAuta(KTCB_AUTO->VratZvoleneID()).JenCteni;
}

bool Tedit_KJ_TANKOVANI::smiSmazat()
{
    return OverSmazani(pravidloAuta(KTCB_AUTO->VratZvoleneID()));
}

TankovaniPole Tedit_KJ_TANKOVANI::pole() const
{
    return {KTCB_AUTO->VratZvoleneID(), KTEDITDC_DATUM->text(), Edit_LITRY->text(), Edit_CENA->text(),
            Edit_TACHOMETR->text()};
}

QString Tedit_KJ_TANKOVANI::chybaPoli()
{
    return ChybaTankovani(pole());
}

VysledekZapisu Tedit_KJ_TANKOVANI::zapis()
{
    return UlozTankovani(SQLDATA(), pole(), ZaznamID(), session().UzivatelID, precteny<TankovaniPole>());
}

VysledekZapisu Tedit_KJ_TANKOVANI::smaz()
{
    return SmazTankovani(SQLDATA(), ZaznamID());
}
