// Faults of the base that a station must survive: a counter cell that is no
// number, an empty or unwritable database file at login, a screen whose
// activation failed once, a failure inside a slot, a settings file that
// cannot be written.
#include "app/Main.h"
#include "app/Sifre.h"
#include "app/Station.h"
#include "app/kit/DbConventions.h"
#include "app/kit/Form.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "platform/ui/Guarded.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

namespace RelAppTestLocal {

class CounterCellTest : public StationTest {};

TEST_F(CounterCellTest, ACounterCellThatIsNoNumberIsAnErrorAndNothingChanges)
{
    struct Case {
        QVariant stored;
        int next;           // 0: an error
    };
    const Case cases[] = {
        {QVariant(), 1},
        {41, 42},
        {QString("41"), 42},
        {QString("abc"), 0},
        {QString("12abc"), 0},
    };
    for (const Case& c : cases) {
        db.exec("update C_SAYI set sayi1 = :v", {{"v", c.stored}});
        if (c.next) {
            EXPECT_EQ(Counters::next(db, "sayi1"), c.next) << c.stored.toString().toStdString();
            continue;
        }
        try {
            Counters::next(db, "sayi1");
            FAIL() << c.stored.toString().toStdString();
        } catch (const DbError& e) {
            EXPECT_EQ(e.message(), QString("C_SAYI tablosunun sayi1 alanındaki sayaç değeri bir sayı değil: \"%1\"")
                                       .arg(c.stored.toString()));
        }
        EXPECT_EQ(db.scalar("select sayi1 from C_SAYI").toString(), c.stored.toString());
    }
}

class LoginFaultsTest : public ScreensTest {
protected:
    QString databaseFile() { return DriveMap::toHost(RegistryValues::dbq()); }
    // A file that is no database: its message, and only "Çıkış" left.
    void runUnopenedLogin()
    {
        modals().expect("TSifre", [](QDialog* d) {
            EXPECT_FALSE(child<QPushButton>(d, "BitBtn1")->isVisibleTo(d));
            click(child<QPushButton>(d, "BitBtn2"));
        });
        Main->FormShow();
        ASSERT_EQ(ui().count(), 1);
        EXPECT_EQ(ui().requests.first().kind, UiRequest::Error);
        EXPECT_TRUE(Main->programEnded());
    }
    void runRefusedLogin()
    {
        modals().expect("TSifre", [](QDialog* d) { EXPECT_FALSE(d->isVisible()) << "the refusal closed the window"; });
        Main->FormShow();
        EXPECT_EQ(Sifre->FLoginState, 0);
        EXPECT_TRUE(Main->programEnded());
    }
};

TEST_F(LoginFaultsTest, AnEmptyDatabaseFileIsRefusedAsNoDatabaseAndStaysEmpty)
{
    db.close();
    QFile f(databaseFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.close();
    runUnopenedLogin();
    EXPECT_TRUE(ui().lastText().startsWith(DbError::textFor(DbError::Kind::NotADatabase))) << ui().lastText().toStdString();
    EXPECT_EQ(QFileInfo(databaseFile()).size(), 0) << "no schema was written into it";
}

TEST_F(LoginFaultsTest, ADatabaseWithoutTheStationsTablesIsRefusedAndLeftAlone)
{
    db.close();
    ASSERT_TRUE(QFile::remove(databaseFile()));
    {
        Database other;
        other.open(databaseFile(), false);
        other.exec("create table NOTES (x)");
    }
    const qint64 size = QFileInfo(databaseFile()).size();
    runUnopenedLogin();
    EXPECT_TRUE(ui().lastText().startsWith(DbError::textFor(DbError::Kind::NotADatabase)));
    Database check;
    check.open(databaseFile());
    EXPECT_EQ(check.tables(), QStringList{"NOTES"});
    EXPECT_EQ(QFileInfo(databaseFile()).size(), size);
}

TEST_F(LoginFaultsTest, AStationThatCannotWriteSaysSoAtLogin)
{
    db.close();
    // The journal beside the file cannot be made (its name leads into a
    // folder that is not there), as in a read-only folder.
    ASSERT_TRUE(QFile::link(dir.filePath("no-such-folder/journal"), databaseFile() + "-journal"));
    runRefusedLogin();
    ASSERT_EQ(ui().count(), 1);
    EXPECT_TRUE(ui().lastText().startsWith(TSifre::cannotWriteMessage() + "\n\n" +
                                           DbError::textFor(DbError::Kind::ReadOnly)))
        << ui().lastText().toStdString();
    QFile::remove(databaseFile() + "-journal");
}

// A screen whose show handler fails the first time.
class RelFailingOnceForm : public Form {
public:
    int shows = 0;
    int activations = 0;
    void FormShow() override
    {
        if (++shows == 1)
            throw DbError(DbError::textFor(DbError::Kind::Busy), DbError::Kind::Busy, "database is locked");
    }
    void FormActivate() override { ++activations; }
};

class SlotBoundaryTest : public StationTest {};

TEST_F(SlotBoundaryTest, AScreenWhoseShowFailedOnceShowsAndActivatesAgain)
{
    RelFailingOnceForm form;
    form.show();
    EXPECT_EQ(form.shows, 1);
    EXPECT_EQ(ui().texts(), QStringList{DbError::textFor(DbError::Kind::Busy) + "\n\nAyrıntı: database is locked"});
    form.hide();
    form.show();
    EXPECT_EQ(form.shows, 2) << "the show handler runs again";
    EXPECT_GE(form.activations, 1);
    form.hide();
}

TEST_F(SlotBoundaryTest, AFailureInASlotIsShownAndDoesNotLeaveTheSlot)
{
    QPushButton button;
    int calls = 0;
    QObject::connect(&button, &QPushButton::clicked, guarded([&] {
        ++calls;
        throw DbError("no such table: C_YOK");
    }));
    button.click();
    button.click();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(ui().texts(), QStringList({"no such table: C_YOK", "no such table: C_YOK"}));
}

TEST_F(SlotBoundaryTest, ASettingThatCannotBeWrittenIsReportedAndNotKept)
{
    Registry reg(Registry::HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.openKey("\\Software\\Brivex\\Test", true));
    ASSERT_TRUE(reg.writeString("a", "1"));
    const QString file = Registry::storeFile();
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkpath(file));
    EXPECT_FALSE(reg.writeString("b", "2"));
    EXPECT_EQ(ui().count(), 1);
    EXPECT_TRUE(ui().lastText().startsWith(Registry::writeFailureMessage()));
    EXPECT_FALSE(reg.valueExists("b")) << "the store does not hold what is not on disk";
    ASSERT_TRUE(QDir(file).removeRecursively());
    Registry::reload();
}

} // namespace RelAppTestLocal
