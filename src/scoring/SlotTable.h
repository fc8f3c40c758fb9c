#pragma once
// The bracket slot table of a category: one slot per first-round position of
// the bracket, in chart order from top to bottom, in the sections FSlotName,
// FSlotRegion, FSlotClub, FSlotBoutNo, FSlotDrawNo, FSlotOrder (and, for the
// landscape chart, FSlotPoints and FSlotOut) of the match screen's FLineStore.
// The draw reads FSlotOrder, the draw numbers in chart order; the bracket
// charts print from the whole table.

#include "platform/db/Database.h"

class MatchState;

namespace SlotTable {

// What fills a slot still to be filled from an earlier-round bout.
inline const QString Pending = QStringLiteral("QXYZ");

// Builds the table from a category's bouts, given in Kura_Key order. Sets
// FSlotCount (h), FAthleteCount (n) and FRoundNames. More than 5000 slots
// are cut off at 5000.
void build(MatchState& state, const Records& bouts, bool landscape = false);

// Reads the bouts of a category and builds its table; the category becomes
// FChartBranch and FChartGender.
void build(const Database& db, MatchState& state, const QString& branch, const QString& gender,
           bool landscape = false);

// The chart commands in their silent mode (FChartSilent set by the draw):
// the table of FDrawBranch and the gender in cell 0 of FDrawWork.
void buildForDraw(const Database& db, MatchState& state);

}
