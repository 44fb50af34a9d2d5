#pragma once

#include "data/vysledekzapisu.h"

#include <QList>
#include <QString>

class TDataModuleIb;
class TSQLDATA;

// Files attached to a record: rows of SOUBOR naming the file's full path, a
// description and the record (a target kind and the record's id). The files
// themselves stay where they are.

struct SouborRadek {
    int Id = 0;    // SOUBOR_ID
    QString Jmeno; // the full path
    QString Popis; // shown in the list
};

// How long a path and a description may be (the columns JMENO and POPIS).
struct DelkySouboru {
    int Jmeno = 500;
    int Popis = 200;
    static DelkySouboru Z(TSQLDATA& db); // from the database's columns
};

extern const QString TextNeniVybrano; // "Není vybrána žádná položka !"

// The files of a record, sorted by description.
QList<SouborRadek> NactiSoubory(TSQLDATA& db, int cil, int cilId);

// The description proposed for a path: the path, or when it is longer than
// the description may be, its end after "…" so that the file's name shows.
QString PopisZCesty(const QString& cesta, int delka);

// Whether a file may be attached to the record cilId: the text for the user
// for a record not yet stored, an empty path, a path or description longer
// than its column; empty when it may.
QString OverPridaniSouboru(int cilId, const QString& cesta, const QString& popis, const DelkySouboru& delky);

// Attaches a file to the stored record cilId after OverPridaniSouboru (its
// text is the refusal).
VysledekZapisu PridejSoubor(TDataModuleIb& db, int cil, int cilId, const QString& cesta, const QString& popis,
                            int uzivatel, const DelkySouboru& delky);

// A new description of one row.
VysledekZapisu ZmenPopisSouboru(TDataModuleIb& db, int souborId, const QString& popis,
                                const DelkySouboru& delky);

// Removes one link; the file stays.
VysledekZapisu SmazOdkazNaSoubor(TDataModuleIb& db, int souborId);
