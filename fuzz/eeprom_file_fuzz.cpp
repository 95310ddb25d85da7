// libFuzzer harness: the EEPROM file reader must survive any text and keep every field valid.
#include "platform/corvousb/EepromRules.h"
#include "platform/corvousb/sim/EepromFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    corvousb::Eeprom e = corvousb::BlankEeprom();
    std::vector<std::string> problems;
    corvousb::ParseEeprom(std::string_view(reinterpret_cast<const char*>(data), size), e, problems);
    if (!corvousb::ValidDescription(e.description) || !corvousb::ValidSerial(e.serial) ||
        !corvousb::ValidMaxPower(e.maxPower) || !corvousb::ValidPowerSource(e.powerSource) ||
        !corvousb::ValidDriveCurrent(e.driveCurrent))
        abort();
    return 0;
}
