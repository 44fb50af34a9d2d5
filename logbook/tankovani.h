#pragma once

#include "data/sqlvalues.h"
#include "data/zapiszaznam.h"

#include <QString>
#include <QStringList>

class TKTDATASET;

// One fuel purchase (a row of KJ_TANKOVANI). It has no rights of its own:
// the car's rights govern it, as they govern the rides.
struct TankovaniPole {
    int AutoId = 0;
    QString Datum;
    QString Litry;     // decimal comma or point
    QString Cena;      // Kč with VAT
    QString Tachometr; // empty = not recorded
};

extern const QString SqlNactiTankovani; // "%d" = KJ_TANKOVANI_ID

// The number fields: the editor's captions and their columns' ranges.
extern const CiselnePole PoleLitry;              // numeric(9,2), above 0
extern const CiselnePole PoleCena;               // numeric(15,2)
extern const CiselnePole PoleTachometrTankovani; // integer

TankovaniPole TankovaniZRadku(const TKTDATASET& t, int radek);
// Why the purchase may not be stored; empty when it may. A car, a date,
// litres and a price are required (TextNeniVyplneno), the date must parse
// (TextChybnaData), the numbers must fit their columns (a message naming the
// field); the odometer may stay empty.
QString ChybaTankovani(const TankovaniPole& t);
// With the purchase as the editor read it, the update names its revision and
// writes only what changed; a save after another workstation's reports the
// conflict instead.
QStringList
PrikazyUlozeniTankovani(const TankovaniPole& t, int zaznamId, int noveId, int uzivatel,
                        const std::optional<PrectenyZaznam<TankovaniPole>>& precteny = std::nullopt);
VysledekZapisu UlozTankovani(TDataModuleIb& db, const TankovaniPole& t, int zaznamId, int uzivatel,
                             const std::optional<PrectenyZaznam<TankovaniPole>>& precteny = std::nullopt);
VysledekZapisu SmazTankovani(TDataModuleIb& db, int zaznamId);
