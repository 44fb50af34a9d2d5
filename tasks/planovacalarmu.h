#pragma once

#include "common/ktdatumj.h"
#include "data/vysledekzapisu.h"

#include <QList>
#include <QLoggingCategory>
#include <QString>
#include <functional>

// What the alarms handle without a box: a row without an instant, a start
// not stored, details or a notification that could not be read.
Q_DECLARE_LOGGING_CATEGORY(orvanAlarmy)

class TSQLDATA;
struct Session;

// The alarms of events (KU) and tasks (UKOLY) that the logged-in user may
// receive, performed one instant after the other from the last handled one.

extern const QString SqlDalsiAlarmKU;
extern const QString SqlDalsiAlarmUkoly;
extern const QString SqlAlarmyKU;
extern const QString SqlAlarmyUkoly;
extern const QString SqlPotvrzeniAlarmu;

// " and ((<tabulka>.f_alarm is null) or ...)" for the user's groups; empty
// when the user has none (he then receives every alarm).
QString FragmentPravAlarmu(const QString& tabulka, const QString& skupinyText);

// One due row: "ku" or "ukoly", its id, ALARM_TYP_AKCE (NULL reads 0) and ALARM_AKCE.
struct AlarmRadek {
    QString tabulka;
    int id = 0;
    int typ = 0;
    QString akce;
};

// What the alarm window and the tray notification show of a row.
struct AlarmInfo {
    bool nalezen = false;
    QString datum, cas, nazev, alarm;
};
// Reads the record once; a record deleted meanwhile gives empty values.
AlarmInfo NactiAlarmInfo(TSQLDATA& db, const QString& tabulka, int id);

class PlanovacAlarmu
{
public:
    explicit PlanovacAlarmu(TSQLDATA& db, Session& s);

    // The earliest alarm after the last handled instant. A row that yields no
    // instant counts as none.
    bool NajdiDalsiAlarm();
    // When the next instant has come: its rows (events first) and the last
    // handled instant moved to it. False when nothing was due.
    bool SpustAlarmy(QList<AlarmRadek>& radky);
    // Every instant that has come, in order; `proved` gets each instant's rows.
    void Tik(const std::function<void(const QList<AlarmRadek>&)>& proved);

    bool AlarmCeka() const { return m_ceka; }
    DatumCas DalsiAlarm() const { return m_dalsi; }

private:
    TSQLDATA& m_db;
    Session& m_s;
    DatumCas m_dalsi = 0;
    bool m_ceka = true;
};

// The last handled instant of the session; with `odlozeny` (a snoozed alarm's
// instant, 0 for none) no later than just before it, so that alarm comes again
// at the next start.
DatumCas PosledniPotvrzeny(const Session& s, DatumCas odlozeny);
// Stores that instant in the user's row.
VysledekZapisu PotvrdAlarmy(TSQLDATA& db, const Session& s, DatumCas odlozeny);
// A user who never acknowledged an alarm starts from now, not from the first
// alarm ever stored; the instant is kept in his row.
void ZacniAlarmyOdTed(TSQLDATA& db, Session& s);
