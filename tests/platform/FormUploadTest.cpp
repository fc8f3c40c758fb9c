// The form upload: the multipart body byte for byte, and the post against a
// loopback server that keeps what it receives.

#include "platform/paths/DriveMap.h"
#include "platform/web/FormUpload.h"
#include "support/LoopbackHttp.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QTcpSocket>

namespace FormUploadTestLocal {

class FormUploadTest : public StationTest {
protected:
    QString put(const QString& windowsPath, const QByteArray& content)
    {
        writeFile(host(windowsPath), content);
        return windowsPath;
    }
};

TEST_F(FormUploadTest, OneZipFileMakesOnePartAndTheClosingLineEndsTheBody)
{
    const QByteArray archive("PK\x03\x04\x00\r\n\xFF", 8);
    put("C:\\CO\\QVX_PROG\\F200.zip", archive);
    const QByteArray body = FormUpload::body({}, {}, {"F200.zip"}, {"C:\\CO\\QVX_PROG\\F200.zip"});
    const QByteArray expected = "-----------------------------123456789\r\n"
                                "Content-Disposition: form-data; name=\"F200.zip\"; "
                                "filename=\"C:\\CO\\QVX_PROG\\F200.zip\"\r\n"
                                "Content-Type: text/html\r\n"
                                "\r\n" +
                                archive +
                                "\r\n"
                                "-----------------------------123456789--\r\n";
    EXPECT_EQ(body, expected);
    EXPECT_EQ(FormUpload::boundary().size(), 36);
    EXPECT_EQ(FormUpload::contentType(), QByteArray("multipart/form-data; boundary=---------------------------123456789"));
}

TEST_F(FormUploadTest, TextFieldsComeFirstInTheTurkishCodePage)
{
    put("C:\\CO\\r.JPG", "JPEG");
    const QByteArray body = FormUpload::body({"kulüp", "no"}, {"ŞAHİN SPOR", "7"}, {"resim"}, {"C:\\CO\\r.JPG"});
    const QByteArray expected = "-----------------------------123456789\r\n"
                                "Content-Disposition: form-data; name=\"kul\xFC" "p\"\r\n"
                                "\r\n"
                                "\xDE" "AH\xDDN SPOR\r\n"
                                "-----------------------------123456789\r\n"
                                "Content-Disposition: form-data; name=\"no\"\r\n"
                                "\r\n"
                                "7\r\n"
                                "-----------------------------123456789\r\n"
                                "Content-Disposition: form-data; name=\"resim\"; filename=\"C:\\CO\\r.JPG\"\r\n"
                                "Content-Type: image/pjpeg\r\n"
                                "\r\n"
                                "JPEG\r\n"
                                "-----------------------------123456789--\r\n";
    EXPECT_EQ(body, expected);
}

TEST_F(FormUploadTest, TheFileHeaderFollowsTheExtension)
{
    const QList<QPair<QString, QByteArray>> cases = {
        {"a.jpg", "Content-Type: image/pjpeg"},          {"a.JPEG", "Content-Type: image/pjpeg"},
        {"a.Png", "Content-Type: image/x-png"},          {"a.pdf", "Content-Type: application/pdf"},
        {"a.zip", "Content-Type: text/html"},            {"jpg", "Content-Type: text/html"},
        {"", "Content-Transfer-Encoding: binary"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormUpload::fileHeader(c.first), c.second) << c.first.toStdString();
}

TEST_F(FormUploadTest, ListsOfDifferentLengthsAndMissingFilesAreRefused)
{
    struct Case {
        QStringList names, values, fileNames, filePaths;
        const char* message;
    };
    const QList<Case> cases = {
        {{"a"}, {}, {}, {}, "UploadFilesHttpPost: Names and Values must have the same length."},
        {{}, {}, {"f"}, {}, "UploadFilesHttpPost: FileNames and FileValues must have the same length."},
        {{}, {}, {"f"}, {"C:\\CO\\yok.zip"}, "Dosya okunamadı: C:\\CO\\yok.zip"},
    };
    for (const Case& c : cases) {
        try {
            FormUpload::body(c.names, c.values, c.fileNames, c.filePaths);
            ADD_FAILURE() << c.message;
        } catch (const FormUploadError& e) {
            EXPECT_EQ(e.message(), QString::fromUtf8(c.message));
        }
    }
}

TEST_F(FormUploadTest, PostsTheBodyAndReportsAServerErrorThenSucceedsWhenPostedAgain)
{
    LoopbackHttp server;
    server.queueServerError("<html>hata</html>");

    const QByteArray body = QByteArray("--x\r\n\0tail", 10);
    FormUpload upload;
    ASSERT_TRUE(upload.post(QUrl(server.address() + "/destek/fupload.asp?kod=1"), body));
    EXPECT_FALSE(upload.post(QUrl(server.address() + "/ikinci"), body)) << "one post at a time";
    FormUpload::Result r = upload.waitForFinished();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.status, 500);
    EXPECT_EQ(r.error, QString::fromUtf8("Sunucu isteği kabul etmedi: HTTP 500 Internal Server Error"));
    EXPECT_EQ(r.answerText, "<html>hata</html>");

    ASSERT_TRUE(upload.post(QUrl(server.address() + "/destek/fupload.asp?kod=1"), body));
    r = upload.waitForFinished();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.status, 200);
    EXPECT_TRUE(r.error.isEmpty());

    ASSERT_EQ(server.requests().size(), 2);
    for (const LoopbackHttp::Request& req : server.requests()) {
        EXPECT_EQ(req.method, "POST");
        EXPECT_EQ(req.target, "/destek/fupload.asp?kod=1");
        EXPECT_EQ(req.headers.value("content-type"), FormUpload::contentType());
        EXPECT_EQ(req.body, body);
    }
}

TEST_F(FormUploadTest, NoServerListeningIsReportedAsAFailure)
{
    // A port held by a bound socket that does not listen: the connection is refused.
    QTcpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress::LocalHost, 0));
    const QUrl url("http://127.0.0.1:" + QString::number(holder.localPort()) + "/x");
    FormUpload upload;
    upload.post(url, "x");
    const FormUpload::Result r = upload.waitForFinished();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.error.startsWith(QString::fromUtf8("Sunucuya bağlanılamadı: "))) << r.error.toStdString();
}

}
