#pragma once
// CSV files for other programs (spreadsheets, the SMS program): fields
// separated by ";", a field quoted when it holds the separator, a quote or a
// line break (its quotes doubled), every line ended by CR LF, the whole file
// in code page 1254. The file is written under a temporary name and renamed
// over the old one only when it is complete, so a failed write leaves the
// old file as it was.
//
//   CsvRows rows{{"ADI", "SOYADI"}, {"AYŞE", "O;NEIL"}};
//   QString why;
//   if (!Csv::writeFile(DriveMap::toHost("C:\\CO\\Liste2.csv"), rows, &why)) ...
//   // "ADI;SOYADI\r\nAYŞE;\"O;NEIL\"\r\n" as code page 1254 bytes

#include <QList>
#include <QString>
#include <QStringList>

using CsvRows = QList<QStringList>;

namespace Csv {
inline constexpr QChar kSeparator = QChar(';');

// One field as it stands in a line.
QString field(const QString& value, QChar separator = kSeparator);
// One line without its line end.
QString line(const QStringList& fields, QChar separator = kSeparator);
// The whole text: every line followed by CR LF.
QString text(const CsvRows& rows, QChar separator = kSeparator);
// Writes the rows to a host path in code page 1254; false with the reason in
// `error` when the file could not be written (the old file then stays).
bool writeFile(const QString& hostPath, const CsvRows& rows, QString* error = nullptr,
               QChar separator = kSeparator);
}
