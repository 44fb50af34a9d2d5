#include "common/action.h"
#include "data/dbschema.h"
#include "data/dbupgrade.h"
#include "data/sqldata.h"
#include "dbadmin.h"
#include "demodata.h"
#include "tools/vymenadb.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <cstdio>

namespace
{

void usage()
{
    std::fprintf(stderr,
                 "Použití:\n"
                 "  orvan-db create CESTA [--user U] [--password P] [--admin LOGIN] [--admin-password H]\n"
                 "                        [--admin-name JMENO] [--demo]\n"
                 "  orvan-db upgrade CESTA [--user U] [--password P]\n"
                 "  orvan-db script CESTA SOUBOR [--user U] [--password P]\n"
                 "  orvan-db import CESTA SOUBOR... [--login LOGIN] [--duplicates add|replace|skip]\n"
                 "  orvan-db export CESTA SOUBOR [--login LOGIN] [--calendar|--contacts]\n"
                 "  orvan-db agenda CESTA OD DO [--login LOGIN]\n"
                 "SOUBOR .ics je kalendář, .vcf kontakty; LOGIN je uživatel programu, jehož práva\n"
                 "platí (bez něj první administrátor); --user je uživatel serveru databáze.\n"
                 "CESTA je soubor (vestavěný server) nebo server:/cesta/soubor.fdb.\n");
}

void fail(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

struct Options {
    QString command;
    QString path;
    QString file;      // the script, for "script"
    QStringList files; // the exchange files, for "import" and "export"; the two days of "agenda"
    vymenadb::Volby vymena;
    QString user = QStringLiteral("orvan"), password = QStringLiteral("qelmo.");
    dbadmin::Admin admin;
    bool demo = false;
};

// Takes the command, the path and, for "script", the file; false on a wrong command line.
bool parsePositional(QStringList& args, Options& o)
{
    if (args.size() < 2) return false;
    o.command = args.takeFirst();
    o.path = args.takeFirst();
    if (o.command == QLatin1String("script")) {
        if (args.isEmpty()) return false;
        o.file = args.takeFirst();
        return true;
    }
    if (o.command == QLatin1String("agenda")) {
        if (args.size() < 2) return false;
        o.files << args.takeFirst() << args.takeFirst();
        return true;
    }
    if (o.command == QLatin1String("import") || o.command == QLatin1String("export")) {
        while (!args.isEmpty() && !args.first().startsWith(QLatin1String("--")))
            o.files << args.takeFirst();
        return o.command == QLatin1String("import") ? !o.files.isEmpty() : o.files.size() == 1;
    }
    return o.command == QLatin1String("create") || o.command == QLatin1String("upgrade");
}

bool setOption(const QString& opt, const QString& value, Options& o)
{
    if (opt == QLatin1String("--user"))
        o.user = value;
    else if (opt == QLatin1String("--password"))
        o.password = value;
    else if (opt == QLatin1String("--admin"))
        o.admin.login = value;
    else if (opt == QLatin1String("--admin-password"))
        o.admin.password = value;
    else if (opt == QLatin1String("--admin-name"))
        o.admin.name = value;
    else if (opt == QLatin1String("--login"))
        o.vymena.login = value;
    else if (opt == QLatin1String("--duplicates") &&
             QStringList{QStringLiteral("add"), QStringLiteral("replace"), QStringLiteral("skip")}.contains(
                 value))
        o.vymena.duplicity = value;
    else
        return false;
    return true;
}

bool parseArguments(QStringList args, Options& o)
{
    if (!parsePositional(args, o)) return false;
    while (!args.isEmpty()) {
        const QString opt = args.takeFirst();
        if (opt == QLatin1String("--demo")) {
            o.demo = true;
            continue;
        }
        if (opt == QLatin1String("--calendar") || opt == QLatin1String("--contacts")) {
            o.vymena.kontakty = opt == QLatin1String("--contacts");
            continue;
        }
        if (args.isEmpty()) return false;
        if (!setOption(opt, args.takeFirst(), o)) return false;
    }
    return true;
}

// The administrator and, with --demo, the demo data; the error text or empty.
QString fillNewDatabase(TSQLDATA& db, Options& o)
{
    VysledekZapisu v = dbadmin::addAdministrator(db, o.admin);
    if (v.ok && o.demo) {
        try {
            v = demodata::fill(db, db.VratInt(QStringLiteral("select max(uzivatel_id) from uzivatel")),
                               QDate::currentDate());
        } catch (const ActionError& e) {
            v = VysledekZapisu::Odmitnuto(e.text());
        }
    }
    return v.chyba;
}

int createDatabase(TSQLDATA& db, Options& o)
{
    try {
        dbschema::createDatabase(o.path, o.user, o.password);
    } catch (const ActionError& e) {
        fail(QStringLiteral("Databázi %1 nelze vytvořit:\n%2").arg(o.path, e.text()));
        return 1;
    }
    if (!db.PripojDatabazi(o.path, o.user, o.password)) return 1;
    const QString error = fillNewDatabase(db, o);
    if (!error.isEmpty()) {
        fail(error);
        return 1;
    }
    std::printf("Databáze %s vytvořena.\n", o.path.toLocal8Bit().constData());
    return 0;
}

int upgradeDatabase(TSQLDATA& db, const Options& o)
{
    if (!db.PripojDatabazi(o.path, o.user, o.password)) return 1;
    try {
        // Workstations hold tables open; a change of them would wait or fail half way.
        if (dbupgrade::VerzeDatabaze(db) < dbupgrade::AktualniVerze()) {
            if (const int n = dbupgrade::JinaPripojeni(db); n > 0) {
                fail(QStringLiteral("Databázi právě používá %1 dalších připojení. Ukončete program na všech "
                                    "stanicích a spusťte převod znovu.")
                         .arg(n));
                return 1;
            }
        }
    } catch (const ActionError& e) {
        fail(e.text());
        return 1;
    }
    const dbupgrade::Vysledek v = dbupgrade::Aktualizuj(db, [](const dbupgrade::Krok& k) {
        std::printf("Krok %d: %s\n", k.verze, k.popis.toLocal8Bit().constData());
        std::fflush(stdout);
    });
    if (!v.chyba.isEmpty()) {
        fail(v.chyba);
        return 1;
    }
    if (v.nova == v.puvodni)
        std::printf("Databáze už má verzi %d.\n", v.nova);
    else
        std::printf("Databáze převedena z verze %d na verzi %d.\n", v.puvodni, v.nova);
    return 0;
}

int runScript(TSQLDATA& db, const Options& o)
{
    if (!db.PripojDatabazi(o.path, o.user, o.password)) return 1;
    if (const VysledekZapisu v = db.ProvedSkript(o.file); !v.ok) {
        fail(v.chyba);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Options options;
    if (!parseArguments(app.arguments().mid(1), options)) {
        usage();
        return 2;
    }
    TSQLDATA db;
    setSQLDATA(&db);
    if (options.command == QLatin1String("create")) return createDatabase(db, options);
    if (options.command == QLatin1String("upgrade")) return upgradeDatabase(db, options);
    if (options.command == QLatin1String("agenda")) {
        if (!db.PripojDatabazi(options.path, options.user, options.password)) return 1;
        return vymenadb::Agenda(db, options.files[0], options.files[1], options.vymena);
    }
    if (options.command == QLatin1String("import") || options.command == QLatin1String("export")) {
        if (!db.PripojDatabazi(options.path, options.user, options.password)) return 1;
        return options.command == QLatin1String("import")
                   ? vymenadb::Importuj(db, options.files, options.vymena)
                   : vymenadb::Exportuj(db, options.files.first(), options.vymena);
    }
    return runScript(db, options);
}
