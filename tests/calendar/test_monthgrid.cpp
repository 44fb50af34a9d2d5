#include "calendar/mesicnimrizka.h"
#include "calendar/volnycas.h"

#include <gtest/gtest.h>

namespace
{

DatumCas d(int y, int m, int day)
{
    return ZakodujDatum(y, m, day);
}

TEST(MesicniMrizka, FirstRowOfMay2004)
{
    const MesicniMrizka m(d(2004, 5, 17));
    EXPECT_EQ(m.kotva(), d(2004, 5, 1));
    EXPECT_EQ(m.prvniDen(), d(2004, 4, 26));
    EXPECT_EQ(m.cisloTydne(1), 18);
    EXPECT_EQ(m.datumBunky(6, 1), d(2004, 5, 1)); // Saturday
    EXPECT_EQ(m.datumBunky(1, 2), d(2004, 5, 3));
    EXPECT_EQ(m.posledniDen(), d(2004, 5, 30));
    EXPECT_EQ(m.klicBunky(7, 1), 20040502);
    EXPECT_EQ(m.klicBunky(0, 1), 0);
    EXPECT_EQ(m.klicBunky(3, 0), 0);
}

TEST(MesicniMrizka, WeekNumberAcrossTheYear)
{
    MesicniMrizka m(d(2004, 12, 20));
    m.setKotva(d(2004, 12, 27));
    EXPECT_EQ(m.cisloTydne(1), 53); // 2004 has 53 ISO weeks
    EXPECT_EQ(m.cisloTydne(2), 1);
}

TEST(MesicniMrizka, NavigationByWeeksAndMonths)
{
    MesicniMrizka m(d(2004, 5, 1));
    for (int i = 0; i < 4; ++i)
        m.predchoziTyden();
    EXPECT_EQ(m.kotva(), d(2004, 4, 3));
    m.predchoziMesic();
    EXPECT_EQ(m.kotva(), d(2004, 3, 3));
    m.dalsiMesic();
    m.dalsiMesic();
    EXPECT_EQ(m.kotva(), d(2004, 5, 3));
    m.dalsiTyden();
    EXPECT_EQ(m.kotva(), d(2004, 5, 10));

    // The day of month is clamped to a shorter month and stays clamped.
    m.setKotva(d(2004, 3, 31));
    m.dalsiMesic();
    EXPECT_EQ(m.kotva(), d(2004, 4, 30));
    m.predchoziMesic();
    EXPECT_EQ(m.kotva(), d(2004, 3, 30));
    m.setKotva(d(2004, 3, 31));
    m.predchoziMesic();
    EXPECT_EQ(m.kotva(), d(2004, 2, 29));

    m.aktualniMesic(d(2005, 1, 19));
    EXPECT_EQ(m.kotva(), d(2005, 1, 1));
}

TEST(MesicniMrizka, MinusStopsAtOneWeekPlusHasNoLimit)
{
    MesicniMrizka m(d(2004, 5, 1));
    EXPECT_EQ(m.tydny(), 5);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(m.uberTyden());
    EXPECT_EQ(m.radku(), 2);
    EXPECT_FALSE(m.uberTyden());
    EXPECT_EQ(m.tydny(), 1);
    for (int i = 0; i < 60; ++i)
        m.pridejTyden();
    EXPECT_EQ(m.tydny(), 61);
    EXPECT_EQ(m.posledniDen(), m.prvniDen() + 61 * 7 - 1);
}

TEST(MesicniMrizka, LayoutAndHitTestAgree)
{
    MesicniMrizka m(d(2004, 5, 1));
    m.rozvrhni(820, 267); // 6 grid rows
    EXPECT_EQ(m.vyskaRadku(), (267 + 20) / 6 - 1);
    EXPECT_EQ(m.sirkaSloupce(), (820 - 20) / 8);
    EXPECT_EQ(m.bunka(0, 0).height(), 20);
    for (int r = 0; r <= m.tydny(); ++r)
        for (int s = 0; s < 8; ++s) {
            const QRect c = m.bunka(s, r);
            for (const QPoint p : {c.topLeft(), c.bottomRight(), c.center()}) {
                int hs = -1, hr = -1;
                ASSERT_TRUE(m.bunkaNaBode(p, hs, hr));
                EXPECT_EQ(hs, s);
                EXPECT_EQ(hr, r);
            }
        }
    int s = 0, r = 0;
    EXPECT_FALSE(m.bunkaNaBode(m.bunka(7, 5).bottomRight() + QPoint(0, 3), s, r));
}

TEST(MesicniMrizka, DraggedSizesLastUntilTheNextLayout)
{
    MesicniMrizka m(d(2004, 5, 1));
    m.rozvrhni(820, 267);
    const QRect puvodni = m.bunka(3, 3);
    EXPECT_EQ(m.hranaSloupce(QPoint(puvodni.left() - 1, 5)), 2); // border left of column 3, in the header
    EXPECT_EQ(m.hranaSloupce(QPoint(puvodni.left() - 1, 30)), -1);
    EXPECT_EQ(m.hranaRadku(QPoint(5, puvodni.top() - 1)), 2);
    EXPECT_EQ(m.hranaRadku(QPoint(200, puvodni.top() - 1)), -1);

    m.nastavVyskuRadku(2, 60);
    m.nastavSirkuSloupce(1, 30);
    const QRect c = m.bunka(3, 3);
    EXPECT_EQ(c.top(), puvodni.top() + 60 - m.vyskaRadku());
    EXPECT_EQ(c.left(), puvodni.left() + 30 - m.sirkaSloupce());
    EXPECT_EQ(m.bunka(2, 2).height(), 60);
    int s = 0, r = 0;
    ASSERT_TRUE(m.bunkaNaBode(c.topLeft(), s, r));
    EXPECT_EQ(QPoint(s, r), QPoint(3, 3));
    ASSERT_TRUE(m.bunkaNaBode(c.topLeft() - QPoint(1, 1), s, r));
    EXPECT_EQ(QPoint(s, r), QPoint(2, 2));

    m.rozvrhni(820, 267);
    EXPECT_EQ(m.bunka(3, 3), puvodni);
}

TEST(RadkyDne, TwoLinesFitAtRowHeight40)
{
    EXPECT_EQ(radkyDne::viditelne(3, 40), 2);
    EXPECT_EQ(radkyDne::viditelne(2, 40), 2);
    EXPECT_EQ(radkyDne::viditelne(2, 36), 1); // the second line needs 37
    EXPECT_EQ(radkyDne::viditelne(2, 37), 2);
    EXPECT_EQ(radkyDne::viditelne(1, 23), 0);
    EXPECT_EQ(radkyDne::horni(2), 27);
}

TEST(VyhodnotKlik, Geometry)
{
    using C = CilKliku;
    struct Case {
        int pocet, radku, y;
        C cil;
    } cases[] = {
        {0, 0, 0, {C::NovaUdalost, 0}}, // a day without events, date band included
        {0, 0, 30, {C::NovaUdalost, 0}},
        {2, 2, 0, {C::SeznamDne, 0}}, // date band
        {2, 2, 13, {C::SeznamDne, 0}},
        {2, 2, 14, {C::UpravitUdalost, 1}},
        {2, 2, 26, {C::UpravitUdalost, 1}},
        {2, 2, 27, {C::UpravitUdalost, 2}},
        {2, 2, 39, {C::UpravitUdalost, 2}},
        {2, 2, 40, {}},                     // exactly below the last line
        {2, 2, 41, {C::NovaUdalost, 0}},    // below the last line
        {5, 4, 60, {C::UpravitUdalost, 4}}, // a line hidden for lack of room still counts
        {3, 0, 5, {}},                      // every event hidden by the category filter
        {3, 0, 30, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VyhodnotKlik(c.pocet, c.radku, c.y), c.cil) << c.pocet << " " << c.radku << " y=" << c.y;
}

// ---- Free times -----------------------------------------------------------

const QString kHlavicka = QStringLiteral("KU,KU_C_KAT_BARVA,CAS_OD,NAZEV");

QStringList casy(const QStringList& radky)
{
    QStringList out;
    for (const RadekSeznamu& r : RozdelRadky(radky.mid(1)))
        out << (r.volnyCas() ? QString() : QStringLiteral("*")) + r.zacatek;
    return out;
}

TEST(VolneCasy, OneDay)
{
    QStringList radky{kHlavicka};
    VlozVolneCasy(radky, d(2004, 5, 1), d(2004, 5, 1));
    const QStringList c = casy(radky);
    ASSERT_EQ(c.size(), 36);
    EXPECT_EQ(c.first(), QStringLiteral("01.05.2004 01:00:00"));
    EXPECT_EQ(c.at(5), QStringLiteral("01.05.2004 06:00:00"));
    EXPECT_EQ(c.at(6), QStringLiteral("01.05.2004 06:30:00"));
    EXPECT_EQ(c.at(31), QStringLiteral("01.05.2004 19:00:00"));
    EXPECT_EQ(c.at(32), QStringLiteral("01.05.2004 20:00:00"));
    EXPECT_EQ(c.last(), QStringLiteral("01.05.2004 23:00:00"));
    EXPECT_EQ(radky.at(1), QStringLiteral("0,0,\"01.05.2004 01:00:00\",,,"));
}

TEST(VolneCasy, LongerRangeEndsWithMidnightOfEachDay)
{
    QStringList radky{kHlavicka};
    VlozVolneCasy(radky, d(2004, 2, 28), d(2004, 3, 1));
    const QStringList c = casy(radky);
    ASSERT_EQ(c.size(), 37 + 37 + 36);
    EXPECT_EQ(c.at(36), QStringLiteral("29.02.2004 00:00:00"));
    EXPECT_EQ(c.at(73), QStringLiteral("01.03.2004 00:00:00"));
    EXPECT_EQ(c.last(), QStringLiteral("01.03.2004 23:00:00"));
}

TEST(VolneCasy, EventsReplaceOrStandBetween)
{
    QStringList radky{kHlavicka, QStringLiteral("7,255,\"1.5.2004 8:00:00\",Porada"),
                      QStringLiteral("8,,\"1.5.2004 8:10:00\",\"Káva, dort\""),
                      QStringLiteral("9,,1.5.2004,Celý den")};
    // Rows arrive sorted by start; the midnight event comes first.
    radky.move(3, 1);
    VlozVolneCasy(radky, d(2004, 5, 1), d(2004, 5, 1));
    const QStringList c = casy(radky);
    ASSERT_EQ(c.size(), 3 + 35);
    EXPECT_EQ(c.at(0), QStringLiteral("*1.5.2004"));
    const qsizetype i = c.indexOf(QStringLiteral("*1.5.2004 8:00:00"));
    ASSERT_GT(i, 0);
    EXPECT_EQ(c.at(i - 1), QStringLiteral("01.05.2004 07:30:00"));
    EXPECT_EQ(c.at(i + 1), QStringLiteral("*1.5.2004 8:10:00"));
    EXPECT_EQ(c.at(i + 2), QStringLiteral("01.05.2004 08:30:00"));
    EXPECT_FALSE(c.contains(QStringLiteral("01.05.2004 08:00:00")));
    EXPECT_EQ(RozdelRadky({radky.at(int(i) + 2)}).first().nazev, QStringLiteral("Káva, dort"));
}

TEST(VolneCasy, ReversedRangeInsertsNothing)
{
    QStringList radky{kHlavicka};
    VlozVolneCasy(radky, d(2004, 5, 2), d(2004, 5, 1));
    EXPECT_EQ(radky.size(), 1);
}

TEST(VolneCasy, EventWithoutStartDoesNotStopTheWalk)
{
    QStringList radky{kHlavicka, QStringLiteral("5,,,Bez začátku")};
    VlozVolneCasy(radky, d(2004, 5, 1), d(2004, 5, 1));
    EXPECT_EQ(radky.size(), 1 + 1 + 36);
    EXPECT_EQ(radky.at(1), QStringLiteral("5,,,Bez začátku"));
}

} // namespace
