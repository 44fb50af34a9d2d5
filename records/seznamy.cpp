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
    return QStringLiteral(
               " left join ukoly_kat ukoly_kat1 on (ukoly.ukoly_id=ukoly_kat1.ukoly_id) left join ukoly_kat "
               "ukoly_kat2 on (ukoly.ukoly_id=ukoly_kat2.ukoly_id) and (ukoly_kat2.hlavni=1)") +
           QStringLiteral(" left join ku_c_kat on (ukoly_kat2.ku_c_kat_id=ku_c_kat.ku_c_kat_id) where %1 %2")
               .arg(QStringLiteral(" ((ukoly_kat1.ku_c_kat_id is null) or (ukoly_kat1.ku_c_kat_id in (") +
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
    return QStringLiteral("left join adresar_zakl_kat adresar_zakl_kat1 on "
                          "(adresar_zakl.adresar_zakl_id=adresar_zakl_kat1.adresar_zakl_id) ") +
           QStringLiteral("left join adresar_zakl_kat adresar_zakl_kat2 on "
                          "(adresar_zakl.adresar_zakl_id=adresar_zakl_kat2.adresar_zakl_id) and "
                          "(adresar_zakl_kat2.hlavni=1) ") +
           QStringLiteral("left join adresar_c_kat on "
                          "(adresar_zakl_kat2.adresar_c_kat_id=adresar_c_kat.adresar_c_kat_id) ") +
           QStringLiteral(" where ((adresar_zakl_kat1.adresar_c_kat_id is null) or "
                          "(adresar_zakl_kat1.adresar_c_kat_id in (") +
           g + QStringLiteral(")))") + FiltrCteniAdresarAnd();
}

} // namespace seznamy
