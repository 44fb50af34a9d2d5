#include "commatext.h"

namespace commatext
{
namespace
{

bool needsQuotes(const QString& v)
{
    for (const QChar c : v) {
        const char16_t u = c.unicode();
        if (u <= 32 || u == u'"' || u == u',') return true;
    }
    return false;
}

inline bool isSkippable(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

} // namespace

QString encode(const QStringList& values)
{
    if (values.size() == 1 && values.front().isEmpty()) return QStringLiteral("\"\"");
    QString line;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0) line += QLatin1Char(',');
        const QString& v = values[i];
        if (needsQuotes(v)) {
            line += QLatin1Char('"');
            for (const QChar c : v) {
                if (c == QLatin1Char('"')) line += QLatin1Char('"');
                line += c;
            }
            line += QLatin1Char('"');
        } else {
            line += v;
        }
    }
    return line;
}

QStringList decode(const QString& text)
{
    QStringList values;
    // The text ends at a NUL character, as the line it came from did in the
    // original string handling; past it nothing could be consumed.
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    const QString line = nul >= 0 ? text.left(nul) : text;
    const qsizetype n = line.size();
    qsizetype i = 0;
    if (n == 0) return values;
    while (i < n && isSkippable(line[i]))
        ++i;
    if (i >= n) return values;
    for (;;) {
        QString value;
        if (i < n && line[i] == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (line[i] == QLatin1Char('"')) {
                    if (i + 1 < n && line[i + 1] == QLatin1Char('"')) {
                        value += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += line[i++];
            }
        } else {
            const qsizetype start = i;
            while (i < n && line[i] != QLatin1Char(',') && line[i].unicode() > 32)
                ++i;
            value = line.mid(start, i - start);
        }
        values << value;
        while (i < n && isSkippable(line[i]))
            ++i;
        if (i >= n) break;
        if (line[i] == QLatin1Char(',')) {
            ++i;
            if (i >= n) {
                values << QString(); // trailing comma: one more empty value
                break;
            }
            while (i < n && isSkippable(line[i]))
                ++i;
            if (i >= n) break;
        }
    }
    return values;
}

} // namespace commatext
