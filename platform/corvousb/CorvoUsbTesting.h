// Test seam of the CorvoUsb library: an in-memory bus of simulated boards, fault injection and
// the log of library calls. For tests only; Kestrel's own code never includes it.
//
// Boards are numbered 0, 1, ... in the order they were added; device index = position among the
// boards currently plugged in. Functions taking a board number ignore numbers that do not exist.
//
// Call log format (also the lines of the debug log "USB_LogFile.txt"): one string per library
// call, "Name(arg, arg, ...)", in call order:
// - integers in decimal, the sub-address as a signed number ("UsbWrt(1, -3, data, 16)"), the
//   latency timer as a number;
// - text arguments in double quotes, exactly as passed ("OpenUsbDevice(\"SIM00001\")"); a null
//   text or null pointer of any kind as NULL;
// - data buffers as "data", out-pointers as "out", installed functions as "func";
// - calls without arguments as "Name()".
// Examples: "USB_SetXferSize(1, 4096, 8192)", "UsbRdEx(1, data, 32768, out)",
// "USB_ReadEEpromData(1, 0)", "USB_CloseAll()", "USB_SetPerrorFunc(func)".
// Every API function is logged except those that only report state: USB_GetLastError,
// CorvoUsb_ErrorText, GetLostFrames, GetHeaderErrors, GetTrailerErrors, GetTotalByteCount,
// USB_GetEpromDeviceDesc, USB_GetEpromSerialNum, USB_HasEepromAccess, USB_GetDeviceNode and the
// device-event calls (USB_OpenDeviceEvents, USB_TakeDeviceEvents, USB_CloseDeviceEvents).
#pragma once

#include "platform/corvousb/sim/BoardSetup.h"

#include <chrono>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvousb::testing {

// BoardSetup (what a board holds and how its firmware behaves) and BoardState (the board as the
// chip sees it) are defined in sim/BoardSetup.h.
using corvousb::BoardSetup;
using corvousb::BoardState;

// Empties the bus (no board, no file, no environment; boards on a virtual clock), closes every
// handle and the debug log, clears faults, the call log, the frame counters, the last error and the
// last EEPROM read, and numbers handles from 1 again. The installed error and printf functions are
// kept.
void ResetBus();
// ResetBus, then builds the bus as on first use: from the CORVOUSB_BUS file, else the default
// board with its EEPROM file; its boards also take their time from a virtual clock.
void RebuildBus();
// Adds a board at the end of the bus, plugged in. Returns its board number.
int AddBoard(const BoardSetup& setup = {});
BoardState Board(int board);
// The time of the bus's clock. After ResetBus or RebuildBus the clock is virtual: it starts at 0
// and moves only when a board waits (a transfer, a latency wait, a time-out), without sleeping,
// so tests measure the time model's durations exactly.
std::chrono::nanoseconds BusTime();
// Lets `span` pass on the bus clock, as a host that does nothing for that long (virtual: at once).
void WaitFor(std::chrono::nanoseconds span);

// Fails the next call (or every call, until ClearFaults) of the named API function with `code`:
// the function returns its failure value (0, -1 or a negative count, as documented; void
// functions do nothing) before touching the board, and keeps the code for USB_GetLastError.
void FailNextCall(std::string_view function, int code);
void FailEveryCall(std::string_view function, int code);
// Removes every fault of functions and boards (boards unplugged stay unplugged).
void ClearFaults();

// The board accepts no byte written to it (writes fail with code 21).
void RefuseEveryByte(int board, bool on = true);
// Every read from the board returns at most maxBytes bytes; the rest stays queued. 0 lifts it.
void LimitReads(int board, int maxBytes);
// Takes the board off the bus: its open handles fail with code 4, enumeration skips it.
void UnplugBoard(int board);
// Unplugs the board once `calls` more library calls have used a handle on it: the calls after
// them fail with code 4.
void UnplugBoardAfter(int board, int calls);
// Puts an unplugged board back on the bus (its old handles stay dead).
void PlugBoard(int board);
// Device events: after ResetBus or RebuildBus the descriptor of USB_OpenDeviceEvents is the
// seam's, not the kernel's. UnplugBoard, PlugBoard and the unplug of UnplugBoardAfter each send
// one event; SendDeviceEvent sends one for a change made elsewhere (a fake sysfs tree).
void SendDeviceEvent();
// Breaks the open event source: its descriptor reports an end, as a monitor that failed.
void BreakDeviceEvents();
// USB_OpenDeviceEvents fails from now on (until ResetBus), as where events cannot be watched.
void RefuseDeviceEvents();
// Frame faults, by the stream source's frame number (0 = the first frame the board sends since
// it was added): drop `count` frames (their counters are skipped), break the first header byte
// (the checker sees a header error, then the frame as lost), or break the trailer.
void DropFrames(int board, unsigned long long firstFrame, unsigned count = 1);
void CorruptFrameHeaders(int board, unsigned long long firstFrame, unsigned count = 1);
void CorruptFrameTrailers(int board, unsigned long long firstFrame, unsigned count = 1);
// Puts bytes in the board's receive queue as if the board had sent them unasked.
void SendUnasked(int board, std::span<const unsigned char> bytes);

// Caps the debug log files at these sizes instead of 64 MiB each, until the next ResetBus.
void LimitLogFiles(std::size_t textBytes, std::size_t captureBytes);

// The calls made so far (format above), and clearing them.
std::vector<std::string> CallLog();
void ClearCallLog();

// One well-formed frame: AA FF FF, counter (16-bit little-endian), payload length (16-bit
// little-endian), payload, trailer 55 and the XOR of the payload bytes.
std::vector<unsigned char> MakeFrame(unsigned counter, std::span<const unsigned char> payload);

} // namespace corvousb::testing
