// Page layout of the report engine, read from the display list.
#include "platform/report/Report.h"
#include "platform/report/ReportFonts.h"

#include <gtest/gtest.h>

#include <random>

namespace {

Records numberedRows(int count)
{
    Records rows;
    for (int i = 1; i <= count; ++i)
        rows << Record({"No", "Ad"}, {i, QString("SPORCU %1").arg(i)});
    return rows;
}

// A list: page header 20 mm, detail 10 mm, page footer 10 mm with "n / total"
// on A4 with 10 mm margins; 24 rows fit on a page.
class ListReport {
public:
    ListReport()
    {
        q.openRows(numberedRows(0));
        r.dataSet = &q;
        header = r.addBand(ReportBand::PageHeader, "PageHeaderBand1", 20);
        header->addLabel("QRLabel9", {0, 5, 190, 6}, "LİSTE BAŞLIĞI");
        detail = r.addBand(ReportBand::Detail, "DetailBand1", 10);
        detail->addDataText("QRDBText1", {0, 2, 20, 5}, &q, "No");
        detail->addDataText("QRDBText2", {20, 2, 100, 5}, &q, "Ad");
        footer = r.addBand(ReportBand::PageFooter, "PageFooterBand1", 10);
        auto* pages = footer->addSysData("QRSysData1", {0, 2, 190, 5}, ReportSysData::PageNumberOfTotal, "Sayfa ");
        pages->alignment = Qt::AlignRight;
    }
    Report r;
    ReportQuery q{"Query1"};
    ReportBand* header;
    ReportBand* detail;
    ReportBand* footer;
};

QStringList namedTexts(const ReportDocument& doc, const QString& name)
{
    QStringList out;
    for (const ReportPage& p : doc.pages)
        for (const ReportItem* i : p.findAll(name))
            if (i->kind == ReportItem::Text)
                out << i->text;
    return out;
}

QStringList expectedNames(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QString("SPORCU %1").arg(i);
    return out;
}

TEST(ReportEngineLayout, DetailRowsBreakOverPagesWithHeaderAndFooterOnEachPage)
{
    ListReport l;
    l.q.openRows(numberedRows(100));
    const ReportDocument& doc = l.r.run();

    ASSERT_EQ(doc.pageCount(), 5);
    EXPECT_EQ(namedTexts(doc, "QRDBText2"), expectedNames(1, 100));
    const int perPage[] = {24, 24, 24, 24, 4};
    for (int n = 0; n < 5; ++n) {
        const ReportPage& page = doc.pages[n];
        SCOPED_TRACE(n + 1);
        EXPECT_EQ(page.number, n + 1);
        EXPECT_EQ(page.bandTexts("PageHeaderBand1"), QStringList{"LİSTE BAŞLIĞI"});
        EXPECT_EQ(page.bandTexts("PageFooterBand1"), QStringList{QString("Sayfa %1 / 5").arg(n + 1)});
        const auto rows = page.findAll("QRDBText2");
        ASSERT_EQ(int(rows.size()), perPage[n]);
        // Rows start under the page header and stay above the page footer.
        EXPECT_NEAR(rows.front()->rect.top(), 10 + 20 + 2, 1e-6);
        EXPECT_LE(rows.back()->rect.top() - 2 + 10, 297 - 10 - 10 + 1e-6);
        // The footer sits at the bottom margin.
        EXPECT_NEAR(page.find("QRSysData1")->rect.top(), 297 - 10 - 10 + 2, 1e-6);
    }
}

TEST(ReportEngineLayout, LandscapePagesAreWiderThanHigh)
{
    ListReport l;
    l.r.page.orientation = ReportPageSetup::Landscape;
    l.q.openRows(numberedRows(20));
    const ReportDocument& doc = l.r.run();

    EXPECT_EQ(doc.pageSize, QSizeF(297, 210));
    ASSERT_EQ(doc.pageCount(), 2);
    // 210 - 10 - 20 - 10 - 10 = 160 mm of rows: 16 on the first page.
    EXPECT_EQ(doc.pages[0].findAll("QRDBText2").size(), 16u);
    EXPECT_EQ(doc.pages[1].findAll("QRDBText2").size(), 4u);
    EXPECT_EQ(doc.pages[1].size, QSizeF(297, 210));
    EXPECT_NEAR(doc.pages[0].find("QRSysData1")->rect.top(), 210 - 10 - 10 + 2, 1e-6);
}

struct PaperCase {
    ReportPageSetup::Paper paper;
    ReportPageSetup::Orientation orientation;
    QSizeF custom;
    QSizeF expected;
};

class ReportEnginePaper : public ::testing::TestWithParam<PaperCase> {};

TEST_P(ReportEnginePaper, PageSizeFollowsPaperAndOrientation)
{
    ReportPageSetup s;
    s.paper = GetParam().paper;
    s.orientation = GetParam().orientation;
    s.customSize = GetParam().custom;
    EXPECT_EQ(s.size(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ReportEnginePaper,
    ::testing::Values(PaperCase{ReportPageSetup::A4, ReportPageSetup::Portrait, {}, {210, 297}},
                      PaperCase{ReportPageSetup::A4, ReportPageSetup::Landscape, {}, {297, 210}},
                      PaperCase{ReportPageSetup::A5, ReportPageSetup::Portrait, {}, {148, 210}},
                      PaperCase{ReportPageSetup::A5, ReportPageSetup::Landscape, {}, {210, 148}},
                      // A card-sized page keeps its own width and height.
                      PaperCase{ReportPageSetup::Custom, ReportPageSetup::Portrait, {83.9, 51.3}, {83.9, 51.3}},
                      PaperCase{ReportPageSetup::Custom, ReportPageSetup::Landscape, {83.9, 51.3}, {51.3, 83.9}}));

struct HeaderFooterCase {
    bool firstPageHeader;
    bool lastPageFooter;
};

class ReportEngineHeaderOptions : public ::testing::TestWithParam<HeaderFooterCase> {};

TEST_P(ReportEngineHeaderOptions, FirstHeaderAndLastFooterFollowTheOptions)
{
    ListReport l;
    l.r.page.firstPageHeader = GetParam().firstPageHeader;
    l.r.page.lastPageFooter = GetParam().lastPageFooter;
    l.q.openRows(numberedRows(30));
    const ReportDocument& doc = l.r.run();
    ASSERT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(doc.pages[0].find("QRLabel9") != nullptr, GetParam().firstPageHeader);
    EXPECT_NE(doc.pages[1].find("QRLabel9"), nullptr);
    EXPECT_NE(doc.pages[0].find("QRSysData1"), nullptr);
    EXPECT_EQ(doc.pages[1].find("QRSysData1") != nullptr, GetParam().lastPageFooter);
    // Without the first header the rows start at the top margin.
    EXPECT_NEAR(doc.pages[0].find("QRDBText2")->rect.top(), (GetParam().firstPageHeader ? 30 : 10) + 2, 1e-6);
    EXPECT_EQ(namedTexts(doc, "QRDBText2"), expectedNames(1, 30));
}

INSTANTIATE_TEST_SUITE_P(Options, ReportEngineHeaderOptions,
                         ::testing::Values(HeaderFooterCase{true, true}, HeaderFooterCase{false, true},
                                           HeaderFooterCase{true, false}, HeaderFooterCase{false, false}));

TEST(ReportEngineLayout, BeforePrintSuppressesABandAndTheRestCloseUp)
{
    ListReport l;
    l.q.openRows(numberedRows(6));
    l.detail->beforePrint = [&](ReportBand&, bool& print) { print = l.q.toInt("No") % 2 == 0; };
    QList<bool> printed;
    l.detail->afterPrint = [&](ReportBand&, bool p) { printed << p; };
    const ReportDocument& doc = l.r.run();

    EXPECT_EQ(namedTexts(doc, "QRDBText2"), QStringList({"SPORCU 2", "SPORCU 4", "SPORCU 6"}));
    EXPECT_EQ(printed, QList<bool>({false, true, false, true, false, true}));
    const auto rows = doc.pages[0].findAll("QRDBText2");
    EXPECT_NEAR(rows[1]->rect.top() - rows[0]->rect.top(), 10, 1e-6);
}

TEST(ReportEngineLayout, PageFooterSumCountsTheRowsOfItsOwnPage)
{
    Report r;
    ReportQuery q("Query1");
    q.openRows(numberedRows(30));
    r.dataSet = &q;
    ReportBand* detail = r.addBand(ReportBand::Detail, "DetailBand1", 10);
    detail->addDataText("QRDBText1", {0, 0, 20, 5}, &q, "No");
    detail->addExpr("QRExpr2", {30, 0, 20, 5}, "SUM(No)");   // running total
    ReportExpr* pageSum = r.addBand(ReportBand::PageFooter, "PageFooterBand1", 10)
                              ->addExpr("QRExpr1", {0, 0, 50, 5}, "'Sayfa toplamı: ' + STR(SUM(No))");
    pageSum->resetAfterPrint = true;
    const ReportDocument& doc = r.run();
    // 26 rows fit on the first page; the 27th, which breaks the page, counts
    // on the second.
    ASSERT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(doc.pages[0].find("QRExpr1")->text, "Sayfa toplamı: 351");
    EXPECT_EQ(doc.pages[1].find("QRExpr1")->text, "Sayfa toplamı: 114");
    EXPECT_EQ(doc.pages[0].find("QRExpr2")->text, "1");
    EXPECT_EQ(doc.pages[1].find("QRExpr2")->text, "378");
}

TEST(ReportEngineLayout, DisabledBandAndControlPrintNothing)
{
    ListReport l;
    l.q.openRows(numberedRows(3));
    l.header->enabled = false;
    l.detail->control("QRDBText1")->enabled = false;
    const ReportDocument& doc = l.r.run();
    EXPECT_EQ(doc.pages[0].find("QRLabel9"), nullptr);
    EXPECT_EQ(doc.pages[0].find("QRDBText1"), nullptr);
    EXPECT_NEAR(doc.pages[0].find("QRDBText2")->rect.top(), 10 + 2, 1e-6);
}

TEST(ReportEngineLayout, ReportWithoutRowsPrintsOnePageWithTitleAndSummary)
{
    ListReport l;
    l.r.addBand(ReportBand::Title, "TitleBand1", 15)->addLabel("QRLabel1", {0, 0, 190, 8}, "BAŞLIK");
    l.r.addBand(ReportBand::Summary, "SummaryBand1", 10)->addLabel("QRLabel2", {0, 0, 190, 8}, "SON");
    const ReportDocument& doc = l.r.run();
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(doc.pages[0].texts(), QStringList({"LİSTE BAŞLIĞI", "BAŞLIK", "SON", "Sayfa 1 / 1"}));
    // The title follows the page header, the summary the title.
    EXPECT_NEAR(doc.pages[0].find("QRLabel1")->rect.top(), 30, 1e-6);
    EXPECT_NEAR(doc.pages[0].find("QRLabel2")->rect.top(), 45, 1e-6);
}

TEST(ReportEngineLayout, ColumnHeaderRepeatsOnEveryPageUnderTheTitle)
{
    ListReport l;
    l.q.openRows(numberedRows(30));
    l.r.addBand(ReportBand::Title, "TitleBand1", 15)->addLabel("QRLabel1", {0, 0, 190, 8}, "BAŞLIK");
    l.r.addBand(ReportBand::ColumnHeader, "ColumnHeaderBand1", 8)->addLabel("QRLabel3", {20, 1, 50, 5}, "Adı Soyadı");
    const ReportDocument& doc = l.r.run();
    ASSERT_EQ(doc.pageCount(), 2);
    EXPECT_NEAR(doc.pages[0].find("QRLabel3")->rect.top(), 10 + 20 + 15 + 1, 1e-6);
    EXPECT_EQ(doc.pages[1].find("QRLabel1"), nullptr);
    EXPECT_NEAR(doc.pages[1].find("QRLabel3")->rect.top(), 10 + 20 + 1, 1e-6);
    EXPECT_NEAR(doc.pages[1].find("QRDBText2")->rect.top(), 10 + 20 + 8 + 2, 1e-6);
    EXPECT_EQ(namedTexts(doc, "QRDBText2"), expectedNames(1, 30));
}

TEST(ReportEngineLayout, ForcedNewPageStartsEachGroupOnItsOwnPage)
{
    Report r;
    ReportQuery q("Query1");
    Records rows;
    for (const char* b : {"A", "A", "B", "C", "C"})
        rows << Record({"Bolge"}, {QString(b)});
    q.openRows(rows);
    r.dataSet = &q;
    ReportBand* group = r.addGroup("QRGroup1", 10, "Bolge");
    group->forceNewPage = true;
    group->addDataText("QRDBText1", {0, 0, 50, 5}, &q, "Bolge");
    r.addBand(ReportBand::Detail, "DetailBand1", 6)->addDataText("QRDBText2", {10, 0, 50, 5}, &q, "Bolge");
    const ReportDocument& doc = r.run();
    ASSERT_EQ(doc.pageCount(), 3);
    EXPECT_EQ(doc.pages[0].texts(), QStringList({"A", "A", "A"}));
    EXPECT_EQ(doc.pages[1].texts(), QStringList({"B", "B"}));
    EXPECT_EQ(doc.pages[2].texts(), QStringList({"C", "C", "C"}));
    // The first group does not leave an empty first page behind.
    EXPECT_NEAR(doc.pages[0].find("QRDBText1")->rect.top(), 10, 1e-6);
}

TEST(ReportEngineLayout, TwoColumnsFillTheLeftColumnFirst)
{
    Report r;
    ReportQuery q("Query1");
    q.openRows(numberedRows(30));
    r.dataSet = &q;
    r.page.columns = 2;
    r.page.columnSpace = 10;
    r.page.topMargin = r.page.bottomMargin = 0;
    r.addBand(ReportBand::Detail, "DetailBand1", 33.9)->addDataText("QRDBText1", {2, 4, 80, 5}, &q, "Ad");
    const ReportDocument& doc = r.run();
    // 297 / 33.9: 8 labels a column, 16 a page.
    ASSERT_EQ(doc.pageCount(), 2);
    const auto labels = doc.pages[0].findAll("QRDBText1");
    ASSERT_EQ(labels.size(), 16u);
    EXPECT_EQ(labels[0]->text, "SPORCU 1");
    EXPECT_NEAR(labels[0]->rect.left(), 10 + 2, 1e-6);
    EXPECT_EQ(labels[8]->text, "SPORCU 9");
    EXPECT_NEAR(labels[8]->rect.left(), 10 + 90 + 10 + 2, 1e-6);   // column width (190 - 10) / 2
    EXPECT_NEAR(labels[8]->rect.top(), labels[0]->rect.top(), 1e-6);
    EXPECT_EQ(doc.pages[1].findAll("QRDBText1").size(), 14u);
}

TEST(ReportEngineLayout, ColumnsFilledAcrossGoRowByRow)
{
    Report r;
    ReportQuery q("Query1");
    q.openRows(numberedRows(19));
    r.dataSet = &q;
    r.page.columns = 2;
    r.page.columnsAcross = true;
    r.page.topMargin = r.page.bottomMargin = 0;
    r.addBand(ReportBand::Detail, "DetailBand1", 33.9)->addDataText("QRDBText1", {2, 4, 80, 5}, &q, "Ad");
    r.addBand(ReportBand::Summary, "SummaryBand1", 6)->addLabel("QRLabel1", {0, 0, 40, 5}, "SON");
    const ReportDocument& doc = r.run();
    // Two labels a row, 8 rows a page.
    ASSERT_EQ(doc.pageCount(), 2);
    const auto labels = doc.pages[0].findAll("QRDBText1");
    ASSERT_EQ(labels.size(), 16u);
    EXPECT_EQ(labels[1]->text, "SPORCU 2");
    EXPECT_NEAR(labels[1]->rect.left(), 10 + 95 + 2, 1e-6);
    EXPECT_NEAR(labels[1]->rect.top(), labels[0]->rect.top(), 1e-6);
    EXPECT_EQ(labels[2]->text, "SPORCU 3");
    EXPECT_NEAR(labels[2]->rect.left(), 10 + 2, 1e-6);
    EXPECT_NEAR(labels[2]->rect.top(), labels[0]->rect.top() + 33.9, 1e-6);
    const auto rest = doc.pages[1].findAll("QRDBText1");
    ASSERT_EQ(rest.size(), 3u);
    // A full-width band goes below the last, half-filled row.
    EXPECT_NEAR(doc.pages[1].find("QRLabel1")->rect.top(), rest[2]->rect.top() - 4 + 33.9, 1e-6);
}

TEST(ReportEngineLayout, WordWrappedMemoStretchesItsBand)
{
    Report r;
    ReportBand* b = r.addBand(ReportBand::Detail, "DetailBand1", 10);
    const QString text = "Bu kart, vize yapıldığı yıl için geçerlidir. This ID Card is valid during the year issued.";
    ReportMemo* memo = b->addMemo("QRMemo1", {0, 2, 40, 5}, {text});
    memo->autoStretch = true;
    r.addBand(ReportBand::Summary, "SummaryBand1", 5)->addLabel("QRLabel1", {0, 0, 40, 5}, "SON");
    const ReportDocument& doc = r.run();

    const auto lines = doc.pages[0].findAll("QRMemo1");
    ASSERT_GT(lines.size(), 2u);
    QStringList words;
    double bottom = 0;
    for (const ReportItem* line : lines) {
        EXPECT_LE(ReportFonts::textWidth(line->font, line->text), 40 + 1e-6) << line->text.toStdString();
        words << line->text.split(' ', Qt::SkipEmptyParts);
        bottom = line->rect.bottom();
    }
    EXPECT_EQ(words.join(' '), text);
    // The band grew to the memo's last line; the summary follows it.
    EXPECT_NEAR(doc.pages[0].find("QRLabel1")->rect.top(), bottom, 1e-6);
}

TEST(ReportEngineLayout, BandTallerThanAPageGoesOnOverTheBreakBetweenLines)
{
    Report r;
    ReportBand* b = r.addBand(ReportBand::Detail, "DetailBand1", 10);
    QStringList text;
    for (int i = 1; i <= 150; ++i)
        text << QString("Satır %1").arg(i);
    ReportMemo* memo = b->addMemo("QRMemo1", {0, 0, 100, 5}, text);
    memo->autoStretch = true;
    r.addBand(ReportBand::PageFooter, "PageFooterBand1", 10)->addLabel("QRLabel1", {0, 0, 40, 5}, "ALT");
    const ReportDocument& doc = r.run();

    ASSERT_GE(doc.pageCount(), 2);
    QStringList all;
    for (const ReportPage& p : doc.pages) {
        for (const ReportItem* line : p.findAll("QRMemo1")) {
            all << line->text;
            EXPECT_TRUE(line->clip.isNull()) << "line cut at the page break: " << line->text.toStdString();
            EXPECT_GE(line->rect.top(), 10 - 1e-6);
            EXPECT_LE(line->rect.bottom(), 297 - 10 - 10 + 1e-6);
        }
        EXPECT_NE(p.find("QRLabel1"), nullptr);
    }
    EXPECT_EQ(all, text);
}

TEST(ReportEngineLayout, LabelFramesDrawEdgesAndShapesKeepTheirGeometry)
{
    Report r;
    ReportBand* b = r.addBand(ReportBand::Detail, "DetailBand1", px(16));
    ReportLabel* line = b->addLabel("QRLabel1", {px(2), px(3), px(182), px(13)}, " ");
    line->frame.top = true;
    ReportLabel* join = b->addLabel("QRLabel2", {px(184), px(3), px(8), px(13)}, "");
    join->frame.right = true;
    join->frame.color = QColor(0x70, 0x70, 0x70);
    // The upper connector reaches above the band into the row before it.
    ReportLabel* upper = b->addLabel("QRLabel4", {px(184), -px(8), px(8), px(12)}, "");
    upper->frame.right = true;
    b->addShape("QRShape1", {100, 1, 50, 2}, ReportShape::HorLine);
    auto* box = b->addShape("QRShape2", {150, 0, 20, 4}, ReportShape::Rectangle);
    box->brush = Qt::blue;
    b->addShape("QRShape3", {175, 0, 4, 4}, ReportShape::Circle);
    const ReportDocument& doc = r.run();
    const ReportPage& p = doc.pages[0];

    const ReportItem* top = nullptr;
    for (const ReportItem* i : p.findAll("QRLabel1"))
        if (i->kind == ReportItem::Line)
            top = i;
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->line, QLineF(10 + px(2), 10 + px(3), 10 + px(184), 10 + px(3)));
    const ReportItem* right = p.find("QRLabel2");
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(right->kind, ReportItem::Line);
    EXPECT_EQ(right->line, QLineF(10 + px(192), 10 + px(3), 10 + px(192), 10 + px(16)));
    EXPECT_EQ(right->penColor, QColor(0x70, 0x70, 0x70));

    const ReportItem* up = p.find("QRLabel4");
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->line, QLineF(10 + px(192), 10 - px(8), 10 + px(192), 10 + px(4)));
    EXPECT_TRUE(up->clip.isNull());

    const ReportItem* rule = p.find("QRShape1");
    EXPECT_EQ(rule->kind, ReportItem::Line);
    EXPECT_EQ(rule->line, QLineF(110, 12, 160, 12));
    const ReportItem* rect = p.find("QRShape2");
    EXPECT_EQ(rect->kind, ReportItem::Rect);
    EXPECT_EQ(rect->rect, QRectF(160, 10, 20, 4));
    EXPECT_EQ(rect->brush, QColor(Qt::blue));
    EXPECT_EQ(p.find("QRShape3")->kind, ReportItem::Ellipse);
}

TEST(ReportEngineLayout, ControlsBelowAShortenedBandAreLeftOff)
{
    // A sheet that shortens its band for some rows leaves the blocks below
    // the new height off the page and cuts a box that crosses it.
    Report r;
    ReportQuery q("Query1");
    q.openRows(numberedRows(2));
    r.dataSet = &q;
    ReportBand* b = r.addBand(ReportBand::Detail, "DetailBand1", 100);
    b->frame.bottom = true;
    b->addLabel("QRLabel1", {0, 0, 50, 5}, "ÜST");
    ReportLabel* edge = b->addLabel("QRLabel2", {0, 35, 50, 5}, "SINIR");
    edge->frame.bottom = true;   // its bottom edge lies on the shortened band's edge
    b->addShape("QRShape1", {60, 30, 20, 20}, ReportShape::Rectangle);
    b->addLabel("QRLabel3", {0, 60, 50, 5}, "HAKEM BLOKU");
    b->beforePrint = [&](ReportBand& band, bool&) { band.height = q.toInt("No") == 1 ? 40 : 100; };
    const ReportPage& p = r.run().pages[0];

    EXPECT_EQ(p.findAll("QRLabel1").size(), 2u);
    EXPECT_EQ(p.findAll("QRLabel3").size(), 1u);   // the full-height row only
    const auto boxes = p.findAll("QRShape1");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0]->clip.bottom(), 10 + 40);
    EXPECT_TRUE(boxes[1]->clip.isNull());
    int edges = 0;
    for (const ReportItem* i : p.findAll("QRLabel2"))
        edges += i->kind == ReportItem::Line;
    EXPECT_EQ(edges, 2);
    EXPECT_EQ(p.findAll("DetailBand1").size(), 2u);   // both band frames
}

struct ImageCase {
    const char* name;
    bool stretch;
    bool keepAspect;
    bool center;
    QRectF expected;   // page millimetres; the frame is at (10, 10), 40 x 40
    bool clipped;
};

class ReportEngineImage : public ::testing::TestWithParam<ImageCase> {};

TEST_P(ReportEngineImage, PicturePlacementFollowsStretchAndAspect)
{
    Report r;
    r.page.leftMargin = r.page.topMargin = 0;
    ReportBand* b = r.addBand(ReportBand::Detail, "DetailBand1", 60);
    ReportImage* img = b->addImage("QRImage1", {10, 10, 40, 40});
    // 200 x 100 dots at 100 dots per centimetre: 20 x 10 mm of its own.
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.setDotsPerMeterX(10000);
    picture.setDotsPerMeterY(10000);
    img->picture = picture;
    img->stretch = GetParam().stretch;
    img->keepAspect = GetParam().keepAspect;
    img->center = GetParam().center;
    const ReportItem* item = r.run().pages[0].find("QRImage1");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->kind, ReportItem::Image);
    EXPECT_EQ(item->image.size(), QSize(200, 100));
    EXPECT_NEAR(item->rect.left(), GetParam().expected.left(), 1e-6);
    EXPECT_NEAR(item->rect.top(), GetParam().expected.top(), 1e-6);
    EXPECT_NEAR(item->rect.width(), GetParam().expected.width(), 1e-6);
    EXPECT_NEAR(item->rect.height(), GetParam().expected.height(), 1e-6);
    EXPECT_EQ(!item->clip.isNull(), GetParam().clipped);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ReportEngineImage,
    ::testing::Values(ImageCase{"OwnSize", false, false, false, {10, 10, 20, 10}, false},
                      ImageCase{"OwnSizeCentred", false, false, true, {20, 25, 20, 10}, false},
                      ImageCase{"Stretched", true, false, false, {10, 10, 40, 40}, false},
                      ImageCase{"KeepAspect", true, true, false, {10, 10, 40, 20}, false},
                      ImageCase{"KeepAspectCentred", true, true, true, {10, 20, 40, 20}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReportEngineLayout, LargePictureAtItsOwnSizeIsCutAtTheFrame)
{
    Report r;
    ReportBand* b = r.addBand(ReportBand::Detail, "DetailBand1", 60);
    ReportImage* img = b->addImage("QRImage1", {0, 0, 10, 10});
    img->picture = QImage(400, 400, QImage::Format_RGB32);   // 96 dpi: about 106 mm
    const ReportItem* item = r.run().pages[0].find("QRImage1");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->clip, QRectF(10, 10, 10, 10));
}

// A control of its own kind: a picture rebuilt from a text for every row, as
// the cards' barcode is.
class TextPicture : public ReportImage {
public:
    TextPicture(ReportBand* band, QString name, const QRectF& rect) : ReportImage(band, std::move(name), rect) {}
    void setText(const QString& text)
    {
        picture = QImage(int(text.size()) * 10, 40, QImage::Format_RGB32);
        picture.fill(Qt::black);
    }
};

TEST(ReportEngineLayout, ControlOfItsOwnClassPrintsWhatItBuildsForEachRow)
{
    Report r;
    ReportQuery q("Query1");
    q.openRows({Record({"Vergi_Numarasi"}, {QString("0000012")}), Record({"Vergi_Numarasi"}, {QString("123")})});
    r.dataSet = &q;
    ReportBand* b = r.addBand(ReportBand::Detail, "DetailBand1", 20);
    TextPicture* code = b->add<TextPicture>("ReportBarcode1", {0, 0, px(124), px(40)});
    q.afterScroll = [&](ReportQuery& query) { code->setText(query.str("Vergi_Numarasi")); };
    EXPECT_EQ(r.control("ReportBarcode1"), code);
    const auto pictures = r.run().pages[0].findAll("ReportBarcode1");
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0]->image.width(), 70);
    EXPECT_NEAR(pictures[0]->rect.width(), px(70), 1e-6);
    EXPECT_EQ(pictures[1]->image.width(), 30);
}

TEST(ReportEngineLayout, MissingPictureFilePrintsNothing)
{
    Report r;
    ReportImage* img = r.addBand(ReportBand::Detail, "DetailBand1", 20)->addImage("QRImage1", {0, 0, 10, 10});
    EXPECT_FALSE(img->loadFromFile("/yok/R12.jpg"));
    EXPECT_EQ(r.run().pages[0].find("QRImage1"), nullptr);
}

TEST(ReportEngineLayout, StartPageEventSeesEachPageBeforeItsHeader)
{
    ListReport l;
    l.q.openRows(numberedRows(60));
    ReportMemo* box = l.footer->addMemo("QRMemo1", {0, 0, 50, 5}, {"SONUÇ"});
    QList<int> seen;
    l.r.startPage = [&](Report&, int page) {
        seen << page;
        box->enabled = page == 3;   // the result box goes on the third page only
    };
    const ReportDocument& doc = l.r.run();
    ASSERT_EQ(doc.pageCount(), 3);
    EXPECT_EQ(seen, QList<int>({1, 2, 3}));
    EXPECT_EQ(doc.pages[0].find("QRMemo1"), nullptr);
    EXPECT_EQ(doc.pages[1].find("QRMemo1"), nullptr);
    EXPECT_NE(doc.pages[2].find("QRMemo1"), nullptr);
}

TEST(ReportEngineLayout, ChildBandFollowsItsParentAndBandHeightMayChangePerRow)
{
    ListReport l;
    l.q.openRows(numberedRows(3));
    ReportBand* child = l.r.addChild(l.detail, "ChildBand1", 5);
    child->addLabel("QRLabel5", {0, 0, 50, 5}, "—");
    l.detail->beforePrint = [&](ReportBand& b, bool&) { b.height = l.q.toInt("No") == 2 ? 20 : 10; };
    const ReportDocument& doc = l.r.run();
    const auto rows = doc.pages[0].findAll("QRDBText2");
    const auto rules = doc.pages[0].findAll("QRLabel5");
    ASSERT_EQ(rows.size(), 3u);
    ASSERT_EQ(rules.size(), 3u);
    EXPECT_NEAR(rules[0]->rect.top(), 30 + 10, 1e-6);
    EXPECT_NEAR(rows[1]->rect.top(), 30 + 15 + 2, 1e-6);
    EXPECT_NEAR(rules[1]->rect.top(), 30 + 15 + 20, 1e-6);
    EXPECT_NEAR(rows[2]->rect.top(), 30 + 15 + 25 + 2, 1e-6);
}

TEST(ReportEngineLayout, AlignmentAndAutoSizePlaceTheTextBox)
{
    Report r;
    ReportBand* b = r.addBand(ReportBand::Detail, "DetailBand1", 20);
    ReportLabel* right = b->addLabel("QRLabel1", {0, 0, 100, 5}, "Sp.Sayısı: 12");
    right->alignment = Qt::AlignRight;
    right->autoSize = true;
    ReportLabel* centred = b->addLabel("QRLabel2", {0, 5, 100, 10}, "ORTA");
    centred->alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    b->addLabel("QRLabel3", {0, 15, 5, 5}, "UZUN BİR METİN");
    const ReportPage& p = r.run().pages[0];

    const ReportItem* a = p.find("QRLabel1");
    const double w = ReportFonts::textWidth(a->font, "Sp.Sayısı: 12");
    EXPECT_NEAR(a->rect.right(), 10 + 100, 1e-6);
    EXPECT_NEAR(a->rect.width(), w, 1e-6);
    const ReportItem* c = p.find("QRLabel2");
    EXPECT_EQ(c->alignment, Qt::AlignHCenter);
    EXPECT_NEAR(c->rect.center().y(), 10 + 10, 1e-6);
    // A fixed box cuts off what does not fit.
    EXPECT_EQ(p.find("QRLabel3")->clip, QRectF(10, 25, 5, 5));
}

TEST(ReportEngineLayout, FontsMapOntoTheRegisteredFaces)
{
    ASSERT_TRUE(ReportFonts::ensureRegistered()) << "fonts-dejavu-core is needed";
    struct Case {
        const char* design;
        const char* family;
    };
    for (const Case& c : {Case{"Arial", "DejaVu Sans"}, Case{"Tahoma", "DejaVu Sans"},
                          Case{"Arial Narrow", "DejaVu Sans Condensed"}, Case{"Times New Roman", "DejaVu Serif"},
                          Case{"Small Fonts", "DejaVu Sans"}}) {
        QFont design(c.design, 11);
        design.setBold(true);
        const QFont f = ReportFonts::resolve(design);
        EXPECT_EQ(f.family(), c.family) << c.design;
        EXPECT_EQ(QFontInfo(f).family(), c.family) << c.design;
        EXPECT_TRUE(f.bold());
        EXPECT_EQ(f.pointSizeF(), 11);
    }
}

// Whether a text fits a width is told without shaping where the text is far
// from it; every answer is the one its measured width gives, in the faces
// and sizes reports print with, for Turkish and Latin texts in both cases
// (ligatures "fi", "fl" and kerned pairs such as "AV" and "Yo" included).
TEST(ReportEngineLayout, FitsWidthAnswersAsTheMeasuredWidth)
{
    ASSERT_TRUE(ReportFonts::ensureRegistered()) << "fonts-dejavu-core is needed";
    std::mt19937 rnd(5);
    const QString letters = QString::fromUtf8("ABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZabcçdefgğhıijklmnoöprsştuüvyzâîû"
                                              "0123456789 .,-/()'AVYoTeWaLTfifflffi");
    QFont condensed("Arial Narrow", 9), serif("Times New Roman", 12), bold("Arial", 10), italic("Tahoma", 7);
    bold.setBold(true);
    italic.setItalic(true);
    int cases = 0;
    for (const QFont& design : {QFont("Arial", 8), bold, condensed, serif, italic}) {
        const QFont font = ReportFonts::resolve(design);
        for (int n = 0; n < 300; ++n) {
            QString text;
            const int length = 1 + int(rnd() % 30);
            for (int i = 0; i < length; ++i)
                text += letters[int(rnd() % unsigned(letters.size()))];
            const double width = ReportFonts::textWidth(font, text);
            for (double factor : {0.5, 0.9, 0.97, 0.99, 0.999, 1.0, 1.001, 1.01, 1.03, 1.1, 2.0}) {
                const double limit = width * factor;
                ASSERT_EQ(ReportFonts::fitsWidth(font, text, limit), width <= limit)
                    << qPrintable(text) << " " << qPrintable(font.toString()) << " x" << factor;
                ++cases;
            }
        }
    }
    EXPECT_EQ(cases, 5 * 300 * 11);
}

} // namespace

namespace {

TEST(ReportEngineLayout, ANarrowFontPrintsNarrowerThanTheNormalOne)
{
    ASSERT_TRUE(ReportFonts::ensureRegistered()) << "fonts-dejavu-core is needed";
    const QString text = QString::fromUtf8("KAHRAMANMARAŞ BÜYÜKŞEHİR BELEDİYESPOR");
    for (bool bold : {false, true}) {
        QFont normal("Arial", 8), narrow("Arial Narrow", 8);
        normal.setBold(bold);
        narrow.setBold(bold);
        const double wide = ReportFonts::textWidth(ReportFonts::resolve(normal), text);
        const double condensed = ReportFonts::textWidth(ReportFonts::resolve(narrow), text);
        // DejaVu Sans Condensed is about 87 % as wide as DejaVu Sans.
        EXPECT_LT(condensed, wide * 0.9) << "bold " << bold;
        EXPECT_GT(condensed, wide * 0.8) << "bold " << bold;
    }
}

} // namespace
