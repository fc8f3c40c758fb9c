#pragma once
// The exam package: what a club sends the federation after a belt exam.
// One zip archive "F" + club key + ".zip" holding, without folder names,
//   "BG" + club key + ".mdb"   a consistent copy of the club database in
//                              which the exam's athletes are marked
//                              (C_MUSTERI.Terfi = 1, M7 = exam date; every
//                              other row has both empty) and the reserved
//                              club row (key 1 of C_UYELIKSURESI) carries the
//                              committee's register numbers in Sokak
//                              (chairman), Cadde, No1, Ilce (members 1-3);
//                              the users' passwords (C_SIFRE) are left out;
//   "R" + person key + ".jpg"  the photo of every marked athlete that has one;
//   attachments                up to five documents under their own names.
//
//   ExamPackage::mark(db, {date, where, params, committee});
//   ExamPackage::write(db, {programFolder, clubKey, attachments}, "E:\\");
//
// The archive is written in process, under a temporary name, and renamed
// when complete; the database copy is taken through the engine's online
// backup (DatabaseCopies::withoutPasswords). An attachment can never stand in for the database copy or a
// photo (its name is refused), and every entry name is flat.

#include "platform/db/Database.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <stdexcept>

class ExamPackageError : public std::runtime_error {
public:
    enum class Kind {
        Target,     // the target folder takes no file (write protected, missing)
        Package,    // the copy or the archive could not be made
    };
    ExamPackageError(Kind kind, const QString& message)
        : std::runtime_error(message.toStdString()), m_kind(kind), m_message(message) {}
    Kind kind() const { return m_kind; }
    QString message() const { return m_message; }

private:
    Kind m_kind;
    QString m_message;
};

namespace ExamPackage {

inline constexpr int kMaxAttachments = 5;
inline constexpr qint64 kMaxAttachmentBytes = 499999;
inline constexpr qint64 kMaxPhotoBytes = 99999;

QString archiveName(const QString& clubKey);        // "F200.zip"
QString databaseCopyName(const QString& clubKey);   // "BG200.mdb"
QString photoName(const QString& personKey);        // "R17.jpg"

// The installation's own club: the clubs table must hold exactly the
// reserved row (key 1) and one club row. `ok` is false otherwise.
struct Club {
    bool ok = false;
    int rowCount = 0;
    QString key;        // Durum_Key, decimal
    QString name;       // Durum
    QString region;     // E1
};
Club readClub(Database& db);

struct Committee {
    QString chairman, member1, member2, member3;   // register numbers
};

// Clears every exam mark, marks the rows the condition selects with the
// exam date and writes the committee into the reserved club row, in one
// transaction. `where` is "" or " where ..." with its values bound by
// `params`.
void mark(Database& db, const QDate& examDate, const QString& where, const QVariantMap& params,
          const Committee& committee);

// Why a file cannot go into the package under its name ("" when it can):
// the names of the database copy ("BG*.mdb"), the club database and the
// federation's work copy, and photo names ("R" + digits + ".jpg") are
// refused.
QString attachmentRefusal(const QString& fileName);

struct Contents {
    QString programFolder;      // Windows form, "C:\CO\QVX_PROG\"
    QString clubKey;
    QStringList attachments;    // paths (Windows form or host), at most five
};

// Writes the package into the target folder (Windows form "E:\" or a host
// path) and returns the archive's host path. Before anything else an empty
// probe file "RecLog.dat" is written to the target and removed; when that
// fails, ExamPackageError of kind Target. Attachments whose file is gone are
// left out. Other failures: kind Package, nothing left under the archive's
// name.
QString write(Database& db, const Contents& contents, const QString& targetFolder);

// The entries write() would put into the archive (names and host paths).
struct Entry {
    QString name;
    QString hostPath;
};
QList<Entry> entries(Database& db, const Contents& contents, const QString& databaseCopyHostPath);

}
