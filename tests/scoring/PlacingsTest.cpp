// Placings over small brackets: drawn with the real draw and fought with the
// real advancement (the lower back number always wins), and hand-written
// rows for the cases the draw does not make by itself.
#include "ScoringFixture.h"
#include "scoring/Advancement.h"
#include "scoring/KuraDraw.h"
#include "scoring/Placings.h"
#include "scoring/RandomSource.h"

#include <algorithm>

namespace {

const QString kOther = QStringLiteral("65 KİLO ERKEK BÜYÜKLER");

class PlacingsTest : public ScoringTest {
protected:
    bool draw(std::uint32_t seed, const QString& branch = kBranch)
    {
        SeededRandom random(seed);
        KuraDraw d(db, *state, random);
        d.today = [] { return kDrawDay; };
        return d.KuraCek(branch, kMen);
    }

    // Every bout with two athletes and no winner is won by the lower back
    // number, in bout order, so the winners move on; the final is left
    // undecided when asked.
    void fight(bool leaveFinal = false, const QString& branch = kBranch)
    {
        Advancement advancement(db, *state);
        for (const Record& row : bouts(branch)) {
            const Record b = bout(row.toInt("Kura_Key"));
            if (b.str("Tur") == Rounds::ThirdPlace || (leaveFinal && b.str("Tur") == Rounds::Final))
                continue;
            if (b.isNull("Sira1") || b.isNull("Sira2") || !b.str("Galip").isEmpty())
                continue;
            const QString side = b.toInt("Sira1") < b.toInt("Sira2") ? "1" : "2";
            state->FWinnerNo = b.str("Sira" + side);
            state->FWinnerName = b.str("Ad" + side);
            ASSERT_TRUE(advancement.GalipIs(b.toInt("Kura_Key")));
        }
    }

    // A bout row written by hand.
    void addBout(int key, const QString& round, const QVariant& n1, const QString& name1, const QVariant& n2,
                 const QString& name2, const QVariant& winner = QVariant(), const QString& branch = kBranch)
    {
        QString winnerName;
        if (winner.isValid())
            winnerName = winner == n1 ? name1 : name2;
        db.insert("C_KURA", {{"Kura_Key", key}, {"Brans", branch}, {"Cinsiyet", kMen}, {"Tur", round},
                             {"Ad1", name1}, {"Sira1", n1}, {"Ad2", name2}, {"Sira2", n2},
                             {"Tip1", n1.isValid() ? QVariant("AD") : QVariant()},
                             {"Tip2", n2.isValid() ? QVariant("AD") : QVariant()},
                             {"Galip", winner.isValid() ? winner.toString() : QString()},
                             {"Salon", winnerName}});
    }

    // Puan of every weigh-in row by back number.
    std::map<int, int> puan(const QString& branch = kBranch)
    {
        std::map<int, int> m;
        for (const Record& r : db.select("select Sira, Puan from C_LISTE where Brans = :b", {{"b", branch}}))
            m[r.toInt("Sira")] = r.toInt("Puan");
        return m;
    }

    static std::map<int, int> byNumber(const QList<Placings::Placing>& places, const QString& branch = kBranch)
    {
        std::map<int, int> m;
        for (const Placings::Placing& p : places)
            if (p.brans == branch)
                m[p.backNumber] = p.place;
        return m;
    }

    static std::vector<int> sorted(const std::map<int, int>& places)
    {
        std::vector<int> v;
        for (const auto& [number, place] : places)
            v.push_back(place);
        std::sort(v.begin(), v.end(), [](int a, int b) { return (a == 0 ? 99 : a) < (b == 0 ? 99 : b); });
        return v;
    }

    // The derece marks of a bout: "Derece1/Derece2", empty for none.
    QString marks(int key)
    {
        const Record b = bout(key);
        return b.str("Derece1") + "/" + b.str("Derece2");
    }

    // The one bout of the category that `winner` won with `loser` in it.
    bool beat(int winner, int loser)
    {
        for (const Record& b : bouts())
            if (b.str("Galip") == QString::number(winner) &&
                (b.toInt("Sira1") == loser || b.toInt("Sira2") == loser))
                return true;
        return false;
    }

    Record finalBout()
    {
        for (const Record& b : bouts())
            if (b.str("Tur") == Rounds::Final)
                return b;
        return Record();
    }
};

QString region(int i)
{
    return QString("BÖLGE %1").arg(i);
}

// ---------------------------------------------------------------------------
// Drawn brackets.

struct BracketCase {
    int entrants;
    bool finalDecided;
    std::vector<int> places;    // the full ranking, best first, 0 (no place) last
};

void PrintTo(const BracketCase& c, std::ostream* os)
{
    *os << c.entrants << " entrants, final " << (c.finalDecided ? "decided" : "undecided");
}

class DrawnBracket : public PlacingsTest, public ::testing::WithParamInterface<std::tuple<BracketCase, int>> {};

TEST_P(DrawnBracket, PlacesFollowTheBouts)
{
    const auto& [c, seed] = GetParam();
    const QList<int> numbers = addEntrants(c.entrants, region);
    ASSERT_TRUE(draw(std::uint32_t(seed)));
    fight(!c.finalDecided);

    Placings::Derecele(db, {QString(), true});
    const std::map<int, int> stored = puan();
    ASSERT_EQ(int(stored.size()), c.entrants) << "the byes' rows are gone after the draw";
    EXPECT_EQ(sorted(stored), c.places);

    const Record f = finalBout();
    const int strongest = *std::min_element(numbers.begin(), numbers.end());
    if (c.finalDecided) {
        // The strongest wins every bout; the final's loser is second; of the
        // two thirds, the one the runner-up beat is fourth.
        EXPECT_EQ(stored.at(strongest), 1);
        const int runnerUp = f.toInt("Sira1") == strongest ? f.toInt("Sira2") : f.toInt("Sira1");
        EXPECT_EQ(stored.at(runnerUp), 2);
        for (const auto& [number, place] : stored) {
            if (place == 4) {
                EXPECT_TRUE(beat(runnerUp, number)) << number;
            }
            if (place == 3 && c.entrants > 3) {
                EXPECT_TRUE(beat(strongest, number)) << number;
            }
        }
    } else if (c.entrants >= 4) {
        // An undecided final: both finalists won their semi-finals and are
        // third with the semi-final losers.
        EXPECT_EQ(stored.at(f.toInt("Sira1")), 3);
        EXPECT_EQ(stored.at(f.toInt("Sira2")), 3);
    }
    if (c.entrants > 8) {
        // Fifth places go to the quarter-final losers only.
        for (const auto& [number, place] : stored) {
            bool quarterFinalist = false;
            for (const Record& b : bouts())
                if (b.str("Tur") == Rounds::QuarterFinal && (b.toInt("Sira1") == number || b.toInt("Sira2") == number))
                    quarterFinalist = true;
            if (!quarterFinalist) {
                EXPECT_EQ(place, 0) << number;
            }
        }
    }

    // The places without writing are the same, and write nothing.
    db.exec("update C_LISTE set Puan = 77");
    db.exec("update C_KURA set Derece1 = 9, Derece2 = 9");
    EXPECT_EQ(byNumber(Placings::ranking(db, {QString(), true})), stored);
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE where Puan <> 77").toInt(), 0);
    EXPECT_EQ(db.scalar("select count(*) from C_KURA where Derece1 <> 9 or Derece2 <> 9").toInt(), 0);
}

const BracketCase kBrackets[] = {
    {2, true, {1, 2}},
    {3, true, {1, 2, 3}},
    {4, true, {1, 2, 3, 4}},
    {5, true, {1, 2, 3, 4, 5}},
    {6, true, {1, 2, 3, 4, 5, 5}},
    {8, true, {1, 2, 3, 4, 5, 5, 5, 5}},
    {9, true, {1, 2, 3, 4, 5, 5, 5, 5, 0}},
    {16, true, {1, 2, 3, 4, 5, 5, 5, 5, 0, 0, 0, 0, 0, 0, 0, 0}},
    {2, false, {5, 5}},
    {3, false, {3, 3, 5}},
    {4, false, {3, 3, 3, 3}},
    {6, false, {3, 3, 3, 3, 5, 5}},
    {8, false, {3, 3, 3, 3, 5, 5, 5, 5}},
    {16, false, {3, 3, 3, 3, 5, 5, 5, 5, 0, 0, 0, 0, 0, 0, 0, 0}},
};

INSTANTIATE_TEST_SUITE_P(Counts, DrawnBracket, ::testing::Combine(::testing::ValuesIn(kBrackets), ::testing::Range(1, 4)));

TEST_F(PlacingsTest, WithoutTheFullRankingBothThirdsStayThird)
{
    addEntrants(4, region);
    ASSERT_TRUE(draw(5));
    fight();
    Placings::Derecele(db, {QString(), false});
    EXPECT_EQ(sorted(puan()), (std::vector<int>{1, 2, 3, 3}));
}

TEST_F(PlacingsTest, TheBranchFilterLimitsFourthAndFifthPlacesToItsBranch)
{
    addEntrants(6, region);
    addEntrants(6, region, kOther);
    ASSERT_TRUE(draw(2));
    ASSERT_TRUE(draw(2, kOther));
    fight();
    fight(false, kOther);

    Placings::Derecele(db, {kOther, true});
    EXPECT_EQ(sorted(puan(kOther)), (std::vector<int>{1, 2, 3, 4, 5, 5}));
    EXPECT_EQ(sorted(puan()), (std::vector<int>{1, 2, 3, 3, 0, 0}));
    EXPECT_EQ(byNumber(Placings::ranking(db, {kOther, true})), puan());
    EXPECT_EQ(byNumber(Placings::ranking(db, {kOther, true}), kOther), puan(kOther));
}

TEST_F(PlacingsTest, AnUnapprovedAthleteGetsNoMedalButFifthPlaceInASmallCategory)
{
    addEntrants(5, region);
    const int away = addEntrant("GELMEYEN SPORCU", "BÖLGE 9", kBranch, kMen, 0);
    ASSERT_TRUE(draw(4));
    fight();
    Placings::Derecele(db, {QString(), true});
    const std::map<int, int> p = puan();
    EXPECT_EQ(p.at(away), 5) << "six weigh-in rows: everybody without a medal is fifth";
    EXPECT_EQ(sorted(p), (std::vector<int>{1, 2, 3, 4, 5, 5}));
}

// Unapproved weigh-in rows (athletes who were not drawn) beside a drawn and
// fought bracket: they never get a medal; they count among the category's
// weigh-in rows, and in a category of at most eight rows they are fifth.
struct UnapprovedCase {
    const char* name;
    int approved;
    int unapproved;
    bool finalDecided;
    std::vector<int> approvedPlaces;    // best first, 0 last
    int unapprovedPlace;
};

void PrintTo(const UnapprovedCase& c, std::ostream* os) { *os << c.name; }

class UnapprovedRows : public PlacingsTest, public ::testing::WithParamInterface<UnapprovedCase> {};

TEST_P(UnapprovedRows, CountAmongTheRowsAndAreFifthInASmallCategory)
{
    const UnapprovedCase& c = GetParam();
    addEntrants(c.approved, region);
    QList<int> away;
    for (int i = 0; i < c.unapproved; ++i)
        away << addEntrant(QString("GELMEYEN %1").arg(i + 1), "BÖLGE 9", kBranch, kMen, 0);
    ASSERT_TRUE(draw(3));
    fight(!c.finalDecided);

    Placings::Derecele(db, {QString(), true});
    std::map<int, int> stored = puan();
    ASSERT_EQ(int(stored.size()), c.approved + c.unapproved);
    for (int number : away) {
        EXPECT_EQ(stored.at(number), c.unapprovedPlace) << number;
        stored.erase(number);
    }
    EXPECT_EQ(sorted(stored), c.approvedPlaces);
    EXPECT_EQ(byNumber(Placings::ranking(db, {QString(), true})), puan());
}

INSTANTIATE_TEST_SUITE_P(
    Counts, UnapprovedRows,
    ::testing::Values(UnapprovedCase{"SixRows", 4, 2, true, {1, 2, 3, 4}, 5},
                      UnapprovedCase{"SixRowsUndecidedFinal", 4, 2, false, {3, 3, 3, 3}, 5},
                      UnapprovedCase{"EightRows", 6, 2, true, {1, 2, 3, 4, 5, 5}, 5},
                      UnapprovedCase{"NineRowsSixApproved", 6, 3, true, {1, 2, 3, 4, 5, 5}, 0},
                      UnapprovedCase{"NineRowsEightApproved", 8, 1, true, {1, 2, 3, 4, 5, 5, 5, 5}, 0},
                      UnapprovedCase{"ThreeRowsUndecidedFinal", 2, 1, false, {5, 5}, 5}),
    [](const ::testing::TestParamInfo<UnapprovedCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Rows written by hand.

TEST_F(PlacingsTest, DerecePuanlaMarksTheBoutsAndAddsThePointsOfEachPlace)
{
    const int a = addEntrant("A", "R1"), b = addEntrant("B", "R2"), c = addEntrant("C", "R3"), d = addEntrant("D", "R4");
    addBout(1, Rounds::SemiFinal, a, "A", b, "B", a);
    addBout(2, Rounds::SemiFinal, c, "C", d, "D", d);
    addBout(3, Rounds::ThirdPlace, QVariant(), "-", QVariant(), "-");
    addBout(4, Rounds::Final, a, "A", d, "D", d);
    db.exec("update C_KURA set Derece1 = 3 where Kura_Key = 3");

    // Every row starts with one point; the places add theirs.
    Placings::DerecePuanla(db, {7, 5, 3});
    EXPECT_EQ(marks(4), "2/1");
    EXPECT_EQ(marks(1), "/3");
    EXPECT_EQ(marks(2), "3/");
    EXPECT_EQ(marks(3), "/") << "the third-place row is cleared and never marked";
    EXPECT_EQ(puan(), (std::map<int, int>{{a, 6}, {b, 4}, {c, 4}, {d, 8}}));

    // A second run marks afresh and adds again: the caller clears Puan.
    db.exec("update C_KURA set Derece1 = 1, Derece2 = 1");
    Placings::DerecePuanla(db, {7, 5, 3});
    EXPECT_EQ(marks(4), "2/1");
    EXPECT_EQ(marks(1), "/3");
    EXPECT_EQ(puan(), (std::map<int, int>{{a, 11}, {b, 7}, {c, 7}, {d, 15}}));
}

TEST_F(PlacingsTest, NamesakesArePlacedByBackNumberAndSide)
{
    // The champion's namesake lost the other semi-final: he is third, and
    // the runner-up, another namesake, is second.
    const int a = addEntrant("AHMET YILMAZ", "R1"), b = addEntrant("AHMET YILMAZ", "R2");
    const int c = addEntrant("AHMET YILMAZ", "R3"), d = addEntrant("MEHMET KAYA", "R4");
    addBout(1, Rounds::SemiFinal, a, "AHMET YILMAZ", d, "MEHMET KAYA", a);
    addBout(2, Rounds::SemiFinal, b, "AHMET YILMAZ", c, "AHMET YILMAZ", c);
    addBout(3, Rounds::ThirdPlace, QVariant(), "-", QVariant(), "-");
    addBout(4, Rounds::Final, a, "AHMET YILMAZ", c, "AHMET YILMAZ", c);

    Placings::Derecele(db, {QString(), true});
    EXPECT_EQ(marks(4), "2/1");
    EXPECT_EQ(marks(2), "3/");
    EXPECT_EQ(marks(1), "/3");
    // The runner-up (a) beat d in his semi-final: d is fourth.
    EXPECT_EQ(puan(), (std::map<int, int>{{a, 2}, {b, 3}, {c, 1}, {d, 4}}));
}

TEST_F(PlacingsTest, AnUndecidedFinalGivesThirdPlaceToEverySeatedSemiFinalSide)
{
    const int a = addEntrant("A", "R1"), b = addEntrant("B", "R2"), c = addEntrant("C", "R3"), d = addEntrant("D", "R4");
    addBout(1, Rounds::SemiFinal, a, "A", b, "B", a);
    addBout(2, Rounds::SemiFinal, c, "C", d, "D", d);
    addBout(3, Rounds::ThirdPlace, QVariant(), "-", QVariant(), "-");
    addBout(4, Rounds::Final, a, "A", d, "D");

    Placings::DerecePuanla(db, {1, 2, 3});
    EXPECT_EQ(marks(4), "/") << "no first and second place";
    EXPECT_EQ(marks(1), "3/3") << "the semi-final winner is third too";
    EXPECT_EQ(marks(2), "3/3");
    // Four thirds: no fourth place.
    Placings::Derecele(db, {QString(), true});
    EXPECT_EQ(puan(), (std::map<int, int>{{a, 3}, {b, 3}, {c, 3}, {d, 3}}));
}

TEST_F(PlacingsTest, UndecidedSemiFinalsGiveThirdPlaceToBothSidesForNow)
{
    const int a = addEntrant("A", "R1"), b = addEntrant("B", "R2"), c = addEntrant("C", "R3"), d = addEntrant("D", "R4");
    addBout(1, Rounds::SemiFinal, a, "A", b, "B");
    addBout(2, Rounds::SemiFinal, c, "C", d, "D", d);
    addBout(3, Rounds::ThirdPlace, QVariant(), "-", QVariant(), "-");
    addBout(4, Rounds::Final, QVariant(), "YARI FİNAL 1.MAÇ", d, "D");
    Placings::Derecele(db, {QString(), true});
    EXPECT_EQ(puan(), (std::map<int, int>{{a, 3}, {b, 3}, {c, 3}, {d, 3}}));
}

TEST_F(PlacingsTest, ASideWhoseBackNumberIsHeldTwiceGetsNoPlace)
{
    const int a = addEntrant("A", "R1"), b = addEntrant("B", "R2");
    addBout(1, Rounds::Final, a, "A", b, "B", a);
    db.insert("C_LISTE", {{"Liste_Key", 900}, {"Brans", kBranch}, {"Cinsiyet", kMen}, {"Ad", "B2"}, {"Sira", b},
                          {"Onay", 1}, {"Puan", 1}});
    Placings::DerecePuanla(db, {1, 2, 3});
    EXPECT_EQ(marks(1), "1/2");
    EXPECT_EQ(db.scalar("select Puan from C_LISTE where Sira = :n", {{"n", a}}).toInt(), 2);
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE where Sira = :n and Puan = 1", {{"n", b}}).toInt(), 2)
        << "neither of the two rows of back number " << b << " gets the place";
}

TEST_F(PlacingsTest, ACategoryWithoutBoutsGetsOnlyFifthPlaces)
{
    addEntrants(3, region);
    addEntrant("GELMEYEN", "R9", kBranch, kMen, 0);
    Placings::Derecele(db, {QString(), true});
    EXPECT_EQ(sorted(puan()), (std::vector<int>{5, 5, 5, 5})) << "the unapproved row too";
    EXPECT_EQ(db.scalar("select count(*) from C_KURA").toInt(), 0);
}

TEST_F(PlacingsTest, ABoutEnteredByHandIsItsOwnFinal)
{
    // Bout entry writes "Final" and counter back numbers that no weigh-in row
    // holds: the bout is marked, nobody gets points.
    addEntrant("A", "R1");
    addBout(1, "Final", 9001, "X", 9002, "Y", 9002);
    Placings::DerecePuanla(db, {1, 2, 3});
    EXPECT_EQ(marks(1), "2/1");
    EXPECT_EQ(db.scalar("select Puan from C_LISTE").toInt(), 1);
}

} // namespace
