#pragma once

#include "common/ktdatumj.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>

class TSQLDATA;

// One event line of a day cell.
struct UdalostDne {
    QString id;    // KU_ID
    QString barva; // KU_C_KAT_BARVA of the main category as decimal text, empty without one
    QString nazev;
    QString casOd; // CAS_OD as the database module renders it
    // The start of a series' occurrence as "yyyyMMddHHmm"; empty for a row of its own.
    QString vyskyt;

    // Start time without seconds: "8:00"; empty when the start has no time.
    QString cas() const;
    // "8:00 Porada"; an occurrence of a series is marked: "8:00 ↻ Porada"
    QString text() const
    {
        return cas() + QLatin1Char(' ') + (vyskyt.isEmpty() ? nazev : QStringLiteral("\u21bb ") + nazev);
    }
    QColor barvaTextu() const; // the category colour, black without one

    bool operator==(const UdalostDne&) const = default;
};

struct DenKalendare {
    // Events the user may read, whatever the category filter; a read with a
    // limit only tells whether there are any (then at least 1).
    int pocet = 0;
    // Event lines under the category filter; a read with a limit counts them
    // up to the limit only and holds just those lines.
    int radku = 0;
    QList<UdalostDne> udalosti;

    bool operator==(const DenKalendare&) const = default;
};

// A stored colour value 0x00BBGGRR (decimal text) as a colour; invalid for empty text.
QColor BarvaZHodnoty(const QString& hodnota);
// "#rrggbb"
QString BarvaHtml(const QColor& barva);

// The category filter goes into SQL text as it is: only ids joined by commas
// (or nothing) are accepted. Throws ActionError otherwise.
void OverFiltrKategorii(const QString& filtr);

// A line of NactiDenKalendare split at its commas as the day cell reads it.
// A name holding a comma shifts the later fields.
UdalostDne UdalostZRadkuDne(const QString& radek);

// One day through the per-day queries PocetUdalosti and NactiDenKalendare.
DenKalendare NactiDenDotazy(TSQLDATA& db, const QString& filtr, bool jenHlavni, DatumCas den);

// The events of the visible weeks, read at a refresh (one query with a limit,
// two without) and kept until the next one, so that painting and clicks never query. Gives per
// day what the per-day queries give, except that names holding commas stay whole.
class DataMesice
{
public:
    // Reads the days od..doDatum; `jenHlavni` applies the filter to the main
    // category only. `limit` > 0 keeps at most that many lines of a day (the
    // first ones); 0 reads every line.
    void nacti(TSQLDATA& db, const QString& filtr, bool jenHlavni, DatumCas od, DatumCas doDatum,
               int limit = 0);
    // Reads the days od..doDatum as nacti does and adds them to those read
    // before (a refresh read in parts); the days should follow on.
    void dopln(TSQLDATA& db, const QString& filtr, bool jenHlavni, DatumCas od, DatumCas doDatum,
               int limit = 0);
    void vyprazdni();
    int limit() const { return m_limit; } // of the last read

    // An empty day for dates that were not read.
    const DenKalendare& den(DatumCas datum) const;
    bool nacteno(DatumCas datum) const { return datum >= m_od && datum <= m_do && m_platne; }
    int dotazu() const { return m_dotazu; } // queries of the last read

    // The statements nacti runs (for tests and the benchmark).
    static QString DotazPoctu(DatumCas od, DatumCas doDatum);
    static QString DotazUdalostiRozsahu(const QString& filtr, bool jenHlavni, DatumCas od, DatumCas doDatum);
    // The first `limit` lines of every day in the order of the day statement
    // (the id settling ties), and a row without an id for a day that has no
    // such lines but holds events the user may read.
    static QString DotazPrvnichUdalosti(const QString& filtr, bool jenHlavni, DatumCas od, DatumCas doDatum,
                                        int limit);

private:
    QHash<qint64, DenKalendare> m_dny;
    DatumCas m_od = 0, m_do = -1;
    bool m_platne = false;
    int m_dotazu = 0;
    int m_limit = 0;
};
