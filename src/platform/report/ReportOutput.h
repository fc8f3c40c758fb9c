#pragma once
// Output of laid-out pages: painting with QPainter (preview, printer, PDF)
// and the three export filters (plain text, CSV with separator ",", HTML).
//
// The functions that take no error string show the program's error box
// themselves and return false when the output failed; none of them reports
// success for a file or a print job that was not completed.

#include "platform/report/ReportDocument.h"

#include <QString>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;

// Paints pages onto a PDF file or a printer one at a time, as a run lays
// them out (or as they are read from a store):
//
//   QString why;
//   auto w = ReportPageWriter::pdf(path, title, pageSize, &why);
//   if (!w) ... why ...
//   w->add(page) ...;              // false: failed, w->error() says why
//   w->finish();                   // the file is put in place; false on failure
//
// A PDF file is written under a temporary name and replaces the file only
// when finish() succeeds; cancel() (or destroying an unfinished writer)
// leaves the old file alone and withdraws a print job. A printer set to
// print into a PDF file writes that file the same way. The pages are painted
// on a thread of the writer's own while the caller goes on (the caller lays
// out the next page meanwhile); add() waits only when a few pages are
// waiting, and returns false once the output has failed.
class ReportPageWriter {
public:
    // nullptr and the reason when the file or the printer cannot be opened.
    static std::unique_ptr<ReportPageWriter> pdf(const QString& hostPath, const QString& title, QSizeF pageSize,
                                                 QString* error);
    static std::unique_ptr<ReportPageWriter> printer(QPrinter& printer, const QString& title, QSizeF pageSize,
                                                     QString* error);
    ~ReportPageWriter();
    ReportPageWriter(const ReportPageWriter&) = delete;
    ReportPageWriter& operator=(const ReportPageWriter&) = delete;

    bool add(const ReportPage& page);
    bool add(ReportPage&& page);
    bool finish();
    void cancel();
    QString error() const;
    int pagesWritten() const;

    struct Impl;

private:
    explicit ReportPageWriter(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

namespace ReportOutput {

// Paints one page with its top-left corner at the painter's origin,
// pixelsPerMm device pixels to the millimetre. The page's paper is not
// filled.
void paintPage(QPainter& painter, const ReportPage& page, double pixelsPerMm);

// The export filters. Text lines are gathered from the text items row by row
// (items whose line boxes share their height), left to right.
// Plain text: each item at the column its position gives (2 mm a
// character), pages separated by a form feed.
QString toText(const ReportDocument& doc);
QString toText(const ReportPages& pages);
// CSV: one line per row, its texts separated by ",", quoted when needed.
QString toCsv(const ReportDocument& doc);
QString toCsv(const ReportPages& pages);
// HTML: every page a block of its size with each item at its place.
QString toHtml(const ReportDocument& doc);
QString toHtml(const ReportPages& pages);

enum Format { Pdf, Text, Csv, Html, Unknown };
// The format a file name asks for by its extension.
Format formatOf(const QString& path);

// Writes the pages; false and the reason on failure. The file is replaced
// only when it was written completely.
bool writePdf(const ReportDocument& doc, const QString& hostPath, QString* error);
bool writePdf(const ReportPages& pages, const QString& hostPath, QString* error);
bool writeFile(const ReportDocument& doc, const QString& hostPath, QString* error);
bool writeFile(const ReportPages& pages, const QString& hostPath, QString* error);
bool print(const ReportDocument& doc, QPrinter& printer, QString* error);
bool print(const ReportPages& pages, QPrinter& printer, QString* error);

// The same with the program's messages.
bool save(const ReportDocument& doc, const QString& path);
bool save(const ReportPages& pages, const QString& path);
bool printOn(const ReportDocument& doc, QPrinter& printer);
bool printOn(const ReportPages& pages, QPrinter& printer);
// Asks for a printer (Dialogs::choosePrinter) and prints, or writes the PDF
// file chosen there; false when the user cancelled or printing failed.
bool printOnChosenPrinter(const ReportDocument& doc);
bool printOnChosenPrinter(const ReportPages& pages);
// Asks for a file (Dialogs::saveFile) and saves by its extension; false when
// the user cancelled or saving failed.
bool saveAs(const ReportDocument& doc);
bool saveAs(const ReportPages& pages);

// Asks for a printer (Dialogs::choosePrinter) and hands it, set up, to
// `print`: a printer of this machine, or a PDF printer for a file chosen
// there. False when cancelled or when no such printer exists (after its
// error box); otherwise what `print` returns.
bool withChosenPrinter(const std::function<bool(QPrinter&)>& print);

// The error box texts of a failed save or print.
QString saveFailedText(const QString& hostPath, const QString& why);
QString printFailedText(const QPrinter& printer, const QString& why);

// Message texts.
inline constexpr const char* kSaveFailed = "Rapor dosyaya kaydedilemedi ...!";
inline constexpr const char* kUnknownFormat =
    "Rapor bu dosya türünde kaydedilemez ...!\nPDF, TXT, CSV ya da HTML dosyası seçiniz.";
inline constexpr const char* kPrintFailed = "Rapor yazıcıya gönderilemedi ...!";
inline constexpr const char* kNoPrinter = "Yazıcı bulunamadı ...!";
inline constexpr const char* kSaveTitle = "Raporu Kaydet";
inline constexpr const char* kSaveFilter =
    "PDF Dosyası (*.pdf);;Metin Dosyası (*.txt);;CSV Dosyası (*.csv);;HTML Dosyası (*.htm *.html)";
inline constexpr const char* kPrintTitle = "Yazdır";
}
