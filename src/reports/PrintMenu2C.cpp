#include "reports/PrintMenu2C.h"

#include "app/kit/Session.h"
#include "reports/Baslik1S.h"
#include "reports/BoutLabels.h"

#include <QCheckBox>

using ListLayout::font;

TPrintMenu2C::TPrintMenu2C() : TReportForm("PrintMenu2C")
{
    addDataSet(Query1);
    addDataSet(Query2);
    Query2.sql = "select Cinsiyet, Brans from C_KURA group by Cinsiyet, Brans order by Cinsiyet desc, Brans";
    Query1.addCalculated("Tur_Mac", [](const ReportQuery& q) { return BoutLabels::turMac(q.str("Tur"), q.str("Sira")); });
    Query1.addCalculated("skor1", [](const ReportQuery& q) { return BoutLabels::ringOrder(q.str("Skor")); });
    ReportBody1.page.orientation = ReportPageSetup::Landscape;

    QRLabel9 = ListLayout::addTitle(ReportBody1, 277);

    const ListLayout::Section sec = ListLayout::addSection(ReportBody1, &Query2, 277);
    ReportBand* section = sec.band;
    QRLabel10 = sec.QRLabel10;
    const ListLayout::Captions caption{section, 7};
    QRLabel1 = caption("QRLabel1", {0, 10, 26, 5}, "Maç");
    QRLabel2 = caption("QRLabel2", {26, 10, 38, 5}, "Adı Soyadı (Mavi)");
    QRLabel3 = caption("QRLabel3", {64, 10, 20, 5}, "Bölge");
    QRLabel4 = caption("QRLabel4", {84, 10, 28, 5}, "Kulüp Adı");
    QRLabel5 = caption("QRLabel5", {112, 10, 38, 5}, "Adı Soyadı (Kırmızı)");
    QRLabel6 = caption("QRLabel6", {150, 10, 20, 5}, "Bölge");
    QRLabel7 = caption("QRLabel7", {170, 10, 28, 5}, "Kulüp Adı");
    QRLabel8 = caption("QRLabel8", {198, 10, 36, 5}, "Galip Sporcu");
    QRLabel11 = caption("QRLabel11", {234, 10, 15, 5}, "Ring/Sıra");
    QRLabel13 = caption("QRLabel13", {249, 10, 16, 5}, "Karar");
    QRLabel14 = caption("QRLabel14", {265, 10, 12, 5}, "Skor");
    section->addShape("QRShape1", {0, 16, 277, 0.5}, ReportShape::HorLine);
    section->beforePrint = [this](ReportBand&, bool&) { sectionRow(); };

    ReportBand* rows = ReportBody1.addSubDetail("QRSubDetail1", 6, &Query1, section);
    const ListLayout::Fields field{rows, &Query1, 7};
    QRDBText1 = field("QRDBText1", {0, 0.5, 26, 5}, "Tur_Mac");
    QRDBText2 = field("QRDBText2", {26, 0.5, 38, 5}, "Ad1");
    QRDBText3 = field("QRDBText3", {64, 0.5, 20, 5}, "Bolge1");
    QRDBText4 = field("QRDBText4", {84, 0.5, 28, 5}, "Klup1");
    QRDBText5 = field("QRDBText5", {112, 0.5, 38, 5}, "Ad2");
    QRDBText6 = field("QRDBText6", {150, 0.5, 20, 5}, "Bolge2");
    QRDBText7 = field("QRDBText7", {170, 0.5, 28, 5}, "Klup2");
    QRDBText8 = field("QRDBText8", {198, 0.5, 36, 5}, "Salon");
    QRDBText9 = field("QRDBText9", {234, 0.5, 15, 5}, "skor1");
    QRDBText10 = field("QRDBText10", {249, 0.5, 16, 5}, "Karar");
    QRDBText11 = field("QRDBText11", {265, 0.5, 5, 5}, "Puan1");
    QRDBText11->alignment = Qt::AlignRight | Qt::AlignTop;
    QRDBText12 = field("QRDBText12", {271, 0.5, 6, 5}, "Puan2");
    QRDBText12->alignment = Qt::AlignRight | Qt::AlignTop;
    // Every value prints whole in its column: a long one in smaller type,
    // or on more lines (the row grows), never cut off into the next column.
    m_cells.add({QRDBText1, QRDBText2, QRDBText3, QRDBText4, QRDBText5, QRDBText6, QRDBText7, QRDBText8, QRDBText9,
                 QRDBText10, QRDBText11, QRDBText12});
    rows->beforePrint = [this](ReportBand&, bool&) { m_cells.fit(); };

    ReportBand* foot = ReportBody1.addBand(ReportBand::PageFooter, "PageFooterBand1", 8);
    QRLabel12 = foot->addLabel("QRLabel12", {0, 2, 60, 5}, "Tarih");
    QRLabel12->font = font(8);
    ListLayout::addPageNumber(foot, {217, 2, 60, 5});
}

void TPrintMenu2C::sectionRow()
{
    const QString gender = Query2.str("Cinsiyet");
    const QString category = Query2.str("Brans");
    QRLabel10->caption = session().edition.SportName + " " + category + " KURA LİSTESİ";

    Query1.sql = "select * from C_KURA where Cinsiyet = :Cinsiyet and Brans = :Brans order by Kura_Key";
    Query1.params = {{"Cinsiyet", gender}, {"Brans", category}};
    Query1.open();

    const bool clubs = !(Baslik1S ? Baslik1S->CheckBox3->isChecked() : true);
    QRLabel4->enabled = QRLabel7->enabled = clubs;
    QRDBText4->enabled = QRDBText7->enabled = clubs;
}
