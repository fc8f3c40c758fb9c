#include "support/LoopbackHttp.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

LoopbackHttp::LoopbackHttp() : m_server(new QTcpServer(this))
{
    m_server->listen(QHostAddress::LocalHost, 0);
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = m_server->nextPendingConnection()) {
            m_pending.insert(s, {});
            connect(s, &QTcpSocket::readyRead, this, [this, s] { serve(s); });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            connect(s, &QObject::destroyed, this, [this, s] { m_pending.remove(s); });
        }
    });
}

LoopbackHttp::~LoopbackHttp() = default;

QString LoopbackHttp::address() const
{
    return "http://127.0.0.1:" + QString::number(m_server->serverPort());
}

void LoopbackHttp::serve(QTcpSocket* socket)
{
    QByteArray& data = m_pending[socket];
    data += socket->readAll();
    const qsizetype headEnd = data.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return;
    Request r;
    const QList<QByteArray> lines = data.left(headEnd).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    r.method = first.value(0);
    r.target = first.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            r.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
    }
    const qsizetype length = r.headers.value("content-length", "0").toLongLong();
    if (data.size() - (headEnd + 4) < length)
        return;
    r.body = data.mid(headEnd + 4, length);
    data.clear();
    m_requests.append(r);

    Answer a;
    if (!m_answers.empty()) {
        a = m_answers.front();
        m_answers.pop_front();
    }
    QByteArray reply = "HTTP/1.1 " + QByteArray::number(a.status) + " " + a.reason + "\r\n";
    reply += "Content-Type: " + a.contentType + "\r\n";
    reply += "Content-Length: " + QByteArray::number(a.page.size()) + "\r\n";
    reply += "Connection: close\r\n\r\n";
    reply += a.page;
    socket->write(reply);
    socket->disconnectFromHost();
}
