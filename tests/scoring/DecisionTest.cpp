// The bout decision: the judges' evaluation at the end of the last round, a
// judge asked to decide his level card, and the operator's winner entry.
#include "LiveFixture.h"

using namespace ScoreboardLook;

namespace {

QVariantMap cardColumns(const std::array<int, 6>& c)
{
    return {{"H1M", c[0]}, {"H1K", c[1]}, {"H2M", c[2]}, {"H2K", c[3]}, {"H3M", c[4]}, {"H3K", c[5]}};
}

class DecisionTest : public LiveTest {
protected:
    // A bout in its last round with the judges' cards and round records.
    void openAtTheEnd(const std::array<int, 6>& cards, const QStringList& records, int rounds = 3,
                      QVariantMap extra = {})
    {
        QVariantMap row = cardColumns(cards);
        for (int i = 0; i < records.size(); ++i)
            row.insert(QString("R%1").arg(i + 1), records[i]);
        row.insert("Raunt", rounds);
        row.insert("Raunt_Say", rounds);
        for (auto it = extra.constBegin(); it != extra.constEnd(); ++it)
            row.insert(it.key(), it.value());
        addStandardBout(row);
        Settings s;
        s.rounds = QString::number(rounds);
        openBout(1, s);
        ASSERT_TRUE(Skor->isVisible());
    }

    QStringList lastRoundCaptions() const
    {
        QStringList c;
        for (QLabel* l : {Skor->Label74, Skor->Label75, Skor->Label76})
            c << (l->isVisible() ? l->text() : QString());
        return c;
    }
};

struct EvaluationCase {
    const char* name;
    std::array<int, 6> cards;
    QStringList records;
    int rounds;
    const char* status;
    int puan1;
    int puan2;
    QStringList captions;
};

void PrintTo(const EvaluationCase& c, std::ostream* os) { *os << c.name; }

class Evaluation : public DecisionTest, public ::testing::WithParamInterface<EvaluationCase> {};

TEST_P(Evaluation, OfTheCardsAtTheEndOfTheLastRound)
{
    const EvaluationCase& c = GetParam();
    openAtTheEnd(c.cards, c.records, c.rounds);
    live->SonucDeg();
    EXPECT_EQ(Skor->Label4->text(), c.status);
    EXPECT_EQ(lastRoundCaptions(), c.captions);
    const Record row = bout(1);
    if (QString(c.status).startsWith("WINNER")) {
        EXPECT_EQ(row.str("Karar"), "Points");
        EXPECT_EQ(row.toInt("Puan1"), c.puan1);
        EXPECT_EQ(row.toInt("Puan2"), c.puan2);
        EXPECT_EQ(Skor->Puan1->text(), QString::number(c.puan1));
        EXPECT_EQ(live->FJudgeLocks, (std::array<int, 3>{1, 1, 1}));
        EXPECT_EQ(live->FBoutDecided, 1);
    } else {
        EXPECT_EQ(row.str("Karar"), "");
        EXPECT_EQ(live->FAwaitingJudgeDecision, 1);
        EXPECT_EQ(live->FBoutDecided, 0);
    }
}

const QString kZero = "0;0;0;0;0;0;0;0;0;0;0;0";

INSTANTIATE_TEST_SUITE_P(
    Cards, Evaluation,
    ::testing::Values(
        EvaluationCase{"TwoJudgesForBlue", {3, 2, 4, 1, 2, 3}, {}, 3, "WINNER by Points!", 2, 1, {"", "", ""}},
        EvaluationCase{"TwoJudgesForRed", {1, 2, 0, 3, 5, 4}, {}, 3, "WINNER by Points!", 1, 2, {"", "", ""}},
        EvaluationCase{"ALevelCardGoesToItsLastRound",
                       {3, 2, 2, 3, 4, 4},
                       {kZero, "3;2;2;3;2;3;0;0;0;0;0;0", "3;2;2;3;4;4;0;0;0;0;0;0"},
                       3, "WINNER by Points!", 2, 1, {"", "", "Last round BLUE"}},
        EvaluationCase{"ALevelCardWonByRedInTheLastRound",
                       {3, 2, 2, 3, 4, 4},
                       {kZero, "3;2;2;3;3;1;0;0;0;0;0;0", "3;2;2;3;4;4;0;0;0;0;0;0"},
                       3, "WINNER by Points!", 1, 2, {"", "", "Last round RED"}},
        EvaluationCase{"ALevelLastRoundAsksTheJudge",
                       {3, 3, 4, 1, 1, 4},
                       {kZero, "2;2;3;1;1;3;0;0;0;0;0;0", "3;3;4;1;1;4;0;0;0;0;0;0"},
                       3, "Referee-1 (ALİ) Decision?", 0, 0, {"", "", ""}},
        EvaluationCase{"AFourRoundBoutIsSettledOnRoundFour",
                       {5, 5, 4, 1, 1, 4},
                       {kZero, "2;2;4;1;1;4;0;0;0;0;0;0", "3;4;4;1;1;4;0;0;0;0;0;0", "5;5;4;1;1;4;0;0;0;0;0;0"},
                       4, "WINNER by Points!", 2, 1, {"Last round BLUE", "", ""}},
        EvaluationCase{"EveryLevelCardVotes",
                       {2, 2, 3, 3, 1, 1},
                       {"1;0;2;3;0;1;0;0;0;0;0;0", "2;2;3;3;1;1;0;0;0;0;0;0"},
                       2, "WINNER by Points!", 2, 1, {"Last round RED", "Last round BLUE", "Last round BLUE"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DecisionTest, TheWinnersAnnouncementAndTheLosersPanel)
{
    openAtTheEnd({3, 2, 4, 1, 2, 3}, {});
    live->SonucDeg();
    EXPECT_EQ(textColour(Skor->Label4), Yellow);
    EXPECT_TRUE(isTransparent(Skor->Label4));
    EXPECT_TRUE(Skor->Label4->alignment() & Qt::AlignLeft);
    EXPECT_EQ(background(Skor->Panel1), Blue);
    EXPECT_EQ(background(Skor->Panel2), bgr(0xA6A6A6));
    EXPECT_EQ(textColour(Skor->PuanS1), White);
    const Record row = bout(1);
    EXPECT_EQ(row.str("Galip"), "11");
    EXPECT_EQ(row.str("Salon"), "AHMET");
}

TEST_F(DecisionTest, TheAskedJudgesPointDecidesAndTheOthersAreLocked)
{
    openAtTheEnd({3, 3, 4, 1, 1, 4}, {kZero, "2;2;3;1;1;3;0;0;0;0;0;0", "3;3;4;1;1;4;0;0;0;0;0;0"});
    live->SonucDeg();
    EXPECT_EQ(live->FJudgeLocks, (std::array<int, 3>{0, 1, 1}));
    EXPECT_FALSE(Skor->Label2->isVisible());
    EXPECT_TRUE(Skor->Label4->alignment() & Qt::AlignHCenter);
    EXPECT_FALSE(isTransparent(Skor->Label4));
    // A locked judge's button does nothing.
    judgePoint(2, false);
    EXPECT_EQ(bout(1).toInt("H2K"), 1);
    // The asked judge's press decides.
    judgePoint(1, true);
    EXPECT_EQ(live->FAwaitingJudgeDecision, 0);
    EXPECT_EQ(Skor->Label4->text(), "WINNER by Points!");
    const Record row = bout(1);
    EXPECT_EQ(row.toInt("H1M"), 4);
    EXPECT_EQ(row.str("Karar"), "Points");
    EXPECT_EQ(row.toInt("Puan1"), 2);
    EXPECT_EQ(row.toInt("Puan2"), 1);
}

TEST_F(DecisionTest, LevelCardsAreAskedOneJudgeAfterTheOther)
{
    openAtTheEnd({2, 2, 3, 3, 1, 1}, {kZero, "1;1;2;2;0;0;0;0;0;0;0;0", "2;2;3;3;1;1;0;0;0;0;0;0"});
    live->SonucDeg();
    EXPECT_EQ(Skor->Label4->text(), "Referee-1 (ALİ) Decision?");
    judgePoint(1, true);
    EXPECT_EQ(Skor->Label4->text(), "Referee-2 (VELİ) Decision?");
    EXPECT_EQ(live->FJudgeLocks, (std::array<int, 3>{1, 0, 1}));
    judgePoint(2, false);
    EXPECT_EQ(Skor->Label4->text(), "Referee-3 (CEM) Decision?");
    judgePoint(3, false);
    EXPECT_EQ(Skor->Label4->text(), "WINNER by Points!");
    EXPECT_EQ(bout(1).toInt("Puan2"), 2);
    EXPECT_EQ(bout(1).str("Galip"), "12");
}

TEST_F(DecisionTest, TakingAMinusBackWhileAJudgeIsAskedRestoresEveryCardAndIsNoVote)
{
    // Blue had a Minus: every card lost a point; judge 1's card is level and
    // so is his last round.
    openAtTheEnd({3, 3, 4, 1, 0, 5}, {kZero, "2;2;3;1;0;4;1;0;0;0;0;0", "3;3;4;1;0;5;1;0;0;0;0;0"}, 3,
                 {{"C1M", 1}});
    live->SonucDeg();
    ASSERT_EQ(Skor->Label4->text(), "Referee-1 (ALİ) Decision?");
    key(Qt::Key_N, Qt::ControlModifier);
    const Record row = bout(1);
    EXPECT_EQ(row.toInt("C1M"), 0);
    // The two locked judges get their point back as well as the asked one.
    EXPECT_EQ(row.toInt("H1M"), 4);
    EXPECT_EQ(row.toInt("H2M"), 5);
    EXPECT_EQ(row.toInt("H3M"), 1);
    // The cards are evaluated again as they now stand: judge 1 has blue
    // ahead by his card, not by a press of his.
    EXPECT_EQ(live->FAwaitingJudgeDecision, 0);
    EXPECT_EQ(row.str("Karar"), "Points");
    EXPECT_EQ(row.toInt("Puan1"), 2);
    EXPECT_EQ(row.toInt("Puan2"), 1);
}

TEST_F(DecisionTest, AMinusTakenBackWhileTheJudgeIsStillLevelKeepsHimAsked)
{
    // Judge 1 is level, and so are the others' cards after the Minus is
    // given back by one point each: the question stays with judge 1.
    openAtTheEnd({3, 3, 4, 1, 1, 4}, {kZero, "2;2;3;1;1;3;0;0;0;0;0;0", "3;3;4;1;1;4;0;0;0;0;0;0"});
    live->SonucDeg();
    state->setMinusPoints(0);
    // A red Minus of no points counted on the scoreboard and taken back.
    key(Qt::Key_M);
    key(Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(Skor->Label4->text(), "Referee-1 (ALİ) Decision?");
    EXPECT_EQ(live->FAwaitingJudgeDecision, 1);
    EXPECT_EQ(bout(1).str("Karar"), "");
}

// --- The operator's winner entry ---------------------------------------------------

struct EntryCase {
    QString decision;
    int side;       // 0 blue, 1 red, 2 even
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.decision.toStdString() << "/" << c.side; }

class WinnerEntry : public DecisionTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(WinnerEntry, StoresTheDecisionAndAnnouncesIt)
{
    const EntryCase& c = GetParam();
    addStandardBout({{"H1M", 2}, {"H2K", 1}, {"Puan1", 1}, {"Puan2", 1}});
    openBout(1);
    key(Qt::Key_X);
    ASSERT_TRUE(Skor->ComboBox1->isVisible());
    EXPECT_EQ(Skor->ComboBox1->itemText(0), "AHMET");
    EXPECT_EQ(Skor->ComboBox1->itemText(1), "BEKİR");
    EXPECT_EQ(Skor->ComboBox1->itemText(2), "EVEN");
    EXPECT_EQ(Skor->ComboBox1->currentIndex(), -1);
    decide(c.side, c.decision);
    const Record row = bout(1);
    EXPECT_FALSE(Skor->ComboBox1->isVisible());
    EXPECT_FALSE(Skor->BitBtn1->isVisible());
    EXPECT_EQ(live->FBoutDecided, 1);
    if (c.side == 2) {
        EXPECT_EQ(row.str("Karar"), "EVEN");
        EXPECT_EQ(Skor->Label4->text(), "EVEN!");
        EXPECT_TRUE(Skor->Label4->alignment() & Qt::AlignHCenter);
        EXPECT_EQ(row.toInt("Puan1"), 1) << "the totals stay";
        EXPECT_EQ(row.toInt("Puan2"), 1);
        EXPECT_EQ(row.str("Galip"), "");
        return;
    }
    EXPECT_EQ(row.str("Karar"), c.decision);
    EXPECT_EQ(Skor->Label4->text(), "WINNER by " + c.decision + "!");
    EXPECT_EQ(row.toInt("Puan1"), c.side == 0 ? 3 : 0);
    EXPECT_EQ(row.toInt("Puan2"), c.side == 0 ? 0 : 3);
    EXPECT_EQ(row.str("Galip"), c.side == 0 ? "11" : "12");
    EXPECT_EQ(background(c.side == 0 ? Skor->Panel2 : Skor->Panel1), bgr(0xA6A6A6));
    EXPECT_TRUE(Skor->Label4->alignment() & (c.side == 0 ? Qt::AlignLeft : Qt::AlignRight));
}

INSTANTIATE_TEST_SUITE_P(Decisions, WinnerEntry,
                         ::testing::Values(EntryCase{"AB", 0}, EntryCase{"RSC", 1}, EntryCase{"WO", 0},
                                           EntryCase{"RSCH", 1}, EntryCase{"KO", 0}, EntryCase{"Points", 1},
                                           EntryCase{"Disq", 0}, EntryCase{"Even", 2}, EntryCase{"Other", 1},
                                           EntryCase{"KO", 2}));

TEST_F(DecisionTest, TheEntryNeedsAWinnerAndADecision)
{
    addStandardBout();
    openBout(1);
    key(Qt::Key_X);
    click(Skor->BitBtn1);
    EXPECT_EQ(ui().lastText(), "Lütfen Kazanan Sporcuyu Seçiniz ...!");
    Skor->ComboBox1->setCurrentIndex(0);
    click(Skor->BitBtn1);
    EXPECT_EQ(ui().lastText(), "Lütfen Kararı Seçiniz ...!");
    EXPECT_TRUE(Skor->ComboBox1->isVisible());
    EXPECT_EQ(bout(1).str("Karar"), "");
}

TEST_F(DecisionTest, AnEndedBoutIsNotEvaluatedByTheClock)
{
    openAtTheEnd({3, 2, 4, 1, 2, 3}, {});
    key(Qt::Key_X);
    live->SonucDeg();
    EXPECT_EQ(Skor->Label4->text(), "Winner:");
    EXPECT_EQ(bout(1).str("Karar"), "");
    // A second X does nothing while the entry is open.
    Skor->ComboBox1->setCurrentIndex(1);
    key(Qt::Key_X);
    EXPECT_EQ(Skor->ComboBox1->currentIndex(), 1);
}

TEST_F(DecisionTest, ABoutOfAnotherBranchThanTheListIsDecidedButNotAdvanced)
{
    addStandardBout();
    openBout(1);
    match->shownBranch = "70 KİLO ERKEK BÜYÜKLER";
    decide(0, "KO");
    EXPECT_EQ(ui().lastText(), "Ekranda farkı bir Branş açık olduğundan Galip Sporcu işlenemedi. Lütfen manual olarak "
                               "işleyiniz ...!");
    EXPECT_EQ(bout(1).str("Karar"), "KO");
    EXPECT_EQ(bout(1).str("Galip"), "");
    EXPECT_EQ(live->FBoutDecided, 1);
}

TEST_F(DecisionTest, AClosedListCannotTakeTheWinner)
{
    addStandardBout();
    openBout(1);
    match->listOpen = false;
    decide(1, "WO");
    EXPECT_EQ(ui().lastText(),
              "Listeleme alanı aktif olmadığından Galip Sporcu işlenemedi. Lütfen manual olarak işleyiniz ...!");
    EXPECT_EQ(bout(1).str("Karar"), "WO");
    EXPECT_EQ(bout(1).str("Galip"), "");
}

TEST_F(DecisionTest, PenaltiesAreNotTakenBackAfterTheDecision)
{
    addStandardBout({{"C2M", 1}});
    openBout(1);
    decide(0, "KO");
    key(Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(bout(1).toInt("C2M"), 1);
}

} // namespace
