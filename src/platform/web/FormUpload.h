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

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <stdexcept>

class QNetworkAccessManager;
class QNetworkReply;

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
        QByteArray answer;      // the answer's bytes
        QString answerText;     // the answer as text (its charset, else UTF-8 or code page 1254)
        QString error;          // Turkish text when not ok
    };

    explicit FormUpload(QObject* parent = nullptr);
    ~FormUpload() override;

    // Posts the body; finished() follows exactly once. A post while another
    // runs is refused (returns false).
    bool post(const QUrl& url, const QByteArray& body);
    bool isRunning() const { return !m_reply.isNull(); }

    // Test helper: runs an event loop until the post in progress ends.
    Result waitForFinished();

Q_SIGNALS:
    void finished(const FormUpload::Result& result);

private:
    void replyFinished();

    QNetworkAccessManager* m_manager;
    QPointer<QNetworkReply> m_reply;
    Result m_last;
    bool m_done = false;
};
