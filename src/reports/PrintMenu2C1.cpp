#include "reports/PrintMenu2C1.h"

#include "reports/BoutLabels.h"
#include "reports/ListLayout.h"

using ListLayout::font;

TPrintMenu2C1::TPrintMenu2C1() : TReportForm("PrintMenu2C1")
{
    addDataSet(Query1);
    addDataSet(Query2);
    addDataSet(Query3);
    Query1.addCalculated("Tur_Mac", [](const ReportQuery& q) { return BoutLabels::turMac(q.str("Tur"), q.str("Sira")); });
    ReportBody1.page.orientation = ReportPageSetup::Landscape;

    QRLabel9 = ListLayout::addTitle(ReportBody1, 277);
    Memo1 = QRLabel9->band()->addMemo("Memo1", {0, 0, 40, 5}, {"Memo1"});
    Memo1->enabled = false;

    const ListLayout::Section sec = ListLayout::addSection(ReportBody1, &Query2, 277);
    ReportBand* section = sec.band;
    QRLabel10 = sec.QRLabel10;
    const ListLayout::Captions caption{section, 8};
    QRLabel2 = caption("QRLabel2", {10, 10, 32, 5}, "Tur");
    QRLabel3 = caption("QRLabel3", {42, 10, 50, 5}, "Branş");
    QRLabel4 = caption("QRLabel4", {92, 10, 12, 5}, "Sıra");
    QRLabel5 = caption("QRLabel5", {104, 10, 46, 5}, "Adı Soyadı");
    QRLabel6 = caption("QRLabel6", {150, 10, 34, 5}, "Bölge/Takım");
    QRLabel7 = caption("QRLabel7", {184, 10, 46, 5}, "Adı Soyadı");
    QRLabel11 = caption("QRLabel11", {230, 10, 34, 5}, "Bölge/Takım");
    QRLabel12 = caption("QRLabel12", {264, 10, 13, 5}, "Galip");
    section->addShape("QRShape1", {0, 16, 277, 0.5}, ReportShape::HorLine);
    section->beforePrint = [this](ReportBand&, bool&) { sectionRow(); };

    ReportBand* rows = ReportBody1.addSubDetail("QRSubDetail1", 6, &Query1, section);
    QRLabel1 = rows->addLabel("QRLabel1", {0, 0.5, 8, 5}, "9000");
    QRLabel1->font = font(8);
    QRLabel1->alignment = Qt::AlignRight | Qt::AlignTop;
    QRLabel1->enabled = false;
    const ListLayout::Fields field{rows, &Query1, 8};
    QRDBText1 = field("QRDBText1", {10, 0.5, 32, 5}, "Tur_Mac");
    QRDBText2 = field("QRDBText2", {42, 0.5, 50, 5}, "Brans");
    QRDBText3 = field("QRDBText3", {92, 0.5, 12, 5}, "Skor");
    QRDBText4 = field("QRDBText4", {104, 0.5, 8, 5}, "Sira1");
    QRDBText4->alignment = Qt::AlignRight | Qt::AlignTop;
    QRDBText5 = field("QRDBText5", {113, 0.5, 37, 5}, "Ad1");
    QRLabel8 = rows->addLabel("QRLabel8", {150, 0.5, 34, 5});
    QRLabel8->font = font(8);
    QRDBText6 = field("QRDBText6", {184, 0.5, 8, 5}, "Sira2");
    QRDBText6->alignment = Qt::AlignRight | Qt::AlignTop;
    QRDBText7 = field("QRDBText7", {193, 0.5, 37, 5}, "Ad2");
    QRLabel13 = rows->addLabel("QRLabel13", {230, 0.5, 34, 5});
    QRLabel13->font = font(8);
    QRDBText8 = field("QRDBText8", {264, 0.5, 13, 5}, "Galip");
    QRDBText8->font = font(8, true);
    // Every value prints whole in its column: a long name or team in smaller
    // type, or on more lines (the row grows), never cut off or run into the
    // next column.
    m_cells.add({QRDBText1, QRDBText2, QRDBText3, QRDBText4, QRDBText5, QRLabel8, QRDBText6, QRDBText7, QRLabel13,
                 QRDBText8});
    rows->beforePrint = [this](ReportBand&, bool&) {
        boutRow();
        m_cells.fit();
    };
    numberRows(Query1, QRLabel1);

    ReportBand* foot = ReportBody1.addBand(ReportBand::PageFooter, "PageFooterBand1", 8);
    ListLayout::addPageNumber(foot, {217, 2, 60, 5});
}

QString TPrintMenu2C1::regionAndTeam(const QString& backNumber)
{
    if (backNumber.isEmpty())
        return QString();
    Query3.sql = "Select Takim, Bolge from C_LISTE where Sira = :Sira";
    Query3.params = {{"Sira", backNumber.toInt()}};
    Query3.open();
    if (Query3.eof())
        return QString();
    return Query3.str("Bolge") + ", " + Query3.str("Takim");
}

void TPrintMenu2C1::sectionRow()
{
    const QString ring = Query2.str("Tar_Saat");
    FFirstRow = 1;
    QRLabel10->caption = ring + " MÜSABAKA LİSTESİ";
    Query1.sql = "select * from C_KURA where Tar_Saat = :Tar_Saat order by Skor, Kura_Key";
    Query1.params = {{"Tar_Saat", ring}};
    Query1.open();
}

void TPrintMenu2C1::boutRow()
{
    QRLabel8->caption = regionAndTeam(Query1.str("Sira1"));
    QRLabel13->caption = regionAndTeam(Query1.str("Sira2"));
}
