#include "support/LoopbackHttp.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// What a server socket buffers while the test limits reading, and how much
// of a large answer waits in a socket's own buffer at a time.
constexpr qint64 kLoopbackReadBuffer = 64 * 1024;
constexpr qint64 kLoopbackWriteChunk = 64 * 1024;

} // namespace

LoopbackHttp::LoopbackHttp() : m_server(new QTcpServer(this))
{
    m_server->listen(QHostAddress::LocalHost, 0);
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = m_server->nextPendingConnection()) {
            m_pending.insert(s, {});
            if (m_readBudget >= 0)
                s->setReadBufferSize(kLoopbackReadBuffer);
            connect(s, &QTcpSocket::readyRead, this, [this, s] { serve(s); });
            connect(s, &QTcpSocket::bytesWritten, this, [this, s](qint64 n) {
                m_answerBytesWritten += n;
                writeMore(s);
            });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            connect(s, &QObject::destroyed, this, [this, s] {
                m_pending.remove(s);
                m_outgoing.remove(s);
            });
            serve(s);
        }
    });
}

LoopbackHttp::~LoopbackHttp() = default;

QString LoopbackHttp::address() const
{
    return "http://127.0.0.1:" + QString::number(m_server->serverPort());
}

void LoopbackHttp::sendMore(qint64 bytes)
{
    for (auto it = m_outgoing.begin(); it != m_outgoing.end(); ++it) {
        it->allowed = std::min(it->total, it->allowed + bytes);
        writeMore(it.key());
    }
}

void LoopbackHttp::limitReading(qint64 bytes)
{
    m_readBudget = std::max<qint64>(m_readBudget, 0) + bytes;
    const QList<QTcpSocket*> sockets = m_pending.keys();
    for (QTcpSocket* s : sockets) {
        s->setReadBufferSize(kLoopbackReadBuffer);
        serve(s);
    }
}

void LoopbackHttp::unlimitReading()
{
    m_readBudget = -1;
    const QList<QTcpSocket*> sockets = m_pending.keys();
    for (QTcpSocket* s : sockets) {
        s->setReadBufferSize(0);
        serve(s);
    }
}

void LoopbackHttp::serve(QTcpSocket* socket)
{
    if (!m_pending.contains(socket))
        return;
    QByteArray& data = m_pending[socket];
    qint64 take = socket->bytesAvailable();
    if (m_readBudget >= 0)
        take = std::min(take, m_readBudget);
    if (take > 0) {
        const QByteArray got = socket->read(take);
        data += got;
        m_bytesRead += got.size();
        if (m_readBudget >= 0)
            m_readBudget -= got.size();
    }
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
    answer(socket, a);
}

void LoopbackHttp::answer(QTcpSocket* socket, const Answer& a)
{
    if (a.silent)
        return;
    Outgoing out;
    out.page = a.page;
    out.total = std::max<qint64>(a.size, a.page.size());
    out.allowed = a.held >= 0 ? std::min(a.held, out.total) : out.total;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(a.status) + " " + a.reason + "\r\n";
    head += "Content-Type: " + a.contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(out.total) + "\r\n";
    head += "Connection: close\r\n\r\n";
    socket->write(head);
    m_outgoing.insert(socket, out);
    writeMore(socket);
}

void LoopbackHttp::writeMore(QTcpSocket* socket)
{
    auto it = m_outgoing.find(socket);
    if (it == m_outgoing.end())
        return;
    Outgoing& out = *it;
    while (out.queued < out.allowed && socket->bytesToWrite() < kLoopbackWriteChunk) {
        const qint64 n = std::min(kLoopbackWriteChunk, out.allowed - out.queued);
        const qint64 pageSize = out.page.size();
        if (pageSize == 0) {
            socket->write(QByteArray(n, ' '));
        } else {
            if (out.pattern.size() < kLoopbackWriteChunk + pageSize)
                out.pattern = out.page.repeated((kLoopbackWriteChunk + pageSize) / pageSize + 1);
            socket->write(out.pattern.constData() + out.queued % pageSize, n);
        }
        out.queued += n;
    }
    if (out.queued == out.total) {
        m_outgoing.erase(it);
        socket->disconnectFromHost();
    }
}

FormUpload::Result uploadEnd(FormUpload& upload)
{
    const std::optional<FormUpload::Result> r = upload.waitForFinished();
    if (!r) {
        ADD_FAILURE() << "the post did not end (sent " << upload.bytesSent() << " bytes, received "
                      << upload.bytesReceived() << ")";
        return {};
    }
    return *r;
}
