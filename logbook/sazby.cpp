#include "sazby.h"

#include "kjauto.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"

#include <cmath>
#include <optional>

namespace
{

std::optional<double> castka(const QString& text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || v < 0 || !std::isfinite(v) || v > 1e6) return std::nullopt;
    return v;
}

QString zobraz(const QString& ulozeno)
{
    const auto v = castka(ulozeno);
    return v ? QString::number(*v, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(',')) : QString();
}

QString sql(const QString& text)
{
    return QString::number(castka(text).value_or(0), 'f', 2);
}

} // namespace

SazbyRoku NactiSazby(TSQLDATA& db, int rok)
{
    SazbyRoku s;
    s.Rok = rok;
    TKTDATASET z;
    db.NactiTabulku(QStringLiteral("select zakladni from kj_sazby where rok=%1").arg(rok), z);
    if (z.PocetRadku() > 0) s.Zakladni = zobraz(z.Hodnota(1, 1));
    TKTDATASET c;
    db.NactiTabulku(
        QStringLiteral("select palivo, cena from kj_ceny_paliv where rok=%1 order by palivo").arg(rok), c);
    for (const QString& druh : DruhyPaliva())
        s.Ceny.append({druh, QString()});
    for (int r = 1; r <= c.PocetRadku(); ++r) {
        const QString druh = c.HodnotaJmeno(r, QStringLiteral("PALIVO")).trimmed();
        const QString cena = zobraz(c.HodnotaJmeno(r, QStringLiteral("CENA")));
        bool nalezen = false;
        for (auto& [d, v] : s.Ceny)
            if (d.compare(druh, Qt::CaseInsensitive) == 0) {
                v = cena;
                nalezen = true;
            }
        if (!nalezen) s.Ceny.append({druh, cena});
    }
    return s;
}

bool SazbyMajiPlatnaData(const SazbyRoku& s)
{
    if (s.Rok < 1990 || s.Rok > 2200) return false;
    if (!s.Zakladni.trimmed().isEmpty() && !castka(s.Zakladni)) return false;
    for (const auto& [druh, cena] : s.Ceny)
        if (!cena.trimmed().isEmpty() && !castka(cena)) return false;
    return true;
}

VysledekZapisu UlozSazby(TDataModuleIb& db, const SazbyRoku& s)
{
    return ZapisZaznam(db, s.Rok, QString(), [&](int) {
        QStringList out{QStringLiteral("delete from kj_sazby where rok=%1").arg(s.Rok),
                        QStringLiteral("delete from kj_ceny_paliv where rok=%1").arg(s.Rok)};
        if (!s.Zakladni.trimmed().isEmpty())
            out << QStringLiteral("insert into kj_sazby (rok, zakladni) values (%1, %2)")
                       .arg(s.Rok)
                       .arg(sql(s.Zakladni));
        for (const auto& [druh, cena] : s.Ceny)
            if (!cena.trimmed().isEmpty() && !druh.trimmed().isEmpty())
                out << VyplnSablonu(
                    QStringLiteral("insert into kj_ceny_paliv (rok, palivo, cena) values (%d, %s, %s)"),
                    {QString::number(s.Rok), TextSQL(druh.trimmed()), sql(cena)});
        return out;
    });
}
