#pragma once
// The upload queue of the publishing screen: what its lines mean, the queues
// the selections build, and the file that keeps an unfinished photo queue
// between two showings of the screen.
//
// A line is either one of eight keywords, each a fixed change on the server
// that replaces a published file by renaming (so a reader of the web site
// never finds a half-written file), or the path of a local file uploaded
// under its name without folder. A keyword is always a keyword: a local file
// that happens to carry the same name is never uploaded for it.
//
//   const UploadQueue::Keyword* k = UploadQueue::keyword(line);
//   if (k && k->rename) client.HostFileName = k->from, client.LocalFileName = k->to;

#include <QString>
#include <QStringList>

namespace UploadQueue {

struct Keyword {
    const char* name;   // the queue line: "Rename1"
    bool rename;        // RNFR/RNTO; otherwise DELE
    const char* from;   // the remote file deleted or renamed
    const char* to;     // the new name of a rename ("" for a delete)
};

// The keyword a line holds, or nullptr for a file line.
const Keyword* keyword(const QString& line);
// All eight, in table order.
const QList<Keyword>& keywords();

// The queue kinds shown by the screen.
inline const QString kFiles = QStringLiteral("Dosyalar");
inline const QString kPhotos = QStringLiteral("Resimler");

// The kind of a saved queue by its first line: photos when it ends in "jpg"
// (any letter case), files otherwise.
QString kindOf(const QString& firstLine);

// The file name a local file is uploaded under (the path without folder, a
// Windows-form or a host path).
QString remoteName(const QString& path);

// "Veritabanı": the club list, the database copy, then the copy's rotation
// into "metafile.res".
QStringList databaseQueue(const QString& clubListPath, const QString& copyPath);
// "Kura Sonuç": the results database, then its rotation into "Result.mdb".
QStringList resultsQueue(const QString& resultsPath);

// Where a queue left at closing is kept ("C:\CO\ResFile.dat").
QString resumeFilePath();
// The saved lines (empty when there is no file).
QStringList loadSaved();
// Replaces the saved lines (an empty list leaves an empty file). False when
// the file cannot be written.
bool save(const QStringList& lines);

}
