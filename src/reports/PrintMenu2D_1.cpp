#include "reports/PrintMenu2D_1.h"

#include "platform/report/ReportFonts.h"
#include "reports/BracketChartGrid.h"

#include <algorithm>

namespace {

constexpr double kLandscapeJoinX[] = {152, 247, 319, 391, 463};
constexpr int kLandscapeJoins = 5;
// Rows (px): a bracket of more than 32 slots prints in denser rows with its
// lines nearer their top, so that the bout numbers below them fit the row.
constexpr double kLandscapeRowHeight = 16, kLandscapeLineY = 3;
constexpr double kLandscapeDenseRowHeight = 10, kLandscapeDenseLineY = 1;
constexpr double kLandscapeTitleHeight = 83, kLandscapeDenseTitleHeight = 53;
constexpr double kLandscapeFooterHeight = 72;
constexpr double kLandscapeGap = 1;

double landscapeWidthPx(const Report& r)
{
    return r.page.printableWidth() / px(1);
}

} // namespace

TPrintMenu2D_1::TPrintMenu2D_1() : TReportForm("PrintMenu2D_1")
{
    Report& r = ReportBody1;
    r.title = "Kura Çizelgesi (Yatay)";
    r.page.orientation = ReportPageSetup::Landscape;
    r.page.leftMargin = r.page.rightMargin = 4;
    r.page.topMargin = r.page.bottomMargin = 4;
    const double width = landscapeWidthPx(r);

    TitleBand1 = r.addBand(ReportBand::PageHeader, "TitleBand1", px(kLandscapeTitleHeight));
    QRLabel55 = TitleBand1->addLabel("QRLabel55", {});
    QRLabel55->font = QFont("DejaVu Sans", 10);
    QRLabel55->color = QColor(128, 0, 0);
    QRSysData1 = TitleBand1->addSysData("QRSysData1", {}, ReportSysData::PageNumber, "Page: ");
    QRSysData1->alignment = Qt::AlignRight | Qt::AlignTop;
    QRLabel39 = TitleBand1->addLabel("QRLabel39", {}, "/");
    QRLabel34 = TitleBand1->addLabel("QRLabel34", {}, "1");
    QRLabel10 = TitleBand1->addLabel("QRLabel10", {});
    QRLabel10->font = QFont("DejaVu Sans", 10);
    QRLabel10->alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    QRLabel10->background = QColor(200, 216, 200);
    QRLabel44 = TitleBand1->addLabel("QRLabel44", {});
    QRLabel44->font = QFont("DejaVu Sans", 8);

    ReportBand* footer = r.addBand(ReportBand::PageFooter, "PageFooterBand1", px(kLandscapeFooterHeight));
    QRShape1 = footer->addShape("QRShape1", {}, ReportShape::HorLine);
    QRLabel29 = footer->addLabel("QRLabel29", {});
    QRLabel29->font = QFont("DejaVu Sans", 8);
    QRLabel50 = footer->addLabel("QRLabel50", {}, "(X): Müsabakaya Katılmadı");
    QRLabel50->font = QFont("DejaVu Sans", 7);
    QRMemo1 = footer->addMemo("QRMemo1", {});
    QRMemo1->font = QFont("DejaVu Sans", 7);
    QRMemo1->frame.setAll(true);
    QRLabel48 = footer->addLabel("QRLabel48", {}, "Tatami");
    QRLabel48->font = QFont("DejaVu Sans", 8);
    QRShape2 = footer->addShape("QRShape2", {}, ReportShape::Rectangle);
    QRLabel49 = footer->addLabel("QRLabel49", {}, "Tatami");
    QRLabel49->font = QFont("DejaVu Sans", 8);
    QRShape3 = footer->addShape("QRShape3", {}, ReportShape::Rectangle);
    QRLabel54 = footer->addLabel("QRLabel54", {px(0), px(60), px(300), px(10)});
    QRLabel54->enabled = false;

    DetailBand1 = r.addBand(ReportBand::Detail, "DetailBand1", px(kLandscapeRowHeight));
    BracketChartGrid::Layout left;
    left.joinX.assign(std::begin(kLandscapeJoinX), std::end(kLandscapeJoinX));
    left.firstLineEnd = 145;
    left.lastLineEnd = 521;
    // The centre line runs on to the middle of the page, where the two
    // finalists' lines meet.
    left.lastLineEndPiece = width / 2;
    left.nameWidth = 150;
    left.fontFamily = "DejaVu Sans Condensed";
    left.splitBelow = 6.5;
    m_left = std::make_unique<BracketChartGrid>(DetailBand1, left);
    BracketChartGrid::Layout right = left;
    right.mirrored = true;
    right.mirrorAxis = width;
    right.suffix = "_";
    m_right = std::make_unique<BracketChartGrid>(DetailBand1, right);

    // The final in the centre: its number below the meeting point, its
    // winner above it.
    FinalNoLabel = DetailBand1->addLabel("FinalNoLabel", {});
    FinalNoLabel->font = QFont("DejaVu Sans Condensed");
    FinalNoLabel->font.setPointSizeF(left.numberSize);
    FinalNoLabel->color = QColor(0, 0, 128);
    FinalNoLabel->alignment = Qt::AlignHCenter | Qt::AlignTop;
    FinalWinnerLabel = DetailBand1->addLabel("FinalWinnerLabel", {});
    FinalWinnerLabel->font = QFont("DejaVu Sans Condensed");
    FinalWinnerLabel->font.setBold(true);
    FinalWinnerLabel->alignment = Qt::AlignHCenter | Qt::AlignBottom;

    // The design: landscape, rows of 16 (the filler sets the shape of each chart).
    setShape(4);

    r.beforePrint = [this](Report&) {
        m_rows = BracketChart::landscape(FSlotLines, FSlotCount, FBouts);
        m_next = 0;
        m_current = -1;
        QRLabel54->caption = QRLabel10->caption;
        for (FitText::Box& b : m_titles)
            b.fit();
        // Without an activity title its shaded box stays off the page too.
        QRLabel10->enabled = !QRLabel10->caption.isEmpty();
        fitResultBox();
        m_left->clear();
        m_right->clear();
        showFinal(nullptr);
    };
    r.needData = [this](Report&, bool& more) {
        more = m_next < m_rows.size();
        if (more)
            m_current = m_next++;
    };
    r.startPage = [this](Report&, int page) {
        // The result box on the last page of the page groups only.
        QRMemo1->enabled = QString::number(page) == QRLabel34->caption;
        // A page's rows begin below its title band, which leaves room at its
        // foot for the first names above their lines.
        m_left->restartPage(m_titleRoom);
        m_right->restartPage(m_titleRoom);
        if (m_current >= 0 && m_current < m_rows.size())
            showFinal(&m_rows.at(m_current));
    };
    DetailBand1->beforePrint = [this](ReportBand& band, bool& print) {
        if (m_current < 0 || m_current >= m_rows.size()) {
            print = false;
            return;
        }
        const BracketChart::Row& row = m_rows.at(m_current);
        const bool printed = row.printed || row.newPage;
        m_left->apply(row.left, printed);
        m_right->apply(row.right, printed);
        showFinal(&row);
        band.forceNewPage = row.newPage;
        print = printed;
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
    const double rowHeight = dense ? kLandscapeDenseRowHeight : kLandscapeRowHeight;
    DetailBand1->height = px(rowHeight);
    m_left->setRowHeight(rowHeight, dense ? kLandscapeDenseLineY : kLandscapeLineY);
    m_right->setRowHeight(rowHeight, dense ? kLandscapeDenseLineY : kLandscapeLineY);
    // Up to 3 slots there is one side: the winner of its final may reach the
    // page's right edge.
    const double w = landscapeWidthPx(r);
    m_left->setFinalRight(landscape ? 0 : w - 2);

    // The title band: list title at the left, the page number and the page
    // groups at the right, the activity title in its box between them.
    const double titleHeight = dense ? kLandscapeDenseTitleHeight : kLandscapeTitleHeight;
    const double boxBottom = dense ? 40 : 62;
    TitleBand1->height = px(titleHeight);
    m_titleRoom = titleHeight - boxBottom;
    QRLabel55->rect = QRectF(0, 0, px(w * 0.55), px(16));
    QRSysData1->rect = QRectF(px(w - 160), 0, px(118), px(16));
    QRLabel39->rect = QRectF(px(w - 40), 0, px(8), px(16));
    QRLabel34->rect = QRectF(px(w - 30), 0, px(30), px(16));
    QRLabel10->rect = QRectF(px(150), px(16), px(w - 300), px(boxBottom - 16));
    QRLabel44->rect = QRectF(0, px(boxBottom - 16), px(140), px(14));

    // The footer: signature captions and the legend at the left, the result
    // box, the "Tatami" boxes at the right.
    QRShape1->rect = QRectF(0, px(2), r.page.printableWidth(), 0.5);
    QRLabel29->rect = QRectF(0, px(5), px(380), px(14));
    QRLabel50->rect = QRectF(0, px(24), px(300), px(14));
    const double boxRight = landscape ? 720 : w - 80;
    QRMemo1->rect = QRectF(px(390), px(5), px(boxRight - 390), px(64));
    const double tatami = landscape ? 780 : w - 66;
    QRLabel48->rect = QRectF(px(tatami), px(5), px(60), px(13));
    QRShape2->rect = QRectF(px(tatami), px(19), px(60), px(40));
    QRLabel49->rect = QRectF(px(880), px(5), px(60), px(13));
    QRShape3->rect = QRectF(px(880), px(19), px(60), px(40));

    m_titles = {FitText::Box(QRLabel10, FitText::Middle), FitText::Box(QRLabel55, FitText::Below),
                FitText::Box(QRLabel44, FitText::Below), FitText::Box(QRLabel29, FitText::Below)};
}

void TPrintMenu2D_1::fitResultBox()
{
    // The result box's lines print whole: in smaller type where a name is long.
    const FitText::Fit f = FitText::fit(QFont("DejaVu Sans", 7), QRMemo1->lines.join('\n'), QRMemo1->rect.width() - 1,
                                        QRMemo1->rect.height());
    QRMemo1->font = f.font;
}

void TPrintMenu2D_1::showFinal(const BracketChart::Row* row)
{
    const bool shown = row && row->final;
    FinalNoLabel->enabled = FinalWinnerLabel->enabled = shown;
    if (!shown) {
        FinalNoLabel->caption.clear();
        FinalWinnerLabel->caption.clear();
        return;
    }
    const BracketChartGrid::Layout& l = m_left->layout();
    const double centre = landscapeWidthPx(ReportBody1) / 2;
    const double rowHeight = l.rowHeight;
    const double lineY = l.lineY;
    FitText::place(FinalNoLabel, row->finalNo, QRectF(px(centre - 40), px(lineY + 0.5), px(80), px(rowHeight - lineY - 0.5)),
                   l.numberSize, FitText::Below);

    // Above the meeting point, between the two finalists' names; where they
    // reach the centre (a side of 32 slots), above them.
    const int column = std::max(row->left.toCentre, row->right.toCentre);
    const int first = std::min(column + 1, kLandscapeJoins);
    double bottom = m_left->lineTop() - kLandscapeGap;
    double top = -1e9;
    for (int lane = first; lane <= kLandscapeJoins; ++lane) {
        for (const BracketChartGrid* g : {m_left.get(), m_right.get()}) {
            bottom = std::min(bottom, g->textTop(lane) - kLandscapeGap);
            top = std::max(top, g->laneBottom(lane) + kLandscapeGap);
        }
    }
    const double room = std::max(8.0, bottom - top);
    const double x = m_left->laneStart(first);
    const double rowTop = m_left->rowTop();
    FitText::place(FinalWinnerLabel, row->finalWinner,
                   QRectF(px(x), px(bottom - room - rowTop), px(2 * (centre - x)), px(room)), l.nameSize,
                   FitText::Above);
}
