// libFuzzer harness: the bus file reader must survive any text and build only valid boards.
#include "platform/corvousb/EepromRules.h"
#include "platform/corvousb/sim/BusFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const corvousb::BusFile file =
        corvousb::ParseBusFile(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const corvousb::DeviceInfo& d : file.bus->enumerate())
        if (!corvousb::ValidDescription(d.description) || !corvousb::ValidSerial(d.serial)) abort();
    for (const corvousb::CallFault& f : file.faults)
        if (f.code <= 0) abort();
    return 0;
}
