#pragma once
// The pairs list ("Çiftler Listesi", "Hakem Rapor"): each person with the
// partner's register number and name and the categories the two have in
// common, one numbered line each, A4 portrait, the page number and the date
// QRLabel10 in the page footer. Every printed pair also gives one line of
// the CSV file (CsvList.h):
//   SİCİL NO;ADI SOYADI;PARTNER SİCİL NO;PARTNER ADI SOYADI;ORTAK BRANŞLAR
//
// The partner is the person whose register number is the row's E58 (read
// with the number bound); a row without E58 has no partner categories.

#include "reports/CsvList.h"

class TPrintMenuCF1 : public TCsvList {
    Q_OBJECT
public:
    TPrintMenuCF1();

    ReportQuery Query2{"Query2"};   // the partner's categories
    ReportLabel* QRLabel10;         // the print date (page footer)
    ReportLabel* QRLabel4;          // "Ortak Branşlar" of the row

    // The categories both hold: each own category (E53, E54, E55 in order)
    // that equals a partner category, is not empty and not "-", once for
    // every partner category it equals; joined by ",".
    static QString commonCategories(const QStringList& own, const QStringList& partner);
    QString FCommon;
};

inline TPrintMenuCF1* PrintMenuCF1 = nullptr;
