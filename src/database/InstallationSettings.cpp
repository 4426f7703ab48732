#include "database/InstallationSettings.h"

#include "database/DB_DatabaseConnection.h"

#include <mutex>

using namespace Qt::StringLiterals;

namespace tvr
{

QString PartnerCodeSetting()
{
    return u"partnerkod"_s;
}

QString PictureHostSetting()
{
    return u"kepszerver"_s;
}

QString InstallationSetting(TDatabaseConnection &db, const QString &name)
{
    return db.select(u"select ertek from tvr_telepitesi_beallitasok where nev=?;"_s, {name}).value(0);
}

void SetInstallationSetting(TDatabaseConnection &db, const QString &name, const QString &value)
{
    // The engine has no upsert: the row is made when missing (the name is unique), then written.
    std::lock_guard lock(db.mutex());
    db.execute(u"insert or ignore into tvr_telepitesi_beallitasok (nev, ertek) values (?, ?);"_s, {name, value});
    db.execute(u"update tvr_telepitesi_beallitasok set ertek=? where nev=?;"_s, {value, name});
}

} // namespace tvr
