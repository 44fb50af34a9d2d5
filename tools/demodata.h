#pragma once

#include "data/vysledekzapisu.h"
#include <QDate>

#include <QString>
#include <functional>

class TSQLDATA;

namespace demodata
{

// Fills a fresh database with a small office around the given month: users and
// groups, calendar and address categories, events, tasks, addresses, a car with
// rides, all in one transaction. `storedPassword`
// gives the stored form of a password: the digest, or the plain text that
// databases held before digests (tests of the upgrade).
using StoredPassword = std::function<QString(const QString&)>;
VysledekZapisu fill(TSQLDATA& db, int adminId, const QDate& today, const StoredPassword& storedPassword = {});

} // namespace demodata
