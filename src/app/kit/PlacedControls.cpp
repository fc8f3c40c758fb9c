#include "app/kit/PlacedControls.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QKeyEvent>
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

class DefaultWhenFocused : public QObject {
public:
    explicit DefaultWhenFocused(QPushButton* button) : QObject(button), m_button(button) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::FocusIn:
            m_button->setDefault(true);
            break;
        case QEvent::FocusOut:
            m_button->setDefault(false);
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_button->isEnabled()) {
                m_button->click();
                return true;
            }
            break;
        }
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPushButton* m_button;
};

} // namespace

namespace PlacedControls {

void defaultWhenFocused(QPushButton* button)
{
    button->setAutoDefault(false);
    button->setDefault(false);
    button->installEventFilter(new DefaultWhenFocused(button));
}

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

QDateEdit* makeDatePicker(const QString& name, QWidget* parent, const QRect& place)
{
    auto* p = make<QDateEdit>(name, parent, place);
    p->setDisplayFormat("dd.MM.yyyy");
    p->setCalendarPopup(true);
    // The desktop's language (often English, or C) would name the months
    // and days; the calendar takes the picker's.
    p->setLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
    return p;
}

void onDatePicked(QDateEdit* picker, QObject* context, std::function<void(const QDate&)> picked)
{
    QObject::connect(picker, &QDateEdit::dateChanged, context, picked);
    // The calendar's own signals: a click, and Enter on a day.
    QCalendarWidget* calendar = picker->calendarWidget();
    QObject::connect(calendar, &QCalendarWidget::clicked, context, picked);
    QObject::connect(calendar, &QCalendarWidget::activated, context, picked);
}

int flow(const QList<QWidget*>& controls, int x, int y, int gap)
{
    int right = x;
    for (QWidget* w : controls) {
        w->setGeometry(QRect(QPoint(right, y), w->sizeHint()));
        right = w->geometry().right() + 1 + gap;
    }
    return controls.isEmpty() ? x : right - gap;
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
