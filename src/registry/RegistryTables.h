#pragma once
// Tables of the person register: the persons and their career history.

class Schema;

void addRegistryTables(Schema& schema);
// These tables alone, for the screens that write rows column by column.
const Schema& registrySchema();
