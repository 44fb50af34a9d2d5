#include "adresarspec.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/pravazaznamu.h"

namespace
{

const QString kNacti =
    QStringLiteral("Select nazev,jmeno,prijmeni,email,telefon1,telefon2,ulice,mesto,psc,stat,zasilat_"
                   "informace,typ,poznamka,revize from adresar_spec where (adresar_spec_id=%d);");
const QString kUpdate = QStringLiteral(
    "update adresar_spec set "
    "nazev=%s,jmeno=%s,prijmeni=%s,email=%s,telefon1=%s,telefon2=%s,ulice=%s,mesto=%s,psc=%s,stat=%s,zasilat_"
    "informace=%s,typ=%d,poznamka=%s where adresar_spec_id=%d;");
const QString kInsert = QStringLiteral(
    "insert into "
    "adresar_spec(nazev,jmeno,prijmeni,email,telefon1,telefon2,ulice,mesto,psc,stat,zasilat_informace,typ,"
    "poznamka) values(%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%d,%s)");
const QString kPouziti = QStringLiteral("select count(*) from ku,ku_spec where (ku.ku_id=ku_spec.ku_id) and "
                                        "((ku_spec.objednal_id=%d) or (ku_spec.ucastnik_id=%d))");
const QString kSmazat = QStringLiteral("delete from adresar_spec where adresar_spec.adresar_spec_id=%d");

} // namespace

const QStringList& TypySpecAdres()
{
    static const QStringList t = {QStringLiteral("Osoba"), QStringLiteral("Firma"),
                                  QStringLiteral("Agentura"), QStringLiteral("Obchodní partneři"),
                                  QStringLiteral("Ostatní")};
    return t;
}

std::optional<SpecAdresaPole> NactiSpecAdresu(TSQLDATA& db, int id)
{
    TKTDATASET t;
    db.NactiTabulku(VyplnSablonu(kNacti, {QString::number(id)}), t);
    if (t.PocetRadku() < 1) return std::nullopt;
    const auto h = [&t](const char* sloupec) { return t.HodnotaJmeno(1, QLatin1String(sloupec)); };
    SpecAdresaPole a;
    a.Nazev = h("NAZEV");
    a.Jmeno = h("JMENO");
    a.Prijmeni = h("PRIJMENI");
    a.Email = h("EMAIL");
    a.Telefon1 = h("TELEFON1");
    a.Telefon2 = h("TELEFON2");
    a.Ulice = h("ULICE");
    a.Mesto = h("MESTO");
    a.Psc = h("PSC");
    a.Stat = h("STAT");
    a.ZasilatInformace = h("ZASILAT_INFORMACE") == QLatin1String("1");
    a.Typ = t.HodnotaInt(1, QStringLiteral("TYP"));
    a.Poznamka = h("POZNAMKA");
    a.Revize = t.HodnotaInt(1, QStringLiteral("REVIZE"));
    return a;
}

QString PrikazUlozeniSpecAdresy(const SpecAdresaPole& a, int id,
                                const std::optional<PrectenyZaznam<SpecAdresaPole>>& precteny)
{
    const auto hodnoty = [](const SpecAdresaPole& x) {
        QStringList v;
        for (const QString* s : {&x.Nazev, &x.Jmeno, &x.Prijmeni, &x.Email, &x.Telefon1, &x.Telefon2,
                                 &x.Ulice, &x.Mesto, &x.Psc, &x.Stat})
            v << TextSQL(*s);
        return v << LogikaSQL(x.ZasilatInformace) << QString::number(x.Typ) << TextSQL(x.Poznamka);
    };
    if (id == 0) return VyplnSablonu(kInsert, hodnoty(a));
    return PrikazUpravy(kUpdate, a, precteny,
                        [&](const SpecAdresaPole& x) { return hodnoty(x) << QString::number(id); });
}

VysledekZapisu UlozSpecAdresu(TDataModuleIb& db, const SpecAdresaPole& a, int id,
                              const std::optional<PrectenyZaznam<SpecAdresaPole>>& precteny)
{
    return ZapisZaznam(
        db, id, QString(), [&](int) { return QStringList{PrikazUlozeniSpecAdresy(a, id, precteny)}; },
        std::nullopt, true,
        Hlidani(precteny, QStringLiteral("ADRESAR_SPEC"), QStringLiteral("ADRESAR_SPEC_ID")));
}

VysledekZapisu SmazSpecAdresu(TDataModuleIb& db, int id)
{
    const QString n = QString::number(id);
    if (db.VratInt(VyplnSablonu(kPouziti, {n, n})) != 0) return VysledekZapisu::Odmitnuto(TextZaznamPouzit);
    return SmazZaznam(db, {VyplnSablonu(kSmazat, {n})});
}
