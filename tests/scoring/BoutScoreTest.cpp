// The computing routines of live scoring, without widgets: round records,
// the judges' evaluation, the clock text and the ring and match code.
#include "ScoringFixture.h"
#include "scoring/BoutScore.h"

namespace {

TEST(RoundRecordTest, ComposesTwelveRunningTotals)
{
    BoutCards c;
    c.judgeBlue = {2, 3, 0};
    c.judgeRed = {2, 1, -1};
    c.blue = {1, 2, 3};
    c.red = {0, 4, 5};
    c.puan1 = 7;
    c.puan2 = 8;
    EXPECT_EQ(RoundRecord::compose(c, false), "2;2;3;1;0;-1;1;2;3;0;4;5");
    // A semi-contact bout keeps its points where the Minus counts stand.
    EXPECT_EQ(RoundRecord::compose(c, true), "2;2;3;1;0;-1;7;2;3;8;4;5");
}

TEST(RoundRecordTest, ColumnsOfTheFirstFourRoundsOnly)
{
    EXPECT_EQ(RoundRecord::column(1), "R1");
    EXPECT_EQ(RoundRecord::column(4), "R4");
    EXPECT_EQ(RoundRecord::column(5), "");
    EXPECT_EQ(RoundRecord::column(0), "");
}

struct SplitCase {
    const char* record;
    QStringList fields;
};

class AnalizTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(AnalizTest, SplitsIntoTwelveFields)
{
    EXPECT_EQ(RoundRecord::Analiz(GetParam().record), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Records, AnalizTest,
    ::testing::Values(SplitCase{"", QStringList(12, "0")},
                      SplitCase{"1;2;;4", {"1", "2", "0", "4", "", "", "", "", "", "", "", ""}},
                      SplitCase{"1;2;3;4;5;6;7;8;9;10;11;12", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}},
                      // The field after the last separator stays as read,
                      // also when it is empty.
                      SplitCase{"-1;5;", {"-1", "5", "", "", "", "", "", "", "", "", "", ""}},
                      // Values beyond the twelfth have no place.
                      SplitCase{"1;2;3;4;5;6;7;8;9;10;11;12;13;14",
                                {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}}));

TEST(RoundRecordTest, LastRoundIsTheLastRecordMinusTheOneBefore)
{
    const auto d = RoundRecord::lastRound({"3;1;0;0;2;2;0;0;0;0;0;0", "5;4;1;0;4;3;1;0;0;0;0;0", "", ""});
    EXPECT_EQ(d[0], 2);
    EXPECT_EQ(d[1], 3);
    EXPECT_EQ(d[2], 1);
    EXPECT_EQ(d[4], 2);
    EXPECT_EQ(d[5], 1);
    EXPECT_EQ(d[6], 1);
    // Only one record: round one's points are the record itself.
    EXPECT_EQ(RoundRecord::lastRound({"3;1;0;0;0;0;0;0;0;0;0;0"})[1], 1);
    // No record: nothing.
    EXPECT_EQ(RoundRecord::lastRound({"", "", "", ""}), (std::array<int, 12>{}));
}

// --- The judges' evaluation ------------------------------------------------

struct EvalCase {
    const char* name;
    std::array<int, 6> cards;        // judge 1 blue, red, judge 2 blue, red, judge 3 blue, red
    std::array<int, 6> lastRound;    // the same for the last round
    int askJudge;
    int puan1;
    int puan2;
    int winnerSide;
    std::array<int, 3> lastRoundWinners;
};

void PrintTo(const EvalCase& c, std::ostream* os) { *os << c.name; }

class EvaluateTest : public ::testing::TestWithParam<EvalCase> {};

TEST_P(EvaluateTest, VotesAndLevelCards)
{
    const EvalCase& c = GetParam();
    BoutCards cards;
    for (int j = 0; j < 3; ++j) {
        cards.judgeBlue[size_t(j)] = c.cards[size_t(2 * j)];
        cards.judgeRed[size_t(j)] = c.cards[size_t(2 * j + 1)];
    }
    Judging::countVotes(cards);
    std::array<int, 12> last{};
    std::copy(c.lastRound.begin(), c.lastRound.end(), last.begin());
    const Judging::Evaluation e = Judging::evaluate(cards, last);
    EXPECT_EQ(e.askJudge, c.askJudge);
    EXPECT_EQ(e.lastRoundWinners, c.lastRoundWinners);
    if (c.askJudge == 0) {
        EXPECT_EQ(e.puan1, c.puan1);
        EXPECT_EQ(e.puan2, c.puan2);
        EXPECT_EQ(e.winnerSide, c.winnerSide);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cards, EvaluateTest,
    ::testing::Values(
        EvalCase{"EachJudgeVotesForTheSideAhead", {3, 2, 4, 1, 2, 3}, {}, 0, 2, 1, 1, {0, 0, 0}},
        EvalCase{"RedAheadOnTwoCards", {1, 2, 0, 3, 5, 4}, {}, 0, 1, 2, 2, {0, 0, 0}},
        EvalCase{"LevelCardGoesToItsLastRound", {3, 2, 2, 3, 4, 4}, {0, 0, 0, 0, 2, 1}, 0, 2, 1, 1, {0, 0, 1}},
        EvalCase{"LevelCardWonByRedInTheLastRound", {3, 2, 2, 3, 4, 4}, {0, 0, 0, 0, 1, 3}, 0, 1, 2, 2, {0, 0, 2}},
        EvalCase{"CardAndLastRoundLevelAskTheJudge", {3, 3, 4, 1, 1, 4}, {1, 1, 0, 0, 0, 0}, 1, 0, 0, 0, {0, 0, 0}},
        EvalCase{"FirstFullyLevelJudgeIsAsked", {2, 2, 3, 3, 1, 1}, {1, 1, 2, 2, 0, 0}, 1, 0, 0, 0, {0, 0, 0}},
        EvalCase{"SecondJudgeAskedWhenTheFirstHasALastRound", {2, 2, 3, 3, 1, 1}, {2, 1, 2, 2, 1, 1}, 2, 0, 0, 0, {1, 0, 0}},
        EvalCase{"EveryLevelCardVotesByItsLastRound", {2, 2, 3, 3, 1, 1}, {2, 1, 0, 1, 1, 0}, 0, 2, 1, 1, {1, 2, 1}},
        EvalCase{"TwoLevelCardsBesideOneVote", {2, 2, 4, 1, 1, 1}, {2, 1, 0, 0, 0, 1}, 0, 2, 1, 1, {1, 0, 2}},
        EvalCase{"NegativeCardsCountAsWell", {-1, 0, -2, -2, 0, -1}, {0, 0, 1, 0, 0, 0}, 0, 2, 1, 1, {0, 1, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Clock text and ring code -----------------------------------------------

TEST(ClockTextTest, FormatsAndReads)
{
    EXPECT_EQ(ClockText::format(0), "00:00:00");
    EXPECT_EQ(ClockText::format(125), "00:02:05");
    EXPECT_EQ(ClockText::format(3725), "01:02:05");
    EXPECT_EQ(ClockText::parse("00:02:05"), 125);
    EXPECT_EQ(ClockText::parse("1899-12-30 00:01:00"), 60);
    EXPECT_FALSE(ClockText::parse("").has_value());
    EXPECT_FALSE(ClockText::parse("00:75:00").has_value());
}

struct ProposalCase {
    const char* name;
    QStringList codes;
    int defaultRing;
    const char* ring;
    const char* match;
};

void PrintTo(const ProposalCase& c, std::ostream* os) { *os << c.name; }

class RingMatchProposal : public ::testing::TestWithParam<ProposalCase> {};

TEST_P(RingMatchProposal, NextMatchOfTheRing)
{
    const ProposalCase& c = GetParam();
    const RingMatch::Code code = RingMatch::propose(c.codes, c.defaultRing);
    EXPECT_EQ(code.ring, c.ring);
    EXPECT_EQ(code.match, c.match);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, RingMatchProposal,
    ::testing::Values(ProposalCase{"NoNumberedBout", {}, 1, "1", "001"},
                      ProposalCase{"NoNumberedBoutKeepsTheLastRing", {"7"}, 3, "3", "001"},
                      ProposalCase{"HighestOfTheLastBoutsRing", {"1005", "2009", "1012", "1003"}, 1, "1", "013"},
                      ProposalCase{"OtherRingsDoNotCount", {"2020", "1002"}, 5, "1", "003"},
                      ProposalCase{"TwoDigitRings", {"10005", "12001", "12007"}, 1, "12", "008"},
                      ProposalCase{"ShortLastCodeGivesNoRing", {"1005", "9"}, 4, "4", "001"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RingMatchTest, RingsOfOneAndTwoDigitsKeepTheirMatch)
{
    EXPECT_EQ(RingMatch::compose(1, 5), "1005");
    EXPECT_EQ(RingMatch::compose(12, 5), "12005");
    EXPECT_EQ(RingMatch::compose(20, 123), "20123");
    const auto one = RingMatch::split("1005");
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ(one->ring, "1");
    EXPECT_EQ(one->match, "005");
    const auto twelve = RingMatch::split("12005");
    ASSERT_TRUE(twelve.has_value());
    EXPECT_EQ(twelve->ring, "12");
    EXPECT_EQ(twelve->match, "005");
    EXPECT_FALSE(RingMatch::split("105").has_value());
}

} // namespace
