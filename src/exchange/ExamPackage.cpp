#include "exchange/ExamPackage.h"

#include "app/kit/DbConventions.h"
#include "app/kit/ReservedRows.h"
#include "platform/paths/DriveMap.h"
#include "platform/text/Rtf.h"
#include "platform/zip/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextDocument>

namespace {

QString examHostFolder(const QString& folder)
{
    QString host = DriveMap::toHost(folder);
    if (!host.endsWith('/'))
        host += '/';
    return host;
}

} // namespace

namespace ExamPackage {

QString archiveName(const QString& clubKey)
{
    return "F" + clubKey + ".zip";
}

QString databaseCopyName(const QString& clubKey)
{
    return "BG" + clubKey + ".mdb";
}

QString photoName(const QString& personKey)
{
    return "R" + personKey + ".jpg";
}

Club readClub(Database& db)
{
    Club club;
    const Records rows = db.select("select Durum_Key,Durum,E1 from C_UYELIKSURESI order by Durum");
    club.rowCount = int(rows.size());
    if (rows.size() != 2)
        return club;
    // The club is the row that is not the reserved one, whatever the order.
    int reserved = -1;
    for (int i = 0; i < 2; ++i)
        if (rows[i].toInt("Durum_Key") == kNoClubKey)
            reserved = i;
    if (reserved < 0)
        return club;
    const Record& row = rows[1 - reserved];
    club.ok = true;
    club.key = QString::number(row.toInt("Durum_Key"));
    club.name = row.str("Durum");
    club.region = row.str("E1");
    return club;
}

void mark(Database& db, const QDate& examDate, const QString& where, const QVariantMap& params,
          const Committee& committee)
{
    QVariantMap markParams = params;
    markParams.insert("examMarkDate", examDate);
    db.begin();
    try {
        db.exec("Update C_MUSTERI set Terfi = null, M7 = null");
        db.exec("Update C_MUSTERI set Terfi = 1, M7 = :examMarkDate " + where, markParams);
        db.exec("Update C_UYELIKSURESI set Sokak = :chairman, Cadde = :member1, No1 = :member2, Ilce = :member3 "
                "where Durum_Key = :reserved",
                {{"chairman", committee.chairman},
                 {"member1", committee.member1},
                 {"member2", committee.member2},
                 {"member3", committee.member3},
                 {"reserved", kNoClubKey}});
        db.commit();
    } catch (...) {
        db.rollback();
        throw;
    }
}

QString attachmentRefusal(const QString& fileName)
{
    static const QRegularExpression packageNames(
        "^(bg.*\\.mdb|fdr\\.mdb|fed\\.mdb|r[0-9]+\\.jpg)$", QRegularExpression::CaseInsensitiveOption);
    const QString name = fileName.trimmed();
    if (name.isEmpty() || name.contains('/') || name.contains('\\') || name == "." || name == ".." ||
        packageNames.match(name).hasMatch())
        return "\"" + fileName + "\" adlı dosya eklenemez. Bu ad paketteki veritabanı veya fotoğraf "
                                 "dosyalarına ayrılmıştır. Lütfen dosyanın adını değiştirip tekrar ekleyiniz ...!";
    return {};
}

QList<Entry> entries(Database& db, const Contents& contents, const QString& databaseCopyHostPath)
{
    QList<Entry> list;
    list.append({databaseCopyName(contents.clubKey), databaseCopyHostPath});
    for (const QString& path : contents.attachments.mid(0, kMaxAttachments)) {
        const QString host = DriveMap::toHost(path);
        const QFileInfo info(host);
        if (!info.isFile())
            continue;   // chosen, then deleted: left out
        const QString refusal = attachmentRefusal(info.fileName());
        if (!refusal.isEmpty())
            throw ExamPackageError(ExamPackageError::Kind::Package, refusal);
        for (const Entry& e : list)
            if (e.name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
                throw ExamPackageError(ExamPackageError::Kind::Package,
                                       "\"" + info.fileName() + "\" adlı dosya pakete iki kez eklenemez ...!");
        list.append({info.fileName(), host});
    }
    const Records marked = db.select("Select musteri_key,terfi from C_MUSTERI where Terfi = 1 order by Musteri_Key");
    for (const Record& r : marked) {
        const QString name = photoName(r.str("Musteri_Key"));
        const QString host = DriveMap::toHost(contents.programFolder + name);
        if (QFileInfo(host).isFile())
            list.append({name, host});
    }
    return list;
}

QString write(Database& db, const Contents& contents, const QString& targetFolder)
{
    const QString target = examHostFolder(targetFolder);
    // The probe: an empty document proves the target takes a file.
    const QString probe = target + "RecLog.dat";
    QString probeError;
    if (!QDir(target).exists() || !Rtf::save(QTextDocument(), probe, &probeError))
        throw ExamPackageError(ExamPackageError::Kind::Target,
                               probeError.isEmpty() ? "Hedef klasör yok: " + targetFolder : probeError);
    QFile::remove(probe);

    const QString copy = examHostFolder(contents.programFolder) + databaseCopyName(contents.clubKey);
    try {
        QDir().mkpath(QFileInfo(copy).absolutePath());
        // The club's user names and passwords stay at the club.
        DatabaseCopies::withoutPasswords(db, copy + ".kopya", copy);
    } catch (const DbError& e) {
        throw ExamPackageError(ExamPackageError::Kind::Package, e.message());
    }

    QList<ZipArchive::Entry> zipEntries;
    for (const Entry& e : entries(db, contents, copy))
        zipEntries.append({e.name, e.hostPath});
    const QString archive = target + archiveName(contents.clubKey);
    try {
        ZipArchive::write(archive, zipEntries);
    } catch (const ZipError& e) {
        throw ExamPackageError(ExamPackageError::Kind::Package, e.message());
    }
    return archive;
}

}
