// Tests of the tty transport on the kernel's tty layer: pseudo-terminals stand in for the USB
// serial nodes, a fake sysfs tree describes them, and a board emulator answers on the far side.
#include "CorvoUsbFixture.h"
#include "tests/support/FakeSysfs.h"
#include "tests/support/PtyBoard.h"
#include "tests/support/ScratchDir.h"

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

namespace fs = std::filesystem;
using corvousb::testing::PtyBoard;
using ::testing::ElementsAre;

namespace {

// The default bus reads a fake sysfs tree (FakeSysfsBus); the in-memory bus comes back at the end.
class TtyTest : public CorvoUsbTest {
  protected:
    // Lists a board behind a pty as the USB serial port "TB000001".
    void ListBoard(const PtyBoard& board) {
        latencyFile_ = sysfs.addSerialPort("1-1", "ttyUSB0", board.node().substr(5), "FIFO Bridge",
                                           "TB000001");
        cu::RebuildBus();
    }
    // Lists the board and opens it with short time-outs.
    int OpenBoard(const PtyBoard& board) {
        ListBoard(board);
        const int h = OpenUsbDevice("TB000001");
        EXPECT_EQ(USB_Init(h, 1) + USB_SetLatencyTimer(h, 2) + USB_SetTimeouts(h, 200, 50), 3);
        return h;
    }
    // Waits until `bytes` bytes are in the receive queue (the emulator answers on its thread).
    static int AwaitReceived(int h, int bytes) {
        for (int i = 0; i < 200 && USB_GetStatus(h, 0) < bytes; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return USB_GetStatus(h, 0);
    }

    FakeSysfs sysfs;
    FakeSysfsBus variables_{sysfs};
    fs::path latencyFile_;
};

// Fails when USB ttys are missed, other ttys are listed, the order is not the bus path's, the
// strings are not the USB device's, the simulated board's EEPROM is not kept in the user's state
// folder, or the variables do not pick the bus as documented; or a product or serial string
// reaches the program with control characters or white space around a serial string is kept.
TEST_F(TtyTest, UsbTtysAreListedByBusPathBeforeTheSimulatedBoard) {
    sysfs.addOtherTtys();
    cu::RebuildBus();
    EXPECT_THAT(Listing(), ElementsAre("Simulated Corvo Board/SIM00001"));
    // The simulated board keeps its EEPROM under the user's state folder.
    const int sim = OpenUsbDevice("SIM00001");
    EXPECT_EQ(USB_SetDescStr(sim, "Renamed board"), 1);
    ASSERT_EQ(USB_WriteEEpromData(sim), 1);
    EXPECT_TRUE(fs::exists(sysfs.root / "state" / "corvousb" / "SimulatedBoard.eeprom"));
    cu::RebuildBus();

    sysfs.addSerialPort("1-3", "ttyUSB0", "ttyUSB0", "FIFO Bridge A", "TB000001");
    sysfs.addAcmPort("1-1.2", "ttyACM0", "ttyACM0", "Pico Streamer", "E660583883374E2B");
    sysfs.addSerialPort("1-1.10", "ttyUSB1", "ttyUSB1", "", "");
    sysfs.addSerialPort("1-1.9", "ttyUSB2", "ttyUSB2", "Probe\x1b[2J\tA", " AB 12 ");
    EXPECT_THAT(Listing(),
                ElementsAre("Pico Streamer/83374E2B", "Probe\\x1B[2J\\x09A/AB 12", "ttyUSB1/",
                            "FIFO Bridge A/TB000001", "Renamed board/SIM00001"));
    EXPECT_GT(OpenUsbDevice("SIM00001"), 0) << "the simulated board opens behind the ttys";
    EXPECT_EQ(Res(OpenUsbDevice("TB000001")), Fail(-1, CORVOUSB_ERR_DEVICE_REMOVED))
        << "its node is gone";

    EnvVar noSim("CORVOUSB_NO_SIM", "1");
    cu::RebuildBus();
    EXPECT_EQ(USB_GetNumberOfDevs(), 4);

    const fs::path busFile = sysfs.root / "bus.conf";
    std::ofstream(busFile) << "[board]\nserial = LAB0001\n";
    EnvVar bus("CORVOUSB_BUS", busFile.string());
    cu::RebuildBus();
    EXPECT_THAT(Listing(), ElementsAre("Simulated Corvo Board/LAB0001"));
}

// Fails when raw bytes, sub-address blocks or framed reads do not make the round trip through a
// real tty, or the frame statistics and queue status are wrong there.
TEST_F(TtyTest, TransfersRunEndToEndOverATty) {
    PtyBoard board;
    const int h = OpenBoard(board);
    EXPECT_EQ(ReadFile(latencyFile_), "2\n");
    const termios line = board.lineSettings();
    EXPECT_EQ(std::tuple(line.c_lflag & (ECHO | ICANON | ISIG | IEXTEN),
                         line.c_iflag & (ICRNL | IXON | ISTRIP), line.c_oflag & OPOST),
              std::tuple(0u, 0u, 0u))
        << "no echo, line editing or translation";

    auto sent = Sequence(300, 1); // holds C5 bytes that begin no command
    std::vector<unsigned char> back(300);
    int moved = 0, read = 0;
    ASSERT_EQ(USB_Write(h, sent.data(), 300, &moved), 1);
    EXPECT_EQ(std::pair(AwaitReceived(h, 300), USB_GetStatus(h, 1)), std::pair(300, 0));
    ASSERT_EQ(USB_Read(h, back.data(), 300, &read), 1);
    EXPECT_EQ(std::tuple(moved, read, back), std::tuple(300, 300, sent));
    // Bytes the board sent unasked sit in the receive queue until purged.
    ASSERT_EQ(USB_Write(h, sent.data(), 40, &moved), 1);
    EXPECT_EQ(AwaitReceived(h, 40), 40);
    EXPECT_EQ(USB_PurgeBuffers(h), 1);
    EXPECT_EQ(USB_GetStatus(h, 0), 0);

    auto block = Sequence(5000, 0x5A);
    std::vector<unsigned char> got(5000);
    EXPECT_EQ(UsbWrt(h, -3, block.data(), 5000), 5000);
    EXPECT_EQ(UsbRd(h, -3, got.data(), 5000), 5000);
    EXPECT_EQ(got, block);

    // The board sends fewer bytes than asked (whole frames only): each read ends when the line
    // goes quiet, long before its time-out.
    USB_SetTimeouts(h, 200, 10000);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(std::pair(ReadEx(h, 2000), frames), std::pair(3 * 521, 3)) << "read " << i;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(std::pair(+rx[0], +rx[3]), std::pair(0xAA, 6));
    EXPECT_EQ(
        std::tuple(GetLostFrames(), GetHeaderErrors() + GetTrailerErrors(), GetTotalByteCount()),
        std::tuple(0u, 0u, 9u * 521));
}

// Fails when an empty line does not end in a quiet time-out, the link settings a tty cannot carry
// are refused, a second open of the node succeeds, EEPROM calls do not fail with their own code
// and text, or a pulled plug is not reported as "Device removed from the bus" or a later call
// crashes or reports success.
TEST_F(TtyTest, TimeoutsPurgeLinkSettingsAndEepromOnATty) {
    PtyBoard board({.answers = false});
    const int h = OpenBoard(board);
    unsigned char data[64] = {};
    int moved = -1;
    EXPECT_EQ(Res(USB_Read(h, data, 64, &moved)), NoData(1));
    EXPECT_EQ(moved, 0);
    EXPECT_EQ(USB_SetTimeouts(h, -1, 50), 0);
    EXPECT_EQ(Res(UsbRd(h, 0, data, 16)), NoData(0));
    EXPECT_EQ(Res(UsbRdEx(h, data, 64, &moved)), NoData(0));

    EXPECT_EQ(USB_SetBaudRate(h, 921600), 1);
    const termios line = board.lineSettings();
    EXPECT_EQ(cfgetospeed(&line), B921600);
    EXPECT_EQ(USB_SetBaudRate(h, 250000) + USB_SetXferSize(h, 4096, 8192) +
                  USB_SetSynchronousMode(h, 100) + USB_ResetMode(h) +
                  USB_SetFlowControlToHardware(h),
              5); // 250000 is not a standard rate
    EXPECT_NE(board.lineSettings().c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(USB_SetDescStr(h, "New name"), 1); // staging touches no EEPROM
    EXPECT_EQ(std::tuple(Res(USB_ReadEEpromData(h, 1)), Res(USB_WriteEEpromData(h)),
                         USB_EraseEEpromData(h)),
              std::tuple(Fail(0, CORVOUSB_ERR_NO_EEPROM), Fail(0, CORVOUSB_ERR_NO_EEPROM), 0));
    USB_Perror(USB_GetLastError());
    EXPECT_THAT(Captured::errors, ElementsAre("EEPROM access is not available for this device"));
    EXPECT_TRUE(Captured::printed.empty());
    EXPECT_EQ(Res(OpenUsbDevice("TB000001")), Fail(-1, CORVOUSB_ERR_DEVICE_BUSY));
    EXPECT_EQ(CloseUsbDevice(h), 1);
    const int again = OpenUsbDevice("TB000001");
    EXPECT_GT(again, 0) << "closing frees the node";
    board.unplug();
    EXPECT_EQ(Res(USB_Read(again, data, 16, &moved)), Fail(0, CORVOUSB_ERR_DEVICE_REMOVED));
    ExpectEveryHandleCallFails(again, CORVOUSB_ERR_DEVICE_REMOVED);
    EXPECT_EQ(CloseUsbDevice(again), 1);
}

// Fails (or hangs) when a write into a line that takes nothing more does not end at the write
// time-out with what the line took, and the next with a write time-out; also with a time-out of 0,
// from a thread that blocks every signal and when the system gives no timer; or when the node is
// left blocking (the read after it would hang).
TEST_F(TtyTest, WritesIntoAFullLineEndAtTheWriteTimeOut) {
    PtyBoard board;
    const int h = OpenBoard(board);
    board.stop();
    USB_SetTimeouts(h, 30, 20);
    std::vector<unsigned char> data(1 << 20, 0x11);
    const auto fillLine = [&] {
        int taken = 0, more = -1, got = -1;
        const int first = USB_Write(h, data.data(), 1 << 20, &taken);
        // The kernel may still move a few kilobytes along the line before it is full.
        auto last = Res(USB_Write(h, data.data(), 1 << 20, &more));
        for (int i = 0; i < 4 && more > 0; ++i)
            last = Res(USB_Write(h, data.data(), 1 << 20, &more));
        const auto read = Res(USB_Read(h, data.data(), 1, &got));
        USB_PurgeBuffers(h); // the line takes bytes again
        return std::tuple(first, taken > 0 && taken < (1 << 20), last, read);
    };
    const auto expected = std::tuple(1, true, Fail(0, CORVOUSB_ERR_WRITE_TIMEOUT), NoData(1));
    EXPECT_EQ(fillLine(), expected);
    USB_SetTimeouts(h, 0, 20);
    std::thread([&] {
        sigset_t all;
        sigfillset(&all);
        ::pthread_sigmask(SIG_BLOCK, &all, nullptr);
        EXPECT_EQ(fillLine(), expected) << "signals blocked";
    }).join();
    rlimit saved{};
    ::getrlimit(RLIMIT_SIGPENDING, &saved);
    const rlimit noTimers{0, saved.rlim_max};
    ::setrlimit(RLIMIT_SIGPENDING, &noTimers);
    const auto withoutTimer = fillLine();
    ::setrlimit(RLIMIT_SIGPENDING, &saved);
    EXPECT_EQ(withoutTimer, expected) << "no timer";
}

// Runs `check` in a child process that has given up root (root opens any node and ignores the
// exclusive mode); passes when it returns true.
void ExpectAsOrdinaryUser(const std::function<bool()>& check) {
    EXPECT_EXIT(
        {
            const bool dropped = ::geteuid() != 0 || (::setgroups(0, nullptr) == 0 &&
                                                      ::setgid(65534) == 0 && ::setuid(65534) == 0);
            ::_exit(dropped && check() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// Fails when a node the user may not open is not reported with its path, the group that owns it
// and the way to get access, or when another process can open a node the library holds or is
// told other than that it is busy.
TEST_F(TtyTest, OtherUsersMeetPermissionsAndTheExclusiveMode) {
    PtyBoard board;
    board.stop(); // no thread may run across the fork
    const std::string node = board.node();
    ListBoard(board);
    ASSERT_EQ(::chmod(node.c_str(), 0), 0);
    struct stat st {};
    ASSERT_EQ(::stat(node.c_str(), &st), 0);
    const group* owner = ::getgrgid(st.st_gid);
    ASSERT_NE(owner, nullptr);
    const std::string g = owner->gr_name;
    const std::string expected =
        "Permission denied on " + node + ": add your user to the group \"" + g +
        "\" (sudo usermod -aG " + g +
        " $USER, then log in again) or install the udev rule "
        "packaging/udev/70-corvousb.rules (see README.md, \"Real boards\")";
    ExpectAsOrdinaryUser([&] {
        const int h = OpenUsbDevice("TB000001");
        const int code = USB_GetLastError();
        return h < 0 && code == CORVOUSB_ERR_ACCESS_DENIED && CorvoUsb_ErrorText(code) == expected;
    });

    ASSERT_EQ(::chmod(node.c_str(), 0666), 0);
    ASSERT_GT(OpenUsbDevice("TB000001"), 0);
    // The child drops its copy of the parent's handle; the parent still holds the node.
    ExpectAsOrdinaryUser([&] {
        USB_CloseAll();
        return OpenUsbDevice("TB000001") < 0 && USB_GetLastError() == CORVOUSB_ERR_DEVICE_BUSY;
    });
}

} // namespace
