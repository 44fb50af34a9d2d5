#pragma once

#include "data/sqlvalues.h"
#include "data/zapiszaznam.h"

#include <QString>
#include <QStringList>

class TKTDATASET;
class TSQLDATA;

// A ride of the logbook (a row of KJ) and what the ride entry remembers:
// distances between two addresses (KJ_VZDALENOST), a purpose per
// destination (KJ_DUVOD) and the list of purposes (KJ_C_DUVOD).

// One end of a ride: the address-book entry it was copied from (0 = typed)
// and the copy of its texts that the ride keeps.
struct AdresaJizdy {
    int Id = 0;
    QString Nazev, Jmeno, Prijmeni, Ulice, Psc, Mesto, Stat;

    // From a row of "select * from adresar_zakl" (lower-case columns read as upper).
    static AdresaJizdy ZRadku(const TKTDATASET& t, int radek, int id);
};

struct JizdaPole {
    int AutoId = 0;
    QString Datum;
    QString Duvod;
    QString Vzdalenost; // whole kilometres as typed
    AdresaJizdy Od, Do;
    // For the tax office: odometer states (empty = not recorded), the driver
    // (a user id, 0 = none), a private ride, departure and arrival (h:mm, optional).
    QString TachometrOd, TachometrDo;
    int RidicId = 0;
    bool Soukroma = false;
    QString CasOdjezdu, CasPrijezdu;
};

// The number fields: the ride entry's captions and their columns' ranges.
extern const CiselnePole PoleVzdalenost;  // integer
extern const CiselnePole PoleTachometrOd; // integer
extern const CiselnePole PoleTachometrDo; // integer

// Why the ride's data may not be stored; empty when it may. A date or time
// that does not parse and an end odometer below the start give
// TextChybnaData; an odometer that is no whole number of its column's range
// a message naming the field. The odometers may stay empty.
QString ChybaUdajuJizdy(const JizdaPole& j);

// The question before a save when the distance and the odometer difference
// disagree by more than 1 km; empty when they agree or an odometer is empty.
QString OtazkaVzdalenosti(const JizdaPole& j);

// Where the car's latest ride with an end odometer stopped (by date and
// order), or else the car's odometer at the start of use; empty when neither
// is known.
QString PosledniTachometr(TSQLDATA& db, int autoId);
// The warning when a new ride does not start where the car's last ride
// ended; empty when it does or when either is unknown.
QString UpozorneniTachometru(TSQLDATA& db, const JizdaPole& j);

extern const QString TextNeniVyplneno; // "Nejsou vyplněna požadovaná data, záznam nelze uložit !"
extern const QString TextMaxMensi;     // the maximum below the minimum

// Every check of a save: date, a distance above 0, postcode and town and a
// name or surname at both ends, a car, a purpose. A distance that is no
// whole number of its column throws ActionError naming the field.
bool JizdaJeUplna(const JizdaPole& j);

// The insert of a ride. The order number is computed inside the statement,
// one more than the highest of the date over all cars, so it is read in the
// transaction that writes it.
QString PrikazVlozeniJizdy(const JizdaPole& j, int uzivatel);

// Stores the ride and announces the change. The pair date + order number is
// unique in the database: when another workstation took the number first,
// the insert is tried again with a fresh one (up to `pokusu` times).
VysledekZapisu UlozJizdu(TDataModuleIb& db, const JizdaPole& j, int uzivatel, int pokusu = 8);

// ---- Lists ------------------------------------------------------------------

extern const QString SqlDuvody; // the purpose list: ID, POPIS
QString SqlAuta();              // the cars the user may read: ID, POPIS
// The address list (ID and the four name columns) for the address categories
// of the category bar, not restricted to main categories, with the read rights.
QString SqlAdresy(const QString& kategorieAdresar);
// What an address list shows: the first of the short name, name, surname and
// first name that is not blank, trimmed.
QString PopisAdresy(const TKTDATASET& t, int radek);

// ---- Remembered distance and purpose ----------------------------------------

struct Vzdalenost {
    bool nalezena = false;
    int min = 0;
    int max = 0;
};
Vzdalenost NactiVzdalenost(TSQLDATA& db, int od, int doId);

// The statements that replace the remembered distance of one direction:
// delete and insert, to run in one transaction.
QStringList PrikazyVzdalenosti(int od, int doId, int min, int max);

// The remembered purpose of a destination, whole (commas included); empty when none.
QString NactiDuvod(TSQLDATA& db, int adresa);
// Replaces the remembered purpose of a destination in one transaction.
VysledekZapisu UlozDuvod(TDataModuleIb& db, int adresa, const QString& duvod);

// Adds a purpose to the list unless it is there (compared trimmed; refused
// with the message to show).
VysledekZapisu PridejDuvod(TDataModuleIb& db, const QString& duvod);
extern const QString TextDuvodUlozen; // "Tento důvod je již uložen !"
