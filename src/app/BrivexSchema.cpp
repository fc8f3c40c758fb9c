#include "app/BrivexSchema.h"

#include "platform/db/Database.h"

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
