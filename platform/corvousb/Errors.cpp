// Error codes and texts, the last error, and the installed error and output functions.
#include "platform/corvousb/ErrorDetail.h"
#include "platform/corvousb/Library.h"

#include <cstdio>
#include <cstring>

using namespace corvousb;

namespace {

// The text of the latest access failure, naming the node.
std::string& AccessDeniedText() {
    static std::string text = "Permission denied on the device node";
    return text;
}

} // namespace

void corvousb::KeepAccessDeniedText(std::string text) {
    AccessDeniedText() = std::move(text);
}

const char* CorvoUsb_ErrorText(int code) {
    switch (code) {
    case CORVOUSB_OK:
        return "No error";
    case CORVOUSB_ERR_INVALID_HANDLE:
        return "Invalid device handle: the device is not open";
    case CORVOUSB_ERR_DEVICE_NOT_FOUND:
        return "Device not found: no device with this serial number";
    case CORVOUSB_ERR_DEVICE_BUSY:
        return "Device already open";
    case CORVOUSB_ERR_DEVICE_REMOVED:
        return "Device removed from the bus";
    case CORVOUSB_ERR_NULL_POINTER:
        return "A null pointer was passed to the library";
    case CORVOUSB_ERR_BAD_INDEX:
        return "Device index out of range";
    case CORVOUSB_ERR_BAD_ARGUMENT:
        return "Invalid argument value";
    case CORVOUSB_ERR_NO_DEVICE:
        return "No device found on the USB bus";
    case CORVOUSB_ERR_IO:
        return "USB transfer failed";
    case CORVOUSB_ERR_EEPROM_READ:
        return "EEPROM read failed";
    case CORVOUSB_ERR_EEPROM_WRITE:
        return "EEPROM write failed";
    case CORVOUSB_ERR_EEPROM_ERASE:
        return "EEPROM erase failed";
    case CORVOUSB_ERR_LOG_FILE:
        return "Cannot create the debug log files";
    case CORVOUSB_ERR_NO_EEPROM:
        return "EEPROM access is not available for this device";
    case CORVOUSB_ERR_ACCESS_DENIED:
        return AccessDeniedText().c_str();
    case CORVOUSB_ERR_READ_TIMEOUT:
        return "Read time-out: no data received";
    case CORVOUSB_ERR_WRITE_TIMEOUT:
        return "Write time-out: the device accepted no data";
    case CORVOUSB_ERR_NULL_DESCRIPTION:
        return "A null pointer was passed as device description";
    case CORVOUSB_ERR_NULL_SERIAL:
        return "A null pointer was passed as serial number";
    case CORVOUSB_ERR_DESCRIPTION_TOO_LONG:
        return "Device description longer than 64 characters";
    case CORVOUSB_ERR_SERIAL_TOO_LONG:
        return "Serial number longer than 8 characters";
    default:
        return "Unknown error";
    }
}

int USB_GetLastError(void) {
    return Lib().lastError;
}

void USB_Perror(int code) {
    Enter("USB_Perror", {Arg(code)});
    Library& lib = Lib();
    const char* text = CorvoUsb_ErrorText(code);
    if (lib.perrorConst != nullptr) {
        lib.perrorConst(text);
    } else if (lib.perrorMutable != nullptr) {
        char copy[512];
        std::snprintf(copy, sizeof copy, "%s", text);
        lib.perrorMutable(copy);
    } else {
        std::fprintf(stderr, "CorvoUsb: %s\n", text);
    }
}

void USB_SetPerrorFunc(void (*errorFunc)(const char* text)) {
    Enter("USB_SetPerrorFunc", {errorFunc == nullptr ? "NULL" : "func"});
    Lib().perrorConst = errorFunc;
    Lib().perrorMutable = nullptr;
}

void USB_SetPerrorFunc(void (*errorFunc)(char* text)) {
    Enter("USB_SetPerrorFunc", {errorFunc == nullptr ? "NULL" : "func"});
    Lib().perrorConst = nullptr;
    Lib().perrorMutable = errorFunc;
}

void USB_SetPerrorFunc(std::nullptr_t) {
    USB_SetPerrorFunc(static_cast<void (*)(const char*)>(nullptr));
}

void USB_SetPrintfFunc(int (*printfFunc)(const char* format, ...)) {
    Enter("USB_SetPrintfFunc", {printfFunc == nullptr ? "NULL" : "func"});
    Lib().printfConst = printfFunc;
    Lib().printfMutable = nullptr;
}

void USB_SetPrintfFunc(int (*printfFunc)(char* format, ...)) {
    Enter("USB_SetPrintfFunc", {printfFunc == nullptr ? "NULL" : "func"});
    Lib().printfConst = nullptr;
    Lib().printfMutable = printfFunc;
}

void USB_SetPrintfFunc(std::nullptr_t) {
    USB_SetPrintfFunc(static_cast<int (*)(const char*, ...)>(nullptr));
}
