#include "gridmodel.h"

#include "common/kttext.h"
#include "data/ktibsql.h"

#include <algorithm>

GridModel::GridModel(const GridDefinition* definition, QObject* parent)
    : QAbstractTableModel(parent), m_def(definition)
{
}

void GridModel::clearRows()
{
    // Keep the capacity: the next load of the same overview needs about as much.
    const qsizetype previous = m_text.size();
    m_text.clear();
    m_text.reserve(previous);
    m_ends.clear();
    m_rows = 0;
    m_rowText.clear();
    m_rowBackground.clear();
}

void GridModel::clear()
{
    beginResetModel();
    clearRows();
    m_captions.clear();
    for (const GridColumn& c : m_def->Sloupce)
        m_captions << c.caption();
    m_columns = int(m_captions.size());
    m_firstCell = 1 + m_def->colourColumnCount();
    m_stride = m_firstCell + m_columns;
    endResetModel();
}

namespace
{

// A colour column's value: empty, 0 and anything unreadable mean none (0).
ColourValue parseColour(QStringView text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

} // namespace

void GridModel::load(TDataModuleIb& db, const QString& sql)
{
    beginResetModel();
    clearRows();
    try {
        db.OtevriDotaz(sql);
        fb::Cursor& cursor = db.cursor();
        const int n = cursor.columnCount();
        m_stride = n;
        m_firstCell = std::min(n, 1 + m_def->colourColumnCount());
        m_columns = n - m_firstCell;

        m_captions.clear();
        std::vector<char> boolean(size_t(n), 0);
        for (int c = 0; c < m_columns; ++c) {
            const bool defined = c < int(m_def->Sloupce.size());
            m_captions << (defined ? m_def->Sloupce[size_t(c)].caption()
                                   : cursor.columnName(m_firstCell + c));
            boolean[size_t(m_firstCell + c)] = defined && m_def->Sloupce[size_t(c)].isBoolean();
        }

        while (cursor.next()) {
            for (int i = 0; i < n; ++i) {
                const qsizetype start = m_text.size();
                cursor.appendText(i, m_text, false);
                if (boolean[size_t(i)]) {
                    const bool yes = QStringView(m_text).mid(start).trimmed() == u"1";
                    m_text.truncate(start);
                    m_text += yes ? QStringLiteral("Ano") : QStringLiteral("Ne");
                }
                m_ends.push_back(m_text.size());
            }
            ++m_rows;
        }
        cursor.close();

        // Colour columns follow the key: background first, then text.
        int index = 1;
        auto readColours = [this, &index](const QString& column, std::vector<ColourValue>& list) {
            if (column.isEmpty() || index >= m_stride) return;
            list.assign(size_t(m_rows) + 1, 0);
            for (int r = 0; r < m_rows; ++r)
                list[size_t(r) + 1] = parseColour(value(r, index));
            ++index;
        };
        readColours(m_def->SloupecBarvyPozadi, m_rowBackground);
        readColours(m_def->SloupecBarvyPisma, m_rowText);
        applyHighlight();
    } catch (...) {
        clearRows();
        endResetModel();
        throw;
    }
    endResetModel();
}

void GridModel::applyHighlight()
{
    if (m_def->ZvyrazneniSloupec.isEmpty() || m_columns == 0) return;
    // The first column named so; when none before the last one is, the last one.
    const int last = std::min(int(m_def->Sloupce.size()), m_columns) - 1;
    if (last < 0) return;
    int column = 0;
    while (column < last && m_def->Sloupce[size_t(column)].Pole != m_def->ZvyrazneniSloupec)
        ++column;

    const size_t rows = size_t(m_rows) + 1;
    if (m_rowText.size() < rows) m_rowText.resize(rows, 0);
    if (m_rowBackground.size() < rows) m_rowBackground.resize(rows, 0);
    const QString& wanted = m_def->ZvyrazneniHodnota;
    for (int r = 0; r <= m_rows; ++r) {
        const bool match = r == 0 ? m_captions.value(column) == wanted : cell(column, r) == wanted;
        if (!match) continue;
        if (m_def->ZvyrazneniBarvaPisma != 0) m_rowText[size_t(r)] = m_def->ZvyrazneniBarvaPisma;
        if (m_def->ZvyrazneniBarvaPozadi != 0) m_rowBackground[size_t(r)] = m_def->ZvyrazneniBarvaPozadi;
    }
}

QStringView GridModel::value(int dataRow, int index) const
{
    const size_t i = size_t(dataRow) * size_t(m_stride) + size_t(index);
    const qsizetype start = i == 0 ? 0 : m_ends[i - 1];
    return QStringView(m_text).mid(start, m_ends[i] - start);
}

QStringView GridModel::cell(int column, int gridRow) const
{
    if (column < 0 || column >= m_columns || gridRow < 1 || gridRow > m_rows) return {};
    return value(gridRow - 1, m_firstCell + column);
}

QString GridModel::key(int gridRow) const
{
    if (gridRow < 1 || gridRow > m_rows || m_stride == 0) return QString();
    return value(gridRow - 1, 0).toString();
}

QString GridModel::cellText(int column, int row) const
{
    return row == 0 ? m_captions.value(column) : cell(column, row).toString();
}

ColourValue GridModel::textColour(int gridRow) const
{
    const size_t r = size_t(gridRow);
    ColourValue c = m_def->BarvaPisma;
    if (r < m_rowText.size() && m_rowText[r] != 0) c = m_rowText[r];
    if (r < BarvyPismaRadku.size()) c = BarvyPismaRadku[r];
    return c;
}

ColourValue GridModel::backgroundColour(int gridRow) const
{
    const size_t r = size_t(gridRow);
    ColourValue c = m_def->BarvaPozadi;
    if (r < m_rowBackground.size() && m_rowBackground[r] != 0) c = m_rowBackground[r];
    if (r < BarvyPozadiRadku.size()) c = BarvyPozadiRadku[r];
    return c;
}

void GridModel::resetOverrides()
{
    BarvyPozadiRadku.clear();
    BarvyPismaRadku.clear();
    coloursChanged();
}

void GridModel::fillList(std::vector<ColourValue>& list, ColourValue c) const
{
    list.assign(size_t(m_rows) + 1, c);
}

void GridModel::setPair(std::vector<ColourValue>& list, int row, ColourValue c) const
{
    if (list.size() <= size_t(row)) list.resize(size_t(row) + 1, c);
    list[size_t(row)] = c;
}

void GridModel::NastavBarvyRadku(bool pismo, bool pozadi, ColourValue barva)
{
    if (pismo) fillList(BarvyPismaRadku, barva);
    if (pozadi) fillList(BarvyPozadiRadku, barva);
    coloursChanged();
}

void GridModel::ObarviSkupiny(int sloupec, bool pismo, bool pozadi, ColourValue barva1, ColourValue barva2)
{
    if (pismo && BarvyPismaRadku.size() < size_t(m_rows)) fillList(BarvyPismaRadku, barva1);
    if (pozadi && BarvyPozadiRadku.size() < size_t(m_rows)) fillList(BarvyPozadiRadku, barva1);
    // The caption is the first "previous" value, so the first group gets colour 1.
    bool toggle = false;
    QString previous = cellText(sloupec, 0);
    for (int r = 1; r <= m_rows; ++r) {
        const QStringView v = cell(sloupec, r);
        if (v != previous) toggle = !toggle;
        const ColourValue c = toggle ? barva1 : barva2;
        if (pismo) setPair(BarvyPismaRadku, r, c);
        if (pozadi) setPair(BarvyPozadiRadku, r, c);
        previous = v.toString();
    }
    coloursChanged();
}

void GridModel::ObarviNavaznost(int od1, int od2, int do1, int do2, bool pismo, bool pozadi,
                                ColourValue barvaPrechodu, ColourValue barvaCastecna)
{
    if (pismo && BarvyPismaRadku.size() < size_t(m_rows)) fillList(BarvyPismaRadku, barvaCastecna);
    if (pozadi && BarvyPozadiRadku.size() < size_t(m_rows)) fillList(BarvyPozadiRadku, barvaCastecna);
    auto mark = [&](int r, ColourValue c) {
        for (int row : {r, r + 1}) {
            if (pismo) setPair(BarvyPismaRadku, row, c);
            if (pozadi) setPair(BarvyPozadiRadku, row, c);
        }
    };
    for (int r = 1; r < m_rows; ++r) {
        const QString from = cellText(od1, r + 1) + cellText(od2, r + 1);
        const QString to = cellText(do1, r) + cellText(do2, r);
        if (from == to) continue;
        mark(r, barvaPrechodu);
        const QStringView to1 = cell(do1, r), to2 = cell(do2, r);
        if ((cell(od1, r + 1) == to1 && !to1.trimmed().isEmpty()) ||
            (cell(od2, r + 1) == to2 && !to2.trimmed().isEmpty()))
            mark(r, barvaCastecna);
    }
    coloursChanged();
}

double GridModel::SumaSloupce(int sloupec) const
{
    double sum = 0;
    for (int r = 1; r <= m_rows; ++r)
        sum += TextNaCislo(cell(sloupec, r).toString());
    return sum;
}

void GridModel::coloursChanged()
{
    if (m_rows > 0 && m_columns > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1),
                         {Qt::ForegroundRole, Qt::BackgroundRole});
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return QVariant();
    const int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return cell(index.column(), row).toString();
    case Qt::ForegroundRole:
        return toQColor(textColour(row));
    case Qt::BackgroundRole:
        return toQColor(backgroundColour(row));
    case Qt::TextAlignmentRole: {
        const bool right = rightAligned(index.column());
        return QVariant::fromValue(Qt::Alignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop));
    }
    default:
        return QVariant();
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return QVariant();
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_columns ? QVariant(m_captions.value(section)) : QVariant();
    return section + 1;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
