#include "dotazy.h"

#include "common/session.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/pravazaznamu.h"
#include "records/vyskyty.h"

namespace dotazy
{

int PocetUdalosti(TSQLDATA& db, const QString& datum)
{
    return db.VratInt(
        QStringLiteral("Select count(*) from KU where datum=%1 %2 %3;")
            .arg(DatumSQL(datum), PodminkaJednotlivych, FiltrCteni(QStringLiteral("ku"), false)));
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
                   .arg(d + PodminkaJednotlivych, c, rights);
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
               .arg(d + PodminkaJednotlivych, c, rights);
}

const QString SloupceDneKalendare =
    QStringLiteral("ku.ku_id,\",\",ku_c_kat_barva,\",\",NAZEV,\",\",CAS_OD,\",\",KU_TYP,\",\",ALARM");

void NactiDenKalendare(TSQLDATA& db, QStringList& lines, const QString& filtr, bool jenHlavni,
                       const QString& datum)
{
    db.NactiDotaz(DotazUdalosti(SloupceDneKalendare, filtr, jenHlavni, datum, datum), false, lines,
                  QStringLiteral(" "));
}

} // namespace dotazy
