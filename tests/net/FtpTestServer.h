#pragma once
// A real FTP server for the FTP client tests: pyftpdlib (Debian's
// python3-pyftpdlib) started on 127.0.0.1 with a free port in a temporary
// folder, with two users: "user" (every right) and "reader" (list and read
// only), both with the password "secret". Extra options make it drop the
// connection mid-transfer, cut an upload short and still answer 226, stop
// reading an upload, stay silent on a command, limit its rate or keep its
// receive buffer small (see ftp_test_server.py).

#include "exchange/net/FtpClient.h"
#include "support/Printers.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

class FtpTestServer {
public:
    explicit FtpTestServer(const QStringList& Extra = {})
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("home"));
        const QString home = m_dir.path() + QStringLiteral("/home");
        // The build copies the server script next to the test programs.
        const QString script = QCoreApplication::applicationDirPath() + QStringLiteral("/ftp_test_server.py");
        QStringList args{script, QStringLiteral("--user"), QStringLiteral("user:secret:elradfmwMT:") + home,
            QStringLiteral("--user"), QStringLiteral("reader:secret:elr:") + home};
        args += Extra;
        m_proc.setProcessChannelMode(QProcess::SeparateChannels);
        m_proc.start(QStringLiteral("/usr/bin/python3"), args);
        if (!m_proc.waitForStarted(10000))
            return;
        while (!m_proc.canReadLine() && m_proc.waitForReadyRead(10000)) {
        }
        m_port = quint16(m_proc.readLine().trimmed().toUInt());
    }
    ~FtpTestServer()
    {
        m_proc.kill();
        m_proc.waitForFinished(5000);
    }
    FtpTestServer(const FtpTestServer&) = delete;
    FtpTestServer& operator=(const FtpTestServer&) = delete;

    bool running() const { return m_port != 0; }
    quint16 port() const { return m_port; }
    QString home() const { return m_dir.path() + QStringLiteral("/home"); }
    QString serverPath(const QString& Name) const { return home() + u'/' + Name; }
    QString localPath(const QString& Name) const
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("local"));
        return m_dir.path() + QStringLiteral("/local/") + Name;
    }

    // Points a client at this server with user "user".
    void aim(TCustomFtpClient& C, const QString& User = QStringLiteral("user")) const
    {
        C.HostName = QStringLiteral("127.0.0.1");
        C.Port = QString::number(m_port);
        C.UserName = User;
        C.PassWord = QStringLiteral("secret");
    }

private:
    QTemporaryDir m_dir;
    QProcess m_proc;
    quint16 m_port = 0;
};

// Records what a client reports, and runs asynchronous operations to their
// end.
class FtpRecorder {
public:
    explicit FtpRecorder(TCustomFtpClient& C) : m_client(C)
    {
        C.OnRequestDone = [this](TCustomFtpClient*, TFtpRequest Rq, quint16 Err) {
            done.push_back({Rq, Err});
            if (m_loop)
                m_loop->quit();
        };
        C.OnDisplay = [this](TCustomFtpClient*, QString& Msg) { trace << Msg; };
    }

    struct Done {
        TFtpRequest request;
        int error;
    };
    std::vector<Done> done;
    QStringList trace;

    // Runs Start and the event loop until OnRequestDone came. The guard of
    // a minute only keeps a broken client from hanging the suite.
    Done run(const std::function<void()>& Start)
    {
        const size_t before = done.size();
        Start();
        QEventLoop loop;
        m_loop = &loop;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
        guard.start(60000);
        while (done.size() == before && guard.isActive())
            loop.exec();
        m_loop = nullptr;
        EXPECT_GT(done.size(), before) << "no OnRequestDone; state " << m_client.State() << "; trace:\n"
                                       << trace.mid(qMax(0, int(trace.size()) - 20)).join(u'\n').toStdString();
        return done.size() > before ? done.back() : Done{ftpNone, -1};
    }
    QStringList sent() const
    {
        QStringList out;
        for (const QString& t : trace)
            if (t.startsWith(QLatin1String("> ")))
                out << t.mid(2);
        return out;
    }

private:
    TCustomFtpClient& m_client;
    QEventLoop* m_loop = nullptr;
};

inline QByteArray ftpTestReadFile(const QString& Path)
{
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline void ftpTestWriteFile(const QString& Path, const QByteArray& Data)
{
    QFile f(Path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(Data), Data.size());
}

// Deterministic bytes of every value.
inline QByteArray ftpTestBytes(qint64 Size, quint32 Seed = 7)
{
    QByteArray out(Size, Qt::Uninitialized);
    quint32 x = Seed * 2654435761u + 1;
    for (qint64 i = 0; i < Size; ++i) {
        x = x * 1664525u + 1013904223u;
        out[i] = char(x >> 24);
    }
    return out;
}
