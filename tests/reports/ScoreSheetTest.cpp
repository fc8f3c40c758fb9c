// The bout score sheet: the arithmetic of the round records, and the sheets
// of a category, of one bout and of every bout, read back from the display
// list and from the PDF file.
#include "ReportsFixture.h"

#include "platform/paths/DriveMap.h"

#include "reports/Baslik1S.h"
#include "reports/CompetitionReports.h"
#include "reports/PrintScore.h"
#include "support/PrintedTexts.h"

#include <QFile>
#include <QLineEdit>

using fixture::textsOf;

namespace {

ReportCaller sheetCallerOf(QWidget* w, int* flag)
{
    ReportCaller c;
    c.window = w;
    c.inPreview = flag;
    return c;
}

// --- The arithmetic ------------------------------------------------------------

struct SplitCase {
    const char* name;
    const char* record;
    QStringList fields;
};

class Split : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Split, FieldsOfARecord)
{
    EXPECT_EQ(ScoreSheet::Analiz(GetParam().record), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Records, Split,
    ::testing::Values(SplitCase{"Empty", "", QStringList(12, "0")},
                      SplitCase{"Full", "3;1;2;2;1;0;0;1;0;0;0;0",
                                {"3", "1", "2", "2", "1", "0", "0", "1", "0", "0", "0", "0"}},
                      // An empty field between separators is 0; fields the record
                      // does not reach stay empty.
                      SplitCase{"Short", "1;;3", {"1", "0", "3", "", "", "", "", "", "", "", "", ""}},
                      // The field after the last separator stays as read.
                      SplitCase{"TrailingSeparator", "1;2;",
                                {"1", "2", "", "", "", "", "", "", "", "", "", ""}},
                      // Values beyond the twelfth have no place.
                      SplitCase{"Thirteen", "1;2;3;4;5;6;7;8;9;10;11;12;13",
                                {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(RoundShares, EachRoundIsItsRecordMinusTheOneBefore)
{
    const ScoreSheet::Rounds r =
        ScoreSheet::roundShares({"3;1;2;2;1;0;0;1;0;0;0;0", "5;4;5;3;2;2;1;1;0;0;2;0", "", ""});
    EXPECT_EQ(r.read, 2);
    // Judge 1 blue 3, 2, 0; red 1, 3, 0.
    EXPECT_EQ(r.values[0][0], "3");
    EXPECT_EQ(r.values[1][0], "2");
    EXPECT_EQ(r.values[2][0], "0");
    EXPECT_EQ(r.values[0][1], "1");
    EXPECT_EQ(r.values[1][1], "3");
    EXPECT_EQ(r.totals[0], "5");
    EXPECT_EQ(r.totals[1], "4");
    // Blue Minus 0 then 1, blue Foul 1 then 0, red Foul 0 then 2.
    EXPECT_EQ(r.values[0][6], "0");
    EXPECT_EQ(r.values[1][6], "1");
    EXPECT_EQ(r.values[0][7], "1");
    EXPECT_EQ(r.values[1][7], "0");
    EXPECT_EQ(r.values[1][10], "2");
    for (const QString& v : r.values[2])
        EXPECT_EQ(v, "0");
    EXPECT_FALSE(r.fourthRound());
    EXPECT_TRUE(r.unreadable.isEmpty());
}

TEST(RoundShares, AnEmptyFirstRecordStopsTheReading)
{
    const ScoreSheet::Rounds r = ScoreSheet::roundShares({"", "5;4;5;3;2;2;1;1;0;0;2;0"});
    EXPECT_EQ(r.read, 0);
    for (const auto& round : r.values)
        for (const QString& v : round)
            EXPECT_EQ(v, "0");
    EXPECT_EQ(r.totals[0], "0");
}

TEST(RoundShares, AFourthRoundCountsInTheJudgesTotals)
{
    const ScoreSheet::Rounds r = ScoreSheet::roundShares(
        {"1;0;1;0;1;0;0;0;0;0;0;0", "2;0;2;0;2;0;0;0;0;0;0;0", "2;1;2;1;2;1;0;0;0;0;0;0", "4;1;3;1;4;2;0;1;0;1;0;0"});
    EXPECT_TRUE(r.fourthRound());
    EXPECT_EQ(r.values[3][0], "2");
    EXPECT_EQ(r.values[3][7], "1");
    EXPECT_EQ(r.totals[0], "4");
    EXPECT_EQ(r.totals[4], "4");
    EXPECT_EQ(r.totals[5], "2");
}

TEST(RoundShares, AValueThatIsNoNumberIsMarkedAndTheRestCounts)
{
    const ScoreSheet::Rounds r =
        ScoreSheet::roundShares({"3;1;2;2;1;0;0;1;0;0;0;0", "5;x;5;3;2;2;1;1;0;0;2;0", "6;5;5;3;2;2;1;1;0;0;2;0"});
    EXPECT_EQ(r.read, 3);
    EXPECT_EQ(r.unreadable, QStringList{"R2"});
    EXPECT_EQ(r.values[1][1], "?");
    EXPECT_EQ(r.values[2][1], "?") << "the round after it has no known start";
    EXPECT_EQ(r.totals[1], "?");
    EXPECT_EQ(r.values[2][0], "1");
    EXPECT_EQ(r.totals[0], "6");
    // A record with fewer than twelve values.
    const ScoreSheet::Rounds shortRecord = ScoreSheet::roundShares({"3;1;2"});
    EXPECT_EQ(shortRecord.unreadable, QStringList{"R1"});
    EXPECT_EQ(shortRecord.values[0][2], "2");
    EXPECT_EQ(shortRecord.values[0][3], "?");
}

TEST(ScoreSheetTimes, MinutesAndSecondsOfAClock)
{
    EXPECT_EQ(ScoreSheet::minutesSeconds("00:02:00"), "02:00");
    EXPECT_EQ(ScoreSheet::minutesSeconds("1899-12-30 00:01:35"), "01:35");
    EXPECT_EQ(ScoreSheet::minutesSeconds(""), "");
}

// --- The sheets -------------------------------------------------------------------

const QString kSemi = QString::fromUtf8("ERKEK 57 KİLO SEMI CONTACT");

class ScoreSheets : public ReportsTest {
protected:
    void SetUp() override
    {
        ReportsTest::SetUp();
        PrintScore->QRLabel9->caption = "MÜSABAKA SONUÇ RAPORU";
        addWeighIn();
        // A category of four rows: two fought bouts, the third-place row and
        // a final with four rounds.
        addBout({{"Kura_Key", 11}, {"Brans", fixture::kMen60}, {"Tur", "YARI FİNAL"}, {"Sira", "1"},
                 {"Ad1", "ŞÜKRÜ ÇAĞLAR"}, {"Bolge1", "İZMİR"}, {"Klup1", "GÜÇLÜ SPOR"}, {"Sira1", 1},
                 // No region and club on the row: taken from the weigh-in list.
                 {"Ad2", "ÖMER IŞIK"}, {"Sira2", 12}, {"Hakem", "ORTA HAKEM"}, {"H1", "BİRİNCİ HAKEM"},
                 {"H2", "İKİNCİ HAKEM"}, {"H3", "ÜÇÜNCÜ HAKEM"}, {"R1", "3;1;2;2;1;0;0;1;0;0;0;0"},
                 {"R2", "5;4;5;3;2;2;1;1;0;0;2;0"}, {"Puan1", 2}, {"Puan2", 1}, {"Salon", "ŞÜKRÜ ÇAĞLAR"},
                 {"Galip", "1"}, {"Karar", "Points"}, {"Raunt", 2}, {"Raunt_Say", 3}, {"d_time", "00:02:00"},
                 {"n_time", "00:00:35"}, {"Tar_Saat", "12.03.2010 RİNG 1"}, {"Skor", "1005"}});
        addBout({{"Kura_Key", 12}, {"Brans", fixture::kMen60}, {"Tur", "YARI FİNAL"}, {"Sira", "2"},
                 {"Ad1", "CEM KAYA"}, {"Sira1", 30}, {"Ad2", "DAVUT EREN"}, {"Sira2", 31},
                 {"R1", "1;2;1;2;1;2;0;0;0;0;0;0"}});
        addBout({{"Kura_Key", 13}, {"Brans", fixture::kMen60}, {"Tur", "3.'LÜK MAÇI"}, {"Sira", "1"},
                 {"Ad1", "-"}, {"Ad2", "-"}});
        addBout({{"Kura_Key", 14}, {"Brans", fixture::kMen60}, {"Tur", "FİNAL"}, {"Sira", "1"},
                 {"Ad1", "ŞÜKRÜ ÇAĞLAR"}, {"Sira1", 1}, {"Ad2", "CEM KAYA"}, {"Sira2", 30},
                 {"R1", "1;0;1;0;1;0;0;0;0;0;0;0"}, {"R2", "2;0;2;0;2;0;0;0;0;0;0;0"},
                 {"R3", "2;1;2;1;2;1;0;0;0;0;0;0"}, {"R4", "4;1;3;1;4;2;0;1;0;1;0;0"}});
        // A semi-contact bout of another category.
        addBout({{"Kura_Key", 20}, {"Brans", kSemi}, {"Tur", "FİNAL"}, {"Sira", "1"}, {"Ad1", "AYHAN SEL"},
                 {"Sira1", 50}, {"Ad2", "BURAK TAN"}, {"Sira2", 51}, {"R1", "0;0;0;0;0;0;3;1;0;2;0;0"},
                 {"R2", "0;0;0;0;0;0;5;1;1;6;0;0"}});
    }

    void sheets(int scope, const QVariant& key, const QString& brans, bool listOpen = true)
    {
        PrintScore->FScope = scope;
        Reports::skoreRaporu(sheetCallerOf(&screen, &flag), listOpen, key, brans, "ERKEK");
    }

    const ReportDocument& doc() { return *PrintScore->ReportBody1.document(); }

    // The text of a control on a page ("" when it printed none).
    QString on(int page, const QString& control)
    {
        const ReportItem* i = doc().pages[size_t(page)].find(control);
        return i && i->kind == ReportItem::Text ? i->text : QString();
    }

    QWidget screen;
    int flag = 0;
};

TEST_F(ScoreSheets, ACategoryPrintsOnePagePerFoughtBoutInKeyOrder)
{
    const QString pdf = dir.filePath("sonuc.pdf");
    expectTitle([](QDialog*) {
        EXPECT_FALSE(Baslik1S->CheckBox2->isVisible());
        EXPECT_FALSE(Baslik1S->CheckBox3->isVisible());
        Baslik1S->Edit8->setText("TÜRKİYE ŞAMPİYONASI");
    });
    expectPreviewSavedAs(pdf);
    sheets(1, 11, fixture::kMen60);

    ASSERT_EQ(doc().pageCount(), 3) << "no sheet for the third-place row";
    EXPECT_EQ(textsOf(doc(), "QRDBText6"), (QStringList{"ŞÜKRÜ ÇAĞLAR", "CEM KAYA", "ŞÜKRÜ ÇAĞLAR"}));
    EXPECT_EQ(textsOf(doc(), "QRLabel9"), QStringList(3, "TÜRKİYE ŞAMPİYONASI"));
    EXPECT_EQ(on(0, "BransLabel"), fixture::kMen60);
    EXPECT_EQ(on(0, "SureLabel"), "02:00");
    EXPECT_EQ(on(0, "KalanSureLabel"), "00:35");
    EXPECT_EQ(on(0, "Bolge1Label"), "İZMİR");
    EXPECT_EQ(on(0, "Bolge2Label"), "ANKARA") << "from the weigh-in list by back number";
    EXPECT_EQ(on(0, "Klup2Label"), "ÇANKAYA SK");
    // Judge 1 of the first bout: 3, 2, 0 = 5 and 1, 3, 0 = 4.
    EXPECT_EQ(on(0, "R1H1M"), "3");
    EXPECT_EQ(on(0, "R2H1M"), "2");
    EXPECT_EQ(on(0, "R3H1M"), "0");
    EXPECT_EQ(on(0, "Top1"), "5");
    EXPECT_EQ(on(0, "Top2"), "4");
    EXPECT_EQ(on(0, "R2MMIN"), "1");
    EXPECT_EQ(on(0, "R1MFO"), "1");
    EXPECT_EQ(on(0, "R2KFO"), "2");
    EXPECT_EQ(on(0, "R3KFO"), "0");
    EXPECT_EQ(on(0, "R4MMIN"), "") << "no fourth round, no round-4 row";
    EXPECT_EQ(on(0, "QRLabel63"), "");
    EXPECT_EQ(on(0, "QRDBText1"), "") << "the round line is switched off";
    EXPECT_EQ(on(0, "NoteLabel"), "");

    // The final had four rounds: its judges' fourth round is printed and counted.
    EXPECT_EQ(on(2, "QRLabel63"), "Round 4");
    EXPECT_EQ(on(2, "R4MFO"), "1");
    EXPECT_EQ(on(2, "R4H1M"), "2");
    EXPECT_EQ(on(2, "Top1"), "4");
    EXPECT_EQ(on(2, "Top6"), "2");
    EXPECT_TRUE(ui().texts().isEmpty());

    // To look at the pages: BRIVEX_SCORESHEET_PDF=/tmp/sheets.pdf.
    if (qEnvironmentVariableIsSet("BRIVEX_SCORESHEET_PDF")) {
        QFile::remove(qEnvironmentVariable("BRIVEX_SCORESHEET_PDF"));
        QFile::copy(pdf, qEnvironmentVariable("BRIVEX_SCORESHEET_PDF"));
    }
    const QString text = fixture::pdfText(pdf);
    for (const char* expected : {"TÜRKİYE ŞAMPİYONASI", "Branş", "ERKEK 60 KİLO BÜYÜKLER", "Orta Hakem",
                                 "ORTA HAKEM", "Tarih/Ring", "12.03.2010 RİNG 1", "Round Sayısı", "Müsabaka Süresi",
                                 "02:00", "Mavi (Blue)", "Kırmızı (Red)", "ŞÜKRÜ ÇAĞLAR", "ÖMER IŞIK", "ÇANKAYA SK",
                                 "BİRİNCİ HAKEM", "ÜÇÜNCÜ HAKEM", "Round 1", "Minus", "Foul", "Exit", "SONUÇ",
                                 "Müsabaka Kararı", "Points", "Kalan Süre", "00:35", "Ad Soyad / İmza:"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_TRUE(fixture::pdfInfo(pdf).contains(QRegularExpression("Pages:\\s+3\\b")));
    EXPECT_TRUE(fixture::pdfInfo(pdf).contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12]")));
}

// A category of eight bout rows: the first round with three byes ("Tur
// Atlar" on a side, blue or red) and one fought bout, then the semi-finals,
// the third-place row with "-" and the final. Only the third-place row is
// left out: seven pages in Kura_Key order, a bye's page among them.
struct ByeSheetCase {
    const char* name;
    int scope;
    int key;                 // the bout of scope 2
    QStringList blue, red;   // the corners' names, page by page
    int byePage;             // a bye's page (0-based) and its athlete
    const char* byeAthlete;
};

void PrintTo(const ByeSheetCase& c, std::ostream* os)
{
    *os << c.name;
}

class ByeSheets : public ScoreSheets, public ::testing::WithParamInterface<ByeSheetCase> {
protected:
    void SetUp() override
    {
        ScoreSheets::SetUp();
        const auto firstRound = [this](int key, const char* sira, const char* blue, int blueNo, const char* red,
                                       int redNo) {
            QVariantMap row{{"Kura_Key", key}, {"Brans", fixture::kMen60}, {"Tur", "1. TUR"}, {"Sira", sira},
                            {"Ad1", QString::fromUtf8(blue)}, {"Sira1", blueNo}, {"Ad2", QString::fromUtf8(red)},
                            {"Sira2", redNo}};
            for (const char* side : {"1", "2"})
                if (row.value(QString("Ad") + side) == "Tur Atlar")
                    row.insert(QString("Bolge") + side, "Pass");
            addBout(row);
        };
        firstRound(7, "1", "ŞÜKRÜ ÇAĞLAR", 1, "Tur Atlar", 90);
        firstRound(8, "2", "AHMET DOĞAN", 3, "ÖMER IŞIK", 12);
        firstRound(9, "3", "Tur Atlar", 91, "CEM KAYA", 30);
        firstRound(10, "4", "DAVUT EREN", 31, "Tur Atlar", 92);
    }
};

TEST_P(ByeSheets, ABoutWithAByeSideGetsItsPage)
{
    const ByeSheetCase& c = GetParam();
    ASSERT_EQ(db.scalar("select count(*) from C_KURA where Brans = :b", {{"b", fixture::kMen60}}).toInt(), 8);
    const QString pdf = dir.filePath("bye.pdf");
    expectTitle();
    expectPreviewSavedAs(pdf);
    if (c.scope == 3)
        Reports::sonucListeleri(sheetCallerOf(&screen, &flag));
    else
        sheets(c.scope, c.key, fixture::kMen60);

    ASSERT_EQ(doc().pageCount(), c.blue.size());
    EXPECT_EQ(textsOf(doc(), "QRDBText6"), c.blue);
    EXPECT_EQ(textsOf(doc(), "QRDBText7"), c.red);
    EXPECT_TRUE(fixture::pdfInfo(pdf).contains(QRegularExpression(QString("Pages:\\s+%1\\b").arg(c.blue.size()))));
    // The bye's page as printed: its athlete facing "Tur Atlar".
    const QString page = QString::number(c.byePage + 1);
    const QString text = pdftotext(pdf, {"-layout", "-f", page, "-l", page});
    for (const QString& name : {QString::fromUtf8(c.byeAthlete), QString("Tur Atlar")})
        EXPECT_TRUE(text.contains(name)) << name.toStdString() << "\n" << text.toStdString();
    EXPECT_TRUE(ui().texts().isEmpty());
}

const QStringList kByeCategoryBlue = {"ŞÜKRÜ ÇAĞLAR", "AHMET DOĞAN", "Tur Atlar", "DAVUT EREN",
                                      "ŞÜKRÜ ÇAĞLAR", "CEM KAYA",    "ŞÜKRÜ ÇAĞLAR"};
const QStringList kByeCategoryRed = {"Tur Atlar", "ÖMER IŞIK",  "CEM KAYA", "Tur Atlar",
                                     "ÖMER IŞIK", "DAVUT EREN", "CEM KAYA"};

INSTANTIATE_TEST_SUITE_P(
    Scopes, ByeSheets,
    ::testing::Values(ByeSheetCase{"Category", 1, 11, kByeCategoryBlue, kByeCategoryRed, 2, "CEM KAYA"},
                      ByeSheetCase{"OneBout", 2, 10, {"DAVUT EREN"}, {"Tur Atlar"}, 0, "DAVUT EREN"},
                      // Every bout of the database: the semi-contact final follows.
                      ByeSheetCase{"AllBouts", 3, 0, kByeCategoryBlue + QStringList{"AYHAN SEL"},
                                   kByeCategoryRed + QStringList{"BURAK TAN"}, 0, "ŞÜKRÜ ÇAĞLAR"}),
    [](const ::testing::TestParamInfo<ByeSheetCase>& info) { return std::string(info.param.name); });

TEST_F(ScoreSheets, OneBoutPrintsItsSheetOnly)
{
    const QString pdf = dir.filePath("mac.pdf");
    expectTitle();
    expectPreviewSavedAs(pdf);
    sheets(2, 12, fixture::kMen60);
    ASSERT_EQ(doc().pageCount(), 1);
    EXPECT_EQ(on(0, "QRDBText6"), "CEM KAYA");
    const QString text = fixture::pdfText(pdf);
    EXPECT_TRUE(text.contains("DAVUT EREN")) << text.toStdString();
    EXPECT_FALSE(text.contains(QString::fromUtf8("ŞÜKRÜ ÇAĞLAR")));
    EXPECT_FALSE(PrintScore->anyDataSetOpen());
}

TEST_F(ScoreSheets, ASemiContactSheetHasPointColumnsAndNoJudgeBlocks)
{
    expectTitle();
    modals().expect("ReportPreview", nullptr);
    sheets(1, 20, kSemi);
    ASSERT_EQ(doc().pageCount(), 1);
    EXPECT_EQ(on(0, "HeadMMIN"), "Point");
    EXPECT_EQ(on(0, "HeadKMIN"), "Point");
    EXPECT_EQ(on(0, "R1MMIN"), "3");
    EXPECT_EQ(on(0, "R2MMIN"), "2");
    EXPECT_EQ(on(0, "R2KMIN"), "4");
    for (const char* judge : {"R1H1M", "Top1", "JudgeCaption1", "QRDBTextH1"})
        EXPECT_FALSE(fixture::prints(doc().pages[0], judge)) << judge;
}

TEST_F(ScoreSheets, AMixedRunPrintsEachSheetInItsOwnForm)
{
    const QString pdf = dir.filePath("hepsi.pdf");
    expectTitle();
    expectPreviewSavedAs(pdf);
    Reports::sonucListeleri(sheetCallerOf(&screen, &flag));
    ASSERT_EQ(doc().pageCount(), 4);
    // To look at the pages: BRIVEX_SCORESHEETS_ALL_PDF=/tmp/all.pdf.
    if (qEnvironmentVariableIsSet("BRIVEX_SCORESHEETS_ALL_PDF")) {
        QFile::remove(qEnvironmentVariable("BRIVEX_SCORESHEETS_ALL_PDF"));
        QFile::copy(pdf, qEnvironmentVariable("BRIVEX_SCORESHEETS_ALL_PDF"));
    }
    EXPECT_TRUE(fixture::pdfText(pdf).contains("Point"));
    EXPECT_EQ(textsOf(doc(), "QRDBText6"), (QStringList{"ŞÜKRÜ ÇAĞLAR", "CEM KAYA", "ŞÜKRÜ ÇAĞLAR", "AYHAN SEL"}));
    EXPECT_EQ(textsOf(doc(), "HeadMMIN"), (QStringList{"Minus", "Minus", "Minus", "Point"}));
    EXPECT_TRUE(fixture::prints(doc().pages[2], "R1H1M"));
    EXPECT_FALSE(fixture::prints(doc().pages[3], "R1H1M"));
}

TEST_F(ScoreSheets, AnUnreadableRecordPrintsWhatItCanAndNamesTheBout)
{
    db.update("C_KURA", {{"R2", "5;x;5;3;2;2;1;1;0;0;2;0"}}, "Kura_Key = 11");
    expectTitle();
    modals().expect("ReportPreview", nullptr);
    sheets(1, 11, fixture::kMen60);
    ASSERT_EQ(doc().pageCount(), 3) << "the run goes on";
    EXPECT_EQ(on(0, "R2H1K"), "?");
    EXPECT_EQ(on(0, "R2H1M"), "2");
    EXPECT_EQ(on(0, "Top2"), "?");
    EXPECT_EQ(on(0, "Top1"), "5");
    EXPECT_EQ(on(0, "NoteLabel"),
              "Müsabaka 11 (ŞÜKRÜ ÇAĞLAR / ÖMER IŞIK): R2 round kaydı okunamadı; okunamayan değerler '?' ile "
              "gösterildi.");
    EXPECT_EQ(on(1, "NoteLabel"), "");
    EXPECT_EQ(ui().texts(),
              QStringList{"Round Kaydı Okunamayan Müsabakalar: 11 (ŞÜKRÜ ÇAĞLAR / ÖMER IŞIK) ...!"});
}

TEST_F(ScoreSheets, AnEmptyTitleKeepsTheTitleOfThePreviousRun)
{
    // The first run with an empty title prints the report's own title.
    expectTitle([](QDialog*) { Baslik1S->Edit8->clear(); });
    modals().expect("ReportPreview", nullptr);
    Reports::sonucListeleri(sheetCallerOf(&screen, &flag));
    EXPECT_EQ(on(0, "QRLabel9"), "MÜSABAKA SONUÇ RAPORU");

    expectTitle([](QDialog*) { Baslik1S->Edit8->setText("BİRİNCİ BAŞLIK"); });
    modals().expect("ReportPreview", nullptr);
    sheets(2, 11, fixture::kMen60);
    EXPECT_EQ(on(0, "QRLabel9"), "BİRİNCİ BAŞLIK");

    // Empty again: every score sheet command keeps the title it printed last.
    expectTitle([](QDialog*) { Baslik1S->Edit8->clear(); });
    modals().expect("ReportPreview", nullptr);
    Reports::sonucListeleri(sheetCallerOf(&screen, &flag));
    EXPECT_EQ(textsOf(doc(), "QRLabel9"), QStringList(doc().pageCount(), "BİRİNCİ BAŞLIK"));
    expectTitle([](QDialog*) { Baslik1S->Edit8->clear(); });
    modals().expect("ReportPreview", nullptr);
    sheets(1, 11, fixture::kMen60);
    EXPECT_EQ(on(0, "QRLabel9"), "BİRİNCİ BAŞLIK");
}

TEST_F(ScoreSheets, TheLogoPrintsWhenItsFileIsThere)
{
    expectTitle();
    modals().expect("ReportPreview", nullptr);
    sheets(2, 11, fixture::kMen60);
    EXPECT_FALSE(fixture::prints(doc().pages[0], "QRImage1"));

    QImage logo(40, 40, QImage::Format_RGB32);
    logo.fill(Qt::darkRed);
    ASSERT_TRUE(logo.save(DriveMap::toHost("C:\\CO\\MusLogo.bmp"), "BMP"));
    expectTitle();
    modals().expect("ReportPreview", nullptr);
    sheets(2, 11, fixture::kMen60);
    const ReportItem* image = doc().pages[0].find("QRImage1");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->kind, ReportItem::Image);
}

TEST_F(ScoreSheets, TheThirdPlaceRowOpensAnEmptyPreview)
{
    expectTitle();
    modals().expect("ReportPreview", nullptr);
    sheets(2, 13, fixture::kMen60);
    EXPECT_TRUE(modals().seen().contains("ReportPreview"));
    ASSERT_GE(doc().pageCount(), 1);
    EXPECT_FALSE(fixture::prints(doc().pages[0], "QRDBText6"));
}

struct SheetRefusal {
    const char* name;
    int scope;
    bool listOpen;
    QVariant key;
    const char* brans;
    bool asksTitle;
    const char* message;
};

class SheetRefusals : public ScoreSheets, public ::testing::WithParamInterface<SheetRefusal> {};

TEST_P(SheetRefusals, ShowTheirMessageAndPreviewNothing)
{
    const SheetRefusal& c = GetParam();
    if (c.asksTitle)
        expectTitle();
    sheets(c.scope, c.key, QString::fromUtf8(c.brans), c.listOpen);
    EXPECT_EQ(ui().texts(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_FALSE(modals().seen().contains("ReportPreview"));
    EXPECT_FALSE(PrintScore->anyDataSetOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Checks, SheetRefusals,
    ::testing::Values(SheetRefusal{"NoBranch", 1, false, QVariant(), "", false, "Lütfen Branş Seçiniz ...!"},
                      SheetRefusal{"NoBout", 2, true, QVariant(), "", false,
                                   "Seçilen Branşta KURA Listesi Bulunmamaktadır ...!"},
                      SheetRefusal{"CategoryWithoutBouts", 1, true, 7, "BAYAN 99 KİLO", true,
                                   "HERHANGİ BİR SONUÇ LİSTESİ BULUNMAMAKTADIR ...!"},
                      SheetRefusal{"BoutGone", 2, true, 99, "", true,
                                   "HERHANGİ BİR SONUÇ LİSTESİ BULUNMAMAKTADIR ...!"}),
    [](const ::testing::TestParamInfo<SheetRefusal>& info) { return std::string(info.param.name); });

TEST_F(ScoreSheets, EveryBoutWithAnEmptyTableSaysSo)
{
    db.exec("delete * from C_KURA");
    expectTitle();
    Reports::sonucListeleri(sheetCallerOf(&screen, &flag));
    EXPECT_EQ(ui().texts(), QStringList{"HERHANGİ BİR SONUÇ LİSTESİ BULUNMAMAKTADIR ...!"});
    EXPECT_FALSE(modals().seen().contains("ReportPreview"));
}

} // namespace
