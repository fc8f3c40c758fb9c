#pragma once
// Placings: who finished first, second, third and so on in each category,
// derived from the bout rows. A category is a (Cinsiyet, Brans) pair of the
// weigh-in rows (C_LISTE); its bouts are the C_KURA rows of the same pair.
//
//   Placings::DerecePuanla(db, {1, 2, 3});        // places as points
//   Placings::Derecele(db, {QString(), true});    // C_LISTE.Puan := place 1..5
//   for (const Placings::Placing& p : Placings::ranking(db, {QString(), true}))
//       ...                                        // the same, nothing written
//
// How the places fall, per category:
// - The final is the category's last bout (by Kura_Key) leaving out the
//   third-place row that the draw writes and nobody fights. When it is
//   decided, the side whose back number is the winner (Galip) is first and
//   the other seated side second. Sides are told apart by back number and
//   side, never by name, so namesakes in one final are placed right.
// - Third: the seated sides of the two bouts before the final (the
//   semi-finals; the preliminary in a category of three) other than the
//   champion and the runner-up. An undecided final thus gives no first and
//   second place, and third place to every seated side of the semi-finals,
//   their winners included; an undecided semi-final gives it to both its
//   sides for now.
// - With a full ranking, when exactly two athletes are third, the one the
//   runner-up beat is fourth (four thirds of an undecided final stay third).
// - Fifth: in a category of more than eight weigh-in rows (approved or not),
//   the athletes without a place who fought a quarter-final; otherwise every
//   weigh-in row of the category without a place, unapproved rows included.
// - Places 1 to 4 go to approved weigh-in rows only (Onay 1): a side's
//   athlete is the one approved weigh-in row of the category with its back
//   number; a side with none, or with several, gets no place. A bye never
//   gets a place (its weigh-in row is gone after the draw).
// Places are recomputed from the bout rows at every call.
//
// Each routine that writes is one transaction (it joins the caller's).

#include "platform/db/Database.h"

#include <QList>
#include <QString>

namespace Placings {

// Points DerecePuanla adds for a first, second and third place.
struct PlacePoints {
    int FFirstPlacePoints = 1;
    int FSecondPlacePoints = 2;
    int FThirdPlacePoints = 3;
};

// Inputs of the full ranking.
struct RankingOptions {
    // When not empty, the fourth and fifth places are given in this branch
    // (Brans) only; every other category still gets its places 1 to 3.
    QString FBranchFilter;
    // Separate the two third places: the one beaten by the runner-up is 4.
    bool FFullRanking = false;
};

// The place of one weigh-in row.
struct Placing {
    int listeKey = 0;       // Liste_Key
    QString brans;          // Brans
    QString cinsiyet;       // Cinsiyet
    int backNumber = 0;     // Sira
    int place = 0;          // 1 to 5; 0: no place
};

// Marks the places 1, 2 and 3 on the bout rows (C_KURA.Derece1/Derece2,
// cleared first for every category) and adds the place's points to Puan of
// each placed athlete's weigh-in row. Puan of the other rows is left as it
// is: callers clear it first when they want the points alone.
void DerecePuanla(Database& db, const PlacePoints& points);

// The full ranking: marks the bout rows as DerecePuanla does and writes
// every weigh-in row's place (1 to 5, or 0) into C_LISTE.Puan.
void Derecele(Database& db, const RankingOptions& options);

// The places Derecele gives, without writing anything: one entry per
// weigh-in row, in Liste_Key order (rows without a place have place 0).
// For the bracket charts and the results publishing, which must not
// overwrite a points list.
QList<Placing> ranking(const Database& db, const RankingOptions& options);

}
