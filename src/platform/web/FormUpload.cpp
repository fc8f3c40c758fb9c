#include "platform/web/FormUpload.h"

#include "platform/paths/DriveMap.h"
#include "platform/text/CodePage.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QTimer>

#include <algorithm>

namespace {

const QByteArray kUploadCrLf("\r\n");
// What the network thread may hold of an answer before it is read: without
// a limit it reads on as fast as the server sends, whatever is kept.
constexpr qint64 kUploadReadBuffer = 64 * 1024;

qint64 uploadSteadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

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

QString FormUpload::timeoutText(std::chrono::milliseconds timeout)
{
    QString seconds = QString::number(double(timeout.count()) / 1000.0, 'f', 3);
    while (seconds.endsWith('0'))
        seconds.chop(1);
    if (seconds.endsWith('.'))
        seconds.chop(1);
    seconds.replace('.', ',');
    return "Zaman aşımı: sunucuyla " + seconds + " saniye boyunca hiç veri alışverişi olmadı.";
}

QString FormUpload::answerCutText()
{
    return "(Sunucunun yanıtı çok uzun; yalnızca ilk 1 MB'ı gösteriliyor.)";
}

FormUpload::FormUpload(QObject* parent)
    : QObject(parent), m_manager(new QNetworkAccessManager(this)), m_watch(new QTimer(this)), m_clock(uploadSteadyMs)
{
    m_watch->setSingleShot(true);
    connect(m_watch, &QTimer::timeout, this, &FormUpload::checkTimeout);
}

FormUpload::~FormUpload()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
}

void FormUpload::setClock(Clock clock)
{
    m_clock = clock ? std::move(clock) : Clock(uploadSteadyMs);
}

bool FormUpload::post(const QUrl& url, const QByteArray& body)
{
    if (m_reply)
        return false;
    m_done = false;
    ++m_post;
    m_postTimeout = m_timeout;
    m_sent = 0;
    m_answer.clear();
    m_checkQueued = false;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, contentType());
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    m_reply = m_manager->post(request, body);
    // The network thread learns of the limit only once the request is under
    // way, which the reply starts from the event loop.
    QMetaObject::invokeMethod(
        m_reply, [reply = m_reply] { reply->setReadBufferSize(kUploadReadBuffer); }, Qt::QueuedConnection);
    // Bytes the kernel took, not bytes the server has: what the kernel still
    // holds is not seen (the limit the header describes).
    connect(m_reply, &QNetworkReply::uploadProgress, this, [this](qint64 sent, qint64) {
        if (sent > m_sent) {
            m_sent = sent;
            progressed();
        }
    });
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &FormUpload::progressed);
    connect(m_reply, &QNetworkReply::redirected, this, &FormUpload::progressed);
    connect(m_reply, &QNetworkReply::readyRead, this, &FormUpload::readAnswer);
    connect(m_reply, &QNetworkReply::finished, this, &FormUpload::replyFinished);
    m_lastProgress = m_clock();
    armWatch();
    return true;
}

void FormUpload::progressed()
{
    m_lastProgress = m_clock();
}

void FormUpload::armWatch()
{
    const qint64 idle = m_clock() - m_lastProgress;
    const qint64 left = std::clamp<qint64>(m_postTimeout.count() - idle, 1, std::max<qint64>(m_postTimeout.count(), 1));
    m_watch->start(std::chrono::milliseconds(left));
}

void FormUpload::checkTimeout()
{
    if (!m_reply)
        return;
    if (m_clock() - m_lastProgress < m_postTimeout.count()) {
        armWatch();
        return;
    }
    // Notices of progress the network thread posted before now are still
    // queued behind this check: look again after them.
    if (m_checkQueued)
        return;
    m_checkQueued = true;
    const quint64 post = m_post;
    QMetaObject::invokeMethod(this, [this, post] { timedOut(post); }, Qt::QueuedConnection);
}

void FormUpload::timedOut(quint64 post)
{
    if (post != m_post)
        return;
    m_checkQueued = false;
    if (!m_reply)
        return;
    if (m_clock() - m_lastProgress < m_postTimeout.count()) {
        armWatch();
        return;
    }
    end(Ending::TimedOut);
}

void FormUpload::readAnswer()
{
    QNetworkReply* reply = m_reply;
    if (!reply)
        return;
    bool read = false;
    while (reply->bytesAvailable() > 0) {
        const qint64 room = answerLimit - m_answer.size();
        if (room <= 0) {
            // More than is kept: the reply ends here and the rest is never read.
            end(Ending::Cut);
            return;
        }
        const QByteArray chunk = reply->read(std::min(room, reply->bytesAvailable()));
        if (chunk.isEmpty())
            break;
        m_answer += chunk;
        read = true;
    }
    if (read)
        progressed();
}

void FormUpload::replyFinished()
{
    readAnswer();
    if (m_reply)
        end(Ending::Finished);
}

void FormUpload::end(Ending how)
{
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    Result r;
    r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    r.answer = m_answer;
    r.answerText = uploadAnswerText(r.answer, reply->header(QNetworkRequest::ContentTypeHeader).toString());
    r.answerCut = how == Ending::Cut;
    r.timedOut = how == Ending::TimedOut;
    const bool accepted = r.status >= 200 && r.status < 300;
    if (r.timedOut) {
        r.error = timeoutText(m_postTimeout);
    } else if (accepted && (r.answerCut || reply->error() == QNetworkReply::NoError)) {
        r.ok = true;
    } else if (r.status != 0) {
        const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        r.error = "Sunucu isteği kabul etmedi: HTTP " + QString::number(r.status) +
                  (reason.isEmpty() ? QString() : " " + reason);
    } else {
        r.error = "Sunucuya bağlanılamadı: " + reply->errorString();
    }
    if (how != Ending::Finished)
        reply->abort();
    reply->deleteLater();
    complete(r);
}

void FormUpload::complete(Result r)
{
    m_watch->stop();
    m_checkQueued = false;
    m_last = r;
    m_done = true;
    Q_EMIT finished(r);
}

std::optional<FormUpload::Result> FormUpload::waitForFinished(std::chrono::milliseconds guard)
{
    if (m_reply && !m_done) {
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(this, &FormUpload::finished, &loop, &QEventLoop::quit);
        limit.start(guard);
        loop.exec();
        if (!m_done)
            return std::nullopt;
    }
    return m_last;
}
