// The results screen's four jobs, driven through its named controls from
// the main window's commands: posting results and duties into the persons'
// records, the points list with its team ranking, the ranking list.
#include "ScoringFixture.h"

#include "app/Main.h"
#include "app/dialogs/SifreCheck.h"
#include "reports/PrintMenu1E.h"
#include "platform/report/ReportFonts.h"
#include "reports/RapTakimList.h"
#include "scoring/Aktar1S.h"
#include "scoring/ResultsPosting.h"
#include "reports/ReportsFixture.h"
#include "support/ScreenDriving.h"
#include "support/Screenshot.h"

#include <QCheckBox>
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSqlQuery>

namespace {

const QString kMen60 = QStringLiteral("60 KİLO ERKEK BÜYÜKLER");
const QString kMen75 = QStringLiteral("75 KİLO ERKEK BÜYÜKLER");
const QString kWomen52 = QStringLiteral("52 KİLO BAYAN GENÇLER");
const QDate kToday(2011, 1, 10);
const QDate kWeighIn(2010, 12, 28);
constexpr int kActivity = 7;

class ResultsScreenTest : public SignedInTest {
protected:
    void SetUp() override
    {
        SignedInTest::SetUp();
        Main->Today = [] { return kToday; };
        db.insert("C_TURNUVA", {{"Turnuva_Key", kActivity}, {"Adi", "TÜRKİYE ŞAMPİYONASI"}, {"Yer", "ANKARA"},
                                {"Tarih1", QDate(2010, 12, 28)}, {"Tarih2", QDate(2011, 1, 2)}});
        int key = 900;
        for (const QString& branch : {kMen60, kMen75, kWomen52})
            db.insert("C_BRANS", {{"Durum_Key", ++key}, {"Durum", branch}});

        // Men 60: 11 beats 12, 14 beats 13 (who stayed away), 14 beats 11 in
        // the final; 15 was disqualified at the weigh-in.
        athlete(1, kMen60, "ŞÜKRÜ ÇAĞLAR", 11, 1, "İZMİR", "A TAKIMI");
        athlete(2, kMen60, "ÖMER IŞIK", 12, 1, "ANKARA", "B TAKIMI");
        athlete(3, kMen60, "AHMET DOĞAN", 13, 1, "İZMİR", "A TAKIMI");
        athlete(4, kMen60, "MEHMET ÖZ", 14, 1, "İZMİR", "A TAKIMI");
        athlete(5, kMen60, "ALİ VELİ", 15, 0, "ANKARA", "B TAKIMI");
        // Men 75: alone, no bout.
        athlete(6, kMen75, "KEMAL SAY", 31, 1, "ANKARA", "B TAKIMI");
        // Women 52: 23 beats 22 in the preliminary; 21, seated in the final
        // opposite the preliminary's winner, beats 23.
        athlete(7, kWomen52, "AYŞE ÖZTÜRK", 21, 1, "ŞANLIURFA", "A TAKIMI");
        athlete(8, kWomen52, "GÜLŞEN İNCE", 22, 1, "ÇORUM", "D TAKIMI");
        athlete(9, kWomen52, "ZEYNEP KARA", 23, 1, "İZMİR", "A TAKIMI");

        bout(1, kMen60, "YARI FİNAL", 11, "ŞÜKRÜ ÇAĞLAR", true, 12, "ÖMER IŞIK", true, 11);
        bout(2, kMen60, "YARI FİNAL", 13, "AHMET DOĞAN", true, 14, "MEHMET ÖZ", true, 14);
        db.exec("update C_KURA set Dis1 = 1, Karar = 'WO' where Kura_Key = 2");
        bout(3, kMen60, "3.'LÜK MAÇI", QVariant(), "-", false, QVariant(), "-", false, QVariant());
        bout(4, kMen60, "FİNAL", 11, "ŞÜKRÜ ÇAĞLAR", false, 14, "MEHMET ÖZ", false, 14);
        bout(5, kWomen52, "ÖN ELEME", 22, "GÜLŞEN İNCE", true, 23, "ZEYNEP KARA", true, 23);
        bout(6, kWomen52, "FİNAL", 21, "AYŞE ÖZTÜRK", true, 23, "ZEYNEP KARA", false, 21);

        // Points: participation 1, bye 2, places 10, 6 and 4, win 3.
        db.exec("delete * from C_PUAN");
        for (int p : {1, 2, 10, 6, 4, 3})
            db.insert("C_PUAN", {{"Puani", p}});
        modals().clear();
        ui().clear();
    }
    void TearDown() override
    {
        Aktar1S->FSelectedKeys.clear();
        Aktar1S->FDutyText.clear();
        SignedInTest::TearDown();
    }

    void athlete(int key, const QString& branch, const QString& name, int number, int approved,
                 const QString& region, const QString& team)
    {
        db.insert("C_MUSTERI", {{"Musteri_Key", 100 + key}, {"Ad_Soyad", name}});
        db.insert("C_LISTE", {{"Liste_Key", key}, {"Brans", branch}, {"Cinsiyet", branch.section(' ', 2, 2)},
                              {"Ad", name}, {"Sira", number}, {"Onay", approved}, {"Musteri_Key", 100 + key},
                              {"Bolge", region}, {"Klup", region + " SK"}, {"Takim", team}, {"Tarih", kWeighIn},
                              {"Puan", 0}});
    }

    void bout(int key, const QString& branch, const QString& round, const QVariant& n1, const QString& name1,
              bool seated1, const QVariant& n2, const QString& name2, bool seated2, const QVariant& winner)
    {
        db.insert("C_KURA", {{"Kura_Key", key}, {"Brans", branch}, {"Cinsiyet", branch.section(' ', 2, 2)},
                             {"Tur", round}, {"Sira", "1"}, {"Ad1", name1}, {"Sira1", n1}, {"Ad2", name2},
                             {"Sira2", n2}, {"Tip1", seated1 ? QVariant("AD") : QVariant()},
                             {"Tip2", seated2 ? QVariant("AD") : QVariant()},
                             {"Galip", winner.isValid() ? winner.toString() : QString()},
                             {"Salon", winner == n1 ? name1 : winner == n2 ? name2 : QString()}});
    }

    // Runs a main window command; `work` drives the results screen, which
    // is closed with "Çıkış" afterwards.
    void run(const QString& command, std::function<void(TAktar1S*)> work)
    {
        modals().expect("TAktar1S", [work](QDialog*) {
            work(Aktar1S);
            click(Aktar1S->BitBtn1);
        });
        Main->command(command)->trigger();
        EXPECT_EQ(modals().pending(), 0) << "scripts left over";
    }

    static void chooseActivity(TAktar1S* s)
    {
        QComboBox* list = child<QComboBox>(s, "DBLookupComboBox1");
        list->setCurrentIndex(list->findData(kActivity));
        Q_EMIT list->activated(list->currentIndex());
    }

    std::map<int, int> puan()
    {
        std::map<int, int> m;
        for (const Record& r : db.select("select Sira, Puan from C_LISTE"))
            m[r.toInt("Sira")] = r.toInt("Puan");
        return m;
    }

    // F_DER by person: "Derece|Odul|Durum_Key|Tarih".
    std::map<int, QString> posted()
    {
        std::map<int, QString> m;
        for (const Record& r : db.select("select * from F_DER where Turnuva_Key = :t", {{"t", kActivity}}))
            m[r.toInt("Musteri_Key")] = r.str("Derece") + "|" + r.str("Odul") + "|" + r.str("Durum_Key") + "|" +
                                        r.date("Tarih").toString("dd.MM.yyyy") + "|" + r.str("Gorev");
        return m;
    }

    int branchKey(const QString& branch)
    {
        return db.scalar("select Durum_Key from C_BRANS where Durum = :d", {{"d", branch}}).toInt();
    }

    // The results window in mode 1, after the administrator password.
    void postResults(std::function<void(TAktar1S*)> work)
    {
        modals().expect("TSifreCheck", [](QDialog* d) {
            child<QLineEdit>(d, "Edit1")->setText("1234");
            click(child<QWidget>(d, "BitBtn1"));
        });
        run("TurnuvaBilgilerininSporcuSicillerinelenmesi1", std::move(work));
    }
};

// ---------------------------------------------------------------------------
// The main window opens the screen in its modes.

struct ModeCase {
    const char* command;
    int mode;
    const char* caption;
    const char* label;
    bool firstThree;
};

class ResultsModes : public ResultsScreenTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ResultsModes, TheMainWindowSetsCaptionLabelModeAndOptions)
{
    const ModeCase c = GetParam();
    Aktar1S->CheckBox2->hide();     // as the registry's duty posting leaves it
    auto check = [c](TAktar1S* s) {
        EXPECT_EQ(s->FRankingMode, c.mode);
        EXPECT_EQ(s->windowTitle(), c.caption);
        EXPECT_EQ(s->Label15->text(), c.label);
        EXPECT_EQ(child<QCheckBox>(s, "CheckBox1")->isVisible(), c.firstThree);
        EXPECT_TRUE(child<QCheckBox>(s, "CheckBox2")->isVisible());
        EXPECT_FALSE(child<QLineEdit>(s, "Edit6")->isVisible());
        // The activities, newest first, each as its Turnuva_Adi; none chosen.
        QComboBox* list = child<QComboBox>(s, "DBLookupComboBox1");
        EXPECT_EQ(list->currentIndex(), -1);
        EXPECT_EQ(list->itemData(0).toInt(), kActivity);
        EXPECT_EQ(list->itemText(0), "28.12.2010-02.01.2011 ANKARA TÜRKİYE ŞAMPİYONASI / ");
        chooseActivity(s);
        EXPECT_EQ(child<QLineEdit>(s, "Edit8")->text(), list->itemText(0));
        EXPECT_TRUE(child<QLineEdit>(s, "Edit8")->isReadOnly());
    };
    if (c.mode == 1)
        postResults(check);
    else
        run(c.command, check);
}

INSTANTIATE_TEST_SUITE_P(Commands, ResultsModes,
                         ::testing::Values(ModeCase{"TurnuvaBilgilerininSporcuSicillerinelenmesi1", 1,
                                                    "Lütfen Turnuva Seçiniz", "Turnuva", false},
                                           ModeCase{"PuanlamaListesi1", 2, "Puanlama Listesi", "Başlık", true},
                                           ModeCase{"DereceListesi1", 3, "Derece Listesi", "Başlık", true}));

TEST_F(ResultsScreenTest, PostingResultsNeedsTheAdministratorPassword)
{
    modals().expect("TSifreCheck", [](QDialog* d) { d->close(); });
    Main->command("TurnuvaBilgilerininSporcuSicillerinelenmesi1")->trigger();
    EXPECT_EQ(modals().seen(), QStringList{"TSifreCheck"});
    EXPECT_TRUE(posted().empty());
}

// ---------------------------------------------------------------------------
// Job 1: results into the persons' records.

TEST_F(ResultsScreenTest, PostsEveryAthletesPlaceOnceWithDisqualificationsAndAStamp)
{
    QString asked;
    int progress = -1;
    postResults([&](TAktar1S* s) {
        chooseActivity(s);
        answerQuestion(true, &asked);
        click(s->BitBtn3);
        progress = s->ProgressBar1->value();
    });
    EXPECT_EQ(asked, "Turnuvaya Katılan Sporcuların Sicil Kayıtlarına Turnuva Bilgileri İşlenecektir.\n"
                     "İşlemi Geri Alma İmkanı Bulunmamaktadır. Devam Etmek İstediğinizden Eminmisiniz ...!");
    EXPECT_EQ(ui().texts(), QStringList{TAktar1S::postedText(9, 0)});
    EXPECT_EQ(progress, 100);

    const QString men60 = QString::number(branchKey(kMen60));
    const QString men75 = QString::number(branchKey(kMen75));
    const QString women = QString::number(branchKey(kWomen52));
    // Places 1 to 3 from the bouts; the athlete who stayed away keeps his
    // third place and is marked; the disqualified one gets no place.
    const std::map<int, QString> expected{
        {101, "2||" + men60 + "|28.12.2010|"},
        {102, "3||" + men60 + "|28.12.2010|"},
        {103, "3|DİSKALİFİYE|" + men60 + "|28.12.2010|"},
        {104, "1||" + men60 + "|28.12.2010|"},
        {105, "|DİSKALİFİYE|" + men60 + "|28.12.2010|"},
        {106, "||" + men75 + "|28.12.2010|"},
        {107, "1||" + women + "|28.12.2010|"},
        {108, "3||" + women + "|28.12.2010|"},
        {109, "2||" + women + "|28.12.2010|"},
    };
    EXPECT_EQ(posted(), expected);
    EXPECT_EQ(db.scalar("select count(distinct Der_Key) from F_DER").toInt(), 9);
    const Record person = *db.first("select M1, User from C_MUSTERI where Musteri_Key = 104");
    EXPECT_EQ(person.date("M1"), kToday);
    EXPECT_EQ(person.str("User"), "ADMIN, 10.01.2011");
    // The places stay in the weigh-in rows.
    EXPECT_EQ(puan(), (std::map<int, int>{{11, 2}, {12, 3}, {13, 3}, {14, 1}, {15, 0}, {31, 0}, {21, 1}, {22, 3}, {23, 2}}));

    // A second run posts nothing and counts every row as not posted.
    ui().clear();
    postResults([](TAktar1S* s) {
        chooseActivity(s);
        answerQuestion(true);
        click(s->BitBtn3);
    });
    EXPECT_EQ(ui().texts(), QStringList{TAktar1S::postedText(0, 9)});
    EXPECT_EQ(db.scalar("select count(*) from F_DER").toInt(), 9);
}

TEST_F(ResultsScreenTest, AnAthleteWhoseNameNoLongerMatchesThePersonIsNotPosted)
{
    db.exec("update C_MUSTERI set Ad_Soyad = 'ÖMER IŞIKLI' where Musteri_Key = 102");
    db.exec("delete * from C_MUSTERI where Musteri_Key = 106");
    postResults([](TAktar1S* s) {
        chooseActivity(s);
        answerQuestion(true);
        click(s->BitBtn3);
    });
    EXPECT_EQ(ui().texts(), (QStringList{ResultsPosting::unknownAthleteText("ÖMER IŞIK"),
                                         ResultsPosting::unknownAthleteText("KEMAL SAY"),
                                         TAktar1S::postedText(7, 2)}));
    EXPECT_EQ(ResultsPosting::unknownAthleteText("ÖMER IŞIK"),
              "ÖMER IŞIK adlı sporcu sistemde kayıtlı değildir.\nTurnuvada kaydı yapılmış olan bu sporcunun sisteme "
              "girişini yapınız ve turnuva bilgilerini kendiniz giriniz ...!");
    EXPECT_EQ(posted().count(102), 0u);
    EXPECT_EQ(posted().size(), 7u);
}

TEST_F(ResultsScreenTest, RefusalsChangeNothing)
{
    // No activity chosen.
    postResults([](TAktar1S* s) { click(s->BitBtn3); });
    EXPECT_EQ(ui().texts(), QStringList{"Turnuvaya Katılan Sporcuların Sicil Kayıtlarına Turnuva Bilgileri "
                                        "İşlenecektir.\nLütfen Hangi Turnuvanın İşleneceğini Seçiniz ...!"});
    EXPECT_EQ(ui().requests.last().kind, UiRequest::Warning);

    // "Hayır".
    ui().clear();
    postResults([](TAktar1S* s) {
        chooseActivity(s);
        answerQuestion(false);
        click(s->BitBtn3);
    });
    EXPECT_TRUE(ui().texts().isEmpty());

    // Weight classes unknown to the system: each is named, nothing is posted.
    ui().clear();
    db.exec("delete * from C_BRANS where Durum_Key > 900");
    postResults([](TAktar1S* s) {
        chooseActivity(s);
        answerQuestion(true);
        click(s->BitBtn3);
    });
    EXPECT_EQ(ui().texts(), (QStringList{ResultsPosting::missingBranchText(kWomen52),
                                         ResultsPosting::missingBranchText(kMen60),
                                         ResultsPosting::missingBranchText(kMen75), ResultsPosting::kRetryBranches}));
    EXPECT_EQ(ResultsPosting::missingBranchText(kMen60),
              kMen60 + " branşı sistemde kayıtlı değildir.\nLütfen turnuvada kaydı yapılmış olan bu branşın sisteme "
                       "girişini yapınız ...!");
    EXPECT_TRUE(posted().empty());
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE where Puan <> 0").toInt(), 0);
}

TEST_F(ResultsScreenTest, AnErrorDuringPostingLeavesNothingPosted)
{
    db.exec("update C_LISTE set Puan = 9");
    // The database refuses the row of the seventh person.
    QSqlQuery q(db.connection());
    ASSERT_TRUE(q.exec("create trigger refuse before insert on F_DER when new.Musteri_Key = 107 "
                       "begin select raise(abort, 'KAYIT REDDEDİLDİ'); end"));
    postResults([](TAktar1S* s) {
        chooseActivity(s);
        answerQuestion(true);
        click(s->BitBtn3);
    });
    ASSERT_EQ(ui().count(), 1);
    EXPECT_EQ(ui().requests[0].kind, UiRequest::Error);
    EXPECT_TRUE(ui().texts()[0].contains("KAYIT REDDEDİLDİ")) << ui().texts()[0];
    EXPECT_TRUE(posted().empty());
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE where Puan <> 9").toInt(), 0);
    EXPECT_EQ(db.scalar("select count(*) from C_MUSTERI where M1 is not null").toInt(), 0);
    EXPECT_EQ(db.scalar("select count(*) from C_KURA where Derece1 is not null or Derece2 is not null").toInt(), 0);
    EXPECT_EQ(Counters::current(db, "Sayiu"), 0);
}

// ---------------------------------------------------------------------------
// Job 2: the points list.

TEST_F(ResultsScreenTest, PointsListGivesParticipationPlaceByeAndWinPoints)
{
    const QString pdf = dir.filePath("puan.pdf");
    run("PuanlamaListesi1", [&](TAktar1S* s) {
        chooseActivity(s);
        s->CheckBox1->setChecked(false);
        modals().expect("ReportPreview", [pdf](QDialog* d) {
            ui().answerFile(pdf);
            click(d->findChild<QWidget*>("SaveButton"));
            d->close();
        });
        click(s->BitBtn3);
        // The modal preview's return activates the screen again.
        EXPECT_EQ(s->Edit8->text(), "");
    });
    // The unfought third-place row asks nothing and stops no win points.
    EXPECT_FALSE(modals().seen().contains("TForm5"));
    EXPECT_EQ(puan(), (std::map<int, int>{{11, 1 + 6 + 3},
                                          {12, 1 + 4},
                                          {13, 1 + 4},
                                          {14, 1 + 10 + 3 + 3},
                                          {15, 0},
                                          {31, 1},
                                          {21, 1 + 10 + 2 + 3},
                                          {22, 1 + 4},
                                          {23, 1 + 6 + 3}}));
    EXPECT_EQ(Aktar1S->FWinPoints, 3);
    EXPECT_EQ(Aktar1S->FByePoints, 2);

    // The ranking of teams, every row of each section, numbered from 1.
    const ReportDocument& doc = *RapTakimList->ReportBody1.document();
    EXPECT_EQ(fixture::textsOf(doc, "QRDBText2"), (QStringList{"İZMİR", "ANKARA"}));
    EXPECT_EQ(fixture::textsOf(doc, "QRDBText1"), (QStringList{"32", "6"}));
    EXPECT_EQ(fixture::textsOf(doc, "QRDBText5"), (QStringList{"ŞANLIURFA", "İZMİR", "ÇORUM"}));
    EXPECT_EQ(fixture::textsOf(doc, "QRDBText8"), (QStringList{"İZMİR", "ŞANLIURFA", "ANKARA", "ÇORUM"}));
    EXPECT_EQ(fixture::textsOf(doc, "QRLabel6"), (QStringList{"1", "2", "3", "4"}));
    const QString text = fixture::pdfText(pdf);
    for (const char* line : {"ERKEK TAKIM PUANLAMASI", "BAYAN TAKIM PUANLAMASI", "GENEL KLASMAN"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("1\\s+42\\s+İZMİR\\s+A TAKIMI"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("4\\s+5\\s+ÇORUM\\s+D TAKIMI"))) << text.toStdString();
}

TEST_F(ResultsScreenTest, PointsListTitleOfALongActivityFitsItsLine)
{
    // No title typed: the activity picker's text is the title.
    db.exec("update C_TURNUVA set Adi = :a, Yer = :y where Turnuva_Key = :k",
            {{"a", QString::fromUtf8("TÜRKİYE KİCK BOKS FEDERASYONU BÜYÜKLER TÜRKİYE ŞAMPİYONASI")},
             {"y", QString::fromUtf8("ANKARA ATATÜRK SPOR SALONU")},
             {"k", kActivity}});
    const QString pdf = dir.filePath("puan.pdf");
    QString title;
    run("PuanlamaListesi1", [&](TAktar1S* s) {
        chooseActivity(s);
        title = s->Edit8->text();
        modals().expect("ReportPreview", [pdf](QDialog* d) {
            ui().answerFile(pdf);
            click(d->findChild<QWidget*>("SaveButton"));
            d->close();
        });
        click(s->BitBtn3);
    });
    ASSERT_GT(title.size(), 90);
    const ReportDocument& doc = *RapTakimList->ReportBody1.document();
    const std::vector<const ReportItem*> lines = doc.pages[0].findAll("QRLabel9");
    ASSERT_EQ(lines.size(), 1u) << "one line";
    const ReportItem* line = lines[0];
    EXPECT_EQ(line->text, title);
    EXPECT_TRUE(line->clip.isNull()) << "cut off";
    EXPECT_LE(ReportFonts::textWidth(line->font, line->text), line->rect.width());
    EXPECT_GE(line->font.pointSizeF(), 7);
    EXPECT_TRUE(fixture::pdfText(pdf).contains(title.trimmed())) << fixture::pdfText(pdf).toStdString();
}

TEST_F(ResultsScreenTest, PointsListWithTheFirstThreeShowsThreeTeamsPerSection)
{
    run("PuanlamaListesi1", [&](TAktar1S* s) {
        EXPECT_TRUE(s->CheckBox1->isChecked());
        modals().expect("ReportPreview", nullptr);
        click(s->BitBtn3);
    });
    const ReportDocument& doc = *RapTakimList->ReportBody1.document();
    EXPECT_EQ(fixture::textsOf(doc, "QRDBText8"), (QStringList{"İZMİR", "ŞANLIURFA", "ANKARA"}));
    EXPECT_EQ(fixture::textsOf(doc, "QRDBText5").size(), 3);
    EXPECT_EQ(RapTakimList->QRLabel9->caption, "");
}

TEST_F(ResultsScreenTest, AnUndecidedBoutAsksWhetherToGoOnWithoutWinPoints)
{
    db.exec("update C_KURA set Galip = '', Salon = '' where Kura_Key = 4");
    QString asked;
    run("PuanlamaListesi1", [&](TAktar1S* s) {
        answerQuestion(false, &asked);
        click(s->BitBtn3);
    });
    EXPECT_EQ(asked, "Kura Listelerinde Galip Gelen Tüm Sporcular Belirtilmemiştir. Galiplere Puan Verilmeyecek\n"
                     " ve Derece Puanlamaları Eksik Hesaplanacaktır. İşleme Devam Edilsinmi ...?");
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE where Puan <> 0").toInt(), 0) << "\"Hayır\" changes nothing";

    run("PuanlamaListesi1", [&](TAktar1S* s) {
        answerQuestion(true);
        modals().expect("ReportPreview", nullptr);
        click(s->BitBtn3);
    });
    // No win points; the undecided final gives no first and second place,
    // and every side of the semi-finals, the finalists included, gets the
    // third place's points.
    EXPECT_EQ(puan(), (std::map<int, int>{{11, 1 + 4},
                                          {12, 1 + 4},
                                          {13, 1 + 4},
                                          {14, 1 + 4},
                                          {15, 0},
                                          {31, 1},
                                          {21, 1 + 10 + 2},
                                          {22, 1 + 4},
                                          {23, 1 + 6}}));
}

// ---------------------------------------------------------------------------
// Job 3: the ranking list.

TEST_F(ResultsScreenTest, RankingListPrintsThePlacesUnderTheActivitysTitle)
{
    const QString pdf = dir.filePath("derece.pdf");
    run("DereceListesi1", [&](TAktar1S* s) {
        chooseActivity(s);
        s->CheckBox2->setChecked(true);
        modals().expect("ReportPreview", [pdf, s](QDialog* d) {
            EXPECT_FALSE(s->isEnabled()) << "the screen waits while the preview shows";
            EXPECT_EQ(s->FSkipActivate, 1);
            ui().answerFile(pdf);
            click(d->findChild<QWidget*>("SaveButton"));
            d->close();
        });
        click(s->BitBtn3);
        EXPECT_TRUE(s->isEnabled());
        EXPECT_EQ(s->FSkipActivate, 0);
        EXPECT_EQ(s->FPreviewReport, PrintMenu1E);
        EXPECT_EQ(s->FFullRanking, 1);
        // The screen keeps its choice after the preview.
        EXPECT_FALSE(s->Edit8->text().isEmpty());
    });
    // The full ranking stays in the weigh-in rows; the athlete disqualified
    // at the weigh-in is fifth with everybody else without a medal in a
    // category of at most eight weigh-in rows.
    EXPECT_EQ(puan(), (std::map<int, int>{{11, 2}, {12, 4}, {13, 3}, {14, 1}, {15, 5}, {31, 5}, {21, 1}, {22, 3}, {23, 2}}));

    const ReportDocument& doc = *PrintMenu1E->ReportBody1.document();
    EXPECT_EQ(doc.pages[0].bandTexts("PageHeaderBand1"),
              (QStringList{"TÜRKİYE ŞAMPİYONASI", "28 ARALIK 2010  - 02 OCAK 2011  ANKARA", "MÜSABAKA SONUÇLARI"}));
    // "İlk 3'ü göster": places 1 to 4, the fourth printed as a third; the
    // class whose one athlete is fifth is left out.
    EXPECT_EQ(fixture::textsOf(doc, "QRLabel10"), (QStringList{kMen60, kWomen52}));
    EXPECT_EQ(fixture::textsOf(doc, "QRDBText1"),
              (QStringList{"MEHMET ÖZ", "ŞÜKRÜ ÇAĞLAR", "AHMET DOĞAN", "ÖMER IŞIK", "AYŞE ÖZTÜRK", "ZEYNEP KARA",
                           "GÜLŞEN İNCE"}));
    EXPECT_EQ(fixture::textsOf(doc, "QRLabel6"), (QStringList{"1", "2", "3", "3", "1", "2", "3"}));
    EXPECT_EQ(fixture::textsOf(doc, "QRDBText3").size(), 7) << "the club column";
    const QString text = fixture::pdfText(pdf);
    EXPECT_TRUE(text.contains("28 ARALIK 2010 - 02 OCAK 2011 ANKARA") ||
                text.contains("28 ARALIK 2010  - 02 OCAK 2011  ANKARA"))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("1\\s+MEHMET ÖZ\\s+İZMİR\\s+İZMİR SK"))) << text.toStdString();
}

TEST_F(ResultsScreenTest, RankingListWithoutAnyPlaceSaysSo)
{
    db.exec("delete * from C_KURA");
    db.exec("update C_LISTE set Onay = 0");
    run("DereceListesi1", [](TAktar1S* s) { click(s->BitBtn3); });
    EXPECT_EQ(ui().texts(), QStringList{"Listelerde Herhangi bir Sporcu Bulunmamaktadır ...!"});
    EXPECT_EQ(PrintMenu1E->QRLabel9->caption, "") << "no activity, no title";
}

// ---------------------------------------------------------------------------
// Job 4: duties of the persons selected in the registry.

TEST_F(ResultsScreenTest, DutiesArePostedOncePerPerson)
{
    auto open = [this](std::function<void(TAktar1S*)> work) {
        Aktar1S->setWindowTitle("Lütfen Turnuva Seçiniz");
        Aktar1S->Label15->setText("Turnuva");
        Aktar1S->FRankingMode = 4;
        Aktar1S->CheckBox1->hide();
        Aktar1S->CheckBox2->hide();
        Aktar1S->FDutyText = "HAKEM OLARAK GÖREV YAPMIŞTIR.";
        Aktar1S->FSelectedKeys = "101,103,999";
        modals().expect("TAktar1S", [work](QDialog*) {
            work(Aktar1S);
            click(Aktar1S->BitBtn1);
        });
        Aktar1S->showModal();
    };
    open([](TAktar1S* s) { click(s->BitBtn3); });
    EXPECT_EQ(ui().texts(), QStringList{"Seçilen Kişilerin Sicil Kayıtlarına Turnuva Bilgisi İşlenecektir.\n"
                                        "Lütfen Hangi Turnuvanın İşleneceğini Seçiniz ...!"});
    ui().clear();

    QString asked;
    open([&](TAktar1S* s) {
        chooseActivity(s);
        answerQuestion(true, &asked);
        click(s->BitBtn3);
    });
    EXPECT_EQ(asked, "Seçilen Kişilerin Sicil Kayıtlarına Turnuva Bilgisi İşlenecektir.\n"
                     "İşlemi Geri Alma İmkanı Bulunmamaktadır. Devam Etmek İstediğinizden Eminmisiniz ...!");
    EXPECT_EQ(ui().texts(), QStringList{"Sicil Kayıtlarına Turnuva Bilgileri İşlenen Sayısı : 2\n"
                                        "Sicil Kayıtlarına Turnuva Bilgileri İşlenemeyen Sayısı : 0"});
    EXPECT_EQ(posted(), (std::map<int, QString>{{101, "||1|28.12.2010|HAKEM OLARAK GÖREV YAPMIŞTIR."},
                                                {103, "||1|28.12.2010|HAKEM OLARAK GÖREV YAPMIŞTIR."}}));
    EXPECT_EQ(db.first("select User from C_MUSTERI where Musteri_Key = 103")->str("User"), "ADMIN, 10.01.2011");

    ui().clear();
    open([](TAktar1S* s) {
        chooseActivity(s);
        answerQuestion(true);
        click(s->BitBtn3);
    });
    EXPECT_EQ(ui().texts(), QStringList{TAktar1S::dutiesText(0, 2)});
    EXPECT_EQ(posted().size(), 2u);
}

} // namespace

namespace {

TEST_F(ResultsScreenTest, EnterRunsNoJob)
{
    run("DereceListesi1", [](TAktar1S* s) {
        chooseActivity(s);
        s->DBLookupComboBox1->setFocus();
        QTest::keyClick(s->DBLookupComboBox1, Qt::Key_Return);
        QTest::keyClick(s->CheckBox1, Qt::Key_Return);
    });
    EXPECT_EQ(modals().seen(), QStringList{"TAktar1S"});
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE where Puan <> 0").toInt(), 0);
}

TEST_F(ResultsScreenTest, EveryControlShowsWhole)
{
    run("DereceListesi1", [](TAktar1S* s) {
        chooseActivity(s);
        QList<QWidget*> shown;
        for (QWidget* w : s->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (w->isVisible())
                shown << w;
        EXPECT_EQ(shown.size(), 8);
        for (QWidget* w : shown) {
            EXPECT_TRUE(s->rect().contains(w->geometry())) << w->objectName().toStdString();
            // Captions are not cut.
            if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
                EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
            }
            for (QWidget* other : shown)
                if (other != w) {
                    EXPECT_FALSE(w->geometry().intersects(other->geometry()))
                        << w->objectName().toStdString() << " " << other->objectName().toStdString();
                }
        }
        saveScreenshot(s, "BRIVEX_RESULTS_SCREENSHOT", s->size());
    });
}

} // namespace
