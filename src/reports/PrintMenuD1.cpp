#include "reports/PrintMenuD1.h"

#include "reports/CardReport.h"
#include "reports/CardRules.h"

namespace {
QFont narrowBold()
{
    QFont f("Arial Narrow");
    f.setPointSizeF(12);
    f.setBold(true);
    return f;
}
}

TPrintMenuD1::TPrintMenuD1() : TReportForm("PrintMenuD1")
{
    addDataSet(Query1);
    Query1.sql = "select * from C_MUSTERI order by Ad_Soyad";
    Query1.addCalculated("M3Text", [](const ReportQuery& q) { return CardRules::dateText(q.record(), "M3"); });
    ReportBody1.dataSet = &Query1;
    ReportPageSetup& page = ReportBody1.page;
    page.paper = ReportPageSetup::Custom;
    page.customSize = QSizeF(285, 420);
    page.orientation = ReportPageSetup::Landscape;
    page.topMargin = page.bottomMargin = page.leftMargin = page.rightMargin = 10;

    // The sheet's band is 276 mm in the design; the data ends far above the
    // printable height, so the band is cut there and each person keeps one
    // sheet.
    DetailBand1 = ReportBody1.addBand(ReportBand::Detail, "DetailBand1", page.size().height() - 20);
    DetailBand1->forceNewPage = true;
    ReportBand* b = DetailBand1;

    const char* const fields[] = {"Vergi_Numarasi", "Ad_Soyad", "Vergi_Dairesi", "M3Text"};
    const double tops[] = {87.8, 96.8, 106.4, 115.6};
    const double personLeft[] = {58.2, 269.9};
    const double examLeft[] = {132.3, 344.0};
    const double presidentLeft[] = {91.0, 300.6};
    for (int copy = 0; copy < 2; ++copy) {
        const int base = copy * 4;
        for (int i = 0; i < 4; ++i) {
            ReportDataText* t = b->addDataText(QString("QRDBText%1").arg(base + i + 1),
                                               {personLeft[copy], tops[i], 57.4, 6.0}, &Query1, fields[i]);
            t->font = narrowBold();
            QRDBText[copy][i] = t;
        }
        auto exam = [&](const QString& name, double top) {
            ReportLabel* l = b->addLabel(name, {examLeft[copy], top, 37.3, 6.0});
            l->font = narrowBold();
            return l;
        };
        QRLabelDegree[copy] = exam(QString("QRLabel%1").arg(base + 1), tops[0]);
        QRLabelPlace[copy] = exam(QString("QRLabel%1").arg(base + 2), tops[1]);
        QRLabelDate[copy] = exam(QString("QRLabel%1").arg(base + 3), tops[2]);
        ReportLabel* president = b->addLabel(QString("QRLabel%1").arg(base + 4), {presidentLeft[copy], 214.3, 68.0, 6.0});
        QFont serif("Times New Roman");
        serif.setPointSizeF(12);
        serif.setBold(true);
        president->font = serif;
        president->alignment = Qt::AlignHCenter | Qt::AlignTop;
        QRLabelPresident[copy] = president;
    }
    // A text longer than its place is printed whole, in smaller type.
    DetailBand1->beforePrint = [this](ReportBand&, bool&) {
        for (auto& copy : QRDBText)
            for (ReportDataText* t : copy)
                t->font = Cards::fitted(narrowBold(), Query1.str(t->field), t->rect.width());
    };
}

void TPrintMenuD1::setExamTexts(const QString& place, const QString& date, const QString& degree,
                                const QString& president)
{
    for (int copy = 0; copy < 2; ++copy) {
        QRLabelPlace[copy]->caption = place;
        QRLabelDate[copy]->caption = date;
        QRLabelDegree[copy]->caption = degree;
        QRLabelPresident[copy]->caption = president;
        for (ReportLabel* l : {QRLabelPlace[copy], QRLabelDate[copy], QRLabelDegree[copy]})
            l->font = Cards::fitted(narrowBold(), l->caption, l->rect.width());
    }
}
