#pragma once
// A scripted FTP server for the cases a real server cannot be made to show
// at will: one that goes silent, stops reading or sending in the middle of a
// transfer, never ends a reply, names another host for the data connection
// or lets another host connect first. It runs in a thread of the test on
// 127.0.0.1 with a free port, answers the login and the usual commands as a
// server does, and misbehaves where its script says. Each stall sets
// `stalled`, so a test moves its clock only from then on.

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

class HostileFtpServer {
public:
    enum class Script {
        // Takes the connection and never says a word.
        SilentAfterConnect,
        // Greets with a multi-line reply whose last line never comes: a
        // further continuation line every few milliseconds.
        EndlessGreeting,
        // STOR: reads the first `stallAfter` bytes, then stops reading and
        // holds the connection.
        StalledStor,
        // RETR: sends the first `stallAfter` bytes of the file, then
        // nothing, holding the connection.
        StalledRetr,
        // PASV names 127.0.0.2; the server listens on 127.0.0.1 and watches
        // 127.0.0.2 at the same port.
        PasvNamesAnotherHost,
        // Active STOR: a connection from 127.0.0.2 comes first, then the
        // server's own from 127.0.0.1.
        ForeignDataFirst,
        // Active STOR: only 127.0.0.2 connects; the server then answers 226.
        ForeignDataOnly,
        // STOR read at 100 KiB per second of the test's clock (ReadClock):
        // every 100 KiB read moves that clock on by a second. The data
        // socket's receive buffer is small, so what the client sent and the
        // server did not read yet is mostly still on the client's side.
        MeteredStor,
        // Every reply, the greeting and the 226 after a transfer too, comes
        // only once the test's clock (ReadClock) has moved `replyDelay` ms on
        // from when the server began to hold it: a server that answers
        // slowly but surely. While a reply is held, `answerAt` is the clock
        // time at which it goes out; the test's clock goes no further.
        SlowReplies,
    };

    static constexpr int kMeteredStep = 100 * 1024;

    explicit HostileFtpServer(Script S, std::atomic<qint64>* ReadClock = nullptr) : m_script(S), m_clock(ReadClock)
    {
        m_listen = listenOn(INADDR_LOOPBACK, 0, false);
        m_port = boundPort(m_listen);
        m_thread = std::thread([this] { serve(); });
    }
    ~HostileFtpServer()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_listen >= 0)
            ::close(m_listen);
    }
    HostileFtpServer(const HostileFtpServer&) = delete;
    HostileFtpServer& operator=(const HostileFtpServer&) = delete;

    quint16 port() const { return m_port; }

    // The bytes a STOR delivered on the server's own data connection.
    QByteArray stored() const
    {
        std::lock_guard<std::mutex> g(m_lock);
        return m_stored;
    }
    // What RETR sends (the start of it, for StalledRetr).
    QByteArray retrContent = QByteArray(256 * 1024, 'r');

    std::atomic<int> stallAfter{64 * 1024};
    // SlowReplies: how long each reply is held, on the test's clock, and
    // when the one held now goes out (-1: none is held).
    std::atomic<qint64> replyDelay{4000};
    std::atomic<qint64> answerAt{-1};
    std::atomic<bool> stalled{false};
    // Connections that came to 127.0.0.2 (PasvNamesAnotherHost).
    std::atomic<int> decoyConnections{0};
    // The connection from 127.0.0.2 (ForeignDataFirst, ForeignDataOnly):
    // the bytes it received and whether the client closed it.
    std::atomic<int> foreignBytes{0};
    std::atomic<bool> foreignClosed{false};

private:
    static int listenOn(uint32_t Address, quint16 Port, bool SmallWindow)
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int on = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        if (SmallWindow)
            smallWindow(fd);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(Address);
        a.sin_port = htons(Port);
        if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, 4) != 0) {
            ::close(fd);
            return -1;
        }
        return fd;
    }
    static void smallWindow(int Fd)
    {
        const int size = 16 * 1024;
        ::setsockopt(Fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    }
    static quint16 boundPort(int Fd)
    {
        sockaddr_in a{};
        socklen_t len = sizeof a;
        ::getsockname(Fd, reinterpret_cast<sockaddr*>(&a), &len);
        return ntohs(a.sin_port);
    }
    // Waits (in slices, watching for the end of the test) until Fd is ready
    // for Events; false when the test ended first.
    bool waitFd(int Fd, short Events)
    {
        while (!m_stop) {
            pollfd p{Fd, Events, 0};
            if (::poll(&p, 1, 10) > 0)
                return true;
        }
        return false;
    }
    // Holds a stall until the client gives up (the control connection
    // closes) or the test ends.
    void holdUntilClosed(int Control)
    {
        stalled = true;
        char c;
        while (waitFd(Control, POLLIN))
            if (::recv(Control, &c, 1, MSG_PEEK) <= 0)
                return;
    }
    bool say(int Fd, const QByteArray& Line)
    {
        if (m_script == Script::SlowReplies && m_clock) {
            answerAt = m_clock->load() + replyDelay;
            while (!m_stop && m_clock->load() < answerAt)
                ::usleep(200);
            answerAt = -1;
        }
        const QByteArray out = Line + "\r\n";
        return ::send(Fd, out.constData(), size_t(out.size()), MSG_NOSIGNAL) == out.size();
    }

    void serve()
    {
        while (waitFd(m_listen, POLLIN)) {
            const int control = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
            if (control < 0)
                continue;
            session(control);
            ::close(control);
        }
    }

    void session(int Control)
    {
        if (m_script == Script::SilentAfterConnect) {
            holdUntilClosed(Control);
            return;
        }
        if (m_script == Script::EndlessGreeting) {
            say(Control, "220-Welcome to a server that never finishes its greeting.");
            stalled = true;
            for (int n = 1; !m_stop; ++n) {
                if (!say(Control, "220-" + QByteArray::number(n) + " more words of welcome"))
                    return;
                ::usleep(5000);
            }
            return;
        }
        say(Control, "220 Scripted server ready.");
        QByteArray pending;
        int data = -1;
        int passiveListen = -1;
        int decoyListen = -1;
        sockaddr_in activeTo{};
        for (;;) {
            const int eol = pending.indexOf("\r\n");
            if (eol < 0) {
                if (!waitFd(Control, POLLIN))
                    break;
                char buf[4096];
                const ssize_t n = ::recv(Control, buf, sizeof buf, 0);
                if (n <= 0)
                    break;
                pending.append(buf, int(n));
                continue;
            }
            const QByteArray line = pending.left(eol);
            pending.remove(0, eol + 2);
            const qsizetype space = line.indexOf(' ');
            const QByteArray verb = (space < 0 ? line : line.left(space)).toUpper();
            const QByteArray arg = space < 0 ? QByteArray() : line.mid(space + 1);
            if (verb == "USER") {
                say(Control, "331 Password required.");
            } else if (verb == "PASS") {
                say(Control, "230 Logged in.");
            } else if (verb == "QUIT") {
                say(Control, "221 Goodbye.");
                break;
            } else if (verb == "PORT") {
                const QList<QByteArray> f = arg.split(',');
                activeTo = sockaddr_in{};
                activeTo.sin_family = AF_INET;
                if (f.size() == 6) {
                    activeTo.sin_addr.s_addr = htonl((f[0].toUInt() << 24) | (f[1].toUInt() << 16) | (f[2].toUInt() << 8) | f[3].toUInt());
                    activeTo.sin_port = htons(quint16(f[4].toUInt() * 256 + f[5].toUInt()));
                }
                say(Control, "200 PORT command successful.");
            } else if (verb == "PASV") {
                if (passiveListen >= 0)
                    ::close(passiveListen);
                if (decoyListen >= 0)
                    ::close(decoyListen);
                decoyListen = -1;
                passiveListen = listenOn(INADDR_LOOPBACK, 0, m_script == Script::MeteredStor);
                const quint16 p = boundPort(passiveListen);
                QByteArray host = "127,0,0,1";
                if (m_script == Script::PasvNamesAnotherHost) {
                    host = "127,0,0,2";
                    decoyListen = listenOn(0x7F000002, p, false);
                }
                say(Control, "227 Entering Passive Mode (" + host + "," + QByteArray::number(p >> 8) + ","
                        + QByteArray::number(p & 255) + ").");
            } else if (verb == "STOR" || verb == "RETR") {
                say(Control, "150 Opening data connection.");
                if (passiveListen < 0 && !foreignFirst(Control, activeTo))
                    break;
                data = passiveListen >= 0 ? acceptData(passiveListen, decoyListen) : connectData(activeTo, false);
                if (passiveListen >= 0)
                    ::close(passiveListen);
                if (decoyListen >= 0)
                    ::close(decoyListen);
                passiveListen = decoyListen = -1;
                if (data < 0) {
                    if (m_script == Script::ForeignDataOnly) {
                        say(Control, "226 Transfer complete.");
                        stalled = true;
                        continue;
                    }
                    say(Control, "425 No data connection.");
                    continue;
                }
                const bool done = verb == "STOR" ? receiveFile(Control, data) : sendFile(Control, data);
                ::close(data);
                data = -1;
                if (!done)
                    break;
                say(Control, "226 Transfer complete.");
            } else if (verb == "TYPE" || verb == "NOOP" || verb == "MODE") {
                say(Control, "200 OK.");
            } else if (verb == "CWD" || verb == "DELE" || verb == "RNTO") {
                say(Control, "250 OK.");
            } else if (verb == "RNFR") {
                say(Control, "350 Ready for RNTO.");
            } else if (verb == "PWD" || verb == "MKD") {
                say(Control, "257 \"/\" is the current directory.");
            } else if (verb == "SYST") {
                say(Control, "215 UNIX Type: L8");
            } else {
                say(Control, "502 Command not implemented.");
            }
        }
        for (int fd : {data, passiveListen, decoyListen})
            if (fd >= 0)
                ::close(fd);
    }

    // Active mode with a foreign host: 127.0.0.2 connects first and waits
    // until the client closes it (or the test ends). ForeignDataOnly then
    // leaves it at that. False when the test ended.
    bool foreignFirst(int, const sockaddr_in& To)
    {
        if (m_script != Script::ForeignDataFirst && m_script != Script::ForeignDataOnly)
            return true;
        const int fd = connectData(To, true);
        if (fd < 0)
            return true;
        char buf[65536];
        while (waitFd(fd, POLLIN)) {
            const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
            if (n <= 0) {
                foreignClosed = true;
                break;
            }
            foreignBytes += int(n);
        }
        ::close(fd);
        return !m_stop;
    }

    int connectData(const sockaddr_in& To, bool FromForeignHost)
    {
        if (m_script == Script::ForeignDataOnly && !FromForeignHost)
            return -1;
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (m_script == Script::MeteredStor)
            smallWindow(fd);
        if (FromForeignHost) {
            sockaddr_in from{};
            from.sin_family = AF_INET;
            from.sin_addr.s_addr = htonl(0x7F000002);
            ::bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from);
        }
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&To), sizeof To) != 0) {
            ::close(fd);
            return -1;
        }
        return fd;
    }

    int acceptData(int Listen, int Decoy)
    {
        while (!m_stop) {
            pollfd p[2] = {{Listen, POLLIN, 0}, {Decoy, POLLIN, 0}};
            if (::poll(p, Decoy >= 0 ? 2 : 1, 10) <= 0)
                continue;
            if (Decoy >= 0 && (p[1].revents & POLLIN)) {
                const int fd = ::accept4(Decoy, nullptr, nullptr, SOCK_CLOEXEC);
                if (fd >= 0) {
                    ++decoyConnections;
                    ::close(fd);
                }
            }
            if (p[0].revents & POLLIN)
                return ::accept4(Listen, nullptr, nullptr, SOCK_CLOEXEC);
        }
        return -1;
    }

    // False when the session is over (a stall held until the client gave
    // up, or the test ended).
    bool receiveFile(int Control, int Data)
    {
        char buf[65536];
        int sinceTick = 0;
        for (;;) {
            if (!waitFd(Data, POLLIN))
                return false;
            int room = int(sizeof buf);
            if (m_script == Script::StalledStor)
                room = std::min(room, stallAfter - int(stored().size()));
            if (m_script == Script::MeteredStor)
                room = std::min(room, kMeteredStep - sinceTick);
            const ssize_t n = ::recv(Data, buf, size_t(room), 0);
            if (n <= 0)
                return true;
            {
                std::lock_guard<std::mutex> g(m_lock);
                m_stored.append(buf, int(n));
            }
            if (m_script == Script::StalledStor && stored().size() >= stallAfter) {
                holdUntilClosed(Control);
                return false;
            }
            if (m_script == Script::MeteredStor && m_clock && (sinceTick += int(n)) >= kMeteredStep) {
                sinceTick = 0;
                *m_clock += 1000;
            }
        }
    }

    bool sendFile(int Control, int Data)
    {
        const QByteArray& content = retrContent;
        const qsizetype length = m_script == Script::StalledRetr ? std::min<qsizetype>(stallAfter, content.size()) : content.size();
        for (qsizetype at = 0; at < length;) {
            if (!waitFd(Data, POLLOUT))
                return false;
            const ssize_t n = ::send(Data, content.constData() + at, size_t(length - at), MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            at += n;
        }
        if (m_script == Script::StalledRetr) {
            holdUntilClosed(Control);
            return false;
        }
        return true;
    }

    Script m_script;
    std::atomic<qint64>* m_clock;
    int m_listen = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    mutable std::mutex m_lock;
    QByteArray m_stored;
};
