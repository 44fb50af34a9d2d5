// Exchange files from the command line: the demo office's calendar and
// contacts out of one database and into another, with the same rows as the
// import window's code gives, and a second import that duplicates nothing.
#include "common/session.h"
#include "data/sqldata.h"
#include "fixtures/testdb.h"
#include "outlook/zaznamyvymeny.h"

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

    // The rows as khal lists them: local start, end, title.
    QStringList expected;
    {
        TSQLDATA db;
        ASSERT_TRUE(db.PripojDatabazi(office, s("orvan"), s("qelmo.")));
        TKTDATASET t;
        db.NactiTabulku(s("select cely_den,datum,cas_od,cas_do,nazev from ku"), t);
        for (int r = 1; r <= t.PocetRadku(); ++r) {
            const auto cas = [&](const char* sloupec) {
                return QDateTime::fromString(t.HodnotaJmeno(r, s(sloupec)), s("d.M.yyyy H:mm:ss"))
                    .toString(s("yyyy-MM-dd HH:mm"));
            };
            const QString nazev = t.HodnotaJmeno(r, s("NAZEV"));
            if (t.HodnotaBool(r, s("CELY_DEN"))) {
                const QString d =
                    QDate::fromString(t.HodnotaJmeno(r, s("DATUM")), s("d.M.yyyy")).toString(s("yyyy-MM-dd"));
                expected << d + s("|") + d + s("|") + nazev;
            } else {
                expected << cas("CAS_OD") + s("|") + cas("CAS_DO") + s("|") + nazev;
            }
        }
    }
    ASSERT_EQ(expected.size(), exported);

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
                                QString(), s("2000-01-01"), s("20000d")})
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
