#include "tasks/ui/alarmy.h"

#include "tasks/ui/form_alarm.h"

#include "common/action.h"
#include "common/alarmakce.h"
#include "common/session.h"
#include "common/ui/shell.h"
#include "data/sqldata.h"
#include "tasks/planovacalarmu.h"

#include <QTimer>

TAlarmy::TAlarmy(QTimer& timer, const QString& zvukProgramu, QObject* parent)
    : QObject(parent), m_timer(timer), m_zvuk(zvukProgramu), m_planovac(SQLDATA(), session())
{
    m_timer.stop();
    m_timer.setInterval(2000);
    connect(&m_timer, &QTimer::timeout, this, [this] { Timer1Timer(); });
    ZacniAlarmyOdTed(SQLDATA(), session());
}

void TAlarmy::NastavAlarm()
{
    // A failed search leaves the timer as it was; the caller reports it.
    const bool nalezen = m_planovac.NajdiDalsiAlarm();
    if (nalezen || TForm_ALARM::ProbudOdlozena(Ted()))
        m_timer.start();
    else
        m_timer.stop();
}

void TAlarmy::Timer1Timer()
{
    m_timer.stop();
    TForm_ALARM::ProbudOdlozena(Ted());
    // A failure is reported and leaves the timer stopped until the next NastavAlarm.
    if (!runAction([this] { m_planovac.Tik([this](const QList<AlarmRadek>& r) { proved(r); }); })) return;
    m_timer.start();
}

void TAlarmy::proved(const QList<AlarmRadek>& radky)
{
    for (const AlarmRadek& r : radky) {
        if (r.typ < 0 || r.typ > 3) continue; // no type chosen: the instant passes silently
        bool okno = r.typ == 0 || r.typ == 1;
        QString duvod;
        if (r.typ == 3 && !r.akce.trimmed().isEmpty()) {
            // Only a plain document is opened; anything else, and a document no
            // program opens, reminds by the window, which says why.
            const QString cesta = r.akce.trimmed();
            duvod = DuvodNeotevreni(cesta);
            if (duvod.isEmpty() && !shell::open(cesta))
                duvod = QStringLiteral("Soubor \"%1\" se nepodařilo otevřít žádným programem.").arg(cesta);
            if (!duvod.isEmpty()) {
                qCWarning(orvanAlarmy) << "alarm file not opened:" << duvod;
                okno = true;
            }
        }
        if (okno) otevriOkno(r, duvod);
        if (r.typ == 1 || r.typ == 2) {
            const QString f = SouborZvuku(r.akce, m_zvuk);
            if (!f.isEmpty()) shell::playSound(f);
        }
        if (Upozorneni && JeSkryto && JeSkryto()) {
            try {
                const AlarmInfo i = NactiAlarmInfo(SQLDATA(), r.tabulka, r.id, r.vyskyt);
                if (i.nalezen) Upozorneni(i.nazev, i.alarm);
            } catch (const ActionError& e) {
                qCWarning(orvanAlarmy) << "alarm notification not read:" << e.text();
            }
        }
    }
}

void TAlarmy::otevriOkno(const AlarmRadek& r, const QString& duvod)
{
    auto* w = new TForm_ALARM;
    w->NastavOknoAlarmu(r.tabulka, r.id, m_planovac.DalsiAlarm(), r.vyskyt);
    w->NastavDuvod(duvod);
    w->show();
}
