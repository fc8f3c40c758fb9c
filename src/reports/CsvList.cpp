#include "reports/CsvList.h"

using ListLayout::font;

TCsvList::TCsvList(const QString& name, bool numbered) : TReportForm(name)
{
    addDataSet(Query1);
    Query1.sql = "select * from C_MUSTERI order by Soyadi, Adi";
    ReportBody1.page.orientation = ReportPageSetup::Portrait;
    ReportBody1.dataSet = &Query1;
    const double w = width();

    PageHeaderBand1 = ReportBody1.addBand(ReportBand::PageHeader, "PageHeaderBand1", 18);
    PageHeaderBand1->frame.bottom = true;
    QRLabel9 = PageHeaderBand1->addLabel("QRLabel9", {0, 2, w, 7}, "RAPOR BAŞLIĞI");
    QRLabel9->font = font(12, true);
    QRLabel9->alignment = Qt::AlignHCenter | Qt::AlignTop;
    QRLabel9->wordWrap = true;
    QRLabel9->autoStretch = true;

    DetailBand1 = ReportBody1.addBand(ReportBand::Detail, "DetailBand1", 5);
    if (numbered)
        QRLabel1 = ListLayout::addLineNumber(DetailBand1, "QRLabel1", {0, 0.5, 8.5, 4}, 8);

    PageFooterBand1 = ReportBody1.addBand(ReportBand::PageFooter, "PageFooterBand1", 8);
    ListLayout::addPageNumber(PageFooterBand1, {w - 40, 2, 40, 5});

    Query1.beforeScroll = [this](ReportQuery&) {
        if (FFirstRow != 1)
            return;
        FFirstRow = 0;
        FLineNo = 0;
        Memo1.clear();
        if (csvHeader)
            Memo1 << csvHeader();
        FCollecting = 1;
    };
    Query1.afterScroll = [this](ReportQuery& q) {
        if (q.eof()) {
            FLineNo = 0;
            FCollecting = 0;
            return;
        }
        ++FLineNo;
        if (QRLabel1)
            QRLabel1->caption = QString::number(FLineNo);
        if (rowMoved)
            rowMoved();
        if (FCollecting && csvLine)
            Memo1 << csvLine();
    };
}

ListLayout::Table TCsvList::addColumns(const std::vector<ListLayout::Column>& columns, double left)
{
    return ListLayout::addColumns(PageHeaderBand1, kCaptionTop, DetailBand1, &Query1, columns, 8, left);
}
