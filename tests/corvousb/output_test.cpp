// Tests of error texts, output routing, the frame diagnosis and the debug log files.
#include "CorvoUsbFixture.h"
#include "tests/support/CaptureOutput.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> mutableErrors;
void MutableError(char* text) {
    mutableErrors.emplace_back(text);
}

// Fails when a failing call reaches the error function by itself, an error text changes, or
// USB_Perror does not reach the installed function.
TEST_F(CorvoUsbTest, PerrorAloneHandsTheCodesTextToTheErrorFunction) {
    unsigned char data[4];
    int n = 0;
    OpenUsbDevice("NOSUCH");
    USB_Write(99, data, 4, &n);
    cu::RefuseEveryByte(0);
    UsbWrt(OpenFirst(), 0, data, 4);
    EXPECT_TRUE(Captured::errors.empty() && Captured::printed.empty());

    USB_Perror(CORVOUSB_ERR_READ_TIMEOUT);
    USB_Perror(12345);
    EXPECT_THAT(Captured::errors,
                ::testing::ElementsAre("Read time-out: no data received", "Unknown error"));
    USB_SetPerrorFunc(MutableError);
    USB_Perror(CORVOUSB_ERR_WRITE_TIMEOUT);
    EXPECT_THAT(mutableErrors,
                ::testing::ElementsAre("Write time-out: the device accepted no data"));
    USB_SetPerrorFunc(nullptr);
    EXPECT_EQ(CaptureOutput(STDERR_FILENO, [] { USB_Perror(CORVOUSB_ERR_NO_DEVICE); }),
              "CorvoUsb: No device found on the USB bus\n");
}

// Fails when the frame diagnosis misreports the last extended read or the counters.
TEST_F(CorvoUsbTest, PrintFrameInfoDiagnosesTheLastExtendedRead) {
    PrintFrameInfo();
    EXPECT_EQ(Captured::printed, "No extended read yet\n"
                                 "Lost frames 0 - Header errors 0 - Trailer errors 0 - "
                                 "Total bytes 0\n"
                                 "Last error 0: No error\n");
    const int h = OpenOnly({.framePayload = 100, .firstFrameCounter = 7});
    cu::LimitReads(0, 300);
    cu::DropFrames(0, 1);
    ASSERT_EQ(ReadEx(h, 1000), 218);
    Captured::printed.clear();
    PrintFrameInfo();
    EXPECT_EQ(Captured::printed,
              "Last extended read: 1000 byte(s) asked, 300 received, 218 delivered, 2 frame(s)\n"
              "Frame counters 7 to 9\n"
              "82 byte(s) of a cut frame kept for the next read\n"
              "Lost frames 1 - Header errors 0 - Trailer errors 0 - Total bytes 300\n"
              "Last error 0: No error\n");
}

// Runs a test body in a fresh working directory.
class LogFileTest : public CorvoUsbTest {
  protected:
    void SetUp() override {
        CorvoUsbTest::SetUp();
        fs::current_path(dir.path);
    }
    void TearDown() override {
        dbg_CloseLogFile();
        fs::current_path(old);
        CorvoUsbTest::TearDown();
    }
    const fs::path old = fs::current_path();
    TempDir dir;
};

// `line` and a line end, `n` times.
std::string Lines(const std::string& line, int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += line + "\n";
    return text;
}

// Fails when the capture file differs from the bytes received, or the text log misses calls
// (that a capture replays to the counts of its run: tests/engine).
TEST_F(LogFileTest, CaptureHoldsTheReceivedStream) {
    const int h = OpenFirst();
    ASSERT_EQ(dbg_OpenLogFile(), 1);
    EXPECT_EQ(dbg_OpenLogFile(), 1);
    std::string received;
    for (int i = 0; i < 40; ++i) {
        const int n = ReadEx(h, 4096);
        ASSERT_GT(n, 0);
        received.append(rx.begin(), rx.begin() + n);
    }
    dbg_CloseLogFile();
    ReadEx(h, 4096); // not captured
    EXPECT_EQ(ReadFile("USB_LogFile2.bin"), received);
    EXPECT_EQ(ReadFile("USB_LogFile.txt"), "dbg_OpenLogFile()\n" +
                                               Lines("UsbRdEx(1, data, 4096, out)", 40) +
                                               "dbg_CloseLogFile()\n");
}

// Fails when a log that cannot be created is reported as open or stops the reads, opening the
// log truncates a file through a link at either name, or a FIFO there blocks the call.
TEST_F(LogFileTest, LogsThatCannotBeCreatedSafelyAreRefused) {
    fs::create_directory("USB_LogFile2.bin"); // a folder where the capture file should go
    EXPECT_EQ(Res(dbg_OpenLogFile()), Fail(0, CORVOUSB_ERR_LOG_FILE));
    EXPECT_GT(ReadEx(OpenFirst(), 1024), 0) << "reads go on without a log";
    fs::remove("USB_LogFile.txt");
    fs::remove("USB_LogFile2.bin");

    std::ofstream("victim") << "keep me";
    for (const char* name : {"USB_LogFile.txt", "USB_LogFile2.bin"}) {
        fs::create_symlink("victim", name);
        EXPECT_EQ(Res(dbg_OpenLogFile()), Fail(0, CORVOUSB_ERR_LOG_FILE)) << name;
        EXPECT_EQ(ReadFile("victim"), "keep me") << name;
        EXPECT_FALSE(name[12] == 't' && fs::exists("USB_LogFile2.bin")) << "no capture made";
        fs::remove("USB_LogFile.txt");
        fs::remove("USB_LogFile2.bin");
    }
    ASSERT_EQ(::mkfifo("USB_LogFile2.bin", 0600), 0);
    EXPECT_EQ(dbg_OpenLogFile(), 0) << "FIFO without a reader";
    const int reader = ::open("USB_LogFile2.bin", O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(dbg_OpenLogFile(), 0) << "FIFO with a reader";
    ::close(reader);
}

// Fails when the text log or the capture grows past its limit, the text log ends in a cut line
// instead of saying it is full, or opening the log wipes the previous one, keeps more than one
// older generation, or lets an empty file push out the older evidence.
TEST_F(LogFileTest, LogsStopAtTheirLimitsAndKeepOneOlderGeneration) {
    cu::LimitLogFiles(200, 1000);
    const int h = OpenFirst();
    std::string logs[3];
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(dbg_OpenLogFile(), 1);
        for (int reads = i == 0 ? 20 : 0; reads > 0; --reads)
            ReadEx(h, 4096);
        dbg_CloseLogFile();
        logs[i] = ReadFile("USB_LogFile.txt");
        EXPECT_TRUE(i == 0 || ReadFile("USB_LogFile.txt.1") == logs[i - 1]) << i;
    }
    EXPECT_EQ(logs[0],
              Lines("UsbRdEx(1, data, 4096, out)", 5) + "(log full: later calls are not logged)\n");
    EXPECT_EQ(ReadFile("USB_LogFile2.bin.1").size(), 1000u) << "the later captures were empty";
}

} // namespace
