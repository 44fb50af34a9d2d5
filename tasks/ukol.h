#pragma once

#include "data/zapiszaznam.h"
#include "records/polozkakalendare.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

class TSQLDATA;
class TKategorieKUC;

// One task (a row of UKOLY) as the editor's fields hold it, and the
// statements that store it.
struct UkolPole : PolozkaKalendare {
    bool Aktivni = false;
};

extern const QString SqlPoznamkaUkolu; // "%d" = UKOLY_ID

// The deadline of the task its fields describe (no time: midnight); invalid
// without a date. A recurring task's occurrences are its deadlines.
QDateTime TerminUkolu(const UkolPole& u);

// A recurring task marked done: the occurrence done is kept as a done row of
// the series, and the series' deadline (and its alarm, by as many days)
// advances to the next occurrence. Nothing when the series has no next one.
std::optional<UkolPole> DalsiTerminSerie(const UkolPole& u);

// The stored task; nothing when there is no such row. A NULL action type
// reads as "Dialog".
std::optional<UkolPole> NactiUkol(TSQLDATA& db, int id);

// A save needs a deadline date that parses, a time and an alarm date and
// time that are empty or parse, and an alarm date when the alarm is on (an
// alarm without a date could never fire).
bool UkolMaPlatnaData(const UkolPole& u);

// The statements of one save, run in one transaction: for a stored task
// (zaznamId != 0) the update, the delete of its links and the inserts; for a
// new one (noveId) the insert and the link inserts. With the task as the
// editor read it: see PrikazyUlozeniUdalosti.
QStringList PrikazyUlozeniUkolu(const UkolPole& u, int zaznamId, int noveId, int uzivatel,
                                const TKategorieKUC& kategorie,
                                const std::optional<PrectenyZaznam<UkolPole>>& precteny = std::nullopt);

// Stores the task (zaznamId 0: a new one under a new UKOLY_ID) with its
// category links and its note (the note procedure's bytes) in one
// transaction, then announces the change.
VysledekZapisu UlozUkol(TDataModuleIb& db, const UkolPole& u, int zaznamId, int uzivatel,
                        const TKategorieKUC& kategorie, const std::optional<QByteArray>& poznamka,
                        const std::optional<PrectenyZaznam<UkolPole>>& precteny = std::nullopt);

// Deletes the task and its category links in one transaction and announces
// the change.
VysledekZapisu SmazUkol(TDataModuleIb& db, int zaznamId);
