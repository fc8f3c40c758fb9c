// Failures of the database layer as a user meets them: another station's
// lock, a full disk, a read-only folder, a damaged or empty file, and the
// dialect's corner cases.
#include "platform/db/Database.h"
#include "platform/db/JetSql.h"
#include "platform/db/Schema.h"
#include "platform/db/SqlFunctions.h"
#include "platform/paths/DriveMap.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace DbFaultsTestLocal {

class DatabaseFaultsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        DriveMap::setDataRoot(dir.path());
        path = dir.filePath("shared.mdb");
        db.open(path, false);
        Schema s;
        s.addTable({"C_KISI", {Col::integer("Key_No"), Col::text("Ad")}, "Key_No", {}});
        s.create(db);
    }
    int count(Database& d) { return d.scalar("select count(*) from C_KISI").toInt(); }

    QTemporaryDir dir;
    QString path;
    Database db;
};

TEST_F(DatabaseFaultsTest, AWriteTransactionTakesTheLockAtItsStartAndALockPastTheWaitIsATurkishBusyError)
{
    Database other;
    other.open(path);
    other.setBusyTimeout(50);
    db.begin();
    db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "ALİ"}});
    // The other station cannot even start: its transaction is refused whole,
    // not half-way after a read.
    try {
        Transaction tx(other);
        other.insert("C_KISI", {{"Key_No", 2}, {"Ad", "VELİ"}});
        tx.commit();
        FAIL() << "the lock was not noticed";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Busy);
        EXPECT_EQ(e.text(), DbError::textFor(DbError::Kind::Busy));
        EXPECT_TRUE(e.detail().contains("database is locked")) << e.detail().toStdString();
        EXPECT_TRUE(e.message().startsWith(DbError::textFor(DbError::Kind::Busy)));
    }
    db.commit();
    EXPECT_FALSE(other.inTransaction());
    // Once the lock is gone the other station writes as usual.
    Transaction tx(other);
    other.insert("C_KISI", {{"Key_No", 2}, {"Ad", "VELİ"}});
    tx.commit();
    EXPECT_EQ(count(db), 2);
}

TEST_F(DatabaseFaultsTest, AReadThenWriteTransactionOfAnotherConnectionWaitsForTheWriterInsteadOfFailing)
{
    // The other connection reads first and then writes, as the counter and
    // the person save do; it starts as a write, so it queues behind `db`.
    Database other;
    other.open(path);
    other.setBusyTimeout(50);
    Transaction tx(other);
    EXPECT_EQ(count(other), 0);
    other.insert("C_KISI", {{"Key_No", 1}, {"Ad", "ALİ"}});
    // `db` meets the lock at its begin, before reading anything.
    db.setBusyTimeout(50);
    EXPECT_THROW(db.begin(), DbError);
    EXPECT_FALSE(db.inTransaction());
    tx.commit();
    db.begin();
    db.insert("C_KISI", {{"Key_No", 2}, {"Ad", "VELİ"}});
    db.commit();
    EXPECT_EQ(count(other), 2);
}

TEST_F(DatabaseFaultsTest, EngineFailuresGetTheirTurkishTextAndKeepTheEnginesTextAsDetail)
{
    struct Case {
        int code;
        const char* engineText;
        DbError::Kind kind;
    };
    const Case cases[] = {
        {5, "database is locked", DbError::Kind::Busy},
        {6, "database table is locked", DbError::Kind::Busy},
        {8, "attempt to write a readonly database", DbError::Kind::ReadOnly},
        {13, "database or disk is full", DbError::Kind::DiskFull},
        {11, "database disk image is malformed", DbError::Kind::Damaged},
        {26, "file is not a database", DbError::Kind::NotADatabase},
        {0, "file is not a database", DbError::Kind::NotADatabase},   // Qt gave no code
        {1, "no such table: C_YOK", DbError::Kind::Other},
    };
    for (const Case& c : cases) {
        const DbError e = DbError::fromEngine(c.code, QString(c.engineText) + "\nupdate C_SAYI set sayi1 = 1");
        EXPECT_EQ(e.kind(), c.kind) << c.engineText;
        if (c.kind == DbError::Kind::Other) {
            EXPECT_EQ(e.message(), QString(c.engineText) + "\nupdate C_SAYI set sayi1 = 1");
        } else {
            EXPECT_EQ(e.text(), DbError::textFor(c.kind));
            EXPECT_FALSE(e.text().contains(c.engineText));
            EXPECT_TRUE(e.message().contains(c.engineText)) << "the detail for support";
        }
    }
}

TEST_F(DatabaseFaultsTest, AFullDiskIsReportedInTurkishAndTheTransactionLeavesNothing)
{
    db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "ALİ"}});
    const int pages = db.scalar("PRAGMA page_count").toInt();
    db.exec(QString("PRAGMA max_page_count = %1").arg(pages));
    try {
        Transaction tx(db);
        for (int k = 2; k < 2000; ++k)
            db.insert("C_KISI", {{"Key_No", k}, {"Ad", QString(200, QChar('A'))}});
        tx.commit();
        FAIL() << "the file did not fill";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::DiskFull);
        EXPECT_EQ(e.text(), DbError::textFor(DbError::Kind::DiskFull));
    }
    EXPECT_EQ(count(db), 1);
}

TEST_F(DatabaseFaultsTest, AReadOnlyConnectionIsReportedInTurkish)
{
    db.exec("PRAGMA query_only = 1");
    try {
        db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "ALİ"}});
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::ReadOnly);
    }
}

TEST_F(DatabaseFaultsTest, AFolderWhereTheJournalCannotBeMadeIsFoundBeforeTheFirstWrite)
{
    db.close();
    // The engine's journal beside the file cannot be made (its name leads
    // into a folder that is not there), as in a read-only folder.
    ASSERT_TRUE(QFile::link(dir.filePath("no-such-folder/journal"), path + "-journal"));
    db.open(path);
    try {
        db.checkWritable();
        FAIL() << "the check passed";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::ReadOnly);
    }
    ASSERT_TRUE(QFile::remove(path + "-journal"));
    EXPECT_NO_THROW(db.checkWritable());
    EXPECT_EQ(count(db), 0);
}

TEST_F(DatabaseFaultsTest, EmptyAndForeignFilesAreRefusedAsNoDatabaseAndStayUnchanged)
{
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty.mdb", QByteArray()},
        {"text.mdb", QByteArray("Standard Jet DB\0\0\0 not really", 30) + QByteArray(4096, 'x')},
    };
    for (const Case& c : cases) {
        const QString file = dir.filePath(c.name);
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        Database other;
        try {
            other.open(file);
            FAIL() << c.name;
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::NotADatabase) << c.name << " " << e.message().toStdString();
            EXPECT_EQ(e.text(), DbError::textFor(DbError::Kind::NotADatabase));
        }
        EXPECT_EQ(QFileInfo(file).size(), c.bytes.size()) << c.name;
    }
}

TEST_F(DatabaseFaultsTest, ADamagedFileIsReportedAsDamaged)
{
    for (int k = 1; k <= 400; ++k)
        db.insert("C_KISI", {{"Key_No", k}, {"Ad", QString(100, QChar('A' + k % 26))}});
    db.close();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const qint64 size = f.size();
    ASSERT_GT(size, 4 * 4096);
    // The pages after the first are overwritten with noise.
    f.seek(4096);
    f.write(QByteArray(int(size - 4096), char(0x5A)));
    f.close();
    try {
        db.open(path);
        db.select("select * from C_KISI order by Ad");
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Damaged) << e.message().toStdString();
    }
}

// --- The dialect ----------------------------------------------------------

TEST_F(DatabaseFaultsTest, TypedTextInALikePatternIsSearchedLiterally)
{
    db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "100% PAMUK"}});
    db.insert("C_KISI", {{"Key_No", 2}, {"Ad", "1000 PAMUK"}});
    db.insert("C_KISI", {{"Key_No", 3}, {"Ad", "A_B"}});
    db.insert("C_KISI", {{"Key_No", 4}, {"Ad", "AXB"}});
    db.insert("C_KISI", {{"Key_No", 5}, {"Ad", "[X]"}});
    struct Case {
        QString typed;
        QStringList found;
    };
    const Case cases[] = {
        {"100%", {"100% PAMUK"}},
        {"A_B", {"A_B"}},
        {"[X", {"[X]"}},
        {"pamuk", {"100% PAMUK", "1000 PAMUK"}},
    };
    for (const Case& c : cases) {
        QStringList found;
        for (const Record& r : db.select("select Ad from C_KISI where Ad like :a order by Key_No",
                                         {{"a", "%" + SqlFunctions::likeLiteral(c.typed) + "%"}}))
            found << r.str("Ad");
        EXPECT_EQ(found, c.found) << c.typed.toStdString();
    }
}

TEST_F(DatabaseFaultsTest, AJoinTakesNullAsAnEmptyText)
{
    db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "ALİ"}});
    db.insert("C_KISI", {{"Key_No", 2}});
    EXPECT_EQ(db.scalar("select Ad & '/' & Null & 'X' from C_KISI where Key_No = 1").toString(), "ALİ/X");
    EXPECT_EQ(db.scalar("select '(' & Ad & ')' from C_KISI where Key_No = 2").toString(), "()");
    EXPECT_EQ(db.scalar("select UCase(Ad) & Mid('abc', 2) from C_KISI where Key_No = 1").toString(), "ALİbc");
    EXPECT_EQ(db.scalar("select (Ad & 'x') & (Null & 'y') from C_KISI where Key_No = 2").toString(), "xy");
    EXPECT_EQ(db.scalar("select 'a' & -1 & Null").toString(), "a-1");
}

TEST_F(DatabaseFaultsTest, SortingOnAComputedTextKeepsTheTurkishOrder)
{
    int key = 0;
    for (const char* n : {"ÇAĞRI", "DENİZ", "CEM", "İLKER", "IŞIK", "ÖZGÜR", "OSMAN"})
        db.insert("C_KISI", {{"Key_No", ++key}, {"Ad", QString::fromUtf8(n)}});
    const QStringList turkish = {"CEM", "ÇAĞRI", "DENİZ", "IŞIK", "İLKER", "OSMAN", "ÖZGÜR"};
    for (const char* order : {"Ad & ''", "UCase(Ad)", "Ad & '' desc", "Mid(Ad, 1), Key_No"}) {
        QStringList names;
        for (const Record& r : db.select(QString("select Ad from C_KISI order by %1").arg(order)))
            names << r.str("Ad");
        QStringList expected = turkish;
        if (QString(order).endsWith("desc"))
            std::reverse(expected.begin(), expected.end());
        EXPECT_EQ(names, expected) << order;
    }
}

// Jet has no comments: "--" and "/*" are operators, a quote after them opens
// a string as anywhere else, and one text is one statement.
TEST_F(DatabaseFaultsTest, StatementsKeepJetsReadingOfDashesAndASecondStatementIsATurkishError)
{
    db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "ALİ"}});
    struct Case {
        QString jet;
        QString sqlite;     // the translation
        QVariant value;     // what it gives; invalid: refused
        bool second;        // refused as a second statement
    };
    const Case cases[] = {
        {"select 5--3", "select 5- -3", 8, false},
        {"select 3 -True", "select 3 - -1", 4, false},
        {"select 7 - -2", "select 7 - -2", 9, false},
        // The quote after "--" opens a string; its ";" is text.
        {"select 'x' & Ad & --'; ' from C_KISI", "select 'x' || coalesce(Ad, '') || - -'; ' from C_KISI", "xALİ0",
         false},
        {"select '--not a comment', \"/*nor this*/\"", "select '--not a comment', '/*nor this*/'", "--not a comment",
         false},
        {"select 12/*2*/3", "select 12/ *2*/3", QVariant(), false},
        {"select 1;", "select 1;", 1, false},
        {"select 1;  \n", "select 1;  \n", 1, false},
        {"select Ad as [a;b] from C_KISI", "select Ad as \"a;b\" from C_KISI", "ALİ", false},
        {"select 1; delete * from C_KISI", "select 1; delete from C_KISI", QVariant(), true},
        {"select 1 --'\n; delete * from C_KISI", "select 1 - -'\n; delete * from C_KISI", QVariant(), false},
        {"select 1; -- '\ndelete * from C_KISI", "select 1; - - '\ndelete * from C_KISI", QVariant(), true},
        {"select 1;;", "select 1;;", QVariant(), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JetSql::translate(c.jet), c.sqlite) << c.jet.toStdString();
        try {
            const QVariant v = db.scalar(c.jet);
            EXPECT_TRUE(c.value.isValid()) << c.jet.toStdString() << " ran";
            EXPECT_EQ(v.toString(), c.value.toString()) << c.jet.toStdString();
        } catch (const DbError& e) {
            EXPECT_FALSE(c.value.isValid()) << c.jet.toStdString() << ": " << e.message().toStdString();
            EXPECT_EQ(e.text() == Database::kSecondStatement, c.second) << c.jet.toStdString();
            if (c.second) {
                EXPECT_EQ(e.message(), QString(Database::kSecondStatement) + "\n\nAyrıntı: " + c.jet);
            }
        }
        EXPECT_EQ(count(db), 1) << c.jet.toStdString();
    }
    // Writing statements and the scrollable query refuse a second one too.
    EXPECT_THROW(db.exec("delete * from C_KISI; delete * from C_KISI"), DbError);
    EXPECT_THROW(db.run("select * from C_KISI; delete * from C_KISI"), DbError);
    EXPECT_EQ(count(db), 1);
    // The ";" inside a trigger's body ends no statement; one after its end
    // does.
    const QString trigger = "create trigger kisi_kilit before delete on C_KISI begin select raise(abort, 'kilitli'); end";
    EXPECT_THROW(db.exec(trigger + "; delete * from C_KISI"), DbError);
    EXPECT_FALSE(db.scalar("select count(*) from sqlite_master where name = 'kisi_kilit'").toInt());
    db.exec(trigger + ";");
    EXPECT_THROW(db.exec("delete * from C_KISI"), DbError);
    EXPECT_EQ(count(db), 1);
    db.exec("drop trigger kisi_kilit");
}

TEST_F(DatabaseFaultsTest, FunctionArgumentsOutOfRangeAreErrorsNotUndefinedConversions)
{
    EXPECT_THROW(db.scalar("select CInt(1e300)"), DbError);
    EXPECT_THROW(db.scalar("select Int(-1e300)"), DbError);
    EXPECT_THROW(db.scalar("select Fix(9e18 * 10)"), DbError);
    EXPECT_THROW(db.scalar("select Space(2000000000)"), DbError);
    EXPECT_EQ(db.scalar("select Len(Space(3))").toInt(), 3);
    EXPECT_EQ(db.scalar("select Mid('abc', 9999999999)").toString(), "");
    EXPECT_EQ(db.scalar("select Mid('abc', 2, 9999999999)").toString(), "bc");
    EXPECT_EQ(db.scalar("select Mid('abc', -5, -5)").toString(), "");
    EXPECT_EQ(db.scalar("select InStr(99999999999, 'abc', 'b')").toInt(), 0);
    EXPECT_TRUE(db.scalar("select Year(1e300)").isNull());
}

} // namespace DbFaultsTestLocal
