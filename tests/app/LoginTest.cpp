#include "app/Main.h"
#include "app/Sifre.h"
#include "app/Station.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "platform/shell/Shell.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char* const kMissingSettings =
    "VERİTABANI BAĞLANTISI KURULAMADI\nLÜTFEN GEREKLİ AYARLAMALARI YAPIP PROGRAMI ÇALIŞTIRINIZ ...!";
const char* const kNoDriveM = "M AĞ SÜRÜCÜSÜ BAĞLANTISI BULUNAMADI\nLÜTFEN M AĞ SÜRÜCÜSÜNÜ OLUŞTURUP PROGRAMI ÇALIŞTIRINIZ ...!";
const char* const kFileMissing = "VERİTABANI DOSYASI BULUNAMADI ...!";

struct DriveCase {
    const char* dbq;
    bool driveM;        // a network drive M: is connected
    bool fileOnDrive;   // the file exists where the path points
    const char* refusal;
};

class DriveRules : public StationTest, public ::testing::WithParamInterface<DriveCase> {};

TEST_P(DriveRules, DecideWhetherThePathMayBeUsed)
{
    const DriveCase& c = GetParam();
    QTemporaryDir m, d;
    if (c.driveM)
        DriveMap::mapDrive('M', m.path(), true);
    DriveMap::mapDrive('D', d.path(), false);
    const QString path = QString::fromUtf8(c.dbq).toUpper();
    if (c.fileOnDrive && path.size() > 2)
        writeFile(DriveMap::toHost(path), "");
    EXPECT_EQ(TSifre::checkDatabasePath(path, c.driveM).toStdString(), c.refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DriveRules,
    ::testing::Values(
        // On drive C: the station's own database.
        DriveCase{"C:\\CO\\QVX_PROG\\Fdr.mdb", false, true, ""},
        DriveCase{"c:\\co\\qvx_prog\\fdr.mdb", false, true, ""},
        DriveCase{"C:\\CO\\QVX_PROG\\Yok.mdb", false, false, kFileMissing},
        // Missing or too short: no connection settings, even with M: present.
        DriveCase{"", true, false, kMissingSettings},
        DriveCase{"M", true, false, kMissingSettings},
        // Any other drive needs a network drive M:, wherever the path points.
        DriveCase{"M:\\QVX_PROG\\Fdr.mdb", true, true, ""},
        DriveCase{"D:\\DATA\\Fdr.mdb", true, true, ""},
        DriveCase{"D:\\DATA\\Fdr.mdb", false, true, kNoDriveM},
        DriveCase{"M:\\QVX_PROG\\Fdr.mdb", false, true, kNoDriveM},
        DriveCase{"M:\\QVX_PROG\\Fdr.mdb", true, false, kFileMissing}));

class LoginTest : public ScreensTest {
protected:
    void scriptLogin(const QString& user, const QString& password)
    {
        modals().expect("TSifre", [=](QDialog* d) {
            auto* combo = child<QComboBox>(d, "DBLookupComboBox1");
            combo->setCurrentIndex(combo->findText(user));
            child<QLineEdit>(d, "Edit1")->setText(password);
            click(child<QPushButton>(d, "BitBtn1"));
        });
    }
};

TEST_F(LoginTest, AdministratorSignsIn)
{
    addUser(5, "HAKEM MASASI", "42", "VAR");
    scriptLogin("ADMIN", "1234");
    Main->FormShow();
    EXPECT_EQ(Sifre->FLoginState, 1);
    EXPECT_TRUE(Sifre->FIsAdmin);
    EXPECT_FALSE(Sifre->FMatchOnlyUser);
    EXPECT_EQ(Sifre->FUserName, "ADMIN");
    EXPECT_EQ(Sifre->windowTitle(), "Brivex System " + Main->versionText());
    EXPECT_FALSE(Sifre->isVisible());
    EXPECT_TRUE(Main->configured());
}

TEST_F(LoginTest, UserListShowsEveryUserInKeyOrder)
{
    addUser(7, "İKİNCİ", "2", "YOK");
    addUser(3, "BİRİNCİ", "1", "YOK");
    modals().expect("TSifre", [](QDialog* d) {
        auto* combo = child<QComboBox>(d, "DBLookupComboBox1");
        QStringList names;
        for (int i = 0; i < combo->count(); ++i)
            names << combo->itemText(i);
        EXPECT_EQ(names, QStringList({"ADMIN", "BİRİNCİ", "İKİNCİ"}));
        EXPECT_EQ(combo->currentIndex(), -1);
        EXPECT_TRUE(combo->isVisibleTo(d));
        click(child<QPushButton>(d, "BitBtn2"));
    });
    Main->FormShow();
    EXPECT_TRUE(Main->programEnded());
}

struct LoginRightsCase {
    const char* rights;
    bool matchOnly;
};
class LoginRights : public LoginTest, public ::testing::WithParamInterface<LoginRightsCase> {};

TEST_P(LoginRights, MatchOnlyFlagFollowsTheRFColumn)
{
    addUser(9, "OPERATÖR", "77", GetParam().rights);
    scriptLogin("OPERATÖR", "77");
    Main->FormShow();
    EXPECT_EQ(Sifre->FLoginState, 1);
    EXPECT_FALSE(Sifre->FIsAdmin);
    EXPECT_EQ(Sifre->FMatchOnlyUser, GetParam().matchOnly);
    EXPECT_EQ(Sifre->FUserName, "OPERATÖR");
}

INSTANTIATE_TEST_SUITE_P(Values, LoginRights,
                         ::testing::Values(LoginRightsCase{"VAR", true}, LoginRightsCase{"YOK", false}, LoginRightsCase{"", false},
                                           LoginRightsCase{"var", false}));

TEST_F(LoginTest, WrongPasswordAndNoUserKeepTheWindowOpen)
{
    modals().expect("TSifre", [](QDialog* d) {
        click(child<QPushButton>(d, "BitBtn1"));
        EXPECT_EQ(ui().lastText(), "Lütfen Kullanıcı Seçiniz ...!");
        auto* combo = child<QComboBox>(d, "DBLookupComboBox1");
        combo->setCurrentIndex(combo->findText("ADMIN"));
        auto* pass = child<QLineEdit>(d, "Edit1");
        pass->setText("9999");
        click(child<QPushButton>(d, "BitBtn1"));
        EXPECT_EQ(ui().lastText(), "Hatalı Şifre Girdiniz ...");
        EXPECT_EQ(pass->text(), "");
        EXPECT_EQ(Sifre->FLoginState, -1);
        // Typed letters are upper-cased, and a letter never matches digits.
        typeInto(pass, "12a4");
        EXPECT_EQ(pass->text(), "12A4");
        click(child<QPushButton>(d, "BitBtn1"));
        EXPECT_EQ(ui().lastText(), "Hatalı Şifre Girdiniz ...");
        // The window refuses to close while the login is pending.
        d->close();
        EXPECT_TRUE(d->isVisible());
        pass->setText("1234");
        click(child<QPushButton>(d, "BitBtn1"));
        EXPECT_FALSE(d->isVisible());
    });
    Main->FormShow();
    EXPECT_EQ(Sifre->FLoginState, 1);
}

TEST_F(LoginTest, TwoUsersWithOneNameChecksTheLowerKey)
{
    addUser(20, "MASA", "2", "YOK");
    addUser(10, "MASA", "1", "VAR");
    modals().expect("TSifre", [](QDialog* d) {
        auto* combo = child<QComboBox>(d, "DBLookupComboBox1");
        combo->setCurrentIndex(combo->findText("MASA"));
        child<QLineEdit>(d, "Edit1")->setText("2");
        click(child<QPushButton>(d, "BitBtn1"));
        EXPECT_EQ(ui().lastText(), "Hatalı Şifre Girdiniz ...");
        child<QLineEdit>(d, "Edit1")->setText("1");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    Main->FormShow();
    EXPECT_EQ(Sifre->FLoginState, 1);
    EXPECT_TRUE(Sifre->FMatchOnlyUser) << "the row with Key_No 10 was the one checked";
}

TEST_F(LoginTest, RefusedDatabaseEndsTheProgramWithItsMessage)
{
    RegistryValues::setDbq("C:\\CO\\QVX_PROG\\Yok.mdb");
    modals().expect("TSifre", [](QDialog* d) { EXPECT_FALSE(d->isVisible()) << "the refusal closed the window"; });
    Main->FormShow();
    EXPECT_EQ(Sifre->FLoginState, 0);
    EXPECT_FALSE(Sifre->FDatabaseReady);
    EXPECT_EQ(ui().texts(), QStringList({kFileMissing}));
    EXPECT_TRUE(Main->programEnded());
    EXPECT_EQ(Main->size(), QSize(1, 1));
    EXPECT_FALSE(Main->isVisible());
}

TEST_F(LoginTest, SupportOpensTheWebPage)
{
    QStringList opened;
    Shell::setHook([&](const Shell::Request& r) {
        opened << r.target;
        return true;
    });
    Sifre->Label3Click();
    Shell::setHook({});
    EXPECT_EQ(opened, QStringList({"http://www.brivex.org/destek.asp"}));
}

TEST_F(LoginTest, UnreadableDatabaseShowsTheEngineMessageAndKeepsOnlyExit)
{
    writeFile(host(Station::kDefaultDatabase), QByteArray(4096, 'x'));
    db.close();
    modals().expect("TSifre", [](QDialog* d) {
        EXPECT_FALSE(child<QPushButton>(d, "BitBtn1")->isVisibleTo(d));
        EXPECT_TRUE(child<QPushButton>(d, "BitBtn2")->isVisibleTo(d));
        click(child<QPushButton>(d, "BitBtn2"));
    });
    Main->FormShow();
    ASSERT_EQ(ui().count(), 1);
    EXPECT_EQ(ui().requests.first().kind, UiRequest::Error);
    EXPECT_TRUE(Main->programEnded());
}

struct MouseCase {
    QStringList entries;
    bool present;
};
class MouseKontrolTest : public StationTest, public ::testing::WithParamInterface<MouseCase> {};

TEST_P(MouseKontrolTest, CountsHitsOfTheJudgeDeviceIds)
{
    QByteArray proc;
    int n = 0;
    for (const QString& e : GetParam().entries) {
        const QStringList ids = e.split(':');
        proc += QString("I: Bus=0003 Vendor=%1 Product=%2 Version=0111\nP: Phys=usb-%3\nH: Handlers=mouse%3 event%3\n\n")
                    .arg(ids[0], ids[1])
                    .arg(n++)
                    .toUtf8();
    }
    writeFile(dir.path() + "/hw/proc/bus/input/devices", proc);
    EXPECT_EQ(TSifre::MouseKontrol(), GetParam().present);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, MouseKontrolTest,
    ::testing::Values(MouseCase{{}, false},
                      // Three hand devices, each naming vendor and product: six hits.
                      MouseCase{{"0461:4d17", "0461:4d17", "0461:4d17"}, true},
                      // Five single hits are not enough.
                      MouseCase{{"045e:0001", "045e:0002", "045e:0003", "045e:0004", "045e:0005"}, false},
                      MouseCase{{"045e:0001", "045e:0002", "045e:0003", "045e:0004", "045e:0005", "0783:0001"}, true},
                      MouseCase{{"0782:0783", "0782:0783"}, false},
                      MouseCase{{"0782:0783", "0782:0783", "0782:0001"}, false},
                      MouseCase{{"0782:0783", "0782:0783", "0782:0783"}, true},
                      MouseCase{{"1234:5678", "1234:5678", "1234:5678", "1234:5678"}, false}));

} // namespace
