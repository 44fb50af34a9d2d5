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

// A rule as the editors' "Opakování" group holds it.
struct Nastaveni {
    enum Druh { Neopakuje, Denne, Tydne, Mesicne, Rocne };
    enum ZpusobMesicne { DenMesice, DenVTydnu, PosledniDen };
    enum DruhKonce { Nikdy, Dne, PoPoctu };
    Druh druh = Neopakuje;
    int kazdych = 1;
    QList<int> dny; // weekly: 1 = Monday .. 7 = Sunday, ascending
    ZpusobMesicne mesicne = DenMesice;
    DruhKonce konec = Nikdy;
    QDate konecDne; // the last day an occurrence may fall on
    int pocet = 10;

    bool operator==(const Nastaveni&) const = default;
};

// The group's settings of a stored rule for a series starting on `zacatek`;
// nothing when the rule says more than the group shows (a rule from another
// calendar program), which then stays as it is.
std::optional<Nastaveni> ZPravidla(const QString& pravidlo, QDate zacatek);

// The rule of the settings for a series starting on `zacatek`; empty for a
// single event. "N-tého dne" takes the start's day, "N-tý den v týdnu" its
// weekday and week (the fifth counts as the last).
QString NaPravidlo(const Nastaveni& n, QDate zacatek);

// The ordinal of the start's weekday in its month as the rule writes it: 1..4, or -1 for the fifth.
int PoradiDneVMesici(QDate d);

} // namespace opakovani
