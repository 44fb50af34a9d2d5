#include "common/messages.h"
#include "data/dbschema.h"
#include "data/dbupgrade.h"
#include "data/hesla.h"
#include "data/sqlvalues.h"
#include "fixtures/testdb.h"
#include "generators.h"
#include "tools/dbadmin.h"
#include "tools/demodata.h"

#include <QDate>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>

namespace
{

QString sql(const char* text)
{
    return QString::fromUtf8(text);
}

const QString kUser = sql("orvan");
const QString kPassword = sql("qelmo.");

// A database as the first schema made it, connected.
struct FirstVersion {
    QTemporaryDir dir;
    QString path = dir.filePath(sql("v1.fdb"));
    TSQLDATA db;

    FirstVersion()
    {
        dbschema::createDatabase(path, kUser, kPassword, false, false);
        setSQLDATA(&db);
        if (!db.PripojDatabazi(path, kUser, kPassword))
            ADD_FAILURE() << messages::takeShown().join(QLatin1Char('\n')).toStdString();
    }
    ~FirstVersion() { setSQLDATA(nullptr); }
};

// Every row but the passwords, which the upgrade turns into digests, and the version.
QStringList rowsBesidesPasswords(TSQLDATA& db)
{
    QStringList rows = testdb::snapshot(db, {{sql("UZIVATEL"), sql("1=1")}, {sql("VERZE"), sql("1=1")}});
    QStringList users;
    db.NactiDotaz(
        sql("select uzivatel_id,login,popis,administrator,pravo_prihlaseni,prihlasen from uzivatel"), false,
        users, QString());
    users.sort();
    return rows + users;
}

// Rows as an older schema can compare them: the tables it had, and without
// the empty fields that columns added since leave at a row's end. Rows of
// the current schema end with their revision and, for events, tasks and
// addresses, their UID (events and tasks then with their recurrence columns).
QStringList comparable(const QStringList& rows, const QStringList& older, bool sRevizi)
{
    static const QSet<QString> revize = {sql("KU"),           sql("UKOLY"),    sql("ADRESAR_ZAKL"),
                                         sql("ADRESAR_SPEC"), sql("KU_C_KAT"), sql("ADRESAR_C_KAT"),
                                         sql("KJ_AUTO"),      sql("KJ"),       sql("KJ_TANKOVANI"),
                                         sql("UZIVSKUPINA")};
    QSet<QString> tables;
    for (const QString& r : older)
        tables.insert(r.section(QLatin1Char('|'), 0, 0));
    QStringList out;
    for (QString r : rows) {
        const QString table = r.section(QLatin1Char('|'), 0, 0);
        if (!tables.contains(table)) continue;
        if (sRevizi && (table == sql("KU") || table == sql("UKOLY"))) {
            // Events and tasks end with the recurrence columns, empty for rows of before.
            while (r.endsWith(QLatin1Char(',')))
                r.chop(1);
        }
        if (sRevizi && (table == sql("KU") || table == sql("UKOLY") || table == sql("ADRESAR_ZAKL"))) {
            // ... and then with the UID every event, task and address got.
            const qsizetype carka = r.lastIndexOf(QLatin1Char(','));
            EXPECT_TRUE(r.mid(carka + 1).startsWith(sql("orvan-"))) << r.toStdString();
            r.truncate(carka);
        }
        if (sRevizi && revize.contains(table)) {
            // 0, or 1 where the upgrade itself gave the row its UID.
            const qsizetype carka = r.lastIndexOf(QLatin1Char(','));
            bool cislo = false;
            r.mid(carka + 1).toInt(&cislo);
            EXPECT_TRUE(cislo) << r.toStdString();
            r.truncate(carka);
        }
        while (r.endsWith(QLatin1Char(',')))
            r.chop(1);
        out << r;
    }
    out.sort();
    return out;
}

QString passwordOf(TSQLDATA& db, const char* login)
{
    return db.VratRadek(sql("select heslo from uzivatel where login=\"%1\"").arg(sql(login))).trimmed();
}

TEST(Upgrade, FromTheFirstVersionKeepsEveryRowAndHashesPasswords)
{
    FirstVersion v1;
    TSQLDATA& db = v1.db;
    ASSERT_EQ(dbupgrade::VerzeDatabaze(db), 1);
    ASSERT_EQ(dbupgrade::DelkaSloupce(db, sql("UZIVATEL"), sql("HESLO")), 60);

    // The office as the program before digests stored it: plain passwords.
    const int admin = testdb::addUser(db, sql("admin"), sql("Šéf"), true, true, sql("Správce"));
    ASSERT_EQ(demodata::fill(db, admin, QDate(2026, 12, 10), [](const QString& p) { return p; }).chyba,
              QString());
    ASSERT_EQ(passwordOf(db, "jnovakova"), sql("jana"));
    const QStringList before = rowsBesidesPasswords(db);
    ASSERT_GT(before.size(), 100);

    const dbupgrade::Vysledek first = dbupgrade::Aktualizuj(db);
    ASSERT_EQ(first.chyba, QString());
    EXPECT_EQ(first.puvodni, 1);
    EXPECT_EQ(first.nova, dbupgrade::AktualniVerze());
    EXPECT_EQ(dbupgrade::VerzeDatabaze(db), dbupgrade::AktualniVerze());
    EXPECT_EQ(comparable(rowsBesidesPasswords(db), before, true), comparable(before, before, false));
    EXPECT_GE(dbupgrade::DelkaSloupce(db, sql("UZIVATEL"), sql("HESLO")), 200);
    EXPECT_EQ(generatorFaults(generatorStates(db)), QStringList());

    // Nobody's password is readable any more, and everybody's still works.
    for (const auto& [login, password] :
         {std::pair{"admin", "šÉF"}, {"jnovakova", "JANA"}, {"tkral", "tomas"}}) {
        const QString stored = passwordOf(db, login);
        EXPECT_TRUE(hesla::JeOtisk(stored)) << login;
        EXPECT_TRUE(hesla::Over(sql(password), stored)) << login;
    }

    // A second run finds nothing to do and changes nothing, digests included.
    const QStringList upgraded = testdb::snapshot(db);
    const dbupgrade::Vysledek second = dbupgrade::Aktualizuj(db);
    EXPECT_EQ(second.chyba, QString());
    EXPECT_EQ(second.puvodni, dbupgrade::AktualniVerze());
    EXPECT_EQ(second.nova, dbupgrade::AktualniVerze());
    EXPECT_EQ(testdb::snapshot(db), upgraded);
}

// Text columns of the organiser's tables with their character set and collation.
TKTDATASET textColumns(TSQLDATA& db)
{
    TKTDATASET t;
    db.NactiTabulku(
        sql("select trim(rf.rdb$relation_name) as tabulka, trim(rf.rdb$field_name) as sloupec, "
            "f.rdb$character_length as delka, f.rdb$character_set_id as sada, "
            "coalesce(rf.rdb$collation_id, f.rdb$collation_id) as razeni "
            "from rdb$relation_fields rf join rdb$relations r on r.rdb$relation_name=rf.rdb$relation_name "
            "join rdb$fields f on f.rdb$field_name=rf.rdb$field_source "
            "where coalesce(r.rdb$system_flag, 0)=0 and r.rdb$view_blr is null and "
            "f.rdb$computed_blr is null and f.rdb$field_type in (14, 37)"),
        t);
    return t;
}

QStringList surnamesInOrder(TSQLDATA& db)
{
    QStringList out;
    db.NactiDotaz(sql("select prijmeni from adresar_zakl where nazev='Řazení' order by prijmeni"), false, out,
                  QString());
    return out;
}

// The old code page's Czech order, which the new collation keeps.
const QStringList kCeskePoradi = {
    sql("a"),  sql("A"), sql("á"), sql("Á"),  sql("abc"), sql("Abc"), sql("ábc"), sql("abd"), sql("Ábd"),
    sql("b"),  sql("c"), sql("C"), sql("cz"), sql("č"),   sql("Č"),   sql("h"),   sql("ch"),  sql("Ch"),
    sql("CH"), sql("i"), sql("r"), sql("ř"),  sql("s"),   sql("Z"),   sql("ž")};

// A database of the code page becomes UTF-8: every value of every text
// column reads the same, the order stays Czech, and text in any script fits.
TEST(Upgrade, TextsBecomeUtf8KeepingEveryValueAndTheCzechOrder)
{
    FirstVersion v1;
    TSQLDATA& db = v1.db;
    const int admin = testdb::addUser(db, sql("admin"), sql("Šéf"), true, true, sql("Správce"));
    ASSERT_EQ(demodata::fill(db, admin, QDate(2026, 12, 10), [](const QString& p) { return p; }).chyba,
              QString());
    const dbupgrade::Vysledek old = dbupgrade::Aktualizuj(db, {}, 17);
    ASSERT_EQ(old.chyba, QString());
    ASSERT_EQ(old.nova, 17);

    // A Czech value in every text column of every table that has rows.
    const QString cesky = sql("Příliš žluťoučký kůň úpěl ďábelské ódy – ĚŠČŘŽÝÁÍÉÚŮ ťň „uvozovky“ € ß");
    const TKTDATASET columns = textColumns(db);
    ASSERT_GT(columns.PocetRadku(), 50);
    QStringList updates;
    for (int r = 1; r <= columns.PocetRadku(); ++r) {
        EXPECT_EQ(columns.HodnotaInt(r, sql("SADA")), 51) << "Windows-1250 before";
        updates << sql("update %1 set %2=%3 rows 1")
                       .arg(columns.HodnotaJmeno(r, sql("TABULKA")), columns.HodnotaJmeno(r, sql("SLOUPEC")),
                            TextSQL(cesky.left(columns.HodnotaInt(r, sql("DELKA")))));
    }
    for (const QString& s : kCeskePoradi)
        updates << sql("insert into adresar_zakl (adresar_zakl_id, nazev, prijmeni) values "
                       "(gen_id(adresar_zakl_id, 1), 'Řazení', %1)")
                       .arg(TextSQL(s));
    QString error;
    ASSERT_TRUE(ok(db.ProvedSQLSeznam(updates), error)) << error.toStdString();
    const QHash<QString, QString> besidesVersion{{sql("VERZE"), sql("1=1")}};
    const QStringList before = testdb::snapshot(db, besidesVersion);
    ASSERT_TRUE(before.join(QLatin1Char('\n')).contains(cesky));
    EXPECT_EQ(surnamesInOrder(db), kCeskePoradi);

    const dbupgrade::Vysledek upgraded = dbupgrade::Aktualizuj(db, {}, 18);
    ASSERT_EQ(upgraded.chyba, QString());
    // Rows that differ, both ways (the whole snapshot is too long to read).
    const QStringList snapshotAfter = testdb::snapshot(db, besidesVersion);
    const auto missing = [](const QStringList& a, const QStringList& b) {
        QStringList out;
        for (const QString& r : a)
            if (!b.contains(r)) out << r;
        return out;
    };
    EXPECT_EQ(missing(before, snapshotAfter), QStringList());
    EXPECT_EQ(missing(snapshotAfter, before), QStringList());
    EXPECT_EQ(snapshotAfter.size(), before.size());
    EXPECT_EQ(surnamesInOrder(db), kCeskePoradi);
    const int czech =
        db.VratInt(sql("select rdb$collation_id from rdb$collations where rdb$collation_name=%1")
                       .arg(TextSQL(dbupgrade::CeskeRazeni)));
    const TKTDATASET after = textColumns(db);
    ASSERT_EQ(after.PocetRadku(), columns.PocetRadku());
    for (int r = 1; r <= after.PocetRadku(); ++r) {
        const std::string column =
            (after.HodnotaJmeno(r, sql("TABULKA")) + sql(".") + after.HodnotaJmeno(r, sql("SLOUPEC")))
                .toStdString();
        EXPECT_EQ(after.HodnotaInt(r, sql("SADA")), 4) << column << " in UTF-8";
        EXPECT_EQ(after.HodnotaInt(r, sql("RAZENI")), czech) << column;
    }

    // Any script now fits, in full length, and a search ignores case in it.
    const QString names[] = {
        sql("Nguyễn Thị Hương"),  sql("Олена Коваленко"), sql("Σωκράτης"), sql("محمد"), sql("Zoë 😀"),
        QString(250, QChar(u'ř'))};
    for (const QString& n : names) {
        ASSERT_TRUE(ok(db.ProvedSQL(sql("insert into ku (ku_id, datum, nazev) values (gen_id(ku_id, 1), "
                                        "'1.1.2027', %1)")
                                        .arg(TextSQL(n))),
                       error))
            << error.toStdString();
        EXPECT_EQ(db.VratRadek(sql("select first 1 nazev from ku where nazev=%1").arg(TextSQL(n))), n);
    }
    EXPECT_EQ(db.VratInt(sql("select count(*) from ku where nazev containing 'ZOË'")), 1);
    // A column added by a later step is UTF-8 and Czech too.
    ASSERT_TRUE(ok(db.ProvedSQL(sql("alter table ku add pokus varchar(10)")), error)) << error.toStdString();
    EXPECT_EQ(db.VratInt(sql("select f.rdb$character_set_id from rdb$relation_fields rf join rdb$fields f on "
                             "f.rdb$field_name=rf.rdb$field_source where rf.rdb$relation_name='KU' and "
                             "rf.rdb$field_name='POKUS'")),
              4);
}

// A step meeting its own work already done (a change made by hand, a version
// row lost) and a database without a version row still upgrade.
// Link rows whose record or category is gone go at the upgrade; afterwards
// the database keeps every link tied to an existing record.
TEST(Upgrade, OrphanLinksGoAndLinksNeedTheirRecords)
{
    FirstVersion v1;
    TSQLDATA& db = v1.db;
    for (const char* s :
         {"insert into KU_C_KAT (KU_C_KAT_ID, KU_C_KAT_NAZEV) values (1, 'Porady')",
          "insert into KU (KU_ID, DATUM, NAZEV) values (1, '1.5.2026', 'Porada')",
          "insert into KU_KAT (KU_KAT_ID, KU_ID, KU_C_KAT_ID) values (1, 1, 1)",
          "insert into KU_KAT (KU_KAT_ID, KU_ID, KU_C_KAT_ID) values (2, 77, 1)",
          "insert into KU_KAT (KU_KAT_ID, KU_ID, KU_C_KAT_ID) values (3, 1, 77)",
          "insert into UKOLY_KAT (UKOLY_KAT_ID, UKOLY_ID, KU_C_KAT_ID) values (1, 77, 1)",
          "insert into ADRESAR_ZAKL_KAT (ADRESAR_ZAKL_KAT_ID, ADRESAR_ZAKL_ID, ADRESAR_C_KAT_ID) values (1, "
          "77, 1)",
          "insert into SOUBOR (SOUBOR_ID, JMENO, CIL, CIL_ID) values (1, '/tmp/smlouva.pdf', 1, 77)",
          "insert into SPOJ_UZIVATEL_UZIVSKUPINA (UZIVATEL_ID, UZIVSKUPINA_ID) values (77, 1)"}) {
        QString error;
        ASSERT_TRUE(ok(db.ProvedSQL(sql(s)), error)) << s << "\n" << error.toStdString();
    }
    ASSERT_EQ(dbupgrade::Aktualizuj(db).chyba, QString());
    db.ObnovTransakci();
    EXPECT_EQ(db.VratSloupec(sql("select ku_kat_id from ku_kat"), sql(",")), sql("1"));
    for (const char* table : {"UKOLY_KAT", "ADRESAR_ZAKL_KAT", "SOUBOR", "SPOJ_UZIVATEL_UZIVSKUPINA"})
        EXPECT_EQ(db.VratInt(sql("select count(*) from ") + sql(table)), 0) << table;

    EXPECT_FALSE(
        db.ProvedSQL(sql("insert into KU_KAT (KU_KAT_ID, KU_ID, KU_C_KAT_ID) values (4, 77, 1)")).ok);
    ASSERT_TRUE(db.ProvedSQL(sql("delete from KU where KU_ID=1")).ok);
    EXPECT_EQ(db.VratInt(sql("select count(*) from ku_kat")), 0) << "links go with their event";
}

TEST(Upgrade, StepsCheckBeforeTheyChange)
{
    FirstVersion v1;
    TSQLDATA& db = v1.db;
    QString error;
    ASSERT_TRUE(ok(db.ProvedSQL(sql("alter table uzivatel alter column heslo type varchar(250)")), error))
        << error.toStdString();
    ASSERT_TRUE(ok(db.ProvedSQL(sql("delete from verze")), error)) << error.toStdString();
    EXPECT_EQ(dbupgrade::VerzeDatabaze(db), 1);

    const dbupgrade::Vysledek v = dbupgrade::Aktualizuj(db);
    EXPECT_EQ(v.chyba, QString());
    EXPECT_EQ(db.VerzeDat(), dbupgrade::AktualniVerze());
    EXPECT_EQ(db.VratInt(sql("select count(*) from verze")), 1);
    EXPECT_EQ(dbupgrade::DelkaSloupce(db, sql("UZIVATEL"), sql("HESLO")), 250);
}

class UpgradeNew : public DbTest
{
};

TEST_F(UpgradeNew, ANewDatabaseIsAtTheNewestVersion)
{
    EXPECT_EQ(db().VerzeDat(), dbupgrade::AktualniVerze());
    EXPECT_GE(dbupgrade::DelkaSloupce(db(), sql("UZIVATEL"), sql("HESLO")), 200);
    // Every step leaves a number higher than the one before (numbers reserved
    // for steps still on other branches may be missing).
    int previous = 1;
    for (const dbupgrade::Krok& k : dbupgrade::Kroky()) {
        EXPECT_GT(k.verze, previous) << k.popis.toStdString();
        previous = k.verze;
    }
}

TEST_F(UpgradeNew, ANewerDatabaseIsRefusedUntouched)
{
    const int newer = dbupgrade::AktualniVerze() + 1;
    exec(sql("update verze set verze_cislo=%1").arg(newer));
    const QStringList before = testdb::snapshot(db());
    const dbupgrade::Vysledek v = dbupgrade::Aktualizuj(db());
    EXPECT_TRUE(v.chyba.contains(sql("novější"))) << v.chyba.toStdString();
    EXPECT_EQ(v.nova, newer);
    EXPECT_EQ(testdb::snapshot(db()), before);
    exec(sql("update verze set verze_cislo=%1").arg(dbupgrade::AktualniVerze()));
}

// Older demo databases stored rows under keys their generators had not
// reached: the upgrade moves every lagging generator to its table's highest
// key and leaves the others where they are.
TEST_F(UpgradeNew, LaggingGeneratorsMovePastTheirTablesHighestKeys)
{
    const int car = db().VratInt(sql("select gen_id(kj_auto_id, 0) from rdb$database")) + 7;
    exec(sql("insert into kj_auto (kj_auto_id, spz, popis) values (%1, \"1AB 2345\", \"Kombi\")").arg(car));
    exec(sql("set generator kj_tankovani_id to 0"));
    for (int id : {1, 2})
        exec(sql("insert into kj_tankovani (kj_tankovani_id, kj_auto_id, datum, litry, cena) values "
                 "(%1, %2, \"1.3.2026\", 30, 1000)")
                 .arg(id)
                 .arg(car));
    exec(sql("set generator ku_id to 500"));
    ASSERT_EQ(generatorFaults(generatorStates(db())).size(), 2)
        << generatorFaults(generatorStates(db())).join(QLatin1Char('\n')).toStdString();

    const auto step = std::find_if(dbupgrade::Kroky().begin(), dbupgrade::Kroky().end(),
                                   [](const dbupgrade::Krok& k) { return k.verze == 14; });
    ASSERT_NE(step, dbupgrade::Kroky().end());
    exec(sql("update verze set verze_cislo=%1").arg(step->verze - 1));
    QList<int> run;
    const dbupgrade::Vysledek v =
        dbupgrade::Aktualizuj(db(), [&](const dbupgrade::Krok& k) { run << k.verze; });
    EXPECT_EQ(v.chyba, QString());
    EXPECT_TRUE(run.contains(step->verze));
    EXPECT_EQ(db().VerzeDat(), dbupgrade::AktualniVerze());

    EXPECT_EQ(generatorFaults(generatorStates(db())), QStringList());
    EXPECT_EQ(db().VratInt(sql("select gen_id(kj_tankovani_id, 0) from rdb$database")), 2);
    EXPECT_EQ(db().VratInt(sql("select gen_id(kj_auto_id, 0) from rdb$database")), car);
    EXPECT_EQ(db().VratInt(sql("select gen_id(ku_id, 0) from rdb$database")), 500) << "never moved back";
    EXPECT_EQ(step->prikazy(db()), QStringList()) << "a done step finds nothing to do";
}

TEST(UpgradeMessages, StartUpNamesWhatToDo)
{
    const int current = dbupgrade::AktualniVerze();
    EXPECT_EQ(dbupgrade::ChybaVerze(current, sql("/data/office.fdb")), QString());
    for (int older : {0, 1, current - 1}) {
        const QString m = dbupgrade::ChybaVerze(older, sql("/data/office.fdb"));
        EXPECT_TRUE(m.contains(sql("orvan-db upgrade /data/office.fdb"))) << m.toStdString();
    }
    const QString newer = dbupgrade::ChybaVerze(current + 1, sql("/data/office.fdb"));
    EXPECT_TRUE(newer.contains(sql("novější verzi programu"))) << newer.toStdString();
    EXPECT_FALSE(newer.contains(sql("upgrade")));
}

// The administrator of a new database gets a digest, never the password itself.
TEST_F(UpgradeNew, TheFirstAdministratorsPasswordIsADigest)
{
    dbadmin::Admin a;
    a.login = sql("spravce2");
    a.password = sql("Tajné heslo");
    ASSERT_EQ(dbadmin::addAdministrator(db(), a).chyba, QString());
    const QString stored = passwordOf(db(), "spravce2");
    EXPECT_TRUE(hesla::JeOtisk(stored));
    EXPECT_FALSE(stored.contains(sql("Tajn"), Qt::CaseInsensitive));
    EXPECT_TRUE(hesla::Over(sql("TAJNÉ HESLO"), stored));
    // He may log in: nobody else could manage the users.
    EXPECT_EQ(db().VratInt(sql("select pravo_prihlaseni from uzivatel where login=\"spravce2\"")), 1);
}

// The command line: run twice on an old database, then refuse a newer one.
TEST(UpgradeCommand, RunsTwiceAndRefusesANewerDatabase)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(sql("cmd.fdb"));
    dbschema::createDatabase(path, kUser, kPassword, false, false);
    const QString program = sql(ORVAN_BIN_DIR "/orvan-db");
    if (!QFileInfo::exists(program)) GTEST_SKIP() << "orvan-db not built";
    auto run = [&](QString* out) {
        QProcess p;
        p.start(program, {sql("upgrade"), path});
        p.waitForFinished(120000);
        *out = QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
        return p.exitCode();
    };
    QString out;
    EXPECT_EQ(run(&out), 0) << out.toStdString();
    EXPECT_TRUE(out.contains(sql("z verze 1 na verzi %1").arg(dbupgrade::AktualniVerze())))
        << out.toStdString();
    EXPECT_EQ(run(&out), 0) << out.toStdString();
    EXPECT_TRUE(out.contains(sql("už má verzi"))) << out.toStdString();

    {
        TSQLDATA db;
        ASSERT_TRUE(db.PripojDatabazi(path, kUser, kPassword));
        QString error;
        ASSERT_TRUE(ok(
            db.ProvedSQL(sql("update verze set verze_cislo=%1").arg(dbupgrade::AktualniVerze() + 1)), error));
        db.Odpoj();
    }
    EXPECT_EQ(run(&out), 1) << out.toStdString();
    EXPECT_TRUE(out.contains(sql("novější"))) << out.toStdString();
}

} // namespace

namespace
{

// Through a server a workstation may still be connected: the command refuses
// to change the tables under it, and goes ahead once it is gone.
TEST(UpgradeCommand, WaitsForOtherConnectionsToEnd)
{
    const QString prefix = testdb::serverPrefix();
    if (prefix.isEmpty()) {
        if (testdb::serverRequired()) FAIL() << "local server needed";
        GTEST_SKIP() << "no local Firebird server";
    }
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
    const QString path = prefix + dir.filePath(sql("v1.fdb"));
    dbschema::createDatabase(path, kUser, kPassword, false, false);
    auto run = [&](QString* out) {
        QProcess p;
        p.start(sql(ORVAN_BIN_DIR "/orvan-db"), {sql("upgrade"), path});
        p.waitForFinished(120000);
        *out = QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
        return p.exitCode();
    };
    QString out;
    {
        TSQLDATA workstation;
        ASSERT_TRUE(workstation.PripojDatabazi(path, kUser, kPassword));
        EXPECT_EQ(run(&out), 1) << out.toStdString();
        EXPECT_TRUE(out.contains(sql("dalších připojení"))) << out.toStdString();
        EXPECT_EQ(workstation.VerzeDat(), 1);
    }
    EXPECT_EQ(run(&out), 0) << out.toStdString();
    TSQLDATA db;
    ASSERT_TRUE(db.PripojDatabazi(path, kUser, kPassword));
    EXPECT_EQ(db.VerzeDat(), dbupgrade::AktualniVerze());
}

} // namespace
