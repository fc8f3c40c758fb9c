#pragma once
// Every table of the federation database, gathered from the subsystems.
//
// Each subsystem folder defines its tables in a function of its own
// (addAppTables, ...); brivexSchema() collects them. A new station gets them
// all; an older station file gets the missing ones at login.
// seedStation() writes the rows a new station needs.

#include "platform/db/Schema.h"

class Database;

const Schema& brivexSchema();

// Per-subsystem table definitions.
void addAppTables(Schema& schema);
void addReferenceTables(Schema& schema);
void addRegistryTables(Schema& schema);
void addActivityTables(Schema& schema);
void addCompetitionTables(Schema& schema);
void addScoringTables(Schema& schema);

// Rows a new station needs (counters, database kind, federation identity,
// the administrator).
void seedStation(Database& db);
void seedAppRows(Database& db);
// Regions, statuses, category names, belts, activity types and the reserved
// rows; the reference counter ends past every key they take.
void seedReferenceRows(Database& db);
// The penalty activity and the point values.
void seedActivityRows(Database& db);
// The tournament kinds of the weigh-in.
void seedCompetitionRows(Database& db);

// Reserved rows every station has.
inline constexpr int kNoClubKey = 1;                    // C_UYELIKSURESI: no club
inline constexpr const char* kNoClubName = "-";
inline constexpr int kAllCategoriesKey = 1;             // C_BRANSADI: every category name
inline constexpr const char* kAllCategoriesName = "TÜM KATEGORİLER";
inline constexpr int kNoCategoryKey = 2;                // C_BRANSADI: activities without one
inline constexpr const char* kNoCategoryName = "-";
inline constexpr int kNoWeightCategoryKey = 1;          // C_BRANS: duties, unknown classes
inline constexpr const char* kNoWeightCategoryName = "-";
inline constexpr int kPenaltyActivityKey = 1;           // C_TURNUVA: a person's penalties
inline constexpr const char* kPenaltyActivityName = "CEZA";
inline constexpr const char* kPenaltyActivityType = "CEZA";

// The administrator a new station gets.
inline constexpr const char* kInitialAdminName = "ADMIN";
inline constexpr const char* kInitialAdminPassword = "1234";
