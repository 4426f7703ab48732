// The demo installation is complete: every catalogue table the program reads has rows, the
// store manager can log in with the documented password, and the files are where the program
// looks for them.

#include "DemoData.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/DB_Schema.h"
#include "database/IFACE_BASE_tvr.h"
#include "common/CN_CommonFunctions.h"
#include "support/TestDataFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tvr;

namespace
{

class DemoData : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        MakeDemoDataFolder(dir->path(), QStringLiteral(TVR_DEMO_SQL_DIR));
    }
    static void TearDownTestSuite() { delete dir; }
    static QTemporaryDir *dir;
};
QTemporaryDir *DemoData::dir = nullptr;

TEST_F(DemoData, EveryCatalogueTableHasRows)
{
    test::ErrorRecorder errors;
    const DataFolder folder(dir->path());
    TDatabaseConnection db(folder);
    AttachDatabase(db, folder.forestCatalogue(), ForestSchema());
    for (const TableSchema &t : AllTables()) {
        if (t.placement != Placement::Materials && t.placement != Placement::Forest)
            continue;
        const QString count = db.select(u"select count(*) from %1;"_s.arg(QString::fromLatin1(t.name)), {}).value(0);
        EXPECT_GT(count.toInt(), 0) << t.name;
    }
    EXPECT_EQ(tvr_info_get(db, u"1"_s)->alapanyag_katalogus_verzio, u"2023.06.01."_s);
    EXPECT_EQ(tvr_info_forest_get(db, u"1"_s)->forest_katalogus_verzio, u"2023.06.01."_s);
    // Recommended edge bands exist for the carcass boards.
    EXPECT_EQ(db.select(u"select count(*) from tvr_lsz_butorlap_elzaro_parok p left join tvr_elzarok e on "
                        u"e.elzaro_id = p.nulla_negyes_elzaro_id where e.elzaro_id is null;"_s,
                        {})
                  .value(0),
              u"0"_s);
    EXPECT_TRUE(errors.errors.empty());
}

TEST_F(DemoData, StoreManagerLogsInWithTheDocumentedPassword)
{
    const DataFolder folder(dir->path());
    TDatabaseConnection db(folder);
    const auto users = tvr_users_list(db, u"active=1"_s, u"user_id"_s);
    ASSERT_FALSE(users.empty());
    EXPECT_EQ(users[0].user_id, u"1"_s);
    EXPECT_EQ(users[0].user_name, u"Üzletvezető"_s);
    EXPECT_EQ(users[0].pwd, PasswordHash(u"dorvat"_s));
    EXPECT_FALSE(tvr_arajanlat_get(db, u"1"_s)->megrendelo_neve.isEmpty());
}

TEST_F(DemoData, SettingsTemplateAndFoldersArePresent)
{
    const DataFolder folder(dir->path());
    TDatabaseConnection db(folder);
    for (const QString &file : {folder.downloadSettings(), folder.uploadSettings()}) {
        AttachDatabase(db, file, u"internetdb"_s);
        const auto settings = internet_get(db, u"1"_s);
        ASSERT_TRUE(settings);
        EXPECT_EQ(settings->update_host, u"127.0.0.1:2121"_s);
        DetachDatabase(db, u"internetdb"_s);
    }
    AttachDatabase(db, folder.orderTemplate(), u"basic_1"_s);
    EXPECT_EQ(db.select(u"select count(*) from tv_arajanlat;"_s, {}).value(0), u"0"_s);
    EXPECT_EQ(db.select(u"select count(*) from basic_1.sqlite_master where type='table' and name like 'tv!_%' "
                        u"escape '!';"_s,
                        {})
                  .value(0),
              u"17"_s);
    DetachDatabase(db, u"basic_1"_s);
    for (const QString &sub : {folder.tmpFolder(), folder.ordersFolder(), folder.picturesFolder()})
        EXPECT_TRUE(QFileInfo(sub).isDir()) << sub.toStdString();
}

TEST_F(DemoData, RebuildingReplacesTheFolderContents)
{
    QTemporaryDir again;
    const DataFolder folder(again.path());
    MakeDemoDataFolder(again.path(), QStringLiteral(TVR_DEMO_SQL_DIR));
    {
        TDatabaseConnection db(folder);
        RunSql(db, u"insert into tvr_feljegyzesek (feljegyzes) values ('eldobható')"_s);
    }
    MakeDemoDataFolder(again.path(), QStringLiteral(TVR_DEMO_SQL_DIR));
    TDatabaseConnection db(folder);
    EXPECT_EQ(db.select(u"select count(*) from tvr_feljegyzesek where feljegyzes='eldobható';"_s, {}).value(0), u"0"_s);
}

} // namespace
