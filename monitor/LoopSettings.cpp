// The table of settings the event log follows.
#include "monitor/LoopSettings.h"

#include "core/AdditionSettings.h"
#include "core/Kestrel_core.h"
#include "usb/UsbLink.h"

namespace monitor {

namespace {

const char* const kIoModes[] = {"<Read>", "<Write>", "<Wr/Rd byte>", "<Wr/Rd burst>",
                                "Extended read"};

int Framing() {
    return EncapsulationState;
}
int Verify() {
    return settings::Additions().get(settings::kVerify);
}
int PrbsData() {
    return settings::Additions().get(settings::kPrbsData);
}

struct Setting {
    const char* name;
    int (*value)();
    const char* unit;
};

// clang-format off
const Setting kSettings[kLoopSettingCount] = {
    {"I/O mode", GetIOMode, ""},          {"loop time", GetLoopTime, " ms"},
    {"framing", Framing, ""},             {"word count", GetWordCount, ""},
    {"data size", GetWordSize, ""},       {"sub-address", GetSubAddress, ""},
    {"print", GetPrintState, ""},         {"short display", GetShortPrint, ""},
    {"latency timer", GetLatTimer, " ms"}, {"write timeout", GetTxTimeout, " ms"},
    {"read timeout", GetRxTimeout, " ms"}, {"transmit size", GetTxBuffer, ""},
    {"receive size", GetRxBuffer, ""},    {"pattern mode", GetPatternMode, ""},
    {"verify", Verify, ""},               {"pseudo-random data", PrbsData, ""},
};
// clang-format on

std::string Named(int i, int value) {
    std::string text = std::string(kSettings[i].name) + " = ";
    if (i == 0 && value >= 0 && value < 5) return text + kIoModes[value];
    return text + std::to_string(value) + kSettings[i].unit;
}

} // namespace

LoopSettings LoopSettingsNow() {
    LoopSettings now{};
    for (int i = 0; i < kLoopSettingCount; ++i)
        now[i] = kSettings[i].value();
    return now;
}

std::string Describe(const LoopSettings& settings) {
    std::string text;
    for (int i = 0; i < kLoopSettingCount; ++i)
        text += (i == 0 ? "" : ", ") + Named(i, settings[i]);
    return text;
}

std::vector<std::string> Changes(const LoopSettings& before, const LoopSettings& after) {
    std::vector<std::string> changes;
    for (int i = 0; i < kLoopSettingCount; ++i)
        if (before[i] != after[i]) changes.push_back(Named(i, after[i]));
    return changes;
}

} // namespace monitor
