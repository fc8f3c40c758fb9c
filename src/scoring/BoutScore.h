#pragma once
// What live scoring computes, without widgets: the judges' cards and the
// penalty counts of a bout, its round records, the judges' evaluation at the
// end of the last round, the clock text and the ring and match code.
//
// Round record (columns R1 to R4 of C_KURA): twelve running totals joined by
// ";": judge 1 to 3 blue and red points, then the blue Minus, Foul and Exit
// counts and the red Minus, Foul and Exit counts; a semi-contact bout keeps
// the blue and red points in positions 7 and 10 instead of the Minus counts.
// Record n holds the totals at the end of round n; the points of round n are
// record n minus record n - 1.

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

enum Penalty { Minus = 0, Foul = 1, Exit = 2 };

// The live values of one bout that scoring changes.
struct BoutCards {
    std::array<int, 3> judgeBlue{};   // H1M, H2M, H3M
    std::array<int, 3> judgeRed{};    // H1K, H2K, H3K
    std::array<int, 3> blue{};        // C1M, C2M, C3M: Minus, Foul, Exit
    std::array<int, 3> red{};         // C1K, C2K, C3K
    int puan1 = 0;                    // blue total
    int puan2 = 0;                    // red total

    // Blue minus red on a judge's card (judge 1..3).
    int lead(int judge) const { return judgeBlue[judge - 1] - judgeRed[judge - 1]; }
    bool operator==(const BoutCards&) const = default;
};

namespace RoundRecord {
// RoundKayit's text of the cards.
QString compose(const BoutCards& cards, bool semiContact);
// "R1" .. "R4" for rounds 1 to 4; "" for any other round.
QString column(int round);
// Analiz: twelve fields of a record. An empty record gives twelve "0";
// otherwise each ";" closes a field (an empty one becomes "0"), the field
// after the last ";" stays as read and fields the record does not reach stay
// empty; values beyond the twelfth are dropped.
QStringList Analiz(const QString& record);
// The twelve fields as numbers (an empty or unreadable field counts 0).
std::array<int, 12> values(const QStringList& fields);
// The points of the last round recorded among the records (R1, R2, ...): the
// last non-empty record minus the one before it.
std::array<int, 12> lastRound(const QStringList& records);
}

namespace Judging {
// Full contact: the totals are the number of judges who have each side ahead.
void countVotes(BoutCards& cards);

// SonucDeg's evaluation of the three cards.
struct Evaluation {
    std::array<int, 3> lastRoundWinners{};  // per judge: 0 none, 1 blue, 2 red (level cards only)
    int askJudge = 0;       // 1..3: the first judge whose card and last round are level; 0: decided
    int puan1 = 0;          // totals after the level cards' votes (when decided)
    int puan2 = 0;
    int winnerSide = 0;     // 0 even, 1 blue, 2 red (when decided)
};
// `lastRound` are the last round's points (blue and red of judges 1 to 3 in
// positions 0 to 5). Each judge votes for the side ahead on his card; a level
// card goes to the winner of its last round, as long as the votes stay three
// at most; a card level in the last round too is put to that judge.
Evaluation evaluate(const BoutCards& cards, const std::array<int, 12>& lastRound);
}

namespace ClockText {
// "HH:MM:SS" of a number of seconds.
QString format(int seconds);
// Seconds of an "HH:MM:SS" text (also the date-time form "yyyy-MM-dd
// HH:MM:SS"); nothing when it is no time.
std::optional<int> parse(const QString& text);
}

// The bout's place in its ring, column Skor: the ring number followed by the
// three-digit match number ("1005": ring 1, match 5; "12005": ring 12).
namespace RingMatch {
struct Code {
    QString ring;
    QString match;      // three digits
};
QString compose(int ring, int match);
// The ring and match of a code of four characters or more.
std::optional<Code> split(const QString& skor);
// The next code for a bout of a branch, from the codes of the branch's bouts
// in Kura_Key order: the ring of the last of them, and one more than the
// highest match number of that ring. When no bout counts: match 1 in
// `defaultRing`.
Code propose(const QStringList& codes, int defaultRing);
}
