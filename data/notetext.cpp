#include "notetext.h"

#include "common/cp1250.h"

#include <QString>
#include <QTextDocument>
#include <cctype>

namespace notetext {

namespace {

QString decodeText(const QByteArray& data)
{
    const QString utf = QString::fromUtf8(data);
    return utf.contains(QChar::ReplacementCharacter) ? cp1250::decode(data) : utf;
}

} // namespace

QString rtfToPlainText(const QByteArray& rtf)
{
    // Enough of RTF to recover the text: groups of destinations are skipped,
    // \par and \line become line breaks, \'xx is a Windows-1250 byte.
    QString out;
    int depth = 0;
    int skipDepth = -1;
    const qsizetype n = rtf.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
            if (i + 1 < n && rtf[i + 1] == '\\' && i + 2 < n && rtf[i + 2] == '*' && skipDepth < 0)
                skipDepth = depth;
            continue;
        }
        if (c == '}') {
            if (depth == skipDepth)
                skipDepth = -1;
            --depth;
            continue;
        }
        if (c == '\\') {
            if (i + 1 >= n)
                break;
            const char d = rtf[i + 1];
            if (d == '\\' || d == '{' || d == '}') {
                if (skipDepth < 0)
                    out += QLatin1Char(d);
                ++i;
                continue;
            }
            if (d == '\'') {
                if (i + 3 < n && skipDepth < 0) {
                    bool ok = false;
                    const int byte = rtf.mid(i + 2, 2).toInt(&ok, 16);
                    if (ok)
                        out += cp1250::decode(QByteArray(1, char(byte)));
                }
                i += 3;
                continue;
            }
            qsizetype j = i + 1;
            while (j < n && std::isalpha(static_cast<unsigned char>(rtf[j])))
                ++j;
            const QByteArray word = rtf.mid(i + 1, j - i - 1);
            while (j < n && (std::isdigit(static_cast<unsigned char>(rtf[j])) || rtf[j] == '-'))
                ++j;
            if (j < n && rtf[j] == ' ')
                ++j;
            if (skipDepth < 0) {
                if (word == "par" || word == "line")
                    out += QLatin1Char('\n');
                else if (word == "tab")
                    out += QLatin1Char('\t');
                else if (word == "fonttbl" || word == "colortbl" || word == "stylesheet" || word == "info" ||
                         word == "pict")
                    skipDepth = depth;
            }
            i = j - 1;
            continue;
        }
        if (c == '\r' || c == '\n')
            continue;
        if (skipDepth < 0)
            out += cp1250::decode(QByteArray(1, c));
    }
    return out.trimmed();
}

void load(const QByteArray& data, QTextDocument* doc)
{
    if (data.startsWith("{\\rtf")) {
        doc->setPlainText(rtfToPlainText(data));
        return;
    }
    const QString text = decodeText(data);
    if (text.startsWith(QLatin1String("<!DOCTYPE HTML")) || text.startsWith(QLatin1String("<html")))
        doc->setHtml(text);
    else
        doc->setPlainText(text);
}

QByteArray save(const QTextDocument* doc)
{
    if (doc->isEmpty())
        return QByteArray();
    return doc->toHtml().toUtf8();
}

} // namespace notetext
