#pragma once
// Winner advancement: recording the winner of a bout and moving him into the
// side of the next bout that waits for him, and taking that back.
//
// A waiting side holds the label (Tur_Mac) of the bout that feeds it; the
// advancement replaces the label with the winner's name and back number and
// notes the feeding bout in Tur_Key1 or Tur_Key2; removing the winner writes
// the label back. Each operation is one transaction.

#include "platform/db/Database.h"

#include <functional>

class MatchState;

class Advancement {
public:
    Advancement(Database& db, MatchState& state) : m_db(db), s(state) {}

    // Records FWinnerNo and FWinnerName as the winner of the bout (the
    // current row of the bout list) and advances him. A bout that already
    // has a winner is first undone (GalipSil). Afterwards FWinnerBoutKey is
    // the bout and FChangedBoutKeys (and the changed-key cells of FDrawWork)
    // list the rows written. Refuses, with its message and writing nothing, a
    // back number that is no number, and a bout whose places are wrong.
    bool GalipIs(int boutKey);

    // Removes the winner of bout FWinnerBoutKey and writes its label back
    // into the side it was advanced into. FChangedBoutKeys stays.
    void GalipSil();

    // The field event of the winner column, on a bout row (column -> value)
    // whose Galip was changed: an empty back number empties the winner's
    // name; a number gives the name of the one side of the category that
    // holds it (blue sides first), else the name stays; a text that is no
    // number only shows its message. The third-place row is left alone.
    void galipChanged(QVariantMap& row) const;

    // The check before a bout row is stored: "" when the places are right,
    // else the message.
    static QString checkPlaces(const QVariant& place1, const QVariant& place2);

    // The winner popup of the bout list: whether it opens on a bout.
    bool winnerPopupOpens(const Record& bout) const;
    // Its items "Ad1" and "Ad2": the side's name as the caption when the side
    // has a back number, else an empty caption.
    static QString winnerItemCaption(const Record& bout, int side);
    // Choosing an item: records that side as the winner. Nothing happens for
    // an item with an empty caption.
    bool chooseWinner(int boutKey, int side);
    // "Galibi Sil": a restricted user needs the administrator password first.
    void removeWinner(int boutKey, const std::function<bool()>& administratorPassword);

private:
    Database& m_db;
    MatchState& s;
};
