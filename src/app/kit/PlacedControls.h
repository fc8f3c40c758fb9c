#pragma once
// The one place controls are made with their names: each control a screen
// names gets that objectName (tests and other screens find it by it), its
// text and, for the dialogs laid out at fixed places, its place, in one call.
//
//   using namespace PlacedControls;
//   BitBtn1 = makeButton("BitBtn1", "Kaydet", this, {10, 200, 90, 25});
//   Label3 = make<QLabel>("Label3", "Sicil No", GroupBox1);
//   RadioButton1 = make<QRadioButton>("RadioButton1", "TİP-1", this, {10, 40, 120, 22});
//   Edit1 = makeEdit("Edit1", this, {80, 10, 120, 24}, "99.99.9999");
//   MenuItem1 = makeItem(PopupMenu1, "MenuItem1", "Kura Listesi");
//   Label9 = bold(make<QLabel>("Label9", "SONUÇ", this));
//
// A place left out (an empty rectangle) leaves the control to a layout.

#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <type_traits>

class QAction;
class QComboBox;
class QDate;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QObject;
class QPushButton;

namespace PlacedControls {

// Any control on `parent` with its name, at `place` when one is given.
template <class T>
T* make(const QString& name, QWidget* parent, const QRect& place = QRect())
{
    auto* w = new T(parent);
    w->setObjectName(name);
    if (!place.isNull())
        w->setGeometry(place);
    return w;
}

// The same with its text (caption).
template <class T>
T* make(const QString& name, const QString& text, QWidget* parent, const QRect& place = QRect())
{
    T* w;
    if constexpr (std::is_constructible_v<T, QString, QWidget*>) {
        w = new T(text, parent);
    } else {
        w = new T(parent);
        w->setText(text);
    }
    w->setObjectName(name);
    if (!place.isNull())
        w->setGeometry(place);
    return w;
}

// Bold text for a control (headings and captions); returns the control.
template <class T>
T* bold(T* w)
{
    QFont f = w->font();
    f.setBold(true);
    w->setFont(f);
    return w;
}

// A text control the operator cannot change; returns the control.
template <class T>
T* readOnly(T* w)
{
    w->setReadOnly(true);
    return w;
}

// A label that runs `action` when it is clicked, with the hand cursor.
void onClick(QLabel* label, std::function<void()> action);

// A label at (x, y), as wide as its text.
QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent, int x, int y);
// A text field in `r`, with an input mask when one is given.
QLineEdit* makeEdit(const QString& name, QWidget* parent, const QRect& r, const QString& mask = QString());
// A drop-down list in `r` that shows twenty entries at a time.
QComboBox* makeList(const QString& name, QWidget* parent, const QRect& r);
// A date picker: the date as "dd.MM.yyyy" with a drop-down calendar that
// names the months and days in Turkish, whatever the desktop's language.
QDateEdit* makeDatePicker(const QString& name, QWidget* parent, const QRect& place = QRect());
// Runs `picked` with the picker's date whenever its date changes (typed or
// picked) and whenever a day is picked in its calendar, the day it already
// holds included: a fresh picker holds today, and picking today must write
// today like any other day. `picked` may run twice for one pick (the change
// and the pick), so it only writes the date where it belongs.
void onDatePicked(QDateEdit* picker, QObject* context, std::function<void(const QDate&)> picked);
// Gives each control the size its text needs and places them left to right
// from (x, y), `gap` pixels apart; a hidden control keeps its place, so that
// showing it moves nothing. Returns the right edge of the last one.
int flow(const QList<QWidget*>& controls, int x, int y, int gap);
// A dialog's "Tamam" that the fields before it lead to with Enter (they move
// the focus to it without pressing it): it is drawn as the default button
// only while it has the focus, and Enter presses it then. So Enter presses
// whatever button is drawn as the default.
void defaultWhenFocused(QPushButton* button);
// A push button that Enter does not press (not a default button).
QPushButton* makeButton(const QString& name, const QString& text, QWidget* parent, const QRect& place = QRect());
// An action with its name (a menu adds it later).
QAction* makeAction(const QString& name, const QString& text, QObject* parent);
// An item added to the end of a menu, with its name.
QAction* makeItem(QMenu* menu, const QString& name, const QString& text);

}
