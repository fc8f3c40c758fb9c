#include "scoring/Placings.h"

#include "competition/MatchState.h"

#include <QHash>
#include <QSet>

#include <map>
#include <optional>

namespace {

struct PlacedEntrant {
    int listeKey = 0;
    int number = 0;
    bool approved = false;
};

struct PlacedBout {
    int key = 0;
    QString round;
    std::optional<int> number[2];   // back numbers of side 1 and side 2
    std::optional<int> winner;      // Galip as a back number
};

// One category: its weigh-in rows (Liste_Key order) and bouts (Kura_Key order).
struct Category {
    QString brans;
    QString cinsiyet;
    QList<PlacedEntrant> entrants;
    QList<PlacedBout> bouts;
};

// A place marked on a side of a bout.
struct Mark {
    int boutKey = 0;
    int side = 0;       // 1 or 2
    int place = 0;      // 1, 2 or 3
    int number = 0;     // the side's back number
};

std::optional<int> backNumber(const Record& r, const QString& field)
{
    if (r.isNull(field))
        return std::nullopt;
    bool ok = false;
    const int n = r.str(field).trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

bool isThirdPlaceRow(const PlacedBout& b)
{
    return b.round.startsWith(Rounds::ThirdPlacePrefix);
}

// Every category of the weigh-in lists with its rows and bouts.
QList<Category> readCategories(const Database& db)
{
    QList<Category> categories;
    std::map<std::pair<QString, QString>, int> index;
    for (const Record& r : db.select("select Liste_Key, Brans, Cinsiyet, Sira, Onay from C_LISTE order by Liste_Key")) {
        const auto key = std::make_pair(r.str("Cinsiyet"), r.str("Brans"));
        auto it = index.find(key);
        if (it == index.end()) {
            it = index.emplace(key, int(categories.size())).first;
            categories.append({r.str("Brans"), r.str("Cinsiyet"), {}, {}});
        }
        categories[it->second].entrants.append(
            {r.toInt("Liste_Key"), backNumber(r, "Sira").value_or(0), r.toInt("Onay") == 1});
    }
    for (const Record& r :
         db.select("select Kura_Key, Brans, Cinsiyet, Tur, Sira1, Sira2, Galip from C_KURA order by Kura_Key")) {
        const auto it = index.find(std::make_pair(r.str("Cinsiyet"), r.str("Brans")));
        if (it == index.end())
            continue;
        PlacedBout b;
        b.key = r.toInt("Kura_Key");
        b.round = r.str("Tur");
        b.number[0] = backNumber(r, "Sira1");
        b.number[1] = backNumber(r, "Sira2");
        b.winner = backNumber(r, "Galip");
        categories[it->second].bouts.append(b);
    }
    return categories;
}

// The category's bouts without the third-place row; the last is the final.
QList<PlacedBout> mainBouts(const Category& c)
{
    QList<PlacedBout> bouts;
    for (const PlacedBout& b : c.bouts)
        if (!isThirdPlaceRow(b))
            bouts.append(b);
    return bouts;
}

// Places 1, 2 and 3 on the sides of the final and of the two bouts before it.
QList<Mark> medalMarks(const Category& c)
{
    QList<Mark> marks;
    const QList<PlacedBout> main = mainBouts(c);
    if (main.isEmpty())
        return marks;
    const PlacedBout& final = main.last();
    // The champion and the runner-up, by back number; both stay empty while
    // the final is undecided.
    QSet<int> medallists;
    for (int side = 0; side < 2; ++side) {
        const std::optional<int>& n = final.number[side];
        if (final.winner && n && *n == *final.winner) {
            marks.append({final.key, side + 1, 1, *n});
            medallists.insert(*n);
            const std::optional<int>& other = final.number[1 - side];
            if (other) {
                marks.append({final.key, 2 - side, 2, *other});
                medallists.insert(*other);
            }
            break;
        }
    }
    // Every other seated side of the two bouts before the final is third:
    // the semi-final losers, and with an undecided final the semi-final
    // winners too.
    for (qsizetype i = main.size() - 2; i >= 0 && i >= main.size() - 3; --i) {
        const PlacedBout& b = main[i];
        for (int side = 0; side < 2; ++side)
            if (b.number[side] && !medallists.contains(*b.number[side]))
                marks.append({b.key, side + 1, 3, *b.number[side]});
    }
    // Marks are applied in bout order, as the rows are read.
    std::stable_sort(marks.begin(), marks.end(), [](const Mark& a, const Mark& b) { return a.boutKey < b.boutKey; });
    return marks;
}

// The one approved weigh-in row of the category with the back number.
const PlacedEntrant* entrantOf(const Category& c, int number)
{
    const PlacedEntrant* found = nullptr;
    for (const PlacedEntrant& e : c.entrants) {
        if (!e.approved || e.number != number)
            continue;
        if (found)
            return nullptr;
        found = &e;
    }
    return found;
}

// Places of the category's rows (Liste_Key -> place) for the full ranking.
QHash<int, int> rankCategory(const Category& c, const Placings::RankingOptions& o)
{
    QHash<int, int> place;
    for (const Mark& m : medalMarks(c))
        if (const PlacedEntrant* e = entrantOf(c, m.number); e && !place.contains(e->listeKey))
            place.insert(e->listeKey, m.place);

    if (!o.FBranchFilter.isEmpty() && c.brans != o.FBranchFilter)
        return place;
    const QList<PlacedBout> main = mainBouts(c);

    // Fourth: of the two thirds, the one the runner-up beat.
    if (o.FFullRanking) {
        QList<const PlacedEntrant*> thirds;
        for (const PlacedEntrant& e : c.entrants)
            if (place.value(e.listeKey) == 3)
                thirds.append(&e);
        QList<PlacedBout> finals;
        for (const PlacedBout& b : c.bouts)
            if (b.round == Rounds::Final)
                finals.append(b);
        if (thirds.size() == 2 && finals.size() == 1 && finals[0].winner) {
            const PlacedBout& f = finals[0];
            std::optional<int> runnerUp;
            if (f.number[0] == f.winner)
                runnerUp = f.number[1];
            else if (f.number[1] == f.winner)
                runnerUp = f.number[0];
            for (const PlacedEntrant* t : thirds) {
                if (!runnerUp)
                    break;
                int beaten = 0;
                for (const PlacedBout& b : main)
                    if (b.winner == runnerUp && (b.number[0] == t->number || b.number[1] == t->number))
                        ++beaten;
                if (beaten == 1)
                    place[t->listeKey] = 4;
            }
        }
    }

    // Fifth: in a category of more than eight weigh-in rows (approved or
    // not) the quarter-finalists without a place; otherwise every row of the
    // category without a place, unapproved rows included.
    auto fifth = [&](const PlacedEntrant& e) {
        if (place.value(e.listeKey) == 0)
            place[e.listeKey] = 5;
    };
    if (c.entrants.size() > 8) {
        for (const PlacedBout& b : main) {
            if (b.round != Rounds::QuarterFinal)
                continue;
            for (const std::optional<int>& n : b.number)
                if (n)
                    if (const PlacedEntrant* e = entrantOf(c, *n))
                        fifth(*e);
        }
    } else {
        for (const PlacedEntrant& e : c.entrants)
            fifth(e);
    }
    return place;
}

// Clears the category's place marks on its bouts and writes the new ones.
void writeMarks(Database& db, const Category& c, const QList<Mark>& marks)
{
    db.exec("update C_KURA set Derece1 = null, Derece2 = null where Brans = :b and Cinsiyet = :g",
            {{"b", c.brans}, {"g", c.cinsiyet}});
    for (const Mark& m : marks)
        db.update("C_KURA", {{QString("Derece%1").arg(m.side), m.place}}, "Kura_Key = :w_k", {{"w_k", m.boutKey}});
}

} // namespace

void Placings::DerecePuanla(Database& db, const PlacePoints& points)
{
    Transaction tx(db);
    for (const Category& c : readCategories(db)) {
        const QList<Mark> marks = medalMarks(c);
        writeMarks(db, c, marks);
        for (const Mark& m : marks) {
            const PlacedEntrant* e = entrantOf(c, m.number);
            if (!e)
                continue;
            const int add = m.place == 1   ? points.FFirstPlacePoints
                            : m.place == 2 ? points.FSecondPlacePoints
                                           : points.FThirdPlacePoints;
            db.exec("update C_LISTE set Puan = Nz(Puan, 0) + :p where Liste_Key = :k",
                    {{"p", add}, {"k", e->listeKey}});
        }
    }
    tx.commit();
}

void Placings::Derecele(Database& db, const RankingOptions& options)
{
    Transaction tx(db);
    db.exec("Update C_LISTE set Puan = 0");
    for (const Category& c : readCategories(db)) {
        writeMarks(db, c, medalMarks(c));
        const QHash<int, int> place = rankCategory(c, options);
        for (auto it = place.constBegin(); it != place.constEnd(); ++it)
            db.exec("update C_LISTE set Puan = :p where Liste_Key = :k", {{"p", it.value()}, {"k", it.key()}});
    }
    tx.commit();
}

QList<Placings::Placing> Placings::ranking(const Database& db, const RankingOptions& options)
{
    QList<Placing> out;
    std::map<int, Placing> byKey;
    for (const Category& c : readCategories(db)) {
        const QHash<int, int> place = rankCategory(c, options);
        for (const PlacedEntrant& e : c.entrants)
            byKey[e.listeKey] = {e.listeKey, c.brans, c.cinsiyet, e.number, place.value(e.listeKey)};
    }
    for (const auto& [key, p] : byKey)
        out.append(p);
    return out;
}
