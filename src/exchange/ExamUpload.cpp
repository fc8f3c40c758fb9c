#include "exchange/ExamUpload.h"

#include "exchange/ExamPackage.h"
#include "platform/settings/Registry.h"
#include "platform/text/CodePage.h"
#include "platform/web/FormUpload.h"

namespace {

const char* const kExamUploadKey = "\\Software\\Brivex";
const char* const kExamUploadValue = "ExamUploadServer";

QByteArray examUploadValue(const QString& text)
{
    return Cp1254::encode(text).toPercentEncoding();
}

} // namespace

namespace ExamUpload {

QString server()
{
    Registry reg(Registry::HKEY_CURRENT_USER);
    if (reg.openKeyReadOnly(kExamUploadKey) && reg.valueExists(kExamUploadValue)) {
        const QString value = reg.readString(kExamUploadValue).trimmed();
        if (!value.isEmpty())
            return value;
    }
    return "http://www.brivex.org";
}

void setServer(const QString& address)
{
    Registry reg(Registry::HKEY_CURRENT_USER);
    if (reg.openKey(kExamUploadKey, true))
        reg.writeString(kExamUploadValue, address);
}

QString folder()
{
    return "C:\\CO\\QVX_PROG\\";
}

QString archivePath(const QString& clubKey)
{
    return folder() + ExamPackage::archiveName(clubKey);
}

QUrl address(const QString& server, const QString& club, const QString& region, const QString& examDate)
{
    QByteArray base = server.trimmed().toUtf8();
    while (base.endsWith('/'))
        base.chop(1);
    const QByteArray period = examDate.mid(3, 2).toLatin1() + examDate.mid(6, 4).toLatin1();
    const QByteArray query = "kod=1&klp=" + examUploadValue(club) + "&blg=" + examUploadValue(region) +
                             "&donem=" + examUploadValue(QString::fromLatin1(period));
    return QUrl::fromEncoded(base + "/destek/fupload.asp?" + query, QUrl::StrictMode);
}

QByteArray body(const QString& clubKey)
{
    return FormUpload::body({}, {}, {ExamPackage::archiveName(clubKey)}, {archivePath(clubKey)});
}

}
