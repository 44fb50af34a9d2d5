#include "cp1250.h"

#include <array>

namespace cp1250
{
namespace
{

// Unicode of the bytes 0x80..0xFF. Bytes undefined in the code page map to the
// C1 control character of the same value so that decoding never loses bytes.
constexpr std::array<char16_t, 128> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

// Reverse lookup for U+0080..U+2122 built once.
struct Reverse {
    std::array<unsigned char, 0x2200> table{};
    Reverse()
    {
        for (int i = 0; i < 128; ++i)
            table[kHigh[i]] = static_cast<unsigned char>(0x80 + i);
    }
};

const Reverse& reverse()
{
    static const Reverse r;
    return r;
}

} // namespace

QString decode(const char* data, qsizetype size)
{
    QString s(size, Qt::Uninitialized);
    QChar* out = s.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        out[i] = b < 0x80 ? QChar(char16_t(b)) : QChar(kHigh[b - 0x80]);
    }
    return s;
}

void appendDecoded(QString& out, const char* data, qsizetype size)
{
    const qsizetype at = out.size();
    out.resize(at + size);
    QChar* dst = out.data() + at;
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        dst[i] = b < 0x80 ? QChar(char16_t(b)) : QChar(kHigh[b - 0x80]);
    }
}

bool encode(const QString& text, QByteArray& out, char32_t* bad)
{
    out.resize(text.size());
    char* dst = out.data();
    const QChar* src = text.constData();
    const auto& rev = reverse();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = src[i].unicode();
        if (u < 0x80) {
            dst[i] = static_cast<char>(u);
            continue;
        }
        const unsigned char b = u < rev.table.size() ? rev.table[u] : 0;
        if (b == 0) {
            if (bad) {
                const bool pair =
                    src[i].isHighSurrogate() && i + 1 < text.size() && src[i + 1].isLowSurrogate();
                *bad = pair ? QChar::surrogateToUcs4(src[i], src[i + 1]) : char32_t(u);
            }
            out.truncate(i);
            return false;
        }
        dst[i] = static_cast<char>(b);
    }
    return true;
}

QString unencodableMessage(char32_t bad)
{
    const QString code = QString::number(quint32(bad), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("Znak \"%1\" (U+%2) nelze uložit v kódové stránce Windows-1250.")
        .arg(QString::fromUcs4(&bad, 1), code);
}

} // namespace cp1250
