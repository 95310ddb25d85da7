// A test plan as read from its file: the board, the link settings and the steps with their limits.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace batch {

// Which board the plan runs on: by serial number, by description, or the first one on the bus.
struct BoardChoice {
    std::string serial{}, description{}; // both empty: the first board
};

// The setup panel's link settings; an unset one keeps what the panel starts with.
struct LinkSettings {
    std::optional<int> latencyMs, writeTimeoutMs, readTimeoutMs, transmitSize, receiveSize;
    std::optional<bool> synchronous, framed;
};

// Limits of one step; an unset limit is not judged.
struct Limits {
    std::optional<double> minRateMBps, maxBitErrorRate;
    std::optional<long long> maxLostFrames, maxHeaderErrors, maxTrailerErrors, maxPayloadErrors,
        maxWrongBytes;
    long long maxLibraryErrors = 0; // more than this stops the run
};

// What the transfer controls of the setup panel hold for a transfer or loop step.
struct TransferSettings {
    int ioMode = 0;   // index of the I/O mode group: <Read> .. Extended read
    int wordSize = 0; // 0 = 8 bits, 1 = 16, 2 = 32
    int wordCount = 1;
    bool msbFirst = false;
    int dataSource = 0; // 0 incremental, 1 pattern, 2 pseudo-random
    unsigned start = 0, increment = 1;
    unsigned pattern = 0; // a value of the pattern ring
    int prbsOrder = 31;   // a value of the sequence ring
    int subAddress = 0;
    bool verify = false, print = false;
};

enum class StepKind { Transfer, Loop, EepromCheck, EepromProgram };

// The EEPROM fields a check compares or a programming step writes; unset ones are not compared
// (a programming step fills them with the wizard's defaults).
struct EepromFields {
    std::optional<std::string> description, serial;
    std::optional<int> maxPower, powerSource, driveCurrent;
};

// A place in the plan file.
struct Where {
    int line = 0, column = 0;
};

struct Step {
    std::string name;
    StepKind kind = StepKind::Transfer;
    Where at;                  // where the step starts
    Where patternAt, periodAt; // where the ring values were given, for refusing them
    TransferSettings transfer;
    int repetitions = 1;            // transfer steps
    int periodMs = 2;               // loop steps: a value of the loop-time ring
    std::optional<double> seconds;  // loop steps: duration, or
    std::optional<long long> ticks; // tick count
    EepromFields eeprom;
    Limits limits;
};

struct Plan {
    std::string file, name;
    BoardChoice board;
    LinkSettings link;
    std::vector<Step> steps;
};

// Where and why a plan was refused.
struct PlanError {
    std::string file;
    int line = 0, column = 0;
    std::string message;

    std::string text() const; // "FILE:LINE:COLUMN: MESSAGE"
};

// Values given with --set KEY=VALUE, substituted for ${KEY} in the plan's strings.
using PlanVariables = std::map<std::string, std::string>;

} // namespace batch
