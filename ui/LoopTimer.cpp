// Loop mode's timer: period, start and stop of the setup panel's timer control.
#include "ui/LoopTimer.h"

#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/Panels.h"
#include "ui/SetupPanel.h"

void SetTimerPeriod(int ms) {
    SetCtrlAttribute(GetSetupPanelHandle(), SETUPPANEL_TIMER, ATTR_INTERVAL, ms / 1000.0);
}

void StartTimer(void) {
    SetCtrlAttribute(GetSetupPanelHandle(), SETUPPANEL_TIMER, ATTR_ENABLED, 1);
    SetLed2(1);
}

void StopTimer(void) {
    SetCtrlAttribute(GetSetupPanelHandle(), SETUPPANEL_TIMER, ATTR_ENABLED, 0);
    SetLed2(0);
}
