// The office-scale figures in one run, each printed next to its goal. The large
// databases are built once and kept in the cache folder beside the build
// (ORVAN_BENCH_CACHE overrides it); delete the folder to build them again.
//
//   bench_goals [repeats]
//
// Times are medians of the repeats; the ratios compare figures taken in the
// same run, so a loaded machine moves both sides alike.
#include "calendar/monthdata.h"
#include "calendar/monthgrid.h"
#include "calendar/uSlunce.h"
#include "common/commandtarget.h"
#include "common/session.h"
#include "data/dbschema.h"
#include "data/fbclient.h"
#include "data/ktdata.h"
#include "overview/uFrameStringgrid.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#ifndef ORVAN_BENCH_CACHE_DIR
#define ORVAN_BENCH_CACHE_DIR "bench-cache"
#endif

namespace
{

const QString kUser = QStringLiteral("orvan");
const QString kPassword = QStringLiteral("qelmo.");

// The six visible weeks of the month view: 31.8.2026 to 11.10.2026.
const DatumCas kPrvniDen = ZakodujDatum(2026, 8, 31);
const int kDnu = 42;

QString cacheDir()
{
    const QString env = qEnvironmentVariable("ORVAN_BENCH_CACHE");
    return env.isEmpty() ? QStringLiteral(ORVAN_BENCH_CACHE_DIR) : env;
}

void run(TSQLDATA& db, const QString& sql)
{
    QString error;
    if (!db.ProvedSQL(sql, error)) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(sql), qPrintable(error));
        std::abort();
    }
}

// Addresses 1..n with names in a scrambled order, a quarter of them readable
// by everybody, the rest by groups 1 to 3; every address has a main category.
void fillAddresses(TSQLDATA& db, int n)
{
    for (int k = 1; k <= 5; ++k)
        run(db, QStringLiteral("insert into ADRESAR_C_KAT (ADRESAR_C_KAT_ID, ADRESAR_C_KAT_NAZEV, "
                               "ADRESAR_C_KAT_BARVA) values (%1, 'Skupina %1', %2)")
                    .arg(k)
                    .arg(k * 40000));
    run(db, QStringLiteral(
                "EXECUTE BLOCK AS DECLARE I INTEGER = 0; DECLARE K INTEGER; BEGIN WHILE (I < %1) DO BEGIN "
                "K = MOD(I * 7919, %1); "
                "INSERT INTO ADRESAR_ZAKL (ADRESAR_ZAKL_ID, NAZEV, NAZEV_ZKRACENY, JMENO, PRIJMENI, ULICE, "
                "MESTO, PSC, TELEFON1, EMAIL1, VYTVORIL_KDY, F_CIST) VALUES (:I + 1, "
                "'Firma ' || LPAD(:K, 7, '0') || ', s.r.o.', 'F' || MOD(:K, 100000), 'Jan', 'Novák ' || :K, "
                "'Dlouhá ' || :I, 'Praha', '110 00', '+420 222 ' || :I, 'jan' || :I || '@example.cz', "
                "CAST('1.1.2020' AS TIMESTAMP) + MOD(:I, 2000) + MOD(:I, 86400) / 86400.0, "
                "DECODE(MOD(:I, 4), 0, NULL, 1, 1, 2, 2, 3)); "
                "INSERT INTO ADRESAR_ZAKL_KAT (ADRESAR_ZAKL_KAT_ID, ADRESAR_ZAKL_ID, ADRESAR_C_KAT_ID, "
                "HLAVNI) VALUES (:I + 1, :I + 1, 1 + MOD(:I, 5), 1); "
                "I = I + 1; END END")
                .arg(n));
}

// n events spread evenly over the six visible weeks, the rights and
// categories mixed as in an office; about as many again outside them.
void fillEvents(TSQLDATA& db, int n)
{
    for (int k = 1; k <= 5; ++k)
        run(db, QStringLiteral("insert into KU_C_KAT (KU_C_KAT_ID, KU_C_KAT_NAZEV, KU_C_KAT_BARVA) values "
                               "(%1, 'Kategorie %1', %2)")
                    .arg(k)
                    .arg(k * 40000));
    run(db,
        QStringLiteral(
            "EXECUTE BLOCK AS DECLARE I INTEGER = 0; DECLARE D DATE; BEGIN WHILE (I < %1) DO BEGIN "
            "D = CAST('31.8.2026' AS DATE) + MOD(:I, %2) - IIF(MOD(:I, 2) = 0, 0, 400); "
            "INSERT INTO KU (KU_ID, DATUM, CAS_OD, NAZEV, KU_TYP, ALARM, F_CIST) VALUES (:I + 1, :D, "
            ":D + (6 + MOD(:I, 14)) / 24.0 + MOD(:I, 60) / 1440.0, 'Schůzka ' || :I || ', zasedačka', 0, 0, "
            "DECODE(MOD(:I, 4), 0, NULL, 1, 0, 2, 1, 3)); "
            "INSERT INTO KU_KAT (KU_KAT_ID, KU_ID, KU_C_KAT_ID, HLAVNI) VALUES (2 * :I + 1, :I + 1, "
            "1 + MOD(:I, 5), 1); "
            "IF (MOD(:I, 3) = 0) THEN INSERT INTO KU_KAT (KU_KAT_ID, KU_ID, KU_C_KAT_ID, HLAVNI) "
            "VALUES (2 * :I + 2, :I + 1, 1 + MOD(:I + 2, 5), 0); "
            "I = I + 1; END END")
            .arg(2 * n)
            .arg(kDnu));
}

// Opens the cached database, building it first when it is missing.
void openDatabase(TSQLDATA& db, const QString& name, const std::function<void(TSQLDATA&)>& fill)
{
    QDir().mkpath(cacheDir());
    const QString path = QDir(cacheDir()).absoluteFilePath(name);
    const QString ready = path + QStringLiteral(".ready");
    if (!QFileInfo::exists(ready)) {
        std::fprintf(stderr, "building %s once...\n", qPrintable(path));
        QFile::remove(path);
        QElapsedTimer t;
        t.start();
        dbschema::createDatabase(path, kUser, kPassword, false);
        if (!db.PripojDatabazi(path, kUser, kPassword)) std::abort();
        fill(db);
        db.Odpoj();
        QFile f(ready);
        if (!f.open(QIODevice::WriteOnly)) std::abort();
        std::fprintf(stderr, "built in %.0f s\n", double(t.elapsed()) / 1000.0);
    }
    if (!db.PripojDatabazi(path, kUser, kPassword)) std::abort();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TSQLDATA small, large;
    openDatabase(small, QStringLiteral("office-10k.fdb"), [](TSQLDATA& db) { fillAddresses(db, 10000); });
    openDatabase(large, QStringLiteral("office-1m.fdb"), [](TSQLDATA& db) {
        fillAddresses(db, 1000000);
        fillEvents(db, 50000);
    });
    return 0;
}
