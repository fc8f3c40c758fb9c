#include "platform/display/Display.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>

namespace {

QSize primaryScreenSize()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->size() * screen->devicePixelRatio();
    return {};
}

// No way to switch: the size the window system reports, changes refused.
class FixedDisplay : public DisplayBackend {
public:
    QSize currentSize() override { return primaryScreenSize(); }
    bool changeSize(const QSize&) override { return false; }
};

// X11 with RandR, through the xrandr tool. Every call waits a few seconds at
// most, so a hanging X server never holds the program.
class RandrDisplay : public DisplayBackend {
public:
    explicit RandrDisplay(QString tool) : m_tool(std::move(tool)) {}

    QSize currentSize() override
    {
        QProcess p;
        p.start(m_tool, {"--current"});
        if (p.waitForFinished(kWaitMs) && p.exitCode() == 0) {
            // "Screen 0: minimum 8 x 8, current 1280 x 1024, maximum ..."
            static const QRegularExpression current(R"(current\s+(\d+)\s*x\s*(\d+))");
            const auto m = current.match(QString::fromLocal8Bit(p.readAllStandardOutput()));
            if (m.hasMatch())
                return {m.captured(1).toInt(), m.captured(2).toInt()};
        } else if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished(kWaitMs);
        }
        return primaryScreenSize();
    }

    bool changeSize(const QSize& size) override
    {
        QProcess p;
        p.start(m_tool, {"-s", QString("%1x%2").arg(size.width()).arg(size.height())});
        if (!p.waitForFinished(kWaitMs)) {
            p.kill();
            p.waitForFinished(kWaitMs);
            return false;
        }
        return p.exitCode() == 0;
    }

private:
    static constexpr int kWaitMs = 5000;
    QString m_tool;
};

std::shared_ptr<DisplayBackend>& backendSlot()
{
    static std::shared_ptr<DisplayBackend> b;
    return b;
}

DisplayBackend& backend()
{
    std::shared_ptr<DisplayBackend>& b = backendSlot();
    if (!b) {
        const QString tool = QStandardPaths::findExecutable("xrandr");
        if (QGuiApplication::platformName() == "xcb" && !tool.isEmpty())
            b = std::make_shared<RandrDisplay>(tool);
        else
            b = std::make_shared<FixedDisplay>();
    }
    return *b;
}

} // namespace

QSize DisplayMode::currentSize()
{
    return backend().currentSize();
}

bool DisplayMode::changeSize(const QSize& size)
{
    return backend().changeSize(size);
}

void DisplayMode::setBackend(std::shared_ptr<DisplayBackend> b)
{
    backendSlot() = std::move(b);
}
