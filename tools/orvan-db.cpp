#include "common/action.h"
#include "data/dbschema.h"
#include "data/ktdata.h"
#include "dbadmin.h"
#include "demodata.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <cstdio>

namespace {

void usage()
{
    std::fprintf(stderr,
                 "Použití:\n"
                 "  orvan-db create CESTA [--user U] [--password P] [--admin LOGIN] [--admin-password H]\n"
                 "                        [--admin-name JMENO] [--demo]\n"
                 "  orvan-db script CESTA SOUBOR [--user U] [--password P]\n"
                 "CESTA je soubor (vestavěný server) nebo server:/cesta/soubor.fdb.\n");
}

void fail(const QString& text) { std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData()); }

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        usage();
        return 2;
    }
    const QString command = args.takeFirst();
    const QString path = args.takeFirst();
    QString file;
    if (command == QLatin1String("script")) {
        if (args.isEmpty()) {
            usage();
            return 2;
        }
        file = args.takeFirst();
    } else if (command != QLatin1String("create")) {
        usage();
        return 2;
    }
    QString user = QStringLiteral("orvan"), password = QStringLiteral("qelmo.");
    dbadmin::Admin admin;
    bool demo = false;
    while (!args.isEmpty()) {
        const QString opt = args.takeFirst();
        if (opt == QLatin1String("--demo")) {
            demo = true;
            continue;
        }
        if (args.isEmpty()) {
            usage();
            return 2;
        }
        const QString value = args.takeFirst();
        if (opt == QLatin1String("--user"))
            user = value;
        else if (opt == QLatin1String("--password"))
            password = value;
        else if (opt == QLatin1String("--admin"))
            admin.login = value;
        else if (opt == QLatin1String("--admin-password"))
            admin.password = value;
        else if (opt == QLatin1String("--admin-name"))
            admin.name = value;
        else {
            usage();
            return 2;
        }
    }

    TSQLDATA db;
    setSQLDATA(&db);
    if (command == QLatin1String("create")) {
        try {
            dbschema::createDatabase(path, user, password);
        } catch (const ActionError& e) {
            fail(QStringLiteral("Databázi %1 nelze vytvořit:\n%2").arg(path, e.text()));
            return 1;
        }
        if (!db.PripojDatabazi(path, user, password))
            return 1;
        // Only the demo's administrator may log in without the dialog.
        admin.autoLogin = demo;
        QString error = dbadmin::addAdministrator(db, admin);
        if (error.isEmpty() && demo) {
            try {
                error = demodata::fill(db, db.VratInt(QStringLiteral("select max(uzivatel_id) from uzivatel")),
                                       QDate::currentDate());
            } catch (const ActionError& e) {
                error = e.text();
            }
        }
        if (!error.isEmpty()) {
            fail(error);
            return 1;
        }
        std::printf("Databáze %s vytvořena.\n", path.toLocal8Bit().constData());
        return 0;
    }
    if (!db.PripojDatabazi(path, user, password))
        return 1;
    QString error;
    if (!db.ProvedSkript(file, error)) {
        fail(error);
        return 1;
    }
    return 0;
}
