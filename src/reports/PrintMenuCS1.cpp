#include "reports/PrintMenuCS1.h"

#include "app/kit/Formats.h"

#include <QMap>

TPrintMenuCS1::TPrintMenuCS1() : TCsvList("PrintMenuCS1", false)
{
    addDataSet(Query16);
    Query16.sql = "select * from F_LNC where Musteri_Key = :Musteri_Key and V_Tarih is not null order by V_Tarih";
    ListLayout::showDates(Query1, {"M3"});

    const ListLayout::Table t = addColumns(
        {
            {"QRLabel2", " ADI", "QRDBText1", "Adi", 28},
            {"QRLabel3", "SOYADI", "QRDBText2", "Soyadi", 26},
            {"QRLabel4", "LİSANS NO", "QRDBText3", "E26", 22},
            {"QRLabel5", "CİNSİYET", "QRDBText4", "E15", 18},
            {"QRLabel6", "VİZE YILI", "QRDBText5", "E67", 19},
            {"QRLabel7", "D.TARİHİ", "QRDBText6", "M3", 20},
            {"QRLabel8", "KULÜBÜ", "QRDBText7", "E16", 57},
        },
        0);
    t.cells[0]->font.setBold(true);
    t.cells[1]->font.setBold(true);

    csvHeader = [] { return header(Reports::today().year()); };
    csvLine = [this] {
        Query16.params = {{"Musteri_Key", Query1.value("Musteri_Key")}};
        Query16.open();
        QList<QDate> visas;
        for (; !Query16.eof(); Query16.next()) {
            const QDate d = Query16.record().date("V_Tarih");
            if (d.isValid())
                visas << d;
        }
        const QDate birth = Query1.record().date("M3");
        QStringList line{Query1.str("Adi"),
                         Query1.str("Soyadi"),
                         Query1.str("E15"),
                         birth.isValid() ? Formats::dateToStr(birth) : Query1.record().str("M3"),
                         Query1.str("E16"),
                         Query1.str("E26")};
        return line + visasByYear(visas, Reports::today().year());
    };
}

QStringList TPrintMenuCS1::header(int currentYear)
{
    QStringList h{"ADI", "SOYADI", "CİNSİYET", "D.TARİHİ", "KULÜBÜ", "LİSANS NO"};
    if (currentYear < kFirstVisaYear)
        return h << QString();
    for (int y = kFirstVisaYear; y <= currentYear; ++y)
        h << "V " + QString::number(y);
    return h;
}

QStringList TPrintMenuCS1::visasByYear(const QList<QDate>& visas, int currentYear)
{
    QMap<int, QDate> latest;
    for (const QDate& d : visas) {
        QDate& l = latest[d.year()];
        if (!l.isValid() || d > l)
            l = d;
    }
    QStringList out;
    for (int y = kFirstVisaYear; y <= currentYear; ++y)
        out << (latest.contains(y) ? Formats::dateToStr(latest[y]) : QString());
    return out;
}
