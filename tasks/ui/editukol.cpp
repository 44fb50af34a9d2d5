#include "tasks/ui/editukol.h"

#include "common/action.h"
#include "common/messages.h"
#include "common/session.h"
#include "common/ui/dialogs.h"
#include "common/ui/frame_richedit.h"
#include "common/ui/kteditdc.h"
#include "common/ui/shell.h"
#include "common/ui/toolbutton.h"
#include "data/notetext.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "data/tablecolumns.h"
#include "records/staveditoru.h"
#include "records/ui/editor.h"
#include "records/ui/frame_jvxchecklistbox_kuc.h"
#include "records/ui/frame_prava.h"
#include "records/ui/skupinaalarmu.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{

template <typename T> T* pojmenuj(T* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

Teditukol::Teditukol(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("editukol"));
    setWindowTitle(QStringLiteral("Orvan - Editace úkolu"));
    resize(754, 551);

    QWidget* lista = sestavListu();
    QWidget* horni = sestavHorniCast();
    Splitter1 = pojmenuj(new QSplitter(Qt::Vertical, this), "Splitter1");
    Frame_Richedit1 = pojmenuj(new TFrame_Richedit(Splitter1), "Frame_Richedit1");
    Splitter1->addWidget(horni);
    Splitter1->addWidget(Frame_Richedit1);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({551 - 124, 124});

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(2, 2, 2, 2);
    v->addWidget(lista);
    v->addWidget(Splitter1, 1);

    propoj();
    FRAME_JvxCheckListBox_KUC1->NastavDruh(true, QStringLiteral("KU"));
    editor::nastavDelkyPoli(this, DelkySloupcu(SQLDATA(), QStringLiteral("UKOLY")));
}

QWidget* Teditukol::sestavListu()
{
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
    return lista;
}

QWidget* Teditukol::sestavHorniCast()
{
    auto* horni = new QWidget(this);
    sestavDatum(horni);

    GroupBox_PRAVA = pojmenuj(new QGroupBox(QStringLiteral("Práva"), horni), "GroupBox_PRAVA");
    Frame_Prava1 = pojmenuj(new TFrame_Prava(GroupBox_PRAVA), "Frame_Prava1");
    auto* prava = new QVBoxLayout(GroupBox_PRAVA);
    prava->setContentsMargins(2, 2, 2, 2);
    prava->addWidget(Frame_Prava1);

    GroupBox_UKOL = pojmenuj(new QGroupBox(QStringLiteral("Úkol"), horni), "GroupBox_UKOL");
    Edit_NAZEV = pojmenuj(new QLineEdit(GroupBox_UKOL), "Edit_NAZEV");
    (new QVBoxLayout(GroupBox_UKOL))->addWidget(Edit_NAZEV);

    sestavAlarm(horni);

    FRAME_JvxCheckListBox_KUC1 =
        pojmenuj(new TFRAME_JvxCheckListBox_KUC(horni), "FRAME_JvxCheckListBox_KUC1");
    FRAME_JvxCheckListBox_KUC1->setFixedWidth(213);

    auto* vlevo = new QGridLayout;
    vlevo->addWidget(GroupBox_DATUM, 0, 0);
    vlevo->addWidget(GroupBox_PRAVA, 0, 1);
    vlevo->addWidget(GroupBox_UKOL, 1, 0, 1, 2);
    vlevo->addWidget(GroupBox_ALARM, 2, 0, 1, 2);
    vlevo->setRowStretch(3, 1);
    auto* h = new QHBoxLayout(horni);
    h->setContentsMargins(0, 0, 0, 0);
    h->addLayout(vlevo, 1);
    h->addWidget(FRAME_JvxCheckListBox_KUC1);
    return horni;
}

void Teditukol::sestavDatum(QWidget* rodic)
{
    GroupBox_DATUM =
        pojmenuj(new QGroupBox(QStringLiteral("Do kdy má být splněno"), rodic), "GroupBox_DATUM");
    ChB_AKTIVNI = pojmenuj(new QCheckBox(QStringLiteral("Aktivní"), GroupBox_DATUM), "ChB_AKTIVNI");
    KTEDITDC_DATUM = pojmenuj(new TKTEDITDC(GroupBox_DATUM, 3), "KTEDITDC_DATUM");
    KTEDITDC_CAS_DO = pojmenuj(new TKTEDITDC(GroupBox_DATUM, 4), "KTEDITDC_CAS_DO");
    auto* g = new QGridLayout(GroupBox_DATUM);
    g->addWidget(ChB_AKTIVNI, 0, 0, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Datum"), GroupBox_DATUM), 1, 0);
    g->addWidget(KTEDITDC_DATUM, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Čas"), GroupBox_DATUM), 1, 2);
    g->addWidget(KTEDITDC_CAS_DO, 1, 3);
    g->setRowStretch(2, 1);
}

void Teditukol::sestavAlarm(QWidget* rodic)
{
    m_alarm = new TSkupinaAlarmu(rodic);
    GroupBox_ALARM = m_alarm;
    ChB_ALARM = m_alarm->ChB_ALARM;
    KTEDITDC_ALARM_DATUM = m_alarm->KTEDITDC_ALARM_DATUM;
    KTEDITDC_ALARM_CAS = m_alarm->KTEDITDC_ALARM_CAS;
    ComboBox_ALARM_TYP_AKCE = m_alarm->ComboBox_ALARM_TYP_AKCE;
    Edit_ALARM_AKCE = m_alarm->Edit_ALARM_AKCE;
    SB_RUN = m_alarm->SB_RUN;
    SB_ALARM_AKCE = m_alarm->SB_ALARM_AKCE;
}

void Teditukol::propoj()
{
    // Every slot runs as one user action.
    connect(SB_SAVE, &QToolButton::clicked, this, akce(this, &Teditukol::SB_SAVEClick));
    connect(SB_delete, &QToolButton::clicked, this, akce(this, &Teditukol::SB_deleteClick));
    connect(SpeedButton1, &QToolButton::clicked, this, akce(this, &Teditukol::SpeedButton1Click));
    connect(SB_RUN, &QToolButton::clicked, this, akce(this, &Teditukol::SB_RUNClick));
    connect(SB_ALARM_AKCE, &QToolButton::clicked, this, akce(this, &Teditukol::SB_ALARM_AKCEClick));
    // The group follows every change of the box; the defaults only the user's.
    connect(ChB_ALARM, &QCheckBox::toggled, this, [this] { povolAlarm(); });
    connect(ChB_ALARM, &QCheckBox::clicked, this, akce(this, &Teditukol::ChB_ALARMClick));
    connect(ComboBox_ALARM_TYP_AKCE, &QComboBox::activated, this,
            akce(this, &Teditukol::ComboBox_ALARM_TYP_AKCEChange));

    editor::sledujZmeny(m_stav, {KTEDITDC_DATUM, KTEDITDC_CAS_DO, ChB_AKTIVNI, Edit_NAZEV, ChB_ALARM,
                                 KTEDITDC_ALARM_DATUM, KTEDITDC_ALARM_CAS, ComboBox_ALARM_TYP_AKCE,
                                 Edit_ALARM_AKCE, Frame_Richedit1->JvxRichEdit1});
    connect(Frame_Prava1, &TFrame_Prava::zmenaVyberu, this, [this] { ZAZNAM_Change(); });
    connect(FRAME_JvxCheckListBox_KUC1, &TFRAME_JvxCheckListBox_KUC::zmeneno, this,
            [this] { ZAZNAM_Change(); });
}

// ---- Loading ----------------------------------------------------------------

bool Teditukol::OtevriZpravou(int id)
{
    return editor::otevri(
        m_stav, [this] { return ulozenoNeboNelze(); }, [&] { Nacti_zaznam(id); });
}

void Teditukol::Nacti_zaznam(int id)
{
    const StavEditoru::Nacitani nacitani(m_stav);
    SB_delete->setVisible(id != 0);

    KTEDITDC_DATUM->clear();
    KTEDITDC_CAS_DO->clear();
    Edit_NAZEV->clear();
    KTEDITDC_ALARM_DATUM->clear();
    KTEDITDC_ALARM_CAS->clear();
    ComboBox_ALARM_TYP_AKCE->setCurrentIndex(-1);
    Edit_ALARM_AKCE->clear();
    Frame_Richedit1->JvxRichEdit1->clear();
    // A new task is something to do: active, as the column's default, so its
    // alarm fires without a second tick the user could forget.
    ChB_AKTIVNI->setChecked(id == 0);
    ChB_ALARM->setChecked(false);

    m_jenCteni = false;
    m_smiSmazat = true;
    Frame_Prava1->setJenCteni(false);
    Frame_Prava1->NactiPrava(PravaZaznamu::Vse(session().VychoziSkupina));
    m_stav.setId(id);

    if (id != 0) {
        TKTDATASET t;
        SQLDATA().NactiTabulku(VyplnSablonu(SqlNactiUkol, {QString::number(id)}), t);
        if (t.PocetRadku() < 1) throw ActionError(QStringLiteral("Záznam %1 nebyl nalezen.").arg(id));
        const UkolPole u = UkolZRadku(t, 1);
        KTEDITDC_DATUM->setText(u.Datum);
        KTEDITDC_CAS_DO->setText(u.CasDo);
        ChB_AKTIVNI->setChecked(u.Aktivni);
        Edit_NAZEV->setText(u.Nazev);
        ChB_ALARM->setChecked(u.Alarm);
        KTEDITDC_ALARM_DATUM->setText(u.AlarmDatum);
        KTEDITDC_ALARM_CAS->setText(u.AlarmCas);
        nastavTypAkce(u.TypAkce);
        Edit_ALARM_AKCE->setText(u.Akce);

        const PravidloEditoru pravidlo = PravidloZaznamu(u.Prava);
        m_jenCteni = pravidlo.JenCteni;
        m_smiSmazat = pravidlo.SmiSmazat;
        Frame_Prava1->setJenCteni(pravidlo.PravaZamcena);
        Frame_Prava1->NactiPrava(u.Prava);
        SQLDATA().NactiPoznamku(VyplnSablonu(SqlPoznamkaUkolu, {QString::number(id)}),
                                QStringLiteral("Poznamka"), Frame_Richedit1->JvxRichEdit1->document());
    }
    // Also for a new task, so it never keeps the locks of a read-only task
    // shown before it.
    povolDleJenCteni();

    FRAME_JvxCheckListBox_KUC1->NactiKategorie(id, QStringLiteral("UKOLY"));
    povolAlarm();
    Frame_Richedit1->JvxRichEdit1->document()->setModified(false);
}

void Teditukol::nastavTypAkce(int typ)
{
    m_alarm->nastavTypAkce(typ);
}

void Teditukol::povolDleJenCteni()
{
    const bool lze = !m_jenCteni;
    for (TKTEDITDC* e : {KTEDITDC_DATUM, KTEDITDC_CAS_DO, KTEDITDC_ALARM_DATUM, KTEDITDC_ALARM_CAS}) {
        e->setReadOnly(!lze);
    }
    // The alarm group goes with the other fields: a read-only task offers
    // nothing that a save would then refuse.
    for (QWidget* w :
         std::initializer_list<QWidget*>{GroupBox_DATUM, Edit_NAZEV, GroupBox_ALARM,
                                         Frame_Richedit1->JvxRichEdit1, SB_SAVE, FRAME_JvxCheckListBox_KUC1})
        w->setEnabled(lze);
}

void Teditukol::povolAlarm()
{
    m_alarm->povol();
}

// ---- Field handlers -----------------------------------------------------------

void Teditukol::ZAZNAM_Change()
{
    m_stav.oznacZmenu();
}

void Teditukol::ChB_ALARMClick()
{
    if (ChB_ALARM->isChecked()) {
        if (KTEDITDC_ALARM_DATUM->text().trimmed().isEmpty())
            KTEDITDC_ALARM_DATUM->setText(KTEDITDC_DATUM->text());
        if (KTEDITDC_ALARM_CAS->text().trimmed().isEmpty())
            KTEDITDC_ALARM_CAS->setText(KTEDITDC_CAS_DO->text());
    }
    if (ComboBox_ALARM_TYP_AKCE->currentIndex() == -1) ComboBox_ALARM_TYP_AKCE->setCurrentIndex(0);
}

void Teditukol::ComboBox_ALARM_TYP_AKCEChange()
{
    m_alarm->typAkceZmenen();
}

void Teditukol::SB_ALARM_AKCEClick()
{
    m_alarm->vyberSoubor();
}

void Teditukol::SB_RUNClick()
{
    m_alarm->zkusAkci();
}

// ---- Saving, deleting, closing ---------------------------------------------------

UkolPole Teditukol::pole() const
{
    UkolPole u;
    u.Datum = KTEDITDC_DATUM->text();
    u.CasDo = KTEDITDC_CAS_DO->text();
    u.Aktivni = ChB_AKTIVNI->isChecked();
    u.Nazev = Edit_NAZEV->text();
    u.Alarm = ChB_ALARM->isChecked();
    u.AlarmDatum = KTEDITDC_ALARM_DATUM->text();
    u.AlarmCas = KTEDITDC_ALARM_CAS->text();
    u.TypAkce = ComboBox_ALARM_TYP_AKCE->currentIndex();
    u.Akce = Edit_ALARM_AKCE->text();
    u.Prava = Frame_Prava1->Prava();
    return u;
}

Teditukol::Ulozeni Teditukol::Uloz_zaznam()
{
    if (m_jenCteni) {
        messages::error(TextNemateMenit);
        return Ulozeni::JenCteni;
    }
    const UkolPole u = pole();
    if (!UkolMaPlatnaData(u)) {
        messages::error(TextChybnaData);
        return Ulozeni::ChybiDatum;
    }
    const VysledekZapisu v =
        UlozUkol(SQLDATA(), u, m_stav.id(), session().UzivatelID, FRAME_JvxCheckListBox_KUC1->data(),
                 notetext::save(Frame_Richedit1->JvxRichEdit1->document()));
    if (!v.ok) {
        messages::error(v.chyba);
        return Ulozeni::Odmitnuto;
    }
    m_stav.setId(v.id);
    m_stav.zahodZmeny();
    FRAME_JvxCheckListBox_KUC1->setZmeneno(false);
    return Ulozeni::Ulozeno;
}

bool Teditukol::ulozenoNeboNelze()
{
    // A read-only record has nothing that could be saved: it may be left.
    const Ulozeni u = Uloz_zaznam();
    return u == Ulozeni::Ulozeno || u == Ulozeni::JenCteni;
}

void Teditukol::SB_SAVEClick()
{
    editor::ulozAZavri(this, m_stav, [this] { return ulozenoNeboNelze(); });
}

void Teditukol::SB_deleteClick()
{
    PravidloEditoru pravidlo;
    pravidlo.JenCteni = m_jenCteni;
    pravidlo.SmiSmazat = m_smiSmazat;
    editor::smazAZavri(
        this, m_stav, [&] { return OverSmazani(pravidlo); },
        [this] { return SmazUkol(SQLDATA(), m_stav.id()); });
}

void Teditukol::SpeedButton1Click()
{
    Nacti_zaznam(m_stav.id());
}

void Teditukol::closeEvent(QCloseEvent* event)
{
    editor::zavri(event, m_stav, [this] { return ulozenoNeboNelze(); });
}
