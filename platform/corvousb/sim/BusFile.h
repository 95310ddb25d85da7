// Building the simulated bus: the default one, or one described by a user's bus file.
#pragma once

#include "platform/corvousb/sim/SimBus.h"

#include <memory>
#include <string>
#include <vector>

namespace corvousb {

// A fault on an API function, as the bus file names it.
struct CallFault {
    std::string function;
    int code = 0;
    bool every = false;
};

struct BusFile {
    std::unique_ptr<SimBus> bus; // never null; empty when the file names no board
    std::vector<CallFault> faults;
    std::vector<std::string> problems; // "line N: ..." for each line that was not used
};

// The bus file format is described in README.md. A file that cannot be read gives an empty bus
// and one problem.
BusFile ReadBusFile(const std::string& path);
// One simulated board, "Simulated Corvo Board" / "SIM00001", its EEPROM kept at
// DefaultEepromPath().
std::unique_ptr<SimBus> DefaultBus();

} // namespace corvousb
