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
void addCompetitionTables(Schema& schema);
void addScoringTables(Schema& schema);

// Rows a new station needs (counters, database kind, federation identity,
// the administrator).
void seedStation(Database& db);
void seedAppRows(Database& db);

// The administrator a new station gets.
inline constexpr const char* kInitialAdminName = "ADMIN";
inline constexpr const char* kInitialAdminPassword = "1234";
