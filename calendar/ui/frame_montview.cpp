#include "calendar/ui/frame_montview.h"

#include "calendar/monthhtml.h"
#include "calendar/ui/frame_info_lista.h"
#include "common/action.h"
#include "common/messages.h"
#include "common/ui/dialogs.h"
#include "common/ui/shell.h"
#include "data/sqldata.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

namespace
{

const QColor kSeda(128, 128, 128);
const QColor kPozadiDnes(252, 167, 131);
const QColor kPozadiSvatek(250, 164, 122);
const QColor kPozadiUdalosti(194, 247, 252);
const QColor kCary(160, 160, 160);

QFont pismo(const QFont& zaklad, bool tucne)
{
    QFont f = zaklad;
    f.setPointSize(8);
    f.setBold(tucne);
    return f;
}

} // namespace

TFrame_MontView::TFrame_MontView(QWidget* parent) : QWidget(parent), m_mrizka(Dnes())
{
    setObjectName(QStringLiteral("MonthPanel"));

    Frame_INFO_LISTA1 = new TFrame_INFO_LISTA(this);
    Frame_INFO_LISTA1->setObjectName(QStringLiteral("Frame_INFO_LISTA1"));

    QWidget* sloupec = vytvorTlacitka();
    propojTlacitka();
    JvDrawGrid1 = new TMonthGridWidget(this);
    vytvorMenu();
    rozlozOkno(sloupec);
    m_casovac = new QTimer(this);
    m_casovac->setSingleShot(true);
    m_casovac->setInterval(0);
    connect(m_casovac, &QTimer::timeout, this, [this] { runAction([this] { pokracujCteni(); }); });
}

QWidget* TFrame_MontView::vytvorTlacitka()
{
    auto* sloupec = new QWidget(this);
    sloupec->setFixedWidth(33);
    auto* tlacitka = new QVBoxLayout(sloupec);
    tlacitka->setContentsMargins(2, 2, 2, 2);
    tlacitka->setSpacing(2);
    const auto nove = [&](const char* name, QStyle::StandardPixmap icon, const QString& text) {
        auto* b = new QToolButton(sloupec);
        b->setObjectName(QLatin1String(name));
        b->setFixedSize(29, 27);
        if (text.isEmpty())
            b->setIcon(style()->standardIcon(icon));
        else
            b->setText(text);
        tlacitka->addWidget(b);
        return b;
    };
    SB_REFRESH = nove("SB_REFRESH", QStyle::SP_BrowserReload, {});
    SB_PrevMonth = nove("SB_PrevMonth", QStyle::SP_MediaSeekBackward, {});
    SB_PrevWeek = nove("SB_PrevWeek", QStyle::SP_ArrowUp, {});
    SB_NextWeek = nove("SB_NextWeek", QStyle::SP_ArrowDown, {});
    SB_NextMonth = nove("SB_NextMonth", QStyle::SP_MediaSeekForward, {});
    SB_AktualDate = nove("SB_AktualDate", QStyle::SP_DirHomeIcon, {});
    SB_MINUS = nove("SB_MINUS", {}, QStringLiteral("−"));
    SB_PLUS = nove("SB_PLUS", {}, QStringLiteral("+"));
    SB_ExportDoHtml = nove("SB_ExportDoHtml", {}, QStringLiteral("html"));
    tlacitka->addStretch(1);
    return sloupec;
}

void TFrame_MontView::propojTlacitka()
{
    tlacitko(SB_REFRESH, "Znovunačte data", &TFrame_MontView::obnovTransakciAObnov);
    tlacitko(SB_PrevMonth, "Posune zobrazení na předchozí týdny", &TFrame_MontView::predchoziMesic);
    tlacitko(SB_PrevWeek, "Posune zobrazení na předchozí týdny o jeden řádek",
             &TFrame_MontView::predchoziTyden);
    tlacitko(SB_NextWeek, "Posune zobrazení na následující týdny o jeden řádek",
             &TFrame_MontView::dalsiTyden);
    tlacitko(SB_NextMonth, "Posune zobrazení na následující týdny", &TFrame_MontView::dalsiMesic);
    tlacitko(SB_AktualDate, "Nastaví zobrazení tak, aby byl zobrazen aktuální datum",
             &TFrame_MontView::aktualniDatum);
    tlacitko(SB_MINUS, "Zmenší počet zobrazovaných týdnů o jeden", &TFrame_MontView::uberTyden);
    tlacitko(SB_PLUS, "Zvetší počet zobrazovaných týdnů o jeden", &TFrame_MontView::pridejTyden);
    tlacitko(SB_ExportDoHtml, nullptr, &TFrame_MontView::exportDoHtml);
}

void TFrame_MontView::vytvorMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Novapolozkavtomtodni = PopupMenu1->addAction(QStringLiteral("&Nová položka v tomto dni"));
    Novapolozkavtomtodni->setObjectName(QStringLiteral("Novapolozkavtomtodni"));
    Pehledpoloekvtomtodni1 = PopupMenu1->addAction(QStringLiteral("&Přehled položek v tomto dni"));
    Pehledpoloekvtomtodni1->setObjectName(QStringLiteral("Pehledpoloekvtomtodni1"));
    connect(Novapolozkavtomtodni, &QAction::triggered, this,
            [this] { runAction([this] { novaPolozka(); }); });
    connect(Pehledpoloekvtomtodni1, &QAction::triggered, this,
            [this] { runAction([this] { prehledDne(); }); });
}

// The info bar on top; below it the button column left of the grid.
void TFrame_MontView::rozlozOkno(QWidget* sloupec)
{
    auto* dole = new QHBoxLayout;
    dole->setContentsMargins(0, 0, 0, 0);
    dole->setSpacing(0);
    dole->addWidget(sloupec);
    dole->addWidget(JvDrawGrid1, 1);
    auto* hlavni = new QVBoxLayout(this);
    hlavni->setContentsMargins(0, 0, 0, 0);
    hlavni->setSpacing(0);
    hlavni->addWidget(Frame_INFO_LISTA1);
    hlavni->addLayout(dole, 1);
}

void TFrame_MontView::tlacitko(QToolButton* button, const char* hint, void (TFrame_MontView::*akce)())
{
    if (hint) button->setToolTip(QString::fromUtf8(hint));
    connect(button, &QToolButton::clicked, this, ::akce(this, akce));
}

void TFrame_MontView::rozvrhni()
{
    m_mrizka.rozvrhni(JvDrawGrid1->width(), JvDrawGrid1->height());
}

void TFrame_MontView::Obnov()
{
    const Presypaci presypaci;
    rozvrhni();
    JvDrawGrid1->update();
    nactiData();
}

void TFrame_MontView::nactiData()
{
    m_nova.reset();
    m_casovac->stop();
    ++m_pocetCteni;
    const Nacteno ted{m_filtr, m_vsechnyKategorie, m_mrizka.prvniDen(), m_mrizka.posledniDen()};
    // Each day only the lines a cell can show, and whether it holds events.
    // A read that took long before is done again in parts from the event loop,
    // the shown days staying until it is complete.
    if (m_trvaniCteni < kCastCteni) {
        QElapsedTimer cas;
        cas.start();
        m_data.nacti(SQLDATA(), ted.filtr, !ted.vsechny, ted.od, ted.doDatum, radkuNaDen());
        m_nacteno = ted;
        m_trvaniCteni = int(cas.elapsed());
        return;
    }
    m_nova = std::make_unique<DataMesice>();
    m_cteno = ted;
    m_dalsiDen = ted.od;
    m_trvaniNove = 0;
    pokracujCteni();
}

void TFrame_MontView::pokracujCteni()
{
    if (!m_nova) return;
    QElapsedTimer cas;
    cas.start();
    // Days per part from the last full read's pace, so that a part takes about kCastCteni.
    const int dnu = int(m_cteno.doDatum - m_cteno.od) + 1;
    const int naCast = std::clamp(dnu * kCastCteni / std::max(1, m_trvaniCteni), 1, dnu);
    const DatumCas konec = std::min(m_cteno.doDatum, m_dalsiDen + naCast - 1);
    try {
        m_nova->dopln(SQLDATA(), m_cteno.filtr, !m_cteno.vsechny, m_dalsiDen, konec, radkuNaDen());
    } catch (...) {
        m_nova.reset();
        throw;
    }
    m_trvaniNove += int(cas.elapsed());
    m_dalsiDen = konec + 1;
    if (m_dalsiDen <= m_cteno.doDatum) {
        m_casovac->start();
        return;
    }
    m_data = std::move(*m_nova);
    m_nova.reset();
    m_nacteno = m_cteno;
    m_trvaniCteni = m_trvaniNove;
    JvDrawGrid1->update();
}

int TFrame_MontView::radkuNaDen() const
{
    // Enough for the rows as they are and for rows filling the screen, so
    // that the window being laid out or enlarged reads nothing again.
    int naObrazovce = 0;
    if (const QScreen* obrazovka = screen()) {
        const int vyska = (obrazovka->availableGeometry().height() - 41 - MesicniMrizka::kVyskaHlavicky) /
                          std::max(1, m_mrizka.tydny());
        naObrazovce = radkyDne::viditelne(std::numeric_limits<int>::max(), vyska) + 1;
    }
    return std::max(m_mrizka.radkuNaDen(), naObrazovce);
}

void TFrame_MontView::doplnRadky()
{
    // Rows dragged taller than the screen show more lines: read them.
    const Nacteno ted{m_filtr, m_vsechnyKategorie, m_mrizka.prvniDen(), m_mrizka.posledniDen()};
    if (m_data.limit() == 0 || m_mrizka.radkuNaDen() <= m_data.limit() || !(ted == m_nacteno) || m_nova)
        return;
    runAction([this] { nactiData(); });
    JvDrawGrid1->update();
}

void TFrame_MontView::command(int message, std::intptr_t wParam, std::intptr_t lParam)
{
    if (message != WM_SHOW_DAY_INFO) return;
    runAction([&] {
        if (wParam != 0)
            Frame_INFO_LISTA1->ZobrazDen(true, TextNaDatum(1, QString::number(qint64(wParam))));
        else
            Frame_INFO_LISTA1->ZobrazDen(false, 0);
    });
}

void TFrame_MontView::posli(int message, std::intptr_t wParam, std::intptr_t lParam)
{
    if (m_cil) m_cil->command(message, wParam, lParam);
}

void TFrame_MontView::obnovTransakciAObnov()
{
    SQLDATA().ObnovTransakci();
    Obnov();
}

void TFrame_MontView::predchoziMesic()
{
    m_mrizka.predchoziMesic();
    Obnov();
}

void TFrame_MontView::predchoziTyden()
{
    m_mrizka.predchoziTyden();
    Obnov();
}

void TFrame_MontView::dalsiTyden()
{
    m_mrizka.dalsiTyden();
    Obnov();
}

void TFrame_MontView::dalsiMesic()
{
    m_mrizka.dalsiMesic();
    Obnov();
}

void TFrame_MontView::aktualniDatum()
{
    m_mrizka.aktualniMesic(Dnes());
    Obnov();
}

void TFrame_MontView::uberTyden()
{
    if (m_mrizka.uberTyden()) obnovTransakciAObnov();
}

void TFrame_MontView::pridejTyden()
{
    m_mrizka.pridejTyden();
    obnovTransakciAObnov();
}

void TFrame_MontView::exportDoHtml()
{
    const QString soubor =
        dialogs::saveFileName(this, QStringLiteral("*.html|*.html"), QStringLiteral("html"));
    if (soubor.isEmpty()) return;
    // The export lists every event of a day, the cells only what fits.
    DataMesice vse;
    vse.nacti(SQLDATA(), m_filtr, !m_vsechnyKategorie, m_mrizka.prvniDen(), m_mrizka.posledniDen());
    QString chyba;
    if (!UlozHtml(soubor, HtmlMesice(m_mrizka, vse, Dnes()), chyba)) {
        messages::error(chyba);
        return;
    }
    shell::open(soubor);
}

void TFrame_MontView::novaPolozka()
{
    if (m_sloupec >= 1 && m_radek >= 1)
        posli(WM_EDIT_EVENT, m_mrizka.klicBunky(m_sloupec, m_radek), LP_NEW_ON_DATE);
}

void TFrame_MontView::prehledDne()
{
    if (m_sloupec >= 1 && m_radek >= 1) {
        const int klic = m_mrizka.klicBunky(m_sloupec, m_radek);
        posli(WM_SHOW_DAY_LIST, klic, klic);
    }
}

void TFrame_MontView::kresli(QPainter& p, const QRect& oblast)
{
    const QFont tucne = pismo(font(), true);
    const QFont obycejne = pismo(font(), false);
    const DatumCas dnes = Dnes();

    p.fillRect(oblast, palette().color(QPalette::Window));
    const QRect posledni = m_mrizka.bunka(MesicniMrizka::kSloupcu - 1, m_mrizka.tydny());
    p.fillRect(QRect(QPoint(0, 0), posledni.bottomRight() + QPoint(1, 1)), kCary);

    for (int r = 0; r <= m_mrizka.tydny(); ++r) {
        for (int s = 0; s < MesicniMrizka::kSloupcu; ++s) {
            const QRect c = m_mrizka.bunka(s, r);
            if (!c.intersects(oblast)) continue;
            p.save();
            p.setClipRect(c);
            if (s == 0 || r == 0)
                kresliZahlavi(p, c, s, r, tucne);
            else
                kresliDen(p, c, m_mrizka.datumBunky(s, r), dnes, tucne, obycejne);
            p.restore();
        }
    }
}

// The header row holds the day names, the first column the week numbers.
void TFrame_MontView::kresliZahlavi(QPainter& p, const QRect& c, int s, int r, const QFont& tucne)
{
    p.fillRect(c, kSeda);
    p.setFont(tucne);
    p.setPen(Qt::black);
    QString text;
    if (r == 0 && s > 0)
        text = NazevDne(s, 0, u'C');
    else if (r > 0)
        text = QString::number(m_mrizka.cisloTydne(r)) + QStringLiteral(" týden");
    if (!text.isEmpty())
        p.drawText(c.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void TFrame_MontView::kresliDen(QPainter& p, const QRect& c, DatumCas den, DatumCas dnes, const QFont& tucne,
                                const QFont& obycejne)
{
    const DenKalendare& data = m_data.den(den);
    QColor pozadi = Qt::white;
    QColor barvaData(0, 0, 255);
    if (std::floor(den) == std::floor(dnes)) {
        pozadi = kPozadiDnes;
        barvaData = QColor(255, 0, 0);
    }
    // A holiday outweighs today.
    if (JeStatniSvatek(den)) {
        pozadi = kPozadiSvatek;
        barvaData = QColor(0, 128, 0);
    }
    if (data.pocet > 0) pozadi = kPozadiUdalosti;
    p.fillRect(c, pozadi);
    p.setFont(tucne);
    p.setPen(barvaData);
    p.drawText(c.adjusted(0, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               KlicNaText(1, DatumNaKlic(1, den)));
    if (data.pocet > 0) kresliUdalosti(p, c, data, obycejne);
}

void TFrame_MontView::kresliUdalosti(QPainter& p, const QRect& c, const DenKalendare& data,
                                     const QFont& obycejne)
{
    const int h = c.height();
    const int w = c.width();
    p.setFont(obycejne);
    const int n = data.radku;
    for (int i = 1; i <= int(data.udalosti.size()); ++i) {
        if (!radkyDne::vejdeSe(i, h)) break;
        const UdalostDne& u = data.udalosti.at(i - 1);
        p.setPen(u.barvaTextu());
        p.drawText(QRect(c.left(), c.top() + radkyDne::horni(i), w, radkyDne::kVyska),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, u.text());
    }
    // A short bar at the bottom tells that some events did not fit.
    if (radkyDne::viditelne(n, h) < n)
        p.fillRect(QRect(c.left() + int(std::lround(w / 2.0)) - 10, c.top() + h - 3 - 5, 20, 5), Qt::black);
}

void TFrame_MontView::pohybMysi(QPoint bod)
{
    int s = 0, r = 0;
    if (!m_mrizka.bunkaNaBode(bod, s, r)) return;
    m_mys = bod;
    if (s == m_sloupec && r == m_radek) return;
    m_sloupec = s;
    m_radek = r;
    m_cilInfo->command(WM_SHOW_DAY_INFO, m_mrizka.klicBunky(s, r), s * 100 + r);
}

void TFrame_MontView::klik(QPoint bod)
{
    int s = 0, r = 0;
    if (!m_mrizka.bunkaNaBode(bod, s, r) || s < 1 || r < 1) return;
    const DatumCas den = m_mrizka.datumBunky(s, r);
    const DenKalendare& data = m_data.den(den);
    const CilKliku cil = VyhodnotKlik(data.pocet, data.radku, bod.y() - m_mrizka.bunka(s, r).top());
    const int klic = DatumNaKlic(1, den);
    switch (cil.druh) {
    case CilKliku::SeznamDne:
        posli(WM_SHOW_DAY_LIST, klic, klic);
        break;
    case CilKliku::NovaUdalost:
        posli(WM_EDIT_EVENT, klic, LP_NEW_ON_DATE);
        break;
    case CilKliku::UpravitUdalost: {
        if (cil.radek > data.udalosti.size()) break; // below the cell: never reached
        const UdalostDne& u = data.udalosti.at(cil.radek - 1);
        if (!u.vyskyt.isEmpty())
            posli(WM_EDIT_OCCURRENCE, u.id.toInt(), std::intptr_t(u.vyskyt.toLongLong()));
        else if (!u.id.isEmpty())
            posli(WM_EDIT_EVENT, u.id.toInt(), LP_EDIT_RECORD);
        break;
    }
    case CilKliku::Nic:
        break;
    }
}

void TFrame_MontView::dvojklik(QPoint bod)
{
    int s = 0, r = 0;
    if (!m_mrizka.bunkaNaBode(bod, s, r) || s != 0 || r < 1) return;
    posli(WM_SHOW_WEEK_LIST, m_mrizka.klicBunky(1, r), m_mrizka.klicBunky(7, r));
}

void TFrame_MontView::kontextoveMenu(QPoint bod, QPoint globalne)
{
    // Only over a day cell: beside or below the cells the last hovered day
    // would be the target without the user seeing it.
    int s = 0, r = 0;
    if (!m_mrizka.bunkaNaBode(bod, s, r) || s < 1 || r < 1) return;
    pohybMysi(bod);
    PopupMenu1->popup(globalne);
}

TMonthGridWidget::TMonthGridWidget(TFrame_MontView* view) : QWidget(view), m_view(view)
{
    setObjectName(QStringLiteral("JvDrawGrid1"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 120);
}

void TMonthGridWidget::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    runAction([&] { m_view->kresli(p, e->rect()); });
}

void TMonthGridWidget::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    m_view->rozvrhni();
    m_view->doplnRadky();
}

void TMonthGridWidget::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint bod = e->position().toPoint();
    MesicniMrizka& m = m_view->m_mrizka;
    if (m_tazeni != Tazeni::Nic) {
        const int velikost =
            m_puvodni + (m_tazeni == Tazeni::Sloupec ? bod.x() - m_zacatek.x() : bod.y() - m_zacatek.y());
        if (m_tazeni == Tazeni::Sloupec)
            m.nastavSirkuSloupce(m_index, velikost);
        else
            m.nastavVyskuRadku(m_index, velikost);
        update();
        return;
    }
    if (m.hranaSloupce(bod) >= 0)
        setCursor(Qt::SplitHCursor);
    else if (m.hranaRadku(bod) >= 0)
        setCursor(Qt::SplitVCursor);
    else
        unsetCursor();
    runAction([&] { m_view->pohybMysi(bod); });
}

void TMonthGridWidget::mousePressEvent(QMouseEvent* e)
{
    m_poDvojkliku = false;
    m_tazeni = Tazeni::Nic;
    if (e->button() != Qt::LeftButton) return;
    // Rows and columns are sized by dragging their borders in the week column
    // and the header row, as in an ordinary grid.
    const QPoint bod = e->position().toPoint();
    const MesicniMrizka& m = m_view->m_mrizka;
    if ((m_index = m.hranaSloupce(bod)) >= 0) {
        m_tazeni = Tazeni::Sloupec;
        m_puvodni = m.bunka(m_index, 0).width();
    } else if ((m_index = m.hranaRadku(bod)) >= 0) {
        m_tazeni = Tazeni::Radek;
        m_puvodni = m.bunka(0, m_index).height();
    }
    m_zacatek = bod;
}

void TMonthGridWidget::mouseReleaseEvent(QMouseEvent* e)
{
    // The release that ends a double click or a drag is not another click.
    if (e->button() == Qt::LeftButton && !m_poDvojkliku && m_tazeni == Tazeni::Nic)
        runAction([&] { m_view->klik(e->position().toPoint()); });
    if (m_tazeni == Tazeni::Radek) m_view->doplnRadky();
    m_poDvojkliku = false;
    m_tazeni = Tazeni::Nic;
}

void TMonthGridWidget::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) return;
    m_poDvojkliku = true;
    runAction([&] { m_view->dvojklik(e->position().toPoint()); });
}

void TMonthGridWidget::contextMenuEvent(QContextMenuEvent* e)
{
    runAction([&] { m_view->kontextoveMenu(e->pos(), e->globalPos()); });
}
