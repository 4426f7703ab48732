// Versions and sizes read from the names of the update folder, in list order.

#include "transfer/UpdateListing.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tvr;

namespace
{

TEST(UpdateNames, VersionAndSizeComeFromTheName)
{
    EXPECT_EQ(VersionFromName(u"20230606.prg"_s), u"2023.06.06."_s);
    EXPECT_EQ(VersionFromName(u"20240115.0"_s), u"2024.01.15."_s);
    EXPECT_EQ(SizeFromName(u"3145728.C0"_s), 3145728);
    EXPECT_EQ(SizeFromName(u"42.sprg"_s), 42);
    EXPECT_EQ(SizeFromName(u"abc.C4"_s), 0);
    EXPECT_EQ(SizeFromName(u"update.zip"_s), 0);
}

struct ProgramCase {
    const char *title;
    QStringList names;
    bool outdated;
    qint64 size;
};

class ProgramListingTable : public testing::TestWithParam<ProgramCase>
{
};

TEST_P(ProgramListingTable, FlagsANewerProgram)
{
    const ProgramCase &c = GetParam();
    const ProgramListing listing = ReadProgramListing(c.names, u"2023.06.06."_s);
    EXPECT_EQ(listing.outdated, c.outdated) << c.title;
    EXPECT_EQ(listing.size, c.size) << c.title;
}

INSTANTIATE_TEST_SUITE_P(
    Listings, ProgramListingTable,
    testing::Values(
        ProgramCase{"same version", {u"20230606.prg"_s, u"1200.sprg"_s, u"update.zip"_s}, false, 1200},
        ProgramCase{"newer version", {u"update.zip"_s, u"20230901.prg"_s, u"5000000.sprg"_s}, true, 5000000},
        ProgramCase{"older version", {u"20230101.prg"_s}, false, 0},
        ProgramCase{"no .prg name", {u"20240101.0"_s, u"20240101.4"_s, u"update.zip"_s, u"99.sprg"_s}, false, 99},
        // A newer name earlier in the list still counts once a later one is older.
        ProgramCase{"newer then older", {u"20240101.prg"_s, u"20230101.prg"_s}, true, 0},
        ProgramCase{"empty folder", {}, false, 0},
        // Catalogue size names hold ".C0"/".C4", never ".prg".
        ProgramCase{"odd names", {u"readme.txt"_s, u".prg"_s, u"x"_s}, false, 0}));

struct CatalogueCase {
    const char *title;
    QStringList names;
    bool materials;
    bool forest;
    qint64 materialsSize;
    qint64 forestSize;
};

class CatalogueListingTable : public testing::TestWithParam<CatalogueCase>
{
};

TEST_P(CatalogueListingTable, FlagsNewerCatalogues)
{
    const CatalogueCase &c = GetParam();
    const CatalogueListing listing = ReadCatalogueListing(c.names, u"2023.06.01."_s, u"2023.06.01."_s);
    EXPECT_EQ(listing.materialsOutdated, c.materials) << c.title;
    EXPECT_EQ(listing.forestOutdated, c.forest) << c.title;
    EXPECT_EQ(listing.materialsSize, c.materialsSize) << c.title;
    EXPECT_EQ(listing.forestSize, c.forestSize) << c.title;
}

INSTANTIATE_TEST_SUITE_P(
    Listings, CatalogueListingTable,
    testing::Values(
        CatalogueCase{
            "up to date", {u"20230601.0"_s, u"20230601.4"_s, u"1000.C0"_s, u"2000.C4"_s}, false, false, 1000, 2000},
        CatalogueCase{"only Forest newer", {u"20230601.0"_s, u"20230710.4"_s, u"2000.C4"_s}, false, true, 0, 2000},
        // Two materials versions, one older and one newer than the installed one.
        CatalogueCase{"older and newer materials", {u"20230501.0"_s, u"20230801.0"_s}, true, false, 0, 0},
        CatalogueCase{"newer and older materials", {u"20230801.0"_s, u"20230501.0"_s}, true, false, 0, 0},
        CatalogueCase{"sizes are not versions", {u"30000000.C0"_s, u"40000000.C4"_s}, false, false, 30000000, 40000000},
        CatalogueCase{"other catalogues do not count",
                      {u"TVR_CAT_BASIC.s3db"_s, u"20990101.prg"_s, u"update.zip"_s},
                      false,
                      false,
                      0,
                      0}));

TEST(CatalogueListing, MissingLocalCatalogueIsOutdatedOnlyWhenTheServerOffersOne)
{
    EXPECT_FALSE(ReadCatalogueListing({u"update.zip"_s}, {}, {}).materialsOutdated);
    const CatalogueListing listing = ReadCatalogueListing({u"20230601.4"_s}, u"2023.06.01."_s, {});
    EXPECT_TRUE(listing.forestOutdated);
    EXPECT_FALSE(listing.materialsOutdated);
}

} // namespace
