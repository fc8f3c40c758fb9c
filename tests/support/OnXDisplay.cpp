#include "support/OnXDisplay.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace OnX {

DisplayServer::~DisplayServer()
{
    stop();
}

bool DisplayServer::start(QString* why)
{
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    const QString openbox = QStandardPaths::findExecutable("openbox");
    if (xvfb.isEmpty() || openbox.isEmpty() || QStandardPaths::findExecutable("xprop").isEmpty() ||
        QStandardPaths::findExecutable("xdotool").isEmpty()) {
        *why = "Xvfb, openbox, xprop or xdotool is not installed (scripts/setup.sh installs them)";
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
        execl(program.constData(), "Xvfb", "-displayfd", fd.constData(), "-screen", "0", "1280x1024x24", "-nolisten",
              "tcp", "-noreset", static_cast<char*>(nullptr));
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

void DisplayServer::stop()
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

bool isChildRun(const char* childVariable)
{
    return qEnvironmentVariableIsSet(childVariable);
}

ChildRun runTest(const DisplayServer& server, const char* childVariable, const QString& test)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", server.display());
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert(childVariable, "1");
    env.remove("WAYLAND_DISPLAY");
    QProcess run;
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=" + test});
    ChildRun result;
    if (!run.waitForFinished(100000)) {
        run.kill();
        run.waitForFinished(5000);
        result.output = "the run on the display did not finish:\n" + QString::fromUtf8(run.readAll());
        return result;
    }
    result.exitCode = run.exitCode();
    result.output = QString::fromUtf8(run.readAll());
    return result;
}

QList<quint64> rootWindows(const QString& property)
{
    QProcess p;
    p.start("xprop", {"-display", qEnvironmentVariable("DISPLAY"), "-root", property});
    p.waitForFinished(10000);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QList<quint64> ids;
    static const QRegularExpression hex("0x[0-9a-fA-F]+");
    for (auto it = hex.globalMatch(out.section('#', 1)); it.hasNext();)
        ids << it.next().captured(0).toULongLong(nullptr, 16);
    return ids;
}

quint64 activeWindow()
{
    const QList<quint64> ids = rootWindows("_NET_ACTIVE_WINDOW");
    return ids.isEmpty() ? 0 : ids.first();
}

QList<quint64> stacking()
{
    return rootWindows("_NET_CLIENT_LIST_STACKING");
}

quint64 idOf(QWidget* w)
{
    QWidget* window = w ? w->window() : nullptr;
    return window && window->windowHandle() ? quint64(window->windowHandle()->winId()) : 0;
}

bool above(QWidget* upper, QWidget* lower)
{
    const QList<quint64> stack = stacking();
    const quint64 u = idOf(upper);
    const quint64 l = idOf(lower);
    return stack.contains(u) && stack.contains(l) && stack.indexOf(u) > stack.indexOf(l);
}

bool waitFor(const std::function<bool()>& condition)
{
    // A guard against a hang only: the loop ends as soon as the condition
    // holds, and a window manager on a loaded machine may take seconds to
    // activate a window.
    const QDeadlineTimer guard(kWaitGuardMs);
    while (!condition()) {
        if (guard.hasExpired())
            return condition();
        QTest::qWait(20);
    }
    return true;
}

void click(QWidget* w)
{
    const QPoint at = w->mapTo(w->window(), w->rect().center());
    QProcess p;
    p.start("xdotool", {"mousemove", "--sync", "--window", QString::number(idOf(w)), QString::number(at.x()),
                        QString::number(at.y()), "click", "1"});
    // The tool waits for the pointer to arrive; events run meanwhile so that
    // the program answers the window system. The caller waits for what the
    // click does.
    while (!p.waitForFinished(20))
        QCoreApplication::processEvents();
}

}
