// Barcodes as the cards print them: the register number's module string,
// its painting, the report control's new picture per card, and a report of
// 500 cards' barcodes laid out and written to a PDF file.
#include "BenchSupport.h"

#include "platform/report/Report.h"
#include "platform/report/ReportOutput.h"
#include "reports/barcode/Barcode.h"
#include "reports/barcode/ReportBarcode.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

QString registerNumber(int i)
{
    return QString("%1").arg(1000000 + i * 7919 % 9000000, 7, 10, QChar('0'));
}

void BM_RegisterNumberModules(benchmark::State& state)
{
    TBarcode b;
    b.setTyp(bcCodeEAN128A);
    int i = 0;
    for (auto _ : state) {
        b.setText(registerNumber(++i));
        benchmark::DoNotOptimize(b.BuildModules());
    }
}
BENCHMARK(BM_RegisterNumberModules);

void BM_RegisterNumberPainted(benchmark::State& state)
{
    TBarcode b;
    b.setTyp(bcCodeEAN128A);
    b.setHeight(40);
    QImage image(124, 40, QImage::Format_RGB32);
    int i = 0;
    for (auto _ : state) {
        b.setText(registerNumber(++i));
        QPainter p(&image);
        b.RenderTo(p);
    }
}
BENCHMARK(BM_RegisterNumberPainted);

// One card's new text: the control's picture made again.
void BM_ReportControlNewText(benchmark::State& state)
{
    Report r;
    ReportBand* band = r.addBand(ReportBand::Detail, "DetailBand1", 20);
    auto* bc = band->add<TReportBarcode>("ReportBarcode1", QRectF(0, 0, px(124), px(40)));
    bc->setTyp(bcCodeEAN128A);
    bc->setBarcodeHeight(40);
    int i = 0;
    for (auto _ : state)
        bc->setText(registerNumber(++i));
}
BENCHMARK(BM_ReportControlNewText);

void BM_CardBarcodesToPdf(benchmark::State& state)
{
    const int cards = int(state.range(0));
    Records rows;
    for (int i = 0; i < cards; ++i)
        rows << Record({"Vergi_Numarasi"}, {registerNumber(i)});
    ReportQuery q("Query1");
    Report r;
    r.dataSet = &q;
    ReportBand* band = r.addBand(ReportBand::Detail, "DetailBand1", px(50));
    auto* bc = band->add<TReportBarcode>("ReportBarcode1", QRectF(0, 0, px(124), px(40)));
    bc->setTyp(bcCodeEAN128A);
    bc->setBarcodeHeight(40);
    band->beforePrint = [&](ReportBand&, bool&) { bc->setText(q.str("Vergi_Numarasi")); };
    QTemporaryDir dir;
    const QString pdf = dir.filePath("kartlar.pdf");
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    for (auto _ : state) {
        q.openRows(rows);
        const ReportDocument& doc = r.run();
        QString why;
        if (!ReportOutput::writePdf(doc, pdf, &why)) {
            state.SkipWithError(qPrintable(why));
            break;
        }
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (state.iterations() > 0)
        state.counters["ms_per_card"] = ms / (double(state.iterations()) * cards);
}
BENCHMARK(BM_CardBarcodesToPdf)->Arg(500)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    BenchSupport::offscreenUnlessSet();
    QApplication app(argc, argv);
    return BenchSupport::runBenchmarks(argc, argv);
}
