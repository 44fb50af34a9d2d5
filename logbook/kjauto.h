#pragma once

#include "data/sqlvalues.h"
#include "data/zapiszaznam.h"
#include "records/pravazaznamu.h"

#include <QString>
#include <QStringList>

class TKTDATASET;

// One car of the logbook (a row of KJ_AUTO) as its editor holds it, and the
// statements that store and delete it.
struct AutoPole {
    QString Spz;
    QString Popis;
    PravaZaznamu Prava;
    // For the reimbursement: the fuel type (as the year's rates name it),
    // the consumption from the technical certificate in l/100 km and the
    // odometer when the car came into use; empty when not known.
    QString Palivo;
    QString Spotreba;
    QString TachometrStart;
};

// The fuel types the decrees fix average prices for.
QStringList DruhyPaliva();

// The number fields: the editor's captions and their columns' ranges.
extern const CiselnePole PoleSpotreba;       // numeric(9,2)
extern const CiselnePole PoleTachometrStart; // integer

// Why the car may not be stored: a consumption or start odometer that is no
// number of its column's range (a message naming the field); both may stay
// empty. Empty when it may.
QString ChybaAuta(const AutoPole& a);

extern const QString SqlNactiAuto; // "%d" = KJ_AUTO_ID

AutoPole AutoZRadku(const TKTDATASET& tabulka, int radek);

// For a stored car (zaznamId != 0) the update, for a new one the insert under noveId.
// With the car as the editor read it, the update names its revision and
// writes only what changed; a save after another workstation's reports the
// conflict instead.
QStringList PrikazyUlozeniAuta(const AutoPole& a, int zaznamId, int noveId, int uzivatel,
                               const std::optional<PrectenyZaznam<AutoPole>>& precteny = std::nullopt);
VysledekZapisu UlozAuto(TDataModuleIb& db, const AutoPole& a, int zaznamId, int uzivatel,
                        const std::optional<PrectenyZaznam<AutoPole>>& precteny = std::nullopt);

// Deletes the car only when no ride refers to it (refused with
// TextZaznamPouzit). The test and the delete are one statement, so a ride
// stored meanwhile by another workstation is never left without its car.
// Announces the change after a delete.
VysledekZapisu SmazAuto(TDataModuleIb& db, int zaznamId);
