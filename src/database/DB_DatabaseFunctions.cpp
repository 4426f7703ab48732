#include "database/DB_DatabaseFunctions.h"

#include "common/CN_CommonErrorFunctions.h"
#include "database/DB_Listers.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

QString Placeholders(qsizetype count)
{
    QStringList marks;
    marks.fill(u"?"_s, count);
    return marks.join(u',');
}

// The catching operations' report: the statement as detail; a text the code page cannot hold
// is named in the message itself.
void ReportFailure(const SqlError &error)
{
    if (dynamic_cast<const UnstorableTextError *>(&error))
        ReportError(error.message(), error.detail());
    else
        ReportError(OperationFailedMessage(), error.detail());
}

} // namespace

QString AsInteger(const QString &expression)
{
    return u"cast(%1 as integer)"_s.arg(expression);
}

QString AsReal(const QString &expression)
{
    return u"cast(%1 as real)"_s.arg(expression);
}

QString LikePrefix(const QString &typed)
{
    QString escaped = typed;
    escaped.replace(u'\\', u"\\\\"_s).replace(u'%', u"\\%"_s).replace(u'_', u"\\_"_s);
    return escaped + u'%';
}

QString WithSemicolon(const QString &text)
{
    return text.endsWith(u';') ? text : text + u';';
}

SqlStatement InsertStatement(const QString &table, const QStringList &columns, const QStringList &values)
{
    Q_ASSERT(columns.size() == values.size());
    return {u"insert into %1 (%2) values (%3);"_s.arg(table, columns.join(u','), Placeholders(values.size())), values};
}

SqlStatement UpdateStatement(const QString &table, const QStringList &columns, const QString &condition,
                             const QStringList &values, const QStringList &conditionParams)
{
    Q_ASSERT(columns.size() == values.size());
    SqlStatement s;
    QStringList assignments;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (values.at(i) == u"null") {
            assignments << columns.at(i) + u"=null"_s;
        } else {
            // Bound, so that a value equal to a column name stays a value.
            assignments << columns.at(i) + u"=?"_s;
            s.params << values.at(i);
        }
    }
    s.sql = u"update %1 set %2 where %3;"_s.arg(table, assignments.join(u','), condition);
    s.params << conditionParams;
    return s;
}

SqlStatement DeleteStatement(const QString &table, const QString &condition, const QStringList &conditionParams)
{
    return {u"delete from %1 where %2;"_s.arg(table, condition), conditionParams};
}

SqlStatement SelectStatement(const QString &columns, const QString &table, const QString &ordering,
                             const QString &condition, const QStringList &conditionParams)
{
    QString sql = u"select %1 from %2"_s.arg(columns, table);
    if (!condition.isEmpty())
        sql += u" where "_s + condition;
    if (!ordering.isEmpty())
        sql += u" order by "_s + ordering;
    return {sql + u';', conditionParams};
}

void RunSql(TDatabaseConnection &db, const QString &statement, const QStringList &params)
{
    db.execute(WithSemicolon(statement), params);
}

static bool RunCaught(TDatabaseConnection &db, const SqlStatement &s)
{
    try {
        db.execute(s.sql, s.params);
        return true;
    } catch (const SqlError &e) {
        ReportFailure(e);
        return false;
    }
}

bool InsertRow(TDatabaseConnection &db, const QString &table, const QStringList &columns, const QStringList &values)
{
    return RunCaught(db, InsertStatement(table, columns, values));
}

bool UpdateRows(TDatabaseConnection &db, const QString &table, const QStringList &columns, const QString &condition,
                const QStringList &values, const QStringList &conditionParams)
{
    return RunCaught(db, UpdateStatement(table, columns, condition, values, conditionParams));
}

bool DeleteRows(TDatabaseConnection &db, const QString &table, const QString &condition,
                const QStringList &conditionParams)
{
    return RunCaught(db, DeleteStatement(table, condition, conditionParams));
}

bool SelectValues(TDatabaseConnection &db, const QString &columns, const QString &table, const QString &ordering,
                  const QString &condition, QStringList &out, const QStringList &conditionParams)
{
    const SqlStatement s = SelectStatement(columns, table, ordering, condition, conditionParams);
    out.clear();
    try {
        out = db.select(s.sql, s.params);
        return true;
    } catch (const SqlError &e) {
        ReportFailure(e);
        return false;
    }
}

QString LastInsertId(TDatabaseConnection &db)
{
    const QString sql = u"SELECT last_insert_rowid();"_s;
    try {
        int columns = 0;
        const QStringList values = db.select(sql, {}, &columns);
        return columns > 0 && !values.isEmpty() ? values.first() : QString();
    } catch (const SqlError &e) {
        FailFatally(e.detail());
    }
}

bool RefreshLister(TDatabaseConnection &db, int number, const QString &statement, const QStringList &params)
{
    TLister *lister = db.lister(number);
    if (!lister)
        return true;
    try {
        lister->refresh(WithSemicolon(statement), params);
        return true;
    } catch (const SqlError &e) {
        ReportFailure(e);
        return false;
    }
}

void AttachDatabase(TDatabaseConnection &db, const QString &file, const QString &schema)
{
    db.attach(file, schema, u"attach database \"%1\" as %2;"_s.arg(QDir::toNativeSeparators(file), schema));
}

void DetachDatabase(TDatabaseConnection &db, const QString &schema)
{
    db.detach(schema, u"detach database %1;"_s.arg(schema));
}

} // namespace tvr
