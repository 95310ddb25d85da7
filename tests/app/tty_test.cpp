// Kestrel with a board on a USB serial line: a pseudo-terminal listed in a fake sysfs tree, the
// simulated board's firmware answering on its far side.
#include "tests/support/KestrelSession.h"

#include "platform/uirt/model/uirt.h"
#include "tests/support/FakeSysfs.h"
#include "tests/support/PtyBoard.h"
#include "ui/KestrelUIR.h"

#include <gmock/gmock.h>
#include <termios.h>

using ::testing::ElementsAre;

// Fails when a board on a USB serial line is not listed by its product string before the
// simulated board, Kestrel does not connect to it at start-up or shows a box, the panel's link
// settings do not reach the line, or the raw and the sub-address "<Wr/Rd burst>" do not read back
// what they wrote.
TEST_F(KestrelSession, BoardOnAUsbSerialLineIsListedConnectedAndTested) {
    corvousb::testing::PtyBoard board;
    FakeSysfs sysfs;
    const auto latency = sysfs.addSerialPort("1-1", "ttyUSB0", board.node().substr(5),
                                             "Bench Serial Bridge", "KB7Q2M4X");
    FakeSysfsBus variables(sysfs);
    bus::RebuildBus();
    Then([&] {
        EXPECT_THAT(hl::ListLabels(SetupHandle(), SETUPPANEL_LSTDEVICES),
                    ElementsAre("Bench Serial Bridge", "Simulated Corvo Board"));
        EXPECT_EQ(hl::Value(SetupHandle(), SETUPPANEL_LED), 1);
        EXPECT_TRUE(hl::Popups().empty());
        EXPECT_EQ(ReadFile(latency), "2\n");
        EXPECT_NE(board.lineSettings().c_cflag & CRTSCTS, 0u) << "flow control set at start-up";
        hl::Toggle(SetupHandle(), SETUPPANEL_BINARYSWITCH, 0);
        termios line = board.lineSettings();
        EXPECT_EQ(cfgetospeed(&line), B921600);

        // The raw "<Wr/Rd burst>" and the sub-address one read back what they wrote.
        hl::MarkOption(SetupHandle(), SETUPPANEL_IOMODE, 3);
        hl::EnterValue(SetupHandle(), SETUPPANEL_WORDCOUNT, 300);
        hl::Toggle(SetupHandle(), SETUPPANEL_PRINTCHK, 1);
        hl::Toggle(SetupHandle(), SETUPPANEL_SHORTPRINT, 0);
        for (int framing : {0, 1}) {
            hl::Toggle(SetupHandle(), SETUPPANEL_BINARYSWITCH, framing);
            const std::size_t start = InfoText().size();
            hl::Press(SetupHandle(), SETUPPANEL_APPLYBTN);
            const std::string run = InfoText().substr(start);
            const auto wrote = run.find("\nWrote..."), read = run.find("Read...");
            ASSERT_NE(read, std::string::npos) << run;
            const std::string written = run.substr(wrote + 9, read - wrote - 9);
            EXPECT_EQ(run.substr(read + 7, written.size()), written) << "framing " << framing;
            EXPECT_NE(written.find("\n00000090> 90 91 92"), std::string::npos) << written;
        }
        EXPECT_TRUE(hl::Popups().empty());
    });
    Run();
    EXPECT_EQ(ConfigLines()[0] + "/" + ConfigLines()[1], "Bench Serial Bridge/KB7Q2M4X");
}
