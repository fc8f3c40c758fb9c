#include "app/publish/PublishDatabase.h"

#include "app/kit/DbConventions.h"
#include "platform/db/Database.h"
#include "platform/text/CodePage.h"

#include <QFile>

namespace PublishDatabase {

void writeCopy(Database& db, const QString& tempHost, const QString& copyHost)
{
    // The published copy of a failed run is gone before the new one is made.
    QFile::remove(copyHost);
    DatabaseCopies::withoutPasswords(db, tempHost, copyHost);
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
