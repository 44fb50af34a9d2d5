#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Text files of ";"-separated values as spreadsheets and other programs
// write them.
namespace csv
{

// UTF-8 when the file has a byte order mark or is valid UTF-8, else Windows-1250.
QString Dekoduj(const QByteArray& bytes);

struct Zaznam {
    int radek = 0;       // the physical line it starts on, from 1
    bool prazdny = true; // a blank line
    QStringList hodnoty;
};

// The records of the text: a value in double quotes may hold ";", line breaks
// and "" for a quote; a value that does not start with a quote is taken as it
// stands, quotes included.
QList<Zaznam> Zaznamy(const QString& text);

} // namespace csv
