#include "reports/PrintMenu196.h"

TPrintMenu196::TPrintMenu196() : TRegisterList("PrintMenu196", ReportPageSetup::Landscape)
{
    Query1.sql = "select * from C_UYELIKSURESI";
    Query1.addCalculated("FAddress", [this](const ReportQuery& q) -> QVariant {
        FAddress = addressLine(q.record());
        return FAddress;
    });
    addColumns({
        {"QRLabel2", "Kulüp Adı", "QRDBText1", "Durum", 45},
        {"QRLabel3", "Yetkili Kişi", "QRDBText2", "Ad_Soyad", 35},
        {"QRLabel4", "İş Telefonu", "QRDBText3", "Telefonlar", 22},
        {"QRLabel5", "Cep Telefonu", "QRDBText4", "E3", 22},
        {"QRLabel6", "Fax", "QRDBText5", "Fax", 20},
        {"QRLabel7", "Ev Telf.", "QRDBText6", "E4", 20},
        {"QRLabel8", "Bölge", "QRDBText7", "E1", 25},
        {"QRLabel11", "Adres", "QRDBText8", "FAddress", 78},
    });
}

QString TPrintMenu196::addressLine(const Record& club)
{
    auto withBlank = [&club](const char* column) {
        const QString v = club.str(column);
        return v.isEmpty() ? v : v + " ";
    };
    const QString district = club.str("Ilce");
    return withBlank("Cadde") + withBlank("Sokak") + withBlank("No1") + club.str("PostaKodu") + " " + district + " " +
           (district.isEmpty() ? "" : "/  ") + club.str("Il");
}
