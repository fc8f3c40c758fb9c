// Every command of the match screen reached from the main window through
// visible, enabled widgets only, as an operator reaches it: at an office
// station the whole screen (draw options and the draw, "Kura Sil", the
// charts and lists of the tool bar's "Raporlar", the weigh-in lists, bout
// entry and edit, the popups, the score sheets), at a scoring station what
// its configuration leaves (bout entry, the score sheets, the bout popup,
// the scoreboard) and nothing more.
#include "ReachFixture.h"

#include "app/kit/DbConventions.h"
#include "competition/KuraKayit.h"
#include "competition/KurSec.h"
#include "scoring/RingDag.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QRadioButton>

#include <map>

namespace MatchScreenReach {

// The weight classes of the day, one per size of bracket.
struct WeightClass {
    QString name;
    int entrants;
};
const QList<WeightClass> kClasses = {{"54 KİLO ERKEK BÜYÜKLER", 3},
                                     {"60 KİLO ERKEK BÜYÜKLER", 8},
                                     {"67 KİLO ERKEK GENÇLER", 17},
                                     {"75 KİLO ERKEK YILDIZLAR", 33}};

// Long names and clubs, as a federation's lists have them; no name is part
// of another.
const QStringList kFirstNames = {"MUHAMMED EMİN", "ABDURRAHMAN", "SELAHATTİN", "MUSTAFA KEMAL", "HÜSEYİN CAHİT",
                                 "ALİ OSMAN", "İBRAHİM HALİL", "FATİH SULTAN", "ŞEVKET TURGUT", "ÇAĞATAY UĞUR",
                                 "ÖMER FARUK"};
const QStringList kSurnames = {"KARAOSMANOĞLU", "ÇAKIRBEYLİOĞLU", "DEMİRKIRANOĞLU"};
struct Club {
    QString name;
    QString region;
};
const QList<Club> kClubs = {{"KONYA GENÇLİK SPOR KULÜBÜ", "KONYA"},
                            {"İSTANBUL BÜYÜKŞEHİR BELEDİYESİ SPOR", "İSTANBUL"},
                            {"ANKARA ASPAVA GÜCÜ SPOR KULÜBÜ", "ANKARA"},
                            {"İZMİR KARŞIYAKA DÖVÜŞ SPORLARI", "İZMİR"},
                            {"BURSA NİLÜFER GENÇLİK KULÜBÜ", "BURSA"}};

QString athleteName(int i)
{
    return kFirstNames[i % kFirstNames.size()] + " " + kSurnames[i / kFirstNames.size()];
}

const QString kSpecialCode = QStringLiteral("4321");
const QString kActivity = QStringLiteral("TÜRKİYE KICK BOKS ŞAMPİYONASI");

class OfficeMatchScreen : public ReachTest {
protected:
    OfficeMatchScreen() : ReachTest(StationKind::Office) {}

    void SetUp() override
    {
        ReachTest::SetUp();
        Transaction tx(db);
        for (const WeightClass& c : kClasses) {
            db.insert("C_BRANS", {{"Durum_Key", Counters::next(db, "Sayi")}, {"Durum", c.name}, {"E_B", "E"}});
            for (int i = 0; i < c.entrants; ++i) {
                const Club& club = kClubs[i % kClubs.size()];
                const int key = Counters::next(db, "sayi1");
                db.insert("C_LISTE", {{"Liste_Key", key}, {"Brans", c.name}, {"Onay", 1}, {"Ad", athleteName(i)},
                                      {"Sira", Counters::next(db, "sayi3")}, {"Musteri_Key", 1000 + key},
                                      {"Bolge", club.region}, {"Klup", club.name}, {"Takim", club.name},
                                      {"Cinsiyet", kMen}, {"TartilanKilo", 50.0}, {"Puan", 1}});
            }
        }
        db.insert("C_TURNUVA", {{"Turnuva_Key", 7}, {"Adi", kActivity}, {"Yer", "ANKARA"},
                                {"Tarih1", QDate(2026, 3, 5)}, {"Tarih2", QDate(2026, 3, 7)}});
        db.exec("update C_SAYI set OzelKod = :c", {{"c", kSpecialCode}});
        tx.commit();
        ASSERT_NO_FATAL_FAILURE(signInThroughTheWindow("ADMIN", "1234"));
    }

    QString weighInPdf, allWeighInPdf;
    std::map<QString, QString> lists;
    QString finalWinner;

    // The draw-sheet title dialog of the charts: the title typed (where it
    // can be), the activity chosen, the clubs printed, "Tamam".
    static void expectChartTitle(const QString& title)
    {
        modals().expect("TBaslik3", [title](QDialog*) {
            // The activity first: picking it writes its text into the title.
            QComboBox* activities = Baslik3->DBLookupComboBox1;
            const QString activity = activities->itemText(activities->findText(kActivity, Qt::MatchContains));
            ASSERT_TRUE(Reach::choose(activities, activity));
            if (!title.isEmpty()) {
                Baslik3->Edit8->clear();
                ASSERT_TRUE(Reach::type(Baslik3->Edit8, title));
            }
            if (!Baslik3->CheckBox2->isChecked()) {
                ASSERT_TRUE(Reach::press(Baslik3->CheckBox2));
            }
            EXPECT_TRUE(Baslik3->CheckBox2->isChecked()) << "the clubs printed";
            ASSERT_TRUE(Reach::press(Baslik3->BitBtn4));
        });
    }

    int boutCount(const QString& weightClass)
    {
        return db.scalar("select count(*) from C_KURA where Brans = :b", {{"b", weightClass}}).toInt();
    }

    // The draw options of "Kura Çek": the choice clicked, the men's time and
    // the rounds typed, "Devam".
    void expectDrawOptions(QRadioButton* choice, const QString& category = QString())
    {
        modals().expect("TKur_Sec", [choice, category](QDialog*) {
            ASSERT_TRUE(Reach::press(choice));
            if (!category.isEmpty()) {
                ASSERT_TRUE(Reach::choose(Kur_Sec->DBLookupComboBox5, category));
            }
            Kur_Sec->Edit1->selectAll();
            ASSERT_TRUE(Reach::type(Kur_Sec->Edit1, "0230"));
            Kur_Sec->Edit5->selectAll();
            ASSERT_TRUE(Reach::type(Kur_Sec->Edit5, "3"));
            ASSERT_TRUE(Reach::press(Kur_Sec->BitBtn4));
        });
    }
};

TEST_F(OfficeMatchScreen, EveryCommandIsReachedThroughTheWindows)
{
    // --- The draw ---------------------------------------------------------
    onMatchScreen([&] {
        // The whole screen: the draw panel, its toggle, the list area, the
        // draw, "Kura Sil", the charts' drop-down, bout entry, the score
        // sheets and "Kapat".
        for (QWidget* w : std::initializer_list<QWidget*>{
                 KuraList->Panel2, KuraList->ToolButton3, KuraList->GroupBox1, KuraList->BitBtn7,
                 KuraList->BitBtn3, KuraList->BitBtn6, KuraList->BitBtn2, KuraList->ToolButton2,
                 KuraList->BitBtn11, KuraList->BitBtn12, KuraList->BitBtn4})
            EXPECT_TRUE(Reach::usable(w));
        EXPECT_GE(KuraList->ToolButton2->width(), KuraList->ToolButton2->sizeHint().width())
            << "the chart button shows its caption whole";
        EXPECT_EQ(Reach::visibleItems(KuraList->PopupMenu1),
                  (QStringList{"Kura Çizelgesi", "Kura Çizelgesi (Yatay)", "Röpresaj Çizelgesi", "Kura Listesi",
                               "Kura Listeleri (Tamamı)", "Ringlere Dağılım Listesi", "Müsabaka Sonuç Listeleri"}));
        saveScreenshot(KuraList, "BRIVEX_OFFICE_MATCH_SCREENSHOT", KuraList->size());

        // "Kura Çek" for the class chosen on the draw panel.
        ASSERT_TRUE(Reach::choose(KuraList->DBLookupComboBox2, kClasses[0].name));
        expectDrawOptions(Kur_Sec->RadioButton1);
        ui().clear();
        ASSERT_TRUE(Reach::press(KuraList->BitBtn7));
        EXPECT_EQ(KuraList->FMatchTimeMen, "00:02:30") << "the draw options' time";
        EXPECT_GT(boutCount(kClasses[0].name), 0);
        EXPECT_EQ(KuraList->Edit1->text(), kClasses[0].name) << "the drawn class is listed";
        EXPECT_TRUE(ui().texts().join('|').contains(kClasses[0].name + " BRANŞINDA KURA ÇEKİMİ YAPILDI"))
            << ui().texts().join(" | ");

        // Every class of one category.
        expectDrawOptions(Kur_Sec->RadioButton3, "GENÇLER");
        answerNext(true);
        ASSERT_TRUE(Reach::press(KuraList->BitBtn7));
        EXPECT_GT(boutCount(kClasses[2].name), 0);
        EXPECT_EQ(boutCount(kClasses[1].name), 0) << "another category";

        // Every class: the two left are drawn, the drawn ones are refused.
        expectDrawOptions(Kur_Sec->RadioButton2);
        answerNext(true);
        ui().clear();
        ASSERT_TRUE(Reach::press(KuraList->BitBtn7));
        for (const WeightClass& c : kClasses)
            EXPECT_GT(boutCount(c.name), 0) << c.name;
        EXPECT_TRUE(ui().texts().join('|').contains(kClasses[0].name + " BRANŞINDA KURA ÇEKİMİ YAPILMIŞTIR"))
            << ui().texts().join(" | ");
        EXPECT_EQ(questions, (QStringList{"GENÇLER KURALARI Çekilecektir. Eminmisiniz ...?",
                                          "Tüm Müsabakaların KURALARI Çekilecektir. Eminmisiniz ...?"}));

        // "Kura Sil" on the listed class, and the class drawn again.
        ASSERT_TRUE(Reach::choose(KuraList->DBLookupComboBox1, kClasses[0].name));
        givePassword("1234");
        answerNext(true);
        ui().clear();
        ASSERT_TRUE(Reach::press(KuraList->BitBtn6));
        EXPECT_EQ(boutCount(kClasses[0].name), 0);
        EXPECT_EQ(ui().texts(), QStringList{kClasses[0].name + " BRANŞINDA KURA LİSTESİ SİLİNDİ ...!"});
        expectDrawOptions(Kur_Sec->RadioButton1);
        ASSERT_TRUE(Reach::press(KuraList->BitBtn7));
        EXPECT_GT(boutCount(kClasses[0].name), 0);

        // The toggle hides and shows the draw panel.
        ASSERT_TRUE(Reach::press(KuraList->ToolButton3));
        EXPECT_TRUE(Reach::unreachable(KuraList->BitBtn7));
        ASSERT_TRUE(Reach::press(KuraList->ToolButton3));
        EXPECT_TRUE(Reach::usable(KuraList->BitBtn7));

        // The weigh-in lists of the draw panel: "Raporlar" and the grid's
        // pop-up.
        expectListTitle("TARTI LİSTESİ");
        weighInPdf = expectPdf("tarti");
        ASSERT_TRUE(Reach::press(KuraList->BitBtn3));
        expectListTitle("TÜM TARTI LİSTELERİ");
        allWeighInPdf = expectPdf("tarti-tamami");
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid2, 0, "Ad", "Tartı Listeleri (TAMAMI)"));
        ASSERT_TRUE(Reach::press(KuraList->BitBtn4));
    });
    const QString weighIn = pdfText(weighInPdf);
    EXPECT_TRUE(weighIn.contains("TARTI LİSTESİ")) << weighIn;
    EXPECT_EQ(missing(weighIn, {athleteName(0), athleteName(1), athleteName(2)}), QStringList()) << weighIn;
    const QString allWeighIn = pdfText(allWeighInPdf);
    EXPECT_TRUE(allWeighIn.contains(kClasses[3].name)) << allWeighIn;

    // --- The ring plan of the day: every class over two rings --------------
    modals().expect("TRingDag", [this](QDialog*) {
        ASSERT_TRUE(Reach::pickDate(RingDag->DateTimePicker1, kCompetitionDay));
        ASSERT_TRUE(Reach::choose(RingDag->ComboBox1, "2"));
        ASSERT_TRUE(Reach::clickCell(RingDag->DBGrid1, 0, "Brans"));
        for (int row = 1; row < RingDag->DBGrid1->rowCount(); ++row)
            ASSERT_TRUE(Reach::clickCell(RingDag->DBGrid1, row, "Brans", Qt::ControlModifier));
        answerNext(true);
        ASSERT_TRUE(Reach::press(RingDag->BitBtn1));
        ASSERT_TRUE(Reach::press(RingDag->BitBtn2));
    });
    ASSERT_TRUE(Reach::menu(Main->MainMenu1, " KURA ", "  Maçların Ringlere Dağıtılması"));
    for (const WeightClass& c : kClasses)
        EXPECT_GT(db.scalar("select count(*) from C_KURA where Brans = :b and Skor <> ''", {{"b", c.name}}).toInt(), 0)
            << c.name << ": its bouts have their numbers";

    // --- Bouts decided on the scoreboard, charts and lists ---------------------
    onMatchScreen([&] {
        // Every bout of the eight, each opened from the bout list (a double
        // click, or the bout popup's "Scoreboad Aç") and decided there.
        const WeightClass& eight = kClasses[1];
        ASSERT_TRUE(Reach::choose(KuraList->DBLookupComboBox1, eight.name));
        int decided = 0;
        for (int row = openBout(KuraList->DBGrid1); row >= 0 && decided < 12; row = openBout(KuraList->DBGrid1)) {
            acceptBoutSettings();
            if (decided % 2 == 0)
                ASSERT_TRUE(Reach::doubleClickCell(KuraList->DBGrid1, row, "Ad1"));
            else
                ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, row, "Tur_Mac", "Scoreboad Aç"));
            ASSERT_NO_FATAL_FAILURE(decideForBlue());
            ++decided;
        }
        EXPECT_EQ(decided, 7) << "the seven bouts of the bracket";
        const auto final = db.first("select * from C_KURA where Brans = :b and Tur = 'FİNAL'", {{"b", eight.name}});
        ASSERT_TRUE(final.has_value());
        EXPECT_FALSE(final->str("Salon").isEmpty()) << "the final has its winner";
        finalWinner = final->str("Salon");

        // The three charts of every class, from the tool bar's "Raporlar".
        for (const WeightClass& c : kClasses) {
            ASSERT_TRUE(Reach::choose(KuraList->DBLookupComboBox1, c.name));
            const QString tag = QString::number(c.entrants);
            expectChartTitle("KURA ÇİZELGESİ " + tag);
            expectPdf("portrait-" + tag);
            ASSERT_TRUE(Reach::dropDown(KuraList->ToolButton2, "Kura Çizelgesi"));
            expectChartTitle(QString());
            expectPdf("landscape-" + tag);
            ASSERT_TRUE(Reach::dropDown(KuraList->ToolButton2, "Kura Çizelgesi (Yatay)"));
            expectChartTitle("RÖPRESAJ " + tag);
            expectPdf("repechage-" + tag);
            ASSERT_TRUE(Reach::dropDown(KuraList->ToolButton2, "Röpresaj Çizelgesi"));
        }
        // The chart button beside "Kura Sil" prints the portrait chart too.
        expectChartTitle("KURA ÇİZELGESİ DÜĞME");
        const QString buttonChart = expectPdf("portrait-button");
        ASSERT_TRUE(Reach::press(KuraList->BitBtn2));
        EXPECT_TRUE(pdfText(buttonChart).contains("KURA ÇİZELGESİ DÜĞME"));

        // The lists of the drop-down.
        expectListTitle("KURA LİSTESİ");
        lists["bout list"] = expectPdf("kura-listesi");
        ASSERT_TRUE(Reach::dropDown(KuraList->ToolButton2, "Kura Listesi"));
        expectListTitle("TÜM KURA LİSTELERİ");
        lists["all bout lists"] = expectPdf("kura-listeleri");
        ASSERT_TRUE(Reach::dropDown(KuraList->ToolButton2, "Kura Listeleri (Tamamı)"));
        expectRingListTitle("RİNG LİSTELERİ");
        lists["ring lists"] = expectPdf("ring-listeleri");
        ASSERT_TRUE(Reach::dropDown(KuraList->ToolButton2, "Ringlere Dağılım Listesi"));
        expectListTitle("SONUÇ LİSTELERİ");
        lists["score sheets"] = expectPdf("sonuc-listeleri");
        ASSERT_TRUE(Reach::dropDown(KuraList->ToolButton2, "Müsabaka Sonuç Listeleri"));
        // "Raporlar" under the bout list: the score sheets of the class.
        expectListTitle("SONUÇ RAPORU");
        lists["score sheets button"] = expectPdf("sonuc-raporu");
        ASSERT_TRUE(Reach::press(KuraList->BitBtn12));

        // The bout popup on the eight's decided final: its score sheet, bout
        // edit, the score reset.
        ASSERT_TRUE(Reach::choose(KuraList->DBLookupComboBox1, eight.name));
        const int decidedRow = rowOf(KuraList->DBGrid1, final->toInt("Kura_Key"));
        ASSERT_GE(decidedRow, 0);
        expectListTitle("FİNAL");
        lists["one score sheet"] = expectPdf("final");
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, decidedRow, "Tur_Mac", "Rapor"));
        modals().expect("TKura_Kayit", [&](QDialog*) {
            EXPECT_EQ(Kura_Kayit->FBoutKey, final->toInt("Kura_Key"));
            ASSERT_TRUE(Reach::press(Kura_Kayit->BitBtn2));
        });
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, decidedRow, "Tur_Mac", "Düzelt"));
        // "Sıfırla" asks and resets the final's scores.
        answerNext(false);
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, decidedRow, "Tur_Mac", "Sıfırla"));
        EXPECT_EQ(questions.last(), "Müsabaka Puanları Sıfırlanacaktır. Eminmisiniz...?");

        // The 33: attendance, the exchange under the special code, one bout
        // deleted.
        const WeightClass& big = kClasses[3];
        ASSERT_TRUE(Reach::choose(KuraList->DBLookupComboBox1, big.name));
        const int first = openBout(KuraList->DBGrid1, 0, true);
        ASSERT_GE(first, 0);
        const int firstKey = KuraList->DBGrid1->record(first).toInt("Kura_Key");
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, first, "Ad1", "Müs. KATILMADI"));
        EXPECT_EQ(db.scalar("select Dis1 from C_KURA where Kura_Key = :k", {{"k", firstKey}}).toInt(), 1);
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, rowOf(KuraList->DBGrid1, firstKey), "Ad1",
                                     "KATILDI"));
        EXPECT_NE(db.scalar("select Dis1 from C_KURA where Kura_Key = :k", {{"k", firstKey}}).toInt(), 1);

        // The exchange, with the special code typed: the two athletes of the
        // one bout the draw seated them both in change sides.
        ASSERT_TRUE(Reach::type(KuraList->Edit5, kSpecialCode));
        const QString blue = KuraList->DBGrid1->record(first).str("Ad1");
        const QString red = KuraList->DBGrid1->record(first).str("Ad2");
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, first, "Ad1", "Seç"));
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, rowOf(KuraList->DBGrid1, firstKey), "Ad2", "Değiştir"));
        const Record swapped = *db.first("select * from C_KURA where Kura_Key = :k", {{"k", firstKey}});
        EXPECT_EQ(swapped.str("Ad1"), red);
        EXPECT_EQ(swapped.str("Ad2"), blue);
        KuraList->Edit5->clear();

        // "Sil" of the bout popup deletes the bout after its question.
        const int bouts = boutCount(big.name);
        answerNext(true);
        ui().clear();
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, rowOf(KuraList->DBGrid1, firstKey), "Tur_Mac", "Sil"));
        EXPECT_EQ(boutCount(big.name), bouts - 1);
        EXPECT_EQ(ui().texts(), QStringList{"Müsabaka Silindi ...!"});

        // "Sporcu Kayıt": the bout entry dialog, closed unsaved.
        modals().expect("TKura_Kayit", [](QDialog*) {
            EXPECT_EQ(Kura_Kayit->FBoutKey, 0);
            ASSERT_TRUE(Reach::press(Kura_Kayit->BitBtn2));
        });
        ASSERT_TRUE(Reach::press(KuraList->BitBtn11));

        // The list area by rings: a ring's bouts, and the chart button prints
        // the ring list.
        ASSERT_TRUE(Reach::press(KuraList->RadioButton2));
        ASSERT_GT(KuraList->DBLookupComboBox3->count(), 0);
        ASSERT_TRUE(Reach::choose(KuraList->DBLookupComboBox3, KuraList->DBLookupComboBox3->itemText(0)));
        EXPECT_GT(KuraList->DBGrid1->rowCount(), 0);
        EXPECT_TRUE(Reach::unreachable(KuraList->BitBtn7)) << "no draw from a ring's list";
        expectRingListTitle("RİNG LİSTESİ");
        lists["ring list button"] = expectPdf("ring-listesi");
        ASSERT_TRUE(Reach::press(KuraList->BitBtn2));
        ASSERT_TRUE(Reach::press(KuraList->RadioButton1));
        EXPECT_TRUE(Reach::usable(KuraList->BitBtn7));

        ASSERT_TRUE(Reach::press(KuraList->BitBtn4));
    });
    EXPECT_EQ(Skor->FBoutOpen, 0);

    // --- What the PDFs say ----------------------------------------------------
    for (const WeightClass& c : kClasses) {
        SCOPED_TRACE(c.name.toStdString());
        const QString tag = QString::number(c.entrants);
        QStringList names, clubs, numbers;
        for (int i = 0; i < c.entrants; ++i) {
            names << athleteName(i);
            clubs << kClubs[i % kClubs.size()].name;
        }
        clubs.removeDuplicates();
        QString finalNumber;
        for (const Record& r : db.select("select Skor, Tur from C_KURA where Brans = :b and Skor <> '' order by "
                                         "Kura_Key",
                                         {{"b", c.name}})) {
            numbers << r.str("Skor");
            if (r.str("Tur") == "FİNAL")
                finalNumber = r.str("Skor");
        }
        ASSERT_FALSE(numbers.isEmpty());

        const QString portrait = pdfText(pdfDir.filePath("portrait-" + tag + ".pdf"));
        EXPECT_TRUE(portrait.contains("KURA ÇİZELGESİ " + tag)) << portrait;
        EXPECT_EQ(missing(portrait, names), QStringList()) << portrait;
        EXPECT_EQ(missing(portrait, clubs), QStringList()) << portrait;
        EXPECT_EQ(missing(portrait, numbers), QStringList()) << portrait;

        // The landscape chart's title comes from the activity; its final is
        // drawn in the middle.
        const QString landscape = pdfText(pdfDir.filePath("landscape-" + tag + ".pdf"));
        EXPECT_TRUE(landscape.contains(kActivity)) << landscape;
        EXPECT_EQ(missing(landscape, names), QStringList()) << landscape;
        EXPECT_EQ(missing(landscape, clubs), QStringList()) << landscape;
        EXPECT_EQ(missing(landscape, numbers), QStringList()) << landscape;
        EXPECT_TRUE(landscape.contains(finalNumber)) << finalNumber;

        // Every text prints whole (pdftotext reads a clipped text whole, so
        // the laid-out boxes are measured).
        for (const char* kind : {"portrait-", "landscape-"})
            EXPECT_EQ(clippedTexts(printed[kind + tag]), QStringList()) << kind;

        // The repechage ladders are the third-place bouts', which nothing
        // seats: the chart has its titles.
        const QString repechage = pdfText(pdfDir.filePath("repechage-" + tag + ".pdf"));
        EXPECT_TRUE(repechage.contains(kActivity)) << repechage;
        EXPECT_TRUE(repechage.contains(c.name + " RÖPRESAJ LİSTESİ")) << repechage;
    }
    // The eight's winner on his way to the final and as its winner (a
    // winner's name in a narrow column may take two lines).
    EXPECT_GE(pdfText(pdfDir.filePath("portrait-8.pdf")).simplified().count(finalWinner), 4) << finalWinner;

    const QString boutList = pdfText(lists["bout list"]);
    EXPECT_TRUE(boutList.contains("KURA LİSTESİ")) << boutList;
    EXPECT_TRUE(boutList.contains(kClasses[3].name + " KURA LİSTESİ")) << boutList;
    const QString allBoutLists = pdfText(lists["all bout lists"]);
    EXPECT_TRUE(allBoutLists.contains("TÜM KURA LİSTELERİ")) << allBoutLists;
    for (const WeightClass& c : kClasses)
        EXPECT_TRUE(allBoutLists.contains(c.name + " KURA LİSTESİ")) << c.name;
    for (const char* ringLists : {"ring lists", "ring list button"}) {
        const QString text = pdfText(lists[ringLists]);
        EXPECT_TRUE(text.contains("06.03.2026 / RİNG-1 MÜSABAKA LİSTESİ")) << ringLists << "\n" << text;
    }
    EXPECT_TRUE(pdfText(lists["ring lists"]).contains("06.03.2026 / RİNG-2 MÜSABAKA LİSTESİ"));
    for (const auto& [sheets, title] : {std::pair{"score sheets", "SONUÇ LİSTELERİ"},
                                        std::pair{"score sheets button", "SONUÇ RAPORU"}}) {
        const QString text = pdfText(lists[sheets]);
        EXPECT_TRUE(text.contains(QString::fromUtf8(title))) << text;
        EXPECT_TRUE(text.contains(kClasses[3].name)) << text;
    }
    const QString finalSheet = pdfText(lists["one score sheet"]);
    EXPECT_TRUE(finalSheet.contains(finalWinner)) << finalSheet;
    EXPECT_TRUE(finalSheet.contains(kClasses[1].name)) << finalSheet;
}

// --- The scoring station ---------------------------------------------------

class ScoringMatchScreen : public ReachTest {
protected:
    ScoringMatchScreen() : ReachTest(StationKind::Scoring) {}

    void SetUp() override
    {
        ReachTest::SetUp();
        // The bouts of a class as the office drew and planned them, with
        // their keys counted.
        for (int key = 1; key <= 4; ++key)
            Counters::next(db, "sayi2");
        db.insert("C_BRANS", {{"Durum_Key", Counters::next(db, "Sayi")}, {"Durum", kBranch}, {"E_B", "E"}});
        insertBout(db, 1, {"AHMET YILMAZ", 11, "ANKARA", "ANKARA SPOR"}, {"BEKİR KAYA", 12, "İZMİR", "İZMİR SPOR"},
                   "YARI FİNAL", "1", kBranch, {{"Skor", "1001"}, {"Tar_Saat", "09.12.2024 / RİNG-1"}});
        insertBout(db, 2, {"CEM DEMİR", 13, "BURSA", "BURSA SPOR"}, {"DAVUT ŞAHİN", 14, "KONYA", "KONYA SPOR"},
                   "YARI FİNAL", "2", kBranch, {{"Skor", "1002"}, {"Tar_Saat", "09.12.2024 / RİNG-1"}});
        insertBout(db, 3, {"-", {}}, {"-", {}}, "3.'LÜK MAÇI", "1", kBranch);
        insertBout(db, 4, {"YARI FİNAL 1.MAÇ", {}, "", ""}, {"YARI FİNAL 2.MAÇ", {}, "", ""}, "FİNAL", "1", kBranch,
                   {{"Skor", "1003"}, {"Tar_Saat", "09.12.2024 / RİNG-1"}});
    }
};

// A new bout entered by hand: the weight, the category and the two
// athletes typed and picked, "Kaydet".
void enterBout(const QString& blue, const QString& red)
{
    modals().expect("TKura_Kayit", [blue, red](QDialog*) {
        ASSERT_TRUE(Reach::type(Kura_Kayit->Edit9, "57"));
        ASSERT_TRUE(Reach::choose(Kura_Kayit->ComboBox4, "ERKEK"));
        ASSERT_TRUE(Reach::choose(Kura_Kayit->DBLookupComboBox5, "GENÇLER"));
        ASSERT_TRUE(Reach::type(Kura_Kayit->Edit3, blue));
        ASSERT_TRUE(Reach::choose(Kura_Kayit->DBLookupComboBox1, "ANKARA"));
        ASSERT_TRUE(Reach::type(Kura_Kayit->Edit5, red));
        ASSERT_TRUE(Reach::choose(Kura_Kayit->DBLookupComboBox2, "İZMİR"));
        ASSERT_TRUE(Reach::press(Kura_Kayit->BitBtn1));
    });
}

TEST_F(ScoringMatchScreen, WhatItsConfigurationLeavesIsReachedAndNothingMore)
{
    ASSERT_NO_FATAL_FAILURE(signInThroughTheWindow("ADMIN", "1234"));
    EXPECT_TRUE(Reach::unreachable(Main->MainMenu1)) << "no menus";
    onMatchScreen([&] {
        // Neither draw nor charts: no draw panel, no toggle, no list area,
        // no "Kura Sil", no chart button, no chart drop-down.
        for (QWidget* w : std::initializer_list<QWidget*>{
                 KuraList->Panel2, KuraList->BitBtn7, KuraList->BitBtn3, KuraList->ToolButton3, KuraList->GroupBox1,
                 KuraList->BitBtn6, KuraList->BitBtn2, KuraList->ToolButton2, KuraList->BitBtn4})
            EXPECT_TRUE(Reach::unreachable(w));
        for (QWidget* w : std::initializer_list<QWidget*>{KuraList->DBLookupComboBox1, KuraList->BitBtn11,
                                                         KuraList->BitBtn12, KuraList->BitBtn14})
            EXPECT_TRUE(Reach::usable(w));
        EXPECT_EQ(Reach::visibleItems(KuraList->PopupMenu6),
                  (QStringList{"Scoreboad Aç", "Rapor", "Sıfırla", "Düzelt", "Sil"}));

        ASSERT_TRUE(Reach::choose(KuraList->DBLookupComboBox1, kBranch));
        ASSERT_EQ(KuraList->DBGrid1->rowCount(), 4);

        // "Raporlar": the score sheets of the class.
        expectListTitle("SONUÇLAR");
        const QString sheets = expectPdf("sonuclar");
        ASSERT_TRUE(Reach::press(KuraList->BitBtn12));
        const QString sheetsText = pdfText(sheets);
        EXPECT_EQ(missing(sheetsText, {"SONUÇLAR", "AHMET YILMAZ", "BEKİR KAYA", "CEM DEMİR", "DAVUT ŞAHİN"}),
                  QStringList()) << sheetsText;

        // The bout popup: one score sheet, bout edit, the score reset, the
        // deletion (both answered "Hayır"), and the scoreboard left with
        // "İptal".
        expectListTitle("YARI FİNAL");
        const QString one = expectPdf("yari-final");
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, 0, "Hakem", "Rapor"));
        EXPECT_TRUE(pdfText(one).contains("AHMET YILMAZ"));
        modals().expect("TKura_Kayit", [](QDialog*) {
            EXPECT_EQ(Kura_Kayit->FBoutKey, 1);
            ASSERT_TRUE(Reach::press(Kura_Kayit->BitBtn2));
        });
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, 0, "Hakem", "Düzelt"));
        answerNext(false);
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, 0, "Hakem", "Sıfırla"));
        answerNext(false);
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, 0, "Hakem", "Sil"));
        EXPECT_EQ(questions, (QStringList{"Müsabaka Puanları Sıfırlanacaktır. Eminmisiniz...?",
                                          "AHMET YILMAZ / BEKİR KAYA\nMüsabakası Silinecektir. Eminmisiniz ...?"}));
        modals().expect("TSkorb_giris", [](QDialog*) { ASSERT_TRUE(Reach::press(Skorb_giris->BitBtn2)); });
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, 0, "Hakem", "Scoreboad Aç"));
        EXPECT_FALSE(Skor->isVisible());

        // Attendance on a name.
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, 1, "Ad2", "Müs. KATILMADI"));
        EXPECT_EQ(db.scalar("select Dis2 from C_KURA where Kura_Key = 2").toInt(), 1);
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, 1, "Ad2", "KATILDI"));
        EXPECT_NE(db.scalar("select Dis2 from C_KURA where Kura_Key = 2").toInt(), 1);

        // Both semi-finals decided on the scoreboard, one opened by a double
        // click, one from the popup; the final is then seated.
        acceptBoutSettings();
        ASSERT_TRUE(Reach::doubleClickCell(KuraList->DBGrid1, 0, "Ad1"));
        ASSERT_NO_FATAL_FAILURE(decideForBlue());
        acceptBoutSettings();
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, rowOf(KuraList->DBGrid1, 2), "Ad1", "Müs. KATILMADI"));
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, rowOf(KuraList->DBGrid1, 2), "Ad1", "KATILDI"));
        ASSERT_TRUE(Reach::gridPopup(KuraList->DBGrid1, rowOf(KuraList->DBGrid1, 2), "Hakem", "Scoreboad Aç"));
        ASSERT_NO_FATAL_FAILURE(decideForBlue());
        const Record final = *db.first("select * from C_KURA where Kura_Key = 4");
        EXPECT_EQ(final.str("Ad1"), "AHMET YILMAZ");
        EXPECT_EQ(final.str("Ad2"), "CEM DEMİR");
        // The winner popup is the office's: at a scoring station it does
        // not open.
        EXPECT_EQ(KuraList->popupFor("Salon"), nullptr);

        // "Sporcu Kayıt": a bout typed in, then on the scoreboard.
        ui().clear();
        enterBout("TUNA ER", "UMUT AK");
        acceptBoutSettings();
        ASSERT_TRUE(Reach::press(KuraList->BitBtn11));
        EXPECT_EQ(ui().texts(), QStringList{"Sporcular Müsabakaya Kaydedildi ...!"});
        ASSERT_NO_FATAL_FAILURE(decideForBlue());
        EXPECT_EQ(db.scalar("select Salon from C_KURA where Ad1 = 'TUNA ER'").toString(), "TUNA ER");

        ASSERT_TRUE(Reach::press(KuraList->BitBtn14));
    });
}

} // namespace MatchScreenReach
