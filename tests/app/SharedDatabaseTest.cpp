// Stations sharing one database file: several processes of the load helper
// (tools/share-load) work on the station's file at the same moment. Every
// counter value, person and bout copy goes through: no error, no key given
// twice, nothing lost.
#include "app/kit/DbConventions.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSet>

#include <memory>
#include <vector>

namespace SharedDatabaseTestLocal {

class SharedDatabaseTest : public StationTest {
protected:
    struct Outcome {
        QStringList lines;      // stdout of every process
        QStringList failures;   // stderr lines and bad exit codes
    };

    // Starts one helper per argument list, all at once, and waits for all.
    Outcome runTogether(const QList<QStringList>& argumentLists)
    {
        const QString helper = QCoreApplication::applicationDirPath() + "/../tools/brivex-share-load";
        std::vector<std::unique_ptr<QProcess>> processes;
        for (const QStringList& args : argumentLists) {
            auto p = std::make_unique<QProcess>();
            p->start(helper, args);
            processes.push_back(std::move(p));
        }
        Outcome o;
        for (auto& p : processes) {
            if (!p->waitForFinished(110000) || p->exitStatus() != QProcess::NormalExit || p->exitCode() != 0)
                o.failures << QString("%1 ended with %2").arg(p->arguments().join(' ')).arg(p->exitCode());
            o.lines += QString::fromUtf8(p->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
            o.failures += QString::fromUtf8(p->readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        }
        return o;
    }
    int count(const QString& sql) { return db.scalar(sql).toInt(); }
};

TEST_F(SharedDatabaseTest, FourStationsTakeThousandsOfCounterValuesWithoutErrorOrDuplicate)
{
    const int base = Counters::current(db, "sayi1");
    const int perStation = 500;
    QList<QStringList> runs;
    for (int i = 0; i < 4; ++i)
        runs << QStringList{"counters", db.hostPath(), QString::number(perStation)};
    const Outcome o = runTogether(runs);
    EXPECT_TRUE(o.failures.isEmpty()) << o.failures.join('\n').toStdString();
    QSet<int> values;
    for (const QString& line : o.lines)
        values.insert(line.toInt());
    EXPECT_EQ(o.lines.size(), 4 * perStation);
    EXPECT_EQ(values.size(), 4 * perStation) << "no value was given twice";
    EXPECT_EQ(*std::min_element(values.begin(), values.end()), base + 1);
    EXPECT_EQ(*std::max_element(values.begin(), values.end()), base + 4 * perStation);
    EXPECT_EQ(Counters::current(db, "sayi1"), base + 4 * perStation);
}

TEST_F(SharedDatabaseTest, FourStationsSaveHundredsOfPersonsWithoutErrorOrDuplicate)
{
    const int before = count("select count(*) from C_MUSTERI");
    const int perStation = 100;
    QList<QStringList> runs;
    for (int i = 0; i < 4; ++i)
        runs << QStringList{"persons", db.hostPath(), QString::number(perStation)};
    const Outcome o = runTogether(runs);
    EXPECT_TRUE(o.failures.isEmpty()) << o.failures.join('\n').toStdString();
    EXPECT_EQ(QSet<QString>(o.lines.begin(), o.lines.end()).size(), 4 * perStation);
    EXPECT_EQ(count("select count(*) from C_MUSTERI"), before + 4 * perStation);
    EXPECT_EQ(count("select count(distinct Musteri_Key) from C_MUSTERI"), before + 4 * perStation);
    EXPECT_EQ(count("select count(distinct Vergi_Numarasi) from C_MUSTERI"), before + 4 * perStation)
        << "every register number once";
}

TEST_F(SharedDatabaseTest, FourRingsCopyHundredsOfDecidedBoutsIntoOneMainDatabase)
{
    const int perRing = 60;
    {
        Transaction tx(db);
        for (int key = 1; key <= 4 * perRing; ++key)
            db.insert("C_KURA", {{"Kura_Key", key}, {"Brans", "57 KG"}, {"Tur", "1. TUR"}, {"Ad1", "MAVİ"},
                                 {"Ad2", "KIRMIZI"}});
        tx.commit();
    }
    QList<QStringList> runs;
    for (int i = 0; i < 4; ++i)
        runs << QStringList{"copies", db.hostPath(), QString::number(1 + i * perRing), QString::number(perRing)};
    const Outcome o = runTogether(runs);
    EXPECT_TRUE(o.failures.isEmpty()) << o.failures.join('\n').toStdString();
    EXPECT_EQ(o.lines.size(), 4 * perRing);
    EXPECT_EQ(count("select count(*) from C_KURA where Galip = 'MAVİ' and Skor = cast(Kura_Key as text)"),
              4 * perRing);
}

} // namespace SharedDatabaseTestLocal
