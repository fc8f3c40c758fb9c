#pragma once
// The bout score sheet ("MÜSABAKA SONUÇ RAPORU"): one portrait page per
// bout with both corners, each judge's points round by round with his
// totals, the penalties round by round, the score, the winner and the
// decision. Only bout rows with "-" on a side (the third-place row) get no
// sheet; a bout with a bye side ("Tur Atlar") gets its page as well.
//
// The caller sets FScope (1: the bouts of one category, 2: one bout, 3: all
// bouts), the title QRLabel9, the section query Query2 and opens it:
//
//   PrintScore->FScope = 2;
//   PrintScore->Query2.sql = "select Kura_Key from C_KURA where Kura_Key = :Kura_Key";
//   PrintScore->Query2.params = {{"Kura_Key", key}};
//   PrintScore->Query2.open();      // builds and opens the bout query Query1
//   if (!PrintScore->Query2.isEmpty()) ReportLaunch::preview(*PrintScore, caller);
//
// Only the first row of Query2 counts (branch and gender, or the bout's key).
// The round records R1..R4 hold running totals; a round's points are its
// record minus the one before. A fourth round is printed with its judges'
// points, which count in the judges' totals. A record that cannot be read
// does not stop the run: what can be read is printed, "?" stands for the
// rest, the page says which record of which bout it is, and FUnreadBouts
// lists those bouts for the caller.

#include "reports/ListLayout.h"
#include "reports/ReportForm.h"

#include <QStringList>

#include <array>
#include <map>
#include <optional>

// The sheet's arithmetic, without the report.
namespace ScoreSheet {

// Splits a round record into its twelve fields: an empty record gives "0"
// twelve times; otherwise each ";" closes a field (an empty one becomes
// "0") and the field after the last ";" stays as read. Fields that the
// record does not reach stay empty; values beyond the twelfth are dropped.
QStringList Analiz(const QString& record);

// The values printed for one bout.
struct Rounds {
    int read = 0;                                   // records read, up to the first empty one
    std::array<std::array<QString, 12>, 4> values;  // per round and record position: "0", a number or "?"
    std::array<QString, 6> totals;                  // judge 1 blue, judge 1 red, ... judge 3 red
    QStringList unreadable;                         // "R2", ...: records holding a value that is no number
    bool fourthRound() const { return read == 4; }
};

// The rounds of the records R1..R4 (missing ones count as empty).
Rounds roundShares(const QStringList& records);

// "mm:ss" of a stored clock text ("hh:mm:ss", also after a date); "" for none.
QString minutesSeconds(const QString& clock);

// The kind of a bout by its category text.
bool isSemiContact(const QString& brans);

}

class TPrintScore : public TReportForm {
    Q_OBJECT
public:
    TPrintScore();

    int FScope = 1;             // 1 category, 2 one bout, 3 all bouts
    QStringList FRoundFields;   // the twelve values of the record last split
    // Bouts of the last run whose round records could not all be read:
    // "Kura_Key (Ad1 / Ad2)".
    QStringList FUnreadBouts;

    ReportQuery Query1{"Query1"};   // the bouts
    ReportQuery Query2{"Query2"};   // the section: its first row only
    ReportQuery Query6{"Query6"};   // region and club of a back number

    ReportLabel* QRLabel9;          // the title
    ReportBand* QRSubDetail1;       // one bout per page
    ReportBand* ChildBand1;         // its result
    ReportLabel* QRLabel1;          // "Tur" (switched off at start-up)
    ReportLabel* QRLabel2;          // ":"
    ReportDataText* QRDBText1;      // Tur_Mac
    ReportImage* QRImage1;          // the logo "C:\CO\MusLogo.bmp"
    ReportLabel* BransLabel;        // the branch
    ReportLabel* SureLabel;         // "Müsabaka Süresi" value
    ReportLabel* KalanSureLabel;    // "Kalan Süre" value
    ReportLabel* Bolge1Label;
    ReportLabel* Bolge2Label;
    ReportLabel* Klup1Label;
    ReportLabel* Klup2Label;
    std::array<ReportLabel*, 6> PenaltyHeads;   // blue Minus/Point, Foul, Exit; red the same
    ReportLabel* QRLabel63;         // "Round 4", blue
    ReportLabel* QRLabel80;         // "Round 4", red
    ReportLabel* NoteLabel;         // the records that could not be read

    // R{round}H{judge}{M|K}: a judge's points; R{round}{M|K}{MIN|FO|EX}:
    // penalties; Top1..Top6: judge totals.
    ReportLabel* value(const QString& name) const;

    // Splits a record into FRoundFields.
    void Analiz(const QString& record);

private:
    void Query2AfterScroll();
    void Query1AfterScroll();
    void Topla(const ScoreSheet::Rounds& rounds);
    QString lookup(const QString& number, const QString& field);
    QString sideText(const QString& side, const QString& field, const QString& listField);

    std::map<QString, ReportLabel*> m_values;
    QList<ReportControl*> m_judgeBlocks;            // left off semi-contact sheets
    QList<ReportControl*> m_judgeRound4;            // the judges' fourth round row
    std::array<ReportLabel*, 6> m_penaltyRound4{};
    std::array<ReportLabel*, 6> m_totals{};
    std::array<double, 3> m_totalTops{};            // the total row of each judge block
    ListLayout::FittedCells m_cells;                // the bout's texts, each whole in its box
};

inline TPrintScore* PrintScore = nullptr;
