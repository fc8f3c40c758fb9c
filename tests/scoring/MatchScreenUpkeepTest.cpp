// The match screen's upkeep through its named controls after a login:
// deleting one bout as the administrator and as a restricted user, deleting
// a category's draw and drawing it again, the exchange of two athletes,
// absent athletes struck out, "Kura Aktar", and bout entry and bout edit
// ending on the scoreboard with the bout they saved.
#include "LiveFixture.h"

#include "app/kit/DbGrid.h"
#include "app/kit/Formats.h"
#include "app/Main.h"
#include "app/dialogs/Porgres.h"
#include "competition/KuraAktar.h"
#include "competition/KuraKayit.h"
#include "scoring/Advancement.h"
#include "scoring/KuraList.h"
#include "reports/Baslik1S.h"
#include "reports/PrintMenu2C.h"
#include "reports/PrintMenu2C1.h"
#include "reports/PrintScore.h"
#include "scoring/RandomSource.h"
#include "support/Screenshot.h"
#include "support/PrintedTexts.h"
#include "support/ScreenDriving.h"


#include <QAction>
#include <QFont>
#include <QMenu>
#include <QProgressBar>

namespace {

const QString kWomen = QStringLiteral("BAYAN");
const QString kDecided = QStringLiteral("Karara bağlanmış müsabakayı silme yetkiniz bulunmamaktadır...!");

class MatchScreenUpkeep : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        display = std::make_shared<FakeDisplay>(QSize(1280, 1024));
        DisplayMode::setBackend(display);
        time = std::make_shared<ManualTimeSource>();
        KuraList->live().setTimeSource(time);
        KuraList->setRandomSource(&random);
        Kura_Kayit->today = [] { return QDate(2024, 5, 18); };
        db.insert("C_BRANS", {{"Durum_Key", Counters::next(db, "Sayi")}, {"Durum", kBranch}, {"E_B", "E"}});
    }

    void TearDown() override
    {
        if (KuraList->isVisible()) {
            if (KuraList->boutOpen())
                modals().expect("TForm5", [](QDialog*) { click(Form5->BitBtn1); });
            KuraList->close();
        }
        Porgres->close();
        DisplayMode::setBackend(nullptr);
        ScreensTest::TearDown();
    }

    void signIn(bool administrator)
    {
        if (administrator) {
            ASSERT_TRUE(login("ADMIN", "1234"));
        } else {
            addUser(7, "MASA", "77", "YOK");
            ASSERT_TRUE(login("MASA", "77"));
        }
        Main->ScoringEdition = 1;
        ASSERT_EQ(KuraList->FRestrictedUser, administrator ? 0 : 1);
    }

    // A bracket of four: two semi-finals, the third-place row, the final.
    void addBracket()
    {
        insertBout(db, 1, {"AHMET", 11, "ANKARA", "ANKARA SPOR"}, {"BEKİR", 12, "İZMİR", "İZMİR SPOR"}, "YARI FİNAL",
                   "1");
        insertBout(db, 2, {"CEM", 13, "BURSA", "BURSA SPOR"}, {"DAVUT", 14, "KONYA", "KONYA SPOR"}, "YARI FİNAL", "2");
        insertBout(db, 3, {"-", {}}, {"-", {}}, "3.'LÜK MAÇI", "1");
        insertBout(db, 4, {"YARI FİNAL 1.MAÇ", {}}, {"YARI FİNAL 2.MAÇ", {}}, "FİNAL", "1");
    }

    // The blue athlete of bout 1 won it and stands in the final.
    void decideFirstSemiFinal(const QString& karar)
    {
        KuraList->FWinnerNo = "11";
        KuraList->FWinnerName = "AHMET";
        ASSERT_TRUE(Advancement(db, *KuraList).GalipIs(1));
        db.update("C_KURA", {{"Karar", karar}}, "Kura_Key = 1");
        ASSERT_EQ(bout(4).str("Ad1"), "AHMET");
    }

    void openBranch(const QString& branch = kBranch)
    {
        showScreen();
        pick(KuraList->DBLookupComboBox1, branch);
        ASSERT_TRUE(KuraList->boutListOpen());
    }

    // The screen shown; what its activation said of the serial ports is not
    // what these tests look at.
    void showScreen()
    {
        KuraList->show();
        ASSERT_TRUE(KuraList->isVisible());
        ui().clear();
    }

    // Puts the grid's cursor on a cell of a bout.
    void onCell(int key, const QString& field)
    {
        TDBGrid* grid = KuraList->DBGrid1;
        ASSERT_TRUE(grid->locate("Kura_Key", key));
        grid->setCurrentIndex(grid->model()->index(grid->currentRow(), grid->columnOf(field)));
        ASSERT_EQ(grid->currentField(), field);
    }

    // A right click on a cell of a bout, as the operator gives it.
    void rightClick(int key, const QString& field)
    {
        TDBGrid* grid = KuraList->DBGrid1;
        int row = -1;
        for (int r = 0; r < grid->rowCount(); ++r)
            if (grid->record(r).toInt("Kura_Key") == key)
                row = r;
        ASSERT_GE(row, 0) << "bout " << key << " not listed";
        const QRect cell = grid->visualRect(grid->model()->index(row, grid->columnOf(field)));
        ASSERT_TRUE(cell.isValid()) << field << " not shown";
        emit grid->customContextMenuRequested(cell.center());
    }

    // The bout popup's item, as the operator reaches it: the popup opens on
    // the bout first.
    void fromBoutPopup(QAction* item)
    {
        ASSERT_EQ(KuraList->popupFor("Hakem"), KuraList->PopupMenu6);
        ASSERT_TRUE(item->isVisible());
        item->trigger();
    }

    static void answerForm5(bool yes, QString* question = nullptr)
    {
        modals().expect("TForm5", [yes, question](QDialog*) {
            if (question)
                *question = Form5->Label1->text();
            click(yes ? Form5->BitBtn1 : Form5->BitBtn2);
        });
    }

    // A question whose "Evet" ends a bout or deletes bouts, as the operator
    // meets it: "Hayır" is the default with the focus, Space (the bout
    // clock's key) answers neither button, Enter answers "Hayır". A question
    // of two lines stands 8 pixels higher while it shows. The text goes to
    // `question`.
    static void expectHayirAsDefault(QString* question, bool twoLines)
    {
        const int top = Form5->Label1->y();
        modals().expect("TForm5", [question, twoLines, top](QDialog* d) {
            *question = Form5->Label1->text();
            EXPECT_EQ(Form5->Label1->y(), top - (twoLines ? 8 : 0));
            answerCarefulQuestionByEnter(d);
            EXPECT_EQ(Form5->FConfirmed, 0);
        });
    }
    // After such a question the next one has "Evet" as its default again and
    // its label back in place.
    static void expectQuestionPutBack(int top)
    {
        EXPECT_TRUE(Form5->BitBtn1->isDefault());
        EXPECT_FALSE(Form5->BitBtn2->isDefault());
        EXPECT_EQ(Form5->Label1->y(), top);
    }

    static void givePassword(const QString& password)
    {
        modals().expect("TSifreCheck", [password](QDialog* d) {
            child<QLineEdit>(d, "Edit1")->setText(password);
            click(child<QPushButton>(d, "BitBtn1"));
        });
    }

    Record bout(int key)
    {
        const auto r = db.first("select * from C_KURA where Kura_Key = :k", {{"k", key}});
        EXPECT_TRUE(r.has_value()) << "no bout " << key;
        return r.value_or(Record());
    }

    bool exists(int key) { return db.first("select * from C_KURA where Kura_Key = :k", {{"k", key}}).has_value(); }

    QList<int> listedKeys()
    {
        QList<int> keys;
        for (const Record& r : KuraList->DBGrid1->records())
            keys << r.toInt("Kura_Key");
        return keys;
    }

    std::shared_ptr<FakeDisplay> display;
    std::shared_ptr<ManualTimeSource> time;
    SeededRandom random{20240518};
};

// --- Deleting one bout ---------------------------------------------------------

TEST_F(MatchScreenUpkeep, TheAdministratorDeletesADecidedBoutAndItsWinnerLeavesTheFinal)
{
    signIn(true);
    addBracket();
    decideFirstSemiFinal("Points");
    openBranch();
    onCell(1, "Hakem");
    ui().clear();

    QString question;
    answerForm5(true, &question);
    fromBoutPopup(KuraList->Delete1);

    EXPECT_EQ(question, "AHMET / BEKİR\nMüsabakası Silinecektir. Eminmisiniz ...?");
    EXPECT_FALSE(exists(1));
    const Record final = bout(4);
    EXPECT_EQ(final.str("Ad1"), "") << "no athlete and no wait for a bout that is gone";
    EXPECT_TRUE(final.isNull("Sira1"));
    EXPECT_TRUE(final.isNull("Tur_Key1"));
    EXPECT_EQ(final.str("Ad2"), "YARI FİNAL 2.MAÇ");
    EXPECT_EQ(ui().texts(), QStringList{"Müsabaka Silindi ...!"});
    EXPECT_EQ(listedKeys(), (QList<int>{2, 3, 4})) << "the list is read again";
    EXPECT_GE(KuraList->DBLookupComboBox1->findText(kBranch), 0);
}

TEST_F(MatchScreenUpkeep, AnsweringNoDeletesNothing)
{
    signIn(true);
    addBracket();
    openBranch();
    onCell(2, "Hakem");
    answerForm5(false);
    KuraList->Delete1->trigger();
    EXPECT_TRUE(exists(2));
    EXPECT_EQ(bout(4).str("Ad2"), "YARI FİNAL 2.MAÇ");
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(MatchScreenUpkeep, DeletingABoutAsksWithHayirAsDefaultAndSpaceAnswersNothing)
{
    signIn(true);
    addBracket();
    openBranch();
    onCell(2, "Hakem");
    ui().clear();
    const int top = Form5->Label1->y();
    QString question;
    expectHayirAsDefault(&question, true);
    fromBoutPopup(KuraList->Delete1);
    EXPECT_EQ(modals().pending(), 0);
    EXPECT_EQ(question, "CEM / DAVUT\nMüsabakası Silinecektir. Eminmisiniz ...?");
    EXPECT_TRUE(exists(2));
    EXPECT_TRUE(ui().texts().isEmpty());
    expectQuestionPutBack(top);
}

TEST_F(MatchScreenUpkeep, ClosingWithARunningBoutAsksWithHayirAsDefaultAndSpaceAnswersNothing)
{
    signIn(true);
    addBracket();
    openBranch();
    onCell(1, "Hakem");
    answerSettings();
    KuraList->OpenScoreboard1->trigger();
    ASSERT_TRUE(KuraList->boutOpen());
    const int top = Form5->Label1->y();
    QString question;
    expectHayirAsDefault(&question, false);
    click(KuraList->BitBtn14);   // "Kapat"
    EXPECT_EQ(modals().pending(), 0);
    EXPECT_EQ(question, "Skorboard Şu Anda Aktif, Çıkarsanız Kapanacaktır. Çıkmak İstediğinizden Eminmisiniz ...?");
    EXPECT_TRUE(KuraList->isVisible());
    EXPECT_TRUE(KuraList->boutOpen()) << "the bout goes on";
    expectQuestionPutBack(top);
}

struct RestrictedCase {
    const char* name;
    const char* karar;
    bool advanced;      // the winner was set by the advancement
};

class RestrictedDelete : public MatchScreenUpkeep, public ::testing::WithParamInterface<RestrictedCase> {};

TEST_P(RestrictedDelete, ADecidedBoutIsRefusedWithoutAQuestion)
{
    signIn(false);
    addBracket();
    if (GetParam().advanced)
        decideFirstSemiFinal(GetParam().karar);
    else
        db.update("C_KURA", {{"Karar", GetParam().karar}}, "Kura_Key = 1");
    openBranch();
    onCell(1, "Ad1");
    ui().clear();
    const QStringList seen = modals().seen();
    fromBoutPopup(KuraList->Delete1);
    EXPECT_EQ(ui().texts(), QStringList{kDecided});
    EXPECT_EQ(ui().requests.first().kind, UiRequest::Error);
    EXPECT_EQ(modals().seen(), seen) << "neither the question nor the password";
    EXPECT_TRUE(exists(1));
    if (GetParam().advanced) {
        EXPECT_EQ(bout(4).str("Ad1"), "AHMET");
    }
}

INSTANTIATE_TEST_SUITE_P(Bouts, RestrictedDelete,
                         ::testing::Values(RestrictedCase{"DecidedOnTheScoreboard", "Points", true},
                                           RestrictedCase{"WinnerSetByTheAdvancementOnly", "", true},
                                           RestrictedCase{"DecisionWithoutWinner", "Disq", false}),
                         [](const ::testing::TestParamInfo<RestrictedCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(MatchScreenUpkeep, ARestrictedUserDeletesAnUndecidedBoutWithoutThePassword)
{
    signIn(false);
    addBracket();
    openBranch();
    onCell(2, "Ad2");
    answerForm5(true);
    KuraList->Delete1->trigger();
    EXPECT_FALSE(exists(2));
    EXPECT_EQ(bout(4).str("Ad2"), "");
    EXPECT_FALSE(modals().seen().contains("TSifreCheck"));
    EXPECT_EQ(ui().lastText(), "Müsabaka Silindi ...!");
}

TEST_F(MatchScreenUpkeep, TheBoutOpenOnTheScoreboardIsNotDeleted)
{
    signIn(true);
    addBracket();
    openBranch();
    onCell(1, "Hakem");
    answerSettings();
    KuraList->OpenScoreboard1->trigger();
    ASSERT_TRUE(KuraList->boutOpen());
    ui().clear();
    KuraList->Delete1->trigger();
    EXPECT_TRUE(exists(1));
    EXPECT_EQ(ui().texts(), QStringList{"Skorboard'da Açık Olan Müsabaka Silinemez veya Değiştirilemez. Lütfen Önce "
                                        "Skorboard'ı Kapatınız ...!"});
}

// --- Deleting a category's draw ------------------------------------------------

class CategoryDraw : public MatchScreenUpkeep {
protected:
    void SetUp() override
    {
        MatchScreenUpkeep::SetUp();
        signIn(true);
        const char* regions[] = {"ANKARA", "BURSA", "İZMİR", "KONYA", "SİVAS"};
        for (int i = 0; i < 5; ++i) {
            db.insert("C_LISTE", {{"Liste_Key", Counters::next(db, "sayi1")}, {"Brans", kBranch},
                                  {"Cinsiyet", kMen}, {"Ad", QString("SPORCU %1").arg(i + 1)},
                                  {"Bolge", regions[i]}, {"Klup", "KULÜP"}, {"Sira", Counters::next(db, "sayi3")},
                                  {"Onay", 1}, {"Musteri_Key", 100 + i}});
        }
        // The women's bouts of the same branch stay.
        insertBout(db, 900, {"AYŞE", 91}, {"FATMA", 92}, "FİNAL", "1", kBranch, {{"Cinsiyet", kWomen}});
        KuraList->show();
        KuraList->KuraCek(kBranch, kMen);
        ASSERT_TRUE(KuraList->boutListOpen());
        drawn = keys();
        ASSERT_FALSE(drawn.isEmpty());
        ui().clear();
    }

    QList<int> keys()
    {
        QList<int> k;
        for (const Record& r : db.select("select Kura_Key from C_KURA where Brans = :b and Cinsiyet = :g order by "
                                         "Kura_Key",
                                         {{"b", kBranch}, {"g", kMen}}))
            k << r.toInt("Kura_Key");
        return k;
    }

    // "Kura Sil" as an office station shows it.
    static void clickKuraSil()
    {
        KuraList->BitBtn6->setEnabled(true);
        click(KuraList->BitBtn6);
    }

    QList<int> drawn;
};

TEST_F(CategoryDraw, KuraSilDeletesTheCategoryAndItIsDrawnAgainWithNewKeys)
{
    givePassword("1234");
    QString question;
    answerForm5(true, &question);
    int progress = -1;
    Porgres->ProgressBar1->setValue(0);
    QObject watch;
    QObject::connect(Porgres->ProgressBar1, &QProgressBar::valueChanged, &watch, [&](int v) { progress = v; });
    clickKuraSil();

    EXPECT_EQ(question, kBranch + " Branşında KURA Listesi Silinecektir.\nEminmisiniz ...?");
    EXPECT_EQ(progress, 100);
    EXPECT_FALSE(Porgres->isVisible());
    EXPECT_TRUE(keys().isEmpty());
    EXPECT_TRUE(exists(900)) << "the other gender of the branch";
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE where Brans = :b", {{"b", kBranch}}).toInt(), 5)
        << "the weigh-in rows stay";
    EXPECT_EQ(ui().texts(), QStringList{kBranch + " BRANŞINDA KURA LİSTESİ SİLİNDİ ...!"});
    EXPECT_FALSE(KuraList->boutListOpen());
    EXPECT_EQ(KuraList->Edit1->text(), "");
    EXPECT_EQ(KuraList->DBLookupComboBox1->currentIndex(), -1);
    EXPECT_GE(KuraList->DBLookupComboBox1->findText(kBranch), 0) << "the women's bouts keep the branch listed";

    ui().clear();
    KuraList->KuraCek(kBranch, kMen);
    const QList<int> again = keys();
    ASSERT_EQ(again.size(), drawn.size());
    for (int k : again)
        EXPECT_GT(k, drawn.last()) << "new keys";
    EXPECT_EQ(ui().texts(), QStringList{kBranch + " BRANŞINDA KURA ÇEKİMİ YAPILDI ...!"});
}

TEST_F(CategoryDraw, AWrongPasswordOrNoDeletesNothing)
{
    givePassword("9");
    clickKuraSil();
    EXPECT_FALSE(modals().seen().contains("TForm5"));
    EXPECT_EQ(keys(), drawn);
    EXPECT_EQ(ui().texts(),
              QStringList{"Sistem Sorumlusu Şifresini Hatalı Girdiniz. İşleme Devam Edilemiyor ...!"});
    ui().clear();

    givePassword("1234");
    answerForm5(false);
    clickKuraSil();
    EXPECT_EQ(keys(), drawn);
    EXPECT_TRUE(KuraList->boutListOpen());
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(CategoryDraw, KuraSilAsksWithHayirAsDefaultAndSpaceAnswersNothing)
{
    const int top = Form5->Label1->y();
    givePassword("1234");
    QString question;
    expectHayirAsDefault(&question, true);
    clickKuraSil();
    EXPECT_EQ(modals().pending(), 0);
    EXPECT_EQ(question, kBranch + " Branşında KURA Listesi Silinecektir.\nEminmisiniz ...?");
    EXPECT_EQ(keys(), drawn);
    EXPECT_TRUE(KuraList->boutListOpen());
    EXPECT_TRUE(ui().texts().isEmpty());
    expectQuestionPutBack(top);
}

// --- The exchange of two athletes -----------------------------------------------

class Exchange : public MatchScreenUpkeep {
protected:
    void SetUp() override
    {
        MatchScreenUpkeep::SetUp();
        db.update("C_SAYI", {{"OzelKod", "KOD"}}, "1 = 1");
        signIn(true);
        addBracket();
        openBranch();
        ASSERT_EQ(KuraList->FSpecialCode, "KOD");
        KuraList->Edit5->setText("kod");
    }
};

TEST_F(Exchange, SecAndDegistirExchangeTwoSeatedAthletes)
{
    rightClick(1, "Ad1");
    ASSERT_TRUE(KuraList->PopupMenu2->isVisible()) << "the exchange opens on a name while the code is typed";
    KuraList->PopupMenu2->close();
    KuraList->Sec1->trigger();
    EXPECT_EQ(KuraList->Sec1->text(), "Seç (Seçilen:AHMET)");
    EXPECT_TRUE(KuraList->Degistir1->isEnabled());
    EXPECT_EQ(KuraList->FSwapBoutKey, 1);
    EXPECT_EQ(KuraList->FSwapSide, "1");

    onCell(2, "Ad2");
    ASSERT_EQ(KuraList->popupFor("Ad2"), KuraList->PopupMenu2);
    KuraList->Degistir1->trigger();

    EXPECT_EQ(bout(1).str("Ad1"), "DAVUT");
    EXPECT_EQ(bout(1).str("Bolge1"), "KONYA");
    EXPECT_EQ(bout(1).toInt("Sira1"), 14);
    EXPECT_EQ(bout(2).str("Ad2"), "AHMET");
    EXPECT_EQ(bout(2).str("Klup2"), "ANKARA SPOR");
    EXPECT_EQ(KuraList->DBGrid1->currentRecord().toInt("Kura_Key"), 2) << "the list stays on the bout";
    EXPECT_EQ(KuraList->DBGrid1->currentRecord().str("Ad2"), "AHMET");
    EXPECT_EQ(KuraList->Sec1->text(), "Seç");
    EXPECT_FALSE(KuraList->Degistir1->isEnabled());
    EXPECT_EQ(KuraList->FSwapBoutKey, 0);
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(Exchange, BothBoutsAreCheckedAgainAtDegistir)
{
    onCell(1, "Ad1");
    KuraList->Sec1->trigger();
    onCell(2, "Ad2");
    ASSERT_TRUE(KuraList->swapPopupOpens());
    // The picked bout was decided in the meantime (another station).
    db.update("C_KURA", {{"Salon", "AHMET"}, {"Galip", "11"}}, "Kura_Key = 1");
    KuraList->Degistir1->trigger();
    EXPECT_EQ(ui().texts(), QStringList{"Seçilen Müsabakalardan Biri Karara Bağlanmış veya Sporcusu Değişmiş. Lütfen "
                                        "Sporcuyu Yeniden Seçiniz ...!"});
    EXPECT_EQ(bout(1).str("Ad1"), "AHMET");
    EXPECT_EQ(bout(2).str("Ad2"), "DAVUT");
    EXPECT_EQ(KuraList->FSwapBoutKey, 0) << "the pick is dropped";
}

struct PopupCase {
    const char* name;
    int bout;
    const char* field;
    const char* code;
    bool opens;
};

class ExchangePopup : public Exchange, public ::testing::WithParamInterface<PopupCase> {};

TEST_P(ExchangePopup, OpensOnlyOnASeatedNameOfAnUndecidedBoutWithTheCode)
{
    const PopupCase& c = GetParam();
    decideFirstSemiFinal("");
    KuraList->DBLookupComboBox1Click();
    KuraList->Edit5->setText(c.code);
    onCell(c.bout, c.field);
    EXPECT_EQ(KuraList->swapPopupOpens(), c.opens);
    EXPECT_EQ(KuraList->popupFor(c.field) == KuraList->PopupMenu2, c.opens);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExchangePopup,
                         ::testing::Values(PopupCase{"SeatedName", 2, "Ad1", "kod", true},
                                           PopupCase{"WrongCode", 2, "Ad1", "kodu", false},
                                           PopupCase{"NotANameColumn", 2, "Hakem", "kod", false},
                                           PopupCase{"DecidedBout", 1, "Ad2", "kod", false},
                                           PopupCase{"AdvancedSide", 4, "Ad1", "kod", false}),
                         [](const ::testing::TestParamInfo<PopupCase>& info) { return std::string(info.param.name); });

// --- Attendance -----------------------------------------------------------------

TEST_F(MatchScreenUpkeep, AbsentAthletesAreStruckOutInTheBoutGrid)
{
    signIn(true);
    addBracket();
    openBranch();
    onCell(1, "Hakem");
    TDBGrid* grid = KuraList->DBGrid1;
    // A right click on a name puts the cursor there and opens the attendance
    // popup.
    rightClick(2, "Ad2");
    EXPECT_TRUE(KuraList->PopupMenu5->isVisible());
    EXPECT_EQ(grid->currentRecord().toInt("Kura_Key"), 2);
    EXPECT_EQ(grid->currentField(), "Ad2");
    KuraList->PopupMenu5->close();
    auto struck = [grid](int key, const QString& field) {
        for (int r = 0; r < grid->rowCount(); ++r)
            if (grid->record(r).toInt("Kura_Key") == key)
                return grid->model()->index(r, grid->columnOf(field)).data(Qt::FontRole).value<QFont>().strikeOut();
        ADD_FAILURE() << "bout " << key << " not listed";
        return false;
    };

    KuraList->MsKATILMADI1->trigger();
    EXPECT_EQ(bout(2).toInt("Dis2"), 1);
    EXPECT_TRUE(bout(2).isNull("Dis1"));
    EXPECT_TRUE(struck(2, "Ad2"));
    EXPECT_FALSE(struck(2, "Ad1"));
    EXPECT_FALSE(struck(1, "Ad2"));
    EXPECT_EQ(grid->currentRecord().toInt("Kura_Key"), 2) << "the list is reopened on the bout";
    EXPECT_EQ(grid->currentField(), "Ad2");
    saveScreenshot(KuraList, "BRIVEX_ABSENT_SCREENSHOT");

    KuraList->KATILDI1->trigger();
    EXPECT_TRUE(bout(2).isNull("Dis2"));
    EXPECT_FALSE(struck(2, "Ad2"));

    // A side without an athlete has no attendance.
    onCell(4, "Ad2");
    EXPECT_EQ(KuraList->popupFor("Ad2"), nullptr) << "waits for a semi-final's winner";
    onCell(3, "Ad1");
    EXPECT_EQ(KuraList->popupFor("Ad1"), nullptr) << "the third-place row";

    // Elsewhere on the row the bout popup opens.
    rightClick(2, "Hakem");
    EXPECT_TRUE(KuraList->PopupMenu6->isVisible());
    KuraList->PopupMenu6->close();
}

// --- "Kura Aktar" ----------------------------------------------------------------

TEST_F(MatchScreenUpkeep, KuraAktarNeedsABranchAndSaysTheTransferIsNotAvailable)
{
    signIn(true);
    addBracket();
    showScreen();
    KuraList->BitBtn16Click();
    EXPECT_EQ(ui().texts(), QStringList{"Lütfen Branş Seçiniz ...!"});
    EXPECT_FALSE(modals().seen().contains("TKuraAktar"));

    pick(KuraList->DBLookupComboBox1, kBranch);
    ui().clear();
    modals().expect("TKuraAktar", [](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Kura Aktar");
        EXPECT_EQ(child<QLineEdit>(d, "Edit1")->text(), kBranch);
        EXPECT_EQ(child<QLineEdit>(d, "Edit2")->text(), kMen);
        EXPECT_EQ(child<QLabel>(d, "Label3")->text(), "Kura Aktarımı Bu İstasyonda Kullanılamamaktadır ...!");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    KuraList->BitBtn16Click();
    EXPECT_TRUE(modals().seen().contains("TKuraAktar"));
    EXPECT_EQ(db.scalar("select count(*) from C_KURA").toInt(), 4);
}

// --- Bout entry and bout edit end on the scoreboard with their bout -------------------

class SavedBout : public MatchScreenUpkeep {
protected:
    void SetUp() override
    {
        MatchScreenUpkeep::SetUp();
        Formats::setDecimalSeparator(',');
        signIn(true);
    }
    void TearDown() override
    {
        Formats::setDecimalSeparator('.');
        MatchScreenUpkeep::TearDown();
    }

    static void fillBout(QDialog* d, const QString& weight, const QString& blue, const QString& red)
    {
        child<QLineEdit>(d, "Edit9")->setText(weight);
        pick(child<QComboBox>(d, "ComboBox4"), "ERKEK");
        pick(child<QComboBox>(d, "DBLookupComboBox5"), "GENÇLER");
        child<QLineEdit>(d, "Edit3")->setText(blue);
        pick(child<QComboBox>(d, "DBLookupComboBox1"), "ANKARA");
        child<QLineEdit>(d, "Edit5")->setText(red);
        pick(child<QComboBox>(d, "DBLookupComboBox2"), "İZMİR");
    }

    // The scoreboard's settings dialog: notes the bout it was opened for.
    void expectScoreboardFor(int* opened)
    {
        modals().expect("TSkorb_giris", [opened](QDialog*) {
            *opened = Skor->FOpenBoutKey.toInt();
            click(Skorb_giris->BitBtn2);
        });
    }
};

TEST_F(SavedBout, SporcuKayitOpensTheScoreboardOnTheNewBout)
{
    // The category already holds a bout with a higher key (copied from
    // another station): the new bout is not the last of the list.
    const QString category = "57 KG ERKEK GENÇLER";
    insertBout(db, 9000, {"ESKİ", 9001}, {"MAÇ", 9002}, "Final", "1", category);
    KuraList->show();
    modals().expect("TKura_Kayit", [](QDialog* d) {
        fillBout(d, "57", "ALİ", "VELİ");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    int opened = 0;
    expectScoreboardFor(&opened);
    click(KuraList->BitBtn11);

    const int saved = Kura_Kayit->FSavedBoutKey;
    EXPECT_EQ(bout(saved).str("Ad1"), "ALİ");
    EXPECT_EQ(opened, saved);
    EXPECT_EQ(KuraList->Edit1->text(), category);
    EXPECT_EQ(KuraList->DBGrid1->currentRecord().toInt("Kura_Key"), saved);
    EXPECT_EQ(listedKeys(), (QList<int>{saved, 9000}));
}

TEST_F(SavedBout, DuzeltOpensTheScoreboardOnTheEditedBout)
{
    KuraList->show();
    for (const auto& [blue, red] : {std::pair{"ALİ", "VELİ"}, std::pair{"CAN", "CEM"}}) {
        modals().expect("TKura_Kayit", [&](QDialog* d) {
            fillBout(d, "57", blue, red);
            click(child<QPushButton>(d, "BitBtn1"));
        });
        int ignored = 0;
        expectScoreboardFor(&ignored);
        click(KuraList->BitBtn11);
    }
    ASSERT_EQ(KuraList->DBGrid1->rowCount(), 2);
    KuraList->DBGrid1->setCurrentRow(0);
    const int first = KuraList->DBGrid1->currentRecord().toInt("Kura_Key");

    modals().expect("TKura_Kayit", [](QDialog* d) {
        child<QLineEdit>(d, "Edit3")->setText("ALİCAN");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    int opened = 0;
    expectScoreboardFor(&opened);
    fromBoutPopup(KuraList->ChangeDetails1);

    EXPECT_EQ(opened, first) << "not the last bout of the category";
    EXPECT_EQ(KuraList->DBGrid1->currentRecord().toInt("Kura_Key"), first);
    EXPECT_EQ(KuraList->DBGrid1->currentRecord().str("Ad1"), "ALİCAN");
}

TEST_F(SavedBout, ABoutEditedIntoAnotherCategoryIsFollowedThere)
{
    KuraList->show();
    for (const char* weight : {"57", "63"}) {
        modals().expect("TKura_Kayit", [weight](QDialog* d) {
            fillBout(d, weight, "ALİ", "VELİ");
            click(child<QPushButton>(d, "BitBtn1"));
        });
        int ignored = 0;
        expectScoreboardFor(&ignored);
        click(KuraList->BitBtn11);
    }
    pick(KuraList->DBLookupComboBox1, "57 KG ERKEK GENÇLER");
    const int key = KuraList->currentBoutKey();
    modals().expect("TKura_Kayit", [](QDialog* d) {
        child<QLineEdit>(d, "Edit9")->setText("63");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    int opened = 0;
    expectScoreboardFor(&opened);
    KuraList->ChangeDetails1->trigger();
    EXPECT_EQ(KuraList->Edit1->text(), "63 KG ERKEK GENÇLER");
    EXPECT_EQ(opened, key);
    EXPECT_EQ(KuraList->DBGrid1->rowCount(), 2);
}

// --- Lists and score sheets from the match screen ---------------------------------------

class MatchScreenPrints : public MatchScreenUpkeep {
protected:
    void SetUp() override
    {
        MatchScreenUpkeep::SetUp();
        signIn(true);
        addBracket();
        db.update("C_KURA",
                  {{"R1", "3;1;2;2;1;0;0;1;0;0;0;0"}, {"R2", "5;4;5;3;2;2;1;1;0;0;2;0"}, {"Karar", "Points"},
                   {"Tar_Saat", "18.05.2024 RİNG 1"}, {"Skor", "1001"}},
                  "Kura_Key = 1");
        db.update("C_KURA", {{"Tar_Saat", "18.05.2024 RİNG 2"}, {"Skor", "2001"}}, "Kura_Key = 2");
    }

    static void expectTitle(const QString& title)
    {
        modals().expect("TBaslik1S", [title](QDialog* d) {
            Baslik1S->Edit8->setText(title);
            click(d->findChild<QWidget*>("BitBtn4"));
        });
    }

    // The preview saves its pages as a PDF file; notes whether the screen
    // waited, disabled, meanwhile.
    void expectPreviewSavedAs(const QString& path, bool* waited = nullptr)
    {
        modals().expect("ReportPreview", [path, waited](QDialog* d) {
            if (waited)
                *waited = !KuraList->isEnabled() && KuraList->FSkipActivate == 1;
            ui().answerFile(path);
            click(d->findChild<QWidget*>("SaveButton"));
            d->close();
        });
    }
};

TEST_F(MatchScreenPrints, RaporInTheBoutPopupPrintsThatBoutsSheet)
{
    openBranch();
    onCell(1, "Hakem");
    const QString pdf = dir.filePath("mac.pdf");
    expectTitle("İL ŞAMPİYONASI");
    bool waited = false;
    expectPreviewSavedAs(pdf, &waited);
    fromBoutPopup(KuraList->Report1);

    EXPECT_TRUE(waited);
    EXPECT_EQ(PrintScore->FScope, 2);
    EXPECT_EQ(PrintScore->ReportBody1.document()->pageCount(), 1);
    const QString text = pdftotext(pdf);
    for (const char* expected : {"İL ŞAMPİYONASI", "AHMET", "BEKİR", "Mavi (Blue)", "Kırmızı (Red)", "Points",
                                 "Müsabaka Kararı", "Ad Soyad / İmza:"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains("CEM"));
    // The category and the bout survive the preview.
    EXPECT_TRUE(KuraList->isEnabled());
    EXPECT_TRUE(KuraList->boutListOpen());
    EXPECT_EQ(KuraList->currentBoutKey(), 1);
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(MatchScreenPrints, RaporlarPrintsTheCategorysSheetsAndWithoutOneDoesNothing)
{
    showScreen();
    const QStringList seen = modals().seen();
    click(KuraList->BitBtn12);
    EXPECT_TRUE(ui().texts().isEmpty());
    EXPECT_EQ(modals().seen(), seen) << "no dialog";

    pick(KuraList->DBLookupComboBox1, kBranch);
    const QString pdf = dir.filePath("kategori.pdf");
    expectTitle("İL ŞAMPİYONASI");
    expectPreviewSavedAs(pdf);
    click(KuraList->BitBtn12);
    EXPECT_EQ(PrintScore->FScope, 1);
    EXPECT_EQ(PrintScore->ReportBody1.document()->pageCount(), 3) << "every bout but the third-place row";
    const QString text = pdftotext(pdf);
    for (const char* expected : {"AHMET", "CEM", "DAVUT", "YARI FİNAL 1.MAÇ"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

TEST_F(MatchScreenPrints, SonucRaporuWithoutACategoryAsksForOne)
{
    showScreen();
    const QStringList seen = modals().seen();
    KuraList->SonuListesi1->trigger();
    EXPECT_EQ(ui().texts(), QStringList{"Lütfen Branş Seçiniz ...!"});
    ui().clear();
    KuraList->MaSonuSayfas1->trigger();
    EXPECT_EQ(ui().texts(), QStringList{"Lütfen Branş Seçiniz ...!"});
    EXPECT_EQ(modals().seen(), seen);
}

TEST_F(MatchScreenPrints, KuraListesiPrintsTheChosenCategory)
{
    insertBout(db, 30, {"AYŞE", 31}, {"FATMA", 32}, "FİNAL", "1", "BAYAN 52 KİLO");
    openBranch();
    const QString pdf = dir.filePath("kura.pdf");
    expectTitle("İL ŞAMPİYONASI");
    expectPreviewSavedAs(pdf);
    KuraList->MenuItem1->trigger();
    EXPECT_EQ(PrintMenu2C->ReportBody1.document()->pageCount(), 1);
    const QString text = pdftotext(pdf);
    for (const char* expected : {"İL ŞAMPİYONASI", "KURA LİSTESİ", "AHMET", "DAVUT", "YARI FİNAL 2.MAÇ"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains("AYŞE")) << "another category";

    // All categories.
    ui().clear();
    const QString all = dir.filePath("kuralar.pdf");
    expectTitle("İL ŞAMPİYONASI");
    expectPreviewSavedAs(all);
    KuraList->MenuItem2->trigger();
    EXPECT_EQ(PrintMenu2C->ReportBody1.document()->pageCount(), 2);
    EXPECT_TRUE(pdftotext(all).contains("AYŞE"));
}

TEST_F(MatchScreenPrints, RingListOfTheDayPickedInTheDialog)
{
    openBranch();
    const QString pdf = dir.filePath("ring.pdf");
    modals().expect("TBaslik1S", [](QDialog* d) {
        Baslik1S->Edit8->setText("RİNG DAĞILIMI");
        Baslik1S->DateTimePicker1->setDate(QDate(2024, 5, 18));
        click(d->findChild<QWidget*>("BitBtn4"));
    });
    expectPreviewSavedAs(pdf);
    KuraList->RinglereDalmTablosu1->trigger();
    EXPECT_EQ(PrintMenu2C1->ReportBody1.document()->pageCount(), 2);
    const QString text = pdftotext(pdf);
    for (const char* expected : {"RİNG DAĞILIMI", "18.05.2024 RİNG 1 MÜSABAKA LİSTESİ",
                                 "18.05.2024 RİNG 2 MÜSABAKA LİSTESİ", "AHMET", "DAVUT"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();

    ui().clear();
    modals().expect("TBaslik1S", [](QDialog* d) {
        Baslik1S->DateTimePicker1->setDate(QDate(2024, 5, 19));
        click(d->findChild<QWidget*>("BitBtn4"));
    });
    KuraList->RinglereDalmTablosu1->trigger();
    EXPECT_EQ(ui().texts(), QStringList{"19.05.2024 TARİHLİ RİNG DAĞILIM LİSTESİ BULUNMAMAKTADIR ...!"});
}

} // namespace
