#pragma once

#include <QString>
#include <QStringList>

class QStandardItemModel;
class TDataModuleIb;
struct Session;

// The logic of the SQL console: who may use it, which table may be browsed,
// and a SELECT's result as a grid model.
namespace sqlmanager
{

// Direct SQL bypasses every record right: only a logged-in administrator.
bool SmiPouzitKonzoli(const Session& s);
const QString& ZpravaBezPrava();

// The table of the list that the typed name means (names compare without
// regard to case); empty when the database has no such table.
QString NajdiTabulku(const QStringList& tabulky, const QString& zadano);

// Runs the SELECT and puts its result into the model: the column names as the
// header; with two or more columns and at least one row the first column
// becomes the row header (it stays in view while the others scroll). Returns
// the name of that first column, empty when it stays an ordinary column. A failing statement throws
// DbError and leaves the model as it was.
QString NactiVysledek(TDataModuleIb& db, const QString& sql, QStandardItemModel& model);

} // namespace sqlmanager
