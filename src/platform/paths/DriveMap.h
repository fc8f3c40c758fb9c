#pragma once
// Drive letters and network names.
//
// Every path inside the program keeps its Windows form ("C:\CO\QVX_PROG\Fdr.mdb",
// "M:\QVX_PROG\", "\\RING2\CO\QVX_PROG\Fdr.mdb"). The drive map turns such a
// path into a host path at the moment a file is touched.
//
// The data root is $BRIVEX_HOME when set, else $XDG_DATA_HOME/brivex (or
// ~/.local/share/brivex). Drive C: is the folder "C" under the root unless the
// station file says otherwise. Other letters and ring computer names are mapped
// in "station.ini" of the data root:
//
//   [Drives]
//   M=/mnt/fdr-main;remote       ; a network mount, reported as a remote drive
//   D=/srv/data                  ; a local drive
//   [Rings]
//   RING2=/mnt/ring2             ; "\\RING2\..." resolves below this folder
//
// Path components below a drive root are matched without regard to case, as
// Windows does, so "C:\CO\QVX_PROG\FDR.MDB" finds "Fdr.mdb".

#include <QChar>
#include <QList>
#include <QPair>
#include <QString>

class DriveMap {
public:
    enum class DriveType { None, Local, Remote };

    // Root folder of this station's data.
    static QString dataRoot();
    // Overrides the data root for this process (the station tool, tests).
    static void setDataRoot(const QString& hostFolder);
    // The station file holding the drive, ring and port maps.
    static QString stationFile();

    // What a drive letter is: not present, a local folder or a network mount.
    static DriveType driveType(QChar letter);
    // The host folder a drive letter stands for ("" when unmapped and absent).
    static QString driveFolder(QChar letter);

    // Maps a drive letter to a host folder and stores the choice.
    static void mapDrive(QChar letter, const QString& hostFolder, bool remote);
    static void unmapDrive(QChar letter);
    // Maps a ring computer's network name to a host folder and stores it.
    static void mapRing(const QString& name, const QString& hostFolder);
    // The mapped ring computer names (upper case, in name order) with their
    // host folders.
    static QList<QPair<QString, QString>> rings();

    // Host path of a Windows-form path. A path that already is a host path
    // (it starts with "/") is returned unchanged.
    static QString toHost(const QString& path);
    // Windows form of a host path when it lies on a mapped drive; otherwise
    // the host path itself (which toHost accepts back).
    static QString toWindows(const QString& hostPath);

    // Convenience: whether the file or folder a Windows path names exists.
    static bool exists(const QString& path);
    // Creates the folder a Windows path names, with its parents.
    static bool makePath(const QString& path);

    // Forgets cached station settings (after another process changed them).
    static void reload();
};
