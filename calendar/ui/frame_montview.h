#pragma once

#include "calendar/datamesice.h"
#include "calendar/mesicnimrizka.h"
#include "common/commandtarget.h"

#include <QTimer>
#include <QWidget>
#include <memory>

class QAction;
class QMenu;
class QToolButton;
class TFrame_INFO_LISTA;
class TMonthGridWidget;

// The month view: week rows of day cells with their events, the info bar of
// the day under the mouse and a column of buttons moving through time.
//
// The events of the visible weeks are read at Obnov (one query: per day only
// the lines a cell of the tallest row can show, and whether the day holds
// events) and kept until the next Obnov; painting, hovering and clicking never
// query. Rows made taller read the further lines; the HTML export reads all.
class TFrame_MontView : public QWidget, public CommandTarget
{
    Q_OBJECT
public:
    explicit TFrame_MontView(QWidget* parent = nullptr);

    // Receives WM_SHOW_DAY_LIST, WM_SHOW_WEEK_LIST and WM_EDIT_EVENT (not owned).
    void setCommandTarget(CommandTarget* target) { m_cil = target; }
    // Receives WM_SHOW_DAY_INFO; the view itself unless replaced (tests).
    void setDayInfoTarget(CommandTarget* target) { m_cilInfo = target ? target : this; }

    // Category bar state; takes effect at the next Obnov. `filtr` is the ticked
    // category ids joined by commas ("0" for none, empty for no condition);
    // `vsechny` is box 0: ticked, the filter applies to any category of an event.
    void NastavFiltrKategorii(const QString& filtr) { m_filtr = filtr; }
    void NastavVsechnyKategorie(bool vsechny) { m_vsechnyKategorie = vsechny; }
    const QString& filtrKategorii() const { return m_filtr; }

    // The first row shows the week of `datum`; takes effect at the next Obnov.
    void NastavKotvu(DatumCas datum) { m_mrizka.setKotva(datum); }

    // Recomputes the layout and reads the visible weeks again (the shared read
    // transaction is not restarted). Throws DbError when the reading fails.
    // When the last read took longer than kCastCteni, the weeks are read in
    // parts of about that time from the event loop and the days shown stay
    // until the new ones are complete (Obnovuje).
    void Obnov();
    bool Obnovuje() const { return bool(m_nova); }
    int pocetCteni() const { return m_pocetCteni; } // reads begun since construction
    // As if the last read had taken `ms` (tests of the read in parts).
    void NastavTrvaniCteni(int ms) { m_trvaniCteni = ms; }
    static constexpr int kCastCteni = 40; // ms

    // WM_SHOW_DAY_INFO: WParam a date key shows that day in the info bar, 0 empties it.
    void command(int message, std::intptr_t wParam, std::intptr_t lParam) override;

    const MesicniMrizka& mrizka() const { return m_mrizka; }
    const DataMesice& data() const { return m_data; }

    QToolButton* SB_REFRESH;
    QToolButton* SB_PrevMonth;
    QToolButton* SB_PrevWeek;
    QToolButton* SB_NextWeek;
    QToolButton* SB_NextMonth;
    QToolButton* SB_AktualDate;
    QToolButton* SB_MINUS;
    QToolButton* SB_PLUS;
    QToolButton* SB_ExportDoHtml;
    TMonthGridWidget* JvDrawGrid1;
    TFrame_INFO_LISTA* Frame_INFO_LISTA1;
    QMenu* PopupMenu1;
    QAction* Novapolozkavtomtodni;
    QAction* Pehledpoloekvtomtodni1;

private:
    friend class TMonthGridWidget;

    // Construction steps, in this order.
    QWidget* vytvorTlacitka();
    void propojTlacitka();
    void vytvorMenu();
    void rozlozOkno(QWidget* sloupec);

    void rozvrhni();
    void nactiData();
    int radkuNaDen() const;
    void pokracujCteni();
    void doplnRadky();
    void posli(int message, std::intptr_t wParam, std::intptr_t lParam);
    void tlacitko(QToolButton* button, const char* hint, void (TFrame_MontView::*akce)());
    void obnovTransakciAObnov();
    void predchoziMesic();
    void predchoziTyden();
    void dalsiTyden();
    void dalsiMesic();
    void aktualniDatum();
    void uberTyden();
    void pridejTyden();
    void exportDoHtml();
    void novaPolozka();
    void prehledDne();

    // Grid events, in grid coordinates.
    void kresli(QPainter& p, const QRect& oblast);
    void kresliZahlavi(QPainter& p, const QRect& c, int s, int r, const QFont& tucne);
    void kresliDen(QPainter& p, const QRect& c, DatumCas den, DatumCas dnes, const QFont& tucne,
                   const QFont& obycejne);
    void kresliUdalosti(QPainter& p, const QRect& c, const DenKalendare& data, const QFont& obycejne);
    void pohybMysi(QPoint bod);
    void klik(QPoint bod);
    void dvojklik(QPoint bod);
    void kontextoveMenu(QPoint bod, QPoint globalne);

    MesicniMrizka m_mrizka;
    DataMesice m_data;
    struct Nacteno { // what m_data was read for
        QString filtr;
        bool vsechny = true;
        DatumCas od = 0, doDatum = -1;
        bool operator==(const Nacteno&) const = default;
    } m_nacteno, m_cteno;               // m_cteno: what a read in parts is for
    std::unique_ptr<DataMesice> m_nova; // a read in parts, swapped in when complete
    DatumCas m_dalsiDen = 0;
    int m_trvaniCteni = 0; // ms of the last complete read
    int m_pocetCteni = 0;
    int m_trvaniNove = 0;
    QTimer* m_casovac;
    QString m_filtr;
    bool m_vsechnyKategorie = true;
    CommandTarget* m_cil = nullptr;
    CommandTarget* m_cilInfo = this;
    int m_sloupec = 0, m_radek = 0; // hovered cell
    QPoint m_mys;
};

// JvDrawGrid1: paints the cells from the view's loaded data.
class TMonthGridWidget : public QWidget
{
    Q_OBJECT
public:
    explicit TMonthGridWidget(TFrame_MontView* view);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    enum class Tazeni { Nic, Sloupec, Radek };

    TFrame_MontView* m_view;
    bool m_poDvojkliku = false;
    Tazeni m_tazeni = Tazeni::Nic; // a border being dragged
    int m_index = -1;              // its column or row
    int m_puvodni = 0;             // its size when the drag began
    QPoint m_zacatek;
};
