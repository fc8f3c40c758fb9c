// The report engine on a long list: 10,000 rows of a station database laid
// out into pages and written to a PDF file. Counters: pages, and the time per
// page for the layout, for the PDF and for both.
#include "BenchSupport.h"

#include "platform/db/Database.h"
#include "platform/db/Schema.h"
#include "platform/report/Report.h"
#include "platform/report/ReportOutput.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

struct ListData {
    explicit ListData(int rows)
    {
        db.open(dir.filePath("bench.mdb"), false);
        Schema s;
        s.addTable({"B_LISTE",
                    {Col::integer("Sira"), Col::text("Ad"), Col::text("Bolge"), Col::text("Klup"), Col::real("Kilo")},
                    "Sira",
                    {}});
        s.create(db);
        const QStringList regions = {"ANKARA", "İSTANBUL", "İZMİR", "BURSA", "ŞANLIURFA", "ÇANAKKALE"};
        Transaction t(db);
        for (int i = 1; i <= rows; ++i)
            db.insert("B_LISTE", {{"Sira", i},
                                  {"Ad", QString("ÇAĞRI ÖZGÜR ŞİMŞEK %1").arg(i)},
                                  {"Bolge", regions[i % regions.size()]},
                                  {"Klup", QString("GENÇLİK SPOR KULÜBÜ %1").arg(i % 97)},
                                  {"Kilo", 50 + (i % 400) / 10.0}});
        t.commit();
    }
    QTemporaryDir dir;
    Database db;
};

void BM_ListLaidOutAndWrittenToPdf(benchmark::State& state)
{
    ListData data(int(state.range(0)));
    ReportQuery q("Query1");
    q.database = &data.db;
    q.sql = "select * from B_LISTE order by Sira";

    Report r;
    r.title = "Tartı Listesi";
    r.dataSet = &q;
    ReportBand* head = r.addBand(ReportBand::PageHeader, "PageHeaderBand1", 18);
    head->addLabel("QRLabel9", {0, 2, 190, 8}, "TARTI LİSTESİ")->font.setBold(true);
    head->addShape("QRShape1", {0, 14, 190, 2}, ReportShape::HorLine);
    ReportBand* row = r.addBand(ReportBand::Detail, "DetailBand1", 6);
    row->addDataText("QRDBText1", {0, 0.5, 12, 5}, &q, "Sira")->alignment = Qt::AlignRight;
    row->addDataText("QRDBText2", {15, 0.5, 70, 5}, &q, "Ad");
    row->addDataText("QRDBText3", {88, 0.5, 30, 5}, &q, "Bolge");
    row->addDataText("QRDBText4", {120, 0.5, 50, 5}, &q, "Klup");
    row->addDataText("QRDBText5", {172, 0.5, 18, 5}, &q, "Kilo")->mask = "0.0";
    r.addBand(ReportBand::Summary, "SummaryBand1", 8)->addExpr("QRExpr1", {0, 1, 190, 5}, "'Sp.Sayısı: ' + STR(COUNT)");
    r.addBand(ReportBand::PageFooter, "PageFooterBand1", 8)
        ->addSysData("QRSysData1", {0, 1, 190, 5}, ReportSysData::PageNumberOfTotal, "Sayfa ");

    const QString pdf = data.dir.filePath("liste.pdf");
    using Clock = std::chrono::steady_clock;
    double layoutSeconds = 0, pdfSeconds = 0;
    int pages = 0;
    for (auto _ : state) {
        q.close();
        const auto t0 = Clock::now();
        const ReportDocument& doc = r.run();
        const auto t1 = Clock::now();
        QString why;
        if (!ReportOutput::writePdf(doc, pdf, &why)) {
            state.SkipWithError(qPrintable("PDF yazılamadı: " + why));
            break;
        }
        const auto t2 = Clock::now();
        layoutSeconds += std::chrono::duration<double>(t1 - t0).count();
        pdfSeconds += std::chrono::duration<double>(t2 - t1).count();
        pages = doc.pageCount();
    }
    if (pages == 0 || state.iterations() == 0)
        return;
    const double perIteration = 1000.0 / (double(state.iterations()) * pages);
    state.counters["pages"] = pages;
    state.counters["layout_ms_per_page"] = layoutSeconds * perIteration;
    state.counters["pdf_ms_per_page"] = pdfSeconds * perIteration;
    state.counters["ms_per_page"] = (layoutSeconds + pdfSeconds) * perIteration;
}
BENCHMARK(BM_ListLaidOutAndWrittenToPdf)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    BenchSupport::offscreenUnlessSet();
    QApplication app(argc, argv);
    return BenchSupport::runBenchmarks(argc, argv);
}
