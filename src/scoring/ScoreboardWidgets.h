#pragma once
// Small widgets of the scoreboard and the bout settings dialog.
//
// SymbolLabel shows marks instead of letters: each character of a mark line
// ("nnn") is a filled square, 20 pixels apart, so a line of n marks is 20 x n
// wide; a test mark reads "o" (an open circle: not pressed yet) or "C" (a
// filled circle: pressed). The text keeps the characters, so the program and
// the tests read the marks as text.
//
// MarkCircle is one of the numbered warning circles of a semi-contact bout,
// filled with a colour of its own.

#include <QColor>
#include <QLabel>
#include <QWidget>

class SymbolLabel : public QLabel {
    Q_OBJECT
public:
    enum Kind { MarkLine, TestMark };
    SymbolLabel(Kind kind, const QString& text, QWidget* parent);

    static constexpr int kMarkPitch = 20;
    // Width of a mark line of `count` marks.
    static int lineWidth(int count) { return kMarkPitch * count; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind m_kind;
};

class MarkCircle : public QWidget {
    Q_OBJECT
public:
    MarkCircle(int number, QWidget* parent);
    QColor fill() const { return m_fill; }
    void setFill(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_number;
    QColor m_fill = Qt::white;
};

namespace ScoreboardLook {
// A colour given as the platform writes it, $BBGGRR.
inline QColor bgr(unsigned value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}
inline const QColor Blue = bgr(0xFF0000);
inline const QColor Red = bgr(0x0000FF);
inline const QColor Yellow = bgr(0x00FFFF);
inline const QColor White = bgr(0xFFFFFF);
inline const QColor Black = bgr(0x000000);
inline const QColor Purple = bgr(0xD200D2);

// Font of a control: family, character height in pixels, bold.
void setFont(QWidget* w, const QString& family, int pixelHeight, bool bold = false);
// Text colour of a label (or any widget's foreground).
void setTextColour(QWidget* w, const QColor& colour);
QColor textColour(const QWidget* w);
// Background colour of a panel; a label with a background is not
// transparent.
void setBackground(QWidget* w, const QColor& colour);
QColor background(const QWidget* w);
void setTransparent(QLabel* label, bool transparent);
bool isTransparent(const QLabel* label);
}
