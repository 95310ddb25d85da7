// Tests of error texts, output routing, the version record and the debug log files.
#include "CorvoUsbFixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> mutableErrors;
void MutableError(char* text) {
    mutableErrors.emplace_back(text);
}

// Fails when an error text changes, or USB_Perror does not reach the installed function.
TEST_F(CorvoUsbTest, PerrorHandsTheCodesTextToTheErrorFunction) {
    USB_Perror(20);
    USB_Perror(26);
    USB_Perror(27);
    USB_Perror(CORVOUSB_ERR_INVALID_HANDLE);
    USB_Perror(12345);
    EXPECT_THAT(Captured::errors,
                ::testing::ElementsAre("Read time-out: no data received",
                                       "A null pointer was passed as device description",
                                       "A null pointer was passed as serial number",
                                       "Invalid device handle: the device is not open",
                                       "Unknown error"));
    USB_SetPerrorFunc(MutableError);
    USB_Perror(CORVOUSB_ERR_WRITE_TIMEOUT);
    ASSERT_EQ(mutableErrors.size(), 1u);
    EXPECT_EQ(mutableErrors[0], "Write time-out: the device accepted no data");
    EXPECT_EQ(Captured::errors.size(), 5u);

    USB_SetPerrorFunc(nullptr);
    ::testing::internal::CaptureStderr();
    USB_Perror(CORVOUSB_ERR_NO_DEVICE);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "CorvoUsb: No device found on the USB bus\n");
}

// Fails when a failing call reaches the error function by itself.
TEST_F(CorvoUsbTest, FailuresNeverCallTheErrorFunctionUnasked) {
    unsigned char data[4];
    int n = 0;
    OpenUsbDevice("NOSUCH");
    UsbRd(99, 0, data, 4);
    USB_Write(99, data, 4, &n);
    USB_SetDescStr(99, nullptr);
    cu::RefuseEveryByte(0);
    UsbWrt(OpenFirst(), 0, data, 4);
    EXPECT_TRUE(Captured::errors.empty());
    EXPECT_TRUE(Captured::printed.empty());
}

// Fails when the frame diagnosis misreports the last extended read or the counters.
TEST_F(CorvoUsbTest, PrintFrameInfoDiagnosesTheLastExtendedRead) {
    PrintFrameInfo();
    EXPECT_EQ(Captured::printed, "No extended read yet\n"
                                 "Lost frames 0 - Header errors 0 - Trailer errors 0 - "
                                 "Total bytes 0\n"
                                 "Last error 0: No error\n");
    cu::ResetBus();
    cu::AddBoard({.framePayload = 100, .firstFrameCounter = 7});
    const int h = OpenFirst();
    cu::LimitReads(0, 300);
    cu::DropFrames(0, 1);
    std::vector<unsigned char> buffer(1000);
    int frames = 0;
    ASSERT_EQ(UsbRdEx(h, buffer.data(), 1000, &frames), 218);
    Captured::printed.clear();
    PrintFrameInfo();
    EXPECT_EQ(Captured::printed,
              "Last extended read: 1000 byte(s) asked, 300 received, 218 delivered, 2 frame(s)\n"
              "Frame counters 7 to 9\n"
              "82 byte(s) of a cut frame kept for the next read\n"
              "Lost frames 1 - Header errors 0 - Trailer errors 0 - Total bytes 300\n"
              "Last error 0: No error\n");
}

// Fails when the version record changes without the About box being told.
TEST(CorvoUsbVersion, RecordHoldsFileAndProductVersion) {
    EXPECT_EQ(CorvoUsb_VersionRecord.fileVersion[0], 1);
    EXPECT_EQ(CorvoUsb_VersionRecord.fileVersion[3], 67);
    EXPECT_EQ(CorvoUsb_VersionRecord.productVersion[0], 2);
    EXPECT_EQ(CorvoUsb_VersionRecord.productVersion[3], 56);
}

// Runs a test body in a fresh working directory.
class LogFileTest : public CorvoUsbTest {
  protected:
    void SetUp() override {
        CorvoUsbTest::SetUp();
        old = fs::current_path();
        dir = fs::temp_directory_path() / ("corvousb-log-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::current_path(dir);
    }
    void TearDown() override {
        dbg_CloseLogFile();
        fs::current_path(old);
        fs::remove_all(dir);
        CorvoUsbTest::TearDown();
    }
    static std::vector<unsigned char> Bytes(const char* name) {
        std::ifstream in(name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    fs::path old, dir;
};

// Fails when the capture file differs from the bytes received, or the text log misses calls.
TEST_F(LogFileTest, CaptureHoldsTheReceivedStreamAndReplaysToTheSameCounts) {
    const int h = OpenFirst();
    ASSERT_EQ(dbg_OpenLogFile(), 1);
    EXPECT_EQ(dbg_OpenLogFile(), 1);
    cu::CorruptFrameTrailers(0, 3);
    std::vector<unsigned char> received, buffer(4096);
    int frames = 0, total = 0;
    for (int i = 0; i < 40; ++i) {
        const int n = UsbRdEx(h, buffer.data(), 4096, &frames);
        ASSERT_GT(n, 0);
        received.insert(received.end(), buffer.begin(), buffer.begin() + n);
        total += frames;
    }
    const unsigned lost = GetLostFrames(); // reading 4096 bytes every 16 ms loses frames
    dbg_CloseLogFile();
    UsbRdEx(h, buffer.data(), 4096, &frames); // not captured
    EXPECT_EQ(Bytes("USB_LogFile2.bin"), received);

    const unsigned trailerErrors = GetTrailerErrors();
    EXPECT_EQ(trailerErrors, 1u);
    ResetLostFrames();
    ResetFrameErrors();
    int replayed = 0;
    for (std::size_t at = 0; at < received.size(); at += 65535)
        replayed +=
            USB_CheckFrames(received.data() + at,
                            static_cast<int>(std::min<std::size_t>(65535, received.size() - at)));
    EXPECT_EQ(replayed, total);
    EXPECT_EQ(GetTrailerErrors(), trailerErrors);
    EXPECT_EQ(GetLostFrames(), lost);

    std::ifstream text("USB_LogFile.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 42u);
    EXPECT_EQ(lines.front(), "dbg_OpenLogFile()");
    EXPECT_EQ(lines[1], "UsbRdEx(1, data, 4096, out)");
    EXPECT_EQ(lines.back(), "dbg_CloseLogFile()");
}

// Fails when a log that cannot be created is reported as open.
TEST_F(LogFileTest, UncreatableLogFailsWithLogFileCode) {
    fs::create_directory(dir / "USB_LogFile2.bin"); // a folder where the capture file should go
    EXPECT_EQ(dbg_OpenLogFile(), 0);
    EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_LOG_FILE);
    const int h = OpenFirst();
    std::vector<unsigned char> buffer(1024);
    int frames = 0;
    EXPECT_GT(UsbRdEx(h, buffer.data(), 1024, &frames), 0) << "reads go on without a log";
}

// Fails when opening the log truncates a file through a link at either name, or a FIFO there
// blocks the call.
TEST_F(LogFileTest, LinksAndFifosAtTheLogNamesAreRefused) {
    std::ofstream("victim") << "keep me";
    for (const char* name : {"USB_LogFile.txt", "USB_LogFile2.bin"}) {
        fs::create_symlink("victim", name);
        EXPECT_EQ(dbg_OpenLogFile(), 0) << name;
        EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_LOG_FILE);
        EXPECT_EQ(ReadFile("victim"), "keep me") << name;
        const bool textRefused = std::string_view(name) == "USB_LogFile.txt";
        EXPECT_FALSE(textRefused && fs::exists("USB_LogFile2.bin"))
            << "a refused opening creates no capture";
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

// Fails when the text log or the capture grows past its limit, or the text log ends in a cut
// line instead of saying it is full.
TEST_F(LogFileTest, BothLogFilesStopAtTheirLimits) {
    cu::LimitLogFiles(200, 1000);
    const int h = OpenFirst();
    ASSERT_EQ(dbg_OpenLogFile(), 1);
    std::vector<unsigned char> buffer(4096);
    int frames = 0;
    for (int i = 0; i < 20; ++i)
        UsbRdEx(h, buffer.data(), 4096, &frames);
    dbg_CloseLogFile();
    EXPECT_EQ(Bytes("USB_LogFile2.bin").size(), 1000u);
    const std::string text = ReadFile("USB_LogFile.txt");
    EXPECT_LE(text.size(), 200u);
    EXPECT_EQ(text, [] {
        std::string lines;
        for (int i = 0; i < 5; ++i)
            lines += "UsbRdEx(1, data, 4096, out)\n";
        return lines;
    }() + "(log full: later calls are not logged)\n");
}

} // namespace
