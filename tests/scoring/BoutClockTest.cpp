// The bout clock: rounds, breaks, the remaining time in the bout row, and the
// sounds at their moments. The clock moves only when the test lets time pass.
#include "LiveFixture.h"

using namespace ScoreboardLook;

namespace {

class BoutClockTest : public LiveTest {
protected:
    // A bout of `rounds` rounds of `length` seconds with breaks of
    // `breakLength` seconds.
    void openTimed(int length, int breakLength, int rounds = 3, const QString& branch = kBranch)
    {
        const QString text = ClockText::format(length);
        addStandardBout({{"n_time", text}, {"d_time", text}, {"Raunt_Say", rounds}}, branch);
        match->shownBranch = branch;
        Settings s;
        s.duration = text.mid(3);
        s.breakTime = ClockText::format(breakLength).mid(3);
        s.rounds = QString::number(rounds);
        if (branch != kBranch)
            s.judge3.clear();
        openBout(1, s);
        ASSERT_TRUE(Skor->isVisible());
        sounds.clear();
    }
};

TEST_F(BoutClockTest, ARoundCountsDownAndEndsOnTheTickAfterZero)
{
    openTimed(3, 60);
    live->SpeedButton1Click();
    EXPECT_EQ(Skor->Label4->text(), "Round 1/3 - FIGHT!");
    QStringList shown;
    for (int i = 0; i < 3; ++i) {
        time->advance(1);
        shown << Skor->n_time->text();
    }
    EXPECT_EQ(shown, (QStringList{"00:00:02", "00:00:01", "00:00:00"}));
    EXPECT_TRUE(live->Timer1->isEnabled());
    time->advance(1);
    EXPECT_FALSE(live->Timer1->isEnabled());
    EXPECT_TRUE(live->Timer2->isEnabled());
    EXPECT_EQ(Skor->n_time->text(), "00:01:00");
    EXPECT_EQ(Skor->Label4->text(), "Round 1/3 - BREAK");
    EXPECT_EQ(textColour(Skor->Label4), Yellow);
    // The signal restarts on each of the last seconds; the round's end stops
    // it and plays the end sound.
    EXPECT_EQ(soundNames(MediaPlayer::Request::Play),
              (QStringList{"Sinyal.wav@00:00:03", "Sinyal.wav@00:00:02", "Sinyal.wav@00:00:01", "Stop.wav@00:01:00"}));
    EXPECT_EQ(soundNames(MediaPlayer::Request::Stop).last(), "Sinyal.wav@00:01:00");
    const Record row = bout(1);
    EXPECT_EQ(row.str("n_time"), "00:00:00");
    EXPECT_EQ(row.str("R1"), "0;0;0;0;0;0;0;0;0;0;0;0") << "a round without points keeps its record";
    EXPECT_EQ(row.toInt("Raunt"), 1) << "the round number moves up when the break ends";
}

TEST_F(BoutClockTest, TheBreakEndsWithTheNextRoundReady)
{
    openTimed(2, 2);
    live->SpeedButton1Click();
    time->advance(3);
    ASSERT_TRUE(live->Timer2->isEnabled());
    EXPECT_EQ(Skor->n_time->text(), "00:00:02");
    time->advance(2);
    EXPECT_EQ(Skor->n_time->text(), "00:00:00");
    EXPECT_TRUE(live->Timer2->isEnabled());
    time->advance(1);
    EXPECT_FALSE(live->Timer2->isEnabled());
    EXPECT_FALSE(live->Timer1->isEnabled()) << "the next round starts only with a start";
    EXPECT_EQ(Skor->Raunt->text(), "2");
    EXPECT_EQ(Skor->n_time->text(), "00:00:02");
    EXPECT_EQ(Skor->Label4->text(), "READY");
    EXPECT_EQ(textColour(Skor->Label4), Black);
    EXPECT_EQ(bout(1).toInt("Raunt"), 2);
    EXPECT_EQ(bout(1).str("n_time"), "00:00:02");
}

TEST_F(BoutClockTest, TheRemainingTimeIsSavedEveryFifthSecondAndAtAStop)
{
    openTimed(120, 60);
    live->SpeedButton1Click();
    time->advance(4);
    EXPECT_EQ(bout(1).str("n_time"), "00:02:00");
    time->advance(1);
    EXPECT_EQ(bout(1).str("n_time"), "00:01:55");
    time->advance(2);
    EXPECT_EQ(bout(1).str("n_time"), "00:01:55");
    live->SpeedButton2Click();
    EXPECT_EQ(bout(1).str("n_time"), "00:01:53");
    EXPECT_EQ(Skor->Label4->text(), "Round 1/3 - TIMEOUT");
    // A restart counts on from the stored time, the periodic save from zero.
    live->SpeedButton1Click();
    time->advance(4);
    EXPECT_EQ(bout(1).str("n_time"), "00:01:53");
    time->advance(1);
    EXPECT_EQ(bout(1).str("n_time"), "00:01:48");
}

TEST_F(BoutClockTest, TheLastRoundOfAFullContactBoutGoesToTheEvaluationWithoutAnEndSound)
{
    openTimed(1, 1, 2);
    judgePoint(1, true);    // points count while the clock stands too
    live->SpeedButton1Click();
    time->advance(2);       // round 1 ends
    time->advance(2);       // the break ends
    ASSERT_EQ(Skor->Raunt->text(), "2");
    sounds.clear();
    live->SpeedButton1Click();
    judgePoint(2, true);
    judgePoint(3, false);
    time->advance(2);
    EXPECT_FALSE(live->Timer1->isEnabled());
    EXPECT_FALSE(live->Timer2->isEnabled()) << "no break after the last round";
    EXPECT_EQ(Skor->Raunt->text(), "2");
    EXPECT_TRUE(soundNames(MediaPlayer::Request::Play).filter("Stop.wav").isEmpty());
    EXPECT_EQ(Skor->Label4->text(), "WINNER by Points!");
    EXPECT_EQ(bout(1).str("Karar"), "Points");
    EXPECT_EQ(bout(1).str("R2"), "1;0;1;0;0;1;0;0;0;0;0;0");
    EXPECT_EQ(live->FBoutDecided, 1);
    // After the decision the clock cannot start.
    live->SpeedButton1Click();
    EXPECT_FALSE(live->Timer1->isEnabled());
}

TEST_F(BoutClockTest, TheLastRoundOfASemiContactBoutStopsTheTime)
{
    openTimed(1, 1, 1, "57 KİLO ERKEK SEMI CONTACT");
    live->SpeedButton1Click();
    time->advance(2);
    EXPECT_EQ(Skor->Label4->text(), "TIME STOP!");
    EXPECT_EQ(textColour(Skor->Label4), Yellow);
    EXPECT_EQ(live->FBoutDecided, 0);
    EXPECT_EQ(bout(1).str("Karar"), "");
}

TEST_F(BoutClockTest, TheExtraRoundOfASemiContactBout)
{
    openTimed(1, 1, 1, "57 KİLO ERKEK SEMI CONTACT");
    live->IlaveRound();
    EXPECT_EQ(live->FExtraRound, 0) << "not before the last round is over";
    live->SpeedButton1Click();
    time->advance(2);
    key(Qt::Key_A);
    EXPECT_EQ(Skor->Label4->text(), "EXTRA TIME");
    EXPECT_EQ(live->FExtraRound, 1);
    time->advance(1);
    EXPECT_EQ(Skor->Raunt->text(), "2");
    EXPECT_EQ(Skor->n_time->text(), "00:01:00") << "the extension's length";
    EXPECT_EQ(Skor->Label4->text(), "READY");
    live->SpeedButton1Click();
    time->advance(61);
    EXPECT_EQ(Skor->Label4->text(), "TIME STOP!");
    key(Qt::Key_A);
    EXPECT_EQ(Skor->Raunt->text(), "2") << "one extra round only";
}

TEST_F(BoutClockTest, StartAtZeroIsRefusedWithItsMessage)
{
    openTimed(120, 60);
    addBout(2, {"CEM", 13}, {"DAVUT", 14}, "YARI FİNAL", "2", kBranch, {{"n_time", "00:00:00"}});
    Skor->closeUnasked();
    openBout(2);
    live->SpeedButton1Click();
    EXPECT_EQ(ui().lastText(),
              "Kalan Süre 00:00 olduğu için başlatılamıyor. Devam etmek istiyorsanız Kalan Süre'yi değiştiriniz ...!");
    EXPECT_FALSE(live->Timer1->isEnabled());
}

TEST_F(BoutClockTest, StoppingAtZeroLeavesTheEndToTheTick)
{
    openTimed(1, 60);
    live->SpeedButton1Click();
    time->advance(1);
    live->SpeedButton2Click();
    EXPECT_TRUE(live->Timer1->isEnabled());
    time->advance(1);
    EXPECT_TRUE(live->Timer2->isEnabled());
}

TEST_F(BoutClockTest, EndingTheBoutDuringTheBreakEndsTheBreakAtTheNextSecond)
{
    openTimed(1, 30);
    live->SpeedButton1Click();
    time->advance(2);
    ASSERT_TRUE(live->Timer2->isEnabled());
    key(Qt::Key_X);
    EXPECT_EQ(Skor->n_time->text(), "00:00:00");
    time->advance(1);
    EXPECT_FALSE(live->Timer2->isEnabled());
    EXPECT_EQ(Skor->Raunt->text(), "2");
    EXPECT_EQ(Skor->Label4->text(), "Winner:") << "the status stays at the winner entry";
}

TEST_F(BoutClockTest, WithoutSoundFilesTheClockRunsSilently)
{
    QFile::remove(host("C:\\CO\\Sinyal.wav"));
    QFile::remove(host("C:\\CO\\Stop.wav"));
    live->activate();
    openTimed(2, 1);
    live->SpeedButton1Click();
    time->advance(3);
    EXPECT_TRUE(live->Timer2->isEnabled());
    EXPECT_TRUE(sounds.empty());
}

TEST_F(BoutClockTest, RoundButtonsMoveTheRoundAndStoreIt)
{
    openTimed(120, 60);
    live->SpeedButton3Click();
    EXPECT_EQ(bout(1).toInt("Raunt"), 2);
    live->SpeedButton4Click();
    EXPECT_EQ(bout(1).toInt("Raunt"), 1);
    EXPECT_EQ(Skor->Raunt->text(), "1");
}

} // namespace
