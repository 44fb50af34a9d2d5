#include "dotazy.h"

#include "common/session.h"
#include "data/ktdata.h"
#include "data/sqlvalues.h"
#include "users/rights.h"

namespace dotazy
{

int PocetUdalosti(TSQLDATA& db, const QString& datum)
{
    return db.VratInt(QStringLiteral("Select count(*) from KU where datum=%1 %2;")
                          .arg(DatumSQL(datum), FiltrCteni(QStringLiteral("ku"), false)));
}

QString DotazUdalosti(const QString& selectList, const QString& filtr, bool jenHlavni, const QString& od,
                      const QString& doDatum)
{
    const QString d =
        od != doDatum
            ? QStringLiteral(" ((ku.datum>=%1) and  (ku.datum<=%2)) ").arg(DatumSQL(od), DatumSQL(doDatum))
            : QStringLiteral(" (ku.datum=%1) ").arg(DatumSQL(od));
    const QString rights = FiltrCteni(QStringLiteral("ku"), false);
    if (jenHlavni) {
        const QString c = filtr.isEmpty() ? QString()
                                          : QStringLiteral("and ((ku_c_kat.ku_c_kat_id is null) or "
                                                           "(ku_c_kat.ku_c_kat_id in (") +
                                                filtr + QStringLiteral(")))");
        return QStringLiteral(
                   "Select %1 from ku left join ku_kat on (ku.ku_id=ku_kat.ku_id) and (ku_kat.hlavni=1)")
                   .arg(selectList) +
               QStringLiteral(
                   "left join ku_c_kat on (ku_kat.ku_c_kat_id=ku_c_kat.ku_c_kat_id) where %1 %2 %3 "
                   "order by CAS_OD,NAZEV;")
                   .arg(d, c, rights);
    }
    const QString c =
        filtr.isEmpty() ? QString()
                        : QStringLiteral("and ((ku_kat1.ku_c_kat_id is null) or (ku_kat1.ku_c_kat_id in (") +
                              filtr + QStringLiteral(")))");
    return QStringLiteral(
               "Select distinct %1 from ku left join ku_kat ku_kat1 on (ku.ku_id=ku_kat1.ku_id) left join "
               "ku_kat ku_kat2 on (ku.ku_id=ku_kat2.ku_id) and (ku_kat2.hlavni=1)")
               .arg(selectList) +
           QStringLiteral("left join ku_c_kat on (ku_kat2.ku_c_kat_id=ku_c_kat.ku_c_kat_id) where %1 %2 %3 "
                          "order by CAS_OD,NAZEV;")
               .arg(d, c, rights);
}

const QString SloupceDneKalendare =
    QStringLiteral("ku.ku_id,\",\",ku_c_kat_barva,\",\",NAZEV,\",\",CAS_OD,\",\",KU_TYP,\",\",ALARM");

void NactiDenKalendare(TSQLDATA& db, QStringList& lines, const QString& filtr, bool jenHlavni,
                       const QString& datum)
{
    db.NactiDotaz(DotazUdalosti(SloupceDneKalendare, filtr, jenHlavni, datum, datum), false, lines,
                  QStringLiteral(" "));
}

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

} // namespace dotazy
