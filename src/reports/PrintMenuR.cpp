#include "reports/PrintMenuR.h"

#include "reports/BracketChartGrid.h"
#include "reports/FitText.h"

namespace {

constexpr double kRepechageJoinX[] = {192, 255, 319, 383, 447, 511, 575, 639, 703};
constexpr double kRepechageTitleHeight = 74;
constexpr double kRepechageTitleBottom = 60;   // the list title's foot: below it the first names stand

} // namespace

TPrintMenuR::TPrintMenuR() : TReportForm("PrintMenuR")
{
    Report& r = ReportBody1;
    r.title = "Röpresaj Çizelgesi";
    r.page.orientation = ReportPageSetup::Landscape;

    ReportBand* title = r.addBand(ReportBand::Title, "TitleBand1", px(kRepechageTitleHeight));
    QRLabel10 = title->addLabel("QRLabel10", {0, 0, r.page.printableWidth(), px(36)});
    QRLabel10->font = QFont("DejaVu Sans", 11);
    QRLabel10->alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    QRLabel10->wordWrap = true;
    QRLabel10->background = QColor(200, 216, 200);
    QRLabel55 = title->addLabel("QRLabel55", {0, px(40), px(700), px(kRepechageTitleBottom - 40)});
    QRLabel55->font = QFont("DejaVu Sans", 11);
    QRLabel55->color = QColor(128, 0, 0);

    ReportBand* footer = r.addBand(ReportBand::PageFooter, "PageFooterBand1", px(20));
    footer->addSysData("QRSysData1", {0, px(4), r.page.printableWidth(), px(14)}, ReportSysData::PageNumber)
        ->alignment = Qt::AlignHCenter | Qt::AlignTop;

    DetailBand1 = r.addBand(ReportBand::Detail, "DetailBand1", px(20));
    BracketChartGrid::Layout layout;
    layout.joinX.assign(std::begin(kRepechageJoinX), std::end(kRepechageJoinX));
    layout.firstLineEnd = 184;
    layout.lastLineEnd = 759;
    layout.rowHeight = 20;
    layout.connectorColor = QColor(0x70, 0x70, 0x70);
    m_grid = std::make_unique<BracketChartGrid>(DetailBand1, layout);
    m_titles = {FitText::Box(QRLabel10, FitText::Middle), FitText::Box(QRLabel55, FitText::Below)};

    r.beforePrint = [this](Report&) {
        m_rows = BracketChart::repechage(FInput);
        m_next = 0;
        m_current = -1;
        for (FitText::Box& b : m_titles)
            b.fit();
        // Without an activity title its shaded box stays off the page too.
        QRLabel10->enabled = !QRLabel10->caption.isEmpty();
        m_grid->clear();
    };
    r.startPage = [this](Report& report, int page) {
        // Below the title band on the first page, at the top margin after it.
        m_grid->restartPage(page == 1 ? kRepechageTitleHeight - kRepechageTitleBottom : report.page.topMargin / px(1));
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

TPrintMenuR::~TPrintMenuR() = default;
