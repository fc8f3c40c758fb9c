// Points on the judges' cards, penalties and the round record, each written
// into the bout row by the operation that makes it.
#include "LiveFixture.h"

#include <QAbstractButton>
#include <QGroupBox>

using namespace ScoreboardLook;

namespace {

class ScoringOpsTest : public LiveTest {
protected:
    void SetUp() override
    {
        LiveTest::SetUp();
        addStandardBout();
        openBout(1);
        ASSERT_TRUE(Skor->isVisible());
    }

    // One event of a sequence: "1B+" judge 1 blue point, "2R-" judge 2 red
    // point off, "MB+" blue Minus, "FR-" red Foul taken back, "EB+" blue
    // Exit, ">" next round.
    void event(const QString& e)
    {
        if (e == ">") {
            live->SpeedButton3Click();
            return;
        }
        const bool blue = e[1] == 'B';
        const bool add = e[2] == '+';
        if (e[0].isDigit()) {
            add ? judgePoint(e[0].digitValue(), blue) : judgePointOff(e[0].digitValue(), blue);
            return;
        }
        const Penalty kind = e[0] == 'M' ? Minus : e[0] == 'F' ? Foul : Exit;
        live->selectPenalty(kind);
        if (blue)
            add ? live->SpeedButton5Click() : live->SpeedButton6Click();
        else
            add ? live->SpeedButton7Click() : live->SpeedButton8Click();
    }
};

struct SequenceCase {
    const char* name;
    QStringList events;
    QStringList records;    // R1 .. R4
    int puan1;
    int puan2;
    std::array<int, 6> penalties;   // C1M C2M C3M C1K C2K C3K
};

void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.name; }

class RoundRecords : public ScoringOpsTest, public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(RoundRecords, GiveTheRecordsTotalsAndCounts)
{
    const SequenceCase& c = GetParam();
    for (const QString& e : c.events)
        event(e);
    const Record row = bout(1);
    EXPECT_EQ((QStringList{row.str("R1"), row.str("R2"), row.str("R3"), row.str("R4")}), c.records);
    EXPECT_EQ(row.toInt("Puan1"), c.puan1);
    EXPECT_EQ(row.toInt("Puan2"), c.puan2);
    const std::array<int, 6> penalties{row.toInt("C1M"), row.toInt("C2M"), row.toInt("C3M"),
                                       row.toInt("C1K"), row.toInt("C2K"), row.toInt("C3K")};
    EXPECT_EQ(penalties, c.penalties);
    // The draw's Foul columns are no penalty counters.
    EXPECT_EQ(row.toInt("Foul1"), 0);
    EXPECT_EQ(row.toInt("Foul2"), 0);
    // The scoreboard shows what the row holds.
    EXPECT_EQ(Skor->Puan1->text(), QString::number(c.puan1));
    EXPECT_EQ(Skor->Puan2->text(), QString::number(c.puan2));
    EXPECT_EQ(Skor->Label29->text(), QString::number(c.penalties[1]));
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, RoundRecords,
    ::testing::Values(
        SequenceCase{"OneRound", {"1B+", "1B+", "2R+"}, {"2;0;0;1;0;0;0;0;0;0;0;0", "", "", ""}, 1, 1, {}},
        SequenceCase{"TwoRounds",
                     {"1B+", ">", "1R+", "1R+"},
                     {"1;0;0;0;0;0;0;0;0;0;0;0", "1;2;0;0;0;0;0;0;0;0;0;0", "", ""},
                     0, 1, {}},
        SequenceCase{"BlueMinus", {"MB+"}, {"-1;0;-1;0;-1;0;1;0;0;0;0;0", "", "", ""}, 0, 3, {1, 0, 0, 0, 0, 0}},
        SequenceCase{"MinusTakenBack", {"3B+", "MR+", "MR-"}, {"0;0;0;0;1;0;0;0;0;0;0;0", "", "", ""}, 1, 0, {}},
        SequenceCase{"FoulsAndExitInRoundTwo",
                     {">", "FR+", "FR+", "EB+"},
                     {"", "0;0;0;0;0;0;0;0;1;0;2;0", "", ""},
                     0, 0, {0, 0, 1, 0, 2, 0}},
        SequenceCase{"FoulTakenBack", {"FR+", "FR+", "FR-"}, {"0;0;0;0;0;0;0;0;0;0;1;0", "", "", ""}, 0, 0,
                     {0, 0, 0, 0, 1, 0}},
        SequenceCase{"PointsOffGoBelowZero", {"3B-", "3B-"}, {"0;0;0;0;-2;0;0;0;0;0;0;0", "", "", ""}, 0, 1, {}},
        SequenceCase{"FourRounds",
                     {"1B+", ">", "2B+", ">", "3R+", ">", "1R+", "1R+"},
                     {"1;0;0;0;0;0;0;0;0;0;0;0", "1;0;1;0;0;0;0;0;0;0;0;0", "1;0;1;0;0;1;0;0;0;0;0;0",
                      "1;2;1;0;0;1;0;0;0;0;0;0"},
                     1, 2, {}},
        SequenceCase{"NoRecordAfterRoundFour", {">", ">", ">", ">", "1B+"}, {"", "", "", ""}, 1, 0, {}},
        SequenceCase{"PenaltyBeyondItsLimitIsRefused",
                     {"MB+", "MB+", "MB+", "MB+", "MB+"},
                     {"-4;0;-4;0;-4;0;4;0;0;0;0;0", "", "", ""},
                     0, 3, {4, 0, 0, 0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScoringOpsTest, TakingBackBelowZeroIsRefusedSilently)
{
    const Record before = bout(1);
    for (const char* e : {"MB-", "FB-", "ER-", "MR-"})
        event(e);
    EXPECT_EQ(bout(1).values(), before.values());
    EXPECT_TRUE(ui().texts().isEmpty());
    EXPECT_EQ(Skor->Label28->text(), "0");
}

TEST_F(ScoringOpsTest, FoulsAndExitsStopAtFifteenInFullContact)
{
    for (int i = 0; i < 16; ++i) {
        event("FB+");
        event("ER+");
    }
    EXPECT_EQ(bout(1).toInt("C2M"), 15);
    EXPECT_EQ(bout(1).toInt("C3K"), 15);
    EXPECT_EQ(Skor->Label48->text(), QString(15, 'n'));
    // The limit marks the large score.
    EXPECT_EQ(textColour(Skor->PuanS1), Yellow);
}

TEST_F(ScoringOpsTest, AMinusWritesTheRowFourTimes)
{
    // A counter of the writes on the bout row, kept by the database itself.
    db.exec("create temp table w (n integer)");
    db.exec("insert into w values (0)");
    db.exec("create temp trigger count_writes after update on C_KURA begin update w set n = n + 1; end");
    event("MB+");
    EXPECT_EQ(db.scalar("select n from w").toInt(), 4);
}

TEST_F(ScoringOpsTest, JudgesLeadShowsAsMarksAndANumberBesideThem)
{
    // Judge 1 blue 2 red 2, judge 2 blue 3 red 1, judge 3 blue 0 red 1.
    for (const char* e : {"1B+", "1B+", "1R+", "1R+", "2B+", "2B+", "2B+", "2R+", "3R+"})
        event(e);
    EXPECT_EQ(Skor->Puan1->text(), "1");
    EXPECT_EQ(Skor->Puan2->text(), "1");
    EXPECT_EQ(Skor->Label19->text(), "");
    EXPECT_EQ(Skor->Label16->text(), "");
    EXPECT_EQ(Skor->Label20->text(), "nn");
    EXPECT_EQ(Skor->Label45->text(), "2");
    // In the design layout the blue number ends ten pixels before the marks,
    // the red one starts two pixels after them.
    EXPECT_EQ(Skor->Label45->x() + Skor->Label45->width(), Skor->Label20->x() - 10);
    EXPECT_EQ(Skor->Label20->x() + Skor->Label20->width(), Skor->Panel1->width());
    EXPECT_EQ(Skor->Label18->text(), "n");
    EXPECT_EQ(Skor->Label43->text(), "1");
    EXPECT_EQ(Skor->Label43->x(), Skor->Label18->x() + 20 + 2);
    EXPECT_EQ(Skor->Label46->text(), "");
}

TEST_F(ScoringOpsTest, TheLeadNumberFollowsItsMarksUpDownAndAcrossSides)
{
    // Judge 1's lead after each event: blue (Label19 marks, Label44 number)
    // or red (Label16, Label41); a number keeps its place and width only
    // while its text and marks stay.
    struct Step {
        const char* event;
        int lead;   // > 0 blue, < 0 red
    };
    const std::vector<Step> steps = {{"1B+", 1}, {"1B+", 2}, {"1R+", 1}, {"1R+", 0}, {"1R+", -1}, {"1R+", -2},
                                     {"1R-", -1}, {"1B+", 0}, {"2B+", 0}, {"1B+", 1}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.event);
        event(s.event);
        const QString blue = s.lead > 0 ? QString::number(s.lead) : QString();
        const QString red = s.lead < 0 ? QString::number(-s.lead) : QString();
        EXPECT_EQ(Skor->Label44->text(), blue);
        EXPECT_EQ(Skor->Label41->text(), red);
        EXPECT_EQ(Skor->Label19->text(), QString(std::max(0, s.lead), 'n'));
        EXPECT_EQ(Skor->Label16->text(), QString(std::max(0, -s.lead), 'n'));
        EXPECT_EQ(Skor->Label19->width(), 20 * std::max(0, s.lead));
        EXPECT_EQ(Skor->Label16->width(), 20 * std::max(0, -s.lead));
        if (s.lead > 0) {
            EXPECT_EQ(Skor->Label44->x() + Skor->Label44->width(), Skor->Label19->x() - 10);
        }
        if (s.lead < 0) {
            EXPECT_EQ(Skor->Label41->x(), Skor->Label16->x() + 20 * -s.lead + 2);
        }
    }
}

TEST_F(ScoringOpsTest, ALeadNumberOfTwoDigitsIsMeasuredAgain)
{
    for (int i = 0; i < 10; ++i)
        event("3B+");
    const QFontMetrics metrics(Skor->Label46->font());
    EXPECT_EQ(Skor->Label46->text(), "10");
    EXPECT_EQ(Skor->Label46->width(), metrics.horizontalAdvance("10") + 4);
    event("3B-");
    EXPECT_EQ(Skor->Label46->text(), "9");
    EXPECT_EQ(Skor->Label46->width(), metrics.horizontalAdvance("9") + 4);
    EXPECT_EQ(Skor->Label46->x() + Skor->Label46->width(), Skor->Label21->x() - 10);
}

TEST_F(ScoringOpsTest, PenaltyMarksAndBoxesFollowTheCounts)
{
    for (const char* e : {"FB+", "FB+", "EB+", "FR+", "ER+", "ER+", "ER+"})
        event(e);
    EXPECT_EQ(Skor->Label48->text(), "nn");
    EXPECT_EQ(Skor->Label49->text(), "n");
    EXPECT_EQ(Skor->Label52->text(), "nnn");
    EXPECT_EQ(Skor->FMF2->fill(), bgr(0x2A2A2A));
    EXPECT_EQ(Skor->FMF3->fill(), White);
    EXPECT_EQ(Skor->FM1->fill(), bgr(0x2A2A2A));
    EXPECT_EQ(Skor->FK3->fill(), bgr(0x2A2A2A));
    EXPECT_EQ(Skor->FK4->fill(), White);
    EXPECT_EQ(Skor->FKF1->fill(), bgr(0x2A2A2A));
}

TEST_F(ScoringOpsTest, APointInRoundTwoRewritesItsRecordOnly)
{
    event("1B+");
    event(">");
    event("2R+");
    const Record row = bout(1);
    EXPECT_EQ(row.str("R1"), "1;0;0;0;0;0;0;0;0;0;0;0");
    EXPECT_EQ(row.str("R2"), "1;0;0;1;0;0;0;0;0;0;0;0");
    // The round's points are record 2 minus record 1.
    const auto roundTwo = RoundRecord::lastRound({row.str("R1"), row.str("R2")});
    EXPECT_EQ(roundTwo[0], 0);
    EXPECT_EQ(roundTwo[3], 1);
}

TEST_F(ScoringOpsTest, EveryChangeIsOnDiskWhenTheOperationReturns)
{
    // A second connection stands for the file after a power cut.
    Database other;
    other.open(db.path());
    event("1B+");
    EXPECT_EQ(other.first("select H1M from C_KURA where Kura_Key = 1")->toInt("H1M"), 1);
    event("FR+");
    EXPECT_EQ(other.first("select C2K, R1 from C_KURA where Kura_Key = 1")->str("R1"), "1;0;0;0;0;0;0;0;0;0;1;0");
}

TEST_F(ScoringOpsTest, NoJudgeSelectedChangesNothing)
{
    const Record before = bout(1);
    live->select(0);
    live->SpeedButton9Click();
    live->SpeedButton5Click();
    EXPECT_EQ(bout(1).values(), before.values());
}

TEST_F(ScoringOpsTest, NothingIsScoredWithoutAnOpenBout)
{
    Skor->closeUnasked();
    const Record before = bout(1);
    event("1B+");
    event("MB+");
    EXPECT_EQ(bout(1).values(), before.values());
}

} // namespace

namespace {

TEST_F(ScoringOpsTest, TheControlGroupDrivesTheOperationsFromTheMatchScreen)
{
    // The match screen embeds the group; its controls keep their names.
    QWidget matchScreen;
    live->GroupBox2->setParent(&matchScreen);
    EXPECT_EQ(live->GroupBox2->title(), " Skorboard Kontrol ");
    click(child<QRadioButton>(&matchScreen, "RadioButton5"));
    click(child<QAbstractButton>(&matchScreen, "SpeedButton7"));
    EXPECT_EQ(bout(1).toInt("C2K"), 1);
    click(child<QAbstractButton>(&matchScreen, "SpeedButton11"));
    EXPECT_EQ(bout(1).toInt("H2K"), 1);
    click(child<QAbstractButton>(&matchScreen, "SpeedButton1"));
    EXPECT_TRUE(live->Timer1->isEnabled());
    click(child<QAbstractButton>(&matchScreen, "SpeedButton2"));
    EXPECT_FALSE(live->Timer1->isEnabled());
    live->GroupBox2->setParent(nullptr);
}

} // namespace
