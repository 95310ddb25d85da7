// `kestrel run` and `kestrel list`: the command-line side of unattended runs.
#pragma once

#include "batch/Plan.h"
#include "batch/Runner.h"

#include <functional>
#include <string>

namespace batch {

struct RunOptions {
    std::string plan, serial, json, junit;
    PlanVariables variables;     // --set KEY=VALUE
    RunObserver* also = nullptr; // told as well (tests, the benchmark)
};

// What the program does around the steps: start without a window and without kestrel.cfg
// (false when it cannot), connect to the board with the serial number given (false when it
// could not be opened), and shut down.
struct Session {
    std::function<bool()> startUp;
    std::function<bool(const std::string& serial)> connect;
    std::function<void()> shutDown;
};

// Parses "run" arguments after the word "run". Returns "" or the usage problem.
std::string ReadRunArguments(int argc, char** argv, RunOptions& options);

// Runs the plan and writes the reports; returns the exit status (0, 1, 2, 3, 4 or 130).
int RunPlanCommand(const RunOptions& options, const Session& session);

// Lists the boards (after `startUp`); `json` prints a JSON array. Returns the exit status.
int ListCommand(bool json);

} // namespace batch
