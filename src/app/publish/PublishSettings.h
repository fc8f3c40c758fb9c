#pragma once
// The connection settings of the publishing screen.
//
// They are the user's own, FTP password included, so they live with the
// user's settings and not in a shared folder: in the user's configuration
// folder ($XDG_CONFIG_HOME, else ~/.config) under "brivex", in a file named
// after the program ("brivex.ini"), readable and writable by the user alone
// (mode 0600, its folder 0700). Sections and keys are the program's:
// [Data] HostName, Port, ... BinaryMode and [Window] Top, Left, Width, Height.
//
//   PublishSettings::Values v = PublishSettings::load(PublishSettings::filePath("brivex"));
//   v.PassWord = ...;
//   PublishSettings::save(path, v, window.geometry());

#include <QRect>
#include <QString>

namespace PublishSettings {

struct Values {
    QString HostName;
    QString Port = QStringLiteral("21");
    QString UserName;
    QString PassWord;
    QString Account;
    QString HostDir;
    QString HostFile;
    QString LocalFile;
    QString ResumeAt = QStringLiteral("0");
    QString DataPortRangeStart = QStringLiteral("0");
    QString DataPortRangeEnd = QStringLiteral("0");
    int PassiveMode = 0;
    int AuthSSLEnabled = 0;
    int DisplayData = 0;
    int SyncMode = 0;
    int NoAutoResumeAt = 0;
    int BinaryMode = 1;
};

// The settings file's name: the program's file name, lower-cased, with its
// last three characters replaced by "ini" when it has an extension and
// ".ini" added otherwise ("Brivex" -> "brivex.ini").
QString fileName(const QString& programFileName);
// Its place in the user's configuration folder.
QString filePath(const QString& programFileName);

// The values of the file; a missing file or key gives the defaults.
Values load(const QString& path);
// Writes every value and the window's place; false (with a reason) when the
// file cannot be written. The file is made readable by its owner only.
bool save(const QString& path, const Values& values, const QRect& window, QString* error = nullptr);

}
