#pragma once
// Tables of the program's own settings and reference data: the counters row,
// the database kind, the users, the federation identity, and the regions,
// statuses, weight categories, category names, activity types, belts, styles,
// letter texts and clubs the setup screens keep. The schema collector
// (app/BrivexSchema.h) gathers them with every other folder's.

#include "app/kit/ReservedRows.h"

class Database;
class Schema;

void addAppTables(Schema& schema);
void addReferenceTables(Schema& schema);

// The counters row, the database kind "ACCESS", the federation identity and
// the administrator.
void seedAppRows(Database& db);
// Regions, statuses, category names, belts, activity types and the reserved
// rows; the reference counter ends past every key they take.
void seedReferenceRows(Database& db);
