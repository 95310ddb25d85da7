// A fake sysfs tree describing USB ttys, for tests of the tty transport (CORVOUSB_SYSFS_ROOT).
#pragma once

#include "tests/support/ScratchDir.h"

#include <filesystem>
#include <fstream>
#include <string>

// A sysfs tree in a temporary folder, laid out as the kernel lays out USB ttys.
class FakeSysfs {
  public:
    FakeSysfs() { std::filesystem::create_directories(root / "class" / "tty"); }

    // A port of a USB serial driver (ttyUSB): the tty's device is a port of the interface; the
    // driver offers a latency_timer attribute. Empty product or serial: the device has none.
    std::filesystem::path addSerialPort(const std::string& usbPath, const std::string& tty,
                                        const std::string& node, const std::string& product,
                                        const std::string& serial) {
        const std::filesystem::path port = Interface(usbPath, product, serial) / tty;
        Write(port / "latency_timer", "16\n");
        Link(tty, port / "tty" / tty, port, node);
        return port / "latency_timer";
    }
    // A CDC port (ttyACM): the tty's device is the interface itself.
    void addAcmPort(const std::string& usbPath, const std::string& tty, const std::string& node,
                    const std::string& product, const std::string& serial) {
        const std::filesystem::path interface = Interface(usbPath, product, serial);
        Link(tty, interface / "tty" / tty, interface, node);
    }
    // The tty is gone, as when its device is unplugged.
    void remove(const std::string& tty) { std::filesystem::remove(root / "class" / "tty" / tty); }
    // A tty that is no USB device (a built-in serial port), and a virtual one (no device).
    void addOtherTtys() {
        const std::filesystem::path platform = root / "devices" / "platform" / "serial8250";
        Link("ttyS0", platform / "tty" / "ttyS0", platform, "ttyS0");
        std::filesystem::create_directories(root / "devices" / "virtual" / "tty" / "tty0");
        std::filesystem::create_directory_symlink(root / "devices" / "virtual" / "tty" / "tty0",
                                                  root / "class" / "tty" / "tty0");
    }

    TempDir dir{"sysfs"}; // apart from the scratch folder a test may run in
    const std::filesystem::path root = dir.path;

  private:
    static void Write(const std::filesystem::path& file, const std::string& text) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }
    std::filesystem::path Interface(const std::string& usbPath, const std::string& product,
                                    const std::string& serial) {
        const std::filesystem::path device = root / "devices" / "pci0000:00" / "usb1" / usbPath;
        if (!product.empty()) Write(device / "product", product + "\n");
        if (!serial.empty()) Write(device / "serial", serial + "\n");
        const std::filesystem::path interface = device / (usbPath + ":1.0");
        Write(interface / "bInterfaceNumber", "00\n");
        return interface;
    }
    void Link(const std::string& tty, const std::filesystem::path& classDir,
              const std::filesystem::path& device, const std::string& node) {
        Write(classDir / "uevent", "MAJOR=136\nMINOR=3\nDEVNAME=" + node + "\n");
        std::filesystem::create_directory_symlink(device, classDir / "device");
        std::filesystem::create_directory_symlink(classDir, root / "class" / "tty" / tty);
    }
};

// The variables that make the default bus read `sysfs`: no bus file, the simulated board shown,
// its EEPROM in the tree's folder. Undone at the end of the scope.
struct FakeSysfsBus {
    explicit FakeSysfsBus(const FakeSysfs& sysfs)
        : root("CORVOUSB_SYSFS_ROOT", sysfs.root.string()),
          state("XDG_STATE_HOME", (sysfs.root / "state").string()), file("CORVOUSB_BUS", ""),
          shown("CORVOUSB_NO_SIM", "") {}
    EnvVar root, state, file, shown;
};
