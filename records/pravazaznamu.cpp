#include "records/pravazaznamu.h"

#include "common/kttext.h"
#include "common/messages.h"
#include "data/sqldata.h"

const QString FragmentAlarmKu =
    QStringLiteral(" and ((ku.f_alarm is null) or (ku.f_alarm=0) or (ku.f_alarm in (");
const QString FragmentAlarmUkoly =
    QStringLiteral(" and ((ukoly.f_alarm is null) or (ukoly.f_alarm=0) or (ukoly.f_alarm in (");
const QString FragmentCteniKu =
    QStringLiteral(" and ((ku.f_cist is null) or (ku.f_cist=0) or (ku.f_cist in (");
const QString FragmentCteniAdresar =
    QStringLiteral(" ((adresar_zakl.f_cist is null) or (adresar_zakl.f_cist=0) or (adresar_zakl.f_cist in (");
const QString FragmentCteniAdresarAnd = QStringLiteral(
    " and ((adresar_zakl.f_cist is null) or (adresar_zakl.f_cist=0) or (adresar_zakl.f_cist in (");

const QString TextNemateMenit = QStringLiteral("Nemáte právo měnit záznam !");
const QString TextNemateSmazat = QStringLiteral("Nemáte právo smazat záznam !");
const QString TextOpravduSmazat = QStringLiteral("Opravdu chcete smazat zobrazený záznam ?");
const QString TextZaznamPouzit = QStringLiteral("Záznam je již použit v systému a není možné ho smazat !");

const QString SqlSkupiny = QStringLiteral("Select uzivskupina_id,popis from uzivskupina order by popis");
const QString SqlNazevSkupiny = QStringLiteral("Select popis from uzivskupina where uzivskupina_id=%d");

QString FiltrCteni(const QString& alias, bool first)
{
    const QString& skupiny = session().SkupinyText;
    if (skupiny.isEmpty()) return QString();
    return QLatin1Char(' ') + (first ? QStringLiteral("where") : QStringLiteral("and")) +
           QStringLiteral(" ((") + alias + QStringLiteral(".f_cist is null) or (") + alias +
           QStringLiteral(".f_cist=0) or (") + alias + QStringLiteral(".f_cist in (") + skupiny +
           QStringLiteral(")))");
}

QString FiltrFragment(const QString& fragment)
{
    const QString& skupiny = session().SkupinyText;
    if (skupiny.isEmpty()) return QString();
    return fragment + skupiny + QStringLiteral(")))");
}

PravaZaznamu PravaZRadku(const TKTDATASET& table, int row)
{
    PravaZaznamu p;
    p.Cist = table.HodnotaInt(row, QStringLiteral("F_CIST"));
    p.Editovat = table.HodnotaInt(row, QStringLiteral("F_EDITOVAT"));
    p.Smazat = table.HodnotaInt(row, QStringLiteral("F_SMAZAT"));
    if (table.IndexSloupce(QStringLiteral("F_ALARM")) > 0)
        p.Alarm = table.HodnotaInt(row, QStringLiteral("F_ALARM"));
    p.Administrovat = table.HodnotaInt(row, QStringLiteral("F_ADMINISTROVAT"));
    return p;
}

PravidloEditoru PravidloZaznamu(const PravaZaznamu& prava, const Session& s)
{
    PravidloEditoru r;
    r.JenCteni = !s.JeVeSkupine(prava.Editovat);
    r.SmiSmazat = s.JeVeSkupine(prava.Smazat);
    // Rights change only together with the record itself.
    r.PravaZamcena = r.JenCteni || !s.JeVeSkupine(prava.Administrovat);
    return r;
}

QStringList UpravaSPravySQL(int uzivatel, const PravaZaznamu& p, bool sAlarmem)
{
    QStringList v = {QString::number(uzivatel), QStringLiteral("CURRENT_TIMESTAMP"), QString::number(p.Cist),
                     QString::number(p.Editovat), QString::number(p.Smazat)};
    if (sAlarmem) v << QString::number(p.Alarm);
    return v << QString::number(p.Administrovat);
}

QStringList VlozeniSPravySQL(int uzivatel, const PravaZaznamu& p, bool sAlarmem)
{
    return QStringList{QString::number(uzivatel), QStringLiteral("CURRENT_TIMESTAMP")} +
           UpravaSPravySQL(uzivatel, p, sAlarmem);
}

bool OverUlozeni(const PravidloEditoru& pravidlo)
{
    if (!pravidlo.JenCteni) return true;
    messages::error(TextNemateMenit);
    return false;
}

bool OverSmazani(const PravidloEditoru& pravidlo)
{
    if (!pravidlo.SmiSmazat) {
        messages::error(TextNemateSmazat);
        return false;
    }
    return messages::confirm(TextOpravduSmazat);
}

QList<Skupina> NactiSkupiny()
{
    QStringList lines;
    SQLDATA().NactiDotaz(SqlSkupiny, false, lines, QStringLiteral(","));
    QList<Skupina> out;
    out.reserve(lines.size());
    for (const QString& line : lines) {
        // A name may hold commas: only the first one ends the id.
        const qsizetype comma = line.indexOf(QLatin1Char(','));
        Skupina g;
        g.Id = (comma < 0 ? line : line.left(comma)).toInt();
        g.Nazev = comma < 0 ? QString() : line.mid(comma + 1);
        out << g;
    }
    return out;
}

QString NazevSkupiny(int skupinaId)
{
    QString sql = SqlNazevSkupiny;
    sql.replace(QStringLiteral("%d"), QString::number(skupinaId));
    return SQLDATA().VratSloupec(sql, QStringLiteral(",")).trimmed();
}

int NajdiNazevSkupiny(const QStringList& names, const QString& name)
{
    if (name.isEmpty()) return -1;
    const qsizetype exact = names.indexOf(name);
    if (exact >= 0) return int(exact);
    const QString upper = VelkaPismena(name);
    for (qsizetype i = 0; i < names.size(); ++i)
        if (VelkaPismena(names[i]) == upper) return int(i);
    return -1;
}

bool JeStaleAdministratorem(TSQLDATA& db, const Session& s)
{
    return SmiSpravovatUzivatele(s) &&
           db.VratInt(
               QStringLiteral("select administrator from uzivatel where uzivatel_id=%1").arg(s.UzivatelID)) ==
               1;
}
