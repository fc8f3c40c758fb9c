#include "support/Reach.h"

#include "app/kit/DbGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <memory>

namespace {

std::string nameOf(const QObject* o)
{
    if (!o)
        return "(none)";
    QString n = o->objectName();
    if (n.isEmpty())
        n = o->metaObject()->className();
    if (const auto* b = qobject_cast<const QAbstractButton*>(o); b && !b->text().isEmpty())
        n += " \"" + b->text() + "\"";
    return n.toStdString();
}

// Texts compare without the mnemonic marks of menu titles.
bool sameText(const QString& shown, const QString& wanted)
{
    return shown == wanted || QString(shown).remove('&') == wanted;
}

// The point a click on the widget aims at: the middle, or the indicator of a
// check box or radio button (where its text is short the middle may miss it).
QPoint aimAt(QWidget* w)
{
    if (qobject_cast<QRadioButton*>(w) || qobject_cast<QCheckBox*>(w)) {
        QStyleOptionButton option;
        option.initFrom(w);
        const auto element =
            qobject_cast<QRadioButton*>(w) ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator;
        const QRect r = w->style()->subElementRect(element, &option, w);
        if (r.isValid())
            return r.center();
    }
    return w->rect().center();
}

// The middle of a grid cell, the grid scrolled to it; an invalid point
// (with the failure recorded) when the cell cannot be reached.
QPoint cellPoint(TDBGrid* grid, int row, const QString& field)
{
    if (!Reach::usable(grid))
        return {};
    const int column = grid->columnOf(field);
    if (column < 0 || row < 0 || row >= grid->rowCount()) {
        ADD_FAILURE() << "no cell " << row << "/" << field.toStdString() << " in " << nameOf(grid);
        return {};
    }
    if (!grid->column(column).visible) {
        ADD_FAILURE() << "column " << field.toStdString() << " of " << nameOf(grid) << " is hidden";
        return {};
    }
    const QModelIndex cell = grid->model()->index(row, column);
    grid->scrollTo(cell);
    const QRect r = grid->visualRect(cell).intersected(grid->viewport()->rect());
    if (r.isEmpty()) {
        ADD_FAILURE() << "cell " << row << "/" << field.toStdString() << " of " << nameOf(grid)
                      << " is not on the screen";
        return {};
    }
    return r.center();
}

// A widget inside a scrolled area is scrolled into view first, as the
// operator scrolls to it.
void scrollTo(QWidget* w)
{
    if (!w)
        return;
    for (QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(p))
            area->ensureWidgetVisible(w);
}

} // namespace

namespace Reach {

void settle()
{
    // Handling an event may post the next (a window shown, then activated,
    // then laid out): a few rounds take them all.
    for (int round = 0; round < 5; ++round)
        QApplication::processEvents();
}

::testing::AssertionResult usable(QWidget* w)
{
    settle();
    if (!w)
        return ::testing::AssertionFailure() << "no widget";
    QWidget* window = w->window();
    if (!window->isVisible())
        return ::testing::AssertionFailure() << nameOf(w) << ": its window " << nameOf(window) << " is not shown";
    if (!w->isVisible())
        return ::testing::AssertionFailure() << nameOf(w) << " is not shown";
    if (!w->isEnabled())
        return ::testing::AssertionFailure() << nameOf(w) << " is disabled";
    if (QWidget* modal = QApplication::activeModalWidget()) {
        // A modal window lets its own windows through: its children and the
        // windows that stand over it (transient for it).
        bool inside = false;
        for (QWidget* p = window; p && !inside; p = p->parentWidget())
            inside = p == modal;
        for (QWindow* h = window->windowHandle(); h && !inside; h = h->transientParent())
            inside = h == modal->windowHandle();
        if (!inside)
            return ::testing::AssertionFailure()
                   << nameOf(w) << " is shut off by the modal window " << nameOf(modal);
    }
    if (w->visibleRegion().isEmpty() || w->width() <= 0 || w->height() <= 0)
        return ::testing::AssertionFailure() << nameOf(w) << " has no room on the screen";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult unreachable(QWidget* w)
{
    const ::testing::AssertionResult r = usable(w);
    if (r)
        return ::testing::AssertionFailure() << nameOf(w) << " is within the operator's reach";
    return ::testing::AssertionSuccess() << r.message();
}

bool press(QWidget* w)
{
    scrollTo(w);
    const ::testing::AssertionResult ok = usable(w);
    EXPECT_TRUE(ok);
    if (!ok)
        return false;
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, aimAt(w));
    return true;
}

bool type(QWidget* w, const QString& text)
{
    scrollTo(w);
    const ::testing::AssertionResult ok = usable(w);
    EXPECT_TRUE(ok);
    if (!ok)
        return false;
    typeInto(w, text);
    return true;
}

bool typeAndEnter(QWidget* w, const QString& text)
{
    if (!type(w, text))
        return false;
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
    QTest::keyClick(target, Qt::Key_Return);
    return true;
}

bool pickDate(QDateEdit* field, const QDate& date)
{
    scrollTo(field);
    const ::testing::AssertionResult ok = usable(field);
    EXPECT_TRUE(ok);
    if (!ok)
        return false;
    // As the calendar drop-down gives it.
    field->setDate(date);
    settle();
    if (field->date() != date) {
        ADD_FAILURE() << nameOf(field) << " does not take " << date.toString(Qt::ISODate).toStdString();
        return false;
    }
    return true;
}

bool choose(QComboBox* list, const QString& text)
{
    scrollTo(list);
    const ::testing::AssertionResult ok = usable(list);
    EXPECT_TRUE(ok);
    if (!ok)
        return false;
    if (list->findText(text) < 0) {
        ADD_FAILURE() << nameOf(list) << " offers no " << text.toStdString();
        return false;
    }
    pick(list, text);
    return true;
}

bool menuItem(QMenu* open, const QString& itemText)
{
    settle();
    if (!open || !open->isVisible()) {
        ADD_FAILURE() << "the menu for \"" << itemText.toStdString() << "\" is not open";
        return false;
    }
    for (QAction* a : open->actions()) {
        if (a->isSeparator() || !sameText(a->text(), itemText))
            continue;
        if (!a->isVisible() || !a->isEnabled() || open->actionGeometry(a).isEmpty()) {
            ADD_FAILURE() << "menu item \"" << itemText.toStdString() << "\" is "
                          << (a->isVisible() ? "disabled" : "hidden");
            return false;
        }
        QTest::mouseClick(open, Qt::LeftButton, Qt::NoModifier, open->actionGeometry(a).center());
        return true;
    }
    ADD_FAILURE() << "no menu item \"" << itemText.toStdString() << "\"; the menu offers "
                  << visibleItems(open).join(" | ").toStdString();
    return false;
}

bool menu(QMenuBar* bar, const QString& menuTitle, const QString& itemText)
{
    const ::testing::AssertionResult ok = usable(bar);
    EXPECT_TRUE(ok);
    if (!ok)
        return false;
    for (QAction* a : bar->actions()) {
        if (!a->menu() || !sameText(a->text(), menuTitle))
            continue;
        if (!a->isVisible() || !a->isEnabled() || bar->actionGeometry(a).isEmpty()) {
            ADD_FAILURE() << "menu \"" << menuTitle.toStdString() << "\" is not on the menu bar";
            return false;
        }
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(a).center());
        QMenu* open = a->menu();
        if (!open->isVisible()) {
            ADD_FAILURE() << "menu \"" << menuTitle.toStdString() << "\" did not open";
            return false;
        }
        const bool chosen = menuItem(open, itemText);
        if (!chosen && open->isVisible())
            open->hide();
        return chosen;
    }
    ADD_FAILURE() << "no menu \"" << menuTitle.toStdString() << "\" on the menu bar";
    return false;
}

bool dropDown(QAbstractButton* button, const QString& itemText)
{
    const ::testing::AssertionResult ok = usable(button);
    EXPECT_TRUE(ok);
    if (!ok)
        return false;
    QMenu* dropped = nullptr;
    if (auto* t = qobject_cast<QToolButton*>(button))
        dropped = t->menu();
    else if (auto* p = qobject_cast<QPushButton*>(button))
        dropped = p->menu();
    if (!dropped) {
        ADD_FAILURE() << nameOf(button) << " drops down no menu";
        return false;
    }
    // The menu runs its own loop while it is open: the item is chosen from
    // inside it, once the menu shows (a bounded number of turns of the loop).
    struct Choice {
        QPointer<QMenu> menu;
        QString item;
        bool done = false;
        bool chosen = false;
        bool cancelled = false;
        int turns = 0;
    };
    auto choice = std::make_shared<Choice>();
    choice->menu = dropped;
    choice->item = itemText;
    auto attempt = std::make_shared<std::function<void()>>();
    *attempt = [choice, attempt] {
        if (choice->cancelled || choice->done || !choice->menu)
            return;
        if (choice->menu->isVisible()) {
            choice->done = true;
            choice->chosen = menuItem(choice->menu, choice->item);
            if (!choice->chosen && choice->menu->isVisible())
                choice->menu->hide();
            return;
        }
        if (++choice->turns < 200) {
            QTimer::singleShot(0, *attempt);
            return;
        }
        choice->done = true;
    };
    QTimer::singleShot(0, *attempt);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    if (!choice->done) {
        choice->cancelled = true;
        ADD_FAILURE() << "the menu of " << nameOf(button) << " did not open";
        return false;
    }
    *attempt = nullptr;
    return choice->chosen;
}

bool clickCell(TDBGrid* grid, int row, const QString& field, Qt::KeyboardModifiers modifiers)
{
    const QPoint p = cellPoint(grid, row, field);
    if (p.isNull())
        return false;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, p);
    return true;
}

bool doubleClickCell(TDBGrid* grid, int row, const QString& field)
{
    const QPoint p = cellPoint(grid, row, field);
    if (p.isNull())
        return false;
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, p);
    return true;
}

bool gridPopup(TDBGrid* grid, int row, const QString& field, const QString& itemText)
{
    const QPoint p = cellPoint(grid, row, field);
    if (p.isNull())
        return false;
    // What the window system sends for a right click: the press and release,
    // then the request for the context menu.
    QWidget* viewport = grid->viewport();
    QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, p);
    QContextMenuEvent request(QContextMenuEvent::Mouse, p, viewport->mapToGlobal(p));
    QApplication::sendEvent(viewport, &request);
    auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!open) {
        ADD_FAILURE() << "a right click on " << row << "/" << field.toStdString() << " of " << nameOf(grid)
                      << " opened no menu";
        return false;
    }
    const bool chosen = menuItem(open, itemText);
    if (!chosen && open->isVisible())
        open->hide();
    return chosen;
}

QStringList visibleItems(const QMenu* menu)
{
    QStringList items;
    for (QAction* a : menu->actions())
        if (a->isVisible())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return items;
}

} // namespace Reach
