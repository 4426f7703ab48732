// The numbered result sets: lazy reading, keeping the current row by key, and living beside
// writes and detaches while a cursor is still open.

#include "database/DB_DatabaseFunctions.h"
#include "database/DB_Listers.h"
#include "support/TestDataFolder.h"

#include <QSignalSpy>

#include <sqlcipher/sqlite3.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

const QString kNotes =
    u"select feljegyzes_id, feljegyzes from tvr_feljegyzesek where active=1 order by feljegyzes_id"_s;

class Listers : public testing::Test
{
protected:
    void SetUp() override
    {
        db = data.open();
        errors.errors.clear();
    }
    void AddNotes(int count)
    {
        db->executeScript(u"with recursive n(i) as (select 1 union all select i+1 from n where i<%1) "
                          u"insert into tvr_feljegyzesek (feljegyzes) select 'jegyzet ' || i from n;"_s.arg(count));
    }

    TestDataFolder data;
    ErrorRecorder errors;
    std::unique_ptr<TDatabaseConnection> db;
};

TEST_F(Listers, EverySpecifiedNumberExistsAndUnknownNumbersDoNothing)
{
    EXPECT_EQ(TDatabaseConnection::listerNumbers().size(), 57);
    for (const int n : {0, 1, 32, 34, 35, 37, 48, 65, 66, 141, 142, 161, 219, 220, 221, 245, 248}) {
        ASSERT_NE(db->lister(n), nullptr) << n;
        EXPECT_EQ(db->lister(n)->objectName(), u"Lister%1"_s.arg(n));
    }
    for (const int n : {33, 36, 49, 64, 249, -1})
        EXPECT_EQ(db->lister(n), nullptr) << n;
    RefreshLister(*db, 33, u"select nonsense"_s);
    EXPECT_TRUE(errors.errors.empty());
}

TEST_F(Listers, FirstScreenAtOnceTheRestOnDemand)
{
    AddNotes(1000);
    RefreshLister(*db, 43, kNotes);
    TLister *l = db->lister(43);
    EXPECT_EQ(l->statement(), kNotes + u';');
    EXPECT_EQ(l->columnNames(), (QStringList{u"feljegyzes_id"_s, u"feljegyzes"_s}));
    EXPECT_GT(l->rowCount(), 20);
    EXPECT_LT(l->rowCount(), 1000);
    EXPECT_TRUE(l->canFetchMore());
    l->fetchAll();
    EXPECT_EQ(l->rowCount(), 1000);
    EXPECT_FALSE(l->canFetchMore());
    EXPECT_EQ(l->value(999, u"feljegyzes"_s), u"jegyzet 1000"_s);
    EXPECT_EQ(l->data(l->index(0, 1)).toString(), u"jegyzet 1"_s);
}

TEST_F(Listers, RefreshKeepsTheCurrentRowByKeyOrGoesToTheFirst)
{
    AddNotes(5);
    const QString newestFirst =
        u"select feljegyzes_id, feljegyzes from tvr_feljegyzesek where active=1 order by feljegyzes_id desc"_s;
    RefreshLister(*db, 43, newestFirst);
    TLister *l = db->lister(43);
    EXPECT_EQ(l->currentRow(), 0);
    l->setCurrentRow(2);
    ASSERT_EQ(l->currentKey(), u"3"_s);

    EXPECT_TRUE(InsertRow(*db, u"tvr_feljegyzesek"_s, {u"feljegyzes"_s}, {u"új"_s}));
    RefreshLister(*db, 43, newestFirst);
    EXPECT_EQ(l->currentKey(), u"3"_s);
    EXPECT_EQ(l->currentRow(), 3);

    EXPECT_TRUE(UpdateRows(*db, u"tvr_feljegyzesek"_s, {u"active"_s}, u"feljegyzes_id=3"_s, {u"0"_s}));
    QSignalSpy moved(l, &TLister::currentRowChanged);
    RefreshLister(*db, 43, newestFirst);
    EXPECT_EQ(l->currentRow(), 0);
    EXPECT_EQ(l->currentKey(), u"6"_s);
    EXPECT_EQ(moved.count(), 1);

    RefreshLister(*db, 43, newestFirst + u" limit 0"_s);
    EXPECT_EQ(l->currentRow(), -1);
    EXPECT_TRUE(l->currentKey().isEmpty());
    EXPECT_TRUE(l->isEmpty());
}

TEST_F(Listers, KeptRowMayLieBeyondTheFirstScreen)
{
    AddNotes(3000);
    RefreshLister(*db, 1, kNotes);
    TLister *l = db->lister(1);
    l->fetchAll();
    l->setCurrentRow(2900);
    RefreshLister(*db, 1, kNotes);
    EXPECT_EQ(l->currentRow(), 2900);
    EXPECT_EQ(l->currentKey(), u"2901"_s);
}

TEST_F(Listers, WritesAndDetachesWaitForOpenCursorsWithoutLosingRows)
{
    data.writeForest();
    AddNotes(2000);
    RefreshLister(*db, 44, kNotes);
    TLister *l = db->lister(44);
    ASSERT_TRUE(l->canFetchMore());
    // A write while the cursor is open: the list keeps the rows of its own statement.
    RunSql(*db, u"delete from tvr_feljegyzesek where feljegyzes_id > 10"_s);
    AttachDatabase(*db, data.folder().forestCatalogue(), ForestSchema());
    DetachDatabase(*db, ForestSchema());
    l->fetchAll();
    EXPECT_EQ(l->rowCount(), 2000);
    EXPECT_EQ(l->value(1999, 0), u"2000"_s);
    RefreshLister(*db, 44, kNotes);
    l->fetchAll();
    EXPECT_EQ(l->rowCount(), 10);
    EXPECT_TRUE(errors.errors.empty());
}

TEST_F(Listers, FailingStatementShowsTheDialogAndKeepsThePreviousRows)
{
    AddNotes(3);
    TLister *l = db->lister(45);
    EXPECT_TRUE(RefreshLister(*db, 45, kNotes));
    l->setCurrentRow(1);
    QSignalSpy reset(l, &QAbstractItemModel::modelReset);
    EXPECT_FALSE(RefreshLister(*db, 45, u"select x from nincs_ilyen_tabla"_s));
    ASSERT_EQ(errors.errors.size(), 1u);
    EXPECT_EQ(errors.errors[0].first, u"Hiba történt a művelet során!"_s);
    EXPECT_EQ(errors.errors[0].second, u"select x from nincs_ilyen_tabla;"_s);
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(l->rowCount(), 3);
    EXPECT_EQ(l->currentKey(), u"2"_s);
    EXPECT_EQ(l->statement(), kNotes + u';');
}

// An engine function that fails on one row stands in for a file that breaks while it is read.
void InstallFailingFunction(TDatabaseConnection &db)
{
    sqlite3_create_function(
        TestAccess::handle(db), "hiba_ennel", 2, SQLITE_UTF8, nullptr,
        [](sqlite3_context *ctx, int, sqlite3_value **args) {
            if (sqlite3_value_int(args[0]) == sqlite3_value_int(args[1]))
                sqlite3_result_error(ctx, "database disk image is malformed", -1);
            else
                sqlite3_result_int(ctx, sqlite3_value_int(args[0]));
        },
        nullptr, nullptr);
}

TEST_F(Listers, ReadErrorInTheFirstScreenKeepsThePreviousRows)
{
    AddNotes(10);
    InstallFailingFunction(*db);
    TLister *l = db->lister(43);
    EXPECT_TRUE(RefreshLister(*db, 43, kNotes));
    const QString failing =
        u"select feljegyzes_id, hiba_ennel(feljegyzes_id, 5) from tvr_feljegyzesek order by feljegyzes_id"_s;
    EXPECT_FALSE(RefreshLister(*db, 43, failing));
    ASSERT_EQ(errors.errors.size(), 1u);
    EXPECT_EQ(errors.errors[0].second, failing + u';');
    EXPECT_EQ(l->rowCount(), 10);
    EXPECT_EQ(l->columnNames(), (QStringList{u"feljegyzes_id"_s, u"feljegyzes"_s}));
}

TEST_F(Listers, ReadErrorAfterTheFirstScreenIsShownNotSwallowed)
{
    AddNotes(1000);
    InstallFailingFunction(*db);
    const QString failing =
        u"select feljegyzes_id, hiba_ennel(feljegyzes_id, 700) from tvr_feljegyzesek order by feljegyzes_id"_s;
    TLister *l = db->lister(43);
    EXPECT_TRUE(RefreshLister(*db, 43, failing));
    EXPECT_TRUE(errors.errors.empty());
    l->fetchAll();
    EXPECT_EQ(l->rowCount(), 699);
    ASSERT_EQ(errors.errors.size(), 1u);
    EXPECT_EQ(errors.errors[0].first, u"Hiba történt a művelet során!"_s);
    EXPECT_EQ(errors.errors[0].second, failing + u';');
    EXPECT_FALSE(l->canFetchMore());

    // Read ahead because a write came: the error waits until the rows before it are taken.
    errors.errors.clear();
    EXPECT_TRUE(RefreshLister(*db, 43, failing));
    RunSql(*db, u"update tvr_feljegyzesek set feljegyzes='x' where feljegyzes_id=1"_s);
    EXPECT_TRUE(errors.errors.empty());
    EXPECT_TRUE(l->canFetchMore());
    l->fetchAll();
    EXPECT_EQ(l->rowCount(), 699);
    EXPECT_EQ(errors.errors.size(), 1u);
}

TEST_F(Listers, FilterValuesAreBound)
{
    EXPECT_TRUE(InsertRow(*db, u"tvr_feljegyzesek"_s, {u"feljegyzes"_s}, {u"Kovács \"Kis\" 100%"_s}));
    EXPECT_TRUE(InsertRow(*db, u"tvr_feljegyzesek"_s, {u"feljegyzes"_s}, {u"Kovács Nagy 1000"_s}));
    RefreshLister(*db, 43,
                  u"select feljegyzes_id, feljegyzes from tvr_feljegyzesek where feljegyzes like ? escape '\\'"_s,
                  {u"Kovács \"Kis\" 100\\%%"_s});
    EXPECT_EQ(db->lister(43)->rowCount(), 1);
    EXPECT_EQ(db->lister(43)->value(0, 1), u"Kovács \"Kis\" 100%"_s);
}

} // namespace
