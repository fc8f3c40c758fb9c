#pragma once
// Output of laid-out pages: painting with QPainter (preview, printer, PDF)
// and the three export filters (plain text, CSV with separator ",", HTML).
//
// The functions that take no error string show the program's error box
// themselves and return false when the output failed; none of them reports
// success for a file or a print job that was not completed.

#include "platform/report/ReportDocument.h"

#include <QString>

class QPainter;
class QPrinter;

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
// CSV: one line per row, its texts separated by ",", quoted when needed.
QString toCsv(const ReportDocument& doc);
// HTML: every page a block of its size with each item at its place.
QString toHtml(const ReportDocument& doc);

enum Format { Pdf, Text, Csv, Html, Unknown };
// The format a file name asks for by its extension.
Format formatOf(const QString& path);

// Writes the pages; false and the reason on failure. The file is replaced
// only when it was written completely.
bool writePdf(const ReportDocument& doc, const QString& hostPath, QString* error);
bool writeFile(const ReportDocument& doc, const QString& hostPath, QString* error);
bool print(const ReportDocument& doc, QPrinter& printer, QString* error);

// The same with the program's messages.
bool save(const ReportDocument& doc, const QString& path);
bool printOn(const ReportDocument& doc, QPrinter& printer);
// Asks for a printer (Dialogs::choosePrinter) and prints, or writes the PDF
// file chosen there; false when the user cancelled or printing failed.
bool printOnChosenPrinter(const ReportDocument& doc);
// Asks for a file (Dialogs::saveFile) and saves by its extension; false when
// the user cancelled or saving failed.
bool saveAs(const ReportDocument& doc);

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
