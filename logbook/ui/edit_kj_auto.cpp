#include "logbook/ui/edit_kj_auto.h"

#include "common/action.h"
#include "common/messages.h"
#include "common/session.h"
#include "common/ui/toolbutton.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "data/tablecolumns.h"
#include "records/pravazaznamu.h"
#include "records/staveditoru.h"
#include "records/ui/editor.h"
#include "records/ui/frame_prava.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

Tedit_KJ_AUTO::Tedit_KJ_AUTO(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("edit_KJ_AUTO"));
    setWindowTitle(QStringLiteral("Orvan - Editace Auta "));

    auto* lista = new QWidget(this);
    SB_SAVE = tlacitko(lista, "SB_SAVE", QStyle::SP_DialogSaveButton, QStringLiteral("Uložit"),
                       QStringLiteral("Uložit"));
    SB_delete = tlacitko(lista, "SB_delete", QStyle::SP_TrashIcon, QStringLiteral("Smazat"),
                         QStringLiteral("Smazat"));
    SpeedButton1 = tlacitko(lista, "SpeedButton1", QStyle::SP_BrowserReload, QString(),
                            QStringLiteral("Znovu načtení záznamu"));
    auto* h = new QHBoxLayout(lista);
    h->setContentsMargins(2, 2, 2, 2);
    h->setSpacing(2);
    for (QToolButton* b : {SB_SAVE, SB_delete, SpeedButton1})
        h->addWidget(b);
    h->addStretch(1);

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
    f->addRow(QStringLiteral("Spotřeba"), Edit_SPOTREBA);
    f->addRow(QStringLiteral("Tachometr"), Edit_TACHOMETR_START);

    GroupBox_PRAVA = new QGroupBox(QStringLiteral("Práva"), this);
    GroupBox_PRAVA->setObjectName(QStringLiteral("GroupBox_PRAVA"));
    Frame_Prava1 = new TFrame_Prava(GroupBox_PRAVA);
    Frame_Prava1->setObjectName(QStringLiteral("Frame_Prava1"));
    auto* p = new QVBoxLayout(GroupBox_PRAVA);
    p->setContentsMargins(2, 2, 2, 2);
    p->addWidget(Frame_Prava1);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(2, 2, 2, 2);
    v->addWidget(lista);
    v->addWidget(GroupBox_AUTO);
    v->addWidget(GroupBox_PRAVA);
    v->addStretch(1);
    resize(420, 320);

    connect(SB_SAVE, &QToolButton::clicked, this, akce(this, &Tedit_KJ_AUTO::SB_SAVEClick));
    connect(SB_delete, &QToolButton::clicked, this, akce(this, &Tedit_KJ_AUTO::SB_deleteClick));
    connect(SpeedButton1, &QToolButton::clicked, this, akce(this, &Tedit_KJ_AUTO::SpeedButton1Click));
    // Typing in the plate or the description is a change like any other.
    editor::sledujZmeny(m_stav, {Edit_SPZ, Edit_POPIS, CB_PALIVO, Edit_SPOTREBA, Edit_TACHOMETR_START});
    connect(Frame_Prava1, &TFrame_Prava::zmenaVyberu, this, [this] { ZAZNAM_Change(); });
    editor::nastavDelkyPoli(this, DelkySloupcu(SQLDATA(), QStringLiteral("KJ_AUTO")));
}

bool Tedit_KJ_AUTO::OtevriZpravou(int id)
{
    return editor::otevri(
        m_stav, [this] { return ulozenoNeboNelze(); }, [&] { Nacti_zaznam(id); });
}

void Tedit_KJ_AUTO::Nacti_zaznam(int id)
{
    const StavEditoru::Nacitani nacitani(m_stav);
    SB_delete->setVisible(id != 0);
    Edit_SPZ->clear();
    Edit_POPIS->clear();
    CB_PALIVO->setEditText(QString());
    Edit_SPOTREBA->clear();
    Edit_TACHOMETR_START->clear();
    m_jenCteni = false;
    m_smiSmazat = true;
    Frame_Prava1->setJenCteni(false);
    Frame_Prava1->NactiPrava(PravaZaznamu::Vse(session().VychoziSkupina));
    m_stav.setId(id);
    if (id != 0) {
        TKTDATASET t;
        SQLDATA().NactiTabulku(VyplnSablonu(SqlNactiAuto, {QString::number(id)}), t);
        if (t.PocetRadku() < 1) throw ActionError(QStringLiteral("Záznam %1 nebyl nalezen.").arg(id));
        const AutoPole a = AutoZRadku(t, 1);
        Edit_SPZ->setText(a.Spz);
        Edit_POPIS->setText(a.Popis);
        CB_PALIVO->setEditText(a.Palivo);
        Edit_SPOTREBA->setText(a.Spotreba);
        Edit_TACHOMETR_START->setText(a.TachometrStart);
        const PravidloEditoru pravidlo = PravidloZaznamu(a.Prava);
        m_jenCteni = pravidlo.JenCteni;
        m_smiSmazat = pravidlo.SmiSmazat;
        Frame_Prava1->setJenCteni(pravidlo.PravaZamcena);
        Frame_Prava1->NactiPrava(a.Prava);
    }
    // A new car after a read-only one is editable again.
    for (QWidget* w : std::initializer_list<QWidget*>{Edit_SPZ, Edit_POPIS, CB_PALIVO, Edit_SPOTREBA,
                                                      Edit_TACHOMETR_START, SB_SAVE})
        w->setEnabled(!m_jenCteni);
}

void Tedit_KJ_AUTO::ZAZNAM_Change()
{
    m_stav.oznacZmenu();
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

Tedit_KJ_AUTO::Ulozeni Tedit_KJ_AUTO::Uloz_zaznam()
{
    if (m_jenCteni) {
        messages::error(TextNemateMenit);
        return Ulozeni::JenCteni;
    }
    const AutoPole a = pole();
    if (!AutoMaPlatnaData(a)) {
        messages::error(TextChybnaData);
        return Ulozeni::Odmitnuto;
    }
    const VysledekZapisu v = UlozAuto(SQLDATA(), a, m_stav.id(), session().UzivatelID);
    if (!v.ok) {
        messages::error(v.chyba);
        return Ulozeni::Odmitnuto;
    }
    m_stav.setId(v.id);
    m_stav.zahodZmeny();
    return Ulozeni::Ulozeno;
}

bool Tedit_KJ_AUTO::ulozenoNeboNelze()
{
    const Ulozeni u = Uloz_zaznam();
    return u == Ulozeni::Ulozeno || u == Ulozeni::JenCteni;
}

void Tedit_KJ_AUTO::SB_SAVEClick()
{
    editor::ulozAZavri(this, m_stav, [this] { return ulozenoNeboNelze(); });
}

void Tedit_KJ_AUTO::SB_deleteClick()
{
    PravidloEditoru pravidlo;
    pravidlo.JenCteni = m_jenCteni;
    pravidlo.SmiSmazat = m_smiSmazat;
    editor::smazAZavri(
        this, m_stav, [&] { return OverSmazani(pravidlo); },
        [this] {
            // A car some ride still names stays; the user is told so.
            QString chyba;
            switch (SmazAuto(SQLDATA(), m_stav.id(), chyba)) {
            case SmazaniAuta::Pouzito:
                return TextZaznamPouzit;
            case SmazaniAuta::Chyba:
                return chyba;
            case SmazaniAuta::Smazano:
                break;
            }
            return QString();
        });
}

void Tedit_KJ_AUTO::SpeedButton1Click()
{
    Nacti_zaznam(m_stav.id());
}

void Tedit_KJ_AUTO::closeEvent(QCloseEvent* event)
{
    editor::zavri(event, m_stav, [this] { return ulozenoNeboNelze(); });
}
