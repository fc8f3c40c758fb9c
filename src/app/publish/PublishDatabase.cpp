#include "app/publish/PublishDatabase.h"

#include "platform/db/Database.h"
#include "platform/db/DatabaseBackup.h"
#include "platform/text/CodePage.h"

#include <QFile>

namespace PublishDatabase {

void writeCopy(Database& db, const QString& tempHost, const QString& copyHost)
{
    QFile::remove(tempHost);
    QFile::remove(copyHost);
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
    if (!QFile::rename(tempHost, copyHost)) {
        QFile::remove(tempHost);
        throw DbError(QStringLiteral("Veritabanı kopyası oluşturulamadı: ") + copyHost);
    }
}

QStringList clubListLines(const Database& db)
{
    QStringList lines = {"<html>", "<title><%=date()%></title>",
                         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1254\">",
                         "FIRST<br>"};
    for (const Record& r : db.select("select Durum_Key, Durum, E1 from C_UYELIKSURESI where Durum_Key > 1 and "
                                     "(C_UYELIKSURESI.Faal <> '0' or C_UYELIKSURESI.Faal is null) "
                                     "order by Durum_Key"))
        lines << QStringLiteral("%1 %2 %3<br>")
                     .arg(r.toInt64("Durum_Key"), 6, 10, QChar(u'0'))
                     .arg(r.str("E1").toHtmlEscaped(), r.str("Durum").toHtmlEscaped());
    lines << "LAST" << "</html>";
    return lines;
}

bool writeClubList(const Database& db, const QString& hostPath, QString* error)
{
    return Cp1254::writeFile(hostPath, clubListLines(db).join("\r\n") + "\r\n", error);
}

}
