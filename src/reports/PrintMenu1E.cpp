#include "reports/PrintMenu1E.h"

#include "platform/report/ReportFonts.h"

using ListLayout::font;

namespace {

// Column edges (mm from the band's left) of the two layouts: place, name,
// region, club.
const double kWide[] = {0, 18, 88, 128, 190};
const double kNarrow[] = {0, 16, 60, 93};

const double kSectionHeight = 15;
const double kRowHeight = 6;

} // namespace

TPrintMenu1E::TPrintMenu1E() : TReportForm("PrintMenu1E")
{
    addDataSet(Query1);
    addDataSet(Query2);
    Query2.sql = "select Cinsiyet, Brans from C_LISTE where puan <>0 group by Cinsiyet, Brans "
                 "order by Cinsiyet desc, Brans";
    ReportBody1.page.orientation = ReportPageSetup::Portrait;
    ReportBody1.page.columnSpace = 4;

    ReportBand* head = ReportBody1.addBand(ReportBand::PageHeader, "PageHeaderBand1", 26);
    QRLabel9 = head->addLabel("QRLabel9", {0, 2, 190, 12}, "RAPOR BAŞLIĞI");
    QRLabel9->font = font(12, true);
    QRLabel9->alignment = Qt::AlignHCenter | Qt::AlignTop;
    QRLabel11 = head->addLabel("QRLabel11", {0, 16, 190, 7}, "MÜSABAKA SONUÇLARI");
    QRLabel11->font = font(13, true);
    QRLabel11->alignment = Qt::AlignHCenter | Qt::AlignTop;

    // The section: the category and the column captions.
    m_section = ReportBody1.addSubDetail("QRSubDetail2", kSectionHeight, &Query2);
    QRLabel10 = m_section->addLabel("QRLabel10", {0, 1, 190, 6});
    QRLabel10->font = font(10, true);
    const ListLayout::Captions caption{m_section, 8};
    QRLabel1 = caption("QRLabel1", {}, "Derece");
    QRLabel2 = caption("QRLabel2", {}, "Adı Soyadı");
    QRLabel3 = caption("QRLabel3", {}, "Bölge");
    QRLabel4 = caption("QRLabel4", {}, "Kulüp");
    QRLabel1->alignment = Qt::AlignHCenter | Qt::AlignTop;

    // The athletes.
    m_rows = ReportBody1.addSubDetail("QRSubDetail1", kRowHeight, &Query1, m_section);
    QRLabel6 = m_rows->addLabel("QRLabel6", {});
    QRLabel6->font = font(9, true);
    QRLabel6->alignment = Qt::AlignHCenter | Qt::AlignTop;
    const ListLayout::Fields field{m_rows, &Query1, 8};
    QRDBText1 = field("QRDBText1", {}, "Ad");
    QRDBText2 = field("QRDBText2", {}, "Bolge");
    QRDBText3 = field("QRDBText3", {}, "Klup");

    // An empty ruled line closes each section.
    m_closing = ReportBody1.addSubDetail("QRSubDetail3", kRowHeight, nullptr, m_section);

    // Rules: the outer edges and the three inner ones of every band.
    ReportBand* bands[] = {m_section, m_rows, m_closing};
    const double top[] = {8, 0, 0};
    for (int b = 0; b < 3; ++b) {
        const double height = b == 0 ? kSectionHeight : kRowHeight;
        for (int i = 0; i < 5; ++i)
            m_rules[b] << bands[b]->addShape(QString("QRShape%1").arg(b * 5 + i + 1), {0, top[b], 0.3, height - top[b]},
                                             ReportShape::VertLine);
    }
    m_section->frame.bottom = true;
    m_closing->frame.bottom = true;
    m_section->addShape("QRShape16", {0, 8, 190, 0.3}, ReportShape::HorLine);

    ReportBand* foot = ReportBody1.addBand(ReportBand::PageFooter, "PageFooterBand1", 8);
    QRSysData1 = ListLayout::addPageNumber(foot, {150, 2, 40, 5});
    QRSysData1->enabled = false;

    Query2.afterScroll = [this](ReportQuery& q) {
        if (!q.eof())
            sectionRow();
    };
    Query1.afterScroll = [this](ReportQuery& q) {
        if (!q.eof())
            athleteRow();
    };

    // A long category prints in smaller type on its line; every value of a
    // row prints whole in its column (smaller type, or more lines and a
    // taller row), never cut off or run into the next column.
    m_section->beforePrint = [this](ReportBand&, bool&) { m_caption.fit(); };
    m_cells.add({QRLabel6, QRDBText1, QRDBText2, QRDBText3});
    m_rows->beforePrint = [this](ReportBand&, bool&) { m_cells.fit(); };

    setClubColumn(true);
}

void TPrintMenu1E::setClubColumn(bool shown)
{
    m_clubs = shown;
    ReportBody1.page.columns = shown ? 1 : 2;
    const double* edge = shown ? kWide : kNarrow;
    const int columns = shown ? 4 : 3;
    const double width = edge[columns];

    auto place = [&](ReportControl* c, int column, double y, double height) {
        c->rect = QRectF(edge[column] + 1, y, edge[column + 1] - edge[column] - 2, height);
    };
    QRLabel10->rect = QRectF(0, 1, width, 6);
    QRLabel10->font = font(10, true);
    m_caption = FitText::Box(QRLabel10, FitText::Below, FitText::Limits{6, 6, ReportFonts::kCondensed});
    m_section->control("QRShape16")->rect.setWidth(width);
    place(QRLabel1, 0, 9, 5);
    place(QRLabel2, 1, 9, 5);
    place(QRLabel3, 2, 9, 5);
    place(QRLabel6, 0, 0.5, 5);
    place(QRDBText1, 1, 0.5, 5);
    place(QRDBText2, 2, 0.5, 5);
    if (shown) {
        place(QRLabel4, 3, 9, 5);
        place(QRDBText3, 3, 0.5, 5);
    }
    QRLabel4->enabled = QRDBText3->enabled = shown;

    for (QList<ReportShape*>& rules : m_rules) {
        for (int i = 0; i < 5; ++i) {
            ReportShape* r = rules[i];
            r->enabled = i <= columns;
            if (r->enabled)
                r->rect.moveLeft(i == columns ? width - r->rect.width() : edge[i]);
        }
    }
}

QString TPrintMenu1E::placeText(int puan)
{
    if (puan == 4)
        return "3";
    if (puan > 4)
        return QString::number(puan - 1);
    return QString::number(puan);
}

void TPrintMenu1E::sectionRow()
{
    const QString gender = Query2.str("Cinsiyet");
    const QString category = Query2.str("Brans");
    QRLabel10->caption = category;
    // A section prints only when its first athlete is first.
    m_section->enabled = m_rows->enabled = m_closing->enabled = false;
    // The comparison is one of the two program texts, never anything else.
    const QString filter = FPlaceFilter == kFirstThree ? kFirstThree : kEveryPlace;
    Query1.sql = "select * from C_LISTE where Puan " + filter +
                 " and Cinsiyet = :Cinsiyet and Brans = :Brans order by Puan,Ad";
    Query1.params = {{"Cinsiyet", gender}, {"Brans", category}};
    Query1.open();
}

void TPrintMenu1E::athleteRow()
{
    const int puan = Query1.toInt("Puan");
    if (puan == 1)
        m_section->enabled = m_rows->enabled = m_closing->enabled = true;
    QRLabel6->caption = placeText(puan);
}
