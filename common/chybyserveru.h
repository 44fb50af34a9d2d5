#pragma once

#include <QString>

// Short Czech sentences for the server failures users meet most often. The
// server's own text (English, often with the whole statement) stays available
// as the details of the message.
namespace chybyserveru
{

// The sentence for a failure whose text (a server text, or a message that
// contains one) is among the common kinds; empty for any other text.
QString veta(const QString& text);

// A plain path that another running program holds open with the embedded engine;
// program is its command name when known.
QString souborPouzivan(const QString& path, const QString& program = QString());

} // namespace chybyserveru
