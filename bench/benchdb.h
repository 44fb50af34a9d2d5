#pragma once

#include "data/dbschema.h"
#include "data/sqldata.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

// A scratch embedded database for one benchmark program.
struct BenchDatabase {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("bench.fdb"));
    TSQLDATA db;

    BenchDatabase()
    {
        dbschema::createDatabase(path, QStringLiteral("orvan"), QStringLiteral("qelmo."), false);
        if (!db.PripojDatabazi(path, QStringLiteral("orvan"), QStringLiteral("qelmo."))) std::abort();
        setSQLDATA(&db);
    }

    void run(const QString& sql)
    {
        if (const VysledekZapisu v = db.ProvedSQL(sql); !v.ok) {
            std::fprintf(stderr, "%s\n", v.chyba.toUtf8().constData());
            std::abort();
        }
    }
};
