#pragma once
// Reaching a command as the operator does: only through widgets that are
// shown in a shown window, enabled, not shut off by a modal window and not
// squeezed to nothing, each checked before it is clicked. A test written with
// these never calls a handler: if the road to a command is closed, the step
// that meets the closed widget fails and says which widget it was.
//
//   Reach::menu(Main->MainMenu1, " KURA ", "  KURA Çekimi ve Müsabaka");
//   Reach::press(KuraList->BitBtn7);                            // "Kura Çek"
//   Reach::dropDown(KuraList->ToolButton2, "Kura Çizelgesi");   // a drop-down's item
//   Reach::gridPopup(KuraList->DBGrid1, 0, "Hakem", "Düzelt");  // a grid's pop-up item
//
// Every step returns whether it could be taken (the test failure is already
// recorded when not); ASSERT_TRUE on it stops the test there.

#include "support/TestSupport.h"

#include <QString>
#include <Qt>

class QAbstractButton;
class QComboBox;
class QDate;
class QDateEdit;
class QMenu;
class QMenuBar;
class QWidget;
class TDBGrid;

namespace Reach {

// What happens between two of the operator's actions: the events of the
// last one are handled (a window shown is activated, its controls laid out).
// Every step below settles first.
void settle();

// The widget could be clicked by the operator now: it and its window are
// shown, it is enabled, no other modal window shuts it off and some of it is
// on the screen.
::testing::AssertionResult usable(QWidget* w);
// The widget is out of the operator's reach (the opposite of usable).
::testing::AssertionResult unreachable(QWidget* w);

// The steps that act on one widget scroll it into view first where it
// stands in a scrolled area, as the operator does.
//
// A left click in the middle of a usable widget.
bool press(QWidget* w);
// Types into a usable field (Turkish letters as key presses).
bool type(QWidget* w, const QString& text);
// Types into a usable field and presses Enter there.
bool typeAndEnter(QWidget* w, const QString& text);
// Picks a date in a usable date field, as its calendar drop-down does.
bool pickDate(QDateEdit* field, const QDate& date);
// Chooses an entry of a usable drop-down list.
bool choose(QComboBox* list, const QString& text);
// The item of a menu of the menu bar: the menu's title clicked, then the
// item in the menu that opens.
bool menu(QMenuBar* bar, const QString& menuTitle, const QString& itemText);
// The item of a menu that is open on the screen.
bool menuItem(QMenu* open, const QString& itemText);
// The item of the menu a usable button drops down (a tool button or a push
// button with a menu): the button pressed, the item chosen in its menu.
bool dropDown(QAbstractButton* button, const QString& itemText);
// A click, or a double click, on a grid's cell (the grid scrolled to it as
// the operator would).
bool clickCell(TDBGrid* grid, int row, const QString& field, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
bool doubleClickCell(TDBGrid* grid, int row, const QString& field);
// The item of the pop-up menu a right click on a grid's cell opens.
bool gridPopup(TDBGrid* grid, int row, const QString& field, const QString& itemText);
// The texts of the visible items of a menu ("-" for a separator).
QStringList visibleItems(const QMenu* menu);

} // namespace Reach
