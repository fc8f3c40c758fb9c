#include "reports/PrintMenu2D_1.h"

#include "reports/BracketChartGrid.h"

namespace {

constexpr double kLandscapeJoinX[] = {152, 247, 319, 391, 463};
// The right half is the left half mirrored about this line (px).
constexpr double kLandscapeMirror = 1067;

} // namespace

TPrintMenu2D_1::TPrintMenu2D_1() : TReportForm("PrintMenu2D_1")
{
    Report& r = ReportBody1;
    r.title = "Kura Çizelgesi (Yatay)";
    r.page.orientation = ReportPageSetup::Landscape;
    r.page.leftMargin = r.page.rightMargin = 4;
    r.page.topMargin = r.page.bottomMargin = 5;

    TitleBand1 = r.addBand(ReportBand::PageHeader, "TitleBand1", px(83));
    QRLabel55 = TitleBand1->addLabel("QRLabel55", {0, 0, px(700), px(16)});
    QRLabel55->font = QFont("DejaVu Sans", 10);
    QRLabel55->color = QColor(128, 0, 0);
    TitleBand1->addSysData("QRSysData1", {px(860), 0, px(120), px(16)}, ReportSysData::PageNumber, "Page: ")
        ->alignment = Qt::AlignRight | Qt::AlignTop;
    TitleBand1->addLabel("QRLabel39", {px(982), 0, px(8), px(16)}, "/");
    QRLabel34 = TitleBand1->addLabel("QRLabel34", {px(992), 0, px(30), px(16)}, "1");
    QRLabel10 = TitleBand1->addLabel("QRLabel10", {px(150), px(16), px(767), px(34)});
    QRLabel10->font = QFont("DejaVu Sans", 10);
    QRLabel10->alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    QRLabel10->wordWrap = true;
    QRLabel10->background = QColor(200, 216, 200);
    QRLabel44 = TitleBand1->addLabel("QRLabel44", {0, px(34), px(140), px(16)});
    QRLabel44->font = QFont("DejaVu Sans", 8);

    ReportBand* footer = r.addBand(ReportBand::PageFooter, "PageFooterBand1", px(118));
    footer->addShape("QRShape1", {0, px(2), r.page.printableWidth(), 0.5}, ReportShape::HorLine);
    QRLabel29 = footer->addLabel("QRLabel29", {0, px(6), px(760), px(14)});
    QRLabel29->font = QFont("DejaVu Sans", 8);
    QRLabel50 = footer->addLabel("QRLabel50", {0, px(24), px(300), px(14)}, "(X): Müsabakaya Katılmadı");
    QRLabel50->font = QFont("DejaVu Sans", 7);
    QRMemo1 = footer->addMemo("QRMemo1", {px(390), px(22), px(330), px(92)});
    QRMemo1->font = QFont("DejaVu Sans", 8);
    QRMemo1->frame.setAll(true);
    footer->addLabel("QRLabel48", {px(780), px(24), px(60), px(14)}, "Tatami")->font = QFont("DejaVu Sans", 8);
    footer->addShape("QRShape2", {px(780), px(40), px(60), px(40)}, ReportShape::Rectangle);
    QRLabel49 = footer->addLabel("QRLabel49", {px(880), px(24), px(60), px(14)}, "Tatami");
    QRLabel49->font = QFont("DejaVu Sans", 8);
    QRShape3 = footer->addShape("QRShape3", {px(880), px(40), px(60), px(40)}, ReportShape::Rectangle);
    QRLabel54 = footer->addLabel("QRLabel54", {0, px(100), px(300), px(12)});
    QRLabel54->enabled = false;

    DetailBand1 = r.addBand(ReportBand::Detail, "DetailBand1", px(16));
    BracketChartGrid::Layout left;
    left.joinX.assign(std::begin(kLandscapeJoinX), std::end(kLandscapeJoinX));
    left.firstLineEnd = 145;
    left.lastLineEnd = 521;
    left.nameWidth = 150;
    left.fontFamily = "DejaVu Sans Condensed";
    m_left = std::make_unique<BracketChartGrid>(DetailBand1, left);
    BracketChartGrid::Layout right = left;
    right.mirrored = true;
    right.mirrorAxis = kLandscapeMirror;
    right.suffix = "_";
    m_right = std::make_unique<BracketChartGrid>(DetailBand1, right);
    // Region, club and points are part of the entry text.
    m_left->detail()->enabled = false;
    m_right->detail()->enabled = false;

    r.beforePrint = [this](Report&) {
        m_rows = BracketChart::landscape(FSlotLines, FSlotCount, FBouts);
        m_next = 0;
        m_current = -1;
        QRLabel54->caption = QRLabel10->caption;
        m_left->clear();
        m_right->clear();
    };
    r.needData = [this](Report&, bool& more) {
        more = m_next < m_rows.size();
        if (more)
            m_current = m_next++;
    };
    r.startPage = [this](Report&, int page) {
        // The result box on the last page of the page groups only.
        QRMemo1->enabled = QString::number(page) == QRLabel34->caption;
    };
    DetailBand1->beforePrint = [this](ReportBand& band, bool& print) {
        if (m_current < 0 || m_current >= m_rows.size()) {
            print = false;
            return;
        }
        const BracketChart::Row& row = m_rows.at(m_current);
        m_left->apply(row.left);
        m_right->apply(row.right);
        band.forceNewPage = row.newPage;
        print = row.printed || row.newPage;
    };
}

TPrintMenu2D_1::~TPrintMenu2D_1() = default;

void TPrintMenu2D_1::setShape(int slotCount)
{
    Report& r = ReportBody1;
    const bool landscape = slotCount > 3;
    r.page.orientation = landscape ? ReportPageSetup::Landscape : ReportPageSetup::Portrait;
    QRShape3->enabled = landscape;
    QRLabel49->enabled = landscape;
    const bool dense = slotCount > 32;
    DetailBand1->height = px(dense ? 9 : 16);
    m_left->setRowHeight(dense ? 9 : 16);
    m_right->setRowHeight(dense ? 9 : 16);
    TitleBand1->height = px(dense ? 53 : 83);
}
