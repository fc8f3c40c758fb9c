#include "scoring/KuraDraw.h"
#include "app/kit/WeightCategories.h"

#include "app/kit/DbConventions.h"
#include "competition/MatchState.h"
#include "platform/text/Turkish.h"
#include "platform/ui/Messages.h"
#include "scoring/Advancement.h"
#include "scoring/RandomSource.h"
#include "scoring/SlotTable.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxEntrants = 5000;
const QString kAd = QStringLiteral("AD");

const QString kApprovedCount =
    QStringLiteral("select count(*) as Cn from C_LISTE where Onay = 1 and Brans = :b and Cinsiyet = :g");
const QString kApproved =
    QStringLiteral("select * from C_LISTE where Onay = 1 and Brans = :b and Cinsiyet = :g order by Liste_Key");

// Rounds to the nearest integer, halves to the even one.
int roundHalfEven(double x)
{
    const double f = std::floor(x);
    const double d = x - f;
    if (d > 0.5)
        return int(f) + 1;
    if (d < 0.5)
        return int(f);
    return (std::fmod(f, 2.0) == 0.0) ? int(f) : int(f) + 1;
}

bool hasRegion(const QString& region)
{
    return !region.trimmed().isEmpty();
}

// One weigh-in row as the draw uses it.
struct Entrant {
    QString name;
    QString region;
    QString club;
    int number = 0;     // back number
};

// One side of a bout being written.
struct Side {
    QString name;
    QString region;
    QString club;
    bool seated = false;    // seated by the draw (Tip "AD")
    QVariant number;        // back number; none for a waiting side
};

struct Bout {
    int key = 0;
    QString group;
    QString round;
    QString order;          // number within the round
    Side side[2];
    QString winnerNo;
    QString winnerName;
};

QString roundName(int c, int rounds)
{
    if (c == rounds)
        return Rounds::Final;
    if (c == rounds - 1)
        return Rounds::SemiFinal;
    if (c == rounds - 2)
        return Rounds::QuarterFinal;
    return QString::number(c) + ". TUR";
}

QVariantMap rowOf(const Bout& b, const QString& branch, const QString& gender, const QDate& date)
{
    QVariantMap m{{"Kura_Key", b.key}, {"Brans", branch}, {"Cinsiyet", gender}, {"Tarih", date},
                  {"Grup", b.group},   {"Tur", b.round},    {"Sira", b.order},      {"Galip", b.winnerNo},
                  {"Salon", b.winnerName}};
    for (int i = 0; i < 2; ++i) {
        const QString n = QString::number(i + 1);
        const Side& sd = b.side[i];
        m.insert("Ad" + n, sd.name);
        m.insert("Bolge" + n, sd.region);
        m.insert("Klup" + n, sd.club);
        m.insert("Tip" + n, sd.seated ? QVariant(kAd) : QVariant());
        m.insert("Sira" + n, sd.number);
    }
    return m;
}

Records recordsOf(const QList<Bout>& bouts)
{
    Records rows;
    rows.reserve(bouts.size());
    for (const Bout& b : bouts) {
        const QVariantMap m = rowOf(b, QString(), QString(), QDate());
        rows.append(Record(m.keys(), m.values()));
    }
    return rows;
}

// One run of the draw over one category.
class DrawRun {
public:
    DrawRun(Database& db, MatchState& state, RandomSource& random, const QString& branch, const QString& gender,
            const QDate& today)
        : m_db(db), s(state), m_random(random), m_branch(branch), m_gender(gender), m_today(today)
    {
    }

    void addByes(int count);
    void readEntrants();
    void shuffle();
    void separateRegions();
    void removeByes();
    void makeBouts();
    void reseatInChartOrder();
    bool exchangeSameRegionClash();
    int exchangeAvoidableRegionClashes();
    void writeBouts(const std::function<void(int)>& progress);
    void advanceByes();

    // Errors met on the way, shown once the draw is stored (no message box
    // waits for the operator while the database is held).
    QStringList m_errors;

private:
    QVariantMap category() const { return {{"b", m_branch}, {"g", m_gender}}; }
    Side seatSlot(int slot);
    int nextFree(int position) const;
    void placeGroup(const QList<int>& members, int k, bool finalPass, int& remaining);
    void partByes();

    Database& m_db;
    MatchState& s;
    RandomSource& m_random;
    QString m_branch;
    QString m_gender;
    QDate m_today;

    QList<int> m_byeKeys;           // Liste_Key of the byes' weigh-in rows
    QList<Entrant> m_entrants;      // entrant k is m_entrants[k - 1]
    int n = 0;
    QList<Bout> m_bouts;
    int m_nextSlot = 1;
};

void DrawRun::addByes(int count)
{
    if (count <= 0)
        return;
    // The keys and back numbers of all the byes at once: the same values as
    // one at a time, in one step of each counter.
    const int firstKey = Counters::next(m_db, "sayi1", count);
    const int firstNumber = Counters::next(m_db, "sayi3", count);
    for (int i = 0; i < count; ++i) {
        const int key = firstKey + i;
        const int number = firstNumber + i;
        m_db.insert("C_LISTE", {{"Liste_Key", key},
                                {"Brans", m_branch},
                                {"Onay", 1},
                                {"Ad", Bye::Name},
                                {"Sira", number},
                                {"Musteri_Key", 1},
                                {"Bolge", Bye::Region},
                                {"Klup", QString()},
                                {"Cinsiyet", m_gender},
                                {"Kilo", 1.0},
                                {"TartilanKilo", 1.0},
                                {"Tarih", m_today},
                                {"Puan", 1},
                                {"Takim", "-"}});
        m_byeKeys << key;
    }
}

void DrawRun::readEntrants()
{
    const Records rows = m_db.select(kApproved, category());
    m_entrants.clear();
    for (const Record& r : rows)
        m_entrants.append({r.str("Ad"), r.str("Bolge"), r.str("Klup"), r.toInt("Sira")});
    n = int(m_entrants.size());
    int rounds = 0;
    while ((2 << rounds) <= n)
        ++rounds;
    s.FRoundTotal = rounds;
    s.FPreliminaryCount = n - (1 << rounds);
}

void DrawRun::shuffle()
{
    CellSection cells = s.shuffle();
    cells.clear();
    for (int l = 1; l <= n; ++l)
        cells.set(l, l);
    m_random.randomize();
    for (int j = n; j >= 1; --j) {
        const int t = cells.integer(j);
        const int times = roundHalfEven((roundHalfEven(100.0 * m_random.real()) + m_random.milliseconds()) / 10.0);
        int partner = 1;
        for (int i = 0; i < std::max(times, 1); ++i)
            partner = m_random.integer(1, j);
        cells.set(j, cells.integer(partner));
        cells.set(partner, t);
    }
    // Slot l holds the entrant the shuffle put there.
    for (CellSection section : {s.slotNames(), s.slotRegions(), s.slotClubs(), s.slotNumbers()})
        section.clear();
    for (int l = 1; l <= n; ++l) {
        const Entrant& e = m_entrants[cells.integer(l) - 1];
        s.slotNames().set(l, e.name);
        s.slotRegions().set(l, e.region);
        s.slotClubs().set(l, e.club);
        s.slotNumbers().set(l, e.number);
    }
}

int DrawRun::nextFree(int position) const
{
    CellSection map = s.separationMap();
    for (int i = 1; i <= n; ++i) {
        const int q = (position + i - 1) % n + 1;
        if (map.integer(q) == 0)
            return q;
    }
    return position;
}

// Places the entrants seated in the given slots, in slot order, at every F-th and
// G-th free position in turn.
void DrawRun::placeGroup(const QList<int>& members, int k, bool finalPass, int& remaining)
{
    CellSection map = s.separationMap();
    k = std::max(k, 1);
    const double a = (double(remaining) / k) * 1.00000001;
    const int rounded = roundHalfEven(a);
    int f = rounded == 1 ? 2 : rounded;
    int g = f;
    if (rounded >= 2) {
        const double frac = a - std::floor(a);
        if (frac >= 0.3 && frac <= 0.5)
            g = f + 1;
        else if (frac > 0.5 && frac <= 0.7)
            g = f - 1;
    } else {
        g = f - 1;
    }
    int e = 0;
    if (n > 4) {
        int freeLower = 0;
        int freeUpper = 0;
        for (int q = 1; q <= n; ++q) {
            if (map.integer(q) == 0)
                (q <= n / 2 ? freeLower : freeUpper)++;
        }
        e = freeUpper > freeLower ? n / 2 : 0;
        if (!finalPass) {
            if (k == 2) {
                const int first = m_random.integer(1, f);
                g = f + g - first;
                f = first;
            }
            if ((k == 6 || k == 4) && g > 1 && g == f)
                g = g - 1;
        }
    }
    // Strides below one would stand still; the rules above never give one.
    f = std::max(f, 1);
    g = std::max(g, 1);
    bool useG = false;
    for (int slot : members) {
        const int stride = useG ? g : f;
        for (int step = 0; step < stride; ++step)
            e = nextFree(e);
        map.set(e, s.shuffle().integer(slot));
        --remaining;
        useG = !useG;
    }
}

// Byes that face each other are parted: the second of each such pair moves
// to the first position of a pair that is still wholly free.
void DrawRun::partByes()
{
    CellSection map = s.separationMap();
    auto isBye = [&](int q) {
        const int k = map.integer(q);
        return k != 0 && m_entrants[k - 1].region == Bye::Region;
    };
    QList<int> parted;
    for (int q = 1; q + 1 <= n; q += 2) {
        if (isBye(q) && isBye(q + 1)) {
            parted << map.integer(q + 1);
            map.set(q + 1, 0);
        }
    }
    for (int q = 1; q + 1 <= n && !parted.isEmpty(); q += 2) {
        if (map.integer(q) == 0 && map.integer(q + 1) == 0)
            map.set(q, parted.takeFirst());
    }
}

void DrawRun::separateRegions()
{
    CellSection map = s.separationMap();
    map.clear();
    for (int q = 1; q <= n; ++q)
        map.set(q, 0);

    // Entrants per region. Entrants without a region belong to no region:
    // each is placed like the only entrant of a region of its own.
    QHash<QString, int> counts;
    for (int l = 1; l <= n; ++l) {
        const QString region = s.slotRegions().text(l);
        if (hasRegion(region))
            ++counts[region];
    }
    QStringList multi;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        if (it.value() > 1 && it.key() != Bye::Region)
            multi << it.key();
    // Largest regions first.
    std::sort(multi.begin(), multi.end(), [&](const QString& x, const QString& y) {
        if (counts[x] != counts[y])
            return counts[x] > counts[y];
        return Turkish::compare(x, y) > 0;
    });
    CellSection regions = s.multiRegions();
    regions.clear();
    for (int i = 0; i < int(multi.size()) && i < regions.count(); ++i)
        regions.set(i + 1, multi[i]);

    auto slotsOf = [&](const std::function<bool(const QString&)>& inGroup) {
        QList<int> members;
        for (int l = 1; l <= n; ++l)
            if (inGroup(s.slotRegions().text(l)))
                members << l;
        return members;
    };
    auto single = [&](const QString& region) { return !hasRegion(region) || counts.value(region) == 1; };

    int remaining = n;
    const int byes = counts.value(Bye::Region);
    if (byes >= 2) {
        placeGroup(slotsOf([](const QString& r) { return r == Bye::Region; }), byes, false, remaining);
        partByes();
    }
    for (const QString& region : multi)
        placeGroup(slotsOf([&](const QString& r) { return r == region; }), counts.value(region), false, remaining);
    const QList<int> singles = slotsOf(single);
    placeGroup(singles, int(singles.size()), true, remaining);

    // Nobody is left out of the bracket: an entrant no pass placed (there
    // is none by the rules above) takes the first free position.
    QSet<int> placed;
    for (int q = 1; q <= n; ++q)
        placed.insert(map.integer(q));
    for (int l = 1; l <= n; ++l) {
        const int entrant = s.shuffle().integer(l);
        if (!placed.contains(entrant))
            map.set(nextFree(0), entrant);
    }

    // Every entrant has a position; slot q becomes the entrant at position q.
    for (CellSection section : {s.positionNames(), s.positionRegions(), s.positionClubs(), s.positionNumbers()})
        section.clear();
    for (int q = 1; q <= n; ++q) {
        const Entrant& e = m_entrants[map.integer(q) - 1];
        s.positionNames().set(q, e.name);
        s.positionRegions().set(q, e.region);
        s.positionClubs().set(q, e.club);
        s.positionNumbers().set(q, e.number);
    }
    for (int q = 1; q <= n; ++q) {
        s.slotNames().set(q, s.positionNames().text(q));
        s.slotRegions().set(q, s.positionRegions().text(q));
        s.slotClubs().set(q, s.positionClubs().text(q));
        s.slotNumbers().set(q, s.positionNumbers().integer(q));
    }
    if (n == 3) {
        const QString name = s.slotNames().text(2), region = s.slotRegions().text(2), club = s.slotClubs().text(2);
        const int number = s.slotNumbers().integer(2);
        s.slotNames().set(2, s.slotNames().text(3));
        s.slotRegions().set(2, s.slotRegions().text(3));
        s.slotClubs().set(2, s.slotClubs().text(3));
        s.slotNumbers().set(2, s.slotNumbers().integer(3));
        s.slotNames().set(3, name);
        s.slotRegions().set(3, region);
        s.slotClubs().set(3, club);
        s.slotNumbers().set(3, number);
    }
}

// Removes the byes' weigh-in rows again: only the rows this draw made.
void DrawRun::removeByes()
{
    for (int key : m_byeKeys)
        m_db.exec("delete * from C_LISTE where Liste_Key = :k", {{"k", key}});
}

Side DrawRun::seatSlot(int slot)
{
    Side sd;
    if (slot > n)
        return sd;
    sd.name = s.slotNames().text(slot);
    sd.region = s.slotRegions().text(slot);
    sd.club = s.slotClubs().text(slot);
    sd.number = s.slotNumbers().integer(slot);
    sd.seated = true;
    return sd;
}

void DrawRun::makeBouts()
{
    const int rounds = s.FRoundTotal;
    const int prelims = s.FPreliminaryCount;
    m_bouts.clear();
    m_nextSlot = 1;
    auto take = [&] { return seatSlot(m_nextSlot++); };
    auto waiting = [](const QString& label) {
        Side sd;
        sd.name = label;
        return sd;
    };

    if (n == 1) {
        Bout b;
        b.group = "A";
        b.side[0] = take();
        b.side[1].name = "-";
        b.round = Rounds::Final;
        b.order = "1";
        m_bouts << b;
    } else {
        for (int c = 1; c <= prelims; ++c) {
            Bout b;
            b.group = c > prelims / 2 ? "B" : "A";
            b.side[0] = take();
            b.side[1] = take();
            b.round = Rounds::Preliminary;
            b.order = QString::number(c);
            m_bouts << b;
        }
        // Entrants the first main round takes per side and half.
        const int direct = n - 2 * prelims;
        const int half = 1 << (rounds - 1);
        const int extra = direct - half;
        int quota[2][2] = {{0, 0}, {0, 0}};     // [side][0 upper "A", 1 lower "B"]
        if (n == 3) {
            quota[0][0] = 1;
        } else if (n == 2) {
            quota[0][0] = 1;
            quota[1][0] = 1;
        } else if (extra < 0) {
            quota[0][0] = direct - direct / 2;
            quota[0][1] = direct / 2;
        } else {
            quota[0][0] = quota[0][1] = half / 2;
            quota[1][0] = extra - extra / 2;
            quota[1][1] = extra / 2;
        }
        int placeholder = 0;
        for (int c = 1; c <= rounds; ++c) {
            if (c == rounds && n > 3) {
                Bout third;
                third.group = "A";
                third.side[0].name = "-";
                third.side[1].name = "-";
                third.round = Rounds::ThirdPlace;
                third.order = "1";
                third.winnerNo = "-";
                third.winnerName = "-";
                m_bouts << third;
            }
            const int count = 1 << (rounds - c);
            for (int j = 1; j <= count; ++j) {
                Bout b;
                b.group = (c == rounds || j <= count / 2) ? "A" : "B";
                b.round = roundName(c, rounds);
                b.order = QString::number(j);
                const int h = b.group == "A" ? 0 : 1;
                for (int side = 0; side < 2; ++side) {
                    if (c == 1) {
                        if (quota[side][h] > 0) {
                            b.side[side] = take();
                            --quota[side][h];
                        } else {
                            b.side[side] = waiting(Rounds::Preliminary + " " + QString::number(++placeholder) + ".MAÇ");
                        }
                    } else {
                        const int feeder = 2 * j - 1 + side;
                        b.side[side] = waiting(roundName(c - 1, rounds) + " " + QString::number(feeder) + ".MAÇ");
                    }
                }
                m_bouts << b;
            }
        }
    }
    const int first = Counters::next(m_db, "sayi2", int(m_bouts.size()));
    for (int i = 0; i < int(m_bouts.size()); ++i)
        m_bouts[i].key = first + i;
}

// Seats slot l at the l-th position of the chart's first column, as the
// bracket chart lists them.
void DrawRun::reseatInChartOrder()
{
    s.FChartSilent = 1;
    s.FDrawBranch = m_branch;
    s.setDrawGender(m_gender);
    s.FChartBranch = m_branch;
    s.FChartGender = m_gender;
    SlotTable::build(s, recordsOf(m_bouts));
    s.FChartSilent = 0;

    CellSection order = s.FSlotOrder();
    int listed = 0;
    while (listed < order.count() && order.integer(listed + 1) != 0)
        ++listed;
    // A chart that does not list every entrant (too many slots for the
    // table) leaves the slots as they are rather than seat anyone twice.
    if (listed != n)
        return;

    QHash<int, QList<std::pair<int, int>>> holders;     // back number -> (bout, side)
    for (int i = 0; i < int(m_bouts.size()); ++i)
        for (int side = 0; side < 2; ++side)
            if (!m_bouts[i].side[side].number.isNull())
                holders[m_bouts[i].side[side].number.toInt()].append({i, side});

    for (int l = 1; l <= n; ++l) {
        const auto found = holders.value(order.integer(l));
        if (found.size() != 1)
            m_errors << QStringLiteral("HATA.. Aynı sırt numaralı 2 sporcu bulunmakta veya sporcu bulunmamaktadır");
        if (!found.isEmpty())
            m_bouts[found.first().first].side[found.first().second].name = SlotTable::Pending;
    }
    for (int l = 1; l <= n; ++l) {
        for (const auto& [i, side] : holders.value(order.integer(l))) {
            Side& sd = m_bouts[i].side[side];
            if (sd.name != SlotTable::Pending)
                continue;
            sd.name = s.slotNames().text(l);
            sd.region = s.slotRegions().text(l);
            sd.club = s.slotClubs().text(l);
            sd.number = s.slotNumbers().integer(l);
            break;
        }
    }
}

// Two athletes of one region drawn against each other in their first bout:
// the first such bout gives its blue athlete to the last bout that holds
// an athlete of a region with a single entrant, for that athlete.
bool DrawRun::exchangeSameRegionClash()
{
    auto seatedBout = [](const Bout& b) { return b.side[0].seated || b.side[1].seated; };
    auto clash = std::find_if(m_bouts.begin(), m_bouts.end(), [&](const Bout& b) {
        return seatedBout(b) && hasRegion(b.side[0].region) && b.side[0].region == b.side[1].region;
    });
    if (clash == m_bouts.end() || clash->side[0].number.toInt() <= 0)
        return false;

    QHash<QString, int> counts;
    for (const Entrant& e : std::as_const(m_entrants))
        if (hasRegion(e.region) && e.region != Bye::Region)
            ++counts[e.region];
    QSet<QString> singles;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        if (it.value() == 1)
            singles.insert(it.key());
    if (singles.isEmpty())
        return false;

    const QString region = clash->side[0].region;
    for (int i = int(m_bouts.size()) - 1; i >= 0; --i) {
        Bout& b = m_bouts[i];
        const QString r1 = b.side[0].region;
        const QString r2 = b.side[1].region;
        if (!seatedBout(b) || !hasRegion(r1) || !hasRegion(r2) || r1 == r2 || r1 == region || r2 == region)
            continue;
        if (!singles.contains(r1) && !singles.contains(r2))
            continue;
        Side& mine = singles.contains(r1) ? b.side[0] : b.side[1];
        Side& theirs = clash->side[0];
        std::swap(mine.name, theirs.name);
        std::swap(mine.region, theirs.region);
        std::swap(mine.club, theirs.club);
        std::swap(mine.number, theirs.number);
        return true;
    }
    return false;
}

// After the placement and the exchange above, a first-round bout may still
// pair two athletes of one region where another seating has no such bout
// (seven entrants, four of one region and three of another; twelve from three
// regions of four). The rule: while a first-round bout pairs one region and
// another first-round bout holds an athlete of a different region whose
// opponent is not of that region either (a bye is of no region), the two
// athletes change places. The clash is gone and no new one is made, so every
// exchange removes at least one clash and the passes end; when none is
// possible, no seating without a clash exists. Byes keep their places; the
// bouts are searched from the last, as above. Returns the exchanges made.
int DrawRun::exchangeAvoidableRegionClashes()
{
    auto firstRound = [](const Bout& b) { return b.side[0].seated && b.side[1].seated; };
    auto isBye = [](const Side& sd) { return sd.region == Bye::Region; };
    auto clashes = [&](const Bout& b) {
        return firstRound(b) && !isBye(b.side[0]) && hasRegion(b.side[0].region) &&
               b.side[0].region == b.side[1].region;
    };
    int exchanges = 0;
    bool found = true;
    while (found) {
        found = false;
        for (Bout& clash : m_bouts) {
            if (!clashes(clash))
                continue;
            const QString region = clash.side[0].region;
            for (int i = int(m_bouts.size()) - 1; i >= 0 && !found; --i) {
                Bout& other = m_bouts[i];
                if (&other == &clash || !firstRound(other))
                    continue;
                for (int side = 1; side >= 0 && !found; --side) {
                    const Side& incoming = other.side[side];
                    const Side& staying = other.side[1 - side];
                    if (isBye(incoming) || incoming.region == region || staying.region == region)
                        continue;
                    Side& outgoing = clash.side[1];
                    std::swap(outgoing.name, other.side[side].name);
                    std::swap(outgoing.region, other.side[side].region);
                    std::swap(outgoing.club, other.side[side].club);
                    std::swap(outgoing.number, other.side[side].number);
                    ++exchanges;
                    found = true;
                }
            }
            if (found)
                break;
        }
    }
    return exchanges;
}

void DrawRun::writeBouts(const std::function<void(int)>& progress)
{
    s.FSkipActivate = 1;
    int written = 0;
    for (const Bout& b : std::as_const(m_bouts)) {
        QVariantMap row = rowOf(b, m_branch, m_gender, m_today);
        s.DBSifirla1(row);
        m_db.insert("C_KURA", row);
        ++written;
        if (progress)
            progress(std::min(100, written * 100 / std::max(n, 1)));
    }
}

// A bye's opponent wins the bye bout and moves on at once.
void DrawRun::advanceByes()
{
    Advancement advancement(m_db, s);
    for (const Bout& b : std::as_const(m_bouts)) {
        int winner = -1;
        if (b.side[0].region == Bye::Region)
            winner = 1;
        else if (b.side[1].region == Bye::Region)
            winner = 0;
        if (winner < 0)
            continue;
        s.FWinnerNo = b.side[winner].number.toString();
        s.FWinnerName = b.side[winner].name;
        advancement.GalipIs(b.key);
    }
}

} // namespace

KuraDraw::KuraDraw(Database& db, MatchState& state, RandomSource& random)
    : today([] { return QDate::currentDate(); }), m_db(db), s(state), m_random(random)
{
}

int KuraDraw::byeCount(int entrants)
{
    if (entrants <= 4 || entrants > 1024)
        return 0;
    int size = 8;
    while (size < entrants)
        size *= 2;
    return size - entrants;
}

bool KuraDraw::ask(const QString& text) const
{
    return confirm && confirm(text);
}

bool KuraDraw::KuraCek(const QString& branch, const QString& gender)
{
    const QVariantMap cat{{"b", branch}, {"g", gender}};
    const int drawn =
        m_db.scalar("select count(*) as Cn from C_KURA where Brans = :b and Cinsiyet = :g", cat).toInt();
    if (drawn != 0) {
        Messages::error(branch +
                        " BRANŞINDA KURA ÇEKİMİ YAPILMIŞTIR. YENİDEN KURA ÇEKİMİ YAPMAK İÇİN ÖNCEKİ KURALARI "
                        "SİLMENİZ GEREKMEKTEDİR ...!");
        return false;
    }
    const int entrants = m_db.scalar(kApprovedCount, cat).toInt();
    if (entrants == 0 || entrants > kMaxEntrants) {
        Messages::error(branch + " Branşında Sporcu Sayısı Geçersiz. KURA ÇEKİLEMİYOR ...!");
        return false;
    }

    DrawRun run(m_db, s, m_random, branch, gender, today());
    bool exchanged = false;
    {
        Transaction tx(m_db);
        run.addByes(s.RegionSeparation ? byeCount(entrants) : 0);
        run.readEntrants();
        run.shuffle();
        if (s.RegionSeparation)
            run.separateRegions();
        run.removeByes();
        run.makeBouts();
        run.reseatInChartOrder();
        exchanged = run.exchangeSameRegionClash();
        if (s.RegionSeparation)
            run.exchangeAvoidableRegionClashes();
        run.writeBouts(progress);
        run.advanceByes();
        tx.commit();
    }
    for (const QString& error : std::as_const(run.m_errors))
        Messages::error(error);
    Messages::info(branch + " BRANŞINDA KURA ÇEKİMİ YAPILDI ...!" + (exchanged ? "!" : ""));
    return true;
}

void KuraDraw::BrKuraCek(const QString& category)
{
    if (!ask(category + " KURALARI Çekilecektir. Eminmisiniz ...?"))
        return;
    const Records categories = categoriesOf(m_db, category);
    if (categories.isEmpty())
        Messages::error(noCategoryText(category));
    for (const Record& r : categories)
        KuraCek(r.str("Brans"), r.str("Cinsiyet"));
}

Records KuraDraw::categoriesOf(Database& db, const QString& category)
{
    Records matching;
    for (const Record& r : db.select(kCategoriesSql))
        if (WeightCategories::belongsToCategory(r.str("Brans"), category))
            matching << r;
    return matching;
}

QString KuraDraw::noCategoryText(const QString& category)
{
    return category + " Branşında Müsabaka Listesi Bulunmamaktadır ...!";
}

void KuraDraw::drawAll()
{
    if (!ask("Tüm Müsabakaların KURALARI Çekilecektir. Eminmisiniz ...?"))
        return;
    const Records categories = m_db.select(KuraDraw::kCategoriesSql);
    if (categories.isEmpty()) {
        Messages::error("Herhangi bir Müsabaka Listesi Bulunmamaktadır ...!");
        return;
    }
    for (const Record& r : categories)
        KuraCek(r.str("Brans"), r.str("Cinsiyet"));
}
