// A board leaving the bus and coming back: one message each, the loop stopped and resumed.
#include "usb/BoardReturn.h"

#include "core/AdditionSettings.h"
#include "core/Kestrel_core.h"
#include "core/RunEvents.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/Output.h"
#include "ui/Panels.h"
#include "usb/UsbDevices.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The board that left while open, until it is back or another connection is made.
struct Departure {
    bool active = false;
    std::chrono::steady_clock::time_point since;
    bool looping = false;
    std::string serial, description;
};

Departure departure;

bool SerialOnBus(const char* serial) {
    const int n = USB_GetNumberOfDevs();
    for (int i = 0; i < n; ++i) {
        char found[CORVOUSB_SERIAL_BUFFER] = "";
        if (GetDeviceSerNum(found, i) == 0 && std::strcmp(found, serial) == 0) return true;
    }
    return false;
}

std::string Named(const Departure& d) {
    return d.description + " (serial " + d.serial + ")";
}

void BoardGone() {
    departure = {true, std::chrono::steady_clock::now(), GetLoopState() != 0, GetSerNum(),
                 GetDevDesc()};
    const std::string text = Named(departure) + " left the bus: disconnected" +
                             (departure.looping ? ", loop stopped." : ".");
    InfoPrintf("%s\n", text.c_str());
    runevents::Emit(runevents::Kind::BoardGone, text);
    // As the Disconnect button does: the loop ends (with its statistics), the board is closed.
    DisconnectCB(GetSetupPanelHandle(), SETUPPANEL_DISCONNECT, EVENT_COMMIT, nullptr, 0, 0);
}

// The settings a connection does not send, sent again as the user's controls left them.
void ResendUserLinkSettings() {
    const int setup = GetSetupPanelHandle();
    int async = 1, framing = 1;
    GetCtrlVal(setup, SETUPPANEL_ASYNC_CHK, &async);
    GetCtrlVal(setup, SETUPPANEL_BINARYSWITCH, &framing);
    if (async == 0) CallCtrlCallback(setup, SETUPPANEL_ASYNC_CHK, EVENT_COMMIT, 0, 0);
    if (framing == 0) CallCtrlCallback(setup, SETUPPANEL_BINARYSWITCH, EVENT_COMMIT, 0, 0);
}

void BoardBack() {
    const Departure was = departure;
    departure.active = false;
    const double gap =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - was.since).count();
    const int setup = GetSetupPanelHandle();
    SetSerNum(was.serial.c_str());
    // As "Connect and initialize", then the flow control of start-up and the user's settings.
    ResetCB(setup, SETUPPANEL_RESETBTN, EVENT_COMMIT, nullptr, 0, 0);
    if (GetUsbId() <= 0) return; // the connection reported why
    USB_SetFlowControlToHardware(GetUsbId());
    ResendUserLinkSettings();
    char length[32];
    std::snprintf(length, sizeof length, "%.1f s", gap);
    const std::string text = Named(was) + " is back after " + length + ": reconnected" +
                             (was.looping ? ", loop resumed." : ".");
    InfoPrintf("%s\n", text.c_str());
    runevents::Emit(runevents::Kind::BoardBack, text);
    if (!was.looping) return;
    SetCtrlVal(setup, SETUPPANEL_LOOPCHECKBOX, 1);
    CallCtrlCallback(setup, SETUPPANEL_LOOPCHECKBOX, EVENT_VAL_CHANGED, 0, 0);
}

} // namespace

void BusChanged(void) {
    ListUsbDevices();
    int shown = 0;
    GetCtrlVal(GetSetupPanelHandle(), SETUPPANEL_DEV_INDEX, &shown);
    SetCtrlVal(GetSetupPanelHandle(), SETUPPANEL_LSTDEVICES, shown);
    if (GetUsbId() > 0) {
        departure.active = false; // connected again, by the user
        if (!SerialOnBus(GetSerNum())) BoardGone();
        return;
    }
    if (departure.active && settings::Additions().get(settings::kReconnect) != 0 &&
        SerialOnBus(departure.serial.c_str()))
        BoardBack();
}

int BoardRemovedInUse(void) {
    // A single test meets the removal in its "USB Error" box; the device event follows.
    if (GetUsbId() <= 0 || GetLoopState() == 0) return 0;
    BoardGone();
    return 1;
}
