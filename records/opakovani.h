#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

struct icaltimetype;

// Recurrence rules of events and tasks in RFC 5545 form (the RRULE value:
// FREQ, INTERVAL, BYDAY with ordinals, BYMONTHDAY, BYMONTH, BYSETPOS, COUNT,
// UNTIL), expanded by libical's iterator in the workstation's wall-clock time:
// a series at 9:00 stays at 9:00 across the clock changes, and an occurrence
// that falls into the spring gap comes an hour later (as Qt places such a time).
// An UNTIL given as a date includes that whole day.
namespace opakovani
{

// Why the rule cannot be used; nothing when it can.
std::optional<QString> ChybaPravidla(const QString& pravidlo);

// The starts of the series' occurrences in [od, doKonce), the series starting
// at `zacatek` (its first occurrence), without the `vynechane` starts. Only
// the range is walked (COUNT is turned into its end first), so an endless
// series costs what the range holds. An unusable rule gives the start alone
// when it lies in the range.
QList<QDateTime> Vyskyty(const QString& pravidlo, const QDateTime& zacatek, const QList<QDateTime>& vynechane,
                         const QDateTime& od, const QDateTime& doKonce);

// The last occurrence's start; nothing for a series without an end.
std::optional<QDateTime> PosledniVyskyt(const QString& pravidlo, const QDateTime& zacatek);

// The first occurrence after `po` (not excluded); nothing when the series has ended.
std::optional<QDateTime> DalsiVyskyt(const QString& pravidlo, const QDateTime& zacatek,
                                     const QList<QDateTime>& vynechane, const QDateTime& po);

// One line in Czech for the editor and the lists: "Každé pondělí do 30. 6. 2027".
QString Popis(const QString& pravidlo);

// A wall-clock time as libical's floating time (no zone).
icaltimetype NaStenu(const QDateTime& t);

} // namespace opakovani
