// The program-wide stopwatch over the monotonic clock, in nanosecond ticks.
#include "core/time_utils.h"

#include <cstdint>
#include <cstdio>
#include <ctime>

static int64_t frequency;
static int64_t startMark;
static int64_t stopMark;
static char elapsedText[32];

// Reads the monotonic clock in nanoseconds; returns 1 on success like the counter call it
// stands for.
static int ReadCounter(int64_t* ticks) {
    timespec now;
    if (clock_gettime(CLOCK_MONOTONIC, &now) != 0) return 0;
    *ticks = static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
    return 1;
}

int InitProcessorTimerCaps(void) {
    frequency = 1000000000;
    return 1;
}

int StartPrecTimer(void) {
    return ReadCounter(&startMark);
}

int StopPrecTimer(void) {
    return ReadCounter(&stopMark);
}

double ElapsedTimeDouble(void) {
    // Before InitProcessorTimerCaps there is no frequency; report no time rather than divide by 0.
    if (frequency == 0) return 0.0;
    return static_cast<double>(stopMark - startMark) / static_cast<double>(frequency);
}

char* ElapsedTimeStr(void) {
    snprintf(elapsedText, sizeof elapsedText, "%gs", ElapsedTimeDouble());
    return elapsedText;
}

void SetPrecTimerMarks(long long start, long long stop) {
    startMark = start;
    stopMark = stop;
}
