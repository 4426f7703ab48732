// The SQL operations: their statement texts, what they store (values bound, Windows-1250 at
// the engine), how they fail.

#include "database/DB_DatabaseFunctions.h"
#include "support/TestDataFolder.h"

#include <sqlcipher/sqlite3.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

class SqlFunctions : public testing::Test
{
protected:
    void SetUp() override
    {
        db = data.open();
        errors.errors.clear();
    }

    QStringList Notes(const QString &columns = u"feljegyzes"_s)
    {
        QStringList out;
        SelectValues(*db, columns, u"tvr_feljegyzesek"_s, u"feljegyzes_id"_s, {}, out);
        return out;
    }

    TestDataFolder data;
    ErrorRecorder errors;
    std::unique_ptr<TDatabaseConnection> db;
};

TEST(Builders, StatementTextsHaveTheFixedShapes)
{
    struct Case {
        SqlStatement statement;
        QString text;
    };
    const Case cases[] = {
        {InsertStatement(u"t"_s, {u"a"_s, u"b"_s, u"c"_s}, {u"x\"y"_s, u"null"_s, u""_s}),
         u"insert into t (a,b,c) values (\"x\"\"y\",\"null\",\"\");"_s},
        {UpdateStatement(u"t"_s, {u"a"_s, u"b"_s, u"c"_s}, u"t_id=5"_s, {u"v"_s, u"null"_s, u""_s}),
         u"update t set a=\"v\",b=null,c=\"\" where t_id=5;"_s},
        {UpdateStatement(u"t"_s, {u"a"_s}, u"nev like ?"_s, {u"NULL"_s}, {u"K\"ő%"_s}),
         u"update t set a=\"NULL\" where nev like \"K\"\"ő%\";"_s},
        {DeleteStatement(u"t"_s, u"t_id=5"_s), u"delete from t where t_id=5;"_s},
        {SelectStatement(u"a,b"_s, u"t"_s, {}, {}), u"select a,b from t;"_s},
        {SelectStatement(u"a"_s, u"t"_s, u"a desc"_s, {}), u"select a from t order by a desc;"_s},
        {SelectStatement(u"a"_s, u"t"_s, u"a"_s, u"active=1 and b=?"_s, {u"?"_s}),
         u"select a from t where active=1 and b=\"?\" order by a;"_s},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.statement.text(), c.text);
    EXPECT_EQ(WithSemicolon(u"select 1"_s), u"select 1;"_s);
    EXPECT_EQ(WithSemicolon(u"select 1;"_s), u"select 1;"_s);
}

TEST_F(SqlFunctions, InsertStoresEveryTextAsPassed)
{
    const QStringList texts = {u"egy \"idézőjeles\" szöveg"_s,     u"null"_s,      u""_s, u"Árvíztűrő tükörfúrógép"_s,
                               u"100% _jó_ \\ ' ;drop table x;"_s, u"rogzitette"_s};
    for (const QString &t : texts)
        EXPECT_TRUE(InsertRow(*db, u"tvr_feljegyzesek"_s, {u"feljegyzes"_s, u"rogzitette"_s}, {t, u"1"_s}));
    EXPECT_TRUE(errors.errors.empty());
    EXPECT_EQ(Notes(), texts);
    // "null" in an insert is the four-letter text, not SQL NULL.
    EXPECT_EQ(db->select(u"select typeof(feljegyzes) from tvr_feljegyzesek where feljegyzes_id=2;"_s, {}),
              QStringList{u"text"_s});
}

TEST_F(SqlFunctions, TextsCrossTheEngineAsWindows1250)
{
    EXPECT_TRUE(InsertRow(*db, u"tvr_feljegyzesek"_s, {u"feljegyzes"_s}, {u"Árvíztűrő tükörfúrógép"_s}));
    EXPECT_EQ(db->select(u"select hex(feljegyzes) from tvr_feljegyzesek;"_s, {}),
              QStringList{u"C17276ED7A74FB72F52074FC6BF67266FA72F367E970"_s});
}

TEST_F(SqlFunctions, CharacterOutsideTheCodePageIsRefusedAndNothingWritten)
{
    EXPECT_FALSE(InsertRow(*db, u"tvr_feljegyzesek"_s, {u"feljegyzes"_s}, {u"torta 🎂 rendelés"_s}));
    ASSERT_EQ(errors.errors.size(), 1u);
    EXPECT_TRUE(errors.errors[0].first.contains(u"„🎂”"_s)) << errors.errors[0].first.toStdString();
    EXPECT_EQ(errors.errors[0].second, u"insert into tvr_feljegyzesek (feljegyzes) values (\"torta 🎂 rendelés\");"_s);
    EXPECT_TRUE(Notes().isEmpty());
    try {
        RunSql(*db, u"update tvr_feljegyzesek set feljegyzes=? where feljegyzes_id=1"_s, {u"中"_s});
        ADD_FAILURE();
    } catch (const UnstorableTextError &e) {
        EXPECT_TRUE(e.message().contains(u"„中”"_s));
    }
}

TEST_F(SqlFunctions, UpdateWritesNullBareAndEveryOtherValueAsAValue)
{
    EXPECT_TRUE(InsertRow(*db, u"tvr_feljegyzesek"_s, {u"feljegyzes"_s, u"rogzitette"_s, u"rogzites_ideje"_s},
                          {u"régi"_s, u"7"_s, u"2023.01.01. 10:00"_s}));
    EXPECT_TRUE(UpdateRows(*db, u"tvr_feljegyzesek"_s, {u"feljegyzes"_s, u"rogzitette"_s, u"rogzites_ideje"_s},
                           u"feljegyzes_id=1"_s, {u"rogzitette"_s, u"null"_s, u""_s}));
    EXPECT_TRUE(errors.errors.empty());
    // A value equal to a column name stays that text; "null" is SQL NULL and reads as "".
    EXPECT_EQ(Notes(u"feljegyzes,rogzitette,rogzites_ideje,typeof(rogzitette),typeof(rogzites_ideje)"_s),
              (QStringList{u"rogzitette"_s, u""_s, u""_s, u"null"_s, u"text"_s}));
}

TEST_F(SqlFunctions, DeleteRemovesTheMatchingRows)
{
    for (const QString &t : {u"a"_s, u"b"_s, u"c"_s})
        EXPECT_TRUE(InsertRow(*db, u"tvr_feljegyzesek"_s, {u"feljegyzes"_s}, {t}));
    EXPECT_TRUE(DeleteRows(*db, u"tvr_feljegyzesek"_s, u"feljegyzes=?"_s, {u"b"_s}));
    EXPECT_TRUE(DeleteRows(*db, u"tvr_feljegyzesek"_s, u"feljegyzes_id=3"_s));
    EXPECT_EQ(Notes(), QStringList{u"a"_s});
}

TEST_F(SqlFunctions, SelectValuesIsFlatRowByRow)
{
    EXPECT_TRUE(InsertRow(*db, u"tvr_feljegyzesek"_s, {u"feljegyzes"_s, u"rogzitette"_s}, {u"első"_s, u"1"_s}));
    EXPECT_TRUE(InsertRow(*db, u"tvr_feljegyzesek"_s, {u"feljegyzes"_s, u"rogzitette"_s}, {u"második"_s, u"2"_s}));
    EXPECT_EQ(Notes(u"feljegyzes_id,feljegyzes,rogzitette"_s),
              (QStringList{u"1"_s, u"első"_s, u"1"_s, u"2"_s, u"második"_s, u"2"_s}));
    QStringList out{u"régi tartalom"_s};
    SelectValues(*db, u"feljegyzes"_s, u"tvr_feljegyzesek"_s, {}, u"feljegyzes_id>?"_s, out, {u"5"_s});
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(errors.errors.empty());
}

TEST_F(SqlFunctions, FailingStatementShowsTheDialogWithTheStatement)
{
    QStringList out{u"régi"_s};
    SelectValues(*db, u"nincs_ilyen"_s, u"tvr_feljegyzesek"_s, u"nincs_ilyen"_s, u"active=1"_s, out);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_FALSE(InsertRow(*db, u"nincs_tabla"_s, {u"a"_s}, {u"x\"y"_s}));
    EXPECT_FALSE(UpdateRows(*db, u"tvr_feljegyzesek"_s, {u"nincs"_s}, u"feljegyzes_id=1"_s, {u"null"_s}));
    EXPECT_FALSE(DeleteRows(*db, u"nincs_tabla"_s, u"a=1"_s));
    ASSERT_EQ(errors.errors.size(), 4u);
    for (const auto &e : errors.errors)
        EXPECT_EQ(e.first, u"Hiba történt a művelet során!"_s);
    EXPECT_EQ(errors.errors[0].second,
              u"select nincs_ilyen from tvr_feljegyzesek where active=1 order by nincs_ilyen;"_s);
    EXPECT_EQ(errors.errors[1].second, u"insert into nincs_tabla (a) values (\"x\"\"y\");"_s);
    EXPECT_EQ(errors.errors[2].second, u"update tvr_feljegyzesek set nincs=null where feljegyzes_id=1;"_s);
    EXPECT_EQ(errors.errors[3].second, u"delete from nincs_tabla where a=1;"_s);
}

TEST_F(SqlFunctions, RunSqlAppendsTheSemicolonAndLetsErrorsThrough)
{
    RunSql(*db, u"insert into tvr_feljegyzesek (feljegyzes) values (\"kettőspont\")"_s);
    EXPECT_EQ(Notes(), QStringList{u"kettőspont"_s});
    try {
        RunSql(*db, u"update nincs set a=?"_s, {u"b"_s});
        ADD_FAILURE();
    } catch (const SqlError &e) {
        EXPECT_TRUE(e.message().contains(u"nincs"_s));
        EXPECT_EQ(e.detail(), u"update nincs set a=\"b\";"_s);
    }
    EXPECT_TRUE(errors.errors.empty());
}

TEST_F(SqlFunctions, LastInsertIdGivesTheNewKey)
{
    EXPECT_TRUE(InsertRow(*db, u"tvr_feljegyzesek"_s, {u"feljegyzes"_s}, {u"a"_s}));
    EXPECT_TRUE(InsertRow(*db, u"tvr_feljegyzesek"_s, {u"feljegyzes"_s}, {u"b"_s}));
    EXPECT_EQ(LastInsertId(*db), u"2"_s);
}

TEST_F(SqlFunctions, LastInsertIdFailureIsFatal)
{
    // An engine function that fails stands in for a broken connection.
    sqlite3_create_function(
        TestAccess::handle(*db), "last_insert_rowid", 0, SQLITE_UTF8, nullptr,
        [](sqlite3_context *ctx, int, sqlite3_value **) { sqlite3_result_error(ctx, "disk I/O error", -1); }, nullptr,
        nullptr);
    bool continued = false;
    EXPECT_FALSE(runAction([&] {
        LastInsertId(*db);
        continued = true;
    }));
    EXPECT_FALSE(continued);
    ASSERT_EQ(errors.errors.size(), 1u);
    EXPECT_EQ(errors.errors[0].first, u"Végzetes hiba történt, ezért program működése leáll!"_s);
    EXPECT_EQ(errors.errors[0].second, u"SELECT last_insert_rowid();"_s);
}

} // namespace

namespace
{

// Every column we create is TEXT: a bare comparison or ordering compares texts. The helper makes
// the numeric meaning explicit, whatever type the file declares.
class NumericConditions : public SqlFunctions
{
protected:
    void SetUp() override
    {
        SqlFunctions::SetUp();
        RunSql(*db, u"create table szamok (szam_id INTEGER PRIMARY KEY, x TEXT, sorszama TEXT, ertek REAL, "
                    u"tipus_nelkul)"_s);
        for (const QString &x : {u"2"_s, u"9"_s, u"10"_s, u"11"_s, u"896"_s, u"1000"_s, u"749.5"_s})
            RunSql(*db, u"insert into szamok (x, sorszama, ertek, tipus_nelkul) values (?, ?, ?, ?)"_s, {x, x, x, x});
    }
    QStringList Column(const QString &sql, const QStringList &params = {}) { return db->select(sql, params); }
};

TEST_F(NumericConditions, CompareAndOrderAsNumbers)
{
    // The bare comparison compares texts: "896" is above "1000", so 896 is not found within 750-1000.
    EXPECT_TRUE(
        Column(u"select x from szamok where x<=? and x>=? order by szam_id"_s, {u"1000"_s, u"750"_s}).isEmpty());
    struct Case {
        QString condition;
        QStringList params;
        QStringList expected;
    };
    const Case cases[] = {
        {AsInteger(u"x"_s) + u">="_s + AsInteger(u"?"_s) + u" and "_s + AsInteger(u"x"_s) + u"<="_s + AsInteger(u"?"_s),
         {u"750"_s, u"1000"_s},
         {u"896"_s, u"1000"_s}},
        {AsReal(u"x"_s) + u" between "_s + AsReal(u"?"_s) + u" and "_s + AsReal(u"?"_s),
         {u"749.5"_s, u"896"_s},
         {u"896"_s, u"749.5"_s}},
        {AsInteger(u"tipus_nelkul"_s) + u"="_s + AsInteger(u"?"_s), {u"0010"_s}, {u"10"_s}},
        {AsReal(u"ertek"_s) + u"<"_s + AsReal(u"?"_s), {u"10"_s}, {u"2"_s, u"9"_s}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Column(u"select x from szamok where "_s + c.condition + u" order by szam_id"_s, c.params), c.expected)
            << c.condition.toStdString();

    EXPECT_EQ(Column(u"select sorszama from szamok where szam_id<=4 order by "_s + AsInteger(u"sorszama"_s)),
              (QStringList{u"2"_s, u"9"_s, u"10"_s, u"11"_s}));
    EXPECT_EQ(Column(u"select sorszama from szamok where szam_id<=4 order by sorszama"_s),
              (QStringList{u"10"_s, u"11"_s, u"2"_s, u"9"_s}));
    EXPECT_EQ(Column(u"select x from szamok order by "_s + AsReal(u"x"_s) + u" desc limit 3"_s),
              (QStringList{u"1000"_s, u"896"_s, u"749.5"_s}));
    EXPECT_EQ(AsInteger(u"sorszama"_s), u"cast(sorszama as integer)"_s);
    EXPECT_EQ(AsReal(u"?"_s), u"cast(? as real)"_s);
}

} // namespace
