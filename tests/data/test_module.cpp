#include "common/commandtarget.h"
#include "common/messages.h"
#include "common/session.h"
#include "data/dberror.h"
#include "data/dbschema.h"
#include "data/dbupgrade.h"
#include "data/sqlvalues.h"
#include "fixtures/testdb.h"

#include <QFile>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QTextDocument>
#include <atomic>
#include <ctime>
#include <thread>

namespace
{

class Recorder : public CommandTarget
{
public:
    void command(int message, std::intptr_t, std::intptr_t) override { received << message; }
    QList<int> received;
};

class DataModule : public DbTest
{
};

TEST_F(DataModule, ValuesComeBackAsFixedTexts)
{
    exec(QStringLiteral("insert into KU (KU_ID, DATUM, CAS_OD, NAZEV, ALARM) values "
                        "(1, \"5.3.2004\", \"5.3.2004 14:30:00\", \"Porada, \"\"velká\"\"\", NULL)"));
    exec(QStringLiteral(
        "insert into KU (KU_ID, DATUM, CAS_OD, NAZEV) values (2, \"1.12.2004\", \"1.12.2004 8:05:00\", "
        "\"Příliš žluťoučký kůň\")"));
    EXPECT_EQ(
        db().VratRadek(QStringLiteral("select KU_ID, DATUM, CAS_OD, ALARM, CAS_DO from KU where KU_ID=1")),
        QStringLiteral("1,5.3.2004,5.3.2004 14:30:00,,"));
    EXPECT_EQ(db().VratRadek(QStringLiteral("select DATUM, CAS_OD, NAZEV from KU where KU_ID=2")),
              QStringLiteral("1.12.2004,1.12.2004 8:05:00,Příliš žluťoučký kůň"));
    EXPECT_EQ(db().VratRadek(QStringLiteral("select NAZEV from KU where KU_ID=1")),
              QStringLiteral("Porada, \"velká\""));
    EXPECT_EQ(db().VratRadek(QStringLiteral("select * from KU where KU_ID=0")), QString());
    exec(QStringLiteral("delete from KU"));
}

TEST_F(DataModule, ColumnJoiningSkipsLeadingEmptyValues)
{
    exec(QStringLiteral("insert into KJ_C_DUVOD (KJ_C_DUVOD_ID, DUVOD) values (1, NULL)"));
    exec(QStringLiteral("insert into KJ_C_DUVOD (KJ_C_DUVOD_ID, DUVOD) values (2, \"a\")"));
    exec(QStringLiteral("insert into KJ_C_DUVOD (KJ_C_DUVOD_ID, DUVOD) values (3, NULL)"));
    exec(QStringLiteral("insert into KJ_C_DUVOD (KJ_C_DUVOD_ID, DUVOD) values (4, \"b\")"));
    EXPECT_EQ(db().VratSloupec(QStringLiteral("select DUVOD from KJ_C_DUVOD order by KJ_C_DUVOD_ID"),
                               QStringLiteral(",")),
              QStringLiteral("a,,b"));

    QStringList lines;
    db().NactiDotaz(QStringLiteral("select KJ_C_DUVOD_ID, DUVOD from KJ_C_DUVOD order by 1"), true, lines,
                    QString());
    EXPECT_EQ(lines, (QStringList{QStringLiteral("KJ_C_DUVOD_ID,DUVOD"), QStringLiteral("1,"),
                                  QStringLiteral("2,a"), QStringLiteral("3,"), QStringLiteral("4,b")}));
    db().NactiDotaz(QStringLiteral("select DUVOD, KJ_C_DUVOD_ID from KJ_C_DUVOD order by 2"), false, lines,
                    QStringLiteral(";"));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("1"), QStringLiteral("a;2"), QStringLiteral("3"),
                                  QStringLiteral("b;4")}));
    // A list read again into the room of its rows: a copy held elsewhere stays as it was.
    const QStringList kept = lines;
    db().NactiDotaz(QStringLiteral("select DUVOD from KJ_C_DUVOD where DUVOD is not null order by 1"), false,
                    lines, QStringLiteral(";"));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(kept, (QStringList{QStringLiteral("1"), QStringLiteral("a;2"), QStringLiteral("3"),
                                 QStringLiteral("b;4")}));
    EXPECT_THROW(db().NactiDotaz(QStringLiteral("select nonsense from nowhere"), false, lines, QString()),
                 DbError);
    EXPECT_TRUE(lines.isEmpty());
    exec(QStringLiteral("delete from KJ_C_DUVOD"));
}

TEST_F(DataModule, VratIntAndGenerators)
{
    EXPECT_EQ(db().VratInt(QStringLiteral("select KU_ID from KU where KU_ID=-5")), 0);
    EXPECT_EQ(db().VratInt(QStringLiteral("select NULL from rdb$database")), 0);
    const int a = db().NoveID(QStringLiteral("KU_ID"));
    EXPECT_EQ(db().NoveID(QStringLiteral("KU_ID")), a + 1);
    EXPECT_THROW(db().VratInt(QStringLiteral("select \"abc\" from rdb$database")), ActionError);
    EXPECT_THROW(db().VratInt(QStringLiteral("select nonsense from nowhere")), DbError);
    // The module stays usable after a failed read.
    EXPECT_EQ(db().VratInt(QStringLiteral("select 7 from rdb$database")), 7);
}

TEST_F(DataModule, FailingStatementInListLeavesNothingCommitted)
{
    QString error;
    const QStringList list = {
        QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (100, \"A\")"),
        QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (101, \"B\")"),
        QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, NEEXISTUJE) values (102, \"C\")"),
        QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (103, \"D\")"),
    };
    EXPECT_FALSE(ok(db().ProvedSQLSeznam(list), error));
    EXPECT_TRUE(error.contains(QStringLiteral("NEEXISTUJE"))) << error.toStdString();
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from UZIVSKUPINA where UZIVSKUPINA_ID>=100")), 0);
    EXPECT_TRUE(messages::takeShown().isEmpty()); // writes show nothing themselves

    EXPECT_TRUE(ok(db().ProvedSQLSeznam(list.mid(0, 2)), error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from UZIVSKUPINA where UZIVSKUPINA_ID>=100")), 2);
    exec(QStringLiteral("delete from UZIVSKUPINA"));
}

TEST_F(DataModule, ForbiddenCharacterFailsTheWholeListWithItsName)
{
    QString error;
    const QStringList list = {
        QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (200, \"ok\")"),
        QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (201, \"\u0001 ok\")"),
    };
    EXPECT_FALSE(ok(db().ProvedSQLSeznam(list), error));
    EXPECT_TRUE(error.contains(QStringLiteral("U+0001"))) << error.toStdString();
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from UZIVSKUPINA where UZIVSKUPINA_ID>=200")), 0);
    EXPECT_THROW(db().VratInt(QStringLiteral("select count(*) from UZIVSKUPINA where POPIS=\"\u0001\"")),
                 DbError);
    // Text in any script is stored and read back as it is.
    int id = 300;
    for (const QString& s : {QStringLiteral("Ω Олена Nguyễn 😀"), QStringLiteral("محمد")}) {
        ASSERT_TRUE(ok(db().ProvedSQL(QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values "
                                                     "(%1, %2)")
                                          .arg(++id)
                                          .arg(TextSQL(s))),
                       error))
            << error.toStdString();
        EXPECT_EQ(
            db().VratRadek(QStringLiteral("select POPIS from UZIVSKUPINA where POPIS=%1").arg(TextSQL(s))),
            s);
    }
    exec(QStringLiteral("delete from UZIVSKUPINA where UZIVSKUPINA_ID>=300"));
}

TEST_F(DataModule, ReadsShareOneSnapshotUntilAWrite)
{
    TSQLDATA other;
    ASSERT_TRUE(other.PripojDatabazi(dbPath(), QStringLiteral("orvan"), QStringLiteral("qelmo.")));
    const QString count = QStringLiteral("select count(*) from UZIVSKUPINA where UZIVSKUPINA_ID=300");
    EXPECT_EQ(db().VratInt(count), 0);
    QString error;
    ASSERT_TRUE(ok(other.ProvedSQL(
                       QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (300, \"X\")")),
                   error));
    EXPECT_EQ(db().VratInt(count), 0) << "the shared snapshot must not move by itself";
    db().ObnovTransakci();
    EXPECT_EQ(db().VratInt(count), 1);
    ASSERT_TRUE(
        ok(other.ProvedSQL(QStringLiteral("delete from UZIVSKUPINA where UZIVSKUPINA_ID=300")), error));
    ASSERT_TRUE(ok(db().ProvedSQL(QStringLiteral("update VERZE set VERZE_CISLO=VERZE_CISLO")), error));
    EXPECT_EQ(db().VratInt(count), 0) << "a write starts a fresh snapshot";
}

TEST_F(DataModule, ResultTables)
{
    exec(QStringLiteral(
        "insert into KJ_C_DUVOD (KJ_C_DUVOD_ID, DUVOD) values (1, \" mezera, \"\"uvozovky\"\" \")"));
    exec(QStringLiteral("insert into KJ_C_DUVOD (KJ_C_DUVOD_ID, DUVOD) values (2, \"\")"));
    TKTDATASET t;
    db().NactiTabulku(QStringLiteral("select KJ_C_DUVOD_ID as Cislo, DUVOD, KJ_C_DUVOD_ID as cislo "
                                     "from KJ_C_DUVOD order by 1"),
                      t);
    ASSERT_EQ(t.PocetRadku(), 2);
    EXPECT_EQ(t.IndexSloupce(QStringLiteral("duvod")), 2);
    EXPECT_EQ(t.IndexSloupce(QStringLiteral("CISLO")), 1); // first of two equal names
    EXPECT_EQ(t.IndexSloupce(QStringLiteral("nic")), 0);
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("Duvod")), QStringLiteral(" mezera, \"uvozovky\" "));
    EXPECT_EQ(t.HodnotaJmeno(2, QStringLiteral("DUVOD")), QString());
    EXPECT_EQ(t.SoucetSloupce(QStringLiteral("cislo")), 3);
    EXPECT_EQ(t.HodnotaInt(2, QStringLiteral("DUVOD")), 0);
    EXPECT_TRUE(t.HodnotaBool(1, QStringLiteral("CISLO")));
    EXPECT_FALSE(t.HodnotaBool(2, QStringLiteral("CISLO")));
    EXPECT_THROW(t.HodnotaInt(1, QStringLiteral("DUVOD")), ActionError);
    EXPECT_TRUE(t.SQL.startsWith(QStringLiteral("select KJ_C_DUVOD_ID")));

    // Appending keeps the header; the line view round-trips.
    db().PridejDotaz(QStringLiteral("select 9, \"x y\", 9 from rdb$database"), t);
    EXPECT_EQ(t.PocetRadku(), 3);
    EXPECT_EQ(t.Radek(3), QStringLiteral("9,\"x y\",9"));
    EXPECT_EQ(t.Radek(0), QStringLiteral("CISLO,DUVOD,CISLO"));

    TKTDATASET single;
    single.PridejRadek(QStringLiteral("A"));
    single.PridejRadek(QStringLiteral("\"\""));
    EXPECT_EQ(single.PocetRadku(), 1);
    EXPECT_EQ(single.Hodnota(1, 1), QString());
    EXPECT_EQ(single.Radek(1), QStringLiteral("\"\""));

    // Out of range: a message and an empty value.
    EXPECT_EQ(t.Hodnota(4, 1), QString());
    EXPECT_EQ(t.Hodnota(1, 5), QString());
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], QStringLiteral("Chyba 1121:Požadován řádek=4Count=3|"));
    EXPECT_EQ(shown[1], QStringLiteral("Chyba 7897:Sl=5Count=3|1,\" mezera, \"\"uvozovky\"\" \",1|"));
    exec(QStringLiteral("delete from KJ_C_DUVOD"));
}

TEST_F(DataModule, EmptyResultTable)
{
    TKTDATASET t;
    db().NactiTabulku(QStringLiteral("select KU_ID, NAZEV from KU where 1=0"), t);
    EXPECT_EQ(t.PocetRadku(), 0);
    EXPECT_EQ(t.SoucetSloupce(QStringLiteral("KU_ID")), 0);
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("NAZEV")), QString());
    EXPECT_EQ(messages::takeShown(), QStringList{QStringLiteral("Chyba 1121:Požadován řádek=1Count=0|")});
}

TEST_F(DataModule, NotesGoThroughTheProcedures)
{
    exec(QStringLiteral("insert into KU (KU_ID, NAZEV) values (50, \"s poznámkou\")"));
    QTextDocument doc;
    doc.setHtml(QStringLiteral("<p><b>Tučně</b> a ∑ mimo kódovou stránku</p>"));
    db().UlozPoznamku(QStringLiteral("UPDATE_KU_POZNAMKA"), QStringLiteral("KU"), &doc, 50,
                      QStringLiteral("POZNAMKA"));
    QTextDocument back;
    db().NactiPoznamku(QStringLiteral("select POZNAMKA from KU where KU_ID=50"), QStringLiteral("poznamka"),
                       &back);
    EXPECT_EQ(back.toPlainText(), QStringLiteral("Tučně a ∑ mimo kódovou stránku"));

    // Older notes in RTF still show their text.
    exec(QStringLiteral(
        "update KU set POZNAMKA=\"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Dobr\\'fd den\\par druh\\'e1}\" "
        "where KU_ID=50"));
    db().NactiPoznamku(QStringLiteral("select POZNAMKA from KU where KU_ID=50"), QStringLiteral("POZNAMKA"),
                       &back);
    EXPECT_EQ(back.toPlainText(), QStringLiteral("Dobrý den\ndruhá"));
    exec(QStringLiteral("delete from KU"));
}

TEST_F(DataModule, ServerClockAndTableList)
{
    const QDateTime now = db().CasServeru(0);
    const QDateTime local = QDateTime::currentDateTime();
    EXPECT_LT(std::abs(now.secsTo(QDateTime(local.date(), local.time(), Qt::UTC))), 120);
    EXPECT_NEAR(double(db().CasServeru(-3.0 / 1440.0).secsTo(now)), 180.0, 1.0);
    QString text;
    db().CasServeruText(0, text);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$"))
                    .match(text)
                    .hasMatch())
        << text.toStdString();

    QStringList tables;
    db().SeznamTabulek(tables, 1);
    for (const char* t :
         {"ADRESAR_C_KAT", "ADRESAR_SPEC", "ADRESAR_ZAKL", "ADRESAR_ZAKL_KAT", "KJ",
          "KJ_AUTO",       "KJ_C_DUVOD",   "KJ_DUVOD",     "KJ_VZDALENOST",    "KU",
          "KU_C_KAT",      "KU_KAT",       "KU_SPEC",      "SOUBOR",           "SPOJ_UZIVATEL_UZIVSKUPINA",
          "SVATKY_JMENA",  "UKOLY",        "UKOLY_KAT",    "UZIVATEL",         "UZIVSKUPINA",
          "VERZE"})
        EXPECT_TRUE(tables.contains(QString::fromLatin1(t))) << t;
    EXPECT_TRUE(std::is_sorted(tables.begin(), tables.end()));
    // Every table can be read.
    for (const QString& t : tables)
        EXPECT_NO_THROW(db().VratInt(QStringLiteral("select count(*) from ") + t)) << t.toStdString();
    db().SeznamTabulek(tables, 2);
    EXPECT_EQ(tables, QStringList{QStringLiteral("Není implentováno")});
    EXPECT_EQ(db().VerzeDat(), dbupgrade::AktualniVerze());
}

// The server's clock is a plain date-time: the workstation's zone changes
// nothing, not even in the hour its clocks skip or repeat.
TEST_F(DataModule, ServerClockIgnoresTheWorkstationsZone)
{
    const QByteArray oldTz = qgetenv("TZ");
    qputenv("TZ", "Europe/Prague");
    tzset();
    struct Case {
        const char* server;
        double offsetDays;
        const char* text;
    };
    const Case cases[] = {
        {"31.3.2024 02:30:00", 0, "31.03.2024 02:30:00"}, // skipped by the clocks in Prague
        {"31.3.2024 03:01:00", -3.0 / 1440.0, "31.03.2024 02:58:00"},
        {"27.10.2024 02:30:00", 0, "27.10.2024 02:30:00"}, // repeated
        {"27.10.2024 03:01:00", -1.0 / 24.0, "27.10.2024 02:01:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.server);
        exec(QStringLiteral(
                 "alter procedure VRAT_CAS_SERVERU returns (DATUMCAS DATE) as begin DATUMCAS = \"%1\"; end")
                 .arg(QString::fromLatin1(c.server)));
        QString text;
        db().CasServeruText(c.offsetDays, text);
        EXPECT_EQ(text, QString::fromLatin1(c.text));
    }
    // The heartbeat builds its statement from that text without a box.
    exec(QStringLiteral("alter procedure VRAT_CAS_SERVERU returns (DATUMCAS DATE) as begin DATUMCAS = "
                        "\"31.3.2024 02:31:00\"; end"));
    session().UzivatelID = testdb::addUser(db(), QStringLiteral("hodiny"), QString());
    messages::takeShown();
    db().ZapisZivot(true);
    EXPECT_EQ(messages::takeShown(), QStringList{});
    session().UzivatelID = 0;

    exec(QStringLiteral("alter procedure VRAT_CAS_SERVERU returns (DATUMCAS DATE) as begin DATUMCAS = "
                        "CURRENT_TIMESTAMP; end"));
    if (oldTz.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", oldTz);
    tzset();
}

// Every workstation's heartbeat runs each minute: it leaves rows already marked
// absent alone, never waits on a row another connection holds, and a failure
// shows no box (the next heartbeat tries again).
TEST_F(DataModule, HeartbeatNeverWaitsOnALockedRow)
{
    const int self = testdb::addUser(db(), QStringLiteral("tep_ja"), QString());
    const int absent = testdb::addUser(db(), QStringLiteral("tep_pryc"), QString());
    const int lapsed = testdb::addUser(db(), QStringLiteral("tep_zapomenuty"), QString());
    exec(QStringLiteral(
             "update uzivatel set prihlasen=0, zivot_timestamp=CURRENT_TIMESTAMP-1 where uzivatel_id=%1")
             .arg(absent));
    auto markLapsed = [&] {
        exec(QStringLiteral(
                 "update uzivatel set prihlasen=1, zivot_timestamp=CURRENT_TIMESTAMP-1 where uzivatel_id=%1")
                 .arg(lapsed));
    };
    session().UzivatelID = self;

    // Another workstation holds a user row locked in an open transaction.
    TSQLDATA other;
    ASSERT_TRUE(other.PripojDatabazi(dbPath(), QStringLiteral("orvan"), QStringLiteral("qelmo.")));
    fb::Status st(fb::status());
    Firebird::ITransaction* held = nullptr;
    auto hold = [&](int id) {
        held = other.attachment()->startTransaction(&st, 0, nullptr);
        const QByteArray sql =
            QStringLiteral("update uzivatel set popis=popis||\".\" where uzivatel_id=%1").arg(id).toLatin1();
        other.attachment()->execute(&st, held, 0, sql.constData(), 1, nullptr, nullptr, nullptr, nullptr);
    };
    auto release = [&] {
        if (held) held->commit(&st);
        held = nullptr;
    };
    // The heartbeat runs on a thread of its own, so that a wait on the lock shows
    // as a heartbeat that has not ended (the lock is then released to end it).
    auto heartbeat = [&](bool& ended) {
        std::atomic<int> result{-1};
        std::thread t([&] { result = db().Tep() ? 1 : 0; });
        ended = QTest::qWaitFor([&] { return result != -1; }, 30000);
        if (!ended) release();
        t.join();
        return result == 1;
    };
    auto present = [&](int id) {
        db().ObnovTransakci();
        return db().VratInt(QStringLiteral("select prihlasen from uzivatel where uzivatel_id=%1").arg(id));
    };
    messages::takeShown();
    bool ended = false;

    hold(absent);
    EXPECT_TRUE(heartbeat(ended)) << "a row already marked absent is not touched";
    EXPECT_TRUE(ended);
    release();
    EXPECT_EQ(present(self), 1);

    markLapsed();
    hold(lapsed);
    EXPECT_FALSE(heartbeat(ended)) << "a row held elsewhere fails the clearing";
    EXPECT_TRUE(ended) << "the heartbeat waited on the lock";
    release();
    EXPECT_EQ(present(lapsed), 1);
    EXPECT_EQ(messages::takeShown(), QStringList{});

    EXPECT_TRUE(heartbeat(ended)) << "the next heartbeat clears the row";
    EXPECT_EQ(present(lapsed), 0);
    session().UzivatelID = 0;
}

TEST_F(DataModule, KeysMarkedForTheDatabaseAreAssigned)
{
    exec(QStringLiteral("insert into KU_C_KAT (KU_C_KAT_NAZEV) values (\"A\")"));
    exec(QStringLiteral("insert into KU_C_KAT (KU_C_KAT_NAZEV) values (\"B\")"));
    EXPECT_EQ(
        db().VratInt(QStringLiteral("select count(distinct KU_C_KAT_ID) from KU_C_KAT where KU_C_KAT_ID>0")),
        2);
    exec(QStringLiteral("delete from KU_C_KAT"));
}

TEST_F(DataModule, NameDayCalendarCoversTheYear)
{
    EXPECT_EQ(db().VratSloupec(
                  QStringLiteral("select JMENO from SVATKY_JMENA where MESIC=12 and DEN=24 order by JMENO"),
                  QStringLiteral(", ")),
              QStringLiteral("Adam, Eva"));
    EXPECT_EQ(db().VratSloupec(QStringLiteral("select JMENO from SVATKY_JMENA where MESIC=3 and DEN=19"),
                               QStringLiteral(",")),
              QStringLiteral("Josef"));
    EXPECT_GT(db().VratInt(QStringLiteral("select count(distinct MESIC*100+DEN) from SVATKY_JMENA")), 350);
}

TEST_F(DataModule, ChangeEventReachesThePostingClient)
{
    Recorder target;
    db().NotifyWindow = &target;
    // The baseline delivery after registering is not a change.
    ASSERT_TRUE(QTest::qWaitFor([&] { return db().DoruceniUdalosti() >= 1; }, 5000));
    EXPECT_TRUE(target.received.isEmpty());
    db().UdelejRefresh();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !target.received.isEmpty(); }, 5000));
    EXPECT_EQ(target.received, QList<int>{WM_DATA_CHANGED});
    // Queued again after the delivery.
    db().UdelejRefresh();
    EXPECT_TRUE(QTest::qWaitFor([&] { return target.received.size() == 2; }, 5000));
    db().NotifyWindow = nullptr;
}

TEST_F(DataModule, ScriptsRunAllOrNothing)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.sql"));
    {
        QFile f(good);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        // A statement split over lines keeps its line breaks (also inside a literal); Windows-1250 text.
        f.write("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS)\r\n values (400, \"\xe8ty\xf8i\");\r\n"
                "insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (401, \"sel\r\nect\");\r\n"
                "  \r\ninsert without end\r\n");
    }
    QString error;
    EXPECT_TRUE(ok(db().ProvedSkript(good), error)) << error.toStdString();
    EXPECT_EQ(
        db().VratSloupec(
            QStringLiteral(
                "select POPIS from UZIVSKUPINA where UZIVSKUPINA_ID in (400,401) order by UZIVSKUPINA_ID"),
            QStringLiteral("|")),
        QStringLiteral("čtyři|sel\nect"));
    exec(QStringLiteral("delete from UZIVSKUPINA"));

    const QString bad = dir.filePath(QStringLiteral("bad.sql"));
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (410, \"a\");\n"
                "insert into NEEXISTUJE values (1);\n"
                "insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (411, \"b\");\n");
    }
    EXPECT_FALSE(ok(db().ProvedSkript(bad), error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("3  "))) << error.toStdString();
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from UZIVSKUPINA")), 0);

    EXPECT_FALSE(ok(db().ProvedSkript(dir.filePath(QStringLiteral("none.sql"))), error));
    EXPECT_EQ(error, QStringLiteral("File \"%1\" not found !").arg(dir.filePath(QStringLiteral("none.sql"))));
    EXPECT_FALSE(ok(db().ProvedSkript(QString()), error));
    EXPECT_EQ(error, QStringLiteral("File \"\" not found !"));
}

TEST_F(DataModule, CsvImportStopsAtTheFirstFailingLine)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("adresy.csv"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("PRIJMENI;JMENO;MESTO\r\n"
                "Nov\xe1k;Jan;Praha\r\n"
                "   \r\n"
                "O\"Brien;Pat;Dublin\r\n"
                "Dlouh\xfd;Petr;Brno;nav\xed"
                "c\r\n"
                "Posledn\xed;Eva;Plze\xf2\r\n");
    }
    QStringList captions;
    db().setCaptionTarget([] { return QStringLiteral("ORVAN"); }, [&](const QString& c) { captions << c; });
    db().ImportCSV(file, QStringLiteral("ADRESAR_ZAKL"), false);
    EXPECT_EQ(db().VratSloupec(QStringLiteral("select PRIJMENI from ADRESAR_ZAKL order by ADRESAR_ZAKL_ID"),
                               QStringLiteral("|")),
              QStringLiteral("Novák|O\"Brien"));
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Chyba na řádku: 5\r"))) << shown[0].toStdString();
    EXPECT_EQ(captions.first(), QStringLiteral("ORVAN   2"));
    EXPECT_EQ(captions.last(), QStringLiteral("ORVAN"));
    EXPECT_GT(db().VratInt(QStringLiteral("select min(ADRESAR_ZAKL_ID) from ADRESAR_ZAKL")), 0);

    // Without the id column the database assigns keys.
    const QString cats = dir.filePath(QStringLiteral("kat.csv"));
    {
        QFile f(cats);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("ADRESAR_C_KAT_NAZEV;ADRESAR_C_KAT_PORADI\nDodavatel\xe9;1\n");
    }
    db().ImportCSV(cats, QStringLiteral("ADRESAR_C_KAT"), true);
    EXPECT_EQ(
        db().VratRadek(QStringLiteral("select ADRESAR_C_KAT_NAZEV, ADRESAR_C_KAT_PORADI from ADRESAR_C_KAT")),
        QStringLiteral("Dodavatelé,1"));
    db().setCaptionTarget(nullptr, nullptr);
    exec(QStringLiteral("delete from ADRESAR_ZAKL"));
    exec(QStringLiteral("delete from ADRESAR_C_KAT"));
}

TEST_F(DataModule, CsvHeaderNamesOnlyColumnsOfTheTable)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("skupiny.csv"));
    auto import = [&](const QByteArray& content) {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        f.close();
        db().ImportCSV(file, QStringLiteral("UZIVSKUPINA"), false);
    };
    testdb::addUser(db(), QStringLiteral("tajny"), QStringLiteral("heslo123"));
    auto usersTable = [] {
        QStringList lines;
        db().NactiDotaz(QStringLiteral("select * from UZIVATEL order by UZIVATEL_ID"), true, lines,
                        QStringLiteral(","));
        return lines;
    };
    const QStringList users = usersTable();

    const struct {
        const char* header;
        QString message;
    } refused[] = {
        {"POPIS) select uzivatel_id+500,heslo from uzivatel --",
         QStringLiteral(
             "Sloupec \"POPIS) select uzivatel_id+500,heslo from uzivatel --\" v tabulce UZIVSKUPINA není.")},
        {"NEEXISTUJE", QStringLiteral("Sloupec \"NEEXISTUJE\" v tabulce UZIVSKUPINA není.")},
        {"\"POPIS\" x", QStringLiteral("Sloupec \"POPIS x\" v tabulce UZIVSKUPINA není.")},
        {"POPIS;", QStringLiteral("Sloupec \"\" v tabulce UZIVSKUPINA není.")},
        {"POPIS;popis", QStringLiteral("Sloupec \"POPIS\" je v hlavičce vícekrát.")},
        {"UZIVSKUPINA_ID;POPIS", QStringLiteral("Sloupec \"UZIVSKUPINA_ID\" je v hlavičce vícekrát.")},
    };
    for (const auto& c : refused) {
        import(QByteArray(c.header) + "\r\nskupina\r\n");
        EXPECT_EQ(messages::takeShown(), QStringList{QStringLiteral("Chyba na řádku: 1\r") + c.message})
            << c.header;
        EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from UZIVSKUPINA")), 0) << c.header;
    }

    // Names are trimmed and found whatever their case; values stay values.
    import(" popis \r\n"
           "x'), ('y\r\n"
           "a--\r\n"
           "%_ or (1=1)\r\n"
           "x\"), (\"y\r\n");
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(db().VratSloupec(QStringLiteral("select POPIS from UZIVSKUPINA order by UZIVSKUPINA_ID"),
                               QStringLiteral("|"))
                  .section(QLatin1Char('|'), 0, 2),
              QStringLiteral("x'), ('y|a--|%_ or (1=1)"));
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from UZIVSKUPINA")), 4);

    // A line whose values do not match the header stops the import there.
    import("POPIS\r\nprvni\r\ndruha;navic\r\ntreti\r\n");
    EXPECT_EQ(messages::takeShown(),
              QStringList{QStringLiteral("Chyba na řádku: 3\rŘádek má 2 hodnot, hlavička 1 sloupců.")});
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from UZIVSKUPINA")), 5);
    EXPECT_EQ(usersTable(), users);
    exec(QStringLiteral("delete from UZIVSKUPINA"));
    exec(QStringLiteral("delete from UZIVATEL"));
}

TEST_F(DataModule, PlainGrid)
{
    QStandardItemModel grid;
    const QStringList lines = {QStringLiteral("A,B"), QStringLiteral("1,\"x y\""), QStringLiteral("2,")};
    NaplnMrizku(&lines, &grid);
    EXPECT_EQ(grid.columnCount(), 2);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.headerData(1, Qt::Horizontal).toString(), QStringLiteral("B"));
    EXPECT_EQ(grid.item(0, 1)->text(), QStringLiteral("x y"));
    NaplnMrizku(nullptr, &grid); // nothing happens
    EXPECT_EQ(grid.rowCount(), 2);
}

TEST(DataModuleConnection, UnreachableDatabaseGivesTheMessage)
{
    messages::takeShown();
    TSQLDATA db;
    EXPECT_FALSE(db.PripojDatabazi(QStringLiteral("/nonexistent/dir/x.gdb"), QStringLiteral("orvan"),
                                   QStringLiteral("qelmo.")));
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Chyba připojení k databázi:/nonexistent/dir/x.gdb")));
    // Operations on a module without a connection fail as messages, not crashes.
    QString error;
    EXPECT_FALSE(ok(db.ProvedSQL(QStringLiteral("delete from KU")), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_THROW(db.VratInt(QStringLiteral("select 1 from rdb$database")), DbError);
    EXPECT_FALSE(runAction([&] { db.UdelejRefresh(); }));
    EXPECT_EQ(messages::takeShown().size(), 1);
}

} // namespace
