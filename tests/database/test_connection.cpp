// The main file is encrypted with the deciphered key, its local tables are created and
// versioned on first open, and the catalogues are attached as plain files.

#include "database/DB_DatabaseFunctions.h"
#include "database/DB_DatabaseKey.h"
#include "database/DB_Schema.h"
#include "database/IFACE_BASE_tvr.h"
#include "database/InstallationSettings.h"
#include "support/TestDataFolder.h"

#include <QFile>
#include <QFileInfo>

#include <sqlcipher/sqlite3.h>

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

// Opens a file with the plain engine API, optionally keyed, and counts its tables.
int CountTables(const QString &file, const QByteArray &key, bool *ok)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (!key.isNull())
        sqlite3_key(db, key.constData(), int(key.size()));
    sqlite3_stmt *st = nullptr;
    int count = -1;
    *ok = sqlite3_prepare_v2(db, "select count(*) from sqlite_master where type='table';", -1, &st, nullptr) ==
              SQLITE_OK &&
          sqlite3_step(st) == SQLITE_ROW;
    if (*ok)
        count = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    sqlite3_close_v2(db);
    return count;
}

TEST(Encryption, MainFileReadsOnlyWithTheKey)
{
    TestDataFolder data;
    {
        auto db = data.open();
        // SQLCipher, not the plain engine, is linked.
        EXPECT_FALSE(db->select(u"PRAGMA cipher_version;"_s, {}).value(0).isEmpty());
        RunSql(*db, u"insert into tvr_feljegyzesek (feljegyzes) values (?)"_s, {u"titok"_s});
    }
    QFile file(data.folder().mainDatabase());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_FALSE(content.startsWith("SQLite format 3"));
    EXPECT_FALSE(content.contains("titok"));

    bool ok = false;
    CountTables(data.folder().mainDatabase(), QByteArray(), &ok);
    EXPECT_FALSE(ok) << "a plain open must not read the main file";
    CountTables(data.folder().mainDatabase(), QByteArray("wrong key"), &ok);
    EXPECT_FALSE(ok);
    const int tables = CountTables(data.folder().mainDatabase(), MainDatabaseKey(), &ok);
    EXPECT_TRUE(ok);
    EXPECT_GE(tables, 23);

    EXPECT_THROW(TDatabaseConnection(data.folder(), data.folder().mainDatabase(), QByteArray("wrong key")), TvrError);
    auto again = data.open();
    QStringList values;
    SelectValues(*again, u"feljegyzes"_s, u"tvr_feljegyzesek"_s, {}, {}, values);
    EXPECT_EQ(values, QStringList{u"titok"_s});
}

TEST(Schema, LocalTablesAreCreatedOnFirstOpenAndVersioned)
{
    TestDataFolder data;
    ErrorRecorder errors;
    {
        auto db = data.open();
        EXPECT_EQ(db->select(u"pragma user_version;"_s, {}).value(0), QString::number(MainSchemaVersion()));
        const QStringList names = db->select(u"select name from sqlite_master where type='table' order by name;"_s, {});
        for (const TableSchema &t : AllTables()) {
            const bool inMain = names.contains(QString::fromLatin1(t.name));
            EXPECT_EQ(inMain, t.placement == Placement::Main) << t.name;
        }
        // Column order follows the layout.
        int n = 0;
        const QStringList info = db->select(u"pragma table_info(tvr_arajanlat);"_s, {}, &n);
        QStringList columns;
        for (qsizetype i = 1; i < info.size(); i += n)
            columns << info.at(i);
        EXPECT_EQ(columns, ColumnNames<Ttable_tvr_arajanlat>());
        RunSql(*db, u"pragma user_version = 99"_s);
    }
    try {
        TDatabaseConnection db(data.folder());
        ADD_FAILURE() << "a file of a newer program must not open";
    } catch (const TvrError &e) {
        EXPECT_TRUE(e.message().contains(u"újabb"_s));
    }
}

TEST(Schema, AVersionOneFileGainsTheInstallationSettings)
{
    TestDataFolder data;
    data.writeMaterials();
    ErrorRecorder errors;
    {
        auto db = data.open();
        RunSql(*db, u"drop table tvr_telepitesi_beallitasok"_s);
        RunSql(*db, u"pragma user_version = 1"_s);
    }
    auto db = data.open();
    EXPECT_EQ(db->select(u"pragma user_version;"_s, {}).value(0), QString::number(MainSchemaVersion()));
    EXPECT_TRUE(InstallationSetting(*db, PartnerCodeSetting()).isEmpty());
    SetInstallationSetting(*db, PartnerCodeSetting(), u"1234"_s);
    SetInstallationSetting(*db, PictureHostSetting(), u"kepek.dorvat.hu"_s);
    SetInstallationSetting(*db, PartnerCodeSetting(), u"4321"_s);
    EXPECT_EQ(InstallationSetting(*db, PartnerCodeSetting()), u"4321"_s);
    EXPECT_EQ(InstallationSetting(*db, PictureHostSetting()), u"kepek.dorvat.hu"_s);
    EXPECT_EQ(db->select(u"select count(*) from tvr_telepitesi_beallitasok"_s, {}), QStringList{u"2"_s});
    EXPECT_TRUE(errors.errors.empty());
}

TEST(Schema, AVersionTwoFileGainsTheSendHistory)
{
    TestDataFolder data;
    data.writeMaterials();
    ErrorRecorder errors;
    {
        auto db = data.open();
        SetInstallationSetting(*db, PartnerCodeSetting(), u"7"_s);
        RunSql(*db, u"drop table tvr_rendeles_kuldesek"_s);
        RunSql(*db, u"pragma user_version = 2"_s);
    }
    auto db = data.open();
    EXPECT_EQ(db->select(u"pragma user_version;"_s, {}).value(0), u"3"_s);
    EXPECT_EQ(InstallationSetting(*db, PartnerCodeSetting()), u"7"_s);
    Ttable_tvr_rendeles_kuldesek send;
    send.arajanlat_id = u"152"_s;
    send.rendeles_file = u"2023.06.06._zederivu_7-152.s3db"_s;
    send.sikeres = u"1"_s;
    ASSERT_TRUE(tvr_rendeles_kuldesek_insert(*db, send));
    const auto sends = tvr_rendeles_kuldesek_list(*db, u"arajanlat_id=?"_s, {}, {u"152"_s});
    ASSERT_EQ(sends.size(), 1u);
    EXPECT_EQ(sends[0].rendeles_file, send.rendeles_file);
    EXPECT_TRUE(errors.errors.empty());
}

TEST(Catalogues, MissingMaterialsCatalogueIsReportedNotCreated)
{
    TestDataFolder data;
    ErrorRecorder errors;
    auto db = data.open();
    ASSERT_EQ(errors.errors.size(), 1u);
    EXPECT_TRUE(errors.errors[0].first.contains(u"TVR_CAT_ALAPANYAG_zederivu.s3db"_s));
    EXPECT_FALSE(QFileInfo::exists(data.folder().materialsCatalogue()));
    EXPECT_FALSE(db->isAttached(MaterialsSchema()));
    // The local tables still work.
    Ttable_tvr_feljegyzesek note;
    note.feljegyzes = u"megy"_s;
    EXPECT_TRUE(tvr_feljegyzesek_insert(*db, note));
    EXPECT_EQ(tvr_feljegyzesek_get(*db, LastInsertId(*db))->feljegyzes, u"megy"_s);
    EXPECT_EQ(errors.errors.size(), 1u);
}

TEST(Catalogues, MaterialsAndForestAttachAsPlainFiles)
{
    TestDataFolder data;
    data.writeMaterials(
        {u"insert into tvr_info (info_id,active,alapanyag_katalogus_verzio) values (1,'1','2023.05.02.');"_s});
    data.writeForest(
        {u"insert into tvr_info_forest (info_id,active,forest_katalogus_verzio) values (1,'1','2023.04.01.');"_s});
    ErrorRecorder errors;
    auto db = data.open();
    EXPECT_TRUE(errors.errors.empty());
    EXPECT_TRUE(db->isAttached(MaterialsSchema()));
    EXPECT_EQ(tvr_info_get(*db, u"1"_s)->alapanyag_katalogus_verzio, u"2023.05.02."_s);
    AttachDatabase(*db, data.folder().forestCatalogue(), ForestSchema());
    EXPECT_EQ(tvr_info_forest_get(*db, u"1"_s)->forest_katalogus_verzio, u"2023.04.01."_s);
    // A catalogue file stays plain SQLite.
    QFile file(data.folder().forestCatalogue());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(15) == "SQLite format 3");
    DetachDatabase(*db, ForestSchema());
    EXPECT_FALSE(db->isAttached(ForestSchema()));
    // A detach of a schema that is not attached reaches the caller with the statement.
    try {
        DetachDatabase(*db, ForestSchema());
        ADD_FAILURE();
    } catch (const SqlError &e) {
        EXPECT_EQ(e.detail(), u"detach database TVR_FOREST;"_s);
    }
}

TEST(Connection, StatementsFromAnotherThreadAreSerialised)
{
    TestDataFolder data;
    ErrorRecorder errors;
    auto db = data.open();
    std::atomic<int> readerFailures = 0;
    std::thread reader([&] {
        for (int i = 0; i < 300; ++i) {
            try {
                db->select(u"select count(*) from tvr_feljegyzesek;"_s, {});
            } catch (...) {
                ++readerFailures;
            }
        }
    });
    for (int i = 0; i < 300; ++i)
        EXPECT_TRUE(InsertRow(*db, u"tvr_feljegyzesek"_s, {u"feljegyzes"_s}, {QString::number(i)}));
    reader.join();
    EXPECT_EQ(readerFailures, 0);
    EXPECT_EQ(db->select(u"select count(*) from tvr_feljegyzesek;"_s, {}).value(0), u"300"_s);
}

} // namespace
