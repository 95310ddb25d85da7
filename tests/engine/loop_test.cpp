// Loop mode: start and stop, ticks, the period, the frame statistics and a USB error during
// the loop, acted on as the user.
#include "engine_session.h"

#include "engine/LoopMode.h"

namespace {

bool TimerEnabled() {
    int enabled = -1;
    GetCtrlAttribute(GetSetupPanelHandle(), SETUPPANEL_TIMER, ATTR_ENABLED, &enabled);
    return enabled == 1;
}

double TimerInterval() {
    double interval = -1;
    GetCtrlAttribute(GetSetupPanelHandle(), SETUPPANEL_TIMER, ATTR_INTERVAL, &interval);
    return interval;
}

double LoopLamp() {
    return hl::Value(GetSetupPanelHandle(), SETUPPANEL_LED_2);
}

// Hands `bytes` bytes of one well-formed frame to the library's offline checker, which adds
// them to the total byte count.
void CountBytes(unsigned bytes) {
    std::vector<unsigned char> payload(bytes - 9, 0x11);
    auto frame = bus::MakeFrame(0, payload);
    USB_CheckFrames(frame.data(), static_cast<int>(frame.size()));
}

} // namespace

// Fails when starting the loop does not reset the frame counters and purge before the timer
// starts, runs a transfer at once, or when a tick, the period ring or stopping in a mode other
// than "Extended read" does other than documented.
TEST_F(EngineSession, LoopStartTicksPeriodAndStop) {
    RunStep([this] {
        hl::MarkOption(SetupHandle(), SETUPPANEL_IOMODE, 0);
        hl::EnterValue(SetupHandle(), SETUPPANEL_WORDCOUNT, 4);
        hl::ChooseRingItem(SetupHandle(), SETUPPANEL_LOOPRING, 2);
        EXPECT_EQ(GetLoopTime(), 10);
        EXPECT_DOUBLE_EQ(TimerInterval(), 0.01);
        EXPECT_FALSE(TimerEnabled());
        SetNFrames(9);
        SetLoopTime(20); // as kestrel.cfg would give it, not yet applied to the timer
        MarkCalls();
        ClearInfo();
        hl::Toggle(SetupHandle(), SETUPPANEL_LOOPCHECKBOX, 1);
        EXPECT_DOUBLE_EQ(TimerInterval(), 0.02);
        // The stopwatch starts with the loop: its stop mark, from start-up, is older.
        EXPECT_LT(ElapsedTimeDouble(), 0);
        EXPECT_EQ(Calls(),
                  (std::vector<std::string>{"ResetLostFrames()", "ResetFrameErrors()",
                                            "ResetTotalByteCount()", "USB_PurgeBuffers(1)"}));
        EXPECT_EQ(GetNFrames(), 0);
        EXPECT_EQ(GetLoopState(), 1);
        EXPECT_TRUE(TimerEnabled());
        EXPECT_EQ(LoopLamp(), 1);
        EXPECT_EQ(Info(), "");

        MarkCalls();
        hl::TimerTick(SetupHandle(), SETUPPANEL_TIMER);
        hl::TimerTick(SetupHandle(), SETUPPANEL_TIMER);
        EXPECT_EQ(Calls(), std::vector<std::string>(2, "UsbRd(1, 0, data, 4)"));
        EXPECT_EQ(Occurrences(Info(), "Bytes/s"), 2u);
        EXPECT_EQ(LoopLamp(), 1);

        hl::ChooseRingItem(SetupHandle(), SETUPPANEL_LOOPRING, 8);
        EXPECT_EQ(GetLoopTime(), 1000);
        EXPECT_DOUBLE_EQ(TimerInterval(), 1.0);
        EXPECT_TRUE(TimerEnabled());

        ClearInfo();
        hl::Toggle(SetupHandle(), SETUPPANEL_LOOPCHECKBOX, 0);
        EXPECT_EQ(Info(), "");
        EXPECT_EQ(GetLoopState(), 0);
        EXPECT_FALSE(TimerEnabled());
        EXPECT_EQ(LoopLamp(), 0);
        EXPECT_EQ(hl::TimerTick(SetupHandle(), SETUPPANEL_TIMER), UIE_NO_INPUT);
    });
}

// Fails when the statistics of a loop of extended reads differ from the documented lines: the
// frames counted by the ticks, then the 2.0 s / 100 frames / 512 bytes example.
TEST_F(EngineSession, LoopStatisticsOfExtendedReads) {
    RunStep([this] {
        hl::MarkOption(SetupHandle(), SETUPPANEL_IOMODE, 4);
        hl::Toggle(SetupHandle(), SETUPPANEL_LOOPCHECKBOX, 1);
        MarkCalls();
        hl::TimerTick(SetupHandle(), SETUPPANEL_TIMER);
        hl::TimerTick(SetupHandle(), SETUPPANEL_TIMER);
        EXPECT_EQ(Calls(), std::vector<std::string>(
                               2, "UsbRdEx(1, data, " + std::to_string(GetRxBuffer()) + ", out)"));
        EXPECT_GT(GetNFrames(), 0);
        ClearInfo();
        hl::Toggle(SetupHandle(), SETUPPANEL_LOOPCHECKBOX, 0);
        const std::string frames = "Processed frames = " + std::to_string(GetNFrames()) +
                                   ".000000\nLost frames = 0\nHeader errors = 0\n"
                                   "Trailer errors = 0\n";
        EXPECT_EQ(Info().substr(0, frames.size()), frames);
        EXPECT_NE(Info().find("s- Total bytes = " + std::to_string(GetTotalByteCount()) + "\n"),
                  std::string::npos)
            << Info();

        hl::Toggle(SetupHandle(), SETUPPANEL_LOOPCHECKBOX, 1);
        CountBytes(512);
        SetNFrames(100);
        SetPrecTimerMarks(0, 2000000000);
        ClearInfo();
        hl::Toggle(SetupHandle(), SETUPPANEL_LOOPCHECKBOX, 0);
        EXPECT_EQ(Info(), "Processed frames = 100.000000\n"
                          "Lost frames = 0\n"
                          "Header errors = 0\n"
                          "Trailer errors = 0\n"
                          "50.000000 frames/s within 2.000000 s- Total bytes = 512\n"
                          "Speed 256.000000 b/s\n");
    });
}

// Fails when a byte total above 2^31 is not negative in the rate line or wrong in the speed
// line.
TEST_F(EngineSession, LoopStatisticsAboveTwoGigabytes) {
    RunStep([] {
        ClearInfo();
        PrintFrameStatistics(100, 1, 2, 3, 2164260864u, 2.0);
        EXPECT_EQ(Info(), "Processed frames = 100.000000\n"
                          "Lost frames = 1\n"
                          "Header errors = 2\n"
                          "Trailer errors = 3\n"
                          "50.000000 frames/s within 2.000000 s- Total bytes = -2130706432\n"
                          "Speed 1082130432.000000 b/s\n");
    });
}

// Fails when a USB error during the loop does not stop it once (box, check box, lamp, timer,
// loop state) or prints statistics, or when the next start does not reset the counters.
TEST_F(EngineSession, UsbErrorStopsTheLoop) {
    RunStep([this] {
        hl::MarkOption(SetupHandle(), SETUPPANEL_IOMODE, 4);
        hl::Toggle(SetupHandle(), SETUPPANEL_LOOPCHECKBOX, 1);
        hl::TimerTick(SetupHandle(), SETUPPANEL_TIMER);
        bus::FailNextCall("UsbRdEx", CORVOUSB_ERR_IO);
        ClearInfo();
        hl::TimerTick(SetupHandle(), SETUPPANEL_TIMER);
        EXPECT_EQ(hl::TimerTick(SetupHandle(), SETUPPANEL_TIMER), UIE_NO_INPUT);
        EXPECT_EQ(Popups("USB Error"), 1u);
        EXPECT_EQ(hl::Value(SetupHandle(), SETUPPANEL_LOOPCHECKBOX), 0);
        EXPECT_EQ(GetLoopState(), 0);
        EXPECT_FALSE(TimerEnabled());
        EXPECT_EQ(LoopLamp(), 0);
        EXPECT_EQ(Info().find("Processed frames ="), std::string::npos) << Info();
        EXPECT_GT(GetNFrames(), 0);

        MarkCalls();
        hl::Toggle(SetupHandle(), SETUPPANEL_LOOPCHECKBOX, 1);
        EXPECT_EQ(GetNFrames(), 0);
        EXPECT_EQ(Count(Calls(), "ResetTotalByteCount()"), 1u);
        EXPECT_EQ(GetTotalByteCount(), 0u);
        EXPECT_TRUE(TimerEnabled());
    });
}

// Fails when a loop of extended reads with the frame format off (no read, the stop mark older
// than the start) prints a negative, infinite or undefined time or rate.
TEST_F(EngineSession, LoopStatisticsWithoutAnyRead) {
    RunStep([] {
        hl::Toggle(SetupHandle(), SETUPPANEL_BINARYSWITCH, 0);
        hl::MarkOption(SetupHandle(), SETUPPANEL_IOMODE, 4);
        hl::Toggle(SetupHandle(), SETUPPANEL_LOOPCHECKBOX, 1);
        hl::TimerTick(SetupHandle(), SETUPPANEL_TIMER);
        ClearInfo();
        hl::Toggle(SetupHandle(), SETUPPANEL_LOOPCHECKBOX, 0);
        EXPECT_EQ(Info(), "Processed frames = 0.000000\n"
                          "Lost frames = 0\n"
                          "Header errors = 0\n"
                          "Trailer errors = 0\n"
                          "0.000000 frames/s within 0.000000 s- Total bytes = 0\n"
                          "Speed 0.000000 b/s\n");
    });
}
