// The core of the Forest and store-article lines: prices to the fillér, the records written, the
// article look-up, the picture addresses, and the statements of the lists run against the demo
// catalogue, all under the Hungarian desktop locale.

#include "common/CN_CommonDateFunctions.h"
#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonMathFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/DB_Listers.h"
#include "database/IFACE_BASE_tvr.h"
#include "supplier/ForestPictures.h"
#include "supplier/IFACE_BASE_TVR_FOREST.h"
#include "supplier/StoreArticles.h"
#include "support/DesktopLocale.h"
#include "support/TestDataFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <ostream>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace
{

std::string Str(const QString &s)
{
    return s.toStdString();
}

const QDateTime FixedNow(QDate(2023, 6, 6), QTime(10, 15));

// ---------------------------------------------------------------------------------------------
// Forest line prices: U = P x factor x multiplier, net q x U, gross q x U x 1.27, purchase q x P.

struct ForestPriceCase {
    const char *quantity;
    const char *ownPrice;
    double factor;
    double multiplier;
    const char *unit;
    const char *net;
    const char *gross;
    const char *purchase;
};

void PrintTo(const ForestPriceCase &c, std::ostream *os)
{
    *os << c.quantity << " x " << c.ownPrice << " x " << c.factor << " x " << c.multiplier;
}

class ForestPrices : public testing::TestWithParam<ForestPriceCase>
{
};

TEST_P(ForestPrices, AreExactToTheFiller)
{
    ScopedDesktopLocale hungarian;
    ASSERT_TRUE(hungarian.ok());
    const ForestPriceCase &c = GetParam();
    const auto q = ParseForestQuantity(QString::fromUtf8(c.quantity));
    ASSERT_TRUE(q);
    const ForestLinePrices p = PriceForestLine(*q, ParseAmount(QString::fromUtf8(c.ownPrice)), c.factor, c.multiplier);
    EXPECT_EQ(Str(p.unit), c.unit);
    EXPECT_EQ(Str(p.net), c.net);
    EXPECT_EQ(Str(p.gross), c.gross);
    EXPECT_EQ(Str(p.purchase), c.purchase);
}

INSTANTIATE_TEST_SUITE_P(Table, ForestPrices,
                         testing::Values(
                             // The worktop sheet case: one sheet is 4,1 running metres.
                             ForestPriceCase{"4,1", "1234.56", 1.0, 1.0, "1234.56", "5061.70", "6428.35", "5061.70"},
                             ForestPriceCase{"4.1", "1234,56", 1.0, 1.0, "1234.56", "5061.70", "6428.35", "5061.70"},
                             ForestPriceCase{"2", "420.00", 1.0, 1.0, "420.00", "840.00", "1066.80", "840.00"},
                             ForestPriceCase{"20", "12.00", 1.0, 1.0, "12.00", "240.00", "304.80", "240.00"},
                             // Two sheets: 8,2 m of 11900 Ft/m.
                             ForestPriceCase{"8,2", "11900.00", 1.0, 1.0, "11900.00", "97580.00", "123926.60",
                                             "97580.00"},
                             // A halving that must round up: 0,5 x 0,01 x 1,27.
                             ForestPriceCase{"3", "0.35", 1.0, 1.0, "0.35", "1.05", "1.33", "1.05"},
                             // The browser's discount factor and a multiplier reach the sale prices, not the purchase.
                             ForestPriceCase{"3", "1000", 0.85, 1.0, "850.00", "2550.00", "3238.50", "3000.00"},
                             ForestPriceCase{"1", "999.99", 1.0, 2.0, "1999.98", "1999.98", "2539.97", "999.99"}));

TEST(ForestQuantity, OnlyANumberAboveZeroIsAQuantity)
{
    for (const QString &refused :
         {u""_s, u"0"_s, u"00"_s, u"0,0"_s, u","_s, u"0."_s, u"-1"_s, u"abc"_s, u"1,2,3"_s, u" "_s})
        EXPECT_FALSE(ParseForestQuantity(refused)) << Str(refused);
    const std::vector<std::pair<QString, double>> accepted{{u"1"_s, 1.0},  {u"4,1"_s, 4.1}, {u"4.1"_s, 4.1},
                                                           {u"4,"_s, 4.0}, {u",5"_s, 0.5},  {u"0,001"_s, 0.001}};
    for (const auto &[text, value] : accepted) {
        const auto q = ParseForestQuantity(text);
        ASSERT_TRUE(q) << Str(text);
        EXPECT_DOUBLE_EQ(*q, value) << Str(text);
    }
}

TEST(ForestArticleNumber, IsOneToElevenDigits)
{
    for (const QString &good : {u"0"_s, u"00012100128"_s, u"12345"_s})
        EXPECT_TRUE(IsForestArticleNumber(good)) << Str(good);
    for (const QString &bad : {u""_s, u"000121001280"_s, u"0001210012a"_s, u"../1"_s, u"12 3"_s, u"١٢٣"_s, u"-1"_s})
        EXPECT_FALSE(IsForestArticleNumber(bad)) << Str(bad);
}

TEST(ForestPictureAddress, IsBuiltOnlyFromAHostAndADigitsOnlyNumber)
{
    const std::vector<std::pair<QString, QString>> good{
        {u"kepek.dorvat.hu"_s, u"http://kepek.dorvat.hu/szerelveny/pictures/small/00012100128.jpg"_s},
        {u" kepek.dorvat.hu "_s, u"http://kepek.dorvat.hu/szerelveny/pictures/small/00012100128.jpg"_s},
        {u"127.0.0.1:8080"_s, u"http://127.0.0.1:8080/szerelveny/pictures/small/00012100128.jpg"_s},
        {u"http://kepek.dorvat.hu/"_s, u"http://kepek.dorvat.hu/szerelveny/pictures/small/00012100128.jpg"_s},
        {u"https://kepek.dorvat.hu:8443"_s,
         u"https://kepek.dorvat.hu:8443/szerelveny/pictures/small/00012100128.jpg"_s},
        {u"[::1]:8000"_s, u"http://[::1]:8000/szerelveny/pictures/small/00012100128.jpg"_s}};
    for (const auto &[host, url] : good) {
        EXPECT_TRUE(IsUsablePictureHost(host)) << Str(host);
        EXPECT_EQ(Str(ForestPictureUrl(host, u"00012100128"_s)), Str(url));
    }
    for (const QString &host :
         {u""_s, u"   "_s, u"kepek dorvat.hu"_s, u"kepek.dorvat.hu/mas"_s, u"user@kepek.dorvat.hu"_s,
          u"ftp://kepek.dorvat.hu"_s, u"kepek.dorvat.hu?x=1"_s, u"kepek.dorvat.hu#a"_s, u"kepek.dorvat.hu:99999"_s}) {
        EXPECT_FALSE(IsUsablePictureHost(host)) << Str(host);
        EXPECT_TRUE(ForestPictureUrl(host, u"00012100128"_s).isEmpty()) << Str(host);
    }
    for (const QString &number : {u""_s, u"../../etc/passwd"_s, u"1/2"_s, u"12?x"_s, u"1 2"_s, u"123456789012"_s})
        EXPECT_TRUE(ForestPictureUrl(u"kepek.dorvat.hu"_s, number).isEmpty()) << Str(number);

    const DataFolder folder(u"/adat"_s);
    EXPECT_EQ(Str(ForestPictureFile(folder, u"00012100128"_s)), Str(folder.tmpFolder() + u"/00012100128.jpg"_s));
    EXPECT_TRUE(ForestPictureFile(folder, u"../x"_s).isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Store article lines: G = N x 1.27 x multiplier, G1 = N x 1.27; net back with 0.7874015748031496063.

struct StorePriceCase {
    const char *net;
    double multiplier;
    const char *gross;         // arajanlatkor_brutto_eladasi_ar, _egysegar, the two kedv_ gross
    const char *netAtQuote;    // arajanlatkor_netto_eladasi_ar, whole forints
    const char *discountedNet; // kedv_arajanlatkor_netto_eladasi_ar and netto_eladasi_ar
    const char *purchase;      // netto_beszerzesi_ar
    const char *caption;
};

void PrintTo(const StorePriceCase &c, std::ostream *os)
{
    *os << c.net << " x " << c.multiplier;
}

class StorePrices : public testing::TestWithParam<StorePriceCase>
{
};

TEST_P(StorePrices, LineHoldsEveryPriceColumn)
{
    ScopedDesktopLocale hungarian;
    ASSERT_TRUE(hungarian.ok());
    SetClock([] { return FixedNow; });
    System().CurrentUserId = u"7"_s;
    const StorePriceCase &c = GetParam();
    const auto line = StoreArticleLine(u"21"_s, u"DV-INOX-7844"_s, QString::fromUtf8(c.net), u"5"_s, c.multiplier);
    SetClock({});
    System().CurrentUserId = u"0"_s;

    EXPECT_EQ(Str(line.aruhazi_arucikk_id), "21");
    EXPECT_EQ(Str(line.cikkszam), "DV-INOX-7844");
    EXPECT_EQ(Str(line.mennyiseg), "1");
    EXPECT_EQ(Str(line.basic_munka_id), "5");
    EXPECT_EQ(Str(line.rogzitette), "7");
    EXPECT_EQ(Str(line.rogzites_ideje), "2023.06.06. 10:15");
    EXPECT_EQ(Str(line.arajanlatkor_brutto_eladasi_ar), c.gross);
    EXPECT_EQ(Str(line.arajanlatkor_brutto_egysegar), c.gross);
    EXPECT_EQ(Str(line.kedv_arajanlatkor_brutto_eladasi_ar), c.gross);
    EXPECT_EQ(Str(line.kedv_arajanatkor_brutto_egysegar), c.gross);
    EXPECT_EQ(Str(line.arajanlatkor_netto_eladasi_ar), c.netAtQuote);
    EXPECT_EQ(Str(line.kedv_arajanlatkor_netto_eladasi_ar), c.discountedNet);
    EXPECT_EQ(Str(line.netto_eladasi_ar), c.discountedNet);
    EXPECT_EQ(Str(line.netto_beszerzesi_ar), c.purchase);
    EXPECT_TRUE(line.kedvezmeny_szazalek.isEmpty());
    EXPECT_EQ(Str(StoreArticleCaption(u"DV-INOX-7844"_s, QString::fromUtf8(c.net), c.multiplier)), c.caption);
}

INSTANTIATE_TEST_SUITE_P(Table, StorePrices,
                         testing::Values(
                             // The half forint at quote time goes to the even neighbour: 12344.50 -> 12344.
                             StorePriceCase{"12344.5", 1.0, "15677.52", "12344", "12344.50", "12344.50",
                                            "kiválaszt:DV-INOX-7844 (Ára: 15\u00a0678 Ft)"},
                             StorePriceCase{"12345.5", 1.0, "15678.79", "12346", "12345.50", "12345.50",
                                            "kiválaszt:DV-INOX-7844 (Ára: 15\u00a0679 Ft)"},
                             StorePriceCase{"24900.00", 1.0, "31623.00", "24900", "24900.00", "24900.00",
                                            "kiválaszt:DV-INOX-7844 (Ára: 31\u00a0623 Ft)"},
                             StorePriceCase{"6900,00", 1.0, "8763.00", "6900", "6900.00", "6900.00",
                                            "kiválaszt:DV-INOX-7844 (Ára: 8\u00a0763 Ft)"},
                             // A multiplier raises the sale prices; the purchase stays at the catalogue price.
                             StorePriceCase{"1000", 1.5, "1905.00", "1500", "1500.00", "1000.00",
                                            "kiválaszt:DV-INOX-7844 (Ára: 1\u00a0905 Ft)"}));

TEST(StorePrices, APriceThatIsNoNumberIsRefused)
{
    EXPECT_THROW(StoreArticleLine(u"1"_s, u"X"_s, u"n/a"_s, u"5"_s, 1.0), ConversionError);
    EXPECT_THROW(StoreArticleLine(u"1"_s, u"X"_s, QString(), u"5"_s, 1.0), ConversionError);
    EXPECT_THROW(StoreArticleCaption(u"X"_s, u"abc"_s, 1.0), ConversionError);
}

TEST(StoreLimit, DigitsOnlyElseTen)
{
    EXPECT_EQ(Str(StoreArticleLimit(u"3"_s)), "3");
    EXPECT_EQ(Str(StoreArticleLimit(u"0"_s)), "0");
    for (const QString &bad : {u""_s, u"-1"_s, u"1;drop table x"_s, u"2.5"_s, u" 3"_s, u"1234567890"_s})
        EXPECT_EQ(Str(StoreArticleLimit(bad)), "10") << Str(bad);
}

// ---------------------------------------------------------------------------------------------
// Against the demo catalogue.

class DemoCatalogue : public testing::Test
{
protected:
    void SetUp() override
    {
        data.writeDemoCatalogues();
        db = data.open();
        AttachDatabase(*db, data.folder().forestCatalogue(), ForestSchema());
    }
    void TearDown() override
    {
        for (const auto &[message, detail] : errors.errors)
            ADD_FAILURE() << "unexpected error: " << Str(message) << " / " << Str(detail);
    }
    // The values of one named column of the statement's rows, in order.
    QStringList column(const SqlStatement &s, const QString &name)
    {
        int n = 0;
        const QStringList cells = db->select(s.sql, s.params, &n);
        const qsizetype index = Header(s).indexOf(name);
        EXPECT_GE(index, 0) << Str(name);
        QStringList values;
        for (qsizetype i = index; index >= 0 && i < cells.size(); i += n)
            values << cells.at(i);
        return values;
    }
    // The statement's column names, as a grid sees them.
    QStringList Header(const SqlStatement &s)
    {
        TLister *lister = db->lister(0);
        lister->refresh(s.sql, s.params);
        return lister->columnNames();
    }
    void addSinkLine(const QString &articleId, const QString &number, const QString &work, const QString &active)
    {
        db->execute(u"insert into tvr_b_basic_ecorgan_termekek (aruhazi_arucikk_id,cikkszam,mennyiseg,basic_munka_id,"
                    u"active,arajanlatkor_brutto_eladasi_ar) values (?,?,'1',?,?,'1.00')"_s,
                    {articleId, number, work, active});
    }

    TestDataFolder data;
    ErrorRecorder errors;
    std::unique_ptr<TDatabaseConnection> db;
};

TEST_F(DemoCatalogue, ArticleLookUpComparesTheNumberAsText)
{
    const auto found = FindForestArticle(*db, u"00013400410"_s);
    ASSERT_TRUE(found);
    EXPECT_EQ(Str(found->forest_arucikk_id), "16");
    EXPECT_EQ(Str(found->meegys), "fm");
    EXPECT_EQ(Str(found->sajat_ar), "11900.00");
    // Without its leading zeros it is another number; an inactive article is not found.
    EXPECT_FALSE(FindForestArticle(*db, u"13400410"_s));
    EXPECT_FALSE(FindForestArticle(*db, u"00016300800"_s));
    EXPECT_FALSE(FindForestArticle(*db, u"\" or 1=1 or \""_s));
    EXPECT_FALSE(FindForestArticle(*db, QString()));
}

TEST_F(DemoCatalogue, ForestLineRecordsTheArticleAsShown)
{
    SetClock([] { return FixedNow; });
    System().CurrentUserId = u"7"_s;
    auto article = FindForestArticle(*db, u"00013400410"_s);
    ASSERT_TRUE(article);
    const auto line = ForestLine(*article, u"00013400410"_s, u"4,1"_s, 1.0, 1.0, u"12"_s);
    SetClock({});
    System().CurrentUserId = u"0"_s;
    const QStringList expected{u"16"_s,          u"00013400410"_s,       u"4.1"_s,        QString(),
                               u"7"_s,           u"2023.06.06. 10:15"_s, u"12"_s,         u"11900.00"_s,
                               u"61963.30"_s,    u"48790.00"_s,          u"Munkalapok"_s, u"munkalap"_s,
                               u"4100x600x38"_s, u"fehér márvány"_s,     u"fm"_s,         u"48790.00"_s};
    const QStringList actual{line.forest_arucikk_id,
                             line.cikkszam,
                             line.mennyiseg,
                             line.arajanlat_id,
                             line.rogzitette,
                             line.rogzites_ideje,
                             line.basic_munka_id,
                             line.netto_eladasi_egysegar,
                             line.brutto_eladasi_ar,
                             line.netto_beszerzesi_ar,
                             line.csoport,
                             line.tipus,
                             line.meret,
                             line.szin,
                             line.meegys,
                             line.netto_eladasi_ar};
    EXPECT_EQ(actual, expected);

    article->sajat_ar = u"nincs"_s;
    EXPECT_THROW(ForestLine(*article, u"00013400410"_s, u"1"_s, 1.0, 1.0, u"12"_s), ConversionError);
}

TEST_F(DemoCatalogue, BrowserPriceFactorComesFromTheDiscount)
{
    const auto prices = tvr_dv_egyeb_arak_get(*db, u"1"_s);
    ASSERT_TRUE(prices);
    const double expected = (100.0 - ParseAmount(prices->forest_kedv)) / 100.0;
    EXPECT_DOUBLE_EQ(ForestBrowserPriceFactor(*db), expected);
    db->execute(u"update tvr_dv_egyeb_arak set forest_kedv='15'"_s);
    EXPECT_DOUBLE_EQ(ForestBrowserPriceFactor(*db), 0.85);
    db->execute(u"update tvr_dv_egyeb_arak set forest_kedv=''"_s);
    EXPECT_DOUBLE_EQ(ForestBrowserPriceFactor(*db), 1.0);
}

TEST_F(DemoCatalogue, ChooserListsOneRangeOfOrderableArticlesByName)
{
    const QStringList ecorgan = column(StoreArticleListStatement(false, {}, {}, u"100"_s), u"cikkszam"_s);
    // Active, orderable Ecorgan articles only (EC-GR-090 is not orderable, EC-CSAP-05 not active).
    EXPECT_THAT(ecorgan, ElementsAre(u"EC-CSAP-30"_s, u"EC-CSAP-20"_s, u"EC-CSAP-10"_s, u"EC-GR-100"_s, u"EC-GR-150"_s,
                                     u"EC-GR-200"_s, u"EC-GR-R48"_s, u"EC-GR-080"_s, u"SZIFON"_s, u"SZIFON-2"_s));
    const QStringList vestra = column(StoreArticleListStatement(true, {}, {}, {}), u"cikkszam"_s);
    EXPECT_THAT(vestra, ElementsAre(u"DV-CSAP-01"_s, u"DV-INOX-7844"_s, u"DV-INOX-7643"_s, u"DV-INOX-R48"_s,
                                    u"DV-INOX-4848"_s));
    const QStringList status = column(StoreArticleListStatement(false, {}, {}, u"100"_s), u"statusz"_s);
    EXPECT_EQ(status.count(u"AKCIÓS ECORGAN"_s), 3);
}

TEST_F(DemoCatalogue, ChooserLimitsTheRows)
{
    struct Case {
        QString limit;
        qsizetype rows;
    };
    for (const Case &c : {Case{u""_s, 10}, Case{u"3"_s, 3}, Case{u"0"_s, 0}, Case{u"1000"_s, 10}, Case{u"x"_s, 10}})
        EXPECT_EQ(column(StoreArticleListStatement(false, {}, {}, c.limit), u"cikkszam"_s).size(), c.rows)
            << Str(c.limit);
    // The first rows by name, not the first rows of the table.
    EXPECT_THAT(column(StoreArticleListStatement(false, {}, {}, u"2"_s), u"cikkszam"_s),
                ElementsAre(u"EC-CSAP-30"_s, u"EC-CSAP-20"_s));
}

TEST_F(DemoCatalogue, ChooserFiltersMatchTheTypedTextLiterally)
{
    struct Case {
        QString number;
        QString name;
        QStringList expected;
    };
    // Typed text that means something to like or to a statement is matched as it is typed.
    db->execute(u"insert into tvr_r_aruhazi_arucikkek (aruhazi_arucikk_id,cikkszam,megnevezes,meret,"
                u"mennyiseg_egyseg,netto_eladasi_ar,akcios_blanco,rendelheto,vestra,active) values "
                u"('90','EC_50%','Szifon \"B\" 50% kedvezménnyel','','db','100.00','0','1','0','1'),"
                u"('91','ECX50Y','Szifon XBX 50Y','','db','100.00','0','1','0','1')"_s);
    const std::vector<Case> cases{
        {u"SZIFON"_s, {}, {u"SZIFON"_s, u"SZIFON-2"_s}},
        {u"szifon-"_s, {}, {u"SZIFON-2"_s}},
        {u"EC-GR-1"_s, {}, {u"EC-GR-100"_s, u"EC-GR-150"_s}},
        {{}, u"Gránit 1"_s, {u"EC-GR-100"_s, u"EC-GR-150"_s}},
        {u"EC-GR"_s, u"Gránit k"_s, {u"EC-GR-R48"_s, u"EC-GR-080"_s}},
        {u"EC_"_s, {}, {u"EC_50%"_s}},
        {u"EC_50%"_s, {}, {u"EC_50%"_s}},
        {u"%"_s, {}, {}},
        {{}, u"Szifon \"B\""_s, {u"EC_50%"_s}},
        {{}, u"Szifon _B_"_s, {}},
        {u"DV-"_s, {}, {}}, // the other range
    };
    for (const Case &c : cases)
        EXPECT_EQ(column(StoreArticleListStatement(false, c.number, c.name, u"100"_s), u"cikkszam"_s), c.expected)
            << Str(c.number) << " / " << Str(c.name);
}

TEST_F(DemoCatalogue, SinkListsSplitTheWorksLinesByRange)
{
    addSinkLine(u"1"_s, u"EC-GR-100"_s, u"5"_s, u"1"_s);
    addSinkLine(u"21"_s, u"DV-INOX-7844"_s, u"5"_s, u"1"_s);
    addSinkLine(u"12"_s, u"EC-CSAP-05"_s, u"5"_s, u"1"_s); // article no longer active
    addSinkLine(u"2"_s, u"EC-GR-150"_s, u"5"_s, u"0"_s);   // deleted line
    addSinkLine(u"3"_s, u"EC-GR-200"_s, u"6"_s, u"1"_s);   // another work
    addSinkLine(u"999"_s, u"EC-REGI-1"_s, u"5"_s, u"1"_s); // article left the catalogue
    addSinkLine(u"24"_s, u"DV-INOX-4848"_s, u"5"_s, u"1"_s);

    const SqlStatement ecorgan = SinkListStatement(false, u"5"_s);
    EXPECT_THAT(column(ecorgan, u"cikkszam"_s), ElementsAre(u"EC-GR-100"_s, u"EC-CSAP-05"_s, u"EC-REGI-1"_s));
    EXPECT_THAT(column(ecorgan, u"rendelheto_statusz"_s), ElementsAre(u"rendelhető"_s, u"MÁR NEM!"_s, u"MÁR NEM!"_s));
    EXPECT_THAT(column(ecorgan, u"megnevezes"_s), ElementsAre(u"Gránit 1 medencés mosogatótálca csepegtetővel, fehér"_s,
                                                              u"Kétkaros mosogatócsap, króm"_s, QString()));
    const SqlStatement vestra = SinkListStatement(true, u"5"_s);
    EXPECT_THAT(column(vestra, u"cikkszam"_s), ElementsAre(u"DV-INOX-7844"_s, u"DV-INOX-4848"_s));
    EXPECT_THAT(column(vestra, u"meret"_s), ElementsAre(u"440x780"_s, u"480x480"_s));
    EXPECT_THAT(Header(vestra), ElementsAre(u"basic_ecorgan_termek_id"_s, u"cikkszam"_s, u"megnevezes"_s, u"meret"_s,
                                            u"mennyiseg"_s, u"mennyiseg_egyseg"_s, u"arajanlatkor_brutto_eladasi_ar"_s,
                                            u"arajanlatkor_brutto_egysegar"_s, u"arajanlatkor_netto_eladasi_ar"_s,
                                            u"rogzites_ideje"_s, u"rendelheto_statusz"_s));
    EXPECT_TRUE(column(SinkListStatement(true, u"6"_s), u"cikkszam"_s).isEmpty());
}

TEST_F(DemoCatalogue, GlassListIsActiveGlassByName)
{
    EXPECT_THAT(column(GlassListStatement({}), u"megnevezes"_s),
                ElementsAre(u"Biztonsági ragasztott 3.3.1"_s, u"Bronz float 4mm"_s, u"Fehérre festett üveg 4mm"_s,
                            u"Füstszürke float 4mm"_s, u"Katedrál fehér 4mm"_s, u"Szatinált 4mm"_s,
                            u"Víztiszta float 4mm"_s));
    EXPECT_THAT(column(GlassListStatement(u"F"_s), u"uveg_arlista_id"_s), ElementsAre(u"7"_s, u"5"_s));
    EXPECT_TRUE(column(GlassListStatement(u"Csiszolt"_s), u"megnevezes"_s).isEmpty()); // inactive
    EXPECT_TRUE(column(GlassListStatement(u"%"_s), u"megnevezes"_s).isEmpty());
}

TEST_F(DemoCatalogue, ForestListShowsTheWorksActiveLinesInOrder)
{
    for (const auto &[number, work, active] : {std::tuple{u"00010100100"_s, u"5"_s, u"1"_s},
                                               {u"00012100128"_s, u"6"_s, u"1"_s},
                                               {u"00013300200"_s, u"5"_s, u"0"_s},
                                               {u"00015100005"_s, u"5"_s, u"1"_s}})
        db->execute(u"insert into tvr_b_basic_forest_termekek (cikkszam,basic_munka_id,active) values (?,?,?)"_s,
                    {number, work, active});
    const SqlStatement s = ForestListStatement(u"5"_s);
    EXPECT_THAT(column(s, u"cikkszam"_s), ElementsAre(u"00010100100"_s, u"00015100005"_s));
    EXPECT_THAT(Header(s), ElementsAre(u"basic_forest_termek_id"_s, u"cikkszam"_s, u"csoport"_s, u"tipus"_s, u"meret"_s,
                                       u"szin"_s, u"mennyiseg"_s, u"meegys"_s, u"brutto_eladasi_ar"_s));
}

} // namespace
