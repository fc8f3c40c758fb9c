#include "support/NoFreeDescriptors.h"

#include "exchange/net/AsyncSocket.h"
#include "exchange/net/FtpClient.h"

#include <sys/resource.h>
#include <unistd.h>

namespace {

// Throws, copies, reads and drops each exception once.
void meetTheExceptions()
{
    try {
        throw ESocketException(QStringLiteral("Error 10024 in function Socket"));
    } catch (const ESocketException& E) {
        const ESocketException Copy(E);
        (void)Copy.Message();
    }
    try {
        throw FtpException(QStringLiteral("Socket Error 10024"));
    } catch (const FtpException& E) {
        const FtpException Copy(E);
        (void)Copy.Message();
    }
}

} // namespace

NoFreeDescriptors::NoFreeDescriptors()
{
    meetTheExceptions();
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return;
    const int lowestFree = ::dup(0);
    if (lowestFree < 0)
        return;
    ::close(lowestFree);
    m_savedSoftLimit = limit.rlim_cur;
    limit.rlim_cur = rlim_t(lowestFree);
    m_active = ::setrlimit(RLIMIT_NOFILE, &limit) == 0;
}

NoFreeDescriptors::~NoFreeDescriptors()
{
    if (!m_active)
        return;
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = rlim_t(m_savedSoftLimit);
    ::setrlimit(RLIMIT_NOFILE, &limit);
}
