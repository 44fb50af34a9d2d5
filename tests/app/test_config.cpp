#include "app/config.h"
#include "common/session.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

class ConfigTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_program = m_dir.filePath(QStringLiteral("orvan"));
    }

    void writeIni(const QByteArray& bytes) const
    {
        QFile f(m_dir.filePath(QStringLiteral("orvan.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    AppConfig read() const { return AppConfig::read(AppConfig::iniPath(m_program), m_program); }

    QTemporaryDir m_dir;
    QString m_program;
};

TEST_F(ConfigTest, FilesBesideTheProgram)
{
    EXPECT_EQ(AppConfig::iniPath(m_program), m_dir.path() + QStringLiteral("/orvan.ini"));
    EXPECT_EQ(AppConfig::defaultDatabasePath(m_program), m_dir.path() + QStringLiteral("/orvan.gdb"));
}

TEST_F(ConfigTest, DefaultsWithoutFile)
{
    const AppConfig c = read();
    EXPECT_EQ(c.pathname, m_dir.path() + QStringLiteral("/orvan.gdb"));
    EXPECT_EQ(c.username, QStringLiteral("orvan"));
    EXPECT_EQ(c.password, QStringLiteral("qelmo."));
    EXPECT_EQ(c.superadmin, 0);
    EXPECT_EQ(c.kjVisible, 0);
    EXPECT_EQ(c.login, 0);
    EXPECT_EQ(c.kjTest, QStringLiteral("0"));
    EXPECT_EQ(c.sntpServer, QString());
    EXPECT_EQ(c.sntpAuto, 0);
    EXPECT_EQ(c.state, QStringLiteral("CZ"));
    EXPECT_FALSE(c.showSpecialMenu());
    EXPECT_FALSE(c.showLogbook());

    Session s;
    s.LoginRezim = 5;
    s.Stat = QStringLiteral("SK");
    s.SntpServer = QStringLiteral("old");
    s.SntpAuto = 1;
    s.KJTest = true;
    c.applyTo(s);
    EXPECT_EQ(s.LoginRezim, 0);
    EXPECT_EQ(s.Stat, QStringLiteral("CZ"));
    EXPECT_EQ(s.SntpServer, QString());
    EXPECT_EQ(s.SntpAuto, 0);
    EXPECT_FALSE(s.KJTest);
}

TEST_F(ConfigTest, EveryKeyIsRead)
{
    // Names in other cases and a stray duplicate: the profile rules apply.
    writeIni("[db-ib]\r\n"
             "PathName=\\\\server\\share\\firma.gdb\r\n"
             "username=  sekretarka \r\n"
             "password=\"  heslo s mezerou\"\r\n"
             "[KELTA]\r\n"
             "superadmin=1\r\n"
             "[KJ]\r\n"
             "visible=1\r\n"
             "test=738\r\n"
             "[Main]\r\n"
             "login=2\r\n"
             "state=SK\r\n"
             "login=3\r\n"
             "[TIME]\r\n"
             "sntpserver=tik.cesnet.cz\r\n"
             "auto=1\r\n"
             "[DB-IB]\r\n"
             "username=ignored\r\n");
    const AppConfig c = read();
    EXPECT_EQ(c.pathname, QStringLiteral("\\\\server\\share\\firma.gdb"));
    EXPECT_EQ(c.username, QStringLiteral("sekretarka"));
    EXPECT_EQ(c.password, QStringLiteral("  heslo s mezerou"));
    EXPECT_EQ(c.superadmin, 1);
    EXPECT_EQ(c.kjVisible, 1);
    EXPECT_EQ(c.login, 2);
    EXPECT_EQ(c.kjTest, QStringLiteral("738"));
    EXPECT_EQ(c.sntpServer, QStringLiteral("tik.cesnet.cz"));
    EXPECT_EQ(c.sntpAuto, 1);
    EXPECT_EQ(c.state, QStringLiteral("SK"));
    EXPECT_TRUE(c.showSpecialMenu());
    EXPECT_TRUE(c.showLogbook());

    Session s;
    c.applyTo(s);
    EXPECT_EQ(s.LoginRezim, 2);
    EXPECT_EQ(s.Stat, QStringLiteral("SK"));
    EXPECT_EQ(s.SntpServer, QStringLiteral("tik.cesnet.cz"));
    EXPECT_EQ(s.SntpAuto, 1);
    EXPECT_TRUE(s.KJTest);
}

TEST_F(ConfigTest, PathnameWithoutSeparatorLiesBesideTheProgram)
{
    const QString dir = m_dir.path() + u'/';
    struct Case {
        QString value;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral("firma.gdb"), dir + QStringLiteral("firma.gdb")},
        {QStringLiteral("C:firma.gdb"), dir + QStringLiteral("C:firma.gdb")},
        {QStringLiteral("server:firma"), dir + QStringLiteral("server:firma")},
        {QString(), dir},
        {QStringLiteral("server:/srv/orvan/firma.fdb"), QStringLiteral("server:/srv/orvan/firma.fdb")},
        {QStringLiteral("192.168.1.5:C:\\Data\\FIRMA.GDB"),
         QStringLiteral("192.168.1.5:C:\\Data\\FIRMA.GDB")},
        {QStringLiteral("/var/lib/orvan/firma.gdb"), QStringLiteral("/var/lib/orvan/firma.gdb")},
        {QStringLiteral("data/firma.gdb"), QStringLiteral("data/firma.gdb")},
        {QStringLiteral("..\\firma.gdb"), QStringLiteral("..\\firma.gdb")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        writeIni("[DB-IB]\r\npathname=" + c.value.toLatin1() + "\r\n");
        EXPECT_EQ(read().pathname, c.expected);
    }
}

TEST_F(ConfigTest, OnlyExactlyOneShowsMenuAndLogbook)
{
    struct Case {
        const char* value;
        bool shown;
    };
    const Case cases[] = {{"1", true}, {"01", true}, {"2", false}, {"0", false}, {"-1", false}, {"x", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        writeIni(QByteArray("[KELTA]\r\nsuperadmin=") + c.value + "\r\n[KJ]\r\nvisible=" + c.value + "\r\n");
        const AppConfig config = read();
        EXPECT_EQ(config.showSpecialMenu(), c.shown);
        EXPECT_EQ(config.showLogbook(), c.shown);
    }
}

TEST_F(ConfigTest, LogbookTestOnlyFor738)
{
    struct Case {
        const char* line; // nullptr: no key
        bool test;
    };
    const Case cases[] = {
        {"test=738", true},   {"test= 738 ", true}, {"test=\"738\"", true}, {nullptr, false},
        {"test=0", false},    {"test=", false},     {"test=7380", false},   {"test=738x", false},
        {"test=0738", false}, {"test=737", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line ? c.line : "<missing>");
        writeIni(c.line ? QByteArray("[KJ]\r\n") + c.line + "\r\n" : QByteArray("[KJ]\r\n"));
        Session s;
        read().applyTo(s);
        EXPECT_EQ(s.KJTest, c.test);
    }
}

TEST_F(ConfigTest, SetupSwitchIsTheExactFirstArgument)
{
    struct Case {
        QStringList arguments;
        bool setup;
    };
    const Case cases[] = {
        {{"orvan", "setup_local_FB"}, true},
        {{"orvan", "setup_local_FB", "more"}, true},
        {{"orvan", "SETUP_LOCAL_FB"}, false},
        {{"orvan", "setup_local_fb"}, false},
        {{"orvan", "other", "setup_local_FB"}, false},
        {{"orvan"}, false},
        {{}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        EXPECT_EQ(isLocalFbSetupSwitch(c.arguments), c.setup);
    }
}

TEST_F(ConfigTest, LocalFirebirdConfIsReplacedByOneLine)
{
    const QString conf = m_dir.filePath(QStringLiteral("firebird.conf"));
    {
        QFile old(conf);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(
            "RootDirectory = /somewhere/else\nDatabaseAccess = Full\n# a long file that must go away\n");
    }
    for (const QString& dir : {m_dir.path(), m_dir.path() + u'/'}) {
        SCOPED_TRACE(dir.toStdString());
        QString error;
        ASSERT_TRUE(writeLocalFirebirdConf(dir, &error)) << error.toStdString();
        QFile f(conf);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), "RootDirectory  = " + QFile::encodeName(m_dir.path()) + "/fb\n");
    }

    QString error;
    EXPECT_FALSE(writeLocalFirebirdConf(m_dir.filePath(QStringLiteral("missing")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("firebird.conf"))) << error.toStdString();
}

} // namespace
