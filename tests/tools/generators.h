#pragma once

#include "data/sqldata.h"

#include <QList>
#include <QString>

// A generator of the database and the key it numbers, paired by name: generator
// KJ_TANKOVANI_ID numbers column KJ_TANKOVANI_ID of table KJ_TANKOVANI.
struct GeneratorState {
    QString generator;
    QString table; // empty when no table has such a key column
    int value = 0;
    int highestKey = 0;
};

inline QList<GeneratorState> generatorStates(TSQLDATA& db)
{
    db.ObnovTransakci();
    const QStringList names =
        db.VratSloupec(QStringLiteral("select trim(rdb$generator_name) from rdb$generators where "
                                      "coalesce(rdb$system_flag, 0)=0 order by 1"),
                       QStringLiteral(","))
            .split(QLatin1Char(','), Qt::SkipEmptyParts);
    QList<GeneratorState> out;
    for (const QString& g : names) {
        GeneratorState s;
        s.generator = g;
        s.value = db.VratInt(QStringLiteral("select gen_id(%1, 0) from rdb$database").arg(g));
        const QString table = g.endsWith(QLatin1String("_ID")) ? g.chopped(3) : QString();
        if (!table.isEmpty() && db.VratInt(QStringLiteral("select count(*) from rdb$relation_fields where "
                                                          "rdb$relation_name='%1' and rdb$field_name='%2'")
                                               .arg(table, g)) > 0) {
            s.table = table;
            s.highestKey = db.VratInt(QStringLiteral("select coalesce(max(%1), 0) from %2").arg(g, table));
        }
        out << s;
    }
    return out;
}

// What the states show wrong: a generator without its table, or one whose
// next value would take a key already used. Empty when every generator is
// past its table's highest key.
inline QStringList generatorFaults(const QList<GeneratorState>& states)
{
    QStringList out;
    for (const GeneratorState& s : states) {
        if (s.table.isEmpty())
            out << s.generator + QStringLiteral(": no table with this key column");
        else if (s.value < s.highestKey)
            out << QStringLiteral("%1 at %2, highest %3 is %4")
                       .arg(s.generator)
                       .arg(s.value)
                       .arg(s.table)
                       .arg(s.highestKey);
    }
    return out;
}
