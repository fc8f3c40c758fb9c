#include "platform/report/ReportDocument.h"

QStringList ReportPage::texts() const
{
    QStringList out;
    for (const ReportItem& i : items)
        if (i.kind == ReportItem::Text)
            out << i.text;
    return out;
}

const ReportItem* ReportPage::find(const QString& name) const
{
    for (const ReportItem& i : items)
        if (i.name == name)
            return &i;
    return nullptr;
}

std::vector<const ReportItem*> ReportPage::findAll(const QString& name) const
{
    std::vector<const ReportItem*> out;
    for (const ReportItem& i : items)
        if (i.name == name)
            out.push_back(&i);
    return out;
}

QStringList ReportPage::bandTexts(const QString& bandName) const
{
    QStringList out;
    for (const ReportItem& i : items)
        if (i.kind == ReportItem::Text && i.band == bandName)
            out << i.text;
    return out;
}

QStringList ReportDocument::texts() const
{
    QStringList out;
    for (const ReportPage& p : pages)
        out << p.texts();
    return out;
}

void fillPageCount(ReportPage& page, int pageCount)
{
    const QString total = QString::number(pageCount);
    for (ReportItem& i : page.items)
        if (i.kind == ReportItem::Text && i.text.contains(QChar(kReportPageCountMark)))
            i.text.replace(QChar(kReportPageCountMark), total);
}

std::shared_ptr<const ReportDocument> ReportPages::document() const
{
    auto doc = std::make_shared<ReportDocument>();
    doc->title = title();
    doc->pageSize = pageSize();
    const int n = pageCount();
    doc->pages.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        doc->pages.push_back(page(i));
    return doc;
}
