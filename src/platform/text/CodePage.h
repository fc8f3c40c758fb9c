#pragma once
// Code page 1254 (Turkish Windows), the encoding of the text files the
// program writes for other programs (CSV lists, plain logs) and of the
// letters inside RTF documents. Conversion goes through iconv.
//
//   const QByteArray bytes = Cp1254::encode("ŞİŞ");      // "\xDE\xDD\xDE"
//   Cp1254::writeFile(DriveMap::toHost("C:\\CO\\Liste.csv"), lines.join("\r\n"));
//
// A character that code page 1254 has no byte for is written as "?" (as
// Windows does); `lossless` tells whether that happened. The bytes that the
// code page leaves undefined (81, 8D, 8E, 8F, 90, 9D, 9E) read as the
// character of the same number and are written back as the same byte.

#include <QByteArray>
#include <QString>

namespace CodePage {
// Any code page iconv knows ("CP1254", "CP1252", ...); "?" for characters it
// cannot write. Unknown code page names fall back to Latin-1.
QByteArray encode(const QString& text, const char* codePage, bool* lossless = nullptr);
QString decode(const QByteArray& bytes, const char* codePage);
// The byte of one character in a code page, or -1 when it has none.
int byteOf(QChar c, const char* codePage);
}

namespace Cp1254 {
QByteArray encode(const QString& text, bool* lossless = nullptr);
QString decode(const QByteArray& bytes);

// Writes text as code page 1254 (no byte-order mark, line breaks as given).
// False with a reason in `error` when the file cannot be written.
bool writeFile(const QString& hostPath, const QString& text, QString* error = nullptr);
// Reads a code page 1254 file; false with a reason when it cannot be read.
bool readFile(const QString& hostPath, QString& text, QString* error = nullptr);
}
