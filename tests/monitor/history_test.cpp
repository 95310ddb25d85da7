// The monitor's pure parts: seconds from running totals, the history's bound, time stamps, the
// CSV text, the log file's name and the soak limits.
#include "monitor/HistoryFile.h"
#include "monitor/SecondSampler.h"
#include "monitor/SoakLimits.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

using namespace monitor;
using namespace std::chrono_literals;

// Fails when a second takes counts of a transfer that ended after it (or loses some), when a
// gap without transfers is not a run of empty seconds, when the stop drops the part-second,
// when min, max, mean or the last error's time are wrong, or when the bound keeps more seconds
// than it should or drops the newest.
TEST(SecondSampler, SecondsHoldWhatEndedWithinThemAndTheHistoryIsBounded) {
    SecondSampler s(3);
    s.start(10s);
    EXPECT_EQ(s.sample(10s + 400ms, Counts{1000000}), 0u);
    EXPECT_EQ(s.sample(11s, Counts{2000000, 2}), 1u); // at 1 s: second 2's
    EXPECT_EQ(s.sample(11s + 500ms, Counts{3000000, 2}), 0u);
    EXPECT_EQ(s.sample(14s + 100ms, Counts{4500000, 5}), 3u); // seconds 2, 3 and 4
    EXPECT_EQ(s.finish(14s + 350ms), 1u);
    const SecondHistory& h = s.history();
    ASSERT_EQ(h.size(), 3u);
    EXPECT_EQ(h.dropped(), 2u);
    EXPECT_EQ(std::tuple(h[0].endMs, h[0].counts.bytes, h[1].endMs, h[1].counts.bytes),
              std::tuple(3000u, 0u, 4000u, 0u));
    EXPECT_EQ(std::tuple(h[2].endMs, h[2].lengthMs, h[2].counts.bytes, h[2].counts.lost),
              std::tuple(4350u, 350u, 1500000u, 3u));
    EXPECT_DOUBLE_EQ(h[2].megabytesPerSecond(), 1.5 / 0.35); // not the maximum
    const RunSummary& r = s.summary();
    EXPECT_EQ(std::tuple(r.elapsed, r.totals, r.lastErrorAt, r.minMBps, r.maxMBps),
              std::tuple(nanoseconds(4350ms), Counts{4500000, 5},
                         std::optional(nanoseconds(4100ms)), std::optional(0.0),
                         std::optional(2.0)));
    EXPECT_DOUBLE_EQ(r.meanMBps, 4.5 / 4.35);
    s.start(0s); // a new run starts empty
    EXPECT_EQ(std::tuple(s.history().size(), s.history().dropped(), s.summary().minMBps),
              std::tuple(0u, 0u, std::nullopt));
}

// Fails when a time stamp is not local ISO 8601 to the millisecond with its offset, the CSV is
// not the header and one row per second (check columns only when asked), the event log's text
// hides dropped lines, or the log file could take the CSV file's name.
TEST(HistoryFile, CsvRowsStampsAndTheLogBesideIt) {
    const WallTime start = std::chrono::system_clock::from_time_t(1796600000) + 250ms;
    setenv("TZ", "XST+3:30", 1);
    tzset();
    EXPECT_EQ(LocalTimeStamp(start - 1796600000s - 1s), "1969-12-31T20:29:59.250-03:30");
    setenv("TZ", "UTC", 1); // the rest in UTC for the stamps' sake
    tzset();
    SecondHistory h;
    h.add({1000, 1000, Counts{2000000, 1, 2, 3, 4, 5, 6}});
    h.add({1500, 500, Counts{1}});
    EXPECT_EQ(HistoryCsv(h, start, false),
              "time,elapsed s,bytes,MB/s,lost frames,header errors,trailer errors\n"
              "2026-12-06T23:33:21.250+00:00,1.000,2000000,2.000000,1,2,3\n"
              "2026-12-06T23:33:21.750+00:00,1.500,1,0.000002,0,0,0\n");
    EXPECT_EQ(HistoryCsv(h, start, true),
              "time,elapsed s,bytes,MB/s,lost frames,header errors,trailer errors,checked bytes,"
              "wrong bytes,wrong bits\n2026-12-06T23:33:21.250+00:00,1.000,2000000,2.000000,1,2,3,"
              "4,5,6\n2026-12-06T23:33:21.750+00:00,1.500,1,0.000002,0,0,0,0,0,0\n");

    EventLog log(2);
    for (const char* text : {"one", "two", "three"})
        log.add(start, text);
    EXPECT_EQ(log.text(), "(1 earlier lines dropped)\n2026-12-06T23:33:20.250+00:00  two\n"
                          "2026-12-06T23:33:20.250+00:00  three\n");

    for (auto [csv, logPath] : {std::pair{"run.csv", "run.log"},
                                {"dir.v2/run", "dir.v2/run.log"},
                                {"a/.hidden", "a/.hidden.log"},
                                {"x.log", "x.log.log"}})
        EXPECT_EQ(EventLogPath(csv), logPath);
}

// Fails when a limit stops too early or not at all, or an unset limit stops anything.
TEST(SoakLimits, StopAtTheFirstLimitReached) {
    const SoakLimits none, both{60s, 10};
    EXPECT_EQ(std::vector({SoakStopReason(none, 100h, 1000000), SoakStopReason(both, 59s, 9),
                           SoakStopReason(both, 60s, 0), SoakStopReason(both, 1s, 12)}),
              std::vector<std::string>({"", "", "the run reached its limit of 60 s",
                                        "12 errors reached the limit of 10"}));
}
