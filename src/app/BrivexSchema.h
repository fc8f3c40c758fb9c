#pragma once
// Every table of the federation database, gathered from the folders.
//
// Each folder defines its tables in a function of its own, declared in its
// <Folder>Tables.h (addAppTables, addRegistryTables, ...); brivexSchema()
// collects them. A new station gets them all; an older station file gets the
// missing ones at login. seedStation() writes the rows a new station needs.

#include "app/kit/ReservedRows.h"
#include "platform/db/Schema.h"

class Database;

const Schema& brivexSchema();

// Rows a new station needs (counters, database kind, federation identity,
// the administrator, the reference rows, the penalty activity and point
// values, the tournament kinds), in one transaction.
void seedStation(Database& db);
