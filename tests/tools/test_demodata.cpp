#include "data/sqlvalues.h"
#include "data/zapiszaznam.h"
#include "fixtures/testdb.h"
#include "generators.h"
#include "tools/demodata.h"

#include <QDate>
#include <algorithm>

namespace
{

class DemoData : public DbTest
{
};

QString sql(const char* text)
{
    return QString::fromUtf8(text);
}

// The last day of January: the demo's months then cross a year boundary and end in February.
TEST_F(DemoData, FillsEveryTableWithAConsistentOffice)
{
    const int admin = testdb::addUser(db(), sql("admin"), QString(), true, true, sql("Správce"));
    ASSERT_EQ(demodata::fill(db(), admin, QDate(2027, 1, 31)).chyba, QString());

    const QStringList tables =
        db().VratSloupec(sql("select trim(rdb$relation_name) from rdb$relations "
                             "where coalesce(rdb$system_flag, 0)=0 and rdb$view_blr is null"),
                         sql(","))
            .split(QLatin1Char(','));
    ASSERT_GT(tables.size(), 20);
    for (const QString& table : tables) {
        if (table == sql("KU_SPEC") || table == sql("SOUBOR")) continue;
        EXPECT_GT(db().VratInt(sql("select count(*) from ") + table), 0) << table.toStdString();
    }

    // Every event lies in December to February, with its times on its own day.
    EXPECT_EQ(db().VratInt(sql("select count(*) from ku where datum<\"1.12.2026\" or datum>\"28.2.2027\" "
                               "or cas_od<datum or cas_do<cas_od or cas_do>=datum+1")),
              0);
    EXPECT_EQ(db().VratInt(sql("select count(*) from ku where (select count(*) from ku_kat k "
                               "where k.ku_id=ku.ku_id and k.hlavni=1)<>1")),
              0);
    EXPECT_EQ(db().VratSloupec(sql("select uzivatel_id from uzivatel where pravo_prihlaseni=1"), sql(",")),
              QString::number(admin));
    // Names with a comma break naive comma-text parsing; the demo must contain some.
    EXPECT_GT(db().VratInt(sql("select count(*) from ku where nazev containing \",\"")), 0);
    // A day's rides are numbered 1..n across both cars.
    EXPECT_EQ(db().VratInt(sql("select count(*) from (select datum from kj group by datum "
                               "having min(poradi)<>1 or max(poradi)<>count(*) "
                               "or count(distinct poradi)<>count(*))")),
              0);
}

// Demo rows take their keys where the program would: every generator of a
// fresh demo database is past its table's highest key, so the first records
// a user saves (a fuel purchase, a car, an address ...) never hit a used key.
class DemoGenerators : public DbTest
{
};

TEST_F(DemoGenerators, EveryGeneratorIsPastItsTablesHighestKey)
{
    const int admin = testdb::addUser(db(), sql("admin"), QString(), true, true, sql("Správce"));
    ASSERT_EQ(demodata::fill(db(), admin, QDate(2026, 3, 18)).chyba, QString());

    const QList<GeneratorState> states = generatorStates(db());
    EXPECT_EQ(generatorFaults(states), QStringList());
    // The pairing found the tables the demo fills, the fuel purchases among them.
    int filled = 0;
    for (const GeneratorState& s : states)
        if (s.highestKey > 0) ++filled;
    EXPECT_GT(filled, 10);
    EXPECT_TRUE(std::any_of(states.begin(), states.end(), [](const GeneratorState& s) {
        return s.table == sql("KJ_TANKOVANI") && s.highestKey > 0;
    }));

    // The first two purchases a user saves are stored.
    const int car = db().VratInt(sql("select min(kj_auto_id) from kj_auto"));
    for (int i = 0; i < 2; ++i) {
        const VysledekZapisu v = ZapisZaznam(db(), 0, sql("KJ_TANKOVANI_ID"), [car](int id) {
            return QStringList{
                sql("insert into kj_tankovani (kj_tankovani_id, kj_auto_id, datum, litry, cena) "
                    "values (%1, %2, \"17.3.2026\", 30, 1000)")
                    .arg(id)
                    .arg(car)};
        });
        EXPECT_TRUE(v.ok) << v.chyba.toStdString();
    }
}

} // namespace
