// The scoreboard window: its keys, the side mirror, the display switch, the
// close, and a picture of it.
#include "LiveFixture.h"
#include "support/ScreenDriving.h"

#include <QLineEdit>
#include <QMenu>

#include <cmath>

using namespace ScoreboardLook;

namespace {

class ScoreboardTest : public LiveTest {
protected:
    // Places of every control of the scoreboard.
    QMap<QString, QRect> geometries() const
    {
        QMap<QString, QRect> g;
        for (QWidget* w : Skor->findChildren<QWidget*>())
            if (!w->objectName().isEmpty())
                g.insert(w->objectName(), w->geometry());
        return g;
    }
};

TEST_F(ScoreboardTest, DesignCaptionsAndPlaces)
{
    EXPECT_EQ(Skor->windowTitle(), "Scoreboard");
    EXPECT_TRUE(Skor->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(Skor->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(background(Skor), QColor(0xC4, 0xC5, 0xC6));
    EXPECT_EQ(Skor->Label1->text(), "Decision:");
    EXPECT_EQ(Skor->Label2->text(), "Round");
    EXPECT_EQ(Skor->BitBtn1->text(), "OK");
    EXPECT_EQ(Skor->Label65->text(), "Connection Error");
    EXPECT_EQ(Skor->Label74->text(), "Last Round");
    EXPECT_EQ(Skor->Label35->text(), "Minus:");
    EXPECT_EQ(Skor->Label36->text(), "Fo:");
    EXPECT_EQ(Skor->Label37->text(), "Ex:");
    QStringList decisions;
    for (int i = 0; i < Skor->ComboBox2->count(); ++i)
        decisions << Skor->ComboBox2->itemText(i);
    EXPECT_EQ(decisions, (QStringList{"AB", "RSC", "WO", "RSCH", "KO", "Points", "Disq", "Even", "Other"}));
    EXPECT_EQ(Skor->Panel1->geometry(), QRect(0, 138, 512, 509));
    EXPECT_EQ(Skor->Panel2->geometry(), QRect(512, 138, 512, 509));
    EXPECT_EQ(background(Skor->Panel1), Blue);
    EXPECT_EQ(background(Skor->Panel2), Red);
    EXPECT_EQ(Skor->Panel5->geometry(), QRect(440, 662, 137, 43));
    EXPECT_EQ(Skor->n_time->geometry(), QRect(764, 42, 237, 105));
    EXPECT_EQ(Skor->Timer1->interval(), 200);
    EXPECT_EQ(Skor->PopupMenu1->actions().size(), 30);
    // The winner list's colours.
    EXPECT_EQ(TSkor::ComboBox1DrawItem(0), std::make_pair(White, Blue));
    EXPECT_EQ(TSkor::ComboBox1DrawItem(1), std::make_pair(White, Red));
    EXPECT_EQ(TSkor::ComboBox1DrawItem(2), std::make_pair(QColor(0x80, 0x80, 0x80), White));
}

// --- Side mirror -------------------------------------------------------------

TEST_F(ScoreboardTest, SwappingSidesMirrorsEveryBlueAndRedControl)
{
    addStandardBout({{"H1M", 2}, {"H2K", 3}, {"C2M", 1}, {"C3K", 2}});
    openBout(1);
    const QMap<QString, QRect> home = geometries();
    key(Qt::Key_T);
    EXPECT_EQ(live->FNormalSides, 0);

    // Each control of a pair takes the other's home place, in its own panel.
    const std::pair<QString, QString> pairs[] = {
        {"Panel1", "Panel2"},   {"Label35", "Label38"}, {"Label36", "Label39"}, {"Label37", "Label40"},
        {"Label47", "Label50"}, {"Label48", "Label51"}, {"Label49", "Label52"}, {"Puan1", "Puan2"},
        {"Label25", "Label22"}, {"Label26", "Label23"}, {"Label27", "Label24"}};
    for (const auto& [blue, red] : pairs) {
        EXPECT_EQ(child<QWidget>(Skor, blue)->x(), home[red].x()) << blue.toStdString();
        EXPECT_EQ(child<QWidget>(Skor, red)->x(), home[blue].x()) << red.toStdString();
        EXPECT_EQ(child<QWidget>(Skor, blue)->y(), home[blue].y());
    }
    // The lead marks grow from the middle of the screen, now the other way.
    EXPECT_EQ(Skor->Label19->x(), 0);
    EXPECT_TRUE(Skor->Label19->alignment() & Qt::AlignLeft);
    EXPECT_EQ(Skor->Label19->width(), 40);
    EXPECT_EQ(Skor->Label17->x() + Skor->Label17->width(), Skor->Panel2->width());
    EXPECT_TRUE(Skor->Label17->alignment() & Qt::AlignRight);
    // Judge 1's blue lead of 2 stands after his marks; judge 2's red lead of
    // 3 before them.
    EXPECT_EQ(Skor->Label44->text(), "2");
    EXPECT_EQ(Skor->Label44->x(), 0 + 40 + 2);
    EXPECT_EQ(Skor->Label42->text(), "3");
    EXPECT_EQ(Skor->Label42->x() + Skor->Label42->width(), Skor->Label17->x() - 10);

    // A second T gives the design layout back exactly.
    key(Qt::Key_T);
    EXPECT_EQ(live->FNormalSides, 1);
    EXPECT_EQ(geometries(), home);
}

TEST_F(ScoreboardTest, TheMirrorStaysForTheNextBoutAndTurnsTheAnnouncement)
{
    addStandardBout();
    openBout(1);
    key(Qt::Key_T);
    Skor->closeUnasked();
    openBout(1);
    EXPECT_EQ(Skor->Panel1->x(), 512);
    EXPECT_EQ(Skor->Panel2->x(), 0);
    decide(0, "KO");
    EXPECT_EQ(Skor->Label4->text(), "WINNER by KO!");
    EXPECT_TRUE(Skor->Label4->alignment() & Qt::AlignRight) << "blue stands on the right now";
}

// --- Keys --------------------------------------------------------------------

struct KeyCase {
    const char* name;
    bool semiContact;
    QList<QKeyCombination> before;      // keys pressed first
    QKeyCombination key;
    QVariantMap row;                    // columns of the bout row afterwards
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class ScoreboardKeys : public ScoreboardTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ScoreboardKeys, ReachTheirOperations)
{
    const KeyCase& c = GetParam();
    const QString branch = c.semiContact ? "57 KİLO ERKEK POINT FIGHTING" : kBranch;
    addStandardBout({}, branch);
    match->shownBranch = branch;
    Settings s;
    openBout(1, s);
    ASSERT_TRUE(Skor->isVisible());
    for (const QKeyCombination& k : c.before)
        key(k.key(), k.keyboardModifiers());
    key(c.key.key(), c.key.keyboardModifiers());
    const Record row = bout(1);
    for (auto it = c.row.constBegin(); it != c.row.constEnd(); ++it)
        EXPECT_EQ(row.str(it.key()), it.value().toString()) << it.key().toStdString();
}

const Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, ScoreboardKeys,
    ::testing::Values(
        KeyCase{"BlueMinus", false, {}, Qt::Key_N,
                {{"C1M", 1}, {"H1M", -1}, {"H2M", -1}, {"H3M", -1}, {"Puan2", 3}, {"R1", "-1;0;-1;0;-1;0;1;0;0;0;0;0"}}},
        KeyCase{"RedMinus", false, {}, Qt::Key_M, {{"C1K", 1}, {"H1K", -1}, {"H3K", -1}, {"Puan1", 3}}},
        KeyCase{"BlueFoul", false, {}, Qt::Key_J, {{"C2M", 1}, {"H1M", 0}}},
        KeyCase{"RedFoul", false, {}, Qt::Key_K, {{"C2K", 1}}},
        KeyCase{"BlueExit", false, {}, Qt::Key_I, {{"C3M", 1}}},
        KeyCase{"RedExit", false, {}, Qt::Key_O, {{"C3K", 1}}},
        KeyCase{"BlueMinusBack", false, {Qt::Key_N}, Ctrl | Qt::Key_N,
                {{"C1M", 0}, {"H1M", 0}, {"H2M", 0}, {"H3M", 0}, {"Puan2", 0}}},
        KeyCase{"RedMinusBack", false, {Qt::Key_M}, Ctrl | Qt::Key_M, {{"C1K", 0}, {"H2K", 0}}},
        KeyCase{"BlueFoulBack", false, {Qt::Key_J, Qt::Key_J}, Ctrl | Qt::Key_J, {{"C2M", 1}}},
        KeyCase{"RedFoulBack", false, {Qt::Key_K}, Ctrl | Qt::Key_K, {{"C2K", 0}}},
        KeyCase{"BlueExitBack", false, {Qt::Key_I}, Ctrl | Qt::Key_I, {{"C3M", 0}}},
        KeyCase{"RedExitBack", false, {Qt::Key_O}, Ctrl | Qt::Key_O, {{"C3K", 0}, {"R1", "0;0;0;0;0;0;0;0;0;0;0;0"}}},
        KeyCase{"PointKeysDoNothingInFullContact", false, {Qt::Key_1}, Qt::Key_8, {{"Puan1", 0}, {"Puan2", 0}}},
        KeyCase{"SemiBluePoints", true, {Qt::Key_1, Qt::Key_2}, Qt::Key_3,
                {{"Puan1", 6}, {"R1", "0;0;0;0;0;0;6;0;0;0;0;0"}}},
        KeyCase{"SemiRedPoints", true, {Qt::Key_8, Qt::Key_9}, Qt::Key_0, {{"Puan2", 6}}},
        KeyCase{"SemiPointsOff", true, {Qt::Key_3, Qt::Key_0}, Ctrl | Qt::Key_2, {{"Puan1", 1}, {"Puan2", 3}}},
        KeyCase{"SemiRedPointsOff", true, {Qt::Key_8}, Ctrl | Qt::Key_0, {{"Puan2", -2}}},
        KeyCase{"SemiHasNoMinus", true, {}, Qt::Key_N, {{"C1M", 0}}},
        KeyCase{"SemiSecondFoulGivesTheOpponentAPoint", true, {Qt::Key_J}, Qt::Key_J,
                {{"C2M", 2}, {"Puan2", 1}, {"R1", "0;0;0;0;0;0;0;2;0;1;0;0"}}},
        KeyCase{"SemiSecondExitCostsAPoint", true, {Qt::Key_3, Qt::Key_I}, Qt::Key_I,
                {{"C3M", 2}, {"Puan1", 2}, {"Puan2", 0}}},
        KeyCase{"SemiFoulTakenBackTakesTheOpponentsPoint", true, {Qt::Key_J, Qt::Key_J}, Ctrl | Qt::Key_J,
                {{"C2M", 1}, {"Puan2", 0}, {"Puan1", 0}}},
        KeyCase{"SemiExitTakenBackGivesThePointBack", true, {Qt::Key_3, Qt::Key_I, Qt::Key_I}, Ctrl | Qt::Key_I,
                {{"C3M", 1}, {"Puan1", 3}}},
        KeyCase{"SemiFourthFoulChangesNoPoint", true, {Qt::Key_K, Qt::Key_K, Qt::Key_K}, Qt::Key_K,
                {{"C2K", 4}, {"Puan1", 2}}},
        KeyCase{"SemiFifthFoulIsRefused", true, {Qt::Key_K, Qt::Key_K, Qt::Key_K, Qt::Key_K}, Qt::Key_K,
                {{"C2K", 4}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScoreboardTest, SpaceStartsAndStopsTheClock)
{
    addStandardBout();
    openBout(1);
    key(Qt::Key_Space);
    EXPECT_TRUE(live->Timer1->isEnabled());
    EXPECT_EQ(Skor->Label4->text(), "Round 1/3 - FIGHT!");
    time->advance(2);
    key(Qt::Key_Space);
    EXPECT_FALSE(live->Timer1->isEnabled());
    EXPECT_EQ(Skor->Label4->text(), "Round 1/3 - TIMEOUT");
    EXPECT_EQ(textColour(Skor->Label4), Yellow);
    EXPECT_EQ(bout(1).str("n_time"), "00:01:58");
}

TEST_F(ScoreboardTest, EscOnARunningBoutAsksWithHayirAsDefaultAndSpaceAnswersNothing)
{
    addStandardBout();
    openBout(1);
    key(Qt::Key_Space);
    ASSERT_TRUE(live->Timer1->isEnabled());
    time->advance(3);
    modals().expect("TForm5", [](QDialog* d) {
        EXPECT_EQ(Form5->Label1->text(), "Skorboard şu an aktif. Çıkmak istediğinizden emin misiniz...?");
        // The operator's next Space, meant for the clock, answers nothing,
        // not even on "Evet"; Enter answers the default, "Hayır".
        answerCarefulQuestionByEnter(d);
    });
    key(Qt::Key_Escape);
    EXPECT_EQ(modals().pending(), 0);
    EXPECT_TRUE(Skor->isVisible()) << "the board stays with its bout";
    EXPECT_TRUE(live->boutOpen());
    EXPECT_TRUE(live->Timer1->isEnabled()) << "the Spaces did not reach the clock";
    EXPECT_EQ(bout(1).str("Karar"), "");

    // A close the operator means: "Evet" clicked.
    modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
    key(Qt::Key_Escape);
    EXPECT_FALSE(Skor->isVisible());
    EXPECT_TRUE(Form5->BitBtn1->isDefault()) << "the next question has \"Evet\" as its default again";
}

TEST_F(ScoreboardTest, XEndsAFullContactBoutAndSASemiContactOne)
{
    addStandardBout();
    openBout(1);
    key(Qt::Key_S);
    EXPECT_FALSE(Skor->ComboBox1->isVisible()) << "S does nothing in full contact";
    key(Qt::Key_X);
    EXPECT_TRUE(Skor->ComboBox1->isVisible());
    EXPECT_EQ(Skor->Label4->text(), "Winner:");
    Skor->closeUnasked();

    db.update("C_KURA", {{"Brans", "57 KİLO ERKEK SEMI CONTACT"}}, "Kura_Key = 1");
    Settings s;
    s.judge3 = "";
    openBout(1, s);
    key(Qt::Key_X);
    EXPECT_FALSE(Skor->ComboBox1->isVisible()) << "X does nothing in semi contact";
    key(Qt::Key_S);
    EXPECT_TRUE(Skor->ComboBox1->isVisible());
}

TEST_F(ScoreboardTest, KeysWorkWhileAControlOfTheScoreboardHasTheKeyboard)
{
    addStandardBout();
    openBout(1);
    key(Qt::Key_X);
    Skor->ComboBox1->setFocus();
    QTest::keyClick(Skor->ComboBox1, Qt::Key_K);
    EXPECT_EQ(bout(1).toInt("C2K"), 1);
}

TEST_F(ScoreboardTest, TheMenuItemsRunTheSameOperations)
{
    addStandardBout();
    openBout(1);
    Skor->RedFo1->trigger();
    EXPECT_EQ(bout(1).toInt("C2K"), 1);
    EXPECT_EQ(Skor->RedFo1->text(), "Red Fo");
    EXPECT_EQ(Skor->RedFo1->shortcut(), QKeySequence(Qt::Key_K));
    EXPECT_EQ(Skor->MaviEx2->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
}

TEST_F(ScoreboardTest, AJudgesPointFlashesHisBox)
{
    addStandardBout();
    openBout(1);
    judgePoint(2, false);
    EXPECT_EQ(background(Skor->Panel5), Red);
    EXPECT_TRUE(Skor->Timer2->isActive());
    EXPECT_FALSE(Skor->Timer1->isActive());
    Skor->Timer2Timer();
    EXPECT_EQ(background(Skor->Panel5), White);
    EXPECT_FALSE(Skor->Timer2->isActive());
}

// --- Display switch and close ---------------------------------------------------

TEST_F(ScoreboardTest, ClosingRestoresTheDisplayModeAndTheMatchScreensPlace)
{
    QWidget matchScreen;
    matchScreen.move(40, 30);
    match->window = &matchScreen;
    addStandardBout();
    openBout(1);
    EXPECT_EQ(display->size, QSize(1024, 768));
    EXPECT_EQ(Skor->FSavedScreenWidth, 1280);
    EXPECT_EQ(Skor->FSavedScreenHeight, 1024);
    matchScreen.move(0, 0);

    // A refused close keeps everything.
    modals().expect("TForm5", [](QDialog*) {
        EXPECT_EQ(Form5->Label1->text(), "Skorboard şu an aktif. Çıkmak istediğinizden emin misiniz...?");
        click(Form5->BitBtn2);
    });
    key(Qt::Key_Escape);
    EXPECT_TRUE(Skor->isVisible());
    EXPECT_EQ(display->size, QSize(1024, 768));
    // Coming back to the scoreboard keeps the recorded size.
    Skor->activateNow();
    EXPECT_EQ(Skor->FSavedScreenWidth, 1280);

    modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
    key(Qt::Key_Escape);
    EXPECT_FALSE(Skor->isVisible());
    EXPECT_EQ(display->size, QSize(1280, 1024));
    EXPECT_EQ(display->changes, (QList<QSize>{{1024, 768}, {1280, 1024}}));
    EXPECT_EQ(matchScreen.pos(), QPoint(40, 30));
    match->window = nullptr;
}

TEST_F(ScoreboardTest, ADisplayAlreadyAt1024x768IsNeitherSwitchedNorRestored)
{
    display->size = QSize(1024, 768);
    addStandardBout();
    openBout(1);
    Skor->closeUnasked();
    EXPECT_TRUE(display->changes.isEmpty());
}

TEST_F(ScoreboardTest, WithoutTheScoringEditionTheDisplayIsNeverChanged)
{
    Skor->FScoringEdition = 0;
    addStandardBout();
    openBout(1);
    Skor->closeUnasked();
    EXPECT_TRUE(display->changes.isEmpty());
    Skor->FScoringEdition = 1;
}

TEST_F(ScoreboardTest, EscAfterTheDecisionClosesWithoutAQuestion)
{
    addStandardBout();
    openBout(1);
    decide(1, "Points");
    key(Qt::Key_Escape);
    EXPECT_FALSE(Skor->isVisible());
    EXPECT_EQ(modals().seen().count("TForm5"), 0);
}

TEST_F(ScoreboardTest, ClosingStopsTheClockAndKeepsTheRemainingTime)
{
    addStandardBout();
    openBout(1);
    key(Qt::Key_Space);
    time->advance(3);
    EXPECT_EQ(bout(1).str("n_time"), "00:02:00") << "the periodic save comes every fifth second";
    modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
    key(Qt::Key_Escape);
    EXPECT_FALSE(live->Timer1->isEnabled());
    EXPECT_EQ(bout(1).str("n_time"), "00:01:57");
    EXPECT_EQ(Skor->FBoutOpen, 0);
    EXPECT_EQ(state->FSkipActivate, 1);
    EXPECT_TRUE(match->columnsVisible);
    EXPECT_EQ(match->linkChecks, 1);
    EXPECT_EQ(match->listReloads, 1);
    // Later ticks change nothing.
    time->advance(10);
    EXPECT_EQ(bout(1).str("n_time"), "00:01:57");
}

TEST_F(ScoreboardTest, ClosingDuringABreakEndsTheBreak)
{
    addStandardBout({{"n_time", "00:00:01"}});
    openBout(1);
    key(Qt::Key_Space);
    time->advance(2);
    ASSERT_TRUE(live->Timer2->isEnabled());
    modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
    key(Qt::Key_Escape);
    EXPECT_FALSE(live->Timer2->isEnabled());
    EXPECT_EQ(bout(1).toInt("Raunt"), 2);
    EXPECT_EQ(bout(1).str("n_time"), "00:02:00");
    EXPECT_EQ(bout(1).str("R1"), "0;0;0;0;0;0;0;0;0;0;0;0");
}

TEST_F(ScoreboardTest, TheMatchScreensCloseClosesTheScoreboardWithoutAQuestion)
{
    addStandardBout();
    openBout(1);
    key(Qt::Key_Space);
    live->matchScreenClosing();
    EXPECT_FALSE(Skor->isVisible());
    EXPECT_EQ(Skor->FBoutOpen, 0);
    EXPECT_EQ(state->FSkipActivate, 0);
    EXPECT_FALSE(live->Timer1->isEnabled());
    EXPECT_EQ(modals().seen().count("TForm5"), 0);
}

// --- A picture ----------------------------------------------------------------

TEST_F(ScoreboardTest, PictureAt1024x768)
{
    addStandardBout({{"H1M", 7}, {"H1K", 5}, {"H2M", 4}, {"H2K", 6}, {"H3M", 6}, {"H3K", 3}, {"C1M", 1},
                     {"C2M", 2}, {"C2K", 1}, {"C3K", 3}, {"Raunt", 2}, {"n_time", "00:01:27"}});
    openBout(1);
    live->PuanHesap();
    Skor->resize(1024, 768);
    const QPixmap picture = Skor->grab();
    EXPECT_EQ(picture.size(), QSize(1024, 768) * picture.devicePixelRatio());
    const QString file = qEnvironmentVariable("BRIVEX_SCOREBOARD_PNG");
    if (!file.isEmpty()) {
        EXPECT_TRUE(picture.save(file, "PNG"));
    }
}

// --- The operator's road through the board -------------------------------------

TEST_F(ScoreboardTest, EscOnTheRightClickMenuClosesTheMenuOnly)
{
    addStandardBout();
    openBout(1);
    Skor->PopupMenu1->popup(Skor->mapToGlobal(QPoint(100, 100)));
    ASSERT_TRUE(Skor->PopupMenu1->isVisible());
    QTest::keyClick(Skor->PopupMenu1, Qt::Key_Escape);
    EXPECT_FALSE(Skor->PopupMenu1->isVisible());
    EXPECT_TRUE(Skor->isVisible());
    EXPECT_EQ(modals().seen().filter("TForm5"), QStringList()) << "no close question";
    // Esc on the board itself still asks.
    modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn2); });
    key(Qt::Key_Escape);
    EXPECT_EQ(modals().seen().filter("TForm5"), QStringList{"TForm5"});
    EXPECT_TRUE(Skor->isVisible());
}

// Without a display switch the window is larger than the design: the
// content grows with it, proportions kept, centred.
TEST_F(ScoreboardTest, ContentFillsALargerWindowScaled)
{
    addStandardBout();
    openBout(1);
    Skor->setWindowState(Qt::WindowNoState);
    const QRect roundDesign = Skor->Raunt->geometry();
    const int roundFont = Skor->Raunt->font().pixelSize();
    ASSERT_EQ(roundDesign, QRect(448, 42, 129, 105));

    Skor->resize(2032, 1468);       // twice the design
    EXPECT_DOUBLE_EQ(Skor->FScale.factor(), 2.0);
    EXPECT_EQ(Skor->Raunt->geometry(), QRect(896, 84, 258, 210));
    EXPECT_EQ(Skor->Raunt->font().pixelSize(), 2 * roundFont);

    // A wider screen: the height decides, the content is centred across.
    Skor->resize(1920, 1080);
    const double f = 1080.0 / 734.0;
    EXPECT_DOUBLE_EQ(Skor->FScale.factor(), f);
    const int offset = int((1920 - 1016 * f) / 2);
    EXPECT_EQ(Skor->Raunt->x(), offset + int(std::lround(448 * f)));
    EXPECT_EQ(Skor->Raunt->y(), int(std::lround(42 * f)));

    // A control the program places anew is placed in design coordinates.
    Skor->Raunt->move(10, 20);
    EXPECT_EQ(Skor->FScale.designGeometry(Skor->Raunt), QRect(10, 20, 129, 105));
    EXPECT_EQ(Skor->Raunt->pos(), QPoint(offset + int(std::lround(10 * f)), int(std::lround(20 * f))));

    // Back at the design size everything is where it was designed.
    Skor->Raunt->move(roundDesign.topLeft());
    Skor->resize(1016, 734);
    EXPECT_DOUBLE_EQ(Skor->FScale.factor(), 1.0);
    EXPECT_EQ(Skor->Raunt->geometry(), roundDesign);
    EXPECT_EQ(Skor->Raunt->font().pixelSize(), roundFont);
}

// Marks and lead numbers placed while the content is scaled keep their
// places: back at the design size they stand where the design puts them.
TEST_F(ScoreboardTest, MarksPlacedOnAScaledBoardKeepTheirDesignPlaces)
{
    addStandardBout();
    openBout(1);
    Skor->setWindowState(Qt::WindowNoState);
    Skor->resize(1016, 734);
    const QList<QLabel*> lines{Skor->Label16, Skor->Label17, Skor->Label18, Skor->Label19, Skor->Label20,
                               Skor->Label21, Skor->Label47, Skor->Label48, Skor->Label49, Skor->Label50,
                               Skor->Label51, Skor->Label52};
    QMap<QLabel*, QRect> designed;
    for (QLabel* l : lines)
        designed.insert(l, l->geometry());

    Skor->resize(2032, 1468);
    ASSERT_DOUBLE_EQ(Skor->FScale.factor(), 2.0);
    // Two blue points from judge 1 and a red one from judge 2, then a blue
    // Minus (a point off each judge's blue card: judge 1's blue lead is 1,
    // judge 2's red lead 2), two blue fouls and a red exit.
    for (int i = 0; i < 2; ++i)
        judgePoint(1, true);
    judgePoint(2, false);
    live->selectPenalty(Minus);
    live->SpeedButton5Click();
    live->selectPenalty(Foul);
    live->SpeedButton5Click();
    live->SpeedButton5Click();
    live->selectPenalty(Exit);
    live->SpeedButton7Click();
    // What is shown is the design scaled (the lines lie in the side panels,
    // which the centring does not move).
    for (QLabel* l : lines) {
        const QRect design = Skor->FScale.designGeometry(l);
        EXPECT_EQ(l->geometry(), QRect(design.topLeft() * 2, design.size() * 2)) << l->objectName().toStdString();
    }

    Skor->resize(1016, 734);
    for (QLabel* l : lines) {
        SCOPED_TRACE(l->objectName().toStdString());
        const QRect was = designed.value(l);
        EXPECT_EQ(l->y(), was.y());
        EXPECT_EQ(l->height(), was.height());
        EXPECT_EQ(l->width(), SymbolLabel::lineWidth(int(l->text().size())));
        if (l->alignment() & Qt::AlignRight) {
            EXPECT_EQ(l->x() + l->width(), was.x() + was.width());
        } else {
            EXPECT_EQ(l->x(), was.x());
        }
    }
    EXPECT_EQ(Skor->Label19->text(), "n");
    EXPECT_EQ(Skor->Label17->text(), "nn");
    EXPECT_EQ(Skor->Label47->text(), "n");
    EXPECT_EQ(Skor->Label48->text(), "nn");
    EXPECT_EQ(Skor->Label52->text(), "n");
    EXPECT_EQ(Skor->Label44->x() + Skor->Label44->width(), Skor->Label19->x() - 10);
    EXPECT_EQ(Skor->Label42->x(), Skor->Label17->x() + 40 + 2);
}

TEST_F(ScoreboardTest, TheWinnerListTakesThePlaceOfTheRoundCaption)
{
    addStandardBout();
    openBout(1);
    EXPECT_TRUE(Skor->Label2->isVisible());
    key(Qt::Key_X);
    ASSERT_TRUE(Skor->ComboBox1->isVisible());
    EXPECT_FALSE(Skor->Label2->isVisible()) << "\"Round\" would stand over the winner list";
    // The next bout shows the caption again.
    Skor->closeUnasked();
    addBout(2, {"CEM", 21, "ANKARA", "ANKARA SPOR"}, {"DENİZ", 22, "İZMİR", "İZMİR SPOR"});
    openBout(2);
    EXPECT_TRUE(Skor->Label2->isVisible());
}

TEST_F(ScoreboardTest, SettingsTakeDurationsAsMinutesAndSecondsAndShowWholeCaptions)
{
    TSkorb_giris* d = Skorb_giris;
    for (QLineEdit* duration : {d->Edit4, d->Edit5, d->Edit11}) {
        EXPECT_EQ(duration->inputMask(), "99:99;_") << duration->objectName().toStdString();
        duration->clear();
        duration->setFocus();
        duration->setCursorPosition(0);
        QTest::keyClicks(duration, "0230");
        EXPECT_EQ(duration->text(), "02:30") << duration->objectName().toStdString();
        QTest::keyClicks(duration, "x");
        EXPECT_EQ(duration->text(), "02:30") << "letters are not taken";
    }
    for (QLabel* caption : d->findChildren<QLabel*>()) {
        if (caption->wordWrap() || caption->text().isEmpty() || caption->text().size() < 2)
            continue;
        EXPECT_GE(caption->width(), caption->sizeHint().width()) << caption->text().toStdString();
    }
    // The judges' marks stand clear of their captions and of each other.
    const QList<std::pair<QLabel*, QLabel*>> marks = {{d->Label11, d->Label48}, {d->Label13, d->Label14},
                                                       {d->Label16, d->Label17}};
    for (const auto& [caption, mark] : marks)
        EXPECT_GT(mark->x(), caption->geometry().right()) << caption->text().toStdString();
    EXPECT_LE(d->Label18->geometry().right(), d->width());
}

} // namespace
