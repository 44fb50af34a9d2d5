#include "tasks/task_fixture.h"

#include "common/action.h"
#include "common/alarmakce.h"
#include "data/notetext.h"
#include "records/kategoriekuc.h"
#include "tasks/ukol.h"

#include <QFile>
#include <QTemporaryDir>

namespace
{

using UkolLogic = TaskTest;

UkolPole sample()
{
    UkolPole u;
    u.Datum = QStringLiteral("24.12.2004");
    u.CasDo = QStringLiteral("10:00");
    u.Aktivni = true;
    u.Nazev = QStringLiteral("Řekl \"ano\"");
    u.Alarm = true;
    u.AlarmDatum = QStringLiteral("23.12.2004");
    u.AlarmCas = QStringLiteral("9:00:00");
    u.TypAkce = 2;
    u.Akce = QStringLiteral("/tmp/a.wav");
    u.Prava = {10, 20, 30, 40, 50};
    return u;
}

TEST_F(UkolLogic, SaveStatementsAreExact)
{
    TKategorieKUC two;
    two.NastavDruh(true, QStringLiteral("KU"));
    two.NactiKategorie(0, QStringLiteral("UKOLY"));
    two.Zaskrtni(kPrace, true);
    two.DvojKlik(kSport); // checked and main
    TKategorieKUC none;
    none.NastavDruh(true, QStringLiteral("KU"));
    none.NactiKategorie(0, QStringLiteral("UKOLY"));

    UkolPole bare;
    bare.Datum = QStringLiteral(" 1.5.2004 ");
    bare.Prava = PravaZaznamu::Vse(10);

    struct Case {
        const char* what;
        UkolPole u;
        int zaznamId, noveId;
        const TKategorieKUC& kat;
        QStringList expected;
    };
    const Case cases[] = {
        {"new task with alarm and two categories",
         sample(),
         0,
         77,
         two,
         {"insert into "
          "ukoly(UKOLY_ID,datum,cas_do,AKTIVNI,NAZEV,ALARM,ALARM_DATUM,ALARM_CAS,ALARM_TYP_AKCE,ALARM_AKCE,"
          "vytvoril_kdo,vytvoril_kdy,editoval_kdo,editoval_kdy,F_CIST,F_EDITOVAT,F_SMAZAT,F_ALARM,F_"
          "ADMINISTROVAT)  values(77,\"24.12.2004\",\"24.12.2004 10:00:00\",\"1\",\"Řekl \"\"ano\"\"\",\"1\","
          "\"23.12.2004\",\"23.12.2004 9:00:00\",2,\"/tmp/a.wav\",5,CURRENT_TIMESTAMP,5,CURRENT_TIMESTAMP,"
          "10,20,30,40,50);",
          "Insert into ukoly_kat(UKOLY_ID,KU_C_KAT_ID,HLAVNI) values(77,11,0);",
          "Insert into ukoly_kat(UKOLY_ID,KU_C_KAT_ID,HLAVNI) values(77,13,1);"}},
        {"new task untouched: no alarm, no type, no categories",
         bare,
         0,
         78,
         none,
         {"insert into "
          "ukoly(UKOLY_ID,datum,cas_do,AKTIVNI,NAZEV,ALARM,ALARM_DATUM,ALARM_CAS,ALARM_TYP_AKCE,ALARM_AKCE,"
          "vytvoril_kdo,vytvoril_kdy,editoval_kdo,editoval_kdy,F_CIST,F_EDITOVAT,F_SMAZAT,F_ALARM,F_"
          "ADMINISTROVAT)  values(78,\"1.5.2004\",\"1.5.2004\",\"0\",\"\",\"0\",NULL,NULL,-1,\"\",5,"
          "CURRENT_TIMESTAMP,5,CURRENT_TIMESTAMP,10,10,10,10,10);"}},
        {"stored task: update, links deleted and written again",
         sample(),
         9,
         0,
         two,
         {"update ukoly set datum=\"24.12.2004\",cas_do=\"24.12.2004 10:00:00\",aktivni=\"1\",NAZEV=\"Řekl "
          "\"\"ano\"\"\",ALARM=\"1\",ALARM_DATUM=\"23.12.2004\",ALARM_CAS=\"23.12.2004 9:00:00\","
          "ALARM_TYP_AKCE=2,ALARM_AKCE=\"/tmp/a.wav\",editoval_kdo=5,editoval_kdy=CURRENT_TIMESTAMP,"
          "F_CIST=10,F_EDITOVAT=20,F_SMAZAT=30,F_ALARM=40,F_ADMINISTROVAT=50 where UKOLY_ID=9",
          "Delete from UKOLY_KAT where UKOLY_ID=9",
          "Insert into ukoly_kat(UKOLY_ID,KU_C_KAT_ID,HLAVNI) values(9,11,0)",
          "Insert into ukoly_kat(UKOLY_ID,KU_C_KAT_ID,HLAVNI) values(9,13,1)"}},
        {"stored task without categories keeps the delete",
         bare,
         9,
         0,
         none,
         {"update ukoly set datum=\"1.5.2004\",cas_do=\"1.5.2004\",aktivni=\"0\",NAZEV=\"\",ALARM=\"0\","
          "ALARM_DATUM=NULL,ALARM_CAS=NULL,ALARM_TYP_AKCE=-1,ALARM_AKCE=\"\",editoval_kdo=5,"
          "editoval_kdy=CURRENT_TIMESTAMP,F_CIST=10,F_EDITOVAT=10,F_SMAZAT=10,F_ALARM=10,F_ADMINISTROVAT=10 "
          "where UKOLY_ID=9",
          "Delete from UKOLY_KAT where UKOLY_ID=9"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PrikazyUlozeniUkolu(c.u, c.zaznamId, c.noveId, 5, c.kat), c.expected) << c.what;
}

TEST(UkolData, WhatASaveAccepts)
{
    struct Case {
        const char* what;
        void (*change)(UkolPole&);
        bool ok;
    };
    const Case cases[] = {
        {"complete", [](UkolPole&) {}, true},
        {"no deadline", [](UkolPole& u) { u.Datum = QStringLiteral("  "); }, false},
        {"zero deadline", [](UkolPole& u) { u.Datum = QStringLiteral("00.00.0"); }, false},
        {"zero deadline, short", [](UkolPole& u) { u.Datum = QStringLiteral("0.0.0"); }, false},
        {"zero deadline, full", [](UkolPole& u) { u.Datum = QStringLiteral("00.00.0000"); }, false},
        {"impossible deadline", [](UkolPole& u) { u.Datum = QStringLiteral("31.2.2004"); }, false},
        {"deadline with a quote", [](UkolPole& u) { u.Datum = QStringLiteral("1.1.00\"--"); }, false},
        {"time with a quote", [](UkolPole& u) { u.CasDo = QStringLiteral("0:00\"--"); }, false},
        {"no time", [](UkolPole& u) { u.CasDo.clear(); }, true},
        {"alarm without its date", [](UkolPole& u) { u.AlarmDatum.clear(); }, false},
        {"alarm with a zero date", [](UkolPole& u) { u.AlarmDatum = QStringLiteral("0.0.0000"); }, false},
        {"alarm without its time", [](UkolPole& u) { u.AlarmCas.clear(); }, true},
        {"no alarm and no alarm date",
         [](UkolPole& u) {
             u.Alarm = false;
             u.AlarmDatum.clear();
         },
         true},
        {"no alarm but a bad alarm time",
         [](UkolPole& u) {
             u.Alarm = false;
             u.AlarmCas = QStringLiteral("25:00");
         },
         false},
    };
    for (const Case& c : cases) {
        UkolPole u = sample();
        c.change(u);
        EXPECT_EQ(UkolMaPlatnaData(u), c.ok) << c.what;
    }
}

TEST(UkolData, OnlyPlainFilesMayBeOpened)
{
    QTemporaryDir dir;
    auto make = [&](const char* name, QFileDevice::Permissions extra = {}) {
        const QString p = dir.filePath(QLatin1String(name));
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write("x");
        f.close();
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | extra);
        return p;
    };
    const QString doc = make("zprava.pdf");
    const QString script = make("skript.sh", QFileDevice::ExeOwner);
    const QString groupExec = make("program", QFileDevice::ExeGroup | QFileDevice::ExeOther);
    const QString launcher = make("spoust.desktop");
    const QString launcherUpper = make("SPOUST.DESKTOP");
    const QString linkToDoc = dir.filePath(QStringLiteral("odkaz.pdf"));
    QFile::link(doc, linkToDoc);
    const QString linkToScript = dir.filePath(QStringLiteral("odkaz.txt"));
    QFile::link(script, linkToScript);
    const QString linkToLauncher = dir.filePath(QStringLiteral("odkaz2.txt"));
    QFile::link(launcher, linkToLauncher);

    const struct {
        QString path;
        bool ok;
    } cases[] = {
        {doc, true},
        {QStringLiteral("  ") + doc + QStringLiteral(" "), true},
        {linkToDoc, true},
        {script, false},
        {groupExec, false},
        {launcher, false},
        {launcherUpper, false},
        {linkToScript, false},
        {linkToLauncher, false},
        {dir.path(), false},
        {dir.filePath(QStringLiteral("chybi.pdf")), false},
        {QString(), false},
        {QStringLiteral("www.orvan.cz"), false},
        {QStringLiteral("https://orvan.cz/a.pdf"), false},
        {QStringLiteral("/dev/null"), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SmiOtevritSoubor(c.path), c.ok) << c.path.toStdString();
}

// The write sequence: task, links and note in one transaction; a delete
// takes the links along and nothing else.
TEST_F(UkolLogic, SaveAndDeleteLeaveRows)
{
    TKategorieKUC kat;
    kat.NastavDruh(true, QStringLiteral("KU"));
    kat.NactiKategorie(0, QStringLiteral("UKOLY"));
    kat.DvojKlik(kRodina);
    QTextDocument zapis(QStringLiteral("Koupit"));
    const VysledekZapisu v = UlozUkol(db(), sample(), 0, s_user, kat, notetext::save(&zapis));
    ASSERT_TRUE(v.ok) << v.chyba.toStdString();
    const TKTDATASET t =
        rows(QStringLiteral("select datum, cas_do, nazev, alarm_cas from ukoly where ukoly_id=%1").arg(v.id));
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("DATUM")), QStringLiteral("24.12.2004"));
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("CAS_DO")), QStringLiteral("24.12.2004 10:00:00"));
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("NAZEV")), QStringLiteral("Řekl \"ano\""));
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("ALARM_CAS")), QStringLiteral("23.12.2004 9:00:00"));
    EXPECT_EQ(noteOf(v.id), QStringLiteral("Koupit"));
    EXPECT_EQ(linksOf(v.id), QStringList{"12/1"});

    const int other = addTask(kVedeni, kVedeni);
    const QStringList othersBefore =
        testdb::snapshot(db(), {{QStringLiteral("UKOLY"), QStringLiteral("ukoly_id=%1").arg(v.id)},
                                {QStringLiteral("UKOLY_KAT"), QStringLiteral("ukoly_id=%1").arg(v.id)}});
    EXPECT_TRUE(SmazUkol(db(), v.id).ok);
    EXPECT_EQ(testdb::snapshot(db()), othersBefore);
    EXPECT_EQ(value(QStringLiteral("select count(*) from ukoly_kat where ukoly_id=%1").arg(other)),
              QStringLiteral("1"));

    // A malformed date never becomes SQL, whoever builds the statements.
    UkolPole bad = sample();
    bad.CasDo = QStringLiteral("0:00\"--");
    const QStringList before = testdb::snapshot(db());
    EXPECT_THROW(UlozUkol(db(), bad, other, s_user, kat, QByteArray()), ActionError);
    EXPECT_EQ(testdb::snapshot(db()), before);
}

} // namespace
