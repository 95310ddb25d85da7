// Configuration and observable state of a simulated board.
#pragma once

#include <cstddef>
#include <string>

namespace corvousb {

// The board's USB bus speed: high speed (512-byte packets) or full speed (64-byte packets).
enum class BusSpeed { High, Full };

// The stream source's defaults: a 2 MB/s stream into a 256 KiB buffer. Kestrel's default loop
// (2 ms, extended reads of 32,768 bytes) keeps up with it; a loop that reads less than 2 MB/s,
// such as one read of 4,096 bytes a second, fills the buffer within about 0.13 s and loses frames.
inline constexpr unsigned kDefaultStreamRate = 2000000;
inline constexpr unsigned kDefaultStreamBuffer = 262144;

// What a board holds and how its firmware behaves.
struct BoardSetup {
    // EEPROM content.
    std::string description = "Simulated Corvo Board"; // up to 64 characters
    std::string serial = "SIM00001";                   // up to 8 characters; "" = erased
    unsigned maxPower = 100;                           // mA
    unsigned powerSource = 0;                          // 0 bus-powered, 1 self-powered
    unsigned driveCurrent = 8;                         // mA
    // Firmware.
    unsigned framePayload = 512;    // payload bytes per frame of the stream source (1..16384)
    unsigned firstFrameCounter = 0; // counter of the first frame sent (16-bit, wraps)
    bool answers = true;            // false: the firmware ignores every command
    bool rawEcho = true;            // false: plain data written is taken and not looped back
    unsigned rawPrbs = 0;           // 7, 15, 23 or 31: raw reads find a pseudo-random stream
    // Faults on the data the board returns (sim/DataFaults.h).
    double bitErrorRate = 0.0; // probability that a bit returned is flipped (0..1)
    unsigned errorSeed = 1;    // seed of the bit errors
    unsigned dropEvery = 0;    // every N-th byte returned is lost (0 = none)
    // Time model (sim/LinkModel.h).
    BusSpeed speed = BusSpeed::High;
    unsigned streamRate = kDefaultStreamRate;     // bytes per second, frames included (1 or more)
    unsigned streamBuffer = kDefaultStreamBuffer; // bytes of frames the board holds for the host
    bool timing = true; // false: the board answers at once and no time passes
    // Keep the EEPROM in this file (loaded when present, rewritten on every EEPROM write or
    // erase); "" = memory only.
    std::string eepromFile;
};

// The state of a board as the chip sees it.
struct BoardState {
    bool present = false; // on the bus
    bool open = false;    // a handle is open on it
    std::string description, serial;
    unsigned maxPower = 0, powerSource = 0, driveCurrent = 0;
    BusSpeed speed = BusSpeed::High;
    bool timing = true;
    // Link settings as last set (the chip's power-on values until set, sim/LinkModel.h).
    unsigned latencyMs = 0;
    int writeTimeoutMs = 0, readTimeoutMs = 0;
    int txXferSize = 0, rxXferSize = 0;
    bool synchronous = false;
    int syncOption = 0;
    bool hardwareFlowControl = false;
    int baudRate = 0;
    unsigned purges = 0;                             // purge operations so far
    std::size_t receiveQueue = 0, transmitQueue = 0; // bytes waiting
    unsigned long long framesSent = 0;    // frames the stream source sent (or dropped by a fault)
    unsigned long long framesDropped = 0; // of them, dropped because the stream buffer was full
    std::size_t streamBuffered = 0;       // bytes of frames waiting in the stream buffer
};

} // namespace corvousb
