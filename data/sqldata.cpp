#include "data/sqldata.h"

#include "common/chybyserveru.h"
#include "dblog.h"

#include "commatext.h"
#include "common/ktwinsys.h"
#include "common/messages.h"
#include "common/session.h"
#include "data/csv.h"
#include "dberror.h"
#include "sqlvalues.h"
#include "tablecolumns.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardItemModel>

namespace
{

TSQLDATA* g_module = nullptr;

int toInt(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (!ok) throw ActionError(QStringLiteral("\"%1\" není platné celé číslo.").arg(text));
    return v;
}

// Column names compare with only the letters a to z folded.
bool equalIgnoringAsciiCase(const QString& a, const QString& b)
{
    if (a.size() != b.size()) return false;
    const QChar* pa = a.constData();
    const QChar* pb = b.constData();
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = pa[i].unicode(), y = pb[i].unicode();
        if (x >= u'a' && x <= u'z') x -= 32;
        if (y >= u'a' && y <= u'z') y -= 32;
        if (x != y) return false;
    }
    return true;
}

// Lines of a text file (UTF-8, else Windows-1250) without their line ends.
QStringList readLines(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList lines = csv::Dekoduj(f.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    for (QString& l : lines)
        if (l.endsWith(QLatin1Char('\r'))) l.chop(1);
    return lines;
}

// The column names of a CSV header line checked against the table; empty with
// the reason when a name is not a column of it.
QStringList csvColumns(const std::vector<TableColumn>& known, const QStringList& header, const QString& table,
                       bool withoutId, QString& reason)
{
    if (known.empty()) {
        reason = QStringLiteral("Tabulka %1 neexistuje.").arg(table);
        return {};
    }
    QStringList out;
    for (const QString& name : header) {
        const TableColumn* c = FindColumn(known, name);
        if (!c) {
            reason = QStringLiteral("Sloupec \"%1\" v tabulce %2 není.").arg(name.trimmed(), table);
            return {};
        }
        if (out.contains(c->name) || (!withoutId && c->name == table.toUpper() + QStringLiteral("_ID"))) {
            reason = QStringLiteral("Sloupec \"%1\" je v hlavičce vícekrát.").arg(c->name);
            return {};
        }
        // Who created or changed a row and its revision are the program's to write.
        if (c->name.startsWith(QLatin1String("VYTVORIL_")) ||
            c->name.startsWith(QLatin1String("EDITOVAL_")) || c->name == QLatin1String("REVIZE")) {
            reason = QStringLiteral("Sloupec \"%1\" vyplňuje program (kdo a kdy záznam vytvořil nebo "
                                    "změnil), v souboru být nesmí.")
                         .arg(c->name);
            return {};
        }
        // Rights from a file could hide rows from their own importer or open
        // them to anyone: only an administrator may name them.
        if (c->name.startsWith(QLatin1String("F_")) && !session().Administrator) {
            reason = QStringLiteral("Sloupec práv \"%1\" smí v souboru uvádět jen administrátor; bez něj "
                                    "dostanou řádky práva vaší výchozí skupiny.")
                         .arg(c->name);
            return {};
        }
        out << c->name;
    }
    return out;
}

} // namespace

TSQLDATA& SQLDATA()
{
    if (!g_module) throw ActionError(QStringLiteral("Datový modul není vytvořen."));
    return *g_module;
}

void setSQLDATA(TSQLDATA* module)
{
    g_module = module;
}

// ---- TKTDATASET

void TKTDATASET::Clear()
{
    m_rows.clear();
    SQL.clear();
}

int TKTDATASET::IndexSloupce(const QString& name) const
{
    if (m_rows.empty()) return 0;
    const QStringList& header = m_rows.front();
    const int n = std::min<int>(int(header.size()), 255);
    for (int i = 0; i < n; ++i)
        if (equalIgnoringAsciiCase(header[i], name)) return i + 1;
    return 0;
}

QString TKTDATASET::Hodnota(int row, int column) const
{
    if (row > PocetRadku() || row < 0) {
        messages::error(QStringLiteral("Chyba 1121:Požadován řádek=%1Count=%2|").arg(row).arg(PocetRadku()));
        return QString();
    }
    const QStringList& values = m_rows[size_t(row)];
    if (column > values.size()) {
        messages::error(QStringLiteral("Chyba 7897:Sl=%1Count=%2|%3|")
                            .arg(column)
                            .arg(values.size())
                            .arg(commatext::encode(values)));
        return QString();
    }
    if (column < 1) throw ActionError(QStringLiteral("Index seznamu mimo rozsah (%1)").arg(column - 1));
    return values[column - 1];
}

QString TKTDATASET::HodnotaJmeno(int row, const QString& name) const
{
    return Hodnota(row, IndexSloupce(name));
}

bool TKTDATASET::HodnotaBool(int row, const QString& name) const
{
    return HodnotaJmeno(row, name) == QLatin1String("1");
}

int TKTDATASET::HodnotaInt(int row, const QString& name) const
{
    const QString v = HodnotaJmeno(row, name);
    return v.isEmpty() ? 0 : toInt(v);
}

int TKTDATASET::HodnotaIntIndex(int row, int column) const
{
    return toInt(Hodnota(row, column));
}

int TKTDATASET::SoucetSloupce(const QString& name) const
{
    return SoucetSloupceIndex(IndexSloupce(name));
}

int TKTDATASET::SoucetSloupceIndex(int column) const
{
    int sum = 0;
    for (int r = 1; r <= PocetRadku(); ++r)
        sum += HodnotaIntIndex(r, column);
    return sum;
}

QString TKTDATASET::Radek(int index) const
{
    return commatext::encode(m_rows.at(size_t(index)));
}

void TKTDATASET::PridejRadek(const QString& commaText)
{
    m_rows.push_back(commatext::decode(commaText));
}

// ---- TSQLDATA

void TSQLDATA::readRows(const QString& sql, TKTDATASET& table, bool withHeader)
{
    OtevriDotaz(sql);
    fb::Cursor& c = cursor();
    const int n = c.columnCount();
    if (withHeader) {
        QStringList header;
        for (int i = 0; i < n; ++i)
            header << c.columnName(i);
        table.PridejHodnoty(std::move(header));
    }
    while (c.next()) {
        QStringList values;
        values.reserve(n);
        for (int i = 0; i < n; ++i)
            values << c.text(i);
        table.PridejHodnoty(std::move(values));
    }
    zavriKurzor();
}

void TSQLDATA::NactiTabulku(const QString& sql, TKTDATASET& table)
{
    table.Clear();
    readRows(sql, table, true);
    table.SQL = sql;
}

void TSQLDATA::PridejDotaz(const QString& sql, TKTDATASET& table)
{
    if (table.Count() == 0) {
        // Without a header the first row would be taken for one.
        readRows(sql, table, true);
    } else {
        readRows(sql, table, false);
    }
    table.SQL = sql;
}

int TSQLDATA::VerzeDat()
{
    return VratInt(QStringLiteral("Select FIRST 1 verze_cislo from verze "));
}

VysledekZapisu TSQLDATA::ProvedSkript(const QString& fileName)
{
    if (fileName.isEmpty() || !QFileInfo::exists(fileName))
        return VysledekZapisu::Odmitnuto(QStringLiteral("File \"%1\" not found !").arg(fileName));
    const QStringList lines = readLines(fileName);
    QStringList statements;
    QString buffer;
    for (const QString& line : lines) {
        // Lines keep their break: "select a" and "from b" must not become "afrom".
        if (!buffer.isEmpty()) buffer += QLatin1Char('\n');
        buffer += line;
        if (!buffer.trimmed().isEmpty() && buffer.endsWith(QLatin1Char(';'))) {
            statements << buffer;
            buffer.clear();
        }
    }
    VysledekZapisu v = ProvedSQLSeznam(statements);
    if (!v.ok) v.chyba = QString::number(lines.size()) + QStringLiteral("  ") + v.chyba;
    return v;
}

namespace
{

// The statement up to its values: with the id from the table's generator
// unless withoutId.
// Who imported a row and who may see it, for the columns the file does not
// name: the audit columns and the rights of the user's default group.
QList<std::pair<QString, QString>> csvDoplnky(const std::vector<TableColumn>& known, const QStringList& named)
{
    const Session& s = session();
    QList<std::pair<QString, QString>> out;
    const auto pridej = [&](const char* column, const QString& value) {
        const QString c = QLatin1String(column);
        if (FindColumn(known, c) && !named.contains(c)) out.append({c, value});
    };
    if (s.UzivatelID != 0) {
        pridej("VYTVORIL_KDO", QString::number(s.UzivatelID));
        pridej("EDITOVAL_KDO", QString::number(s.UzivatelID));
    }
    pridej("VYTVORIL_KDY", QStringLiteral("CURRENT_TIMESTAMP"));
    pridej("EDITOVAL_KDY", QStringLiteral("CURRENT_TIMESTAMP"));
    if (s.VychoziSkupina != 0)
        for (const char* c : {"F_CIST", "F_EDITOVAT", "F_SMAZAT", "F_ALARM", "F_ADMINISTROVAT"})
            pridej(c, QString::number(s.VychoziSkupina));
    return out;
}

bool importCsvRecord(TSQLDATA& db, const csv::Zaznam& z, const QString& tableName,
                     const std::vector<TableColumn>& known, const QStringList& columns,
                     const QList<std::pair<QString, QString>>& doplnky, bool withoutId)
{
    if (z.hodnoty.size() != columns.size()) {
        messages::error(QStringLiteral("Chyba na řádku: %1\rŘádek má %2 hodnot, hlavička %3 sloupců.")
                            .arg(z.radek)
                            .arg(z.hodnoty.size())
                            .arg(columns.size()));
        return false;
    }
    QStringList names = columns;
    QStringList literals;
    for (qsizetype i = 0; i < z.hodnoty.size(); ++i) {
        // An empty cell of a number or date column is no value, not a text the server cannot convert.
        const TableColumn* c = FindColumn(known, columns[i]);
        const bool text = c && c->kind == TableColumn::Kind::Text;
        literals << (!text && z.hodnoty[i].trimmed().isEmpty() ? QStringLiteral("NULL")
                                                               : TextSQL(z.hodnoty[i]));
    }
    for (const auto& [column, value] : doplnky) {
        names << column;
        literals << value;
    }
    if (!withoutId) {
        names.prepend(tableName + QStringLiteral("_ID"));
        literals.prepend(QString::number(db.NoveID(tableName + QStringLiteral("_ID"))));
    }
    const QString sql = QStringLiteral("insert into %1(%2) values(%3);")
                            .arg(tableName, names.join(QLatin1Char(',')), literals.join(QLatin1Char(',')));
    if (const VysledekZapisu v = db.ProvedSQL(sql); !v.ok) {
        // The line stays in the box's text; the server's own words and the
        // statement go to its details.
        const QString veta = chybyserveru::veta(v.chyba);
        messages::error(
            QStringLiteral("Chyba na řádku: %1\r%2").arg(z.radek).arg(veta.isEmpty() ? v.chyba : veta),
            SkryjHesla(sql) + QStringLiteral("\n") + v.chyba);
        return false;
    }
    return true;
}

} // namespace

void TSQLDATA::ImportCSV(const QString& fileName, const QString& tableName, bool withoutId)
{
    const Presypaci hodiny;
    const QString caption = m_getCaption ? m_getCaption() : QString();
    // The caption counts the lines; it is put back however the import ends.
    const auto restoreCaption = qScopeGuard([&] {
        if (m_setCaption) m_setCaption(caption);
    });
    if (fileName.isEmpty()) return;
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        messages::error(QStringLiteral("Soubor %1 nelze otevřít: %2").arg(fileName, f.errorString()));
        return;
    }
    const QList<csv::Zaznam> records = csv::Zaznamy(csv::Dekoduj(f.readAll()));
    if (records.isEmpty()) return;
    // The header names reach the statement only as the table's own column names.
    QString reason;
    const std::vector<TableColumn> known = TableColumns(*this, tableName);
    const QStringList columns = csvColumns(known, records.front().hodnoty, tableName, withoutId, reason);
    if (columns.isEmpty()) {
        messages::error(QStringLiteral("Chyba na řádku: 1\r") + reason);
        return;
    }
    const QList<std::pair<QString, QString>> doplnky = csvDoplnky(known, columns);
    int imported = 0;
    {
        // One transaction for the file; the lines before a refused one stay.
        DavkaZapisu davka(*this);
        for (qsizetype i = 1; i < records.size(); ++i) {
            const csv::Zaznam& z = records[i];
            if (z.prazdny) continue;
            if (m_setCaption) m_setCaption(caption + QStringLiteral("   ") + QString::number(z.radek));
            if (!importCsvRecord(*this, z, tableName, known, columns, doplnky, withoutId)) break;
            ++imported;
        }
        if (const VysledekZapisu v = davka.potvrd(); !v.ok) {
            messages::error(QStringLiteral("Import nebyl uložen: ") + v.chyba);
            imported = 0;
        }
    }
    // Other workstations' lists learn of the new rows once.
    if (imported > 0) UdelejRefresh();
}

namespace
{

// A failed statement as a message shows it: the statement, then the server's text.
QString chybaPrikazu(const QString& sql, const QString& chyba)
{
    return SkryjHesla(sql) + QStringLiteral("\r\n") + chyba;
}

// The presence statements of ZapisZivot; returns each failure as the statement
// and the server's text. Every workstation runs them each minute, so they touch
// only rows still marked present and never wait on a row another one holds.
QList<std::pair<QString, QString>> zapisZivot(TSQLDATA& db, bool markSelf)
{
    QString before;
    db.CasServeruText(-3.0 / 1440.0, before);
    QList<std::pair<QString, QString>> failures;
    // A row without any heartbeat counts as lapsed, or it would be refused for ever.
    const QString clear = QStringLiteral("update uzivatel set prihlasen=0 where ((zivot_timestamp<\"%1\")"
                                         " or (zivot_timestamp is null)) and (prihlasen<>0)")
                              .arg(before);
    if (const VysledekZapisu v = db.ProvedSQLBezCekani(clear); !v.ok) failures.append({clear, v.chyba});
    if (markSelf) {
        const QString mark =
            QStringLiteral("update uzivatel set prihlasen=1, zivot_timestamp=%1 where uzivatel_id=%2")
                .arg(QStringLiteral("CURRENT_TIMESTAMP"))
                .arg(session().UzivatelID);
        if (const VysledekZapisu v = db.ProvedSQLBezCekani(mark); !v.ok) failures.append({mark, v.chyba});
    }
    return failures;
}

} // namespace

void TSQLDATA::ZapisZivot(bool markSelf)
{
    for (const auto& [sql, error] : zapisZivot(*this, markSelf))
        messages::error(chybaPrikazu(sql, error));
}

bool TSQLDATA::Tep()
{
    QList<std::pair<QString, QString>> failures;
    try {
        failures = zapisZivot(*this, true);
    } catch (const DbError& e) { // the server clock could not be read
        failures.append({QStringLiteral("EXECUTE PROCEDURE VRAT_CAS_SERVERU"), e.text()});
    }
    for (const auto& [sql, error] : failures)
        qCWarning(orvanDb) << "heartbeat failed, retried in a minute:" << SkryjHesla(sql) << error;
    return failures.isEmpty();
}

TSQLDATA::Pritomnost TSQLDATA::Prihlas()
{
    const auto failures = zapisZivot(*this, false);
    for (const auto& [sql, error] : failures) {
        messages::error(chybaPrikazu(sql, error));
        // Nothing can be written: one message is enough.
        if (error.contains(QLatin1String("read-only database"))) return Pritomnost::Chyba;
    }
    const int id = session().UzivatelID;
    const QString stanice = OznaceniStanice().left(250);
    TKTDATASET t;
    NactiTabulku(
        QStringLiteral(
            "select prihlasen, prihlasen_stanice, prihlasen_proces from uzivatel where uzivatel_id=%1")
            .arg(id),
        t);
    if (t.PocetRadku() > 0 && t.HodnotaInt(1, QStringLiteral("PRIHLASEN")) != 0) {
        // A program of another workstation may still run: its heartbeat decides.
        if (t.HodnotaJmeno(1, QStringLiteral("PRIHLASEN_STANICE")) != stanice) return Pritomnost::Jinde;
        if (ProcesBezi(t.HodnotaJmeno(1, QStringLiteral("PRIHLASEN_PROCES")))) return Pritomnost::BeziZde;
    }
    const QString sql =
        QStringLiteral(
            "update uzivatel set prihlasen=1, prihlasen_stanice=%1, prihlasen_proces=%2 where uzivatel_id=%3")
            .arg(TextSQL(stanice), TextSQL(OznaceniProcesu()))
            .arg(id);
    if (const VysledekZapisu v = ProvedSQL(sql); !v.ok) {
        messages::error(chybaPrikazu(sql, v.chyba));
        return Pritomnost::Chyba;
    }
    ZapisZivot(true);
    UdelejRefresh();
    return Pritomnost::Prihlasen;
}

void TSQLDATA::Odhlas()
{
    const QString sql = QStringLiteral("update uzivatel set prihlasen=%1 where uzivatel_id=%2")
                            .arg(0)
                            .arg(session().UzivatelID);
    if (const VysledekZapisu v = ProvedSQL(sql); !v.ok) messages::error(chybaPrikazu(sql, v.chyba));
    UdelejRefresh();
}

void NaplnMrizku(const QStringList* lines, QStandardItemModel* grid)
{
    if (!lines || !grid) return;
    grid->clear();
    if (lines->isEmpty()) return;
    const QStringList header = commatext::decode(lines->front());
    grid->setColumnCount(int(header.size()));
    grid->setHorizontalHeaderLabels(header);
    for (int i = 1; i < lines->size(); ++i) {
        const QStringList values = commatext::decode(lines->at(i));
        QList<QStandardItem*> items;
        for (const QString& v : values)
            items << new QStandardItem(v);
        grid->appendRow(items);
    }
}
