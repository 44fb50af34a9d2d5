#pragma once

#include <QHash>
#include <QString>
#include <vector>

class TSQLDATA;

// What the system tables say about the columns of one table: the only names
// that may go into a statement from outside the program (file headers, filters).
struct TableColumn {
    enum class Kind { Text, Integer, Number, Timestamp, Date, Time, Blob, Other };
    QString name; // as stored, in capitals without the padding
    Kind kind = Kind::Other;
    int length = 0; // characters of a text column, 0 otherwise
};

// The columns in their order; empty when there is no such table. Throws DbError.
std::vector<TableColumn> TableColumns(TSQLDATA& db, const QString& table);

// The column of that name, trimmed and compared without regard to case; nullptr when none.
const TableColumn* FindColumn(const std::vector<TableColumn>& columns, const QString& name);

// Character lengths of the text columns of a table, by upper-case column name.
QHash<QString, int> DelkySloupcu(TSQLDATA& db, const QString& tabulka);
