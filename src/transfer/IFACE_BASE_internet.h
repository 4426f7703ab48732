#pragma once
// The manufacturer's FTP settings: row 1 of the table `internet` in internet.s3db (downloads) or
// internet2.s3db (uploads), attached as internetdb only while the row is read.

#include "database/IFACE_BASE_tvr.h"
#include "platform/FtpClient.h"

#include <optional>

namespace tvr
{

// Attaches the settings file, reads row 1 and detaches it again, holding the connection so that
// no other statement runs in between. Nothing when the file is missing (it is not created) or
// holds no row 1; an attach or detach error throws SqlError.
std::optional<Ttable_internet> ReadInternetSettings(TDatabaseConnection &db, const QString &settingsFile);

// The FTP client's settings from the row: the host, the account and active mode (every transfer
// of the program uses active mode, whatever update_passive_mode says).
FtpSettings FtpSettingsFrom(const Ttable_internet &row);

} // namespace tvr
