// The run monitor on the simulated board over the bus's virtual clock: seconds, event log and
// soak limits, with loop mode driven as the user drives it, and the "Monitor" window following it.
#include "tests/support/EngineSession.h"

#include "core/AdditionSettings.h"
#include "core/IoMode.h"
#include "engine/DataCheck.h"
#include "monitor/HistoryFile.h"
#include "monitor/RunMonitor.h"
#include "ui/Monitor.h"

#include <cstdlib>
#include <gmock/gmock.h>

using ::testing::HasSubstr;

using namespace std::chrono_literals;

namespace {

class RunMonitorTest : public EngineSession {
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

    // Ticks every 2 ms of bus time until the loop stops or `span` has passed since it started;
    // adds each transfer's bytes to the second in which it ended.
    void RunFor(std::chrono::nanoseconds span) {
        const auto start = bus::BusTime();
        while (GetLoopState() != 0 && bus::BusTime() - start < span) {
            bus::WaitFor(2ms);
            const unsigned long long before = GetTotalByteCount();
            hl::TimerTick(SetupHandle(), SETUPPANEL_TIMER);
            const auto second = static_cast<std::size_t>((bus::BusTime() - origin_) / 1s);
            bytes_.resize(std::max(bytes_.size(), second + 1));
            bytes_[second] += GetTotalByteCount() - before;
        }
    }
    void Loop(int on) {
        if (on) bytes_.clear(), origin_ = bus::BusTime();
        hl::Toggle(GetSetupPanelHandle(), SETUPPANEL_LOOPCHECKBOX, on);
    }
    static int Monitor() { return hl::PanelNamed("MONITORPANEL"); }
    static std::vector<std::string> LogTail(std::size_t n) {
        const monitor::EventLog& log = monitor::Log();
        std::vector<std::string> lines;
        for (std::size_t i = log.size() - std::min(n, log.size()); i < log.size(); ++i)
            lines.push_back(log[i].substr(31)); // after the stamp
        return lines;
    }

    std::chrono::nanoseconds origin_{};
    std::vector<unsigned long long> bytes_;
};
using MonitorPanelTest = RunMonitorTest;

} // namespace

// Fails when a second's bytes, checked bytes or errors differ from the transfers that ended in it,
// when the log misses or misorders the start with its settings, a setting changed during the run,
// the seconds with errors or the stop, or when its time stamps are not the run's.
TEST_F(RunMonitorTest, SecondsAndEventLogOfALoopWithLostAndBrokenFrames) {
    RunStep([this] {
        hl::MarkOption(SetupHandle(), SETUPPANEL_IOMODE, IOMODE_EXTENDED_READ);
        bus::DropFrames(board_, 5000, 3);
        bus::CorruptFrameTrailers(board_, 5100);
        settings::Additions().set(settings::kVerify, 1);
        Loop(1);
        RunFor(1500ms);
        hl::ChooseRingItem(SetupHandle(), SETUPPANEL_LOOPRING, 1);
        RunFor(1000ms);
        Loop(0);

        const monitor::SecondHistory& h = monitor::Sampler().history();
        std::vector<unsigned long long> bytes;
        std::uint64_t checked = 0;
        for (std::size_t i = 0; i < h.size(); ++i)
            bytes.push_back(h[i].counts.bytes), checked += h[i].counts.checked;
        EXPECT_EQ(std::tuple(bytes, bytes.size(), checked, h[1].counts.errors()),
                  std::tuple(bytes_, 3u, CheckTotals().compared, 4u));
        EXPECT_GT(checked, 0u);
        std::vector<std::string> log = LogTail(4);
        ASSERT_EQ(log.size(), 4u);
        log[0].resize(71);
        EXPECT_EQ(log,
                  (std::vector<std::string>{
                      "Loop started: I/O mode = Extended read, loop time = 2 ms, framing = 1, ",
                      "Setting changed: loop time = 5 ms",
                      "Errors in second 2: 3 lost frames, 0 header errors, 1 trailer error, "
                      "0 wrong bytes",
                      "Loop stopped: by the user"}));
        EXPECT_EQ(monitor::Log()[monitor::Log().size() - 2].substr(0, 29),
                  monitor::LocalTimeStamp(monitor::RunStart() + 2s));
    });
}

// Fails when a soak limit does not stop the loop at the first transfer that reaches it, stops it
// other than through "Loop" (no statistics, loop state left on), or the log does not say why;
// or when a library error's stop is not logged after the error.
TEST_F(RunMonitorTest, SoakLimitsAndLibraryErrorsStopTheLoop) {
    RunStep([this] {
        hl::MarkOption(SetupHandle(), SETUPPANEL_IOMODE, IOMODE_EXTENDED_READ);
        monitor::Limits().errors = 4;
        bus::DropFrames(board_, 300, 2);
        bus::CorruptFrameHeaders(board_, 900);
        bus::CorruptFrameHeaders(board_, 5000);
        Loop(1);
        ClearInfo();
        RunFor(60s);
        EXPECT_EQ(std::tuple(GetLoopState(), hl::Value(SetupHandle(), SETUPPANEL_LOOPCHECKBOX),
                             GetLostFrames() + GetHeaderErrors()),
                  std::tuple(0, 0.0, 4ull));
        EXPECT_THAT(Info(), HasSubstr("Lost frames = 3\nHeader errors = 1\n"));
        EXPECT_EQ(LogTail(1),
                  std::vector<std::string>{"Loop stopped: 4 errors reached the limit of 4"});

        monitor::Limits() = {.duration = 2s};
        Loop(1);
        RunFor(60s);
        const auto elapsed = monitor::Sampler().summary().elapsed;
        EXPECT_TRUE(elapsed >= 2s && elapsed < 2s + 10ms) << elapsed.count();
        EXPECT_EQ(LogTail(1),
                  std::vector<std::string>{"Loop stopped: the run reached its limit of 2 s"});

        Loop(1);
        RunFor(100ms);
        bus::FailNextCall("UsbRdEx", CORVOUSB_ERR_IO);
        RunFor(100ms);
        std::vector<std::string> log = LogTail(2);
        ASSERT_EQ(log.size(), 2u);
        log[0].resize(15);
        EXPECT_EQ(log, (std::vector<std::string>{"Library error: ",
                                                 "Loop stopped: after the library error"}));
        EXPECT_FALSE(monitor::RunActive());
    });
}

// Fails when the menu item does not show the window, the charts miss a second or show other
// figures than the history's, the window choice is not the points per screen, the figures or
// the log do not follow the loop, the errors limit entered does not stop it, or "Open when a
// loop starts" is not kept in kestrel.ini and acted on, or the window outlives shutdown; when
// "Save history..." does not write the CSV and the log beside it, or when a file that cannot be
// written is not reported in a box, or loses the history from memory.
TEST_F(MonitorPanelTest, FollowsTheLoopSetsItsLimitsAndSavesHistory) {
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
        EXPECT_EQ(std::tuple(hl::ChartPoints(m, MONITORPANEL_RATECHART, 1),
                             hl::ChartPoints(m, MONITORPANEL_ERRORCHART, 1),
                             hl::Text(m, MONITORPANEL_ERRORS),
                             hl::Text(m, MONITORPANEL_TOTALBYTES)),
                  std::tuple(rates, lost, "Errors: 2",
                             "Total: " + std::to_string(GetTotalByteCount()) + " bytes"));
        EXPECT_THAT(hl::Text(m, MONITORPANEL_EVENTLOG),
                    HasSubstr("Loop stopped: 2 errors reached the limit of 2\n"));
        hl::ChooseRingItem(m, MONITORPANEL_WINDOWRING, 2);
        int points = 0;
        GetCtrlAttribute(m, MONITORPANEL_RATECHART, ATTR_POINTS_PER_SCREEN, &points);
        EXPECT_EQ(std::tuple(points, hl::ChartPoints(m, MONITORPANEL_RATECHART, 1)),
                  std::tuple(3600, rates));

        const std::string csv =
            monitor::HistoryCsv(monitor::Sampler().history(), monitor::RunStart(), false);
        hl::AnswerNextFileSelect("missing/run.csv");
        hl::Press(m, MONITORPANEL_SAVEBTN);
        ASSERT_EQ(Popups("Save history"), 1u);
        EXPECT_THAT(hl::Popups().back().text, HasSubstr("missing/run.csv could not be written"));
        hl::AnswerNextFileSelect("run.csv");
        hl::Press(m, MONITORPANEL_SAVEBTN);
        EXPECT_EQ(std::tuple(ReadFile("run.csv"), ReadFile("run.log"), Popups("Save history")),
                  std::tuple(csv, monitor::Log().text(), 1u));

        hl::Toggle(m, MONITORPANEL_OPENATSTART, 1);
        hl::Press(m, MONITORPANEL_CLOSEBTN);
        EXPECT_FALSE(hl::IsPanelVisible(m));
        Loop(1);
        EXPECT_TRUE(hl::IsPanelVisible(m));
        Loop(0);
    });
    Run();
    EXPECT_EQ(hl::PanelNamed("MONITORPANEL"), -1); // discarded at shutdown
    EXPECT_THAT(ReadFile("kestrel.ini"), HasSubstr("monitor-at-loop-start = 1\n"));
}
