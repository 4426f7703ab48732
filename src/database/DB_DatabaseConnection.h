#pragma once
// The one connection of the program: the encrypted main file tvr.s3db with the catalogue files
// attached. Every call takes the connection's lock, from whichever thread it comes; no other
// code touches the engine handle. Texts cross the engine boundary as Windows-1250 bytes.
// Statements may call CommaToPoint(x): the conversion of CN_CommonFunctions, run by the engine.

#include "common/CN_CommonErrorFunctions.h"
#include "common/SYS_SystemConstants.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <mutex>

struct sqlite3;
struct sqlite3_stmt;

namespace tvr
{

class TLister;

// A text that Windows-1250 cannot store: the statement was refused and nothing was written.
class UnstorableTextError : public SqlError
{
    using SqlError::SqlError;
};

// Schema names of the attached files.
QString MaterialsSchema(); // TVR_ALAPANYAG
QString ForestSchema();    // TVR_FOREST

class TDatabaseConnection : public QObject
{
    Q_OBJECT
public:
    // Opens the data folder's tvr.s3db with the deciphered key (creating and versioning its
    // local tables when they are missing) and attaches the materials catalogue. A main file that
    // cannot be opened with the key throws TvrError; a missing catalogue is reported and left
    // unattached, so that the program stays usable where the catalogue is not needed.
    explicit TDatabaseConnection(const DataFolder &folder, QObject *parent = nullptr);
    // Opens a given file with a given key (tools and tests).
    TDatabaseConnection(const DataFolder &folder, const QString &mainFile, const QByteArray &key,
                        QObject *parent = nullptr);
    ~TDatabaseConnection() override;

    const DataFolder &folder() const { return m_folder; }

    // Runs one statement with its '?' parameters bound as texts. Throws SqlError (engine
    // message, statement) on failure, or when a text holds a character that Windows-1250
    // cannot store (nothing is written then).
    void execute(const QString &sql, const QStringList &params = {});
    // Runs an insert like execute and returns the key the engine gave the new row, read under
    // the same lock (so no other insert on the connection can come between). Throws SqlError.
    qint64 insert(const QString &sql, const QStringList &params = {});
    // Runs a script of several statements (schema files, fixtures, tools). Throws SqlError.
    void executeScript(const QString &script);
    // Runs a select; every cell of every row as text (NULL as empty), row by row.
    QStringList select(const QString &sql, const QStringList &params, int *columnCount = nullptr);

    // attach database "<file>" as <schema> — plain files, attached with an empty key so that the
    // main file's key is not applied to them. Throws SqlError; detail is the given statement text.
    void attach(const QString &file, const QString &schema, const QString &statementText);
    void detach(const QString &schema, const QString &statementText);
    bool isAttached(const QString &schema);
    // Attaches a catalogue file; a missing file is reported (not created empty), and so is one that
    // is not a readable database (it stays unattached, for the update to replace): false then.
    bool attachCatalogue(const QString &file, const QString &schema);

    // The numbered result sets; nullptr for a number that does not exist.
    TLister *lister(int number) const;
    static const QList<int> &listerNumbers();

    // The lock around the engine. Recursive, so that a locked sequence (a catalogue swap) can
    // run statements of its own.
    std::recursive_mutex &mutex() { return m_mutex; }

    // For the listers only: a prepared statement (throws like execute) and the bookkeeping of
    // their open cursors.
    sqlite3_stmt *prepare(const QString &sql, const QStringList &params);
    [[noreturn]] void fail(const QString &sql, const QStringList &params);
    // The engine's last error for the statement, as fail() would throw it.
    SqlError lastError(const QString &sql, const QStringList &params);
    void registerCursor(TLister *lister, bool open);

    // The schema version of the main file's local tables.
    static int SchemaVersion();

private:
    friend class TestAccess; // tests reach the engine handle to provoke engine failures
    void open(const QString &file, const QByteArray &key);
    void createSchema();
    void createListers();
    // Finishes the open cursors of the listers before a statement that could disturb them.
    void settleCursors(sqlite3_stmt *statement, const QString &sql);

    DataFolder m_folder;
    sqlite3 *m_db = nullptr;
    std::recursive_mutex m_mutex;
    std::map<int, TLister *> m_listers;
    QList<TLister *> m_openCursors;
};

// One transaction on the connection, for what must be written whole: holds the connection's lock
// (no other thread's statement can come inside it) from begin to commit, and rolls back when it
// ends without commit(), an exception included.
class TTransaction
{
public:
    explicit TTransaction(TDatabaseConnection &db);
    ~TTransaction();
    TTransaction(const TTransaction &) = delete;
    TTransaction &operator=(const TTransaction &) = delete;
    // Throws SqlError (the transaction is then rolled back).
    void commit();

private:
    TDatabaseConnection &m_db;
    std::unique_lock<std::recursive_mutex> m_lock;
    bool m_open = false;
};

// Renders a statement with its '?' parameters as double-quoted literals (each double quote
// doubled): the text shown in error details and logs.
QString RenderStatement(const QString &sql, const QStringList &params);

} // namespace tvr
