// The simulated board: chip model (queues, link settings, EEPROM) and its firmware.
//
// Time (when the board's timing is on): every read and write waits on the board's clock as the
// link would (sim/LinkModel.h): transfers cost their bytes and requests, a read whose last packet
// is partial waits for the latency timer, a read that finds nothing returns after the read
// time-out, a refused write after the write time-out, and a transfer that would outlast its
// time-out moves only what fits in it.
//
// Firmware: every write that is exactly one sub-address command (protocol/Command.h) is executed;
// anything else is looped back into the receive queue. Memory at each sub-address starts as the
// pattern byte i = (i + sub-address) & 0xFF; a write stores its block from offset 0 and a read
// returns the block from offset 0, so a block written is read back unchanged. The stream source
// answers a stream request with whole frames, payload byte i = (counter + i) & 0x7F, the counter
// going up by one per frame. Optional: plain data is not looped back (rawEcho off); a read finds
// a pseudo-random stream behind whatever is queued (rawPrbs, sim/PrbsSource.h); the data returned
// loses bytes and bits (sim/DataFaults.h).
#pragma once

#include "platform/corvousb/CorvoUsb.h"
#include "platform/corvousb/Transport.h"
#include "platform/corvousb/sim/BoardSetup.h"
#include "platform/corvousb/sim/ByteQueue.h"
#include "platform/corvousb/sim/Clock.h"
#include "platform/corvousb/sim/DataFaults.h"
#include "platform/corvousb/sim/LinkModel.h"
#include "platform/corvousb/sim/PrbsSource.h"
#include "platform/corvousb/sim/StreamSource.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace corvousb {

// The largest memory block per sub-address and the largest receive queue, in bytes.
inline constexpr std::size_t kSimMemorySize = 16u << 20;

class SimBoard {
  public:
    SimBoard(const BoardSetup& setup, int port, std::shared_ptr<Clock> clock);

    int port() const { return port_; }
    bool present() const { return present_; }
    bool isOpen() const { return open_; }
    // Increases each time the board is plugged in again: handles of an older plug-in are dead.
    unsigned plugCount() const { return plugCount_; }
    DeviceInfo info() const { return {eeprom_.description, eeprom_.serial, "simulated"}; }
    BoardState state() const;

    void setOpen(bool open);
    void unplug();
    void plug();

    // Chip operations (see FifoDevice).
    int read(std::span<std::uint8_t> data, std::size_t& got);
    int write(std::span<const std::uint8_t> data, std::size_t& taken);
    std::size_t receiveBytes() const { return receive_.size(); }
    void purge();
    BoardState& link() { return link_; }
    const Eeprom& eeprom() const { return eeprom_; }
    // False when the EEPROM file cannot be saved; the EEPROM is then left as it was.
    bool writeEeprom(const Eeprom& eeprom);
    bool eraseEeprom();

    // Faults.
    void refuseEveryByte(bool on) { refuse_ = on; }
    void limitReads(std::size_t maxBytes) { readLimit_ = maxBytes; }
    void addFrameFault(FrameFault kind, unsigned long long first, unsigned count) {
        stream_.addFault(kind, first, count);
    }
    void clearFrameFaults() { stream_.clearFaults(); }
    void sendUnasked(std::span<const std::uint8_t> bytes) { receive_.push(bytes); }

  private:
    void accept(std::span<const std::uint8_t> data, std::size_t n, Nanos at, std::size_t& taken);
    void execute(std::span<const std::uint8_t> chunk, Nanos at);
    void answerRead(std::int8_t subAddress, std::size_t count);
    void answerStream(std::size_t budget, Nanos at);
    LinkDirection direction(int transferSize) const;
    // Tops the receive queue up to `wanted` bytes from the pseudo-random stream, when there is one.
    void topUpStream(std::size_t wanted, Nanos at);
    // The time a read of n bytes ends, when it starts at `start`; `n` is cut to what the link
    // moves before the read time-out.
    Nanos readEnd(Nanos start, std::size_t& n) const;

    int port_;
    bool present_ = true;
    bool open_ = false;
    unsigned plugCount_ = 0;
    Eeprom eeprom_;
    std::string eepromFile_;
    BoardState link_; // only the link fields are used
    ByteQueue receive_;
    Nanos receiveReady_{0}; // when the last byte queued is in the chip
    std::map<std::int8_t, std::vector<std::uint8_t>> memory_;
    bool answers_;
    bool rawEcho_;
    std::optional<PrbsSource> rawPrbs_;
    DataFaults dataFaults_;
    std::shared_ptr<Clock> clock_;
    StreamSource stream_;
    bool refuse_ = false;
    std::size_t readLimit_ = 0;
};

// The chip as the library holds it while open.
class SimDevice : public FifoDevice {
  public:
    explicit SimDevice(std::shared_ptr<SimBoard> board);
    ~SimDevice() override;
    SimDevice(const SimDevice&) = delete;
    SimDevice& operator=(const SimDevice&) = delete;

    int read(std::span<std::uint8_t> data, std::size_t& got) override;
    int write(std::span<const std::uint8_t> data, std::size_t& taken) override;
    int queueBytes(int queue, std::size_t& bytes) override;
    int purge() override;
    int setLatencyTimer(unsigned ms) override;
    int setTimeouts(int writeMs, int readMs) override;
    int setTransferSizes(int txBytes, int rxBytes) override;
    int setSynchronous(bool on, int option) override;
    int setHardwareFlowControl() override;
    int setBaudRate(int baud) override;
    int readEeprom(Eeprom& eeprom) override;
    int writeEeprom(const Eeprom& eeprom) override;
    int eraseEeprom() override;
    int port() const override { return board_->port(); }
    std::string node() const override { return "simulated bus, port " + std::to_string(port()); }
    int state() const override { return alive() ? CORVOUSB_OK : CORVOUSB_ERR_DEVICE_REMOVED; }

  private:
    bool alive() const;
    // Runs `change` on the board when it is still on the bus; the operation's result.
    template <class Change> int onBoard(Change&& change) {
        if (!alive()) return CORVOUSB_ERR_DEVICE_REMOVED;
        change(*board_);
        return 0;
    }

    std::shared_ptr<SimBoard> board_;
    unsigned plugCount_;
};

} // namespace corvousb
