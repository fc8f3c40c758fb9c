#include "ScoringFixture.h"
#include "app/kit/WeightCategories.h"
#include "scoring/KuraDraw.h"
#include "scoring/RandomSource.h"
#include "scoring/SlotTable.h"

#include <QSet>

#include <algorithm>

namespace {

const QString kDone = kBranch + " BRANŞINDA KURA ÇEKİMİ YAPILDI ...!";

// Regions of at most two athletes each, the first athlete alone in his:
// the region passes can always keep two of a region apart in the first
// round.
QString pairedRegion(int i)
{
    return QString("BÖLGE %1").arg((i + 1) / 2);
}

class DrawTest : public ScoringTest {
protected:
    bool draw(std::uint32_t seed, const QString& branch = kBranch, const QString& gender = kMen)
    {
        SeededRandom random(seed);
        KuraDraw d(db, *state, random);
        d.today = [] { return kDrawDay; };
        return d.KuraCek(branch, gender);
    }

    int counter(const char* name) { return Counters::current(db, name); }
};

// ---------------------------------------------------------------------------
// The bracket for each entrant count, over several seeds.

struct Shape {
    int entrants;
    int byes;
    // Rounds in bout order with their number of bouts.
    std::vector<std::pair<const char*, int>> rounds;
};

void PrintTo(const Shape& s, std::ostream* os)
{
    *os << s.entrants << " entrants";
}

class DrawShape : public DrawTest, public ::testing::WithParamInterface<std::tuple<Shape, int>> {};

TEST_P(DrawShape, WritesEveryRoundSeatsEveryoneOnceAndAdvancesByes)
{
    const auto& [shape, seed] = GetParam();
    const QList<int> numbers = addEntrants(shape.entrants, pairedRegion);
    const int sayi1 = counter("sayi1"), sayi2 = counter("sayi2"), sayi3 = counter("sayi3");

    ASSERT_TRUE(draw(std::uint32_t(seed)));
    EXPECT_TRUE(ui().lastText().startsWith(kDone)) << ui().lastText().toStdString();
    const Records rows = bouts();

    // Rounds in Kura_Key order with their bout counts; numbering and halves.
    std::vector<std::pair<QString, int>> seen;
    for (const Record& r : rows) {
        if (seen.empty() || seen.back().first != r.str("Tur"))
            seen.push_back({r.str("Tur"), 0});
        const int j = ++seen.back().second;
        EXPECT_EQ(r.str("Sira"), QString::number(j)) << r.str("Tur").toStdString();
    }
    std::vector<std::pair<QString, int>> expected;
    for (const auto& [name, count] : shape.rounds)
        expected.push_back({QString::fromUtf8(name), count});
    EXPECT_EQ(seen, expected);
    for (const Record& r : rows) {
        const int roundSize = perRound(rows)[r.str("Tur")];
        const bool upper =
            r.str("Tur") == "FİNAL" || r.str("Tur") == "3.'LÜK MAÇI" || r.str("Sira").toInt() <= roundSize / 2;
        if (r.str("Tur") != "ÖN ELEME") {
            EXPECT_EQ(r.str("Grup"), upper ? "A" : "B") << r.str("Tur") << " " << r.str("Sira");
        }
    }

    // Every approved athlete sits on exactly one side seated by the draw;
    // byes sit only in the first round, never against each other.
    const QString firstRound = rows.first().str("Tur");
    QList<int> seated;
    int byes = 0;
    QSet<QString> labels;
    for (const Record& r : rows)
        labels.insert(MatchState::turMac(r.str("Tur"), r.str("Sira")));
    for (const Record& r : rows) {
        int byesHere = 0;
        for (const char* n : {"1", "2"}) {
            const QString side(n);
            if (r.str("Tip" + side) == "AD") {
                if (r.str("Ad" + side) == "Tur Atlar") {
                    ++byesHere;
                    EXPECT_EQ(r.str("Bolge" + side), "Pass");
                    EXPECT_EQ(r.str("Tur"), firstRound) << "a bye outside the first round";
                } else {
                    seated << r.toInt("Sira" + side);
                }
            } else if (r.str("Tur") != "3.'LÜK MAÇI" && r.str("Ad" + side) != "-" && r.isNull("Tur_Key" + side)) {
                // A side still waiting holds the label of an existing bout.
                EXPECT_TRUE(labels.contains(r.str("Ad" + side))) << r.str("Ad" + side);
                EXPECT_TRUE(r.isNull("Sira" + side));
            }
        }
        EXPECT_LE(byesHere, 1) << "two byes against each other";
        byes += byesHere;
    }
    std::sort(seated.begin(), seated.end());
    EXPECT_EQ(seated, numbers);
    EXPECT_EQ(byes, shape.byes);

    // Two athletes of one region never meet in their first bout.
    for (const Record& r : rows) {
        if (r.str("Tip1") == "AD" && r.str("Tip2") == "AD") {
            EXPECT_NE(r.str("Bolge1"), r.str("Bolge2")) << "bout " << r.toInt("Kura_Key");
        }
    }

    // A bye's opponent has won and stands in the next round at once; every
    // other bout is undecided.
    const int firstRoundSize = perRound(rows)[firstRound];
    for (const Record& r : rows) {
        const int byeSide = r.str("Bolge1") == "Pass" ? 1 : r.str("Bolge2") == "Pass" ? 2 : 0;
        if (byeSide == 0) {
            EXPECT_EQ(r.str("Galip"), "");
            EXPECT_EQ(r.str("Salon"), "");
            continue;
        }
        const QString winner = byeSide == 1 ? "2" : "1";
        EXPECT_EQ(r.str("Galip"), r.str("Sira" + winner));
        EXPECT_EQ(r.str("Salon"), r.str("Ad" + winner));
        const int j = r.str("Sira").toInt();
        const int nextNo = (j + 1) / 2;
        const QString nextSide = j % 2 ? "1" : "2";
        const auto next = std::find_if(rows.begin(), rows.end(), [&](const Record& x) {
            return x.toInt("Kura_Key") > rows[firstRoundSize - 1].toInt("Kura_Key") && x.str("Sira").toInt() == nextNo;
        });
        ASSERT_NE(next, rows.end());
        EXPECT_EQ(next->str("Ad" + nextSide), r.str("Ad" + winner));
        EXPECT_EQ(next->toInt("Sira" + nextSide), r.toInt("Sira" + winner));
        EXPECT_EQ(next->toInt("Tur_Key" + nextSide), r.toInt("Kura_Key"));
    }

    // The byes' weigh-in rows are gone; they used their counters.
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE where Bolge = 'Pass'").toInt(), 0);
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE").toInt(), shape.entrants);
    EXPECT_EQ(counter("sayi1"), sayi1 + shape.byes);
    EXPECT_EQ(counter("sayi3"), sayi3 + shape.byes);
    EXPECT_EQ(counter("sayi2"), sayi2 + int(rows.size()));
    EXPECT_EQ(rows.first().toInt("Kura_Key"), sayi2 + 1);
}

const Shape kShapes[] = {
    {1, 0, {{"FİNAL", 1}}},
    {2, 0, {{"FİNAL", 1}}},
    {3, 0, {{"ÖN ELEME", 1}, {"FİNAL", 1}}},
    {4, 0, {{"YARI FİNAL", 2}, {"3.'LÜK MAÇI", 1}, {"FİNAL", 1}}},
    {5, 3, {{"ÇEYREK FİNAL", 4}, {"YARI FİNAL", 2}, {"3.'LÜK MAÇI", 1}, {"FİNAL", 1}}},
    {7, 1, {{"ÇEYREK FİNAL", 4}, {"YARI FİNAL", 2}, {"3.'LÜK MAÇI", 1}, {"FİNAL", 1}}},
    {8, 0, {{"ÇEYREK FİNAL", 4}, {"YARI FİNAL", 2}, {"3.'LÜK MAÇI", 1}, {"FİNAL", 1}}},
    {9, 7, {{"1. TUR", 8}, {"ÇEYREK FİNAL", 4}, {"YARI FİNAL", 2}, {"3.'LÜK MAÇI", 1}, {"FİNAL", 1}}},
    {16, 0, {{"1. TUR", 8}, {"ÇEYREK FİNAL", 4}, {"YARI FİNAL", 2}, {"3.'LÜK MAÇI", 1}, {"FİNAL", 1}}},
    {17, 15, {{"1. TUR", 16}, {"2. TUR", 8}, {"ÇEYREK FİNAL", 4}, {"YARI FİNAL", 2}, {"3.'LÜK MAÇI", 1}, {"FİNAL", 1}}},
    {31, 1, {{"1. TUR", 16}, {"2. TUR", 8}, {"ÇEYREK FİNAL", 4}, {"YARI FİNAL", 2}, {"3.'LÜK MAÇI", 1}, {"FİNAL", 1}}},
    {32, 0, {{"1. TUR", 16}, {"2. TUR", 8}, {"ÇEYREK FİNAL", 4}, {"YARI FİNAL", 2}, {"3.'LÜK MAÇI", 1}, {"FİNAL", 1}}},
    {33,
     31,
     {{"1. TUR", 32}, {"2. TUR", 16}, {"3. TUR", 8}, {"ÇEYREK FİNAL", 4}, {"YARI FİNAL", 2}, {"3.'LÜK MAÇI", 1},
      {"FİNAL", 1}}},
    {64,
     0,
     {{"1. TUR", 32}, {"2. TUR", 16}, {"3. TUR", 8}, {"ÇEYREK FİNAL", 4}, {"YARI FİNAL", 2}, {"3.'LÜK MAÇI", 1},
      {"FİNAL", 1}}},
};

INSTANTIATE_TEST_SUITE_P(Counts, DrawShape, ::testing::Combine(::testing::ValuesIn(kShapes), ::testing::Range(1, 5)));

// ---------------------------------------------------------------------------
// The small brackets row by row.

TEST_F(DrawTest, OneEntrantGetsAFinalAgainstNobody)
{
    const int a = addEntrant("TEK SPORCU", "ANKARA");
    ASSERT_TRUE(draw(1));
    const Records rows = bouts();
    ASSERT_EQ(rows.size(), 1);
    const Record& f = rows.first();
    EXPECT_EQ(f.str("Tur"), "FİNAL");
    EXPECT_EQ(f.str("Grup"), "A");
    EXPECT_EQ(f.str("Sira"), "1");
    EXPECT_EQ(f.str("Ad1"), "TEK SPORCU");
    EXPECT_EQ(f.toInt("Sira1"), a);
    EXPECT_EQ(f.str("Bolge1"), "ANKARA");
    EXPECT_EQ(f.str("Klup1"), "KULÜP");
    EXPECT_EQ(f.str("Tip1"), "AD");
    EXPECT_EQ(f.str("Ad2"), "-");
    EXPECT_TRUE(f.isNull("Tip2"));
    EXPECT_EQ(f.date("Tarih"), kDrawDay);
}

TEST_F(DrawTest, ThreeEntrantsMeetInAPreliminaryAndTheFinal)
{
    addEntrants(3, [](int i) { return QString("B%1").arg(i); });
    ASSERT_TRUE(draw(7));
    const Records rows = bouts();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].str("Tur"), "ÖN ELEME");
    EXPECT_EQ(rows[0].str("Grup"), "B");
    EXPECT_EQ(rows[0].str("Tip1"), "AD");
    EXPECT_EQ(rows[0].str("Tip2"), "AD");
    EXPECT_EQ(rows[1].str("Tur"), "FİNAL");
    EXPECT_EQ(rows[1].str("Tip1"), "AD");
    EXPECT_EQ(rows[1].str("Ad2"), "ÖN ELEME 1.MAÇ");
    EXPECT_TRUE(rows[1].isNull("Tip2"));
    EXPECT_TRUE(rows[1].isNull("Sira2"));
    // Slots after the exchange of slots 2 and 3: the preliminary holds slots
    // 1 and 2, the final slot 3.
    EXPECT_EQ(rows[0].toInt("Sira1"), state->slotNumbers().integer(1));
    EXPECT_EQ(rows[0].toInt("Sira2"), state->slotNumbers().integer(2));
    EXPECT_EQ(rows[1].toInt("Sira1"), state->slotNumbers().integer(3));
}

TEST_F(DrawTest, FourEntrantsGetSemiFinalsAThirdPlaceRowAndAFinal)
{
    addEntrants(4, [](int i) { return QString("B%1").arg(i); });
    ASSERT_TRUE(draw(3));
    const Records rows = bouts();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].str("Tur") + rows[0].str("Grup"), "YARI FİNALA");
    EXPECT_EQ(rows[1].str("Tur") + rows[1].str("Grup"), "YARI FİNALB");
    const Record& third = rows[2];
    EXPECT_EQ(third.str("Tur"), "3.'LÜK MAÇI");
    EXPECT_EQ(third.str("Grup"), "A");
    EXPECT_EQ(third.str("Sira"), "1");
    EXPECT_EQ(third.str("Ad1"), "-");
    EXPECT_EQ(third.str("Ad2"), "-");
    // The scoring station's reset empties the third-place row's winner.
    EXPECT_EQ(third.str("Galip"), "");
    EXPECT_EQ(third.str("Salon"), "");
    EXPECT_EQ(rows[3].str("Tur"), "FİNAL");
    EXPECT_EQ(rows[3].str("Ad1"), "YARI FİNAL 1.MAÇ");
    EXPECT_EQ(rows[3].str("Ad2"), "YARI FİNAL 2.MAÇ");
}

TEST_F(DrawTest, AwayFromTheScoringStationTheThirdPlaceRowKeepsItsDashes)
{
    state->FScoringStation = 0;
    addEntrants(4, [](int i) { return QString("B%1").arg(i); });
    ASSERT_TRUE(draw(3));
    const Record third = bouts()[2];
    EXPECT_EQ(third.str("Galip"), "-");
    EXPECT_EQ(third.str("Salon"), "-");
}

TEST_F(DrawTest, NewBoutsGetTheirClockAndEmptyScores)
{
    state->takeDrawOptions("03:00", "02:30", "03:00", "02:30", 2);
    addEntrants(4, [](int i) { return QString("B%1").arg(i); });
    addEntrants(2, [](int i) { return QString("B%1").arg(i); }, "52 KİLO BAYAN BÜYÜKLER", "BAYAN");
    ASSERT_TRUE(draw(3));
    ASSERT_TRUE(draw(3, "52 KİLO BAYAN BÜYÜKLER", "BAYAN"));
    for (const Record& r : db.select("select * from C_KURA")) {
        const bool men = r.str("Cinsiyet") == "ERKEK";
        EXPECT_EQ(r.str("n_time"), men ? "00:03:00" : "00:02:30");
        EXPECT_EQ(r.str("d_time"), r.str("n_time"));
        EXPECT_EQ(r.str("ex_time"), "00:01:00");
        EXPECT_EQ(r.toInt("Raunt_Say"), 2);
        EXPECT_EQ(r.toInt("Raunt"), 1);
        EXPECT_EQ(r.str("Puan1") + r.str("Puan2") + r.str("Foul1") + r.str("Foul2"), "0000");
        EXPECT_EQ(r.str("Tar_Saat") + r.str("Skor") + r.str("Hakem") + r.str("Karar") + r.str("R1"), "");
    }
}

TEST_F(DrawTest, TheProgressBarFollowsTheBoutsWritten)
{
    addEntrants(4, pairedRegion);
    SeededRandom random(1);
    KuraDraw d(db, *state, random);
    QList<int> positions;
    d.progress = [&](int percent) { positions << percent; };
    ASSERT_TRUE(d.KuraCek(kBranch, kMen));
    EXPECT_EQ(positions, (QList<int>{25, 50, 75, 100}));
    EXPECT_EQ(state->FSkipActivate, 1) << "returning from the progress window reloads nothing";
}

TEST_F(DrawTest, WithoutRegionSeparationThereAreNoByes)
{
    state->RegionSeparation = 0;
    addEntrants(5, pairedRegion);
    ASSERT_TRUE(draw(2));
    const Records rows = bouts();
    EXPECT_EQ(perRound(rows), (std::map<QString, int>{{"ÖN ELEME", 1}, {"YARI FİNAL", 2}, {"3.'LÜK MAÇI", 1},
                                                       {"FİNAL", 1}}));
    EXPECT_EQ(rows[2].str("Ad2"), "ÖN ELEME 1.MAÇ");
    EXPECT_EQ(db.scalar("select count(*) from C_KURA where Ad1 = 'Tur Atlar' or Ad2 = 'Tur Atlar'").toInt(), 0);
    EXPECT_EQ(Counters::current(db, "sayi3"), 5);
}

// ---------------------------------------------------------------------------
// Large brackets: no byes above 1,024 entrants, preliminaries instead.

class LargeDraw : public DrawTest, public ::testing::WithParamInterface<int> {};

TEST_P(LargeDraw, FillsTheBracketWithPreliminariesInChartOrder)
{
    const int entrants = GetParam();
    const QList<int> numbers = addEntrants(entrants, pairedRegion);
    ASSERT_TRUE(draw(11));
    const Records rows = bouts();
    const int prelims = entrants - 1024;
    EXPECT_EQ(state->FRoundTotal, 10);
    EXPECT_EQ(state->FPreliminaryCount, prelims);
    EXPECT_EQ(perRound(rows)["ÖN ELEME"], prelims);
    EXPECT_EQ(perRound(rows)["1. TUR"], 512);
    EXPECT_EQ(db.scalar("select count(*) from C_KURA where Ad1 = 'Tur Atlar' or Ad2 = 'Tur Atlar'").toInt(), 0);
    QList<int> seated;
    for (const Record& r : rows)
        for (const char* side : {"1", "2"})
            if (r.str(QString("Tip") + side) == "AD")
                seated << r.toInt(QString("Sira") + side);
    std::sort(seated.begin(), seated.end());
    EXPECT_EQ(seated, numbers);
    if (prelims > 0) {
        EXPECT_EQ(rows[0].str("Grup"), "B");
        EXPECT_EQ(rows[prelims + 511].str("Ad2"), "ÖN ELEME 1.MAÇ");
    }
    // Slot l stands at the l-th place of the chart's first column.
    MatchState chart;
    SlotTable::build(db, chart, kBranch, kMen);
    for (int l = 1; l <= entrants; ++l)
        ASSERT_EQ(chart.FSlotOrder().integer(l), state->slotNumbers().integer(l)) << "slot " << l;
}

INSTANTIATE_TEST_SUITE_P(Entrants, LargeDraw, ::testing::Values(1024, 1025));

// ---------------------------------------------------------------------------
// Refusals.

TEST_F(DrawTest, ADrawnCategoryIsRefusedAndKeepsItsBouts)
{
    addEntrants(6, pairedRegion);
    ASSERT_TRUE(draw(1));
    const Records before = bouts();
    const int sayi1 = counter("sayi1"), sayi2 = counter("sayi2"), sayi3 = counter("sayi3");
    ui().clear();

    EXPECT_FALSE(draw(2));
    EXPECT_EQ(ui().texts(),
              QStringList{kBranch + " BRANŞINDA KURA ÇEKİMİ YAPILMIŞTIR. YENİDEN KURA ÇEKİMİ YAPMAK İÇİN ÖNCEKİ "
                                    "KURALARI SİLMENİZ GEREKMEKTEDİR ...!"});
    EXPECT_EQ(ui().requests.first().kind, UiRequest::Error);
    const Records after = bouts();
    ASSERT_EQ(after.size(), before.size());
    for (int i = 0; i < int(after.size()); ++i)
        EXPECT_EQ(after[i].values(), before[i].values());
    EXPECT_EQ(counter("sayi1"), sayi1);
    EXPECT_EQ(counter("sayi2"), sayi2);
    EXPECT_EQ(counter("sayi3"), sayi3);
}

class EntrantCountRefusal : public DrawTest, public ::testing::WithParamInterface<int> {};

TEST_P(EntrantCountRefusal, WritesNothing)
{
    addEntrants(GetParam(), pairedRegion);
    addEntrant("ELENEN", "ANKARA", kBranch, kMen, 0);
    const int sayi1 = counter("sayi1"), sayi2 = counter("sayi2"), sayi3 = counter("sayi3");

    EXPECT_FALSE(draw(1));
    EXPECT_EQ(ui().texts(), QStringList{kBranch + " Branşında Sporcu Sayısı Geçersiz. KURA ÇEKİLEMİYOR ...!"});
    EXPECT_EQ(ui().requests.first().kind, UiRequest::Error);
    EXPECT_TRUE(bouts().isEmpty());
    EXPECT_EQ(counter("sayi1"), sayi1);
    EXPECT_EQ(counter("sayi2"), sayi2);
    EXPECT_EQ(counter("sayi3"), sayi3);
}

INSTANTIATE_TEST_SUITE_P(Counts, EntrantCountRefusal, ::testing::Values(0, 5001));

// ---------------------------------------------------------------------------
// Region separation.

TEST_F(DrawTest, TwoOfARegionAmongEightCanMeetOnlyInTheFinal)
{
    QSet<int> firstPositions;
    for (std::uint32_t seed = 1; seed <= 24; ++seed) {
        db.exec("delete * from C_KURA");
        db.exec("delete * from C_LISTE");
        addEntrants(8, [](int i) { return i < 2 ? QString("İZMİR") : QString("BÖLGE %1").arg(i); });
        ASSERT_TRUE(draw(seed));
        // Positions 1..8 are the sides of the four first-round bouts.
        QList<int> positions;
        const Records rows = bouts();
        for (int b = 0; b < 4; ++b)
            for (int side = 1; side <= 2; ++side)
                if (rows[b].str("Bolge" + QString::number(side)) == "İZMİR")
                    positions << 2 * b + side;
        ASSERT_EQ(positions.size(), 2);
        EXPECT_LE(positions[0], 4);
        EXPECT_EQ(positions[1], 8);
        firstPositions.insert(positions[0]);
    }
    EXPECT_GT(firstPositions.size(), 1) << "the upper position is chosen at random";
}

TEST_F(DrawTest, ASameRegionFirstBoutIsBrokenUpWithASingleEntrantRegion)
{
    // Four athletes of one region among eight land at positions 2, 3, 5 and
    // 6; the bout of 5 and 6 gives its blue athlete to the last bout.
    addEntrants(8, [](int i) { return i < 4 ? QString("İZMİR") : QString("BÖLGE %1").arg(i); });
    ASSERT_TRUE(draw(5));
    EXPECT_EQ(ui().lastText(), kDone + "!");
    for (const Record& r : bouts()) {
        if (r.str("Tip1") == "AD" && r.str("Tip2") == "AD") {
            EXPECT_NE(r.str("Bolge1"), r.str("Bolge2"));
        }
    }
}

TEST_F(DrawTest, EntrantsWithoutARegionAreSeatedToo)
{
    QList<int> numbers = addEntrants(6, [](int i) { return i < 2 ? QString("ANKARA") : QString("BÖLGE %1").arg(i); });
    numbers << addEntrant("BÖLGESİZ 1", QVariant()) << addEntrant("BÖLGESİZ 2", QVariant())
            << addEntrant("BÖLGESİZ 3", "") << addEntrant("BÖLGESİZ 4", "");
    ASSERT_TRUE(draw(9));
    QList<int> seated;
    for (const Record& r : bouts())
        for (const char* side : {"1", "2"})
            if (r.str(QString("Tip") + side) == "AD" && r.str(QString("Ad") + side) != "Tur Atlar")
                seated << r.toInt(QString("Sira") + side);
    std::sort(seated.begin(), seated.end());
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(seated, numbers);
}

// ---------------------------------------------------------------------------
// One transaction: all or nothing.

TEST_F(DrawTest, AFailedDrawLeavesNoByesAndNoHalfBracket)
{
    addEntrants(5, pairedRegion);
    const int sayi1 = counter("sayi1"), sayi2 = counter("sayi2"), sayi3 = counter("sayi3");
    // The disk fills up when the final is written.
    db.exec("create trigger full_disk before insert on C_KURA when new.Tur = 'FİNAL' "
            "begin select raise(abort, 'disk dolu'); end");

    EXPECT_THROW(draw(1), DbError);
    EXPECT_TRUE(bouts().isEmpty());
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE where Ad = 'Tur Atlar'").toInt(), 0);
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE").toInt(), 5);
    EXPECT_EQ(counter("sayi1"), sayi1);
    EXPECT_EQ(counter("sayi2"), sayi2);
    EXPECT_EQ(counter("sayi3"), sayi3);
    EXPECT_FALSE(ui().texts().contains(kDone));

    // Once the cause is gone the category draws normally.
    db.exec("drop trigger full_disk");
    EXPECT_TRUE(draw(1));
    EXPECT_EQ(bouts().size(), 8);
}

TEST_F(DrawTest, ClearsOnlyItsOwnByeRows)
{
    // Another station is drawing another category at the same time: its
    // bye rows are its own business.
    const int other = Counters::next(db, "sayi1");
    db.insert("C_LISTE", {{"Liste_Key", other}, {"Brans", "70 KİLO ERKEK BÜYÜKLER"}, {"Onay", 1},
                          {"Ad", "Tur Atlar"}, {"Sira", Counters::next(db, "sayi3")}, {"Bolge", "Pass"},
                          {"Cinsiyet", "ERKEK"}});
    addEntrants(5, pairedRegion);
    ASSERT_TRUE(draw(4));
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE where Bolge = 'Pass'").toInt(), 1);
    EXPECT_TRUE(db.first("select * from C_LISTE where Liste_Key = :k", {{"k", other}}).has_value());
}

// ---------------------------------------------------------------------------
// Texts are values, never statement text.

TEST_F(DrawTest, ApostrophesInCategoryAndNamesAreKept)
{
    const QString branch = "60 KİLO ERKEK O'NEİL KUPASI";
    addEntrant("D'ARTAGNAN", "L'ORIENT", branch);
    addEntrant("O'BRIEN", "KİLİS", branch);
    ASSERT_TRUE(draw(2, branch));
    const Records rows = bouts(branch);
    ASSERT_EQ(rows.size(), 1);
    QStringList names{rows[0].str("Ad1"), rows[0].str("Ad2")};
    names.sort();
    EXPECT_EQ(names, (QStringList{"D'ARTAGNAN", "O'BRIEN"}));
    EXPECT_EQ(ui().lastText(), branch + " BRANŞINDA KURA ÇEKİMİ YAPILDI ...!");
}

TEST_F(DrawTest, ADuplicateBackNumberIsReportedAndTheDrawGoesOn)
{
    addEntrant("BİR", "A");
    const int shared = addEntrant("İKİ", "B");
    addEntrant("ÜÇ", "C");
    db.exec("update C_LISTE set Sira = :s where Ad = 'BİR'", {{"s", shared}});
    ASSERT_TRUE(draw(1));
    const QString error = "HATA.. Aynı sırt numaralı 2 sporcu bulunmakta veya sporcu bulunmamaktadır";
    EXPECT_EQ(ui().texts().count(error), 2);
    EXPECT_TRUE(ui().lastText().startsWith(kDone));
    QStringList names;
    for (const Record& r : bouts())
        for (const char* side : {"1", "2"})
            if (r.str(QString("Tip") + side) == "AD")
                names << r.str(QString("Ad") + side);
    names.sort();
    EXPECT_EQ(names, (QStringList{"BİR", "ÜÇ", "İKİ"}));
}

// ---------------------------------------------------------------------------
// Drawing several categories.

class DrawCommands : public DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        addEntrants(3, pairedRegion, "60 KİLO ERKEK GENÇLER", "ERKEK");
        addEntrants(2, pairedRegion, "52 KİLO BAYAN GENÇLER", "BAYAN");
        addEntrants(4, pairedRegion, "60 KİLO ERKEK ÜMİT GENÇLER", "ERKEK");
        addEntrant("ELENEN", "ANKARA", "75 KİLO ERKEK BÜYÜKLER", "ERKEK", 0);
    }

    KuraDraw drawer(RandomSource& random, bool answer)
    {
        KuraDraw d(db, *state, random);
        d.confirm = [this, answer](const QString& text) {
            questions << text;
            return answer;
        };
        return d;
    }

    QStringList drawnCategories()
    {
        QStringList c;
        for (const Record& r : db.select("select distinct Brans from C_KURA order by Brans"))
            c << r.str("Brans");
        return c;
    }

    QStringList questions;
};

TEST_F(DrawCommands, ACategoryNameDrawsItsOwnWeightClassesOnly)
{
    SeededRandom random(1);
    drawer(random, true).BrKuraCek("GENÇLER");
    EXPECT_EQ(questions, QStringList{"GENÇLER KURALARI Çekilecektir. Eminmisiniz ...?"});
    EXPECT_EQ(drawnCategories(), (QStringList{"52 KİLO BAYAN GENÇLER", "60 KİLO ERKEK GENÇLER"}));
    EXPECT_EQ(ui().texts(), (QStringList{"60 KİLO ERKEK GENÇLER BRANŞINDA KURA ÇEKİMİ YAPILDI ...!",
                                         "52 KİLO BAYAN GENÇLER BRANŞINDA KURA ÇEKİMİ YAPILDI ...!"}));
}

TEST_F(DrawCommands, ACategoryNameWithoutWeighInListsIsReported)
{
    SeededRandom random(1);
    drawer(random, true).BrKuraCek("VETERANLAR");
    EXPECT_EQ(ui().texts(), QStringList{"VETERANLAR Branşında Müsabaka Listesi Bulunmamaktadır ...!"});
    EXPECT_TRUE(drawnCategories().isEmpty());
}

TEST_F(DrawCommands, NothingIsDrawnWithoutConfirmation)
{
    SeededRandom random(1);
    drawer(random, false).BrKuraCek("GENÇLER");
    drawer(random, false).drawAll();
    EXPECT_EQ(questions, (QStringList{"GENÇLER KURALARI Çekilecektir. Eminmisiniz ...?",
                                      "Tüm Müsabakaların KURALARI Çekilecektir. Eminmisiniz ...?"}));
    EXPECT_TRUE(drawnCategories().isEmpty());
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(DrawCommands, AllCategoriesDrawsEveryWeighInList)
{
    SeededRandom random(1);
    drawer(random, true).drawAll();
    EXPECT_EQ(drawnCategories(),
              (QStringList{"52 KİLO BAYAN GENÇLER", "60 KİLO ERKEK GENÇLER", "60 KİLO ERKEK ÜMİT GENÇLER"}));
    // Men first, then women; the class without an approved athlete is refused.
    EXPECT_EQ(ui().texts(),
              (QStringList{"60 KİLO ERKEK GENÇLER BRANŞINDA KURA ÇEKİMİ YAPILDI ...!",
                           "60 KİLO ERKEK ÜMİT GENÇLER BRANŞINDA KURA ÇEKİMİ YAPILDI ...!",
                           "75 KİLO ERKEK BÜYÜKLER Branşında Sporcu Sayısı Geçersiz. KURA ÇEKİLEMİYOR ...!",
                           "52 KİLO BAYAN GENÇLER BRANŞINDA KURA ÇEKİMİ YAPILDI ...!"}));
}

TEST_F(DrawTest, AllCategoriesWithoutWeighInListsIsReported)
{
    SeededRandom random(1);
    KuraDraw d(db, *state, random);
    d.confirm = [](const QString&) { return true; };
    d.drawAll();
    EXPECT_EQ(ui().texts(), QStringList{"Herhangi bir Müsabaka Listesi Bulunmamaktadır ...!"});
}

struct CategoryCase {
    const char* branch;
    const char* category;
    bool belongs;
};

class CategoryName : public ::testing::TestWithParam<CategoryCase> {};

TEST_P(CategoryName, IsWhatFollowsTheSex)
{
    const CategoryCase& c = GetParam();
    EXPECT_EQ(WeightCategories::belongsToCategory(QString::fromUtf8(c.branch), QString::fromUtf8(c.category)), c.belongs);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CategoryName,
    ::testing::Values(CategoryCase{"60 KİLO ERKEK GENÇLER", "GENÇLER", true},
                      CategoryCase{"60 KİLO ERKEK ÜMİT GENÇLER", "GENÇLER", false},
                      CategoryCase{"60 KİLO ERKEK ÜMİT GENÇLER", "ÜMİT GENÇLER", true},
                      CategoryCase{"48 KG BAYAN 21 YAŞ ALTI", "21 YAŞ ALTI", true},
                      CategoryCase{"48 KG BAYAN 21 YAŞ ALTI", "YAŞ ALTI", false},
                      CategoryCase{"60 KİLO ERKEK GENÇLER", "gençler", false},
                      CategoryCase{"60 KİLO ERKEK GENÇLER", "", false},
                      CategoryCase{"AÇIK GENÇLER", "GENÇLER", true},
                      CategoryCase{"AÇIKGENÇLER", "GENÇLER", false}));

struct ByeCase {
    int entrants;
    int byes;
};

class Byes : public ::testing::TestWithParam<ByeCase> {};

TEST_P(Byes, PadToAPowerOfTwoFromFiveTo1023)
{
    EXPECT_EQ(KuraDraw::byeCount(GetParam().entrants), GetParam().byes);
}

INSTANTIATE_TEST_SUITE_P(Counts, Byes,
                         ::testing::Values(ByeCase{1, 0}, ByeCase{3, 0}, ByeCase{4, 0}, ByeCase{5, 3}, ByeCase{7, 1},
                                           ByeCase{8, 0}, ByeCase{9, 7}, ByeCase{15, 1}, ByeCase{16, 0},
                                           ByeCase{17, 15}, ByeCase{100, 28}, ByeCase{513, 511}, ByeCase{1023, 1},
                                           ByeCase{1024, 0}, ByeCase{1025, 0}, ByeCase{3000, 0}));

} // namespace
