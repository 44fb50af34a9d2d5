// Recurrence rules expanded by the program against an independent expansion
// (python's dateutil from Debian), over years with both clock changes.
#include "records/opakovani.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace
{

const bool kPasmo = [] {
    qputenv("TZ", "Europe/Prague");
    return true;
}();

QDateTime t(const char* iso)
{
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

// dateutil's occurrences of the rule in [od, do), in wall-clock time. An
// UNTIL date is passed as the end of its day, as the program reads it.
QList<QDateTime> dateutil(const QString& pravidlo, const QDateTime& zacatek,
                          const QList<QDateTime>& vynechane, const QDateTime& od, const QDateTime& doKonce)
{
    const QString skript = QStringLiteral(R"(
import sys, re
from datetime import datetime
from dateutil.rrule import rrulestr, rruleset
rule, start, od, do = sys.argv[1:5]
rule = re.sub(r'UNTIL=(\d{8})(?=;|$)', r'UNTIL=\1T235959', rule)
fmt = '%Y-%m-%dT%H:%M:%S'
s = rruleset()
s.rrule(rrulestr(rule, dtstart=datetime.strptime(start, fmt)))
s.rdate(datetime.strptime(start, fmt))
for x in sys.argv[5:]:
    s.exdate(datetime.strptime(x, fmt))
for o in s.between(datetime.strptime(od, fmt), datetime.strptime(do, fmt), inc=True):
    if o < datetime.strptime(do, fmt):
        print(o.strftime(fmt))
)");
    QStringList args{QStringLiteral("-c"), skript, pravidlo};
    for (const QDateTime& d : {zacatek, od, doKonce})
        args << d.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    for (const QDateTime& d : vynechane)
        args << d.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << p.readAllStandardError().toStdString();
        return {};
    }
    QList<QDateTime> out;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
        if (line.trimmed().isEmpty()) continue;
        const QDate d = QDate::fromString(QString::fromLatin1(line.left(10)), Qt::ISODate);
        const QTime cas = QTime::fromString(QString::fromLatin1(line.mid(11, 8)), Qt::ISODate);
        // A time the spring change skips happens an hour later.
        const QDateTime kdy(d, cas);
        out << (kdy.isValid() ? kdy : QDateTime(d, QTime(0, 0)).addSecs(QTime(0, 0).secsTo(cas)));
    }
    return out;
}

QStringList texty(const QList<QDateTime>& l)
{
    QStringList out;
    for (const QDateTime& d : l)
        out << d.toString(QStringLiteral("yyyy-MM-dd HH:mm ddd"));
    return out;
}

struct Pripad {
    const char* pravidlo;
    const char* zacatek;
};

// Rules with the traps the issue names: the spring gap, UNTIL as a date,
// COUNT started inside, the 31st, the last day, ordinals, leap days, BYSETPOS.
const Pripad kPripady[] = {
    {"FREQ=DAILY", "2026-03-20T02:30:00"},
    {"FREQ=DAILY;COUNT=40", "2026-03-20T02:30:00"},
    {"FREQ=DAILY;INTERVAL=3;COUNT=200", "2026-01-01T08:00:00"},
    {"FREQ=WEEKLY;BYDAY=MO", "2026-01-05T08:30:00"},
    {"FREQ=WEEKLY;BYDAY=MO,WE,FR;UNTIL=20270430", "2026-01-05T09:00:00"},
    {"FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,TH", "2026-01-06T14:00:00"},
    {"FREQ=MONTHLY;BYMONTHDAY=31", "2026-01-31T10:00:00"},
    {"FREQ=MONTHLY;BYMONTHDAY=-1", "2026-01-31T10:00:00"},
    {"FREQ=MONTHLY;BYMONTHDAY=25", "2026-01-25T09:00:00"},
    {"FREQ=MONTHLY;BYDAY=2TU", "2026-01-13T16:00:00"},
    {"FREQ=MONTHLY;BYDAY=-1FR;COUNT=30", "2026-01-30T12:00:00"},
    {"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", "2026-01-30T17:00:00"},
    {"FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29", "2028-02-29T00:00:00"},
    {"FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU", "2026-10-25T03:00:00"},
    {"FREQ=YEARLY", "2026-12-24T18:00:00"},
};

TEST(Opakovani, RulesAgreeWithAnIndependentExpansion)
{
    // The whole span and a window in its middle (the walk starts inside it).
    const std::pair<QDateTime, QDateTime> rozsahy[] = {
        {t("2026-01-01T00:00:00"), t("2030-01-01T00:00:00")},
        {t("2027-03-01T00:00:00"), t("2027-04-15T00:00:00")},
        {t("2028-10-20T00:00:00"), t("2028-11-05T00:00:00")},
    };
    for (const Pripad& p : kPripady)
        for (const auto& [od, doKonce] : rozsahy) {
            const QString pravidlo = QString::fromLatin1(p.pravidlo);
            const QDateTime zacatek = t(p.zacatek);
            const QList<QDateTime> nase = opakovani::Vyskyty(pravidlo, zacatek, {}, od, doKonce);
            EXPECT_EQ(texty(nase), texty(dateutil(pravidlo, zacatek, {}, od, doKonce)))
                << p.pravidlo << " in " << od.toString(Qt::ISODate).toStdString();
        }
}

TEST(Opakovani, ExclusionsEndsAndTheNextOccurrence)
{
    const QString tydne = QStringLiteral("FREQ=WEEKLY;BYDAY=MO;COUNT=10");
    const QDateTime start = t("2027-01-04T09:00:00");
    const QList<QDateTime> vynechane = {start, t("2027-01-18T09:00:00")};
    const QList<QDateTime> v = opakovani::Vyskyty(tydne, start, vynechane, start, t("2028-01-01T00:00:00"));
    EXPECT_EQ(v, dateutil(tydne, start, vynechane, start, t("2028-01-01T00:00:00")));
    EXPECT_EQ(v.size(), 8);
    EXPECT_EQ(opakovani::PosledniVyskyt(tydne, start), t("2027-03-08T09:00:00"));
    EXPECT_EQ(opakovani::PosledniVyskyt(QStringLiteral("FREQ=DAILY;UNTIL=20270110"), start),
              t("2027-01-10T09:00:00"));
    EXPECT_EQ(opakovani::PosledniVyskyt(QStringLiteral("FREQ=DAILY"), start), std::nullopt);
    EXPECT_EQ(opakovani::DalsiVyskyt(tydne, start, vynechane, start), t("2027-01-11T09:00:00"));
    EXPECT_EQ(opakovani::DalsiVyskyt(tydne, start, vynechane, t("2027-01-11T09:00:00")),
              t("2027-01-25T09:00:00"));
    EXPECT_EQ(opakovani::DalsiVyskyt(tydne, start, vynechane, t("2027-03-08T09:00:00")), std::nullopt);
    // An endless daily series ten years on costs what the range holds.
    const QList<QDateTime> pozde = opakovani::Vyskyty(QStringLiteral("FREQ=DAILY"), start, {},
                                                      t("2037-05-01T00:00:00"), t("2037-05-08T00:00:00"));
    ASSERT_EQ(pozde.size(), 7);
    EXPECT_EQ(pozde.first(), t("2037-05-01T09:00:00"));
}

TEST(Opakovani, BadRulesAndSummaries)
{
    for (const char* spatne : {"", "FREQ=OBCAS", "FREQ=HOURLY", "BYDAY=MO"})
        EXPECT_TRUE(opakovani::ChybaPravidla(QString::fromLatin1(spatne))) << spatne;
    EXPECT_FALSE(opakovani::ChybaPravidla(QStringLiteral("freq=weekly;byday=mo")));
    // An unusable rule leaves the series its start alone.
    const QDateTime start = t("2027-01-04T09:00:00");
    EXPECT_EQ(opakovani::Vyskyty(QStringLiteral("FREQ=OBCAS"), start, {}, start, start.addDays(30)),
              QList<QDateTime>{start});

    const struct {
        const char* pravidlo;
        const char* popis;
    } popisy[] = {
        {"FREQ=DAILY", "Každý den"},
        {"FREQ=DAILY;INTERVAL=2", "Každé 2 dny"},
        {"FREQ=DAILY;INTERVAL=5;COUNT=3", "Každých 5 dní, 3krát"},
        {"FREQ=WEEKLY;BYDAY=MO;UNTIL=20270630", "Každé pondělí do 30. 6. 2027"},
        {"FREQ=WEEKLY;BYDAY=WE", "Každou středu"},
        {"FREQ=WEEKLY;BYDAY=MO,WE,FR", "Každý týden v pondělí, středu a pátek"},
        {"FREQ=WEEKLY;INTERVAL=2;BYDAY=TU", "Každý 2. týden v úterý"},
        {"FREQ=MONTHLY;BYMONTHDAY=25", "Každý měsíc 25. dne"},
        {"FREQ=MONTHLY;BYMONTHDAY=-1", "Každý měsíc poslední den"},
        {"FREQ=MONTHLY;BYDAY=2TU", "Každý měsíc 2. úterý"},
        {"FREQ=MONTHLY;BYDAY=-1FR", "Každý měsíc poslední pátek"},
        {"FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29", "Každý rok 29. 2."},
        {"FREQ=YEARLY;COUNT=1", "Každý rok, jednou"},
    };
    for (const auto& p : popisy)
        EXPECT_EQ(opakovani::Popis(QString::fromLatin1(p.pravidlo)), QString::fromUtf8(p.popis))
            << p.pravidlo;
}

} // namespace

// The editor's settings: what the group can show reads back into the same rule
// (or one that expands alike), and what it cannot show is left alone.
TEST(Opakovani, EditorSettingsAndTheirRules)
{
    using N = opakovani::Nastaveni;
    const QDate utery(2026, 12, 8);     // the second Tuesday of December
    const QDate posledni(2026, 12, 29); // the fifth Tuesday: "the last"
    struct Pripad {
        const char* pravidlo;
        QDate zacatek;
        const char* vysledek; // the rule written back; "" = the same
    };
    const Pripad pripady[] = {
        {"FREQ=DAILY", utery, ""},
        {"FREQ=DAILY;INTERVAL=3;COUNT=5", utery, ""},
        {"FREQ=WEEKLY", utery, "FREQ=WEEKLY;BYDAY=TU"},
        {"FREQ=WEEKLY;BYDAY=FR,MO;UNTIL=20270630", utery, "FREQ=WEEKLY;BYDAY=MO,FR;UNTIL=20270630"},
        {"FREQ=MONTHLY;BYMONTHDAY=8", utery, ""},
        {"FREQ=MONTHLY;BYMONTHDAY=-1", utery, ""},
        {"FREQ=MONTHLY;BYDAY=2TU;INTERVAL=2", utery, ""},
        {"FREQ=MONTHLY;BYDAY=-1TU", posledni, ""},
        {"FREQ=MONTHLY", utery, "FREQ=MONTHLY;BYMONTHDAY=8"},
        {"FREQ=YEARLY;BYMONTH=12;BYMONTHDAY=8", utery, "FREQ=YEARLY"},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.pravidlo);
        const std::optional<N> n = opakovani::ZPravidla(QString::fromLatin1(p.pravidlo), p.zacatek);
        ASSERT_TRUE(n);
        const QString zpet = opakovani::NaPravidlo(*n, p.zacatek);
        EXPECT_EQ(zpet, QString::fromLatin1(*p.vysledek ? p.vysledek : p.pravidlo));
        // The rule written back expands as the stored one did.
        const QDateTime z(p.zacatek, QTime(9, 0));
        EXPECT_EQ(opakovani::Vyskyty(zpet, z, {}, z, z.addYears(3)),
                  opakovani::Vyskyty(QString::fromLatin1(p.pravidlo), z, {}, z, z.addYears(3)));
    }
    // Rules from other programs that the group cannot show stay as they are.
    for (const char* jine : {"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", "FREQ=WEEKLY;BYDAY=1MO",
                             "FREQ=MONTHLY;BYMONTHDAY=1,15", "FREQ=MONTHLY;BYMONTHDAY=9",
                             "FREQ=DAILY;BYHOUR=9,15", "FREQ=YEARLY;BYMONTH=3,9", "FREQ=HOURLY", "nesmysl"})
        EXPECT_FALSE(opakovani::ZPravidla(QString::fromLatin1(jine), utery)) << jine;
    EXPECT_EQ(opakovani::ZPravidla(QString(), utery), N());
    EXPECT_EQ(opakovani::NaPravidlo(N(), utery), QString());
    // Monthly on the 31st skips short months; "poslední den" does not.
    N mesicne;
    mesicne.druh = N::Mesicne;
    mesicne.mesicne = N::PosledniDen;
    const QDateTime leden(QDate(2027, 1, 31), QTime(8, 0));
    EXPECT_EQ(opakovani::Vyskyty(opakovani::NaPravidlo(mesicne, leden.date()), leden, {}, leden,
                                 leden.addMonths(3).addDays(1))
                  .size(),
              4);
    mesicne.mesicne = N::DenMesice;
    EXPECT_EQ(opakovani::Vyskyty(opakovani::NaPravidlo(mesicne, leden.date()), leden, {}, leden,
                                 leden.addMonths(3).addDays(1))
                  .size(),
              2);
}
