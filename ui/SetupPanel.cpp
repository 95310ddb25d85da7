// The setup panel's state: filling from tBoard, dimming, lamps, show and close.
#include "ui/SetupPanel.h"

#include "core/Kestrel_core.h"
#include "platform/uirt/model/uirt.h"
#include "ui/DataCheckControls.h"
#include "ui/EepromAccess.h"
#include "ui/KestrelUIR.h"
#include "ui/Panels.h"
#include "ui/Radio.h"
#include "ui/ReconnectControl.h"

#include <cstring>

int DataDigits(int wordSize) {
    return wordSize == 0 ? 2 : wordSize == 1 ? 4 : 8;
}

unsigned DataShown(int wordSize, unsigned startVal) {
    if (wordSize == 0) return startVal & 0xFFu;
    if (wordSize == 1) return startVal & 0xFFFFu;
    return startVal;
}

unsigned DataFieldValue(unsigned startVal) {
    return GetPatternMode() != 0 ? startVal : DataShown(GetWordSize(), startVal);
}

void InitSetupControls(void) {
    int setup = GetSetupPanelHandle();
    int index = 0;
    GetCtrlVal(setup, SETUPPANEL_DEV_INDEX, &index);
    SetCtrlVal(setup, SETUPPANEL_LSTDEVICES, index);
    if (GetUsbId() > 0) {
        SetLed(1);
        DisableControls(0);
    }
    SetCtrlVal(setup, SETUPPANEL_SERNUMTXT, GetSerNum());
    SetCtrlVal(setup, SETUPPANEL_SUBADDRESS, GetSubAddress());
    Radio_SetMarkedOption(setup, SETUPPANEL_IOMODE, GetIOMode());
    Radio_SetMarkedOption(setup, SETUPPANEL_DATASZRADIO, GetWordSize());
    SetCtrlAttribute(setup, SETUPPANEL_DATA, ATTR_MIN_DIGITS, DataDigits(GetWordSize()));
    SetCtrlVal(setup, SETUPPANEL_DATA, DataFieldValue(static_cast<unsigned>(GetStartVal())));
    SetCtrlVal(setup, SETUPPANEL_INCREMENT, GetIncrement());
    SetCtrlVal(setup, SETUPPANEL_WORDCOUNT, GetWordCount());
    // In pattern mode the ring keeps showing the pattern in use.
    SetCtrlVal(setup, SETUPPANEL_PATTERNRING,
               static_cast<unsigned>(GetPatternMode() != 0 ? GetStartVal() : GetPatternPos()));
    // A loop time the ring does not offer (from kestrel.cfg) gives way to the ring's item, so
    // that the period used is the one shown.
    if (SetCtrlVal(setup, SETUPPANEL_LOOPRING, GetLoopTime()) < 0) {
        int shown = GetLoopTime();
        GetCtrlVal(setup, SETUPPANEL_LOOPRING, &shown);
        SetLoopTime(shown);
    }
    SetCtrlVal(setup, SETUPPANEL_LOOPCHECKBOX, 0);
    SetCtrlVal(setup, SETUPPANEL_PRINTCHK, GetPrintState());
    SetCtrlVal(setup, SETUPPANEL_SHORTPRINT, GetShortPrint());
    SetCtrlAttribute(setup, SETUPPANEL_SHORTPRINT, ATTR_DIMMED, GetPrintState() == 0);
    SetCtrlVal(setup, SETUPPANEL_EEPROMCHK, GetShowEpromState());
    SetCtrlVal(setup, SETUPPANEL_LATTIMER, GetLatTimer());
    SetCtrlVal(setup, SETUPPANEL_WRTIMEOUT, GetTxTimeout());
    SetCtrlVal(setup, SETUPPANEL_RDTIMEOUT, GetRxTimeout());
    SetCtrlVal(setup, SETUPPANEL_TXBUFSZ, GetTxBuffer());
    SetCtrlVal(setup, SETUPPANEL_RXBUFSZ, GetRxBuffer());
    ShowDataCheckSettings(setup);
    ShowReconnectSetting(setup);
}

void DisableControls(int dim) {
    int setup = GetSetupPanelHandle();
    int menuBar = GetPanelMenuBar(GetMainPanelHandle());
    if (strcmp(GetDevDesc(), "USB-Blaster") == 0) dim = 1;

    SetCtrlAttribute(setup, SETUPPANEL_APPLYBTN, ATTR_DIMMED, dim);
    if (dim == 0) {
        SetActiveCtrl(setup, SETUPPANEL_APPLYBTN);
        SetCtrlAttribute(setup, SETUPPANEL_DISCONNECT, ATTR_DIMMED, 0);
        SetCtrlAttribute(setup, SETUPPANEL_RESETBTN, ATTR_DIMMED, 1);
    } else {
        SetCtrlAttribute(setup, SETUPPANEL_DISCONNECT, ATTR_DIMMED, 1);
        SetCtrlAttribute(setup, SETUPPANEL_RESETBTN, ATTR_DIMMED, 0);
    }
    SetCtrlAttribute(setup, SETUPPANEL_LOOPCHECKBOX, ATTR_DIMMED, dim);
    SetCtrlAttribute(setup, SETUPPANEL_PROGRAMBTN, ATTR_DIMMED, dim);
    SetCtrlAttribute(setup, SETUPPANEL_RDEEPROMBTN, ATTR_DIMMED, dim);
    SetLed(dim == 0 ? 1 : 0);
    SetMenuBarAttribute(menuBar, MENUBAR_TESTMENU_ERASE, ATTR_DIMMED, dim);
    SetMenuBarAttribute(menuBar, MENUBAR_TESTMENU_PROGRAM, ATTR_DIMMED, dim);
    SetMenuBarAttribute(menuBar, MENUBAR_FILEMENU_PRINT, ATTR_DIMMED, 0);
    ShowEepromAccess(dim);
}

void SetSubAddressControlState(int enabled) {
    SetCtrlAttribute(GetSetupPanelHandle(), SETUPPANEL_SUBADDRESS, ATTR_DIMMED, enabled == 0);
}

void SetLed(int state) {
    SetCtrlVal(GetSetupPanelHandle(), SETUPPANEL_LED, state);
}

void SetLed2(int state) {
    SetCtrlVal(GetSetupPanelHandle(), SETUPPANEL_LED_2, state);
}

void ShowSetupDlg(int, int, void*, int) {
    int menuBar = GetPanelMenuBar(GetMainPanelHandle());
    InitSetupControls();
    DisplayPanel(GetSetupPanelHandle());
    SetMenuBarAttribute(menuBar, MENUBAR_TESTMENU_SHOWDLG, ATTR_DIMMED, 1);
}

int CloseSetupCB(int panel, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) {
        HidePanel(panel);
        SetMenuBarAttribute(GetPanelMenuBar(GetMainPanelHandle()), MENUBAR_TESTMENU_SHOWDLG,
                            ATTR_DIMMED, 0);
    }
    return 0;
}
