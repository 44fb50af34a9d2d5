#pragma once

#include "records/pravazaznamu.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class TKTDATASET;

// The alarm of an event or a task as the editors' fields hold it: the
// columns ALARM, ALARM_DATUM, ALARM_CAS, ALARM_TYP_AKCE and ALARM_AKCE that
// both tables share.
struct AlarmPole {
    bool Alarm = false;
    QString AlarmDatum;
    QString AlarmCas;
    int TypAkce = -1; // position in TypyAkce(), -1 = none chosen
    QString Akce;
};

// What events and tasks share as the editors' fields hold them: the date,
// the time the item ends or is due, the name, the rights and the alarm.
struct PolozkaKalendare : AlarmPole {
    QString Datum;
    QString CasDo;
    QString Nazev;
    PravaZaznamu Prava;
    int Revize = 0; // of the stored row read
    // The series' rule (RRULE); empty for a single item.
    QString Opakovani;
};

// A save needs a date: neither empty after trimming nor "00.00.0".
bool MaDatum(const PolozkaKalendare& p);

// The shared columns of a row (DATUM, CAS_DO, NAZEV, the alarm's and the
// rights'); a NULL action type reads as `bezTypu`.
void PolozkaZRadku(PolozkaKalendare& p, const TKTDATASET& tabulka, int radek, int bezTypu);

// The statement that stores the rule's columns of row `id` of `tabulka` (KU
// or UKOLY) for a series starting at `zacatek`: the rule and the last
// occurrence's day (31.12.9999 without an end); an empty rule clears them.
QString PrikazPravidla(const QString& tabulka, const QString& pravidlo, const QDateTime& zacatek, int id);

// A counted rule ("COUNT=n") of a series starting at `zacatek` as one that
// ends on its last occurrence, so that a later start keeps the same end.
QString PravidloSKoncem(const QString& pravidlo, const QDateTime& zacatek);

// The alarm's date and time are empty or parse.
bool AlarmMaPlatnaData(const AlarmPole& a);

// The five columns' values as SQL literals, in the order above. Throws
// ActionError on a date or time that does not parse.
QStringList AlarmSQL(const AlarmPole& a);
