// EEPROM write, erase and read on the open board, and the reconnection that follows a change.
#include "progwiz/Eeprom.h"

#include "core/Kestrel_core.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/model/uirt.h"
#include "ui/Output.h"
#include "ui/SetupPanel.h"
#include "usb/UsbDevices.h"

#include <chrono>
#include <cstdio>
#include <thread>

enum { ERASE_PAUSE_MS = 3000, NULL_DESCRIPTION_CODE = 26, NULL_SERIAL_CODE = 27 };

static void Sleep(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

static void (*Pause)(int ms) = Sleep;

void SetEepromPause(void (*pause)(int ms)) {
    Pause = pause != nullptr ? pause : Sleep;
}

// Reports the library's last failure; returns its text.
static const char* ReportUsbError(void) {
    int code = USB_GetLastError();
    USB_Perror(code);
    return CorvoUsb_ErrorText(code);
}

// A setter's failure: the program's own text for a null string, the library's for the rest.
// Returns the text shown.
static const char* ReportSetterError(int nullCode, const char* nullText) {
    if (USB_GetLastError() != nullCode) return ReportUsbError();
    MessagePopup("Error", nullText);
    return nullText;
}

// The popup of a failure is gone once answered; the information box keeps that the EEPROM
// still holds what it held.
static void NotWritten(const char* step, const char* why) {
    InfoPrintf("The EEPROM was not written: %s (%s).\n", step, why);
}

// The board shows its new identity once reopened: reopen it, relist the bus so the list shows
// the new description, and refill the panel.
static void Reconnect(void) {
    InitUsbInterface();
    ListUsbDevices();
    InitSetupControls();
}

void ProgramDevice(EepromConfig* conf) {
    int h = GetUsbId();
    if (h <= 0) {
        MessagePopup("Error", "Can't reach device (bad or missing handle)");
        return;
    }
    // The fields are handed on as terminated strings even if a record lacks its terminators.
    char desc[EEPROM_DESC_MAX_CHARS + 1];
    char serNum[EEPROM_SERNUM_MAX_CHARS + 1];
    std::snprintf(desc, sizeof desc, "%.*s", EEPROM_DESC_MAX_CHARS, conf->DeviceDesc);
    std::snprintf(serNum, sizeof serNum, "%.*s", EEPROM_SERNUM_MAX_CHARS, conf->SerialNumber);
    if (!USB_SetDescStr(h, desc)) {
        NotWritten(
            "the description was refused",
            ReportSetterError(NULL_DESCRIPTION_CODE, "A null pointer was passed as Device string"));
        return;
    }
    if (!USB_SetSerialNumber(h, serNum)) {
        NotWritten(
            "the serial number was refused",
            ReportSetterError(NULL_SERIAL_CODE, "A null pointer was passed as Serial number"));
        return;
    }
    // The power source goes before the maximum power.
    const char* failed = !USB_SetPowerSource(h, conf->PowerSource) ? "the power source was refused"
                         : !USB_SetMaxPower(h, conf->MaxPower)     ? "the max power was refused"
                         : !USB_SetDriveCurrent(h, conf->DriveCurrent)
                             ? "the drive current was refused"
                         : !USB_WriteEEpromData(h) ? "the write failed"
                                                   : nullptr;
    if (failed != nullptr) {
        NotWritten(failed, ReportUsbError());
        return;
    }
    MessagePopup("Warning", "The system is now registering the new device description.\n"
                            "Please, wait and once the operation is complete, press OK.");
    Reconnect();
    // At most 131 characters, as one InfoPrintf takes, with the longest fields.
    InfoPrintf("EEPROM now holds \"%s\" / %s, %u mA, %s, %u mA drive.\n", desc, serNum,
               conf->MaxPower, conf->PowerSource == 1 ? "self-powered" : "bus-powered",
               conf->DriveCurrent);
}

void EraseEprom(void) {
    if (GetUsbId() <= 0) return;
    // A failed erase left the board as it was: no pause, no reconnection.
    if (!USB_EraseEEpromData(GetUsbId())) {
        InfoPrintf("The EEPROM was not erased (%s).\n", ReportUsbError());
        return;
    }
    SetWaitCursor(1);
    Pause(ERASE_PAUSE_MS);
    SetWaitCursor(0);
    Reconnect();
    // What the reconnection read back from the erased EEPROM.
    InfoPrintf("EEPROM erased: it now holds \"%s\" / %s.\n", GetDevDesc(),
               GetSerNum()[0] != '\0' ? GetSerNum() : "no serial number");
}

void EraseCB(int, int, void*, int) {
    // Erasing cannot be undone: Enter answers No.
    if (ConfirmPopup("Warning",
                     "You're about to erase the content of your hardware EEPROM\nAre you sure ?",
                     0) == 1)
        EraseEprom();
}

int ReadEEpromCB(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    if (GetUsbId() < 0) {
        MessagePopup("Device error", "Error reading eprom data");
        return 0;
    }
    if (!USB_ReadEEpromData(GetUsbId(), GetShowEpromState())) ReportUsbError();
    return 0;
}

int EEpromChkCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    int state = 0;
    GetCtrlVal(panel, control, &state);
    SetShowEpromState(state);
    return 0;
}
