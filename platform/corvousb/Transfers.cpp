// API: sub-address transfers, framed reads, raw FIFO transfers, frame counters and the debug log.
#include "platform/corvousb/Library.h"
#include "platform/corvousb/protocol/Command.h"

#include <cstring>
#include <vector>

using namespace corvousb;

namespace {

// The largest block one transfer call moves.
constexpr int kMaxTransfer = 16 << 20;

// 0 when a caller's block of `bytes` bytes at `data` is usable, else the code.
int CheckBlock(const void* data, int bytes) {
    if (bytes < 0 || bytes > kMaxTransfer) return CORVOUSB_ERR_BAD_ARGUMENT;
    if (data == nullptr && bytes > 0) return CORVOUSB_ERR_NULL_POINTER;
    return CORVOUSB_OK;
}

// Reads and drops the bytes the board sent unasked, so that they are not taken for the answer to
// the next command.
int DiscardUnasked(FifoDevice& device) {
    std::size_t waiting = 0, dropped = 0;
    int code = device.queueBytes(0, waiting);
    std::vector<std::uint8_t> junk(waiting);
    while (code == CORVOUSB_OK && dropped < waiting) {
        std::size_t got = 0;
        code = device.read(std::span(junk).subspan(dropped), got);
        if (got == 0) break;
        dropped += got;
    }
    if (dropped > 0 && Lib().intChecking)
        Print("%zu unexpected byte(s) from the device discarded\n", dropped);
    return code;
}

// Writes one command; CORVOUSB_ERR_WRITE_TIMEOUT when the chip did not take all of it before the
// write time-out.
int SendCommand(FifoDevice& device, CommandKind kind, char subAddress, int count,
                std::span<const std::uint8_t> data = {}) {
    const auto bytes = EncodeCommand(kind, static_cast<std::int8_t>(subAddress),
                                     static_cast<std::uint32_t>(count), data);
    std::size_t taken = 0;
    const int code = device.write(bytes, taken);
    if (code != CORVOUSB_OK) return code;
    return taken == bytes.size() ? CORVOUSB_OK : CORVOUSB_ERR_WRITE_TIMEOUT;
}

// The open handle for a transfer of `bytes` at `data`, or null with the code kept.
OpenHandle* TransferHandle(int handle, const void* data, int bytes) {
    if (const int code = CheckBlock(data, bytes); code != CORVOUSB_OK) {
        FailWith(code);
        return nullptr;
    }
    return Resolve(handle);
}

} // namespace

int UsbWrt(int handle, char subAddress, unsigned char* data, int bytes) {
    if (!Enter("UsbWrt",
               {Arg(handle), Arg(static_cast<signed char>(subAddress)), DataArg(data), Arg(bytes)}))
        return -1;
    OpenHandle* h = TransferHandle(handle, data, bytes);
    if (h == nullptr) return -1;
    if (bytes == 0) return 0;
    int code = DiscardUnasked(*h->device);
    if (code == CORVOUSB_OK)
        code = SendCommand(*h->device, CommandKind::Write, subAddress, bytes,
                           std::span<const std::uint8_t>(data, static_cast<std::size_t>(bytes)));
    return code == CORVOUSB_OK ? bytes : FailWith(code);
}

int UsbRd(int handle, char subAddress, unsigned char* data, int bytes) {
    if (!Enter("UsbRd",
               {Arg(handle), Arg(static_cast<signed char>(subAddress)), DataArg(data), Arg(bytes)}))
        return -1;
    OpenHandle* h = TransferHandle(handle, data, bytes);
    if (h == nullptr) return -1;
    if (bytes == 0) return 0;
    int code = DiscardUnasked(*h->device);
    if (code == CORVOUSB_OK) code = SendCommand(*h->device, CommandKind::Read, subAddress, bytes);
    std::size_t got = 0;
    if (code == CORVOUSB_OK)
        code = h->device->read(std::span(data, static_cast<std::size_t>(bytes)), got);
    if (code != CORVOUSB_OK) return FailWith(code);
    if (got == 0) Lib().lastError = CORVOUSB_ERR_READ_TIMEOUT;
    return static_cast<int>(got);
}

int UsbRdEx(int handle, unsigned char* buffer, int maxBytes, int* frames) {
    if (!Enter("UsbRdEx", {Arg(handle), DataArg(buffer), Arg(maxBytes), OutArg(frames)})) return -1;
    if (frames == nullptr) return FailWith(CORVOUSB_ERR_NULL_POINTER);
    *frames = 0;
    if (maxBytes < 1) return FailWith(CORVOUSB_ERR_BAD_ARGUMENT);
    OpenHandle* h = TransferHandle(handle, buffer, maxBytes);
    if (h == nullptr) return -1;
    Library& lib = Lib();
    // A cut frame kept from a larger earlier read that cannot be delivered within maxBytes.
    if (h->stream.keptBytes() >= static_cast<std::size_t>(maxBytes)) h->stream.dropKept();
    // The kept bytes go first, the new ones after them, and the frames are checked in place.
    const std::size_t kept = h->stream.keptBytes();
    const std::span<std::uint8_t> block(buffer, static_cast<std::size_t>(maxBytes));
    const auto ask = static_cast<int>(block.size() - kept);
    int code = SendCommand(*h->device, CommandKind::Stream, 0, ask);
    std::size_t got = 0;
    if (code == CORVOUSB_OK) code = h->device->read(block.subspan(kept), got);
    if (code != CORVOUSB_OK) return FailWith(code);
    const auto received = block.subspan(kept, got);
    lib.log.capture(received);
    lib.counters.totalBytes += got;

    h->stream.copyKept(block);
    const FrameScan scan = h->stream.scanBlock(block.first(kept + got), lib.counters);
    *frames = static_cast<int>(scan.frames);
    lib.last = {true,
                ask,
                static_cast<int>(got),
                static_cast<int>(scan.delivered),
                scan.frames,
                h->stream.keptBytes(),
                scan.firstCounter,
                scan.lastCounter};
    if (got == 0 && scan.delivered == 0) lib.lastError = CORVOUSB_ERR_READ_TIMEOUT;
    return static_cast<int>(scan.delivered);
}

int USB_CheckFrames(const unsigned char* block, int bytes) {
    if (!Enter("USB_CheckFrames", {DataArg(block), Arg(bytes)})) return -1;
    if (const int code = CheckBlock(block, bytes); code != CORVOUSB_OK) return FailWith(code);
    Library& lib = Lib();
    lib.counters.totalBytes += static_cast<std::uint64_t>(bytes);
    std::vector<std::uint8_t> delivered;
    return static_cast<int>(
        lib.offline.push(std::span(block, static_cast<std::size_t>(bytes)), delivered, lib.counters)
            .frames);
}

int USB_Write(int handle, unsigned char* data, int bytes, int* written) {
    if (!Enter("USB_Write", {Arg(handle), DataArg(data), Arg(bytes), OutArg(written)})) return 0;
    if (written == nullptr) return Flag(CORVOUSB_ERR_NULL_POINTER);
    *written = 0;
    OpenHandle* h = TransferHandle(handle, data, bytes);
    if (h == nullptr) return 0;
    if (bytes == 0) return 1;
    std::size_t taken = 0;
    const int code = h->device->write(
        std::span<const std::uint8_t>(data, static_cast<std::size_t>(bytes)), taken);
    if (code != CORVOUSB_OK) return Flag(code);
    if (taken == 0) return Flag(CORVOUSB_ERR_WRITE_TIMEOUT);
    *written = static_cast<int>(taken);
    return 1;
}

int USB_Read(int handle, unsigned char* data, int bytes, int* read) {
    if (!Enter("USB_Read", {Arg(handle), DataArg(data), Arg(bytes), OutArg(read)})) return 0;
    if (read == nullptr) return Flag(CORVOUSB_ERR_NULL_POINTER);
    *read = 0;
    OpenHandle* h = TransferHandle(handle, data, bytes);
    if (h == nullptr) return 0;
    if (bytes == 0) return 1;
    std::size_t got = 0;
    const int code = h->device->read(std::span(data, static_cast<std::size_t>(bytes)), got);
    if (code != CORVOUSB_OK) return Flag(code);
    if (got == 0) Lib().lastError = CORVOUSB_ERR_READ_TIMEOUT;
    *read = static_cast<int>(got);
    return 1;
}

unsigned long long GetLostFrames(void) {
    return Lib().counters.lostFrames;
}
unsigned long long GetHeaderErrors(void) {
    return Lib().counters.headerErrors;
}
unsigned long long GetTrailerErrors(void) {
    return Lib().counters.trailerErrors;
}
unsigned long long GetTotalByteCount(void) {
    return Lib().counters.totalBytes;
}

void ResetLostFrames(void) {
    Enter("ResetLostFrames");
    Library& lib = Lib();
    lib.counters.lostFrames = 0;
    for (auto& [handle, h] : lib.handles)
        h.stream.forgetCounter();
    lib.offline = FrameStream();
}

void ResetFrameErrors(void) {
    Enter("ResetFrameErrors");
    Lib().counters.headerErrors = 0;
    Lib().counters.trailerErrors = 0;
}

void ResetTotalByteCount(void) {
    Enter("ResetTotalByteCount");
    Lib().counters.totalBytes = 0;
}

void PrintFrameInfo(void) {
    Enter("PrintFrameInfo");
    const Library& lib = Lib();
    const LastTransfer& t = lib.last;
    if (!t.valid) {
        Print("No extended read yet\n");
    } else {
        Print("Last extended read: %d byte(s) asked, %d received, %d delivered, %zu frame(s)\n",
              t.asked, t.received, t.delivered, t.frames);
        if (t.frames > 0) Print("Frame counters %u to %u\n", t.firstCounter, t.lastCounter);
        if (t.kept > 0) Print("%zu byte(s) of a cut frame kept for the next read\n", t.kept);
    }
    const FrameCounters& c = lib.counters;
    Print("Lost frames %llu - Header errors %llu - Trailer errors %llu - Total bytes %llu\n",
          static_cast<unsigned long long>(c.lostFrames),
          static_cast<unsigned long long>(c.headerErrors),
          static_cast<unsigned long long>(c.trailerErrors),
          static_cast<unsigned long long>(c.totalBytes));
    Print("Last error %d: %s\n", lib.lastError, CorvoUsb_ErrorText(lib.lastError));
}

int dbg_OpenLogFile(void) {
    Enter("dbg_OpenLogFile");
    return Flag(Lib().log.open() ? CORVOUSB_OK : CORVOUSB_ERR_LOG_FILE);
}

void dbg_CloseLogFile(void) {
    Enter("dbg_CloseLogFile");
    Lib().log.close();
}
