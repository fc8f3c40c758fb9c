#include "app/publish/UploadQueue.h"

#include "platform/paths/DriveMap.h"

#include <QFile>
#include <QSaveFile>

namespace UploadQueue {

const QList<Keyword>& keywords()
{
    static const QList<Keyword> k = {
        {"Delete1", false, "metafile2.res", ""},
        {"Rename1", true, "metafile.res", "metafile2.res"},
        {"Rename2", true, "metafile1.res", "metafile.res"},
        {"Delete2", false, "metafile2.res", ""},
        {"Delete3", false, "Result2.mdb", ""},
        {"Rename3", true, "Result.mdb", "Result2.mdb"},
        {"Rename4", true, "Sonuclar.mdb", "Result.mdb"},
        {"Delete4", false, "Result2.mdb", ""},
    };
    return k;
}

const Keyword* keyword(const QString& line)
{
    for (const Keyword& k : keywords())
        if (line == QLatin1String(k.name))
            return &k;
    return nullptr;
}

QString kindOf(const QString& firstLine)
{
    return firstLine.right(3).toUpper() == QLatin1String("JPG") ? kPhotos : kFiles;
}

QString remoteName(const QString& path)
{
    const qsizetype cut = qMax(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return path.mid(cut + 1);
}

QStringList databaseQueue(const QString& clubListPath, const QString& copyPath)
{
    return {clubListPath, copyPath, "Delete1", "Rename1", "Rename2", "Delete2"};
}

QStringList resultsQueue(const QString& resultsPath)
{
    return {resultsPath, "Delete3", "Rename3", "Rename4", "Delete4"};
}

QString resumeFilePath()
{
    return QStringLiteral("C:\\CO\\ResFile.dat");
}

QStringList loadSaved()
{
    QFile f(DriveMap::toHost(resumeFilePath()));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(f.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    if (text.isEmpty())
        return {};
    return text.split(u'\n');
}

bool save(const QStringList& lines)
{
    const QString host = DriveMap::toHost(resumeFilePath());
    DriveMap::makePath(QStringLiteral("C:\\CO"));
    QSaveFile f(host);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    f.write(bytes);
    return f.commit();
}

}
