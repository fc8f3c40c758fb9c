#include "support/ColumnCheck.h"

namespace {
// The type a column of this kind is declared with.
QString declaredType(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Integer:
        return "INTEGER";
    case ColumnKind::Number:
        return "REAL";
    case ColumnKind::Date:
        return "DATETIME";
    case ColumnKind::Text:
        break;
    }
    return "TEXT";
}
}

std::string columnCaseName(const ::testing::TestParamInfo<ColumnCase>& info)
{
    std::string name = std::string(info.param.table) + "_" + info.param.column;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

void expectColumn(const Database& db, const ColumnCase& c)
{
    QString type;
    for (const Record& r : db.select(QString("pragma table_info(%1)").arg(Database::identifier(c.table))))
        if (r.str("name") == QString::fromUtf8(c.column))
            type = r.str("type");
    ASSERT_FALSE(type.isEmpty()) << c.table << "." << c.column << " is missing";
    EXPECT_TRUE(type.startsWith(declaredType(c.kind))) << c.table << "." << c.column << " is " << type.toStdString();
}
