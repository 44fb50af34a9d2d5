// Reading 100,000 rows of ten columns: the raw OO API fetch against NactiDotaz
// and against NactiTabulku with every value read by column name.
#include "benchdb.h"
#include "data/fb.h"

#include <benchmark/benchmark.h>

namespace
{

const int kRows = 100000;
const QString kSelect = QStringLiteral(
    "select ADRESAR_ZAKL_ID, NAZEV, JMENO, PRIJMENI, ULICE, MESTO, PSC, TELEFON1, EMAIL1, VYTVORIL_KDY "
    "from ADRESAR_ZAKL");
const char* kColumns[] = {"ADRESAR_ZAKL_ID", "NAZEV", "JMENO",    "PRIJMENI", "ULICE",
                          "MESTO",           "PSC",   "TELEFON1", "EMAIL1",   "VYTVORIL_KDY"};

BenchDatabase& database()
{
    static BenchDatabase* b = [] {
        auto* d = new BenchDatabase;
        d->run(
            QStringLiteral(
                "EXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN WHILE (I < %1) DO BEGIN "
                "INSERT INTO ADRESAR_ZAKL (ADRESAR_ZAKL_ID, NAZEV, JMENO, PRIJMENI, ULICE, MESTO, PSC, "
                "TELEFON1, "
                "EMAIL1, VYTVORIL_KDY) VALUES (:I + 1, 'Firma ' || :I || ', s.r.o.', 'Jan', 'Novák ' || :I, "
                "'Dlouhá ' || :I, 'Praha', '110 00', '+420 222 ' || :I, 'jan' || :I || '@example.cz', "
                "CURRENT_TIMESTAMP); I = I + 1; END END")
                .arg(kRows));
        return d;
    }();
    return *b;
}

void BM_RawFetch(benchmark::State& state)
{
    BenchDatabase& b = database();
    const QByteArray sql = kSelect.toLatin1();
    for (auto _ : state) {
        b.db.ObnovTransakci();
        fb::Status st(fb::status());
        Firebird::ITransaction* tra = b.db.attachment()->startTransaction(&st, 0, nullptr);
        Firebird::IStatement* stmt = b.db.attachment()->prepare(&st, tra, sql.size(), sql.constData(), 1, 0);
        Firebird::IMessageMetadata* meta = stmt->getOutputMetadata(&st);
        std::vector<unsigned char> buf(meta->getMessageLength(&st));
        Firebird::IResultSet* rs = stmt->openCursor(&st, tra, nullptr, nullptr, meta, 0);
        int rows = 0;
        while (rs->fetchNext(&st, buf.data()) == Firebird::IStatus::RESULT_OK)
            ++rows;
        rs->close(&st);
        meta->release();
        stmt->free(&st);
        tra->commit(&st);
        if (rows != kRows) state.SkipWithError("row count");
    }
}
BENCHMARK(BM_RawFetch)->Unit(benchmark::kMillisecond);

void BM_NactiDotaz(benchmark::State& state)
{
    BenchDatabase& b = database();
    QStringList lines;
    for (auto _ : state) {
        b.db.ObnovTransakci();
        b.db.NactiDotaz(kSelect, true, lines, QString());
        benchmark::DoNotOptimize(lines.size());
    }
}
BENCHMARK(BM_NactiDotaz)->Unit(benchmark::kMillisecond);

void BM_NactiTabulkuEveryValue(benchmark::State& state)
{
    BenchDatabase& b = database();
    for (auto _ : state) {
        b.db.ObnovTransakci();
        TKTDATASET t;
        b.db.NactiTabulku(kSelect, t);
        qsizetype total = 0;
        for (int r = 1; r <= t.PocetRadku(); ++r)
            for (const char* c : kColumns)
                total += t.HodnotaJmeno(r, QLatin1String(c)).size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_NactiTabulkuEveryValue)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
