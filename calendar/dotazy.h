#pragma once

#include <QString>
#include <QStringList>

class TSQLDATA;

// SQL of the event lists that follow the category bar and the user's read rights.
// Dates are texts in the day.month.year form.
namespace dotazy
{

int PocetUdalosti(TSQLDATA& db, const QString& datum);
QString DotazUdalosti(const QString& selectList, const QString& filtr, bool jenHlavni, const QString& od,
                      const QString& doDatum);
extern const QString SloupceDneKalendare; // the select list of NactiDenKalendare
void NactiDenKalendare(TSQLDATA& db, QStringList& lines, const QString& filtr, bool jenHlavni,
                       const QString& datum);

} // namespace dotazy
