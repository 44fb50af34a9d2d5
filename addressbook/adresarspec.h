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
};

// "Osoba", "Firma", "Agentura", "Obchodní partneři", "Ostatní".
const QStringList& TypySpecAdres();

// The stored row; nothing when there is no such row.
std::optional<SpecAdresaPole> NactiSpecAdresu(TSQLDATA& db, int id);

// The one statement of a save: the update of row id, or the insert of a new
// row for id 0 (the database assigns its key).
QString PrikazUlozeniSpecAdresy(const SpecAdresaPole& a, int id);

// Stores the row and announces the change.
VysledekZapisu UlozSpecAdresu(TDataModuleIb& db, const SpecAdresaPole& a, int id);

// Deletes a row that no event names as orderer or participant and announces
// the change; a row in use is refused with TextZaznamPouzit.
VysledekZapisu SmazSpecAdresu(TDataModuleIb& db, int id);
