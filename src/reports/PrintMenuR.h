#pragma once
// "Röpresaj Çizelgesi": the repechage ladders of a category, pool A, an
// empty separator row, pool B, on landscape A4 paper with the portrait
// chart's grid. A ladder is a staircase: the first two athletes meet, the
// winner meets the third athlete one column further right, and so on; the
// winner of each bout is printed above its winner line, bout numbers never.
//
// The match screen fills it (BracketChartData.h).

#include "reports/BracketChart.h"
#include "reports/FitText.h"
#include "reports/ReportForm.h"

#include <memory>
#include <vector>

class BracketChartGrid;

class TPrintMenuR : public TReportForm {
    Q_OBJECT
public:
    TPrintMenuR();
    ~TPrintMenuR() override;

    // Inputs: FSlotLines, FBoutCount, FBoutCountB, FPoolALines, FPoolBLines,
    // FPoolAWinners and FPoolBWinners (winner of bout b at index b - 1).
    BracketChart::Repechage FInput;

    ReportLabel* QRLabel10;     // activity title (shaded; not printed when empty)
    ReportLabel* QRLabel55;     // list title
    ReportBand* DetailBand1;

    const QList<BracketChart::Row>& rows() const { return m_rows; }

private:
    std::unique_ptr<BracketChartGrid> m_grid;
    std::vector<FitText::Box> m_titles;   // fitted to their boxes at every run
    QList<BracketChart::Row> m_rows;
    int m_next = 0;
    int m_current = -1;
};

inline TPrintMenuR* PrintMenuR = nullptr;
