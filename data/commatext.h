#pragma once

#include <QString>
#include <QStringList>

// Comma text: the line form of a row of values (quoted where a value holds a
// blank, a control character, a double quote or a comma).
namespace commatext
{

QString encode(const QStringList& values);
QStringList decode(const QString& line);

} // namespace commatext
