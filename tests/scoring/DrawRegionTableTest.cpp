// Region separation over tables of layouts and many seeds: after the draw no
// first-round bout pairs two athletes of one region where a seating without
// such a bout exists; everyone is seated once; the byes are as many as
// before and never face each other.
#include "ScoringFixture.h"
#include "competition/MatchState.h"
#include "scoring/KuraDraw.h"
#include "scoring/RandomSource.h"

#include <QHash>
#include <QRandomGenerator>

#include <algorithm>

namespace {

// What the first round of one drawn category looks like.
struct RegionTableRound {
    int bouts = 0;              // first-round bouts (both sides seated by the draw)
    int byes = 0;
    int clashes = 0;            // bouts of two athletes of one region
    QList<int> seated;          // back numbers of the athletes seated
    bool byesFaceEachOther = false;
};

class DrawRegionTable : public ScoringTest {
protected:
    // Adds the entrants of a layout: counts[i] athletes of region i.
    QList<int> regionTableEntrants(const QList<int>& counts)
    {
        QStringList regions;
        for (int r = 0; r < int(counts.size()); ++r)
            for (int k = 0; k < counts[r]; ++k)
                regions << QString("BÖLGE %1").arg(QChar('A' + r));
        return addEntrants(int(regions.size()), [&](int i) { return regions[i]; });
    }

    RegionTableRound regionTableDraw(std::uint32_t seed)
    {
        db.exec("delete * from C_KURA");
        SeededRandom random(seed);
        KuraDraw d(db, *state, random);
        d.today = [] { return kDrawDay; };
        EXPECT_TRUE(d.KuraCek(kBranch, kMen));
        RegionTableRound round;
        for (const Record& r : bouts()) {
            if (r.str("Tip1") != "AD" || r.str("Tip2") != "AD")
                continue;
            ++round.bouts;
            int byesHere = 0;
            for (const char* side : {"1", "2"}) {
                if (r.str(QString("Bolge") + side) == Bye::Region)
                    ++byesHere;
                else
                    round.seated << r.toInt(QString("Sira") + side);
            }
            round.byes += byesHere;
            round.byesFaceEachOther |= byesHere == 2;
            if (byesHere == 0 && r.str("Bolge1") == r.str("Bolge2"))
                ++round.clashes;
        }
        std::sort(round.seated.begin(), round.seated.end());
        return round;
    }

    // The fewest clashes any seating can have: a region with more athletes
    // than there are first-round bouts must pair the rest among themselves.
    static int regionTableFewestClashes(const QList<int>& counts, int bouts)
    {
        int fewest = 0;
        for (int c : counts)
            fewest += std::max(0, c - bouts);
        return fewest;
    }

    void regionTableCheck(const QList<int>& counts, std::uint32_t seed)
    {
        db.exec("delete * from C_LISTE");
        QList<int> numbers = regionTableEntrants(counts);
        std::sort(numbers.begin(), numbers.end());
        const int entrants = int(numbers.size());
        const RegionTableRound round = regionTableDraw(seed);
        QStringList layout;
        for (int c : counts)
            layout << QString::number(c);
        const std::string what = "layout " + layout.join('+').toStdString() + ", seed " + std::to_string(seed);
        EXPECT_EQ(round.seated, numbers) << what << ": everyone seated once";
        EXPECT_EQ(round.byes, KuraDraw::byeCount(entrants)) << what;
        EXPECT_FALSE(round.byesFaceEachOther) << what;
        EXPECT_EQ(round.clashes, regionTableFewestClashes(counts, round.bouts)) << what;
    }
};

// The two layouts the rule was made for, over many seeds.
struct RegionTableLayout {
    const char* name;
    QList<int> counts;
};

class DrawRegionLayouts : public DrawRegionTable, public ::testing::WithParamInterface<RegionTableLayout> {};

TEST_P(DrawRegionLayouts, LeaveNoAvoidableFirstRoundClash)
{
    for (std::uint32_t seed = 1; seed <= 60; ++seed)
        regionTableCheck(GetParam().counts, seed);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, DrawRegionLayouts,
    ::testing::Values(RegionTableLayout{"SevenOfFourAndThree", {4, 3}},
                      RegionTableLayout{"TwelveOfThreeRegionsOfFour", {4, 4, 4}},
                      RegionTableLayout{"EightOfFourAndFour", {4, 4}},
                      RegionTableLayout{"SixteenOfEightFourFour", {8, 4, 4}},
                      RegionTableLayout{"NineOfFiveAndFour", {5, 4}},
                      // More athletes of one region than first-round bouts:
                      // only the unavoidable clashes stay.
                      RegionTableLayout{"SixOfOneRegionAndTwo", {6, 1, 1}},
                      RegionTableLayout{"FiveOfOneRegion", {5}}),
    [](const ::testing::TestParamInfo<RegionTableLayout>& i) { return std::string(i.param.name); });

// Random layouts of several regions, a layout per seed.
TEST_F(DrawRegionTable, RandomLayoutsOfSeveralRegionsLeaveNoAvoidableClash)
{
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        QRandomGenerator layout(seed);
        const int regions = 2 + int(layout.bounded(5));     // 2 .. 6
        QList<int> counts;
        int total = 0;
        for (int r = 0; r < regions; ++r) {
            counts << 1 + int(layout.bounded(8));           // 1 .. 8
            total += counts.last();
        }
        if (total < 4)
            counts[0] += 4 - total;
        regionTableCheck(counts, seed);
    }
}

} // namespace
