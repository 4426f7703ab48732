#pragma once
// Reading the manufacturer's update folder: the names of its marker files carry the newest
// versions (yyyymmdd.prg, yyyymmdd.0, yyyymmdd.4) and the download sizes (n.sprg, n.C0, n.C4).

#include <QString>
#include <QStringList>

namespace tvr
{

// yyyymmdd... → yyyy.mm.dd. (from the first eight characters), the form of stored versions.
QString VersionFromName(const QString &name);
// The whole number before the first point of the name; 0 when there is none.
qint64 SizeFromName(const QString &name);

struct ProgramListing {
    bool outdated = false;
    qint64 size = 0;
    QString remoteVersion = QStringLiteral("0");
};
// Names in list order: a ".prg" name sets the remote version, a ".sprg" name the size; after
// each name the program is outdated when the version read so far is newer (string order).
ProgramListing ReadProgramListing(const QStringList &names, const QString &localVersion);

struct CatalogueListing {
    bool materialsOutdated = false;
    bool forestOutdated = false;
    qint64 materialsSize = 0;
    qint64 forestSize = 0;
};
// The same for ".0" (materials version), ".4" (Forest version), ".C0" and ".C4" (sizes): a
// catalogue is outdated when any version listed up to then is newer than the installed one.
CatalogueListing ReadCatalogueListing(const QStringList &names, const QString &localMaterials,
                                      const QString &localForest);

} // namespace tvr
