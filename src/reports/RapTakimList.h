#pragma once
// The ranking of teams: the points of each region and team (Sum of Puan of
// C_LISTE) in three sections, "ERKEK TAKIM PUANLAMASI", "BAYAN TAKIM
// PUANLAMASI" and "GENEL KLASMAN", each numbered from 1, highest first.
//
// The caller sets FShowAll (0: only the first three rows of each section),
// the title QRLabel9, FFirstRow := 1 and FRowNo := 0, and runs the modal
// preview; the first need-data event opens the three datasets.

#include "reports/ListLayout.h"
#include "reports/ReportForm.h"

class TRapTakimList : public TReportForm {
    Q_OBJECT
public:
    TRapTakimList();

    ReportQuery Query1{"Query1"};   // men
    ReportQuery Query2{"Query2"};   // women
    ReportQuery Query3{"Query3"};   // everybody

    int FShowAll = 1;               // 1 every row, 0 the first three of each section
    int FLineNo1 = 0;               // line counters of the three sections
    int FLineNo2 = 0;
    int FLineNo3 = 0;

    ReportLabel* QRLabel9;          // the title
    ReportLabel* QRLabel1;          // "ERKEK TAKIM PUANLAMASI"
    ReportLabel* QRLabel2;          // "BAYAN TAKIM PUANLAMASI"
    ReportLabel* QRLabel3;          // "GENEL KLASMAN"
    ReportLabel* QRLabel4;          // "Sıra No" of each section's rows
    ReportLabel* QRLabel5;
    ReportLabel* QRLabel6;

private:
    struct Section {
        ReportQuery* query;
        int* counter;
        ReportLabel* number;
        ListLayout::FittedCells* cells;   // every value of the section's rows
    };
    void addSection(int index, const QString& caption, ReportQuery& query, int& counter);
    void row(const Section& s, bool& print);

    ListLayout::FittedCells m_cells[3];
};

inline TRapTakimList* RapTakimList = nullptr;
