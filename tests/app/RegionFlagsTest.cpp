#include "app/kit/RegionFlags.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "support/TestSupport.h"

namespace {

const char* const kLogo = "C:\\CO\\MusLogo.bmp";

struct RegionFlagsFolderCase {
    const char* dbq;
    const char* flagOf14;
};

class FlagFolder : public StationTest, public ::testing::WithParamInterface<RegionFlagsFolderCase> {};

TEST_P(FlagFolder, FollowsTheDatabaseDrive)
{
    QTemporaryDir m;
    DriveMap::mapDrive('M', m.path(), true);
    RegistryValues::setDbq(QString::fromUtf8(GetParam().dbq));
    EXPECT_EQ(RegionFlags::flagFile(14).toStdString(), GetParam().flagOf14);

    // Without its file a region has no flag, and the logo stands in for it.
    EXPECT_FALSE(RegionFlags::hasFlag(14));
    EXPECT_EQ(RegionFlags::flagOrLogo(14), kLogo);
    writeFile(DriveMap::toHost(RegionFlags::flagFile(14)), "BM");
    EXPECT_TRUE(RegionFlags::hasFlag(14));
    EXPECT_EQ(RegionFlags::flagOrLogo(14).toStdString(), GetParam().flagOf14);
    EXPECT_FALSE(RegionFlags::hasFlag(15)) << "each region has its own file";
}

INSTANTIATE_TEST_SUITE_P(Drives, FlagFolder,
                         ::testing::Values(RegionFlagsFolderCase{"C:\\CO\\QVX_PROG\\Fdr.mdb", "C:\\CO\\QVX_PROG\\Flags\\Flg14.bmp"},
                                           RegionFlagsFolderCase{"", "C:\\CO\\QVX_PROG\\Flags\\Flg14.bmp"},
                                           RegionFlagsFolderCase{"M:\\QVX_PROG\\Fdr.mdb", "M:\\QVX_PROG\\Flags\\Flg14.bmp"},
                                           RegionFlagsFolderCase{"m:\\qvx_prog\\fdr.mdb", "M:\\QVX_PROG\\Flags\\Flg14.bmp"}));

class RegionFlagLookup : public StationTest {
protected:
    void flag(int key) { writeFile(DriveMap::toHost(RegionFlags::flagFile(key)), "BM"); }
};

TEST_F(RegionFlagLookup, ARegionIsFoundByItsName)
{
    db.insert("C_UYELIKTURU", {{"Durum_Key", 150}, {"Durum", "CÔTE D'IVOIRE"}, {"Tip1", "00"}, {"BolgeK", "CIV"}});
    flag(34);
    flag(150);
    EXPECT_EQ(RegionFlags::regionKey(db, "İSTANBUL"), 34);
    EXPECT_EQ(RegionFlags::flagOfRegion(db, "İSTANBUL"), "C:\\CO\\QVX_PROG\\Flags\\Flg34.bmp");
    EXPECT_EQ(RegionFlags::regionKey(db, "CÔTE D'IVOIRE"), 150) << "a name with an apostrophe";
    EXPECT_EQ(RegionFlags::flagOfRegion(db, "CÔTE D'IVOIRE"), "C:\\CO\\QVX_PROG\\Flags\\Flg150.bmp");
    // A region without its file.
    EXPECT_EQ(RegionFlags::flagOfRegion(db, "ANKARA"), kLogo);
}

TEST_F(RegionFlagLookup, NoSingleRegionMeansNoFlag)
{
    db.insert("C_UYELIKTURU", {{"Durum_Key", 151}, {"Durum", "ADANA"}, {"Tip1", "01"}});
    flag(1);
    flag(151);
    EXPECT_EQ(RegionFlags::regionKey(db, "ADANA"), RegionFlags::kUnknownRegionKey) << "two regions of one name";
    EXPECT_EQ(RegionFlags::regionKey(db, "ATLANTİS"), RegionFlags::kUnknownRegionKey);
    EXPECT_EQ(RegionFlags::flagOfRegion(db, ""), kLogo);
    EXPECT_EQ(RegionFlags::flagOfRegion(db, "ATLANTİS"), kLogo);
    EXPECT_EQ(RegionFlags::flagOfRegion(db, "ADANA"), kLogo) << "neither of the two flags";
}

} // namespace
