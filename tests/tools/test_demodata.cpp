#include "fixtures/testdb.h"
#include "tools/demodata.h"

#include <QDate>

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

} // namespace
