// A register list over 10,000 persons: the address list ("Genel Liste
// (Adresli)") of a station database laid out into pages and written to a PDF
// file, as a print from the person search would. Counters: pages, and the
// time per page for the layout, for the PDF and for both.
#include "BenchSupport.h"

#include "platform/report/ReportOutput.h"
#include "reports/PrintMenu1.h"

#include <QApplication>

#include <chrono>

namespace {

void fillRegister(Database& db, int persons)
{
    const QStringList regions = {"ANKARA", "İSTANBUL", "İZMİR", "BURSA", "ŞANLIURFA", "ÇANAKKALE"};
    const QStringList titles = {"", "SPORCU", "1. KADEME ANTRENÖR", "ULUSAL HAKEM"};
    Transaction t(db);
    for (int i = 1; i <= persons; ++i)
        db.insert("C_MUSTERI", {{"Musteri_Key", i},
                                {"Adi", QString("ÇAĞRI %1").arg(i)},
                                {"Soyadi", "ÖZGÜR ŞİMŞEK"},
                                {"Ad_Soyad", QString("ÇAĞRI %1 ÖZGÜR ŞİMŞEK").arg(i)},
                                {"Vergi_Numarasi", QString("%1").arg(i, 7, 10, QChar('0'))},
                                {"Vergi_Dairesi", regions[i % regions.size()]},
                                {"E50", titles[i % titles.size()]},
                                {"E52", titles[(i + 1) % titles.size()]},
                                {"E25", "SİYAH KUŞAK"},
                                {"Adres", QString("GAZİ MUSTAFA KEMAL BULVARI NO:%1").arg(i % 300)},
                                {"Sokak", "ÇANKAYA / ANKARA"}});
    t.commit();
}

void BM_PersonListToPdf(benchmark::State& state)
{
    BenchStation station;
    fillRegister(station.db, int(state.range(0)));
    TPrintMenu1 list;
    for (ReportQuery* q : list.dataSets())
        q->database = &station.db;
    list.QRLabel9->caption = "GENEL LİSTE";
    list.QRLabel10->caption = "15.03.2010";
    list.Query1.sql = "select * from C_MUSTERI Order By Ad_Soyad";
    const QString pdf = station.dir.filePath("liste.pdf");

    using Clock = std::chrono::steady_clock;
    double layoutSeconds = 0, pdfSeconds = 0;
    int pages = 0;
    for (auto _ : state) {
        list.closeDataSets();
        list.FFirstRow = 1;
        list.Query1.open();
        const auto t0 = Clock::now();
        const ReportDocument& doc = list.ReportBody1.run();
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
BENCHMARK(BM_PersonListToPdf)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    BenchSupport::offscreenUnlessSet();
    QApplication app(argc, argv);
    return BenchSupport::runBenchmarks(argc, argv);
}
