#include "calendar/slunce.h"
#include "fixtures/testdb.h"

#include <QDate>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>

namespace
{

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kLatitude = 50 + 8 / 60.0;
constexpr double kLongitude = 14 + 42 / 60.0;

// ---- An independent check of the sun times: the NOAA solar calculator
// (after Meeus), iterated on the event's own instant.

double noaaEventUtcMinutes(const QDate& date, bool sunrise)
{
    const double jd0 = date.toJulianDay() - 0.5;
    double minutes = 720;
    for (int pass = 0; pass < 3; ++pass) {
        const double t = (jd0 + minutes / 1440.0 - 2451545.0) / 36525.0;
        const double l0 = std::fmod(280.46646 + t * (36000.76983 + t * 0.0003032), 360.0);
        const double m = 357.52911 + t * (35999.05029 - 0.0001537 * t);
        const double e = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
        const double c = std::sin(m * kDeg) * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                         std::sin(2 * m * kDeg) * (0.019993 - 0.000101 * t) +
                         std::sin(3 * m * kDeg) * 0.000289;
        const double omega = 125.04 - 1934.136 * t;
        const double lambda = l0 + c - 0.00569 - 0.00478 * std::sin(omega * kDeg);
        const double eps0 = 23 + (26 + (21.448 - t * (46.815 + t * (0.00059 - t * 0.001813))) / 60) / 60;
        const double eps = eps0 + 0.00256 * std::cos(omega * kDeg);
        const double decl = std::asin(std::sin(eps * kDeg) * std::sin(lambda * kDeg));
        const double y = std::pow(std::tan(eps * kDeg / 2), 2);
        const double eqTime = 4 / kDeg *
                              (y * std::sin(2 * l0 * kDeg) - 2 * e * std::sin(m * kDeg) +
                               4 * e * y * std::sin(m * kDeg) * std::cos(2 * l0 * kDeg) -
                               0.5 * y * y * std::sin(4 * l0 * kDeg) - 1.25 * e * e * std::sin(2 * m * kDeg));
        const double lat = kLatitude * kDeg;
        const double ha = std::acos(std::cos(90.833 * kDeg) / (std::cos(lat) * std::cos(decl)) -
                                    std::tan(lat) * std::tan(decl)) /
                          kDeg;
        minutes = 720 - 4 * (kLongitude + (sunrise ? ha : -ha)) - eqTime;
    }
    return minutes;
}

// Minutes after midnight of an "h:mm" text; nothing when it is not one.
std::optional<int> minutesOf(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^([1-9]|1[0-9]|2[0-3]):([0-5][0-9])$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch()) return std::nullopt;
    return match.captured(1).toInt() * 60 + match.captured(2).toInt();
}

// Checks both events of the day against NOAA; adds their differences in
// minutes to `sum`.
void expectNearNoaa(const QDate& date, int zone, double& sum)
{
    const CasySlunce times = VychodZapadSlunce(zone, ZakodujDatum(date.year(), date.month(), date.day()));
    const std::string day = date.toString(Qt::ISODate).toStdString() + " zone " + std::to_string(zone);
    const std::optional<int> rise = minutesOf(times.vychod);
    const std::optional<int> set = minutesOf(times.zapad);
    ASSERT_TRUE(rise) << day << " sunrise \"" << times.vychod.toStdString() << "\"";
    ASSERT_TRUE(set) << day << " sunset \"" << times.zapad.toStdString() << "\"";
    const double riseDiff = *rise - (noaaEventUtcMinutes(date, true) + 60 * zone);
    const double setDiff = *set - (noaaEventUtcMinutes(date, false) + 60 * zone);
    EXPECT_LE(std::fabs(riseDiff), 2.0) << day << " sunrise " << times.vychod.toStdString();
    EXPECT_LE(std::fabs(setDiff), 2.0) << day << " sunset " << times.zapad.toStdString();
    sum += riseDiff + setDiff;
}

// Every day of a leap year, with the zone the info bar chooses: both events
// exist, read h:mm and lie within two minutes of the independent calculation.
// Whole minutes are rounded, not cut: on average the texts are not early.
TEST(SunTimes, EveryDayOfAYearAgreesWithNoaa)
{
    double sum = 0;
    int days = 0;
    for (QDate d(2004, 1, 1); d.year() == 2004; d = d.addDays(1), ++days)
        expectNearNoaa(d, ZonaSlunce(ZakodujDatum(d.year(), d.month(), d.day())), sum);
    EXPECT_NEAR(sum / (2 * days), 0.0, 0.25);
}

TEST(SunTimes, OtherYearsAndZonesAgreeWithNoaa)
{
    const struct {
        QDate date;
        int zone;
    } cases[] = {
        {{1901, 3, 1}, 1}, {{1950, 6, 21}, 1}, {{1996, 12, 21}, 1}, {{2000, 1, 1}, 1},
        {{2000, 1, 1}, 2}, {{2024, 9, 22}, 2}, {{2060, 2, 29}, 1},  {{2099, 7, 15}, 2},
    };
    double sum = 0;
    for (const auto& c : cases)
        expectNearNoaa(c.date, c.zone, sum);
}

TEST(SunTimes, HoursWithoutLeadingZeroMinutesWithIt)
{
    // Midsummer sunrise before five, midwinter sunset after four.
    const CasySlunce june = VychodZapadSlunce(2, ZakodujDatum(2004, 6, 21));
    EXPECT_TRUE(june.vychod.startsWith(QLatin1String("4:"))) << june.vychod.toStdString();
    EXPECT_TRUE(june.zapad.startsWith(QLatin1String("21:"))) << june.zapad.toStdString();
    const CasySlunce december = VychodZapadSlunce(1, ZakodujDatum(2004, 12, 21));
    EXPECT_TRUE(december.vychod.startsWith(QLatin1String("7:"))) << december.vychod.toStdString();
    EXPECT_TRUE(december.zapad.startsWith(QLatin1String("16:0"))) << december.zapad.toStdString();
    // The time of day of the date does not matter.
    const CasySlunce evening = VychodZapadSlunce(2, ZakodujDatumCas(2004, 6, 21, 23, 59, 59));
    EXPECT_EQ(evening.vychod, june.vychod);
    EXPECT_EQ(evening.zapad, june.zapad);
}

TEST(SunTimes, ZoneFollowsTheSummerTimeStateOfTheDay)
{
    const struct {
        DatumCas date;
        int zone;
    } cases[] = {
        {ZakodujDatum(1995, 7, 1), 0}, // before summer time was counted
        {ZakodujDatum(2004, 3, 27), 1},
        {ZakodujDatum(2004, 3, 28), 2}, // March switch: the new time all day
        {ZakodujDatum(2004, 7, 1), 2},
        {ZakodujDatum(2004, 10, 31), 1}, // October switch: the new time all day
        {ZakodujDatum(2004, 11, 1), 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZonaSlunce(c.date), c.zone) << DatumNaText(2, c.date).toStdString();
}

// ---- Moon ------------------------------------------------------------------

bool lit(const QImage& image, int x, int y)
{
    return (image.pixel(x, y) & 0xFFFFFF) != 0;
}

int litCount(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += lit(image, x, y);
    return n;
}

bool isRed(const QImage& image, QPoint p)
{
    return (image.pixel(p) & 0xFFFFFF) == 0xFF0000;
}

double ut(int y, int m, int d, int h = 0, int min = 0)
{
    return ZakodujDatumCas(y, m, d, h, min, 0);
}

TEST(MoonPhase, AngleFromTheSunAndMoonPositions)
{
    const struct {
        const char* what;
        DatumCas ut;
        double low, high; // degrees, the expected angle lies between
    } cases[] = {
        // Meeus, Astronomical Algorithms, example 48.a: i = 69.0756°.
        {"1992-04-12 0h", ut(1992, 4, 12), 69.0756 - 0.05, 69.0756 + 0.05},
        {"lunar eclipse 2004-05-04", ut(2004, 5, 4, 20, 30), -1.0, 1.0},
        {"solar eclipse 1999-08-11", ut(1999, 8, 11, 11, 3), 179.0, 181.0},
        {"waxing crescent", ut(1999, 8, 15), 100.0, 170.0},
        {"waning crescent", ut(1999, 8, 7), 190.0, 260.0},
        {"waxing gibbous", ut(2004, 5, 1), 10.0, 80.0},
        {"waning gibbous", ut(2004, 5, 8), 280.0, 350.0},
    };
    for (const auto& c : cases) {
        double i = FazovyUhelMesice(c.ut);
        EXPECT_GE(i, 0.0) << c.what;
        EXPECT_LT(i, 360.0) << c.what;
        if (c.low < 0 && i > 180) i -= 360;
        EXPECT_GE(i, c.low) << c.what;
        EXPECT_LE(i, c.high) << c.what;
    }
}

TEST(MoonPicture, FullMoonImageIsADiscAboutTheCentre)
{
    const QImage full = ObrazekUplnku();
    ASSERT_EQ(full.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const double d = std::hypot(x - 15, y - 14);
            if (d <= 13) {
                EXPECT_TRUE(lit(full, x, y)) << x << "," << y;
            }
            if (d >= 14) {
                EXPECT_FALSE(lit(full, x, y)) << x << "," << y;
            }
        }
    EXPECT_FALSE(isRed(full, kMistoPristani));
}

TEST(MoonPicture, ShadingFollowsThePhaseAngle)
{
    const QImage full = ObrazekUplnku();
    const int disc = litCount(full);
    EXPECT_EQ(KresliMesic(0, false), full);
    EXPECT_EQ(litCount(KresliMesic(180, false)), 0);

    // The lit share of the disc is the illuminated fraction (1 + cos i) / 2.
    for (double i : {0.0, 30.0, 60.0, 90.0, 120.0, 150.0, 180.0, 210.0, 240.0, 270.0, 300.0, 330.0, 360.0}) {
        const double fraction = double(litCount(KresliMesic(i, false))) / disc;
        EXPECT_NEAR(fraction, (1 + std::cos(i * kDeg)) / 2, 0.05) << "i = " << i;
    }

    // First quarter: exactly the right half lit; last quarter: the left half.
    const QImage first = KresliMesic(90, false);
    const QImage last = KresliMesic(270, false);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool inDisc = lit(full, x, y);
            EXPECT_EQ(lit(first, x, y), inDisc && x > 15) << x << "," << y;
            EXPECT_EQ(lit(last, x, y), inDisc && x < 15) << x << "," << y;
        }

    // Crescents: a waxing one shines on the right, a waning one on the left.
    const QImage waxing = KresliMesic(135, false);
    const QImage waning = KresliMesic(225, false);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (lit(waxing, x, y)) {
                EXPECT_GT(x, 15) << x << "," << y;
            }
            if (lit(waning, x, y)) {
                EXPECT_LT(x, 15) << x << "," << y;
            }
        }
}

TEST(MoonPicture, LandingSiteTurnsRedAfterTheLanding)
{
    const DatumCas landing = PristaniNaMesici();
    EXPECT_EQ(DatumNaText(2, landing), QStringLiteral("20.07.1969 20:17:43"));
    const DatumCas second = 1 / 86400.0;
    EXPECT_FALSE(isRed(ObrazekMesice(landing - second), kMistoPristani));
    EXPECT_FALSE(isRed(ObrazekMesice(landing), kMistoPristani));
    EXPECT_TRUE(isRed(ObrazekMesice(landing + second), kMistoPristani));
    EXPECT_TRUE(isRed(ObrazekMesice(ZakodujDatum(2004, 5, 1)), kMistoPristani));

    // The marker shows on a dark Moon too, and is the only change.
    const QImage dark = KresliMesic(180, true);
    EXPECT_TRUE(isRed(dark, kMistoPristani));
    EXPECT_EQ(litCount(dark), 1);
}

TEST(MoonPicture, LocalMomentsOfFullAndNewMoon)
{
    // Summer time: 22:30 and 13:03 local are 20:30 and 11:03 UT.
    EXPECT_EQ(ObrazekMesice(ut(2004, 5, 4, 22, 30)), KresliMesic(0, true));
    EXPECT_EQ(litCount(ObrazekMesice(ut(1999, 8, 11, 13, 3))), 1);
}

// ---- Name days -------------------------------------------------------------

class NameDays : public DbTest
{
};

TEST_F(NameDays, NamesOfTheDayJoinedOrADash)
{
    const struct {
        DatumCas date;
        const char* names;
    } cases[] = {
        {ZakodujDatum(2004, 12, 24), "Adam, Eva"},
        {ZakodujDatumCas(1987, 12, 26, 18, 30, 0), "Štěpán"},
        {ZakodujDatum(2004, 1, 1), "-"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SvatkyDne(c.date), QString::fromUtf8(c.names)) << DatumNaText(4, c.date).toStdString();
}

} // namespace
