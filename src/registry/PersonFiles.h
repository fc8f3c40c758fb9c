#pragma once
// The files of a person beside the database, in the program folder: the
// photo (PersonPhoto.h) and the PDF attachments of belt, coach-title and
// referee-title rows ("K", "A" or "H" + the row's key + ".pdf"). The
// database only records that a row has one (Dosya = "VAR").
//
//   if (!PersonFiles::replace(chosen, PersonFiles::attachmentName(folder, 'K', key)))
//       Messages::error(PersonFiles::kCopyFailed);

#include <QString>

namespace PersonFiles {

// folder + letter + key + ".pdf" (the key in decimal, no leading zeros).
QString attachmentName(const QString& programFolder, QChar letter, const QVariant& rowKey);

// Puts a copy of `source` (a host path) in the place of `target` (Windows
// form or host path). The copy is written beside the target first; only a
// complete copy replaces the old file, in one step, also a read-only one.
// False, with the old file untouched, when the copy could not be made.
bool replace(const QString& source, const QString& target);

// Removes a file (Windows form or host path), read-only or not. True when
// no file of that name is left.
bool remove(const QString& target);

// Whether a file of that name exists.
bool exists(const QString& target);

// Shown when a copy failed.
inline constexpr const char* kCopyFailed = "Dosya Kopyalanamadı. Lütfen Kontrol Ediniz ...!";
// Shown when a file could not be removed.
inline constexpr const char* kRemoveFailed = "Dosya Silinemedi. Lütfen Kontrol Ediniz ...!";

} // namespace PersonFiles
