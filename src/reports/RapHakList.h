#pragma once
// The counts per region of the register: referee titles (TRapHakList),
// coach titles (TRapAntList) and belts (TRapDanList); one numbered line per
// region and title with its count, and "Genel Toplam :" with the sum of all
// counts at the end. A4 portrait, report title "Rapor".
//
// They load their data on the report's need-data event: the caller writes
// the title into QRLabel9, sets FFirstRow := 1, FRowNo := 0 and the text of
// Query1 (Vergi_Dairesi, the title column, Toplam) and runs the modal
// preview; the first need-data event resets the total and opens Query1.

#include "reports/ReportForm.h"

class TRegionCountList : public TReportForm {
    Q_OBJECT
public:
    ReportQuery Query1{"Query1"};
    ReportLabel* QRLabel9;      // the title
    ReportLabel* QRLabel3;      // caption of the title column
    ReportLabel* QRLabel1;      // the line number
    ReportDataText* QRDBText2;  // the title column
    ReportExpr* QRExpr1;        // "Genel Toplam": the sum of Toplam

    // The statement over the register's search condition (empty or
    // " where ..."): regions and titles of `column` that are not empty, with
    // their counts.
    QString statement(const QString& whereClause) const;
    QString FColumn;            // E51, E52 or E25

protected:
    TRegionCountList(const QString& name, const QString& column, const QString& caption);
};

class TRapHakList : public TRegionCountList {
    Q_OBJECT
public:
    TRapHakList() : TRegionCountList("RapHakList", "E51", "Hakemlik Türü") {}
};

class TRapAntList : public TRegionCountList {
    Q_OBJECT
public:
    TRapAntList() : TRegionCountList("RapAntList", "E52", "Antrenörlük Türü") {}
};

class TRapDanList : public TRegionCountList {
    Q_OBJECT
public:
    TRapDanList() : TRegionCountList("RapDanList", "E25", "Kuşak") {}
};

inline TRapHakList* RapHakList = nullptr;
inline TRapAntList* RapAntList = nullptr;
inline TRapDanList* RapDanList = nullptr;
