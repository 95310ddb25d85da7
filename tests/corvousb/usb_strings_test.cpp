// A board's USB strings as the library lists them: printable, without white space around them.
#include "CorvoUsbFixture.h"
#include "tests/support/FakeSysfs.h"

using ::testing::ElementsAre;

// Fails when a board's product or serial string reaches the program with control characters,
// or white space around a serial string is kept (Kestrel reads a saved serial line trimmed).
TEST_F(CorvoUsbTest, UsbStringsAreListedPrintableAndTrimmed) {
    FakeSysfs sysfs;
    FakeSysfsBus variables{sysfs};
    sysfs.addSerialPort("1-1", "ttyUSB0", "ttyUSB0", "Probe\x1b[2J\tA", " AB 12 ");
    cu::RebuildBus();
    EXPECT_THAT(Listing(),
                ElementsAre("Probe\\x1B[2J\\x09A/AB 12", "Simulated Corvo Board/SIM00001"));
}
