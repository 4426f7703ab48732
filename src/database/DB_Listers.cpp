#include "database/DB_Listers.h"

#include "database/DB_DatabaseConnection.h"
#include "platform/Windows1250.h"

#include <sqlcipher/sqlite3.h>

#include <mutex>

namespace tvr
{

namespace
{
constexpr int kBatch = 256; // rows per fetch: more than a screen
}

TLister::TLister(TDatabaseConnection &db, int number, QObject *parent)
    : QAbstractTableModel(parent), m_db(db), m_number(number)
{
    setObjectName(QStringLiteral("Lister%1").arg(number));
}

TLister::~TLister()
{
    std::lock_guard lock(m_db.mutex());
    closeCursor();
}

void TLister::closeCursor()
{
    if (!m_cursor)
        return;
    sqlite3_finalize(m_cursor);
    m_cursor = nullptr;
    m_db.registerCursor(this, false);
}

void TLister::readCursorRow(std::vector<QString> &into)
{
    const int columns = int(m_columns.size());
    for (int c = 0; c < columns; ++c) {
        const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_cursor, c));
        into.push_back(bytes ? FromWindows1250(bytes, sqlite3_column_bytes(m_cursor, c)) : QString());
    }
}

void TLister::drain()
{
    std::lock_guard lock(m_db.mutex());
    while (m_cursor && sqlite3_step(m_cursor) == SQLITE_ROW)
        readCursorRow(m_pending);
    closeCursor();
}

void TLister::fetchRows(int count, bool notify)
{
    const int columns = int(m_columns.size());
    if (columns == 0)
        return;
    std::vector<QString> batch;
    {
        std::lock_guard lock(m_db.mutex());
        const size_t fromPending = std::min(m_pending.size(), size_t(count) * columns);
        batch.assign(std::make_move_iterator(m_pending.begin()),
                     std::make_move_iterator(m_pending.begin() + fromPending));
        m_pending.erase(m_pending.begin(), m_pending.begin() + fromPending);
        while (m_cursor && batch.size() < size_t(count) * columns) {
            if (sqlite3_step(m_cursor) == SQLITE_ROW)
                readCursorRow(batch);
            else
                closeCursor(); // done (an engine error mid-read ends the list where it stands)
        }
    }
    if (batch.empty())
        return;
    const int first = rowCount();
    const int added = int(batch.size()) / columns;
    if (notify)
        beginInsertRows({}, first, first + added - 1);
    m_cells.insert(m_cells.end(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
    if (notify)
        endInsertRows();
}

void TLister::refresh(const QString &sql, const QStringList &params)
{
    const QString key = currentKey();
    beginResetModel();
    {
        std::lock_guard lock(m_db.mutex());
        closeCursor();
        m_cells.clear();
        m_pending.clear();
        m_columns.clear();
        m_currentRow = -1;
        m_statement = sql;
        try {
            m_cursor = m_db.prepare(sql, params);
        } catch (...) {
            endResetModel();
            emit currentRowChanged(-1);
            throw;
        }
        m_db.registerCursor(this, true);
        const int columns = sqlite3_column_count(m_cursor);
        for (int c = 0; c < columns; ++c)
            m_columns << FromWindows1250(QByteArray(sqlite3_column_name(m_cursor, c)));
        fetchRows(kBatch, false);
    }
    endResetModel();
    int row = rowCount() > 0 ? 0 : -1;
    if (!key.isEmpty()) {
        // The remembered row may lie beyond the first screen.
        for (int r = 0;; ++r) {
            if (r == rowCount()) {
                if (!canFetchMore())
                    break;
                fetchMore();
                if (r == rowCount())
                    break;
            }
            if (value(r, 0) == key) {
                row = r;
                break;
            }
        }
    }
    m_currentRow = -2; // force the signal
    setCurrentRow(row);
}

void TLister::setCurrentRow(int row)
{
    if (row < -1 || row >= rowCount())
        row = rowCount() > 0 ? 0 : -1;
    if (row == m_currentRow)
        return;
    m_currentRow = row;
    emit currentRowChanged(row);
}

QString TLister::currentKey() const
{
    return m_currentRow >= 0 ? value(m_currentRow, 0) : QString();
}

QString TLister::currentValue(const QString &column) const
{
    return m_currentRow >= 0 ? value(m_currentRow, column) : QString();
}

QString TLister::value(int row, int column) const
{
    const int columns = int(m_columns.size());
    if (row < 0 || row >= rowCount() || column < 0 || column >= columns)
        return {};
    return m_cells[size_t(row) * columns + column];
}

int TLister::columnIndex(const QString &column) const
{
    // Column names compare as the engine compares them: without regard to case.
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns.at(i).compare(column, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString TLister::value(int row, const QString &column) const
{
    return value(row, columnIndex(column));
}

bool TLister::isEmpty()
{
    if (rowCount() == 0 && canFetchMore())
        fetchMore();
    return rowCount() == 0;
}

void TLister::fetchAll()
{
    while (canFetchMore())
        fetchRows(1 << 20, true);
}

int TLister::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || m_columns.isEmpty())
        return 0;
    return int(m_cells.size() / size_t(m_columns.size()));
}

int TLister::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TLister::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return value(index.row(), index.column());
}

QVariant TLister::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_columns.size() ? QVariant(m_columns.at(section)) : QVariant();
    return section + 1;
}

bool TLister::canFetchMore(const QModelIndex &parent) const
{
    if (parent.isValid())
        return false;
    std::lock_guard lock(m_db.mutex());
    return m_cursor || !m_pending.empty();
}

void TLister::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid())
        fetchRows(kBatch, true);
}

} // namespace tvr
