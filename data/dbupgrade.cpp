#include "dbupgrade.h"

#include "data/sqldata.h"
#include "dberror.h"
#include "hesla.h"
#include "sqlvalues.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>

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

// Demo databases of earlier versions stored fuel purchases under fixed ids
// without moving their generator, so the first purchases a user saved hit a
// used key. Every generator named after its table's key column
// (KJ_TANKOVANI_ID numbers KJ_TANKOVANI.KJ_TANKOVANI_ID) that lags behind the
// highest key moves up to it.
QStringList generatoryZaKlici(TSQLDATA& db)
{
    TKTDATASET t;
    db.NactiTabulku(
        QStringLiteral("select trim(g.rdb$generator_name) as generator, trim(f.rdb$relation_name) as tabulka "
                       "from rdb$generators g join rdb$relation_fields f on "
                       "f.rdb$field_name=g.rdb$generator_name and "
                       "trim(f.rdb$relation_name) || '_ID'=trim(g.rdb$generator_name) "
                       "where coalesce(g.rdb$system_flag, 0)=0 order by 1"),
        t);
    QStringList out;
    for (int r = 1; r <= t.PocetRadku(); ++r) {
        const QString generator = t.HodnotaJmeno(r, QStringLiteral("GENERATOR"));
        const QString tabulka = t.HodnotaJmeno(r, QStringLiteral("TABULKA"));
        const int nejvyssi =
            db.VratInt(QStringLiteral("select coalesce(max(%1), 0) from %2").arg(generator, tabulka));
        if (db.VratInt(QStringLiteral("select gen_id(%1, 0) from rdb$database").arg(generator)) < nejvyssi)
            out << QStringLiteral("set generator %1 to %2").arg(generator).arg(nejvyssi);
    }
    return out;
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

// The record tables that editors write, with their keys: each carries a
// revision that the database raises on every update, so a save can name the
// revision it read and find out that another workstation saved meanwhile.
const QList<std::pair<const char*, const char*>>& tabulkySRevizi()
{
    static const QList<std::pair<const char*, const char*>> t = {
        {"KU", "KU_ID"},
        {"UKOLY", "UKOLY_ID"},
        {"ADRESAR_ZAKL", "ADRESAR_ZAKL_ID"},
        {"ADRESAR_SPEC", "ADRESAR_SPEC_ID"},
        {"KU_C_KAT", "KU_C_KAT_ID"},
        {"ADRESAR_C_KAT", "ADRESAR_C_KAT_ID"},
        {"KJ_AUTO", "KJ_AUTO_ID"},
        {"KJ", "KJ_ID"},
        {"KJ_TANKOVANI", "KJ_TANKOVANI_ID"},
        {"UZIVATEL", "UZIVATEL_ID"},
        {"UZIVSKUPINA", "UZIVSKUPINA_ID"},
    };
    return t;
}

QStringList sloupceRevize(TSQLDATA& db)
{
    QStringList out;
    for (const auto& [tabulka, klic] : tabulkySRevizi())
        out << PridejSloupec(db, QLatin1String(tabulka), QStringLiteral("REVIZE"),
                             QStringLiteral("integer default 0 not null"));
    return out;
}

bool maTrigger(TSQLDATA& db, const QString& jmeno)
{
    return db.VratInt(QStringLiteral("select count(*) from rdb$triggers where rdb$trigger_name=%1")
                          .arg(TextSQL(jmeno))) > 0;
}

// The link rows whose record or category is gone: nobody sees them, and a
// foreign key cannot be added while they exist.
const QStringList& osireleOdkazy()
{
    static const QStringList p = {
        QStringLiteral(
            "delete from ku_kat k where not exists (select 1 from ku where ku.ku_id=k.ku_id) or not "
            "exists (select 1 from ku_c_kat c where c.ku_c_kat_id=k.ku_c_kat_id)"),
        QStringLiteral("delete from ukoly_kat k where not exists (select 1 from ukoly u where "
                       "u.ukoly_id=k.ukoly_id) or not exists (select 1 from ku_c_kat c where "
                       "c.ku_c_kat_id=k.ku_c_kat_id)"),
        QStringLiteral("delete from adresar_zakl_kat k where not exists (select 1 from adresar_zakl a where "
                       "a.adresar_zakl_id=k.adresar_zakl_id) or not exists (select 1 from adresar_c_kat c "
                       "where c.adresar_c_kat_id=k.adresar_c_kat_id)"),
        QStringLiteral("delete from ku_spec k where not exists (select 1 from ku where ku.ku_id=k.ku_id)"),
        QStringLiteral("delete from spoj_uzivatel_uzivskupina s where not exists (select 1 from uzivatel u "
                       "where u.uzivatel_id=s.uzivatel_id) or not exists (select 1 from uzivskupina g where "
                       "g.uzivskupina_id=s.uzivskupina_id)"),
        // Attached files of addresses (CIL 1) that were deleted; the files themselves stay on disk.
        QStringLiteral(
            "delete from soubor s where s.cil=1 and not exists (select 1 from adresar_zakl a where "
            "a.adresar_zakl_id=s.cil_id)"),
    };
    return p;
}

// Revisions from zero and the triggers that raise them; orphan links go.
QStringList triggeryRevize(TSQLDATA& db)
{
    QStringList out;
    for (const auto& [tabulka, klic] : tabulkySRevizi()) {
        const QString t = QLatin1String(tabulka);
        out << QStringLiteral("update %1 set revize=0 where revize is null").arg(t);
        const QString jmeno = t + QStringLiteral("_REVIZE");
        if (maTrigger(db, jmeno)) continue;
        // The presence heartbeat and the alarm bookkeeping also update a
        // user's row; only what the user editor writes is a new revision.
        const QString telo =
            t == QLatin1String("UZIVATEL")
                ? QStringLiteral("if (new.login is distinct from old.login or new.heslo is distinct from "
                                 "old.heslo or new.popis is distinct from old.popis or new.administrator is "
                                 "distinct from old.administrator or new.pravo_prihlaseni is distinct from "
                                 "old.pravo_prihlaseni) then new.revize = old.revize + 1; else new.revize = "
                                 "old.revize;")
                : QStringLiteral("new.revize = old.revize + 1;");
        out << QStringLiteral("create trigger %1 for %2 active before update position 0 as begin %3 end")
                   .arg(jmeno, t, telo);
    }
    return out + osireleOdkazy();
}

// Every link row names an existing record and category: deleting either
// deletes its links (a category is deletable while only tasks use it), and a
// link written for a record deleted meanwhile fails the save.
QStringList odkazyMajiZaznam(TSQLDATA& db)
{
    struct Klic {
        const char *jmeno, *tabulka, *sloupec, *cil, *cilKlic;
    };
    static const Klic klice[] = {
        {"KU_KAT_KU_FK", "KU_KAT", "KU_ID", "KU", "KU_ID"},
        {"KU_KAT_KAT_FK", "KU_KAT", "KU_C_KAT_ID", "KU_C_KAT", "KU_C_KAT_ID"},
        {"UKOLY_KAT_UKOLY_FK", "UKOLY_KAT", "UKOLY_ID", "UKOLY", "UKOLY_ID"},
        {"UKOLY_KAT_KAT_FK", "UKOLY_KAT", "KU_C_KAT_ID", "KU_C_KAT", "KU_C_KAT_ID"},
        {"ADRESAR_ZAKL_KAT_ADRESA_FK", "ADRESAR_ZAKL_KAT", "ADRESAR_ZAKL_ID", "ADRESAR_ZAKL",
         "ADRESAR_ZAKL_ID"},
        {"ADRESAR_ZAKL_KAT_KAT_FK", "ADRESAR_ZAKL_KAT", "ADRESAR_C_KAT_ID", "ADRESAR_C_KAT",
         "ADRESAR_C_KAT_ID"},
        {"KU_SPEC_KU_FK", "KU_SPEC", "KU_ID", "KU", "KU_ID"},
        {"SPOJ_UZIVATEL_FK", "SPOJ_UZIVATEL_UZIVSKUPINA", "UZIVATEL_ID", "UZIVATEL", "UZIVATEL_ID"},
        {"SPOJ_UZIVSKUPINA_FK", "SPOJ_UZIVATEL_UZIVSKUPINA", "UZIVSKUPINA_ID", "UZIVSKUPINA",
         "UZIVSKUPINA_ID"},
    };
    QStringList out;
    for (const Klic& k : klice) {
        if (db.VratInt(QStringLiteral("select count(*) from rdb$relation_constraints where "
                                      "rdb$constraint_name='%1'")
                           .arg(QLatin1String(k.jmeno))) > 0)
            continue;
        out << QStringLiteral(
                   "alter table %1 add constraint %2 foreign key (%3) references %4 (%5) on delete "
                   "cascade")
                   .arg(QLatin1String(k.tabulka), QLatin1String(k.jmeno), QLatin1String(k.sloupec),
                        QLatin1String(k.cil), QLatin1String(k.cilKlic));
    }
    return out;
}

// Events, tasks and addresses keep a UID for good: exchange files and
// calendars name them by it, and it survives a backup and restore.
QStringList sloupceUid(TSQLDATA& db)
{
    QStringList out;
    for (const char* t : {"KU", "UKOLY", "ADRESAR_ZAKL"}) {
        const QString tabulka = QLatin1String(t);
        out << PridejSloupec(db, tabulka, QStringLiteral("UID"), QStringLiteral("varchar(255)"));
        out << indexPokudChybi(db, tabulka + QStringLiteral("_UID"), tabulka + QStringLiteral(" (UID)"));
    }
    return out;
}

// Existing events keep the UID their earlier exports gave them (built from
// the file's creation stamp), so calendars that imported them update instead
// of doubling them; everything else, and every new row, gets a random one.
QStringList vyplnUid(TSQLDATA& db)
{
    QString razitko = db.VratRadek(QStringLiteral("select mon$creation_date from mon$database"));
    razitko.remove(QRegularExpression(QStringLiteral("[^0-9]")));
    const QString nahodne = QStringLiteral("'orvan-' || lower(uuid_to_char(gen_uuid())) || '@orvan'");
    QStringList out = {
        QStringLiteral("update ku set uid='orvan-ku-' || ku_id || '-%1@orvan' where uid is null or uid=''")
            .arg(razitko),
        QStringLiteral("update ukoly set uid=%1 where uid is null or uid=''").arg(nahodne),
        QStringLiteral("update adresar_zakl set uid=%1 where uid is null or uid=''").arg(nahodne),
    };
    for (const char* t : {"KU", "UKOLY", "ADRESAR_ZAKL"}) {
        const QString jmeno = QLatin1String(t) + QStringLiteral("_UID_BI");
        if (maTrigger(db, jmeno)) continue;
        out << QStringLiteral(
                   "create trigger %1 for %2 active before insert position 1 as begin if (new.uid is "
                   "null or new.uid = '') then new.uid = %3; end")
                   .arg(jmeno, QLatin1String(t), nahodne);
    }
    return out;
}

// Text in any script: every text column becomes UTF-8 with a Czech collation
// from ICU (the same order as the old code page's: "ch" after "h", "č" after
// "c", lower case before upper). A column's type changes through a domain
// (ALTER COLUMN TYPE ignores a character set given inline); the server
// converts stored values when it reads them and rebuilds the indexes on the
// columns. Later columns get UTF-8 and the collation as the defaults.
QStringList textyVUtf8(TSQLDATA& db)
{
    QStringList out;
    if (db.VratInt(QStringLiteral("select count(*) from rdb$collations where rdb$collation_name=%1")
                       .arg(TextSQL(CeskeRazeni))) == 0)
        out << QStringLiteral("create collation %1 for utf8 from unicode 'LOCALE=cs_CZ'").arg(CeskeRazeni);
    out << QStringLiteral("alter database set default character set utf8");
    out << QStringLiteral("alter character set utf8 set default collation %1").arg(CeskeRazeni);
    TKTDATASET t;
    db.NactiTabulku(
        QStringLiteral("select trim(rf.rdb$relation_name) as tabulka, trim(rf.rdb$field_name) as sloupec, "
                       "f.rdb$field_type as typ, f.rdb$character_length as delka "
                       "from rdb$relation_fields rf "
                       "join rdb$relations r on r.rdb$relation_name=rf.rdb$relation_name "
                       "join rdb$fields f on f.rdb$field_name=rf.rdb$field_source "
                       "where coalesce(r.rdb$system_flag, 0)=0 and r.rdb$view_blr is null "
                       "and f.rdb$computed_blr is null and f.rdb$field_type in (14, 37) "
                       "and coalesce(f.rdb$character_set_id, 0) not in (0, 4) "
                       "order by 1, rf.rdb$field_position"),
        t);
    QSet<QString> domeny;
    QMap<QString, QStringList> zmeny; // table -> its ALTER COLUMN clauses
    for (int r = 1; r <= t.PocetRadku(); ++r) {
        const bool pevny = t.HodnotaInt(r, QStringLiteral("TYP")) == 14;
        const int delka = t.HodnotaInt(r, QStringLiteral("DELKA"));
        const QString domena = QStringLiteral("ORVAN_%1_%2")
                                   .arg(pevny ? QStringLiteral("CHAR") : QStringLiteral("TEXT"))
                                   .arg(delka);
        if (!domeny.contains(domena) &&
            db.VratInt(QStringLiteral("select count(*) from rdb$fields where rdb$field_name=%1")
                           .arg(TextSQL(domena))) == 0)
            out << QStringLiteral("create domain %1 as %2(%3) character set utf8 collate %4")
                       .arg(domena, pevny ? QStringLiteral("char") : QStringLiteral("varchar"))
                       .arg(delka)
                       .arg(CeskeRazeni);
        domeny.insert(domena);
        zmeny[t.HodnotaJmeno(r, QStringLiteral("TABULKA"))]
            << QStringLiteral("alter column %1 type %2")
                   .arg(t.HodnotaJmeno(r, QStringLiteral("SLOUPEC")), domena);
    }
    // A key over a text column holds its index segment: the key goes for the
    // change and comes back with its name and columns.
    TKTDATASET klice;
    db.NactiTabulku(
        QStringLiteral("select trim(rc.rdb$constraint_name) as jmeno, trim(rc.rdb$relation_name) as tabulka, "
                       "trim(rc.rdb$constraint_type) as druh, trim(s.rdb$field_name) as sloupec "
                       "from rdb$relation_constraints rc "
                       "join rdb$relations r on r.rdb$relation_name=rc.rdb$relation_name "
                       "join rdb$index_segments s on s.rdb$index_name=rc.rdb$index_name "
                       "where coalesce(r.rdb$system_flag, 0)=0 and "
                       "rc.rdb$constraint_type in ('PRIMARY KEY', 'UNIQUE') and exists ("
                       "select 1 from rdb$index_segments t "
                       "join rdb$relation_fields rf on rf.rdb$relation_name=rc.rdb$relation_name "
                       "and rf.rdb$field_name=t.rdb$field_name "
                       "join rdb$fields f on f.rdb$field_name=rf.rdb$field_source "
                       "where t.rdb$index_name=rc.rdb$index_name and f.rdb$field_type in (14, 37) "
                       "and coalesce(f.rdb$character_set_id, 0) not in (0, 4)) "
                       "order by rc.rdb$constraint_name, s.rdb$field_position"),
        klice);
    QMap<QString, std::pair<QString, QStringList>> vraceni; // constraint -> (table, columns)
    for (int r = 1; r <= klice.PocetRadku(); ++r) {
        const QString jmeno = klice.HodnotaJmeno(r, QStringLiteral("JMENO"));
        const QString tabulka = klice.HodnotaJmeno(r, QStringLiteral("TABULKA"));
        if (!vraceni.contains(jmeno)) {
            out << QStringLiteral("alter table %1 drop constraint %2").arg(tabulka, jmeno);
            vraceni[jmeno].first = tabulka + QLatin1Char(' ') + klice.HodnotaJmeno(r, QStringLiteral("DRUH"));
        }
        vraceni[jmeno].second << klice.HodnotaJmeno(r, QStringLiteral("SLOUPEC"));
    }
    // An index on an expression keeps the types it was made with: it goes
    // and comes back made anew over the converted columns.
    TKTDATASET vyrazy;
    db.NactiTabulku(
        QStringLiteral("select trim(i.rdb$index_name) as jmeno, trim(i.rdb$relation_name) as tabulka, "
                       "i.rdb$expression_source as vyraz, coalesce(i.rdb$unique_flag, 0) as jedinecny, "
                       "coalesce(i.rdb$index_type, 0) as sestupny from rdb$indices i "
                       "join rdb$relations r on r.rdb$relation_name=i.rdb$relation_name "
                       "where coalesce(r.rdb$system_flag, 0)=0 and i.rdb$expression_source is not null"),
        vyrazy);
    QStringList noveIndexy;
    for (int r = 1; r <= vyrazy.PocetRadku(); ++r) {
        const QString tabulka = vyrazy.HodnotaJmeno(r, QStringLiteral("TABULKA"));
        if (!zmeny.contains(tabulka)) continue;
        const QString jmeno = vyrazy.HodnotaJmeno(r, QStringLiteral("JMENO"));
        out << QStringLiteral("drop index %1").arg(jmeno);
        noveIndexy << QStringLiteral("create %1%2index %3 on %4 computed by %5")
                          .arg(vyrazy.HodnotaInt(r, QStringLiteral("JEDINECNY")) ? QStringLiteral("unique ")
                                                                                 : QString(),
                               vyrazy.HodnotaInt(r, QStringLiteral("SESTUPNY"))
                                   ? QStringLiteral("descending ")
                                   : QString(),
                               jmeno, tabulka, vyrazy.HodnotaJmeno(r, QStringLiteral("VYRAZ")).trimmed());
    }
    // One statement per table: one new record format each.
    for (auto it = zmeny.cbegin(); it != zmeny.cend(); ++it)
        out << QStringLiteral("alter table %1 %2").arg(it.key(), it.value().join(QStringLiteral(", ")));
    out << noveIndexy;
    for (auto it = vraceni.cbegin(); it != vraceni.cend(); ++it) {
        const QString tabulka = it.value().first.section(QLatin1Char(' '), 0, 0);
        const QString druh = it.value().first.section(QLatin1Char(' '), 1);
        out << QStringLiteral("alter table %1 add constraint %2 %3 (%4)")
                   .arg(tabulka, it.key(), druh, it.value().second.join(QStringLiteral(", ")));
    }
    return out;
}

// Recurring events and tasks: the rule (RFC 5545 RRULE), the excluded starts
// (wall-clock "yyyyMMddTHHmmss", comma-separated), the last occurrence's date
// for finding the series that touch a range (31.12.9999: no end; NULL: not a
// series), and changed or cancelled occurrences as rows that name their series
// and the occurrence they replace. An event may end on a later day.
QStringList opakovani(TSQLDATA& db)
{
    QStringList out;
    for (const char* t : {"KU", "UKOLY"}) {
        const QString tabulka = QLatin1String(t);
        // The excluded starts in a blob: a long text column would widen every
        // record the month view reads (a UTF-8 character takes four bytes there).
        out << PridejSloupec(db, tabulka, QStringLiteral("OPAKOVANI"), QStringLiteral("varchar(250)"));
        out << PridejSloupec(db, tabulka, QStringLiteral("VYNECHANE"), QStringLiteral("blob sub_type 0"));
        out << PridejSloupec(db, tabulka, QStringLiteral("KONEC_OPAKOVANI"), QStringLiteral("date"));
        out << PridejSloupec(db, tabulka, QStringLiteral("SERIE_ID"), QStringLiteral("integer"));
        out << PridejSloupec(db, tabulka, QStringLiteral("PUVODNI_VYSKYT"), QStringLiteral("date"));
        out << PridejSloupec(db, tabulka, QStringLiteral("ZRUSENO"), QStringLiteral("smallint"));
        out << indexPokudChybi(db, tabulka + QStringLiteral("_KONEC_OPAKOVANI"),
                               tabulka + QStringLiteral(" (KONEC_OPAKOVANI)"));
        // The occurrences of a series go with it.
        const QString fk = tabulka + QStringLiteral("_SERIE_FK");
        if (db.VratInt(
                QStringLiteral("select count(*) from rdb$relation_constraints where rdb$constraint_name=%1")
                    .arg(TextSQL(fk))) == 0)
            out << QStringLiteral(
                       "alter table %1 add constraint %2 foreign key (SERIE_ID) references %1 (%1_ID) "
                       "on delete cascade")
                       .arg(tabulka, fk);
    }
    out << PridejSloupec(db, QStringLiteral("KU"), QStringLiteral("DATUM_DO"), QStringLiteral("date"));
    out << indexPokudChybi(db, QStringLiteral("KU_DATUM_DO"), QStringLiteral("KU (DATUM_DO)"));
    return out;
}

} // namespace

// The columns the address and task overviews sort by, in both directions: a
// first screen of a large table then comes from an index instead of a sort of
// every row (a descending sort needs a descending index). Index names are
// short: PREHLED_<table>_<column>_A/_D.
QStringList indexyRazeniPrehledu(TSQLDATA& db)
{
    static const QList<std::pair<const char*, QList<const char*>>> sloupce = {
        {"ADRESAR_ZAKL", {"NAZEV_ZKRACENY", "NAZEV", "TITUL", "JMENO", "PRIJMENI", "ZA_PRIJMENIM"}},
        {"UKOLY", {"AKTIVNI", "NAZEV", "DATUM", "CAS_DO"}},
    };
    QStringList out;
    for (const auto& [tabulka, seznam] : sloupce)
        for (const char* sloupec : seznam) {
            const QString t = QLatin1String(tabulka), c = QLatin1String(sloupec);
            const QString zaklad = (t == QLatin1String("ADRESAR_ZAKL") ? QStringLiteral("PREHLED_ADR_")
                                                                       : QStringLiteral("PREHLED_UK_")) +
                                   c;
            // The short name's ascending index is there since version 9.
            if (c != QLatin1String("NAZEV_ZKRACENY"))
                out << indexPokudChybi(db, zaklad + QStringLiteral("_A"),
                                       QStringLiteral("%1 (%2)").arg(t, c));
            for (const QString& p :
                 indexPokudChybi(db, zaklad + QStringLiteral("_D"), QStringLiteral("%1 (%2)").arg(t, c)))
                out << QString(p).replace(QLatin1String("create index"),
                                          QLatin1String("create descending index"));
        }
    return out;
}

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
        {11, QStringLiteral("sloupec REVIZE v tabulkách záznamů"), sloupceRevize},
        {12, QStringLiteral("triggery revizí, osiřelé odkazy smazány"), triggeryRevize},
        {13, QStringLiteral("odkazy patří existujícím záznamům a kategoriím (cizí klíče)"), odkazyMajiZaznam},
        {14, QStringLiteral("generátory za nejvyšším klíčem svých tabulek"), generatoryZaKlici},
        {15, QStringLiteral("UZIVATEL: stanice a program přítomnosti"), stanicePritomnosti},
        {16, QStringLiteral("KU, UKOLY, ADRESAR_ZAKL: sloupec UID"), sloupceUid},
        {17, QStringLiteral("UID stávajících záznamů a nových při vložení"), vyplnUid},
        {18, QStringLiteral("texty v UTF-8 s českým řazením, klíče a indexy nad nimi znovu"), textyVUtf8},
        {19,
         QStringLiteral("KU, UKOLY: opakování, vynechané (blob) a změněné výskyty; KU: poslední den (index)"),
         opakovani},
        {20, QStringLiteral("ADRESAR_ZAKL, UKOLY: indexy řazení přehledů, vzestupné i sestupné"),
         indexyRazeniPrehledu},
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

Vysledek Aktualizuj(TSQLDATA& db, const std::function<void(const Krok&)>& hlaseni, int azDoVerze)
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
            if (azDoVerze > 0 && k.verze > azDoVerze) break;
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
