// Kept apart from the other test files: <asm/termbits.h> clashes with <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

int ptyOutputSpeed(int fd)
{
    struct termios2 t;
    if (ioctl(fd, TCGETS2, &t) != 0)
        return -1;
    return int(t.c_ospeed);
}
