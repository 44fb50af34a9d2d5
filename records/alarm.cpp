#include "records/alarm.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"

AlarmPole AlarmZRadku(const TKTDATASET& t, int r, int bezTypu)
{
    AlarmPole a;
    a.Alarm = t.HodnotaBool(r, QStringLiteral("ALARM"));
    a.AlarmDatum = DatumCast(t.HodnotaJmeno(r, QStringLiteral("ALARM_DATUM")));
    a.AlarmCas = CasCast(t.HodnotaJmeno(r, QStringLiteral("ALARM_CAS")));
    const QString typ = t.HodnotaJmeno(r, QStringLiteral("ALARM_TYP_AKCE"));
    a.TypAkce = typ.isEmpty() ? bezTypu : t.HodnotaInt(r, QStringLiteral("ALARM_TYP_AKCE"));
    a.Akce = t.HodnotaJmeno(r, QStringLiteral("ALARM_AKCE"));
    return a;
}

bool AlarmMaPlatnaData(const AlarmPole& a)
{
    return PlatneDatum(a.AlarmDatum) && PlatnyCas(a.AlarmCas);
}

QStringList AlarmSQL(const AlarmPole& a)
{
    return {LogikaSQL(a.Alarm), DatumSQL(a.AlarmDatum), DatumCasSQL(a.AlarmDatum, a.AlarmCas),
            QString::number(a.TypAkce), TextSQL(a.Akce)};
}
