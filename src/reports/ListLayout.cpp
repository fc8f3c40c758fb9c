#include "reports/ListLayout.h"

#include "reports/FitText.h"

#include <algorithm>
#include <memory>

#include "platform/db/Database.h"
#include "platform/report/ReportExpression.h"
#include "platform/report/ReportFonts.h"

namespace ListLayout {

QFont font(int size, bool bold)
{
    QFont f("Arial", size);
    f.setBold(bold);
    return f;
}

ReportLabel* addTitle(Report& report, double width)
{
    ReportBand* head = report.addBand(ReportBand::PageHeader, "PageHeaderBand1", 18);
    ReportLabel* title = head->addLabel("QRLabel9", {0, 2, width, 12}, "RAPOR BAŞLIĞI");
    title->font = font(12, true);
    title->alignment = Qt::AlignHCenter | Qt::AlignTop;
    title->autoStretch = true;
    // A title of any length fits its line: in smaller type, or where even
    // that is too long, on more lines (the header grows).
    auto fitted = std::make_shared<FitText::Box>(title, FitText::Below, FitText::Limits{7, 7, QString()});
    head->beforePrint = [fitted](ReportBand&, bool&) { fitted->fit(); };
    return title;
}

Section addSection(Report& report, ReportQuery* groups, double captionWidth)
{
    ReportBand* section = report.addSubDetail("QRSubDetail2", 17, groups);
    section->forceNewPage = true;
    ReportLabel* caption = section->addLabel("QRLabel10", {0, 1, captionWidth, 6});
    caption->font = font(11, true);
    return {section, caption};
}

ReportLabel* Captions::operator()(const char* name, const QRectF& rect, const char* text) const
{
    ReportLabel* l = band->addLabel(name, rect, text);
    l->font = font(size, true);
    return l;
}

ReportDataText* Fields::operator()(const char* name, const QRectF& rect, const char* column) const
{
    ReportDataText* t = band->addDataText(name, rect, query, column);
    t->font = font(size);
    return t;
}

ReportSysData* addPageNumber(ReportBand* footer, const QRectF& rect)
{
    ReportSysData* page = footer->addSysData("QRSysData1", rect, ReportSysData::PageNumber, "Sayfa ");
    page->font = font(8);
    page->alignment = Qt::AlignRight | Qt::AlignTop;
    return page;
}

Table addColumns(ReportBand* captionBand, double captionTop, ReportBand* rows, ReportQuery* query,
                 const std::vector<Column>& columns, int size, double left, double rowTop)
{
    Table t;
    double x = left;
    bool afterNumber = false;
    for (const Column& col : columns) {
        // Text that follows a right-aligned column (a number) starts a
        // little further in, so the two never touch.
        const bool number = (col.align & Qt::AlignRight) != 0;
        const double indent = afterNumber && !number ? 2 : 0;
        afterNumber = number;
        const QRectF frame(x + indent, 0, col.width - 0.5 - indent, 4);
        ReportLabel* caption = nullptr;
        if (captionBand && *col.captionName) {
            caption = captionBand->addLabel(col.captionName, frame.translated(0, captionTop), col.caption);
            caption->font = font(size, true);
            caption->alignment = col.align | Qt::AlignTop;
            caption->wordWrap = true;
            caption->autoStretch = true;
        }
        ReportDataText* cell = rows->addDataText(col.cellName, frame.translated(0, rowTop), query, col.field);
        cell->font = font(size);
        cell->alignment = col.align | Qt::AlignTop;
        cell->wordWrap = true;
        cell->autoStretch = true;
        t.captions.push_back(caption);
        t.cells.push_back(cell);
        x += col.width;
    }
    t.right = x;
    return t;
}

namespace {

// What a text control prints for the current row.
QString printedText(const ReportTextControl* c)
{
    switch (c->kind()) {
    case ReportControl::Label:
        return static_cast<const ReportLabel*>(c)->caption;
    case ReportControl::Memo:
        return static_cast<const ReportMemo*>(c)->lines.join('\n');
    case ReportControl::DataText: {
        const auto* d = static_cast<const ReportDataText*>(c);
        if (!d->dataSet || d->dataSet->eof() || !d->dataSet->has(d->field))
            return QString();
        const QVariant v = d->dataSet->value(d->field);
        if (!d->mask.isEmpty() && !v.isNull()) {
            bool ok = false;
            const double n = v.toString().replace(',', '.').toDouble(&ok);
            if (ok)
                return ReportFormat::formatFloat(d->mask, n);
        }
        return ReportFormat::toText(v);
    }
    default:
        return QString();
    }
}

} // namespace

void FittedCells::add(std::initializer_list<ReportTextControl*> cells, Height height)
{
    for (ReportTextControl* c : cells)
        m_cells.push_back({c, height, c->font, c->rect, c->rect});
}

void FittedCells::fit()
{
    static const FitText::Limits limits{6, 5, ReportFonts::kCondensed};
    constexpr double gap = 1;   // millimetres
    for (Cell& cell : m_cells) {
        ReportTextControl* c = cell.control;
        if (c->rect != cell.fittedBox)
            cell.box = c->rect;   // laid out anew by the form
        QRectF box = cell.box;
        if (c->alignment & Qt::AlignRight)
            box.setLeft(box.left() + gap);
        else if (c->alignment & Qt::AlignHCenter)
            box.adjust(gap / 2, 0, -gap / 2, 0);
        else
            box.setRight(box.right() - gap);
        // A box that holds its text holds one line in the design size at least.
        const double height = cell.height == BoxHolds
                                  ? std::max(box.height(), ReportFonts::lineHeight(ReportFonts::resolve(cell.font)))
                                  : 0;
        const QString text = printedText(c);
        const FitText::Fit f = text.isEmpty() ? FitText::Fit{cell.font, {QString()}, 0}
                                              : FitText::fit(cell.font, text, box.width(), height, limits);
        c->font = f.font;
        c->wordWrap = c->autoStretch = f.lines.size() > 1;
        c->rect = cell.fittedBox = box;
    }
}

ReportLabel* addLineNumber(ReportBand* rows, const char* name, const QRectF& rect, int size)
{
    ReportLabel* l = rows->addLabel(name, rect, "9000");
    l->font = font(size);
    l->alignment = Qt::AlignRight | Qt::AlignTop;
    return l;
}

void showDates(ReportQuery& query, const QStringList& columns)
{
    for (const QString& column : columns)
        query.addCalculated(column, [column](const ReportQuery& q) -> QVariant {
            const QVariant v = q.stored(column);
            if (v.isNull())
                return QVariant();
            const QDate d = Record({column}, {v}).date(column);
            return d.isValid() ? QVariant(d) : v;
        });
}

}
