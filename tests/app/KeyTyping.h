#pragma once
// Typing any text, Turkish letters included, as key presses with that text
// (QTest's own key clicks know only ASCII key codes).

#include <QKeyEvent>
#include <QWidget>
#include <QtTest/QTest>

inline void typeText(QWidget* w, const QString& text)
{
    w->setFocus();
    for (const QChar c : text) {
        const QString s(c);
        const QChar up = c.toUpper();
        const Qt::Key key = up.unicode() < 0x80 && up.isLetterOrNumber() ? Qt::Key(up.unicode()) : Qt::Key_unknown;
        // Whatever has the focus now (a cell editor the first key opened)
        // gets the next key.
        QWidget* target = QApplication::focusWidget() && w->isAncestorOf(QApplication::focusWidget())
                              ? QApplication::focusWidget()
                              : w;
        QTest::sendKeyEvent(QTest::Press, target, key, s, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target, key, s, Qt::NoModifier);
    }
}
