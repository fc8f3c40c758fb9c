#pragma once
// Captions that act when clicked (a hand cursor shows it): the person
// editor's captions empty their fields, the licence dialog's date captions
// put today's date in.
//
//   onCaptionClick(Label3, [this] { Label3Click(); });

#include <QLabel>

#include <functional>

void onCaptionClick(QLabel* caption, std::function<void()> action);
// The caption's text colour (blue for a filled field, black for an empty one).
void colourCaption(QWidget* caption, const QColor& colour);
