#include "reports/PrintMenu1_1.h"

TPrintMenu1_1::TPrintMenu1_1() : TRegisterList("PrintMenu1_1", ReportPageSetup::Landscape)
{
    addJoined("AdresSatiri", {"Adres", "Sokak"});
    addColumns({
        {"QRLabel2", "Ad/Unvan", "QRDBText1", "Ad_Soyad", 52},
        {"QRLabel3", "Diğer Ad/Unvan", "QRDBText2", "Klup_Yetkilisi", 42},
        {"QRLabel4", "Bölge", "QRDBText3", "Vergi_Dairesi", 30},
        {"QRLabel5", "Cep Telefonu", "QRDBText4", "E62", 27},
        {"QRLabel6", "İş Telefonu", "QRDBText5", "E10", 27},
        {"QRLabel7", "Adres", "QRDBText6", "AdresSatiri", 89},
    });
}
