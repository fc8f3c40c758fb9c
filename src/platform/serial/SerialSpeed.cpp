#include "platform/serial/SerialSpeed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

bool Serial::setArbitrarySpeed(int fd, int rate)
{
    struct termios2 t;
    if (ioctl(fd, TCGETS2, &t) != 0)
        return false;
    t.c_cflag &= ~CBAUD;
    t.c_cflag |= BOTHER;
    t.c_ispeed = unsigned(rate);
    t.c_ospeed = unsigned(rate);
    return ioctl(fd, TCSETS2, &t) == 0;
}

