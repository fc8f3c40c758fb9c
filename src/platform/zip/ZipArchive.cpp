#include "platform/zip/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

QString zipFailure(const QString& detail)
{
    return "Arşiv dosyası oluşturulamadı: " + detail;
}

QString zipReadFailure(const QString& detail)
{
    return "Arşiv dosyası okunamadı: " + detail;
}

QString zipErrorText(zip_t* za)
{
    return QString::fromUtf8(zip_error_strerror(zip_get_error(za)));
}

// The text of the error code zip_open() gave back.
QString zipOpenErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

bool zipIsFlatName(const QString& name)
{
    return !name.isEmpty() && !name.contains('/') && !name.contains('\\') && name != "." && name != "..";
}

void zipSyncFile(const QString& hostPath)
{
    const int fd = ::open(QFile::encodeName(hostPath).constData(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

zip_t* zipOpenForReading(const QString& archiveHostPath)
{
    int code = 0;
    zip_t* za = zip_open(QFile::encodeName(archiveHostPath).constData(), ZIP_RDONLY, &code);
    if (!za)
        throw ZipError(zipReadFailure(QFileInfo(archiveHostPath).fileName() + " (" + zipOpenErrorText(code) + ")"));
    return za;
}

} // namespace

namespace ZipArchive {

QString temporaryNameFor(const QString& archiveHostPath)
{
    const QFileInfo target(archiveHostPath);
    return target.dir().filePath("." + target.fileName() + ".tmp");
}

void write(const QString& archiveHostPath, const QList<Entry>& entries)
{
    // An archive without entries is not written by the library at all.
    if (entries.isEmpty())
        throw ZipError(zipFailure("arşive eklenecek dosya yok"));
    QSet<QString> seen;
    for (const Entry& e : entries) {
        if (!zipIsFlatName(e.name))
            throw ZipError(zipFailure("geçersiz dosya adı \"" + e.name + "\""));
        if (seen.contains(e.name.toLower()))
            throw ZipError(zipFailure("\"" + e.name + "\" iki kez eklenemez"));
        seen.insert(e.name.toLower());
        const QFileInfo source(e.hostPath);
        if (!source.isFile() || !source.isReadable())
            throw ZipError(zipFailure(e.hostPath + " okunamıyor"));
    }

    const QString tmp = temporaryNameFor(archiveHostPath);
    QFile::remove(tmp);
    int code = 0;
    zip_t* za = zip_open(QFile::encodeName(tmp).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!za)
        throw ZipError(zipFailure(zipOpenErrorText(code)));
    for (const Entry& e : entries) {
        zip_source_t* src = zip_source_file(za, QFile::encodeName(e.hostPath).constData(), 0, -1);
        if (!src || zip_file_add(za, e.name.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8) < 0) {
            const QString text = zipErrorText(za);
            if (src)
                zip_source_free(src);
            zip_discard(za);
            QFile::remove(tmp);
            throw ZipError(zipFailure(e.name + " (" + text + ")"));
        }
    }
    if (zip_close(za) != 0) {
        const QString text = zipErrorText(za);
        zip_discard(za);
        QFile::remove(tmp);
        throw ZipError(zipFailure(text));
    }
    zipSyncFile(tmp);
    if (::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(archiveHostPath).constData()) != 0) {
        const QString why = QString::fromLocal8Bit(strerror(errno));
        QFile::remove(tmp);
        throw ZipError(zipFailure(why));
    }
}

QStringList entryNames(const QString& archiveHostPath)
{
    zip_t* za = zipOpenForReading(archiveHostPath);
    QStringList names;
    const zip_int64_t n = zip_get_num_entries(za, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        const char* name = zip_get_name(za, zip_uint64_t(i), 0);
        names.append(name ? QString::fromUtf8(name) : QString());
    }
    zip_discard(za);
    return names;
}

QByteArray read(const QString& archiveHostPath, const QString& name)
{
    zip_t* za = zipOpenForReading(archiveHostPath);
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(za, name.toUtf8().constData(), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) {
        zip_discard(za);
        throw ZipError(zipReadFailure(name + " arşivde yok"));
    }
    // The sizes an entry declares are only claims of the archive: nothing is
    // set aside for them, and a claim its compressed bytes cannot make good
    // is refused before reading.
    const bool plain = !(st.valid & ZIP_STAT_ENCRYPTION_METHOD) || st.encryption_method == ZIP_EM_NONE;
    if (plain && st.valid & ZIP_STAT_COMP_SIZE && st.valid & ZIP_STAT_COMP_METHOD) {
        const zip_uint64_t ratio = zip_uint64_t(deflateMaxRatio);
        const bool stored = st.comp_method == ZIP_CM_STORE && st.size != st.comp_size;
        const bool deflated = st.comp_method == ZIP_CM_DEFLATE && st.size > ratio && (st.size - ratio) / ratio > st.comp_size;
        if (stored || deflated) {
            zip_discard(za);
            throw ZipError(zipReadFailure(name + " bozuk (bildirilen boyutu sıkıştırılmış boyutuna uymuyor)"));
        }
    }
    if (st.size > zip_uint64_t(readLimit)) {
        zip_discard(za);
        throw ZipError(zipReadFailure(name + " çok büyük (en fazla " +
                                      QString::number(readLimit / (1024 * 1024 * 1024)) + " GB okunabilir)"));
    }
    zip_file_t* f = zip_fopen(za, name.toUtf8().constData(), 0);
    QByteArray bytes;
    QString failure;
    if (f) {
        constexpr qsizetype chunk = 256 * 1024;
        for (;;) {
            const qsizetype at = bytes.size();
            const zip_uint64_t left = st.size - zip_uint64_t(at);
            // One byte more than declared is asked for, so an entry that
            // gives more than it declared is seen.
            const qsizetype want = qsizetype(std::min<zip_uint64_t>(left + 1, chunk));
            bytes.resize(at + want);
            const zip_int64_t got = zip_fread(f, bytes.data() + at, zip_uint64_t(want));
            if (got < 0) {
                failure = QString::fromUtf8(zip_error_strerror(zip_file_get_error(f)));
                break;
            }
            bytes.resize(at + qsizetype(got));
            if (zip_uint64_t(bytes.size()) > st.size) {
                failure = "bildirilen boyutundan uzun";
                break;
            }
            if (got == 0) {
                if (zip_uint64_t(bytes.size()) != st.size)
                    failure = "bildirilen boyutundan kısa";
                break;
            }
        }
        zip_fclose(f);
    } else {
        failure = zipErrorText(za);
    }
    zip_discard(za);
    if (!failure.isEmpty())
        throw ZipError(zipReadFailure(name + " (" + failure + ")"));
    return bytes;
}

}
