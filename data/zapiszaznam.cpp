#include "data/zapiszaznam.h"

#include "data/sqlvalues.h"
#include "dberror.h"

const QString SqlHlidaniRevize = QStringLiteral(" and REVIZE=%d");

QString SHlidanimRevize(const QString& sablona)
{
    QString s = sablona.trimmed();
    const bool strednik = s.endsWith(QLatin1Char(';'));
    if (strednik) s.chop(1);
    return s + SqlHlidaniRevize + (strednik ? QStringLiteral(";") : QString());
}

namespace
{

// A save that wrote nothing: was the row changed or deleted meanwhile?
void urciKonflikt(TDataModuleIb& db, const HlidanyZaznam& z, int id, VysledekZapisu& v)
{
    // A fresh snapshot: the row as it is now, not as this connection last saw it.
    db.ObnovTransakci();
    db.OtevriDotaz(QStringLiteral("select revize from %1 where %2=%3").arg(z.tabulka, z.klic).arg(id));
    const bool je = db.cursor().next();
    const int revize = je ? db.cursor().text(0).toInt() : 0;
    db.cursor().close();
    if (!je) {
        v.konflikt = VysledekZapisu::Konflikt::SmazanoMezitim;
        v.chyba = QStringLiteral("Záznam mezitím smazal jiný uživatel.");
        return;
    }
    v.konflikt = VysledekZapisu::Konflikt::ZmenenoMezitim;
    v.revize = revize;
    v.zmenil = KdoZmenil(db, z, id);
    v.chyba = v.zmenil.isEmpty() ? QStringLiteral("Záznam mezitím změnil jiný uživatel.")
                                 : QStringLiteral("Záznam mezitím změnil %1.").arg(v.zmenil);
}

} // namespace

QString KdoZmenil(TDataModuleIb& db, const HlidanyZaznam& z, int id)
{
    if (db.VratInt(QStringLiteral("select count(*) from rdb$relation_fields where rdb$relation_name=%1 and "
                                  "rdb$field_name='EDITOVAL_KDO'")
                       .arg(TextSQL(z.tabulka.toUpper()))) == 0)
        return QString();
    db.OtevriDotaz(QStringLiteral("select u.popis, u.login, z.editoval_kdy from %1 z left join uzivatel u on "
                                  "u.uzivatel_id=z.editoval_kdo where z.%2=%3")
                       .arg(z.tabulka, z.klic)
                       .arg(id));
    fb::Cursor& c = db.cursor();
    QString kdo, kdy;
    if (c.next()) {
        kdo = c.text(0).trimmed();
        if (kdo.isEmpty()) kdo = c.text(1).trimmed();
        if (!c.isNull(2)) kdy = c.dateTime(2).toString(QStringLiteral("d.M.yyyy H:mm"));
    }
    c.close();
    if (kdo.isEmpty()) return kdy;
    return kdy.isEmpty() ? kdo : kdo + QStringLiteral(", ") + kdy;
}

VysledekZapisu ZapisZaznam(TDataModuleIb& db, int id, const QString& generator,
                           const std::function<QStringList(int id)>& prikazy,
                           const std::optional<PoznamkaZapisu>& poznamka, bool oznamit,
                           const std::optional<HlidanyZaznam>& hlidany)
{
    const int noveId = id != 0 || generator.isEmpty() ? id : db.NoveID(generator);
    const QStringList sql = prikazy(noveId);
    std::optional<PoznamkaZapisu> p = poznamka;
    // A note bound to another row (one the statements create) keeps its id.
    if (p && p->id == 0) p->id = noveId;
    VysledekZapisu v;
    if (hlidany && id != 0)
        v = db.ProvedHlidanyZapis(sql, p ? &*p : nullptr);
    else if (p)
        v = db.ProvedSQLSeznam(sql, *p);
    else
        v = db.ProvedSQLSeznam(sql);
    if (!v.ok) {
        v.id = id;
        if (v.konflikt != VysledekZapisu::Konflikt::Zadny) {
            try {
                urciKonflikt(db, *hlidany, id, v);
            } catch (const DbError& e) {
                v.konflikt = VysledekZapisu::Konflikt::Zadny;
                v.chyba = e.text();
            }
            return v;
        }
        // The statement is shown and logged: a password in it is masked.
        v.chyba =
            (sql.isEmpty() ? QString() : SkryjHesla(sql.constFirst()) + QStringLiteral("\r\n")) + v.chyba;
        return v;
    }
    v.id = noveId;
    if (oznamit) db.UdelejRefresh();
    return v;
}

VysledekZapisu SmazZaznam(TDataModuleIb& db, const QStringList& prikazy)
{
    VysledekZapisu v = db.ProvedSQLSeznam(prikazy);
    if (v.ok) db.UdelejRefresh();
    return v;
}
