// Dims the EEPROM controls while the open board offers no EEPROM access.
#include "ui/EepromAccess.h"

#include "core/Kestrel_core.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/Panels.h"

void ShowEepromAccess(int dim) {
    // A handle that is not open (-1) keeps the state the caller showed.
    if (dim != 0 || USB_HasEepromAccess(GetUsbId()) != 0) return;
    const int setup = GetSetupPanelHandle();
    const int menuBar = GetPanelMenuBar(GetMainPanelHandle());
    SetCtrlAttribute(setup, SETUPPANEL_PROGRAMBTN, ATTR_DIMMED, 1);
    SetCtrlAttribute(setup, SETUPPANEL_RDEEPROMBTN, ATTR_DIMMED, 1);
    SetMenuBarAttribute(menuBar, MENUBAR_TESTMENU_ERASE, ATTR_DIMMED, 1);
    SetMenuBarAttribute(menuBar, MENUBAR_TESTMENU_PROGRAM, ATTR_DIMMED, 1);
}
