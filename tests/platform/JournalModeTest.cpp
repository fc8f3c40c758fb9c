// The journal mode by who opens the file: a private station's database (WAL)
// opens on its own machine and is refused through a remote drive or a ring
// name; a shared station's (DELETE) opens either way.
#include "platform/db/Database.h"
#include "platform/db/JournalMode.h"
#include "platform/paths/DriveMap.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace JournalModeTestLocal {

// A database file of one table in the folder `folder`/QVX_PROG, in WAL mode
// when `wal`.
QString journalTestFile(const QString& folder, bool wal)
{
    QDir().mkpath(folder + "/QVX_PROG");
    const QString file = folder + "/QVX_PROG/Fdr.mdb";
    Database db;
    db.open(file, false);
    db.exec("create table C_SAYI (sayi1 integer)");
    if (wal)
        JournalMode::makePrivate(db);
    return file;
}

struct JournalOpenCase {
    const char* name;
    bool wal;
    const char* path;       // the path the program opens
    bool refused;
};

void PrintTo(const JournalOpenCase& c, std::ostream* os) { *os << c.name; }

} // namespace JournalModeTestLocal

using namespace JournalModeTestLocal;

class JournalModeOpen : public ::testing::TestWithParam<JournalOpenCase> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        DriveMap::setDataRoot(dir.path());
        file = journalTestFile(dir.path() + "/main", GetParam().wal);
        DriveMap::mapDrive('M', dir.path() + "/main", true);
        DriveMap::mapDrive('N', dir.path() + "/main", false);
        DriveMap::mapRing("RING2", dir.path() + "/ring2");
        QDir().mkpath(dir.path() + "/ring2");
        QFile::link(dir.path() + "/main", dir.path() + "/ring2/CO");
    }
    void TearDown() override
    {
        DriveMap::unmapDrive('M');
        DriveMap::unmapDrive('N');
    }
    QTemporaryDir dir;
    QString file;
};

TEST_P(JournalModeOpen, ByWhereTheFileIsReachedFrom)
{
    const JournalOpenCase& c = GetParam();
    EXPECT_EQ(JournalMode::isWalFile(file), c.wal);
    Database db;
    if (c.refused) {
        try {
            db.open(c.path);
            FAIL() << "opened";
        } catch (const DbError& e) {
            EXPECT_EQ(e.message(), QString("Bu veritabanı yalnız kendi bilgisayarında açılabilen özel bir istasyona "
                                           "ait (WAL günlük kipi). Ağ sürücüsü ya da ring adı üzerinden açılamaz: ") +
                                       c.path);
        }
        EXPECT_FALSE(db.isOpen());
        return;
    }
    ASSERT_NO_THROW(db.open(c.path));
    EXPECT_EQ(JournalMode::current(db), c.wal ? "WAL" : "DELETE");
    // Full synchronisation in both modes.
    EXPECT_EQ(db.scalar("PRAGMA synchronous").toInt(), 2);
    EXPECT_EQ(db.scalar("select count(*) from C_SAYI").toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, JournalModeOpen,
    ::testing::Values(JournalOpenCase{"PrivateOnItsOwnDisk", true, "N:\\QVX_PROG\\Fdr.mdb", false},
                      JournalOpenCase{"PrivateThroughARemoteDrive", true, "M:\\QVX_PROG\\Fdr.mdb", true},
                      JournalOpenCase{"PrivateThroughARingName", true, "\\\\RING2\\CO\\QVX_PROG\\Fdr.mdb", true},
                      JournalOpenCase{"SharedThroughARemoteDrive", false, "M:\\QVX_PROG\\Fdr.mdb", false},
                      JournalOpenCase{"SharedThroughARingName", false, "\\\\RING2\\CO\\QVX_PROG\\Fdr.mdb", false},
                      JournalOpenCase{"SharedOnItsOwnDisk", false, "N:\\QVX_PROG\\Fdr.mdb", false}),
    [](const ::testing::TestParamInfo<JournalOpenCase>& info) { return std::string(info.param.name); });

TEST(JournalModeFile, ANewDatabaseIsSharedAndStaysWalOnceMadePrivate)
{
    QTemporaryDir dir;
    const QString file = dir.path() + "/Fdr.mdb";
    {
        Database db;
        db.open(file, false);
        db.exec("create table T (A integer)");
        EXPECT_EQ(JournalMode::current(db), "DELETE");
        EXPECT_FALSE(JournalMode::isWalFile(file));
        JournalMode::makePrivate(db);
        db.exec("insert into T (A) values (1)");
    }
    // Kept in the file: the next opening finds it.
    EXPECT_TRUE(JournalMode::isWalFile(file));
    Database again;
    again.open(file);
    EXPECT_EQ(JournalMode::current(again), "WAL");
    EXPECT_EQ(again.scalar("select A from T").toInt(), 1);
}

TEST(JournalModeFile, WhatIsNoDatabaseIsNoWalFile)
{
    QTemporaryDir dir;
    QFile text(dir.path() + "/x.mdb");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(100, '\2'));
    text.close();
    EXPECT_FALSE(JournalMode::isWalFile(text.fileName()));
    EXPECT_FALSE(JournalMode::isWalFile(dir.path() + "/missing.mdb"));
}
