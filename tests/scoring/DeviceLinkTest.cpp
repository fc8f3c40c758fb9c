// The scoring control device over a pseudo-terminal: the opening sequence
// byte for byte, the codes of both kinds of bout with and without Ctrl, with
// the clock running and stopped and during the hand-box test, and the device
// pulled out and plugged in again.
#include "DeviceFixture.h"

using namespace ScoreboardLook;

namespace {

const QString kSemiBranch = QStringLiteral("57 KİLO ERKEK SEMI CONTACT");
const QByteArray kOpening = QByteArray::fromHex("016464b416ff");

QByteArray codes(std::initializer_list<int> list)
{
    QByteArray b;
    for (int c : list)
        b.append(char(c));
    return b;
}

class DeviceLinkTest : public DeviceTest {
protected:
    // The standard bout of a branch, opened with the six test presses sent
    // by the device (full contact) or without a test (semi-contact); the
    // opening sequence is read off the line.
    void openBout(const QString& branch = kBranch, const QVariantMap& extra = {})
    {
        addStandardBout(extra, branch);
        match->shownBranch = branch;
        const bool semi = branch != kBranch;
        Settings s;
        if (semi)
            s.judge3.clear();
        openWithTest(
            1, [this, semi] {
                EXPECT_EQ(written(6), kOpening) << "sent before the dialog shows";
                if (!semi)
                    device({1, 2, 3, 4, 5, 6});
            },
            s);
        ASSERT_TRUE(Skor->isVisible());
        ASSERT_EQ(live->FSemiContact, semi ? 1 : 0);
    }

    void startClock()
    {
        key(Qt::Key_Space);
        ASSERT_TRUE(live->Timer1->isEnabled());
        EXPECT_EQ(written(6), kOpening) << "every clock start wakes the device again";
    }

    static QStringList penaltyColumns(const Record& row)
    {
        QStringList v;
        for (const char* c : {"C1M", "C2M", "C3M", "C1K", "C2K", "C3K"})
            v << row.str(c);
        return v;
    }
    static QStringList judgeColumns(const Record& row)
    {
        QStringList v;
        for (const char* c : {"H1M", "H1K", "H2M", "H2K", "H3M", "H3K"})
            v << row.str(c);
        return v;
    }
};

// --- The opening sequence -------------------------------------------------------

TEST_F(DeviceLinkTest, OpeningABoutSendsTheSixBytesBeforeTheDialogAndNothingElse)
{
    activate();
    openBout();
    EXPECT_TRUE(port->Connected()) << "the port stays open with the bout";
    EXPECT_TRUE(written(1).isEmpty());
    EXPECT_EQ(marks(), (QStringList{"Cb", "Cb", "Cb", "Cr", "Cr", "Cr"})) << "the device's presses made the test";
    startClock();
}

TEST_F(DeviceLinkTest, AJudgeAskedToDecideWakesTheDeviceAgain)
{
    // Judge 1 level on the cards and in the last round; judges 2 and 3 split.
    activate();
    openBout(kBranch, {{"Raunt", 3}, {"n_time", "00:00:01"}, {"d_time", "00:00:01"}, {"H1M", 3}, {"H1K", 3},
                       {"H2M", 3}, {"H2K", 2}, {"H3M", 2}, {"H3K", 3}, {"R2", "2;2;2;2;1;2;0;0;0;0;0;0"},
                       {"R3", "3;3;3;2;2;3;0;0;0;0;0;0"}});
    startClock();
    time->advance(2);
    EXPECT_EQ(Skor->Label4->text(), "Referee-1 (ALİ) Decision?");
    EXPECT_EQ(written(6), kOpening);
    device({4});    // judge 1 red decides
    EXPECT_EQ(bout(1).str("Karar"), "Points");
    EXPECT_EQ(Skor->Label4->text(), "WINNER by Points!");
    EXPECT_EQ(bout(1).toInt("H1K"), 4);
}

TEST_F(DeviceLinkTest, APortThatFailedAtActivationIsNeverOpenedAndNothingIsSaid)
{
    activate(false);
    addStandardBout();
    openWithTest(1, [] {});
    ASSERT_TRUE(Skor->isVisible()) << "without hand boxes the test is not asked";
    EXPECT_FALSE(port->Connected());
    EXPECT_TRUE(written(1).isEmpty());
    key(Qt::Key_Space);
    EXPECT_TRUE(live->Timer1->isEnabled());
    EXPECT_FALSE(port->Connected());
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(DeviceLinkTest, TheScoreboardsCloseClosesThePortAndACancelledDialogToo)
{
    activate();
    openBout();
    Skor->closeUnasked();
    EXPECT_FALSE(port->Connected());

    match->current = 1;
    modals().expect("TSkorb_giris", [](QDialog*) { click(Skorb_giris->BitBtn2); });
    live->MsabakayEkranaYkle1Click();
    EXPECT_EQ(written(6), kOpening);
    EXPECT_FALSE(port->Connected()) << "the cancelled dialog closes the port";
    EXPECT_FALSE(Skor->isVisible());
}

// --- Codes -----------------------------------------------------------------------

// A sequence of codes sent without Ctrl, then one with Ctrl held, with the
// row they leave.
struct CodeCase {
    const char* name;
    bool semi;
    bool running;
    QByteArray plain;
    QByteArray withCtrl;
    QStringList judges;     // H1M H1K H2M H2K H3M H3K
    QStringList penalties;  // C1M C2M C3M C1K C2K C3K
    int puan1;
    int puan2;
    QString r1;
};

const QStringList kZero6{"0", "0", "0", "0", "0", "0"};

std::ostream& operator<<(std::ostream& os, const CodeCase& c)
{
    return os << c.name;
}

class DeviceCodes : public DeviceLinkTest, public ::testing::WithParamInterface<CodeCase> {};

TEST_P(DeviceCodes, GiveExactlyTheirPointsAndPenalties)
{
    const CodeCase& c = GetParam();
    activate();
    openBout(c.semi ? kSemiBranch : kBranch);
    if (c.running)
        startClock();
    if (!c.plain.isEmpty())
        device(c.plain);
    if (!c.withCtrl.isEmpty()) {
        ctrl = true;
        device(c.withCtrl);
        ctrl = false;
    }
    const Record row = bout(1);
    EXPECT_EQ(judgeColumns(row), c.judges);
    EXPECT_EQ(penaltyColumns(row), c.penalties);
    EXPECT_EQ(row.toInt("Puan1"), c.puan1);
    EXPECT_EQ(row.toInt("Puan2"), c.puan2);
    EXPECT_EQ(row.str("R1"), c.r1);
    // The scoreboard shows what was stored.
    EXPECT_EQ(Skor->Puan1->text(), QString::number(c.puan1));
    EXPECT_EQ(Skor->Puan2->text(), QString::number(c.puan2));
    EXPECT_EQ(Skor->PuanS1->text(), QString::number(c.puan1));
    const QLabel* shown[6] = {Skor->Label25, Skor->Label22, Skor->Label26, Skor->Label23, Skor->Label27, Skor->Label24};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(shown[i]->text(), c.judges[i]) << "judge value " << i;
    const QLabel* counts[6] = {Skor->Label28, Skor->Label29, Skor->Label30, Skor->Label31, Skor->Label32, Skor->Label33};
    const SymbolLabel* penaltyMarks[6] = {Skor->Label47, Skor->Label48, Skor->Label49,
                                          Skor->Label50, Skor->Label51, Skor->Label52};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(counts[i]->text(), c.penalties[i]) << "penalty count " << i;
        EXPECT_EQ(penaltyMarks[i]->text(), QString("n").repeated(c.penalties[i].toInt())) << "penalty marks " << i;
    }
    EXPECT_TRUE(ui().texts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeviceCodes,
    ::testing::Values(
        // Full contact.
        CodeCase{"JudgesCountWhileTheClockRunsAndThirteenIsSkipped", false, true, codes({1, 13, 4}), {},
                 {"1", "1", "0", "0", "0", "0"}, kZero6, 0, 0, "1;1;0;0;0;0;0;0;0;0;0;0"},
        CodeCase{"EveryJudgeAndSide", false, true, codes({1, 2, 3, 4, 5, 6, 2, 3, 3}), {},
                 {"1", "1", "2", "1", "3", "1"}, kZero6, 2, 0, "1;1;2;1;3;1;0;0;0;0;0;0"},
        CodeCase{"JudgesDoNotCountWhileTheClockIsStopped", false, false, codes({1, 2, 3, 4, 5, 6}), {}, kZero6,
                 kZero6, 0, 0, ""},
        CodeCase{"AnExitCountsWhileTheClockIsStopped", false, false, codes({15}), {}, kZero6,
                 {"0", "0", "1", "0", "0", "0"}, 0, 0, "0;0;0;0;0;0;0;0;1;0;0;0"},
        CodeCase{"EveryPenaltyOfBothSides", false, false, codes({17, 18, 15, 29, 23, 22}), {},
                 {"-1", "-1", "-1", "-1", "-1", "-1"}, {"1", "1", "1", "1", "1", "1"}, 0, 0,
                 "-1;-1;-1;-1;-1;-1;1;1;1;1;1;1"},
        CodeCase{"ABlueMinusTakesAPointOffEveryCardWhileRunning", false, true, codes({1, 1, 17}), {},
                 {"1", "0", "-1", "0", "-1", "0"}, {"1", "0", "0", "0", "0", "0"}, 1, 2,
                 "1;0;-1;0;-1;0;1;0;0;0;0;0"},
        CodeCase{"CtrlTakesAPenaltyBack", false, false, codes({18, 18, 23}), codes({18}), kZero6,
                 {"0", "1", "0", "0", "1", "0"}, 0, 0, "0;0;0;0;0;0;0;1;0;0;1;0"},
        CodeCase{"CtrlTakesAMinusBackOntoTheCards", false, false, codes({29}), codes({29}), kZero6, kZero6, 0, 0,
                 "0;0;0;0;0;0;0;0;0;0;0;0"},
        CodeCase{"CtrlWithNothingToTakeBackChangesNothing", false, false, {}, codes({15, 17, 18, 22, 23, 29}),
                 kZero6, kZero6, 0, 0, ""},
        CodeCase{"CtrlDoesNotTurnAJudgesPointIntoADeduction", false, true, {}, codes({1, 4, 4}),
                 {"1", "2", "0", "0", "0", "0"}, kZero6, 0, 1, "1;2;0;0;0;0;0;0;0;0;0;0"},
        CodeCase{"SemiContactCodesDoNothingInFullContact", false, true, codes({16, 24, 25, 26, 27, 28, 21, 20}), {},
                 kZero6, kZero6, 0, 0, ""},
        CodeCase{"CodesOutsideTheTablesAreIgnored", false, true, codes({30, 31, 64, 127, 200, 255}), {}, kZero6,
                 kZero6, 0, 0, ""},
        // Semi-contact.
        CodeCase{"SemiJudgeCodesAreIgnored", true, true, codes({1, 2, 3, 4, 5, 6}), {}, kZero6, kZero6, 0, 0, ""},
        CodeCase{"SemiPointsOfBothSides", true, false, codes({16, 24, 25, 26, 27, 28}), {}, kZero6, kZero6, 6, 6,
                 "0;0;0;0;0;0;6;0;0;6;0;0"},
        CodeCase{"SemiCtrlTakesPointsOffBelowZero", true, false, codes({28}), codes({26, 16, 24}), kZero6, kZero6,
                 -3, 2, "0;0;0;0;0;0;-3;0;0;2;0;0"},
        CodeCase{"SemiHasNoMinus", true, false, codes({17, 29}), {}, kZero6, kZero6, 0, 0, ""},
        CodeCase{"SemiSecondFoulOfAPointlessSideGivesTheOpponentAPoint", true, false, codes({18, 18}), {}, kZero6,
                 {"0", "2", "0", "0", "0", "0"}, 0, 1, "0;0;0;0;0;0;0;2;0;1;0;0"},
        CodeCase{"SemiSecondExitCostsAScoringSideAPoint", true, true, codes({26, 26, 22, 22}), {}, kZero6,
                 {"0", "0", "0", "0", "0", "2"}, 0, 1, "0;0;0;0;0;0;0;0;0;1;0;2"},
        CodeCase{"SemiWarningTakenBackWithCtrl", true, false, codes({23, 23}), codes({23}), kZero6,
                 {"0", "0", "0", "0", "1", "0"}, 0, 0, "0;0;0;0;0;0;0;0;0;0;1;0"},
        CodeCase{"SemiFifthFoulIsRefused", true, false, codes({18, 18, 18, 18, 18}), {}, kZero6,
                 {"0", "4", "0", "0", "0", "0"}, 0, 2, "0;0;0;0;0;0;0;4;0;2;0;0"}),
    [](const ::testing::TestParamInfo<CodeCase>& info) { return std::string(info.param.name); });

TEST_F(DeviceLinkTest, DuringTheHandBoxTestCodesLightTheMarksAndScoreNothing)
{
    activate();
    Skorb_giris->resetTestMarks();
    addStandardBout();
    openWithTest(1, [this] {
        written(6);
        device({5});
        EXPECT_EQ(marks(), (QStringList{"ow", "ow", "ow", "ow", "Cr", "ow"}));
        device({1, 13, 4});
        EXPECT_EQ(marks(), (QStringList{"Cb", "ow", "ow", "Cr", "Cr", "ow"}));
        device({2, 3, 6});
    });
    ASSERT_TRUE(Skor->isVisible());
    const Record row = bout(1);
    EXPECT_EQ(judgeColumns(row), kZero6);
    EXPECT_EQ(row.str("R1"), "");
    // After the dialog the judges' codes wait for the clock.
    device({1});
    EXPECT_EQ(bout(1).toInt("H1M"), 0);
}

TEST_F(DeviceLinkTest, TheHandBoxTestMissingAPressKeepsTheDialogOpen)
{
    activate();
    Skorb_giris->resetTestMarks();
    addStandardBout();
    match->current = 1;
    modals().expect("TSkorb_giris", [this](QDialog* d) {
        Skorb_giris->Edit1->setText("ALİ");
        Skorb_giris->Edit2->setText("VELİ");
        Skorb_giris->Edit3->setText("CEM");
        written(6);
        device({1, 2, 3, 4, 5});
        click(Skorb_giris->BitBtn4);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(ui().lastText(), "Lütfen tüm Hakemlere Mavi ve Kırmızı butonlara bastırıp test yaptırınız ...!");
        device({6});
        click(Skorb_giris->BitBtn4);
    });
    live->MsabakayEkranaYkle1Click();
    EXPECT_TRUE(Skor->isVisible());
}

TEST_F(DeviceLinkTest, StartAndStopComeFromTheDevice)
{
    activate();
    openBout();
    device({14});
    EXPECT_TRUE(live->Timer1->isEnabled());
    EXPECT_EQ(Skor->Label4->text(), "Round 1/3 - FIGHT!");
    EXPECT_EQ(written(6), kOpening);
    time->advance(3);
    device({14});
    EXPECT_FALSE(live->Timer1->isEnabled());
    EXPECT_EQ(Skor->Label4->text(), "Round 1/3 - TIMEOUT");
    EXPECT_EQ(bout(1).str("n_time"), "00:01:57");
    device({1});
    EXPECT_EQ(bout(1).toInt("H1M"), 0) << "stopped: judges refused";
}

TEST_F(DeviceLinkTest, JudgesLinkCodesShowAndHideTheirConnectionError)
{
    activate();
    openBout();
    const QLabel* captions[3] = {Skor->Label65, Skor->Label66, Skor->Label67};
    for (const QLabel* c : captions)
        EXPECT_FALSE(c->isVisible());
    device({7, 11});
    EXPECT_TRUE(Skor->Label65->isVisible());
    EXPECT_FALSE(Skor->Label66->isVisible());
    EXPECT_TRUE(Skor->Label67->isVisible());
    EXPECT_EQ(Skor->Label65->text(), "Connection Error");
    device({9, 8, 12});
    EXPECT_FALSE(Skor->Label65->isVisible());
    EXPECT_TRUE(Skor->Label66->isVisible());
    EXPECT_FALSE(Skor->Label67->isVisible());
    device({10});
    EXPECT_FALSE(Skor->Label66->isVisible());
}

TEST_F(DeviceLinkTest, NineteenEndsAFullContactBoutAndTwentyDoesNot)
{
    activate();
    openBout();
    startClock();
    device({20});
    EXPECT_TRUE(live->Timer1->isEnabled());
    EXPECT_FALSE(Skor->ComboBox1->isVisible());
    device({19});
    EXPECT_FALSE(live->Timer1->isEnabled());
    EXPECT_EQ(Skor->Label4->text(), "Winner:");
    EXPECT_TRUE(Skor->ComboBox1->isVisible());
}

TEST_F(DeviceLinkTest, TwentyEndsASemiContactBoutAndNineteenDoesNot)
{
    activate();
    openBout(kSemiBranch);
    startClock();
    device({19, 7});
    EXPECT_TRUE(live->Timer1->isEnabled());
    EXPECT_FALSE(Skor->Label65->isVisible()) << "no judges' link codes in semi-contact";
    device({20});
    EXPECT_FALSE(live->Timer1->isEnabled());
    EXPECT_TRUE(Skor->ComboBox1->isVisible());
}

TEST_F(DeviceLinkTest, TwentyOneStartsTheExtraRoundOnlyAfterTheLastRound)
{
    activate();
    openBout(kSemiBranch, {{"n_time", "00:00:01"}, {"d_time", "00:00:01"}, {"Raunt_Say", 1}});
    device({21});
    EXPECT_EQ(Skor->Label4->text(), "READY") << "before the last round is over nothing happens";
    startClock();
    time->advance(2);
    EXPECT_EQ(Skor->Label4->text(), "TIME STOP!");
    device({21});
    EXPECT_EQ(Skor->Label4->text(), "EXTRA TIME");
    time->advance(1);
    EXPECT_EQ(Skor->Raunt->text(), "2");
    EXPECT_EQ(Skor->n_time->text(), "00:01:00");
    EXPECT_EQ(Skor->Label4->text(), "READY");
    device({21});
    EXPECT_EQ(Skor->Label4->text(), "READY") << "one extra round";
}

// --- The device pulled out and plugged in again ------------------------------------

TEST_F(DeviceLinkTest, ADevicePulledOutStopsTheClockAndIsFoundAgainAtTheNextStart)
{
    activate();
    openBout();
    startClock();
    time->advance(2);
    device({1});
    ui().clear();
    pty.closeMaster();
    ASSERT_TRUE(waitFor([&] { return link().FDeviceLost == 1; }));
    EXPECT_FALSE(live->Timer1->isEnabled());
    EXPECT_EQ(Skor->Label4->text(), "Round 1/3 - TIMEOUT");
    EXPECT_EQ(bout(1).str("n_time"), "00:01:58") << "the remaining time is kept";
    EXPECT_TRUE(Skor->Label65->isVisible());
    EXPECT_TRUE(Skor->Label66->isVisible());
    EXPECT_TRUE(Skor->Label67->isVisible());
    EXPECT_EQ(ui().texts(), QStringList{"Skor kontrol cihazının bağlantısı kesildi, saat durduruldu. Cihazı yeniden "
                                        "takıp saati başlatınız ...!"});
    EXPECT_FALSE(port->Connected());

    // Still away: the clock starts from the keys, nothing more is said.
    PortMap::setDevice("COM7", dir.path() + "/no-such-line");
    key(Qt::Key_Space);
    EXPECT_TRUE(live->Timer1->isEnabled());
    EXPECT_EQ(ui().count(), 1);
    key(Qt::Key_Space);

    // Plugged in again (the same port name): found at the next start.
    PtyPair again;
    ASSERT_TRUE(again.valid());
    PortMap::setDevice("COM7", again.slavePath());
    key(Qt::Key_Space);
    EXPECT_EQ(again.receive(6, 2000), kOpening);
    EXPECT_EQ(link().FDeviceLost, 0);
    EXPECT_FALSE(Skor->Label65->isVisible());
    const qint64 before = link().FBytesReceived;
    ASSERT_TRUE(again.send(codes({4})));
    ASSERT_TRUE(waitFor([&] { return link().FBytesReceived > before; }));
    EXPECT_EQ(bout(1).toInt("H1K"), 1);
    EXPECT_EQ(bout(1).toInt("H1M"), 1);
}

} // namespace
