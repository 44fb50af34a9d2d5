#pragma once

#include "tasks/planovacalarmu.h"

#include <QObject>
#include <functional>

class QTimer;

// Runs the alarms in the main window: armed once after login, re-armed on
// change events, clock changes and activation, ticks every two seconds and
// performs what is due.
class TAlarmy : public QObject
{
    Q_OBJECT
public:
    // `timer` is the main window's alarm timer; `zvukProgramu` the program's own WAV file.
    TAlarmy(QTimer& timer, const QString& zvukProgramu, QObject* parent = nullptr);

    // Finds the next alarm and starts the timer when there is one (or a snoozed window).
    void NastavAlarm();
    void Timer1Timer();

    // While JeSkryto says the main window is hidden, every performed alarm is
    // also announced through Upozorneni (the tray's message).
    std::function<bool()> JeSkryto;
    std::function<void(const QString& nazev, const QString& cas)> Upozorneni;

    PlanovacAlarmu& planovac() { return m_planovac; }

private:
    void proved(const QList<AlarmRadek>& radky);
    // `duvod`: why the alarm's file was not opened, shown in the window.
    void otevriOkno(const AlarmRadek& r, const QString& duvod);

    QTimer& m_timer;
    QString m_zvuk;
    PlanovacAlarmu m_planovac;
};
