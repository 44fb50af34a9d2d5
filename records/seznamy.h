#pragma once

#include <QString>

// The FROM-clause tails of the task and address lists: the category bar's
// filter (ids joined by ",") and the user's read rights. `jenHlavni`: only
// the main category counts; otherwise any linked category does.
namespace seznamy
{

QString DotazUkoly(const QString& filtr, bool jenHlavni);
QString DotazAdresar(const QString& kategorieAdresar, bool jenHlavni);

} // namespace seznamy
