#include "reports/PrintMenu1.h"

TPrintMenu1::TPrintMenu1() : TRegisterList("PrintMenu1", ReportPageSetup::Landscape)
{
    addJoined("Unvanlar", {"E43", "E50", "E51", "E52"});
    addJoined("AdresSatiri", {"Adres", "Sokak"});
    addColumns({
        {"QRLabel2", "Ad Soyad", "QRDBText1", "Ad_Soyad", 52},
        {"QRLabel3", "Sicil No", "QRDBText2", "Vergi_Numarasi", 22},
        {"QRLabel4", "Ünvanlar", "QRDBText3", "Unvanlar", 58},
        {"QRLabel5", "Bölge", "QRDBText4", "Vergi_Dairesi", 30},
        {"QRLabel6", "Kuşak/Dan", "QRDBText5", "E25", 25},
        {"QRLabel7", "Adres", "QRDBText6", "AdresSatiri", 80},
    });
}
