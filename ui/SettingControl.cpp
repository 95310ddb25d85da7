// A control's value into the additions' settings.
#include "ui/SettingControl.h"

#include "core/AdditionSettings.h"
#include "platform/uirt/model/uirt.h"
#include "ui/ControlValue.h"

bool StoreControlSetting(int panel, int control, int event, const settings::IntKey& key) {
    if (event != EVENT_COMMIT) return false;
    settings::Additions().set(key, ControlValue(panel, control));
    return true;
}
