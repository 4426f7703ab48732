#include "transfer/UpdateService.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonFunctions.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/DB_Schema.h"
#include "transfer/IFACE_BASE_internet.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <filesystem>
#include <mutex>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

// The settings read and a client logged in to the update folder, or the reason why not.
struct UpdateSession {
    bool settingsMissing = false;
    QString error;
    std::unique_ptr<FtpClient> client;
};

UpdateSession OpenUpdateFolder(TDatabaseConnection &db, const DataFolder &folder, const UpdateTimeouts &timeouts)
{
    UpdateSession session;
    std::optional<Ttable_internet> row;
    try {
        if (!QFile::exists(folder.downloadSettings())) {
            session.settingsMissing = true;
            session.error = MissingSettingsMessage(folder);
            return session;
        }
        row = ReadInternetSettings(db, folder.downloadSettings());
    } catch (const TvrError &e) {
        session.error = e.message();
        return session;
    }
    if (!row) {
        session.error = u"A letöltési beállítások (internet.s3db) nem olvashatók."_s;
        return session;
    }
    FtpSettings settings = FtpSettingsFrom(*row);
    settings.connectTimeoutMs = timeouts.connectMs;
    settings.stallTimeoutMs = timeouts.stallMs;
    session.client = std::make_unique<FtpClient>(settings);
    FtpResult r = session.client->connectToServer();
    if (r.ok)
        r = session.client->changeFolder(UpdateFolder());
    if (!r.ok) {
        session.error = r.error;
        session.client.reset();
    }
    return session;
}

// The names of the update folder, or the reason why there are none.
struct UpdateFolderListing {
    bool settingsMissing = false;
    QString error;
    QStringList names;
};

UpdateFolderListing ListUpdateFolder(TDatabaseConnection &db, const DataFolder &folder, const UpdateTimeouts &timeouts,
                                     const CancelFlag &cancel)
{
    UpdateFolderListing listing;
    UpdateSession session = OpenUpdateFolder(db, folder, timeouts);
    listing.settingsMissing = session.settingsMissing;
    listing.error = session.error;
    if (!session.client)
        return listing;
    if (cancel && *cancel) {
        listing.error = u"A művelet megszakadt."_s;
        return listing;
    }
    const FtpResult r = session.client->listNames(listing.names);
    session.client->disconnectFromServer();
    if (!r.ok)
        listing.error = r.error;
    return listing;
}

QString ReadInstalledVersion(TDatabaseConnection &db, const QString &schema, const QString &table,
                             const QString &column)
{
    try {
        if (!db.isAttached(schema))
            return {};
        return db.select(u"select %1 from %2 where info_id=1;"_s.arg(column, table), {}).value(0);
    } catch (const SqlError &) {
        return {};
    }
}

// Connects, downloads name from the update folder into tmp and checks the size.
DownloadResult DownloadToTmp(TDatabaseConnection &db, const DataFolder &folder, const QString &name,
                             qint64 expectedSize, const UpdateTimeouts &timeouts, const TransferProgress &progress,
                             const CancelFlag &cancel)
{
    DownloadResult result;
    if (progress.status)
        progress.status(u"A letöltés folyamatban van..."_s);
    UpdateSession session = OpenUpdateFolder(db, folder, timeouts);
    if (!session.client) {
        result.error = session.error;
        return result;
    }
    QByteArray content;
    const FtpResult r = session.client->download(name, content, [&](qint64 done, qint64 total) {
        if (progress.bytes)
            progress.bytes(done, total > 0 ? total : expectedSize);
        return !(cancel && *cancel);
    });
    session.client->disconnectFromServer();
    if (!r.ok) {
        result.error = r.error;
        return result;
    }
    if (expectedSize > 0 && content.size() < expectedSize) {
        result.error = u"A(z) %1 letöltése nem sikerült: a fájl hiányos (%2 bájt érkezett a %3 helyett)."_s.arg(
            name, QString::number(content.size()), QString::number(expectedSize));
        return result;
    }
    QDir().mkpath(folder.tmpFolder());
    const QString target = QDir(folder.tmpFolder()).filePath(name);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
        result.error = u"A(z) %1 fájl nem írható: %2"_s.arg(QDir::toNativeSeparators(target), file.errorString());
        return result;
    }
    result.ok = true;
    result.savedFile = target;
    return result;
}

} // namespace

QString CatalogueUnavailableMessage()
{
    return u"A katalógus a program újraindításáig vagy a következő sikeres frissítésig nem érhető el."_s;
}

QString MissingSettingsMessage(const DataFolder &folder)
{
    return u"%1 fájl hiányzik! Kérje e-mailben!"_s.arg(QDir::toNativeSeparators(folder.downloadSettings()));
}

QString UpdateFolder()
{
    return u"zederivu"_s;
}

CancelFlag NewCancelFlag()
{
    return std::make_shared<std::atomic<bool>>(false);
}

QString InstalledMaterialsVersion(TDatabaseConnection &db)
{
    return ReadInstalledVersion(db, MaterialsSchema(), u"tvr_info"_s, u"alapanyag_katalogus_verzio"_s);
}

QString InstalledForestVersion(TDatabaseConnection &db)
{
    return ReadInstalledVersion(db, ForestSchema(), u"tvr_info_forest"_s, u"forest_katalogus_verzio"_s);
}

ProgramCheckResult CheckProgram(TDatabaseConnection &db, const DataFolder &folder, const UpdateTimeouts &timeouts,
                                const CancelFlag &cancel)
{
    ProgramCheckResult result;
    const UpdateFolderListing listing = ListUpdateFolder(db, folder, timeouts, cancel);
    result.settingsMissing = listing.settingsMissing;
    result.error = !listing.error.isEmpty();
    result.errorText = listing.error;
    if (!result.error)
        result.listing = ReadProgramListing(listing.names, ProgramVersion());
    return result;
}

CatalogueCheckResult CheckCatalogues(TDatabaseConnection &db, const DataFolder &folder, const UpdateTimeouts &timeouts,
                                     const CancelFlag &cancel)
{
    CatalogueCheckResult result;
    result.localMaterials = InstalledMaterialsVersion(db);
    result.localForest = InstalledForestVersion(db);
    const UpdateFolderListing listing = ListUpdateFolder(db, folder, timeouts, cancel);
    result.settingsMissing = listing.settingsMissing;
    result.error = !listing.error.isEmpty();
    result.errorText = listing.error;
    if (!result.error)
        result.listing = ReadCatalogueListing(listing.names, result.localMaterials, result.localForest);
    return result;
}

const CatalogueFile *CatalogueByNumber(int number)
{
    static const CatalogueFile catalogues[] = {
        {0, u"TVR_CAT_ALAPANYAG_zederivu.s3db"_s, u"Alapanyagok katalógusa"_s, MaterialsSchema(), u"tvr_info"_s,
         u"alapanyag_katalogus_verzio"_s},
        {1, u"TVR_CAT_BASIC.s3db"_s, u"DORVAT BASIC elem- és árjegyzék"_s, {}, {}, {}},
        {2, u"TVR_CAT_ZELVO.s3db"_s, u"Zelvo,Rumka,Pentla,Ovra árlista"_s, {}, {}, {}},
        {3, u"TVR_CAT_EGYEB.s3db"_s, u"Egyéb bútorok listája"_s, {}, {}, {}},
        {4, u"TVR_FOREST.s3db"_s, u"Forest katalógus"_s, ForestSchema(), u"tvr_info_forest"_s,
         u"forest_katalogus_verzio"_s},
    };
    for (const CatalogueFile &c : catalogues)
        if (c.number == number)
            return &c;
    return nullptr;
}

DownloadResult InstallCatalogue(TDatabaseConnection &db, const DataFolder &folder, const CatalogueFile &catalogue,
                                const QString &downloadedFile)
{
    DownloadResult result;
    const QString target = folder.file(catalogue.fileName);
    const QString staging = target + u".uj"_s;
    try {
        // The copy goes beside the catalogue first: the rename over the old file is then
        // all-or-nothing, and the installed catalogue is never half written.
        CopyFileTo(downloadedFile, staging);
    } catch (const FileError &e) {
        QFile::remove(staging);
        result.error = e.message();
        result.previousKept = db.isAttached(catalogue.schema);
        return result;
    }
    // Held from the detach to the attach: no statement can find the catalogue missing.
    std::lock_guard lock(db.mutex());
    const bool wasAttached = db.isAttached(catalogue.schema);
    try {
        if (wasAttached)
            DetachDatabase(db, catalogue.schema);
    } catch (const SqlError &e) {
        QFile::remove(staging);
        result.error = u"A katalógus nem cserélhető: %1"_s.arg(e.message());
        return result;
    }
    std::error_code renamed;
    std::filesystem::rename(std::filesystem::path(staging.toStdU16String()),
                            std::filesystem::path(target.toStdU16String()), renamed);
    if (renamed) {
        QFile::remove(staging);
        result.error = u"A(z) %1 fájl nem írható felül: %2"_s.arg(QDir::toNativeSeparators(target),
                                                                  QString::fromLocal8Bit(renamed.message()));
        // The old file is untouched: attached again when it was attached before. Where none was
        // installed nothing is attached, since the attach would create an empty file there.
        result.previousKept = false;
        if (wasAttached) {
            try {
                AttachDatabase(db, target, catalogue.schema);
                result.previousKept = true;
            } catch (const SqlError &) {
            }
        }
        if (!result.previousKept)
            result.error += u"\n"_s + CatalogueUnavailableMessage();
        return result;
    }
    try {
        AttachDatabase(db, target, catalogue.schema);
    } catch (const SqlError &e) {
        result.previousKept = false;
        result.error = u"A katalógus nem csatolható: %1\n%2"_s.arg(e.message(), CatalogueUnavailableMessage());
        return result;
    }
    result.ok = true;
    result.savedFile = target;
    return result;
}

DownloadResult DownloadCatalogue(TDatabaseConnection &db, const DataFolder &folder, int number, qint64 expectedSize,
                                 const UpdateTimeouts &timeouts, const TransferProgress &progress,
                                 const CancelFlag &cancel)
{
    const CatalogueFile *catalogue = CatalogueByNumber(number);
    if (!catalogue)
        return DownloadResult::Failed(u"Ismeretlen katalógus: %1"_s.arg(number));
    DownloadResult downloaded =
        DownloadToTmp(db, folder, catalogue->fileName, expectedSize, timeouts, progress, cancel);
    if (catalogue->schema.isEmpty())
        return downloaded;
    // A failure before the swap leaves what was installed: a catalogue only when one is attached.
    if (!downloaded.ok) {
        downloaded.previousKept = db.isAttached(catalogue->schema);
        return downloaded;
    }
    if (!ReadVersionFromFile(downloaded.savedFile, catalogue->versionTable, catalogue->versionColumn))
        return {false,
                u"A letöltött %1 hibás (nem olvasható benne a katalógus verziója), ezért nem telepíthető."_s.arg(
                    catalogue->fileName),
                {},
                db.isAttached(catalogue->schema)};
    if (progress.status)
        progress.status(u"A katalógus telepítése folyamatban van..."_s);
    return InstallCatalogue(db, folder, *catalogue, downloaded.savedFile);
}

DownloadResult DownloadProgram(TDatabaseConnection &db, const DataFolder &folder, qint64 expectedSize,
                               const UpdateTimeouts &timeouts, const TransferProgress &progress,
                               const CancelFlag &cancel)
{
    return DownloadToTmp(db, folder, u"update.zip"_s, expectedSize, timeouts, progress, cancel);
}

} // namespace tvr
