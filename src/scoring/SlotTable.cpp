#include "scoring/SlotTable.h"

#include "competition/MatchState.h"

#include <algorithm>

namespace {

constexpr int kMaxSlots = 5000;
constexpr int kMaxRoundNames = 20;

// Columns a bout list may lack (the draw hands in rows not yet written)
// read as empty.
QString text(const Record& r, const QString& column)
{
    return r.has(column) ? r.str(column) : QString();
}

int columnNumber(const Record& r, const QString& column)
{
    return r.has(column) ? r.toInt(column) : 0;
}

bool isThirdPlace(const QString& tur)
{
    return tur.startsWith(Rounds::ThirdPlacePrefix);
}

class Builder {
public:
    Builder(MatchState& state, bool landscape) : s(state), m_landscape(landscape) {}

    // Puts side 1 or 2 of a bout into a slot.
    void side(int slot, const Record& bout, int which)
    {
        if (slot > kMaxSlots)
            return;
        const QString n = QString::number(which);
        s.FSlotName().set(slot, text(bout, "Ad" + n));
        s.FSlotClub().set(slot, text(bout, "Klup" + n));
        s.FSlotBoutNo().set(slot, text(bout, "Skor"));
        s.FSlotRegion().set(slot, text(bout, "Bolge" + n));
        s.FSlotDrawNo().set(slot, columnNumber(bout, "Sira" + n));
        if (m_landscape) {
            s.FSlotPoints().set(slot, columnNumber(bout, "Puan" + n));
            s.FSlotOut().set(slot, columnNumber(bout, "Dis" + n) == 1 ? 1 : 0);
        }
    }

    // Appends two slots for one side of a later-round bout: the athlete
    // seated there and an empty spacer, or two slots still to be filled from
    // the earlier round.
    void appendSide(const Record& bout, int which)
    {
        const bool seated = !text(bout, "Tip" + QString::number(which)).isEmpty();
        if (seated) {
            side(++h, bout, which);
            spacer(++h);
        } else {
            pending(++h);
            pending(++h);
        }
    }

    void spacer(int slot)
    {
        if (slot > kMaxSlots)
            return;
        s.FSlotName().set(slot, QString());
        s.FSlotDrawNo().set(slot, 0);
    }

    void pending(int slot)
    {
        if (slot > kMaxSlots)
            return;
        s.FSlotName().set(slot, SlotTable::Pending);
        s.FSlotDrawNo().set(slot, 0);
    }

    MatchState& s;
    bool m_landscape;
    int h = 0;
};

} // namespace

void SlotTable::build(MatchState& s, const Records& bouts, bool landscape)
{
    for (CellSection section : {s.FSlotName(), s.FSlotRegion(), s.FSlotClub(), s.FSlotBoutNo(), s.FSlotDrawNo(),
                                s.FSlotOrder(), s.FSlotPoints(), s.FSlotOut()})
        section.clear();
    s.FRoundNames.clear();
    s.FSlotCount = 0;
    s.FAthleteCount = 0;

    Builder b(s, landscape);
    for (const Record& bout : bouts) {
        const QString tur = text(bout, "Tur");
        if (!isThirdPlace(tur) && !s.FRoundNames.contains(tur) && s.FRoundNames.size() < kMaxRoundNames)
            s.FRoundNames << tur;
    }

    if (bouts.size() <= 2) {
        // One or two bouts: the seated sides in bout order.
        int highest = 0;
        for (int i = 0; i < int(bouts.size()); ++i) {
            for (int which = 1; which <= 2; ++which) {
                if (text(bouts[i], "Tip" + QString::number(which)) == "AD") {
                    const int slot = 2 * i + which;
                    b.side(slot, bouts[i], which);
                    highest = slot;
                }
            }
        }
        b.h = highest;
    } else {
        // The first round is the first bout's; the second is the next round
        // name (third-place bouts do not count as a round).
        const QString first = bouts.first().str("Tur");
        QString second;
        for (const QString& name : s.FRoundNames) {
            if (name != first) {
                second = name;
                break;
            }
        }
        // Second-round bouts by half, upper half first: four slots each.
        Records byGroup = bouts;
        std::stable_sort(byGroup.begin(), byGroup.end(), [](const Record& x, const Record& y) {
            return text(x, "Grup") < text(y, "Grup");
        });
        for (const QString& group : {QStringLiteral("A"), QStringLiteral("B")}) {
            for (const Record& bout : byGroup) {
                if (text(bout, "Grup") != group || text(bout, "Tur") != second)
                    continue;
                b.appendSide(bout, 1);
                b.appendSide(bout, 2);
            }
        }
        // First-round bouts fill the waiting pairs, one pair each, in order.
        const int filled = std::min(b.h, kMaxSlots);
        int next = 1;
        for (const Record& bout : bouts) {
            if (text(bout, "Tur") != first)
                continue;
            while (next < filled && s.FSlotName().text(next) != Pending)
                ++next;
            if (next >= filled)
                break;
            b.side(next, bout, 1);
            b.side(next + 1, bout, 2);
            next += 2;
        }
    }

    s.FSlotCount = std::min(b.h, kMaxSlots);
    int order = 0;
    for (int i = 1; i <= s.FSlotCount; ++i) {
        const int drawNo = s.FSlotDrawNo().integer(i);
        if (drawNo == 0)
            continue;
        s.FSlotOrder().set(++order, drawNo);
        if (s.FSlotRegion().text(i) != Bye::Region)
            ++s.FAthleteCount;
    }
}

void SlotTable::build(const Database& db, MatchState& s, const QString& branch, const QString& gender, bool landscape)
{
    s.FChartBranch = branch;
    s.FChartGender = gender;
    build(s,
          db.select("select * from C_KURA where Brans = :b and Cinsiyet = :g order by Kura_Key",
                    {{"b", branch}, {"g", gender}}),
          landscape);
}

void SlotTable::buildForDraw(const Database& db, MatchState& s)
{
    build(db, s, s.FDrawBranch, s.drawGender());
}
