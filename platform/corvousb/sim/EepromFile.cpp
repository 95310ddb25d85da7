// EEPROM files of the simulated boards.
#include "platform/corvousb/sim/EepromFile.h"

#include "platform/corvousb/EepromRules.h"
#include "platform/corvousb/Files.h"
#include "platform/corvousb/sim/TextLines.h"
#include "platform/files/AtomicFile.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace corvousb {

namespace {

// Sets a number field when the text is a number that `valid` accepts.
bool SetNumber(std::string_view text, bool (*valid)(unsigned long long), unsigned& field) {
    unsigned long long value = 0;
    if (!ParseNumber(text, value) || !valid(value)) return false;
    field = static_cast<unsigned>(value);
    return true;
}

bool SetText(std::string_view text, bool (*valid)(std::string_view), std::string& field) {
    if (!valid(text)) return false;
    field = text;
    return true;
}

// Applies one line; false when it is not a field with a valid value.
bool EepromLine(std::string_view line, Eeprom& e) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    const std::string_view key = line.substr(0, eq);
    const std::string_view value = line.substr(eq + 1);
    if (key == "description") return SetText(value, ValidDescription, e.description);
    if (key == "serial") return SetText(value, ValidSerial, e.serial);
    if (key == "max-power") return SetNumber(value, ValidMaxPower, e.maxPower);
    if (key == "power-source") return SetNumber(value, ValidPowerSource, e.powerSource);
    if (key == "drive-current") return SetNumber(value, ValidDriveCurrent, e.driveCurrent);
    return false;
}

} // namespace

Eeprom BlankEeprom() {
    return Eeprom{"Corvo USB FIFO", "", 100, 0, 8};
}

void ParseEeprom(std::string_view text, Eeprom& eeprom, std::vector<std::string>& problems) {
    ForEachLine(text, [&](int number, std::string_view line) {
        if (!line.empty() && !EepromLine(line, eeprom))
            problems.push_back("line " + std::to_string(number) + ": " + std::string(line));
    });
}

bool LoadEeprom(const std::string& path, Eeprom& eeprom) {
    std::string text, problem;
    const ReadResult read = ReadTextFile(path, kEepromFileLimit, text, problem);
    if (read == ReadResult::Refused) ReportFileProblem(path, problem);
    if (read != ReadResult::Ok) return false;
    std::vector<std::string> problems;
    ParseEeprom(text, eeprom, problems);
    for (const auto& p : problems)
        ReportFileProblem(path, p);
    return true;
}

bool SaveEeprom(const std::string& path, const Eeprom& eeprom) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    const std::string text = "description=" + eeprom.description + "\nserial=" + eeprom.serial +
                             "\nmax-power=" + std::to_string(eeprom.maxPower) +
                             "\npower-source=" + std::to_string(eeprom.powerSource) +
                             "\ndrive-current=" + std::to_string(eeprom.driveCurrent) + "\n";
    // A temporary file of its own: two programs saving at once never write into one file.
    return files::Replace(path, text) == 0;
}

std::string DefaultEepromPath() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/')
        return std::string(state) + "/corvousb/SimulatedBoard.eeprom";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0')
        return std::string(home) + "/.local/state/corvousb/SimulatedBoard.eeprom";
    return "";
}

} // namespace corvousb
