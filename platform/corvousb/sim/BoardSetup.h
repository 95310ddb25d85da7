// Configuration and observable state of a simulated board.
#pragma once

#include <cstddef>
#include <string>

namespace corvousb {

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
    // Link settings as last set (0 / false until set).
    unsigned latencyMs = 0;
    int writeTimeoutMs = 0, readTimeoutMs = 0;
    int txXferSize = 0, rxXferSize = 0;
    bool synchronous = false;
    int syncOption = 0;
    bool hardwareFlowControl = false;
    int baudRate = 0;
    unsigned purges = 0;                             // purge operations so far
    std::size_t receiveQueue = 0, transmitQueue = 0; // bytes waiting
    unsigned long long framesSent = 0;               // frames produced by the stream source
};

} // namespace corvousb
