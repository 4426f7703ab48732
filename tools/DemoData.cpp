#include "DemoData.h"

#include "database/DB_DatabaseConnection.h"
#include "database/DB_Schema.h"
#include "common/CN_CommonErrorFunctions.h"
#include "common/SYS_SystemConstants.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

QString ReadScript(const QDir &dir, const QString &name)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(u"A(z) %1 fájl nem olvasható."_s.arg(QDir::toNativeSeparators(file.fileName())));
    return QString::fromUtf8(file.readAll());
}

} // namespace

void MakeDemoDataFolder(const QString &dir, const QString &demoSqlDir)
{
    const DataFolder folder(dir);
    const QDir sql(demoSqlDir);
    if (!QDir().mkpath(dir))
        throw FileError(u"A(z) %1 mappa nem hozható létre."_s.arg(QDir::toNativeSeparators(dir)));

    CreatePlainDatabase(folder.materialsCatalogue(), Placement::Materials, {ReadScript(sql, u"materials.sql"_s)});
    CreatePlainDatabase(folder.forestCatalogue(), Placement::Forest, {ReadScript(sql, u"forest.sql"_s)});
    CreatePlainDatabase(folder.downloadSettings(), Placement::Settings, {ReadScript(sql, u"internet.sql"_s)});
    CreatePlainDatabase(folder.uploadSettings(), Placement::Settings, {ReadScript(sql, u"internet2.sql"_s)});
    CreatePlainDatabase(folder.orderTemplate(), Placement::Order);

    QFile::remove(folder.mainDatabase());
    {
        TDatabaseConnection db(folder);
        db.executeScript(ReadScript(sql, u"main.sql"_s));
    }
    for (const QString &sub : {folder.tmpFolder(), folder.ordersFolder(), folder.picturesFolder()})
        QDir().mkpath(sub);
}

} // namespace tvr
