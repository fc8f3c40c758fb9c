#pragma once
// Zip archives, written and read in process (libzip).
//
//   ZipArchive::write("/media/usb/F200.zip", {{"BG200.mdb", copyPath}, {"R17.jpg", photoPath}});
//   const QStringList names = ZipArchive::entryNames("/media/usb/F200.zip");
//
// Entries carry flat names (no folder part). The archive is written under a
// temporary name beside the target and renamed over it only when it is
// complete, so a reader never finds half an archive under the real name and
// a failed write leaves an older archive as it was.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <stdexcept>

class ZipError : public std::runtime_error {
public:
    explicit ZipError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

namespace ZipArchive {

struct Entry {
    QString name;       // the name inside the archive (flat)
    QString hostPath;   // the file whose bytes it holds
};

// The temporary name used beside the target while the archive is written.
QString temporaryNameFor(const QString& archiveHostPath);

// Writes the archive. Throws ZipError (Turkish text) when a name is not
// flat, a name is given twice, a file cannot be read or the archive cannot
// be written; nothing is left under the target's name then (an older
// archive stays).
void write(const QString& archiveHostPath, const QList<Entry>& entries);

// The entries' names in archive order. Throws ZipError when the file is no
// readable archive.
QStringList entryNames(const QString& archiveHostPath);

// The most one entry may hold when read (1 GB), and the most deflate can
// give per compressed byte.
constexpr qint64 readLimit = qint64(1024) * 1024 * 1024;
constexpr int deflateMaxRatio = 1032;

// The bytes of one entry, read piece by piece. Throws ZipError (Turkish
// text) when it is missing, when it declares more than readLimit, when its
// declared size is more than its compressed bytes can give, or when its
// bytes are damaged or do not match the declared size.
QByteArray read(const QString& archiveHostPath, const QString& name);

}
