#pragma once
// A numbered read-only result set ("Lister" + number) that grids and report bands show. Its
// statement is replaced at run time (RefreshLister). Rows are read lazily: the first screen comes
// at once and the rest as the view scrolls, so a list of 100 000 quotes opens without a wait.

#include <QAbstractTableModel>
#include <QStringList>

#include "common/CN_CommonErrorFunctions.h"

#include <optional>
#include <vector>

struct sqlite3_stmt;

namespace tvr
{

class TDatabaseConnection;

class TLister : public QAbstractTableModel
{
    Q_OBJECT
public:
    TLister(TDatabaseConnection &db, int number, QObject *parent = nullptr);
    ~TLister() override;

    int number() const { return m_number; }
    const QString &statement() const { return m_statement; }
    const QStringList &columnNames() const { return m_columns; }

    // Replaces the statement and opens it. The current row stays on the row with the same key
    // (first column) when the new result still holds it, else it goes to the first row.
    // Throws SqlError when the statement or its first rows cannot be read; the list then keeps
    // its previous statement and rows. An engine error while later rows are read is shown
    // ("Hiba történt a művelet során!" with the statement), and the list ends where it stands.
    void refresh(const QString &sql, const QStringList &params = {});

    // The current row (-1 when the result is empty): the row that operations act on.
    int currentRow() const { return m_currentRow; }
    void setCurrentRow(int row);
    // The key (first column) and a named value of the current row; empty when there is no row.
    QString currentKey() const;
    QString currentValue(const QString &column) const;

    QString value(int row, int column) const;
    QString value(int row, const QString &column) const;
    int columnIndex(const QString &column) const;
    // True when the result has no row at all (reads the first row if needed).
    bool isEmpty();
    // Reads every remaining row.
    void fetchAll();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent = {}) const override;
    void fetchMore(const QModelIndex &parent = {}) override;

    // Called by the connection, under its lock: reads the rest of the open cursor into a buffer
    // and closes it, so that a write or a detach can run. The view takes the rows on its next fetch.
    void drain();

signals:
    void currentRowChanged(int row);

private:
    void closeCursor();
    // Reads up to count rows from the buffer and the cursor; appends them to the model.
    void fetchRows(int count);
    // Steps the cursor once: true with a row read into `into`, false at the end or on an engine
    // error, which is then kept in m_readError. Under the connection's lock.
    bool stepCursor(std::vector<QString> &into);

    TDatabaseConnection &m_db;
    int m_number;
    QString m_statement;
    QStringList m_params;
    QStringList m_columns;
    std::vector<QString> m_cells;   // rows one after another
    std::vector<QString> m_pending; // drained rows not yet in the model
    sqlite3_stmt *m_cursor = nullptr;
    int m_currentRow = -1;
    // An engine error met while reading ahead (drain), shown when the rows before it are taken.
    std::optional<SqlError> m_readError;
};

} // namespace tvr
