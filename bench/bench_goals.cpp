// The office-scale figures in one run, each printed next to its goal. The large
// databases are built once and kept in the cache folder beside the build
// (ORVAN_BENCH_CACHE overrides it); delete the folder to build them again.
//
//   bench_goals [repeats]
//
// Times are medians of the repeats; the ratios compare figures taken in the
// same run, so a loaded machine moves both sides alike.
#include "calendar/datamesice.h"
#include "calendar/mesicnimrizka.h"
#include "calendar/slunce.h"
#include "calendar/ui/browsepanel.h"
#include "calendar/ui/frame_montview.h"
#include "common/clock.h"
#include "common/commandtarget.h"
#include "common/session.h"
#include "data/dbschema.h"
#include "data/dbupgrade.h"
#include "data/fb.h"
#include "data/sqldata.h"
#include "overview/ui/framestringgrid.h"
#include "tasks/planovacalarmu.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>
#include <algorithm>
#ifdef __GLIBC__
#include <malloc.h>
#endif
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
    if (const VysledekZapisu v = db.ProvedSQL(sql); !v.ok) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(sql), qPrintable(v.chyba));
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

// n events spread evenly over the six visible weeks, starting at any minute
// from 6:00 to 17:59, the rights and categories mixed as in an office; as many
// again in the weeks after them.
void fillEvents(TSQLDATA& db, int n)
{
    for (int k = 1; k <= 5; ++k)
        run(db, QStringLiteral("insert into KU_C_KAT (KU_C_KAT_ID, KU_C_KAT_NAZEV, KU_C_KAT_BARVA) values "
                               "(%1, 'Kategorie %1', %2)")
                    .arg(k)
                    .arg(k * 40000));
    run(db, QStringLiteral(
                "EXECUTE BLOCK AS DECLARE I INTEGER = 0; DECLARE D DATE; BEGIN WHILE (I < %1) DO BEGIN "
                "D = CAST('31.8.2026' AS DATE) + MOD(:I, %2) + IIF(:I < %3, 0, %2); "
                "INSERT INTO KU (KU_ID, DATUM, CAS_OD, NAZEV, KU_TYP, ALARM, F_CIST) VALUES (:I + 1, :D, "
                ":D + (360 + MOD(:I * 37, 720)) / 1440.0, 'Schůzka ' || :I || ', zasedačka', 0, 0, "
                "DECODE(MOD(:I, 4), 0, NULL, 1, 0, 2, 1, 3)); "
                "INSERT INTO KU_KAT (KU_KAT_ID, KU_ID, KU_C_KAT_ID, HLAVNI) VALUES (2 * :I + 1, :I + 1, "
                "1 + MOD(:I, 5), 1); "
                "IF (MOD(:I, 3) = 0) THEN INSERT INTO KU_KAT (KU_KAT_ID, KU_ID, KU_C_KAT_ID, HLAVNI) "
                "VALUES (2 * :I + 2, :I + 1, 1 + MOD(:I + 2, 5), 0); "
                "I = I + 1; END END")
                .arg(2 * n)
                .arg(kDnu)
                .arg(n));
}

// Series over the weeks of the events: weekly, monthly and every few days,
// at times across the working day, a main category each.
void fillSeries(TSQLDATA& db, int n)
{
    run(db,
        QStringLiteral(
            "EXECUTE BLOCK AS DECLARE I INTEGER = 0; DECLARE D DATE; BEGIN WHILE (I < %1) DO BEGIN "
            "D = CAST('1.6.2026' AS DATE) + MOD(:I, 60); "
            "INSERT INTO KU (KU_ID, DATUM, CAS_OD, CAS_DO, NAZEV, KU_TYP, ALARM, OPAKOVANI, KONEC_OPAKOVANI) "
            "VALUES (1000001 + :I, :D, :D + (360 + MOD(:I * 37, 720)) / 1440.0, "
            ":D + (420 + MOD(:I * 37, 720)) / 1440.0, 'Série ' || :I, 0, 0, "
            "DECODE(MOD(:I, 3), 0, 'FREQ=WEEKLY;BYDAY=' || DECODE(MOD(:I, 5), 0, 'MO', 1, 'TU', 2, 'WE', 3, "
            "'TH', 'FR'), 1, 'FREQ=MONTHLY;BYMONTHDAY=' || (1 + MOD(:I, 28)), "
            "'FREQ=DAILY;INTERVAL=' || (2 + MOD(:I, 5))), CAST('31.12.9999' AS DATE)); "
            "INSERT INTO KU_KAT (KU_KAT_ID, KU_ID, KU_C_KAT_ID, HLAVNI) VALUES (1000001 + :I, 1000001 + :I, "
            "1 + MOD(:I, 5), 1); "
            "I = I + 1; END END")
            .arg(n));
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
    // A cache built by an older program gets the later schema steps.
    const QString chyba = dbupgrade::Aktualizuj(db).chyba;
    if (!chyba.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(chyba));
        std::abort();
    }
}

int g_repeats = 5;

QString loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2)
                                       : QString();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Milliseconds of one call.
double ms(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

double medianMs(const std::function<void()>& f, int repeats = g_repeats)
{
    std::vector<double> v;
    for (int i = 0; i < repeats; ++i)
        v.push_back(ms(f));
    return median(v);
}

double rssMb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> v = f.readAll().split(' ');
    return v.size() > 1 ? v[1].toDouble() * 4096.0 / (1024.0 * 1024.0) : 0;
}

void figure(const char* what, double value, const char* unit, const char* goal, bool ok)
{
    std::printf("  %-58s %10.2f %-3s  goal %-12s %s\n", what, value, unit, goal, ok ? "ok" : "MISSED");
    std::fflush(stdout);
}

void note(const char* what, double value, const char* unit)
{
    std::printf("  %-58s %10.2f %-3s\n", what, value, unit);
    std::fflush(stdout);
}

// The address overview: rights of the user's groups, sorted by the first
// column (NAZEV, which has an index) unless `razeni` says otherwise.
void defineAddresses(TFrameStringGrid& f, int razeni)
{
    f.ZrusDefinici();
    f.ZpravaEditace = WM_EDIT_ADDRESS;
    f.Tabulka = QStringLiteral("ADRESAR_ZAKL");
    f.KlicovySloupec = QStringLiteral("ADRESAR_ZAKL_ID");
    f.Podminka = QStringLiteral("where ((adresar_zakl.f_cist is null) or (adresar_zakl.f_cist=0) or "
                                "(adresar_zakl.f_cist in (1,2)))");
    const char* columns[][2] = {{"NAZEV", "Název"},      {"JMENO", "Jméno"},   {"PRIJMENI", "Příjmení"},
                                {"ULICE", "Ulice"},      {"MESTO", "Město"},   {"PSC", "PSČ"},
                                {"TELEFON1", "Telefon"}, {"EMAIL1", "E-mail"}, {"VYTVORIL_KDY", "Vytvořeno"}};
    for (const auto& c : columns)
        f.PridejSloupec(QLatin1String(c[0]), QString::fromUtf8(c[1]));
    f.Razeni = razeni;
}

// Definition and first screen, painted.
double firstScreen(TFrameStringGrid& f, TSQLDATA& db, int razeni, int repeats = g_repeats)
{
    setSQLDATA(&db);
    return medianMs(
        [&] {
            db.ObnovTransakci();
            defineAddresses(f, razeni);
            f.NactiData(0);
            f.repaint();
        },
        repeats);
}

void overviewFigures(TSQLDATA& small, TSQLDATA& large)
{
    std::printf("Overview of addresses (10,000 and 1,000,000 rows)\n");
    TFrameStringGrid f;
    f.resize(1000, 700);
    f.show();
    QCoreApplication::processEvents();
    firstScreen(f, small, 1, 3); // warm-up
    firstScreen(f, large, 1, 3);
    firstScreen(f, small, 1, 1);
#ifdef __GLIBC__
    malloc_trim(0); // what earlier parts freed does not count
#endif
    const double baseRss = rssMb();
    // Interleaved, three times as many runs: both take a few milliseconds.
    std::vector<double> a, b;
    for (int i = 0; i < 3 * g_repeats; ++i) {
        a.push_back(firstScreen(f, small, 1, 1));
        b.push_back(firstScreen(f, large, 1, 1));
    }
    const double t10k = median(a), t1m = median(b);
    figure("first screen, 1,000,000 rows", t1m, "ms", "<= 100", t1m <= 100);
    figure("first screen 1,000,000 / 10,000 rows", t1m / t10k, "x", "<= 2", t1m / t10k <= 2);
    note("first screen, 10,000 rows", t10k, "ms");
    note("rows read for the first screen", f.Model()->dataRowCount(), "");
    note("memory after the first screen of 1,000,000 rows (RSS growth)", rssMb() - baseRss, "MB");
    const double unsorted = firstScreen(f, large, 5);
    note("first screen sorted by a column without index (server sorts)", unsorted, "ms");

    // Scrolling on: reading 20,000 rows as the grid asks for them.
    firstScreen(f, large, 1);
    QTableView* grid = f.StringGrid1;
    const double scroll = ms([&] {
        while (f.Model()->dataRowCount() < 20000) {
            grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
            QCoreApplication::processEvents();
        }
    });
    note("scrolling on to row 20,000", scroll, "ms");
    note("memory with 20,000 rows read (RSS growth)", rssMb() - baseRss, "MB");

    // A change event on a list scrolled far down: the longest time the event
    // loop is held, and whether the selection and top row stay.
    grid->setCurrentIndex(f.Model()->index(19000, 2));
    grid->scrollTo(f.Model()->index(18990, 0), QAbstractItemView::PositionAtTop);
    const QString key = f.Klic(19001), top = f.Klic(grid->rowAt(0) + 1);
    std::vector<double> longest;
    for (int i = 0; i < g_repeats; ++i) {
        double worst = ms([&] { f.Obnov(); });
        const double total = ms([&] {
            while (f.Model()->obnovuje())
                worst = std::max(worst, ms([] { QCoreApplication::processEvents(QEventLoop::AllEvents); }));
        });
        Q_UNUSED(total);
        longest.push_back(worst);
    }
    const double worst = *std::max_element(longest.begin(), longest.end());
    figure("change event on 1,000,000 rows, 20,000 read: longest block", worst, "ms", "<= 100", worst <= 100);
    const bool kept = f.Klic(grid->currentIndex().row() + 1) == key && f.Klic(grid->rowAt(0) + 1) == top;
    figure("selection and top row kept by key", kept ? 1 : 0, "", "1", kept);

    // Everything, as printing and exports need it, and memory given back.
    const double all = ms([&] { f.NactiVse(); });
    note("reading the rest of 1,000,000 rows (print, export)", all, "ms");
    const double full = rssMb() - baseRss;
    note("memory with 1,000,000 rows read (RSS growth)", full, "MB");
    firstScreen(f, small, 1, 1);
    const double after = rssMb() - baseRss;
    note("memory with the small list shown before (RSS)", baseRss, "MB");
    // What stays is mostly the engine's page cache of the large database.
    note("memory after switching back to it (RSS growth)", after, "MB");
    figure("memory kept after switching back / held by the large list", after / full, "x", "<= 0.1",
           after / full <= 0.1);
    f.ZrusDefinici();
    setSQLDATA(nullptr);
}

// NactiDotaz against the raw OO API fetch of the same statement, with a
// timestamp that has a time part.
void readFigures(TSQLDATA& db)
{
    std::printf("Reading 100,000 rows of ten columns\n");
    const QString sql = QStringLiteral(
        "select first 100000 ADRESAR_ZAKL_ID, NAZEV, JMENO, PRIJMENI, ULICE, MESTO, PSC, TELEFON1, EMAIL1, "
        "VYTVORIL_KDY from ADRESAR_ZAKL");
    const QByteArray text = sql.toLatin1();
    auto raw = [&] {
        db.ObnovTransakci();
        fb::Status st(fb::status());
        Firebird::ITransaction* tra = db.attachment()->startTransaction(&st, 0, nullptr);
        Firebird::IStatement* stmt = db.attachment()->prepare(&st, tra, text.size(), text.constData(), 1, 0);
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
    };
    // A caller reading the same list again: the previous result's memory is reused.
    QStringList lines;
    auto nacti = [&] {
        db.ObnovTransakci();
        db.NactiDotaz(sql, true, lines, QString());
    };
    // A fresh list each time, kept until the timing ends: every page is new to the process.
    std::vector<QStringList> kept;
    kept.reserve(size_t(3 * g_repeats) + 1);
    auto fresh = [&] {
        db.ObnovTransakci();
        kept.emplace_back();
        db.NactiDotaz(sql, true, kept.back(), QString());
    };
    raw();
    nacti();
    // Alternating, so that a change in the machine's load falls on all alike.
    // Three times the repeats: the ratio moves with the machine's load.
    std::vector<double> r, n, f;
    for (int i = 0; i < 3 * g_repeats; ++i) {
        r.push_back(ms(raw));
        n.push_back(ms(nacti));
        f.push_back(ms(fresh));
    }
    const double ratio = median(n) / median(r);
    note("raw fetch", median(r), "ms");
    note("NactiDotaz", median(n), "ms");
    figure("NactiDotaz / raw fetch", ratio, "x", "<= 1.3", ratio <= 1.3);
    note("NactiDotaz into fresh memory each time / raw fetch", median(f) / median(r), "x");
}

// The month view over six weeks that hold 50,000 events.
// The month view shown on the bench's weeks, six week rows.
void sestTydnu(TFrame_MontView& view)
{
    view.resize(1200, 800);
    view.show();
    QCoreApplication::processEvents();
    view.NastavKotvu(kPrvniDen + 1);
    view.SB_PLUS->click();
}

void monthFigures(TSQLDATA& db)
{
    std::printf("Month view, six weeks with 50,000 events\n");
    setSQLDATA(&db);
    TFrame_MontView view;
    sestTydnu(view);
    const MesicniMrizka& m = view.mrizka();
    const QString filtr = QStringLiteral("1,2,4");
    int events = 0;
    {
        DataMesice all;
        all.nacti(db, QString(), true, m.prvniDen(), m.posledniDen());
        for (DatumCas d = m.prvniDen(); d <= m.posledniDen(); d += 1)
            events += all.den(d).pocet;
    }
    note("events the user may read in the visible weeks", events, "");
    for (const bool vsechny : {false, true}) {
        view.NastavFiltrKategorii(filtr);
        view.NastavVsechnyKategorie(vsechny);
        std::vector<double> cut, full, worst, done;
        for (int i = 0; i < g_repeats; ++i) {
            // In one go: restart the transaction, read, paint.
            view.NastavTrvaniCteni(0);
            cut.push_back(ms([&] {
                db.ObnovTransakci();
                view.Obnov();
                view.JvDrawGrid1->repaint();
            }));
            // A change event after that: read in parts from the event loop.
            double longest = 0;
            done.push_back(ms([&] {
                longest = ms([&] {
                    db.ObnovTransakci();
                    view.Obnov();
                });
                while (view.Obnovuje())
                    longest = std::max(longest, ms([] { QCoreApplication::processEvents(); }));
                view.JvDrawGrid1->repaint();
            }));
            worst.push_back(longest);
            full.push_back(ms([&] {
                db.ObnovTransakci();
                DataMesice d;
                d.nacti(db, filtr, !vsechny, m.prvniDen(), m.posledniDen());
            }));
        }
        const double t = median(cut);
        const double w = *std::max_element(worst.begin(), worst.end());
        figure(vsechny ? "refresh in one go, any category (distinct)"
                       : "refresh in one go, main categories only",
               t, "ms", "<= 100", t <= 100);
        figure("  change event, read in parts: longest block", w, "ms", "<= 100", w <= 100);
        note("  change event, read in parts: until the new days show", median(done), "ms");
        note("  every line of every day (the HTML export's read)", median(full), "ms");
        note("  queries per refresh in one go", view.data().dotazu(), "");
        note("  lines read per day", view.data().limit(), "");
    }
    // The worst case: a filter that hides every event, so each day is walked to its end.
    for (const bool vsechny : {false, true}) {
        const double t = medianMs([&] {
            db.ObnovTransakci();
            DataMesice d;
            d.nacti(db, QStringLiteral("9"), !vsechny, m.prvniDen(), m.posledniDen(), view.data().limit());
        });
        note(vsechny ? "refresh with a category no event has, any category"
                     : "refresh with a category no event has, main categories",
             t, "ms");
    }
    // Hovering every day of the view: the info bar's name days.
    const int before = CteniSvatku();
    for (int r = 1; r <= m.tydny(); ++r)
        for (int s = 1; s <= 7; ++s) {
            const QPoint p = m.bunka(s, r).center();
            QMouseEvent move(QEvent::MouseMove, p, view.JvDrawGrid1->mapToGlobal(p), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(view.JvDrawGrid1, &move);
        }
    const int reads = CteniSvatku() - before;
    figure("name-day reads while hovering 42 days", reads, "", "<= 1 per run", reads <= 1);

    // The date-range list of a day and of a week of those events, refreshed as on a change event.
    TBrowsePanel list;
    list.resize(800, 600);
    list.show();
    list.NastavFiltrKategorii(filtr);
    for (const int dnu : {1, 7}) {
        list.NastavRozsah(kPrvniDen + 7, kPrvniDen + 7 + dnu - 1);
        const double t = medianMs([&] { list.Obnov(); });
        note(dnu == 1 ? "date-range list of a day (about 1,200 events), refresh"
                      : "date-range list of a week (about 8,300 events), refresh",
             t, "ms");
    }
    setSQLDATA(nullptr);
}

} // namespace

// The text step (Windows-1250 to UTF-8 with the Czech collation) on the
// million addresses as a version 17 database holds them: built once, copied
// for each measurement.
int upgradeFigures()
{
    QDir().mkpath(cacheDir());
    const QString v17 = QDir(cacheDir()).absoluteFilePath(QStringLiteral("office-1m-v17.fdb"));
    if (!QFileInfo::exists(v17 + QStringLiteral(".ready"))) {
        std::fprintf(stderr, "building %s once...\n", qPrintable(v17));
        QFile::remove(v17);
        dbschema::createDatabase(v17, kUser, kPassword, false, false);
        TSQLDATA db;
        if (!db.PripojDatabazi(v17, kUser, kPassword)) std::abort();
        if (!dbupgrade::Aktualizuj(db, {}, 17).chyba.isEmpty()) std::abort();
        fillAddresses(db, 1000000);
        db.Odpoj();
        QFile f(v17 + QStringLiteral(".ready"));
        if (!f.open(QIODevice::WriteOnly)) std::abort();
    }
    const QString copy = QDir(cacheDir()).absoluteFilePath(QStringLiteral("upgrade-copy.fdb"));
    QFile::remove(copy);
    if (!QFile::copy(v17, copy)) std::abort();
    TSQLDATA db;
    if (!db.PripojDatabazi(copy, kUser, kPassword)) std::abort();
    QElapsedTimer t;
    t.start();
    const QString chyba = dbupgrade::Aktualizuj(db).chyba;
    const double step = double(t.elapsed()) / 1000.0;
    if (!chyba.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(chyba));
        return 1;
    }
    std::printf("text step 18 on 1,000,000 addresses: %.1f s (load %s)\n", step, qPrintable(loadAverage()));
    // The stored rows keep their old format until written again: a first full
    // read converts every value on the way.
    t.restart();
    const int rows =
        db.VratInt(QStringLiteral("select count(*) from adresar_zakl where prijmeni containing 'novák 9'"));
    std::printf("first full read after it (%d rows match): %.1f s\n", rows, double(t.elapsed()) / 1000.0);
    db.Odpoj();
    QFile::remove(copy);
    return 0;
}

// The month view with 2,000 series among the 50,000 events against the same
// view without them: a refresh in one go.
void seriesFigures(TSQLDATA& plain, TSQLDATA& series)
{
    std::printf("Month view with 2,000 series among 50,000 events\n");
    double t[2] = {0, 0};
    int lines = 0;
    for (int k = 0; k < 2; ++k) {
        TSQLDATA& db = k == 0 ? plain : series;
        setSQLDATA(&db);
        TFrame_MontView view;
        sestTydnu(view);
        view.NastavFiltrKategorii(QStringLiteral("1,2,4"));
        view.NastavTrvaniCteni(0);
        t[k] = medianMs([&] {
            db.ObnovTransakci();
            view.Obnov();
            view.JvDrawGrid1->repaint();
        });
        if (k == 1) {
            DataMesice d;
            d.nacti(db, QString(), true, view.mrizka().prvniDen(), view.mrizka().posledniDen());
            for (DatumCas den = view.mrizka().prvniDen(); den <= view.mrizka().posledniDen(); den += 1)
                lines += d.den(den).radku;
        }
        setSQLDATA(nullptr);
    }
    note("lines of the visible weeks with the series (every line)", lines, "");
    figure("refresh in one go, with the series", t[1], "ms", "<= 100", t[1] <= 100);
    figure("with the series / without them", t[1] / t[0], "x", "<= 1.5", t[1] / t[0] <= 1.5);
}

// The alarm search with 2,000 series with alarms among the 50,000 events, as
// each tick and change event runs it once the series' next alarms are known.
void alarmFigures()
{
    std::printf("Alarm search with 2,000 series with alarms among 50,000 events\n");
    TSQLDATA db;
    openDatabase(db, QStringLiteral("office-alarms.fdb"), [](TSQLDATA& d) {
        fillEvents(d, 50000);
        fillSeries(d, 2000);
        // Each series alarms 15 minutes before every occurrence.
        run(d, QStringLiteral("update KU set ALARM=1, ALARM_TYP_AKCE=0, ALARM_DATUM=DATUM, "
                              "ALARM_CAS=CAS_OD - 15/1440.0 where OPAKOVANI is not null"));
    });
    setSQLDATA(&db);
    session().NastavSkupiny({1, 2});
    session().AlarmPoslDatum = QStringLiteral("14.9.2026");
    session().AlarmPoslCas = QStringLiteral("12:00:00");
    PlanovacAlarmu p(db, session());
    bool nalezen = false;
    note("first search: every series' next alarm found", ms([&] { nalezen = p.NajdiDalsiAlarm(); }), "ms");
    if (!nalezen) std::abort();
    std::vector<double> v;
    for (int i = 0; i < 20 * g_repeats; ++i)
        v.push_back(ms([&] { p.NajdiDalsiAlarm(); }));
    const double warm = median(v);
    figure("alarm search per tick, series known", warm, "ms", "<= 5", warm <= 5);
    // A change event renews the read transaction: the series are checked again.
    v.clear();
    for (int i = 0; i < 20 * g_repeats; ++i) {
        db.ObnovTransakci();
        v.push_back(ms([&] { p.NajdiDalsiAlarm(); }));
    }
    note("  after a change event, the series unchanged", median(v), "ms");
    // Instants performed one after the other: the series due are expanded again.
    TestClock later(QDateTime(QDate(2027, 1, 1), QTime(0, 0)));
    Clock::setCurrent(&later);
    QList<AlarmRadek> radky;
    int rows = 0;
    v.clear();
    for (int i = 0; i < 20 * g_repeats; ++i) {
        v.push_back(ms([&] { p.SpustAlarmy(radky); }));
        rows += int(radky.size());
    }
    Clock::setCurrent(nullptr);
    note("an instant performed and the next one found", median(v), "ms");
    note("  rows per instant", double(rows) / double(v.size()), "");
    setSQLDATA(nullptr);
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 2 && QString::fromLocal8Bit(argv[2]) == QLatin1String("upgrade")) return upgradeFigures();
    if (argc > 2 && QString::fromLocal8Bit(argv[2]) == QLatin1String("alarms")) {
        // Its own database only: the address databases are not needed.
        g_repeats = std::max(1, std::atoi(argv[1]));
        std::printf("bench_goals: medians of %d runs; load average at start: %s\n", g_repeats,
                    qPrintable(loadAverage()));
        alarmFigures();
        std::printf("load average at the end: %s\n", qPrintable(loadAverage()));
        return 0;
    }
    TSQLDATA small, large;
    openDatabase(small, QStringLiteral("office-10k.fdb"), [](TSQLDATA& db) { fillAddresses(db, 10000); });
    openDatabase(large, QStringLiteral("office-1m.fdb"), [](TSQLDATA& db) { fillAddresses(db, 1000000); });
    TSQLDATA calendar;
    openDatabase(calendar, QStringLiteral("office-events.fdb"), [](TSQLDATA& db) { fillEvents(db, 50000); });
    if (argc > 1) g_repeats = std::max(1, std::atoi(argv[1]));
    std::printf("bench_goals: medians of %d runs; load average at start: %s\n", g_repeats,
                qPrintable(loadAverage()));
    session().NastavSkupiny({1, 2});
    // A second argument picks one part: read, overview, month, series, alarms.
    const QString part = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (part.isEmpty() || part == QLatin1String("read")) readFigures(large);
    if (part.isEmpty() || part == QLatin1String("overview")) overviewFigures(small, large);
    if (part.isEmpty() || part == QLatin1String("month")) monthFigures(calendar);
    if (part.isEmpty() || part == QLatin1String("series")) {
        TSQLDATA series;
        openDatabase(series, QStringLiteral("office-events-series.fdb"), [](TSQLDATA& db) {
            fillEvents(db, 50000);
            fillSeries(db, 2000);
        });
        seriesFigures(calendar, series);
    }
    if (part.isEmpty()) alarmFigures();
    if (part == QLatin1String("sql") || part == QLatin1String("sql-events")) {
        // Times of single statements given on standard input, one a line, on
        // the addresses' or the events' database.
        TSQLDATA& db = part == QLatin1String("sql") ? large : calendar;
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) return 1;
        while (!in.atEnd()) {
            const QString sql = QString::fromUtf8(in.readLine()).trimmed();
            if (sql.isEmpty()) continue;
            int rows = 0;
            const double t = medianMs([&] {
                db.ObnovTransakci();
                db.OtevriDotaz(sql);
                rows = 0;
                while (db.cursor().next())
                    ++rows;
                db.cursor().close();
            });
            std::printf("%8.1f ms %7d rows  %s\n", t, rows, qPrintable(sql.left(150)));
        }
    }
    std::printf("load average at the end: %s\n", qPrintable(loadAverage()));
    return 0;
}
