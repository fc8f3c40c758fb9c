#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"
#include "platform/settings/Registry.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

namespace {

struct DbConventionsFolderCase {
    const char* dbq;
    const char* programFolder;
    const char* lettersFolder;
};
class FolderRule : public StationTest, public ::testing::WithParamInterface<DbConventionsFolderCase> {};

TEST_P(FolderRule, FollowsTheDatabaseDrive)
{
    RegistryValues::setDbq(QString::fromUtf8(GetParam().dbq));
    EXPECT_EQ(Folders::programFolder().toStdString(), GetParam().programFolder);
    EXPECT_EQ(Folders::lettersFolder().toStdString(), GetParam().lettersFolder);
}

INSTANTIATE_TEST_SUITE_P(Paths, FolderRule,
                         ::testing::Values(DbConventionsFolderCase{"M:\\QVX_PROG\\Fdr.mdb", "M:\\QVX_PROG\\", "M:\\"},
                                           DbConventionsFolderCase{"D:\\DATA\\Fdr.mdb", "D:\\QVX_PROG\\", "D:\\"},
                                           DbConventionsFolderCase{"d:\\data\\fdr.mdb", "D:\\QVX_PROG\\", "D:\\"},
                                           DbConventionsFolderCase{"", "C:\\CO\\QVX_PROG\\", "C:\\CO\\"},
                                           DbConventionsFolderCase{"M", "C:\\CO\\QVX_PROG\\", "C:\\CO\\"},
                                           DbConventionsFolderCase{"C:\\BASKA\\Fdr.mdb", "C:\\CO\\QVX_PROG\\", "C:\\CO\\"},
                                           DbConventionsFolderCase{"c:\\co\\qvx_prog\\fdr.mdb", "C:\\CO\\QVX_PROG\\", "C:\\CO\\"}));

struct DateCase {
    const char* typed;
    const char* kind;
    const char* literal;
};
class DateLiteral : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateLiteral, FollowsTheDatabaseKind)
{
    EXPECT_EQ(sqlDateLiteral(GetParam().typed, GetParam().kind).toStdString(), GetParam().literal);
}

INSTANTIATE_TEST_SUITE_P(Dates, DateLiteral,
                         ::testing::Values(DateCase{"05.03.2009", "ACCESS", "#03/05/2009#"},
                                           DateCase{"05.03.2009", "SQLSERVER", "'05.03.2009'"},
                                           DateCase{"5.3.2009", "ACCESS", "#03/05/2009#"},
                                           DateCase{"5.3.2009", "SQLSERVER", "'05.03.2009'"},
                                           DateCase{"31.12.1999", "ACCESS", "#12/31/1999#"},
                                           DateCase{"  .  .    ", "ACCESS", ""},
                                           DateCase{"31.02.2009", "ACCESS", ""}));

class CounterTest : public StationTest {};

TEST_F(CounterTest, NewKeyIsTheCounterPlusOneAndIsKept)
{
    Counters::set(db, "sayi1", 0);
    EXPECT_EQ(Counters::next(db, "sayi1"), 1);
    EXPECT_EQ(Counters::next(db, "Sayi1"), 2) << "column names are compared without case";
    EXPECT_EQ(Counters::next(db, "SAYI1"), 3);
    EXPECT_EQ(Counters::current(db, "sayi1"), 3);
}

TEST_F(CounterTest, ManyValuesAtOnceAdvanceByThatMany)
{
    const int first = Counters::next(db, "sayi2", 3);
    EXPECT_EQ(Counters::current(db, "sayi2"), first + 2);
    EXPECT_EQ(Counters::next(db, "sayi2"), first + 3);
}

TEST_F(CounterTest, ReferenceTablesShareOneCounter)
{
    const int before = Counters::current(db, "Sayi");
    const int region = Counters::next(db, "Sayi");
    const int user = Counters::next(db, "Sayi");
    EXPECT_EQ(user, region + 1);
    EXPECT_EQ(region, before + 1);
    EXPECT_GT(region, 1) << "a new station has handed out key 1 to the administrator";
}

TEST_F(CounterTest, UnknownCounterIsAnError)
{
    EXPECT_THROW(Counters::next(db, "sayi9"), DbError);
    EXPECT_THROW(Counters::next(db, "sayi1; drop table C_SAYI"), DbError);
}

class DatabaseCopyTest : public StationTest {
protected:
    QString copyHost() const { return dir.filePath("yayin/Fdr.mdb"); }
    QString tempHost() const { return copyHost() + ".kopya"; }
};

TEST_F(DatabaseCopyTest, TheCopyWithoutPasswordsTakesTheEarlierCopysPlace)
{
    ASSERT_TRUE(QDir().mkpath(dir.filePath("yayin")));
    writeFile(copyHost(), "the earlier copy");
    ASSERT_GT(db.scalar("select count(*) from C_SIFRE where Sifre is not null").toInt(), 0);

    DatabaseCopies::withoutPasswords(db, tempHost(), copyHost());
    EXPECT_FALSE(QFile::exists(tempHost()));
    Database copy;
    copy.open(copyHost(), true);
    EXPECT_EQ(copy.scalar("select count(*) from C_SIFRE").toInt(), db.scalar("select count(*) from C_SIFRE").toInt());
    EXPECT_EQ(copy.scalar("select count(*) from C_SIFRE where Sifre is not null").toInt(), 0);
}

TEST_F(DatabaseCopyTest, AReplacementThatFailsLeavesWhatStoodThereAndNoTemporaryFile)
{
    // The new copy cannot take the target's place (a folder with a file in
    // it stands there): the rename fails, and what stood there stays.
    ASSERT_TRUE(QDir().mkpath(copyHost()));
    writeFile(copyHost() + "/earlier.mdb", "the earlier copy");
    try {
        DatabaseCopies::withoutPasswords(db, tempHost(), copyHost());
        ADD_FAILURE() << "the replacement reported success";
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(), QString::fromUtf8("Veritabanı kopyası oluşturulamadı: ") + copyHost());
    }
    QFile earlier(copyHost() + "/earlier.mdb");
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "the earlier copy");
    EXPECT_FALSE(QFile::exists(tempHost()));
}

TEST(FormatsTest, DatesReadDayFirstAndPrintInTheShortFormat)
{
    const QDate d = Formats::strToDate("05.03.2009");
    EXPECT_EQ(d, QDate(2009, 3, 5));
    EXPECT_EQ(Formats::dateToStr(d), "05.03.2009");
    EXPECT_FALSE(Formats::strToDate("2009-03-05").isValid());
    EXPECT_EQ(Formats::timeToStr(QTime(14, 5, 9)), "14:05:09");
    bool ok = false;
    EXPECT_DOUBLE_EQ(Formats::strToFloat("72,5", &ok), 72.5);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(Formats::strToFloat("72.5", &ok), 72.5);
    Formats::strToFloat("yetmiş", &ok);
    EXPECT_FALSE(ok);
}

} // namespace
