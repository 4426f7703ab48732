#include "transfer/UpdateListing.h"

using namespace Qt::StringLiterals;

namespace tvr
{

QString VersionFromName(const QString &name)
{
    return name.mid(0, 4) + u'.' + name.mid(4, 2) + u'.' + name.mid(6, 2) + u'.';
}

qint64 SizeFromName(const QString &name)
{
    bool ok = false;
    const qint64 size = name.section(u'.', 0, 0).toLongLong(&ok);
    return ok && size > 0 ? size : 0;
}

ProgramListing ReadProgramListing(const QStringList &names, const QString &localVersion)
{
    ProgramListing listing;
    for (const QString &name : names) {
        if (name.contains(u".prg"_s))
            listing.remoteVersion = VersionFromName(name);
        if (name.contains(u".sprg"_s))
            listing.size = SizeFromName(name);
        if (listing.remoteVersion > localVersion)
            listing.outdated = true;
    }
    return listing;
}

CatalogueListing ReadCatalogueListing(const QStringList &names, const QString &localMaterials,
                                      const QString &localForest)
{
    CatalogueListing listing;
    // Empty until a name lists a version, so that a catalogue missing here (no local version)
    // counts as outdated only when the server offers one.
    QString materials;
    QString forest;
    for (const QString &name : names) {
        if (name.contains(u".0"_s))
            materials = VersionFromName(name);
        if (name.contains(u".4"_s))
            forest = VersionFromName(name);
        if (name.contains(u".C0"_s))
            listing.materialsSize = SizeFromName(name);
        if (name.contains(u".C4"_s))
            listing.forestSize = SizeFromName(name);
        if (materials > localMaterials)
            listing.materialsOutdated = true;
        if (forest > localForest)
            listing.forestOutdated = true;
    }
    return listing;
}

} // namespace tvr
