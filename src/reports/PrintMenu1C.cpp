#include "reports/PrintMenu1C.h"

#include "reports/Baslik1S.h"
#include "platform/report/ReportFonts.h"

#include <QCheckBox>

namespace {
// The grey of a line that does not count: disqualified, absent.
const QColor kGrey(227, 226, 221);

bool checked(QCheckBox* TBaslik1S::*box, bool design)
{
    return Baslik1S ? (Baslik1S->*box)->isChecked() : design;
}
}

using ListLayout::font;

TPrintMenu1C::TPrintMenu1C() : TReportForm("PrintMenu1C")
{
    addDataSet(Query1);
    addDataSet(Query2);
    addDataSet(Query3);
    Query2.sql = "select Cinsiyet, Brans from C_LISTE group by Cinsiyet, Brans order by Cinsiyet desc, Brans";
    ReportBody1.page.orientation = ReportPageSetup::Portrait;

    QRLabel9 = ListLayout::addTitle(ReportBody1, 190);

    const ListLayout::Section sec = ListLayout::addSection(ReportBody1, &Query2, 150);
    ReportBand* section = sec.band;
    QRLabel10 = sec.QRLabel10;
    QRLabel8 = section->addLabel("QRLabel8", {150, 1, 40, 6});
    QRLabel8->font = font(9, true);
    QRLabel8->alignment = Qt::AlignRight | Qt::AlignTop;
    const ListLayout::Captions caption{section, 8};
    QRLabel1 = caption("QRLabel1", {0, 10, 12, 5}, "No.");
    QRLabel1->alignment = Qt::AlignRight | Qt::AlignTop;
    QRLabel2 = caption("QRLabel2", {14, 10, 55, 5}, "Adı Soyadı");
    QRLabel4 = caption("QRLabel4", {70, 10, 15, 5}, "Kilo");
    QRLabel4->alignment = Qt::AlignRight | Qt::AlignTop;
    QRLabel5 = caption("QRLabel5", {88, 10, 33, 5}, "Bölge");
    QRLabel6 = caption("QRLabel6", {122, 10, 38, 5}, "Takım/Kulüp");
    QRLabel7 = caption("QRLabel7", {122, 10, 38, 5}, "Kulüp");
    section->addShape("QRShape1", {0, 16, 190, 0.5}, ReportShape::HorLine);
    // A long class name prints in smaller type on the caption's line.
    m_caption = FitText::Box(QRLabel10, FitText::Below, FitText::Limits{6, 6, ReportFonts::kCondensed});
    section->beforePrint = [this](ReportBand&, bool&) {
        sectionRow();
        m_caption.fit();
    };

    ReportBand* rows = ReportBody1.addSubDetail("QRSubDetail1", 6, &Query1, section);
    const ListLayout::Fields field{rows, &Query1, 8};
    QRDBText1 = field("QRDBText1", {0, 0.5, 12, 5}, "Sira");
    QRDBText1->alignment = Qt::AlignRight | Qt::AlignTop;
    QRDBText2 = field("QRDBText2", {14, 0.5, 55, 5}, "Ad");
    QRDBText3 = field("QRDBText3", {70, 0.5, 15, 5}, "TartilanKilo");
    QRDBText3->alignment = Qt::AlignRight | Qt::AlignTop;
    QRDBText4 = field("QRDBText4", {88, 0.5, 33, 5}, "Bolge");
    QRDBText5 = field("QRDBText5", {122, 0.5, 38, 5}, "Takim");
    QRDBText6 = field("QRDBText6", {122, 0.5, 38, 5}, "Klup");
    QRLabel3 = rows->addLabel("QRLabel3", {161, 0.5, 29, 5});
    QRLabel3->font = font(8, true);
    // Every value prints whole in its column: a long name or club in smaller
    // type, or on more lines (the row grows), never cut off or run into the
    // next column.
    m_cells.add({QRDBText1, QRDBText2, QRDBText3, QRDBText4, QRDBText5, QRDBText6, QRLabel3});
    rows->beforePrint = [this](ReportBand& band, bool&) {
        athleteRow(band);
        m_cells.fit();
    };

    ReportBand* foot = ReportBody1.addBand(ReportBand::PageFooter, "PageFooterBand1", 8);
    ListLayout::addPageNumber(foot, {150, 2, 40, 5});
}

QString TPrintMenu1C::englishCategory(const QString& category)
{
    static const char* const kWords[][2] = {
        {"ERKEK", "MALE"},           {"BAYAN", "FEMALE"},         {"KİLO", "KG"},
        {"BÜYÜKLER", "SENIORS"},     {"GENÇLER", "JUNIORS"},      {"YILDIZLAR", "CHILDREN"},
        {"21 YAŞ ALTI", "U21"},      {"ÜMİTLER", "CADETS"},       {"VETERANLAR", "VETERANS"},
        {"ÜMİT GENÇ", "CADET & JUNIORS"}, {"TAKIM", "TEAM"}};
    QString text = category;
    for (const auto& w : kWords)
        text.replace(QString::fromUtf8(w[0]), QString::fromUtf8(w[1]));
    return text;
}

void TPrintMenu1C::sectionRow()
{
    const QString gender = Query2.str("Cinsiyet");
    const QString category = Query2.str("Brans");
    const bool noWeights = checked(&TBaslik1S::CheckBox2, true);
    const bool noClubs = checked(&TBaslik1S::CheckBox3, true);
    const bool international = checked(&TBaslik1S::CheckBox5, false);

    QRLabel4->enabled = QRDBText3->enabled = !noWeights;
    QRLabel6->enabled = QRDBText5->enabled = false;
    QRLabel7->enabled = QRDBText6->enabled = !noClubs;

    // The athletes who did not come to a bout of this class.
    FOutList.clear();
    Query3.sql = "select * from C_KURA where Cinsiyet = :Cinsiyet and Brans = :Brans and (Dis1=1 or Dis2=1)";
    Query3.params = {{"Cinsiyet", gender}, {"Brans", category}};
    Query3.open();
    auto add = [this](const QString& number) {
        // A side without a back number has nothing to mark.
        if (number.isEmpty())
            return;
        FOutList += (FOutList.isEmpty() ? "" : ",") + QString("'%1'").arg(number);
    };
    for (; !Query3.eof(); Query3.next()) {
        if (Query3.toInt("Dis1") == 1)
            add(Query3.str("Sira1"));
        if (Query3.toInt("Dis2") == 1)
            add(Query3.str("Sira2"));
    }

    // The order is a list of column names of the program's own; anything
    // else is refused rather than put into the statement.
    QStringList order;
    for (const QString& column : FOrderBy.split(','))
        order << Database::identifier(column.trimmed());
    Query1.sql = "select * from C_LISTE where Cinsiyet = :Cinsiyet and Brans = :Brans order by Onay desc," +
                 order.join(',');
    Query1.params = {{"Cinsiyet", gender}, {"Brans", category}};
    Query1.open();

    const QString count = QString::number(Query1.recordCount());
    if (international) {
        QRLabel10->caption = englishCategory(category) + " LIST";
        QRLabel2->caption = "Name Surname";
        QRLabel5->caption = "Country";
        QRLabel8->caption = "Sp.Count: " + count;
    } else {
        QRLabel10->caption = category + " TARTI LİSTESİ";
        QRLabel2->caption = "Adı Soyadı";
        QRLabel5->caption = "Bölge";
        QRLabel8->caption = "Sp.Sayısı: " + count;
    }
}

void TPrintMenu1C::athleteRow(ReportBand& band)
{
    if (Query1.toInt("Onay") == 1) {
        band.color = Qt::white;
        QRLabel3->caption.clear();
    } else {
        band.color = kGrey;
        QRLabel3->caption = "** DİSKALİFİYE **";
    }
    if (FOutList.contains("'" + Query1.str("Sira") + "'")) {
        band.color = kGrey;
        QRLabel3->caption = "MÜS.KATILMADI";
    }
}
