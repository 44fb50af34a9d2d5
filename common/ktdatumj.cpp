#include "ktdatumj.h"

#include "action.h"
#include "clock.h"
#include "kttext.h"
#include "session.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

#include <array>
#include <cmath>
#include <cstdlib>

namespace
{

constexpr qint64 kMsPerDay = 86400000;
constexpr qint64 kMinDay = -693593; // 1.1.0001
constexpr qint64 kMaxDay = 2958465; // 31.12.9999

qint64 julianDayOfZero()
{
    static const qint64 jd = QDate(1899, 12, 30).toJulianDay();
    return jd;
}

[[noreturn]] void failDateText(const QString& text)
{
    throw ActionError(QStringLiteral("\"%1\" není platné datum.").arg(text));
}

[[noreturn]] void failTimeText(const QString& text)
{
    throw ActionError(QStringLiteral("\"%1\" není platný čas.").arg(text));
}

[[noreturn]] void failKind(int druh)
{
    throw ActionError(QStringLiteral("Neznámý druh převodu data: %1.").arg(druh));
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool validDate(int rok, int mesic, int den)
{
    return rok >= 1 && rok <= 9999 && QDate::isValid(rok, mesic, den);
}

bool validTime(int hodina, int minuta, int sekunda, int ms)
{
    return hodina >= 0 && hodina < 24 && minuta >= 0 && minuta < 60 && sekunda >= 0 && sekunda < 60 &&
           ms >= 0 && ms < 1000;
}

DatumCas combine(qint64 days, qint64 msOfDay)
{
    const double t = double(msOfDay) / double(kMsPerDay);
    return days >= 0 ? double(days) + t : double(days) - t;
}

// The day of decoded parts. Decoding has rounded to the millisecond, so a value
// a hair before midnight already belongs to the next day.
DatumCas dayOf(const RozlozenyCas& r)
{
    return ZakodujDatum(r.rok, r.mesic, r.den);
}

QString two(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}
QString four(int n)
{
    return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
}

QString dateText(const RozlozenyCas& r)
{
    return two(r.den) + u'.' + two(r.mesic) + u'.' + four(r.rok);
}
QString keyText(const RozlozenyCas& r)
{
    return four(r.rok) + two(r.mesic) + two(r.den);
}
QString timeText(const RozlozenyCas& r)
{
    return QString::number(r.hodina) + u':' + two(r.minuta) + u':' + two(r.sekunda);
}

int fractionMs(const QString& digits)
{
    // A decimal fraction of a second: ".5" and ".50" are both 500 ms.
    return digits.leftJustified(3, QLatin1Char('0')).toInt();
}

struct ParsedDate {
    RozlozenyCas parts;
    bool hasTime = false;
};

// A date with an optional time, as TextNaDatum kind 2 reads it.
ParsedDate parseDateText(const QString& text)
{
    static const QRegularExpression form(QStringLiteral(
        "^([0-9]{2})\\.([0-9]{2})\\.([0-9]{4})(?: ([0-9]{2}):([0-9]{2}):([0-9]{2})\\.([0-9]{2,3}))?$"));
    const QRegularExpressionMatch m = form.match(UpravTextData(3, text));
    if (!m.hasMatch()) failDateText(text);
    ParsedDate p;
    p.parts.den = m.captured(1).toInt();
    p.parts.mesic = m.captured(2).toInt();
    p.parts.rok = m.captured(3).toInt();
    p.hasTime = m.hasCaptured(4);
    if (p.hasTime) {
        p.parts.hodina = m.captured(4).toInt();
        p.parts.minuta = m.captured(5).toInt();
        p.parts.sekunda = m.captured(6).toInt();
        p.parts.ms = fractionMs(m.captured(7));
    }
    if (!validDate(p.parts.rok, p.parts.mesic, p.parts.den) ||
        !validTime(p.parts.hodina, p.parts.minuta, p.parts.sekunda, p.parts.ms))
        failDateText(text);
    return p;
}

} // namespace

DatumCas ZakodujDatum(int rok, int mesic, int den)
{
    return ZakodujDatumCas(rok, mesic, den, 0, 0, 0, 0);
}

DatumCas ZakodujDatumCas(int rok, int mesic, int den, int hodina, int minuta, int sekunda, int ms)
{
    if (!validDate(rok, mesic, den))
        throw ActionError(QStringLiteral("%1.%2.%3 není platné datum.").arg(den).arg(mesic).arg(rok));
    if (!validTime(hodina, minuta, sekunda, ms))
        throw ActionError(
            QStringLiteral("%1:%2:%3 není platný čas.").arg(hodina).arg(two(minuta), two(sekunda)));
    const qint64 days = QDate(rok, mesic, den).toJulianDay() - julianDayOfZero();
    return combine(days, ((hodina * 60 + minuta) * 60 + sekunda) * qint64(1000) + ms);
}

RozlozenyCas RozlozDatum(DatumCas datum)
{
    auto fail = [datum]() -> RozlozenyCas {
        throw ActionError(QStringLiteral("Hodnota %1 není platné datum.").arg(datum, 0, 'g', 17));
    };
    if (!std::isfinite(datum) || std::fabs(datum) > double(kMaxDay + 2)) return fail();
    const qint64 total = std::llround(datum * double(kMsPerDay));
    const qint64 days = total / kMsPerDay; // toward zero: the whole part names the day
    const qint64 msOfDay = std::llabs(total % kMsPerDay);
    if (days < kMinDay || days > kMaxDay) return fail();

    const QDate d = QDate::fromJulianDay(days + julianDayOfZero());
    RozlozenyCas r;
    r.rok = d.year();
    r.mesic = d.month();
    r.den = d.day();
    r.hodina = int(msOfDay / 3600000);
    r.minuta = int(msOfDay / 60000 % 60);
    r.sekunda = int(msOfDay / 1000 % 60);
    r.ms = int(msOfDay % 1000);
    return r;
}

DatumCas DatumZQDateTime(const QDateTime& cas)
{
    if (!cas.isValid()) throw ActionError(QStringLiteral("Neplatný časový údaj."));
    const QDate d = cas.date();
    const QTime t = cas.time();
    return ZakodujDatumCas(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
}

QDateTime DatumNaQDateTime(DatumCas datum)
{
    const RozlozenyCas r = RozlozDatum(datum);
    return QDateTime(QDate(r.rok, r.mesic, r.den), QTime(r.hodina, r.minuta, r.sekunda, r.ms));
}

DatumCas Ted()
{
    return DatumZQDateTime(Clock::current().now());
}

DatumCas Dnes()
{
    return dayOf(RozlozDatum(Ted()));
}

int DenVTydnu(int den, int mesic, int rok)
{
    // Gauss's rule, counting months from March so that February comes last.
    const int m = mesic >= 3 ? mesic - 2 : mesic + 10;
    const int y = mesic >= 3 ? rok : rok - 1;
    const int c = y / 100;
    const int yy = y % 100;
    int w = den + (26 * m - 2) / 10 + yy + yy / 4 + c / 4 - 2 * c;
    w %= 7;
    if (w < 0) w += 7;
    return w == 0 ? 7 : w;
}

QString NazevDne(int index, int sirka, QChar jazyk)
{
    static const std::array<QString, 9> czech = {
        QStringLiteral("Neděle"), QStringLiteral("Pondělí"), QStringLiteral("Úterý"),
        QStringLiteral("Středa"), QStringLiteral("Čtvrtek"), QStringLiteral("Pátek"),
        QStringLiteral("Sobota"), QStringLiteral("Neděle"),  QStringLiteral("jiný")};
    static const std::array<QString, 9> english = {
        QStringLiteral("Sunday"),    QStringLiteral("Monday"),   QStringLiteral("Tuesday"),
        QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
        QStringLiteral("Saturday"),  QStringLiteral("Sunday"),   QStringLiteral("Other")};
    const auto& names = jazyk == u'A' ? english : czech;
    const std::size_t i = index >= 0 && index <= 7 ? std::size_t(index) : 8;
    return names[i].leftJustified(sirka, QLatin1Char(' '));
}

DatumCas ZmenDatum(int rok, int mesic, int den, DatumCas datum)
{
    const RozlozenyCas r = RozlozDatum(datum);
    return ZakodujDatum(rok != 0 ? rok : r.rok, mesic != 0 ? mesic : r.mesic, den != 0 ? den : r.den);
}

namespace
{

// Easter Sunday by the anonymous Gregorian algorithm (Meeus/Jones/Butcher). It
// agrees with Gauss's rule in 1900-2099, including its two April exceptions,
// and unlike Gauss's fixed constants stays right in every other century.
DatumCas easterSunday(int rok)
{
    const int a = rok % 19;
    const int b = rok / 100;
    const int c = rok % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int n = h + l - 7 * m + 114;
    return ZakodujDatum(rok, n / 31, n % 31 + 1);
}

DatumCas lastSunday(int rok, int mesic)
{
    for (int den = 31;; --den)
        if (DenVTydnu(den, mesic, rok) == 7) return ZakodujDatum(rok, mesic, den);
}

// Summer time rules before 1996 differed (end of September); they are not kept.
constexpr int kFirstSummerTimeYear = 1996;

} // namespace

DatumCas VelikonocniPondeli(int rok)
{
    return easterSunday(rok) + 1;
}

DatumCas VelkyPatek(int rok)
{
    return easterSunday(rok) - 2;
}

DatumCas ZacatekLetnihoCasu(int rok)
{
    return rok < kFirstSummerTimeYear ? 0 : lastSunday(rok, 3);
}

DatumCas KonecLetnihoCasu(int rok)
{
    return rok < kFirstSummerTimeYear ? 0 : lastSunday(rok, 10);
}

int StavLetnihoCasu(DatumCas datum)
{
    const int rok = RozlozDatum(datum).rok;
    if (rok < kFirstSummerTimeYear) return 0;
    const DatumCas zacatek = ZacatekLetnihoCasu(rok);
    const DatumCas konec = KonecLetnihoCasu(rok);
    if (datum == konec) return 1;
    if (datum == zacatek) return 2;
    if (datum > zacatek && datum < konec) return 3;
    return 4;
}

int PosunOdUTC(DatumCas utc)
{
    const RozlozenyCas r = RozlozDatum(utc);
    if (r.rok < kFirstSummerTimeYear) return 1;
    // Summer time runs from 1:00 UTC on the March switch day (2:00 CET) to
    // 1:00 UTC on the October switch day (3:00 CEST).
    const DatumCas den = dayOf(r);
    const DatumCas zacatek = ZacatekLetnihoCasu(r.rok);
    const DatumCas konec = KonecLetnihoCasu(r.rok);
    if (den == zacatek) return r.hodina < 1 ? 1 : 2;
    if (den == konec) return r.hodina < 1 ? 2 : 1;
    return den > zacatek && den < konec ? 2 : 1;
}

namespace
{

struct FixedHoliday {
    int den;
    int mesic;
    const char* nazev; // UTF-8
};

constexpr FixedHoliday kCzech[] = {
    {1, 1, "Nový rok, Den obnovy samostatného českého státu"},
    {8, 5, "Den osvobození"},
    {5, 7, "Den slovanských věrozvěstů Cyrila a Metoděje"},
    {6, 7, "Den upálení mistra Jana Husa"},
    {28, 9, "Den české státnosti"},
    {28, 10, "Den vzniku samostatného československého státu"},
    {17, 11, "Den boje za svobodu a demokracii"},
    {1, 5, "Svátek práce"},
    {24, 12, "Štědrý den"},
    {25, 12, "1. svátek vánoční"},
    {26, 12, "2. svátek vánoční"},
};

constexpr FixedHoliday kSlovak[] = {
    {1, 1, "Deň vzniku Slovenskej republiky"},
    {5, 7, "sviatok svätého Cyrila a svätého Metoda"},
    {29, 8, "výročie Slovenského národného povstania"},
    {1, 9, "Deň Ústavy Slovenskej republiky"},
    {17, 11, "Deň boja za slobodu a demokraciu"},
    {6, 1, "Zjavenie Pána (Traja králi a vianočný sviatok pravoslávnych kresťanov)"},
    {1, 5, "Sviatok práce"},
    {15, 9, "Sedembolestná Panna Mária"},
    {1, 11, "sviatok Všetkých svätých"},
    {24, 12, "Štedrý deň"},
    {25, 12, "prvý sviatok vianočný"},
    {26, 12, "druhý sviatok vianočný"},
    {8, 5, "Deň víťazstva nad fašizmom"},
};

// Fixed-date holidays are kept from the year the current lists took effect.
constexpr int kFirstFixedHolidayYear = 2001;
// Good Friday has been a Czech public holiday since 2016.
constexpr int kFirstCzechGoodFridayYear = 2016;

} // namespace

bool StatniSvatek(const QString& stat, DatumCas datum, QString& nazev)
{
    nazev.clear();
    const RozlozenyCas r = RozlozDatum(datum);
    // The day counts, not the moment: a time of day does not hide a holiday.
    const DatumCas den = dayOf(r);
    const bool slovak = VelkaPismena(stat) == QLatin1String("SK");

    if (den == VelikonocniPondeli(r.rok))
        nazev = slovak ? QStringLiteral("Veľkonočný pondelok") : QStringLiteral("Velikonoce");
    else if (den == VelkyPatek(r.rok) && (slovak || r.rok >= kFirstCzechGoodFridayYear))
        nazev = slovak ? QStringLiteral("Veľký piatok") : QStringLiteral("Velký pátek");
    else if (r.rok >= kFirstFixedHolidayYear) {
        auto find = [&](const auto& list) {
            for (const FixedHoliday& h : list)
                if (h.den == r.den && h.mesic == r.mesic) return QString::fromUtf8(h.nazev);
            return QString();
        };
        nazev = slovak ? find(kSlovak) : find(kCzech);
    }
    return !nazev.isEmpty();
}

bool StatniSvatek(DatumCas datum, QString& nazev)
{
    return StatniSvatek(session().Stat, datum, nazev);
}

bool JeStatniSvatek(const QString& stat, DatumCas datum)
{
    QString nazev;
    return StatniSvatek(stat, datum, nazev);
}

bool JeStatniSvatek(DatumCas datum)
{
    return JeStatniSvatek(session().Stat, datum);
}

QString UpravTextData(int druh, const QString& text)
{
    const bool isDate = druh == 2 || druh == 3;
    if (!isDate && druh != 11 && druh != 12 && druh != 13) failKind(druh);

    QString s = text;
    // Positions count from 1. A text too short for a position that a step
    // looks at is malformed.
    auto at = [&](int p) {
        if (p > s.size()) {
            if (isDate) failDateText(text);
            failTimeText(text);
        }
        return s.at(p - 1);
    };
    auto zeroAt = [&](int p) { s.insert(p - 1, QLatin1Char('0')); };
    auto len = [&] { return s.size(); };

    if (isDate) {
        if (at(2) == u'.') zeroAt(1);
        if (at(5) == u'.') zeroAt(4);
        if (len() > 10) {
            if (!isDigit(at(13))) zeroAt(12);
            if (len() == 15) zeroAt(15);
            if (len() > 16 && !isDigit(at(16))) zeroAt(15);
            if (len() == 18) zeroAt(18);
            if (len() > 18 && !isDigit(at(19))) zeroAt(18);
            // A one-digit fraction of a second is padded on the right: .5 is .50.
            if (len() == 21) s.append(QLatin1Char('0'));
        }
        if (druh == 3) {
            if (len() == 13) s.append(QLatin1String(":00"));
            if (len() == 16) s.append(QLatin1String(":00"));
            if (len() == 19) s.append(QLatin1String(".00"));
        }
        return s;
    }

    if (druh == 12) {
        if (!isDigit(at(2))) zeroAt(1);
        if (len() == 4) zeroAt(4);
        if (at(1) == u'0') s.remove(0, 1);
        return s;
    }

    if (!isDigit(at(2))) zeroAt(1);
    if (!isDigit(at(5))) zeroAt(4);
    if (len() == 7) zeroAt(7);
    if (at(1) == u'0') s.remove(0, 1);
    if (druh == 13 && !isDigit(at(2))) zeroAt(1);
    return s;
}

DatumCas TextNaDatum(int druh, const QString& text)
{
    switch (druh) {
    case 1: {
        static const QRegularExpression form(QStringLiteral("^([0-9]{4})([0-9]{2})([0-9]{2})$"));
        const QRegularExpressionMatch m = form.match(text);
        if (!m.hasMatch() || !validDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()))
            failDateText(text);
        return ZakodujDatum(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    }
    case 2: {
        const RozlozenyCas r = parseDateText(text).parts;
        return ZakodujDatumCas(r.rok, r.mesic, r.den, r.hodina, r.minuta, r.sekunda, r.ms);
    }
    case 3: {
        static const QRegularExpression form(
            QStringLiteral("^([0-9]{2}):([0-9]{2}):([0-9]{2})(?:\\.([0-9]{1,3}))?$"));
        const QRegularExpressionMatch m = form.match(UpravTextData(13, text));
        if (!m.hasMatch()) failTimeText(text);
        const int h = m.captured(1).toInt();
        const int min = m.captured(2).toInt();
        const int sec = m.captured(3).toInt();
        const int ms = m.hasCaptured(4) ? fractionMs(m.captured(4)) : 0;
        if (!validTime(h, min, sec, ms)) failTimeText(text);
        return combine(0, ((h * 60 + min) * 60 + sec) * qint64(1000) + ms);
    }
    default:
        failKind(druh);
    }
}

QString DatumNaText(int druh, DatumCas datum)
{
    if (druh < 1 || druh > 5) failKind(druh);
    const RozlozenyCas r = RozlozDatum(datum);
    switch (druh) {
    case 1:
        return keyText(r);
    case 2:
        return dateText(r) + u' ' + two(r.hodina) + u':' + two(r.minuta) + u':' + two(r.sekunda);
    case 3:
        return timeText(r);
    case 4:
        return dateText(r);
    default:
        return keyText(r) + u' ' + timeText(r);
    }
}

int DatumNaKlic(int druh, DatumCas datum)
{
    if (druh != 1 && druh != 2) failKind(druh);
    const RozlozenyCas r = RozlozDatum(datum);
    return druh == 1 ? r.rok * 10000 + r.mesic * 100 + r.den : r.hodina * 10000 + r.minuta * 100 + r.sekunda;
}

int TextNaKlic(int druh, const QString& text)
{
    if (druh != 1 && druh != 2) failKind(druh);
    const ParsedDate p = parseDateText(text);
    if (druh == 1) return p.parts.rok * 10000 + p.parts.mesic * 100 + p.parts.den;
    if (!p.hasTime) return -1;
    return p.parts.hodina * 10000 + p.parts.minuta * 100 + p.parts.sekunda;
}

QString KlicNaText(int druh, int klic)
{
    if (druh == 1) {
        const int rok = klic / 10000;
        const int mesic = klic / 100 % 100;
        const int den = klic % 100;
        if (klic <= 0 || !validDate(rok, mesic, den))
            throw ActionError(QStringLiteral("Klíč %1 není platné datum.").arg(klic));
        return QString::number(den) + u'.' + QString::number(mesic) + u'.' + four(rok);
    }
    if (druh == 2) {
        if (klic == -1) return QString();
        RozlozenyCas r;
        r.hodina = klic / 10000;
        r.minuta = klic / 100 % 100;
        r.sekunda = klic % 100;
        if (klic < 0 || !validTime(r.hodina, r.minuta, r.sekunda, 0))
            throw ActionError(QStringLiteral("Klíč %1 není platný čas.").arg(klic));
        return timeText(r);
    }
    return QStringLiteral("error");
}
