#include "logbook/ui/edit_kj_tankovani.h"

#include "logbook/jizda.h"

#include "common/action.h"
#include "common/messages.h"
#include "common/session.h"
#include "common/ui/ktcombobox.h"
#include "common/ui/kteditdc.h"
#include "common/ui/toolbutton.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/pravazaznamu.h"
#include "records/staveditoru.h"
#include "records/ui/editor.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

Tedit_KJ_TANKOVANI::Tedit_KJ_TANKOVANI(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("edit_KJ_TANKOVANI"));
    setWindowTitle(QStringLiteral("Orvan - Tankování"));
    auto* lista = new QWidget(this);
    SB_SAVE = tlacitko(lista, "SB_SAVE", QStyle::SP_DialogSaveButton, QStringLiteral("Uložit"),
                       QStringLiteral("Uložit"));
    SB_delete = tlacitko(lista, "SB_delete", QStyle::SP_TrashIcon, QStringLiteral("Smazat"),
                         QStringLiteral("Smazat"));
    SpeedButton1 = tlacitko(lista, "SpeedButton1", QStyle::SP_BrowserReload, QString(),
                            QStringLiteral("Znovu načtení záznamu"));
    auto* h = new QHBoxLayout(lista);
    h->setContentsMargins(2, 2, 2, 2);
    for (QToolButton* b : {SB_SAVE, SB_delete, SpeedButton1})
        h->addWidget(b);
    h->addStretch(1);

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
    f->addRow(QStringLiteral("Litry"), Edit_LITRY);
    f->addRow(QStringLiteral("Cena Kč s DPH"), Edit_CENA);
    f->addRow(QStringLiteral("Tachometr km"), Edit_TACHOMETR);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(2, 2, 2, 2);
    v->addWidget(lista);
    v->addLayout(f);
    v->addStretch(1);
    resize(380, 220);

    connect(SB_SAVE, &QToolButton::clicked, this, akce(this, &Tedit_KJ_TANKOVANI::SB_SAVEClick));
    connect(SB_delete, &QToolButton::clicked, this, akce(this, &Tedit_KJ_TANKOVANI::SB_deleteClick));
    connect(SpeedButton1, &QToolButton::clicked, this,
            [this] { runAction([this] { Nacti_zaznam(m_stav.id()); }); });
    editor::sledujZmeny(m_stav, {KTCB_AUTO, KTEDITDC_DATUM, Edit_LITRY, Edit_CENA, Edit_TACHOMETR});
}

bool Tedit_KJ_TANKOVANI::OtevriZpravou(int id)
{
    return editor::otevri(
        m_stav, [this] { return ulozenoNeboNelze(); }, [&] { Nacti_zaznam(id); });
}

void Tedit_KJ_TANKOVANI::Nacti_zaznam(int id)
{
    const StavEditoru::Nacitani nacitani(m_stav);
    SB_delete->setVisible(id != 0);
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
    m_stav.setId(id);
    if (id != 0) {
        TKTDATASET t;
        SQLDATA().NactiTabulku(VyplnSablonu(SqlNactiTankovani, {QString::number(id)}), t);
        if (t.PocetRadku() < 1) throw ActionError(QStringLiteral("Záznam %1 nebyl nalezen.").arg(id));
        const TankovaniPole p = TankovaniZRadku(t, 1);
        KTCB_AUTO->VyberID(p.AutoId);
        KTEDITDC_DATUM->setText(p.Datum);
        Edit_LITRY->setText(p.Litry);
        Edit_CENA->setText(p.Cena);
        Edit_TACHOMETR->setText(p.Tachometr);
    }
}

PravidloEditoru Tedit_KJ_TANKOVANI::pravidlo(int autoId) const
{
    TKTDATASET t;
    SQLDATA().NactiTabulku(
        QStringLiteral("select F_CIST,F_EDITOVAT,F_SMAZAT,F_ALARM,F_ADMINISTROVAT from kj_auto "
                       "where kj_auto_id=%1")
            .arg(autoId),
        t);
    return t.PocetRadku() < 1 ? PravidloNovehoZaznamu() : PravidloZaznamu(PravaZRadku(t, 1));
}

TankovaniPole Tedit_KJ_TANKOVANI::pole() const
{
    return {KTCB_AUTO->VratZvoleneID(), KTEDITDC_DATUM->text(), Edit_LITRY->text(), Edit_CENA->text(),
            Edit_TACHOMETR->text()};
}

Tedit_KJ_TANKOVANI::Ulozeni Tedit_KJ_TANKOVANI::Uloz_zaznam()
{
    const TankovaniPole p = pole();
    if (!TankovaniMaPlatnaData(p)) {
        messages::error(p.AutoId <= 0 || p.Datum.trimmed().isEmpty() || p.Litry.trimmed().isEmpty()
                            ? TextNeniVyplneno
                            : TextChybnaData);
        return Ulozeni::Odmitnuto;
    }
    if (pravidlo(p.AutoId).JenCteni) {
        messages::error(TextNemateMenit);
        return Ulozeni::JenCteni;
    }
    const VysledekZapisu v = UlozTankovani(SQLDATA(), p, m_stav.id(), session().UzivatelID);
    if (!v.ok) {
        messages::error(v.chyba);
        return Ulozeni::Odmitnuto;
    }
    m_stav.setId(v.id);
    m_stav.zahodZmeny();
    return Ulozeni::Ulozeno;
}

bool Tedit_KJ_TANKOVANI::ulozenoNeboNelze()
{
    const Ulozeni u = Uloz_zaznam();
    return u == Ulozeni::Ulozeno || u == Ulozeni::JenCteni;
}

void Tedit_KJ_TANKOVANI::SB_SAVEClick()
{
    editor::ulozAZavri(this, m_stav, [this] { return ulozenoNeboNelze(); });
}

void Tedit_KJ_TANKOVANI::SB_deleteClick()
{
    editor::smazAZavri(
        this, m_stav, [this] { return OverSmazani(pravidlo(KTCB_AUTO->VratZvoleneID())); },
        [this] { return SmazTankovani(SQLDATA(), m_stav.id()); });
}

void Tedit_KJ_TANKOVANI::closeEvent(QCloseEvent* event)
{
    editor::zavri(event, m_stav, [this] { return ulozenoNeboNelze(); });
}
