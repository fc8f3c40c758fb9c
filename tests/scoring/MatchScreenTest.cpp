// The match screen on a fixture station: its lists, bout entry and bout
// edit, the draw from the draw panel, its start-up configuration, the
// activation's checks of the station link and the device port, and the bouts
// that wait for the main database.
#include "app/BrivexSchema.h"
#include "app/comport/SerialPort.h"
#include "app/dialogs/Form5.h"
#include "app/dialogs/Porgres.h"
#include "app/dialogs/SifreCheck.h"
#include "app/kit/DbConventions.h"
#include "app/kit/DbGrid.h"
#include "app/kit/Formats.h"
#include "app/Main.h"
#include "app/Sifre.h"
#include "competition/KuraKayit.h"
#include "competition/KurSec.h"
#include "comport/PtyPair.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/PortMap.h"
#include "platform/settings/Registry.h"
#include "reports/CompetitionReports.h"
#include "scoring/KuraList.h"
#include "scoring/MainDatabaseCopy.h"
#include "scoring/RandomSource.h"
#include "scoring/Skor.h"
#include "scoring/SkorbGiris.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include <ostream>

namespace {

const QString kBranch = QStringLiteral("60 KİLO ERKEK BÜYÜKLER");
const QString kWomenBranch = QStringLiteral("52 KİLO BAYAN BÜYÜKLER");
const char* const kPortKey = "\\Software\\Classes\\.comport\\Shellex\\PropertySheet";
const char* const kPortMessage = "Sisteminizde Tanımlı Olmayan veya Kullanımda Olan Seri İletişim Portu Seçili.\n"
                                 "Lütfen 'İletişim Portu Seçme' Ekranından Düzeltiniz ...!";

QStringList column(const TDBGrid* grid, const QString& field)
{
    QStringList values;
    for (const Record& r : grid->records())
        values << r.str(field);
    return values;
}

class MatchScreenTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        ASSERT_TRUE(pty.valid());
        // The scoring device's port is a pseudo-terminal.
        PortMap::setDevice("COM1", pty.slavePath());
        choosePort("COM1");
        ASSERT_TRUE(login("ADMIN", "1234"));
        // What the main window fixes at start-up.
        Main->ScoringEdition = 1;
        Main->RegionSeparation = 1;
        Main->ThirdPlaceBouts = 0;
        Formats::setDecimalSeparator(',');
        Kura_Kayit->today = [] { return QDate(2024, 5, 18); };
        KuraList->setRandomSource(&random);
        ui().clear();
    }

    void TearDown() override
    {
        if (KuraList->isVisible())
            KuraList->close();
        Formats::setDecimalSeparator('.');
        ScreensTest::TearDown();
    }

    static void choosePort(const QString& port)
    {
        Registry reg(Registry::HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.openKey(kPortKey, true));
        reg.writeString("comport", port);
    }

    // Opens the screen as the main window does (its activation runs).
    void open()
    {
        KuraList->show();
        ASSERT_TRUE(KuraList->isVisible());
    }

    void weightClass(const QString& name, const QString& eb)
    {
        db.insert("C_BRANS", {{"Durum_Key", Counters::next(db, "Sayi")}, {"Durum", name}, {"E_B", eb}});
    }

    int entrant(const QString& name, const QString& region, const QString& branch = kBranch,
                const QString& gender = "ERKEK", int approved = 1)
    {
        const int key = Counters::next(db, "sayi1");
        const int number = Counters::next(db, "sayi3");
        db.insert("C_LISTE", {{"Liste_Key", key}, {"Brans", branch}, {"Cinsiyet", gender}, {"Ad", name},
                              {"Bolge", region}, {"Klup", "KULÜP"}, {"Sira", number}, {"Onay", approved},
                              {"Musteri_Key", 100 + key}, {"Puan", approved}});
        return number;
    }

    int bout(const QString& branch, const QString& gender, const QString& blue, const QString& red,
             const QString& ring = QString(), const QString& order = QString())
    {
        const int key = Counters::next(db, "sayi2");
        db.insert("C_KURA", {{"Kura_Key", key}, {"Brans", branch}, {"Cinsiyet", gender}, {"Ad1", blue},
                             {"Ad2", red}, {"Tur", "FİNAL"}, {"Sira", "1"}, {"Grup", "A"}, {"Tar_Saat", ring},
                             {"Skor", order}, {"Tip1", "AD"}, {"Tip2", "AD"}, {"Sira1", key + 100},
                             {"Sira2", key + 200}, {"Puan1", 0}, {"Puan2", 0}, {"Galip", ""}, {"Salon", ""}});
        return key;
    }

    int count(const QString& sql, const QVariantMap& params = {})
    {
        return db.scalar(sql, params).toInt();
    }

    // The bout entry's fields for a valid bout.
    static void fillBout(QDialog* d, const QString& blue, const QString& red)
    {
        child<QLineEdit>(d, "Edit9")->setText("57");
        pick(child<QComboBox>(d, "ComboBox4"), "ERKEK");
        pick(child<QComboBox>(d, "DBLookupComboBox5"), "GENÇLER");
        child<QLineEdit>(d, "Edit3")->setText(blue);
        pick(child<QComboBox>(d, "DBLookupComboBox1"), "ANKARA");
        child<QLineEdit>(d, "Edit5")->setText(red);
        pick(child<QComboBox>(d, "DBLookupComboBox2"), "İZMİR");
    }

    // A saved bout goes on to the scoreboard: its settings dialog is left
    // with "İptal".
    static void cancelScoreboardSettings()
    {
        modals().expect("TSkorb_giris", [](QDialog*) { click(Skorb_giris->BitBtn2); });
    }

    PtyPair pty;
    SeededRandom random{20240518};
};

// --- Lists ------------------------------------------------------------------

// The chart buttons ("Raporlar" beside "Sporcu Kayıt", the portrait chart)
// have no chart to print here: they say so instead of doing nothing.
TEST_F(MatchScreenTest, ListsTheApprovedWeighInRowsOfABranch)
{
    weightClass(kBranch, "E");
    entrant("ZEKİ KAYA", "ANKARA");
    entrant("ALİ AK", "BURSA");
    entrant("ÇETİN AY", "İZMİR");
    entrant("REDDEDİLEN", "İZMİR", kBranch, "ERKEK", 0);
    entrant("BAŞKA", "İZMİR", kWomenBranch, "BAYAN");
    open();

    EXPECT_EQ(KuraList->DBGrid2->column(0).title, "Ad Soyad");
    QStringList branches;
    for (int i = 0; i < KuraList->DBLookupComboBox2->count(); ++i)
        branches << KuraList->DBLookupComboBox2->itemText(i);
    EXPECT_EQ(branches, (QStringList{kWomenBranch, kBranch}));

    pick(KuraList->DBLookupComboBox2, kBranch);
    EXPECT_EQ(KuraList->Edit2->text(), kBranch);
    EXPECT_EQ(KuraList->Edit3->text(), "ERKEK");
    EXPECT_TRUE(KuraList->weighInListOpen());
    EXPECT_EQ(column(KuraList->DBGrid2, "Ad"), (QStringList{"ALİ AK", "ÇETİN AY", "ZEKİ KAYA"}));
    EXPECT_EQ(KuraList->DBGrid2->column(0).title, "Ad Soyad                  Sp.Say: 3");
    ASSERT_EQ(KuraList->unapprovedRows().size(), 1);
    EXPECT_EQ(KuraList->unapprovedRows().first().str("Ad"), "REDDEDİLEN");
    EXPECT_FALSE(KuraList->DBGrid2->column(KuraList->DBGrid2->columnOf("Sira")).visible);
    EXPECT_FALSE(KuraList->DBGrid2->column(KuraList->DBGrid2->columnOf("TartilanKilo")).visible);
    EXPECT_TRUE(ui().texts().isEmpty());

    // The label "Branş" empties the choice.
    QTest::mouseClick(KuraList->Label1, Qt::LeftButton);
    EXPECT_EQ(KuraList->Edit2->text(), "");
    EXPECT_FALSE(KuraList->weighInListOpen());
    EXPECT_EQ(KuraList->DBGrid2->rowCount(), 0);
    EXPECT_EQ(KuraList->DBGrid2->column(0).title, "Ad Soyad");
}

TEST_F(MatchScreenTest, ABranchWithoutItsCategoryRowKeepsTheGenderAndStillLists)
{
    const QString branch = "70 KİLO ERKEK O'NEIL";    // an apostrophe is a bound value, not SQL
    entrant("ADAM", "ANKARA", branch, "ERKEK");
    open();
    pick(KuraList->DBLookupComboBox2, branch);
    EXPECT_EQ(ui().texts(), QStringList{"BRANŞ Tanımında HATA ile Karşılaşıldı ...!"});
    EXPECT_EQ(KuraList->Edit3->text(), "") << "the gender stays as it was";
    EXPECT_TRUE(KuraList->weighInListOpen());
    EXPECT_EQ(KuraList->DBGrid2->rowCount(), 0) << "no row of that branch has an empty gender";

    KuraList->ComboBox1->setCurrentIndex(KuraList->ComboBox1->findText("ERKEK"));
    emit KuraList->ComboBox1->activated(KuraList->ComboBox1->currentIndex());
    EXPECT_EQ(column(KuraList->DBGrid2, "Ad"), QStringList{"ADAM"});
}

TEST_F(MatchScreenTest, ListsTheBoutsOfABranchAndOfARing)
{
    weightClass(kWomenBranch, "B");
    weightClass("O'NEIL 48 KG BAYAN", "B");
    const int a = bout(kWomenBranch, "BAYAN", "AYŞE", "FATMA", "18.05.2024 / RİNG-1", "1002");
    const int b = bout(kWomenBranch, "BAYAN", "ELİF", "SEDA", "18.05.2024 / RİNG-2", "2001");
    bout(kWomenBranch, "ERKEK", "YANLIŞ", "CİNSİYET");
    const int c = bout("O'NEIL 48 KG BAYAN", "BAYAN", "NUR", "SU", "18.05.2024 / RİNG-1", "1001");
    bout(kBranch, "ERKEK", "BOŞ", "RİNG");
    open();

    pick(KuraList->DBLookupComboBox1, kWomenBranch);
    EXPECT_TRUE(KuraList->boutListOpen());
    EXPECT_EQ(KuraList->Edit1->text(), kWomenBranch);
    EXPECT_EQ(KuraList->Edit4->text(), "BAYAN");
    EXPECT_EQ(column(KuraList->DBGrid1, "Kura_Key"), (QStringList{QString::number(a), QString::number(b)}));
    EXPECT_EQ(KuraList->DBGrid1->currentRow(), 0);
    EXPECT_EQ(KuraList->DBGrid1->cellText(0, KuraList->DBGrid1->columnOf("Tur_Mac")), "FİNAL");
    EXPECT_EQ(KuraList->DBGrid1->cellText(0, KuraList->DBGrid1->columnOf("Ring_Brans")), "18.05.2024 / RİNG-1");

    pick(KuraList->DBLookupComboBox1, "O'NEIL 48 KG BAYAN");
    EXPECT_EQ(column(KuraList->DBGrid1, "Ad1"), QStringList{"NUR"});

    // The ring area: the rings in use, a ring's bouts in their order.
    click(KuraList->RadioButton2);
    EXPECT_FALSE(KuraList->boutListOpen()) << "the branch choice goes";
    EXPECT_EQ(KuraList->Edit1->text(), "");
    EXPECT_FALSE(KuraList->DBLookupComboBox1->isVisible());
    EXPECT_TRUE(KuraList->DBLookupComboBox3->isVisible());
    QStringList rings;
    for (int i = 0; i < KuraList->DBLookupComboBox3->count(); ++i)
        rings << KuraList->DBLookupComboBox3->itemText(i);
    EXPECT_EQ(rings, (QStringList{"18.05.2024 / RİNG-1", "18.05.2024 / RİNG-2"})) << "no empty ring";
    pick(KuraList->DBLookupComboBox3, "18.05.2024 / RİNG-1");
    EXPECT_EQ(KuraList->FRingList, 1);
    EXPECT_EQ(KuraList->Edit6->text(), "18.05.2024 / RİNG-1");
    EXPECT_EQ(column(KuraList->DBGrid1, "Kura_Key"), (QStringList{QString::number(c), QString::number(a)}));
    const int ringColumn = KuraList->DBGrid1->columnOf("Ring_Brans");
    EXPECT_EQ(KuraList->DBGrid1->column(ringColumn).title, "Branş");
    EXPECT_EQ(KuraList->DBGrid1->cellText(1, ringColumn), kWomenBranch);
    EXPECT_TRUE(ui().texts().isEmpty());

    QTest::mouseClick(KuraList->Label4, Qt::LeftButton);
    EXPECT_FALSE(KuraList->boutListOpen());
    EXPECT_EQ(KuraList->Edit6->text(), "");
}

TEST_F(MatchScreenTest, TheBoutGridStoresScoresTypedIntoIt)
{
    weightClass(kWomenBranch, "B");
    const int key = bout(kWomenBranch, "BAYAN", "AYŞE", "FATMA");
    open();
    pick(KuraList->DBLookupComboBox1, kWomenBranch);
    TDBGrid* grid = KuraList->DBGrid1;
    EXPECT_TRUE(grid->column(grid->columnOf("Ad1")).readOnly);

    ASSERT_TRUE(grid->setFieldValue("Puan1", "üç"));
    EXPECT_FALSE(grid->post());
    EXPECT_EQ(ui().lastText(), "'üç' Geçerli Bir Sayı Değildir ...!");
    grid->cancel();

    ASSERT_TRUE(grid->setFieldValue("n_time", "00:99:00"));
    EXPECT_FALSE(grid->post());
    EXPECT_EQ(ui().lastText(), "Süreyi Hatalı Girdiniz ...!");
    grid->cancel();

    ASSERT_TRUE(grid->setFieldValue("Puan1", "3"));
    ASSERT_TRUE(grid->setFieldValue("Karar", "Points"));
    ASSERT_TRUE(grid->setFieldValue("n_time", "00:01:10"));
    EXPECT_TRUE(grid->post());
    const auto row = db.first("select * from C_KURA where Kura_Key = :k", {{"k", key}});
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->toInt("Puan1"), 3);
    EXPECT_EQ(row->str("Karar"), "Points");
    EXPECT_EQ(row->str("n_time"), "00:01:10");
}

// --- Bout entry and bout edit ---------------------------------------------

// The login configures the match screen as a scoring station, as the main
// window does at start-up.
using MatchScreenStation = MatchScreenTest;

TEST_F(MatchScreenStation, SporcuKayitListsTheSavedCategoryOnItsLastBout)
{
    open();
    for (const auto& [blue, red] : {std::pair{"ALİ", "VELİ"}, std::pair{"CAN", "CEM"}}) {
        modals().expect("TKura_Kayit", [&](QDialog* d) {
            EXPECT_EQ(child<QLineEdit>(d, "MaskEdit1")->text(), "3") << "the screen's round count";
            fillBout(d, blue, red);
            click(child<QPushButton>(d, "BitBtn1"));
        });
        cancelScoreboardSettings();
        click(KuraList->BitBtn11);
    }
    const QString category = "57 KG ERKEK GENÇLER";
    EXPECT_EQ(KuraList->Edit1->text(), category);
    EXPECT_EQ(KuraList->Edit4->text(), "ERKEK");
    EXPECT_EQ(KuraList->DBLookupComboBox1->currentText(), category) << "the branch list knows the new category";
    EXPECT_EQ(column(KuraList->DBGrid1, "Ad1"), (QStringList{"ALİ", "CAN"}));
    EXPECT_EQ(KuraList->DBGrid1->currentRow(), 1) << "the last bout, offered to the scoreboard";
    EXPECT_EQ(KuraList->FBranchFromList, 1);
    EXPECT_EQ(ui().texts(), (QStringList{"Sporcular Müsabakaya Kaydedildi ...!", "Sporcular Müsabakaya Kaydedildi ...!"}));
    const Records rows = db.select("select * from C_KURA where Brans = :b order by Kura_Key", {{"b", category}});
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].str("ex_time"), "00:01:00") << "the screen's extension time";
    EXPECT_EQ(rows[0].str("d_time"), "00:02:00") << "the screen's bout time";
}

TEST_F(MatchScreenStation, DuzeltChangesTheChosenBoutAndStaysOnIt)
{
    open();
    for (const auto& [blue, red] : {std::pair{"ALİ", "VELİ"}, std::pair{"CAN", "CEM"}}) {
        modals().expect("TKura_Kayit", [&](QDialog* d) {
            fillBout(d, blue, red);
            click(child<QPushButton>(d, "BitBtn1"));
        });
        cancelScoreboardSettings();
        KuraList->BitBtn11Click();
    }
    KuraList->DBGrid1->setCurrentRow(0);
    const int key = KuraList->DBGrid1->currentRecord().toInt("Kura_Key");
    ui().clear();
    modals().expect("TKura_Kayit", [&](QDialog* d) {
        EXPECT_EQ(Kura_Kayit->FBoutKey, key);
        EXPECT_TRUE(child<QLineEdit>(d, "MaskEdit3")->isEnabled());
        EXPECT_TRUE(child<QLineEdit>(d, "MaskEdit4")->isEnabled());
        EXPECT_TRUE(child<QLabel>(d, "Label13")->isEnabled());
        EXPECT_EQ(child<QLineEdit>(d, "Edit3")->text(), "ALİ");
        child<QLineEdit>(d, "Edit3")->setText("ALİCAN");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    cancelScoreboardSettings();
    ASSERT_EQ(KuraList->popupFor("Ad2"), KuraList->PopupMenu5) << "a name opens the attendance popup";
    ASSERT_EQ(KuraList->popupFor("Hakem"), KuraList->PopupMenu6);
    KuraList->ChangeDetails1->trigger();
    EXPECT_FALSE(Kura_Kayit->MaskEdit3->isEnabled()) << "disabled again";
    EXPECT_EQ(column(KuraList->DBGrid1, "Ad1"), (QStringList{"ALİCAN", "CAN"}));
    EXPECT_EQ(KuraList->DBGrid1->currentRow(), 0) << "the edited bout, offered to the scoreboard";
    EXPECT_EQ(ui().texts(), QStringList{"Sporcular Müsabakaya Kaydedildi ...!"});
}

TEST_F(MatchScreenTest, DuzeltNeedsTheAdministratorPasswordForOtherUsers)
{
    KuraList->applyStartupConfiguration(false, false);
    weightClass(kWomenBranch, "B");
    bout(kWomenBranch, "BAYAN", "AYŞE", "FATMA");
    open();
    pick(KuraList->DBLookupComboBox1, kWomenBranch);

    modals().expect("TSifreCheck", [](QDialog* d) {
        child<QLineEdit>(d, "Edit1")->setText("9999");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    KuraList->ChangeDetails1Click();
    EXPECT_EQ(ui().lastText(), "Müsabaka Detayı Admin Kullanıcı tarafından değiştirebilir...!");

    ui().clear();
    modals().expect("TSifreCheck", [](QDialog* d) {
        child<QLineEdit>(d, "Edit1")->setText("1234");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    modals().expect("TKura_Kayit", [](QDialog* d) {
        EXPECT_EQ(child<QLineEdit>(d, "Edit3")->text(), "AYŞE");
        click(child<QPushButton>(d, "BitBtn2"));
    });
    KuraList->ChangeDetails1Click();
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(MatchScreenStation, DuzeltWithoutABoutDoesNothing)
{
    open();
    const qsizetype shown = modals().seen().size();
    KuraList->ChangeDetails1Click();
    EXPECT_EQ(modals().seen().size(), shown) << "no dialog without a chosen bout";
    EXPECT_EQ(KuraList->popupFor("Hakem"), nullptr) << "the bout popup needs a bout";
}

// --- The draw from the draw panel ---------------------------------------------

class MatchScreenDraw : public MatchScreenStation {
protected:
    void SetUp() override
    {
        MatchScreenStation::SetUp();
        weightClass(kBranch, "E");
        const char* regions[] = {"ANKARA", "ANKARA", "BURSA", "İZMİR", "KONYA"};
        for (int i = 0; i < 5; ++i)
            entrant(QString("SPORCU %1").arg(i + 1), regions[i]);
        open();
    }

    // Scripts the draw options: the choice, the men's bout time and the
    // rounds, then "Devam".
    void expectOptions(QRadioButton* TKur_Sec::*choice, const QString& menTime, const QString& rounds,
                       const QString& category = QString())
    {
        modals().expect("TKur_Sec", [=](QDialog* d) {
            click(Kur_Sec->*choice);
            if (!category.isEmpty())
                pick(child<QComboBox>(d, "DBLookupComboBox5"), category);
            child<QLineEdit>(d, "Edit1")->setText(menTime);
            child<QLineEdit>(d, "Edit5")->setText(rounds);
            click(child<QPushButton>(d, "BitBtn4"));
        });
    }

    // "Kura Çek" with the given choice and settings.
    void drawWith(QRadioButton* TKur_Sec::*choice, const QString& menTime, const QString& rounds,
                  const QString& category = QString())
    {
        expectOptions(choice, menTime, rounds, category);
        KuraList->BitBtn7Click();
    }
};

TEST_F(MatchScreenDraw, DrawsTheChosenBranchAndListsItsBouts)
{
    pick(KuraList->DBLookupComboBox2, kBranch);
    modals().expect("TKur_Sec", [](QDialog* d) {
        EXPECT_EQ(child<QLineEdit>(d, "Edit1")->text(), "02:00") << "the screen's bout time";
        EXPECT_EQ(child<QLineEdit>(d, "Edit5")->text(), "3") << "the screen's round count";
        EXPECT_TRUE(child<QFrame>(d, "Panel1")->isVisible()) << "the scoreboard command is enabled";
        EXPECT_EQ(d->width(), child<QFrame>(d, "Panel1")->geometry().right() + 1 + 10);
        child<QLineEdit>(d, "Edit1")->setText("03:00");
        child<QLineEdit>(d, "Edit5")->setText("2");
        click(child<QPushButton>(d, "BitBtn4"));
    });
    KuraList->BitBtn7Click();

    EXPECT_EQ(KuraList->FMatchTimeMen, "00:03:00");
    EXPECT_EQ(KuraList->FFinalTimeMen, "00:03:00");
    EXPECT_EQ(KuraList->FRoundCount, 2);
    EXPECT_EQ(ui().texts(), QStringList{kBranch + " BRANŞINDA KURA ÇEKİMİ YAPILDI ...!"});

    // Five entrants and three byes: four quarter-finals, two semi-finals,
    // the third-place row and the final, listed on the screen.
    const Records rows = db.select("select * from C_KURA where Brans = :b order by Kura_Key", {{"b", kBranch}});
    ASSERT_EQ(rows.size(), 8);
    EXPECT_EQ(KuraList->Edit1->text(), kBranch);
    EXPECT_EQ(KuraList->Edit4->text(), "ERKEK");
    EXPECT_TRUE(KuraList->boutListOpen());
    EXPECT_EQ(column(KuraList->DBGrid1, "Kura_Key").size(), 8);
    EXPECT_EQ(KuraList->DBGrid1->currentRow(), 0);
    EXPECT_EQ(KuraList->DBLookupComboBox1->findText(kBranch), 0) << "the bout branches know it";
    int byes = 0;
    for (const Record& r : rows) {
        EXPECT_EQ(r.toInt("Raunt_Say"), 2) << "the round count of the options";
        EXPECT_EQ(r.str("d_time"), "00:03:00");
        for (int side = 1; side <= 2; ++side)
            if (r.str(QString("Bolge%1").arg(side)) == "Pass")
                ++byes;
        if (r.str("Bolge1") == "Pass" || r.str("Bolge2") == "Pass") {
            EXPECT_FALSE(r.str("Galip").isEmpty()) << "a bye's opponent goes on at once";
        }
    }
    EXPECT_EQ(byes, 3) << "the main window's region separation pads to eight";
    EXPECT_EQ(count("select count(*) from C_LISTE where Bolge = 'Pass'"), 0) << "the byes' weigh-in rows are gone";
    EXPECT_FALSE(Porgres->isVisible());

    // A drawn branch is not drawn again.
    ui().clear();
    drawWith(&TKur_Sec::RadioButton1, "03:00", "2");
    EXPECT_EQ(ui().texts(), QStringList{kBranch + " BRANŞINDA KURA ÇEKİMİ YAPILMIŞTIR. YENİDEN KURA ÇEKİMİ YAPMAK İÇİN "
                                                  "ÖNCEKİ KURALARI SİLMENİZ GEREKMEKTEDİR ...!"});
    EXPECT_EQ(count("select count(*) from C_KURA"), 8);
}

TEST_F(MatchScreenDraw, WithoutTheMainWindowsRegionSeparationNoByesAreAdded)
{
    Main->RegionSeparation = 0;
    pick(KuraList->DBLookupComboBox2, kBranch);
    drawWith(&TKur_Sec::RadioButton1, "02:00", "3");
    EXPECT_EQ(count("select count(*) from C_KURA where Bolge1 = 'Pass' or Bolge2 = 'Pass'"), 0);
    EXPECT_EQ(count("select count(*) from C_KURA where Tur = :t", {{"t", "ÖN ELEME"}}), 1);
}

TEST_F(MatchScreenDraw, TheChosenBranchMustHaveAthletes)
{
    drawWith(&TKur_Sec::RadioButton1, "02:00", "3");
    EXPECT_EQ(ui().texts(), QStringList{"Lütfen Kurasını Çekeceğiniz Branşı Seçiniz ...!"});

    // A branch whose athletes were all refused at the weigh-in.
    ui().clear();
    entrant("ELENEN", "ANKARA", kWomenBranch, "BAYAN", 0);
    weightClass(kWomenBranch, "B");
    KuraList->activateNow();
    pick(KuraList->DBLookupComboBox2, kWomenBranch);
    drawWith(&TKur_Sec::RadioButton1, "02:00", "3");
    EXPECT_EQ(ui().texts(), QStringList{"Seçilen Listede Sporcu Bulunmamaktadır ...!"});
    EXPECT_EQ(count("select count(*) from C_KURA"), 0);
}

TEST_F(MatchScreenDraw, DrawsEveryBranchAfterTheQuestion)
{
    weightClass(kWomenBranch, "B");
    entrant("AYŞE", "ANKARA", kWomenBranch, "BAYAN");
    entrant("FATMA", "BURSA", kWomenBranch, "BAYAN");
    expectOptions(&TKur_Sec::RadioButton2, "02:00", "3");
    modals().expect("TForm5", [](QDialog*) {
        EXPECT_EQ(Form5->Label1->text(), "Tüm Müsabakaların KURALARI Çekilecektir. Eminmisiniz ...?");
        click(Form5->BitBtn1);
    });
    KuraList->BitBtn7Click();
    EXPECT_EQ(count("select count(*) from C_KURA where Brans = :b", {{"b", kBranch}}), 8);
    EXPECT_EQ(count("select count(*) from C_KURA where Brans = :b", {{"b", kWomenBranch}}), 1);
    // Men are drawn first; the women's draw is the last one shown.
    EXPECT_EQ(KuraList->Edit1->text(), kWomenBranch);
}

TEST_F(MatchScreenDraw, DrawsTheBranchesOfACategoryName)
{
    const QString youth = "48 KİLO ERKEK GENÇLER";
    weightClass(youth, "E");
    entrant("GENÇ 1", "ANKARA", youth);
    entrant("GENÇ 2", "BURSA", youth);
    expectOptions(&TKur_Sec::RadioButton3, "02:00", "3", "GENÇLER");
    modals().expect("TForm5", [](QDialog*) {
        EXPECT_EQ(Form5->Label1->text(), "GENÇLER KURALARI Çekilecektir. Eminmisiniz ...?");
        click(Form5->BitBtn1);
    });
    KuraList->BitBtn7Click();
    EXPECT_EQ(count("select count(*) from C_KURA where Brans = :b", {{"b", youth}}), 1);
    EXPECT_EQ(count("select count(*) from C_KURA where Brans = :b", {{"b", kBranch}}), 0);

    ui().clear();
    expectOptions(&TKur_Sec::RadioButton3, "02:00", "3", "MİNİKLER");
    modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
    KuraList->BitBtn7Click();
    EXPECT_EQ(ui().texts(), QStringList{"MİNİKLER Branşında Müsabaka Listesi Bulunmamaktadır ...!"});
}

TEST_F(MatchScreenDraw, CancelledOptionsDrawNothingAndKeepTheSettings)
{
    pick(KuraList->DBLookupComboBox2, kBranch);
    modals().expect("TKur_Sec", [](QDialog* d) {
        child<QLineEdit>(d, "Edit1")->setText("05:00");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    KuraList->BitBtn7Click();
    EXPECT_EQ(KuraList->FMatchTimeMen, "00:02:00");
    EXPECT_EQ(count("select count(*) from C_KURA"), 0);
}

// --- Start-up configuration -----------------------------------------------

struct UserKind {
    const char* name;
    bool admin;
    bool matchOnly;
};

class StartupConfiguration : public ScreensTest, public ::testing::WithParamInterface<UserKind> {};

TEST_P(StartupConfiguration, SetsTheScoringStationForTheUser)
{
    const UserKind& u = GetParam();
    TKuraList* k = KuraList;
    // The design state first.
    EXPECT_EQ(k->windowTitle(), "KURA Ekranı");
    EXPECT_EQ(k->FScoringStation, 0);
    EXPECT_EQ(k->FRestrictedUser, 1);
    EXPECT_FALSE(k->Panel2->isHidden());

    // The main window configures the screen at the login.
    const QString rights = u.matchOnly ? "VAR" : "YOK";
    if (u.admin)
        db.update("C_SIFRE", {{"R/F", rights}}, "Key_No = 1");
    else
        addUser(7, "MASA", "77", rights);
    ASSERT_TRUE(login(u.admin ? "ADMIN" : "MASA", u.admin ? "1234" : "77"));

    EXPECT_EQ(k->windowTitle(), "Müsabaka Ekranı");
    EXPECT_EQ(k->FScoringStation, 1);
    EXPECT_EQ(k->FRestrictedUser, u.admin ? 0 : 1);
    EXPECT_EQ(k->FMatchTimeMen, "00:02:00");
    EXPECT_EQ(k->FMatchTimeWomen, "00:02:00");
    EXPECT_EQ(k->FFinalTimeMen, "00:02:00");
    EXPECT_EQ(k->FFinalTimeWomen, "00:02:00");
    EXPECT_EQ(k->FExtraTimeMen, "00:01:00");
    EXPECT_EQ(k->FExtraTimeWomen, "00:01:00");
    EXPECT_EQ(k->FBreakTime, "00:01:00");
    EXPECT_EQ(k->FRoundCount, 3);
    EXPECT_EQ(k->FMinusPoints(), 1);

    // Commands.
    EXPECT_TRUE(k->MsabakayEkranaYkle1->isEnabled());
    EXPECT_FALSE(k->KuraizelgesiYatay1->isVisible());
    EXPECT_TRUE(k->MaSonuSayfas1->isVisible());
    EXPECT_TRUE(k->SonuListesi1->isVisible());
    EXPECT_EQ(k->SkorboardSfrla1->isVisible(), u.admin);
    for (QAction* a : {k->N31, k->N41, k->Sil1, k->N1, k->Delete1})
        EXPECT_EQ(a->isVisible(), !u.matchOnly) << a->objectName().toStdString();
    EXPECT_EQ(k->gridPopup(), k->PopupMenu6);

    EXPECT_FALSE(k->Panel2->isVisibleTo(k));
    EXPECT_TRUE(k->BitBtn11->isVisibleTo(k));
}

INSTANTIATE_TEST_SUITE_P(Users, StartupConfiguration,
                         ::testing::Values(UserKind{"Administrator", true, false}, UserKind{"User", false, false},
                                           UserKind{"MatchOnlyUser", false, true},
                                           UserKind{"MatchOnlyAdministrator", true, true}),
                         [](const ::testing::TestParamInfo<UserKind>& info) { return std::string(info.param.name); });

TEST_F(MatchScreenTest, TheDrawPanelToggles)
{
    // The start-up configuration toggled it once: hidden.
    EXPECT_TRUE(KuraList->Panel2->isHidden());
    EXPECT_EQ(KuraList->ToolButton3ImageIndex, 1);
    KuraList->ToolButton3Click();
    EXPECT_FALSE(KuraList->Panel2->isHidden());
    EXPECT_EQ(KuraList->ToolButton3ImageIndex, 0);
    KuraList->ToolButton3Click();
    EXPECT_TRUE(KuraList->Panel2->isHidden());
    EXPECT_EQ(KuraList->ToolButton3ImageIndex, 1);
}

TEST_F(MatchScreenStation, TheWinnerPopupIsRefusedAtTheScoringStation)
{
    weightClass(kWomenBranch, "B");
    bout(kWomenBranch, "BAYAN", "AYŞE", "FATMA");
    open();
    pick(KuraList->DBLookupComboBox1, kWomenBranch);
    EXPECT_EQ(KuraList->popupFor("Salon"), nullptr);
}

TEST_F(MatchScreenTest, TheWinnerPopupRecordsAndAdvancesAWinner)
{
    // Away from the scoring station the winner popup works through the
    // advancement: the semi-final's winner moves into the final.
    KuraList->FScoringStation = 0;
    KuraList->FRestrictedUser = 1;
    weightClass(kBranch, "E");
    for (int i = 0; i < 4; ++i)
        entrant(QString("SPORCU %1").arg(i + 1), QString("BÖLGE %1").arg(i));
    open();
    KuraList->KuraCek(kBranch, "ERKEK");
    ASSERT_EQ(KuraList->DBGrid1->rowCount(), 4);
    KuraList->DBGrid1->setCurrentRow(0);
    const Record semi = KuraList->DBGrid1->currentRecord();
    ASSERT_EQ(semi.str("Tur"), "YARI FİNAL");
    ASSERT_EQ(KuraList->popupFor("Salon"), KuraList->PopupMenu4);
    EXPECT_EQ(KuraList->N31->text(), semi.str("Ad1"));
    KuraList->N31->trigger();
    const auto final = db.first("select * from C_KURA where Brans = :b and Tur = :t", {{"b", kBranch}, {"t", "FİNAL"}});
    ASSERT_TRUE(final.has_value());
    EXPECT_EQ(final->str("Ad1"), semi.str("Ad1"));
    EXPECT_EQ(final->toInt("Tur_Key1"), semi.toInt("Kura_Key"));
    EXPECT_EQ(KuraList->DBGrid1->currentRecord().toInt("Kura_Key"), semi.toInt("Kura_Key")) << "the list stays on it";
    EXPECT_EQ(KuraList->DBGrid1->currentRecord().str("Salon"), semi.str("Ad1"));

    // "Galibi Sil" as a restricted user needs the password.
    modals().expect("TSifreCheck", [](QDialog* d) { d->close(); });
    KuraList->Sil1->trigger();
    EXPECT_EQ(ui().lastText(), "Galibi Admin Kullanıcı silebilir...!");
    EXPECT_EQ(KuraList->DBGrid1->currentRecord().str("Salon"), semi.str("Ad1"));
}

// --- Activation: folders, the station link, the device port -----------------

struct LinkCase {
    const char* name;
    const char* dbq;
    bool mainDatabaseExists;
    const char* programFolder;
    int reachable;
};

class StationLink : public MatchScreenStation, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(StationLink, FollowsTheDatabasePath)
{
    const LinkCase& c = GetParam();
    QTemporaryDir m;
    DriveMap::mapDrive('M', m.path(), true);
    if (c.mainDatabaseExists)
        writeFile(DriveMap::toHost("M:\\QVX_PROG\\Fdr.mdb"), "x");
    RegistryValues::setDbq(c.dbq);
    open();
    EXPECT_EQ(KuraList->FProgramFolder.toStdString(), c.programFolder);
    EXPECT_EQ(KuraList->FMainDatabasePath, "M:\\QVX_PROG\\Fdr.mdb");
    EXPECT_EQ(KuraList->FMainDbReachable, c.reachable);
    EXPECT_EQ(KuraList->BitBtn15->isVisible(), c.reachable == 1);
    EXPECT_EQ(KuraList->BitBtn16->x(), c.reachable == 1 ? 552 : KuraList->BitBtn15->x());
    EXPECT_TRUE(ui().texts().isEmpty());

    KuraList->BitBtn15Click();
    if (c.reachable == 0) {
        EXPECT_EQ(ui().texts(), QStringList{"Ana Sistem bağlantınsı sağlanamadı. Lütfen M sürücüsü oluşturulduğundan "
                                            "emin olunuz ...!"});
    } else {
        EXPECT_TRUE(ui().texts().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, StationLink,
    ::testing::Values(LinkCase{"OwnDatabase", "C:\\CO\\QVX_PROG\\Fdr.mdb", true, "C:\\CO\\QVX_PROG\\", 1},
                      // A path written in lower case is on drive C all the same.
                      LinkCase{"OwnDatabaseLowerCase", "c:\\co\\qvx_prog\\fdr.mdb", true, "C:\\CO\\QVX_PROG\\", 1},
                      LinkCase{"NoMainDatabase", "C:\\CO\\QVX_PROG\\Fdr.mdb", false, "C:\\CO\\QVX_PROG\\", 0},
                      LinkCase{"OnTheMainDatabase", "M:\\QVX_PROG\\Fdr.mdb", true, "M:\\QVX_PROG\\", 0},
                      LinkCase{"NoPath", "", true, "C:\\CO\\QVX_PROG\\", 1},
                      LinkCase{"OneCharacter", "D", true, "C:\\CO\\QVX_PROG\\", 1}),
    [](const ::testing::TestParamInfo<LinkCase>& info) { return std::string(info.param.name); });

TEST_F(MatchScreenStation, AWorkingDevicePortIsOnlyTested)
{
    open();
    EXPECT_EQ(KuraList->FDevicePortFailed, 0);
    EXPECT_EQ(KuraList->FSerialDevice, 1);
    EXPECT_EQ(KuraList->SerialPort1->Port(), "COM1");
    EXPECT_FALSE(KuraList->SerialPort1->Connected()) << "closed again after the test";
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(MatchScreenStation, AScoringStationWithoutADeviceOnItsPortIsToldNothing)
{
    choosePort("COM9");     // named to no device
    open();
    EXPECT_EQ(KuraList->FDevicePortFailed, 1);
    KuraList->activateNow();
    EXPECT_EQ(KuraList->FDevicePortFailed, 1);
    EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();
}

TEST_F(MatchScreenStation, AScoringStationIsToldOncePerRunWhereToFixAFailingDevicePort)
{
    // A device that is there but cannot be opened as a serial line.
    const QString notALine = dir.path() + "/not-a-tty";
    writeFile(notALine, "x");
    PortMap::setDevice("COM9", notALine);
    choosePort("COM9");
    open();
    EXPECT_EQ(KuraList->FDevicePortFailed, 1);
    const QString told =
        "Puanlama cihazının seri portu (COM9) açılamadı: puanlar klavyeden ve hakem farelerinden verilecektir.\n"
        "Düzeltmek için programı kapatıp portu 'brivex-station map-port COM9 AYGIT' komutuyla cihaza bağlayınız "
        "(kullanıcı 'dialout' grubunda olmalıdır). Bu mesaj bir kez gösterilir ...!";
    EXPECT_EQ(ui().texts(), QStringList{told});
    EXPECT_EQ(ui().requests.first().kind, UiRequest::Error);

    KuraList->activateNow();
    KuraList->close();
    open();
    // The port works for a while and fails again: still told only once.
    choosePort("COM1");
    KuraList->activateNow();
    EXPECT_EQ(KuraList->FDevicePortFailed, 0);
    choosePort("COM9");
    KuraList->activateNow();
    EXPECT_EQ(KuraList->FDevicePortFailed, 1);
    EXPECT_EQ(ui().texts(), QStringList{told});
}

TEST_F(MatchScreenTest, AwayFromTheScoringStationEveryActivationTellsThePortFailure)
{
    KuraList->FScoringStation = 0;
    choosePort("COM9");
    open();
    KuraList->activateNow();
    EXPECT_EQ(ui().texts(), (QStringList{kPortMessage, kPortMessage}));
}

TEST_F(MatchScreenStation, AScoringDeviceOnUsbBecomesTheChosenPort)
{
    writeFile(dir.path() + "/hw/sys/class/tty/ttyUSB0/dev", "188:0\n");
    Registry hardware(Registry::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(hardware.openKeyReadOnly("\\HARDWARE\\DEVICEMAP\\SERIALCOMM"));
    const QString usbPort = hardware.readString("\\Device\\VCP0");
    ASSERT_FALSE(usbPort.isEmpty());
    open();
    Registry user(Registry::HKEY_CURRENT_USER);
    ASSERT_TRUE(user.openKeyReadOnly(kPortKey));
    EXPECT_EQ(user.readString("comport"), usbPort);
    EXPECT_EQ(KuraList->SerialPort1->Port(), usbPort);
}

TEST_F(MatchScreenStation, ActivationReadsTheSpecialCodeAndResetsItsLists)
{
    db.exec("update C_SAYI set OzelKod = :c", {{"c", "ŞİFRE"}});
    weightClass(kWomenBranch, "B");
    bout(kWomenBranch, "BAYAN", "AYŞE", "FATMA");
    open();
    EXPECT_EQ(KuraList->FSpecialCode, "ŞİFRE");
    EXPECT_TRUE(KuraList->Edit5->isVisible()) << "the administrator sees the code field";
    KuraList->Edit5->setText("şifre");
    EXPECT_EQ(KuraList->Edit5->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(KuraList->live().FRingWord, "RİNG");
    EXPECT_EQ(KuraList->live().FPointGap, 10);
    EXPECT_EQ(KuraList->FMiceMode, 0) << "no judges' mice attached";

    pick(KuraList->DBLookupComboBox1, kWomenBranch);
    KuraList->FSkipActivate = 1;
    KuraList->activateNow();
    EXPECT_EQ(KuraList->FSkipActivate, 0);
    EXPECT_EQ(KuraList->Edit1->text(), kWomenBranch) << "a return from a preview keeps the choice";
    KuraList->activateNow();
    EXPECT_EQ(KuraList->Edit1->text(), "");
    EXPECT_EQ(KuraList->Edit5->text(), "");
}

TEST_F(MatchScreenStation, OtherUsersDoNotSeeTheSpecialCodeField)
{
    KuraList->applyStartupConfiguration(false, false);
    db.exec("update C_SAYI set OzelKod = :c", {{"c", "KOD"}});
    open();
    EXPECT_FALSE(KuraList->Edit5->isVisible());
}

TEST_F(MatchScreenStation, ClosingWithAnOpenBoutAsksFirst)
{
    open();
    Skor->FBoutOpen = 1;
    modals().expect("TForm5", [](QDialog*) {
        EXPECT_EQ(Form5->Label1->text(),
                  "Skorboard Şu Anda Aktif, Çıkarsanız Kapanacaktır. Çıkmak İstediğinizden Eminmisiniz ...?");
        click(Form5->BitBtn2);
    });
    click(KuraList->BitBtn14);
    EXPECT_TRUE(KuraList->isVisible());
    modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
    click(KuraList->BitBtn14);
    EXPECT_FALSE(KuraList->isVisible());
    EXPECT_EQ(Skor->FBoutOpen, 0);
}

class LoginSwitchesEnglishOff : public ScreensTest {};

TEST_F(LoginSwitchesEnglishOff, AtItsActivation)
{
    KuraList->FEnglish = 1;
    ASSERT_TRUE(login("ADMIN", "1234"));
    EXPECT_EQ(KuraList->FEnglish, 0);
}

} // namespace

namespace {

TEST_F(MatchScreenStation, BoutListsOfEveryClassArePreviewedWhileTheScreenWaits)
{
    weightClass(kBranch, "E");
    for (int i = 0; i < 2; ++i)
        entrant(QString("SPORCU %1").arg(i + 1), QString("BÖLGE %1").arg(i));
    open();
    KuraList->KuraCek(kBranch, "ERKEK");
    ui().clear();
    modals().expect("TBaslik1S", [](QDialog* d) { d->close(); });
    bool waited = false;
    modals().expect("ReportPreview", [&](QDialog* d) {
        waited = !KuraList->isEnabled() && KuraList->FSkipActivate == 1;
        d->close();
    });
    KuraList->MenuItem2Click();
    EXPECT_TRUE(waited);
    EXPECT_TRUE(KuraList->isEnabled());
    EXPECT_EQ(KuraList->FSkipActivate, 0);
    EXPECT_FALSE(KuraList->FPreviewReport.isNull());
}

TEST_F(MatchScreenStation, WeighInListOfAClassNeedsItsList)
{
    open();
    KuraList->BitBtn3Click();
    EXPECT_EQ(ui().texts(), QStringList{Reports::kChooseBranch});
}

} // namespace

// --- Bouts waiting for the main database ---------------------------------------------

namespace {

const QString kMainDatabase = QStringLiteral("M:\\QVX_PROG\\Fdr.mdb");
const QString kWaiting = QStringLiteral("Ana Sistem Veritabanına Aktarılmayı Bekleyen %1 Müsabaka Bulunmaktadır. Ana "
                                        "Sisteme Bağlantı Sağlandığında Aktarılacaktır ...!");

// A ring computer scoring on its own database, drive M: mapped to the main
// computer's folder. Its decisions' bouts wait on its list C_BEKLEYEN when
// no copy followed them: the ring was stopped right after the decision, or
// it was the day's last one.
class WaitingForTheMainDatabase : public MatchScreenTest {
protected:
    void SetUp() override
    {
        MatchScreenTest::SetUp();
        ASSERT_TRUE(mainDir.isValid());
        DriveMap::mapDrive('M', mainDir.path(), true);
        RegistryValues::setDbq("C:\\CO\\QVX_PROG\\Fdr.mdb");
        first = bout(kBranch, "ERKEK", "AHMET", "BEKİR");
        second = bout(kBranch, "ERKEK", "CEM", "DAVUT");
    }
    void TearDown() override
    {
        main.close();
        MatchScreenTest::TearDown();
    }

    // The main computer's database with the draw as the ring has it.
    void makeMain()
    {
        const QString file = DriveMap::toHost(kMainDatabase);
        QDir().mkpath(QFileInfo(file).path());
        main.open(file, false);
        brivexSchema().create(main);
        for (const Record& r : db.select("select * from C_KURA order by Kura_Key"))
            main.insert("C_KURA", r.toMap());
    }
    // A decision stored on the ring with its bout on the waiting list, and
    // no copy after it.
    void decidedAndLeftWaiting(int key, const QString& decision)
    {
        db.update("C_KURA", {{"Galip", QString::number(key + 100)}, {"Karar", decision}}, "Kura_Key = :k",
                  {{"k", key}});
        MainDatabaseCopy(db, "C:\\CO\\QVX_PROG\\", kMainDatabase).queue(QString::number(key));
        ASSERT_TRUE(MainDatabaseCopy::pendingKeys(db).contains(QString::number(key)));
    }
    QString onMain(int key, const QString& field)
    {
        return main.scalar("select " + field + " from C_KURA where Kura_Key = :k", {{"k", key}}).toString();
    }
    void activateAgain()
    {
        KuraList->hide();
        open();
    }
    QStringList waiting() { return MainDatabaseCopy::pendingKeys(db); }

    QTemporaryDir mainDir;
    Database main;
    int first = 0;
    int second = 0;
};

TEST_F(WaitingForTheMainDatabase, ABoutLeftWaitingGoesAtTheNextActivation)
{
    makeMain();
    decidedAndLeftWaiting(first, "KO");
    ASSERT_EQ(onMain(first, "Karar"), "");
    open();
    EXPECT_TRUE(waiting().isEmpty());
    EXPECT_EQ(onMain(first, "Karar"), "KO");
    EXPECT_EQ(onMain(first, "Galip"), QString::number(first + 100));
    EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ");
}

TEST_F(WaitingForTheMainDatabase, WhileTheMainDatabaseIsAwayTheOperatorIsToldOnceHowManyBoutsWait)
{
    decidedAndLeftWaiting(first, "KO");
    decidedAndLeftWaiting(second, "Points");
    open();
    EXPECT_EQ(ui().texts(), QStringList{kWaiting.arg(2)});
    EXPECT_EQ(ui().requests.value(0).kind, UiRequest::Warning);
    ui().clear();
    activateAgain();
    EXPECT_TRUE(ui().texts().isEmpty()) << "told once, not at every activation";
    EXPECT_EQ(waiting().size(), 2);

    // The main computer's database is back: the next activation sends them.
    makeMain();
    activateAgain();
    EXPECT_TRUE(waiting().isEmpty());
    EXPECT_EQ(onMain(first, "Karar"), "KO");
    EXPECT_EQ(onMain(second, "Karar"), "Points");
    EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ");
}

TEST_F(WaitingForTheMainDatabase, WithoutDriveMTheWaitingBoutsAreCountedAllTheSame)
{
    decidedAndLeftWaiting(first, "KO");
    DriveMap::unmapDrive('M');
    open();
    EXPECT_EQ(ui().texts(), QStringList{kWaiting.arg(1)});
    EXPECT_EQ(waiting(), QStringList{QString::number(first)});
}

TEST_F(WaitingForTheMainDatabase, BaglantiSendsTheBoutsThatWaitAndSaysHowManyWhenItCannot)
{
    makeMain();
    open();
    ASSERT_TRUE(KuraList->BitBtn15->isVisible());
    EXPECT_EQ(KuraList->BitBtn15->text(), "Bağlantı");
    // Left by a copy that met a main database other rings held.
    decidedAndLeftWaiting(first, "KO");
    ui().clear();
    click(KuraList->BitBtn15);
    EXPECT_TRUE(waiting().isEmpty());
    EXPECT_EQ(onMain(first, "Karar"), "KO");
    EXPECT_EQ(ui().texts(), QStringList{"Bekleyen 1 Müsabaka Ana Sistem Veritabanına Aktarıldı ...!"});

    // Nothing waiting: the press says nothing, as before.
    ui().clear();
    click(KuraList->BitBtn15);
    EXPECT_TRUE(ui().texts().isEmpty());

    // The main computer's database gone since the activation.
    main.close();
    const QString file = DriveMap::toHost(kMainDatabase);
    ASSERT_TRUE(QFile::rename(file, file + ".away"));
    decidedAndLeftWaiting(second, "Points");
    ui().clear();
    click(KuraList->BitBtn15);
    EXPECT_EQ(ui().texts(), QStringList{"Ana Sistem bağlantınsı sağlanamadı. Lütfen M sürücüsü oluşturulduğundan emin "
                                        "olunuz ...!\n" +
                                        kWaiting.arg(1)});
    EXPECT_EQ(waiting(), QStringList{QString::number(second)});
}

} // namespace
