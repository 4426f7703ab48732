// The record family on representative tables: defaults at insert, get, list, update,
// deactivate and delete, and their statements.

#include "database/IFACE_BASE_tvr.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

class Records : public testing::Test
{
protected:
    void SetUp() override
    {
        data.writeMaterials({u"insert into tvr_butorlapok (butorlap_id,megnevezes,sorszama,active) values "
                             u"(1,'Fehér','U1026','1'),(2,'Tölgy','H1145','0');"_s});
        db = data.open();
    }
    TestDataFolder data;
    ErrorRecorder errors;
    std::unique_ptr<TDatabaseConnection> db;
};

TEST_F(Records, InsertFillsTheListedDefaultsAndLeavesOthersEmpty)
{
    Ttable_tvr_b_basic_szalas_darabok piece;
    piece.hossz = u"120.5"_s;
    piece.basic_munka_id = u"4"_s;
    EXPECT_TRUE(tvr_b_basic_szalas_darabok_insert(*db, piece));
    EXPECT_EQ(piece.active, u"1"_s);
    const auto listed = tvr_b_basic_szalas_darabok_list(*db, u"active=1 and basic_munka_id=4"_s, {});
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].szalas_darab_id, u"1"_s);
    EXPECT_EQ(listed[0].besorolas, u"0"_s);
    EXPECT_EQ(listed[0].atemelve, u"0"_s);
    EXPECT_EQ(listed[0].active, u"1"_s);
    EXPECT_EQ(listed[0].rogzitette, u""_s);

    Ttable_tvr_b_basic_munka work;
    work.arajanlat_id = u"9"_s;
    work.viszonteladonak = u"1"_s;
    EXPECT_TRUE(tvr_b_basic_munka_insert(*db, work));
    const auto stored = tvr_b_basic_munka_get(*db, LastInsertId(*db));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->labazat_tipus, u"1"_s);
    EXPECT_EQ(stored->viszonteladonak, u"1"_s);
    EXPECT_EQ(stored->blum_pant_tipus, u"0"_s);
    EXPECT_EQ(stored->frontszin, u""_s);
    EXPECT_TRUE(errors.errors.empty());
}

TEST_F(Records, DeactivatedRowLeavesListsButGetStillFindsIt)
{
    for (const QString &length : {u"60"_s, u"90"_s}) {
        Ttable_tvr_b_basic_szalas_darabok piece;
        piece.hossz = length;
        piece.basic_munka_id = u"1"_s;
        EXPECT_TRUE(tvr_b_basic_szalas_darabok_insert(*db, piece));
    }
    EXPECT_TRUE(tvr_b_basic_szalas_darabok_deactivate(*db, u"1"_s));
    const auto listed = tvr_b_basic_szalas_darabok_list(*db, u"active=1"_s, u"szalas_darab_id"_s);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].hossz, u"90"_s);
    const auto gone = tvr_b_basic_szalas_darabok_get(*db, u"1"_s);
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->active, u"0"_s);
    EXPECT_TRUE(tvr_b_basic_szalas_darabok_list(*db, u"active=1 and basic_munka_id=77"_s, {}).empty());
    EXPECT_FALSE(tvr_b_basic_szalas_darabok_get(*db, u"77"_s));
    EXPECT_TRUE(errors.errors.empty());
}

TEST_F(Records, UpdateWritesEveryColumnEmptyAsEmpty)
{
    Ttable_tvr_users user;
    user.user_name = u"Régi"_s;
    user.pwd = u"ABC"_s;
    EXPECT_TRUE(tvr_users_insert(*db, user));
    Ttable_tvr_users changed;
    changed.user_name = u"Üzletvezető"_s;
    EXPECT_TRUE(tvr_users_update(*db, u"1"_s, changed));
    const auto stored = tvr_users_get(*db, u"1"_s);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->user_name, u"Üzletvezető"_s);
    EXPECT_EQ(stored->pwd, u""_s);
    EXPECT_EQ(stored->active, u"1"_s); // an update never writes active
}

TEST_F(Records, DeleteRemovesTheRowPhysically)
{
    Ttable_tvr_b_basic_szabadaras_tetelek item;
    item.tetel = u"Szerelés"_s;
    item.netto_ertek = u"10000.00"_s;
    EXPECT_TRUE(tvr_b_basic_szabadaras_tetelek_insert(*db, item));
    EXPECT_EQ(item.kedvezmenyes_netto_ertek, u"0"_s);
    EXPECT_TRUE(tvr_b_basic_szabadaras_tetelek_delete(*db, LastInsertId(*db)));
    EXPECT_EQ(db->select(u"select count(*) from tvr_b_basic_szabadaras_tetelek;"_s, {}).value(0), u"0"_s);
}

TEST_F(Records, CatalogueRecordsReadThroughTheAttachedFile)
{
    const auto boards = tvr_butorlapok_list(*db, u"active=1"_s, u"butorlap_id"_s);
    ASSERT_EQ(boards.size(), 1u);
    EXPECT_EQ(boards[0].megnevezes, u"Fehér"_s);
    EXPECT_EQ(tvr_butorlapok_get(*db, u"2"_s)->sorszama, u"H1145"_s);
}

TEST_F(Records, FailingStatementGivesNoRecordAndShowsTheStatement)
{
    RunSql(*db, u"drop table tvr_users"_s);
    EXPECT_FALSE(tvr_users_get(*db, u"1"_s));
    EXPECT_TRUE(tvr_users_list(*db, u"active=1"_s, u"user_id"_s).empty());
    Ttable_tvr_users user;
    user.user_name = u"a\"b"_s;
    EXPECT_FALSE(tvr_users_insert(*db, user));
    ASSERT_EQ(errors.errors.size(), 3u);
    EXPECT_EQ(errors.errors[0].second, u"select user_id,user_name,pwd,active from tvr_users where user_id=1;"_s);
    EXPECT_EQ(errors.errors[1].second,
              u"select user_id,user_name,pwd,active from tvr_users where active=1 order by user_id;"_s);
    EXPECT_EQ(errors.errors[2].second, u"insert into tvr_users (user_name,pwd) values (\"a\"\"b\",\"\");"_s);
}

TEST_F(Records, KeyThatIsNotANumberIsBoundNotPasted)
{
    Ttable_tvr_b_basic_szalas_darabok piece;
    piece.hossz = u"30"_s;
    EXPECT_TRUE(tvr_b_basic_szalas_darabok_insert(*db, piece));
    EXPECT_FALSE(tvr_b_basic_szalas_darabok_get(*db, u"1 or 1=1"_s));
    EXPECT_TRUE(tvr_b_basic_szalas_darabok_deactivate(*db, u"0 or 1=1"_s));
    EXPECT_EQ(tvr_b_basic_szalas_darabok_get(*db, u"1"_s)->active, u"1"_s);
    EXPECT_TRUE(errors.errors.empty());
}

} // namespace
