// Where the library learns that boards came or went: the kernel's device events through libudev's
// monitor, or the test seam's events.
#pragma once

#include <memory>

namespace corvousb {

class DeviceEvents {
  public:
    virtual ~DeviceEvents() = default;
    // The descriptor that becomes readable while events wait (owned by this object).
    virtual int fd() const = 0;
    // Takes every waiting event, never waiting: 1 when a device came or went, 0 when nothing
    // was waiting, -1 when the source broke (it then gives no more events).
    virtual int take() = 0;
};

// The kernel's tty device events through libudev's monitor, as the udev daemon announces them
// (once the node is ready); null when the monitor cannot be opened.
std::unique_ptr<DeviceEvents> UdevEvents();
// The test seam's events (corvousb::testing::SendDeviceEvent); null when no pipe can be made.
std::unique_ptr<DeviceEvents> SeamEvents();

} // namespace corvousb
