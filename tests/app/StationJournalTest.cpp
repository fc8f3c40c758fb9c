// A station's journal mode: a shared station (the default) keeps its database
// in DELETE mode, a private one (`brivex-station init --private`) in WAL;
// `brivex-station info` says which.
#include "app/Station.h"
#include "platform/db/JournalMode.h"
#include "platform/paths/DriveMap.h"
#include "support/TestSupport.h"

#include <QProcess>

class StationJournalTest : public StationTest {};

TEST_F(StationJournalTest, ANewStationIsSharedAndAPrivateOneIsWal)
{
    EXPECT_EQ(JournalMode::current(db), "DELETE");
    EXPECT_TRUE(Station::describe().contains(
        "Günlük kipi       : DELETE, synchronous=FULL (başka istasyonlar ağdan açabilir)"));

    const QString second = "C:\\CO\\OZEL\\Fdr.mdb";
    Station::init(second);
    Station::makePrivate(second);
    Database opened;
    opened.open(second);
    EXPECT_EQ(JournalMode::current(opened), "WAL");
    EXPECT_EQ(opened.scalar("PRAGMA synchronous").toInt(), 2);
    // Its tables and seed rows are there as in every station.
    EXPECT_EQ(opened.scalar("select count(*) from C_SAYI").toInt(), 1);
    EXPECT_TRUE(Station::describe().contains(
        "Günlük kipi       : WAL, synchronous=FULL (özel istasyon: başka istasyon açmaz)"));
}

struct StationToolCase {
    const char* name;
    QStringList initOptions;
    const char* modeLine;
};

void PrintTo(const StationToolCase& c, std::ostream* os) { *os << c.name; }

class StationToolJournal : public ::testing::TestWithParam<StationToolCase> {};

TEST_P(StationToolJournal, InitMakesTheModeAndInfoShowsIt)
{
    QTemporaryDir home;
    QProcess tool;
    tool.start(BRIVEX_STATION_TOOL, QStringList{"init", "--home", home.path()} + GetParam().initOptions);
    ASSERT_TRUE(tool.waitForFinished(30000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().constData();
    tool.start(BRIVEX_STATION_TOOL, {"info", "--home", home.path()});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(tool.readAllStandardOutput()).split('\n');
    EXPECT_TRUE(lines.contains(QString::fromUtf8(GetParam().modeLine))) << lines.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, StationToolJournal,
    ::testing::Values(
        StationToolCase{"Shared", {}, "Günlük kipi       : DELETE, synchronous=FULL (başka istasyonlar ağdan açabilir)"},
        StationToolCase{"Private",
                        {"--private"},
                        "Günlük kipi       : WAL, synchronous=FULL (özel istasyon: başka istasyon açmaz)"}),
    [](const ::testing::TestParamInfo<StationToolCase>& info) { return std::string(info.param.name); });
