#pragma once

#include <QString>
#include <QStringList>

struct Session;

// The program's configuration: "<program>.ini" beside the program, only ever
// read. Every key has a default, so a missing file starts with the defaults.
struct AppConfig {
    QString pathname; // database to open, already resolved (see databasePath)
    QString username = QStringLiteral("orvan");
    QString password = QStringLiteral("qelmo.");
    int superadmin = 0;
    int kjVisible = 0;
    int login = 0;
    QString kjTest = QStringLiteral("0");
    QString sntpServer;
    int sntpAuto = 0;
    QString state = QStringLiteral("CZ");

    // Only the exact value 1 shows; 2 or anything else hides.
    bool showSpecialMenu() const { return superadmin == 1; }
    bool showLogbook() const { return kjVisible == 1; }
    bool kjTestMode() const { return kjTest == QLatin1String("738"); }

    // The program's path with its extension replaced ("/opt/orvan" gives
    // "/opt/orvan.ini" and "/opt/orvan.gdb").
    static QString iniPath(const QString& programPath);
    static QString defaultDatabasePath(const QString& programPath);

    // A value with neither "/" nor "\" is a file in the program's folder; any
    // other value ("host:/path/x.fdb", "../x.gdb") is used unchanged.
    static QString databasePath(const QString& value, const QString& programPath);

    static AppConfig read(const QString& iniPath, const QString& programPath);

    // Copies the login mode, country code, SNTP settings and logbook test flag.
    void applyTo(Session& session) const;
};

// True when the first argument after the program's name is exactly
// "setup_local_FB". Takes the list as QCoreApplication::arguments() gives it.
bool isLocalFbSetupSwitch(const QStringList& arguments);

// Writes "firebird.conf" in programDir, replacing any file, with the one line
// that points an embedded server at the folder "fb" beside the program.
// False with a Czech error text when the file cannot be written.
bool writeLocalFirebirdConf(const QString& programDir, QString* error = nullptr);
