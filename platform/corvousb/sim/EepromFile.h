// Keeping a simulated board's EEPROM in a file, so that it survives between runs.
//
// The file is text, one "key=value" line per field: description, serial, max-power,
// power-source, drive-current. Unknown lines are ignored; missing keys keep their value.
#pragma once

#include "platform/corvousb/Transport.h"

#include <string>

namespace corvousb {

// The identity of an erased chip.
Eeprom BlankEeprom();
// Fills `eeprom` from the file; false when it cannot be read (eeprom untouched).
bool LoadEeprom(const std::string& path, Eeprom& eeprom);
// Writes the file atomically (temporary file, then rename), creating its folder. False when it
// cannot be written; the board then keeps working from memory.
bool SaveEeprom(const std::string& path, const Eeprom& eeprom);
// Where the default board keeps its EEPROM: $XDG_STATE_HOME/corvousb/SimulatedBoard.eeprom, else
// $HOME/.local/state/corvousb/SimulatedBoard.eeprom; "" when neither variable is set.
std::string DefaultEepromPath();

} // namespace corvousb
