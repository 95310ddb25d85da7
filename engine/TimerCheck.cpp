// The "Speed test" maintenance button: the smallest span the stopwatch can report.
#include "engine/TimerCheck.h"

#include "core/time_utils.h"
#include "platform/uirt/model/uirt.h"
#include "ui/Output.h"

int SpeedTestButton(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    InitProcessorTimerCaps();
    for (int measurement = 0; measurement < 2; ++measurement) {
        StartPrecTimer();
        StopPrecTimer();
        InfoPrintf("Min val %s - %lf\n", ElapsedTimeStr(), ElapsedTimeDouble());
    }
    return 0;
}
