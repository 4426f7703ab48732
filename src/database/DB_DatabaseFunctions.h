#pragma once
// The SQL operations every screen reads and writes through. Each builds its statement in a fixed
// shape; values are bound as parameters (never pasted into the text), and the same statement
// rendered with its values as double-quoted literals is what error details and logs show.
//
// Conditions and orderings are texts of the caller; a value typed by the user goes into them as a
// '?' with the value in conditionParams.
//
// Numbers in statements: every column we create is TEXT, so that stored texts survive exactly as
// written, and the manufacturer's catalogue files may declare any type at all. A bare comparison
// or ordering would therefore compare texts ("1000" < "896", "10" before "9"). Wherever the
// meaning is numeric, say so with AsInteger/AsReal on both sides: `AsInteger("x") + "<=" +
// AsInteger("?")`, `"order by " + AsInteger("sorszama")`.

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

// cast(<expression> as integer) and cast(<expression> as real): a column, a '?' or any expression
// compared or ordered as the number it holds, whatever type its file declares.
QString AsInteger(const QString &expression);
QString AsReal(const QString &expression);

// The bound value of `<column> like ? escape '\'` that matches the typed text literally (a %, _
// or backslash is no wildcard), followed by anything: the prefix filters of the lists.
QString LikePrefix(const QString &typed);

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
// statement and never throws. Each tells its caller whether the statement succeeded, so that a
// form whose save failed can stay open with what was typed.
[[nodiscard]] bool InsertRow(TDatabaseConnection &db, const QString &table, const QStringList &columns,
                             const QStringList &values);
[[nodiscard]] bool UpdateRows(TDatabaseConnection &db, const QString &table, const QStringList &columns,
                              const QString &condition, const QStringList &values,
                              const QStringList &conditionParams = {});
[[nodiscard]] bool DeleteRows(TDatabaseConnection &db, const QString &table, const QString &condition,
                              const QStringList &conditionParams = {});
// Fills out with every cell of every row, row by row (row r, column c is element r * n + c);
// empty after a failure, which the result tells.
bool SelectValues(TDatabaseConnection &db, const QString &columns, const QString &table, const QString &ordering,
                  const QString &condition, QStringList &out, const QStringList &conditionParams = {});
// The id of the last row inserted on the connection ("" when the query gives no column). A
// failure here is fatal: the error dialog ends the program, and FatalError stops the action.
QString LastInsertId(TDatabaseConnection &db);
// Replaces the statement of lister n, keeping its current row by key; an unknown n does nothing.
// A statement that fails is shown, and the list keeps its previous rows; false then.
bool RefreshLister(TDatabaseConnection &db, int number, const QString &statement, const QStringList &params = {});

// attach database "<file>" as <schema>; / detach database <schema>; — errors not caught, like RunSql.
void AttachDatabase(TDatabaseConnection &db, const QString &file, const QString &schema);
void DetachDatabase(TDatabaseConnection &db, const QString &schema);

} // namespace tvr
