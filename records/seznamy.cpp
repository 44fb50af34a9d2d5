#include "records/seznamy.h"

#include "common/session.h"
#include "records/pravazaznamu.h"

namespace seznamy
{

QString DotazUkoly(const QString& filtr, bool jenHlavni)
{
    const QString rights = FiltrCteni(QStringLiteral("ukoly"), false);
    if (jenHlavni)
        return QStringLiteral(
                   " left join ukoly_kat on (ukoly.ukoly_id=ukoly_kat.ukoly_id) and (ukoly_kat.hlavni=1)") +
               QStringLiteral(
                   " left join ku_c_kat on (ukoly_kat.ku_c_kat_id=ku_c_kat.ku_c_kat_id) where %1 %2")
                   .arg(QStringLiteral(" ((ku_c_kat.ku_c_kat_id is null) or (ku_c_kat.ku_c_kat_id in (") +
                            filtr + QStringLiteral(")))"),
                        rights);
    // As for addresses: exists instead of a join over every link and "distinct".
    return QStringLiteral(" left join ukoly_kat ukoly_kat2 on (ukoly.ukoly_id=ukoly_kat2.ukoly_id) and "
                          "(ukoly_kat2.hlavni=1)") +
           QStringLiteral(" left join ku_c_kat on (ukoly_kat2.ku_c_kat_id=ku_c_kat.ku_c_kat_id) where %1 %2")
               .arg(QStringLiteral(" ((not exists(select 1 from ukoly_kat ukoly_kat1 where "
                                   "ukoly_kat1.ukoly_id=ukoly.ukoly_id)) or exists(select 1 from ukoly_kat "
                                   "ukoly_kat1 where ukoly_kat1.ukoly_id=ukoly.ukoly_id and "
                                   "ukoly_kat1.ku_c_kat_id+0 in (") +
                        filtr + QStringLiteral(")))"),
                    rights);
}

QString DotazAdresar(const QString& g, bool jenHlavni)
{
    const QString& groups = session().SkupinyText;
    if (jenHlavni) {
        QString s = QStringLiteral("left join adresar_zakl_kat on "
                                   "(adresar_zakl.adresar_zakl_id=adresar_zakl_kat.adresar_zakl_id) ") +
                    QStringLiteral("and (adresar_zakl_kat.hlavni=1) ") +
                    QStringLiteral("left join adresar_c_kat on "
                                   "(adresar_zakl_kat.adresar_c_kat_id=adresar_c_kat.adresar_c_kat_id) ") +
                    QStringLiteral(" where ((adresar_zakl_kat.adresar_c_kat_id is null) or "
                                   "(adresar_zakl_kat.adresar_c_kat_id in (") +
                    g + QStringLiteral(")))");
        if (!groups.isEmpty()) s += QStringLiteral(" and ") + FiltrCteniAdresar();
        return s;
    }
    // Any category of the address in the filter: an exists instead of a join
    // over every link, so no row repeats and no "distinct" has to sort them all
    // (an index on the sort column then gives the first screen at once). "+0":
    // the address's own links, not every link of each category.
    return QStringLiteral("left join adresar_zakl_kat adresar_zakl_kat2 on "
                          "(adresar_zakl.adresar_zakl_id=adresar_zakl_kat2.adresar_zakl_id) and "
                          "(adresar_zakl_kat2.hlavni=1) ") +
           QStringLiteral("left join adresar_c_kat on "
                          "(adresar_zakl_kat2.adresar_c_kat_id=adresar_c_kat.adresar_c_kat_id) ") +
           QStringLiteral(
               " where ((not exists(select 1 from adresar_zakl_kat adresar_zakl_kat1 where "
               "adresar_zakl_kat1.adresar_zakl_id=adresar_zakl.adresar_zakl_id)) or exists(select 1 "
               "from adresar_zakl_kat adresar_zakl_kat1 where "
               "adresar_zakl_kat1.adresar_zakl_id=adresar_zakl.adresar_zakl_id and "
               "adresar_zakl_kat1.adresar_c_kat_id+0 in (") +
           g + QStringLiteral(")))") + FiltrCteniAdresarAnd();
}

} // namespace seznamy
