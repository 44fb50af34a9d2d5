#include "outlook/zaznamyvymeny.h"

#include "common/action.h"
#include "common/chybyserveru.h"
#include "common/ktdatumj.h"
#include "common/session.h"
#include "data/notetext.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "data/tablecolumns.h"
#include "data/zapiszaznam.h"
#include "records/kategoriekuc.h"
#include "records/opakovani.h"
#include "records/udalost.h"
#include "records/vyskyty.h"

#include <QRegularExpression>
#include <QSet>
#include <QTextDocument>
#include <algorithm>
#include <optional>

const QString SqlShodaUdalosti =
    QStringLiteral("select ku_id from ku where (datum=%s) and (cas_od=%s) and (cas_do=%s) and (nazev=%s)");
const QString SqlShodaUid = QStringLiteral("select ku_id from ku where (uid=%s) and (serie_id is null)");
const QString SqlShodaVyskytu =
    QStringLiteral("select ku_id from ku where (serie_id=%d) and (puvodni_vyskyt=%s)");
const QString SqlShodaAdresy = QStringLiteral(
    "select adresar_zakl_id from adresar_zakl where (NAZEV=%s) and (JMENO=%s) and (PRIJMENI=%s)");

namespace
{

const QString kVlozitAdresu = QStringLiteral(
    "insert into adresar_zakl(adresar_zakl_id,NAZEV,JMENO,PRIJMENI,NAZEV2,TITUL,ZA_PRIJMENIM,ULICE,MESTO,PSC,"
    "EMAIL1,EMAIL2,TELEFON1,TELEFON2,MOBIL1,MOBIL2,FAX1,WWW1,WWW2,ICO,DIC,BU_UCET,BU_BANKA,STAT,NAZEV_"
    "ZKRACENY,"
    "vytvoril_kdo,vytvoril_kdy,editoval_kdo,editoval_kdy,F_CIST,F_EDITOVAT,F_SMAZAT,F_ADMINISTROVAT,"
    "CESTA_K_SOUBORUM) "
    " values(%d,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%d,%s,%d,%s,%d,%d,%d,"
    "%d,%s);");
// An overwritten entry keeps what a contact does not carry (second name,
// registration numbers, bank, files).
const QString kPrepsatAdresu = QStringLiteral(
    "update adresar_zakl set NAZEV=%s,JMENO=%s,PRIJMENI=%s,TITUL=%s,ZA_PRIJMENIM=%s,ULICE=%s,MESTO=%s,PSC=%s,"
    "EMAIL1=%s,EMAIL2=%s,TELEFON1=%s,TELEFON2=%s,MOBIL1=%s,MOBIL2=%s,FAX1=%s,WWW1=%s,STAT=%s,NAZEV_ZKRACENY=%"
    "s,"
    "editoval_kdo=%d,editoval_kdy=CURRENT_TIMESTAMP,F_CIST=%d,F_EDITOVAT=%d,F_SMAZAT=%d,F_ADMINISTROVAT=%d "
    "where adresar_zakl_id=%d");
const QString kSmazatKategorieAdresy =
    QStringLiteral("Delete from ADRESAR_ZAKL_KAT where ADRESAR_ZAKL_ID=%d;");
const QString kVlozitKategoriiAdresy =
    QStringLiteral("Insert into ADRESAR_ZAKL_kat(ADRESAR_ZAKL_ID,ADRESAR_C_KAT_ID,HLAVNI) values(%d,%d,%d);");
const QString kTed = QStringLiteral("CURRENT_TIMESTAMP");

QString n(int i)
{
    return QString::number(i);
}

QByteArray poznamka(const QString& text)
{
    QTextDocument d;
    d.setPlainText(text);
    return notetext::save(&d);
}

// The matching row the user may read; 0 for none.
int shoda(TSQLDATA& db, const QString& sql, const QString& tabulka)
{
    return db.VratInt(sql + FiltrCteni(tabulka, false));
}

struct Zapis {
    int shodaId = 0;
    bool prepsat = false;
    bool preskocit = false;
    // The row's own rights, which an overwrite keeps unless the user may administer it.
    std::optional<PravaZaznamu> pravaRadku;
};

// Whether the user may overwrite the row: he needs both the edit and the
// delete right. Rights he may not change are kept in `z`.
bool smiPrepsat(TSQLDATA& db, const QString& tabulka, int id, Zapis& z)
{
    TKTDATASET t;
    db.NactiTabulku(QStringLiteral("select * from %1 where %1_id=%2").arg(tabulka).arg(id), t);
    if (t.PocetRadku() < 1) return false;
    const PravaZaznamu prava = PravaZRadku(t, 1);
    const PravidloEditoru p = PravidloZaznamu(prava);
    if (p.PravaZamcena) z.pravaRadku = prava;
    return !p.JenCteni && p.SmiSmazat;
}

// The first of the match queries that finds a row decides.
Zapis rozhodni(TSQLDATA& db, const NastaveniImportu& nast, const QStringList& sqlShody,
               const QString& tabulka)
{
    Zapis z;
    if (nast.duplicita == Duplicita::Pridat) return z;
    for (const QString& sql : sqlShody)
        if ((z.shodaId = shoda(db, sql, tabulka)) != 0) break;
    if (z.shodaId == 0) return z;
    if (nast.duplicita == Duplicita::Preskocit || !smiPrepsat(db, tabulka, z.shodaId, z))
        z.preskocit = true;
    else
        z.prepsat = true;
    return z;
}

// A refusal for the user: the statement that ZapisZaznam puts first is left out,
// and a common server failure says its Czech sentence.
QString bezPrikazu(const QString& chyba)
{
    QString t = chyba;
    const qsizetype konec = t.indexOf(QStringLiteral("\r\n"));
    static const QRegularExpression prikaz(QStringLiteral("^\\s*(insert|update|delete)\\s"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (konec > 0 && prikaz.match(t.left(konec)).hasMatch()) t = t.mid(konec + 2);
    const QString veta = chybyserveru::veta(t);
    return veta.isEmpty() ? t.simplified() : veta;
}

void zapocti(PocitadlaImportu& p, const Zapis& z, const VysledekZapisu& v, const QString& polozka)
{
    if (v.ok) {
        ++p.zapsano;
        if (z.prepsat) ++p.prepsano;
    } else {
        ++p.chybne;
        p.chyby << polozka + QStringLiteral(": ") + bezPrikazu(v.chyba);
    }
}

QString text(const TKTDATASET& t, int r, const char* sloupec)
{
    return t.HodnotaJmeno(r, QLatin1String(sloupec));
}

} // namespace

QString PocitadlaImportu::Text() const
{
    QString s = QStringLiteral("Načteno: %1\r\nPřepsáno: %2\r\nZapsáno: %3\r\n")
                    .arg(nacteno)
                    .arg(prepsano)
                    .arg(zapsano);
    if (preskoceno) s += QStringLiteral("Přeskočeno: %1\r\n").arg(preskoceno);
    if (zruseno) s += QStringLiteral("Smazáno (zrušeno v souboru): %1\r\n").arg(zruseno);
    if (zkraceno) s += QStringLiteral("Opakované události uložené jen prvním výskytem: %1\r\n").arg(zkraceno);
    if (chybne) s += QStringLiteral("Nezapsáno pro chybu: %1 (důvody v podrobnostech)\r\n").arg(chybne);
    return s;
}

namespace
{

// The stored events a cancelled item names, that the user may delete.
QList<int> zrusitelne(TSQLDATA& db, const Schuzka& s)
{
    QList<int> out;
    if (s.uid.isEmpty() || s.uid.size() > DelkaUid) return out;
    TKTDATASET t;
    db.NactiTabulku(
        VyplnSablonu(QStringLiteral("select ku_id,f_cist,f_editovat,f_smazat,f_alarm,"
                                    "f_administrovat from ku where (uid=%s) and (serie_id is null)"),
                     {TextSQL(s.uid)}) +
            FiltrCteni(QStringLiteral("ku"), false),
        t);
    for (int r = 1; r <= t.PocetRadku(); ++r)
        if (PravidloZaznamu(PravaZRadku(t, r)).SmiSmazat) out << t.HodnotaInt(r, QStringLiteral("KU_ID"));
    return out;
}

} // namespace

int PocetZrusenych(TSQLDATA& db, const QList<Schuzka>& polozky)
{
    int n = 0;
    for (const Schuzka& s : polozky)
        if (s.zrusena) n += int(zrusitelne(db, s).size());
    return n;
}

namespace
{

// The whole import is one transaction: a failed commit stores nothing of it.
void dokonci(DavkaZapisu& davka, PocitadlaImportu& p)
{
    const VysledekZapisu v = davka.potvrd();
    if (v.ok) return;
    p.chybne += p.zapsano + p.zruseno;
    p.zapsano = p.prepsano = p.zruseno = p.zkraceno = 0;
    p.chyby << QStringLiteral("Import nebyl uložen: ") + v.chyba;
}

} // namespace

PocitadlaImportu ImportujKalendar(TSQLDATA& db, const QList<Schuzka>& polozky, const NastaveniImportu& nast,
                                  const PrubehImportu& prubeh)
{
    const Presypaci hodiny;
    PocitadlaImportu p;
    TKategorieKUC zadne;
    const TKategorieKUC& kat = nast.kategorie ? *nast.kategorie : zadne;
    // A name longer than its column is cut as the editor cuts it, never sent whole.
    const int delkaNazvu = DelkySloupcu(db, QStringLiteral("KU")).value(QStringLiteral("NAZEV"), 250);
    // Series before the changed occurrences that name them.
    QList<Schuzka> poradi = polozky;
    std::stable_partition(poradi.begin(), poradi.end(),
                          [](const Schuzka& x) { return !x.puvodni.isValid(); });
    DavkaZapisu davka(db);
    for (const Schuzka& s : poradi) {
        ++p.nacteno;
        if (prubeh) prubeh(p.nacteno, int(polozky.size()));
        try {
            if (s.zrusena) {
                const QList<int> ids = nast.smazatZrusene ? zrusitelne(db, s) : QList<int>();
                if (ids.isEmpty()) ++p.preskoceno;
                for (int id : ids) {
                    const VysledekZapisu v = SmazUdalost(db, id);
                    if (v.ok) {
                        ++p.zruseno;
                    } else {
                        ++p.chybne;
                        p.chyby << s.nazev + QStringLiteral(": ") + v.chyba;
                    }
                }
                continue;
            }
            if (!s.odmitnuti.isEmpty()) {
                ++p.chybne;
                p.chyby << s.nazev + QStringLiteral(": ") + s.odmitnuti;
                continue;
            }
            // A whole-day event over several days keeps its last day.
            const QString posledniDen =
                s.celyDen && s.konec.date() > s.zacatek.date().addDays(1)
                    ? DatumSQL(s.konec.date().addDays(-1).toString(QStringLiteral("d.M.yyyy")))
                    : QString();
            UdalostPole u;
            const DatumCas zacatek = DatumZQDateTime(s.zacatek);
            u.Datum = DatumNaText(4, zacatek);
            u.CelyDen = s.celyDen;
            if (!s.celyDen) {
                u.CasOd = DatumNaText(3, zacatek);
                u.CasDo = DatumNaText(3, DatumZQDateTime(s.konec));
            }
            u.Nazev = s.nazev.left(delkaNazvu);
            u.Alarm = s.pripominka;
            if (s.pripominka) {
                const DatumCas alarm = DatumZQDateTime(s.okamzikPripominky);
                u.AlarmDatum = DatumNaText(4, alarm);
                u.AlarmCas = DatumNaText(3, alarm);
            }
            u.TypAkce = 0;
            u.Prava = nast.prava;
            // CAS_DO holds a date too: an end after midnight keeps its day.
            const QString datumKonce = !s.celyDen && s.konec.date() > s.zacatek.date()
                                           ? DatumNaText(4, DatumZQDateTime(s.konec))
                                           : u.Datum;
            const QString konecSQL = DatumCasSQL(datumKonce, u.CasDo);
            // The file's UID names the event for good; one that cannot be stored is not kept.
            const QString uid = s.uid.size() <= DelkaUid ? s.uid : QString();
            // A series keeps its rule and the starts it leaves out.
            QString opakovani;
            if (!s.pravidlo.isEmpty()) {
                if (const std::optional<QString> chyba = opakovani::ChybaPravidla(s.pravidlo))
                    throw ActionError(*chyba);
                const QString vynechane = VynechaneNaText(s.vynechane);
                const std::optional<QDateTime> posledni = opakovani::PosledniVyskyt(s.pravidlo, s.zacatek);
                opakovani = QStringLiteral("opakovani=%1, vynechane=%2, konec_opakovani=%3")
                                .arg(TextSQL(s.pravidlo),
                                     vynechane.isEmpty() ? QStringLiteral("null") : TextSQL(vynechane),
                                     DatumSQL(posledni ? posledni->toString(QStringLiteral("d.M.yyyy"))
                                                       : QStringLiteral("31.12.9999")));
            }
            // A changed occurrence belongs to its series, which must be stored.
            int serie = 0;
            QString puvodni;
            if (s.puvodni.isValid()) {
                serie = uid.isEmpty()
                            ? 0
                            : db.VratInt(VyplnSablonu(QStringLiteral("select ku_id from ku where (uid=%s) "
                                                                     "and (serie_id is null) and "
                                                                     "(opakovani is not null)"),
                                                      {TextSQL(uid)}) +
                                         FiltrCteni(QStringLiteral("ku"), false));
                if (serie == 0)
                    throw ActionError(
                        QStringLiteral("změněný výskyt opakované události, jejíž řada v kalendáři není"));
                puvodni = DatumCasSQL(DatumNaText(4, DatumZQDateTime(s.puvodni)),
                                      DatumNaText(3, DatumZQDateTime(s.puvodni)));
            }
            QStringList shody;
            if (serie != 0)
                shody << VyplnSablonu(SqlShodaVyskytu, {QString::number(serie), puvodni});
            else if (!uid.isEmpty())
                shody << VyplnSablonu(SqlShodaUid, {TextSQL(uid)});
            shody << VyplnSablonu(SqlShodaUdalosti, {DatumSQL(u.Datum), DatumCasSQL(u.Datum, u.CasOd),
                                                     konecSQL, TextSQL(u.Nazev)});
            const Zapis z = rozhodni(db, nast, shody, QStringLiteral("ku"));
            if (z.preskocit) {
                ++p.preskoceno;
                continue;
            }
            const int id = z.prepsat ? z.shodaId : 0;
            if (id != 0 && z.pravaRadku) u.Prava = *z.pravaRadku;
            const VysledekZapisu v = ZapisZaznam(
                db, id, QStringLiteral("KU_ID"),
                [&](int noveId) {
                    QStringList prikazy =
                        PrikazyUlozeniUdalosti(u, id, id == 0 ? noveId : 0, session().UzivatelID, kat);
                    const int radek = id == 0 ? noveId : id;
                    // A stored event keeps its own UID (a changed occurrence its series').
                    if (id == 0 && !uid.isEmpty())
                        prikazy << QStringLiteral("update ku set uid=%1 where ku_id=%2")
                                       .arg(TextSQL(uid))
                                       .arg(noveId);
                    if (!posledniDen.isEmpty())
                        prikazy << QStringLiteral("update ku set datum_do=%1 where ku_id=%2")
                                       .arg(posledniDen)
                                       .arg(radek);
                    if (!opakovani.isEmpty())
                        prikazy
                            << QStringLiteral("update ku set %1 where ku_id=%2").arg(opakovani).arg(radek);
                    if (serie != 0)
                        prikazy << QStringLiteral(
                                       "update ku set serie_id=%1, puvodni_vyskyt=%2 where ku_id=%3")
                                       .arg(serie)
                                       .arg(puvodni)
                                       .arg(radek);
                    if (datumKonce != u.Datum)
                        prikazy << QStringLiteral("update ku set cas_do=%1 where ku_id=%2")
                                       .arg(konecSQL)
                                       .arg(id == 0 ? noveId : id);
                    return prikazy;
                },
                PoznamkaZapisu{QStringLiteral("UPDATE_KU_POZNAMKA"), 0, poznamka(s.popis)}, false);
            zapocti(p, z, v, s.nazev);
            if (v.ok && s.zkracenaSerie) ++p.zkraceno;
        } catch (const ActionError& e) {
            ++p.chybne;
            p.chyby << s.nazev + QStringLiteral(": ") + e.text();
        }
    }
    dokonci(davka, p);
    if (p.zapsano) db.UdelejRefresh();
    return p;
}

PocitadlaImportu ImportujKontakty(TSQLDATA& db, const QList<Kontakt>& polozky, const NastaveniImportu& nast,
                                  const PrubehImportu& prubeh)
{
    const Presypaci hodiny;
    PocitadlaImportu p;
    TKategorieKUC zadne;
    const TKategorieKUC& kat = nast.kategorie ? *nast.kategorie : zadne;
    const int uzivatel = session().UzivatelID;
    // Texts longer than their columns are cut as the editor cuts them.
    const QHash<QString, int> delky = DelkySloupcu(db, QStringLiteral("ADRESAR_ZAKL"));
    DavkaZapisu davka(db);
    const auto oriznuty = [&](Kontakt k) {
        const std::pair<QString*, const char*> pole[] = {{&k.nazev, "NAZEV"},
                                                         {&k.jmeno, "JMENO"},
                                                         {&k.prijmeni, "PRIJMENI"},
                                                         {&k.titul, "TITUL"},
                                                         {&k.zaPrijmenim, "ZA_PRIJMENIM"},
                                                         {&k.ulice, "ULICE"},
                                                         {&k.mesto, "MESTO"},
                                                         {&k.psc, "PSC"},
                                                         {&k.stat, "STAT"},
                                                         {&k.email1, "EMAIL1"},
                                                         {&k.email2, "EMAIL2"},
                                                         {&k.telefon1, "TELEFON1"},
                                                         {&k.telefon2, "TELEFON2"},
                                                         {&k.mobil1, "MOBIL1"},
                                                         {&k.mobil2, "MOBIL2"},
                                                         {&k.fax1, "FAX1"},
                                                         {&k.www1, "WWW1"}};
        for (const auto& [text, sloupec] : pole)
            if (const int d = delky.value(QLatin1String(sloupec)); d > 0) *text = text->left(d);
        return k;
    };
    for (const Kontakt& puvodni : polozky) {
        const Kontakt k = oriznuty(puvodni);
        ++p.nacteno;
        if (prubeh) prubeh(p.nacteno, int(polozky.size()));
        const QString popis = QStringList{k.nazev, k.jmeno, k.prijmeni}.join(QLatin1Char(' ')).simplified();
        try {
            const Zapis z = rozhodni(
                db, nast,
                {VyplnSablonu(SqlShodaAdresy, {TextSQL(k.nazev), TextSQL(k.jmeno), TextSQL(k.prijmeni)})},
                QStringLiteral("adresar_zakl"));
            if (z.preskocit) {
                ++p.preskoceno;
                continue;
            }
            // The short name column holds 10 characters; a nickname is only a hint.
            const QString zkraceny = TextSQLMax(k.prezdivka, 10);
            const int id = z.prepsat ? z.shodaId : 0;
            const PravaZaznamu& r = id != 0 && z.pravaRadku ? *z.pravaRadku : nast.prava;
            const auto prikazy = [&](int noveId) {
                QStringList out;
                if (id != 0) {
                    out << VyplnSablonu(
                        kPrepsatAdresu,
                        {TextSQL(k.nazev),       TextSQL(k.jmeno),  TextSQL(k.prijmeni), TextSQL(k.titul),
                         TextSQL(k.zaPrijmenim), TextSQL(k.ulice),  TextSQL(k.mesto),    TextSQL(k.psc),
                         TextSQL(k.email1),      TextSQL(k.email2), TextSQL(k.telefon1), TextSQL(k.telefon2),
                         TextSQL(k.mobil1),      TextSQL(k.mobil2), TextSQL(k.fax1),     TextSQL(k.www1),
                         TextSQL(k.stat),        zkraceny,          n(uzivatel),         n(r.Cist),
                         n(r.Editovat),          n(r.Smazat),       n(r.Administrovat),  n(id)});
                    out << kat.PrikazyOdkazu(id, kSmazatKategorieAdresy, kVlozitKategoriiAdresy);
                } else {
                    const QString prazdny = TextSQL(QString());
                    out << VyplnSablonu(kVlozitAdresu, {n(noveId),
                                                        TextSQL(k.nazev),
                                                        TextSQL(k.jmeno),
                                                        TextSQL(k.prijmeni),
                                                        prazdny,
                                                        TextSQL(k.titul),
                                                        TextSQL(k.zaPrijmenim),
                                                        TextSQL(k.ulice),
                                                        TextSQL(k.mesto),
                                                        TextSQL(k.psc),
                                                        TextSQL(k.email1),
                                                        TextSQL(k.email2),
                                                        TextSQL(k.telefon1),
                                                        TextSQL(k.telefon2),
                                                        TextSQL(k.mobil1),
                                                        TextSQL(k.mobil2),
                                                        TextSQL(k.fax1),
                                                        TextSQL(k.www1),
                                                        prazdny,
                                                        prazdny,
                                                        prazdny,
                                                        prazdny,
                                                        prazdny,
                                                        TextSQL(k.stat),
                                                        zkraceny,
                                                        n(uzivatel),
                                                        kTed,
                                                        n(uzivatel),
                                                        kTed,
                                                        n(r.Cist),
                                                        n(r.Editovat),
                                                        n(r.Smazat),
                                                        n(r.Administrovat),
                                                        prazdny});
                    out << kat.PrikazyOdkazu(noveId, QString(), kVlozitKategoriiAdresy);
                }
                return out;
            };
            const VysledekZapisu v =
                ZapisZaznam(db, id, QStringLiteral("ADRESAR_ZAKL_ID"), prikazy,
                            PoznamkaZapisu{QStringLiteral("UPDATE_ADRESAR_ZAKL_POZNAMKA"), 0,
                                           poznamka(k.ostatni.join(QLatin1Char('\n')))},
                            false);
            zapocti(p, z, v, popis);
        } catch (const ActionError& e) {
            ++p.chybne;
            p.chyby << popis + QStringLiteral(": ") + e.text();
        }
    }
    dokonci(davka, p);
    if (p.zapsano) db.UdelejRefresh();
    return p;
}

QList<Schuzka> UdalostiKExportu(TSQLDATA& db)
{
    TKTDATASET t;
    db.NactiTabulku(
        QStringLiteral(
            "Select ku.ku_id as "
            "ku,ku.uid,nazev,cely_den,datum,cas_od,cas_do,alarm,alarm_datum,alarm_cas,ku.opakovani,"
            "ku.vynechane,ku.serie_id,ku.puvodni_vyskyt,ku.zruseno,ku.datum_do,(select s.uid from ku s where "
            "s.ku_id=ku.serie_id) as uid_serie from ku "
            "left join ku_kat on (ku.ku_id=ku_kat.ku_id) and (hlavni=1) left join ku_c_kat on "
            "(ku_kat.ku_c_kat_id=ku_c_kat.ku_c_kat_id)") +
            VyplnSablonu(
                QStringLiteral("where (ku.datum>=%s) and (ku.datum<=%s) %s %s order by ku.cas_od, ku.ku_id;"),
                {DatumSQL(QStringLiteral("1.1.0001")), DatumSQL(QStringLiteral("31.12.9999")),
                 FiltrCteni(QStringLiteral("ku"), false), FiltrCteniKu()}),
        t);
    QList<Schuzka> out;
    QSet<int> videne;
    // Cancelled occurrences go out as starts their series leaves out.
    QHash<int, QList<QDateTime>> zrusene;
    QHash<int, qsizetype> serie; // KU_ID -> index in out
    for (int r = 1; r <= t.PocetRadku(); ++r) {
        const int id = t.HodnotaInt(r, QStringLiteral("KU"));
        if (videne.contains(id)) continue; // two main categories give two rows
        videne.insert(id);
        const int serieId = t.HodnotaInt(r, QStringLiteral("SERIE_ID"));
        const QString puvodni = text(t, r, "PUVODNI_VYSKYT");
        if (serieId != 0 && t.HodnotaInt(r, QStringLiteral("ZRUSENO")) == 1) {
            if (!puvodni.trimmed().isEmpty()) zrusene[serieId] << DatumNaQDateTime(TextNaDatum(2, puvodni));
            continue;
        }
        Schuzka s;
        // Stored with the event: the same after a backup and restore, different in every event.
        s.uid = text(t, r, serieId != 0 ? "UID_SERIE" : "UID").trimmed();
        s.pravidlo = text(t, r, "OPAKOVANI").trimmed();
        s.vynechane = VynechaneZTextu(text(t, r, "VYNECHANE"));
        if (serieId != 0 && !puvodni.trimmed().isEmpty())
            s.puvodni = DatumNaQDateTime(TextNaDatum(2, puvodni));
        if (!s.pravidlo.isEmpty()) serie.insert(id, out.size());
        s.nazev = text(t, r, "NAZEV");
        const QString datum = DatumCast(text(t, r, "DATUM"));
        s.celyDen = t.HodnotaBool(r, QStringLiteral("CELY_DEN"));
        const auto okamzik = [&](const QString& d, const QString& cas) {
            const QString c = CasCast(cas).trimmed();
            return DatumNaQDateTime(TextNaDatum(2, c.isEmpty() ? d : d + QLatin1Char(' ') + c));
        };
        s.zacatek = okamzik(datum, s.celyDen ? QString() : text(t, r, "CAS_OD"));
        if (s.celyDen) {
            // Through its last day.
            const QString posledni = DatumCast(text(t, r, "DATUM_DO"));
            s.konec =
                posledni.trimmed().isEmpty()
                    ? s.zacatek.addDays(1)
                    : std::max(s.zacatek.addDays(1), DatumNaQDateTime(TextNaDatum(2, posledni)).addDays(1));
        } else {
            // The end lies on the event's day unless the row says a later one.
            const QString doDatum = DatumCast(text(t, r, "CAS_DO"));
            const QString konecDne =
                !doDatum.isEmpty() && TextNaDatum(2, doDatum) > TextNaDatum(2, datum) ? doDatum : datum;
            s.konec = CasCast(text(t, r, "CAS_DO")).trimmed().isEmpty()
                          ? s.zacatek
                          : okamzik(konecDne, text(t, r, "CAS_DO"));
        }
        if (t.HodnotaBool(r, QStringLiteral("ALARM"))) {
            // An alarm without a valid date cannot be a reminder; the event goes out without one.
            try {
                const QString ad = DatumCast(text(t, r, "ALARM_DATUM"));
                if (!ad.trimmed().isEmpty()) {
                    s.okamzikPripominky = okamzik(ad, text(t, r, "ALARM_CAS"));
                    s.pripominka = true;
                }
            } catch (const ActionError&) {
            }
        }
        out << s;
    }
    for (auto it = zrusene.cbegin(); it != zrusene.cend(); ++it)
        if (serie.contains(it.key())) out[serie.value(it.key())].vynechane << it.value();
    return out;
}

QList<Kontakt> AdresyKExportu(TSQLDATA& db)
{
    // The notes in one read: the addresses that have one.
    QHash<int, QString> poznamky;
    db.OtevriDotaz(QStringLiteral("select adresar_zakl_id, poznamka from adresar_zakl where poznamka is not "
                                  "null") +
                   FiltrCteni(QStringLiteral("adresar_zakl"), false));
    while (db.cursor().next()) {
        QTextDocument d;
        notetext::load(db.cursor().bytes(1), &d);
        if (const QString t = d.toPlainText(); !t.trimmed().isEmpty())
            poznamky.insert(db.cursor().text(0).toInt(), t);
    }
    db.cursor().close();
    TKTDATASET t;
    db.NactiTabulku(
        QStringLiteral(
            "select "
            "ADRESAR_ZAKL_ID,NAZEV,JMENO,PRIJMENI,TITUL,ZA_PRIJMENIM,ULICE,MESTO,PSC,STAT,EMAIL1,EMAIL2,"
            "TELEFON1,TELEFON2,MOBIL1,MOBIL2,FAX1,WWW1,NAZEV_ZKRACENY from adresar_zakl") +
            FiltrCteni(QStringLiteral("adresar_zakl"), true) +
            QStringLiteral(" order by NAZEV,PRIJMENI,JMENO"),
        t);
    QList<Kontakt> out;
    for (int r = 1; r <= t.PocetRadku(); ++r) {
        Kontakt k;
        k.nazev = text(t, r, "NAZEV");
        k.jmeno = text(t, r, "JMENO");
        k.prijmeni = text(t, r, "PRIJMENI");
        k.titul = text(t, r, "TITUL");
        k.zaPrijmenim = text(t, r, "ZA_PRIJMENIM");
        k.ulice = text(t, r, "ULICE");
        k.mesto = text(t, r, "MESTO");
        k.psc = text(t, r, "PSC");
        k.stat = text(t, r, "STAT");
        k.email1 = text(t, r, "EMAIL1");
        k.email2 = text(t, r, "EMAIL2");
        k.telefon1 = text(t, r, "TELEFON1");
        k.telefon2 = text(t, r, "TELEFON2");
        k.mobil1 = text(t, r, "MOBIL1");
        k.mobil2 = text(t, r, "MOBIL2");
        k.fax1 = text(t, r, "FAX1");
        k.www1 = text(t, r, "WWW1");
        k.prezdivka = text(t, r, "NAZEV_ZKRACENY");
        k.poznamka = poznamky.value(t.HodnotaInt(r, QStringLiteral("ADRESAR_ZAKL_ID")));
        out << k;
    }
    return out;
}
