// The information box's lines about the board a connection opened.
#include "usb/BoardIdentity.h"

#include "core/Kestrel_core.h"
#include "platform/corvousb/CorvoUsb.h"
#include "ui/Output.h"

// Room for a device node's path.
enum { NODE_BUFFER_SIZE = 96 };

int ReportNoEeprom(int handle) {
    if (USB_GetLastError() != CORVOUSB_ERR_NO_EEPROM) return 0;
    char node[NODE_BUFFER_SIZE] = "";
    USB_GetDeviceNode(handle, node, sizeof node);
    InfoPrintf("%s: EEPROM access is not available for this device; the identity comes from its "
               "USB strings\n",
               node);
    return 1;
}

void ReportConnection(int handle) {
    char node[NODE_BUFFER_SIZE] = "";
    USB_GetDeviceNode(handle, node, sizeof node);
    InfoPrintf("Connected to %s: %s, serial %s\n", node, GetDevDesc(), GetSerNum());
}
