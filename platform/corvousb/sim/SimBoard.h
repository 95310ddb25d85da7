// The simulated board: chip model (queues, link settings, EEPROM) and its firmware.
//
// Firmware: every write that is exactly one sub-address command (protocol/Command.h) is executed;
// anything else is looped back into the receive queue. Memory at each sub-address starts as the
// pattern byte i = (i + sub-address) & 0xFF; a write stores its block from offset 0 and a read
// returns the block from offset 0, so a block written is read back unchanged. The stream source
// answers a stream request with whole frames, payload byte i = (counter + i) & 0x7F, the counter
// going up by one per frame.
#pragma once

#include "platform/corvousb/CorvoUsb.h"
#include "platform/corvousb/Transport.h"
#include "platform/corvousb/sim/BoardSetup.h"

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <vector>

namespace corvousb {

// The largest memory block per sub-address and the largest receive queue, in bytes.
inline constexpr std::size_t kSimMemorySize = 16u << 20;

// Bytes waiting in one direction of the FIFO.
class ByteQueue {
  public:
    std::size_t size() const { return bytes_.size() - head_; }
    void push(std::span<const std::uint8_t> data) {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }
    std::size_t pop(std::span<std::uint8_t> out);
    void clear() {
        bytes_.clear();
        head_ = 0;
    }

  private:
    std::vector<std::uint8_t> bytes_;
    std::size_t head_ = 0;
};

enum class FrameFault { Drop, CorruptHeader, CorruptTrailer };

class SimBoard {
  public:
    SimBoard(const BoardSetup& setup, int port);

    int port() const { return port_; }
    bool present() const { return present_; }
    bool isOpen() const { return open_; }
    // Increases each time the board is plugged in again: handles of an older plug-in are dead.
    unsigned plugCount() const { return plugCount_; }
    DeviceInfo info() const { return {eeprom_.description, eeprom_.serial}; }
    BoardState state() const;

    void setOpen(bool open) { open_ = open; }
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
    void addFrameFault(FrameFault kind, unsigned long long first, unsigned count);
    void clearFrameFaults() { frameFaults_.clear(); }
    void sendUnasked(std::span<const std::uint8_t> bytes) { receive_.push(bytes); }

  private:
    void execute(std::span<const std::uint8_t> chunk);
    void answerRead(std::int8_t subAddress, std::size_t count);
    void answerStream(std::size_t budget);
    bool hasFault(FrameFault kind, unsigned long long frame) const;

    struct FaultRange {
        FrameFault kind;
        unsigned long long first;
        unsigned count;
    };

    int port_;
    bool present_ = true;
    bool open_ = false;
    unsigned plugCount_ = 0;
    Eeprom eeprom_;
    std::string eepromFile_;
    BoardState link_; // only the link fields are used
    ByteQueue receive_;
    std::map<std::int8_t, std::vector<std::uint8_t>> memory_;
    unsigned framePayload_;
    bool answers_;
    std::uint16_t nextCounter_;
    unsigned long long framesSent_ = 0;
    bool refuse_ = false;
    std::size_t readLimit_ = 0;
    std::vector<FaultRange> frameFaults_;
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
