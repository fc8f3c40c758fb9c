// The weigh-in screen: activation, selecting and showing an athlete, the
// lists, class browsing, the weigh-class change and the special code.
#include "competition/WeighInFixture.h"

#include "app/comport/SerialPort.h"
#include "platform/settings/Registry.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>

namespace {

class WeighInScreen : public WeighInTest {};

TEST_F(WeighInScreen, ActivationWithoutScaleSettingsWarnsAndShowsTheClasses)
{
    addPerson(1, "ALİ YILMAZ");
    addRow(1, 1, "ALİ YILMAZ", kMen70, 1, 1);
    addRow(2, 9, "CAN ER", kMen65, 0, 2);
    screen->show();

    EXPECT_EQ(screen->windowTitle(), "Sporcu Tartı Ekranı");
    EXPECT_EQ(ui().texts(), (QStringList{kNoTypeChosen, kPortUnusable}));
    EXPECT_EQ(screen->FPortFailed, 1);
    EXPECT_EQ(screen->FParticipationPoints, kPoints);
    // The no-athlete view: class browsing of the classes that have rows.
    EXPECT_FALSE(screen->Panel2->isHidden());
    EXPECT_TRUE(screen->AthletePanel->isHidden());
    QStringList browsed;
    for (int i = 0; i < screen->DBLookupComboBox2->count(); ++i)
        browsed << screen->DBLookupComboBox2->itemText(i);
    EXPECT_EQ(browsed, (QStringList{kMen65, kMen70}));
    EXPECT_EQ(screen->Label4->text(), "0,000");
    EXPECT_EQ(screen->liveWeightColor(), TMusteriGiris3::kRed);
    EXPECT_EQ(screen->ListelerTm1->text(), "Tartı Listeleri (TAMAMI)");
    EXPECT_EQ(screen->KlupTakimCaption->text(), "Kulüp Adı");
    EXPECT_TRUE(screen->Edit5->isHidden()) << "no special code set";
    EXPECT_TRUE(screen->BitBtn8->isHidden());
    EXPECT_TRUE(screen->BitBtn9->isHidden());

    // Browsing a class loads both lists of its gender.
    screen->DBLookupComboBox2->setCurrentIndex(1);
    emit screen->DBLookupComboBox2->activated(1);
    EXPECT_EQ(screen->Edit2->text(), kMen70);
    EXPECT_EQ(screen->Edit3->text(), "ERKEK");
    ASSERT_EQ(screen->DBGrid2->rowCount(), 1);
    EXPECT_EQ(screen->DBGrid2->currentRecord().str("Ad"), "ALİ YILMAZ");
    EXPECT_EQ(screen->GroupBox2->title(), " Kabul Edilenler Listesi (1)");
    EXPECT_EQ(screen->DBGrid3->rowCount(), 0);
}

TEST_F(WeighInScreen, BrowsedClassThatIsNoWeightClassIsReported)
{
    addRow(1, 9, "CAN ER", "ESKİ BRANŞ", 1, 1);
    open();
    screen->DBLookupComboBox2->setCurrentIndex(0);
    emit screen->DBLookupComboBox2->activated(0);
    EXPECT_EQ(ui().texts(), QStringList{"BRANŞ Tanımında HATA ile Karşılaşıldı ...!"});
    EXPECT_EQ(screen->DBGrid2->rowCount(), 1) << "the lists load all the same";
}

TEST_F(WeighInScreen, RegisterNumberIsPaddedAndSelectsTheAthlete)
{
    addPerson(1234, "ALİ YILMAZ", {{"E54", kMen80}, {"Kullanici", 2}, {"E26", "06-049000001"}});
    open();
    selectByNumber("1234");

    EXPECT_EQ(screen->Edit6->text(), "0001234");
    EXPECT_EQ(screen->Edit7->text(), "ALİ YILMAZ");
    EXPECT_TRUE(screen->Panel2->isHidden());
    EXPECT_FALSE(screen->AthletePanel->isHidden());
    EXPECT_EQ(screen->FAthleteKey, 1234);
    EXPECT_EQ(screen->FClassCount, 2);
    EXPECT_EQ(screen->Label12->text(), "Sistemde Kayıtlı Kilo : 72");
    EXPECT_EQ(screen->Label55->text(), "") << "no back number yet";
    EXPECT_EQ(screen->FAthleteRegionShort, "ANK");
    EXPECT_EQ(screen->Edit8->text(), kClub) << "the registered club is proposed";
    EXPECT_EQ(screen->ValueE26->text(), "06-049000001");
    // Slots: the first always with its limits, the second filled, the third blank.
    EXPECT_EQ(screen->SlotName[0]->text(), kMen70);
    EXPECT_EQ(screen->SlotMin[0]->text(), "70");
    EXPECT_EQ(screen->SlotMax[1]->text(), "80");
    EXPECT_EQ(screen->SlotMin[1]->text(), "75,01");
    EXPECT_EQ(screen->SlotMin[2]->text(), "");
    // With all categories the weigh class is the first, with the arrow.
    EXPECT_EQ(screen->FWeighClass, kMen70);
    EXPECT_FALSE(screen->SlotArrow[0]->isHidden());
    EXPECT_TRUE(screen->SlotArrow[1]->isHidden());
    EXPECT_EQ(screen->FListClass, kMen70);
}

TEST_F(WeighInScreen, NameSharedByTwoSelectsOnlyWithTheirRegisterNumber)
{
    addPerson(1, "ALİ YILMAZ");
    addPerson(2, "ALİ YILMAZ", {{"E53", kMen80}});
    open();
    selectByName("ALİ YILMAZ");
    EXPECT_EQ(ui().texts(),
              QStringList{"Hiç Sporcu Kaydına Rastlanamamış veya Birden Fazla Sporcu Kaydına Rastlanmıştır ...!"});
    EXPECT_EQ(screen->FAthleteKey, 0);
    EXPECT_EQ(screen->Edit7->text(), "");

    ui().clear();
    screen->Edit6->setText("2");
    selectByName("ALİ YILMAZ");
    EXPECT_TRUE(ui().texts().isEmpty());
    EXPECT_EQ(screen->FAthleteKey, 2);
    EXPECT_EQ(screen->Edit6->text(), "0000002");
}

TEST_F(WeighInScreen, TypedTextIsLookedUpAsTextNeverAsSql)
{
    addPerson(1, "ALİ O'NEIL");
    addPerson(2, "VELİ KAYA");
    open();
    selectByName("ALİ O'NEIL");
    EXPECT_EQ(screen->FAthleteKey, 1);

    // A number that would match every person if it were pasted into SQL.
    selectByNumber("1' or '1'='1");
    EXPECT_EQ(ui().texts(),
              QStringList{"Hiç Sporcu Kaydına Rastlanamamış veya Birden Fazla Sporcu Kaydına Rastlanmıştır ...!"});
    EXPECT_EQ(screen->FAthleteKey, 0);
}

TEST_F(WeighInScreen, CategoryChoosesTheLastClassThatBelongsToIt)
{
    addPerson(1, "ALİ YILMAZ", {{"E53", kMen70}, {"E54", kJunior60}, {"Kullanici", 2}});
    screen->FCategoryKey = 7;
    screen->FCategoryName = "GENÇLER";
    open();
    EXPECT_EQ(screen->ListelerTm1->text(), "Tartı Listeleri (GENÇLER)");
    QStringList offered;
    for (int i = 0; i < screen->DBLookupComboBox19->count(); ++i)
        offered << screen->DBLookupComboBox19->itemText(i);
    EXPECT_EQ(offered, QStringList{kJunior60});

    selectByNumber("1");
    EXPECT_EQ(screen->FWeighClass, kJunior60);
    EXPECT_EQ(screen->FWeighMin, 55.0);
    EXPECT_TRUE(screen->SlotArrow[0]->isHidden());
    EXPECT_FALSE(screen->SlotArrow[1]->isHidden());
    EXPECT_EQ(screen->SlotName[1]->palette().color(QPalette::WindowText), TMusteriGiris3::kBlue);
}

TEST_F(WeighInScreen, EmptyRegisteredWeightShowsTheLiveWeightRed)
{
    addPerson(1, "ALİ YILMAZ", {{"E38", QVariant()}});
    open();
    selectByNumber("1");
    EXPECT_EQ(screen->Label12->text(), "Sistemde Kayıtlı Kilo : ");
    EXPECT_EQ(screen->Label4->text(), "0,000");
    EXPECT_EQ(screen->liveWeightColor(), TMusteriGiris3::kRed);
}

TEST_F(WeighInScreen, LowerBeltWarnsOnlyWhenSelectedWithEnter)
{
    const int yellow = db.scalar("select Kusak_Key from KUSAK where Kusak_Adi = 'SARI KUŞAK'").toInt();
    const int green = db.scalar("select Kusak_Key from KUSAK where Kusak_Adi = 'YEŞİL KUŞAK'").toInt();
    addPerson(1, "ALİ YILMAZ", {{"E25", "SARI KUŞAK"}});
    addPerson(2, "VELİ KAYA", {{"E25", "KIRMIZI"}});
    ASSERT_LT(yellow, green);
    screen->FMinBeltKey = green;
    open();

    screen->Edit6->setText("0000001");
    screen->SicildenArama1();
    EXPECT_TRUE(ui().texts().isEmpty()) << "not selected with Enter";

    selectByNumber("1");
    EXPECT_EQ(ui().texts(), QStringList{"DİKKAT! Sporcunun kuşağı müsabaka için tercih edilen kuşaktan küçüktür...!"});
    EXPECT_EQ(screen->ValueE25->palette().color(QPalette::WindowText), TMusteriGiris3::kRed);
    EXPECT_EQ(screen->FAthleteKey, 1) << "the athlete stays selectable";

    ui().clear();
    selectByNumber("2");
    EXPECT_EQ(ui().texts(), QStringList{"DİKKAT! Sporcunun kuşağı sistemde kayıtlı değildir...!"});
}

TEST_F(WeighInScreen, PhotoOfTheProgramFolderIsShownWhenItLoads)
{
    addPerson(7, "ALİ YILMAZ");
    addPerson(8, "VELİ KAYA");
    QImage photo(40, 50, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    QDir().mkpath(host("C:\\CO\\QVX_PROG\\"));
    ASSERT_TRUE(photo.save(host("C:\\CO\\QVX_PROG\\R7.jpg"), "JPG"));
    writeFile(host("C:\\CO\\QVX_PROG\\R8.jpg"), "not a picture");
    open();
    selectByNumber("7");
    EXPECT_FALSE(screen->Image1->isHidden());
    selectByNumber("8");
    EXPECT_TRUE(screen->Image1->isHidden());
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(WeighInScreen, ClearingTheSelectionReturnsToClassBrowsing)
{
    addPerson(1, "ALİ YILMAZ");
    open();
    selectByNumber("1");
    screen->FWeighCount = 1;
    click(screen->SpeedButton1);
    EXPECT_EQ(screen->Edit7->text(), "");
    EXPECT_EQ(screen->Edit6->text(), "");
    EXPECT_EQ(screen->FAthleteKey, 0);
    EXPECT_EQ(screen->FWeighCount, 0);
    EXPECT_FALSE(screen->Panel2->isHidden());
    EXPECT_FALSE(screen->FListsOpen);

    // Emptying the name by hand does the same but keeps the number.
    selectByNumber("1");
    screen->Edit7->selectAll();
    QTest::keyClick(screen->Edit7, Qt::Key_Backspace);
    EXPECT_EQ(screen->FAthleteKey, 0);
    EXPECT_EQ(screen->Edit6->text(), "0000001");
}

TEST_F(WeighInScreen, CaptionsTurnBlueWhileTheirFieldHoldsText)
{
    open();
    EXPECT_EQ(screen->AdSoyadCaption->palette().color(QPalette::WindowText), QColor(Qt::black));
    screen->Edit7->setText("A");
    EXPECT_EQ(screen->AdSoyadCaption->palette().color(QPalette::WindowText), TMusteriGiris3::kBlue);
    EXPECT_EQ(screen->CopyNameCaption->palette().color(QPalette::WindowText), TMusteriGiris3::kBlue);
    screen->Edit6->setText("1");
    QTest::mouseClick(screen->SicilNoCaption, Qt::LeftButton);
    EXPECT_EQ(screen->Edit6->text(), "");
    EXPECT_EQ(screen->SicilNoCaption->palette().color(QPalette::WindowText), QColor(Qt::black));
}

TEST_F(WeighInScreen, F9EmptiesTheRegisterNumberForTheBarcodeReader)
{
    open();
    screen->Edit6->setText("0000001");
    screen->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    QTest::keyClick(screen->Edit7, Qt::Key_F9);
    EXPECT_EQ(screen->Edit6->text(), "");
    EXPECT_TRUE(screen->Edit6->hasFocus());
    EXPECT_FALSE(screen->BarCode1->isVisible()) << "the menu entry is never shown";
}

struct ModeCase {
    int teamMode;
    int gradeMode;
    const char* caption;
    const char* defaultValue;   // after a click on the caption
};

class ClubTeamField : public WeighInTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ClubTeamField, FollowsTheTournamentKind)
{
    const ModeCase& c = GetParam();
    addPerson(1, "ALİ YILMAZ");
    screen->FTeamMode = c.teamMode;
    screen->FGradeMode = c.gradeMode;
    open();
    EXPECT_EQ(screen->KlupTakimCaption->text(), QString::fromUtf8(c.caption));
    EXPECT_EQ(screen->DBLookupComboBox4->isHidden(), c.teamMode != 0);
    EXPECT_EQ(screen->ComboBox3->isHidden(), !(c.teamMode && !c.gradeMode));
    EXPECT_EQ(screen->ComboBox5->isHidden(), c.gradeMode == 0);
    selectByNumber("1");
    QTest::mouseClick(screen->KlupTakimCaption, Qt::LeftButton);
    EXPECT_EQ(screen->Edit8->text(), QString::fromUtf8(c.defaultValue));
}

INSTANTIATE_TEST_SUITE_P(Kinds, ClubTeamField,
                         ::testing::Values(ModeCase{0, 0, "Kulüp Adı", "ANKARA SPOR"},
                                           ModeCase{1, 0, "Takım Adı", "A TAKIMI"},
                                           ModeCase{1, 1, "Derece", "-"}));

TEST(WeighInNames, TeamNamesAndGrades)
{
    const QStringList teams = TMusteriGiris3::teamNames();
    ASSERT_EQ(teams.size(), 23);
    EXPECT_EQ(teams.first(), "A TAKIMI");
    EXPECT_EQ(teams.at(8), "I TAKIMI");
    EXPECT_EQ(teams.at(15), "P TAKIMI");
    EXPECT_EQ(teams.at(16), "R TAKIMI");
    EXPECT_EQ(teams.last(), "Z TAKIMI");
    EXPECT_EQ(TMusteriGiris3::grades().size(), 17);
    EXPECT_EQ(TMusteriGiris3::grades().last(), "16");
}

TEST_F(WeighInScreen, WomensClassIsRefusedForAMan)
{
    addPerson(1, "ALİ YILMAZ");
    open();
    // Without an athlete nothing is chosen.
    screen->DBLookupComboBox19->setCurrentIndex(screen->DBLookupComboBox19->findText(kWomen55));
    emit screen->DBLookupComboBox19->activated(screen->DBLookupComboBox19->currentIndex());
    EXPECT_EQ(ui().lastText(), "Lütfen önce tartılacak Sporcuyu seçiniz ...!");
    EXPECT_EQ(screen->Edit19->text(), "");

    selectByNumber("1");
    emit screen->DBLookupComboBox19->activated(screen->DBLookupComboBox19->currentIndex());
    EXPECT_EQ(ui().lastText(), "Seçilen Branş ile Sporcunun cinsiyeti uyuşmamaktadır ...!");
    EXPECT_EQ(screen->Edit19->text(), "");
    EXPECT_TRUE(screen->Panel5->isHidden());
    EXPECT_EQ(screen->FListClass, kMen70) << "the arrow's lists come back";
}

TEST_F(WeighInScreen, ChosenClassShowsInPlaceOfTheSlots)
{
    addPerson(1, "ALİ YILMAZ");
    addRow(1, 5, "CAN ER", kMen80, 1, 1);
    open();
    selectByNumber("1");
    const int at = screen->DBLookupComboBox19->findText(kMen80);
    screen->DBLookupComboBox19->setCurrentIndex(at);
    emit screen->DBLookupComboBox19->activated(at);
    EXPECT_EQ(screen->Edit19->text(), kMen80);
    EXPECT_FALSE(screen->Panel5->isHidden());
    EXPECT_TRUE(screen->Panel4->isHidden());
    EXPECT_EQ(screen->ChangedMin->text(), "75,01");
    EXPECT_EQ(screen->FOverrideGender, "ERKEK");
    EXPECT_EQ(screen->DBGrid2->rowCount(), 1);

    // Showing the athlete again keeps the change; the caption drops it.
    selectByNumber("1");
    EXPECT_EQ(screen->FListClass, kMen80);
    QTest::mouseClick(screen->TartiBransCaption, Qt::LeftButton);
    EXPECT_EQ(screen->Edit19->text(), "");
    EXPECT_TRUE(screen->Panel5->isHidden());
    EXPECT_EQ(screen->FListClass, kMen70);
}

TEST_F(WeighInScreen, SpecialCodeUnlocksTheOverrideButtons)
{
    db.exec("update C_SAYI set OzelKod = 'AB12'");
    open();
    EXPECT_FALSE(screen->Edit5->isHidden());
    EXPECT_EQ(screen->Edit5->echoMode(), QLineEdit::Password);
    typeInto(screen->Edit5, "ab1");
    EXPECT_TRUE(screen->BitBtn8->isHidden());
    typeInto(screen->Edit5, "2");
    EXPECT_FALSE(screen->BitBtn8->isHidden());
    EXPECT_FALSE(screen->BitBtn9->isHidden());
    EXPECT_TRUE(screen->BitBtn2->isHidden());
    EXPECT_EQ(screen->Edit5->palette().color(QPalette::Text), TMusteriGiris3::kRed);
    QTest::keyClick(screen->Edit5, Qt::Key_Backspace);
    EXPECT_TRUE(screen->BitBtn8->isHidden());
    EXPECT_FALSE(screen->BitBtn2->isHidden());
}

TEST_F(WeighInScreen, FrameTypeOtherThanOneOrTwoIsNoType)
{
    {
        Registry reg(Registry::HKEY_CURRENT_USER);
        reg.openKey("\\Software\\Classes\\.comport\\Shellex\\PropertySheet", true);
        reg.writeString("comport", "COM1");
        reg.writeString("Type", "3");
    }
    screen->show();
    EXPECT_EQ(ui().texts().value(0), kNoTypeChosen);
}

TEST_F(WeighInScreen, UsbAdapterReplacesTheStoredPort)
{
    QDir().mkpath(dir.path() + "/hw/sys/class/tty/ttyUSB0");
    {
        Registry reg(Registry::HKEY_CURRENT_USER);
        reg.openKey("\\Software\\Classes\\.comport\\Shellex\\PropertySheet", true);
        reg.writeString("comport", "COM1");
        reg.writeString("Type", "1");
    }
    screen->show();
    Registry reg(Registry::HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.openKeyReadOnly("\\Software\\Classes\\.comport\\Shellex\\PropertySheet"));
    EXPECT_EQ(reg.readString("comport"), "COM3");
    EXPECT_EQ(screen->SerialPort1->Port(), "COM3");
}

} // namespace
