// Loop mode: start, stop and period of the repeated transfer, and the frame statistics.
#include "engine/LoopMode.h"

#include "core/IoMode.h"
#include "core/Kestrel_core.h"
#include "core/time_utils.h"
#include "engine/DataCheck.h"
#include "engine/LoopWatch.h"
#include "engine/UsbTest.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/model/uirt.h"
#include "ui/ControlValue.h"
#include "ui/LoopTimer.h"
#include "ui/Output.h"

static void StartLoop(void) {
    SetNFrames(0);
    ResetLostFrames();
    ResetFrameErrors();
    ResetTotalByteCount();
    StartCheckRun();
    USB_PurgeBuffers(GetUsbId());
    SetTimerPeriod(GetLoopTime());
    StartTimer();
    // The statistics' time runs from here to the end of the latest extended read; the first
    // transfer comes with the first tick.
    StartPrecTimer();
    TellLoopWatcher(LoopPhase::Started);
}

// amount per second, 0 when no time has passed.
static double PerSecond(double amount, double seconds) {
    return seconds > 0.0 ? amount / seconds : 0.0;
}

void PrintFrameStatistics(double frames, unsigned long long lost, unsigned long long headerErrors,
                          unsigned long long trailerErrors, unsigned long long totalBytes,
                          double seconds) {
    // A stop mark older than the loop's start gives a negative time: no read has ended yet.
    const double t = seconds > 0.0 ? seconds : 0.0;
    InfoPrintf("Processed frames = %lf\n", frames);
    InfoPrintf("Lost frames = %llu\n", lost);
    InfoPrintf("Header errors = %llu\n", headerErrors);
    InfoPrintf("Trailer errors = %llu\n", trailerErrors);
    InfoPrintf("%lf frames/s within %lf s- Total bytes = %llu\n", PerSecond(frames, t), t,
               totalBytes);
    InfoPrintf("Speed %lf b/s\n", PerSecond(static_cast<double>(totalBytes), t));
}

// The statistics from the settings' frame counter, the library's counters and the stopwatch.
static void PrintLoopStatistics(void) {
    PrintFrameStatistics(GetNFrames(), GetLostFrames(), GetHeaderErrors(), GetTrailerErrors(),
                         GetTotalByteCount(), ElapsedTimeDouble());
}

int LoopChkCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_VAL_CHANGED) return 0;
    const int on = ControlValue(panel, control);
    SetLoopState(on);
    if (on != 0) {
        StartLoop();
        return 0;
    }
    StopTimer();
    if (GetIOMode() == IOMODE_EXTENDED_READ) PrintLoopStatistics();
    PrintCheckTotals();
    TellLoopWatcher(LoopPhase::Stopped);
    return 0;
}

int LoopTimeCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    const int ms = ControlValue(panel, control);
    SetLoopTime(ms);
    SetTimerPeriod(ms);
    return 0;
}

int TimerCB(int, int, int event, void*, int, int) {
    if (event != EVENT_TIMER_TICK) return 0;
    RunTransferTest();
    TellLoopWatcher(LoopPhase::Ticked);
    return 0;
}
