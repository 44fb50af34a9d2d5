#include "radky.h"
#include "vymena.h"

#include "common/action.h"

#include <QHash>
#include <QRegularExpression>
#include <QTimeZone>
#include <algorithm>
#include <optional>

using radky::Komponenta;
using radky::Vlastnost;

namespace
{

[[noreturn]] void chyba(const Vlastnost& v, const QString& co)
{
    throw ActionError(QStringLiteral("Chybný formát souboru na řádku %1: %2").arg(v.radek).arg(co));
}

// "20040501T100000" without a zone; nothing when malformed.
std::optional<QDateTime> naivni(const QString& text, bool* jenDatum = nullptr)
{
    static const QRegularExpression re(
        QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})(?:T(\\d{2})(\\d{2})(\\d{2})?)?(Z?)$"));
    const QRegularExpressionMatch m = re.match(text.trimmed());
    if (!m.hasMatch()) return std::nullopt;
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!d.isValid()) return std::nullopt;
    if (jenDatum) *jenDatum = m.captured(4).isEmpty();
    const QTime t(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!t.isValid()) return std::nullopt;
    return QDateTime(d, t, Qt::UTC); // the zone is decided by the caller
}

// Signed seconds of a duration like "-P1DT2H30M", "PT15M", "P2W".
std::optional<qint64> trvani(const QString& text)
{
    static const QRegularExpression re(
        QStringLiteral("^([+-])?P(?:(\\d+)W)?(?:(\\d+)D)?(?:T(?:(\\d+)H)?(?:(\\d+)M)?(?:(\\d+)S)?)?$"));
    const QRegularExpressionMatch m = re.match(text.trimmed().toUpper());
    if (!m.hasMatch() || text.trimmed().size() < 2) return std::nullopt;
    qint64 s = m.captured(2).toLongLong() * 7 * 86400 + m.captured(3).toLongLong() * 86400 +
               m.captured(4).toLongLong() * 3600 + m.captured(5).toLongLong() * 60 +
               m.captured(6).toLongLong();
    return m.captured(1) == QLatin1String("-") ? -s : s;
}

// "+0100" / "-0530" in seconds.
int posun(const QString& text)
{
    const QString t = text.trimmed();
    if (t.size() < 5) return 0;
    const int sign = t[0] == QLatin1Char('-') ? -1 : 1;
    const int h = t.mid(1, 2).toInt(), m = t.mid(3, 2).toInt(), s = t.size() >= 7 ? t.mid(5, 2).toInt() : 0;
    return sign * (h * 3600 + m * 60 + s);
}

// A zone as a file defines it: observances starting at local wall-clock
// times, yearly by month and weekday, each with its offset.
class DefinovanePasmo
{
public:
    explicit DefinovanePasmo(const Komponenta& vtimezone)
    {
        for (const Komponenta& o : vtimezone.deti) {
            if (o.typ != QLatin1String("STANDARD") && o.typ != QLatin1String("DAYLIGHT")) continue;
            Pozorovani p;
            if (const Vlastnost* v = o.najdi(QStringLiteral("DTSTART")))
                if (auto d = naivni(v->hodnota)) p.start = *d;
            if (const Vlastnost* v = o.najdi(QStringLiteral("TZOFFSETFROM"))) p.od = posun(v->hodnota);
            if (const Vlastnost* v = o.najdi(QStringLiteral("TZOFFSETTO"))) p.na = posun(v->hodnota);
            if (const Vlastnost* v = o.najdi(QStringLiteral("RRULE"))) {
                for (const QString& cast : v->hodnota.split(QLatin1Char(';'))) {
                    const QString k = cast.section(QLatin1Char('='), 0, 0).toUpper();
                    const QString h = cast.section(QLatin1Char('='), 1).toUpper();
                    if (k == QLatin1String("FREQ")) p.rocne = h == QLatin1String("YEARLY");
                    if (k == QLatin1String("BYMONTH")) p.mesic = h.toInt();
                    if (k == QLatin1String("BYDAY")) {
                        static const QStringList dny{QStringLiteral("MO"), QStringLiteral("TU"),
                                                     QStringLiteral("WE"), QStringLiteral("TH"),
                                                     QStringLiteral("FR"), QStringLiteral("SA"),
                                                     QStringLiteral("SU")};
                        p.den = int(dny.indexOf(h.right(2))) + 1;
                        const QString n = h.left(h.size() - 2);
                        p.poradi = n.isEmpty() ? 1 : n.toInt();
                    }
                }
            }
            if (p.start.isValid()) m_pozorovani << p;
        }
    }

    bool platne() const { return !m_pozorovani.isEmpty(); }

    // Offset from UTC of a wall-clock time of the zone.
    int posunPro(const QDateTime& mistni) const
    {
        struct Nastup {
            QDateTime kdy;
            int na;
            int od;
        };
        QList<Nastup> nastupy;
        const int rok = mistni.date().year();
        for (const Pozorovani& p : m_pozorovani) {
            if (!p.rocne || p.mesic == 0 || p.den == 0) {
                nastupy.append({p.start, p.na, p.od});
                continue;
            }
            for (int r = rok - 1; r <= rok + 1; ++r) {
                if (r < p.start.date().year()) continue;
                const QDate d = den(r, p.mesic, p.den, p.poradi);
                if (d.isValid()) nastupy.append({QDateTime(d, p.start.time(), Qt::UTC), p.na, p.od});
            }
        }
        std::sort(nastupy.begin(), nastupy.end(),
                  [](const Nastup& a, const Nastup& b) { return a.kdy < b.kdy; });
        const QDateTime t(mistni.date(), mistni.time(), Qt::UTC);
        const Nastup* posledni = nullptr;
        for (const Nastup& n : nastupy)
            if (n.kdy <= t) posledni = &n;
        if (posledni) return posledni->na;
        return nastupy.isEmpty() ? 0 : nastupy.first().od;
    }

private:
    struct Pozorovani {
        QDateTime start;
        int od = 0, na = 0;
        bool rocne = false;
        int mesic = 0, den = 0, poradi = 1;
    };

    // The n-th (negative: from the end) weekday of a month.
    static QDate den(int rok, int mesic, int denTydne, int poradi)
    {
        // A rule naming no real month or weekday names no day (the walk below
        // would never end on an invalid date).
        if (mesic < 1 || mesic > 12 || denTydne < 1 || denTydne > 7 || poradi == 0) return QDate();
        if (poradi > 0) {
            QDate d(rok, mesic, 1);
            while (d.dayOfWeek() != denTydne)
                d = d.addDays(1);
            d = d.addDays(7 * (poradi - 1));
            return d.month() == mesic ? d : QDate();
        }
        QDate d(rok, mesic, QDate(rok, mesic, 1).daysInMonth());
        while (d.dayOfWeek() != denTydne)
            d = d.addDays(-1);
        d = d.addDays(7 * (poradi + 1));
        return d.month() == mesic ? d : QDate();
    }

    QList<Pozorovani> m_pozorovani;
};

class Cteni
{
public:
    explicit Cteni(const QList<Komponenta>& koreny)
    {
        for (const Komponenta& k : koreny)
            for (const Komponenta& c : k.deti)
                if (c.typ == QLatin1String("VTIMEZONE"))
                    if (const Vlastnost* id = c.najdi(QStringLiteral("TZID")))
                        m_pasma.insert(id->hodnota.trimmed(), std::make_shared<DefinovanePasmo>(c));
    }

    // A DATE or DATE-TIME property as local time; `jenDatum` tells a DATE.
    QDateTime cas(const Vlastnost& v, bool* jenDatum) const
    {
        bool datum = false;
        const std::optional<QDateTime> n = naivni(v.hodnota, &datum);
        if (!n) chyba(v, QStringLiteral("neplatné datum nebo čas \"%1\"").arg(v.hodnota));
        if (jenDatum) *jenDatum = datum;
        if (datum) return QDateTime(n->date(), QTime(0, 0));
        if (v.hodnota.trimmed().endsWith(QLatin1Char('Z'))) return n->toLocalTime();
        const QString tzid = v.parametr(QStringLiteral("TZID")).trimmed();
        if (tzid.isEmpty()) return QDateTime(n->date(), n->time()); // floating: the workstation's time
        if (const auto p = m_pasma.value(tzid); p && p->platne())
            return n->addSecs(-p->posunPro(*n)).toLocalTime();
        QByteArray id = tzid.toUtf8();
        if (id.startsWith('/')) id.remove(0, 1);
        QTimeZone z(id);
        if (!z.isValid()) z = QTimeZone(QTimeZone::windowsIdToDefaultIanaId(id));
        if (z.isValid()) return QDateTime(n->date(), n->time(), z).toLocalTime();
        return QDateTime(n->date(), n->time());
    }

    Schuzka udalost(const Komponenta& e) const
    {
        Schuzka s;
        if (const Vlastnost* v = e.najdi(QStringLiteral("UID"))) s.uid = v->hodnota.trimmed();
        if (const Vlastnost* v = e.najdi(QStringLiteral("STATUS")))
            s.zrusena = v->hodnota.trimmed().compare(QLatin1String("CANCELLED"), Qt::CaseInsensitive) == 0;
        if (const Vlastnost* v = e.najdi(QStringLiteral("SUMMARY"))) s.nazev = radky::Odescapuj(v->hodnota);
        if (const Vlastnost* v = e.najdi(QStringLiteral("DESCRIPTION")))
            s.popis = radky::Odescapuj(v->hodnota);
        const Vlastnost* start = e.najdi(QStringLiteral("DTSTART"));
        if (!start)
            throw ActionError(
                QStringLiteral("Chybný formát souboru na řádku %1: událost bez DTSTART").arg(e.radek));
        bool jenDatum = false;
        s.zacatek = cas(*start, &jenDatum);
        s.celyDen = jenDatum;
        if (const Vlastnost* konec = e.najdi(QStringLiteral("DTEND"))) {
            s.konec = cas(*konec, nullptr);
        } else if (const Vlastnost* d = e.najdi(QStringLiteral("DURATION"))) {
            const std::optional<qint64> sekundy = trvani(d->hodnota);
            if (!sekundy) chyba(*d, QStringLiteral("neplatná délka \"%1\"").arg(d->hodnota));
            s.konec = s.zacatek.addSecs(*sekundy);
        } else {
            s.konec = jenDatum ? s.zacatek.addDays(1) : s.zacatek;
        }
        for (const Komponenta& a : e.deti) {
            if (a.typ != QLatin1String("VALARM")) continue;
            const Vlastnost* t = a.najdi(QStringLiteral("TRIGGER"));
            if (!t) continue;
            if (t->parametr(QStringLiteral("VALUE"))
                        .compare(QLatin1String("DATE-TIME"), Qt::CaseInsensitive) == 0 ||
                naivni(t->hodnota)) {
                s.okamzikPripominky = cas(*t, nullptr);
            } else {
                const std::optional<qint64> sekundy = trvani(t->hodnota);
                if (!sekundy) chyba(*t, QStringLiteral("neplatný čas připomenutí \"%1\"").arg(t->hodnota));
                const bool odKonce = t->parametr(QStringLiteral("RELATED"))
                                         .compare(QLatin1String("END"), Qt::CaseInsensitive) == 0;
                s.okamzikPripominky = (odKonce ? s.konec : s.zacatek).addSecs(*sekundy);
            }
            s.pripominka = true;
            break; // the first reminder; the organiser keeps one
        }
        return s;
    }

private:
    QHash<QString, std::shared_ptr<DefinovanePasmo>> m_pasma;
};

QString utc(const QDateTime& t)
{
    return t.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

QString trigger(qint64 sekundy)
{
    const qint64 minuty = sekundy / 60;
    return (minuty < 0 ? QStringLiteral("-PT%1M") : QStringLiteral("PT%1M")).arg(std::abs(minuty));
}

} // namespace

namespace ical
{

QList<Schuzka> Cti(const QByteArray& data)
{
    const QList<Komponenta> koreny = radky::Rozeber(data);
    if (koreny.isEmpty() || koreny.first().typ != QLatin1String("VCALENDAR"))
        throw ActionError(
            QStringLiteral("Soubor není kalendář ve formátu iCalendar (chybí BEGIN:VCALENDAR)."));
    const Cteni cteni(koreny);
    QList<Schuzka> out;
    for (const Komponenta& k : koreny) {
        const Vlastnost* metoda = k.najdi(QStringLiteral("METHOD"));
        const bool zruseni =
            metoda && metoda->hodnota.trimmed().compare(QLatin1String("CANCEL"), Qt::CaseInsensitive) == 0;
        for (const Komponenta& e : k.deti)
            if (e.typ == QLatin1String("VEVENT")) {
                out << cteni.udalost(e);
                out.last().zrusena = out.last().zrusena || zruseni;
            }
    }
    return out;
}

QByteArray Zapis(const QList<Schuzka>& polozky, const QDateTime& razitko, bool zruseni)
{
    QByteArray out;
    const auto radek = [&](const QString& r) { out += radky::Slozeni(r); };
    radek(QStringLiteral("BEGIN:VCALENDAR"));
    radek(QStringLiteral("VERSION:2.0"));
    radek(QStringLiteral("PRODID:-//Orvan//Orvan//CS"));
    radek(QStringLiteral("CALSCALE:GREGORIAN"));
    radek(zruseni ? QStringLiteral("METHOD:CANCEL") : QStringLiteral("METHOD:PUBLISH"));
    for (const Schuzka& s : polozky) {
        radek(QStringLiteral("BEGIN:VEVENT"));
        radek(QStringLiteral("UID:") + s.uid);
        radek(QStringLiteral("DTSTAMP:") + utc(razitko));
        if (zruseni) {
            radek(QStringLiteral("SEQUENCE:1"));
            radek(QStringLiteral("STATUS:CANCELLED"));
        }
        radek(QStringLiteral("SUMMARY:") + radky::Escapuj(s.nazev));
        if (s.celyDen) {
            radek(QStringLiteral("DTSTART;VALUE=DATE:") +
                  s.zacatek.date().toString(QStringLiteral("yyyyMMdd")));
            const QDate konec = std::max(s.konec.date(), s.zacatek.date().addDays(1));
            radek(QStringLiteral("DTEND;VALUE=DATE:") + konec.toString(QStringLiteral("yyyyMMdd")));
        } else {
            radek(QStringLiteral("DTSTART:") + utc(s.zacatek));
            radek(QStringLiteral("DTEND:") + utc(std::max(s.konec, s.zacatek)));
        }
        if (!s.popis.isEmpty()) radek(QStringLiteral("DESCRIPTION:") + radky::Escapuj(s.popis));
        if (s.pripominka && !zruseni) {
            radek(QStringLiteral("BEGIN:VALARM"));
            radek(QStringLiteral("ACTION:DISPLAY"));
            radek(QStringLiteral("DESCRIPTION:") + radky::Escapuj(s.nazev));
            radek(QStringLiteral("TRIGGER:") + trigger(s.zacatek.secsTo(s.okamzikPripominky)));
            radek(QStringLiteral("END:VALARM"));
        }
        radek(QStringLiteral("END:VEVENT"));
    }
    radek(QStringLiteral("END:VCALENDAR"));
    return out;
}

} // namespace ical
