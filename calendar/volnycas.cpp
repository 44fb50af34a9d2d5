#include "volnycas.h"

#include <algorithm>

#include "calendar/datamesice.h"
#include "calendar/dotazy.h"
#include "data/commatext.h"
#include "data/sqldata.h"
#include "records/vyskyty.h"

#include <QCollator>
#include <QLocale>

#include <cmath>
#include <limits>

namespace
{

// Instants are compared in whole seconds: adding half hours to a day number
// would drift away from the starts read back from the database.
qint64 sekundy(DatumCas d)
{
    return qint64(std::llround(d * 86400.0));
}

DatumCas zSekund(qint64 s)
{
    return double(s) / 86400.0;
}

// Start of a line: its third field without one pair of enclosing quotes. A
// line without a readable start sorts before everything.
qint64 zacatekRadku(const QString& radek)
{
    const QStringList pole = radek.split(QLatin1Char(','));
    if (pole.size() < 3) return std::numeric_limits<qint64>::min();
    QString t = pole.at(2).trimmed();
    if (t.size() >= 2 && (t.front() == u'"' || t.front() == u'\'') && t.back() == t.front())
        t = t.mid(1, t.size() - 2);
    if (t.trimmed().isEmpty()) return std::numeric_limits<qint64>::min();
    try {
        return sekundy(TextNaDatum(2, t));
    } catch (const std::exception&) {
        return std::numeric_limits<qint64>::min();
    }
}

} // namespace

void VlozVyskytySerii(TSQLDATA& db, QStringList& radky, const QString& filtr, bool vsechnyKategorie,
                      DatumCas od, DatumCas doDatum)
{
    const QDate nula(1899, 12, 30);
    const QList<VyskytUdalosti> vyskyty =
        VyskytySerii(db, nula.addDays(qint64(std::floor(od))), nula.addDays(qint64(std::floor(doDatum))),
                     filtr, !vsechnyKategorie, nullptr, true);
    if (vyskyty.isEmpty()) return;
    if (radky.isEmpty())
        radky << commatext::encode({QStringLiteral("KU"), QStringLiteral("KU_C_KAT_BARVA"),
                                    QStringLiteral("CAS_OD"), QStringLiteral("NAZEV")});
    for (const VyskytUdalosti& v : vyskyty)
        radky << commatext::encode(
            {QString::number(v.id), v.barva,
             v.zacatek.toString(v.celyDen ? QStringLiteral("d.M.yyyy") : QStringLiteral("d.M.yyyy H:mm:ss")),
             v.nazev, v.serie ? KlicVyskytu(v.zacatek) : QString()});
    // In the statement's order: by start (none first), then name in the Czech order.
    std::stable_sort(radky.begin() + 1, radky.end(), [](const QString& a, const QString& b) {
        const qint64 za = zacatekRadku(a), zb = zacatekRadku(b);
        if (za != zb) return za < zb;
        return CeskeRazeni().compare(commatext::decode(a).value(3), commatext::decode(b).value(3)) < 0;
    });
}

QString RadekVolnehoCasu(DatumCas cas)
{
    return QStringLiteral("0,0,\"%1\",,,").arg(DatumNaText(2, cas));
}

void VlozVolneCasy(QStringList& radky, DatumCas od, DatumCas doDatum)
{
    qint64 p = sekundy(std::floor(od));
    const qint64 konec = sekundy(std::floor(doDatum)) + (22 * 60 + 59) * 60;
    int i = radky.isEmpty() ? 0 : 1; // after the header
    while (konec > p) {
        const int hodina = int((p % 86400 + 86400) % 86400 / 3600);
        p += (hodina >= 6 && hodina <= 18 ? 30 : 60) * 60;
        while (i < radky.size() && zacatekRadku(radky.at(i)) < p)
            ++i;
        if (i < radky.size()) {
            if (zacatekRadku(radky.at(i)) != p) radky.insert(i, RadekVolnehoCasu(zSekund(p)));
        } else {
            radky.append(RadekVolnehoCasu(zSekund(p)));
        }
    }
}

QList<RadekSeznamu> RozdelRadky(const QStringList& radky)
{
    QList<RadekSeznamu> out;
    out.reserve(radky.size());
    for (const QString& r : radky) {
        const QStringList pole = commatext::decode(r);
        const auto field = [&](int i) { return i < pole.size() ? pole.at(i) : QString(); };
        out << RadekSeznamu{field(0), field(1), field(2), field(3), field(4)};
    }
    return out;
}

QString DotazSeznamu(const QString& filtr, bool vsechnyKategorie, DatumCas od, DatumCas doDatum)
{
    return dotazy::DotazUdalosti(QStringLiteral("ku.ku_id as ku,ku_c_kat_barva,cas_od,nazev"), filtr,
                                 !vsechnyKategorie, DatumNaText(4, od), DatumNaText(4, doDatum));
}

QList<RadekSeznamu> NactiSeznam(TSQLDATA& db, const QString& filtr, bool vsechnyKategorie, DatumCas od,
                                DatumCas doDatum, bool volneCasy)
{
    OverFiltrKategorii(filtr);
    QStringList radky;
    db.NactiDotaz(DotazSeznamu(filtr, vsechnyKategorie, od, doDatum), true, radky, QString());
    VlozVyskytySerii(db, radky, filtr, vsechnyKategorie, od, doDatum);
    if (volneCasy) VlozVolneCasy(radky, od, doDatum);
    if (!radky.isEmpty()) radky.removeFirst();
    return RozdelRadky(radky);
}

int NajdiRadekZnovu(const QList<RadekSeznamu>& radky, const RadekSeznamu& drive, int radekDrive)
{
    if (radky.isEmpty()) return -1;
    const auto najdi = [&](auto&& shoda) {
        const auto it = std::find_if(radky.cbegin(), radky.cend(), shoda);
        return it == radky.cend() ? -1 : int(it - radky.cbegin());
    };
    int r = najdi([&](const RadekSeznamu& x) { return x.id == drive.id && x.zacatek == drive.zacatek; });
    if (r < 0 && !drive.volnyCas()) r = najdi([&](const RadekSeznamu& x) { return x.id == drive.id; });
    return r >= 0 ? r : std::clamp(radekDrive, 0, int(radky.size()) - 1);
}
