// The transport: a bus of USB-to-FIFO chips, as the library above it sees them.
//
// Every operation returns 0 or a CORVOUSB_ERR_* code. Reads and writes block as the link does:
// a read waits for the bytes asked (or the end of the answer) up to the read time-out and returns
// what arrived, 0 bytes when nothing came; a write returns when the chip has taken the bytes, or
// at the write time-out with what it took by then. The other operations do not wait. A device
// that left the bus answers every operation with CORVOUSB_ERR_DEVICE_REMOVED. Two implementations:
// the simulated board (sim/) and the kernel's USB serial devices (tty/).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace corvousb {

// The chip's configuration EEPROM.
struct Eeprom {
    std::string description;   // up to 64 characters
    std::string serial;        // up to 8 characters; "" when erased
    unsigned maxPower = 100;   // mA
    unsigned powerSource = 0;  // 0 bus-powered, 1 self-powered
    unsigned driveCurrent = 8; // mA
};

// What enumeration shows of one device.
struct DeviceInfo {
    std::string description;
    std::string serial;
    std::string location; // where the device is: its node, or "simulated"
};

// One opened chip. Closing is destroying it.
class FifoDevice {
  public:
    virtual ~FifoDevice() = default;
    // Copies up to data.size() waiting bytes into data; `got` receives the count (0 = none).
    virtual int read(std::span<std::uint8_t> data, std::size_t& got) = 0;
    // Hands data to the chip; `taken` receives how many bytes it accepted.
    virtual int write(std::span<const std::uint8_t> data, std::size_t& taken) = 0;
    // Bytes waiting: queue 0 = receive (chip to host), 1 = transmit (host to chip).
    virtual int queueBytes(int queue, std::size_t& bytes) = 0;
    virtual int purge() = 0;
    virtual int setLatencyTimer(unsigned ms) = 0;
    virtual int setTimeouts(int writeMs, int readMs) = 0;
    virtual int setTransferSizes(int txBytes, int rxBytes) = 0;
    virtual int setSynchronous(bool on, int option) = 0;
    virtual int setHardwareFlowControl() = 0;
    virtual int setBaudRate(int baud) = 0;
    virtual int readEeprom(Eeprom& eeprom) = 0;
    // CORVOUSB_ERR_EEPROM_WRITE / _ERASE when the EEPROM cannot be kept; it is then unchanged.
    virtual int writeEeprom(const Eeprom& eeprom) = 0;
    virtual int eraseEeprom() = 0;
    // The bus port the chip sits on (stable while it stays plugged in).
    virtual int port() const = 0;
    // Where the chip is reached, for the user: its device node, or its port on the simulated bus.
    virtual std::string node() const = 0;
    // Whether the EEPROM operations reach an EEPROM (else they fail with CORVOUSB_ERR_NO_EEPROM).
    virtual bool eepromAccess() const { return true; }
    // CORVOUSB_ERR_DEVICE_REMOVED once the chip is known to have left the bus, else
    // CORVOUSB_OK. For calls that do not reach the chip themselves (staging EEPROM values).
    virtual int state() const = 0;
};

class FifoBus {
  public:
    virtual ~FifoBus() = default;
    // The devices on the bus now, in device-index order.
    virtual std::vector<DeviceInfo> enumerate() = 0;
    // Opens device `index` of the latest enumeration order. Errors: CORVOUSB_ERR_BAD_INDEX,
    // CORVOUSB_ERR_DEVICE_BUSY (already open).
    virtual int open(std::size_t index, std::unique_ptr<FifoDevice>& device) = 0;
};

} // namespace corvousb
