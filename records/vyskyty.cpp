#include "vyskyty.h"

#include "common/ktdatumj.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/opakovani.h"
#include "records/pravazaznamu.h"

#include <QCollator>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <algorithm>
#include <mutex>
#include <utility>

namespace
{

const QString kFormatVynechanych = QStringLiteral("yyyyMMdd'T'HHmmss");

QString datumSQL(QDate d)
{
    return DatumSQL(d.toString(QStringLiteral("d.M.yyyy")));
}

// The rights and the category filter on the alias ku, as the month view applies them.
QString podminky(const QString& filtr, bool jenHlavni)
{
    QString out = FiltrCteni(QStringLiteral("ku"), false);
    if (filtr.isEmpty()) return out;
    return out + (jenHlavni
                      ? QStringLiteral(" and ((ku_c_kat.ku_c_kat_id is null) or (ku_c_kat.ku_c_kat_id "
                                       "in (%1)))")
                            .arg(filtr)
                      : QStringLiteral(" and ((not exists(select 1 from ku_kat k1 where k1.ku_id=ku.ku_id)) "
                                       "or exists(select 1 from ku_kat k1 where k1.ku_id=ku.ku_id and "
                                       "k1.ku_c_kat_id+0 in (%1)))")
                            .arg(filtr));
}

const QString kZdroj = QStringLiteral(
    " from ku left join ku_kat on (ku.ku_id=ku_kat.ku_id) and (ku_kat.hlavni=1) left join ku_c_kat on "
    "(ku_kat.ku_c_kat_id=ku_c_kat.ku_c_kat_id) ");
const QString kSloupce = QStringLiteral("select ku.ku_id, ku.datum, ku.cas_od, ku.cas_do, ku.cely_den, "
                                        "ku.nazev, ku_c_kat.ku_c_kat_barva as barva");

QDateTime okamzik(const QString& text)
{
    return text.trimmed().isEmpty() ? QDateTime() : DatumNaQDateTime(TextNaDatum(2, text));
}

VyskytUdalosti zRadku(const TKTDATASET& t, int r)
{
    VyskytUdalosti v;
    v.id = t.HodnotaInt(r, QStringLiteral("KU_ID"));
    v.celyDen = t.HodnotaBool(r, QStringLiteral("CELY_DEN"));
    const QDateTime den = okamzik(t.HodnotaJmeno(r, QStringLiteral("DATUM")));
    const QDateTime od = okamzik(t.HodnotaJmeno(r, QStringLiteral("CAS_OD")));
    v.zacatek = v.celyDen || !od.isValid() ? QDateTime(den.date(), QTime(0, 0)) : od;
    if (!v.celyDen) v.konec = okamzik(t.HodnotaJmeno(r, QStringLiteral("CAS_DO")));
    v.nazev = t.HodnotaJmeno(r, QStringLiteral("NAZEV"));
    v.barva = t.HodnotaJmeno(r, QStringLiteral("BARVA"));
    return v;
}

// Expansions of series by their row's id, revision, days and changed
// occurrences: a refresh of the same weeks expands nothing again.
class Rozvinute
{
public:
    bool hledej(const QString& klic, QList<std::pair<QDateTime, QDateTime>>& casy)
    {
        const std::lock_guard<std::mutex> zamek(m_zamek);
        const auto it = m_casy.constFind(klic);
        if (it == m_casy.cend()) return false;
        casy = *it;
        return true;
    }
    void uloz(const QString& klic, const QList<std::pair<QDateTime, QDateTime>>& casy)
    {
        const std::lock_guard<std::mutex> zamek(m_zamek);
        if (m_casy.size() > 20000) m_casy.clear(); // old ranges and revisions go at once
        m_casy.insert(klic, casy);
    }

private:
    std::mutex m_zamek;
    QHash<QString, QList<std::pair<QDateTime, QDateTime>>> m_casy;
};

Rozvinute& rozvinute()
{
    static Rozvinute r;
    return r;
}

// The date-range list's order: start, name, id.
bool poradi(const VyskytUdalosti& a, const VyskytUdalosti& b)
{
    if (a.zacatek != b.zacatek) return a.zacatek < b.zacatek;
    if (const int c = CeskeRazeni().compare(a.nazev, b.nazev); c != 0) return c < 0;
    return a.id < b.id;
}

} // namespace

const QCollator& CeskeRazeni()
{
    static const QCollator c = [] {
        QCollator k(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        k.setCaseSensitivity(Qt::CaseSensitive);
        return k;
    }();
    return c;
}

const QString PodminkaJednotlivych =
    QStringLiteral(" and (ku.opakovani is null) and (ku.zruseno is null or ku.zruseno=0)");

QString KlicVyskytu(const QDateTime& zacatek)
{
    return zacatek.toString(QStringLiteral("yyyyMMddHHmm"));
}

QDateTime VyskytZKlice(qint64 klic)
{
    return QDateTime::fromString(QString::number(klic), QStringLiteral("yyyyMMddHHmm"));
}

QList<QDateTime> VynechaneZTextu(const QString& text)
{
    QList<QDateTime> out;
    for (const QString& s : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QDateTime d = QDateTime::fromString(s.trimmed(), kFormatVynechanych);
        if (d.isValid()) out << d;
    }
    return out;
}

QString VynechaneNaText(const QList<QDateTime>& vynechane)
{
    QStringList out;
    for (const QDateTime& d : vynechane)
        out << d.toString(kFormatVynechanych);
    return out.join(QLatin1Char(','));
}

QList<VyskytUdalosti> VyskytySerii(TSQLDATA& db, QDate od, QDate doDatum, const QString& filtr,
                                   bool jenHlavni, int* dotazu, bool pokracovani)
{
    TKTDATASET t;
    if (dotazu) ++*dotazu;
    db.NactiTabulku(
        kSloupce + QStringLiteral(", ku.opakovani, ku.vynechane, ku.datum_do, ku.revize") + kZdroj +
            // "+0": the indexes on the last occurrence and on the last day find
            // the few series and long events, not the one on the date every
            // event of the past would pass.
            QStringLiteral(
                "where ((ku.konec_opakovani>=%1 and ku.opakovani is not null)%3) and ku.datum+0<=%2 "
                "and ku.serie_id is null")
                .arg(datumSQL(od), datumSQL(doDatum),
                     pokracovani ? QStringLiteral(" or (ku.datum_do>=%1 and ku.opakovani is null and "
                                                  "(ku.zruseno is null or ku.zruseno=0))")
                                       .arg(datumSQL(od))
                                 : QString()) +
            podminky(filtr, jenHlavni),
        t);
    if (t.PocetRadku() == 0) return {};
    // Occurrences that rows of their own replace or cancel.
    QHash<int, QList<QDateTime>> nahrazene;
    {
        if (dotazu) ++*dotazu;
        TKTDATASET z;
        // From the series to their rows (the foreign key's index), not every row to a list.
        db.NactiTabulku(QStringLiteral("select o.serie_id, o.puvodni_vyskyt from ku s join ku o on "
                                       "o.serie_id=s.ku_id where s.konec_opakovani>=%1 and s.datum+0<=%2 and "
                                       "s.serie_id is null and s.opakovani is not null")
                            .arg(datumSQL(od), datumSQL(doDatum)),
                        z);
        for (int r = 1; r <= z.PocetRadku(); ++r)
            nahrazene[z.HodnotaInt(r, QStringLiteral("SERIE_ID"))]
                << okamzik(z.HodnotaJmeno(r, QStringLiteral("PUVODNI_VYSKYT")));
    }
    QList<VyskytUdalosti> out;
    const QDateTime zacatekRozsahu(od, QTime(0, 0)), konecRozsahu(doDatum.addDays(1), QTime(0, 0));
    QSet<int> videne;
    for (int r = 1; r <= t.PocetRadku(); ++r) {
        const VyskytUdalosti vzor = zRadku(t, r);
        if (videne.contains(vzor.id)) continue; // two main categories give two rows
        videne.insert(vzor.id);
        if (t.HodnotaJmeno(r, QStringLiteral("OPAKOVANI")).trimmed().isEmpty()) {
            // The further days of a long event, each a line without a time.
            const QDate posledni = okamzik(t.HodnotaJmeno(r, QStringLiteral("DATUM_DO"))).date();
            for (QDate d = std::max(vzor.zacatek.date().addDays(1), od); d <= std::min(posledni, doDatum);
                 d = d.addDays(1)) {
                VyskytUdalosti v = vzor;
                v.zacatek = QDateTime(d, QTime(0, 0));
                v.konec = QDateTime();
                v.celyDen = true;
                out << v;
            }
            continue;
        }
        // A series expanded for these days before, unchanged since (its
        // revision and its changed occurrences the same), is not expanded again.
        const QList<QDateTime>& zmenene = nahrazene[vzor.id];
        QString klic = QStringLiteral("%1|%2|%3|%4")
                           .arg(vzor.id)
                           .arg(t.HodnotaJmeno(r, QStringLiteral("REVIZE")), od.toString(Qt::ISODate),
                                doDatum.toString(Qt::ISODate));
        for (const QDateTime& z : zmenene)
            klic += QLatin1Char('|') + z.toString(Qt::ISODate);
        QList<std::pair<QDateTime, QDateTime>> casy;
        if (!rozvinute().hledej(klic, casy)) {
            const qint64 delka = vzor.konec.isValid() ? vzor.zacatek.secsTo(vzor.konec) : -1;
            QList<QDateTime> vynechane = VynechaneZTextu(t.HodnotaJmeno(r, QStringLiteral("VYNECHANE")));
            vynechane << zmenene;
            for (const QDateTime& kdy :
                 opakovani::Vyskyty(t.HodnotaJmeno(r, QStringLiteral("OPAKOVANI")), vzor.zacatek, vynechane,
                                    zacatekRozsahu, konecRozsahu))
                casy.append({kdy, delka >= 0 ? kdy.addSecs(delka) : QDateTime()});
            rozvinute().uloz(klic, casy);
        }
        for (const auto& [zacatek, konec] : casy) {
            VyskytUdalosti v = vzor;
            v.serie = vzor.id;
            v.zacatek = zacatek;
            v.konec = konec;
            out << v;
        }
    }
    return out;
}

QList<VyskytUdalosti> NactiVyskyty(TSQLDATA& db, QDate od, QDate doDatum, const QString& filtr,
                                   bool jenHlavni)
{
    TKTDATASET t;
    db.NactiTabulku(
        kSloupce + QStringLiteral(", ku.serie_id") + kZdroj +
            QStringLiteral("where ku.datum>=%1 and ku.datum<=%2").arg(datumSQL(od), datumSQL(doDatum)) +
            PodminkaJednotlivych + podminky(filtr, jenHlavni),
        t);
    QList<VyskytUdalosti> out;
    QSet<int> videne;
    for (int r = 1; r <= t.PocetRadku(); ++r) {
        VyskytUdalosti v = zRadku(t, r);
        if (videne.contains(v.id)) continue;
        videne.insert(v.id);
        v.serie = t.HodnotaInt(r, QStringLiteral("SERIE_ID"));
        out << v;
    }
    out << VyskytySerii(db, od, doDatum, filtr, jenHlavni);
    std::sort(out.begin(), out.end(), poradi);
    return out;
}
