// The machine-readable reports of a run: JSON (schema "kestrel-run", version 1, documented in
// the plans' help page) and JUnit XML; each written atomically.
#pragma once

#include "batch/StepResult.h"

#include <string>

namespace batch {

inline constexpr int kJsonSchemaVersion = 1;

std::string JsonReport(const RunReport& report);
std::string JunitReport(const RunReport& report);

// Writes `text` to `path` through a temporary file and a rename. Returns "" or why not.
std::string WriteReport(const std::string& path, const std::string& text);

} // namespace batch
