#include "registry/CaptionClick.h"

#include <QEvent>
#include <QMouseEvent>

namespace {

class CaptionClick : public QObject {
public:
    CaptionClick(QLabel* caption, std::function<void()> action) : QObject(caption), m_action(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_action();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_action;
};

} // namespace

void onCaptionClick(QLabel* caption, std::function<void()> action)
{
    caption->setCursor(Qt::PointingHandCursor);
    caption->installEventFilter(new CaptionClick(caption, std::move(action)));
}

void colourCaption(QWidget* caption, const QColor& colour)
{
    QPalette p = caption->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    caption->setPalette(p);
}
