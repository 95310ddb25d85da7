// Keeping a simulated board's EEPROM in a file, so that it survives between runs.
//
// The file is text, one "key=value" line per field: description, serial, max-power,
// power-source, drive-current; a CR before the line end is ignored. Missing keys keep their value;
// a line that is not one of these fields with a valid value is reported and skipped.
#pragma once

#include "platform/corvousb/Transport.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvousb {

// An EEPROM file is a few lines; anything larger is not one.
inline constexpr std::size_t kEepromFileLimit = 4096;

// The identity of an erased chip.
Eeprom BlankEeprom();
// Applies the lines of an EEPROM file to `eeprom`; each line not used gives a problem
// "line N: LINE".
void ParseEeprom(std::string_view text, Eeprom& eeprom, std::vector<std::string>& problems);
// Fills `eeprom` from the file; false when it cannot be read (eeprom untouched). A file that
// exists but cannot be read, and every line not used, is reported on the standard error.
bool LoadEeprom(const std::string& path, Eeprom& eeprom);
// Writes the file atomically (a temporary file of a name no one else uses, synced to disk, then
// renamed), creating its folder. False when it cannot be written.
bool SaveEeprom(const std::string& path, const Eeprom& eeprom);
// Where the default board keeps its EEPROM: $XDG_STATE_HOME/corvousb/SimulatedBoard.eeprom, else
// $HOME/.local/state/corvousb/SimulatedBoard.eeprom; "" when neither variable is set.
std::string DefaultEepromPath();

} // namespace corvousb
