#include "reports/OdaYaz.h"

#include "reports/ListLayout.h"

using ListLayout::font;

TOdaYaz::TOdaYaz() : TReportForm("OdaYaz")
{
    addDataSet(Query1);
    addDataSet(Query2);
    addDataSet(Query3);
    Query1.sql = "select * from C_TURNUVA where Turnuva_Key > 1 order by Turnuva_Key desc";
    Query2.sql = "select * from C_TURTURU";
    Query3.sql = "select * from C_BRANSADI";
    ReportBody1.page.orientation = ReportPageSetup::Landscape;
    const double w = ReportBody1.page.printableWidth();

    ListLayout::showDates(Query1, {"Tarih1", "Tarih2"});
    Query1.addCalculated("Turu", [this](const ReportQuery& q) -> QVariant {
        return m_types.value(q.record().value("Tur_Key").toLongLong());
    });
    Query1.addCalculated("Durum", [this](const ReportQuery& q) -> QVariant {
        return m_categories.value(q.record().value("Durum_Key").toLongLong());
    });

    ReportBand* head = ReportBody1.addBand(ReportBand::PageHeader, "PageHeaderBand1", 19);
    head->frame.bottom = true;
    QRLabel9 = head->addLabel("QRLabel9", {0, 2, w, 7}, "RAPOR BAŞLIĞI");
    QRLabel9->font = font(12, true);
    QRLabel9->alignment = Qt::AlignHCenter | Qt::AlignTop;
    QRLabel9->wordWrap = true;
    QRLabel9->autoStretch = true;

    ReportBand* rows = ReportBody1.addSubDetail("QRSubDetail1", 4.5, &Query1);
    rows->frame.bottom = true;
    ListLayout::addColumns(head, 13, rows, &Query1,
                           {
                               {"QRLabel1", "Faaliyet", "QRDBText1", "Adi", 75},
                               {"QRLabel2", "Faaliyet Türü", "QRDBText2", "Turu", 35},
                               {"QRLabel3", "Kategori", "QRDBText3", "Durum", 25},
                               {"QRLabel4", "Yapıldığı Yer", "QRDBText4", "Yer", 30},
                               {"QRLabel5", "Baş. Tarihi", "QRDBText5", "Tarih1", 18},
                               {"QRLabel6", "Bitiş Tarihi", "QRDBText6", "Tarih2", 18},
                               {"QRLabel7", "Ülke Say.", "QRDBText7", "Ulke_Say", 15, Qt::AlignRight},
                               {"QRLabel8", "Sp.Sayısı", "QRDBText8", "Sporcu_Say", 16, Qt::AlignRight},
                               {"QRLabel10", "Erkek Tk.", "QRDBText9", "Erkek_Deg", 15, Qt::AlignRight},
                               {"QRLabel11", "Bayan Tk.", "QRDBText10", "Bayan_Deg", 15, Qt::AlignRight},
                               {"QRLabel12", "Genel Kls.", "QRDBText11", "Takim_Deg", 15, Qt::AlignRight},
                           },
                           7);

    ReportBand* foot = ReportBody1.addBand(ReportBand::PageFooter, "PageFooterBand1", 7);
    ReportSysData* page = foot->addSysData("QRSysData1", {0, 2, w, 4.5}, ReportSysData::PageNumber);
    page->font = font(8);
    page->alignment = Qt::AlignHCenter | Qt::AlignTop;

    // The heading is on the page before any data is asked for: it takes the
    // title when the run starts.
    ReportBody1.beforePrint = [this](Report&) { QRLabel9->caption = FTitle; };
    loadOnNeedData([this] { openData(); });
}

void TOdaYaz::openData()
{
    auto load = [](ReportQuery& q, const char* key, const char* text, QHash<qint64, QString>& table) {
        table.clear();
        q.open();
        for (; !q.eof(); q.next())
            table.insert(q.record().value(key).toLongLong(), q.str(text));
    };
    load(Query2, "Tur_Key", "Turu", m_types);
    load(Query3, "Durum_Key", "Durum", m_categories);
    Query1.open();
}
