// The run monitor on the simulated board over the bus's virtual clock: seconds, event log and
// soak limits, with loop mode driven as the user drives it.
#include "tests/support/EngineSession.h"

#include "core/AdditionSettings.h"
#include "core/IoMode.h"
#include "engine/DataCheck.h"
#include "monitor/RunMonitor.h"

#include <cstdlib>

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
    void StartLoop() {
        bytes_.clear();
        origin_ = bus::BusTime();
        hl::Toggle(SetupHandle(), SETUPPANEL_LOOPCHECKBOX, 1);
    }
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
        StartLoop();
        RunFor(1500ms);
        hl::ChooseRingItem(SetupHandle(), SETUPPANEL_LOOPRING, 1);
        RunFor(1000ms);
        hl::Toggle(SetupHandle(), SETUPPANEL_LOOPCHECKBOX, 0);

        const monitor::SecondHistory& h = monitor::Sampler().history();
        ASSERT_EQ(h.size(), bytes_.size());
        for (std::size_t i = 0; i < h.size(); ++i)
            EXPECT_EQ(h[i].counts.bytes, bytes_[i]) << "second " << i + 1;
        EXPECT_EQ(h.size(), 3u);
        EXPECT_EQ(h[0].counts.checked + h[1].counts.checked + h[2].counts.checked,
                  CheckTotals().compared);
        EXPECT_GT(CheckTotals().compared, 0u);
        const std::vector<std::string> log = LogTail(4);
        ASSERT_EQ(log.size(), 4u);
        EXPECT_EQ(log[0].substr(0, 71),
                  "Loop started: I/O mode = Extended read, loop time = 2 ms, framing = 1, ");
        EXPECT_EQ(log[1], "Setting changed: loop time = 5 ms");
        EXPECT_EQ(
            log[2],
            "Errors in second 2: 3 lost frames, 0 header errors, 1 trailer error, 0 wrong bytes");
        EXPECT_EQ(log[3], "Loop stopped: by the user");
        EXPECT_EQ(h[1].counts.lost + h[1].counts.trailerErrors, 4u);
        EXPECT_EQ(monitor::Log()[monitor::Log().size() - 2].substr(0, 29),
                  monitor::LocalTimeStamp(monitor::RunStart() + 2s));
        // The statistics lines come as without the monitor.
        EXPECT_NE(Info().find("Lost frames = 3\nHeader errors = 0\nTrailer errors = 1\n"),
                  std::string::npos);
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
        StartLoop();
        ClearInfo();
        RunFor(60s);
        EXPECT_EQ(std::tuple(GetLoopState(), hl::Value(SetupHandle(), SETUPPANEL_LOOPCHECKBOX),
                             GetLostFrames() + GetHeaderErrors()),
                  std::tuple(0, 0.0, 4ull));
        EXPECT_NE(Info().find("Lost frames = 3\nHeader errors = 1\n"), std::string::npos);
        EXPECT_EQ(LogTail(1),
                  std::vector<std::string>{"Loop stopped: 4 errors reached the limit of 4"});

        monitor::Limits() = {.duration = 2s};
        StartLoop();
        RunFor(60s);
        const auto elapsed = monitor::Sampler().summary().elapsed;
        EXPECT_TRUE(elapsed >= 2s && elapsed < 2s + 10ms) << elapsed.count();
        EXPECT_EQ(LogTail(1),
                  std::vector<std::string>{"Loop stopped: the run reached its limit of 2 s"});

        StartLoop();
        RunFor(100ms);
        bus::FailNextCall("UsbRdEx", CORVOUSB_ERR_IO);
        RunFor(100ms);
        const std::vector<std::string> log = LogTail(2);
        ASSERT_EQ(log.size(), 2u);
        EXPECT_EQ(log[0].substr(0, 15), "Library error: ");
        EXPECT_EQ(log[1], "Loop stopped: after the library error");
        EXPECT_FALSE(monitor::RunActive());
    });
}
