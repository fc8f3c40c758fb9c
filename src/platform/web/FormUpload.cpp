#include "platform/web/FormUpload.h"

#include "platform/paths/DriveMap.h"
#include "platform/text/CodePage.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>

namespace {

const QByteArray kUploadCrLf("\r\n");

QString uploadAnswerText(const QByteArray& bytes, const QString& contentType)
{
    const QString lower = contentType.toLower();
    const qsizetype at = lower.indexOf("charset=");
    if (at >= 0) {
        QString charset = lower.mid(at + 8).section(';', 0, 0).trimmed();
        charset.remove('"');
        if (charset == "windows-1254" || charset == "cp1254" || charset == "iso-8859-9")
            return Cp1254::decode(bytes);
        QStringDecoder decoder(charset.toLatin1().constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? Cp1254::decode(bytes) : text;
}

} // namespace

QByteArray FormUpload::boundary()
{
    return QByteArray(27, '-') + "123456789";
}

QByteArray FormUpload::contentType()
{
    return "multipart/form-data; boundary=" + boundary();
}

QByteArray FormUpload::fileHeader(const QString& path)
{
    if (path.isEmpty())
        return "Content-Transfer-Encoding: binary";
    const QString upper = path.toUpper();
    if (upper.endsWith(".JPG") || upper.endsWith(".JPEG"))
        return "Content-Type: image/pjpeg";
    if (upper.endsWith(".PNG"))
        return "Content-Type: image/x-png";
    if (upper.endsWith(".PDF"))
        return "Content-Type: application/pdf";
    return "Content-Type: text/html";
}

QByteArray FormUpload::body(const QStringList& names, const QStringList& values, const QStringList& fileNames,
                            const QStringList& filePaths)
{
    if (names.size() != values.size())
        throw FormUploadError("UploadFilesHttpPost: Names and Values must have the same length.");
    if (fileNames.size() != filePaths.size())
        throw FormUploadError("UploadFilesHttpPost: FileNames and FileValues must have the same length.");

    const QByteArray delimiter = "--" + boundary();
    QByteArray out;
    for (qsizetype i = 0; i < names.size(); ++i) {
        out += delimiter + kUploadCrLf;
        out += "Content-Disposition: form-data; name=\"" + Cp1254::encode(names[i]) + "\"" + kUploadCrLf;
        out += kUploadCrLf;
        out += Cp1254::encode(values[i]) + kUploadCrLf;
    }
    for (qsizetype i = 0; i < fileNames.size(); ++i) {
        const QString& path = filePaths[i];
        QByteArray content;
        if (!path.isEmpty()) {
            QFile file(DriveMap::toHost(path));
            if (!file.open(QIODevice::ReadOnly))
                throw FormUploadError("Dosya okunamadı: " + path);
            content = file.readAll();
            if (file.error() != QFileDevice::NoError)
                throw FormUploadError("Dosya okunamadı: " + path);
        }
        out += delimiter + kUploadCrLf;
        out += "Content-Disposition: form-data; name=\"" + Cp1254::encode(fileNames[i]) + "\"; filename=\"" +
               Cp1254::encode(path) + "\"" + kUploadCrLf;
        out += fileHeader(path) + kUploadCrLf;
        out += kUploadCrLf;
        out += content + kUploadCrLf;
    }
    out += delimiter + "--" + kUploadCrLf;
    return out;
}

FormUpload::FormUpload(QObject* parent) : QObject(parent), m_manager(new QNetworkAccessManager(this)) {}

FormUpload::~FormUpload()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
}

bool FormUpload::post(const QUrl& url, const QByteArray& body)
{
    if (m_reply)
        return false;
    m_done = false;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, contentType());
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    m_reply = m_manager->post(request, body);
    connect(m_reply, &QNetworkReply::finished, this, &FormUpload::replyFinished);
    return true;
}

void FormUpload::replyFinished()
{
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    if (!reply)
        return;
    Result r;
    r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    r.answer = reply->readAll();
    r.answerText = uploadAnswerText(r.answer, reply->header(QNetworkRequest::ContentTypeHeader).toString());
    if (r.status >= 200 && r.status < 300 && reply->error() == QNetworkReply::NoError) {
        r.ok = true;
    } else if (r.status != 0) {
        const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        r.error = "Sunucu isteği kabul etmedi: HTTP " + QString::number(r.status) +
                  (reason.isEmpty() ? QString() : " " + reason);
    } else {
        r.error = "Sunucuya bağlanılamadı: " + reply->errorString();
    }
    reply->deleteLater();
    m_last = r;
    m_done = true;
    Q_EMIT finished(r);
}

FormUpload::Result FormUpload::waitForFinished()
{
    if (m_reply && !m_done) {
        QEventLoop loop;
        connect(this, &FormUpload::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return m_last;
}
