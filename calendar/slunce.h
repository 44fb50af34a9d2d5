#pragma once

#include "common/ktdatumj.h"

#include <QImage>
#include <QPoint>
#include <QString>

// What the info bar tells about the sky of one day, for the office's fixed
// place, and the names whose name day it is.

// The observer: 50° 8' 0" N, 14° 42' 0" E.
struct PolohaPozorovatele {
    int sirkaStupne, sirkaMinuty, sirkaSekundy; // north
    int delkaStupne, delkaMinuty, delkaSekundy; // east
};
inline constexpr PolohaPozorovatele kPozorovatel{50, 8, 0, 14, 42, 0};

// ---- Sun ------------------------------------------------------------------

struct CasySlunce {
    QString vychod; // "h:mm"; empty when the Sun does not rise that day
    QString zapad;  // "h:mm"; empty when the Sun does not set that day
};

// Sunrise and sunset of the day of `datum` in zone time, `zona` hours east of
// UTC. The time of day in `datum` is ignored.
CasySlunce VychodZapadSlunce(int zona, DatumCas datum);

// The zone the info bar computes the sun times with: 1 in winter time and on
// the October switch day, 2 in summer time and on the March switch day, 0 for
// years before 1996 (no sun times then).
int ZonaSlunce(DatumCas datum);

// ---- Moon -----------------------------------------------------------------

// The Moon's phase angle in degrees for a UT instant: 0 at full moon, 180 at
// new moon, below 180 while the Moon waxes and above 180 while it wanes.
double FazovyUhelMesice(DatumCas ut);

// The 32 x 32 picture of the full Moon on a black sky that the phases are
// shaded over. The disc is centred at kStredMesice.
inline constexpr int kVelikostMesice = 32;
inline constexpr QPoint kStredMesice{15, 14};
inline constexpr int kPolomerMesice = 14;
inline constexpr QPoint kMistoPristani{20, 15}; // turns red once men have landed there
QImage ObrazekUplnku();

// The full Moon darkened for the phase angle `fazovyUhel` (degrees, 0-360);
// with `poPristani` the landing site is marked red.
QImage KresliMesic(double fazovyUhel, bool poPristani);

// The picture for a moment of the workstation's local (Central European) time;
// the phase is computed for the matching UT instant, the marker compares the
// moment itself with PristaniNaMesici.
QImage ObrazekMesice(DatumCas okamzik);

// 20.7.1969 20:17:43, the first landing on the Moon.
DatumCas PristaniNaMesici();

// ---- Name days ------------------------------------------------------------

// The names whose name day falls on the date's month and day, in the
// database's order, joined by ", "; "-" when there is none. The table is
// read once per connection and kept.
QString SvatkyDne(DatumCas datum);
// How many times the table has been read in this run.
int CteniSvatku();
