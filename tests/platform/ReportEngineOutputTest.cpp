// Output of the report engine: PDF read back with pdftotext, the printer,
// the export filters, the preview window.
#include "platform/report/Report.h"
#include "platform/report/ReportOutput.h"
#include "platform/report/ReportPreview.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QPrinter>
#include <QUrl>
#include <QProcess>
#include <QToolButton>

namespace {

const char* const kTurkish = "Ç Ğ İ Ö Ş Ü ç ğ ı ö ş ü";

QString runTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return "<" + program + " failed: " + QString::fromUtf8(p.readAllStandardError()) + ">";
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString pdfText(const QString& path)
{
    return runTool("pdftotext", {"-layout", path, "-"});
}

QString pdfInfo(const QString& path)
{
    return runTool("pdfinfo", {path});
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Three pages of rows with Turkish names, a page header and "n / total".
class OutputReport {
public:
    explicit OutputReport(int rows = 60)
    {
        Records data;
        for (int i = 1; i <= rows; ++i)
            data << Record({"No", "Ad"}, {i, QString("%1 %2").arg(QString::fromUtf8(kTurkish)).arg(i)});
        q.openRows(data);
        r.dataSet = &q;
        r.title = "Sporcu Listesi";
        r.addBand(ReportBand::PageHeader, "PageHeaderBand1", 20)
            ->addLabel("QRLabel9", {0, 5, 190, 8}, "SPORCU LİSTESİ");
        ReportBand* d = r.addBand(ReportBand::Detail, "DetailBand1", 10);
        d->addDataText("QRDBText1", {0, 2, 15, 5}, &q, "No")->alignment = Qt::AlignRight;
        d->addDataText("QRDBText2", {20, 2, 120, 5}, &q, "Ad");
        r.addBand(ReportBand::PageFooter, "PageFooterBand1", 10)
            ->addSysData("QRSysData1", {0, 2, 190, 5}, ReportSysData::PageNumberOfTotal, "Sayfa ");
    }
    Report r;
    ReportQuery q{"Query1"};
};

class ReportEngineOutput : public StationTest {};

TEST_F(ReportEngineOutput, PdfCarriesEveryTurkishLetterAndEveryPage)
{
    OutputReport o;
    const QString path = dir.filePath("liste.pdf");
    ASSERT_TRUE(o.r.saveToFile(path));
    EXPECT_TRUE(ui().texts().isEmpty());

    const QString text = pdfText(path);
    EXPECT_TRUE(text.contains("SPORCU LİSTESİ")) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8(kTurkish) + " 1")) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8(kTurkish) + " 60"));
    EXPECT_TRUE(text.contains("Sayfa 1 / 3"));
    EXPECT_TRUE(text.contains("Sayfa 3 / 3"));
    const QString info = pdfInfo(path);
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+3\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+595 x 842 pts"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Title:\\s+Sporcu Listesi"))) << info.toStdString();
    // The faces are embedded, so every machine prints the same.
    const QString fonts = runTool("pdffonts", {path});
    EXPECT_TRUE(fonts.contains("DejaVuSans")) << fonts.toStdString();
}

TEST_F(ReportEngineOutput, LandscapePdfHasLandscapePages)
{
    OutputReport o(5);
    o.r.page.orientation = ReportPageSetup::Landscape;
    const QString path = dir.filePath("yatay.pdf");
    ASSERT_TRUE(o.r.saveToFile(path));
    const QString info = pdfInfo(path);
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+842 x 595 pts"))) << info.toStdString();
}

TEST_F(ReportEngineOutput, RichTextBodyGrowsAndGoesOnOverPageBreaksWithoutLosingALine)
{
    Report r;
    ReportBand* head = r.addBand(ReportBand::Detail, "DetailBand1", 20);
    head->addLabel("QRLabel2", {0, 0, 176, 8}, "DUYURU");
    ReportBand* body = r.addChild(head, "ChildBand1", 10);
    ReportRichText* text = body->addRichText("QRRichText1", {0, 0, 176, 10});
    QString html;
    for (int i = 1; i <= 120; ++i)
        html += QString("<p><b>Madde %1.</b> Sayın sporcumuz, <i>İzmir</i>'deki şampiyonaya katılımınız "
                        "ölçülecektir.</p>")
                    .arg(i);
    text->setHtml(html);
    r.addBand(ReportBand::Summary, "SummaryBand1", 8)->addLabel("QRLabel3", {0, 0, 100, 5}, "Federasyon Başkanı");
    const ReportDocument& doc = r.run();

    // The pieces of the body follow one another through the document.
    ASSERT_GE(doc.pageCount(), 2);
    double shown = 0;
    const ReportItem* last = nullptr;
    for (const ReportPage& p : doc.pages)
        for (const ReportItem* i : p.findAll("QRRichText1")) {
            EXPECT_NEAR(i->documentTop, shown, 1e-6);
            EXPECT_LE(i->rect.bottom(), 297 - 10 + 1e-6);
            shown += i->rect.height();
            last = i;
        }
    ASSERT_NE(last, nullptr);
    EXPECT_NEAR(doc.pages.back().find("QRLabel3")->rect.top(), last->rect.bottom(), 1e-6);

    const QString path = dir.filePath("mektup.pdf");
    ASSERT_TRUE(ReportOutput::writePdf(doc, path, nullptr));
    const QString printed = pdfText(path);
    for (int i = 1; i <= 120; ++i)
        EXPECT_EQ(printed.count(QRegularExpression(QString("Madde %1\\.").arg(i))), 1) << i;
    EXPECT_TRUE(printed.contains("şampiyonaya katılımınız")) << printed.toStdString();
    EXPECT_TRUE(printed.contains("Federasyon Başkanı"));
}

TEST_F(ReportEngineOutput, TextExportPlacesEachRowOnALine)
{
    Report r;
    r.page.leftMargin = 10;
    ReportBand* head = r.addBand(ReportBand::PageHeader, "PageHeaderBand1", 10);
    head->addLabel("QRLabel1", {0, 0, 20, 5}, "No");
    head->addLabel("QRLabel2", {20, 0, 60, 5}, "Adı Soyadı");
    head->addLabel("QRLabel3", {80, 0, 40, 5}, "Bölge");
    ReportBand* row = r.addBand(ReportBand::Detail, "DetailBand1", 6);
    ReportLabel* no = row->addLabel("QRLabel4", {0, 0, 20, 5}, "1");
    row->addLabel("QRLabel5", {20, 0, 60, 5}, "ŞULE, ÖZ");
    row->addLabel("QRLabel6", {80, 0, 40, 5}, "\"İZMİR\"");
    no->alignment = Qt::AlignLeft;
    const ReportDocument& doc = r.run();

    EXPECT_EQ(ReportOutput::toText(doc), QString("No        Adı Soyadı                    Bölge\n"
                                                 "1         ŞULE, ÖZ                      \"İZMİR\"\n"));
    EXPECT_EQ(ReportOutput::toCsv(doc), QString("No,Adı Soyadı,Bölge\r\n1,\"ŞULE, ÖZ\",\"\"\"İZMİR\"\"\"\r\n"));
}

TEST_F(ReportEngineOutput, TextExportSeparatesPagesAndCsvJoinsThem)
{
    OutputReport o(30);
    const ReportDocument& doc = o.r.run();
    const QString text = ReportOutput::toText(doc);
    EXPECT_EQ(text.count('\f'), 1);
    const QStringList pages = text.split('\f');
    EXPECT_TRUE(pages[0].startsWith("SPORCU LİSTESİ\n")) << pages[0].toStdString();
    EXPECT_TRUE(pages[1].startsWith("SPORCU LİSTESİ\n"));
    EXPECT_TRUE(pages[0].contains(QString::fromUtf8(kTurkish) + " 24\n"));
    EXPECT_TRUE(pages[1].endsWith("Sayfa 2 / 2\n"));
    const QStringList csv = ReportOutput::toCsv(doc).split("\r\n", Qt::SkipEmptyParts);
    // Header, 24 rows and footer, then header, 6 rows and footer.
    ASSERT_EQ(csv.size(), 34);
    EXPECT_EQ(csv[1], "1," + QString::fromUtf8(kTurkish) + " 1");
    EXPECT_EQ(csv[25], "Sayfa 1 / 2");
    EXPECT_EQ(csv[33], "Sayfa 2 / 2");
}

TEST_F(ReportEngineOutput, HtmlExportKeepsPagesTextsAndShapes)
{
    OutputReport o(30);
    o.r.band("PageHeaderBand1")->addShape("QRShape1", {0, 15, 190, 1}, ReportShape::HorLine);
    o.r.band("PageHeaderBand1")->addLabel("QRLabel8", {0, 0, 30, 5}, "<A & B>");
    const QString html = ReportOutput::toHtml(o.r.run());
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>"));
    EXPECT_TRUE(html.contains("<title>Sporcu Listesi</title>"));
    EXPECT_EQ(html.count("<div class=\"page\" style=\"width:210.00mm;height:297.00mm\">"), 2);
    EXPECT_TRUE(html.contains(">" + QString::fromUtf8(kTurkish) + " 30</div>"));
    EXPECT_TRUE(html.contains(">&lt;A &amp; B&gt;</div>"));
    EXPECT_EQ(html.count("<line x1=\"10.00\" y1=\"25.50\" x2=\"200.00\" y2=\"25.50\""), 2);
}

struct SaveCase {
    const char* file;
    const char* starts;   // what the file begins with
};

class ReportEngineSave : public StationTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(ReportEngineSave, PreviewSavesInTheChosenFormat)
{
    OutputReport o(3);
    const QString path = dir.filePath(GetParam().file);
    bool saved = false;
    ui().answerFile(path);
    modals().expect("ReportPreview", [&](QDialog* d) { saved = static_cast<ReportPreview*>(d)->saveDocument(); });
    o.r.preview();
    EXPECT_TRUE(saved);
    ASSERT_EQ(ui().requests.size(), 1);
    EXPECT_EQ(ui().requests[0].kind, UiRequest::SaveFile);
    EXPECT_EQ(ui().requests[0].text, "Raporu Kaydet");
    EXPECT_EQ(ui().requests[0].filter,
              "PDF Dosyası (*.pdf);;Metin Dosyası (*.txt);;CSV Dosyası (*.csv);;HTML Dosyası (*.htm *.html)");
    EXPECT_EQ(ui().requests[0].initial, "C:\\CO\\Sporcu Listesi.pdf") << "in the work folder";
    EXPECT_TRUE(readFile(path).startsWith(GetParam().starts)) << readFile(path).left(40).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Formats, ReportEngineSave,
                         ::testing::Values(SaveCase{"a.pdf", "%PDF-"}, SaveCase{"a.txt", "SPORCU LİSTESİ\n"},
                                           SaveCase{"a.csv", "SPORCU LİSTESİ\r\n"},
                                           SaveCase{"a.html", "<!DOCTYPE html>"},
                                           SaveCase{"a.htm", "<!DOCTYPE html>"}));

TEST_F(ReportEngineOutput, FileWithoutExtensionIsSavedAsPdf)
{
    OutputReport o(3);
    ui().answerFile(dir.filePath("rapor"));
    EXPECT_TRUE(ReportOutput::saveAs(o.r.run()));
    EXPECT_TRUE(readFile(dir.filePath("rapor.pdf")).startsWith("%PDF-"));
    EXPECT_FALSE(QFile::exists(dir.filePath("rapor")));
}

TEST_F(ReportEngineOutput, CancelledSaveWritesNothingAndSaysNothing)
{
    OutputReport o(3);
    ui().answerCancel();
    EXPECT_FALSE(ReportOutput::saveAs(o.r.run()));
    EXPECT_TRUE(ui().texts().isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.pdf"}).isEmpty());
}

TEST_F(ReportEngineOutput, SaveFailuresAreReportedNeverAsSuccess)
{
    OutputReport o(3);
    const QString missing = dir.filePath("yok/klasor/liste.pdf");
    EXPECT_FALSE(o.r.saveToFile(missing));
    ASSERT_EQ(ui().texts().size(), 1);
    EXPECT_EQ(ui().requests[0].kind, UiRequest::Error);
    EXPECT_TRUE(ui().lastText().startsWith("Rapor dosyaya kaydedilemedi ...!\n" + missing)) << ui().lastText().toStdString();
    EXPECT_FALSE(QFile::exists(missing));

    ui().clear();
    EXPECT_FALSE(o.r.saveToFile(dir.filePath("liste.doc")));
    EXPECT_EQ(ui().texts(),
              QStringList{"Rapor bu dosya türünde kaydedilemez ...!\nPDF, TXT, CSV ya da HTML dosyası seçiniz."});
}

TEST_F(ReportEngineOutput, FileThatCannotBeReplacedKeepsWhatWasThere)
{
    OutputReport o(3);
    // A folder stands where the file should go: the save cannot replace it,
    // whoever runs the test.
    const QString target = dir.filePath("eski.csv");
    QDir().mkpath(target);
    writeFile(target + "/icerik.txt", "eski");
    EXPECT_FALSE(o.r.saveToFile(target));
    EXPECT_TRUE(ui().lastText().startsWith("Rapor dosyaya kaydedilemedi ...!\n" + target)) << ui().lastText().toStdString();
    EXPECT_EQ(readFile(target + "/icerik.txt"), "eski");
}

TEST_F(ReportEngineOutput, PrintsThroughAPrinterIntoItsOutput)
{
    OutputReport o(30);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = dir.filePath("yazici.pdf");
    printer.setOutputFileName(path);
    ASSERT_TRUE(o.r.print(printer));
    EXPECT_TRUE(ui().texts().isEmpty());
    const QString text = pdfText(path);
    EXPECT_TRUE(text.contains(QString::fromUtf8(kTurkish) + " 30")) << text.toStdString();
    EXPECT_TRUE(text.contains("Sayfa 2 / 2"));
    EXPECT_TRUE(pdfInfo(path).contains(QRegularExpression("Title:\\s+Sporcu Listesi")));
}

TEST_F(ReportEngineOutput, PrintingIntoAFileChosenInThePrintDialogWritesThePdf)
{
    OutputReport o(30);
    const QString path = dir.filePath("dosyaya.pdf");
    ui().answerFile(QUrl::fromLocalFile(path).toString());
    ASSERT_TRUE(o.r.print());
    EXPECT_TRUE(ui().texts().isEmpty());
    EXPECT_TRUE(pdfText(path).contains("Sayfa 2 / 2"));
}

TEST_F(ReportEngineOutput, PrintingIntoAFileThatFailsHalfWayKeepsTheFileThatWasThere)
{
    const QString path = dir.filePath("eski.pdf");
    writeFile(path, "eski");
    for (const bool throughTheDialog : {false, true}) {
        SCOPED_TRACE(throughTheDialog ? "print dialog" : "printer");
        OutputReport o(60);
        int rows = 0;
        o.r.band("DetailBand1")->beforePrint = [&rows](ReportBand&, bool&) {
            if (++rows == 45)
                throw ReportError("Satır okunamadı");
        };
        bool printed = true;
        try {
            if (throughTheDialog) {
                ui().answerFile(QUrl::fromLocalFile(path).toString());
                printed = o.r.print();
            } else {
                QPrinter printer(QPrinter::HighResolution);
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(path);
                printed = o.r.print(printer);
            }
        } catch (const ReportError& e) {
            printed = false;
            EXPECT_EQ(e.message(), "Satır okunamadı");
        }
        EXPECT_FALSE(printed);
        EXPECT_EQ(readFile(path), "eski");
    }
    // The same report printed whole replaces it.
    OutputReport o(30);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    ASSERT_TRUE(o.r.print(printer));
    EXPECT_TRUE(pdfText(path).contains("Sayfa 2 / 2"));
}

TEST_F(ReportEngineOutput, PrintFailuresAreReportedNeverAsSuccess)
{
    OutputReport o(3);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = dir.filePath("yok/yazici.pdf");
    printer.setOutputFileName(path);
    EXPECT_FALSE(o.r.print(printer));
    ASSERT_EQ(ui().texts().size(), 1);
    EXPECT_EQ(ui().requests[0].kind, UiRequest::Error);
    EXPECT_TRUE(ui().lastText().startsWith("Rapor yazıcıya gönderilemedi ...!\n" + path + "\n")) << ui().lastText().toStdString();
    EXPECT_FALSE(QFile::exists(path));

    // A printer name that names no printer of this machine.
    ui().clear();
    ui().answerFile("YOK-YAZICI");
    EXPECT_FALSE(o.r.print());
    ASSERT_EQ(ui().requests.size(), 2);
    EXPECT_EQ(ui().requests[0].kind, UiRequest::Printer);
    EXPECT_EQ(ui().requests[0].text, "Yazdır");
    EXPECT_EQ(ui().lastText(), "Yazıcı bulunamadı ...!\nYOK-YAZICI");

    // Cancelled: nothing printed, nothing said.
    ui().clear();
    ui().answerCancel();
    EXPECT_FALSE(o.r.print());
    EXPECT_TRUE(ui().texts().isEmpty());
}

TEST_F(ReportEngineOutput, PreviewPagesThroughAndZooms)
{
    OutputReport o(60);
    int closedReports = 0;
    o.r.afterPreview = [&](Report&) { ++closedReports; };
    modals().expect("ReportPreview", [&](QDialog* d) {
        auto* p = static_cast<ReportPreview*>(d);
        EXPECT_EQ(d->windowTitle(), "Sporcu Listesi");
        auto* label = child<QLabel>(d, "PageLabel");
        EXPECT_EQ(label->text(), "Sayfa 1 / 3");
        EXPECT_FALSE(child<QToolButton>(d, "PriorPage")->isEnabled());
        click(child<QToolButton>(d, "NextPage"));
        EXPECT_EQ(label->text(), "Sayfa 2 / 3");
        click(child<QToolButton>(d, "LastPage"));
        EXPECT_EQ(label->text(), "Sayfa 3 / 3");
        EXPECT_FALSE(child<QToolButton>(d, "NextPage")->isEnabled());
        click(child<QToolButton>(d, "PriorPage"));
        EXPECT_EQ(p->currentPage(), 2);
        click(child<QToolButton>(d, "FirstPage"));
        EXPECT_EQ(p->currentPage(), 1);
        QTest::keyClick(d, Qt::Key_PageDown);
        EXPECT_EQ(p->currentPage(), 2);

        auto* zoom = child<QLabel>(d, "ZoomLabel");
        EXPECT_EQ(zoom->text(), "%100");
        auto* view = child<QWidget>(d, "PageView");
        const int width = view->width();
        click(child<QToolButton>(d, "ZoomIn"));
        EXPECT_EQ(zoom->text(), "%125");
        EXPECT_GT(view->width(), width);
        click(child<QToolButton>(d, "ZoomOut"));
        click(child<QToolButton>(d, "ZoomOut"));
        EXPECT_EQ(zoom->text(), "%80");
        p->setZoom(100);
        EXPECT_EQ(zoom->text(), "%500");
        EXPECT_FALSE(child<QToolButton>(d, "ZoomIn")->isEnabled());
        d->resize(800, 600);
        click(child<QToolButton>(d, "FitWidth"));
        EXPECT_LT(p->zoom(), 5.0);
        click(child<QToolButton>(d, "CloseButton"));
        EXPECT_FALSE(d->isVisible());
    });
    o.r.preview();
    EXPECT_EQ(closedReports, 1);
    EXPECT_EQ(modals().seen(), QStringList{"ReportPreview"});
}

TEST_F(ReportEngineOutput, PreviewPaintsThePageAtItsPlace)
{
    Report r;
    r.page.leftMargin = r.page.topMargin = 0;
    ReportShape* box = r.addBand(ReportBand::Detail, "DetailBand1", 50)->addShape("QRShape1", {20, 20, 20, 20},
                                                                                   ReportShape::Rectangle);
    box->brush = Qt::black;
    modals().expect("ReportPreview", [](QDialog* d) {
        auto* view = child<QWidget>(d, "PageView");
        const QImage shot = view->grab().toImage();
        const double s = view->logicalDpiX() / 25.4;
        const int margin = (view->width() - qRound(210 * s)) / 2;
        auto at = [&](double x, double y) { return shot.pixelColor(margin + qRound(x * s), margin + qRound(y * s)); };
        EXPECT_EQ(at(30, 30), QColor(Qt::black));   // inside the box
        EXPECT_EQ(at(10, 10), QColor(Qt::white));   // paper
        EXPECT_EQ(at(45, 30), QColor(Qt::white));
    });
    r.preview();
}

TEST_F(ReportEngineOutput, ModelessPreviewReturnsAtOnceAndReportsItsClosing)
{
    OutputReport o(3);
    int closed = 0;
    o.r.afterPreview = [&](Report&) { ++closed; };
    QPointer<ReportPreview> p = o.r.showPreview();
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->isVisible());
    EXPECT_EQ(p->windowModality(), Qt::NonModal);
    EXPECT_EQ(closed, 0);
    click(p->CloseButton);
    EXPECT_EQ(closed, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(p);
    EXPECT_TRUE(modals().seen().isEmpty());
}

TEST_F(ReportEngineOutput, PrintingFromThePreviewUsesThePagesShown)
{
    // Row numbers kept by the report's own handlers are not counted again
    // when the user prints what the preview shows.
    OutputReport o(3);
    int lines = 0;
    o.r.band("DetailBand1")->afterPrint = [&](ReportBand&, bool) { ++lines; };
    modals().expect("ReportPreview", [&](QDialog* d) {
        ui().answerFile("YOK-YAZICI");
        EXPECT_FALSE(static_cast<ReportPreview*>(d)->printDocument());
    });
    o.r.preview();
    EXPECT_EQ(lines, 3);
    EXPECT_EQ(ui().lastText(), "Yazıcı bulunamadı ...!\nYOK-YAZICI");
}

} // namespace
