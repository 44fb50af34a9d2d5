#include "kttext.h"

#include "cp1250.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

void NahradVse(QString& text, const QString& hledany, const QString& nahrada)
{
    if (hledany.isEmpty() || hledany == nahrada) return;
    // A single pass: rescanning from the start would never end when the
    // replacement contains the searched text.
    text.replace(hledany, nahrada, Qt::CaseSensitive);
}

QString OpakujZnak(int pocet, QChar znak)
{
    return pocet > 0 ? QString(pocet, znak) : QString();
}

double TextNaCislo(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral("^ *([+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?)$"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch()) return 0;
    bool ok = false;
    // QString::toDouble always uses the C locale.
    const double value = m.captured(1).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

QString CisloNaText(int sirka, int desetiny, double cislo)
{
    QString s = QString::number(cislo, 'f', std::max(desetiny, 0));
    // A negative value that rounds to zero is shown without its sign.
    if (std::isfinite(cislo) && s.startsWith(QLatin1Char('-')) &&
        std::none_of(s.cbegin() + 1, s.cend(), [](QChar c) { return c >= u'1' && c <= u'9'; }))
        s.remove(0, 1);
    return s.rightJustified(sirka, QLatin1Char(' '));
}

namespace
{

bool zapisBajty(const QString& soubor, const QByteArray& bytes, QString* chyba)
{
    auto fail = [chyba](const QString& why) {
        if (chyba) *chyba = why;
        return false;
    };
    QFile file(soubor);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(QStringLiteral("Soubor \"%1\" nelze vytvořit: %2").arg(soubor, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.flush())
        return fail(QStringLiteral("Do souboru \"%1\" nelze zapisovat: %2").arg(soubor, file.errorString()));
    file.close();
    if (file.error() != QFileDevice::NoError)
        return fail(QStringLiteral("Soubor \"%1\" nelze uzavřít: %2").arg(soubor, file.errorString()));
    if (chyba) chyba->clear();
    return true;
}

} // namespace

bool ZapisSoubor(const QString& soubor, const QString& radek, QString* chyba)
{
    QByteArray bytes;
    char32_t bad = 0;
    // Encode before opening, so an unwritable text leaves an existing file alone.
    if (!cp1250::encode(radek, bytes, &bad)) {
        if (chyba) *chyba = cp1250::unencodableMessage(bad);
        return false;
    }
    bytes.append("\r\n");
    return zapisBajty(soubor, bytes, chyba);
}

bool ZapisSouborUtf8(const QString& soubor, const QString& radek, QString* chyba)
{
    return zapisBajty(soubor, "\xEF\xBB\xBF" + radek.toUtf8() + "\r\n", chyba);
}

namespace
{

// Lower- and upper-case letters as Windows-1250 codes, decoded once.
struct UpperTable {
    std::array<std::pair<QChar, QChar>, 31> pairs;
    UpperTable()
    {
        static constexpr unsigned char codes[31][2] = {
            {0xE1, 0xC1}, {0xE4, 0xC4}, {0xE8, 0xC8}, {0xEF, 0xCF}, {0xEC, 0xCC}, {0xE9, 0xC9}, {0xEB, 0xCB},
            {0xED, 0xCD}, {0xE5, 0xC5}, {0xBE, 0xBC}, {0xF2, 0xD2}, {0xF3, 0xD3}, {0xF6, 0xD6}, {0xF8, 0xD8},
            {0xE0, 0xC0}, {0x9A, 0x8A}, {0x9D, 0x8D}, {0xFA, 0xDA}, {0xF9, 0xD9}, {0xFD, 0xDD}, {0x9E, 0x8E},
            {0x9F, 0x8F}, {0xF4, 0xD4}, {0x9C, 0x8C}, {0xBF, 0xAF}, {0xE2, 0xC2}, {0xE3, 0xC3}, {0xEE, 0xCE},
            {0xF1, 0xD1}, {0xF5, 0xD5}, {0xFB, 0xDB}};
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            const char lower = static_cast<char>(codes[i][0]);
            const char upper = static_cast<char>(codes[i][1]);
            pairs[i] = {cp1250::decode(&lower, 1).at(0), cp1250::decode(&upper, 1).at(0)};
        }
    }
};

const UpperTable& upperTable()
{
    static const UpperTable table;
    return table;
}

} // namespace

QChar VelkePismeno(QChar znak)
{
    const char16_t u = znak.unicode();
    if (u >= u'a' && u <= u'z') return QChar(char16_t(u - u'a' + u'A'));
    if (u < 0x80) return znak;
    for (const auto& [lower, upper] : upperTable().pairs)
        if (lower == znak) return upper;
    return znak;
}

QString VelkaPismena(const QString& text)
{
    QString result = text;
    for (QChar& c : result)
        c = VelkePismeno(c);
    return result;
}
