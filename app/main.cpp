// Kestrel's entry point: start-up, event loop and shutdown.
#include "core/Kestrel_core.h"
#include "core/time_utils.h"

int main() {
    ReadConfig();
    InitProcessorTimerCaps();
    StartPrecTimer();
    StopPrecTimer();
    if (InterfaceBufferAlloc() == nullptr) return 0;
    InterfaceBufferFree();
    SaveConfig();
    return 0;
}
