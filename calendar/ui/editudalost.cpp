#include "calendar/ui/editudalost.h"

#include "calendar/polozkasoubor.h"
#include "records/ui/frame_jvxchecklistbox_kuc.h"
#include "records/ui/skupinaalarmu.h"

#include "common/action.h"
#include "common/commandtarget.h"
#include "common/inifile.h"
#include "common/ktdatumj.h"
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
#include "records/ui/frame_prava.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
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

Teditudalost::Teditudalost(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("editudalost"));
    setWindowTitle(QStringLiteral("Orvan - Editace události"));
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
    editor::nastavDelkyPoli(this, DelkySloupcu(SQLDATA(), QStringLiteral("KU")));
}

QWidget* Teditudalost::sestavListu()
{
    auto* lista = new QWidget(this);
    SB_SAVE = tlacitko(lista, "SB_SAVE", QStyle::SP_DialogSaveButton, QStringLiteral("Uložit"),
                       QStringLiteral("Uložit"));
    SB_delete = tlacitko(lista, "SB_delete", QStyle::SP_TrashIcon, QStringLiteral("Smazat"),
                         QStringLiteral("Smazat"));
    SpeedButton1 = tlacitko(lista, "SpeedButton1", QStyle::SP_BrowserReload, QString(),
                            QStringLiteral("Znovu načtení záznamu"));
    SB_SAVE_ORVAN = tlacitko(lista, "SB_SAVE_ORVAN", QStyle::SP_DriveFDIcon, QStringLiteral("ORVAN"),
                             QStringLiteral("Uloží záznam do souboru typu ORVAN"));
    auto* h = new QHBoxLayout(lista);
    h->setContentsMargins(2, 2, 2, 2);
    h->setSpacing(2);
    for (QToolButton* b : {SB_SAVE, SB_delete, SpeedButton1, SB_SAVE_ORVAN})
        h->addWidget(b);
    h->addStretch(1);
    return lista;
}

QWidget* Teditudalost::sestavHorniCast()
{
    auto* horni = new QWidget(this);
    sestavDatum(horni);

    GroupBox_PRAVA = pojmenuj(new QGroupBox(QStringLiteral("Práva"), horni), "GroupBox_PRAVA");
    Frame_Prava1 = pojmenuj(new TFrame_Prava(GroupBox_PRAVA), "Frame_Prava1");
    auto* prava = new QVBoxLayout(GroupBox_PRAVA);
    prava->setContentsMargins(2, 2, 2, 2);
    prava->addWidget(Frame_Prava1);

    GroupBox_UDALOST = pojmenuj(new QGroupBox(QStringLiteral("Událost"), horni), "GroupBox_UDALOST");
    Edit_NAZEV = pojmenuj(new QLineEdit(GroupBox_UDALOST), "Edit_NAZEV");
    (new QVBoxLayout(GroupBox_UDALOST))->addWidget(Edit_NAZEV);

    sestavAlarm(horni);

    FRAME_JvxCheckListBox_KUC1 =
        pojmenuj(new TFRAME_JvxCheckListBox_KUC(horni), "FRAME_JvxCheckListBox_KUC1");
    FRAME_JvxCheckListBox_KUC1->setFixedWidth(213);

    auto* vlevo = new QGridLayout;
    vlevo->addWidget(GroupBox_DATUM, 0, 0);
    vlevo->addWidget(GroupBox_PRAVA, 0, 1);
    vlevo->addWidget(GroupBox_UDALOST, 1, 0, 1, 2);
    vlevo->addWidget(GroupBox_ALARM, 2, 0, 1, 2);
    vlevo->setRowStretch(3, 1);
    auto* h = new QHBoxLayout(horni);
    h->setContentsMargins(0, 0, 0, 0);
    h->addLayout(vlevo, 1);
    h->addWidget(FRAME_JvxCheckListBox_KUC1);
    return horni;
}

void Teditudalost::sestavDatum(QWidget* rodic)
{
    GroupBox_DATUM = pojmenuj(new QGroupBox(QStringLiteral("Datum"), rodic), "GroupBox_DATUM");
    KTEDITDC_DATUM = pojmenuj(new TKTEDITDC(GroupBox_DATUM, 3), "KTEDITDC_DATUM");
    ChB_CELY_DEN = pojmenuj(new QCheckBox(QStringLiteral("Celý den"), GroupBox_DATUM), "ChB_CELY_DEN");
    KTEDITDC_CAS_OD = pojmenuj(new TKTEDITDC(GroupBox_DATUM, 4), "KTEDITDC_CAS_OD");
    KTEDITDC_CAS_DO = pojmenuj(new TKTEDITDC(GroupBox_DATUM, 4), "KTEDITDC_CAS_DO");
    auto* g = new QGridLayout(GroupBox_DATUM);
    g->addWidget(KTEDITDC_DATUM, 0, 0, 1, 2);
    g->addWidget(ChB_CELY_DEN, 0, 2, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Čas Od"), GroupBox_DATUM), 1, 0);
    g->addWidget(KTEDITDC_CAS_OD, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Čas do"), GroupBox_DATUM), 1, 2);
    g->addWidget(KTEDITDC_CAS_DO, 1, 3);
    g->setRowStretch(2, 1);
}

void Teditudalost::sestavAlarm(QWidget* rodic)
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

void Teditudalost::propoj()
{
    // Every slot runs as one user action.
    connect(SB_SAVE, &QToolButton::clicked, this, akce(this, &Teditudalost::SB_SAVEClick));
    connect(SB_delete, &QToolButton::clicked, this, akce(this, &Teditudalost::SB_deleteClick));
    connect(SpeedButton1, &QToolButton::clicked, this, akce(this, &Teditudalost::SpeedButton1Click));
    connect(SB_SAVE_ORVAN, &QToolButton::clicked, this, akce(this, &Teditudalost::SB_SAVE_ORVANClick));
    connect(SB_RUN, &QToolButton::clicked, this, akce(this, &Teditudalost::SB_RUNClick));
    connect(SB_ALARM_AKCE, &QToolButton::clicked, this, akce(this, &Teditudalost::SB_ALARM_AKCEClick));
    // The boxes react to every change of state, also one made by loading.
    connect(ChB_CELY_DEN, &QCheckBox::toggled, this, akce(this, &Teditudalost::ChB_CELY_DENClick));
    connect(ChB_ALARM, &QCheckBox::toggled, this, akce(this, &Teditudalost::ChB_ALARMClick));
    // Only the user's choice, not the program's setting of the list.
    connect(ComboBox_ALARM_TYP_AKCE, &QComboBox::activated, this,
            akce(this, &Teditudalost::ComboBox_ALARM_TYP_AKCEChange));

    editor::sledujZmeny(m_stav, {KTEDITDC_DATUM, KTEDITDC_CAS_OD, KTEDITDC_CAS_DO, ChB_CELY_DEN, Edit_NAZEV,
                                 ChB_ALARM, KTEDITDC_ALARM_DATUM, KTEDITDC_ALARM_CAS, ComboBox_ALARM_TYP_AKCE,
                                 Edit_ALARM_AKCE, Frame_Richedit1->JvxRichEdit1});
    connect(Frame_Prava1, &TFrame_Prava::zmenaVyberu, this, [this] { ZAZNAM_Change(); });
    connect(FRAME_JvxCheckListBox_KUC1, &TFRAME_JvxCheckListBox_KUC::zmeneno, this,
            [this] { ZAZNAM_Change(); });
}

// ---- Loading ----------------------------------------------------------------

bool Teditudalost::opustZobrazeny()
{
    return m_stav.MuzeOpustit([this] { return ulozenoNeboNelze(); });
}

bool Teditudalost::OtevriZpravou(std::intptr_t wParam, std::intptr_t lParam)
{
    if (!opustZobrazeny()) return false;
    if (lParam == LP_EDIT_RECORD)
        Nacti_zaznam(int(wParam), QString(), QString(), QString());
    else if (lParam == LP_NEW_ON_DATE)
        Nacti_zaznam(0, KlicNaText(1, int(wParam)), QString(), QString());
    else
        Nacti_zaznam(0, KlicNaText(1, int(wParam)), QString(), KlicNaText(2, int(lParam)));
    return true;
}

bool Teditudalost::NovaUdalost()
{
    if (!opustZobrazeny()) return false;
    Nacti_zaznam(0, QString(), QString(), QString());
    return true;
}

bool Teditudalost::ImportujSoubor(const QString& soubor)
{
    if (!opustZobrazeny()) return false;
    Nacti_zaznam(0, QString(), soubor, QString());
    return true;
}

QString Teditudalost::VyberSouborImportu(QWidget* parent)
{
    return dialogs::openFileName(parent, FiltrPolozky, QStringLiteral(".orvan"));
}

void Teditudalost::Nacti_zaznam(int id, const QString& datum, const QString& soubor, const QString& cas)
{
    {
        const StavEditoru::Nacitani nacitani(m_stav);
        SB_delete->setVisible(id != 0);

        KTEDITDC_DATUM->setText(datum);
        KTEDITDC_CAS_OD->setText(cas);
        KTEDITDC_CAS_DO->clear();
        Edit_NAZEV->clear();
        KTEDITDC_ALARM_DATUM->clear();
        KTEDITDC_ALARM_CAS->clear();
        ComboBox_ALARM_TYP_AKCE->setCurrentIndex(-1);
        Edit_ALARM_AKCE->clear();
        Frame_Richedit1->JvxRichEdit1->clear();
        ChB_CELY_DEN->setChecked(false);
        ChB_ALARM->setChecked(false);

        m_jenCteni = false;
        m_smiSmazat = true;
        Frame_Prava1->setJenCteni(false);
        Frame_Prava1->NactiPrava(PravaZaznamu::Vse(session().VychoziSkupina));
        m_stav.setId(id);

        if (id != 0) {
            TKTDATASET t;
            SQLDATA().NactiTabulku(VyplnSablonu(SqlNactiUdalost, {QString::number(id)}), t);
            if (t.PocetRadku() < 1) throw ActionError(QStringLiteral("Záznam %1 nebyl nalezen.").arg(id));
            const UdalostPole u = UdalostZRadku(t, 1);
            KTEDITDC_DATUM->setText(u.Datum);
            KTEDITDC_CAS_OD->setText(u.CasOd);
            KTEDITDC_CAS_DO->setText(u.CasDo);
            ChB_CELY_DEN->setChecked(u.CelyDen);
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
            SQLDATA().NactiPoznamku(VyplnSablonu(SqlPoznamkaUdalosti, {QString::number(id)}),
                                    QStringLiteral("Poznamka"), Frame_Richedit1->JvxRichEdit1->document());
        }
        // Also for a new event, so it never keeps the locks of a read-only
        // event shown before it.
        povolDleJenCteni();

        FRAME_JvxCheckListBox_KUC1->NactiKategorie(id, QStringLiteral("KU"));
        povolCasy();
        povolAlarm();
        Frame_Richedit1->JvxRichEdit1->document()->setModified(false);
    }
    if (id == 0 && !soubor.isEmpty()) nactiZeSouboru(soubor);
}

void Teditudalost::nastavTypAkce(int typ)
{
    m_alarm->nastavTypAkce(typ);
}

void Teditudalost::povolDleJenCteni()
{
    const bool lze = !m_jenCteni;
    for (TKTEDITDC* e : {KTEDITDC_DATUM, KTEDITDC_CAS_OD, KTEDITDC_CAS_DO}) {
        e->setEnabled(lze);
        e->setReadOnly(!lze);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{ChB_CELY_DEN, ChB_ALARM, Edit_NAZEV, GroupBox_ALARM,
                                         Frame_Richedit1->JvxRichEdit1, SB_SAVE, FRAME_JvxCheckListBox_KUC1})
        w->setEnabled(lze);
}

void Teditudalost::povolCasy()
{
    KTEDITDC_CAS_OD->setEnabled(!ChB_CELY_DEN->isChecked());
    KTEDITDC_CAS_DO->setEnabled(!ChB_CELY_DEN->isChecked());
}

void Teditudalost::povolAlarm()
{
    m_alarm->povol();
}

// ---- Field handlers -----------------------------------------------------------

void Teditudalost::ZAZNAM_Change()
{
    m_stav.oznacZmenu();
}

void Teditudalost::ChB_CELY_DENClick()
{
    povolCasy();
}

void Teditudalost::ChB_ALARMClick()
{
    povolAlarm();
    if (!ChB_ALARM->isChecked()) return;
    if (KTEDITDC_ALARM_DATUM->text().trimmed().isEmpty())
        KTEDITDC_ALARM_DATUM->setText(KTEDITDC_DATUM->text());
    if (KTEDITDC_ALARM_CAS->text().trimmed().isEmpty()) KTEDITDC_ALARM_CAS->setText(KTEDITDC_CAS_OD->text());
    if (ComboBox_ALARM_TYP_AKCE->currentIndex() == -1) ComboBox_ALARM_TYP_AKCE->setCurrentIndex(0);
}

void Teditudalost::ComboBox_ALARM_TYP_AKCEChange()
{
    m_alarm->typAkceZmenen();
}

void Teditudalost::SB_ALARM_AKCEClick()
{
    m_alarm->vyberSoubor();
}

void Teditudalost::SB_RUNClick()
{
    m_alarm->zkusAkci();
}

// ---- Saving, deleting, closing ---------------------------------------------------

UdalostPole Teditudalost::pole() const
{
    UdalostPole u;
    u.Datum = KTEDITDC_DATUM->text();
    u.CasOd = KTEDITDC_CAS_OD->text();
    u.CasDo = KTEDITDC_CAS_DO->text();
    u.CelyDen = ChB_CELY_DEN->isChecked();
    u.Nazev = Edit_NAZEV->text();
    u.Alarm = ChB_ALARM->isChecked();
    u.AlarmDatum = KTEDITDC_ALARM_DATUM->text();
    u.AlarmCas = KTEDITDC_ALARM_CAS->text();
    u.TypAkce = ComboBox_ALARM_TYP_AKCE->currentIndex();
    u.Akce = Edit_ALARM_AKCE->text();
    u.Prava = Frame_Prava1->Prava();
    return u;
}

Teditudalost::Ulozeni Teditudalost::Uloz_zaznam()
{
    if (m_jenCteni) {
        messages::error(TextNemateMenit);
        return Ulozeni::JenCteni;
    }
    const UdalostPole u = pole();
    if (!UdalostMaPlatnaData(u)) {
        messages::error(TextChybnaData);
        return Ulozeni::ChybiDatum;
    }
    const VysledekZapisu v =
        UlozUdalost(SQLDATA(), u, m_stav.id(), session().UzivatelID, FRAME_JvxCheckListBox_KUC1->data(),
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

bool Teditudalost::ulozenoNeboNelze()
{
    // A read-only record has nothing that could be saved: it may be left.
    const Ulozeni u = Uloz_zaznam();
    return u == Ulozeni::Ulozeno || u == Ulozeni::JenCteni;
}

void Teditudalost::SB_SAVEClick()
{
    editor::ulozAZavri(this, m_stav, [this] { return ulozenoNeboNelze(); });
}

void Teditudalost::SB_deleteClick()
{
    PravidloEditoru pravidlo;
    pravidlo.JenCteni = m_jenCteni;
    pravidlo.SmiSmazat = m_smiSmazat;
    editor::smazAZavri(
        this, m_stav, [&] { return OverSmazani(pravidlo); },
        [this] { return SmazUdalost(SQLDATA(), m_stav.id()); });
}

void Teditudalost::SpeedButton1Click()
{
    Nacti_zaznam(m_stav.id(), QString(), QString(), QString());
}

void Teditudalost::closeEvent(QCloseEvent* event)
{
    editor::zavri(event, m_stav, [this] { return ulozenoNeboNelze(); });
}

// ---- Item files -----------------------------------------------------------------

PolozkaSouboru Teditudalost::polozka() const
{
    PolozkaSouboru p;
    p.Datum = KTEDITDC_DATUM->text();
    p.CasOd = KTEDITDC_CAS_OD->text();
    p.CasDo = KTEDITDC_CAS_DO->text();
    p.CelyDen = ChB_CELY_DEN->isChecked();
    p.Nazev = Edit_NAZEV->text();
    p.Alarm = ChB_ALARM->isChecked();
    p.AlarmDatum = KTEDITDC_ALARM_DATUM->text();
    p.AlarmCas = KTEDITDC_ALARM_CAS->text();
    p.Akce = Edit_ALARM_AKCE->text();
    const QString text = Frame_Richedit1->JvxRichEdit1->toPlainText();
    if (!text.isEmpty()) p.Poznamka = text.split(QLatin1Char('\n'));
    return p;
}

void Teditudalost::SB_SAVE_ORVANClick()
{
    const QString f = dialogs::saveFileName(this, FiltrPolozky, QStringLiteral("orvan"));
    if (f.isEmpty()) return;
    IniFile ini(f);
    // A fresh file: keys of an earlier export must not survive.
    ini.Clear();
    const bool ok = ZapisPolozku(ini, polozka()) && Frame_Prava1->UlozPravaIni(ini) &&
                    FRAME_JvxCheckListBox_KUC1->UlozKategorieDoSouboru(ini) && ini.UpdateFile();
    if (!ok) messages::error(ini.ErrorString());
}

void Teditudalost::nactiZeSouboru(const QString& soubor)
{
    const IniFile ini(soubor);
    const QString odmitnuti = OverPolozku(ini);
    if (!odmitnuti.isEmpty()) {
        messages::error(odmitnuti);
        return;
    }
    const PolozkaSouboru p = CtiPolozku(ini);
    KTEDITDC_DATUM->setText(p.Datum);
    KTEDITDC_CAS_OD->setText(p.CasOd);
    KTEDITDC_CAS_DO->setText(p.CasDo);
    ChB_CELY_DEN->setChecked(p.CelyDen);
    Edit_NAZEV->setText(p.Nazev);
    ChB_ALARM->setChecked(p.Alarm);
    KTEDITDC_ALARM_DATUM->setText(p.AlarmDatum);
    KTEDITDC_ALARM_CAS->setText(p.AlarmCas);
    Edit_ALARM_AKCE->setText(p.Akce);
    Frame_Richedit1->JvxRichEdit1->clear();
    Frame_Richedit1->JvxRichEdit1->setPlainText(p.Poznamka.join(QLatin1Char('\n')));
    Frame_Prava1->NactiPravaIni(ini);
    FRAME_JvxCheckListBox_KUC1->NactiKategorieZeSouboru(ini);
    // Nothing of the file is stored yet.
    m_stav.oznacZmenu();
}
