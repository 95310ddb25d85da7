// Times in the reports: ISO 8601, UTC, to the second.
#pragma once

#include <string>

namespace batch {

std::string NowIso8601(); // "2026-12-07T22:15:03Z"

} // namespace batch
