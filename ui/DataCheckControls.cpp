// The "Data check" group's callbacks and initial values.
#include "ui/DataCheckControls.h"

#include "core/AdditionSettings.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/SettingControl.h"

namespace {

// The control's value into the setting, then the group as it now stands.
int Store(int panel, int control, int event, const settings::IntKey& key) {
    if (StoreControlSetting(panel, control, event, key)) ShowDataCheckSettings(panel);
    return 0;
}

} // namespace

void ShowDataCheckSettings(int panel) {
    const settings::SettingsStore& s = settings::Additions();
    SetCtrlVal(panel, SETUPPANEL_VERIFYCHK, s.get(settings::kVerify));
    SetCtrlVal(panel, SETUPPANEL_PRBSCHK, s.get(settings::kPrbsData));
    SetCtrlVal(panel, SETUPPANEL_PRBSRING, s.get(settings::kPrbsOrder));
    SetCtrlAttribute(panel, SETUPPANEL_PRBSRING, ATTR_DIMMED,
                     s.get(settings::kPrbsData) == 0 && s.get(settings::kVerify) == 0);
}

int VerifyChkCB(int panel, int control, int event, void*, int, int) {
    return Store(panel, control, event, settings::kVerify);
}

int PrbsDataChkCB(int panel, int control, int event, void*, int, int) {
    return Store(panel, control, event, settings::kPrbsData);
}

int PrbsOrderCB(int panel, int control, int event, void*, int, int) {
    return Store(panel, control, event, settings::kPrbsOrder);
}
