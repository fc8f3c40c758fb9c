#pragma once
// The regions' flag pictures: one bitmap per region in the flags folder, the
// program folder followed by "Flags\", named "Flg" + the region's Durum_Key +
// ".bmp" (İstanbul, key 34: "Flags\Flg34.bmp"). The regions and their flags
// come with the database and the installation; nothing here writes them.
//
//   const QString picture = RegionFlags::flagOfRegion(db, bout.str("Bolge1"));
//   button->setIcon(QPixmap(DriveMap::toHost(picture)));
//
// Paths are in Windows form, as everywhere in the program.

#include <QString>

class Database;

namespace RegionFlags {

// The key a region without a single matching row is looked up with: no
// flag file carries it.
inline constexpr int kUnknownRegionKey = 99999;

// Each routine below works in a program folder ("C:\CO\QVX_PROG\"); without
// one, in that of the station's database drive (Folders::programFolder()).

// The flags folder: the program folder followed by "Flags\".
QString flagsFolder(const QString& programFolder = QString());
// The flag file of a region key, whether it exists or not.
QString flagFile(int regionKey, const QString& programFolder = QString());
// Whether that file exists (a region without one is shown without a flag).
bool hasFlag(int regionKey, const QString& programFolder = QString());
// The flag file of the key when it exists, else the program's logo
// "C:\CO\MusLogo.bmp", which stands in for a missing flag.
QString flagOrLogo(int regionKey, const QString& programFolder = QString());

// A region of C_UYELIKTURU found by its name.
struct Region {
    int key = kUnknownRegionKey;    // the unknown key when no region or several have the name
    bool english = false;           // the one region's Tip1 is "00": the scoreboard speaks English
};
Region region(Database& db, const QString& regionName);
// The key of the one region of C_UYELIKTURU with this name; the unknown
// key when no region or several have it.
int regionKey(Database& db, const QString& regionName);
// The picture shown for a region named by a weigh-in row or a bout: its
// flag, or the logo when the name is empty, unknown, ambiguous or the
// region has no flag file.
QString flagOfRegion(Database& db, const QString& regionName, const QString& programFolder = QString());

}
