#include "records/polozkakalendare.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/opakovani.h"

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

QString PrikazPravidla(const QString& tabulka, const QString& pravidlo, const QDateTime& zacatek, int id)
{
    if (pravidlo.isEmpty())
        return QStringLiteral(
                   "update %1 set opakovani=null, vynechane=null, konec_opakovani=null where %1_id=%2")
            .arg(tabulka)
            .arg(id);
    const std::optional<QDateTime> posledni = opakovani::PosledniVyskyt(pravidlo, zacatek);
    return QStringLiteral("update %1 set opakovani=%2, konec_opakovani=%3 where %1_id=%4")
        .arg(tabulka, TextSQL(pravidlo),
             DatumSQL(posledni ? posledni->toString(QStringLiteral("d.M.yyyy"))
                               : QStringLiteral("31.12.9999")))
        .arg(id);
}

QString PravidloSKoncem(const QString& pravidlo, const QDateTime& zacatek)
{
    if (!pravidlo.contains(QLatin1String("COUNT="), Qt::CaseInsensitive)) return pravidlo;
    const std::optional<QDateTime> posledni = opakovani::PosledniVyskyt(pravidlo, zacatek);
    if (!posledni) return pravidlo;
    QStringList casti;
    for (const QString& c : pravidlo.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!c.trimmed().startsWith(QLatin1String("COUNT="), Qt::CaseInsensitive)) casti << c.trimmed();
    casti << QStringLiteral("UNTIL=") + posledni->toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    return casti.join(QLatin1Char(';'));
}

QStringList AlarmSQL(const AlarmPole& a)
{
    return {LogikaSQL(a.Alarm), DatumSQL(a.AlarmDatum), DatumCasSQL(a.AlarmDatum, a.AlarmCas),
            QString::number(a.TypAkce), TextSQL(a.Akce)};
}
