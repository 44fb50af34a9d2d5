#pragma once

#include <QDate>
#include <QString>

class TSQLDATA;

namespace demodata
{

// Fills a fresh database with a small office around the given month: users and
// groups, calendar and address categories, events, tasks, addresses, a car with
// rides. Returns the server's error text (empty on success).
QString fill(TSQLDATA& db, int adminId, const QDate& today);

} // namespace demodata
