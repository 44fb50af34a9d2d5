#include "tasks/ui/editukol.h"

#include "common/session.h"
#include "common/ui/frame_richedit.h"
#include "common/ui/kteditdc.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "data/tablecolumns.h"
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
#include <QVBoxLayout>

namespace
{

template <typename T> T* pojmenuj(T* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

Teditukol::Teditukol(QWidget* parent)
    : TEditorZaznamu(parent, QStringLiteral("editukol"), QStringLiteral("Orvan - Editace úkolu"), {})
{
    resize(754, 551);
    Frame_Richedit1 = pridejPoznamku(sestavHorniCast(), 124, SqlPoznamkaUkolu);
    sledujZmeny({KTEDITDC_DATUM, KTEDITDC_CAS_DO, ChB_AKTIVNI, Edit_NAZEV, GroupBox_ALARM->ChB_ALARM,
                 GroupBox_ALARM->KTEDITDC_ALARM_DATUM, GroupBox_ALARM->KTEDITDC_ALARM_CAS,
                 GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE, GroupBox_ALARM->Edit_ALARM_AKCE});
    // Tasks take the calendar's categories; their links are UKOLY_KAT.
    pouzijKategorie(FRAME_JvxCheckListBox_KUC1, QStringLiteral("KU"), QStringLiteral("UKOLY"));
    editor::nastavDelkyPoli(this, DelkySloupcu(SQLDATA(), QStringLiteral("UKOLY")));
}

QWidget* Teditukol::sestavHorniCast()
{
    auto* horni = new QWidget(this);
    GroupBox_DATUM =
        pojmenuj(new QGroupBox(QStringLiteral("Do kdy má být splněno"), horni), "GroupBox_DATUM");
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

    const CastiPolozky c = sestavPolozku(horni, GroupBox_DATUM, QStringLiteral("Úkol"), "GroupBox_UKOL",
                                         KTEDITDC_DATUM, KTEDITDC_CAS_DO);
    Frame_Prava1 = c.prava;
    GroupBox_UKOL = c.nazevBox;
    Edit_NAZEV = c.nazev;
    GroupBox_ALARM = c.alarm;
    FRAME_JvxCheckListBox_KUC1 = c.kategorie;
    GroupBox_OPAKOVANI = c.opakovani;
    connect(GroupBox_OPAKOVANI, &TSkupinaOpakovani::zmeneno, this, [this] { oznacZmenu(); });
    return horni;
}

void Teditukol::vyprazdni()
{
    KTEDITDC_DATUM->clear();
    KTEDITDC_CAS_DO->clear();
    Edit_NAZEV->clear();
    ChB_AKTIVNI->setChecked(true);
    GroupBox_ALARM->nacti(AlarmPole());
    GroupBox_OPAKOVANI->nacti(QString());
}

bool Teditukol::nactiZaznam(int id)
{
    const std::optional<UkolPole> nacteno = NactiUkol(SQLDATA(), id);
    if (!nacteno) return false;
    const UkolPole& u = *nacteno;
    KTEDITDC_DATUM->setText(u.Datum);
    KTEDITDC_CAS_DO->setText(u.CasDo);
    ChB_AKTIVNI->setChecked(u.Aktivni);
    Edit_NAZEV->setText(u.Nazev);
    GroupBox_ALARM->nacti(u);
    GroupBox_OPAKOVANI->nacti(u.Opakovani);
    nastavPravaZaznamu(u.Prava);
    zapamatujPrecteny(u, u.Revize);
    return true;
}

void Teditukol::zamkniPole(bool jenCteni)
{
    for (TKTEDITDC* e : {KTEDITDC_DATUM, KTEDITDC_CAS_DO, GroupBox_ALARM->KTEDITDC_ALARM_DATUM,
                         GroupBox_ALARM->KTEDITDC_ALARM_CAS})
        e->setReadOnly(jenCteni);
    // The alarm group goes with the other fields: a read-only task offers
    // nothing that a save would then refuse.
    for (QWidget* w :
         std::initializer_list<QWidget*>{GroupBox_DATUM, Edit_NAZEV, GroupBox_ALARM, GroupBox_OPAKOVANI})
        w->setEnabled(!jenCteni);
}

UkolPole Teditukol::pole() const
{
    UkolPole u;
    u.Datum = KTEDITDC_DATUM->text();
    u.CasDo = KTEDITDC_CAS_DO->text();
    u.Aktivni = ChB_AKTIVNI->isChecked();
    u.Nazev = Edit_NAZEV->text();
    GroupBox_ALARM->precti(u);
    u.Opakovani = GroupBox_OPAKOVANI->pravidlo();
    u.Prava = Frame_Prava1->Prava();
    return u;
}

QString Teditukol::chybaPoli()
{
    if (!UkolMaPlatnaData(pole())) return TextChybnaData;
    return GroupBox_OPAKOVANI->chyba();
}

VysledekZapisu Teditukol::zapis()
{
    return UlozUkol(SQLDATA(), pole(), ZaznamID(), session().UzivatelID, kategorie()->data(),
                    zmenenaPoznamka(), precteny<UkolPole>());
}

VysledekZapisu Teditukol::smaz()
{
    return SmazUkol(SQLDATA(), ZaznamID());
}
