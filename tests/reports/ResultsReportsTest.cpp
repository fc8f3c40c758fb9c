// The results and statistics reports over a fixture competition whose places
// (or points) stand in C_LISTE.Puan: read from the display list and from the
// PDF text.
#include "ReportsFixture.h"

#include "reports/Baslik1S.h"
#include "reports/PrintMenu1E.h"
#include "reports/PrintMenu3.h"
#include "reports/PrintMenu330.h"
#include "reports/RapTakimList.h"
#include "reports/ResultsReports.h"

#include <QLineEdit>

using fixture::textsOf;

namespace {

class ResultsReports : public ReportsTest {
protected:
    // A weigh-in row with its place (or points).
    void placed(int key, const QString& branch, const QString& name, int place, const QString& region,
                int person = 0, int approved = 1, const QString& team = QString())
    {
        db.insert("C_LISTE", {{"Liste_Key", key},
                              {"Brans", branch},
                              {"Cinsiyet", branch.section(' ', 0, 0)},
                              {"Ad", name},
                              {"Sira", key},
                              {"Onay", approved},
                              {"Bolge", region},
                              {"Klup", region + " SK"},
                              {"Takim", team.isEmpty() ? region + " TAKIMI" : team},
                              {"Musteri_Key", person ? person : key},
                              {"Puan", place}});
    }

    ReportCaller caller()
    {
        ReportCaller c;
        c.window = &screen;
        c.inPreview = &flag;
        return c;
    }

    QWidget screen;
    int flag = 0;
};

// ---------------------------------------------------------------------------
// The results list.

TEST_F(ResultsReports, ResultsListPrintsEveryPlacedAthleteOfTheCategoriesWithAChampion)
{
    placed(1, fixture::kMen60, "ŞÜKRÜ ÇAĞLAR", 1, "İZMİR");
    placed(2, fixture::kMen60, "ÖMER IŞIK", 2, "ANKARA");
    placed(3, fixture::kMen60, "ÇETİN ÖZ", 4, "MUĞLA");
    placed(4, fixture::kMen60, "AHMET DOĞAN", 3, "ÇORUM");
    placed(5, fixture::kMen60, "İLHAN UÇAR", 5, "ŞANLIURFA");
    placed(6, fixture::kMen60, "GÖKHAN ÜNAL", 6, "BURSA");
    placed(7, fixture::kMen60, "GELMEYEN", 0, "BURSA", 0, 0);
    // No champion yet: the category is left out.
    placed(8, fixture::kMen65, "KEMAL SAY", 2, "İZMİR");
    placed(9, fixture::kMen65, "OSMAN TEK", 3, "ANKARA");
    placed(10, fixture::kWomen52, "AYŞE ÖZTÜRK", 1, "ŞANLIURFA");
    placed(11, fixture::kWomen52, "GÜLŞEN İNCE", 2, "ÇORUM");

    const QString pdf = dir.filePath("sonuc.pdf");
    expectPreviewSavedAs(pdf);
    ASSERT_TRUE(Reports::dereceListesi(caller(), {false, true, "ŞAMPİYONA\n12 - 14 MART 2010  ANKARA", QString()}));
    EXPECT_TRUE(screen.isEnabled());

    const ReportDocument& doc = *PrintMenu1E->ReportBody1.document();
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(doc.pages[0].bandTexts("PageHeaderBand1"),
              (QStringList{"ŞAMPİYONA", "12 - 14 MART 2010  ANKARA", "MÜSABAKA SONUÇLARI"}));
    EXPECT_EQ(textsOf(doc, "QRLabel10"), (QStringList{fixture::kMen60, fixture::kWomen52}));
    EXPECT_EQ(textsOf(doc, "QRDBText1"), (QStringList{"ŞÜKRÜ ÇAĞLAR", "ÖMER IŞIK", "AHMET DOĞAN", "ÇETİN ÖZ",
                                                      "İLHAN UÇAR", "GÖKHAN ÜNAL", "AYŞE ÖZTÜRK", "GÜLŞEN İNCE"}));
    // The second bronze (4) prints as 3, the places after it one lower.
    EXPECT_EQ(textsOf(doc, "QRLabel6"), (QStringList{"1", "2", "3", "3", "4", "5", "1", "2"}));
    EXPECT_EQ(textsOf(doc, "QRDBText3").size(), 8);
    EXPECT_FALSE(fixture::prints(doc.pages[0], "QRSysData1")) << "no page number";

    const QString text = fixture::pdfText(pdf);
    for (const char* s : {"MÜSABAKA SONUÇLARI", "Derece", "Adı Soyadı", "Bölge", "Kulüp", "ERKEK 60 KİLO BÜYÜKLER",
                          "BAYAN 52 KİLO GENÇLER", "GÜLŞEN İNCE", "ŞANLIURFA SK"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("3\\s+ÇETİN ÖZ\\s+MUĞLA\\s+MUĞLA SK"))) << text.toStdString();
    EXPECT_FALSE(text.contains("KEMAL SAY"));
    EXPECT_FALSE(text.contains("GELMEYEN"));
}

TEST_F(ResultsReports, ResultsListOfTheFirstThreeWithoutClubsFillsTwoColumns)
{
    // Places 1, 2, 4 and 4 print as 1, 2, 3 and 3.
    placed(1, fixture::kMen60, "BİRİNCİ", 1, "İZMİR");
    placed(2, fixture::kMen60, "İKİNCİ", 2, "ANKARA");
    placed(3, fixture::kMen60, "DÖRDÜNCÜ A", 4, "MUĞLA");
    placed(4, fixture::kMen60, "DÖRDÜNCÜ B", 4, "ÇORUM");
    placed(5, fixture::kMen60, "BEŞİNCİ", 5, "BURSA");
    // Enough champions' categories to fill the first column.
    for (int c = 0; c < 6; ++c)
        for (int i = 0; i < 3; ++i)
            placed(100 + 10 * c + i, QString("BAYAN %1 KİLO GENÇLER").arg(40 + c), QString("SPORCU %1-%2").arg(c).arg(i),
                   i + 1, "ADANA");

    modals().expect("ReportPreview", nullptr);
    ASSERT_TRUE(Reports::dereceListesi(caller(), {true, false, QString(), QString()}));
    const ReportDocument& doc = *PrintMenu1E->ReportBody1.document();
    EXPECT_EQ(PrintMenu1E->ReportBody1.page.columns, 2);
    EXPECT_EQ(textsOf(doc, "QRDBText1").mid(0, 4), (QStringList{"BİRİNCİ", "İKİNCİ", "DÖRDÜNCÜ A", "DÖRDÜNCÜ B"}));
    EXPECT_EQ(textsOf(doc, "QRLabel6").mid(0, 4), (QStringList{"1", "2", "3", "3"}));
    EXPECT_FALSE(textsOf(doc, "QRDBText1").contains("BEŞİNCİ"));
    EXPECT_TRUE(textsOf(doc, "QRDBText3").isEmpty()) << "no club column";
    EXPECT_TRUE(textsOf(doc, "QRLabel4").isEmpty());
    // Rows stand in both halves of the first page.
    bool left = false, right = false;
    for (const ReportItem* i : doc.pages[0].findAll("QRDBText1")) {
        left = left || i->rect.left() < 60;
        right = right || i->rect.left() > 100;
    }
    EXPECT_TRUE(left && right);
    EXPECT_EQ(doc.pageCount(), 1);

    // The club column comes back with one page column.
    modals().expect("ReportPreview", nullptr);
    ASSERT_TRUE(Reports::dereceListesi(caller(), {true, true, QString(), QString()}));
    EXPECT_EQ(PrintMenu1E->ReportBody1.page.columns, 1);
    EXPECT_FALSE(textsOf(*PrintMenu1E->ReportBody1.document(), "QRDBText3").isEmpty());
}

TEST_F(ResultsReports, ResultsListOfACategoryFilter)
{
    placed(1, fixture::kMen60, "ŞÜKRÜ ÇAĞLAR", 1, "İZMİR");
    placed(2, fixture::kWomen52, "AYŞE ÖZTÜRK", 1, "ŞANLIURFA");
    modals().expect("ReportPreview", nullptr);
    ASSERT_TRUE(Reports::dereceListesi(caller(), {true, false, QString(), "GENÇLER"}));
    EXPECT_EQ(textsOf(*PrintMenu1E->ReportBody1.document(), "QRLabel10"), QStringList{fixture::kWomen52});

    EXPECT_FALSE(Reports::dereceListesi(caller(), {true, false, QString(), "VETERANLAR"}));
    EXPECT_EQ(ui().lastText(), "Listelerde Herhangi bir Sporcu Bulunmamaktadır ...!");
}

// ---------------------------------------------------------------------------
// The ranking of teams.

TEST_F(ResultsReports, TeamRankingNumbersEachSectionAndShowsThreeRowsWhenAsked)
{
    int key = 0;
    auto points = [&](const QString& branch, const QString& region, int puan) {
        ++key;
        placed(key, branch, QString("SPORCU %1").arg(key), puan, region);
    };
    for (const auto& [region, p] : std::vector<std::pair<QString, int>>{
             {"İZMİR", 30}, {"ANKARA", 20}, {"MUĞLA", 12}, {"ÇORUM", 7}, {"BURSA", 3}})
        points(fixture::kMen60, region, p);
    points(fixture::kWomen52, "ŞANLIURFA", 25);
    points(fixture::kWomen52, "İZMİR", 10);

    const QString pdf = dir.filePath("takim.pdf");
    expectPreviewSavedAs(pdf);
    Reports::puanlamaListesi(caller(), true, "PUAN LİSTESİ");
    EXPECT_EQ(flag, 0) << "the modal preview leaves the caller alone";
    const ReportDocument& doc = *RapTakimList->ReportBody1.document();
    EXPECT_EQ(RapTakimList->ReportBody1.title, "Rapor");
    EXPECT_EQ(textsOf(doc, "QRDBText2"), (QStringList{"İZMİR", "ANKARA", "MUĞLA"}));
    EXPECT_EQ(textsOf(doc, "QRLabel4"), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(textsOf(doc, "QRDBText5"), (QStringList{"ŞANLIURFA", "İZMİR"}));
    EXPECT_EQ(textsOf(doc, "QRLabel5"), (QStringList{"1", "2"}));
    EXPECT_EQ(textsOf(doc, "QRDBText8"), (QStringList{"İZMİR", "ŞANLIURFA", "ANKARA"}));
    EXPECT_EQ(textsOf(doc, "QRDBText7"), (QStringList{"40", "25", "20"}));
    const QString text = fixture::pdfText(pdf);
    for (const char* s : {"PUAN LİSTESİ", "ERKEK TAKIM PUANLAMASI", "BAYAN TAKIM PUANLAMASI", "GENEL KLASMAN",
                          "Sıra No", "Puanı", "Takım"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("1\\s+40\\s+İZMİR\\s+İZMİR TAKIMI"))) << text.toStdString();
    EXPECT_FALSE(text.contains("ÇORUM"));

    // Every row, and numbering that starts again with the next run.
    modals().expect("ReportPreview", nullptr);
    Reports::puanlamaListesi(caller(), false, QString());
    const ReportDocument& all = *RapTakimList->ReportBody1.document();
    EXPECT_EQ(textsOf(all, "QRLabel4"), (QStringList{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(textsOf(all, "QRLabel6"), (QStringList{"1", "2", "3", "4", "5", "6"}));
}

// ---------------------------------------------------------------------------
// The competition statistics.

class Statistics : public ResultsReports {
protected:
    void SetUp() override
    {
        ResultsReports::SetUp();
        addWeighIn();
        auto boutRow = [&](int key, const QString& branch, const QString& round, const QString& a,
                           const QString& b) {
            addBout({{"Kura_Key", key}, {"Brans", branch}, {"Tur", round}, {"Ad1", a}, {"Ad2", b}});
        };
        boutRow(1, fixture::kMen60, "YARI FİNAL", "ŞÜKRÜ ÇAĞLAR", "ÖMER IŞIK");
        boutRow(2, fixture::kMen60, "YARI FİNAL", "AHMET DOĞAN", "Tur Atlar");   // a bye
        boutRow(3, fixture::kMen60, "3.'LÜK MAÇI", "-", "-");                    // never fought
        boutRow(4, fixture::kMen60, "3.'LÜK MAÇI", "ÖMER IŞIK", "AHMET DOĞAN");
        boutRow(5, fixture::kMen60, "FİNAL", "ŞÜKRÜ ÇAĞLAR", "YARI FİNAL 2.MAÇ");
        boutRow(6, fixture::kWomen52, "FİNAL", "AYŞE ÖZTÜRK", "GÜLŞEN İNCE");
        db.exec("delete * from C_BRANSADI where Durum_Key >= 10");
        int level = 10;
        for (const char* name : {"BÜYÜKLER", "GENÇLER", "VETERANLAR"})
            db.insert("C_BRANSADI", {{"Durum_Key", level++}, {"Durum", QString::fromUtf8(name)}});
    }
};

TEST_F(Statistics, CountsAthletesAndBoutsPerCategoryAndLevel)
{
    const QString pdf = dir.filePath("istatistik.pdf");
    expectTitle([](QDialog*) {
        EXPECT_FALSE(Baslik1S->CheckBox2->isVisible());
        EXPECT_FALSE(Baslik1S->CheckBox3->isVisible());
        Baslik1S->Edit8->setText("İSTATİSTİK");
    });
    expectPreviewSavedAs(pdf, [](QDialog*) { EXPECT_FALSE(Main->isEnabled()); });
    Main->runCommand("MsabakastatistikRaporu1");
    EXPECT_TRUE(Main->isEnabled());

    const ReportDocument& doc = *PrintMenu3->ReportBody1.document();
    EXPECT_EQ(PrintMenu3->QRLabel9->caption, "İSTATİSTİK");
    EXPECT_EQ(PrintMenu3->QRLabel12->caption, "15.03.2010");
    EXPECT_EQ(textsOf(doc, "QRDBText1"), (QStringList{fixture::kMen60, fixture::kWomen52}));
    EXPECT_EQ(textsOf(doc, "QRLabel13"), (QStringList{"2", "2"}));
    EXPECT_EQ(textsOf(doc, "QRLabel14"), (QStringList{"1", "0"}));
    // Bouts with two athletes; placeholders wait for one. The third-place
    // bout counts in the bouts, its own column is hidden.
    EXPECT_EQ(textsOf(doc, "QRLabel16"), (QStringList{"3", "1"}));
    EXPECT_EQ(doc.pages[0].bandTexts("QRSubDetail2"), (QStringList{"GENEL TOPLAM :", "4", "1", "4"}));
    for (const char* hidden : {"QRLabel7", "QRLabel8", "QRLabel15", "QRLabel20", "QRLabel24", "QRLabel12"})
        EXPECT_FALSE(fixture::prints(doc.pages[0], hidden)) << hidden;
    // Levels with athletes only.
    EXPECT_EQ(textsOf(doc, "QRDBText2"), (QStringList{"BÜYÜKLER", "GENÇLER"}));
    EXPECT_EQ(textsOf(doc, "QRLabel22"), (QStringList{"2", "2"}));
    EXPECT_EQ(textsOf(doc, "QRLabel25"), (QStringList{"3", "1"}));

    const QString text = fixture::pdfText(pdf);
    // (pdftotext reads "fi" of "Diskalifiye" as a ligature.)
    for (const char* s : {"BRANŞLARA GÖRE SPORCU SAYILARI", "İSTATİSTİK", "BRANŞ", "Tartıda Kabul", "Edilen Sporcu",
                          "Tartıda Diskal", "Toplam Oynanan", "Müsabaka Sayısı", "GENEL TOPLAM :"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains("3.'lük Maçları"));
    EXPECT_FALSE(text.contains("15.03.2010"));
    EXPECT_FALSE(text.contains("VETERANLAR"));
    EXPECT_TRUE(text.contains(QRegularExpression("ERKEK 60 KİLO BÜYÜKLER\\s+2\\s+1\\s+3"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("GENEL TOPLAM :\\s+4\\s+1\\s+4"))) << text.toStdString();

    // A second pass over the same data shows the totals of the first.
    PrintMenu3->ReportBody1.run();
    EXPECT_EQ(PrintMenu3->ReportBody1.document()->pages[0].bandTexts("QRSubDetail2"),
              (QStringList{"GENEL TOPLAM :", "4", "1", "4"}));
}

TEST_F(ResultsReports, StatisticsWithoutWeighInListsSaysSo)
{
    expectTitle();
    Main->runCommand("MsabakastatistikRaporu1");
    EXPECT_EQ(ui().lastText(), "Listelerde Herhangi bir Sporcu Bulunmamaktadır ...!");
    EXPECT_FALSE(PrintMenu3->anyDataSetOpen());
}

// ---------------------------------------------------------------------------
// The regional medal table.

TEST_F(ResultsReports, MedalTableCountsRealMedalsPerRegion)
{
    placed(1, fixture::kMen60, "A", 1, "İZMİR", 501);
    placed(2, fixture::kMen60, "B", 2, "ANKARA");
    placed(3, fixture::kMen60, "C", 3, "İZMİR");
    placed(4, fixture::kMen60, "D", 4, "MUĞLA");        // the second bronze of a full ranking
    placed(5, fixture::kMen60, "E", 5, "ANKARA");
    placed(6, fixture::kMen60, "F", 0, "İZMİR", 0, 0);  // disqualified: not counted
    placed(7, fixture::kWomen52, "G", 1, "ŞANLIURFA");
    placed(8, fixture::kWomen52, "H", 2, "İZMİR");
    // No champion in this class yet: its third place is no medal; the
    // athlete of two classes counts once.
    placed(9, fixture::kMen65, "I", 3, "MUĞLA");
    placed(10, fixture::kMen65, "A", 2, "İZMİR", 501);

    TPrintMenu330& r = *PrintMenu330;
    r.QRLabel9->caption = "MADALYALAR";
    r.FFirstRow = 1;
    r.Query2.open();
    const QString pdf = dir.filePath("madalya.pdf");
    ASSERT_TRUE(r.ReportBody1.saveToFile(pdf));
    const ReportDocument& doc = *r.ReportBody1.document();
    r.closeDataSets();

    EXPECT_EQ(textsOf(doc, "QRDBText1"), (QStringList{"İZMİR", "ŞANLIURFA", "ANKARA", "MUĞLA"}));
    EXPECT_EQ(textsOf(doc, "QRLabel20"), (QStringList{"1", "2", "3", "4"}));
    // Figures of 0 are left blank.
    EXPECT_EQ(doc.pages[0].bandTexts("QRSubDetail1"),
              (QStringList{"1", "İZMİR", "2", "1", "1", "1", "1", "3",   //
                           "2", "ŞANLIURFA", "1", "1", "1",               //
                           "3", "ANKARA", "2", "1", "1",                  //
                           "4", "MUĞLA", "2", "1", "1"}));
    EXPECT_EQ(doc.pages[0].bandTexts("QRSubDetail2"), (QStringList{"TOPLAM :", "6", "2", "2", "2", "2", "6"}));

    const QString text = fixture::pdfText(pdf);
    for (const char* s : {"MADALYALAR", "MÜSABAKA İSTATİSTİKLERİ", "BÖLGE", "Sporcu Sayısı", "Altın", "Gümüş",
                          "Bronz", "Madalya", "TOPLAM :"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("1\\s+İZMİR\\s+2\\s+1\\s+1\\s+1\\s+1\\s+3"))) << text.toStdString();

    // A category chosen in the competition title dialog narrows the athlete counts.
    r.FCategory = "GENÇLER";
    r.FFirstRow = 1;
    r.Query2.open();
    r.ReportBody1.run();
    r.closeDataSets();
    r.FCategory.clear();
    EXPECT_TRUE(textsOf(*r.ReportBody1.document(), "QRLabel21").isEmpty()) << "no man in a GENÇLER class";
    EXPECT_EQ(textsOf(*r.ReportBody1.document(), "QRLabel22"), (QStringList{"1", "1"}));
    // So does the style: no KATA class here.
    r.FStyle = "KATA";
    r.FFirstRow = 1;
    r.Query2.open();
    r.ReportBody1.run();
    r.closeDataSets();
    r.FStyle.clear();
    EXPECT_TRUE(textsOf(*r.ReportBody1.document(), "QRLabel21").isEmpty());
    EXPECT_EQ(textsOf(*r.ReportBody1.document(), "QRLabel23"), (QStringList{"1", "1"})) << "medals stay";
}

} // namespace
