#pragma once

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

// Inserts the first administrator; returns the server's error text (empty on success).
QString addAdministrator(TSQLDATA& db, const Admin& admin);

} // namespace dbadmin
