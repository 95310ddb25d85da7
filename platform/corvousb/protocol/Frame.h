// The framed ("Corvo") stream: frame layout, frame building and the frame checker.
//
// A frame: AA FF FF | counter, 16-bit little-endian | payload length n, 16-bit little-endian |
// n payload bytes | trailer 55, XOR of the payload bytes. n runs from 1 to kMaxPayload.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace corvousb {

inline constexpr std::size_t kFrameHeaderSize = 7;
inline constexpr std::size_t kFrameTrailerSize = 2;
inline constexpr std::size_t kFrameOverhead = kFrameHeaderSize + kFrameTrailerSize;
inline constexpr std::size_t kMaxPayload = 16384;
inline constexpr std::uint8_t kTrailerMark = 0x55;
// The payload rule of the stream source: byte i of the frame with counter c is
// (c + i) mod kPayloadPeriod, so a receiver can check every payload byte.
inline constexpr unsigned kPayloadPeriod = 128;

std::vector<std::uint8_t> MakeFrame(std::uint16_t counter, std::span<const std::uint8_t> payload);
// Writes the header of a frame of `payload` payload bytes into the first 7 bytes of `frame`.
void WriteFrameHeader(std::span<std::uint8_t> frame, std::uint16_t counter, std::size_t payload);
// Writes the trailer into the last 2 bytes of `frame`.
void WriteFrameTrailer(std::span<std::uint8_t> frame, std::uint8_t payloadXor);

// The library-wide counters: unsigned 64-bit, so that a loop of days never wraps them.
struct FrameCounters {
    std::uint64_t lostFrames = 0;
    std::uint64_t headerErrors = 0;
    std::uint64_t trailerErrors = 0;
    std::uint64_t totalBytes = 0;
};

// What one push delivered.
struct FrameScan {
    std::size_t frames = 0;                          // whole frames completed
    std::size_t delivered = 0;                       // bytes handed out
    std::uint16_t firstCounter = 0, lastCounter = 0; // of the frames completed (when frames > 0)
};

// Checks a byte stream that arrives in pieces. Bytes that may begin a frame not yet complete are
// kept and checked with the next piece; everything before them is delivered. Gaps in the frame
// counter count as lost frames (a step back of more than half the counter range is taken as a
// restart, not a loss); each run of bytes where a header was expected is one header error; a
// frame whose trailer does not match is one trailer error and still counts as a frame.
class FrameStream {
  public:
    // Appends `bytes` to what is kept, checks, copies the delivered bytes to `out` (appending) and
    // updates `counters` (the total byte count is left to the caller).
    FrameScan push(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& out,
                   FrameCounters& counters);
    // The same check without copies: `block` begins with the kept bytes (see copyKept) followed
    // by the new ones. Its first scan.delivered bytes are delivered where they are; the rest is
    // kept for the next piece.
    FrameScan scanBlock(std::span<const std::uint8_t> block, FrameCounters& counters);
    // Copies the kept bytes to the start of `out` (which holds at least keptBytes()).
    void copyKept(std::span<std::uint8_t> out) const;
    std::size_t keptBytes() const { return kept_.size(); }
    // Drops the kept bytes.
    void dropKept() {
        kept_.clear();
        inJunk_ = false;
    }
    // The next frame may carry any counter.
    void forgetCounter() { expectKnown_ = false; }

  private:
    // Checks b; the bytes from the returned position on are to be kept.
    std::size_t scan(std::span<const std::uint8_t> b, FrameScan& scan, FrameCounters& counters);

    std::vector<std::uint8_t> kept_;
    bool expectKnown_ = false;
    bool inJunk_ = false; // the last byte checked belonged to no frame
    std::uint16_t expected_ = 0;
};

} // namespace corvousb
