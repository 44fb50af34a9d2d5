#include "calendar/ui/editudalost.h"

#include "calendar/polozkasoubor.h"
#include "common/action.h"
#include "common/commandtarget.h"
#include "common/inifile.h"
#include "common/ktdatumj.h"
#include "common/messages.h"
#include "common/session.h"
#include "common/ui/dialogs.h"
#include "common/ui/frame_richedit.h"
#include "common/ui/kteditdc.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "data/tablecolumns.h"
#include "records/opakovani.h"
#include "records/pravazaznamu.h"
#include "records/ui/frame_jvxchecklistbox_kuc.h"
#include "records/ui/frame_prava.h"
#include "records/ui/skupinaalarmu.h"
#include "records/ui/skupinaopakovani.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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

Teditudalost::Teditudalost(QWidget* parent)
    : TEditorZaznamu(parent, QStringLiteral("editudalost"), QStringLiteral("Orvan - Editace události"), {})
{
    resize(754, 551);
    SB_SAVE_ORVAN = pridejTlacitko("SB_SAVE_ORVAN", QStyle::SP_DriveFDIcon, QStringLiteral("ORVAN"),
                                   QStringLiteral("Uloží záznam do souboru typu ORVAN"));
    Frame_Richedit1 = pridejPoznamku(sestavHorniCast(), 124, SqlPoznamkaUdalosti);

    connect(SB_SAVE_ORVAN, &QToolButton::clicked, this, akce(this, &Teditudalost::SB_SAVE_ORVANClick));
    // The times follow every change of the box, also one made by loading.
    connect(ChB_CELY_DEN, &QCheckBox::toggled, this, akce(this, &Teditudalost::ChB_CELY_DENClick));
    sledujZmeny({KTEDITDC_DATUM, KTEDITDC_CAS_OD, KTEDITDC_CAS_DO, KTEDITDC_DATUM_DO, ChB_CELY_DEN,
                 Edit_NAZEV, GroupBox_ALARM->ChB_ALARM, GroupBox_ALARM->KTEDITDC_ALARM_DATUM,
                 GroupBox_ALARM->KTEDITDC_ALARM_CAS, GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE,
                 GroupBox_ALARM->Edit_ALARM_AKCE});
    pouzijKategorie(FRAME_JvxCheckListBox_KUC1, QStringLiteral("KU"), QStringLiteral("KU"));
    editor::nastavDelkyPoli(this, DelkySloupcu(SQLDATA(), QStringLiteral("KU")));
}

QWidget* Teditudalost::sestavHorniCast()
{
    auto* horni = new QWidget(this);
    sestavDatum(horni);
    const CastiPolozky c = sestavPolozku(horni, GroupBox_DATUM, QStringLiteral("Událost"), "GroupBox_UDALOST",
                                         KTEDITDC_DATUM, KTEDITDC_CAS_OD);
    Frame_Prava1 = c.prava;
    GroupBox_UDALOST = c.nazevBox;
    Edit_NAZEV = c.nazev;
    GroupBox_ALARM = c.alarm;
    FRAME_JvxCheckListBox_KUC1 = c.kategorie;
    GroupBox_OPAKOVANI = c.opakovani;
    connect(GroupBox_OPAKOVANI, &TSkupinaOpakovani::zmeneno, this, [this] { oznacZmenu(); });
    return horni;
}

void Teditudalost::sestavDatum(QWidget* rodic)
{
    GroupBox_DATUM = pojmenuj(new QGroupBox(QStringLiteral("Datum"), rodic), "GroupBox_DATUM");
    KTEDITDC_DATUM = pojmenuj(new TKTEDITDC(GroupBox_DATUM, 3), "KTEDITDC_DATUM");
    ChB_CELY_DEN = pojmenuj(new QCheckBox(QStringLiteral("Celý den"), GroupBox_DATUM), "ChB_CELY_DEN");
    KTEDITDC_CAS_OD = pojmenuj(new TKTEDITDC(GroupBox_DATUM, 4), "KTEDITDC_CAS_OD");
    KTEDITDC_CAS_DO = pojmenuj(new TKTEDITDC(GroupBox_DATUM, 4), "KTEDITDC_CAS_DO");
    KTEDITDC_DATUM_DO = pojmenuj(new TKTEDITDC(GroupBox_DATUM, 3), "KTEDITDC_DATUM_DO");
    KTEDITDC_DATUM_DO->setToolTip(
        QStringLiteral("Poslední den události, končí-li později než v den začátku"));
    auto* g = new QGridLayout(GroupBox_DATUM);
    g->addWidget(KTEDITDC_DATUM, 0, 0, 1, 2);
    g->addWidget(ChB_CELY_DEN, 0, 2, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Čas Od"), GroupBox_DATUM), 1, 0);
    g->addWidget(KTEDITDC_CAS_OD, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Čas do"), GroupBox_DATUM), 1, 2);
    g->addWidget(KTEDITDC_CAS_DO, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Do dne"), GroupBox_DATUM), 2, 2);
    g->addWidget(KTEDITDC_DATUM_DO, 2, 3);
    g->setRowStretch(3, 1);
}

// ---- Opening and loading ---------------------------------------------------------

bool Teditudalost::OtevriZpravou(std::intptr_t wParam, std::intptr_t lParam)
{
    bool nalezeno = false;
    const bool otevreno = otevri([&] {
        if (lParam == LP_EDIT_RECORD)
            nalezeno = Nacti_zaznam(int(wParam), QString(), QString(), QString());
        else if (lParam == LP_NEW_ON_DATE)
            nalezeno = Nacti_zaznam(0, KlicNaText(1, int(wParam)), QString(), QString());
        else
            nalezeno = Nacti_zaznam(0, KlicNaText(1, int(wParam)), QString(), KlicNaText(2, int(lParam)));
    });
    return otevreno && nalezeno;
}

bool Teditudalost::OtevriVyskyt(int id, const QDateTime& vyskyt)
{
    bool nalezeno = false;
    const bool otevreno = otevri([&] {
        m_noveDatum.clear();
        m_novyCas.clear();
        m_vyskyt = vyskyt;
        nalezeno = TEditorZaznamu::Nacti_zaznam(id);
        if (!nalezeno) m_vyskyt = QDateTime();
    });
    return otevreno && nalezeno;
}

bool Teditudalost::NovaUdalost()
{
    return otevri([this] { Nacti_zaznam(0, QString(), QString(), QString()); });
}

bool Teditudalost::ImportujSoubor(const QString& soubor)
{
    return otevri([&] { Nacti_zaznam(0, QString(), soubor, QString()); });
}

QString Teditudalost::VyberSouborImportu(QWidget* parent)
{
    return dialogs::openFileName(parent, FiltrPolozky, QStringLiteral(".orvan"));
}

bool Teditudalost::Nacti_zaznam(int id, const QString& datum, const QString& soubor, const QString& cas)
{
    m_noveDatum = datum;
    m_novyCas = cas;
    m_vyskyt = QDateTime();
    const bool nalezeno = TEditorZaznamu::Nacti_zaznam(id);
    if (id == 0 && !soubor.isEmpty()) nactiZeSouboru(soubor);
    return nalezeno;
}

void Teditudalost::vyprazdni()
{
    KTEDITDC_DATUM->setText(m_noveDatum);
    KTEDITDC_CAS_OD->setText(m_novyCas);
    KTEDITDC_CAS_DO->clear();
    KTEDITDC_DATUM_DO->clear();
    Edit_NAZEV->clear();
    ChB_CELY_DEN->setChecked(false);
    m_opakovani.clear();
    GroupBox_OPAKOVANI->nacti(QString());
    GroupBox_ALARM->nacti(AlarmPole());
    povolCasy();
}

bool Teditudalost::nactiZaznam(int id)
{
    const std::optional<UdalostPole> nacteno = NactiUdalost(SQLDATA(), id);
    if (!nacteno) return false;
    const UdalostPole& u = *nacteno;
    m_opakovani = u.Opakovani;
    if (u.Opakovani.isEmpty()) m_vyskyt = QDateTime();
    // An occurrence shows its own day and times; the alarm keeps its distance.
    const UdalostPole v = m_vyskyt.isValid() ? PoleVyskytu(u, m_vyskyt) : u;
    KTEDITDC_DATUM->setText(v.Datum);
    KTEDITDC_CAS_OD->setText(v.CasOd);
    KTEDITDC_CAS_DO->setText(v.CasDo);
    KTEDITDC_DATUM_DO->setText(v.DatumDo);
    ChB_CELY_DEN->setChecked(v.CelyDen);
    Edit_NAZEV->setText(v.Nazev);
    GroupBox_ALARM->nacti(v);
    GroupBox_OPAKOVANI->nacti(u.Opakovani);
    nastavPravaZaznamu(u.Prava);
    zapamatujPrecteny(u, u.Revize);
    return true;
}

void Teditudalost::zamkniPole(bool jenCteni)
{
    for (TKTEDITDC* e : {KTEDITDC_DATUM, KTEDITDC_CAS_OD, KTEDITDC_CAS_DO, KTEDITDC_DATUM_DO}) {
        e->setEnabled(!jenCteni);
        e->setReadOnly(jenCteni);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{ChB_CELY_DEN, Edit_NAZEV, GroupBox_ALARM, GroupBox_OPAKOVANI})
        w->setEnabled(!jenCteni);
    povolCasy();
}

void Teditudalost::povolCasy()
{
    // A read-only event's times stay enabled and read-only: they can be copied.
    KTEDITDC_CAS_OD->setEnabled(!ChB_CELY_DEN->isChecked());
    KTEDITDC_CAS_DO->setEnabled(!ChB_CELY_DEN->isChecked());
}

void Teditudalost::ChB_CELY_DENClick()
{
    povolCasy();
}

// ---- Saving and deleting ---------------------------------------------------------

UdalostPole Teditudalost::pole() const
{
    UdalostPole u;
    u.Datum = KTEDITDC_DATUM->text();
    u.CasOd = KTEDITDC_CAS_OD->text();
    u.CasDo = KTEDITDC_CAS_DO->text();
    u.DatumDo = KTEDITDC_DATUM_DO->text();
    u.CelyDen = ChB_CELY_DEN->isChecked();
    u.Nazev = Edit_NAZEV->text();
    GroupBox_ALARM->precti(u);
    u.Opakovani = GroupBox_OPAKOVANI->pravidlo();
    u.Prava = Frame_Prava1->Prava();
    return u;
}

QString Teditudalost::chybaPoli()
{
    if (!UdalostMaPlatnaData(pole())) return TextChybnaData;
    return GroupBox_OPAKOVANI->chyba();
}

bool Teditudalost::upravujeVyskyt() const
{
    return m_vyskyt.isValid() && !m_opakovani.isEmpty() && ZaznamID() != 0;
}

bool Teditudalost::predUlozenim()
{
    if (!upravujeVyskyt()) return true;
    return zvolRozsah(QStringLiteral("Kterých výskytů se změna týká ?"), false);
}

bool Teditudalost::zvolRozsah(const QString& otazka, bool smazani)
{
    enum { JenTento, TentoANasledujici, Vsechny, Zpet };
    const int volba = messages::choose(
        QStringLiteral("Událost se opakuje (%1).\n").arg(opakovani::Popis(m_opakovani)) + otazka,
        {QStringLiteral("Jen tento výskyt"), QStringLiteral("Tento a následující"),
         QStringLiteral("Všechny výskyty"), QStringLiteral("Zpět do editoru")},
        // Enter on a delete destroys nothing.
        smazani ? Zpet : JenTento, Zpet);
    if (volba == Zpet) return false;
    m_rozsah = RozsahZmeny(volba);
    return true;
}

VysledekZapisu Teditudalost::zapis()
{
    if (upravujeVyskyt()) {
        const std::optional<PrectenyZaznam<UdalostPole>> serie = precteny<UdalostPole>();
        if (serie)
            return UlozVyskyt(SQLDATA(), pole(), ZaznamID(), serie->pole, serie->revize, m_vyskyt, m_rozsah,
                              session().UzivatelID, kategorie()->data(), zmenenaPoznamka());
    }
    return UlozUdalost(SQLDATA(), pole(), ZaznamID(), session().UzivatelID, kategorie()->data(),
                       zmenenaPoznamka(), precteny<UdalostPole>());
}

VysledekZapisu Teditudalost::smaz()
{
    if (upravujeVyskyt()) {
        const std::optional<PrectenyZaznam<UdalostPole>> serie = precteny<UdalostPole>();
        if (serie) return SmazVyskyt(SQLDATA(), ZaznamID(), serie->pole, serie->revize, m_vyskyt, m_rozsah);
    }
    return SmazUdalost(SQLDATA(), ZaznamID());
}

bool Teditudalost::smiSmazat()
{
    if (m_opakovani.isEmpty()) return TEditorZaznamu::smiSmazat();
    if (!pravidlo().SmiSmazat) {
        messages::error(TextNemateSmazat);
        return false;
    }
    if (upravujeVyskyt()) return zvolRozsah(QStringLiteral("Které výskyty chcete smazat ?"), true);
    return messages::confirm(QStringLiteral("Událost se opakuje (%1).\nOpravdu chcete smazat všechny její "
                                            "výskyty ?")
                                 .arg(opakovani::Popis(m_opakovani)));
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
    p.Alarm = GroupBox_ALARM->ChB_ALARM->isChecked();
    p.AlarmDatum = GroupBox_ALARM->KTEDITDC_ALARM_DATUM->text();
    p.AlarmCas = GroupBox_ALARM->KTEDITDC_ALARM_CAS->text();
    p.Akce = GroupBox_ALARM->Edit_ALARM_AKCE->text();
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
    // Reading acts like the user's clicks: the switch brings its defaults,
    // then the file's own (even missing) alarm date and time win.
    GroupBox_ALARM->ChB_ALARM->setChecked(p.Alarm);
    GroupBox_ALARM->doplnVychozi();
    GroupBox_ALARM->KTEDITDC_ALARM_DATUM->setText(p.AlarmDatum);
    GroupBox_ALARM->KTEDITDC_ALARM_CAS->setText(p.AlarmCas);
    GroupBox_ALARM->Edit_ALARM_AKCE->setText(p.Akce);
    Frame_Richedit1->JvxRichEdit1->clear();
    Frame_Richedit1->JvxRichEdit1->setPlainText(p.Poznamka.join(QLatin1Char('\n')));
    Frame_Prava1->NactiPravaIni(ini);
    FRAME_JvxCheckListBox_KUC1->NactiKategorieZeSouboru(ini);
    // Nothing of the file is stored yet.
    stav().oznacZmenu();
}
