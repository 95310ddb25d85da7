// EEPROM files of the simulated boards.
#include "platform/corvousb/sim/EepromFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace corvousb {

namespace {

// Reads an unsigned number; false when the text is not one.
bool ParseUnsigned(const std::string& text, unsigned& value) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = static_cast<unsigned>(std::stoul(text));
    return true;
}

} // namespace

Eeprom BlankEeprom() {
    return Eeprom{"Corvo USB FIFO", "", 100, 0, 8};
}

bool LoadEeprom(const std::string& path, Eeprom& eeprom) {
    std::ifstream in(path);
    if (!in) return false;
    Eeprom e = eeprom;
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        if (key == "description" && value.size() <= 64)
            e.description = value;
        else if (key == "serial" && value.size() <= 8)
            e.serial = value;
        else if (key == "max-power")
            ParseUnsigned(value, e.maxPower);
        else if (key == "power-source")
            ParseUnsigned(value, e.powerSource);
        else if (key == "drive-current")
            ParseUnsigned(value, e.driveCurrent);
    }
    eeprom = e;
    return true;
}

bool SaveEeprom(const std::string& path, const Eeprom& eeprom) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    const fs::path temp = target.string() + ".tmp";
    {
        std::ofstream out(temp, std::ios::trunc);
        out << "description=" << eeprom.description << '\n'
            << "serial=" << eeprom.serial << '\n'
            << "max-power=" << eeprom.maxPower << '\n'
            << "power-source=" << eeprom.powerSource << '\n'
            << "drive-current=" << eeprom.driveCurrent << '\n';
        out.flush();
        if (!out) {
            fs::remove(temp, ec);
            return false;
        }
    }
    fs::rename(temp, target, ec);
    if (!ec) return true;
    fs::remove(temp, ec);
    return false;
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
