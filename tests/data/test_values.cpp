#include "common/action.h"
#include "common/cp1250.h"
#include "data/commatext.h"
#include "data/dbschema.h"
#include "data/sqlvalues.h"

#include <gtest/gtest.h>

namespace
{

struct Case {
    const char* in;
    const char* out;
};

TEST(SqlValues, TextQuotingDoublesQuotesAndCutsFirst)
{
    EXPECT_EQ(TextSQLMax(QStringLiteral("abc"), 2), QStringLiteral("\"ab\""));
    EXPECT_EQ(TextSQLMax(QStringLiteral("abc"), 3), QStringLiteral("\"abc\""));
    EXPECT_EQ(TextSQLMax(QStringLiteral("abc"), 10), QStringLiteral("\"abc\""));
    EXPECT_EQ(TextSQL(QStringLiteral("\"")), QStringLiteral("\"\"\"\""));
    EXPECT_EQ(TextSQL(QStringLiteral("O'Neil \"Žluťák\"")), QStringLiteral("\"O'Neil \"\"Žluťák\"\"\""));
    EXPECT_EQ(TextSQL(QString()), QStringLiteral("\"\""));
    // The cut counts the typed characters, so a doubled quote never pushes
    // the stored value past its column, and never splits a pair.
    EXPECT_EQ(TextSQLMax(QStringLiteral("a\"\"b"), 3), QStringLiteral("\"a\"\"\"\"\""));
    EXPECT_EQ(TextSQLMax(QStringLiteral("\"--x"), 1), QStringLiteral("\"\"\"\""));
    EXPECT_EQ(TextSQLMax(QStringLiteral("a\U0001F600"), 2), QStringLiteral("\"a\""));
}

TEST(SqlValues, DateLiteralsAreParsedAndCanonical)
{
    const Case dates[] = {{"", "NULL"},
                          {" ", "NULL"},
                          {"5.3.2004", "\"5.3.2004\""},
                          {"05.03.2004", "\"5.3.2004\""},
                          {" 5.3.2004 ", "\"5.3.2004\""}};
    for (const auto& c : dates)
        EXPECT_EQ(DatumSQL(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;

    EXPECT_EQ(DatumCasSQL(QString(), QString()), QStringLiteral("NULL"));
    EXPECT_EQ(DatumCasSQL(QString(), QStringLiteral("8:00:00")), QStringLiteral("\" 8:00:00\""));
    EXPECT_EQ(DatumCasSQL(QStringLiteral("5.3.2004"), QString()), QStringLiteral("\"5.3.2004\""));
    EXPECT_EQ(DatumCasSQL(QStringLiteral("5.3.2004"), QStringLiteral("14:30:00")),
              QStringLiteral("\"5.3.2004 14:30:00\""));
    EXPECT_EQ(DatumCasSQL(QStringLiteral("05.03.2004"), QStringLiteral("8:5")),
              QStringLiteral("\"5.3.2004 8:05:00\""));
    EXPECT_EQ(LogikaSQL(true), QStringLiteral("\"1\""));
    EXPECT_EQ(LogikaSQL(false), QStringLiteral("\"0\""));

    // Whoever calls them, a text that is no date or time never reaches SQL.
    for (const char* bad : {"1.1.00\"--", "00.00.00", "31.2.2004", "5.3.2004\") or (1=1) or (\"", "x", ";",
                            "5.3.2004 8:00", "1.1.26", "0.0.0", "00.00.0000", "0.0.0000", " 0.0.0 "}) {
        EXPECT_THROW(DatumSQL(QString::fromUtf8(bad)), ActionError) << bad;
        EXPECT_THROW(DatumCasSQL(QString::fromUtf8(bad), QStringLiteral("8:00")), ActionError) << bad;
        EXPECT_FALSE(PlatneDatum(QString::fromUtf8(bad))) << bad;
    }
    for (const char* bad : {"0:00\"--", "24:00", "8:60", "8", "8:00:00:00", "%"})
        EXPECT_THROW(DatumCasSQL(QStringLiteral("5.3.2004"), QString::fromUtf8(bad)), ActionError) << bad;
    EXPECT_THROW(DatumCasSQL(QStringLiteral("1.1.00\"--"), QStringLiteral("8:00")), ActionError);
    EXPECT_TRUE(PlatneDatum(QString()) && PlatnyCas(QStringLiteral(" ")));
    EXPECT_FALSE(PlatneDatum(QStringLiteral("1.1.00\"--")) || PlatnyCas(QStringLiteral("0:00\"--")));
}

TEST(SqlValues, SplittingDateTimeTexts)
{
    EXPECT_EQ(DatumCast(QStringLiteral("5.3.2004 14:30:00")), QStringLiteral("5.3.2004"));
    EXPECT_EQ(CasCast(QStringLiteral("5.3.2004 14:30:00")), QStringLiteral("14:30:00"));
    EXPECT_EQ(DatumCast(QStringLiteral("5.3.2004")), QStringLiteral("5.3.2004"));
    EXPECT_EQ(CasCast(QStringLiteral("5.3.2004")), QString());
    EXPECT_DOUBLE_EQ(CasZTextu(QStringLiteral("5.3.2004")), 0.0);
    EXPECT_DOUBLE_EQ(CasZTextu(QStringLiteral("5.3.2004 12:00:00")), 0.5);
    EXPECT_DOUBLE_EQ(CasZTextu(QStringLiteral("x 6:0")), 0.25);
    EXPECT_DOUBLE_EQ(DatumZTextu(QStringLiteral("31.12.1899 10:00:00")), 1.0);
    EXPECT_DOUBLE_EQ(DatumZTextu(QStringLiteral("01.05.2004")), 38108.0);

    EXPECT_EQ(CisloZTextu(QStringLiteral("  42 ")), 42);
    EXPECT_EQ(CisloZTextu(QStringLiteral("   ")), 0);
    EXPECT_EQ(CisloZTextu(QString()), 0);
    for (const char* bad : {"4x", "1.5", "abc"})
        EXPECT_THROW(CisloZTextu(QString::fromUtf8(bad)), ActionError) << bad;
    for (const char* bad : {"31.2.2004", "1.13.2004", "x", ""})
        EXPECT_THROW(DatumZTextu(QString::fromUtf8(bad)), ActionError) << bad;
    for (const char* bad : {"1.1.2004 25:00:00", "1.1.2004 8:61", "1.1.2004 noon"})
        EXPECT_THROW(CasZTextu(QString::fromUtf8(bad)), ActionError) << bad;
}

TEST(CommaText, RoundTripOfAwkwardValues)
{
    const QList<QStringList> rows = {
        {QStringLiteral(" leading"), QStringLiteral("trailing "), QStringLiteral("a,b"),
         QStringLiteral("say \"hi\"")},
        {QString(), QStringLiteral("x"), QString()},
        {QStringLiteral("tab\there"), QStringLiteral("line\nbreak"), QStringLiteral("Žluťoučký kůň")},
        {QString(), QString()},
        {QStringLiteral("\"")},
    };
    for (const QStringList& row : rows)
        EXPECT_EQ(commatext::decode(commatext::encode(row)), row) << commatext::encode(row).toStdString();
}

// Statement texts shown in messages and logs never carry a password or its
// digest, whichever way the statement names the column; other values stay.
TEST(SqlValues, PasswordValuesAreMaskedInStatementTexts)
{
    const Case cases[] = {
        {"update uzivatel set login=\"jana\",popis=\"J\",heslo=\"pbkdf2_sha256$600000$c2Fs$b3Rpc2s=\","
         "administrator=\"0\" where uzivatel_id=5",
         "update uzivatel set login=\"jana\",popis=\"J\",heslo=\"***\",administrator=\"0\" where "
         "uzivatel_id=5"},
        {"UPDATE UZIVATEL SET HESLO = 'tajne' WHERE LOGIN='jana'",
         "UPDATE UZIVATEL SET HESLO = '***' WHERE LOGIN='jana'"},
        {"select uzivatel_id from uzivatel where (upper(login)=upper(\"x\") and (heslo=\"tajne\"))",
         "select uzivatel_id from uzivatel where (upper(login)=upper(\"x\") and (heslo=\"***\"))"},
        // A typed password may hold quotes, commas and brackets.
        {"insert into uzivatel(uzivatel_id,login,popis,heslo,administrator)  values(7,\"petr\",\"Petr\","
         "\"a\"\", b), (\",\"1\");",
         "insert into uzivatel(uzivatel_id,login,popis,heslo,administrator)  values(7,\"petr\",\"Petr\","
         "\"***\",\"1\");"},
        {"insert into UZIVATEL (UZIVATEL_ID, HESLO, LOGIN) values (gen_id(g, 1), 'tajne', 'heslo')",
         "insert into UZIVATEL (UZIVATEL_ID, HESLO, LOGIN) values (gen_id(g, 1), '***', 'heslo')"},
        {"create user jana password 'tajne'", "create user jana password '***'"},
        {"update x set poznamka=\"PBKDF2_sha256$1$a$b\"", "update x set poznamka=\"***\""},
        {"update uzivatel set heslo=\"tajne", "update uzivatel set heslo=\"***\""},
        // Words and values that merely look like the column stay.
        {"update uzivatel set popis=\"heslo=\"\"x\"\"\" where login=\"heslo\"",
         "update uzivatel set popis=\"heslo=\"\"x\"\"\" where login=\"heslo\""},
        {"update uzivatel set prihlasen=1, hesla_zmena=\"1.1.2026\" where uzivatel_id=3",
         "update uzivatel set prihlasen=1, hesla_zmena=\"1.1.2026\" where uzivatel_id=3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SkryjHesla(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(CommaText, EncodingAndDecodingRules)
{
    EXPECT_EQ(commatext::encode({QString()}), QStringLiteral("\"\""));
    EXPECT_EQ(commatext::decode(QStringLiteral("\"\"")), QStringList{QString()});
    EXPECT_EQ(commatext::encode({QStringLiteral("a"), QString(), QStringLiteral("b c")}),
              QStringLiteral("a,,\"b c\""));
    EXPECT_EQ(commatext::encode({QStringLiteral("a"), QString()}), QStringLiteral("a,"));

    const struct {
        const char* line;
        QStringList values;
    } cases[] = {
        {"", {}},
        {"   ", {}},
        {"a b", {QStringLiteral("a"), QStringLiteral("b")}}, // an unquoted blank splits
        {"a,", {QStringLiteral("a"), QString()}},
        {"a, ", {QStringLiteral("a")}},
        {" a , b", {QStringLiteral("a"), QStringLiteral("b")}},
        {"\"x\"\"y\",z", {QStringLiteral("x\"y"), QStringLiteral("z")}},
        {"\"open", {QStringLiteral("open")}},
        {",", {QString(), QString()}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(commatext::decode(QString::fromUtf8(c.line)), c.values) << c.line;

    // A NUL ends the text wherever it stands (it used to stop the reader for ever).
    const QChar nul(u'\0');
    EXPECT_EQ(commatext::decode(QStringLiteral("a,b") + nul + QStringLiteral("c,d")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(commatext::decode(QStringLiteral("\"x") + nul + QStringLiteral("y\",z")),
              QStringList{QStringLiteral("x")});
    EXPECT_EQ(commatext::decode(QString(nul) + QStringLiteral("a")), QStringList{});
}

TEST(Cp1250, CzechTextRoundTripsAndForeignCharactersAreRefused)
{
    const QString czech = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy – „€“");
    QByteArray bytes;
    ASSERT_TRUE(cp1250::encode(czech, bytes));
    EXPECT_EQ(bytes.size(), czech.size());
    EXPECT_EQ(cp1250::decode(bytes), czech);

    // A refused character is named whole, a pair of surrogates as one code point.
    const struct {
        QString text;
        char32_t bad;
        QString named;
    } refused[] = {
        {QStringLiteral("abc日d"), 0x65E5, QStringLiteral("\"日\" (U+65E5)")},
        {QStringLiteral("ok 😀 ne"), 0x1F600, QStringLiteral("\"😀\" (U+1F600)")},
    };
    for (const auto& r : refused) {
        char32_t bad = 0;
        EXPECT_FALSE(cp1250::encode(r.text, bytes, &bad));
        EXPECT_EQ(bad, r.bad);
        EXPECT_TRUE(cp1250::unencodableMessage(bad).contains(r.named))
            << cp1250::unencodableMessage(bad).toStdString();
    }
}

TEST(SchemaScript, SplitsOnTerminatorsAndSetTerm)
{
    const QString script = QStringLiteral("-- comment\n"
                                          "CREATE TABLE A (X INTEGER);\n"
                                          "\n"
                                          "SET TERM ^ ;\n"
                                          "CREATE PROCEDURE P AS\nBEGIN\n  X = 1;\nEND^\n"
                                          "SET TERM ; ^\n"
                                          "INSERT INTO A VALUES (1);\n");
    const QStringList s = dbschema::splitScript(script);
    ASSERT_EQ(s.size(), 3);
    EXPECT_EQ(s[0], QStringLiteral("CREATE TABLE A (X INTEGER)"));
    EXPECT_EQ(s[1], QStringLiteral("CREATE PROCEDURE P AS\nBEGIN\n  X = 1;\nEND"));
    EXPECT_EQ(s[2], QStringLiteral("INSERT INTO A VALUES (1)"));
}

} // namespace
