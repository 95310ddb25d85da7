// Loop mode: start and stop, ticks, the period, the frame statistics and a USB error during
// the loop, acted on as the user.
#include "tests/support/EngineSession.h"

#include "core/IoMode.h"
#include "engine/LoopMode.h"

namespace {

// The loop as the user and the program see it: "loop L, timer on|off every S s, lamp L".
std::string LoopView() {
    int enabled = -1;
    double interval = -1;
    GetCtrlAttribute(GetSetupPanelHandle(), SETUPPANEL_TIMER, ATTR_ENABLED, &enabled);
    GetCtrlAttribute(GetSetupPanelHandle(), SETUPPANEL_TIMER, ATTR_INTERVAL, &interval);
    char text[80];
    std::snprintf(text, sizeof text, "loop %d, timer %s every %g s, lamp %g", GetLoopState(),
                  enabled == 1 ? "on" : "off", interval,
                  hl::Value(GetSetupPanelHandle(), SETUPPANEL_LED_2));
    return text;
}

void Loop(int on) {
    hl::Toggle(GetSetupPanelHandle(), SETUPPANEL_LOOPCHECKBOX, on);
}
void Tick() {
    hl::TimerTick(GetSetupPanelHandle(), SETUPPANEL_TIMER);
}

} // namespace

// Fails when starting the loop does not reset the frame counters and purge before the timer
// starts, runs a transfer at once, or when a tick, the period ring or stopping in a mode other
// than "Extended read" does other than documented.
TEST_F(EngineSession, LoopStartTicksPeriodAndStop) {
    RunStep([this] {
        hl::MarkOption(SetupHandle(), SETUPPANEL_IOMODE, IOMODE_READ);
        hl::EnterValue(SetupHandle(), SETUPPANEL_WORDCOUNT, 4);
        hl::ChooseRingItem(SetupHandle(), SETUPPANEL_LOOPRING, 2);
        EXPECT_EQ(std::tuple(GetLoopTime(), LoopView()),
                  std::tuple(10, "loop 0, timer off every 0.01 s, lamp 0"));
        SetNFrames(9);
        SetLoopTime(20); // as kestrel.cfg would give it, not yet applied to the timer
        MarkCalls();
        ClearInfo();
        Loop(1);
        // The stopwatch starts with the loop: its stop mark, from start-up, is older.
        EXPECT_EQ(
            std::tuple(LoopView(), ElapsedTimeDouble() < 0, Calls(), GetNFrames(), Info()),
            std::tuple("loop 1, timer on every 0.02 s, lamp 1", true,
                       std::vector<std::string>{"ResetLostFrames()", "ResetFrameErrors()",
                                                "ResetTotalByteCount()", "USB_PurgeBuffers(1)"},
                       0, ""));
        MarkCalls();
        Tick();
        Tick();
        const std::string info = Info();
        const std::regex rate("Bytes/s");
        EXPECT_EQ(
            std::tuple(Calls(), std::distance(std::sregex_iterator(info.begin(), info.end(), rate),
                                              std::sregex_iterator())),
            std::tuple(std::vector<std::string>(2, "UsbRd(1, 0, data, 4)"), 2));
        hl::ChooseRingItem(SetupHandle(), SETUPPANEL_LOOPRING, 8);
        EXPECT_EQ(std::tuple(GetLoopTime(), LoopView()),
                  std::tuple(1000, "loop 1, timer on every 1 s, lamp 1"));
        ClearInfo();
        Loop(0);
        EXPECT_EQ(std::tuple(Info(), LoopView(), hl::TimerTick(SetupHandle(), SETUPPANEL_TIMER)),
                  std::tuple("", "loop 0, timer off every 1 s, lamp 0", UIE_NO_INPUT));
    });
}

// Fails when the statistics of a loop of extended reads differ from the documented lines: the
// 2.0 s / 100 frames / 512 bytes example, counts above 2^31
// (negative) or 2^32 (wrapped), or a loop without any read (no negative, infinite or
// undefined time or rate); or when a USB error during the loop does not stop it once (box,
// check box, lamp, timer, loop state) or prints statistics.
TEST_F(EngineSession, ExtendedReadLoopStatisticsAndErrorStop) {
    RunStep([this] {
        hl::MarkOption(SetupHandle(), SETUPPANEL_IOMODE, IOMODE_EXTENDED_READ);
        // A USB error stops the loop once, without statistics; the next start begins afresh.
        Loop(1);
        Tick();
        bus::FailNextCall("UsbRdEx", CORVOUSB_ERR_IO);
        ClearInfo();
        Tick();
        EXPECT_EQ(std::tuple(hl::TimerTick(SetupHandle(), SETUPPANEL_TIMER), Popups("USB Error"),
                             hl::Value(SetupHandle(), SETUPPANEL_LOOPCHECKBOX), LoopView(),
                             Info().find("Processed frames ="), GetNFrames() > 0),
                  std::tuple(UIE_NO_INPUT, 1u, 0.0, "loop 0, timer off every 0.002 s, lamp 0",
                             std::string::npos, true))
            << Info();
        Loop(1);
        EXPECT_EQ(std::tuple(LoopView(), GetNFrames()),
                  std::tuple("loop 1, timer on every 0.002 s, lamp 1", 0));
        // One well-formed frame of 512 bytes through the offline checker adds to the byte total.
        auto frame = bus::MakeFrame(0, std::vector<unsigned char>(503, 0x11));
        USB_CheckFrames(frame.data(), static_cast<int>(frame.size()));
        SetNFrames(100);
        SetPrecTimerMarks(0, 2000000000);
        ClearInfo();
        Loop(0);
        PrintFrameStatistics(100, 3000000000ULL, 1ULL << 32, 5, 1ULL << 33, 2.0);
        hl::Toggle(SetupHandle(), SETUPPANEL_BINARYSWITCH, 0);
        Loop(1);
        Tick();
        Loop(0);
        EXPECT_EQ(Info(), Counters("100.000000", 0, 0, 0) +
                              "50.000000 frames/s within 2.000000 s- Total bytes = 512\n"
                              "Speed 256.000000 b/s\n" +
                              "Processed frames = 100.000000\nLost frames = 3000000000\n"
                              "Header errors = 4294967296\nTrailer errors = 5\n"
                              "50.000000 frames/s within 2.000000 s- Total bytes = 8589934592\n"
                              "Speed 4294967296.000000 b/s\n" +
                              Counters("0.000000", 0, 0, 0) +
                              "0.000000 frames/s within 0.000000 s- Total bytes = 0\n"
                              "Speed 0.000000 b/s\n");
        // The frame format outlives the session in this process: back to the start-up format.
        hl::Toggle(SetupHandle(), SETUPPANEL_BINARYSWITCH, 1);
    });
}
