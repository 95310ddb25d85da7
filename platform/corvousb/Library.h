// The library's one state (bus, handles, counters, errors, output, logs) and the helpers the API
// functions share. Internal: include CorvoUsb.h instead.
#pragma once

#include "platform/corvousb/CorvoUsb.h"
#include "platform/corvousb/DebugLog.h"
#include "platform/corvousb/DeviceEvents.h"
#include "platform/corvousb/Transport.h"
#include "platform/corvousb/protocol/Frame.h"

#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace corvousb {

class Clock;
class SimBus;

struct OpenHandle {
    std::unique_ptr<FifoDevice> device;
    Eeprom staged;      // values for the next EEPROM write
    FrameStream stream; // the extended reads' frame checker, with a cut frame kept
};

// What PrintFrameInfo reports about the latest extended read.
struct LastTransfer {
    bool valid = false;
    int asked = 0, received = 0, delivered = 0;
    std::size_t frames = 0, kept = 0;
    std::uint16_t firstCounter = 0, lastCounter = 0;
};

struct FunctionFault {
    int code = 0;
    bool every = false;
};

struct Library {
    std::unique_ptr<FifoBus> bus;
    SimBus* sim = nullptr; // the bus when it is simulated: for the test seam only
    std::map<int, OpenHandle> handles;
    int nextHandle = 1;
    int lastError = CORVOUSB_OK;
    bool intChecking = false;
    FrameCounters counters;
    FrameStream offline; // USB_CheckFrames
    LastTransfer last;
    char eepromDesc[CORVOUSB_DESC_MAX_CHARS + 1] = "";
    char eepromSerial[CORVOUSB_SERIAL_MAX_CHARS + 1] = "";
    void (*perrorConst)(const char*) = nullptr;
    void (*perrorMutable)(char*) = nullptr;
    int (*printfConst)(const char*, ...) = nullptr;
    int (*printfMutable)(char*, ...) = nullptr;
    DebugLog log;
    std::deque<std::string> calls;
    std::map<std::string, FunctionFault, std::less<>> faults;
    std::function<void(int port)> onHandleUse; // test seam: counts calls per board
    std::unique_ptr<DeviceEvents> events;      // while watched (USB_OpenDeviceEvents)
    // Where events come from: the kernel's (UdevEvents) unless the test seam gives its own.
    std::function<std::unique_ptr<DeviceEvents>()> eventSource = UdevEvents;
};

// The state, with the bus built on first use (CORVOUSB_BUS file, else the USB tty devices and
// the default board).
Library& Lib();
// Builds the bus as on first use: from the CORVOUSB_BUS file, else the USB tty devices followed
// by the default board (unless CORVOUSB_NO_SIM hides it); simulated boards take their time from
// `clock`.
void BuildBus(Library& lib, std::shared_ptr<Clock> clock);
// Replaces the bus; closes every handle first.
void InstallBus(std::unique_ptr<FifoBus> bus, SimBus* sim);

// Argument texts for the call log.
std::string Arg(int value);
std::string Arg(const char* text);        // quoted, or NULL
std::string DataArg(const void* pointer); // "data" or NULL
std::string OutArg(const void* pointer);  // "out" or NULL

// Logs the call; false when an injected fault makes it fail (its code is then kept).
bool Enter(std::string_view name, std::initializer_list<std::string> args = {});
// Keeps `code` for USB_GetLastError when it is not CORVOUSB_OK; returns the flag result.
int Flag(int code);
// Keeps `code` for USB_GetLastError and returns -1.
int FailWith(int code);
// The open handle, or null with CORVOUSB_ERR_INVALID_HANDLE kept.
OpenHandle* Resolve(int handle);
// printf-style output through the installed function (stdout when none).
void Print(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace corvousb
