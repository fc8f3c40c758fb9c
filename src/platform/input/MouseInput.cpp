#include "platform/input/MouseInput.h"

#include "platform/input/EvdevMouseSource.h"

namespace {

std::shared_ptr<MouseInputSource>& current()
{
    static std::shared_ptr<MouseInputSource> source;
    return source;
}

} // namespace

QString MouseInputSource::deviceName(unsigned vendor, unsigned product, const QString& place)
{
    auto hex = [](unsigned v) { return QString::number(v & 0xFFFF, 16).toUpper().rightJustified(4, '0'); };
    return QStringLiteral("\\\\?\\HID#VID_%1&PID_%2#%3").arg(hex(vendor), hex(product), place);
}

std::shared_ptr<MouseInputSource> MouseInputSource::instance()
{
    if (!current())
        current() = std::make_shared<EvdevMouseSource>();
    return current();
}

void MouseInputSource::setInstance(std::shared_ptr<MouseInputSource> source)
{
    current() = std::move(source);
}
