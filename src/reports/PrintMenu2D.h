#pragma once
// "Kura Çizelgesi": the single-elimination bracket of one category on
// portrait A4 paper. The match screen fills the row texts, the slot count
// and the bout numbers and winners per round (BracketChartData.h) and starts
// the preview; the form reads no database. The lines are drawn from the
// chart model (BracketChart.h) by the label grid (BracketChartGrid.h).
//
//   PrintMenu2D->FSlotLines = lines;        // "name\rdetail" or empty, two per slot
//   PrintMenu2D->FSlotCount = h;
//   PrintMenu2D->FBouts = bouts;            // FBoutScores, FBoutWinners
//   ReportLaunch::preview(*PrintMenu2D, caller);

#include "reports/BracketChart.h"
#include "reports/FitText.h"
#include "reports/ReportForm.h"

#include <array>
#include <memory>
#include <vector>

class BracketChartGrid;

class TPrintMenu2D : public TReportForm {
    Q_OBJECT
public:
    TPrintMenu2D();
    ~TPrintMenu2D() override;

    // Inputs.
    QStringList FSlotLines;
    int FSlotCount = 0;
    BracketChart::BoutTable FBouts;

    ReportLabel* QRLabel10;     // report title
    ReportLabel* QRLabel55;     // title line (top left)
    ReportLabel* QRLabel54;     // footer copy of the title (disabled)
    std::array<ReportLabel*, 10> RoundCaptions{};   // QRLabel11, 12, 24, 29, 34, 39, 44, 48, 19, 49
    ReportBand* DetailBand1;

    // The rows of the last run (the chart model).
    const QList<BracketChart::Row>& rows() const { return m_rows; }

private:
    std::unique_ptr<BracketChartGrid> m_grid;
    std::vector<FitText::Box> m_titles;   // the titles and round captions, fitted to their boxes
    QList<BracketChart::Row> m_rows;
    int m_next = 0;
    int m_current = -1;
};

inline TPrintMenu2D* PrintMenu2D = nullptr;
