#include "reports/RegisterList.h"

using ListLayout::font;

TRegisterList::TRegisterList(const QString& name, ReportPageSetup::Orientation orientation, bool pageFooter,
                             Rows rows)
    : TReportForm(name)
{
    addDataSet(Query1);
    Query1.sql = "select * from C_MUSTERI order by Ad_Soyad";
    ReportBody1.page.orientation = orientation;
    if (rows == DetailRows)
        ReportBody1.dataSet = &Query1;
    const double w = width();

    PageHeaderBand1 = ReportBody1.addBand(ReportBand::PageHeader, "PageHeaderBand1", 21);
    PageHeaderBand1->frame.bottom = true;
    QRLabel9 = PageHeaderBand1->addLabel("QRLabel9", {0, 2, w, 7}, "RAPOR BAŞLIĞI");
    QRLabel9->font = font(12, true);
    QRLabel9->alignment = Qt::AlignHCenter | Qt::AlignTop;
    QRLabel9->wordWrap = true;
    QRLabel9->autoStretch = true;
    QRLabel10 = PageHeaderBand1->addLabel("QRLabel10", {w - 60, 10, 60, 4}, "RAPOR");
    QRLabel10->font = font(8);
    QRLabel10->alignment = Qt::AlignRight | Qt::AlignTop;

    DetailBand1 = rows == DetailRows ? ReportBody1.addBand(ReportBand::Detail, "DetailBand1", 5)
                                     : ReportBody1.addSubDetail("QRSubDetail1", 5, &Query1);
    QRLabel1 = ListLayout::addLineNumber(DetailBand1, "QRLabel1", {0, 0.5, kNumberWidth - 1.5, 4}, 8);
    numberRows(Query1, QRLabel1);

    if (pageFooter) {
        PageFooterBand1 = ReportBody1.addBand(ReportBand::PageFooter, "PageFooterBand1", 8);
        ListLayout::addPageNumber(PageFooterBand1, {w - 40, 2, 40, 5});
    }
}

ListLayout::Table TRegisterList::addColumns(const std::vector<ListLayout::Column>& columns, int size)
{
    QRLabel1->font = font(size);
    return ListLayout::addColumns(PageHeaderBand1, kCaptionTop, DetailBand1, &Query1, columns, size, kNumberWidth);
}

void TRegisterList::addJoined(const QString& name, const QStringList& columns)
{
    Query1.addCalculated(name, [columns](const ReportQuery& q) -> QVariant {
        QStringList values;
        for (const QString& c : columns)
            values << ReportFormat::toText(q.value(c));
        return joinColumns(values);
    });
}
