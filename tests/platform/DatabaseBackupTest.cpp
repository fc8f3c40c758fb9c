// The backup copy of a database in use.
#include "platform/db/DatabaseBackup.h"
#include "platform/db/Database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DatabaseBackupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        live.open(dir.filePath("Fdr.mdb"), false);
        live.exec("create table T (K integer primary key, Ad text)");
        Transaction tx(live);
        for (int i = 1; i <= 200; ++i)
            live.insert("T", {{"K", i}, {"Ad", QString("SPORCU %1 ŞÜKRÜ").arg(i)}});
        tx.commit();
        QDir().mkpath(dir.filePath("yedek"));
        target = dir.filePath("yedek/Fdr.mdb");
    }
    static int rowsIn(const QString& file)
    {
        Database d;
        d.open(file, true);
        return d.scalar("select count(*) from T").toInt();
    }

    QTemporaryDir dir;
    Database live;
    QString target;
};

TEST_F(DatabaseBackupTest, TheCopyHoldsTheCommittedRowsWhileAnotherConnectionWrites)
{
    Database writer;
    writer.open(dir.filePath("Fdr.mdb"), true);
    writer.begin();
    writer.exec("delete from T where K > 100");
    writer.insert("T", {{"K", 500}, {"Ad", "YARIM"}});

    DatabaseBackup::copyTo(live, target);
    writer.commit();

    EXPECT_EQ(rowsIn(target), 200) << "the copy is the state before the unfinished write";
    EXPECT_FALSE(QFile::exists(DatabaseBackup::temporaryNameFor(target)));
    EXPECT_FALSE(QFile::exists(target + "-journal"));
    Database copy;
    copy.open(target, true);
    EXPECT_EQ(copy.scalar("PRAGMA integrity_check").toString(), "ok");
    EXPECT_EQ(copy.scalar("select Ad from T where K = 7").toString(), "SPORCU 7 ŞÜKRÜ");
    copy.close();

    // A second backup replaces the first with the new state.
    DatabaseBackup::copyTo(live, target);
    EXPECT_EQ(rowsIn(target), 101);
}

TEST_F(DatabaseBackupTest, AFailedCopyKeepsTheOldBackupWhole)
{
    DatabaseBackup::copyTo(live, target);
    live.exec("delete from T");
    // The temporary name cannot be written: a folder stands there.
    QDir().mkpath(DatabaseBackup::temporaryNameFor(target) + "/x");
    try {
        DatabaseBackup::copyTo(live, target);
        FAIL() << "the copy reported success";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().startsWith("Yedek dosyası oluşturulamadı: ")) << e.message().toStdString();
    }
    EXPECT_EQ(rowsIn(target), 200);
}

TEST_F(DatabaseBackupTest, AClosedDatabaseIsNoCopy)
{
    live.close();
    EXPECT_THROW(DatabaseBackup::copyTo(live, target), DbError);
    EXPECT_FALSE(QFile::exists(target));
}

} // namespace
