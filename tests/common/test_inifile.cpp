#include "common/cp1250.h"
#include "common/inifile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

class IniFileTest : public ::testing::Test
{
protected:
    QString path(const QString& name = QStringLiteral("test.ini")) const { return m_dir.filePath(name); }

    void writeBytes(const QByteArray& bytes, const QString& name = QStringLiteral("test.ini")) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray readBytes(const QString& name = QStringLiteral("test.ini")) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The text as Windows-1250 bytes, as the Windows program would have saved it.
    static QByteArray win1250(const QString& text)
    {
        QByteArray bytes;
        EXPECT_TRUE(cp1250::encode(text, bytes));
        return bytes;
    }

    QTemporaryDir m_dir;
};

TEST_F(IniFileTest, ReadsLikeTheProfileFunctions)
{
    writeBytes(win1250(QStringLiteral("orphan=before any section\r\n"
                                      "; comment=not a key\r\n"
                                      "  [ Data ]  trailing text\r\n"
                                      "Name=first\r\n"
                                      "NAME=second\r\n"
                                      "  spaced  =   padded value \t\r\n"
                                      "dq=\" kept blanks \"\r\n"
                                      "sq=' single '\r\n"
                                      "mixed=\"not matching'\r\n"
                                      "half=\"open\n" // LF-only line ending
                                      "inner=a \"b\" c\r\n"
                                      "onlyquote=\"\r\n"
                                      "twice=\"\"x\"\"\r\n"
                                      "empty=\r\n"
                                      "bare key\r\n"
                                      "eq=a=b\r\n"
                                      "  ;indented=comment\r\n"
                                      "czech=Žluťoučký kůň\r\n"
                                      "[other]\r\n"
                                      "x=from other\r\n"
                                      "[DATA]\r\n"
                                      "name=duplicate section\r\n"
                                      "late=only in the second section\r\n")));
    const IniFile ini(path());
    const QString def = QStringLiteral("<default>");

    struct Case {
        const char* section;
        const char* key;
        QString expected;
    };
    const Case cases[] = {
        {"data", "name", QStringLiteral("first")},
        {"DATA", "Spaced", QStringLiteral("padded value")},
        {"data", "dq", QStringLiteral(" kept blanks ")},
        {"data", "sq", QStringLiteral(" single ")},
        {"data", "mixed", QStringLiteral("\"not matching'")},
        {"data", "half", QStringLiteral("\"open")},
        {"data", "inner", QStringLiteral("a \"b\" c")},
        {"data", "onlyquote", QStringLiteral("\"")},
        {"data", "twice", QStringLiteral("\"x\"")},
        {"data", "empty", QString()},
        {"data", "bare key", QString()},
        {"data", "eq", QStringLiteral("a=b")},
        {"data", "czech", QStringLiteral("Žluťoučký kůň")},
        {"other", "x", QStringLiteral("from other")},
        {"data", "; comment", def},
        {"data", ";indented", def},
        {"data", "late", def},
        {"data", "x", def},
        {"data", "orphan", def},
        {"missing", "name", def},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ini.ReadString(QString::fromUtf8(c.section), QString::fromUtf8(c.key), def), c.expected);
    }

    QStringList keys{QStringLiteral("stale")};
    ini.ReadSection(QStringLiteral("data"), keys);
    EXPECT_EQ(keys, (QStringList{"Name", "spaced", "dq", "sq", "mixed", "half", "inner", "onlyquote", "twice",
                                 "empty", "bare key", "eq", "czech"}));
}

TEST_F(IniFileTest, ReadIntegerTakesLeadingDigits)
{
    struct Case {
        const char* value; // nullptr: key missing
        int expected;
    };
    const Case cases[] = {
        {"42", 42},
        {"  -7  ", -7},
        {"+3", 3},
        {"007", 7},
        {"12abc", 12},
        {"1.9", 1},
        {"\"5\"", 5},
        {"\" 6\"", 6},
        {"abc", 99},
        {"", 99},
        {"-", 99},
        {"- 1", 99},
        {"0x1F", 0},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", 99},
        {"99999999999999999999", 99},
        {nullptr, 99},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value ? c.value : "<missing>");
        writeBytes(c.value ? QByteArray("[s]\r\nn=") + c.value + "\r\n" : QByteArray("[s]\r\n"));
        EXPECT_EQ(IniFile(path()).ReadInteger(QStringLiteral("S"), QStringLiteral("N"), 99), c.expected);
    }
}

TEST_F(IniFileTest, SectionExistsByHeader)
{
    writeBytes("[empty]\r\n\r\n[full]\r\na=1\r\n");
    const IniFile ini(path());
    EXPECT_TRUE(ini.SectionExists(QStringLiteral("EMPTY")));
    EXPECT_TRUE(ini.SectionExists(QStringLiteral("Full")));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("none")));

    QStringList keys{QStringLiteral("stale")};
    ini.ReadSection(QStringLiteral("empty"), keys);
    EXPECT_TRUE(keys.isEmpty());
}

TEST_F(IniFileTest, AwkwardValuesSurviveAndPlainOnesStayBare)
{
    struct Case {
        QString value;
        QByteArray written; // the line in the file, Windows-1250
    };
    const Case cases[] = {
        {QString(), "v="},
        {QStringLiteral("plain text"), "v=plain text"},
        {QStringLiteral(" lead"), "v=\" lead\""},
        {QStringLiteral("trail\t"), "v=\"trail\t\""},
        {QStringLiteral("\u00A0nbsp"), "v=\"\xA0nbsp\""},
        {QStringLiteral("\"quoted\""), "v=\"\"quoted\"\""},
        {QStringLiteral("'single'"), "v=\"'single'\""},
        {QStringLiteral("\""), "v=\"\"\""},
        {QStringLiteral("'"), "v=\"'\""},
        {QStringLiteral("\"half"), "v=\"\"half\""},
        {QStringLiteral("half'"), "v=\"half'\""},
        {QStringLiteral("in \"the\" middle"), "v=in \"the\" middle"},
        {QStringLiteral("C:\\new\\table"), "v=C:\\new\\table"},
        {QStringLiteral("\\"), "v=\\"},
        {QStringLiteral("\\r\\n\\"), "v=\\r\\n\\"},
        {QStringLiteral("\"\\a\\r\\\""), "v=\"\"\\a\\r\\\"\""},
        {QStringLiteral("a=b ; [c]"), "v=a=b ; [c]"},
        {QStringLiteral("line 1\r\nline 2"), "v=\"\\line 1\\r\\nline 2\\\""},
        {QStringLiteral("\n"), "v=\"\\\\n\\\""},
        {QStringLiteral("\r"), "v=\"\\\\r\\\""},
        {QStringLiteral("C:\\dir\\\nnext"), "v=\"\\C:\\\\dir\\\\\\nnext\\\""},
        {QStringLiteral(" \"x\n' "), "v=\"\\ \"x\\n' \\\""},
        {QStringLiteral("\\\n\\"), "v=\"\\\\\\\\n\\\\\\\""},
        {QStringLiteral("Příliš žluťoučký kůň"),
         "v=P\xF8\xED\x6C\x69\x9A \x9Elu\x9Dou\xE8\x6B\xFD k\xF9\xF2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        QFile::remove(path());
        IniFile out(path());
        ASSERT_TRUE(out.WriteString(QStringLiteral("s"), QStringLiteral("v"), c.value));
        ASSERT_TRUE(out.UpdateFile()) << out.ErrorString().toStdString();
        EXPECT_EQ(readBytes(), "[s]\r\n" + c.written + "\r\n");
        EXPECT_EQ(IniFile(path()).ReadString(QStringLiteral("s"), QStringLiteral("v"), QStringLiteral("?")),
                  c.value);
    }
}

TEST_F(IniFileTest, EscapeLookalikesInForeignFilesReadAsWindowsReadsThem)
{
    writeBytes("[s]\r\n"
               "unc=\"\\\\server\\share\\\"\r\n"
               "bare=\"\\path\\\"\r\n"
               "pair=\"\\\\\"\r\n"
               "noBreak=\"\\a\\\\b\\\"\r\n"
               "tail=\"\\a\\nb\\\\\"\r\n");
    const IniFile ini(path());
    const auto read = [&](const char* key) { return ini.ReadString("s", QString::fromLatin1(key), "?"); };
    EXPECT_EQ(read("unc"), QStringLiteral("\\\\server\\share\\"));
    EXPECT_EQ(read("bare"), QStringLiteral("\\path\\"));
    EXPECT_EQ(read("pair"), QStringLiteral("\\\\"));
    EXPECT_EQ(read("noBreak"), QStringLiteral("\\a\\\\b\\"));
    EXPECT_EQ(read("tail"), QStringLiteral("\\a\\nb\\\\"));
}

TEST_F(IniFileTest, WritesKeepTheRestOfTheFile)
{
    writeBytes("; header comment\r\n"
               "[A]\r\n"
               "Key=1\r\n"
               "  other = kept as it was \r\n"
               "; trailing comment\r\n"
               "\r\n"
               "[B]\r\n"
               "y=2\r\n");
    IniFile ini(path());
    ASSERT_TRUE(ini.WriteString(QStringLiteral("a"), QStringLiteral("KEY"), QStringLiteral("9")));
    ASSERT_TRUE(ini.WriteString(QStringLiteral("a"), QStringLiteral("new"), QStringLiteral("n")));
    ASSERT_TRUE(ini.WriteInteger(QStringLiteral("b"), QStringLiteral("z"), -3));
    ASSERT_TRUE(ini.WriteString(QStringLiteral("C"), QStringLiteral("k"), QStringLiteral("v")));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(readBytes(), "; header comment\r\n"
                           "[A]\r\n"
                           "Key=9\r\n"
                           "  other = kept as it was \r\n"
                           "new=n\r\n"
                           "; trailing comment\r\n"
                           "\r\n"
                           "[B]\r\n"
                           "y=2\r\n"
                           "z=-3\r\n"
                           "\r\n"
                           "[C]\r\n"
                           "k=v\r\n");
}

TEST_F(IniFileTest, WritesGoToTheFirstSectionAndKeyOfAName)
{
    writeBytes("[s]\r\nk=1\r\nK=2\r\n[S]\r\nk=3\r\n");
    IniFile ini(path());
    ASSERT_TRUE(ini.WriteString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("x")));
    EXPECT_EQ(ini.ReadString(QStringLiteral("s"), QStringLiteral("k"), QString()), QStringLiteral("x"));
    ini.DeleteKey(QStringLiteral("s"), QStringLiteral("K"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("gone")),
              QStringLiteral("gone"));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(readBytes(), "[s]\r\n[S]\r\nk=3\r\n");
}

TEST_F(IniFileTest, EraseSectionRemovesEveryCopy)
{
    writeBytes("[keep]\r\na=1\r\n\r\n[gone]\r\nb=2\r\n; note\r\n\r\n[Keep2]\r\nc=3\r\n\r\n[GONE]\r\nd=4\r\n");
    IniFile ini(path());
    ini.EraseSection(QStringLiteral("Gone"));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("gone")));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(readBytes(), "[keep]\r\na=1\r\n\r\n[Keep2]\r\nc=3\r\n");
}

TEST_F(IniFileTest, ClearLeavesNoOldKeys)
{
    writeBytes("[CATEGORY]\r\nmain=Old\r\nc001=a\r\nc002=b\r\nc003=c\r\n[x]\r\ny=1\r\n");
    IniFile ini(path());
    ini.Clear();
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("x")));
    ASSERT_TRUE(ini.WriteString(QStringLiteral("CATEGORY"), QStringLiteral("main"), QStringLiteral("New")));
    ASSERT_TRUE(ini.WriteString(QStringLiteral("CATEGORY"), QStringLiteral("c001"), QStringLiteral("a")));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(readBytes(), "[CATEGORY]\r\nmain=New\r\nc001=a\r\n");
}

TEST_F(IniFileTest, MissingFileReadsEmptyAndIsOnlyCreatedByAChange)
{
    {
        IniFile ini(path());
        EXPECT_EQ(ini.ReadString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("d")),
                  QStringLiteral("d"));
        EXPECT_TRUE(ini.UpdateFile());
        EXPECT_FALSE(QFile::exists(path()));
        ASSERT_TRUE(ini.WriteString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")));
        // Nothing reaches the disk before UpdateFile.
        EXPECT_FALSE(QFile::exists(path()));
        ASSERT_TRUE(ini.UpdateFile());
    }
    EXPECT_EQ(readBytes(), "[s]\r\nk=v\r\n");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"test.ini"});
}

TEST_F(IniFileTest, Utf8WithByteOrderMarkIsAccepted)
{
    writeBytes("\xEF\xBB\xBF[DB-IB]\r\npathname=/data/\xC5\xBEluv.gdb\r\n");
    IniFile ini(path());
    EXPECT_EQ(ini.ReadString(QStringLiteral("db-ib"), QStringLiteral("pathname"), QString()),
              QStringLiteral("/data/žluv.gdb"));
    ASSERT_TRUE(ini.WriteString(QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("1")));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(readBytes(), "[DB-IB]\r\npathname=/data/\x9Eluv.gdb\r\n\r\n[x]\r\ny=1\r\n");
}

TEST_F(IniFileTest, RefusedWriteLeavesTheFileUnchanged)
{
    const QByteArray original = "[DATA]\r\nnazev=Porada\r\n";
    struct Case {
        const char* what;
        QString section, key, value;
    };
    const Case cases[] = {
        {"value outside Windows-1250", "DATA", "nazev", QStringLiteral("Porada 中")},
        {"value with line break and foreign letter", "DATA", "nazev", QStringLiteral("a\r\nñ")},
        {"key outside Windows-1250", "DATA", QStringLiteral("Ω"), "x"},
        {"section outside Windows-1250", QStringLiteral("Ω"), "k", "x"},
        {"key with equals sign", "DATA", "a=b", "x"},
        {"key with line break", "DATA", "a\nb", "x"},
        {"empty key", "DATA", "", "x"},
        {"key that reads as a comment", "DATA", ";k", "x"},
        {"key with blanks around", "DATA", " k", "x"},
        {"section with bracket", "DA]TA", "k", "x"},
        {"section with line break", "DA\rTA", "k", "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(original);
        IniFile ini(path());
        ASSERT_TRUE(
            ini.WriteString(QStringLiteral("DATA"), QStringLiteral("cas_od"), QStringLiteral("10:00")));
        EXPECT_FALSE(ini.WriteString(c.section, c.key, c.value));
        const QString error = ini.ErrorString();
        EXPECT_FALSE(error.isEmpty());
        // Writes after the refusal change nothing either.
        ASSERT_TRUE(ini.WriteString(QStringLiteral("DATA"), QStringLiteral("alarm"), QStringLiteral("0")));
        EXPECT_FALSE(ini.UpdateFile());
        EXPECT_EQ(ini.ErrorString(), error);
        EXPECT_EQ(readBytes(), original);
    }

    IniFile ini(path());
    EXPECT_FALSE(
        ini.WriteString(QStringLiteral("DATA"), QStringLiteral("nazev"), QStringLiteral("Porada 中")));
    EXPECT_TRUE(ini.ErrorString().contains(QStringLiteral("Windows-1250")))
        << ini.ErrorString().toStdString();
    EXPECT_TRUE(ini.ErrorString().contains(QStringLiteral("nelze"))) << ini.ErrorString().toStdString();
    EXPECT_TRUE(ini.ErrorString().contains(QStringLiteral("中")));
}

TEST_F(IniFileTest, UpdateFileReportsAnUnwritablePlace)
{
    IniFile ini(m_dir.filePath(QStringLiteral("no such folder/x.ini")));
    ASSERT_TRUE(ini.WriteString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")));
    EXPECT_FALSE(ini.UpdateFile());
    EXPECT_TRUE(ini.ErrorString().contains(QStringLiteral("x.ini"))) << ini.ErrorString().toStdString();
}

TEST_F(IniFileTest, ListIsWrittenAsCountAndNumberedKeys)
{
    writeBytes(
        "[DATAMEMO]\r\nCount=5\r\n0=old\r\n1=old\r\n2=old\r\n3=old\r\n4=old\r\n[CATEGORY]\r\nmain=M\r\n");
    const QStringList lines{QStringLiteral("first"), QString(), QStringLiteral("  indented \"x\"")};
    {
        IniFile ini(path());
        ASSERT_TRUE(UlozSeznamIni(ini, QStringLiteral("datamemo"), lines));
        ASSERT_TRUE(ini.UpdateFile());
    }
    EXPECT_EQ(readBytes(), "[CATEGORY]\r\nmain=M\r\n\r\n"
                           "[datamemo]\r\nCount=3\r\n0=first\r\n1=\r\n2=\"  indented \"x\"\"\r\n");

    QStringList read{QStringLiteral("stale")};
    NactiSeznamIni(IniFile(path()), QStringLiteral("DATAMEMO"), read);
    EXPECT_EQ(read, lines);

    IniFile empty(path());
    ASSERT_TRUE(UlozSeznamIni(empty, QStringLiteral("DATAMEMO"), {}));
    NactiSeznamIni(empty, QStringLiteral("DATAMEMO"), read);
    EXPECT_TRUE(read.isEmpty());
    EXPECT_EQ(empty.ReadString(QStringLiteral("DATAMEMO"), QStringLiteral("Count"), QString()),
              QStringLiteral("0"));
}

TEST_F(IniFileTest, ListReadFollowsCount)
{
    struct Case {
        const char* what;
        QByteArray section;
        QStringList expected;
    };
    const Case cases[] = {
        {"Count below the keys", "Count=2\r\n0=a\r\n1=b\r\n2=c\r\n", {"a", "b"}},
        {"Count above the keys", "Count=4\r\n0=a\r\n2=c\r\n", {"a", "", "c"}},
        {"Count far above the keys", "Count=2000000000\r\n0=a\r\n1=b\r\n", {"a", "b"}},
        {"keys not in canonical form", "Count=3\r\n00=a\r\n+1=b\r\n", {}},
        {"Count missing", "0=a\r\n1=b\r\n", {}},
        {"Count negative", "Count=-1\r\n0=a\r\n", {}},
        {"Count not a number", "Count=x\r\n0=a\r\n", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes("[L]\r\n" + c.section);
        QStringList read{QStringLiteral("stale")};
        NactiSeznamIni(IniFile(path()), QStringLiteral("L"), read);
        EXPECT_EQ(read, c.expected);
    }
}

TEST_F(IniFileTest, ListWithAnUnwritableLineIsNotSaved)
{
    const QByteArray original = "[DATAMEMO]\r\nCount=1\r\n0=old\r\n";
    writeBytes(original);
    IniFile ini(path());
    EXPECT_FALSE(
        UlozSeznamIni(ini, QStringLiteral("DATAMEMO"), {QStringLiteral("ok"), QStringLiteral("ŧ中")}));
    EXPECT_TRUE(ini.ErrorString().contains(QStringLiteral("Windows-1250")));
    EXPECT_FALSE(ini.UpdateFile());
    EXPECT_EQ(readBytes(), original);
}

} // namespace
