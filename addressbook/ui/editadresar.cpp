#include "addressbook/ui/editadresar.h"

#include "addressbook/adresa.h"

#include "common/action.h"
#include "common/messages.h"
#include "common/ui/shell.h"
#include "common/ui/toolbutton.h"
#include "data/sqldata.h"
#include "data/tablecolumns.h"
#include "records/pravazaznamu.h"
#include "records/staveditoru.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{

QLineEdit* edit(QWidget* rodic, const char* name)
{
    auto* e = new QLineEdit(rodic);
    e->setObjectName(QLatin1String(name));
    return e;
}
} // namespace

TEditadresar::TEditadresar(QWidget* parent)
    : TEditorZaznamu(parent, QStringLiteral("Editadresar"), QStringLiteral("Edit Adresáře"),
                     {.ulozit = "SB_Save", .smazat = "SB_Delete", .znovu = nullptr, .popisky = false})
{
    resize(460, 400);

    CB_TYP = new QComboBox(this);
    CB_TYP->setObjectName(QStringLiteral("CB_TYP"));
    CB_TYP->addItems(TypySpecAdres());
    Edit_NAZEV = edit(this, "Edit_NAZEV");
    Edit_JMENO = edit(this, "Edit_JMENO");
    Edit_PRIJMENI = edit(this, "Edit_PRIJMENI");
    Edit_EMAIL = edit(this, "Edit_EMAIL");
    SB_SendMail =
        tlacitko(this, "SB_SendMail", QStringLiteral("@"), QStringLiteral("Otevře mailového klienta"));
    Edit_TELEFON1 = edit(this, "Edit_TELEFON1");
    Edit_TELEFON2 = edit(this, "Edit_TELEFON2");
    Edit_ULICE = edit(this, "Edit_ULICE");
    Edit_PSC = edit(this, "Edit_PSC");
    Edit_MESTO = edit(this, "Edit_MESTO");
    Edit_STAT = edit(this, "Edit_STAT");
    Edit_POZNAMKA = edit(this, "Edit_POZNAMKA");
    ChB_ZASILAT_INFORMACE = new QCheckBox(QStringLiteral("Zasílat info"), this);
    ChB_ZASILAT_INFORMACE->setObjectName(QStringLiteral("ChB_ZASILAT_INFORMACE"));

    auto* g = new QGridLayout;
    int r = 0;
    const auto radek = [&](const QString& text, QWidget* w, QWidget* vedle = nullptr) {
        g->addWidget(new QLabel(text, this), r, 0);
        g->addWidget(w, r, 1, 1, vedle ? 1 : 2);
        if (vedle) g->addWidget(vedle, r, 2);
        ++r;
    };
    radek(QStringLiteral("Typ"), CB_TYP);
    radek(QStringLiteral("Název"), Edit_NAZEV);
    radek(QStringLiteral("Jméno"), Edit_JMENO);
    radek(QStringLiteral("Příjmení"), Edit_PRIJMENI);
    radek(QStringLiteral("Email"), Edit_EMAIL, SB_SendMail);
    radek(QStringLiteral("Telefon 1"), Edit_TELEFON1);
    radek(QStringLiteral("Telefon 2"), Edit_TELEFON2);
    radek(QStringLiteral("Ulice"), Edit_ULICE);
    radek(QStringLiteral("PSČ"), Edit_PSC);
    radek(QStringLiteral("Město"), Edit_MESTO);
    radek(QStringLiteral("Stát"), Edit_STAT);
    radek(QStringLiteral("Poznámka"), Edit_POZNAMKA);
    g->addWidget(ChB_ZASILAT_INFORMACE, r, 1, 1, 2);
    g->setColumnStretch(1, 1);

    g->setContentsMargins(2, 0, 2, 2);
    obsah()->addLayout(g);
    obsah()->addStretch(1);

    connect(SB_SendMail, &QToolButton::clicked, this, akce(this, &TEditadresar::SB_SendMailClick));
    for (QLineEdit* e : texty())
        sledujZmeny({e});
    sledujZmeny({CB_TYP, ChB_ZASILAT_INFORMACE});
    editor::nastavDelkyPoli(this, DelkySloupcu(SQLDATA(), QStringLiteral("ADRESAR_SPEC")));
}

QList<QLineEdit*> TEditadresar::texty() const
{
    return {Edit_NAZEV, Edit_JMENO, Edit_PRIJMENI, Edit_EMAIL, Edit_TELEFON1, Edit_TELEFON2,
            Edit_ULICE, Edit_MESTO, Edit_PSC,      Edit_STAT,  Edit_POZNAMKA};
}

void TEditadresar::vyprazdni()
{
    m_typMimo = 0;
    for (QLineEdit* e : texty())
        e->clear();
    ChB_ZASILAT_INFORMACE->setChecked(false);
    CB_TYP->setCurrentIndex(0);
}

bool TEditadresar::nactiZaznam(int id)
{
    const std::optional<SpecAdresaPole> a = NactiSpecAdresu(SQLDATA(), id);
    if (!a) return false;
    Edit_NAZEV->setText(a->Nazev);
    Edit_JMENO->setText(a->Jmeno);
    Edit_PRIJMENI->setText(a->Prijmeni);
    Edit_EMAIL->setText(a->Email);
    Edit_TELEFON1->setText(a->Telefon1);
    Edit_TELEFON2->setText(a->Telefon2);
    Edit_ULICE->setText(a->Ulice);
    Edit_MESTO->setText(a->Mesto);
    Edit_PSC->setText(a->Psc);
    Edit_STAT->setText(a->Stat);
    Edit_POZNAMKA->setText(a->Poznamka);
    ChB_ZASILAT_INFORMACE->setChecked(a->ZasilatInformace);
    // A type outside the list shows none and is kept on save.
    CB_TYP->setCurrentIndex(a->Typ >= 0 && a->Typ < CB_TYP->count() ? a->Typ : -1);
    m_typMimo = a->Typ;
    zapamatujPrecteny(*a, a->Revize);
    return true;
}

SpecAdresaPole TEditadresar::pole() const
{
    SpecAdresaPole a;
    a.Nazev = Edit_NAZEV->text();
    a.Jmeno = Edit_JMENO->text();
    a.Prijmeni = Edit_PRIJMENI->text();
    a.Email = Edit_EMAIL->text();
    a.Telefon1 = Edit_TELEFON1->text();
    a.Telefon2 = Edit_TELEFON2->text();
    a.Ulice = Edit_ULICE->text();
    a.Mesto = Edit_MESTO->text();
    a.Psc = Edit_PSC->text();
    a.Stat = Edit_STAT->text();
    a.Poznamka = Edit_POZNAMKA->text();
    a.ZasilatInformace = ChB_ZASILAT_INFORMACE->isChecked();
    a.Typ = CB_TYP->currentIndex() >= 0 ? CB_TYP->currentIndex() : m_typMimo;
    return a;
}

VysledekZapisu TEditadresar::zapis()
{
    return UlozSpecAdresu(SQLDATA(), pole(), ZaznamID(), precteny<SpecAdresaPole>());
}

VysledekZapisu TEditadresar::smaz()
{
    return SmazSpecAdresu(SQLDATA(), ZaznamID());
}

void TEditadresar::SB_SendMailClick()
{
    // An empty address still opens the mail client, to write a new message.
    const std::optional<QUrl> u = MailAdresa(Edit_EMAIL->text());
    if (!shell::openUrl(u.value_or(QUrl(QStringLiteral("mailto:")))))
        messages::error(QStringLiteral("Poštovního klienta se nepodařilo spustit."));
}
