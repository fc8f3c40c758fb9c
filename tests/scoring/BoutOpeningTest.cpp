// Opening a bout on the scoreboard, the bout settings dialog, and the score
// reset of a bout row.
#include "LiveFixture.h"

#include <QApplication>

using namespace ScoreboardLook;

namespace {

class BoutOpeningTest : public LiveTest {};

TEST_F(BoutOpeningTest, FillsEveryScoreboardControlFromTheRowAndWritesTheSettings)
{
    addStandardBout({{"H1M", 2}, {"H1K", 1}, {"H2M", 0}, {"H2K", 3}, {"H3M", 4}, {"H3K", 4},
                     {"C1M", 1}, {"C2M", 2}, {"C3M", 0}, {"C1K", 0}, {"C2K", 1}, {"C3K", 3},
                     {"Puan1", 1}, {"Puan2", 1}, {"Raunt", 2}, {"n_time", "00:01:10"}});
    writeFile(host(live->FProgramFolder + "Flags\\Flg6.bmp"), "BM");
    openBout(1);

    ASSERT_TRUE(Skor->isVisible());
    EXPECT_EQ(Skor->FBoutOpen, 1);
    EXPECT_EQ(Skor->FOpenBoutKey, "1");
    EXPECT_EQ(Skor->Ad1->text(), "AHMET");
    EXPECT_EQ(Skor->Ad2->text(), "BEKİR");
    EXPECT_EQ(Skor->Label54->text(), "11");
    EXPECT_EQ(Skor->Label55->text(), "12");
    EXPECT_EQ(Skor->n_time->text(), "00:01:10");
    EXPECT_EQ(Skor->Raunt->text(), "2");
    EXPECT_EQ(Skor->Brans->text(), kBranch);
    const QStringList judges{Skor->Label25->text(), Skor->Label22->text(), Skor->Label26->text(),
                             Skor->Label23->text(), Skor->Label27->text(), Skor->Label24->text()};
    EXPECT_EQ(judges, (QStringList{"2", "1", "0", "3", "4", "4"}));
    const QStringList counts{Skor->Label28->text(), Skor->Label29->text(), Skor->Label30->text(),
                             Skor->Label31->text(), Skor->Label32->text(), Skor->Label33->text()};
    EXPECT_EQ(counts, (QStringList{"1", "2", "0", "0", "1", "3"}));
    EXPECT_EQ(Skor->Puan1->text(), "1");
    EXPECT_EQ(Skor->Puan2->text(), "1");
    EXPECT_EQ(Skor->PuanS1->text(), "1");
    EXPECT_EQ(Skor->Takim1->text(), "ANKARA");
    EXPECT_EQ(Skor->Takim2->text(), "İZMİR");
    EXPECT_EQ(Skor->Label5->text(), "ALİ");
    EXPECT_EQ(Skor->Label14->text(), "VELİ");
    EXPECT_EQ(Skor->Label15->text(), "CEM");
    EXPECT_EQ(Skor->Hakem->text(), "Referee: ORTA HAKEM");
    EXPECT_EQ(Skor->Sira->text(), "Ring/Match: 1/001");
    EXPECT_EQ(Skor->Label4->text(), "READY");
    EXPECT_EQ(textColour(Skor->Label4), Black);

    // Lead marks and numbers, penalty marks.
    EXPECT_EQ(Skor->Label19->text(), "n");
    EXPECT_EQ(Skor->Label44->text(), "1");
    EXPECT_EQ(Skor->Label17->text(), "nnn");
    EXPECT_EQ(Skor->Label42->text(), "3");
    EXPECT_EQ(Skor->Label21->text(), "");
    EXPECT_EQ(Skor->Label18->text(), "");
    EXPECT_EQ(Skor->Label47->text(), "n");
    EXPECT_EQ(Skor->Label48->text(), "nn");
    EXPECT_EQ(Skor->Label51->text(), "n");
    EXPECT_EQ(Skor->Label52->text(), "nnn");
    // A full-contact bout: judges' boxes and totals, no large points.
    EXPECT_TRUE(Skor->Panel4->isVisible());
    EXPECT_TRUE(Skor->Panel3->isVisible());
    EXPECT_FALSE(Skor->PuanS1->isVisible());
    EXPECT_FALSE(Skor->Panel7->isVisible());
    EXPECT_EQ(Skor->Panel1->height(), 509);
    EXPECT_FALSE(Skor->Label65->isVisible());
    EXPECT_FALSE(Skor->Label74->isVisible());
    // The region's flag, and the logo for a region without one.
    EXPECT_EQ(Skor->SpeedButton1->property("picture").toString(), live->FProgramFolder + "Flags\\Flg6.bmp");
    EXPECT_EQ(Skor->SpeedButton2->property("picture").toString(), "C:\\CO\\MusLogo.bmp");

    const Record row = bout(1);
    EXPECT_EQ(row.str("H1"), "ALİ");
    EXPECT_EQ(row.str("H2"), "VELİ");
    EXPECT_EQ(row.str("H3"), "CEM");
    EXPECT_EQ(row.str("Hakem"), "ORTA HAKEM");
    EXPECT_EQ(row.str("Skor"), "1001");
    EXPECT_EQ(row.str("Tar_Saat"), "09.12.2024 / RİNG-1");
    EXPECT_EQ(row.toInt("Raunt_Say"), 3);
    EXPECT_EQ(row.str("Kata1"), "");
    EXPECT_EQ(row.str("n_time"), "00:01:10");
    EXPECT_EQ(row.str("d_time"), "00:02:00");

    EXPECT_FALSE(match->columnsVisible);
    EXPECT_FALSE(match->linkVisible);
    EXPECT_EQ(match->ringReloads, 1);
    EXPECT_EQ(live->FSemiContact, 0);
    EXPECT_EQ(live->FFoulLimit, 15);
    EXPECT_EQ(display->size, QSize(1024, 768));
}

TEST_F(BoutOpeningTest, ClubsOrNothingUnderTheNames)
{
    addStandardBout();
    Settings s;
    s.display = 2;
    openBout(1, s);
    EXPECT_EQ(Skor->Takim1->text(), "ANKARA SPOR");
    EXPECT_EQ(Skor->Takim2->text(), "İZMİR SPOR");
    Skor->closeUnasked();
    s.display = 3;
    openBout(1, s);
    EXPECT_FALSE(Skor->Takim1->isVisible());
    EXPECT_FALSE(Skor->Takim2->isVisible());
}

TEST_F(BoutOpeningTest, ARegionWithEnglishWordsNamesTheGenderInEnglish)
{
    db.insert("C_UYELIKTURU", {{"Durum_Key", 200}, {"Durum", "ALMANYA"}, {"Tip1", "00"}, {"Tip2", "DE"}});
    addBout(1, {"HANS", 11, "ALMANYA"}, {"BEKİR", 12, "İZMİR"});
    openBout(1);
    EXPECT_EQ(Skor->Brans->text(), "60 KİLO MALE BÜYÜKLER");
    // A region without a flag file gets the logo.
    EXPECT_EQ(Skor->SpeedButton1->property("picture").toString(), "C:\\CO\\MusLogo.bmp");
}

TEST_F(BoutOpeningTest, ASideWithoutRegionTakesItFromItsWeighInRow)
{
    db.insert("C_LISTE", {{"Liste_Key", 1}, {"Brans", kBranch}, {"Cinsiyet", kMen}, {"Ad", "AHMET"}, {"Sira", 11},
                          {"Onay", 1}, {"Bolge", "BURSA"}, {"Klup", "BURSA SPOR"}});
    addBout(1, {"AHMET", 11, ""}, {"BEKİR", 12, "İZMİR"});
    openBout(1);
    EXPECT_EQ(Skor->Takim1->text(), "BURSA");
}

TEST_F(BoutOpeningTest, CancellingTheDialogWritesNothingAndShowsNoScoreboard)
{
    addStandardBout();
    const Record before = bout(1);
    match->current = 1;
    modals().expect("TSkorb_giris", [](QDialog*) {
        Skorb_giris->Edit1->clear();    // nothing is checked after "İptal"
        click(Skorb_giris->BitBtn2);
    });
    live->MsabakayEkranaYkle1Click();
    EXPECT_FALSE(Skor->isVisible());
    EXPECT_EQ(Skor->FBoutOpen, 0);
    EXPECT_EQ(bout(1).values(), before.values());
    EXPECT_TRUE(ui().texts().isEmpty());
}

struct Refusal {
    const char* name;
    QVariantMap row;
    const char* message;
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

class OpeningRefusal : public BoutOpeningTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(OpeningRefusal, ShowsItsMessageAndOpensNothing)
{
    addStandardBout(GetParam().row);
    const Record before = bout(1);
    match->current = 1;
    live->MsabakayEkranaYkle1Click();
    EXPECT_EQ(ui().texts(), QStringList{GetParam().message});
    EXPECT_FALSE(Skor->isVisible());
    EXPECT_EQ(bout(1).values(), before.values());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OpeningRefusal,
    ::testing::Values(
        Refusal{"Bye", {{"Ad2", "Tur Atlar"}, {"Bolge2", "Pass"}},
                "Yarışacak Sporcular Belli Olmadığından Skorboard Açılamıyor ...!"},
        Refusal{"NoBackNumber", {{"Ad2", "YARI FİNAL 2.MAÇ"}, {"Sira2", QVariant()}},
                "Yarışacak Sporcular Belli Olmadığından Skorboard Açılamıyor ...!"},
        Refusal{"NoPoints", {{"Puan1", QVariant()}},
                "Müsabaka Bilgilerinin Bazıları Girilmemiş Olduğundan Skorboard Açılamıyor ...!"},
        Refusal{"NoClock", {{"n_time", ""}},
                "Müsabaka Bilgilerinin Bazıları Girilmemiş Olduğundan Skorboard Açılamıyor ...!"},
        Refusal{"NoRound", {{"Raunt", QVariant()}},
                "Müsabaka Bilgilerinin Bazıları Girilmemiş Olduğundan Skorboard Açılamıyor ...!"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BoutOpeningTest, ASecondBoutIsRefusedWhileOneIsOpen)
{
    addStandardBout();
    addBout(2, {"CEM", 13}, {"DAVUT", 14}, "YARI FİNAL", "2");
    openBout(1);
    match->current = 2;
    live->MsabakayEkranaYkle1Click();
    EXPECT_EQ(ui().lastText(), "Şu an Açık Skorboard Bulunmaktadır. Yeni Skorboard Açmak için Öncekini Kapatmanız "
                               "Gerekmektedir ...!");
    EXPECT_EQ(Skor->FOpenBoutKey, "1");
    EXPECT_EQ(Skor->Ad1->text(), "AHMET");
    EXPECT_EQ(bout(2).str("H1"), "");
}

TEST_F(BoutOpeningTest, ARowBeingEditedIsStoredAndTheOpeningAskedAgain)
{
    addStandardBout();
    match->current = 1;
    match->editing = true;
    live->MsabakayEkranaYkle1Click();
    EXPECT_EQ(ui().texts(), QStringList{"Lütfen skorboard'ı açmayı tekrar deneyiniz ...!"});
    EXPECT_TRUE(match->posted);
    EXPECT_FALSE(Skor->isVisible());
}

TEST_F(BoutOpeningTest, ADecidedBoutNeedsTheAdministratorForARestrictedUser)
{
    addStandardBout({{"Karar", "KO"}, {"Puan1", 3}});
    ASSERT_TRUE(login("ADMIN", "1234"));
    state->FRestrictedUser = 1;
    match->current = 1;
    modals().expect("TSifreCheck", [](QDialog*) {
        SifreCheck->Edit1->setText("9999");
        click(SifreCheck->BitBtn1);
        SifreCheck->reject();
    });
    live->MsabakayEkranaYkle1Click();
    EXPECT_EQ(ui().lastText(), "Karara bağlanmış müsabakayı açma yetkiniz bulunmamaktadır...!");
    EXPECT_FALSE(Skor->isVisible());

    // With the password it opens, showing the stored result.
    modals().expect("TSifreCheck", [](QDialog*) {
        SifreCheck->Edit1->setText("1234");
        click(SifreCheck->BitBtn1);
    });
    openBout(1);
    EXPECT_TRUE(Skor->isVisible());
    EXPECT_EQ(Skor->Label4->text(), "Score: 3-0 KO");
    EXPECT_EQ(textColour(Skor->Label4), Purple);
}

TEST_F(BoutOpeningTest, ADecidedBoutShowsItsScoreFromTheLeftSide)
{
    addStandardBout({{"Karar", "Points"}, {"Puan1", 2}, {"Puan2", 1}});
    live->FNormalSides = 0;
    openBout(1);
    EXPECT_EQ(Skor->Label4->text(), "Score: 1-2 Points");
}

TEST_F(BoutOpeningTest, ASemiContactBoutHasNoJudgesPanelsAndNoThirdJudge)
{
    addStandardBout({}, "57 KİLO ERKEK POINT FIGHTING");
    match->shownBranch = "57 KİLO ERKEK POINT FIGHTING";
    Settings s;
    s.judge3 = "";
    openBout(1, s);
    ASSERT_TRUE(Skor->isVisible());
    EXPECT_EQ(live->FSemiContact, 1);
    EXPECT_EQ(live->FFoulLimit, 4);
    EXPECT_EQ(live->FExitLimit, 4);
    EXPECT_FALSE(Skor->Panel4->isVisible());
    EXPECT_FALSE(Skor->Panel3->isVisible());
    EXPECT_TRUE(Skor->PuanS1->isVisible());
    EXPECT_TRUE(Skor->Panel7->isVisible());
    EXPECT_EQ(Skor->Panel1->height(), 568);
    EXPECT_EQ(Skor->Panel7->pos(), QPoint(8, 481));
    EXPECT_EQ(Skor->Label5->text(), "ORTA HAKEM");
    EXPECT_EQ(Skor->Label14->text(), "ALİ");
    EXPECT_EQ(Skor->Label15->text(), "VELİ");
    EXPECT_EQ(Skor->Hakem->text(), "");
    EXPECT_FALSE(Skorb_giris->Edit3->isVisibleTo(Skorb_giris));
    EXPECT_TRUE(Skorb_giris->Edit11->isVisibleTo(Skorb_giris));
}

TEST_F(BoutOpeningTest, AnEmptyThirdJudgeIsWrittenEmptyNeverThePreviousBoutsJudge)
{
    addStandardBout();
    addBout(2, {"CEM", 13}, {"DAVUT", 14}, "FİNAL", "1", "57 KİLO ERKEK SEMI CONTACT");
    openBout(1);
    EXPECT_EQ(bout(1).str("H3"), "CEM");
    Skor->closeUnasked();

    match->shownBranch.clear();
    Settings s;
    s.judge3 = "";
    match->current = 2;
    modals().expect("TSkorb_giris", [](QDialog*) {
        // The dialog does not carry the third judge of the bout before.
        EXPECT_EQ(Skorb_giris->Edit3->text(), "");
        click(Skorb_giris->BitBtn4);
    });
    live->MsabakayEkranaYkle1Click();
    ASSERT_TRUE(Skor->isVisible());
    EXPECT_EQ(bout(2).str("H3"), "");
    EXPECT_EQ(bout(2).str("H1"), "ALİ") << "the other judges carry over";
}

TEST_F(BoutOpeningTest, TheRingAndMatchAreProposedFromTheBranchsBouts)
{
    addStandardBout();
    addBout(2, {"CEM", 13}, {"DAVUT", 14}, "YARI FİNAL", "2", kBranch, {{"Skor", "12004"}});
    match->current = 1;
    modals().expect("TSkorb_giris", [](QDialog*) {
        EXPECT_EQ(Skorb_giris->Edit10->text(), "12");
        EXPECT_EQ(Skorb_giris->Edit9->text(), "005");
        click(Skorb_giris->BitBtn4);
    });
    Skorb_giris->Edit1->setText("ALİ");
    Skorb_giris->Edit2->setText("VELİ");
    Skorb_giris->Edit3->setText("CEM");
    live->MsabakayEkranaYkle1Click();
    EXPECT_EQ(bout(1).str("Skor"), "12005");
    EXPECT_EQ(bout(1).str("Tar_Saat"), "09.12.2024 / RİNG-12");
    EXPECT_EQ(Skor->Sira->text(), "Ring/Match: 12/005");
}

TEST_F(BoutOpeningTest, AStoredCodeGivesRingAndMatchBack)
{
    addStandardBout({{"Skor", "3017"}});
    match->current = 1;
    modals().expect("TSkorb_giris", [](QDialog*) {
        EXPECT_EQ(Skorb_giris->Edit10->text(), "3");
        EXPECT_EQ(Skorb_giris->Edit9->text(), "017");
        EXPECT_FALSE(Skorb_giris->Edit10->isReadOnly());
        click(Skorb_giris->BitBtn2);
    });
    live->MsabakayEkranaYkle1Click();

    // Listed by ring, the ring plan gives both numbers.
    match->rings = true;
    modals().expect("TSkorb_giris", [](QDialog*) {
        EXPECT_TRUE(Skorb_giris->Edit10->isReadOnly());
        EXPECT_TRUE(Skorb_giris->Edit9->isReadOnly());
        click(Skorb_giris->BitBtn2);
    });
    live->MsabakayEkranaYkle1Click();
}

// --- Round length against the clock -----------------------------------------

struct LengthCase {
    const char* name;
    const char* stored;     // d_time
    const char* remaining;  // n_time
    const char* typed;      // the dialog's round length
    const char* message;    // "" for none
    const char* nTime;      // the row afterwards
    const char* dTime;
};

void PrintTo(const LengthCase& c, std::ostream* os) { *os << c.name; }

class RoundLength : public BoutOpeningTest, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(RoundLength, AgainstTheRemainingTime)
{
    const LengthCase& c = GetParam();
    addStandardBout({{"d_time", c.stored}, {"n_time", c.remaining}});
    Settings s;
    s.duration = c.typed;
    openBout(1, s);
    EXPECT_EQ(ui().texts(), c.message[0] ? QStringList{c.message} : QStringList{});
    EXPECT_EQ(bout(1).str("n_time"), c.nTime);
    EXPECT_EQ(bout(1).str("d_time"), c.dTime);
    EXPECT_EQ(Skor->n_time->text(), c.nTime);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundLength,
    ::testing::Values(
        LengthCase{"Unchanged", "00:02:00", "00:02:00", "02:00", "", "00:02:00", "00:02:00"},
        LengthCase{"ChangedBeforeTheStart", "00:02:00", "00:02:00", "03:00",
                   "Müsabaka Süresi (03:00) olarak Güncellendi ...!", "00:03:00", "00:03:00"},
        LengthCase{"LengthenedAfterTheStart", "00:02:00", "00:01:10", "03:00",
                   "Müsabaka Süresi (03:00) olarak Güncellendi. Kalan Süre Değiştirilmedi ...!", "00:01:10",
                   "00:03:00"},
        LengthCase{"ShortenedBelowTheRemainingTime", "00:02:00", "00:01:10", "01:00",
                   "Müsabaka Süresi (01:00) olarak Güncellendi ...!", "00:01:00", "00:01:00"},
        LengthCase{"RemainingAboveTheLength", "00:02:00", "00:03:00", "02:00",
                   "DİKKAT..! KALAN SÜRE MÜSABAKA SÜRESİNDEN FAZLA", "00:03:00", "00:02:00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BoutOpeningTest, FewerRoundsThanTheCurrentOneAreWarnedAbout)
{
    addStandardBout({{"Raunt", 3}});
    Settings s;
    s.rounds = "2";
    openBout(1, s);
    EXPECT_EQ(ui().texts(), QStringList{"DİKKAT..! ROUND SAYISINI BULUNULAN ROUND'DAN DÜŞÜK GİRDİNİZ"});
    EXPECT_TRUE(Skor->isVisible());
    EXPECT_EQ(bout(1).toInt("Raunt_Say"), 2);
}

// --- The settings dialog's checks --------------------------------------------

struct DialogCase {
    const char* name;
    std::function<void(TSkorb_giris*)> fill;
    const char* message;
    const char* field;      // the control that gets the cursor ("" for none)
};

void PrintTo(const DialogCase& c, std::ostream* os) { *os << c.name; }

class SettingsCheck : public BoutOpeningTest, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(SettingsCheck, RefusesWithItsMessageAndStaysOpen)
{
    addStandardBout();
    match->current = 1;
    const DialogCase c = GetParam();
    modals().expect("TSkorb_giris", [c](QDialog* d) {
        Skorb_giris->Edit1->setText("ALİ");
        Skorb_giris->Edit2->setText("VELİ");
        Skorb_giris->Edit3->setText("CEM");
        Skorb_giris->Edit10->setText("1");
        c.fill(Skorb_giris);
        click(Skorb_giris->BitBtn4);
        EXPECT_EQ(ui().texts(), QStringList{c.message});
        EXPECT_TRUE(d->isVisible()) << "the dialog stays open";
        if (c.field[0]) {
            EXPECT_EQ(d->focusWidget()->objectName(), c.field);
        }
        click(Skorb_giris->BitBtn2);
    });
    live->MsabakayEkranaYkle1Click();
    EXPECT_FALSE(Skor->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SettingsCheck,
    ::testing::Values(
        DialogCase{"NoJudges", [](TSkorb_giris* d) { d->Edit1->clear(); d->Edit2->clear(); },
                   "Lütfen 1.Hakem'in Adını Giriniz ...!", "Edit1"},
        DialogCase{"NoSecondJudge", [](TSkorb_giris* d) { d->Edit2->clear(); }, "Lütfen 2.Hakem'in Adını Giriniz ...!",
                   "Edit2"},
        DialogCase{"NoThirdJudge", [](TSkorb_giris* d) { d->Edit3->clear(); }, "Lütfen 3.Hakem'in Adını Giriniz ...!",
                   "Edit3"},
        DialogCase{"DurationShort", [](TSkorb_giris* d) { d->Edit4->setText("2:00"); },
                   "Lütfen Süreyi DAKİKA:SANİYE (00:00) Formatında Giriniz ...!", "Edit4"},
        DialogCase{"DurationLeadingBlank", [](TSkorb_giris* d) { d->Edit4->setText(" 2:00"); },
                   "Lütfen Süreyi DAKİKA:SANİYE (00:00) Formatında Giriniz ...!", "Edit4"},
        DialogCase{"DurationNoTime", [](TSkorb_giris* d) { d->Edit4->setText("75:00"); }, "Süreyi Hatalı Girdiniz ...!",
                   "Edit4"},
        DialogCase{"DurationZero", [](TSkorb_giris* d) { d->Edit4->setText("00:00"); }, "Süreyi Hatalı Girdiniz ...!",
                   "Edit4"},
        DialogCase{"BreakIncomplete", [](TSkorb_giris* d) { d->Edit5->setText("01:6_"); },
                   "Lütfen Süreyi DAKİKA:SANİYE (00:00) Formatında Giriniz ...!", "Edit5"},
        DialogCase{"BreakNoTime", [](TSkorb_giris* d) { d->Edit5->setText("01:60"); }, "Süreyi Hatalı Girdiniz ...!",
                   "Edit5"},
        DialogCase{"ExtensionChecked", [](TSkorb_giris* d) { d->Edit11->setText("1:00"); },
                   "Lütfen Süreyi DAKİKA:SANİYE (00:00) Formatında Giriniz ...!", ""},
        DialogCase{"NoRounds", [](TSkorb_giris* d) { d->Edit6->setText("0"); }, "Round Sayısı Hatalı Girdiniz ...!",
                   "Edit6"},
        DialogCase{"RoundsNoNumber", [](TSkorb_giris* d) { d->Edit6->setText(" "); }, "Round Sayısı Hatalı Girdiniz ...!",
                   "Edit6"},
        DialogCase{"MinusNoNumber", [](TSkorb_giris* d) { d->Edit7->setText("x"); }, "Minus Puanı Hatalı Girdiniz ...!",
                   "Edit7"},
        DialogCase{"MatchNoNumber", [](TSkorb_giris* d) { d->Edit9->setText("0a"); },
                   "Maç Numarası Hatalı Girdiniz ...!", "Edit9"},
        DialogCase{"RingNoNumber", [](TSkorb_giris* d) { d->Edit10->setText(" "); },
                   "Ring Numarası Hatalı Girdiniz ...!", "Edit10"},
        DialogCase{"MatchZero", [](TSkorb_giris* d) { d->Edit9->setText("000"); }, "Maç Numarası Hatalı Girdiniz ...!",
                   "Edit9"},
        DialogCase{"RingZero", [](TSkorb_giris* d) { d->Edit10->setText("0"); }, "Ring Numarası Hatalı Girdiniz ...!",
                   "Edit10"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BoutOpeningTest, TheProposalOfANewBoutCanBeAcceptedAsItStands)
{
    addStandardBout();
    match->current = 1;
    Skorb_giris->Edit10->setText("0");  // the value the dialog is created with
    modals().expect("TSkorb_giris", [](QDialog*) {
        EXPECT_EQ(Skorb_giris->Edit10->text(), "1");
        EXPECT_EQ(Skorb_giris->Edit9->text(), "001");
        EXPECT_EQ(Skorb_giris->Edit4->text(), "02:00");
        EXPECT_EQ(Skorb_giris->Edit5->text(), "01:00");
        EXPECT_EQ(Skorb_giris->Edit6->text(), "3");
        EXPECT_EQ(Skorb_giris->Edit7->text(), "1");
        Skorb_giris->Edit1->setText("ALİ");
        Skorb_giris->Edit2->setText("VELİ");
        Skorb_giris->Edit3->setText("CEM");
        click(Skorb_giris->BitBtn4);
    });
    live->MsabakayEkranaYkle1Click();
    EXPECT_TRUE(Skor->isVisible());
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(BoutOpeningTest, TheCloseBoxRunsTheChecksAndThenAccepts)
{
    addStandardBout();
    match->current = 1;
    modals().expect("TSkorb_giris", [](QDialog* d) {
        Skorb_giris->Edit1->clear();
        d->close();
        EXPECT_EQ(ui().lastText(), "Lütfen 1.Hakem'in Adını Giriniz ...!");
        EXPECT_TRUE(d->isVisible());
        Skorb_giris->Edit1->setText("ALİ");
        Skorb_giris->Edit2->setText("VELİ");
        Skorb_giris->Edit3->setText("CEM");
        d->close();
        EXPECT_FALSE(d->isVisible());
    });
    live->MsabakayEkranaYkle1Click();
    EXPECT_TRUE(Skor->isVisible());
}

TEST_F(BoutOpeningTest, AnEntryOfTheRefereeListsFillsItsNameField)
{
    db.insert("C_MUSTERI", {{"Musteri_Key", 5}, {"Ad_Soyad", "HAKAN YILMAZ"}, {"E51", "A"}});
    db.insert("C_MUSTERI", {{"Musteri_Key", 6}, {"Ad_Soyad", "SPORCU"}, {"E51", ""}});
    addStandardBout();
    match->current = 1;
    modals().expect("TSkorb_giris", [](QDialog*) {
        ASSERT_EQ(Skorb_giris->DBLookupComboBox1->count(), 1) << "referees only";
        Skorb_giris->DBLookupComboBox4->setCurrentIndex(0);
        Skorb_giris->DBLookupComboBox4Click();
        EXPECT_EQ(Skorb_giris->Edit8->text(), "HAKAN YILMAZ");
        click(Skorb_giris->BitBtn2);
    });
    live->MsabakayEkranaYkle1Click();
}

TEST_F(BoutOpeningTest, AClickOnAJudgesCaptionEmptiesHisName)
{
    Skorb_giris->Edit1->setText("ALİ");
    Skorb_giris->Edit2->setText("VELİ");
    Skorb_giris->Edit3->setText("CEM");
    QTest::mouseClick(Skorb_giris->Label1, Qt::LeftButton);
    EXPECT_EQ(Skorb_giris->Edit2->text(), "");
    EXPECT_EQ(Skorb_giris->Edit1->text(), "ALİ");
    QTest::mouseClick(Skorb_giris->Label6, Qt::LeftButton);
    EXPECT_EQ(Skorb_giris->Edit3->text(), "");
}

// Hand boxes that the judges test while the dialog is open.
class AttachedHandBoxes : public ScoringInputs {
public:
    bool handBoxesAttached() const override { return true; }
    void openDevice() override { ++opened; }
    void closeDevice() override { ++closed; }
    int opened = 0;
    int closed = 0;
};

TEST_F(BoutOpeningTest, AttachedHandBoxesAreTestedBeforeAFullContactBout)
{
    auto boxes = std::make_shared<AttachedHandBoxes>();
    live->setInputs(boxes);
    addStandardBout();
    match->current = 1;
    modals().expect("TSkorb_giris", [](QDialog* d) {
        EXPECT_EQ(Skorb_giris->Label48->text(), "o");
        Skorb_giris->Edit1->setText("ALİ");
        Skorb_giris->Edit2->setText("VELİ");
        Skorb_giris->Edit3->setText("CEM");
        for (int judge = 1; judge <= 3; ++judge)
            Skorb_giris->markPress(judge, true);
        Skorb_giris->markPress(1, false);
        Skorb_giris->markPress(2, false);
        click(Skorb_giris->BitBtn4);
        EXPECT_EQ(ui().lastText(), "Lütfen tüm Hakemlere Mavi ve Kırmızı butonlara bastırıp test yaptırınız ...!");
        EXPECT_TRUE(d->isVisible());
        Skorb_giris->markPress(3, false);
        EXPECT_EQ(Skorb_giris->Label18->text(), "C");
        EXPECT_EQ(textColour(Skorb_giris->Label18), Red);
        EXPECT_EQ(textColour(Skorb_giris->Label48), Blue);
        click(Skorb_giris->BitBtn4);
    });
    live->MsabakayEkranaYkle1Click();
    EXPECT_TRUE(Skor->isVisible());
    EXPECT_EQ(boxes->opened, 1) << "the device opens for the test";
    // The test stays complete for the next bouts until it is reset.
    live->SkorbTestDefault();
    for (SymbolLabel* m : Skorb_giris->testMarks()) {
        EXPECT_EQ(m->text(), "o");
        EXPECT_EQ(textColour(m), White);
    }
}

TEST_F(BoutOpeningTest, ASemiContactBoutNeedsNoTest)
{
    live->setInputs(std::make_shared<AttachedHandBoxes>());
    addStandardBout({}, "57 KİLO ERKEK SEMI CONTACT");
    match->shownBranch.clear();
    Settings s;
    s.judge3 = "";
    openBout(1, s);
    EXPECT_TRUE(Skor->isVisible());
}

// --- Score reset -----------------------------------------------------------

class ScoreReset : public LiveTest {
protected:
    void SetUp() override
    {
        LiveTest::SetUp();
        addBout(1, {"AHMET", 11}, {"BEKİR", 12}, "YARI FİNAL", "1");
        addBout(2, {"CEM", 13}, {"DAVUT", 14}, "YARI FİNAL", "2");
        addBout(3, {"-", {}}, {"-", {}}, "3.'LÜK MAÇI", "1");
        addBout(4, {"YARI FİNAL 1.MAÇ", {}, "", ""}, {"YARI FİNAL 2.MAÇ", {}, "", ""}, "FİNAL", "1");
    }

    void reset(int key, bool confirm = true)
    {
        match->current = key;
        modals().expect("TForm5", [confirm](QDialog*) {
            EXPECT_EQ(Form5->Label1->text(), "Müsabaka Puanları Sıfırlanacaktır. Eminmisiniz...?");
            click(confirm ? Form5->BitBtn1 : Form5->BitBtn2);
        });
        live->SkorboardSfrla1Click();
    }
};

TEST_F(ScoreReset, BlanksTheScoresAndPutsTheRoundLengthBack)
{
    db.update("C_KURA", {{"H1M", 3}, {"C2K", 2}, {"Puan1", 1}, {"R1", "3;0;0;0;0;0;0;0;0;0;2;0"}, {"Raunt", 2},
                         {"n_time", "00:00:40"}, {"d_time", "00:01:30"}, {"Hakem", "X"}, {"Karar", "Points"}},
              "Kura_Key = 1");
    reset(1);
    const Record r = bout(1);
    EXPECT_EQ(r.toInt("H1M"), 0);
    EXPECT_EQ(r.toInt("C2K"), 0);
    EXPECT_EQ(r.toInt("Puan1"), 0);
    EXPECT_EQ(r.str("R1"), "");
    EXPECT_EQ(r.toInt("Raunt"), 1);
    EXPECT_EQ(r.str("n_time"), "00:01:30");
    EXPECT_EQ(r.str("d_time"), "00:01:30");
    EXPECT_EQ(r.str("Hakem"), "");
    EXPECT_EQ(r.str("Karar"), "");
    EXPECT_EQ(match->listReloads, 1);
    EXPECT_EQ(match->current, 1);
}

TEST_F(ScoreReset, NotConfirmedChangesNothing)
{
    db.update("C_KURA", {{"H1M", 3}}, "Kura_Key = 1");
    reset(1, false);
    EXPECT_EQ(bout(1).toInt("H1M"), 3);
}

TEST_F(ScoreReset, ARestrictedUserNeedsTheAdministrator)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    state->FRestrictedUser = 1;
    db.update("C_KURA", {{"H1M", 3}}, "Kura_Key = 1");
    match->current = 1;
    modals().expect("TSifreCheck", [](QDialog*) { SifreCheck->reject(); });
    live->SkorboardSfrla1Click();
    EXPECT_EQ(ui().lastText(), "Müsabakayı Admin Kullanıcı sıfırlayabilir...!");
    EXPECT_EQ(bout(1).toInt("H1M"), 3);
}

TEST_F(ScoreReset, IsRefusedWhileTheBoutIsOnTheScoreboard)
{
    openBout(1);
    judgePoint(1, true);
    match->current = 1;
    live->SkorboardSfrla1Click();
    EXPECT_EQ(ui().lastText(),
              "Bu Müsabaka Şu an Skorboard'da Açık. Sıfırlamak için Önce Skorboard'ı Kapatınız ...!");
    EXPECT_EQ(bout(1).toInt("H1M"), 1);
    // Another bout of the list can be reset meanwhile.
    db.update("C_KURA", {{"H2M", 5}}, "Kura_Key = 2");
    reset(2);
    EXPECT_EQ(bout(2).toInt("H2M"), 0);
}

TEST_F(ScoreReset, DecidedResetDecidedTheOtherWayEndsWithTheRightBracket)
{
    openBout(1);
    decide(0, "KO");
    EXPECT_EQ(bout(4).str("Ad1"), "AHMET");
    Skor->close();
    ASSERT_FALSE(Skor->isVisible());

    reset(1);
    Record semi = bout(1);
    EXPECT_EQ(semi.str("Galip"), "");
    EXPECT_EQ(semi.str("Salon"), "");
    EXPECT_EQ(semi.str("Karar"), "");
    Record final = bout(4);
    EXPECT_EQ(final.str("Ad1"), "YARI FİNAL 1.MAÇ") << "the winner is taken out of the final again";
    EXPECT_TRUE(final.isNull("Sira1"));
    EXPECT_TRUE(final.isNull("Tur_Key1"));

    openBout(1);
    decide(1, "RSC");
    semi = bout(1);
    EXPECT_EQ(semi.str("Galip"), "12");
    EXPECT_EQ(semi.str("Salon"), "BEKİR");
    EXPECT_EQ(semi.str("Karar"), "RSC");
    final = bout(4);
    EXPECT_EQ(final.str("Ad1"), "BEKİR");
    EXPECT_EQ(final.toInt("Sira1"), 12);
    EXPECT_EQ(final.toInt("Tur_Key1"), 1);
    EXPECT_EQ(final.str("Ad2"), "YARI FİNAL 2.MAÇ");
}

} // namespace
