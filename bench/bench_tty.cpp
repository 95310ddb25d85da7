// Throughput over a tty: Kestrel's raw "<Read>" and "<Write>" of 1 MiB over a pseudo-terminal,
// against a plain read(2) / write(2) loop (what cat and dd do) on the same pty, in one run.
//
// A board emulator on the pty's master side writes a stream as fast as the kernel takes it, or
// drains what arrives as fast as it comes. Kestrel reaches the pty as a USB serial port of a fake
// sysfs tree; a "<Read>" or "<Write>" moves 65,536 32-bit words, four of them make 1 MiB. Prints
// the medians of several rounds and the ratio of each round; the target is at least 0.8 for both.
#include "core/Kestrel_core.h"
#include "core/time_utils.h"
#include "engine/UsbTest.h"
#include "platform/corvousb/CorvoUsb.h"
#include "tests/support/FakeSysfs.h"
#include "tests/support/PtyBoard.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kWords = 65536;
constexpr int kRunsPerMiB = 4;
constexpr std::size_t kMiB = 1 << 20;
// Single rounds take a few milliseconds and vary a lot on a virtual machine; many of them make
// the medians steady.
constexpr int kRounds = 41;

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A pseudo-terminal whose master side streams bytes out (Stream) or drains them (Drain) on its
// own thread. Its slave side is kept open in raw mode, so every opener finds the same line.
class PtyEmulator {
  public:
    enum class Mode { Stream, Drain };
    explicit PtyEmulator(Mode mode) : mode_(mode) {
        master_ = corvousb::testing::OpenPtyMaster(node_);
        slave_ = ::open(node_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios t{};
        ::tcgetattr(slave_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(slave_, TCSANOW, &t);
        thread_ = std::thread([this] { run(); });
    }
    ~PtyEmulator() {
        stop_ = true;
        thread_.join();
        ::close(slave_);
        ::close(master_);
    }
    PtyEmulator(const PtyEmulator&) = delete;
    PtyEmulator& operator=(const PtyEmulator&) = delete;
    const std::string& node() const { return node_; }

  private:
    void run() {
        std::vector<unsigned char> buffer(65536, 0x5A);
        const short events = mode_ == Mode::Stream ? POLLOUT : POLLIN;
        while (!stop_) {
            pollfd p{master_, events, 0};
            if (::poll(&p, 1, 10) <= 0) continue;
            if (mode_ == Mode::Stream)
                (void)!::write(master_, buffer.data(), buffer.size());
            else
                (void)!::read(master_, buffer.data(), buffer.size());
        }
    }

    Mode mode_;
    int master_ = -1, slave_ = -1;
    std::string node_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Seconds a plain loop takes to move 1 MiB through the node: open, flush, read or write in
// blocks of 64 KiB, close.
double PlainSeconds(const std::string& node, bool reading) {
    const int fd = ::open(node.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ::tcflush(fd, TCIOFLUSH);
    std::vector<unsigned char> block(65536, 0xA5);
    const auto t0 = Clock::now();
    for (std::size_t moved = 0; moved < kMiB;) {
        const ssize_t n = reading ? ::read(fd, block.data(), block.size())
                                  : ::write(fd, block.data(), std::min(block.size(), kMiB - moved));
        if (n <= 0) break;
        moved += static_cast<std::size_t>(n);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    ::close(fd);
    return seconds;
}

// Seconds Kestrel's raw test takes for 1 MiB in the I/O mode, on a freshly opened board.
double KestrelSeconds(const char* serial, int ioMode) {
    const int handle = OpenUsbDevice(serial);
    if (handle <= 0 || !USB_Init(handle, 1)) throw std::runtime_error("board not opened");
    SetUsbId(handle);
    SetIOMode(ioMode);
    const auto t0 = Clock::now();
    for (int i = 0; i < kRunsPerMiB; ++i)
        usb_test_raw();
    const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    CloseUsbDevice(handle);
    return seconds;
}

void Report(const char* what, const std::vector<double>& kestrel,
            const std::vector<double>& plain) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < kestrel.size(); ++i)
        ratios.push_back(plain[i] / kestrel[i]);
    std::sort(ratios.begin(), ratios.end());
    std::printf("raw \"%s\" of 1 MiB over a pty (%d rounds)\n", what, kRounds);
    std::printf("  Kestrel: median %8.1f MB/s\n", kMiB / Median(kestrel) / 1e6);
    std::printf("  plain:   median %8.1f MB/s\n", kMiB / Median(plain) / 1e6);
    std::printf("  ratio Kestrel / plain: min %.3f, median %.3f, max %.3f (target >= 0.8)\n",
                ratios.front(), ratios[ratios.size() / 2], ratios.back());
}

} // namespace

int main() {
    PtyEmulator stream(PtyEmulator::Mode::Stream), drain(PtyEmulator::Mode::Drain);
    FakeSysfs sysfs;
    sysfs.addSerialPort("1-1", "ttyUSB0", stream.node().substr(5), "Bench Stream", "BENCH001");
    sysfs.addSerialPort("1-2", "ttyUSB1", drain.node().substr(5), "Bench Drain", "BENCH002");
    EnvVar root("CORVOUSB_SYSFS_ROOT", sysfs.root.string()), noSim("CORVOUSB_NO_SIM", "1"),
        noFile("CORVOUSB_BUS", "");
    InitProcessorTimerCaps();
    InitTestBoard();
    SetWordSize(2);
    SetWordCount(kWords);
    SetPrintState(0);

    // One round first that is not counted: the first opens and transfers fault in the buffers.
    KestrelSeconds("BENCH001", 0);
    PlainSeconds(stream.node(), true);
    KestrelSeconds("BENCH002", 1);
    PlainSeconds(drain.node(), false);

    std::vector<double> kestrelRead, plainRead, kestrelWrite, plainWrite;
    // Each round measures both, in turns, so that a busy moment of the machine hits both alike.
    for (int round = 0; round < kRounds; ++round) {
        const bool kestrelFirst = round % 2 == 0;
        if (kestrelFirst) kestrelRead.push_back(KestrelSeconds("BENCH001", 0));
        plainRead.push_back(PlainSeconds(stream.node(), true));
        if (!kestrelFirst) kestrelRead.push_back(KestrelSeconds("BENCH001", 0));
        if (kestrelFirst) kestrelWrite.push_back(KestrelSeconds("BENCH002", 1));
        plainWrite.push_back(PlainSeconds(drain.node(), false));
        if (!kestrelFirst) kestrelWrite.push_back(KestrelSeconds("BENCH002", 1));
    }
    Report("<Read>", kestrelRead, plainRead);
    Report("<Write>", kestrelWrite, plainWrite);
    return 0;
}
