#pragma once
// The version checks and downloads of the update: each runs on a worker thread (it waits for
// the network) and reports through its result; the connection it reads the settings and the
// local versions through is locked for every statement.

#include "common/SYS_SystemConstants.h"
#include "database/DB_DatabaseConnection.h"
#include "platform/FtpClient.h"
#include "transfer/UpdateListing.h"

#include <QString>

#include <atomic>
#include <functional>
#include <memory>

namespace tvr
{

// The folder of the manufacturer's server that holds the updates.
QString UpdateFolder(); // "zederivu"

// "<folder>\internet.s3db fájl hiányzik! Kérje e-mailben!": the download settings are missing.
QString MissingSettingsMessage(const DataFolder &folder);

// The catalogue cannot be used until the program restarts or an update installs it again.
QString CatalogueUnavailableMessage();

// Set from another thread to stop a running check or download at its next step.
using CancelFlag = std::shared_ptr<std::atomic<bool>>;
CancelFlag NewCancelFlag();

// Timeouts of every update transfer (tests shorten them).
struct UpdateTimeouts {
    int connectMs = 15000;
    int stallMs = 30000;
};

struct ProgramCheckResult {
    bool settingsMissing = false; // internet.s3db is not there
    bool error = false;           // the server could not be reached or listed
    QString errorText;
    ProgramListing listing;
    static ProgramCheckResult Failed(const QString &message) { return {false, true, message, {}}; }
};
ProgramCheckResult CheckProgram(TDatabaseConnection &db, const DataFolder &folder, const UpdateTimeouts &timeouts,
                                const CancelFlag &cancel);

struct CatalogueCheckResult {
    bool settingsMissing = false;
    bool error = false;
    QString errorText;
    QString localMaterials; // the installed versions compared with
    QString localForest;
    CatalogueListing listing;
    static CatalogueCheckResult Failed(const QString &message) { return {false, true, message, {}, {}, {}}; }
};
CatalogueCheckResult CheckCatalogues(TDatabaseConnection &db, const DataFolder &folder, const UpdateTimeouts &timeouts,
                                     const CancelFlag &cancel);

// The installed version of a catalogue (row 1 of its version table); empty when the catalogue
// is not attached or unreadable (its absence was reported when it was attached).
QString InstalledMaterialsVersion(TDatabaseConnection &db);
QString InstalledForestVersion(TDatabaseConnection &db);

// The catalogue files of the update folder: 0 materials, 1 kitchen system, 2 furniture lines,
// 3 other furniture, 4 Forest. Only 0 and 4 are installed; 1 to 3 are only downloaded to tmp.
struct CatalogueFile {
    int number;
    QString fileName;
    QString displayName;  // shown in the catalogue window
    QString schema;       // the attached schema; empty for 1 to 3
    QString versionTable; // the table that proves a good download; empty for 1 to 3
    QString versionColumn;
};
const CatalogueFile *CatalogueByNumber(int number);

struct TransferProgress {
    std::function<void(qint64 done, qint64 total)> bytes; // called on the worker thread
    std::function<void(const QString &status)> status;    // called on the worker thread
};

struct DownloadResult {
    bool ok = false;
    QString error; // for the user, in Hungarian
    QString savedFile;
    // After a failure: the catalogue installed before is still in place and attached. False when
    // the swap got as far as leaving no usable catalogue (the error then says so).
    bool previousKept = true;
    static DownloadResult Failed(const QString &message) { return {false, message, {}, true}; }
};

// Downloads catalogue n into tmp and, for 0 and 4, swaps it in for the installed file. The bytes
// must reach the published size (when one is given) and, for 0 and 4, form an SQLite file that
// holds its version table; otherwise nothing is installed and the old catalogue stays attached.
// The swap copies to a temporary file beside the catalogue, then renames it over the old one,
// with the connection held from the detach to the attach.
DownloadResult DownloadCatalogue(TDatabaseConnection &db, const DataFolder &folder, int number, qint64 expectedSize,
                                 const UpdateTimeouts &timeouts, const TransferProgress &progress,
                                 const CancelFlag &cancel);

// Installs a downloaded catalogue file (0 or 4) as above; used by DownloadCatalogue.
DownloadResult InstallCatalogue(TDatabaseConnection &db, const DataFolder &folder, const CatalogueFile &catalogue,
                                const QString &downloadedFile);

// Downloads update.zip into tmp; it must reach the published size when one is given.
DownloadResult DownloadProgram(TDatabaseConnection &db, const DataFolder &folder, qint64 expectedSize,
                               const UpdateTimeouts &timeouts, const TransferProgress &progress,
                               const CancelFlag &cancel);

} // namespace tvr
