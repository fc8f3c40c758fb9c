#include "app/kit/DbConventions.h"

#include "app/kit/Formats.h"
#include "platform/db/Database.h"
#include "platform/db/DatabaseBackup.h"
#include "platform/settings/Registry.h"

#include <QFile>

#include <cstdio>

QString Folders::workFolder()
{
    return "C:\\CO\\";
}

QString Folders::programFolderFor(const QString& databasePath)
{
    const QString p = databasePath.toUpper();
    if (p.size() < 2 || p[0] == QChar('C'))
        return "C:\\CO\\QVX_PROG\\";
    return QString(p[0]) + ":\\QVX_PROG\\";
}

QString Folders::programFolder()
{
    return programFolderFor(RegistryValues::dbq());
}

QString Folders::lettersFolderFor(const QString& databasePath)
{
    const QString p = databasePath.toUpper();
    if (p.size() < 2 || p[0] == QChar('C'))
        return "C:\\CO\\";
    return QString(p[0]) + ":\\";
}

QString Folders::lettersFolder()
{
    return lettersFolderFor(RegistryValues::dbq());
}

static QString counterColumn(Database& db, const QString& column)
{
    for (const QString& c : db.columns("C_SAYI"))
        if (c.compare(column, Qt::CaseInsensitive) == 0)
            return Database::identifier(c);
    throw DbError(QString("C_SAYI tablosunda %1 alanı bulunamadı").arg(column));
}

static void ensureCounterRow(Database& db)
{
    if (db.scalar("select count(*) from C_SAYI").toInt() == 0)
        db.exec("insert into C_SAYI default values");
}

// A counter cell that holds no number would restart the keys at 1 and hand
// out keys that are taken: an error, and nothing changes.
static void checkCounterCell(Database& db, const QString& col, const QString& column)
{
    const auto row = db.first(QString("select %1 as v, typeof(%1) as t from C_SAYI").arg(col));
    if (!row || row->isNull("v") || row->str("t") == "integer" || row->str("t") == "real")
        return;
    bool ok = false;
    row->str("v").trimmed().toDouble(&ok);
    if (!ok)
        throw DbError(QString("C_SAYI tablosunun %1 alanındaki sayaç değeri bir sayı değil: \"%2\"")
                          .arg(column, row->str("v")));
}

int Counters::next(Database& db, const QString& column, int n)
{
    const QString col = counterColumn(db, column);
    Transaction tx(db);
    ensureCounterRow(db);
    checkCounterCell(db, col, column);
    // One statement reads and writes the counter, so two stations on one
    // file never hand out the same value.
    db.exec(QString("update C_SAYI set %1 = coalesce(cast(%1 as integer), 0) + :n").arg(col), {{"n", n}});
    const int value = db.scalar(QString("select %1 from C_SAYI").arg(col)).toInt();
    tx.commit();
    return value - n + 1;
}

int Counters::current(Database& db, const QString& column)
{
    const QString col = counterColumn(db, column);
    return db.scalar(QString("select %1 from C_SAYI").arg(col)).toInt();
}

void Counters::set(Database& db, const QString& column, int value)
{
    const QString col = counterColumn(db, column);
    Transaction tx(db);
    ensureCounterRow(db);
    db.exec(QString("update C_SAYI set %1 = :v").arg(col), {{"v", value}});
    tx.commit();
}

QString DbKind::read(Database& db)
{
    const auto row = db.first("select DBName from C_DATABASE");
    return row ? row->str("DBName").trimmed().toUpper() : QString();
}

void DatabaseCopies::withoutPasswords(Database& db, const QString& tempHost, const QString& targetHost)
{
    QFile::remove(tempHost);
    DatabaseBackup::copyTo(db, tempHost);
    try {
        Database copy;
        copy.open(tempHost, true);
        if (copy.hasTable("C_SIFRE")) {
            copy.exec("update C_SIFRE set Sifre = NULL");
            copy.exec("VACUUM");
        }
        copy.close();
    } catch (...) {
        QFile::remove(tempHost);
        throw;
    }
    // rename() puts the new copy in the earlier one's place in one step: at
    // no moment is there no copy under the target's name, and a rename that
    // fails leaves the earlier copy as it was.
    if (std::rename(QFile::encodeName(tempHost).constData(), QFile::encodeName(targetHost).constData()) != 0) {
        QFile::remove(tempHost);
        throw DbError(QStringLiteral("Veritabanı kopyası oluşturulamadı: ") + targetHost);
    }
}

QString sqlDateLiteral(const QString& typedDate, const QString& databaseKind)
{
    QDate d;
    if (!Formats::tryStrToDate(typedDate, d))
        return QString();
    const QString normal = Formats::dateToStr(d);
    if (databaseKind.compare("SQLSERVER", Qt::CaseInsensitive) == 0)
        return "'" + normal + "'";
    // "ACCESS" (and, there being no other kind, anything else)
    return "#" + d.toString("MM/dd/yyyy") + "#";
}

QString connectionString(const QString& databasePath)
{
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + databasePath + ";Persist Security Info=False";
}
