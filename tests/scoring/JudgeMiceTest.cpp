// The judges' mice through the input source: numbering by the first input,
// the clicks that score and those that do not, the test marks, the order of
// both buttons, the mice vanishing during a running clock and found again,
// and the permission to read them.
#include "DeviceFixture.h"
#include "scoring/JudgeDevices.h"

using namespace ScoreboardLook;

namespace {

const QString kLost = QStringLiteral("SCORING CONTROL DEVICE NOT FOUND\nScoreboard will close ...!");
const QString kMiceSemiBranch = QStringLiteral("57 KİLO ERKEK SEMI CONTACT");
constexpr unsigned L = RawMouseInput::LeftDown;
constexpr unsigned R = RawMouseInput::RightDown;

class JudgeMiceTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        plugMice({kMouseA, kMouseB, kMouseC, kOfficeMouse});
        activate(false);    // no serial device: the mice are the hand boxes
        ASSERT_EQ(live->FMiceMode, 1);
        ASSERT_EQ(live->FMiceLinked, 1);
    }

    void click(const FakeMouse& m, unsigned flags) { mice->feed(m.name(), flags); }
    void move(const FakeMouse& m) { mice->feed(m.name(), 0, 4, -2); }

    // Each judge presses his two buttons (the first input numbers the mice
    // in this order).
    void testJudges(const QList<FakeMouse>& judges)
    {
        for (const FakeMouse& m : judges) {
            click(m, L);
            click(m, RawMouseInput::LeftUp);
            click(m, R);
            click(m, RawMouseInput::RightUp);
        }
    }

    void openTested(int key, const QList<FakeMouse>& judges = {kMouseA, kMouseB, kMouseC})
    {
        Skorb_giris->resetTestMarks();
        openWithTest(key, [this, judges] {
            EXPECT_TRUE(mice->started()) << "registered for the hand-box test";
            testJudges(judges);
        });
        ASSERT_TRUE(Skor->isVisible());
    }

    QStringList judgeList() const
    {
        QStringList names;
        for (int i = 0; i < judgeMice().ListBox1->count(); ++i)
            names << judgeMice().ListBox1->item(i)->text();
        return names;
    }
    JudgeMice& judgeMice() const { return devices->mice(); }

    QStringList cards(int key = 1)
    {
        const Record row = bout(key);
        QStringList v;
        for (const char* c : {"H1M", "H1K", "H2M", "H2K", "H3M", "H3K"})
            v << row.str(c);
        return v;
    }
};

TEST_F(JudgeMiceTest, JudgesAreNumberedByTheirFirstInputForTheWholeRun)
{
    addStandardBout();
    addBout(2, {"CEM", 13}, {"DAVUT", 14}, "YARI FİNAL", "2");
    Skorb_giris->resetTestMarks();
    openWithTest(1, [this] {
        move(kMouseC);      // a movement counts as input
        move(kMouseA);
        click(kMouseB, L);
        EXPECT_EQ(marks(), (QStringList{"ow", "ow", "Cb", "ow", "ow", "ow"})) << "B is judge 3";
        testJudges({kMouseC, kMouseA, kMouseB});
    });
    ASSERT_TRUE(Skor->isVisible());
    EXPECT_EQ(judgeList(), (QStringList{kMouseC.name(), kMouseA.name(), kMouseB.name()}));

    live->SpeedButton1Click();
    click(kMouseA, L);
    click(kMouseC, R);
    click(kMouseB, R);
    click(kMouseB, R);
    EXPECT_EQ(cards(), (QStringList{"0", "1", "1", "0", "0", "2"}));

    // The next bout keeps the numbers.
    Skor->closeUnasked();
    openTested(2, {kMouseC, kMouseA, kMouseB});
    live->SpeedButton1Click();
    click(kMouseB, L);
    EXPECT_EQ(cards(2), (QStringList{"0", "0", "0", "0", "1", "0"}));
    EXPECT_EQ(judgeList().size(), 3);
}

TEST_F(JudgeMiceTest, AFourthMouseAndOtherMiceScoreNothing)
{
    addStandardBout();
    openTested(1);
    live->SpeedButton1Click();
    const FakeMouse oneId{0x045E, 0x0040, "usb-0000:00:14.0-6/input0"};
    move(kMouseD);
    EXPECT_EQ(judgeMice().CurrentJudge, 4);
    click(kMouseD, L);
    click(kMouseD, R);
    click(kMouseD, L | R);
    move(kOfficeMouse);
    click(kOfficeMouse, L);
    click(kOfficeMouse, R);
    click(oneId, L);
    EXPECT_EQ(judgeMice().CurrentJudge, 4) << "another mouse leaves the selection";
    EXPECT_EQ(judgeList().size(), 4);
    EXPECT_FALSE(judgeList().contains(kOfficeMouse.name()));
    EXPECT_EQ(cards(), (QStringList{"0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(bout(1).str("R1"), "");
}

TEST_F(JudgeMiceTest, OnlyButtonPressesWhileTheClockRunsScore)
{
    addStandardBout();
    openTested(1);
    click(kMouseA, L);
    EXPECT_EQ(cards(), (QStringList{"0", "0", "0", "0", "0", "0"})) << "the clock is stopped";

    live->SpeedButton1Click();
    for (unsigned flags : {unsigned(RawMouseInput::LeftUp), unsigned(RawMouseInput::RightUp),
                           unsigned(RawMouseInput::Wheel), unsigned(RawMouseInput::MiddleDown), 0u,
                           unsigned(L | RawMouseInput::MiddleDown)})
        click(kMouseA, flags);
    EXPECT_EQ(cards(), (QStringList{"0", "0", "0", "0", "0", "0"})) << "releases, wheel, movement, middle";

    click(kMouseA, L);
    EXPECT_EQ(cards(), (QStringList{"1", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(background(Skor->Panel4), Blue) << "his box flashes";
    EXPECT_EQ(bout(1).str("R1"), "1;0;0;0;0;0;0;0;0;0;0;0");

    live->SpeedButton2Click();
    click(kMouseA, L);
    EXPECT_EQ(cards(), (QStringList{"1", "0", "0", "0", "0", "0"})) << "stopped again";
}

TEST_F(JudgeMiceTest, DuringTheSettingsDialogClicksLightTheMarks)
{
    addStandardBout();
    Skorb_giris->resetTestMarks();
    openWithTest(1, [this] {
        move(kMouseA);
        move(kMouseB);
        move(kMouseC);
        click(kMouseB, R);
        EXPECT_EQ(marks(), (QStringList{"ow", "ow", "ow", "ow", "Cr", "ow"}));
        click(kMouseC, L | R);
        EXPECT_EQ(marks(), (QStringList{"ow", "ow", "ow", "ow", "Cr", "ow"})) << "both buttons light nothing";
        testJudges({kMouseA, kMouseB, kMouseC});
    });
    ASSERT_TRUE(Skor->isVisible());
    EXPECT_EQ(cards(), (QStringList{"0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(bout(1).str("R1"), "");
    EXPECT_TRUE(mice->started());
}

TEST_F(JudgeMiceTest, WithoutTheirPressesTheDialogIsRefused)
{
    addStandardBout();
    Skorb_giris->resetTestMarks();
    match->current = 1;
    modals().expect("TSkorb_giris", [this](QDialog* d) {
        Skorb_giris->Edit1->setText("ALİ");
        Skorb_giris->Edit2->setText("VELİ");
        Skorb_giris->Edit3->setText("CEM");
        testJudges({kMouseA, kMouseB});
        click(kMouseC, L);
        ::click(Skorb_giris->BitBtn4);
        EXPECT_TRUE(d->isVisible());
        click(kMouseC, R);
        ::click(Skorb_giris->BitBtn4);
    });
    live->MsabakayEkranaYkle1Click();
    EXPECT_TRUE(Skor->isVisible());
    EXPECT_EQ(ui().texts(),
              QStringList{"Lütfen tüm Hakemlere Mavi ve Kırmızı butonlara bastırıp test yaptırınız ...!"});
}

TEST_F(JudgeMiceTest, BothButtonsGiveRedFirstThenBlue)
{
    // Judge 1 is level on the cards and in the last round, judges 2 and 3
    // are split: judge 1 is asked. Both his buttons at once: the red point
    // decides the bout and locks the cards before the blue one comes.
    addStandardBout({{"Raunt", 3}, {"n_time", "00:00:01"}, {"d_time", "00:00:01"}, {"H1M", 3}, {"H1K", 3},
                     {"H2M", 3}, {"H2K", 2}, {"H3M", 2}, {"H3K", 3}, {"R2", "2;2;2;2;1;2;0;0;0;0;0;0"},
                     {"R3", "3;3;3;2;2;3;0;0;0;0;0;0"}});
    openTested(1);
    live->SpeedButton1Click();
    time->advance(2);
    ASSERT_EQ(Skor->Label4->text(), "Referee-1 (ALİ) Decision?");
    click(kMouseA, L | R);
    EXPECT_EQ(cards(), (QStringList{"3", "4", "3", "2", "2", "3"}));
    EXPECT_EQ(bout(1).str("Karar"), "Points");
    EXPECT_EQ(bout(1).toInt("Puan2"), 2);
    EXPECT_EQ(Skor->Label4->text(), "WINNER by Points!");
}

TEST_F(JudgeMiceTest, BothButtonsWhileScoringGiveBothPoints)
{
    addStandardBout();
    openTested(1);
    live->SpeedButton1Click();
    click(kMouseB, L | R);
    EXPECT_EQ(cards(), (QStringList{"0", "0", "1", "1", "0", "0"}));
    EXPECT_EQ(background(Skor->Panel5), Blue) << "the blue point came last";
}

TEST_F(JudgeMiceTest, ASemiContactBoutRegistersNoMice)
{
    addStandardBout({}, kMiceSemiBranch);
    match->shownBranch = kMiceSemiBranch;
    Settings s;
    s.judge3.clear();
    openWithTest(1, [this] { EXPECT_FALSE(mice->started()); }, s);
    ASSERT_TRUE(Skor->isVisible());
    live->SpeedButton1Click();
    judgeMice().WMGiris({kMouseA.name(), L, 0, 0});
    judgeMice().WMGiris({kMouseA.name(), R, 0, 0});
    const Record row = bout(1);
    EXPECT_EQ(row.toInt("H1M") + row.toInt("H1K") + row.toInt("Puan1") + row.toInt("Puan2"), 0);
    EXPECT_EQ(row.str("R1"), "");
}

TEST_F(JudgeMiceTest, TheScoreboardsCloseAndACancelledDialogRemoveTheMice)
{
    addStandardBout();
    openTested(1);
    EXPECT_TRUE(mice->started());
    Skor->closeUnasked();
    EXPECT_FALSE(mice->started());

    match->current = 1;
    modals().expect("TSkorb_giris", [this](QDialog*) {
        EXPECT_TRUE(mice->started());
        ::click(Skorb_giris->BitBtn2);
    });
    live->MsabakayEkranaYkle1Click();
    EXPECT_FALSE(mice->started());
}

// --- Mice vanishing and coming back ------------------------------------------------

TEST_F(JudgeMiceTest, AMousePulledOutDuringTheClockStopsTheBoutAndIsFoundAgain)
{
    addStandardBout();
    openTested(1);
    live->SpeedButton1Click();
    time->advance(2);
    click(kMouseB, R);
    plugMice({kMouseA, kMouseC, kOfficeMouse});
    time->advance(1);

    EXPECT_EQ(ui().texts(), QStringList{kLost});
    EXPECT_FALSE(live->Timer1->isEnabled());
    EXPECT_FALSE(Skor->isVisible()) << "closed without a question";
    EXPECT_EQ(live->FMiceLinked, 0);
    EXPECT_EQ(marks(), (QStringList{"ow", "ow", "ow", "ow", "ow", "ow"})) << "the test must be made again";
    EXPECT_FALSE(mice->started());
    const Record row = bout(1);
    EXPECT_EQ(row.str("n_time"), "00:01:58") << "the remaining time is kept";
    EXPECT_EQ(row.toInt("H2K"), 1) << "and the points so far";

    // Plugged back into its socket: found again at once, same number.
    plugMice({kMouseA, kMouseB, kMouseC, kOfficeMouse});
    mice->plugged();
    EXPECT_EQ(live->FMiceLinked, 1);
    ui().clear();
    openTested(1, {kMouseA, kMouseB, kMouseC});
    live->SpeedButton1Click();
    time->advance(1);
    EXPECT_TRUE(Skor->isVisible());
    EXPECT_EQ(Skor->n_time->text(), "00:01:57");
    click(kMouseB, R);
    EXPECT_EQ(bout(1).toInt("H2K"), 2);
    EXPECT_EQ(judgeList().size(), 3);
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(JudgeMiceTest, MicePluggedInAfterTheActivationAreFound)
{
    plugMice({kOfficeMouse});
    activate(false);
    ASSERT_EQ(live->FMiceMode, 0);
    plugMice({kMouseA, kMouseB, kMouseC});
    mice->plugged();
    EXPECT_EQ(live->FMiceMode, 1);
    EXPECT_EQ(live->FMiceLinked, 1);
}

TEST_F(JudgeMiceTest, MissingPermissionIsToldOnceInTurkish)
{
    mice->unreadable = {kOfficeMouse.name()};
    activate(false);
    EXPECT_TRUE(ui().texts().isEmpty()) << "an office mouse is no judge's";
    mice->unreadable = {kMouseA.name(), kMouseB.name()};
    activate(false);
    activate(false);
    mice->plugged();
    EXPECT_EQ(ui().texts(), QStringList{JudgeMice::kNoPermission});
    EXPECT_EQ(JudgeMice::kNoPermission,
              "Hakem fareleri okunamıyor: bu kullanıcının giriş aygıtlarını (/dev/input/event*) okuma izni yok.\n"
              "Kullanıcıyı 'input' grubuna ekleyiniz veya bir udev kuralı ile izin veriniz ...!");
}

TEST(JudgeMouseNames, HaveTheIdsInThePlatformsForm)
{
    EXPECT_EQ(MouseInputSource::deviceName(0x461, 0x4d17, "usb-0000:00:14.0-1/input0"),
              "\\\\?\\HID#VID_0461&PID_4D17#usb-0000:00:14.0-1/input0");
    EXPECT_TRUE(JudgeDevices::isJudgeMouse(MouseInputSource::deviceName(0x0461, 0x4D17, "p")));
    EXPECT_TRUE(JudgeDevices::isJudgeMouse(MouseInputSource::deviceName(0x045E, 0x0783, "p")));
    EXPECT_FALSE(JudgeDevices::isJudgeMouse(MouseInputSource::deviceName(0x045E, 0x0040, "p")));
    EXPECT_FALSE(JudgeDevices::isJudgeMouse(MouseInputSource::deviceName(0x046D, 0xC077, "p")));
    EXPECT_EQ(JudgeDevices::judgeIdCount(MouseInputSource::deviceName(0x0783, 0x0782, "0461")), 3);
}

} // namespace
