#pragma once
// Every table layout of the program is written once, in TableLayouts.def. From that one
// description come the record types (Ttable_<table>, one text per column in column order), the
// column lists, the CREATE TABLE texts and the record-access operations, so a column name
// typo does not compile.
//
// TableLayouts.def holds one TVR_TABLE(table, placement, (operations), columns) per table; the
// columns are, in order:
//   KEY(c)      the integer key, assigned by the engine on insert, never written by an insert
//   KEPTKEY(c)  an integer key that an insert writes (order-file rows keep their local keys)
//   COL(c)      a text column (`active` is the soft-delete flag: default 1, not written by insert)
//   ZERO(c)     a text column that an insert fills with "0" when it is empty
//   ONE(c)      a text column that an insert fills with "1" when it is empty

#include <QString>
#include <QStringList>

#include <span>

namespace tvr
{

// The database file a table lives in.
enum class Placement {
    Main,      // tvr.s3db: the local working tables
    Materials, // TVR_CAT_ALAPANYAG_zederivu.s3db: the materials catalogue
    Forest,    // TVR_FOREST.s3db: the Forest catalogue
    Settings,  // internet.s3db and internet2.s3db: the FTP settings
    Order,     // EBR.s3db and every order file made from it
};

enum class ColumnRole { Key, KeptKey, Text, ZeroDefault, OneDefault };

template <class Record> struct ColumnDef {
    const char *name;
    ColumnRole role;
    QString Record::*field;
};

template <class Record> struct TableLayout; // specialised for every record type below

// Record types.
#define KEY(c) QString c;
#define KEPTKEY(c) QString c;
#define COL(c) QString c;
#define ZERO(c) QString c;
#define ONE(c) QString c;
#define TVR_TABLE(table, place, ops, cols)                                                                             \
    struct Ttable_##table {                                                                                            \
        cols                                                                                                           \
    };
#include "database/TableLayouts.def"
#undef TVR_TABLE
#undef KEY
#undef KEPTKEY
#undef COL
#undef ZERO
#undef ONE

// Layouts.
#define KEY(c) ColumnDef<Self>{#c, ColumnRole::Key, &Self::c},
#define KEPTKEY(c) ColumnDef<Self>{#c, ColumnRole::KeptKey, &Self::c},
#define COL(c) ColumnDef<Self>{#c, ColumnRole::Text, &Self::c},
#define ZERO(c) ColumnDef<Self>{#c, ColumnRole::ZeroDefault, &Self::c},
#define ONE(c) ColumnDef<Self>{#c, ColumnRole::OneDefault, &Self::c},
#define TVR_TABLE(table, place, ops, cols)                                                                             \
    template <> struct TableLayout<Ttable_##table> {                                                                   \
        using Self = Ttable_##table;                                                                                   \
        static constexpr const char *name = #table;                                                                    \
        static constexpr Placement placement = Placement::place;                                                       \
        static constexpr ColumnDef<Self> columns[] = {cols};                                                           \
    };
#include "database/TableLayouts.def"
#undef TVR_TABLE
#undef KEY
#undef KEPTKEY
#undef COL
#undef ZERO
#undef ONE

// A layout without its record type: for creating tables and listing what a file holds.
struct TableSchema {
    const char *name;
    Placement placement;
    std::span<const char *const> columnNames;
    bool keyAssignedByEngine;
};

// Every table of the program, in description order.
std::span<const TableSchema> AllTables();
// CREATE TABLE IF NOT EXISTS for one table: the key an integer primary key, every other column
// text (values are texts), active defaulting to 1.
QString CreateTableSql(const TableSchema &table);

// The column names of a record type, in order.
template <class Record> QStringList ColumnNames()
{
    QStringList names;
    for (const auto &c : TableLayout<Record>::columns)
        names << QString::fromLatin1(c.name);
    return names;
}

} // namespace tvr
