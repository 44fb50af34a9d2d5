#include "records/pravazaznamu.h"

#include "common/messages.h"
#include "fixtures/session_groups.h"
#include "fixtures/testdb.h"
#include "records/printers.h"

#include <functional>

namespace
{

TEST(RightsFilter, ExactTextsForUserWithGroups)
{
    SessionGroups user({3, 7});
    EXPECT_EQ(FiltrCteni(QStringLiteral("ku"), false),
              QStringLiteral(" and ((ku.f_cist is null) or (ku.f_cist=0) or (ku.f_cist in (3,7)))"));
    EXPECT_EQ(FiltrCteni(QStringLiteral("KJ_AUTO"), true),
              QStringLiteral(
                  " where ((KJ_AUTO.f_cist is null) or (KJ_AUTO.f_cist=0) or (KJ_AUTO.f_cist in (3,7)))"));

    EXPECT_EQ(FiltrAlarmKu(),
              QStringLiteral(" and ((ku.f_alarm is null) or (ku.f_alarm=0) or (ku.f_alarm in (3,7)))"));
    EXPECT_EQ(
        FiltrAlarmUkoly(),
        QStringLiteral(" and ((ukoly.f_alarm is null) or (ukoly.f_alarm=0) or (ukoly.f_alarm in (3,7)))"));
    EXPECT_EQ(FiltrCteniKu(),
              QStringLiteral(" and ((ku.f_cist is null) or (ku.f_cist=0) or (ku.f_cist in (3,7)))"));
    EXPECT_EQ(FiltrCteniAdresar(),
              QStringLiteral(" ((adresar_zakl.f_cist is null) or (adresar_zakl.f_cist=0) "
                             "or (adresar_zakl.f_cist in (3,7)))"));
    EXPECT_EQ(FiltrCteniAdresarAnd(),
              QStringLiteral(" and ((adresar_zakl.f_cist is null) or (adresar_zakl.f_cist=0) "
                             "or (adresar_zakl.f_cist in (3,7)))"));
}

TEST(RightsFilter, UserWithoutGroupsGetsNoCondition)
{
    SessionGroups user({});
    EXPECT_EQ(FiltrCteni(QStringLiteral("ku"), true), QString());
    EXPECT_EQ(FiltrCteni(QStringLiteral("ukoly"), false), QString());
    for (const QString& f :
         {FiltrAlarmKu(), FiltrAlarmUkoly(), FiltrCteniKu(), FiltrCteniAdresar(), FiltrCteniAdresarAnd()})
        EXPECT_EQ(f, QString());
}

// The filters run against real rows: which records each user gets.
class RightsFilterDb : public DbTest
{
};

TEST_F(RightsFilterDb, ListsOnlyRecordsTheGroupsMayRead)
{
    // Read/alarm right: NULL, 0, a group of the user, a group of somebody else.
    exec(QStringLiteral("insert into KU (KU_ID, DATUM, F_CIST, F_ALARM) values (1, \"1.5.2004\", NULL, 9)"));
    exec(QStringLiteral("insert into KU (KU_ID, DATUM, F_CIST, F_ALARM) values (2, \"1.5.2004\", 0, 7)"));
    exec(QStringLiteral("insert into KU (KU_ID, DATUM, F_CIST, F_ALARM) values (3, \"1.5.2004\", 7, NULL)"));
    exec(QStringLiteral("insert into KU (KU_ID, DATUM, F_CIST, F_ALARM) values (4, \"1.5.2004\", 9, 9)"));
    exec(QStringLiteral("insert into UKOLY (UKOLY_ID, F_ALARM) values (1, 3)"));
    exec(QStringLiteral("insert into UKOLY (UKOLY_ID, F_ALARM) values (2, 9)"));
    exec(QStringLiteral("insert into ADRESAR_ZAKL (ADRESAR_ZAKL_ID, F_CIST) values (1, 0)"));
    exec(QStringLiteral("insert into ADRESAR_ZAKL (ADRESAR_ZAKL_ID, F_CIST) values (2, 9)"));
    exec(QStringLiteral("insert into KJ_AUTO (KJ_AUTO_ID, SPZ, F_CIST) values (1, \"1A2 3456\", 3)"));
    exec(QStringLiteral("insert into KJ_AUTO (KJ_AUTO_ID, SPZ, F_CIST) values (2, \"2B3 4567\", 9)"));

    struct Case {
        const char* name;
        std::function<QString()> sql;
        int inGroups37;
        int withoutGroups;
    };
    const Case cases[] = {
        {"FiltrCteni ku",
         [] {
             return QStringLiteral("Select count(*) from KU where datum=\"1.5.2004\" ") +
                    FiltrCteni("ku", false);
         },
         3, 4},
        {"FiltrCteni first",
         [] { return QStringLiteral("Select count(*) from KJ_AUTO") + FiltrCteni("KJ_AUTO", true); }, 1, 2},
        {"alarm ku", [] { return QStringLiteral("Select count(*) from ku where 1=1") + FiltrAlarmKu(); }, 2,
         4},
        {"alarm ukoly",
         [] { return QStringLiteral("Select count(*) from ukoly where 1=1") + FiltrAlarmUkoly(); }, 1, 2},
        {"export ku", [] { return QStringLiteral("Select count(*) from ku where 1=1") + FiltrCteniKu(); }, 3,
         4},
        {"adresar after where",
         [] {
             const QString f = FiltrCteniAdresar();
             return QStringLiteral("Select count(*) from adresar_zakl") + (f.isEmpty() ? f : " where " + f);
         },
         1, 2},
        {"adresar and",
         [] {
             return QStringLiteral("Select count(*) from adresar_zakl where 1=1") + FiltrCteniAdresarAnd();
         },
         1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            SessionGroups user({3, 7});
            EXPECT_EQ(db().VratInt(c.sql()), c.inGroups37);
        }
        {
            SessionGroups user({});
            EXPECT_EQ(db().VratInt(c.sql()), c.withoutGroups);
        }
    }
}

TEST_F(RightsFilterDb, RecordRightsReadFromRowNullAsZero)
{
    exec(QStringLiteral("insert into KU (KU_ID, F_CIST, F_EDITOVAT, F_SMAZAT, F_ALARM, F_ADMINISTROVAT) "
                        "values (10, NULL, 3, 0, 5, 6)"));
    exec(QStringLiteral(
        "insert into ADRESAR_ZAKL (ADRESAR_ZAKL_ID, F_CIST, F_EDITOVAT, F_SMAZAT, F_ADMINISTROVAT) "
        "values (10, 2, NULL, 4, 6)"));
    TKTDATASET t;
    db().NactiTabulku(
        QStringLiteral("Select F_CIST,F_EDITOVAT,F_SMAZAT,F_ALARM,F_ADMINISTROVAT from ku where ku_id=10"),
        t);
    EXPECT_EQ(PravaZRadku(t, 1), (PravaZaznamu{0, 3, 0, 5, 6}));
    // Addresses have no alarm right.
    db().NactiTabulku(QStringLiteral("Select F_CIST,F_EDITOVAT,F_SMAZAT,F_ADMINISTROVAT from adresar_zakl "
                                     "where adresar_zakl_id=10"),
                      t);
    EXPECT_EQ(PravaZRadku(t, 1), (PravaZaznamu{2, 0, 4, 0, 6}));
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

// The editor rule for a user in groups 3 and 7 (or in none); 9 is somebody
// else's group, 99 a group that was deleted.
TEST(EditorRule, DecidesFromEditDeleteAndAdminRights)
{
    struct Case {
        const char* name;
        std::initializer_list<int> groups;
        PravaZaznamu prava;       // read, edit, delete, alarm, admin
        PravidloEditoru expected; // read-only, may delete, rights locked
    };
    const Case cases[] = {
        {"all zero", {3, 7}, {0, 0, 0, 0, 0}, {false, true, false}},
        {"all mine", {3, 7}, {3, 7, 3, 7, 3}, {false, true, false}},
        {"edit but not admin", {3, 7}, {3, 3, 3, 3, 9}, {false, true, true}},
        {"edit but not delete", {3, 7}, {0, 3, 9, 0, 3}, {false, false, false}},
        {"no edit locks rights even with admin", {3, 7}, {0, 9, 0, 0, 3}, {true, true, true}},
        {"no edit, no delete", {3, 7}, {0, 9, 9, 0, 0}, {true, false, true}},
        {"read and alarm rights do not count", {3, 7}, {9, 0, 0, 9, 0}, {false, true, false}},
        {"deleted group holds for nobody", {3, 7}, {0, 99, 99, 0, 99}, {true, false, true}},
        {"no groups: zero rights hold", {}, {0, 0, 0, 0, 0}, {false, true, false}},
        {"no groups: any group fails", {}, {0, 3, 3, 0, 0}, {true, false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SessionGroups user(c.groups);
        EXPECT_EQ(PravidloZaznamu(c.prava), c.expected);
        // The administrator flag only shows the code lists; it grants nothing here.
        session().Administrator = true;
        EXPECT_EQ(PravidloZaznamu(c.prava), c.expected);
    }
    EXPECT_EQ(PravidloNovehoZaznamu(), (PravidloEditoru{false, true, false}));
}

TEST(EditorRule, SaveAndDeleteChecksShowTheBoxes)
{
    messages::takeShown();
    EXPECT_FALSE(OverUlozeni({true, true, true}));
    EXPECT_EQ(messages::takeShown(), QStringList{"Nemáte právo měnit záznam !"});
    EXPECT_TRUE(OverUlozeni({false, false, true}));
    EXPECT_TRUE(messages::takeShown().isEmpty());

    // Without the right nobody is asked.
    messages::queueAnswer(true);
    EXPECT_FALSE(OverSmazani({false, false, false}));
    EXPECT_EQ(messages::takeShown(), QStringList{"Nemáte právo smazat záznam !"});
    EXPECT_TRUE(OverSmazani({true, true, true})); // the queued Yes answers this question
    messages::queueAnswer(false);
    EXPECT_FALSE(OverSmazani({false, true, false}));
    EXPECT_EQ(messages::takeShown(), (QStringList{"Opravdu chcete smazat zobrazený záznam ?",
                                                  "Opravdu chcete smazat zobrazený záznam ?"}));
}

TEST(GroupNames, ExactMatchBeforeCzechUpperCase)
{
    const QStringList names = {"Obchod", "ÚČETNÍ", "Účetní", "Sklad, expedice"};
    struct Case {
        const char* name;
        int expected;
    };
    const Case cases[] = {
        {"Účetní", 2}, // exact wins over the earlier upper-case match
        {"účetní", 1}, // Czech upper-casing both sides
        {"OBCHOD", 0}, {"Sklad, expedice", 3}, {"Sklad", -1}, {"", -1}, // no group chosen is no name
    };
    for (const Case& c : cases)
        EXPECT_EQ(NajdiNazevSkupiny(names, QString::fromUtf8(c.name)), c.expected) << c.name;
    EXPECT_EQ(NajdiNazevSkupiny({}, QStringLiteral("Obchod")), -1);
}

} // namespace
