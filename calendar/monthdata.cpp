#include "monthdata.h"

#include "calendar/dotazy.h"
#include "common/action.h"
#include "data/ktdata.h"
#include "data/sqlvalues.h"
#include "users/rights.h"

#include <QDateTime>
#include <QRegularExpression>
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
    return {field(0), field(1), field(2), field(3)};
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
               "Select datum, count(*) from KU where (datum>=%1) and (datum<=%2) %3 group by datum;")
        .arg(DatumSQL(textDne(od)), DatumSQL(textDne(doDatum)), FiltrCteni(QStringLiteral("ku"), false));
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
    // The day statement over the range, narrowed to what ranks the events
    // within a day, so the server sorts small rows; an event whose start ranks
    // among the first `limit` of its day (ties included) may be among the
    // first lines. Name and colour are read for those only, sorted as the day
    // statement sorts, the id settling ties.
    QString rozsah = dotazy::DotazUdalosti(QStringLiteral("ku.ku_id,ku.datum,CAS_OD"), filtr, jenHlavni,
                                           textDne(od), textDne(doDatum));
    rozsah.truncate(rozsah.lastIndexOf(QLatin1String(" order by ")));
    return QStringLiteral(
               "select ku.ku_id, ku_c_kat.ku_c_kat_barva, ku.nazev, ku.cas_od, ku.datum from (select "
               "r.ku_id, "
               "rank() over (partition by r.datum order by r.cas_od) as poradi from (%1) r) v join ku on "
               "(ku.ku_id=v.ku_id) left join ku_kat on (ku.ku_id=ku_kat.ku_id) and (ku_kat.hlavni=1) left "
               "join "
               "ku_c_kat on (ku_kat.ku_c_kat_id=ku_c_kat.ku_c_kat_id) where v.poradi <= %2 order by "
               "ku.datum, "
               "ku.cas_od, ku.nazev, ku.ku_id;")
        .arg(rozsah)
        .arg(limit);
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
    db.NactiTabulku(DotazPoctu(od, doDatum), t);
    ++m_dotazu;
    for (int r = 1; r <= t.PocetRadku(); ++r) {
        const QStringList& v = t.Hodnoty(r);
        qint64 k = 0;
        if (v.size() == 2 && den(v.at(0), k)) dny[k].pocet = v.at(1).trimmed().toInt();
    }

    if (limit > 0) {
        // Only what a cell can show, read straight from the cursor.
        db.OtevriDotaz(DotazPrvnichUdalosti(filtr, jenHlavni, od, doDatum, limit));
        ++m_dotazu;
        fb::Cursor& c = db.cursor();
        const QDate nula(1899, 12, 30);
        while (c.next()) {
            // DATUM read as a value, not parsed from text; one with a time of day belongs to no day.
            const QDateTime datum = c.dateTime(4);
            if (!datum.isValid() || datum.time() != QTime(0, 0)) continue;
            const qint64 k = nula.daysTo(datum.date());
            DenKalendare& d = dny[k];
            // Beyond the limit only that there are more counts: a cell shows
            // and clicks alike for any number of lines past what fits.
            if (d.radku < limit)
                d.udalosti << UdalostDne{c.text(0).trimmed(), c.text(1).trimmed(), c.text(2).trimmed(),
                                         c.text(3).trimmed()};
            d.radku = int(d.udalosti.size());
        }
        c.close();
    } else {
        db.NactiTabulku(DotazUdalostiRozsahu(filtr, jenHlavni, od, doDatum), t);
        ++m_dotazu;
        for (int r = 1; r <= t.PocetRadku(); ++r) {
            const QStringList& v = t.Hodnoty(r);
            qint64 k = 0;
            if (v.size() != 5 || !den(v.at(4), k)) continue;
            DenKalendare& d = dny[k];
            d.udalosti << UdalostDne{v.at(0).trimmed(), v.at(1).trimmed(), v.at(2).trimmed(),
                                     v.at(3).trimmed()};
            d.radku = int(d.udalosti.size());
        }
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
