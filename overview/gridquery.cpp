#include "gridquery.h"

#include "common/action.h"
#include "data/sqlvalues.h"

#include <algorithm>
#include <cstdlib>

const std::array<QString, 9> kFiltrOperatory = {
    QStringLiteral("Vše - žádný filtr"),
    QStringLiteral("="),
    QStringLiteral("<>"),
    QStringLiteral(">="),
    QStringLiteral(">"),
    QStringLiteral("<"),
    QStringLiteral("<="),
    QStringLiteral("Obsahuje"),
    QStringLiteral("Je v rozsahu"),
};

void GridDefinition::resetDefinition()
{
    MazaniPovoleno = false;
    Sloupce.clear();
    Podminka.clear();
    DalsiTabulky.clear();
    SloupecBarvyPisma.clear();
    SloupecBarvyPozadi.clear();
    PevneRazeni.clear();
    ZvyrazneniSloupec.clear();
    ZvyrazneniHodnota.clear();
    ZvyrazneniBarvaPisma = 0;
    ZvyrazneniBarvaPozadi = 0xFFFFFF;
    BarvaPisma = 0;
    BarvaPozadi = 0xFFFFFF;
    Razeni = 0;
    ParametrEditace = 0;
}

void GridDefinition::PridejSloupec(const QString& pole, const QString& titulek, bool scitat,
                                   const QString& typ, int sirka)
{
    if (int(Sloupce.size()) >= kMaxSloupcu)
        throw ActionError(QStringLiteral("Přehled může mít nejvýše %1 sloupců.").arg(kMaxSloupcu));
    GridColumn c;
    c.Pole = pole;
    c.Titulek = titulek;
    c.Scitat = scitat;
    c.Typ = typ;
    c.Sirka = sirka;
    Sloupce.push_back(std::move(c));
}

namespace gridquery
{

QString normalizedTables(const QString& dalsiTabulky)
{
    if (dalsiTabulky.isEmpty() || dalsiTabulky.startsWith(QLatin1Char(','))) return dalsiTabulky;
    return QLatin1Char(',') + dalsiTabulky;
}

int nextSort(int razeni, int s)
{
    if (s == 0) return razeni;
    return s == razeni ? -razeni : s;
}

QString orderByText(const GridDefinition& d)
{
    if (!d.PevneRazeni.isEmpty()) return QStringLiteral(" order by ") + d.PevneRazeni;
    if (d.Razeni == 0) return QString();
    const int n = std::abs(d.Razeni);
    QString column = n > int(d.Sloupce.size()) ? d.KlicovySloupec : d.Sloupce[size_t(n - 1)].Pole;
    // The key is selected as Tabulka.Key; a column of the same name makes the bare
    // name ambiguous to the server (the SQL console shows every column).
    if (column.compare(d.KlicovySloupec, Qt::CaseInsensitive) == 0 &&
        std::any_of(d.Sloupce.begin(), d.Sloupce.end(), [&d](const GridColumn& c) {
            return c.Pole.compare(d.KlicovySloupec, Qt::CaseInsensitive) == 0;
        }))
        column = d.Tabulka + QLatin1Char('.') + column;
    return QStringLiteral(" order by ") + column + (d.Razeni < 0 ? QStringLiteral(" desc") : QString());
}

QString selectList(const GridDefinition& d)
{
    QString list;
    for (const GridColumn& c : d.Sloupce) {
        if (!list.isEmpty()) list += QLatin1Char(',');
        list += c.Pole;
    }
    if (!d.SloupecBarvyPisma.isEmpty()) list = d.SloupecBarvyPisma + QLatin1Char(',') + list;
    if (!d.SloupecBarvyPozadi.isEmpty()) list = d.SloupecBarvyPozadi + QLatin1Char(',') + list;
    return list;
}

QString qualifiedColumn(const GridDefinition& d, const GridColumn& c)
{
    return c.Pole.contains(QLatin1Char('.')) ? c.Pole : d.Tabulka + QLatin1Char('.') + c.Pole;
}

QString filterCondition(const GridDefinition& d, const GridColumn& c)
{
    static const char* const kOperators[] = {"", "=", "!=", ">=", ">", "<", "<="};
    const QString column = qualifiedColumn(d, c);
    auto condition = [&column](const QString& op, const QString& value) {
        return QStringLiteral(" (") + column + op + TextSQL(value) + QLatin1Char(')');
    };
    switch (c.FiltrOperator) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        return condition(QLatin1String(kOperators[c.FiltrOperator]), c.FiltrHodnota1);
    case 7:
        return condition(QStringLiteral(" like "), QLatin1Char('%') + c.FiltrHodnota1 + QLatin1Char('%'));
    case 8:
        return condition(QStringLiteral(">="), c.FiltrHodnota1) + QStringLiteral(" and ") +
               condition(QStringLiteral("<="), c.FiltrHodnota2);
    default:
        return QString();
    }
}

QString whereText(const GridDefinition& d)
{
    QString where = d.Podminka;
    for (const GridColumn& c : d.Sloupce) {
        if (c.FiltrOperator == 0) continue;
        where += where.isEmpty() ? QStringLiteral(" where ") : QStringLiteral(" and ");
        where += filterCondition(d, c);
    }
    return where;
}

QString selectStatement(const GridDefinition& d)
{
    QString sql = QStringLiteral("Select ");
    if (d.Distinct) sql += QStringLiteral("distinct ");
    sql += d.Tabulka + QLatin1Char('.') + d.KlicovySloupec + QLatin1Char(',') + selectList(d);
    sql += QStringLiteral(" from ") + d.Tabulka + normalizedTables(d.DalsiTabulky) + QLatin1Char(' ');
    sql += whereText(d) + QLatin1Char(' ') + orderByText(d) + QLatin1Char(';');
    return sql;
}

QString columnsQuery(const GridDefinition& d)
{
    return QStringLiteral("Select FIRST 1 * from ") + d.Tabulka + normalizedTables(d.DalsiTabulky) +
           QLatin1Char(' ');
}

QString deleteStatement(const GridDefinition& d, const QString& key)
{
    return QStringLiteral("delete from ") + d.Tabulka + QStringLiteral(" where ") + d.Tabulka +
           QLatin1Char('.') + d.KlicovySloupec + QLatin1Char('=') + key + QLatin1Char(';');
}

} // namespace gridquery
