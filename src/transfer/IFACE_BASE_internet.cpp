#include "transfer/IFACE_BASE_internet.h"

#include <QFileInfo>

#include <mutex>

using namespace Qt::StringLiterals;

namespace tvr
{

std::optional<Ttable_internet> ReadInternetSettings(TDatabaseConnection &db, const QString &settingsFile)
{
    if (!QFileInfo::exists(settingsFile))
        return std::nullopt;
    std::lock_guard lock(db.mutex());
    const QString schema = u"internetdb"_s;
    if (db.isAttached(schema)) // left over by an interrupted read
        DetachDatabase(db, schema);
    AttachDatabase(db, settingsFile, schema);
    std::optional<Ttable_internet> row;
    try {
        row = internet_get(db, u"1"_s);
    } catch (...) {
        DetachDatabase(db, schema);
        throw;
    }
    DetachDatabase(db, schema);
    return row;
}

FtpSettings FtpSettingsFrom(const Ttable_internet &row)
{
    FtpSettings settings;
    settings.host = row.update_host.trimmed();
    settings.user = row.update_user;
    settings.password = row.update_pwd;
    settings.activeMode = true;
    return settings;
}

} // namespace tvr
