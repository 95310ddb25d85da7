// The "Monitor" window as the user sees it: opened from the menu or at a loop's start, its
// charts, figures and log following the loop, the soak limits it sets, and "Save history...".
#include "tests/support/EngineSession.h"

#include "core/IoMode.h"
#include "monitor/HistoryFile.h"
#include "monitor/RunMonitor.h"
#include "ui/Monitor.h"

#include <cstdlib>

using namespace std::chrono_literals;

namespace {

class MonitorPanelTest : public EngineSession {
  protected:
    void SetUp() override {
        EngineSession::SetUp();
        setenv("TZ", "UTC", 1);
        tzset();
        monitor::SetClocks({bus::BusTime, [] { return monitor::WallTime(bus::BusTime()); }});
    }
    void TearDown() override {
        monitor::SetClocks({});
        EngineSession::TearDown();
    }
    static int Monitor() { return hl::PanelNamed("MONITORPANEL"); }
    // Ticks every 2 ms of bus time for `span`, as long as the loop runs.
    static void RunFor(std::chrono::nanoseconds span) {
        for (const auto end = bus::BusTime() + span; GetLoopState() != 0 && bus::BusTime() < end;) {
            bus::WaitFor(2ms);
            hl::TimerTick(GetSetupPanelHandle(), SETUPPANEL_TIMER);
        }
    }
    static void Loop(int on) { hl::Toggle(GetSetupPanelHandle(), SETUPPANEL_LOOPCHECKBOX, on); }
};

} // namespace

// Fails when the menu item does not show the window, the charts miss a second or show other
// figures than the history's, the window choice is not the points per screen, the figures or
// the log do not follow the loop, the errors limit entered does not stop it, or "Open when a
// loop starts" is not kept in kestrel.ini and acted on, or the window outlives shutdown.
TEST_F(MonitorPanelTest, FollowsTheLoopAndSetsItsLimits) {
    Then([this] {
        hl::MarkOption(SetupHandle(), SETUPPANEL_IOMODE, IOMODE_EXTENDED_READ);
        bus::DropFrames(board_, 5000, 2);
        EXPECT_EQ(Monitor(), -1);
        hl::ChooseMenuItem("MENUBAR_TESTMENU_MONITOR");
        const int m = Monitor();
        ASSERT_GT(m, 0);
        EXPECT_TRUE(hl::IsPanelVisible(m));
        hl::EnterValue(m, MONITORPANEL_STOPERRORS, 2);
        Loop(1);
        RunFor(3s);
        EXPECT_EQ(GetLoopState(), 0); // stopped by the errors limit
        const monitor::SecondHistory& h = monitor::Sampler().history();
        ASSERT_GE(h.size(), 2u);
        std::vector<double> rates, lost;
        for (std::size_t i = 0; i < h.size(); ++i) {
            rates.push_back(h[i].megabytesPerSecond());
            lost.push_back(static_cast<double>(h[i].counts.lost));
        }
        EXPECT_EQ(hl::ChartPoints(m, MONITORPANEL_RATECHART, 1), rates);
        EXPECT_EQ(hl::ChartPoints(m, MONITORPANEL_ERRORCHART, 1), lost);
        EXPECT_EQ(hl::Text(m, MONITORPANEL_ERRORS), "Errors: 2");
        EXPECT_EQ(hl::Text(m, MONITORPANEL_TOTALBYTES),
                  "Total: " + std::to_string(GetTotalByteCount()) + " bytes");
        const std::string log = hl::Text(m, MONITORPANEL_EVENTLOG);
        EXPECT_NE(log.find("Loop stopped: 2 errors reached the limit of 2\n"), std::string::npos);
        hl::ChooseRingItem(m, MONITORPANEL_WINDOWRING, 2);
        int points = 0;
        GetCtrlAttribute(m, MONITORPANEL_RATECHART, ATTR_POINTS_PER_SCREEN, &points);
        EXPECT_EQ(std::tuple(points, hl::ChartPoints(m, MONITORPANEL_RATECHART, 1)),
                  std::tuple(3600, rates));

        hl::Toggle(m, MONITORPANEL_OPENATSTART, 1);
        hl::Press(m, MONITORPANEL_CLOSEBTN);
        EXPECT_FALSE(hl::IsPanelVisible(m));
        Loop(1);
        EXPECT_TRUE(hl::IsPanelVisible(m));
        Loop(0);
    });
    Run();
    EXPECT_EQ(hl::PanelNamed("MONITORPANEL"), -1); // discarded at shutdown
    std::ifstream ini("kestrel.ini");
    const std::string text((std::istreambuf_iterator<char>(ini)), {});
    EXPECT_NE(text.find("monitor-at-loop-start = 1\n"), std::string::npos) << text;
}

// Fails when "Save history..." does not write the CSV and the log beside it, or when a file
// that cannot be written is not reported in a box, or loses the history from memory.
TEST_F(MonitorPanelTest, SaveHistoryWritesBothFilesOrSaysWhy) {
    RunStep([this] {
        hl::MarkOption(SetupHandle(), SETUPPANEL_IOMODE, IOMODE_EXTENDED_READ);
        hl::ChooseMenuItem("MENUBAR_TESTMENU_MONITOR");
        Loop(1);
        RunFor(1500ms);
        Loop(0);
        const std::string csv =
            monitor::HistoryCsv(monitor::Sampler().history(), monitor::RunStart(), false);
        hl::AnswerNextFileSelect("missing/run.csv");
        hl::Press(Monitor(), MONITORPANEL_SAVEBTN);
        ASSERT_EQ(Popups("Save history"), 1u);
        EXPECT_NE(hl::Popups().back().text.find("missing/run.csv could not be written"),
                  std::string::npos);
        hl::AnswerNextFileSelect("run.csv");
        hl::Press(Monitor(), MONITORPANEL_SAVEBTN);
        EXPECT_EQ(std::tuple(ReadFile("run.csv"), Popups("Save history")), std::tuple(csv, 1u));
        EXPECT_EQ(ReadFile("run.log"), monitor::Log().text());
    });
}
