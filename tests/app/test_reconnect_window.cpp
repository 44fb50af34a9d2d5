// The program cut from its server for a while, through a relay process: one
// message for the loss (not one per refresh), the state in the status bar,
// and an event typed meanwhile kept in its editor and saved once the server
// is back, without a restart.
#include "app/ui/mainform.h"
#include "app/ui/startup.h"
#include "calendar/ui/editudalost.h"
#include "common/commandtarget.h"
#include "common/messages.h"
#include "common/session.h"
#include "common/ui/kteditdc.h"
#include "fixtures/relay.h"
#include "fixtures/testdb.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace
{

TEST(WindowReconnect, TypedEventIsSavedOnceTheServerIsBack)
{
    testdb::ServerDatabase database;
    ORVAN_REQUIRE_SERVER_OR_SKIP(database);
    testdb::Relay relay;
    ASSERT_GT(relay.port, 0);
    TSQLDATA office;
    ASSERT_TRUE(office.PripojDatabazi(database.path(), QStringLiteral("orvan"), QStringLiteral("qelmo.")));
    testdb::addUser(office, QStringLiteral("admin"), QString(), true, true);

    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("orvan.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[DB-IB]\r\npathname=%1\r\n").arg(relay.path(database.path())).toLocal8Bit());
    ini.close();
    session() = Session();
    messages::takeShown();
    const std::unique_ptr<Tmainform> okno = SpustOrvan(dir.filePath(QStringLiteral("orvan")), {});
    Tmainform& w = *okno;
    ASSERT_TRUE(w.Prihlaseno()) << messages::takeShown().join(QLatin1Char('|')).toStdString();
    SQLDATA().setIntervalObnovy(200);
    w.show();

    w.command(WM_EDIT_EVENT, 0, LP_EDIT_RECORD);
    Teditudalost* ed = w.findChild<Teditudalost*>();
    ASSERT_TRUE(ed && ed->isVisible());
    ed->KTEDITDC_DATUM->setText(QStringLiteral("7.9.2026"));
    ed->Edit_NAZEV->setFocus();
    QTest::keyClicks(ed->Edit_NAZEV, QStringLiteral("Porada po vypadku"));

    ASSERT_TRUE(relay.cut());
    // Change events and activations read again: one box for the loss in all.
    w.command(WM_DATA_CHANGED, 0, 0);
    w.command(WM_DATA_CHANGED, 0, 0);
    EXPECT_EQ(messages::takeShown(), QStringList{TextSpojeniPreruseno});
    EXPECT_TRUE(w.LabelSpojeni->isVisible());
    if (const QString shots = qEnvironmentVariable("ORVAN_SCREENSHOT_DIR"); !shots.isEmpty())
        w.grab().save(shots + QStringLiteral("/spojeni-preruseno.png"));

    QTest::mouseClick(ed->SB_SAVE, Qt::LeftButton);
    EXPECT_EQ(messages::takeShown(), QStringList{TextBezSpojeni});
    EXPECT_TRUE(ed->isVisible());
    EXPECT_EQ(ed->Edit_NAZEV->text(), QStringLiteral("Porada po vypadku"));

    ASSERT_TRUE(relay.restore());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.LabelSpojeni->isVisible(); }, 20000));
    QTest::mouseClick(ed->SB_SAVE, Qt::LeftButton);
    EXPECT_EQ(messages::takeShown(), QStringList());
    EXPECT_FALSE(ed->isVisible());
    office.ObnovTransakci();
    EXPECT_EQ(office.VratInt(QStringLiteral("select count(*) from ku where nazev='Porada po vypadku'")), 1);
    // Present again after the reconnection.
    EXPECT_EQ(office.VratInt(QStringLiteral("select prihlasen from uzivatel where login='admin'")), 1);
}

} // namespace
