#include "radky.h"
#include "vymena.h"

#include "common/action.h"
#include "records/opakovani.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTimeZone>
#include <algorithm>
#include <memory>
#include <optional>

#include <libical/ical.h>

// libical parses, resolves the file's own zones, walks recurrence rules and
// writes (folding, escaping). The content-line reader shared with vCard only
// finds the line a fault is on: libical's messages carry none.

namespace
{

struct UvolniKomponentu {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Komponenta = std::unique_ptr<icalcomponent, UvolniKomponentu>;

[[noreturn]] void chyba(int radek, const QString& co)
{
    throw ActionError(QStringLiteral("Chybný formát souboru na řádku %1: %2").arg(radek).arg(co));
}

QString text(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

QString parametr(icalproperty* p, const char* jmeno)
{
    return text(icalproperty_get_parameter_as_string(p, jmeno)).trimmed();
}

// libical reads UTF-8; older programs wrote Windows-1250 without saying so.
QByteArray vUtf8(const QByteArray& vstup)
{
    QByteArray data = vstup;
    if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)utf8.decode(data);
    if (!utf8.hasError()) return data;
    QStringDecoder w("windows-1250");
    return w.isValid() ? QString(w.decode(data)).toUtf8() : data;
}

// The events of the file in order, for pairing libical's components with the
// lines the content-line reader found them on.
QList<const radky::Komponenta*> udalostiVeSlozeni(const QList<radky::Komponenta>& koreny)
{
    QList<const radky::Komponenta*> out;
    for (const radky::Komponenta& k : koreny)
        for (const radky::Komponenta& c : k.deti)
            if (c.typ == QLatin1String("VEVENT")) out << &c;
    return out;
}

// A property of these the organiser reads; libical drops one it cannot
// parse and says so in an X-LIC-ERROR, which refuses the whole file.
QString popisChyby(const QString& vlastnost, const QString& hodnota)
{
    static const QHash<QString, QString> popisy{
        {QStringLiteral("DTSTART"), QStringLiteral("neplatné datum nebo čas \"%1\"")},
        {QStringLiteral("DTEND"), QStringLiteral("neplatné datum nebo čas \"%1\"")},
        {QStringLiteral("EXDATE"), QStringLiteral("neplatné datum nebo čas \"%1\"")},
        {QStringLiteral("RDATE"), QStringLiteral("neplatné datum nebo čas \"%1\"")},
        {QStringLiteral("RECURRENCE-ID"), QStringLiteral("neplatné datum nebo čas \"%1\"")},
        {QStringLiteral("DURATION"), QStringLiteral("neplatná délka \"%1\"")},
        {QStringLiteral("TRIGGER"), QStringLiteral("neplatný čas připomenutí \"%1\"")},
        {QStringLiteral("RRULE"), QStringLiteral("neplatné pravidlo opakování \"%1\"")},
    };
    const QString vzor = popisy.value(vlastnost);
    return vzor.isEmpty() ? QString() : vzor.arg(hodnota);
}

// The line of a property of the event (or of its reminders), else the event's.
int radekVlastnosti(const radky::Komponenta& e, const QString& jmeno, const QString& hodnota)
{
    std::optional<int> prvni;
    const auto hledej = [&](const radky::Komponenta& k, const auto& sam) -> std::optional<int> {
        for (const radky::Vlastnost& v : k.vlastnosti)
            if (v.jmeno == jmeno) {
                if (v.hodnota.trimmed() == hodnota) return v.radek;
                if (!prvni) prvni = v.radek;
            }
        for (const radky::Komponenta& d : k.deti)
            if (auto r = sam(d, sam)) return r;
        return std::nullopt;
    };
    if (auto r = hledej(e, hledej)) return *r;
    return prvni.value_or(e.radek);
}

void zkontrolujChyby(icalcomponent* e, const radky::Komponenta& radkove)
{
    static const QRegularExpression re(QStringLiteral("in ([A-Z-]+) property.*: (.*)$"));
    for (icalcomponent* k = e; k;) {
        for (icalproperty* p = icalcomponent_get_first_property(k, ICAL_XLICERROR_PROPERTY); p;
             p = icalcomponent_get_next_property(k, ICAL_XLICERROR_PROPERTY)) {
            const QRegularExpressionMatch m = re.match(text(icalproperty_get_xlicerror(p)));
            if (!m.hasMatch()) continue;
            // libical writes the dropped value escaped.
            const QString hodnota = radky::Odescapuj(m.captured(2).trimmed());
            const QString popis = popisChyby(m.captured(1), hodnota);
            if (!popis.isEmpty()) chyba(radekVlastnosti(radkove, m.captured(1), hodnota), popis);
        }
        k = k == e ? icalcomponent_get_first_component(e, ICAL_VALARM_COMPONENT)
                   : icalcomponent_get_next_component(e, ICAL_VALARM_COMPONENT);
    }
}

// Times of one file as the workstation's local time.
class Pasma
{
public:
    explicit Pasma(icalcomponent* kalendar) : m_kalendar(kalendar) {}

    // A DATE-TIME or DATE of a property with its TZID. A zone the system
    // knows (by its IANA name, also behind a prefix, or a Windows name) is
    // the system's, kept up to date; else the file's VTIMEZONE through
    // libical; a time without a zone is the workstation's.
    QDateTime mistni(icaltimetype t, const QString& tzid) const
    {
        const QDate d(t.year, t.month, t.day);
        if (t.is_date) return QDateTime(d, QTime(0, 0));
        const QTime cas(t.hour, t.minute, t.second);
        if (icaltime_is_utc(t)) return QDateTime(d, cas, Qt::UTC).toLocalTime();
        if (tzid.isEmpty()) return QDateTime(d, cas);
        if (const std::optional<QTimeZone> z = systemove(tzid)) return QDateTime(d, cas, *z).toLocalTime();
        if (icaltimezone* z = icalcomponent_get_timezone(m_kalendar, tzid.toUtf8().constData())) {
            t.zone = nullptr;
            return QDateTime::fromSecsSinceEpoch(qint64(icaltime_as_timet_with_zone(t, z)), Qt::UTC)
                .toLocalTime();
        }
        return QDateTime(d, cas);
    }

    QDateTime mistni(icalproperty* p, icaltimetype t) const { return mistni(t, parametr(p, "TZID")); }

private:
    std::optional<QTimeZone> systemove(const QString& tzid) const
    {
        if (auto it = m_systemova.constFind(tzid); it != m_systemova.constEnd()) return *it;
        std::optional<QTimeZone> out;
        // "/mozilla.org/20050126_1/Europe/Prague" names Europe/Prague.
        const QStringList casti = tzid.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < casti.size() && !out; ++i) {
            const QByteArray id = casti.mid(i).join(QLatin1Char('/')).toUtf8();
            if (QTimeZone::isTimeZoneIdAvailable(id)) out = QTimeZone(id);
        }
        if (!out) {
            const QByteArray iana = QTimeZone::windowsIdToDefaultIanaId(tzid.toUtf8());
            if (!iana.isEmpty() && QTimeZone::isTimeZoneIdAvailable(iana)) out = QTimeZone(iana);
        }
        m_systemova.insert(tzid, out);
        return out;
    }

    icalcomponent* m_kalendar;
    mutable QHash<QString, std::optional<QTimeZone>> m_systemova;
};

struct Vyskyt {
    QDateTime kdy;
    bool jenDatum = false;
};

class Cteni
{
public:
    explicit Cteni(icalcomponent* kalendar) : m_pasma(kalendar) {}

    // The event's own values (a recurring one at its DTSTART).
    Schuzka udalost(icalcomponent* e, int radek) const
    {
        Schuzka s;
        s.uid = text(icalcomponent_get_uid(e)).trimmed();
        s.zrusena = icalcomponent_get_status(e) == ICAL_STATUS_CANCELLED;
        if (icalproperty* p = icalcomponent_get_first_property(e, ICAL_SUMMARY_PROPERTY))
            s.nazev = text(icalproperty_get_summary(p));
        if (icalproperty* p = icalcomponent_get_first_property(e, ICAL_DESCRIPTION_PROPERTY))
            s.popis = text(icalproperty_get_description(p));
        icalproperty* start = icalcomponent_get_first_property(e, ICAL_DTSTART_PROPERTY);
        if (!start) chyba(radek, QStringLiteral("událost bez DTSTART"));
        const icaltimetype t0 = icalproperty_get_dtstart(start);
        s.celyDen = t0.is_date;
        s.zacatek = m_pasma.mistni(start, t0);
        if (icalproperty* p = icalcomponent_get_first_property(e, ICAL_DTEND_PROPERTY)) {
            s.konec = m_pasma.mistni(p, icalproperty_get_dtend(p));
        } else if (icalproperty* d = icalcomponent_get_first_property(e, ICAL_DURATION_PROPERTY)) {
            const icaldurationtype trvani = icalproperty_get_duration(d);
            // Whole days stay whole days across a change of the clocks.
            s.konec = s.celyDen ? s.zacatek.addDays(trvani.is_neg ? -qint64(trvani.days + 7 * trvani.weeks)
                                                                  : qint64(trvani.days + 7 * trvani.weeks))
                                : s.zacatek.addSecs(icaldurationtype_as_int(trvani));
        } else {
            s.konec = s.celyDen ? s.zacatek.addDays(1) : s.zacatek;
        }
        if (icalcomponent* a = icalcomponent_get_first_component(e, ICAL_VALARM_COMPONENT)) {
            // The first reminder; the organiser keeps one.
            for (; a; a = icalcomponent_get_next_component(e, ICAL_VALARM_COMPONENT)) {
                icalproperty* t = icalcomponent_get_first_property(a, ICAL_TRIGGER_PROPERTY);
                if (!t) continue;
                const icaltriggertype tr = icalproperty_get_trigger(t);
                if (!icaltime_is_null_time(tr.time)) {
                    s.okamzikPripominky = m_pasma.mistni(t, tr.time);
                } else {
                    icalparameter* rel = icalproperty_get_first_parameter(t, ICAL_RELATED_PARAMETER);
                    const bool odKonce = rel && icalparameter_get_related(rel) == ICAL_RELATED_END;
                    s.okamzikPripominky =
                        (odKonce ? s.konec : s.zacatek).addSecs(icaldurationtype_as_int(tr.duration));
                }
                s.pripominka = true;
                break;
            }
        }
        return s;
    }

    // The occurrence an override (RECURRENCE-ID) replaces.
    std::optional<QDateTime> nahrazeny(icalcomponent* e) const
    {
        icalproperty* p = icalcomponent_get_first_property(e, ICAL_RECURRENCEID_PROPERTY);
        if (!p) return std::nullopt;
        return m_pasma.mistni(p, icalproperty_get_recurrenceid(p));
    }

    // The starts the series leaves out: EXDATE (a date alone: the occurrence
    // of that day) and the occurrences given.
    QList<QDateTime> vynechane(icalcomponent* e, const QDateTime& zacatek,
                               const QList<QDateTime>& dalsi) const
    {
        QList<QDateTime> out = dalsi;
        for (icalproperty* p = icalcomponent_get_first_property(e, ICAL_EXDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(e, ICAL_EXDATE_PROPERTY)) {
            const icaltimetype t = icalproperty_get_exdate(p);
            const QDateTime kdy = m_pasma.mistni(p, t);
            out << (t.is_date ? QDateTime(kdy.date(), zacatek.time()) : kdy);
        }
        return out;
    }

    // The first occurrence of the series that is not excluded; nothing when
    // every one is (or the walk finds none within its limit).
    std::optional<QDateTime> prvniVyskyt(icalcomponent* e, const QList<QDateTime>& zruseneVyskyty) const
    {
        icalproperty* start = icalcomponent_get_first_property(e, ICAL_DTSTART_PROPERTY);
        const icaltimetype t0 = icalproperty_get_dtstart(start);
        const QString tzid = parametr(start, "TZID");
        QList<Vyskyt> vyjimky;
        for (icalproperty* p = icalcomponent_get_first_property(e, ICAL_EXDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(e, ICAL_EXDATE_PROPERTY)) {
            const icaltimetype t = icalproperty_get_exdate(p);
            vyjimky.append({m_pasma.mistni(p, t), bool(t.is_date)});
        }
        for (const QDateTime& z : zruseneVyskyty)
            vyjimky.append({z, false});
        const auto vyloucen = [&](const QDateTime& kdy) {
            return std::any_of(vyjimky.begin(), vyjimky.end(), [&](const Vyskyt& v) {
                return v.jenDatum ? v.kdy.date() == kdy.date() : v.kdy == kdy;
            });
        };
        std::optional<QDateTime> prvni;
        const auto zvaz = [&](const QDateTime& kdy) {
            if (kdy.isValid() && !vyloucen(kdy) && (!prvni || kdy < *prvni)) prvni = kdy;
        };
        zvaz(m_pasma.mistni(t0, tzid));
        if (icalproperty* r = icalcomponent_get_first_property(e, ICAL_RRULE_PROPERTY)) {
            if (icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(r), t0)) {
                // Enough for a daily series to pass years of exclusions.
                for (int i = 0; i < 5000; ++i) {
                    const icaltimetype t = icalrecur_iterator_next(it);
                    if (icaltime_is_null_time(t)) break;
                    const QDateTime kdy = m_pasma.mistni(t, tzid);
                    if (!vyloucen(kdy)) {
                        zvaz(kdy);
                        break;
                    }
                }
                icalrecur_iterator_free(it);
            }
        }
        for (icalproperty* p = icalcomponent_get_first_property(e, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(e, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype d = icalproperty_get_rdate(p);
            zvaz(m_pasma.mistni(p, icaltime_is_null_time(d.time) ? d.period.start : d.time));
        }
        return prvni;
    }

private:
    Pasma m_pasma;
};

bool opakuje(icalcomponent* e)
{
    return icalcomponent_get_first_property(e, ICAL_RRULE_PROPERTY) ||
           icalcomponent_get_first_property(e, ICAL_RDATE_PROPERTY);
}

// The item moved to another start: its end and a reminder keep their distance.
void posun(Schuzka& s, const QDateTime& novyZacatek)
{
    if (s.zacatek == novyZacatek) return;
    const qint64 delka = s.zacatek.secsTo(s.konec);
    const qint64 pripominka = s.zacatek.secsTo(s.okamzikPripominky);
    s.zacatek = novyZacatek;
    s.konec =
        s.celyDen ? novyZacatek.addDays(std::max<qint64>(1, delka / 86400)) : novyZacatek.addSecs(delka);
    if (s.pripominka) s.okamzikPripominky = novyZacatek.addSecs(pripominka);
}

// The events of one VCALENDAR.
void ctiKalendar(icalcomponent* kalendar, QList<const radky::Komponenta*>& radkove, QList<Schuzka>& out)
{
    const Cteni cteni(kalendar);
    const bool zruseni = icalcomponent_get_method(kalendar) == ICAL_METHOD_CANCEL;
    struct Udalost {
        icalcomponent* e;
        int radek;
    };
    QList<Udalost> udalosti;
    for (icalcomponent* e = icalcomponent_get_first_component(kalendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(kalendar, ICAL_VEVENT_COMPONENT)) {
        if (radkove.isEmpty()) break; // the two readers disagree: nothing beyond the lines known
        const radky::Komponenta* r = radkove.takeFirst();
        zkontrolujChyby(e, *r);
        udalosti.append({e, r->radek});
    }
    // Overrides of single occurrences, by the series' UID.
    QHash<QString, QList<Udalost>> zmeny;
    QSet<QString> serie;
    for (const Udalost& u : udalosti) {
        const QString uid = text(icalcomponent_get_uid(u.e)).trimmed();
        if (icalcomponent_get_first_property(u.e, ICAL_RECURRENCEID_PROPERTY))
            zmeny[uid].append(u);
        else if (opakuje(u.e))
            serie.insert(uid);
    }
    for (const Udalost& u : udalosti) {
        const QString uid = text(icalcomponent_get_uid(u.e)).trimmed();
        const std::optional<QDateTime> nahrazuje = cteni.nahrazeny(u.e);
        if (nahrazuje) {
            if (serie.contains(uid)) continue; // read with its series below
            // One occurrence of a series the file does not carry: an event of
            // its own, or nothing when cancelled (it must not cancel the series).
            Schuzka s = cteni.udalost(u.e, u.radek);
            s.uid.clear();
            if (s.zrusena || zruseni) {
                s.zrusena = false;
                s.odmitnuti = QStringLiteral("zrušený jednotlivý výskyt opakované události, "
                                             "jejíž řada v souboru není");
            }
            out << s;
            continue;
        }
        Schuzka s = cteni.udalost(u.e, u.radek);
        s.zrusena = s.zrusena || zruseni;
        icalproperty* pravidlo = icalcomponent_get_first_property(u.e, ICAL_RRULE_PROPERTY);
        if (pravidlo && !s.zrusena) {
            // The series as the file has it: its rule, the starts it leaves out
            // (cancelled occurrences among them) and its changed occurrences.
            s.pravidlo = text(icalproperty_get_value_as_string(pravidlo)).trimmed();
            QList<QDateTime> zrusene;
            for (const Udalost& z : zmeny.value(uid))
                if (icalcomponent_get_status(z.e) == ICAL_STATUS_CANCELLED || zruseni)
                    if (auto kdy = cteni.nahrazeny(z.e)) zrusene << *kdy;
            s.vynechane = cteni.vynechane(u.e, s.zacatek, zrusene);
            // Extra dates (RDATE) are not kept.
            s.zkracenaSerie = icalcomponent_get_first_property(u.e, ICAL_RDATE_PROPERTY) != nullptr;
            out << s;
            for (const Udalost& z : zmeny.value(uid)) {
                if (icalcomponent_get_status(z.e) == ICAL_STATUS_CANCELLED || zruseni) continue;
                Schuzka zmena = cteni.udalost(z.e, z.radek);
                zmena.uid = s.uid;
                zmena.puvodni = cteni.nahrazeny(z.e).value_or(QDateTime());
                out << zmena;
            }
            continue;
        }
        if (opakuje(u.e) && !s.zrusena) {
            s.zkracenaSerie = true;
            QList<QDateTime> zrusene;
            for (const Udalost& z : zmeny.value(uid))
                if (icalcomponent_get_status(z.e) == ICAL_STATUS_CANCELLED)
                    if (auto kdy = cteni.nahrazeny(z.e)) zrusene << *kdy;
            const std::optional<QDateTime> prvni = cteni.prvniVyskyt(u.e, zrusene);
            if (!prvni) {
                s.odmitnuti = QStringLiteral("opakovaná událost, jejíž všechny výskyty jsou vyloučené");
            } else {
                posun(s, *prvni);
                // A changed first occurrence comes with its changes.
                for (const Udalost& z : zmeny.value(uid))
                    if (icalcomponent_get_status(z.e) != ICAL_STATUS_CANCELLED &&
                        cteni.nahrazeny(z.e) == prvni) {
                        Schuzka zmena = cteni.udalost(z.e, z.radek);
                        zmena.uid = s.uid;
                        zmena.zkracenaSerie = true;
                        s = zmena;
                    }
            }
        }
        out << s;
    }
}

icaltimetype utc(const QDateTime& t)
{
    return icaltime_from_timet_with_zone(time_t(t.toSecsSinceEpoch()), 0, icaltimezone_get_utc_timezone());
}

icaltimetype datum(const QDate& d)
{
    icaltimetype t = icaltime_null_date();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    return t;
}

void pridej(icalcomponent* k, icalproperty* p)
{
    icalcomponent_add_property(k, p);
}

// The workstation's zone in a file: its name and definition (libical's copy
// of the system's zone database); without one, times float.
struct MistniPasmo {
    QByteArray tzid;

    // A wall-clock time of the zone.
    icaltimetype hodnota(const QDateTime& t) const { return opakovani::NaStenu(t); }
    icalproperty* cas(icalproperty* p) const
    {
        if (!tzid.isEmpty()) icalproperty_add_parameter(p, icalparameter_new_tzid(tzid.constData()));
        return p;
    }
};

MistniPasmo mistniPasmo(icalcomponent* kalendar)
{
    MistniPasmo out;
    const QByteArray id = QTimeZone::systemTimeZoneId();
    icaltimezone* z = id.isEmpty() ? nullptr : icaltimezone_get_builtin_timezone(id.constData());
    icalcomponent* definice = z ? icaltimezone_get_component(z) : nullptr;
    if (!definice) return out;
    icalcomponent* kopie = icalcomponent_new_clone(definice);
    // Under its plain name, which every reader knows.
    if (icalproperty* p = icalcomponent_get_first_property(kopie, ICAL_TZID_PROPERTY))
        icalproperty_set_tzid(p, id.constData());
    icalcomponent_add_component(kalendar, kopie);
    out.tzid = id;
    return out;
}

// A stored rule for the file: an end that is a date or a wall-clock time
// becomes the UTC instant RFC 5545 wants beside a start in a zone.
icalrecurrencetype pravidloVen(const QString& pravidlo, bool celyDen)
{
    icalrecurrencetype r = icalrecurrencetype_from_string(pravidlo.toUtf8().constData());
    icaltimetype& u = r.until;
    if (icaltime_is_null_time(u)) return r;
    if (celyDen) {
        u.is_date = 1;
        u.hour = u.minute = u.second = 0;
        u.zone = nullptr;
    } else if (!icaltime_is_utc(u)) {
        const QDate d(u.year, u.month, u.day);
        const QDateTime mistni =
            u.is_date ? QDateTime(d, QTime(23, 59, 59)) : QDateTime(d, QTime(u.hour, u.minute, u.second));
        u = utc(mistni);
    }
    return r;
}

} // namespace

namespace ical
{

QList<Schuzka> Cti(const QByteArray& vstup)
{
    const QByteArray data = vUtf8(vstup);
    // Structure first: a malformed line is named by its number.
    const QList<radky::Komponenta> koreny = radky::Rozeber(data);
    if (koreny.isEmpty() || koreny.first().typ != QLatin1String("VCALENDAR"))
        throw ActionError(
            QStringLiteral("Soubor není kalendář ve formátu iCalendar (chybí BEGIN:VCALENDAR)."));
    QList<const radky::Komponenta*> radkove = udalostiVeSlozeni(koreny);
    const Komponenta koren(icalparser_parse_string(data.constData()));
    if (!koren) throw ActionError(QStringLiteral("Soubor není kalendář ve formátu iCalendar."));
    QList<Schuzka> out;
    if (icalcomponent_isa(koren.get()) == ICAL_VCALENDAR_COMPONENT) {
        ctiKalendar(koren.get(), radkove, out);
    } else {
        // Several calendars in one file come under one root.
        for (icalcomponent* k = icalcomponent_get_first_component(koren.get(), ICAL_VCALENDAR_COMPONENT); k;
             k = icalcomponent_get_next_component(koren.get(), ICAL_VCALENDAR_COMPONENT))
            ctiKalendar(k, radkove, out);
    }
    return out;
}

QByteArray Zapis(const QList<Schuzka>& polozky, const QDateTime& razitko, bool zruseni)
{
    const Komponenta kalendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent* k = kalendar.get();
    pridej(k, icalproperty_new_version("2.0"));
    pridej(k, icalproperty_new_prodid("-//Orvan//Orvan//CS"));
    pridej(k, icalproperty_new_calscale("GREGORIAN"));
    pridej(k, icalproperty_new_method(zruseni ? ICAL_METHOD_CANCEL : ICAL_METHOD_PUBLISH));
    // Series repeat in the workstation's wall-clock time: their times go out
    // in its zone (with the zone's definition), the rest in UTC.
    const bool maSerie = std::any_of(polozky.begin(), polozky.end(), [](const Schuzka& x) {
        return !x.pravidlo.isEmpty() || x.puvodni.isValid();
    });
    const MistniPasmo pasmo = maSerie ? mistniPasmo(k) : MistniPasmo{};
    for (const Schuzka& s : polozky) {
        icalcomponent* e = icalcomponent_new(ICAL_VEVENT_COMPONENT);
        pridej(e, icalproperty_new_uid(s.uid.toUtf8().constData()));
        pridej(e, icalproperty_new_dtstamp(utc(razitko)));
        if (zruseni) {
            pridej(e, icalproperty_new_sequence(1));
            pridej(e, icalproperty_new_status(ICAL_STATUS_CANCELLED));
        }
        pridej(e, icalproperty_new_summary(s.nazev.toUtf8().constData()));
        const bool serie = !s.pravidlo.isEmpty() || s.puvodni.isValid();
        if (s.celyDen) {
            pridej(e, icalproperty_new_dtstart(datum(s.zacatek.date())));
            pridej(e, icalproperty_new_dtend(datum(std::max(s.konec.date(), s.zacatek.date().addDays(1)))));
        } else if (serie) {
            pridej(e, pasmo.cas(icalproperty_new_dtstart(pasmo.hodnota(s.zacatek))));
            pridej(e, pasmo.cas(icalproperty_new_dtend(pasmo.hodnota(std::max(s.konec, s.zacatek)))));
        } else {
            pridej(e, icalproperty_new_dtstart(utc(s.zacatek)));
            pridej(e, icalproperty_new_dtend(utc(std::max(s.konec, s.zacatek))));
        }
        if (!s.pravidlo.isEmpty() && !zruseni) {
            pridej(e, icalproperty_new_rrule(pravidloVen(s.pravidlo, s.celyDen)));
            for (const QDateTime& v : s.vynechane)
                pridej(e, s.celyDen ? icalproperty_new_exdate(datum(v.date()))
                                    : pasmo.cas(icalproperty_new_exdate(pasmo.hodnota(v))));
        }
        if (s.puvodni.isValid())
            pridej(e, s.celyDen ? icalproperty_new_recurrenceid(datum(s.puvodni.date()))
                                : pasmo.cas(icalproperty_new_recurrenceid(pasmo.hodnota(s.puvodni))));
        if (!s.popis.isEmpty()) pridej(e, icalproperty_new_description(s.popis.toUtf8().constData()));
        if (s.pripominka && !zruseni) {
            icalcomponent* a = icalcomponent_new(ICAL_VALARM_COMPONENT);
            pridej(a, icalproperty_new_action(ICAL_ACTION_DISPLAY));
            pridej(a, icalproperty_new_description(s.nazev.toUtf8().constData()));
            icaltriggertype tr;
            tr.time = icaltime_null_time();
            // Whole minutes, as the organiser stores its alarms.
            tr.duration = icaldurationtype_from_int(int(s.zacatek.secsTo(s.okamzikPripominky) / 60 * 60));
            pridej(a, icalproperty_new_trigger(tr));
            icalcomponent_add_component(e, a);
        }
        icalcomponent_add_component(k, e);
    }
    char* textKalendare = icalcomponent_as_ical_string_r(k);
    const QByteArray out(textKalendare);
    icalmemory_free_buffer(textKalendare);
    return out;
}

} // namespace ical
