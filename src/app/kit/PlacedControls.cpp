#include "app/kit/PlacedControls.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {

class LabelClick : public QObject {
public:
    LabelClick(QLabel* label, std::function<void()> action) : QObject(label), m_action(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease) {
            m_action();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_action;
};

} // namespace

namespace PlacedControls {

void onClick(QLabel* label, std::function<void()> action)
{
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(new LabelClick(label, std::move(action)));
}

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent, int x, int y)
{
    auto* l = make<QLabel>(name, text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QLineEdit* makeEdit(const QString& name, QWidget* parent, const QRect& r, const QString& mask)
{
    auto* e = make<QLineEdit>(name, parent, r);
    if (!mask.isEmpty())
        e->setInputMask(mask);
    return e;
}

QComboBox* makeList(const QString& name, QWidget* parent, const QRect& r)
{
    auto* c = make<QComboBox>(name, parent, r);
    c->setMaxVisibleItems(20);
    return c;
}

QPushButton* makeButton(const QString& name, const QString& text, QWidget* parent, const QRect& place)
{
    auto* b = make<QPushButton>(name, text, parent, place);
    b->setAutoDefault(false);
    return b;
}

QAction* makeAction(const QString& name, const QString& text, QObject* parent)
{
    auto* a = new QAction(text, parent);
    a->setObjectName(name);
    return a;
}

QAction* makeItem(QMenu* menu, const QString& name, const QString& text)
{
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    return a;
}

}
