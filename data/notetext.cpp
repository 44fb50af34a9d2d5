#include "notetext.h"

#include "common/cp1250.h"

#include <QString>
#include <QTextDocument>
#include <cctype>

namespace notetext
{

namespace
{

QString decodeText(const QByteArray& data)
{
    const QString utf = QString::fromUtf8(data);
    return utf.contains(QChar::ReplacementCharacter) ? cp1250::decode(data) : utf;
}

// Enough of RTF to recover the text: groups of destinations are skipped,
// \par and \line become line breaks, \'xx is a Windows-1250 byte.
class RtfText
{
public:
    explicit RtfText(const QByteArray& rtf) : m_rtf(rtf), m_n(rtf.size()) {}
    QString read();

private:
    bool skipping() const { return m_skipDepth >= 0; }
    void openGroup(qsizetype i);
    void closeGroup();
    // These take the index of a backslash that has a byte after it and return
    // the index of the last byte they consumed.
    qsizetype backslash(qsizetype i);
    qsizetype escapedByte(qsizetype i);
    qsizetype controlWord(qsizetype i);
    void applyControlWord(const QByteArray& word);

    const QByteArray& m_rtf;
    const qsizetype m_n;
    QString m_out;
    int m_depth = 0;
    int m_skipDepth = -1; // the depth of the group being skipped, -1 for none
};

QString RtfText::read()
{
    for (qsizetype i = 0; i < m_n; ++i) {
        const char c = m_rtf[i];
        if (c == '{') {
            openGroup(i);
        } else if (c == '}') {
            closeGroup();
        } else if (c == '\\') {
            if (i + 1 >= m_n) break;
            i = backslash(i);
        } else if (c != '\r' && c != '\n' && !skipping()) {
            m_out += cp1250::decode(QByteArray(1, c));
        }
    }
    return m_out.trimmed();
}

void RtfText::openGroup(qsizetype i)
{
    ++m_depth;
    // {\* ...} is a destination a reader may ignore.
    if (i + 1 < m_n && m_rtf[i + 1] == '\\' && i + 2 < m_n && m_rtf[i + 2] == '*' && !skipping())
        m_skipDepth = m_depth;
}

void RtfText::closeGroup()
{
    if (m_depth == m_skipDepth) m_skipDepth = -1;
    --m_depth;
}

qsizetype RtfText::backslash(qsizetype i)
{
    const char d = m_rtf[i + 1];
    if (d == '\\' || d == '{' || d == '}') {
        if (!skipping()) m_out += QLatin1Char(d);
        return i + 1;
    }
    if (d == '\'') return escapedByte(i);
    return controlWord(i);
}

qsizetype RtfText::escapedByte(qsizetype i)
{
    if (i + 3 < m_n && !skipping()) {
        bool ok = false;
        const int byte = m_rtf.mid(i + 2, 2).toInt(&ok, 16);
        if (ok) m_out += cp1250::decode(QByteArray(1, char(byte)));
    }
    return i + 3;
}

qsizetype RtfText::controlWord(qsizetype i)
{
    qsizetype j = i + 1;
    while (j < m_n && std::isalpha(static_cast<unsigned char>(m_rtf[j])))
        ++j;
    const QByteArray word = m_rtf.mid(i + 1, j - i - 1);
    // The numeric parameter and one delimiting space belong to the word.
    while (j < m_n && (std::isdigit(static_cast<unsigned char>(m_rtf[j])) || m_rtf[j] == '-'))
        ++j;
    if (j < m_n && m_rtf[j] == ' ') ++j;
    if (!skipping()) applyControlWord(word);
    return j - 1;
}

void RtfText::applyControlWord(const QByteArray& word)
{
    if (word == "par" || word == "line")
        m_out += QLatin1Char('\n');
    else if (word == "tab")
        m_out += QLatin1Char('\t');
    else if (word == "fonttbl" || word == "colortbl" || word == "stylesheet" || word == "info" ||
             word == "pict")
        m_skipDepth = m_depth;
}

} // namespace

QString rtfToPlainText(const QByteArray& rtf)
{
    return RtfText(rtf).read();
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
    if (doc->isEmpty()) return QByteArray();
    return doc->toHtml().toUtf8();
}

} // namespace notetext
