#include "adresa.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/kategoriekuc.h"

#include <QRegularExpression>

const QString SqlNactiAdresu =
    QStringLiteral("Select "
                   "NAZEV,JMENO,PRIJMENI,NAZEV2,TITUL,ZA_PRIJMENIM,ULICE,MESTO,PSC,EMAIL1,EMAIL2,TELEFON1,"
                   "TELEFON2,MOBIL1,MOBIL2,FAX1,WWW1,WWW2,ICO,DIC,BU_UCET,BU_BANKA,STAT,NAZEV_ZKRACENY,F_"
                   "CIST,F_EDITOVAT,F_SMAZAT,F_ADMINISTROVAT,CESTA_K_SOUBORUM,REVIZE from adresar_zakl") +
    QStringLiteral(" where (adresar_zakl.adresar_zakl_id=%d);");
const QString SqlPoznamkaAdresy =
    QStringLiteral("Select poznamka from adresar_zakl where (adresar_zakl.adresar_zakl_id=%d);");
const QString ProceduraPoznamkyAdresy = QStringLiteral("UPDATE_ADRESAR_ZAKL_POZNAMKA");

namespace
{

const QString kUpdate =
    QStringLiteral("update adresar_zakl set "
                   "NAZEV=%s,JMENO=%s,PRIJMENI=%s,NAZEV2=%s,TITUL=%s,ZA_PRIJMENIM=%s,ULICE=%s,MESTO=%s,PSC=%"
                   "s,EMAIL1=%s,EMAIL2=%s,TELEFON1=%s,TELEFON2=%s,") +
    QStringLiteral("MOBIL1=%s,MOBIL2=%s,FAX1=%s,WWW1=%s,WWW2=%s,ICO=%s,DIC=%s,BU_UCET=%s,BU_BANKA=%s,STAT=%s,"
                   "NAZEV_ZKRACENY=%s,editoval_kdo=%d,editoval_kdy=%s,F_CIST=%d,F_EDITOVAT=%d,F_SMAZAT=%d,F_"
                   "ADMINISTROVAT=%d,CESTA_K_SOUBORUM=%s") +
    QStringLiteral(" where adresar_zakl_id=%d;");
const QString kInsert =
    QStringLiteral("insert into "
                   "adresar_zakl(adresar_zakl_id,NAZEV,JMENO,PRIJMENI,NAZEV2,TITUL,ZA_PRIJMENIM,ULICE,MESTO,"
                   "PSC,EMAIL1,EMAIL2,TELEFON1,TELEFON2,") +
    QStringLiteral("MOBIL1,MOBIL2,FAX1,WWW1,WWW2,ICO,DIC,BU_UCET,BU_BANKA,STAT,NAZEV_ZKRACENY,vytvoril_kdo,"
                   "vytvoril_kdy,editoval_kdo,editoval_kdy,F_CIST,F_EDITOVAT,F_SMAZAT,F_ADMINISTROVAT,CESTA_"
                   "K_SOUBORUM) ") +
    QStringLiteral(
        " values(%d,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%d,%s,%"
        "d,%s,%d,%d,%d,%d,%s);");
const QString kSmazat = QStringLiteral("delete from adresar_zakl where adresar_zakl_ID=%d");
const QString kSmazatKat = QStringLiteral("delete from adresar_zakl_kat where adresar_zakl_ID=%d");
const QString kSmazatSoubory = QStringLiteral("delete from soubor where (cil=1) and (cil_id=%d)");

struct Sloupec {
    const char* nazev;
    QString AdresaPole::*pole;
};

// Column order of the statements.
constexpr Sloupec kSloupce[] = {
    {"NAZEV", &AdresaPole::Nazev},       {"JMENO", &AdresaPole::Jmeno},
    {"PRIJMENI", &AdresaPole::Prijmeni}, {"NAZEV2", &AdresaPole::Nazev2},
    {"TITUL", &AdresaPole::Titul},       {"ZA_PRIJMENIM", &AdresaPole::ZaPrijmenim},
    {"ULICE", &AdresaPole::Ulice},       {"MESTO", &AdresaPole::Mesto},
    {"PSC", &AdresaPole::Psc},           {"EMAIL1", &AdresaPole::Email1},
    {"EMAIL2", &AdresaPole::Email2},     {"TELEFON1", &AdresaPole::Telefon1},
    {"TELEFON2", &AdresaPole::Telefon2}, {"MOBIL1", &AdresaPole::Mobil1},
    {"MOBIL2", &AdresaPole::Mobil2},     {"FAX1", &AdresaPole::Fax1},
    {"WWW1", &AdresaPole::Www1},         {"WWW2", &AdresaPole::Www2},
    {"ICO", &AdresaPole::Ico},           {"DIC", &AdresaPole::Dic},
    {"BU_UCET", &AdresaPole::BuUcet},    {"BU_BANKA", &AdresaPole::BuBanka},
    {"STAT", &AdresaPole::Stat},         {"NAZEV_ZKRACENY", &AdresaPole::NazevZkraceny},
};

QString n(int v)
{
    return QString::number(v);
}

// The quoted texts in statement order, the short name cut to its column.
QStringList hodnoty(const AdresaPole& a)
{
    QStringList out;
    for (const Sloupec& s : kSloupce)
        out << (s.pole == &AdresaPole::NazevZkraceny ? TextSQLMax(a.NazevZkraceny, DelkaZkratky)
                                                     : TextSQL(a.*s.pole));
    return out;
}

} // namespace

const QStringList& SloupceAdresy()
{
    static const QStringList s = [] {
        QStringList out;
        for (const Sloupec& c : kSloupce)
            out << QLatin1String(c.nazev);
        return out;
    }();
    return s;
}

QString* AdresaPole::pole(const QString& sloupec)
{
    for (const Sloupec& s : kSloupce)
        if (sloupec == QLatin1String(s.nazev)) return &(this->*s.pole);
    return nullptr;
}

const QString* AdresaPole::pole(const QString& sloupec) const
{
    return const_cast<AdresaPole*>(this)->pole(sloupec);
}

AdresaPole AdresaZRadku(const TKTDATASET& t, int r)
{
    AdresaPole a;
    for (const Sloupec& s : kSloupce)
        a.*s.pole = t.HodnotaJmeno(r, QLatin1String(s.nazev));
    a.Prava = PravaZRadku(t, r);
    return a;
}

QStringList PrikazyUlozeniAdresy(const AdresaPole& a, int zaznamId, int noveId, int uzivatel,
                                 const TKategorieKUC& kategorie,
                                 const std::optional<PrectenyZaznam<AdresaPole>>& precteny)
{
    // Addresses have no alarm right.
    const QString cesta = TextSQL(QString());
    QStringList out;
    if (zaznamId != 0) {
        out << PrikazUpravy(kUpdate, a, precteny, [&](const AdresaPole& x) {
            return hodnoty(x) + UpravaSPravySQL(uzivatel, x.Prava, false) << cesta << n(zaznamId);
        });
        if (!precteny || kategorie.Zmeneno())
            out << kategorie.PrikazyOdkazu(zaznamId, SqlSmazatAdresarKat, SqlVlozitAdresarKat);
    } else {
        out << VyplnSablonu(kInsert,
                            QStringList{n(noveId)} + hodnoty(a) + VlozeniSPravySQL(uzivatel, a.Prava, false)
                                << cesta);
        out << kategorie.PrikazyOdkazu(noveId, QString(), SqlVlozitAdresarKat);
    }
    return out;
}

VysledekZapisu UlozAdresu(TDataModuleIb& db, const AdresaPole& a, int zaznamId, int uzivatel,
                          const TKategorieKUC& kategorie, const std::optional<QByteArray>& poznamka,
                          const std::optional<PrectenyZaznam<AdresaPole>>& precteny)
{
    std::optional<PoznamkaZapisu> p;
    if (poznamka) p = PoznamkaZapisu{ProceduraPoznamkyAdresy, 0, *poznamka};
    return ZapisZaznam(
        db, zaznamId, QStringLiteral("ADRESAR_ZAKL_ID"),
        [&](int id) {
            return PrikazyUlozeniAdresy(a, zaznamId, zaznamId == 0 ? id : 0, uzivatel, kategorie, precteny);
        },
        p, true, Hlidani(precteny, QStringLiteral("ADRESAR_ZAKL"), QStringLiteral("ADRESAR_ZAKL_ID")));
}

VysledekZapisu SmazAdresu(TDataModuleIb& db, int zaznamId)
{
    const QStringList id = {n(zaznamId)};
    return SmazZaznam(
        db, {VyplnSablonu(kSmazat, id), VyplnSablonu(kSmazatKat, id), VyplnSablonu(kSmazatSoubory, id)});
}

std::optional<QUrl> MailAdresa(const QString& email)
{
    const QString e = email.trimmed();
    if (e.isEmpty()) return std::nullopt;
    QUrl u;
    u.setScheme(QStringLiteral("mailto"));
    u.setPath(e);
    return u;
}

std::optional<QUrl> WebAdresa(const QString& text)
{
    QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    // A scheme is letters, digits, "+", "-" or "." after a letter, then ":";
    // "host:8080" is a host with a port, not a scheme.
    static const QRegularExpression schema(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):(?!\\d)"));
    const QRegularExpressionMatch m = schema.match(t);
    if (m.hasMatch()) {
        const QString s = m.captured(1).toLower();
        if (s != QLatin1String("http") && s != QLatin1String("https")) return std::nullopt;
    } else {
        t.prepend(QStringLiteral("http://"));
    }
    const QUrl u(t, QUrl::TolerantMode);
    if (!u.isValid() || u.host().isEmpty()) return std::nullopt;
    const QString s = u.scheme().toLower();
    if (s != QLatin1String("http") && s != QLatin1String("https")) return std::nullopt;
    return u;
}
