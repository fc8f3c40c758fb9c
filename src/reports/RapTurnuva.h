#pragma once
// The activity reports over the stored activity query TURSORGU (a person's
// activity rows with the person and the activity), printed from the
// activity query screen:
//   TRapTurnuva    "Genel Liste"                    every listed row (landscape)
//   TRapTurnuva1   "Faaliyet Bazında Liste"         per activity, with its 1st, 2nd, 3rd places (landscape)
//   TRapTurnuva2   "Faaliyet Türü Bazında Liste"    per activity type, with places
//   TRapTurnuva3   "Tarih Bazında Liste"            per year, with places and medals
//   TRapTurnuvaH   "Hakem Performans"               every listed row, referee's view
//   TRapTurnuvaK   "Kulüp Bazında Liste"            athletes per region and club, by gender
//   TRapTurnuvaK1  "Kulüp Bazında Faaliyet Listesi" athletes per region, club and activity
//   TRapTurnuvaC   "Çiftler Listesi"                the pairs with their common categories (landscape)
//
// Each loads its data on the report's need-data event: the launcher
// (ActivityReports.h) writes the title into QRLabel9, the statement into
// Query1 (with the screen's bound values in its params), sets FFirstRow := 1,
// FRowNo := 0 and previews.
// The first need-data event opens Query1 and clears the running totals; the
// rows are numbered from 1 in each run.
//
// Every statement stays valid whatever the screen's condition holds (none,
// or one naming columns TURSORGU shares with C_MUSTERI): the condition
// always works on TURSORGU alone, inside a sub-select. The placing counts
// of a listed row are taken over all persons, whatever the screen's
// condition: the activity's 1st, 2nd and 3rd places from F_DER, the type's
// and the year's from TURSORGU.

#include "reports/ReportForm.h"

#include <QVariantMap>

class TActivityReport : public TReportForm {
    Q_OBJECT
public:
    ReportQuery Query1{"Query1"};
    ReportLabel* QRLabel9;          // the title
    ReportLabel* QRLabel1 = nullptr;   // the line number ("S.No")
    ReportBand* QRSubDetail1;       // the rows
    ReportBand* SummaryBand1 = nullptr;   // the totals line

    // TURSORGU narrowed by the condition, as a table to select from.
    static QString filtered(const QString& condition);

protected:
    TActivityReport(const QString& name, ReportPageSetup::Orientation orientation);
    double width() const { return ReportBody1.page.printableWidth(); }
    // The column captions (bold, `size` points) and the rows' cells; numbered
    // lists start with "S.No".
    struct Col {
        const char* caption;
        const char* field;
        double width;
        Qt::Alignment align = Qt::AlignLeft;
    };
    void addColumns(const std::vector<Col>& columns, int size, bool numbered);
    // The x position and width of each column laid out by addColumns.
    std::vector<std::pair<double, double>> m_columns;
    // A totals line after the rows: `caption` right-aligned before the
    // column `first`; returns the labels under the columns from `first` on.
    std::vector<ReportLabel*> addTotals(const QString& caption, int first, int count, int size);

    // A calculated field of Query1 that shows `value()` of the row.
    void addShown(const QString& field, std::function<QVariant()> value);
    // Counting placings of one row: the rows of `table` (all of them, not
    // the screen's condition) whose `column` equals `value` and whose Derece
    // is 1, 2 and 3.
    QList<int> placings(const QString& table, const QString& column, const QVariant& value);

    // Each moved-to row (after its number), and the start of a run.
    std::function<void()> rowMoved;
    std::function<void()> resetTotals;

    static QString number(int n) { return QString::number(n); }

private:
    ReportQuery m_count{"Count"};
    bool m_moving = false;
    std::vector<ReportLabel*> m_captions;
};

class TRapTurnuva : public TActivityReport {
    Q_OBJECT
public:
    TRapTurnuva();
};

class TRapTurnuva1 : public TActivityReport {
    Q_OBJECT
public:
    TRapTurnuva1();
    static QString statement(const QString& condition);
    // The row's places ("Birincilik", "Ikincilik", "Ucunculuk") and the
    // running totals.
    QList<int> FRowPlaces;
    int FFirsts = 0, FSeconds = 0, FThirds = 0;
    std::vector<ReportLabel*> FTotals;
};

class TRapTurnuva2 : public TActivityReport {
    Q_OBJECT
public:
    TRapTurnuva2();
    static QString statement(const QString& condition);
    QList<int> FRowPlaces;
    int FFirsts = 0, FSeconds = 0, FThirds = 0;
    std::vector<ReportLabel*> FTotals;
};

class TRapTurnuva3 : public TActivityReport {
    Q_OBJECT
public:
    TRapTurnuva3();
    static QString statement(const QString& condition);
    QList<int> FRowPlaces;          // and "Madalya", their sum
    int FFirsts = 0, FSeconds = 0, FThirds = 0, FMedals = 0;
    std::vector<ReportLabel*> FTotals;
};

class TRapTurnuvaH : public TActivityReport {
    Q_OBJECT
public:
    TRapTurnuvaH();
};

class TRapTurnuvaK : public TActivityReport {
    Q_OBJECT
public:
    TRapTurnuvaK();
    // Rows with a duty, activities above 1, without the referees' and
    // coaches' duty rows; bound values :HakemGorevi and :AntrenorGorevi.
    static QString statement(const QString& condition);
    static QVariantMap dutyParams();
    int FMen = 0, FWomen = 0, FUnknown = 0, FTotal = 0;
    std::vector<ReportLabel*> FTotals;
};

class TRapTurnuvaK1 : public TActivityReport {
    Q_OBJECT
public:
    TRapTurnuvaK1();
    static QString statement(const QString& condition);
    int FTotal = 0;
    std::vector<ReportLabel*> FTotals;
};

class TRapTurnuvaC : public TActivityReport {
    Q_OBJECT
public:
    TRapTurnuvaC();
    // The pair rows of the screen's list (activities above 1 with a duty
    // text), by club first or by category first.
    static QString statement(const QString& listSql, bool byClub);
    ReportQuery Query2{"Query2"};   // a person's categories by register number
    // The row's pair name ("Cift": Ad_Soyad + "-" + E25) and common
    // categories ("OrtakBranslar").
    QString FPair, FCommon;
    // The categories the athlete (first) and the partner have in common.
    static QString commonCategories(const QStringList& athlete, const QStringList& partner);

private:
    QStringList categoriesOf(const QString& registerNo);
};

inline TRapTurnuva* RapTurnuva = nullptr;
inline TRapTurnuva1* RapTurnuva1 = nullptr;
inline TRapTurnuva2* RapTurnuva2 = nullptr;
inline TRapTurnuva3* RapTurnuva3 = nullptr;
inline TRapTurnuvaH* RapTurnuvaH = nullptr;
inline TRapTurnuvaK* RapTurnuvaK = nullptr;
inline TRapTurnuvaK1* RapTurnuvaK1 = nullptr;
inline TRapTurnuvaC* RapTurnuvaC = nullptr;
