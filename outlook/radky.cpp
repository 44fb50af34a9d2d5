#include "radky.h"

#include "common/action.h"

#include <QStringDecoder>

namespace radky
{

QString Vlastnost::parametr(const QString& j) const
{
    for (const auto& [n, v] : parametry)
        if (n.compare(j, Qt::CaseInsensitive) == 0) return v;
    return QString();
}

QStringList Vlastnost::typy() const
{
    QStringList out;
    for (const auto& [n, v] : parametry) {
        if (n != QLatin1String("TYPE")) continue;
        for (const QString& t : v.split(QLatin1Char(','), Qt::SkipEmptyParts))
            out << t.trimmed().toUpper();
    }
    return out;
}

const Vlastnost* Komponenta::najdi(const QString& j) const
{
    for (const Vlastnost& v : vlastnosti)
        if (v.jmeno == j) return &v;
    return nullptr;
}

QList<const Vlastnost*> Komponenta::vsechny(const QString& j) const
{
    QList<const Vlastnost*> out;
    for (const Vlastnost& v : vlastnosti)
        if (v.jmeno == j) out << &v;
    return out;
}

namespace
{

[[noreturn]] void chyba(int radek, const QString& co)
{
    throw ActionError(QStringLiteral("Chybný formát souboru na řádku %1: %2").arg(radek).arg(co));
}

struct Fyzicky {
    QByteArray text;
    int radek;
};

// Physical lines joined: a line starting with a blank or tab continues the one before.
QList<Fyzicky> rozvin(const QByteArray& data)
{
    QList<Fyzicky> out;
    int cislo = 0;
    qsizetype i = 0;
    while (i < data.size()) {
        qsizetype konec = data.indexOf('\n', i);
        if (konec < 0) konec = data.size();
        QByteArray line = data.mid(i, konec - i);
        if (line.endsWith('\r')) line.chop(1);
        ++cislo;
        i = konec + 1;
        if (!line.isEmpty() && (line[0] == ' ' || line[0] == '\t') && !out.isEmpty())
            out.last().text += line.mid(1);
        else
            out.append({line, cislo});
    }
    return out;
}

QByteArray zQuotedPrintable(const QByteArray& in)
{
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '=' && i + 2 < in.size()) {
            bool ok = false;
            const int b = in.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += char(b);
                i += 2;
                continue;
            }
        }
        out += in[i];
    }
    return out;
}

QString dekoduj(const QByteArray& bytes, const QString& charset)
{
    if (!charset.isEmpty() && charset.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) != 0) {
        QStringDecoder d(charset.toLatin1().constData());
        if (d.isValid()) return d.decode(bytes);
        if (charset.compare(QLatin1String("WINDOWS-1250"), Qt::CaseInsensitive) == 0 ||
            charset.compare(QLatin1String("CP1250"), Qt::CaseInsensitive) == 0) {
            QStringDecoder w("windows-1250");
            if (w.isValid()) return w.decode(bytes);
        }
    }
    // Without a charset: UTF-8, or Windows-1250 for the older programs that wrote it.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    QStringDecoder w("windows-1250");
    return w.isValid() ? w.decode(bytes) : QString::fromLatin1(bytes);
}

// Parameter text after the name: ;A=b;C="d;e";WORK
void parametry(const QByteArray& text, Vlastnost& v)
{
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == ';') ++i;
        qsizetype j = i;
        bool uvozovky = false;
        while (j < text.size() && (uvozovky || text[j] != ';')) {
            if (text[j] == '"') uvozovky = !uvozovky;
            ++j;
        }
        const QString p = QString::fromUtf8(text.mid(i, j - i));
        i = j;
        if (p.isEmpty()) continue;
        const qsizetype rovno = p.indexOf(QLatin1Char('='));
        if (rovno < 0) {
            v.parametry.append({QStringLiteral("TYPE"), p});
            continue;
        }
        QString hodnota = p.mid(rovno + 1);
        if (hodnota.size() >= 2 && hodnota.startsWith(QLatin1Char('"')) && hodnota.endsWith(QLatin1Char('"')))
            hodnota = hodnota.mid(1, hodnota.size() - 2);
        v.parametry.append({p.left(rovno).trimmed().toUpper(), hodnota});
    }
}

} // namespace

QList<Komponenta> Rozeber(const QByteArray& vstup)
{
    QByteArray data = vstup;
    if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
    QList<Fyzicky> lines = rozvin(data);
    QList<Komponenta> koreny;
    QList<Komponenta> zasobnik;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        QByteArray line = lines[k].text;
        const int cislo = lines[k].radek;
        if (line.trimmed().isEmpty()) continue;
        // The colon that ends name and parameters is the first one outside quotes.
        qsizetype dvojtecka = -1;
        bool uvozovky = false;
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (line[i] == '"')
                uvozovky = !uvozovky;
            else if (line[i] == ':' && !uvozovky) {
                dvojtecka = i;
                break;
            }
        }
        if (dvojtecka <= 0) chyba(cislo, QStringLiteral("řádek bez dvojtečky"));
        const QByteArray hlava = line.left(dvojtecka);
        QByteArray hodnota = line.mid(dvojtecka + 1);
        Vlastnost v;
        v.radek = cislo;
        const qsizetype strednik = hlava.indexOf(';');
        QString jmeno = QString::fromUtf8(strednik < 0 ? hlava : hlava.left(strednik)).trimmed().toUpper();
        if (strednik >= 0) parametry(hlava.mid(strednik), v);
        const qsizetype tecka = jmeno.indexOf(QLatin1Char('.'));
        if (tecka > 0) {
            v.skupina = jmeno.left(tecka);
            jmeno = jmeno.mid(tecka + 1);
        }
        v.jmeno = jmeno;
        if (v.parametr(QStringLiteral("ENCODING"))
                .compare(QLatin1String("QUOTED-PRINTABLE"), Qt::CaseInsensitive) == 0) {
            // A value ending in "=" continues on the next physical line.
            while (hodnota.endsWith('=') && k + 1 < lines.size()) {
                hodnota.chop(1);
                hodnota += lines[++k].text;
            }
            v.hodnota = dekoduj(zQuotedPrintable(hodnota), v.parametr(QStringLiteral("CHARSET")));
        } else {
            v.hodnota = dekoduj(hodnota, v.parametr(QStringLiteral("CHARSET")));
        }

        if (jmeno == QLatin1String("BEGIN")) {
            Komponenta c;
            c.typ = v.hodnota.trimmed().toUpper();
            c.radek = cislo;
            zasobnik.append(c);
        } else if (jmeno == QLatin1String("END")) {
            const QString typ = v.hodnota.trimmed().toUpper();
            if (zasobnik.isEmpty() || zasobnik.last().typ != typ)
                chyba(cislo, QStringLiteral("END:%1 bez odpovídajícího BEGIN").arg(typ));
            Komponenta hotova = zasobnik.takeLast();
            if (zasobnik.isEmpty())
                koreny.append(std::move(hotova));
            else
                zasobnik.last().deti.append(std::move(hotova));
        } else {
            if (zasobnik.isEmpty()) chyba(cislo, QStringLiteral("vlastnost mimo BEGIN a END"));
            zasobnik.last().vlastnosti.append(std::move(v));
        }
    }
    if (!zasobnik.isEmpty())
        chyba(zasobnik.last().radek, QStringLiteral("BEGIN:%1 bez END").arg(zasobnik.last().typ));
    return koreny;
}

QString Odescapuj(const QString& h)
{
    QString out;
    out.reserve(h.size());
    for (qsizetype i = 0; i < h.size(); ++i) {
        if (h[i] == QLatin1Char('\\') && i + 1 < h.size()) {
            const QChar c = h[++i];
            out += (c == QLatin1Char('n') || c == QLatin1Char('N')) ? QChar(QLatin1Char('\n')) : c;
        } else {
            out += h[i];
        }
    }
    return out;
}

QStringList RozdelText(const QString& h, QChar oddelovac)
{
    QStringList out;
    QString cast;
    for (qsizetype i = 0; i < h.size(); ++i) {
        if (h[i] == QLatin1Char('\\') && i + 1 < h.size()) {
            cast += h[i];
            cast += h[++i];
        } else if (h[i] == oddelovac) {
            out << Odescapuj(cast);
            cast.clear();
        } else {
            cast += h[i];
        }
    }
    out << Odescapuj(cast);
    return out;
}

QString Escapuj(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(',')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
            out += QStringLiteral("\\n");
        } else if (c == QLatin1Char('\n')) {
            out += QStringLiteral("\\n");
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray Slozeni(const QString& radek)
{
    const QByteArray u = radek.toUtf8();
    QByteArray out;
    qsizetype i = 0;
    int limit = 75;
    while (u.size() - i > limit) {
        qsizetype konec = i + limit;
        // Back to the start of a UTF-8 sequence.
        while (konec > i && (uchar(u[konec]) & 0xC0) == 0x80)
            --konec;
        out += u.mid(i, konec - i);
        out += "\r\n ";
        i = konec;
        limit = 74; // the continuation's blank counts
    }
    out += u.mid(i);
    out += "\r\n";
    return out;
}

} // namespace radky
