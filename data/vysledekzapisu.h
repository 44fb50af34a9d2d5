#pragma once

#include <QString>

// What a write came to: the one way every write of the program reports its
// outcome (saves, deletes, imports, links).
struct [[nodiscard]] VysledekZapisu {
    bool ok = false;
    int id = 0;    // the record's id; a new record's drawn id (0 when the database assigns it)
    QString chyba; // for the user: what went wrong (the server's text); empty on success

    // Refused before or instead of writing, with the reason for the user.
    static VysledekZapisu Odmitnuto(const QString& duvod) { return {false, 0, duvod}; }
};
