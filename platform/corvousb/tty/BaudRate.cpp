// Setting any baud rate on a tty through termios2 (kept apart: its header clashes with termios.h).
#include <asm/termbits.h>
#include <cerrno>
#include <cstdlib>
#include <sys/ioctl.h>

namespace corvousb {

namespace {

// The classic speed codes: a rate that has one is set with it, so that every tool reads it back.
struct SpeedCode {
    int baud;
    unsigned code;
};
constexpr SpeedCode kSpeedCodes[] = {
    {300, B300},         {600, B600},         {1200, B1200},       {2400, B2400},
    {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},
    {500000, B500000},   {576000, B576000},   {921600, B921600},   {1000000, B1000000},
    {1152000, B1152000}, {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000},
    {3000000, B3000000},
};

} // namespace

int SetTtyBaudRate(int fd, int baud) {
    termios2 t{};
    if (::ioctl(fd, TCGETS2, &t) != 0) return errno;
    unsigned code = BOTHER;
    for (const SpeedCode& s : kSpeedCodes)
        if (s.baud == baud) code = s.code;
    t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= code;
    t.c_ispeed = static_cast<speed_t>(baud);
    t.c_ospeed = static_cast<speed_t>(baud);
    if (::ioctl(fd, TCSETS2, &t) != 0) return errno;
    // The driver may settle on the nearest rate it can make.
    if (::ioctl(fd, TCGETS2, &t) != 0) return errno;
    const long off = std::labs(static_cast<long>(t.c_ospeed) - baud);
    return off * 100 > 3L * baud ? EINVAL : 0;
}

} // namespace corvousb
