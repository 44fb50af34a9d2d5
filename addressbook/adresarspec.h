#pragma once

#include "data/zapiszaznam.h"

#include <QString>
#include <QStringList>
#include <optional>

class TSQLDATA;

// One special address (a row of ADRESAR_SPEC), a simpler list beside the
// address book whose rows events name as orderer or participant.
struct SpecAdresaPole {
    QString Nazev;
    QString Jmeno;
    QString Prijmeni;
    QString Email;
    QString Telefon1;
    QString Telefon2;
    QString Ulice;
    QString Mesto;
    QString Psc;
    QString Stat;
    bool ZasilatInformace = false;
    int Typ = 0; // position in TypySpecAdres()
    QString Poznamka;
    int Revize = 0; // of the stored row read
};

// "Osoba", "Firma", "Agentura", "Obchodní partneři", "Ostatní".
const QStringList& TypySpecAdres();

// The stored row; nothing when there is no such row.
std::optional<SpecAdresaPole> NactiSpecAdresu(TSQLDATA& db, int id);

// The one statement of a save: the update of row id, or the insert of a new
// row for id 0 (the database assigns its key). With the row as the editor
// read it, the update names its revision and writes only what changed.
QString PrikazUlozeniSpecAdresy(const SpecAdresaPole& a, int id,
                                const std::optional<PrectenyZaznam<SpecAdresaPole>>& precteny = std::nullopt);

// Stores the row and announces the change; with the row as read, a save after
// another workstation's reports the conflict instead.
VysledekZapisu UlozSpecAdresu(TDataModuleIb& db, const SpecAdresaPole& a, int id,
                              const std::optional<PrectenyZaznam<SpecAdresaPole>>& precteny = std::nullopt);

// Deletes a row that no event names as orderer or participant and announces
// the change; a row in use is refused with TextZaznamPouzit.
VysledekZapisu SmazSpecAdresu(TDataModuleIb& db, int id);
