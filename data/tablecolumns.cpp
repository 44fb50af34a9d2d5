#include "tablecolumns.h"

#include "data/sqldata.h"
#include "sqlvalues.h"

namespace
{

TableColumn::Kind kindOf(int type, int scale)
{
    switch (type) {
    case 7:  // smallint
    case 8:  // integer
    case 16: // bigint
        return scale < 0 ? TableColumn::Kind::Number : TableColumn::Kind::Integer;
    case 10: // float
    case 27: // double
        return TableColumn::Kind::Number;
    case 12:
        return TableColumn::Kind::Date;
    case 13:
        return TableColumn::Kind::Time;
    case 35: // timestamp, also the DATE of dialect 1
        return TableColumn::Kind::Timestamp;
    case 14: // char
    case 37: // varchar
        return TableColumn::Kind::Text;
    case 261:
        return TableColumn::Kind::Blob;
    default:
        return TableColumn::Kind::Other;
    }
}

} // namespace

std::vector<TableColumn> TableColumns(TSQLDATA& db, const QString& table)
{
    TKTDATASET t;
    db.NactiTabulku(QStringLiteral("select trim(rf.rdb$field_name) as JMENO, f.rdb$field_type as TYP, "
                                   "coalesce(f.rdb$field_scale, 0) as MERITKO, "
                                   "coalesce(f.rdb$character_length, 0) as DELKA "
                                   "from rdb$relation_fields rf join rdb$fields f "
                                   "on f.rdb$field_name = rf.rdb$field_source "
                                   "where rf.rdb$relation_name = %1 order by rf.rdb$field_position;")
                        .arg(TextSQL(table.trimmed().toUpper())),
                    t);
    std::vector<TableColumn> out;
    for (int r = 1; r <= t.PocetRadku(); ++r) {
        TableColumn c;
        c.name = t.HodnotaJmeno(r, QStringLiteral("JMENO"));
        c.kind = kindOf(t.HodnotaInt(r, QStringLiteral("TYP")), t.HodnotaInt(r, QStringLiteral("MERITKO")));
        if (c.kind == TableColumn::Kind::Text) c.length = t.HodnotaInt(r, QStringLiteral("DELKA"));
        out.push_back(c);
    }
    return out;
}

const TableColumn* FindColumn(const std::vector<TableColumn>& columns, const QString& name)
{
    const QString n = name.trimmed();
    for (const TableColumn& c : columns)
        if (c.name.compare(n, Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

QHash<QString, int> DelkySloupcu(TSQLDATA& db, const QString& tabulka)
{
    QHash<QString, int> out;
    for (const TableColumn& c : TableColumns(db, tabulka))
        if (c.length > 0) out.insert(c.name, c.length);
    return out;
}
