#include "data/csv.h"

#include "common/cp1250.h"

#include <QStringDecoder>

namespace csv
{

QString Dekoduj(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return cp1250::decode(bytes);
}

QList<Zaznam> Zaznamy(const QString& text)
{
    QList<Zaznam> out;
    int radek = 1;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        Zaznam z;
        z.radek = radek;
        QString hodnota;
        bool konecZaznamu = false;
        while (!konecZaznamu) {
            hodnota.clear();
            if (i < n && text[i] == QLatin1Char('"')) {
                ++i;
                while (i < n) {
                    if (text[i] == QLatin1Char('"')) {
                        if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                            hodnota += QLatin1Char('"');
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == QLatin1Char('\n')) ++radek;
                    hodnota += text[i++];
                }
                // Anything between the closing quote and the separator stays with the value.
                while (i < n && text[i] != QLatin1Char(';') && text[i] != QLatin1Char('\n'))
                    if (text[i++] != QLatin1Char('\r')) hodnota += text[i - 1];
            } else {
                while (i < n && text[i] != QLatin1Char(';') && text[i] != QLatin1Char('\n'))
                    hodnota += text[i++];
                if (hodnota.endsWith(QLatin1Char('\r')) && (i >= n || text[i] == QLatin1Char('\n')))
                    hodnota.chop(1);
            }
            z.hodnoty << hodnota;
            if (i < n && text[i] == QLatin1Char(';')) {
                ++i;
            } else {
                konecZaznamu = true;
                if (i < n) { // the line break
                    ++i;
                    ++radek;
                }
            }
        }
        z.prazdny = z.hodnoty.size() == 1 && z.hodnoty.first().trimmed().isEmpty();
        out << z;
    }
    return out;
}

} // namespace csv
