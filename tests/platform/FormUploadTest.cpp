// The form upload: the multipart body byte for byte, and the post against a
// loopback server that keeps what it receives; the time-out of no progress
// (on a clock the tests move) and the cap on what is kept of an answer.

#include "platform/paths/DriveMap.h"
#include "platform/web/FormUpload.h"
#include "support/LoopWait.h"
#include "support/LoopbackHttp.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QTcpSocket>
#include <QCoreApplication>

#include <QThread>

#include <chrono>

using namespace std::chrono_literals;

namespace FormUploadTestLocal {

// A clock the test moves: the upload's time-out reads it.
struct TestClock {
    qint64 now = 1000000;
    FormUpload::Clock clock()
    {
        return [this] { return now; };
    }
    // Moves it on and lets the upload look at it (an end comes from the
    // event loop: it is delivered here).
    void advance(std::chrono::milliseconds by, FormUpload& upload)
    {
        now += by.count();
        upload.checkTimeout();
        QCoreApplication::sendPostedEvents();
    }
};

// A field of /proc/self/status in kB ("VmRSS", "VmHWM"), -1 when missing.
qint64 procStatusKb(const QByteArray& field)
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field + ":"))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Starts the peak resident size afresh; false where the kernel does not allow it.
bool resetPeakRss()
{
    QFile clear("/proc/self/clear_refs");
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

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
    FormUpload::Result r = uploadEnd(upload);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.status, 500);
    EXPECT_EQ(r.error, QString::fromUtf8("Sunucu isteği kabul etmedi: HTTP 500 Internal Server Error"));
    EXPECT_EQ(r.answerText, "<html>hata</html>");

    ASSERT_TRUE(upload.post(QUrl(server.address() + "/destek/fupload.asp?kod=1"), body));
    r = uploadEnd(upload);
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
    const FormUpload::Result r = uploadEnd(upload);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.error.startsWith(QString::fromUtf8("Sunucuya bağlanılamadı: "))) << r.error.toStdString();
}

TEST_F(FormUploadTest, AServerThatReadsTheRequestAndNeverAnswersEndsInTheTimeOut)
{
    LoopbackHttp server;
    LoopbackHttp::Answer silent;
    silent.silent = true;
    server.queue(silent);

    TestClock clock;
    FormUpload upload;
    upload.setClock(clock.clock());
    upload.setTimeout(10s);
    const QByteArray body(300000, 'b');
    ASSERT_TRUE(upload.post(QUrl(server.address() + "/destek/fupload.asp"), body));
    ASSERT_TRUE(LoopWait::until([&] { return server.requests().size() == 1 && upload.bytesSent() == body.size(); }));

    clock.advance(9999ms, upload);
    EXPECT_TRUE(upload.isRunning()) << "ended before the time-out";

    clock.advance(1ms, upload);
    const FormUpload::Result r = uploadEnd(upload);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.timedOut);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.error, QString::fromUtf8("Zaman aşımı: sunucuyla 10 saniye boyunca hiç veri alışverişi olmadı."));
    EXPECT_FALSE(upload.isRunning());

    // The same upload may be posted again, and the next answer arrives.
    ASSERT_TRUE(upload.post(QUrl(server.address() + "/destek/fupload.asp"), body));
    EXPECT_TRUE(uploadEnd(upload).ok);
    EXPECT_EQ(server.requests().size(), 2);

    // On the real clock the time-out comes by itself. (Short as it is, only
    // a silent server lets it come: nothing else can end this post.)
    server.queue(silent);
    upload.setClock({});
    upload.setTimeout(100ms);
    ASSERT_TRUE(upload.post(QUrl(server.address() + "/destek/fupload.asp"), body));
    const FormUpload::Result late = uploadEnd(upload);
    EXPECT_TRUE(late.timedOut);
    EXPECT_EQ(late.error, QString::fromUtf8("Zaman aşımı: sunucuyla 0,1 saniye boyunca hiç veri alışverişi olmadı."));
}

TEST_F(FormUploadTest, TheTimeOutTextGivesTheSecondsInTurkish)
{
    const QList<QPair<std::chrono::milliseconds, const char*>> cases = {
        {60000ms, "Zaman aşımı: sunucuyla 60 saniye boyunca hiç veri alışverişi olmadı."},
        {200ms, "Zaman aşımı: sunucuyla 0,2 saniye boyunca hiç veri alışverişi olmadı."},
        {1250ms, "Zaman aşımı: sunucuyla 1,25 saniye boyunca hiç veri alışverişi olmadı."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormUpload::timeoutText(c.first), QString::fromUtf8(c.second));
    EXPECT_EQ(FormUpload::timeoutText(FormUpload::defaultTimeout), QString::fromUtf8(cases[0].second));
}

TEST_F(FormUploadTest, AnAnswerThatKeepsComingIsNotCutAndOneThatStopsEndsInTheTimeOut)
{
    LoopbackHttp server;
    LoopbackHttp::Answer slow;
    slow.page = QByteArray(5000, 'a');
    slow.held = 1000;
    slow.contentType = "text/plain";
    server.queue(slow);

    TestClock clock;
    FormUpload upload;
    upload.setClock(clock.clock());
    upload.setTimeout(10s);
    ASSERT_TRUE(upload.post(QUrl(server.address() + "/x"), "x"));
    ASSERT_TRUE(LoopWait::until([&] { return upload.bytesReceived() == 1000; }));
    // A piece every 9 seconds: 27 seconds in all, never 10 without a byte.
    for (qint64 got = 2000; got <= 4000; got += 1000) {
        clock.advance(9s, upload);
        server.sendMore(1000);
        ASSERT_TRUE(LoopWait::until([&] { return upload.bytesReceived() == got || !upload.isRunning(); }));
        ASSERT_TRUE(upload.isRunning()) << "cut after " << got - 1000 << " bytes";
    }

    clock.advance(10s, upload);
    const FormUpload::Result r = uploadEnd(upload);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.timedOut);
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.answer, QByteArray(4000, 'a'));
    EXPECT_EQ(r.error, FormUpload::timeoutText(10s));
}

TEST_F(FormUploadTest, AnUploadToAServerThatReadsSlowlyIsNotCutWhileItMoves)
{
    LoopbackHttp server;
    constexpr qint64 step = 2 * 1024 * 1024;
    server.limitReading(step);

    TestClock clock;
    FormUpload upload;
    upload.setClock(clock.clock());
    upload.setTimeout(10s);
    // Far more than the kernel's buffers on both sides take in before the
    // server reads (several megabytes on loopback), so that the client's
    // progress is seen many times whatever the machine's load.
    const QByteArray body(32 * 1024 * 1024, 'u');
    ASSERT_TRUE(upload.post(QUrl(server.address() + "/x"), body));

    // The server reads two megabytes at a time. Between two, 9 seconds pass
    // on the upload's clock whenever it has seen the client hand more to
    // the network. (Qt reports upload progress at most every 100 ms of real
    // time, so each round also lets that much real time pass; the outcome
    // does not depend on it, only how often progress is seen.)
    qint64 allowed = step;
    qint64 seen = 0;
    int pauses = 0;
    while (upload.bytesSent() < body.size() && server.requests().isEmpty()) {
        ASSERT_TRUE(LoopWait::until([&] {
            return server.bytesRead() >= allowed || !server.requests().isEmpty() || !upload.isRunning();
        }));
        QTest::qWait(120);
        if (upload.bytesSent() > seen) {
            seen = upload.bytesSent();
            clock.advance(9s, upload);
            ASSERT_TRUE(upload.isRunning()) << "cut after " << upload.bytesSent() << " bytes";
            ++pauses;
        }
        allowed += step;
        server.limitReading(step);
    }
    EXPECT_GE(pauses, 3) << "progress was seen only " << pauses << " times";

    server.unlimitReading();
    const FormUpload::Result r = uploadEnd(upload);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests().first().body.size(), body.size());
}

TEST_F(FormUploadTest, AHundredMegabyteAnswerKeepsOnlyItsFirstMegabyteAndIsNotReadFurther)
{
    // The server runs on a thread of its own, so it sends as fast as the
    // connection takes its bytes, also while this thread is busy. "€" takes
    // three bytes, so the cut falls inside a letter.
    QThread serverThread;
    QObject serverSide;
    serverSide.moveToThread(&serverThread);
    serverThread.start();
    const auto onServerThread = [&serverSide](const std::function<void()>& work) {
        QMetaObject::invokeMethod(&serverSide, work, Qt::BlockingQueuedConnection);
    };
    LoopbackHttp* server = nullptr;
    QString address;
    LoopbackHttp::Answer huge;
    huge.page = QString(QChar(0x20AC)).toUtf8();
    huge.size = 100 * 1024 * 1024;
    huge.contentType = "text/plain; charset=utf-8";
    onServerThread([&] {
        server = new LoopbackHttp;
        server->queue(huge);
        address = server->address();
    });

    const bool peakKnown = resetPeakRss();
    const qint64 before = procStatusKb("VmRSS");
    FormUpload upload;
    ASSERT_TRUE(upload.post(QUrl(address + "/x"), "x"));
    ASSERT_TRUE(LoopWait::until([&] { return upload.bytesReceived() > 0 || !upload.isRunning(); }));
    // This thread is busy for a moment; the network thread must not read
    // on meanwhile (what it reads waits in memory). How long the moment is
    // only changes how much it could read.
    QThread::msleep(500);
    const FormUpload::Result r = uploadEnd(upload);
    const qint64 peak = procStatusKb("VmHWM");
    qint64 sent = 0;
    onServerThread([&] {
        sent = server->answerBytesWritten();
        delete server;
    });
    serverThread.quit();
    serverThread.wait();

    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.status, 200);
    EXPECT_TRUE(r.answerCut);
    ASSERT_EQ(r.answer.size(), FormUpload::answerLimit);
    EXPECT_EQ(r.answer, huge.page.repeated(FormUpload::answerLimit / 3 + 1).left(FormUpload::answerLimit));
    EXPECT_EQ(r.answerText, QString(FormUpload::answerLimit / 3, QChar(0x20AC))) << "the cut letter is left out";
    // What the connection's buffers take, not the 100 MB.
    EXPECT_LT(sent, 50 * 1024 * 1024) << "the rest of the answer was read";
    if (peakKnown && before > 0 && peak > 0) {
        EXPECT_LT(peak - before, 64 * 1024) << "peak resident size grew by " << (peak - before) << " kB";
    }
}

}
