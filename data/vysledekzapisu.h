#pragma once

#include <QString>

// What a write came to: the one way every write of the program reports its
// outcome (saves, deletes, imports, links).
struct [[nodiscard]] VysledekZapisu {
    // Why a save of a stored record wrote nothing although the server took it.
    enum class Konflikt {
        Zadny,
        ZmenenoMezitim, // another workstation saved the record after it was read
        SmazanoMezitim, // another workstation deleted it
    };

    bool ok = false;
    int id = 0;    // the record's id; a new record's drawn id (0 when the database assigns it)
    QString chyba; // for the user: what went wrong (the server's text); empty on success
    Konflikt konflikt = Konflikt::Zadny;
    int revize = 0; // changed meanwhile: the stored revision now
    QString zmenil; // changed meanwhile: who and when, when the record keeps it

    // Refused before or instead of writing, with the reason for the user.
    static VysledekZapisu Odmitnuto(const QString& duvod)
    {
        VysledekZapisu v;
        v.chyba = duvod;
        return v;
    }
    static VysledekZapisu Zapsano(int zaznam = 0)
    {
        VysledekZapisu v;
        v.ok = true;
        v.id = zaznam;
        return v;
    }
};
