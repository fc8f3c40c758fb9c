#pragma once
// A small RTF writer and reader for the program's rich-text documents: the
// status log that "Hatalı Listesi" saves and the letter texts that the
// operator writes in a word processor and the letter reports print.
//
//   QTextDocument doc;  ...                  // typed with bold and italic
//   Rtf::save(doc, DriveMap::toHost("C:\\CO\\M7.rtf"), &error);
//   QTextDocument back;
//   Rtf::load(back, DriveMap::toHost("C:\\CO\\M7.rtf"), &error);
//
// What is kept: paragraphs and their alignment, line breaks and tabs, bold,
// italic, underline, font size, font name and text colour. Letters are
// written as code page 1254 escapes (\'xx, the Turkish letters among them)
// and characters outside that code page as \uN. The reader also takes what
// common word processors write (font, colour and style tables, \uN with its
// fallback, the code page of each font, groups it does not know are
// skipped); pictures, tables and fields other than their shown text are left
// out.

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace Rtf {
// The document as RTF text.
QByteArray fromDocument(const QTextDocument& document);
// Replaces the document's content by the RTF text; false (and the document
// left unchanged) when the text is no RTF.
bool toDocument(const QByteArray& rtf, QTextDocument& document);

// The same through a file (host path). False with a reason in `error` when
// the file cannot be written or read, or holds no RTF.
bool save(const QTextDocument& document, const QString& hostPath, QString* error = nullptr);
bool load(QTextDocument& document, const QString& hostPath, QString* error = nullptr);
}
