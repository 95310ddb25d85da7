// API: the bus, opening and closing devices, link settings and the EEPROM.
#include "platform/corvousb/EepromRules.h"
#include "platform/corvousb/Library.h"
#include "platform/corvousb/sim/EepromFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace corvousb;

namespace {

// Runs one chip operation on an open handle; the flag result.
template <class Operation> int OnDevice(int handle, Operation&& operation) {
    OpenHandle* h = Resolve(handle);
    return h == nullptr ? 0 : Flag(operation(*h->device));
}

// Copies at most size-1 characters and a NUL.
void CopyText(char* buffer, std::size_t size, const std::string& text) {
    std::snprintf(buffer, size, "%s", text.c_str());
}

// Copies the description or serial number of device `index`; 0 = copied.
int CopyDeviceText(char* buffer, int index, std::size_t size, std::string DeviceInfo::*field) {
    if (buffer == nullptr) return FailWith(CORVOUSB_ERR_NULL_POINTER);
    const auto devices = Lib().bus->enumerate();
    if (index < 0 || static_cast<std::size_t>(index) >= devices.size())
        return FailWith(CORVOUSB_ERR_BAD_INDEX);
    CopyText(buffer, size, devices[static_cast<std::size_t>(index)].*field);
    return 0;
}

// The open handle whose staged EEPROM values a setter changes; null, with the error kept,
// when the handle is not open or its board left the bus.
OpenHandle* StagingHandle(int handle) {
    OpenHandle* h = Resolve(handle);
    if (h == nullptr) return nullptr;
    const int code = h->device->state();
    if (code == CORVOUSB_OK) return h;
    Flag(code);
    return nullptr;
}

// Stages a text field of the EEPROM; the flag result.
int StageText(int handle, const char* text, std::size_t maxChars, int nullCode, int longCode,
              bool (*validCharacters)(std::string_view), std::string Eeprom::*field) {
    if (text == nullptr) return Flag(nullCode);
    if (std::strlen(text) > maxChars) return Flag(longCode);
    if (!validCharacters(text)) return Flag(CORVOUSB_ERR_BAD_ARGUMENT);
    OpenHandle* h = StagingHandle(handle);
    if (h == nullptr) return 0;
    h->staged.*field = text;
    return 1;
}

// Stages a number of the EEPROM when `valid`; the flag result.
int StageNumber(int handle, int value, bool valid, unsigned Eeprom::*field) {
    if (!valid) return Flag(CORVOUSB_ERR_BAD_ARGUMENT);
    OpenHandle* h = StagingHandle(handle);
    if (h == nullptr) return 0;
    h->staged.*field = static_cast<unsigned>(value);
    return 1;
}

} // namespace

int USB_GetNumberOfDevs(void) {
    Enter("USB_GetNumberOfDevs");
    return static_cast<int>(Lib().bus->enumerate().size());
}

int USB_FindDevices(int reserved) {
    if (!Enter("USB_FindDevices", {Arg(reserved)})) return 0;
    if (reserved != 0) return Flag(CORVOUSB_ERR_BAD_ARGUMENT);
    return Flag(Lib().bus->enumerate().empty() ? CORVOUSB_ERR_NO_DEVICE : CORVOUSB_OK);
}

int GetDeviceDesc(char* buffer, int index) {
    if (!Enter("GetDeviceDesc", {DataArg(buffer), Arg(index)})) return -1;
    return CopyDeviceText(buffer, index, CORVOUSB_DESC_BUFFER, &DeviceInfo::description);
}

int GetDeviceDescEx(char* buffer, int size, int index) {
    if (!Enter("GetDeviceDescEx", {DataArg(buffer), Arg(size), Arg(index)})) return -1;
    if (size < 1) return FailWith(CORVOUSB_ERR_BAD_ARGUMENT);
    return CopyDeviceText(buffer, index, static_cast<std::size_t>(size), &DeviceInfo::description);
}

int GetDeviceLocation(char* buffer, int size, int index) {
    if (!Enter("GetDeviceLocation", {DataArg(buffer), Arg(size), Arg(index)})) return -1;
    if (size < 1) return FailWith(CORVOUSB_ERR_BAD_ARGUMENT);
    return CopyDeviceText(buffer, index, static_cast<std::size_t>(size), &DeviceInfo::location);
}

int GetDeviceSerNum(char* buffer, int index) {
    if (!Enter("GetDeviceSerNum", {DataArg(buffer), Arg(index)})) return -1;
    return CopyDeviceText(buffer, index, CORVOUSB_SERIAL_BUFFER, &DeviceInfo::serial);
}

int OpenUsbDevice(const char* serNum) {
    if (!Enter("OpenUsbDevice", {Arg(serNum)})) return -1;
    if (serNum == nullptr) return FailWith(CORVOUSB_ERR_NULL_POINTER);
    Library& lib = Lib();
    const auto devices = lib.bus->enumerate();
    int code = CORVOUSB_ERR_DEVICE_NOT_FOUND;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (devices[i].serial != serNum) continue;
        std::unique_ptr<FifoDevice> device;
        code = lib.bus->open(i, device);
        if (code != CORVOUSB_OK) continue;
        const int handle = lib.nextHandle++;
        OpenHandle& h = lib.handles[handle];
        h.device = std::move(device);
        if (h.device->readEeprom(h.staged) != CORVOUSB_OK) h.staged = BlankEeprom();
        return handle;
    }
    return FailWith(code);
}

int USB_Init(int handle, int purgeQueues) {
    if (!Enter("USB_Init", {Arg(handle), Arg(purgeQueues)})) return 0;
    OpenHandle* h = Resolve(handle);
    if (h == nullptr) return 0;
    if (purgeQueues == 0) {
        std::size_t waiting = 0;
        return Flag(h->device->queueBytes(0, waiting));
    }
    h->stream.dropKept();
    h->stream.forgetCounter();
    return Flag(h->device->purge());
}

int CloseUsbDevice(int handle) {
    if (!Enter("CloseUsbDevice", {Arg(handle)})) return 0;
    Library& lib = Lib();
    if (lib.handles.erase(handle) == 1) return 1;
    // A handle closed before: closing it again is harmless.
    if (handle > 0 && handle < lib.nextHandle) return 1;
    return Flag(CORVOUSB_ERR_INVALID_HANDLE);
}

void USB_CloseAll(void) {
    Enter("USB_CloseAll");
    Lib().handles.clear();
}

void UsbSetIntCheckingState(int on) {
    if (Enter("UsbSetIntCheckingState", {Arg(on)})) Lib().intChecking = on != 0;
}

int USB_SetLatencyTimer(int handle, unsigned char ms) {
    if (!Enter("USB_SetLatencyTimer", {Arg(handle), Arg(ms)})) return 0;
    return OnDevice(handle, [&](FifoDevice& d) { return d.setLatencyTimer(ms); });
}

int USB_SetTimeouts(int handle, int writeMs, int readMs) {
    if (!Enter("USB_SetTimeouts", {Arg(handle), Arg(writeMs), Arg(readMs)})) return 0;
    if (writeMs < 0 || readMs < 0) return Flag(CORVOUSB_ERR_BAD_ARGUMENT);
    return OnDevice(handle, [&](FifoDevice& d) { return d.setTimeouts(writeMs, readMs); });
}

int USB_SetXferSize(int handle, int txBytes, int rxBytes) {
    if (!Enter("USB_SetXferSize", {Arg(handle), Arg(txBytes), Arg(rxBytes)})) return 0;
    if (txBytes <= 0 || rxBytes <= 0) return Flag(CORVOUSB_ERR_BAD_ARGUMENT);
    return OnDevice(handle, [&](FifoDevice& d) { return d.setTransferSizes(txBytes, rxBytes); });
}

int USB_SetSynchronousMode(int handle, int option) {
    if (!Enter("USB_SetSynchronousMode", {Arg(handle), Arg(option)})) return 0;
    if (option < 0 || option > 255) return Flag(CORVOUSB_ERR_BAD_ARGUMENT);
    return OnDevice(handle, [&](FifoDevice& d) { return d.setSynchronous(true, option); });
}

int USB_ResetMode(int handle) {
    if (!Enter("USB_ResetMode", {Arg(handle)})) return 0;
    return OnDevice(handle, [](FifoDevice& d) { return d.setSynchronous(false, 0); });
}

int USB_SetFlowControlToHardware(int handle) {
    if (!Enter("USB_SetFlowControlToHardware", {Arg(handle)})) return 0;
    return OnDevice(handle, [](FifoDevice& d) { return d.setHardwareFlowControl(); });
}

int USB_PurgeBuffers(int handle) {
    if (!Enter("USB_PurgeBuffers", {Arg(handle)})) return 0;
    OpenHandle* h = Resolve(handle);
    if (h == nullptr) return 0;
    // What was dropped is not counted as lost frames.
    h->stream.dropKept();
    h->stream.forgetCounter();
    return Flag(h->device->purge());
}

int USB_SetBaudRate(int handle, int baud) {
    if (!Enter("USB_SetBaudRate", {Arg(handle), Arg(baud)})) return 0;
    if (baud < 300 || baud > 3000000) return Flag(CORVOUSB_ERR_BAD_ARGUMENT);
    return OnDevice(handle, [&](FifoDevice& d) { return d.setBaudRate(baud); });
}

int USB_GetStatus(int handle, int queue) {
    if (!Enter("USB_GetStatus", {Arg(handle), Arg(queue)})) return -1;
    if (queue != 0 && queue != 1) return FailWith(CORVOUSB_ERR_BAD_ARGUMENT);
    std::size_t bytes = 0;
    if (OnDevice(handle, [&](FifoDevice& d) { return d.queueBytes(queue, bytes); }) == 0) return -1;
    return static_cast<int>(std::min<std::size_t>(bytes, 0x7FFFFFFF));
}

int USB_ReadEEpromData(int handle, int show) {
    if (!Enter("USB_ReadEEpromData", {Arg(handle), Arg(show)})) return 0;
    Eeprom e;
    if (OnDevice(handle, [&](FifoDevice& d) { return d.readEeprom(e); }) == 0) return 0;
    Library& lib = Lib();
    CopyText(lib.eepromDesc, sizeof lib.eepromDesc, e.description);
    CopyText(lib.eepromSerial, sizeof lib.eepromSerial, e.serial);
    if (show != 0) {
        Print("EEPROM description: %s\n", lib.eepromDesc);
        Print("EEPROM serial number: %s\n", lib.eepromSerial);
        Print("EEPROM max power: %u mA\n", e.maxPower);
        Print("EEPROM power source: %s\n", e.powerSource == 1 ? "self-powered" : "bus-powered");
        Print("EEPROM drive current: %u mA\n", e.driveCurrent);
    }
    return 1;
}

char* USB_GetEpromDeviceDesc(void) {
    return Lib().eepromDesc;
}
char* USB_GetEpromSerialNum(void) {
    return Lib().eepromSerial;
}

int USB_HasEepromAccess(int handle) {
    const auto it = Lib().handles.find(handle);
    if (it == Lib().handles.end()) return FailWith(CORVOUSB_ERR_INVALID_HANDLE);
    return it->second.device->eepromAccess() ? 1 : 0;
}

int USB_GetDeviceNode(int handle, char* buffer, int size) {
    if (buffer == nullptr) return Flag(CORVOUSB_ERR_NULL_POINTER);
    if (size < 1) return Flag(CORVOUSB_ERR_BAD_ARGUMENT);
    const auto it = Lib().handles.find(handle);
    if (it == Lib().handles.end()) return Flag(CORVOUSB_ERR_INVALID_HANDLE);
    CopyText(buffer, static_cast<std::size_t>(size), it->second.device->node());
    return 1;
}

int USB_SetDescStr(int handle, const char* description) {
    if (!Enter("USB_SetDescStr", {Arg(handle), Arg(description)})) return 0;
    return StageText(handle, description, CORVOUSB_DESC_MAX_CHARS, CORVOUSB_ERR_NULL_DESCRIPTION,
                     CORVOUSB_ERR_DESCRIPTION_TOO_LONG, DescriptionCharactersValid,
                     &Eeprom::description);
}

int USB_SetSerialNumber(int handle, const char* serialNumber) {
    if (!Enter("USB_SetSerialNumber", {Arg(handle), Arg(serialNumber)})) return 0;
    return StageText(handle, serialNumber, CORVOUSB_SERIAL_MAX_CHARS, CORVOUSB_ERR_NULL_SERIAL,
                     CORVOUSB_ERR_SERIAL_TOO_LONG, SerialCharactersValid, &Eeprom::serial);
}

int USB_SetPowerSource(int handle, int source) {
    if (!Enter("USB_SetPowerSource", {Arg(handle), Arg(source)})) return 0;
    return StageNumber(handle, source, source >= 0 && ValidPowerSource(unsigned(source)),
                       &Eeprom::powerSource);
}

int USB_SetMaxPower(int handle, int mA) {
    if (!Enter("USB_SetMaxPower", {Arg(handle), Arg(mA)})) return 0;
    return StageNumber(handle, mA, mA >= 0 && ValidMaxPower(unsigned(mA)), &Eeprom::maxPower);
}

int USB_SetDriveCurrent(int handle, int mA) {
    if (!Enter("USB_SetDriveCurrent", {Arg(handle), Arg(mA)})) return 0;
    return StageNumber(handle, mA, mA >= 0 && ValidDriveCurrent(unsigned(mA)),
                       &Eeprom::driveCurrent);
}

int USB_WriteEEpromData(int handle) {
    if (!Enter("USB_WriteEEpromData", {Arg(handle)})) return 0;
    OpenHandle* h = Resolve(handle);
    return h == nullptr ? 0 : Flag(h->device->writeEeprom(h->staged));
}

int USB_EraseEEpromData(int handle) {
    if (!Enter("USB_EraseEEpromData", {Arg(handle)})) return 0;
    OpenHandle* h = Resolve(handle);
    if (h == nullptr) return 0;
    const int code = h->device->eraseEeprom();
    if (code == CORVOUSB_OK) h->staged = BlankEeprom();
    return Flag(code);
}
