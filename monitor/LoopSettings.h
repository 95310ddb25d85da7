// The settings a loop runs with, as the event log names them.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace monitor {

inline constexpr int kLoopSettingCount = 16;
using LoopSettings = std::array<int, kLoopSettingCount>;

// The settings now: the setup panel's (through the board record), the framing and data checks.
LoopSettings LoopSettingsNow();
// "I/O mode = Extended read, loop time = 2 ms, ..." for the start of a loop.
std::string Describe(const LoopSettings& settings);
// "name = value" for each setting that differs, in the order of Describe.
std::vector<std::string> Changes(const LoopSettings& before, const LoopSettings& after);

} // namespace monitor
