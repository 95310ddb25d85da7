// CorvoUsb: the USB library for USB-to-FIFO boards (plain procedural API).
//
// Conventions shared by every function below:
// - One library-wide bus, single-threaded use. The bus is built on the first call: from the file
//   named by CORVOUSB_BUS when that variable is set, otherwise one simulated board (README.md).
// - A "flag" result is non-zero on success and 0 on failure; after a failure the error code is
//   kept for USB_GetLastError (see the CORVOUSB_ERR_* table). A successful call does not clear
//   the last code.
// - A handle is the positive int returned by OpenUsbDevice. Handles are never reused within a
//   run. Any call with a handle that is not open fails with CORVOUSB_ERR_INVALID_HANDLE (or
//   CORVOUSB_ERR_DEVICE_REMOVED when its board left the bus) and never crashes.
// - A null pointer or an out-of-range value fails with a code; nothing is ever written beyond the
//   sizes given here. Text is copied in, never kept by reference, unless stated.
// - Nothing here waits: a read returns what the board has sent, and a read that got nothing
//   reports code 20 (CORVOUSB_ERR_READ_TIMEOUT), the quiet expected condition.
// - The library talks to the user only through the printf function (USB_SetPrintfFunc) and,
//   when asked with USB_Perror, the error function (USB_SetPerrorFunc).
#pragma once

#include <cstddef>

extern "C" {

// ---- Error codes (texts: CorvoUsb_ErrorText, README.md) ----
enum {
    CORVOUSB_OK = 0,
    CORVOUSB_ERR_INVALID_HANDLE = 1,   // the handle is not open
    CORVOUSB_ERR_DEVICE_NOT_FOUND = 2, // no board with that serial number
    CORVOUSB_ERR_DEVICE_BUSY = 3,      // the board is already open
    CORVOUSB_ERR_DEVICE_REMOVED = 4,   // the board left the bus
    CORVOUSB_ERR_NULL_POINTER = 5,
    CORVOUSB_ERR_BAD_INDEX = 6,    // device index out of range
    CORVOUSB_ERR_BAD_ARGUMENT = 7, // a value outside its documented range
    CORVOUSB_ERR_NO_DEVICE = 8,    // the bus holds no board
    CORVOUSB_ERR_IO = 9,           // the transport failed
    CORVOUSB_ERR_EEPROM_READ = 10,
    CORVOUSB_ERR_EEPROM_WRITE = 11,
    CORVOUSB_ERR_EEPROM_ERASE = 12,
    CORVOUSB_ERR_LOG_FILE = 13,      // the debug log files cannot be created
    CORVOUSB_ERR_NO_EEPROM = 14,     // the device offers no EEPROM access (a tty device)
    CORVOUSB_ERR_ACCESS_DENIED = 15, // no permission on the device node (text names it)
    CORVOUSB_ERR_READ_TIMEOUT = 20,  // a read time-out with no data: quiet, expected
    CORVOUSB_ERR_WRITE_TIMEOUT = 21, // the board accepted no byte of a write
    CORVOUSB_ERR_NULL_DESCRIPTION = 26,
    CORVOUSB_ERR_NULL_SERIAL = 27,
    CORVOUSB_ERR_DESCRIPTION_TOO_LONG = 28, // more than 64 characters
    CORVOUSB_ERR_SERIAL_TOO_LONG = 29,      // more than 8 characters
};

// Sizes of the caller's buffers, terminator included.
enum { CORVOUSB_DESC_BUFFER = 64, CORVOUSB_SERIAL_BUFFER = 10 };
// EEPROM field limits, in characters.
enum { CORVOUSB_DESC_MAX_CHARS = 64, CORVOUSB_SERIAL_MAX_CHARS = 8 };

// The library's own version, for an About box: four 16-bit numbers each, most significant first.
struct CorvoUsbVersionRecord {
    unsigned short fileVersion[4];
    unsigned short productVersion[4];
};
extern const CorvoUsbVersionRecord CorvoUsb_VersionRecord;

// Text for a code ("Unknown error" for codes not in the table). Never null. Static, except for
// CORVOUSB_ERR_ACCESS_DENIED: that text names the node of the latest such failure and how to get
// access, and stays valid until the next one.
const char* CorvoUsb_ErrorText(int code);

// ---- Bus and devices ----
// Number of boards on the bus; device indices run from 0 to the count minus 1. Never negative.
int USB_GetNumberOfDevs(void);
// Rescans the bus (the argument is reserved: pass 0). Flag; fails with CORVOUSB_ERR_NO_DEVICE
// when the bus holds no board, and with CORVOUSB_ERR_BAD_ARGUMENT for another argument.
int USB_FindDevices(int reserved);
// Copy the description (up to 63 characters, cut to fit, NUL-terminated, into at most 64 bytes)
// or the serial number (up to 9 characters, into at most 10 bytes) of device `index`.
// Result 0 = copied; non-zero = failure (buffer untouched), code kept for USB_GetLastError.
int GetDeviceDesc(char* buffer, int index);
int GetDeviceSerNum(char* buffer, int index);
// As GetDeviceDesc, into a buffer of `size` bytes, so that a description of the full 64
// characters comes whole (65 bytes). Fails with CORVOUSB_ERR_BAD_ARGUMENT when size < 1.
int GetDeviceDescEx(char* buffer, int size, int index);
// Where device `index` is, into a buffer of `size` bytes (cut to fit, NUL-terminated): its
// device node ("/dev/ttyUSB0") or "simulated". Result as GetDeviceDescEx.
int GetDeviceLocation(char* buffer, int size, int index);
// Opens the board whose serial number equals serNum exactly. "" opens the first closed board
// whose EEPROM holds no serial number (an erased board); there is none on the default bus.
// Result: handle > 0, or -1 on failure (not found, already open, null pointer).
int OpenUsbDevice(const char* serNum);
// Prepares an open board for transfers. purgeQueues non-zero empties both queues and forgets a
// partial frame kept from the previous extended read (Kestrel passes 1). Flag.
int USB_Init(int handle, int purgeQueues);
// Closes one handle. Flag: 1 when the handle was open or had been closed already (closing twice
// is harmless); 0 with CORVOUSB_ERR_INVALID_HANDLE for a value that was never a handle.
int CloseUsbDevice(int handle);
// Closes every open handle. Always safe.
void USB_CloseAll(void);
// Interrupt checking: before each sub-address command the library discards bytes the board sent
// unasked (they would otherwise be taken for the answer). With checking on (non-zero) it also
// reports their count through the printf function. Off at load.
void UsbSetIntCheckingState(int on);

// ---- Sub-address protocol and framed reads ----
// Write `bytes` bytes to the board's memory at the signed sub-address, or read `bytes` bytes
// back from it. Result: bytes moved (may be fewer than asked); 0 = nothing moved (a read that got
// no data keeps code 20); negative after an error (code kept). bytes = 0 moves nothing and
// returns 0 without touching the board.
int UsbWrt(int handle, char subAddress, unsigned char* data, int bytes);
int UsbRd(int handle, char subAddress, unsigned char* data, int bytes);
// Framed ("Corvo") stream read: asks the board's stream source for frames and delivers only
// whole frames (and bytes that belong to no frame), at most maxBytes, into buffer; a frame cut by
// the transfer is kept and delivered complete by the next call. *frames receives the number of
// whole frames delivered by this call. Updates the frame counters below, and appends the bytes
// received to the capture file while the debug log is open. Result: bytes delivered, 0 when none
// (code 20 when nothing arrived), negative after an error. maxBytes must be 1 or more. The
// buffer's bytes after the result are scratch (they may hold a cut frame).
int UsbRdEx(int handle, unsigned char* buffer, int maxBytes, int* frames);
// Frame check of a recorded block (offline replay of the capture file): runs the same checker
// over the block, keeping a frame cut at the end of the block for the next call, and updates the
// library-wide counters. Result: whole frames found in this call; negative on a bad argument.
// ResetLostFrames starts the offline checker afresh.
int USB_CheckFrames(const unsigned char* block, int bytes);

// ---- Raw FIFO ----
// Write to / read from the FIFO without any protocol. Flag; *written / *read receives the bytes
// moved (0 before any failure). A write the board refuses entirely fails with code 21; a read
// that finds no data succeeds with *read = 0 and keeps code 20.
int USB_Write(int handle, unsigned char* data, int bytes, int* written);
int USB_Read(int handle, unsigned char* data, int bytes, int* read);

// ---- Link settings (kept by the chip; all return a flag) ----
int USB_SetLatencyTimer(int handle, unsigned char ms);     // ms, kept as given
int USB_SetTimeouts(int handle, int writeMs, int readMs);  // each 0 or more
int USB_SetXferSize(int handle, int txBytes, int rxBytes); // each 1 or more
int USB_SetSynchronousMode(int handle, int option);        // synchronous FIFO; option 0..255 kept
int USB_ResetMode(int handle);                             // back to asynchronous FIFO
int USB_SetFlowControlToHardware(int handle);
int USB_PurgeBuffers(int handle);          // empties both queues and the kept partial frame
int USB_SetBaudRate(int handle, int baud); // 300..3000000
// Bytes waiting in the receive (queue 0) or transmit (queue 1) queue; -1 on failure (code kept).
enum { CORVOUSB_RX_QUEUE = 0, CORVOUSB_TX_QUEUE = 1 };
int USB_GetStatus(int handle, int queue);

// ---- EEPROM ----
// A device reached through a tty (a real board on Linux) has no EEPROM access: USB_ReadEEpromData,
// USB_WriteEEpromData and USB_EraseEEpromData fail there with CORVOUSB_ERR_NO_EEPROM.
// Reads the board's EEPROM into the library's last-read record; show non-zero also prints it
// through the printf function. Flag.
int USB_ReadEEpromData(int handle, int show);
// Description and serial number of the last successful EEPROM read ("" before any). The strings
// belong to the library and stay valid until the next read; do not write to them.
char* USB_GetEpromDeviceDesc(void);
char* USB_GetEpromSerialNum(void);
// Whether the open board's EEPROM can be read and written: 1, 0 (a tty device), or -1 for a
// handle that is not open (code kept). Does not touch the board.
int USB_HasEepromAccess(int handle);
// Copies where the open board is reached, for the user ("/dev/ttyUSB0"; a simulated board:
// "simulated bus, port 1"), cut to fit `size` bytes. Flag; fails for a handle that is not open.
int USB_GetDeviceNode(int handle, char* buffer, int size);
// Stage values for the next USB_WriteEEpromData; staging starts from the EEPROM content at open.
// Flag. Null text: codes 26 / 27; too long: codes 28 / 29; power source other than 0 (bus) or 1
// (self-powered), max power outside 0..500 mA, drive current other than 4, 8, 12, 16 mA: code 7.
int USB_SetDescStr(int handle, const char* description);
int USB_SetSerialNumber(int handle, const char* serialNumber);
int USB_SetPowerSource(int handle, int source);
int USB_SetMaxPower(int handle, int mA);
int USB_SetDriveCurrent(int handle, int mA);
// Writes the staged values to the EEPROM; the board shows its new identity at the next
// enumeration. Flag.
int USB_WriteEEpromData(int handle);
// Erases the EEPROM: the board then shows the blank identity of the chip (description
// "Corvo USB FIFO", no serial number, 100 mA, bus-powered, 8 mA). Flag.
int USB_EraseEEpromData(int handle);

// ---- Frame counters (library-wide, unsigned 64-bit) ----
unsigned long long GetLostFrames(void);     // frames missing from gaps in the frame counter
unsigned long long GetHeaderErrors(void);   // runs of bytes where a frame header was expected
unsigned long long GetTrailerErrors(void);  // frames whose trailer does not match
unsigned long long GetTotalByteCount(void); // bytes received by extended reads and checked offline
void ResetLostFrames(void);                 // also forgets the expected next frame counter
void ResetFrameErrors(void);                // header and trailer errors
void ResetTotalByteCount(void);
// Prints a diagnosis of the last extended read and the counters through the printf function.
void PrintFrameInfo(void);

// ---- Device events (hot-plugging; these calls are not logged) ----
// Starts watching boards come and go. Returns a descriptor (owned by the library) that becomes
// readable when one did, for the caller's event loop to watch; the same one while open. -1 with
// CORVOUSB_ERR_IO when the kernel's device events cannot be watched.
int USB_OpenDeviceEvents(void);
// Takes the waiting events without waiting: 1 when boards may have come or gone (enumerate
// again), 0 when none waited, -1 with CORVOUSB_ERR_IO when the source broke (it is then closed)
// or is not open.
int USB_TakeDeviceEvents(void);
// Stops watching and closes the descriptor. Always safe.
void USB_CloseDeviceEvents(void);

// ---- Errors and output ----
int USB_GetLastError(void);
// Hands CorvoUsb_ErrorText(code) to the installed error function (stderr when none).
void USB_Perror(int code);
// Installs the error function (null restores stderr). The text passed to it is only valid
// during the call.
void USB_SetPerrorFunc(void (*errorFunc)(const char* text));
// Installs the printf-style function for all library output (null restores stdout).
void USB_SetPrintfFunc(int (*printfFunc)(const char* format, ...));

// ---- Debug log ----
// Opens "USB_LogFile.txt" (one line per library call, in the call-log format of
// CorvoUsbTesting.h) and "USB_LogFile2.bin" (the raw bytes received by extended reads) in the
// working directory, both truncated; a previous non-empty file is kept as "USB_LogFile.txt.1" /
// "USB_LogFile2.bin.1" (one older generation). Opening while open keeps the open files. Flag.
int dbg_OpenLogFile(void);
// The capture stops growing at this size per opening: a longer file is not one of its captures.
enum { CORVOUSB_CAPTURE_MAX_BYTES = 64 << 20 };
// Closes both files; harmless when closed.
void dbg_CloseLogFile(void);

} // extern "C"

// The same installers for functions taking a mutable text pointer, and for nullptr (restores the
// default output).
void USB_SetPerrorFunc(void (*errorFunc)(char* text));
void USB_SetPrintfFunc(int (*printfFunc)(char* format, ...));
void USB_SetPerrorFunc(std::nullptr_t);
void USB_SetPrintfFunc(std::nullptr_t);
