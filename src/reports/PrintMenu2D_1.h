#pragma once
// "Kura Çizelgesi (Yatay)": a category's bracket with its two halves facing
// each other, the first half of the slots from the left edge, the second
// from the right, with the placings box, the signature line and the legend
// of the did-not-take-part mark below. Brackets of more than 64 slots print
// in page groups of 64 (the halves, or the quarters, of the bracket on
// consecutive pages); the result box prints on the last page only.
//
// The match screen fills it (BracketChartData.h): each row text is the left
// entry, a carriage return and the right entry.

#include "reports/BracketChart.h"
#include "reports/ReportForm.h"

#include <memory>

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

    // Landscape with the second "Tatami" box for more than 3 slots; the
    // band heights for more than 32 slots. Set by the filler.
    void setShape(int slotCount);

    ReportLabel* QRLabel10;     // activity title
    ReportLabel* QRLabel55;     // list title
    ReportLabel* QRLabel44;     // "Sp.Sayısı: " + n
    ReportLabel* QRLabel34;     // page groups: "1", "2" or "4"
    ReportLabel* QRLabel29;     // signature captions
    ReportLabel* QRLabel50;     // "(X): Müsabakaya Katılmadı"
    ReportMemo* QRMemo1;        // result box
    ReportLabel* QRLabel49;     // "Tatami" over QRShape3
    ReportShape* QRShape3;
    ReportLabel* QRLabel54;     // footer copy of the title (disabled)
    ReportBand* TitleBand1;
    ReportBand* DetailBand1;

    const QList<BracketChart::Row>& rows() const { return m_rows; }

private:
    std::unique_ptr<BracketChartGrid> m_left;
    std::unique_ptr<BracketChartGrid> m_right;
    QList<BracketChart::Row> m_rows;
    int m_next = 0;
    int m_current = -1;
};

inline TPrintMenu2D_1* PrintMenu2D_1 = nullptr;
