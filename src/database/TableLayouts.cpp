#include "database/TableLayouts.h"

#include <QStringList>

#include <array>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

#define KEY(c) #c,
#define KEPTKEY(c) #c,
#define COL(c) #c,
#define ZERO(c) #c,
#define ONE(c) #c,
#define TVR_TABLE(table, place, ops, cols) constexpr const char *const names_##table[] = {cols};
#include "database/TableLayouts.def"
#undef TVR_TABLE
#undef KEY
#undef KEPTKEY
#undef COL
#undef ZERO
#undef ONE

#define TVR_TABLE(table, place, ops, cols)                                                                             \
    TableSchema{#table, Placement::place, names_##table,                                                               \
                TableLayout<Ttable_##table>::columns[0].role == ColumnRole::Key},
const TableSchema kTables[] = {
#include "database/TableLayouts.def"
};
#undef TVR_TABLE

} // namespace

std::span<const TableSchema> AllTables()
{
    return kTables;
}

QString CreateTableSql(const TableSchema &table)
{
    QStringList columns;
    for (size_t i = 0; i < table.columnNames.size(); ++i) {
        const QString name = QString::fromLatin1(table.columnNames[i]);
        if (i == 0)
            columns << name + (table.keyAssignedByEngine ? u" INTEGER PRIMARY KEY AUTOINCREMENT"_s
                                                         : u" INTEGER PRIMARY KEY"_s);
        else if (name == u"active")
            columns << name + u" TEXT NOT NULL DEFAULT '1'"_s;
        else
            columns << name + u" TEXT"_s;
    }
    return u"CREATE TABLE IF NOT EXISTS %1 (%2);"_s.arg(QString::fromLatin1(table.name), columns.join(u", "_s));
}

} // namespace tvr
