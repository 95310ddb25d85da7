// End to end: an "Extended read" loop with frame faults, then "Simulation" replays its capture.
#include "tests/app/kestrel_session.h"

#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"

#include <regex>
#include <string>

namespace {

class LoopReplay : public KestrelSession {};

// The figure after `label` in the information box's text, or -1 when it is not there.
double Figure(const std::string& text, const std::string& label) {
    const std::regex line(label + " = ([0-9.]+)\n");
    std::smatch m;
    return std::regex_search(text, m, line) ? std::stod(m[1]) : -1;
}

// Fails when the capture the debug log keeps during a loop does not replay to the loop's own
// frame total and fault counters.
TEST_F(LoopReplay, ReplayOfALoopsCaptureMatchesItsStatistics) {
    int board = AddBoard("Lab board", "LAB00001");
    bus::DropFrames(board, 40, 3);
    bus::CorruptFrameHeaders(board, 90);
    bus::CorruptFrameTrailers(board, 130);
    std::string loop, replay;
    Then([&] {
        const int setup = SetupHandle();
        hl::MarkOption(setup, SETUPPANEL_IOMODE, 4);
        hl::Toggle(setup, SETUPPANEL_PRINTCHK, 0);
        hl::Toggle(setup, SETUPPANEL_LOOPCHECKBOX, 1);
        for (int tick = 0; tick < 12; ++tick)
            hl::TimerTick(setup, SETUPPANEL_TIMER);
        ResetTextBox(MainHandle(), MAINPANEL_INFOTEXTBOX, "");
        hl::Toggle(setup, SETUPPANEL_LOOPCHECKBOX, 0);
        loop = InfoText();
        ResetTextBox(MainHandle(), MAINPANEL_INFOTEXTBOX, "");
        hl::Press(setup, SETUPPANEL_SIMUL_BTN);
        replay = InfoText();
    });
    hl::Script([] { hl::ChooseMenuItem("MENUBAR_FILEMENU_EXIT"); });
    KestrelMain(1);
    const double frames = Figure(loop, "Processed frames");
    EXPECT_GT(frames, 150) << loop;
    EXPECT_EQ(Figure(replay, "Processed frames"), frames) << replay;
    for (const char* counter : {"Lost frames", "Header errors", "Trailer errors"})
        EXPECT_EQ(Figure(replay, counter), Figure(loop, counter)) << counter << "\n" << replay;
    EXPECT_EQ(Figure(loop, "Lost frames"), 4);
    EXPECT_EQ(Figure(loop, "Header errors"), 1);
    EXPECT_EQ(Figure(loop, "Trailer errors"), 1);
}

} // namespace
