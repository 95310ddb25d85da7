// Soak: loop mode's extended reads for 100,000 ticks on the in-memory bus, with faults.
#include "tests/support/KestrelSession.h"

#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"

static constexpr unsigned TICKS = 100000, ROUND = 10000;

// Fails when a long loop of extended reads with faults along the way crashes or leaks (under
// the sanitizer build), shows other than one "USB Error" box per fault that stops the loop,
// stops for a fault that should not stop it, counts other frame errors than were injected, or
// leaves kestrel.cfg other than the run's settings.
TEST_F(KestrelSession, SoakExtendedReadLoopWithFaults) {
    // The board answers at once: the soak is about faults, not about keeping up with time.
    corvousb::BoardSetup setup;
    setup.timing = false;
    const int board = bus::AddBoard(setup);
    unsigned headers = 0, trailers = 0, lost = 0; // counted by the library, over all loops
    unsigned injectedHeaders = 0, injectedTrailers = 0, stops = 0, ticks = 0;
    Then([&] {
        hl::Toggle(SetupHandle(), SETUPPANEL_PRINTCHK, 0);
        hl::EnterValue(SetupHandle(), SETUPPANEL_RXBUFSZ, 1024);
        hl::MarkOption(SetupHandle(), SETUPPANEL_IOMODE, 4);
        auto startLoop = [&] {
            hl::Toggle(SetupHandle(), SETUPPANEL_LOOPCHECKBOX, 1);
            ASSERT_TRUE(LoopRunning());
        };
        // The library's counters start again with each loop: take them before a restart.
        auto takeCounters = [&] {
            headers += GetHeaderErrors();
            trailers += GetTrailerErrors();
            lost += GetLostFrames();
        };
        // The tick on which a fault that stops the loop shows: one box, the loop off.
        auto expectStopped = [&](const char* fault) {
            SCOPED_TRACE(fault);
            ++stops;
            EXPECT_EQ(Popups("USB Error"), stops);
            EXPECT_FALSE(LoopRunning());
            EXPECT_EQ(hl::TimerTick(SetupHandle(), SETUPPANEL_TIMER), UIE_NO_INPUT);
            takeCounters();
        };
        auto nextFrame = [&] { return bus::Board(board).framesSent + 2; };

        startLoop();
        for (ticks = 0; ticks < TICKS; ++ticks) {
            switch (ticks % ROUND) {
            case 1000:
                bus::CorruptFrameHeaders(board, nextFrame());
                ++injectedHeaders;
                break;
            case 2000:
                bus::CorruptFrameTrailers(board, nextFrame());
                ++injectedTrailers;
                break;
            case 3000:
                // A read time-out with no data is the quiet condition: the loop goes on.
                bus::FailNextCall("UsbRdEx", 20);
                break;
            case 5000:
                bus::UnplugBoard(board);
                break;
            case 7000:
                bus::RefuseEveryByte(board);
                break;
            default:
                break;
            }
            ASSERT_EQ(hl::TimerTick(SetupHandle(), SETUPPANEL_TIMER), 0) << "tick " << ticks;
            if (ticks % ROUND == 5000) {
                expectStopped("unplugged");
                bus::PlugBoard(board);
                // The user reconnects: "Disconnect", then "Connect and initialize".
                ASSERT_EQ(hl::Press(SetupHandle(), SETUPPANEL_DISCONNECT), 0);
                ASSERT_EQ(hl::Press(SetupHandle(), SETUPPANEL_RESETBTN), 0);
                startLoop();
            } else if (ticks % ROUND == 7000) {
                expectStopped("refusing every byte");
                bus::RefuseEveryByte(board, false);
                startLoop();
            } else {
                ASSERT_TRUE(LoopRunning()) << "tick " << ticks;
            }
        }
        hl::Toggle(SetupHandle(), SETUPPANEL_LOOPCHECKBOX, 0);
        takeCounters();
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(ticks, static_cast<unsigned>(TICKS));
    EXPECT_EQ(stops, 2u * TICKS / ROUND);
    EXPECT_EQ(Popups("USB Error"), stops);
    EXPECT_EQ(hl::Popups().size(), stops);
    EXPECT_EQ(headers, injectedHeaders);
    EXPECT_EQ(trailers, injectedTrailers);
    EXPECT_EQ(lost, injectedHeaders);

    auto lines = ConfigLines();
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "Simulated Corvo Board");
    EXPECT_EQ(lines[1], "SIM00001");
    EXPECT_EQ(lines[3], "4");    // "Extended read"
    EXPECT_EQ(lines[15], "400"); // receive size 1024
    EXPECT_EQ(lines[17], "0");   // printing off
}
