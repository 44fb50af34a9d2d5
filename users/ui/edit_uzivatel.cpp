#include "users/ui/edit_uzivatel.h"

#include "common/ui/framecheckbox.h"
#include "data/sqldata.h"
#include "data/tablecolumns.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>

namespace
{

template <typename T> T* pojmenuj(T* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

Tedit_UZIVATEL::Tedit_UZIVATEL(QWidget* parent)
    : TEditorSpravy(parent, QStringLiteral("edit_UZIVATEL"), QStringLiteral("Orvan - Editace Uživatele"),
                    {.znovu = "SB_ZnovuNacist"})
{
    resize(754, 337);
    GroupBox_UZIVATEL = pojmenuj(new QGroupBox(QStringLiteral("Uživatel"), this), "GroupBox_UZIVATEL");
    Edit_LOGIN = pojmenuj(new QLineEdit(GroupBox_UZIVATEL), "Edit_LOGIN");
    Edit_POPIS = pojmenuj(new QLineEdit(GroupBox_UZIVATEL), "Edit_POPIS");
    ChB_ADMINISTRATOR =
        pojmenuj(new QCheckBox(QStringLiteral("Administrátor"), GroupBox_UZIVATEL), "ChB_ADMINISTRATOR");
    Edit_HESLO = pojmenuj(new QLineEdit(GroupBox_UZIVATEL), "Edit_HESLO");
    Edit_HESLO->setEchoMode(QLineEdit::Password);
    ChB_PRAVO_PRIHLASENI = pojmenuj(new QCheckBox(QStringLiteral("Smí se přihlásit"), GroupBox_UZIVATEL),
                                    "ChB_PRAVO_PRIHLASENI");
    auto* f = new QFormLayout(GroupBox_UZIVATEL);
    f->addRow(QStringLiteral("Login"), Edit_LOGIN);
    f->addRow(QStringLiteral("Popis"), Edit_POPIS);
    f->addRow(QString(), ChB_ADMINISTRATOR);
    f->addRow(QStringLiteral("Heslo"), Edit_HESLO);
    f->addRow(QString(), ChB_PRAVO_PRIHLASENI);
    FrameCheckBox1 = sestavObsah(GroupBox_UZIVATEL, QStringLiteral("Patří do skupiny"), "GroupBox_SKUPINY");
    GroupBox_SKUPINY = static_cast<QGroupBox*>(FrameCheckBox1->parentWidget());

    // "Smí se přihlásit" counts as a change like every other field: nothing is dropped unasked.
    sledujZmeny({Edit_LOGIN, Edit_POPIS, ChB_ADMINISTRATOR, Edit_HESLO, ChB_PRAVO_PRIHLASENI});
    editor::nastavDelkyPoli(this, DelkySloupcu(SQLDATA(), QStringLiteral("UZIVATEL")));
    // The column holds the digest; the typed password has no such limit.
    Edit_HESLO->setMaxLength(200);
}

void Tedit_UZIVATEL::vyprazdni()
{
    Edit_LOGIN->clear();
    Edit_POPIS->clear();
    Edit_HESLO->clear();
    Edit_HESLO->setPlaceholderText(QString());
    ChB_ADMINISTRATOR->setChecked(false);
    ChB_PRAVO_PRIHLASENI->setChecked(true);
    FrameCheckBox1->NactiSeznam(SqlSkupinyUzivatele(0));
}

bool Tedit_UZIVATEL::nactiZaznam(int id)
{
    TKTDATASET t;
    SQLDATA().NactiTabulku(SqlNactiUzivatele.arg(id), t);
    if (t.PocetRadku() < 1) return false;
    const UzivatelPole u = UzivatelZRadku(t, 1);
    Edit_LOGIN->setText(u.Login);
    Edit_POPIS->setText(u.Popis);
    ChB_ADMINISTRATOR->setChecked(u.Administrator);
    ChB_PRAVO_PRIHLASENI->setChecked(u.PravoPrihlaseni);
    Edit_HESLO->setPlaceholderText(QStringLiteral("beze změny"));
    FrameCheckBox1->NactiSeznam(SqlSkupinyUzivatele(id));
    zapamatujPrecteny(u, t.HodnotaInt(1, QStringLiteral("REVIZE")));
    return true;
}

UzivatelPole Tedit_UZIVATEL::pole() const
{
    UzivatelPole u;
    u.Login = Edit_LOGIN->text();
    u.Popis = Edit_POPIS->text();
    u.Heslo = Edit_HESLO->text();
    u.Administrator = ChB_ADMINISTRATOR->isChecked();
    u.PravoPrihlaseni = ChB_PRAVO_PRIHLASENI->isChecked();
    for (int i = 0; i < FrameCheckBox1->Pocet(); ++i)
        if (FrameCheckBox1->Zaskrtnuto(i)) u.Skupiny << FrameCheckBox1->ID(i);
    return u;
}

QString Tedit_UZIVATEL::chybaPoli()
{
    return ChybaUzivatele(SQLDATA(), pole(), ZaznamID());
}

VysledekZapisu Tedit_UZIVATEL::zapis()
{
    return UlozUzivatele(SQLDATA(), pole(), ZaznamID(), prectenaRevize());
}

void Tedit_UZIVATEL::poUlozeni()
{
    TEditorSpravy::poUlozeni();
    const StavEditoru::Nacitani nacitani(stav());
    Edit_HESLO->clear();
    Edit_HESLO->setPlaceholderText(QStringLiteral("beze změny"));
}

QString Tedit_UZIVATEL::chybaSmazani()
{
    return ChybaSmazaniUzivatele(SQLDATA(), ZaznamID());
}

VysledekZapisu Tedit_UZIVATEL::smaz()
{
    return SmazUzivatele(SQLDATA(), ZaznamID());
}
