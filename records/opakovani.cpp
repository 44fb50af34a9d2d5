#include "opakovani.h"

#include <QStringList>
#include <algorithm>
#include <functional>

#include <libical/ical.h>

namespace opakovani
{

namespace
{

// A walk never takes more steps than this (a daily series over 270 years).
constexpr int kKroku = 100000;

QDateTime mistni(const icaltimetype& t)
{
    const QDate d(t.year, t.month, t.day);
    const QTime cas = t.is_date ? QTime(0, 0) : QTime(t.hour, t.minute, t.second);
    const QDateTime out(d, cas);
    // A time the spring change skips comes as late after midnight as it says: an hour later.
    return out.isValid() ? out : QDateTime(d, QTime(0, 0)).addSecs(QTime(0, 0).secsTo(cas));
}

struct Rozbor {
    icalrecurrencetype pravidlo;
    QString chyba;
};

Rozbor rozeber(const QString& text)
{
    Rozbor r;
    icalerrno = ICAL_NO_ERROR;
    const QByteArray u = text.trimmed().toUpper().toUtf8();
    r.pravidlo = icalrecurrencetype_from_string(u.constData());
    if (u.isEmpty() || r.pravidlo.freq == ICAL_NO_RECURRENCE || icalerrno != ICAL_NO_ERROR) {
        icalerrno = ICAL_NO_ERROR;
        r.chyba = QStringLiteral("Pravidlo opakování \"%1\" nelze přečíst.").arg(text);
        return r;
    }
    switch (r.pravidlo.freq) {
    case ICAL_DAILY_RECURRENCE:
    case ICAL_WEEKLY_RECURRENCE:
    case ICAL_MONTHLY_RECURRENCE:
    case ICAL_YEARLY_RECURRENCE:
        break;
    default:
        r.chyba = QStringLiteral("Událost se může opakovat denně, týdně, měsíčně nebo ročně.");
        return r;
    }
    // The end in wall-clock time: a date means its whole day, a UTC time the
    // workstation's time of that instant.
    icaltimetype& u2 = r.pravidlo.until;
    if (!icaltime_is_null_time(u2)) {
        if (u2.is_date) {
            u2.is_date = 0;
            u2.hour = 23;
            u2.minute = 59;
            u2.second = 59;
        } else if (icaltime_is_utc(u2)) {
            u2 =
                NaStenu(QDateTime::fromSecsSinceEpoch(
                            qint64(icaltime_as_timet_with_zone(u2, icaltimezone_get_utc_timezone())), Qt::UTC)
                            .toLocalTime());
        }
        u2.zone = nullptr;
    }
    return r;
}

// A wall-clock time as a number that orders like it: days and seconds,
// without the time zone's conversions QDateTime makes on every comparison.
qint64 klic(const icaltimetype& t)
{
    return QDate(t.year, t.month, t.day).toJulianDay() * 86400 +
           (t.is_date ? 0 : t.hour * 3600 + t.minute * 60 + t.second);
}

qint64 klic(const QDateTime& t)
{
    return t.date().toJulianDay() * 86400 + QTime(0, 0).secsTo(t.time());
}

// Calls `dal` with the key and time of every start of the rule from `od` on,
// in order, until it returns false (or the walk's limit).
void projdiKlice(icalrecurrencetype r, const QDateTime& zacatek, const QDateTime& od,
                 const std::function<bool(qint64, const icaltimetype&)>& dal)
{
    if (r.count > 0) {
        // The iterator cannot start inside a counted series: the count becomes its end.
        icalrecur_iterator* it = icalrecur_iterator_new(r, NaStenu(zacatek));
        if (!it) return;
        icaltimetype posledni = icaltime_null_time();
        for (int i = 0; i < kKroku; ++i) {
            const icaltimetype t = icalrecur_iterator_next(it);
            if (icaltime_is_null_time(t)) break;
            posledni = t;
        }
        icalrecur_iterator_free(it);
        if (icaltime_is_null_time(posledni)) return;
        r.count = 0;
        r.until = posledni;
    }
    const qint64 odKlic = klic(od), zacatekKlic = klic(zacatek);
    if (!icaltime_is_null_time(r.until) && klic(r.until) < odKlic) return;
    icalrecur_iterator* it = icalrecur_iterator_new(r, NaStenu(zacatek));
    if (!it) return;
    if (odKlic > zacatekKlic && !icalrecur_iterator_set_start(it, NaStenu(od))) {
        // Walked from the start instead.
        icalrecur_iterator_free(it);
        it = icalrecur_iterator_new(r, NaStenu(zacatek));
        if (!it) return;
    }
    for (int i = 0; i < kKroku; ++i) {
        const icaltimetype t = icalrecur_iterator_next(it);
        if (icaltime_is_null_time(t)) break;
        const qint64 k = klic(t);
        if (k < odKlic || k < zacatekKlic) continue;
        if (!dal(k, t)) break;
    }
    icalrecur_iterator_free(it);
}

void projdi(const icalrecurrencetype& r, const QDateTime& zacatek, const QDateTime& od,
            const std::function<bool(const QDateTime&)>& dal)
{
    projdiKlice(r, zacatek, od, [&](qint64, const icaltimetype& t) { return dal(mistni(t)); });
}

bool vynechan(const QList<QDateTime>& vynechane, const QDateTime& kdy)
{
    return vynechane.contains(kdy);
}

} // namespace

std::optional<QString> ChybaPravidla(const QString& pravidlo)
{
    const Rozbor r = rozeber(pravidlo);
    if (!r.chyba.isEmpty()) return r.chyba;
    return std::nullopt;
}

QList<QDateTime> Vyskyty(const QString& pravidlo, const QDateTime& zacatek, const QList<QDateTime>& vynechane,
                         const QDateTime& od, const QDateTime& doKonce)
{
    QList<QDateTime> out;
    // The series' start is its first occurrence even where the rule would not put one.
    if (zacatek >= od && zacatek < doKonce && !vynechan(vynechane, zacatek)) out << zacatek;
    const Rozbor r = rozeber(pravidlo);
    if (!r.chyba.isEmpty()) return out;
    const qint64 konecKlic = klic(doKonce), zacatekKlic = klic(zacatek);
    QList<qint64> vynechaneKlice;
    for (const QDateTime& v : vynechane)
        vynechaneKlice << klic(v);
    projdiKlice(r.pravidlo, zacatek, od, [&](qint64 k, const icaltimetype& t) {
        if (k >= konecKlic) return false;
        if (k != zacatekKlic && !vynechaneKlice.contains(k)) out << mistni(t);
        return true;
    });
    std::sort(out.begin(), out.end());
    return out;
}

std::optional<QDateTime> PosledniVyskyt(const QString& pravidlo, const QDateTime& zacatek)
{
    const Rozbor r = rozeber(pravidlo);
    if (!r.chyba.isEmpty()) return zacatek;
    if (r.pravidlo.count == 0 && icaltime_is_null_time(r.pravidlo.until)) return std::nullopt;
    QDateTime posledni = zacatek;
    projdi(r.pravidlo, zacatek, zacatek, [&](const QDateTime& kdy) {
        posledni = std::max(posledni, kdy);
        return true;
    });
    return posledni;
}

std::optional<QDateTime> DalsiVyskyt(const QString& pravidlo, const QDateTime& zacatek,
                                     const QList<QDateTime>& vynechane, const QDateTime& po)
{
    if (zacatek > po && !vynechan(vynechane, zacatek)) return zacatek;
    const Rozbor r = rozeber(pravidlo);
    if (!r.chyba.isEmpty()) return std::nullopt;
    std::optional<QDateTime> out;
    projdi(r.pravidlo, zacatek, po.addSecs(1), [&](const QDateTime& kdy) {
        if (kdy <= po || vynechan(vynechane, kdy)) return true;
        out = kdy;
        return false;
    });
    return out;
}

namespace
{

// Weekdays of libical (1 = Sunday) in the forms the summary needs.
QString denVeTvaru(int den, int tvar)
{
    // 0: nominative ("pondělí"), 1: accusative after "v" ("středu"), 2: "každé/každou/každý" form.
    static const char* const jmena[7][3] = {
        {"neděle", "neděli", "Každou neděli"},   {"pondělí", "pondělí", "Každé pondělí"},
        {"úterý", "úterý", "Každé úterý"},       {"středa", "středu", "Každou středu"},
        {"čtvrtek", "čtvrtek", "Každý čtvrtek"}, {"pátek", "pátek", "Každý pátek"},
        {"sobota", "sobotu", "Každou sobotu"},
    };
    return QString::fromUtf8(jmena[(den + 6) % 7][tvar]);
}

QString seznam(const QStringList& casti)
{
    if (casti.size() <= 1) return casti.join(QString());
    return casti.mid(0, casti.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" a ") + casti.last();
}

QString cetnost(int n, const char* jeden, const char* dvaAz4, const char* pet)
{
    const QString tvar = QString::fromUtf8(n == 1 ? jeden : (n >= 2 && n <= 4) ? dvaAz4 : pet);
    return tvar.contains(QLatin1String("%1")) ? tvar.arg(n) : tvar;
}

} // namespace

QString Popis(const QString& pravidlo)
{
    const Rozbor rozbor = rozeber(pravidlo);
    if (!rozbor.chyba.isEmpty()) return QString();
    const icalrecurrencetype& r = rozbor.pravidlo;
    const int n = std::max<int>(1, r.interval);
    QList<int> dny;    // libical weekdays
    QList<int> poradi; // their ordinals (0: every)
    for (int i = 0; i < ICAL_BY_DAY_SIZE && r.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
        dny << int(icalrecurrencetype_day_day_of_week(r.by_day[i]));
        poradi << icalrecurrencetype_day_position(r.by_day[i]);
    }
    const int denMesice = r.by_month_day[0] != ICAL_RECURRENCE_ARRAY_MAX ? r.by_month_day[0] : 0;
    const int mesic = r.by_month[0] != ICAL_RECURRENCE_ARRAY_MAX ? r.by_month[0] : 0;
    QStringList vDny;
    for (int d : dny)
        vDny << denVeTvaru(d, 1);
    const auto denVMesici = [&]() -> QString {
        if (denMesice == -1) return QStringLiteral("poslední den");
        if (denMesice > 0) return QStringLiteral("%1. dne").arg(denMesice);
        if (dny.size() == 1 && poradi[0] != 0)
            return (poradi[0] == -1 ? QStringLiteral("poslední") : QStringLiteral("%1.").arg(poradi[0])) +
                   QLatin1Char(' ') + denVeTvaru(dny[0], 0);
        return QString();
    };
    QString out;
    switch (r.freq) {
    case ICAL_DAILY_RECURRENCE:
        out =
            n == 1 ? QStringLiteral("Každý den") : cetnost(n, "Každý den", "Každé %1 dny", "Každých %1 dní");
        break;
    case ICAL_WEEKLY_RECURRENCE:
        if (n == 1 && dny.size() == 1)
            out = denVeTvaru(dny[0], 2);
        else
            out = (n == 1 ? QStringLiteral("Každý týden") : QStringLiteral("Každý %1. týden").arg(n)) +
                  (vDny.isEmpty() ? QString() : QStringLiteral(" v ") + seznam(vDny));
        break;
    case ICAL_MONTHLY_RECURRENCE: {
        out = n == 1 ? QStringLiteral("Každý měsíc") : QStringLiteral("Každý %1. měsíc").arg(n);
        const QString d = denVMesici();
        if (!d.isEmpty()) out += QLatin1Char(' ') + d;
        break;
    }
    case ICAL_YEARLY_RECURRENCE:
        out = n == 1 ? QStringLiteral("Každý rok") : QStringLiteral("Každý %1. rok").arg(n);
        if (mesic > 0 && denMesice > 0) out += QStringLiteral(" %1. %2.").arg(denMesice).arg(mesic);
        break;
    default:
        break;
    }
    if (!icaltime_is_null_time(r.until))
        out += QStringLiteral(" do ") + mistni(r.until).date().toString(QStringLiteral("d. M. yyyy"));
    else if (r.count > 0)
        out += cetnost(r.count, ", jednou", ", %1krát", ", %1krát");
    return out;
}

namespace
{

bool prazdne(const short* pole)
{
    return pole[0] == ICAL_RECURRENCE_ARRAY_MAX;
}

int delka(const short* pole, int max)
{
    int n = 0;
    while (n < max && pole[n] != ICAL_RECURRENCE_ARRAY_MAX)
        ++n;
    return n;
}

// libical counts weekdays from Sunday = 1, Qt from Monday = 1.
int denQt(int denIcal)
{
    return (denIcal + 5) % 7 + 1;
}

const char* const kDnyRfc[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};

} // namespace

int PoradiDneVMesici(QDate d)
{
    const int poradi = (d.day() - 1) / 7 + 1;
    return poradi >= 5 ? -1 : poradi;
}

std::optional<Nastaveni> ZPravidla(const QString& pravidlo, QDate zacatek)
{
    Nastaveni n;
    if (pravidlo.trimmed().isEmpty()) return n;
    const Rozbor rozbor = rozeber(pravidlo);
    if (!rozbor.chyba.isEmpty() || !zacatek.isValid()) return std::nullopt;
    const icalrecurrencetype& r = rozbor.pravidlo;
    if (!prazdne(r.by_second) || !prazdne(r.by_minute) || !prazdne(r.by_hour) || !prazdne(r.by_year_day) ||
        !prazdne(r.by_week_no) || !prazdne(r.by_set_pos))
        return std::nullopt;
    n.kazdych = std::max<int>(1, r.interval);
    const int dnu = delka(r.by_day, ICAL_BY_DAY_SIZE);
    const int dnuMesice = delka(r.by_month_day, ICAL_BY_MONTHDAY_SIZE);
    const int mesicu = delka(r.by_month, ICAL_BY_MONTH_SIZE);
    switch (r.freq) {
    case ICAL_DAILY_RECURRENCE:
        if (dnu || dnuMesice || mesicu) return std::nullopt;
        n.druh = Nastaveni::Denne;
        break;
    case ICAL_WEEKLY_RECURRENCE:
        if (dnuMesice || mesicu) return std::nullopt;
        n.druh = Nastaveni::Tydne;
        for (int i = 0; i < dnu; ++i) {
            if (icalrecurrencetype_day_position(r.by_day[i]) != 0) return std::nullopt;
            const int d = denQt(int(icalrecurrencetype_day_day_of_week(r.by_day[i])));
            if (!n.dny.contains(d)) n.dny << d;
        }
        if (n.dny.isEmpty()) n.dny << zacatek.dayOfWeek();
        std::sort(n.dny.begin(), n.dny.end());
        break;
    case ICAL_MONTHLY_RECURRENCE:
        n.druh = Nastaveni::Mesicne;
        if (mesicu || dnu + dnuMesice > 1) return std::nullopt;
        if (dnuMesice == 1) {
            if (r.by_month_day[0] == -1)
                n.mesicne = Nastaveni::PosledniDen;
            else if (r.by_month_day[0] != zacatek.day())
                return std::nullopt;
        } else if (dnu == 1) {
            // The start's own weekday and week, as the group offers it.
            if (denQt(int(icalrecurrencetype_day_day_of_week(r.by_day[0]))) != zacatek.dayOfWeek() ||
                icalrecurrencetype_day_position(r.by_day[0]) != PoradiDneVMesici(zacatek))
                return std::nullopt;
            n.mesicne = Nastaveni::DenVTydnu;
        }
        break;
    case ICAL_YEARLY_RECURRENCE:
        n.druh = Nastaveni::Rocne;
        if (dnu || mesicu > 1 || dnuMesice > 1) return std::nullopt;
        if ((mesicu && r.by_month[0] != zacatek.month()) || (dnuMesice && r.by_month_day[0] != zacatek.day()))
            return std::nullopt;
        break;
    default:
        return std::nullopt;
    }
    if (!icaltime_is_null_time(r.until)) {
        n.konec = Nastaveni::Dne;
        n.konecDne = mistni(r.until).date();
    } else if (r.count > 0) {
        n.konec = Nastaveni::PoPoctu;
        n.pocet = r.count;
    }
    return n;
}

QString NaPravidlo(const Nastaveni& n, QDate zacatek)
{
    QString out;
    switch (n.druh) {
    case Nastaveni::Neopakuje:
        return QString();
    case Nastaveni::Denne:
        out = QStringLiteral("FREQ=DAILY");
        break;
    case Nastaveni::Tydne: {
        QStringList dny;
        for (int d : n.dny)
            if (d >= 1 && d <= 7) dny << QLatin1String(kDnyRfc[d - 1]);
        if (dny.isEmpty()) dny << QLatin1String(kDnyRfc[zacatek.dayOfWeek() - 1]);
        out = QStringLiteral("FREQ=WEEKLY;BYDAY=") + dny.join(QLatin1Char(','));
        break;
    }
    case Nastaveni::Mesicne:
        out = QStringLiteral("FREQ=MONTHLY;");
        if (n.mesicne == Nastaveni::PosledniDen)
            out += QStringLiteral("BYMONTHDAY=-1");
        else if (n.mesicne == Nastaveni::DenVTydnu)
            out += QStringLiteral("BYDAY=%1%2")
                       .arg(PoradiDneVMesici(zacatek))
                       .arg(QLatin1String(kDnyRfc[zacatek.dayOfWeek() - 1]));
        else
            out += QStringLiteral("BYMONTHDAY=%1").arg(zacatek.day());
        break;
    case Nastaveni::Rocne:
        out = QStringLiteral("FREQ=YEARLY");
        break;
    }
    if (n.kazdych > 1) out += QStringLiteral(";INTERVAL=%1").arg(n.kazdych);
    if (n.konec == Nastaveni::Dne && n.konecDne.isValid())
        out += QStringLiteral(";UNTIL=") + n.konecDne.toString(QStringLiteral("yyyyMMdd"));
    else if (n.konec == Nastaveni::PoPoctu && n.pocet > 0)
        out += QStringLiteral(";COUNT=%1").arg(n.pocet);
    return out;
}

icaltimetype NaStenu(const QDateTime& t)
{
    icaltimetype i = icaltime_null_time();
    i.year = t.date().year();
    i.month = t.date().month();
    i.day = t.date().day();
    i.hour = t.time().hour();
    i.minute = t.time().minute();
    i.second = t.time().second();
    i.is_date = 0;
    i.zone = nullptr;
    return i;
}

} // namespace opakovani
