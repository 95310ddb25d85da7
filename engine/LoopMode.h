// Loop mode: the transfer repeated on the setup panel's timer, with frame statistics.
#pragma once

// "Loop" checked: resets the frame counters, purges the FIFO, starts the timer and the
// stopwatch. Unchecked: stops the timer and, in "Extended read", prints the frame statistics.
int LoopChkCB(int panel, int control, int event, void* callbackData, int eventData1,
              int eventData2);
// "Loop time" chosen: stores the period and applies it at once.
int LoopTimeCB(int panel, int control, int event, void* callbackData, int eventData1,
               int eventData2);
// Each tick of the loop timer runs one transfer test.
int TimerCB(int panel, int control, int event, void* callbackData, int eventData1, int eventData2);

// Prints the statistics lines for these counts: frames processed, lost, header and trailer
// errors, the frame rate with the time and the byte total, and the byte speed; the counts as the
// unsigned 64-bit numbers they are. A time of 0 or less, when no read has stopped the stopwatch
// since the loop started, shows as 0 with rates of 0.
void PrintFrameStatistics(double frames, unsigned long long lost, unsigned long long headerErrors,
                          unsigned long long trailerErrors, unsigned long long totalBytes,
                          double seconds);
