#include "platform/serial/SerialTermios.h"

#include "platform/serial/SerialDevice.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace {

unsigned standardSpeed(uint32_t rate)
{
    static const struct {
        uint32_t rate;
        unsigned code;
    } table[] = {{50, B50},         {75, B75},         {110, B110},       {134, B134},       {150, B150},
                 {200, B200},       {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
                 {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
                 {57600, B57600},   {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000},
                 {576000, B576000}, {921600, B921600}, {1000000, B1000000}};
    for (const auto& e : table)
        if (e.rate == rate)
            return e.code;
    return BOTHER;
}

void setRaw(struct termios2& t)
{
    // Errors and breaks are marked in the data (and taken out again by the
    // input filter); nothing else of the bytes is changed.
    t.c_iflag = PARMRK;
    t.c_oflag = 0;
    t.c_lflag = 0;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
}

} // namespace

Serial::LineFlags Serial::lineFlags(const Dcb& dcb)
{
    LineFlags f;
    f.iflag = PARMRK;
    if (dcb.fParity)
        f.iflag |= INPCK;
    if (dcb.fOutX)
        f.iflag |= IXON;
    if (dcb.fInX)
        f.iflag |= IXOFF;
    uint32_t c = CREAD | CLOCAL | HUPCL;
    static const uint32_t sizes[] = {CS5, CS6, CS7, CS8};
    if (dcb.ByteSize >= 5 && dcb.ByteSize <= 8)
        c |= sizes[dcb.ByteSize - 5];
    switch (dcb.Parity) {
    case 1:
        c |= PARENB | PARODD;
        break;
    case 2:
        c |= PARENB;
        break;
    case 3:
        c |= PARENB | CMSPAR | PARODD;
        break;
    case 4:
        c |= PARENB | CMSPAR;
        break;
    default:
        break;
    }
    // One and a half stop bits (five data bits) is what CSTOPB gives there.
    if (dcb.StopBits != 0)
        c |= CSTOPB;
    if (dcb.fOutxCtsFlow || dcb.fRtsControl == 2)
        c |= CRTSCTS;
    f.cflag = c;
    f.startChar = uint8_t(dcb.XonChar);
    f.stopChar = uint8_t(dcb.XoffChar);
    return f;
}

bool Serial::applyLine(int fd, const Dcb& dcb)
{
    struct termios2 t;
    if (ioctl(fd, TCGETS2, &t) != 0)
        return false;
    const LineFlags f = lineFlags(dcb);
    setRaw(t);
    t.c_iflag = f.iflag;
    t.c_cflag = f.cflag | standardSpeed(dcb.BaudRate);
    t.c_cc[VSTART] = f.startChar;
    t.c_cc[VSTOP] = f.stopChar;
    t.c_ispeed = dcb.BaudRate;
    t.c_ospeed = dcb.BaudRate;
    return ioctl(fd, TCSETS2, &t) == 0;
}

void Serial::makeRaw(int fd)
{
    struct termios2 t;
    if (ioctl(fd, TCGETS2, &t) != 0)
        return;
    setRaw(t);
    t.c_cflag &= ~(CSIZE | PARENB | CRTSCTS);
    t.c_cflag |= CS8 | CREAD | CLOCAL;
    ioctl(fd, TCSETS2, &t);
}
