// A board reached through a tty device node: raw, exclusive, with poll-based time-outs.
#include "platform/corvousb/tty/TtyDevice.h"

#include "platform/corvousb/CorvoUsb.h"
#include "platform/corvousb/ErrorDetail.h"
#include "platform/corvousb/tty/CallAlarm.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace corvousb {

namespace {

using Clock = std::chrono::steady_clock;

// Extra quiet time after the latency timer before a read that has data returns.
constexpr int kQuietMs = 10;

// Milliseconds left until `deadline`, 0 when it has passed.
int MsLeft(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::max<long long>(left, 0));
}

// The name of the group that owns `node` (its number when it has no name); "dialout", the usual
// group of serial nodes, when the node cannot be looked at.
std::string NodeGroup(const std::string& node) {
    struct stat st {};
    if (::stat(node.c_str(), &st) != 0) return "dialout";
    char buffer[1024];
    group g{};
    group* found = nullptr;
    if (::getgrgid_r(st.st_gid, &g, buffer, sizeof buffer, &found) != 0 || found == nullptr)
        return std::to_string(st.st_gid);
    return found->gr_name;
}

// Keeps the text of an access failure on `path` and returns its code.
int AccessDenied(const std::string& path, const std::string& node) {
    const std::string group = NodeGroup(node);
    KeepAccessDeniedText("Permission denied on " + path + ": add your user to the group \"" +
                         group + "\" (sudo usermod -aG " + group +
                         " $USER, then log in again) or install the udev rule "
                         "packaging/udev/70-corvousb.rules (see README.md, \"Real boards\")");
    return CORVOUSB_ERR_ACCESS_DENIED;
}

} // namespace

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
}

int TtyDevice::open(const UsbTty& tty, int port, OpenNodes openNodes,
                    std::unique_ptr<FifoDevice>& device) {
    FileDescriptor fd(::open(tty.node.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        switch (errno) {
        case EACCES:
        case EPERM:
            return AccessDenied(tty.node, tty.node);
        case EBUSY:
            return CORVOUSB_ERR_DEVICE_BUSY;
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return CORVOUSB_ERR_DEVICE_REMOVED;
        default:
            return CORVOUSB_ERR_IO;
        }
    }
    termios t{};
    if (::ioctl(fd.get(), TIOCEXCL) != 0 || ::tcgetattr(fd.get(), &t) != 0) return CORVOUSB_ERR_IO;
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    // With O_NONBLOCK, VMIN 1 makes an empty line read as EAGAIN and a hang-up as end of file.
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    if (::tcsetattr(fd.get(), TCSANOW, &t) != 0 || ::tcflush(fd.get(), TCIOFLUSH) != 0)
        return CORVOUSB_ERR_IO;
    device = std::make_unique<TtyDevice>(std::move(fd), tty, port, std::move(openNodes));
    return CORVOUSB_OK;
}

TtyDevice::TtyDevice(FileDescriptor fd, const UsbTty& tty, int port, OpenNodes openNodes)
    : fd_(std::move(fd)), node_(tty.node), latencyFile_(tty.latencyTimer), port_(port),
      openNodes_(std::move(openNodes)) {
    openNodes_->insert(node_);
}

TtyDevice::~TtyDevice() {
    openNodes_->erase(node_);
}

int TtyDevice::failure(int error) {
    switch (error) {
    case EIO:
    case ENODEV:
    case ENXIO:
    case EPIPE:
        removed_ = true;
        return CORVOUSB_ERR_DEVICE_REMOVED;
    default:
        return CORVOUSB_ERR_IO;
    }
}

int TtyDevice::state() const {
    return removed_ ? CORVOUSB_ERR_DEVICE_REMOVED : CORVOUSB_OK;
}

int TtyDevice::wait(short events, int ms, bool& ready) {
    ready = false;
    pollfd p{fd_.get(), events, 0};
    const int n = ::poll(&p, 1, ms);
    if (n < 0) return errno == EINTR ? CORVOUSB_OK : failure(errno);
    if (n == 0) return CORVOUSB_OK;
    // Readable data is taken first; the read that follows it sees the hang-up.
    if ((p.revents & events) != 0) {
        ready = true;
        return CORVOUSB_OK;
    }
    return failure(EIO);
}

template <class Step>
int TtyDevice::transfer(Step step, std::size_t size, std::size_t& moved, short events,
                        int timeoutMs, int quietMs) {
    moved = 0;
    if (removed_) return CORVOUSB_ERR_DEVICE_REMOVED;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    int code = CORVOUSB_OK;
    while (moved < size && code == CORVOUSB_OK) {
        const std::size_t asked = size - moved;
        const ssize_t n = step(moved);
        if (n > 0) {
            moved += static_cast<std::size_t>(n);
            // Fewer than asked: the driver has no more bytes (or room) now, so the next call
            // would only fail with EAGAIN; wait for it instead.
            if (static_cast<std::size_t>(n) == asked) continue;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n == 0 || errno != EAGAIN) {
            code = failure(n == 0 ? EIO : errno); // end of file: the line hung up
            break;
        }
        const int left = MsLeft(deadline);
        if (left == 0) break;
        bool ready = false;
        code = wait(events, moved == 0 ? left : std::min(left, quietMs), ready);
        if (!ready && moved > 0) break;
    }
    // Bytes moved before a failure count; the next call reports a hang-up.
    return moved > 0 ? CORVOUSB_OK : code;
}

int TtyDevice::read(std::span<std::uint8_t> data, std::size_t& got) {
    const auto step = [&](std::size_t done) {
        return ::read(fd_.get(), data.data() + done, data.size() - done);
    };
    return transfer(step, data.size(), got, POLLIN, readTimeoutMs_,
                    static_cast<int>(latencyMs_) + kQuietMs);
}

int TtyDevice::write(std::span<const std::uint8_t> data, std::size_t& taken) {
    const auto step = [&](std::size_t done) {
        return ::write(fd_.get(), data.data() + done, data.size() - done);
    };
    taken = 0;
    if (removed_) return CORVOUSB_ERR_DEVICE_REMOVED;
    // A blocking write refills the driver's buffer the moment room appears; waiting in poll
    // between non-blocking writes costs a wake-up and two calls per refill, up to a third of the
    // rate over a pty. The alarm ends the blocking write at the time-out.
    const auto deadline = Clock::now() + std::chrono::milliseconds(writeTimeoutMs_);
    const CallAlarm alarm(writeTimeoutMs_);
    if (!alarm.armed())
        return transfer(step, data.size(), taken, POLLOUT, writeTimeoutMs_, writeTimeoutMs_);
    int code = CORVOUSB_OK;
    setBlocking(true);
    do {
        const ssize_t n = step(taken);
        if (n > 0) {
            taken += static_cast<std::size_t>(n);
        } else if (n == 0 || errno != EINTR) { // EINTR: the alarm, or another signal
            code = failure(n == 0 ? EIO : errno);
            break;
        }
    } while (taken < data.size() && Clock::now() < deadline);
    setBlocking(false);
    // Bytes taken before a failure count; the next call reports a hang-up.
    return taken > 0 ? CORVOUSB_OK : code;
}

void TtyDevice::setBlocking(bool on) {
    // Cannot fail on a descriptor we hold, hung up or not.
    const int flags = ::fcntl(fd_.get(), F_GETFL);
    ::fcntl(fd_.get(), F_SETFL, on ? flags & ~O_NONBLOCK : flags | O_NONBLOCK);
}

int TtyDevice::queueBytes(int queue, std::size_t& bytes) {
    bytes = 0;
    if (removed_) return CORVOUSB_ERR_DEVICE_REMOVED;
    int count = 0;
    if (::ioctl(fd_.get(), queue == 0 ? FIONREAD : TIOCOUTQ, &count) != 0) return failure(errno);
    bytes = static_cast<std::size_t>(std::max(count, 0));
    return CORVOUSB_OK;
}

int TtyDevice::purge() {
    if (removed_) return CORVOUSB_ERR_DEVICE_REMOVED;
    return ::tcflush(fd_.get(), TCIOFLUSH) == 0 ? CORVOUSB_OK : failure(errno);
}

int TtyDevice::setLatencyTimer(unsigned ms) {
    if (removed_) return CORVOUSB_ERR_DEVICE_REMOVED;
    latencyMs_ = ms;
    if (latencyFile_.empty()) return CORVOUSB_OK;
    FileDescriptor file(::open(latencyFile_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    const std::string text = std::to_string(ms) + "\n";
    if (file.get() >= 0 &&
        ::write(file.get(), text.data(), text.size()) == static_cast<ssize_t>(text.size()))
        return CORVOUSB_OK;
    if (errno == EACCES || errno == EPERM) return AccessDenied(latencyFile_, node_);
    return errno == ENOENT || errno == ENODEV ? failure(ENODEV) : CORVOUSB_ERR_IO;
}

int TtyDevice::setTimeouts(int writeMs, int readMs) {
    if (removed_) return CORVOUSB_ERR_DEVICE_REMOVED;
    writeTimeoutMs_ = writeMs;
    readTimeoutMs_ = readMs;
    return CORVOUSB_OK;
}

int TtyDevice::setTransferSizes(int, int) {
    return state();
}

int TtyDevice::setSynchronous(bool, int) {
    return state();
}

int TtyDevice::setHardwareFlowControl() {
    if (removed_) return CORVOUSB_ERR_DEVICE_REMOVED;
    termios t{};
    if (::tcgetattr(fd_.get(), &t) != 0) return failure(errno);
    t.c_cflag |= CRTSCTS;
    return ::tcsetattr(fd_.get(), TCSANOW, &t) == 0 ? CORVOUSB_OK : failure(errno);
}

int TtyDevice::setBaudRate(int baud) {
    if (removed_) return CORVOUSB_ERR_DEVICE_REMOVED;
    const int error = SetTtyBaudRate(fd_.get(), baud);
    if (error == 0) return CORVOUSB_OK;
    return error == EINVAL ? CORVOUSB_ERR_BAD_ARGUMENT : failure(error);
}

int TtyDevice::readEeprom(Eeprom&) {
    return removed_ ? CORVOUSB_ERR_DEVICE_REMOVED : CORVOUSB_ERR_NO_EEPROM;
}

int TtyDevice::writeEeprom(const Eeprom&) {
    return removed_ ? CORVOUSB_ERR_DEVICE_REMOVED : CORVOUSB_ERR_NO_EEPROM;
}

int TtyDevice::eraseEeprom() {
    return removed_ ? CORVOUSB_ERR_DEVICE_REMOVED : CORVOUSB_ERR_NO_EEPROM;
}

} // namespace corvousb
