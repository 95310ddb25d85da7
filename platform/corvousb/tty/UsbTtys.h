// Finding the tty devices of USB interfaces (USB serial and CDC ports) in sysfs.
#pragma once

#include <string>
#include <vector>

namespace corvousb {

// One tty whose device is a USB interface.
struct UsbTty {
    std::string node;         // the device node, e.g. /dev/ttyUSB0
    std::string description;  // the USB device's product string (the tty's name when it has none)
    std::string serial;       // its serial string, at most 8 characters (the last 8 of a longer
                              // one, so that it can be typed back to open the device); "" = none
    std::string latencyTimer; // the driver's latency_timer attribute file; "" when it has none
};

// The sysfs tree to read: $CORVOUSB_SYSFS_ROOT when set (tests describe pseudo-terminals there),
// else /sys.
std::string SysfsRoot();
// Every tty under <root>/class/tty whose device is a USB interface (ttyACM) or a port of one
// (ttyUSB), ordered by bus path (e.g. 1-1.2:1.0 before 1-1.10:1.0), then by tty name. The node is
// /dev/ followed by DEVNAME of the tty's uevent file. Never fails: unreadable entries are left out.
std::vector<UsbTty> FindUsbTtys(const std::string& root);

} // namespace corvousb
