#pragma once

#include "common/ktdatumj.h"
#include "data/vysledekzapisu.h"

#include <QHash>
#include <QList>
#include <QLoggingCategory>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

// What the alarms handle without a box: a row without an instant, a start
// not stored, details or a notification that could not be read.
Q_DECLARE_LOGGING_CATEGORY(orvanAlarmy)

class TSQLDATA;
struct Session;

// The alarms of events (KU) and tasks (UKOLY) that the logged-in user may
// receive, performed one instant after the other from the last handled one.
// A series (a row with OPAKOVANI) alarms before each of its occurrences as
// long before as its own alarm comes before its start; an occurrence a row of
// its own replaces alarms by that row's alarm, a cancelled one not at all.

extern const QString SqlDalsiAlarmKU;
extern const QString SqlDalsiAlarmUkoly;
extern const QString SqlAlarmyKU;
extern const QString SqlAlarmyUkoly;
extern const QString SqlPotvrzeniAlarmu;

// " and ((<tabulka>.f_alarm is null) or ...)" for the user's groups; empty
// when the user has none (he then receives every alarm).
QString FragmentPravAlarmu(const QString& tabulka, const QString& skupinyText);

// One due row: "ku" or "ukoly", its id, ALARM_TYP_AKCE (NULL reads 0) and
// ALARM_AKCE; for a series the start of the occurrence it alarms for (0 for
// a single row).
struct AlarmRadek {
    QString tabulka;
    int id = 0;
    int typ = 0;
    QString akce;
    DatumCas vyskyt = 0;
};

// What the alarm window and the tray notification show of a row.
struct AlarmInfo {
    bool nalezen = false;
    QString datum, cas, nazev, alarm;
};
// Reads the record once; a record deleted meanwhile gives empty values. With
// `vyskyt` (a series' occurrence) the date, time and alarm are that occurrence's.
AlarmInfo NactiAlarmInfo(TSQLDATA& db, const QString& tabulka, int id, DatumCas vyskyt = 0);

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
    // Wall-clock instants as milliseconds on one line.
    using Okamzik = qint64;

    // A series' next occurrence alarm after the handled instant `po` (none:
    // not found yet), kept while the row's revision and the rows replacing
    // its occurrences (ids and revisions) stay and the handled instant stays
    // before that alarm.
    struct AlarmSerie {
        int revize = 0;
        QList<std::pair<int, int>> zmeny;
        std::optional<Okamzik> po;
        std::optional<Okamzik> alarm; // none: the series has no further occurrence
        Okamzik vyskyt = 0;
        int typ = 0;
        QString akce;
    };
    using SerieTabulky = QHash<int, AlarmSerie>;

    // The series the user may receive alarms of, with their revisions and
    // replaced occurrences, read again when they may have changed.
    void nactiSerie();
    // Reads them from `zdroje` (the FROM clauses of their kinds).
    void nactiRadkySerii(const QStringList& zdroje);
    // The next alarm after `posledni` of each series of "ku" or "ukoly" that
    // does not know it yet.
    void rozvinSerie(bool ukoly, Okamzik posledni);

    TSQLDATA& m_db;
    Session& m_s;
    DatumCas m_dalsi = 0;
    bool m_ceka = true;
    SerieTabulky m_serie[2]; // ku, ukoly
    // What the series were read by: the statement, the sums of their rows,
    // the read transaction.
    QString m_dotazSerii, m_otiskSerii, m_transakceSerii;
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
