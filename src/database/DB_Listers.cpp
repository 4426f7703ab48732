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

void ReadRow(sqlite3_stmt *cursor, int columns, std::vector<QString> &into)
{
    for (int c = 0; c < columns; ++c) {
        const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(cursor, c));
        into.push_back(bytes ? FromWindows1250(bytes, sqlite3_column_bytes(cursor, c)) : QString());
    }
}

} // namespace

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

bool TLister::stepCursor(std::vector<QString> &into)
{
    if (!m_cursor)
        return false;
    const int rc = sqlite3_step(m_cursor);
    if (rc == SQLITE_ROW) {
        ReadRow(m_cursor, int(m_columns.size()), into);
        return true;
    }
    if (rc != SQLITE_DONE)
        m_readError = m_db.lastError(m_statement, m_params);
    closeCursor();
    return false;
}

void TLister::drain()
{
    std::lock_guard lock(m_db.mutex());
    while (stepCursor(m_pending)) {
    }
}

void TLister::fetchRows(int count)
{
    const int columns = int(m_columns.size());
    if (columns == 0)
        return;
    std::vector<QString> batch;
    std::optional<SqlError> failed;
    {
        std::lock_guard lock(m_db.mutex());
        const size_t fromPending = std::min(m_pending.size(), size_t(count) * columns);
        batch.assign(std::make_move_iterator(m_pending.begin()),
                     std::make_move_iterator(m_pending.begin() + fromPending));
        m_pending.erase(m_pending.begin(), m_pending.begin() + fromPending);
        while (batch.size() < size_t(count) * columns && stepCursor(batch)) {
        }
        // Every row read before the error is shown first; then the error, never a silently short list.
        if (m_pending.empty())
            failed = std::exchange(m_readError, std::nullopt);
    }
    if (!batch.empty()) {
        const int first = rowCount();
        const int added = int(batch.size()) / columns;
        beginInsertRows({}, first, first + added - 1);
        m_cells.insert(m_cells.end(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
        endInsertRows();
    }
    if (failed)
        ReportError(OperationFailedMessage(), failed->detail());
}

void TLister::refresh(const QString &sql, const QStringList &params)
{
    const QString key = currentKey();
    // The new statement is prepared and its first screen read before the old rows go: a statement
    // that fails leaves the list as it was.
    sqlite3_stmt *cursor = nullptr;
    QStringList columns;
    std::vector<QString> first;
    bool more = false;
    {
        std::lock_guard lock(m_db.mutex());
        cursor = m_db.prepare(sql, params);
        const int count = sqlite3_column_count(cursor);
        for (int c = 0; c < count; ++c)
            columns << FromWindows1250(QByteArray(sqlite3_column_name(cursor, c)));
        for (int row = 0; row < kBatch && count > 0; ++row) {
            const int rc = sqlite3_step(cursor);
            if (rc == SQLITE_ROW) {
                ReadRow(cursor, count, first);
                continue;
            }
            if (rc != SQLITE_DONE) {
                SqlError error = m_db.lastError(sql, params);
                sqlite3_finalize(cursor);
                throw error;
            }
            break;
        }
        more = first.size() == size_t(kBatch) * size_t(count);
        if (!more || count == 0) {
            // Everything is read (or it is not a query): run it to its end now.
            while (count == 0 && sqlite3_step(cursor) == SQLITE_ROW) {
            }
            sqlite3_finalize(cursor);
            cursor = nullptr;
        }

        beginResetModel();
        closeCursor();
        m_pending.clear();
        m_readError.reset();
        m_statement = sql;
        m_params = params;
        m_columns = columns;
        m_cells = std::move(first);
        m_currentRow = -1;
        m_cursor = cursor;
        if (m_cursor)
            m_db.registerCursor(this, true);
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
        fetchRows(1 << 20);
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
    return m_cursor || !m_pending.empty() || m_readError;
}

void TLister::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid())
        fetchRows(kBatch);
}

} // namespace tvr
