#pragma once

#include "calendar/volnycas.h"
#include "common/commandtarget.h"
#include "common/ktdatumj.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QWidget>

class QCheckBox;
class QDateEdit;
class QLabel;
class TFrame_INFO_LISTA;

// Rows of the date-range list: column 0 "Datum", column 1 "Název".
class TBrowseModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRadky(QList<RadekSeznamu> radky);
    const QList<RadekSeznamu>& radky() const { return m_radky; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<RadekSeznamu> m_radky;
};

// The list grid; paints its cells itself through a delegate.
class TBrowseGrid : public QTableView
{
    Q_OBJECT
public:
    explicit TBrowseGrid(QWidget* parent = nullptr);
    TBrowseModel* model() const { return m_model; }

private:
    TBrowseModel* m_model;
};

// The date-range list: the events between two days in time order, optionally
// interleaved with the free times of those days.
class TBrowsePanel : public QWidget
{
    Q_OBJECT
public:
    explicit TBrowsePanel(QWidget* parent = nullptr);

    // Receives WM_EDIT_EVENT (not owned).
    void setCommandTarget(CommandTarget* target) { m_cil = target; }
    // As the month view's; take effect at the next load.
    void NastavFiltrKategorii(const QString& filtr) { m_filtr = filtr; }
    void NastavVsechnyKategorie(bool vsechny) { m_vsechnyKategorie = vsechny; }

    // Puts both dates into the pickers and loads once.
    void NastavRozsah(DatumCas od, DatumCas doDatum);
    // Restarts the shared read transaction and loads again; the row at the
    // top stays at the top (found again by its event) and column widths stay.
    void Obnov();
    // Loads with the current pickers. Throws DbError when the reading fails
    // and leaves the list empty then.
    void Nacti();

    DatumCas od() const;
    // The row at the top of the list, -1 when it is empty.
    int HorniRadek() const;
    DatumCas doDatum() const;

    TFrame_INFO_LISTA* Frame_INFO_LISTA1;
    QLabel* Label_OD;
    QDateEdit* DateEdit_OD;
    QLabel* Label_DO;
    QDateEdit* DateEdit_DO;
    QLabel* Label_Nepouzite;
    QCheckBox* ChB_NEPOUZITE;
    TBrowseGrid* BrowseGrid1;

private:
    void nacti();
    void dvojklik(const QModelIndex& index);

    QString m_filtr;
    bool m_vsechnyKategorie = true;
    CommandTarget* m_cil = nullptr;
};
