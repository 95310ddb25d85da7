// A board on a USB serial line in daily use: a quiet connection, and a loop that goes on across an
// unplug and replug of the board.
#include "tests/support/KestrelSession.h"

#include "tests/support/FakeSysfs.h"
#include "tests/support/PtyBoard.h"

#include <gmock/gmock.h>
#include <memory>
#include <termios.h>

using corvousb::testing::PtyBoard;

// Fails when a board on a USB serial line is not listed by its product string before the
// simulated board, or its identity is not saved; or when connecting to it shows a box instead of
// one line naming its node, the connection is not named with its node, its EEPROM controls are
// offered, or when unplugging it under a running loop shows a box, does not stop the loop, or its
// return on another node does not reopen it with the line set up again and resume the loop by
// itself.
TEST_F(KestrelSession, UsbSerialBoardConnectsQuietlyAndItsLoopSurvivesAReplug) {
    auto board = std::make_unique<PtyBoard>();
    FakeSysfs sysfs;
    sysfs.addSerialPort("1-1", "ttyUSB0", board->node().substr(5), "Bench Serial Bridge",
                        "KB7Q2M4X");
    FakeSysfsBus variables(sysfs);
    bus::RebuildBus();
    const auto ticks = [] { return hl::TimerTick(SetupHandle(), SETUPPANEL_TIMER); };
    Then([&] {
        const int s = SetupHandle(), menu = MenuBar();
        EXPECT_THAT(hl::ListLabels(s, SETUPPANEL_LSTDEVICES),
                    ::testing::ElementsAre("Bench Serial Bridge", "Simulated Corvo Board"));
        for (const std::string& line :
             {board->node() + ": EEPROM access is not available for this device; the "
                              "identity comes from its USB strings\n",
              "Connected to " + board->node() + ": Bench Serial Bridge, serial KB7Q2M4X\n"})
            EXPECT_NE(InfoText().find(line), std::string::npos) << line;
        EXPECT_EQ(std::vector({hl::IsDimmed(s, SETUPPANEL_APPLYBTN),
                               hl::IsDimmed(s, SETUPPANEL_PROGRAMBTN),
                               hl::IsDimmed(s, SETUPPANEL_RDEEPROMBTN),
                               hl::IsMenuItemDimmed(menu, MENUBAR_TESTMENU_ERASE),
                               hl::IsMenuItemDimmed(menu, MENUBAR_TESTMENU_PROGRAM)}),
                  std::vector({false, true, true, true, true}));
        // A raw write and read-back under the loop.
        hl::MarkOption(s, SETUPPANEL_IOMODE, 3);
        hl::Toggle(s, SETUPPANEL_BINARYSWITCH, 0);
        hl::Toggle(s, SETUPPANEL_LOOPCHECKBOX, 1);
        EXPECT_EQ(ticks(), 0);
        board->unplug();
        EXPECT_EQ(ticks(), 0); // meets the hang-up
        EXPECT_NE(ticks(), 0) << "loop stopped";
        sysfs.remove("ttyUSB0");
        bus::SendDeviceEvent();
        board = std::make_unique<PtyBoard>();
    });
    Then([&] {
        EXPECT_EQ(hl::Value(SetupHandle(), SETUPPANEL_LED), 0);
        sysfs.addSerialPort("1-2", "ttyUSB1", board->node().substr(5), "Bench Serial Bridge",
                            "KB7Q2M4X");
        bus::SendDeviceEvent();
    });
    Then([&] {
        EXPECT_EQ(hl::Value(SetupHandle(), SETUPPANEL_LED), 1);
        const termios line = board->lineSettings();
        EXPECT_EQ(std::tuple(line.c_cflag & CRTSCTS, cfgetospeed(&line)),
                  std::tuple(tcflag_t{CRTSCTS}, speed_t{B921600}));
        const std::size_t before = InfoText().size();
        EXPECT_EQ(ticks(), 0) << "loop resumed";
        EXPECT_NE(InfoText().find("Bytes/s - ", before), std::string::npos);
    });
    Run();
    EXPECT_EQ(std::tuple(hl::Popups().size(), ConfigLines()[0] + "/" + ConfigLines()[1]),
              std::tuple(0u, "Bench Serial Bridge/KB7Q2M4X"));
}
