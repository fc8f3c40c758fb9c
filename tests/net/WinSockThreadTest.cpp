// A socket with notices belongs to the thread that asked for them: a send
// that must wait for room, a receive or a close from another thread would
// switch notifiers Qt lets only that thread switch. A debug build stops
// there. (Moving a socket to another thread the proper way, detached and
// attached, is in AsyncSocketTest.)
#include "platform/net/WinSock.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace WinSockThreadTestLocal {

struct IgnoreNotices : WinSock::NoticeTarget {
    void socketNotice(WinSock::TSocket, int, int) override {}
};

// A socket of the platform layer connected to a plain peer that never
// reads, with read, write and close notices asked for in this thread.
struct ConnectedSocket {
    WinSock::TSocket s = WinSock::InvalidSocket;
    int peer = -1;
    IgnoreNotices target;

    ConnectedSocket()
    {
        const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        ::bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(listener, 1);
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&a), &len);
        s = WinSock::socket(AF_INET, SOCK_STREAM, 0);
        WinSock::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
        peer = ::accept(listener, nullptr, nullptr);
        ::close(listener);
        pollfd p{s, POLLOUT, 0};
        ::poll(&p, 1, 10000);
        WinSock::asyncSelect(s, &target, WinSock::FdRead | WinSock::FdWrite | WinSock::FdClose);
    }
};

// Sends until the kernel takes only part of a block (the peer reads
// nothing), which arms the write notice.
void fillUp(WinSock::TSocket s)
{
    static const char block[65536] = {};
    for (int i = 0; i < 16384; ++i)
        if (WinSock::send(s, block, int(sizeof block), 0) < int(sizeof block))
            return;
}

} // namespace WinSockThreadTestLocal

using namespace WinSockThreadTestLocal;

TEST(WinSockThreadDeathTest, ASocketWithNoticesIsUsedOnlyInTheirThread)
{
#ifdef QT_NO_DEBUG
    GTEST_SKIP() << "the check is a debug build's assertion";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const char* message = "a socket with notices is used only from the thread that asked for them";
    EXPECT_DEATH(
        {
            ConnectedSocket c;
            std::thread([&] { fillUp(c.s); }).join();
        },
        message);
    EXPECT_DEATH(
        {
            ConnectedSocket c;
            std::thread([&] {
                char buf[16];
                WinSock::recv(c.s, buf, sizeof buf, 0);
            }).join();
        },
        message);
    EXPECT_DEATH(
        {
            ConnectedSocket c;
            std::thread([&] { WinSock::closesocket(c.s); }).join();
        },
        message);
    // In its own thread the same calls are what every socket does.
    ConnectedSocket c;
    fillUp(c.s);
    EXPECT_EQ(WinSock::closesocket(c.s), 0);
    ::close(c.peer);
#endif
}
