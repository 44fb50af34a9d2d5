#pragma once

#include <QString>
#include <QStringList>

class TSQLDATA;

// Exchange files from the command line, through the same code as the import
// window and the export commands, as one user of the office.
namespace vymenadb
{

struct Volby {
    QString login;         // the user whose rights apply; empty: the first administrator
    QString duplicity;     // "add" (default), "replace" or "skip"
    bool kontakty = false; // export: contacts instead of the calendar
};

// Imports .ics or .vcf files (by the first file's extension) and prints the
// counts; the refused items go to stderr. Returns the exit code.
int Importuj(TSQLDATA& db, const QStringList& soubory, const Volby& v);
// Writes every event (or contact) the user may read into the file.
int Exportuj(TSQLDATA& db, const QString& soubor, const Volby& v);
// Prints every occurrence of the days od..doDatum the user may read, a line
// each: date, start, end, name, the series' id (empty for a single event),
// separated by tabs, in the date-range list's order.
int Agenda(TSQLDATA& db, const QString& od, const QString& doDatum, const Volby& v);

} // namespace vymenadb
