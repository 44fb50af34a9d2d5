#include "records/ui/skupinaalarmu.h"

#include "common/action.h"
#include "common/alarmakce.h"
#include "common/messages.h"
#include "common/ui/dialogs.h"
#include "common/ui/kteditdc.h"
#include "common/ui/shell.h"
#include "common/ui/toolbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace
{

template <typename T> T* pojmenuj(T* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

TSkupinaAlarmu::TSkupinaAlarmu(QWidget* parent, TKTEDITDC* datum, TKTEDITDC* cas)
    : QGroupBox(QStringLiteral("Alarm"), parent), m_datum(datum), m_cas(cas)
{
    setObjectName(QStringLiteral("GroupBox_ALARM"));
    ChB_ALARM = pojmenuj(new QCheckBox(this), "ChB_ALARM");
    KTEDITDC_ALARM_DATUM = pojmenuj(new TKTEDITDC(this, 3), "KTEDITDC_ALARM_DATUM");
    KTEDITDC_ALARM_CAS = pojmenuj(new TKTEDITDC(this, 4), "KTEDITDC_ALARM_CAS");
    ComboBox_ALARM_TYP_AKCE = pojmenuj(new QComboBox(this), "ComboBox_ALARM_TYP_AKCE");
    ComboBox_ALARM_TYP_AKCE->addItems(TypyAkce());
    ComboBox_ALARM_TYP_AKCE->setCurrentIndex(-1);
    Edit_ALARM_AKCE = pojmenuj(new QLineEdit(this), "Edit_ALARM_AKCE");
    SB_RUN = tlacitko(this, "SB_RUN", QStyle::SP_MediaPlay, QString(), QString());
    SB_RUN->setAutoRaise(false);
    SB_ALARM_AKCE = tlacitko(this, "SB_ALARM_AKCE", QStringLiteral("..."), QString());
    SB_ALARM_AKCE->setAutoRaise(false);
    auto* g = new QGridLayout(this);
    g->addWidget(ChB_ALARM, 0, 0);
    g->addWidget(new QLabel(QStringLiteral("Datum"), this), 0, 1);
    g->addWidget(KTEDITDC_ALARM_DATUM, 0, 2);
    g->addWidget(new QLabel(QStringLiteral("Čas"), this), 0, 3);
    g->addWidget(KTEDITDC_ALARM_CAS, 0, 4);
    g->addWidget(new QLabel(QStringLiteral("Typ akce"), this), 0, 5);
    g->addWidget(ComboBox_ALARM_TYP_AKCE, 0, 6, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Akce"), this), 1, 1);
    g->addWidget(Edit_ALARM_AKCE, 1, 2, 1, 5);
    g->addWidget(SB_RUN, 1, 7);
    g->addWidget(SB_ALARM_AKCE, 1, 8);
    g->setColumnStretch(6, 1);

    // The controls follow every change of the switch, also one made by loading;
    // the defaults only the user's. Every slot runs as one user action.
    connect(ChB_ALARM, &QCheckBox::toggled, this, [this] { povol(); });
    connect(ChB_ALARM, &QCheckBox::clicked, this, [this] { runAction([this] { doplnVychozi(); }); });
    connect(ComboBox_ALARM_TYP_AKCE, &QComboBox::activated, this,
            [this] { runAction([this] { typAkceZmenen(); }); });
    connect(SB_RUN, &QToolButton::clicked, this, [this] { runAction([this] { zkusAkci(); }); });
    connect(SB_ALARM_AKCE, &QToolButton::clicked, this, [this] { runAction([this] { vyberSoubor(); }); });
    povol();
}

void TSkupinaAlarmu::nacti(const AlarmPole& a)
{
    ChB_ALARM->setChecked(a.Alarm);
    KTEDITDC_ALARM_DATUM->setText(a.AlarmDatum);
    KTEDITDC_ALARM_CAS->setText(a.AlarmCas);
    nastavTypAkce(a.TypAkce);
    Edit_ALARM_AKCE->setText(a.Akce);
    povol();
}

void TSkupinaAlarmu::precti(AlarmPole& a) const
{
    a.Alarm = ChB_ALARM->isChecked();
    a.AlarmDatum = KTEDITDC_ALARM_DATUM->text();
    a.AlarmCas = KTEDITDC_ALARM_CAS->text();
    a.TypAkce = ComboBox_ALARM_TYP_AKCE->currentIndex();
    a.Akce = Edit_ALARM_AKCE->text();
}

void TSkupinaAlarmu::doplnVychozi()
{
    if (!ChB_ALARM->isChecked()) return;
    if (KTEDITDC_ALARM_DATUM->text().trimmed().isEmpty()) KTEDITDC_ALARM_DATUM->setText(m_datum->text());
    if (KTEDITDC_ALARM_CAS->text().trimmed().isEmpty()) KTEDITDC_ALARM_CAS->setText(m_cas->text());
    if (ComboBox_ALARM_TYP_AKCE->currentIndex() == -1) ComboBox_ALARM_TYP_AKCE->setCurrentIndex(0);
}

void TSkupinaAlarmu::povol()
{
    const bool on = ChB_ALARM->isChecked();
    for (QWidget* w :
         std::initializer_list<QWidget*>{KTEDITDC_ALARM_DATUM, KTEDITDC_ALARM_CAS, ComboBox_ALARM_TYP_AKCE,
                                         Edit_ALARM_AKCE, SB_RUN, SB_ALARM_AKCE})
        w->setEnabled(on);
}

void TSkupinaAlarmu::nastavTypAkce(int typ)
{
    ComboBox_ALARM_TYP_AKCE->setCurrentIndex(typ >= 0 && typ < ComboBox_ALARM_TYP_AKCE->count() ? typ : -1);
}

void TSkupinaAlarmu::typAkceZmenen()
{
    const bool soubor = ComboBox_ALARM_TYP_AKCE->currentIndex() != 0;
    for (QWidget* w : std::initializer_list<QWidget*>{Edit_ALARM_AKCE, SB_RUN, SB_ALARM_AKCE})
        w->setEnabled(soubor);
}

void TSkupinaAlarmu::vyberSoubor()
{
    const QString f =
        dialogs::openFileName(window(), QStringLiteral("*.waw|*.wav|*.*|*.*"), QStringLiteral("wav"));
    if (!f.isEmpty()) Edit_ALARM_AKCE->setText(f);
}

void TSkupinaAlarmu::zkusAkci()
{
    const QString akce = Edit_ALARM_AKCE->text().trimmed();
    switch (ComboBox_ALARM_TYP_AKCE->currentIndex()) {
    case 1:
    case 2:
        if (!akce.isEmpty() && QFileInfo(akce).isFile()) shell::playSound(akce);
        break;
    case 3:
        if (akce.isEmpty()) break;
        if (SmiOtevritSoubor(akce))
            shell::open(akce);
        else
            messages::error(
                QStringLiteral("Soubor \"%1\" nelze otevřít: neexistuje, je spustitelný nebo je to spouštěč.")
                    .arg(akce));
        break;
    default:
        break;
    }
}
