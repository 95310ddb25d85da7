// Kestrel's start-up, event loop and shutdown.
#include "app/Kestrel.h"

#include "app/Callbacks.h"

#include "core/Kestrel_core.h"
#include "core/time_utils.h"
#include "monitor/MonitorPanel.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/model/uirt.h"
#include "progwiz/ProgWiz.h"
#include "ui/About.h"
#include "ui/KestrelUIR.h"
#include "ui/Maintenance.h"
#include "ui/Menus.h"
#include "ui/Output.h"
#include "ui/Panels.h"
#include "ui/Radio.h"
#include "ui/Resources.h"
#include "ui/SetupPanel.h"
#include "usb/DeviceWatch.h"
#include "usb/UsbDevices.h"

#include <cstring>

// Most characters one InfoPrintf call passes on.
enum { INFO_PRINTF_CHARS = 131 };

// Writes a text of any length to the information box, in pieces InfoPrintf takes whole, then
// ends the line.
static void PrintWhole(const char* text) {
    for (size_t at = 0, n = strlen(text); at < n; at += INFO_PRINTF_CHARS)
        InfoPrintf("%.*s", INFO_PRINTF_CHARS, text + at);
    InfoPrintf("\n");
}

void ConnectDevices(void) {
    USB_CloseAll();
    int n = USB_GetNumberOfDevs();
    for (int i = 0; i < n; ++i)
        GetCompatibleUsbDevices(i);
    InitUsbInterface();
    USB_SetFlowControlToHardware(GetUsbId());
    InitSetupControls();
    // Without a board the panel starts as a Disconnect leaves it: nothing to test, Connect offered.
    if (GetUsbId() <= 0) DisableControls(1);
    UsbSetIntCheckingState(0);
}

int OpenKestrelPanels(int showMaintenance, char** windowArgs) {
    int mainPanel = -1;
    int setupPanel = -1;
    int aboutPanel = -1;
    SetPanelHandles(mainPanel, setupPanel, aboutPanel);
    RegisterKestrelResources();
    InstallKestrelCallbacks();
    StartMonitorPanel();
    if (InitCVIRTE(nullptr, windowArgs, nullptr) == 0) return -1;
    if ((mainPanel = LoadPanel(0, "KestrelUIR.uir", MAINPANEL)) < 0) return -1;
    if ((setupPanel = LoadPanel(0, "KestrelUIR.uir", SETUPPANEL)) < 0) return -1;
    if ((aboutPanel = LoadPanel(0, "About.uir", ABOUTPANEL)) < 0) return -1;
    SetPanelHandles(mainPanel, setupPanel, aboutPanel);
    if (showMaintenance) ShowMaintenanceButtons(setupPanel);

    InstallMenuDimmerCallback(GetPanelMenuBar(mainPanel), MenuDimmerCB);
    Radio_ConvertFromTree(setupPanel, SETUPPANEL_DATATYPERADIO);
    Radio_ConvertFromTree(setupPanel, SETUPPANEL_DATASZRADIO);
    Radio_ConvertFromTree(setupPanel, SETUPPANEL_BYTEORDERRADIO);
    Radio_ConvertFromTree(setupPanel, SETUPPANEL_IOMODE);
    return 0;
}

void ShowPanelsAndHookLibrary(void) {
    Radio_SetMarkedOption(GetSetupPanelHandle(), SETUPPANEL_BYTEORDERRADIO, IsMSBFirst());
    DisplayPanel(GetMainPanelHandle());
    DisplayPanel(GetSetupPanelHandle());

    // Both marks hold the start-up time, so a time read before any test is near zero.
    InitProcessorTimerCaps();
    StartPrecTimer();
    StopPrecTimer();

    USB_SetPerrorFunc(Kestrel_PrintError);
    USB_SetPrintfFunc(InfoPrintf);
}

int KestrelMain(int showMaintenance, char** windowArgs) {
    if (OpenKestrelPanels(showMaintenance, windowArgs) != 0) return -1;
    const int mainPanel = GetMainPanelHandle();
    const int setupPanel = GetSetupPanelHandle();
    ReadConfig();
    // A kestrel.cfg that was refused is named in the information box, which is up by now.
    if (GetConfigProblem()[0] != '\0') PrintWhole(GetConfigProblem());
    ShowPanelsAndHookLibrary();

    if (InterfaceBufferAlloc() == nullptr) {
        InfoPrintf("Main buffer allocation error!\n");
    } else {
        ConnectDevices();
        OpenDebugLog();
        StartDeviceWatch();
        RunUserInterface();
        StopDeviceWatch();
        EndProgWiz(); // a wizard left open closes unprogrammed, with "Conf.tmp"
        dbg_CloseLogFile();
        InterfaceBufferFree();
        USB_CloseAll();
        SaveConfig();
        // Settings that could not be saved are lost: say so while the windows are still up.
        if (GetConfigProblem()[0] != '\0') MessagePopup("Kestrel", GetConfigProblem());
    }
    EndMonitorPanel();
    DiscardPanel(setupPanel);
    DiscardPanel(mainPanel);
    return 0;
}
