#pragma once
// "BRANŞLARA GÖRE SPORCU SAYILARI", the competition statistics: per category
// the athletes accepted and disqualified at the weigh-in and the bouts, the
// totals, and the same figures per level (category names of C_BRANSADI from
// key 10 on) for the levels that have athletes.
//
// The caller sets the title QRLabel9, the date QRLabel12, FFirstRow := 1,
// and the category query Query2 (Cinsiyet, Brans) and opens it. The
// third-place column is hidden (its bouts still count in the bouts column);
// so is the date.

#include "reports/ReportForm.h"

class TPrintMenu3 : public TReportForm {
    Q_OBJECT
public:
    TPrintMenu3();

    ReportQuery Query1{"Query1"};   // counting
    ReportQuery Query2{"Query2"};   // the categories: Cinsiyet, Brans
    ReportQuery Query3{"Query3"};   // the levels: Durum

    // The four figures of a row.
    struct Counts {
        int accepted = 0;
        int rejected = 0;
        int thirdPlace = 0;     // third-place bouts with two athletes
        int bouts = 0;          // every bout with two athletes, third-place ones included
    };
    // The figures of one category, or of the categories whose name holds a
    // level's name.
    Counts categoryCounts(const QString& gender, const QString& category);
    Counts levelCounts(const QString& level);

    // Running sums over the categories.
    Counts FSums;
    int FSumming = 0;

    ReportLabel* QRLabel9;      // the title
    ReportLabel* QRLabel12;     // the date (hidden)
    ReportLabel* QRLabel1;      // "BRANŞLARA GÖRE SPORCU SAYILARI"
    ReportLabel* QRLabel7;      // "Oynanan" (hidden)
    ReportLabel* QRLabel8;      // "3.'lük Maçları" (hidden)
    ReportDataText* QRDBText1;  // the category
    ReportLabel* QRLabel13;     // accepted
    ReportLabel* QRLabel14;     // disqualified
    ReportLabel* QRLabel15;     // third-place bouts (hidden)
    ReportLabel* QRLabel16;     // bouts
    ReportLabel* QRLabel17;     // "GENEL TOPLAM :"
    ReportLabel* QRLabel18;     // total accepted
    ReportLabel* QRLabel19;     // total disqualified
    ReportLabel* QRLabel20;     // total third-place bouts (hidden)
    ReportLabel* QRLabel21;     // total bouts
    ReportDataText* QRDBText2;  // the level's name
    ReportLabel* QRLabel22;     // level accepted
    ReportLabel* QRLabel23;     // level disqualified
    ReportLabel* QRLabel24;     // level third-place bouts (hidden)
    ReportLabel* QRLabel25;     // level bouts

private:
    Counts counts(const QString& where, const QVariantMap& params);
    int count(const QString& sql, const QVariantMap& params);
    void hideThirdPlaceColumn();
    void categoryMoved();
    void levelRow(bool& print);
};

inline TPrintMenu3* PrintMenu3 = nullptr;
