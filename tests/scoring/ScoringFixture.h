#pragma once
// A station with weigh-in rows and the match screen's draw state, for the
// draw, advancement and slot table tests.

#include "app/kit/DbConventions.h"
#include "competition/MatchState.h"
#include "support/TestSupport.h"

#include <QDate>

#include <map>
#include <ostream>
#include <memory>

inline const QString kBranch = QStringLiteral("60 KİLO ERKEK BÜYÜKLER");
inline const QString kMen = QStringLiteral("ERKEK");
inline const QDate kDrawDay(2024, 5, 18);

class ScoringTest : public StationTest {
protected:
    void SetUp() override
    {
        StationTest::SetUp();
        state = std::make_unique<MatchState>();
        // The scoring station as the main window configures it at start-up.
        state->FScoringStation = 1;
        state->FRestrictedUser = 0;
    }

    // A weigh-in row with its own key and back number, as the weigh-in
    // screen writes it. Returns the back number.
    int addEntrant(const QString& name, const QVariant& region, const QString& branch = kBranch,
                   const QString& gender = kMen, int approved = 1, const QString& club = "KULÜP")
    {
        const int key = Counters::next(db, "sayi1");
        const int number = Counters::next(db, "sayi3");
        db.insert("C_LISTE", {{"Liste_Key", key},
                              {"Brans", branch},
                              {"Onay", approved},
                              {"Ad", name},
                              {"Sira", number},
                              {"Musteri_Key", 100 + key},
                              {"Bolge", region},
                              {"Klup", club},
                              {"Cinsiyet", gender},
                              {"Puan", approved}});
        return number;
    }

    // `count` athletes; athlete i belongs to region regionOf(i).
    QList<int> addEntrants(int count, const std::function<QString(int)>& regionOf, const QString& branch = kBranch,
                           const QString& gender = kMen)
    {
        QList<int> numbers;
        Transaction tx(db);
        for (int i = 0; i < count; ++i)
            numbers << addEntrant(QString("SPORCU %1").arg(i + 1), regionOf(i), branch, gender);
        tx.commit();
        return numbers;
    }

    Records bouts(const QString& branch = kBranch, const QString& gender = kMen)
    {
        return db.select("select * from C_KURA where Brans = :b and Cinsiyet = :g order by Kura_Key",
                         {{"b", branch}, {"g", gender}});
    }

    Record bout(int key)
    {
        const auto r = db.first("select * from C_KURA where Kura_Key = :k", {{"k", key}});
        EXPECT_TRUE(r.has_value()) << "no bout " << key;
        return r.value_or(Record());
    }

    // Number of bouts per round name.
    static std::map<QString, int> perRound(const Records& rows)
    {
        std::map<QString, int> m;
        for (const Record& r : rows)
            ++m[r.str("Tur")];
        return m;
    }

    std::unique_ptr<MatchState> state;
};
