#include "gridquery.h"

#include "common/action.h"
#include "common/platnytext.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"

#include <QDate>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

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

namespace
{

using Kind = TableColumn::Kind;

struct Canonical {
    QString text;
    QDate day;             // dates only
    bool withTime = false; // a date that names a time of day too
};

std::optional<Canonical> canonicalDate(const QString& value, bool timeAllowed)
{
    const QString s = value.trimmed();
    try {
        const QDate day = QDate(1899, 12, 30).addDays(qint64(DatumZTextu(s)));
        Canonical c{day.toString(QStringLiteral("d.M.yyyy")), day, false};
        if (!CasCast(s).trimmed().isEmpty()) {
            if (!timeAllowed) return std::nullopt;
            const int sec = int(std::lround(CasZTextu(s) * 86400.0));
            c.text += QStringLiteral(" %1:%2:%3")
                          .arg(sec / 3600)
                          .arg(sec / 60 % 60, 2, 10, QLatin1Char('0'))
                          .arg(sec % 60, 2, 10, QLatin1Char('0'));
            c.withTime = true;
        }
        return c;
    } catch (const ActionError&) {
        return std::nullopt;
    }
}

// The value in the one form the server reads for the column's kind; nullopt
// when it cannot be compared with it. Text and unknown kinds pass unchanged.
std::optional<Canonical> canonical(Kind kind, const QString& value)
{
    switch (kind) {
    case Kind::Integer: {
        bool ok = false;
        const qlonglong v = value.trimmed().toLongLong(&ok, 10);
        if (!ok) return std::nullopt;
        return Canonical{QString::number(v), {}, false};
    }
    case Kind::Number: {
        QString t = value.trimmed();
        t.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        const double v = t.toDouble(&ok);
        if (!ok || !std::isfinite(v)) return std::nullopt;
        return Canonical{QString::number(v, 'g', 15), {}, false};
    }
    case Kind::Timestamp:
        return canonicalDate(value, true);
    case Kind::Date:
        return canonicalDate(value, false);
    default:
        return Canonical{value, {}, false};
    }
}

QString kindText(Kind kind)
{
    switch (kind) {
    case Kind::Integer:
        return QStringLiteral("celé číslo");
    case Kind::Number:
        return QStringLiteral("číslo");
    case Kind::Timestamp:
        return QStringLiteral("datum (d.m.rrrr) nebo datum a čas (d.m.rrrr h:mm:ss)");
    case Kind::Date:
        return QStringLiteral("datum (d.m.rrrr)");
    default:
        return QString();
    }
}

// Ano/Ne as the grid shows a boolean column; 1/0 as stored.
std::optional<bool> booleanValue(const QString& value)
{
    const QString v = value.trimmed();
    if (v.compare(QLatin1String("Ano"), Qt::CaseInsensitive) == 0 || v == QLatin1String("1")) return true;
    if (v.compare(QLatin1String("Ne"), Qt::CaseInsensitive) == 0 || v == QLatin1String("0")) return false;
    return std::nullopt;
}

} // namespace

QString filterCondition(const GridDefinition& d, const GridColumn& c)
{
    static const char* const kOperators[] = {"", "=", "!=", ">=", ">", "<", "<="};
    const QString column = qualifiedColumn(d, c);
    auto condition = [](const QString& col, const QString& op, const QString& literal) {
        return QStringLiteral(" (") + col + op + literal + QLatin1Char(')');
    };
    auto value = [&c](const QString& v) {
        const auto k = canonical(c.FiltrDruh, v);
        return TextSQL(k ? k->text : v);
    };
    // "up to day d" on a date-time column ends before the next midnight.
    auto upTo = [&](const QString& v) {
        const auto k = c.FiltrDruh == Kind::Timestamp ? canonical(c.FiltrDruh, v) : std::nullopt;
        if (k && !k->withTime)
            return condition(column, QStringLiteral("<"),
                             TextSQL(k->day.addDays(1).toString(QStringLiteral("d.M.yyyy"))));
        return condition(column, QStringLiteral("<="), value(v));
    };
    const int op = c.FiltrOperator;
    if (c.isBoolean() && (op == 1 || op == 2)) {
        if (const auto b = booleanValue(c.FiltrHodnota1)) {
            // The grid shows everything but 1 (NULL included) as "Ne".
            const bool ano = *b == (op == 1);
            return condition(QStringLiteral("coalesce(") + column + QStringLiteral(",0)"),
                             ano ? QStringLiteral("=") : QStringLiteral("!="), TextSQL(QStringLiteral("1")));
        }
    }
    switch (op) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        return condition(column, QLatin1String(kOperators[op]), value(c.FiltrHodnota1));
    case 6:
        return upTo(c.FiltrHodnota1);
    case 7:
        // Case does not matter in any script (the collation's upper case), and
        // the value is plain text: no wildcards to escape.
        return condition(column, QStringLiteral(" containing "), TextSQL(c.FiltrHodnota1));
    case 8:
        return condition(column, QStringLiteral(">="), value(c.FiltrHodnota1)) + QStringLiteral(" and ") +
               upTo(c.FiltrHodnota2);
    default:
        return QString();
    }
}

QString filterProblem(const GridColumn& c)
{
    const int op = c.FiltrOperator;
    if (op < 1 || op > 8) return QString();
    const QString notSet = QStringLiteral(" Filtr nebyl nastaven.");
    QStringList values{c.FiltrHodnota1};
    if (op == 8) values << c.FiltrHodnota2;
    for (const QString& v : values) {
        for (const QChar ch : v)
            if (ch.unicode() < 0x20 || ch.unicode() == 0x7F)
                return QStringLiteral(
                           "Hodnota filtru sloupce „%1“ obsahuje řídicí znak (například konec řádku).")
                           .arg(c.caption()) +
                       notSet;
        if (const std::optional<char32_t> bad = platnytext::NeplatnyZnak(v))
            return platnytext::Zprava(*bad) + notSet;
    }
    if (c.isBoolean()) {
        if ((op == 1 || op == 2) && booleanValue(c.FiltrHodnota1)) return QString();
        return QStringLiteral(
                   "Sloupec „%1“ lze filtrovat jen podmínkou „=“ nebo „<>“ s hodnotou Ano nebo Ne.")
                   .arg(c.caption()) +
               notSet;
    }
    const QString kind = kindText(c.FiltrDruh);
    if (op == 7 || kind.isEmpty()) return QString();
    for (const QString& v : values) {
        if (v.trimmed().isEmpty())
            return QStringLiteral("Zadejte do filtru sloupce „%1“ %2.").arg(c.caption(), kind) + notSet;
        if (!canonical(c.FiltrDruh, v))
            return QStringLiteral("Hodnota „%1“ ve filtru sloupce „%2“ není %3.").arg(v, c.caption(), kind) +
                   notSet;
    }
    return QString();
}

TableColumn::Kind filterKind(TSQLDATA& db, const GridDefinition& d, const GridColumn& c)
{
    const QString qualified = qualifiedColumn(d, c);
    const QStringList parts = qualified.split(QLatin1Char('.'));
    if (parts.size() != 2) return Kind::Other;
    const std::vector<TableColumn> columns = TableColumns(db, parts[0]);
    const TableColumn* column = FindColumn(columns, parts[1]);
    return column ? column->kind : Kind::Other;
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
