#pragma once
// Settings of this installation that the manufacturer's files do not carry: the joiner's partner
// code (it names every order file) and the host of the manufacturer's picture server. They live
// in the main file, one row per name; a window that needs one asks for it once when it is missing.

#include <QString>

namespace tvr
{

class TDatabaseConnection;

// The setting names.
QString PartnerCodeSetting(); // "partnerkod"
QString PictureHostSetting(); // "kepszerver"

// The stored value; empty when it was never set. A failing read throws SqlError.
QString InstallationSetting(TDatabaseConnection &db, const QString &name);
// Stores the value (a new row, or the existing one rewritten). Throws SqlError.
void SetInstallationSetting(TDatabaseConnection &db, const QString &name, const QString &value);

} // namespace tvr
