#pragma once

#include "data/tablecolumns.h"

#include <QString>
#include <array>
#include <vector>

class CommandTarget;
class TSQLDATA;

// One column of an overview: what the select list reads and how the grid shows it.
struct GridColumn {
    QString Pole;    // column or expression as written in the select list
    QString Titulek; // header caption; empty: Pole is shown
    bool Scitat = false;
    QString Typ;           // "integer"/"numerick" right-aligned, "boolean" shown as Ano/Ne
    int Sirka = 0;         // in widths of "0" of the grid font; 0 keeps the current width
    int FiltrOperator = 0; // 0 none, 1..8 see kFiltrOperatory
    QString FiltrHodnota1;
    QString FiltrHodnota2;
    // What the database holds in the column, learnt when the filter is set;
    // Other compares the values as the server converts them.
    TableColumn::Kind FiltrDruh = TableColumn::Kind::Other;

    QString caption() const { return Titulek.isEmpty() ? Pole : Titulek; }
    bool isBoolean() const { return Typ.compare(QLatin1String("boolean"), Qt::CaseInsensitive) == 0; }
    bool isRightAligned() const
    {
        return Typ == QLatin1String("integer") || Typ == QLatin1String("numerick");
    }
};

// Captions of the filter operators by code, as the filter dialog shows them.
extern const std::array<QString, 9> kFiltrOperatory;

// Colour value: 0x00BBGGRR, red in the low byte.
using ColourValue = int;

// Everything an owner sets to describe one overview. The frame holds one of
// these; the owner fills it between ZrusDefinici and NactiData.
struct GridDefinition {
    static constexpr int kMaxSloupcu = 1001;

    CommandTarget* OknoZprav = nullptr; // receiver of the edit messages; not owned
    unsigned ZpravaEditace = 0;
    int ParametrEditace = 0;
    bool MazaniPovoleno = false;
    QString Tabulka;
    QString DalsiTabulky; // further FROM tables, comma separated
    QString Podminka;     // WHERE text with its leading word, or empty
    QString KlicovySloupec;
    bool Distinct = false;
    QString SloupecBarvyPisma;
    QString SloupecBarvyPozadi;
    ColourValue BarvaPisma = 0x000000;
    ColourValue BarvaPozadi = 0xFFFFFF;
    QString ZvyrazneniSloupec;
    QString ZvyrazneniHodnota;
    ColourValue ZvyrazneniBarvaPisma = 0;
    ColourValue ZvyrazneniBarvaPozadi = 0xFFFFFF;
    QString PevneRazeni;
    int Razeni = 0; // +n ascending by column n (1-based), -n descending, 0 none
    std::vector<GridColumn> Sloupce;

    // Resets what a new overview must set again; Tabulka, KlicovySloupec,
    // Distinct, OknoZprav and ZpravaEditace keep their values.
    void resetDefinition();
    // Throws ActionError beyond kMaxSloupcu columns.
    void PridejSloupec(const QString& pole, const QString& titulek, bool scitat = false,
                       const QString& typ = QString(), int sirka = 0);

    int colourColumnCount() const
    {
        return (SloupecBarvyPozadi.isEmpty() ? 0 : 1) + (SloupecBarvyPisma.isEmpty() ? 0 : 1);
    }
};

namespace gridquery
{

// DalsiTabulky with the comma it needs in front.
QString normalizedTables(const QString& dalsiTabulky);

// The sort state after a request for column s (0 keeps it): the column sorted
// ascending turns descending, anything else sorts ascending by s.
int nextSort(int razeni, int s);

QString orderByText(const GridDefinition& d);
// Background-colour column, text-colour column, then the display columns.
QString selectList(const GridDefinition& d);
// The column as filtered: Pole itself when it names its table, else Tabulka.Pole.
QString qualifiedColumn(const GridDefinition& d, const GridColumn& c);
// " (column op value)" for a filtered column; empty without a filter. Values
// go in through the value builders in the canonical form of the column's kind;
// "Obsahuje" matches % and _ literally; a range or "<=" up to a date without a
// time on a date-time column takes in the whole day.
QString filterCondition(const GridDefinition& d, const GridColumn& c);
// Why the filter of the column cannot be applied, in Czech; empty when it can.
// Booleans (shown as Ano/Ne) take "Ano"/"Ne" with = and <>.
QString filterProblem(const GridColumn& c);
// The kind of a plain or table-qualified column from the system tables; Other
// for an expression. Throws DbError.
TableColumn::Kind filterKind(TSQLDATA& db, const GridDefinition& d, const GridColumn& c);
QString whereText(const GridDefinition& d);
QString selectStatement(const GridDefinition& d);
// Reads one row of the table to learn its columns (definitions without columns).
QString columnsQuery(const GridDefinition& d);
QString deleteStatement(const GridDefinition& d, const QString& key);

} // namespace gridquery
