#include "common/action.h"
#include "common/clock.h"
#include "common/ktdatumj.h"
#include "common/session.h"

#include <QDate>
#include <QTime>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace
{

DatumCas D(int y, int m, int d)
{
    return ZakodujDatum(y, m, d);
}
DatumCas DT(int y, int m, int d, int h, int min, int s = 0)
{
    return ZakodujDatumCas(y, m, d, h, min, s);
}
std::string S(const QString& s)
{
    return s.toStdString();
}
std::string T(DatumCas v)
{
    return S(DatumNaText(2, v));
}

// Anchors of the day number shared with the database and other programs.
TEST(DayNumber, MatchesTheFixedEpoch)
{
    EXPECT_EQ(D(1899, 12, 30), 0.0);
    EXPECT_EQ(D(2004, 5, 1), 38108.0);
    EXPECT_EQ(DT(1899, 12, 31, 12, 0), 1.5);
    EXPECT_EQ(DT(1899, 12, 29, 6, 0), -1.25); // before the epoch the time is subtracted
    EXPECT_EQ(D(1, 1, 1), -693593.0);
    EXPECT_THROW(D(2004, 2, 30), ActionError);
    EXPECT_THROW(D(10000, 1, 1), ActionError);
    EXPECT_THROW(RozlozDatum(std::numeric_limits<double>::quiet_NaN()), ActionError);
    EXPECT_THROW(RozlozDatum(1e9), ActionError);
}

TEST(DayNumber, NowAndTodayComeFromTheClock)
{
    TestClock clock(QDateTime(QDate(2004, 5, 1), QTime(8, 5, 7)));
    Clock::setCurrent(&clock);
    EXPECT_EQ(T(Ted()), "01.05.2004 08:05:07");
    EXPECT_EQ(Dnes(), 38108.0);
    Clock::setCurrent(nullptr);
}

TEST(DenVTydnu, KnownDays)
{
    struct Case {
        int d, m, y, expected;
    } cases[] = {
        {1, 5, 2004, 6}, {28, 3, 2004, 7},  {1, 1, 2000, 6}, {29, 2, 2000, 2},
        {1, 3, 2000, 3}, {31, 12, 1899, 7}, {1, 1, 1900, 1}, {28, 2, 1900, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DenVTydnu(c.d, c.m, c.y), c.expected) << c.d << '.' << c.m << '.' << c.y;
}

TEST(DenVTydnu, AgreesWithTheCalendarOverCenturies)
{
    // Covers January/February of every year and the century leap-year rules.
    for (QDate d(1700, 1, 1); d <= QDate(2300, 12, 31); d = d.addDays(1))
        ASSERT_EQ(DenVTydnu(d.day(), d.month(), d.year()), d.dayOfWeek()) << S(d.toString(Qt::ISODate));
}

TEST(NazevDne, NamesAndPadding)
{
    struct Case {
        int index, width;
        char16_t lang;
        const char* expected;
    } cases[] = {
        {0, 0, u'C', "Neděle"},      {7, 0, u'C', "Neděle"},  {1, 0, u'C', "Pondělí"},
        {8, 0, u'A', "Other"},       {9, 0, u'C', "jiný"},    {-1, 0, u'C', "jiný"},
        {1, 10, u'A', "Monday    "}, {4, 3, u'C', "Čtvrtek"}, // never cut
        {6, 8, u'C', "Sobota  "},    {3, 0, u'a', "Středa"},  // only 'A' is English
    };
    for (const Case& c : cases)
        EXPECT_EQ(S(NazevDne(c.index, c.width, QChar(c.lang))), c.expected) << c.index;
}

TEST(Easter, MondayAndGoodFriday)
{
    struct Case {
        int year;
        QDate monday;
    } cases[] = {
        {2004, {2004, 4, 12}}, {2005, {2005, 3, 28}}, {2008, {2008, 3, 24}},
        {1981, {1981, 4, 20}}, {2076, {2076, 4, 20}}, // Sunday moved from 26 to 19 April
        {2049, {2049, 4, 19}},                        // moved from 25 to 18 April
        {2038, {2038, 4, 26}},                        // 25 April without the move
        {1800, {1800, 4, 14}}, {2100, {2100, 3, 29}}, {2200, {2200, 4, 7}}, // other centuries
    };
    for (const Case& c : cases) {
        const DatumCas monday = D(c.monday.year(), c.monday.month(), c.monday.day());
        EXPECT_EQ(T(VelikonocniPondeli(c.year)), T(monday)) << c.year;
        EXPECT_EQ(VelkyPatek(c.year), monday - 3) << c.year;
    }
}

TEST(SummerTime, SwitchDays)
{
    struct Case {
        int year;
        DatumCas start, end;
    } cases[] = {
        {2004, D(2004, 3, 28), D(2004, 10, 31)}, {2005, D(2005, 3, 27), D(2005, 10, 30)},
        {2024, D(2024, 3, 31), D(2024, 10, 27)}, // 31 March itself is a Sunday
        {1996, D(1996, 3, 31), D(1996, 10, 27)}, {1995, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ZacatekLetnihoCasu(c.year), c.start) << c.year;
        EXPECT_EQ(KonecLetnihoCasu(c.year), c.end) << c.year;
    }
}

TEST(SummerTime, State)
{
    struct Case {
        DatumCas date;
        int expected;
    } cases[] = {
        {D(1995, 7, 1), 0},   {D(2004, 10, 31), 1}, {D(2004, 3, 28), 2}, {D(2004, 3, 29), 3},
        {D(2004, 10, 30), 3}, {D(2004, 3, 27), 4},  {D(2004, 11, 1), 4}, {D(2004, 1, 1), 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StavLetnihoCasu(c.date), c.expected) << T(c.date);
}

TEST(SummerTime, OffsetOfAUtcInstant)
{
    struct Case {
        DatumCas utc;
        int expected;
    } cases[] = {
        {DT(2004, 10, 31, 0, 59), 2},
        {DT(2004, 10, 31, 1, 0), 1},
        {DT(2004, 10, 31, 3, 59), 1},
        {DT(2004, 3, 28, 0, 59), 1},
        {DT(2004, 3, 28, 1, 0), 2},
        {DT(2004, 3, 28, 3, 0), 2},
        {DT(2004, 7, 1, 12, 0), 2},
        {DT(2004, 12, 1, 12, 0), 1},
        {DT(2020, 1, 1, 0, 0), 1},
        {DT(1995, 7, 1, 12, 0), 1},
        // Seconds since 1900 as the time query turns them into a value: the
        // switch instants 31.3.2024 and 27.10.2024 at 1:00 UTC, and a second before.
        {3920835600.0 / 86400 + 2, 2},
        {3920835599.0 / 86400 + 2, 1},
        {3938979600.0 / 86400 + 2, 1},
        {3938979599.0 / 86400 + 2, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PosunOdUTC(c.utc), c.expected) << T(c.utc);
}

TEST(Holidays, ByCountry)
{
    struct Case {
        const char* country;
        DatumCas date;
        const char* name; // empty: no holiday
    } cases[] = {
        {"sk", D(2011, 4, 25), "Veľkonočný pondelok"},
        {"SK", D(2011, 4, 22), "Veľký piatok"},
        {"SK", D(1999, 4, 2), "Veľký piatok"}, // Easter days in every year
        {"CZ", D(1999, 4, 5), "Velikonoce"},
        {"CZ", DT(2004, 4, 12, 14, 30), "Velikonoce"}, // a time of day does not matter
        {"CZ", D(2011, 4, 22), ""},                    // no Czech Good Friday before 2016
        {"CZ", D(2017, 4, 14), "Velký pátek"},
        {"CZ", D(2000, 5, 1), ""}, // fixed dates from 2001 only
        {"CZ", D(2004, 5, 1), "Svátek práce"},
        {"CZ", DT(2004, 12, 24, 18, 0), "Štědrý den"},
        {"CZ", D(2004, 9, 28), "Den české státnosti"},
        {"", D(2004, 10, 28), "Den vzniku samostatného československého státu"}, // not SK: Czech
        {"SK", D(2004, 10, 28), ""},
        {"SKA", D(2004, 8, 29), ""},
        {"SK", D(2004, 8, 29), "výročie Slovenského národného povstania"},
        {"SK", D(2004, 5, 8), "Deň víťazstva nad fašizmom"},
        {"SK", D(2004, 1, 6), "Zjavenie Pána (Traja králi a vianočný sviatok pravoslávnych kresťanov)"},
        {"CZ", D(2004, 1, 6), ""},
    };
    for (const Case& c : cases) {
        QString name = QStringLiteral("stale");
        const bool is = StatniSvatek(QString::fromUtf8(c.country), c.date, name);
        EXPECT_EQ(S(name), c.name) << c.country << ' ' << T(c.date);
        EXPECT_EQ(is, *c.name != 0) << c.country << ' ' << T(c.date);
        EXPECT_EQ(JeStatniSvatek(QString::fromUtf8(c.country), c.date), is);
    }
}

TEST(Holidays, CountryFromTheSession)
{
    const QString saved = session().Stat;
    session().Stat = QStringLiteral("SK");
    QString name;
    EXPECT_TRUE(StatniSvatek(D(2004, 9, 1), name));
    EXPECT_EQ(S(name), "Deň Ústavy Slovenskej republiky");
    session().Stat = QStringLiteral("CZ");
    EXPECT_FALSE(JeStatniSvatek(D(2004, 9, 1)));
    session().Stat = saved;
}

TEST(UpravTextData, Normalises)
{
    struct Case {
        int kind;
        const char* in;
        const char* out;
    } cases[] = {
        {3, "1.5.2004 8:5", "01.05.2004 08:05:00.00"},
        {3, "1.5.2004 08", "01.05.2004 08:00:00.00"},
        {3, "1.5.2004", "01.05.2004"},
        {3, "1.5.2004 8:5:7.5", "01.05.2004 08:05:07.50"}, // .5 of a second stays a half
        {2, "1.5.2004 8:5:7", "01.05.2004 08:05:07"},
        {2, "01.05.2004 08:05:07", "01.05.2004 08:05:07"},
        {2, "31.12.2004", "31.12.2004"},
        {11, "0:5:7", "0:05:07"},
        {11, "08:05:07", "8:05:07"},
        {11, "10:05:07", "10:05:07"},
        {13, "8:5:7", "08:05:07"},
        {13, "0:05:07", "00:05:07"},
        {12, "6:7", "6:07"},
        {12, "4:53", "4:53"},
        {12, "20:07", "20:07"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(S(UpravTextData(c.kind, QString::fromUtf8(c.in))), c.out) << c.kind << ' ' << c.in;
}

TEST(UpravTextData, TooShortTextsFail)
{
    struct Case {
        int kind;
        const char* in;
    } cases[] = {
        {2, ""},     {2, "1.5"}, {3, "1234"}, {3, "01.05.2004 "}, {3, "01.05.2004 8"},
        {11, "8:5"}, {13, ""},   {12, "6"},   {7, "01.05.2004"},
    };
    for (const Case& c : cases)
        EXPECT_THROW(UpravTextData(c.kind, QString::fromUtf8(c.in)), ActionError)
            << c.kind << " '" << c.in << "'";
}

TEST(TextNaDatum, Reads)
{
    struct Case {
        int kind;
        const char* in;
        DatumCas expected;
    } cases[] = {
        {1, "20040501", D(2004, 5, 1)},
        {2, "1.5.2004", D(2004, 5, 1)},
        {2, "1.5.2004 8:05:07", DT(2004, 5, 1, 8, 5, 7)},
        {2, "01.05.2004 08:05", DT(2004, 5, 1, 8, 5)},
        {2, "1.5.2004 8:05:07.50", ZakodujDatumCas(2004, 5, 1, 8, 5, 7, 500)},
        {2, "1.5.2004 8:05:07.125", ZakodujDatumCas(2004, 5, 1, 8, 5, 7, 125)},
        {2, "29.2.2000 23:59:59", DT(2000, 2, 29, 23, 59, 59)},
        {2, "01.01.0001", D(1, 1, 1)},
        {2, "1.1.1800 12:00", DT(1800, 1, 1, 12, 0)},
        {3, "8:05:07", 29107.0 / 86400},
        {3, "08:05:07.25", (29107.0 + 0.25) / 86400},
        {3, "0:00:00", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextNaDatum(c.kind, QString::fromUtf8(c.in)), c.expected) << c.kind << ' ' << c.in;
}

TEST(TextNaDatum, MalformedTextsFail)
{
    struct Case {
        int kind;
        const char* in;
    } cases[] = {
        {2, "31.02.2004"},
        {2, "29.2.2001"},
        {2, "1.13.2004"},
        {2, "0.5.2004"},
        {2, "1.5.2004 25:00"},
        {2, "1.5.2004 8:60"},
        {2, "1.5.2004 8:05:60"},
        {2, "aa.bb.cccc"},
        {2, "+1.5.2004"},
        {2, "1.5.04"},
        {2, "1/5/2004"},
        {2, "1.5.2004 8:05:07 x"},
        {2, "1.5.2004 8:05:07.5x"},
        {2, "01.01.0000"},
        {2, ""},
        {1, "2004051"},
        {1, "200405011"},
        {1, "20041301"},
        {1, "2004-5-1"},
        {3, "25:00:00"},
        {3, "8:05"},
        {3, "8:5:7.5"},
        {3, "08:05:07 "},
        {4, "01.05.2004"},
    };
    for (const Case& c : cases)
        EXPECT_THROW(TextNaDatum(c.kind, QString::fromUtf8(c.in)), ActionError)
            << c.kind << " '" << c.in << "'";
}

TEST(TextNaDatum, ErrorNamesTheText)
{
    try {
        TextNaDatum(2, QStringLiteral("31.02.2004"));
        FAIL() << "no error";
    } catch (const ActionError& e) {
        EXPECT_EQ(S(e.text()), "\"31.02.2004\" není platné datum.");
    }
}

TEST(DatumNaText, Kinds)
{
    const DatumCas v = DT(2004, 5, 1, 8, 5, 7);
    const DatumCas midnight = D(2004, 12, 31);
    struct Case {
        int kind;
        DatumCas value;
        const char* expected;
    } cases[] = {
        {1, v, "20040501"},
        {2, v, "01.05.2004 08:05:07"},
        {3, v, "8:05:07"},
        {4, v, "01.05.2004"},
        {5, v, "20040501 8:05:07"},
        {2, midnight, "31.12.2004 00:00:00"},
        {3, midnight, "0:00:00"},
        {5, midnight, "20041231 0:00:00"},
        {4, D(1, 1, 1), "01.01.0001"},
        {1, D(999, 3, 4), "09990304"},
        {2, DT(1800, 1, 1, 12, 0), "01.01.1800 12:00:00"},
        {2, ZakodujDatumCas(2004, 5, 1, 8, 5, 7, 999), "01.05.2004 08:05:07"}, // dropped, not rounded
        {2, D(2004, 5, 2) - 1e-9, "02.05.2004 00:00:00"},                      // float noise is not a second
    };
    for (const Case& c : cases)
        EXPECT_EQ(S(DatumNaText(c.kind, c.value)), c.expected) << c.kind;
    EXPECT_THROW(DatumNaText(6, v), ActionError);
    EXPECT_THROW(DatumNaText(2, std::numeric_limits<double>::infinity()), ActionError);
}

TEST(DatumNaText, EverySecondOfADayRoundTrips)
{
    for (int s = 0; s < 86400; ++s) {
        const QString text =
            QStringLiteral("28.03.2004 %1").arg(QTime(0, 0).addSecs(s).toString(u"hh:mm:ss"));
        ASSERT_EQ(DatumNaText(2, TextNaDatum(2, text)), text);
    }
}

TEST(ZmenDatum, ReplacesPartsAndDropsTime)
{
    const DatumCas v = DT(2004, 5, 15, 10, 30);
    EXPECT_EQ(ZmenDatum(0, 0, 1, v), D(2004, 5, 1));
    EXPECT_EQ(ZmenDatum(2005, 0, 0, v), D(2005, 5, 15));
    EXPECT_EQ(ZmenDatum(2000, 2, 29, v), D(2000, 2, 29));
    EXPECT_EQ(ZmenDatum(0, 0, 0, v), D(2004, 5, 15));
    EXPECT_EQ(ZmenDatum(0, 0, 1, DT(1800, 1, 15, 18, 0)), D(1800, 1, 1));
    EXPECT_THROW(ZmenDatum(0, 2, 0, D(2004, 1, 31)), ActionError);
}

TEST(Keys, FromValuesAndTexts)
{
    const DatumCas v = DT(2004, 5, 1, 8, 5, 7);
    EXPECT_EQ(DatumNaKlic(1, v), 20040501);
    EXPECT_EQ(DatumNaKlic(2, v), 80507);
    EXPECT_EQ(DatumNaKlic(2, D(2004, 5, 1)), 0);

    struct Case {
        int kind;
        const char* in;
        int expected;
    } cases[] = {
        {2, "1.5.2004", -1},
        {2, "1.5.2004 8:05", 80500},
        {2, "1.5.2004 0:00", 0},
        {2, "31.12.2004 23:59:59", 235959},
        {1, "1.5.2004 8:05", 20040501},
        {1, "31.12.2004", 20041231},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextNaKlic(c.kind, QString::fromUtf8(c.in)), c.expected) << c.kind << ' ' << c.in;
    EXPECT_THROW(TextNaKlic(2, QStringLiteral("31.02.2004 08:00")), ActionError);
    EXPECT_THROW(TextNaKlic(1, QStringLiteral("1.5.2004 25:00")), ActionError);
}

TEST(Keys, ToText)
{
    struct Case {
        int kind, key;
        const char* expected;
    } cases[] = {
        {2, 80500, "8:05:00"},       {2, 0, "0:00:00"},         {2, 235959, "23:59:59"}, {2, -1, ""},
        {1, 20041231, "31.12.2004"}, {1, 20040501, "1.5.2004"}, {3, 20040501, "error"},  {0, 1, "error"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(S(KlicNaText(c.kind, c.key)), c.expected) << c.kind << ' ' << c.key;
    for (int bad : {20041301, 20040230, 0, -20040501})
        EXPECT_THROW(KlicNaText(1, bad), ActionError) << bad;
    for (int bad : {240000, 86000, 80560, -2})
        EXPECT_THROW(KlicNaText(2, bad), ActionError) << bad;
}

} // namespace
