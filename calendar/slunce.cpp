#include "calendar/slunce.h"

#include "data/sqldata.h"

#include <QColor>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{

constexpr double kPi = std::numbers::pi;
constexpr double DR = kPi / 180.0;

double sirkaStupne()
{
    return kPozorovatel.sirkaStupne + kPozorovatel.sirkaMinuty / 60.0 + kPozorovatel.sirkaSekundy / 3600.0;
}

double delkaStupne()
{
    return kPozorovatel.delkaStupne + kPozorovatel.delkaMinuty / 60.0 + kPozorovatel.delkaSekundy / 3600.0;
}

double frac(double x)
{
    return x - std::floor(x);
}

double stupne360(double x)
{
    x = std::fmod(x, 360.0);
    return x < 0 ? x + 360.0 : x;
}

int znamenko(double x)
{
    return (x > 0) - (x < 0);
}

// Day numbers before 30.12.1899 subtract the time of day from the whole day; this
// gives the elapsed days for them too.
double spojiteDny(DatumCas d)
{
    const double den = std::trunc(d);
    return den + std::fabs(d - den);
}

constexpr double kJulianskyDenEpochy = 2415018.5; // 30.12.1899 0:00

// ---- Sun times: R. W. Sinnott, "Sunrise and sunset", Sky & Telescope 1994,
// with the solar series of T. C. van Flandern and K. F. Pulkkinen (1979).

struct PolohaSlunce {
    double rektascenze, deklinace; // radians
};

PolohaSlunce slunceVanFlandern(double t, double tt)
{
    const double L = 2 * kPi * frac(0.779072 + 0.00273790931 * t);
    const double G = 2 * kPi * frac(0.993126 + 0.0027377785 * t);
    const double V = 0.39785 * std::sin(L) - 0.01 * std::sin(L - G) + 0.00333 * std::sin(L + G) -
                     0.00021 * tt * std::sin(L);
    const double U = 1 - 0.03349 * std::cos(G) - 0.00014 * std::cos(2 * L) + 0.00008 * std::cos(L);
    const double W = -0.0001 - 0.04129 * std::sin(2 * L) + 0.03211 * std::sin(G) +
                     0.00104 * std::sin(2 * L - G) - 0.00035 * std::sin(2 * L + G) -
                     0.00008 * tt * std::sin(G);
    return {L + std::asin(W / std::sqrt(U - V * V)), std::asin(V / std::sqrt(U))};
}

// Julian day number of the date, noon-based, as Sinnott computes it (Julian
// calendar before 1583).
double julianskyDen(int y, int m, int d)
{
    const int g = y >= 1583 ? 1 : 0;
    double j = -std::floor(7.0 * (std::floor((m + 9) / 12.0) + y) / 4.0);
    if (g == 1) {
        const int s = znamenko(m - 9);
        const int a = std::abs(m - 9);
        double j3 = std::floor(y + s * std::floor(a / 7.0));
        j3 = -std::floor((std::floor(j3 / 100.0) + 1) * 3.0 / 4.0);
        j += g * j3;
    }
    j += std::floor(275.0 * m / 9.0) + d + 1721027 + 2 * g + 367.0 * y;
    return j;
}

QString casText(double hodiny)
{
    const int h = int(hodiny);
    const int m = int((hodiny - h) * 60);
    return UpravTextData(12, QStringLiteral("%1:%2").arg(h).arg(m));
}

// ---- Positions for the phase angle: J. Meeus, Astronomical Algorithms, 2nd
// ed., chapters 25 (the Sun, low accuracy), 47 (the Moon) and 48 (phase angle).

constexpr double kKmNaAU = 149597870.7;

struct Ekliptika {
    double delka;      // apparent longitude, degrees
    double sirka;      // latitude, degrees
    double vzdalenost; // km
};

Ekliptika slunceMeeus(double T)
{
    const double L0 = 280.46646 + T * (36000.76983 + T * 0.0003032);
    const double M = 357.52911 + T * (35999.05029 - T * 0.0001537);
    const double e = 0.016708634 - T * (0.000042037 + T * 0.0000001267);
    const double Mr = M * DR;
    const double C = (1.914602 - T * (0.004817 + T * 0.000014)) * std::sin(Mr) +
                     (0.019993 - T * 0.000101) * std::sin(2 * Mr) + 0.000289 * std::sin(3 * Mr);
    const double v = (M + C) * DR;
    const double R = 1.000001018 * (1 - e * e) / (1 + e * std::cos(v));
    const double omega = (125.04 - 1934.136 * T) * DR;
    return {L0 + C - 0.00569 - 0.00478 * std::sin(omega), 0.0, R * kKmNaAU};
}

// Multiples of D, M, M', F; longitude term (1e-6 degree); distance term (m).
struct ClenDelky {
    signed char D, M, Mc, F;
    int l, r;
};
constexpr ClenDelky kDelkaMesice[] = {
    {0, 0, 1, 0, 6288774, -20905355},
    {2, 0, -1, 0, 1274027, -3699111},
    {2, 0, 0, 0, 658314, -2955968},
    {0, 0, 2, 0, 213618, -569925},
    {0, 1, 0, 0, -185116, 48888},
    {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},
    {2, -1, -1, 0, 57066, -152138},
    {2, 0, 1, 0, 53322, -170733},
    {2, -1, 0, 0, 45758, -204586},
    {0, 1, -1, 0, -40923, -129620},
    {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},
    {2, 0, 0, -2, 15327, 10321},
    {0, 0, 1, 2, -12528, 0},
    {0, 0, 1, -2, 10980, 79661},
    {4, 0, -1, 0, 10675, -34782},
    {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},
    {2, 1, -1, 0, -7888, 24208},
    {2, 1, 0, 0, -6766, 30824},
    {1, 0, -1, 0, -5163, -8379},
    {1, 1, 0, 0, 4987, -16675},
    {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},
    {4, 0, 0, 0, 3861, -11650},
    {2, 0, -3, 0, 3665, 14403},
    {0, 1, -2, 0, -2689, -7003},
    {2, 0, -1, 2, -2602, 0},
    {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},
    {2, -2, 0, 0, 2236, -9884},
    {0, 1, 2, 0, -2120, 5751},
    {0, 2, 0, 0, -2069, 0},
    {2, -2, -1, 0, 2048, -4950},
    {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},
    {4, -1, -1, 0, 1215, -3958},
    {0, 0, 2, 2, -1110, 0},
    {3, 0, -1, 0, -892, 3258},
    {2, 1, 1, 0, -810, 2616},
    {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},
    {2, 2, -1, 0, -700, 2354},
    {2, 1, -2, 0, 691, 0},
    {2, -1, 0, -2, 596, 0},
    {4, 0, 1, 0, 549, -1423},
    {0, 0, 4, 0, 537, -1117},
    {4, -1, 0, 0, 520, -1571},
    {1, 0, -2, 0, -487, -1739},
    {2, 1, 0, -2, -399, 0},
    {0, 0, 2, -2, -381, -4421},
    {1, 1, 1, 0, 351, 0},
    {3, 0, -2, 0, -340, 0},
    {4, 0, -3, 0, 330, 0},
    {2, -1, 2, 0, 327, 0},
    {0, 2, 1, 0, -323, 1165},
    {1, 1, -1, 0, 299, 0},
    {2, 0, 3, 0, 294, 0},
    {2, 0, -1, -2, 0, 8752},
};

// Multiples of D, M, M', F; latitude term (1e-6 degree).
struct ClenSirky {
    signed char D, M, Mc, F;
    int b;
};
constexpr ClenSirky kSirkaMesice[] = {
    {0, 0, 0, 1, 5128122}, {0, 0, 1, 1, 280602},  {0, 0, 1, -1, 277693}, {2, 0, 0, -1, 173237},
    {2, 0, -1, 1, 55413},  {2, 0, -1, -1, 46271}, {2, 0, 0, 1, 32573},   {0, 0, 2, 1, 17198},
    {2, 0, 1, -1, 9266},   {0, 0, 2, -1, 8822},   {2, -1, 0, -1, 8216},  {2, 0, -2, -1, 4324},
    {2, 0, 1, 1, 4200},    {2, 1, 0, -1, -3359},  {2, -1, -1, 1, 2463},  {2, -1, 0, 1, 2211},
    {2, -1, -1, -1, 2065}, {0, 1, -1, -1, -1870}, {4, 0, -1, -1, 1828},  {0, 1, 0, 1, -1794},
    {0, 0, 0, 3, -1749},   {0, 1, -1, 1, -1565},  {1, 0, 0, 1, -1491},   {0, 1, 1, 1, -1475},
    {0, 1, 1, -1, -1410},  {0, 1, 0, -1, -1344},  {1, 0, 0, -1, -1335},  {0, 0, 3, 1, 1107},
    {4, 0, 0, -1, 1021},   {4, 0, -1, 1, 833},    {0, 0, 1, -3, 777},    {4, 0, -2, 1, 671},
    {2, 0, 0, -3, 607},    {2, 0, 2, -1, 596},    {2, -1, 1, -1, 491},   {2, 0, -2, 1, -451},
    {0, 0, 3, -1, 439},    {2, 0, 2, 1, 422},     {2, 0, -3, -1, 421},   {2, 1, -1, 1, -366},
    {2, 1, 0, 1, -351},    {4, 0, 0, 1, 331},     {2, -1, 1, 1, 315},    {2, -2, 0, -1, 302},
    {0, 0, 1, 3, -283},    {2, 1, 1, -1, -229},   {1, 1, 0, -1, 223},    {1, 1, 0, 1, 223},
    {0, 1, -2, -1, -220},  {2, 1, -1, -1, -220},  {1, 0, 1, 1, -185},    {2, -1, -2, -1, 181},
    {0, 1, 2, 1, -177},    {4, 0, -2, -1, 176},   {4, -1, -1, -1, 166},  {1, 0, 1, -1, -164},
    {4, 0, 1, -1, 132},    {1, 0, -1, -1, -119},  {4, -1, 0, -1, 115},   {2, -2, 0, 1, 107},
};

Ekliptika mesicMeeus(double T)
{
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    const double Lc = 218.3164477 + 481267.88123421 * T - 0.0015786 * T2 + T3 / 538841 - T4 / 65194000;
    const double D = 297.8501921 + 445267.1114034 * T - 0.0018819 * T2 + T3 / 545868 - T4 / 113065000;
    const double M = 357.5291092 + 35999.0502909 * T - 0.0001536 * T2 + T3 / 24490000;
    const double Mc = 134.9633964 + 477198.8675055 * T + 0.0087414 * T2 + T3 / 69699 - T4 / 14712000;
    const double F = 93.2720950 + 483202.0175233 * T - 0.0036539 * T2 - T3 / 3526000 + T4 / 863310000;
    const double A1 = 119.75 + 131.849 * T;
    const double A2 = 53.09 + 479264.290 * T;
    const double A3 = 313.45 + 481266.484 * T;
    // The Earth's orbit grows rounder: terms with the Sun's anomaly shrink by E per multiple.
    const double E = 1 - 0.002516 * T - 0.0000074 * T2;

    auto argument = [&](int d, int m, int mc, int f) {
        return std::fmod(d * D + m * M + mc * Mc + f * F, 360.0) * DR;
    };
    auto excentricita = [&](int m) { return m == 0 ? 1.0 : (std::abs(m) == 1 ? E : E * E); };

    double sl = 0, sr = 0, sb = 0;
    for (const ClenDelky& c : kDelkaMesice) {
        const double a = argument(c.D, c.M, c.Mc, c.F);
        const double k = excentricita(c.M);
        sl += c.l * k * std::sin(a);
        sr += c.r * k * std::cos(a);
    }
    for (const ClenSirky& c : kSirkaMesice)
        sb += c.b * excentricita(c.M) * std::sin(argument(c.D, c.M, c.Mc, c.F));

    // Venus, Jupiter and the Earth's flattening.
    sl += 3958 * std::sin(A1 * DR) + 1962 * std::sin((Lc - F) * DR) + 318 * std::sin(A2 * DR);
    sb += -2235 * std::sin(Lc * DR) + 382 * std::sin(A3 * DR) + 175 * std::sin((A1 - F) * DR) +
          175 * std::sin((A1 + F) * DR) + 127 * std::sin((Lc - Mc) * DR) - 115 * std::sin((Lc + Mc) * DR);

    // Nutation in longitude (Meeus ch. 22, to 0.5"), so that the Moon's
    // longitude is apparent like the Sun's.
    const double omega = (125.04452 - 1934.136261 * T) * DR;
    const double Ls = (280.4665 + 36000.7698 * T) * DR;
    const double dpsi = (-17.20 * std::sin(omega) - 1.32 * std::sin(2 * Ls) - 0.23 * std::sin(2 * Lc * DR) +
                         0.21 * std::sin(2 * omega)) /
                        3600.0;

    return {Lc + sl / 1e6 + dpsi, sb / 1e6, 385000.56 + sr / 1000.0};
}

// ---- The full-Moon picture ------------------------------------------------

struct Utvar {
    double delka, sirka; // selenographic, degrees east and north
    double polomer;      // degrees of arc on the Moon
    double albedo;       // added to the brightness at the centre
};

// The large maria, bright ray craters and dark floors seen at full moon.
constexpr Utvar kUtvary[] = {
    {-55, 26, 20, -0.30},   // Oceanus Procellarum, north
    {-62, 2, 17, -0.30},    // Oceanus Procellarum, south
    {-16, 33, 16, -0.34},   // Imbrium
    {17.5, 28, 10, -0.32},  // Serenitatis
    {31, 8.5, 12, -0.34},   // Tranquillitatis
    {59, 17, 8, -0.36},     // Crisium
    {51, -8, 10, -0.28},    // Fecunditatis
    {35, -15, 6, -0.26},    // Nectaris
    {-17, -21, 11, -0.26},  // Nubium
    {-39, -24, 6, -0.28},   // Humorum
    {4, 13, 4, -0.22},      // Vaporum
    {-25, 56, 7, -0.20},    // Frigoris, west
    {0, 56, 7, -0.20},      // Frigoris
    {22, 57, 6, -0.18},     // Frigoris, east
    {-9, 51.6, 3, -0.30},   // Plato
    {-68, -5, 4, -0.30},    // Grimaldi
    {-11, -43, 4, 0.30},    // Tycho
    {-20, 10, 3.5, 0.22},   // Copernicus
    {-38, 8, 3, 0.16},      // Kepler
    {-47.5, 23.7, 3, 0.30}, // Aristarchus
};

// Brightness 0-1 of the Moon's surface at a point of the disc (x right,
// y up, both -1..1).
double jasMesice(double x, double y)
{
    const double z = std::sqrt(std::max(0.0, 1 - x * x - y * y));
    const double sirka = std::asin(std::clamp(y, -1.0, 1.0));
    const double delka = std::atan2(x, z);
    double jas = 0.86;
    for (const Utvar& u : kUtvary) {
        const double cosVzdalenost =
            std::sin(sirka) * std::sin(u.sirka * DR) +
            std::cos(sirka) * std::cos(u.sirka * DR) * std::cos(delka - u.delka * DR);
        const double vzdalenost = std::acos(std::clamp(cosVzdalenost, -1.0, 1.0)) / DR;
        // Soft edges; small craters spread to about a pixel so they stay visible.
        const double sigma = std::max(u.polomer, 4.0) * 0.75;
        const double vaha = u.polomer >= 6
                                ? std::clamp((u.polomer * 1.15 - vzdalenost) / (u.polomer * 0.3), 0.0, 1.0)
                                : std::exp(-vzdalenost * vzdalenost / (2 * sigma * sigma));
        jas += u.albedo * vaha;
    }
    // The full Moon is almost evenly bright to the limb; a slight darkening
    // keeps the disc round at this size.
    return std::clamp(jas * (0.88 + 0.12 * z), 0.0, 1.0);
}

// Fixed pseudo-random texture of the cratered highlands.
double zrnitost(int x, int y)
{
    quint32 h = quint32(x) * 374761393u + quint32(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFF) / 65535.0 - 0.5;
}

QImage nakresliUplnek()
{
    QImage obr(kVelikostMesice, kVelikostMesice, QImage::Format_RGB32);
    obr.fill(Qt::black);
    const QColor vysociny(244, 238, 224);
    const QColor more(196, 198, 204);
    // The lit disc keeps half a pixel inside the shading radius: the shading
    // darkens up to the limb pixel c -/+ m, which then lies on the black sky.
    const double r = kPolomerMesice - 0.5;
    constexpr int kPodvzorky = 4;
    for (int py = 0; py < kVelikostMesice; ++py) {
        for (int px = 0; px < kVelikostMesice; ++px) {
            const double dx = px - kStredMesice.x(), dy = py - kStredMesice.y();
            if (dx * dx + dy * dy >= r * r) continue;
            double jas = 0;
            for (int sy = 0; sy < kPodvzorky; ++sy)
                for (int sx = 0; sx < kPodvzorky; ++sx) {
                    double x = (dx + (sx + 0.5) / kPodvzorky - 0.5) / r;
                    double y = -(dy + (sy + 0.5) / kPodvzorky - 0.5) / r;
                    const double d = std::hypot(x, y);
                    if (d > 1) x /= d, y /= d;
                    jas += jasMesice(x, y);
                }
            jas /= kPodvzorky * kPodvzorky;
            jas = std::clamp(jas + 0.06 * zrnitost(px, py), 0.25, 1.0);
            // Maria are a little bluer than the highlands.
            const double t = std::clamp((0.86 - jas) / 0.4, 0.0, 1.0);
            auto slozka = [&](int a, int b) { return int(std::lround(jas * (a + (b - a) * t))); };
            obr.setPixel(px, py,
                         qRgb(slozka(vysociny.red(), more.red()), slozka(vysociny.green(), more.green()),
                              slozka(vysociny.blue(), more.blue())));
        }
    }
    return obr;
}

void zatmiRadek(QImage& obr, int y, int x1, int x2)
{
    if (y < 0 || y >= obr.height()) return;
    if (x1 > x2) std::swap(x1, x2);
    for (int x = std::max(x1, 0); x <= std::min(x2, obr.width() - 1); ++x)
        obr.setPixel(x, y, qRgb(0, 0, 0));
}

// Local sidereal time at 0 h zone time, in radians; `Z0` is the zone in days (west positive).
double hvezdnyUhel(double T, double Z0)
{
    const double T0 = T / 36525;
    const double L5 = delkaStupne() / 360.0;
    double S = 24110.5 + 8640184.813 * T0 + 86636.6 * Z0 + 86400 * L5;
    S = frac(S / 86400);
    return S * 360 * DR;
}

struct ObzorPozorovatele {
    double s, c; // sine and cosine of the latitude
    double z;    // the Sun's centre is at the horizon 0.833 deg below it: refraction and radius

    // Positive while the Sun is above the rise/set horizon.
    double vyska(double delta, double H) const
    {
        return s * std::sin(delta) + c * std::cos(delta) * std::cos(H) - z;
    }
};

ObzorPozorovatele obzorPozorovatele()
{
    const double fi = sirkaStupne() * DR;
    return {std::sin(fi), std::cos(fi), std::cos(90.833 * DR)};
}

// The altitude changes sign within hour `h`: a parabola through its values at
// the start, middle and end of the hour gives the minute of the crossing.
void zaznamenejPrechod(int h, double V0, double V1, double V2, CasySlunce& vysledek)
{
    const double A = 2 * V2 - 4 * V1 + 2 * V0;
    const double B = 4 * V1 - 3 * V0 - V2;
    double D = B * B - 4 * A * V0;
    if (D < 0) return;
    D = std::sqrt(D);
    double e = (-B + D) / (2 * A);
    if (e > 1 || e < 0) e = (-B - D) / (2 * A);
    const double T3 = h + e + 1 / 120.0; // half a minute rounds to the nearest
    if (V0 < 0 && V2 > 0) vysledek.vychod = casText(T3);
    if (V0 > 0 && V2 < 0) vysledek.zapad = casText(T3);
}

} // namespace

// ---- Sun ------------------------------------------------------------------

CasySlunce VychodZapadSlunce(int zona, DatumCas datum)
{
    const RozlozenyCas r = RozlozDatum(datum);
    // 0 h is half a day before the noon-based day number: the previous day's
    // number plus 0.5.
    const double J = julianskyDen(r.rok, r.mesic, r.den) - 1;
    const double F = 0.5;
    double T = (J - 2451545) + F;
    const double TT = T / 36525 + 1; // centuries from 1900
    const double Z0 = -zona / 24.0;
    const double theta0 = hvezdnyUhel(T, Z0);

    T += Z0;
    const PolohaSlunce p1 = slunceVanFlandern(T, TT);
    PolohaSlunce p2 = slunceVanFlandern(T + 1, TT);
    if (p2.rektascenze < p1.rektascenze) p2.rektascenze += 2 * kPi;

    const ObzorPozorovatele obzor = obzorPozorovatele();
    const double K1 = 15 * DR * 1.0027379;

    // Hour by hour, interpolating the Sun's position between the two days.
    CasySlunce vysledek;
    double a0 = p1.rektascenze, d0 = p1.deklinace;
    double V0 = 0;
    for (int h = 0; h < 24; ++h) {
        const double P = (h + 1) / 24.0;
        const double a2 = p1.rektascenze + P * (p2.rektascenze - p1.rektascenze);
        const double d2 = p1.deklinace + P * (p2.deklinace - p1.deklinace);
        const double L0 = theta0 + h * K1;
        const double L2 = L0 + K1;
        const double H0 = L0 - a0, H2 = L2 - a2;
        const double H1 = (H0 + H2) / 2, d1 = (d0 + d2) / 2;
        if (h == 0) V0 = obzor.vyska(d0, H0);
        const double V2 = obzor.vyska(d2, H2);
        if (znamenko(V0) != znamenko(V2)) zaznamenejPrechod(h, V0, obzor.vyska(d1, H1), V2, vysledek);
        a0 = a2;
        d0 = d2;
        V0 = V2;
    }
    return vysledek;
}

int ZonaSlunce(DatumCas datum)
{
    switch (StavLetnihoCasu(std::trunc(datum))) {
    case 1:
    case 4:
        return 1;
    case 2:
    case 3:
        return 2;
    default:
        return 0;
    }
}

// ---- Moon -----------------------------------------------------------------

double FazovyUhelMesice(DatumCas ut)
{
    // Dynamical time runs about a minute ahead of UT; the Moon moves 0.01°
    // in that time, which the picture cannot show.
    const double T = (spojiteDny(ut) + kJulianskyDenEpochy - 2451545.0) / 36525.0;
    const Ekliptika slunce = slunceMeeus(T);
    const Ekliptika mesic = mesicMeeus(T);

    const double elongace = stupne360(mesic.delka - slunce.delka);
    const double psi = std::acos(std::clamp(std::cos(mesic.sirka * DR) * std::cos(elongace * DR), -1.0, 1.0));
    double i =
        std::atan2(slunce.vzdalenost * std::sin(psi), mesic.vzdalenost - slunce.vzdalenost * std::cos(psi)) /
        DR;
    if (elongace > 180) i = -i;
    return stupne360(i);
}

QImage ObrazekUplnku()
{
    static const QImage obr = nakresliUplnek();
    return obr;
}

QImage KresliMesic(double fazovyUhel, bool poPristani)
{
    QImage obr = ObrazekUplnku();
    const double i = stupne360(fazovyUhel);
    const double cosI = std::cos(i * DR);
    const int c = kStredMesice.x(), cy = kStredMesice.y(), r = kPolomerMesice;
    for (int y = 0; y <= r; ++y) {
        const double l = std::sqrt(double(r * r - y * y));
        const int m = int(std::lround(l));
        const int t = int(std::lround(cosI * l));
        // The unlit side is on the left while the Moon waxes, on the right
        // while it wanes; the terminator sits at c -/+ t.
        const int x1 = i < 180 ? c - t : c + t;
        const int x2 = i < 180 ? c - m : c + m;
        zatmiRadek(obr, cy + y, x1, x2);
        zatmiRadek(obr, cy - y, x1, x2);
    }
    if (poPristani) obr.setPixel(kMistoPristani, qRgb(255, 0, 0));
    return obr;
}

DatumCas PristaniNaMesici()
{
    return ZakodujDatumCas(1969, 7, 20, 20, 17, 43);
}

QImage ObrazekMesice(DatumCas okamzik)
{
    // An hour back from local time is UT or, in summer time, already past the
    // switch, which is what PosunOdUTC needs to know.
    const DatumCas ut = okamzik - PosunOdUTC(okamzik - 1 / 24.0) / 24.0;
    return KresliMesic(FazovyUhelMesice(ut), okamzik > PristaniNaMesici());
}

// ---- Name days ------------------------------------------------------------

namespace
{

// The whole table, read once per connection: it never changes while the program runs.
struct Jmeniny {
    const void* spojeni = nullptr;
    QHash<int, QString> dny; // month * 100 + day
    int cteni = 0;
};

Jmeniny& jmeniny()
{
    static Jmeniny j;
    return j;
}

} // namespace

QString SvatkyDne(DatumCas datum)
{
    TSQLDATA& db = SQLDATA();
    Jmeniny& j = jmeniny();
    if (j.spojeni != db.attachment() || !db.attachment()) {
        QHash<int, QString> dny;
        db.OtevriDotaz(QStringLiteral("Select mesic, den, jmeno from svatky_jmena;"));
        fb::Cursor& c = db.cursor();
        while (c.next()) {
            QString& jmena = dny[c.text(0).toInt() * 100 + c.text(1).toInt()];
            if (!jmena.isEmpty()) jmena += QStringLiteral(", ");
            jmena += c.text(2);
        }
        c.close();
        j.dny = std::move(dny);
        j.spojeni = db.attachment();
        ++j.cteni;
    }
    const RozlozenyCas r = RozlozDatum(datum);
    const QString jmena = j.dny.value(r.mesic * 100 + r.den);
    return jmena.isEmpty() ? QStringLiteral("-") : jmena;
}

int CteniSvatku()
{
    return jmeniny().cteni;
}
