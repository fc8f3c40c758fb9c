// The report engine walking data: datasets on a station database,
// sub-details, groups with sums, need-data reports, row numbering.
#include "platform/db/Schema.h"
#include "platform/report/Report.h"
#include "support/TestSupport.h"

namespace {

class ReportEngineData : public StationTest {
protected:
    void SetUp() override
    {
        StationTest::SetUp();
        Schema s;
        s.addTable({"T_SPORCU",
                    {Col::integer("Sira"), Col::text("Ad"), Col::text("Bolge"), Col::text("Brans"),
                     Col::text("Cinsiyet"), Col::real("Puan")},
                    "Sira",
                    {}});
        s.create(db);
        struct Row {
            int sira;
            const char* ad;
            const char* bolge;
            const char* brans;
            const char* cinsiyet;
            double puan;
        };
        for (const Row& r : {Row{1, "AHMET", "ANKARA", "60 KİLO", "ERKEK", 3}, Row{2, "ÇAĞRI", "İZMİR", "60 KİLO", "ERKEK", 1},
                             Row{3, "ŞULE", "ANKARA", "55 KİLO", "BAYAN", 2}, Row{4, "ÖZGE", "İZMİR", "55 KİLO", "BAYAN", 1},
                             Row{5, "İLKER", "ANKARA", "70 KİLO", "ERKEK", 4}, Row{6, "ÜMİT", "BURSA", "70 KİLO", "ERKEK", 0}})
            db.insert("T_SPORCU", {{"Sira", r.sira}, {"Ad", QString::fromUtf8(r.ad)}, {"Bolge", QString::fromUtf8(r.bolge)},
                                   {"Brans", QString::fromUtf8(r.brans)}, {"Cinsiyet", r.cinsiyet}, {"Puan", r.puan}});
        Query1.database = &db;
        Query2.database = &db;
    }

    Report r;
    ReportQuery Query1{"Query1"};
    ReportQuery Query2{"Query2"};
};

const char* const kSections = "select Cinsiyet, Brans from T_SPORCU group by Cinsiyet, Brans order by Cinsiyet desc, Brans";

TEST_F(ReportEngineData, SubDetailPrintsItsRowsForEveryMasterRowThroughTheMasterLink)
{
    Query2.sql = kSections;
    Query1.sql = "select * from T_SPORCU where Cinsiyet = :Cinsiyet and Brans = :Brans order by Ad";
    Query1.master = &Query2;
    r.addBand(ReportBand::PageHeader, "PageHeaderBand1", 10)
        ->addSysData("QRSysData1", {0, 0, 50, 5}, ReportSysData::PageNumber, "Sayfa ");
    ReportBand* section = r.addSubDetail("QRSubDetail2", 10, &Query2);
    section->forceNewPage = true;
    section->addDataText("QRLabel10", {0, 0, 100, 5}, &Query2, "Brans");
    ReportBand* rows = r.addSubDetail("QRSubDetail1", 6, &Query1, section);
    rows->addDataText("QRDBText1", {10, 0, 80, 5}, &Query1, "Ad");
    const ReportDocument& doc = r.run();

    ASSERT_EQ(doc.pageCount(), 3);
    EXPECT_EQ(doc.pages[0].texts(), QStringList({"Sayfa 1", "60 KİLO", "AHMET", "ÇAĞRI"}));
    EXPECT_EQ(doc.pages[1].texts(), QStringList({"Sayfa 2", "70 KİLO", "İLKER", "ÜMİT"}));
    EXPECT_EQ(doc.pages[2].texts(), QStringList({"Sayfa 3", "55 KİLO", "ÖZGE", "ŞULE"}));
}

TEST_F(ReportEngineData, SectionHandlerReopensTheRowQueryAndColoursRows)
{
    // The section's scroll event reopens the rows of its group and sets the
    // count label; the row's scroll event greys rows without points.
    Query2.sql = kSections;
    r.addBand(ReportBand::PageHeader, "PageHeaderBand1", 10)->addLabel("QRLabel9", {0, 0, 100, 5}, "BAŞLIK");
    ReportBand* section = r.addSubDetail("QRSubDetail2", 10, &Query2);
    ReportLabel* caption = section->addLabel("QRLabel10", {0, 0, 100, 5});
    ReportLabel* count = section->addLabel("QRLabel8", {120, 0, 60, 5});
    ReportBand* rows = r.addSubDetail("QRSubDetail1", 6, &Query1, section);
    rows->addDataText("QRDBText1", {10, 0, 80, 5}, &Query1, "Ad");
    Query2.afterScroll = [&](ReportQuery& q) {
        if (q.eof())
            return;
        Query1.close();
        Query1.sql = "select * from T_SPORCU where Cinsiyet = :g and Brans = :b order by Puan desc, Ad";
        Query1.params = {{"g", q.str("Cinsiyet")}, {"b", q.str("Brans")}};
        Query1.open();
        caption->caption = q.str("Brans") + " TARTI LİSTESİ";
        count->caption = "Sp.Sayısı: " + QString::number(Query1.recordCount());
    };
    Query1.afterScroll = [&](ReportQuery& q) {
        rows->color = !q.eof() && q.toDouble("Puan") == 0 ? QColor(14541539 & 0xff, (14541539 >> 8) & 0xff, 14541539 >> 16)
                                                         : QColor(Qt::transparent);
    };
    Query2.open();
    const ReportDocument& doc = r.run();

    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(doc.pages[0].texts(),
              QStringList({"BAŞLIK", "60 KİLO TARTI LİSTESİ", "Sp.Sayısı: 2", "AHMET", "ÇAĞRI", "70 KİLO TARTI LİSTESİ",
                           "Sp.Sayısı: 2", "İLKER", "ÜMİT", "55 KİLO TARTI LİSTESİ", "Sp.Sayısı: 2", "ŞULE", "ÖZGE"}));
    std::vector<const ReportItem*> grey;
    for (const ReportItem& i : doc.pages[0].items)
        if (i.kind == ReportItem::Rect && i.name == "QRSubDetail1")
            grey.push_back(&i);
    ASSERT_EQ(grey.size(), 1u);   // ÜMİT's row only
    EXPECT_EQ(grey[0]->brush, QColor(0xE3, 0xE2, 0xDD));
    const ReportItem* umit = nullptr;
    for (const ReportItem* t : doc.pages[0].findAll("QRDBText1"))
        if (t->text == "ÜMİT")
            umit = t;
    ASSERT_NE(umit, nullptr);
    EXPECT_TRUE(grey[0]->rect.contains(umit->rect.topLeft()));
}

TEST_F(ReportEngineData, GroupFooterSumsItsGroupAndTheSummaryTheReport)
{
    Query1.sql = "select * from T_SPORCU order by Bolge, Ad";
    r.dataSet = &Query1;
    ReportBand* group = r.addGroup("QRGroup1", 6, "Bolge");
    group->addDataText("QRDBText1", {0, 0, 50, 5}, &Query1, "Bolge");
    ReportBand* detail = r.addBand(ReportBand::Detail, "DetailBand1", 6);
    detail->addDataText("QRDBText2", {10, 0, 50, 5}, &Query1, "Ad");
    detail->addDataText("QRDBText3", {70, 0, 20, 5}, &Query1, "Puan");
    ReportBand* footer = r.addGroupFooter(group, "QRBand1", 6);
    footer->addExpr("QRExpr1", {70, 0, 20, 5}, "SUM(Puan)")->resetAfterPrint = true;
    footer->addExpr("QRExpr2", {100, 0, 20, 5}, "COUNT")->resetAfterPrint = true;
    // A data text in the footer shows the group's last row, not the next group's first.
    footer->addDataText("QRDBText4", {130, 0, 40, 5}, &Query1, "Bolge");
    ReportBand* summary = r.addBand(ReportBand::Summary, "SummaryBand1", 6);
    summary->addExpr("QRExpr3", {70, 0, 20, 5}, "SUM(Puan)");
    summary->addExpr("QRExpr4", {100, 0, 40, 5}, "'Toplam: ' + STR(COUNT)");
    summary->addExpr("QRExpr5", {150, 0, 40, 5}, "MAX(Puan)");
    const ReportDocument& doc = r.run();

    EXPECT_EQ(doc.texts(), QStringList({"ANKARA", "AHMET", "3", "İLKER", "4", "ŞULE", "2", "9", "3", "ANKARA",
                                        "BURSA", "ÜMİT", "0", "0", "1", "BURSA",
                                        "İZMİR", "ÇAĞRI", "1", "ÖZGE", "1", "2", "2", "İZMİR",
                                        "11", "Toplam: 6", "4"}));
    // A second run starts the sums again.
    EXPECT_EQ(r.run().texts().mid(24), QStringList({"11", "Toplam: 6", "4"}));
}

TEST_F(ReportEngineData, RowsSkippedByTheBandDoNotCountInItsSums)
{
    Query1.sql = "select * from T_SPORCU order by Sira";
    r.dataSet = &Query1;
    ReportBand* detail = r.addBand(ReportBand::Detail, "DetailBand1", 6);
    detail->addDataText("QRDBText1", {0, 0, 50, 5}, &Query1, "Ad");
    detail->beforePrint = [&](ReportBand&, bool& print) { print = Query1.str("Cinsiyet") == "BAYAN"; };
    r.addBand(ReportBand::Summary, "SummaryBand1", 6)->addExpr("QRExpr1", {0, 0, 50, 5}, "SUM(Puan)");
    EXPECT_EQ(r.run().texts(), QStringList({"ŞULE", "ÖZGE", "3"}));
}

TEST_F(ReportEngineData, LineNumbersStartAtOneInEveryPass)
{
    // The numbering habit of the report forms: a first-row flag set by the
    // caller, cleared before the first move; the counter returns to 0 at the
    // end of the data.
    int FFirstRow = 1;
    int FLineNo = 0;
    Query1.sql = "select * from T_SPORCU order by Sira";
    r.dataSet = &Query1;
    ReportBand* detail = r.addBand(ReportBand::Detail, "DetailBand1", 6);
    ReportLabel* no = detail->addLabel("QRLabel1", {0, 0, 10, 5});
    no->alignment = Qt::AlignRight;
    detail->addDataText("QRDBText1", {12, 0, 50, 5}, &Query1, "Ad");
    Query1.beforeScroll = [&](ReportQuery&) {
        if (FFirstRow == 1) {
            FFirstRow = 0;
            FLineNo = 0;
        }
    };
    Query1.afterScroll = [&](ReportQuery& q) {
        if (q.eof()) {
            FLineNo = 0;
            return;
        }
        no->caption = QString::number(++FLineNo);
    };
    Query1.open();
    auto numbers = [](const ReportDocument& doc) {
        QStringList out;
        for (const ReportItem* i : doc.pages[0].findAll("QRLabel1"))
            out << i->text;
        return out;
    };
    EXPECT_EQ(numbers(r.run()), QStringList({"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(FLineNo, 0);
    EXPECT_EQ(numbers(r.run()), QStringList({"1", "2", "3", "4", "5", "6"}));
}

TEST_F(ReportEngineData, NeedDataReportPrintsARowForEveryRequestAnswered)
{
    const QStringList rowTexts = {"AHMET\rANKARA", "", "ÇAĞRI\rİZMİR"};
    int FRowIndex = 0;
    ReportBand* detail = r.addBand(ReportBand::Detail, "DetailBand1", 6);
    ReportLabel* name = detail->addLabel("QRLabel53", {0, 0, 50, 5});
    ReportLabel* place = detail->addLabel("QRLabel52", {60, 0, 50, 5});
    r.beforePrint = [&](Report&) { FRowIndex = 0; };
    r.needData = [&](Report&, bool& more) {
        more = FRowIndex < rowTexts.size();
        if (!more)
            return;
        const QString t = rowTexts[FRowIndex++];
        name->caption = t.section('\r', 0, 0);
        place->caption = t.section('\r', 1);
    };
    const ReportDocument& doc = r.run();
    EXPECT_EQ(doc.texts(), QStringList({"AHMET", "ANKARA", "ÇAĞRI", "İZMİR"}));
    EXPECT_EQ(doc.pages[0].findAll("QRLabel53").size(), 2u);
    EXPECT_NEAR(doc.pages[0].find("QRLabel53")->rect.top(), 10, 1e-6);
    // The empty row still took its place.
    EXPECT_NEAR(doc.pages[0].findAll("QRLabel53")[1]->rect.top(), 10 + 12, 1e-6);
    // Run again: the report's own reset starts over.
    EXPECT_EQ(r.run().texts(), doc.texts());
}

TEST_F(ReportEngineData, NeedDataHandlerThatNeverAnswersPrintsTheBodyOnceAndItsSubDetailsWalk)
{
    // The activity reports: the first request opens the dataset; nothing sets
    // the answer, so the body prints once and the sub-detail walks the rows.
    int FRowNo = 0;
    int opened = 0;
    r.needData = [&](Report&, bool&) {
        if (++FRowNo == 1) {
            Query1.sql = "select * from T_SPORCU order by Sira";
            Query1.open();
            ++opened;
        }
    };
    ReportBand* rows = r.addSubDetail("QRSubDetail1", 6, &Query1);
    rows->addDataText("QRDBText1", {0, 0, 50, 5}, &Query1, "Ad");
    rows->addExpr("QRExpr1", {60, 0, 50, 5}, "SUM(Puan)");   // a running total
    r.addBand(ReportBand::Summary, "SummaryBand1", 6)->addLabel("QRLabel1", {0, 0, 50, 5}, "SON");
    const ReportDocument& doc = r.run();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(FRowNo, 2);
    EXPECT_EQ(doc.texts(), QStringList({"AHMET", "3", "ÇAĞRI", "4", "ŞULE", "6", "ÖZGE", "7", "İLKER", "11", "ÜMİT",
                                        "11", "SON"}));
}

TEST_F(ReportEngineData, SubDetailHeaderAndFooterFrameItsRows)
{
    Query1.sql = "select * from T_SPORCU where Cinsiyet = 'BAYAN' order by Ad";
    Query2.sql = "select * from T_SPORCU where Cinsiyet = 'YOK'";
    ReportBand* women = r.addSubDetail("QRSubDetail1", 6, &Query1);
    women->addDataText("QRDBText1", {0, 0, 50, 5}, &Query1, "Ad");
    r.addSubDetailHeader(women, "QRBand1", 6)->addLabel("QRLabel1", {0, 0, 80, 5}, "BAYAN TAKIM PUANLAMASI");
    r.addSubDetailFooter(women, "QRBand2", 6)->addLabel("QRLabel2", {0, 0, 80, 5}, "-");
    ReportBand* none = r.addSubDetail("QRSubDetail2", 6, &Query2);
    none->addDataText("QRDBText2", {0, 0, 50, 5}, &Query2, "Ad");
    r.addSubDetailHeader(none, "QRBand3", 6)->addLabel("QRLabel3", {0, 0, 80, 5}, "BOŞ BÖLÜM");
    EXPECT_EQ(r.run().texts(), QStringList({"BAYAN TAKIM PUANLAMASI", "ÖZGE", "ŞULE", "-"}));
    none->printIfEmpty = true;
    EXPECT_EQ(r.run().texts(), QStringList({"BAYAN TAKIM PUANLAMASI", "ÖZGE", "ŞULE", "-", "BOŞ BÖLÜM"}));
}

TEST_F(ReportEngineData, SubDetailHeaderThatWouldStandAloneAtThePageFootMovesWithItsFirstRow)
{
    // A tall first band leaves room for a header but not for its first row.
    Query1.sql = "select * from T_SPORCU where Cinsiyet = 'BAYAN' order by Ad";
    Query2.sql = "select * from T_SPORCU where Sira = 1";
    r.page.topMargin = r.page.bottomMargin = 10;
    ReportBand* first = r.addSubDetail("QRSubDetail0", 297 - 20 - 8, &Query2);
    first->addLabel("QRLabel9", {0, 0, 80, 5}, "BAŞLIK");
    ReportBand* women = r.addSubDetail("QRSubDetail1", 6, &Query1);
    women->addDataText("QRDBText1", {0, 0, 50, 5}, &Query1, "Ad");
    r.addSubDetailHeader(women, "QRBand1", 6)->addLabel("QRLabel1", {0, 0, 80, 5}, "BAYANLAR");
    const ReportDocument& doc = r.run();
    ASSERT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(doc.pages[0].texts(), QStringList{"BAŞLIK"});
    EXPECT_EQ(doc.pages[1].texts(), QStringList({"BAYANLAR", "ÖZGE", "ŞULE"}));

    // With room for the header and a row, the header stays; the second row
    // goes over.
    first->height = 297 - 20 - 13;
    const ReportDocument& fits = r.run();
    ASSERT_EQ(fits.pageCount(), 2);
    EXPECT_EQ(fits.pages[0].texts(), QStringList({"BAŞLIK", "BAYANLAR", "ÖZGE"}));
    EXPECT_EQ(fits.pages[1].texts(), QStringList{"ŞULE"});
}

TEST_F(ReportEngineData, DataTextMaskAndCalculatedField)
{
    Query1.sql = "select * from T_SPORCU where Sira <= 2 order by Sira";
    Query1.addCalculated("Etiket", [](const ReportQuery& q) { return q.str("Ad") + " (" + q.str("Bolge") + ")"; });
    r.dataSet = &Query1;
    ReportBand* detail = r.addBand(ReportBand::Detail, "DetailBand1", 6);
    detail->addDataText("QRDBText1", {0, 0, 80, 5}, &Query1, "Etiket");
    detail->addDataText("QRDBText2", {90, 0, 30, 5}, &Query1, "Puan")->mask = "0.00";
    EXPECT_EQ(r.run().texts(), QStringList({"AHMET (ANKARA)", "3.00", "ÇAĞRI (İZMİR)", "1.00"}));
}

TEST_F(ReportEngineData, UnknownFieldAndBrokenQueryEndTheRunWithTheirMessages)
{
    Query1.sql = "select * from T_SPORCU";
    r.dataSet = &Query1;
    ReportBand* detail = r.addBand(ReportBand::Detail, "DetailBand1", 6);
    detail->addDataText("QRDBText1", {0, 0, 80, 5}, &Query1, "Yok");
    try {
        r.run();
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.message(), "Rapor alanı bulunamadı: Query1.Yok (QRDBText1)");
    }
    Query1.close();
    Query1.sql = "select * from T_YOK";
    EXPECT_THROW(r.run(), DbError);
    EXPECT_EQ(r.pageNumber(), 0);
}

TEST_F(ReportEngineData, ValuesTypedByUsersAreBoundNotPasted)
{
    db.insert("T_SPORCU", {{"Sira", 7}, {"Ad", "O'NEIL"}, {"Bolge", "ANKARA"}, {"Brans", "60 KİLO"},
                           {"Cinsiyet", "ERKEK"}, {"Puan", 0}});
    Query1.sql = "select * from T_SPORCU where Ad = :ad";
    Query1.params = {{"ad", "O'NEIL"}};
    r.dataSet = &Query1;
    r.addBand(ReportBand::Detail, "DetailBand1", 6)->addDataText("QRDBText1", {0, 0, 80, 5}, &Query1, "Ad");
    EXPECT_EQ(r.run().texts(), QStringList({"O'NEIL"}));
}

} // namespace

namespace ReportQueryPackingLocal {

// The report's dataset keeps its rows packed: every value comes back as it
// went in (its type, whether it is null, a null text and an empty one told
// apart), field names are found without regard to case, an unknown one is
// an error.
TEST(ReportQueryPacking, RowsComeBackAsTheyWentIn)
{
    QString badUtf16 = "A";
    badUtf16 += QChar(0xD800);   // half a surrogate pair
    const QStringList names = {"Metin", "Sayi", "Uzun", "Ondalik", "Tarih", "Bos", "Bayt", "Evet"};
    const Records rows = {
        Record(names, {QString("ŞÜKRÜ ÖZGÜR"), 7, qlonglong(9000000000LL), 56.5, QDate(2009, 3, 5),
                       QVariant(QMetaType::fromType<QString>()), QByteArray("ab\0c", 4), true}),
        Record(names, {QString::fromLatin1("", 0), QVariant(QMetaType::fromType<int>()), qlonglong(-1), -0.25,
                       QDateTime(QDate(2024, 2, 3), QTime(14, 5, 9)), QVariant(), QByteArray(), false}),
        Record(names, {QString(), 0, qlonglong(0), 0.0, QVariant(QMetaType::fromType<QDate>()), badUtf16,
                       QTime(8, 30), QVariant(QStringList{"a", "b"})}),
    };
    ReportQuery q("Query1");
    q.openRows(rows);
    ASSERT_EQ(q.recordCount(), 3);
    for (int n = 0; n < 3; ++n, q.next()) {
        const Record& back = q.record();
        ASSERT_EQ(back.fieldNames(), names);
        for (int c = 0; c < names.size(); ++c) {
            const QVariant a = rows[n].value(c), b = back.value(c);
            SCOPED_TRACE(qPrintable(QString("row %1 %2").arg(n).arg(names[c])));
            EXPECT_EQ(b.isValid(), a.isValid());
            EXPECT_EQ(b.metaType(), a.metaType());
            EXPECT_EQ(b.isNull(), a.isNull());
            EXPECT_EQ(b, a);
            if (a.typeId() == QMetaType::QString) {
                EXPECT_EQ(b.toString().isNull(), a.toString().isNull());
            }
            EXPECT_EQ(q.value(names[c].toUpper()), a) << "found without regard to case";
        }
    }
    EXPECT_TRUE(q.eof());
    EXPECT_FALSE(q.value("Metin").isValid()) << "nothing at the end of the data";
    q.first();
    try {
        q.value("Yok");
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(), "Alan bulunamadı: Yok");
    }
    q.viewRow(2);
    EXPECT_EQ(q.value("Sayi"), QVariant(0));
    q.clearView();
    EXPECT_EQ(q.str("metin"), "ŞÜKRÜ ÖZGÜR");
}

} // namespace ReportQueryPackingLocal

namespace {

// Rows read from the database through the packed rows are the rows a select
// gives.
TEST_F(ReportEngineData, DatasetRowsAreTheRowsOfTheSelect)
{
    db.insert("T_SPORCU", {{"Sira", 7}, {"Ad", QVariant()}, {"Bolge", ""}, {"Puan", 2.5}});
    Query1.sql = "select *, Sira * 2 as Cift, cast(Ad as blob) as Bayt from T_SPORCU order by Sira";
    Query1.open();
    const Records rows = db.select(Query1.sql);
    ASSERT_EQ(Query1.recordCount(), rows.size());
    for (int n = 0; !Query1.eof(); ++n, Query1.next()) {
        EXPECT_EQ(Query1.record().fieldNames(), rows[n].fieldNames());
        for (int c = 0; c < rows[n].fieldNames().size(); ++c) {
            EXPECT_EQ(Query1.record().value(c), rows[n].value(c));
            EXPECT_EQ(Query1.record().value(c).metaType(), rows[n].value(c).metaType());
            EXPECT_EQ(Query1.record().value(c).isNull(), rows[n].value(c).isNull());
        }
    }
}

} // namespace
