#pragma once
// Reading a laid-out report (its display list) as a reader of the printed
// page would.
//
//   EXPECT_EQ(clippedTexts(*report.ReportBody1.document()), QStringList());

#include "platform/report/ReportDocument.h"

#include <QString>
#include <QStringList>

// The texts of a laid-out report that do not fit their boxes, and so are
// printed cut off or run past their box into the next one (pdftotext reads
// a cut-off text whole: the page only clips it).
QStringList clippedTexts(const ReportDocument& document);

// The text pdftotext reads from a PDF file: "-layout" keeps the printed
// columns, "-raw" the order the texts were written in. "<pdftotext failed>"
// when the tool fails.
QString pdftotext(const QString& pdf, const QStringList& options = {"-layout"});
