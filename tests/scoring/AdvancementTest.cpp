#include "ScoringFixture.h"
#include "scoring/Advancement.h"

namespace {

const QString kBadNumber = "Hatalı Sırt Numarası Girdiniz. Lütfen Sırt Numarasını Sayı Giriniz ...!";

// A drawn bracket of four: two semi-finals, the third-place row and the
// final waiting for both semi-finals.
class AdvancementTest : public ScoringTest {
protected:
    void SetUp() override
    {
        ScoringTest::SetUp();
        addBout(1, "YARI FİNAL", "1", "A", {"AHMET", 11}, {"BEKİR", 12});
        addBout(2, "YARI FİNAL", "2", "B", {"CEM", 13}, {"DAVUT", 14});
        addBout(3, "3.'LÜK MAÇI", "1", "A", {"-", {}}, {"-", {}});
        addBout(4, "FİNAL", "1", "A", {"YARI FİNAL 1.MAÇ", {}}, {"YARI FİNAL 2.MAÇ", {}});
    }

    struct Side {
        QString name;
        QVariant number;
    };

    void addBout(int key, const QString& tur, const QString& sira, const QString& grup, const Side& blue,
                 const Side& red, const QString& branch = kBranch, const QString& gender = kMen)
    {
        auto tip = [](const Side& s) { return s.number.isNull() ? QVariant() : QVariant("AD"); };
        db.insert("C_KURA", {{"Kura_Key", key}, {"Brans", branch}, {"Cinsiyet", gender}, {"Tur", tur},
                             {"Sira", sira}, {"Grup", grup}, {"Ad1", blue.name}, {"Sira1", blue.number},
                             {"Tip1", tip(blue)}, {"Ad2", red.name}, {"Sira2", red.number}, {"Tip2", tip(red)},
                             {"Galip", ""}, {"Salon", ""}});
    }

    bool win(int key, const QString& number, const QString& name)
    {
        state->FWinnerNo = number;
        state->FWinnerName = name;
        return Advancement(db, *state).GalipIs(key);
    }

    void undo(int key)
    {
        state->FWinnerBoutKey = key;
        Advancement(db, *state).GalipSil();
    }

    QStringList changedCells()
    {
        QStringList keys;
        for (int i = 1; !state->changedKeys().isEmpty(i); ++i)
            keys << state->changedKeys().text(i);
        return keys;
    }
};

TEST_F(AdvancementTest, TheWinnerFillsTheSideThatWaitsForHisBout)
{
    ASSERT_TRUE(win(2, "14", "DAVUT"));
    const Record semi = bout(2);
    EXPECT_EQ(semi.str("Galip"), "14");
    EXPECT_EQ(semi.str("Salon"), "DAVUT");
    const Record final = bout(4);
    EXPECT_EQ(final.str("Ad1"), "YARI FİNAL 1.MAÇ");
    EXPECT_EQ(final.str("Ad2"), "DAVUT");
    EXPECT_EQ(final.toInt("Sira2"), 14);
    EXPECT_EQ(final.toInt("Tur_Key2"), 2);
    // A filled side keeps its empty kind, region and club.
    EXPECT_TRUE(final.isNull("Tip2"));
    EXPECT_EQ(state->FWinnerBoutKey, 2);
    EXPECT_EQ(state->FChangedBoutKeys, "2,4");
    EXPECT_EQ(changedCells(), (QStringList{"2", "4"}));
}

TEST_F(AdvancementTest, TakingTheWinnerBackRestoresTheLabel)
{
    ASSERT_TRUE(win(1, "11", "AHMET"));
    db.update("C_KURA", {{"Derece1", 1}}, "Kura_Key = 4");
    undo(1);
    const Record semi = bout(1);
    EXPECT_EQ(semi.str("Galip"), "");
    EXPECT_EQ(semi.str("Salon"), "");
    const Record final = bout(4);
    EXPECT_EQ(final.str("Ad1"), "YARI FİNAL 1.MAÇ");
    EXPECT_TRUE(final.isNull("Sira1"));
    EXPECT_TRUE(final.isNull("Tur_Key1"));
    EXPECT_TRUE(final.isNull("Derece1"));
    EXPECT_EQ(state->FChangedBoutKeys, "1,4") << "removal leaves the last advancement's keys";

    // The restored label is found again.
    ASSERT_TRUE(win(1, "12", "BEKİR"));
    EXPECT_EQ(bout(4).str("Ad1"), "BEKİR");
}

TEST_F(AdvancementTest, RecordingTheSameWinnerTwiceChangesNothingMore)
{
    ASSERT_TRUE(win(1, "11", "AHMET"));
    const Records once = bouts();
    ASSERT_TRUE(win(1, "11", "AHMET"));
    const Records twice = bouts();
    for (int i = 0; i < int(once.size()); ++i)
        EXPECT_EQ(twice[i].values(), once[i].values());
    EXPECT_EQ(state->FChangedBoutKeys, "1,4");
}

TEST_F(AdvancementTest, ChangingTheWinnerReplacesHimAndLeavesTheNextBoutsDecision)
{
    ASSERT_TRUE(win(1, "11", "AHMET"));
    ASSERT_TRUE(win(2, "13", "CEM"));
    ASSERT_TRUE(win(4, "11", "AHMET"));
    ASSERT_TRUE(win(1, "12", "BEKİR"));
    const Record final = bout(4);
    EXPECT_EQ(final.str("Ad1"), "BEKİR");
    EXPECT_EQ(final.toInt("Sira1"), 12);
    EXPECT_EQ(final.str("Ad2"), "CEM");
    EXPECT_EQ(final.str("Galip"), "11");
    EXPECT_EQ(final.str("Salon"), "AHMET");
}

TEST_F(AdvancementTest, TheFinalAndTheThirdPlaceRowAdvanceNobody)
{
    ASSERT_TRUE(win(1, "11", "AHMET"));
    ASSERT_TRUE(win(2, "13", "CEM"));
    const Records before = bouts();
    ASSERT_TRUE(win(4, "13", "CEM"));
    EXPECT_EQ(state->FChangedBoutKeys, "4");
    EXPECT_EQ(changedCells(), QStringList{"4"});
    const Records after = bouts();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(after[i].values(), before[i].values());
    const Record third = bout(3);
    EXPECT_EQ(third.str("Ad1"), "-");
    EXPECT_EQ(third.str("Ad2"), "-");
}

TEST_F(AdvancementTest, OnlyTheCategoryOfTheBoutIsSearched)
{
    addBout(10, "YARI FİNAL", "1", "A", {"EROL", 21}, {"FATİH", 22}, kBranch, "BAYAN");
    addBout(11, "FİNAL", "1", "A", {"YARI FİNAL 1.MAÇ", {}}, {"YARI FİNAL 2.MAÇ", {}}, kBranch, "BAYAN");
    addBout(12, "FİNAL", "1", "A", {"YARI FİNAL 1.MAÇ", {}}, {"YARI FİNAL 2.MAÇ", {}}, "70 KİLO ERKEK BÜYÜKLER");
    ASSERT_TRUE(win(10, "22", "FATİH"));
    EXPECT_EQ(bout(11).str("Ad1"), "FATİH");
    EXPECT_EQ(bout(12).str("Ad1"), "YARI FİNAL 1.MAÇ");
    EXPECT_EQ(bout(4).str("Ad1"), "YARI FİNAL 1.MAÇ");
}

TEST_F(AdvancementTest, LabelsCompareExactly)
{
    // A bout entered at a scoring station is labelled "Final 1.MAÇ", which
    // is not the side waiting for "FİNAL 1.MAÇ".
    addBout(20, "Final", "1", "A", {"GÖKHAN", 31}, {"HAKAN", 32}, "80 KG ERKEK BÜYÜKLER");
    addBout(21, "FİNAL", "1", "A", {"FİNAL 1.MAÇ", {}}, {"-", {}}, "80 KG ERKEK BÜYÜKLER");
    ASSERT_TRUE(win(20, "31", "GÖKHAN"));
    EXPECT_EQ(bout(21).str("Ad1"), "FİNAL 1.MAÇ");
    EXPECT_EQ(state->FChangedBoutKeys, "20");
}

TEST_F(AdvancementTest, APreliminaryWinnerGoesToItsPlaceholder)
{
    addBout(30, "ÖN ELEME", "1", "B", {"İLHAN", 41}, {"KEMAL", 42}, "90 KG ERKEK BÜYÜKLER");
    addBout(31, "FİNAL", "1", "A", {"LEVENT", 43}, {"ÖN ELEME 1.MAÇ", {}}, "90 KG ERKEK BÜYÜKLER");
    ASSERT_TRUE(win(30, "42", "KEMAL"));
    const Record final = bout(31);
    EXPECT_EQ(final.str("Ad1"), "LEVENT");
    EXPECT_EQ(final.str("Ad2"), "KEMAL");
    EXPECT_EQ(final.toInt("Tur_Key2"), 30);
}

class RefusedWinner : public AdvancementTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedWinner, WritesNothing)
{
    const Records before = bouts();
    EXPECT_FALSE(win(1, GetParam(), "AHMET"));
    EXPECT_EQ(ui().texts(), QStringList{kBadNumber});
    const Records after = bouts();
    for (int i = 0; i < int(after.size()); ++i)
        EXPECT_EQ(after[i].values(), before[i].values());
}

INSTANTIATE_TEST_SUITE_P(BackNumbers, RefusedWinner, ::testing::Values("X11", "", "1,5"));

TEST_F(AdvancementTest, AWrongPlaceOnTheBoutStopsTheRecord)
{
    db.update("C_KURA", {{"Derece2", 4}}, "Kura_Key = 1");
    EXPECT_FALSE(win(1, "11", "AHMET"));
    EXPECT_EQ(ui().texts(), QStringList{"Hatalı Derece Girdiniz. Lütfen Düzeltiniz ...!"});
    EXPECT_EQ(bout(1).str("Galip"), "");
    EXPECT_EQ(bout(4).str("Ad1"), "YARI FİNAL 1.MAÇ");
}

struct PlaceCase {
    QVariant first;
    QVariant second;
    bool right;
};

class PlaceCheck : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceCheck, AcceptsNothingButOneTwoOrThree)
{
    EXPECT_EQ(Advancement::checkPlaces(GetParam().first, GetParam().second).isEmpty(), GetParam().right);
}

INSTANTIATE_TEST_SUITE_P(Places, PlaceCheck,
                         ::testing::Values(PlaceCase{{}, {}, true}, PlaceCase{1, 3, true}, PlaceCase{2, {}, true},
                                           PlaceCase{"", "3", true}, PlaceCase{0, {}, false},
                                           PlaceCase{{}, 4, false}, PlaceCase{"X", {}, false}));

// The winner popup and its commands.

TEST_F(AdvancementTest, RemovingAWinnerNeedsTheAdministratorForARestrictedUser)
{
    ASSERT_TRUE(win(1, "11", "AHMET"));
    state->FRestrictedUser = 1;
    int asked = 0;
    Advancement(db, *state).removeWinner(1, [&] {
        ++asked;
        return false;
    });
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ui().texts(), QStringList{"Galibi Admin Kullanıcı silebilir...!"});
    EXPECT_EQ(bout(1).str("Galip"), "11");

    Advancement(db, *state).removeWinner(1, [&] { return true; });
    EXPECT_EQ(bout(1).str("Galip"), "");
    EXPECT_EQ(bout(4).str("Ad1"), "YARI FİNAL 1.MAÇ");

    ASSERT_TRUE(win(1, "11", "AHMET"));
    state->FRestrictedUser = 0;
    Advancement(db, *state).removeWinner(1, {});
    EXPECT_EQ(bout(1).str("Salon"), "");
}

TEST_F(AdvancementTest, ChoosingASideRecordsItsAthlete)
{
    Advancement a(db, *state);
    EXPECT_EQ(Advancement::winnerItemCaption(bout(1), 2), "BEKİR");
    EXPECT_EQ(Advancement::winnerItemCaption(bout(4), 1), "");
    EXPECT_FALSE(a.chooseWinner(4, 1)) << "a side without a back number is no choice";
    EXPECT_EQ(bout(4).str("Galip"), "");
    ASSERT_TRUE(a.chooseWinner(1, 2));
    EXPECT_EQ(bout(1).str("Salon"), "BEKİR");
    EXPECT_EQ(bout(4).str("Ad1"), "BEKİR");
}

TEST_F(AdvancementTest, ThePopupStaysClosedWhereNoWinnerMayBeChosen)
{
    Advancement a(db, *state);
    EXPECT_FALSE(a.winnerPopupOpens(bout(1))) << "the scoring station";
    state->FScoringStation = 0;
    EXPECT_TRUE(a.winnerPopupOpens(bout(1)));
    EXPECT_FALSE(a.winnerPopupOpens(bout(3))) << "the third-place row";
    EXPECT_FALSE(a.winnerPopupOpens(Record())) << "no current bout";
    db.update("C_KURA", {{"Salon", "-"}}, "Kura_Key = 2");
    EXPECT_FALSE(a.winnerPopupOpens(bout(2)));
}

// The winner column typed into.

struct TypedWinner {
    const char* tur;
    QVariant galip;
    QString salon;      // expected
    bool message;
};

class WinnerColumn : public AdvancementTest, public ::testing::WithParamInterface<TypedWinner> {};

TEST_P(WinnerColumn, LooksTheNameUp)
{
    const TypedWinner& c = GetParam();
    QVariantMap row{{"Tur", QString::fromUtf8(c.tur)}, {"Brans", kBranch}, {"Cinsiyet", kMen},
                    {"Galip", c.galip}, {"Salon", "ÖNCEKİ"}};
    Advancement(db, *state).galipChanged(row);
    EXPECT_EQ(row.value("Salon").toString(), c.salon);
    EXPECT_EQ(ui().texts(), c.message ? QStringList{kBadNumber} : QStringList{});
}

INSTANTIATE_TEST_SUITE_P(
    Values, WinnerColumn,
    ::testing::Values(TypedWinner{"YARI FİNAL", "11", "AHMET", false}, TypedWinner{"YARI FİNAL", "14", "DAVUT", false},
                      TypedWinner{"YARI FİNAL", "99", "ÖNCEKİ", false}, TypedWinner{"YARI FİNAL", "", "", false},
                      TypedWinner{"YARI FİNAL", {}, "", false}, TypedWinner{"YARI FİNAL", "1A", "ÖNCEKİ", true},
                      TypedWinner{"3.'LÜK MAÇI", "1A", "ÖNCEKİ", false}, TypedWinner{"3.'LÜK MAÇI", "", "ÖNCEKİ", false}));

} // namespace
