#pragma once
// Tables of the draw and live scoring.

class Schema;

void addScoringTables(Schema& schema);
