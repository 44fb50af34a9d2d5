#pragma once

#include <QStringList>

class DataMesice;
class MesicniMrizka;

// The visible weeks as an HTML table, one string per line of the file.
// Today and holidays (of the session's country) colour the dates; event
// names are escaped, so a "<" in a name stays text.
QStringList HtmlMesice(const MesicniMrizka& mrizka, const DataMesice& data, double dnes);

// Writes the lines, each with CR LF, in Windows-1250. False with the reason in
// `chyba` on an output error or a character the code page cannot hold; the
// file is then left untouched.
bool UlozHtml(const QString& soubor, const QStringList& radky, QString& chyba);
