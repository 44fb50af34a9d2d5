// Exchange files from the command line: the demo office's calendar and
// contacts out of one database and into another, with the same rows as the
// import window's code gives, and a second import that duplicates nothing.
#include "common/session.h"
#include "data/sqldata.h"
#include "fixtures/testdb.h"
#include "outlook/zaznamyvymeny.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

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

} // namespace
