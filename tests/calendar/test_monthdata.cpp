#include "calendar/monthdata.h"
#include "calendar/monthgrid.h"
#include "common/action.h"
#include "kalendar_db.h"

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
                EXPECT_EQ(data.dotazu(), 2);
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
                  "and ((ku.f_cist is null) or (ku.f_cist=0) or (ku.f_cist in (3,7))) group by datum;"));
    EXPECT_TRUE(DataMesice::DotazUdalostiRozsahu(QStringLiteral("1"), false, ZakodujDatum(2004, 4, 26),
                                                 ZakodujDatum(2004, 5, 30))
                    .startsWith(QStringLiteral(
                        "Select distinct ku.ku_id,ku_c_kat_barva,NAZEV,CAS_OD,ku.datum from ku ")));
}

} // namespace
