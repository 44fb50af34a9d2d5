#include "config.h"

#include "common/inifile.h"
#include "common/session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace
{

QString withExtension(const QString& programPath, QLatin1String extension)
{
    const QFileInfo fi(programPath);
    return fi.absolutePath() + u'/' + fi.completeBaseName() + extension;
}

QString withTrailingSeparator(const QString& dir)
{
    return dir.endsWith(u'/') ? dir : dir + u'/';
}

} // namespace

QString AppConfig::iniPath(const QString& programPath)
{
    return withExtension(programPath, QLatin1String(".ini"));
}

QString AppConfig::defaultDatabasePath(const QString& programPath)
{
    return withExtension(programPath, QLatin1String(".gdb"));
}

QString AppConfig::databasePath(const QString& value, const QString& programPath)
{
    if (value.contains(u'/') || value.contains(u'\\')) return value;
    return withTrailingSeparator(QFileInfo(programPath).absolutePath()) + value;
}

AppConfig AppConfig::read(const QString& iniPath, const QString& programPath)
{
    const IniFile ini(iniPath);
    AppConfig c;
    const QString db = QStringLiteral("DB-IB");
    const QString kj = QStringLiteral("KJ");
    const QString main = QStringLiteral("MAIN");
    const QString time = QStringLiteral("TIME");

    c.pathname = databasePath(
        ini.ReadString(db, QStringLiteral("pathname"), defaultDatabasePath(programPath)), programPath);
    c.username = ini.ReadString(db, QStringLiteral("username"), c.username);
    c.password = ini.ReadString(db, QStringLiteral("password"), c.password);
    c.superadmin = ini.ReadInteger(QStringLiteral("KELTA"), QStringLiteral("superadmin"), c.superadmin);
    c.kjVisible = ini.ReadInteger(kj, QStringLiteral("visible"), c.kjVisible);
    c.login = ini.ReadInteger(main, QStringLiteral("login"), c.login);
    c.kjTest = ini.ReadString(kj, QStringLiteral("test"), c.kjTest);
    c.sntpServer = ini.ReadString(time, QStringLiteral("sntpserver"), c.sntpServer);
    c.sntpAuto = ini.ReadInteger(time, QStringLiteral("auto"), c.sntpAuto);
    c.state = ini.ReadString(main, QStringLiteral("state"), c.state);
    return c;
}

void AppConfig::applyTo(Session& s) const
{
    s.LoginRezim = login;
    s.Stat = state;
    s.SntpServer = sntpServer;
    s.SntpAuto = sntpAuto;
    s.KJTest = kjTestMode();
}

bool isLocalFbSetupSwitch(const QStringList& arguments)
{
    return arguments.size() > 1 && arguments.at(1) == QLatin1String("setup_local_FB");
}

bool writeLocalFirebirdConf(const QString& programDir, QString* error)
{
    const QString dir = withTrailingSeparator(QDir::cleanPath(QFileInfo(programDir).absoluteFilePath()));
    // Firebird reads the path as bytes of the file system's encoding.
    const QByteArray line = "RootDirectory  = " + QFile::encodeName(dir) + "fb\n";

    const QString fileName = dir + QLatin1String("firebird.conf");
    QSaveFile f(fileName);
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly) || f.write(line) != line.size() || !f.commit()) {
        if (error) *error = QStringLiteral("Soubor \"%1\" nelze zapsat: %2").arg(fileName, f.errorString());
        return false;
    }
    return true;
}
