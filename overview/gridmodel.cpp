#include "gridmodel.h"

#include "common/kttext.h"
#include "data/datamoduleib.h"
#include "data/dberror.h"

#include <QElapsedTimer>
#include <algorithm>
#ifdef __GLIBC__
#include <malloc.h>
#endif

// One result: the rows read and, while rows remain, the cursor for the rest.
struct GridModel::Rows {
    QString sql;
    QStringList captions;
    int columns = 0;    // grid columns
    int stride = 0;     // values per row: key, colour columns, grid columns
    int firstCell = 1;  // index of grid column 0 within a row
    int highlight = -1; // grid column of the conditional colouring
    std::vector<char> boolean;
    QString text;                           // all values, one after another
    std::vector<qsizetype> ends;            // end of each value in text, row by row
    int rows = 0;                           // rows the views know of
    int read = 0;                           // rows in text (rows <= read)
    std::vector<ColourValue> rowText;       // from SloupecBarvyPisma or the highlight, by grid row
    std::vector<ColourValue> rowBackground; // from SloupecBarvyPozadi or the highlight, by grid row
    std::unique_ptr<CteniPoCastech> rest;

    qsizetype bytes() const { return text.capacity() * 2 + qsizetype(ends.capacity() * sizeof(qsizetype)); }
    QStringView value(int dataRow, int index) const
    {
        const size_t i = size_t(dataRow) * size_t(stride) + size_t(index);
        const qsizetype start = i == 0 ? 0 : ends[i - 1];
        return QStringView(text).mid(start, ends[i] - start);
    }
};

namespace
{

// A colour column's value: empty, 0 and anything unreadable mean none (0).
ColourValue parseColour(QStringView text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

// Gives the memory of a large list back to the system once it is dropped.
void vratPamet(qsizetype bytes)
{
#ifdef __GLIBC__
    if (bytes > 4 * 1024 * 1024) malloc_trim(0);
#else
    Q_UNUSED(bytes);
#endif
}

} // namespace

GridModel::GridModel(const GridDefinition* definition, QObject* parent)
    : QAbstractTableModel(parent), m_def(definition), m_d(std::make_unique<Rows>()),
      m_casovac(new QTimer(this))
{
    m_casovac->setSingleShot(true);
    m_casovac->setInterval(0);
    connect(m_casovac, &QTimer::timeout, this, &GridModel::pokracujObnovu);
}

GridModel::~GridModel() = default;

void GridModel::nastavBloky(int prvni, int dalsi)
{
    m_prvniBlok = std::max(1, prvni);
    m_dalsiBlok = std::max(1, dalsi);
}

void GridModel::zahodObnovu()
{
    m_casovac->stop();
    m_nove.reset();
}

void GridModel::clear()
{
    zahodObnovu();
    beginResetModel();
    const qsizetype bytes = m_d->bytes();
    m_d = std::make_unique<Rows>();
    for (const GridColumn& c : m_def->Sloupce)
        m_d->captions << c.caption();
    m_d->columns = int(m_d->captions.size());
    m_d->firstCell = 1 + m_def->colourColumnCount();
    m_d->stride = m_d->firstCell + m_d->columns;
    endResetModel();
    vratPamet(bytes);
}

std::unique_ptr<GridModel::Rows> GridModel::otevri(TDataModuleIb& db, const QString& sql) const
{
    auto d = std::make_unique<Rows>();
    d->sql = sql;
    d->rest = std::make_unique<CteniPoCastech>(db, sql);
    fb::Cursor& cursor = d->rest->cursor();
    const int n = cursor.columnCount();
    d->stride = n;
    d->firstCell = std::min(n, 1 + m_def->colourColumnCount());
    d->columns = n - d->firstCell;
    d->boolean.assign(size_t(n), 0);
    for (int c = 0; c < d->columns; ++c) {
        const bool defined = c < int(m_def->Sloupce.size());
        d->captions << (defined ? m_def->Sloupce[size_t(c)].caption() : cursor.columnName(d->firstCell + c));
        d->boolean[size_t(d->firstCell + c)] = defined && m_def->Sloupce[size_t(c)].isBoolean();
    }
    // Colour lists are by grid row; row 0 (the captions) has none of its own.
    const bool colours = !m_def->SloupecBarvyPozadi.isEmpty() || !m_def->SloupecBarvyPisma.isEmpty();
    if (!m_def->ZvyrazneniSloupec.isEmpty() && d->columns > 0) {
        // The first column named so; when none before the last one is, the last one.
        const int last = std::min(int(m_def->Sloupce.size()), d->columns) - 1;
        if (last >= 0) {
            int column = 0;
            while (column < last && m_def->Sloupce[size_t(column)].Pole != m_def->ZvyrazneniSloupec)
                ++column;
            d->highlight = column;
        }
    }
    if (colours || d->highlight >= 0) {
        d->rowText.assign(1, 0);
        d->rowBackground.assign(1, 0);
    }
    if (d->highlight >= 0 && d->captions.value(d->highlight) == m_def->ZvyrazneniHodnota) {
        if (m_def->ZvyrazneniBarvaPisma != 0) d->rowText[0] = m_def->ZvyrazneniBarvaPisma;
        if (m_def->ZvyrazneniBarvaPozadi != 0) d->rowBackground[0] = m_def->ZvyrazneniBarvaPozadi;
    }
    return d;
}

int GridModel::precti(Rows& d, int max) const
{
    if (!d.rest || !d.rest->otevreno()) return 0;
    fb::Cursor& cursor = d.rest->cursor();
    const int n = d.stride;
    const int from = d.read;
    try {
        while (d.read - from < max) {
            if (!cursor.next()) {
                d.rest.reset(); // all read: the snapshot ends here
                break;
            }
            for (int i = 0; i < n; ++i) {
                const qsizetype start = d.text.size();
                cursor.appendText(i, d.text, false);
                if (d.boolean[size_t(i)]) {
                    const bool yes = QStringView(d.text).mid(start).trimmed() == u"1";
                    d.text.truncate(start);
                    d.text += yes ? QStringLiteral("Ano") : QStringLiteral("Ne");
                }
                d.ends.push_back(d.text.size());
            }
            ++d.read;
        }
    } catch (...) {
        // Drop the half-read row; the rows before it stay.
        d.ends.resize(size_t(d.read) * size_t(n));
        d.text.truncate(d.ends.empty() ? 0 : d.ends.back());
        d.rest.reset();
        throw;
    }
    if (d.rowText.empty()) return d.read - from;

    // Colour columns follow the key: background first, then text.
    d.rowText.resize(size_t(d.read) + 1, 0);
    d.rowBackground.resize(size_t(d.read) + 1, 0);
    int index = 1;
    auto readColours = [&](const QString& column, std::vector<ColourValue>& list) {
        if (column.isEmpty() || index >= d.stride) return;
        for (int r = from; r < d.read; ++r)
            list[size_t(r) + 1] = parseColour(d.value(r, index));
        ++index;
    };
    readColours(m_def->SloupecBarvyPozadi, d.rowBackground);
    readColours(m_def->SloupecBarvyPisma, d.rowText);
    if (d.highlight >= 0) {
        const QString& wanted = m_def->ZvyrazneniHodnota;
        for (int r = from; r < d.read; ++r) {
            if (d.value(r, d.firstCell + d.highlight) != wanted) continue;
            if (m_def->ZvyrazneniBarvaPisma != 0) d.rowText[size_t(r) + 1] = m_def->ZvyrazneniBarvaPisma;
            if (m_def->ZvyrazneniBarvaPozadi != 0)
                d.rowBackground[size_t(r) + 1] = m_def->ZvyrazneniBarvaPozadi;
        }
    }
    return d.read - from;
}

void GridModel::load(TDataModuleIb& db, const QString& sql)
{
    zahodObnovu();
    beginResetModel();
    const qsizetype bytes = m_d->bytes();
    m_d = std::make_unique<Rows>();
    vratPamet(bytes);
    try {
        std::unique_ptr<Rows> d = otevri(db, sql);
        precti(*d, m_prvniBlok);
        d->rows = d->read;
        m_d = std::move(d);
    } catch (...) {
        m_d = std::make_unique<Rows>();
        endResetModel();
        throw;
    }
    endResetModel();
}

void GridModel::obnov(TDataModuleIb& db, const QString& sql)
{
    zahodObnovu();
    std::unique_ptr<Rows> d = otevri(db, sql);
    precti(*d, m_prvniBlok);
    d->rows = d->read;
    m_nove = std::move(d);
    m_cilObnovy = std::max(m_d->rows, m_prvniBlok);
    if (!m_nove->rest || m_nove->rows >= m_cilObnovy)
        vymen();
    else
        m_casovac->start();
}

void GridModel::pokracujObnovu()
{
    if (!m_nove) return;
    // A slice of the event loop's time: the shown rows stay usable meanwhile.
    QElapsedTimer cas;
    cas.start();
    try {
        while (m_nove->rest && m_nove->read < m_cilObnovy && cas.elapsed() < 30)
            precti(*m_nove, std::min(256, m_cilObnovy - m_nove->read));
    } catch (const DbError& e) {
        zahodObnovu();
        emit chybaCteni(e.text());
        return;
    }
    m_nove->rows = m_nove->read;
    if (!m_nove->rest || m_nove->rows >= m_cilObnovy)
        vymen();
    else
        m_casovac->start();
}

void GridModel::dokonciObnovu()
{
    if (!m_nove) return;
    m_casovac->stop();
    while (m_nove->rest && m_nove->read < m_cilObnovy)
        precti(*m_nove, m_cilObnovy - m_nove->read);
    m_nove->rows = m_nove->read;
    vymen();
}

void GridModel::vymen()
{
    m_casovac->stop();
    emit predObnovenim();
    beginResetModel();
    std::swap(m_d, m_nove);
    endResetModel();
    const qsizetype bytes = m_nove ? m_nove->bytes() : 0;
    m_nove.reset();
    vratPamet(bytes);
    emit obnoveno();
}

bool GridModel::zbyva() const
{
    return m_d->rest && m_d->rest->otevreno();
}

bool GridModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && zbyva();
}

void GridModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid() || !zbyva()) return;
    QString chyba;
    try {
        precti(*m_d, m_dalsiBlok);
    } catch (const DbError& e) {
        chyba = e.text();
    }
    if (m_d->read > m_d->rows) {
        beginInsertRows(QModelIndex(), m_d->rows, m_d->read - 1);
        m_d->rows = m_d->read;
        endInsertRows();
    }
    if (!chyba.isEmpty()) emit chybaCteni(chyba);
}

bool GridModel::nactiZbytek(const std::function<bool(int)>& prubeh)
{
    while (zbyva()) {
        const int before = m_d->rows;
        precti(*m_d, m_dalsiBlok);
        if (m_d->read > before) {
            beginInsertRows(QModelIndex(), before, m_d->read - 1);
            m_d->rows = m_d->read;
            endInsertRows();
        }
        if (prubeh && zbyva() && !prubeh(m_d->rows)) return false;
    }
    return true;
}

int GridModel::dataRowCount() const
{
    return m_d->rows;
}

QString GridModel::caption(int column) const
{
    return m_d->captions.value(column);
}

int GridModel::gridRowCount() const
{
    return m_d->rows + 1;
}

int GridModel::gridColumnCount() const
{
    return m_d->columns;
}

int GridModel::radekKlice(QStringView klic) const
{
    for (int r = 0; r < m_d->rows; ++r)
        if (m_d->value(r, 0) == klic) return r + 1;
    return 0;
}

QStringView GridModel::value(int dataRow, int index) const
{
    return m_d->value(dataRow, index);
}

QStringView GridModel::cell(int column, int gridRow) const
{
    if (column < 0 || column >= m_d->columns || gridRow < 1 || gridRow > m_d->rows) return {};
    return value(gridRow - 1, m_d->firstCell + column);
}

QString GridModel::key(int gridRow) const
{
    if (gridRow < 1 || gridRow > m_d->rows || m_d->stride == 0) return QString();
    return value(gridRow - 1, 0).toString();
}

QString GridModel::cellText(int column, int row) const
{
    return row == 0 ? m_d->captions.value(column) : cell(column, row).toString();
}

ColourValue GridModel::textColour(int gridRow) const
{
    const size_t r = size_t(gridRow);
    ColourValue c = m_def->BarvaPisma;
    if (r < m_d->rowText.size() && m_d->rowText[r] != 0) c = m_d->rowText[r];
    if (r < BarvyPismaRadku.size()) c = BarvyPismaRadku[r];
    return c;
}

ColourValue GridModel::backgroundColour(int gridRow) const
{
    const size_t r = size_t(gridRow);
    ColourValue c = m_def->BarvaPozadi;
    if (r < m_d->rowBackground.size() && m_d->rowBackground[r] != 0) c = m_d->rowBackground[r];
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
    list.assign(size_t(m_d->rows) + 1, c);
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
    if (pismo && BarvyPismaRadku.size() < size_t(m_d->rows)) fillList(BarvyPismaRadku, barva1);
    if (pozadi && BarvyPozadiRadku.size() < size_t(m_d->rows)) fillList(BarvyPozadiRadku, barva1);
    // The caption is the first "previous" value, so the first group gets colour 1.
    bool toggle = false;
    QString previous = cellText(sloupec, 0);
    for (int r = 1; r <= m_d->rows; ++r) {
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
    if (pismo && BarvyPismaRadku.size() < size_t(m_d->rows)) fillList(BarvyPismaRadku, barvaCastecna);
    if (pozadi && BarvyPozadiRadku.size() < size_t(m_d->rows)) fillList(BarvyPozadiRadku, barvaCastecna);
    auto mark = [&](int r, ColourValue c) {
        for (int row : {r, r + 1}) {
            if (pismo) setPair(BarvyPismaRadku, row, c);
            if (pozadi) setPair(BarvyPozadiRadku, row, c);
        }
    };
    for (int r = 1; r < m_d->rows; ++r) {
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
    for (int r = 1; r <= m_d->rows; ++r)
        sum += TextNaCislo(cell(sloupec, r).toString());
    return sum;
}

void GridModel::coloursChanged()
{
    if (m_d->rows > 0 && m_d->columns > 0)
        emit dataChanged(index(0, 0), index(m_d->rows - 1, m_d->columns - 1),
                         {Qt::ForegroundRole, Qt::BackgroundRole});
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_d->rows;
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_d->columns;
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
        return section >= 0 && section < m_d->columns ? QVariant(m_d->captions.value(section)) : QVariant();
    return section + 1;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
