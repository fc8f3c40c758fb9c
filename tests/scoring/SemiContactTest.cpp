// Semi-contact scoring: signed points of 1, 2 or 3, the warnings that turn
// into points and their taking back, the yellow score at the limits, and the
// extra round as round four.
#include "LiveFixture.h"

using namespace ScoreboardLook;

namespace {

const QString kSemiContactBranch = QStringLiteral("57 KİLO ERKEK SEMI CONTACT");

class SemiContactTest : public LiveTest {
protected:
    void openSemi(const QVariantMap& extra = {})
    {
        addStandardBout(extra, kSemiContactBranch);
        match->shownBranch = kSemiContactBranch;
        Settings s;
        s.judge3.clear();
        openBout(1, s);
        ASSERT_TRUE(Skor->isVisible());
        ASSERT_EQ(live->FSemiContact, 1);
    }

    // Runs operations written as words: "B+3" blue plus 3 points, "R-1" red
    // minus 1, "BF+" a blue Foul, "RE-" a red Exit taken back.
    void run(const QString& ops)
    {
        for (const QString& op : ops.split(' ', Qt::SkipEmptyParts)) {
            const bool blue = op[0] == 'B';
            if (op[1] == '+' || op[1] == '-') {
                const int n = op.mid(2).toInt();
                if (op[1] == '+')
                    blue ? live->M_Arti_Puan(n) : live->K_Arti_Puan(n);
                else
                    blue ? live->M_Eksi_Puan(n) : live->K_Eksi_Puan(n);
                continue;
            }
            live->selectPenalty(op[1] == 'F' ? Foul : Exit);
            const bool add = op[2] == '+';
            if (blue)
                add ? live->SpeedButton5Click() : live->SpeedButton6Click();
            else
                add ? live->SpeedButton7Click() : live->SpeedButton8Click();
        }
    }
};

// --- The warning rules, every branch -----------------------------------------------

struct WarningCase {
    const char* name;
    QVariantMap stored;     // the bout row before the opening
    const char* ops;
    int puan1;
    int puan2;
    QList<int> counts;      // blue Foul, blue Exit, red Foul, red Exit
    std::array<int, 4> converted;
};

std::ostream& operator<<(std::ostream& os, const WarningCase& c)
{
    return os << c.name;
}

class Warnings : public SemiContactTest, public ::testing::WithParamInterface<WarningCase> {};

TEST_P(Warnings, MoveThePointsAsTheRulesSay)
{
    const WarningCase& c = GetParam();
    openSemi(c.stored);
    run(c.ops);
    const Record row = bout(1);
    EXPECT_EQ(row.toInt("Puan1"), c.puan1);
    EXPECT_EQ(row.toInt("Puan2"), c.puan2);
    EXPECT_EQ((QList<int>{row.toInt("C2M"), row.toInt("C3M"), row.toInt("C2K"), row.toInt("C3K")}), c.counts);
    EXPECT_EQ(live->FConvertedWarnings, c.converted);
    EXPECT_EQ(Skor->PuanS1->text(), QString::number(c.puan1));
    EXPECT_EQ(Skor->PuanS2->text(), QString::number(c.puan2));
    // The round record holds the points where full contact has the Minus
    // counts.
    const QStringList r1 = row.str("R1").split(';');
    ASSERT_EQ(r1.size(), 12);
    EXPECT_EQ(r1[6], QString::number(c.puan1));
    EXPECT_EQ(r1[9], QString::number(c.puan2));
    EXPECT_EQ(r1[7], QString::number(c.counts[0]));
    EXPECT_EQ(r1[8], QString::number(c.counts[1]));
    EXPECT_EQ(r1[10], QString::number(c.counts[2]));
    EXPECT_EQ(r1[11], QString::number(c.counts[3]));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Warnings,
    ::testing::Values(
        WarningCase{"FirstWarningChangesNoPoints", {}, "B+2 BF+", 2, 0, {1, 0, 0, 0}, {0, 0, 0, 0}},
        WarningCase{"SecondFoulOfAPointlessSideGivesTheOpponentAPoint", {}, "BF+ BF+", 0, 1, {2, 0, 0, 0},
                    {1, 0, 0, 0}},
        WarningCase{"ThatFoulTakenBackTakesThePointFromTheOpponent", {}, "R+2 BF+ BF+ BF-", 0, 2, {1, 0, 0, 0},
                    {0, 0, 0, 0}},
        WarningCase{"SecondExitOfAScoringSideCostsHimAPoint", {}, "B+3 BE+ BE+", 2, 0, {0, 2, 0, 0}, {0, 0, 0, 0}},
        WarningCase{"ThatExitTakenBackGivesThePointBack", {}, "B+3 BE+ BE+ BE-", 3, 0, {0, 1, 0, 0}, {0, 0, 0, 0}},
        WarningCase{"ThirdWarningAlsoCounts", {}, "BF+ BF+ BF+", 0, 2, {3, 0, 0, 0}, {2, 0, 0, 0}},
        WarningCase{"FourthWarningChangesNoPoints", {}, "B+3 BF+ BF+ BF+ BF+", 1, 0, {4, 0, 0, 0}, {0, 0, 0, 0}},
        WarningCase{"FifthWarningIsRefused", {}, "BF+ BF+ BF+ BF+ BF+", 0, 2, {4, 0, 0, 0}, {2, 0, 0, 0}},
        WarningCase{"TakingBackTheFourthChangesNoPoints", {}, "BF+ BF+ BF+ BF+ BF-", 0, 2, {3, 0, 0, 0},
                    {2, 0, 0, 0}},
        WarningCase{"TakingBackTheFirstChangesNoPoints", {}, "B+1 BF+ BF-", 1, 0, {0, 0, 0, 0}, {0, 0, 0, 0}},
        WarningCase{"NothingToTakeBackIsRefused", {}, "B+1 BF- RE-", 1, 0, {0, 0, 0, 0}, {0, 0, 0, 0}},
        WarningCase{"RedIsTheTwin", {}, "RE+ RE+ B+1 RF+ RF+", 3, 0, {0, 0, 2, 2}, {0, 0, 1, 1}},
        WarningCase{"ANegativeSideGivesTheOpponentThePoint", {}, "B-3 BF+ BF+", -3, 1, {2, 0, 0, 0}, {1, 0, 0, 0}},
        // Taking back undoes exactly what the warning did, in reverse order.
        WarningCase{"ThirdConvertedSecondDeductedUndoneInTurn", {}, "B+1 BF+ BF+ BF+ BF-", 0, 0, {2, 0, 0, 0},
                    {0, 0, 0, 0}},
        WarningCase{"ThenTheSecondGivesTheOffenderHisPointBack", {}, "B+1 BF+ BF+ BF+ BF- BF-", 1, 0, {1, 0, 0, 0},
                    {0, 0, 0, 0}},
        WarningCase{"AConvertedWarningTakenBackAfterTheOffenderScored", {}, "BF+ BF+ B+2 BF-", 2, 0, {1, 0, 0, 0},
                    {0, 0, 0, 0}},
        WarningCase{"AConvertedWarningTakenBackAfterTheOpponentLostHisPoints", {}, "BF+ BF+ R-1 BF-", 0, -1,
                    {1, 0, 0, 0}, {0, 0, 0, 0}},
        WarningCase{"ADeductedWarningTakenBackAfterTheOffenderLostHisPoints", {}, "B+1 BE+ BE+ B-2 BE-", -1, 0,
                    {0, 1, 0, 0}, {0, 0, 0, 0}},
        // Warnings given before this opening: what they did is judged from the
        // points.
        WarningCase{"EarlierWarningOfAScoringSideGivesHimAPoint",
                    {{"C2M", 2}, {"Puan1", 2}, {"Puan2", 1}}, "BF-", 3, 1, {1, 0, 0, 0}, {0, 0, 0, 0}},
        WarningCase{"EarlierWarningWithAPointlessOpponentGivesTheOffenderAPoint",
                    {{"C2M", 2}, {"Puan1", 0}, {"Puan2", 0}}, "BF-", 1, 0, {1, 0, 0, 0}, {0, 0, 0, 0}},
        WarningCase{"EarlierWarningNotConvertedInThisOpeningGivesTheOffenderAPoint",
                    {{"C2M", 2}, {"Puan1", 0}, {"Puan2", 1}}, "BF-", 1, 1, {1, 0, 0, 0}, {0, 0, 0, 0}},
        WarningCase{"AWarningGivenAfterTheOpeningIsKnown", {{"C2M", 1}, {"Puan1", 0}, {"Puan2", 3}},
                    "BF+ BF-", 0, 3, {1, 0, 0, 0}, {0, 0, 0, 0}}),
    [](const ::testing::TestParamInfo<WarningCase>& info) { return std::string(info.param.name); });

// The category's name decides the kind of bout in any case, Turkish
// letters folded: a name typed in lower case opens a semi-contact bout.
class SemiContactNames : public LiveTest, public ::testing::WithParamInterface<std::pair<const char*, int>> {};

TEST_P(SemiContactNames, OpenTheirKindOfBout)
{
    const QString branch = QString::fromUtf8(GetParam().first);
    addStandardBout({}, branch);
    match->shownBranch = branch;
    Settings s;
    s.judge3.clear();
    openBout(1, s);
    ASSERT_TRUE(Skor->isVisible());
    EXPECT_EQ(live->FSemiContact, GetParam().second) << GetParam().first;
}

INSTANTIATE_TEST_SUITE_P(Names, SemiContactNames,
                         ::testing::Values(std::pair{"57 kilo erkek semi contact", 1},
                                           std::pair{"57 KİLO ERKEK Semi Contact", 1},
                                           std::pair{"57 KİLO ERKEK SEMİ CONTACT", 1},
                                           std::pair{"57 KİLO ERKEK point fighting", 1}));

TEST_F(SemiContactTest, PointOperationsDoNothingInFullContact)
{
    addStandardBout();
    openBout(1);
    live->M_Arti_Puan(3);
    live->K_Eksi_Puan(2);
    EXPECT_EQ(bout(1).toInt("Puan1"), 0);
    EXPECT_EQ(bout(1).toInt("Puan2"), 0);
    EXPECT_EQ(bout(1).str("R1"), "");
}

TEST_F(SemiContactTest, PointsHaveNoFloor)
{
    openSemi();
    run("R+2 R-3 B-1 B-2");
    EXPECT_EQ(bout(1).toInt("Puan2"), -1);
    EXPECT_EQ(bout(1).toInt("Puan1"), -3);
    EXPECT_EQ(Skor->PuanS2->text(), "-1");
    EXPECT_EQ(bout(1).str("R1"), "0;0;0;0;0;0;-3;0;0;-1;0;0");
}

// --- The yellow score -----------------------------------------------------------

struct YellowCase {
    const char* ops;
    bool yellow;
};

std::ostream& operator<<(std::ostream& os, const YellowCase& c)
{
    return os << c.ops;
}

class YellowScore : public SemiContactTest, public ::testing::WithParamInterface<YellowCase> {};

TEST_P(YellowScore, AtAGapOfTenOrAFourthWarning)
{
    openSemi();
    run(GetParam().ops);
    const QColor expected = GetParam().yellow ? Yellow : White;
    EXPECT_EQ(textColour(Skor->PuanS1), expected);
    EXPECT_EQ(textColour(Skor->PuanS2), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, YellowScore,
                         ::testing::Values(YellowCase{"B+3 B+3 B+3 B+3 R+2", true},        // 12 - 2
                                           YellowCase{"B+3 B+3 B+3 B+3 R+2 R+1", false},   // gap 9
                                           YellowCase{"B+3 B+3 B+3 B+1", true},            // gap 10
                                           YellowCase{"B+3 B+3 B+3", false},               // gap 9
                                           YellowCase{"R+3 R+3 R+3 R+1 B-1 B+1", true},    // gap 10 on red
                                           YellowCase{"B-3 B-3 B-3 B-1", true},            // -10 to 0
                                           YellowCase{"RF+ RF+ RF+ RF+", true},            // four Fouls
                                           YellowCase{"RF+ RF+ RF+", false},
                                           YellowCase{"BE+ BE+ BE+ BE+", true},            // four Exits
                                           YellowCase{"BE+ BE+ BE+ BE+ BE-", false}));

// --- The extra round -----------------------------------------------------------------

TEST_F(SemiContactTest, TheExtraRoundIsRoundFourWithItsOwnLengthAndRecord)
{
    openSemi({{"Raunt", 3}, {"n_time", "00:00:02"}, {"d_time", "00:00:02"}});
    run("B+2");
    live->IlaveRound();
    EXPECT_EQ(Skor->Label4->text(), "READY") << "not before the last round is over";
    live->SpeedButton1Click();
    time->advance(3);
    EXPECT_EQ(Skor->Label4->text(), "TIME STOP!");
    EXPECT_EQ(textColour(Skor->Label4), Yellow);
    EXPECT_EQ(bout(1).str("R3"), "0;0;0;0;0;0;2;0;0;0;0;0");

    live->IlaveRound();
    EXPECT_EQ(Skor->Label4->text(), "EXTRA TIME");
    EXPECT_EQ(Skor->n_time->text(), "00:00:00");
    EXPECT_FALSE(Skor->ComboBox1->isVisible());
    time->advance(1);
    EXPECT_EQ(Skor->Raunt->text(), "4");
    EXPECT_EQ(bout(1).toInt("Raunt"), 4);
    EXPECT_EQ(Skor->n_time->text(), "00:01:00") << "the extension's length";
    EXPECT_EQ(Skor->Label4->text(), "READY");

    live->IlaveRound();
    EXPECT_EQ(Skor->Label4->text(), "READY") << "one extra round only";
    live->SpeedButton1Click();
    run("R+3 RF+");
    EXPECT_EQ(bout(1).str("R4"), "0;0;0;0;0;0;2;0;0;3;1;0") << "round four has the fourth record";
    EXPECT_EQ(bout(1).str("R3"), "0;0;0;0;0;0;2;0;0;0;0;0") << "round three keeps its totals";
    time->advance(61);
    EXPECT_EQ(Skor->Label4->text(), "TIME STOP!");
    EXPECT_FALSE(live->Timer2->isEnabled()) << "no break after the extra round";
    EXPECT_EQ(bout(1).str("Karar"), "") << "the operator decides";
}

TEST_F(SemiContactTest, ABoutReopenedAboveItsRoundsIsInItsExtraRound)
{
    openSemi({{"Raunt", 4}, {"n_time", "00:00:00"}});
    EXPECT_EQ(live->FExtraRound, 1);
    live->IlaveRound();
    EXPECT_NE(Skor->Label4->text(), "EXTRA TIME");
}

TEST_F(SemiContactTest, WarningsMayBeTakenBackAfterTheDecision)
{
    openSemi();
    run("BF+ BF+");
    key(Qt::Key_S);
    Skor->ComboBox1->setCurrentIndex(1);
    Skor->ComboBox2->setCurrentIndex(Skor->ComboBox2->findText("Points"));
    click(Skor->BitBtn1);
    ASSERT_EQ(live->FBoutDecided, 1);
    run("BF-");
    EXPECT_EQ(bout(1).toInt("C2M"), 1);
    EXPECT_EQ(bout(1).toInt("Puan2"), 0);
    // The end of the bout may be given again and the winner entered anew.
    key(Qt::Key_S);
    EXPECT_TRUE(Skor->ComboBox1->isVisible());
    Skor->ComboBox1->setCurrentIndex(2);
    Skor->ComboBox2->setCurrentIndex(Skor->ComboBox2->findText("Even"));
    click(Skor->BitBtn1);
    EXPECT_EQ(bout(1).str("Karar"), "EVEN");
}

} // namespace
