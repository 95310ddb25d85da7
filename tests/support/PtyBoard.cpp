// The board emulator behind a pseudo-terminal, running the simulated board's firmware.
#include "tests/support/PtyBoard.h"

#include "platform/corvousb/protocol/Command.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace corvousb::testing {

namespace {

// How long the line must stay quiet before held bytes count as plain data.
constexpr int kQuietMs = 5;

} // namespace

void PtyBoard::take(std::span<const std::uint8_t> bytes) {
    held_.insert(held_.end(), bytes.begin(), bytes.end());
    std::size_t done = 0;
    while (done < held_.size()) {
        const auto rest = std::span(held_).subspan(done);
        const auto start = std::find(rest.begin(), rest.end(), kCommandStart);
        const auto plain = static_cast<std::size_t>(start - rest.begin());
        if (plain > 0) {
            answer(rest.first(plain));
            done += plain;
            continue;
        }
        if (rest.size() < kCommandSize) break; // may be the start of a command
        const auto length = CommandLength(rest);
        if (!length || *length > kCommandSize + kSimMemorySize) {
            answer(rest.first(1)); // a start byte that begins no command
            done += 1;
            continue;
        }
        if (rest.size() < *length) break;
        answer(rest.first(*length));
        done += *length;
    }
    held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(done));
}

void PtyBoard::flushHeld() {
    if (!held_.empty()) answer(held_);
    held_.clear();
}

int OpenPtyMaster(std::string& node) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    char name[64] = "";
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name, sizeof name) != 0)
        throw std::runtime_error("no pseudo-terminal");
    node = name;
    return master;
}

// The firmware answers at once: the time of the link is the real tty's.
PtyBoard::PtyBoard(const BoardSetup& setup)
    : board_([s = setup]() mutable { return s.timing = false, s; }(), 0,
             std::make_shared<VirtualClock>()) {
    master_ = OpenPtyMaster(node_);
    // The node starts in the kernel's default cooked mode (echo, line editing, CR/LF
    // translation), as a freshly plugged board does; the library must make it raw.
    slave_ = ::open(node_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) throw std::runtime_error("no pty slave");
    thread_ = std::thread([this] { run(); });
}

PtyBoard::~PtyBoard() {
    unplug();
}

termios PtyBoard::lineSettings() const {
    termios t{};
    ::tcgetattr(slave_, &t);
    return t;
}

void PtyBoard::stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

void PtyBoard::unplug() {
    stop();
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    slave_ = master_ = -1;
}

void PtyBoard::run() {
    std::vector<std::uint8_t> buffer(65536);
    while (!stop_) {
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, kQuietMs) <= 0) {
            flushHeld();
            continue;
        }
        const ssize_t n = ::read(master_, buffer.data(), buffer.size());
        if (n > 0) take(std::span(buffer).first(static_cast<std::size_t>(n)));
    }
}

// Hands one write to the firmware and sends back everything it queued.
void PtyBoard::answer(std::span<const std::uint8_t> chunk) {
    std::size_t taken = 0;
    board_.write(chunk, taken);
    std::vector<std::uint8_t> out(board_.receiveBytes());
    std::size_t got = 0;
    board_.read(out, got);
    for (std::size_t sent = 0; sent < got && !stop_;) {
        const ssize_t n = ::write(master_, out.data() + sent, got - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        pollfd p{master_, POLLOUT, 0};
        ::poll(&p, 1, kQuietMs);
    }
}

} // namespace corvousb::testing
