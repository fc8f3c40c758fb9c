#pragma once
// The filling of the bracket charts: the match screen reads a category's
// bouts, turns them into the slot table (SlotTable.h), writes the chart rows
// and the bout numbers and winners per round, and sets the titles of the
// portrait chart (TPrintMenu2D), the two-sided landscape chart
// (TPrintMenu2D_1) and the repechage chart (TPrintMenuR).
//
//   const QString refusal = BracketChartData::fillPortrait(db, state, branch, gender, options,
//                                                           titleLine, *PrintMenu2D);
//   if (refusal.isEmpty()) ReportLaunch::preview(*PrintMenu2D, caller);
//   else Messages::error(refusal);
//
// Nothing here writes to the database: the landscape chart's placings are
// computed for the chart (Placings::ranking), so a points list in
// C_LISTE.Puan stays as it was. A bracket beyond a chart's grid is refused
// with a message rather than drawn broken.

#include "platform/db/Database.h"
#include "reports/BracketChart.h"

class MatchState;
class TPrintMenu2D;
class TPrintMenu2D_1;
class TPrintMenuR;

namespace BracketChartData {

// Refusals of a bracket beyond a chart's grid.
QString tooLargeText(int slotCount, int maxSlots);
QString tooManyRoundsText(int rounds);
QString tooManyRepechageText(const QString& pool, int bouts);

// Bout numbers and winners per round of a category, the third-place row
// left out; the round index grows whenever Tur changes from one bout to
// the next. The landscape chart adds the winner's region and his points in
// his next bout where the options ask for them.
BracketChart::BoutTable boutTable(const Database& db, const QString& branch, const QString& gender,
                                  const BracketChart::Options& options, bool landscape);

// The portrait chart's rows of the slot table in `state`: two per slot,
// "name\rdetail" or empty; an athlete without an opponent sits on the
// pair's second row.
QStringList portraitLines(MatchState& state, const BracketChart::Options& options);

// The landscape chart's rows: "left entry\rright entry", two rows per slot
// of a side, page group after page group. An entry is "name\nplace": the
// back number and name, then region, club and points. `marked` tells
// whether an entry carries the did-not-take-part mark "(X)".
QStringList landscapeLines(const Database& db, MatchState& state, const BracketChart::Options& options,
                           bool* marked = nullptr);

// The repechage ladders of pools A and B (the third-place bouts).
BracketChart::Repechage repechage(const Database& db, const QString& branch, const QString& gender,
                                  const BracketChart::Options& options);

// The landscape chart's result box: "SONUÇ" ("RESULT") and the places 1 to
// 4 of the category (4 printed as "3."), each "1. NAME (REGION)" with the
// region's short name, or "1. NAME" when it has none; or the empty
// template.
QStringList resultBox(const Database& db, const QString& branch, const QString& gender, bool international);

// The category in international wording ("ERKEK" -> "MALE", ...).
QString internationalCategory(const QString& category);

// Fill the charts; each returns the refusal text, or "" when the chart is
// ready to preview.
QString fillPortrait(const Database& db, MatchState& state, const QString& branch, const QString& gender,
                     const BracketChart::Options& options, const QString& titleLine, TPrintMenu2D& chart);
QString fillLandscape(const Database& db, MatchState& state, const QString& branch, const QString& gender,
                      const BracketChart::Options& options, const QString& activityTitle, TPrintMenu2D_1& chart);
QString fillRepechage(const Database& db, const QString& branch, const QString& gender,
                      const BracketChart::Options& options, const QString& activityTitle, TPrintMenuR& chart);

}
