#include "common/SYS_SystemConstants.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace tvr
{

QString ProgramVersion()
{
    return u"2023.06.06."_s;
}

SystemValues &System()
{
    static SystemValues values;
    return values;
}

QString DataFolder::DefaultRoot()
{
    const QString fromEnvironment = qEnvironmentVariable("TVR_DATA_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
#ifdef Q_OS_WIN
    return u"C:/TVR_zederivu"_s;
#else
    return QDir::homePath() + u"/TVR_zederivu"_s;
#endif
}

QString DataFolder::file(const QString &name) const
{
    return QDir(m_root).filePath(name);
}
QString DataFolder::mainDatabase() const
{
    return file(u"tvr.s3db"_s);
}
QString DataFolder::materialsCatalogue() const
{
    return file(u"TVR_CAT_ALAPANYAG_zederivu.s3db"_s);
}
QString DataFolder::forestCatalogue() const
{
    return file(u"TVR_FOREST.s3db"_s);
}
QString DataFolder::downloadSettings() const
{
    return file(u"internet.s3db"_s);
}
QString DataFolder::uploadSettings() const
{
    return file(u"internet2.s3db"_s);
}
QString DataFolder::orderTemplate() const
{
    return file(u"EBR.s3db"_s);
}
QString DataFolder::tmpFolder() const
{
    return file(u"tmp"_s);
}
QString DataFolder::ordersFolder() const
{
    return file(u"rendelesek"_s);
}
QString DataFolder::picturesFolder() const
{
    return file(u"pictures"_s);
}

} // namespace tvr
