#include "reports/RapHakList.h"

#include "reports/ListLayout.h"

using ListLayout::font;

TRegionCountList::TRegionCountList(const QString& name, const QString& column, const QString& caption)
    : TReportForm(name), FColumn(column)
{
    addDataSet(Query1);
    Query1.sql = statement(QString());
    ReportBody1.title = "Rapor";
    ReportBody1.page.orientation = ReportPageSetup::Portrait;
    const double w = ReportBody1.page.printableWidth();

    ReportBand* head = ReportBody1.addBand(ReportBand::PageHeader, "PageHeaderBand1", 17);
    head->frame.bottom = true;
    QRLabel9 = head->addLabel("QRLabel9", {0, 2, w, 7}, "RAPOR BAŞLIĞI");
    QRLabel9->font = font(12, true);
    QRLabel9->alignment = Qt::AlignHCenter | Qt::AlignTop;
    QRLabel9->wordWrap = true;
    QRLabel9->autoStretch = true;

    ReportBand* rows = ReportBody1.addSubDetail("QRSubDetail1", 5, &Query1);
    QRLabel1 = ListLayout::addLineNumber(rows, "QRLabel1", {0, 0.5, 13, 4}, 9);
    numberRows(Query1, QRLabel1);
    head->addLabel("QRLabel2", {0, 11, 13, 5}, "S.No")->font = font(9, true);
    const ListLayout::Table t = ListLayout::addColumns(head, 11, rows, &Query1,
                                                       {
                                                           {"QRLabel4", "Bölge", "QRDBText1", "Vergi_Dairesi", 60},
                                                           {"QRLabel3", "", "QRDBText2", "", 80},
                                                           {"QRLabel5", "Toplam", "QRDBText3", "Toplam", 35,
                                                            Qt::AlignRight},
                                                       },
                                                       9, 15);
    QRLabel3 = t.captions[1];
    QRLabel3->caption = caption;
    QRDBText2 = t.cells[1];
    QRDBText2->field = column;

    ReportBand* total = ReportBody1.addBand(ReportBand::Summary, "SummaryBand1", 8);
    total->frame.top = true;
    ReportLabel* label = total->addLabel("QRLabel6", {15, 1.5, 140, 5}, "Genel Toplam :");
    label->font = font(9, true);
    label->alignment = Qt::AlignRight | Qt::AlignTop;
    QRExpr1 = total->addExpr("QRExpr1", {155, 1.5, w - 155.5, 5}, "SUM(Toplam)");
    QRExpr1->font = font(9, true);
    QRExpr1->alignment = Qt::AlignRight | Qt::AlignTop;
    QRExpr1->master = rows;
    loadOnNeedData([this] { Query1.open(); }, QRExpr1);

    ReportBand* foot = ReportBody1.addBand(ReportBand::PageFooter, "PageFooterBand1", 8);
    ListLayout::addPageNumber(foot, {w - 40, 2, 40, 5});
}

QString TRegionCountList::statement(const QString& whereClause) const
{
    return "SELECT Vergi_Dairesi, " + FColumn + ", count(" + FColumn + ") AS Toplam FROM C_MUSTERI " + whereClause +
           " GROUP BY Vergi_Dairesi, " + FColumn + " HAVING " + FColumn + "<>'' ORDER BY Vergi_Dairesi, " + FColumn;
}
