// The stopwatch: marks, the elapsed span and its text.
#include "core/time_utils.h"

#include <gtest/gtest.h>

// Fails when the start-up sequence leaves a negative or large span between the marks, reading
// the time changes the marks, or a restart is not negative until stopped.
TEST(Stopwatch, SpanBetweenTheMarks) {
    InitProcessorTimerCaps();
    StartPrecTimer();
    StopPrecTimer();
    EXPECT_TRUE(ElapsedTimeDouble() >= 0.0 && ElapsedTimeDouble() < 1.0) << ElapsedTimeDouble();
    StartPrecTimer();
    EXPECT_LT(ElapsedTimeDouble(), 0.0);
    EXPECT_LT(ElapsedTimeDouble(), 0.0);
    StopPrecTimer();
    EXPECT_GE(ElapsedTimeDouble(), 0.0);
    // Fails when the text is not the shortest "%g" form followed by "s".
    SetPrecTimerMarks(1000, 1000 + 1500000);
    EXPECT_DOUBLE_EQ(ElapsedTimeDouble(), 0.0015);
    EXPECT_STREQ(ElapsedTimeStr(), "0.0015s");
    SetPrecTimerMarks(5000, 7000);
    EXPECT_STREQ(ElapsedTimeStr(), "2e-06s");
    SetPrecTimerMarks(3000000000LL, 0);
    EXPECT_STREQ(ElapsedTimeStr(), "-3s");
}
