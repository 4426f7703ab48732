#include "database/DB_Schema.h"

#include "common/CN_CommonErrorFunctions.h"
#include "database/DB_DatabaseConnection.h"
#include "platform/Windows1250.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlcipher/sqlite3.h>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

QString ResourceText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TvrError(u"A program sémafájlja hiányzik: %1"_s.arg(path));
    return QString::fromUtf8(file.readAll());
}

} // namespace

int MainSchemaVersion()
{
    return 3;
}

QStringList SchemaStatements(Placement placement)
{
    QStringList statements;
    for (const TableSchema &table : AllTables())
        if (table.placement == placement)
            statements << CreateTableSql(table);
    return statements;
}

void ApplyMainSchema(TDatabaseConnection &db)
{
    std::lock_guard lock(db.mutex());
    const int version = db.select(u"pragma user_version;"_s, {}).value(0).toInt();
    if (version > MainSchemaVersion())
        throw TvrError(u"A tvr.s3db adatbázist a program egy újabb változata hozta létre (séma: %1). Kérem, frissítse "
                       u"a programot!"_s.arg(version));
    if (version == MainSchemaVersion())
        return;
    // One step per version; each brings the file from the previous version to its own.
    db.executeScript(u"begin;"_s);
    try {
        if (version < 1) {
            db.executeScript(SchemaStatements(Placement::Main).join(u'\n'));
            db.executeScript(ResourceText(u":/schema/main_v1.sql"_s));
        }
        if (version < 2)
            db.executeScript(ResourceText(u":/schema/main_v2.sql"_s));
        if (version < 3)
            db.executeScript(ResourceText(u":/schema/main_v3.sql"_s));
        db.executeScript(u"pragma user_version = %1; commit;"_s.arg(MainSchemaVersion()));
    } catch (...) {
        db.executeScript(u"rollback;"_s);
        throw;
    }
}

void CreatePlainDatabase(const QString &file, Placement placement, const QStringList &scripts)
{
    if (QFileInfo::exists(file) && !QFile::remove(file))
        throw FileError(u"A(z) %1 fájl nem írható felül."_s.arg(QDir::toNativeSeparators(file)));
    QDir().mkpath(QFileInfo(file).absolutePath());
    sqlite3 *db = nullptr;
    const QByteArray path = file.toUtf8();
    QString error;
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        error = u"nem hozható létre"_s;
    } else {
        const QStringList all =
            QStringList{u"begin;"_s} + SchemaStatements(placement) + scripts + QStringList{u"commit;"_s};
        for (const QString &script : all) {
            char *message = nullptr;
            if (sqlite3_exec(db, ToWindows1250Lossy(script).constData(), nullptr, nullptr, &message) != SQLITE_OK) {
                error = FromWindows1250(QByteArray(message));
                sqlite3_free(message);
                break;
            }
        }
    }
    sqlite3_close_v2(db);
    if (!error.isEmpty()) {
        QFile::remove(file);
        throw TvrError(u"A(z) %1 adatbázis nem készíthető el: %2"_s.arg(QDir::toNativeSeparators(file), error));
    }
}

std::optional<QString> ReadVersionFromFile(const QString &file, const QString &table, const QString &column)
{
    static const QRegularExpression identifier(u"^[A-Za-z_][A-Za-z0-9_]*$"_s);
    if (!QFileInfo::exists(file) || !identifier.match(table).hasMatch() || !identifier.match(column).hasMatch())
        return std::nullopt;
    sqlite3 *db = nullptr;
    std::optional<QString> version;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        const QByteArray sql = u"select %1 from %2 where info_id=1;"_s.arg(column, table).toLatin1();
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
            version = text ? FromWindows1250(text, sqlite3_column_bytes(statement, 0)) : QString();
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close_v2(db);
    return version;
}

} // namespace tvr
