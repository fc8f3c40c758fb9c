// A scorer killed with SIGKILL at random moments while it applies scoring
// events: after every kill the database opens, its integrity check is "ok",
// every event the scorer had acknowledged is stored, and no event is stored
// in part (a Minus is a penalty count and all three judges' cards). Run on a
// shared station's database (DELETE journal) and on a private one's (WAL).
//
// The scorer is tests/helpers/ScoringEventWriter.cpp; its events cycle
// through sixteen Minus penalties, so the bout row after c events is known.
#include "LiveFixture.h"

#include "platform/db/JournalMode.h"

#include <QHash>
#include <QProcess>
#include <QThread>

#include <random>

namespace ScoringKillTestLocal {

// The Minus counts of both sides after `events` events of the cycle.
struct MinusCounts {
    int blue = 0;
    int red = 0;
};

MinusCounts minusCountsAfter(qint64 events)
{
    const int q = int(events % 16);
    if (q <= 4)
        return {q, 0};
    if (q <= 8)
        return {4, q - 4};
    if (q <= 12)
        return {4 - (q - 8), 4};
    return {0, 4 - (q - 12)};
}

// The columns the scorer acknowledges, in its order.
const QStringList kKillColumns{"C1M", "C1K", "H1M", "H2M", "H3M", "H1K", "H2K", "H3K", "Puan1", "Puan2", "R1"};

// Whether a stored row is the whole state after `events` events: the
// counts, every judge's card and the round record. `known` holds the rows the
// scorer acknowledged, by step of the cycle, for the totals.
bool killRowIsStateAfter(const QStringList& row, qint64 events, int minusPoints,
                         const QHash<int, QStringList>& known)
{
    const MinusCounts c = minusCountsAfter(events);
    const QString b = QString::number(-minusPoints * c.blue);
    const QString r = QString::number(-minusPoints * c.red);
    const QStringList want{QString::number(c.blue), QString::number(c.red), b, b, b, r, r, r};
    if (row.mid(0, 8) != want)
        return false;
    const QString record = QStringList{b, r, b, r, b, r, QString::number(c.blue), "0", "0",
                                       QString::number(c.red), "0", "0"}
                               .join(';');
    if (row.value(10) != record)
        return false;
    const auto seen = known.constFind(int(events % 16));
    return seen == known.constEnd() || *seen == row;
}

struct KillCase {
    const char* name;
    bool privateStation;
    int kills;
};

void PrintTo(const KillCase& c, std::ostream* os) { *os << c.name; }

} // namespace ScoringKillTestLocal

using namespace ScoringKillTestLocal;

class ScoringKillTest : public StationTest, public ::testing::WithParamInterface<KillCase> {};

TEST_P(ScoringKillTest, EveryAcknowledgedEventIsStoredWholeAfterAKill)
{
    insertBout(db, 1, {"AHMET", 11, "ANKARA", "ANKARA SPOR"}, {"BEKİR", 12, "İZMİR", "İZMİR SPOR"});
    if (GetParam().privateStation)
        JournalMode::makePrivate(db);
    const QString file = db.hostPath();
    EXPECT_EQ(JournalMode::current(db), GetParam().privateStation ? "WAL" : "DELETE");
    db.close();

    std::mt19937 chance(18);
    qint64 stored = 0;              // events in the database
    int minusPoints = 0;
    int inFlightStored = 0;         // kills after which the unacknowledged event was stored
    QHash<int, QStringList> known;
    for (int kill = 0; kill < GetParam().kills; ++kill) {
        QProcess scorer;
        scorer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        scorer.start(BRIVEX_EVENT_WRITER, {dir.path(), file, QString::number(stored)});
        ASSERT_TRUE(scorer.waitForStarted()) << "kill " << kill;

        // Let it start and acknowledge a few events, then kill it at some
        // moment of the next ones.
        const int acksBeforeKill = std::uniform_int_distribution<int>(0, 4)(chance);
        QByteArray out;
        auto lines = [&] { return out.count('\n'); };
        while (lines() < 1 + acksBeforeKill) {
            ASSERT_TRUE(scorer.waitForReadyRead(30000)) << "kill " << kill << ": the scorer stopped: " << out.constData();
            out += scorer.readAllStandardOutput();
        }
        QThread::usleep(std::uniform_int_distribution<unsigned>(0, 4000)(chance));
        scorer.kill();
        ASSERT_TRUE(scorer.waitForFinished(30000));
        out += scorer.readAllStandardOutput();

        qint64 acknowledged = stored;   // events stored and acknowledged
        // Each line is written whole; what follows the last line end is none.
        for (const QByteArray& line : out.left(out.lastIndexOf('\n')).split('\n')) {
            if (line.startsWith("ready "))
                minusPoints = line.mid(6).toInt();
            if (!line.startsWith("ack "))
                continue;
            const QStringList fields = QString::fromUtf8(line.mid(4)).split('|');
            ASSERT_EQ(fields.size(), 1 + kKillColumns.size()) << line.constData();
            const qint64 n = fields[0].toLongLong();
            acknowledged = std::max(acknowledged, n + 1);
            known.insert(int((n + 1) % 16), fields.mid(1));
        }
        ASSERT_GT(minusPoints, 0);

        Database check;
        ASSERT_NO_THROW(check.open(file)) << "kill " << kill;
        EXPECT_EQ(check.scalar("PRAGMA integrity_check").toString(), "ok") << "kill " << kill;
        const auto row = check.first("select " + kKillColumns.join(", ") + " from C_KURA where Kura_Key = 1");
        ASSERT_TRUE(row.has_value());
        QStringList values;
        for (const QVariant& v : row->values())
            values << v.toString();
        check.close();

        if (killRowIsStateAfter(values, acknowledged, minusPoints, known)) {
            stored = acknowledged;
        } else if (killRowIsStateAfter(values, acknowledged + 1, minusPoints, known)) {
            stored = acknowledged + 1;
            ++inFlightStored;
        } else {
            FAIL() << "kill " << kill << ": after " << acknowledged << " acknowledged events the bout row is "
                   << values.join('|').toStdString();
        }
    }
    // The kills fell between events and within them.
    EXPECT_GT(stored, GetParam().kills);
    RecordProperty("events", int(stored));
    RecordProperty("unacknowledged_events_stored", inFlightStored);
}

INSTANTIATE_TEST_SUITE_P(JournalModes, ScoringKillTest,
                         ::testing::Values(KillCase{"SharedStation", false, 100}, KillCase{"PrivateStation", true, 100}),
                         [](const ::testing::TestParamInfo<KillCase>& info) { return std::string(info.param.name); });
