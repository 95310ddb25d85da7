// The callback table: binds the callback names of the panel resources to Kestrel's functions.
// A name missing here stays unbound and is reported when its panel loads; to bind one, include
// the header that declares it and add one line {"Name", Name}, to the matching table.
#include "app/Callbacks.h"

#include "engine/Dispatch.h"
#include "engine/LoopMode.h"
#include "engine/OfflineDiag.h"
#include "engine/TimerCheck.h"
#include "monitor/MonitorPanel.h"
#include "platform/uirt/model/resource.h"
#include "progwiz/Eeprom.h"
#include "progwiz/ProgWiz.h"
#include "ui/AboutBox.h"
#include "ui/DataCheckControls.h"
#include "ui/EditMenu.h"
#include "ui/Help.h"
#include "ui/Menus.h"
#include "ui/PrintBox.h"
#include "ui/ReconnectControl.h"
#include "ui/SetupPanel.h"
#include "usb/UsbDevices.h"
#include "usb/UsbLink.h"

#include <initializer_list>

namespace {

template <typename Fn> struct Entry {
    std::string_view name;
    Fn function;
};

const std::initializer_list<Entry<CtrlCallbackPtr>> kCtrlCallbacks = {
    {"ExitAppCB", ExitAppCB},
    {"CloseSetupCB", CloseSetupCB},
    {"CmdRefreshCB", CmdRefreshCB},
    {"UsbDevListCB", UsbDevListCB},
    {"ResetCB", ResetCB},
    {"DisconnectCB", DisconnectCB},
    {"SerNumCB", SerNumCB},
    {"LatTimerCB", LatTimerCB},
    {"TxTimeoutCB", TxTimeoutCB},
    {"RxTimeoutCB", RxTimeoutCB},
    {"TxBufferSizeCB", TxBufferSizeCB},
    {"RxBufferSizeCB", RxBufferSizeCB},
    {"AsyncCB", AsyncCB},
    {"CorvoFormatCB", CorvoFormatCB},
    {"PurgeUsbBufferCB", PurgeUsbBufferCB},
    {"GetFifoStatusCB", GetFifoStatusCB},
    {"InfoTextBoxCB", InfoTextBoxCB},
    {"CloseAboutWinCB", CloseAboutWinCB},
    {"SpeedTestButton", SpeedTestButton},
    {"SimulCB", SimulCB},
    {"AAFFButtonCB", AAFFButtonCB},
    {"IOCallback", IOCallback},
    {"IOModeCB", IOModeCB},
    {"ByteOrderCB", ByteOrderCB},
    {"DataSizeCB", DataSizeCB},
    {"DataTypeCB", DataTypeCB},
    {"PatternCB", PatternCB},
    {"PrintChkCB", PrintChkCB},
    {"ShortPrintChkCB", ShortPrintChkCB},
    {"VerifyChkCB", VerifyChkCB},
    {"PrbsDataChkCB", PrbsDataChkCB},
    {"PrbsOrderCB", PrbsOrderCB},
    {"ReconnectChkCB", ReconnectChkCB},
    {"LoopChkCB", LoopChkCB},
    {"LoopTimeCB", LoopTimeCB},
    {"TimerCB", TimerCB},
    {"ProgramWizCB", ProgramWizCB},
    {"NextCB", NextCB},
    {"BackCB", BackCB},
    {"CancelCB", CancelCB},
    {"FinishCB", FinishCB},
    {"WizDevDescCB", WizDevDescCB},
    {"WizSerNumCB", WizSerNumCB},
    {"MaxPowerCB", MaxPowerCB},
    {"PowerRadioCB", PowerRadioCB},
    {"DriveCurrentCB", DriveCurrentCB},
    {"ReadEEpromCB", ReadEEpromCB},
    {"EEpromChkCB", EEpromChkCB},
    {"MonitorWindowCB", MonitorWindowCB},
    {"StopAfterCB", StopAfterCB},
    {"OpenAtLoopStartCB", OpenAtLoopStartCB},
    {"SaveHistoryCB", SaveHistoryCB},
    {"CloseMonitorCB", CloseMonitorCB},
};

const std::initializer_list<Entry<MenuCallbackPtr>> kMenuCallbacks = {
    {"ExitCB", ExitCB},
    {"ShowSetupDlg", ShowSetupDlg},
    {"EraseCB", EraseCB},
    {"ProgramMenuCB", ProgramMenuCB},
    {"EditCB", EditCB},
    {"PrintCB", PrintCB},
    {"AboutCB", AboutCB},
    {"HelpContents", HelpContents},
    {"HelpCorvoUsb", HelpCorvoUsb},
    {"ShowMonitorCB", ShowMonitorCB},
};

template <typename Fn> Fn Find(std::initializer_list<Entry<Fn>> table, std::string_view name) {
    for (const Entry<Fn>& e : table)
        if (e.name == name) return e.function;
    return nullptr;
}

} // namespace

CtrlCallbackPtr FindCtrlCallback(std::string_view name) {
    return Find(kCtrlCallbacks, name);
}
MenuCallbackPtr FindMenuCallback(std::string_view name) {
    return Find(kMenuCallbacks, name);
}

void InstallKestrelCallbacks() {
    uirt::SetCallbackResolver({.control = FindCtrlCallback, .menu = FindMenuCallback});
}
