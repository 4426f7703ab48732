// Nettfront pricing on the demo catalogue: categories, orderable sizes, line prices with their exact
// texts, order totals and areas, and the refusals when the catalogue lacks what a line needs.
// Expected texts are the decimal expansions of the doubles the rules produce.

#include "common/CN_CommonErrorFunctions.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/IFACE_BASE_tvr.h"
#include "supplier/IFACE_EXT_Nettfront.h"
#include "support/DesktopLocale.h"
#include "support/TestDataFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

// Demo catalogue ids.
const QString Sima = u"1"_s, K10 = u"2"_s, K20 = u"3"_s, R40 = u"5"_s, K11 = u"6"_s;
const QString FeherMatt = u"1"_s, FeherMagasfenyu = u"2"_s, Vanilia = u"3"_s, AntikFeher = u"6"_s, Pisztacia = u"9"_s;
const QString Door = u"1"_s, Drawer = u"2"_s, GlassDoor = u"3"_s, SplitGlass = u"4"_s;

// Rows the demo catalogue lacks, for the cases it cannot show: two categories numbered 9 and 10
// sharing a milling and a colour (a text order would pick 10), pairs that only an inactive row
// blocks, a series size stored with a leading zero, a 114 mm series size and an other product
// whose price has half a forint.
const QString Fixture = uR"(
insert into tvr_r_nettfront_kategoriak (nettfront_kategoria_id,sorszam,sajat_ar,active) values ('20','10','50000','1');
insert into tvr_r_nettfront_kategoriak (nettfront_kategoria_id,sorszam,sajat_ar,active) values ('21','9','40000','1');
insert into tvr_r_nettfront_marasok (maras_id,azonosito,van_egyedi_merete,active) values ('20','X10','1','1');
insert into tvr_r_nettfront_szinek (nettfront_szin_id,szin,active) values ('20','TESZT SZÍN','1');
insert into tvr_r_nettfront_kategoria_maras_parok (r_nettfront_kategoria_maras_parok_id,nettfront_kategoria_id,maras_id,active) values ('100','20','20','1');
insert into tvr_r_nettfront_kategoria_maras_parok (r_nettfront_kategoria_maras_parok_id,nettfront_kategoria_id,maras_id,active) values ('101','21','20','1');
insert into tvr_r_nettfront_kategoria_szin_parok (r_nettfront_kategoria_szin_parok_id,nettfront_kategoria_id,nettfront_szin_id,active) values ('100','20','20','1');
insert into tvr_r_nettfront_kategoria_szin_parok (r_nettfront_kategoria_szin_parok_id,nettfront_kategoria_id,nettfront_szin_id,active) values ('101','21','20','1');
insert into tvr_r_nettfront_kategoria_szin_parok (r_nettfront_kategoria_szin_parok_id,nettfront_kategoria_id,nettfront_szin_id,active) values ('102','5','1','0');
insert into tvr_r_nettfront_kategoria_maras_parok (r_nettfront_kategoria_maras_parok_id,nettfront_kategoria_id,maras_id,active) values ('102','1','6','1');
insert into tvr_r_nettfront_kategoria_szin_parok (r_nettfront_kategoria_szin_parok_id,nettfront_kategoria_id,nettfront_szin_id,active) values ('103','1','9','1');
insert into tvr_r_nettfront_meretek (meret_id,meret,magassag,szelesseg,active) values ('100','500x400','500','0400','1');
insert into tvr_r_nettfront_fronttipus_meret_parok (meret_par_id,front_tipus_id,meret_id,active) values ('100','2','100','1');
insert into tvr_r_nettfront_meretek (meret_id,meret,magassag,szelesseg,active) values ('101','114x396','114','396','1');
insert into tvr_r_nettfront_fronttipus_meret_parok (meret_par_id,front_tipus_id,meret_id,active) values ('101','1','101','1');
insert into tvr_r_nettfront_meretek (meret_id,meret,magassag,szelesseg,active) values ('102','600x800','600','800','1');
insert into tvr_r_nettfront_fronttipus_meret_parok (meret_par_id,front_tipus_id,meret_id,active) values ('102','1','102','0');
insert into tvr_r_nettfront_egyeb_termekek (nettfront_egyebtermek_id,megnevezes,hosszusag,szelesseg,atmero,active,sajat_ar,magassag,nettfront_egyebtermek_csoport_id) values ('50','FÉL FORINTOS LÉC','1000','20','0','1','1500.5','0','4');
)"_s;

QString ReadDemo(const QString &name)
{
    QFile file(QDir(DemoDataDir()).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

class NettfrontPricing : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(locale.ok());
        data.writeMaterials({ReadDemo(u"materials.sql"_s), Fixture});
        db = data.open();
    }
    void TearDown() override
    {
        for (const auto &[message, detail] : errors.errors)
            ADD_FAILURE() << "unexpected error: " << message.toStdString() << " / " << detail.toStdString();
    }

    QString newOrder()
    {
        Ttable_tvr_r_nettfront_megrendelesek order;
        order.megrendelo_id = u"0"_s;
        order.rendeleskor_osszes_besz_ar = u"0"_s;
        order.rendeleskor_osszes_elad_ar = u"0"_s;
        order.kiegeszito_frontrendeles = u"1"_s;
        order.basic_munka_id = u"7"_s;
        EXPECT_TRUE(tvr_r_nettfront_megrendelesek_insert(*db, order));
        return LastInsertId(*db);
    }
    QString insert(Ttable_tvr_r_nettfront_megrendeles_tetelei line)
    {
        EXPECT_TRUE(tvr_r_nettfront_megrendeles_tetelei_insert(*db, line));
        return LastInsertId(*db);
    }

    ScopedDesktopLocale locale;
    TestDataFolder data;
    ErrorRecorder errors;
    std::unique_ptr<TDatabaseConnection> db;
};

// ---------------------------------------------------------------------------------------------

struct CategoryCase {
    const char *name;
    QString milling;
    QString colour;
    QString expected;
};

TEST_F(NettfrontPricing, CategoryOfMillingAndColour)
{
    const CategoryCase cases[] = {
        {"two categories share SIMA and FEHÉR MATT: the lower number wins", Sima, FeherMatt, u"1"_s},
        {"K10 with a glossy colour", K10, FeherMagasfenyu, u"4"_s},
        {"split-glass milling K10 with a matt colour", K10, FeherMatt, u"2"_s},
        {"antique", R40, AntikFeher, u"5"_s},
        {"numbers compared as numbers: 9 before 10", u"20"_s, u"20"_s, u"21"_s},
        {"colour pair inactive", R40, FeherMatt, u"0"_s},
        {"milling inactive", K11, FeherMatt, u"0"_s},
        {"colour inactive", Sima, Pisztacia, u"0"_s},
        {"no such milling", u"999"_s, FeherMatt, u"0"_s},
        {"ids read as numbers", u"01"_s, u"1"_s, u"1"_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(NettfrontCategoryFor(*db, c.milling, c.colour), c.expected) << c.name;
}

struct SizeCase {
    const char *name;
    QString type;
    int height;
    int width;
    bool enabled;
    bool ticked;
    bool orderable;
    bool tooSmall;
};

TEST_F(NettfrontPricing, OrderableSizes)
{
    const SizeCase cases[] = {
        {"series size", Door, 716, 396, true, false, true, false},
        {"series size without a custom box", Door, 716, 396, false, false, true, false},
        {"series size stored as 0400", Drawer, 500, 400, false, false, true, false},
        {"series size of another type", Drawer, 716, 396, false, false, false, false},
        {"series pair inactive", Door, 600, 800, false, false, false, false},
        {"custom 600x400", Door, 600, 400, true, true, true, false},
        {"custom size not ticked", Door, 600, 400, true, false, false, false},
        {"custom box ticked but disabled", Door, 600, 400, false, true, false, false},
        {"custom on a type not orderable in custom size", SplitGlass, 600, 400, true, true, false, false},
        {"a listed series size refused as custom of that type", SplitGlass, 596, 596, true, true, false, false},
        {"split glass in its series size", SplitGlass, 716, 396, true, true, true, false},
        {"height 114", Door, 114, 600, true, true, false, false},
        {"height 115", Door, 115, 600, true, true, true, true},
        {"height 125", Door, 125, 600, true, true, true, true},
        {"height 126", Door, 126, 600, true, true, true, false},
        {"too small 120x600", Door, 120, 600, true, true, true, true},
        {"130x600", Door, 130, 600, true, true, true, false},
        {"130x1250", Door, 130, 1250, true, true, false, false},
        {"width 114", Door, 600, 114, true, true, false, false},
        {"width 249", Door, 600, 249, true, true, true, true},
        {"width 250", Door, 600, 250, true, true, true, false},
        {"height 2500", Door, 2500, 600, true, true, true, false},
        {"height 2501", Door, 2501, 600, true, true, false, false},
        {"width 1200", Door, 600, 1200, true, true, true, false},
        {"width 1201", Door, 600, 1201, true, true, false, false},
        {"too low yet too wide", Door, 120, 1250, true, true, false, false},
        {"too narrow yet too high", Door, 2600, 200, true, true, false, false},
        {"too narrow, highest", Door, 2500, 200, true, true, true, true},
        {"114 is never orderable, not even as a listed series size", Door, 114, 396, false, false, false, false},
    };
    for (const auto &c : cases) {
        const NettfrontSizeCheck r = NettfrontCheckSize(*db, c.type, c.height, c.width, c.enabled, c.ticked);
        EXPECT_EQ(r.orderable, c.orderable) << c.name;
        EXPECT_EQ(r.tooSmall, c.tooSmall) << c.name;
    }
}

TEST_F(NettfrontPricing, IrregularCustomPrice)
{
    const auto found = NettfrontIrregularCustomPrice(*db, u"4"_s, true);
    EXPECT_TRUE(found.found);
    EXPECT_EQ(found.purchase, u"56000.00"_s);
    EXPECT_EQ(found.sale, u"56000.00"_s);
    const auto none = NettfrontIrregularCustomPrice(*db, u"1"_s, true);
    EXPECT_FALSE(none.found);
    EXPECT_EQ(none.purchase, u"-1"_s);
    EXPECT_EQ(none.sale, u"-1"_s);
    const auto notAsked = NettfrontIrregularCustomPrice(*db, u"4"_s, false);
    EXPECT_FALSE(notAsked.found);
    EXPECT_TRUE(notAsked.purchase.isEmpty());

    EXPECT_EQ(NettfrontCategoryLabel(*db, u"4"_s, found), u"kat.:4 bruttó ár:56000.00Ft/nm"_s);
    EXPECT_EQ(NettfrontCategoryLabel(*db, u"2"_s, none), u"kat.:2"_s);
}

// ---------------------------------------------------------------------------------------------

struct FrontCase {
    const char *name;
    QString milling;
    QString colour;
    QString type;
    QString quantity;
    QString height;
    QString width;
    bool custom;
    bool rebated;
    bool tooSmall;
    double multiplier;
    // expected
    QString quantityStored;
    QString unitPurchase;
    QString unitSale;
    QString area;
    QString purchase;
    QString sale;
    QString classification;
    QString areaColumn; // the class column holding the area
};

QString AreaIn(const Ttable_tvr_r_nettfront_megrendeles_tetelei &line, const QString &column)
{
    if (column == u"terulet_szeria")
        return line.terulet_szeria;
    if (column == u"terulet_uveges")
        return line.terulet_uveges;
    if (column == u"terulet_egyedi")
        return line.terulet_egyedi;
    return line.terulet_egyedi_uveges;
}

TEST_F(NettfrontPricing, FrontLines)
{
    const FrontCase cases[] = {
        {"series 716x396, 2 pieces", Sima, FeherMatt, Door, u"2"_s, u"716"_s, u"396"_s, false, false, false, 1.0,
         u"2"_s, u"25400.00"_s, u"25400.00"_s, u"0.567"_s, u"14401.79999999999927240424"_s,
         u"14401.79999999999927240424"_s, u"SZÉRIA kat.:1"_s, u"terulet_szeria"_s},
        {"glazed series", Sima, FeherMatt, GlassDoor, u"1"_s, u"716"_s, u"396"_s, false, false, false, 1.0, u"1"_s,
         u"25400.00"_s, u"25400.00"_s, u"0.284"_s, u"7213.59999999999945430318"_s, u"7213.59999999999945430318"_s,
         u"SZÉRIA kat.:1"_s, u"terulet_uveges"_s},
        {"split-glass series counts as solid", K10, FeherMatt, SplitGlass, u"1"_s, u"716"_s, u"396"_s, false, false,
         false, 1.0, u"1"_s, u"30480.00"_s, u"30480.00"_s, u"0.284"_s, u"8656.31999999999970896170"_s,
         u"8656.31999999999970896170"_s, u"SZÉRIA kat.:2"_s, u"terulet_szeria"_s},
        {"rebated glazed series", K20, Vanilia, GlassDoor, u"1"_s, u"896"_s, u"396"_s, false, true, false, 1.0, u"1"_s,
         u"30480.00"_s, u"30480.00"_s, u"0.355"_s, u"12398.37500000000000000000"_s, u"12398.37500000000000000000"_s,
         u"SZÉRIA kat.:2"_s, u"terulet_uveges"_s},
        {"custom 600x400", Sima, FeherMatt, Door, u"1"_s, u"600"_s, u"400"_s, true, false, false, 1.0, u"1"_s,
         u"38100.00"_s, u"38100.00"_s, u"0.240"_s, u"9144.00000000000000000000"_s, u"9144.00000000000000000000"_s,
         u"EGYEDI"_s, u"terulet_egyedi"_s},
        {"custom glazed 600x400", Sima, FeherMatt, GlassDoor, u"1"_s, u"600"_s, u"400"_s, true, false, false, 1.0,
         u"1"_s, u"45720.00"_s, u"45720.00"_s, u"0.240"_s, u"10972.79999999999927240424"_s,
         u"10972.79999999999927240424"_s, u"EGYEDI ÜVEGES"_s, u"terulet_egyedi_uveges"_s},
        {"irregular category price: gross, no VAT on it", K10, FeherMagasfenyu, Door, u"1"_s, u"500"_s, u"500"_s, true,
         false, false, 1.0, u"1"_s, u"38100.00"_s, u"38100.00"_s, u"0.250"_s, u"14000.00000000000000000000"_s,
         u"14000.00000000000000000000"_s, u"EGYEDI"_s, u"terulet_egyedi"_s},
        {"area tie 750x250x3 to even", Sima, FeherMatt, Door, u"3"_s, u"750"_s, u"250"_s, true, false, false, 1.0,
         u"3"_s, u"38100.00"_s, u"38100.00"_s, u"0.562"_s, u"21412.20000000000072759576"_s,
         u"21412.20000000000072759576"_s, u"EGYEDI"_s, u"terulet_egyedi"_s},
        {"area tie 250x250 to even", Sima, FeherMatt, Door, u"1"_s, u"250"_s, u"250"_s, true, false, false, 1.0, u"1"_s,
         u"38100.00"_s, u"38100.00"_s, u"0.062"_s, u"2362.19999999999981810106"_s, u"2362.19999999999981810106"_s,
         u"EGYEDI"_s, u"terulet_egyedi"_s},
        {"too small 120x600", Sima, FeherMatt, Door, u"1"_s, u"120"_s, u"600"_s, true, false, true, 1.0, u"1"_s,
         u"38100.00"_s, u"38100.00"_s, u"0.072"_s, u"2743.19999999999981810106"_s, u"2743.19999999999981810106"_s,
         u"EGYEDI"_s, u"terulet_egyedi"_s},
        {"series with multiplier 1.5", Sima, FeherMatt, Door, u"2"_s, u"716"_s, u"396"_s, false, false, false, 1.5,
         u"2"_s, u"25400.00"_s, u"38100.00"_s, u"0.567"_s, u"14401.79999999999927240424"_s,
         u"21602.69999999999708961695"_s, u"SZÉRIA kat.:1"_s, u"terulet_szeria"_s},
        {"custom with multiplier 1.5", Sima, FeherMatt, Door, u"1"_s, u"600"_s, u"400"_s, true, false, false, 1.5,
         u"1"_s, u"38100.00"_s, u"57150.00"_s, u"0.240"_s, u"9144.00000000000000000000"_s,
         u"13716.00000000000000000000"_s, u"EGYEDI"_s, u"terulet_egyedi"_s},
        {"irregular, rebated, multiplier 1.5", K10, FeherMagasfenyu, Door, u"1"_s, u"600"_s, u"400"_s, true, true,
         false, 1.5, u"1"_s, u"38100.00"_s, u"57150.00"_s, u"0.240"_s, u"14506.79999999999927240424"_s,
         u"21760.20000000000072759576"_s, u"EGYEDI"_s, u"terulet_egyedi"_s},
        {"empty quantity is one", Sima, FeherMatt, Door, QString(), u"716"_s, u"396"_s, false, false, false, 1.0,
         u"1"_s, u"25400.00"_s, u"25400.00"_s, u"0.284"_s, u"7213.59999999999945430318"_s,
         u"7213.59999999999945430318"_s, u"SZÉRIA kat.:1"_s, u"terulet_szeria"_s},
        {"height typed 0716", Sima, FeherMatt, Door, u"1"_s, u"0716"_s, u"396"_s, false, false, false, 1.0, u"1"_s,
         u"25400.00"_s, u"25400.00"_s, u"0.284"_s, u"7213.59999999999945430318"_s, u"7213.59999999999945430318"_s,
         u"SZÉRIA kat.:1"_s, u"terulet_szeria"_s},
    };
    const QString order = newOrder();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        NettfrontFrontLineInput in;
        in.orderId = order;
        in.quantity = c.quantity;
        in.millingId = c.milling;
        in.colourId = c.colour;
        in.frontTypeId = c.type;
        in.categoryId = NettfrontCategoryFor(*db, c.milling, c.colour);
        in.height = c.height;
        in.width = c.width;
        in.custom = c.custom;
        in.rebated = c.rebated;
        in.tooSmall = c.tooSmall;
        in.categoryLabel = u"kat.:"_s + tvr_r_nettfront_kategoriak_get(*db, in.categoryId)->sorszam;
        const auto line = NettfrontPriceFrontLine(*db, in, c.multiplier);

        EXPECT_EQ(line.nettfront_megrendeles_id, order);
        EXPECT_EQ(line.rendelt_mennyiseg, c.quantityStored);
        EXPECT_EQ(line.rendeleskor_besz_ar, c.unitPurchase);
        EXPECT_EQ(line.rendeleskor_elad_ar, c.unitSale);
        EXPECT_EQ(line.terulet, c.area);
        EXPECT_EQ(line.tetel_brutto_beszerzesi_ara, c.purchase);
        EXPECT_EQ(line.tetel_brutto_eladasi_ara, c.sale);
        EXPECT_EQ(line.besorolas, c.classification);
        EXPECT_EQ(line.nettfront_kategoria_id, in.categoryId);
        EXPECT_EQ(line.maras_id, c.milling);
        EXPECT_EQ(line.nettfront_szin_id, c.colour);
        EXPECT_EQ(line.front_tipus_id, c.type);
        EXPECT_EQ(line.magassag, c.height);
        EXPECT_EQ(line.szelesseg, c.width);
        EXPECT_EQ(line.meret, c.height + u'x' + c.width);
        EXPECT_EQ(line.egyedi_meret, c.custom ? u"1"_s : u"0"_s);
        EXPECT_EQ(line.nettfront_egyebtermek_id, u"0"_s);
        EXPECT_EQ(line.panthelymarasok_szama, u"0"_s);
        EXPECT_EQ(line.panthelymarasokert_fizetni_kell, u"0.00"_s);
        EXPECT_EQ(line.garanciaban_kerve, u"0"_s);
        EXPECT_EQ(line.nem_lesz_marasminta_rajta_mert_kicsi, c.tooSmall ? u"1"_s : u"0"_s);
        EXPECT_EQ(line.falcolassal, c.rebated ? u"1"_s : u"0"_s);
        EXPECT_EQ(line.terulet_falcolas, c.rebated ? c.area : u"0"_s);
        // Exactly one class column holds the area.
        for (const QString &column :
             {u"terulet_szeria"_s, u"terulet_uveges"_s, u"terulet_egyedi"_s, u"terulet_egyedi_uveges"_s})
            EXPECT_EQ(AreaIn(line, column), column == c.areaColumn ? c.area : u"0"_s) << column.toStdString();
        for (const QString *warranty : {&line.terulet_g_szeria, &line.terulet_g_uveges, &line.terulet_g_egyedi,
                                        &line.terulet_g_egyedi_uveges, &line.terulet_g_falcolas})
            EXPECT_EQ(*warranty, u"0"_s);
        EXPECT_TRUE(line.nettfront_megrendeles_tetel_id.isEmpty());
    }
}

TEST_F(NettfrontPricing, RebatedCustomGlazedAndIrregularPriceOnOtherFigures)
{
    db->execute(u"update tvr_r_nettfront_egyedi_meret_ara set egyedi_uveges_eladasi_ar='10000'"_s);
    db->execute(u"update tvr_r_nettfront_szolgaltatas_arak set uvegajto_falcolas_eladasi_ar='2000'"_s);
    db->execute(u"update tvr_r_nettfront_rendhagyo_egyedi_arak set egyedi_meret_eladasi_ar='30000' where "
                u"nettfront_kategoria_id='4'"_s);
    NettfrontFrontLineInput in;
    in.orderId = newOrder();
    in.quantity = u"1"_s;
    in.millingId = Sima;
    in.colourId = FeherMatt;
    in.frontTypeId = GlassDoor;
    in.categoryId = u"1"_s;
    in.height = u"1000"_s;
    in.width = u"500"_s;
    in.custom = true;
    in.rebated = true;
    const auto glazed = NettfrontPriceFrontLine(*db, in, 1.0);
    EXPECT_EQ(glazed.terulet, u"0.500"_s);
    EXPECT_EQ(glazed.tetel_brutto_beszerzesi_ara, u"7620.00000000000000000000"_s);
    EXPECT_EQ(glazed.tetel_brutto_eladasi_ara, u"7620.00000000000000000000"_s);
    EXPECT_EQ(glazed.terulet_egyedi_uveges, u"0.500"_s);
    EXPECT_EQ(glazed.terulet_falcolas, u"0.500"_s);
    EXPECT_EQ(glazed.besorolas, u"EGYEDI ÜVEGES"_s);

    // An irregular price of 30000: area 0.250 costs 7500, the unit columns still hold B x 1.27.
    in.millingId = K10;
    in.colourId = FeherMagasfenyu;
    in.frontTypeId = Door;
    in.categoryId = u"4"_s;
    in.height = u"500"_s;
    in.rebated = false;
    const auto irregular = NettfrontPriceFrontLine(*db, in, 1.0);
    EXPECT_EQ(irregular.terulet, u"0.250"_s);
    EXPECT_EQ(irregular.tetel_brutto_beszerzesi_ara, u"7500.00000000000000000000"_s);
    EXPECT_EQ(irregular.rendeleskor_besz_ar, u"38100.00"_s);
    EXPECT_EQ(irregular.besorolas, u"EGYEDI"_s);
}

// What a line needs and the catalogue or the order lacks: no price, a message saying what is missing.
TEST_F(NettfrontPricing, MissingSettingsAndNonNumericPricesRefuse)
{
    const QString order = newOrder();
    NettfrontFrontLineInput base;
    base.orderId = order;
    base.quantity = u"1"_s;
    base.millingId = Sima;
    base.colourId = FeherMatt;
    base.frontTypeId = Door;
    base.categoryId = u"1"_s;
    base.height = u"600"_s;
    base.width = u"400"_s;

    struct Case {
        const char *name;
        QString statement;
        bool custom;
        bool rebated;
        QString orderId;
        const char *messagePart;
    };
    const Case cases[] = {
        {"category price no number",
         u"update tvr_r_nettfront_kategoriak set sajat_ar='húszezer' where "
         u"nettfront_kategoria_id='1'"_s,
         false, false, order, "húszezer"},
        {"custom price row missing", u"delete from tvr_r_nettfront_egyedi_meret_ara"_s, true, false, order,
         "egyedi méretű"},
        {"rebating price row missing", u"delete from tvr_r_nettfront_szolgaltatas_arak"_s, false, true, order,
         "falcolás"},
        {"order row missing", {}, false, false, u"999"_s, "frontrendelés"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TestDataFolder fresh;
        fresh.writeMaterials({ReadDemo(u"materials.sql"_s)});
        auto local = fresh.open();
        Ttable_tvr_r_nettfront_megrendelesek header;
        ASSERT_TRUE(tvr_r_nettfront_megrendelesek_insert(*local, header));
        if (!c.statement.isEmpty())
            local->execute(c.statement);
        NettfrontFrontLineInput in = base;
        in.orderId = c.orderId == order ? LastInsertId(*local) : c.orderId;
        in.custom = c.custom;
        in.rebated = c.rebated;
        try {
            NettfrontPriceFrontLine(*local, in, 1.0);
            ADD_FAILURE() << "priced";
        } catch (const TvrError &e) {
            EXPECT_NE(e.message().indexOf(QString::fromUtf8(c.messagePart)), -1) << e.message().toStdString();
        }
    }
    // A series line never needs the custom price row, an unrebated one never the rebating price.
    db->execute(u"delete from tvr_r_nettfront_egyedi_meret_ara"_s);
    db->execute(u"delete from tvr_r_nettfront_szolgaltatas_arak"_s);
    base.height = u"716"_s;
    base.width = u"396"_s;
    EXPECT_EQ(NettfrontPriceFrontLine(*db, base, 1.0).tetel_brutto_eladasi_ara, u"7213.59999999999945430318"_s);

    // The split-glass look-up needs row 1 of the glass exchange.
    EXPECT_TRUE(NettfrontHasSplitGlassType(*db, K10));
    db->execute(u"delete from tvr_r_nettfront_basic_uvegcsere"_s);
    EXPECT_THROW(NettfrontHasSplitGlassType(*db, K10), TvrError);
}

// ---------------------------------------------------------------------------------------------

TEST_F(NettfrontPricing, OtherProductLines)
{
    const QString order = newOrder();
    struct Case {
        const char *name;
        QString product;
        QString quantity;
        double multiplier;
        QString quantityStored, unitPurchase, unitSale, purchase, sale;
    };
    const Case cases[] = {
        {"1500.5 x 3", u"50"_s, u"3"_s, 1.0, u"3"_s, u"1905.64"_s, u"1905.64"_s, u"5716.91"_s, u"5716.91"_s},
        {"empty quantity", u"50"_s, QString(), 1.0, u"0"_s, u"1905.64"_s, u"1905.64"_s, u"0.00"_s, u"0.00"_s},
        {"cornice with multiplier 1.5", u"1"_s, u"2"_s, 1.5, u"2"_s, u"11303.00"_s, u"16954.50"_s, u"22606.00"_s,
         u"33909.00"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto line = NettfrontPriceOtherLine(*db, {order, c.product, AntikFeher, c.quantity}, c.multiplier);
        EXPECT_EQ(line.rendelt_mennyiseg, c.quantityStored);
        EXPECT_EQ(line.rendeleskor_besz_ar, c.unitPurchase);
        EXPECT_EQ(line.rendeleskor_elad_ar, c.unitSale);
        EXPECT_EQ(line.tetel_brutto_beszerzesi_ara, c.purchase);
        EXPECT_EQ(line.tetel_brutto_eladasi_ara, c.sale);
        EXPECT_EQ(line.nettfront_egyebtermek_id, c.product);
        EXPECT_EQ(line.nettfront_szin_id, AntikFeher);
        for (const QString *zero :
             {&line.nettfront_kategoria_id, &line.maras_id, &line.front_tipus_id, &line.magassag, &line.szelesseg,
              &line.egyedi_meret, &line.panthelymarasok_szama, &line.panthelymarasokert_fizetni_kell,
              &line.garanciaban_kerve, &line.nem_lesz_marasminta_rajta_mert_kicsi, &line.terulet_falcolas,
              &line.terulet_g_falcolas, &line.falcolassal})
            EXPECT_EQ(*zero, u"0"_s);
        EXPECT_TRUE(line.meret.isEmpty());
        EXPECT_TRUE(line.terulet.isEmpty());
        EXPECT_TRUE(line.terulet_szeria.isEmpty());
    }
    EXPECT_THROW(NettfrontPriceOtherLine(*db, {order, u"999"_s, AntikFeher, u"1"_s}, 1.0), TvrError);
}

// An update writes what an insert would default, so a rewritten line never loses its zeros.
TEST_F(NettfrontPricing, RewrittenLineKeepsItsZeros)
{
    const QString order = newOrder();
    const QString id = insert(NettfrontPriceOtherLine(*db, {order, u"1"_s, FeherMatt, u"2"_s}, 1.0));
    ASSERT_TRUE(tvr_r_nettfront_megrendeles_tetelei_update(
        *db, id, NettfrontPriceOtherLine(*db, {order, u"2"_s, FeherMatt, u"3"_s}, 1.0)));
    const auto stored = tvr_r_nettfront_megrendeles_tetelei_get(*db, id);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->active, u"1"_s);
    EXPECT_EQ(stored->nettfront_egyebtermek_id, u"2"_s);
    EXPECT_EQ(stored->rendelt_mennyiseg, u"3"_s);
    for (const QString *zero :
         {&stored->egyedi_meret, &stored->panthelymarasok_szama, &stored->panthelymarasokert_fizetni_kell,
          &stored->garanciaban_kerve, &stored->nem_lesz_marasminta_rajta_mert_kicsi, &stored->terulet_falcolas,
          &stored->terulet_g_falcolas, &stored->falcolassal})
        EXPECT_EQ(*zero, u"0"_s);
}

TEST_F(NettfrontPricing, OrderTotalsAndAreas)
{
    const QString order = newOrder();
    const auto front = [&](const QString &milling, const QString &colour, const QString &type, const QString &h,
                           const QString &w, const QString &q, bool custom, bool rebated) {
        NettfrontFrontLineInput in;
        in.orderId = order;
        in.quantity = q;
        in.millingId = milling;
        in.colourId = colour;
        in.frontTypeId = type;
        in.categoryId = NettfrontCategoryFor(*db, milling, colour);
        in.height = h;
        in.width = w;
        in.custom = custom;
        in.rebated = rebated;
        return insert(NettfrontPriceFrontLine(*db, in, 1.0));
    };
    // Empty order: zeros.
    EXPECT_EQ(NettfrontRecalcOrderTotals(*db, order, 1.0), 0.0);
    auto header = tvr_r_nettfront_megrendelesek_get(*db, order);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->rendeleskor_osszes_elad_ar, u"0.00"_s);
    EXPECT_EQ(header->terulet_szeria, u"0.0000"_s);
    EXPECT_EQ(header->terulet_g_falcolas, u"0.0000"_s);
    EXPECT_EQ(header->rendeleskor_osszes_besz_ar, u"0"_s);

    front(Sima, FeherMatt, Door, u"716"_s, u"396"_s, u"2"_s, false, false);     // 14401.8, series 0.567
    front(Sima, FeherMatt, GlassDoor, u"600"_s, u"400"_s, u"1"_s, true, false); // 10972.8, custom glazed 0.240
    front(K20, Vanilia, GlassDoor, u"896"_s, u"396"_s, u"1"_s, false, true);    // 12398.375, glazed 0.355
    const QString gone = front(Sima, FeherMatt, Door, u"600"_s, u"400"_s, u"1"_s, true, false);
    ASSERT_TRUE(tvr_r_nettfront_megrendeles_tetelei_deactivate(*db, gone));
    insert(NettfrontPriceOtherLine(*db, {order, u"50"_s, FeherMatt, u"3"_s}, 1.0)); // 5716.91
    // Another order's line takes no part.
    const QString other = newOrder();
    insert(NettfrontPriceOtherLine(*db, {other, u"1"_s, FeherMatt, u"5"_s}, 1.0));

    // 14401.79999999999927 + 10972.79999999999927 + 12398.375 + 5716.91 = 43489.884999999995 as a double,
    // which the two-decimal rule writes as 43489.88.
    const double gross = NettfrontRecalcOrderTotals(*db, order, 2.0);
    EXPECT_EQ(gross, NettfrontOrderGrossTotal(*db, order));
    EXPECT_EQ(gross, 43489.884999999995);
    header = tvr_r_nettfront_megrendelesek_get(*db, order);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->rendeleskor_osszes_elad_ar, u"43489.88"_s);
    EXPECT_EQ(header->netto_eladasi_ar, u"34244.00"_s);
    EXPECT_EQ(header->netto_beszerzesi_ar, u"17122.00"_s);
    EXPECT_EQ(header->rendeleskor_osszes_besz_ar, u"0"_s);
    EXPECT_EQ(header->terulet_szeria, u"0.5670"_s);
    EXPECT_EQ(header->terulet_uveges, u"0.3550"_s);
    EXPECT_EQ(header->terulet_egyedi, u"0.0000"_s);
    EXPECT_EQ(header->terulet_egyedi_uveges, u"0.2400"_s);
    EXPECT_EQ(header->terulet_falcolas, u"0.3550"_s);
    for (const QString *warranty : {&header->terulet_g_szeria, &header->terulet_g_uveges, &header->terulet_g_egyedi,
                                    &header->terulet_g_egyedi_uveges, &header->terulet_g_falcolas})
        EXPECT_EQ(*warranty, u"0.0000"_s);
    EXPECT_EQ(header->kiegeszito_frontrendeles, u"1"_s);
    EXPECT_EQ(header->basic_munka_id, u"7"_s);

    EXPECT_EQ(NettfrontActiveFrontLineCount(*db, order), 3);
    EXPECT_EQ(NettfrontActiveLineCount(*db, order), 4);
    EXPECT_TRUE(NettfrontOrderHasOtherProducts(*db, order));

    EXPECT_THROW(NettfrontRecalcOrderTotals(*db, u"999"_s, 1.0), TvrError);
}

TEST_F(NettfrontPricing, SplitGlassAndOtherProductLookups)
{
    for (const auto &[milling, expected] : {std::pair{Sima, false}, {K10, true}, {K20, true}, {R40, true}})
        EXPECT_EQ(NettfrontHasSplitGlassType(*db, milling), expected) << milling.toStdString();
    const QString order = newOrder();
    EXPECT_FALSE(NettfrontOrderHasOtherProducts(*db, order));
    const QString line = insert(NettfrontPriceOtherLine(*db, {order, u"1"_s, FeherMatt, u"1"_s}, 1.0));
    EXPECT_TRUE(NettfrontOrderHasOtherProducts(*db, order));
    ASSERT_TRUE(tvr_r_nettfront_megrendeles_tetelei_deactivate(*db, line));
    EXPECT_FALSE(NettfrontOrderHasOtherProducts(*db, order));
}

TEST_F(NettfrontPricing, EmptyOrderIsDeletedWholeAndDeletedOrderTakesItsLines)
{
    const QString empty = newOrder();
    const QString dead = insert(NettfrontPriceOtherLine(*db, {empty, u"1"_s, FeherMatt, u"1"_s}, 1.0));
    ASSERT_TRUE(tvr_r_nettfront_megrendeles_tetelei_deactivate(*db, dead));
    const QString kept = newOrder();
    insert(NettfrontPriceOtherLine(*db, {kept, u"1"_s, FeherMatt, u"1"_s}, 1.0));

    EXPECT_TRUE(NettfrontDeleteEmptyOrder(*db, empty));
    EXPECT_FALSE(NettfrontDeleteEmptyOrder(*db, kept));
    EXPECT_FALSE(tvr_r_nettfront_megrendelesek_get(*db, empty));
    EXPECT_FALSE(tvr_r_nettfront_megrendeles_tetelei_get(*db, dead));
    EXPECT_TRUE(tvr_r_nettfront_megrendelesek_get(*db, kept));

    EXPECT_TRUE(NettfrontDeactivateOrder(*db, kept));
    EXPECT_EQ(tvr_r_nettfront_megrendelesek_get(*db, kept)->active, u"0"_s);
    EXPECT_EQ(db->select(u"select count(*) from tvr_r_nettfront_megrendeles_tetelei where active='1'"_s, {}).value(0),
              u"0"_s);
}

} // namespace
