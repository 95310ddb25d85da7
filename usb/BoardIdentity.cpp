// The information box's lines about the board a connection opened.
#include "usb/BoardIdentity.h"

#include "platform/corvousb/CorvoUsb.h"
#include "ui/Output.h"

int ReportNoEeprom(int handle) {
    if (USB_GetLastError() != CORVOUSB_ERR_NO_EEPROM) return 0;
    char node[96] = "";
    USB_GetDeviceNode(handle, node, sizeof node);
    InfoPrintf("%s: EEPROM access is not available for this device; the identity comes from its "
               "USB strings\n",
               node);
    return 1;
}
