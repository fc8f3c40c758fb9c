#pragma once
// The match screen's state that the draw, the winner advancement and the
// bracket slot table work on, without any widget: the settings the main
// window fixes at start-up, the fields the routines hand each other, and the
// screen's two fixed work areas FDrawWork and FLineStore.
//
// The match screen window owns one MatchState for the whole run; tests make
// their own.

#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <variant>
#include <vector>

// A fixed array of cells, each empty, an integer or a text. An empty cell
// reads as 0 and as ""; an integer cell reads as its decimal text; a text
// cell reads as the number it spells (0 when it spells none).
class CellArea {
public:
    explicit CellArea(int size);

    int size() const { return int(m_cells.size()); }
    bool isEmpty(int index) const;
    bool isText(int index) const;
    int integer(int index) const;
    QString text(int index) const;
    void set(int index, int value);
    void set(int index, const QString& value);
    void clear(int index);
    // Empties the cells first..last.
    void clear(int first, int last);

private:
    using Cell = std::variant<std::monostate, int, QString>;
    const Cell& at(int index) const;
    Cell& at(int index);
    std::vector<Cell> m_cells;
};

// A region of a cell area addressed 1..count: entry i is cell base + i.
class CellSection {
public:
    CellSection(CellArea& area, int base, int count = 5000) : m_area(area), m_base(base), m_count(count) {}

    int count() const { return m_count; }
    bool isEmpty(int i) const { return m_area.isEmpty(cell(i)); }
    int integer(int i) const { return m_area.integer(cell(i)); }
    QString text(int i) const { return m_area.text(cell(i)); }
    void set(int i, int value) { m_area.set(cell(i), value); }
    void set(int i, const QString& value) { m_area.set(cell(i), value); }
    // Empties entries 1..count.
    void clear() { m_area.clear(m_base + 1, m_base + m_count); }

private:
    int cell(int i) const;
    CellArea& m_area;
    int m_base;
    int m_count;
};

class MatchState {
public:
    MatchState();
    MatchState(const MatchState&) = delete;
    MatchState& operator=(const MatchState&) = delete;

    // --- Settings (creation values; the main window configures the rest at
    // start-up) ----------------------------------------------------------
    int FScoringStation = 0;        // 1: the screen runs as the scoring station
    int FRestrictedUser = 1;        // 1: removing a winner needs the administrator
    QString FMatchTimeMen = "00:02:00";
    QString FMatchTimeWomen = "00:02:00";
    QString FFinalTimeMen = "00:02:00";
    QString FFinalTimeWomen = "00:02:00";
    QString FExtraTimeMen = "00:01:00";
    QString FExtraTimeWomen = "00:01:00";
    QString FBreakTime = "00:01:00";
    int FRoundCount = 3;
    // The main window's draw flags: pad with byes and separate regions; a
    // second third-place bout (off: one third-place row per category).
    int RegionSeparation = 1;
    int ThirdPlaceBouts = 0;

    // Points deducted per minus; kept in cell 0 of FLineStore.
    int FMinusPoints() const { return FLineStore.integer(0); }
    void setMinusPoints(int points) { FLineStore.set(0, points); }

    // The draw options after "Devam": bout and final times typed as "mm:ss"
    // and the round count.
    void takeDrawOptions(const QString& menTime, const QString& womenTime, const QString& finalMenTime,
                         const QString& finalWomenTime, int roundCount);

    // --- The draw -------------------------------------------------------
    int FRoundTotal = 0;            // S: main rounds of the last drawn bracket
    int FPreliminaryCount = 0;      // E: preliminary bouts of it
    int FChartSilent = 0;           // 1 while the draw asks for chart positions only
    QString FDrawBranch;            // the branch just drawn (its gender: drawGender())
    int FScoreResetting = 0;        // 1 while live scoring resets a bout's scores
    int FSkipActivate = 0;          // the next activation of the screen does nothing

    // --- Winner advancement ---------------------------------------------
    QString FWinnerNo;              // back number of the winner to record
    QString FWinnerName;            // name of the winner to record
    int FWinnerBoutKey = 0;         // the bout whose winner is recorded or removed
    QString FChangedBoutKeys;       // keys written by the last advancement, joined by ","

    // --- Bracket slot table ---------------------------------------------
    QString FChartBranch;
    QString FChartGender;
    int FSlotCount = 0;             // h: slots of the table
    int FAthleteCount = 0;          // n: slots with an athlete (byes not counted)
    QStringList FRoundNames;        // distinct rounds in bout order, at most 20

    // --- Work areas -----------------------------------------------------
    CellArea FDrawWork;             // 60,005 cells
    CellArea FLineStore;            // 40,035 cells

    // Regions of FDrawWork.
    QString drawGender() const { return FDrawWork.text(0); }   // cell 0
    void setDrawGender(const QString& gender) { FDrawWork.set(0, gender); }
    CellSection shuffle() { return {FDrawWork, 0}; }            // slot l -> entrant number
    CellSection separationMap() { return {FDrawWork, 5000}; }   // position q -> entrant number
    CellSection slotNames() { return {FDrawWork, 10000}; }
    CellSection positionNames() { return {FDrawWork, 15000}; }
    CellSection slotRegions() { return {FDrawWork, 20000}; }
    CellSection positionRegions() { return {FDrawWork, 25000}; }
    CellSection slotClubs() { return {FDrawWork, 30000}; }
    CellSection positionClubs() { return {FDrawWork, 35000}; }
    CellSection multiRegions() { return {FDrawWork, 40000}; }   // regions with two or more entrants
    CellSection slotNumbers() { return {FDrawWork, 45000}; }
    CellSection positionNumbers() { return {FDrawWork, 50000}; }
    CellSection changedKeys() { return {FDrawWork, 55000}; }    // bouts written by the last advancement

    // Sections of the slot table in FLineStore.
    CellSection FSlotName() { return {FLineStore, 0}; }
    CellSection FSlotRegion() { return {FLineStore, 5000}; }
    CellSection FSlotClub() { return {FLineStore, 10000}; }
    CellSection FSlotBoutNo() { return {FLineStore, 15000}; }
    CellSection FSlotDrawNo() { return {FLineStore, 20000}; }
    CellSection FSlotOrder() { return {FLineStore, 25000}; }
    CellSection FSlotPoints() { return {FLineStore, 30000}; }
    CellSection FSlotOut() { return {FLineStore, 35000}; }
    // Design positions of the 22 mirrored scoreboard controls (1..22).
    CellSection FHomeLefts() { return {FLineStore, 40000, 22}; }

    // --- Bout-row reset -------------------------------------------------
    // Applied to a C_KURA row (column -> value) being inserted or edited.
    // DBSifirla1 also empties the ring and its order and clears
    // FScoreResetting; DBSifirla2 blanks the scoring columns and sets the
    // clock columns (with FScoreResetting set: n_time back to the row's own
    // d_time).
    void DBSifirla1(QVariantMap& row);
    void DBSifirla2(QVariantMap& row);

    // The label of a bout (the calculated field Tur_Mac): the round alone for
    // "FİNAL" and "3.'LÜK MAÇI" (compared exactly), else round, blank, number
    // and ".MAÇ".
    static QString turMac(const QString& tur, const QString& sira);
};

// Round names the draw writes.
namespace Rounds {
inline const QString Final = QStringLiteral("FİNAL");
inline const QString SemiFinal = QStringLiteral("YARI FİNAL");
inline const QString QuarterFinal = QStringLiteral("ÇEYREK FİNAL");
inline const QString Preliminary = QStringLiteral("ÖN ELEME");
inline const QString ThirdPlace = QStringLiteral("3.'LÜK MAÇI");
// A round of the third-place bout: its name begins with this.
inline const QString ThirdPlacePrefix = QStringLiteral("3.'LÜK");
}

// The bye entry.
namespace Bye {
inline const QString Name = QStringLiteral("Tur Atlar");
inline const QString Region = QStringLiteral("Pass");
}
