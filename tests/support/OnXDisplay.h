#pragma once
// Tests where stacking and focus matter run under a real X server with a
// window manager: the test starts Xvfb (on a display number the server picks
// itself) and openbox, then runs one test of its own program again on that
// display with the xcb platform. The second run drives the screens, asks the
// window manager through xprop which window is active and how the windows
// are stacked, and clicks with xdotool, so that the clicks go through the
// window system as an operator's do (a window blocked by a modal one does
// not get them).
//
//   TEST(MyThingOnARealDisplay, ...) {                  // the outer run
//       if (OnX::isChildRun(kChild)) GTEST_SKIP();
//       OnX::DisplayServer server;
//       QString why;
//       ASSERT_TRUE(server.start(&why)) << why.toStdString();
//       const OnX::ChildRun run = OnX::runTest(server, kChild, "MyThingOnX.Test");
//       EXPECT_TRUE(run.passed()) << run.output.toStdString();
//   }
//   TEST_F(MyThingOnX, Test) {                          // the run on the display
//       if (!OnX::isChildRun(kChild)) GTEST_SKIP();
//       ... OnX::activeWindow() == OnX::idOf(dialog) ...
//   }

#include <QList>
#include <QProcess>
#include <QString>

#include <functional>

#include <sys/types.h>

class QWidget;

namespace OnX {

// Xvfb and openbox, stopped by the destructor.
class DisplayServer {
public:
    ~DisplayServer();
    // False, with the reason, when the server or the window manager did not
    // start (or a tool is missing: scripts/setup.sh installs them).
    bool start(QString* why);
    void stop();
    QString display() const { return m_display; }

private:
    pid_t m_server = 0;
    QString m_display;
    QProcess m_wm;
};

// Whether this process is the run on the display (its variable is set).
bool isChildRun(const char* childVariable);

struct ChildRun {
    int exitCode = -1;
    QString output;
    bool passed() const { return exitCode == 0 && output.contains("[  PASSED  ] 1 test"); }
};
// Runs one test of this program on the display (xcb platform, the child
// variable set) and waits for it.
ChildRun runTest(const DisplayServer& server, const char* childVariable, const QString& test);

// --- In the run on the display ----------------------------------------------------

// The X window ids a root property of the window manager lists.
QList<quint64> rootWindows(const QString& property);
quint64 activeWindow();
// Bottom to top.
QList<quint64> stacking();
// The X window of a widget's window (0 when it has none).
quint64 idOf(QWidget* w);
// Whether window `upper` stands above window `lower`.
bool above(QWidget* upper, QWidget* lower);
// Polls, events running meanwhile, until the condition holds or
// kWaitGuardMs have passed (a bound against a hang only).
inline constexpr int kWaitGuardMs = 60000;
bool waitFor(const std::function<bool()>& condition);
// A left click at the centre of a widget through the window system
// (xdotool); the caller waits (waitFor) for what the click does.
void click(QWidget* w);

}
