// A main computer and a ring computer, each a station of its own (a data root
// with its settings, as two BRIVEX_HOME folders), made with the station tool:
// the ring reaches the main computer's folder as the network drive M:.
//
// - A ring made on the main computer's database ("use-database") decides a
//   bout there: both stations see the decision.
// - A ring scoring on a database of its own copies its decisions into the
//   main database; a ring killed after its decision was stored and before
//   the copy has the bout copied with its next decision.
#include "LiveFixture.h"

#include "app/kit/DbConventions.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kMainOnM = QStringLiteral("M:\\QVX_PROG\\Fdr.mdb");

class RingStationsTest : public LiveTest {
protected:
    void SetUp() override
    {
        LiveTest::SetUp();
        ASSERT_TRUE(ringHome.isValid());
        // The main computer's draw: two semi-finals, the third-place row and
        // the final.
        addBout(1, {"AHMET", 11}, {"BEKİR", 12}, "YARI FİNAL", "1");
        addBout(2, {"CEM", 13}, {"DAVUT", 14}, "YARI FİNAL", "2");
        addBout(3, {"-", {}}, {"-", {}}, "3.'LÜK MAÇI", "1");
        addBout(4, {"YARI FİNAL 1.MAÇ", {}, "", ""}, {"YARI FİNAL 2.MAÇ", {}, "", ""}, "FİNAL", "1");
    }

    void TearDown() override
    {
        if (Skor && Skor->isVisible())
            Skor->closeUnasked();
        live.reset();
        ringMatch.reset();
        ring.close();
        beMain();
        LiveTest::TearDown();
    }

    // Runs the station tool for the ring station; returns its output.
    QString ringTool(const QStringList& args)
    {
        QProcess tool;
        tool.start(BRIVEX_STATION_TOOL, args + QStringList{"--home", ringHome.path()});
        EXPECT_TRUE(tool.waitForFinished(60000));
        EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().constData();
        return QString::fromUtf8(tool.readAllStandardOutput());
    }

    // Drive M: of the ring is the main computer's "C:\CO\" folder.
    void mapMainAsM() { ringTool({"map-drive", "M", DriveMap::driveFolder('C') + "/CO", "--remote"}); }

    // This process acts as the ring station, then as the main one again.
    void beRing()
    {
        DriveMap::setDataRoot(ringHome.path());
        Registry::reload();
    }
    void beMain()
    {
        DriveMap::setDataRoot(dir.path());
        Registry::reload();
    }

    // Live scoring of the ring station on its database (the one its "DBQ"
    // names), as its match screen activates it.
    void startRingScoring()
    {
        beRing();
        ring.open(RegistryValues::dbq());
        ringMatch = std::make_unique<FakeMatchScreen>(ring);
        live.reset();
        live = std::make_unique<LiveScoring>(ring, *state, *ringMatch, time);
        live->activate();
    }

    // The ring's operator opens a bout and decides it (side 0 blue, 1 red).
    void ringDecides(int key, int side, const QString& decision)
    {
        ringMatch->current = key;
        answerSettings();
        live->MsabakayEkranaYkle1Click();
        ASSERT_TRUE(live->boutOpen());
        decide(side, decision);
        Skor->closeUnasked();
    }

    static QByteArray fileHash(const QString& hostPath)
    {
        QFile f(hostPath);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }

    Record row(Database& on, int key)
    {
        const auto r = on.first("select * from C_KURA where Kura_Key = :k", {{"k", key}});
        EXPECT_TRUE(r.has_value()) << "no bout " << key;
        return r.value_or(Record());
    }

    QTemporaryDir ringHome;
    Database ring;
    std::unique_ptr<FakeMatchScreen> ringMatch;
};

TEST_F(RingStationsTest, ARingMadeOnTheMainDatabaseDecidesABoutBothStationsSee)
{
    const QByteArray mainBefore = fileHash(db.hostPath());
    mapMainAsM();
    const QString made = ringTool({"use-database", kMainOnM});
    EXPECT_EQ(fileHash(db.hostPath()), mainBefore) << "the step changes nothing in the main database";
    EXPECT_TRUE(made.contains("DBQ               : " + kMainOnM)) << made.toStdString();
    EXPECT_TRUE(made.contains("M: sürücüsü       : " + DriveMap::driveFolder('C') + "/CO (ağ)")) << made.toStdString();

    startRingScoring();
    EXPECT_EQ(ring.hostPath(), db.hostPath()) << "the ring works on the main computer's file";
    EXPECT_EQ(live->FProgramFolder, "M:\\QVX_PROG\\");
    ringDecides(1, 0, "KO");
    // The ring sees its decision and the winner in the final.
    EXPECT_EQ(row(ring, 1).str("Galip"), "11");
    EXPECT_EQ(row(ring, 4).str("Ad1"), "AHMET");
    EXPECT_TRUE(MainDatabaseCopy::pendingKeys(ring).isEmpty()) << "a ring on the main database makes no copy";
    EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();

    // The main station sees it on its own connection.
    beMain();
    const Record semi = row(db, 1);
    EXPECT_EQ(semi.str("Galip"), "11");
    EXPECT_EQ(semi.str("Karar"), "KO");
    EXPECT_EQ(semi.str("Salon"), "AHMET");
    const Record final = row(db, 4);
    EXPECT_EQ(final.str("Ad1"), "AHMET");
    EXPECT_EQ(final.toInt("Sira1"), 11);
}

TEST_F(RingStationsTest, ADecisionWhoseCopyWasCutOffIsCopiedAtTheNextCopy)
{
    // The ring station: a database of its own with the same draw, and the
    // main computer's folder as drive M:.
    ringTool({"init"});
    mapMainAsM();
    beRing();
    {
        Database own;
        own.open(RegistryValues::dbq());
        for (const Record& r : db.select("select * from C_KURA order by Kura_Key"))
            own.insert("C_KURA", r.toMap());
    }
    beMain();

    // The ring decides bout 1 and is killed once the decision is stored,
    // before the copy.
    QProcess scorer;
    scorer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    scorer.start(BRIVEX_RING_DECISION_WRITER, {ringHome.path(), "1"});
    ASSERT_TRUE(scorer.waitForFinished(60000));
    const QByteArray said = scorer.readAllStandardOutput();
    ASSERT_EQ(said, "open\ndeciding\n");
    ASSERT_EQ(scorer.exitStatus(), QProcess::CrashExit) << "exit code " << scorer.exitCode();

    startRingScoring();
    EXPECT_EQ(live->FProgramFolder, "C:\\CO\\QVX_PROG\\");
    EXPECT_EQ(row(ring, 1).str("Galip"), "11") << "the ring stored the decision";
    EXPECT_EQ(row(ring, 1).str("Karar"), "KO");
    EXPECT_EQ(MainDatabaseCopy::pendingKeys(ring), (QStringList{"1", "4"}))
        << "the decided bout and the final wait for the main database";
    EXPECT_EQ(row(db, 1).str("Galip"), "") << "the copy was cut off";

    // The next decision copies both.
    ringDecides(2, 1, "Points");
    EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();
    EXPECT_TRUE(MainDatabaseCopy::pendingKeys(ring).isEmpty());
    const Record first = row(db, 1);
    EXPECT_EQ(first.str("Galip"), "11");
    EXPECT_EQ(first.str("Karar"), "KO");
    EXPECT_EQ(row(db, 2).str("Galip"), "14");
    const Record final = row(db, 4);
    EXPECT_EQ(final.str("Ad1"), "AHMET");
    EXPECT_EQ(final.str("Ad2"), "DAVUT");
}

} // namespace
