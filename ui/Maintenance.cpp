// The setup panel's maintenance buttons, hidden unless Kestrel is started for maintenance.
#include "ui/Maintenance.h"

#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"

void ShowMaintenanceButtons(int setupPanel) {
    static const int buttons[] = {SETUPPANEL_SPEED_BTN, SETUPPANEL_SIMUL_BTN,
                                  SETUPPANEL_COMMANDBUTTON, SETUPPANEL_PURGEFIFOBTN,
                                  SETUPPANEL_FIFOSTATBTN};
    for (int button : buttons)
        SetCtrlAttribute(setupPanel, button, ATTR_VISIBLE, 1);
}
