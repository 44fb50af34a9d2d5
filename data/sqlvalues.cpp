#include "sqlvalues.h"

#include "common/action.h"

#include <QDate>
#include <QRegularExpression>
#include <algorithm>

const QString TextChybnaData = QStringLiteral("Data obsahují nepovolené údaje !");

namespace
{

// `rokCislic`: how many digits the year may have, as a regular expression's count.
QDate parsujDatum(const QString& text, const char* rokCislic = "1,4")
{
    const QRegularExpression re(
        QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{1,2})\\.(\\d{%1})\\s*$").arg(QLatin1String(rokCislic)));
    const auto m = re.match(text);
    return m.hasMatch() ? QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt())
                        : QDate();
}

// Seconds since midnight, -1 when the text is no time of day.
int parsujCas(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*$"));
    const auto m = re.match(text);
    const int h = m.captured(1).toInt(), mi = m.captured(2).toInt(), s = m.captured(3).toInt();
    if (!m.hasMatch() || h > 23 || mi > 59 || s > 59) return -1;
    return h * 3600 + mi * 60 + s;
}

// A statement cut into words, literals (either quote, doubled quotes inside)
// and single characters; blanks and comments are dropped.
struct Token {
    enum Druh { Slovo, Literal, Znak } druh;
    qsizetype zacatek;
    qsizetype delka;
};

QList<Token> tokeny(const QString& s)
{
    QList<Token> out;
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == u'"' || c == u'\'') {
            qsizetype j = i + 1;
            while (j < n && !(s[j] == c && (j + 1 >= n || s[j + 1] != c)))
                j += s[j] == c ? 2 : 1;
            // An unterminated literal runs to the end: all of it is value.
            const qsizetype konec = qMin(j + 1, n);
            out.push_back({Token::Literal, i, konec - i});
            i = konec;
        } else if (c == u'-' && i + 1 < n && s[i + 1] == u'-') {
            const qsizetype konec = s.indexOf(u'\n', i);
            i = konec < 0 ? n : konec;
        } else if (c == u'/' && i + 1 < n && s[i + 1] == u'*') {
            const qsizetype konec = s.indexOf(QLatin1String("*/"), i + 2);
            i = konec < 0 ? n : konec + 2;
        } else if (c.isLetterOrNumber() || c == u'_' || c == u'$') {
            qsizetype j = i;
            while (j < n && (s[j].isLetterOrNumber() || s[j] == u'_' || s[j] == u'$'))
                ++j;
            out.push_back({Token::Slovo, i, j - i});
            i = j;
        } else {
            out.push_back({Token::Znak, i, 1});
            ++i;
        }
    }
    return out;
}

// A column name, bare or quoted as dialect 3 quotes identifiers.
bool jeSloupecHesla(const QString& s, const Token& t)
{
    QStringView v = QStringView(s).mid(t.zacatek, t.delka);
    if (t.druh == Token::Literal && v.size() >= 2)
        v = v.mid(1, v.size() - 2);
    else if (t.druh != Token::Slovo)
        return false;
    return v.compare(u"HESLO", Qt::CaseInsensitive) == 0 || v.compare(u"PASSWORD", Qt::CaseInsensitive) == 0;
}

bool jeZnak(const QString& s, const Token& t, char16_t znak)
{
    return t.druh == Token::Znak && s[t.zacatek] == znak;
}

// The insert's value positions whose column is a password column: the column
// list before VALUES at index `values`, the value list after it.
void hesloVInsertu(const QString& s, const QList<Token>& t, qsizetype values, QList<qsizetype>& skryt)
{
    if (values < 2 || !jeZnak(s, t[values - 1], u')')) return;
    qsizetype zacatek = values - 2;
    while (zacatek >= 0 && !jeZnak(s, t[zacatek], u'('))
        --zacatek;
    if (zacatek < 0) return;
    QList<bool> heslo;
    for (qsizetype k = zacatek + 1; k < values - 1; ++k)
        if (!jeZnak(s, t[k], u',')) heslo << jeSloupecHesla(s, t[k]);
    if (values + 1 >= t.size() || !jeZnak(s, t[values + 1], u'(')) return;
    int hloubka = 0, sloupec = 0;
    qsizetype prvni = values + 2;
    for (qsizetype k = values + 2; k < t.size(); ++k) {
        const bool konecHodnoty = hloubka == 0 && (jeZnak(s, t[k], u',') || jeZnak(s, t[k], u')'));
        if (konecHodnoty) {
            if (k == prvni + 1 && t[prvni].druh == Token::Literal && heslo.value(sloupec)) skryt << prvni;
            if (jeZnak(s, t[k], u')')) return;
            ++sloupec;
            prvni = k + 1;
        } else if (jeZnak(s, t[k], u'(')) {
            ++hloubka;
        } else if (jeZnak(s, t[k], u')')) {
            --hloubka;
        }
    }
}

QString datumNeboChyba(const QString& date)
{
    const auto d = KanonickeDatum(date);
    if (!d) throw ActionError(TextChybnaData);
    return *d;
}

} // namespace

QString TextSQLMax(const QString& text, int maximum)
{
    QString s = maximum > 0 && maximum < text.size() ? text.left(maximum) : text;
    // A cut must not leave half of a surrogate pair behind.
    if (s.size() < text.size() && !s.isEmpty() && s.back().isHighSurrogate()) s.chop(1);
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

bool JePrazdneDatum(const QString& date)
{
    // A zero date ("0.0.0", "00.00.0000") is a malformed date, not an empty one:
    // taking it for NULL would store a deadline or a ride without its date.
    return date.trimmed().isEmpty();
}

std::optional<QString> KanonickeDatum(const QString& date)
{
    // A short year would be read by the server as one of this century: only
    // the full year is taken, so nothing is stored under a guessed century.
    const QDate d = parsujDatum(date, "4");
    if (!d.isValid()) return std::nullopt;
    return QStringLiteral("%1.%2.%3").arg(d.day()).arg(d.month()).arg(d.year(), 4, 10, QLatin1Char('0'));
}

std::optional<QString> KanonickyCas(const QString& time)
{
    const int s = parsujCas(time);
    if (s < 0) return std::nullopt;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600)
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

bool PlatneDatum(const QString& date)
{
    return JePrazdneDatum(date) || KanonickeDatum(date).has_value();
}
bool PlatnyCas(const QString& time)
{
    return time.trimmed().isEmpty() || KanonickyCas(time).has_value();
}

QString DatumSQL(const QString& date)
{
    if (JePrazdneDatum(date)) return QStringLiteral("NULL");
    return QLatin1Char('"') + datumNeboChyba(date) + QLatin1Char('"');
}

QString DatumCasSQL(const QString& date, const QString& time)
{
    const bool bezData = JePrazdneDatum(date), bezCasu = time.trimmed().isEmpty();
    if (bezData && bezCasu) return QStringLiteral("NULL");
    const QString d = bezData ? QString() : datumNeboChyba(date);
    if (bezCasu) return QLatin1Char('"') + d + QLatin1Char('"');
    const auto t = KanonickyCas(time);
    if (!t) throw ActionError(TextChybnaData);
    return QLatin1Char('"') + d + QLatin1Char(' ') + *t + QLatin1Char('"');
}

QString LogikaSQL(bool flag)
{
    return flag ? QStringLiteral("\"1\"") : QStringLiteral("\"0\"");
}

int CisloZTextu(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) return 0;
    bool ok = false;
    const int v = t.toInt(&ok, 10);
    if (!ok) throw ActionError(QStringLiteral("\"%1\" není platné celé číslo.").arg(text));
    return v;
}

namespace
{

qint64 mocninaDeseti(int n)
{
    qint64 v = 1;
    for (int i = 0; i < n; ++i)
        v *= 10;
    return v;
}

// The value times 10^desetinnych, rounded half up; nothing when the text is
// no number of the field or outside its range. Counted in whole numbers, so
// the highest value of a column is taken exactly.
std::optional<qint64> celaHodnota(const QString& text, const CiselnePole& pole)
{
    static const QRegularExpression re(QStringLiteral("^\\s*([0-9]+)(?:[.,]([0-9]+))?\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const QString cele = m.captured(1);
    const QString zlomek = m.captured(2);
    if (pole.desetinnych == 0 && m.capturedLength(2) > 0) return std::nullopt;
    qsizetype prvni = 0;
    while (prvni < cele.size() - 1 && cele[prvni] == QLatin1Char('0'))
        ++prvni;
    // No column holds more than 18 digits; longer text never fits.
    if (cele.size() - prvni > 18) return std::nullopt;
    qint64 v = cele.mid(prvni).toLongLong();
    if (v > pole.nejvyssiCele / mocninaDeseti(pole.desetinnych)) return std::nullopt;
    for (int i = 0; i < pole.desetinnych; ++i)
        v = v * 10 + (i < zlomek.size() ? zlomek[i].digitValue() : 0);
    if (zlomek.size() > pole.desetinnych && zlomek[pole.desetinnych].digitValue() >= 5) ++v;
    if (v > pole.nejvyssiCele || (!pole.nulaPovolena && v == 0)) return std::nullopt;
    return v;
}

QString zobrazCele(qint64 v, int desetinnych)
{
    if (desetinnych == 0) return QString::number(v);
    const qint64 d = mocninaDeseti(desetinnych);
    return QStringLiteral("%1,%2").arg(v / d).arg(v % d, desetinnych, 10, QLatin1Char('0'));
}

} // namespace

CiselnePole PoleInteger(const QString& popisek, bool nulaPovolena)
{
    return {popisek, 0, 2147483647, nulaPovolena};
}

CiselnePole PoleNumeric(const QString& popisek, int cislic, int desetinnych, bool nulaPovolena)
{
    return {popisek, desetinnych, mocninaDeseti(cislic) - 1, nulaPovolena};
}

std::optional<double> HodnotaPole(const QString& text, const CiselnePole& pole)
{
    const auto v = celaHodnota(text, pole);
    if (!v) return std::nullopt;
    return double(*v) / double(mocninaDeseti(pole.desetinnych));
}

QString ChybaCisla(const QString& text, const CiselnePole& pole)
{
    if (text.trimmed().isEmpty() || celaHodnota(text, pole)) return QString();
    const QString nejvyssi = zobrazCele(pole.nejvyssiCele, pole.desetinnych);
    if (pole.desetinnych == 0)
        return QStringLiteral("Pole „%1“ musí obsahovat celé číslo od %2 do %3.")
            .arg(pole.popisek, pole.nulaPovolena ? QStringLiteral("0") : QStringLiteral("1"), nejvyssi);
    if (!pole.nulaPovolena)
        return QStringLiteral("Pole „%1“ musí obsahovat číslo větší než 0 a nejvýše %2.")
            .arg(pole.popisek, nejvyssi);
    return QStringLiteral("Pole „%1“ musí obsahovat číslo od 0 do %2.").arg(pole.popisek, nejvyssi);
}

QString CisloSQL(const QString& text, const CiselnePole& pole)
{
    if (text.trimmed().isEmpty()) return QStringLiteral("NULL");
    const auto v = celaHodnota(text, pole);
    if (!v) throw ActionError(ChybaCisla(text, pole));
    return zobrazCele(*v, pole.desetinnych).replace(QLatin1Char(','), QLatin1Char('.'));
}

QString DatumCast(const QString& dateTime)
{
    const qsizetype blank = dateTime.indexOf(QLatin1Char(' '));
    return blank < 0 ? dateTime : dateTime.left(blank);
}

QString CasCast(const QString& dateTime)
{
    const qsizetype blank = dateTime.indexOf(QLatin1Char(' '));
    return blank < 0 ? QString() : dateTime.mid(blank + 1);
}

double DatumZTextu(const QString& dateTime)
{
    const QString part = DatumCast(dateTime);
    const QDate d = parsujDatum(part);
    if (!d.isValid()) throw ActionError(QStringLiteral("\"%1\" není platné datum.").arg(part));
    return double(QDate(1899, 12, 30).daysTo(d));
}

double CasZTextu(const QString& dateTime)
{
    QString part = CasCast(dateTime);
    if (part.trimmed().isEmpty()) part = QStringLiteral("00:00:00");
    const int s = parsujCas(part);
    if (s < 0) throw ActionError(QStringLiteral("\"%1\" není platný čas.").arg(part));
    return s / 86400.0;
}

QString VyplnSablonu(const QString& sablona, const QStringList& hodnoty)
{
    QString out;
    out.reserve(sablona.size() + 64);
    qsizetype dalsi = 0;
    for (qsizetype i = 0; i < sablona.size(); ++i) {
        if (sablona[i] == QLatin1Char('%') && i + 1 < sablona.size() &&
            (sablona[i + 1] == QLatin1Char('s') || sablona[i + 1] == QLatin1Char('d')) &&
            dalsi < hodnoty.size()) {
            out += hodnoty[dalsi++];
            ++i;
        } else {
            out += sablona[i];
        }
    }
    return out;
}

QString VyplnZmenene(const QString& sablona, const QStringList& hodnoty, const QStringList& puvodni)
{
    if (puvodni.size() != hodnoty.size()) return VyplnSablonu(sablona, hodnoty);
    // The values are placed only before the where clause; the audit columns
    // always say who wrote last.
    const qsizetype where = sablona.indexOf(QLatin1String(" where "), 0, Qt::CaseInsensitive);
    static const QRegularExpression sloupec(QStringLiteral("([A-Za-z_][A-Za-z0-9_$]*)\\s*=\\s*$"));
    QStringList vysledne = hodnoty;
    qsizetype dalsi = 0;
    for (qsizetype i = 0; i + 1 < sablona.size() && dalsi < hodnoty.size(); ++i) {
        if (sablona[i] != QLatin1Char('%') ||
            (sablona[i + 1] != QLatin1Char('s') && sablona[i + 1] != QLatin1Char('d')))
            continue;
        const qsizetype cislo = dalsi++;
        ++i;
        if (where >= 0 && i > where) continue;
        if (hodnoty[cislo] != puvodni[cislo]) continue;
        const QRegularExpressionMatch m = sloupec.match(sablona.left(i - 1));
        if (!m.hasMatch()) continue;
        const QString jmeno = m.captured(1);
        if (jmeno.startsWith(QLatin1String("editoval_"), Qt::CaseInsensitive)) continue;
        vysledne[cislo] = jmeno;
    }
    return VyplnSablonu(sablona, vysledne);
}

QString SkryjHesla(const QString& sql)
{
    const QList<Token> t = tokeny(sql);
    QList<qsizetype> skryt;
    for (qsizetype k = 0; k < t.size(); ++k) {
        if (t[k].druh == Token::Literal) {
            const QStringView obsah = QStringView(sql).mid(t[k].zacatek + 1, t[k].delka - 1);
            if (obsah.startsWith(u"pbkdf2_", Qt::CaseInsensitive)) skryt << k;
        } else if (t[k].druh == Token::Slovo) {
            if (QStringView(sql).mid(t[k].zacatek, t[k].delka).compare(u"VALUES", Qt::CaseInsensitive) == 0)
                hesloVInsertu(sql, t, k, skryt);
            else if (jeSloupecHesla(sql, t[k])) {
                // HESLO="…", HESLO = '…', PASSWORD '…'
                qsizetype h = k + 1;
                if (h < t.size() && jeZnak(sql, t[h], u'=')) ++h;
                if (h < t.size() && t[h].druh == Token::Literal) skryt << h;
            }
        }
    }
    if (skryt.isEmpty()) return sql;
    std::sort(skryt.begin(), skryt.end());
    skryt.erase(std::unique(skryt.begin(), skryt.end()), skryt.end());
    QString out = sql;
    // From the end, so the earlier positions stay valid.
    for (auto it = skryt.crbegin(); it != skryt.crend(); ++it) {
        const Token& x = t[*it];
        const QChar uvozovka = sql[x.zacatek];
        out.replace(x.zacatek, x.delka, uvozovka + QStringLiteral("***") + uvozovka);
    }
    return out;
}
