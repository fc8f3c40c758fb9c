#include "app/BrivexSchema.h"

#include "app/setup/SetupTables.h"
#include "competition/CompetitionTables.h"
#include "platform/db/Database.h"
#include "registry/RegistryTables.h"
#include "scoring/ScoringTables.h"

const Schema& brivexSchema()
{
    static const Schema schema = [] {
        Schema s;
        addAppTables(s);
        addReferenceTables(s);
        addRegistryTables(s);
        addActivityTables(s);
        addCompetitionTables(s);
        addScoringTables(s);
        return s;
    }();
    return schema;
}

void seedStation(Database& db)
{
    Transaction tx(db);
    seedAppRows(db);
    seedReferenceRows(db);
    seedActivityRows(db);
    seedCompetitionRows(db);
    tx.commit();
}
