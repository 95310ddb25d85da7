// A board reached through a tty device node (USB serial or CDC port), as a FIFO device.
//
// The node is opened raw (no echo, no line-discipline translation) and exclusive (TIOCEXCL).
// Reads wait with poll and writes block (see write()), up to the stored time-outs; the rest of
// the chip's settings map to what a tty offers (see each operation). A hang-up (the device was
// unplugged) makes this and every later operation fail with CORVOUSB_ERR_DEVICE_REMOVED.
#pragma once

#include "platform/corvousb/Transport.h"
#include "platform/corvousb/tty/UsbTtys.h"

#include <memory>
#include <set>
#include <string>

namespace corvousb {

// A file descriptor, closed when destroyed.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileDescriptor& operator=(FileDescriptor&&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// The nodes open in this process: a tty is opened once at a time.
using OpenNodes = std::shared_ptr<std::set<std::string>>;

class TtyDevice : public FifoDevice {
  public:
    // Opens tty.node. Errors: CORVOUSB_ERR_ACCESS_DENIED (no permission; the error text names the
    // node, its group and the udev rule), CORVOUSB_ERR_DEVICE_BUSY (open here or by another
    // process), CORVOUSB_ERR_DEVICE_REMOVED (the node is gone), CORVOUSB_ERR_IO (not a usable
    // tty).
    static int open(const UsbTty& tty, int port, OpenNodes openNodes,
                    std::unique_ptr<FifoDevice>& device);
    // Takes over a node opened and set up by open().
    TtyDevice(FileDescriptor fd, const UsbTty& tty, int port, OpenNodes openNodes);
    ~TtyDevice() override;
    TtyDevice(const TtyDevice&) = delete;
    TtyDevice& operator=(const TtyDevice&) = delete;

    // Waits up to the read time-out for the first byte, then takes bytes until `data` is full,
    // the read time-out has passed, or the line stayed quiet for the latency timer plus 10 ms.
    int read(std::span<std::uint8_t> data, std::size_t& got) override;
    // Hands bytes to the driver, waiting up to the write time-out while its buffer is full: a
    // blocking write ended by a CallAlarm, or non-blocking writes and poll when the system gives
    // no timer.
    int write(std::span<const std::uint8_t> data, std::size_t& taken) override;
    // FIONREAD (receive) and TIOCOUTQ (transmit).
    int queueBytes(int queue, std::size_t& bytes) override;
    int purge() override; // tcflush of both directions
    // Kept for the quiet gap of reads; also written to the driver's latency_timer attribute
    // when it has one.
    int setLatencyTimer(unsigned ms) override;
    int setTimeouts(int writeMs, int readMs) override;
    int setTransferSizes(int txBytes, int rxBytes) override; // acknowledged, no effect on a tty
    int setSynchronous(bool on, int option) override;        // acknowledged, no effect on a tty
    int setHardwareFlowControl() override;                   // CRTSCTS
    int setBaudRate(int baud) override; // any rate the driver accepts (within 3 %)
    // The EEPROM calls fail with CORVOUSB_ERR_NO_EEPROM (CORVOUSB_ERR_DEVICE_REMOVED once the
    // device hung up).
    int readEeprom(Eeprom& eeprom) override;
    int writeEeprom(const Eeprom& eeprom) override;
    int eraseEeprom() override;
    int port() const override { return port_; }
    std::string node() const override { return node_; }
    bool eepromAccess() const override { return false; }
    int state() const override;

  private:
    // The code for a failed system call's errno; a hang-up marks the device removed.
    int failure(int error);
    // Moves bytes with `step` (a read or write of the node from offset `moved`) until `size`
    // bytes moved or `timeoutMs` passed, waiting with poll for `events` in between; once bytes
    // moved, it also stops when nothing more could move within `quietMs`.
    template <class Step>
    int transfer(Step step, std::size_t size, std::size_t& moved, short events, int timeoutMs,
                 int quietMs);
    // Waits up to `ms` for `events`; `ready` tells whether they came. A failure code when the
    // device hung up or poll failed.
    int wait(short events, int ms, bool& ready);
    // Switches the node between blocking and non-blocking calls.
    void setBlocking(bool on);

    FileDescriptor fd_;
    std::string node_, latencyFile_;
    int port_;
    OpenNodes openNodes_;
    bool removed_ = false;
    unsigned latencyMs_ = 16;
    int writeTimeoutMs_ = 1000, readTimeoutMs_ = 1000;
};

// Sets the tty's speed to `baud` (any rate, through termios2); 0 or an errno value. EINVAL when
// the driver settles on a rate more than 3 % away.
int SetTtyBaudRate(int fd, int baud);

} // namespace corvousb
