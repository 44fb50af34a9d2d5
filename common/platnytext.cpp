#include "platnytext.h"

namespace platnytext
{

std::optional<char32_t> NeplatnyZnak(const QString& text)
{
    const QChar* p = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = p[i].unicode();
        if (u >= 0x20 && u < 0x7F) continue;
        if (u == u'\t' || u == u'\n' || u == u'\r') continue;
        if (u < 0x20 || (u >= 0x7F && u < 0xA0)) return char32_t(u);
        if (QChar::isHighSurrogate(u)) {
            if (i + 1 < n && p[i + 1].isLowSurrogate()) {
                ++i;
                continue;
            }
            return char32_t(u);
        }
        if (QChar::isLowSurrogate(u)) return char32_t(u);
    }
    return std::nullopt;
}

QString Zprava(char32_t znak)
{
    const QString kod = QString::number(quint32(znak), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    if (znak == 0) return QStringLiteral("Znak U+0000 (NUL) nelze uložit.");
    if (znak >= 0xD800 && znak <= 0xDFFF)
        return QStringLiteral("Znak U+%1 (osamocená polovina dvojice UTF-16) nelze uložit.").arg(kod);
    return QStringLiteral("Řídicí znak U+%1 nelze uložit.").arg(kod);
}

bool Zakoduj(const QString& text, QByteArray& out, char32_t* bad)
{
    if (const std::optional<char32_t> z = NeplatnyZnak(text)) {
        if (bad) *bad = *z;
        return false;
    }
    out = text.toUtf8();
    return true;
}

void PripojUtf8(QString& out, const char* data, qsizetype size)
{
    qsizetype i = 0;
    while (i < size && static_cast<unsigned char>(data[i]) < 0x80)
        ++i;
    if (i < size) {
        out += QString::fromUtf8(data, size);
        return;
    }
    const qsizetype at = out.size();
    out.resize(at + size);
    QChar* dst = out.data() + at;
    for (qsizetype k = 0; k < size; ++k)
        dst[k] = QChar(char16_t(static_cast<unsigned char>(data[k])));
}

} // namespace platnytext
