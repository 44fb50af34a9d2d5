#pragma once

#include "data/datamoduleib.h"

class TSQLDATA;

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// What a write came to: the one way every write of the program reports its
// outcome (saves, deletes, imports, links).
struct [[nodiscard]] VysledekZapisu {
    bool ok = false;
    int id = 0;    // the record's id; a new record's drawn id (0 when the database assigns it)
    QString chyba; // for the user: what went wrong (the server's text); empty on success

    // Refused before or instead of writing, with the reason for the user.
    static VysledekZapisu Odmitnuto(const QString& duvod) { return {false, 0, duvod}; }
};

// Writes one record: for id 0 a new id from `generator` (empty: the database
// assigns the key), the statements that `prikazy` builds for that id and the
// note, all in one transaction; after success the change is announced (unless
// `oznamit` is false: an import announces once at its end). On failure
// nothing is stored and nothing announced.
VysledekZapisu ZapisZaznam(TDataModuleIb& db, int id, const QString& generator,
                           const std::function<QStringList(int id)>& prikazy,
                           const std::optional<PoznamkaZapisu>& poznamka = std::nullopt, bool oznamit = true);

// Deletes with the statements in one transaction and announces the change.
VysledekZapisu SmazZaznam(TDataModuleIb& db, const QStringList& prikazy);
