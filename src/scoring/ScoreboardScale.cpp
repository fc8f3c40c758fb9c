#include "scoring/ScoreboardScale.h"

#include <QEvent>
#include <QMenu>
#include <QWidget>

#include <algorithm>
#include <cmath>

ScoreboardScale::ScoreboardScale(QWidget* board, const QSize& design) : m_board(board), m_design(design) {}

void ScoreboardScale::remember(QWidget* w)
{
    Base b;
    b.geometry = w->geometry();
    b.ownFont = w->testAttribute(Qt::WA_SetFont);
    b.font = w->font();
    b.applied = b.geometry;
    b.appliedFont = b.font;
    m_base.insert(w, b);
}

void ScoreboardScale::fit(const QSize& window)
{
    const double f = std::min(double(window.width()) / m_design.width(), double(window.height()) / m_design.height());
    const double factor = f > 1.0 ? f : 1.0;
    const QPoint offset = factor > 1.0 ? QPoint(int((window.width() - m_design.width() * factor) / 2),
                                                int((window.height() - m_design.height() * factor) / 2))
                                       : QPoint();
    if (!m_started && factor == 1.0)
        return;
    if (!m_started) {
        // The design as it stands: every control of the board, menus aside.
        for (QWidget* w : m_board->findChildren<QWidget*>())
            if (!w->isWindow() && !qobject_cast<QMenu*>(w))
                remember(w);
        m_started = true;
    }
    if (factor == m_factor && offset == m_offset)
        return;
    m_factor = factor;
    m_offset = offset;
    for (auto it = m_base.begin(); it != m_base.end(); ++it)
        apply(it.key());
}

void ScoreboardScale::apply(QWidget* w)
{
    Base& b = m_base[w];
    const QPoint shift = w->parentWidget() == m_board ? m_offset : QPoint();
    const QRect& g = b.geometry;
    const int left = int(std::lround(g.x() * m_factor));
    const int top = int(std::lround(g.y() * m_factor));
    const int right = int(std::lround((g.x() + g.width()) * m_factor));
    const int bottom = int(std::lround((g.y() + g.height()) * m_factor));
    const QRect scaled = QRect(QPoint(left, top) + shift, QSize(right - left, bottom - top));
    m_applying = true;
    b.applied = scaled;
    if (w->geometry() != scaled)
        w->setGeometry(scaled);
    if (b.ownFont) {
        QFont f = b.font;
        if (b.font.pixelSize() > 0)
            f.setPixelSize(std::max(1, int(std::lround(b.font.pixelSize() * m_factor))));
        else if (b.font.pointSizeF() > 0)
            f.setPointSizeF(b.font.pointSizeF() * m_factor);
        b.appliedFont = f;
        if (w->font() != f)
            w->setFont(f);
    }
    m_applying = false;
}

QRect ScoreboardScale::designGeometry(QWidget* control) const
{
    const auto it = m_base.constFind(control);
    return it == m_base.constEnd() ? control->geometry() : it->geometry;
}

QFont ScoreboardScale::designFont(QWidget* control) const
{
    const auto it = m_base.constFind(control);
    return it == m_base.constEnd() ? control->font() : it->font;
}

void ScoreboardScale::place(QWidget* control, const QRect& design)
{
    const auto it = m_base.find(control);
    if (it == m_base.end()) {
        // Not scaled (the design size, or a control the scale does not keep).
        control->setGeometry(design);
        return;
    }
    it->geometry = design;
    apply(control);
}

void ScoreboardScale::watch(QObject* watched, QEvent* event)
{
    if (!m_started || m_applying)
        return;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w)
        return;
    const auto it = m_base.find(w);
    if (it == m_base.end())
        return;
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        // The program placed the control anew, in design coordinates.
        if (w->geometry() != it->applied) {
            const QRect now = w->geometry();
            const QPoint place = now.topLeft() == it->applied.topLeft() ? it->geometry.topLeft() : now.topLeft();
            const QSize size = now.size() == it->applied.size() ? it->geometry.size() : now.size();
            it->geometry = QRect(place, size);
            apply(w);
        }
        break;
    case QEvent::FontChange:
        if (w->testAttribute(Qt::WA_SetFont) && w->font() != it->appliedFont) {
            it->font = w->font();
            it->ownFont = true;
            apply(w);
        }
        break;
    default:
        break;
    }
}
