#pragma once
// Tables of activities and competition preparation: the activities, the
// point values, the stored activity query TURSORGU, the weigh-in lists.

#include "app/kit/ReservedRows.h"

class Database;
class Schema;

void addActivityTables(Schema& schema);
void addCompetitionTables(Schema& schema);

// The penalty activity and the point values.
void seedActivityRows(Database& db);
// The tournament kinds of the weigh-in.
void seedCompetitionRows(Database& db);
