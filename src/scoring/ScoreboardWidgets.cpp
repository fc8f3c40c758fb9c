#include "scoring/ScoreboardWidgets.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

SymbolLabel::SymbolLabel(Kind kind, const QString& text, QWidget* parent) : QLabel(text, parent), m_kind(kind) {}

void SymbolLabel::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (autoFillBackground())
        p.fillRect(rect(), palette().color(QPalette::Window));
    const QColor colour = palette().color(QPalette::WindowText);
    const QString t = text();
    if (m_kind == MarkLine) {
        const int side = std::min(height() - 4, kMarkPitch - 4);
        const int total = lineWidth(int(t.size()));
        const int x0 = alignment() & Qt::AlignRight ? width() - total : 0;
        const int y = (height() - side) / 2;
        // Only the marks in the part to paint: a long line reaches past the
        // scoreboard's edge, where nothing is shown.
        const QRect area = event->rect();
        const int first = std::max(0, (area.left() - x0) / kMarkPitch - 1);
        const int last = std::min(int(t.size()) - 1, (area.right() - x0) / kMarkPitch + 1);
        for (int i = first; i <= last; ++i)
            p.fillRect(QRect(x0 + i * kMarkPitch + 2, y, side, side), colour);
        return;
    }
    const int d = std::min(width(), height()) - 6;
    const QRect circle((width() - d) / 2, (height() - d) / 2, d, d);
    if (t == "C") {
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(circle);
        QPen tick(Qt::white, 3);
        p.setPen(tick);
        const QPointF c = QRectF(circle).center();
        p.drawPolyline(QPolygonF{{c.x() - d * 0.25, c.y()}, {c.x() - d * 0.05, c.y() + d * 0.2},
                                 {c.x() + d * 0.28, c.y() - d * 0.22}});
    } else if (t == "o") {
        p.setPen(QPen(colour, 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(circle);
    } else {
        p.setPen(colour);
        p.drawText(rect(), int(alignment()), t);
    }
}

MarkCircle::MarkCircle(int number, QWidget* parent) : QWidget(parent), m_number(number) {}

void MarkCircle::setFill(const QColor& colour)
{
    if (m_fill == colour)
        return;
    m_fill = colour;
    update();
}

void MarkCircle::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ScoreboardLook::bgr(0x2A2A2A), 2));
    p.setBrush(m_fill);
    p.drawEllipse(rect().adjusted(1, 1, -1, -1));
    QFont f = font();
    f.setPixelSize(height() / 2);
    f.setBold(true);
    p.setFont(f);
    p.setPen(m_fill.lightness() < 128 ? Qt::white : Qt::black);
    p.drawText(rect(), Qt::AlignCenter, QString::number(m_number));
}

void ScoreboardLook::setFont(QWidget* w, const QString& family, int pixelHeight, bool bold)
{
    QFont f(family);
    f.setPixelSize(pixelHeight);
    f.setBold(bold);
    w->setFont(f);
}

void ScoreboardLook::setTextColour(QWidget* w, const QColor& colour)
{
    // Every scoring event sets the colours again; a colour that stays
    // costs no palette change (and no repaint).
    if (textColour(w) == colour && w->palette().color(QPalette::Text) == colour &&
        w->palette().color(QPalette::ButtonText) == colour)
        return;
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, colour);
    pal.setColor(QPalette::Text, colour);
    pal.setColor(QPalette::ButtonText, colour);
    w->setPalette(pal);
}

QColor ScoreboardLook::textColour(const QWidget* w)
{
    return w->palette().color(QPalette::WindowText);
}

void ScoreboardLook::setBackground(QWidget* w, const QColor& colour)
{
    if (w->autoFillBackground() && background(w) == colour)
        return;
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QColor ScoreboardLook::background(const QWidget* w)
{
    return w->palette().color(QPalette::Window);
}

void ScoreboardLook::setTransparent(QLabel* label, bool transparent)
{
    label->setAutoFillBackground(!transparent);
}

bool ScoreboardLook::isTransparent(const QLabel* label)
{
    return !label->autoFillBackground();
}
