#pragma once

#include "gridquery.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStringView>
#include <QTimer>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

class TDataModuleIb;

// Read access to a grid's texts by grid row: row 0 holds the captions, rows
// 1..n the data rows.
class GridText
{
public:
    virtual ~GridText() = default;
    virtual int gridRowCount() const = 0; // caption row included
    virtual int gridColumnCount() const = 0;
    virtual QString cellText(int column, int row) const = 0;
};

// The rows of an overview, read from the server as they are needed: a load
// reads the first block and keeps the statement's cursor open (on a snapshot
// of its own) for the rest, which the view asks for through canFetchMore and
// fetchMore as the user scrolls; nactiZbytek reads everything for printing,
// exports and sums. Model row i is grid row i + 1; the captions are the
// horizontal header. Every value is decoded once into one text buffer.
//
// A refresh (obnov) reads the new result beside the shown one, in slices
// that never hold the event loop long, and swaps it in once it has as many
// rows as are shown (or all): until then the old rows stay on screen.
class GridModel : public QAbstractTableModel, public GridText
{
    Q_OBJECT

public:
    static constexpr ColourValue kZadna = std::numeric_limits<int>::min(); // no colour in a row list

    // The definition is read at every load and paint; it must outlive the model.
    explicit GridModel(const GridDefinition* definition, QObject* parent = nullptr);
    ~GridModel() override;

    // Runs the statement and replaces the rows with its first block (key,
    // colour columns, display columns in that order). Throws DbError; the
    // model is then empty.
    void load(TDataModuleIb& db, const QString& sql);
    // Reads the statement again and swaps the result in when it has caught up
    // with the rows shown (at once for a short list, else in slices from the
    // event loop); emits predObnovenim and obnoveno around the swap. Throws
    // DbError when the statement fails; the shown rows then stay.
    void obnov(TDataModuleIb& db, const QString& sql);
    bool obnovuje() const { return bool(m_nove); }
    // Runs the pending refresh to its end now.
    void dokonciObnovu();
    // No rows; captions from the definition.
    void clear();

    // Rows the server still holds for this list.
    bool zbyva() const;
    // Reads all remaining rows; `prubeh` gets the number of rows read so far
    // after every block and may stop the reading by returning false. False when
    // stopped. Throws DbError.
    bool nactiZbytek(const std::function<bool(int)>& prubeh = {});
    // Rows read in the first block and in each later one (tests set small ones).
    void nastavBloky(int prvni, int dalsi);
    // The data row holding the key among the rows read; 0 when none.
    int radekKlice(QStringView klic) const;

    int dataRowCount() const;
    QString key(int gridRow) const;
    QStringView cell(int column, int gridRow) const; // gridRow >= 1
    QString caption(int column) const;
    bool rightAligned(int column) const
    {
        return column >= 0 && size_t(column) < m_def->Sloupce.size() &&
               m_def->Sloupce[size_t(column)].isRightAligned();
    }

    // Colours of a data row after every rule of the definition and the lists.
    ColourValue textColour(int gridRow) const;
    ColourValue backgroundColour(int gridRow) const;
    static QColor toQColor(ColourValue c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

    // Override lists by grid row (caption row included). Loading keeps them.
    std::vector<ColourValue> BarvyPozadiRadku;
    std::vector<ColourValue> BarvyPismaRadku;
    void resetOverrides();

    void NastavBarvyRadku(bool pismo, bool pozadi, ColourValue barva);
    void ObarviSkupiny(int sloupec, bool pismo, bool pozadi, ColourValue barva1, ColourValue barva2);
    void ObarviNavaznost(int od1, int od2, int do1, int do2, bool pismo, bool pozadi,
                         ColourValue barvaPrechodu, ColourValue barvaCastecna);
    double SumaSloupce(int sloupec) const;

    // GridText: the rows read so far
    int gridRowCount() const override;
    int gridColumnCount() const override;
    QString cellText(int column, int row) const override;

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // Tells the views that colours changed (after a colouring operation).
    void coloursChanged();

signals:
    // Around the swap of a refresh: the rows shown are about to be replaced / were replaced.
    void predObnovenim();
    void obnoveno();
    // Reading further rows failed (the server's text); the rows read stay.
    void chybaCteni(const QString& text);

private:
    struct Rows;
    std::unique_ptr<Rows> otevri(TDataModuleIb& db, const QString& sql) const;
    // Reads up to `max` rows behind the committed ones; returns how many.
    int precti(Rows& d, int max) const;
    void pokracujObnovu();
    void vymen();
    void zahodObnovu();
    QStringView value(int dataRow, int index) const;
    void fillList(std::vector<ColourValue>& list, ColourValue c) const;
    void setPair(std::vector<ColourValue>& list, int row, ColourValue c) const;

    const GridDefinition* m_def;
    std::unique_ptr<Rows> m_d;    // shown
    std::unique_ptr<Rows> m_nove; // a refresh being read
    int m_cilObnovy = 0;          // rows the refresh reads before the swap
    int m_prvniBlok = 200;
    int m_dalsiBlok = 2000;
    QTimer* m_casovac;
};
