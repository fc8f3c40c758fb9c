#include "registry/PersonFiles.h"

#include "platform/paths/DriveMap.h"

#include <QFile>
#include <QFileInfo>
#include <QVariant>

#include <cstdio>

namespace PersonFiles {

QString attachmentName(const QString& programFolder, QChar letter, const QVariant& rowKey)
{
    return programFolder + letter + QString::number(rowKey.toLongLong()) + ".pdf";
}

namespace {

QString hostOf(const QString& path)
{
    return DriveMap::toHost(path);
}

bool removeHost(const QString& host)
{
    const QFileInfo info(host);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isDir())
        return false;
    QFile::setPermissions(host, QFile::permissions(host) | QFile::WriteOwner | QFile::ReadOwner);
    return QFile::remove(host);
}

} // namespace

bool replace(const QString& source, const QString& target)
{
    const QString host = hostOf(target);
    const QString part = host + ".yeni";
    if (!QFileInfo(source).isFile() || !removeHost(part))
        return false;
    if (!QFile::copy(source, part) || QFileInfo(part).size() != QFileInfo(source).size()) {
        removeHost(part);
        return false;
    }
    // The copy is not read-only, whatever the chosen file was.
    QFile::setPermissions(part, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    // rename() replaces the old file in one step; a read-only one too, since
    // the folder's permissions decide.
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(host).constData()) != 0) {
        removeHost(part);
        return false;
    }
    return true;
}

bool remove(const QString& target)
{
    return removeHost(hostOf(target));
}

bool exists(const QString& target)
{
    return QFileInfo(hostOf(target)).isFile();
}

} // namespace PersonFiles
