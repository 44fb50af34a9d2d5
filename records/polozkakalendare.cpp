#include "records/polozkakalendare.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"

bool MaDatum(const PolozkaKalendare& p)
{
    const QString d = p.Datum.trimmed();
    return !d.isEmpty() && d != QLatin1String("00.00.0");
}

void PolozkaZRadku(PolozkaKalendare& a, const TKTDATASET& t, int r, int bezTypu)
{
    a.Datum = DatumCast(t.HodnotaJmeno(r, QStringLiteral("DATUM")));
    a.CasDo = CasCast(t.HodnotaJmeno(r, QStringLiteral("CAS_DO")));
    a.Nazev = t.HodnotaJmeno(r, QStringLiteral("NAZEV"));
    a.Prava = PravaZRadku(t, r);
    a.Alarm = t.HodnotaBool(r, QStringLiteral("ALARM"));
    a.AlarmDatum = DatumCast(t.HodnotaJmeno(r, QStringLiteral("ALARM_DATUM")));
    a.AlarmCas = CasCast(t.HodnotaJmeno(r, QStringLiteral("ALARM_CAS")));
    const QString typ = t.HodnotaJmeno(r, QStringLiteral("ALARM_TYP_AKCE"));
    a.TypAkce = typ.isEmpty() ? bezTypu : t.HodnotaInt(r, QStringLiteral("ALARM_TYP_AKCE"));
    a.Akce = t.HodnotaJmeno(r, QStringLiteral("ALARM_AKCE"));
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
