// The checks and downloads of the update against a real FTP server: versions compared, files
// swapped in whole, and every failed or short download leaving the installed catalogue working.

#include "UpdateFixture.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/IFACE_BASE_tvr.h"
#include "transfer/UpdateService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

const UpdateTimeouts kQuick{3000, 3000};

QString ForestVersion(TDatabaseConnection &db)
{
    return tvr_info_forest_get(db, u"1"_s)->forest_katalogus_verzio;
}

TEST(UpdateService, ChecksCompareTheServersVersionsWithTheInstalledOnes)
{
    UpdateFixture f;
    f.publishCatalogue(Placement::Materials, u"2023.06.01."_s);
    f.publishCatalogue(Placement::Forest, u"2023.07.15."_s);
    f.publishProgram(u"2023.06.06."_s, QByteArray(1000, 'z'));
    ErrorRecorder errors;
    auto db = f.data.open();
    AttachDatabase(*db, f.data.folder().forestCatalogue(), ForestSchema());

    const ProgramCheckResult program = CheckProgram(*db, f.data.folder(), kQuick, NewCancelFlag());
    EXPECT_FALSE(program.error) << program.errorText.toStdString();
    EXPECT_FALSE(program.listing.outdated);
    EXPECT_EQ(program.listing.size, 1000);

    const CatalogueCheckResult catalogues = CheckCatalogues(*db, f.data.folder(), kQuick, NewCancelFlag());
    EXPECT_FALSE(catalogues.error) << catalogues.errorText.toStdString();
    EXPECT_EQ(catalogues.localMaterials, u"2023.06.01."_s);
    EXPECT_FALSE(catalogues.listing.materialsOutdated);
    EXPECT_TRUE(catalogues.listing.forestOutdated);
    EXPECT_GT(catalogues.listing.forestSize, 0);
    // The settings file was attached only while read.
    EXPECT_FALSE(db->isAttached(u"internetdb"_s));
    EXPECT_TRUE(errors.errors.empty());
}

TEST(UpdateService, MissingSettingsAndUnreachableServerAreReported)
{
    UpdateFixture f;
    auto db = f.data.open();
    f.server->stop();
    const ProgramCheckResult down = CheckProgram(*db, f.data.folder(), kQuick, NewCancelFlag());
    EXPECT_TRUE(down.error);
    EXPECT_FALSE(down.settingsMissing);
    EXPECT_FALSE(down.errorText.isEmpty());

    QFile::remove(f.data.folder().downloadSettings());
    const CatalogueCheckResult missing = CheckCatalogues(*db, f.data.folder(), kQuick, NewCancelFlag());
    EXPECT_TRUE(missing.settingsMissing);
    EXPECT_TRUE(missing.error);
    EXPECT_FALSE(QFile::exists(f.data.folder().downloadSettings())) << "the settings file must not be created";
}

TEST(UpdateService, ForestDownloadIsSwappedInAndAttached)
{
    UpdateFixture f;
    f.publishCatalogue(Placement::Forest, u"2023.07.15."_s);
    ErrorRecorder errors;
    auto db = f.data.open();
    AttachDatabase(*db, f.data.folder().forestCatalogue(), ForestSchema());
    const CatalogueCheckResult check = CheckCatalogues(*db, f.data.folder(), kQuick, NewCancelFlag());

    QStringList statuses;
    qint64 lastDone = 0;
    TransferProgress progress;
    progress.status = [&](const QString &s) { statuses << s; };
    progress.bytes = [&](qint64 done, qint64) { lastDone = done; };
    const DownloadResult result =
        DownloadCatalogue(*db, f.data.folder(), 4, check.listing.forestSize, kQuick, progress, NewCancelFlag());
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(statuses,
              (QStringList{u"A letöltés folyamatban van..."_s, u"A katalógus telepítése folyamatban van..."_s}));
    EXPECT_EQ(lastDone, check.listing.forestSize);
    EXPECT_TRUE(db->isAttached(ForestSchema()));
    EXPECT_EQ(ForestVersion(*db), u"2023.07.15."_s);
    EXPECT_TRUE(QFile::exists(QDir(f.data.folder().tmpFolder()).filePath(u"TVR_FOREST.s3db"_s)));
    EXPECT_FALSE(QFile::exists(f.data.folder().forestCatalogue() + u".uj"_s));
    // The catalogue check now finds it up to date.
    EXPECT_FALSE(CheckCatalogues(*db, f.data.folder(), kQuick, NewCancelFlag()).listing.forestOutdated);
    EXPECT_TRUE(errors.errors.empty());
}

TEST(UpdateService, ShortOrBrokenDownloadLeavesTheInstalledCatalogue)
{
    UpdateFixture f;
    auto db = f.data.open();
    AttachDatabase(*db, f.data.folder().forestCatalogue(), ForestSchema());
    const QString served = QDir(f.updateFolder()).filePath(u"TVR_FOREST.s3db"_s);
    struct Case {
        const char *title;
        QByteArray content;
        qint64 publishedSize;
    };
    WriteCatalogueFile(served, Placement::Forest, u"2023.09.01."_s);
    QFile good(served);
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray whole = good.readAll();
    good.close();
    const Case cases[] = {
        {"truncated file", whole.left(whole.size() / 2), whole.size()},
        {"not a database", QByteArray(8192, 'x'), 0},
        {"database without its version table", QByteArray(), 0},
    };
    for (const Case &c : cases) {
        if (c.content.isEmpty())
            CreatePlainDatabase(served, Placement::Materials); // a database, but not the Forest catalogue
        else
            FtpServer::WriteFile(served, c.content);
        const DownloadResult result =
            DownloadCatalogue(*db, f.data.folder(), 4, c.publishedSize, kQuick, {}, NewCancelFlag());
        EXPECT_FALSE(result.ok) << c.title;
        EXPECT_FALSE(result.error.isEmpty()) << c.title;
        EXPECT_TRUE(db->isAttached(ForestSchema())) << c.title;
        EXPECT_EQ(ForestVersion(*db), u"2023.06.01."_s) << c.title;
    }
}

TEST(UpdateService, SwapThatCannotReplaceTheFileSaysWhatIsTrue)
{
    UpdateFixture f;
    auto db = f.data.open();
    const CatalogueFile &forest = *CatalogueByNumber(4);
    const QString downloaded = QDir(f.data.folder().tmpFolder()).filePath(u"TVR_FOREST.s3db"_s);
    QDir().mkpath(f.data.folder().tmpFolder());
    WriteCatalogueFile(downloaded, Placement::Forest, u"2023.09.01."_s);

    // No catalogue was installed, and the rename cannot put one there (a folder holds the name):
    // nothing may be attached, since the attach would create an empty file in its place.
    const QString installed = f.data.folder().forestCatalogue();
    QFile::remove(installed);
    QDir().mkpath(installed + u"/foglalt"_s);
    DownloadResult result = InstallCatalogue(*db, f.data.folder(), forest, downloaded);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.previousKept);
    EXPECT_TRUE(result.error.contains(CatalogueUnavailableMessage())) << result.error.toStdString();
    EXPECT_FALSE(db->isAttached(ForestSchema()));
    EXPECT_TRUE(QFileInfo(installed).isDir());
    EXPECT_FALSE(QFile::exists(installed + u".uj"_s));

    // Where the old catalogue was attached and the swap fails before the rename, it stays.
    QDir(installed).removeRecursively();
    WriteCatalogueFile(installed, Placement::Forest, u"2023.06.01."_s);
    AttachDatabase(*db, installed, ForestSchema());
    result = InstallCatalogue(*db, f.data.folder(), forest, QDir(f.data.folder().tmpFolder()).filePath(u"nincs"_s));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.previousKept);
    EXPECT_EQ(ForestVersion(*db), u"2023.06.01."_s);
}

TEST(UpdateService, ServerKilledMidDownloadLeavesTheInstalledCatalogue)
{
    UpdateFixture f(u"2023.06.01."_s, u"2023.06.01."_s, FtpServer::Options{.throttleBytesPerSecond = 100000});
    auto db = f.data.open();
    // A large file, so that the transfer is still running when the server goes.
    const QString served = QDir(f.updateFolder()).filePath(u"TVR_CAT_ALAPANYAG_zederivu.s3db"_s);
    FtpServer::WriteFile(served, QByteArray(2 * 1024 * 1024, 'k'));
    bool stopped = false;
    TransferProgress progress;
    progress.bytes = [&](qint64 done, qint64) {
        if (done > 150000 && !stopped) {
            stopped = true;
            f.server->stop();
        }
    };
    const DownloadResult result =
        DownloadCatalogue(*db, f.data.folder(), 0, 2 * 1024 * 1024, kQuick, progress, NewCancelFlag());
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(db->isAttached(MaterialsSchema()));
    EXPECT_EQ(tvr_info_get(*db, u"1"_s)->alapanyag_katalogus_verzio, u"2023.06.01."_s);
}

TEST(UpdateService, OtherCataloguesAreOnlyDownloadedToTmp)
{
    UpdateFixture f;
    auto db = f.data.open();
    FtpServer::WriteFile(QDir(f.updateFolder()).filePath(u"TVR_CAT_ZELVO.s3db"_s), QByteArray("zelvo árlista"));
    const DownloadResult result = DownloadCatalogue(*db, f.data.folder(), 2, 0, kQuick, {}, NewCancelFlag());
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.savedFile, QDir(f.data.folder().tmpFolder()).filePath(u"TVR_CAT_ZELVO.s3db"_s));
    EXPECT_FALSE(QFile::exists(f.data.folder().file(u"TVR_CAT_ZELVO.s3db"_s)));
    EXPECT_FALSE(db->isAttached(u"TVR_ZELVO"_s));
}

TEST(UpdateService, ProgramArchiveLandsInTmp)
{
    UpdateFixture f;
    QByteArray archive;
    for (int i = 0; i < 50000; ++i)
        archive.append(char(i * 7));
    f.publishProgram(u"2023.09.01."_s, archive);
    auto db = f.data.open();
    EXPECT_TRUE(CheckProgram(*db, f.data.folder(), kQuick, NewCancelFlag()).listing.outdated);
    const DownloadResult result = DownloadProgram(*db, f.data.folder(), archive.size(), kQuick, {}, NewCancelFlag());
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    QFile saved(QDir(f.data.folder().tmpFolder()).filePath(u"update.zip"_s));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), archive);
}

} // namespace
