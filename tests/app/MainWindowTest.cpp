#include "app/AboutBox.h"
#include "app/dialogs/SifreCheck.h"
#include "app/Main.h"
#include "app/MusteriGiris1.h"
#include "app/MainCommands.h"
#include "app/setup/CmPort.h"
#include "app/setup/Users.h"
#include "app/Sifre.h"
#include "app/Station.h"
#include "app/kit/Session.h"
#include "app/kit/StationKind.h"
#include "competition/MusteriGiris3.h"
#include "platform/settings/Registry.h"
#include "registry/MusteriGiris2.h"
#include "scoring/KuraList.h"
#include "support/Screenshot.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <stdexcept>

namespace {

const char* const kPortKey = "\\Software\\Classes\\.comport\\Shellex\\PropertySheet";

// --- The serial port value at creation ----------------------------------------

struct ComportCase {
    const char* name;
    const char* stored;     // nullptr: no value
    const char* after;
};

class ComportAtCreation : public StationTest, public ::testing::WithParamInterface<ComportCase> {};

TEST_P(ComportAtCreation, KeepsAPortNameAndReplacesAnythingElse)
{
    if (GetParam().stored) {
        Registry reg(Registry::HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.openKey(kPortKey, true));
        reg.writeString("comport", GetParam().stored);
    }
    TMain window;
    Registry reg(Registry::HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.openKeyReadOnly(kPortKey));
    EXPECT_EQ(reg.readString("comport").toStdString(), GetParam().after);
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(window.FInPreview, 0);
}

INSTANTIATE_TEST_SUITE_P(Values, ComportAtCreation,
                         ::testing::Values(ComportCase{"Missing", nullptr, "COM1"},
                                           ComportCase{"LowerCaseKept", "com3", "com3"},
                                           ComportCase{"OtherPortKept", "COM12", "COM12"},
                                           ComportCase{"PrinterPortReplaced", "LPT1", "COM1"},
                                           ComportCase{"Empty", "", "COM1"},
                                           ComportCase{"TooShort", "CO", "COM1"},
                                           ComportCase{"DevicePathReplaced", "\\Device\\VCP0", "COM1"}),
                         [](const ::testing::TestParamInfo<ComportCase>& i) { return std::string(i.param.name); });

// --- After the login ----------------------------------------------------------

class MainWindowTest : public ScreensTest {
protected:
    // The captions of the left tool bar's buttons the user can press.
    static QStringList usableLeftButtons()
    {
        QStringList captions;
        for (QAction* a : Main->Menu->actions()) {
            auto* b = qobject_cast<QToolButton*>(Main->Menu->widgetForAction(a));
            if (b && b->isVisible() && b->isEnabled() && !b->text().trimmed().isEmpty())
                captions << b->text();
        }
        return captions;
    }
    static QStringList visibleSeparators(QToolBar* bar)
    {
        QStringList names;
        for (QAction* a : bar->actions())
            if (a->isSeparator() && a->isVisible())
                names << a->objectName();
        return names;
    }
};

struct MainWindowRightsCase {
    const char* name;
    const char* user;
    const char* password;
    const char* rights;     // R/F of the user's row
    QStringList buttons;
    QStringList separators;
    int restricted;
};

const QStringList kAllButtons = {"  Kullanıcı Tanıtma", "  MÜSABAKA EKRANI  ", "  Bilgilerin Yedeklenmesi    ",
                                 "  Önceki Müsabakaların Silinmesi  ", "  Müsabaka Sonuç Listeleri"};
const QStringList kAllSeparators = {"ToolButton3", "ToolButton5", "ToolButton7", "ToolButton9"};
const QStringList kMatchButtons = {"  MÜSABAKA EKRANI  ", "  Bilgilerin Yedeklenmesi    "};

class MainWindowRights : public MainWindowTest, public ::testing::WithParamInterface<MainWindowRightsCase> {};

TEST_P(MainWindowRights, ToolBarAndMenusFollowTheUser)
{
    const MainWindowRightsCase& c = GetParam();
    if (QString(c.user) == "ADMIN")
        db.update("C_SIFRE", {{"R/F", c.rights}}, "Key_No = 1");
    else
        addUser(5, c.user, c.password, c.rights);
    ASSERT_TRUE(login(c.user, c.password));
    showAtSize(Main, QSize(1024, 768));

    EXPECT_EQ(usableLeftButtons(), c.buttons);
    EXPECT_EQ(visibleSeparators(Main->Menu), c.separators);
    EXPECT_EQ(Main->FMatchDefaults.FRestrictedUser, c.restricted);

    // For everyone: no menu on the menu bar, the items still commands; the top
    // tool bar keeps "Çıkış" only; the left tool bar stays where it is.
    for (const MainMenu& m : MainCommands::menus()) {
        QMenu* menu = Main->menu(m.name);
        ASSERT_NE(menu, nullptr) << m.name;
        EXPECT_FALSE(menu->menuAction()->isVisible()) << m.name;
        for (QAction* item : menu->actions())
            EXPECT_TRUE(item->isVisible() && item->isEnabled()) << item->objectName().toStdString();
    }
    EXPECT_TRUE(Main->MainMenu1->isHidden());
    EXPECT_TRUE(Main->toolButton("ToolButton11")->isVisible());
    EXPECT_EQ(Main->toolButton("ToolButton11")->text(), "Çıkış");
    EXPECT_FALSE(Main->toolButton("ToolButton13")->isVisible());
    EXPECT_EQ(visibleSeparators(Main->ToolBar1), QStringList());
    EXPECT_FALSE(Main->Menu->isMovable());
    EXPECT_FALSE(Main->Menu->isFloatable());
    EXPECT_FALSE(Main->toolButton("ToolButton1")->isEnabled()) << "the blank button at the top";
    EXPECT_EQ(Main->Label_User->text(), QString("Kullanıcı : ") + c.user);
}

INSTANTIATE_TEST_SUITE_P(
    Users, MainWindowRights,
    ::testing::Values(MainWindowRightsCase{"Administrator", "ADMIN", "1234", "YOK", kAllButtons, kAllSeparators, 0},
                      MainWindowRightsCase{"Ordinary", "MASA", "5", "YOK", kAllButtons, kAllSeparators, 1},
                      MainWindowRightsCase{"MatchOnly", "HAKEM MASASI", "42", "VAR", kMatchButtons, {"ToolButton5"}, 1},
                      // An administrator who is also match-only gets both rule sets.
                      MainWindowRightsCase{"AdministratorMatchOnly", "ADMIN", "1234", "VAR", kMatchButtons, {"ToolButton5"},
                                 0}),
    [](const ::testing::TestParamInfo<MainWindowRightsCase>& i) { return std::string(i.param.name); });

TEST_F(MainWindowTest, ConfigurationFixesTheEditionSettingsAndDefaults)
{
    Main->Today = [] { return QDate(2009, 3, 5); };
    db.update("C_YAZILAR", {{"Ihbar", "KICK BOKS"}}, QString());
    ASSERT_TRUE(login("ADMIN", "1234"));

    EXPECT_EQ(Main->FederationCode, "049");
    EXPECT_EQ(Main->ScoringEdition, 1);
    EXPECT_EQ(Main->ThirdPlaceBouts, 0);
    EXPECT_EQ(Main->RegionSeparation, 1);
    EXPECT_EQ(Main->FInPreview, 0);
    EXPECT_EQ(Main->SportName, "KICK BOKS");
    EXPECT_EQ(Main->Panel1->text(), "Tarih : 05.03.2009");
    EXPECT_EQ(Main->windowTitle(), "Brivex");
    EXPECT_EQ(Main->Label1->text(), "Brivex");

    const MatchDefaults& m = Main->FMatchDefaults;
    EXPECT_EQ(m.FScoringStation, 1);
    EXPECT_EQ(m.FMatchTimeMen, "00:02:00");
    EXPECT_EQ(m.FMatchTimeWomen, "00:02:00");
    EXPECT_EQ(m.FFinalTimeMen, "00:02:00");
    EXPECT_EQ(m.FFinalTimeWomen, "00:02:00");
    EXPECT_EQ(m.FExtraTimeMen, "00:01:00");
    EXPECT_EQ(m.FExtraTimeWomen, "00:01:00");
    EXPECT_EQ(m.FBreakTime, "00:01:00");
    EXPECT_EQ(m.FRoundCount, 3);
    EXPECT_EQ(m.FMinusPoints, 1);

    // Every new user gets match rights only.
    EXPECT_TRUE(Users->CheckBox1->isChecked());
    EXPECT_FALSE(Users->CheckBox1->isVisibleTo(Users));

    // The design caption stays on the menu item; the tool button is retitled.
    EXPECT_EQ(Main->toolButton("ToolButton4")->text(), "  MÜSABAKA EKRANI  ");
    EXPECT_EQ(Main->command("KURAekimiveMsabaka1")->text(), "  KURA Çekimi ve Müsabaka");
}

TEST_F(MainWindowTest, WithoutFederationIdentityTheSportNameStaysEmpty)
{
    db.exec("delete * from C_YAZILAR");
    ASSERT_TRUE(login("ADMIN", "1234"));
    EXPECT_EQ(Main->SportName, "");
    EXPECT_TRUE(Main->configured());
}

TEST_F(MainWindowTest, AbandonedLoginConfiguresNothing)
{
    modals().expect("TSifre", [](QDialog* d) { click(child<QPushButton>(d, "BitBtn2")); });
    Main->FormShow();
    EXPECT_TRUE(Main->programEnded());
    EXPECT_FALSE(Main->configured());
    EXPECT_EQ(Main->FederationCode, "");
    EXPECT_EQ(Main->ScoringEdition, 0);
    EXPECT_TRUE(Main->menu("KURA1")->menuAction()->isVisible());
    EXPECT_EQ(Main->Label_User->text(), "Kullanıcı : ");
}

TEST_F(MainWindowTest, FirstShowingRunsTheConfigurationOnceInsideTheLoop)
{
    modals().expect("TSifre", [](QDialog* d) {
        auto* combo = d->findChild<QComboBox*>("DBLookupComboBox1");
        combo->setCurrentIndex(0);
        child<QLineEdit>(d, "Edit1")->setText("1234");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    Main->show();
    EXPECT_FALSE(Main->configured()) << "not before the loop runs";
    QApplication::processEvents();
    EXPECT_TRUE(Main->configured());
    Main->hide();
    Main->show();
    QApplication::processEvents();
    EXPECT_EQ(modals().seen(), QStringList({"TSifre"})) << "the login ran once";
    Main->hide();
}

// --- Menus and tool buttons ---------------------------------------------------

struct MenuCase {
    const char* menu;
    const char* title;
    QStringList items;      // captions in order; "-" a separator
};

class MainMenus : public MainWindowTest, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(MainMenus, HoldTheirItemsInOrderWithoutShortcuts)
{
    const MenuCase& c = GetParam();
    QMenu* menu = Main->menu(c.menu);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), QString(c.title));
    QStringList captions;
    for (QAction* a : menu->actions()) {
        captions << (a->isSeparator() ? QString("-") : a->text());
        EXPECT_TRUE(a->shortcut().isEmpty()) << a->objectName().toStdString();
        EXPECT_FALSE(a->text().contains('&'));
    }
    EXPECT_EQ(captions, c.items);
    EXPECT_FALSE(menu->title().contains('&')) << "no keyboard way into a hidden menu";
}

INSTANTIATE_TEST_SUITE_P(
    Menus, MainMenus,
    ::testing::Values(
        MenuCase{"Genellemler1",
                 " Genel İşlemler ",
                 {"Federasyon Adresi", "Aktivite Türleri", "Branşlar/Kategoriler", "Kuşaklar", "Kulüpler",
                  "Mektup Metni", "  Kullanıcı Tanıtma", "  İletişim Portu Seçme", "Dosya Transferi", "-",
                  "  Bilgilerin Yedeklenmesi    ", "-", "Hakkında", "Programdan Çıkış"}},
        MenuCase{"SCL1", " SİCİL ", {"  Sporcu Kaydı ve SİCİL İşlemleri ", "  İmtihanı Sonuçlarının Aktarılması"}},
        MenuCase{"FAALYET1", "FAALİYET", {"Faaliyet Giriş Ekranı", "Sorgulama ve Raporlar"}},
        MenuCase{"TARTI1",
                 " TARTI ",
                 {"  Sporcuların Müsabakalara Katılmarının Sıfırlanması", "  Önceki Tartı Listelerin Silinmesi", "-",
                  "  Sporcu TARTI Ekranı", "  Müsabaka İstatistik Raporu", "  Tartıların Toplanması",
                  "  Tartı Listeleri", "-", "  Tartı ve Kuraların Sisteme Aktarılması",
                  "  Turnuva Bilgilerinin Sporcu Sicillerine İşlenmesi"}},
        MenuCase{"KURA1",
                 " KURA ",
                 {"  Önceki Müsabakaların Silinmesi  ", "-", "  KURA Çekimi ve Müsabaka",
                  "  Maçların Ringlere Dağıtılması", "  Sonuçlarının Toplanması", "-", "  Kura Listeleri",
                  "  Puanlama Listesi", "  Derece Listesi", "  Müsabaka Sonuç Listeleri"}}),
    [](const ::testing::TestParamInfo<MenuCase>& i) { return std::to_string(i.index); });

TEST_F(MainWindowTest, MenusStandInOrderAndOtherScreensFindTheirItemsByName)
{
    QStringList titles;
    for (QAction* a : Main->MainMenu1->actions())
        titles << a->text();
    EXPECT_EQ(titles, QStringList({" Genel İşlemler ", " SİCİL ", "FAALİYET", " TARTI ", " KURA "}));
    // Names other screens use.
    EXPECT_EQ(Main->command("MsabakaListeleri1")->text(), "  Müsabaka Sonuç Listeleri");
    EXPECT_EQ(Main->command("DataTransfer1")->text(), "Dosya Transferi");
    EXPECT_EQ(Main->command("GIPmtihanSonularnnAktarlmas1")->text(), "  İmtihanı Sonuçlarının Aktarılması");
    EXPECT_EQ(Main->Label_t->text(), "     ");
    EXPECT_EQ(Main->Label_t->size(), QSize(19, 21));
    EXPECT_EQ(Main->command("NoSuchItem"), nullptr);
}

struct ToolCase {
    const char* button;
    const char* command;
};

class ToolButtons : public MainWindowTest, public ::testing::WithParamInterface<ToolCase> {};

TEST_P(ToolButtons, RunTheCommandOfTheirMenuItem)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    QAction* command = Main->command(GetParam().command);
    ASSERT_NE(command, nullptr);
    QSignalSpy runs(command, &QAction::triggered);
    if (QString(GetParam().command) == "KullancTantma1" || QString(GetParam().command) == "ncekiMsabakalarnSilinmesi1")
        modals().expect("TSifreCheck", [](QDialog* d) { d->close(); });
    if (QString(GetParam().command) == "KURAekimiveMsabaka1")
        modals().expect("TKuraList", [](QDialog* d) { d->close(); });
    if (QString(GetParam().command) == "MsabakaListeleri1")
        modals().expect("TBaslik1S", [](QDialog* d) { d->close(); });
    click(Main->toolButton(GetParam().button));
    EXPECT_EQ(runs.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Buttons, ToolButtons,
                         ::testing::Values(ToolCase{"ToolButton2", "KullancTantma1"},
                                           ToolCase{"ToolButton4", "KURAekimiveMsabaka1"},
                                           ToolCase{"ToolButton6", "BilgilerinYedeklenmesi1"},
                                           ToolCase{"ToolButton8", "ncekiMsabakalarnSilinmesi1"},
                                           ToolCase{"ToolButton10", "MsabakaListeleri1"}),
                         [](const ::testing::TestParamInfo<ToolCase>& i) { return std::string(i.param.button); });

TEST_F(MainWindowTest, UserAccountsOpenOnlyAfterTheAdministratorPassword)
{
    addUser(5, "MASA", "5", "YOK");
    ASSERT_TRUE(login("MASA", "5"));
    // A wrong password, then the check closed: nothing more.
    modals().expect("TSifreCheck", [](QDialog* d) {
        child<QLineEdit>(d, "Edit1")->setText("9999");
        click(child<QPushButton>(d, "BitBtn1"));
        d->close();
    });
    Main->runCommand("KullancTantma1");
    EXPECT_EQ(modals().seen(), QStringList({"TSifre", "TSifreCheck"}));
    EXPECT_EQ(ui().lastText(), "Sistem Sorumlusu Şifresini Hatalı Girdiniz. İşleme Devam Edilemiyor ...!");

    // The right password opens the user accounts.
    modals().expect("TSifreCheck", [](QDialog* d) {
        child<QLineEdit>(d, "Edit1")->setText("1234");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    modals().expect("TUsers", [](QDialog* d) { click(child<QPushButton>(d, "BitBtn3")); });
    Main->runCommand("KullancTantma1");
    EXPECT_EQ(modals().seen().mid(2), QStringList({"TSifreCheck", "TUsers"}));
}

TEST_F(MainWindowTest, PortSettingsAndAboutBoxOpenModally)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    modals().expect("TCmPort", [](QDialog* d) { d->close(); });
    Main->runCommand("letiimPortuSeme1");
    modals().expect("TAboutBox", [](QDialog* d) { d->close(); });
    Main->runCommand("Hakknda1");
    EXPECT_EQ(modals().seen(), QStringList({"TSifre", "TCmPort", "TAboutBox"}));
}

class ExitCommands : public MainWindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ExitCommands, CloseTheMainWindow)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    Main->show();
    Main->runCommand(GetParam());
    EXPECT_FALSE(Main->isVisible());
    EXPECT_TRUE(Main->programEnded());
}

INSTANTIATE_TEST_SUITE_P(Commands, ExitCommands, ::testing::Values("ToolButton11", "Programdank1"));

TEST_F(MainWindowTest, ShortcutsButtonShowsAndHidesTheLeftToolBar)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    EXPECT_EQ(Main->toolButton("ToolButton13")->text(), "Kısayollar");
    Main->runCommand("ToolButton13");
    EXPECT_TRUE(Main->Menu->isHidden());
    Main->runCommand("ToolButton13");
    EXPECT_FALSE(Main->Menu->isHidden());
}

TEST_F(MainWindowTest, MusabakaSonucListeleriPrintsTheScoreSheetsOfEveryBout)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    modals().expect("TBaslik1S", [](QDialog* d) { d->close(); });
    Main->command("MsabakaListeleri1")->trigger();
    EXPECT_EQ(modals().seen(), QStringList({"TSifre", "TBaslik1S"}));
    EXPECT_EQ(ui().texts(), QStringList{"HERHANGİ BİR SONUÇ LİSTESİ BULUNMAMAKTADIR ...!"}) << "no bouts yet";
}

struct WiredCase {
    const char* command;
    const char* screen;
};
class WiredCommands : public MainWindowTest, public ::testing::WithParamInterface<WiredCase> {};

TEST_P(WiredCommands, OpenTheirScreenModally)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    modals().expect(GetParam().screen, [](QDialog* d) { d->close(); });
    Main->command(GetParam().command)->trigger();
    EXPECT_EQ(modals().seen(), QStringList({"TSifre", GetParam().screen}));
}

INSTANTIATE_TEST_SUITE_P(Commands, WiredCommands,
                         ::testing::Values(WiredCase{"FederasyonAdresi1", "TIsyeri"},
                                           WiredCase{"AktiviteTrleri1", "TCS_Durum2"},
                                           WiredCase{"BranlarKategoriler1", "TBrans"},
                                           WiredCase{"Kuaklar1", "TKusakGir"},
                                           WiredCase{"MektupMetni1", "TMetins"},
                                           WiredCase{"FaaliyetGiriEkran1", "TTurnuvaGir"},
                                           WiredCase{"SporcuKaydveSCLlemleri1", "TMusteriGiris1"},
                                           WiredCase{"SporcuTARTIEkran1", "TGiris1"},
                                           WiredCase{"KURAekimiveMsabaka1", "TKuraList"},
                                           WiredCase{"Label_t", "TTest"},
                                           WiredCase{"PuanlamaListesi1", "TAktar1S"},
                                           WiredCase{"DereceListesi1", "TAktar1S"},
                                           WiredCase{"Kulpler1", "TKlupGiris1"},
                                           WiredCase{"SorgulamaveRaporlar1", "TTurnuvaGiris1"},
                                           WiredCase{"MalarnRinglereDatlmas1", "TRingDag"}));

// The maintenance commands ask the administrator password first (all but
// the backup, which asks for a folder).
class MaintenanceCommands : public MainWindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(MaintenanceCommands, AskThePasswordFirst)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    modals().expect("TSifreCheck", [](QDialog* d) { d->close(); });
    Main->command(GetParam())->trigger();
    EXPECT_EQ(modals().seen(), QStringList({"TSifre", "TSifreCheck"}));
    EXPECT_EQ(ui().count(), 0) << "nothing more without the password";
}

INSTANTIATE_TEST_SUITE_P(Commands, MaintenanceCommands,
                         ::testing::Values("SporcularnMsabakalaraKatlmarnnSfrlanmas1", "ncekiTartListelerinSilinmesi1",
                                           "TartlarnToplanmas1", "TartveKuralarnSistemeAktarlmas1",
                                           "ncekiMsabakalarnSilinmesi1", "SonularnnToplanmas1"));

struct ReportCommandCase {
    const char* command;
    const char* table;
};
class ReportCommands : public MainWindowTest, public ::testing::WithParamInterface<ReportCommandCase> {};

TEST_P(ReportCommands, AskTheTitleAndPreviewTheLists)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    db.insert("C_LISTE", {{"Liste_Key", 1}, {"Brans", "-57 KG ERKEK BÜYÜKLER"}, {"Cinsiyet", "ERKEK"}, {"Ad", "ALİ"},
                          {"Sira", 1}, {"Onay", 1}});
    db.insert("C_KURA", {{"Kura_Key", 1}, {"Brans", "-57 KG ERKEK BÜYÜKLER"}, {"Cinsiyet", "ERKEK"}, {"Ad1", "ALİ"},
                         {"Ad2", "VELİ"}});
    modals().expect("TBaslik1S", [](QDialog* d) { d->close(); });
    bool disabledDuringPreview = false;
    modals().expect("ReportPreview", [&](QDialog* d) {
        disabledDuringPreview = !Main->isEnabled();
        d->close();
    });
    Main->command(GetParam().command)->trigger();
    EXPECT_TRUE(disabledDuringPreview);
    EXPECT_TRUE(Main->isEnabled());
    EXPECT_EQ(Main->FInPreview, 0);
}

INSTANTIATE_TEST_SUITE_P(Commands, ReportCommands,
                         ::testing::Values(ReportCommandCase{"TartListeleri1", "C_LISTE"},
                                           ReportCommandCase{"KuraListeleri1", "C_KURA"},
                                           ReportCommandCase{"MsabakastatistikRaporu1", "C_LISTE"}));

TEST_F(MainWindowTest, StartUpRetitlesThePersonEditorAndHidesItsProfessionalPage)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    EXPECT_EQ(MusteriGiris2->Label46->text(), "Kick Beden No");
    EXPECT_EQ(MusteriGiris2->Label47->text(), "Kick Ayak.No");
    EXPECT_EQ(MusteriGiris2->Label29->text(), "Prof. Hakem");
    EXPECT_EQ(MusteriGiris2->DBGrid1->column(6).title, "Menajer");
    EXPECT_FALSE(MusteriGiris2->PageControl1->isTabVisible(MusteriGiris2->PageControl1->indexOf(MusteriGiris2->TabSheet5)));
    EXPECT_EQ(MusteriGiris3->FOrderBy, "Ad");
    EXPECT_TRUE(MusteriGiris3->BitBtn10->isHidden());
}

TEST_F(MainWindowTest, DoubleClickOnTheBlankLabelRunsItsCommand)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    QSignalSpy runs(Main->command("Label_t"), &QAction::triggered);
    modals().expect("TTest", [](QDialog* d) { d->close(); });
    QTest::mouseDClick(Main->Label_t, Qt::LeftButton);
    EXPECT_EQ(runs.count(), 1);
    EXPECT_EQ(modals().seen().last(), "TTest") << "the device button test";
}

// --- Activation, hints, previews ----------------------------------------------

TEST_F(MainWindowTest, StatusBarShowsTheHintOfTheControlUnderTheMouse)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    QWidget other;
    auto* withHint = new QPushButton("a", &other);
    withHint->setToolTip("Kulüp Adına göre sırala");
    auto* inner = new QLabel("b", withHint);

    // After a preview the activation only clears the flag.
    Main->FInPreview = 1;
    Main->activateNow();
    EXPECT_EQ(Main->FInPreview, 0);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(withHint, &enter);
    EXPECT_EQ(TMain::applicationHint(), "Kulüp Adına göre sırala");
    EXPECT_EQ(Main->StatusBar1->currentMessage(), "") << "not yet the hint handler";

    Main->activateNow();
    QApplication::sendEvent(inner, &enter);
    EXPECT_EQ(Main->StatusBar1->currentMessage(), "Kulüp Adına göre sırala") << "the parent's hint";
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(withHint, &leave);
    EXPECT_EQ(Main->StatusBar1->currentMessage(), "");
}

TEST_F(MainWindowTest, PreviewOfTheMainWindowHidesTheToolBarAndDisablesTheWindow)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    QObject report;
    bool ran = false;
    Main->RunPreview(&report, Main, [&] {
        ran = true;
        EXPECT_FALSE(Main->isEnabled());
        EXPECT_TRUE(Main->Menu->isHidden());
        EXPECT_EQ(Main->FInPreview, 1);
        EXPECT_EQ(Main->FPreviewReport, &report);
    });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(Main->isEnabled());
    EXPECT_FALSE(Main->Menu->isHidden());

    // A tool bar hidden before stays hidden.
    Main->runCommand("ToolButton13");
    Main->RunPreview(&report, Main, [] { EXPECT_FALSE(Main->isEnabled()); });
    EXPECT_TRUE(Main->isEnabled());
    EXPECT_TRUE(Main->Menu->isHidden());
}

TEST_F(MainWindowTest, PreviewOverAnotherScreenLeavesTheMainWindowUsable)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    QWidget screen;
    EXPECT_THROW(Main->RunPreview(nullptr, &screen,
                                  [&] {
                                      EXPECT_FALSE(screen.isEnabled());
                                      EXPECT_TRUE(Main->isEnabled());
                                      EXPECT_FALSE(Main->Menu->isHidden());
                                      throw std::runtime_error("preview failed");
                                  }),
                 std::runtime_error);
    EXPECT_TRUE(screen.isEnabled()) << "enabled again after a failing preview";
}

TEST_F(MainWindowTest, ExportFiltersOfferTextCsvAndHtml)
{
    ASSERT_EQ(Main->ExportFilters.size(), 3);
    EXPECT_EQ(Main->ExportFilters[0].extension, "txt");
    EXPECT_EQ(Main->ExportFilters[1].extension, "csv");
    EXPECT_EQ(Main->ExportFilters[1].separator, ",");
    EXPECT_EQ(Main->ExportFilters[2].extension, "htm");
}

// --- Layout -------------------------------------------------------------------

TEST_F(MainWindowTest, NothingIsClippedAt1024x768)
{
    Main->Today = [] { return QDate(2009, 3, 5); };
    ASSERT_TRUE(login("ADMIN", "1234"));
    showAtSize(Main, QSize(1024, 768));
    ASSERT_EQ(Main->size(), QSize(1024, 768));
    const QRect window = Main->rect();
    for (QWidget* w : Main->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow() || !(qobject_cast<QToolButton*>(w) || qobject_cast<QLabel*>(w)))
            continue;
        const QRect r(w->mapTo(Main, QPoint(0, 0)), w->size());
        EXPECT_TRUE(window.contains(r)) << w->objectName().toStdString();
        if (w != Main->Label_t) {
            EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
            EXPECT_GE(w->height(), w->minimumSizeHint().height()) << w->objectName().toStdString();
        }
    }
    // The buttons of the left tool bar are one width, 188 pixels or what
    // the longest caption needs.
    const int width = Main->toolButton("ToolButton2")->width();
    EXPECT_GE(width, 188);
    for (const char* b : {"ToolButton4", "ToolButton6", "ToolButton8", "ToolButton10"})
        EXPECT_EQ(Main->toolButton(b)->width(), width) << b;
    // The bottom line stands at the bottom right, the title at the top right.
    EXPECT_GT(Main->Label_Version->mapTo(Main, QPoint(0, 0)).x(), 1024 / 2);
    EXPECT_GT(Main->Label_Version->mapTo(Main, QPoint(0, 0)).y(), 768 / 2);
    EXPECT_GT(Main->Panel1->mapTo(Main, QPoint(0, 0)).x(), 1024 / 2);
    EXPECT_LT(Main->Panel1->mapTo(Main, QPoint(0, 0)).y(), 768 / 2);
    // A picture for a person to look at, when asked for.
    saveScreenshot(Main, "BRIVEX_MAIN_SCREENSHOT");
    Main->hide();
}

// --- The office station --------------------------------------------------------

namespace MainOfficeLocal {

// The commands a visible menu item or tool button runs on an office station,
// with what each does there: opens a screen (its class), asks a question or
// shows a message first (its text), or says it is not available.
struct OfficeCommandCase {
    const char* command;
    const char* screen;      // class of the modal screen it opens, "" for none
    const char* message;     // first message box text, "" for none
};

class OfficeStation : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        StationKinds::write(StationKind::Office);
    }
};

TEST_F(OfficeStation, KeepsTheFiveMenusAndTheShortcutsButton)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    showAtSize(Main, QSize(1024, 768));
    EXPECT_TRUE(session().station.isOffice());
    EXPECT_FALSE(Main->MainMenu1->isHidden());
    QStringList titles;
    for (QAction* a : Main->MainMenu1->actions())
        if (a->isVisible())
            titles << a->text();
    EXPECT_EQ(titles, QStringList({" Genel İşlemler ", " SİCİL ", "FAALİYET", " TARTI ", " KURA "}));
    EXPECT_TRUE(Main->toolButton("ToolButton13")->isVisible());
    EXPECT_TRUE(Main->toolButton("ToolButton11")->isVisible());
    EXPECT_TRUE(MusteriGiris1->GIPmtihanListesiOlutur1->isVisible()) << "a club's exam list";
    EXPECT_FALSE(MusteriGiris3->BitBtn10->isHidden()) << "the weigh-in's quick registration";
    EXPECT_FALSE(MusteriGiris3->BitBtn7->isHidden());
    // The rest of the main window's configuration is the scoring station's.
    EXPECT_EQ(Main->ScoringEdition, 1);
    EXPECT_EQ(Main->toolButton("ToolButton4")->text(), "  MÜSABAKA EKRANI  ");
    EXPECT_FALSE(Main->Menu->isMovable());
    EXPECT_TRUE(Users->CheckBox1->isChecked());
}

TEST_F(OfficeStation, MatchOnlyUserKeepsTheMatchButtonsOnTheLeftBar)
{
    addUser(5, "HAKEM MASASI", "42", "VAR");
    ASSERT_TRUE(login("HAKEM MASASI", "42"));
    showAtSize(Main, QSize(1024, 768));
    EXPECT_EQ(usableLeftButtons(), kMatchButtons);
}

// A match-only user has at an office station what he has at a scoring
// station: the menus offer him only what his tool bar offers, the match
// screen is the scoring station's, and the weigh-in offers him no new
// person and no quick registration.
TEST_F(OfficeStation, MatchOnlyUserHasWhatHeHasAtAScoringStation)
{
    addUser(5, "HAKEM MASASI", "42", "VAR");
    ASSERT_TRUE(login("HAKEM MASASI", "42"));
    showAtSize(Main, QSize(1024, 768));
    QStringList offered;
    for (QAction* m : Main->MainMenu1->actions()) {
        if (!m->isVisible() || !m->menu())
            continue;
        for (QAction* item : m->menu()->actions())
            if (item->isVisible())
                offered << m->text() + ":" + (item->isSeparator() ? QString("-") : item->text());
    }
    EXPECT_EQ(offered, (QStringList{" Genel İşlemler :  Bilgilerin Yedeklenmesi    ",
                                    " KURA :  KURA Çekimi ve Müsabaka"}));
    EXPECT_FALSE(Main->toolButton("ToolButton13")->isVisible()) << "no \"Kısayollar\"";
    EXPECT_TRUE(KuraList->Panel2->isHidden()) << "no draw";
    EXPECT_TRUE(KuraList->GroupBox1->isHidden());
    EXPECT_TRUE(KuraList->ToolBar2->isHidden()) << "no charts";
    EXPECT_TRUE(MusteriGiris3->BitBtn7->isHidden()) << "no \"Yeni Kayıt\" at the weigh-in";
    EXPECT_TRUE(MusteriGiris3->BitBtn10->isHidden()) << "no quick registration";
}

TEST_F(MainWindowTest, ScoringStationIsTheDefaultAndHidesTheMenus)
{
    EXPECT_EQ(StationKinds::read(), StationKind::Scoring) << "nothing stored";
    ASSERT_TRUE(login("ADMIN", "1234"));
    EXPECT_FALSE(session().station.isOffice());
    EXPECT_TRUE(Main->MainMenu1->isHidden());
    EXPECT_FALSE(MusteriGiris1->GIPmtihanListesiOlutur1->isVisible());
}

TEST_F(MainWindowTest, StationKindIsStoredAndTold)
{
    StationKinds::write(StationKind::Office);
    EXPECT_EQ(StationKinds::read(), StationKind::Office);
    EXPECT_TRUE(Station::describe().contains("İstasyon türü     : ofis (menüler açık)"));
    StationKinds::write(StationKind::Scoring);
    EXPECT_EQ(StationKinds::read(), StationKind::Scoring);
    EXPECT_TRUE(Station::describe().contains("İstasyon türü     : puanlama (yalnız müsabaka araç çubuğu)"));
}

class OfficeCommands : public OfficeStation, public ::testing::WithParamInterface<OfficeCommandCase> {};

// Every item of the five menus and the left tool bar either works or says it
// is not available; here each visible one is run through its menu item.
TEST_P(OfficeCommands, WorkOrSayTheyAreNotAvailable)
{
    const OfficeCommandCase& c = GetParam();
    ASSERT_TRUE(login("ADMIN", "1234"));
    if (*c.screen)
        modals().expect(c.screen, [](QDialog* d) { d->close(); });
    QAction* item = Main->command(c.command);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->isVisible());
    item->trigger();
    if (*c.screen)
        EXPECT_EQ(modals().seen().value(1), c.screen);
    else
        EXPECT_EQ(modals().seen(), QStringList({"TSifre"}));
    if (*c.message)
        EXPECT_EQ(ui().texts().value(0), QString::fromUtf8(c.message));
    else
        EXPECT_EQ(ui().count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, OfficeCommands,
    ::testing::Values(OfficeCommandCase{"FederasyonAdresi1", "TIsyeri", ""},
                      OfficeCommandCase{"Kuaklar1", "TKusakGir", ""},
                      OfficeCommandCase{"KullancTantma1", "TSifreCheck", ""},
                      OfficeCommandCase{"Kulpler1", "TKlupGiris1", ""},
                      OfficeCommandCase{"DataTransfer1", "TPublishForm", ""},
                      OfficeCommandCase{"SporcuKaydveSCLlemleri1", "TMusteriGiris1", ""},
                      OfficeCommandCase{"SorgulamaveRaporlar1", "TTurnuvaGiris1", ""},
                      OfficeCommandCase{"FaaliyetGiriEkran1", "TTurnuvaGir", ""},
                      OfficeCommandCase{"SporcuTARTIEkran1", "TGiris1", ""},
                      OfficeCommandCase{"ncekiMsabakalarnSilinmesi1", "TSifreCheck", ""},
                      OfficeCommandCase{"KURAekimiveMsabaka1", "TKuraList", ""},
                      OfficeCommandCase{"MsabakaListeleri1", "TBaslik1S", "HERHANGİ BİR SONUÇ LİSTESİ BULUNMAMAKTADIR ...!"}),
    [](const ::testing::TestParamInfo<OfficeCommandCase>& i) { return std::string(i.param.command); });

} // namespace MainOfficeLocal

} // namespace
