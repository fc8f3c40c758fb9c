#pragma once
// The terminal settings of a serial line, set through the kernel's own
// interface (termios2). Kept in a file of its own because the kernel's header
// clashes with <termios.h>; glibc's tcsetattr also reports a failure whenever
// a driver adjusts a setting (a pseudo-terminal always runs with eight data
// bits), where the line is in fact set.

#include <cstdint>

namespace Serial {

struct Dcb;

// The termios words for a line-settings record (Linux values).
struct LineFlags {
    uint32_t iflag = 0;
    uint32_t oflag = 0;
    uint32_t cflag = 0;     // without the speed bits
    uint32_t lflag = 0;
    uint8_t startChar = 0;  // VSTART
    uint8_t stopChar = 0;   // VSTOP
};
LineFlags lineFlags(const Dcb& dcb);

// Applies a record's framing, flow control and speed to a terminal (rates
// outside the fixed table are set exactly). False with errno set on failure.
bool applyLine(int fd, const Dcb& dcb);
// Puts a terminal into raw mode, keeping its speed: bytes pass unchanged,
// errors and breaks marked (PARMRK), modem lines ignored for reading.
void makeRaw(int fd);

}
