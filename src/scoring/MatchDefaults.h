#pragma once

#include <QString>

// What the start-up configuration gives the match screen. The match screen
// copies these into its own fields when it is configured.
struct MatchDefaults {
    int FScoringStation = 0;        // 1: the screen runs as the live scoring station
    QString FMatchTimeMen;          // bout durations "HH:MM:SS"
    QString FMatchTimeWomen;
    QString FExtraTimeMen;          // extension times
    QString FExtraTimeWomen;
    QString FFinalTimeMen;          // durations of final bouts
    QString FFinalTimeWomen;
    QString FBreakTime;             // break between rounds
    int FRoundCount = 0;            // rounds of a bout
    int FMinusPoints = 0;           // points deducted per "Minus" penalty
    int FRestrictedUser = 1;        // 0 for the administrator, 1 for every other user
};

// The defaults the start-up configuration gives the match screen of a
// scoring station (the administrator is not restricted).
MatchDefaults scoringStationDefaults(bool isAdmin);
