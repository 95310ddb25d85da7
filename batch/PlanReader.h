// Reads a test plan from its TOML file and checks every value before anything runs.
#pragma once

#include "batch/Plan.h"

#include <string>
#include <string_view>
#include <variant>

namespace batch {

// Parses plan text; `file` names it in errors. ${KEY} in a string takes the value of KEY from
// `variables`; an unknown key, a wrong type, a value out of range or a missing value is refused
// with its line and column. `used` (optional) receives the variables the plan used.
std::variant<Plan, PlanError> ParsePlan(std::string_view text, const std::string& file,
                                        const PlanVariables& variables = {},
                                        PlanVariables* used = nullptr);

// Reads the file (a regular file of at most 1 MiB, opened without blocking) and parses it.
std::variant<Plan, PlanError> ReadPlan(const std::string& file, const PlanVariables& variables = {},
                                       PlanVariables* used = nullptr);

} // namespace batch
