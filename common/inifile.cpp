#include "inifile.h"

#include "cp1250.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <limits>

namespace
{

const QLatin1String kCrLf("\r\n");

// The blanks the Windows reader trims; line breaks never reach it.
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

QString trimBlanks(const QString& s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isBlank(s.at(b)))
        ++b;
    while (e > b && isBlank(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool hasLineBreak(const QString& s)
{
    return s.contains(u'\r') || s.contains(u'\n');
}

// Undoes the line-break escape; false when the text is not such an escape.
bool unescape(QStringView inner, QString& out)
{
    out.clear();
    out.reserve(inner.size());
    bool lineBreak = false;
    for (qsizetype i = 0; i < inner.size(); ++i) {
        const QChar c = inner.at(i);
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (++i == inner.size()) return false;
        switch (inner.at(i).unicode()) {
        case u'\\':
            out += u'\\';
            break;
        case u'r':
            out += u'\r';
            lineBreak = true;
            break;
        case u'n':
            out += u'\n';
            lineBreak = true;
            break;
        default:
            return false;
        }
    }
    return lineBreak;
}

QString decodeValue(const QString& raw)
{
    const QString t = trimBlanks(raw);
    const qsizetype n = t.size();
    if (n >= 4 && t.startsWith(QLatin1String("\"\\")) && t.endsWith(QLatin1String("\\\""))) {
        QString out;
        if (unescape(QStringView(t).mid(2, n - 4), out)) return out;
    }
    if (n >= 2 && isQuote(t.at(0)) && t.at(n - 1) == t.at(0)) return t.mid(1, n - 2);
    return t;
}

QString encodeValue(const QString& value)
{
    if (hasLineBreak(value)) {
        QString out = QStringLiteral("\"\\");
        for (const QChar c : value) {
            if (c == u'\\')
                out += QLatin1String("\\\\");
            else if (c == u'\r')
                out += QLatin1String("\\r");
            else if (c == u'\n')
                out += QLatin1String("\\n");
            else
                out += c;
        }
        return out + QLatin1String("\\\"");
    }
    if (value.isEmpty()) return value;
    const QChar first = value.front();
    const QChar last = value.back();
    if (first.isSpace() || last.isSpace() || isQuote(first) || isQuote(last)) return u'"' + value + u'"';
    return value;
}

bool surroundedByBlanks(const QString& name)
{
    return !name.isEmpty() && (name.front().isSpace() || name.back().isSpace());
}

} // namespace

IniFile::IniFile(QString fileName) : m_fileName(std::move(fileName))
{
    load();
}

void IniFile::load()
{
    QFile f(m_fileName);
    if (!f.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = f.readAll();
    static const QByteArray utf8Bom("\xEF\xBB\xBF");
    const QString content =
        bytes.startsWith(utf8Bom) ? QString::fromUtf8(bytes.mid(utf8Bom.size())) : cp1250::decode(bytes);

    QStringList texts = content.split(u'\n');
    if (!texts.isEmpty() && texts.last().isEmpty()) texts.removeLast();
    m_lines.reserve(texts.size());
    for (QString& text : texts) {
        if (text.endsWith(u'\r')) text.chop(1);
        Line line;
        const QString t = trimBlanks(text);
        if (t.startsWith(u'[')) {
            line.kind = Kind::Section;
            const qsizetype close = t.indexOf(u']');
            line.name = trimBlanks(close < 0 ? t.mid(1) : t.mid(1, close - 1));
        } else if (!t.isEmpty() && !t.startsWith(u';')) {
            line.kind = Kind::Key;
            const qsizetype eq = t.indexOf(u'=');
            line.name = trimBlanks(eq < 0 ? t : t.left(eq));
            if (eq >= 0) line.value = t.mid(eq + 1);
        }
        line.text = std::move(text);
        m_lines.push_back(std::move(line));
    }
}

IniFile::Range IniFile::findSection(const QString& section) const
{
    Range r;
    const qsizetype n = static_cast<qsizetype>(m_lines.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (m_lines[i].kind == Kind::Section && sameName(m_lines[i].name, section)) {
            r.begin = i;
            break;
        }
    }
    if (r.begin < 0) return r;
    r.end = r.begin + 1;
    while (r.end < n && m_lines[r.end].kind != Kind::Section)
        ++r.end;
    return r;
}

const IniFile::Line* IniFile::findKey(const QString& section, const QString& key) const
{
    const Range r = findSection(section);
    for (qsizetype i = r.begin + 1; i < r.end; ++i) {
        if (m_lines[i].kind == Kind::Key && sameName(m_lines[i].name, key)) return &m_lines[i];
    }
    return nullptr;
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    const Line* line = findKey(section, key);
    return line ? decodeValue(line->value) : def;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    const Line* line = findKey(section, key);
    if (!line) return def;
    const QString t = decodeValue(line->value);
    qsizetype i = 0;
    while (i < t.size() && isBlank(t.at(i)))
        ++i;
    bool negative = false;
    if (i < t.size() && (t.at(i) == u'-' || t.at(i) == u'+')) negative = t.at(i++) == u'-';
    const qsizetype firstDigit = i;
    qint64 n = 0;
    while (i < t.size() && t.at(i) >= u'0' && t.at(i) <= u'9') {
        n = n * 10 + (t.at(i).unicode() - u'0');
        if (n > qint64(std::numeric_limits<int>::max()) + 1) return def;
        ++i;
    }
    if (i == firstDigit) return def;
    if (negative) n = -n;
    if (n > std::numeric_limits<int>::max()) return def;
    return static_cast<int>(n);
}

void IniFile::ReadSection(const QString& section, QStringList& keys) const
{
    keys.clear();
    const Range r = findSection(section);
    for (qsizetype i = r.begin + 1; i < r.end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind != Kind::Key) continue;
        const bool seen =
            std::any_of(keys.cbegin(), keys.cend(), [&](const QString& k) { return sameName(k, line.name); });
        if (!seen) keys << line.name;
    }
}

bool IniFile::SectionExists(const QString& section) const
{
    return findSection(section).begin >= 0;
}

bool IniFile::fail(const QString& error)
{
    m_error = error;
    m_failed = true;
    return false;
}

bool IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    if (hasLineBreak(section) || section.contains(u']') || surroundedByBlanks(section))
        return fail(QStringLiteral("Neplatný název sekce \"%1\" v souboru \"%2\".").arg(section, m_fileName));
    if (key.isEmpty() || hasLineBreak(key) || key.contains(u'=') || surroundedByBlanks(key) ||
        key.startsWith(u';') || key.startsWith(u'['))
        return fail(QStringLiteral("Neplatný název klíče \"%1\" v souboru \"%2\".").arg(key, m_fileName));

    const QString encoded = encodeValue(value);
    QByteArray bytes;
    char32_t bad = 0;
    if (!cp1250::encode(section + key + encoded, bytes, &bad))
        return fail(QStringLiteral("Klíč \"%1\" sekce \"%2\" nelze zapsat do souboru \"%3\". ")
                        .arg(key, section, m_fileName) +
                    cp1250::unencodableMessage(bad));

    Range r = findSection(section);
    if (r.begin < 0) {
        if (!m_lines.empty() && !trimBlanks(m_lines.back().text).isEmpty()) m_lines.push_back(Line{});
        m_lines.push_back(Line{Kind::Section, section, QString(), u'[' + section + u']'});
        r.begin = static_cast<qsizetype>(m_lines.size()) - 1;
        r.end = r.begin + 1;
    }

    qsizetype insertAt = r.begin + 1;
    for (qsizetype i = r.begin + 1; i < r.end; ++i) {
        Line& line = m_lines[i];
        if (line.kind != Kind::Key) continue;
        if (sameName(line.name, key)) {
            line.value = encoded;
            line.text = line.name + u'=' + encoded;
            m_modified = true;
            return true;
        }
        insertAt = i + 1;
    }
    m_lines.insert(m_lines.begin() + insertAt, Line{Kind::Key, key, encoded, key + u'=' + encoded});
    m_modified = true;
    return true;
}

bool IniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, QString::number(value));
}

void IniFile::DeleteKey(const QString& section, const QString& key)
{
    const Range r = findSection(section);
    for (qsizetype i = r.end - 1; i > r.begin; --i) {
        if (m_lines[i].kind == Kind::Key && sameName(m_lines[i].name, key)) {
            m_lines.erase(m_lines.begin() + i);
            m_modified = true;
        }
    }
}

void IniFile::EraseSection(const QString& section)
{
    for (Range r = findSection(section); r.begin >= 0; r = findSection(section)) {
        m_lines.erase(m_lines.begin() + r.begin, m_lines.begin() + r.end);
        m_modified = true;
    }
    while (!m_lines.empty() && trimBlanks(m_lines.back().text).isEmpty())
        m_lines.pop_back();
}

void IniFile::Clear()
{
    m_lines.clear();
    m_modified = true;
}

bool IniFile::UpdateFile()
{
    if (m_failed) return false;
    if (!m_modified) return true;

    QString content;
    for (const Line& line : m_lines)
        content += line.text + kCrLf;
    QByteArray bytes;
    char32_t bad = 0;
    if (!cp1250::encode(content, bytes, &bad)) {
        m_error =
            QStringLiteral("Soubor \"%1\" nelze uložit. ").arg(m_fileName) + cp1250::unencodableMessage(bad);
        return false;
    }

    QSaveFile f(m_fileName);
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        m_error = QStringLiteral("Soubor \"%1\" nelze uložit: %2").arg(m_fileName, f.errorString());
        return false;
    }
    m_modified = false;
    return true;
}

void NactiSeznamIni(const IniFile& file, const QString& section, QStringList& list)
{
    list.clear();
    // Lines after the last numbered key present would all be empty: a huge
    // Count must not fill memory with them.
    QStringList keys;
    file.ReadSection(section, keys);
    int end = 0;
    for (const QString& key : keys) {
        bool ok = false;
        const int i = key.toInt(&ok);
        if (ok && i >= 0 && QString::number(i) == key) end = std::max(end, i + 1);
    }
    const int count = std::min(file.ReadInteger(section, QStringLiteral("Count"), 0), end);
    for (int i = 0; i < count; ++i)
        list << file.ReadString(section, QString::number(i), QString());
}

bool UlozSeznamIni(IniFile& file, const QString& section, const QStringList& list)
{
    file.EraseSection(section);
    if (!file.WriteInteger(section, QStringLiteral("Count"), static_cast<int>(list.size()))) return false;
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (!file.WriteString(section, QString::number(i), list.at(i))) return false;
    }
    return true;
}
