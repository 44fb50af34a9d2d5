#include "calendar/datamesice.h"
#include "calendar/mesicnimrizka.h"
#include "calendar/volnycas.h"
#include "common/action.h"
#include "kalendar_db.h"
#include "records/vyskyty.h"

#include <gtest/gtest.h>

namespace
{

using kalendar::KalendarDb;
using kalendar::Skupiny;

class DataMesiceTest : public KalendarDb
{
protected:
    static void SetUpTestSuite() { KalendarDb::SetUpTestSuite(); }
};

// The per-day line splits names with commas; the range loader keeps them
// whole. Everything else must be equal.
void expectSameDay(const DenKalendare& mine, const DenKalendare& ref, const QString& where)
{
    static const QHash<QString, std::pair<QString, QString>> carky = {
        {QStringLiteral("4"), {QStringLiteral("Servis, STK"), QStringLiteral("10:00")}},
        {QStringLiteral("7"), {QStringLiteral("Schůzka, porada, oběd"), QStringLiteral("12:00")}},
    };
    EXPECT_EQ(mine.pocet, ref.pocet) << where.toStdString();
    ASSERT_EQ(mine.udalosti.size(), ref.udalosti.size()) << where.toStdString();
    for (qsizetype i = 0; i < mine.udalosti.size(); ++i) {
        const UdalostDne& m = mine.udalosti.at(i);
        const UdalostDne& r = ref.udalosti.at(i);
        EXPECT_EQ(m.id, r.id) << where.toStdString();
        EXPECT_EQ(m.barva, r.barva) << where.toStdString();
        if (carky.contains(m.id)) {
            EXPECT_EQ(m.nazev, carky[m.id].first);
            EXPECT_EQ(m.cas(), carky[m.id].second);
            EXPECT_NE(r.nazev, m.nazev); // the per-day line cuts it
        } else {
            EXPECT_EQ(m.text(), r.text()) << where.toStdString();
            EXPECT_EQ(m.barvaTextu(), r.barvaTextu());
        }
    }
}

TEST_F(DataMesiceTest, RangeGivesWhatThePerDayQueriesGive)
{
    const MesicniMrizka m(ZakodujDatum(2004, 5, 1));
    int daysWithLines = 0;
    for (const QString& groups : {QString(), QStringLiteral("5"), QStringLiteral("6,7")}) {
        Skupiny g(groups);
        for (const QString& filtr : {QString(), QStringLiteral("0"), QStringLiteral("1"),
                                     QStringLiteral("2,3"), QStringLiteral("1,2,3")}) {
            for (const bool jenHlavni : {true, false}) {
                DataMesice data;
                data.nacti(db(), filtr, jenHlavni, m.prvniDen(), m.posledniDen());
                EXPECT_EQ(data.dotazu(), 3); // counts, lines, series
                for (DatumCas den = m.prvniDen() - 1; den <= m.posledniDen() + 1; den += 1) {
                    const QString where = QStringLiteral("%1 groups=%2 filter=%3 main=%4")
                                              .arg(DatumNaText(4, den), groups, filtr)
                                              .arg(jenHlavni);
                    const DenKalendare ref = NactiDenDotazy(db(), filtr, jenHlavni, den);
                    if (data.nacteno(den)) {
                        expectSameDay(data.den(den), ref, where);
                        daysWithLines += ref.udalosti.isEmpty() ? 0 : 1;
                    } else {
                        // Days outside the read range are empty, not borrowed.
                        EXPECT_EQ(data.den(den), DenKalendare{}) << where.toStdString();
                    }
                }
            }
        }
    }
    EXPECT_GT(daysWithLines, 60); // the cases above really show events
}

// A busy day beside the small calendar: equal start times sorted by name (in
// Czech order: "Ch" after "H"), one without a start, mixed rights and
// categories, an event in two categories.
class MesicSLimitem : public KalendarDb
{
protected:
    static void SetUpTestSuite()
    {
        KalendarDb::SetUpTestSuite();
        struct E {
            int id;
            const char* cas;
            const char* nazev;
            const char* cist;
            QList<int> kat;
        };
        const E events[] = {
            {101, "12.5.2004 9:00", "Bod", "NULL", {1}},     {102, "12.5.2004 9:00", "Akce", "0", {2, -1}},
            {103, "12.5.2004", "Ráno", "NULL", {}},          {104, "12.5.2004 7:00", "Tajné", "5", {3}},
            {105, "12.5.2004 18:00", "Večer", "NULL", {-3}}, {106, "12.5.2004 12:00", "Oběd", "6", {1, -2}},
            {107, "12.5.2004 12:00", "Oběd 2", "NULL", {2}}, {108, "12.5.2004 23:00", "Noc", "NULL", {3, -1}},
            {109, "12.5.2004 9:00", "Chata", "NULL", {1}},   {110, "12.5.2004 9:00", "Hrad", "NULL", {}},
            {111, nullptr, "Bez začátku", "NULL", {2}},
        };
        for (const E& e : events) {
            exec(QStringLiteral(
                     "insert into KU (KU_ID, DATUM, CAS_OD, NAZEV, F_CIST) values (%1, \"12.5.2004\", "
                     "%2, \"%3\", %4)")
                     .arg(e.id)
                     .arg(e.cas ? QStringLiteral("\"%1\"").arg(QLatin1String(e.cas)) : QStringLiteral("NULL"),
                          QString::fromUtf8(e.nazev), QLatin1String(e.cist)));
            for (int k : e.kat)
                exec(QStringLiteral("insert into KU_KAT (KU_ID, KU_C_KAT_ID, HLAVNI) values (%1, %2, %3)")
                         .arg(e.id)
                         .arg(std::abs(k))
                         .arg(k > 0 ? 1 : 0));
        }
        s_db->ObnovTransakci();
    }
};

TEST_F(MesicSLimitem, FirstLinesOfEachDayGiveTheCellsCountsMarksAndClicksOfTheFullRead)
{
    const MesicniMrizka m(ZakodujDatum(2004, 5, 1));
    // Row heights and the lines a refresh reads for them: none fits in 20
    // pixels, yet the first line's band can be clicked.
    const std::pair<int, int> vysky[] = {{20, 1}, {24, 2}, {37, 3}, {50, 4}, {63, 5}};
    int cutDays = 0;
    for (const QString& groups : {QString(), QStringLiteral("5"), QStringLiteral("6,7")}) {
        Skupiny g(groups);
        for (const QString& filtr : {QString(), QStringLiteral("0"), QStringLiteral("1"),
                                     QStringLiteral("2,3"), QStringLiteral("1,2,3")}) {
            for (const bool jenHlavni : {true, false}) {
                DataMesice full;
                full.nacti(db(), filtr, jenHlavni, m.prvniDen(), m.posledniDen());
                for (const auto& [h, limit] : vysky) {
                    MesicniMrizka mm(ZakodujDatum(2004, 5, 1));
                    mm.nastavVyskuRadku(1, h);
                    for (int r = 2; r <= mm.tydny(); ++r)
                        mm.nastavVyskuRadku(r, 20);
                    ASSERT_EQ(mm.radkuNaDen(), limit);
                    DataMesice cut;
                    cut.nacti(db(), filtr, jenHlavni, m.prvniDen(), m.posledniDen(), limit);
                    EXPECT_EQ(cut.dotazu(), 2); // the first lines, series
                    for (DatumCas den = m.prvniDen(); den <= m.posledniDen(); den += 1) {
                        const QString where = QStringLiteral("%1 groups=%2 filter=%3 main=%4 h=%5")
                                                  .arg(DatumNaText(4, den), groups, filtr)
                                                  .arg(jenHlavni)
                                                  .arg(h);
                        const DenKalendare& a = cut.den(den);
                        const DenKalendare& b = full.den(den);
                        const int n = int(b.udalosti.size());
                        ASSERT_EQ(a.pocet > 0, b.pocet > 0) << where.toStdString();
                        ASSERT_EQ(a.radku, std::min(n, limit)) << where.toStdString();
                        ASSERT_EQ(a.udalosti, b.udalosti.mid(0, limit)) << where.toStdString();
                        cutDays += n > limit ? 1 : 0;
                        // The "more events" bar and every click in the cell.
                        EXPECT_EQ(radkyDne::viditelne(a.radku, h) < a.radku, radkyDne::viditelne(n, h) < n)
                            << where.toStdString();
                        for (int y = 0; y < h; ++y) {
                            const CilKliku ca = VyhodnotKlik(a.pocet, a.radku, y);
                            ASSERT_EQ(ca, VyhodnotKlik(b.pocet, n, y)) << where.toStdString() << " y=" << y;
                            if (ca.druh == CilKliku::UpravitUdalost) {
                                ASSERT_LE(ca.radek, a.udalosti.size()) << where.toStdString() << " y=" << y;
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(cutDays, 50); // the limits really cut days short
}

TEST_F(DataMesiceTest, SpotChecks)
{
    const MesicniMrizka m(ZakodujDatum(2004, 5, 1));
    DataMesice data;
    {
        Skupiny g(QStringLiteral("9"));
        data.nacti(db(), QStringLiteral("1,2,3"), true, m.prvniDen(), m.posledniDen());
    }
    const DenKalendare& d3 = data.den(ZakodujDatum(2004, 5, 3));
    ASSERT_EQ(d3.udalosti.size(), 4);
    EXPECT_EQ(d3.udalosti.at(0).text(), QStringLiteral(" Celý den")); // midnight start: no time
    EXPECT_EQ(d3.udalosti.at(1).text(), QStringLiteral("8:00 Porada"));
    EXPECT_EQ(d3.udalosti.at(1).barvaTextu(), QColor(255, 0, 0));
    EXPECT_EQ(d3.udalosti.at(0).barvaTextu(), QColor(Qt::black));
    EXPECT_EQ(d3.udalosti.at(3).text(), QStringLiteral("10:00 Servis, STK"));
    EXPECT_EQ(d3.udalosti.at(3).barvaTextu(), QColor(0, 0, 255));
    // Rights: 5 and 7 are for other groups; 6 has no main category.
    EXPECT_EQ(data.den(ZakodujDatum(2004, 5, 4)).pocet, 1);
    EXPECT_EQ(data.den(ZakodujDatum(2004, 5, 5)).pocet, 0);
    // A DATUM with a time of day belongs to no day, as with the per-day statement.
    EXPECT_EQ(data.den(ZakodujDatum(2004, 5, 2)).pocet, 0);
    EXPECT_EQ(data.den(ZakodujDatum(2004, 5, 31)), DenKalendare{});
}

TEST_F(DataMesiceTest, FilterMustBeIds)
{
    DataMesice data;
    for (const char* bad : {"1) or (1=1", "1,", " 1", "1;2"})
        EXPECT_THROW(
            data.nacti(db(), QLatin1String(bad), true, ZakodujDatum(2004, 5, 1), ZakodujDatum(2004, 5, 2)),
            ActionError)
            << bad;
    EXPECT_EQ(data.dotazu(), 0);
}

TEST_F(DataMesiceTest, Statements)
{
    Skupiny g(QStringLiteral("3,7"));
    EXPECT_EQ(DataMesice::DotazPoctu(ZakodujDatum(2004, 4, 26), ZakodujDatum(2004, 5, 30)),
              QStringLiteral(
                  "Select datum, count(*) from KU where (datum>=\"26.4.2004\") and (datum<=\"30.5.2004\")  "
                  "and (ku.opakovani is null) and (ku.zruseno is null or ku.zruseno=0)  "
                  "and ((ku.f_cist is null) or (ku.f_cist=0) or (ku.f_cist in (3,7))) group by datum;"));
    EXPECT_TRUE(DataMesice::DotazUdalostiRozsahu(QStringLiteral("1"), false, ZakodujDatum(2004, 4, 26),
                                                 ZakodujDatum(2004, 5, 30))
                    .startsWith(QStringLiteral(
                        "Select distinct ku.ku_id,ku_c_kat_barva,NAZEV,CAS_OD,ku.datum from ku ")));
}

} // namespace

namespace
{

class MesicSeSeriemi : public KalendarDb
{
protected:
    static void SetUpTestSuite()
    {
        KalendarDb::SetUpTestSuite();
        const char* sloupce = "ku_id, datum, cas_od, cas_do, nazev, opakovani, vynechane, konec_opakovani, "
                              "serie_id, puvodni_vyskyt, zruseno";
        // A weekly meeting from 4 January 2027 without its 1 February, the 11th
        // moved to Tuesday 10:00, the 18th cancelled; two single events around
        // its first start.
        for (const QString& v :
             {QStringLiteral(
                  "900, '4.1.2027', '4.1.2027 8:30', '4.1.2027 9:30', 'Porada', 'FREQ=WEEKLY;BYDAY=MO', "
                  "'20270201T083000', '31.12.9999', null, null, null"),
              QStringLiteral(
                  "901, '12.1.2027', '12.1.2027 10:00', '12.1.2027 11:00', 'Porada', null, null, null, "
                  "900, '11.1.2027 8:30', null"),
              QStringLiteral(
                  "902, '18.1.2027', '18.1.2027 8:30', '18.1.2027 9:30', 'Porada', null, null, null, "
                  "900, '18.1.2027 8:30', 1"),
              QStringLiteral(
                  "903, '4.1.2027', '4.1.2027 8:00', null, 'Dřív', null, null, null, null, null, null"),
              QStringLiteral(
                  "904, '4.1.2027', '4.1.2027 9:00', null, 'Potom', null, null, null, null, null, null"),
              QStringLiteral("905, '20.1.2027', '20.1.2027', '20.1.2027', 'Dovolená', null, null, null, "
                             "null, null, null")})
            exec(QStringLiteral("insert into ku (%1) values (%2)").arg(QLatin1String(sloupce), v));
        // A holiday from Wednesday to Friday.
        exec(QStringLiteral("update ku set cely_den=1, datum_do='22.1.2027' where ku_id=905"));
    }
    static void TearDownTestSuite()
    {
        exec(QStringLiteral("delete from ku where ku_id>=900"));
        KalendarDb::TearDownTestSuite();
    }

    static QStringList radky(const DataMesice& d, int rok, int mesic, int den)
    {
        QStringList out;
        for (const UdalostDne& u : d.den(ZakodujDatum(rok, mesic, den)).udalosti)
            out << u.id + QLatin1Char(' ') + u.text();
        return out;
    }
};

} // namespace

// The month shows a series on each of its days, in the day's order, without
// its excluded, moved and cancelled occurrences; a cell's limit keeps the first lines.
TEST_F(MesicSeSeriemi, SeriesShowOnEveryDayOfTheirRule)
{
    const MesicniMrizka m(ZakodujDatum(2027, 1, 1));
    DataMesice d;
    d.nacti(db(), QString(), true, m.prvniDen(), m.posledniDen());
    EXPECT_EQ(radky(d, 2027, 1, 4),
              (QStringList{"903 8:00 Dřív", "900 8:30 \u21bb Porada", "904 9:00 Potom"}));
    EXPECT_EQ(radky(d, 2027, 1, 11), QStringList());
    EXPECT_EQ(radky(d, 2027, 1, 12), QStringList{"901 10:00 Porada"});
    EXPECT_EQ(radky(d, 2027, 1, 18), QStringList());
    EXPECT_EQ(radky(d, 2027, 1, 25), QStringList{"900 8:30 \u21bb Porada"});
    EXPECT_EQ(radky(d, 2027, 2, 1), QStringList());
    EXPECT_EQ(radky(d, 2027, 2, 8), QStringList()) << "beyond the weeks read";
    EXPECT_EQ(d.den(ZakodujDatum(2027, 1, 4)).pocet, 3);
    // An occurrence carries its start for the editor; a row of its own does not.
    EXPECT_EQ(d.den(ZakodujDatum(2027, 1, 25)).udalosti.value(0).vyskyt, QStringLiteral("202701250830"));
    EXPECT_EQ(VyskytZKlice(202701250830), QDateTime(QDate(2027, 1, 25), QTime(8, 30)));
    EXPECT_EQ(d.den(ZakodujDatum(2027, 1, 12)).udalosti.value(0).vyskyt, QString());
    // A holiday over several days is on each of them.
    for (int den : {20, 21, 22})
        EXPECT_EQ(radky(d, 2027, 1, den), QStringList{"905  Dovolená"}) << den;
    EXPECT_EQ(radky(d, 2027, 1, 23), QStringList());

    DataMesice cut;
    cut.nacti(db(), QString(), true, m.prvniDen(), m.posledniDen(), 2);
    EXPECT_EQ(radky(cut, 2027, 1, 4), (QStringList{"903 8:00 Dřív", "900 8:30 \u21bb Porada"}));
    EXPECT_EQ(radky(cut, 2027, 1, 25), QStringList{"900 8:30 \u21bb Porada"});
}

// The date-range list shows the series' occurrences among the single events.
TEST_F(MesicSeSeriemi, DateRangeListShowsTheOccurrences)
{
    QStringList radkySeznamu;
    for (const RadekSeznamu& r :
         NactiSeznam(db(), QString(), true, ZakodujDatum(2027, 1, 4), ZakodujDatum(2027, 1, 25), false))
        radkySeznamu << r.id + QLatin1Char(' ') + r.zacatek + QLatin1Char(' ') + r.nazev +
                            (r.vyskyt.isEmpty() ? QString() : QLatin1Char(' ') + r.vyskyt);
    EXPECT_EQ(radkySeznamu,
              (QStringList{"903 4.1.2027 8:00:00 Dřív", "900 4.1.2027 8:30:00 Porada 202701040830",
                           "904 4.1.2027 9:00:00 Potom", "901 12.1.2027 10:00:00 Porada",
                           "905 20.1.2027 Dovolená", "905 21.1.2027 Dovolená", "905 22.1.2027 Dovolená",
                           "900 25.1.2027 8:30:00 Porada 202701250830"}));
}

// A series changed since the last refresh is expanded anew (the view keeps
// expansions of unchanged series between refreshes).
TEST_F(MesicSeSeriemi, AChangedSeriesIsExpandedAnew)
{
    const MesicniMrizka m(ZakodujDatum(2027, 1, 1));
    DataMesice d;
    d.nacti(db(), QString(), true, m.prvniDen(), m.posledniDen());
    EXPECT_EQ(radky(d, 2027, 1, 25), QStringList{"900 8:30 \u21bb Porada"});
    exec(QStringLiteral("update ku set opakovani='FREQ=WEEKLY;BYDAY=TU' where ku_id=900"));
    d.nacti(db(), QString(), true, m.prvniDen(), m.posledniDen());
    EXPECT_EQ(radky(d, 2027, 1, 25), QStringList());
    EXPECT_EQ(radky(d, 2027, 1, 26), QStringList{"900 8:30 \u21bb Porada"});
    // A new changed occurrence leaves its original start out.
    exec(QStringLiteral("insert into ku (ku_id, datum, cas_od, nazev, serie_id, puvodni_vyskyt) values (906, "
                        "'27.1.2027', '27.1.2027 8:30', 'Porada', 900, '26.1.2027 8:30')"));
    d.nacti(db(), QString(), true, m.prvniDen(), m.posledniDen());
    EXPECT_EQ(radky(d, 2027, 1, 26), QStringList());
    EXPECT_EQ(radky(d, 2027, 1, 27), QStringList{"906 8:30 Porada"});
    exec(QStringLiteral("delete from ku where ku_id=906"));
    exec(QStringLiteral("update ku set opakovani='FREQ=WEEKLY;BYDAY=MO' where ku_id=900"));
}
