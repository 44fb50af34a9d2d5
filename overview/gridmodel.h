#pragma once

#include "gridquery.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStringView>
#include <limits>
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

// The loaded rows of an overview. Model row i is grid row i + 1; the captions
// are the horizontal header. Every value of the result is decoded once into
// one text buffer; nothing is copied per paint.
class GridModel : public QAbstractTableModel, public GridText
{
    Q_OBJECT

public:
    static constexpr ColourValue kZadna = std::numeric_limits<int>::min(); // no colour in a row list

    // The definition is read at every load and paint; it must outlive the model.
    explicit GridModel(const GridDefinition* definition, QObject* parent = nullptr);

    // Runs the statement and replaces the rows (key, colour columns, display
    // columns in that order). Throws DbError; the model is then empty.
    void load(TDataModuleIb& db, const QString& sql);
    // No rows; captions from the definition.
    void clear();

    int dataRowCount() const { return m_rows; }
    QString key(int gridRow) const;
    QStringView cell(int column, int gridRow) const; // gridRow >= 1
    QString caption(int column) const { return m_captions.value(column); }
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

    // GridText
    int gridRowCount() const override { return m_rows + 1; }
    int gridColumnCount() const override { return m_columns; }
    QString cellText(int column, int row) const override;

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Tells the views that colours changed (after a colouring operation).
    void coloursChanged();

private:
    void clearRows();
    QStringView value(int dataRow, int index) const;
    void applyHighlight();
    void fillList(std::vector<ColourValue>& list, ColourValue c) const;
    void setPair(std::vector<ColourValue>& list, int row, ColourValue c) const;

    const GridDefinition* m_def;
    QStringList m_captions;
    int m_columns = 0;                        // grid columns
    int m_rows = 0;                           // data rows
    int m_stride = 0;                         // values per row: key, colour columns, grid columns
    int m_firstCell = 1;                      // index of grid column 0 within a row
    QString m_text;                           // all values, one after another
    std::vector<qsizetype> m_ends;            // end of each value in m_text, row by row
    std::vector<ColourValue> m_rowText;       // from SloupecBarvyPisma or the highlight, by grid row
    std::vector<ColourValue> m_rowBackground; // from SloupecBarvyPozadi or the highlight, by grid row
};
