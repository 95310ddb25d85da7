// The bus of simulated boards.
#include "platform/corvousb/sim/SimBus.h"

#include "platform/corvousb/CorvoUsb.h"

namespace corvousb {

std::vector<DeviceInfo> SimBus::enumerate() {
    std::vector<DeviceInfo> devices;
    for (const auto& b : boards_)
        if (b->present()) devices.push_back(b->info());
    return devices;
}

int SimBus::open(std::size_t index, std::unique_ptr<FifoDevice>& device) {
    for (const auto& b : boards_) {
        if (!b->present()) continue;
        if (index-- > 0) continue;
        if (b->isOpen()) return CORVOUSB_ERR_DEVICE_BUSY;
        device = std::make_unique<SimDevice>(b);
        return CORVOUSB_OK;
    }
    return CORVOUSB_ERR_BAD_INDEX;
}

int SimBus::addBoard(const BoardSetup& setup) {
    const int number = boardCount();
    boards_.push_back(std::make_shared<SimBoard>(setup, number + 1, clock_));
    return number;
}

SimBoard* SimBus::board(int number) {
    if (number < 0 || number >= boardCount()) return nullptr;
    return boards_[static_cast<std::size_t>(number)].get();
}

} // namespace corvousb
