// Refreshing a six-week month view over 100,000 events: the range loader (a
// grouped count and one statement for the lines) against the two per-day
// statements for each of the 42 days, in the same run and database.
// ORVAN_BENCH_SERVER=127.0.0.1: runs it through a local server instead of the
// embedded engine, where every statement costs network round trips.
#include "benchdb.h"
#include "calendar/datamesice.h"
#include "calendar/mesicnimrizka.h"
#include "common/session.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace
{

const int kEvents = 100000;
const int kDays = 2000; // about 50 events a day from 1.1.2004

struct CalendarDatabase {
    QTemporaryDir dir;
    TSQLDATA db;

    CalendarDatabase()
    {
        const QString server = qEnvironmentVariable("ORVAN_BENCH_SERVER");
        if (!server.isEmpty()) // the server process writes the file
            QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
        const QString path = server + dir.filePath(QStringLiteral("bench.fdb"));
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

CalendarDatabase& database()
{
    static CalendarDatabase* b = [] {
        auto* d = new CalendarDatabase;
        for (int k = 1; k <= 5; ++k)
            d->run(QStringLiteral(
                       "insert into KU_C_KAT (KU_C_KAT_ID, KU_C_KAT_NAZEV, KU_C_KAT_BARVA) values (%1, "
                       "'Kategorie %1', %2)")
                       .arg(k)
                       .arg(k * 40000));
        // Rights spread over everybody, the user's groups and others; every
        // event has a main category, every third one a second category.
        d->run(QStringLiteral(
                   "EXECUTE BLOCK AS DECLARE I INTEGER = 0; DECLARE D DATE; BEGIN WHILE (I < %1) DO BEGIN "
                   "D = CAST('1.1.2004' AS DATE) + MOD(:I, %2); "
                   "INSERT INTO KU (KU_ID, DATUM, CAS_OD, NAZEV, KU_TYP, ALARM, F_CIST) VALUES (:I + 1, :D, "
                   ":D + (6 + MOD(:I, 14)) / 24.0, 'Schůzka ' || :I || ', zasedačka', 0, 0, "
                   "DECODE(MOD(:I, 4), 0, NULL, 1, 0, 2, 1, 3)); "
                   "INSERT INTO KU_KAT (KU_ID, KU_C_KAT_ID, HLAVNI) VALUES (:I + 1, 1 + MOD(:I, 5), 1); "
                   "IF (MOD(:I, 3) = 0) THEN INSERT INTO KU_KAT (KU_ID, KU_C_KAT_ID, HLAVNI) "
                   "VALUES (:I + 1, 1 + MOD(:I + 2, 5), 0); "
                   "I = I + 1; END END")
                   .arg(kEvents)
                   .arg(kDays));
        session().NastavSkupiny({1, 2});
        return d;
    }();
    return *b;
}

MesicniMrizka sixWeeks()
{
    MesicniMrizka m(ZakodujDatum(2006, 9, 1));
    m.pridejTyden();
    return m;
}

const QString kFiltr = QStringLiteral("1,2,4");

void BM_RangeRefresh(benchmark::State& state)
{
    CalendarDatabase& b = database();
    const MesicniMrizka m = sixWeeks();
    const bool jenHlavni = state.range(0) != 0;
    int lines = 0;
    for (auto _ : state) {
        b.db.ObnovTransakci();
        DataMesice data;
        data.nacti(b.db, kFiltr, jenHlavni, m.prvniDen(), m.posledniDen());
        lines = 0;
        for (DatumCas d = m.prvniDen(); d <= m.posledniDen(); d += 1)
            lines += int(data.den(d).udalosti.size());
        state.counters["queries"] = data.dotazu();
    }
    state.counters["lines"] = lines;
}
BENCHMARK(BM_RangeRefresh)->Arg(1)->Arg(0)->ArgName("mainOnly")->Unit(benchmark::kMillisecond);

void BM_PerDayRefresh(benchmark::State& state)
{
    CalendarDatabase& b = database();
    const MesicniMrizka m = sixWeeks();
    const bool jenHlavni = state.range(0) != 0;
    int lines = 0, queries = 0;
    for (auto _ : state) {
        b.db.ObnovTransakci();
        lines = queries = 0;
        for (DatumCas d = m.prvniDen(); d <= m.posledniDen(); d += 1) {
            const DenKalendare den = NactiDenDotazy(b.db, kFiltr, jenHlavni, d);
            lines += int(den.udalosti.size());
            queries += 2;
        }
    }
    state.counters["queries"] = queries;
    state.counters["lines"] = lines;
}
BENCHMARK(BM_PerDayRefresh)->Arg(1)->Arg(0)->ArgName("mainOnly")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
