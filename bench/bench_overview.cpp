// Loading an overview of 100,000 addresses into the grid frame against reading
// the same statement as comma-text lines with NactiDotaz, in the same run.
#include "benchdb.h"
#include "common/commandtarget.h"
#include "overview/ui/framestringgrid.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace
{

const int kRows = 100000;

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

// The frame with the address overview; state.range(0) = 1 sorts by the name, 0 leaves the server's order.
TFrameStringGrid& frame(int sort)
{
    static TFrameStringGrid* f = new TFrameStringGrid;
    database();
    f->ZrusDefinici();
    f->ZpravaEditace = WM_EDIT_ADDRESS;
    f->Tabulka = QStringLiteral("ADRESAR_ZAKL");
    f->KlicovySloupec = QStringLiteral("ADRESAR_ZAKL_ID");
    const char* columns[][2] = {{"NAZEV", "Název"},      {"JMENO", "Jméno"},   {"PRIJMENI", "Příjmení"},
                                {"ULICE", "Ulice"},      {"MESTO", "Město"},   {"PSC", "PSČ"},
                                {"TELEFON1", "Telefon"}, {"EMAIL1", "E-mail"}, {"VYTVORIL_KDY", "Vytvořeno"}};
    for (const auto& c : columns)
        f->PridejSloupec(QLatin1String(c[0]), QString::fromUtf8(c[1]));
    f->NactiData(sort);
    return *f;
}

void BM_NactiDotaz(benchmark::State& state)
{
    BenchDatabase& b = database();
    const QString sql = frame(int(state.range(0))).Dotaz();
    QStringList lines;
    for (auto _ : state) {
        b.db.ObnovTransakci();
        b.db.NactiDotaz(sql, true, lines, QString());
        benchmark::DoNotOptimize(lines.size());
    }
    if (lines.size() != kRows + 1) state.SkipWithError("row count");
}
BENCHMARK(BM_NactiDotaz)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_NactiData(benchmark::State& state)
{
    TFrameStringGrid& f = frame(int(state.range(0)));
    for (auto _ : state) {
        database().db.ObnovTransakci();
        f.NactiData(0);
        benchmark::DoNotOptimize(f.PocetRadku());
    }
    if (f.PocetRadku() != kRows + 1) state.SkipWithError("row count");
}
BENCHMARK(BM_NactiData)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
