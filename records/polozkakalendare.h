#pragma once

#include "records/pravazaznamu.h"

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
};

// A save needs a date: neither empty after trimming nor "00.00.0".
bool MaDatum(const PolozkaKalendare& p);

// The shared columns of a row (DATUM, CAS_DO, NAZEV, the alarm's and the
// rights'); a NULL action type reads as `bezTypu`.
void PolozkaZRadku(PolozkaKalendare& p, const TKTDATASET& tabulka, int radek, int bezTypu);

// The alarm's date and time are empty or parse.
bool AlarmMaPlatnaData(const AlarmPole& a);

// The five columns' values as SQL literals, in the order above. Throws
// ActionError on a date or time that does not parse.
QStringList AlarmSQL(const AlarmPole& a);
