#pragma once

#include "data/editorzaznamu.h"
#include "data/ktdata.h"

#include <QString>
#include <optional>

// One calendar category (a row of KU_C_KAT) as its editor holds it.
struct KalendarKategorie {
    QString Nazev;
    int Barva = 0; // 0x00BBGGRR
    int Poradi = 0;
};

extern const QString SqlNactiKategorii;
extern const QString SqlUlozKategorii;
extern const QString SqlVlozKategorii;
extern const QString SqlPouzitiKategorie;
extern const QString SqlSmazKategorii;

// The stored category; nothing when there is no such row.
std::optional<KalendarKategorie> NactiKalendarKategorii(TSQLDATA& db, int id);

// Updates the category id, or inserts a new one for id 0 (the database
// assigns its key), then announces the change.
VysledekZapisu UlozKalendarKategorii(TDataModuleIb& db, const KalendarKategorie& k, int id);

enum class SmazaniKategorie { Smazano, Pouzita, Chyba };
// Deletes a category that no existing event names, with the links left
// behind by events deleted long ago, and announces the change. `chyba` gets
// the server's text on failure.
SmazaniKategorie SmazKalendarKategorii(TDataModuleIb& db, int id, QString& chyba);
