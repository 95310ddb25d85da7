// The "Reconnect automatically" check box and its setting.
#include "ui/ReconnectControl.h"

#include "core/AdditionSettings.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"

void ShowReconnectSetting(int panel) {
    SetCtrlVal(panel, SETUPPANEL_RECONNECTCHK, settings::Additions().get(settings::kReconnect));
}

int ReconnectChkCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    int value = 1;
    GetCtrlVal(panel, control, &value);
    settings::Additions().set(settings::kReconnect, value);
    return 0;
}
