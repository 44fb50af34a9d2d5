#include "data/zapiszaznam.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"

VysledekZapisu ZapisZaznam(TDataModuleIb& db, int id, const QString& generator,
                           const std::function<QStringList(int id)>& prikazy,
                           const std::optional<PoznamkaZapisu>& poznamka, bool oznamit)
{
    const int noveId = id != 0 || generator.isEmpty() ? id : db.NoveID(generator);
    const QStringList sql = prikazy(noveId);
    VysledekZapisu v;
    if (poznamka) {
        PoznamkaZapisu p = *poznamka;
        p.id = noveId;
        v = db.ProvedSQLSeznam(sql, p);
    } else {
        v = db.ProvedSQLSeznam(sql);
    }
    if (!v.ok) {
        v.chyba =
            (sql.isEmpty() ? QString() : SkryjHesla(sql.constFirst()) + QStringLiteral("\r\n")) + v.chyba;
        v.id = id;
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
