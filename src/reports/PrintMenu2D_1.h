#pragma once
// "Kura Çizelgesi (Yatay)": a category's bracket with its two halves facing
// each other, the first half of the slots from the left edge, the second
// from the right, with the placings box, the signature line and the legend
// of the did-not-take-part mark below. Brackets of more than 64 slots print
// in page groups of 64 (the halves, or the quarters, of the bracket on
// consecutive pages); the result box prints on the last page only.
//
// The match screen fills it (BracketChartData.h): each row text is the left
// entry, a carriage return and the right entry; an entry is the name, a line
// break and the place (region, club, points), printed on one line where it
// fits and else the place under the athlete's line. When the page holds the
// whole bracket the finalists' lines meet in the centre: the final.

#include "reports/BracketChart.h"
#include "reports/FitText.h"
#include "reports/ReportForm.h"

#include <memory>
#include <vector>

class BracketChartGrid;

class TPrintMenu2D_1 : public TReportForm {
    Q_OBJECT
public:
    TPrintMenu2D_1();
    ~TPrintMenu2D_1() override;

    // Inputs.
    QStringList FSlotLines;
    int FSlotCount = 0;
    BracketChart::BoutTable FBouts;

    // Landscape with the second "Tatami" box for more than 3 slots, else
    // portrait (the title and footer laid out for the page's width); the
    // row and title band heights for more than 32 slots. Set by the filler.
    void setShape(int slotCount);

    ReportLabel* QRLabel10;     // activity title (shaded; not printed when empty)
    ReportLabel* QRLabel55;     // list title
    ReportSysData* QRSysData1;  // "Page: " + page number
    ReportLabel* QRLabel39;     // "/"
    ReportLabel* QRLabel44;     // "Sp.Sayısı: " + n
    ReportLabel* QRLabel34;     // page groups: "1", "2" or "4"
    ReportShape* QRShape1;      // the footer's line
    ReportLabel* QRLabel29;     // signature captions
    ReportLabel* QRLabel50;     // "(X): Müsabakaya Katılmadı"
    ReportMemo* QRMemo1;        // result box
    ReportLabel* QRLabel48;     // "Tatami" over QRShape2
    ReportShape* QRShape2;
    ReportLabel* QRLabel49;     // "Tatami" over QRShape3
    ReportShape* QRShape3;
    ReportLabel* QRLabel54;     // footer copy of the title (disabled)
    ReportLabel* FinalNoLabel;      // the final's number, below the centre
    ReportLabel* FinalWinnerLabel;  // the final's winner, above the centre
    ReportBand* TitleBand1;
    ReportBand* DetailBand1;

    const QList<BracketChart::Row>& rows() const { return m_rows; }

private:
    void fitResultBox();
    void showFinal(const BracketChart::Row* row);

    std::unique_ptr<BracketChartGrid> m_left;
    std::unique_ptr<BracketChartGrid> m_right;
    std::vector<FitText::Box> m_titles;   // fitted to their boxes at every run
    double m_titleRoom = 20;              // px free at the foot of the title band
    QList<BracketChart::Row> m_rows;
    int m_next = 0;
    int m_current = -1;
};

inline TPrintMenu2D_1* PrintMenu2D_1 = nullptr;
