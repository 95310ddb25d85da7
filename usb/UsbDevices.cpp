// Device discovery and connection: listing, scan, selection, connect and disconnect.
#include "usb/UsbDevices.h"

#include "core/Kestrel_core.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/LoopTimer.h"
#include "ui/Output.h"
#include "ui/Panels.h"
#include "ui/SetupPanel.h"
#include "usb/BoardIdentity.h"

#include <cstdio>
#include <cstring>

// Kestrel's buffer for a serial number read from a device or typed in, terminator included.
enum { SERNUM_BUFFER_SIZE = 12 };

// Description of each listed device, by device index; also the list item's label.
static char Buffer[DEVICE_SLOTS][DEVICE_SLOT_SIZE];

// Closes every device; the stored handle no longer names an open one.
static void CloseAllDevices(void) {
    USB_CloseAll();
    SetUsbId(-1);
}

// A loop left running would tick on a closed device: it ends as unticking "Loop" ends it,
// statistics included.
static void EndLoop(void) {
    if (GetLoopState() == 0) return;
    int setup = GetSetupPanelHandle();
    SetCtrlVal(setup, SETUPPANEL_LOOPCHECKBOX, 0);
    CallCtrlCallback(setup, SETUPPANEL_LOOPCHECKBOX, EVENT_VAL_CHANGED, 0, 0);
}

// Hands the library's last error to the error function ("USB Error" box).
static void ReportUsbError(void) {
    USB_Perror(USB_GetLastError());
}

// On a bench with several boards, testing another one than configured must not go unnoticed.
static void ReportSubstitute(const char* missing) {
    InfoPrintf("Serial number %s not found: ", missing);
    InfoPrintf("opened device 0, %s (serial number %s), instead.\n", GetDevDesc(), GetSerNum());
}

void GetCompatibleUsbDevices(int index) {
    // The table has 8 slots: a device at index 8 or above is not listed.
    if (index < 0 || index >= DEVICE_SLOTS) return;
    int setup = GetSetupPanelHandle();
    if (GetDeviceDescEx(Buffer[index], DEVICE_SLOT_SIZE, index) != 0) return;
    InsertListItem(setup, SETUPPANEL_LSTDEVICES, -1, Buffer[index], index);
    if (strcmp(Buffer[index], GetDevDesc()) == 0) {
        char serNum[SERNUM_BUFFER_SIZE] = ""; // stays empty when the serial number cannot be read
        GetDeviceSerNum(serNum, index);
        SetCtrlVal(setup, SETUPPANEL_DEV_INDEX, index);
        SetCtrlVal(setup, SETUPPANEL_SERNUMTXT, serNum);
    }
}

void ListUsbDevices(void) {
    ClearListCtrl(GetSetupPanelHandle(), SETUPPANEL_LSTDEVICES);
    int n = USB_GetNumberOfDevs();
    for (int i = 0; i < n; ++i)
        GetCompatibleUsbDevices(i);
}

int FindUsbDevice(char* buffer) {
    CloseAllDevices();
    int n = USB_GetNumberOfDevs();
    for (int i = 0; i < n; ++i) {
        if (GetDeviceDescEx(buffer, DEVICE_SLOT_SIZE, i) == 0 &&
            strcmp(buffer, GetDevDesc()) == 0) {
            char serNum[SERNUM_BUFFER_SIZE];
            if (GetDeviceSerNum(serNum, i) == 0) SetSerNum(serNum);
            return i;
        }
    }
    return n;
}

void SetUsbDeviceName(const char* description) {
    if (description != nullptr) SetDevDesc(description);
}

void UpdateDeviceInfo(const char* description, const char* serNum) {
    SetSerNum(serNum);
    SetDevDesc(description);
}

void UpdateDevList(void) {
    int setup = GetSetupPanelHandle();
    DisableControls(1);
    int count = 0;
    GetNumListItems(setup, SETUPPANEL_LSTDEVICES, &count);
    if (count == 0) {
        SetCtrlVal(setup, SETUPPANEL_SERNUMTXT, "");
        SetUsbDeviceName("");
        SetSerNum("");
        return;
    }
    int v = 0;
    GetCtrlVal(setup, SETUPPANEL_LSTDEVICES, &v);
    if (v < 0 || v >= DEVICE_SLOTS) return;
    SetCtrlVal(setup, SETUPPANEL_DEV_INDEX, v);
    SetUsbDeviceName(Buffer[v]);
    FindUsbDevice(Buffer[v]);
    SetCtrlVal(setup, SETUPPANEL_DEV_INDEX, v);
    SetCtrlVal(setup, SETUPPANEL_SERNUMTXT, GetSerNum());
}

void InitUsbInterface(void) {
    if (GetUsbId() > 0) {
        CloseUsbDevice(GetUsbId());
        SetUsbId(-1);
    }
    if (!USB_FindDevices(0)) {
        ReportUsbError();
        return;
    }
    // An empty serial number would open whichever board is erased, not the one the panel
    // shows: with none configured, device 0 is taken like a board that is gone.
    int h = GetSerNum()[0] == '\0' ? -1 : OpenUsbDevice(GetSerNum());
    if (h < 0) {
        // The configured board is not there: take device 0 instead.
        char missing[SERNUM_MAX_CHARS + 1];
        snprintf(missing, sizeof missing, "%s", GetSerNum());
        if (GetDeviceSerNum(GetSerNum(), 0) != 0) {
            SetSerNum("NULL");
        } else if (GetDeviceDescEx(GetDevDesc(), DEVDESC_MAX_CHARS + 1, 0) != 0) {
            SetDevDesc("No device description");
            ReportUsbError();
            return;
        } else {
            h = OpenUsbDevice(GetSerNum());
            if (h < 0) {
                ReportUsbError();
                return;
            }
            if (missing[0] != '\0') ReportSubstitute(missing);
        }
    }
    SetUsbId(h);
    UsbSetIntCheckingState(1);
    if (!USB_Init(h, 1)) {
        ReportUsbError();
        return;
    }
    USB_SetLatencyTimer(h, static_cast<unsigned char>(GetLatTimer() & 0xFF));
    USB_SetTimeouts(h, GetTxTimeout(), GetRxTimeout());
    // The sizes the panel shows are the ones in effect, not the chip's own.
    USB_SetXferSize(h, GetTxBuffer(), GetRxBuffer());
    if (USB_ReadEEpromData(h, GetShowEpromState())) {
        UpdateDeviceInfo(USB_GetEpromDeviceDesc(), USB_GetEpromSerialNum());
    } else if (!ReportNoEeprom(h)) {
        ReportUsbError();
        return;
    }
    ReportConnection(h);
}

void OpenDebugLog(void) {
    // Said once until the log opens again, not at every reconnection.
    static int reported = 0;
    if (dbg_OpenLogFile()) {
        reported = 0;
    } else if (!reported) {
        reported = 1;
        InfoPrintf("Debug log off: USB_LogFile.txt or USB_LogFile2.bin cannot be written in the "
                   "working folder.\n");
    }
}

int CmdRefreshCB(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    EndLoop();
    int setup = GetSetupPanelHandle();
    CloseAllDevices();
    ClearListCtrl(setup, SETUPPANEL_LSTDEVICES);
    int n = USB_GetNumberOfDevs();
    if (n == 0) {
        MessagePopup("Error", "No device found");
        SetDevDesc("");
        SetSerNum("");
        SetCtrlVal(setup, SETUPPANEL_SERNUMTXT, GetSerNum());
        // The scan closed every device: show it rather than a connection that is gone.
        DisableControls(1);
        return 0;
    }
    for (int i = 0; i < n; ++i)
        GetCompatibleUsbDevices(i);
    UpdateDevList();
    return 0;
}

int UsbDevListCB(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    UpdateDevList();
    InitSetupControls();
    DisableControls(1);
    return 0;
}

int ResetCB(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    InitUsbInterface();
    InitSetupControls();
    SetCtrlAttribute(GetSetupPanelHandle(), SETUPPANEL_APPLYBTN, ATTR_DIMMED, 0);
    OpenDebugLog();
    return 0;
}

int DisconnectCB(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    EndLoop();
    DisableControls(1);
    StopTimer();
    CloseUsbDevice(GetUsbId());
    SetUsbId(-1); // a later refresh of the panel must not show the closed device as connected
    dbg_CloseLogFile();
    SetLed(0);
    return 0;
}

int SerNumCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    char serNum[SERNUM_BUFFER_SIZE] = "";
    GetCtrlVal(panel, control, serNum, sizeof serNum);
    SetSerNum(serNum);
    return 0;
}
