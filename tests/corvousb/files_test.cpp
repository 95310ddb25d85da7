// Tests of the bus file, of hostile bus and EEPROM files, and of EEPROM state files that cannot
// be saved.
#include "CorvoUsbFixture.h"
#include "tests/support/CaptureOutput.h"

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// Builds the bus from `busFile` as at start-up; what the library wrote on the standard error.
std::string RebuildFrom(const std::string& busFile) {
    EnvVar bus("CORVOUSB_BUS", busFile);
    return CaptureOutput(STDERR_FILENO, cu::RebuildBus);
}

// Fails when the bus file's boards, board faults, timing keys or call faults are not applied, a
// bad line stops the rest of the file.
TEST_F(CorvoUsbTest, BusFileDescribesBoardsAndFaults) {
    TempDir dir;
    const fs::path file = dir.path / "bus.conf";
    // The slow board makes 100 frames of 521 bytes a second and has room for 10 of them.
    std::ofstream(file)
        << "# four boards\nfail-next = USB_Init 9\n[board]\n"
           "description = Lab board A\nserial = LAB0001\nframe-payload = 100\n"
           "drop-frames = 2 3\nnonsense line\n[board]\ndescription = Lab board B\n"
           "serial = LAB0002\nrefuse-writes = yes\nmax-power = lots\n[board]\n"
           "serial = SLOW\nspeed = full\nstream-rate = 52100\nstream-buffer = 5300\n"
           "[board]\ntiming = off\n[board]\nserial = GONE\nunplugged = yes\n";
    EXPECT_THAT(RebuildFrom(file.string()),
                ::testing::HasSubstr("bus.conf: line 8: nonsense line (ignored)\n"));
    EXPECT_THAT(Listing(), ::testing::ElementsAre("Lab board A/LAB0001", "Lab board B/LAB0002",
                                                  "Simulated Corvo Board/SLOW",
                                                  "Simulated Corvo Board/SIM00001"));
    const int a = OpenUsbDevice("LAB0001"), b = OpenUsbDevice("LAB0002");
    EXPECT_EQ(Res(USB_Init(a, 1)), Fail(0, 9));
    EXPECT_EQ(USB_Init(a, 1), 1);
    EXPECT_EQ(ReadEx(a, 1090), 10 * 109); // frames 2 to 4 dropped
    EXPECT_EQ(GetLostFrames(), 3u);
    unsigned char byte = 1;
    EXPECT_EQ(std::tuple(UsbWrt(b, 0, &byte, 1) < 0, cu::Board(1).maxPower, cu::Board(0).timing,
                         cu::Board(3).timing),
              std::tuple(true, 100u, true, false));

    // One frame asked of the slow board: the source starts and the answer waits 10 ms for it.
    EXPECT_EQ(cu::Board(2).speed, corvousb::BusSpeed::Full);
    const int slow = OpenUsbDevice("SLOW");
    const auto start = cu::BusTime();
    EXPECT_EQ(ReadEx(slow, 521), 521);
    EXPECT_GE(cu::BusTime() - start, std::chrono::milliseconds(10));
    cu::WaitFor(std::chrono::seconds(1));
    EXPECT_TRUE(cu::Board(2).streamBuffered == 10u * 521 && cu::Board(2).framesDropped > 85u);
}

// Fails when a bus file that is not a small regular file is read (unbounded, blocking)
// or refused without a message naming it and the reason, or a missing bus file does not give an
// empty bus.
TEST_F(CorvoUsbTest, BusAndEepromFilesMustBeSmallRegularFiles) {
    TempDir dir;
    const fs::path fifo = dir.path / "fifo", big = dir.path / "big.conf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::ofstream(big) << "[board]\n" << std::string(4u << 20, '#') << "\n";
    const std::pair<std::string, std::string> refused[] = {
        {"/dev/zero", "not a regular file"},
        {fifo.string(), "not a regular file"},
        {dir.path.string(), "not a regular file"},
        {big.string(), "larger than 4194304 bytes"},
        {(dir.path / "none.conf").string(), "No such file or directory"},
    };
    for (const auto& [path, reason] : refused) {
        EXPECT_EQ(RebuildFrom(path),
                  "CorvoUsb: " + path + ": cannot be read (" + reason + ") (ignored)\n");
        EXPECT_EQ(USB_GetNumberOfDevs(), 0);
    }
}

// Fails when a board file's line ends in CRLF are not accepted, a value the setters refuse is
// taken from a file, a refused line reaches the standard error unprintable, or an EEPROM file
// that is not a small regular file is read or refused without its name and the reason.
TEST_F(CorvoUsbTest, BoardFilesGetTheSettersChecks) {
    TempDir dir;
    const fs::path eeprom = dir.path / "board.eeprom", busFile = dir.path / "bus.conf",
                   big = dir.path / "big.eeprom";
    std::ofstream(big) << "serial=BIG1\n" << std::string(4096, '#');
    std::ofstream(eeprom) << "description=Kept board\r\nserial=KEPT 1\r\nmax-power=501\r\n"
                             "drive-current=12\r\npower-source=1\r\n";
    std::ofstream(busFile) << "[board]\r\ndescription = Lab\x1b[2J board\r\nserial = AB CD\r\n"
                              "serial = LAB0001\r\nmax-power = 900\r\nframe-payload = 16385\r\n"
                              "[board]\r\neeprom-file = "
                           << eeprom.string() << "\r\n[board]\neeprom-file = /dev/zero\n"
                           << "[board]\neeprom-file = " << big.string() << "\n";
    const std::string b = "CorvoUsb: " + busFile.string() + ": line ";
    const std::string e = "CorvoUsb: " + eeprom.string() + ": line ";
    EXPECT_EQ(RebuildFrom(busFile.string()),
              e + "2: serial=KEPT 1 (ignored)\n" + e + "3: max-power=501 (ignored)\n" +
                  "CorvoUsb: /dev/zero: cannot be read (not a regular file) (ignored)\nCorvoUsb: " +
                  big.string() + ": cannot be read (larger than 4096 bytes) (ignored)\n" + b +
                  "2: description = Lab\\x1B[2J board (ignored)\n" + b +
                  "3: serial = AB CD (ignored)\n" + b + "5: max-power = 900 (ignored)\n" + b +
                  "6: frame-payload = 16385 (ignored)\n");
    EXPECT_THAT(Listing(), ::testing::ElementsAre(
                               "Simulated Corvo Board/LAB0001", "Kept board/SIM00001",
                               "Simulated Corvo Board/SIM00001", "Simulated Corvo Board/SIM00001"));
    EXPECT_EQ(std::pair(Power(cu::Board(0)), Power(cu::Board(1))),
              std::pair(std::tuple(100u, 0u, 8u), std::tuple(100u, 1u, 12u)));
    cu::ResetBus();
}

// Fails when an EEPROM write or erase whose state file cannot be saved reports success, changes
// the board, or a saved EEPROM file is not in its format or not read back at the next run.
TEST_F(CorvoUsbTest, EepromFilesAreSavedSafelyAndReadBack) {
    TempDir dir;
    std::ofstream(dir.path / "plain") << "not a folder";
    const fs::path file = dir.path / "plain" / "board.eeprom";
    for (const fs::path& path : {file, fs::path("/proc/no-such-dir/board.eeprom")}) {
        const int h = OpenOnly({.eepromFile = path.string()});
        USB_SetSerialNumber(h, "LOST0001");
        EXPECT_EQ(Res(USB_WriteEEpromData(h)), Fail(0, CORVOUSB_ERR_EEPROM_WRITE));
        EXPECT_STREQ(CorvoUsb_ErrorText(USB_GetLastError()), "EEPROM write failed");
        EXPECT_EQ(std::pair(Res(USB_EraseEEpromData(h)), Listing()),
                  std::pair(Fail(0, CORVOUSB_ERR_EEPROM_ERASE),
                            std::vector<std::string>{"Simulated Corvo Board/SIM00001"}));
    }
    EXPECT_FALSE(fs::exists(file));

    const fs::path kept = dir.path / "sub" / "board.eeprom";
    const int h = OpenOnly({.eepromFile = kept.string()});
    ASSERT_TRUE(USB_SetSerialNumber(h, "KEPT0001") && USB_SetMaxPower(h, 200) &&
                USB_WriteEEpromData(h));
    EXPECT_EQ(ReadFile(kept), "description=Simulated Corvo Board\nserial=KEPT0001\n"
                              "max-power=200\npower-source=0\ndrive-current=8\n");
    cu::ResetBus();
    cu::AddBoard({.eepromFile = kept.string()});
    EXPECT_EQ(std::pair(Listing().at(0), cu::Board(0).maxPower),
              std::pair(std::string("Simulated Corvo Board/KEPT0001"), 200u));
}

} // namespace
