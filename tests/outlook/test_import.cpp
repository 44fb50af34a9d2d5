// Calendar items and contacts into the database and events out of it.
#include "common/session.h"
#include "data/notetext.h"
#include "data/sqldata.h"
#include "fixtures/session_groups.h"
#include "fixtures/testdb.h"
#include "outlook/zaznamyvymeny.h"
#include "records/kategoriekuc.h"
#include "records/vyskyty.h"

#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTextDocument>
#include <memory>

namespace
{

const bool kPasmo = [] {
    qputenv("TZ", "Europe/Prague");
    return true;
}();

QDateTime mistni(int y, int mo, int d, int h = 0, int mi = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi));
}

Schuzka schuzka(const QString& nazev, QDateTime od, QDateTime do_, int pripominkaMinut = 0)
{
    Schuzka s;
    s.nazev = nazev;
    s.zacatek = od;
    s.konec = do_;
    if (pripominkaMinut) {
        s.pripominka = true;
        s.okamzikPripominky = od.addSecs(-60 * pripominkaMinut);
    }
    return s;
}

class Vymena : public DbTest
{
protected:
    static constexpr int kVedeni = 10, kObchod = 20;
    static constexpr int kPorady = 3, kKlienti = 8, kDodavatele = 5;

    static void SetUpTestSuite()
    {
        DbTest::SetUpTestSuite();
        exec(QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (10, \"Vedení\")"));
        exec(QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (20, \"Obchod\")"));
        exec(QStringLiteral("insert into ku_c_kat (ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva, "
                            "ku_c_kat_poradi) values (3, \"Porady\", 255, 1)"));
        exec(QStringLiteral("insert into ku_c_kat (ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva, "
                            "ku_c_kat_poradi) values (8, \"Klienti\", 65280, 2)"));
        exec(QStringLiteral("insert into adresar_c_kat (adresar_c_kat_id, adresar_c_kat_nazev, "
                            "adresar_c_kat_barva, adresar_c_kat_poradi) values (5, \"Dodavatelé\", 255, 1)"));
        s_user = testdb::addUser(db(), QStringLiteral("jana"), QStringLiteral("x"));
    }

    void SetUp() override
    {
        DbTest::SetUp();
        for (const char* t : {"ku_kat", "ku", "adresar_zakl_kat", "adresar_zakl"})
            exec(QStringLiteral("delete from ") + QLatin1String(t));
        m_groups = std::make_unique<SessionGroups>(std::initializer_list<int>{kVedeni}, kVedeni);
        session().UzivatelID = s_user;
    }
    void TearDown() override { m_groups.reset(); }

    // The checked categories of a kind; the first is the main one.
    static TKategorieKUC kategorie(const QString& druh, std::initializer_list<int> ids)
    {
        TKategorieKUC k;
        k.NastavDruh(true, druh);
        k.NactiKategorie(0, druh);
        bool prvni = true;
        for (int id : ids)
            for (int i = 0; i < k.Pocet(); ++i)
                if (k.Id(i) == id) {
                    if (prvni)
                        k.DvojKlik(i);
                    else
                        k.Zaskrtni(i, true);
                    prvni = false;
                }
        return k;
    }

    // Each row as its values joined by ",".
    QStringList rows(const QString& sql)
    {
        db().ObnovTransakci();
        TKTDATASET t;
        db().NactiTabulku(sql, t);
        QStringList out;
        for (int r = 1; r <= t.PocetRadku(); ++r)
            out << t.Hodnoty(r).join(QLatin1Char(','));
        return out;
    }

    QString note(const QString& table, int id)
    {
        QTextDocument d;
        db().NactiPoznamku(QStringLiteral("select poznamka from %1 where %1_id=%2").arg(table).arg(id),
                           QStringLiteral("POZNAMKA"), &d);
        return d.toPlainText();
    }

    static inline int s_user = 0;
    std::unique_ptr<SessionGroups> m_groups;
};

TEST_F(Vymena, CalendarItemsBecomeEventsWithRightsCategoriesAndNote)
{
    Schuzka a =
        schuzka(QStringLiteral("Porada \"vedení\""), mistni(2004, 5, 1, 10), mistni(2004, 5, 1, 11), 15);
    a.popis = QStringLiteral("Program:\npřipravit čísla");
    Schuzka b = schuzka(QStringLiteral("Svátek"), mistni(2004, 5, 8), mistni(2004, 5, 9));
    b.celyDen = true;
    const TKategorieKUC kat = kategorie(QStringLiteral("KU"), {kKlienti, kPorady});
    QList<int> prubeh;
    const PocitadlaImportu p =
        ImportujKalendar(db(), {a, b}, {PravaZaznamu{kVedeni, kVedeni, kObchod, 0, kVedeni}, &kat},
                         [&](int i, int n) { prubeh << i << n; });
    EXPECT_EQ(prubeh, (QList<int>{1, 2, 2, 2}));
    EXPECT_EQ(p.Text(), QStringLiteral("Načteno: 2\r\nPřepsáno: 0\r\nZapsáno: 2\r\n"));
    EXPECT_EQ(
        rows(QStringLiteral("select datum,cas_od,cas_do,cely_den,nazev,alarm,alarm_datum,alarm_cas,"
                            "alarm_typ_akce,alarm_akce,vytvoril_kdo,f_cist,f_editovat,f_smazat,f_alarm,"
                            "f_administrovat from ku order by datum")),
        (QStringList{
            QStringLiteral("1.5.2004,1.5.2004 10:00:00,1.5.2004 11:00:00,0,Porada \"vedení\",1,"
                           "1.5.2004,1.5.2004 9:45:00,0,,%1,10,10,20,0,10")
                .arg(s_user),
            QStringLiteral("8.5.2004,8.5.2004,8.5.2004,1,Svátek,0,,,0,,%1,10,10,20,0,10").arg(s_user)}));
    EXPECT_EQ(rows(QStringLiteral("select k.ku_c_kat_id, k.hlavni from ku_kat k join ku on ku.ku_id=k.ku_id "
                                  "where ku.nazev starting \"Porada\" order by k.ku_c_kat_id")),
              (QStringList{"3,0", "8,1"}));
    const int id = db().VratInt(QStringLiteral("select ku_id from ku where cely_den=0"));
    EXPECT_EQ(note(QStringLiteral("ku"), id), a.popis);
}

TEST_F(Vymena, DuplicateRulesWithRights)
{
    const QList<Schuzka> items{schuzka(QStringLiteral("A"), mistni(2026, 1, 5, 9), mistni(2026, 1, 5, 10)),
                               schuzka(QStringLiteral("B"), mistni(2026, 1, 6, 9), mistni(2026, 1, 6, 10))};
    const TKategorieKUC porady = kategorie(QStringLiteral("KU"), {kPorady});
    const TKategorieKUC klienti = kategorie(QStringLiteral("KU"), {kKlienti});
    const NastaveniImportu pridat{PravaZaznamu::Vse(kVedeni), &porady, Duplicita::Pridat};
    EXPECT_EQ(ImportujKalendar(db(), items, pridat).zapsano, 2);
    EXPECT_EQ(ImportujKalendar(db(), items, pridat).zapsano, 2);
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from ku")), 4);
    exec(QStringLiteral("delete from ku_kat"));
    exec(QStringLiteral("delete from ku"));

    EXPECT_EQ(ImportujKalendar(db(), items, pridat).zapsano, 2);
    const PocitadlaImportu skip =
        ImportujKalendar(db(), items, {PravaZaznamu::Vse(kVedeni), &porady, Duplicita::Preskocit});
    EXPECT_EQ(skip.Text(), QStringLiteral("Načteno: 2\r\nPřepsáno: 0\r\nZapsáno: 0\r\nPřeskočeno: 2\r\n"));

    // Overwriting keeps the ids and replaces the categories and rights.
    const QStringList ids = rows(QStringLiteral("select ku_id from ku order by nazev"));
    const PocitadlaImportu over =
        ImportujKalendar(db(), items, {PravaZaznamu::Vse(kObchod), &klienti, Duplicita::Prepsat});
    EXPECT_EQ(over.prepsano, 2);
    EXPECT_EQ(over.zapsano, 2);
    EXPECT_EQ(rows(QStringLiteral("select ku_id from ku order by nazev")), ids);
    EXPECT_EQ(rows(QStringLiteral("select distinct ku_c_kat_id from ku_kat")), QStringList{"8"});
    EXPECT_EQ(rows(QStringLiteral("select distinct f_cist from ku")), QStringList{"20"});

    // Now the rows belong to a group the user is not in: they are not matched
    // at all (a new row is added even under "do not import").
    const PocitadlaImportu cizi =
        ImportujKalendar(db(), {items[0]}, {PravaZaznamu::Vse(kVedeni), &porady, Duplicita::Preskocit});
    EXPECT_EQ(cizi.zapsano, 1);
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from ku where nazev=\"A\"")), 2);

    // A readable row the user may not delete is not overwritten.
    exec(QStringLiteral("update ku set f_cist=10, f_editovat=10, f_smazat=20 where nazev=\"B\""));
    const QStringList pred = rows(QStringLiteral("select * from ku where nazev=\"B\""));
    const PocitadlaImportu bezPrava =
        ImportujKalendar(db(), {items[1]}, {PravaZaznamu::Vse(kVedeni), &porady, Duplicita::Prepsat});
    EXPECT_EQ(bezPrava.preskoceno, 1);
    EXPECT_EQ(bezPrava.zapsano, 0);
    EXPECT_EQ(rows(QStringLiteral("select * from ku where nazev=\"B\"")), pred);
}

// A text the database may not hold (a control character) fails that item alone, counted and named.
TEST_F(Vymena, RefusedItemIsCountedNotWritten)
{
    const QList<Schuzka> items{
        schuzka(QStringLiteral("Dobře"), mistni(2026, 2, 1, 9), mistni(2026, 2, 1, 10)),
        schuzka(QStringLiteral("Čaj \u0007"), mistni(2026, 2, 2, 9), mistni(2026, 2, 2, 10)),
        schuzka(QStringLiteral("Také dobře"), mistni(2026, 2, 3, 9), mistni(2026, 2, 3, 10))};
    const PocitadlaImportu p = ImportujKalendar(db(), items, {PravaZaznamu::Vse(kVedeni)});
    EXPECT_EQ(p.zapsano, 2);
    EXPECT_EQ(p.chybne, 1);
    ASSERT_EQ(p.chyby.size(), 1);
    EXPECT_TRUE(p.chyby[0].startsWith(QStringLiteral("Čaj \u0007: "))) << p.chyby[0].toStdString();
    EXPECT_FALSE(p.Podrobnosti().contains(QStringLiteral("insert into"), Qt::CaseInsensitive))
        << p.Podrobnosti().toStdString();
    EXPECT_TRUE(p.Text().contains(QStringLiteral("Nezapsáno pro chybu: 1")));
    EXPECT_FALSE(p.Text().contains(QStringLiteral("Čaj"))) << "reasons go to the details";
    EXPECT_EQ(rows(QStringLiteral("select nazev from ku order by datum")),
              (QStringList{"Dobře", "Také dobře"}));
}

// The file goes in as one transaction: other workstations see none of it until
// the end, and an item the server refuses half-way (its category link, after
// its row was inserted) rolls back alone, leaving the items around it whole.
TEST_F(Vymena, OneTransactionAndAServerRefusalRollsBackOnlyItsItem)
{
    exec(QStringLiteral("create exception test_odmitnuto 'odmítnuto'"));
    exec(
        QStringLiteral("create trigger test_kat for ku_kat before insert as begin if (exists(select 1 from "
                       "ku where ku_id=new.ku_id and nazev='Zakázáno')) then exception test_odmitnuto; end"));
    const QList<Schuzka> items{
        schuzka(QStringLiteral("Před"), mistni(2026, 3, 1, 9), mistni(2026, 3, 1, 10)),
        schuzka(QStringLiteral("Zakázáno"), mistni(2026, 3, 2, 9), mistni(2026, 3, 2, 10)),
        schuzka(QStringLiteral("Po"), mistni(2026, 3, 3, 9), mistni(2026, 3, 3, 10))};
    const TKategorieKUC porady = kategorie(QStringLiteral("KU"), {kPorady});
    TSQLDATA jina;
    ASSERT_TRUE(jina.PripojDatabazi(dbPath(), QStringLiteral("orvan"), QStringLiteral("qelmo.")));
    QList<int> videnoJinde;
    const PocitadlaImportu p =
        ImportujKalendar(db(), items, {PravaZaznamu::Vse(kVedeni), &porady}, [&](int, int) {
            jina.ObnovTransakci();
            videnoJinde << jina.VratInt(QStringLiteral("select count(*) from ku where datum>='1.3.2026' and "
                                                       "datum<'1.4.2026'"));
        });
    exec(QStringLiteral("drop trigger test_kat"));
    exec(QStringLiteral("drop exception test_odmitnuto"));
    EXPECT_EQ(videnoJinde, (QList<int>{0, 0, 0}));
    EXPECT_EQ(p.zapsano, 2);
    EXPECT_EQ(p.chybne, 1);
    EXPECT_TRUE(p.Podrobnosti().startsWith(QStringLiteral("Zakázáno: "))) << p.Podrobnosti().toStdString();
    EXPECT_EQ(
        rows(QStringLiteral("select ku.nazev, k.ku_c_kat_id from ku left join ku_kat k on "
                            "k.ku_id=ku.ku_id where ku.datum>='1.3.2026' and ku.datum<'1.4.2026' order by "
                            "ku.datum")),
        (QStringList{"Před,3", "Po,3"}));
    jina.ObnovTransakci();
    EXPECT_EQ(jina.VratInt(QStringLiteral("select count(*) from ku where datum>='1.3.2026' and "
                                          "datum<'1.4.2026'")),
              2);
}

TEST_F(Vymena, ContactsBecomeAddresses)
{
    Kontakt k;
    k.nazev = QStringLiteral("Stavební s.r.o.");
    k.jmeno = QStringLiteral("Jan");
    k.prijmeni = QStringLiteral("Novák");
    k.titul = QStringLiteral("Ing.");
    k.ulice = QStringLiteral("Dlouhá 12");
    k.mesto = QStringLiteral("Praha");
    k.psc = QStringLiteral("11000");
    k.stat = QStringLiteral("CZ");
    k.email1 = QStringLiteral("jan@firma.cz");
    k.telefon1 = QStringLiteral("+420 111");
    k.mobil1 = QStringLiteral("+420 333");
    k.www1 = QStringLiteral("firma.cz");
    k.prezdivka = QStringLiteral("Honzíček z Brna");
    k.ostatni = QStringList{QStringLiteral("NOTE=Volat ráno"), QStringLiteral("BDAY=1970-01-01")};
    Kontakt prazdny; // no company, first name or surname
    const TKategorieKUC kat = kategorie(QStringLiteral("ADRESAR"), {kDodavatele});
    const PocitadlaImportu p = ImportujKontakty(db(), {k, prazdny}, {PravaZaznamu::Vse(kVedeni), &kat});
    EXPECT_EQ(p.zapsano, 2);
    EXPECT_EQ(
        rows(QStringLiteral("select nazev,jmeno,prijmeni,titul,ulice,mesto,psc,stat,email1,telefon1,mobil1,"
                            "www1,nazev_zkraceny,nazev2,f_cist from adresar_zakl where prijmeni<>\"\"")),
        QStringList{"Stavební s.r.o.,Jan,Novák,Ing.,Dlouhá 12,Praha,11000,CZ,jan@firma.cz,+420 111,+420 333,"
                    "firma.cz,Honzíček z,,10"});
    const int id =
        db().VratInt(QStringLiteral("select adresar_zakl_id from adresar_zakl where prijmeni=\"Novák\""));
    EXPECT_EQ(note(QStringLiteral("adresar_zakl"), id), QStringLiteral("NOTE=Volat ráno\nBDAY=1970-01-01"));
    EXPECT_EQ(
        rows(QStringLiteral("select adresar_c_kat_id, hlavni from adresar_zakl_kat where adresar_zakl_id=%1")
                 .arg(id)),
        QStringList{"5,1"});

    // Overwriting keeps the id and what a contact does not carry.
    exec(QStringLiteral("update adresar_zakl set ico=\"12345678\", cesta_k_souborum=\"/data/novak\" where "
                        "adresar_zakl_id=%1")
             .arg(id));
    k.mesto = QStringLiteral("Brno");
    const PocitadlaImportu o =
        ImportujKontakty(db(), {k}, {PravaZaznamu::Vse(kVedeni), nullptr, Duplicita::Prepsat});
    EXPECT_EQ(o.prepsano, 1);
    EXPECT_EQ(rows(QStringLiteral("select adresar_zakl_id,mesto,ico,cesta_k_souborum from adresar_zakl where "
                                  "prijmeni=\"Novák\"")),
              QStringList{QStringLiteral("%1,Brno,12345678,/data/novak").arg(id)});
    EXPECT_EQ(db().VratInt(
                  QStringLiteral("select count(*) from adresar_zakl_kat where adresar_zakl_id=%1").arg(id)),
              0);

    // The empty contact matches the entry with empty texts, not one with NULLs.
    exec(QStringLiteral("insert into adresar_zakl (adresar_zakl_id, mesto) values (900, \"Nic\")"));
    const PocitadlaImportu e =
        ImportujKontakty(db(), {prazdny}, {PravaZaznamu::Vse(kVedeni), nullptr, Duplicita::Preskocit});
    EXPECT_EQ(e.preskoceno, 1);
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from adresar_zakl")), 3);
}

// Events out to a file and back in give the same rows; uids stay from one export to the next.
TEST_F(Vymena, ExportedEventsImportAsTheSameRows)
{
    const char* sloupce = "datum,cas_od,cas_do,cely_den,nazev,alarm,alarm_datum,alarm_cas";
    exec(QStringLiteral(
             "insert into ku (ku_id,%1) values (1, \"24.10.2026\", \"24.10.2026 23:00\", "
             "\"24.10.2026 23:30\", 0, \"Před změnou času\", 1, \"24.10.2026\", \"24.10.2026 22:30\")")
             .arg(QLatin1String(sloupce)));
    exec(QStringLiteral("insert into ku (ku_id,%1) values (2, \"25.10.2026\", \"25.10.2026 9:00\", "
                        "\"25.10.2026 10:00\", 0, \"Po změně; s čárkou, a \\\\\", 1, \"25.10.2026\", "
                        "\"25.10.2026 9:20\")")
             .arg(QLatin1String(sloupce)));
    exec(QStringLiteral("insert into ku (ku_id,%1) values (3, \"1.1.2027\", \"1.1.2027\", \"1.1.2027\", 1, "
                        "\"Nový rok\", 0, null, null)")
             .arg(QLatin1String(sloupce)));
    // An alarm switched on without its date goes out without a reminder.
    exec(QStringLiteral(
             "insert into ku (ku_id,%1) values (4, \"2.1.2027\", \"2.1.2027 8:00\", \"2.1.2027 9:00\", 0, "
             "\"Bez data alarmu\", 1, null, null)")
             .arg(QLatin1String(sloupce)));
    // Not readable for this user: not exported.
    exec(QStringLiteral(
        "insert into ku (ku_id,datum,cas_od,nazev,f_cist) values (5, \"3.1.2027\", \"3.1.2027 8:00\", "
        "\"Cizí\", 20)"));
    const QString select =
        QStringLiteral("select %1 from ku where ku_id<5 order by cas_od").arg(QLatin1String(sloupce));
    QStringList pred = rows(select);

    const QList<Schuzka> ven = UdalostiKExportu(db());
    ASSERT_EQ(ven.size(), 4);
    EXPECT_FALSE(ven[3].pripominka);
    EXPECT_EQ(UdalostiKExportu(db())[0].uid, ven[0].uid);
    QSet<QString> uids;
    for (const Schuzka& s : ven)
        uids.insert(s.uid);
    EXPECT_EQ(uids.size(), 4) << "every event its own UID";
    EXPECT_TRUE(ven[0].uid.startsWith(QStringLiteral("orvan-")));
    const QByteArray ics = ical::Zapis(ven, QDateTime::currentDateTimeUtc(), false);
    EXPECT_TRUE(ics.contains("TRIGGER:PT20M")) << "an alarm after the start stays after it";

    exec(QStringLiteral("delete from ku"));
    EXPECT_EQ(ImportujKalendar(db(), ical::Cti(ics), {PravaZaznamu::Vse(kVedeni)}).zapsano, 4);
    pred[3].replace(QStringLiteral(",1,,"), QStringLiteral(",0,,"));
    EXPECT_EQ(rows(QString(select).replace(QStringLiteral(" where ku_id<5"), QString())), pred);
    // Imported events keep the file's UIDs: a second import of the file overwrites them.
    QSet<QString> zpet;
    for (const Schuzka& s : UdalostiKExportu(db()))
        zpet.insert(s.uid);
    EXPECT_EQ(zpet, uids);
    QList<Schuzka> zmenene = ical::Cti(ics);
    for (Schuzka& s : zmenene)
        s.nazev += QStringLiteral(" (přesunuto)");
    const PocitadlaImportu znovu =
        ImportujKalendar(db(), zmenene, {PravaZaznamu::Vse(kVedeni), nullptr, Duplicita::Prepsat});
    EXPECT_EQ(znovu.prepsano, 4);
    EXPECT_EQ(rows(QStringLiteral("select count(*) from ku where ku_id<>5")), QStringList{"4"});
}

// The UID goes out the same after a backup and restore of the database
// (gbak makes a new file with a new creation stamp).
TEST(VymenaUid, SurvivesBackupAndRestore)
{
    testdb::FreshDatabase fresh;
    QTemporaryDir dir;
    const auto uidy = [](const QString& path) {
        TSQLDATA db;
        setSQLDATA(&db);
        EXPECT_TRUE(db.PripojDatabazi(path, QStringLiteral("orvan"), QStringLiteral("qelmo.")));
        QStringList out;
        for (const Schuzka& s : UdalostiKExportu(db))
            out << s.uid;
        setSQLDATA(nullptr);
        return out;
    };
    {
        TSQLDATA db;
        ASSERT_TRUE(db.PripojDatabazi(fresh.path(), QStringLiteral("orvan"), QStringLiteral("qelmo.")));
        for (int i = 1; i <= 3; ++i)
            ASSERT_TRUE(
                db.ProvedSQL(QStringLiteral("insert into ku (ku_id, datum, cas_od, nazev) values (%1, "
                                            "'1.5.2026', '1.5.2026 9:00', 'Porada %1')")
                                 .arg(i))
                    .ok);
    }
    const QStringList pred = uidy(fresh.path());
    ASSERT_EQ(pred.size(), 3);
    const QString zaloha = dir.filePath(QStringLiteral("zaloha.fbk")),
                  obnovena = dir.filePath(QStringLiteral("obnovena.fdb"));
    for (const QStringList& args : {QStringList{QStringLiteral("-b"), fresh.path(), zaloha},
                                    QStringList{QStringLiteral("-c"), zaloha, obnovena}}) {
        QProcess gbak;
        gbak.start(QStringLiteral("gbak"),
                   QStringList{QStringLiteral("-user"), QStringLiteral("SYSDBA")} + args);
        ASSERT_TRUE(gbak.waitForFinished(60000));
        ASSERT_EQ(gbak.exitCode(), 0) << gbak.readAllStandardError().toStdString();
    }
    EXPECT_EQ(uidy(obnovena), pred);
}

// A file that cancels events (the program's own clearing file, or another
// calendar's STATUS:CANCELLED) deletes the events with those UIDs that the
// user may delete, and never adds a row.
TEST_F(Vymena, CancelledItemsDeleteAndNeverAdd)
{
    const QList<Schuzka> items{schuzka(QStringLiteral("A"), mistni(2026, 1, 5, 9), mistni(2026, 1, 5, 10)),
                               schuzka(QStringLiteral("B"), mistni(2026, 1, 6, 9), mistni(2026, 1, 6, 10)),
                               schuzka(QStringLiteral("C"), mistni(2026, 1, 7, 9), mistni(2026, 1, 7, 10))};
    ASSERT_EQ(ImportujKalendar(db(), items, {PravaZaznamu::Vse(kVedeni)}).zapsano, 3);
    // C belongs to a group whose members alone may delete it.
    exec(QStringLiteral("update ku set f_smazat=%1 where nazev='C'").arg(kObchod));
    const QList<Schuzka> ven = UdalostiKExportu(db());
    ASSERT_EQ(ven.size(), 3);

    const QList<Schuzka> zruseni = ical::Cti(ical::Zapis(ven, QDateTime::currentDateTimeUtc(), true));
    ASSERT_EQ(zruseni.size(), 3);
    EXPECT_EQ(PocetZrusenych(db(), zruseni), 2);
    // Declined: nothing deleted, nothing added.
    PocitadlaImportu p =
        ImportujKalendar(db(), zruseni, {PravaZaznamu::Vse(kVedeni), nullptr, Duplicita::Pridat, false});
    EXPECT_EQ(p.zapsano + p.zruseno, 0);
    EXPECT_EQ(rows(QStringLiteral("select count(*) from ku")), QStringList{"3"});

    p = ImportujKalendar(db(), zruseni, {PravaZaznamu::Vse(kVedeni)});
    EXPECT_EQ(p.zruseno, 2);
    EXPECT_EQ(p.zapsano, 0);
    EXPECT_EQ(rows(QStringLiteral("select nazev from ku")), QStringList{"C"});

    // One cancelled occurrence among published ones, as another calendar writes it.
    const QByteArray jinde =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Jinde//CZ\r\n"
        "BEGIN:VEVENT\r\nUID:zruseno-1\r\nDTSTART:20260108T090000Z\r\nSUMMARY:Zrušená\r\n"
        "STATUS:CANCELLED\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:plati-1\r\nDTSTART:20260109T090000Z\r\nSUMMARY:Platí\r\n"
        "END:VEVENT\r\nEND:VCALENDAR\r\n";
    p = ImportujKalendar(db(), ical::Cti(jinde), {PravaZaznamu::Vse(kVedeni)});
    EXPECT_EQ(p.zapsano, 1);
    EXPECT_EQ(rows(QStringLiteral("select nazev from ku order by nazev")), (QStringList{"C", "Platí"}));
}

// An overwrite takes the file's values but not its rights when the user may
// edit and delete the row without administering it (the editor would have
// locked its rights frame too).
TEST_F(Vymena, OverwriteKeepsRightsTheUserMayNotAdminister)
{
    const QList<Schuzka> items{schuzka(QStringLiteral("A"), mistni(2026, 2, 5, 9), mistni(2026, 2, 5, 10))};
    ASSERT_EQ(ImportujKalendar(db(), items, {PravaZaznamu::Vse(kVedeni)}).zapsano, 1);
    exec(QStringLiteral("update ku set f_alarm=%1, f_administrovat=%1").arg(kObchod));
    const PocitadlaImportu p =
        ImportujKalendar(db(), items, {PravaZaznamu::Vse(kVedeni), nullptr, Duplicita::Prepsat});
    EXPECT_EQ(p.prepsano, 1);
    EXPECT_EQ(rows(QStringLiteral("select f_cist,f_editovat,f_smazat,f_alarm,f_administrovat from ku")),
              QStringList{QStringLiteral("%2,%2,%2,%1,%1").arg(kObchod).arg(kVedeni)});
}

// A 100 KB name is cut to its column as the editors cut it, not refused with
// the whole statement.
TEST_F(Vymena, LongTextsAreCutToTheirColumns)
{
    const QString dlouhy(100000, QLatin1Char('x'));
    const PocitadlaImportu p = ImportujKalendar(
        db(), {schuzka(dlouhy, mistni(2026, 3, 1, 9), mistni(2026, 3, 1, 10))}, {PravaZaznamu::Vse(kVedeni)});
    EXPECT_EQ(p.zapsano, 1) << p.Podrobnosti().toStdString();
    EXPECT_EQ(rows(QStringLiteral("select char_length(nazev) from ku")), QStringList{"250"});
    Kontakt k;
    k.prijmeni = dlouhy;
    k.mesto = dlouhy;
    EXPECT_EQ(ImportujKontakty(db(), {k}, {PravaZaznamu::Vse(kVedeni)}).zapsano, 1);
    EXPECT_EQ(rows(QStringLiteral("select char_length(prijmeni), char_length(mesto) from adresar_zakl")),
              QStringList{"80,80"});
}

// An address's note goes out with it as NOTE.
TEST_F(Vymena, NotesGoOutWithTheirAddresses)
{
    exec(QStringLiteral("insert into adresar_zakl (adresar_zakl_id, nazev) values (1, \"S poznámkou\")"));
    exec(QStringLiteral("insert into adresar_zakl (adresar_zakl_id, nazev) values (2, \"Bez poznámky\")"));
    QTextDocument d;
    d.setPlainText(QStringLiteral("Volat ráno, ne v pátek"));
    db().UlozPoznamku(QStringLiteral("UPDATE_ADRESAR_ZAKL_POZNAMKA"), QStringLiteral("ADRESAR_ZAKL"), &d, 1,
                      QStringLiteral("POZNAMKA"));
    const QList<Kontakt> k = AdresyKExportu(db());
    ASSERT_EQ(k.size(), 2);
    EXPECT_EQ(k[0].poznamka, QString());
    EXPECT_EQ(k[1].poznamka, QStringLiteral("Volat ráno, ne v pátek"));
    EXPECT_TRUE(vcard::Zapis(k).contains("NOTE:Volat ráno\\, ne v pátek\r\n"));
}

TEST_F(Vymena, AddressesOutAndBackIn)
{
    exec(QStringLiteral(
        "insert into adresar_zakl (adresar_zakl_id,nazev,jmeno,prijmeni,titul,za_prijmenim,ulice,"
        "mesto,psc,stat,email1,email2,telefon1,telefon2,mobil1,mobil2,fax1,www1,nazev_zkraceny) values "
        "(1, \"Úřad; odbor, 2\", \"Eva\", \"Svobodová\", \"Mgr.\", \"DiS.\", \"Náměstí 1\", "
        "\"Plzeň\", \"30100\", \"CZ\", \"eva@urad.cz\", \"eva@doma.cz\", \"1\", \"2\", \"3\", \"4\", "
        "\"5\", \"urad.cz\", \"Evička\")"));
    exec(QStringLiteral("insert into adresar_zakl (adresar_zakl_id,nazev,f_cist) values (2, \"Cizí\", 20)"));
    const QString select = QStringLiteral(
        "select nazev,jmeno,prijmeni,titul,za_prijmenim,ulice,mesto,psc,stat,email1,email2,telefon1,telefon2,"
        "mobil1,mobil2,fax1,www1,nazev_zkraceny from adresar_zakl where adresar_zakl_id<>2");
    const QStringList pred = rows(select);
    const QList<Kontakt> ven = AdresyKExportu(db());
    ASSERT_EQ(ven.size(), 1);
    exec(QStringLiteral("delete from adresar_zakl where adresar_zakl_id=1"));
    EXPECT_EQ(ImportujKontakty(db(), vcard::Cti(vcard::Zapis(ven)), {PravaZaznamu::Vse(kVedeni)}).zapsano, 1);
    EXPECT_EQ(rows(select), pred);
}

} // namespace

namespace
{

QByteArray crlf(const char* text)
{
    return QByteArray(text).replace("\n", "\r\n");
}

} // namespace

// What a file says about dates is stored as it says: an end after midnight,
// a holiday over several days, a series with its rule and exclusions.
TEST_F(Vymena, FileDatesAreKeptOrRefusedWithTheirReason)
{
    const QByteArray ics =
        crlf("BEGIN:VCALENDAR\nVERSION:2.0\n"
             "BEGIN:VEVENT\nUID:noc\nSUMMARY:Noční směna\nDTSTART;TZID=Europe/Prague:20260310T220000\n"
             "DTEND;TZID=Europe/Prague:20260311T060000\nEND:VEVENT\n"
             "BEGIN:VEVENT\nUID:dovolena\nSUMMARY:Dovolená\nDTSTART;VALUE=DATE:20260803\nDTEND;VALUE=DATE:"
             "20260808\n"
             "END:VEVENT\n"
             "BEGIN:VEVENT\nUID:porada\nSUMMARY:Porada\nDTSTART;TZID=Europe/Prague:20260105T090000\n"
             "DTEND;TZID=Europe/Prague:20260105T100000\nRRULE:FREQ=WEEKLY;COUNT=5\n"
             "EXDATE;TZID=Europe/Prague:20260105T090000\nEND:VEVENT\n"
             "END:VCALENDAR\n");
    const PocitadlaImportu p = ImportujKalendar(db(), ical::Cti(ics), {PravaZaznamu::Vse(kVedeni)});
    EXPECT_EQ(p.nacteno, 3);
    EXPECT_EQ(p.zapsano, 3) << p.Podrobnosti().toStdString();
    EXPECT_EQ(p.chybne, 0);
    EXPECT_EQ(p.zkraceno, 0);
    EXPECT_EQ(
        rows(QStringLiteral("select uid,datum,cas_od,cas_do,datum_do,opakovani,vynechane,konec_opakovani "
                            "from ku order by datum")),
        QStringList({"porada,5.1.2026,5.1.2026 9:00:00,5.1.2026 10:00:00,,FREQ=WEEKLY;COUNT=5,"
                     "20260105T090000,2.2.2026",
                     "noc,10.3.2026,10.3.2026 22:00:00,11.3.2026 6:00:00,,,,",
                     "dovolena,3.8.2026,3.8.2026,3.8.2026,7.8.2026,,,"}));

    // Out and back: the night keeps its morning, the holiday its last day, and
    // the same file matches its rows.
    const QList<Schuzka> ven = UdalostiKExportu(db());
    ASSERT_EQ(ven.size(), 3);
    EXPECT_EQ(ven[1].konec, mistni(2026, 3, 11, 6));
    EXPECT_EQ(ven[2].konec, mistni(2026, 8, 8));
    EXPECT_EQ(ven[0].pravidlo, QStringLiteral("FREQ=WEEKLY;COUNT=5"));
    QList<Schuzka> bezUid = ical::Cti(ical::Zapis(ven, QDateTime::currentDateTimeUtc(), false));
    for (Schuzka& s : bezUid)
        s.uid.clear(); // matched by date, times and name
    const PocitadlaImportu znovu =
        ImportujKalendar(db(), bezUid, {PravaZaznamu::Vse(kVedeni), nullptr, Duplicita::Preskocit});
    EXPECT_EQ(znovu.preskoceno, 3);
    EXPECT_EQ(rows(QStringLiteral("select count(*) from ku")), QStringList{"3"});
}

// A recurring meeting from another calendar program comes with every
// occurrence, its exclusions, a cancelled and a moved one, and goes out again
// unchanged: imported a second time into another office it gives the same rows.
TEST_F(Vymena, RecurringMeetingInAndOutUnchanged)
{
    const QByteArray ics = crlf(
        "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Jiny//CS\n"
        "BEGIN:VEVENT\nUID:tyden@jinde\nSUMMARY:Porada týmu\nDTSTART;TZID=Europe/Prague:20270104T083000\n"
        "DTEND;TZID=Europe/Prague:20270104T093000\nRRULE:FREQ=WEEKLY;BYDAY=MO;UNTIL=20270329T073000Z\n"
        "EXDATE;TZID=Europe/Prague:20270201T083000\nEND:VEVENT\n"
        "BEGIN:VEVENT\nUID:tyden@jinde\nRECURRENCE-ID;TZID=Europe/Prague:20270118T083000\n"
        "DTSTART;TZID=Europe/Prague:20270118T083000\nSTATUS:CANCELLED\nEND:VEVENT\n"
        "BEGIN:VEVENT\nUID:tyden@jinde\nRECURRENCE-ID;TZID=Europe/Prague:20270111T083000\n"
        "SUMMARY:Porada týmu (úterý)\nDTSTART;TZID=Europe/Prague:20270112T100000\n"
        "DTEND;TZID=Europe/Prague:20270112T110000\nEND:VEVENT\n"
        "END:VCALENDAR\n");
    const PocitadlaImportu p = ImportujKalendar(db(), ical::Cti(ics), {PravaZaznamu::Vse(kVedeni)});
    EXPECT_EQ(p.zapsano, 2) << p.Podrobnosti().toStdString();
    const auto vyskyty = [this] {
        QStringList out;
        for (const VyskytUdalosti& v : NactiVyskyty(db(), QDate(2027, 1, 1), QDate(2027, 4, 30)))
            out << v.zacatek.toString(QStringLiteral("d.M. H:mm ")) + v.nazev;
        return out;
    };
    const QStringList ocekavane = {
        "4.1. 8:30 Porada týmu",  "12.1. 10:00 Porada týmu (úterý)", "25.1. 8:30 Porada týmu",
        "8.2. 8:30 Porada týmu",  "15.2. 8:30 Porada týmu",          "22.2. 8:30 Porada týmu",
        "1.3. 8:30 Porada týmu",  "8.3. 8:30 Porada týmu",           "15.3. 8:30 Porada týmu",
        "22.3. 8:30 Porada týmu", "29.3. 8:30 Porada týmu"};
    EXPECT_EQ(vyskyty(), ocekavane);
    const QString sloupce = QStringLiteral("datum,cas_od,cas_do,nazev,opakovani,vynechane,konec_opakovani,"
                                           "puvodni_vyskyt,zruseno,uid");
    const QStringList pred = rows(QStringLiteral("select %1 from ku order by datum").arg(sloupce));

    const QByteArray ven = ical::Zapis(UdalostiKExportu(db()), QDateTime::currentDateTimeUtc(), false);
    exec(QStringLiteral("delete from ku"));
    EXPECT_EQ(ImportujKalendar(db(), ical::Cti(ven), {PravaZaznamu::Vse(kVedeni)}).zapsano, 2);
    EXPECT_EQ(vyskyty(), ocekavane) << ven.constData();
    EXPECT_EQ(rows(QStringLiteral("select %1 from ku order by datum").arg(sloupce)).size(), pred.size());
    // The same file again finds both rows by their UID and occurrence.
    const PocitadlaImportu znovu =
        ImportujKalendar(db(), ical::Cti(ven), {PravaZaznamu::Vse(kVedeni), nullptr, Duplicita::Preskocit});
    EXPECT_EQ(znovu.preskoceno, 2);
}

// Cards from a phone in Cyrillic, Greek and Spanish are stored as they are.
TEST_F(Vymena, ContactsInEveryScriptAreStored)
{
    const QList<Kontakt> karty =
        vcard::Cti(crlf("BEGIN:VCARD\nVERSION:3.0\nN:Коваленко;Олена;;;\nEND:VCARD\n"
                        "BEGIN:VCARD\nVERSION:3.0\nN:Παπαδόπουλος;Σωκράτης;;;\nEND:VCARD\n"
                        "BEGIN:VCARD\nVERSION:3.0\nN:Muñoz;Iñigo;;;\nEND:VCARD\n"));
    const PocitadlaImportu p = ImportujKontakty(db(), karty, {PravaZaznamu::Vse(kVedeni)});
    EXPECT_EQ(p.zapsano, 3) << p.Podrobnosti().toStdString();
    EXPECT_EQ(rows(QStringLiteral("select jmeno, prijmeni from adresar_zakl order by prijmeni")),
              QStringList({"Iñigo,Muñoz", "Σωκράτης,Παπαδόπουλος", "Олена,Коваленко"}));
}
