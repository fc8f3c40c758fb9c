#include "reports/FitText.h"

#include "platform/report/Report.h"
#include "platform/report/ReportFonts.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kFitStep = 0.25;       // points
constexpr double kFitSmallest = 2.0;    // points: the last resort's floor
// Texts never pass their box (the engine cuts off a line wider than its box
// and what reaches below its band); the box is made this much (millimetres)
// taller than its lines, so that the engine counts every line in.
constexpr double kFitSlack = 0.01;

QFont fitSized(const QFont& design, double points)
{
    QFont f = design;
    f.setPointSizeF(points);
    return f;
}

double fitWidest(const QFont& measured, const QStringList& lines)
{
    double w = 0;
    for (const QString& l : lines)
        w = std::max(w, ReportFonts::textWidth(measured, l));
    return w;
}

QStringList fitOwnLines(const QString& text)
{
    QString t = text;
    t.replace("\r\n", "\n");
    t.replace('\r', '\n');
    return t.split('\n');
}

// Breaks each of the text's own lines at blanks so that every line fits
// `width`; an empty list when a single word is wider.
QStringList fitAtBlanks(const QFont& measured, const QString& text, double width)
{
    QStringList out;
    for (const QString& para : fitOwnLines(text)) {
        const QStringList words = para.split(' ', Qt::SkipEmptyParts);
        if (words.isEmpty()) {
            out << QString();
            continue;
        }
        QString line;
        for (const QString& w : words) {
            if (ReportFonts::textWidth(measured, w) > width)
                return {};
            const QString candidate = line.isEmpty() ? w : line + ' ' + w;
            if (line.isEmpty() || ReportFonts::textWidth(measured, candidate) <= width) {
                line = candidate;
            } else {
                out << line;
                line = w;
            }
        }
        out << line;
    }
    return out;
}

bool fitFitsHeight(const QFont& measured, int lines, double height)
{
    return height <= 0 || lines * ReportFonts::lineHeight(measured) <= height;
}

FitText::Fit fitMade(const QFont& design, double points, const QStringList& lines)
{
    FitText::Fit f;
    f.font = fitSized(design, points);
    f.lines = lines;
    f.lineHeight = ReportFonts::lineHeight(ReportFonts::resolve(f.font));
    return f;
}

// The largest size from `from` down to `to` (steps of kFitStep) at which
// `lines` gives a layout that fits; 0 when none does.
template <class Layout>
double fitLargest(const QFont& design, double from, double to, Layout&& layout, QStringList& found)
{
    for (double pt = from; pt >= to - 1e-9; pt -= kFitStep) {
        const QStringList lines = layout(ReportFonts::resolve(fitSized(design, pt)));
        if (!lines.isEmpty()) {
            found = lines;
            return pt;
        }
    }
    return 0;
}

} // namespace

namespace {

// The fit in one face, with the step (0 to 3) that found it.
std::pair<FitText::Fit, int> fitInFace(const QFont& design, const QString& text, double width, double height,
                                      const FitText::Limits& limits);

} // namespace

FitText::Fit FitText::fit(const QFont& design, const QString& text, double width, double height, const Limits& limits)
{
    auto best = fitInFace(design, text, width, height, limits);
    if (!limits.narrow.isEmpty() && design.family() != limits.narrow && best.first.font.pointSizeF() < (design.pointSizeF() > 0 ? design.pointSizeF() : 10.0)) {
        QFont narrow = design;
        narrow.setFamily(limits.narrow);
        const auto other = fitInFace(narrow, text, width, height, limits);
        if (other.second < best.second ||
            (other.second == best.second && other.first.font.pointSizeF() > best.first.font.pointSizeF()))
            best = other;
    }
    return best.first;
}

namespace {

std::pair<FitText::Fit, int> fitInFace(const QFont& design, const QString& text, double width, double height,
                                      const FitText::Limits& limits)
{
    const double designPt = design.pointSizeF() > 0 ? design.pointSizeF() : 10.0;
    const QStringList own = fitOwnLines(text);
    QStringList found;

    // The text's own lines, in smaller type if it must. Widths and heights
    // grow with the size, so the search starts where the design size says
    // it would fit.
    const QFont designMeasured = ReportFonts::resolve(fitSized(design, designPt));
    double start = designPt;
    const double w = fitWidest(designMeasured, own);
    if (w > width && w > 0)
        start = std::min(start, std::floor(designPt * width / w / kFitStep) * kFitStep + kFitStep);
    const double oneLine = fitLargest(design, start, std::min(limits.oneLine, designPt), [&](const QFont& m) {
        return fitWidest(m, own) <= width && fitFitsHeight(m, int(own.size()), height) ? own : QStringList();
    }, found);
    if (oneLine > 0)
        return {fitMade(design, oneLine, found), 0};

    // Broken at blanks.
    const double wrapped = fitLargest(design, designPt, std::min(limits.wrapped, designPt), [&](const QFont& m) {
        const QStringList lines = fitAtBlanks(m, text, width);
        return !lines.isEmpty() && fitFitsHeight(m, int(lines.size()), height) ? lines : QStringList();
    }, found);
    if (wrapped > 0)
        return {fitMade(design, wrapped, found), 1};

    // Smaller still, words broken where they must.
    const double tiny = fitLargest(design, std::min(limits.wrapped, designPt), kFitSmallest, [&](const QFont& m) {
        const QStringList lines = ReportFonts::wrap(m, text, width);
        return fitFitsHeight(m, int(lines.size()), height) ? lines : QStringList();
    }, found);
    if (tiny > 0)
        return {fitMade(design, tiny, found), 2};

    // Whole before anything: the smallest type, as many lines as it takes.
    const QFont smallest = fitSized(design, kFitSmallest);
    return {fitMade(design, kFitSmallest, ReportFonts::wrap(ReportFonts::resolve(smallest), text, width)), 3};
}

} // namespace

FitText::Fit FitText::place(ReportLabel* label, const QString& text, const QRectF& box, double designPoints,
                            Anchor anchor, const Limits& limits)
{
    QFont design = label->font;
    design.setPointSizeF(designPoints);
    Fit f = text.isEmpty() ? fitMade(design, designPoints, {QString()}) : fit(design, text, box.width(), box.height(), limits);
    label->font = f.font;
    label->caption = text.isEmpty() ? QString() : f.lines.join('\n');
    label->wordWrap = false;
    label->autoSize = false;
    const double h = std::max(f.height() + kFitSlack, 0.1);
    QRectF r = box;
    switch (anchor) {
    case Above:
        r.setTop(box.bottom() - h);
        break;
    case Below:
        r.setHeight(h);
        break;
    case Middle:
        r = QRectF(box.left(), box.center().y() - h / 2, box.width(), h);
        break;
    }
    label->rect = r;
    return f;
}

FitText::Box::Box(ReportLabel* label, Anchor anchor, const Limits& limits)
    : m_label(label), m_box(label->rect), m_points(label->font.pointSizeF() > 0 ? label->font.pointSizeF() : 10),
      m_anchor(anchor), m_limits(limits)
{
}

void FitText::Box::fit()
{
    if (!m_label)
        return;
    if (m_label->caption != m_fitted)
        m_text = m_label->caption;
    place(m_label, m_text, m_box, m_points, m_anchor, m_limits);
    m_fitted = m_label->caption;
}
