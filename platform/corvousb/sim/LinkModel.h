// The time model of the chip's USB link: what moving bytes between the host and the chip costs.
//
// Moving n bytes in one direction takes
//     n / rate  +  ceil(n / transfer size) * request cost
// where rate is the sustained bulk rate of the bus speed and FIFO mode, and every USB request
// (at most one transfer size of bytes) costs one frame (full speed, 1 ms) or one microframe
// (high speed, 125 us). Bytes that end in a packet the chip cannot fill wait in the chip for the
// latency timer. The formulas and the chip's power-on values are documented in README.md.
#pragma once

#include "platform/corvousb/sim/BoardSetup.h"
#include "platform/corvousb/sim/Clock.h"

#include <cstddef>

namespace corvousb {

// Sustained bulk rates, in bytes per second, that boards with a USB-to-FIFO chip of this kind
// reach in practice: a full-speed link is limited by its 1 ms frames whatever the FIFO mode; at
// high speed the asynchronous FIFO's handshake caps the rate near 8 MB/s and the synchronous
// FIFO (clocked by the chip) reaches about 40 MB/s.
inline constexpr double kFullSpeedRate = 1.0e6;
inline constexpr double kHighSpeedAsyncRate = 8.0e6;
inline constexpr double kHighSpeedSyncRate = 40.0e6;

// Bulk packet sizes and the cost of one USB request (one frame or one microframe).
inline constexpr std::size_t kFullSpeedPacket = 64;
inline constexpr std::size_t kHighSpeedPacket = 512;
inline constexpr Nanos kFullSpeedRequestCost = std::chrono::milliseconds(1);
inline constexpr Nanos kHighSpeedRequestCost = std::chrono::microseconds(125);

// The chip's link settings at power-on, before the host sets any.
inline constexpr unsigned kPowerOnLatencyMs = 16;
inline constexpr int kPowerOnTimeoutMs = 1000;
inline constexpr int kPowerOnTransferSize = 4096;

double BulkRate(BusSpeed speed, bool synchronous);
std::size_t PacketSize(BusSpeed speed);

// One direction of the link: its bus speed, FIFO mode and transfer size.
struct LinkDirection {
    BusSpeed speed = BusSpeed::High;
    bool synchronous = false;
    int transferSize = kPowerOnTransferSize;

    // The time to move `bytes` bytes (no latency wait).
    Nanos transferTime(std::size_t bytes) const;
    // The most bytes that can be moved within `budget`.
    std::size_t bytesWithin(Nanos budget) const;
};

Nanos Milliseconds(int ms);

} // namespace corvousb
