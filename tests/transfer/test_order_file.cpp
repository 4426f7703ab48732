// The order file: written from the template for fixture quotes and read back with a plain SQLite
// connection, as the manufacturer reads it. Its rows, their order and their texts; what is left
// out; the quote's status; and every way the export refuses or fails without leaving anything
// behind.

#include "OrderFixture.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonFunctions.h"
#include "database/DB_DatabaseFunctions.h"
#include "transfer/IFACE_BASE_TVR_basic_rendeles.h"
#include "transfer/IFACE_EXT_TVR.h"

#include <QFile>
#include <QFileInfo>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace
{

std::string Str(const QString &s)
{
    return s.toStdString();
}

// Quote 2 with its work 5 (an older inactive work 4 comes first by key), and lines of every kind:
// active and inactive ones, lines of no work ("0") and of another quote's work 9.
const QString kWorkSql = QuoteSql(2) + QuoteSql(3) + uR"(
insert into tvr_b_basic_munka (basic_munka_id,active,arajanlat_id,frontszin,teljes_netto_ar) values (4,'0','2','Régi','1,0');
insert into tvr_b_basic_munka (basic_munka_id,active,arajanlat_id,frontszin,teljes_netto_ar,teljes_brutto_ar,terheltsegi_ar,uvegezes_ara,munkalap_kodja) values (5,'1','2','Fehér matt','100000,5','127000,64','1,2,3',NULL,'ML101');
insert into tvr_b_basic_munka (basic_munka_id,active,arajanlat_id,frontszin) values (9,'1','3','Másik munka');
insert into tvr_b_basic_arajanlaton_szerepel (basic_arajanlaton_szerepel_id,basic_munka_id,active,dekorozas,ar_szokli,parkanylec_szin) values (71,'5','1','2,5','1200,50','Inox, matt'),(72,'5','1','9','0','második');
insert into tvr_b_basic_automatikusan_szamolt (basic_automatikusan_szamolt_id,basic_munka_id,active,szokli) values (81,'5','0','1,1'),(82,'5','1','3,4'),(83,'0','1','9,9');
insert into tvr_b_basic_ecorgan_termekek (basic_ecorgan_termek_id,basic_munka_id,active,cikkszam,mennyiseg) values (97,'5','1','EC-MOSO-01','1'),(98,'5','0','EC-CSAP-05','1');
insert into tvr_b_basic_elemsor (basic_elemsor_id,basic_munka_id,active,jeloles,alap_brutto_ar,megjegyzes,fioktipus) values (31,'5','1','A1','100,5','fiók, bal oldalt','2,5'),(32,'5','0','A2','200,5','törölt','0'),(33,'9','1','B1','1','másik','0');
insert into tvr_b_basic_elemsor_alukeret (basic_elemsor_alukeret_id,nettfront_parameter_id,active,basic_elemsor_id,netto_beszerzesi_ar) values (41,'1','1','31','10,5'),(42,'2','1','32','20,5'),(43,'3','0','31','30,5'),(44,'4','1','33','40,5');
insert into tvr_b_basic_forest_termekek (basic_forest_termek_id,basic_munka_id,active,cikkszam,mennyiseg,arajanlat_id) values (91,'5','1','00013300200','4,1','2'),(92,'0','1','00016300800','1','0');
insert into tvr_b_basic_munkalap_toresek (basic_munkalap_tores_id,basic_munka_id,active,fozolap_maras) values (99,'5','1','1');
insert into tvr_b_basic_raktari_fogok (basic_raktari_fogo_id,basic_munka_id,active,raktari_fogo_id,mennyiseg) values (101,'5','1','3','12');
insert into tvr_b_basic_szabadaras_tetelek (szabadaras_tetel_id,basic_munka_id,active,tetel,netto_ertek,brutto_ertek) values (111,'5','1','Szállítás, Győr','1000,5','1270,64');
insert into tvr_b_basic_szabott_lapok (basic_szabott_lapok_id,basic_munka_id,active,butorlap_id,a,b,db,butorlap_erteke,elzaro1_kod) values (11,'5','1','3','720','560','2','1234,5','10/04'),(12,'5','0','3','100','100','1','1,0','10/04'),(13,'5','1','4','300','200','1',NULL,'22/2'),(14,'0','1','5','1','1','1','1','x');
insert into tvr_b_basic_szabott_munkalapok (basic_szabott_munkalapok_id,basic_munka_id,active,munkalap_id,hossz,munkalap_erteke,megjegyzes) values (21,'5','1','1','2400','45600,5','sarok, bal'),(22,'5','1','2','1200','1,234,5','két vessző'),(23,'5','0','3','600','1,5','törölt');
insert into tvr_b_basic_szalas_darabok (szalas_darab_id,basic_munka_id,active,hossz) values (121,'5','1','2,5'),(122,'5','0','1,5');
insert into tvr_r_nettfront_megrendelesek (nettfront_megrendeles_id,basic_munka_id,active,megjegyzes,netto_eladasi_ar) values (51,'5','1','első rendelés','1000,25'),(52,'5','1','második rendelés','2000,75'),(53,'5','0','törölt rendelés','1'),(54,'0','1','munka nélkül','1');
insert into tvr_r_nettfront_megrendeles_tetelei (nettfront_megrendeles_tetel_id,nettfront_megrendeles_id,active,meret,rendelt_mennyiseg,terulet) values (61,'52','1','L61','1','0,25'),(62,'51','1','L62','2','0,5'),(63,'52','1','L63','3','0,75'),(64,'51','1','L64','4','1,0'),(65,'52','1','L65','5','1,25'),(66,'51','1','L66','6','1,5'),(67,'51','0','L67','7','1,75'),(68,'53','1','L68','8','2'),(69,'54','1','L69','9','2,25');
)"_s;

class OrderFileTest : public ::testing::Test
{
protected:
    OrderFileResult exportQuote(int id) { return ExportOrderFile(*f.db, QString::number(id)); }
    QStringList rows(const QString &file, const QString &sql) { return PlainRows(file, sql); }

    ErrorRecorder errors;
    OrderFolder f;
};

TEST_F(OrderFileTest, AQuoteWithoutAWorkWritesOnlyTheVersionsAndTheQuote)
{
    // Lines of no work exist: a work id of "0" must not pull them in.
    f.db->executeScript(QuoteSql(1) + PanelsSql(0, 500, 3) +
                        u"insert into tvr_r_nettfront_megrendelesek (nettfront_megrendeles_id,basic_munka_id,active) "
                        u"values (1,'0','1');"
                        u"insert into tvr_r_nettfront_megrendeles_tetelei (nettfront_megrendeles_id,active) values "
                        u"('1','1');"
                        u"insert into tvr_b_basic_munka (basic_munka_id,active,arajanlat_id) values (1,'0','1');"_s);

    const OrderFileResult r = exportQuote(1);

    ASSERT_TRUE(r.ok) << Str(r.message);
    EXPECT_EQ(r.path, f.orderFile(1));
    EXPECT_EQ(QFileInfo(r.path).fileName(), u"2023.06.06._zederivu_7-1.s3db"_s);
    EXPECT_EQ(rows(r.path, u"select basic_katalogus_verzio,zelvo_katalogus_verzio,egyeb_katalogus_verzio,"
                           u"alapanyag_katalogus_verzio,megrendelo_id from tv_info"_s),
              QStringList{u"2023.05.02.|2023.05.03.|2023.05.04.|2023.06.01.|0"_s});
    EXPECT_EQ(rows(r.path, u"select * from tv_arajanlat"_s),
              QStringList{u"1|Kovács Ödön 1|06 1 234 5678|Győr, Fő utca 1|1|2023.06.05. 10:00|1|0|SAJÁT-1|0|0"_s});
    for (const QString &table : OrderFileTables()) {
        if (table != u"tv_info" && table != u"tv_arajanlat") {
            EXPECT_EQ(rows(r.path, u"select count(*) from "_s + table), QStringList{u"0"_s}) << Str(table);
        }
    }
    EXPECT_EQ(f.status(1), u"1"_s);
    EXPECT_EQ(f.ordersFolderFiles(), QStringList{QFileInfo(r.path).fileName()});
    EXPECT_EQ(f.attached(), (QStringList{u"main"_s, u"TVR_ALAPANYAG"_s}));
    EXPECT_THAT(errors.errors, IsEmpty());
}

TEST_F(OrderFileTest, AWorkIsWrittenWithItsActiveLinesInKeyOrderKeysKept)
{
    f.db->executeScript(kWorkSql);

    const OrderFileResult r = exportQuote(2);

    ASSERT_TRUE(r.ok) << Str(r.message);
    EXPECT_EQ(rows(r.path, u"select basic_munka_id,arajanlat_id,frontszin,teljes_netto_ar,teljes_brutto_ar,"
                           u"terheltsegi_ar,uvegezes_ara,munkalap_kodja,raktari_fogo_id from tv_b_basic_munka"_s),
              QStringList{u"5|2|Fehér matt|100000.5|127000.64|1.2,3||ML101|"_s});
    EXPECT_EQ(rows(r.path, u"select basic_arajanlaton_szerepel_id,dekorozas,ar_szokli,parkanylec_szin from "
                           u"tv_b_basic_arajanlaton_szerepel"_s),
              QStringList{u"71|2.5|1200.50|Inox, matt"_s}); // the first row only
    EXPECT_EQ(rows(r.path, u"select basic_automatikusan_szamolt_id,szokli from tv_b_basic_automatikusan_szamolt"_s),
              QStringList{u"82|3.4"_s});
    EXPECT_EQ(rows(r.path, u"select basic_ecorgan_termek_id,cikkszam from tv_b_basic_ecorgan_termekek"_s),
              QStringList{u"97|EC-MOSO-01"_s});
    EXPECT_EQ(rows(r.path, u"select basic_elemsor_id,jeloles,alap_brutto_ar,megjegyzes,fioktipus from "
                           u"tv_b_basic_elemsor"_s),
              QStringList{u"31|A1|100.5|fiók, bal oldalt|2.5"_s});
    // Only the active frames of the active elements of this work.
    EXPECT_EQ(rows(r.path, u"select basic_elemsor_alukeret_id,basic_elemsor_id,netto_beszerzesi_ar from "
                           u"tv_b_basic_elemsor_alukeret"_s),
              QStringList{u"41|31|10.5"_s});
    EXPECT_EQ(rows(r.path, u"select basic_forest_termek_id,cikkszam,mennyiseg from tv_b_basic_forest_termekek"_s),
              QStringList{u"91|00013300200|4.1"_s});
    EXPECT_EQ(rows(r.path, u"select basic_munkalap_tores_id from tv_b_basic_munkalap_toresek"_s), QStringList{u"99"_s});
    EXPECT_EQ(rows(r.path, u"select basic_raktari_fogo_id,mennyiseg from tv_b_basic_raktari_fogok"_s),
              QStringList{u"101|12"_s});
    EXPECT_EQ(rows(r.path, u"select szabadaras_tetel_id,tetel,netto_ertek,brutto_ertek from "
                           u"tv_b_basic_szabadaras_tetelek"_s),
              QStringList{u"111|Szállítás, Győr|1000.5|1270.64"_s});
    // Panels: the inactive one and the one of no work absent, a NULL written as an empty text.
    EXPECT_EQ(rows(r.path, u"select basic_szabott_lapok_id,a,b,butorlap_erteke,elzaro1_kod,typeof(butorlap_erteke) "
                           u"from tv_b_basic_szabott_lapok order by rowid"_s),
              (QStringList{u"11|720|560|1234.5|10/04|text"_s, u"13|300|200||22/2|text"_s}));
    // Worktops: a decimal comma becomes a point, a second comma stays; a comma in a non-decimal text stays.
    EXPECT_EQ(rows(r.path, u"select basic_szabott_munkalapok_id,munkalap_erteke,megjegyzes from "
                           u"tv_b_basic_szabott_munkalapok"_s),
              (QStringList{u"21|45600.5|sarok, bal"_s, u"22|1.234,5|két vessző"_s}));
    EXPECT_EQ(rows(r.path, u"select szalas_darab_id,hossz from tv_b_basic_szalas_darabok"_s),
              QStringList{u"121|2.5"_s});
    EXPECT_EQ(rows(r.path, u"select nettfront_megrendeles_id,megjegyzes,netto_eladasi_ar from "
                           u"tv_r_nettfront_megrendelesek"_s),
              (QStringList{u"51|első rendelés|1000.25"_s, u"52|második rendelés|2000.75"_s}));
    // Two orders of three lines each: the file numbers each order's lines one after the other.
    EXPECT_EQ(rows(r.path, u"select nettfront_megrendeles_tetel_id,nettfront_megrendeles_id,meret,terulet from "
                           u"tv_r_nettfront_megrendeles_tetelei order by nettfront_megrendeles_tetel_id"_s),
              (QStringList{u"1|51|L62|0.5"_s, u"2|51|L64|1.0"_s, u"3|51|L66|1.5"_s, u"4|52|L61|0.25"_s,
                           u"5|52|L63|0.75"_s, u"6|52|L65|1.25"_s}));
    EXPECT_EQ(rows(r.path, u"select arajanlat_id,statusza from tv_arajanlat"_s), QStringList{u"2|0"_s});
    EXPECT_EQ(f.status(2), u"1"_s);
    EXPECT_EQ(f.status(3), u"0"_s);
    EXPECT_THAT(errors.errors, IsEmpty());
}

TEST_F(OrderFileTest, TheFileHasTheTemplatesSchemaAndNoKey)
{
    f.db->executeScript(kWorkSql);
    const OrderFileResult r = exportQuote(2);
    ASSERT_TRUE(r.ok) << Str(r.message);
    const QString schema = u"select type,name,tbl_name,sql from sqlite_master order by type,name"_s;
    EXPECT_EQ(rows(r.path, schema), rows(f.data.folder().orderTemplate(), schema));
    EXPECT_EQ(rows(r.path, u"pragma integrity_check"_s), QStringList{u"ok"_s});
}

TEST_F(OrderFileTest, OrderingAgainTheSameDayReplacesTheFileAndCarriesStatusOne)
{
    f.db->executeScript(kWorkSql);
    ASSERT_TRUE(exportQuote(2).ok);
    RunSql(*f.db, u"update tvr_b_basic_szabott_lapok set active=0 where basic_szabott_lapok_id=11"_s);

    const OrderFileResult again = exportQuote(2);

    ASSERT_TRUE(again.ok) << Str(again.message);
    EXPECT_EQ(again.path, f.orderFile(2));
    EXPECT_EQ(f.ordersFolderFiles(), QStringList{QFileInfo(again.path).fileName()});
    EXPECT_EQ(rows(again.path, u"select basic_szabott_lapok_id from tv_b_basic_szabott_lapok"_s), QStringList{u"13"_s});
    EXPECT_EQ(rows(again.path, u"select statusza from tv_arajanlat"_s), QStringList{u"1"_s});
    EXPECT_EQ(rows(again.path, u"select count(*) from tv_info"_s), QStringList{u"1"_s});
    EXPECT_EQ(f.status(2), u"1"_s);
}

TEST_F(OrderFileTest, AnotherAttachedFileWithOrderTablesReceivesNothing)
{
    f.db->executeScript(kWorkSql);
    const QString other = f.data.path(u"masik.s3db"_s);
    CreatePlainDatabase(other, Placement::Order);
    AttachDatabase(*f.db, other, u"masik"_s);

    const OrderFileResult r = exportQuote(2);

    ASSERT_TRUE(r.ok) << Str(r.message);
    DetachDatabase(*f.db, u"masik"_s);
    for (const QString &table : OrderFileTables())
        EXPECT_EQ(rows(other, u"select count(*) from "_s + table), QStringList{u"0"_s}) << Str(table);
    EXPECT_EQ(rows(r.path, u"select count(*) from tv_b_basic_szabott_lapok"_s), QStringList{u"2"_s});
}

TEST_F(OrderFileTest, AFailingInsertLeavesNoFileTheStatusAndAnEarlierFile)
{
    f.db->executeScript(kWorkSql + QuoteSql(6));
    // An earlier order of the same day whose file must survive the failed re-order untouched.
    ASSERT_TRUE(exportQuote(2).ok);
    QFile earlier(f.orderFile(2));
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    const QByteArray earlierBytes = earlier.readAll();
    earlier.close();
    RunSql(*f.db, u"update tvr_arajanlat set statusza='0' where arajanlat_id=2"_s);
    // The template now refuses worktops, a table written after most others.
    CreatePlainDatabase(f.data.folder().orderTemplate(), Placement::Order,
                        {u"create trigger nincs_munkalap before insert on tv_b_basic_szabott_munkalapok begin "
                         u"select raise(abort, 'nem írható munkalap'); end;"_s});

    const OrderFileResult r = exportQuote(2);

    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.statementFailed);
    EXPECT_EQ(r.message, OperationFailedMessage());
    EXPECT_THAT(Str(r.detail), HasSubstr("insert into basic_2.tv_b_basic_szabott_munkalapok"));
    EXPECT_EQ(f.status(2), u"0"_s);
    EXPECT_EQ(f.ordersFolderFiles(), QStringList{QFileInfo(f.orderFile(2)).fileName()});
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_TRUE(earlier.readAll() == earlierBytes);
    EXPECT_EQ(f.attached(), (QStringList{u"main"_s, u"TVR_ALAPANYAG"_s}));
    // The connection is usable and in no transaction.
    RunSql(*f.db, u"update tvr_arajanlat set rendelesszam='x' where arajanlat_id=6"_s);
    EXPECT_NO_THROW(f.db->executeScript(u"begin; commit;"_s));
}

// Each refusal says why, before anything is written.
struct Refusal {
    const char *name;
    std::function<void(OrderFolder &)> arrange;
    int quoteId;
    const char *messagePart;
};

class OrderFileRefusalTest : public ::testing::TestWithParam<Refusal>
{
};

TEST_P(OrderFileRefusalTest, NothingIsWrittenAndTheStatusStays)
{
    ErrorRecorder errors;
    OrderFolder f;
    f.db->executeScript(kWorkSql + QuoteSql(7, u"2"_s));
    GetParam().arrange(f);

    const OrderFileResult r = ExportOrderFile(*f.db, QString::number(GetParam().quoteId));

    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.statementFailed);
    EXPECT_THAT(Str(r.message), HasSubstr(GetParam().messagePart));
    EXPECT_EQ(f.status(2), u"0"_s);
    EXPECT_EQ(f.status(7), u"0"_s);
    if (QFileInfo(f.data.folder().ordersFolder()).isDir()) {
        EXPECT_THAT(f.ordersFolderFiles(), IsEmpty());
    }
    for (const QString &schema : f.attached())
        EXPECT_FALSE(schema.startsWith(u"basic_"_s)) << Str(schema);
    EXPECT_THAT(errors.errors, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OrderFileRefusalTest,
    ::testing::Values(
        Refusal{"NoTemplate", [](OrderFolder &f) { QFile::remove(f.data.folder().orderTemplate()); }, 2,
                "EBR.s3db) hiányzik"},
        Refusal{"TemplateNotADatabase",
                [](OrderFolder &f) {
                    QFile t(f.data.folder().orderTemplate());
                    (void)t.open(QIODevice::WriteOnly);
                    t.write(QByteArray(4096, 'x'));
                },
                2, "sablonja"},
        Refusal{"TemplateWithoutATable",
                [](OrderFolder &f) {
                    CreatePlainDatabase(f.data.folder().orderTemplate(), Placement::Order,
                                        {u"drop table tv_b_basic_szalas_darabok;"_s});
                },
                2, "tv_b_basic_szalas_darabok"},
        Refusal{"OrdersFolderIsAFile",
                [](OrderFolder &f) {
                    QFile blocker(f.data.folder().ordersFolder());
                    (void)blocker.open(QIODevice::WriteOnly);
                },
                2, "rendelesek mappába"},
        Refusal{"NoVersionRow", [](OrderFolder &f) { RunSql(*f.db, u"delete from TVR_ALAPANYAG.tvr_info"_s); }, 2,
                "tvr_info"},
        Refusal{"NoCatalogue", [](OrderFolder &f) { DetachDatabase(*f.db, MaterialsSchema()); }, 2, "tvr_info"},
        Refusal{"NoQuote", [](OrderFolder &) {}, 404, "404. számú rendelés nem található"},
        Refusal{"FurnitureLineQuote", [](OrderFolder &) {}, 7, "Csak DORVAT BASIC"},
        Refusal{"NoPartnerCode", [](OrderFolder &f) { RunSql(*f.db, u"delete from tvr_telepitesi_beallitasok"_s); }, 2,
                "partnerkód"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PartnerCode, IsAWholeNumberAboveZeroWrittenWithoutLeadingZeros)
{
    const std::pair<QString, QString> cases[] = {
        {u"7"_s, u"7"_s}, {u"007"_s, u"7"_s}, {u" 12 "_s, u"12"_s}, {u"123456789"_s, u"123456789"_s},
        {u"0"_s, {}},     {u"000"_s, {}},     {u"-3"_s, {}},        {u"1.5"_s, {}},
        {u"1 2"_s, {}},   {u""_s, {}},        {u"abc"_s, {}},       {u"1234567890"_s, {}},
        {u"١٢"_s, {}}, // digits of another script
    };
    for (const auto &[typed, expected] : cases) {
        EXPECT_EQ(NormalisedPartnerCode(typed), expected) << Str(typed);
        EXPECT_EQ(IsValidPartnerCode(typed), !expected.isEmpty() && expected == typed) << Str(typed);
    }
}

TEST(OrderFileName, DatePartnerAndQuote)
{
    EXPECT_EQ(OrderFileName(u"2023.06.06."_s, u"7"_s, u"152"_s), u"2023.06.06._zederivu_7-152.s3db"_s);
}

TEST(CommaToPointInStatements, ConvertsAsTheProgramDoes)
{
    ErrorRecorder errors;
    TestDataFolder data;
    auto db = data.open();
    for (const QString &text : {u""_s, u"12"_s, u"12,5"_s, u"1,234,5"_s, u",5"_s, u"5,"_s, u"ő,ű"_s, u"1.5"_s}) {
        EXPECT_EQ(db->select(u"select CommaToPoint(?)"_s, {text}), QStringList{CommaToPoint(text)}) << Str(text);
    }
    EXPECT_EQ(db->select(u"select CommaToPoint(NULL)"_s, {}), QStringList{QString()});
}

} // namespace
