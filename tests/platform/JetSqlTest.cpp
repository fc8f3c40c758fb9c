#include "platform/db/JetSql.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* jet;
    const char* sqlite;
};

class JetSqlTranslate : public ::testing::TestWithParam<Case> {};

TEST_P(JetSqlTranslate, GivesTheSqliteStatement)
{
    EXPECT_EQ(JetSql::translate(QString::fromUtf8(GetParam().jet)).toStdString(), GetParam().sqlite);
}

INSTANTIATE_TEST_SUITE_P(
    Statements, JetSqlTranslate,
    ::testing::Values(
        Case{"delete * from C_LISTE", "delete from C_LISTE"},
        Case{"Delete  *  From C_KURA where Brans = :b", "Delete From C_KURA where Brans = :b"},
        Case{"select * from C_KURA where Tarih >= #03/05/2009#", "select * from C_KURA where Tarih >= '2009-03-05'"},
        Case{"select * from T where D = #3/5/2009 2:05:09 PM#", "select * from T where D = '2009-03-05 14:05:09'"},
        Case{"select [R/F], [Key_No] from C_SIFRE", "select \"R/F\", \"Key_No\" from C_SIFRE"},
        Case{"update C_MUSTERI set Ferdi = True where Tip = False", "update C_MUSTERI set Ferdi = -1 where Tip = 0"},
        Case{"select Ad & ' ' & Soyad as n from T", "select coalesce(Ad, '') || ' ' || coalesce(Soyad, '') as n from T"},
        Case{"select \"ERKEK\" as c from T", "select 'ERKEK' as c from T"},
        Case{"select * from T where Ad = 'O''NEIL & TRUE #1#'", "select * from T where Ad = 'O''NEIL & TRUE #1#'"},
        Case{"select top 5 * from C_KURA order by Kura_Key", "select * from C_KURA order by Kura_Key limit 5"},
        Case{"select * from T where k in (select top 1 k from U)", "select * from T where k in (select k from U limit 1)"},
        Case{"select a Mod 2 from T", "select a % 2 from T"},
        Case{"select count(*) as c1 from C_MUSTERI where E50<>'' and Kullanici<>0",
             "select count(*) as c1 from C_MUSTERI where E50<>'' and Kullanici<>0"},
        Case{"select T.True from T", "select T.True from T"}));

} // namespace
