#pragma once
// A small HTTP server on 127.0.0.1 (a free port) for upload tests: it keeps
// every request it receives (request line, headers, body bytes) and answers
// each with the status and page queued for it, or 200 with "<html>OK</html>".
// It runs on the test's event loop.

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

private:
    void serve(QTcpSocket* socket);

    QTcpServer* m_server;
    QList<Request> m_requests;
    std::deque<Answer> m_answers;
    QMap<QTcpSocket*, QByteArray> m_pending;
};
