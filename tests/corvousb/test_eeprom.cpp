// Tests of the EEPROM (write, erase, read, persistence), the default bus and the bus file.
#include "CorvoUsbFixture.h"
#include "TestScopes.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Fails when a written EEPROM does not change how the board presents itself, or a read does not
// report it.
TEST_F(CorvoUsbTest, EepromWriteChangesTheIdentityAndReadShowsIt) {
    const int h = OpenFirst();
    EXPECT_EQ(USB_SetDescStr(h, "Bench board"), 1);
    EXPECT_EQ(USB_SetSerialNumber(h, "BENCH042"), 1);
    EXPECT_EQ(USB_SetPowerSource(h, 1), 1);
    EXPECT_EQ(USB_SetMaxPower(h, 250), 1);
    EXPECT_EQ(USB_SetDriveCurrent(h, 16), 1);
    EXPECT_EQ(cu::Board(0).description, "Simulated Corvo Board") << "staged, not written";
    ASSERT_EQ(USB_WriteEEpromData(h), 1);
    const cu::BoardState s = cu::Board(0);
    EXPECT_EQ(s.description, "Bench board");
    EXPECT_EQ(s.serial, "BENCH042");
    EXPECT_EQ(s.powerSource, 1u);
    EXPECT_EQ(s.maxPower, 250u);
    EXPECT_EQ(s.driveCurrent, 16u);
    char desc[64];
    GetDeviceDesc(desc, 0);
    EXPECT_STREQ(desc, "Bench board");

    ASSERT_EQ(USB_ReadEEpromData(h, 1), 1);
    EXPECT_STREQ(USB_GetEpromDeviceDesc(), "Bench board");
    EXPECT_STREQ(USB_GetEpromSerialNum(), "BENCH042");
    EXPECT_EQ(Captured::printed, "EEPROM description: Bench board\n"
                                 "EEPROM serial number: BENCH042\n"
                                 "EEPROM max power: 250 mA\n"
                                 "EEPROM power source: self-powered\n"
                                 "EEPROM drive current: 16 mA\n");
    Captured::printed.clear();
    EXPECT_EQ(USB_ReadEEpromData(h, 0), 1);
    EXPECT_TRUE(Captured::printed.empty());

    CloseUsbDevice(h);
    EXPECT_LT(OpenUsbDevice("SIM00001"), 0);
    EXPECT_GT(OpenUsbDevice("BENCH042"), 0);
}

// Fails when bad EEPROM values are accepted or reported with the wrong code.
TEST_F(CorvoUsbTest, EepromSettersRefuseBadValuesWithTheirCodes) {
    const int h = OpenFirst();
    EXPECT_EQ(USB_SetDescStr(h, nullptr), 0);
    EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_NULL_DESCRIPTION);
    EXPECT_EQ(USB_SetSerialNumber(h, nullptr), 0);
    EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_NULL_SERIAL);
    EXPECT_EQ(USB_SetDescStr(h, std::string(65, 'x').c_str()), 0);
    EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_DESCRIPTION_TOO_LONG);
    EXPECT_EQ(USB_SetDescStr(h, std::string(64, 'x').c_str()), 1);
    EXPECT_EQ(USB_SetSerialNumber(h, "123456789"), 0);
    EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_SERIAL_TOO_LONG);
    for (const char* bad : {"a\nb", "AB CD"}) {
        EXPECT_EQ(USB_SetSerialNumber(h, bad), 0) << bad;
        EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_BAD_ARGUMENT);
    }
    for (int bad : {-1, 2})
        EXPECT_EQ(USB_SetPowerSource(h, bad), 0);
    for (int bad : {-5, 501})
        EXPECT_EQ(USB_SetMaxPower(h, bad), 0);
    for (int bad : {0, 5, 20})
        EXPECT_EQ(USB_SetDriveCurrent(h, bad), 0);
    EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_BAD_ARGUMENT);
    ASSERT_EQ(USB_WriteEEpromData(h), 1);
    const cu::BoardState s = cu::Board(0);
    EXPECT_EQ(s.description, std::string(64, 'x'));
    EXPECT_EQ(s.serial, "SIM00001");
    EXPECT_EQ(s.maxPower, 100u);
    EXPECT_EQ(s.driveCurrent, 8u);
}

// Fails when erasing does not leave the blank identity, or an erased board cannot be reopened.
TEST_F(CorvoUsbTest, EraseLeavesTheBlankIdentity) {
    const int h = OpenFirst();
    ASSERT_EQ(USB_EraseEEpromData(h), 1);
    char desc[64], serial[10];
    ASSERT_EQ(GetDeviceDesc(desc, 0), 0);
    ASSERT_EQ(GetDeviceSerNum(serial, 0), 0);
    EXPECT_STREQ(desc, "Corvo USB FIFO");
    EXPECT_STREQ(serial, "");
    EXPECT_EQ(USB_ReadEEpromData(h, 0), 1);
    EXPECT_STREQ(USB_GetEpromSerialNum(), "");
    CloseUsbDevice(h);
    const int again = OpenUsbDevice("");
    ASSERT_GT(again, 0);
    EXPECT_EQ(USB_SetSerialNumber(again, "NEW1"), 1);
    EXPECT_EQ(USB_WriteEEpromData(again), 1);
    EXPECT_EQ(cu::Board(0).serial, "NEW1");
    EXPECT_EQ(cu::Board(0).description, "Corvo USB FIFO");
}

// Fails when a board's EEPROM file is not written in its format or not read back at the next
// run.
TEST_F(CorvoUsbTest, EepromFileKeepsTheIdentityAcrossRuns) {
    TempDir dir;
    const fs::path file = dir.path / "sub" / "board.eeprom";
    cu::ResetBus();
    cu::AddBoard({.eepromFile = file.string()});
    const int h = OpenFirst();
    USB_SetSerialNumber(h, "KEPT0001");
    USB_SetMaxPower(h, 200);
    ASSERT_EQ(USB_WriteEEpromData(h), 1);
    EXPECT_EQ(ReadFile(file), "description=Simulated Corvo Board\nserial=KEPT0001\n"
                              "max-power=200\npower-source=0\ndrive-current=8\n");

    cu::ResetBus();
    cu::AddBoard({.eepromFile = file.string()});
    EXPECT_EQ(cu::Board(0).serial, "KEPT0001");
    EXPECT_EQ(cu::Board(0).maxPower, 200u);
}

// Fails when the default bus is not one simulated board whose EEPROM lives under the user's
// state folder.
TEST_F(CorvoUsbTest, DefaultBusIsOneSimulatedBoardWithAPersistentEeprom) {
    TempDir dir;
    EnvVar state("XDG_STATE_HOME", dir.path.string());
    EnvVar bus("CORVOUSB_BUS", "");
    EnvVar sysfs("CORVOUSB_SYSFS_ROOT", dir.path.string()); // no USB tty of this machine
    cu::RebuildBus();
    ASSERT_EQ(USB_GetNumberOfDevs(), 1);
    char desc[64];
    GetDeviceDesc(desc, 0);
    EXPECT_STREQ(desc, "Simulated Corvo Board");
    const int h = OpenFirst();
    USB_SetDescStr(h, "Renamed board");
    ASSERT_EQ(USB_WriteEEpromData(h), 1);
    EXPECT_TRUE(fs::exists(dir.path / "corvousb" / "SimulatedBoard.eeprom"));
    cu::RebuildBus();
    GetDeviceDesc(desc, 0);
    EXPECT_STREQ(desc, "Renamed board");
    cu::ResetBus();
}

// Fails when the bus file's boards, board faults or call faults are not applied, or a bad line
// stops the rest of the file.
TEST_F(CorvoUsbTest, BusFileDescribesBoardsAndFaults) {
    TempDir dir;
    const fs::path file = dir.path / "bus.conf";
    std::ofstream(file) << "# two boards\n"
                           "fail-next = USB_Init 9\n"
                           "[board]\n"
                           "description = Lab board A\n"
                           "serial = LAB0001\n"
                           "frame-payload = 100\n"
                           "drop-frames = 2 3\n"
                           "nonsense line\n"
                           "[board]\n"
                           "description = Lab board B\n"
                           "serial = LAB0002\n"
                           "refuse-writes = yes\n"
                           "max-power = lots\n"
                           "[board]\n"
                           "serial = GONE\n"
                           "unplugged = yes\n";
    EnvVar bus("CORVOUSB_BUS", file.string());
    cu::RebuildBus();
    ASSERT_EQ(USB_GetNumberOfDevs(), 2);
    char desc[64];
    GetDeviceDesc(desc, 1);
    EXPECT_STREQ(desc, "Lab board B");
    const int a = OpenUsbDevice("LAB0001");
    const int b = OpenUsbDevice("LAB0002");
    EXPECT_EQ(USB_Init(a, 1), 0);
    EXPECT_EQ(USB_GetLastError(), 9);
    EXPECT_EQ(USB_Init(a, 1), 1);
    std::vector<unsigned char> buffer(1090);
    int frames = 0;
    EXPECT_EQ(UsbRdEx(a, buffer.data(), 1090, &frames), 10 * 109); // frames 2 to 4 dropped
    EXPECT_EQ(GetLostFrames(), 3u);
    unsigned char byte = 1;
    EXPECT_LT(UsbWrt(b, 0, &byte, 1), 0);
    EXPECT_EQ(cu::Board(1).maxPower, 100u);

    EnvVar missing("CORVOUSB_BUS", (dir.path / "none.conf").string());
    cu::RebuildBus();
    EXPECT_EQ(USB_GetNumberOfDevs(), 0);
    cu::ResetBus();
}

} // namespace
