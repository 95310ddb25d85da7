// The stopwatch: marks, the elapsed span and its text.
#include "core/time_utils.h"

#include <gtest/gtest.h>

// Fails when the start-up sequence leaves a negative or large span between the marks, reading
// the time changes the marks, or a restart is not negative until stopped.
TEST(Stopwatch, SpanBetweenTheMarks) {
    InitProcessorTimerCaps(), StartPrecTimer(), StopPrecTimer();
    EXPECT_TRUE(ElapsedTimeDouble() >= 0.0 && ElapsedTimeDouble() < 1.0) << ElapsedTimeDouble();
    StartPrecTimer();
    EXPECT_LT(ElapsedTimeDouble(), 0.0);
    EXPECT_LT(ElapsedTimeDouble(), 0.0);
    StopPrecTimer();
    EXPECT_GE(ElapsedTimeDouble(), 0.0);
    // Fails when the text is not the shortest "%g" form followed by "s".
    SetPrecTimerMarks(1000, 1000 + 1500000);
    EXPECT_DOUBLE_EQ(ElapsedTimeDouble(), 0.0015);
    for (auto [start, stop, text] : {std::tuple(1000LL, 1501000LL, "0.0015s"),
                                     {5000LL, 7000LL, "2e-06s"},
                                     {3000000000LL, 0LL, "-3s"}}) {
        SetPrecTimerMarks(start, stop);
        EXPECT_STREQ(ElapsedTimeStr(), text);
    }
}
