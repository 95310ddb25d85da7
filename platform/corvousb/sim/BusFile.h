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
// and one problem. The boards take their time from `clock`.
BusFile ReadBusFile(const std::string& path,
                    std::shared_ptr<Clock> clock = std::make_shared<RealClock>());
// One simulated board, "Simulated Corvo Board" / "SIM00001", its EEPROM kept at
// DefaultEepromPath(), its time from `clock`.
std::unique_ptr<SimBus> DefaultBus(std::shared_ptr<Clock> clock = std::make_shared<RealClock>());

} // namespace corvousb
