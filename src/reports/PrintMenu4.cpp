#include "reports/PrintMenu4.h"

TPrintMenu4::TPrintMenu4() : TRegisterList("PrintMenu4", ReportPageSetup::Landscape, false)
{
    ListLayout::showDates(Query1, {"M3"});
    Query1.addCalculated("Unvan", [this](const ReportQuery& q) -> QVariant {
        return titlesLine(FActivityFilter, q.str("E43"), q.str("E50"), q.str("E51"), q.str("E52"));
    });
    const ListLayout::Table t = addColumns({
        {"QRLabel2", "Adı Soyadı", "QRDBText1", "Ad_Soyad", 48},
        {"QRLabel3", "Sicil", "QRDBText2", "Vergi_Numarasi", 20},
        {"QRLabel4", "Unvan", "QRDBText3", "Unvan", 50},
        {"QRLabel5", "Bölge", "QRDBText4", "Vergi_Dairesi", 28},
        {"QRLabel6", "Kuşak/Dan", "QRDBText5", "E25", 25},
        {"QRLabel7", "D.T.", "QRDBText6", "M3", 19},
        {"QRLabel8", "TCKN", "QRDBText7", "E42", 25},
        {"QRLabel17", "Ceza", "QRDBText8", "E73", 52},
    });
    QRLabel17 = t.captions.back();
    QRDBText8 = t.cells.back();
}

QString TPrintMenu4::titlesLine(const QString& activityFilter, const QString& e43, const QString& e50,
                                const QString& e51, const QString& e52)
{
    if (activityFilter.isEmpty() || activityFilter == "DİĞER")
        return joinColumns({e43, e50, e51, e52});
    if (activityFilter == "SPORCU")
        return e50;
    if (activityFilter == "ANTRENÖR")
        return e52;
    if (activityFilter == "HAKEM")
        return e51;
    return QString();
}

void TPrintMenu4::setEmailColumn(bool email)
{
    QRLabel17->caption = email ? "E-Mail" : "Ceza";
    QRDBText8->field = email ? "E63" : "E73";
}

TPrintMenu41::TPrintMenu41() : TRegisterList("PrintMenu41", ReportPageSetup::Portrait)
{
    addColumns({
        {"QRLabel2", "Adı Soyadı", "QRDBText1", "Ad_Soyad", 50},
        {"QRLabel3", "Sicil No", "QRDBText2", "Vergi_Numarasi", 22},
        {"QRLabel4", "Lisans No", "QRDBText3", "E26", 22},
        {"QRLabel5", "E. Kuşağı", "QRDBText4", "E75", 28},
        {"QRLabel6", "Y. Kuşağı", "QRDBText5", "E25", 28},
        {"QRLabel7", "Antrenörü", "QRDBText6", "E48", 30},
    });
}
