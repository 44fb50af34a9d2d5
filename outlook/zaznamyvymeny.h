#pragma once

#include "vymena.h"

#include "records/pravazaznamu.h"

#include <QStringList>
#include <functional>

class TKategorieKUC;
class TSQLDATA;

// Calendar items and contacts into the database, and events out of it.

// What to do with an item that matches a row the user may read.
enum class Duplicita {
    Pridat,   // "přidat jako další": no search, always a new row
    Prepsat,  // "přepsat": the row takes the item's values, keeping its id
    Preskocit // "nepřepisovat, neimportovat"
};

struct NastaveniImportu {
    PravaZaznamu prava;                       // written into every row
    const TKategorieKUC* kategorie = nullptr; // the checked categories, nullptr for none
    Duplicita duplicita = Duplicita::Pridat;
    // Cancelled items delete the events with their UID (those the user may
    // delete); false: they are left alone. They never become rows.
    bool smazatZrusene = true;
};

struct PocitadlaImportu {
    int nacteno = 0;
    int prepsano = 0;
    int zapsano = 0;    // new or overwritten rows actually stored
    int preskoceno = 0; // matches not overwritten (rule, or no right to edit and delete them)
    int chybne = 0;     // items the database refused
    int zruseno = 0;    // events deleted because the file cancels them
    int zkraceno = 0;   // recurring events stored as their first occurrence only
    QStringList chyby;  // their reasons, in order

    // "Načteno: ..." with a line per counter.
    QString Text() const;
    // Every refused item with its reason, a line each (no statements).
    QString Podrobnosti() const { return chyby.join(QStringLiteral("\n")); }
};

// (position from 1, count) after each item.
using PrubehImportu = std::function<void(int, int)>;

extern const QString SqlShodaUdalosti; // %s datum, cas_od, cas_do, nazev
extern const QString SqlShodaAdresy;   // %s NAZEV, JMENO, PRIJMENI
extern const QString SqlShodaUid;      // %s UID: an event the file names by its UID
constexpr qsizetype DelkaUid = 255;    // the UID column's length

// The events that the cancelled items of a file would delete: the ones with
// their UID that the user may read and delete.
int PocetZrusenych(TSQLDATA& db, const QList<Schuzka>& polozky);

// The whole file in one transaction, each item with its categories and note
// under a savepoint of its own (a refused item rolls back alone and is counted
// with its reason); one change announcement at the end when anything was stored.
PocitadlaImportu ImportujKalendar(TSQLDATA& db, const QList<Schuzka>& polozky, const NastaveniImportu& n,
                                  const PrubehImportu& prubeh = {});
PocitadlaImportu ImportujKontakty(TSQLDATA& db, const QList<Kontakt>& polozky, const NastaveniImportu& n,
                                  const PrubehImportu& prubeh = {});

// Every event the user may read, in the order of their start, with uids that
// stay the same from one export to the next (the event's id and the database's
// creation stamp). An alarm switched on without a valid alarm date is left out.
QList<Schuzka> UdalostiKExportu(TSQLDATA& db);
// Every address the user may read, by name.
QList<Kontakt> AdresyKExportu(TSQLDATA& db);
