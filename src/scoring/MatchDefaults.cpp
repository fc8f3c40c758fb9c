#include "scoring/MatchDefaults.h"

MatchDefaults scoringStationDefaults(bool isAdmin)
{
    MatchDefaults d;
    d.FScoringStation = 1;
    d.FMatchTimeMen = "00:02:00";
    d.FMatchTimeWomen = "00:02:00";
    d.FExtraTimeMen = "00:01:00";
    d.FExtraTimeWomen = "00:01:00";
    d.FFinalTimeMen = d.FMatchTimeMen;
    d.FFinalTimeWomen = d.FMatchTimeWomen;
    d.FBreakTime = "00:01:00";
    d.FRoundCount = 3;
    d.FMinusPoints = 1;
    d.FRestrictedUser = isAdmin ? 0 : 1;
    return d;
}
