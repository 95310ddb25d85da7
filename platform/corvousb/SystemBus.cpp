// The default bus: the USB tty devices, then the simulated board.
#include "platform/corvousb/SystemBus.h"

#include "platform/corvousb/CorvoUsb.h"
#include "platform/corvousb/tty/TtyBus.h"

#include <cstdlib>
#include <string_view>

namespace corvousb {

std::vector<DeviceInfo> BusChain::enumerate() {
    std::vector<DeviceInfo> all;
    counts_.clear();
    for (const auto& bus : buses_) {
        auto devices = bus->enumerate();
        counts_.push_back(devices.size());
        all.insert(all.end(), devices.begin(), devices.end());
    }
    return all;
}

int BusChain::open(std::size_t index, std::unique_ptr<FifoDevice>& device) {
    for (std::size_t b = 0; b < counts_.size(); ++b) {
        if (index < counts_[b]) return buses_[b]->open(index, device);
        index -= counts_[b];
    }
    return CORVOUSB_ERR_BAD_INDEX;
}

bool SimulatedBoardHidden() {
    const char* value = std::getenv("CORVOUSB_NO_SIM");
    return value != nullptr && std::string_view(value) != "" && std::string_view(value) != "0";
}

std::unique_ptr<FifoBus> SystemBus(std::unique_ptr<FifoBus> simulated) {
    std::vector<std::unique_ptr<FifoBus>> buses;
    buses.push_back(std::make_unique<TtyBus>(SysfsRoot()));
    buses.push_back(std::move(simulated));
    return std::make_unique<BusChain>(std::move(buses));
}

} // namespace corvousb
