#include "calendar/datamesice.h"

#include "calendar/dotazy.h"
#include "common/action.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/pravazaznamu.h"
#include "records/vyskyty.h"

#include <QCollator>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <cmath>

namespace
{

qint64 klicDne(DatumCas d)
{
    return qint64(std::floor(d));
}

QString textDne(DatumCas d)
{
    return DatumNaText(4, d);
}

} // namespace

QString UdalostDne::cas() const
{
    const QStringList slova = casOd.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString cas = slova.size() > 1 ? slova.at(1) : QString();
    if (cas.size() >= 3) cas.chop(3);
    return cas;
}

QColor UdalostDne::barvaTextu() const
{
    const QColor c = BarvaZHodnoty(barva);
    return c.isValid() ? c : QColor(Qt::black);
}

void OverFiltrKategorii(const QString& filtr)
{
    static const QRegularExpression ids(QStringLiteral("^(\\d+(,\\d+)*)?$"));
    if (!ids.match(filtr).hasMatch())
        throw ActionError(QStringLiteral("Neplatný filtr kategorií: \"%1\"").arg(filtr));
}

QColor BarvaZHodnoty(const QString& hodnota)
{
    const QString t = hodnota.trimmed();
    if (t.isEmpty()) return {};
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    if (!ok) return {};
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

QString BarvaHtml(const QColor& barva)
{
    return QString::asprintf("#%02x%02x%02x", barva.red(), barva.green(), barva.blue());
}

UdalostDne UdalostZRadkuDne(const QString& radek)
{
    const QStringList pole = radek.split(QLatin1Char(','));
    const auto field = [&](int i) { return i < pole.size() ? pole.at(i).trimmed() : QString(); };
    return {field(0), field(1), field(2), field(3), QString()};
}

DenKalendare NactiDenDotazy(TSQLDATA& db, const QString& filtr, bool jenHlavni, DatumCas den)
{
    DenKalendare d;
    d.pocet = dotazy::PocetUdalosti(db, textDne(den));
    QStringList radky;
    dotazy::NactiDenKalendare(db, radky, filtr, jenHlavni, textDne(den));
    for (const QString& r : radky)
        d.udalosti << UdalostZRadkuDne(r);
    d.radku = int(d.udalosti.size());
    return d;
}

QString DataMesice::DotazPoctu(DatumCas od, DatumCas doDatum)
{
    return QStringLiteral(
               "Select datum, count(*) from KU where (datum>=%1) and (datum<=%2) %3 %4 group by datum;")
        .arg(DatumSQL(textDne(od)), DatumSQL(textDne(doDatum)), PodminkaJednotlivych,
             FiltrCteni(QStringLiteral("ku"), false));
}

QString DataMesice::DotazUdalostiRozsahu(const QString& filtr, bool jenHlavni, DatumCas od, DatumCas doDatum)
{
    // The day statement over the whole range, with the date to sort the rows
    // into days; each field comes back on its own, so commas in names are harmless.
    return dotazy::DotazUdalosti(QStringLiteral("ku.ku_id,ku_c_kat_barva,NAZEV,CAS_OD,ku.datum"), filtr,
                                 jenHlavni, textDne(od), textDne(doDatum));
}

QString DataMesice::DotazPrvnichUdalosti(const QString& filtr, bool jenHlavni, DatumCas od, DatumCas doDatum,
                                         int limit)
{
    // Day by day on the server: the events of a day walked in the order of an
    // index on (DATUM, CAS_OD), only as far as the first `limit` starts (ties
    // included); those few then sorted as the day statement sorts, the id
    // settling ties. A day without such lines gives one row without an id
    // when it holds any event the user may read. Cost grows with the lines
    // shown, not with the events of the weeks.
    const QString prava = FiltrCteni(QStringLiteral("ku"), false);
    QString kategorie;
    if (!filtr.isEmpty()) {
        // "+0" keeps the server from walking a whole category's index entries per event.
        kategorie = jenHlavni
                        ? QStringLiteral(" and ((ku_c_kat.ku_c_kat_id is null) or (ku_c_kat.ku_c_kat_id "
                                         "in (%1)))")
                              .arg(filtr)
                        : QStringLiteral(" and ((not exists(select 1 from ku_kat k1 where "
                                         "k1.ku_id=ku.ku_id)) or exists(select 1 from ku_kat k1 where "
                                         "k1.ku_id=ku.ku_id and k1.ku_c_kat_id+0 in (%1)))")
                              .arg(filtr);
    }
    const QString zdroj =
        QStringLiteral(" from ku left join ku_kat on (ku.ku_id=ku_kat.ku_id) and (ku_kat.hlavni=1) left join "
                       "ku_c_kat on (ku_kat.ku_c_kat_id=ku_c_kat.ku_c_kat_id) where ku.datum=:datum") +
        PodminkaJednotlivych + kategorie + prava + QStringLiteral(" order by ku.datum, ku.cas_od");
    // Without a category filter every readable event has a line, so a day
    // without lines has none to mark.
    const QString prazdnyDen =
        filtr.isEmpty()
            ? QString()
            : QStringLiteral(" else if (exists(select 1 from ku where ku.datum=:datum%1%2)) then begin "
                             "ku_id=null; barva=null; nazev=null; cas_od=null; suspend; end")
                  .arg(PodminkaJednotlivych, prava);
    return QStringLiteral(
               "execute block returns (ku_id type of column ku.ku_id, barva type of column "
               "ku_c_kat.ku_c_kat_barva, nazev type of column ku.nazev, cas_od type of column ku.cas_od, "
               "datum type of column ku.datum) as declare n integer; declare c type of column ku.cas_od; "
               "declare posledni type of column ku.cas_od; begin datum=%1; while (datum<=%2) do begin "
               "n=0; posledni=null; for select ku.cas_od%3 into :c do begin if (n>=%4 and c is distinct "
               "from posledni) then leave; n=n+1; posledni=c; end if (n>0) then for select first %4 %5 "
               "v.ku_id, v.barva, v.nazev, v.cas_od from (select first (:n) ku.ku_id, "
               "ku_c_kat.ku_c_kat_barva as barva, ku.nazev, ku.cas_od%3) v order by v.cas_od, v.nazev, "
               "v.ku_id, v.barva into :ku_id, :barva, :nazev, :cas_od do suspend;%6 datum=datum+1; end end")
        .arg(DatumSQL(textDne(od)), DatumSQL(textDne(doDatum)), zdroj)
        .arg(limit)
        .arg(jenHlavni ? QString() : QStringLiteral("distinct"), prazdnyDen);
}

void DataMesice::vyprazdni()
{
    m_dny.clear();
    m_platne = false;
    m_od = 0;
    m_do = -1;
}

void DataMesice::nacti(TSQLDATA& db, const QString& filtr, bool jenHlavni, DatumCas od, DatumCas doDatum,
                       int limit)
{
    vyprazdni();
    m_dotazu = 0;
    dopln(db, filtr, jenHlavni, od, doDatum, limit);
}

void DataMesice::dopln(TSQLDATA& db, const QString& filtr, bool jenHlavni, DatumCas od, DatumCas doDatum,
                       int limit)
{
    OverFiltrKategorii(filtr);
    limit = std::max(0, limit);
    QHash<qint64, DenKalendare> dny;

    // The per-day statements compare DATUM with midnight, so a DATUM that
    // carries a time of day belongs to no day; its text then has a time part.
    const auto den = [](const QString& datum, qint64& klic) {
        if (datum.isEmpty() || datum.contains(QLatin1Char(' '))) return false;
        klic = klicDne(DatumZTextu(datum));
        return true;
    };

    TKTDATASET t;
    if (limit > 0) {
        // Only what a cell can show, read straight from the cursor; a day's
        // count then only tells that it holds events: a cell needs no more.
        db.OtevriDotaz(DotazPrvnichUdalosti(filtr, jenHlavni, od, doDatum, limit));
        ++m_dotazu;
        fb::Cursor& c = db.cursor();
        const QDate nula(1899, 12, 30);
        while (c.next()) {
            const QDateTime datum = c.dateTime(4);
            if (!datum.isValid()) continue;
            DenKalendare& d = dny[nula.daysTo(datum.date())];
            if (!c.isNull(0))
                d.udalosti << UdalostDne{c.text(0).trimmed(), c.text(1).trimmed(), c.text(2).trimmed(),
                                         c.text(3).trimmed(), QString()};
            d.radku = int(d.udalosti.size());
            d.pocet = std::max(1, d.radku);
        }
        c.close();
    } else {
        db.NactiTabulku(DotazPoctu(od, doDatum), t);
        ++m_dotazu;
        for (int r = 1; r <= t.PocetRadku(); ++r) {
            const QStringList& v = t.Hodnoty(r);
            qint64 k = 0;
            if (v.size() == 2 && den(v.at(0), k)) dny[k].pocet = v.at(1).trimmed().toInt();
        }
        db.NactiTabulku(DotazUdalostiRozsahu(filtr, jenHlavni, od, doDatum), t);
        ++m_dotazu;
        for (int r = 1; r <= t.PocetRadku(); ++r) {
            const QStringList& v = t.Hodnoty(r);
            qint64 k = 0;
            if (v.size() != 5 || !den(v.at(4), k)) continue;
            DenKalendare& d = dny[k];
            d.udalosti << UdalostDne{v.at(0).trimmed(), v.at(1).trimmed(), v.at(2).trimmed(),
                                     v.at(3).trimmed(), QString()};
            d.radku = int(d.udalosti.size());
        }
    }

    // Occurrences of series, expanded for these days only, join the days'
    // lines in the day statement's order (start, name, id); a day with a
    // limit keeps its first lines. Keys are made once per line, and only the
    // occurrences kept become text.
    const QDate nula(1899, 12, 30);
    const QList<VyskytUdalosti> vyskyty = VyskytySerii(
        db, nula.addDays(klicDne(od)), nula.addDays(klicDne(doDatum)), filtr, jenHlavni, &m_dotazu, true);
    QHash<qint64, QList<const VyskytUdalosti*>> poDnech;
    for (const VyskytUdalosti& v : vyskyty)
        poDnech[nula.daysTo(v.zacatek.date())] << &v;
    for (auto it = poDnech.cbegin(); it != poDnech.cend(); ++it) {
        DenKalendare& d = dny[it.key()];
        struct Radek {
            int cas; // seconds after midnight, -1 without a time
            const QString* nazev;
            int id;
            int stary = -1; // index of a line read, or
            const VyskytUdalosti* vyskyt = nullptr;
        };
        QList<Radek> radky;
        radky.reserve(d.udalosti.size() + it.value().size());
        for (int r = 0; r < d.udalosti.size(); ++r) {
            const UdalostDne& u = d.udalosti.at(r);
            const QString c = u.casOd.section(QLatin1Char(' '), 1);
            radky.append(
                {c.isEmpty() ? -1 : QTime(0, 0).secsTo(QTime::fromString(c, QStringLiteral("H:mm:ss"))),
                 &u.nazev, u.id.toInt(), r, nullptr});
        }
        for (const VyskytUdalosti* v : it.value())
            radky.append({v->celyDen ? -1 : QTime(0, 0).secsTo(v->zacatek.time()), &v->nazev, v->id, -1, v});
        const auto kratsi = [](const Radek& a, const Radek& b) {
            if (a.cas != b.cas) return a.cas < b.cas;
            if (const int c = CeskeRazeni().compare(*a.nazev, *b.nazev); c != 0) return c < 0;
            return a.id < b.id;
        };
        if (limit > 0 && radky.size() > limit) {
            std::partial_sort(radky.begin(), radky.begin() + limit, radky.end(), kratsi);
            radky.resize(limit);
        } else {
            std::stable_sort(radky.begin(), radky.end(), kratsi);
        }
        QList<UdalostDne> udalosti;
        udalosti.reserve(radky.size());
        for (const Radek& r : radky)
            udalosti << (r.vyskyt
                             ? UdalostDne{QString::number(r.vyskyt->id), r.vyskyt->barva, r.vyskyt->nazev,
                                          r.vyskyt->celyDen ? QString()
                                                            : r.vyskyt->zacatek.toString(
                                                                  QStringLiteral("d.M.yyyy H:mm:ss")),
                                          r.vyskyt->serie ? KlicVyskytu(r.vyskyt->zacatek) : QString()}
                             : d.udalosti.at(r.stary));
        d.udalosti = std::move(udalosti);
        d.pocet += int(it.value().size());
        d.radku = int(d.udalosti.size());
        if (limit > 0) d.pocet = std::max(1, d.radku);
    }

    // The days read join those read before; the range grows to cover both.
    const bool prvni = !m_platne;
    for (auto it = dny.begin(); it != dny.end(); ++it)
        m_dny.insert(it.key(), std::move(it.value()));
    m_od = prvni ? std::floor(od) : std::min(m_od, std::floor(od));
    m_do = prvni ? std::floor(doDatum) : std::max(m_do, std::floor(doDatum));
    m_limit = limit;
    m_platne = true;
}

const DenKalendare& DataMesice::den(DatumCas datum) const
{
    static const DenKalendare prazdny;
    const auto it = m_dny.constFind(klicDne(datum));
    return it == m_dny.cend() ? prazdny : *it;
}
