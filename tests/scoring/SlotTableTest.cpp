#include "ScoringFixture.h"
#include "scoring/KuraDraw.h"
#include "scoring/RandomSource.h"
#include "scoring/SlotTable.h"

namespace {

class SlotTableTest : public ScoringTest {
protected:
    struct Side {
        QString name;
        QVariant number;
        QString region = "";
        bool seated = true;
    };

    void addBout(int key, const QString& tur, const QString& sira, const QString& grup, const Side& blue,
                 const Side& red)
    {
        db.insert("C_KURA", {{"Kura_Key", key}, {"Brans", kBranch}, {"Cinsiyet", kMen}, {"Tur", tur},
                             {"Sira", sira}, {"Grup", grup}, {"Skor", QString("1%1").arg(key, 3, 10, QChar('0'))},
                             {"Ad1", blue.name}, {"Sira1", blue.number}, {"Bolge1", blue.region},
                             {"Klup1", blue.name.isEmpty() ? "" : "KULÜP " + blue.name},
                             {"Tip1", blue.seated ? QVariant("AD") : QVariant()}, {"Ad2", red.name},
                             {"Sira2", red.number}, {"Bolge2", red.region},
                             {"Klup2", red.name.isEmpty() ? "" : "KULÜP " + red.name},
                             {"Tip2", red.seated ? QVariant("AD") : QVariant()}, {"Puan1", key}, {"Puan2", 10 + key},
                             {"Dis2", key == 2 ? QVariant(1) : QVariant()}});
    }

    static Side waiting(const QString& label) { return {label, {}, "", false}; }

    QStringList names()
    {
        QStringList l;
        for (int i = 1; i <= state->FSlotCount; ++i)
            l << state->FSlotName().text(i);
        return l;
    }

    QList<int> order()
    {
        QList<int> l;
        for (int i = 1; state->FSlotOrder().integer(i) != 0; ++i)
            l << state->FSlotOrder().integer(i);
        return l;
    }

    void build(bool landscape = false) { SlotTable::build(db, *state, kBranch, kMen, landscape); }
};

TEST_F(SlotTableTest, EightAthletesInTheFirstRoundGiveEightSlots)
{
    addBout(1, "ÇEYREK FİNAL", "1", "A", {"A", 1, "R1"}, {"B", 2, "R2"});
    addBout(2, "ÇEYREK FİNAL", "2", "A", {"C", 3, "R3"}, {"D", 4, "R4"});
    addBout(3, "ÇEYREK FİNAL", "3", "B", {"E", 5, "R5"}, {"F", 6, "R6"});
    addBout(4, "ÇEYREK FİNAL", "4", "B", {"G", 7, "R7"}, {"H", 8, "R8"});
    addBout(5, "YARI FİNAL", "1", "A", waiting("ÇEYREK FİNAL 1.MAÇ"), waiting("ÇEYREK FİNAL 2.MAÇ"));
    addBout(6, "YARI FİNAL", "2", "B", waiting("ÇEYREK FİNAL 3.MAÇ"), waiting("ÇEYREK FİNAL 4.MAÇ"));
    addBout(7, "3.'LÜK MAÇI", "1", "A", {"-", {}, "", false}, {"-", {}, "", false});
    addBout(8, "FİNAL", "1", "A", waiting("YARI FİNAL 1.MAÇ"), waiting("YARI FİNAL 2.MAÇ"));
    build();
    EXPECT_EQ(state->FSlotCount, 8);
    EXPECT_EQ(state->FAthleteCount, 8);
    EXPECT_EQ(names(), (QStringList{"A", "B", "C", "D", "E", "F", "G", "H"}));
    EXPECT_EQ(order(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(state->FRoundNames, (QStringList{"ÇEYREK FİNAL", "YARI FİNAL", "FİNAL"}));
    EXPECT_EQ(state->FSlotRegion().text(5), "R5");
    EXPECT_EQ(state->FSlotClub().text(5), "KULÜP E");
    EXPECT_EQ(state->FSlotBoutNo().text(5), "1003");
    EXPECT_EQ(state->FSlotDrawNo().integer(5), 5);
    EXPECT_EQ(state->FChartBranch, kBranch);
    EXPECT_EQ(state->FChartGender, kMen);
}

TEST_F(SlotTableTest, AnAthleteSeatedInTheSecondRoundIsFollowedByASpacer)
{
    // Upper half first, whatever the bout order: the lower semi-final was
    // written before the upper one here.
    addBout(1, "ÖN ELEME", "1", "B", {"A", 1, "R1"}, {"B", 2, "Pass"});
    addBout(2, "YARI FİNAL", "2", "B", {"E", 5, "R5"}, waiting("ÖN ELEME 1.MAÇ"));
    addBout(3, "YARI FİNAL", "1", "A", {"C", 3, "R3"}, {"D", 4, "R4"});
    addBout(4, "FİNAL", "1", "A", waiting("YARI FİNAL 1.MAÇ"), waiting("YARI FİNAL 2.MAÇ"));
    build();
    EXPECT_EQ(state->FSlotCount, 8);
    EXPECT_EQ(names(), (QStringList{"C", "", "D", "", "E", "", "A", "B"}));
    EXPECT_EQ(state->FSlotDrawNo().integer(2), 0);
    EXPECT_EQ(order(), (QList<int>{3, 4, 5, 1, 2}));
    EXPECT_EQ(state->FAthleteCount, 4) << "the bye counts as a slot, not as an athlete";
}

TEST_F(SlotTableTest, ASlotWithoutAnEarlierBoutStaysToBeFilled)
{
    addBout(1, "ÇEYREK FİNAL", "1", "A", {"A", 1}, {"B", 2});
    addBout(2, "YARI FİNAL", "1", "A", waiting("ÇEYREK FİNAL 1.MAÇ"), waiting("ÇEYREK FİNAL 2.MAÇ"));
    addBout(3, "FİNAL", "1", "A", waiting("YARI FİNAL 1.MAÇ"), {"Z", 9});
    build();
    EXPECT_EQ(names(), (QStringList{"A", "B", "QXYZ", "QXYZ"}));
    EXPECT_EQ(order(), (QList<int>{1, 2}));
}

struct SmallCase {
    int bouts;
    bool secondSeated;
    int slotCount;
};

class SmallCategory : public SlotTableTest, public ::testing::WithParamInterface<SmallCase> {};

TEST_P(SmallCategory, TakesTheSeatedSidesInOrder)
{
    const SmallCase& c = GetParam();
    if (c.bouts >= 1)
        addBout(1, "ÖN ELEME", "1", "B", {"A", 1}, {"B", 2});
    if (c.bouts >= 2)
        addBout(2, "FİNAL", "1", "A", {"C", 3}, c.secondSeated ? Side{"D", 4} : waiting("ÖN ELEME 1.MAÇ"));
    build();
    EXPECT_EQ(state->FSlotCount, c.slotCount);
    EXPECT_EQ(state->FAthleteCount, c.slotCount);
}

INSTANTIATE_TEST_SUITE_P(Bouts, SmallCategory,
                         ::testing::Values(SmallCase{0, false, 0}, SmallCase{1, false, 2}, SmallCase{2, false, 3},
                                           SmallCase{2, true, 4}));

TEST_F(SlotTableTest, TheLandscapeChartAlsoGetsPointsAndAbsences)
{
    addBout(1, "YARI FİNAL", "1", "A", {"A", 1}, {"B", 2});
    addBout(2, "YARI FİNAL", "2", "B", {"C", 3}, {"D", 4});
    addBout(3, "FİNAL", "1", "A", waiting("YARI FİNAL 1.MAÇ"), waiting("YARI FİNAL 2.MAÇ"));
    build(true);
    EXPECT_EQ(state->FSlotPoints().integer(1), 1);
    EXPECT_EQ(state->FSlotPoints().integer(2), 11);
    EXPECT_EQ(state->FSlotOut().integer(3), 0);
    EXPECT_EQ(state->FSlotOut().integer(4), 1);

    // The portrait chart leaves them empty; each build starts afresh.
    db.exec("delete * from C_KURA where Kura_Key = 2");
    build();
    EXPECT_TRUE(state->FSlotPoints().isEmpty(1));
    EXPECT_TRUE(state->FSlotOut().isEmpty(4));
    EXPECT_EQ(state->FSlotCount, 2);
    EXPECT_TRUE(state->FSlotName().isEmpty(3));
    EXPECT_EQ(state->FSlotOrder().integer(3), 0);
}

TEST_F(SlotTableTest, ADrawnCategoryWithByesHasASlotPerPosition)
{
    const QList<int> athletes = addEntrants(5, [](int i) { return QString("BÖLGE %1").arg(i); });
    SeededRandom random(8);
    ASSERT_TRUE(KuraDraw(db, *state, random).KuraCek(kBranch, kMen));
    build();
    EXPECT_EQ(state->FSlotCount, 8);
    EXPECT_EQ(state->FAthleteCount, 5) << "byes are slots, not athletes";
    const QList<int> numbers = order();
    ASSERT_EQ(numbers.size(), 8);
    const Records rows = bouts();
    for (int i = 0; i < 8; ++i) {
        const Record& quarter = rows[i / 2];
        EXPECT_EQ(numbers[i], quarter.toInt(i % 2 ? "Sira2" : "Sira1"));
        EXPECT_EQ(names()[i], quarter.str(i % 2 ? "Ad2" : "Ad1"));
    }
    int byes = 0;
    for (int i = 1; i <= 8; ++i) {
        const bool bye = state->FSlotRegion().text(i) == "Pass";
        byes += bye;
        EXPECT_EQ(bye, !athletes.contains(state->FSlotDrawNo().integer(i)));
    }
    EXPECT_EQ(byes, 3);
    EXPECT_EQ(state->FRoundNames, (QStringList{"ÇEYREK FİNAL", "YARI FİNAL", "FİNAL"}));
}

TEST_F(SlotTableTest, TheDrawAsksForItsOwnCategory)
{
    addBout(1, "FİNAL", "1", "A", {"A", 1}, {"B", 2});
    state->FDrawBranch = kBranch;
    state->setDrawGender(kMen);
    SlotTable::buildForDraw(db, *state);
    EXPECT_EQ(order(), (QList<int>{1, 2}));
}

} // namespace
