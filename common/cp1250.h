#pragma once

#include <QByteArray>
#include <QString>

// Windows-1250, the code page of the database connection and of every file the
// program reads or writes. Own table: Qt's built-in converters do not carry it,
// and a character the code page lacks must be reported, never turned into "?".
namespace cp1250
{

QString decode(const char* data, qsizetype size);
// Appends the decoded bytes to out without a temporary string.
void appendDecoded(QString& out, const char* data, qsizetype size);
inline QString decode(const QByteArray& bytes)
{
    return decode(bytes.constData(), bytes.size());
}

// Encodes the text. When a character cannot be represented, returns false and
// stores it in *bad (if given) as a whole code point, a surrogate pair joined;
// out then holds the bytes before it.
bool encode(const QString& text, QByteArray& out, char32_t* bad = nullptr);

// The Czech error text for a character the code page cannot hold.
QString unencodableMessage(char32_t bad);
inline QString unencodableMessage(QChar bad)
{
    return unencodableMessage(char32_t(bad.unicode()));
}

} // namespace cp1250
