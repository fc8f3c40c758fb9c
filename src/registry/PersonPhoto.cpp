#include "registry/PersonPhoto.h"

#include "platform/paths/DriveMap.h"

#include <QImageReader>

namespace PersonPhoto {

QString fileName(const QString& programFolder, int personKey)
{
    return programFolder + "R" + QString::number(personKey) + ".jpg";
}

bool load(const QString& file, QImage& picture)
{
    QImageReader reader(DriveMap::toHost(file), "JPEG");
    QImage read;
    if (!reader.read(&read)) {
        picture = QImage();
        return false;
    }
    picture = read;
    return true;
}

} // namespace PersonPhoto
