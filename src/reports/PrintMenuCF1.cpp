#include "reports/PrintMenuCF1.h"

using ListLayout::font;

TPrintMenuCF1::TPrintMenuCF1() : TCsvList("PrintMenuCF1", true)
{
    addDataSet(Query2);
    Query2.sql = "select E53, E54, E55 from C_MUSTERI where Vergi_Numarasi = :Partner";
    Query1.sql = "select * from C_MUSTERI where E25 <> '' order by Ad_Soyad";
    const double w = width();

    const ListLayout::Table t = addColumns(
        {
            {"QRLabel2", "Sicil No", "QRDBText1", "Vergi_Numarasi", 22},
            {"QRLabel3", "Parter Adı Soyadı", "QRDBText2", "Ad_Soyad", 45},
            {"QRLabel5", "Sicil No", "QRDBText3", "E58", 22},
            {"QRLabel6", "Partner Adı Soyadı", "QRDBText4", "E25", 45},
        },
        10);
    const double x = t.right;
    ReportLabel* caption = PageHeaderBand1->addLabel("QRLabel7", {x, kCaptionTop, w - x, 4}, "Ortak Branşlar");
    caption->font = font(8, true);
    QRLabel4 = DetailBand1->addLabel("QRLabel4", {x, 0.5, w - x, 4});
    QRLabel4->font = font(8);
    QRLabel4->wordWrap = true;
    QRLabel4->autoStretch = true;

    QRLabel10 = PageFooterBand1->addLabel("QRLabel10", {0, 2, 60, 5}, "QRLabel10");
    QRLabel10->font = font(8);

    csvHeader = [] {
        return QStringList{"SİCİL NO", "ADI SOYADI", "PARTNER SİCİL NO", "PARTNER ADI SOYADI", "ORTAK BRANŞLAR"};
    };
    rowMoved = [this] {
        QStringList partner;
        const QString number = Query1.str("E58");
        if (!number.isEmpty()) {
            Query2.params = {{"Partner", number}};
            Query2.open();
            if (!Query2.eof())
                partner = {Query2.str("E53"), Query2.str("E54"), Query2.str("E55")};
        }
        FCommon = commonCategories({Query1.str("E53"), Query1.str("E54"), Query1.str("E55")}, partner);
        QRLabel4->caption = FCommon;
    };
    csvLine = [this] {
        return QStringList{Query1.str("Vergi_Numarasi"), Query1.str("Ad_Soyad"), Query1.str("E58"), Query1.str("E25"),
                           FCommon};
    };
}

QString TPrintMenuCF1::commonCategories(const QStringList& own, const QStringList& partner)
{
    QStringList common;
    for (const QString& mine : own)
        for (const QString& theirs : partner)
            if (mine == theirs && !mine.isEmpty() && mine != "-")
                common << mine;
    return common.join(',');
}
