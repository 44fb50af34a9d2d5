#include "users/ui/edit_uzivatel.h"

#include "common/action.h"
#include "common/messages.h"
#include "common/ui/framecheckbox.h"
#include "common/ui/toolbutton.h"
#include "data/sqldata.h"
#include "data/tablecolumns.h"
#include "records/pravazaznamu.h"
#include "records/staveditoru.h"
#include "records/ui/editor.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>

namespace
{

template <typename T> T* pojmenuj(T* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

Tedit_UZIVATEL::Tedit_UZIVATEL(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("edit_UZIVATEL"));
    setWindowTitle(QStringLiteral("Orvan - Editace Uživatele"));
    resize(754, 337);

    auto* lista = new QWidget(this);
    SB_SAVE = tlacitko(lista, "SB_SAVE", QStyle::SP_DialogSaveButton, QStringLiteral("Uložit"),
                       QStringLiteral("Uložit"));
    SB_delete = tlacitko(lista, "SB_delete", QStyle::SP_TrashIcon, QStringLiteral("Smazat"),
                         QStringLiteral("Smazat"));
    SB_ZnovuNacist = tlacitko(lista, "SB_ZnovuNacist", QStyle::SP_BrowserReload, QString(),
                              QStringLiteral("Znovu načtení záznamu"));
    auto* h = new QHBoxLayout(lista);
    h->setContentsMargins(2, 2, 2, 2);
    h->setSpacing(2);
    for (QToolButton* b : {SB_SAVE, SB_delete, SB_ZnovuNacist})
        h->addWidget(b);
    h->addStretch(1);

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

    GroupBox_SKUPINY = pojmenuj(new QGroupBox(QStringLiteral("Patří do skupiny"), this), "GroupBox_SKUPINY");
    FrameCheckBox1 = pojmenuj(new TFrameCheckBox(GroupBox_SKUPINY), "FrameCheckBox1");
    auto* sk = new QVBoxLayout(GroupBox_SKUPINY);
    sk->setContentsMargins(2, 2, 2, 2);
    sk->addWidget(FrameCheckBox1);

    auto* obsah = new QHBoxLayout;
    obsah->addWidget(GroupBox_UZIVATEL, 1);
    obsah->addWidget(GroupBox_SKUPINY, 1);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(2, 2, 2, 2);
    v->addWidget(lista);
    v->addLayout(obsah, 1);

    connect(SB_SAVE, &QToolButton::clicked, this, akce(this, &Tedit_UZIVATEL::SB_SAVEClick));
    connect(SB_delete, &QToolButton::clicked, this, akce(this, &Tedit_UZIVATEL::SB_deleteClick));
    connect(SB_ZnovuNacist, &QToolButton::clicked, this, akce(this, &Tedit_UZIVATEL::SB_ZnovuNacistClick));
    // "Smí se přihlásit" counts as a change like every other field: nothing is dropped unasked.
    editor::sledujZmeny(m_stav,
                        {Edit_LOGIN, Edit_POPIS, ChB_ADMINISTRATOR, Edit_HESLO, ChB_PRAVO_PRIHLASENI});
    connect(FrameCheckBox1, &TFrameCheckBox::zmeneno, this, [this] { m_stav.oznacZmenu(); });
    editor::nastavDelkyPoli(this, DelkySloupcu(SQLDATA(), QStringLiteral("UZIVATEL")));
    // The column holds the digest; the typed password has no such limit.
    Edit_HESLO->setMaxLength(200);
}

bool Tedit_UZIVATEL::OtevriZpravou(int id)
{
    return editor::otevri(
        m_stav, [this] { return ulozenoNeboNelze(); }, [&] { Nacti_zaznam(id); });
}

void Tedit_UZIVATEL::Nacti_zaznam(int id)
{
    const StavEditoru::Nacitani nacitani(m_stav);
    Edit_LOGIN->clear();
    Edit_POPIS->clear();
    Edit_HESLO->clear();
    ChB_ADMINISTRATOR->setChecked(false);
    ChB_PRAVO_PRIHLASENI->setChecked(true);
    m_stav.setId(id);
    if (id != 0) {
        TKTDATASET t;
        SQLDATA().NactiTabulku(SqlNactiUzivatele.arg(id), t);
        if (t.PocetRadku() < 1) throw ActionError(QStringLiteral("Záznam %1 nebyl nalezen.").arg(id));
        const UzivatelPole u = UzivatelZRadku(t, 1);
        Edit_LOGIN->setText(u.Login);
        Edit_POPIS->setText(u.Popis);
        ChB_ADMINISTRATOR->setChecked(u.Administrator);
        ChB_PRAVO_PRIHLASENI->setChecked(u.PravoPrihlaseni);
    }
    Edit_HESLO->setPlaceholderText(id != 0 ? QStringLiteral("beze změny") : QString());
    FrameCheckBox1->NactiSeznam(SqlSkupinyUzivatele(id));

    m_jenCteni = !SmiSpravovatUzivatele();
    SB_delete->setVisible(id != 0);
    // Save stays enabled, so a user who is not an administrator hears why nothing is stored.
    for (QWidget* w : std::initializer_list<QWidget*>{GroupBox_UZIVATEL, GroupBox_SKUPINY})
        w->setEnabled(!m_jenCteni);
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

Tedit_UZIVATEL::Ulozeni Tedit_UZIVATEL::Uloz_zaznam()
{
    if (m_jenCteni || !JeStaleAdministratorem(SQLDATA())) {
        messages::error(TextNemateMenit);
        return Ulozeni::JenCteni;
    }
    const UzivatelPole u = pole();
    if (const QString chyba = ChybaUzivatele(SQLDATA(), u, m_stav.id()); !chyba.isEmpty()) {
        messages::error(chyba);
        return Ulozeni::Odmitnuto;
    }
    const VysledekZapisu v = UlozUzivatele(SQLDATA(), u, m_stav.id());
    if (!v.ok) {
        messages::error(v.chyba);
        return Ulozeni::ChybaServeru;
    }
    m_stav.setId(v.id);
    m_stav.zahodZmeny();
    FrameCheckBox1->setZmeneno(false);
    // The password field never keeps what was typed.
    {
        const StavEditoru::Nacitani nacitani(m_stav);
        Edit_HESLO->clear();
        Edit_HESLO->setPlaceholderText(QStringLiteral("beze změny"));
    }
    SB_delete->setVisible(true);
    return Ulozeni::Ulozeno;
}

bool Tedit_UZIVATEL::ulozenoNeboNelze()
{
    const Ulozeni u = Uloz_zaznam();
    return u == Ulozeni::Ulozeno || u == Ulozeni::JenCteni;
}

void Tedit_UZIVATEL::SB_SAVEClick()
{
    if (Uloz_zaznam() == Ulozeni::Ulozeno) close();
}

void Tedit_UZIVATEL::SB_deleteClick()
{
    const auto smi = [this] {
        if (m_jenCteni || !JeStaleAdministratorem(SQLDATA())) {
            messages::error(TextNemateSmazat);
            return false;
        }
        if (const QString chyba = ChybaSmazaniUzivatele(SQLDATA(), m_stav.id()); !chyba.isEmpty()) {
            messages::error(chyba);
            return false;
        }
        return messages::confirm(TextOpravduSmazat);
    };
    editor::smazAZavri(this, m_stav, smi, [this] { return SmazUzivatele(SQLDATA(), m_stav.id()); });
}

void Tedit_UZIVATEL::SB_ZnovuNacistClick()
{
    Nacti_zaznam(m_stav.id());
}

void Tedit_UZIVATEL::closeEvent(QCloseEvent* event)
{
    editor::zavri(event, m_stav, [this] { return ulozenoNeboNelze(); });
}
