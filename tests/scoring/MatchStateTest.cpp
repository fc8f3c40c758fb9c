#include "ScoringFixture.h"

namespace {

TEST(CellArea, CellsHoldAnIntegerOrAText)
{
    CellArea area(10);
    EXPECT_TRUE(area.isEmpty(3));
    EXPECT_EQ(area.integer(3), 0);
    EXPECT_EQ(area.text(3), "");
    area.set(3, 42);
    EXPECT_EQ(area.text(3), "42");
    area.set(4, QString(" 17 "));
    EXPECT_TRUE(area.isText(4));
    EXPECT_EQ(area.integer(4), 17);
    area.set(5, QString("İZMİR"));
    EXPECT_EQ(area.integer(5), 0);
    area.clear(3, 5);
    EXPECT_TRUE(area.isEmpty(4));
    EXPECT_THROW(area.set(10, 1), std::out_of_range);
    EXPECT_THROW(area.integer(-1), std::out_of_range);
}

TEST(CellArea, SectionsAddressTheirOwnCells)
{
    MatchState s;
    EXPECT_EQ(s.FDrawWork.size(), 60005);
    EXPECT_EQ(s.FLineStore.size(), 40035);
    s.changedKeys().set(1, 77);
    EXPECT_EQ(s.FDrawWork.integer(55001), 77);
    s.changedKeys().set(5000, 78);
    EXPECT_EQ(s.FDrawWork.integer(60000), 78);
    EXPECT_THROW(s.changedKeys().set(5001, 1), std::out_of_range);
    s.FSlotOrder().set(1, 9);
    EXPECT_EQ(s.FLineStore.integer(25001), 9);
    s.setDrawGender("BAYAN");
    EXPECT_EQ(s.FDrawWork.text(0), "BAYAN");
    EXPECT_EQ(s.FMinusPoints(), 1);
    EXPECT_EQ(s.FLineStore.integer(0), 1);
}

struct LabelCase {
    const char* tur;
    const char* sira;
    const char* label;
};

class BoutLabel : public ::testing::TestWithParam<LabelCase> {};

TEST_P(BoutLabel, IsRoundAndNumber)
{
    EXPECT_EQ(MatchState::turMac(QString::fromUtf8(GetParam().tur), GetParam().sira),
              QString::fromUtf8(GetParam().label));
}

INSTANTIATE_TEST_SUITE_P(Rounds, BoutLabel,
                         ::testing::Values(LabelCase{"FİNAL", "1", "FİNAL"},
                                           LabelCase{"3.'LÜK MAÇI", "1", "3.'LÜK MAÇI"},
                                           LabelCase{"YARI FİNAL", "2", "YARI FİNAL 2.MAÇ"},
                                           LabelCase{"1. TUR", "13", "1. TUR 13.MAÇ"},
                                           LabelCase{"ÖN ELEME", "1", "ÖN ELEME 1.MAÇ"},
                                           LabelCase{"Final", "1", "Final 1.MAÇ"}));

// The bout-row reset.

struct ResetCase {
    int station;
    const char* gender;
    const char* tur;
    const char* time;       // n_time and d_time
    const char* extra;      // ex_time
    const char* winner;     // Galip and Salon afterwards
};

class BoutReset : public ::testing::TestWithParam<ResetCase> {};

QVariantMap usedRow(const QString& gender, const QString& tur)
{
    QVariantMap row{{"Cinsiyet", gender}, {"Tur", tur}, {"Galip", "7"}, {"Salon", "ALİ"}, {"Tar_Saat", "18.05.2024 RİNG 1"},
                    {"Skor", "1001"}, {"Hakem", "HAKAN"}, {"R1", "1;2"}, {"Karar", "KO"}, {"Puan1", 5}, {"H2K", 3},
                    {"C3M", 1}, {"Raunt", 3}, {"Raunt_Say", 5}, {"d_time", "00:01:30"}, {"n_time", "00:00:10"}};
    return row;
}

TEST_P(BoutReset, GivesANewBoutItsClockAndEmptyScores)
{
    const ResetCase& c = GetParam();
    MatchState s;
    s.FScoringStation = c.station;
    s.takeDrawOptions("03:00", "02:00", "04:00", "02:30", 4);
    s.FExtraTimeWomen = "00:00:45";
    s.FScoreResetting = 1;
    QVariantMap row = usedRow(QString::fromUtf8(c.gender), QString::fromUtf8(c.tur));
    s.DBSifirla1(row);
    EXPECT_EQ(s.FScoreResetting, 0);
    EXPECT_EQ(row.value("n_time").toString(), c.time);
    EXPECT_EQ(row.value("d_time").toString(), c.time);
    EXPECT_EQ(row.value("ex_time").toString(), c.extra);
    EXPECT_EQ(row.value("Raunt_Say").toInt(), 4);
    EXPECT_EQ(row.value("Raunt").toInt(), 1);
    EXPECT_EQ(row.value("Tar_Saat").toString(), "");
    EXPECT_EQ(row.value("Skor").toString(), "");
    for (const char* column : {"Hakem", "H1", "H2", "H3", "R1", "R2", "R3", "R4", "Karar"})
        EXPECT_EQ(row.value(column), QVariant(QString())) << column;
    for (const char* column : {"Foul1", "Foul2", "Puan1", "Puan2", "H1K", "H2K", "H3K", "H1M", "H2M", "H3M", "C1K",
                               "C2K", "C3K", "C1M", "C2M", "C3M"})
        EXPECT_EQ(row.value(column), QVariant(0)) << column;
    EXPECT_EQ(row.value("Galip").toString(), c.winner);
    EXPECT_EQ(row.value("Salon").toString(), c.winner == QString() ? "" : "ALİ");
}

INSTANTIATE_TEST_SUITE_P(Rows, BoutReset,
                         ::testing::Values(ResetCase{1, "ERKEK", "YARI FİNAL", "00:03:00", "00:01:00", ""},
                                           ResetCase{1, "ERKEK", "FİNAL", "00:04:00", "00:01:00", ""},
                                           ResetCase{1, "BAYAN", "1. TUR", "00:02:00", "00:00:45", ""},
                                           ResetCase{1, "BAYAN", "FİNAL", "00:02:30", "00:00:45", ""},
                                           ResetCase{1, "BAYAN", "Final", "00:02:00", "00:00:45", ""},
                                           ResetCase{0, "ERKEK", "YARI FİNAL", "00:03:00", "00:01:00", "7"}));

TEST(BoutReset, AScoreResetPutsTheRoundLengthBackOnTheClock)
{
    MatchState s;
    s.FScoringStation = 1;
    s.FRoundCount = 4;
    s.FScoreResetting = 1;
    QVariantMap row = usedRow("ERKEK", "FİNAL");
    s.DBSifirla2(row);
    EXPECT_EQ(row.value("n_time").toString(), "00:01:30");
    EXPECT_EQ(row.value("d_time").toString(), "00:01:30");
    EXPECT_EQ(row.value("Raunt_Say").toInt(), 5) << "the bout keeps its own number of rounds";
    EXPECT_EQ(row.value("Raunt").toInt(), 1);
    EXPECT_EQ(row.value("Puan1").toInt(), 0);
    EXPECT_EQ(row.value("Galip").toString(), "");
    EXPECT_EQ(row.value("Tar_Saat").toString(), "");
}

TEST(BoutReset, ColumnsAreFoundWithoutRegardToCase)
{
    MatchState s;
    s.FScoreResetting = 1;
    QVariantMap row{{"D_TIME", "00:01:00"}, {"N_Time", "00:00:05"}, {"puan1", 9}};
    s.DBSifirla2(row);
    EXPECT_EQ(row.value("N_Time").toString(), "00:01:00");
    EXPECT_EQ(row.value("puan1").toInt(), 0);
    EXPECT_FALSE(row.contains("Puan1"));
}

TEST(DrawOptions, AreTakenAsHoursMinutesAndSeconds)
{
    MatchState s;
    s.takeDrawOptions("03:00", "02:00", "03:30", "02:30", 5);
    EXPECT_EQ(s.FMatchTimeMen, "00:03:00");
    EXPECT_EQ(s.FMatchTimeWomen, "00:02:00");
    EXPECT_EQ(s.FFinalTimeMen, "00:03:30");
    EXPECT_EQ(s.FFinalTimeWomen, "00:02:30");
    EXPECT_EQ(s.FRoundCount, 5);
}

} // namespace
