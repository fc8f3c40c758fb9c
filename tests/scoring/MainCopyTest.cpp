// The copy of decided bouts into the main database "M:\QVX_PROG\Fdr.mdb",
// with drive M: mapped to a second folder as a network drive.
#include "LiveFixture.h"

#include "app/BrivexSchema.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QString kMain = QStringLiteral("M:\\QVX_PROG\\Fdr.mdb");

class MainCopyTest : public LiveTest {
protected:
    void SetUp() override
    {
        LiveTest::SetUp();
        ASSERT_TRUE(mainDir.isValid());
        DriveMap::mapDrive('M', mainDir.path(), true);
        addBout(1, {"AHMET", 11}, {"BEKİR", 12}, "YARI FİNAL", "1");
        addBout(2, {"CEM", 13}, {"DAVUT", 14}, "YARI FİNAL", "2");
        addBout(3, {"-", {}}, {"-", {}}, "3.'LÜK MAÇI", "1");
        addBout(4, {"YARI FİNAL 1.MAÇ", {}, "", ""}, {"YARI FİNAL 2.MAÇ", {}, "", ""}, "FİNAL", "1");
    }

    void TearDown() override
    {
        main.close();
        LiveTest::TearDown();
    }

    // The main database with the same draw as the station. With
    // `reversed` its bout table holds the columns in the opposite order.
    void makeMain(bool reversed = false)
    {
        const QString file = DriveMap::toHost(kMain);
        QDir().mkpath(QFileInfo(file).path());
        main.open(file, false);
        if (reversed) {
            const TableDef* table = brivexSchema().table("C_KURA");
            QStringList columns;
            for (const ColumnDef& c : table->columns)
                columns.prepend(Schema::columnSql(c));
            main.exec("create table C_KURA (" + columns.join(", ") + ")");
        } else {
            brivexSchema().create(main);
        }
        for (const Record& r : db.select("select * from C_KURA order by Kura_Key"))
            main.insert("C_KURA", r.toMap());
    }

    Record mainBout(int key)
    {
        const auto r = main.first("select * from C_KURA where Kura_Key = :k", {{"k", key}});
        EXPECT_TRUE(r.has_value()) << "no main bout " << key;
        return r.value_or(Record());
    }

    void decideBout(int key, int side, const QString& decision)
    {
        openBout(key);
        decide(side, decision);
        Skor->close();
    }

    QTemporaryDir mainDir;
    Database main;
};

TEST_F(MainCopyTest, TheDecidedBoutAndTheBoutItFeedsArrive)
{
    makeMain();
    openBout(1);
    judgePoint(1, true);
    decide(0, "KO");
    const Record semi = mainBout(1);
    EXPECT_EQ(semi.str("Galip"), "11");
    EXPECT_EQ(semi.str("Salon"), "AHMET");
    EXPECT_EQ(semi.str("Karar"), "KO");
    EXPECT_EQ(semi.toInt("Puan1"), 3);
    EXPECT_EQ(semi.toInt("H1M"), 1);
    EXPECT_EQ(semi.str("R1"), "1;0;0;0;0;0;0;0;0;0;0;0");
    EXPECT_EQ(semi.str("H2"), "VELİ");
    EXPECT_EQ(semi.str("Skor"), "1001");
    const Record final = mainBout(4);
    EXPECT_EQ(final.str("Ad1"), "AHMET");
    EXPECT_EQ(final.toInt("Sira1"), 11);
    EXPECT_EQ(final.toInt("Tur_Key1"), 1);
    EXPECT_EQ(final.str("Ad2"), "YARI FİNAL 2.MAÇ") << "a side without a back number is left alone";
    EXPECT_TRUE(ui().texts().isEmpty());
    EXPECT_TRUE(MainDatabaseCopy::pendingKeys(db).isEmpty());
}

TEST_F(MainCopyTest, ColumnsAreCopiedByNameNotByPosition)
{
    makeMain(true);
    openBout(1);
    judgePoint(2, false);
    decide(1, "RSC");
    const Record semi = mainBout(1);
    EXPECT_EQ(semi.str("Galip"), "12");
    EXPECT_EQ(semi.str("Salon"), "BEKİR");
    EXPECT_EQ(semi.str("Karar"), "RSC");
    EXPECT_EQ(semi.toInt("H2K"), 1);
    EXPECT_EQ(semi.toInt("Puan2"), 3);
    EXPECT_EQ(semi.str("Brans"), kBranch);
    EXPECT_EQ(mainBout(4).str("Ad1"), "BEKİR");
}

TEST_F(MainCopyTest, TheFinalIsCopiedAlone)
{
    makeMain();
    db.update("C_KURA", {{"Ad1", "AHMET"}, {"Sira1", 11}, {"Ad2", "DAVUT"}, {"Sira2", 14}}, "Kura_Key = 4");
    decideBout(4, 1, "Points");
    EXPECT_EQ(state->FChangedBoutKeys, "4");
    const Record final = mainBout(4);
    EXPECT_EQ(final.str("Galip"), "14");
    EXPECT_EQ(final.str("Ad1"), "AHMET") << "the whole row comes from the station";
    EXPECT_EQ(mainBout(1).str("Galip"), "");
}

TEST_F(MainCopyTest, DecidedResetDecidedTheOtherWayEndsRightInTheMainDatabase)
{
    makeMain();
    decideBout(1, 0, "KO");
    EXPECT_EQ(mainBout(4).str("Ad1"), "AHMET");
    match->current = 1;
    modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
    live->SkorboardSfrla1Click();
    decideBout(1, 1, "Disq");
    const Record semi = mainBout(1);
    EXPECT_EQ(semi.str("Galip"), "12");
    EXPECT_EQ(semi.str("Karar"), "Disq");
    const Record final = mainBout(4);
    EXPECT_EQ(final.str("Ad1"), "BEKİR");
    EXPECT_EQ(final.toInt("Sira1"), 12);
}

TEST_F(MainCopyTest, AnUnreachableMainDatabaseKeepsTheBoutsUntilTheNextCopy)
{
    makeMain();
    main.close();
    const QString file = DriveMap::toHost(kMain);
    ASSERT_TRUE(QFile::rename(file, file + ".away"));

    decideBout(1, 0, "KO");
    EXPECT_EQ(ui().texts(), QStringList{MainDatabaseCopy::unreachableMessage()});
    EXPECT_EQ(MainDatabaseCopy::pendingKeys(db), (QStringList{"1", "4"}));
    EXPECT_EQ(bout(1).str("Karar"), "KO") << "the station keeps the decision";

    ASSERT_TRUE(QFile::rename(file + ".away", file));
    main.open(file);
    ui().clear();
    decideBout(2, 1, "Points");
    EXPECT_TRUE(ui().texts().isEmpty());
    EXPECT_TRUE(MainDatabaseCopy::pendingKeys(db).isEmpty());
    EXPECT_EQ(mainBout(1).str("Galip"), "11");
    EXPECT_EQ(mainBout(2).str("Galip"), "14");
    const Record final = mainBout(4);
    EXPECT_EQ(final.str("Ad1"), "AHMET");
    EXPECT_EQ(final.str("Ad2"), "DAVUT");
}

TEST_F(MainCopyTest, AMainDatabaseThatCannotBeReadKeepsTheBoutsPending)
{
    writeFile(DriveMap::toHost(kMain), QByteArray(4096, 'x'));
    decideBout(1, 0, "KO");
    EXPECT_EQ(ui().texts(), QStringList{MainDatabaseCopy::unreachableMessage()});
    EXPECT_EQ(MainDatabaseCopy::pendingKeys(db), (QStringList{"1", "4"}));
}

TEST_F(MainCopyTest, ABoutMissingInTheMainDatabaseIsReported)
{
    makeMain();
    main.exec("delete * from C_KURA where Kura_Key = 4");
    decideBout(1, 0, "KO");
    EXPECT_EQ(ui().texts(), QStringList{kBranch + "/ FİNAL, Sistemde bulunamadı...!"});
    EXPECT_EQ(mainBout(1).str("Galip"), "11");
    EXPECT_TRUE(MainDatabaseCopy::pendingKeys(db).isEmpty());
}

TEST_F(MainCopyTest, AStationWithoutAMainDatabaseCopiesNothingAndSaysNothing)
{
    DriveMap::unmapDrive('M');
    decideBout(1, 0, "KO");
    EXPECT_TRUE(ui().texts().isEmpty());
    EXPECT_TRUE(MainDatabaseCopy::pendingKeys(db).isEmpty());
}

TEST_F(MainCopyTest, AStationWorkingOnTheMainDatabaseMakesNoCopy)
{
    makeMain();
    RegistryValues::setDbq(kMain);
    live->activate();
    EXPECT_EQ(live->FProgramFolder, "M:\\QVX_PROG\\");
    decideBout(1, 0, "KO");
    EXPECT_EQ(mainBout(1).str("Galip"), "");
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(MainCopyTest, ABusyMainDatabaseIsRetriedQuietlyAndTheBoutsGoWithTheNextCopy)
{
    makeMain();
    db.update("C_KURA", {{"Galip", "11"}, {"Karar", "KO"}}, "Kura_Key = 1");
    // Another ring writes into the main database through every try.
    main.begin();
    main.exec("update C_KURA set Skor = 'x' where Kura_Key = 2");
    MainDatabaseCopy copy(db, "C:\\CO\\QVX_PROG\\", kMain);
    copy.setBusyWait(20);
    EXPECT_EQ(copy.copy("1"), MainDatabaseCopy::Result::Busy);
    EXPECT_TRUE(ui().texts().isEmpty()) << "busy is not unreachable";
    EXPECT_EQ(MainDatabaseCopy::pendingKeys(db), QStringList{"1"});
    main.commit();
    EXPECT_EQ(copy.copy(""), MainDatabaseCopy::Result::Copied);
    EXPECT_TRUE(ui().texts().isEmpty());
    EXPECT_TRUE(MainDatabaseCopy::pendingKeys(db).isEmpty());
    EXPECT_EQ(mainBout(1).str("Galip"), "11");
    EXPECT_EQ(mainBout(2).str("Skor"), "x");
}

TEST_F(MainCopyTest, AWaitingListLeftInTheSettingsByAnEarlierVersionGoesWithTheNextCopy)
{
    makeMain();
    db.update("C_KURA", {{"Galip", "11"}, {"Salon", "AHMET"}, {"Karar", "KO"}}, "Kura_Key = 1");
    db.update("C_KURA", {{"Ad1", "AHMET"}, {"Sira1", 11}}, "Kura_Key = 4");
    {
        Registry reg(Registry::HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.openKey("\\Software\\Brivex\\Scoring", true));
        ASSERT_TRUE(reg.writeString("PendingMainCopy", "1,4"));
    }
    EXPECT_EQ(MainDatabaseCopy(db, "C:\\CO\\QVX_PROG\\", kMain).copy(""), MainDatabaseCopy::Result::Copied);
    EXPECT_EQ(mainBout(1).str("Galip"), "11");
    EXPECT_EQ(mainBout(4).str("Ad1"), "AHMET");
    EXPECT_TRUE(MainDatabaseCopy::pendingKeys(db).isEmpty());
    Registry reg(Registry::HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.openKeyReadOnly("\\Software\\Brivex\\Scoring"));
    EXPECT_FALSE(reg.valueExists("PendingMainCopy")) << "the settings no longer hold a list";
}

} // namespace
