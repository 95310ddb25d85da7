// Long engine work and its figures: "<Wr/Rd byte>" against a board that goes away, long work
// stopped by the user or a quit signal, capture files the offline tools refuse, and counts
// printed as unsigned 64-bit numbers.
#include "tests/support/EngineSession.h"

#include "engine/LoopMode.h"
#include "engine/UsbTest.h"
#include "platform/uirt/headless/progress.h"
#include "platform/uirt/model/progressbox.h"
#include "platform/uirt/model/quitsignal.h"

#include <csignal>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Strings = std::vector<std::string>;

// A progress clock that moves `stepMs` at each reading (a second: the box shows at the first
// update; 0: it never shows). At the reading `hookAt`, `hook` runs (say, a signal comes).
int readings = 0;
int stepMs = 0;
int hookAt = 0;
void (*hook)() = nullptr;
std::int64_t Readings() {
    if (++readings == hookAt && hook) hook();
    return static_cast<std::int64_t>(readings) * stepMs;
}
void UseClock(int step, int at = 0, void (*run)() = nullptr) {
    hl::ResetProgress();
    std::tie(readings, stepMs, hookAt, hook) = std::tuple(0, step, at, run);
    uirt::SetProgressClock(Readings);
}

void ByteSettings(int bytes) {
    SetIOMode(2);
    SetSubAddress(5);
    SetPatternMode(0);
    SetWordSize(0);
    SetWordCount(bytes);
}

// Presses a maintenance button on a fresh information box and returns its output.
std::string Press(int button) {
    ResetTextBox(GetMainPanelHandle(), MAINPANEL_INFOTEXTBOX, "");
    hl::Press(GetSetupPanelHandle(), button);
    return hl::Text(GetMainPanelHandle(), MAINPANEL_INFOTEXTBOX);
}

void WriteCapture(const std::vector<unsigned char>& bytes) {
    std::filesystem::remove("USB_LogFile2.bin");
    std::ofstream("USB_LogFile2.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

const std::string kSummary = Counters("0", 0, 0, 0);

} // namespace

// Fails when a long "<Wr/Rd byte>" shows no progress box, does not stop at once on Stop or on a
// quit signal (also before its box), or does not report what was done: the bytes written, then
// their rate; or when against a board that goes away it reports more than the first failure,
// writes on after it, or does not say how many bytes were written.
TEST_F(EngineSession, LongByteWritesShowProgressAndStop) {
    RunStep([this] {
        ByteSettings(4096);
        UseClock(1000);
        hl::StopProgressAt(3);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(hl::ProgressShown(), (Strings{"open Kestrel: Writing one byte per call...",
                                                "update 0", "update 0", "update 0", "close"}));
        EXPECT_EQ(Count(Calls(), "UsbWrt(1, 5, data, 1)"), 3u);
        const auto [rateAt, figure] = RateLine(Info());
        EXPECT_EQ(Info().substr(0, rateAt), "Stopped after 3 of 4096 bytes\n");
        EXPECT_NEAR(figure, 3, 0.01);

        // The signal comes after the fourth byte, long before any box: the fifth is the last.
        UseClock(0, 5, [] { uirt::NoteQuitSignal(SIGTERM); });
        MarkCalls();
        ClearInfo();
        usb_test();
        uirt::ForgetQuitSignal();
        EXPECT_EQ(Count(Calls(), "UsbWrt(1, 5, data, 1)"), 5u);
        EXPECT_TRUE(Info().starts_with("Stopped after 5 of 4096 bytes\n") &&
                    hl::ProgressShown().empty())
            << Info();

        ByteSettings(1024);
        bus::UnplugBoardAfter(board_, 7);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(std::tuple(Count(Calls(), "UsbWrt(1, 5, data, 1)"), Popups("USB Error")),
                  std::tuple(8u, 1u));
        EXPECT_TRUE(Info().ends_with("Warning : only 7 bytes of 1024 were written\n")) << Info();
    });
}

// Fails when the offline tools open a capture that is a FIFO (they would wait for ever), a link
// to a device (they would read for ever) or larger than a capture can be, without saying why
// it was not read; or when a long search is not stopped by Stop with what was done.
TEST_F(EngineSession, OfflineToolsReadOnlyBoundedRegularCaptures) {
    const std::string notRegular = "USB_LogFile2.bin was not read (not a regular file)\n";
    RunMaintenanceStep([&] {
        std::filesystem::remove("USB_LogFile2.bin");
        ASSERT_EQ(mkfifo("USB_LogFile2.bin", 0600), 0);
        EXPECT_EQ(Press(SETUPPANEL_SIMUL_BTN), notRegular + kSummary);
        std::filesystem::remove("USB_LogFile2.bin");
        std::filesystem::create_symlink("/dev/zero", "USB_LogFile2.bin");
        EXPECT_EQ(Press(SETUPPANEL_COMMANDBUTTON), notRegular + "count = 0\n");
        WriteCapture({});
        std::filesystem::resize_file("USB_LogFile2.bin", CORVOUSB_CAPTURE_MAX_BYTES + 1);
        EXPECT_EQ(Press(SETUPPANEL_SIMUL_BTN),
                  "USB_LogFile2.bin was not read (larger than a capture can be)\n" + kSummary);

        std::vector<unsigned char> markers;
        for (int i = 0; i < 100000; ++i)
            markers.insert(markers.end(), {0xAA, 0xFF, 0xFF});
        WriteCapture(markers);
        UseClock(1000);
        hl::StopProgressAt(2); // at the second update: 65536 bytes taken
        EXPECT_EQ(Press(SETUPPANEL_COMMANDBUTTON),
                  "Stopped after 65536 of 300000 bytes\ncount = 21845\n");
    });
}

// Fails when the library's lost frames print negative above 2^31 or wrap above 2^32: a replay
// whose every frame skips 32767 counters (the loop statistics' figures: in the loop tests).
TEST_F(EngineSession, LostFramesPrintAsUnsigned64BitNumbers) {
    std::vector<unsigned char> capture;
    const unsigned frames = 131080;
    for (unsigned i = 0; i < frames; ++i) {
        const std::vector<unsigned char> frame = bus::MakeFrame(i % 2 ? 32768 : 0, {{0x11}});
        capture.insert(capture.end(), frame.begin(), frame.end());
    }
    std::string replay;
    RunMaintenanceStep([&] {
        WriteCapture(capture);
        replay = Press(SETUPPANEL_SIMUL_BTN);
    });
    const std::string lost = std::to_string((frames - 1) * 32767ULL);
    EXPECT_TRUE(replay.ends_with("Processed frames = " + std::to_string(frames) +
                                 "\nLost frames = " + lost +
                                 "\nHeader errors = 0\n"
                                 "Trailer errors = 0\n"))
        << replay.substr(replay.size() - 120);
}
