#include "reports/PrintMenuMil.h"

using ListLayout::font;

TPrintMenuMil::TPrintMenuMil() : TRegisterList("PrintMenuMil", ReportPageSetup::Landscape, true, SubDetailRows)
{
    addDataSet(Query2);
    Query2.sql = "SELECT Count(*) AS SaySNO, Year(C_MUSTERI.M9) AS Yil FROM C_MUSTERI "
                 "GROUP BY Year(C_MUSTERI.M9) order by Year(C_MUSTERI.M9)";
    ListLayout::showDates(Query1, {"M9"});
    addJoined("Unvanlar", {"E43", "E50", "E51", "E52"});
    addJoined("Millilik", {"M9", "E74"});
    addColumns({
        {"QRLabel2", "Adı Soyadı", "QRDBText1", "Ad_Soyad", 48},
        {"QRLabel3", "Sicil", "QRDBText2", "Vergi_Numarasi", 20},
        {"QRLabel4", "Ünvanlar", "QRDBText3", "Unvanlar", 50},
        {"QRLabel5", "Bölge", "QRDBText4", "Vergi_Dairesi", 28},
        {"QRLabel6", "Millilik Diploması Tarih/Sayı", "QRDBText5", "Millilik", 50},
        {"QRLabel7", "TCKN", "QRDBText6", "E42", 25},
        {"QRLabel8", "Ceza", "QRDBText7", "E73", 46},
    });

    ReportBand* years = ReportBody1.addSubDetail("QRSubDetail2", 6, &Query2);
    ReportBand* head = ReportBody1.addSubDetailHeader(years, "QRBand1", 12);
    head->forceNewPage = true;
    QRLabel20 = head->addLabel("QRLabel20", {0, 2, 120, 7}, "YILLARA GÖRE DAĞILIM");
    QRLabel20->font = font(11, true);
    QRLabel21 = years->addLabel("QRLabel21", {0, 0.5, 40, 5});
    QRLabel21->font = font(9);
    years->addLabel("QRLabel22", {40, 0.5, 5, 5}, ":")->font = font(9);
    QRDBText20 = years->addDataText("QRDBText20", {46, 0.5, 20, 5}, &Query2, "SaySNO");
    QRDBText20->font = font(9);
    years->beforePrint = [this](ReportBand&, bool&) { QRLabel21->caption = yearText(Query2.value("Yil")); };
}

QString TPrintMenuMil::yearText(const QVariant& year)
{
    const QString text = year.isNull() ? QString() : year.toString();
    return text.isEmpty() ? QString("Yılı boş olan") : text;
}
