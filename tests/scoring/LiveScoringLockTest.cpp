// Live scoring while another station holds the database: the clock keeps to
// the monotonic clock, its save waits for the lock without freezing the
// scoreboard, and a scoring key that cannot be stored says so at once.
#include "LiveFixture.h"

namespace LiveScoringLockTestLocal {

class LiveScoringLockTest : public LiveTest {
protected:
    void SetUp() override
    {
        LiveTest::SetUp();
        addStandardBout();
        openBout(1);
        ui().clear();
    }
    void TearDown() override
    {
        other.close();
        LiveTest::TearDown();
    }
    // Another station takes the database's write lock and keeps it.
    void holdLock()
    {
        other.open(db.hostPath());
        other.begin();
        other.exec("update C_KURA set Salon = Salon where Kura_Key = 1");
    }
    void releaseLock() { other.rollback(); }

    Database other;
};

TEST_F(LiveScoringLockTest, TheClockFollowsTheMonotonicClockWhenTicksComeLate)
{
    const int start = live->values().clock;
    live->SpeedButton1Click();
    time->advance(3);
    EXPECT_EQ(live->values().clock, start - 3);
    // The GUI thread was held up for 15 s: no tick came, the time went on.
    time->pass(15000);
    time->advance(1);
    EXPECT_EQ(live->values().clock, start - 19);
    EXPECT_EQ(Skor->n_time->text(), ClockText::format(start - 19));
    // Stopped, the clock keeps its time; started again it counts from there.
    live->SpeedButton2Click();
    time->pass(60000);
    live->SpeedButton1Click();
    time->advance(1);
    EXPECT_EQ(live->values().clock, start - 20);
}

TEST_F(LiveScoringLockTest, AClockSaveThatMeetsALockWaitsAndIsStoredWhenTheLockGoes)
{
    const int start = live->values().clock;
    live->SpeedButton1Click();
    holdLock();
    time->advance(5);      // the fifth tick saves the clock
    EXPECT_EQ(live->values().clock, start - 5) << "the scoreboard went on";
    EXPECT_TRUE(live->clockSavePending());
    EXPECT_TRUE(ui().texts().isEmpty()) << "a lock on the periodic save is no error for the operator";
    time->advance(1);
    EXPECT_TRUE(live->clockSavePending()) << "still locked";
    releaseLock();
    time->advance(1);
    EXPECT_FALSE(live->clockSavePending());
    EXPECT_EQ(bout(1).str("n_time"), ClockText::format(start - 5));
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(LiveScoringLockTest, AScoringKeyThatCannotBeStoredSaysSoAtOnceAndChangesNothing)
{
    holdLock();
    judgePoint(1, true);
    EXPECT_EQ(ui().count(), 1);
    EXPECT_TRUE(ui().lastText().startsWith(LiveScoring::notStoredMessage())) << ui().lastText().toStdString();
    EXPECT_TRUE(ui().lastText().contains(DbError::textFor(DbError::Kind::Busy)));
    EXPECT_EQ(live->values().cards.judgeBlue[0], 0) << "the scoreboard shows what is stored";
    releaseLock();
    EXPECT_EQ(bout(1).toInt("H1M"), 0);
    ui().clear();
    judgePoint(1, true);
    EXPECT_TRUE(ui().texts().isEmpty());
    EXPECT_EQ(live->values().cards.judgeBlue[0], 1);
}

TEST_F(LiveScoringLockTest, APenaltyOnABoutRowThatIsGoneIsNotShownAsStored)
{
    db.exec("delete * from C_KURA where Kura_Key = 1");
    live->select(2);    // Foul
    live->SpeedButton5Click();
    EXPECT_EQ(ui().texts(), QStringList{LiveScoring::notStoredMessage()});
    EXPECT_EQ(live->values().cards.blue[1], 0);
}

} // namespace LiveScoringLockTestLocal
