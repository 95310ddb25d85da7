// Hot-plugging in the library: the device-event descriptor, and what an open board tells about
// itself (its node, its EEPROM access).
#include "CorvoUsbFixture.h"

#include "platform/corvousb/DeviceEvents.h"

#include "tests/support/FakeSysfs.h"
#include "tests/support/PtyBoard.h"

#include <poll.h>

namespace {

bool Readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 0) == 1;
}

} // namespace

// Fails when the event descriptor does not become readable as boards come and go, events are not
// taken all at once, a broken source is not reported with a code and closed, a refused source
// opens, or the event calls are logged.
TEST_F(CorvoUsbTest, DeviceEventsFollowTheBusAndReportABrokenSource) {
    const int fd = USB_OpenDeviceEvents();
    ASSERT_GE(fd, 0);
    // Braced lists keep the calls in order.
    std::vector<int> seen{USB_OpenDeviceEvents() == fd, USB_TakeDeviceEvents()};
    cu::UnplugBoard(0);
    seen.insert(seen.end(), {Readable(fd), USB_TakeDeviceEvents(), Readable(fd)});
    cu::PlugBoard(0);
    cu::SendDeviceEvent();
    seen.insert(seen.end(), {USB_TakeDeviceEvents(), USB_TakeDeviceEvents()});
    cu::BreakDeviceEvents();
    seen.insert(seen.end(), {Readable(fd), USB_TakeDeviceEvents(),
                             USB_GetLastError() == CORVOUSB_ERR_IO, USB_TakeDeviceEvents()});
    cu::RefuseDeviceEvents();
    seen.insert(seen.end(), {USB_OpenDeviceEvents(), cu::CallLog().empty()});
    EXPECT_EQ(seen, (std::vector{1, 0, 1, 1, 0, 1, 0, 1, -1, 1, -1, -1, 1}));

    // Fails when a board's node is not cut to the caller's buffer, or a tty board claims EEPROM
    // access, or a closed handle is not refused with a code.
    corvousb::testing::PtyBoard board;
    FakeSysfs sysfs;
    sysfs.addSerialPort("1-1", "ttyUSB0", board.node().substr(5), "FIFO Bridge", "TB000001");
    FakeSysfsBus variables(sysfs);
    cu::RebuildBus();
    const int tty = OpenUsbDevice("TB000001");
    char node[8];
    EXPECT_EQ((std::tuple{USB_GetDeviceNode(tty, node, sizeof node), std::string(node),
                          USB_HasEepromAccess(tty)}),
              std::tuple(1, board.node().substr(0, 7), 0));
    CloseUsbDevice(tty);
    EXPECT_EQ(USB_HasEepromAccess(tty) + USB_GetDeviceNode(tty, node, sizeof node), -1);
    EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_INVALID_HANDLE);
}

// Fails when libudev's monitor, once opened, has no descriptor or reports itself broken before
// anything happened.
TEST(UdevEvents, FreshMonitorIsWatchable) {
    const auto monitor = corvousb::UdevEvents();
    if (!monitor) GTEST_SKIP() << "the kernel's device events are not readable here";
    EXPECT_GE(monitor->fd(), 0);
    EXPECT_GE(monitor->take(), 0);
}
