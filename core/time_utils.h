// The program-wide stopwatch: one start mark, one stop mark, read in seconds.
#pragma once

int InitProcessorTimerCaps(void);
int StartPrecTimer(void);
int StopPrecTimer(void);
double ElapsedTimeDouble(void);
char* ElapsedTimeStr(void);

// Test seam: places the two marks (in ticks of 1 ns) without reading the clock.
void SetPrecTimerMarks(long long start, long long stop);
