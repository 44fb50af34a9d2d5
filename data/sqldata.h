#pragma once

#include "data/datamoduleib.h"

#include <QString>
#include <QStringList>
#include <vector>

class QStandardItemModel;

// A query result held as rows of text: row 0 names the columns, rows 1..n
// hold the values. Kept decoded, so a value is read without parsing a line.
class TKTDATASET
{
public:
    QString SQL;

    void Clear();
    int PocetRadku() const { return m_rows.empty() ? 0 : int(m_rows.size()) - 1; }
    int IndexSloupce(const QString& name) const;
    QString Hodnota(int row, int column) const;
    QString HodnotaJmeno(int row, const QString& name) const;
    bool HodnotaBool(int row, const QString& name) const;
    int HodnotaInt(int row, const QString& name) const;
    int HodnotaIntIndex(int row, int column) const;
    int SoucetSloupce(const QString& name) const;
    int SoucetSloupceIndex(int column) const;

    // The line view: comma text of a row (0 = header) and appending lines.
    int Count() const { return int(m_rows.size()); }
    QString Radek(int index) const;
    void PridejRadek(const QString& commaText);
    void PridejHodnoty(QStringList values) { m_rows.push_back(std::move(values)); }
    const QStringList& Hodnoty(int index) const { return m_rows.at(size_t(index)); }

private:
    std::vector<QStringList> m_rows;
};

// The one database module of the program, with result tables, the data
// version, scripts, text import and the presence of the logged-in user.
class TSQLDATA : public TDataModuleIb
{
public:
    void NactiTabulku(const QString& sql, TKTDATASET& table);
    void PridejDotaz(const QString& sql, TKTDATASET& table);
    int VerzeDat();
    VysledekZapisu ProvedSkript(const QString& fileName);
    void ImportCSV(const QString& fileName, const QString& tableName, bool withoutId);

    void ZapisZivot(bool markSelf);

    // Whether session().UzivatelID may start here. A presence whose heartbeat
    // lapsed three minutes ago is cleared first; one held by this workstation
    // (OznaceniStanice) through a program that no longer runs, after a crash,
    // is taken over at once. The presence then names this workstation and
    // process.
    enum class Pritomnost {
        Prihlasen, // marked present
        Jinde,     // present on another workstation
        BeziZde,   // the user's program still runs on this workstation
        Chyba,     // a write failed (a read-only database); already shown
    };
    Pritomnost Prihlas();
    void Odhlas();
    // The heartbeat of the logged-in user: ZapisZivot with mark-self that never
    // waits on a lock and shows no box; a failure is logged and the next
    // heartbeat tries again.
    bool Tep();

    // The window whose caption shows the import progress (the main window).
    void setCaptionTarget(std::function<QString()> get, std::function<void(const QString&)> set)
    {
        m_getCaption = std::move(get);
        m_setCaption = std::move(set);
    }

private:
    void readRows(const QString& sql, TKTDATASET& table, bool withHeader);
    std::function<QString()> m_getCaption;
    std::function<void(const QString&)> m_setCaption;
};

// Shows comma-text lines (header first) in a plain grid model.
void NaplnMrizku(const QStringList* lines, QStandardItemModel* grid);

// The one data module of the process.
TSQLDATA& SQLDATA();
void setSQLDATA(TSQLDATA* module);
