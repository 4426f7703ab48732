#pragma once
// Creating the tables of each database file from the table layouts. The main file's local
// tables are created on first open and versioned with PRAGMA user_version; the catalogue,
// settings and template files are made only by the tools (the program reads them, and an
// update replaces them whole).

#include "database/TableLayouts.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tvr
{

class TDatabaseConnection;

int MainSchemaVersion();
// Brings the main file's local tables up to the current version. Throws TvrError when the file
// was made by a newer program.
void ApplyMainSchema(TDatabaseConnection &db);

// The CREATE TABLE statements of the tables a file of this placement holds.
QStringList SchemaStatements(Placement placement);

// Makes a plain (unencrypted) database file holding the tables of a placement, then runs the
// given SQL scripts (UTF-8 texts; stored as Windows-1250 like every text). An existing file is
// replaced. Throws TvrError.
void CreatePlainDatabase(const QString &file, Placement placement, const QStringList &scripts = {});

// Opens a plain database file read-only (it is not attached) and reads `column` of row 1
// (info_id=1) of `table`: the check that a downloaded catalogue is whole. Nothing when the file is
// not a readable database or lacks the row.
std::optional<QString> ReadVersionFromFile(const QString &file, const QString &table, const QString &column);

} // namespace tvr
