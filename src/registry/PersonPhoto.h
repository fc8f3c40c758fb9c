#pragma once
// A person's photo: the JPEG picture "R" + Musteri_Key + ".jpg" in the
// program folder, at most 99,999 bytes. The file's existence is the only
// record of it; the editor shows it, cards and record sheets print it.

#include <QImage>
#include <QString>

namespace PersonPhoto {

// The largest photo file taken (100,000 bytes and more are refused).
inline constexpr qint64 kMaxBytes = 99999;

// The photo's file in Windows form: folder + "R" + key + ".jpg".
QString fileName(const QString& programFolder, int personKey);
// Whether a file of this size may become a photo.
inline bool fits(qint64 bytes) { return bytes >= 0 && bytes <= kMaxBytes; }
// Shown when the file chosen as a photo is no JPEG picture.
inline constexpr const char* kNotAPicture = "Seçilen Dosya JPEG Biçiminde Bir Fotoğraf Değildir ...!";
// Reads the picture of a photo file (Windows form or host path); false when
// the file is missing or is no JPEG picture.
bool load(const QString& file, QImage& picture);

} // namespace PersonPhoto
