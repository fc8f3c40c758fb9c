#pragma once
// The scoreboard's content scaled to its window. The scoreboard is laid out
// for 1016 x 734 pixels; where the display cannot switch to 1024 x 768 (no
// RandR tool, Wayland) its window is larger, and the content grows with it:
// every control's place, size and font by one factor, keeping the
// proportions, centred in the window. It never shrinks below the design
// size.
//
//   ScoreboardScale scale(this, {1016, 734});
//   scale.fit(size());            // from resizeEvent
//   scale.watch(obj, event);      // from eventFilter: a control moved or
//                                 // given a font by the program is rescaled
//
// Controls the program places or restyles later (a bout's layout, the
// winner entry) are placed in design coordinates as before: the scale sees
// the change and applies the factor to it. A place computed from another
// control's place is computed from design places and set through place():
//
//   const QRect bar = scale.designGeometry(k.Label19);
//   scale.place(k.Label44, QRect(bar.x() - 10 - w, bar.y(), w, bar.height()));
//
// (geometry() is the scaled place; reading it and setting the result would
// scale it twice).

#include <QFont>
#include <QHash>
#include <QPointer>
#include <QRect>
#include <QSize>

class QEvent;
class QObject;
class QWidget;

class ScoreboardScale {
public:
    ScoreboardScale(QWidget* board, const QSize& design);

    // Scales the content to a window of this size.
    void fit(const QSize& window);
    // The factor in use (1 at the design size and below).
    double factor() const { return m_factor; }
    // The place a control has at the design size.
    QRect designGeometry(QWidget* control) const;
    // The font a control has at the design size.
    QFont designFont(QWidget* control) const;
    // Gives a control its place at the design size, and the place scaled.
    void place(QWidget* control, const QRect& design);
    // Call from the board's event filter for the events of its controls.
    void watch(QObject* watched, QEvent* event);

private:
    struct Base {
        QRect geometry;
        QFont font;
        bool ownFont = false;
        QRect applied;
        QFont appliedFont;
    };
    void remember(QWidget* w);
    void apply(QWidget* w);

    QWidget* m_board;
    QSize m_design;
    double m_factor = 1.0;
    QPoint m_offset;
    bool m_applying = false;
    bool m_started = false;
    QHash<QWidget*, Base> m_base;
};
