#pragma once
// A small HTTP server on 127.0.0.1 (a free port) for upload tests: it keeps
// every request it receives (request line, headers, body bytes) and answers
// each with the status and page queued for it, or 200 with "<html>OK</html>".
// It runs on the test's event loop.
//
// Servers as they behave on a slow line or when they hang: an answer may be
// withheld for ever (`silent`), be large and go out only as the connection
// takes it (`size`), or go out piece by piece when the test says
// (`held`, sendMore()); the server may read requests only as far as the
// test allows (limitReading()).

#include "platform/web/FormUpload.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

#include <deque>

class QTcpServer;
class QTcpSocket;

class LoopbackHttp : public QObject {
    Q_OBJECT
public:
    struct Request {
        QByteArray method;
        QByteArray target;                  // path and query, as sent
        QMap<QByteArray, QByteArray> headers;   // lower-case names
        QByteArray body;
    };
    struct Answer {
        int status = 200;
        QByteArray reason = "OK";
        QByteArray page = "<html><body>OK</body></html>";
        QByteArray contentType = "text/html; charset=utf-8";
        bool silent = false;    // keep the request, never answer, keep the connection open
        qint64 size = -1;       // more than the page: the page repeated up to this many bytes
        qint64 held = -1;       // from 0: only this many bytes of the page go out until sendMore()
    };

    LoopbackHttp();
    ~LoopbackHttp() override;

    // "http://127.0.0.1:port".
    QString address() const;
    void queue(const Answer& answer) { m_answers.push_back(answer); }
    // Queues "500 Internal Server Error" carrying `page`.
    void queueServerError(const QByteArray& page)
    {
        Answer failure;
        failure.status = 500;
        failure.reason = "Internal Server Error";
        failure.page = page;
        queue(failure);
    }
    const QList<Request>& requests() const { return m_requests; }

    // Lets `bytes` more of a held answer go out.
    void sendMore(qint64 bytes);
    // From now on the server reads only `bytes` more of what clients send
    // (its sockets buffer little, so the client's sending stalls); another
    // call allows more, unlimitReading() reads freely again.
    void limitReading(qint64 bytes);
    void unlimitReading();
    // Request bytes read so far, answer bytes handed to the network so far.
    qint64 bytesRead() const { return m_bytesRead; }
    qint64 answerBytesWritten() const { return m_answerBytesWritten; }

private:
    struct Outgoing {
        QByteArray page;
        QByteArray pattern;     // the page repeated, to cut pieces from
        qint64 total = 0;       // bytes of the page to send
        qint64 allowed = 0;     // of which may go out now
        qint64 queued = 0;      // of which went to the socket
    };
    void serve(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const Answer& a);
    void writeMore(QTcpSocket* socket);

    QTcpServer* m_server;
    QList<Request> m_requests;
    std::deque<Answer> m_answers;
    QMap<QTcpSocket*, QByteArray> m_pending;
    QMap<QTcpSocket*, Outgoing> m_outgoing;
    qint64 m_readBudget = -1;   // -1: unlimited
    qint64 m_bytesRead = 0;
    qint64 m_answerBytesWritten = 0;
};

// The end of the post in progress (or the last one's result when none
// runs). A post that does not end within the hang guard of
// FormUpload::waitForFinished fails the test and gives an empty result.
FormUpload::Result uploadEnd(FormUpload& upload);
