#pragma once

#include "overview/gridmodel.h"
#include "overview/gridquery.h"

#include <QWidget>

class QAction;
class QMenu;
class QTableView;
class QToolButton;
class TGridHeader;

// The generic overview: a definition (the GridDefinition fields, set by the
// owner between ZrusDefinici and NactiData) becomes one SELECT whose whole
// result the grid shows. Sorting and filtering are done by the server; the
// frame writes nothing but the single-row delete of its popup menu.
//
// Setting up an overview:
//     frame->ZrusDefinici();
//     frame->ZpravaEditace = WM_EDIT_CALENDAR_CATEGORY;
//     frame->Tabulka = "KU_C_KAT";
//     frame->KlicovySloupec = "KU_C_KAT_ID";
//     frame->PridejSloupec("KU_C_KAT_NAZEV", "Název", false, QString(), 40);
//     frame->NactiData(1); // throws DbError when the server refuses the SELECT
// The user's sort and filters then live in Razeni and the columns. A new
// Podminka (or any other field) takes effect with Obnov(), which restarts the
// read transaction and reloads keeping sort and filters; so does WM_DATA_CHANGED
// handling. Every overview starts again from ZrusDefinici.
class TFrameStringGrid : public QWidget, public GridDefinition
{
    Q_OBJECT

public:
    explicit TFrameStringGrid(QWidget* parent = nullptr);
    ~TFrameStringGrid() override;

    QWidget* Panel1; // the empty strip at the top
    QWidget* Panel2; // the tool bar
    QToolButton* SBRefresh;
    QToolButton* SBNewRecord;
    QToolButton* SB_TISK;
    QToolButton* SB_FilterOFF;
    QToolButton* SB_EXPORT_CSV;
    QToolButton* SB_EXPORT_HTML;
    QTableView* StringGrid1;
    QMenu* PopupMenu1;
    QAction* Souethodnotvesloupci1;
    QAction* Nastavenfiltruprotentosloupec1;
    QAction* DeleteZaznam;
    QAction* Exportsloupcedoschrnky1;

    // Clears the definition for a new overview (see GridDefinition::resetDefinition),
    // the loaded rows and the override colour lists.
    void ZrusDefinici();
    // Builds the SELECT and loads the grid. razeni: the column (1-based) whose
    // sort is requested, 0 keeps the sort. Throws DbError; the grid is then empty.
    void NactiData(int razeni);
    // Restarts the read transaction and reloads with the current sort and
    // filters. A list longer than its first block keeps its rows on screen
    // while the new ones are read from the event loop, then keeps the selected
    // record and the top row by key. Throws DbError; the rows shown then stay.
    void Obnov();
    // Finishes a refresh still being read (tests, before acting on the rows).
    void DokonciObnovu();
    // Reads the rows the server still holds for the list, with a progress
    // window; false when the user stopped it. Printing, exports, sums, the
    // column copy and the colouring operations call it first.
    bool NactiVse() const;

    // Colouring by grid row (0 = captions); column indexes are 0-based grid columns.
    void NastavBarvyRadku(bool pismo, bool pozadi, ColourValue barva);
    void ObarviSkupiny(int sloupec, bool pismo, bool pozadi, ColourValue barva1, ColourValue barva2);
    void ObarviNavaznost(int od1, int od2, int do1, int do2, bool pismo, bool pozadi,
                         ColourValue barvaPrechodu, ColourValue barvaCastecna);
    double SumaSloupce(int sloupec) const;

    // Write the grid to a file in Windows-1250; throw ActionError on failure.
    void ExportCSV(const QString& soubor) const;
    void ExportHTML(const QString& soubor) const;

    // The loaded grid: rows by grid row number, 0 being the captions. Rows are
    // read as the grid is scrolled; NactiVse reads the rest.
    GridModel* Model() const { return m_model; }
    int PocetRadku() const { return m_model->gridRowCount(); }
    QString Bunka(int sloupec, int radek) const { return m_model->cellText(sloupec, radek); }
    QString Klic(int radek) const { return m_model->key(radek); }
    // The SELECT of the last load.
    const QString& Dotaz() const { return m_dotaz; }

    // The grid cell under the mouse pointer (-1, -1 outside any cell); the
    // double-click and the popup items act on it.
    int MysSloupec() const { return m_mysSloupec; }
    int MysRadek() const { return m_mysRadek; }

    // On-screen column widths and the width of "0" in the grid font, in pixels.
    std::vector<int> SirkySloupcu() const;
    int SirkaNuly() const;

    // What the controls do; each runs inside runAction when a control starts it.
    void DvojklikNaBunku();
    void NovyZaznam();
    void Tisk();
    void ZrusFiltry();
    void ExportCSVDialog();
    void ExportHTMLDialog();
    void SoucetSloupce();
    void FiltrSloupce();
    void SmazRadek();
    void SloupecDoSchranky();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolPanel();
    void buildGrid();
    void buildPopupMenu();
    void layOut();
    void wireActions();
    void wireMouse();
    void nastavMys(int sloupec, int radek);
    void mysZPozice(QObject* watched, const QPoint& pos);
    void zapamatujSirky();
    void obnovSirky();
    QString pripravDotaz(int razeni);
    void zapamatujPolohu();
    void obnovPolohu();

    GridModel* m_model;
    TGridHeader* m_header;
    QString m_dotaz;
    std::vector<int> m_sirky; // widths kept across loads of one list, by column index
    int sirkaPodleObsahu(int sloupec) const;
    int m_mysSloupec = 0;
    int m_mysRadek = 0;
    struct Poloha { // what a refresh keeps, by key
        QString vybrany;
        int sloupec = 0;
        QString horni;
        int horniRadek = 0;
        int vodorovne = 0;
    } m_poloha;
};

// The overview print of a frame's grid: the cells as shown, columns as wide as
// on screen, "+" in the mask (one character per column) for a totals column.
// Shows the preview without waiting; throws ActionError for a totals column
// that holds a cell that is not an integer.
void TiskMrizky(TFrameStringGrid& mrizka, const QString& titulek, const QString& maska);
