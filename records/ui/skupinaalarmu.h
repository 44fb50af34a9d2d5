#pragma once

#include "records/polozkakalendare.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QToolButton;
class TKTEDITDC;

// The "Alarm" group of the event and task editors: the switch, the alarm's
// date and time, the action type with its file, and the buttons to try the
// action and to choose its file. The editors keep their own pointers to the
// controls under the same names. Switched on by the user, an empty alarm
// date and time take the record's (`datum`, `cas`) and the type "Dialog".
class TSkupinaAlarmu : public QGroupBox
{
public:
    TSkupinaAlarmu(QWidget* parent, TKTEDITDC* datum, TKTEDITDC* cas);

    QCheckBox* ChB_ALARM;
    TKTEDITDC* KTEDITDC_ALARM_DATUM;
    TKTEDITDC* KTEDITDC_ALARM_CAS;
    QComboBox* ComboBox_ALARM_TYP_AKCE;
    QLineEdit* Edit_ALARM_AKCE;
    QToolButton* SB_RUN;
    QToolButton* SB_ALARM_AKCE;

    // The alarm fields of an event or a task into the group and back.
    void nacti(const AlarmPole& a);
    void precti(AlarmPole& a) const;

    // The controls follow the switch.
    void povol();
    // A stored type outside the list chooses nothing.
    void nastavTypAkce(int typ);
    // "Dialog" needs no file; the other types do.
    void typAkceZmenen();
    // Asks for a sound file and takes it as the action.
    void vyberSoubor();
    // A switched-on alarm takes the defaults where it has nothing (the user's
    // click does this; so does an item file, which carries no action type).
    void doplnVychozi();
    // Tries the chosen action: plays the sound or opens the file, as the
    // alarm itself would (a file that may not be opened is refused with a message).
    void zkusAkci();

private:
    TKTEDITDC* m_datum;
    TKTEDITDC* m_cas;
};
