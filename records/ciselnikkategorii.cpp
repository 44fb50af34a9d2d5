#include "records/ciselnikkategorii.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/pravazaznamu.h"

const CiselnikKategorii CiselnikKalendare = {
    .Druh = QStringLiteral("KU"),
    .Tabulka = QStringLiteral("KU_C_KAT"),
    .SqlNacti = QStringLiteral(
        "Select ku_c_kat_nazev,ku_c_kat_barva,ku_c_kat_poradi,revize from ku_c_kat where (ku_c_kat_id=%d);"),
    .SqlUloz = QStringLiteral(
        "update ku_c_kat set ku_c_kat_nazev=%s,ku_c_kat_barva=%d,ku_c_kat_poradi=%d where ku_c_kat_id=%d;"),
    .SqlVloz = QStringLiteral(
        "insert into ku_c_kat(ku_c_kat_nazev,ku_c_kat_barva,ku_c_kat_poradi) values(%s,%d,%d)"),
    // Only links of events that still exist count.
    .SqlPouziti = QStringLiteral("select count(*) from ku_kat where (ku_c_kat_id=%d) and exists (select 1 "
                                 "from ku where ku.ku_id=ku_kat.ku_id)"),
    .SqlSmazOsirele = QStringLiteral("delete from ku_kat where ku_c_kat_id=%d and not exists (select 1 from "
                                     "ku where ku.ku_id=ku_kat.ku_id)"),
    .SqlSmaz = QStringLiteral("delete from ku_c_kat where ku_c_kat_id=%d"),
};

const CiselnikKategorii CiselnikAdresare = {
    .Druh = QStringLiteral("ADRESAR"),
    .Tabulka = QStringLiteral("ADRESAR_C_KAT"),
    .SqlNacti =
        QStringLiteral("Select ADRESAR_c_kat_nazev,ADRESAR_c_kat_barva,ADRESAR_c_kat_poradi,revize from "
                       "ADRESAR_c_kat where (ADRESAR_c_kat_id=%d);"),
    .SqlUloz = QStringLiteral("update ADRESAR_c_kat set "
                              "ADRESAR_c_kat_nazev=%s,ADRESAR_c_kat_barva=%d,ADRESAR_c_kat_poradi=%d where "
                              "ADRESAR_c_kat_id=%d;"),
    .SqlVloz = QStringLiteral("insert into ADRESAR_c_kat(ADRESAR_c_kat_nazev,ADRESAR_c_kat_barva,ADRESAR_c_"
                              "kat_poradi) values(%s,%d,%d)"),
    .SqlPouziti = QStringLiteral("select count(*) from adresar_zakl_kat where (adresar_c_kat_id=%d) and "
                                 "exists (select 1 from adresar_zakl where "
                                 "adresar_zakl.adresar_zakl_id=adresar_zakl_kat.adresar_zakl_id)"),
    .SqlSmazOsirele = QStringLiteral("delete from adresar_zakl_kat where adresar_c_kat_id=%d and not exists "
                                     "(select 1 from adresar_zakl where "
                                     "adresar_zakl.adresar_zakl_id=adresar_zakl_kat.adresar_zakl_id)"),
    .SqlSmaz = QStringLiteral("delete from adresar_c_kat where adresar_c_kat_id=%d"),
};

std::optional<Kategorie> NactiKategorii(TSQLDATA& db, const CiselnikKategorii& c, int id)
{
    TKTDATASET t;
    db.NactiTabulku(VyplnSablonu(c.SqlNacti, {QString::number(id)}), t);
    if (t.PocetRadku() < 1) return std::nullopt;
    // The columns are named after their table.
    Kategorie k;
    k.Nazev = t.HodnotaJmeno(1, c.Tabulka + QStringLiteral("_NAZEV"));
    k.Barva = t.HodnotaInt(1, c.Tabulka + QStringLiteral("_BARVA"));
    k.Poradi = t.HodnotaInt(1, c.Tabulka + QStringLiteral("_PORADI"));
    k.Revize = t.HodnotaInt(1, QStringLiteral("REVIZE"));
    return k;
}

VysledekZapisu UlozKategorii(TDataModuleIb& db, const CiselnikKategorii& c, const Kategorie& k, int id,
                             const std::optional<PrectenyZaznam<Kategorie>>& precteny)
{
    const auto hodnoty = [](const Kategorie& x) {
        return QStringList{TextSQL(x.Nazev), QString::number(x.Barva), QString::number(x.Poradi)};
    };
    return ZapisZaznam(
        db, id, QString(),
        [&](int) {
            if (id == 0) return QStringList{VyplnSablonu(c.SqlVloz, hodnoty(k))};
            return QStringList{PrikazUpravy(c.SqlUloz, k, precteny, [&](const Kategorie& x) {
                return hodnoty(x) << QString::number(id);
            })};
        },
        std::nullopt, true, Hlidani(precteny, c.Tabulka, c.Tabulka + QStringLiteral("_ID")));
}

VysledekZapisu SmazKategorii(TDataModuleIb& db, const CiselnikKategorii& c, int id)
{
    const QString n = QString::number(id);
    if (db.VratInt(VyplnSablonu(c.SqlPouziti, {n})) != 0) return VysledekZapisu::Odmitnuto(TextZaznamPouzit);
    VysledekZapisu v = SmazZaznam(db, {VyplnSablonu(c.SqlSmazOsirele, {n}), VyplnSablonu(c.SqlSmaz, {n})});
    // A link saved by another workstation after the check above.
    if (!v.ok && v.chyba.contains(QLatin1String("FOREIGN KEY")))
        return VysledekZapisu::Odmitnuto(TextZaznamPouzit);
    return v;
}
