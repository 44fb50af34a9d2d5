#pragma once

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

// The alarm of a row; a NULL action type reads as `bezTypu`.
AlarmPole AlarmZRadku(const TKTDATASET& tabulka, int radek, int bezTypu);

// The alarm's date and time are empty or parse.
bool AlarmMaPlatnaData(const AlarmPole& a);

// The five columns' values as SQL literals, in the order above. Throws
// ActionError on a date or time that does not parse.
QStringList AlarmSQL(const AlarmPole& a);
