// The scoreboard under a real X server with a window manager: the close
// question and the winner error come above the stay-on-top scoreboard as the
// active window, and the keyboard goes back to the scoreboard after each.
//
// The test starts Xvfb and openbox and runs itself again on that display
// (support/OnXDisplay.h); the second run drives the scoreboard and asks the
// window manager which window is active and how they are stacked.
#include "LiveFixture.h"
#include "support/OnXDisplay.h"

#include "app/dialogs/Form5.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

namespace {

const char* const kOnXChildVariable = "BRIVEX_SCOREBOARD_ON_X";

// What the window manager shows about a dialog over the scoreboard.
struct OnXSeen {
    bool dialogActive = false;
    bool dialogAboveBoard = false;
    bool parentedToBoard = false;
};

OnXSeen onXLookAt(QWidget* dialog)
{
    OnXSeen seen;
    const quint64 id = OnX::idOf(dialog);
    seen.dialogActive = OnX::waitFor([&] { return id != 0 && OnX::activeWindow() == id; });
    seen.dialogAboveBoard = OnX::above(dialog, Skor);
    seen.parentedToBoard = dialog->windowHandle() && dialog->windowHandle()->transientParent() == Skor->windowHandle();
    return seen;
}

bool onXKeyboardOnTheBoard()
{
    return OnX::waitFor([] {
        return OnX::activeWindow() == OnX::idOf(Skor) && QGuiApplication::focusWindow() == Skor->windowHandle();
    });
}

// --- The run on the X display ----------------------------------------------------------

class ScoreboardOnX : public LiveTest {};

TEST_F(ScoreboardOnX, DialogsComeAboveTheBoardAndGiveTheKeyboardBack)
{
    if (!OnX::isChildRun(kOnXChildVariable))
        GTEST_SKIP() << "runs on the display ScoreboardOnARealDisplay starts";
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");

    // The match screen runs modally, as on the station.
    QDialog matchScreen;
    matchScreen.setWindowTitle("Müsabaka");
    matchScreen.setWindowModality(Qt::ApplicationModal);
    matchScreen.resize(800, 600);
    matchScreen.show();
    match->window = &matchScreen;
    addStandardBout();
    openBout(1);
    ASSERT_TRUE(Skor->isVisible());
    ASSERT_TRUE(onXKeyboardOnTheBoard()) << "the board takes the keyboard when it opens";

    // The close question, refused.
    OnXSeen question;
    modals().expect("TForm5", [&](QDialog*) {
        EXPECT_EQ(Form5->Label1->text(), "Skorboard şu an aktif. Çıkmak istediğinizden emin misiniz...?");
        question = onXLookAt(Form5);
        click(Form5->BitBtn2);
    });
    QTest::keyClick(Skor, Qt::Key_Escape);
    EXPECT_TRUE(question.dialogActive) << "the question is the active window";
    EXPECT_TRUE(question.dialogAboveBoard) << "the question stands above the board";
    EXPECT_TRUE(question.parentedToBoard);
    ASSERT_TRUE(Skor->isVisible());
    EXPECT_TRUE(onXKeyboardOnTheBoard()) << "the keyboard is back on the board after the question";

    // The winner error, as a real message box.
    const UiHook recorder = Messages::hook();
    Messages::setHook({});
    OnXSeen error;
    QString errorText;
    QTimer::singleShot(0, [&] {
        QWidget* box = nullptr;
        OnX::waitFor([&] { return (box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) != nullptr; });
        if (!box)
            return;
        errorText = static_cast<QMessageBox*>(box)->text();
        error = onXLookAt(box);
        static_cast<QMessageBox*>(box)->done(QMessageBox::Ok);
    });
    QTest::keyClick(Skor, Qt::Key_X);
    Skor->ComboBox1->setCurrentIndex(-1);
    click(Skor->BitBtn1);
    Messages::setHook(recorder);
    EXPECT_EQ(errorText, "Lütfen Kazanan Sporcuyu Seçiniz ...!");
    EXPECT_TRUE(error.dialogActive) << "the error is the active window";
    EXPECT_TRUE(error.dialogAboveBoard) << "the error stands above the board";
    EXPECT_TRUE(error.parentedToBoard);
    EXPECT_TRUE(onXKeyboardOnTheBoard()) << "the keyboard is back on the board after the error";

    Skor->closeUnasked();
    match->window = nullptr;
}

// --- Starting the display ---------------------------------------------------------------

TEST(ScoreboardOnARealDisplay, DialogsComeAboveTheBoardAndGiveTheKeyboardBack)
{
    if (OnX::isChildRun(kOnXChildVariable))
        GTEST_SKIP() << "already on the display";
    OnX::DisplayServer server;
    QString why;
    ASSERT_TRUE(server.start(&why)) << why.toStdString();
    const OnX::ChildRun run =
        OnX::runTest(server, kOnXChildVariable, "ScoreboardOnX.DialogsComeAboveTheBoardAndGiveTheKeyboardBack");
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
    server.stop();
}

} // namespace
