#pragma once

#include "common/ktdatumj.h"

#include <QList>
#include <QPoint>
#include <QRect>

// The month grid without a window: which days it shows, how it moves through
// time, where its cells lie and what a click in a day cell means.
//
// Column 0 holds the week numbers and row 0 the day names; the day cells are
// columns 1-7 (Monday to Sunday) and rows 1..tydny().
class MesicniMrizka
{
public:
    static constexpr int kSloupcu = 8;
    static constexpr int kVyskaHlavicky = 20;
    static constexpr int kCara = 1; // grid line between cells

    // The date whose week is the first row; starts as the first of the month of `dnes`.
    explicit MesicniMrizka(DatumCas dnes = Dnes());

    DatumCas kotva() const { return m_kotva; }
    void setKotva(DatumCas datum);
    int tydny() const { return m_tydny; }
    int radku() const { return m_tydny + 1; }

    DatumCas prvniDen() const;    // Monday of the anchor's week
    DatumCas posledniDen() const; // Sunday of the last row
    // Day of a day cell (column 1-7, row >= 1).
    DatumCas datumBunky(int sloupec, int radek) const;
    // ISO 8601 week number shown in the week cell of a row.
    int cisloTydne(int radek) const;
    // Date key of the cell for WM_SHOW_DAY_INFO: 0 for the header row and the week column.
    int klicBunky(int sloupec, int radek) const;

    void predchoziMesic() { posunMesic(-1); }
    void dalsiMesic() { posunMesic(1); }
    void predchoziTyden() { m_kotva -= 7; }
    void dalsiTyden() { m_kotva += 7; }
    void aktualniMesic(DatumCas dnes);
    // False (nothing changes) when only one week row is left.
    bool uberTyden();
    void pridejTyden() { ++m_tydny; }

    // Default sizes for a grid of the given size; sizes changed by dragging
    // last until the next call.
    void rozvrhni(int sirka, int vyska);
    int vyskaRadku() const { return m_vyskaRadku; }     // default height of a week row
    int sirkaSloupce() const { return m_sirkaSloupce; } // default width of a column
    void nastavVyskuRadku(int radek, int vyska);
    void nastavSirkuSloupce(int sloupec, int sirka);
    QRect bunka(int sloupec, int radek) const;
    // Event lines a day cell of the tallest week row can show, plus the one
    // whose band a click can still reach: what a refresh must read per day.
    int radkuNaDen() const;
    // The cell under a point of the grid; false outside every cell.
    bool bunkaNaBode(QPoint bod, int& sloupec, int& radek) const;
    // Borders that can be dragged: a column's right border within the header
    // row, a row's bottom border within the week column; -1 when none is near.
    int hranaSloupce(QPoint bod) const;
    int hranaRadku(QPoint bod) const;

private:
    void posunMesic(int mesice);

    DatumCas m_kotva = 0;
    int m_tydny = 5;
    int vyska(int radek) const;
    int sirka(int sloupec) const;

    int m_vyskaRadku = 20;
    int m_sirkaSloupce = 64;
    QList<int> m_vysky; // per row, 0 = header; missing rows take the default
    QList<int> m_sirky; // per column
};

// Event lines inside a day cell: the first line starts 14 pixels below the
// cell's top, each takes 13 pixels, and a line is drawn only when the row is
// at least 24 + 13·(i − 1) pixels high.
namespace radkyDne
{
inline constexpr int kPrvni = 14;
inline constexpr int kVyska = 13;
inline int horni(int i)
{
    return kPrvni + kVyska * (i - 1);
} // i is 1-based
inline bool vejdeSe(int i, int vyskaRadku)
{
    return vyskaRadku >= 24 + kVyska * (i - 1);
}
// How many of n lines a row of this height shows.
int viditelne(int n, int vyskaRadku);
} // namespace radkyDne

// What a click in a day cell does.
struct CilKliku {
    enum Druh { Nic, SeznamDne, UpravitUdalost, NovaUdalost };
    Druh druh = Nic;
    int radek = 0; // 1-based event line for UpravitUdalost

    bool operator==(const CilKliku&) const = default;
};

// `y` is measured from the cell's top; `pocet` is the day count (read rights
// only), `radku` the number of event lines shown under the category filter.
CilKliku VyhodnotKlik(int pocet, int radku, int y);
