// The "Monitor" window as the user sees it: opened from the menu or at a loop's start, its
// charts, figures and log following the loop, the soak limits it sets, and "Save history...".
#include "tests/support/EngineSession.h"

#include "core/IoMode.h"
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

// Fails when the menu item does not show the window, the figures or the log do not follow the
// loop, the errors limit entered does not stop it, or "Open when a
// loop starts" is not kept in kestrel.ini and acted on.
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
        EXPECT_EQ(hl::Text(m, MONITORPANEL_ERRORS), "Errors: 2");
        EXPECT_EQ(hl::Text(m, MONITORPANEL_TOTALBYTES),
                  "Total: " + std::to_string(GetTotalByteCount()) + " bytes");
        const std::string log = hl::Text(m, MONITORPANEL_EVENTLOG);
        EXPECT_NE(log.find("Loop stopped: 2 errors reached the limit of 2\n"), std::string::npos);

        hl::Toggle(m, MONITORPANEL_OPENATSTART, 1);
        hl::Press(m, MONITORPANEL_CLOSEBTN);
        EXPECT_FALSE(hl::IsPanelVisible(m));
        Loop(1);
        EXPECT_TRUE(hl::IsPanelVisible(m));
        Loop(0);
    });
    Run();
    std::ifstream ini("kestrel.ini");
    const std::string text((std::istreambuf_iterator<char>(ini)), {});
    EXPECT_NE(text.find("monitor-at-loop-start = 1\n"), std::string::npos) << text;
}
