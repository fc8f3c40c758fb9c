#pragma once
// A form upload: a multipart/form-data body of named text fields and files,
// posted over HTTP with Qt Network.
//
//   const QByteArray body = FormUpload::body({}, {}, {"F200.zip"}, {"C:\\CO\\QVX_PROG\\F200.zip"});
//   FormUpload upload;
//   connect(&upload, &FormUpload::finished, this, [](const FormUpload::Result& r) { ... });
//   upload.post(url, body);
//
// The body's texts (names, values, file names) are written in code page
// 1254; a file's bytes go in unchanged. Each file part carries one header
// chosen by the extension of its path. The body ends with the closing
// delimiter line and nothing after it.
//
// A post ends after timeout() without progress: no byte handed to the
// network and none of the answer received for that long (a slow upload or
// answer that keeps moving is never cut). Of the answer only the first
// answerLimit bytes are kept; the reply is dropped there and the rest is
// never read.
//
// A limit of that measure: "handed to the network" is what Qt reports as
// sent, bytes taken by the kernel's send buffer, not bytes that reached the
// server. Qt Network shows no socket (the connection lives in its own
// thread), so what the kernel still holds cannot be seen as the FTP client
// sees it. Once the last byte is handed over, the kernel's buffer has to
// drain and the server has to answer within timeout(). Only a line so slow
// that the buffer (a few hundred kB as Linux grows it, at most the
// net.ipv4.tcp_wmem maximum) takes most of the time-out to go out can cut
// an upload that still moves; at the default 60 s that is a line below some
// 40 kbit/s.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>
#include <stdexcept>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

class FormUploadError : public std::runtime_error {
public:
    explicit FormUploadError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

class FormUpload : public QObject {
    Q_OBJECT
public:
    // 27 hyphens and "123456789".
    static QByteArray boundary();
    // "multipart/form-data; boundary=" + boundary.
    static QByteArray contentType();
    // The header line of a file part for its path ("Content-Type: text/html"
    // for any extension not listed; "Content-Transfer-Encoding: binary" for
    // an empty path).
    static QByteArray fileHeader(const QString& path);
    // The body. File paths may be in Windows form (read through the drive
    // map). Throws FormUploadError when the lists differ in length
    // ("UploadFilesHttpPost: Names and Values must have the same length.",
    // "UploadFilesHttpPost: FileNames and FileValues must have the same
    // length.") or a file cannot be read.
    static QByteArray body(const QStringList& names, const QStringList& values, const QStringList& fileNames,
                           const QStringList& filePaths);

    struct Result {
        bool ok = false;        // a 2xx answer arrived
        int status = 0;         // HTTP status (0 without an answer)
        QByteArray answer;      // the answer's bytes (at most answerLimit)
        QString answerText;     // the answer as text (its charset, else UTF-8 or code page 1254)
        bool answerCut = false; // the answer was longer; only its first answerLimit bytes were read
        bool timedOut = false;  // ended by the time-out of no progress
        QString error;          // Turkish text when not ok
    };

    // How much of an answer is kept (1 MB).
    static constexpr qsizetype answerLimit = 1024 * 1024;
    static constexpr std::chrono::milliseconds defaultTimeout{60000};

    // "Zaman aşımı: sunucuyla 60 saniye boyunca hiç veri alışverişi olmadı."
    static QString timeoutText(std::chrono::milliseconds timeout);
    // The line shown under an answer that was cut.
    static QString answerCutText();

    explicit FormUpload(QObject* parent = nullptr);
    ~FormUpload() override;

    // The time-out of no progress (defaultTimeout unless set); taken at post().
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    std::chrono::milliseconds timeout() const { return m_timeout; }
    // The clock the time-out is measured with, in milliseconds (a monotonic
    // clock unless set). Tests give a clock they move themselves and call
    // checkTimeout() after moving it.
    using Clock = std::function<qint64()>;
    void setClock(Clock clock);
    // Ends the post in progress when it has made no progress for the
    // time-out; run by a timer while a post is in progress. The end itself
    // comes from the event loop, after every notice of progress that
    // arrived before it.
    void checkTimeout();

    // Posts the body; finished() follows exactly once. A post while another
    // runs is refused (returns false).
    bool post(const QUrl& url, const QByteArray& body);
    bool isRunning() const { return !m_reply.isNull(); }
    // The post in progress (or the last one): body bytes handed to the
    // network, answer bytes read.
    qint64 bytesSent() const { return m_sent; }
    qint64 bytesReceived() const { return m_answer.size(); }

    // Test helper: runs an event loop until the post in progress ends (or
    // gives the last result when none runs). The guard only keeps a post
    // that never ends from hanging a test: nothing is returned when it ran
    // out first, and the post goes on.
    std::optional<Result> waitForFinished(std::chrono::milliseconds guard = std::chrono::minutes(2));

Q_SIGNALS:
    void finished(const FormUpload::Result& result);

private:
    void progressed();
    void readAnswer();
    void replyFinished();
    void armWatch();
    void timedOut(quint64 post);
    enum class Ending { Finished, Cut, TimedOut };
    void end(Ending how);
    void complete(Result r);

    QNetworkAccessManager* m_manager;
    QTimer* m_watch;
    QPointer<QNetworkReply> m_reply;
    Clock m_clock;
    std::chrono::milliseconds m_timeout = defaultTimeout;
    std::chrono::milliseconds m_postTimeout = defaultTimeout;
    qint64 m_lastProgress = 0;
    qint64 m_sent = 0;
    QByteArray m_answer;
    quint64 m_post = 0;         // counts the posts, so a late check finds its own
    bool m_checkQueued = false;
    Result m_last;
    bool m_done = false;
};
