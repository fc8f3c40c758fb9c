#pragma once
// What kind of station this is, chosen when the station is made and kept in
// the station's settings:
//
//   scoring  (the default): the start-up configuration hides the five
//            top-level menus; the left tool bar holds the match screen and
//            the few commands of a ring computer.
//   office:  the start-up configuration leaves the five menus and the
//            "Kısayollar" button visible, so the register, the weigh-in, the
//            reference data and every print command can be reached.
//
//   brivex-station init --office     makes an office station
//   StationKinds::read()             what the main window configures by

#include <QString>

enum class StationKind { Scoring, Office };

namespace StationKinds {
// The settings key and value that hold the kind.
inline QString registryKey() { return "\\Software\\Brivex\\Station"; }
inline QString valueName() { return "Kind"; }

// The kind stored for this station; Scoring when nothing (or anything else)
// is stored.
StationKind read();
void write(StationKind kind);
// "puanlama" or "ofis", as the station tool prints it.
QString name(StationKind kind);
}
