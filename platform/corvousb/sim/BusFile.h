// Building the simulated bus: the default one, or one described by a user's bus file.
#pragma once

#include "platform/corvousb/sim/SimBus.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
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

// A bus file is a few lines per board; anything larger is not one.
inline constexpr std::size_t kBusFileLimit = std::size_t{4} << 20;

// The bus file format is described in README.md. A file that cannot be read (missing, not a
// regular file, larger than kBusFileLimit) gives an empty bus and one problem saying why. The
// boards take their time from `clock`.
BusFile ReadBusFile(const std::string& path,
                    std::shared_ptr<Clock> clock = std::make_shared<RealClock>());
// The same from the file's text.
BusFile ParseBusFile(std::string_view text,
                     std::shared_ptr<Clock> clock = std::make_shared<RealClock>());
// One simulated board, "Simulated Corvo Board" / "SIM00001", its EEPROM kept at
// DefaultEepromPath(), its time from `clock`.
std::unique_ptr<SimBus> DefaultBus(std::shared_ptr<Clock> clock = std::make_shared<RealClock>());

} // namespace corvousb
