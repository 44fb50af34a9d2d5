#include "kalendarkategorie.h"

#include "data/ktdata.h"
#include "data/sqlvalues.h"
#include "udalost.h"

const QString SqlNactiKategorii = QStringLiteral(
    "Select ku_c_kat_nazev,ku_c_kat_barva,ku_c_kat_poradi from ku_c_kat where (ku_c_kat_id=%d);");
const QString SqlUlozKategorii = QStringLiteral(
    "update ku_c_kat set ku_c_kat_nazev=%s,ku_c_kat_barva=%d,ku_c_kat_poradi=%d where ku_c_kat_id=%d;");
const QString SqlVlozKategorii =
    QStringLiteral("insert into ku_c_kat(ku_c_kat_nazev,ku_c_kat_barva,ku_c_kat_poradi) values(%s,%d,%d)");
// Only links of events that still exist count.
const QString SqlPouzitiKategorie =
    QStringLiteral("select count(*) from ku_kat where (ku_c_kat_id=%d) and exists (select 1 from ku where "
                   "ku.ku_id=ku_kat.ku_id)");
const QString SqlSmazKategorii = QStringLiteral("delete from ku_c_kat where ku_c_kat_id=%d");

namespace
{
const QString kSmazOsirele = QStringLiteral(
    "delete from ku_kat where ku_c_kat_id=%d and not exists (select 1 from ku where ku.ku_id=ku_kat.ku_id)");
}

std::optional<KalendarKategorie> NactiKalendarKategorii(TSQLDATA& db, int id)
{
    TKTDATASET t;
    db.NactiTabulku(VyplnSablonu(SqlNactiKategorii, {QString::number(id)}), t);
    if (t.PocetRadku() < 1) return std::nullopt;
    KalendarKategorie k;
    k.Nazev = t.HodnotaJmeno(1, QStringLiteral("KU_C_KAT_NAZEV"));
    k.Barva = t.HodnotaInt(1, QStringLiteral("KU_C_KAT_BARVA"));
    k.Poradi = t.HodnotaInt(1, QStringLiteral("KU_C_KAT_PORADI"));
    return k;
}

VysledekZapisu UlozKalendarKategorii(TDataModuleIb& db, const KalendarKategorie& k, int id)
{
    return ZapisZaznam(db, id, QString(), [&](int) {
        const QString nazev = TextSQL(k.Nazev), barva = QString::number(k.Barva),
                      poradi = QString::number(k.Poradi);
        return QStringList{id != 0
                               ? VyplnSablonu(SqlUlozKategorii, {nazev, barva, poradi, QString::number(id)})
                               : VyplnSablonu(SqlVlozKategorii, {nazev, barva, poradi})};
    });
}

SmazaniKategorie SmazKalendarKategorii(TDataModuleIb& db, int id, QString& chyba)
{
    const QString n = QString::number(id);
    if (db.VratInt(VyplnSablonu(SqlPouzitiKategorie, {n})) != 0) return SmazaniKategorie::Pouzita;
    chyba = SmazZaznam(db, {VyplnSablonu(kSmazOsirele, {n}), VyplnSablonu(SqlSmazKategorii, {n})});
    return chyba.isEmpty() ? SmazaniKategorie::Smazano : SmazaniKategorie::Chyba;
}
