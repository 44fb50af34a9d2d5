// Exchange files from the command line: the demo office's calendar and
// contacts out of one database and into another, with the same rows as the
// import window's code gives, and a second import that duplicates nothing.
#include "common/session.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "fixtures/testdb.h"
#include "outlook/zaznamyvymeny.h"
#include "records/opakovani.h"
#include "records/vyskyty.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>

namespace
{

QString s(const char* t)
{
    return QString::fromUtf8(t);
}

int orvanDb(const QStringList& args, QString* out)
{
    QProcess p;
    p.start(s(ORVAN_BIN_DIR "/orvan-db"), args);
    p.waitForFinished(120000);
    *out = QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
    return p.exitCode();
}

QStringList eventRows(const QString& path)
{
    TSQLDATA db;
    EXPECT_TRUE(db.PripojDatabazi(path, s("orvan"), s("qelmo.")));
    QStringList out;
    db.NactiDotaz(s("select datum,cas_od,cas_do,cely_den,nazev,uid from ku order by uid"), false, out,
                  QString());
    return out;
}

TEST(ExchangeCommand, ExportThenImportGivesTheSameEventsOnce)
{
    if (!QFileInfo::exists(s(ORVAN_BIN_DIR "/orvan-db"))) GTEST_SKIP() << "orvan-db not built";
    QTemporaryDir dir;
    const QString office = dir.filePath(s("office.fdb")), other = dir.filePath(s("other.fdb"));
    const QString ics = dir.filePath(s("kalendar.ics")), vcf = dir.filePath(s("adresy.vcf"));
    QString out;
    ASSERT_EQ(orvanDb({s("create"), office, s("--admin"), s("spravce"), s("--demo")}, &out), 0)
        << out.toStdString();
    ASSERT_EQ(orvanDb({s("create"), other, s("--admin"), s("spravce")}, &out), 0) << out.toStdString();

    ASSERT_EQ(orvanDb({s("export"), office, ics, s("--login"), s("spravce")}, &out), 0) << out.toStdString();
    ASSERT_TRUE(out.startsWith(s("Zapsáno: "))) << out.toStdString();
    const int exported = out.mid(9).trimmed().toInt();
    ASSERT_GT(exported, 0);
    ASSERT_EQ(orvanDb({s("export"), office, vcf, s("--contacts")}, &out), 0) << out.toStdString();

    ASSERT_EQ(orvanDb({s("import"), other, ics}, &out), 0) << out.toStdString();
    EXPECT_TRUE(out.contains(s("Zapsáno: "))) << out.toStdString();
    const QStringList imported = eventRows(other);
    ASSERT_FALSE(imported.isEmpty());
    // Every exported event once, under its own UID.
    EXPECT_EQ(imported.size(), exported);

    // Again, skipping what is there: found by UID, nothing added.
    ASSERT_EQ(orvanDb({s("import"), other, ics, s("--duplicates"), s("skip")}, &out), 0) << out.toStdString();
    EXPECT_TRUE(out.contains(s("Zapsáno: 0"))) << out.toStdString();
    EXPECT_EQ(eventRows(other), imported);

    ASSERT_EQ(orvanDb({s("import"), other, vcf}, &out), 0) << out.toStdString();
    EXPECT_EQ(orvanDb({s("import"), other, ics, s("--login"), s("nikdo")}, &out), 1);
    EXPECT_TRUE(out.contains(s("Uživatel nikdo v databázi není."))) << out.toStdString();
    EXPECT_EQ(orvanDb({s("import"), other, ics, s("--duplicates"), s("vse")}, &out), 2) << "a wrong option";
}

// Another calendar program (khal) imports the export twice: every event once,
// at the time the database holds, with its end after midnight and its text.
TEST(ExchangeCommand, AnotherCalendarShowsTheExportOnceAtTheRightTime)
{
    if (!QFileInfo::exists(s(ORVAN_BIN_DIR "/orvan-db"))) GTEST_SKIP() << "orvan-db not built";
    const QString khal = QStandardPaths::findExecutable(s("khal"));
    if (khal.isEmpty()) GTEST_SKIP() << "khal is not installed";
    // The office's clocks, for orvan-db and khal alike.
    qputenv("TZ", "Europe/Prague");
    QTemporaryDir dir;
    const QString office = dir.filePath(s("office.fdb")), ics = dir.filePath(s("kalendar.ics"));
    QString out;
    ASSERT_EQ(orvanDb({s("create"), office, s("--admin"), s("spravce"), s("--demo")}, &out), 0)
        << out.toStdString();
    {
        TSQLDATA db;
        ASSERT_TRUE(db.PripojDatabazi(office, s("orvan"), s("qelmo.")));
        const QString sloupce = s("ku_id,datum,cas_od,cas_do,cely_den,nazev");
        // Over midnight into winter time, and a text with the separators of the format.
        ASSERT_TRUE(
            db.ProvedSQLSeznam(
                  {s("insert into ku (%1) values (gen_id(ku_id, 1), '24.10.2026', '24.10.2026 22:00', "
                     "'25.10.2026 6:00', 0, 'Noční směna; sklad, inventura')")
                       .arg(sloupce),
                   s("insert into ku (%1) values (gen_id(ku_id, 1), '28.3.2027', null, null, 1, "
                     "'Den otevřených dveří')")
                       .arg(sloupce)})
                .ok);
    }
    ASSERT_EQ(orvanDb({s("export"), office, ics}, &out), 0) << out.toStdString();
    const int exported = out.mid(9).trimmed().toInt();

    // The occurrences of the demo's months as khal lists them: local start,
    // end, title; the office's series (the Monday meeting, the monthly
    // deadlines) by this program's expansion.
    const QDate od = QDate(2026, 10, 1),
                doDne = std::max(QDate::currentDate().addMonths(3), QDate(2027, 4, 30));
    QStringList expected;
    int radku = 0;
    {
        TSQLDATA db;
        ASSERT_TRUE(db.PripojDatabazi(office, s("orvan"), s("qelmo.")));
        setSQLDATA(&db);
        radku = db.VratInt(s("select count(*) from ku"));
        for (const VyskytUdalosti& v : NactiVyskyty(db, od, doDne)) {
            const QString cas = s("yyyy-MM-dd HH:mm");
            expected << (v.celyDen ? v.zacatek.toString(s("yyyy-MM-dd")) + s("|") +
                                         v.zacatek.toString(s("yyyy-MM-dd"))
                                   : v.zacatek.toString(cas) + s("|") + v.konec.toString(cas)) +
                            s("|") + v.nazev;
        }
        setSQLDATA(nullptr);
    }
    ASSERT_EQ(radku, exported);

    QFile config(dir.filePath(s("khal.conf")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("[calendars]\n[[kancelar]]\npath = %1\ntype = calendar\n[locale]\n"
                                "timeformat = %H:%M\ndateformat = %Y-%m-%d\nlongdateformat = %Y-%m-%d\n"
                                "datetimeformat = %Y-%m-%d %H:%M\nlongdatetimeformat = %Y-%m-%d %H:%M\n"
                                "default_timezone = Europe/Prague\nlocal_timezone = Europe/Prague\n")
                     .arg(dir.filePath(s("kalendar")))
                     .toUtf8());
    config.close();
    QDir(dir.path()).mkpath(s("kalendar"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(s("XDG_DATA_HOME"), dir.filePath(s("data")));
    env.insert(s("LC_ALL"), s("C.UTF-8"));
    env.insert(s("TZ"), s("Europe/Prague"));
    const auto spust = [&](const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(khal, QStringList{s("-c"), config.fileName()} + args);
        p.waitForFinished(120000);
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    for (int i = 0; i < 2; ++i)
        spust({s("import"), s("--batch"), s("-a"), s("kancelar"), ics});
    QStringList listed = spust({s("list"), s("--format"), s("{start}|{end}|{title}"), s("--day-format"),
                                QString(), od.toString(Qt::ISODate), s("%1d").arg(od.daysTo(doDne) + 1)})
                             .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // Once: one stored item per event. khal lists an event on every day it
    // touches, so the night shift appears on both days.
    EXPECT_EQ(QDir(dir.filePath(s("kalendar"))).entryList({s("*.ics")}, QDir::Files).size(), exported);
    listed.removeDuplicates();
    expected.sort();
    listed.sort();
    EXPECT_EQ(listed, expected);
    EXPECT_TRUE(listed.contains(s("2026-10-24 22:00|2026-10-25 06:00|Noční směna; sklad, inventura")))
        << listed.join(QLatin1Char('\n')).toStdString();
}

} // namespace

namespace
{

// One stored row: a single event, a series (with a rule and excluded starts),
// or an occurrence of a series that replaces (or cancels) one.
struct Radek {
    int id;
    const char* zacatek; // ISO local
    int minut;           // length
    const char* nazev;
    const char* pravidlo = "";
    const char* vynechane = ""; // yyyyMMddTHHmmss,...
    int serie = 0;
    const char* puvodni = ""; // ISO local: the occurrence it replaces
    bool zruseno = false;
};

// python's dateutil expands the same rows into the lines agenda prints.
QStringList nezavisle(const std::vector<Radek>& radky, const char* od, const char* doKonce)
{
    QString data;
    for (const Radek& r : radky)
        data += QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9\n")
                    .arg(r.id)
                    .arg(s(r.zacatek))
                    .arg(r.minut)
                    .arg(s(r.nazev), s(r.pravidlo), s(r.vynechane))
                    .arg(r.serie)
                    .arg(s(r.puvodni))
                    .arg(r.zruseno ? 1 : 0);
    const QString skript = s(R"(
import sys, re
from datetime import datetime, timedelta, timezone
from zoneinfo import ZoneInfo
from dateutil.rrule import rrulestr, rruleset
iso = '%Y-%m-%dT%H:%M:%S'
prague = ZoneInfo('Europe/Prague')
def norm(t):  # a time the spring change skips happens an hour later
    return t.replace(tzinfo=prague).astimezone(timezone.utc).astimezone(prague).replace(tzinfo=None)
od = datetime.strptime(sys.argv[1], iso); do = datetime.strptime(sys.argv[2], iso)
rows = [l.split('|') for l in sys.stdin.read().splitlines() if l]
replaced = {}
for r in rows:
    if r[6] != '0':
        replaced.setdefault(r[6], []).append(datetime.strptime(r[7], iso))
out = []
for id, start, mins, name, rule, ex, serie, orig, cancelled in rows:
    start = datetime.strptime(start, iso); length = timedelta(minutes=int(mins))
    if rule:
        rule = re.sub(r'UNTIL=(\d{8})(?=;|$)', r'UNTIL=\1T235959', rule)  # a date: its whole day
        s = rruleset(); s.rrule(rrulestr(rule, dtstart=start)); s.rdate(start)
        for x in ex.split(',') if ex else []:
            s.exdate(datetime.strptime(x, '%Y%m%dT%H%M%S'))
        for x in replaced.get(id, []):
            s.exdate(x)
        for o in s.between(od, do, inc=True):
            if o < do: out.append((norm(o), int(id), name, norm(o) + length, id))
    elif cancelled == '0' and od <= start < do:
        out.append((start, int(id), name, start + length, serie if serie != '0' else ''))
for o, id, name, end, serie in sorted(out):
    print('\t'.join([o.strftime('%Y-%m-%d'), o.strftime('%H:%M'), end.strftime('%H:%M'), name, serie]))
)");
    QProcess p;
    p.start(s("/usr/bin/python3"), {s("-c"), skript, s(od), s(doKonce)});
    p.write(data.toUtf8());
    p.closeWriteChannel();
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        ADD_FAILURE() << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

// The agenda of two years with the office's series agrees with an independent
// expansion: exclusions, a moved and a cancelled occurrence, counts, the last
// day of a month and a series across the spring change.
TEST(ExchangeCommand, AgendaAgreesWithAnIndependentExpansion)
{
    if (!QFileInfo::exists(s(ORVAN_BIN_DIR "/orvan-db"))) GTEST_SKIP() << "orvan-db not built";
    qputenv("TZ", "Europe/Prague");
    QTemporaryDir dir;
    const QString office = dir.filePath(s("office.fdb"));
    QString out;
    ASSERT_EQ(orvanDb({s("create"), office, s("--admin"), s("spravce")}, &out), 0) << out.toStdString();
    const std::vector<Radek> radky = {
        {1, "2027-01-04T08:30:00", 60, "Porada kanceláře", "FREQ=WEEKLY;BYDAY=MO", "20270405T083000"},
        // The meeting of 11 January moved to the Tuesday, that of 18 January cancelled.
        {2, "2027-01-12T10:00:00", 60, "Porada kanceláře", "", "", 1, "2027-01-11T08:30:00"},
        {3, "2027-01-18T08:30:00", 60, "Porada kanceláře", "", "", 1, "2027-01-18T08:30:00", true},
        {4, "2027-01-25T09:00:00", 30, "Uzávěrka DPH", "FREQ=MONTHLY;BYMONTHDAY=25;COUNT=12"},
        {5, "2027-01-31T12:00:00", 15, "Odvod pojistného", "FREQ=MONTHLY;BYMONTHDAY=-1"},
        {6, "2027-03-20T02:30:00", 30, "Noční záloha", "FREQ=DAILY;UNTIL=20270405"},
        {7, "2027-06-15T14:00:00", 90, "Školení"},
    };
    {
        TSQLDATA db;
        ASSERT_TRUE(db.PripojDatabazi(office, s("orvan"), s("qelmo.")));
        QStringList prikazy;
        for (const Radek& r : radky) {
            const QDateTime z = QDateTime::fromString(s(r.zacatek), Qt::ISODate);
            const QString t = z.toString(s("d.M.yyyy H:mm:ss"));
            const std::optional<QDateTime> konec = opakovani::PosledniVyskyt(s(r.pravidlo), z);
            prikazy
                << s("insert into ku (ku_id, datum, cas_od, cas_do, cely_den, nazev, opakovani, vynechane, "
                     "konec_opakovani, serie_id, puvodni_vyskyt, zruseno) values (%1, '%2', '%3', '%4', 0, "
                     "%5, "
                     "%6, %7, %8, %9, %10, %11)")
                       .arg(r.id)
                       .arg(z.toString(s("d.M.yyyy")), t,
                            z.addSecs(60 * r.minut).toString(s("d.M.yyyy H:mm:ss")), TextSQL(s(r.nazev)),
                            *r.pravidlo ? TextSQL(s(r.pravidlo)) : s("null"),
                            *r.vynechane ? TextSQL(s(r.vynechane)) : s("null"),
                            !*r.pravidlo
                                ? s("null")
                                : s("'%1'").arg(konec ? konec->toString(s("d.M.yyyy")) : s("31.12.9999")),
                            r.serie ? QString::number(r.serie) : s("null"))
                       .arg(*r.puvodni ? s("'%1'").arg(QDateTime::fromString(s(r.puvodni), Qt::ISODate)
                                                           .toString(s("d.M.yyyy H:mm:ss")))
                                       : s("null"),
                            r.zruseno ? s("1") : s("null"));
        }
        QString chyba;
        ASSERT_TRUE(ok(db.ProvedSQLSeznam(prikazy), chyba)) << chyba.toStdString();
    }
    ASSERT_EQ(orvanDb({s("agenda"), office, s("1.1.2027"), s("31.12.2028")}, &out), 0) << out.toStdString();
    const QStringList agenda = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList ocekavana = nezavisle(radky, "2027-01-01T00:00:00", "2029-01-01T00:00:00");
    // What one has and the other lacks, then the order.
    const auto chybi = [](const QStringList& a, const QStringList& b) {
        QStringList jen;
        for (const QString& r : a)
            if (!b.contains(r)) jen << r;
        return jen;
    };
    EXPECT_EQ(chybi(ocekavana, agenda), QStringList());
    EXPECT_EQ(chybi(agenda, ocekavana), QStringList());
    EXPECT_EQ(agenda, ocekavana);
    EXPECT_TRUE(agenda.contains(s("2027-01-12\t10:00\t11:00\tPorada kanceláře\t1")));
    EXPECT_TRUE(agenda.contains(s("2027-03-28\t03:30\t04:00\tNoční záloha\t6"))) << "the spring gap";
    EXPECT_EQ(orvanDb({s("agenda"), office, s("32.1.2027"), s("1.2.2027")}, &out), 2) << out.toStdString();
}
