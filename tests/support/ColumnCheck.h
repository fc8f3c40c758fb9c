#pragma once
// Checks that a station's tables have the columns the program's design names,
// with the kind of value each holds. Test files list (table, column, kind)
// cases and run them through a TEST_P on StationTest.

#include "platform/db/Database.h"

#include <gtest/gtest.h>

#include <string>

enum class ColumnKind { Integer, Text, Number, Date };

// One-letter names of the kinds, for the tables of cases.
namespace ColumnKinds {
constexpr ColumnKind I = ColumnKind::Integer;
constexpr ColumnKind T = ColumnKind::Text;
constexpr ColumnKind N = ColumnKind::Number;
constexpr ColumnKind D = ColumnKind::Date;
}

struct ColumnCase {
    const char* table;
    const char* column;
    ColumnKind kind;
};

// "TABLE_Column", a readable test name for a case.
std::string columnCaseName(const ::testing::TestParamInfo<ColumnCase>& info);
// Asserts that the table has the column, declared with the type of its kind.
void expectColumn(const Database& db, const ColumnCase& c);
