#include "database/DB_DatabaseConnection.h"

#include "common/CN_CommonFunctions.h"
#include "database/DB_DatabaseKey.h"
#include "database/DB_Listers.h"
#include "database/DB_Schema.h"
#include "platform/Windows1250.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlcipher/sqlite3.h>

using namespace Qt::StringLiterals;

namespace tvr
{

QString MaterialsSchema()
{
    return u"TVR_ALAPANYAG"_s;
}
QString ForestSchema()
{
    return u"TVR_FOREST"_s;
}

namespace
{

bool IsSchemaName(const QString &name)
{
    static const QRegularExpression identifier(u"^[A-Za-z_][A-Za-z0-9_]*$"_s);
    return identifier.match(name).hasMatch();
}

QString EngineMessage(sqlite3 *db)
{
    return FromWindows1250(QByteArray(sqlite3_errmsg(db)));
}

// CommaToPoint(x) inside statements: the program's own conversion of a typed decimal, so that the
// engine can copy rows between files (insert ... select) converting exactly as the program would.
// NULL reads as an empty text, as every value read by the program does. The stored bytes are
// Windows-1250, like every text.
void CommaToPointFunction(sqlite3_context *context, int, sqlite3_value **values)
{
    try {
        const auto *bytes = reinterpret_cast<const char *>(sqlite3_value_text(values[0]));
        const QString text = bytes ? FromWindows1250(bytes, sqlite3_value_bytes(values[0])) : QString();
        const QByteArray out = ToWindows1250Lossy(CommaToPoint(text));
        sqlite3_result_text(context, out.constData(), int(out.size()), SQLITE_TRANSIENT);
    } catch (...) {
        // Nothing may unwind through the engine.
        sqlite3_result_error_nomem(context);
    }
}

} // namespace

QString RenderStatement(const QString &sql, const QStringList &params)
{
    QString out;
    out.reserve(sql.size() + 16 * params.size());
    QChar quote;
    qsizetype next = 0;
    for (const QChar c : sql) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'?' && next < params.size()) {
            out += u'"' + EscapeDoubleQuotes(params.at(next++)) + u'"';
            continue;
        }
        out += c;
    }
    return out;
}

TDatabaseConnection::TDatabaseConnection(const DataFolder &folder, QObject *parent)
    : TDatabaseConnection(folder, folder.mainDatabase(), MainDatabaseKey(), parent)
{
    attachCatalogue(m_folder.materialsCatalogue(), MaterialsSchema());
}

TDatabaseConnection::TDatabaseConnection(const DataFolder &folder, const QString &mainFile, const QByteArray &key,
                                         QObject *parent)
    : QObject(parent), m_folder(folder)
{
    setObjectName(u"TDatabaseConnection"_s);
    open(mainFile, key);
    createListers();
}

TDatabaseConnection::~TDatabaseConnection()
{
    std::lock_guard lock(m_mutex);
    // The listers close their cursors while the connection is still whole (not later, as
    // QObject children of a half-destroyed object).
    for (auto &[number, lister] : m_listers)
        delete lister;
    m_listers.clear();
    sqlite3_close_v2(m_db);
}

void TDatabaseConnection::open(const QString &file, const QByteArray &key)
{
    const QFileInfo info(file);
    if (!QDir().mkpath(info.absolutePath()))
        throw FileError(u"A(z) %1 mappa nem hozható létre."_s.arg(QDir::toNativeSeparators(info.absolutePath())));
    const QByteArray path = QDir::toNativeSeparators(info.absoluteFilePath()).toUtf8();
    const auto cannotOpen = [&](const QString &why) {
        return TvrError(u"A(z) %1 adatbázis nem nyitható meg."_s.arg(QDir::toNativeSeparators(file)), why);
    };
    if (sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        const QString why = m_db ? EngineMessage(m_db) : QString();
        sqlite3_close_v2(std::exchange(m_db, nullptr));
        throw cannotOpen(why);
    }
    sqlite3_extended_result_codes(m_db, 1);
    if (sqlite3_key(m_db, key.constData(), int(key.size())) != SQLITE_OK ||
        sqlite3_exec(m_db, "select count(*) from sqlite_master;", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString why = EngineMessage(m_db);
        sqlite3_close_v2(std::exchange(m_db, nullptr));
        throw cannotOpen(why);
    }
    if (sqlite3_create_function_v2(m_db, "CommaToPoint", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                   &CommaToPointFunction, nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString why = EngineMessage(m_db);
        sqlite3_close_v2(std::exchange(m_db, nullptr));
        throw cannotOpen(why);
    }
    try {
        ApplyMainSchema(*this);
    } catch (...) {
        sqlite3_close_v2(std::exchange(m_db, nullptr));
        throw;
    }
}

int TDatabaseConnection::SchemaVersion()
{
    return MainSchemaVersion();
}

const QList<int> &TDatabaseConnection::listerNumbers()
{
    static const QList<int> numbers = [] {
        QList<int> n;
        for (int i = 0; i <= 32; ++i)
            n << i;
        n << 34 << 35;
        for (int i = 37; i <= 48; ++i)
            n << i;
        n << 65 << 66 << 141 << 142 << 161 << 219 << 220 << 221 << 245 << 248;
        return n;
    }();
    return numbers;
}

void TDatabaseConnection::createListers()
{
    for (const int n : listerNumbers())
        m_listers[n] = new TLister(*this, n, this);
}

TLister *TDatabaseConnection::lister(int number) const
{
    const auto it = m_listers.find(number);
    return it == m_listers.end() ? nullptr : it->second;
}

void TDatabaseConnection::registerCursor(TLister *lister, bool open)
{
    std::lock_guard lock(m_mutex);
    m_openCursors.removeAll(lister);
    if (open)
        m_openCursors.append(lister);
}

void TDatabaseConnection::settleCursors(sqlite3_stmt *statement, const QString &sql)
{
    if (m_openCursors.isEmpty())
        return;
    // A lister still stepping through its rows would see what this statement writes, and an open
    // cursor makes a detach fail: such statements wait until the listers have read their rows.
    static const QRegularExpression configuration(u"^\\s*(attach|detach|begin|commit|end|rollback|vacuum)\\b"_s,
                                                  QRegularExpression::CaseInsensitiveOption);
    if (sqlite3_stmt_readonly(statement) && !configuration.match(sql).hasMatch())
        return;
    const auto open = m_openCursors;
    for (TLister *lister : open)
        lister->drain();
}

sqlite3_stmt *TDatabaseConnection::prepare(const QString &sql, const QStringList &params)
{
    for (const QString &text : std::as_const(params) + QStringList{sql}) {
        if (const auto bad = FirstCharacterOutsideWindows1250(text))
            throw UnstorableTextError(
                u"A(z) „%1” karakter nem tárolható az adatbázisban. Kérem, írja be nélküle (vagy más karakterrel) újra!"_s
                    .arg(*bad),
                RenderStatement(sql, params));
    }
    const QByteArray text = ToWindows1250Lossy(sql);
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &statement, nullptr) != SQLITE_OK)
        fail(sql, params);
    if (!statement) // an empty text
        throw SqlError(u"Üres SQL utasítás."_s, sql);
    for (int i = 0; i < params.size(); ++i) {
        const QByteArray bytes = ToWindows1250Lossy(params.at(i));
        if (sqlite3_bind_text(statement, i + 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT) != SQLITE_OK) {
            sqlite3_finalize(statement);
            fail(sql, params);
        }
    }
    return statement;
}

void TDatabaseConnection::fail(const QString &sql, const QStringList &params)
{
    throw lastError(sql, params);
}

SqlError TDatabaseConnection::lastError(const QString &sql, const QStringList &params)
{
    return SqlError(EngineMessage(m_db), RenderStatement(sql, params));
}

void TDatabaseConnection::execute(const QString &sql, const QStringList &params)
{
    std::lock_guard lock(m_mutex);
    sqlite3_stmt *statement = prepare(sql, params);
    settleCursors(statement, sql);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE)
        fail(sql, params);
}

qint64 TDatabaseConnection::insert(const QString &sql, const QStringList &params)
{
    std::lock_guard lock(m_mutex);
    execute(sql, params);
    return sqlite3_last_insert_rowid(m_db);
}

TTransaction::TTransaction(TDatabaseConnection &db) : m_db(db), m_lock(db.mutex())
{
    m_db.executeScript(u"begin;"_s);
    m_open = true;
}

TTransaction::~TTransaction()
{
    if (!m_open)
        return;
    try {
        m_db.executeScript(u"rollback;"_s);
    } catch (const SqlError &) {
        // The engine has already rolled back (a failed commit, a full disk): nothing stays half.
    }
}

void TTransaction::commit()
{
    m_db.executeScript(u"commit;"_s);
    m_open = false;
}

void TDatabaseConnection::executeScript(const QString &script)
{
    std::lock_guard lock(m_mutex);
    for (TLister *lister : std::as_const(m_openCursors))
        lister->drain();
    if (const auto bad = FirstCharacterOutsideWindows1250(script))
        throw UnstorableTextError(u"A(z) „%1” karakter nem tárolható az adatbázisban."_s.arg(*bad), script);
    char *message = nullptr;
    if (sqlite3_exec(m_db, ToWindows1250Lossy(script).constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = FromWindows1250(QByteArray(message));
        sqlite3_free(message);
        throw SqlError(text, script);
    }
}

QStringList TDatabaseConnection::select(const QString &sql, const QStringList &params, int *columnCount)
{
    std::lock_guard lock(m_mutex);
    sqlite3_stmt *statement = prepare(sql, params);
    settleCursors(statement, sql);
    const int columns = sqlite3_column_count(statement);
    if (columnCount)
        *columnCount = columns;
    QStringList values;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(statement, c));
            values.append(bytes ? FromWindows1250(bytes, sqlite3_column_bytes(statement, c)) : QString());
        }
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE)
        fail(sql, params);
    return values;
}

void TDatabaseConnection::attach(const QString &file, const QString &schema, const QString &statementText)
{
    if (!IsSchemaName(schema))
        throw SqlError(u"Érvénytelen adatbázisnév: %1"_s.arg(schema), statementText);
    std::lock_guard lock(m_mutex);
    // The file name goes to the engine as UTF-8 (the file system's names), not as a stored text.
    const QByteArray sql = "attach database ? as " + schema.toLatin1() + " key '';";
    const QByteArray path = QDir::toNativeSeparators(file).toUtf8();
    sqlite3_stmt *statement = nullptr;
    int rc = sqlite3_prepare_v2(m_db, sql.constData(), -1, &statement, nullptr);
    if (rc == SQLITE_OK) {
        settleCursors(statement, QString::fromLatin1(sql));
        sqlite3_bind_text(statement, 1, path.constData(), int(path.size()), SQLITE_TRANSIENT);
        rc = sqlite3_step(statement);
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE && rc != SQLITE_OK)
        throw SqlError(EngineMessage(m_db), statementText);
}

void TDatabaseConnection::detach(const QString &schema, const QString &statementText)
{
    if (!IsSchemaName(schema))
        throw SqlError(u"Érvénytelen adatbázisnév: %1"_s.arg(schema), statementText);
    std::lock_guard lock(m_mutex);
    try {
        execute(u"detach database %1;"_s.arg(schema));
    } catch (const SqlError &e) {
        throw SqlError(e.message(), statementText);
    }
}

bool TDatabaseConnection::isAttached(const QString &schema)
{
    int columns = 0;
    const QStringList rows = select(u"pragma database_list;"_s, {}, &columns);
    for (qsizetype i = 1; i < rows.size(); i += columns)
        if (rows.at(i).compare(schema, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool TDatabaseConnection::attachCatalogue(const QString &file, const QString &schema)
{
    if (!QFileInfo::exists(file)) {
        // Attaching would create an empty file in its place; the update fetches the real one.
        ReportError(u"A(z) %1 katalógusfájl hiányzik. A program a következő frissítéskor letölti; addig a katalógust "
                    u"igénylő funkciók nem használhatók."_s.arg(QDir::toNativeSeparators(file)));
        return false;
    }
    try {
        attach(file, schema, u"attach database \"%1\" as %2;"_s.arg(QDir::toNativeSeparators(file), schema));
        // The attach reads nothing yet: a file that is not a database, or one cut short, shows
        // only at the first read, which is here rather than in the middle of some later work.
        select(u"select count(*) from %1.sqlite_master;"_s.arg(schema), {});
    } catch (const SqlError &e) {
        if (isAttached(schema)) {
            try {
                detach(schema, {});
            } catch (const SqlError &) {
            }
        }
        ReportError(u"A(z) %1 katalógusfájl hibás, nem olvasható (%2). A program a következő frissítéskor letölti; "
                    u"addig a katalógust igénylő funkciók nem használhatók."_s.arg(QDir::toNativeSeparators(file),
                                                                                   e.message()));
        return false;
    }
    return true;
}

} // namespace tvr
