#include "reports/PrintMenu197.h"

TPrintMenu197::TPrintMenu197() : TRegisterList("PrintMenu197", ReportPageSetup::Portrait, false)
{
    ReportBody1.title = "Rapor";
    Query1.sql = "SELECT Count(*) AS Sayi, E16 AS Durum from C_MUSTERI Group by E16 Order By E16";
    // The register's statement has no region column: the column stays empty.
    Query1.addCalculated("E1", [](const ReportQuery& q) -> QVariant {
        const Record& r = q.record();
        return r.has("E1") ? r.value("E1") : QVariant();
    });
    addColumns({
        {"QRLabel2", "Kulüp Adı", "QRDBText1", "Durum", 100},
        {"QRLabel3", "Bölge", "QRDBText2", "E1", 50},
        {"QRLabel4", "Sporcu Sayısı", "QRDBText3", "Sayi", 30, Qt::AlignRight},
    });
}
