// The kernel's device events through libudev's monitor.
#include "platform/corvousb/DeviceEvents.h"

#include <cerrno>
#include <libudev.h>

namespace corvousb {

namespace {

class Monitor final : public DeviceEvents {
  public:
    Monitor(udev* context, udev_monitor* monitor) : context_(context), monitor_(monitor) {}
    ~Monitor() override {
        udev_monitor_unref(monitor_);
        udev_unref(context_);
    }
    Monitor(const Monitor&) = delete;
    Monitor& operator=(const Monitor&) = delete;

    int fd() const override { return udev_monitor_get_fd(monitor_); }

    int take() override {
        int changed = 0;
        for (;;) {
            errno = 0;
            udev_device* device = udev_monitor_receive_device(monitor_);
            if (device == nullptr) break;
            udev_device_unref(device);
            changed = 1;
        }
        // Events lost to a full socket buffer still mean the bus may have changed.
        if (errno == ENOBUFS) return 1;
        if (errno == 0 || errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return changed;
        return -1;
    }

  private:
    udev* context_;
    udev_monitor* monitor_;
};

} // namespace

std::unique_ptr<DeviceEvents> UdevEvents() {
    udev* context = udev_new();
    if (context == nullptr) return nullptr;
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
    if (monitor == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "tty", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        if (monitor != nullptr) udev_monitor_unref(monitor);
        udev_unref(context);
        return nullptr;
    }
    return std::make_unique<Monitor>(context, monitor);
}

} // namespace corvousb
