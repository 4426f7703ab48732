// The kitchen calculations: edge lengths and codes, the exact prices of cut panels and cut
// worktops, the supplementary unit prices and the creation of a work, all or nothing.

#include "common/CN_CommonErrorFunctions.h"
#include "database/IFACE_BASE_tvr.h"
#include "kitchen/IFACE_EXT_TVR.h"
#include "support/DesktopLocale.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

TEST(EdgeLength, SumsTheSidesOfTheCodeTimesTheCount)
{
    EXPECT_DOUBLE_EQ(EdgeLength(600, 400, u"AB"_s, 2), 2.0);
    EXPECT_DOUBLE_EQ(EdgeLength(600, 400, u"AAB"_s, 1), 1.6);
    EXPECT_DOUBLE_EQ(EdgeLength(3000, 600, u"bBA"_s, 1), 4.2);
    EXPECT_DOUBLE_EQ(EdgeLength(600, 400, u""_s, 5), 0.0);
}

TEST(EdgeCodes, AtMostFourLettersTwoOfEach)
{
    struct Case {
        const char16_t *first;
        const char16_t *second;
        bool valid;
    };
    for (const Case c : {Case{u"AAB", u"B", true}, Case{u"AABB", u"", true}, Case{u"", u"", true},
                         Case{u"AB", u"AB", true}, Case{u"AA", u"A", false}, Case{u"BBB", u"", false},
                         Case{u"AAB", u"BB", false}, Case{u"AA", u"AA", false}, Case{u"AC", u"", false}})
        EXPECT_EQ(EdgeCodesValid(QString::fromUtf16(c.first), QString::fromUtf16(c.second)), c.valid)
            << QString::fromUtf16(c.first).toStdString() << "+" << QString::fromUtf16(c.second).toStdString();
}

TEST(CutPanel, PricesToTheCent)
{
    ScopedDesktopLocale hungarian;
    Ttable_tvr_b_basic_szabott_lapok line;
    PriceCutPanel({600, 400, 2, 5000.0, {}, {}, 1.0}, line);
    EXPECT_EQ(line.butorlap_terulete, u"0.48000000000000000000"_s);
    EXPECT_EQ(line.butorlap_egysegara, u"5000.00"_s);
    EXPECT_EQ(line.butorlap_erteke, u"2400.00"_s);
    EXPECT_EQ(line.elzaro1_id, u"0"_s);
    EXPECT_EQ(line.elzaro1_hossza, u"0"_s);
    EXPECT_EQ(line.elzaro2_erteke, u"0"_s);
    EXPECT_EQ(line.tetel_brutto_erteke, u"2400.00"_s);
    EXPECT_EQ(line.netto_eladasi_ar, u"1889.76"_s);
    EXPECT_EQ(line.netto_beszerzesi_ar, u"1889.76"_s);

    PriceCutPanel({600, 400, 2, 5000.0, EdgeBandChoice{u"7"_s, u"AB"_s, 200.0}, {}, 1.0}, line);
    EXPECT_EQ(line.elzaro1_id, u"7"_s);
    EXPECT_EQ(line.elzaro1_hossza, u"2.00000"_s);
    EXPECT_EQ(line.elzaro1_egysegara, u"200.00"_s);
    EXPECT_EQ(line.elzaro1_erteke, u"400.00"_s);
    EXPECT_EQ(line.tetel_brutto_erteke, u"2800.00"_s);

    // Both bands, and a multiplier that makes the purchase price differ from the sale price.
    PriceCutPanel(
        {717, 383, 3, 12900.0, EdgeBandChoice{u"5"_s, u"AA"_s, 210.0}, EdgeBandChoice{u"6"_s, u"B"_s, 480.0}, 1.25},
        line);
    EXPECT_EQ(line.butorlap_terulete, u"0.82000000000000000000"_s); // 0.823833 m2
    EXPECT_EQ(line.butorlap_erteke, u"10578.00"_s);
    EXPECT_EQ(line.elzaro1_hossza, u"4.30200"_s);
    EXPECT_EQ(line.elzaro1_erteke, u"903.42"_s);
    EXPECT_EQ(line.elzaro2_hossza, u"1.14900"_s);
    EXPECT_EQ(line.elzaro2_erteke, u"551.52"_s);
    EXPECT_EQ(line.tetel_brutto_erteke, u"12032.94"_s);
    EXPECT_EQ(line.netto_eladasi_ar, u"9474.76"_s);
    EXPECT_EQ(line.netto_beszerzesi_ar, u"7579.80"_s);
}

TEST(CutPanel, AreaHalvesGoToTheEvenCent)
{
    struct Case {
        int a, b, count;
        const char *area;
    };
    for (const Case c : {Case{250, 500, 1, "0.12"}, Case{750, 500, 1, "0.38"}, Case{250, 250, 1, "0.06"},
                         Case{350, 500, 3, "0.52"}, Case{2774, 2070, 1, "5.74"}, Case{1, 1, 1, "0.00"}}) {
        Ttable_tvr_b_basic_szabott_lapok line;
        PriceCutPanel({c.a, c.b, c.count, 1000.0, {}, {}, 1.0}, line);
        EXPECT_EQ(line.butorlap_terulete, QString::fromLatin1(c.area) + QString(18, u'0')) << c.a << "x" << c.b;
    }
}

TEST(CutWorktop, PricesTheWorktopAndItsDecoration)
{
    ScopedDesktopLocale hungarian;
    Ttable_tvr_b_basic_szabott_munkalapok line;
    PriceCutWorktop({3000, 600, 1, u""_s, 10000.0, 500.0, 1.0}, line);
    EXPECT_EQ(line.elzaro_hossza, u"0.00000"_s);
    EXPECT_EQ(line.munkalap_erteke, u"30000.00"_s);
    EXPECT_EQ(line.elzaras_erteke, u"0.00"_s);
    EXPECT_EQ(line.csak_a_munkalap_erteke, u"30000.00"_s);
    EXPECT_EQ(line.netto_eladasi_ar, u"23622.05"_s);
    EXPECT_EQ(line.netto_beszerzesi_ar, u"23622.05"_s);
    EXPECT_EQ(line.kedv_ar_munkalap, u"30000.00"_s);
    EXPECT_EQ(line.elzaro_egysegara, u"0.00"_s);

    PriceCutWorktop({3000, 600, 1, u"bBA"_s, 10000.0, 500.0, 1.0}, line);
    EXPECT_EQ(line.elzaro_hossza, u"4.20000"_s);
    EXPECT_EQ(line.elzaras_erteke, u"2100.00"_s);
    EXPECT_EQ(line.kedv_ar_elzaras, u"2100.00"_s);
    EXPECT_EQ(line.munkalap_erteke, u"32100.00"_s);
    EXPECT_EQ(line.csak_a_munkalap_erteke, u"30000.00"_s);
    EXPECT_EQ(line.netto_eladasi_ar, u"25275.59"_s);

    // Two pieces and a multiplier: the purchase price is worked out without it.
    PriceCutWorktop({1850, 620, 2, u"A"_s, 8900.0, 1500.0, 1.5}, line);
    EXPECT_EQ(line.elzaro_hossza, u"3.70000"_s);
    EXPECT_EQ(line.csak_a_munkalap_erteke, u"49395.00"_s);
    EXPECT_EQ(line.munkalap_erteke, u"54945.00"_s);
    EXPECT_EQ(line.netto_beszerzesi_ar, u"30299.21"_s);
}

// A catalogue with its price row; the values are chosen so that two unit prices fall on a half.
QString PriceRow(const QString &parkanylec = u"2005.00"_s)
{
    QStringList columns{u"egyeb_ar_id"_s};
    QStringList values{u"'1'"_s};
    for (const SupplementaryItem &item : SupplementaryItems()) {
        columns << QString::fromLatin1(item.price) << QString::fromLatin1(item.discount);
        const QString name = QString::fromLatin1(item.name);
        values << (name == u"parkanylec"      ? u"'%1'"_s.arg(parkanylec)
                   : name == u"vizveto_sarok" ? u"'2015'"_s
                                              : u"'1000.00'"_s)
               << (name == u"szokli"                                   ? u"'10'"_s
                   : name == u"parkanylec" || name == u"vizveto_sarok" ? u"'10'"_s
                                                                       : u"'0'"_s);
    }
    columns << u"antikolt_parkanylec"_s << u"antikolt_parkanylec_kedv"_s << u"antikolt_fenylec"_s
            << u"antikolt_fenylec_kedv"_s;
    values << u"'3000'"_s << u"'0'"_s << u"'2500'"_s << u"'20'"_s;
    return u"insert into tvr_dv_egyeb_arak (%1) values (%2);"_s.arg(columns.join(u','), values.join(u','));
}

std::map<QString, QString> Prices(const std::array<QString, 21> &prices)
{
    std::map<QString, QString> byName;
    for (size_t i = 0; i < prices.size(); ++i)
        byName[QString::fromLatin1(SupplementaryItems()[i].name)] = prices[i];
    return byName;
}

TEST(SupplementaryUnitPrices, DiscountedWholeForintsHalvesToEven)
{
    ScopedDesktopLocale hungarian;
    TestDataFolder data;
    data.writeMaterials({PriceRow()});
    ErrorRecorder errors;
    auto db = data.open();
    auto prices = Prices(SupplementaryUnitPrices(*db, false));
    EXPECT_EQ(prices[u"szokli"_s], u"900"_s);
    EXPECT_EQ(prices[u"parkanylec"_s], u"1804"_s);    // 1804.5
    EXPECT_EQ(prices[u"vizveto_sarok"_s], u"1814"_s); // 1813.5
    EXPECT_EQ(prices[u"fenylec"_s], u"1000"_s);
    auto antique = Prices(SupplementaryUnitPrices(*db, true));
    EXPECT_EQ(antique[u"parkanylec"_s], u"3000"_s);
    EXPECT_EQ(antique[u"fenylec"_s], u"2000"_s);
    EXPECT_EQ(antique[u"szokli"_s], u"900"_s);
    EXPECT_TRUE(errors.errors.empty());
}

TEST(KitchenWork, IsCreatedWithItsCompanionRows)
{
    ScopedDesktopLocale hungarian;
    TestDataFolder data;
    data.writeMaterials({PriceRow()});
    ErrorRecorder errors;
    auto db = data.open();
    // A quote row first: its id must not be mistaken for the work's.
    db->execute(u"insert into tvr_arajanlat (megrendelo_neve) values ('a'),('b'),('c');"_s);
    const QString work = CreateKitchenWork(*db, u"3"_s, u"7"_s, u"2023.06.06. 10:15"_s);
    EXPECT_EQ(work, u"1"_s);
    const auto row = tvr_b_basic_munka_get(*db, work);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->arajanlat_id, u"3"_s);
    EXPECT_EQ(row->active, u"1"_s);
    EXPECT_EQ(row->labazat_tipus, u"1"_s);
    EXPECT_EQ(row->labazat_magassag, u"10"_s);
    EXPECT_EQ(row->viszonteladonak, u"1"_s);
    EXPECT_EQ(row->arkategoria, u"0"_s);
    EXPECT_EQ(row->takaro_szin_butorlap_id, u"0"_s);
    EXPECT_EQ(row->munka_mappa_id, u"0"_s);
    EXPECT_EQ(row->dv_munkalap_id, u"0"_s);
    EXPECT_EQ(row->blum_pant_tipus, u"0"_s);
    EXPECT_EQ(row->rogzitette, u"7"_s);
    EXPECT_EQ(row->rogzites_ideje, u"2023.06.06. 10:15"_s);
    EXPECT_TRUE(row->frontszin.isEmpty());

    EXPECT_EQ(db->select(u"select dekorozas,vizveto,szokli,fenylec,basic_munka_id from "
                         u"tvr_b_basic_automatikusan_szamolt"_s,
                         {}),
              (QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s, work}));
    const auto onQuote = tvr_b_basic_arajanlaton_szerepel_list(*db, u"basic_munka_id=?"_s, {}, {work});
    ASSERT_EQ(onQuote.size(), 1u);
    EXPECT_EQ(onQuote[0].szokli, u"0"_s);
    EXPECT_EQ(onQuote[0].ar_szokli, u"0"_s);
    EXPECT_EQ(onQuote[0].egys_szokli, u"900"_s);
    EXPECT_EQ(onQuote[0].egys_parkanylec, u"1804"_s);
    EXPECT_EQ(onQuote[0].egys_vizveto_sarok, u"1814"_s);
    EXPECT_EQ(onQuote[0].egys_spot_maras, u"1000"_s);
    EXPECT_EQ(onQuote[0].modern_parkanylec, u"1"_s);
    EXPECT_EQ(onQuote[0].modern_fenylec, u"1"_s);
    EXPECT_EQ(FirstActiveWork(*db, u"3"_s), work);
    EXPECT_TRUE(FirstActiveWork(*db, u"2"_s).isEmpty());
    EXPECT_TRUE(errors.errors.empty());
}

TEST(KitchenWork, ThatCannotBePricedLeavesNoRows)
{
    struct Case {
        const char *title;
        QStringList catalogue;
        bool failAtTheLastInsert = false;
    };
    const Case cases[] = {
        {"no price row", {}},
        {"a price that is not a number", {PriceRow(u"sok"_s)}},
        {"the last insert fails", {PriceRow()}, true},
    };
    for (const Case &c : cases) {
        TestDataFolder data;
        data.writeMaterials(c.catalogue);
        ErrorRecorder errors;
        auto db = data.open();
        if (c.failAtTheLastInsert)
            db->execute(u"create trigger tilt before insert on tvr_b_basic_arajanlaton_szerepel begin "
                        u"select raise(abort, 'a lemez megtelt'); end"_s);
        try {
            CreateKitchenWork(*db, u"1"_s, u"1"_s, u"2023.06.06. 10:15"_s);
            ADD_FAILURE() << c.title;
        } catch (const TvrError &e) {
            EXPECT_FALSE(e.message().isEmpty()) << c.title;
        }
        for (const QString &table :
             {u"tvr_b_basic_munka"_s, u"tvr_b_basic_automatikusan_szamolt"_s, u"tvr_b_basic_arajanlaton_szerepel"_s})
            EXPECT_EQ(db->select(u"select count(*) from "_s + table, {}), QStringList{u"0"_s}) << c.title;
    }
}

} // namespace
