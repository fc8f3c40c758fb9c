// Statements kept prepared by the database layer in a transaction and run
// again with new values: the results stay those of a statement prepared
// afresh when the schema changes (here or by another station), after a
// failure, and with other bound values; and a kept statement holds no lock
// on the file.
#include "platform/db/Database.h"
#include "platform/db/Schema.h"
#include "platform/paths/DriveMap.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace DbStatementsTestLocal {

class DatabaseStatementsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        DriveMap::setDataRoot(dir.path());
        path = dir.filePath("kept.mdb");
        db.open(path, false);
        Schema s;
        s.addTable({"C_KISI", {Col::integer("Key_No"), Col::text("Ad"), Col::text("Il")}, "Key_No", {}});
        s.create(db);
        db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "ALİ"}, {"Il", "ANKARA"}});
        db.insert("C_KISI", {{"Key_No", 2}, {"Ad", "VELİ"}, {"Il", "İZMİR"}});
    }
    QStringList fieldsOf(const QString& sql)
    {
        const auto row = db.first(sql);
        return row ? row->fieldNames() : QStringList();
    }

    QTemporaryDir dir;
    QString path;
    Database db;
};

TEST_F(DatabaseStatementsTest, AStatementRunAgainIsKeptOnceAndAnswersForItsNewValues)
{
    const QString sql = "select Ad from C_KISI where Key_No = :k";
    const int before = db.cachedStatements();
    Transaction tx(db);
    EXPECT_EQ(db.scalar(sql, {{"k", 1}}).toString(), "ALİ");
    EXPECT_EQ(db.scalar(sql, {{"k", 2}}).toString(), "VELİ");
    EXPECT_FALSE(db.scalar(sql, {{"k", 3}}).isValid());
    EXPECT_EQ(db.scalar(sql, {{"K", 1}}).toString(), "ALİ") << "names match without regard to case";
    EXPECT_EQ(db.cachedStatements(), before + 1);
    tx.commit();
    // Outside a transaction a statement is prepared for its one use.
    EXPECT_EQ(db.scalar("select Il from C_KISI where Key_No = :k", {{"k", 2}}).toString(), "İZMİR");
    EXPECT_EQ(db.cachedStatements(), before + 1);
}

TEST_F(DatabaseStatementsTest, TheKeptStatementsStayWithinTheirNumber)
{
    Transaction tx(db);
    for (int i = 0; i < Database::kStatementCacheSize + 20; ++i)
        EXPECT_EQ(db.scalar(QString("select %1 + Key_No from C_KISI where Key_No = 1").arg(i)).toInt(), i + 1);
    EXPECT_EQ(db.cachedStatements(), Database::kStatementCacheSize);
    // The ones used last are the ones kept, and still give their results.
    const QString last = QString("select %1 + Key_No from C_KISI where Key_No = 1").arg(Database::kStatementCacheSize + 19);
    EXPECT_EQ(db.scalar(last).toInt(), Database::kStatementCacheSize + 20);
    EXPECT_EQ(db.cachedStatements(), Database::kStatementCacheSize);
    tx.commit();
}

TEST_F(DatabaseStatementsTest, ResultsFollowASchemaChangeMadeHere)
{
    const QString all = "select * from C_KISI where Key_No = 1";
    Transaction tx(db);
    EXPECT_EQ(fieldsOf(all), QStringList({"Key_No", "Ad", "Il"}));
    EXPECT_GT(db.cachedStatements(), 0);
    db.exec("alter table C_KISI add column Kulup text");
    EXPECT_EQ(db.cachedStatements(), 0) << "a change of the schema drops the kept statements";
    EXPECT_EQ(fieldsOf(all), QStringList({"Key_No", "Ad", "Il", "Kulup"}));
    // A table made anew under the same name, with other columns.
    db.exec("drop table C_KISI");
    db.exec("create table C_KISI (Key_No integer primary key, Soyad text)");
    db.insert("C_KISI", {{"Key_No", 1}, {"Soyad", "KARA"}});
    EXPECT_EQ(fieldsOf(all), QStringList({"Key_No", "Soyad"}));
    EXPECT_EQ(db.first(all)->str("Soyad"), "KARA");
    tx.commit();
}

TEST_F(DatabaseStatementsTest, ResultsFollowASchemaChangeMadeByAnotherStation)
{
    const QString all = "select * from C_KISI where Key_No = 2";
    const QString insert = "insert into C_KISI (Key_No, Ad) values (?, ?)";
    {
        Transaction tx(db);
        EXPECT_EQ(fieldsOf(all), QStringList({"Key_No", "Ad", "Il"}));
        db.execPositional(insert, {3, "AYŞE"});
        tx.commit();
    }
    ASSERT_GT(db.cachedStatements(), 0);
    {
        Database other;
        other.open(path);
        other.exec("alter table C_KISI add column Kulup text");
        other.exec("update C_KISI set Kulup = 'GENÇLİK' where Key_No = 2");
    }
    // Outside a transaction and in the next one, the new column is there.
    EXPECT_EQ(fieldsOf(all), QStringList({"Key_No", "Ad", "Il", "Kulup"}));
    Transaction tx(db);
    const auto row = db.first(all);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->fieldNames(), QStringList({"Key_No", "Ad", "Il", "Kulup"}));
    EXPECT_EQ(row->str("Kulup"), "GENÇLİK");
    db.execPositional(insert, {4, "FATMA"});
    tx.commit();
    EXPECT_EQ(db.scalar("select count(*) from C_KISI").toInt(), 4);
}

TEST_F(DatabaseStatementsTest, AFailedStatementDoesNotSpoilItsNextUse)
{
    {
        Transaction tx(db);
        // A step that fails: the key is taken.
        const QString insert = "insert into C_KISI (Key_No, Ad) values (?, ?)";
        db.execPositional(insert, {3, "AYŞE"});
        EXPECT_THROW(db.execPositional(insert, {3, "İKİNCİ"}), DbError);
        EXPECT_EQ(db.execPositional(insert, {4, "FATMA"}), 1);
        EXPECT_EQ(db.scalar("select Ad from C_KISI where Key_No = 4").toString(), "FATMA");

        // A value not given: refused before the step, and given next time.
        const QString byName = "select Ad from C_KISI where Ad = :ad";
        EXPECT_EQ(db.scalar(byName, {{"ad", "ALİ"}}).toString(), "ALİ");
        try {
            db.scalar(byName, {{"name", "ALİ"}});
            FAIL() << "a missing value must be an error";
        } catch (const DbError& e) {
            EXPECT_EQ(e.text(), "Parametre değeri verilmedi: ad");
        }
        EXPECT_EQ(db.scalar(byName, {{"ad", "VELİ"}}).toString(), "VELİ");
        tx.commit();
    }

    // A statement whose table another station took away, then made again.
    const QString count = "select count(*) from C_EK";
    {
        Transaction tx(db);
        db.exec("create table C_EK (Ek_Key integer)");
        EXPECT_EQ(db.scalar(count).toInt(), 0);
        tx.commit();
    }
    {
        Database other;
        other.open(path);
        other.exec("drop table C_EK");
    }
    {
        Transaction tx(db);
        EXPECT_THROW(db.scalar(count), DbError);
        tx.commit();
    }
    Transaction tx(db);
    db.exec("create table C_EK (Ek_Key integer)");
    db.exec("insert into C_EK (Ek_Key) values (1)");
    EXPECT_EQ(db.scalar(count).toInt(), 1);
    tx.commit();
}

TEST_F(DatabaseStatementsTest, AFailureInATransactionStillRollsItBackWhole)
{
    const QString update = "update C_KISI set Ad = :ad where Key_No = :k";
    try {
        Transaction tx(db);
        db.exec(update, {{"ad", "DEĞİŞTİ"}, {"k", 1}});
        db.execPositional("insert into C_KISI (Key_No, Ad) values (?, ?)", {2, "AYNI ANAHTAR"});
        tx.commit();
        FAIL() << "a duplicate key must fail";
    } catch (const DbError&) {
    }
    EXPECT_EQ(db.scalar("select Ad from C_KISI where Key_No = 1").toString(), "ALİ");
    EXPECT_EQ(db.exec(update, {{"ad", "YENİ"}, {"k", 1}}), 1);
    EXPECT_EQ(db.scalar("select Ad from C_KISI where Key_No = 1").toString(), "YENİ");
}

TEST_F(DatabaseStatementsTest, NoBoundValueIsLeftOverFromAnEarlierUse)
{
    Transaction tx(db);
    // Fewer positional values than the statement has: an error, not the
    // value the last use bound.
    const QString insert = "insert into C_KISI (Key_No, Ad, Il) values (?, ?, ?)";
    db.execPositional(insert, {3, "AYŞE", "BURSA"});
    EXPECT_THROW(db.execPositional(insert, {4, "FATMA"}), DbError);
    EXPECT_EQ(db.scalar("select count(*) from C_KISI where Key_No = 4").toInt(), 0);
    db.execPositional(insert, {4, "FATMA", QVariant()});
    EXPECT_TRUE(db.first("select Il from C_KISI where Key_No = 4")->isNull("Il"));

    // A value that is no value this time is stored as none.
    const QString update = "update C_KISI set Il = :il where Key_No = :k";
    db.exec(update, {{"il", "KONYA"}, {"k", 1}});
    db.exec(update, {{"il", QVariant()}, {"k", 2}});
    EXPECT_EQ(db.scalar("select Il from C_KISI where Key_No = 1").toString(), "KONYA");
    EXPECT_TRUE(db.first("select Il from C_KISI where Key_No = 2")->isNull("Il"));

    // A placeholder used twice takes the one value of this use.
    const QString either = "select count(*) from C_KISI where Ad = :n or Il = :n";
    EXPECT_EQ(db.scalar(either, {{"n", "KONYA"}}).toInt(), 1);
    EXPECT_EQ(db.scalar(either, {{"n", "VELİ"}}).toInt(), 1);
    EXPECT_EQ(db.scalar(either, {{"n", "YOK"}}).toInt(), 0);
    tx.commit();
}

TEST_F(DatabaseStatementsTest, AKeptStatementLeftBeforeItsLastRowHoldsNoLock)
{
    // Two rows; only the first is read.
    const QString rows = "select Ad from C_KISI order by Key_No";
    {
        Transaction tx(db);
        EXPECT_EQ(db.scalar(rows).toString(), "ALİ");
        EXPECT_EQ(db.first(rows)->str("Ad"), "ALİ");
        tx.commit();
    }
    ASSERT_GT(db.cachedStatements(), 0);
    Database other;
    other.open(path);
    other.setBusyTimeout(50);
    EXPECT_NO_THROW({
        Transaction tx(other);
        other.exec("update C_KISI set Ad = 'ALİ RIZA' where Key_No = 1");
        tx.commit();
    });
    EXPECT_EQ(db.scalar(rows).toString(), "ALİ RIZA");
}

TEST_F(DatabaseStatementsTest, StatementsWorkAgainAfterTheFileIsClosedAndOpened)
{
    const QString sql = "select Ad from C_KISI where Key_No = :k";
    {
        Transaction tx(db);
        EXPECT_EQ(db.scalar(sql, {{"k", 1}}).toString(), "ALİ");
        tx.commit();
    }
    db.close();
    EXPECT_EQ(db.cachedStatements(), 0);
    EXPECT_THROW(db.scalar(sql, {{"k", 1}}), DbError);
    db.open(path);
    Transaction tx(db);
    EXPECT_EQ(db.scalar(sql, {{"k", 2}}).toString(), "VELİ");
    tx.commit();
}

} // namespace DbStatementsTestLocal
