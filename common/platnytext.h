#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What a stored text may hold: any Unicode character but NUL, unpaired
// surrogates and control characters other than TAB and the line breaks.
namespace platnytext
{

// The first character a stored text may not hold (a surrogate pair counts
// as the one character it forms), nothing when there is none.
std::optional<char32_t> NeplatnyZnak(const QString& text);

// The Czech message naming the character.
QString Zprava(char32_t znak);

// UTF-8 of the text; false (out untouched) and *bad set for a text that
// holds a character it may not.
bool Zakoduj(const QString& text, QByteArray& out, char32_t* bad = nullptr);

// Appends UTF-8 bytes; ASCII without a temporary string.
void PripojUtf8(QString& out, const char* data, qsizetype size);

} // namespace platnytext
