#pragma once
// The draw: turns the approved weigh-in rows of one category (branch and
// gender) into the bout rows of a single-elimination bracket.
//
// The category is padded with byes to a power of two, the entrants are
// shuffled, the athletes of each region are spread over the bracket so that
// they meet as late as possible (and, after the placement, two first-round
// opponents of one region change places with athletes of other bouts while
// that removes such a bout without making another), every bout of every
// round is written with the labels of the bouts whose winners it waits for,
// and the byes' opponents are advanced at once. A draw is one transaction:
// it is written whole or not at all, byes' weigh-in rows included.
//
// Questions to the operator and the progress window are callbacks, so the
// match screen wires them to its dialogs and tests answer them directly.

#include "platform/db/Database.h"

#include <QDate>

#include <functional>

class MatchState;
class RandomSource;

class KuraDraw {
public:
    KuraDraw(Database& db, MatchState& state, RandomSource& random);

    // The yes/no dialog: given its text, true for "Evet". Unset: "Hayır".
    std::function<bool(const QString&)> confirm;
    // The progress window's bar (0..100) while the bouts are written.
    std::function<void(int)> progress;
    // The date written into new rows (today's unless a test sets another).
    std::function<QDate()> today;

    // Draws one category; reports success and refusals by messages. True
    // when the category was drawn.
    bool KuraCek(const QString& branch, const QString& gender);
    // Draws every weigh-in category of a category name (age or level
    // class), after the operator's confirmation.
    void BrKuraCek(const QString& category);
    // Draws every category of the weigh-in lists, after the operator's
    // confirmation.
    void drawAll();

    // The categories (gender and weight class) of the weigh-in lists, women
    // first: the statement the draw and the match screen walk them with.
    static inline const QString kCategoriesSql =
        QStringLiteral("select Cinsiyet, Brans from C_LISTE group by Cinsiyet, Brans order by Cinsiyet desc, Brans");
    // Those of them whose weight class belongs to a category name (age or
    // level class), in the same order.
    static Records categoriesOf(Database& db, const QString& category);
    // The message when a category name has none.
    static QString noCategoryText(const QString& category);

    // Byes a category of the given number of entrants is padded with.
    static int byeCount(int entrants);

private:
    bool ask(const QString& text) const;

    Database& m_db;
    MatchState& s;
    RandomSource& m_random;
};
