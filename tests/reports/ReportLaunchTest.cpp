// The launch contract every report follows: the caller's flag, window and
// tool bar around the preview, closed datasets, row numbering and need-data
// loading, the list screens' refusals and person queries.
#include "ReportsFixture.h"

#include "app/kit/Formats.h"
#include "app/Screens.h"
#include "app/Startup.h"
#include "reports/CompetitionReports.h"
#include "reports/PrintMenu2C.h"
#include "reports/ReportLaunch.h"
#include "support/PrintedTexts.h"

#include <QToolBar>

namespace {

// A numbered list of the weigh-in rows, with the line number printed.
class TNumberedList : public TReportForm {
public:
    TNumberedList() : TReportForm("NumberedList")
    {
        addDataSet(Query1);
        Query1.sql = "select * from C_LISTE order by Sira";
        ReportBody1.dataSet = &Query1;
        ReportBand* rows = ReportBody1.addBand(ReportBand::Detail, "DetailBand1", 6);
        QRLabel1 = rows->addLabel("QRLabel1", {0, 0, 10, 5}, "9000");
        rows->addDataText("QRDBText1", {12, 0, 80, 5}, &Query1, "Ad");
        numberRows(Query1, QRLabel1);
    }
    ReportQuery Query1{"Query1"};
    ReportLabel* QRLabel1;
};

// A report without dataset that opens its rows on the first need-data
// event, with a running total.
class TNeedDataList : public TReportForm {
public:
    TNeedDataList() : TReportForm("NeedDataList")
    {
        addDataSet(Query1);
        Query1.sql = "select * from C_LISTE order by Sira";
        ReportBand* body = ReportBody1.addBand(ReportBand::Detail, "DetailBand1", 6);
        body->addLabel("QRLabel1", {0, 0, 50, 5}, "GENEL");
        ReportBand* rows = ReportBody1.addSubDetail("QRSubDetail1", 6, &Query1, body);
        rows->addDataText("QRDBText1", {0, 0, 80, 5}, &Query1, "Ad");
        Total = ReportBody1.addBand(ReportBand::Summary, "SummaryBand1", 6)
                    ->addExpr("QRExpr1", {0, 0, 50, 5}, "COUNT");
        Total->master = rows;
        loadOnNeedData([this] { ++Opened; Query1.open(); }, Total);
    }
    ReportQuery Query1{"Query1"};
    ReportExpr* Total;
    int Opened = 0;
};

class LaunchTest : public ReportsTest {
protected:
    void SetUp() override
    {
        ReportsTest::SetUp();
        addWeighIn();
        addBouts();
        screen.show();
        toolBar = new QToolBar(&screen);
        toolBar->show();
        caller.window = &screen;
        caller.inPreview = &flag;
        caller.toolBar = toolBar;
        caller.setPreviewReport = [this](QObject* r) { remembered = r; };
    }

    QWidget screen;
    QToolBar* toolBar = nullptr;
    int flag = 0;
    QObject* remembered = nullptr;
    ReportCaller caller;
};

TEST_F(LaunchTest, CallerIsDisabledAndFlaggedWhileThePreviewShows)
{
    expectTitle();
    bool checked = false;
    modals().expect("ReportPreview", [&](QDialog*) {
        checked = true;
        EXPECT_EQ(remembered, PrintMenu2C);
        EXPECT_EQ(flag, 1);
        EXPECT_FALSE(screen.isEnabled());
        EXPECT_FALSE(toolBar->isVisible());
        EXPECT_TRUE(PrintMenu2C->Query2.isOpen());
    });
    Reports::kuraListeleri(caller);
    ASSERT_TRUE(checked);
    EXPECT_EQ(flag, 0);
    EXPECT_TRUE(screen.isEnabled());
    EXPECT_TRUE(toolBar->isVisible());
    EXPECT_FALSE(PrintMenu2C->anyDataSetOpen());
}

TEST_F(LaunchTest, HiddenToolBarStaysHidden)
{
    toolBar->hide();
    expectTitle();
    modals().expect("ReportPreview", nullptr);
    Reports::kuraListeleri(caller);
    EXPECT_FALSE(toolBar->isVisible());
    EXPECT_TRUE(screen.isEnabled());
}

TEST_F(LaunchTest, FailedRunLeavesTheCallerUsable)
{
    TNumberedList list;
    list.Query1.sql = "select * from YOK_BOYLE_TABLO";
    EXPECT_THROW(ReportLaunch::preview(list, caller), DbError);
    EXPECT_EQ(modals().seen(), QStringList());
    EXPECT_TRUE(screen.isEnabled());
    EXPECT_TRUE(toolBar->isVisible());
    EXPECT_EQ(flag, 0);
    EXPECT_FALSE(list.anyDataSetOpen());
}

TEST_F(LaunchTest, ModalPreviewLeavesTheCallerAloneAndActivatesIt)
{
    TNumberedList list;
    int activations = 0;
    caller.activate = [&] { ++activations; };
    modals().expect("ReportPreview", [&](QDialog*) {
        EXPECT_TRUE(screen.isEnabled());
        EXPECT_EQ(flag, 0);
        EXPECT_EQ(activations, 0);
    });
    ReportLaunch::preview(list, caller, ReportLaunch::Kind::Modal);
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(remembered, &list);
    EXPECT_FALSE(list.anyDataSetOpen());
}

TEST_F(LaunchTest, NumbersStartAtOneInEveryRunAndEveryPass)
{
    TNumberedList list;
    const QStringList numbers{"1", "2", "3", "4", "5"};
    list.FFirstRow = 1;
    modals().expect("ReportPreview", [&](QDialog* d) {
        const auto* preview = static_cast<ReportPreview*>(d);
        EXPECT_EQ(fixture::textsOf(preview->document(), "QRLabel1"), numbers);
    });
    ReportLaunch::preview(list, caller);
    EXPECT_EQ(list.FLineNo, 0);

    // Printing again after the preview walks the rows once more.
    const QString pdf = dir.filePath("liste.pdf");
    ASSERT_TRUE(list.ReportBody1.saveToFile(pdf));
    EXPECT_EQ(fixture::textsOf(*list.ReportBody1.document(), "QRLabel1"), numbers);
    const QString text = fixture::pdfText(pdf);
    EXPECT_EQ(text.count("ŞÜKRÜ ÇAĞLAR"), 1) << text.toStdString();

    // A second launch restarts the count, even from a count left standing.
    list.FLineNo = 40;
    list.FFirstRow = 1;
    modals().expect("ReportPreview", nullptr);
    ReportLaunch::preview(list, caller);
    EXPECT_EQ(fixture::textsOf(*list.ReportBody1.document(), "QRLabel1"), numbers);
}

TEST_F(LaunchTest, ANumberLongerThanItsBoxPrintsWholeInSmallerType)
{
    // A box that holds one digit at the design's type: from the tenth row
    // on the number needs two.
    for (int key = 6; key <= 12; ++key)
        addAthlete(key, fixture::kMen60, QString("SPORCU %1").arg(key), key, 1, "İZMİR", "GÜÇLÜ SPOR", "A TAKIMI", 60);
    TNumberedList list;
    list.QRLabel1->rect.setWidth(2.4);
    list.QRLabel1->font.setPointSizeF(8);
    list.QRLabel1->alignment = Qt::AlignRight | Qt::AlignTop;
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        list.FFirstRow = 1;
        ASSERT_TRUE(list.ReportBody1.saveToFile(dir.filePath("liste.pdf")));
        const ReportDocument& doc = *list.ReportBody1.document();
        EXPECT_EQ(clippedTexts(doc), QStringList());
        QStringList numbers;
        for (const ReportPage& p : doc.pages)
            for (const ReportItem* i : p.findAll("QRLabel1")) {
                numbers << i->text;
                if (i->text.size() == 1)
                    EXPECT_EQ(i->font.pointSizeF(), 8) << "the design's type while it fits: " << i->text.toStdString();
                else
                    EXPECT_LT(i->font.pointSizeF(), 8) << i->text.toStdString();
            }
        EXPECT_EQ(numbers.size(), 12);
        EXPECT_EQ(numbers.last(), "12");
    }
}

TEST_F(LaunchTest, NeedDataOpensTheRowsOncePerRun)
{
    TNeedDataList list;
    for (int run = 1; run <= 2; ++run) {
        list.FRowNo = 0;
        modals().expect("ReportPreview", nullptr);
        ReportLaunch::preview(list, caller);
        EXPECT_EQ(list.Opened, run);
        EXPECT_EQ(list.FRowNo, 2) << "the event fires once for the body and once for the end";
        const ReportDocument& doc = *list.ReportBody1.document();
        EXPECT_EQ(fixture::textsOf(doc, "QRLabel1"), QStringList{"GENEL"});
        EXPECT_EQ(fixture::textsOf(doc, "QRDBText1").size(), 5);
        EXPECT_EQ(fixture::textsOf(doc, "QRExpr1"), QStringList{"5"});
        EXPECT_FALSE(list.Query1.isOpen());
    }
}

TEST_F(LaunchTest, MainWindowCallerUsesItsFlagAndToolBar)
{
    const ReportCaller c = Main->reportCaller();
    EXPECT_EQ(c.window, Main);
    EXPECT_EQ(c.inPreview, &Main->FInPreview);
    EXPECT_EQ(c.toolBar, Main->Menu);
    ASSERT_TRUE(c.setPreviewReport);
    QObject report;
    c.setPreviewReport(&report);
    EXPECT_EQ(Main->FPreviewReport.data(), &report);
}

TEST(ComposedLabels, JoinTheNonEmptyValues)
{
    EXPECT_EQ(TReportForm::joinColumns({"ANKARA", "", "ÇANKAYA", "KIZILAY"}), "ANKARA, ÇANKAYA, KIZILAY");
    EXPECT_EQ(TReportForm::joinColumns({"", "İZMİR"}), "İZMİR");
    EXPECT_EQ(TReportForm::joinColumns({"", ""}), "");
}

// --- Refusals of the list screens ------------------------------------------------

struct RefusalCase {
    bool open;
    bool hasKey;
    const char* nouns;
    const char* noun;
    const char* message;   // nullptr: no refusal
};

class ListRefusals : public StationTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ListRefusals, TellWhatIsMissing)
{
    const RefusalCase& c = GetParam();
    const bool ok = ReportLaunch::checkList(c.open, c.hasKey, QString::fromUtf8(c.nouns), QString::fromUtf8(c.noun));
    EXPECT_EQ(ok, c.message == nullptr);
    EXPECT_EQ(ui().texts(), c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ListRefusals,
    ::testing::Values(
        RefusalCase{false, false, "Sporcuları", "Sporcu", "Lütfen 'Kayıt Bul' Düğmesine Basarak Sporcuları Listeleyiniz ...!"},
        RefusalCase{true, false, "Sporcuları", "Sporcu", "Liste Alanında Herhangibir Sporcu Bulunmamaktadır ...!"},
        RefusalCase{false, true, "Kulüpleri", "Kulüp", "Lütfen 'Kayıt Bul' Düğmesine Basarak Kulüpleri Listeleyiniz ...!"},
        RefusalCase{true, false, "Antrenörleri", "Antrenör", "Liste Alanında Herhangibir Antrenör Bulunmamaktadır ...!"},
        RefusalCase{true, true, "Sporcuları", "Sporcu", nullptr}));

// --- Person queries of the registry screen -------------------------------------------

struct QueryCase {
    const char* reportSql;
    const char* where;
    bool hasWhere;
    const char* keys;
    const char* extra;
    const char* list;
    const char* sheet;
};

class RegistryQueries : public ::testing::TestWithParam<QueryCase> {};

TEST_P(RegistryQueries, NarrowTheLastSearchToTheSelection)
{
    const QueryCase& c = GetParam();
    const ReportLaunch::RegistrySelection s{c.reportSql, c.where, c.hasWhere, c.keys, "Ad_Soyad"};
    EXPECT_EQ(ReportLaunch::listQuery(s, c.extra).toStdString(), c.list);
    EXPECT_EQ(ReportLaunch::sheetQuery(s, c.extra).toStdString(), c.sheet);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, RegistryQueries,
    ::testing::Values(
        QueryCase{"Select * from C_MUSTERI", "", false, "", "",
                  "Select * from C_MUSTERI Order By Ad_Soyad", "Select * from C_MUSTERI  Order By Ad_Soyad"},
        QueryCase{"Select * from C_MUSTERI", "", false, "3,5", "",
                  "Select * from C_MUSTERI where Musteri_Key in (3,5) Order By Ad_Soyad",
                  "Select * from C_MUSTERI  where C_MUSTERI.Musteri_Key in (3,5) Order By Ad_Soyad"},
        QueryCase{"Select * from C_MUSTERI where E15 = :e15", " where E15 = :e15", true, "", "E50 <> ''",
                  "Select * from C_MUSTERI where E15 = :e15 and E50 <> '' Order By Ad_Soyad",
                  "Select * from C_MUSTERI  where E15 = :e15 and E50 <> '' Order By Ad_Soyad"},
        QueryCase{"Select * from C_MUSTERI where E15 = :e15", " where E15 = :e15", true, "7", "E50 <> ''",
                  "Select * from C_MUSTERI where E15 = :e15 and Musteri_Key in (7) and E50 <> '' Order By Ad_Soyad",
                  "Select * from C_MUSTERI  where E15 = :e15 and C_MUSTERI.Musteri_Key in (7) and E50 <> '' "
                  "Order By Ad_Soyad"}));

TEST(RegistryQueryKeys, OnlyNumbersStandInTheStatement)
{
    ReportLaunch::RegistrySelection s{"Select * from C_MUSTERI", "", false, "3,5) or (1=1", "Ad_Soyad"};
    EXPECT_THROW(ReportLaunch::listQuery(s), DbError);
    s.selectedKeys = "3";
    EXPECT_EQ(ReportLaunch::listQuery(s, QString(), "Vergi_Numarasi"),
              "Select * from C_MUSTERI where Musteri_Key in (3) Order By Vergi_Numarasi");
}

// --- Start-up -----------------------------------------------------------------------------

class ReportStartup : public StationTest {};

TEST_F(ReportStartup, PrintedNumbersTakeTheProgramsDecimalSeparator)
{
    ReportFormat::setDecimalSeparator(QChar('#'));
    Startup::prepare();
    EXPECT_EQ(ReportFormat::decimalSeparator(), Formats::decimalSeparator());
    EXPECT_NE(PrintMenu2C, nullptr);
    Screens::destroyAll();
    ReportFormat::setDecimalSeparator(QChar('.'));
}

} // namespace
