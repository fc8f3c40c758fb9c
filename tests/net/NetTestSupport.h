#pragma once
// Support of the socket tests: running the event loop until a condition
// holds, and a plain POSIX peer on 127.0.0.1 for the far end.

#include "exchange/net/AsyncSocket.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace NetTest {

// Runs the event loop until Cond holds; false when the hang guard (a
// generous bound, never a measure) ran out first.
bool waitFor(const std::function<bool()>& Cond);
// Runs the pending events of the loop a few rounds without waiting.
void spin(int Rounds = 20);

// A port of 127.0.0.1 that nothing listens on now.
int freePort();

// The far end of a connection: a blocking-free POSIX socket.
class Peer {
public:
    Peer() = default;
    ~Peer();
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    // Listens on 127.0.0.1 on a free port; the port.
    int listen();
    // Takes the connection that came in (runs the loop until it is there).
    bool accept();
    // Connects to 127.0.0.1:Port.
    bool connectTo(int Port);
    void send(const QByteArray& Bytes);
    // Runs the loop until Count bytes arrived (or the peer closed); the bytes.
    QByteArray read(int Count);
    // Runs the loop until the far end closes; all the bytes before the end.
    QByteArray readToEnd();
    // True once the far end closed in order (end of stream), false on a
    // reset; runs the loop until one of them.
    bool closedInOrder();
    void close();
    void shutdownWrite();
    int fd() const { return FConn; }

private:
    int FListen = -1;
    int FConn = -1;
};

// Records the events of a socket as text lines ("state skOpened>skConnecting",
// "connected 0", "data", "sent 0", "closed 0", ...).
struct EventLog {
    QStringList lines;
    QByteArray received;
    void attach(TCustomAsyncSocket& S, bool ReadData = true);
    bool has(const QString& Line) const { return lines.contains(Line); }
};

} // namespace NetTest
