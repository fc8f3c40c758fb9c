#pragma once
// Upkeep of the bout rows outside the draw and live scoring: deleting one
// bout, deleting a category's draw, exchanging two seated athletes and
// marking an athlete absent. No widgets: the match screen asks its questions
// and shows its messages, then calls these.
//
//   DrawUpkeep upkeep(db);
//   if (const QString no = DrawUpkeep::deleteRefusal(bout, FRestrictedUser); !no.isEmpty()) ...
//   upkeep.deleteBout(key);
//
// Deleting a bout leaves nothing behind that points at it: the athlete it
// advanced is taken back out of the later bouts (and out of every later bout
// he went on to win), and a side still waiting for its winner is emptied,
// since that bout will never be fought. Each operation that writes several
// rows is one transaction.

#include "platform/db/Database.h"

#include <QStringList>

#include <functional>

class DrawUpkeep {
public:
    explicit DrawUpkeep(Database& db) : m_db(db) {}

    // --- One bout ----------------------------------------------------------
    // Why a user may not delete the bout: a restricted user may not delete a
    // decided bout, whether the decision came from live scoring (Karar) or
    // its winner was set by the advancement (Galip, Salon; a bye's opponent
    // is advanced by the draw). "" when he may.
    static QString deleteRefusal(const Record& bout, int restrictedUser);
    // Deletes the bout and takes back what its advancement wrote. False
    // when there is no such bout.
    bool deleteBout(int boutKey);

    // --- A category's draw --------------------------------------------------
    // Deletes every bout of the branch and gender, in Kura_Key order,
    // reporting deleted * 100 / count after each; weigh-in rows and counters
    // stay, so the category can be drawn again. Returns the count deleted.
    int deleteCategoryDraw(const QString& branch, const QString& gender,
                           const std::function<void(int percent)>& progress = nullptr);

    // --- Exchanging two athletes ---------------------------------------------
    // A side that may be picked or swapped: the bout exists, is undecided
    // (no winner name) and the side ("1" or "2") was seated directly (Tip
    // "AD").
    static bool swappable(const Record& bout, const QString& side);
    // The five values the exchange moves, from a bout row: name, region,
    // club, Tip and back number of the side.
    static QStringList athleteOf(const Record& bout, const QString& side);
    // Exchanges the athlete picked on side `pickedSide` of bout `pickedKey`
    // (`picked`: the five values remembered when he was picked) with the one
    // on `side` of bout `boutKey`. Both bouts are read again first: each must
    // still be undecided, each side still seated by the draw, and the picked
    // side must still hold the athlete that was picked. Otherwise nothing is
    // written and the reason is returned; "" after the exchange.
    QString swap(int pickedKey, const QString& pickedSide, const QStringList& picked, int boutKey,
                 const QString& side);

    // --- Attendance --------------------------------------------------------
    // Marks the athlete of side 1 or 2 absent (Dis := 1) or present again
    // (emptied). False when there is no such bout.
    bool setAbsent(int boutKey, int side, bool absent);

    // Messages.
    static const QString kDecidedBout;
    static const QString kSwapChanged;

private:
    std::optional<Record> bout(int key) const;
    // Takes the athlete advanced out of bout `sourceKey` back out of the
    // sides that hold him (Tur_Key = source); where he had won that bout too,
    // his win goes with him and that bout waits for its own winner again.
    // `replacement` is what the side holds afterwards: the source's label,
    // or "" when the source no longer exists.
    void withdraw(const Record& source, const QString& replacement);

    Database& m_db;
};
