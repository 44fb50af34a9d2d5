#include "data/zapiszaznam.h"

#include "data/sqldata.h"

VysledekZapisu ZapisZaznam(TDataModuleIb& db, int id, const QString& generator,
                           const std::function<QStringList(int id)>& prikazy,
                           const std::optional<PoznamkaZapisu>& poznamka, bool oznamit)
{
    VysledekZapisu v;
    v.id = id != 0 || generator.isEmpty() ? id : db.NoveID(generator);
    const QStringList sql = prikazy(v.id);
    QString chyba;
    if (poznamka) {
        PoznamkaZapisu p = *poznamka;
        p.id = v.id;
        v.ok = db.ProvedSQLSeznam(sql, p, chyba);
    } else {
        v.ok = db.ProvedSQLSeznam(sql, chyba);
    }
    if (!v.ok) {
        v.chyba = (sql.isEmpty() ? QString() : sql.constFirst() + QStringLiteral("\r\n")) + chyba;
        v.id = id;
        return v;
    }
    if (oznamit) db.UdelejRefresh();
    return v;
}

VysledekZapisu SmazZaznam(TDataModuleIb& db, const QStringList& prikazy)
{
    QString chyba;
    if (!db.ProvedSQLSeznam(prikazy, chyba)) return VysledekZapisu::Odmitnuto(chyba);
    db.UdelejRefresh();
    return {true, 0, QString()};
}
