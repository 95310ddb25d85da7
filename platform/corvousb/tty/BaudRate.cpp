// Setting any baud rate on a tty through termios2 (kept apart: its header clashes with termios.h).
#include <asm/termbits.h>
#include <cerrno>
#include <cstdlib>
#include <sys/ioctl.h>

namespace corvousb {

int SetTtyBaudRate(int fd, int baud) {
    termios2 t{};
    if (::ioctl(fd, TCGETS2, &t) != 0) return errno;
    t.c_cflag &= ~CBAUD;
    t.c_cflag |= BOTHER;
    t.c_ispeed = static_cast<speed_t>(baud);
    t.c_ospeed = static_cast<speed_t>(baud);
    if (::ioctl(fd, TCSETS2, &t) != 0) return errno;
    // The driver may settle on the nearest rate it can make.
    if (::ioctl(fd, TCGETS2, &t) != 0) return errno;
    const long off = std::labs(static_cast<long>(t.c_ospeed) - baud);
    return off * 100 > 3L * baud ? EINVAL : 0;
}

} // namespace corvousb
