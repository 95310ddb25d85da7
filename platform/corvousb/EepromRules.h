// What an EEPROM may hold: the checks shared by the API's setters and the files describing boards.
#pragma once

#include <string_view>

namespace corvousb {

// No control character (below 0x20, or 0x7F).
bool DescriptionCharactersValid(std::string_view text);
// No control character and no white space: Kestrel keeps the serial number as one word.
bool SerialCharactersValid(std::string_view text);
// The characters above, and at most 64 / 8 characters ("" = an erased serial number).
bool ValidDescription(std::string_view text);
bool ValidSerial(std::string_view text);
bool ValidMaxPower(unsigned long long mA);      // 0..500
bool ValidPowerSource(unsigned long long code); // 0 bus-powered, 1 self-powered
bool ValidDriveCurrent(unsigned long long mA);  // 4, 8, 12 or 16

} // namespace corvousb
