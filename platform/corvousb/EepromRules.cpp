// The checks of EEPROM values.
#include "platform/corvousb/EepromRules.h"

#include "platform/corvousb/CorvoUsb.h"

#include <algorithm>

namespace corvousb {

namespace {

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

} // namespace

bool DescriptionCharactersValid(std::string_view text) {
    return std::none_of(text.begin(), text.end(), IsControl);
}

bool SerialCharactersValid(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) { return IsControl(c) || c == ' '; });
}

bool ValidDescription(std::string_view text) {
    return text.size() <= CORVOUSB_DESC_MAX_CHARS && DescriptionCharactersValid(text);
}

bool ValidSerial(std::string_view text) {
    return text.size() <= CORVOUSB_SERIAL_MAX_CHARS && SerialCharactersValid(text);
}

bool ValidMaxPower(unsigned long long mA) {
    return mA <= 500;
}

bool ValidPowerSource(unsigned long long code) {
    return code <= 1;
}

bool ValidDriveCurrent(unsigned long long mA) {
    return mA == 4 || mA == 8 || mA == 12 || mA == 16;
}

} // namespace corvousb
