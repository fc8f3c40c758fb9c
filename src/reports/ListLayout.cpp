#include "reports/ListLayout.h"

#include "platform/db/Database.h"

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
