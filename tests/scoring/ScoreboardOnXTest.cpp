// The scoreboard under a real X server with a window manager: the close
// question and the winner error come above the stay-on-top scoreboard as the
// active window, and the keyboard goes back to the scoreboard after each.
//
// The test starts Xvfb (on a display number the server picks itself) and
// openbox, then runs the test program again on that display with the xcb
// platform; the second run drives the scoreboard and asks the window
// manager, through xprop, which window is active and how they are stacked.
#include "LiveFixture.h"

#include "app/dialogs/Form5.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <signal.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char* const kOnXChildVariable = "BRIVEX_SCOREBOARD_ON_X";

// --- Asking the window manager ---------------------------------------------------

QString onXDisplay()
{
    return qEnvironmentVariable("DISPLAY");
}

// The X window ids a root property lists ("window id # 0x..., 0x...").
QList<quint64> onXRootWindows(const QString& property)
{
    QProcess p;
    p.start("xprop", {"-display", onXDisplay(), "-root", property});
    p.waitForFinished(10000);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QList<quint64> ids;
    static const QRegularExpression hex("0x[0-9a-fA-F]+");
    for (auto it = hex.globalMatch(out.section('#', 1)); it.hasNext();)
        ids << it.next().captured(0).toULongLong(nullptr, 16);
    return ids;
}

quint64 onXActiveWindow()
{
    const QList<quint64> ids = onXRootWindows("_NET_ACTIVE_WINDOW");
    return ids.isEmpty() ? 0 : ids.first();
}

// Bottom to top.
QList<quint64> onXStacking()
{
    return onXRootWindows("_NET_CLIENT_LIST_STACKING");
}

quint64 onXId(QWidget* w)
{
    return w && w->windowHandle() ? quint64(w->windowHandle()->winId()) : 0;
}

// Polls (events run meanwhile) until the condition holds or the tries end.
bool onXWaitFor(const std::function<bool()>& condition)
{
    for (int i = 0; i < 500; ++i) {
        if (condition())
            return true;
        QTest::qWait(20);
    }
    return condition();
}

// What the window manager shows about a dialog over the scoreboard.
struct OnXSeen {
    bool dialogActive = false;
    bool dialogAboveBoard = false;
    bool parentedToBoard = false;
};

OnXSeen onXLookAt(QWidget* dialog)
{
    OnXSeen seen;
    const quint64 id = onXId(dialog);
    seen.dialogActive = onXWaitFor([&] { return id != 0 && onXActiveWindow() == id; });
    const QList<quint64> stack = onXStacking();
    seen.dialogAboveBoard = stack.contains(id) && stack.contains(onXId(Skor)) &&
                            stack.indexOf(id) > stack.indexOf(onXId(Skor));
    seen.parentedToBoard = dialog->windowHandle() && dialog->windowHandle()->transientParent() == Skor->windowHandle();
    return seen;
}

bool onXKeyboardOnTheBoard()
{
    return onXWaitFor([] {
        return onXActiveWindow() == onXId(Skor) && QGuiApplication::focusWindow() == Skor->windowHandle();
    });
}

// --- The run on the X display ----------------------------------------------------------

class ScoreboardOnX : public LiveTest {};

TEST_F(ScoreboardOnX, DialogsComeAboveTheBoardAndGiveTheKeyboardBack)
{
    if (!qEnvironmentVariableIsSet(kOnXChildVariable))
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
        onXWaitFor([&] { return (box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) != nullptr; });
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

// Xvfb on a display number it picks itself (-displayfd), and openbox on it.
class OnXDisplayServer {
public:
    ~OnXDisplayServer() { stop(); }

    bool start(QString* why)
    {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        const QString openbox = QStandardPaths::findExecutable("openbox");
        if (xvfb.isEmpty() || openbox.isEmpty() || QStandardPaths::findExecutable("xprop").isEmpty()) {
            *why = "Xvfb, openbox or xprop is not installed (scripts/setup.sh installs them)";
            return false;
        }
        int fds[2];
        if (pipe(fds) != 0) {
            *why = "no pipe";
            return false;
        }
        const QByteArray program = xvfb.toLocal8Bit();
        m_server = fork();
        if (m_server == 0) {
            close(fds[0]);
            const QByteArray fd = QByteArray::number(fds[1]);
            execl(program.constData(), "Xvfb", "-displayfd", fd.constData(), "-screen", "0", "1280x1024x24",
                  "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        QByteArray number;
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (m_server < 0 || number.isEmpty()) {
            *why = "Xvfb did not start";
            return false;
        }
        m_display = ":" + QString::fromLatin1(number);

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_display);
        m_wm.setProcessEnvironment(env);
        m_wm.start(openbox, {});
        if (!m_wm.waitForStarted(10000)) {
            *why = "openbox did not start";
            return false;
        }
        // The window manager is there once it names its check window.
        for (int i = 0; i < 250; ++i) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.start("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"});
            p.waitForFinished(5000);
            if (p.readAllStandardOutput().contains("window id"))
                return true;
            QThread::msleep(20);
        }
        *why = "openbox did not take the display";
        return false;
    }

    QString display() const { return m_display; }

    void stop()
    {
        if (m_wm.state() != QProcess::NotRunning) {
            m_wm.terminate();
            if (!m_wm.waitForFinished(5000))
                m_wm.kill();
            m_wm.waitForFinished(5000);
        }
        if (m_server > 0) {
            kill(m_server, SIGTERM);
            waitpid(m_server, nullptr, 0);
            m_server = 0;
        }
    }

private:
    pid_t m_server = 0;
    QString m_display;
    QProcess m_wm;
};

TEST(ScoreboardOnARealDisplay, DialogsComeAboveTheBoardAndGiveTheKeyboardBack)
{
    if (qEnvironmentVariableIsSet(kOnXChildVariable))
        GTEST_SKIP() << "already on the display";
    OnXDisplayServer server;
    QString why;
    ASSERT_TRUE(server.start(&why)) << why.toStdString();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", server.display());
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert(kOnXChildVariable, "1");
    env.remove("WAYLAND_DISPLAY");
    QProcess run;
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QCoreApplication::applicationFilePath(),
              {"--gtest_filter=ScoreboardOnX.DialogsComeAboveTheBoardAndGiveTheKeyboardBack"});
    ASSERT_TRUE(run.waitForFinished(100000));
    const QString out = QString::fromUtf8(run.readAll());
    EXPECT_EQ(run.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.toStdString();
    server.stop();
}

} // namespace
