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
    bool autoLogin = false;
};

// Inserts the first administrator.
VysledekZapisu addAdministrator(TSQLDATA& db, const Admin& admin);

} // namespace dbadmin
