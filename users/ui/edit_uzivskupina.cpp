#include "users/ui/edit_uzivskupina.h"

#include "common/action.h"
#include "common/messages.h"
#include "common/ui/framecheckbox.h"
#include "common/ui/toolbutton.h"
#include "data/sqldata.h"
#include "data/tablecolumns.h"
#include "records/pravazaznamu.h"
#include "records/staveditoru.h"
#include "records/ui/editor.h"

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

Tedit_UZIVSKUPINA::Tedit_UZIVSKUPINA(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("edit_UZIVSKUPINA"));
    setWindowTitle(QStringLiteral("Orvan - Editace uživatelské skupiny"));
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

    GroupBox_SKUPINA = pojmenuj(new QGroupBox(QStringLiteral("Skupina"), this), "GroupBox_SKUPINA");
    Edit_POPIS = pojmenuj(new QLineEdit(GroupBox_SKUPINA), "Edit_POPIS");
    auto* f = new QFormLayout(GroupBox_SKUPINA);
    f->addRow(QStringLiteral("Popis"), Edit_POPIS);

    GroupBox_UZIVATELE = pojmenuj(new QGroupBox(QStringLiteral("Uživatelé"), this), "GroupBox_UZIVATELE");
    FrameCheckBox1 = pojmenuj(new TFrameCheckBox(GroupBox_UZIVATELE), "FrameCheckBox1");
    auto* u = new QVBoxLayout(GroupBox_UZIVATELE);
    u->setContentsMargins(2, 2, 2, 2);
    u->addWidget(FrameCheckBox1);

    auto* obsah = new QHBoxLayout;
    obsah->addWidget(GroupBox_SKUPINA, 1);
    obsah->addWidget(GroupBox_UZIVATELE, 1);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(2, 2, 2, 2);
    v->addWidget(lista);
    v->addLayout(obsah, 1);

    connect(SB_SAVE, &QToolButton::clicked, this, akce(this, &Tedit_UZIVSKUPINA::SB_SAVEClick));
    connect(SB_delete, &QToolButton::clicked, this, akce(this, &Tedit_UZIVSKUPINA::SB_deleteClick));
    connect(SB_ZnovuNacist, &QToolButton::clicked, this, akce(this, &Tedit_UZIVSKUPINA::SB_ZnovuNacistClick));
    // A changed name counts too: closing never drops it unasked.
    editor::sledujZmeny(m_stav, {Edit_POPIS});
    connect(FrameCheckBox1, &TFrameCheckBox::zmeneno, this, [this] { m_stav.oznacZmenu(); });
    editor::nastavDelkyPoli(this, DelkySloupcu(SQLDATA(), QStringLiteral("UZIVSKUPINA")));
}

bool Tedit_UZIVSKUPINA::OtevriZpravou(int id)
{
    return editor::otevri(
        m_stav, [this] { return ulozenoNeboNelze(); }, [&] { Nacti_zaznam(id); });
}

void Tedit_UZIVSKUPINA::Nacti_zaznam(int id)
{
    const StavEditoru::Nacitani nacitani(m_stav);
    Edit_POPIS->clear();
    m_stav.setId(id);
    if (id != 0) {
        TKTDATASET t;
        SQLDATA().NactiTabulku(SqlNactiSkupinu.arg(id), t);
        if (t.PocetRadku() < 1) throw ActionError(QStringLiteral("Záznam %1 nebyl nalezen.").arg(id));
        Edit_POPIS->setText(t.HodnotaJmeno(1, QStringLiteral("POPIS")));
    }
    FrameCheckBox1->NactiSeznam(SqlClenoveSkupiny(id));

    m_jenCteni = !SmiSpravovatUzivatele();
    SB_delete->setVisible(id != 0);
    // Save stays enabled, so a user who is not an administrator hears why nothing is stored.
    for (QWidget* w : std::initializer_list<QWidget*>{GroupBox_SKUPINA, GroupBox_UZIVATELE})
        w->setEnabled(!m_jenCteni);
}

SkupinaPole Tedit_UZIVSKUPINA::pole() const
{
    SkupinaPole s;
    s.Popis = Edit_POPIS->text();
    for (int i = 0; i < FrameCheckBox1->Pocet(); ++i)
        if (FrameCheckBox1->Zaskrtnuto(i)) s.Clenove << FrameCheckBox1->ID(i);
    return s;
}

Tedit_UZIVSKUPINA::Ulozeni Tedit_UZIVSKUPINA::Uloz_zaznam()
{
    if (m_jenCteni || !JeStaleAdministratorem(SQLDATA())) {
        messages::error(TextNemateMenit);
        return Ulozeni::JenCteni;
    }
    const SkupinaPole s = pole();
    if (const QString chyba = ChybaSkupiny(SQLDATA(), s, m_stav.id()); !chyba.isEmpty()) {
        messages::error(chyba);
        return Ulozeni::Odmitnuto;
    }
    const VysledekZapisu v = UlozSkupinu(SQLDATA(), s, m_stav.id());
    if (!v.ok) {
        messages::error(v.chyba);
        return Ulozeni::ChybaServeru;
    }
    m_stav.setId(v.id);
    m_stav.zahodZmeny();
    FrameCheckBox1->setZmeneno(false);
    SB_delete->setVisible(true);
    return Ulozeni::Ulozeno;
}

bool Tedit_UZIVSKUPINA::ulozenoNeboNelze()
{
    const Ulozeni u = Uloz_zaznam();
    return u == Ulozeni::Ulozeno || u == Ulozeni::JenCteni;
}

void Tedit_UZIVSKUPINA::SB_SAVEClick()
{
    if (Uloz_zaznam() == Ulozeni::Ulozeno) close();
}

void Tedit_UZIVSKUPINA::SB_deleteClick()
{
    const auto smi = [this] {
        if (m_jenCteni || !JeStaleAdministratorem(SQLDATA())) {
            messages::error(TextNemateSmazat);
            return false;
        }
        if (const QString chyba = ChybaSmazaniSkupiny(SQLDATA(), m_stav.id()); !chyba.isEmpty()) {
            messages::error(chyba);
            return false;
        }
        return messages::confirm(TextOpravduSmazat);
    };
    editor::smazAZavri(this, m_stav, smi, [this] { return SmazSkupinu(SQLDATA(), m_stav.id()); });
}

void Tedit_UZIVSKUPINA::SB_ZnovuNacistClick()
{
    Nacti_zaznam(m_stav.id());
}

void Tedit_UZIVSKUPINA::closeEvent(QCloseEvent* event)
{
    editor::zavri(event, m_stav, [this] { return ulozenoNeboNelze(); });
}
