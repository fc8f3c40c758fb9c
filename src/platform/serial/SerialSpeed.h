#pragma once
// Line speeds outside the fixed termios table (14400, 56000, 128000, ...)
// are set through the kernel's arbitrary-rate interface, kept in a file of
// its own because its header clashes with <termios.h>.

namespace Serial {
// Sets input and output speed of a terminal to `rate` bits per second;
// false with errno set when the device refuses.
bool setArbitrarySpeed(int fd, int rate);
}
