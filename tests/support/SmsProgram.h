#pragma once
// An SMS program installed beside Brivex, as the person search and the club
// list find it: its database with the recipient tables (empty), the data
// source "DBQ" naming it, and the program file in its usual folder.
//
//   const QString smsPath = installSmsProgram(dir.path());
//   ... export ...
//   Database sms; sms.open(smsPath, false);     // what the export wrote

#include "exchange/SmsExport.h"
#include "platform/db/Database.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

inline QString installSmsProgram(const QString& folder)
{
    const QString smsPath = QDir(folder).filePath("velisto.db");
    {
        Database sms;
        sms.open(smsPath, false);
        sms.exec("create table t_grup (grup_id integer primary key autoincrement, grup_adi text)");
        sms.exec("create table t_kisi (kisi_id integer primary key autoincrement, adsoyad text, gsm text)");
        sms.exec("create table t_kisi_grubu (grup_id integer, kisi_id integer)");
    }
    Registry reg(Registry::HKEY_CURRENT_USER);
    reg.openKey(SmsExport::kDataSourceKey, true);
    reg.writeString("DBQ", smsPath);
    const QString program = DriveMap::toHost(SmsExport::kProgramX86);
    QDir().mkpath(QFileInfo(program).path());
    QFile file(program);
    if (file.open(QIODevice::WriteOnly))
        file.write("MZ");
    return smsPath;
}
