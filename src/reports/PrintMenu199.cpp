#include "reports/PrintMenu199.h"

#include "reports/ListLayout.h"
#include "reports/PrintMenu19.h"

using ListLayout::font;

TLabelForm::TLabelForm(const QString& name, double leftMargin) : TReportForm(name)
{
    addDataSet(Query1);
    ReportBody1.title = "Yazıcı Raporu";
    ReportBody1.page.orientation = ReportPageSetup::Portrait;
    ReportBody1.page.columns = 2;
    ReportBody1.page.columnSpace = 0;
    ReportBody1.page.columnsAcross = true;
    ReportBody1.page.leftMargin = leftMargin;
    ReportBody1.page.topMargin = 0;
    ReportBody1.page.bottomMargin = 3;
    // The labels lie 97.1 mm apart on the sheet: the right margin is what
    // two of them leave of the page's width.
    ReportBody1.page.rightMargin = ReportBody1.page.size().width() - leftMargin - 2 * kLabelWidth;
    ReportBody1.dataSet = &Query1;
    DetailBand1 = ReportBody1.addBand(ReportBand::Detail, "DetailBand1", kLabelHeight);
}

TPrintMenu199::TPrintMenu199() : TLabelForm("PrintMenu199", 14)
{
    Query1.sql = "select * from C_MUSTERI order by Ad_Soyad";
    QRDBText1 = DetailBand1->addDataText("QRDBText1", {3, 4.2, 88, 5}, &Query1, "Ad_Soyad");
    QRDBText1->font = font(10);
    QRLabel1 = DetailBand1->addLabel("QRLabel1", {3, 10.6, 78.6, 21.4});
    QRLabel1->font = font(10);
    QRLabel1->wordWrap = true;
    DetailBand1->beforePrint = [this](ReportBand&, bool&) {
        QRLabel1->caption = TPrintMenu19::personAddress(Query1.record());
    };
}

TPrintMenu198::TPrintMenu198() : TLabelForm("PrintMenu198", 14.5)
{
    Query1.sql = "select * from C_UYELIKSURESI";
    QRDBText1 = DetailBand1->addDataText("QRDBText1", {3, 2.1, 90, 5}, &Query1, "Ad_Soyad");
    QRDBText1->font = font(10);
    QRDBText2 = DetailBand1->addDataText("QRDBText2", {3, 7.4, 90, 5}, &Query1, "Durum");
    QRDBText2->font = font(10);
    QRLabel1 = DetailBand1->addLabel("QRLabel1", {3, 12.7, 91.3, 19.3});
    QRLabel1->font = font(10);
    QRLabel1->wordWrap = true;
    DetailBand1->beforePrint = [this](ReportBand&, bool&) {
        QRLabel1->caption = TPrintMenu19S::clubAddress(Query1.record());
    };
}
