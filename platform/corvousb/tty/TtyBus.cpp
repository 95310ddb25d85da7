// The bus of real boards on Linux: USB tty devices.
#include "platform/corvousb/tty/TtyBus.h"

#include "platform/corvousb/CorvoUsb.h"

namespace corvousb {

std::vector<DeviceInfo> TtyBus::enumerate() {
    ttys_ = FindUsbTtys(root_);
    std::vector<DeviceInfo> devices;
    for (const UsbTty& t : ttys_)
        devices.push_back({t.description, t.serial, t.node});
    return devices;
}

int TtyBus::open(std::size_t index, std::unique_ptr<FifoDevice>& device) {
    if (index >= ttys_.size()) return CORVOUSB_ERR_BAD_INDEX;
    if (openNodes_->contains(ttys_[index].node)) return CORVOUSB_ERR_DEVICE_BUSY;
    return TtyDevice::open(ttys_[index], kTtyPortBase + static_cast<int>(index), openNodes_,
                           device);
}

} // namespace corvousb
