// Long reports go out page by page: straight into a PDF file or onto a
// printer, or through the preview's store (a few pages in memory, the rest in
// a temporary file). Every way gives the pages the whole document gives,
// "page n / total" included, and the page count is a number an expression can
// work with.
#include "platform/report/Report.h"
#include "platform/report/ReportOutput.h"
#include "platform/report/ReportPageStore.h"
#include "platform/report/ReportPreview.h"
#include "support/TestSupport.h"
#include "support/PrintedTexts.h"

#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTextDocument>
#include <QToolButton>

namespace ReportEngineStreamingTestLocal {

int pdfPages(const QString& path)
{
    QProcess p;
    p.start("pdfinfo", {path});
    p.waitForFinished(30000);
    const auto m = QRegularExpression("Pages:\\s+(\\d+)").match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QImage logo()
{
    QImage image(40, 20, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.fillRect(0, 0, 20, 20, QColor(200, 30, 30));
    return image;
}

// Rows a page of the list holds: A4 less the margins, the header and the
// footer, 7 mm a row.
constexpr int kRowsOnAPage = int((297.0 - 10 - 10 - 22 - 14) / 7);

// A register list of `rows` persons: a page header with a picture and a rule,
// rows in shaded bands, a footer with "Sayfa n / total" and, with an
// expression, a note that tells the last page from the others.
class LongList {
public:
    explicit LongList(int rows, bool lastPageNote = false)
    {
        Records data;
        for (int i = 1; i <= rows; ++i)
            data << Record({"No", "Ad", "Bolge"},
                           {i, QString("ÇAĞRI ÖZGÜR ŞİMŞEK %1").arg(i), i % 2 ? QString("İZMİR") : QString("IĞDIR")});
        q.openRows(data);
        r.dataSet = &q;
        r.title = "Genel Liste";
        ReportBand* head = r.addBand(ReportBand::PageHeader, "PageHeaderBand1", 22);
        head->addLabel("QRLabel9", {20, 4, 150, 8}, "GENEL LİSTE");
        head->addImage("QRImage1", {0, 2, 16, 8})->picture = logo();
        head->addShape("QRShape1", {0, 18, 190, 1}, ReportShape::HorLine);
        ReportBand* row = r.addBand(ReportBand::Detail, "DetailBand1", 7);
        row->addDataText("QRDBText1", {0, 1, 15, 5}, &q, "No")->alignment = Qt::AlignRight;
        row->addDataText("QRDBText2", {20, 1, 110, 5}, &q, "Ad");
        row->addDataText("QRDBText3", {135, 1, 50, 5}, &q, "Bolge")->frame.setAll(true);
        row->beforePrint = [this](ReportBand& b, bool&) {
            b.color = q.toInt("No") % 2 ? Qt::transparent : QColor(227, 226, 221);
        };
        ReportBand* foot = r.addBand(ReportBand::PageFooter, "PageFooterBand1", 14);
        foot->addSysData("QRSysData1", {0, 1, 190, 5}, ReportSysData::PageNumberOfTotal, "Sayfa ");
        if (lastPageNote)
            foot->addExpr("QRExpr1", {0, 7, 190, 5}, "IF(PAGENUMBER = PAGECOUNT, 'LİSTE SONU', 'DEVAMI ' + "
                                                     "STR(PAGENUMBER + 1) + '. SAYFADA (' + STR(PAGECOUNT - "
                                                     "PAGENUMBER) + ' SAYFA KALDI)')");
    }
    Report r;
    ReportQuery q{"Query1"};
};

class ReportEngineStreaming : public StationTest {};

// The whole document, the PDF written straight from the layout, the preview
// saved through its store (most pages in its file) and the printer give the
// same text, and the text is what the list holds.
TEST_F(ReportEngineStreaming, ALongReportWrittenPageByPageGivesTheSameTextAsTheWholeDocument)
{
    LongList list(2000);
    const ReportDocument& whole = list.r.run();
    const int pages = whole.pageCount();
    ASSERT_GT(pages, ReportPageStore::kPagesInMemory) << "most pages go through the store's file";
    const QString wholePdf = dir.filePath("butun.pdf");
    ASSERT_TRUE(ReportOutput::writePdf(whole, wholePdf, nullptr));

    const QString streamed = dir.filePath("akan.pdf");
    ASSERT_TRUE(list.r.saveToFile(streamed));
    EXPECT_EQ(list.r.pageCount(), pages);

    const QString previewed = dir.filePath("onizleme.pdf");
    modals().expect("ReportPreview", [&](QDialog* d) {
        auto* preview = static_cast<ReportPreview*>(d);
        EXPECT_EQ(preview->pages().pageCount(), pages);
        ui().answerFile(previewed);
        EXPECT_TRUE(preview->saveDocument());
    });
    list.r.preview();

    const QString printed = dir.filePath("yazici.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printed);
    ASSERT_TRUE(list.r.print(printer));
    EXPECT_TRUE(ui().texts().isEmpty()) << qPrintable(ui().texts().join('\n'));

    const QString text = pdftotext(wholePdf);
    EXPECT_EQ(pdftotext(streamed), text);
    EXPECT_EQ(pdftotext(previewed), text);
    EXPECT_EQ(pdftotext(printed), text);
    for (const QString& pdf : {wholePdf, streamed, previewed, printed})
        EXPECT_EQ(pdfPages(pdf), pages) << qPrintable(pdf);

    EXPECT_TRUE(text.contains(QString("Sayfa 1 / %1").arg(pages)));
    EXPECT_TRUE(text.contains(QString("Sayfa %1 / %1").arg(pages)));
    EXPECT_EQ(text.count(QRegularExpression("Sayfa \\d+ / \\d+")), pages);
    EXPECT_EQ(text.count("GENEL LİSTE"), pages);
    for (int i : {1, 2, 999, 1000, 1999, 2000})
        EXPECT_EQ(text.count(QRegularExpression(QString("ŞİMŞEK %1\\s").arg(i))), 1) << i;
}

// The preview reads the page it shows from its store; the report's pages
// are still there to read whole afterwards.
TEST_F(ReportEngineStreaming, PreviewShowsPagesReadBackFromItsStore)
{
    LongList list(1500);
    modals().expect("ReportPreview", [&](QDialog* d) {
        auto* preview = static_cast<ReportPreview*>(d);
        const int pages = preview->pages().pageCount();
        ASSERT_GT(pages, ReportPageStore::kPagesInMemory);
        click(child<QToolButton>(d, "LastPage"));
        EXPECT_EQ(child<QLabel>(d, "PageLabel")->text(), QString("Sayfa %1 / %1").arg(pages));
        const ReportPage& shown = preview->shownPage();
        EXPECT_EQ(shown.number, pages);
        EXPECT_EQ(shown.bandTexts("PageFooterBand1"), QStringList{QString("Sayfa %1 / %1").arg(pages)});
        EXPECT_EQ(shown.findAll("QRDBText2").back()->text, "ÇAĞRI ÖZGÜR ŞİMŞEK 1500");
        ASSERT_NE(shown.find("QRImage1"), nullptr);
        EXPECT_EQ(shown.find("QRImage1")->image, logo());
        click(child<QToolButton>(d, "FirstPage"));
        EXPECT_EQ(preview->shownPage().find("QRDBText2")->text, "ÇAĞRI ÖZGÜR ŞİMŞEK 1");
        EXPECT_EQ(int(preview->shownPage().findAll("QRDBText2").size()), kRowsOnAPage);
    });
    list.r.preview();
    ASSERT_NE(list.r.document(), nullptr);
    EXPECT_EQ(list.r.document()->pageCount(), list.r.pageCount());
    EXPECT_EQ(list.r.document()->pages.back().bandTexts("DetailBand1").last(), "IĞDIR");
}

// Every kind of item comes back from the store's file as it went in.
TEST_F(ReportEngineStreaming, StoreGivesBackEveryItemAsLaidOut)
{
    Report r;
    r.title = "Mektup";
    ReportBand* body = r.addBand(ReportBand::Detail, "DetailBand1", 60);
    body->color = QColor(10, 20, 30, 40);
    body->frame.setAll(true);
    body->frame.style = Qt::DashLine;
    body->addLabel("QRLabel1", {0, 0, 20, 5}, "ÇOK UZUN BİR BAŞLIK KUTUYA SIĞMAZ")->font.setBold(true);
    body->addShape("QRShape1", {0, 10, 30, 10}, ReportShape::RoundRect)->brush = Qt::yellow;
    body->addShape("QRShape2", {40, 10, 30, 10}, ReportShape::Circle)->penColor = QColor::fromHsv(120, 200, 100);
    body->addShape("QRShape3", {80, 10, 1, 30}, ReportShape::VertLine)->penWidth = 0.7;
    ReportImage* indexed = body->addImage("QRImage1", {100, 10, 20, 20});
    indexed->picture = logo().convertToFormat(QImage::Format_Indexed8);
    indexed->picture.setDotsPerMeterX(11811);
    body->addImage("QRImage2", {130, 10, 5, 5})->picture = logo();   // larger than its frame: clipped
    ReportRichText* rich = body->addRichText("QRRichText1", {0, 40, 150, 10});
    rich->setHtml("<p><b>Sayın</b> <i>üye</i>,</p><p>Toplantı İzmir'dedir.</p>");
    const ReportDocument& doc = r.run();
    ASSERT_EQ(doc.pageCount(), 1);

    ReportPageStore store("Mektup", doc.pageSize, 0);   // every page into the file
    for (int n = 0; n < 3; ++n)
        store.append(ReportPage(doc.pages[0]));
    store.finish();
    EXPECT_EQ(store.pagesInFile(), 3);
    for (int n = 0; n < 3; ++n) {
        const ReportPage back = store.page(n);
        const ReportPage& laid = doc.pages[0];
        EXPECT_EQ(back.number, laid.number);
        EXPECT_EQ(back.size, laid.size);
        ASSERT_EQ(back.items.size(), laid.items.size());
        for (size_t i = 0; i < laid.items.size(); ++i) {
            const ReportItem& a = laid.items[i];
            const ReportItem& b = back.items[i];
            SCOPED_TRACE(qPrintable(a.name + " " + QString::number(a.kind)));
            EXPECT_EQ(b.kind, a.kind);
            EXPECT_EQ(b.name, a.name);
            EXPECT_EQ(b.band, a.band);
            EXPECT_EQ(b.rect, a.rect);
            EXPECT_EQ(b.clip, a.clip);
            EXPECT_EQ(b.clip.isNull(), a.clip.isNull());
            if (a.kind == ReportItem::Text) {
                EXPECT_EQ(b.text, a.text);
                EXPECT_EQ(b.font, a.font);
                EXPECT_EQ(b.font.bold(), a.font.bold());
                EXPECT_EQ(b.color, a.color);
                EXPECT_EQ(b.alignment, a.alignment);
            } else if (a.kind == ReportItem::Image) {
                EXPECT_EQ(b.image, a.image);
                EXPECT_EQ(b.image.format(), a.image.format());
                EXPECT_EQ(b.image.dotsPerMeterX(), a.image.dotsPerMeterX());
            } else if (a.kind == ReportItem::RichText) {
                EXPECT_EQ(b.document, a.document);
                EXPECT_EQ(b.documentTop, a.documentTop);
            } else {
                if (a.kind == ReportItem::Line) {
                    EXPECT_EQ(b.line, a.line);
                }
                EXPECT_EQ(b.penColor, a.penColor);
                EXPECT_EQ(b.penWidth, a.penWidth);
                EXPECT_EQ(b.penStyle, a.penStyle);
                EXPECT_EQ(b.brush, a.brush);
                EXPECT_EQ(b.radius, a.radius);
            }
        }
    }
}

// PAGECOUNT in an expression is the number of pages, so a page can tell
// whether it is the last one, on every way out.
TEST_F(ReportEngineStreaming, AnExpressionKnowsThePageCount)
{
    LongList list(100, true);
    const ReportDocument& doc = list.r.run();
    const int pages = doc.pageCount();
    ASSERT_GE(pages, 3);
    for (const ReportPage& p : doc.pages) {
        const QString note = p.find("QRExpr1")->text;
        if (p.number == pages)
            EXPECT_EQ(note, "LİSTE SONU");
        else
            EXPECT_EQ(note, QString("DEVAMI %1. SAYFADA (%2 SAYFA KALDI)").arg(p.number + 1).arg(pages - p.number));
    }

    const QString pdf = dir.filePath("liste.pdf");
    ASSERT_TRUE(list.r.saveToFile(pdf));
    const QString text = pdftotext(pdf);
    EXPECT_EQ(text.count("LİSTE SONU"), 1);
    EXPECT_TRUE(text.contains(QString("DEVAMI %1. SAYFADA (1 SAYFA KALDI)").arg(pages))) << qPrintable(text);

    modals().expect("ReportPreview", [&](QDialog* d) {
        auto* preview = static_cast<ReportPreview*>(d);
        click(child<QToolButton>(d, "LastPage"));
        EXPECT_EQ(preview->shownPage().find("QRExpr1")->text, "LİSTE SONU");
    });
    list.r.preview();
}

// A report whose page count changes each time it is laid out with the count
// found before has none that holds: the run ends with a report error instead
// of printing a wrong count.
TEST_F(ReportEngineStreaming, ACountThatNeverHoldsIsAReportError)
{
    LongList list(30);
    ReportBand* summary = list.r.addBand(ReportBand::Summary, "SummaryBand1", 5);
    ReportExpr* note = summary->addExpr("QRExpr2", {0, 0, 190, 5}, "IF(PAGECOUNT = 1, '" +
                                                                        QString("UZUN AÇIKLAMA ").repeated(400) +
                                                                        "', '')");
    note->wordWrap = true;
    note->autoStretch = true;
    try {
        list.r.run();
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.message(), Report::kUnsettledPageCount);
    }
    const QString pdf = dir.filePath("liste.pdf");
    EXPECT_THROW(list.r.saveToFile(pdf), ReportError);
    EXPECT_FALSE(QFile::exists(pdf));
}

// A failure in the middle of a report written straight into a file (its
// pages are being written: the counting run is over) leaves the file as it
// was, and says nothing was saved.
TEST_F(ReportEngineStreaming, AFailureHalfWayLeavesTheFileAsItWas)
{
    LongList list(500);
    const QString pdf = dir.filePath("liste.pdf");
    writeFile(pdf, "eski");
    int runs = 0;
    list.r.beforePrint = [&](Report&) { ++runs; };
    list.r.band("DetailBand1")->afterPrint = [&](ReportBand&, bool) {
        if (runs == 2 && list.q.toInt("No") == 300)
            throw ReportError("Rapor alanı bulunamadı: Yok");
    };
    bool saved = false;
    list.r.afterOutput = [&](Report&) { saved = true; };
    EXPECT_THROW(list.r.saveToFile(pdf), ReportError);
    EXPECT_FALSE(saved);
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "eski");
    EXPECT_EQ(runs, 2) << "the pages were being written when it failed";
    EXPECT_EQ(QDir(dir.path()).entryList({"liste*"}, QDir::Files | QDir::Hidden), QStringList{"liste.pdf"})
        << "no half-written file is left behind";
}

// After a straight save a short report's pages are kept to look at; a long
// one's went out page by page and are not.
TEST_F(ReportEngineStreaming, AStraightSaveKeepsTheDocumentOfAShortReportOnly)
{
    LongList shortList(40);
    ASSERT_TRUE(shortList.r.saveToFile(dir.filePath("kisa.pdf")));
    ASSERT_NE(shortList.r.document(), nullptr);
    EXPECT_EQ(shortList.r.document()->pageCount(), 2);
    EXPECT_EQ(shortList.r.document()->pages[1].bandTexts("PageFooterBand1"), QStringList{"Sayfa 2 / 2"});

    LongList longList(kRowsOnAPage * (Report::kKeptPages + 1));
    ASSERT_TRUE(longList.r.saveToFile(dir.filePath("uzun.pdf")));
    EXPECT_EQ(longList.r.document(), nullptr);
    EXPECT_EQ(longList.r.pageCount(), Report::kKeptPages + 1);
}

} // namespace ReportEngineStreamingTestLocal
