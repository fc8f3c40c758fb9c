#include "reports/PrintMenu2D.h"

#include "reports/BracketChartGrid.h"
#include "reports/FitText.h"

namespace {

constexpr double kPortraitJoinX[] = {192, 255, 319, 383, 447, 511, 575, 639, 703};
constexpr double kPortraitTitleHeight = 62;
constexpr double kPortraitCaptionsBottom = 48;
// The right edge of the chart (px): the winner of the final may reach it.
constexpr double kPortraitChartRight = 767;

} // namespace

TPrintMenu2D::TPrintMenu2D() : TReportForm("PrintMenu2D")
{
    Report& r = ReportBody1;
    r.title = "Kura Çizelgesi";
    r.page.orientation = ReportPageSetup::Portrait;
    r.page.leftMargin = r.page.rightMargin = 3;
    r.page.firstPageHeader = true;
    r.page.lastPageFooter = true;

    // Below the round captions the title band leaves room for the first
    // athlete's name, which stands above his line.
    ReportBand* title = r.addBand(ReportBand::Title, "TitleBand1", px(kPortraitTitleHeight));
    QRLabel55 = title->addLabel("QRLabel55", {0, 0, px(560), px(16)});
    QRLabel55->font = QFont("DejaVu Sans", 10);
    QRLabel55->color = QColor(128, 0, 0);
    title->addSysData("QRSysData1", {px(600), 0, px(160), px(16)}, ReportSysData::PageNumber, "Page: ")->alignment =
        Qt::AlignRight | Qt::AlignTop;
    QRLabel10 = title->addLabel("QRLabel10", {px(27), px(16), px(713), px(20)});
    QRLabel10->font = QFont("DejaVu Sans", 11);
    QRLabel10->alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    QRLabel10->background = QColor(224, 224, 224);
    const int captionNumbers[] = {11, 12, 24, 29, 34, 39, 44, 48, 19, 49};
    for (int j = 0; j < 10; ++j) {
        const double x = j == 0 ? 2 : kPortraitJoinX[j - 1] + 6;
        ReportLabel* c =
            title->addLabel("QRLabel" + QString::number(captionNumbers[j]), {px(x), px(37), px(62), px(kPortraitCaptionsBottom - 37)});
        c->font = QFont("DejaVu Sans", 6);
        RoundCaptions[size_t(j)] = c;
    }

    ReportBand* footer = r.addBand(ReportBand::PageFooter, "PageFooterBand1", px(19));
    footer->addShape("QRShape1", {0, px(4), r.page.printableWidth(), 0.5}, ReportShape::HorLine);
    QRLabel54 = footer->addLabel("QRLabel54", {0, px(6), px(500), px(12)});
    QRLabel54->enabled = false;

    DetailBand1 = r.addBand(ReportBand::Detail, "DetailBand1", px(16));
    BracketChartGrid::Layout layout;
    layout.joinX.assign(std::begin(kPortraitJoinX), std::end(kPortraitJoinX));
    layout.firstLineEnd = 184;
    layout.lastLineEnd = 759;
    layout.lastLineEndPiece = 767;
    layout.winnerAtLastColumn = false;
    layout.finalRight = kPortraitChartRight;
    m_grid = std::make_unique<BracketChartGrid>(DetailBand1, layout);
    m_titles = {FitText::Box(QRLabel10, FitText::Middle), FitText::Box(QRLabel55, FitText::Below)};
    for (ReportLabel* c : RoundCaptions)
        m_titles.push_back(FitText::Box(c, FitText::Below));

    r.beforePrint = [this](Report&) {
        m_rows = BracketChart::portrait(FSlotLines, FSlotCount, FBouts);
        m_next = 0;
        m_current = -1;
        QRLabel54->caption = QRLabel10->caption;
        // Titles of any length print whole in their boxes.
        for (FitText::Box& b : m_titles)
            b.fit();
        m_grid->clear();
    };
    r.startPage = [this](Report& report, int page) {
        // The first page's rows begin below the title band, the others at
        // the top margin.
        m_grid->restartPage(page == 1 ? kPortraitTitleHeight - kPortraitCaptionsBottom : report.page.topMargin / px(1));
    };
    r.needData = [this](Report&, bool& more) {
        more = m_next < m_rows.size();
        if (more)
            m_current = m_next++;
    };
    DetailBand1->beforePrint = [this](ReportBand&, bool& print) {
        if (m_current < 0 || m_current >= m_rows.size()) {
            print = false;
            return;
        }
        const BracketChart::Row& row = m_rows.at(m_current);
        m_grid->apply(row.left, row.printed);
        print = row.printed;
    };
}

TPrintMenu2D::~TPrintMenu2D() = default;
