#pragma once
// The SQL operations every screen reads and writes through. Each builds its statement in a fixed
// shape; values are bound as parameters (never pasted into the text), and the same statement
// rendered with its values as double-quoted literals is what error details and logs show.
//
// Conditions and orderings are texts of the caller; a value typed by the user goes into them as a
// '?' with the value in conditionParams.

#include "database/DB_DatabaseConnection.h"

#include <QString>
#include <QStringList>

namespace tvr
{

struct SqlStatement {
    QString sql;        // with '?' for every bound value
    QStringList params; // the bound values, in order
    // The statement with its values written as double-quoted literals.
    QString text() const { return RenderStatement(sql, params); }
};

// insert into <table> (<c>,<c>,...) values ("<v>","<v>",...);  — "null" is stored as that text.
SqlStatement InsertStatement(const QString &table, const QStringList &columns, const QStringList &values);
// update <table> set <c>="<v>",<c>=null,... where <condition>;  — only the exact text "null" is
// written bare, as SQL NULL.
SqlStatement UpdateStatement(const QString &table, const QStringList &columns, const QString &condition,
                             const QStringList &values, const QStringList &conditionParams = {});
// delete from <table> where <condition>;
SqlStatement DeleteStatement(const QString &table, const QString &condition, const QStringList &conditionParams = {});
// select <columns> from <table>[ where <condition>][ order by <ordering>];
SqlStatement SelectStatement(const QString &columns, const QString &table, const QString &ordering,
                             const QString &condition, const QStringList &conditionParams = {});
// The text with ";" appended when it does not end with one.
QString WithSemicolon(const QString &text);

// Runs a free statement. Errors are not caught: they reach the action's error handler (runAction).
void RunSql(TDatabaseConnection &db, const QString &statement, const QStringList &params = {});
// The catching operations: a failing statement shows "Hiba történt a művelet során!" with the
// statement, and the caller goes on as if it had done nothing.
void InsertRow(TDatabaseConnection &db, const QString &table, const QStringList &columns, const QStringList &values);
void UpdateRows(TDatabaseConnection &db, const QString &table, const QStringList &columns, const QString &condition,
                const QStringList &values, const QStringList &conditionParams = {});
void DeleteRows(TDatabaseConnection &db, const QString &table, const QString &condition,
                const QStringList &conditionParams = {});
// Fills out with every cell of every row, row by row (row r, column c is element r * n + c);
// empty after a failure.
void SelectValues(TDatabaseConnection &db, const QString &columns, const QString &table, const QString &ordering,
                  const QString &condition, QStringList &out, const QStringList &conditionParams = {});
// The id of the last row inserted on the connection ("" when the query gives no column). A
// failure here is fatal: the error dialog ends the program, and FatalError stops the action.
QString LastInsertId(TDatabaseConnection &db);
// Replaces the statement of lister n, keeping its current row by key; an unknown n does nothing.
void RefreshLister(TDatabaseConnection &db, int number, const QString &statement, const QStringList &params = {});

// attach database "<file>" as <schema>; / detach database <schema>; — errors not caught, like RunSql.
void AttachDatabase(TDatabaseConnection &db, const QString &file, const QString &schema);
void DetachDatabase(TDatabaseConnection &db, const QString &schema);

} // namespace tvr
