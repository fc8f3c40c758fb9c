#include "app/kit/RegionFlags.h"

#include "app/kit/DbConventions.h"
#include "app/SplashForm.h"
#include "platform/db/Database.h"
#include "platform/paths/DriveMap.h"

#include <QFileInfo>

namespace RegionFlags {

QString flagsFolder()
{
    return Folders::programFolder() + "Flags\\";
}

QString flagFile(int regionKey)
{
    return flagsFolder() + "Flg" + QString::number(regionKey) + ".bmp";
}

bool hasFlag(int regionKey)
{
    return QFileInfo(DriveMap::toHost(flagFile(regionKey))).isFile();
}

QString flagOrLogo(int regionKey)
{
    return hasFlag(regionKey) ? flagFile(regionKey) : TSplashForm::logoFile();
}

int regionKey(Database& db, const QString& regionName)
{
    const Records rows = db.select("select Durum_Key from C_UYELIKTURU where Durum = :n", {{"n", regionName}});
    return rows.size() == 1 ? rows.first().toInt("Durum_Key") : kUnknownRegionKey;
}

QString flagOfRegion(Database& db, const QString& regionName)
{
    if (regionName.isEmpty())
        return TSplashForm::logoFile();
    return flagOrLogo(regionKey(db, regionName));
}

}
