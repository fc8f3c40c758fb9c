#include "app/kit/RegionFlags.h"

#include "app/kit/DbConventions.h"
#include "app/kit/Logo.h"
#include "platform/db/Database.h"
#include "platform/paths/DriveMap.h"

#include <QFileInfo>

namespace RegionFlags {

QString flagsFolder(const QString& programFolder)
{
    return (programFolder.isEmpty() ? Folders::programFolder() : programFolder) + "Flags\\";
}

QString flagFile(int regionKey, const QString& programFolder)
{
    return flagsFolder(programFolder) + "Flg" + QString::number(regionKey) + ".bmp";
}

bool hasFlag(int regionKey, const QString& programFolder)
{
    return QFileInfo(DriveMap::toHost(flagFile(regionKey, programFolder))).isFile();
}

QString flagOrLogo(int regionKey, const QString& programFolder)
{
    return hasFlag(regionKey, programFolder) ? flagFile(regionKey, programFolder) : brivexLogoFile();
}

Region region(Database& db, const QString& regionName)
{
    const Records rows =
        db.select("select Durum_Key, Tip1 from C_UYELIKTURU where Durum = :n", {{"n", regionName}});
    Region r;
    if (rows.size() == 1) {
        r.key = rows.first().toInt("Durum_Key");
        r.english = rows.first().str("Tip1") == "00";
    }
    return r;
}

int regionKey(Database& db, const QString& regionName)
{
    return region(db, regionName).key;
}

QString flagOfRegion(Database& db, const QString& regionName, const QString& programFolder)
{
    if (regionName.isEmpty())
        return brivexLogoFile();
    return flagOrLogo(regionKey(db, regionName), programFolder);
}

}
