#pragma once
// Controls of the dialogs laid out at fixed places (as the draw options and
// the bout entry are): each made with its name, text and place in one call.

#include <QRect>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace PlacedControls {

// A label at (x, y), as wide as its text.
QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent, int x, int y);
// A text field in `r`, with an input mask when one is given.
QLineEdit* makeEdit(const QString& name, QWidget* parent, const QRect& r, const QString& mask = QString());
// A drop-down list in `r` that shows twenty entries at a time.
QComboBox* makeList(const QString& name, QWidget* parent, const QRect& r);

}
