#pragma once
// Fitting a text into a box of a printed page: the text keeps every letter.
// It is printed in its design size when it fits; otherwise in smaller type,
// and where even that is too narrow, broken into lines at its blanks (a word
// is broken only when it alone is wider than the box). The charts use it for
// names, clubs and winners in their narrow columns, the report headers for
// titles of any length.
//
//   FitText::Fit f = FitText::fit(QFont("DejaVu Sans", 8), "MEHMET ALİ KARAHASANOĞLU", 16, 6);
//   f.font.pointSizeF();   // the type it fits in
//   f.lines;               // one line, or the lines it was broken into
//
//   FitText::place(label, text, box, FitText::Above);   // a report label in that box

#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>

class ReportLabel;

namespace FitText {

struct Limits {
    double oneLine = 5;     // smallest type tried before the text is broken into lines (points)
    double wrapped = 4.5;   // smallest type tried with the lines broken at blanks
    QString narrow;         // a narrower face tried as well ("" none): the one that keeps the larger type wins
};

struct Fit {
    QFont font;             // the design font in the size found
    QStringList lines;      // the printed lines (the text's own line breaks kept)
    double lineHeight = 0;  // millimetres
    double height() const { return lines.size() * lineHeight; }
};

// The largest size, from the design size down, at which `text` fits `width`
// millimetres, in lines whose total height stays within `height`
// millimetres (no limit when height <= 0). Tried in turn: the text's own
// lines in smaller type down to limits.oneLine; broken at blanks down to
// limits.wrapped; then smaller still, a word broken where it must. The
// last resort ignores the height: the text is never shortened. With a
// narrower face in the limits, the face that needs the earlier step, or at
// the same step the larger type, is chosen.
Fit fit(const QFont& design, const QString& text, double width, double height, const Limits& limits = {});

// Where a label's box grows from when its text takes more lines: upward from
// its bottom edge (a text above a line), downward from its top edge, or about
// its middle.
enum Anchor { Above, Below, Middle };

// Prints `text` in `label` fitted into `box` (millimetres, the band's
// coordinates): the label's font size, caption (lines joined by line
// breaks) and box are set; the box keeps the width and takes the lines'
// height at the anchor. The font's design size is `designPoints`. Returns
// the fit.
Fit place(ReportLabel* label, const QString& text, const QRectF& box, double designPoints, Anchor anchor,
          const Limits& limits = {});

// A label whose caption its callers set, fitted into its design box before
// each run (from the report's beforePrint). The caption a caller set is
// kept: a second run fits it again from the same text.
class Box {
public:
    Box() = default;
    Box(ReportLabel* label, Anchor anchor, const Limits& limits = {});
    void fit();
    ReportLabel* label() const { return m_label; }

private:
    ReportLabel* m_label = nullptr;
    QRectF m_box;
    double m_points = 10;
    Anchor m_anchor = Below;
    Limits m_limits;
    QString m_text;     // the caller's caption
    QString m_fitted;   // the caption as fitted
};

}
