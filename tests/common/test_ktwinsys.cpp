#include "common/action.h"
#include "common/ktwinsys.h"
#include "common/messages.h"
#include "common/ui/aboutbox.h"
#include "data/dbupgrade.h"
#include "fixtures/testdb.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSysInfo>

namespace
{

TEST(Workstation, NamesOfUserAndComputer)
{
    const QString computer = JmenoPocitace();
    EXPECT_FALSE(computer.isEmpty());
    EXPECT_EQ(computer, QSysInfo::machineHostName());

    // The account of the process counts, not what the environment claims.
    const QString user = JmenoUzivatele();
    EXPECT_FALSE(user.isEmpty());
    EXPECT_EQ(user, user.trimmed());
    const QByteArray saved = qgetenv("USER");
    qputenv("USER", "nekdo-jiny");
    EXPECT_EQ(JmenoUzivatele(), user);
    qputenv("USER", saved);
}

// A presence names its workstation by system user and computer.
TEST(Workstation, MarkOfTheWorkstation)
{
    const QString mark = OznaceniStanice();
    EXPECT_TRUE(mark.contains(JmenoPocitace())) << mark.toStdString();
    EXPECT_EQ(mark, QString::fromLatin1(mark.toLatin1())) << "plain ASCII";
    const QByteArray saved = qgetenv("USER");
    qputenv("USER", "nekdo-jiny");
    EXPECT_EQ(OznaceniStanice(), mark) << "the account, not the environment";
    qputenv("USER", saved);
}

// A process is recognised while it runs and never after; the same process id
// with another start time or from another boot is another process.
TEST(Workstation, ProcessMarks)
{
    const QString own = OznaceniProcesu();
    ASSERT_FALSE(own.isEmpty());
    EXPECT_EQ(own.section(u'/', 1, 1), QString::number(QCoreApplication::applicationPid()));
    EXPECT_EQ(OznaceniProcesu(), own);
    EXPECT_TRUE(ProcesBezi(own));

    QProcess child;
    child.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    ASSERT_TRUE(child.waitForStarted());
    const qint64 pid = child.processId();
    const QString mark = OznaceniProcesu(pid);
    ASSERT_FALSE(mark.isEmpty());
    EXPECT_NE(mark, own);
    EXPECT_TRUE(ProcesBezi(mark));
    const QStringList part = mark.split(u'/');
    ASSERT_EQ(part.size(), 3);
    for (const QString& other :
         {part[0] + u'/' + part[1] + u'/' + QString::number(part[2].toLongLong() + 1),
          QStringLiteral("00000000-0000-0000-0000-000000000000/") + part[1] + u'/' + part[2], QString(),
          QStringLiteral("x"), QStringLiteral("a/b/c"), part[0] + QStringLiteral("/-1/") + part[2]})
        EXPECT_FALSE(ProcesBezi(other)) << other.toStdString();

    child.kill(); // by its own id
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_FALSE(ProcesBezi(mark));
    EXPECT_EQ(OznaceniProcesu(pid), QString());
}

TEST(Workstation, FirstIPv4Address)
{
    const struct {
        const char* name;
        const char* address;
    } cases[] = {
        {"127.0.0.1", "127.0.0.1"},
        {"localhost", "127.0.0.1"},
        {"::1", ""}, // an address, but not IPv4
        {"nic-takoveho.invalid", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IPAdresa(QString::fromLatin1(c.name)), QString::fromLatin1(c.address)) << c.name;

    // This computer: whatever its own name resolves to, as a dotted quad.
    const QString own = IPAdresa();
    EXPECT_EQ(own, IPAdresa(JmenoPocitace()));
    if (!own.isEmpty()) {
        QHostAddress parsed;
        EXPECT_TRUE(parsed.setAddress(own));
        EXPECT_EQ(parsed.protocol(), QAbstractSocket::IPv4Protocol);
        EXPECT_EQ(parsed.toString(), own);
    }
}

class AboutBox : public DbTest
{
};

TEST_F(AboutBox, ShowsVersionsAndWorkstation)
{
    int reads = 0;
    TAboutBox box([&] {
        ++reads;
        db().ObnovTransakci();
        return db().VerzeDat();
    });
    box.show();
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("ProductName"))->text(), QStringLiteral("Orvan"));
    EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("Label_Version"))->text(), QStringLiteral("1.11 cz IB"));
    EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("Label_verze_dat"))->text(),
              QString::number(dbupgrade::AktualniVerze()));
    EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("Label_JmenoPC"))->text(), JmenoPocitace());
    EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("Label_Uzivatel"))->text(), JmenoUzivatele());
    EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("Label_IPADRESA"))->text(), IPAdresa(JmenoPocitace()));

    QStringList texts;
    for (const QLabel* label : box.findChildren<QLabel*>())
        texts << label->text();
    for (const char* caption : {"verze programu", "verze dat", "Jméno PC", "Uživatel", "IP Adresa",
                                "Při vývoji tohoto programu byly použity komponenty:"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(caption))) << caption;
    EXPECT_TRUE(box.Label_Web->text().contains(WebProduktu()));

    QPushButton* ok = box.findChild<QPushButton*>(QStringLiteral("OKButton"));
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    ok->click();
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);

    // Read again at every show: a changed version, then an empty table.
    exec(QStringLiteral("update verze set verze_cislo=7"));
    box.show();
    EXPECT_EQ(box.Label_verze_dat->text(), QStringLiteral("7"));
    box.hide();
    exec(QStringLiteral("delete from verze"));
    box.show();
    EXPECT_EQ(box.Label_verze_dat->text(), QStringLiteral("0"));
    box.hide();
    EXPECT_EQ(reads, 3);
    EXPECT_EQ(messages::takeShown(), QStringList());
}

TEST(AboutBoxFailure, UnreadableVersionIsShownAndLeftEmpty)
{
    messages::takeShown();
    TAboutBox box([]() -> int { throw ActionError(QStringLiteral("spojení přerušeno")); });
    box.show();
    EXPECT_EQ(box.Label_verze_dat->text(), QString());
    EXPECT_EQ(box.Label_Version->text(), QStringLiteral("1.11 cz IB"));
    EXPECT_EQ(messages::takeShown(), QStringList{QStringLiteral("spojení přerušeno")});
}

} // namespace
