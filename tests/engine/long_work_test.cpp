// Long engine work: "<Wr/Rd byte>" stopped by the user or a quit signal, and against a board
// that goes away.
#include "tests/support/EngineSession.h"

#include "engine/UsbTest.h"
#include "platform/uirt/headless/progress.h"
#include "platform/uirt/model/progressbox.h"
#include "platform/uirt/model/quitsignal.h"
#include "tests/engine/Settings.h"

#include <csignal>

namespace {

// A progress clock that moves `stepMs` at each reading (a second: the box shows at the first
// update; 0: it never shows). At the reading `hookAt`, a quit signal comes.
int readings = 0, stepMs = 0, hookAt = 0;
void UseClock(int step, int at = 0) {
    hl::ResetProgress();
    std::tie(readings, stepMs, hookAt) = std::tuple(0, step, at);
    uirt::SetProgressClock([]() -> std::int64_t {
        if (++readings == hookAt) uirt::NoteQuitSignal(SIGTERM);
        return static_cast<std::int64_t>(readings) * stepMs;
    });
}

} // namespace

// Fails when a long "<Wr/Rd byte>" shows no progress box, does not stop at once on Stop or on a
// quit signal (also before its box), or does not report what was done: the bytes written, then
// their rate; or when against a board that goes away it reports more than the first failure,
// writes on after it, or does not say how many bytes were written.
TEST_F(EngineSession, LongByteWritesShowProgressAndStop) {
    RunStep([this] {
        Apply(SetIOMode, 2, SetSubAddress, 5, SetPatternMode, 0, SetWordSize, 0, SetWordCount,
              4096);
        UseClock(1000);
        hl::StopProgressAt(3);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(hl::ProgressShown(),
                  (std::vector<std::string>{"open Kestrel: Writing one byte per call...",
                                            "update 0", "update 0", "update 0", "close"}));
        EXPECT_EQ(Count(Calls(), "UsbWrt(1, 5, data, 1)"), 3u);
        const auto [rateAt, figure] = RateLine(Info());
        EXPECT_EQ(Info().substr(0, rateAt), "Stopped after 3 of 4096 bytes\n");
        EXPECT_NEAR(figure, 3, 0.01);

        // The signal comes after the fourth byte, long before any box: the fifth is the last.
        UseClock(0, 5);
        MarkCalls();
        ClearInfo();
        usb_test();
        uirt::ForgetQuitSignal();
        EXPECT_EQ(Count(Calls(), "UsbWrt(1, 5, data, 1)"), 5u);
        EXPECT_TRUE(Info().starts_with("Stopped after 5 of 4096 bytes\n") &&
                    hl::ProgressShown().empty())
            << Info();

        SetWordCount(1024);
        bus::UnplugBoardAfter(board_, 7);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(std::tuple(Count(Calls(), "UsbWrt(1, 5, data, 1)"), Popups("USB Error")),
                  std::tuple(8u, 1u));
        EXPECT_TRUE(Info().ends_with("Warning : only 7 bytes of 1024 were written\n")) << Info();
    });
}
