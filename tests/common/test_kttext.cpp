#include "common/cp1250.h"
#include "common/kttext.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace
{

std::string S(const QString& s)
{
    return s.toStdString();
}
QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(NahradVse, ReplacesEveryOccurrence)
{
    struct Case {
        const char *text, *from, *to, *expected;
    } cases[] = {
        {"8:00 Porada u ředitele", " ", "&nbsp;", "8:00&nbsp;Porada&nbsp;u&nbsp;ředitele"},
        {"a;b;;c", ";", "\",\"", "a\",\"b\",\"\",\"c"},
        {"say \"hi\"", "\"", "'", "say 'hi'"},
        {"a;b", ";", ";", "a;b"},
        {"", " ", "&nbsp;", ""},
        {"abc", "", "x", "abc"},             // nothing to search for
        {"aXa", "a", "aa", "aaXaa"},         // the replacement contains the searched text
        {"Porada", "porada", "x", "Porada"}, // case matters
    };
    for (const Case& c : cases) {
        QString text = Q(c.text);
        NahradVse(text, Q(c.from), Q(c.to));
        EXPECT_EQ(S(text), c.expected) << c.text;
    }
}

TEST(NahradVse, LongTexts)
{
    QString text = QString(1000, QLatin1Char(' '));
    NahradVse(text, QStringLiteral(" "), QStringLiteral("&nbsp;"));
    EXPECT_EQ(text, QStringLiteral("&nbsp;").repeated(1000));
}

TEST(OpakujZnak, Counts)
{
    EXPECT_EQ(S(OpakujZnak(0, u'x')), "");
    EXPECT_EQ(S(OpakujZnak(-3, u'x')), "");
    EXPECT_EQ(S(OpakujZnak(3, u'0')), "000");
    EXPECT_EQ(OpakujZnak(300, u'-').size(), 300);
}

class CzechLocale : public ::testing::Test
{
protected:
    // A locale whose decimal separator is a comma must not change the results.
    void SetUp() override
    {
        m_saved = QLocale();
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    }
    void TearDown() override { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

TEST_F(CzechLocale, TextNaCislo)
{
    struct Case {
        const char* text;
        double expected;
    } cases[] = {
        {"12.5", 12.5}, {"12,5", 0},       {"", 0},     {"1e3", 1000}, {"  -3.25", -3.25},
        {"+7", 7},      {"1.5E-2", 0.015}, {".5", 0.5}, {"12.", 12},   {"12.5 ", 0},
        {"abc", 0},     {"1e", 0},         {"-", 0},    {"1.2.3", 0},  {"1 000", 0},
        {"0x10", 0},    {"inf", 0},        {"nan", 0},  {"1e999", 0},  {"\t5", 0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(TextNaCislo(Q(c.text)), c.expected) << '"' << c.text << '"';
}

TEST_F(CzechLocale, CisloNaText)
{
    struct Case {
        int width, decimals;
        double value;
        const char* expected;
    } cases[] = {
        {20, 10, 12.5, "       12.5000000000"},
        {20, 10, 123, "      123.0000000000"},
        {8, 2, -2.5, "   -2.50"},
        {0, 3, 1234.5678, "1234.568"},
        {3, 2, 98765.4, "98765.40"}, // longer than the width: not cut
        {0, 0, 7.75, "8"},
        {5, 2, -0.001, " 0.00"}, // no negative zero
    };
    for (const Case& c : cases)
        EXPECT_EQ(S(CisloNaText(c.width, c.decimals, c.value)), c.expected) << c.value;
}

TEST(ZapisSoubor, WritesOneWindows1250Line)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("firebird.conf"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100, 'x'));
    }
    QString error = QStringLiteral("stale");
    EXPECT_TRUE(ZapisSoubor(path, Q("Providers = Engine12 # Příliš žluťoučký"), &error));
    EXPECT_TRUE(error.isEmpty());

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(S(cp1250::decode(bytes)), "Providers = Engine12 # Příliš žluťoučký\r\n");
    EXPECT_EQ(bytes.size(), 41); // one byte per letter, old content gone
}

TEST(ZapisSoubor, FailuresGiveFalse)
{
    QTemporaryDir dir;
    const QString kept = dir.filePath(QStringLiteral("kept.txt"));
    ASSERT_TRUE(ZapisSoubor(kept, QStringLiteral("old")));

    QString error;
    // A character outside Windows-1250 is an error, not a "?", and the old file stays.
    EXPECT_FALSE(ZapisSoubor(kept, Q("Ω"), &error));
    EXPECT_FALSE(error.isEmpty());
    QFile f(kept);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old\r\n"));

    EXPECT_FALSE(ZapisSoubor(dir.filePath(QStringLiteral("missing/dir/x.txt")), QStringLiteral("x")));
    EXPECT_FALSE(ZapisSoubor(dir.path(), QStringLiteral("x"))); // a folder, not a file
    if (QFile::exists(QStringLiteral("/dev/full"))) {           // a full disk
        EXPECT_FALSE(ZapisSoubor(QStringLiteral("/dev/full"), QStringLiteral("x")));
    }
}

TEST(VelkaPismena, CentralEuropeanLetters)
{
    struct Case {
        const char *text, *expected;
    } cases[] = {
        {"příliš žluťoučký kůň", "PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ"},
        {"ľadová ôsmička", "ĽADOVÁ ÔSMIČKA"},
        // Every lower-case letter of the table, then its upper-case form.
        {"áäčďěéëíĺľňóöřŕšťúůýžźôśżâăîńőű", "ÁÄČĎĚÉËÍĹĽŇÓÖŘŔŠŤÚŮÝŽŹÔŚŻÂĂÎŃŐŰ"},
        {"ÁÄČĎĚÉËÍĹĽŇÓÖŘŔŠŤÚŮÝŽŹÔŚŻÂĂÎŃŐŰ", "ÁÄČĎĚÉËÍĹĽŇÓÖŘŔŠŤÚŮÝŽŹÔŚŻÂĂÎŃŐŰ"},
        {"łąęţşçüß", "łąęţşçüß"}, // letters the table lacks stay as they are
        {"a1-b.?_z{}", "A1-B.?_Z{}"},
        {"жΩ", "жΩ"},
        {"", ""},
    };
    for (const Case& c : cases) {
        const QString result = VelkaPismena(Q(c.text));
        EXPECT_EQ(S(result), c.expected) << c.text;
        EXPECT_EQ(result.size(), Q(c.text).size());
    }
}

} // namespace
