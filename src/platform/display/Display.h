#pragma once
// The display mode of the primary screen: its size, and a switch to another
// size that holds for the running session only (nothing is stored).
//
//   const QSize before = DisplayMode::currentSize();
//   DisplayMode::changeSize({1024, 768});
//   ...
//   DisplayMode::changeSize(before);
//
// Where X11 runs and the RandR tool "xrandr" is installed the size really
// changes; everywhere else (Wayland, the offscreen platform, no tool) the
// current size is the primary screen's and a change does nothing and reports
// false. Tests give a backend of their own.

#include <QSize>

#include <memory>

class DisplayBackend {
public:
    virtual ~DisplayBackend() = default;
    virtual QSize currentSize() = 0;
    // Applies the size dynamically; false when the display cannot.
    virtual bool changeSize(const QSize& size) = 0;
};

namespace DisplayMode {
QSize currentSize();
bool changeSize(const QSize& size);
// Replaces the backend (null: the platform's own again).
void setBackend(std::shared_ptr<DisplayBackend> backend);
}
