// The EEPROM steps: a check reads the EEPROM as "Read EEPROM content" with "Show EEPROM" does and
// compares what it shows; programming hands a record to the wizard's programming procedure, then
// reads back what the board holds.
#include "batch/SetupDriver.h"
#include "batch/StepRun.h"

#include "progwiz/Eeprom.h"
#include "progwiz/ProgWiz.h"

#include <cstdio>
#include <cstring>
#include <map>

namespace batch {

namespace {

// The fields the library shows after a read: "EEPROM max power: 100 mA" gives "max power" =
// "100 mA".
std::map<std::string, std::string> ShownFields(const std::string& text) {
    std::map<std::string, std::string> fields;
    constexpr std::string_view kPrefix = "EEPROM ";
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string_view line(text.data() + at, end - at);
        const std::size_t colon = line.find(": ");
        if (line.starts_with(kPrefix) && colon != std::string_view::npos)
            fields[std::string(line.substr(kPrefix.size(), colon - kPrefix.size()))] =
                std::string(line.substr(colon + 2));
        at = end + 1;
    }
    return fields;
}

// Each expected field against what the read showed.
std::vector<Figure> Compare(const EepromFields& expected, const std::string& text) {
    const std::map<std::string, std::string> shown = ShownFields(text);
    std::vector<Figure> figures;
    auto add = [&](const char* name, const char* key, const std::optional<std::string>& want) {
        if (!want) return;
        auto it = shown.find(key);
        const std::string read = it != shown.end() ? it->second : "not read";
        figures.push_back({.name = name,
                           .text = read,
                           .bound = Figure::Bound::Equals,
                           .limitText = *want,
                           .passed = read == *want});
    };
    auto mA = [](const std::optional<int>& v) {
        return v ? std::optional<std::string>(std::to_string(*v) + " mA") : std::nullopt;
    };
    add("description", "description", expected.description);
    add("serial", "serial number", expected.serial);
    add("max-power", "max power", mA(expected.maxPower));
    if (expected.powerSource)
        add("power-source", "power source",
            std::string(*expected.powerSource == 1 ? "self-powered" : "bus-powered"));
    add("drive-current", "drive current", mA(expected.driveCurrent));
    return figures;
}

std::vector<Figure> ReadAndCompare(StepRun& run, const EepromFields& expected) {
    run.takeInfoText();
    ReadEepromShown();
    std::string text = run.takeInfoText();
    std::vector<Figure> figures = Compare(expected, text);
    figures.push_back({.name = "library-errors",
                       .value = static_cast<double>(run.libraryErrors()),
                       .bound = Figure::Bound::AtMost,
                       .limit = static_cast<double>(run.step().limits.maxLibraryErrors),
                       .passed = !run.tooManyLibraryErrors()});
    return figures;
}

} // namespace

StepResult RunEepromCheckStep(const Step& step, RunObserver& observer) {
    StepRun run(step, observer);
    return run.finish(ReadAndCompare(run, step.eeprom), false);
}

StepResult RunEepromProgramStep(const Step& step, RunObserver& observer) {
    StepRun run(step, observer);
    // The wizard's record: its defaults, then the plan's fields.
    InitConfBuffers();
    EepromConfig record = Conf;
    const EepromFields& e = step.eeprom;
    if (e.description)
        std::snprintf(record.DeviceDesc, sizeof record.DeviceDesc, "%s", e.description->c_str());
    if (e.serial)
        std::snprintf(record.SerialNumber, sizeof record.SerialNumber, "%s", e.serial->c_str());
    if (e.maxPower) record.MaxPower = static_cast<uint16_t>(*e.maxPower);
    if (e.powerSource) record.PowerSource = static_cast<uint16_t>(*e.powerSource);
    if (e.driveCurrent) record.DriveCurrent = static_cast<uint16_t>(*e.driveCurrent);
    ProgramDevice(&record);
    if (run.tooManyLibraryErrors()) return run.finish(std::vector<Figure>{}, false);
    // What the board holds now must be the whole record.
    EepromFields written{.description = record.DeviceDesc,
                         .serial = record.SerialNumber,
                         .maxPower = record.MaxPower,
                         .powerSource = record.PowerSource,
                         .driveCurrent = record.DriveCurrent};
    return run.finish(ReadAndCompare(run, written), false);
}

} // namespace batch
