#pragma once
// Record access of every table: for a table T with key K, the operations T_insert, T_get,
// T_list, T_update, T_deactivate and T_delete, each only where the table's layout lists it
// (TableLayouts.def). They are built on the SQL operations, so a failing statement shows the
// error dialog and the operation behaves as if no row was read or written.

#include "database/DB_DatabaseFunctions.h"
#include "database/TableLayouts.h"

#include <optional>
#include <vector>

namespace tvr
{

namespace detail
{

template <class R> QString TableName()
{
    return QString::fromLatin1(TableLayout<R>::name);
}
template <class R> QString KeyColumn()
{
    return QString::fromLatin1(TableLayout<R>::columns[0].name);
}

// "K=<key>": an id is written into the text as it is; anything else is bound, so that a
// key value can never change the statement.
template <class R> QString KeyCondition(const QString &key, QStringList &params)
{
    bool isNumber = false;
    key.toLongLong(&isNumber);
    if (isNumber && !key.trimmed().isEmpty() && key.trimmed() == key)
        return KeyColumn<R>() + u'=' + key;
    params << key;
    return KeyColumn<R>() + QStringLiteral("=?");
}

template <class R> R FromValues(const QStringList &values, qsizetype offset)
{
    R record;
    qsizetype i = offset;
    for (const auto &c : TableLayout<R>::columns)
        record.*c.field = values.at(i++);
    return record;
}

// Every column except an engine-assigned key and `active`, for insert and update.
template <class R> bool IsWritten(const ColumnDef<R> &c, bool insert)
{
    if (c.role == ColumnRole::Key || (c.role == ColumnRole::KeptKey && !insert))
        return false;
    return qstrcmp(c.name, "active") != 0;
}

} // namespace detail

// The writing operations tell whether their statement succeeded (it was shown when it failed).

namespace detail
{
// Fills empty fields with their insert defaults (active "1" in the record only) and collects the
// columns an insert writes, with their values.
template <class R> void InsertColumns(R &record, QStringList &columns, QStringList &values)
{
    for (const auto &c : TableLayout<R>::columns) {
        QString &value = record.*c.field;
        if (value.isEmpty()) {
            if (qstrcmp(c.name, "active") == 0 || c.role == ColumnRole::OneDefault)
                value = QStringLiteral("1");
            else if (c.role == ColumnRole::ZeroDefault)
                value = QStringLiteral("0");
        }
        if (IsWritten(c, true)) {
            columns << QString::fromLatin1(c.name);
            values << value;
        }
    }
}
} // namespace detail

// Fills empty fields with their insert defaults (active "1" in the record only), then inserts.
template <class R> [[nodiscard]] bool InsertRecord(TDatabaseConnection &db, R &record)
{
    QStringList columns;
    QStringList values;
    detail::InsertColumns(record, columns, values);
    return InsertRow(db, detail::TableName<R>(), columns, values);
}

// The same insert for a row that is part of something written whole (inside a TTransaction):
// returns the key the engine gave the row, also put into the record. Throws SqlError and shows
// nothing; the caller's transaction rolls back.
template <class R> QString InsertRecordReturningKey(TDatabaseConnection &db, R &record)
{
    QStringList columns;
    QStringList values;
    detail::InsertColumns(record, columns, values);
    const SqlStatement s = InsertStatement(detail::TableName<R>(), columns, values);
    const QString key = QString::number(db.insert(s.sql, s.params));
    record.*(TableLayout<R>::columns[0].field) = key;
    return key;
}

// The row with the given key (active or not), or none.
template <class R> std::optional<R> GetRecord(TDatabaseConnection &db, const QString &key)
{
    QStringList params;
    const QString condition = detail::KeyCondition<R>(key, params);
    QStringList values;
    SelectValues(db, ColumnNames<R>().join(u','), detail::TableName<R>(), {}, condition, values, params);
    if (values.size() < qsizetype(std::size(TableLayout<R>::columns)))
        return std::nullopt;
    return detail::FromValues<R>(values, 0);
}

template <class R>
std::vector<R> ListRecords(TDatabaseConnection &db, const QString &condition, const QString &ordering,
                           const QStringList &conditionParams = {})
{
    QStringList values;
    SelectValues(db, ColumnNames<R>().join(u','), detail::TableName<R>(), ordering, condition, values, conditionParams);
    const qsizetype n = qsizetype(std::size(TableLayout<R>::columns));
    std::vector<R> records;
    records.reserve(size_t(values.size() / n));
    for (qsizetype offset = 0; offset + n <= values.size(); offset += n)
        records.push_back(detail::FromValues<R>(values, offset));
    return records;
}

// Writes every column except the key and `active`; empty fields are written as empty texts.
template <class R> [[nodiscard]] bool UpdateRecord(TDatabaseConnection &db, const QString &key, const R &record)
{
    QStringList columns;
    QStringList values;
    for (const auto &c : TableLayout<R>::columns) {
        if (detail::IsWritten(c, false)) {
            columns << QString::fromLatin1(c.name);
            values << record.*c.field;
        }
    }
    QStringList params;
    const QString condition = detail::KeyCondition<R>(key, params);
    return UpdateRows(db, detail::TableName<R>(), columns, condition, values, params);
}

template <class R> [[nodiscard]] bool DeactivateRecord(TDatabaseConnection &db, const QString &key)
{
    QStringList params;
    const QString condition = detail::KeyCondition<R>(key, params);
    return UpdateRows(db, detail::TableName<R>(), {QStringLiteral("active")}, condition, {QStringLiteral("0")}, params);
}

template <class R> [[nodiscard]] bool DeleteRecord(TDatabaseConnection &db, const QString &key)
{
    QStringList params;
    const QString condition = detail::KeyCondition<R>(key, params);
    return DeleteRows(db, detail::TableName<R>(), condition, params);
}

// The named operations, only those each table lists.
#define TVR_OP_none(t)
#define TVR_OP_insert(t)                                                                                               \
    [[nodiscard]] inline bool t##_insert(TDatabaseConnection &db, Ttable_##t &record)                                  \
    {                                                                                                                  \
        return InsertRecord(db, record);                                                                               \
    }
#define TVR_OP_get(t)                                                                                                  \
    inline std::optional<Ttable_##t> t##_get(TDatabaseConnection &db, const QString &key)                              \
    {                                                                                                                  \
        return GetRecord<Ttable_##t>(db, key);                                                                         \
    }
#define TVR_OP_list(t)                                                                                                 \
    inline std::vector<Ttable_##t> t##_list(TDatabaseConnection &db, const QString &condition = {},                    \
                                            const QString &ordering = {}, const QStringList &conditionParams = {})     \
    {                                                                                                                  \
        return ListRecords<Ttable_##t>(db, condition, ordering, conditionParams);                                      \
    }
#define TVR_OP_update(t)                                                                                               \
    [[nodiscard]] inline bool t##_update(TDatabaseConnection &db, const QString &key, const Ttable_##t &record)        \
    {                                                                                                                  \
        return UpdateRecord(db, key, record);                                                                          \
    }
#define TVR_OP_deactivate(t)                                                                                           \
    [[nodiscard]] inline bool t##_deactivate(TDatabaseConnection &db, const QString &key)                              \
    {                                                                                                                  \
        return DeactivateRecord<Ttable_##t>(db, key);                                                                  \
    }
#define TVR_OP_delete(t)                                                                                               \
    [[nodiscard]] inline bool t##_delete(TDatabaseConnection &db, const QString &key)                                  \
    {                                                                                                                  \
        return DeleteRecord<Ttable_##t>(db, key);                                                                      \
    }

#define TVR_OP(t, op) TVR_OP_##op(t)
#define TVR_OPS_1(t, a) TVR_OP(t, a)
#define TVR_OPS_2(t, a, b) TVR_OP(t, a) TVR_OP(t, b)
#define TVR_OPS_3(t, a, b, c) TVR_OP(t, a) TVR_OP(t, b) TVR_OP(t, c)
#define TVR_OPS_4(t, a, b, c, d) TVR_OP(t, a) TVR_OP(t, b) TVR_OP(t, c) TVR_OP(t, d)
#define TVR_OPS_5(t, a, b, c, d, e) TVR_OP(t, a) TVR_OP(t, b) TVR_OP(t, c) TVR_OP(t, d) TVR_OP(t, e)
#define TVR_OPS_6(t, a, b, c, d, e, f) TVR_OP(t, a) TVR_OP(t, b) TVR_OP(t, c) TVR_OP(t, d) TVR_OP(t, e) TVR_OP(t, f)
#define TVR_OPS_PICK(_1, _2, _3, _4, _5, _6, name, ...) name
#define TVR_OPS_EXPAND(t, ...)                                                                                         \
    TVR_OPS_PICK(__VA_ARGS__, TVR_OPS_6, TVR_OPS_5, TVR_OPS_4, TVR_OPS_3, TVR_OPS_2, TVR_OPS_1, )(t, __VA_ARGS__)
#define TVR_OPS_UNPAREN(...) __VA_ARGS__
#define TVR_OPS_APPLY(t, ops) TVR_OPS_EXPAND(t, TVR_OPS_UNPAREN ops)
#define KEY(c)
#define KEPTKEY(c)
#define COL(c)
#define ZERO(c)
#define ONE(c)
#define TVR_TABLE(table, place, ops, cols) TVR_OPS_APPLY(table, ops)
#include "database/TableLayouts.def"
#undef TVR_TABLE
#undef KEY
#undef KEPTKEY
#undef COL
#undef ZERO
#undef ONE

} // namespace tvr
