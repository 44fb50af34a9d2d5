#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

class QCollator;
class TSQLDATA;

// The occurrences of events in a range of days: single events as they are
// stored, series expanded for the range only (their excluded starts and the
// occurrences that rows of their own replace or cancel left out), as the user
// may read them under a category filter.
struct VyskytUdalosti {
    int id = 0;    // KU_ID of the row shown: the series' own for its occurrences
    int serie = 0; // the series' KU_ID, 0 for a single event
    QDateTime zacatek;
    QDateTime konec; // invalid without an end time
    bool celyDen = false;
    QString nazev;
    QString barva; // KU_C_KAT_BARVA of the main category, empty without one

    bool operator==(const VyskytUdalosti&) const = default;
};

// The condition (after "where ...") that leaves out of a statement over ku the
// rows shown through their series: series themselves and cancelled occurrences.
extern const QString PodminkaJednotlivych;

// Every occurrence in od..doDatum (whole days), ordered as the date-range list
// orders (start, name, id). `filtr` is a checked list of category ids (empty:
// all), `jenHlavni` applies it to the main category only.
QList<VyskytUdalosti> NactiVyskyty(TSQLDATA& db, QDate od, QDate doDatum, const QString& filtr = {},
                                   bool jenHlavni = true);

// The occurrences of the series alone (rows with a rule) in od..doDatum;
// with `pokracovani`, also a line for each further day of an event that ends
// on a later day (DATUM_DO), without a time. `dotazu` (when given) counts the
// statements run.
QList<VyskytUdalosti> VyskytySerii(TSQLDATA& db, QDate od, QDate doDatum, const QString& filtr = {},
                                   bool jenHlavni = true, int* dotazu = nullptr, bool pokracovani = false);

// Names in the database's Czech order (ICU's cs_CZ, as the collation of the
// text columns), for merging read lines with expanded ones.
const QCollator& CeskeRazeni();

// An occurrence's start as the number yyyyMMddHHmm that a click hands to the
// editor, and back (invalid for a number that is no such time).
QString KlicVyskytu(const QDateTime& zacatek);
QDateTime VyskytZKlice(qint64 klic);

// Excluded starts as stored: wall-clock "yyyyMMddTHHmmss", comma-separated.
QList<QDateTime> VynechaneZTextu(const QString& text);
QString VynechaneNaText(const QList<QDateTime>& vynechane);
