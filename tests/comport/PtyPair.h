#pragma once
// A pseudo-terminal pair in place of a serial cable: the program opens the
// slave side as its port (mapped to a "COMn" name), the test plays the device
// on the master side. The test keeps a slave descriptor of its own to read
// the line settings with tcgetattr.

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QString>
#include <QTimer>

#include <functional>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

class PtyPair {
public:
    PtyPair()
    {
        char name[256] = {};
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) == 0) {
            m_path = QString::fromLocal8Bit(name);
            fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
        }
    }
    ~PtyPair()
    {
        closeMaster();
        if (m_slave >= 0)
            ::close(m_slave);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool valid() const { return m_master >= 0 && m_slave >= 0; }
    QString slavePath() const { return m_path; }
    int master() const { return m_master; }
    int slave() const { return m_slave; }

    // The device sends: every byte is handed to the line, waiting while the
    // line is full. False when the line went away.
    bool send(const QByteArray& bytes) const
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
            if (n > 0) {
                done += n;
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                return false;
            pollfd p{m_master, POLLOUT, 0};
            if (poll(&p, 1, 10000) <= 0)
                return false;
        }
        return true;
    }

    // What the port wrote to the device: waits until `size` bytes have come
    // (at most `limitMs`, a safety limit) and returns them.
    QByteArray receive(int size, int limitMs = 10000) const
    {
        QByteArray got;
        QElapsedTimer t;
        t.start();
        while (got.size() < size && t.elapsed() < limitMs) {
            pollfd p{m_master, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0)
                continue;
            char buf[4096];
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n > 0)
                got.append(buf, n);
            else if (n == 0 || (errno != EAGAIN && errno != EINTR))
                break;
        }
        return got;
    }

    // The far side goes away (a cable pulled, a USB adapter unplugged).
    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};

// Runs the GUI thread's event loop until `done` holds; `limitMs` only keeps a
// broken build from hanging. Returns done().
inline bool waitFor(const std::function<bool()>& done, int limitMs = 20000)
{
    if (done())
        return true;
    QElapsedTimer elapsed;
    elapsed.start();
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(2);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (done() || elapsed.elapsed() > limitMs)
            loop.quit();
    });
    tick.start();
    loop.exec();
    return done();
}

// The output speed of a terminal in bits per second, read through the
// kernel's arbitrary-rate interface (PtySpeed.cpp).
int ptyOutputSpeed(int fd);
