// Kestrel with a board on a USB serial line: a pseudo-terminal listed in a fake sysfs tree, the
// simulated board's firmware answering on its far side.
#include "tests/support/KestrelSession.h"

#include "platform/uirt/model/uirt.h"
#include "tests/support/FakeSysfs.h"
#include "tests/support/PtyBoard.h"
#include "ui/KestrelUIR.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

// Fails when a board on a USB serial line is not listed by its product string before the
// simulated board, Kestrel does not connect to it at start-up and save its identity, or shows a
// box. (The line's settings and transfers over it: tests/corvousb; what Kestrel asks of the link:
// link_test.cpp.)
TEST_F(KestrelSession, BoardOnAUsbSerialLineIsListedAndConnected) {
    corvousb::testing::PtyBoard board;
    FakeSysfs sysfs;
    sysfs.addSerialPort("1-1", "ttyUSB0", board.node().substr(5), "Bench Serial Bridge",
                        "KB7Q2M4X");
    FakeSysfsBus variables(sysfs);
    bus::RebuildBus();
    Then([&] {
        EXPECT_THAT(hl::ListLabels(SetupHandle(), SETUPPANEL_LSTDEVICES),
                    ElementsAre("Bench Serial Bridge", "Simulated Corvo Board"));
        EXPECT_EQ(hl::Value(SetupHandle(), SETUPPANEL_LED), 1);
        EXPECT_TRUE(hl::Popups().empty());
    });
    Run();
    EXPECT_EQ(ConfigLines()[0] + "/" + ConfigLines()[1], "Bench Serial Bridge/KB7Q2M4X");
}
