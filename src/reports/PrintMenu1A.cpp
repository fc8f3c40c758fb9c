#include "reports/PrintMenu1A.h"

using ListLayout::font;

TPrintMenu1A::TPrintMenu1A() : TRegisterList("PrintMenu1A", ReportPageSetup::Landscape)
{
    const double w = width();
    QRLabel10->rect = {0, 10, w / 2, 4};
    QRLabel10->alignment = Qt::AlignLeft | Qt::AlignTop;
    QRLabel10->font = font(9, true);
    QRLabel12 = PageHeaderBand1->addLabel("QRLabel12", {w / 2, 10, w / 2, 4}, "QRLabel12");
    QRLabel12->font = font(9, true);
    QRLabel12->alignment = Qt::AlignRight | Qt::AlignTop;

    Query1.addCalculated("Branslar", [](const ReportQuery& q) -> QVariant {
        return categories(q.str("E53"), q.str("E54"), q.str("E55"));
    });
    addColumns({
        {"QRLabel2", "AD SOYAD", "QRDBText1", "Ad_Soyad", 48},
        {"QRLabel3", "Sicil No", "QRDBText2", "Vergi_Numarasi", 20},
        {"QRLabel4", "Bölge", "QRDBText3", "Vergi_Dairesi", 28},
        {"QRLabel5", "Kilo", "QRDBText4", "E38", 14, Qt::AlignRight},
        {"QRLabel6", "Branşlar/Kategoriler", "QRDBText5", "Branslar", 55},
        {"QRLabel7", "Kulüp", "QRDBText6", "E16", 45},
        {"QRLabel8", "Antrenör", "QRDBText7", "E48", 40},
        {"", "", "QRDBText8", "E15", 17},
    });
}

QString TPrintMenu1A::categories(const QString& e53, const QString& e54, const QString& e55)
{
    QString text = e53;
    if (!e54.isEmpty())
        text += ", " + e54;
    if (!e55.isEmpty())
        text += ", " + e55;
    return text;
}
