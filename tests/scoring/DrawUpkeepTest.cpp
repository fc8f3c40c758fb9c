// Upkeep of bout rows without the screen: deleting a bout with what its
// advancement wrote, deleting a category's draw, the exchange of two
// athletes with its second check, and attendance marks.
#include "ScoringFixture.h"
#include "scoring/Advancement.h"
#include "scoring/DrawUpkeep.h"

namespace {

// A bracket of eight: four quarter-finals, two semi-finals waiting for
// them, the third-place row and the final.
class DrawUpkeepTest : public ScoringTest {
protected:
    void SetUp() override
    {
        ScoringTest::SetUp();
        addBout(1, "ÇEYREK FİNAL", "1", {"AHMET", 11}, {"BEKİR", 12});
        addBout(2, "ÇEYREK FİNAL", "2", {"CEM", 13}, {"DAVUT", 14});
        addBout(3, "ÇEYREK FİNAL", "3", {"EMRE", 15}, {"FIRAT", 16});
        addBout(4, "ÇEYREK FİNAL", "4", {"GÖKHAN", 17}, {"HAKAN", 18});
        addBout(5, "YARI FİNAL", "1", {"ÇEYREK FİNAL 1.MAÇ", {}}, {"ÇEYREK FİNAL 2.MAÇ", {}});
        addBout(6, "YARI FİNAL", "2", {"ÇEYREK FİNAL 3.MAÇ", {}}, {"ÇEYREK FİNAL 4.MAÇ", {}});
        addBout(7, "3.'LÜK MAÇI", "1", {"-", {}}, {"-", {}});
        addBout(8, "FİNAL", "1", {"YARI FİNAL 1.MAÇ", {}}, {"YARI FİNAL 2.MAÇ", {}});
    }

    struct Side {
        QString name;
        QVariant number;
    };

    void addBout(int key, const QString& tur, const QString& sira, const Side& blue, const Side& red,
                 const QString& gender = kMen)
    {
        auto tip = [](const Side& s) { return s.number.isNull() ? QVariant() : QVariant("AD"); };
        db.insert("C_KURA", {{"Kura_Key", key}, {"Brans", kBranch}, {"Cinsiyet", gender}, {"Tur", tur},
                             {"Sira", sira}, {"Grup", "A"}, {"Ad1", blue.name}, {"Sira1", blue.number},
                             {"Tip1", tip(blue)}, {"Bolge1", blue.number.isNull() ? "" : "BÖLGE " + blue.name},
                             {"Klup1", blue.number.isNull() ? "" : "KULÜP " + blue.name}, {"Ad2", red.name},
                             {"Sira2", red.number}, {"Tip2", tip(red)},
                             {"Bolge2", red.number.isNull() ? "" : "BÖLGE " + red.name},
                             {"Klup2", red.number.isNull() ? "" : "KULÜP " + red.name}, {"Galip", ""},
                             {"Salon", ""}});
    }

    void win(int key, int number, const QString& name)
    {
        state->FWinnerNo = QString::number(number);
        state->FWinnerName = name;
        ASSERT_TRUE(Advancement(db, *state).GalipIs(key));
    }

    int count() { return db.scalar("select count(*) from C_KURA").toInt(); }

    DrawUpkeep upkeep{db};
};

TEST_F(DrawUpkeepTest, DeletingADecidedBoutTakesItsWinnerBackOutOfEveryBoutHeWentOnToWin)
{
    // AHMET wins his quarter-final and his semi-final and stands in the final.
    win(1, 11, "AHMET");
    win(2, 14, "DAVUT");
    win(5, 11, "AHMET");
    db.update("C_KURA", {{"Derece1", 1}}, "Kura_Key = 8");

    ASSERT_TRUE(upkeep.deleteBout(1));

    EXPECT_FALSE(db.first("select * from C_KURA where Kura_Key = 1").has_value());
    // The semi-final has no blue athlete and no one waiting for a deleted
    // bout; its win was AHMET's, so it is undecided again.
    const Record semi = bout(5);
    EXPECT_EQ(semi.str("Ad1"), "");
    EXPECT_TRUE(semi.isNull("Sira1"));
    EXPECT_TRUE(semi.isNull("Tur_Key1"));
    EXPECT_EQ(semi.str("Galip"), "");
    EXPECT_EQ(semi.str("Salon"), "");
    EXPECT_EQ(semi.str("Ad2"), "DAVUT") << "the other side stays";
    EXPECT_EQ(semi.toInt("Tur_Key2"), 2);
    // The final waits for the semi-final again.
    const Record final = bout(8);
    EXPECT_EQ(final.str("Ad1"), "YARI FİNAL 1.MAÇ");
    EXPECT_TRUE(final.isNull("Sira1"));
    EXPECT_TRUE(final.isNull("Tur_Key1"));
    EXPECT_TRUE(final.isNull("Derece1"));
    // And the semi-final's label is found again by the next advancement.
    win(5, 14, "DAVUT");
    EXPECT_EQ(bout(8).str("Ad1"), "DAVUT");
}

TEST_F(DrawUpkeepTest, ALaterWinOfTheOpponentStands)
{
    win(1, 11, "AHMET");
    win(2, 14, "DAVUT");
    win(5, 14, "DAVUT");
    ASSERT_TRUE(upkeep.deleteBout(1));
    const Record semi = bout(5);
    EXPECT_EQ(semi.str("Ad1"), "");
    EXPECT_EQ(semi.str("Salon"), "DAVUT");
    EXPECT_EQ(semi.str("Galip"), "14");
    EXPECT_EQ(bout(8).str("Ad1"), "DAVUT");
    EXPECT_EQ(bout(8).toInt("Tur_Key1"), 5);
}

TEST_F(DrawUpkeepTest, DeletingAnUndecidedBoutLeavesNoSideWaitingForIt)
{
    win(1, 11, "AHMET");
    ASSERT_TRUE(upkeep.deleteBout(2));
    const Record semi = bout(5);
    EXPECT_EQ(semi.str("Ad1"), "AHMET") << "the other quarter-final's winner stays";
    EXPECT_EQ(semi.str("Ad2"), "");
    EXPECT_EQ(db.scalar("select count(*) from C_KURA where Ad1 = :l or Ad2 = :l", {{"l", "ÇEYREK FİNAL 2.MAÇ"}})
                  .toInt(),
              0);
    // Other bouts keep their placeholders.
    EXPECT_EQ(bout(6).str("Ad1"), "ÇEYREK FİNAL 3.MAÇ");
    EXPECT_EQ(bout(8).str("Ad2"), "YARI FİNAL 2.MAÇ");
    EXPECT_EQ(count(), 7);
}

TEST_F(DrawUpkeepTest, APlaceholderOfAnotherCategoryIsNotTouched)
{
    addBout(20, "YARI FİNAL", "1", {"ÇEYREK FİNAL 2.MAÇ", {}}, {"ÇEYREK FİNAL 1.MAÇ", {}}, "BAYAN");
    ASSERT_TRUE(upkeep.deleteBout(2));
    EXPECT_EQ(bout(20).str("Ad1"), "ÇEYREK FİNAL 2.MAÇ");
}

TEST_F(DrawUpkeepTest, DeletingAMissingBoutChangesNothing)
{
    EXPECT_FALSE(upkeep.deleteBout(99));
    EXPECT_EQ(count(), 8);
}

struct RefusalCase {
    const char* name;
    int restricted;
    const char* karar;
    const char* salon;
    const char* galip;
    bool refused;
};

class DeleteRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(DeleteRefusal, OnlyARestrictedUserIsStoppedByADecidedBout)
{
    const RefusalCase& c = GetParam();
    const Record bout({"Kura_Key", "Karar", "Salon", "Galip"}, {1, c.karar, QString::fromUtf8(c.salon), c.galip});
    EXPECT_EQ(DrawUpkeep::deleteRefusal(bout, c.restricted),
              c.refused ? QString("Karara bağlanmış müsabakayı silme yetkiniz bulunmamaktadır...!") : QString());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteRefusal,
    ::testing::Values(RefusalCase{"Undecided", 1, "", "", "", false},
                      RefusalCase{"DecisionTaken", 1, "Points", "", "", true},
                      // A winner set by the advancement alone (a bye's opponent, the winner popup).
                      RefusalCase{"WinnerAdvanced", 1, "", "AHMET", "11", true},
                      RefusalCase{"WinnerNumberOnly", 1, "", "", "11", true},
                      RefusalCase{"Administrator", 0, "Points", "AHMET", "11", false}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST_F(DrawUpkeepTest, ACategorysDrawGoesWithEveryBoutAndNothingElse)
{
    addBout(30, "FİNAL", "1", {"AYŞE", 31}, {"FATMA", 32}, "BAYAN");
    QList<int> steps;
    EXPECT_EQ(upkeep.deleteCategoryDraw(kBranch, kMen, [&](int p) { steps << p; }), 8);
    EXPECT_EQ(steps, (QList<int>{12, 25, 37, 50, 62, 75, 87, 100}));
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(bout(30).str("Cinsiyet"), "BAYAN") << "the other gender of the branch stays";
    EXPECT_EQ(upkeep.deleteCategoryDraw(kBranch, kMen), 0);
}

// --- The exchange ---------------------------------------------------------------

TEST_F(DrawUpkeepTest, TheExchangeMovesNameRegionClubKindAndNumber)
{
    const QStringList ahmet = DrawUpkeep::athleteOf(bout(1), "1");
    EXPECT_EQ(ahmet, (QStringList{"AHMET", "BÖLGE AHMET", "KULÜP AHMET", "AD", "11"}));
    EXPECT_EQ(upkeep.swap(1, "1", ahmet, 3, "2"), "");
    EXPECT_EQ(DrawUpkeep::athleteOf(bout(1), "1"), (QStringList{"FIRAT", "BÖLGE FIRAT", "KULÜP FIRAT", "AD", "16"}));
    EXPECT_EQ(DrawUpkeep::athleteOf(bout(3), "2"), ahmet);
    EXPECT_EQ(bout(1).toInt("Sira1"), 16) << "a number stays a number";
}

TEST_F(DrawUpkeepTest, TwoSidesOfOneBoutAreExchanged)
{
    EXPECT_EQ(upkeep.swap(2, "1", DrawUpkeep::athleteOf(bout(2), "1"), 2, "2"), "");
    EXPECT_EQ(bout(2).str("Ad1"), "DAVUT");
    EXPECT_EQ(bout(2).str("Ad2"), "CEM");
}

struct SwapChange {
    const char* name;
    std::function<void(Database&)> meanwhile;
};

class SwapRecheck : public DrawUpkeepTest, public ::testing::WithParamInterface<SwapChange> {};

TEST_P(SwapRecheck, BothBoutsAreReadAgainAtTheExchange)
{
    const QStringList picked = DrawUpkeep::athleteOf(bout(1), "1");
    GetParam().meanwhile(db);
    const Records before = db.select("select * from C_KURA order by Kura_Key");
    EXPECT_EQ(upkeep.swap(1, "1", picked, 3, "2"),
              "Seçilen Müsabakalardan Biri Karara Bağlanmış veya Sporcusu Değişmiş. Lütfen Sporcuyu Yeniden "
              "Seçiniz ...!");
    const Records after = db.select("select * from C_KURA order by Kura_Key");
    ASSERT_EQ(after.size(), before.size());
    for (int i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i].values(), before[i].values()) << "nothing written, row " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Changes, SwapRecheck,
    ::testing::Values(
        SwapChange{"PickedBoutDecided", [](Database& d) { d.update("C_KURA", {{"Salon", "AHMET"}}, "Kura_Key = 1"); }},
        SwapChange{"OtherBoutDecided", [](Database& d) { d.update("C_KURA", {{"Salon", "EMRE"}}, "Kura_Key = 3"); }},
        SwapChange{"PickedAthleteReplaced",
                   [](Database& d) { d.update("C_KURA", {{"Ad1", "İLHAN"}, {"Sira1", 19}}, "Kura_Key = 1"); }},
        SwapChange{"PickedBoutDeleted", [](Database& d) { d.exec("delete * from C_KURA where Kura_Key = 1"); }},
        SwapChange{"OtherSideAdvancedInto",
                   [](Database& d) { d.update("C_KURA", {{"Tip2", QVariant()}}, "Kura_Key = 3"); }}),
    [](const ::testing::TestParamInfo<SwapChange>& info) { return std::string(info.param.name); });

TEST_F(DrawUpkeepTest, ASideFilledByTheAdvancementIsNoSeat)
{
    win(1, 11, "AHMET");
    EXPECT_FALSE(DrawUpkeep::swappable(bout(5), "1"));
    EXPECT_FALSE(DrawUpkeep::swappable(bout(1), "2")) << "a decided bout";
    EXPECT_TRUE(DrawUpkeep::swappable(bout(2), "2"));
    EXPECT_FALSE(DrawUpkeep::swappable(bout(2), "3"));
}

// --- Attendance -----------------------------------------------------------------

TEST_F(DrawUpkeepTest, AbsentMarksAreSetAndEmptied)
{
    EXPECT_TRUE(upkeep.setAbsent(2, 2, true));
    EXPECT_EQ(bout(2).toInt("Dis2"), 1);
    EXPECT_TRUE(bout(2).isNull("Dis1"));
    EXPECT_TRUE(upkeep.setAbsent(2, 2, false));
    EXPECT_TRUE(bout(2).isNull("Dis2"));
    EXPECT_FALSE(upkeep.setAbsent(99, 1, true));
}

} // namespace
