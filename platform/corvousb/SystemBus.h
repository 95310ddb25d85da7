// The bus a program gets by default: the real boards first, then the simulated board.
#pragma once

#include "platform/corvousb/Transport.h"

#include <memory>
#include <vector>

namespace corvousb {

// Several buses seen as one: the devices of the first, then those of the next, and so on.
class BusChain : public FifoBus {
  public:
    explicit BusChain(std::vector<std::unique_ptr<FifoBus>> buses) : buses_(std::move(buses)) {}
    std::vector<DeviceInfo> enumerate() override;
    // Index into the latest enumeration, handed to the bus that listed that device.
    int open(std::size_t index, std::unique_ptr<FifoDevice>& device) override;

  private:
    std::vector<std::unique_ptr<FifoBus>> buses_;
    std::vector<std::size_t> counts_; // devices per bus at the latest enumeration
};

// True when CORVOUSB_NO_SIM is set to anything but "" or "0": the default bus then holds the real
// boards only.
bool SimulatedBoardHidden();
// The USB tty devices found in sysfs (SysfsRoot()), followed by the devices of `simulated`.
std::unique_ptr<FifoBus> SystemBus(std::unique_ptr<FifoBus> simulated);

} // namespace corvousb
