// One scoring event is one transaction: all of it is stored with one commit,
// or none of it. Commits are counted on the database file's change counter
// (its header's bytes 24-27), which a shared station's file (DELETE journal)
// moves once per committed write.
#include "LiveFixture.h"

#include "app/comport/SerialPort.h"
#include "scoring/DeviceLink.h"

#include <QFile>

namespace ScoringEventCommitLocal {

quint32 eventCommitCounter(const QString& hostPath)
{
    QFile file(hostPath);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray h = file.read(28);
    if (h.size() < 28)
        return 0;
    return quint32(quint8(h[24])) << 24 | quint32(quint8(h[25])) << 16 | quint32(quint8(h[26])) << 8 |
           quint32(quint8(h[27]));
}

} // namespace ScoringEventCommitLocal

using ScoringEventCommitLocal::eventCommitCounter;

class ScoringEventCommitTest : public LiveTest {
protected:
    quint32 commits() const { return eventCommitCounter(db.hostPath()); }
    int minus() const { return state->FMinusPoints(); }
};

TEST_F(ScoringEventCommitTest, AMinusIsOneCommitWithThePenaltyAndAllThreeCards)
{
    addStandardBout();
    openBout(1);
    ASSERT_GT(minus(), 0);
    const quint32 before = commits();
    key(Qt::Key_N);     // blue Minus
    EXPECT_EQ(commits() - before, 1u);
    const Record row = bout(1);
    const QString card = QString::number(-minus());
    EXPECT_EQ(row.toInt("C1M"), 1);
    for (const char* c : {"H1M", "H2M", "H3M"})
        EXPECT_EQ(row.str(c), card) << c;
    EXPECT_EQ(row.str("R1"), QStringList({card, "0", card, "0", card, "0", "1", "0", "0", "0", "0", "0"}).join(';'));

    // Taken back: again one commit, and the cards are whole again.
    key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(commits() - before, 2u);
    EXPECT_EQ(bout(1).str("R1"), "0;0;0;0;0;0;0;0;0;0;0;0");
}

TEST_F(ScoringEventCommitTest, AJudgesCodeFromTheDeviceIsOneCommit)
{
    addStandardBout();
    openBout(1);
    live->SpeedButton1Click();
    live->FDeviceLive = 1;
    TSerialPort port;
    DeviceLink link(*live, &port);
    const quint32 before = commits();
    link.handle(2);     // judge 2, blue
    EXPECT_EQ(commits() - before, 1u);
    EXPECT_EQ(bout(1).toInt("H2M"), 1);
}

TEST_F(ScoringEventCommitTest, OnlyTheClockTickThatSavesCommits)
{
    addStandardBout();
    openBout(1);
    live->SpeedButton1Click();
    const quint32 before = commits();
    time->advance(4);
    EXPECT_EQ(commits(), before);
    time->advance(1);
    EXPECT_EQ(commits() - before, 1u);
    EXPECT_EQ(bout(1).str("n_time"), "00:01:55");
}

TEST_F(ScoringEventCommitTest, TheTickThatEndsTheLastRoundStoresRoundDecisionAndAdvancementInOneCommit)
{
    addStandardBout({{"H1M", 3}, {"H1K", 2}, {"H2M", 4}, {"H2K", 1}, {"H3M", 2}, {"H3K", 3},
                     {"Raunt", 3}, {"Raunt_Say", 3}, {"n_time", "00:00:01"}, {"d_time", "00:00:01"}});
    Settings s;
    s.duration = "00:01";
    s.rounds = "3";
    openBout(1, s);
    ASSERT_TRUE(Skor->isVisible());
    live->SpeedButton1Click();
    time->advance(1);   // the clock reaches zero
    const quint32 before = commits();
    time->advance(1);   // the round ends, the cards are evaluated
    EXPECT_EQ(commits() - before, 1u);
    const Record row = bout(1);
    EXPECT_EQ(row.str("Karar"), "Points");
    EXPECT_EQ(row.str("Galip"), "11");
    EXPECT_EQ(row.str("R3"), "3;2;4;1;2;3;0;0;0;0;0;0");
    EXPECT_EQ(row.str("n_time"), "00:00:00");
}

TEST_F(ScoringEventCommitTest, AnEventThatFailsHalfwayLeavesNothingStoredAndNothingShown)
{
    addStandardBout();
    openBout(1);
    // The third judge's card cannot be written.
    db.exec("create trigger no_third_card before update of H3M on C_KURA when new.H3M < 0 "
            "begin select raise(abort, 'kart yazılamadı'); end");
    const quint32 before = commits();
    live->selectPenalty(Minus);
    live->SpeedButton5Click();
    EXPECT_TRUE(ui().lastText().startsWith("SKOR KAYDEDİLEMEDİ")) << ui().lastText().toStdString();
    EXPECT_EQ(commits(), before);
    const Record row = bout(1);
    for (const char* c : {"C1M", "H1M", "H2M", "H3M"})
        EXPECT_EQ(row.toInt(c), 0) << c;
    EXPECT_EQ(row.str("R1"), "");
    EXPECT_EQ(live->values().cards.blue[Minus], 0);
    EXPECT_EQ(live->values().cards.judgeBlue, (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(Skor->Label25->text(), "0");

    // With the card writable again the same key stores the whole Minus.
    db.exec("drop trigger no_third_card");
    live->selectPenalty(Minus);
    live->SpeedButton5Click();
    EXPECT_EQ(bout(1).toInt("C1M"), 1);
    EXPECT_EQ(bout(1).toInt("H3M"), -minus());
}
