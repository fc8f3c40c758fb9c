#include "reports/PrintMenuCA1.h"

#include <QDate>
#include <QRegularExpression>

TPrintMenuCA1::TPrintMenuCA1() : TCsvList("PrintMenuCA1", false)
{
    addDataSet(Query17);
    Query17.sql = "select * from F_ANT where Musteri_Key = :Musteri_Key and Dip_No_Tar <> '' "
                  "order by Durum_Key, Ant_Key";
    Query1.addCalculated("LisansNo", [this](const ReportQuery&) -> QVariant { return FLicenceNo; });
    Query1.addCalculated("VizeYili", [this](const ReportQuery&) -> QVariant { return FVisaYear; });

    const ListLayout::Table t = addColumns(
        {
            {"QRLabel2", " ADI", "QRDBText1", "Adi", 28},
            {"QRLabel3", "SOYADI", "QRDBText2", "Soyadi", 27},
            {"QRLabel4", "LİSANS NO", "QRDBText3", "LisansNo", 22},
            {"QRLabel5", "CİNSİYET", "QRDBText4", "E15", 18},
            {"QRLabel6", "VİZE YILI", "QRDBText5", "VizeYili", 19},
            {"QRLabel7", "İLİ", "QRDBText6", "Vergi_Dairesi", 24},
            {"QRLabel8", "KADEME", "QRDBText7", "E52", 22},
            {"QRLabel10", "ÇALIŞTIĞI KULÜP", "QRDBText8", "E49", 30},
        },
        0);
    t.cells[0]->font.setBold(true);
    t.cells[1]->font.setBold(true);

    csvHeader = [] {
        return QStringList{"ADI", "SOYADI", "LİSANS NO", "CİNSİYET", "İLİ", "ÇALIŞTIĞI KULÜP", "KADEME", "VİZE YILI"};
    };
    rowMoved = [this] {
        FVisaYear = visaYear(Query1.value("E69"));
        Query17.params = {{"Musteri_Key", Query1.value("Musteri_Key")}};
        Query17.open();
        FLicenceNo.clear();
        for (; !Query17.eof(); Query17.next())
            FLicenceNo = Query17.str("Dip_No_Tar");
    };
    csvLine = [this] {
        return QStringList{Query1.str("Adi"), Query1.str("Soyadi"), FLicenceNo,    Query1.str("E15"),
                           Query1.str("Vergi_Dairesi"), Query1.str("E49"), Query1.str("E52"), FVisaYear};
    };
}

QString TPrintMenuCA1::visaYear(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    const QString text = value.toString().trimmed();
    for (const char* format : {"dd.MM.yyyy", "d.M.yyyy", "yyyy-MM-dd"}) {
        const QDate d = QDate::fromString(text.left(10), format);
        if (d.isValid())
            return QString::number(d.year());
    }
    static const QRegularExpression year("(\\d{4})(?!.*\\d{4})");
    const QRegularExpressionMatch m = year.match(text);
    return m.hasMatch() ? m.captured(1) : text;
}
