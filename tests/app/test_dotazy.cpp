#include "app/prehledy.h"
#include "calendar/dotazy.h"
#include "common/session.h"
#include "data/dberror.h"
#include "fixtures/session_groups.h"
#include "fixtures/testdb.h"
#include "overview/gridquery.h"
#include "records/pravazaznamu.h"
#include "records/seznamy.h"

namespace
{

using Groups = SessionGroups;

TEST(Dotazy, EventStatementsAreExact)
{
    Groups g(QStringLiteral("3,7"));
    EXPECT_EQ(dotazy::DotazUdalosti(QStringLiteral("ku.ku_id"), QStringLiteral("2,5"), true,
                                    QStringLiteral("1.5.2004"), QStringLiteral("1.5.2004")),
              QStringLiteral(
                  "Select ku.ku_id from ku left join ku_kat on (ku.ku_id=ku_kat.ku_id) and (ku_kat.hlavni=1)"
                  "left join ku_c_kat on (ku_kat.ku_c_kat_id=ku_c_kat.ku_c_kat_id) where  "
                  "(ku.datum=\"1.5.2004\")  and (ku.opakovani is null) and (ku.zruseno is null or "
                  "ku.zruseno=0) and ((ku_c_kat.ku_c_kat_id is null) or (ku_c_kat.ku_c_kat_id in "
                  "(2,5)))  and ((ku.f_cist is null) or (ku.f_cist=0) or (ku.f_cist in (3,7))) order by "
                  "CAS_OD,NAZEV;"));
    EXPECT_EQ(dotazy::DotazUdalosti(QStringLiteral("ku.ku_id"), QString(), false, QStringLiteral("1.5.2004"),
                                    QStringLiteral("7.5.2004"))
                  .toStdString(),
              QStringLiteral(
                  "Select distinct ku.ku_id from ku left join ku_kat ku_kat1 on (ku.ku_id=ku_kat1.ku_id) "
                  "left join ku_kat ku_kat2 on (ku.ku_id=ku_kat2.ku_id) and (ku_kat2.hlavni=1)left join "
                  "ku_c_kat on (ku_kat2.ku_c_kat_id=ku_c_kat.ku_c_kat_id) where  ((ku.datum>=\"1.5.2004\") "
                  "and  (ku.datum<=\"7.5.2004\"))  and (ku.opakovani is null) and (ku.zruseno is null or "
                  "ku.zruseno=0)   and ((ku.f_cist is null) or (ku.f_cist=0) or "
                  "(ku.f_cist in (3,7))) order by CAS_OD,NAZEV;")
                  .toStdString());
}

TEST(Dotazy, TaskAndAddressJoins)
{
    Groups none{QString()};
    EXPECT_EQ(seznamy::DotazUkoly(QStringLiteral("1"), true),
              QStringLiteral(
                  " left join ukoly_kat on (ukoly.ukoly_id=ukoly_kat.ukoly_id) and (ukoly_kat.hlavni=1) left "
                  "join ku_c_kat on (ukoly_kat.ku_c_kat_id=ku_c_kat.ku_c_kat_id) where  "
                  "((ku_c_kat.ku_c_kat_id is null) or (ku_c_kat.ku_c_kat_id in (1))) "));
    Groups g(QStringLiteral("4"));
    EXPECT_EQ(
        seznamy::DotazAdresar(QStringLiteral("0"), true),
        QStringLiteral(
            "left join adresar_zakl_kat on (adresar_zakl.adresar_zakl_id=adresar_zakl_kat.adresar_zakl_id) "
            "and (adresar_zakl_kat.hlavni=1) left join adresar_c_kat on "
            "(adresar_zakl_kat.adresar_c_kat_id=adresar_c_kat.adresar_c_kat_id)  where "
            "((adresar_zakl_kat.adresar_c_kat_id is null) or (adresar_zakl_kat.adresar_c_kat_id in "
            "(0))) and  ((adresar_zakl.f_cist is null) or (adresar_zakl.f_cist=0) or "
            "(adresar_zakl.f_cist in (4)))"));
    EXPECT_TRUE(
        seznamy::DotazAdresar(QStringLiteral("0"), false)
            .endsWith(QStringLiteral("in (0))) and ((adresar_zakl.f_cist is null) or (adresar_zakl.f_cist=0) "
                                     "or (adresar_zakl.f_cist in (4)))")));
}

class DotazyDb : public DbTest
{
protected:
    static void SetUpTestSuite()
    {
        DbTest::SetUpTestSuite();
        // Event 1 in categories 2 (main) and 5; event 2 without category; event 3 main 5, readable by group 9
        // only.
        for (const char* sql :
             {"insert into KU_C_KAT (KU_C_KAT_ID, KU_C_KAT_NAZEV, KU_C_KAT_BARVA) values (2, \"Dva\", 255)",
              "insert into KU_C_KAT (KU_C_KAT_ID, KU_C_KAT_NAZEV, KU_C_KAT_BARVA) values (5, \"Pět\", 65280)",
              "insert into KU (KU_ID, DATUM, CAS_OD, NAZEV) values (1, \"1.5.2004\", \"1.5.2004 8:00\", \"A, "
              "b\")",
              "insert into KU (KU_ID, DATUM, CAS_OD, NAZEV) values (2, \"1.5.2004\", \"1.5.2004 9:00\", "
              "\"Bez\")",
              "insert into KU (KU_ID, DATUM, CAS_OD, NAZEV, F_CIST) values (3, \"1.5.2004\", \"1.5.2004 "
              "10:00\", "
              "\"Tajné\", 9)",
              "insert into KU_KAT (KU_ID, KU_C_KAT_ID, HLAVNI) values (1, 2, 1)",
              "insert into KU_KAT (KU_ID, KU_C_KAT_ID, HLAVNI) values (1, 5, 0)",
              "insert into KU_KAT (KU_ID, KU_C_KAT_ID, HLAVNI) values (3, 5, 1)"})
            exec(QString::fromUtf8(sql));
    }
    QString ids(const QString& filter, bool mainOnly)
    {
        return db().VratSloupec(dotazy::DotazUdalosti(QStringLiteral("ku.ku_id, CAS_OD, NAZEV"), filter,
                                                      mainOnly, QStringLiteral("1.5.2004"),
                                                      QStringLiteral("1.5.2004")),
                                QStringLiteral(","));
    }
};

TEST_F(DotazyDb, CategoryMatching)
{
    Groups none{QString()};
    const struct {
        const char* filter;
        bool mainOnly;
        const char* expected;
    } cases[] = {
        {"2,5", false, "1,2,3"}, {"5", false, "1,2,3"}, {"5", true, "2,3"},
        {"0", false, "2"},       {"0", true, "2"},      {"2", true, "1,2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ids(QString::fromLatin1(c.filter), c.mainOnly), QString::fromLatin1(c.expected))
            << c.filter << " main only " << c.mainOnly;
    EXPECT_EQ(dotazy::PocetUdalosti(db(), QStringLiteral("1.5.2004")), 3);
    Groups g(QStringLiteral("4"));
    EXPECT_EQ(ids(QStringLiteral("2,5"), false), QStringLiteral("1,2"));
    EXPECT_EQ(dotazy::PocetUdalosti(db(), QStringLiteral("1.5.2004")), 2);
}

TEST_F(DotazyDb, DayLines)
{
    Groups none{QString()};
    QStringList lines;
    dotazy::NactiDenKalendare(db(), lines, QStringLiteral("2,5"), false, QStringLiteral("1.5.2004"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("1 , 255 , A, b , 1.5.2004 8:00:00 , 0 , 0"));
}

// The category bar's "all categories" filters of the address and task
// overviews test the links with exists instead of joining every link under
// "distinct": the same rows in the same order as the statements they replace,
// for every filter and group.
TEST_F(DotazyDb, ExistsFiltersGiveTheRowsOfTheDistinctJoins)
{
    for (const char* sql :
         {"insert into ADRESAR_C_KAT (ADRESAR_C_KAT_ID, ADRESAR_C_KAT_NAZEV, ADRESAR_C_KAT_BARVA) values (1, "
          "'J', 100)",
          "insert into ADRESAR_C_KAT (ADRESAR_C_KAT_ID, ADRESAR_C_KAT_NAZEV, ADRESAR_C_KAT_BARVA) values (2, "
          "'D', 200)",
          "insert into ADRESAR_ZAKL (ADRESAR_ZAKL_ID, NAZEV_ZKRACENY) values (10, 'Alfa')",
          "insert into ADRESAR_ZAKL (ADRESAR_ZAKL_ID, NAZEV_ZKRACENY) values (11, 'Beta')",
          "insert into ADRESAR_ZAKL (ADRESAR_ZAKL_ID, NAZEV_ZKRACENY) values (12, 'Gama')",
          "insert into ADRESAR_ZAKL (ADRESAR_ZAKL_ID, NAZEV_ZKRACENY, F_CIST) values (13, 'Delta', 9)",
          "insert into ADRESAR_ZAKL (ADRESAR_ZAKL_ID, NAZEV_ZKRACENY) values (14, 'Chata')",
          "insert into ADRESAR_ZAKL (ADRESAR_ZAKL_ID, NAZEV_ZKRACENY) values (15, 'Hrad')",
          "insert into ADRESAR_ZAKL (ADRESAR_ZAKL_ID, NAZEV_ZKRACENY) values (16, 'Beta')",
          "insert into ADRESAR_ZAKL_KAT (ADRESAR_ZAKL_ID, ADRESAR_C_KAT_ID, HLAVNI) values (11, 1, 1)",
          "insert into ADRESAR_ZAKL_KAT (ADRESAR_ZAKL_ID, ADRESAR_C_KAT_ID, HLAVNI) values (12, 1, 1)",
          "insert into ADRESAR_ZAKL_KAT (ADRESAR_ZAKL_ID, ADRESAR_C_KAT_ID, HLAVNI) values (12, 2, 0)",
          "insert into ADRESAR_ZAKL_KAT (ADRESAR_ZAKL_ID, ADRESAR_C_KAT_ID, HLAVNI) values (13, 2, 1)",
          "insert into ADRESAR_ZAKL_KAT (ADRESAR_ZAKL_ID, ADRESAR_C_KAT_ID, HLAVNI) values (13, 1, 0)",
          "insert into ADRESAR_ZAKL_KAT (ADRESAR_ZAKL_ID, ADRESAR_C_KAT_ID, HLAVNI) values (14, 2, 0)",
          "insert into ADRESAR_ZAKL_KAT (ADRESAR_ZAKL_ID, ADRESAR_C_KAT_ID, HLAVNI) values (15, 2, 1)",
          "insert into ADRESAR_ZAKL_KAT (ADRESAR_ZAKL_ID, ADRESAR_C_KAT_ID, HLAVNI) values (16, 2, 0)",
          "insert into ADRESAR_ZAKL_KAT (ADRESAR_ZAKL_ID, ADRESAR_C_KAT_ID, HLAVNI) values (16, 1, 0)",
          "insert into UKOLY (UKOLY_ID, DATUM, NAZEV, AKTIVNI) values (20, '1.5.2004', 'Bez', 1)",
          "insert into UKOLY (UKOLY_ID, DATUM, NAZEV, AKTIVNI) values (21, '1.5.2004', 'Dva', 1)",
          "insert into UKOLY (UKOLY_ID, DATUM, NAZEV, AKTIVNI, F_CIST) values (22, '2.5.2004', 'Oba', 0, 9)",
          "insert into UKOLY (UKOLY_ID, DATUM, NAZEV, AKTIVNI) values (23, '2.5.2004', 'Pět', 1)",
          "insert into UKOLY_KAT (UKOLY_ID, KU_C_KAT_ID, HLAVNI) values (21, 2, 1)",
          "insert into UKOLY_KAT (UKOLY_ID, KU_C_KAT_ID, HLAVNI) values (22, 2, 0)",
          "insert into UKOLY_KAT (UKOLY_ID, KU_C_KAT_ID, HLAVNI) values (22, 5, 1)",
          "insert into UKOLY_KAT (UKOLY_ID, KU_C_KAT_ID, HLAVNI) values (23, 5, 0)"})
        exec(QString::fromUtf8(sql));
    // The statements as they were, with a join over every link and "distinct".
    const auto adresyDrive = [](const QString& g) {
        return QStringLiteral("left join adresar_zakl_kat adresar_zakl_kat1 on "
                              "(adresar_zakl.adresar_zakl_id=adresar_zakl_kat1.adresar_zakl_id) left join "
                              "adresar_zakl_kat adresar_zakl_kat2 on "
                              "(adresar_zakl.adresar_zakl_id=adresar_zakl_kat2.adresar_zakl_id) and "
                              "(adresar_zakl_kat2.hlavni=1) left join adresar_c_kat on "
                              "(adresar_zakl_kat2.adresar_c_kat_id=adresar_c_kat.adresar_c_kat_id)  where "
                              "((adresar_zakl_kat1.adresar_c_kat_id is null) or "
                              "(adresar_zakl_kat1.adresar_c_kat_id in (%1)))")
                   .arg(g) +
               FiltrCteniAdresarAnd();
    };
    const auto ukolyDrive = [](const QString& g) {
        return QStringLiteral(
                   " left join ukoly_kat ukoly_kat1 on (ukoly.ukoly_id=ukoly_kat1.ukoly_id) left join "
                   "ukoly_kat ukoly_kat2 on (ukoly.ukoly_id=ukoly_kat2.ukoly_id) and "
                   "(ukoly_kat2.hlavni=1) left join ku_c_kat on "
                   "(ukoly_kat2.ku_c_kat_id=ku_c_kat.ku_c_kat_id) where  ((ukoly_kat1.ku_c_kat_id is "
                   "null) or (ukoly_kat1.ku_c_kat_id in (%1))) ")
                   .arg(g) +
               FiltrCteni(QStringLiteral("ukoly"), false);
    };
    const QString adresy = QStringLiteral(
        "select %1 adresar_zakl.adresar_zakl_id, nazev_zkraceny, adresar_c_kat.adresar_c_kat_barva from "
        "adresar_zakl %2 order by nazev_zkraceny %3, 1");
    const QString ukoly =
        QStringLiteral("select %1 ukoly.ukoly_id, nazev, datum, ku_c_kat.ku_c_kat_barva from "
                       "ukoly %2 order by datum %3, 1");
    int neprazdnych = 0;
    for (const char* skupiny : {"", "9", "4"}) {
        Groups g{QString::fromLatin1(skupiny)};
        for (const char* filtr : {"1", "2", "1,2", "5", "2,5", "0"}) {
            const QString f = QString::fromLatin1(filtr);
            for (const char* smer : {"", "desc"}) {
                const QString s = QString::fromLatin1(smer);
                SCOPED_TRACE(std::string(skupiny) + " | " + filtr + " | " + smer);
                const QString a = db().VratSloupec(adresy.arg(QString(), seznamy::DotazAdresar(f, false), s),
                                                   QStringLiteral(";"));
                EXPECT_EQ(a, db().VratSloupec(adresy.arg(QStringLiteral("distinct"), adresyDrive(f), s),
                                              QStringLiteral(";")));
                const QString u = db().VratSloupec(ukoly.arg(QString(), seznamy::DotazUkoly(f, false), s),
                                                   QStringLiteral(";"));
                EXPECT_EQ(u, db().VratSloupec(ukoly.arg(QStringLiteral("distinct"), ukolyDrive(f), s),
                                              QStringLiteral(";")));
                neprazdnych += !a.isEmpty() + !u.isEmpty();
            }
        }
    }
    EXPECT_GT(neprazdnych, 30); // the cases compare rows, not two empty lists
    for (const char* sql : {"delete from UKOLY_KAT", "delete from UKOLY", "delete from ADRESAR_ZAKL_KAT",
                            "delete from ADRESAR_ZAKL", "delete from ADRESAR_C_KAT"})
        exec(QString::fromUtf8(sql));
}

// Every page-bar overview reads from the schema as defined: tables, joins,
// columns, colour columns and the filters of rights, alarms and categories.
TEST_F(DotazyDb, EveryOverviewDefinitionRuns)
{
    Groups g(QStringLiteral("4"));
    for (const bool box0 : {true, false}) {
        for (const QString& name : prehledy::Nazvy()) {
            GridDefinition d;
            ASSERT_TRUE(prehledy::Definuj(name, d, {QStringLiteral("2,5"), QStringLiteral("0"), box0}));
            d.Razeni = -1;
            try {
                db().VratSloupec(gridquery::selectStatement(d), QStringLiteral(","));
            } catch (const DbError& e) {
                ADD_FAILURE() << name.toStdString() << ": " << e.what();
            }
        }
    }
    GridDefinition d;
    EXPECT_FALSE(prehledy::Definuj(QStringLiteral("KJPrehledJizdAuta"), d, {}));
    // The rides of one car, as the per-car overview defines them.
    prehledy::DefinujJizdyAuta(
        d, QStringLiteral(" where (KJ.KJ_AUTO_ID=KJ_AUTO.KJ_AUTO_ID) and (KJ.KJ_AUTO_ID=1)"));
    EXPECT_EQ(d.Podminka, QStringLiteral("where (KJ.KJ_AUTO_ID=KJ_AUTO.KJ_AUTO_ID) and (KJ.KJ_AUTO_ID=1)"));
    EXPECT_EQ(d.Sloupce.size(), 8u);
    d.Razeni = 1;
    try {
        db().VratSloupec(gridquery::selectStatement(d), QStringLiteral(","));
    } catch (const DbError& e) {
        ADD_FAILURE() << e.what();
    }
}

} // namespace
