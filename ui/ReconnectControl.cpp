// The "Reconnect automatically" check box and its setting.
#include "ui/ReconnectControl.h"

#include "core/AdditionSettings.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/SettingControl.h"

void ShowReconnectSetting(int panel) {
    SetCtrlVal(panel, SETUPPANEL_RECONNECTCHK, settings::Additions().get(settings::kReconnect));
}

int ReconnectChkCB(int panel, int control, int event, void*, int, int) {
    StoreControlSetting(panel, control, event, settings::kReconnect);
    return 0;
}
