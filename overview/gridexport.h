#pragma once

#include <QString>

class GridText;

// The file and clipboard forms of an overview. Texts only; writing a file in
// Windows-1250 is writeExportFile's job.
namespace gridexport
{

// One line per grid row (captions first), cells joined by ";". A ";" inside a
// cell becomes ","; a line break inside a cell becomes a blank, so a row stays
// one line. Lines are joined by CR LF, without a final one.
QString csvText(const GridText& grid);

// A bordered table, one tag per line; cell text is HTML-escaped, an empty cell
// is "&nbsp;", captions are bold.
QString htmlText(const GridText& grid);

// The data cells of one column, each followed by ";".
QString columnText(const GridText& grid, int column);

// Writes the text and a final CR LF in Windows-1250. Throws ActionError when a
// character has no Windows-1250 form (the file is then left alone) or the file
// cannot be written.
void writeExportFile(const QString& fileName, const QString& text);

} // namespace gridexport
