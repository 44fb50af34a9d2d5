#include "calendar/mesicnimrizka.h"

#include <limits>

#include <QDate>
#include <cstdlib>

namespace
{

QDate naQDate(DatumCas d)
{
    const RozlozenyCas r = RozlozDatum(d);
    return QDate(r.rok, r.mesic, r.den);
}

DatumCas zQDate(const QDate& d)
{
    return ZakodujDatum(d.year(), d.month(), d.day());
}

} // namespace

MesicniMrizka::MesicniMrizka(DatumCas dnes)
{
    aktualniMesic(dnes);
}

void MesicniMrizka::setKotva(DatumCas datum)
{
    m_kotva = zQDate(naQDate(datum));
}

DatumCas MesicniMrizka::prvniDen() const
{
    const RozlozenyCas r = RozlozDatum(m_kotva);
    return m_kotva - (DenVTydnu(r.den, r.mesic, r.rok) - 1);
}

DatumCas MesicniMrizka::posledniDen() const
{
    return prvniDen() + 7 * m_tydny - 1;
}

DatumCas MesicniMrizka::datumBunky(int sloupec, int radek) const
{
    return prvniDen() + (sloupec - 1) + 7 * (radek - 1);
}

int MesicniMrizka::cisloTydne(int radek) const
{
    return naQDate(m_kotva + 7 * (radek - 1)).weekNumber();
}

int MesicniMrizka::klicBunky(int sloupec, int radek) const
{
    if (sloupec < 1 || radek < 1) return 0;
    return DatumNaKlic(1, datumBunky(sloupec, radek));
}

void MesicniMrizka::aktualniMesic(DatumCas dnes)
{
    m_kotva = ZmenDatum(0, 0, 1, dnes);
}

bool MesicniMrizka::uberTyden()
{
    if (radku() < 3) return false;
    --m_tydny;
    return true;
}

void MesicniMrizka::posunMesic(int mesice)
{
    // QDate clamps the day to the target month's last day.
    m_kotva = zQDate(naQDate(m_kotva).addMonths(mesice));
}

void MesicniMrizka::rozvrhni(int sirka, int vyska)
{
    m_vyskaRadku = std::max(1, (vyska + kVyskaHlavicky) / radku() - 1);
    m_sirkaSloupce = std::max(1, (sirka - 20) / kSloupcu);
    m_vysky.clear();
    m_sirky.clear();
}

int MesicniMrizka::vyska(int radek) const
{
    if (radek < m_vysky.size()) return m_vysky.at(radek);
    return radek == 0 ? kVyskaHlavicky : m_vyskaRadku;
}

int MesicniMrizka::sirka(int sloupec) const
{
    return sloupec < m_sirky.size() ? m_sirky.at(sloupec) : m_sirkaSloupce;
}

void MesicniMrizka::nastavVyskuRadku(int radek, int vyska)
{
    if (radek < 0) return;
    while (m_vysky.size() <= radek)
        m_vysky << this->vyska(int(m_vysky.size()));
    m_vysky[radek] = std::max(1, vyska);
}

void MesicniMrizka::nastavSirkuSloupce(int sloupec, int sirka)
{
    if (sloupec < 0 || sloupec >= kSloupcu) return;
    while (m_sirky.size() <= sloupec)
        m_sirky << this->sirka(int(m_sirky.size()));
    m_sirky[sloupec] = std::max(1, sirka);
}

QRect MesicniMrizka::bunka(int sloupec, int radek) const
{
    int x = 0, y = 0;
    for (int s = 0; s < sloupec; ++s)
        x += sirka(s) + kCara;
    for (int r = 0; r < radek; ++r)
        y += vyska(r) + kCara;
    return QRect(x, y, sirka(sloupec), vyska(radek));
}

bool MesicniMrizka::bunkaNaBode(QPoint bod, int& sloupec, int& radek) const
{
    if (bod.x() < 0 || bod.y() < 0) return false;
    // A grid line belongs to the cell above or left of it.
    int s = 0, x = sirka(0) + kCara;
    while (s < kSloupcu && bod.x() >= x)
        x += sirka(++s) + kCara;
    int r = 0, y = vyska(0) + kCara;
    while (r <= m_tydny && bod.y() >= y)
        y += vyska(++r) + kCara;
    if (s >= kSloupcu || r > m_tydny) return false;
    sloupec = s;
    radek = r;
    return true;
}

int MesicniMrizka::hranaSloupce(QPoint bod) const
{
    if (bod.y() < 0 || bod.y() >= vyska(0)) return -1;
    int x = -kCara;
    for (int s = 0; s < kSloupcu; ++s) {
        x += sirka(s) + kCara;
        if (std::abs(bod.x() - x) <= 2) return s;
    }
    return -1;
}

int MesicniMrizka::hranaRadku(QPoint bod) const
{
    if (bod.x() < 0 || bod.x() >= sirka(0)) return -1;
    int y = -kCara;
    for (int r = 0; r <= m_tydny; ++r) {
        y += vyska(r) + kCara;
        if (std::abs(bod.y() - y) <= 2) return r;
    }
    return -1;
}

int MesicniMrizka::radkuNaDen() const
{
    int h = 0;
    for (int r = 1; r <= m_tydny; ++r)
        h = std::max(h, vyska(r));
    return radkyDne::viditelne(std::numeric_limits<int>::max(), h) + 1;
}

int radkyDne::viditelne(int n, int vyskaRadku)
{
    int i = 0;
    while (i < n && vejdeSe(i + 1, vyskaRadku))
        ++i;
    return i;
}

CilKliku VyhodnotKlik(int pocet, int radku, int y)
{
    if (pocet <= 0) return {CilKliku::NovaUdalost, 0};
    // Events that the category filter hides leave nothing to click.
    if (radku <= 0) return {};
    if (y < radkyDne::kPrvni) return {CilKliku::SeznamDne, 0};
    const int konec = radkyDne::horni(radku + 1);
    if (y > konec) return {CilKliku::NovaUdalost, 0};
    if (y == konec) return {};
    return {CilKliku::UpravitUdalost, (y - radkyDne::kPrvni) / radkyDne::kVyska + 1};
}
