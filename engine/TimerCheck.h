// The "Speed test" maintenance button: the smallest span the stopwatch can report.
#pragma once

// Measures a start mark followed at once by a stop mark, twice, and prints both as "Min val".
int SpeedTestButton(int panel, int control, int event, void* callbackData, int eventData1,
                    int eventData2);
