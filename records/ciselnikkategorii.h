#pragma once

#include "data/sqldata.h"
#include "data/zapiszaznam.h"

#include <QString>
#include <optional>

// One category (a row of KU_C_KAT or ADRESAR_C_KAT) as its editor holds it.
struct Kategorie {
    QString Nazev;
    int Barva = 0; // 0x00BBGGRR
    int Poradi = 0;
    int Revize = 0; // of the stored row read
};
using KalendarKategorie = Kategorie;

// What differs between the code lists of categories: the table, its
// statements, and which links keep a category in use.
struct CiselnikKategorii {
    QString Druh;           // the category bar's kind: "KU" or "ADRESAR"
    QString Tabulka;        // upper case; its columns are <Tabulka>_NAZEV, _BARVA, _PORADI
    QString SqlNacti;       // name, colour, order; "%d" = id
    QString SqlUloz;        // "%s" name, "%d" colour, order, id
    QString SqlVloz;        // "%s" name, "%d" colour, order; the database assigns the key
    QString SqlPouziti;     // count of the links of existing records; "%d" = id
    QString SqlSmazOsirele; // links left behind by records deleted long ago; "%d" = id
    QString SqlSmaz;        // "%d" = id
};

// The calendar categories (KU_C_KAT); only links of events keep one in use.
extern const CiselnikKategorii CiselnikKalendare;
// The address categories (ADRESAR_C_KAT); only links of existing address
// book entries keep one in use.
extern const CiselnikKategorii CiselnikAdresare;

// The stored category; nothing when there is no such row.
std::optional<Kategorie> NactiKategorii(TSQLDATA& db, const CiselnikKategorii& c, int id);

// Updates the category id, or inserts a new one for id 0 (the database
// assigns its key), then announces the change. With the row as the editor
// read it, the update names its revision and writes only what changed.
VysledekZapisu UlozKategorii(TDataModuleIb& db, const CiselnikKategorii& c, const Kategorie& k, int id,
                             const std::optional<PrectenyZaznam<Kategorie>>& precteny = std::nullopt);

// Deletes a category that no existing record names, with the links left
// behind by records deleted long ago, and announces the change; a category
// in use is refused with TextZaznamPouzit.
VysledekZapisu SmazKategorii(TDataModuleIb& db, const CiselnikKategorii& c, int id);
