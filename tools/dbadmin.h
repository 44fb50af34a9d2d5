#pragma once

#include "data/vysledekzapisu.h"

#include <QString>

class TSQLDATA;

namespace dbadmin
{

struct Admin {
    QString login = QStringLiteral("admin");
    QString password;
    QString name = QStringLiteral("Správce");
    // "Smí se přihlásit": without it nobody could log in to manage the users.
    bool smiSePrihlasit = true;
};

// Inserts the first administrator.
VysledekZapisu addAdministrator(TSQLDATA& db, const Admin& admin);

} // namespace dbadmin
