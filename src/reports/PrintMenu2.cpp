#include "reports/PrintMenu2.h"

TPrintMenu2::TPrintMenu2() : TRegisterList("PrintMenu2", ReportPageSetup::Landscape)
{
    ListLayout::showDates(Query1, {"M5", "M6", "M7"});
    addColumns(
        {
            {"QRLabel2", "AD SOYAD", "QRDBText1", "Ad_Soyad", 40},
            {"QRLabel3", "Sicil No", "QRDBText2", "Vergi_Numarasi", 18},
            {"QRLabel4", "Bölge", "QRDBText3", "Vergi_Dairesi", 23},
            {"QRLabel5", "KUŞAK/DAN", "QRDBText4", "E25", 23},
            {"QRLabel6", "Verildiği Yer", "QRDBText5", "E58", 20},
            {"QRLabel7", "Tarih", "QRDBText6", "M7", 19},
            {"QRLabel8", "HAKEM", "QRDBText7", "E51", 23},
            {"QRLabel11", "Verildiği Yer", "QRDBText8", "E57", 20},
            {"QRLabel12", "Tarih", "QRDBText9", "M6", 19},
            {"QRLabel13", "ANTRENÖR", "QRDBText10", "E52", 23},
            {"QRLabel14", "Verildiği Yer", "QRDBText11", "E56", 20},
            {"QRLabel15", "Tarih", "QRDBText12", "M5", 19},
        },
        7);
}
