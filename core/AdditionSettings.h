// The additions' settings file, kestrel.ini beside kestrel.cfg, and the keys of data checking.
#pragma once

#include "core/SettingsStore.h"

#include <string>

namespace settings {

inline constexpr char kAdditionsFile[] = "kestrel.ini";

// Data checking: compare what is read; the test data (0 = the data-type group, 1 = the
// pseudo-random sequence); the sequence's order (the checker's sequence too).
inline constexpr IntKey kVerify{"verify", 0, 0, 1};
inline constexpr IntKey kPrbsData{"prbs-data", 0, 0, 1};
inline constexpr int kPrbsOrderChoices[] = {7, 15, 23, 31}; // those of check/Prbs.h
inline constexpr IntKey kPrbsOrder{"prbs-order", 31, 7, 31, kPrbsOrderChoices};
// Hot-plugging: reopen the board that left the bus when it comes back.
inline constexpr IntKey kReconnect{"reconnect", 1, 0, 1};

// The run monitor: its window opens when a loop starts.
inline constexpr IntKey kMonitorAtLoopStart{"monitor-at-loop-start", 0, 0, 1};

// The store the program runs with.
SettingsStore& Additions();

// Reads kestrel.ini from the working directory into Additions(), which starts empty. A missing
// file is no problem; one that is not a regular file, larger than 64 KiB or unreadable keeps
// the defaults. Returns the problem for the user, empty when none.
std::string ReadAdditionSettings();
// Writes Additions() to kestrel.ini through a temporary file of a unique name in the same
// folder, synced and renamed over it, so a failed save never leaves half a file; a kestrel.ini
// that is a link or not a regular file is left alone. Nothing is written when the store is
// empty and there is no file. Returns the problem for the user, empty when none.
std::string SaveAdditionSettings();

} // namespace settings
