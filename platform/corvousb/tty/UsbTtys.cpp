// Finding the tty devices of USB interfaces in sysfs.
#include "platform/corvousb/tty/UsbTtys.h"

#include "platform/corvousb/CorvoUsb.h"
#include "platform/corvousb/Files.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace corvousb {

namespace {

// The first line of a sysfs attribute without the white space around it, made printable (a
// board's strings may hold escape sequences); "" when it cannot be read. Kestrel reads a saved
// serial number back the same way, so a serial listed here reopens its board.
std::string ReadAttribute(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!line.empty() && blank(line.back()))
        line.pop_back();
    line.erase(0, static_cast<std::size_t>(std::find_if_not(line.begin(), line.end(), blank) -
                                           line.begin()));
    return Printable(line);
}

// The device node named by DEVNAME in the tty's uevent file, else /dev/<tty name>.
std::string DeviceNode(const fs::path& ttyDir) {
    std::ifstream in(ttyDir / "uevent");
    for (std::string line; std::getline(in, line);)
        if (line.starts_with("DEVNAME=")) return "/dev/" + line.substr(8);
    return "/dev/" + ttyDir.filename().string();
}

bool IsUsbInterface(const fs::path& dir) {
    std::error_code ec;
    return fs::exists(dir / "bInterfaceNumber", ec);
}

// Orders texts with their digit runs compared as numbers: "1-2" before "1-10".
bool NaturalLess(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
        const bool db = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
        if (da && db) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei])))
                ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej])))
                ++ej;
            const auto na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
            const auto ta = na.substr(std::min(na.find_first_not_of('0'), na.size()));
            const auto tb = nb.substr(std::min(nb.find_first_not_of('0'), nb.size()));
            if (ta.size() != tb.size()) return ta.size() < tb.size();
            if (ta != tb) return ta < tb;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j]) return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

struct Found {
    std::string busPath, name;
    UsbTty tty;
};

} // namespace

std::string SysfsRoot() {
    const char* root = std::getenv("CORVOUSB_SYSFS_ROOT");
    return root != nullptr && root[0] != '\0' ? root : "/sys";
}

std::vector<UsbTty> FindUsbTtys(const std::string& root) {
    std::vector<Found> found;
    std::error_code ec;
    // Entries may come and go while the folder is read: errors end the scan, never throw.
    for (fs::directory_iterator it(fs::path(root) / "class" / "tty", ec), end; !ec && it != end;
         it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        std::error_code linkError;
        const fs::path device = fs::canonical(entry.path() / "device", linkError);
        if (linkError) continue;
        // ttyACM: the device is the interface; ttyUSB: the device is a port of the interface.
        const fs::path interface = IsUsbInterface(device)                 ? device
                                   : IsUsbInterface(device.parent_path()) ? device.parent_path()
                                                                          : fs::path();
        if (interface.empty()) continue;
        const fs::path usbDevice = interface.parent_path();
        Found f{interface.filename().string(), entry.path().filename().string(), {}};
        f.tty.node = DeviceNode(entry.path());
        f.tty.description = ReadAttribute(usbDevice / "product");
        if (f.tty.description.empty()) f.tty.description = f.name;
        f.tty.description.resize(
            std::min<std::size_t>(f.tty.description.size(), CORVOUSB_DESC_MAX_CHARS));
        f.tty.serial = ReadAttribute(usbDevice / "serial");
        if (f.tty.serial.size() > CORVOUSB_SERIAL_MAX_CHARS)
            f.tty.serial.erase(0, f.tty.serial.size() - CORVOUSB_SERIAL_MAX_CHARS);
        if (fs::exists(device / "latency_timer", linkError))
            f.tty.latencyTimer = (device / "latency_timer").string();
        found.push_back(std::move(f));
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.busPath != b.busPath) return NaturalLess(a.busPath, b.busPath);
        return NaturalLess(a.name, b.name);
    });
    std::vector<UsbTty> ttys;
    for (auto& f : found)
        ttys.push_back(std::move(f.tty));
    return ttys;
}

} // namespace corvousb
