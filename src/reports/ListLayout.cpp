#include "reports/ListLayout.h"

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

}
