#include "app/prehledy.h"
#include "overview/gridquery.h"

#include <functional>
#include <gtest/gtest.h>

namespace
{

// The program's calendar categories overview, sorted by its first column.
GridDefinition kategorieKalendare()
{
    GridDefinition d;
    prehledy::Definuj(QStringLiteral("CiselnikKalendarKategorie"), d, {});
    d.Razeni = 1;
    return d;
}

GridDefinition specialniAdresy()
{
    GridDefinition d;
    d.Tabulka = QStringLiteral("ADRESAR_SPEC");
    d.KlicovySloupec = QStringLiteral("ADRESAR_SPEC_ID");
    d.PridejSloupec(QStringLiteral("NAZEV"), QStringLiteral("Název"));
    d.PridejSloupec(QStringLiteral("PSC"), QStringLiteral("PSČ"));
    d.Razeni = 1;
    return d;
}

GridDefinition jizdy()
{
    GridDefinition d;
    d.Tabulka = QStringLiteral("KJ");
    d.KlicovySloupec = QStringLiteral("KJ_ID");
    d.DalsiTabulky = QStringLiteral("KJ_AUTO");
    d.Podminka = QStringLiteral("where (KJ.KJ_AUTO_ID=KJ_AUTO.KJ_AUTO_ID) ");
    d.PridejSloupec(QStringLiteral("KJ_AUTO.POPIS"), QStringLiteral("Auto"));
    d.PridejSloupec(QStringLiteral("VZDALENOST"), QStringLiteral("Vzdálenost"), true,
                    QStringLiteral("integer"));
    d.Razeni = 1;
    return d;
}

void filtr(GridDefinition& d, int column, int op, const QString& v1, const QString& v2 = QString())
{
    GridColumn& c = d.Sloupce[size_t(column)];
    c.FiltrOperator = op;
    c.FiltrHodnota1 = v1;
    c.FiltrHodnota2 = v2;
}

struct SelectCase {
    const char* name;
    std::function<GridDefinition()> definition;
    const char* expected;
};

const SelectCase kSelects[] = {
    {"calendar categories, first load", kategorieKalendare,
     "Select KU_C_KAT.KU_C_KAT_ID,KU_C_KAT_BARVA,KU_C_KAT_NAZEV,KU_C_KAT_PORADI from KU_C_KAT   order by "
     "KU_C_KAT_NAZEV;"},
    {"both colour columns, background first",
     [] {
         GridDefinition d = kategorieKalendare();
         d.SloupecBarvyPisma = QStringLiteral("KU_C_KAT_PORADI");
         return d;
     },
     "Select KU_C_KAT.KU_C_KAT_ID,KU_C_KAT_BARVA,KU_C_KAT_PORADI,KU_C_KAT_NAZEV,KU_C_KAT_PORADI from "
     "KU_C_KAT   "
     "order by KU_C_KAT_NAZEV;"},
    {"descending, distinct",
     [] {
         GridDefinition d = specialniAdresy();
         d.Razeni = -2;
         d.Distinct = true;
         return d;
     },
     "Select distinct ADRESAR_SPEC.ADRESAR_SPEC_ID,NAZEV,PSC from ADRESAR_SPEC   order by PSC desc;"},
    {"no sort",
     [] {
         GridDefinition d = specialniAdresy();
         d.Razeni = 0;
         return d;
     },
     "Select ADRESAR_SPEC.ADRESAR_SPEC_ID,NAZEV,PSC from ADRESAR_SPEC  ;"},
    {"sort beyond the columns uses the key",
     [] {
         GridDefinition d = specialniAdresy();
         d.Razeni = -3;
         return d;
     },
     "Select ADRESAR_SPEC.ADRESAR_SPEC_ID,NAZEV,PSC from ADRESAR_SPEC   order by ADRESAR_SPEC_ID desc;"},
    {"a column named like the key is ordered by the qualified key",
     [] {
         GridDefinition d;
         d.Tabulka = QStringLiteral("KU_C_KAT");
         d.KlicovySloupec = QStringLiteral("KU_C_KAT_ID");
         d.PridejSloupec(QStringLiteral("KU_C_KAT_ID"), QStringLiteral("KU_C_KAT_ID"));
         d.Razeni = 1;
         return d;
     },
     "Select KU_C_KAT.KU_C_KAT_ID,KU_C_KAT_ID from KU_C_KAT   order by KU_C_KAT.KU_C_KAT_ID;"},
    {"contains, no WHERE text",
     [] {
         GridDefinition d = specialniAdresy();
         filtr(d, 0, 7, QStringLiteral("ab"));
         return d;
     },
     "Select ADRESAR_SPEC.ADRESAR_SPEC_ID,NAZEV,PSC from ADRESAR_SPEC  where  (ADRESAR_SPEC.NAZEV containing "
     "\"ab\") "
     " order by NAZEV;"},
    {"range and a quote, two filters",
     [] {
         GridDefinition d = specialniAdresy();
         filtr(d, 0, 1, QStringLiteral("Pekárna \"U Zlatého klasu\""));
         filtr(d, 1, 8, QStringLiteral("1"), QStringLiteral("5"));
         return d;
     },
     "Select ADRESAR_SPEC.ADRESAR_SPEC_ID,NAZEV,PSC from ADRESAR_SPEC  where  (ADRESAR_SPEC.NAZEV=\"Pekárna "
     "\"\"U Zlatého klasu\"\"\") and  (ADRESAR_SPEC.PSC>=\"1\") and  (ADRESAR_SPEC.PSC<=\"5\")  order by "
     "NAZEV;"},
    {"further tables, WHERE text, qualified column, fixed order",
     [] {
         GridDefinition d = jizdy();
         filtr(d, 0, 2, QStringLiteral("Octavia"));
         d.PevneRazeni = QStringLiteral("DATUM, PORADI");
         return d;
     },
     "Select KJ.KJ_ID,KJ_AUTO.POPIS,VZDALENOST from KJ,KJ_AUTO where (KJ.KJ_AUTO_ID=KJ_AUTO.KJ_AUTO_ID)  and "
     " "
     "(KJ_AUTO.POPIS!=\"Octavia\")  order by DATUM, PORADI;"},
};

TEST(GridQuery, SelectStatements)
{
    for (const SelectCase& c : kSelects)
        EXPECT_EQ(gridquery::selectStatement(c.definition()).toStdString(), std::string(c.expected))
            << c.name;
}

TEST(GridQuery, EachFilterOperator)
{
    struct Case {
        int op;
        const char* v1;
        const char* v2;
        const char* expected;
    } const cases[] = {
        {0, "x", "y", ""},
        {1, "10", "", " (KJ.VZDALENOST=\"10\")"},
        {2, "10", "", " (KJ.VZDALENOST!=\"10\")"},
        {3, "10", "", " (KJ.VZDALENOST>=\"10\")"},
        {4, "10", "", " (KJ.VZDALENOST>\"10\")"},
        {5, "10", "", " (KJ.VZDALENOST<\"10\")"},
        {6, "10", "", " (KJ.VZDALENOST<=\"10\")"},
        // The second value is kept but ignored by every operator but the range.
        {7, "1", "99", " (KJ.VZDALENOST containing \"1\")"},
        {8, "1", "5", " (KJ.VZDALENOST>=\"1\") and  (KJ.VZDALENOST<=\"5\")"},
    };
    GridDefinition d = jizdy();
    for (const Case& c : cases) {
        filtr(d, 1, c.op, QString::fromUtf8(c.v1), QString::fromUtf8(c.v2));
        EXPECT_EQ(gridquery::filterCondition(d, d.Sloupce[1]).toStdString(), std::string(c.expected)) << c.op;
    }
}

// A filter on column 1 of the rides: the column's kind and shown type, operator, values.
struct KindCase {
    TableColumn::Kind kind;
    const char* typ;
    int op;
    QString v1, v2;
    QString expected; // the condition, or the refusal (empty: accepted)
};

GridColumn& filtrDruhu(GridDefinition& d, const KindCase& c)
{
    GridColumn& col = d.Sloupce[1];
    col.Typ = QString::fromUtf8(c.typ);
    col.FiltrDruh = c.kind;
    filtr(d, 1, c.op, c.v1, c.v2);
    return col;
}

// Conditions by the kind of the column: canonical values, % and _ as plain text,
// whole last days of date-time ranges, booleans as the grid shows them.
TEST(GridQuery, FilterConditionsFollowTheColumnKind)
{
    using Kind = TableColumn::Kind;
    const KindCase cases[] = {
        {Kind::Text, "", 7, "_", "", " (KJ.VZDALENOST containing \"_\")"},
        {Kind::Text, "", 7, "50%", "", " (KJ.VZDALENOST containing \"50%\")"},
        {Kind::Text, "", 7, "a\\b", "", " (KJ.VZDALENOST containing \"a\\b\")"},
        {Kind::Integer, "integer", 7, "1", "", " (KJ.VZDALENOST containing \"1\")"},
        {Kind::Integer, "integer", 1, " 007 ", "", " (KJ.VZDALENOST=\"7\")"},
        {Kind::Number, "numerick", 4, "1,5", "", " (KJ.VZDALENOST>\"1.5\")"},
        {Kind::Timestamp, "", 8, "01.03.2004", "1.3.2004",
         " (KJ.VZDALENOST>=\"1.3.2004\") and  (KJ.VZDALENOST<\"2.3.2004\")"},
        {Kind::Timestamp, "", 8, "1.3.2004 8:00", "31.12.2004 17:30",
         " (KJ.VZDALENOST>=\"1.3.2004 8:00:00\") and  (KJ.VZDALENOST<=\"31.12.2004 17:30:00\")"},
        {Kind::Timestamp, "", 6, "31.12.2004", "", " (KJ.VZDALENOST<\"1.1.2005\")"},
        {Kind::Date, "", 8, "1.3.2004", "2.3.2004",
         " (KJ.VZDALENOST>=\"1.3.2004\") and  (KJ.VZDALENOST<=\"2.3.2004\")"},
        {Kind::Integer, "boolean", 1, "Ano", "", " (coalesce(KJ.VZDALENOST,0)=\"1\")"},
        {Kind::Integer, "boolean", 1, "ne", "", " (coalesce(KJ.VZDALENOST,0)!=\"1\")"},
        {Kind::Integer, "boolean", 2, "Ne", "", " (coalesce(KJ.VZDALENOST,0)=\"1\")"},
    };
    GridDefinition d = jizdy();
    for (const KindCase& c : cases) {
        const GridColumn& col = filtrDruhu(d, c);
        EXPECT_EQ(gridquery::filterProblem(col), QString()) << c.v1.toStdString();
        EXPECT_EQ(gridquery::filterCondition(d, col).toStdString(), c.expected.toStdString())
            << c.v1.toStdString();
    }
}

TEST(GridQuery, FilterValuesThatCannotBeComparedAreRefused)
{
    using Kind = TableColumn::Kind;
    const KindCase cases[] = {
        {Kind::Integer, "integer", 1, "", "",
         "Zadejte do filtru sloupce „Vzdálenost“ celé číslo. Filtr nebyl nastaven."},
        {Kind::Integer, "integer", 3, "deset", "",
         "Hodnota „deset“ ve filtru sloupce „Vzdálenost“ není celé číslo. Filtr nebyl nastaven."},
        {Kind::Integer, "integer", 8, "1", "5\"--",
         "Hodnota „5\"--“ ve filtru sloupce „Vzdálenost“ není celé "
         "číslo. Filtr nebyl nastaven."},
        {Kind::Integer, "integer", 7, "x\") or (1=1) or (\"", "", ""},
        {Kind::Number, "numerick", 1, "1e999", "",
         "Hodnota „1e999“ ve filtru sloupce „Vzdálenost“ není číslo. "
         "Filtr nebyl nastaven."},
        {Kind::Timestamp, "", 1, "31.2.2004", "",
         "Hodnota „31.2.2004“ ve filtru sloupce „Vzdálenost“ není datum (d.m.rrrr) nebo datum a čas "
         "(d.m.rrrr h:mm:ss). Filtr nebyl nastaven."},
        {Kind::Date, "", 5, "1.1.2004 25:00", "",
         "Hodnota „1.1.2004 25:00“ ve filtru sloupce „Vzdálenost“ není datum (d.m.rrrr). Filtr nebyl "
         "nastaven."},
        {Kind::Text, "", 1, "", "", ""},
        {Kind::Other, "", 1, "a\nb", "",
         "Hodnota filtru sloupce „Vzdálenost“ obsahuje řídicí znak (například konec řádku). Filtr nebyl "
         "nastaven."},
        {Kind::Text, "", 7, QString(QChar(0)), "",
         "Hodnota filtru sloupce „Vzdálenost“ obsahuje řídicí znak (například konec řádku). Filtr nebyl "
         "nastaven."},
        {Kind::Integer, "boolean", 7, "Ano", "",
         "Sloupec „Vzdálenost“ lze filtrovat jen podmínkou „=“ nebo „<>“ s hodnotou Ano nebo Ne. Filtr nebyl "
         "nastaven."},
        {Kind::Integer, "boolean", 1, "Možná", "",
         "Sloupec „Vzdálenost“ lze filtrovat jen podmínkou „=“ nebo „<>“ s hodnotou Ano nebo Ne. Filtr nebyl "
         "nastaven."},
    };
    GridDefinition d = jizdy();
    for (const KindCase& c : cases)
        EXPECT_EQ(gridquery::filterProblem(filtrDruhu(d, c)).toStdString(), c.expected.toStdString())
            << c.v1.toStdString();
    // Any script is a filter value; a character no text may hold is named
    // instead of reaching the server.
    GridColumn& col = d.Sloupce[1];
    col.Typ.clear();
    col.FiltrDruh = Kind::Text;
    filtr(d, 1, 7, QStringLiteral("ok 😀 Олена"));
    EXPECT_EQ(gridquery::filterProblem(col), QString());
    filtr(d, 1, 7, QStringLiteral("ok ") + QChar(0xD800));
    const QString problem = gridquery::filterProblem(col);
    EXPECT_TRUE(problem.contains(QStringLiteral("U+D800")) &&
                problem.endsWith(QStringLiteral("Filtr nebyl nastaven.")))
        << problem.toStdString();
}

TEST(GridQuery, SortRequests)
{
    struct Case {
        int razeni, request, expected;
    } const cases[] = {
        {0, 1, 1},   // first load
        {1, 1, -1},  // the ascending column turns descending
        {-1, 1, 1},  // and back
        {1, 2, 2},   // another column sorts ascending
        {-2, 1, 1},  //
        {-2, 0, -2}, // reload keeps the sort
        {0, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(gridquery::nextSort(c.razeni, c.request), c.expected) << c.razeni << " " << c.request;
}

TEST(GridQuery, ResetKeepsTableKeyAndMessage)
{
    GridDefinition d = jizdy();
    d.ZpravaEditace = 1230;
    d.Distinct = true;
    d.MazaniPovoleno = true;
    d.BarvaPisma = 0xFF0000;
    d.ZvyrazneniBarvaPozadi = 0x00FF00;
    d.ParametrEditace = -11;
    d.resetDefinition();
    EXPECT_TRUE(d.Sloupce.empty());
    EXPECT_TRUE(d.Podminka.isEmpty() && d.DalsiTabulky.isEmpty());
    EXPECT_EQ(d.Razeni, 0);
    EXPECT_EQ(d.BarvaPisma, 0);
    EXPECT_EQ(d.ZvyrazneniBarvaPozadi, 0xFFFFFF);
    EXPECT_EQ(d.ParametrEditace, 0);
    EXPECT_FALSE(d.MazaniPovoleno);
    EXPECT_EQ(d.Tabulka, QStringLiteral("KJ"));
    EXPECT_EQ(d.KlicovySloupec, QStringLiteral("KJ_ID"));
    EXPECT_TRUE(d.Distinct);
    EXPECT_EQ(d.ZpravaEditace, 1230u);
}

} // namespace
