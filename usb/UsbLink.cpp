// Link parameters and FIFO control: each change is stored in tBoard and sent to the device.
#include "usb/UsbLink.h"

#include "core/Kestrel_core.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/model/uirt.h"
#include "ui/ControlValue.h"
#include "ui/KestrelUIR.h"
#include "ui/Output.h"
#include "ui/Panels.h"
#include "ui/SetupPanel.h"

int EncapsulationState = 1;

// What the "Async" box and the framing switch send to the board.
enum { SYNC_FIFO_OPTION = 100, RAW_FIFO_BAUD_RATE = 921600 };

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
        USB_SetSynchronousMode(GetUsbId(), SYNC_FIFO_OPTION);
        USB_SetFlowControlToHardware(GetUsbId());
    }
    return 0;
}

int CorvoFormatCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    EncapsulationState = ControlValue(panel, control);
    SetSubAddressControlState(EncapsulationState);
    if (EncapsulationState == 0) USB_SetBaudRate(GetUsbId(), RAW_FIFO_BAUD_RATE);
    return 0;
}

int PurgeUsbBufferCB(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    USB_PurgeBuffers(GetUsbId());
    int remaining = USB_GetStatus(GetUsbId(), CORVOUSB_RX_QUEUE);
    InfoPrintf("Buffer purged. %d byte(s) remaining in the receive queue\n", remaining);
    return 0;
}

int GetFifoStatusCB(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    InfoPrintf("%d bytes are pending within receive FIFO\n",
               USB_GetStatus(GetUsbId(), CORVOUSB_RX_QUEUE));
    InfoPrintf("%d bytes are pending within transmit FIFO\n",
               USB_GetStatus(GetUsbId(), CORVOUSB_TX_QUEUE));
    return 0;
}
