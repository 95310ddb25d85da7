// Link parameters and FIFO control: each change is stored in tBoard and sent to the device.
#include "usb/UsbLink.h"

#include "core/Kestrel_core.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/Output.h"
#include "ui/Panels.h"
#include "ui/SetupPanel.h"

int EncapsulationState = 1;

// Value of the control that raised the event.
static int ControlValue(int panel, int control) {
    int value = 0;
    GetCtrlVal(panel, control, &value);
    return value;
}

int LatTimerCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    int ms = ControlValue(panel, control) & 0xFF;
    SetLatTimer(ms);
    USB_SetLatencyTimer(GetUsbId(), static_cast<unsigned char>(ms));
    return 0;
}

int TxTimeoutCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    SetTxTimeout(ControlValue(panel, control));
    USB_SetTimeouts(GetUsbId(), GetTxTimeout(), GetRxTimeout());
    return 0;
}

int RxTimeoutCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    SetRxTimeout(ControlValue(panel, control));
    USB_SetTimeouts(GetUsbId(), GetTxTimeout(), GetRxTimeout());
    return 0;
}

int TxBufferSizeCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    SetTxBuffer(ControlValue(panel, control));
    USB_SetXferSize(GetUsbId(), GetTxBuffer(), GetRxBuffer());
    return 0;
}

int RxBufferSizeCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    SetRxBuffer(ControlValue(panel, control));
    USB_SetXferSize(GetUsbId(), GetTxBuffer(), GetRxBuffer());
    return 0;
}

int AsyncCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    if (ControlValue(panel, control) != 0) {
        USB_ResetMode(GetUsbId());
    } else {
        USB_SetSynchronousMode(GetUsbId(), 100);
        USB_SetFlowControlToHardware(GetUsbId());
    }
    return 0;
}

int CorvoFormatCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    EncapsulationState = ControlValue(panel, control);
    SetSubAddressControlState(EncapsulationState);
    if (EncapsulationState == 0) USB_SetBaudRate(GetUsbId(), 921600);
    return 0;
}

int PurgeUsbBufferCB(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    USB_PurgeBuffers(GetUsbId());
    int remaining = USB_GetStatus(GetUsbId(), 0);
    InfoPrintf("Buffer purged. %d byte(s) remaining in the receive queue\n", remaining);
    return 0;
}

int GetFifoStatusCB(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    InfoPrintf("%d bytes are pending within receive FIFO\n", USB_GetStatus(GetUsbId(), 0));
    InfoPrintf("%d bytes are pending within transmit FIFO\n", USB_GetStatus(GetUsbId(), 1));
    return 0;
}
