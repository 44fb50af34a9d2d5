#include "dbadmin.h"

#include "data/hesla.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"

namespace dbadmin
{

VysledekZapisu addAdministrator(TSQLDATA& db, const Admin& admin)
{
    const int id = db.NoveID(QStringLiteral("UZIVATEL_ID"));
    const QString sql =
        QStringLiteral("insert into UZIVATEL (UZIVATEL_ID, LOGIN, HESLO, POPIS, ADMINISTRATOR, "
                       "PRAVO_PRIHLASENI, PRIHLASEN) values (%1, %2, %3, %4, 1, %5, 0)")
            .arg(id)
            .arg(TextSQL(admin.login), TextSQL(hesla::Otisk(admin.password)), TextSQL(admin.name),
                 LogikaSQL(admin.smiSePrihlasit));
    return db.ProvedSQL(sql);
}

} // namespace dbadmin
