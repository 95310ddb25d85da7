// The bus of real boards on Linux: the tty devices of USB interfaces, found in sysfs.
#pragma once

#include "platform/corvousb/Transport.h"
#include "platform/corvousb/tty/TtyDevice.h"
#include "platform/corvousb/tty/UsbTtys.h"

#include <string>
#include <vector>

namespace corvousb {

// Ports of tty devices start here, apart from the simulated boards' ports (1, 2, ...).
inline constexpr int kTtyPortBase = 1 << 20;

class TtyBus : public FifoBus {
  public:
    explicit TtyBus(std::string sysfsRoot) : root_(std::move(sysfsRoot)) {}
    // Rescans sysfs (FindUsbTtys): description = product string, serial = serial string.
    std::vector<DeviceInfo> enumerate() override;
    // Opens the node of device `index` of the latest scan (TtyDevice::open has the errors).
    int open(std::size_t index, std::unique_ptr<FifoDevice>& device) override;

  private:
    std::string root_;
    std::vector<UsbTty> ttys_;
    OpenNodes openNodes_ = std::make_shared<std::set<std::string>>();
};

} // namespace corvousb
