#include "dbupgrade.h"

#include "data/sqldata.h"
#include "dberror.h"
#include "hesla.h"
#include "sqlvalues.h"

namespace dbupgrade
{

namespace
{

// Passwords from before digests become digests: nobody reads them back any more.
QStringList zahesujHesla(TSQLDATA& db)
{
    TKTDATASET t;
    db.NactiTabulku(QStringLiteral("select uzivatel_id, heslo from uzivatel"), t);
    QStringList out;
    for (int r = 1; r <= t.PocetRadku(); ++r) {
        const QString heslo = t.HodnotaJmeno(r, QStringLiteral("HESLO"));
        if (heslo.isEmpty() || hesla::JeOtisk(heslo)) continue;
        out << QStringLiteral("update uzivatel set heslo=%1 where uzivatel_id=%2")
                   .arg(TextSQL(hesla::Otisk(heslo)))
                   .arg(t.HodnotaInt(r, QStringLiteral("UZIVATEL_ID")));
    }
    return out;
}

// Two workstations could give rides of one date the same order number. The
// pair becomes unique; rides that already share one are listed for the
// administrator instead of being renumbered behind his back.
QStringList poradiJizdJedinecne(TSQLDATA& db)
{
    if (db.VratInt(QStringLiteral("select count(*) from rdb$relation_constraints where "
                                  "rdb$constraint_name='KJ_DATUM_PORADI'")) > 0)
        return {};
    TKTDATASET t;
    db.NactiTabulku(
        QStringLiteral("select k.datum, k.poradi, k.kj_id from kj k where exists (select 1 from kj "
                       "j where j.datum=k.datum and j.poradi=k.poradi and j.kj_id<>k.kj_id) "
                       "order by k.datum, k.poradi, k.kj_id"),
        t);
    if (t.PocetRadku() > 0) {
        QStringList radky;
        for (int r = 1; r <= t.PocetRadku(); ++r)
            radky << QStringLiteral("%1 pořadí %2 (KJ_ID %3)")
                         .arg(DatumCast(t.HodnotaJmeno(r, QStringLiteral("DATUM"))),
                              t.HodnotaJmeno(r, QStringLiteral("PORADI")),
                              t.HodnotaJmeno(r, QStringLiteral("KJ_ID")));
        throw ActionError(QStringLiteral("Jízdy se stejným datem a pořadím (%1):\n%2\nOpravte jejich pořadí "
                                         "(sloupec PORADI tabulky KJ) a spusťte převod znovu.")
                              .arg(t.PocetRadku())
                              .arg(radky.join(QLatin1Char('\n'))));
    }
    return {QStringLiteral("alter table kj add constraint KJ_DATUM_PORADI unique (datum, poradi)")};
}

bool maTabulku(TSQLDATA& db, const QString& tabulka)
{
    return db.VratInt(QStringLiteral("select count(*) from rdb$relations where rdb$relation_name=%1")
                          .arg(TextSQL(tabulka))) > 0;
}

bool maGenerator(TSQLDATA& db, const QString& generator)
{
    return db.VratInt(QStringLiteral("select count(*) from rdb$generators where rdb$generator_name=%1")
                          .arg(TextSQL(generator))) > 0;
}

// What a logbook needs for the tax office and the accountant: odometer
// states, the driver, private rides and times per ride; fuel and
// consumption per car. Old rows keep NULL in them.
QStringList knihaJizdProUcetni(TSQLDATA& db)
{
    QStringList out;
    const auto kj = [&](const char* sloupec, const char* typ) {
        out << PridejSloupec(db, QStringLiteral("KJ"), QLatin1String(sloupec), QLatin1String(typ));
    };
    kj("TACHOMETR_OD", "integer");
    kj("TACHOMETR_DO", "integer");
    kj("RIDIC_ID", "integer");
    kj("SOUKROMA", "smallint");
    kj("CAS_ODJEZDU", "date");
    kj("CAS_PRIJEZDU", "date");
    const auto vuz = [&](const char* sloupec, const char* typ) {
        out << PridejSloupec(db, QStringLiteral("KJ_AUTO"), QLatin1String(sloupec), QLatin1String(typ));
    };
    vuz("PALIVO", "varchar(30)");
    vuz("SPOTREBA", "numeric(9,2)");
    vuz("TACHOMETR_START", "integer");
    return out;
}

// Fuel purchases and the yearly rates of the per-km reimbursement.
QStringList tankovaniASazby(TSQLDATA& db)
{
    QStringList out;
    if (!maTabulku(db, QStringLiteral("KJ_TANKOVANI")))
        out << QStringLiteral(
            "create table KJ_TANKOVANI (KJ_TANKOVANI_ID integer not null primary key, "
            "KJ_AUTO_ID integer not null, DATUM date, LITRY numeric(9,2), CENA numeric(15,2), "
            "TACHOMETR integer, VYTVORIL_KDO integer, VYTVORIL_KDY date, EDITOVAL_KDO integer, "
            "EDITOVAL_KDY date)");
    if (!maGenerator(db, QStringLiteral("KJ_TANKOVANI_ID")))
        out << QStringLiteral("create generator KJ_TANKOVANI_ID");
    if (!maTabulku(db, QStringLiteral("KJ_SAZBY")))
        out << QStringLiteral(
            "create table KJ_SAZBY (ROK integer not null primary key, ZAKLADNI numeric(9,2))");
    if (!maTabulku(db, QStringLiteral("KJ_CENY_PALIV")))
        out << QStringLiteral(
            "create table KJ_CENY_PALIV (ROK integer not null, PALIVO varchar(30) not null, "
            "CENA numeric(9,2), primary key (ROK, PALIVO))");
    return out;
}

// The basic rates the decrees fixed; fuel prices are the administrator's to enter.
QStringList zakladniSazby(TSQLDATA& db)
{
    QStringList out;
    for (const auto& [rok, sazba] : {std::pair{2025, "5.80"}, std::pair{2026, "5.90"}})
        if (db.VratInt(QStringLiteral("select count(*) from kj_sazby where rok=%1").arg(rok)) == 0)
            out << QStringLiteral("insert into kj_sazby (rok, zakladni) values (%1, %2)")
                       .arg(rok)
                       .arg(QLatin1String(sazba));
    return out;
}

// A ride always names an existing car: the database itself then refuses to
// delete a car whose ride another workstation is saving at that moment.
// Rides whose car is gone already are listed instead of being deleted.
QStringList jizdyMajiAuto(TSQLDATA& db)
{
    if (db.VratInt(QStringLiteral("select count(*) from rdb$relation_constraints where "
                                  "rdb$constraint_name='KJ_KJ_AUTO_FK'")) > 0)
        return {};
    TKTDATASET t;
    db.NactiTabulku(
        QStringLiteral("select kj_id, kj_auto_id, datum from kj where not exists (select 1 from kj_auto "
                       "a where a.kj_auto_id=kj.kj_auto_id) order by kj_id"),
        t);
    if (t.PocetRadku() > 0) {
        QStringList radky;
        for (int r = 1; r <= t.PocetRadku(); ++r)
            radky << QStringLiteral("KJ_ID %1 (auto %2, %3)")
                         .arg(t.HodnotaJmeno(r, QStringLiteral("KJ_ID")),
                              t.HodnotaJmeno(r, QStringLiteral("KJ_AUTO_ID")),
                              DatumCast(t.HodnotaJmeno(r, QStringLiteral("DATUM"))));
        throw ActionError(
            QStringLiteral("Jízdy, jejichž auto už neexistuje (%1):\n%2\nPřiřaďte je existujícímu "
                           "autu (sloupec KJ_AUTO_ID tabulky KJ) a spusťte převod znovu.")
                .arg(t.PocetRadku())
                .arg(radky.join(QLatin1Char('\n'))));
    }
    return {QStringLiteral("alter table kj add constraint KJ_KJ_AUTO_FK foreign key (kj_auto_id) references "
                           "kj_auto (kj_auto_id)")};
}

QString velka(const QString& s)
{
    return s.toUpper();
}

QStringList indexPokudChybi(TSQLDATA& db, const QString& jmeno, const QString& definice)
{
    if (db.VratInt(QStringLiteral("select count(*) from rdb$indices where rdb$index_name='%1'").arg(jmeno)) >
        0)
        return {};
    return {QStringLiteral("create index %1 on %2").arg(jmeno, definice)};
}

} // namespace

// The address overview sorts by the short name: an index lets a large address
// book show its first screen without the server sorting every row first.
QStringList indexZkracenehoNazvu(TSQLDATA& db)
{
    return indexPokudChybi(db, QStringLiteral("ADRESAR_ZAKL_NAZEV_ZKRACENY"),
                           QStringLiteral("ADRESAR_ZAKL (NAZEV_ZKRACENY)"));
}

// The month view walks each day's events in start order only as far as a
// cell can show.
QStringList indexZacatkuUdalosti(TSQLDATA& db)
{
    return indexPokudChybi(db, QStringLiteral("KU_DATUM_CAS"), QStringLiteral("KU (DATUM, CAS_OD)"));
}

// Which workstation and which program hold a user's presence: a start on the
// same workstation after a crash takes it over at once.
QStringList stanicePritomnosti(TSQLDATA& db)
{
    return PridejSloupec(db, QStringLiteral("UZIVATEL"), QStringLiteral("PRIHLASEN_STANICE"),
                         QStringLiteral("varchar(250)")) +
           PridejSloupec(db, QStringLiteral("UZIVATEL"), QStringLiteral("PRIHLASEN_PROCES"),
                         QStringLiteral("varchar(100)"));
}

// Add a step at the end with the next number; never change a step once released.
const QList<Krok>& Kroky()
{
    static const QList<Krok> kroky = {
        {2, QStringLiteral("sloupec HESLO pojme otisk hesla"),
         [](TSQLDATA& db) {
             return RozsirSloupec(db, QStringLiteral("UZIVATEL"), QStringLiteral("HESLO"), 200);
         }},
        {3, QStringLiteral("hesla uložena jako otisky"), zahesujHesla},
        {4, QStringLiteral("KJ: datum a pořadí jízdy jedinečné"), poradiJizdJedinecne},
        {5, QStringLiteral("KJ, KJ_AUTO: tachometr, řidič, soukromé jízdy, palivo a spotřeba"),
         knihaJizdProUcetni},
        {6, QStringLiteral("KJ_TANKOVANI, KJ_SAZBY, KJ_CENY_PALIV"), tankovaniASazby},
        {7, QStringLiteral("KJ_SAZBY: základní sazby 2025 a 2026"), zakladniSazby},
        {8, QStringLiteral("KJ: jízda vždy patří existujícímu autu"), jizdyMajiAuto},
        {9, QStringLiteral("ADRESAR_ZAKL: index zkráceného názvu"), indexZkracenehoNazvu},
        {10, QStringLiteral("KU: index data a začátku událostí"), indexZacatkuUdalosti},
        {15, QStringLiteral("UZIVATEL: stanice a program přítomnosti"), stanicePritomnosti},
    };
    return kroky;
}

int AktualniVerze()
{
    return Kroky().isEmpty() ? 1 : Kroky().last().verze;
}

int VerzeDatabaze(TSQLDATA& db)
{
    if (db.VratInt(QStringLiteral("select count(*) from verze")) == 0) return 1;
    return db.VerzeDat();
}

Vysledek Aktualizuj(TSQLDATA& db, const std::function<void(const Krok&)>& hlaseni)
{
    Vysledek v;
    try {
        v.puvodni = v.nova = VerzeDatabaze(db);
        if (v.puvodni > AktualniVerze()) {
            v.chyba = QStringLiteral("Databáze má verzi %1, novější než tento program (verze %2). "
                                     "Použijte novější program.")
                          .arg(v.puvodni)
                          .arg(AktualniVerze());
            return v;
        }
        for (const Krok& k : Kroky()) {
            if (k.verze <= v.nova) continue;
            if (hlaseni) hlaseni(k);
            QStringList prikazy = k.prikazy(db);
            const bool maRadek = db.VratInt(QStringLiteral("select count(*) from verze")) > 0;
            prikazy << (maRadek ? QStringLiteral("update verze set verze_cislo=%1")
                                : QStringLiteral("insert into verze (verze_cislo) values (%1)"))
                           .arg(k.verze);
            if (const VysledekZapisu z = db.ProvedSQLSeznam(prikazy); !z.ok) {
                v.chyba = QStringLiteral("Krok %1 (%2) selhal:\n%3").arg(k.verze).arg(k.popis, z.chyba);
                return v;
            }
            v.nova = k.verze;
        }
    } catch (const ActionError& e) {
        v.chyba = e.text();
    }
    return v;
}

int JinaPripojeni(TSQLDATA& db)
{
    return db.VratInt(QStringLiteral("select count(*) from mon$attachments where "
                                     "mon$attachment_id<>current_connection and mon$system_flag=0"));
}

QString ChybaVerze(int verze, const QString& cesta)
{
    if (verze > AktualniVerze())
        return QStringLiteral("Databáze má verzi %1, novější než tento program (verze %2).\r"
                              "Použijte novější verzi programu.")
            .arg(verze)
            .arg(AktualniVerze());
    if (verze < AktualniVerze())
        return QStringLiteral("Databáze má starou verzi %1, program potřebuje verzi %2.\r"
                              "Správce ji převede příkazem: orvan-db upgrade %3")
            .arg(verze)
            .arg(AktualniVerze())
            .arg(cesta);
    return QString();
}

int DelkaSloupce(TSQLDATA& db, const QString& tabulka, const QString& sloupec)
{
    return db.VratInt(QStringLiteral("select coalesce(f.rdb$character_length, 0) from rdb$relation_fields rf "
                                     "join rdb$fields f on f.rdb$field_name=rf.rdb$field_source "
                                     "where rf.rdb$relation_name=%1 and rf.rdb$field_name=%2")
                          .arg(TextSQL(velka(tabulka)), TextSQL(velka(sloupec))));
}

bool MaSloupec(TSQLDATA& db, const QString& tabulka, const QString& sloupec)
{
    return db.VratInt(QStringLiteral("select count(*) from rdb$relation_fields "
                                     "where rdb$relation_name=%1 and rdb$field_name=%2")
                          .arg(TextSQL(velka(tabulka)), TextSQL(velka(sloupec)))) > 0;
}

QStringList PridejSloupec(TSQLDATA& db, const QString& tabulka, const QString& sloupec, const QString& typ)
{
    if (MaSloupec(db, tabulka, sloupec)) return {};
    return {QStringLiteral("alter table %1 add %2 %3").arg(tabulka, sloupec, typ)};
}

QStringList RozsirSloupec(TSQLDATA& db, const QString& tabulka, const QString& sloupec, int delka)
{
    if (DelkaSloupce(db, tabulka, sloupec) >= delka) return {};
    return {
        QStringLiteral("alter table %1 alter column %2 type varchar(%3)").arg(tabulka, sloupec).arg(delka)};
}

} // namespace dbupgrade
