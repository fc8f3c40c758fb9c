// Live scoring through the real match screen after a login: the bout list
// opens a bout on the scoreboard through the settings dialog, the
// scoreboard's keys and the control group reach the operations, bout entry
// ends on the scoreboard, the score reset of the popups, and the close of
// the match screen with a bout open.
#include "LiveFixture.h"

#include "app/kit/DbGrid.h"
#include "app/Main.h"
#include "app/Sifre.h"
#include "competition/KuraKayit.h"
#include "scoring/KuraList.h"
#include "support/Screenshot.h"

#include <QAction>
#include <QGroupBox>
#include <QToolButton>
#include <QWindow>

using namespace ScoreboardLook;

namespace {

class MatchScreenScoring : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        display = std::make_shared<FakeDisplay>(QSize(1280, 1024));
        DisplayMode::setBackend(display);
        time = std::make_shared<ManualTimeSource>();
        KuraList->live().setTimeSource(time);
        db.insert("C_BRANS", {{"Durum_Key", Counters::next(db, "Sayi")}, {"Durum", kBranch}, {"E_B", "E"}});
    }

    void TearDown() override
    {
        if (KuraList->isVisible()) {
            if (KuraList->boutOpen())
                modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
            KuraList->close();
        }
        DisplayMode::setBackend(nullptr);
        ScreensTest::TearDown();
    }

    Record bout(int key)
    {
        const auto r = db.first("select * from C_KURA where Kura_Key = :k", {{"k", key}});
        EXPECT_TRUE(r.has_value()) << "no bout " << key;
        return r.value_or(Record());
    }

    // The semi-final most tests score: key 1, blue AHMET (11) of ANKARA, red
    // BEKİR (12) of İZMİR.
    void addStandardBout()
    {
        insertBout(db, 1, {"AHMET", 11, "ANKARA", "ANKARA SPOR"}, {"BEKİR", 12, "İZMİR", "İZMİR SPOR"});
    }

    // The match screen as the main window opens it, listing the branch.
    void openBranch(const QString& branch = kBranch)
    {
        KuraList->show();
        ASSERT_TRUE(KuraList->isVisible());
        pick(KuraList->DBLookupComboBox1, branch);
        ASSERT_TRUE(KuraList->boutListOpen());
    }

    // A double click on the bout's row in the list (on its blue name).
    void doubleClickBout(int key)
    {
        TDBGrid* grid = KuraList->DBGrid1;
        ASSERT_TRUE(grid->locate("Kura_Key", key));
        const QModelIndex cell = grid->model()->index(grid->currentRow(), grid->columnOf("Ad1"));
        const QRect r = grid->visualRect(cell);
        ASSERT_TRUE(r.isValid()) << "the row is on the screen";
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    }

    // The settings dialog, filled by the operator and accepted.
    static void acceptSettings(const Settings& s = Settings{})
    {
        modals().expect("TSkorb_giris", [s](QDialog*) {
            TSkorb_giris* d = Skorb_giris;
            d->Edit8->setText(s.referee);
            d->Edit1->setText(s.judge1);
            d->Edit2->setText(s.judge2);
            d->Edit3->setText(s.judge3);
            click(d->BitBtn4);
        });
    }

    // Opens the bout from the list with the default settings.
    void openOnScoreboard(int key)
    {
        acceptSettings();
        doubleClickBout(key);
        ASSERT_TRUE(Skor->isVisible());
        ASSERT_EQ(Skor->FOpenBoutKey, QString::number(key));
    }

    // A key pressed on the scoreboard, delivered through its window as the
    // window system delivers it (a window that a modal screen blocks gets
    // nothing).
    static void systemKey(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWindow* w = Skor->windowHandle();
        ASSERT_NE(w, nullptr);
        QTest::keyClick(w, key, mods);
    }

    std::shared_ptr<FakeDisplay> display;
    std::shared_ptr<ManualTimeSource> time;
};

// --- Start-up ------------------------------------------------------------------

TEST_F(MatchScreenScoring, TheStartUpSetsTheScoreboardAndClearsTheHandBoxTest)
{
    Skor->FScoringEdition = 0;
    Skorb_giris->markPress(1, true);
    Skorb_giris->markPress(3, false);
    ASSERT_TRUE(login("ADMIN", "1234"));
    EXPECT_EQ(Skor->FScoringEdition, Main->ScoringEdition);
    EXPECT_EQ(Skor->FScoringEdition, 1);
    for (SymbolLabel* mark : Skorb_giris->testMarks()) {
        EXPECT_EQ(mark->text(), "o") << mark->objectName().toStdString();
        EXPECT_EQ(textColour(mark), White) << mark->objectName().toStdString();
    }
}

// --- Opening from the bout list ---------------------------------------------

TEST_F(MatchScreenScoring, ADoubleClickOpensTheBoutWithEveryControlFilledFromItsRow)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    addStandardBout();
    openBranch();
    EXPECT_EQ(KuraList->live().FDevicePortFailed, 1) << "live scoring knows the activation found no device";
    ui().clear();

    modals().expect("TSkorb_giris", [](QDialog* d) {
        // What the start-up made of the dialog.
        for (QComboBox* list : {Skorb_giris->DBLookupComboBox1, Skorb_giris->DBLookupComboBox2,
                                Skorb_giris->DBLookupComboBox3, Skorb_giris->DBLookupComboBox4})
            EXPECT_FALSE(list->isVisibleTo(d)) << list->objectName().toStdString();
        EXPECT_EQ(Skorb_giris->RadioButton2->x(), 194) << "6 pixels left of its design place";
        // The proposals of the bout and of the match screen.
        EXPECT_EQ(Skorb_giris->Edit4->text(), "02:00");
        EXPECT_EQ(Skorb_giris->Edit5->text(), "01:00");
        EXPECT_EQ(Skorb_giris->Edit6->text(), "3");
        EXPECT_EQ(Skorb_giris->Edit7->text(), "1");
        EXPECT_EQ(Skorb_giris->Edit10->text(), "1");
        EXPECT_EQ(Skorb_giris->Edit9->text(), "001");
        EXPECT_FALSE(Skor->isVisible()) << "the scoreboard waits for the dialog";
        Skorb_giris->Edit8->setText("ORTA HAKEM");
        Skorb_giris->Edit1->setText("ALİ");
        Skorb_giris->Edit2->setText("VELİ");
        Skorb_giris->Edit3->setText("CEM");
        click(Skorb_giris->BitBtn4);
    });
    doubleClickBout(1);

    ASSERT_TRUE(Skor->isVisible());
    EXPECT_EQ(Skor->FBoutOpen, 1);
    EXPECT_TRUE(KuraList->boutOpen());
    EXPECT_EQ(Skor->FOpenBoutKey, "1");
    EXPECT_EQ(Skor->Ad1->text(), "AHMET");
    EXPECT_EQ(Skor->Ad2->text(), "BEKİR");
    EXPECT_EQ(Skor->Label54->text(), "11");
    EXPECT_EQ(Skor->Label55->text(), "12");
    EXPECT_EQ(Skor->Brans->text(), kBranch);
    EXPECT_EQ(Skor->n_time->text(), "00:02:00");
    EXPECT_EQ(Skor->Raunt->text(), "1");
    EXPECT_EQ(Skor->Puan1->text(), "0");
    EXPECT_EQ(Skor->Puan2->text(), "0");
    EXPECT_EQ(Skor->Sira->text(), "Ring/Match: 1/001");
    EXPECT_EQ(Skor->Hakem->text(), "Referee: ORTA HAKEM");
    EXPECT_EQ(Skor->Takim1->text(), "ANKARA");
    EXPECT_EQ(Skor->Takim2->text(), "İZMİR");
    EXPECT_EQ((QStringList{Skor->Label5->text(), Skor->Label14->text(), Skor->Label15->text()}),
              (QStringList{"ALİ", "VELİ", "CEM"}));
    EXPECT_EQ(Skor->Label4->text(), "READY");
    EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();

    // The settings are in the bout's row.
    const Record row = bout(1);
    EXPECT_EQ(row.str("H1"), "ALİ");
    EXPECT_EQ(row.str("H2"), "VELİ");
    EXPECT_EQ(row.str("H3"), "CEM");
    EXPECT_EQ(row.str("Hakem"), "ORTA HAKEM");
    EXPECT_EQ(row.str("Skor"), "1001");
    EXPECT_EQ(row.str("Tar_Saat"), "09.12.2024 / RİNG-1");
    EXPECT_EQ(row.toInt("Raunt_Say"), 3);
    EXPECT_EQ(row.str("n_time"), "00:02:00");

    // The match screen while the bout is open: no scoring columns, no link
    // button, the new ring in its ring list.
    for (const char* field : {"Hakem", "Puan1", "Puan2", "Raunt", "n_time", "Karar"})
        EXPECT_FALSE(KuraList->DBGrid1->column(KuraList->DBGrid1->columnOf(field)).visible) << field;
    EXPECT_FALSE(KuraList->BitBtn15->isVisible());
    EXPECT_GE(KuraList->DBLookupComboBox3->findText("09.12.2024 / RİNG-1"), 0);
    // The scoring edition of the start-up switches the display.
    EXPECT_EQ(display->changes, QList<QSize>{QSize(1024, 768)});
    // The scoreboard's window belongs to the match screen's.
    ASSERT_NE(Skor->windowHandle(), nullptr);
    EXPECT_EQ(Skor->windowHandle()->transientParent(), KuraList->windowHandle());
}

TEST_F(MatchScreenScoring, TheBoutPopupOpensTheScoreboardAndAnotherOpeningIsRefused)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    addStandardBout();
    insertBout(db, 2, {"CEM", 13}, {"DAVUT", 14}, "YARI FİNAL", "2");
    openBranch();
    ASSERT_EQ(KuraList->popupFor("Ad1"), KuraList->PopupMenu5) << "a name opens the attendance popup";
    ASSERT_EQ(KuraList->popupFor("Hakem"), KuraList->PopupMenu6);
    acceptSettings();
    KuraList->OpenScoreboard1->trigger();
    ASSERT_TRUE(Skor->isVisible());
    EXPECT_EQ(Skor->FOpenBoutKey, "1");
    ui().clear();

    ASSERT_TRUE(KuraList->DBGrid1->locate("Kura_Key", 2));
    KuraList->MsabakayEkranaYkle1->trigger();
    EXPECT_EQ(ui().texts(), QStringList{"Şu an Açık Skorboard Bulunmaktadır. Yeni Skorboard Açmak için Öncekini "
                                        "Kapatmanız Gerekmektedir ...!"});
    EXPECT_EQ(Skor->FOpenBoutKey, "1");
    EXPECT_EQ(bout(2).str("Skor"), "") << "the second bout was not touched";
}

TEST_F(MatchScreenScoring, WithoutTheScoringEditionADoubleClickOpensNothing)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    Main->ScoringEdition = 0;
    addStandardBout();
    openBranch();
    const qsizetype shown = modals().seen().size();
    doubleClickBout(1);
    EXPECT_EQ(modals().seen().size(), shown);
    EXPECT_FALSE(Skor->isVisible());
}

// What the bout list refuses to open, with the message and what is left.
struct ListRefusal {
    const char* name;
    std::function<void()> prepare;      // on the listed bout 1
    const char* message;
    int storedPuan1;                    // Puan1 of the row afterwards
};

void PrintTo(const ListRefusal& c, std::ostream* os) { *os << c.name; }

class BoutListRefusal : public MatchScreenScoring, public ::testing::WithParamInterface<ListRefusal> {};

TEST_P(BoutListRefusal, ShowsItsMessageAndOpensNothing)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    addStandardBout();
    openBranch();
    ui().clear();
    GetParam().prepare();
    doubleClickBout(1);
    EXPECT_EQ(ui().texts(), QStringList{GetParam().message});
    EXPECT_FALSE(Skor->isVisible());
    EXPECT_EQ(Skor->FBoutOpen, 0);
    EXPECT_EQ(modals().seen().count("TSkorb_giris"), 0);
    EXPECT_EQ(bout(1).toInt("Puan1"), GetParam().storedPuan1);
    EXPECT_EQ(bout(1).str("Skor"), "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BoutListRefusal,
    ::testing::Values(
        // A score typed into the row and not yet stored: it is stored now,
        // and the operator opens the bout again.
        ListRefusal{"RowBeingEdited", [] { ASSERT_TRUE(KuraList->DBGrid1->setFieldValue("Puan1", 2)); },
                    "Lütfen skorboard'ı açmayı tekrar deneyiniz ...!", 2},
        ListRefusal{"ClockColumnHidden", [] { KuraList->DBGrid1->setColumnVisible("n_time", false); },
                    "Lütfen Tekrar Branş Seçiniz ...!", 0},
        ListRefusal{"AByeBout",
                    [] {
                        Sifre->ADOConnection1.update("C_KURA", {{"Bolge2", "Pass"}}, "Kura_Key = 1");
                        KuraList->reloadBoutList(1);
                    },
                    "Yarışacak Sporcular Belli Olmadığından Skorboard Açılamıyor ...!", 0}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Scoring ------------------------------------------------------------------

TEST_F(MatchScreenScoring, TheScoreboardsKeysAndTheControlGroupReachTheOperations)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    addStandardBout();
    openBranch();
    // The first activation recorded the scoreboard's design places.
    EXPECT_EQ(KuraList->FHomeLefts().integer(1), Skor->Panel1->x());
    EXPECT_EQ(KuraList->FHomeLefts().integer(2), Skor->Panel2->x());
    openOnScoreboard(1);

    // The control group is the match screen's.
    QGroupBox* group = KuraList->findChild<QGroupBox*>("GroupBox2");
    ASSERT_EQ(group, KuraList->live().GroupBox2);
    EXPECT_EQ(group->title(), " Skorboard Kontrol ");

    systemKey(Qt::Key_Space);
    time->advance(3);
    EXPECT_EQ(Skor->n_time->text(), "00:01:57");

    // A point on judge 1's card for blue.
    click(KuraList->live().RadioButton4);
    click(KuraList->live().SpeedButton9);
    EXPECT_EQ(Skor->Label25->text(), "1");
    EXPECT_EQ(Skor->Puan1->text(), "1");
    Record row = bout(1);
    EXPECT_EQ(row.toInt("H1M"), 1);
    EXPECT_EQ(row.toInt("Puan1"), 1);
    EXPECT_EQ(row.str("R1"), "1;0;0;0;0;0;0;0;0;0;0;0");

    // A blue Foul from the keyboard.
    systemKey(Qt::Key_J);
    EXPECT_EQ(Skor->Label29->text(), "1");
    row = bout(1);
    EXPECT_EQ(row.toInt("C2M"), 1);
    EXPECT_EQ(row.str("R1"), "1;0;0;0;0;0;0;1;0;0;0;0");

    // Space stops the clock, which keeps the remaining time.
    systemKey(Qt::Key_Space);
    time->advance(2);
    EXPECT_EQ(bout(1).str("n_time"), "00:01:57");

    // T mirrors the sides, T again puts them back.
    systemKey(Qt::Key_T);
    EXPECT_EQ(KuraList->live().FNormalSides, 0);
    EXPECT_EQ(Skor->Panel1->x(), 512);
    systemKey(Qt::Key_T);
    EXPECT_EQ(KuraList->live().FNormalSides, 1);
    EXPECT_EQ(Skor->Panel1->x(), 0);
}

TEST_F(MatchScreenScoring, KeysReachTheScoreboardWhileTheMatchScreenRunsModally)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    addStandardBout();
    modals().expect("TKuraList", [this](QDialog*) {
        pick(KuraList->DBLookupComboBox1, kBranch);
        openOnScoreboard(1);
        systemKey(Qt::Key_J);
        EXPECT_EQ(bout(1).toInt("C2M"), 1) << "a blue Foul from the scoreboard's keyboard";
        modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
        KuraList->close();
    });
    // The main window's "  MÜSABAKA EKRANI  ".
    Main->runCommand("KURAekimiveMsabaka1");
    EXPECT_FALSE(KuraList->isVisible());
    EXPECT_FALSE(Skor->isVisible());
}

// --- Bout entry ---------------------------------------------------------------

// The bout entry's fields for a valid bout of "57 KG ERKEK GENÇLER".
void fillBout(QDialog* d, const QString& blue, const QString& red)
{
    child<QLineEdit>(d, "Edit9")->setText("57");
    pick(child<QComboBox>(d, "ComboBox4"), "ERKEK");
    pick(child<QComboBox>(d, "DBLookupComboBox5"), "GENÇLER");
    child<QLineEdit>(d, "Edit3")->setText(blue);
    pick(child<QComboBox>(d, "DBLookupComboBox1"), "ANKARA");
    child<QLineEdit>(d, "Edit5")->setText(red);
    pick(child<QComboBox>(d, "DBLookupComboBox2"), "İZMİR");
}

const QString kEnteredBranch = QStringLiteral("57 KG ERKEK GENÇLER");

TEST_F(MatchScreenScoring, SporcuKayitEndsWithTheNewBoutOnTheScoreboard)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    KuraList->show();
    ui().clear();
    modals().expect("TKura_Kayit", [](QDialog* d) {
        fillBout(d, "TUNA", "UMUT");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    acceptSettings();
    click(KuraList->BitBtn11);

    const Records rows = db.select("select * from C_KURA where Brans = :b", {{"b", kEnteredBranch}});
    ASSERT_EQ(rows.size(), 1);
    const int key = rows.first().toInt("Kura_Key");
    ASSERT_TRUE(Skor->isVisible());
    EXPECT_EQ(Skor->FOpenBoutKey, QString::number(key));
    EXPECT_EQ(Skor->Ad1->text(), "TUNA");
    EXPECT_EQ(Skor->Ad2->text(), "UMUT");
    EXPECT_EQ(Skor->Brans->text(), kEnteredBranch);
    EXPECT_EQ(Skor->n_time->text(), "00:02:00");
    EXPECT_EQ(bout(key).str("H3"), "CEM");
    EXPECT_EQ(KuraList->Edit1->text(), kEnteredBranch);
    EXPECT_EQ(KuraList->currentBoutKey(), key);
    EXPECT_EQ(ui().texts(), QStringList{"Sporcular Müsabakaya Kaydedildi ...!"});
}

TEST_F(MatchScreenScoring, DuzeltEndsWithTheEditedBoutOnTheScoreboard)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    KuraList->show();
    for (const auto& [blue, red] : {std::pair{"TUNA", "UMUT"}, std::pair{"CAN", "EFE"}}) {
        modals().expect("TKura_Kayit", [&](QDialog* d) {
            fillBout(d, blue, red);
            click(child<QPushButton>(d, "BitBtn1"));
        });
        modals().expect("TSkorb_giris", [](QDialog*) { click(Skorb_giris->BitBtn2); });
        click(KuraList->BitBtn11);
    }
    ASSERT_FALSE(Skor->isVisible()) << "both settings were left with İptal";
    KuraList->DBGrid1->setCurrentRow(0);
    modals().expect("TKura_Kayit", [](QDialog* d) {
        child<QLineEdit>(d, "Edit3")->setText("TUNAHAN");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    acceptSettings();
    KuraList->ChangeDetails1->trigger();

    ASSERT_TRUE(Skor->isVisible());
    EXPECT_EQ(Skor->Ad1->text(), "TUNAHAN") << "the bout that was edited, not the last of its category";
    EXPECT_EQ(db.scalar("select count(*) from C_KURA where Ad1 = 'TUNAHAN'").toInt(), 1);
}

// --- Score reset ----------------------------------------------------------------

class MatchScreenReset : public MatchScreenScoring {
protected:
    // Two semi-finals, the third-place row and the final they feed.
    void addBracket()
    {
        insertBout(db, 1, {"AHMET", 11}, {"BEKİR", 12}, "YARI FİNAL", "1");
        insertBout(db, 2, {"CEM", 13}, {"DAVUT", 14}, "YARI FİNAL", "2");
        insertBout(db, 3, {"-", {}}, {"-", {}}, "3.'LÜK MAÇI", "1");
        insertBout(db, 4, {"YARI FİNAL 1.MAÇ", {}, "", ""}, {"YARI FİNAL 2.MAÇ", {}, "", ""}, "FİNAL", "1");
    }

    // The operator's winner entry on the scoreboard: 0 blue, 1 red.
    static void decide(int side, const QString& decision)
    {
        systemKey(Qt::Key_X);
        Skor->ComboBox1->setCurrentIndex(side);
        Skor->ComboBox2->setCurrentIndex(Skor->ComboBox2->findText(decision));
        click(Skor->BitBtn1);
    }

    QString listed(int key, const QString& field)
    {
        for (const Record& r : KuraList->DBGrid1->records())
            if (r.toInt("Kura_Key") == key)
                return r.str(field);
        return "(not listed)";
    }
};

TEST_F(MatchScreenReset, TheAdministratorResetsADecidedBoutAndTheNewDecisionGoesIntoTheBracket)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    addBracket();
    openBranch();
    openOnScoreboard(1);
    decide(0, "KO");
    EXPECT_EQ(bout(4).str("Ad1"), "AHMET");
    EXPECT_EQ(listed(4, "Ad1"), "AHMET") << "the list shows the advancement";
    systemKey(Qt::Key_Escape);
    ASSERT_FALSE(Skor->isVisible()) << "a decided bout closes without a question";
    ASSERT_EQ(KuraList->currentBoutKey(), 1);
    EXPECT_EQ(listed(1, "Karar"), "KO");

    ASSERT_TRUE(KuraList->SkorboardSfrla1->isVisible());
    modals().expect("TForm5", [](QDialog*) {
        EXPECT_EQ(Form5->Label1->text(), "Müsabaka Puanları Sıfırlanacaktır. Eminmisiniz...?");
        EXPECT_TRUE(Form5->BitBtn2->isDefault()) << "the judges' points are lost by \"Evet\": \"Hayır\" is the default";
        click(Form5->BitBtn1);
    });
    KuraList->SkorboardSfrla1->trigger();
    Record semi = bout(1);
    EXPECT_EQ(semi.str("Karar"), "");
    EXPECT_EQ(semi.str("Galip"), "");
    EXPECT_EQ(bout(4).str("Ad1"), "YARI FİNAL 1.MAÇ") << "the winner left the final";
    EXPECT_EQ(listed(1, "Karar"), "");
    EXPECT_EQ(KuraList->currentBoutKey(), 1) << "the list stays on the bout";

    openOnScoreboard(1);
    decide(1, "RSC");
    semi = bout(1);
    EXPECT_EQ(semi.str("Galip"), "12");
    EXPECT_EQ(semi.str("Salon"), "BEKİR");
    EXPECT_EQ(semi.str("Karar"), "RSC");
    const Record final = bout(4);
    EXPECT_EQ(final.str("Ad1"), "BEKİR");
    EXPECT_EQ(final.toInt("Sira1"), 12);
    EXPECT_EQ(final.str("Ad2"), "YARI FİNAL 2.MAÇ");
    EXPECT_EQ(listed(4, "Ad1"), "BEKİR");
}

TEST_F(MatchScreenReset, AMatchOnlyUserCannotReset)
{
    addUser(7, "MASA", "77", "VAR");
    ASSERT_TRUE(login("MASA", "77"));
    addBracket();
    db.update("C_KURA", {{"H1M", 3}, {"Karar", "Points"}}, "Kura_Key = 1");
    openBranch();
    ui().clear();
    EXPECT_FALSE(KuraList->SkorboardSfrla1->isVisible());
    ASSERT_EQ(KuraList->popupFor("Hakem"), KuraList->PopupMenu6);
    modals().expect("TSifreCheck", [](QDialog* d) {
        child<QLineEdit>(d, "Edit1")->setText("77");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    KuraList->ResetScore1->trigger();
    EXPECT_EQ(ui().lastText(), "Müsabakayı Admin Kullanıcı sıfırlayabilir...!");
    EXPECT_EQ(bout(1).toInt("H1M"), 3);
    EXPECT_EQ(bout(1).str("Karar"), "Points");
    EXPECT_EQ(modals().seen().count("TForm5"), 0) << "no confirmation is asked";
}

// --- Closing the match screen -------------------------------------------------

TEST_F(MatchScreenScoring, ClosingWithABoutOpenClosesTheScoreboardAndKeepsTheRemainingTime)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    addStandardBout();
    openBranch();
    openOnScoreboard(1);
    systemKey(Qt::Key_Space);
    time->advance(5);

    // "Hayır" keeps everything as it is.
    modals().expect("TForm5", [](QDialog*) {
        EXPECT_EQ(Form5->Label1->text(),
                  "Skorboard Şu Anda Aktif, Çıkarsanız Kapanacaktır. Çıkmak İstediğinizden Eminmisiniz ...?");
        click(Form5->BitBtn2);
    });
    click(KuraList->BitBtn14);
    EXPECT_TRUE(KuraList->isVisible());
    EXPECT_TRUE(Skor->isVisible());
    EXPECT_TRUE(KuraList->live().Timer1->isEnabled());
    time->advance(2);
    EXPECT_EQ(Skor->n_time->text(), "00:01:53");

    // "Evet" closes the scoreboard without its own question.
    const qsizetype asked = modals().seen().count("TForm5");
    modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
    click(KuraList->BitBtn14);
    EXPECT_EQ(modals().seen().count("TForm5"), asked + 1) << "one question only";
    EXPECT_FALSE(KuraList->isVisible());
    EXPECT_FALSE(Skor->isVisible());
    EXPECT_EQ(Skor->FBoutOpen, 0);
    EXPECT_FALSE(KuraList->live().Timer1->isEnabled());
    EXPECT_EQ(KuraList->FSkipActivate, 0);
    EXPECT_EQ(bout(1).str("n_time"), "00:01:53");
    EXPECT_EQ(display->size, QSize(1280, 1024)) << "the display size is put back";
    for (const char* field : {"Hakem", "Puan1", "n_time", "Karar"})
        EXPECT_TRUE(KuraList->DBGrid1->column(KuraList->DBGrid1->columnOf(field)).visible) << field;

    // The next showing lists afresh and opens bouts again.
    openBranch();
    openOnScoreboard(1);
    EXPECT_EQ(Skor->n_time->text(), "00:01:53");
}

} // namespace
